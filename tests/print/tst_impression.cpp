// The table printouts: page layout, pagination, refusals, the print loop's sheets, the cells and
// their colours, the print window's checks and its confirmation, and a PDF of a class. The pages
// are drawn on a recording device that keeps every text and line at its place.
#include "_FormImprimer.h"
#include "tavX_fichierTav.h"
#include "tavX_globales.h"
#include "tavX_impressionsGrilles.h"
#include "tavX_interlocuteur.h"
#include "tavX_options.h"
#include "tavX_ouvrirOptions.h"
#include "tavtest_ecrivain.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPaintEngine>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// ---- A paint device that remembers what was drawn -----------------------------------------------

struct TTexte {
    QPointF position;
    QString texte;
    QColor couleur;
    bool coupe = false; // drawn under a clip
};

class TMoteurEnregistreur : public QPaintEngine {
public:
    TMoteurEnregistreur() : QPaintEngine(QPaintEngine::AllFeatures) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState& etat) override {
        if (etat.state() & DirtyPen) stylo = etat.pen();
        if (etat.state() & DirtyTransform) transformation = etat.transform();
    }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawTextItem(const QPointF& p, const QTextItem& t) override {
        textes.append({transformation.map(p), t.text(), stylo.color(), painter()->hasClipping()});
    }
    void drawLines(const QLineF* l, int n) override {
        for (int i = 0; i < n; ++i)
            lignes.append(transformation.map(l[i]));
    }
    void drawRects(const QRectF* r, int n) override {
        for (int i = 0; i < n; ++i)
            rectangles.append(transformation.mapRect(r[i]));
    }
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    Type type() const override { return QPaintEngine::User; }

    QList<TTexte> textes;
    QList<QLineF> lignes;
    QList<QRectF> rectangles;

private:
    QPen stylo;
    QTransform transformation;
};

class TPageEnregistree : public QPaintDevice {
public:
    QPaintEngine* paintEngine() const override { return &moteur; }
    TMoteurEnregistreur& Moteur() const { return moteur; }
    const TTexte* Chercher(const QString& texte) const {
        for (const TTexte& t : std::as_const(moteur.textes))
            if (t.texte == texte) return &t;
        return nullptr;
    }

protected:
    int metric(PaintDeviceMetric m) const override {
        switch (m) {
        case PdmWidth:
            return 4960;
        case PdmHeight:
            return 7016;
        case PdmWidthMM:
            return 210;
        case PdmHeightMM:
            return 297;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return Impression::ResolutionLogique;
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return INT_MAX;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(QPaintDevice::devicePixelRatioFScale());
        default:
            return 0;
        }
    }

private:
    mutable TMoteurEnregistreur moteur;
};

// Pages of a run, and the story of the job: "debut", "page k", "feuille", "fin", "abandon".
class TSortieEnregistree : public TSortiePages {
public:
    QPainter* Commencer() override {
        recit << QStringLiteral("debut");
        pages.append(std::make_shared<TPageEnregistree>());
        peintre.begin(pages.constLast().get());
        return &peintre;
    }
    bool NouvellePage() override {
        recit << QStringLiteral("feuille");
        peintre.end();
        pages.append(std::make_shared<TPageEnregistree>());
        return peintre.begin(pages.constLast().get());
    }
    bool Terminer() override {
        recit << QStringLiteral("fin");
        return peintre.end();
    }
    void Abandonner() override {
        recit << QStringLiteral("abandon");
        peintre.end();
    }
    QStringList recit;
    QList<std::shared_ptr<TPageEnregistree>> pages;
    QPainter peintre;
};

// The drawing of one page of a printout.
std::unique_ptr<TPageEnregistree> Dessiner(const TImpression& impression, int page) {
    auto p = std::make_unique<TPageEnregistree>();
    QPainter peintre(p.get());
    impression.DessinerPage(peintre, page);
    return p;
}

// A class of the first trimester: students, series of marks.
std::unique_ptr<TFichierTav> Classe(int eleves, int series, const QString& note = QString()) {
    auto f = std::make_unique<TFichierTav>();
    f->InitialiserClasse(QStringLiteral("Trimestres"), QStringLiteral("Bulletins par défaut"));
    f->ModifierClasse(QStringLiteral("4e B"));
    for (int s = 1; s <= eleves; ++s)
        f->AjouterEleve(QStringLiteral("ELEVE %1").arg(s, 2, 10, QLatin1Char('0')),
                        s == 2 ? QStringLiteral("01/02/2010") : QString(), s == 1);
    for (int j = 1; j <= series; ++j) {
        f->AjouterSerie(1, QStringLiteral("Contrôle %1").arg(j), false, QStringLiteral("DS"),
                        QString(), QString(), QStringLiteral("oui"), QStringLiteral("1"),
                        QStringLiteral("20"));
        for (int s = 1; s <= eleves; ++s)
            f->ModifierNote(1, j, note.isEmpty() ? QString::number(8 + (s + j) % 12) : note, s);
    }
    return f;
}

