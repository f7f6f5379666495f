// Loading and saving a class file (".tav"): the current layout "2.3", the
// older "2.0" to "2.2" read as they are, and the first layouts ("bêta 2" to
// "1.0") converted.
#include "tavX_codec.h"
#include "tavX_constantes.h"
#include "tavX_ecritureSure.h"
#include "tavX_exceptions.h"
#include "tavX_fichierTav.h"
#include "tavX_flux_io.h"
#include "tavX_options.h"

#include <QFileInfo>
#include <algorithm>
#include <numeric>

using namespace Tav;

namespace {

const QString Un = QStringLiteral("1");
const QString SignatureTavelin = QStringLiteral("Tavelin");
const QString VersionEcrite = QStringLiteral("2.3");
// A full class of 50 students weighs well under 1 MB: this leaves plenty of room and keeps
// what a load may allocate bounded.
constexpr qint64 TailleMaximale = 32 * 1024 * 1024;

TFichierTav::TAnnonce& Annonce() {
    static TFichierTav::TAnnonce annonce;
    return annonce;
}

QStringList ListeDe(qsizetype taille, const QString& valeur) {
    QStringList l;
    l.reserve(taille);
    for (qsizetype i = 0; i < taille; ++i)
        l.append(valeur);
    return l;
}

bool EstVersionActuelle(const QString& v) {
    return v == QLatin1String("2.0") || v == QLatin1String("2.1") || v == QLatin1String("2.2") ||
           v == QLatin1String("2.3");
}

bool EstAncienneVersion(const QString& v) {
    static const QStringList anciennes = {QStringLiteral("bêta 2"), QStringLiteral("bêta 3"),
                                          QStringLiteral("bêta 4"), QStringLiteral("bêta 5"),
                                          QStringLiteral("bêta 6"), QStringLiteral("1.0")};
    return anciennes.contains(v);
}

// The path with its extension replaced by ".bak".
QString CheminBak(const QString& chemin) {
    const qsizetype barre =
        std::max(chemin.lastIndexOf(QLatin1Char('/')), chemin.lastIndexOf(QLatin1Char('\\')));
    const qsizetype point = chemin.lastIndexOf(QLatin1Char('.'));
    if (point > barre) return chemin.left(point) + QStringLiteral(".bak");
    return chemin + QStringLiteral(".bak");
}

} // namespace

// Reads the layouts a class file may have into a class file object.
class TLecteurTav {
public:
    TLecteurTav(TFichierTav& f, TFluxTav& flux) : f(f), flux(flux) {}

    void LireActuel(bool elevesSeulement);
    void ConvertirAncien();

private:
    QString L() { return flux.LireChaine(); }
    int E(int maximum = 255) { return flux.LireEntier(maximum); }
    QStringList LireNoms(int n) {
        QStringList noms;
        for (int i = 0; i < n; ++i)
            noms.append(L());
        return noms;
    }
    int LirePeriodes();
    void LireEleves(bool elevesSeulement);

    TFichierTav& f;
    TFluxTav& flux;
};

int TLecteurTav::LirePeriodes() {
    const int P = E();
    if (P < 1 || P > MaxPeriodesFichier)
        throw TTavException(QStringLiteral("nombre de périodes incorrect (%1 ; de 1 à %2 attendu)")
                                .arg(P)
                                .arg(MaxPeriodesFichier));
    f.periodes.Remplacer(LireNoms(P));
    return P;
}

void TLecteurTav::LireEleves(bool /*elevesSeulement*/) {
    const int N = E();
    // Names stay in file order until the data of every student is read.
    f.eleves.DefinirListeTriee(LireNoms(N));
}

