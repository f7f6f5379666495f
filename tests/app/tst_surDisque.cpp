// A class file changed on disk by a second writer while its sheet is open: the sheet warns when
// the program is activated (reload offered only without unsaved changes) and saving over it asks.
#include "soutien_gui.h"
#include "tavX_surveillanceDisque.h"

class TestSurDisque : public QObject {
    Q_OBJECT
    TEnvironnementGui env;

    // Another program writes the file: other marks, a later time.
    static void SecondEcrivain(const QString& chemin, const QString& note) {
        TFichierTav autre(chemin);
        autre.ModifierNote(1, 1, note, 1);
        autre.Enregistrer(chemin);
        QFile f(chemin);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(QDateTime::currentDateTime().addSecs(30),
                              QFileDevice::FileModificationTime));
    }

private slots:
    void init() {
        env.NouveauxReglages();
        env.interlocuteur.Vider();
        env.interlocuteur.reponses.clear();
    }

    void sansModificationRecharge_data() {
        QTest::addColumn<bool>("recharger");
        QTest::newRow("recharger") << true;
        QTest::newRow("garder") << false;
    }
    void sansModificationRecharge() {
        QFETCH(bool, recharger);
        const QString chemin =
            EcrireClasse(env.Chemin(QStringLiteral("partage.tav")), QStringLiteral("5e"), 3, {1});
        auto fenetre = FenetrePrete({chemin});
        auto* surveillance = fenetre->findChild<TSurveillanceDisque*>();
        QVERIFY(surveillance);
        const QString avant = fenetre->FeuilleActive()->Fichier().Note(1, 1, 1);
        surveillance->Verifier();
        QVERIFY(env.interlocuteur.echanges.isEmpty()); // nothing changed yet
        SecondEcrivain(chemin, QStringLiteral("12"));
        env.interlocuteur.reponses = {recharger};
        surveillance->Verifier();
        QApplication::processEvents();
        const auto questions = env.interlocuteur.DuGenre(QStringLiteral("question"));
        QCOMPARE(questions.size(), 1);
        QVERIFY(questions.at(0).texte.contains(QStringLiteral("modifié par un autre programme")));
        QTRY_COMPARE(fenetre->Feuilles().size(), 1);
        QCOMPARE(fenetre->FeuilleActive()->Fichier().Note(1, 1, 1),
                 recharger ? QStringLiteral("12") : avant);
        // Asked once per change.
        surveillance->Verifier();
        QCOMPARE(env.interlocuteur.DuGenre(QStringLiteral("question")).size(), 1);
    }

    void modifieeEnregistrementDemande_data() {
        QTest::addColumn<bool>("ecraser");
        QTest::newRow("écraser") << true;
        QTest::newRow("ne pas écraser") << false;
    }
    void modifieeEnregistrementDemande() {
        QFETCH(bool, ecraser);
        const QString chemin =
            EcrireClasse(env.Chemin(QStringLiteral("cle.tav")), QStringLiteral("4e"), 3, {1});
        auto fenetre = FenetrePrete({chemin});
        TFeuilleClasse* feuille = fenetre->FeuilleActive();
        feuille->Fichier().ModifierNote(1, 1, QStringLiteral("18"), 1);
        SecondEcrivain(chemin, QStringLiteral("7"));
        fenetre->findChild<TSurveillanceDisque*>()->Verifier();
        // No reload offered over unsaved changes: a warning only.
        QVERIFY(env.interlocuteur.DuGenre(QStringLiteral("question")).isEmpty());
        QCOMPARE(env.interlocuteur.DuGenre(QStringLiteral("message")).size(), 1);
        env.interlocuteur.reponses = {ecraser};
        QCOMPARE(feuille->Enregistrer(), ecraser);
        const auto questions = env.interlocuteur.DuGenre(QStringLiteral("question"));
        QCOMPARE(questions.size(), 1);
        QCOMPARE(questions.at(0).texte,
                 QStringLiteral("Le fichier a été modifié par un autre programme depuis son "
                                "ouverture. L'écraser ?"));
        QCOMPARE(TFichierTav(chemin).Note(1, 1, 1),
                 ecraser ? QStringLiteral("18") : QStringLiteral("7"));
        // Once saved, the next save does not ask again.
        if (ecraser) {
            feuille->Fichier().ModifierNote(1, 1, QStringLiteral("19"), 1);
            QVERIFY(feuille->Enregistrer());
            QCOMPARE(env.interlocuteur.DuGenre(QStringLiteral("question")).size(), 1);
        }
        feuille->Fichier().ModifierNote(1, 1, QStringLiteral("1"), 1);
        env.interlocuteur.reponseParDefaut = false;
    }
};

QTEST_MAIN(TestSurDisque)
#include "tst_surDisque.moc"
