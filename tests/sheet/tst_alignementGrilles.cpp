// The three grids of the grades page show the same row for the same student: a click in one
// highlights the row in the others, and scrolling one scrolls the others.
#include "../app/soutien_gui.h"

#include "_TGrilleGenerique.h"

#include <QScrollBar>
#include <QSplitter>
#include <QWheelEvent>

class TestAlignementGrilles : public QObject {
    Q_OBJECT

    std::unique_ptr<TEnvironnementGui> env;
    std::unique_ptr<TFormTavelin2> fenetre;
    TFeuilleClasse* f = nullptr;

    static TGrilleGeneriqueTavelin* G(TGrilleFeuille* g) {
        return dynamic_cast<TGrilleGeneriqueTavelin*>(g);
    }
    TGrilleGeneriqueTavelin* Eleves() { return G(f->Grilles().eleves); }
    TGrilleGeneriqueTavelin* Notes() { return G(f->Grilles().notes); }
    TGrilleGeneriqueTavelin* Moyennes() { return G(f->Grilles().moyennes); }

    // The colour painted at the centre of a cell.
    static QColor Pixel(TGrilleGeneriqueTavelin* g, int colonne, int ligne) {
        const QImage image = g->viewport()->grab().toImage();
        const QRect r = g->RectCellule(colonne, ligne);
        return image.pixelColor(r.left() + 3, r.bottom() - 2);
    }

    // Opens a copy of the example class on its third trimester, the window at the given size.
    void OuvrirExemple(const QSize& taille) {
        const QString copie = env->Chemin(QStringLiteral("exemple.tav"));
        QFile::remove(copie);
        QVERIFY(
            QFile::copy(QStringLiteral(TAV_SOURCE_DIR "/examples/4e_B_mathematiques.tav"), copie));
        fenetre->resize(taille);
        f = fenetre->OuvrirOuMontrer(copie);
        QVERIFY(f);
        f->ChoisirPeriode(2);
        QApplication::processEvents();
        QVERIFY(Eleves() && Notes() && Moyennes());
        QVERIFY(Notes()->isVisible() && Moyennes()->isVisible());
    }

    // Rows 0 .. last of the student grid that are wholly shown, each stands beside the same row
    // of the grades and averages grids: same top and height on screen, and the grids find that
    // row under the name's centre.
    void VerifierLignesAlignees() {
        QAbstractItemModel* eleves = Eleves()->model();
        int vues = 0;
        for (int r = 0; r < eleves->rowCount(); ++r) {
            const QRect nom = Eleves()->visualRect(eleves->index(r, 1));
            if (!Eleves()->viewport()->rect().contains(nom)) continue;
            ++vues;
            const QPoint haut = Eleves()->viewport()->mapToGlobal(nom.topLeft());
            const QPoint centre = Eleves()->viewport()->mapToGlobal(nom.center());
            for (TGrilleGeneriqueTavelin* g : {Notes(), Moyennes()}) {
                const QString ou = QStringLiteral("%1, ligne %2 (%3)")
                                       .arg(g->objectName())
                                       .arg(r + 1)
                                       .arg(Eleves()->Cellule(1, r + 1));
                const QPoint ici = g->viewport()->mapFromGlobal(centre);
                QVERIFY2(g->rowAt(ici.y()) == r, qPrintable(ou));
                const QRect cellule = g->visualRect(g->model()->index(r, 0));
                QVERIFY2(g->viewport()->mapToGlobal(cellule.topLeft()).y() == haut.y(),
                         qPrintable(ou));
                QVERIFY2(cellule.height() == nom.height(), qPrintable(ou));
            }
        }
        QVERIFY(vues > 5);
    }

private slots:
    void init() {
        env = std::make_unique<TEnvironnementGui>();
        fenetre = FenetrePrete();
        fenetre->resize(1000, 500);
        f = fenetre->OuvrirOuMontrer(
            EcrireClasse(env->Chemin(QStringLiteral("a.tav")), QStringLiteral("3e A"), 40, {3}));
        QVERIFY(f);
        QVERIFY(QTest::qWaitForWindowExposed(fenetre.get()));
        QVERIFY(Eleves() && Notes() && Moyennes());
    }
    void cleanup() {
        fenetre.reset();
        env.reset();
    }

    void lesLignesOntLaMemeHauteurEtLeMemeHaut() {
        for (int ligne : {0, 1, 20, 40, 58}) {
            const int y = Notes()->CentreCellule(0, ligne).y();
            QCOMPARE(Eleves()->CentreCellule(1, ligne).y(), y);
            QCOMPARE(Moyennes()->CentreCellule(0, ligne).y(), y);
        }
    }

