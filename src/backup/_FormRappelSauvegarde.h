#pragma once
// TFormRappelSauvegarde, "Sauvegarder vos fichiers": the class files of the file history, all
// checked, to which the teacher adds others, and the folder they are copied into (a USB stick,
// another disk). The copy shows its progress, asks before replacing a backup and ends with a
// summary naming every file that was not copied.
#include "tavX_copieSauvegarde.h"

#include <QDialog>
#include <QPixmap>
#include <functional>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;

class TFormRappelSauvegarde : public QDialog {
    Q_OBJECT
public:
    TFormRappelSauvegarde(QWidget* parent, const QPixmap& image);

    // The window of the menus and of the start-up reminder, shown modally.
    static void Ouvrir(QWidget* parent);

    // The overwrite question; the standard box (Oui, Oui pour tous, Non, Annuler) by default.
    // Tests answer through it.
    std::function<Sauvegarde::TReponseRemplacement(const QString& cible)> questionRemplacer;

    // Paths of the list and which are checked.
    QStringList Fichiers() const;
    QStringList FichiersCoches() const;
    // The target folder, as typed.
    QString Dossier() const;
    void DefinirDossier(const QString& dossier);
    // What the last copy did.
    const Sauvegarde::TBilanCopie& DernierBilan() const { return bilan; }

    void AjouterFichiers();
    void ListeParDefaut();
    void ToutCocher(bool coche);
    void LancerSauvegarde();

private:
    void AjouterLigne(const QString& chemin);
    void Actualiser();
    void ChoisirDossier();
    void RemplirVolumes();
    Sauvegarde::TReponseRemplacement QuestionStandard(const QString& cible);

    QLabel* image1 = nullptr;
    QListWidget* checkListBox1 = nullptr;
    QLineEdit* directoryEdit1 = nullptr;
    QToolButton* boutonDossier = nullptr;
    QToolButton* boutonVolumes = nullptr;
    QPushButton* btnSauvegarde = nullptr;
    QPushButton* btnFermer = nullptr;
    bool enCopie = false;
    Sauvegarde::TBilanCopie bilan;
};
