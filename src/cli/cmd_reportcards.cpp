// The report-cards command: the report cards of a class, one per student, gathered from its
// subject files as the report-card wizard makes them, printed as JSON or written as PDF or ODT.
#include "commandes.h"

#include "sortie_json.h"
#include "tavX_donneesBulletins.h"
#include "tavX_moteurBulletins.h"
#include "tavX_options.h"

#include <QFileInfo>
#include <optional>

namespace {

const QString Commande = QStringLiteral("report-cards");

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
        "Usage : tavelin-cli report-cards FICHIER... --periode P [--eleve NOM]... [--enseignant]\n"
        "                                 [--sans-appreciations] [--masquer-min-max] [--sur S]\n"
        "                                 [--arrondi M] [--ecole TEXTE] [--annee TEXTE]\n"
        "                                 [--logo IMAGE] (--json | --pdf SORTIE.pdf |\n"
        "                                 --pdf-par-eleve DOSSIER | --odt SORTIE.odt |\n"
        "                                 --rtf SORTIE.rtf)\n\n"
        "Crée les bulletins d'une classe à partir de ses fichiers, un par matière, dans l'ordre\n"
        "des matières. Les fichiers doivent avoir la même liste d'élèves, les mêmes périodes et\n"
        "le même type de bulletins. Un bulletin par élève (tous par défaut), dans l'ordre des\n"
        "élèves du premier fichier.\n\n"
        "Options :\n"
        "  --periode P            la période (1 à P)\n"
        "  --eleve NOM            ce seul élève (option répétable)\n"
        "  --enseignant           le nom de l'enseignant sous la matière\n"
        "  --sans-appreciations   sans les colonnes d'appréciations\n"
        "  --masquer-min-max      sans les colonnes « Min », « Max » et « Classe »\n"
        "  --sur S                moyennes sur S, 1 à 1000 (réglage « moyennesSur »)\n"
        "  --arrondi M            arrondi des moyennes, 0 à 4 (réglage « arrondirMoyennes »)\n"
        "  --ecole, --annee       l'établissement et l'année scolaire (du premier fichier sinon)\n"
        "  --intitule TEXTE       l'intitulé du cadre du bas de la page\n"
        "  --logo IMAGE           le logo en haut à gauche\n"
        "  --json                 les bulletins en JSON sur la sortie standard\n"
        "  --pdf SORTIE.pdf       un document PDF pour la classe\n"
        "  --pdf-par-eleve DOSSIER  un PDF par élève (les fichiers existants sont remplacés)\n"
        "  --odt, --rtf           un document pour un traitement de texte\n"));
}

void EcrireJson(const Bulletins::TJeu& jeu) {
    // Members in sorted key order, as QJsonDocument writes them.
    Cli::TSortieJson s;
    s.DebutObjet();
    s.Cle("cartes");
    s.DebutTableau();
    for (const Bulletins::TCarte& c : jeu.cartes) {
        s.DebutObjet();
        s.Cle("anneeScolaire");
        s.Texte(c.anneeScolaire);
        s.Cle("colonnes");
        s.Textes(c.colonnes);
        s.Cle("ecole");
        s.Texte(c.ecole);
        s.Cle("eleve");
        s.Texte(c.eleve);
        s.Cle("lignes");
        s.DebutTableau();
        for (const QStringList& l : c.lignes)
            s.Textes(l);
        s.FinTableau();
        s.Cle("nomPeriode");
        s.Texte(c.nomPeriode);
        s.FinObjet();
    }
    s.FinTableau();
    s.Cle("nomPeriode");
    s.Texte(jeu.nomPeriode);
    s.Cle("periode");
    s.Entier(jeu.periode);
    s.FinObjet();
    s.Ecrire();
}

} // namespace

