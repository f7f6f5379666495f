// The averages command: every average, statistic and ranking of a class file.
#include "commandes.h"

#include "tavX_fichierTav.h"
#include "tavX_options.h"

#include <QJsonArray>
#include <QJsonObject>
#include <optional>

namespace {

const QString Commande = QStringLiteral("averages");

// A whole number written with digits only, within [min, max].
std::optional<int> LireEntier(const QString& texte, int min, int max) {
    if (texte.isEmpty() || texte.size() > 9) return std::nullopt;
    for (const QChar c : texte)
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
    const int v = texte.toInt();
    if (v < min || v > max) return std::nullopt;
    return v;
}

QJsonArray Tableau(const QStringList& liste) {
    return QJsonArray::fromStringList(liste);
}

struct Reglages {
    int sur;
    int arrondi;
    int arrondiAnnuel;
    int typeAnnuel;
};

QJsonObject Periode(TFichierTav& f, int p, const Reglages& r) {
    QJsonObject o;
    o[QStringLiteral("periode")] = p;
    o[QStringLiteral("nom")] = f.NomPeriode(p);
    const QStringList types = f.TypesDeNotes(p);

    QJsonArray eleves;
    for (int s = 1; s <= f.NombreEleves(); ++s) {
        QJsonObject e;
        e[QStringLiteral("nom")] = f.NomEleve(s);
        e[QStringLiteral("moyenneBrute")] = f.MoyenneBrute(p, s);
        e[QStringLiteral("moyenneArrondie")] = f.MoyenneArrondie(p, s, r.arrondi);
        e[QStringLiteral("pointsPlusMoins")] = f.PointsPlusMoins(p, s);
        e[QStringLiteral("moyenneBulletin")] = f.MoyenneBulletin(p, s, r.arrondi);
        e[QStringLiteral("moyenneEcrit")] = f.MoyenneEcrit(p, s);
        e[QStringLiteral("moyenneOral")] = f.MoyenneOral(p, s);
        QJsonObject parType;
        for (const QString& type : types)
            parType[type] = f.MoyenneParType(type, p, s);
        e[QStringLiteral("moyennesParType")] = parType;
        e[QStringLiteral("noteLaPlusBasse")] = f.NoteLaPlusBasse(p, s);
        e[QStringLiteral("noteLaPlusHaute")] = f.NoteLaPlusHaute(p, s);
        eleves.append(e);
    }
    o[QStringLiteral("eleves")] = eleves;

    QJsonArray series;
    for (int j = 1; j <= f.NombreSeries(p); ++j) {
        QJsonObject serie;
        serie[QStringLiteral("numero")] = j;
        serie[QStringLiteral("intitule")] = f.Intitule(p, j);
        serie[QStringLiteral("minimum")] = f.MinimumSerie(p, j);
        serie[QStringLiteral("maximum")] = f.MaximumSerie(p, j);
        serie[QStringLiteral("ecartType")] = f.EcartTypeSerie(p, j);
        serie[QStringLiteral("moyenne")] = f.MoyenneSerie(p, j);
        serie[QStringLiteral("nombreNotes")] = f.NombreNotesSerie(p, j);
        serie[QStringLiteral("pourcentageSousMoyenne")] = f.PourcentageSousMoyenne(p, j);
        serie[QStringLiteral("pourcentageSousMoyenneClasse")] =
            f.PourcentageSousMoyenneClasse(p, j);
        series.append(serie);
    }
    o[QStringLiteral("series")] = series;
    o[QStringLiteral("typesDeNotes")] = Tableau(types);
    o[QStringLiteral("classementAscendant")] =
        Tableau(f.Classement(p, 0, r.typeAnnuel, r.arrondiAnnuel, r.arrondi));
    o[QStringLiteral("classementDescendant")] =
        Tableau(f.Classement(p, 1, r.typeAnnuel, r.arrondiAnnuel, r.arrondi));
    QJsonObject livret;
    livret[QStringLiteral("inf8")] = f.PourcentageLivretInf8(p, r.arrondi);
    livret[QStringLiteral("de8a12")] = f.PourcentageLivret8a12(p, r.arrondi);
    livret[QStringLiteral("sup12")] = f.PourcentageLivretSup12(p, r.arrondi);
    o[QStringLiteral("livret")] = livret;
    return o;
}

QJsonObject Annee(TFichierTav& f, const Reglages& r) {
    const int annee = f.NombrePeriodes() + 1;
    const QStringList types = f.TypesDeNotes(annee);
    QJsonObject o;
    QJsonArray eleves;
    for (int s = 1; s <= f.NombreEleves(); ++s) {
        QJsonObject e;
        e[QStringLiteral("nom")] = f.NomEleve(s);
        e[QStringLiteral("moyenneAnnuelle")] =
            f.MoyenneAnnuelle(s, r.arrondi, r.arrondiAnnuel, r.typeAnnuel);
        e[QStringLiteral("moyenneAnnuelleEcrit")] = f.MoyenneAnnuelleEcrit(s, r.arrondiAnnuel);
        e[QStringLiteral("moyenneAnnuelleOral")] = f.MoyenneAnnuelleOral(s, r.arrondiAnnuel);
        QJsonObject parType;
        for (const QString& type : types)
            parType[type] = f.MoyenneAnnuelleParType(type, s);
        e[QStringLiteral("moyennesAnnuellesParType")] = parType;
        eleves.append(e);
    }
    o[QStringLiteral("eleves")] = eleves;
    o[QStringLiteral("typesDeNotes")] = Tableau(types);
    o[QStringLiteral("classementAscendant")] =
        Tableau(f.Classement(annee, 0, r.typeAnnuel, r.arrondiAnnuel, r.arrondi));
    o[QStringLiteral("classementDescendant")] =
        Tableau(f.Classement(annee, 1, r.typeAnnuel, r.arrondiAnnuel, r.arrondi));
    return o;
}

void Aide() {
    Cli::Sortie(QStringLiteral(
        "Usage : tavelin-cli averages FICHIER [--sur S] [--arrondi M] [--arrondi-annuel M]\n"
        "                             [--type-annuel T]\n\n"
        "Affiche en JSON (UTF-8) les moyennes de chaque élève par période (brute, arrondie,\n"
        "bulletin, écrit, oral, par type de notes, note la plus basse et la plus haute), les\n"
        "statistiques de chaque série, les classements et les statistiques des livrets\n"
        "scolaires, puis les moyennes annuelles et le classement de l'année.\n\n"
        "Options (par défaut, les réglages de Tavelin) :\n"
        "  --sur S             moyennes sur S, entier de 1 à 1000 (réglage « moyennesSur »)\n"
        "  --arrondi M         arrondi des moyennes de période, 0 à 4 (« arrondirMoyennes »)\n"
        "  --arrondi-annuel M  arrondi des moyennes annuelles, 0 à 4\n"
        "                      (« arrondirMoyennesAnnuelles »)\n"
        "  --type-annuel T     0 : moyenne des moyennes de période ; 1 : moyenne de toutes\n"
        "                      les notes de l'année (« typeMoyennesAnnuelles »)\n\n"
        "Arrondis : 0 aucun, 1 au dixième, 2 au quart de point, 3 au demi-point,\n"
        "4 « Spécial Brevet ». Les nombres gardent la virgule décimale.\n"));
}

} // namespace

