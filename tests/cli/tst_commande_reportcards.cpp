// "tavelin-cli report-cards" run as a separate process: the cards of a class from its subject
// files, the checks of the files, and the documents written.
#include "lancer_cli.h"
#include "tavX_fichierTav.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

class TestCommandeReportCards : public QObject {
    Q_OBJECT

    QTemporaryDir dossier;

    using TResultat = TavTestCli::TResultat;
    TResultat Lancer(const QStringList& args) {
        return TavTestCli::Lancer(dossier, QStringList{"report-cards"} + args);
    }

    void Ecrire(const QString& nom, const QString& matiere, const QStringList& eleves,
                const QStringList& notes) {
        TFichierTav f;
        f.InitialiserClasse(QStringLiteral("Trimestres"), QStringLiteral("Bulletins par défaut"));
        f.ModifierClasse(QStringLiteral("5e C"));
        f.ModifierMatiere(matiere);
        f.ModifierEnseignant(QStringLiteral("Mme X"));
        for (const QString& e : eleves)
            f.AjouterEleve(e, QString(), false);
        f.AjouterSerie(2, QStringLiteral("DS"), false, QString(), QString(), QString(),
                       QStringLiteral("oui"), QStringLiteral("1"), QStringLiteral("20"));
        for (int s = 1; s <= f.NombreEleves(); ++s)
            f.ModifierNote(2, 1, notes.at(s - 1), s);
        f.Enregistrer(dossier.filePath(nom));
    }

private slots:
    void initTestCase() {
        if (!QFile::exists(QStringLiteral(TAV_BIN_DIR "/tavelin-cli")))
            QSKIP("tavelin-cli n'est pas construit");
        Ecrire("a.tav", "Anglais", {"Petit Paul", "Roy Rose"}, {"12", "15"});
        Ecrire("b.tav", "Bio", {"Petit Paul", "Roy Rose"}, {"9", ""});
        Ecrire("c.tav", "Chimie", {"Petit Paul", "Roy Léa"}, {"9", "8"});
    }

    void json() {
        const TResultat r = Lancer({"a.tav", "b.tav", "./a.tav", "--periode", "2", "--eleve",
                                    " roy rose", "--enseignant", "--json"});
        QCOMPARE(r.code, 0);
        const QJsonObject o = QJsonDocument::fromJson(r.sortie).object();
        QCOMPARE(o.value("periode").toInt(), 2);
        QCOMPARE(o.value("nomPeriode").toString(), QStringLiteral("Deuxième trimestre"));
        const QJsonArray cartes = o.value("cartes").toArray();
        QCOMPARE(cartes.size(), 1);
        const QJsonObject carte = cartes.at(0).toObject();
        QCOMPARE(carte.value("eleve").toString(), QStringLiteral("Roy Rose (5e C)"));
        const QJsonArray lignes = carte.value("lignes").toArray();
        // The file given twice is kept once; "Bio" has neither average nor appreciation.
        QCOMPARE(lignes.size(), 2);
        QCOMPARE(lignes.at(0).toArray().at(0).toString(), QStringLiteral("Anglais\nMme X"));
        QCOMPARE(lignes.at(1).toArray().at(0).toString(), QStringLiteral("Moyenne générale"));
        QCOMPARE(lignes.at(1).toArray().at(1).toString(), QStringLiteral("15,00"));
    }

    void erreurs_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("élèves") << QStringList{"a.tav", "c.tav", "--periode", "1", "--json"} << 1
                                << "Le fichier \"c.tav\" n'a pas la même liste d'élèves";
        QTest::newRow("absent") << QStringList{"a.tav", "z.tav", "--periode", "1", "--json"} << 1
                                << "Impossible de lire le fichier \"z.tav\" !";
        QTest::newRow("période") << QStringList{"a.tav", "--periode", "4", "--json"} << 2
                                 << "la période 4 n'existe pas";
        QTest::newRow("élève inconnu")
            << QStringList{"a.tav", "--periode", "1", "--eleve", "Nemo", "--json"} << 2
            << "L'élève \"Nemo\"";
        QTest::newRow("sans sortie")
            << QStringList{"a.tav", "--periode", "1"} << 2 << "une sortie attendue";
    }
    void erreurs() {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, message);
        const TResultat r = Lancer(args);
        QCOMPARE(r.code, code);
        QVERIFY(r.sortie.isEmpty());
        QVERIFY2(QString::fromUtf8(r.erreur).contains(message), r.erreur.constData());
    }

    void documents() {
        for (const char* sortie : {"--pdf", "--odt", "--rtf"}) {
            const QString nom = QStringLiteral("classe.") + QString::fromLatin1(sortie + 2);
            const TResultat r = Lancer({"a.tav", "b.tav", "--periode", "2", sortie, nom});
            QCOMPARE(r.code, 0);
            QFile f(dossier.filePath(nom));
            QVERIFY(f.open(QIODevice::ReadOnly));
            const QByteArray debut = f.read(5);
            QVERIFY2(debut == "%PDF-" || debut.startsWith("PK") || debut == "{\\rtf",
                     debut.constData());
        }
    }
};

QTEST_GUILESS_MAIN(TestCommandeReportCards)
#include "tst_commande_reportcards.moc"
