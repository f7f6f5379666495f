// Damaged class files: every one must leave the object invalid with a cause,
// never crash, hang or read outside the file; and whatever a damaged file
// still loads must save and read back as it is.
#include "tavX_fichierTav.h"
#include "tavtest_ecrivain.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace TavTest;

namespace {

// Field positions in the "2.3" file of ClasseExemple() (3 periods, 3
// students, series 2/0/1, 2 labels, 2 report-card columns).
constexpr int ChampVersion = 1;
constexpr int ChampP = 9;
constexpr int ChampN = 13;
constexpr int ChampS1 = 17;
constexpr int ChampS3 = 59;
constexpr int ChampC = 89;
constexpr int ChampK = 93;
constexpr int ChampArrondi = 123;
constexpr int ChampTypeAnnuel = 125;
constexpr int NombreChampsExemple = 126;

QByteArray Assembler(const QList<QByteArray>& champs) {
    QByteArray octets;
    for (const QByteArray& c : champs) {
        octets.append(char(c.size()));
        octets.append(c);
    }
    return octets;
}

// The example file with one field replaced by the given bytes.
QByteArray AvecChamp(int indice, const QByteArray& valeur) {
    QList<QByteArray> champs = *DecouperChamps(FichierActuel(ClasseExemple()));
    champs[indice] = valeur;
    return Assembler(champs);
}

// A file of version "2.3" whose periods hold these numbers of series (no student).
QByteArray AvecSeries(const QList<int>& nombres) {
    Classe c;
    c.periodes.clear();
    for (int p = 1; p <= nombres.size(); ++p) {
        c.periodes.append(QStringLiteral("P%1").arg(p));
        for (int j = 0; j < nombres.at(p - 1); ++j) {
            Serie s;
            s.periode = p;
            s.intitule = QString::number(j);
            c.series.append(s);
        }
    }
    return FichierActuel(c);
}

QByteArray FichierAncienAvecPeriode(const QString& periode) {
    ClasseAncienne c = ClasseAncienneExemple();
    c.series[1].periode = periode;
    return FichierAncien(c);
}

// Loads a file that may or may not be valid. Invalid: a cause must be given.
// Valid: it must save, read back equal, and save again to the same bytes.
bool Verifier(const QString& chemin, const QString& dossier, QString& probleme) {
    TFichierTav f(chemin, true);
    if (!f.EstValide()) {
        if (f.CauseInvalidite().isEmpty()) probleme = QStringLiteral("invalide sans cause");
        return probleme.isEmpty();
    }
    const QString copie1 = QDir(dossier).filePath(QStringLiteral("copie1.tav"));
    const QString copie2 = QDir(dossier).filePath(QStringLiteral("copie2.tav"));
    try {
        QStringList avant = Instantane(f);
        f.Enregistrer(copie1);
        TFichierTav relu(copie1, true);
        if (!relu.EstValide()) {
            probleme = QStringLiteral("copie illisible : ") + relu.CauseInvalidite();
            return false;
        }
        QStringList apres = Instantane(relu);
        // A label index that is not an integer is saved as "1".
        for (QStringList* l : {&avant, &apres})
            l->removeIf([](const QString& t) { return t.startsWith(QLatin1String("  indice=")); });
        if (avant != apres) {
            probleme = QStringLiteral("la copie relue diffère");
            return false;
        }
        relu.Enregistrer(copie2);
        if (LireFichier(copie1) != LireFichier(copie2)) {
            probleme = QStringLiteral("le second enregistrement diffère");
            return false;
        }
    } catch (const std::exception& e) {
        probleme = QStringLiteral("exception : ") + QString::fromUtf8(e.what());
        return false;
    }
    return true;
}

} // namespace

class TestFichiersEndommages : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void endommage_data();
    void endommage();
    void tronqueAChaqueOctet_data();
    void tronqueAChaqueOctet();
    void octetsAleatoires();
    void enteteSuivieDOctetsAleatoires();
    void mutationsDeFichiersValides_data();
    void mutationsDeFichiersValides();

private:
    std::unique_ptr<ReglagesPrives> reglages;
    QTemporaryDir dossier;
    QString Chemin(const QString& nom) const { return QDir(dossier.path()).filePath(nom); }
};

