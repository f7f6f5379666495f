// The summary command: the summary grid of one view of a class file, cell by cell, as the
// summary page shows it with the given settings.
#include "commandes.h"
#include "options_communes.h"

#include "tavX_bilan.h"
#include "tavX_fichierTav.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

const QString Commande = QStringLiteral("summary");

QString Aide() {
    return QStringLiteral(
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
        "Absentes, ces quatre options prennent les réglages de Tavelin.\n");
}

} // namespace

int CommandeSummary(const QStringList& args) {
    if (Cli::DemandeAide(args, Aide())) return 0;
    std::optional<int> periode;
    bool annee = false;
    Bilan::TReglages r;
    Cli::TReglagesMoyennes lus;
    Cli::TOptionsCommande options(Commande, Cli::TOptionsCommande::TFichiers::Un);
    options.Entier("--periode", 1, 255, periode);
    options.Interrupteur("--annee", annee);
    options.Interrupteur("--par-type", r.parType);
    options.Interrupteur("--ecrit-oral", r.ecritOral);
    options.Interrupteur("--descendant", r.descendant);
    options.Moyennes(lus, true);
    if (const int code = options.Lire(args)) return code;
    if (annee == periode.has_value())
        return Cli::ErreurUsage(Commande, QStringLiteral("--periode P ou --annee attendu"));

    auto f = Cli::ChargerClasse(options.Fichiers().first());
    if (!f) return 1;
    const int P = f->NombrePeriodes();
    if (!annee && *periode > P)
        return Cli::ErreurUsage(
            Commande,
            QStringLiteral("la classe a %1 période(s) (reçu --periode %2)").arg(P).arg(*periode));

    f->ImposerMoyennesSur(lus.Sur());
    r.arrondi = lus.Arrondi();
    r.arrondiAnnuel = lus.ArrondiAnnuel();
    r.typeAnnuel = lus.TypeAnnuel();
    const int vue = annee ? P + 1 : *periode;
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
