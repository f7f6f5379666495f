#pragma once
// The graph page's chart: one student's marks in a period, series after series, against the
// class's lowest mark, highest mark and mean, all on the scale of the averages. Drawn with
// Qt Charts; "3D" is a depth effect (a shadow under each line).
#include <QChartView>
#include <QList>
#include <QPointF>
#include <QStringList>

class TFichierTav;

// The four lines of a drawing: 0 the student, 1 class minimum, 2 class maximum, 3 class mean.
struct TLignesGraphe {
    QList<QPointF> points[4];
    QStringList intitules;      // the titles of the period's series, series i at i - 1
    bool noteNumerique = false; // the student has a numeric mark in one of the series
    int sur = 20;               // the scale of the Y axis
};

// The points of the period's series for a student (1..N; 0 or out of range: no point). A series
// whose maximum is not a positive number, or one of whose values is not a number, stops there:
// its remaining points are skipped and the next series goes on.
TLignesGraphe CalculerGraphe(const TFichierTav& fichier, int periode, int eleve,
                             const bool lignes[4]);

class TGrapheClasse : public QChartView {
    Q_OBJECT
public:
    explicit TGrapheClasse(QWidget* parent = nullptr);

    // Draws the graph of a student for a period with the display settings; nothing (an empty
    // chart) without a student.
    void Dessiner(const TFichierTav& fichier, int periode, int eleve, const QString& nom);
    const TLignesGraphe& Lignes() const { return lignes; }
    bool LegendeAffichee() const;
    // The chart as a picture of its size on screen.
    QImage Image() const;
    // The chart drawn in a rectangle of a painter (printing, PDF).
    void Rendre(QPainter& peintre, const QRectF& cible);

signals:
    // Right button on the chart: the sheet builds the pop-up menu.
    void menuDemande(const QPoint& positionGlobale);

protected:
    void contextMenuEvent(QContextMenuEvent* evenement) override;

private:
    TLignesGraphe lignes;
};
