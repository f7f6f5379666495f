// The update check against an HTTP server of the test on 127.0.0.1: what counts as a newer
// version, what the version document may look like, the second address, redirects, a server
// that never answers and one that sends far too much; then the start-up windows.
#include "../app/soutien_gui.h"
#include "_FormNouvelleVersionDisponible.h"
#include "_FormOptions.h"
#include "tavX_autoupdate.h"
#include "tavX_programme.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

using MiseAJour::TVerificationMiseAJour;

namespace {

// A tiny HTTP/1.1 server: each path answers a fixed response; "silence" keeps the connection
// open without a word.
class TServeurHttp : public QTcpServer {
public:
    QMap<QByteArray, QByteArray> reponses;
    QList<QByteArray> demandes;

    TServeurHttp() {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = nextPendingConnection()) {
                connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
                connect(s, &QTcpSocket::readyRead, s, [this, s] {
                    QByteArray& tampon = tampons[s];
                    tampon += s->readAll();
                    if (!tampon.contains("\r\n\r\n")) return;
                    const QByteArray chemin = tampon.split(' ').value(1);
                    tampon.clear();
                    demandes.append(chemin);
                    const QByteArray reponse = reponses.value(
                        chemin, "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n");
                    if (reponse == "silence") return;
                    if (reponse == "goutte") {
                        // The headers, then one byte of the body every 500 ms, never the end:
                        // the transfer never stalls long enough for its own time-out.
                        s->write("HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\nLatestVersion=");
                        auto* goutte = new QTimer(s);
                        connect(goutte, &QTimer::timeout, s, [s] { s->write("9"); });
                        goutte->start(500);
                        return;
                    }
                    s->write(reponse);
                    s->disconnectFromHost();
                });
            }
        });
    }
    QString Adresse(const QByteArray& chemin) const {
        return QStringLiteral("http://127.0.0.1:%1%2")
            .arg(serverPort())
            .arg(QString::fromLatin1(chemin));
    }
    static QByteArray Ok(const QByteArray& corps) {
        return "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nConnection: "
               "close\r\nContent-Length: " +
               QByteArray::number(corps.size()) + "\r\n\r\n" + corps;
    }
    static QByteArray Redirection(const QByteArray& vers) {
        return "HTTP/1.1 302 Found\r\nLocation: " + vers +
               "\r\nConnection: close\r\nContent-Length: 0\r\n\r\n";
    }

private:
    QHash<QTcpSocket*, QByteArray> tampons;
};

// Counts the turns of the event loop while a check runs: the window stays responsive.
struct TBattement {
    int tours = 0;
    QTimer minuteur;
    QElapsedTimer chrono;
    TBattement() {
        QObject::connect(&minuteur, &QTimer::timeout, [this] { ++tours; });
        minuteur.start(20);
        chrono.start();
    }
};

} // namespace

class TestMiseAJour : public QObject {
    Q_OBJECT
    TEnvironnementGui env;
    TServeurHttp serveur;

private slots:
    void initTestCase() {
        QVERIFY(serveur.listen(QHostAddress::LocalHost));
        const auto ok = &TServeurHttp::Ok;
        serveur.reponses["/egale"] = ok("LatestVersion=2.9.0\r\nNewVersionInfo=rien\r\n");
        serveur.reponses["/bom"] = ok(
            "\xEF\xBB\xBF  latestversion = 2.10 \r\nNewVersionInfo =  Nouveautés : bulletins \r\n");
        serveur.reponses["/cr"] = ok("UpdateURL=x\rLatestVersion=3\rNewVersionInfo=Trois\r");
        serveur.reponses["/sansVersion"] = ok("UpdateURL=http://ailleurs/\nNewVersionInfo=x\n");
        serveur.reponses["/vide"] = ok("");
        serveur.reponses["/ancienne"] = ok("LatestVersion=2.8.5\nNewVersionInfo=x\n");
        serveur.reponses["/portail"] = ok("<html><body>Connectez-vous au wifi</body></html>");
        serveur.reponses["/seconde"] =
            ok("LatestVersion=3.0\nNewVersionInfo= \t \nNewVersionInfoURL=" +
               serveur.Adresse("/info").toLatin1() + "\n");
        serveur.reponses["/info"] = ok("<b>Gras</b>\nDeuxième ligne");
        serveur.reponses["/secondeAbsente"] = ok(
            "LatestVersion=3.0\nNewVersionInfoURL=" + serveur.Adresse("/x%2Fy").toLatin1() + "\n");
        serveur.reponses["/secondeFichier"] =
            ok("LatestVersion=3.0\nNewVersionInfoURL=file:///etc/passwd\n");
        serveur.reponses["/redirection"] = TServeurHttp::Redirection("/bom");
        serveur.reponses["/versFichier"] = TServeurHttp::Redirection("file:///etc/passwd");
        serveur.reponses["/muet"] = "silence";
        serveur.reponses["/goutte"] = "goutte";
        serveur.reponses["/enorme"] =
            ok("LatestVersion=3.0\nNewVersionInfo=Grosse\n" + QByteArray(10 * 1024 * 1024, 'x'));
    }

