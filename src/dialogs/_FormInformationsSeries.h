#pragma once
// TFormInformationsSeriesDeNotes: the attributes of the existing series of every period. Each
// change is stored at once into the class file with its Modifier... operation, so there is
// nothing to read back:
//
//   TFormInformationsSeriesDeNotes d(this, logo, &fichier);
//   d.Selectionner(periode, serie);   // optional: open on a given series
//   d.exec();
//   ... refresh the grids
//
// A series whose stored date cannot be read shows the date as "inconnue"; its other attributes
// show as usual and its stored date text is kept until a date is picked.
#include <QDialog>
#include <QPixmap>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabBar;
class QToolButton;
class TFichierTav;
class TSelecteurDate;

class TFormInformationsSeriesDeNotes : public QDialog {
    Q_OBJECT
public:
    TFormInformationsSeriesDeNotes(QWidget* owner, const QPixmap& image, TFichierTav* fichier);

    // Shows series j (1-based) of period p; j = 0 selects the first series, if any.
    void Selectionner(int p, int j = 0);
    int Periode() const; // 1-based
    int Serie() const;   // 1-based, 0 when none

    // "aucune série de notes", "1 série de notes", "n séries de notes".
    static QString TexteNombre(int n);

    // The "new value" buttons.
    void NouveauNoteSur();
    void NouveauCoefficient();
    void NouveauType();

    QTabBar* TabControl1() const { return onglets; }
    QListWidget* ListBoxSeries() const { return listeSeries; }
    QLabel* Label8() const { return labelNombre; }
    QLineEdit* Edit1() const { return editIntitule; }
    QComboBox* ComboBox2() const { return comboNoteSur; }
    QComboBox* ComboBox1() const { return comboCoefficient; }
    QRadioButton* BoutonOui() const { return radioOui; }
    QRadioButton* BoutonNon() const { return radioNon; }
    QRadioButton* BoutonEcrit() const { return radioEcrit; }
    QRadioButton* BoutonOral() const { return radioOral; }
    TSelecteurDate* DateTimePicker1() const { return date; }
    QComboBox* ComboBox3() const { return comboTypes; }
    QLineEdit* Edit2() const { return editCommentaire; }
    QToolButton* SpeedButton2() const { return boutonNoteSur; }
    QToolButton* SpeedButton3() const { return boutonCoefficient; }
    QToolButton* SpeedButton4() const { return boutonType; }
    QPushButton* BoutonFermer() const { return boutonFermer; }

private:
    void RemplirListe();
    void RemplirControles();
    void ActiverControles(bool actif);
    void RemplirTypes(const QString& type);
    bool Stockage() const;

    TFichierTav* fichier;
    bool remplissage = false;

    QTabBar* onglets;
    QListWidget* listeSeries;
    QLabel* labelNombre;
    QLineEdit* editIntitule;
    QComboBox* comboNoteSur;
    QComboBox* comboCoefficient;
    QRadioButton* radioOui;
    QRadioButton* radioNon;
    QRadioButton* radioEcrit;
    QRadioButton* radioOral;
    TSelecteurDate* date;
    QComboBox* comboTypes;
    QLineEdit* editCommentaire;
    QToolButton* boutonNoteSur;
    QToolButton* boutonCoefficient;
    QToolButton* boutonType;
    QPushButton* boutonFermer;
    QList<QWidget*> controles;
};
