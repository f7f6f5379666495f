#pragma once
// A row of period tabs holding one content (the grids of the period): the tabs choose what the
// content shows. The row can sit on any side of the content.
#include <QStringList>
#include <QWidget>

class QBoxLayout;
class QTabBar;

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
    QTabBar* Barre() const { return barre; }

signals:
    void ongletChoisi(int indice);

private:
    QBoxLayout* disposition = nullptr;
    QTabBar* barre = nullptr;
    QWidget* contenu = nullptr;
    int placement = 0;
    bool silence = false;
};
