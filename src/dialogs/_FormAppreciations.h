#pragma once
// TFormAppreciations: "Appréciations sur les bulletins", the report-card appreciations of a
// class, period by period for the whole class or student by student across the periods, with
// the averages that help to write them.
//
//   TFormAppreciations dialogue(this, &fichier);
//   dialogue.exec();
//
// Every keystroke in the memo is stored at once (ModifierAppreciation): closing discards
// nothing. The memo holds one line of at most 255 characters: Enter moves to the next student
// (period page) or period (student page); a pasted text has its line breaks turned into spaces,
// and a text holding a character that a class file cannot hold is refused with a message.
//
// Indexes: the period page's student 1..N, the student page's student 1..N and period row
// 1..P, the report-card column 1..K.
#include <QDialog>
#include <QPlainTextEdit>
#include <QStringList>

class QLabel;
class QPushButton;
class QTabBar;
class QTabWidget;
class QTableWidget;
class TFichierTav;

// The memo of the appreciations: one line, at most 255 characters, Windows-1252 only.
class TMemoAppreciation : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TMemoAppreciation(QWidget* parent = nullptr);
    static constexpr int Maximum = 255;
    // The text as it may be inserted: line breaks (and tabs) as spaces.
    static QString TexteSurUneLigne(const QString& texte);

signals:
    void entree();

protected:
    void keyPressEvent(QKeyEvent* evenement) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    // Inserts a text at the cursor, as much of it as the limit leaves room for; false (after
    // the message) when it holds a character that cannot be stored.
    bool Inserer(const QString& texte);

    QString dernierTexte; // the last text that could be stored
    bool retour = false;  // the memo is going back to it
};

class TFormAppreciations : public QDialog {
    Q_OBJECT
public:
    enum TPage { PageParPeriode = 0, PageParEleve = 1 };

    TFormAppreciations(QWidget* owner, TFichierTav* fichier);

    // The report-card column (1..K) of a click in column c (0-based) of each grid; 0 when the
    // column holds no appreciation.
    static int ColonneBulletinGrillePeriode(int c);
    static int ColonneBulletinGrilleEleve(int c);

    int Page() const;
    int PeriodeOnglet() const; // period of the period page's tab, 1..P
    int EleveDePeriode() const { return elevePeriode; }
    int EleveDEleve() const { return eleveEleve; }
    int LigneDePeriode() const { return lignePeriode; }
    int ColonneCourante() const; // 1..K

    QTabWidget* PageControl() const { return pages; }
    TMemoAppreciation* Memo1() const { return memo; }
    QTabBar* TabSetColonnesBulletin() const { return ongletsColonnes; }
    QTableWidget* StringGrid1() const { return grille1; }
    QTableWidget* StringGrid2() const { return grille2; }
    QTabBar* TabControlPeriodes() const { return ongletsPeriodes; }
    QLabel* LabelMoyenneBasse() const { return labelBasse; }
    QLabel* LabelMoyenneHaute() const { return labelHaute; }
    QLabel* LabelMoyenneClasse() const { return labelClasse; }
    QLabel* LabelMoyenneEleve() const { return labelEleve; }
    QLabel* Label4() const { return label4; }
    QPushButton* BoutonPrecedent1() const { return precedent1; }
    QPushButton* BoutonSuivant1() const { return suivant1; }
    QPushButton* BoutonPrecedent2() const { return precedent2; }
    QPushButton* BoutonSuivant2() const { return suivant2; }
    QPushButton* BoutonPremier() const { return premier; }
    QPushButton* BoutonDernier() const { return dernier; }
    QPushButton* BoutonFermer() const { return fermer; }

    // Selecting a cell of each grid (row and column 0-based, as the user's click).
    void SelectionnerGrille1(int ligne, int colonne);
    void SelectionnerGrille2(int ligne, int colonne);

private:
    void ConstruireInterface();
    void RafraichirPagePeriode();
    void RafraichirPageEleve();
    void ChargerMemo(const QString& texte);
    void MemoModifie();
    void Entree();
    // Moves the period page to a student and selects him with the current column.
    void AllerEleve1(int eleve, int rangVisible);
    void AllerEleve2(int eleve);
    void ChangementDePage();
    void ChangementDeColonne();
    void ChangementDePeriode();
    void ActualiserBoutons1();
    QString Moyenne(int periode, int eleve) const;

    TFichierTav* fichier;
    int N = 0, P = 0, K = 0;
    int elevePeriode = 1;
    int eleveEleve = 1;
    int lignePeriode = 1;
    bool garde = true; // cleared while the program fills the memo
    bool selectionParProgramme = false;
    QString textesStatistiques[3];

    QTabWidget* pages = nullptr;
    TMemoAppreciation* memo = nullptr;
    QTabBar* ongletsColonnes = nullptr;
    QTableWidget* grille1 = nullptr;
    QTableWidget* grille2 = nullptr;
    QTabBar* ongletsPeriodes = nullptr;
    QLabel* labelBasse = nullptr;
    QLabel* labelHaute = nullptr;
    QLabel* labelClasse = nullptr;
    QLabel* labelEleve = nullptr;
    QLabel* label4 = nullptr;
    QPushButton* precedent1 = nullptr;
    QPushButton* suivant1 = nullptr;
    QPushButton* precedent2 = nullptr;
    QPushButton* suivant2 = nullptr;
    QPushButton* premier = nullptr;
    QPushButton* dernier = nullptr;
    QPushButton* fermer = nullptr;
};
