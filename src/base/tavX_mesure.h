#pragma once
// Timing mode: with the environment variable TAVELIN_MESURE=1 the program writes on its error
// output how long the start-up and the opening of each class took.
#include <QString>

namespace Mesure {

bool Active();
// Milliseconds since the process was started (by the system's clock of the process start when
// it is known, else since the first call of this unit).
double DepuisLancement();
// Writes one line "Tavelin [mesure] ..." when the mode is on.
void Ecrire(const QString& texte);

} // namespace Mesure
