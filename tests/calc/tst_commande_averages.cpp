// "tavelin-cli averages" run as a separate process, as a script would run it.
#include "../../src/cli/sortie_json.h"
#include "classe_calculs.h"
#include "tavX_globales.h"
#include "tavX_options.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace TavCalc;

namespace {

struct Resultat {
    int code = -1;
    QByteArray sortie;
    QString erreur;
};

QJsonObject Periode(const QJsonObject& o, int p) {
    return o.value(QStringLiteral("periodes")).toArray().at(p - 1).toObject();
}

QJsonObject Eleve(const QJsonObject& periode, int s) {
    return periode.value(QStringLiteral("eleves")).toArray().at(s - 1).toObject();
}

QString Texte(const QJsonObject& o, const char* cle) {
    return o.value(QLatin1String(cle)).toString();
}

QStringList Textes(const QJsonValue& v) {
    QStringList l;
    for (const QJsonValue& e : v.toArray())
        l.append(e.toString());
    return l;
}

} // namespace

class TestCommandeAverages : public QObject {
    Q_OBJECT

    QTemporaryDir dossier;
    QString fichier;

    QString Configuration() const { return dossier.filePath(QStringLiteral("config")); }

    Resultat Lancer(const QStringList& args, const QString& commande = QStringLiteral("averages")) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        // The program reads the per-user store: give it a private one.
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), Configuration());
        env.insert(QStringLiteral("HOME"), dossier.path());
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(TAV_BIN_DIR "/tavelin-cli"), QStringList{commande} + args);
        if (!p.waitForFinished(60000)) return {};
        return {p.exitCode(), p.readAllStandardOutput(),
                QString::fromUtf8(p.readAllStandardError())};
    }

    QJsonObject Json(const QStringList& args) {
        const Resultat r = Lancer(args);
        if (r.code != 0) qWarning("%s", qPrintable(r.erreur));
        QJsonParseError erreur;
        const QJsonDocument doc = QJsonDocument::fromJson(r.sortie, &erreur);
        if (erreur.error != QJsonParseError::NoError) qWarning("%s", r.sortie.constData());
        return doc.object();
    }

    // The settings of the child process, written through the settings unit.
    void ReglagesDuProgramme() {
        DefinirFichierReglages(
            QDir(Configuration()).filePath(QStringLiteral("Tavelin/Tavelin 2.x.ini")));
    }

