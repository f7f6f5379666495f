#pragma once
// A colour setting on screen: a button showing the colour as a swatch, which opens the
// platform's colour dialog, and the colour's default for the "Couleur par défaut" button.
// Colours are kept as the store holds them, 0x00BBGGRR (red in the low byte).
#include <QColor>
#include <QPushButton>
#include <functional>

class TBoutonCouleur : public QPushButton {
    Q_OBJECT
public:
    TBoutonCouleur(qint32 couleur, qint32 parDefaut, const QString& titre,
                   QWidget* parent = nullptr);

    qint32 Couleur() const { return couleur; }
    void DefinirCouleur(qint32 valeur);
    void CouleurParDefaut() { DefinirCouleur(parDefaut); }

    static QColor VersQColor(qint32 valeur);
    static qint32 DepuisQColor(const QColor& c);

    // The colour dialog (tests replace it): returns an invalid colour when cancelled.
    using TChoixCouleur =
        std::function<QColor(QWidget* parent, const QColor& initiale, const QString& titre)>;
    static TChoixCouleur& ChoixCouleur();

private:
    void Choisir();
    void Peindre();

    qint32 couleur;
    qint32 parDefaut;
    QString titre;
};