TParametresImpression Parametres(quint8 type = TInclureImpression::SeriesDeNotes) {
    TParametresImpression p;
    p.police = QStringLiteral("DejaVu Serif");
    p.taillePolice = 9;
    p.inclure = TInclureImpression(type);
    return p;
}

} // namespace

class TestImpression : public QObject {
    Q_OBJECT
    QTemporaryDir dossier;

private slots:
    void init() {
        static int numero = 0;
        DefinirFichierReglages(dossier.filePath(QStringLiteral("reglages%1.ini").arg(++numero)));
    }
    void cleanupTestCase() { DefinirFichierReglages(QString()); }

    // 7 series and the average column on pages of 3 columns: 3, 3 and 2, the average last.
    void pagesDeTroisColonnes() {
        auto f = Classe(5, 7);
        Options::ModifierImpressionColonneMoyenne(true);
        TParametresImpression p = Parametres();
        TImpressionGrilleNotes large(*f, p);
        // A page exactly wide enough for the names and three and a half columns.
        p.geometrie.largeurImprimable = p.geometrie.margeGauche + p.geometrie.margeDroite +
                                        large.LargeurNoms() + large.LargeurColonne() * 7 / 2;
        TImpressionGrilleNotes impression(*f, p);
        QCOMPARE(impression.NombrePages(), 3);
        QCOMPARE(impression.Bornes(), QList<int>({1, 4, 7, 9}));
        auto page3 = Dessiner(impression, 3);
        const TTexte* moyenne = page3->Chercher(QStringLiteral("Moyennes"));
        const TTexte* serie7 = page3->Chercher(QStringLiteral("Contrôle 7"));
        QVERIFY(moyenne && serie7);
        QVERIFY(moyenne->position.x() > serie7->position.x());
        QVERIFY(!Dessiner(impression, 2)->Chercher(QStringLiteral("Moyennes")));
    }

    // Refusals: -1 for a table taller than the space between the bands (even when also too
    // wide), 0 for a name column wider than the page, without endless pagination.
    void refus_data() {
        QTest::addColumn<int>("eleves");
        QTest::addColumn<int>("largeur");
        QTest::addColumn<int>("hauteur");
        QTest::addColumn<int>("attendu");
        QTest::newRow("trop haut et trop large") << 50 << 600 << 2000 << -1;
        QTest::newRow("noms plus larges que la page") << 3 << 500 << 7016 << 0;
        QTest::newRow("tient") << 50 << 4960 << 7016 << 1;
    }
    void refus() {
        QFETCH(int, eleves);
        QFETCH(int, largeur);
        QFETCH(int, hauteur);
        QFETCH(int, attendu);
        auto f = Classe(eleves, 2);
        TParametresImpression p = Parametres();
        p.geometrie.largeurImprimable = largeur;
        p.geometrie.hauteurImprimable = hauteur;
        TImpressionGrilleNotes impression(*f, p);
        QCOMPARE(impression.NombrePages(), attendu);
    }

    // The table stands between the header and footer bands, whatever its height.
    void tableEntreLesBandes() {
        auto f = Classe(50, 3);
        TParametresImpression p = Parametres();
        p.entete.centre.texte = QStringLiteral("4e B");
        p.basDePage.gauche.texte = QStringLiteral("Collège");
        // Just tall enough for the table between the bands.
        TImpressionGrilleNotes mesure(*f, p);
        const int table = mesure.RectangleTable(1).height();
        p.geometrie.hauteurImprimable =
            p.geometrie.margeHaut + mesure.HauteurEntete() + table + 40 + p.geometrie.margeBas;
        TImpressionGrilleNotes impression(*f, p);
        QCOMPARE(impression.NombrePages(), 1);
        const QRect r = impression.RectangleTable(1);
        QCOMPARE(r.top(), p.geometrie.margeHaut + impression.HauteurEntete());
        QVERIFY(r.bottom() < p.geometrie.hauteurImprimable - p.geometrie.margeBas - 40);
        // One unit less and it no longer fits.
        p.geometrie.hauteurImprimable -= 1;
        QCOMPARE(TImpressionGrilleNotes(*f, p).NombrePages(), -1);
    }

