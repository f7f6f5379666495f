// The file commands: info, convert, check.
#include "commandes.h"
#include "sortie_json.h"

#include "tavX_constantes.h"
#include "tavX_exceptions.h"
#include "tavX_fichierTav.h"

#include <QFileInfo>

namespace {

using namespace Tav;

// The whole class, the members of each object in the order of their keys.
void Info(Cli::TSortieJson& j, TFichierTav& f) {
    const int N = f.NombreEleves();
    const int P = f.NombrePeriodes();
    const int K = f.NombreColonnesBulletin();
    j.DebutObjet();
    j.Cle("anneeScolaire");
    j.Texte(f.AnneeScolaire());
    j.Cle("appreciations");
    j.DebutTableau();
    for (int p = 1; p <= P; ++p) {
        j.DebutTableau();
        for (int s = 1; s <= N; ++s) {
            j.DebutTableau();
            for (int c = 1; c <= K; ++c)
                j.Texte(f.Appreciation(p, s, c));
            j.FinTableau();
        }
        j.FinTableau();
    }
    j.FinTableau();
    j.Cle("arrondiMoyennes");
    j.Entier(f.ArrondiMoyennes());
    j.Cle("arrondiMoyennesAnnuelles");
    j.Entier(f.ArrondiMoyennesAnnuelles());
    j.Cle("colonnesBulletin");
    j.Textes(f.ColonnesBulletin());
    j.Cle("ecole");
    j.Texte(f.Ecole());
    j.Cle("eleves");
    j.DebutTableau();
    for (int s = 1; s <= N; ++s) {
        j.DebutObjet();
        j.Cle("dateNaissance");
        j.Texte(f.DateNaissance(s));
        j.Cle("indiceLibelle");
        j.Texte(f.IndiceLibelle(s));
        j.Cle("nom");
        j.Texte(f.NomEleve(s));
        j.Cle("redoublant");
        j.Booleen(f.EstRedoublant(s));
        j.FinObjet();
    }
    j.FinTableau();
    j.Cle("enseignant");
    j.Texte(f.Enseignant());
    j.Cle("importe");
    j.Booleen(f.EstImporte());
    j.Cle("libellesClasse");
    j.Textes(f.LibellesClasse());
    j.Cle("matiere");
    j.Texte(f.Matiere());
    j.Cle("modifie");
    j.Booleen(f.EstModifie());
    j.Cle("nomClasse");
    j.Texte(f.Classe());
    j.Cle("periodes");
    j.Textes(f.ListePeriodes());
    j.Cle("points");
    j.DebutTableau();
    for (int p = 1; p <= P; ++p) {
        j.DebutTableau();
        for (int s = 1; s <= N; ++s)
            j.Texte(f.PointsPlusMoins(p, s));
        j.FinTableau();
    }
    j.FinTableau();
    j.Cle("remarque");
    j.Texte(f.Remarque());
    j.Cle("series");
    j.DebutTableau();
    for (int p = 1; p <= P; ++p)
        for (int n = 1; n <= f.NombreSeries(p); ++n) {
            const QStringList colonne = f.ColonneSerie(p, n);
            if (colonne.size() < N + NombreLignesSupplementaires) {
                // A short column: the accessors raise for the missing row.
                f.Intitule(p, n), f.NoteSur(p, n), f.Coefficient(p, n);
                f.CompteDansMoyenne(p, n), f.DateSerie(p, n), f.Commentaire(p, n);
                f.TypeNotes(p, n), f.OralEcrit(p, n);
            }
            const auto ligne = [&](int offset) { return colonne.value(N + offset); };
            j.DebutObjet();
            j.Cle("coefficient");
            j.Texte(ligne(LigneCoefficient));
            j.Cle("commentaire");
            j.Texte(ligne(LigneCommentaire));
            j.Cle("compteDansMoyenne");
            j.Texte(ligne(LigneCompteDansMoyenne));
            j.Cle("date");
            j.Texte(ligne(LigneDate));
            j.Cle("intitule");
            j.Texte(colonne.value(0));
            j.Cle("noteSur");
            j.Texte(ligne(LigneNoteSur));
            j.Cle("notes");
            j.DebutTableau();
            for (int s = 1; s <= N; ++s)
                j.Texte(colonne.value(s));
            j.FinTableau();
            j.Cle("numero");
            j.Entier(n);
            j.Cle("oralEcrit");
            j.Texte(ligne(LigneOralEcrit));
            j.Cle("periode");
            j.Entier(p);
            j.Cle("typeNotes");
            j.Texte(ligne(LigneTypeNotes));
            j.FinObjet();
        }
    j.FinTableau();
    j.Cle("signature");
    j.Texte(f.Signature());
    j.Cle("typeBulletins");
    j.Texte(f.TypeBulletins());
    j.Cle("typeMoyennesAnnuelles");
    j.Entier(f.TypeMoyennesAnnuelles());
    j.Cle("typePeriodes");
    j.Texte(f.TypePeriodes());
    j.Cle("version");
    j.Texte(f.Version());
    j.FinObjet();
}

} // namespace

