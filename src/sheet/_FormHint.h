#pragma once
// TFormHint: the information window of the grids, one for the whole program. Borderless, on
// top, in the colour the caller gives, up to seven lines (the first in bold), placed beside the
// mouse pointer. It closes by itself after 5 seconds, when clicked, or when the caller hides it
// (a change of grid, tab or page).
//
//   TFormHint::Afficher(couleur, {titre, ligne2, ligne3}, 3);
#include <QFrame>
#include <QStringList>

class QLabel;
class QTimer;

class TFormHint : public QFrame {
    Q_OBJECT
public:
    // The window of the program (made on first use).
    static TFormHint* Instance();
    // Shows the first n lines (n is 3, 4, 5 or 7) beside the mouse pointer.
    static void Afficher(const QColor& couleur, const QStringList& lignes, int n);
    static void Afficher(const QColor& couleur, const QStringList& lignes, int n,
                         const QPoint& pointeur);
    // Hides the window if it shows.
    static void Cacher();
    static bool EstAffichee();
    // The lines shown (tests).
    static QStringList Lignes();
    QTimer* Minuterie() const { return minuterie; }

protected:
    void mousePressEvent(QMouseEvent* evenement) override;
    void hideEvent(QHideEvent* evenement) override;

private:
    TFormHint();
    QLabel* lignes[7];
    int nombre = 0;
    QTimer* minuterie;
};
