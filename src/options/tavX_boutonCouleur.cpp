#include "tavX_boutonCouleur.h"

#include <QColorDialog>
#include <QPainter>
#include <QPixmap>

TBoutonCouleur::TBoutonCouleur(qint32 couleur, qint32 parDefaut, const QString& titre,
                               QWidget* parent)
    : QPushButton(parent), couleur(couleur & 0x00FFFFFF), parDefaut(parDefaut & 0x00FFFFFF),
      titre(titre) {
    setToolTip(titre);
    setAccessibleName(titre);
    setIconSize(QSize(44, 14));
    Peindre();
    connect(this, &QPushButton::clicked, this, &TBoutonCouleur::Choisir);
}

TBoutonCouleur::TChoixCouleur& TBoutonCouleur::ChoixCouleur() {
    static TChoixCouleur choix = [](QWidget* parent, const QColor& initiale, const QString& titre) {
        return QColorDialog::getColor(initiale, parent, titre);
    };
    return choix;
}

QColor TBoutonCouleur::VersQColor(qint32 valeur) {
    return QColor(valeur & 0xFF, (valeur >> 8) & 0xFF, (valeur >> 16) & 0xFF);
}

qint32 TBoutonCouleur::DepuisQColor(const QColor& c) {
    return qint32(c.red()) | (qint32(c.green()) << 8) | (qint32(c.blue()) << 16);
}

void TBoutonCouleur::DefinirCouleur(qint32 valeur) {
    valeur &= 0x00FFFFFF;
    if (valeur == couleur) return;
    couleur = valeur;
    Peindre();
}

void TBoutonCouleur::Choisir() {
    const QColor choisie = ChoixCouleur()(window(), VersQColor(couleur), titre);
    if (choisie.isValid()) DefinirCouleur(DepuisQColor(choisie));
}

void TBoutonCouleur::Peindre() {
    QPixmap image(iconSize());
    image.fill(VersQColor(couleur));
    QPainter peintre(&image);
    peintre.setPen(Qt::darkGray);
    peintre.drawRect(image.rect().adjusted(0, 0, -1, -1));
    peintre.end();
    setIcon(QIcon(image));
}
