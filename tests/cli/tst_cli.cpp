// tavelin-cli run as a separate process, as a script would run it.
#include "lancer_cli.h"
#include "tavX_fichierTav.h"
#include "tavX_globales.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>

namespace {

struct Resultat {
    int code = -1;
    QString sortie;
    QString erreur;
};

} // namespace

class TestCli : public QObject {
    Q_OBJECT

    QTemporaryDir dossier;

    Resultat Lancer(const QStringList& args) {
        const TavTestCli::TResultat r = TavTestCli::Lancer(dossier, args);
        return {r.code, QString::fromUtf8(r.sortie), QString::fromUtf8(r.erreur)};
    }

    QString Chemin(const QString& nom) const { return dossier.filePath(nom); }

    // A small class with texts that JSON and Windows-1252 must both carry.
    QString ClasseExemple() {
        TFichierTav f;
        f.InitialiserClasse(QStringLiteral("Semestres"),
                            QStringLiteral("Nouveaux bulletins du collège"));
        f.ModifierClasse(QStringLiteral("2nde « A »"));
        f.ModifierEnseignant(QStringLiteral("M. Éric Dœuf"));
        f.AjouterEleve(QStringLiteral("Zidane Léa"), QStringLiteral("01/02/2010"), true);
        f.AjouterEleve(QStringLiteral("azur Marc"), QString(), false);
        f.AjouterSerie(2, QStringLiteral("Oral n°1"), true, QStringLiteral("Oral"),
                       QStringLiteral("€uros"), QStringLiteral("03/03/2027"), QStringLiteral("oui"),
                       QStringLiteral("2"), QStringLiteral("20"));
        f.ModifierNote(2, 1, QStringLiteral("12,5"), 1);
        f.ModifierNote(2, 1, QStringLiteral("abs"), 2);
        f.ModifierPointsPlusMoins(1, 2, QStringLiteral("-1,5"));
        f.ModifierAppreciation(2, 1, 3, QStringLiteral("Revoir les fractions"));
        const QString chemin = Chemin(QStringLiteral("classe.tav"));
        f.Enregistrer(chemin);
        return chemin;
    }

private slots:
    void initTestCase() {
        QVERIFY(dossier.isValid());
        DefinirFichierReglages(Chemin(QStringLiteral("reglages-test.ini")));
    }

    void info_donneToutLeContenu() {
        const Resultat r = Lancer({QStringLiteral("info"), ClasseExemple()});
        QCOMPARE(r.code, 0);
        const QJsonObject o = QJsonDocument::fromJson(r.sortie.toUtf8()).object();
        QCOMPARE(o.value(QStringLiteral("signature")).toString(), QStringLiteral("Tavelin"));
        QCOMPARE(o.value(QStringLiteral("version")).toString(), QStringLiteral("2.3"));
        QCOMPARE(o.value(QStringLiteral("modifie")).toBool(), false);
        QCOMPARE(o.value(QStringLiteral("nomClasse")).toString(), QStringLiteral("2nde « A »"));
        QCOMPARE(o.value(QStringLiteral("enseignant")).toString(), QStringLiteral("M. Éric Dœuf"));
        QCOMPARE(o.value(QStringLiteral("periodes")).toArray().size(), 2);
        const QJsonArray eleves = o.value(QStringLiteral("eleves")).toArray();
        QCOMPARE(eleves.size(), 2);
        // Sorted ignoring case: "azur" before "Zidane".
        QCOMPARE(eleves.at(0).toObject().value(QStringLiteral("nom")).toString(),
                 QStringLiteral("azur Marc"));
        QCOMPARE(eleves.at(1).toObject().value(QStringLiteral("redoublant")).toBool(), true);
        QCOMPARE(eleves.at(1).toObject().value(QStringLiteral("dateNaissance")).toString(),
                 QStringLiteral("01/02/2010"));
        const QJsonArray series = o.value(QStringLiteral("series")).toArray();
        QCOMPARE(series.size(), 1);
        const QJsonObject s = series.at(0).toObject();
        QCOMPARE(s.value(QStringLiteral("periode")).toInt(), 2);
        QCOMPARE(s.value(QStringLiteral("numero")).toInt(), 1);
        QCOMPARE(s.value(QStringLiteral("oralEcrit")).toString(), QStringLiteral("Oral"));
        QCOMPARE(s.value(QStringLiteral("commentaire")).toString(), QStringLiteral("€uros"));
        QCOMPARE(s.value(QStringLiteral("notes")).toArray(),
                 QJsonArray({QStringLiteral("12,5"), QStringLiteral("abs")}));
        const QJsonArray points = o.value(QStringLiteral("points")).toArray();
        QCOMPARE(points.size(), 2);
        QCOMPARE(points.at(0).toArray().at(1).toString(), QStringLiteral("-1,5"));
        const QJsonArray appreciations = o.value(QStringLiteral("appreciations")).toArray();
        QCOMPARE(appreciations.at(1).toArray().at(0).toArray().at(2).toString(),
                 QStringLiteral("Revoir les fractions"));
        QCOMPARE(o.value(QStringLiteral("colonnesBulletin")).toArray().size(), 3);
    }