    // The geometry of a page: the unprintable offsets become the margins, at least 100 units.
    void geometrie() {
        const QPageLayout sansMarge(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF());
        const TGeometriePage a = TGeometriePage::Depuis(sansMarge);
        QCOMPARE(a.largeurPapier, 4961); // 210 mm
        QCOMPARE(a.margeGauche, 100);
        QCOMPARE(a.margeBas, 100);
        const QPageLayout marges(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                 QMarginsF(10, 20, 10, 20), QPageLayout::Millimeter);
        const TGeometriePage b = TGeometriePage::Depuis(marges);
        QCOMPARE(b.margeGauche, 236);
        QCOMPARE(b.margeHaut, 472);
        QCOMPARE(b.largeurImprimable + b.margeGauche + b.margeDroite, b.largeurPapier);
    }

    // Header band: blank draws nothing and is 40 high; with an empty centre the second rule goes
    // under the left and right texts, not through them.
    void bandeEntete() {
        auto f = Classe(2, 1);
        TImpressionGrilleNotes impression(*f, Parametres());
        TPageEnregistree vide;
        {
            QPainter peintre(&vide);
            QCOMPARE(impression.DessinerBande(peintre, TEnteteBasDePage(), 100, true), 40);
        }
        QVERIFY(vide.Moteur().lignes.isEmpty() && vide.Moteur().textes.isEmpty());

        TEnteteBasDePage bande;
        bande.gauche.texte = QStringLiteral("Collège Jean Moulin");
        bande.droite = {QStringLiteral("2006/2007"), true};
        TPageEnregistree page;
        int hauteur = 0;
        {
            QPainter peintre(&page);
            hauteur = impression.DessinerBande(peintre, bande, 100, true);
        }
        QVERIFY(hauteur > 40);
        QCOMPARE(page.Moteur().lignes.size(), 2);
        const qreal regle = page.Moteur().lignes.at(1).y1();
        const QFontMetricsF fm(PoliceLogique(QStringLiteral("DejaVu Serif"), 10));
        for (const TTexte& t : std::as_const(page.Moteur().textes))
            QVERIFY2(t.position.y() + fm.descent() <= regle, qPrintable(t.texte));
        QCOMPARE(page.Moteur().rectangles.size(), 1); // the framed right text
    }

    // The sheets of a run: order, parity, copies, and no sheet after the last page.
    void sequence_data() {
        QTest::addColumn<int>("premiere");
        QTest::addColumn<int>("derniere");
        QTest::addColumn<bool>("inverse");
        QTest::addColumn<int>("parite");
        QTest::addColumn<int>("copies");
        QTest::addColumn<QList<int>>("pages");
        QTest::newRow("1..3, 2 copies, inverse")
            << 1 << 3 << true << 0 << 2 << QList<int>{3, 2, 1, 3, 2, 1};
        QTest::newRow("paires de 1..5") << 1 << 5 << false << 2 << 1 << QList<int>{2, 4};
        QTest::newRow("impaires de 5..1") << 5 << 1 << false << 1 << 1 << QList<int>{1, 3, 5};
        QTest::newRow("aucun exemplaire") << 1 << 5 << false << 0 << 0 << QList<int>{};
        QTest::newRow("hors des pages") << 0 << 9 << false << 0 << 1 << QList<int>{1, 2, 3, 4, 5};
    }
    void sequence() {
        QFETCH(int, premiere);
        QFETCH(int, derniere);
        QFETCH(bool, inverse);
        QFETCH(int, parite);
        QFETCH(int, copies);
        QFETCH(QList<int>, pages);
        const TChoixImpression choix{premiere, derniere, inverse, parite, copies};
        QCOMPARE(TImpression::SequencePages(choix, 5), pages);

        // The loop on a printout of 5 pages: one sheet per page, nothing opened for none.
        auto f = Classe(3, 4);
        Options::ModifierImpressionColonneMoyenne(true);
        TParametresImpression p = Parametres();
        TImpressionGrilleNotes large(*f, p);
        p.geometrie.largeurImprimable = p.geometrie.margeGauche + p.geometrie.margeDroite +
                                        large.LargeurNoms() + large.LargeurColonne() * 3 / 2;
        TImpressionGrilleNotes impression(*f, p);
        QCOMPARE(impression.NombrePages(), 5); // 4 series and the averages, one per page
        TSortieEnregistree sortie;
        QStringList legendes;
        QVERIFY(impression.Imprimer(sortie, choix, [&](int, int, const QString& l) {
            legendes << l;
            return true;
        }));
        QCOMPARE(sortie.pages.size(), pages.size());
        QCOMPARE(int(legendes.size()), int(pages.size()));
        if (pages.isEmpty()) {
            QVERIFY(sortie.recit.isEmpty());
        } else {
            QCOMPARE(sortie.recit.count(QStringLiteral("feuille")), pages.size() - 1);
            QCOMPARE(sortie.recit.constLast(), QStringLiteral("fin"));
            // Each sheet holds the series of its page.
            for (int k = 0; k < pages.size(); ++k)
                QVERIFY(sortie.pages[k]->Chercher(pages[k] <= 4
                                                      ? QStringLiteral("Contrôle %1").arg(pages[k])
                                                      : QStringLiteral("Moyennes")));
        }
    }