int CommandeInfo(const QStringList& args) {
    const QString aide = QStringLiteral(
        "Usage : tavelin-cli info FICHIER\n\n"
        "Affiche sur la sortie standard, en JSON (UTF-8), tout le contenu du fichier de\n"
        "classe : identité, périodes, élèves, séries de notes (dans l'ordre de l'année),\n"
        "points en plus ou en moins et appréciations. Les nombres gardent la virgule.\n");
    if (Cli::DemandeAide(args, aide)) return 0;
    if (args.size() != 1)
        return Cli::ErreurUsage(QStringLiteral("info"), QStringLiteral("un seul fichier attendu"));
    auto f = Cli::ChargerClasse(args.first());
    if (!f) return 1;
    Cli::TSortieJson j;
    Info(j, *f);
    j.Ecrire();
    return 0;
}

int CommandeConvert(const QStringList& args) {
    const QString aide = QStringLiteral(
        "Usage : tavelin-cli convert ENTREE SORTIE\n\n"
        "Lit le fichier de classe ENTREE (toute version lisible par Tavelin, y compris\n"
        "les anciennes) et l'enregistre dans SORTIE au format actuel (2.3).\n");
    if (Cli::DemandeAide(args, aide)) return 0;
    if (args.size() != 2)
        return Cli::ErreurUsage(
            QStringLiteral("convert"),
            QStringLiteral("un fichier d'entrée et un fichier de sortie attendus"));
    auto f = Cli::ChargerClasse(args.at(0));
    if (!f) return 1;
    try {
        f->Enregistrer(args.at(1));
    } catch (const TTavException& e) {
        QString message = e.Message();
        if (!f->CauseErreurEnregistrement().isEmpty())
            message += QStringLiteral(" : ") + f->CauseErreurEnregistrement();
        Cli::Erreur(message + QLatin1Char('\n'));
        return 1;
    }
    return 0;
}

int CommandeCheck(const QStringList& args) {
    const QString aide = QStringLiteral(
        "Usage : tavelin-cli check FICHIER...\n\n"
        "Vérifie chaque fichier de classe et écrit une ligne par fichier :\n"
        "  « FICHIER: ok (version, élèves, séries) » ou « FICHIER: invalide : cause ».\n"
        "Le code de sortie est 1 si un fichier au moins est invalide.\n");
    if (Cli::DemandeAide(args, aide)) return 0;
    if (args.isEmpty())
        return Cli::ErreurUsage(QStringLiteral("check"),
                                QStringLiteral("au moins un fichier attendu"));
    int code = 0;
    for (const QString& chemin : args) {
        TFichierTav f(chemin, true, false);
        if (f.EstValide()) {
            const int series = f.NombreSeriesAnnee();
            Cli::Sortie(QStringLiteral("%1: ok (version %2, %3 élève%4, %5 série%6 de notes)\n")
                            .arg(chemin, f.Version())
                            .arg(f.NombreEleves())
                            .arg(f.NombreEleves() > 1 ? QStringLiteral("s") : QString())
                            .arg(series)
                            .arg(series > 1 ? QStringLiteral("s") : QString()));
        } else {
            Cli::Sortie(QStringLiteral("%1: invalide : %2\n").arg(chemin, f.CauseInvalidite()));
            code = 1;
        }
    }
    return code;
}
