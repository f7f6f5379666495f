#include "_FormAppreciations.h"

#include "tavX_codec.h"
#include "tavX_fichierTav.h"
#include "tavX_interlocuteur.h"
#include "tavX_nombres.h"
#include "tavX_options.h"
#include "tavX_saisieTexte.h"

#include <QApplication>
#include <QFont>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int HauteurLigne = 18;
constexpr int LargeurMinimumAppreciation = 110;
// The report-card columns of the student page start after its five columns of averages.
constexpr int ColonnesAvantAppreciations = 4;

QColor CouleurReglage(qint32 c) {
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

// Rows with an odd index on light grey-blue, the others on white, the selection on light blue
// with red text in the column of the current report-card tab.
class TDelegueAppreciations : public QStyledItemDelegate {
public:
    TDelegueAppreciations(QTableWidget* grille, std::function<int()> colonneRouge)
        : QStyledItemDelegate(grille), grille(grille), colonneRouge(std::move(colonneRouge)) {}

    void paint(QPainter* peintre, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const bool choisie = option.state & QStyle::State_Selected;
        QColor fond = index.row() % 2 == 1 ? QColor(238, 241, 244) : QColor(Qt::white);
        QColor texte = Qt::black;
        if (choisie) {
            fond = QColor(197, 209, 248);
            if (index.column() == colonneRouge()) texte = Qt::red;
        }
        peintre->fillRect(option.rect, fond);
        peintre->setPen(texte);
        peintre->setFont(grille->font());
        peintre->drawText(option.rect.adjusted(2, 2, -2, 0), Qt::AlignLeft | Qt::AlignTop,
                          index.data().toString());
    }

private:
    QTableWidget* grille;
    std::function<int()> colonneRouge;
};

QTableWidget* NouvelleGrille(QWidget* parent, const QString& bulle) {
    auto* g = new QTableWidget(parent);
    g->setToolTip(bulle);
    g->setEditTriggers(QAbstractItemView::NoEditTriggers);
    g->setSelectionBehavior(QAbstractItemView::SelectRows);
    g->setSelectionMode(QAbstractItemView::SingleSelection);
    g->verticalHeader()->hide();
    g->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    g->verticalHeader()->setDefaultSectionSize(HauteurLigne);
    g->setWordWrap(false);
    g->setFocusPolicy(Qt::ClickFocus);
    return g;
}

void Ecrire(QTableWidget* g, int ligne, int colonne, const QString& texte) {
    QTableWidgetItem* item = g->item(ligne, colonne);
    if (!item) {
        item = new QTableWidgetItem;
        g->setItem(ligne, colonne, item);
    }
    if (item->text() != texte) item->setText(texte);
}

QString Lire(const QTableWidget* g, int ligne, int colonne) {
    const QTableWidgetItem* item = g->item(ligne, colonne);
    return item ? item->text() : QString();
}

// Each column its widest text + 10 pixels (at least the minimum).
void AjusterColonne(QTableWidget* g, int colonne, int minimum = 0) {
    const QFontMetrics m(g->font());
    int largeur = 0;
    if (const QTableWidgetItem* h = g->horizontalHeaderItem(colonne))
        largeur = m.horizontalAdvance(h->text());
    for (int l = 0; l < g->rowCount(); ++l)
        largeur = std::max(largeur, m.horizontalAdvance(Lire(g, l, colonne)));
    g->setColumnWidth(colonne, std::max(minimum, largeur + 10));
}

} // namespace

// ---- Memo ------------------------------------------------------------------------------------

TMemoAppreciation::TMemoAppreciation(QWidget* parent) : QPlainTextEdit(parent) {
    setObjectName(QStringLiteral("Memo1"));
    setTabChangesFocus(true);
    setToolTip(QStringLiteral("Champ pour entrer les appréciations. Il suffit d'appuyer sur "
                              "ENTREE pour passer à la suivante."));
    // Whatever way a text came in (an input method, a drop, a key the filter above let
    // through), a text that cannot be stored as it stands goes back to the last good one before
    // anyone else hears of the change.
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (retour) return;
        const QString texte = toPlainText();
        const std::optional<QString> refuse = Tav::CaractereNonRepresentable(texte);
        if (texte.size() <= Maximum && !refuse && TexteSurUneLigne(texte) == texte) {
            dernierTexte = texte;
            return;
        }
        const int position = std::min(int(dernierTexte.size()), textCursor().position());
        retour = true;
        setPlainText(dernierTexte);
        retour = false;
        QTextCursor curseur = textCursor();
        curseur.setPosition(position);
        setTextCursor(curseur);
        if (refuse) Erreur(this, Tav::MessageCaractereNonRepresentable(*refuse));
    });
}

