#include "tavX_rangeeOnglets.h"

#include <QBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionTab>
#include <QStylePainter>
#include <QWheelEvent>

#include <algorithm>
#include <limits>

// ---- The tabs --------------------------------------------------------------------------------

TBarreOnglets::TBarreOnglets(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_Hover);
    DefinirForme(QTabBar::RoundedNorth);
}

bool TBarreOnglets::Verticale() const {
    return forme == QTabBar::RoundedWest || forme == QTabBar::RoundedEast;
}

void TBarreOnglets::DefinirLegendes(const QStringList& nouvelles) {
    legendes = nouvelles;
    courant = legendes.isEmpty() ? -1 : 0;
    survole = -1;
    Disposer();
    updateGeometry();
    update();
}

void TBarreOnglets::ChoisirCourant(int indice) {
    if (indice < 0 || indice >= Nombre() || indice == courant) return;
    courant = indice;
    Disposer();
    update();
    emit courantChange(indice);
}

void TBarreOnglets::DefinirForme(QTabBar::Shape nouvelle) {
    forme = nouvelle;
    if (Verticale())
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Ignored);
    else
        setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    Disposer();
    updateGeometry();
    update();
}

int TBarreOnglets::OngletEn(const QPoint& point) const {
    for (int i = 0; i < rects.size(); ++i)
        if (rects.at(i).contains(point)) return i;
    return -1;
}

void TBarreOnglets::InitialiserOption(QStyleOptionTab& option, int indice) const {
    option.initFrom(this);
    option.state &= ~QStyle::State_HasFocus;
    option.shape = forme;
    option.text = legendes.value(indice);
    option.rect = rects.value(indice);
    option.row = lignes.value(indice);
    if (indice == courant) option.state |= QStyle::State_Selected;
    if (indice == survole)
        option.state |= QStyle::State_MouseOver;
    else
        option.state &= ~QStyle::State_MouseOver;
    // Place of the tab within its line.
    const int ligne = lignes.value(indice, -1);
    const bool premier = indice == 0 || lignes.value(indice - 1) != ligne;
    const bool dernier = indice == Nombre() - 1 || lignes.value(indice + 1) != ligne;
    option.position = premier && dernier ? QStyleOptionTab::OnlyOneTab
                      : premier          ? QStyleOptionTab::Beginning
                      : dernier          ? QStyleOptionTab::End
                                         : QStyleOptionTab::Middle;
    option.selectedPosition = QStyleOptionTab::NotAdjacent;
    if (!premier && indice - 1 == courant)
        option.selectedPosition = QStyleOptionTab::PreviousIsSelected;
    else if (!dernier && indice + 1 == courant)
        option.selectedPosition = QStyleOptionTab::NextIsSelected;
}

QSize TBarreOnglets::TailleOnglet(int indice) const {
    QStyleOptionTab option;
    option.initFrom(this);
    option.shape = forme;
    option.text = legendes.value(indice);
    const int hEspace = style()->pixelMetric(QStyle::PM_TabBarTabHSpace, &option, this);
    const int vEspace = style()->pixelMetric(QStyle::PM_TabBarTabVSpace, &option, this);
    const QFontMetrics mesures = fontMetrics();
    const int texte = mesures.size(Qt::TextShowMnemonic, option.text).width();
    const QSize contenu = Verticale() ? QSize(mesures.height() + vEspace, texte + hEspace)
                                      : QSize(texte + hEspace, mesures.height() + vEspace);
    return style()->sizeFromContents(QStyle::CT_TabBarTab, &option, contenu, this);
}

