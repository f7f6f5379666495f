#pragma once
// TGrilleGeneriqueTavelin: the base of every grid of a class sheet.
//
// A grid is a QTableView over a TModeleGrille. Grid coordinates are those of the grades page:
// row 0 is the header (drawn by the horizontal header, so that it never scrolls), rows 1 .. are
// the model's rows 0 ..; columns are the model's columns. Every call of the base and of the
// derived grids takes (colonne, ligne) in grid coordinates.
//
// The base gives every grid:
//   - a table of cell texts (Cellule / ModifierCellule), which a derived grid may bypass by
//     overriding Texte() to read the class file directly;
//   - the look: header in the menu colour, alternating rows and selection from the settings,
//     painted by TDelegueGrille, which asks the grid for each cell's colours (StyleCellule);
//   - editing of the cells the grid allows (CelluleModifiable), the text being handed to
//     CelluleEditee when editing ends (Enter, another cell, a mouse press, loss of focus);
//   - rows kept aligned with the neighbouring grids: a selection is reported to the sheet
//     (CelluleSelectionnee, by default NotifSelectionLigne(ligne, -1)) and so is a vertical
//     scroll (NotifDefilement); the sheet answers with SelectionnerCellules / DefilerVers;
//   - turbo menus rebuilt at each opening with their title and separator, each command
//     delivering its number to Commande();
//   - mouse presses on cells and header delivered to SourisEnfoncee().
#include "tavX_grilleFeuille.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTableView>

class TFeuilleClasse;
class TFichierTav;
class TGrilleGeneriqueTavelin;
class TPanneauGrille;

namespace Grille {
// A colour of the settings (0x00BBGGRR) as a QColor.
QColor Couleur(qint32 couleurWindows);
// Height of every row (header included) of the grids of the grades page: 18 pixels, or more
// when the font needs it. The same for every grid, so that rows stay aligned.
int HauteurLigne(const QWidget* grille);
} // namespace Grille

class TModeleGrille : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TModeleGrille(TGrilleGeneriqueTavelin* grille);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& valeur, int role) override;

    // Announces that texts changed (whole grid, one column, one cell).
    void ToutChange();
    void ColonneChangee(int colonne);
    void CelluleChangee(int colonne, int ligne);
    void Redimensionner(int lignes, int colonnes);

private:
    friend class TGrilleGeneriqueTavelin;
    TGrilleGeneriqueTavelin* grille;
    int lignes = 1; // with the header row
    int colonnes = 1;
};

// Paints every cell with the colours the grid gives, and makes the grids' in-place editors.
class TDelegueGrille : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit TDelegueGrille(TGrilleGeneriqueTavelin* grille);

    void paint(QPainter* peintre, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editeur, const QModelIndex& index) const override;
    void setModelData(QWidget* editeur, QAbstractItemModel* modele,
                      const QModelIndex& index) const override;

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    TGrilleGeneriqueTavelin* grille;
};

class TGrilleGeneriqueTavelin : public QTableView, public TGrilleFeuille {
    Q_OBJECT
public:
    enum TGenre : int { GenreEleves = 0, GenreNotes = 1, GenreMoyennes = 2, GenreBilan = 3 };

    // The grid puts itself into its panel (hidden until filled).
    TGrilleGeneriqueTavelin(TPanneauGrille* panneau, int periode, TFichierTav* fichier,
                            TFeuilleClasse* feuille, int genre);
    ~TGrilleGeneriqueTavelin() override;

    QWidget* Widget() override { return this; }

    int Periode() const { return periode; }
    void DefinirPeriode(int p) { periode = p; }
    int Genre() const { return genre; }
    TFichierTav* Fichier() const { return fichier; }
    TFeuilleClasse* Feuille() const { return feuille; }
    TPanneauGrille* Panneau() const { return panneau; }
    TModeleGrille* Modele() const { return modele; }

    // ---- Cells (grid coordinates: row 0 is the header) -----------------------------------------
    int NombreLignes() const { return modele->lignes; }
    int NombreColonnes() const { return modele->colonnes; }
    // Sets the size; texts outside it are dropped, new cells are empty.
    void DefinirTaille(int lignes, int colonnes);
    // The text shown in a cell. Reads the table of texts unless a grid overrides it.
    virtual QString Texte(int colonne, int ligne) const;
    QString Cellule(int colonne, int ligne) const;
    void ModifierCellule(int colonne, int ligne, const QString& texte);
    QStringList Colonne(int colonne) const;
    void ModifierColonne(int colonne, const QStringList& textes); // from row 0
    void ViderColonne(int colonne);