    void convert_ecritLaVersionActuelle() {
        // A "2.0" file: teacher after the points, one appreciation column.
        QByteArray octets;
        auto champ = [&](const QByteArray& t) { octets.append(char(t.size())).append(t); };
        for (const char* t : {"Tavelin",
                              "2.0",
                              "5e C",
                              "Coll\xe8ge",
                              "Fran\xe7"
                              "ais",
                              "2005/2006",
                              "",
                              "Semestres",
                              "2",
                              "S1",
                              "S2",
                              "1",
                              "Dupont Jean",
                              "0",
                              "0",
                              "2",
                              "",
                              "M. Vieux",
                              "1",
                              "Bien",
                              ""})
            champ(QByteArray(t));
        const QString ancien = Chemin(QStringLiteral("ancien.tav"));
        QFile f(ancien);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(octets);
        f.close();
        const QString nouveau = Chemin(QStringLiteral("nouveau.tav"));
        Resultat r = Lancer({QStringLiteral("convert"), ancien, nouveau});
        QCOMPARE(r.code, 0);
        r = Lancer({QStringLiteral("info"), nouveau});
        QCOMPARE(r.code, 0);
        const QJsonObject o = QJsonDocument::fromJson(r.sortie.toUtf8()).object();
        QCOMPARE(o.value(QStringLiteral("version")).toString(), QStringLiteral("2.3"));
        QCOMPARE(o.value(QStringLiteral("enseignant")).toString(), QStringLiteral("M. Vieux"));
        QCOMPARE(o.value(QStringLiteral("ecole")).toString(), QStringLiteral("Collège"));
        QCOMPARE(o.value(QStringLiteral("points")).toArray().at(0).toArray().at(0).toString(),
                 QStringLiteral("2"));
        QCOMPARE(o.value(QStringLiteral("arrondiMoyennes")).toInt(), 1);
        QCOMPARE(o.value(QStringLiteral("appreciations"))
                     .toArray()
                     .at(0)
                     .toArray()
                     .at(0)
                     .toArray()
                     .at(0)
                     .toString(),
                 QStringLiteral("Bien"));
    }

