#include "tavX_panneauGrille.h"

#include <QLabel>
#include <QStackedLayout>

TPanneauGrille::TPanneauGrille(const QString& legende, QWidget* parent)
    : QFrame(parent), legende(legende) {
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    setAutoFillBackground(true);
    QPalette fond = palette();
    fond.setColor(QPalette::Window, fond.color(QPalette::Base));
    setPalette(fond);

    pile = new QStackedLayout(this);
    pile->setContentsMargins(0, 0, 0, 0);
    etiquette = new QLabel(legende, this);
    etiquette->setAlignment(Qt::AlignCenter);
    etiquette->setWordWrap(true);
    etiquette->setMargin(8);
    QFont police = etiquette->font();
    police.setBold(true);
    etiquette->setFont(police);
    QPalette texte = etiquette->palette();
    texte.setColor(QPalette::WindowText, QColor(0x5f, 0x6b, 0x7a));
    etiquette->setPalette(texte);
    vide = new QWidget(this);
    pile->addWidget(etiquette);
    pile->addWidget(vide);
    pile->setCurrentWidget(etiquette);
}

void TPanneauGrille::DefinirGrille(QWidget* nouvelle) {
    if (grille == nouvelle) return;
    if (grille) {
        pile->removeWidget(grille);
        grille->deleteLater();
    }
    grille = nouvelle;
    if (grille) pile->addWidget(grille);
    AfficherGrille(grilleAffichee);
}

void TPanneauGrille::AfficherGrille(bool afficher) {
    grilleAffichee = afficher;
    if (!afficher)
        pile->setCurrentWidget(legende.isEmpty() ? vide : static_cast<QWidget*>(etiquette));
    else
        pile->setCurrentWidget(grille ? grille : vide);
}
