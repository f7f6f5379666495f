#pragma once
// TFormFusionner ("Fusionner plusieurs fichiers"): a three-page wizard that merges several class
// files of the same students into one new file of averages or series. Page 1 chooses the files,
// page 2 the periods and the data kept, page 3 the new file's identity.
#include <QDialog>
#include <QPixmap>
#include <memory>
#include <vector>

#include "tavX_fusionClonage.h"

class QCheckBox;
class QComboBox;
class QFileSystemModel;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTreeView;
class TFichierTav;

class TFormFusionner : public QDialog {
    Q_OBJECT
public:
    // fichiersOuverts: the files shown in sheets, which the merge never replaces.
    TFormFusionner(QWidget* parent, const QPixmap& logo, const QStringList& fichiersOuverts = {});
    ~TFormFusionner() override;

    // Page 1: adds a file after its checks (a refusal is told and changes nothing); false when
    // refused or already chosen.
    bool AjouterFichier(const QString& chemin);
    // Removes the selected file of the list.
    void SupprimerFichier();
    void Suivant();
    void Precedent();
    int Page() const; // 1 to 3
    // Page 2.
    void ToutSelectionner(bool coche);
    // Page 3: builds, asks for the name, saves; closes only once saved.
    void Fusionner();

    // The file saved (empty when none), and whether it is to be opened.
    const QString& CheminEnregistre() const { return enregistre; }
    bool OuvrirApres() const;

    QListWidget* ListBoxFichiers() const { return fichiers; }
    QListWidget* CheckListBox1() const { return periodes; }
    QRadioButton* Donnees(int choix) const {
        return choix >= 0 && choix < 3 ? donnees[choix] : nullptr;
    }
    QPushButton* SpeedButtonSuivant() const { return boutonSuivant; }
    QPushButton* SpeedButtonPrecedent() const { return boutonPrecedent; }
    QPushButton* SpeedButtonFusionner() const { return boutonFusionner; }
    QComboBox* ComboBoxUtilisateurs() const { return utilisateurs; }
    QLineEdit* Edit(int i) const { return i >= 1 && i <= 5 ? edits[i - 1] : nullptr; }
    QLabel* LabelEleves() const { return labelEleves; }
    QLabel* LabelPeriodes() const { return labelPeriodes; }

private:
    void AfficherPage(int page);
    void Actualiser();
    void AjouterSelection();

    QStringList fichiersOuverts;
    Outils::TReferenceFusion reference;
    std::vector<std::unique_ptr<TFichierTav>> classes;
    QString enregistre;
    QStackedWidget* pages = nullptr;
    QFileSystemModel* modele = nullptr;
    QTreeView* arbre = nullptr;
    QLabel* dossier = nullptr;
    QListWidget* fichiers = nullptr;
    QLabel* labelEleves = nullptr;
    QLabel* labelPeriodes = nullptr;
    QListWidget* periodes = nullptr;
    QRadioButton* donnees[3] = {};
    QComboBox* utilisateurs = nullptr;
    QLineEdit* edits[5] = {};
    QCheckBox* ouvrir = nullptr;
    QPushButton* boutonPrecedent = nullptr;
    QPushButton* boutonSuivant = nullptr;
    QPushButton* boutonFusionner = nullptr;
};
