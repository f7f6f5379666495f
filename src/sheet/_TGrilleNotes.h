#pragma once
// TGrilleNotesTavelin: the grades grid, where the teacher types marks. One column per series of
// the period shown: the header (title and maximum), one mark per student, then the series
// statistics and properties, row for row with the student grid and the averages grid.
//
// The cells are read from the class file at each paint (marks, properties, and the series
// statistics the class file keeps in its cache); the grid holds no copy of them. Typed marks are
// stored as typed when the editing of a cell ends and coloured by how they compare with the
// series maximum. A right click opens the turbo menu of the row clicked.
#include "_TGrilleGenerique.h"

#include <QStringList>

class TGrilleNotesTavelin : public TGrilleGeneriqueTavelin {
    Q_OBJECT
public:
    TGrilleNotesTavelin(TPanneauGrille* panneau, int periode, TFichierTav* fichier,
                        TFeuilleClasse* feuille);

    // Turbo menu commands. A range start: the move to period p is CmdDeplacerVers + p, the grade
    // type i (0-based in the settings' list) CmdType + i, the coefficient k CmdCoefficient + k.
    enum TCommande : int {
        CmdModifierIntitule = 1,
        CmdDeplacerVers = 100, // + period (1 .. 127)
        CmdCopierNotes = 300,
        CmdCopierNotesEtStatistiques,
        CmdCollerNotes,
        CmdDecalerBas = 400,
        CmdDecalerHaut,
        CmdCopierNote,
        CmdCollerNote,
        CmdDate = 500, // + 0 .. 4: the day before yesterday .. the day after tomorrow
        CmdAutreDate = 510,
        CmdCompteOui = 600,
        CmdCompteNon,
        CmdCoefficient = 700, // + 1 .. 10
        CmdAutreCoefficient = 720,
        CmdNoteSur = 800, // + index in NotesSurProposees()
        CmdAutreNoteSur = 820,
        CmdOral = 900,
        CmdEcrit,
        CmdType = 1000, // + index in the list of grade types
    };

    // ---- Notifications -------------------------------------------------------------------------
    // Reloads the grid for a period.
    void NotifPeriode(int periode, int option) override;
    // Refreshes one series column (statistics and header) after its marks or maximum changed.
    void NotifColonne(int colonne);
    // Writes "abs" for the student of the selected cell (the keypad's minus key).
    void NotifAbsent();

    // ---- State ---------------------------------------------------------------------------------
    // Number of series of the period shown (0 when the period has none).
    int NombreSeries() const;
    // The cell remembered at the last selection or mouse press (grid coordinates).
    int ColonneRetenue() const { return colonneRetenue; }
    int LigneRetenue() const { return ligneRetenue; }
    // The maxima offered by the "Noté sur" menu, in menu order.
    static QStringList NotesSurProposees();

    // ---- Base grid -----------------------------------------------------------------------------
    QString Texte(int colonne, int ligne) const override;
    void StyleCellule(int colonne, int ligne, TStyleCellule& style) const override;
    bool CelluleModifiable(int colonne, int ligne) const override;
    void CelluleEditee(int colonne, int ligne, const QString& texte) override;
    bool ToucheEditeur(QLineEdit* editeur, QKeyEvent* touche) override;
    void SourisEnfoncee(Qt::MouseButton bouton, int colonne, int ligne,
                        const QPoint& positionGlobale) override;
    void CelluleSelectionnee(int colonne, int ligne) override;
    void Commande(int numero) override;

protected:
    void keyPressEvent(QKeyEvent* touche) override;
    void paintEvent(QPaintEvent* evenement) override;
    // Typing on a cell that cannot be edited must not move the selection to a matching cell.

private:
    int N() const;
    bool EstSerie(int colonne) const { return colonne >= 0 && colonne < NombreSeries(); }
    bool EstEleve(int ligne) const { return ligne >= 1 && ligne <= N(); }
    // Closes the editor without storing its text.
    void AbandonnerEdition();
    void SelectionnerEtEditer(int colonne, int ligne);
    void NoteModifiee(int colonne, int ligne);
    void AttributModifie(int colonne, bool redessiner);
    QString EnTete(int j) const;
    QStringList LignesInformation(int j) const;

    void OuvrirMenu(int colonne, int ligne, const QPoint& position);
    void MenuSerie(int j);
    void MenuNotes(int j, int eleve);
    void MenuDate();
    void MenuCompte();
    void MenuType();
    void MenuCoefficient();
    void MenuNoteSur();
    void MenuOralEcrit();

    void DeplacerSerie(int j, int periodeCible);
    void CopierNotes(int j, bool avecStatistiques);
    void CollerNotes(int j);
    void DecalerNotes(int j, int eleve, bool versLeBas);
    void CollerNote(int j, int eleve);
    void ChoisirDate(int j, const QString& date);
    void ChoisirCompte(int j, const QString& valeur);
    void ChoisirCoefficient(int j, const QString& valeur);
    void ChoisirNoteSur(int j, const QString& valeur);
    void ChoisirOral(int j, bool oral);
    void ChoisirType(int j, const QString& type);

    int colonneRetenue = -1;
    int ligneRetenue = -1;
    // The cell the turbo menu was opened on.
    int colonneMenu = -1;
    int ligneMenu = -1;
    // The grade types offered by the last type menu.
    QStringList typesMenu;
    // Editing stays off after "abs" until the next selection.
    bool editionCoupee = false;
    // The colouring settings, read once per paint.
    bool enPeinture = false;
    bool colorationGrille = true;
    bool colorationNote = true;
};
