// The installable package: the desktop entry, the ".tav" file type and the icon agree with each
// other; the Debian package built from this build carries every piece, computes its
// dependencies, and, unpacked anywhere, its command-line program finds its export plug-ins.
#include <QDir>
#include <QFile>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString Source = QStringLiteral(TAV_SOURCE_DIR "/packaging/");

QString Lancer(const QString& programme, const QStringList& arguments, int* code = nullptr,
               const QString& dossier = QString()) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    if (!dossier.isEmpty()) p.setWorkingDirectory(dossier);
    p.start(programme, arguments);
    p.waitForFinished(240000);
    if (code) *code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return QString::fromUtf8(p.readAll());
}

} // namespace

class TestPaquet : public QObject {
    Q_OBJECT
    QTemporaryDir donnees;

private slots:
    void initTestCase() {
        // The file type as the desktop would read it: our mime/packages folder first.
        QVERIFY(QDir(donnees.path()).mkpath(QStringLiteral("mime/packages")));
        QVERIFY(QFile::copy(Source + QStringLiteral("tavelin.xml"),
                            donnees.filePath(QStringLiteral("mime/packages/tavelin.xml"))));
        qputenv("XDG_DATA_DIRS", (donnees.path() + QStringLiteral(":/usr/share")).toLocal8Bit());
    }

    // A class file is recognised by its extension, and by its content under any name; another
    // file named ".tav" is not taken for one by its content.
    void typeDeFichier() {
        QFile exemple(QStringLiteral(TAV_SOURCE_DIR "/examples/4e_B_mathematiques.tav"));
        QVERIFY(exemple.open(QIODevice::ReadOnly));
        const QByteArray classe = exemple.read(512);
        QMimeDatabase base;
        QCOMPARE(base.mimeTypeForFile(QStringLiteral("x/4e B.tav"), QMimeDatabase::MatchExtension)
                     .name(),
                 QStringLiteral("application/x-tavelin"));
        QCOMPARE(base.mimeTypeForData(classe).name(), QStringLiteral("application/x-tavelin"));
        QVERIFY(base.mimeTypeForData(QByteArray("\x06Tavelin", 8)).name() !=
                QStringLiteral("application/x-tavelin"));
        const QMimeType type = base.mimeTypeForName(QStringLiteral("application/x-tavelin"));
        QVERIFY(type.isValid());
        QCOMPARE(type.iconName(), QStringLiteral("tavelin"));
    }

    // The menu entry opens the files given by the file manager, with the installed icon.
    void entreeDeBureau() {
        QFile fichier(Source + QStringLiteral("tavelin.desktop"));
        QVERIFY(fichier.open(QIODevice::ReadOnly | QIODevice::Text));
        QMap<QString, QString> cles;
        for (const QByteArray& ligne : fichier.readAll().split('\n')) {
            const qsizetype egal = ligne.indexOf('=');
            if (egal > 0)
                cles.insert(QString::fromUtf8(ligne.left(egal)),
                            QString::fromUtf8(ligne.mid(egal + 1)));
        }
        QCOMPARE(cles.value(QStringLiteral("Exec")), QStringLiteral("tavelin %F"));
        QCOMPARE(cles.value(QStringLiteral("MimeType")), QStringLiteral("application/x-tavelin;"));
        QVERIFY(
            QFile::exists(Source + cles.value(QStringLiteral("Icon")) + QStringLiteral(".svg")));
        const QString valider =
            QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
        if (!valider.isEmpty()) {
            int code = 0;
            const QString sortie = Lancer(valider, {fichier.fileName()}, &code);
            QVERIFY2(code == 0 && sortie.trimmed().isEmpty(), qPrintable(sortie));
        }
    }

    void paquetDebian() {
        for (const char* outil : {"dpkg-deb", "dpkg-shlibdeps", "file"})
            if (QStandardPaths::findExecutable(QString::fromLatin1(outil)).isEmpty())
                QSKIP(qPrintable(QStringLiteral("%1 manque : pas de paquet Debian ici")
                                     .arg(QLatin1String(outil))));
        QTemporaryDir sortie;
        int code = 0;
        const QString journal =
            Lancer(QStringLiteral(TAV_CPACK),
                   {QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("--config"),
                    QStringLiteral(TAV_BUILD_DIR "/CPackConfig.cmake"), QStringLiteral("-B"),
                    sortie.path()},
                   &code, sortie.path());
        QVERIFY2(code == 0, qPrintable(journal));
        const QStringList paquets =
            QDir(sortie.path()).entryList({QStringLiteral("tavelin_*.deb")});
        QCOMPARE(paquets.size(), 1);
        const QString paquet = sortie.filePath(paquets.first());

        const QString contenu = Lancer(QStringLiteral("dpkg-deb"), {QStringLiteral("-c"), paquet});
        for (const QString& attendu :
             {QStringLiteral("./usr/bin/tavelin\n"), QStringLiteral("./usr/bin/tavelin-cli\n"),
              QStringLiteral("/tavelin/export/tavexport_csv.so\n"),
              QStringLiteral("/tavelin/export/tavexport_ods.so\n"),
              QStringLiteral("/tavelin/export/tavexport_html.so\n"),
              QStringLiteral("./usr/share/applications/tavelin.desktop\n"),
              QStringLiteral("./usr/share/icons/hicolor/scalable/apps/tavelin.svg\n"),
              QStringLiteral("./usr/share/mime/packages/tavelin.xml\n"),
              QStringLiteral("./usr/share/tavelin/aide/index.html\n"),
              QStringLiteral("./usr/share/tavelin/lisezmoi.txt\n"),
              QStringLiteral("./usr/share/tavelin/translations/qtbase_fr.qm\n"),
              QStringLiteral("./usr/share/doc/tavelin/copyright\n")})
            QVERIFY2(contenu.contains(attendu),
                     qPrintable(attendu + QStringLiteral(" manque dans\n") + contenu));
        QVERIFY2(!contenu.contains(QStringLiteral("tst_")) &&
                     !contenu.contains(QStringLiteral("bench")),
                 qPrintable(contenu));

        // dpkg-shlibdeps found the Qt libraries the programs link.
        const QString dependances = Lancer(
            QStringLiteral("dpkg-deb"), {QStringLiteral("-f"), paquet, QStringLiteral("Depends")});
        for (const QString& bibliotheque :
             {QStringLiteral("libqt6widgets6"), QStringLiteral("libqt6core6"),
              QStringLiteral("libc6"), QStringLiteral("qt6-qpa-plugins")})
            QVERIFY2(dependances.contains(bibliotheque), qPrintable(dependances));

        // Unpacked under another prefix, the command-line program finds the package's plug-ins.
        QTemporaryDir racine;
        Lancer(QStringLiteral("dpkg-deb"), {QStringLiteral("-x"), paquet, racine.path()}, &code);
        QCOMPARE(code, 0);
        const QString formats =
            Lancer(racine.filePath(QStringLiteral("usr/bin/tavelin-cli")),
                   {QStringLiteral("export"), QStringLiteral("--formats")}, &code);
        QCOMPARE(code, 0);
        for (const char* greffon : {"tavexport_csv.so", "tavexport_ods.so", "tavexport_html.so"})
            QVERIFY2(formats.contains(QLatin1String(greffon)), qPrintable(formats));
    }
};

QTEST_GUILESS_MAIN(TestPaquet)
#include "tst_paquet.moc"
