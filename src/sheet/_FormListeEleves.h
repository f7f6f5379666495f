#pragma once
// TFormListeEleves: chooses one student of a class ("Choisir l'élève à supprimer", "Choisir le
// nom à modifier").
//
//   TFormListeEleves d(this, QStringLiteral("Choisir le nom à modifier"), fichier, logo);
//   if (d.exec() == QDialog::Accepted && d.Indice() >= 0) ... student d.Indice() + 1 ...
//
// The first student is selected at the start; a double click, Enter or "&Ok" chooses, Escape or
// "&Annuler" cancels.
#include <QDialog>
#include <QPixmap>

class QLabel;
class QListWidget;
class QPushButton;
class TFichierTav;

class TFormListeEleves : public QDialog {
    Q_OBJECT
public:
    TFormListeEleves(QWidget* owner, const QString& legende, const TFichierTav& fichier,
                     const QPixmap& logo);

    // The chosen student, 0-based in the class file's order; -1 when the class has none.
    int Indice() const;

    QListWidget* Liste() const { return listeEleves; }
    QLabel* LabelNombre() const { return labelNombre; }
    QPushButton* BoutonOk() const { return boutonOk; }
    QPushButton* BoutonAnnuler() const { return boutonAnnuler; }

private:
    QListWidget* listeEleves;
    QLabel* labelNombre;
    QPushButton* boutonOk;
    QPushButton* boutonAnnuler;
};
