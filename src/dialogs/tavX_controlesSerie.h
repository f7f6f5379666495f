#pragma once
// Small controls shared by the series dialogs.
#include <QString>

class QGroupBox;
class QRadioButton;
class QToolButton;
class QWidget;

namespace Dialogues {

// The "..." button that asks for a value missing from a list.
QToolButton* BoutonNouvelleValeur(QWidget* parent, const char* nom, const QString& bulle);
// A frame holding two exclusive choices (ids 0 and 1).
QGroupBox* Groupe(QWidget* parent, const QString& titre, QRadioButton* premier,
                  QRadioButton* second);

} // namespace Dialogues