void TBarreOnglets::Disposer() {
    const bool verticale = Verticale();
    // Before the bar has its place, everything on one line.
    int longueur = verticale ? height() : width();
    if (!isVisible() || longueur <= 0) longueur = std::numeric_limits<int>::max();

    QList<QSize> tailles;
    lignes.clear();
    int ligne = 0, position = 0, epaisseur = 0;
    for (int i = 0; i < Nombre(); ++i) {
        const QSize t = TailleOnglet(i);
        tailles.append(t);
        const int l = verticale ? t.height() : t.width();
        if (position > 0 && l > longueur - position) {
            ++ligne;
            position = 0;
        }
        lignes.append(ligne);
        position += l;
        epaisseur = std::max(epaisseur, verticale ? t.width() : t.height());
    }
    nombreLignes = Nombre() > 0 ? ligne + 1 : 0;

    // The line of the chosen tab goes next to the content, the others keep their turn.
    const int ligneCourante = courant >= 0 ? lignes.value(courant) : nombreLignes - 1;
    const bool contenuApres = forme == QTabBar::RoundedNorth || forme == QTabBar::RoundedWest;
    rects.clear();
    position = 0;
    for (int i = 0; i < Nombre(); ++i) {
        if (i > 0 && lignes.at(i) != lignes.at(i - 1)) position = 0;
        const int rang = (lignes.at(i) + nombreLignes - 1 - ligneCourante) % nombreLignes;
        const int travers = (contenuApres ? rang : nombreLignes - 1 - rang) * epaisseur;
        const QSize t = tailles.at(i);
        if (verticale) {
            rects.append(QRect(travers, position, epaisseur, t.height()));
            position += t.height();
        } else {
            rects.append(QRect(position, travers, t.width(), epaisseur));
            position += t.width();
        }
    }

    const int total = std::max(nombreLignes, 1) * std::max(epaisseur, 1);
    if (verticale) {
        if (minimumWidth() != total || maximumWidth() != total) setFixedWidth(total);
        setMinimumHeight(0);
        setMaximumHeight(QWIDGETSIZE_MAX);
    } else {
        if (minimumHeight() != total || maximumHeight() != total) setFixedHeight(total);
        setMinimumWidth(0);
        setMaximumWidth(QWIDGETSIZE_MAX);
    }
}

QSize TBarreOnglets::sizeHint() const {
    int longueur = 0, epaisseur = 0;
    for (int i = 0; i < Nombre(); ++i) {
        const QSize t = TailleOnglet(i);
        longueur += Verticale() ? t.height() : t.width();
        epaisseur = std::max(epaisseur, Verticale() ? t.width() : t.height());
    }
    epaisseur = std::max(nombreLignes, 1) * epaisseur;
    return Verticale() ? QSize(epaisseur, longueur) : QSize(longueur, epaisseur);
}

QSize TBarreOnglets::minimumSizeHint() const {
    // One tab on each line at the least: the widest tab.
    int longueur = 0;
    for (int i = 0; i < Nombre(); ++i) {
        const QSize t = TailleOnglet(i);
        longueur = std::max(longueur, Verticale() ? t.height() : t.width());
    }
    const QSize indication = sizeHint();
    return Verticale() ? QSize(indication.width(), longueur) : QSize(longueur, indication.height());
}

void TBarreOnglets::paintEvent(QPaintEvent*) {
    QStylePainter peintre(this);
    // The base line along the content, then the tabs, the chosen one last (it overlaps).
    QStyleOptionTabBarBase base;
    base.initFrom(this);
    base.shape = forme;
    const int recouvrement = style()->pixelMetric(QStyle::PM_TabBarBaseOverlap, nullptr, this);
    switch (forme) {
    case QTabBar::RoundedSouth:
        base.rect = QRect(0, 0, width(), recouvrement);
        break;
    case QTabBar::RoundedEast:
        base.rect = QRect(0, 0, recouvrement, height());
        break;
    case QTabBar::RoundedWest:
        base.rect = QRect(width() - recouvrement, 0, recouvrement, height());
        break;
    default:
        base.rect = QRect(0, height() - recouvrement, width(), recouvrement);
        break;
    }
    base.selectedTabRect = RectOnglet(courant);
    base.tabBarRect = rect();
    peintre.drawPrimitive(QStyle::PE_FrameTabBarBase, base);

    for (int i = 0; i < Nombre(); ++i) {
        if (i == courant) continue;
        QStyleOptionTab option;
        InitialiserOption(option, i);
        peintre.drawControl(QStyle::CE_TabBarTab, option);
    }
    if (courant >= 0) {
        QStyleOptionTab option;
        InitialiserOption(option, courant);
        peintre.drawControl(QStyle::CE_TabBarTab, option);
    }
}

void TBarreOnglets::resizeEvent(QResizeEvent* evenement) {
    QWidget::resizeEvent(evenement);
    Disposer();
}

void TBarreOnglets::showEvent(QShowEvent* evenement) {
    QWidget::showEvent(evenement);
    Disposer();
}

