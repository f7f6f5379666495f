#pragma once
// What a grid of a class sheet receives from its sheet. The sheet relays the notifications of
// its grids to the grids concerned; a grid never calls another grid.
#include <QWidget>

class TGrilleFeuille {
public:
    virtual ~TGrilleFeuille() = default;

    // The widget that shows the grid inside its panel.
    virtual QWidget* Widget() = 0;

    // NotifPeriode: reload for a period (the summary grid: for a tab, 1-based).
    virtual void NotifPeriode(int periode, int option) {
        (void)periode;
        (void)option;
    }
    // NotifEleves: reload the student list.
    virtual void NotifEleves(int w, int l) {
        (void)w;
        (void)l;
    }
    // NotifMoyennes: refresh the averages of a period (and row).
    virtual void NotifMoyennes(int periode, int ligne) {
        (void)periode;
        (void)ligne;
    }
    // Repaint.
    virtual void Redessiner() {
        if (QWidget* w = Widget()) w->update();
    }
    // Select the cells of one row from one column to another.
    virtual void SelectionnerCellules(int ligne, int colonneDebut, int colonneFin) {
        (void)ligne;
        (void)colonneDebut;
        (void)colonneFin;
    }
    // Scroll so that this row is the top row.
    virtual void DefilerVers(int ligneHaut) { (void)ligneHaut; }
};
