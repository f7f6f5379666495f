#pragma once
// TFormTypeImportation: imports a list of students, from another class file (with birth dates and
// repeating flags) or from a text file of one name a line, replacing the class's students (after
// a question, No by default) or adding to them, up to 50 students.
//
//   if (TFormTypeImportation::ImporterDepuisFichierTav(this, fichier, logo)) ... refresh
//   if (TFormTypeImportation::ImporterDepuisFichierTexte(this, fichier, logo)) ...
#include <QDialog>
#include <QPixmap>
#include <QStringList>

class QButtonGroup;
class QLabel;
class QListWidget;
class QPushButton;
class TFichierTav;

class TFormTypeImportation : public QDialog {
    Q_OBJECT
public:
    // The three parallel lists: names, birth dates, "R" or empty.
    TFormTypeImportation(QWidget* owner, const QPixmap& logo, TFichierTav& fichier,
                         const QString& source, const QStringList& noms,
                         const QStringList& dates = {}, const QStringList& redoublants = {});

    // The whole commands. True when the class may have changed.
    static bool ImporterDepuisFichierTav(QWidget* feuille, TFichierTav& fichier,
                                         const QPixmap& logo);
    static bool ImporterDepuisFichierTexte(QWidget* feuille, TFichierTav& fichier,
                                           const QPixmap& logo);

    // The names of a text file: UTF-8 (with or without a byte order mark), else Windows-1252;
    // every line not blank once trimmed, as written, cut to a student name's length. False with
    // a French message when the file cannot be read or a name cannot be kept in a class file.
    static bool LireNomsTexte(const QString& chemin, QStringList& noms, QString& erreur);

    void ToutSelectionner(bool coche);
    // "&Lancer l'importation".
    void Lancer();

    static QString MessageRemplacer();
    static QString MessageMaximum(const QString& nom);

    QListWidget* CheckListBox1() const { return liste; }
    QLabel* Label1() const { return labelNombre; }
    QLabel* Label2() const { return labelSelection; }
    QButtonGroup* RadioGroup1() const { return groupeType; }
    QPushButton* BoutonToutSelectionner() const { return boutonTout; }
    QPushButton* BoutonToutDeselectionner() const { return boutonRien; }
    QPushButton* BoutonLancer() const { return boutonLancer; }
    QPushButton* BoutonFermer() const { return boutonFermer; }

private:
    void MettreAJour();

    TFichierTav& fichier;
    QStringList noms, dates, redoublants;
    QListWidget* liste;
    QLabel* labelNombre;
    QLabel* labelSelection;
    QButtonGroup* groupeType;
    QPushButton* boutonTout;
    QPushButton* boutonRien;
    QPushButton* boutonLancer;
    QPushButton* boutonFermer;
};