    // Cancelling from the progress callback abandons the job after the pages already drawn.
    void annulationPendantLaBoucle() {
        auto f = Classe(3, 2);
        TImpressionGrilleNotes impression(*f, Parametres());
        TSortieEnregistree sortie;
        TChoixImpression choix;
        choix.copies = 3;
        int appels = 0;
        QVERIFY(!impression.Imprimer(sortie, choix,
                                     [&](int, int, const QString&) { return ++appels < 2; }));
        QCOMPARE(sortie.recit, QStringList({QStringLiteral("debut"), QStringLiteral("abandon")}));
    }

    // Cells: numbering, names with (R) and birth dates, the widest mark in the column width,
    // overflowing cells clipped.
    void cellules() {
        auto f = Classe(10, 1);
        f->ModifierNote(1, 1, QStringLiteral("12,3456789012345"), 4);
        TParametresImpression p = Parametres();
        p.numeroter = true;
        p.redoublants = true;
        p.datesNaissance = true;
        TImpressionGrilleNotes impression(*f, p);
        auto page = Dessiner(impression, 1);
        QVERIFY(page->Chercher(QStringLiteral("  9 ")));
        QVERIFY(page->Chercher(QStringLiteral(" 10 ")));
        QVERIFY(page->Chercher(QStringLiteral(" ELEVE 01 (R) ")));
        QVERIFY(page->Chercher(QStringLiteral(" ELEVE 02 (01/02/2010)")));
        QVERIFY(page->Chercher(QStringLiteral(" ELEVE 03 ")));
        const TTexte* longue = page->Chercher(QStringLiteral("12,3456789012345"));
        QVERIFY(longue);
        QVERIFY(!longue->coupe);
        const QFontMetricsF fm(PoliceLogique(QStringLiteral("DejaVu Serif"), 9));
        QVERIFY(impression.LargeurColonne() >= fm.horizontalAdvance(longue->texte) + 20);
        for (const TTexte& t : std::as_const(page->Moteur().textes))
            QVERIFY2(!t.coupe, qPrintable(t.texte));
    }

    // Colours of the marks on a scale, and what is printed black.
    void couleurs_data() {
        QTest::addColumn<QString>("note");
        QTest::addColumn<QString>("sur");
        QTest::addColumn<int>("couleur"); // 0 black, 1..4 couleurNNote
        QTest::newRow("9,5") << "9,5"
                             << "20" << 1;
        QTest::newRow("10") << "10"
                            << "20" << 2;
        QTest::newRow("15") << "15"
                            << "20" << 3;
        QTest::newRow("21") << "21"
                            << "20" << 4;
        QTest::newRow("-1") << "-1"
                            << "20" << 4;
        QTest::newRow("abs") << "abs"
                             << "20" << 0;
        QTest::newRow("vide") << ""
                              << "20" << 0;
        QTest::newRow("texte") << "bof"
                               << "20" << 0;
        QTest::newRow("maximum texte") << "12"
                                       << "vingt" << 0;
        QTest::newRow("maximum nul") << "12"
                                     << "0" << 0;
    }
    void couleurs() {
        QFETCH(QString, note);
        QFETCH(QString, sur);
        QFETCH(int, couleur);
        const qint32 bgr[5] = {0, Options::Couleur1Note(), Options::Couleur2Note(),
                               Options::Couleur3Note(), Options::Couleur4Note()};
        const QColor attendue = couleur == 0
                                    ? QColor(Qt::black)
                                    : QColor(bgr[couleur] & 0xFF, (bgr[couleur] >> 8) & 0xFF,
                                             (bgr[couleur] >> 16) & 0xFF);
        QCOMPARE(TImpression::CouleurNote(note, sur), attendue);

        // And in a printed cell.
        Options::ModifierImpressionCouleurNote(true);
        auto f = Classe(1, 1, note.isEmpty() ? QStringLiteral("x") : note);
        f->ModifierNoteSur(1, 1, sur);
        TImpressionGrilleNotes impression(*f, Parametres());
        if (!note.isEmpty()) {
            auto page = Dessiner(impression, 1);
            const TTexte* t = page->Chercher(note);
            QVERIFY(t);
            QCOMPARE(t->couleur, attendue);
        }
    }

