#include "_TGrilleGenerique.h"

#include "UniteFeuilleClasse.h"
#include "_FormHint.h"
#include "tavX_garde.h"
#include "tavX_options.h"
#include "tavX_panneauGrille.h"
#include "tavX_saisieTexte.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QRegularExpression>
#include <QScrollBar>

#include <algorithm>

namespace {

// Holds the place of a horizontal scroll bar without showing one or taking any input: the
// scroll area lays it out exactly as the bar of a neighbouring grid under the same style.
class TBarreReservee : public QScrollBar {
public:
    TBarreReservee() : QScrollBar(Qt::Horizontal) {
        setEnabled(false);
        setFocusPolicy(Qt::NoFocus);
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent*) override {}
};

} // namespace

namespace Grille {

QColor Couleur(qint32 couleurWindows) {
    const quint32 v = quint32(couleurWindows);
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

int HauteurLigne(const QWidget* grille) {
    return std::max(18, grille->fontMetrics().height() + 4);
}

} // namespace Grille

// ---- Model -----------------------------------------------------------------------------------

TModeleGrille::TModeleGrille(TGrilleGeneriqueTavelin* grille)
    : QAbstractTableModel(grille), grille(grille) {}

int TModeleGrille::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : std::max(0, lignes - 1);
}

int TModeleGrille::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : colonnes;
}

// The views call the model from their paints and events: what a grid cannot read (an index gone
// stale) shows empty rather than reaching the event loop.
QVariant TModeleGrille::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
    QVariant texte;
    Tav::Garder("texte d'une cellule", nullptr,
                [&] { texte = grille->Texte(index.column(), index.row() + 1); });
    return texte;
}

QVariant TModeleGrille::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    QVariant texte;
    Tav::Garder("en-tête d'une grille", nullptr, [&] { texte = grille->Texte(section, 0); });
    return texte;
}

Qt::ItemFlags TModeleGrille::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    Tav::Garder("cellule modifiable", nullptr, [&] {
        if (grille->CelluleModifiable(index.column(), index.row() + 1)) f |= Qt::ItemIsEditable;
    });
    return f;
}

bool TModeleGrille::setData(const QModelIndex& index, const QVariant& valeur, int role) {
    if (!index.isValid() || role != Qt::EditRole) return false;
    const int c = index.column(), l = index.row() + 1;
    const QString texte = valeur.toString();
    bool modifiee = false;
    Tav::Garder("saisie d'une cellule", grille, [&] {
        if (texte == grille->Texte(c, l)) return;
        grille->CelluleEditee(c, l, texte);
        modifiee = true;
    });
    return modifiee;
}

void TModeleGrille::ToutChange() {
    if (lignes > 1 && colonnes > 0) emit dataChanged(index(0, 0), index(lignes - 2, colonnes - 1));
    if (colonnes > 0) emit headerDataChanged(Qt::Horizontal, 0, colonnes - 1);
}

void TModeleGrille::ColonneChangee(int colonne) {
    if (colonne < 0 || colonne >= colonnes) return;
    if (lignes > 1) emit dataChanged(index(0, colonne), index(lignes - 2, colonne));
    emit headerDataChanged(Qt::Horizontal, colonne, colonne);
}

void TModeleGrille::CelluleChangee(int colonne, int ligne) {
    if (colonne < 0 || colonne >= colonnes || ligne < 0 || ligne >= lignes) return;
    if (ligne == 0)
        emit headerDataChanged(Qt::Horizontal, colonne, colonne);
    else
        emit dataChanged(index(ligne - 1, colonne), index(ligne - 1, colonne));
}

void TModeleGrille::Redimensionner(int nouvellesLignes, int nouvellesColonnes) {
    nouvellesLignes = std::max(1, nouvellesLignes);
    nouvellesColonnes = std::max(0, nouvellesColonnes);
    if (nouvellesLignes == lignes && nouvellesColonnes == colonnes) return;
    beginResetModel();
    lignes = nouvellesLignes;
    colonnes = nouvellesColonnes;
    endResetModel();
}

// ---- Delegate --------------------------------------------------------------------------------

TDelegueGrille::TDelegueGrille(TGrilleGeneriqueTavelin* grille)
    : QStyledItemDelegate(grille), grille(grille) {}

