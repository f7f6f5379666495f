#pragma once
// The summary of a class for one view: the texts of every cell of the summary grid, for a period
// (1..P) or for the year (P + 1). The summary page paints these texts and the command line
// prints them; both get them from here, so that they cannot disagree.
//
// Rows (N students): 0 the headers, 1..N the students, then six statistics rows labelled in
// column 1 (N + 2 "Moyenne :", N + 4 "Min :", N + 5 "Max :", N + 6 "Ecart type :", N + 7 and
// N + 8 the shares below half the scale and below the column's mean); N + 9 rows in all.
// Column 0 numbers the students, column 1 their names; then, as the settings ask, the averages
// per grade type, the written and oral averages, the report-card (or annual) averages, the
// ranking and, for a period, the report-card appreciations.
#include <QList>
#include <QString>
#include <QStringList>

class TFichierTav;

namespace Bilan {

// What the summary shows, as the settings of the program say (or the command line).
struct TReglages {
    bool parType = false;   // "moyenneParTypeDeNotes"
    bool ecritOral = false; // "moyennesEcritEtOral"
    bool descendant = false;
    int arrondi = 0;       // "arrondirMoyennes"
    int arrondiAnnuel = 0; // "arrondirMoyennesAnnuelles"
    int typeAnnuel = 0;    // "typeMoyennesAnnuelles"
    bool datesNaissance = false;
    bool redoublants = false;

    // The program's settings.
    static TReglages DesOptions();
};

// The statistics rows, as offsets from N.
enum TLigneStatistique : int {
    LigneMoyenne = 2,
    LigneMinimum = 4,
    LigneMaximum = 5,
    LigneEcartType = 6,
    LigneSousMoyenne = 7,
    LigneSousMoyenneClasse = 8,
    LignesEnPlus = 9,
};

struct TVue {
    int vue = 0;
    // The view has no series to show (a period without series, a year without any).
    bool masquee = true;
    int lignes = 0;
    // Per column, the texts of rows 0 .. lignes - 1.
    QList<QStringList> cellules;
    int colonneClassement = -1;
    // The column of the report-card or annual average.
    int colonneMoyenne = -1;
    QList<int> colonnesStatistiques;

    int NombreColonnes() const { return int(cellules.size()); }
    QString Texte(int colonne, int ligne) const { return cellules.value(colonne).value(ligne); }
};

// The name shown for student s.
QString NomAffiche(const TFichierTav& fichier, int s, const TReglages& reglages);
// The summary of view V (1..P a period, P + 1 the year). A view out of range is hidden.
TVue Calculer(TFichierTav& fichier, int vue, const TReglages& reglages);
// The average at the end of a ranking line "name -> average" (after the last " -> ").
QString MoyenneDeClassement(const QString& ligne);

} // namespace Bilan