void TestFichiersEndommages::initTestCase() {
    reglages = std::make_unique<ReglagesPrives>();
    QVERIFY(dossier.isValid());
    QCOMPARE(DecouperChamps(FichierActuel(ClasseExemple()))->size(), NombreChampsExemple);
    // The positions above point where they should.
    const QStringList champs = *DecouperTextes(FichierActuel(ClasseExemple()));
    QCOMPARE(champs.at(ChampP), QStringLiteral("3"));
    QCOMPARE(champs.at(ChampN), QStringLiteral("3"));
    QCOMPARE(champs.at(ChampS1), QStringLiteral("2"));
    QCOMPARE(champs.at(ChampS3), QStringLiteral("1"));
    QCOMPARE(champs.at(ChampC), QStringLiteral("2"));
    QCOMPARE(champs.at(ChampK), QStringLiteral("2"));
    QCOMPARE(champs.at(ChampArrondi), QStringLiteral("1"));
    // A correct example loads, so every row below fails for its own damage.
    QVERIFY(EcrireFichier(Chemin("bon.tav"), FichierActuel(ClasseExemple())));
    QVERIFY(TFichierTav(Chemin("bon.tav")).EstValide());
}

void TestFichiersEndommages::endommage_data() {
    QTest::addColumn<QByteArray>("octets");
    QTest::addColumn<int>("genre");     // 0 the bytes, 1 a folder, 2 a path that does not exist
    QTest::addColumn<QString>("cause"); // a text the cause must hold, if any

    const QString pasTavelin = QStringLiteral("Ce fichier n'est pas un fichier Tavelin");
    const QString mauvaiseVersion = QStringLiteral("Mauvaise version de fichier.");
    QTest::newRow("dossier") << QByteArray() << 1 << QString();
    QTest::newRow("fichier absent") << QByteArray() << 2 << QString();
    QTest::newRow("fichier vide") << QByteArray() << 0 << QString();
    QTest::newRow("un octet nul") << QByteArray(1, '\0') << 0 << pasTavelin;
    QTest::newRow("signature fausse") << AvecChamp(0, "Tavelon") << 0 << pasTavelin;
    QTest::newRow("signature en minuscules") << AvecChamp(0, "tavelin") << 0 << pasTavelin;
    QTest::newRow("signature suivie d'une espace") << AvecChamp(0, "Tavelin ") << 0 << pasTavelin;
    QTest::newRow("signature seule") << Champs().Texte("Tavelin").Donnees() << 0 << QString();
    QTest::newRow("texte brut") << QByteArray("Tavelin 2.3\nclasse\n") << 0 << pasTavelin;
    QTest::newRow("version 2.4") << AvecChamp(ChampVersion, "2.4") << 0 << mauvaiseVersion;
    QTest::newRow("version vide") << AvecChamp(ChampVersion, "") << 0 << mauvaiseVersion;
    QTest::newRow("version 1.1") << AvecChamp(ChampVersion, "1.1") << 0 << mauvaiseVersion;
    QTest::newRow("version bêta 1")
        << FichierAncien(ClasseAncienneExemple(), "bêta 1") << 0 << mauvaiseVersion;
    QTest::newRow("version 2.3 suivie d'une espace")
        << AvecChamp(ChampVersion, "2.3 ") << 0 << mauvaiseVersion;
    QTest::newRow("version bêta 2 en UTF-8")
        << AvecChamp(ChampVersion, QStringLiteral("bêta 2").toUtf8()) << 0 << mauvaiseVersion;

    const QList<QPair<const char*, QByteArray>> nombresFaux = {
        {"abc", "abc"},
        {"-1", "-1"},
        {"256", "256"},
        {"1000", "1000"},
        {" 3", " 3"},
        {"3 ", "3 "},
        {"+3", "+3"},
        {"vide", ""},
        {"3,0", "3,0"},
        {"0x3", "0x3"},
        {"douze chiffres", "888888888888"},
        {"255 chiffres", QByteArray(255, '9')}};
    for (const auto& [nom, valeur] : nombresFaux) {
        QTest::addRow("P = %s", nom) << AvecChamp(ChampP, valeur) << 0 << QString();
        QTest::addRow("N = %s", nom) << AvecChamp(ChampN, valeur) << 0 << QString();
        QTest::addRow("S(1) = %s", nom) << AvecChamp(ChampS1, valeur) << 0 << QString();
        QTest::addRow("K = %s", nom) << AvecChamp(ChampK, valeur) << 0 << QString();
        QTest::addRow("C = %s", nom) << AvecChamp(ChampC, valeur) << 0 << QString();
        QTest::addRow("arrondi = %s", nom) << AvecChamp(ChampArrondi, valeur) << 0 << QString();
        QTest::addRow("type annuel = %s", nom)
            << AvecChamp(ChampTypeAnnuel, valeur) << 0 << QString();
    }
    QTest::newRow("P = 0") << AvecChamp(ChampP, "0") << 0 << QString();
    QTest::newRow("P = 128") << AvecChamp(ChampP, "128") << 0 << QString();
    QTest::newRow("P = 255") << AvecChamp(ChampP, "255") << 0 << QString();
    QTest::newRow("N plus grand que les données") << AvecChamp(ChampN, "200") << 0 << QString();
    QTest::newRow("S(3) plus grand que les données") << AvecChamp(ChampS3, "2") << 0 << QString();
    QTest::newRow("K plus grand que les données") << AvecChamp(ChampK, "255") << 0 << QString();
    QTest::newRow("256 séries dans l'année") << AvecSeries({200, 56, 0}) << 0 << QString();
    QTest::newRow("255 + 1 séries") << AvecSeries({255, 1}) << 0 << QString();
    QTest::newRow("512 séries (un octet reviendrait à 0)")
        << AvecSeries({255, 255, 2}) << 0 << QString();
    QTest::newRow("champ plus long que le reste du fichier") << Champs()
                                                                    .Texte("Tavelin")
                                                                    .Texte("2.3")
                                                                    .Brut(QByteArray("\xC8"
                                                                                     "abc",
                                                                                     4))
                                                                    .Donnees()
                                                             << 0 << QString();
    QTest::newRow("octet de longueur seul à la fin")
        << (FichierActuel(ClasseExemple()).chopped(2) + QByteArray(1, '\x05')) << 0 << QString();

    // Old layouts.
    QTest::newRow("ancien : période 0") << FichierAncienAvecPeriode("0") << 0 << mauvaiseVersion;
    QTest::newRow("ancien : période 13") << FichierAncienAvecPeriode("13") << 0 << mauvaiseVersion;
    QTest::newRow("ancien : période 255") << FichierAncienAvecPeriode("255") << 0 << QString();
    QTest::newRow("ancien : période abc") << FichierAncienAvecPeriode("abc") << 0 << QString();
    QTest::newRow("ancien : période -1") << FichierAncienAvecPeriode("-1") << 0 << QString();
    QTest::newRow("ancien : période vide") << FichierAncienAvecPeriode("") << 0 << QString();
    QTest::newRow("ancien : période \" 2\"") << FichierAncienAvecPeriode(" 2") << 0 << QString();
    {
        QList<QByteArray> champs = *DecouperChamps(FichierAncien(ClasseAncienneExemple()));
        QList<QByteArray> n = champs, s = champs;
        n[7] = "abc";  // N
        s[10] = "256"; // S
        QTest::newRow("ancien : N = abc") << Assembler(n) << 0 << QString();
        QTest::newRow("ancien : S = 256") << Assembler(s) << 0 << QString();
        s[10] = "4"; // one series more than the file holds
        QTest::newRow("ancien : S plus grand que les données") << Assembler(s) << 0 << QString();
    }
}