    void unClicSurUneNoteSurligneLaLigneAilleurs() {
        QTest::mouseClick(Notes()->viewport(), Qt::LeftButton, {},
                          Notes()->RectCellule(1, 4).center());
        QCOMPARE(Notes()->LigneCourante(), 4);
        QVERIFY(Notes()->EstSelectionnee(1, 4));
        QVERIFY(!Notes()->EstSelectionnee(0, 4));
        QVERIFY(Eleves()->EstSelectionnee(1, 4));
        for (int c = 0; c < 4; ++c)
            QVERIFY2(Moyennes()->EstSelectionnee(c, 4), qPrintable(QString::number(c)));
        // And it shows: every selected cell of the averages is painted in the selection colour.
        const QColor selection = Grille::Couleur(Options::CouleurSelection());
        fenetre->resize(1400, 600);
        QApplication::processEvents();
        for (int c = 0; c < 4; ++c) {
            QCOMPARE(Pixel(Moyennes(), c, 4), selection);
        }

        // A click on a name selects the whole row of marks.
        QTest::mouseClick(Eleves()->viewport(), Qt::LeftButton, {},
                          Eleves()->RectCellule(1, 7).center());
        for (int c = 0; c < 3; ++c)
            QVERIFY(Notes()->EstSelectionnee(c, 7));
        QVERIFY(Moyennes()->EstSelectionnee(3, 7));
        QVERIFY(!Eleves()->EstSelectionnee(1, 4));
    }

    void defilerUneGrilleDefileLesAutres() {
        QScrollBar* barre = Notes()->verticalScrollBar();
        QVERIFY(barre->maximum() > 10);
        barre->setValue(10);
        QCOMPARE(Notes()->LigneHaut(), 11);
        QCOMPARE(Eleves()->LigneHaut(), 11);
        QCOMPARE(Moyennes()->LigneHaut(), 11);
        // The same rows are shown side by side.
        QCOMPARE(Eleves()->CentreCellule(1, 15).y(), Notes()->CentreCellule(0, 15).y());

        // With the keyboard, from the averages grid.
        Moyennes()->setFocus();
        Moyennes()->SelectionnerCellule(0, 11);
        for (int i = 0; i < 30; ++i)
            QTest::keyClick(Moyennes(), Qt::Key_Down);
        QVERIFY(Moyennes()->LigneHaut() > 11);
        QCOMPARE(Notes()->LigneHaut(), Moyennes()->LigneHaut());
        QCOMPARE(Eleves()->LigneHaut(), Moyennes()->LigneHaut());
        QVERIFY(Eleves()->EstSelectionnee(1, 41));
    }

    // The example class at the bottom of its third trimester: the grades grid has a horizontal
    // scroll bar there, the student grid none, and the names still stand beside their marks.
    void lesLignesRestentAligneesJusquEnBas_data() {
        QTest::addColumn<QSize>("taille");
        QTest::addColumn<QString>("moyen");
        // At 1600x1000 the whole class fits: nothing to scroll, the rows line up all the same.
        for (const QSize& t :
             {QSize(1024, 720), QSize(1280, 800), QSize(1600, 1000), QSize(900, 480)}) {
            const QString nom = QStringLiteral("%1x%2 ").arg(t.width()).arg(t.height());
            for (const char* moyen : {"molette", "clavier", "barre"})
                QTest::newRow(qPrintable(nom + QLatin1String(moyen))) << t << QString(moyen);
        }
    }
    void lesLignesRestentAligneesJusquEnBas() {
        QFETCH(QSize, taille);
        QFETCH(QString, moyen);
        OuvrirExemple(taille);
        // Narrow enough for the marks to scroll sideways: the case where rows went apart.
        f->Separateur()->setSizes({300, 300});
        QApplication::processEvents();
        QVERIFY(Notes()->horizontalScrollBar()->isVisible());
        QVERIFY(Notes()->horizontalScrollBar()->maximum() > 0);
        VerifierLignesAlignees();

        QScrollBar* barre = Notes()->verticalScrollBar();
        if (moyen == QLatin1String("molette")) {
            const QPoint ici = Notes()->viewport()->rect().center();
            for (int i = 0; i < 40 && barre->value() < barre->maximum(); ++i) {
                QWheelEvent roue(ici, Notes()->viewport()->mapToGlobal(ici), QPoint(),
                                 QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                                 false);
                QApplication::sendEvent(Notes()->viewport(), &roue);
                // Halfway down, the rows line up too.
                if (i == 1) VerifierLignesAlignees();
            }
        } else if (moyen == QLatin1String("clavier")) {
            Notes()->setFocus();
            Notes()->SelectionnerCellule(0, 1);
            for (int i = 0; i < 60; ++i)
                QTest::keyClick(Notes(), Qt::Key_Down);
        } else {
            barre->setValue(barre->maximum());
        }
        QApplication::processEvents();
        QVERIFY(barre->maximum() > 0 || taille.height() >= 1000);
        QCOMPARE(barre->value(), barre->maximum());
        // The last row, "Oral ou écrit :", is shown whole and in line.
        const int derniere = Eleves()->model()->rowCount() - 1;
        QVERIFY(Eleves()->viewport()->rect().contains(
            Eleves()->visualRect(Eleves()->model()->index(derniere, 1))));
        VerifierLignesAlignees();

        // The sheet grows and shrinks: still in line.
        fenetre->resize(taille + QSize(37, 53));
        QApplication::processEvents();
        VerifierLignesAlignees();
        fenetre->resize(taille);
        QApplication::processEvents();
        VerifierLignesAlignees();
    }
};

QTEST_MAIN(TestAlignementGrilles)
#include "tst_alignementGrilles.moc"
