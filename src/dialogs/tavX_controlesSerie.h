#pragma once
// Small controls shared by the series dialogs.
#include <QString>

class QGroupBox;
class QRadioButton;
class QTabBar;
class TFichierTav;
class QToolButton;
class QWidget;

namespace Dialogues {

// The "..." button that asks for a value missing from a list.
QToolButton* BoutonNouvelleValeur(QWidget* parent, const char* nom, const QString& bulle);
// A frame holding two exclusive choices (ids 0 and 1).
QGroupBox* Groupe(QWidget* parent, const QString& titre, QRadioButton* premier,
                  QRadioButton* second);

// The row of period tabs (one per period of the class file).
QTabBar* OngletsPeriodes(QWidget* parent, const TFichierTav* fichier);

} // namespace Dialogues
