#pragma once
// TFormNouvelleClasse: the identity of a class (name, school, subject, school year, remark,
// teacher) and, for a new class, its period scheme and report-card type.
//
// New class (mode 1), run by the new-class command on a fresh class file object before any sheet
// exists:
//   TFormNouvelleClasse d(owner, TFormNouvelleClasse::ModeNouvelleClasse, logo,
//                         QStringLiteral("Nouvelle classe"), fichier);
//   if (d.exec() != QDialog::Accepted) { /* discard the object, no sheet */ }
// OK has then already stored, in this order, the teacher, class name, school, remark, school
// year and subject, and called InitialiserClasse with the chosen scheme and report-card type.
//
// Information (mode 0), from the sheet's "Infor&mations sur la classe ...":
//   TFormNouvelleClasse d(this, TFormNouvelleClasse::ModeInformation, logo,
//                         QStringLiteral("Informations sur la classe"), fichier);
//   if (d.exec() == QDialog::Accepted) { d.EnregistrerInformations(); NotifTitre(); }
// The scheme and the report-card type are shown but cannot be changed.
#include <QDialog>
#include <QPixmap>
#include <QString>

class QComboBox;
class QLineEdit;
class QPushButton;
class QToolButton;
class TFichierTav;

class TFormNouvelleClasse : public QDialog {
    Q_OBJECT
public:
    enum TMode { ModeInformation = 0, ModeNouvelleClasse = 1 };

    TFormNouvelleClasse(QWidget* owner, int mode, const QPixmap& logo, const QString& legende,
                        TFichierTav* fichier);

    int Mode() const { return mode; }

    // The values shown.
    QString Classe() const;
    QString Ecole() const;
    QString Matiere() const;
    QString AnneeScolaire() const;
    QString Remarque() const;
    QString Enseignant() const;
    QString OrganisationAnnee() const;
    QString TypeBulletins() const;

    // Information mode, after OK: stores, in this order, class name, school, subject, remark,
    // school year and teacher into the class file.
    void EnregistrerInformations();

    // Reloads a list from the settings (after the options dialog).
    void RechargerSchemasPeriodes();
    void RechargerUtilisateurs();
    void RechargerMatieres();

    QLineEdit* EditClasse() const { return editClasse; }
    QLineEdit* EditEcole() const { return editEcole; }
    QComboBox* ComboBoxMatiere() const { return comboMatiere; }
    QLineEdit* EditAnneeScolaire() const { return editAnnee; }
    QLineEdit* EditRemarque() const { return editRemarque; }
    QComboBox* ComboBoxOrganisationAnnee() const { return comboOrganisation; }
    QComboBox* ComboBoxBulletins() const { return comboBulletins; }
    QComboBox* ComboBoxUtilisateurs() const { return comboUtilisateurs; }
    QToolButton* SpeedButton1() const { return boutonPeriodes; }
    QToolButton* SpeedButton2() const { return boutonEnseignants; }
    QToolButton* SpeedButton5() const { return boutonMatieres; }
    QPushButton* BoutonOk() const { return boutonOk; }
    QPushButton* BoutonAnnuler() const { return boutonAnnuler; }

public slots:
    void accept() override;

private:
    void Remplir();
    void SelectionnerEnseignantClasse();
    bool TextesEnregistrables();

    int mode;
    TFichierTav* fichier;
    QLineEdit* editClasse;
    QLineEdit* editEcole;
    QComboBox* comboMatiere;
    QLineEdit* editAnnee;
    QLineEdit* editRemarque;
    QComboBox* comboOrganisation;
    QComboBox* comboBulletins;
    QComboBox* comboUtilisateurs;
    QToolButton* boutonPeriodes;
    QToolButton* boutonEnseignants;
    QToolButton* boutonMatieres;
    QPushButton* boutonOk;
    QPushButton* boutonAnnuler;
};
