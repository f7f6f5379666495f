// The export plug-ins: discovery of the libraries built for the tests, the export window, and
// the CSV plug-in that ships with the program.
#include "../app/soutien_gui.h"
#include "_FormExportation.h"
#include "tavX_hoteExport.h"

#include <QFile>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QtTest>

namespace {
const QString Greffons = QStringLiteral(TAV_BIN_DIR "/../tests/greffons");
const QString Livres = QStringLiteral(TAV_BIN_DIR "/export");
} // namespace

class TestExportation : public QObject {
    Q_OBJECT

    TEnvironnementGui env;

    QString Lire(const QString& chemin) {
        QFile f(chemin);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }

private slots:
    void init() { env.interlocuteur.Vider(); }
    void cleanup() { Outils::DefinirDossiersExport({}); }

    // Only valid plug-ins of interface 1 identified as "Tavelin" give formats; descriptions are
    // copied, NULL as empty, cut at 255; the current folder never changes.
    void decouverte() {
        const QString courant = QDir::currentPath();
        const auto formats = Outils::DecouvrirFormats({Greffons, env.Chemin("absent")});
        QCOMPARE(QDir::currentPath(), courant);
        QCOMPARE(formats.size(), 4);
        QCOMPARE(formats.at(0).description, QString(255, QLatin1Char('x')));
        QCOMPARE(formats.at(1).description, QString());
        QCOMPARE(formats.at(2).description, QStringLiteral("Test annulé"));
        QCOMPARE(formats.at(2).numero, 3);
        QVERIFY(formats.at(3).bibliotheque.endsWith(QStringLiteral("/e_sans_exporter.so")));
        QVERIFY(QFileInfo(formats.at(0).bibliotheque).isAbsolute());
        QVERIFY(Outils::InformationsFormat(formats.at(3))
                    .contains(QStringLiteral("Copyright : \r\n\r\nVersion : 0.1")));
        QVERIFY(Outils::InformationsFormat(formats.at(0))
                    .contains(QStringLiteral("Description : Format de test")));
        QCOMPARE(Outils::TexteGreffon(nullptr), QString());
    }

    // The window: buttons follow the selection; the three return codes and the plug-in without
    // "exporter".
    void fenetre_data() {
        QTest::addColumn<int>("ligne");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("fichier");
        QTest::newRow("fait") << 0 << QString() << true;
        QTest::newRow("echec") << 1 << "Erreur dans l'exportation." << false;
        QTest::newRow("annule") << 2 << QString() << false;
        QTest::newRow("defectueuse")
            << 3 << "Impossible d'exporter. La dll est défectueuse !" << false;
    }
    void fenetre() {
        QFETCH(int, ligne);
        QFETCH(QString, message);
        QFETCH(bool, fichier);
        Outils::DefinirDossiersExport({Greffons});
        const TFichierTav classe(EcrireClasse(env.Chemin("c.tav"), "3e A", 2, {1}), true);
        TFormExportation f(nullptr, classe, QPixmap());
        QCOMPARE(f.ListBoxPetiteDescription()->count(), 4);
        QVERIFY(!f.BoutonExporter()->isEnabled() && !f.BoutonInformations()->isEnabled());
        f.ListBoxPetiteDescription()->setCurrentRow(ligne);
        QVERIFY(f.BoutonExporter()->isEnabled() && f.BoutonInformations()->isEnabled());
        const QString sortie = env.Chemin(QStringLiteral("sortie%1.txt").arg(ligne));
        env.interlocuteur.aEnregistrer = {sortie};
        QTest::mouseClick(f.BoutonExporter(), Qt::LeftButton);
        const auto messages = env.interlocuteur.DuGenre("message");
        QCOMPARE(messages.isEmpty() ? QString() : messages.last().texte, message);
        QCOMPARE(QFileInfo::exists(sortie), fichier);
        if (fichier) {
            const int mode = Options::ArrondirMoyennes();
            QCOMPARE(Lire(sortie), QStringLiteral("3e A|Premier trimestre\nElève 01;2;") +
                                       classe.MoyenneBulletin(1, 1, mode) +
                                       QStringLiteral("\nElève 02;3;") +
                                       classe.MoyenneBulletin(1, 2, mode) + QStringLiteral("\n"));
        }
    }