QString TMemoAppreciation::TexteSurUneLigne(const QString& texte) {
    QString t = texte;
    t.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    for (const QChar c : {QChar(u'\r'), QChar(u'\n'), QChar(u'\t'), QChar(0x2028), QChar(0x2029)})
        t.replace(c, QLatin1Char(' '));
    return t;
}

bool TMemoAppreciation::Inserer(const QString& brut) {
    const QString texte = TexteSurUneLigne(brut);
    if (texte.isEmpty()) return true;
    if (!Tav::TexteEnregistrable(this, texte)) return false;
    QTextCursor curseur = textCursor();
    const int reste = Maximum - int(toPlainText().size()) + int(curseur.selectedText().size());
    if (reste <= 0) return true;
    curseur.insertText(texte.left(reste));
    setTextCursor(curseur);
    return true;
}

void TMemoAppreciation::keyPressEvent(QKeyEvent* evenement) {
    if (evenement->key() == Qt::Key_Return || evenement->key() == Qt::Key_Enter) {
        emit entree();
        return;
    }
    if (evenement->matches(QKeySequence::Paste)) {
        QPlainTextEdit::keyPressEvent(evenement); // through insertFromMimeData
        return;
    }
    const QString texte = evenement->text();
    if (!texte.isEmpty() && texte.at(0).isPrint() &&
        !(evenement->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))) {
        Inserer(texte);
        return;
    }
    QPlainTextEdit::keyPressEvent(evenement);
}

bool TMemoAppreciation::canInsertFromMimeData(const QMimeData* source) const {
    return source && source->hasText();
}

void TMemoAppreciation::insertFromMimeData(const QMimeData* source) {
    if (source && source->hasText()) Inserer(source->text());
}

// ---- Window ----------------------------------------------------------------------------------

TFormAppreciations::TFormAppreciations(QWidget* owner, TFichierTav* fichier)
    : QDialog(owner), fichier(fichier) {
    N = fichier->NombreEleves();
    P = fichier->NombrePeriodes();
    K = fichier->NombreColonnesBulletin();
    ConstruireInterface();

    // Opening: the tabs, both grids, student 1 on both pages with the first column.
    garde = false;
    RafraichirPagePeriode();
    RafraichirPageEleve();
    garde = true;
    if (N > 0) {
        SelectionnerGrille2(0, 0);
        pages->setCurrentIndex(PageParPeriode);
        SelectionnerGrille1(0, 1);
    }
}

int TFormAppreciations::ColonneBulletinGrillePeriode(int c) {
    return c >= 1 ? c : 0;
}

int TFormAppreciations::ColonneBulletinGrilleEleve(int c) {
    return c > ColonnesAvantAppreciations ? c - ColonnesAvantAppreciations : 0;
}

int TFormAppreciations::Page() const {
    return pages->currentIndex();
}
int TFormAppreciations::PeriodeOnglet() const {
    return ongletsPeriodes->currentIndex() + 1;
}
int TFormAppreciations::ColonneCourante() const {
    return ongletsColonnes->currentIndex() + 1;
}

QString TFormAppreciations::Moyenne(int periode, int eleve) const {
    return fichier->MoyenneBulletin(periode, eleve, Options::ArrondirMoyennes());
}