void TLecteurTav::LireActuel(bool elevesSeulement) {
    const QString& v = f.version;
    const bool v20 = v == QLatin1String("2.0");
    const bool v21 = v == QLatin1String("2.1");
    const bool v23 = v == QLatin1String("2.3");
    if (!v20) f.enseignant = L();
    f.nomClasse = L();
    f.ecole = L();
    f.matiere = L();
    f.anneeScolaire = L();
    f.remarque = L();
    f.periodes.ModifierTypePeriodes(L());
    const int P = LirePeriodes();
    LireEleves(elevesSeulement);
    const int N = f.NombreEleves();
    if (elevesSeulement) {
        f.TrierElevesAvecDonnees();
        return;
    }

    f.tableSeries.clear();
    f.nombresSeries.clear();
    f.cacheStatistiques.clear();
    int total = 0;
    for (int p = 1; p <= P; ++p) {
        const int S = E();
        total += S;
        if (total > MaxSeriesAnnee)
            throw TTavException(QStringLiteral("le fichier contient plus de %1 séries de notes")
                                    .arg(MaxSeriesAnnee));
        f.nombresSeries.append(QString::number(S));
        for (int j = 0; j < S; ++j) {
            QStringList colonne;
            colonne.reserve(N + NombreLignesSupplementaires);
            for (int ligne = 0; ligne <= N + 9; ++ligne)
                colonne.append(L());   // title, marks, spare
            colonne.append(QString()); // N + 10
            for (int k = LigneNoteSur; k <= LigneTypeNotes; ++k)
                colonne.append(L());
            colonne.append(v23 ? L() : QStringLiteral("Ecrit"));
            f.tableSeries.append(colonne);
            for (int k = 0; k < SlotsStatistiques; ++k)
                f.cacheStatistiques.append(Un);
        }
    }
    f.tableSeries.append(ListeDe(N + NombreLignesSupplementaires, QString()));
    f.cacheMoyennes = ListeDe(qsizetype(2) * P * N, Un);
    f.points.clear();
    f.appreciations.clear();
    f.libellesClasse = QStringList{QStringLiteral("classe")};
    f.datesNaissance = ListeDe(N, QString());
    f.indicesLibelle = ListeDe(N, Un);
    f.redoublants = ListeDe(N, QString());

    if (v20) {
        for (qsizetype i = 0; i < qsizetype(P) * N; ++i)
            f.points.append(L());
        f.enseignant = L();
        f.arrondiMoyennes = quint8(E());
        for (qsizetype i = 0; i < qsizetype(P) * N; ++i)
            f.appreciations.append(L());
    } else if (v21) {
        for (qsizetype i = 0; i < qsizetype(P) * N; ++i) {
            f.points.append(L());
            f.appreciations.append(L());
        }
        f.arrondiMoyennes = quint8(E());
        f.arrondiMoyennesAnnuelles = quint8(E());
        f.typeMoyennesAnnuelles = quint8(E());
    } else {
        for (qsizetype i = 0; i < qsizetype(P) * N; ++i)
            f.points.append(L());
        const int C = E();
        f.libellesClasse = LireNoms(C);
        f.typeBulletins.ModifierNom(L());
        const int K = E();
        f.typeBulletins.ModifierColonnes(LireNoms(K));
        for (qsizetype i = 0; i < qsizetype(P) * N * K; ++i)
            f.appreciations.append(L());
        for (int s = 0; s < N; ++s) {
            f.datesNaissance[s] = L();
            f.indicesLibelle[s] = L();
            if (v23) f.redoublants[s] = L();
        }
        f.arrondiMoyennes = quint8(E());
        f.arrondiMoyennesAnnuelles = quint8(E());
        f.typeMoyennesAnnuelles = quint8(E());
    }
    f.TrierElevesAvecDonnees();
    f.modifie = false;
}

