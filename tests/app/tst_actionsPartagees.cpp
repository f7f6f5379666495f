// The shared commands: one action serves the main window's menu, its tool bar and every class
// sheet's menu; it is enabled while a class is open and acts on the active sheet.
#include "soutien_gui.h"

#include "tavX_actions.h"

#include <QMdiSubWindow>
#include <QMenuBar>
#include <QToolBar>

class TestActionsPartagees : public QObject {
    Q_OBJECT

private slots:
    void enregistrerSuitLaFeuilleActive() {
        TEnvironnementGui env;
        const QString a =
            EcrireClasse(env.Chemin(QStringLiteral("a.tav")), QStringLiteral("A"), 2, {1});
        const QString b =
            EcrireClasse(env.Chemin(QStringLiteral("b.tav")), QStringLiteral("B"), 2, {1});
        auto fenetre = FenetrePrete();
        QAction* enregistrer = TActions::Action(TActions::Id::Enregistrer);
        QAction* nouvelle = TActions::Action(TActions::Id::Nouvelle);
        QVERIFY(enregistrer && nouvelle);
        QCOMPARE(enregistrer, fenetre->BoutonEnregistrer());
        QVERIFY(fenetre->BarreOutils()->actions().contains(enregistrer));
        QVERIFY(fenetre->MenuFichier()->actions().contains(nouvelle));
        QVERIFY(!enregistrer->isEnabled());

        TFeuilleClasse* fa = fenetre->OuvrirOuMontrer(a);
        TFeuilleClasse* fb = fenetre->OuvrirOuMontrer(b);
        QVERIFY(enregistrer->isEnabled());
        for (TFeuilleClasse* f : {fa, fb}) {
            QVERIFY(f->MenuFichier()->actions().contains(enregistrer));
            QVERIFY(f->MenuFichier()->actions().contains(nouvelle));
        }
        QCOMPARE(fenetre->menuBar()->actions().first()->menu(), fb->MenuFichier());

        // The action and its shortcut save the active class only.
        fa->Fichier().ModifierNote(1, 1, QStringLiteral("17"), 1);
        fb->Fichier().ModifierNote(1, 1, QStringLiteral("18"), 1);
        enregistrer->trigger();
        QVERIFY(!fb->Fichier().EstModifie());
        QVERIFY(fa->Fichier().EstModifie());
        QCOMPARE(TFichierTav(b).Note(1, 1, 1), QStringLiteral("18"));
        fenetre->Zone()->setActiveSubWindow(fa->SousFenetre());
        fenetre->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(fenetre.get()));
        QTest::keyClick(fenetre->FeuilleActive(), Qt::Key_S, Qt::ControlModifier);
        QVERIFY(!fa->Fichier().EstModifie());
        QCOMPARE(TFichierTav(a).Note(1, 1, 1), QStringLiteral("17"));
        QVERIFY(env.interlocuteur.echanges.isEmpty());

        // Enabled while a class stays open.
        fb->SousFenetre()->close();
        QVERIFY(enregistrer->isEnabled());
        fa->SousFenetre()->close();
        QVERIFY(!enregistrer->isEnabled());
        QVERIFY(!TActions::Action(TActions::Id::Fermer)->isEnabled());
    }
};

QTEST_MAIN(TestActionsPartagees)
#include "tst_actionsPartagees.moc"
