// The averages command: every average, statistic and ranking of a class file.
#include "commandes.h"
#include "options_communes.h"
#include "sortie_json.h"

#include "tavX_fichierTav.h"

#include <QJsonObject>

namespace {

const QString Commande = QStringLiteral("averages");

struct Reglages {
    int sur;
    int arrondi;
    int arrondiAnnuel;
    int typeAnnuel;
};

// The positions of the types in the order of the keys of a JSON object.
QList<int> OrdreDesCles(const QStringList& types) {
    QJsonObject o;
    for (int i = 0; i < types.size(); ++i)
        o[types.at(i)] = i;
    QList<int> ordre;
    ordre.reserve(o.size());
    for (auto it = o.constBegin(); it != o.constEnd(); ++it)
        ordre.append(it.value().toInt());
    return ordre;
}

void Classements(Cli::TSortieJson& j, TFichierTav& f, int p, const Reglages& r) {
    j.Cle("classementAscendant");
    j.Textes(f.Classement(p, 0, r.typeAnnuel, r.arrondiAnnuel, r.arrondi));
    j.Cle("classementDescendant");
    j.Textes(f.Classement(p, 1, r.typeAnnuel, r.arrondiAnnuel, r.arrondi));
}

// The members of each object in the order of their keys.
void Periode(Cli::TSortieJson& j, TFichierTav& f, int p, const Reglages& r) {
    const QStringList types = f.TypesDeNotes(p);
    const QList<int> ordre = OrdreDesCles(types);
    j.DebutObjet();
    Classements(j, f, p, r);

    j.Cle("eleves");
    j.DebutTableau();
    for (int s = 1; s <= f.NombreEleves(); ++s) {
        j.DebutObjet();
        j.Cle("moyenneArrondie");
        j.Texte(f.MoyenneArrondie(p, s, r.arrondi));
        j.Cle("moyenneBrute");
        j.Texte(f.MoyenneBrute(p, s));
        j.Cle("moyenneBulletin");
        j.Texte(f.MoyenneBulletin(p, s, r.arrondi));
        j.Cle("moyenneEcrit");
        j.Texte(f.MoyenneEcrit(p, s));
        j.Cle("moyenneOral");
        j.Texte(f.MoyenneOral(p, s));
        j.Cle("moyennesParType");
        j.DebutObjet();
        for (const int t : ordre) {
            j.Cle(types.at(t));
            j.Texte(f.MoyenneParType(types.at(t), p, s));
        }
        j.FinObjet();
        j.Cle("nom");
        j.Texte(f.NomEleve(s));
        j.Cle("noteLaPlusBasse");
        j.Texte(f.NoteLaPlusBasse(p, s));
        j.Cle("noteLaPlusHaute");
        j.Texte(f.NoteLaPlusHaute(p, s));
        j.Cle("pointsPlusMoins");
        j.Texte(f.PointsPlusMoins(p, s));
        j.FinObjet();
    }
    j.FinTableau();

    j.Cle("livret");
    j.DebutObjet();
    j.Cle("de8a12");
    j.Texte(f.PourcentageLivret8a12(p, r.arrondi));
    j.Cle("inf8");
    j.Texte(f.PourcentageLivretInf8(p, r.arrondi));
    j.Cle("sup12");
    j.Texte(f.PourcentageLivretSup12(p, r.arrondi));
    j.FinObjet();
    j.Cle("nom");
    j.Texte(f.NomPeriode(p));
    j.Cle("periode");
    j.Entier(p);

    j.Cle("series");
    j.DebutTableau();
    for (int n = 1; n <= f.NombreSeries(p); ++n) {
        j.DebutObjet();
        j.Cle("ecartType");
        j.Texte(f.EcartTypeSerie(p, n));
        j.Cle("intitule");
        j.Texte(f.Intitule(p, n));
        j.Cle("maximum");
        j.Texte(f.MaximumSerie(p, n));
        j.Cle("minimum");
        j.Texte(f.MinimumSerie(p, n));
        j.Cle("moyenne");
        j.Texte(f.MoyenneSerie(p, n));
        j.Cle("nombreNotes");
        j.Texte(f.NombreNotesSerie(p, n));
        j.Cle("numero");
        j.Entier(n);
        j.Cle("pourcentageSousMoyenne");
        j.Texte(f.PourcentageSousMoyenne(p, n));
        j.Cle("pourcentageSousMoyenneClasse");
        j.Texte(f.PourcentageSousMoyenneClasse(p, n));
        j.FinObjet();
    }
    j.FinTableau();
    j.Cle("typesDeNotes");
    j.Textes(types);
    j.FinObjet();
}

void Annee(Cli::TSortieJson& j, TFichierTav& f, const Reglages& r) {
    const int annee = f.NombrePeriodes() + 1;
    const QStringList types = f.TypesDeNotes(annee);
    const QList<int> ordre = OrdreDesCles(types);
    j.DebutObjet();
    Classements(j, f, annee, r);
    j.Cle("eleves");
    j.DebutTableau();
    for (int s = 1; s <= f.NombreEleves(); ++s) {
        j.DebutObjet();
        j.Cle("moyenneAnnuelle");
        j.Texte(f.MoyenneAnnuelle(s, r.arrondi, r.arrondiAnnuel, r.typeAnnuel));
        j.Cle("moyenneAnnuelleEcrit");
        j.Texte(f.MoyenneAnnuelleEcrit(s, r.arrondiAnnuel));
        j.Cle("moyenneAnnuelleOral");
        j.Texte(f.MoyenneAnnuelleOral(s, r.arrondiAnnuel));
        j.Cle("moyennesAnnuellesParType");
        j.DebutObjet();
        for (const int t : ordre) {
            j.Cle(types.at(t));
            j.Texte(f.MoyenneAnnuelleParType(types.at(t), s));
        }
        j.FinObjet();
        j.Cle("nom");
        j.Texte(f.NomEleve(s));
        j.FinObjet();
    }
    j.FinTableau();
    j.Cle("typesDeNotes");
    j.Textes(types);
    j.FinObjet();
}

QString Aide() {
    return QStringLiteral(
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
        "4 « Spécial Brevet ». Les nombres gardent la virgule décimale.\n");
}

} // namespace

int CommandeAverages(const QStringList& args) {
    if (Cli::DemandeAide(args, Aide())) return 0;
    Cli::TReglagesMoyennes lus;
    Cli::TOptionsCommande options(Commande, Cli::TOptionsCommande::TFichiers::Un);
    options.Moyennes(lus, true);
    if (const int code = options.Lire(args)) return code;
    const Reglages r{lus.Sur(), lus.Arrondi(), lus.ArrondiAnnuel(), lus.TypeAnnuel()};

    auto f = Cli::ChargerClasse(options.Fichiers().first());
    if (!f) return 1;
    // The scale is given to this class only: the user's settings stay as they are.
    f->ImposerMoyennesSur(r.sur);

    Cli::TSortieJson j;
    j.DebutObjet();
    j.Cle("annee");
    Annee(j, *f, r);
    j.Cle("arrondirMoyennes");
    j.Entier(r.arrondi);
    j.Cle("arrondirMoyennesAnnuelles");
    j.Entier(r.arrondiAnnuel);
    j.Cle("moyennesSur");
    j.Entier(r.sur);
    j.Cle("periodes");
    j.DebutTableau();
    for (int p = 1; p <= f->NombrePeriodes(); ++p)
        Periode(j, *f, p, r);
    j.FinTableau();
    j.Cle("typeMoyennesAnnuelles");
    j.Entier(r.typeAnnuel);
    j.FinObjet();
    j.Ecrire();
    return 0;
}
