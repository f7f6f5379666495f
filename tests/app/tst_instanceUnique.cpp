// One copy per user: a later start hands its files to the running copy, which opens them.
#include "soutien_gui.h"

#include "tavX_instanceUnique.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QMap>
#include <QProcess>
#include <QSignalSpy>
#include <QUuid>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString NomUnique() {
    return QDir::temp().filePath(QStringLiteral("tavelin-test-") +
                                 QUuid::createUuid().toString(QUuid::Id128).left(12));
}

// Sets environment variables for the time of a test, and puts them back.
class Environnement {
public:
    void Poser(const char* nom, const QByteArray& valeur) {
        if (!anciens.contains(nom))
            anciens.insert(nom, qEnvironmentVariableIsSet(nom) ? std::optional(qgetenv(nom))
                                                               : std::nullopt);
        if (valeur.isNull())
            qunsetenv(nom);
        else
            qputenv(nom, valeur);
    }
    ~Environnement() {
        for (auto i = anciens.cbegin(); i != anciens.cend(); ++i)
            if (i.value())
                qputenv(i.key().constData(), *i.value());
            else
                qunsetenv(i.key().constData());
    }

private:
    QMap<QByteArray, std::optional<QByteArray>> anciens;
};

constexpr uid_t AutreUtilisateur = 12345;

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

    void dossierPrive_data() {
        QTest::addColumn<QString>("cas");
        QTest::addColumn<bool>("prive");
        QTest::newRow("0700, à l'utilisateur") << "0700" << true;
        QTest::newRow("0755") << "0755" << false;
        QTest::newRow("0770") << "0770" << false;
        QTest::newRow("0711") << "0711" << false;
        QTest::newRow("lien vers un dossier privé") << "lien" << false;
        QTest::newRow("fichier") << "fichier" << false;
        QTest::newRow("absent") << "absent" << false;
        QTest::newRow("à un autre utilisateur") << "autre" << false;
    }

    // Only a real folder of the user's, that nobody else can reach, holds the socket.
    void dossierPrive() {
        QFETCH(QString, cas);
        QFETCH(bool, prive);
        QTemporaryDir ici;
        const QString dossier = ici.filePath(QStringLiteral("d"));
        const QByteArray d = QFile::encodeName(dossier);
        bool ok = true;
        if (cas == QLatin1String("lien")) {
            const QByteArray cible = QFile::encodeName(ici.filePath(QStringLiteral("vrai")));
            ok = ::mkdir(cible.constData(), 0700) == 0 && ::chmod(cible.constData(), 0700) == 0 &&
                 ::symlink(cible.constData(), d.constData()) == 0;
        } else if (cas == QLatin1String("fichier")) {
            QFile f(dossier);
            ok = f.open(QIODevice::WriteOnly) && f.setPermissions(QFileDevice::ReadOwner);
        } else if (cas != QLatin1String("absent")) {
            const mode_t mode = cas == QLatin1String("autre") ? 0700 : cas.toUInt(nullptr, 8);
            ok = ::mkdir(d.constData(), 0700) == 0 && ::chmod(d.constData(), mode) == 0;
            if (cas == QLatin1String("autre")) {
                if (::geteuid() != 0) QSKIP("changer le propriétaire d'un dossier demande root");
                ok = ok && ::chown(d.constData(), AutreUtilisateur, AutreUtilisateur) == 0;
            }
        }
        QVERIFY(ok);
        QCOMPARE(TInstanceUnique::DossierPrive(dossier), prive);
    }

    // Without a runtime folder the socket goes to "tavelin-<uid>" in the temporary folder, made
    // private; when someone else made that folder, or opened it, the program runs alone.
    void sansDossierPriveLaCopieResteSeule() {
        QTemporaryDir tmp;
        Environnement environnement;
        environnement.Poser("TAVELIN_INSTANCE", QByteArray());
        environnement.Poser("XDG_RUNTIME_DIR", QByteArray());
        environnement.Poser("TMPDIR", QFile::encodeName(tmp.path()));
        const QString dossier = tmp.filePath(QStringLiteral("tavelin-%1").arg(::getuid()));
        const QByteArray d = QFile::encodeName(dossier);
        QCOMPARE(TInstanceUnique::NomParDefaut(), dossier + QStringLiteral("/tavelin-2.x.socket"));
        QVERIFY(TInstanceUnique::DossierPrive(dossier));

        const QByteArray session = QFile::encodeName(tmp.filePath(QStringLiteral("session")));
        QCOMPARE(::mkdir(session.constData(), 0700), 0);
        QCOMPARE(::chmod(session.constData(), 0755), 0);
        environnement.Poser("XDG_RUNTIME_DIR", session);
        QCOMPARE(TInstanceUnique::NomParDefaut(), dossier + QStringLiteral("/tavelin-2.x.socket"));

        QCOMPARE(::chmod(d.constData(), 0777), 0);
        QCOMPARE(TInstanceUnique::NomParDefaut(), QString());
        if (::geteuid() == 0) {
            QCOMPARE(::chmod(d.constData(), 0700), 0);
            QCOMPARE(::chown(d.constData(), AutreUtilisateur, AutreUtilisateur), 0);
            QCOMPARE(TInstanceUnique::NomParDefaut(), QString());
        }
        TInstanceUnique seule(TInstanceUnique::NomParDefaut());
        QVERIFY(!seule.DemarrerOuTransmettre({QStringLiteral("/classes/6e A.tav")}));
        QVERIFY(!seule.EcouteEnCours());
    }

    // A socket that another user put under the name receives nothing and is left alone.
    void socketDUnAutreUtilisateurIgnoree() {
        if (::geteuid() != 0) QSKIP("changer le propriétaire d'une socket demande root");
        const QString nom = NomUnique();
        QLocalServer intrus;
        QVERIFY(intrus.listen(nom));
        QCOMPARE(::chown(QFile::encodeName(nom).constData(), AutreUtilisateur, AutreUtilisateur),
                 0);
        TInstanceUnique copie(nom);
        QVERIFY(!copie.DemarrerOuTransmettre({QStringLiteral("/classes/6e A.tav")}));
        QVERIFY(!copie.EcouteEnCours());
        QVERIFY(!intrus.waitForNewConnection(200));
        QVERIFY(QFileInfo(nom).exists());
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
