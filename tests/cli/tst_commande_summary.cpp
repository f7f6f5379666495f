// "tavelin-cli summary" run as a separate process: the summary grid of a view, cell by cell.
#include "lancer_cli.h"
#include "tavX_bilan.h"
#include "tavX_fichierTav.h"
#include "tavX_globales.h"
#include "tavX_options.h"
#include "tavtest_ecrivain.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

class TestCommandeSummary : public QObject {
    Q_OBJECT

    QTemporaryDir dossier;
    QString fichier;

    QString Configuration() const { return dossier.filePath(QStringLiteral("config")); }

    std::pair<int, QByteArray> Lancer(const QStringList& args) {
        const TavTestCli::TResultat r = TavTestCli::Lancer(dossier, QStringList{"summary"} + args);
        return {r.code, r.sortie};
    }

private slots:
    void initTestCase() {
        if (!QFile::exists(QStringLiteral(TAV_BIN_DIR "/tavelin-cli")))
            QSKIP("tavelin-cli n'est pas construit");
        fichier = dossier.filePath(QStringLiteral("classe.tav"));
        QVERIFY(TavTest::EcrireFichier(fichier, TavTest::FichierActuel(TavTest::ClasseExemple())));
        // The user's own settings show everything: the command ignores them for its switches.
        DefinirFichierReglages(
            QDir(Configuration()).filePath(QStringLiteral("Tavelin/Tavelin 2.x.ini")));
        Options::ModifierMoyenneParTypeDeNotes(true);
        Options::ModifierMoyennesEcritEtOral(true);
        Options::ModifierTrierMoyennes(1);
        Options::ModifierAfficherR(true);
        Options::ModifierArrondirMoyennes(1);
    }
    void cleanupTestCase() { DefinirFichierReglages(QString()); }

    void vues_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("vue");
        QTest::addColumn<bool>("parType");
        QTest::addColumn<bool>("ecritOral");
        QTest::addColumn<bool>("descendant");
        QTest::addColumn<int>("sur");
        QTest::newRow("période sans option")
            << QStringList{"--periode", "1"} << 1 << false << false << false << 20;
        QTest::newRow("période, tout") << QStringList{"--periode=3",  "--par-type", "--ecrit-oral",
                                                      "--descendant", "--sur",      "10"}
                                       << 3 << true << true << true << 10;
        QTest::newRow("année") << QStringList{"--annee", "--ecrit-oral", "--arrondi", "0"} << 4
                               << false << true << false << 20;
    }
    void vues() {
        QFETCH(QStringList, args);
        QFETCH(int, vue);
        QFETCH(bool, parType);
        QFETCH(bool, ecritOral);
        QFETCH(bool, descendant);
        QFETCH(int, sur);
        const auto [code, sortie] = Lancer(QStringList{fichier} + args);
        QCOMPARE(code, 0);
        const QJsonObject o = QJsonDocument::fromJson(sortie).object();

        TFichierTav f(fichier, true);
        f.ImposerMoyennesSur(sur);
        Bilan::TReglages r;
        r.parType = parType;
        r.ecritOral = ecritOral;
        r.descendant = descendant;
        r.arrondi = args.contains(QStringLiteral("--arrondi")) ? 0 : 1;
        const Bilan::TVue v = Bilan::Calculer(f, vue, r);
        QCOMPARE(o.value("vue").toVariant(),
                 vue == 4 ? QVariant(QStringLiteral("annee")) : QVariant(vue));
        QCOMPARE(o.value("colonnes").toInt(), v.NombreColonnes());
        QCOMPARE(o.value("lignes").toInt(), 3 + 9);
        const QJsonArray cellules = o.value("cellules").toArray();
        QCOMPARE(cellules.size(), 3 + 9);
        for (int l = 0; l < v.lignes; ++l)
            for (int c = 0; c < v.NombreColonnes(); ++c)
                QCOMPARE(cellules.at(l).toArray().at(c).toString(), v.Texte(c, l));
        // Names without the settings' " (R)".
        QCOMPARE(cellules.at(2).toArray().at(1).toString(), QStringLiteral("Durand Émilie"));
    }

    void vueMasquee() {
        const auto [code, sortie] = Lancer({fichier, "--periode", "2"});
        QCOMPARE(code, 0);
        QCOMPARE(sortie.trimmed(), QByteArray(R"({"masquee":true,"vue":2})"));
    }

    void erreursDUsage() {
        for (const QStringList& args :
             {QStringList{fichier}, QStringList{fichier, "--annee", "--periode", "1"},
              QStringList{fichier, "--periode", "4"}, QStringList{fichier, "--periode", "0"},
              QStringList{fichier, "--annee", "--sur", "0"}, QStringList{fichier, "--annee=1"},
              QStringList{"--annee"}})
            QCOMPARE(Lancer(args).first, 2);
        QCOMPARE(Lancer({dossier.filePath("absent.tav"), "--annee"}).first, 1);
    }
};

QTEST_GUILESS_MAIN(TestCommandeSummary)
#include "tst_commande_summary.moc"