void TDelegueGrille::paint(QPainter* peintre, const QStyleOptionViewItem& option,
                           const QModelIndex& index) const {
    const int c = index.column(), l = index.row() + 1;
    TGrilleGeneriqueTavelin::TStyleCellule style;
    QString texte;
    // A cell that cannot be read is painted blank.
    const bool lue = Tav::Garder("dessin d'une cellule", nullptr, [&] {
        grille->StyleCellule(c, l, style);
        if (grille->EstSelectionnee(c, l))
            style.fond = TGrilleGeneriqueTavelin::CouleurSelectionCellule();
        texte = grille->Texte(c, l);
    });
    if (!lue) {
        style = {};
        style.fond = Qt::white;
        texte.clear();
    }
    peintre->save();
    peintre->fillRect(option.rect, style.fond);
    QFont police = option.font;
    police.setBold(style.gras);
    peintre->setFont(police);
    peintre->setPen(style.texte);
    QRect zone = option.rect.adjusted(style.decalageX, style.decalageY, -1, 0);
    if (style.alignement & Qt::AlignHCenter) zone = option.rect.adjusted(0, style.decalageY, 0, 0);
    peintre->drawText(zone, int(style.alignement), texte);
    peintre->restore();
}

QWidget* TDelegueGrille::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                      const QModelIndex&) const {
    auto* champ = new QLineEdit(parent);
    champ->setMaxLength(255);
    champ->setFrame(false);
    Tav::ControlerSaisie(champ);
    champ->installEventFilter(const_cast<TDelegueGrille*>(this));
    grille->editeur = champ;
    return champ;
}

void TDelegueGrille::setEditorData(QWidget* editeur, const QModelIndex& index) const {
    auto* champ = qobject_cast<QLineEdit*>(editeur);
    if (!champ) return;
    // The editor keeps what is being typed: it is filled once, when it opens.
    if (champ->property("rempli").toBool()) return;
    champ->setProperty("rempli", true);
    champ->setText(grille->Modele()->data(index, Qt::EditRole).toString());
}

void TDelegueGrille::setModelData(QWidget* editeur, QAbstractItemModel* modele,
                                  const QModelIndex& index) const {
    if (auto* champ = qobject_cast<QLineEdit*>(editeur))
        modele->setData(index, champ->text(), Qt::EditRole);
}

bool TDelegueGrille::eventFilter(QObject* objet, QEvent* evenement) {
    if (evenement->type() == QEvent::ShortcutOverride && grille->Feuille() &&
        grille->Feuille()->EstRaccourciDeLaFeuille(static_cast<QKeyEvent*>(evenement))) {
        // A command of the sheet (Ctrl+Insert is also the editor's copy): the mark being typed
        // is stored first, then the key is left to the command.
        grille->TerminerEdition();
        evenement->ignore();
        return true;
    }
    if (evenement->type() == QEvent::KeyPress) {
        auto* champ = qobject_cast<QLineEdit*>(objet);
        auto* touche = static_cast<QKeyEvent*>(evenement);
        bool traitee = false;
        if (champ)
            Tav::Garder("touche dans une cellule", grille,
                        [&] { traitee = grille->ToucheEditeur(champ, touche); });
        if (traitee) return true;
    }
    return QStyledItemDelegate::eventFilter(objet, evenement);
}

// ---- Grid ------------------------------------------------------------------------------------

TGrilleGeneriqueTavelin::TGrilleGeneriqueTavelin(TPanneauGrille* panneau, int periode,
                                                 TFichierTav* fichier, TFeuilleClasse* feuille,
                                                 int genre)
    : QTableView(panneau), panneau(panneau), periode(periode), fichier(fichier), feuille(feuille),
      genre(genre) {
    modele = new TModeleGrille(this);
    delegue = new TDelegueGrille(this);
    setModel(modele);
    setItemDelegate(delegue);

    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::DoubleClicked);
    setTabKeyNavigation(true);
    setShowGrid(true);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setContextMenuPolicy(Qt::NoContextMenu);

    const int hauteur = Grille::HauteurLigne(this);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(hauteur);
    verticalHeader()->setMinimumSectionSize(hauteur);
    QHeaderView* entete = horizontalHeader();
    entete->setSectionResizeMode(QHeaderView::Interactive);
    entete->setSectionsClickable(false);
    entete->setHighlightSections(false);
    entete->setDefaultAlignment(Qt::AlignCenter);
    entete->setFixedHeight(hauteur);
    entete->setMinimumSectionSize(10);
    entete->viewport()->installEventFilter(this);
    viewport()->installEventFilter(this);

    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int valeur) {
        if (silence == 0 && this->feuille)
            Tav::Garder("défilement", nullptr, [&] { this->feuille->NotifDefilement(valeur + 1); });
    });

    hide();
    if (panneau) panneau->DefinirGrille(this);
}

