// The sheet's "&Points en plus ou en moins" command.
#include "UniteFeuilleClasse.h"
#include "_FormPointsPlusMoins.h"
#include "tavX_fichierTav.h"
#include "tavX_grilleFeuille.h"
#include "tavX_rangeeOnglets.h"

void TFeuilleClasse::CommandePointsPlusMoins() {
    TFormPointsPlusMoins dialogue(this, logo, fichier);
    dialogue.exec();
    // Each student's points refreshed their averages row by the document's signal; the summary
    // over the periods is shown again once, after the dialog.
    fichier->InvaliderCalculs();
    if (grilles.bilan) grilles.bilan->NotifPeriode(tabControlGrillesBilan->Onglet() + 1, 0);
}