    void verification_data() {
        QTest::addColumn<QByteArray>("chemin");
        QTest::addColumn<bool>("reussi");
        QTest::addColumn<bool>("miseAJour");
        QTest::addColumn<QString>("description"); // %1: the server's address
        QTest::newRow("même version") << QByteArray("/egale") << true << false << "rien";
        QTest::newRow("BOM, CRLF, blancs, 2.10 > 2.9")
            << QByteArray("/bom") << true << true << "Nouveautés : bulletins";
        QTest::newRow("fins de ligne CR") << QByteArray("/cr") << true << true << "Trois";
        QTest::newRow("sans version") << QByteArray("/sansVersion") << true << false << "x";
        QTest::newRow("réponse vide") << QByteArray("/vide") << true << false << "";
        QTest::newRow("version plus ancienne") << QByteArray("/ancienne") << true << false << "x";
        QTest::newRow("portail captif") << QByteArray("/portail") << true << false << "";
        QTest::newRow("seconde adresse")
            << QByteArray("/seconde") << true << true << "<b>Gras</b>\nDeuxième ligne";
        QTest::newRow("seconde adresse absente")
            << QByteArray("/secondeAbsente") << true << true
            << "Impossible de lire les informations sur la nouvelle version à l'adresse "
               "\"%1/x%2Fy\".\nException ContentNotFoundError: \"";
        QTest::newRow("seconde adresse file:")
            << QByteArray("/secondeFichier") << true << true
            << "Impossible de lire les informations sur la nouvelle version à l'adresse "
               "\"file:///etc/passwd\".\nException ProtocolUnknownError: \"";
        QTest::newRow("redirection suivie")
            << QByteArray("/redirection") << true << true << "Nouveautés : bulletins";
        QTest::newRow("redirection vers file:")
            << QByteArray("/versFichier") << false << false << "";
        QTest::newRow("erreur 404") << QByteArray("/absent") << false << false << "";
        QTest::newRow("corps de 10 Mo coupé") << QByteArray("/enorme") << true << true << "Grosse";
        QTest::newRow("serveur muet") << QByteArray("/muet") << false << false << "";
    }
    void verification() {
        QFETCH(QByteArray, chemin);
        QFETCH(bool, reussi);
        QFETCH(bool, miseAJour);
        QFETCH(QString, description);
        TVerificationMiseAJour verification;
        QSignalSpy fin(&verification, &TVerificationMiseAJour::terminee);
        TBattement battement;
        verification.Lancer(QUrl(serveur.Adresse(chemin)), QStringLiteral("2.9"));
        QVERIFY(verification.EnCours());
        QVERIFY(fin.wait(MiseAJour::DelaiTotalMs + 2000));
        QCOMPARE(fin.size(), 1);
        if (battement.chrono.elapsed() > 500) QVERIFY(battement.tours > 0);
        QVERIFY(battement.chrono.elapsed() < MiseAJour::DelaiTotalMs + 1000);
        const auto r = fin.at(0).at(0).value<TVerificationMiseAJour::TResultat>();
        QCOMPARE(r.reussi, reussi);
        QCOMPARE(r.miseAJour, miseAJour);
        if (!reussi) QVERIFY(!r.erreur.isEmpty());
        const QString attendue =
            description.contains(QLatin1String("%1"))
                ? QString(description).replace(QLatin1String("%1"), serveur.Adresse(""))
                : description;
        if (attendue.endsWith(QLatin1Char('"')))
            QVERIFY2(r.description.startsWith(attendue), qPrintable(r.description));
        else
            QCOMPARE(r.description, attendue);
    }