TGrilleGeneriqueTavelin::~TGrilleGeneriqueTavelin() {
    delete menuTurbo;
}

// ---- Cells -----------------------------------------------------------------------------------

void TGrilleGeneriqueTavelin::DefinirTaille(int lignes, int colonnes) {
    lignes = std::max(1, lignes);
    colonnes = std::max(0, colonnes);
    while (textes.size() > colonnes)
        textes.removeLast();
    while (textes.size() < colonnes)
        textes.append(QStringList());
    for (QStringList& colonne : textes) {
        while (colonne.size() > lignes)
            colonne.removeLast();
    }
    modele->Redimensionner(lignes, colonnes);
}

QString TGrilleGeneriqueTavelin::Texte(int colonne, int ligne) const {
    return Cellule(colonne, ligne);
}

QString TGrilleGeneriqueTavelin::Cellule(int colonne, int ligne) const {
    if (colonne < 0 || colonne >= textes.size()) return {};
    return textes.at(colonne).value(ligne);
}

void TGrilleGeneriqueTavelin::ModifierCellule(int colonne, int ligne, const QString& texte) {
    if (colonne < 0 || colonne >= textes.size() || ligne < 0 || ligne >= NombreLignes()) return;
    QStringList& c = textes[colonne];
    while (c.size() <= ligne)
        c.append(QString());
    if (c.at(ligne) == texte) return;
    c[ligne] = texte;
    modele->CelluleChangee(colonne, ligne);
}

QStringList TGrilleGeneriqueTavelin::Colonne(int colonne) const {
    QStringList liste;
    liste.reserve(NombreLignes());
    for (int l = 0; l < NombreLignes(); ++l)
        liste.append(Texte(colonne, l));
    return liste;
}

void TGrilleGeneriqueTavelin::ModifierColonne(int colonne, const QStringList& liste) {
    if (colonne < 0 || colonne >= textes.size()) return;
    textes[colonne] = liste.mid(0, NombreLignes());
    modele->ColonneChangee(colonne);
}

void TGrilleGeneriqueTavelin::ViderColonne(int colonne) {
    if (colonne < 0 || colonne >= textes.size()) return;
    textes[colonne].clear();
    modele->ColonneChangee(colonne);
}

// ---- Selection and scrolling -----------------------------------------------------------------

QModelIndex TGrilleGeneriqueTavelin::IndexDe(int colonne, int ligne) const {
    return modele->index(ligne - 1, colonne);
}

int TGrilleGeneriqueTavelin::ColonneCourante() const {
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.column() : -1;
}

int TGrilleGeneriqueTavelin::LigneCourante() const {
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.row() + 1 : -1;
}

void TGrilleGeneriqueTavelin::SelectionnerCellule(int colonne, int ligne) {
    const QModelIndex i = IndexDe(colonne, ligne);
    if (!i.isValid()) return;
    ++silence;
    selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect);
    --silence;
    viewport()->update();
}

void TGrilleGeneriqueTavelin::SelectionnerPlage(const QModelIndex& debut, const QModelIndex& fin) {
    if (!debut.isValid() || !fin.isValid()) return;
    ++silence;
    selectionModel()->setCurrentIndex(debut, QItemSelectionModel::NoUpdate);
    selectionModel()->select(QItemSelection(debut, fin), QItemSelectionModel::ClearAndSelect);
    --silence;
    viewport()->update();
}

void TGrilleGeneriqueTavelin::SelectionnerCellules(int ligne, int colonneDebut, int colonneFin) {
    SelectionnerPlage(IndexDe(colonneDebut, ligne), IndexDe(colonneFin, ligne));
}

void TGrilleGeneriqueTavelin::SelectionnerColonne(int colonne, int ligneDebut, int ligneFin) {
    SelectionnerPlage(IndexDe(colonne, ligneDebut), IndexDe(colonne, ligneFin));
}

bool TGrilleGeneriqueTavelin::EstSelectionnee(int colonne, int ligne) const {
    if (ligne <= 0) return false;
    return selectionModel()->isSelected(IndexDe(colonne, ligne));
}

void TGrilleGeneriqueTavelin::DefilerVers(int ligneHaut) {
    ++silence;
    verticalScrollBar()->setValue(std::max(0, ligneHaut - 1));
    --silence;
}

