// One copy per user: a later start hands its files to the running copy, which opens them.
#include "soutien_gui.h"

#include "tavX_instanceUnique.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QUuid>

namespace {

QString NomUnique() {
    return QDir::temp().filePath(QStringLiteral("tavelin-test-") +
                                 QUuid::createUuid().toString(QUuid::Id128).left(12));
}

} // namespace

class TestInstanceUnique : public QObject {
    Q_OBJECT

    std::unique_ptr<TEnvironnementGui> env;

private slots:
    void init() { env = std::make_unique<TEnvironnementGui>(); }
    void cleanup() { env.reset(); }

    void premiereCopieEcouteLaSuivanteTransmet() {
        const QString nom = NomUnique();
        TInstanceUnique premiere(nom);
        QVERIFY(!premiere.DemarrerOuTransmettre({}));
        QVERIFY(premiere.EcouteEnCours());
        QSignalSpy recus(&premiere, &TInstanceUnique::fichiersRecus);

        TInstanceUnique seconde(nom);
        const QStringList fichiers = {QStringLiteral("/classes/6e A.tav"),
                                      QStringLiteral("/classes/ligne\nbizarre.tav")};
        QVERIFY(seconde.DemarrerOuTransmettre(fichiers));
        QVERIFY(!seconde.EcouteEnCours());
        QTRY_COMPARE(recus.size(), 1);
        QCOMPARE(recus.first().first().toStringList(), fichiers);
    }

    void socketAbandonneeEstReprise() {
        const QString nom = NomUnique();
        {
            // A copy that ended without closing its socket leaves the file behind.
            QLocalServer ancien;
            QVERIFY(ancien.listen(nom));
            ancien.close();
            QFile fantome(nom);
            if (!fantome.exists()) {
                QVERIFY(fantome.open(QIODevice::WriteOnly));
                fantome.close();
            }
        }
        TInstanceUnique copie(nom);
        QVERIFY(!copie.DemarrerOuTransmettre({}));
        QVERIFY(copie.EcouteEnCours());
    }

    void paquetIllisibleEstIgnore() {
        const QString nom = NomUnique();
        TInstanceUnique copie(nom);
        QVERIFY(copie.Ecouter());
        QSignalSpy recus(&copie, &TInstanceUnique::fichiersRecus);
        QLocalSocket intrus;
        intrus.connectToServer(nom);
        QVERIFY(intrus.waitForConnected(1000));
        intrus.write("GET / HTTP/1.0\r\n\r\n");
        intrus.waitForBytesWritten(1000);
        intrus.disconnectFromServer();
        QTest::qWait(50);
        QCOMPARE(recus.size(), 0);
    }

    void laFenetreOuvreLesFichiersRecus() {
        const QString a =
            EcrireClasse(env->Chemin(QStringLiteral("a.tav")), QStringLiteral("A"), 1);
        const QString b =
            EcrireClasse(env->Chemin(QStringLiteral("b.tav")), QStringLiteral("B"), 1);
        const QString nom = NomUnique();
        TInstanceUnique premiere(nom);
        QVERIFY(premiere.Ecouter());
        auto fenetre = FenetrePrete();
        connect(&premiere, &TInstanceUnique::fichiersRecus, fenetre.get(),
                &TFormTavelin2::RecevoirFichiers);
        fenetre->OuvrirOuMontrer(a);
        fenetre->showMinimized();

        TInstanceUnique seconde(nom);
        QVERIFY(seconde.DemarrerOuTransmettre({b, a, env->Chemin(QStringLiteral("absent.tav"))}));
        QTRY_COMPARE(fenetre->Feuilles().size(), 2);
        // "a" was open already: it comes to the front again, not twice.
        QCOMPARE(fenetre->FeuilleActive()->NomClasse(), QStringLiteral("A"));
        QVERIFY(!fenetre->isMinimized());
    }

    void unSecondLancementDuProgrammeRemetSesFichiers() {
        const QString programme = QStringLiteral(TAV_BIN_DIR "/tavelin");
        if (!QFileInfo::exists(programme)) QSKIP("the program is not built");
        const QString a =
            EcrireClasse(env->Chemin(QStringLiteral("a.tav")), QStringLiteral("A"), 1);
        const QString nom = NomUnique();
        TInstanceUnique premiere(nom);
        QVERIFY(premiere.Ecouter());
        QSignalSpy recus(&premiere, &TInstanceUnique::fichiersRecus);

        QProcess seconde;
        QProcessEnvironment environnement = QProcessEnvironment::systemEnvironment();
        environnement.insert(QStringLiteral("TAVELIN_INSTANCE"), nom);
        environnement.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environnement.insert(QStringLiteral("XDG_CONFIG_HOME"),
                             env->Chemin(QStringLiteral("config")));
        seconde.setProcessEnvironment(environnement);
        seconde.setWorkingDirectory(env->dossier.path());
        seconde.start(programme, {QStringLiteral("a.tav")});
        QVERIFY(seconde.waitForStarted());
        QTRY_COMPARE_WITH_TIMEOUT(recus.size(), 1, 20000);
        QCOMPARE(recus.first().first().toStringList(), QStringList{a});
        QVERIFY(seconde.state() == QProcess::NotRunning || seconde.waitForFinished(20000));
        QCOMPARE(seconde.exitStatus(), QProcess::NormalExit);
        QCOMPARE(seconde.exitCode(), 0);
    }
};

QTEST_MAIN(TestInstanceUnique)
#include "tst_instanceUnique.moc"
