#pragma once
// TFormTransformerSeries: rescales a series to another maximum mark, in place or as a copy at the
// end of the same period.
//
//   TFormTransformerSeries d(this, logo, fichier);
//   d.Selectionner(periodeCourante);
//   if (d.exec() == QDialog::Accepted) ... show d.Periode(); d.Informations() asks for the
//                                          series-information dialog on its last series
//
// Both maxima are whole numbers: the target from 1 to 1000, the series' own maximum a positive
// whole number. Anything else is refused with a message before the class changes.
#include <QDialog>
#include <QPixmap>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabBar;
class QToolButton;
class TFichierTav;

class TFormTransformerSeries : public QDialog {
    Q_OBJECT
public:
    TFormTransformerSeries(QWidget* owner, const QPixmap& logo, TFichierTav& fichier);

    void Selectionner(int p, int j = 0);
    // The period of the series rescaled or copied (1-based).
    int Periode() const { return periodeResultat; }
    // Whether the series-information dialog should open on the new series.
    bool Informations() const;
    // "&Transformer".
    void Transformer();
    // The "..." button: a new target typed in TFormEdit.
    void NouvelleValeur();

    static QString MessageCibleIncorrecte();
    static QString MessageNoteSurIncorrecte(const QString& intitule);

    QTabBar* TabControl1() const { return onglets; }
    QListWidget* ListBox2() const { return liste; }
    QLineEdit* Edit1() const { return editNoteSur; }
    QComboBox* ComboBox1() const { return comboCible; }
    QToolButton* SpeedButton2() const { return boutonNouveau; }
    QButtonGroup* RadioGroup1() const { return groupeArrondi; }
    QCheckBox* CheckBox1() const { return checkCopie; }
    QCheckBox* CheckBox2() const { return checkCompteNon; }
    QCheckBox* CheckBox3() const { return checkInformations; }
    QPushButton* SpeedButton1() const { return boutonTransformer; }
    QPushButton* BoutonFermer() const { return boutonFermer; }

private:
    void Remplir();
    void MettreAJour();
    int PeriodeAffichee() const;

    TFichierTav& fichier;
    int periodeResultat = 0;
    QTabBar* onglets;
    QListWidget* liste;
    QLineEdit* editNoteSur;
    QComboBox* comboCible;
    QToolButton* boutonNouveau;
    QButtonGroup* groupeArrondi;
    QCheckBox* checkCopie;
    QCheckBox* checkCompteNon;
    QCheckBox* checkInformations;
    QPushButton* boutonTransformer;
    QPushButton* boutonFermer;
};