void TLecteurTav::ConvertirAncien() {
    f.nomClasse = L();
    f.ecole = L();
    f.matiere = L();
    f.anneeScolaire = L();
    f.remarque = L();
    const int N = E();
    f.eleves.DefinirListeTriee(LireNoms(N));
    f.periodes = TPeriodes();
    f.nombresSeries = ListeDe(12, QStringLiteral("0"));
    f.tableSeries = {ListeDe(N + NombreLignesSupplementaires, QString())};
    f.libellesClasse = QStringList{QStringLiteral("classe")};
    f.datesNaissance = ListeDe(N, QString());
    f.indicesLibelle = ListeDe(N, Un);
    f.redoublants = ListeDe(N, QString());
    const int S = E();
    int periodeMax = 3;
    for (int i = 0; i < S; ++i) {
        const QString noteSur = L();
        const QString coefficient = L();
        const QString compte = L();
        const QString date = L();
        const QString commentaire = L();
        const QString code = L();
        const int p = E();
        const QString suffixe = L();
        if (p < 1 || p > 12)
            throw TTavException(QStringLiteral("numéro de période incorrect (%1) pour la série %2")
                                    .arg(p)
                                    .arg(i + 1));
        QString intitule, type;
        if (code == QLatin1String("0"))
            type = QStringLiteral("Contrôle en classe");
        else if (code == QLatin1String("1"))
            type = QStringLiteral("Test en classe");
        else if (code == QLatin1String("2"))
            type = QStringLiteral("Devoir à la maison");
        if (type.isEmpty()) {
            intitule = suffixe;
            type = code;
        } else {
            intitule = type + QLatin1Char(' ') + suffixe;
        }
        if (p > f.NombrePeriodes()) {
            // Series beyond the three trimesters get periods of their own.
            QStringList noms = f.periodes.Liste();
            for (int q = int(noms.size()) + 1; q <= p; ++q)
                noms.append(QStringLiteral("Période %1").arg(q));
            f.periodes.Remplacer(noms);
            periodeMax = p;
        }
        f.AjouterSerie(p, intitule, false, type, commentaire, date, compte, coefficient, noteSur);
        // The marks go to the series just added, wherever its period put it.
        QStringList& colonne = f.tableSeries[f.IndiceColonne(p, f.NombreSeries(p))];
        for (int s = 1; s <= N; ++s) {
            const QString note = L();
            colonne[s] = note == QLatin1String("-1") ? QStringLiteral("abs") : note;
        }
    }
    const int P = f.NombrePeriodes();
    f.points = ListeDe(qsizetype(P) * N, QString());
    f.appreciations = ListeDe(qsizetype(P) * N, QString());
    f.cacheMoyennes = ListeDe(qsizetype(2) * P * N, Un);
    f.enseignant = Options::UtilisateursParDefaut().value(0);
    f.arrondiMoyennes = Options::ArrondirMoyennes();
    f.arrondiMoyennesAnnuelles = Options::ArrondirMoyennesAnnuelles();
    f.typeMoyennesAnnuelles = Options::TypeMoyennesAnnuelles();
    f.TrierElevesAvecDonnees();
    f.ReconstruireCacheStatistiques();
    f.modifie = true;
    if (periodeMax > 3)
        f.messageImportation =
            QStringLiteral("\r\n\r\nCertaines séries de notes appartenaient à des périodes "
                           "au-delà du troisième trimestre : la classe compte maintenant "
                           "%1 périodes, de sorte qu'aucune note n'est perdue.")
                .arg(P);
}

void TFichierTav::DefinirAnnonceImportation(TAnnonce annonce) {
    Annonce() = std::move(annonce);
}

