#pragma once
// A row of period tabs holding one content (the grids of the period): the tabs choose what the
// content shows. The row can sit on any side of the content; tabs that do not fit go on further
// lines (columns at the left or right), the line of the chosen tab next to the content.
#include <QList>
#include <QRect>
#include <QStringList>
#include <QTabBar>
#include <QWidget>

class QBoxLayout;
class QStyleOptionTab;

// The tabs themselves, drawn by the style as a tab bar's, laid on as many lines as needed.
class TBarreOnglets : public QWidget {
    Q_OBJECT
public:
    explicit TBarreOnglets(QWidget* parent = nullptr);

    void DefinirLegendes(const QStringList& legendes);
    QStringList Legendes() const { return legendes; }
    int Nombre() const { return int(legendes.size()); }
    // The chosen tab (-1 when there is none).
    int Courant() const { return courant; }
    // Chooses a tab; sends courantChange when it changes.
    void ChoisirCourant(int indice);
    QTabBar::Shape Forme() const { return forme; }
    void DefinirForme(QTabBar::Shape forme);
    // Number of lines (columns for the side placements) the tabs take.
    int NombreLignes() const { return nombreLignes; }
    QRect RectOnglet(int indice) const { return rects.value(indice); }
    int OngletEn(const QPoint& point) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void courantChange(int indice);

protected:
    void paintEvent(QPaintEvent* evenement) override;
    void resizeEvent(QResizeEvent* evenement) override;
    void showEvent(QShowEvent* evenement) override;
    void mousePressEvent(QMouseEvent* evenement) override;
    void mouseMoveEvent(QMouseEvent* evenement) override;
    void leaveEvent(QEvent* evenement) override;
    void keyPressEvent(QKeyEvent* evenement) override;
    void wheelEvent(QWheelEvent* evenement) override;
    void changeEvent(QEvent* evenement) override;

private:
    bool Verticale() const;
    QSize TailleOnglet(int indice) const;
    void InitialiserOption(QStyleOptionTab& option, int indice) const;
    // Places the tabs on lines for the present length, and sets the bar's thickness.
    void Disposer();

    QStringList legendes;
    QList<QRect> rects;
    QList<int> lignes;
    int courant = -1;
    int survole = -1;
    int nombreLignes = 0;
    QTabBar::Shape forme = QTabBar::RoundedNorth;
};

class TRangeeOnglets : public QWidget {
    Q_OBJECT
public:
    explicit TRangeeOnglets(QWidget* parent = nullptr);

    void DefinirContenu(QWidget* contenu);
    QWidget* Contenu() const { return contenu; }

    void DefinirOnglets(const QStringList& legendes);
    QStringList Onglets() const;
    int Nombre() const;
    int Onglet() const;
    // Selects a tab without sending ongletChoisi.
    void SelectionnerOnglet(int indice);
    // As a click: selects the tab and sends ongletChoisi.
    void Choisir(int indice);

    // 0 top, 1 left, 2 right, 3 bottom; another value changes nothing.
    void DefinirPlacement(int placement);
    int Placement() const { return placement; }
    TBarreOnglets* Barre() const { return barre; }

signals:
    void ongletChoisi(int indice);

private:
    QBoxLayout* disposition = nullptr;
    TBarreOnglets* barre = nullptr;
    QWidget* contenu = nullptr;
    int placement = 0;
    bool silence = false;
};