void TestFichiersEndommages::endommage() {
    QFETCH(QByteArray, octets);
    QFETCH(int, genre);
    QFETCH(QString, cause);
    QString chemin = Chemin(QStringLiteral("endommage.tav"));
    QFile::remove(chemin);
    if (genre == 0) QVERIFY(EcrireFichier(chemin, octets));
    if (genre == 1) {
        chemin = Chemin(QStringLiteral("un dossier.tav"));
        QVERIFY(QDir().mkpath(chemin));
    }
    if (genre == 2) chemin = Chemin(QStringLiteral("absent.tav"));
    TFichierTav f(chemin, true);
    QVERIFY(!f.EstValide());
    QVERIFY(!f.CauseInvalidite().isEmpty());
    if (!cause.isEmpty())
        QVERIFY2(f.CauseInvalidite().contains(cause), qPrintable(f.CauseInvalidite()));
    QCOMPARE(f.NomFichier(), chemin);
    QVERIFY(!f.EstImporte());
    if (genre == 1) QVERIFY(QFileInfo(chemin).isDir());
}

void TestFichiersEndommages::tronqueAChaqueOctet_data() {
    QTest::addColumn<QByteArray>("octets");
    QTest::addColumn<bool>("ancien");
    for (const QString& v : VersionsActuelles())
        QTest::newRow(qPrintable(v)) << FichierActuel(ClasseExemple(), v) << false;
    QTest::newRow("1.0") << FichierAncien(ClasseAncienneExemple()) << true;
    QTest::newRow("bêta 2") << FichierAncien(ClasseAncienneExemple(), "bêta 2") << true;
}