void TFichierTav::Charger(bool importSilencieux, bool elevesSeulement) {
    arrondiMoyennes = Options::ArrondirMoyennes();
    arrondiMoyennesAnnuelles = Options::ArrondirMoyennesAnnuelles();
    typeMoyennesAnnuelles = Options::TypeMoyennesAnnuelles();
    valide = true;
    importe = false;
    tableSeries = {ListeDe(NombreLignesSupplementaires, QString())};
    nombresSeries = ListeDe(3, QStringLiteral("0"));
    libellesClasse = QStringList{QStringLiteral("classe")};
    try {
        // Only a regular file is read, never more than a class can weigh: a pipe would block
        // and a device such as /dev/zero would never end.
        QByteArray octets;
        QString cause;
        if (!LireFichierOrdinaire(nomFichier, TailleMaximale, octets, &cause))
            throw TTavException(cause);
        TFluxTav flux(std::move(octets));
        if (flux.FinAtteinte()) throw TTavException(QStringLiteral("Ce fichier est vide."));
        try {
            signature = flux.LireChaine();
        } catch (const TTavException&) {
            throw TTavException(QStringLiteral("Ce fichier n'est pas un fichier Tavelin"));
        }
        if (signature != SignatureTavelin)
            throw TTavException(QStringLiteral("Ce fichier n'est pas un fichier Tavelin"));
        version = flux.LireChaine();
        TLecteurTav lecteur(*this, flux);
        if (EstVersionActuelle(version)) {
            lecteur.LireActuel(elevesSeulement);
        } else if (EstAncienneVersion(version)) {
            try {
                lecteur.ConvertirAncien();
            } catch (const TTavException& e) {
                throw TTavException(
                    QStringLiteral("Mauvaise version de fichier. (%1)").arg(e.Message()));
            }
            importe = true;
            const QString texte = QStringLiteral("Le fichier \"") +
                                  QFileInfo(nomFichier).fileName() +
                                  QStringLiteral("\" est un fichier d'une ancienne version de "
                                                 "Tavelin.\r\n\r\nSon importation dans Tavelin a "
                                                 "été réussie.") +
                                  messageImportation;
            messageImportation = texte;
            if (!importSilencieux && Annonce()) Annonce()(QStringLiteral("Tavelin"), texte);
        } else {
            throw TTavException(QStringLiteral("Mauvaise version de fichier."));
        }
    } catch (const TTavException& e) {
        valide = false;
        causeInvalidite = e.Message();
    } catch (const std::exception& e) {
        valide = false;
        causeInvalidite = QString::fromLocal8Bit(e.what());
    }
}

void TFichierTav::TrierElevesAvecDonnees() {
    const QStringList noms = eleves.Liste();
    const int N = int(noms.size());
    QList<int> ordre(N);
    std::iota(ordre.begin(), ordre.end(), 0);
    std::stable_sort(ordre.begin(), ordre.end(),
                     [&](int a, int b) { return TEleves::Comparer(noms.at(a), noms.at(b)) < 0; });
    bool dejaTrie = true;
    for (int t = 0; t < N; ++t)
        dejaTrie = dejaTrie && ordre[t] == t;
    if (dejaTrie) return;

    QStringList triees;
    for (int t = 0; t < N; ++t)
        triees.append(noms.at(ordre[t]));
    eleves.DefinirListeTriee(triees);

    auto permuter = [&](QStringList& liste, qsizetype debut, int taille) {
        if (liste.size() < debut + qsizetype(N) * taille) return;
        const QStringList copie = liste.mid(debut, qsizetype(N) * taille);
        for (int t = 0; t < N; ++t)
            for (int k = 0; k < taille; ++k)
                liste[debut + qsizetype(t) * taille + k] =
                    copie.at(qsizetype(ordre[t]) * taille + k);
    };
    for (QStringList& colonne : tableSeries)
        permuter(colonne, 1, 1);
    const int P = NombrePeriodes();
    const int K = NombreColonnesBulletin();
    for (int p = 0; p < P; ++p) {
        permuter(points, qsizetype(N) * p, 1);
        permuter(appreciations, qsizetype(N) * K * p, K);
    }
    permuter(datesNaissance, 0, 1);
    permuter(indicesLibelle, 0, 1);
    permuter(redoublants, 0, 1);
}

// Writes the current layout.
class TEcrivainTav {
public:
    static QByteArray Ecrire(const TFichierTav& f);
};