private slots:
    void initTestCase() {
        QVERIFY(dossier.isValid());
        if (!QFile::exists(QStringLiteral(TAV_BIN_DIR "/tavelin-cli")))
            QSKIP("tavelin-cli n'est pas construit");
        DefinirFichierReglages(dossier.filePath(QStringLiteral("reglages-test.ini")));
        // Alice: 15/20 c1 and 8/10 c2 (15,50); Bruno absent then 4/10; Chloé nothing.
        auto f =
            Classe({QStringLiteral("Alice"), QStringLiteral("Bruno"), QStringLiteral("Chloé")});
        Serie a = Sur("20", "1");
        a.intitule = QStringLiteral("Contrôle 1");
        Serie b = Sur("10", "2");
        b.intitule = QStringLiteral("Oral 1");
        b.oral = true;
        b.type = QStringLiteral("Oral");
        AjouterSerie(*f, 1, {"15", "abs", ""}, a);
        AjouterSerie(*f, 1, {"8", "4", ""}, b);
        AjouterSerie(*f, 2, {"12,2", "18", ""});
        f->ModifierPointsPlusMoins(1, 1, QStringLiteral("0,5"));
        fichier = dossier.filePath(QStringLiteral("classe.tav"));
        f->Enregistrer(fichier);
    }
    void cleanup() {
        DefinirFichierReglages(dossier.filePath(QStringLiteral("reglages-test.ini")));
    }
    void cleanupTestCase() { DefinirFichierReglages(QString()); }

    // The commands write their JSON themselves: it must be exactly Qt's
    // compact form of the same document (keys in Qt's order, Qt's escapes),
    // here with texts that need escaping and types whose keys sort unevenly.
    void json_formeCompacteDeQt() {
        auto f = Classe({QStringLiteral("A \"guillemets\""), QStringLiteral("B\\barre"),
                         QStringLiteral("C\ttab\u0001")});
        const QStringList types{QStringLiteral("zèbre"), QStringLiteral("Zèbre \"Z\""),
                                QStringLiteral("a\u0002b"), QString(), QStringLiteral("€ \u007f")};
        for (int i = 0; i < types.size(); ++i) {
            Serie d;
            d.type = types.at(i);
            d.oral = i % 2;
            d.intitule = QStringLiteral("Série\n%1 \\ \"").arg(i);
            AjouterSerie(*f, 1 + i % 3, {QString::number(i + 10), "abs", "7,5"}, d);
        }
        const QString chemin = dossier.filePath(QStringLiteral("echappements.tav"));
        f->Enregistrer(chemin);
        for (const QString& commande : {QStringLiteral("averages"), QStringLiteral("info")}) {
            const Resultat r = Lancer({chemin}, commande);
            QCOMPARE(r.code, 0);
            QJsonParseError erreur;
            const QJsonDocument doc = QJsonDocument::fromJson(r.sortie, &erreur);
            QCOMPARE(erreur.error, QJsonParseError::NoError);
            QCOMPARE(r.sortie, doc.toJson(QJsonDocument::Compact) + '\n');
            QVERIFY(r.sortie.contains("C\\ttab\\u0001") && r.sortie.contains("\\\"Z\\\""));
        }
    }

    // Every UTF-16 code unit alone and in pairs, escaped as Qt escapes it.
    void json_echappementsCommeQt() {
        const auto commeQt = [](const QString& texte) {
            const QByteArray qt = QJsonDocument(QJsonArray{texte}).toJson(QJsonDocument::Compact);
            Cli::TSortieJson j;
            j.Texte(texte);
            return QByteArray::fromStdString(j.Contenu()) == qt.mid(1, qt.size() - 2);
        };
        for (char32_t u = 0; u <= 0xFFFF; ++u) {
            const QChar c{char16_t(u)};
            QVERIFY2(commeQt(QString(c) + QStringLiteral("é\"")), qPrintable(QString::number(u)));
        }
        const QString paire = QString::fromUcs4(U"\U0001F600");
        for (const QString& texte : {paire, QString(paire.at(1)) + paire.at(0), paire.left(1),
                                     QStringLiteral("x") + paire.right(1) + QStringLiteral("y")})
            QVERIFY(commeQt(texte));
    }

    void periode_moyennesDesEleves() {
        const QJsonObject o = Json({fichier, QStringLiteral("--arrondi"), QStringLiteral("3")});
        QCOMPARE(o.value(QStringLiteral("moyennesSur")).toInt(), 20);
        QCOMPARE(o.value(QStringLiteral("arrondirMoyennes")).toInt(), 3);
        const QJsonObject p1 = Periode(o, 1);
        QCOMPARE(p1.value(QStringLiteral("periode")).toInt(), 1);
        QCOMPARE(Texte(p1, "nom"), QStringLiteral("Premier trimestre"));
        const QJsonObject alice = Eleve(p1, 1);
        QCOMPARE(Texte(alice, "nom"), QStringLiteral("Alice"));
        QCOMPARE(Texte(alice, "moyenneBrute"), QStringLiteral("15,50"));
        QCOMPARE(Texte(alice, "moyenneArrondie"), QStringLiteral("15,5"));
        QCOMPARE(Texte(alice, "pointsPlusMoins"), QStringLiteral("0,5"));
        QCOMPARE(Texte(alice, "moyenneBulletin"), QStringLiteral("16,00"));
        QCOMPARE(Texte(alice, "moyenneEcrit"), QStringLiteral("15,00"));
        QCOMPARE(Texte(alice, "moyenneOral"), QStringLiteral("16,00"));
        const QJsonObject parType = alice.value(QStringLiteral("moyennesParType")).toObject();
        QCOMPARE(parType.value(QStringLiteral("Oral")).toString(), QStringLiteral("16,00"));
        QCOMPARE(parType.value(QStringLiteral("Contrôle en classe")).toString(),
                 QStringLiteral("15,00"));
        QCOMPARE(Texte(alice, "noteLaPlusBasse"), QStringLiteral("15,00/20 (Contrôle 1)"));
        QCOMPARE(Texte(alice, "noteLaPlusHaute"), QStringLiteral("16,00/20 (Oral 1)"));
        const QJsonObject chloe = Eleve(p1, 3);
        QCOMPARE(Texte(chloe, "moyenneBrute"), QString());
        QCOMPARE(Texte(chloe, "noteLaPlusBasse"), QString());
    }

    void periode_seriesClassementsLivret() {
        const QJsonObject p1 = Periode(Json({fichier}), 1);
        const QJsonArray series = p1.value(QStringLiteral("series")).toArray();
        QCOMPARE(series.size(), 2);
        const QJsonObject oral = series.at(1).toObject();
        QCOMPARE(oral.value(QStringLiteral("numero")).toInt(), 2);
        QCOMPARE(Texte(oral, "intitule"), QStringLiteral("Oral 1"));
        QCOMPARE(Texte(oral, "minimum"), QStringLiteral("4"));
        QCOMPARE(Texte(oral, "maximum"), QStringLiteral("8"));
        QCOMPARE(Texte(oral, "ecartType"), QStringLiteral("2,00"));
        QCOMPARE(Texte(oral, "moyenne"), QStringLiteral("6,00"));
        QCOMPARE(Texte(oral, "nombreNotes"), QStringLiteral("2"));
        QCOMPARE(Texte(oral, "pourcentageSousMoyenne"), QStringLiteral("50,00 %"));
        QCOMPARE(Texte(oral, "pourcentageSousMoyenneClasse"), QStringLiteral("50,00 %"));
        QCOMPARE(Textes(p1.value(QStringLiteral("typesDeNotes"))),
                 QStringList({"Contrôle en classe", "Oral"}));
        QCOMPARE(Textes(p1.value(QStringLiteral("classementAscendant"))),
                 QStringList({"Classement ascendant", "Bruno -> 8,00", "Alice -> 16,00"}));
        QCOMPARE(Textes(p1.value(QStringLiteral("classementDescendant"))),
                 QStringList({"Classement descendant", "Alice -> 16,00", "Bruno -> 8,00"}));
        const QJsonObject livret = p1.value(QStringLiteral("livret")).toObject();
        QCOMPARE(livret.value(QStringLiteral("inf8")).toString(), QStringLiteral("0,00"));
        QCOMPARE(livret.value(QStringLiteral("de8a12")).toString(), QStringLiteral("33,33"));
        QCOMPARE(livret.value(QStringLiteral("sup12")).toString(), QStringLiteral("66,67"));
        QCOMPARE(Periode(Json({fichier}), 3).value(QStringLiteral("series")).toArray().size(), 0);
    }

    void annee() {
        const QJsonObject o = Json({fichier, QStringLiteral("--arrondi-annuel=2")});
        const QJsonObject annee = o.value(QStringLiteral("annee")).toObject();
        const QJsonObject alice = annee.value(QStringLiteral("eleves")).toArray().at(0).toObject();
        // (16,00 + 12,20) / 2 = 14,10, to the quarter: 14.
        QCOMPARE(Texte(alice, "moyenneAnnuelle"), QStringLiteral("14"));
        // Written: 15 and 12,25 (each to the quarter), 13,625 → 13,63 → 13,75.
        QCOMPARE(Texte(alice, "moyenneAnnuelleEcrit"), QStringLiteral("13,75"));
        QCOMPARE(Texte(alice, "moyenneAnnuelleOral"), QStringLiteral("16"));
        QCOMPARE(alice.value(QStringLiteral("moyennesAnnuellesParType"))
                     .toObject()
                     .value(QStringLiteral("Contrôle en classe"))
                     .toString(),
                 QStringLiteral("13,60"));
        QCOMPARE(Textes(annee.value(QStringLiteral("typesDeNotes"))),
                 QStringList({"Contrôle en classe", "Oral"}));
        QCOMPARE(Textes(annee.value(QStringLiteral("classementAscendant"))),
                 QStringList({"Classement ascendant", "Bruno -> 13", "Alice -> 14"}));
        // All the grades of the year at once: (15 + 16 + 12,2) / 60 × 20.
        const QJsonObject type1 =
            Json({fichier, QStringLiteral("--type-annuel"), QStringLiteral("1")});
        QCOMPARE(type1.value(QStringLiteral("typeMoyennesAnnuelles")).toInt(), 1);
        QCOMPARE(Texte(type1.value(QStringLiteral("annee"))
                           .toObject()
                           .value(QStringLiteral("eleves"))
                           .toArray()
                           .at(0)
                           .toObject(),
                       "moyenneAnnuelle"),
                 QStringLiteral("14,40"));
    }

    void echelleEnOption() {
        const QJsonObject o = Json({fichier, QStringLiteral("--sur"), QStringLiteral("10")});
        QCOMPARE(o.value(QStringLiteral("moyennesSur")).toInt(), 10);
        QCOMPARE(Texte(Eleve(Periode(o, 1), 1), "moyenneBrute"), QStringLiteral("7,75"));
        QCOMPARE(Texte(Eleve(Periode(o, 1), 1), "noteLaPlusBasse"),
                 QStringLiteral("7,50/10 (Contrôle 1)"));
        // The user's settings are left as they were.
        ReglagesDuProgramme();
        QCOMPARE(Options::MoyennesSur(), 20);
    }

    void reglagesParDefaut() {
        ReglagesDuProgramme();
        Options::ModifierMoyennesSur(100);
        Options::ModifierArrondirMoyennes(1);
        Options::ModifierArrondirMoyennesAnnuelles(4);
        Options::ModifierTypeMoyennesAnnuelles(1);
        const QJsonObject o = Json({fichier});
        Options::ModifierMoyennesSur(20);
        Options::ModifierArrondirMoyennes(0);
        Options::ModifierArrondirMoyennesAnnuelles(0);
        Options::ModifierTypeMoyennesAnnuelles(0);
        QCOMPARE(o.value(QStringLiteral("moyennesSur")).toInt(), 100);
        QCOMPARE(o.value(QStringLiteral("arrondirMoyennes")).toInt(), 1);
        QCOMPARE(o.value(QStringLiteral("arrondirMoyennesAnnuelles")).toInt(), 4);
        QCOMPARE(o.value(QStringLiteral("typeMoyennesAnnuelles")).toInt(), 1);
        QCOMPARE(Texte(Eleve(Periode(o, 1), 1), "moyenneArrondie"), QStringLiteral("77,5"));
    }

    void erreursDUtilisation_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("sans fichier") << QStringList();
        QTest::newRow("deux fichiers") << QStringList({"a.tav", "b.tav"});
        QTest::newRow("sur 0") << QStringList({"f.tav", "--sur", "0"});
        QTest::newRow("sur 1001") << QStringList({"f.tav", "--sur", "1001"});
        QTest::newRow("sur décimal") << QStringList({"f.tav", "--sur", "20,5"});
        QTest::newRow("sur négatif") << QStringList({"f.tav", "--sur=-20"});
        QTest::newRow("sur sans valeur") << QStringList({"f.tav", "--sur"});
        QTest::newRow("arrondi 5") << QStringList({"f.tav", "--arrondi", "5"});
        QTest::newRow("arrondi annuel texte") << QStringList({"f.tav", "--arrondi-annuel", "x"});
        QTest::newRow("type annuel 2") << QStringList({"f.tav", "--type-annuel", "2"});
        QTest::newRow("option inconnue") << QStringList({"f.tav", "--arrondis", "1"});
    }
    void erreursDUtilisation() {
        QFETCH(QStringList, args);
        const Resultat r = Lancer(args);
        QCOMPARE(r.code, 2);
        QVERIFY(r.sortie.isEmpty());
        QVERIFY(!r.erreur.isEmpty());
    }

    void fichierIllisible() {
        const Resultat r = Lancer({dossier.filePath(QStringLiteral("absent.tav"))});
        QCOMPARE(r.code, 1);
        QVERIFY(r.sortie.isEmpty());
    }

    void aide() {
        const Resultat r = Lancer({QStringLiteral("--help")});
        QCOMPARE(r.code, 0);
        QVERIFY(r.sortie.contains("--arrondi-annuel"));
    }
};

QTEST_GUILESS_MAIN(TestCommandeAverages)
#include "tst_commande_averages.moc"