    // Column width and statistics block: every row off gives no block and a width from
    // "10,00"; the blank grid with no width has columns of 24 units.
    void largeurs() {
        auto f = Classe(3, 2, QStringLiteral("1"));
        TParametresImpression p = Parametres();
        for (int i = 0; i < p.inclure->NombreLignes(); ++i)
            p.inclure->ModifierInclure(i, false);
        Options::ModifierImpressionColonneMoyenne(false);
        TImpressionGrilleNotes impression(*f, p);
        const QFontMetricsF fm(PoliceLogique(QStringLiteral("DejaVu Serif"), 9));
        const qreal titre = fm.horizontalAdvance(QStringLiteral("Contrôle 2")) + 4;
        QCOMPARE(impression.LargeurColonne(),
                 int(std::ceil(std::max(fm.horizontalAdvance(QStringLiteral("10,00")), titre))) +
                     20);
        QVERIFY(!Dessiner(impression, 1)->Chercher(QStringLiteral(" Min ")));

        TImpressionGrilleVierge vierge(*f, Parametres(TInclureImpression::GrilleVierge), 0);
        QCOMPARE(vierge.LargeurColonne(), 24);
        QCOMPARE(vierge.NombrePages(), 1);
    }

    // Whole-year summary of 3 periods with written/oral averages and the ranking list:
    // 3 + 2 + 1 + 1 columns; the ranking list sorted by average.
    void bilanAnnuel() {
        auto f = Classe(3, 2);
        Options::ModifierImpressionMoyennesEcritOral(true);
        Options::ModifierImpressionColonneClassement(true);
        Options::ModifierTrierMoyennesImpression(1);
        Options::ModifierColonnesBilanDetaillees(false);
        TParametresImpression p = Parametres(TInclureImpression::Bilans);
        p.periode = 4;
        p.geometrie.largeurImprimable = 12000; // every column on one page
        TImpressionGrilleBilan impression(*f, p);
        QCOMPARE(impression.NombrePages(), 1);
        QCOMPARE(impression.Bornes(), QList<int>({1, 8}));
        auto page = Dessiner(impression, 1);
        for (const char* titre : {"Premier trimestre", "Moy. Ecrit", "Moy. Oral",
                                  "Moyennes annuelles sur 20", " Classement descendant "})
            QVERIFY2(page->Chercher(QString::fromUtf8(titre)), titre);
        const QStringList classement = f->Classement(4, 1, 0, 0, 0).mid(1);
        QCOMPARE(classement.size(), 3);
        const TTexte* premier = page->Chercher(classement.at(0));
        const TTexte* dernier = page->Chercher(classement.at(2));
        QVERIFY(premier && dernier && premier->position.y() < dernier->position.y());

        // Detailed columns add one per grade type, and their names are measured whenever they
        // are printed (not only with the per-type averages of the sheet).
        Options::ModifierColonnesBilanDetaillees(true);
        Options::ModifierMoyenneParTypeDeNotes(false);
        const QString type = QStringLiteral("Devoir surveillé commun de fin de trimestre");
        f->ModifierTypeNotes(1, 1, type);
        p.periode = 1;
        TImpressionGrilleBilan detaille(*f, p);
        QCOMPARE(detaille.Bornes().constLast(), 1 + 2 + 1 + 1 + 2); // two types
        const QFontMetricsF fm(PoliceLogique(QStringLiteral("DejaVu Serif"), 9));
        QVERIFY(detaille.LargeurColonne() >= fm.horizontalAdvance(type) + 20);
    }

