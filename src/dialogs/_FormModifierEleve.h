#pragma once
// TFormModifierEleve: a student's name, birth date and repeating flag, used to add a student
// ("Ajouter un élève") and to change one ("Modifier les informations de l'élève").
//
//   TFormModifierEleve d(this, QStringLiteral("Ajouter un élève"), false, QString(), QString());
//   if (d.exec() == QDialog::Accepted) f.AjouterEleve(d.Nom(), d.DateNaissance(), d.Redoublant());
//
// The values come back as typed (the class file applies its own rules), except that a character
// that a class file cannot hold is refused while typing. Enter = OK, Escape = Cancel.
#include <QDialog>
#include <QString>

class QCheckBox;
class QLineEdit;
class QPushButton;

class TFormModifierEleve : public QDialog {
    Q_OBJECT
public:
    TFormModifierEleve(QWidget* owner, const QString& legende, bool redoublant,
                       const QString& dateNaissance, const QString& nom);

    QString Nom() const;
    QString DateNaissance() const;
    bool Redoublant() const;

    QLineEdit* ChampNom() const { return editNom; }
    QLineEdit* ChampDate() const { return editDate; }
    QCheckBox* CaseRedoublant() const { return checkRedoublant; }
    QPushButton* BoutonOk() const { return boutonOk; }

public slots:
    void accept() override;

private:
    QLineEdit* editNom;
    QLineEdit* editDate;
    QCheckBox* checkRedoublant;
    QPushButton* boutonOk;
    QPushButton* boutonAnnuler;
};