void TBarreOnglets::changeEvent(QEvent* evenement) {
    QWidget::changeEvent(evenement);
    if (evenement->type() == QEvent::FontChange || evenement->type() == QEvent::StyleChange) {
        Disposer();
        updateGeometry();
    }
}

void TBarreOnglets::mousePressEvent(QMouseEvent* evenement) {
    if (evenement->button() != Qt::LeftButton) {
        evenement->ignore();
        return;
    }
    const int indice = OngletEn(evenement->position().toPoint());
    if (indice >= 0) ChoisirCourant(indice);
}

void TBarreOnglets::mouseMoveEvent(QMouseEvent* evenement) {
    const int indice = OngletEn(evenement->position().toPoint());
    if (indice != survole) {
        survole = indice;
        update();
    }
    QWidget::mouseMoveEvent(evenement);
}

void TBarreOnglets::leaveEvent(QEvent* evenement) {
    survole = -1;
    update();
    QWidget::leaveEvent(evenement);
}

void TBarreOnglets::keyPressEvent(QKeyEvent* evenement) {
    int indice = courant;
    switch (evenement->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        indice = courant - 1;
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        indice = courant + 1;
        break;
    case Qt::Key_Home:
        indice = 0;
        break;
    case Qt::Key_End:
        indice = Nombre() - 1;
        break;
    default:
        QWidget::keyPressEvent(evenement);
        return;
    }
    ChoisirCourant(std::clamp(indice, 0, std::max(0, Nombre() - 1)));
}

void TBarreOnglets::wheelEvent(QWheelEvent* evenement) {
    const int pas = evenement->angleDelta().y() != 0 ? evenement->angleDelta().y()
                                                     : evenement->angleDelta().x();
    if (pas == 0 || Nombre() == 0) return;
    ChoisirCourant(std::clamp(courant + (pas > 0 ? -1 : 1), 0, Nombre() - 1));
}

// ---- The row and its content -----------------------------------------------------------------

TRangeeOnglets::TRangeeOnglets(QWidget* parent) : QWidget(parent) {
    disposition = new QBoxLayout(QBoxLayout::TopToBottom, this);
    disposition->setContentsMargins(0, 0, 0, 0);
    disposition->setSpacing(0);
    barre = new TBarreOnglets(this);
    barre->setCursor(Qt::PointingHandCursor);
    barre->setFocusPolicy(Qt::NoFocus);
    disposition->addWidget(barre);
    connect(barre, &TBarreOnglets::courantChange, this, [this](int indice) {
        if (!silence && indice >= 0) emit ongletChoisi(indice);
    });
}

void TRangeeOnglets::DefinirContenu(QWidget* nouveau) {
    if (contenu) {
        disposition->removeWidget(contenu);
        contenu->deleteLater();
    }
    contenu = nouveau;
    if (contenu) {
        contenu->setParent(this);
        disposition->addWidget(contenu, 1);
    }
}

void TRangeeOnglets::DefinirOnglets(const QStringList& legendes) {
    silence = true;
    barre->DefinirLegendes(legendes);
    disposition->invalidate();
    silence = false;
}

QStringList TRangeeOnglets::Onglets() const {
    return barre->Legendes();
}

int TRangeeOnglets::Nombre() const {
    return barre->Nombre();
}

int TRangeeOnglets::Onglet() const {
    return barre->Courant();
}

void TRangeeOnglets::SelectionnerOnglet(int indice) {
    silence = true;
    barre->ChoisirCourant(indice);
    silence = false;
}

void TRangeeOnglets::Choisir(int indice) {
    if (indice < 0 || indice >= barre->Nombre()) return;
    SelectionnerOnglet(indice);
    emit ongletChoisi(indice);
}

void TRangeeOnglets::DefinirPlacement(int nouveau) {
    if (nouveau < 0 || nouveau > 3) return;
    placement = nouveau;
    static const QTabBar::Shape formes[] = {QTabBar::RoundedNorth, QTabBar::RoundedWest,
                                            QTabBar::RoundedEast, QTabBar::RoundedSouth};
    static const QBoxLayout::Direction directions[] = {
        QBoxLayout::TopToBottom, QBoxLayout::LeftToRight, QBoxLayout::RightToLeft,
        QBoxLayout::BottomToTop};
    barre->DefinirForme(formes[placement]);
    disposition->setDirection(directions[placement]);
}