void TFormAppreciations::ConstruireInterface() {
    setWindowTitle(QStringLiteral("Appréciations sur les bulletins"));
    setObjectName(QStringLiteral("FormAppreciations"));
    resize(760, 560);

    pages = new QTabWidget(this);

    // Page "Appréciations par période".
    auto* page1 = new QWidget;
    labelBasse = new QLabel(page1);
    labelHaute = new QLabel(page1);
    labelClasse = new QLabel(page1);
    labelEleve = new QLabel(page1);
    auto* etiquettes = new QHBoxLayout;
    for (QLabel* l : {labelBasse, labelHaute, labelClasse})
        etiquettes->addWidget(l);
    etiquettes->addStretch();
    etiquettes->addWidget(labelEleve);
    grille1 = NouvelleGrille(page1, QStringLiteral("Appréciations de la période sélectionnée"));
    grille1->setObjectName(QStringLiteral("StringGrid1"));
    grille1->horizontalHeader()->hide();
    grille1->setRowCount(N);
    grille1->setColumnCount(K + 1);
    grille1->setItemDelegate(
        new TDelegueAppreciations(grille1, [this] { return ColonneCourante(); }));
    ongletsPeriodes = new QTabBar(page1);
    ongletsPeriodes->setObjectName(QStringLiteral("TabControlPeriodes"));
    ongletsPeriodes->setShape(QTabBar::RoundedSouth);
    for (const QString& p : fichier->ListePeriodes())
        ongletsPeriodes->addTab(p);
    precedent1 = new QPushButton(QStringLiteral("Elève &précédent"), page1);
    suivant1 = new QPushButton(QStringLiteral("Elève &suivant"), page1);
    auto* boutons1 = new QHBoxLayout;
    boutons1->addStretch();
    boutons1->addWidget(precedent1);
    boutons1->addWidget(suivant1);
    auto* disposition1 = new QVBoxLayout(page1);
    disposition1->addLayout(etiquettes);
    disposition1->addWidget(grille1, 1);
    disposition1->addWidget(ongletsPeriodes);
    disposition1->addLayout(boutons1);
    pages->addTab(page1, QStringLiteral("Appréciations par période"));

    // Page "Appréciations par élève".
    auto* page2 = new QWidget;
    label4 = new QLabel(page2);
    QFont gras = label4->font();
    gras.setBold(true);
    label4->setFont(gras);
    grille2 = NouvelleGrille(page2, QStringLiteral("Appréciations de l'élève sélectionné"));
    grille2->setObjectName(QStringLiteral("StringGrid2"));
    grille2->setRowCount(P);
    grille2->setColumnCount(K + 5);
    grille2->horizontalHeader()->setFixedHeight(HauteurLigne + 2);
    grille2->setHorizontalHeaderLabels(
        QStringList{QStringLiteral("Périodes"), QStringLiteral("+ basse"),
                    QStringLiteral("+ haute"), QStringLiteral("Classe"), QStringLiteral("Elève")} +
        fichier->ColonnesBulletin());
    grille2->setItemDelegate(new TDelegueAppreciations(
        grille2, [this] { return ColonneCourante() + ColonnesAvantAppreciations; }));
    precedent2 = new QPushButton(QStringLiteral("Elève &précédent"), page2);
    suivant2 = new QPushButton(QStringLiteral("Elève &suivant"), page2);
    premier = new QPushButton(QStringLiteral("P&remier élève"), page2);
    premier->setToolTip(QStringLiteral("Pour revenir au premier élève de la liste"));
    dernier = new QPushButton(QStringLiteral("&Dernier élève"), page2);
    dernier->setToolTip(QStringLiteral("Pour aller au dernier élève de la liste"));
    auto* boutons2 = new QHBoxLayout;
    boutons2->addStretch();
    for (QPushButton* b : {premier, precedent2, suivant2, dernier})
        boutons2->addWidget(b);
    auto* disposition2 = new QVBoxLayout(page2);
    disposition2->addWidget(label4);
    disposition2->addWidget(grille2, 1);
    disposition2->addLayout(boutons2);
    pages->addTab(page2, QStringLiteral("Appréciations par élève"));

    // Shared by both pages.
    memo = new TMemoAppreciation(this);
    memo->setFixedHeight(3 * memo->fontMetrics().lineSpacing() + 12);
    ongletsColonnes = new QTabBar(this);
    ongletsColonnes->setObjectName(QStringLiteral("TabSetColonnesBulletin"));
    ongletsColonnes->setShape(QTabBar::RoundedSouth);
    ongletsColonnes->setExpanding(false);
    for (const QString& c : fichier->ColonnesBulletin())
        ongletsColonnes->addTab(c);
    fermer = new QPushButton(QStringLiteral("&Fermer"), this);
    fermer->setAutoDefault(false);
    auto* bas = new QHBoxLayout;
    bas->addWidget(ongletsColonnes, 1);
    bas->addWidget(fermer);
    auto* disposition = new QVBoxLayout(this);
    disposition->addWidget(pages, 1);
    disposition->addWidget(memo);
    disposition->addLayout(bas);
    for (QPushButton* b : {precedent1, suivant1, precedent2, suivant2, premier, dernier}) {
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::NoFocus);
    }

    connect(fermer, &QPushButton::clicked, this, &QDialog::accept);
    connect(memo, &QPlainTextEdit::textChanged, this, &TFormAppreciations::MemoModifie);
    connect(memo, &TMemoAppreciation::entree, this, &TFormAppreciations::Entree);
    connect(pages, &QTabWidget::currentChanged, this, &TFormAppreciations::ChangementDePage);
    connect(ongletsColonnes, &QTabBar::currentChanged, this,
            &TFormAppreciations::ChangementDeColonne);
    connect(ongletsPeriodes, &QTabBar::currentChanged, this,
            &TFormAppreciations::ChangementDePeriode);
    connect(grille1, &QTableWidget::cellPressed, this, &TFormAppreciations::SelectionnerGrille1);
    connect(grille2, &QTableWidget::cellPressed, this, &TFormAppreciations::SelectionnerGrille2);
    connect(precedent1, &QPushButton::clicked, this, [this] {
        if (elevePeriode > 1) AllerEleve1(elevePeriode - 1, 1);
    });
    connect(suivant1, &QPushButton::clicked, this, [this] {
        if (elevePeriode < N) AllerEleve1(elevePeriode + 1, 2);
    });
    connect(precedent2, &QPushButton::clicked, this, [this] { AllerEleve2(eleveEleve - 1); });
    connect(suivant2, &QPushButton::clicked, this, [this] { AllerEleve2(eleveEleve + 1); });
    connect(premier, &QPushButton::clicked, this, [this] { AllerEleve2(1); });
    connect(dernier, &QPushButton::clicked, this, [this] { AllerEleve2(N); });
}

