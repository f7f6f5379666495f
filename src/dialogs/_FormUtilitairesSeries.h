#pragma once
// TFormUtilitairesSeries: creates one series from several others, by their maximum, their mean
// or their sum, optionally deleting the chosen series afterwards.
//
//   TFormUtilitairesSeries d(this, logo, fichier);
//   d.Selectionner(periodeCourante);
//   if (d.exec() == QDialog::Accepted) ... show d.Periode(); d.Informations() asks for the
//                                          series-information dialog on its last series
//
// Every check is made before the class changes: the 255-series limit (only when the chosen
// series are kept), the same maximum for every chosen series, and, for the sum, a maximum that
// is a whole number.
#include <QDialog>
#include <QList>
#include <QPixmap>
#include <QStringList>
#include <utility>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QListWidget;
class QPushButton;
class QTabBar;
class TFichierTav;

class TFormUtilitairesSeries : public QDialog {
    Q_OBJECT
public:
    enum TOperation { Maximum = 0, Moyenne = 1, Somme = 2 };

    TFormUtilitairesSeries(QWidget* owner, const QPixmap& logo, TFichierTav& fichier);

    // Shows period p in the tabs and makes it the new series' period.
    void Selectionner(int p);
    // Appends series j of period p to the chosen series (once).
    void AjouterSerie(int p, int j);
    void RetirerSerie();
    // "&Créer la série".
    void CreerSerie();
    int Periode() const { return periodeResultat; }
    bool Informations() const;

    // The mark of each student from the marks of the chosen series (one list per series, in
    // pick order, each holding the students' marks). Modes 0 to 3 round the mean.
    static QStringList Combiner(const QList<QStringList>& notes, int operation, int arrondi);
    static QString Intitule(int operation, const QStringList& titres);

    static QString MessageNoteSurDifferentes();
    static QString MessageNoteSurNonEntiere();

    QTabBar* TabControl1() const { return onglets; }
    QListWidget* ListBox2() const { return listeSeries; }
    QListWidget* ListBoxSeriesConcernees() const { return listeRetenues; }
    QPushButton* BtnAjouterSerie() const { return boutonAjouter; }
    QPushButton* BtnSupprimerSerie() const { return boutonRetirer; }
    QButtonGroup* RadioGroup1() const { return groupeOperation; }
    QButtonGroup* RadioGroup2() const { return groupeArrondi; }
    QGroupBox* CadreArrondi() const { return cadreArrondi; }
    QComboBox* ComboBox1() const { return comboPeriode; }
    QComboBox* ComboBox2() const { return comboType; }
    QButtonGroup* RadioGroupEcritOuOral() const { return groupeOral; }
    QCheckBox* CheckBox1() const { return checkSupprimer; }
    QCheckBox* CheckBox2() const { return checkCompteNon; }
    QCheckBox* CheckBox3() const { return checkInformations; }
    QPushButton* BtnCreerSerie() const { return boutonCreer; }
    QPushButton* BoutonFermer() const { return boutonFermer; }

private:
    void Remplir();
    void MettreAJour();

    TFichierTav& fichier;
    QList<std::pair<int, int>> retenues; // (period, series) in pick order
    int periodeResultat = 0;
    QTabBar* onglets;
    QListWidget* listeSeries;
    QListWidget* listeRetenues;
    QPushButton* boutonAjouter;
    QPushButton* boutonRetirer;
    QButtonGroup* groupeOperation;
    QButtonGroup* groupeArrondi;
    QGroupBox* cadreArrondi;
    QComboBox* comboPeriode;
    QComboBox* comboType;
    QButtonGroup* groupeOral;
    QCheckBox* checkSupprimer;
    QCheckBox* checkCompteNon;
    QCheckBox* checkInformations;
    QPushButton* boutonCreer;
    QPushButton* boutonFermer;
};
