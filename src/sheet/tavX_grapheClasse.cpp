#include "tavX_grapheClasse.h"

#include "tavX_fichierTav.h"
#include "tavX_nombres.h"
#include "tavX_options.h"

#include <QCategoryAxis>
#include <QContextMenuEvent>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QScatterSeries>
#include <QValueAxis>

namespace {

QColor Couleur(qint32 bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

} // namespace

TLignesGraphe CalculerGraphe(const TFichierTav& f, int periode, int eleve, const bool lignes[4]) {
    TLignesGraphe g;
    g.sur = f.MoyennesSur();
    if (periode < 1 || periode > f.NombrePeriodes()) return g;
    const int K = f.NombreSeries(periode);
    for (int i = 1; i <= K; ++i)
        g.intitules.append(f.Intitule(periode, i));
    if (eleve < 1 || eleve > f.NombreEleves()) return g;
    for (int i = 1; i <= K; ++i) {
        long double v = 0, maximum = 0;
        if (Tav::LireNombre(f.Note(periode, i, eleve), v)) g.noteNumerique = true;
        if (!Tav::LireNombre(f.NoteSur(periode, i), maximum) || !(maximum > 0)) continue;
        const QString valeurs[4] = {f.Note(periode, i, eleve), f.MinimumSerie(periode, i),
                                    f.MaximumSerie(periode, i), f.MoyenneSerie(periode, i)};
        for (int l = 0; l < 4; ++l) {
            if (!lignes[l]) continue;
            if (!Tav::LireNombre(valeurs[l], v)) break;
            g.points[l].append(QPointF(i, double(v * g.sur / maximum)));
        }
    }
    return g;
}

TGrapheClasse::TGrapheClasse(QWidget* parent) : QChartView(parent) {
    setObjectName(QStringLiteral("Chart1"));
    setRenderHint(QPainter::Antialiasing);
    chart()->setTitle(QString());
    chart()->legend()->setAlignment(Qt::AlignTop);
}

void TGrapheClasse::contextMenuEvent(QContextMenuEvent* evenement) {
    emit menuDemande(evenement->globalPos());
    evenement->accept();
}

bool TGrapheClasse::LegendeAffichee() const {
    return chart()->legend()->isVisible();
}

void TGrapheClasse::Dessiner(const TFichierTav& fichier, int periode, int eleve,
                             const QString& nom) {
    const bool lignesVoulues[4] = {Options::GrapheLigneEleve(), Options::GrapheLigneMin(),
                                   Options::GrapheLigneMax(), Options::GrapheLigneMoyenne()};
    lignes = CalculerGraphe(fichier, periode, eleve, lignesVoulues);
    QChart* graphe = chart();
    graphe->removeAllSeries();
    for (QAbstractAxis* axe : graphe->axes())
        graphe->removeAxis(axe), delete axe;

    const bool couleur = Options::GrapheEnCouleur();
    const bool relief = Options::Graphe3D();
    // Background, walls.
    if (couleur && Options::GrapheDegrade()) {
        QLinearGradient degrade(0, 0, 0, 1);
        degrade.setCoordinateMode(QGradient::ObjectBoundingMode);
        degrade.setColorAt(0, Couleur(Options::CouleurDebutDegrade()));
        degrade.setColorAt(1, Couleur(Options::CouleurFinDegrade()));
        graphe->setBackgroundBrush(degrade);
    } else {
        graphe->setBackgroundBrush(Qt::white);
    }
    graphe->setPlotAreaBackgroundVisible(true);
    graphe->setPlotAreaBackgroundBrush(couleur ? Couleur(Options::CouleurMurGauche())
                                               : QColor(Qt::white));
    if (eleve < 1 || lignes.intitules.isEmpty()) {
        graphe->legend()->hide();
        return;
    }

    auto* axeX = new QCategoryAxis;
    axeX->setRange(0.5, lignes.intitules.size() + 0.5);
    axeX->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    for (int i = 0; i < lignes.intitules.size(); ++i) {
        // Each label must be unique: same titles are told apart by invisible spaces.
        QString etiquette = lignes.intitules.at(i);
        while (axeX->categoriesLabels().contains(etiquette))
            etiquette += QChar(0x200B);
        axeX->append(etiquette, i + 1);
    }
    auto* axeY = new QValueAxis;
    axeY->setRange(0, lignes.sur);
    axeY->setLabelFormat(QStringLiteral("%g"));
    axeY->setShadesVisible(couleur);
    axeY->setShadesBrush(Couleur(Options::CouleurMurBas()).lighter(105));
    axeY->setShadesPen(Qt::NoPen);
    graphe->addAxis(axeX, Qt::AlignBottom);
    graphe->addAxis(axeY, Qt::AlignLeft);

    const QString titres[4] = {nom, QStringLiteral("Minimum de la classe"),
                               QStringLiteral("Maximum de la classe"),
                               QStringLiteral("Moyenne de la classe")};
    const QColor couleurs[4] = {Couleur(Options::CouleurEleve()), Couleur(Options::CouleurMin()),
                                Couleur(Options::CouleurMax()), Couleur(Options::CouleurMoyenne())};
    const Qt::PenStyle traits[4] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine};
    const double decalageX = 0.06, decalageY = lignes.sur * 0.015;
    for (int l = 0; l < 4; ++l) {
        if (!lignesVoulues[l]) continue;
        const QColor teinte = couleur ? couleurs[l] : QColor(Qt::black);
        if (relief) {
            // The depth: the same line a little behind, darker.
            auto* ombre = new QLineSeries;
            for (const QPointF& p : std::as_const(lignes.points[l]))
                ombre->append(p.x() + decalageX, p.y() - decalageY);
            QColor sombre = teinte.darker(200);
            sombre.setAlpha(110);
            ombre->setPen(QPen(sombre, 3));
            graphe->addSeries(ombre);
            ombre->attachAxis(axeX);
            ombre->attachAxis(axeY);
            graphe->legend()->markers(ombre).constFirst()->setVisible(false);
        }
        auto* ligne = new QLineSeries;
        ligne->setName(titres[l]);
        ligne->append(lignes.points[l]);
        QPen stylo(teinte, 2);
        if (!couleur) stylo.setStyle(traits[l]);
        ligne->setPen(stylo);
        ligne->setPointsVisible(true);
        graphe->addSeries(ligne);
        ligne->attachAxis(axeX);
        ligne->attachAxis(axeY);
    }
    graphe->legend()->setVisible(Options::GrapheLegende() && lignes.noteNumerique);
}

QImage TGrapheClasse::Image() const {
    return const_cast<TGrapheClasse*>(this)->grab().toImage();
}

void TGrapheClasse::Rendre(QPainter& peintre, const QRectF& cible) {
    render(&peintre, cible);
}
