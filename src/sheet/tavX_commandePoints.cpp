// The sheet's "&Points en plus ou en moins" command.
#include "UniteFeuilleClasse.h"

void TFeuilleClasse::CommandePointsPlusMoins() {}
