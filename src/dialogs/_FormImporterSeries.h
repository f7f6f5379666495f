#pragma once
// TFormImporterSeries: copies series of another class file into this one, at the end of a chosen
// period. In import mode the two classes have the same students and the marks come along; in
// models mode only the series' definitions are copied, every mark empty. The other class file
// is only read, never saved.
//
//   if (TFormImporterSeries::ImporterDepuisFichier(this, fichier, logo)) ... refresh the grids
//   if (TFormImporterSeries::CopierModeles(this, fichier, logo)) ...
#include <QDialog>
#include <QPixmap>
#include <QString>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTabBar;
class TFichierTav;

class TFormImporterSeries : public QDialog {
    Q_OBJECT
public:
    enum TMode { ModeImportation, ModeModeles };

    TFormImporterSeries(QWidget* owner, const QPixmap& logo, TFichierTav& fichier,
                        const TFichierTav& autre, TMode mode, const QString& nomFichier);

    // The whole commands: limit, open dialog, load, checks, then the dialog. True when the
    // dialog was shown (the class may have changed).
    static bool ImporterDepuisFichier(QWidget* feuille, TFichierTav& fichier, const QPixmap& logo);
    static bool CopierModeles(QWidget* feuille, TFichierTav& fichier, const QPixmap& logo);

    void Selectionner(int p);
    void ToutSelectionner(bool coche);
    // "&Importer" / "C&opier": the ticked series, in order, at the end of the chosen period.
    void Executer();
    bool AModifie() const { return modifie; }

    static QString MessageListesDifferentes();

    QTabBar* TabControl1() const { return onglets; }
    QListWidget* CheckListBoxSeries() const { return liste; }
    QComboBox* ComboBoxPeriodes() const { return comboPeriodes; }
    QLabel* Label3() const { return labelNombre; }
    QPushButton* BoutonToutSelectionner() const { return boutonTout; }
    QPushButton* BoutonToutDeselectionner() const { return boutonRien; }
    QPushButton* SpeedButtonExecuter() const { return boutonExecuter; }
    QPushButton* BoutonFermer() const { return boutonFermer; }

private:
    void Remplir();
    void MettreAJourBouton();

    TFichierTav& fichier;
    const TFichierTav& autre;
    TMode mode;
    bool modifie = false;
    QTabBar* onglets;
    QListWidget* liste;
    QComboBox* comboPeriodes;
    QLabel* labelNombre;
    QPushButton* boutonTout;
    QPushButton* boutonRien;
    QPushButton* boutonExecuter;
    QPushButton* boutonFermer;
};
