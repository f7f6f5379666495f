#pragma once
// TFormSupprimerSerie: deletes the ticked series of a period, after a question. The class file
// is changed at once; the sheet refreshes its grids after the dialog closes.
#include <QDialog>
#include <QPixmap>

class QLabel;
class QListWidget;
class QPushButton;
class QTabBar;
class TFichierTav;

class TFormSupprimerSerie : public QDialog {
    Q_OBJECT
public:
    TFormSupprimerSerie(QWidget* owner, const QPixmap& logo, TFichierTav& fichier);

    // Shows period p (1-based).
    void Selectionner(int p);
    void ToutSelectionner(bool coche);
    // Asks, then deletes the ticked series of the shown period.
    void Supprimer();
    // True once a series was deleted.
    bool AModifie() const { return modifie; }

    QTabBar* TabControl1() const { return onglets; }
    QListWidget* CheckListBox1() const { return liste; }
    QLabel* Label1() const { return label; }
    QPushButton* BoutonToutSelectionner() const { return boutonTout; }
    QPushButton* BoutonToutDeselectionner() const { return boutonRien; }
    QPushButton* BoutonSupprimer() const { return boutonSupprimer; }
    QPushButton* BoutonFermer() const { return boutonFermer; }

private:
    void Remplir();
    void MettreAJourBoutons();
    int Periode() const;

    TFichierTav& fichier;
    bool modifie = false;
    QTabBar* onglets;
    QListWidget* liste;
    QLabel* label;
    QPushButton* boutonTout;
    QPushButton* boutonRien;
    QPushButton* boutonSupprimer;
    QPushButton* boutonFermer;
};