int CommandeAverages(const QStringList& args) {
    if (Cli::DemandeAide(args)) {
        Aide();
        return 0;
    }

    struct Option {
        const char* nom;
        int min;
        int max;
        std::optional<int> valeur;
    };
    Option options[] = {
        {"--sur", 1, 1000, std::nullopt},
        {"--arrondi", 0, 4, std::nullopt},
        {"--arrondi-annuel", 0, 4, std::nullopt},
        {"--type-annuel", 0, 1, std::nullopt},
    };

    QString fichier;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        if (!a.startsWith(QLatin1String("--"))) {
            if (!fichier.isEmpty())
                return Cli::ErreurUsage(Commande, QStringLiteral("un seul fichier attendu"));
            fichier = a;
            continue;
        }
        const qsizetype egal = a.indexOf(QLatin1Char('='));
        const QString nom = egal < 0 ? a : a.left(egal);
        Option* option = nullptr;
        for (Option& o : options)
            if (nom == QLatin1String(o.nom)) option = &o;
        if (!option)
            return Cli::ErreurUsage(Commande, QStringLiteral("option inconnue « %1 »").arg(nom));
        QString texte;
        if (egal >= 0) {
            texte = a.mid(egal + 1);
        } else {
            if (i + 1 >= args.size())
                return Cli::ErreurUsage(Commande,
                                        QStringLiteral("valeur manquante après %1").arg(nom));
            texte = args.at(++i);
        }
        option->valeur = LireEntier(texte, option->min, option->max);
        if (!option->valeur)
            return Cli::ErreurUsage(Commande,
                                    QStringLiteral("%1 attend un entier de %2 à %3 (reçu « %4 »)")
                                        .arg(nom)
                                        .arg(option->min)
                                        .arg(option->max)
                                        .arg(texte));
    }
    if (fichier.isEmpty())
        return Cli::ErreurUsage(Commande, QStringLiteral("fichier de classe attendu"));

    const Reglages r{
        options[0].valeur.value_or(int(Options::MoyennesSur())),
        options[1].valeur.value_or(int(Options::ArrondirMoyennes())),
        options[2].valeur.value_or(int(Options::ArrondirMoyennesAnnuelles())),
        options[3].valeur.value_or(int(Options::TypeMoyennesAnnuelles())),
    };

    auto f = Cli::ChargerClasse(fichier);
    if (!f) return 1;
    // The scale is given to this class only: the user's settings stay as they are.
    f->ImposerMoyennesSur(r.sur);

    QJsonObject o;
    o[QStringLiteral("moyennesSur")] = r.sur;
    o[QStringLiteral("arrondirMoyennes")] = r.arrondi;
    o[QStringLiteral("arrondirMoyennesAnnuelles")] = r.arrondiAnnuel;
    o[QStringLiteral("typeMoyennesAnnuelles")] = r.typeAnnuel;
    QJsonArray periodes;
    for (int p = 1; p <= f->NombrePeriodes(); ++p)
        periodes.append(Periode(*f, p, r));
    o[QStringLiteral("periodes")] = periodes;
    o[QStringLiteral("annee")] = Annee(*f, r);
    Cli::SortieJson(o);
    return 0;
}