int CommandeReportCards(const QStringList& args) {
    if (Cli::DemandeAide(args)) {
        Aide();
        return 0;
    }
    Bulletins::TOptions options;
    options.arrondi = Options::ArrondirMoyennes();
    options.sur = int(Options::MoyennesSur());
    std::optional<int> periode;
    QStringList fichiers;
    enum class Sortie { Aucune, Json, Pdf, PdfParEleve, Odt, Rtf } sortie = Sortie::Aucune;
    QString cible;
    int sorties = 0;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        if (!a.startsWith(QLatin1String("--"))) {
            fichiers.append(a);
            continue;
        }
        const qsizetype egal = a.indexOf(QLatin1Char('='));
        const QString nom = egal < 0 ? a : a.left(egal);
        const auto Valeur = [&](QString& texte) {
            if (egal >= 0) {
                texte = a.mid(egal + 1);
                return true;
            }
            if (i + 1 >= args.size()) return false;
            texte = args.at(++i);
            return true;
        };
        const auto Manque = [&] {
            return Cli::ErreurUsage(Commande, QStringLiteral("valeur manquante après %1").arg(nom));
        };
        struct Interrupteur {
            const char* nom;
            bool* valeur;
            bool etat;
        };
        const Interrupteur interrupteurs[] = {
            {"--enseignant", &options.enseignant, true},
            {"--sans-appreciations", &options.appreciations, false},
            {"--masquer-min-max", &options.masquerMinMax, true}};
        bool traite = false;
        for (const Interrupteur& s : interrupteurs) {
            if (nom != QLatin1String(s.nom)) continue;
            if (egal >= 0)
                return Cli::ErreurUsage(Commande,
                                        QStringLiteral("%1 ne prend pas de valeur").arg(nom));
            *s.valeur = s.etat;
            traite = true;
        }
        if (traite) continue;
        if (nom == QLatin1String("--json")) {
            sortie = Sortie::Json;
            ++sorties;
            continue;
        }
        QString texte;
        const struct {
            const char* nom;
            Sortie sortie;
        } fichiersSortie[] = {{"--pdf", Sortie::Pdf},
                              {"--pdf-par-eleve", Sortie::PdfParEleve},
                              {"--odt", Sortie::Odt},
                              {"--rtf", Sortie::Rtf}};
        for (const auto& f : fichiersSortie) {
            if (nom != QLatin1String(f.nom)) continue;
            if (!Valeur(cible) || cible.isEmpty()) return Manque();
            sortie = f.sortie;
            ++sorties;
            traite = true;
        }
        if (traite) continue;
        if (nom == QLatin1String("--periode") || nom == QLatin1String("--sur") ||
            nom == QLatin1String("--arrondi")) {
            if (!Valeur(texte)) return Manque();
            const int max = nom == QLatin1String("--periode") ? 255
                            : nom == QLatin1String("--sur")   ? 1000
                                                              : 4;
            const int min = nom == QLatin1String("--arrondi") ? 0 : 1;
            const std::optional<int> v = LireEntier(texte, min, max);
            if (!v)
                return Cli::ErreurUsage(
                    Commande, QStringLiteral("%1 attend un entier de %2 à %3 (reçu « %4 »)")
                                  .arg(nom)
                                  .arg(min)
                                  .arg(max)
                                  .arg(texte));
            if (nom == QLatin1String("--periode"))
                periode = v;
            else if (nom == QLatin1String("--sur"))
                options.sur = *v;
            else
                options.arrondi = *v;
        } else if (nom == QLatin1String("--eleve")) {
            if (!Valeur(texte)) return Manque();
            options.nomsEleves.append(texte);
        } else if (nom == QLatin1String("--ecole")) {
            if (!Valeur(texte)) return Manque();
            options.ecole = texte;
        } else if (nom == QLatin1String("--annee")) {
            if (!Valeur(texte)) return Manque();
            options.anneeScolaire = texte;
        } else if (nom == QLatin1String("--intitule")) {
            if (!Valeur(texte)) return Manque();
            options.intituleCadre = texte;
        } else if (nom == QLatin1String("--logo")) {
            if (!Valeur(texte)) return Manque();
            options.logo = texte;
        } else {
            return Cli::ErreurUsage(Commande, QStringLiteral("option inconnue « %1 »").arg(nom));
        }
    }
    if (fichiers.isEmpty())
        return Cli::ErreurUsage(Commande, QStringLiteral("au moins un fichier de classe attendu"));
    if (!periode) return Cli::ErreurUsage(Commande, QStringLiteral("--periode P attendu"));
    if (sorties != 1)
        return Cli::ErreurUsage(
            Commande, QStringLiteral("une sortie attendue : --json, --pdf, --pdf-par-eleve, "
                                     "--odt ou --rtf"));
    options.periode = *periode;

    // A file given twice (under any path) is kept once.
    QStringList uniques, canoniques;
    for (const QString& f : fichiers) {
        const QFileInfo info(f);
        const QString c =
            info.canonicalFilePath().isEmpty() ? info.absoluteFilePath() : info.canonicalFilePath();
        if (canoniques.contains(c)) continue;
        canoniques.append(c);
        uniques.append(f);
    }

    Bulletins::TJeu jeu;
    QString message;
    Bulletins::TEchec echec;
    if (!Bulletins::Rassembler(uniques, options, jeu, message, nullptr, &echec)) {
        message.replace(QLatin1String("\n\n"), QLatin1String(" "));
        if (echec == Bulletins::TEchec::Choix) return Cli::ErreurUsage(Commande, message);
        Cli::Erreur(message + QLatin1Char('\n'));
        return 1;
    }
    if (sortie == Sortie::Json) {
        EcrireJson(jeu);
        return 0;
    }
    QString cause;
    bool ok = false;
    if (sortie == Sortie::Odt) {
        ok = Bulletins::EcrireOdt(cible, jeu.cartes, &cause);
    } else if (sortie == Sortie::Rtf) {
        ok = Bulletins::EcrireRtf(cible, jeu.cartes, &cause);
    } else {
        const Bulletins::TMiseEnPage miseEnPage(jeu.cartes);
        ok = sortie == Sortie::Pdf
                 ? Bulletins::EcrirePdf(cible, miseEnPage, &cause)
                 : Bulletins::EcrirePdfParEleve(
                       cible, miseEnPage, [](const QString&) { return true; }, nullptr, &cause);
    }
    if (!ok) {
        Cli::Erreur(QStringLiteral("tavelin-cli %1 : %2 : %3\n").arg(Commande, cible, cause));
        return 1;
    }
    return 0;
}
