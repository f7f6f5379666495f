// The series tools of the sheet's "&Série de notes" menu (delete, reorganise, create from
// several, transform, import and copy series) and the student-list imports of its
// "&Liste des élèves" menu. The dialogs change the class file through its operations; the
// document announces each change and the sheet shows them once, when the tool's batch ends.
#include "UniteFeuilleClasse.h"
#include "_FormImporterSeries.h"
#include "_FormInformationsSeries.h"
#include "_FormReorganiser.h"
#include "_FormSupprimerSerie.h"
#include "_FormTransformerSeries.h"
#include "_FormTypeImportation.h"
#include "_FormUtilitairesSeries.h"
#include "tavX_documentClasse.h"
#include "tavX_fichierTav.h"
#include "tavX_rangeeOnglets.h"

void TFeuilleClasse::CommandeSupprimerSeries() {
    if (fichier->NombreSeriesAnnee() == 0) return;
    TerminerSaisies();
    TDocumentClasse::TLot lot(*document);
    TFormSupprimerSerie dialogue(this, logo, *fichier);
    dialogue.Selectionner(periodeCourante);
    dialogue.exec();
}

void TFeuilleClasse::CommandeReorganiser() {
    if (fichier->NombreSeriesAnnee() == 0) return;
    TerminerSaisies();
    TDocumentClasse::TLot lot(*document);
    TFormReorganiser dialogue(this, logo, *fichier);
    dialogue.exec();
}

void TFeuilleClasse::CommandeCreerSerieDePlusieurs() {
    if (fichier->NombreSeriesAnnee() < 2) return;
    TerminerSaisies();
    int periode = 0;
    bool informations = false;
    {
        // The new marks are shown with the series, not one by one.
        TDocumentClasse::TLot lot(*document);
        TFormUtilitairesSeries dialogue(this, logo, *fichier);
        dialogue.Selectionner(periodeCourante);
        if (dialogue.exec() == QDialog::Accepted) {
            periode = dialogue.Periode();
            informations = dialogue.Informations();
        }
    }
    SerieOutilTerminee(periode, informations);
}

void TFeuilleClasse::CommandeTransformerSerie() {
    if (fichier->NombreSeriesAnnee() == 0) return;
    TerminerSaisies();
    int periode = 0;
    bool informations = false;
    {
        TDocumentClasse::TLot lot(*document);
        TFormTransformerSeries dialogue(this, logo, *fichier);
        dialogue.Selectionner(periodeCourante);
        if (dialogue.exec() == QDialog::Accepted) {
            periode = dialogue.Periode();
            informations = dialogue.Informations();
        }
    }
    SerieOutilTerminee(periode, informations);
}

void TFeuilleClasse::SerieOutilTerminee(int periode, bool informations) {
    // What the tool changed is shown already (the document's batch has ended).
    if (periode < 1 || periode > fichier->NombrePeriodes()) return;
    ChoisirPage(PageNotes);
    if (periode != periodeCourante) ChoisirPeriode(periode - 1);
    if (!informations || fichier->NombreSeries(periode) == 0) return;
    TDocumentClasse::TLot lot(*document);
    TFormInformationsSeriesDeNotes dialogue(this, logo, fichier);
    dialogue.Selectionner(periode, fichier->NombreSeries(periode));
    dialogue.exec();
}

void TFeuilleClasse::CommandeImporterSerieTav() {
    if (fichier->NombreEleves() == 0) return;
    TerminerSaisies();
    TDocumentClasse::TLot lot(*document);
    TFormImporterSeries::ImporterDepuisFichier(this, *fichier, logo);
}

void TFeuilleClasse::CommandeCopierModelesSeries() {
    TerminerSaisies();
    TDocumentClasse::TLot lot(*document);
    TFormImporterSeries::CopierModeles(this, *fichier, logo);
}

void TFeuilleClasse::CommandeImporterEleves(bool depuisTexte) {
    TerminerSaisies();
    bool change = false;
    {
        TDocumentClasse::TLot lot(*document);
        change = depuisTexte
                     ? TFormTypeImportation::ImporterDepuisFichierTexte(this, *fichier, logo)
                     : TFormTypeImportation::ImporterDepuisFichierTav(this, *fichier, logo);
    }
    if (change) NotifOnglets();
}