void TestFichiersEndommages::tronqueAChaqueOctet() {
    QFETCH(QByteArray, octets);
    QFETCH(bool, ancien);
    const QString chemin = Chemin(QStringLiteral("tronque.tav"));
    QVERIFY(EcrireFichier(chemin, octets));
    QVERIFY(TFichierTav(chemin, true).EstValide());
    for (qsizetype n = 0; n < octets.size(); ++n) {
        QVERIFY(EcrireFichier(chemin, octets.left(n)));
        TFichierTav f(chemin, true);
        if (f.EstValide() || f.CauseInvalidite().isEmpty())
            QFAIL(qPrintable(QStringLiteral("fichier tronqué à %1 octets sur %2 : %3")
                                 .arg(n)
                                 .arg(octets.size())
                                 .arg(f.EstValide() ? QStringLiteral("chargé comme valide")
                                                    : QStringLiteral("sans cause"))));
        // The students-only load of the same prefix never crashes either.
        TFichierTav eleves(chemin, true, !ancien);
        QVERIFY(eleves.EstValide() || !eleves.CauseInvalidite().isEmpty());
    }
}

void TestFichiersEndommages::octetsAleatoires() {
    QRandomGenerator alea(20070301);
    const QString chemin = Chemin(QStringLiteral("aleatoire.tav"));
    for (int essai = 0; essai < 400; ++essai) {
        QByteArray octets(qsizetype(alea.bounded(2000)), Qt::Uninitialized);
        for (char& o : octets)
            o = char(alea.bounded(256));
        QVERIFY(EcrireFichier(chemin, octets));
        TFichierTav f(chemin, true);
        QVERIFY(!f.EstValide());
        QVERIFY(!f.CauseInvalidite().isEmpty());
    }
}

void TestFichiersEndommages::enteteSuivieDOctetsAleatoires() {
    QRandomGenerator alea(1789);
    const QString chemin = Chemin(QStringLiteral("entete.tav"));
    QStringList versions = VersionsActuelles() + VersionsAnciennes();
    for (int essai = 0; essai < 2000; ++essai) {
        Champs debut;
        debut.Texte("Tavelin").Texte(versions.at(essai % versions.size()));
        // Mostly small digit fields, so that the reader goes deep into the file.
        QByteArray octets = debut.Donnees();
        const int champs = int(alea.bounded(200));
        for (int i = 0; i < champs; ++i) {
            const int genre = int(alea.bounded(4));
            if (genre == 0) {
                octets.append(char(alea.bounded(256)));
            } else {
                const QByteArray n = QByteArray::number(alea.bounded(genre == 1 ? 256 : 4));
                octets.append(char(n.size())).append(n);
            }
        }
        QVERIFY(EcrireFichier(chemin, octets));
        QString probleme;
        QVERIFY2(Verifier(chemin, dossier.path(), probleme),
                 qPrintable(QStringLiteral("essai %1 : %2").arg(essai).arg(probleme)));
    }
}

void TestFichiersEndommages::mutationsDeFichiersValides_data() {
    tronqueAChaqueOctet_data();
}

void TestFichiersEndommages::mutationsDeFichiersValides() {
    QFETCH(QByteArray, octets);
    QRandomGenerator alea(quint32(octets.size()));
    const QString chemin = Chemin(QStringLiteral("mutation.tav"));
    int valides = 0;
    for (int essai = 0; essai < 1000; ++essai) {
        QByteArray m = octets;
        const int changements = 1 + int(alea.bounded(3));
        for (int c = 0; c < changements && !m.isEmpty(); ++c) {
            const qsizetype i = qsizetype(alea.bounded(int(m.size())));
            switch (alea.bounded(4)) {
            case 0:
                m[i] = char(alea.bounded(256));
                break;
            case 1:
                m[i] = char('0' + alea.bounded(10));
                break;
            case 2:
                m.remove(i, 1 + alea.bounded(3));
                break;
            case 3:
                m.insert(i, char(alea.bounded(256)));
                break;
            }
        }
        QVERIFY(EcrireFichier(chemin, m));
        QString probleme;
        QVERIFY2(Verifier(chemin, dossier.path(), probleme),
                 qPrintable(QStringLiteral("essai %1 : %2").arg(essai).arg(probleme)));
        valides += TFichierTav(chemin, true).EstValide();
    }
    qDebug("%d fichiers modifiés sur 1000 restent valides", valides);
}

QTEST_GUILESS_MAIN(TestFichiersEndommages)
#include "tst_fichiers_endommages.moc"
