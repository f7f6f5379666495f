// The sheet's "&Points en plus ou en moins" command.
#include "UniteFeuilleClasse.h"
#include "_FormPointsPlusMoins.h"
#include "tavX_fichierTav.h"
#include "tavX_grilleFeuille.h"
#include "tavX_rangeeOnglets.h"

void TFeuilleClasse::CommandePointsPlusMoins() {
    TFormPointsPlusMoins dialogue(this, logo, fichier);
    dialogue.exec();
    // Points may have changed in any period: every period is shown again from the class file.
    fichier->InvaliderCalculs();
    for (int p = 1; p <= fichier->NombrePeriodes(); ++p)
        fichier->MarquerPeriode(p, true);
    if (grilles.moyennes) grilles.moyennes->NotifMoyennes(periodeCourante, 0);
    if (grilles.bilan) grilles.bilan->NotifPeriode(tabControlGrillesBilan->Onglet() + 1, 0);
}
