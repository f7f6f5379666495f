// The series tools of the sheet's "&Série de notes" menu (delete, reorganise, create from
// several, transform, import and copy series) and the student-list imports of its
// "&Liste des élèves" menu. The dialogs change the class file through its operations; the
// sheet then shows what changed.
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

namespace {

void MarquerToutes(TFichierTav& fichier) {
    for (int p = 1; p <= fichier.NombrePeriodes(); ++p)
        fichier.MarquerPeriode(p, true);
}

} // namespace

void TFeuilleClasse::CommandeSupprimerSeries() {
    if (fichier->NombreSeriesAnnee() == 0) return;
    TerminerSaisies();
    TFormSupprimerSerie dialogue(this, logo, *fichier);
    dialogue.Selectionner(periodeCourante);
    dialogue.exec();
    MarquerToutes(*fichier);
    RafraichirGrilles(true);
}

void TFeuilleClasse::CommandeReorganiser() {
    if (fichier->NombreSeriesAnnee() == 0) return;
    TerminerSaisies();
    TFormReorganiser dialogue(this, logo, *fichier);
    dialogue.exec();
    MarquerToutes(*fichier);
    RafraichirGrilles(true);
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
    MarquerToutes(*fichier);
    if (periode < 1 || periode > fichier->NombrePeriodes()) {
        // Cancelled or refused: a series may still have been deleted before the refusal.
        RafraichirGrilles(true);
        return;
    }
    ChoisirPage(PageNotes);
    if (periode != periodeCourante) ChoisirPeriode(periode - 1);
    RafraichirGrilles(true);
    if (!informations || fichier->NombreSeries(periode) == 0) return;
    TFormInformationsSeriesDeNotes dialogue(this, logo, fichier);
    dialogue.Selectionner(periode, fichier->NombreSeries(periode));
    dialogue.exec();
    MarquerToutes(*fichier);
    RafraichirGrilles(false);
}

void TFeuilleClasse::CommandeImporterSerieTav() {
    if (fichier->NombreEleves() == 0) return;
    TerminerSaisies();
    bool montre = false;
    {
        TDocumentClasse::TLot lot(*document);
        montre = TFormImporterSeries::ImporterDepuisFichier(this, *fichier, logo);
    }
    if (!montre) return;
    MarquerToutes(*fichier);
    RafraichirGrilles(true);
}

void TFeuilleClasse::CommandeCopierModelesSeries() {
    TerminerSaisies();
    bool montre = false;
    {
        TDocumentClasse::TLot lot(*document);
        montre = TFormImporterSeries::CopierModeles(this, *fichier, logo);
    }
    if (!montre) return;
    MarquerToutes(*fichier);
    RafraichirGrilles(true);
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
    if (!change) return;
    MarquerToutes(*fichier);
    RafraichirListesEleves();
    RafraichirGrilles(true);
    NotifOnglets();
}