    // Appreciations: four fixed columns on every page, then the sections.
    void appreciations() {
        auto f = Classe(2, 1);
        f->ModifierAppreciation(1, 1, 1, QStringLiteral("Bon travail"));
        TParametresImpression p = Parametres();
        p.inclure.reset();
        TImpressionAppreciation impression(*f, p);
        QCOMPARE(impression.NombrePages(), 1);
        auto page = Dessiner(impression, 1);
        for (const char* t : {"Elève", "Classe", "+ basse", "+ haute", " Bon travail"})
            QVERIFY2(page->Chercher(QString::fromUtf8(t)), t);
    }

    // The print window: a period is required, "Sur l'année" for the summaries, one period
    // checked at a time, and a cancelled confirmation opens no job.
    void fenetreImprimer() {
        struct TRepondeur : TInterlocuteur {
            QStringList messages;
            QString pdf;
            void Message(QWidget*, const QString&, const QString& texte, TIcone) override {
                messages << texte;
            }
            QString FichierAEnregistrer(QWidget*, const TDemandeFichier&) override { return pdf; }
        } repondeur;
        DefinirInterlocuteur(&repondeur);
        auto f = Classe(4, 2);
        TFormImprimer fenetre(*f, QPixmap());
        fenetre.CaseFermer()->setChecked(false);
        int sorties = 0;
        std::optional<TChoixImpression> reponse;
        int pagesProposees = 0;
        fenetre.confirmer = [&](int pages) {
            pagesProposees = pages;
            return reponse;
        };
        fenetre.creerSortie = [&]() -> std::unique_ptr<TSortiePages> {
            ++sorties;
            return std::make_unique<TSortieEnregistree>();
        };

        QVERIFY(!fenetre.Lancer(TFormImprimer::TDestination::Imprimante));
        QCOMPARE(repondeur.messages, QStringList{QStringLiteral("Aucune période sélectionnée !")});

        fenetre.ListeQuoi()->setCurrentIndex(1);
        QCOMPARE(fenetre.ListePeriodes()->count(), 4);
        QCOMPARE(fenetre.ListePeriodes()->item(3)->text(), QStringLiteral("Sur l'année"));
        fenetre.ListeQuoi()->setCurrentIndex(0);
        QCOMPARE(fenetre.ListePeriodes()->item(0)->text(),
                 QStringLiteral("Premier trimestre (2 séries de notes)"));
        QCOMPARE(fenetre.ListePeriodes()->item(1)->text(),
                 QStringLiteral("Deuxième trimestre (aucune série de notes)"));
        fenetre.ListePeriodes()->item(1)->setCheckState(Qt::Checked);
        QVERIFY(!fenetre.Lancer(TFormImprimer::TDestination::Imprimante));
        QCOMPARE(repondeur.messages.constLast(),
                 QStringLiteral("Aucune série de notes pour cette période !"));
        fenetre.ListePeriodes()->item(0)->setCheckState(Qt::Checked);
        QCOMPARE(fenetre.ListePeriodes()->item(1)->checkState(), Qt::Unchecked);
        QCOMPARE(fenetre.PeriodeCochee(), 1);

        // Cancelled: no job at all.
        QVERIFY(!fenetre.Lancer(TFormImprimer::TDestination::Imprimante));
        QCOMPARE(pagesProposees, 1);
        QCOMPARE(sorties, 0);
        // Confirmed: one job of one page.
        reponse = TChoixImpression{1, 1, false, 0, 1};
        QVERIFY(fenetre.Lancer(TFormImprimer::TDestination::Imprimante));
        QCOMPARE(sorties, 1);

        // The options of the printout being prepared, when the options dialog exists.
        QVERIFY(fenetre.BoutonOptions()->isHidden());
        QString pageOuverte;
        Dialogues::DefinirOuvertureOptions(
            [&](QWidget*, const QString& page, const QString& sousPage) {
                pageOuverte = page + QLatin1Char('/') + sousPage;
            });
        {
            TFormImprimer avecOptions(*f, QPixmap());
            QVERIFY(!avecOptions.BoutonOptions()->isHidden());
            avecOptions.ListeQuoi()->setCurrentIndex(1);
            avecOptions.BoutonOptions()->click();
            QCOMPARE(pageOuverte, QStringLiteral("Impression/Bilans"));
        }
        Dialogues::DefinirOuvertureOptions({});

        // To a PDF file.
        repondeur.pdf = dossier.filePath(QStringLiteral("notes.pdf"));
        QVERIFY(fenetre.Lancer(TFormImprimer::TDestination::Pdf));
        QFile pdf(repondeur.pdf);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.read(5) == "%PDF-");
        DefinirInterlocuteur(nullptr);
    }
};

QTEST_MAIN(TestImpression)
#include "tst_impression.moc"
