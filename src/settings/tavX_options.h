#pragma once

// One reader and, where the value is editable, one writer per user setting, each with its key
// and default; the stored lists; the print-inclusion sets; the file history.
//
// Every reader reads the store at each call, except the eight colours that the grids read on
// every cell paint ("couleur1Note" to "couleur5Note", "lignesPaires", "lignesImpaires",
// "couleurSelection"): those are cached in memory and read again only after their own writer
// changed them. Colours are 0x00BBGGRR (red in the low byte).
//
// Every writer stores, then announces through TReglages::Instance() (tavX_reglages.h) the key
// whose value really changed; the cached values are already refreshed when it does.
//
// Lists are stored as ordered arrays: they keep their write order, and two items never differ
// only by letter case (the first one is kept when saving).

#include "_TInclureImpression.h"
#include "tavX_globales.h"

#include <QString>
#include <QStringList>

namespace Options {

// ---- Start-up, main window and files ---------------------------------------------------------

quint8 AuDemarrage(); // 0 nothing, 1 "Derniers fichiers", 2 open dialog
void ModifierAuDemarrage(quint8 v);
bool AfficherConseils();
void ModifierAfficherConseils(bool v);
QString NumeroConseilEnCours();
void ModifierNumeroConseilEnCours(const QString& v);
bool RappelSauvegarde();
void ModifierRappelSauvegarde(bool v);
quint8 FrequenceRappel(); // 0 every ten start-ups, 1 every start-up
void ModifierFrequenceRappel(quint8 v);
quint8 NumeroRappel();
void ModifierNumeroRappel(quint8 v);
bool RappelMiseAJourDisponible();
void ModifierRappelMiseAJourDisponible(bool v);
bool TailleMaximumAuDemarrage();
void ModifierTailleMaximumAuDemarrage(bool v);
bool AfficherBarreOutils();
void ModifierAfficherBarreOutils(bool v);
bool AfficherDate();
void ModifierAfficherDate(bool v);
bool AfficherHeure();
void ModifierAfficherHeure(bool v);
bool FichierBak();
void ModifierFichierBak(bool v);
bool UtiliserHistorique();
void ModifierUtiliserHistorique(bool v);
quint8 NbFichiersHistorique();
void ModifierNbFichiersHistorique(quint8 v);
bool AfficherOngletsClasses();
void ModifierAfficherOngletsClasses(bool v);
quint8 OngletClasses(); // 0 flat buttons, 1 buttons, 2 tabs
void ModifierOngletClasses(quint8 v);
bool AfficherMatiereOnglets();
void ModifierAfficherMatiereOnglets(bool v);
bool AfficherNomEnseignantOnglets();
void ModifierAfficherNomEnseignantOnglets(bool v);
quint8 OngletsGrillesNotes(); // 0 top, 1 left, 2 right, 3 bottom
void ModifierOngletsGrillesNotes(quint8 v);
quint8 OngletsGrillesBilans();
void ModifierOngletsGrillesBilans(quint8 v);
quint8 OngletsGraphes();
void ModifierOngletsGraphes(quint8 v);
bool AfficherFenetreInfo();
void ModifierAfficherFenetreInfo(bool v);
qint32 CouleurFenetreInfo();
void ModifierCouleurFenetreInfo(qint32 v);
qint32 CouleurFenetreInfoParDefaut();
bool AfficherR();
void ModifierAfficherR(bool v);
bool AfficherDatesDeNaissance();
void ModifierAfficherDatesDeNaissance(bool v);

// ---- Grid and grade colours (on screen) ------------------------------------------------------

bool ColorationGrille();
void ModifierColorationGrille(bool v);
qint32 LignesPaires(); // cached
void ModifierLignesPaires(qint32 v);
qint32 LignesPairesParDefaut();
qint32 LignesImpaires(); // cached
void ModifierLignesImpaires(qint32 v);
qint32 LignesImpairesParDefaut();
qint32 CouleurSelection(); // cached
void ModifierCouleurSelection(qint32 v);
qint32 CouleurSelectionParDefaut();
bool ColorationNote();
void ModifierColorationNote(bool v);
qint32 Couleur1Note(); // cached
void ModifierCouleur1Note(qint32 v);
qint32 Couleur1NoteParDefaut();
qint32 Couleur2Note(); // cached
void ModifierCouleur2Note(qint32 v);
qint32 Couleur2NoteParDefaut();
qint32 Couleur3Note(); // cached
void ModifierCouleur3Note(qint32 v);
qint32 Couleur3NoteParDefaut();
qint32 Couleur4Note(); // cached
void ModifierCouleur4Note(qint32 v);
qint32 Couleur4NoteParDefaut();
qint32 Couleur5Note(); // cached
void ModifierCouleur5Note(qint32 v);
qint32 Couleur5NoteParDefaut();
// The colour setting of a mark v out of maximum: couleur1Note below half of it, couleur2Note
// below three quarters, couleur3Note up to it, couleur4Note below 0 or above it (with horsBareme
// false, such a mark takes the band it falls in).
qint32 CouleurNote(long double v, long double maximum, bool horsBareme = true);

// ---- Averages --------------------------------------------------------------------------------

qint32 MoyennesSur();
void ModifierMoyennesSur(qint32 v);
quint8 ArrondirMoyennes(); // 0 none, 1 tenth, 2 quarter, 3 half, 4 "Spécial Brevet"
void ModifierArrondirMoyennes(quint8 v);
quint8 ArrondirMoyennesAnnuelles();
void ModifierArrondirMoyennesAnnuelles(quint8 v);
quint8 TypeMoyennesAnnuelles(); // 0 mean of the period averages, 1 mean of all the grades
void ModifierTypeMoyennesAnnuelles(quint8 v);
bool MoyenneParTypeDeNotes();
void ModifierMoyenneParTypeDeNotes(bool v);
bool MoyennesEcritEtOral();
void ModifierMoyennesEcritEtOral(bool v);
quint8 TrierMoyennes(); // 0 ascending, 1 descending
void ModifierTrierMoyennes(quint8 v);

// ---- Graphs ----------------------------------------------------------------------------------

bool Graphe3D();
void ModifierGraphe3D(bool v);
bool GrapheEnCouleur();
void ModifierGrapheEnCouleur(bool v);
bool GrapheDegrade();
void ModifierGrapheDegrade(bool v);
qint32 CouleurDebutDegrade();
void ModifierCouleurDebutDegrade(qint32 v);
qint32 CouleurDebutDegradeParDefaut();
qint32 CouleurFinDegrade();
void ModifierCouleurFinDegrade(qint32 v);
qint32 CouleurFinDegradeParDefaut();
bool GrapheLegende();
void ModifierGrapheLegende(bool v);
bool GrapheLigneEleve();
void ModifierGrapheLigneEleve(bool v);
bool GrapheLigneMin();
void ModifierGrapheLigneMin(bool v);
bool GrapheLigneMax();
void ModifierGrapheLigneMax(bool v);
bool GrapheLigneMoyenne();
void ModifierGrapheLigneMoyenne(bool v);
qint32 CouleurEleve();
void ModifierCouleurEleve(qint32 v);
qint32 CouleurEleveParDefaut();
qint32 CouleurMin();
void ModifierCouleurMin(qint32 v);
qint32 CouleurMinParDefaut();
qint32 CouleurMax();
void ModifierCouleurMax(qint32 v);
qint32 CouleurMaxParDefaut();
qint32 CouleurMoyenne();
void ModifierCouleurMoyenne(qint32 v);
qint32 CouleurMoyenneParDefaut();
qint32 CouleurMurGauche();
void ModifierCouleurMurGauche(qint32 v);
qint32 CouleurMurGaucheParDefaut();
qint32 CouleurMurBas();
void ModifierCouleurMurBas(qint32 v);
qint32 CouleurMurBasParDefaut();

// ---- Printing --------------------------------------------------------------------------------

QString NomPolice();
void ModifierNomPolice(const QString& v);
quint8 TaillePolice();
void ModifierTaillePolice(quint8 v);
QString EnTeteGauche();
void ModifierEnTeteGauche(const QString& v);
QString EnTeteCentre();
void ModifierEnTeteCentre(const QString& v);
QString EnTeteDroite();
void ModifierEnTeteDroite(const QString& v);
QString BasDePageGauche();
void ModifierBasDePageGauche(const QString& v);
QString BasDePageDroite();
void ModifierBasDePageDroite(const QString& v);
bool ImpressionFermerBoite();
void ModifierImpressionFermerBoite(bool v);
bool ImpressionCouleurNote();
void ModifierImpressionCouleurNote(bool v);
bool NumeroterElevesSeriesDeNotes();
void ModifierNumeroterElevesSeriesDeNotes(bool v);
bool NumeroterElevesBilans();
void ModifierNumeroterElevesBilans(bool v);
bool NumeroterElevesAppreciations();
void ModifierNumeroterElevesAppreciations(bool v);
bool NumeroterElevesGrilleVierge();
void ModifierNumeroterElevesGrilleVierge(bool v);
bool ImpressionDatesDeNaissanceSeriesDeNotes();
void ModifierImpressionDatesDeNaissanceSeriesDeNotes(bool v);
bool ImpressionDatesDeNaissanceBilans();
void ModifierImpressionDatesDeNaissanceBilans(bool v);
bool ImpressionDatesDeNaissanceAppreciations();
void ModifierImpressionDatesDeNaissanceAppreciations(bool v);
bool ImpressionDatesDeNaissanceGrilleVierge();
void ModifierImpressionDatesDeNaissanceGrilleVierge(bool v);
bool ImpressionRSeriesDeNotes();
void ModifierImpressionRSeriesDeNotes(bool v);
bool ImpressionRBilans();
void ModifierImpressionRBilans(bool v);
bool ImpressionRAppreciations();
void ModifierImpressionRAppreciations(bool v);
bool ImpressionRGrilleVierge();
void ModifierImpressionRGrilleVierge(bool v);
bool ImpressionColonneMoyenne();
void ModifierImpressionColonneMoyenne(bool v);
bool ColonnesBilanDetaillees();
void ModifierColonnesBilanDetaillees(bool v);
bool ImpressionMoyennesEcritOral();
void ModifierImpressionMoyennesEcritOral(bool v);
bool ImpressionColonneClassement();
void ModifierImpressionColonneClassement(bool v);
quint8 TrierMoyennesImpression(); // 0 ascending, 1 descending
void ModifierTrierMoyennesImpression(quint8 v);
quint8 LargeurGrilleVierge();
void ModifierLargeurGrilleVierge(quint8 v);

// ---- Report cards ----------------------------------------------------------------------------

bool InclureNomEnseignantBulletin();
void ModifierInclureNomEnseignantBulletin(bool v);
bool InclureAppreciationsBulletin();
void ModifierInclureAppreciationsBulletin(bool v);
QString Intitulecadrebulletin();
void ModifierIntitulecadrebulletin(const QString& v);
QString Fichierlogobulletin();
void ModifierFichierlogobulletin(const QString& v);

// ---- Program folder (root value "Chemin") ----------------------------------------------------

QString Chemin();
void ModifierChemin(const QString& v);

// ---- Lists -----------------------------------------------------------------------------------

// Grade types: the stored names sorted, or the six defaults while none was ever saved.
QStringList ChargerTypesDeNotes();
QStringList TypesDeNotesParDefaut();
void EnregistrerTypesDeNotes(const QStringList& liste);

// School subjects: the stored names sorted, or the sixteen defaults.
QStringList ChargerMatieres();
// Deletes the stored list and returns the sixteen defaults.
QStringList ReinitialiserMatieres();
void EnregistrerMatieres(const QStringList& liste);

// Teacher names: the stored names sorted, or the registered owner (possibly nothing).
QStringList ChargerUtilisateurs();
// The registered owner, or "Le prof inconnu"; touches nothing.
QStringList UtilisateursParDefaut();
void EnregistrerUtilisateurs(const QStringList& liste);

// Period schemes: "Trimestres", "Semestres", "Mois", then the stored schemes.
QStringList NomsSchemasPeriodes();
// Deletes every stored scheme and returns the built-in names.
QStringList ReinitialiserSchemasPeriodes();
// Sub-period names of a scheme: the stored ones (even for a built-in name), else the built-in
// ones, else an empty list.
QStringList NomsSousPeriodes(const QString& schema);
void EnregistrerSchemaPeriodes(const QString& nom, const QStringList& noms);
void SupprimerSchemaPeriodes(const QString& nom);

// Report-card types: "Bulletins par défaut", "Nouveaux bulletins du collège", then the stored
// types (the program never writes them).
QStringList NomsTypesBulletins();
QStringList NomsSectionsBulletin(const QString& type);

// ---- Print-inclusion sets --------------------------------------------------------------------

// The process-wide set of a kind (0 grade series, 1 summaries, 2 blank grid), refreshed from the
// store; owned by this unit. Throws std::out_of_range for any other kind.
TInclureImpression& InclureImpression(quint8 type);
// Copies the flags of the given set into the kind's own set and stores them.
void EnregistrerInclureImpression(quint8 type, const TInclureImpression& inclure);

// ---- File history and files open at exit -----------------------------------------------------

// The history, oldest first, without the files that no longer exist.
QStringList ChargerHistorique();
// Stores the existing files of the list, at most "nbFichiersHistorique" (the most recent ones).
void EnregistrerHistorique(const QStringList& liste);
// Adds a file opened, saved or closed; a file already present keeps its place.
void AjouterFichierHistorique(const QString& chemin);
// Shortcut of the history item at a position: "Alt+0".."Alt+9", then "Ctrl+0".."Ctrl+9"; empty
// beyond.
QString RaccourciHistorique(int position);

void EnregistrerDerniersFichiers(const QStringList& liste);
QStringList ChargerDerniersFichiers();

// ---- Start and end ---------------------------------------------------------------------------

// Start-up step of the backup reminder: updates "numeroRappel" and tells whether to remind. The
// caller shows the reminder only if the file history is not empty.
bool AppliquerCompteurRappelSauvegarde();
// Program end: loads and saves the history again (drops vanished files, applies the limit).
void TerminerReglages();

} // namespace Options