    // The plug-ins of the program. CSV: numbers with the format's decimal separator, texts that
    // could be formulas kept as texts, separators quoted, a byte order mark. ODS: numbers as number
    // cells, other texts as string cells, "mimetype" first and stored. HTML: texts escaped.
    void formats_data() {
        QTest::addColumn<QString>("bibliotheque");
        QTest::addColumn<int>("numero");
        QTest::addColumn<QStringList>("attendus");
        QTest::newRow("csv français")
            << "tavexport_csv" << 1
            << QStringList{"\xEF\xBB\xBF", "\r\nElève 01;12,5;\"'=x\";\"a;b\";abs;<b>;-1,5;"};
        QTest::newRow("csv international")
            << "tavexport_csv" << 2
            << QStringList{"\xEF\xBB\xBF", "\r\nElève 01,12.5,\"'=x\",a;b,abs,<b>,-1.5,"};
        QTest::newRow("ods") << "tavexport_ods" << 1
                             << QStringList{
                                    "PK\x03\x04",
                                    "mimetypeapplication/vnd.oasis.opendocument.spreadsheet",
                                    "office:value=\"12.5\"><text:p>12,5</text:p>",
                                    "office:value=\"-1.5\"><text:p>-1,5</text:p>",
                                    "\"string\"><text:p>=x</text:p>",
                                    "\"string\"><text:p>&lt;b&gt;</text:p>",
                                    "table:name=\"Année\""};
        QTest::newRow("html") << "tavexport_html" << 1
                              << QStringList{"<td class=\"n\">=x</td>",
                                             "<td class=\"n\">&lt;b&gt;</td>", "<h2>Année</h2>"};
    }
    void formats() {
        QFETCH(QString, bibliotheque);
        QFETCH(int, numero);
        QFETCH(QStringList, attendus);
        TFichierTav classe;
        classe.InitialiserClasse(QStringLiteral("Trimestres"),
                                 QStringLiteral("Bulletins par défaut"));
        classe.ModifierClasse(QStringLiteral("3e A"));
        classe.AjouterEleve(QStringLiteral("Elève 01"), QString(), false);
        for (const char* note : {"12,5", "=x", "a;b", "abs", "<b>"}) {
            classe.AjouterSerie(1, QStringLiteral("DS"), false, "Contrôle", "", "", "oui", "1",
                                "20");
            classe.ModifierNote(1, classe.NombreSeries(1), QString::fromUtf8(note), 1);
        }
        classe.ModifierPointsPlusMoins(1, 1, QStringLiteral("-1,5"));
        const Outils::TFormatExport format{Livres + "/" + bibliotheque + ".so", numero, QString()};
        const QString sortie = env.Chemin(bibliotheque + QString::number(numero));
        Outils::TServicesExport services;
        services.demanderFichier = [&](const QString&, const QString&, const QString&,
                                       const QString&) { return sortie; };
        QCOMPARE(Outils::Exporter(format, classe, services), Outils::TResultatExport::Fait);
        QFile f(sortie);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray octets = f.readAll();
        for (const QString& attendu : attendus)
            QVERIFY2(octets.contains(attendu.toUtf8()), qPrintable(attendu));
    }

    // A real spreadsheet reads the example class exported as ODS and as French CSV: LibreOffice
    // converts both without error, and the first student's marks and average read back equal.
    void tableur_data() {
        QTest::addColumn<QString>("bibliotheque");
        QTest::addColumn<int>("numero");
        QTest::addColumn<QString>("filtre");
        QTest::newRow("ods") << "tavexport_ods" << 1 << QString();
        QTest::newRow("csv") << "tavexport_csv" << 1 << "CSV:59,34,76,1,,1036";
    }
    void tableur() {
        QFETCH(QString, bibliotheque);
        QFETCH(int, numero);
        QFETCH(QString, filtre);
        const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
        if (soffice.isEmpty()) QSKIP("LibreOffice n'est pas installé");
        const TFichierTav classe(QStringLiteral(TAV_SOURCE_DIR "/examples/4e_B_mathematiques.tav"),
                                 true);
        QDir dossier(env.Chemin(QStringLiteral("tableur-") + bibliotheque));
        QVERIFY(dossier.mkpath(QStringLiteral(".")));
        const QString sortie =
            dossier.filePath(bibliotheque.endsWith("ods") ? "classe.ods" : "classe.csv");
        Outils::TServicesExport services;
        services.demanderFichier = [&](const QString&, const QString&, const QString&,
                                       const QString&) { return sortie; };
        const Outils::TFormatExport format{Livres + "/" + bibliotheque + ".so", numero, QString()};
        QCOMPARE(Outils::Exporter(format, classe, services), Outils::TResultatExport::Fait);
        QProcess lo;
        lo.setWorkingDirectory(dossier.path());
        QStringList args{"--headless",
                         "-env:UserInstallation=file://" + dossier.filePath("profil")};
        if (!filtre.isEmpty()) args << "--infilter=" + filtre;
        args << "--convert-to"
             << "csv:Text - txt - csv (StarCalc):44,34,76,1,,1033,false,true,false,false,false,-1"
             << "--outdir" << dossier.filePath("lu") << sortie;
        lo.start(soffice, args);
        QVERIFY(lo.waitForFinished(240000));
        QCOMPARE(lo.exitCode(), 0);
        // The first period's sheet (ODS) or the only one (CSV).
        QStringList lus =
            QDir(dossier.filePath("lu")).entryList({"*.csv"}, QDir::Files, QDir::Name);
        QVERIFY(!lus.isEmpty());
        QString texte;
        for (const QString& nom : lus)
            if (nom.contains(QStringLiteral("Premier")) || lus.size() == 1)
                texte = Lire(dossier.filePath("lu/" + nom));
        QString attendu = classe.NomEleve(1);
        for (int j = 1; j <= classe.NombreSeries(1); ++j)
            attendu += "," + classe.Note(1, j, 1).replace(',', '.');
        QString moyenne = classe.MoyenneBulletin(1, 1, Options::ArrondirMoyennes());
        QStringList ligne;
        for (const QString& l : texte.split('\n'))
            if (l.startsWith(attendu + ",")) ligne = l.split(',');
        QVERIFY2(!ligne.isEmpty(), qPrintable(attendu + "\n" + texte.left(2000)));
        QCOMPARE(ligne.value(classe.NombreSeries(1) + 2).toDouble(),
                 moyenne.replace(',', '.').toDouble());
    }
};

QTEST_MAIN(TestExportation)
#include "tst_exportation.moc"
