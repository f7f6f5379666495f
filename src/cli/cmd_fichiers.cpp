// The file commands: info, convert, check.
#include "commandes.h"

#include "tavX_exceptions.h"
#include "tavX_fichierTav.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>

namespace {

QJsonArray Tableau(const QStringList& liste) {
    return QJsonArray::fromStringList(liste);
}

QJsonObject Info(TFichierTav& f) {
    QJsonObject o;
    o[QStringLiteral("signature")] = f.Signature();
    o[QStringLiteral("version")] = f.Version();
    o[QStringLiteral("importe")] = f.EstImporte();
    o[QStringLiteral("modifie")] = f.EstModifie();
    o[QStringLiteral("enseignant")] = f.Enseignant();
    o[QStringLiteral("nomClasse")] = f.Classe();
    o[QStringLiteral("ecole")] = f.Ecole();
    o[QStringLiteral("matiere")] = f.Matiere();
    o[QStringLiteral("anneeScolaire")] = f.AnneeScolaire();
    o[QStringLiteral("remarque")] = f.Remarque();
    o[QStringLiteral("typePeriodes")] = f.TypePeriodes();
    o[QStringLiteral("periodes")] = Tableau(f.ListePeriodes());
    const int N = f.NombreEleves();
    const int P = f.NombrePeriodes();
    const int K = f.NombreColonnesBulletin();
    QJsonArray eleves;
    for (int s = 1; s <= N; ++s) {
        QJsonObject e;
        e[QStringLiteral("nom")] = f.NomEleve(s);
        e[QStringLiteral("dateNaissance")] = f.DateNaissance(s);
        e[QStringLiteral("redoublant")] = f.EstRedoublant(s);
        e[QStringLiteral("indiceLibelle")] = f.IndiceLibelle(s);
        eleves.append(e);
    }
    o[QStringLiteral("eleves")] = eleves;
    o[QStringLiteral("libellesClasse")] = Tableau(f.LibellesClasse());
    o[QStringLiteral("typeBulletins")] = f.TypeBulletins();
    o[QStringLiteral("colonnesBulletin")] = Tableau(f.ColonnesBulletin());
    o[QStringLiteral("arrondiMoyennes")] = f.ArrondiMoyennes();
    o[QStringLiteral("arrondiMoyennesAnnuelles")] = f.ArrondiMoyennesAnnuelles();
    o[QStringLiteral("typeMoyennesAnnuelles")] = f.TypeMoyennesAnnuelles();
    QJsonArray series;
    for (int p = 1; p <= P; ++p)
        for (int j = 1; j <= f.NombreSeries(p); ++j) {
            QJsonObject serie;
            serie[QStringLiteral("periode")] = p;
            serie[QStringLiteral("numero")] = j;
            serie[QStringLiteral("intitule")] = f.Intitule(p, j);
            serie[QStringLiteral("noteSur")] = f.NoteSur(p, j);
            serie[QStringLiteral("coefficient")] = f.Coefficient(p, j);
            serie[QStringLiteral("compteDansMoyenne")] = f.CompteDansMoyenne(p, j);
            serie[QStringLiteral("date")] = f.DateSerie(p, j);
            serie[QStringLiteral("commentaire")] = f.Commentaire(p, j);
            serie[QStringLiteral("typeNotes")] = f.TypeNotes(p, j);
            serie[QStringLiteral("oralEcrit")] = f.OralEcrit(p, j);
            QJsonArray notes;
            for (int s = 1; s <= N; ++s)
                notes.append(f.Note(p, j, s));
            serie[QStringLiteral("notes")] = notes;
            series.append(serie);
        }
    o[QStringLiteral("series")] = series;
    QJsonArray points, appreciations;
    for (int p = 1; p <= P; ++p) {
        QJsonArray pp, ap;
        for (int s = 1; s <= N; ++s) {
            pp.append(f.PointsPlusMoins(p, s));
            QJsonArray as;
            for (int c = 1; c <= K; ++c)
                as.append(f.Appreciation(p, s, c));
            ap.append(as);
        }
        points.append(pp);
        appreciations.append(ap);
    }
    o[QStringLiteral("points")] = points;
    o[QStringLiteral("appreciations")] = appreciations;
    return o;
}

} // namespace

int CommandeInfo(const QStringList& args) {
    if (Cli::DemandeAide(args)) {
        Cli::Sortie(QStringLiteral(
            "Usage : tavelin-cli info FICHIER\n\n"
            "Affiche sur la sortie standard, en JSON (UTF-8), tout le contenu du fichier de\n"
            "classe : identité, périodes, élèves, séries de notes (dans l'ordre de l'année),\n"
            "points en plus ou en moins et appréciations. Les nombres gardent la virgule.\n"));
        return 0;
    }
    if (args.size() != 1)
        return Cli::ErreurUsage(QStringLiteral("info"), QStringLiteral("un seul fichier attendu"));
    auto f = Cli::ChargerClasse(args.first());
    if (!f) return 1;
    Cli::SortieJson(Info(*f));
    return 0;
}

int CommandeConvert(const QStringList& args) {
    if (Cli::DemandeAide(args)) {
        Cli::Sortie(QStringLiteral(
            "Usage : tavelin-cli convert ENTREE SORTIE\n\n"
            "Lit le fichier de classe ENTREE (toute version lisible par Tavelin, y compris\n"
            "les anciennes) et l'enregistre dans SORTIE au format actuel (2.3).\n"));
        return 0;
    }
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
    if (Cli::DemandeAide(args)) {
        Cli::Sortie(QStringLiteral(
            "Usage : tavelin-cli check FICHIER...\n\n"
            "Vérifie chaque fichier de classe et écrit une ligne par fichier :\n"
            "  « FICHIER: ok (version, élèves, séries) » ou « FICHIER: invalide : cause ».\n"
            "Le code de sortie est 1 si un fichier au moins est invalide.\n"));
        return 0;
    }
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
