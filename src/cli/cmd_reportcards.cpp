// The report-cards command: the report cards of a class, one per student, gathered from its
// subject files as the report-card wizard makes them, printed as JSON or written as PDF or ODT.
#include "commandes.h"
#include "options_communes.h"
#include "sortie_json.h"

#include "tavX_donneesBulletins.h"
#include "tavX_moteurBulletins.h"

namespace {

const QString Commande = QStringLiteral("report-cards");

QString Aide() {
    return QStringLiteral(
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
        "  --odt, --rtf           un document pour un traitement de texte\n");
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
    if (Cli::DemandeAide(args, Aide())) return 0;
    Bulletins::TOptions options;
    std::optional<int> periode;
    Cli::TReglagesMoyennes lus;
    enum class Sortie { Aucune, Json, Pdf, PdfParEleve, Odt, Rtf } sortie = Sortie::Aucune;
    QString cible;
    int sorties = 0;
    Cli::TOptionsCommande lecture(Commande, Cli::TOptionsCommande::TFichiers::AuMoinsUn);
    lecture.Interrupteur("--enseignant", options.enseignant);
    lecture.Interrupteur("--sans-appreciations", options.appreciations, false);
    lecture.Interrupteur("--masquer-min-max", options.masquerMinMax);
    lecture.Drapeau("--json", [&] {
        sortie = Sortie::Json;
        ++sorties;
    });
    const auto Fichier = [&](Sortie s) {
        return [&, s](const QString& chemin) {
            sortie = s;
            cible = chemin;
            ++sorties;
        };
    };
    lecture.Texte("--pdf", Fichier(Sortie::Pdf), true);
    lecture.Texte("--pdf-par-eleve", Fichier(Sortie::PdfParEleve), true);
    lecture.Texte("--odt", Fichier(Sortie::Odt), true);
    lecture.Texte("--rtf", Fichier(Sortie::Rtf), true);
    lecture.Entier("--periode", 1, 255, periode);
    lecture.Moyennes(lus, false);
    lecture.Texte("--eleve", [&](const QString& t) { options.nomsEleves.append(t); });
    lecture.Texte("--ecole", [&](const QString& t) { options.ecole = t; });
    lecture.Texte("--annee", [&](const QString& t) { options.anneeScolaire = t; });
    lecture.Texte("--intitule", [&](const QString& t) { options.intituleCadre = t; });
    lecture.Texte("--logo", [&](const QString& t) { options.logo = t; });
    if (const int code = lecture.Lire(args)) return code;
    if (!periode) return Cli::ErreurUsage(Commande, QStringLiteral("--periode P attendu"));
    if (sorties != 1)
        return Cli::ErreurUsage(
            Commande, QStringLiteral("une sortie attendue : --json, --pdf, --pdf-par-eleve, "
                                     "--odt ou --rtf"));
    options.periode = *periode;
    options.sur = lus.Sur();
    options.arrondi = lus.Arrondi();

    Bulletins::TJeu jeu;
    QString message;
    Bulletins::TEchec echec;
    if (!Bulletins::Rassembler(Cli::SansDoublons(lecture.Fichiers()), options, jeu, message,
                               nullptr, &echec)) {
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
