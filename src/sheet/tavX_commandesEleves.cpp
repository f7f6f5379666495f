// The student commands of the sheet's "&Liste des élèves" menu.
#include "UniteFeuilleClasse.h"

void TFeuilleClasse::CommandeAjouterEleve() {}
void TFeuilleClasse::CommandeSupprimerEleve() {}
void TFeuilleClasse::CommandeModifierEleve() {}
