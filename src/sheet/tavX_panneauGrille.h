#pragma once
// A panel of a class sheet that holds one grid, and shows its caption ("Pas d'élève dans la
// classe", "Pas de séries de notes pour cette période") in its place while the grid is hidden.
#include <QFrame>

class QLabel;
class QStackedLayout;

class TPanneauGrille : public QFrame {
    Q_OBJECT
public:
    explicit TPanneauGrille(const QString& legende = QString(), QWidget* parent = nullptr);

    // Puts the grid's widget in the panel (the panel owns it).
    void DefinirGrille(QWidget* grille);
    QWidget* Grille() const { return grille; }

    // Shows the grid, or hides it and shows the caption.
    void AfficherGrille(bool afficher);
    bool GrilleAffichee() const { return grilleAffichee; }
    bool LegendeVisible() const { return !grilleAffichee && !legende.isEmpty(); }
    QString Legende() const { return legende; }

private:
    QString legende;
    QStackedLayout* pile = nullptr;
    QLabel* etiquette = nullptr;
    QWidget* vide = nullptr;
    QWidget* grille = nullptr;
    bool grilleAffichee = false;
};