    // A server that keeps sending a byte now and then: the whole check still ends at its overall
    // limit, with the event loop turning all along.
    void limiteTotale() {
        TVerificationMiseAJour verification;
        QSignalSpy fin(&verification, &TVerificationMiseAJour::terminee);
        TBattement battement;
        verification.Lancer(QUrl(serveur.Adresse("/goutte")), QStringLiteral("2.9"));
        QVERIFY(fin.wait(MiseAJour::DelaiTotalMs + 3000));
        const qint64 duree = battement.chrono.elapsed();
        // Not the transfer's own time-out; a coarse timer may fire a little early.
        QVERIFY2(duree >= MiseAJour::DelaiTotalMs * 9 / 10, qPrintable(QString::number(duree)));
        QVERIFY2(duree < MiseAJour::DelaiTotalMs + 1500, qPrintable(QString::number(duree)));
        QVERIFY(battement.tours > MiseAJour::DelaiTotalMs / 20 / 4);
        const auto r = fin.at(0).at(0).value<TVerificationMiseAJour::TResultat>();
        QVERIFY(!r.reussi);
        QVERIFY(!r.miseAJour);
        QVERIFY2(r.erreur.contains(QLatin1String("10 secondes")), qPrintable(r.erreur));
        QTest::qWait(100);
        QCOMPARE(fin.size(), 1);
    }

    // The start-up: an unreachable server shows the internet error once and nothing else; a
    // newer version shows its window, as plain text, and the box there turns the check off.
    void demarrage() {
        auto parent = std::make_unique<QWidget>();
        QPointer<TVerificationMiseAJour> v =
            MiseAJour::VerifierMiseAJour(parent.get(), QUrl(serveur.Adresse("/absent")));
        QTRY_VERIFY_WITH_TIMEOUT(v.isNull(), 5000);
        const auto messages = env.interlocuteur.DuGenre(QStringLiteral("message"));
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages.at(0).texte.startsWith(
            QStringLiteral("Impossible d'accèder à internet pour vérifier")));
        QCOMPARE(messages.at(0).icone, TIcone::Erreur);
        env.interlocuteur.Vider();

        Options::ModifierRappelMiseAJourDisponible(true);
        QString texte;
        bool coche = true;
        QTimer sonde;
        connect(&sonde, &QTimer::timeout, this, [&] {
            auto* f =
                qobject_cast<TFormNouvelleVersionDisponible*>(QApplication::activeModalWidget());
            if (!f) return;
            sonde.stop();
            texte = f->Memo()->toPlainText();
            coche = f->Case()->isChecked();
            f->Case()->click();
            f->Case()->click();
            f->Case()->click();
            f->accept();
        });
        sonde.start(20);
        v = MiseAJour::VerifierMiseAJour(parent.get(), QUrl(serveur.Adresse("/seconde")));
        QTRY_VERIFY_WITH_TIMEOUT(v.isNull(), 5000);
        QCOMPARE(texte, QStringLiteral("<b>Gras</b>\nDeuxième ligne"));
        QVERIFY(!coche);
        QVERIFY(!Options::RappelMiseAJourDisponible());
        QVERIFY(env.interlocuteur.DuGenre(QStringLiteral("message")).isEmpty());
    }

    // The options dialog greys the setting of a program built without the check's address.
    void optionGrisee() {
        TFormOptions options(nullptr);
        auto* boite = options.findChild<QCheckBox*>(QStringLiteral("CaseMiseAJour"));
        QVERIFY(boite);
        QCOMPARE(boite->isEnabled(), !Programme::AdresseMiseAJour().isEmpty());
    }
};

QTEST_MAIN(TestMiseAJour)
#include "tst_miseAJour.moc"
