#include "tavX_controlesSerie.h"

#include "tavX_fichierTav.h"
#include "tavX_imageLogo.h"

#include <QButtonGroup>
#include <QDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QTabBar>
#include <QToolButton>

namespace Dialogues {

QToolButton* BoutonNouvelleValeur(QWidget* parent, const char* nom, const QString& bulle) {
    auto* bouton = new QToolButton(parent);
    bouton->setObjectName(QString::fromLatin1(nom));
    bouton->setText(QStringLiteral("..."));
    bouton->setToolTip(bulle);
    bouton->setFocusPolicy(Qt::TabFocus);
    return bouton;
}

QGroupBox* Groupe(QWidget* parent, const QString& titre, QRadioButton* premier,
                  QRadioButton* second) {
    auto* groupe = new QGroupBox(titre, parent);
    auto* mise = new QHBoxLayout(groupe);
    mise->addWidget(premier);
    mise->addWidget(second);
    mise->addStretch();
    auto* boutons = new QButtonGroup(groupe);
    boutons->addButton(premier, 0);
    boutons->addButton(second, 1);
    return groupe;
}

QTabBar* OngletsPeriodes(QWidget* parent, const TFichierTav* fichier) {
    auto* onglets = new QTabBar(parent);
    onglets->setObjectName(QStringLiteral("TabControl1"));
    onglets->setExpanding(false);
    onglets->setUsesScrollButtons(true);
    onglets->setDrawBase(false);
    if (fichier)
        for (int p = 1; p <= fichier->NombrePeriodes(); ++p)
            onglets->addTab(fichier->NomPeriode(p));
    return onglets;
}

void OrdreTabulation(std::initializer_list<QWidget*> widgets) {
    QWidget* precedent = nullptr;
    for (QWidget* w : widgets) {
        if (precedent) QWidget::setTabOrder(precedent, w);
        precedent = w;
    }
}

void DisposerPageAOnglets(QDialog* dialogue, const QPixmap& image, QTabBar* onglets, QWidget* page,
                          std::initializer_list<QWidget*> boutons) {
    auto* rangee = new QHBoxLayout;
    rangee->addStretch();
    for (QWidget* bouton : boutons)
        rangee->addWidget(bouton);

    auto* droite = new QVBoxLayout;
    droite->setSpacing(0);
    droite->addWidget(onglets);
    droite->addWidget(page, 1);
    droite->addSpacing(8);
    droite->addLayout(rangee);

    auto* mise = new QHBoxLayout(dialogue);
    mise->addWidget(Tav::ImageLogo(dialogue, image, 220));
    mise->addSpacing(8);
    mise->addLayout(droite, 1);
}

} // namespace Dialogues
