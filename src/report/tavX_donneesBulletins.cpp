#include "tavX_donneesBulletins.h"

#include "tavX_fichierTav.h"

#include <QFileInfo>

namespace Bulletins {

namespace {

const QString FinRefus =
    QStringLiteral("\n\nCe fichier ne peut être ajouté pour la création des bulletins.");

QString Nom(const QString& chemin) {
    return QFileInfo(chemin).fileName();
}

QString Normaliser(const QString& texte) {
    QString t = texte.trimmed();
    for (QChar& c : t)
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z')) c = QChar(c.unicode() - 32);
    return t;
}

bool Vide(const QString& texte) {
    return texte.trimmed().isEmpty();
}

// What one subject file gives to the cards of the chosen students.
struct TMatiere {
    QString libelle;
    QString minimum, maximum, classe;
    QStringList moyennes;             // chosen student k at k
    QList<QStringList> appreciations; // chosen student k at k, one text per section
};

enum class TRefus { Aucun, Illisible, Ancien, SansEleve, Eleves, Periodes, Sections };

std::unique_ptr<TFichierTav> Charger(const QString& chemin, TReference& reference, TRefus& refus) {
    auto f = std::make_unique<TFichierTav>(chemin, true, false);
    refus = TRefus::Aucun;
    if (!f->EstValide())
        refus = TRefus::Illisible;
    else if (f->EstImporte())
        refus = TRefus::Ancien;
    else if (f->NombreEleves() == 0)
        refus = TRefus::SansEleve;
    else if (!reference.Vide()) {
        if (!ListesIdentiques(f->ListeEleves(), reference.eleves))
            refus = TRefus::Eleves;
        else if (!ListesIdentiques(f->ListePeriodes(), reference.periodes))
            refus = TRefus::Periodes;
        else if (!ListesIdentiques(f->ColonnesBulletin(), reference.sections))
            refus = TRefus::Sections;
    }
    if (refus != TRefus::Aucun) return nullptr;
    if (reference.Vide()) {
        reference.eleves = f->ListeEleves();
        reference.periodes = f->ListePeriodes();
        reference.sections = f->ColonnesBulletin();
        reference.typeBulletins = f->TypeBulletins();
    }
    return f;
}

QString MessageRefus(TRefus refus, const QString& chemin) {
    const QString debut = QStringLiteral("Le fichier \"") + Nom(chemin);
    switch (refus) {
    case TRefus::Aucun:
        return QString();
    case TRefus::Illisible:
        return debut + QStringLiteral("\" n'est pas un fichier Tavelin valide.");
    case TRefus::Ancien:
        return debut + QStringLiteral("\" est un fichier d'une ancienne version Tavelin.") +
               QStringLiteral("\n\nLa création des bulletins n'est pas possible directement avec "
                              "ce type de fichier.") +
               QStringLiteral("\n\nVous devez l'ouvrir normalement puis l'enregistrer pour qu'il "
                              "soit traduit au nouveau format.") +
               QStringLiteral("\n\nLa création des bulletins sera alors possible.");
    case TRefus::SansEleve:
        return debut + QStringLiteral("\" ne contient aucun élève.") + FinRefus;
    case TRefus::Eleves:
        return debut +
               QStringLiteral("\" n'a pas la même liste d'élèves que les autres fichiers.") +
               FinRefus;
    case TRefus::Periodes:
        return debut +
               QStringLiteral("\" n'a pas le même type de périodes que les autres fichiers.") +
               FinRefus;
    case TRefus::Sections:
        return debut +
               QStringLiteral("\" n'a pas le même type de bulletins que les autres fichiers.") +
               FinRefus;
    }
    return QString();
}

} // namespace

bool ListesIdentiques(const QStringList& a, const QStringList& b) {
    if (a.size() != b.size()) return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (Normaliser(a.at(i)) != Normaliser(b.at(i))) return false;
    return true;
}

QString NomDeFichierValide(const QString& texte) {
    static const QString interdits = QStringLiteral("\\/:*?\"<>|");
    QString resultat;
    resultat.reserve(texte.size());
    for (const QChar c : texte)
        if (!interdits.contains(c)) resultat += c;
    return resultat;
}

QString MessageIllisible(const QString& chemin) {
    return QStringLiteral("Impossible de lire le fichier \"") + Nom(chemin) +
           QStringLiteral("\" !");
}

std::unique_ptr<TFichierTav> ChargerFichier(const QString& chemin, TReference& reference,
                                            QString& message) {
    TRefus refus;
    auto f = Charger(chemin, reference, refus);
    message = MessageRefus(refus, chemin);
    return f;
}

bool Rassembler(const QStringList& fichiers, const TOptions& options, TJeu& jeu, QString& message,
                const TReference* attendue, TEchec* echec) {
    const auto Echouer = [&](TEchec n, const QString& texte) {
        message = texte;
        if (echec) *echec = n;
        return false;
    };
    if (echec) *echec = TEchec::Aucun;
    jeu = TJeu();
    if (fichiers.isEmpty()) return Echouer(TEchec::Choix, QStringLiteral("Aucun fichier choisi."));

    TReference reference = attendue ? *attendue : TReference();
    QList<int> choisis; // students, 1-based
    QList<TMatiere> matieres;
    matieres.reserve(fichiers.size());
    QString ecole, annee;
    for (qsizetype i = 0; i < fichiers.size(); ++i) {
        const QString& chemin = fichiers.at(i);
        TRefus refus;
        const std::unique_ptr<TFichierTav> f = Charger(chemin, reference, refus);
        if (!f)
            return Echouer(TEchec::Fichier, refus == TRefus::Illisible
                                                ? MessageIllisible(chemin)
                                                : MessageRefus(refus, chemin));
        const int N = f->NombreEleves();
        if (i == 0) {
            if (options.periode < 1 || options.periode > f->NombrePeriodes())
                return Echouer(TEchec::Choix,
                               QStringLiteral("La classe n'a que %1 période(s) : la période %2 "
                                              "n'existe pas.")
                                   .arg(f->NombrePeriodes())
                                   .arg(options.periode));
            for (const int s : options.eleves) {
                if (s < 1 || s > N)
                    return Echouer(TEchec::Choix,
                                   QStringLiteral("La classe n'a pas d'élève n°%1.").arg(s));
                if (!choisis.contains(s)) choisis.append(s);
            }
            for (const QString& nom : options.nomsEleves) {
                const QString cherche = Normaliser(nom);
                int trouve = 0;
                for (int s = 1; s <= N && !trouve; ++s)
                    if (Normaliser(f->NomEleve(s)) == cherche) trouve = s;
                if (!trouve)
                    return Echouer(
                        TEchec::Choix,
                        QStringLiteral("L'élève \"%1\" n'est pas dans le fichier \"%2\".")
                            .arg(nom.trimmed(), Nom(chemin)));
                if (!choisis.contains(trouve)) choisis.append(trouve);
            }
            if (options.eleves.isEmpty() && options.nomsEleves.isEmpty())
                for (int s = 1; s <= N; ++s)
                    choisis.append(s);
            std::sort(choisis.begin(), choisis.end());
            jeu.periode = options.periode;
            jeu.nomPeriode = f->NomPeriode(options.periode);
            jeu.classe = f->Classe();
            ecole = f->Ecole();
            annee = f->AnneeScolaire();
        }
        if (options.sur > 0) f->ImposerMoyennesSur(options.sur);
        const int p = options.periode;
        TMatiere m;
        m.libelle = f->Matiere();
        if (options.enseignant) m.libelle += QLatin1Char('\n') + f->Enseignant();
        QStringList toutes;
        toutes.reserve(N);
        for (int s = 1; s <= N; ++s)
            toutes.append(f->MoyenneBulletin(p, s, options.arrondi));
        m.minimum = TFichierTav::MinimumListe(toutes);
        m.maximum = TFichierTav::MaximumListe(toutes);
        m.classe = TFichierTav::MoyenneListe(toutes);
        const int K = f->NombreColonnesBulletin();
        for (const int s : choisis) {
            m.moyennes.append(toutes.at(s - 1));
            QStringList apps;
            for (int c = 1; c <= K; ++c)
                apps.append(f->Appreciation(p, s, c));
            m.appreciations.append(apps);
        }
        matieres.append(std::move(m));
    }

    const bool minMax = !options.masquerMinMax;
    const int K = options.appreciations ? int(reference.sections.size()) : 0;
    QStringList colonnes = {QStringLiteral("Matières"), QStringLiteral("Elève")};
    if (minMax)
        colonnes << QStringLiteral("Min") << QStringLiteral("Max") << QStringLiteral("Classe");
    for (int c = 0; c < K; ++c)
        colonnes.append(reference.sections.at(c));

    jeu.cartes.reserve(choisis.size());
    for (qsizetype k = 0; k < choisis.size(); ++k) {
        TCarte carte;
        carte.eleve = reference.eleves.at(choisis.at(k) - 1) + QStringLiteral(" (") + jeu.classe +
                      QLatin1Char(')');
        carte.ecole = options.ecole.value_or(ecole);
        carte.anneeScolaire = options.anneeScolaire.value_or(annee);
        carte.nomPeriode = options.nomPeriode.value_or(jeu.nomPeriode);
        carte.intituleCadre = options.intituleCadre;
        carte.logo = options.logo;
        carte.colonnes = colonnes;
        carte.sections = K;
        carte.masquerMinMax = options.masquerMinMax;
        QStringList eleve, minima, maxima, classes;
        for (const TMatiere& m : matieres) {
            const QString& moyenne = m.moyennes.at(k);
            const QStringList& apps = m.appreciations.at(k);
            bool garder = !Vide(moyenne);
            for (int c = 0; c < K && !garder; ++c)
                garder = !Vide(apps.at(c));
            if (!garder) continue;
            QStringList ligne = {m.libelle, moyenne};
            if (minMax) ligne << m.minimum << m.maximum << m.classe;
            for (int c = 0; c < K; ++c)
                ligne.append(apps.at(c));
            carte.lignes.append(ligne);
            eleve.append(moyenne);
            minima.append(m.minimum);
            maxima.append(m.maximum);
            classes.append(m.classe);
        }
        QStringList finale = {QStringLiteral("Moyenne générale"), TFichierTav::MoyenneListe(eleve)};
        if (minMax)
            finale << TFichierTav::MoyenneListe(minima) << TFichierTav::MoyenneListe(maxima)
                   << TFichierTav::MoyenneListe(classes);
        for (int c = 0; c < K; ++c)
            finale.append(QString());
        carte.lignes.append(finale);
        jeu.cartes.append(std::move(carte));
    }
    return true;
}

} // namespace Bulletins
