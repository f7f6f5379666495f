#include "tavX_rangeeOnglets.h"

#include <QBoxLayout>
#include <QTabBar>

TRangeeOnglets::TRangeeOnglets(QWidget* parent) : QWidget(parent) {
    disposition = new QBoxLayout(QBoxLayout::TopToBottom, this);
    disposition->setContentsMargins(0, 0, 0, 0);
    disposition->setSpacing(0);
    barre = new QTabBar(this);
    barre->setCursor(Qt::PointingHandCursor);
    barre->setUsesScrollButtons(true);
    barre->setExpanding(false);
    barre->setFocusPolicy(Qt::NoFocus);
    disposition->addWidget(barre);
    connect(barre, &QTabBar::currentChanged, this, [this](int indice) {
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
    while (barre->count() > 0)
        barre->removeTab(barre->count() - 1);
    for (const QString& legende : legendes)
        barre->addTab(legende);
    // A hidden tab bar does not announce its new size itself.
    barre->updateGeometry();
    disposition->invalidate();
    silence = false;
}

QStringList TRangeeOnglets::Onglets() const {
    QStringList legendes;
    for (int i = 0; i < barre->count(); ++i)
        legendes.append(barre->tabText(i));
    return legendes;
}

int TRangeeOnglets::Nombre() const {
    return barre->count();
}

int TRangeeOnglets::Onglet() const {
    return barre->currentIndex();
}

void TRangeeOnglets::SelectionnerOnglet(int indice) {
    silence = true;
    barre->setCurrentIndex(indice);
    silence = false;
}

void TRangeeOnglets::Choisir(int indice) {
    if (indice < 0 || indice >= barre->count()) return;
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
    barre->setShape(formes[placement]);
    disposition->setDirection(directions[placement]);
    const Qt::Alignment alignement =
        (placement == 0 || placement == 3) ? Qt::AlignLeft : Qt::AlignTop;
    disposition->setAlignment(barre, alignement);
    barre->updateGeometry();
}
