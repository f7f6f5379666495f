// The start-up tips window: the tips, the counter, the wrap-around and what it stores.
#include "soutien_gui.h"

#include "tavX_conseils.h"

#include <QCheckBox>
#include <QPushButton>

class TestConseils : public QObject {
    Q_OBJECT

    std::unique_ptr<TEnvironnementGui> env;

private slots:
    void init() { env = std::make_unique<TEnvironnementGui>(); }
    void cleanup() { env.reset(); }

    void vingtEtUnConseils() {
        const QStringList& conseils = Conseils::Liste();
        QCOMPARE(conseils.size(), 21);
        QCOMPARE(conseils.first(),
                 QStringLiteral("Tavelin est un logiciel écrit PAR un enseignant POUR les "
                                "enseignants."));
        QVERIFY(
            conseils.at(1).contains(QStringLiteral("retaper..\r\n\r\nVoir \"Liste des élèves")));
        QVERIFY(conseils.at(19).contains(QStringLiteral("la touche . (point)")));
        QVERIFY(conseils.at(20).startsWith(QStringLiteral("Quand vous tapez des notes, la touche - "
                                                          "(moins)")));
    }

    void fenetreEtCompteur() {
        TFormConseilsDemarrage fenetre;
        QCOMPARE(fenetre.windowTitle(), QStringLiteral("Bienvenue dans Tavelin 2.9"));
        QCOMPARE(fenetre.Numero(), 1);
        QCOMPARE(fenetre.Compteur(), QStringLiteral("1/21"));
        QVERIFY(!fenetre.CaseAfficher()->isChecked()); // the test store turned the tips off
        QCOMPARE(fenetre.BoutonFermer()->text(), QStringLiteral("&Fermer"));
    }

    void suivantEtPrecedentFontLeTourEtSontRetenus() {
        Options::ModifierNumeroConseilEnCours(QStringLiteral("21"));
        TFormConseilsDemarrage fenetre;
        QCOMPARE(fenetre.Compteur(), QStringLiteral("21/21"));
        QTest::mouseClick(fenetre.BoutonSuivant(), Qt::LeftButton);
        QCOMPARE(fenetre.Numero(), 1);
        QCOMPARE(Options::NumeroConseilEnCours(), QStringLiteral("1"));
        QTest::mouseClick(fenetre.BoutonPrecedent(), Qt::LeftButton);
        QCOMPARE(fenetre.Compteur(), QStringLiteral("21/21"));
        QCOMPARE(fenetre.TexteConseil(), Conseils::Liste().last());
        QTest::mouseClick(fenetre.BoutonPrecedent(), Qt::LeftButton);
        QCOMPARE(Options::NumeroConseilEnCours(), QStringLiteral("20"));
    }

    void numeroIllisibleRepartDuPremier() {
        for (const QString& stocke :
             {QStringLiteral("0"), QStringLiteral("22"), QStringLiteral("abc"), QString()}) {
            Options::ModifierNumeroConseilEnCours(stocke);
            TFormConseilsDemarrage fenetre;
            QCOMPARE(fenetre.Numero(), 1);
        }
    }

    void fermerRetientLaCaseEtAvanceDUnConseil() {
        Options::ModifierNumeroConseilEnCours(QStringLiteral("5"));
        TFormConseilsDemarrage fenetre;
        fenetre.show();
        QVERIFY(QTest::qWaitForWindowExposed(&fenetre));
        fenetre.CaseAfficher()->setChecked(true);
        QTest::keyClick(&fenetre, Qt::Key_Return);
        QCOMPARE(fenetre.result(), int(QDialog::Accepted));
        QVERIFY(!fenetre.isVisible());
        QVERIFY(Options::AfficherConseils());
        QCOMPARE(Options::NumeroConseilEnCours(), QStringLiteral("6"));

        // Escape closes too, and the last tip is followed by the first.
        Options::ModifierNumeroConseilEnCours(QStringLiteral("21"));
        TFormConseilsDemarrage autre;
        autre.show();
        QVERIFY(QTest::qWaitForWindowExposed(&autre));
        autre.CaseAfficher()->setChecked(false);
        QTest::keyClick(&autre, Qt::Key_Escape);
        QCOMPARE(autre.result(), int(QDialog::Rejected));
        QVERIFY(!Options::AfficherConseils());
        QCOMPARE(Options::NumeroConseilEnCours(), QStringLiteral("1"));
    }
};

QTEST_MAIN(TestConseils)
#include "tst_conseils.moc"
