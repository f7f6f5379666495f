#pragma once
// The small buttons of the class and series dialogs that open the options dialog on one of its
// pages ("Types de notes", "Types de périodes", "Enseignants", "Matières"). The program installs
// the opener once the options dialog exists; until then those buttons are not shown.
#include <QString>
#include <functional>

class QWidget;

namespace Dialogues {

using TOuvrirOptions = std::function<void(QWidget* parent, const QString& page)>;

void DefinirOuvertureOptions(TOuvrirOptions ouvrir);
bool OptionsDisponibles();
// Opens the options dialog modally on that page (nothing when none is installed).
void OuvrirOptions(QWidget* parent, const QString& page);

} // namespace Dialogues
