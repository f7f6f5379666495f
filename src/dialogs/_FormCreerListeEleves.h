#pragma once
// TFormCreerListeEleves: typing a whole class list at once, with birth dates and repeating
// flags, for a class that has no students yet ("C&réer  ..." of the student menu).
//
//   TFormCreerListeEleves d(this, logo, fichier.Classe());
//   if (d.exec() == QDialog::Accepted) {
//       d.AppliquerA(fichier);   // names, then each student's birth date and repeating flag
//       ... refresh the student lists and the grids; NotifOnglets
//   }
//
// The dialog keeps three parallel lists in entry order (names, birth dates, "R" or empty) and
// shows the students sorted, each line "name date (R)". At most 50 students.
#include <QDialog>
#include <QList>
#include <QPixmap>
#include <QString>
#include <QStringList>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class TFichierTav;

class TFormCreerListeEleves : public QDialog {
    Q_OBJECT
public:
    TFormCreerListeEleves(QWidget* owner, const QPixmap& logo, const QString& nomClasse);

    // The three lists, in entry order.
    QStringList Noms() const;
    QStringList DatesNaissance() const;
    QStringList Redoublants() const; // "R" or empty
    int NombreEleves() const { return int(entrees.size()); }

    // Stores the lists into a class file: ModifierListeEleves with the names, then for each
    // entry the birth date and the repeating flag of its student. Two students of the same name
    // each keep their own date and flag.
    void AppliquerA(TFichierTav& fichier) const;
    static void AppliquerListes(TFichierTav& fichier, const QStringList& noms,
                                const QStringList& dates, const QStringList& redoublants);

    // "aucun élève", "1 élève", "n élèves".
    static QString TexteNombre(int n);
    // The line shown for a student.
    static QString TexteEntree(const QString& nom, const QString& date, bool redoublant);

    QLineEdit* EditNomEtPrenom() const { return editNom; }
    QLineEdit* EditDate() const { return editDate; }
    QCheckBox* CheckBoxRedoublant() const { return checkRedoublant; }
    QListWidget* ListBoxEleves() const { return listeEleves; }
    QPushButton* BoutonAjouter() const { return boutonAjouter; }
    QPushButton* BoutonSupprimer() const { return boutonSupprimer; }
    QPushButton* BoutonModifier() const { return boutonModifier; }
    QPushButton* BoutonOk() const { return boutonOk; }
    QPushButton* BoutonAnnuler() const { return boutonAnnuler; }
    QLabel* LabelNombre() const { return labelNombre; }

public slots:
    void Ajouter();
    void Supprimer();
    void Modifier();

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;
    void keyPressEvent(QKeyEvent* touche) override;

private:
    struct TEntree {
        int id;
        QString nom;
        QString date;
        bool redoublant;
    };

    bool AjouterEntree(const QString& nom, const QString& date, bool redoublant);
    int PositionEntree(int id) const;
    QListWidgetItem* ElementSelectionne() const;
    void RetirerElement(QListWidgetItem* element);
    void MettreAJourBoutons();
    void MettreAJourNombre();
    bool ExisteDeja(const QString& texte, const QListWidgetItem* sauf) const;

    QList<TEntree> entrees;
    int prochainId = 1;

    QLineEdit* editNom;
    QLineEdit* editDate;
    QCheckBox* checkRedoublant;
    QListWidget* listeEleves;
    QPushButton* boutonAjouter;
    QPushButton* boutonSupprimer;
    QPushButton* boutonModifier;
    QPushButton* boutonOk;
    QPushButton* boutonAnnuler;
    QLabel* labelNombre;
};
