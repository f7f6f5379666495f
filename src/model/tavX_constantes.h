#pragma once
// Program-wide limits and row offsets of the series table.
// A series column has N + 18 rows: row 0 is the title, rows 1..N the marks,
// and the attribute rows sit at N + offset.

namespace Tav {

constexpr int MaxEleves = 50;           // students in a class
constexpr int MaxSeriesAnnee = 255;     // series in a whole year
constexpr int MaxPeriodesFichier = 127; // periods a class file can hold
constexpr int MaxLongueurTexte = 255;   // bytes of one field
constexpr int MaxLongueurNomEleve = 100;
constexpr int NombreLignesSupplementaires = 18; // rows of a column beyond the N marks

// Statistic and attribute rows below the students (row = N + offset).
constexpr int LigneMoyenne = 2;
constexpr int LigneNombrePresents = 4;
constexpr int LigneMin = 5;
constexpr int LigneMax = 6;
constexpr int LigneEcartType = 7;
constexpr int LignePourcentSousMoyenne = 8;
constexpr int LignePourcentSousMoyenneClasse = 9;
constexpr int LigneNoteSur = 11;
constexpr int LigneCoefficient = 12;
constexpr int LigneCompteDansMoyenne = 13;
constexpr int LigneDate = 14;
constexpr int LigneCommentaire = 15;
constexpr int LigneTypeNotes = 16;
constexpr int LigneOralEcrit = 17;

constexpr int NombreStatistiques = 7; // statistics cached per series
constexpr int SlotsStatistiques = 14; // flags 1..7 then values 8..14

} // namespace Tav
