#include "tavX_ongletsClasses.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QTabBar>
#include <QToolButton>

TOngletsClasses::TOngletsClasses(QWidget* parent) : QWidget(parent) {
    disposition = new QHBoxLayout(this);
    disposition->setContentsMargins(0, 0, 0, 0);
    disposition->setSpacing(0);
    Reconstruire();
}

void TOngletsClasses::DefinirStyle(int nouveau) {
    if (nouveau < 0 || nouveau > 2 || nouveau == style) return;
    style = nouveau;
    Reconstruire();
}

void TOngletsClasses::Vider() {
    legendes.clear();
    selection = -1;
    Reconstruire();
}

void TOngletsClasses::Ajouter(const QString& legende) {
    legendes.append(legende);
    Reconstruire();
}

void TOngletsClasses::Retirer(int indice) {
    if (indice < 0 || indice >= legendes.size()) return;
    legendes.removeAt(indice);
    if (selection == indice)
        selection = -1;
    else if (selection > indice)
        --selection;
    Reconstruire();
}

void TOngletsClasses::Selectionner(int indice) {
    if (indice < -1 || indice >= legendes.size()) indice = -1;
    selection = indice;
    miseAJour = true;
    if (barre) {
        barre->setCurrentIndex(indice);
    } else if (groupe) {
        if (indice < 0) {
            // An exclusive group cannot show "none" while one of its buttons is checked.
            groupe->setExclusive(false);
            for (QAbstractButton* bouton : groupe->buttons())
                bouton->setChecked(false);
            groupe->setExclusive(true);
        } else if (QAbstractButton* bouton = groupe->button(indice)) {
            bouton->setChecked(true);
        }
    }
    miseAJour = false;
}

void TOngletsClasses::Choisir(int indice) {
    if (indice < 0 || indice >= legendes.size()) return;
    Selectionner(indice);
    emit ongletChoisi(indice);
}

void TOngletsClasses::Reconstruire() {
    if (groupe) groupe->disconnect(this);
    // The old row may be the sender of the click being handled: it goes at the next turn.
    for (QWidget* ancien : {static_cast<QWidget*>(barre), rangee}) {
        if (!ancien) continue;
        ancien->hide();
        ancien->disconnect(this);
        disposition->removeWidget(ancien);
        ancien->deleteLater();
    }
    barre = nullptr;
    rangee = nullptr;
    groupe = nullptr;

    if (style == 2) {
        barre = new QTabBar(this);
        barre->setShape(QTabBar::RoundedSouth);
        barre->setExpanding(false);
        barre->setUsesScrollButtons(true);
        barre->setDrawBase(false);
        barre->setFocusPolicy(Qt::NoFocus);
        for (const QString& legende : std::as_const(legendes))
            barre->addTab(legende);
        barre->updateGeometry();
        barre->setCurrentIndex(selection);
        connect(barre, &QTabBar::currentChanged, this, [this](int indice) {
            if (miseAJour || indice < 0) return;
            selection = indice;
            emit ongletChoisi(indice);
        });
        disposition->addWidget(barre);
    } else {
        rangee = new QWidget(this);
        auto* ligne = new QHBoxLayout(rangee);
        ligne->setContentsMargins(2, legendes.isEmpty() ? 0 : 2, 2, legendes.isEmpty() ? 0 : 2);
        ligne->setSpacing(style == 0 ? 0 : 3);
        groupe = new QButtonGroup(rangee);
        groupe->setExclusive(true);
        for (int i = 0; i < legendes.size(); ++i) {
            auto* bouton = new QToolButton(rangee);
            bouton->setText(legendes.at(i));
            bouton->setCheckable(true);
            bouton->setAutoRaise(style == 0);
            bouton->setFocusPolicy(Qt::NoFocus);
            bouton->setToolButtonStyle(Qt::ToolButtonTextOnly);
            groupe->addButton(bouton, i);
            ligne->addWidget(bouton);
        }
        ligne->addStretch(1);
        connect(groupe, &QButtonGroup::idClicked, this, [this](int indice) {
            if (miseAJour) return;
            selection = indice;
            emit ongletChoisi(indice);
        });
        disposition->addWidget(rangee);
        Selectionner(selection);
    }
}