// ---- Refreshing --------------------------------------------------------------------------------

void TFormAppreciations::RafraichirPagePeriode() {
    const int p = PeriodeOnglet();
    if (p < 1 || p > P) return;
    QStringList moyennes;
    for (int s = 1; s <= N; ++s) {
        Ecrire(grille1, s - 1, 0, fichier->NomEleve(s));
        for (int c = 1; c <= K; ++c)
            Ecrire(grille1, s - 1, c, fichier->Appreciation(p, s, c));
        moyennes << Moyenne(p, s);
    }
    AjusterColonne(grille1, 0);
    for (int c = 1; c <= K; ++c)
        AjusterColonne(grille1, c, LargeurMinimumAppreciation);
    textesStatistiques[0] = TFichierTav::MinimumListe(moyennes);
    textesStatistiques[1] = TFichierTav::MaximumListe(moyennes);
    textesStatistiques[2] = TFichierTav::MoyenneListe(moyennes);
    labelBasse->setText(QStringLiteral("Moy. la + basse : ") + textesStatistiques[0]);
    labelHaute->setText(QStringLiteral("Moy. la + haute : ") + textesStatistiques[1]);
    labelClasse->setText(QStringLiteral("Moy. de la classe : ") + textesStatistiques[2]);
}

void TFormAppreciations::RafraichirPageEleve() {
    const int s = eleveEleve;
    precedent2->setEnabled(s > 1);
    suivant2->setEnabled(s < N);
    premier->setEnabled(N > 0);
    dernier->setEnabled(N > 0);
    if (s < 1 || s > N) return;
    label4->setText(fichier->NomEleve(s));
    for (int q = 1; q <= P; ++q) {
        QStringList moyennes;
        for (int e = 1; e <= N; ++e)
            moyennes << Moyenne(q, e);
        Ecrire(grille2, q - 1, 0, fichier->NomPeriode(q));
        Ecrire(grille2, q - 1, 1, TFichierTav::MinimumListe(moyennes));
        Ecrire(grille2, q - 1, 2, TFichierTav::MaximumListe(moyennes));
        Ecrire(grille2, q - 1, 3, TFichierTav::MoyenneListe(moyennes));
        Ecrire(grille2, q - 1, 4, moyennes.value(s - 1));
        for (int c = 1; c <= K; ++c)
            Ecrire(grille2, q - 1, ColonnesAvantAppreciations + c, fichier->Appreciation(q, s, c));
    }
    for (int c = 0; c < grille2->columnCount(); ++c)
        AjusterColonne(grille2, c);
}

void TFormAppreciations::ActualiserBoutons1() {
    precedent1->setEnabled(elevePeriode > 1);
    suivant1->setEnabled(elevePeriode < N);
}

void TFormAppreciations::ChargerMemo(const QString& texte) {
    garde = false;
    memo->setPlainText(texte);
    garde = true;
    memo->setFocus();
    memo->moveCursor(QTextCursor::End);
}

// ---- Selection -------------------------------------------------------------------------------

