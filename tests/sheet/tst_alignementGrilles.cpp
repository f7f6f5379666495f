// The three grids of the grades page show the same row for the same student: a click in one
// highlights the row in the others, and scrolling one scrolls the others.
#include "../app/soutien_gui.h"

#include "_TGrilleGenerique.h"

#include <QScrollBar>

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
};

QTEST_MAIN(TestAlignementGrilles)
#include "tst_alignementGrilles.moc"
