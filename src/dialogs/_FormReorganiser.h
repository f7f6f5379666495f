#pragma once
// TFormReorganiser: moves series between periods and reorders them within a period. Each button
// changes the class file at once through its operations:
//
//   TFormReorganiser d(this, logo, fichier);
//   d.exec();
//   ... refresh the grids
//
// The move, up and down buttons act on the series selected in the source list and are enabled
// only while one is selected; "move all" needs none.
#include <QDialog>
#include <QPixmap>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QToolButton;
class TFichierTav;

class TFormReorganiser : public QDialog {
    Q_OBJECT
public:
    TFormReorganiser(QWidget* owner, const QPixmap& logo, TFichierTav& fichier);

    void Deplacer();
    void DeplacerTout();
    void Monter();
    void Descendre();

    QComboBox* ComboBox1() const { return comboSource; }
    QComboBox* ComboBox2() const { return comboDestination; }
    QListWidget* ListBox1() const { return listeSource; }
    QListWidget* ListBox2() const { return listeDestination; }
    QLabel* Label3() const { return labelSource; }
    QLabel* Label4() const { return labelDestination; }
    QToolButton* SpeedButton1() const { return boutonDeplacer; }
    QToolButton* SpeedButton5() const { return boutonDeplacerTout; }
    QToolButton* SpeedButton2() const { return boutonMonter; }
    QToolButton* SpeedButton3() const { return boutonDescendre; }
    QPushButton* SpeedButton4() const { return boutonFermer; }

private:
    void Remplir();
    void MettreAJourBoutons();
    int Source() const;
    int Destination() const;

    TFichierTav& fichier;
    QComboBox* comboSource;
    QComboBox* comboDestination;
    QListWidget* listeSource;
    QListWidget* listeDestination;
    QLabel* labelSource;
    QLabel* labelDestination;
    QToolButton* boutonDeplacer;
    QToolButton* boutonDeplacerTout;
    QToolButton* boutonMonter;
    QToolButton* boutonDescendre;
    QPushButton* boutonFermer;
};