void TFormAppreciations::SelectionnerGrille1(int ligne, int colonne) {
    if (ligne < 0 || ligne >= N) return;
    elevePeriode = ligne + 1;
    ActualiserBoutons1();
    const int c = ColonneBulletinGrillePeriode(colonne);
    if (c >= 1 && c <= K) {
        const QSignalBlocker bloque(ongletsColonnes);
        ongletsColonnes->setCurrentIndex(c - 1);
    }
    grille1->setCurrentCell(ligne, std::max(colonne, 0));
    grille1->selectRow(ligne);
    grille1->viewport()->update();
    ChargerMemo(Lire(grille1, ligne, ColonneCourante()));

    const int p = PeriodeOnglet();
    const QString moyenne = Moyenne(p, elevePeriode);
    labelEleve->setText(QStringLiteral("Moyenne de l'élève : ") + moyenne);
    QColor couleur = Qt::black;
    long double v = 0;
    if (Options::ColorationNote() && Tav::LireNombre(moyenne, v))
        couleur = CouleurReglage(Options::CouleurNote(v, fichier->MoyennesSur()));
    QPalette palette = labelEleve->palette();
    palette.setColor(QPalette::WindowText, couleur);
    labelEleve->setPalette(palette);
    labelBasse->setText(QStringLiteral("Moy. la + basse : ") + textesStatistiques[0]);
    labelHaute->setText(QStringLiteral("Moy. la + haute : ") + textesStatistiques[1]);
    labelClasse->setText(QStringLiteral("Moy. de la classe : ") + textesStatistiques[2]);
}

void TFormAppreciations::SelectionnerGrille2(int ligne, int colonne) {
    if (ligne < 0 || ligne >= P) return;
    lignePeriode = ligne + 1;
    const int c = ColonneBulletinGrilleEleve(colonne);
    if (c >= 1 && c <= K) {
        const QSignalBlocker bloque(ongletsColonnes);
        ongletsColonnes->setCurrentIndex(c - 1);
    }
    grille2->setCurrentCell(ligne, std::max(colonne, 0));
    grille2->selectRow(ligne);
    grille2->viewport()->update();
    ChargerMemo(Lire(grille2, ligne, ColonnesAvantAppreciations + ColonneCourante()));
}

void TFormAppreciations::AllerEleve1(int eleve, int rangVisible) {
    if (eleve < 1 || eleve > N) return;
    RafraichirPagePeriode();
    SelectionnerGrille1(eleve - 1, ColonneCourante());
    // The student becomes the first (or second) row shown.
    grille1->verticalScrollBar()->setValue(std::max(0, eleve - rangVisible));
}

void TFormAppreciations::AllerEleve2(int eleve) {
    if (eleve < 1 || eleve > N) return;
    eleveEleve = eleve;
    RafraichirPageEleve();
    SelectionnerGrille2(lignePeriode - 1, ColonnesAvantAppreciations + ColonneCourante());
}

// ---- Typing ------------------------------------------------------------------------------------

void TFormAppreciations::MemoModifie() {
    if (!garde || N == 0) return;
    const QString texte = memo->toPlainText();
    const int c = ColonneCourante();
    if (c < 1 || c > K) return;
    if (Page() == PageParPeriode) {
        fichier->ModifierAppreciation(PeriodeOnglet(), elevePeriode, c, texte);
        Ecrire(grille1, elevePeriode - 1, c, texte);
    } else {
        fichier->ModifierAppreciation(lignePeriode, eleveEleve, c, texte);
        Ecrire(grille2, lignePeriode - 1, ColonnesAvantAppreciations + c, texte);
    }
}

void TFormAppreciations::Entree() {
    if (N == 0) return;
    if (Page() == PageParPeriode) {
        AllerEleve1(std::min(elevePeriode + 1, N), 2);
    } else {
        lignePeriode = std::min(lignePeriode + 1, P);
        RafraichirPageEleve();
        SelectionnerGrille2(lignePeriode - 1, ColonnesAvantAppreciations + ColonneCourante());
    }
}

void TFormAppreciations::ChangementDePage() {
    if (N == 0) return;
    if (Page() == PageParPeriode) {
        RafraichirPagePeriode();
        SelectionnerGrille1(elevePeriode - 1, ColonneCourante());
    } else {
        RafraichirPageEleve();
        SelectionnerGrille2(lignePeriode - 1, ColonnesAvantAppreciations + ColonneCourante());
    }
}

void TFormAppreciations::ChangementDeColonne() {
    ChangementDePage();
}

void TFormAppreciations::ChangementDePeriode() {
    if (N == 0) return;
    RafraichirPagePeriode();
    SelectionnerGrille1(elevePeriode - 1, ColonneCourante());
}
