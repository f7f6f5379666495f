// The summary command: the summary grid of one view of a class file, cell by cell, as the
// summary page shows it with the given settings.
#include "commandes.h"

#include "tavX_bilan.h"
#include "tavX_fichierTav.h"
#include "tavX_options.h"

#include <QJsonArray>
#include <QJsonObject>
#include <optional>

namespace {

const QString Commande = QStringLiteral("summary");

// A whole number written with digits only, within [min, max].
std::optional<int> LireEntier(const QString& texte, int min, int max) {
    if (texte.isEmpty() || texte.size() > 9) return std::nullopt;
    for (const QChar c : texte)
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
    const int v = texte.toInt();
    if (v < min || v > max) return std::nullopt;
    return v;
}

void Aide() {
    Cli::Sortie(QStringLiteral(
        "Usage : tavelin-cli summary FICHIER (--periode P | --annee) [--par-type] [--ecrit-oral]\n"
        "                            [--descendant] [--sur S] [--arrondi M]\n"
        "                            [--arrondi-annuel M] [--type-annuel T]\n\n"
        "Affiche en JSON (UTF-8) la grille des bilans d'une période ou de l'année, cellule par\n"
        "cellule, telle que la page des bilans la montre avec ces réglages :\n"
        "  {\"cellules\": [[textes de la ligne 0], ...], \"colonnes\": C, \"lignes\": N+9,\n"
        "   \"vue\": P ou \"annee\"}\n"
        "et {\"masquee\": true, \"vue\": ...} pour une vue sans série de notes.\n\n"
        "Options :\n"
        "  --periode P         la période P (1 à P)\n"
        "  --annee             l'année\n"
        "  --par-type          une moyenne par type de notes\n"
        "  --ecrit-oral        les moyennes écrit et oral\n"
        "  --descendant        classement descendant (ascendant sinon)\n"
        "Absentes, ces options valent « non », quels que soient les réglages de Tavelin.\n"
        "  --sur S             moyennes sur S, entier de 1 à 1000 (réglage « moyennesSur »)\n"
        "  --arrondi M         arrondi des moyennes de période, 0 à 4 (« arrondirMoyennes »)\n"
        "  --arrondi-annuel M  arrondi des moyennes annuelles, 0 à 4\n"
        "  --type-annuel T     0 : moyenne des moyennes de période ; 1 : moyenne de toutes\n"
        "                      les notes de l'année\n"
        "Absentes, ces quatre options prennent les réglages de Tavelin.\n"));
}

} // namespace

int CommandeSummary(const QStringList& args) {
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
        {"--periode", 1, 255, std::nullopt},   {"--sur", 1, 1000, std::nullopt},
        {"--arrondi", 0, 4, std::nullopt},     {"--arrondi-annuel", 0, 4, std::nullopt},
        {"--type-annuel", 0, 1, std::nullopt},
    };
    bool annee = false, parType = false, ecritOral = false, descendant = false;
    struct Interrupteur {
        const char* nom;
        bool* valeur;
    };
    const Interrupteur interrupteurs[] = {{"--annee", &annee},
                                          {"--par-type", &parType},
                                          {"--ecrit-oral", &ecritOral},
                                          {"--descendant", &descendant}};

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
        bool interrupteur = false;
        for (const Interrupteur& s : interrupteurs) {
            if (nom != QLatin1String(s.nom)) continue;
            if (egal >= 0)
                return Cli::ErreurUsage(Commande,
                                        QStringLiteral("%1 ne prend pas de valeur").arg(nom));
            *s.valeur = true;
            interrupteur = true;
        }
        if (interrupteur) continue;
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
    if (annee == options[0].valeur.has_value())
        return Cli::ErreurUsage(Commande, QStringLiteral("--periode P ou --annee attendu"));

    auto f = Cli::ChargerClasse(fichier);
    if (!f) return 1;
    const int P = f->NombrePeriodes();
    if (!annee && *options[0].valeur > P)
        return Cli::ErreurUsage(Commande,
                                QStringLiteral("la classe a %1 période(s) (reçu --periode %2)")
                                    .arg(P)
                                    .arg(*options[0].valeur));

    f->ImposerMoyennesSur(options[1].valeur.value_or(int(Options::MoyennesSur())));
    Bilan::TReglages r;
    r.parType = parType;
    r.ecritOral = ecritOral;
    r.descendant = descendant;
    r.arrondi = options[2].valeur.value_or(int(Options::ArrondirMoyennes()));
    r.arrondiAnnuel = options[3].valeur.value_or(int(Options::ArrondirMoyennesAnnuelles()));
    r.typeAnnuel = options[4].valeur.value_or(int(Options::TypeMoyennesAnnuelles()));
    const int vue = annee ? P + 1 : *options[0].valeur;
    const Bilan::TVue v = Bilan::Calculer(*f, vue, r);

    QJsonObject o;
    o[QStringLiteral("vue")] = annee ? QJsonValue(QStringLiteral("annee")) : QJsonValue(vue);
    if (v.masquee) {
        o[QStringLiteral("masquee")] = true;
    } else {
        QJsonArray lignes;
        for (int l = 0; l < v.lignes; ++l) {
            QJsonArray ligne;
            for (int c = 0; c < v.NombreColonnes(); ++c)
                ligne.append(v.Texte(c, l));
            lignes.append(ligne);
        }
        o[QStringLiteral("colonnes")] = v.NombreColonnes();
        o[QStringLiteral("lignes")] = v.lignes;
        o[QStringLiteral("cellules")] = lignes;
    }
    Cli::SortieJson(o);
    return 0;
}
