#pragma once
// The two student lists of a class sheet.
//
// TGrilleElevesTavelin: the student grid at the left of the grades page. Its rows are those of
// the grades and averages grids (header, one row per student, then the statistic and attribute
// rows, whose labels stand in its name column), so that a row is the same student or statistic
// in the three grids. It has no scroll bar: it follows the grades grid, and keeps the place of a
// horizontal bar empty so that its rows stand level with the grades'. A left click on a name
// shows the student's information window; a right click on the name column opens its turbo menu
// (delete, modify, add a student, copy the list).
//
// TGrilleElevesGrapheTavelin: the list of the graph page, the students only; the row chosen is
// the student whose graph is drawn.
#include "_TGrilleGenerique.h"

class TGrilleElevesTavelin : public TGrilleGeneriqueTavelin {
    Q_OBJECT
public:
    // The turbo menu's command numbers.
    enum TCommande : int {
        CommandeSupprimer = 1,
        CommandeModifier = 2,
        CommandeAjouter = 3,
        CommandeCopier = 4
    };

    TGrilleElevesTavelin(TPanneauGrille* panneau, int periode, TFichierTav* fichier,
                         TFeuilleClasse* feuille);

    // Reloads the names, the numbers and the labels; fits the panels to the names.
    void NotifEleves(int w, int l) override;
    // Keeps the period (the information window reads it); nothing is redrawn.
    void NotifPeriode(int periode, int option) override;

    void SourisEnfoncee(Qt::MouseButton bouton, int colonne, int ligne,
                        const QPoint& positionGlobale) override;
    void Commande(int numero) override;

    // The name shown for student s: the name, then " (date)" and " (R)" as the settings ask.
    static QString NomAffiche(const TFichierTav& fichier, int s);
    // The five lines of the information window of student s for a period.
    static QStringList LignesInformation(const TFichierTav& fichier, int s, int periode);
    // The labels of the rows below the students, by offset from N (empty for the blank rows).
    static QString LibelleLigne(int decalage);

    // The column and row last right-clicked.
    int ColonneCliquee() const { return colonneCliquee; }
    int LigneCliquee() const { return ligneCliquee; }
    // Width of the two columns and the frame: what the panels are fitted to.
    int LargeurTotale() const;

protected:
    // The keyboard moves along the names only.
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modificateurs) override;

private:
    void OuvrirMenuTurbo(const QPoint& position);
    void AfficherInformation(int ligne, const QPoint& position);
    void SupprimerEleve(int s);
    void ModifierEleve(int s);
    void AjouterEleve();
    // After a deletion or an addition: averages, this grid, marks, caption, the other lists.
    void ApresChangementEleves();

    int colonneCliquee = -1;
    int ligneCliquee = -1;
};

class TGrilleElevesGrapheTavelin : public TGrilleGeneriqueTavelin {
    Q_OBJECT
public:
    TGrilleElevesGrapheTavelin(TPanneauGrille* panneau, int periode, TFichierTav* fichier,
                               TFeuilleClasse* feuille);

    // Reloads the names; the chosen row stays when it still exists (the first student else).
    void NotifEleves(int w, int l) override;
    // Keeps the period and draws the graph of the chosen student for it.
    void NotifPeriode(int periode, int option) override;

    void SourisEnfoncee(Qt::MouseButton bouton, int colonne, int ligne,
                        const QPoint& positionGlobale) override;
    void CelluleSelectionnee(int colonne, int ligne) override;

    // The chosen row (0 without students) and its name as shown (the printed graph's title).
    int LigneSelectionnee() const { return ligneSelectionnee; }
    QString NomSelectionne() const { return nomSelectionne; }

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modificateurs) override;

private:
    void Choisir(int ligne);
    void EnvoyerGraphe();

    int ligneSelectionnee = 0;
    QString nomSelectionne;
};