    void check_uneLigneParFichier() {
        const QString bon = ClasseExemple();
        const QString mauvais = Chemin(QStringLiteral("mauvais.tav"));
        QFile f(mauvais);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("\x07Tavelin\x03"
                "2.4");
        f.close();
        const Resultat r = Lancer({QStringLiteral("check"), bon, mauvais});
        QCOMPARE(r.code, 1);
        const QStringList lignes = r.sortie.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lignes.size(), 2);
        QVERIFY2(
            lignes.at(0).startsWith(bon + QStringLiteral(": ok (version 2.3, 2 élèves, 1 série")),
            qPrintable(lignes.at(0)));
        QCOMPARE(lignes.at(1),
                 mauvais + QStringLiteral(": invalide : Mauvaise version de fichier."));
        QCOMPARE(Lancer({QStringLiteral("check"), bon}).code, 0);
    }

    void fichierIllisible_codeUnEtMessage() {
        const QString absent = Chemin(QStringLiteral("absent.tav"));
        Resultat r = Lancer({QStringLiteral("info"), absent});
        QCOMPARE(r.code, 1);
        QVERIFY(r.sortie.isEmpty());
        QVERIFY(r.erreur.startsWith(absent + QStringLiteral(" : ")));
        QCOMPARE(r.erreur.count(QLatin1Char('\n')), 1);
        r = Lancer({QStringLiteral("info"), dossier.path()});
        QCOMPARE(r.code, 1);
        // A failed conversion writes nothing.
        const QString sortie = Chemin(QStringLiteral("jamais.tav"));
        QCOMPARE(Lancer({QStringLiteral("convert"), absent, sortie}).code, 1);
        QVERIFY(!QFile::exists(sortie));
    }

    // A save that fails exits 1 with the French cause and leaves the target as it was.
    void convert_enregistrementImpossible() {
        const QString source = ClasseExemple();
        const QString protege = Chemin(QStringLiteral("protege.tav"));
        QVERIFY(QFile::copy(source, protege));
        QFile(protege).resize(10); // not the source any more: a rewrite would show
        QVERIFY(QFile::setPermissions(protege, QFileDevice::ReadOwner));
        const QByteArray avant = [&] {
            QFile f(protege);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();
        const struct {
            QString cible;
            QString cause;
        } cas[] = {
            {protege, QStringLiteral("Le fichier est en lecture seule")},
            {Chemin(QStringLiteral("absent/classe.tav")),
             QStringLiteral("Le dossier n'existe pas")},
        };
        for (const auto& c : cas) {
            const Resultat r = Lancer({QStringLiteral("convert"), source, c.cible});
            QCOMPARE(r.code, 1);
            QCOMPARE(r.erreur, QStringLiteral("Erreur dans l'enregistrement du fichier ") +
                                   c.cible + QStringLiteral(" : ") + c.cause + QLatin1Char('\n'));
        }
        QFile f(protege);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), avant);
    }

    // A pipe or a device answers at once with its cause instead of blocking or filling memory.
    void check_ceQuiNEstPasUnFichier() {
        const QString tube = Chemin(QStringLiteral("tube.tav"));
        QCOMPARE(::mkfifo(QFile::encodeName(tube).constData(), 0600), 0);
        const Resultat r = Lancer({QStringLiteral("check"), tube, QStringLiteral("/dev/zero")});
        QCOMPARE(r.code, 1);
        QCOMPARE(r.sortie, tube + QStringLiteral(": invalide : c'est un tube, pas un fichier\n") +
                               QStringLiteral("/dev/zero: invalide : c'est un périphérique, pas "
                                              "un fichier\n"));
        QCOMPARE(Lancer({QStringLiteral("convert"), tube, Chemin(QStringLiteral("t2.tav"))}).code,
                 1);
    }

    // A printout rendered headless to PDF; the cases it refuses, with their exit codes.
    void print_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("erreur");
        QTest::newRow("notes") << QStringList{"--quoi", "notes"} << 0 << QString();
        QTest::newRow("bilan annuel")
            << QStringList{"--quoi", "bilans", "--periode", "annee"} << 0 << QString();
        QTest::newRow("appreciations")
            << QStringList{"--quoi", "appreciations", "--periode", "2", "--paysage"} << 0
            << QString();
        QTest::newRow("vierge") << QStringList{"--quoi", "vierge"} << 0 << QString();
        QTest::newRow("sans série") << QStringList{"--quoi", "notes", "--periode", "1"} << 1
                                    << QStringLiteral("Aucune série de notes pour cette période !");
        QTest::newRow("période hors de la classe")
            << QStringList{"--quoi", "notes", "--periode", "3"} << 2 << QStringLiteral("période");
        QTest::newRow("quoi inconnu")
            << QStringList{"--quoi", "tout"} << 2 << QStringLiteral("--quoi");
    }
    void print() {
        QFETCH(QStringList, options);
        QFETCH(int, code);
        QFETCH(QString, erreur);
        const QString pdf = Chemin(QStringLiteral("sortie.pdf"));
        QFile::remove(pdf);
        const Resultat r = Lancer(QStringList{QStringLiteral("print"), ClasseExemple()} + options +
                                  QStringList{QStringLiteral("--pdf"), pdf});
        QCOMPARE(r.code, code);
        QVERIFY2(r.erreur.contains(erreur), qPrintable(r.erreur));
        QFile fichier(pdf);
        if (code == 0) {
            QVERIFY(fichier.open(QIODevice::ReadOnly));
            QCOMPARE(fichier.read(5), QByteArray("%PDF-"));
        } else {
            QVERIFY(!fichier.exists());
        }
    }

    void usage_codeDeux() {
        QCOMPARE(Lancer({}).code, 2);
        QCOMPARE(Lancer({QStringLiteral("inconnue")}).code, 2);
        QCOMPARE(Lancer({QStringLiteral("info")}).code, 2);
        QCOMPARE(Lancer({QStringLiteral("convert"), QStringLiteral("a.tav")}).code, 2);
        QCOMPARE(Lancer({QStringLiteral("check")}).code, 2);
        for (const char* c : {"info", "convert", "check", "print"}) {
            const Resultat r = Lancer({QString::fromLatin1(c), QStringLiteral("--help")});
            QCOMPARE(r.code, 0);
            QVERIFY(r.sortie.startsWith(QStringLiteral("Usage : tavelin-cli ")));
        }
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
