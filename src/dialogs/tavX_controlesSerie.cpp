#include "tavX_controlesSerie.h"

#include "tavX_constantes.h"
#include "tavX_fichierTav.h"
#include "tavX_imageLogo.h"
#include "tavX_saisieTexte.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
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

TChampsEleve ChampsEleve(QWidget* parent) {
    TChampsEleve c;
    c.nom = new QLineEdit(parent);
    c.nom->setObjectName(QStringLiteral("EditNomEtPrenom"));
    c.nom->setMaxLength(Tav::MaxLongueurNomEleve);
    c.nom->setMinimumWidth(300);
    Tav::ControlerSaisie(c.nom);
    c.libelleNom = new QLabel(QStringLiteral("&Nom et prénom de l'élève :"), parent);
    c.libelleNom->setBuddy(c.nom);

    c.date = new QLineEdit(parent);
    c.date->setObjectName(QStringLiteral("EditDate"));
    c.date->setMaxLength(10);
    c.date->setMaximumWidth(c.date->fontMetrics().horizontalAdvance(QStringLiteral("00/00/00000")) +
                            16);
    Tav::ControlerSaisie(c.date);
    c.libelleDate = new QLabel(QStringLiteral("&Date de naissance :"), parent);
    c.libelleDate->setBuddy(c.date);
    c.format = new QLabel(QStringLiteral("jj/mm/aaaa"), parent);

    c.redoublant = new QCheckBox(QStringLiteral("&Redoublant"), parent);
    c.redoublant->setObjectName(QStringLiteral("CheckBoxRedoublant"));
    return c;
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
