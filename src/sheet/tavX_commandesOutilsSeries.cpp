// The series tools of the sheet's "&Série de notes" menu (delete, reorganise, create from
// several, transform, import and copy series) and the student-list imports of its
// "&Liste des élèves" menu. The dialogs change the class file through its operations; the
// sheet then shows what changed.
#include "UniteFeuilleClasse.h"
#include "_FormInformationsSeries.h"
#include "_FormReorganiser.h"
#include "_FormSupprimerSerie.h"
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