QByteArray TEcrivainTav::Ecrire(const TFichierTav& f) {
    TFluxTav flux;
    const int P = f.NombrePeriodes();
    const int N = f.NombreEleves();
    const int K = f.NombreColonnesBulletin();
    flux.EcrireChaine(SignatureTavelin);
    flux.EcrireChaine(VersionEcrite);
    flux.EcrireChaine(f.enseignant);
    flux.EcrireChaine(f.nomClasse);
    flux.EcrireChaine(f.ecole);
    flux.EcrireChaine(f.matiere);
    flux.EcrireChaine(f.anneeScolaire);
    flux.EcrireChaine(f.remarque);
    flux.EcrireChaine(f.periodes.TypePeriodes());
    if (P > MaxPeriodesFichier) throw TTavException(QStringLiteral("trop de périodes (%1)").arg(P));
    flux.EcrireEntier(P);
    for (const QString& nom : f.periodes.Liste())
        flux.EcrireChaine(nom);
    flux.EcrireEntier(N);
    for (const QString& nom : f.eleves.Liste())
        flux.EcrireChaine(nom);
    f.NombreSeriesAnnee(); // raises when the year holds too many series
    for (int p = 1; p <= P; ++p) {
        const int S = f.NombreSeries(p);
        flux.EcrireEntier(S);
        for (int j = 1; j <= S; ++j) {
            const QStringList& colonne = f.tableSeries.at(f.IndiceColonne(p, j));
            for (int ligne = 0; ligne <= N; ++ligne)
                flux.EcrireChaine(colonne.value(ligne));
            for (int k = 0; k < 9; ++k)
                flux.EcrireChaine(QString());
            for (int k = LigneNoteSur; k <= LigneOralEcrit; ++k)
                flux.EcrireChaine(colonne.value(N + k));
        }
    }
    for (qsizetype i = 0; i < qsizetype(P) * N; ++i)
        flux.EcrireChaine(f.points.value(i));
    flux.EcrireEntier(int(f.libellesClasse.size()));
    for (const QString& l : f.libellesClasse)
        flux.EcrireChaine(l);
    flux.EcrireChaine(f.typeBulletins.Nom());
    flux.EcrireEntier(K);
    for (const QString& c : f.typeBulletins.Colonnes())
        flux.EcrireChaine(c);
    for (qsizetype i = 0; i < qsizetype(P) * N * K; ++i)
        flux.EcrireChaine(f.appreciations.value(i));
    for (int s = 0; s < N; ++s) {
        flux.EcrireChaine(f.datesNaissance.value(s));
        bool ok = false;
        const int indice = f.indicesLibelle.value(s).toInt(&ok);
        flux.EcrireChaine(ok ? QString::number(indice) : Un);
        flux.EcrireChaine(f.redoublants.value(s));
    }
    flux.EcrireEntier(f.arrondiMoyennes);
    flux.EcrireEntier(f.arrondiMoyennesAnnuelles);
    flux.EcrireEntier(f.typeMoyennesAnnuelles);
    return flux.Donnees();
}

QByteArray TFichierTav::Contenu() const {
    return TEcrivainTav::Ecrire(*this);
}

void TFichierTav::Enregistrer(const QString& nom) {
    causeErreurEnregistrement.clear();
    try {
        const QByteArray octets = TEcrivainTav::Ecrire(*this);
        // The new content goes to a temporary file that replaces the class file only once it
        // is complete and on the disk: a failure never leaves a truncated or missing file.
        TEcritureSure ecriture(nom);
        if (!ecriture.Ouvrir()) throw TTavException(ecriture.Cause());
        // The first save over an existing file keeps it as ".bak". A backup that cannot be
        // written stops the save, the class file left as it was: the user learns why (most
        // often a full disk, where the save itself would fail next).
        if (Options::FichierBak() && QFileInfo(nom).isFile()) {
            const QString bak = CheminBak(nom);
            QString cause;
            if (!QFileInfo::exists(bak) && !CopierFichierSur(nom, bak, TailleMaximale, &cause))
                throw TTavException(cause +
                                    QStringLiteral(" : la copie de sauvegarde « %1 » n'a pas pu "
                                                   "être écrite, et le fichier de classe n'a pas "
                                                   "été modifié.")
                                        .arg(QFileInfo(bak).fileName()));
        }
        if (!ecriture.Ecrire(octets) || !ecriture.Valider()) throw TTavException(ecriture.Cause());
    } catch (const TTavException& e) {
        causeErreurEnregistrement = e.Message();
        throw TTavException(QStringLiteral("Erreur dans l'enregistrement du fichier ") + nom);
    }
    const bool autreChemin = nomFichier != nom;
    nomFichier = nom;
    importe = false;
    modifie = false;
    Annoncer([this, autreChemin](TObservateurFichier& o) {
        if (autreChemin) o.CheminChange(nomFichier);
    });
}
