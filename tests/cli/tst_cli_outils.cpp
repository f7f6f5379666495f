// tavelin-cli merge and clone, run as a script would run them: what is refused writes nothing,
// and standard output lists only the files really saved.
#include "lancer_cli.h"
#include "tavX_fichierTav.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>
#include <QtTest>

class TestCliOutils : public QObject {
    Q_OBJECT

    QTemporaryDir dossier;

    struct Resultat {
        int code = -1;
        QStringList sortie;
        QString erreur;
    };

    Resultat Lancer(const QStringList& args) {
        const TavTestCli::TResultat r = TavTestCli::Lancer(dossier, args);
        return {r.code, QString::fromUtf8(r.sortie).split('\n', Qt::SkipEmptyParts),
                QString::fromUtf8(r.erreur)};
    }

    QString Chemin(const QString& nom) const { return dossier.filePath(nom); }

    QString Classe(const QString& nom, const QString& matiere, int eleves, int series,
                   const QString& enseignant = QStringLiteral("M. Prof")) {
        TFichierTav f;
        f.InitialiserClasse(QStringLiteral("Trimestres"), QStringLiteral("Bulletins par défaut"));
        f.ModifierClasse(QStringLiteral("3e:A"));
        f.ModifierMatiere(matiere);
        f.ModifierEnseignant(enseignant);
        for (int s = 1; s <= eleves; ++s)
            f.AjouterEleve(QStringLiteral("Elève %1").arg(s), QString(), false);
        for (int p = 1; p <= 3; ++p)
            for (int j = 1; j <= series; ++j) {
                f.AjouterSerie(p, QStringLiteral("DS %1").arg(j), false, "Contrôle", "", "", "oui",
                               "1", "20");
                for (int s = 1; s <= eleves; ++s)
                    f.ModifierNote(p, j, QString::number(8 + s + j), s);
            }
        f.Enregistrer(Chemin(nom));
        return Chemin(nom);
    }

    // Every file of the folder and its content's digest.
    QMap<QString, QByteArray> Etat() {
        QMap<QString, QByteArray> etat;
        QDirIterator it(dossier.path(), {"*.tav"}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString f = it.next();
            QFile l(f);
            l.open(QIODevice::ReadOnly);
            etat[f] = QCryptographicHash::hash(l.readAll(), QCryptographicHash::Sha1);
        }
        return etat;
    }

private slots:
    void initTestCase() {
        QVERIFY(dossier.isValid());
        Classe("maths.tav", "Maths", 3, 1);
        Classe("svt.tav", "SVT", 3, 2);
        Classe("autre.tav", "Anglais", 4, 1);
        Classe("gros.tav", "Gros", 3, 80);
        Classe("gros2.tav", "Gros2", 3, 80);
        QDir(dossier.path()).mkdir(QStringLiteral("equipe"));
        QFile f(Chemin("equipe/3eA - SVT - Mme B.tav"));
        f.open(QIODevice::WriteOnly);
        f.write("deja");
    }

