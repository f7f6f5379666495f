// The graph page: the points of the four lines on the scale of the averages, the series that
// cannot be drawn, the legend, and the chart of a sheet following its student list.
#include "../app/soutien_gui.h"

#include "_FormImprimerGraphe.h"
#include "tavX_grapheClasse.h"
#include "tavX_panneauGrille.h"

#include <QClipboard>
#include <QLegend>
#include <QMenu>

class TestGraphe : public QObject {
    Q_OBJECT
    std::unique_ptr<TEnvironnementGui> env;

    // One student and three series with the given maxima; the student's marks as given, two
    // classmates at 10 on the scale of each series.
    static std::unique_ptr<TFichierTav> Classe(const QStringList& sur, const QStringList& notes) {
        auto f = std::make_unique<TFichierTav>();
        f->InitialiserClasse(QStringLiteral("Trimestres"), QStringLiteral("Bulletins par défaut"));
        for (const char* nom : {"A", "B", "C"})
            f->AjouterEleve(QString::fromLatin1(nom), QString(), false);
        for (int j = 1; j <= sur.size(); ++j) {
            f->AjouterSerie(1, QStringLiteral("S%1").arg(j), false, QString(), QString(), QString(),
                            QStringLiteral("oui"), QStringLiteral("1"), sur.at(j - 1));
            f->ModifierNote(1, j, notes.at(j - 1), 1);
            f->ModifierNote(1, j, QStringLiteral("2"), 2);
            f->ModifierNote(1, j, QStringLiteral("4"), 3);
        }
        return f;
    }

private slots:
    void init() { env = std::make_unique<TEnvironnementGui>(); }
    void cleanup() { env.reset(); }

    void points_data() {
        QTest::addColumn<QStringList>("sur");
        QTest::addColumn<QStringList>("notes");
        QTest::addColumn<int>("eleve");
        QTest::addColumn<QList<QPointF>>("eleveAttendu");
        QTest::addColumn<QList<QPointF>>("minimumAttendu");
        // 15/20, "abs"/10, 30/40 on a scale of 20: the student at (1;15) and (3;15); series 2
        // gives no point to any line.
        QTest::newRow("15 abs 30")
            << QStringList{"20", "10", "40"} << QStringList{"15", "abs", "30"} << 1
            << QList<QPointF>{{1, 15}, {3, 15}} << QList<QPointF>{{1, 2}, {3, 1}};
        // A maximum of "0" or one that is not a positive number skips its series.
        QTest::newRow("maximum nul")
            << QStringList{"0", "vingt", "-5"} << QStringList{"15", "12", "3"} << 1
            << QList<QPointF>{} << QList<QPointF>{};
        QTest::newRow("sans élève")
            << QStringList{"20"} << QStringList{"15"} << 0 << QList<QPointF>{} << QList<QPointF>{};
        QTest::newRow("élève disparu")
            << QStringList{"20"} << QStringList{"15"} << 9 << QList<QPointF>{} << QList<QPointF>{};
    }
    void points() {
        QFETCH(QStringList, sur);
        QFETCH(QStringList, notes);
        QFETCH(int, eleve);
        QFETCH(QList<QPointF>, eleveAttendu);
        QFETCH(QList<QPointF>, minimumAttendu);
        auto f = Classe(sur, notes);
        const bool lignes[4] = {true, true, true, true};
        const TLignesGraphe g = CalculerGraphe(*f, 1, eleve, lignes);
        QCOMPARE(g.points[0], eleveAttendu);
        QCOMPARE(g.points[1], minimumAttendu);
        QCOMPARE(g.intitules.size(), sur.size());
        QCOMPARE(g.points[3].size(), minimumAttendu.size());
    }

    // In a sheet: the chart follows the chosen student; a student without a numeric mark hides
    // the legend; removing students never leaves the chart on a student that is gone.
    void dansLaFeuille() {
        auto fenetre = FenetrePrete();
        const QString chemin =
            EcrireClasse(env->Chemin(QStringLiteral("g.tav")), QStringLiteral("4e"), 3, {2});
        TFichierTav modif(chemin);
        modif.ModifierNote(1, 1, QStringLiteral("abs"), 3);
        modif.ModifierNote(1, 2, QString(), 3);
        modif.Enregistrer(chemin);
        TFeuilleClasse* feuille = fenetre->OuvrirOuMontrer(chemin);
        QVERIFY(feuille);
        feuille->ChoisirPage(TFeuilleClasse::PageGraphes);
        TGrapheClasse* graphe = feuille->Graphe();
        QVERIFY(graphe);
        QVERIFY(feuille->PanelGraphe()->GrilleAffichee());
        QCOMPARE(graphe->Lignes().points[0].size(), 2);
        QVERIFY(graphe->LegendeAffichee());

        feuille->NotifGraphe(1, 3);
        QVERIFY(graphe->Lignes().points[0].isEmpty());
        QVERIFY(!graphe->LegendeAffichee());

        feuille->NotifGraphe(1, 7); // past the list: nothing drawn
        QVERIFY(graphe->Lignes().points[0].isEmpty());

        // Printing the graph (here to PDF) draws the chart itself: what the teacher had copied
        // stays in the clipboard.
        feuille->NotifGraphe(1, 1);
        graphe->resize(400, 300);
        QGuiApplication::clipboard()->setText(QStringLiteral("copié avant"));
        TFormImprimerGraphe impression(
            QStringLiteral("Elève 01"), graphe->Image(),
            [graphe](QPainter& p, const QRectF& cible) { graphe->Rendre(p, cible); });
        const QString pdf = env->Chemin(QStringLiteral("graphe.pdf"));
        QVERIFY(impression.EnregistrerPdf(pdf));
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("copié avant"));
        QFile fichier(pdf);
        QVERIFY(fichier.open(QIODevice::ReadOnly));
        QCOMPARE(fichier.read(5), QByteArray("%PDF-"));

        // Exported as SVG from the "Graphes" menu: a vector picture of the chart.
        const QString svg = env->Chemin(QStringLiteral("graphe.svg"));
        env->interlocuteur.aEnregistrer = {svg};
        QAction* exporter = nullptr;
        for (QAction* a : feuille->Menus().at(3)->actions())
            if (a->text() == QStringLiteral("&Exporter ...")) exporter = a;
        QVERIFY(exporter);
        exporter->setEnabled(true);
        exporter->trigger();
        QFile image(svg);
        QVERIFY(image.open(QIODevice::ReadOnly));
        const QByteArray contenu = image.readAll();
        QVERIFY(contenu.contains("<svg"));
        QVERIFY(contenu.contains("<path") || contenu.contains("<polyline"));
    }
};

QTEST_MAIN(TestGraphe)
#include "tst_graphe.moc"