    // ---- Selection and scrolling -------------------------------------------------------------
    int ColonneCourante() const;
    int LigneCourante() const;
    // Makes a cell current and selected, without reporting it to the sheet.
    void SelectionnerCellule(int colonne, int ligne);
    // Selects one row from column c0 to c1 (the sheet's call to keep rows aligned); the current
    // cell moves to (c0, ligne) without reporting it.
    void SelectionnerCellules(int ligne, int colonneDebut, int colonneFin) override;
    // Selects a column from one row to another.
    void SelectionnerColonne(int colonne, int ligneDebut, int ligneFin);
    bool EstSelectionnee(int colonne, int ligne) const;
    void DefilerVers(int ligneHaut) override;
    // First student/statistic row shown at the top (1 when not scrolled).
    int LigneHaut() const;
    // The grids of the grades page keep the same viewport height whatever their widths, so that
    // a row stands at the same height in all of them at every scroll position (the last rows
    // included, which a table scrolled to its end draws flush with its bottom): each keeps a
    // horizontal scroll bar's place at its bottom. A grid that scrolls sideways shows its bar
    // always; one that never does (defilante false) keeps an empty bar of the same size there.
    void ReserverBarreHorizontale(bool defilante);
    // Rectangle of a cell in viewport coordinates (header: in the header's coordinates).
    QRect RectCellule(int colonne, int ligne) const;
    // Point (in this widget's coordinates) at the centre of a cell, header included.
    QPoint CentreCellule(int colonne, int ligne) const;
    // The widget that receives the mouse for a cell: the header for row 0, the viewport else.
    QWidget* WidgetCellule(int ligne) const;

    // ---- Look ----------------------------------------------------------------------------------
    struct TStyleCellule {
        QColor fond;
        QColor texte = Qt::black;
        bool gras = false;
        Qt::Alignment alignement = Qt::AlignLeft | Qt::AlignTop;
        int decalageX = 2; // text offset from the cell's left (or centre) and top
        int decalageY = 2;
    };
    // The base style of a cell (fixed cells in the menu colour, alternating rows, selection);
    // a grid overrides StyleCellule, calls the base first and then sets its own colours. The
    // selection background is applied after StyleCellule, over any colour it chose.
    virtual void StyleCellule(int colonne, int ligne, TStyleCellule& style) const;
    // The background of a selected cell.
    static QColor CouleurSelectionCellule();
    // Widens a column to its widest text + 10 pixels.
    void AjusterLargeurColonne(int colonne);
    void AjusterLargeurColonnes();
    // Column counted as fixed (drawn in the menu colour); -1 when none.
    void DefinirColonneFixe(int colonne) { colonneFixe = colonne; }

    // ---- Editing -------------------------------------------------------------------------------
    virtual bool CelluleModifiable(int colonne, int ligne) const;
    // Editing ended with this text (only when it differs from the cell's text).
    virtual void CelluleEditee(int colonne, int ligne, const QString& texte);
    // A key pressed in the in-place editor; true when the grid handled it.
    virtual bool ToucheEditeur(QLineEdit* editeur, QKeyEvent* touche);
    // Starts editing the current cell (when the grid allows it).
    void EditerCelluleCourante();
    // Ends the editing under way, storing its text; true when an editor was open.
    bool TerminerEdition();
    QLineEdit* Editeur() const { return editeur; }

    // ---- Turbo menus ---------------------------------------------------------------------------
    // Destroys the previous menu, makes a new one with the title "Turbo Menu "<nom>"" and a
    // separator.
    QMenu* NouveauMenuTurbo(const QString& nom);
    QAction* AjouterCommande(const QString& texte, int numero, bool actif = true,
                             bool coche = false);
    // Shows the menu with its right edge at the point (global coordinates) and delivers the
    // chosen item's number to Commande().
    void MontrerMenuTurbo(const QPoint& position);
    QMenu* MenuTurbo() const { return menuTurbo; }
    virtual void Commande(int numero);
    // Tests: what MontrerMenuTurbo does instead of running the menu's loop.
    static std::function<void(QMenu* menu)>& MontrerMenuPourTests();

    // ---- Clipboard -----------------------------------------------------------------------------
    // The clipboard's text as lines (any line break; a final break does not start a line).
    static QStringList LignesPressePapiers();

    // ---- Mouse ---------------------------------------------------------------------------------
    // A mouse button pressed on a cell (ligne 0: the header). The base hides the information
    // window; left button: the cell becomes current (ligne > 0).
    virtual void SourisEnfoncee(Qt::MouseButton bouton, int colonne, int ligne,
                                const QPoint& positionGlobale);
    // The current cell changed through the user (keyboard or mouse). The base reports it to the
    // sheet: NotifSelectionLigne(ligne, -1).
    virtual void CelluleSelectionnee(int colonne, int ligne);

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;
    void currentChanged(const QModelIndex& actuel, const QModelIndex& precedent) override;
    // Typing never jumps to a matching row: keys are for editing.
    void keyboardSearch(const QString&) override {}

private:
    friend class TDelegueGrille;
    friend class TModeleGrille;
    QModelIndex IndexDe(int colonne, int ligne) const;
    // Selects the cells from one index to the other, the current cell moving to the first,
    // without reporting it.
    void SelectionnerPlage(const QModelIndex& debut, const QModelIndex& fin);

    TPanneauGrille* panneau;
    int periode;
    TFichierTav* fichier;
    TFeuilleClasse* feuille;
    int genre;
    int colonneFixe = -1;
    TModeleGrille* modele;
    TDelegueGrille* delegue;
    QList<QStringList> textes; // per column, from row 0
    QPointer<QMenu> menuTurbo;
    QPointer<QLineEdit> editeur;
    int silence = 0; // > 0 while the grid moves its own selection or scroll
};