    // Refusals: exit 1 (or 2 for usage), a message naming the file, nothing written.
    void refus_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        const QString m = Chemin("maths.tav"), s = Chemin("svt.tav");
        QTest::newRow("fusion eleves")
            << QStringList{"merge", m, Chemin("autre.tav"), "--sortie", Chemin("f.tav")} << 1
            << "autre.tav";
        QTest::newRow("fusion un seul")
            << QStringList{"merge", m, m, "--sortie", Chemin("f.tav")} << 2 << "deux fichiers";
        QTest::newRow("fusion source")
            << QStringList{"merge", m, s, "--sortie", s, "--remplacer"} << 1 << "svt.tav";
        QTest::newRow("fusion existe")
            << QStringList{"merge", m, s, "--sortie", Chemin("gros.tav")} << 1 << "gros.tav";
        QTest::newRow("fusion dossier")
            << QStringList{"merge", m, s, "--sortie", Chemin("rien/f.tav")} << 1 << "rien";
        QTest::newRow("fusion 255")
            << QStringList{"merge",     m,        Chemin("gros.tav"), Chemin("gros2.tav"), s,
                           "--donnees", "series", "--sortie",         Chemin("f.tav")}
            << 1 << "255";
        QTest::newRow("clone existe") << QStringList{"clone",      m,
                                                     "--dossier",  Chemin("equipe"),
                                                     "--collegue", "M. A;Maths",
                                                     "--collegue", "Mme B;SVT"}
                                      << 1 << "Mme B.tav";
        QTest::newRow("clone doublon")
            << QStringList{"clone",      m,           "--dossier",  Chemin("equipe"),
                           "--collegue", "M:A;Maths", "--collegue", "MA;Maths"}
            << 1 << "MA.tav";
        QTest::newRow("clone dossier")
            << QStringList{"clone", m, "--dossier", Chemin("rien"), "--collegue", "A;B"} << 1
            << "rien";
        QTest::newRow("clone collegue")
            << QStringList{"clone", m, "--dossier", Chemin("equipe"), "--collegue", "sans matiere"}
            << 2 << "ENSEIGNANT;MATIERE";
    }
    void refus() {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, message);
        const auto avant = Etat();
        const Resultat r = Lancer(args);
        QCOMPARE(r.code, code);
        QVERIFY2(r.erreur.contains(message), qPrintable(r.erreur));
        QVERIFY(r.sortie.isEmpty());
        QCOMPARE(Etat(), avant);
    }

    void fusion() {
        const Resultat r = Lancer({"merge", Chemin("maths.tav"), Chemin("svt.tav"),
                                   Chemin("maths.tav"), "--periodes", "1,3", "--sortie",
                                   Chemin("fusion.tav"), "--enseignant", "Principal"});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.sortie, QStringList{Chemin("fusion.tav")});
        const TFichierTav f(Chemin("fusion.tav"), true);
        const TFichierTav maths(Chemin("maths.tav"), true);
        QCOMPARE(f.Enseignant(), QStringLiteral("Principal"));
        QCOMPARE(f.NombreSeries(1), 2);
        QCOMPARE(f.NombreSeries(2), 0);
        QCOMPARE(f.Intitule(3, 2), QStringLiteral("Moyenne SVT"));
        QCOMPARE(f.Note(1, 1, 2), maths.MoyenneBulletin(1, 2, maths.ArrondiMoyennes()));
        QVERIFY(QRegularExpression(QStringLiteral("^\\d\\d/\\d\\d/\\d{4}$"))
                    .match(f.DateSerie(1, 1))
                    .hasMatch());
    }

    // Choice 1: one series per grade type of each file, holding that type's averages.
    void fusionParTypes() {
        const Resultat r = Lancer({"merge", Chemin("maths.tav"), Chemin("svt.tav"), "--donnees",
                                   "types", "--sur", "10", "--sortie", Chemin("types.tav")});
        QCOMPARE(r.code, 0);
        const TFichierTav f(Chemin("types.tav"), true);
        const TFichierTav svt(Chemin("svt.tav"), true);
        QCOMPARE(f.NombreSeries(2), 2);
        QCOMPARE(f.Intitule(2, 2), QStringLiteral("Moy. Contrôle - SVT"));
        QCOMPARE(f.NoteSur(2, 2), QStringLiteral("10"));
        QCOMPARE(f.TypeNotes(2, 2), QStringLiteral("Moyenne type de notes"));
        QCOMPARE(f.Note(2, 2, 3), svt.MoyenneParType(QStringLiteral("Contrôle"), 2, 3));
    }

    void clone() {
        const QString source = Chemin("equipe/3eA - Maths - M. Prof.tav");
        QFile::copy(Chemin("maths.tav"), source);
        // Its own teacher and subject in its own folder: never replaced, even with --remplacer.
        const auto avant = Etat();
        Resultat r = Lancer({"clone", source, "--dossier", Chemin("equipe"), "--collegue",
                             "M. Prof;Maths", "--remplacer"});
        QCOMPARE(r.code, 1);
        QCOMPARE(Etat(), avant);
        r = Lancer({"clone", source, "--dossier", Chemin("equipe"), "--collegue", "M. A;Maths",
                    "--collegue", "Mme B;SVT", "--remplacer"});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.sortie, QStringList({Chemin("equipe/3eA - Maths - M. A.tav"),
                                        Chemin("equipe/3eA - SVT - Mme B.tav")}));
        const TFichierTav c(r.sortie.at(1), true);
        QVERIFY(c.EstValide());
        QCOMPARE(c.Matiere(), QStringLiteral("SVT"));
        QCOMPARE(c.NombreEleves(), 3);
        QCOMPARE(c.NombreSeriesAnnee(), 0);
    }

    // Export through the CSV plug-in built beside the program; an existing output is refused.
    void exporter() {
        Resultat r = Lancer({"export", "--formats"});
        QCOMPARE(r.code, 0);
        QVERIFY(r.sortie.value(0).contains(
            QStringLiteral("{\"bibliotheque\":\"tavexport_csv.so\",\"description\":\"CSV "
                           "international (virgule et point décimal)\",\"numero\":2}")));
        const QStringList args{"export",   Chemin("maths.tav"),
                               "--format", "CSV international (virgule et point décimal)",
                               "--sortie", Chemin("maths.csv")};
        r = Lancer(args);
        QCOMPARE(r.code, 0);
        QCOMPARE(r.sortie, QStringList{Chemin("maths.csv")});
        QFile f(Chemin("maths.csv"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.readAll().startsWith("\xEF\xBB\xBF"
                                       "Classe,3e:A,"));
        r = Lancer(args);
        QCOMPARE(r.code, 1);
        QVERIFY(r.sortie.isEmpty());
        QVERIFY(r.erreur.contains(QStringLiteral("maths.csv")));
    }
};

QTEST_GUILESS_MAIN(TestCliOutils)
#include "tst_cli_outils.moc"