int TGrilleGeneriqueTavelin::LigneHaut() const {
    return verticalScrollBar()->value() + 1;
}

void TGrilleGeneriqueTavelin::ReserverBarreHorizontale(bool defilante) {
    if (!defilante) setHorizontalScrollBar(new TBarreReservee);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

QRect TGrilleGeneriqueTavelin::RectCellule(int colonne, int ligne) const {
    if (ligne == 0) {
        const QHeaderView* entete = horizontalHeader();
        return QRect(entete->sectionViewportPosition(colonne), 0, entete->sectionSize(colonne),
                     entete->height());
    }
    return visualRect(IndexDe(colonne, ligne));
}

QPoint TGrilleGeneriqueTavelin::CentreCellule(int colonne, int ligne) const {
    QWidget* cible = WidgetCellule(ligne);
    return cible->mapTo(const_cast<TGrilleGeneriqueTavelin*>(this),
                        RectCellule(colonne, ligne).center());
}

QWidget* TGrilleGeneriqueTavelin::WidgetCellule(int ligne) const {
    return ligne == 0 ? horizontalHeader()->viewport() : viewport();
}

// ---- Look ------------------------------------------------------------------------------------

QColor TGrilleGeneriqueTavelin::CouleurSelectionCellule() {
    return Options::ColorationGrille() ? Grille::Couleur(Options::CouleurSelection())
                                       : QColor(0xC0, 0xC0, 0xC0);
}

void TGrilleGeneriqueTavelin::StyleCellule(int colonne, int ligne, TStyleCellule& style) const {
    style.texte = Qt::black;
    style.gras = false;
    if (ligne == 0 || colonne == colonneFixe)
        style.fond = QApplication::palette().color(QPalette::Button);
    else if (Options::ColorationGrille())
        style.fond =
            Grille::Couleur(ligne % 2 == 1 ? Options::LignesImpaires() : Options::LignesPaires());
    else
        style.fond = Qt::white;
}

void TGrilleGeneriqueTavelin::AjusterLargeurColonne(int colonne) {
    if (colonne < 0 || colonne >= NombreColonnes()) return;
    QFont grasse = font();
    grasse.setBold(true);
    const QFontMetrics large(grasse);
    int largeur = 0;
    // Called from the notifications of tabs and commands: a cell that cannot be read counts as
    // empty, like on screen.
    for (int l = 0; l < NombreLignes(); ++l) {
        QString t;
        Tav::Garder("largeur d'une colonne", nullptr, [&] { t = Texte(colonne, l); });
        if (t.isEmpty()) continue;
        largeur = std::max(largeur, large.horizontalAdvance(t));
    }
    setColumnWidth(colonne, std::max(24, largeur + 10));
}

void TGrilleGeneriqueTavelin::AjusterLargeurColonnes() {
    for (int c = 0; c < NombreColonnes(); ++c)
        AjusterLargeurColonne(c);
}

// ---- Editing ---------------------------------------------------------------------------------

bool TGrilleGeneriqueTavelin::CelluleModifiable(int, int) const {
    return false;
}

void TGrilleGeneriqueTavelin::CelluleEditee(int colonne, int ligne, const QString& texte) {
    ModifierCellule(colonne, ligne, texte);
}

bool TGrilleGeneriqueTavelin::ToucheEditeur(QLineEdit*, QKeyEvent*) {
    return false;
}

void TGrilleGeneriqueTavelin::EditerCelluleCourante() {
    const QModelIndex i = currentIndex();
    if (i.isValid()) QTableView::edit(i);
}

bool TGrilleGeneriqueTavelin::TerminerEdition() {
    QLineEdit* champ = editeur;
    if (!champ) return false;
    emit delegue->commitData(champ);
    emit delegue->closeEditor(champ, QAbstractItemDelegate::NoHint);
    editeur = nullptr;
    return true;
}

// ---- Turbo menus -----------------------------------------------------------------------------

QMenu* TGrilleGeneriqueTavelin::NouveauMenuTurbo(const QString& nom) {
    delete menuTurbo;
    menuTurbo = new QMenu(this);
    QAction* titre =
        menuTurbo->addAction(QStringLiteral("Turbo Menu \"") + nom + QStringLiteral("\""));
    QFont police = titre->font();
    police.setBold(true);
    titre->setFont(police);
    titre->setData(0);
    menuTurbo->addSeparator();
    connect(menuTurbo, &QMenu::triggered, this, [this](QAction* action) {
        bool ok = false;
        const int numero = action->data().toInt(&ok);
        if (ok && numero > 0)
            Tav::Garder("commande d'un Turbo Menu", this, [&] { Commande(numero); });
    });
    return menuTurbo;
}

QAction* TGrilleGeneriqueTavelin::AjouterCommande(const QString& texte, int numero, bool actif,
                                                  bool coche) {
    if (!menuTurbo) return nullptr;
    QAction* action = menuTurbo->addAction(texte);
    action->setData(numero);
    action->setEnabled(actif);
    if (coche) {
        action->setCheckable(true);
        action->setChecked(true);
    }
    return action;
}

std::function<void(QMenu*)>& TGrilleGeneriqueTavelin::MontrerMenuPourTests() {
    static std::function<void(QMenu*)> crochet;
    return crochet;
}

void TGrilleGeneriqueTavelin::MontrerMenuTurbo(const QPoint& position) {
    if (!menuTurbo) return;
    if (const auto& crochet = MontrerMenuPourTests()) {
        crochet(menuTurbo);
        return;
    }
    const QSize taille = menuTurbo->sizeHint();
    menuTurbo->popup(QPoint(position.x() - taille.width(), position.y()));
}

void TGrilleGeneriqueTavelin::Commande(int) {}

// ---- Clipboard -------------------------------------------------------------------------------

QStringList TGrilleGeneriqueTavelin::LignesPressePapiers() {
    const QClipboard* pressePapiers = QGuiApplication::clipboard();
    const QString texte = pressePapiers ? pressePapiers->text() : QString();
    if (texte.isEmpty()) return {};
    static const QRegularExpression finDeLigne(QStringLiteral("\r\n|\r|\n"));
    QStringList lignes = texte.split(finDeLigne);
    if (lignes.size() > 1 && lignes.last().isEmpty()) lignes.removeLast();
    return lignes;
}

// ---- Mouse and keyboard ----------------------------------------------------------------------

void TGrilleGeneriqueTavelin::SourisEnfoncee(Qt::MouseButton bouton, int colonne, int ligne,
                                             const QPoint&) {
    TFormHint::Cacher();
    if (bouton == Qt::LeftButton && ligne > 0) {
        const QModelIndex i = IndexDe(colonne, ligne);
        if (i.isValid()) setCurrentIndex(i);
    }
}

void TGrilleGeneriqueTavelin::CelluleSelectionnee(int, int ligne) {
    if (feuille) feuille->NotifSelectionLigne(ligne, -1);
}

bool TGrilleGeneriqueTavelin::eventFilter(QObject* objet, QEvent* evenement) {
    const bool surEntete = objet == horizontalHeader()->viewport();
    const bool surCellules = objet == viewport();
    if ((surEntete || surCellules) && (evenement->type() == QEvent::MouseButtonPress ||
                                       evenement->type() == QEvent::MouseButtonDblClick)) {
        auto* souris = static_cast<QMouseEvent*>(evenement);
        const QPoint point = souris->position().toPoint();
        int colonne = -1, ligne = -1;
        if (surEntete) {
            colonne = horizontalHeader()->logicalIndexAt(point.x());
            ligne = 0;
        } else {
            const QModelIndex i = indexAt(point);
            if (i.isValid()) {
                colonne = i.column();
                ligne = i.row() + 1;
            }
        }
        // A press ends the editing under way, which stores its text.
        TerminerEdition();
        if (colonne < 0) return surEntete;
        if (evenement->type() == QEvent::MouseButtonDblClick && surCellules &&
            souris->button() == Qt::LeftButton) {
            setCurrentIndex(IndexDe(colonne, ligne));
            EditerCelluleCourante();
            return true;
        }
        setFocus(Qt::MouseFocusReason);
        Tav::Garder("clic dans une grille", this, [&] {
            SourisEnfoncee(souris->button(), colonne, ligne, souris->globalPosition().toPoint());
        });
        return true;
    }
    return QTableView::eventFilter(objet, evenement);
}

void TGrilleGeneriqueTavelin::currentChanged(const QModelIndex& actuel,
                                             const QModelIndex& precedent) {
    QTableView::currentChanged(actuel, precedent);
    if (silence == 0 && actuel.isValid())
        Tav::Garder("sélection d'une cellule", this,
                    [&] { CelluleSelectionnee(actuel.column(), actuel.row() + 1); });
}
