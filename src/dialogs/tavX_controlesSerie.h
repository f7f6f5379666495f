#pragma once
// Small controls and layouts shared by the dialogs.
#include <QString>

#include <initializer_list>

class QCheckBox;
class QDialog;
class QLabel;
class QLineEdit;
class QGroupBox;
class QLayout;
class QPixmap;
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

// The fields of a student: name and first name, birth date with its format, repeating.
struct TChampsEleve {
    QLineEdit* nom;
    QLabel* libelleNom;
    QLineEdit* date;
    QLabel* libelleDate;
    QLabel* format;
    QCheckBox* redoublant;
};
TChampsEleve ChampsEleve(QWidget* parent);

// Tab moves through the widgets in this order.
void OrdreTabulation(std::initializer_list<QWidget*> widgets);

// The layout of the series dialogs: the logo on the left; on the right the period tabs over
// the page, then the buttons at the bottom right.
void DisposerPageAOnglets(QDialog* dialogue, const QPixmap& image, QTabBar* onglets, QWidget* page,
                          std::initializer_list<QWidget*> boutons);

} // namespace Dialogues
