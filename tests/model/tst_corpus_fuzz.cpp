// Replays the seed corpus of the loader's fuzz target (fuzz/corpus) through
// the same path as the fuzzer: no input may crash or show a fault, the
// "valide_" seeds must load and the "endommage_" seeds must not.
//
// TAV_GENERER_CORPUS=<folder> makes the seeds again into that folder. Files
// named "endommage_crash_*" are inputs the fuzzer found, kept as they were.
#include "../../fuzz/fuzz_commun.h"
#include "tavtest_ecrivain.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace TavTest;

namespace {

QString DossierCorpus() {
    return QStringLiteral(TAV_SOURCE_DIR "/fuzz/corpus");
}

// The seeds: small valid files of every layout and a few damaged ones.
QList<QPair<QString, QByteArray>> Graines() {
    QList<QPair<QString, QByteArray>> g;
    for (const QString& v : VersionsActuelles())
        g.append({QStringLiteral("valide_%1.tav").arg(v), FichierActuel(ClasseExemple(), v)});
    for (const QString& v : VersionsAnciennes()) {
        QString nom = v;
        nom.replace(QStringLiteral("bêta "), QStringLiteral("beta"));
        g.append({QStringLiteral("valide_ancien_%1.tav").arg(nom),
                  FichierAncien(ClasseAncienneExemple(), v)});
    }
    g.append({QStringLiteral("valide_2.3_vide.tav"), FichierActuel(Classe())});

    Classe desordre = ClasseExemple();
    desordre.eleves[0].nom = QStringLiteral("Petit anne");
    desordre.eleves[2].nom = QStringLiteral("PETIT ANNE");
    std::swap(desordre.eleves[0], desordre.eleves[1]);
    g.append({QStringLiteral("valide_2.3_desordre.tav"), FichierActuel(desordre)});

    Classe octets = ClasseExemple();
    octets.remarque.clear();
    for (int o = 1; o < 256; ++o)
        octets.remarque.append(CaractereDeOctet(uchar(o)));
    octets.eleves[1].indiceLibelle = QStringLiteral("x");
    g.append({QStringLiteral("valide_2.3_octets.tav"), FichierActuel(octets)});

    Classe mois = ClasseExemple();
    mois.typePeriodes = QStringLiteral("Mois");
    mois.periodes = {"Septembre", "Octobre", "Novembre", "Décembre", "Janvier", "Février",
                     "Mars",      "Avril",   "Mai",      "Juin",     "Juillet", "Août"};
    mois.series[2].periode = 12;
    mois.colonnes = {"Appréciations générales", "Progrès et efforts", "Conseils pour progresser"};
    mois.points.clear();
    mois.appreciations.clear();
    g.append({QStringLiteral("valide_2.3_mois.tav"), FichierActuel(mois)});

    ClasseAncienne douze = ClasseAncienneExemple();
    douze.series[1].periode = QStringLiteral("12");
    douze.series[2].periode = QStringLiteral("5");
    g.append({QStringLiteral("valide_ancien_douze_periodes.tav"), FichierAncien(douze)});

    const QByteArray bon = FichierActuel(ClasseExemple());
    QList<QByteArray> champs = *DecouperChamps(bon);
    auto avec = [&](int i, const QByteArray& v) {
        QList<QByteArray> c = champs;
        c[i] = v;
        QByteArray b;
        for (const QByteArray& x : c)
            b.append(char(x.size())).append(x);
        return b;
    };
    g.append({QStringLiteral("endommage_signature.tav"), avec(0, "Tavelon")});
    g.append({QStringLiteral("endommage_version_2.4.tav"), avec(1, "2.4")});
    g.append({QStringLiteral("endommage_P_0.tav"), avec(9, "0")});
    g.append({QStringLiteral("endommage_P_128.tav"), avec(9, "128")});
    g.append({QStringLiteral("endommage_N_abc.tav"), avec(13, "abc")});
    g.append({QStringLiteral("endommage_S_256.tav"), avec(17, "256")});
    g.append({QStringLiteral("endommage_tronque.tav"), bon.left(bon.size() / 2)});
    g.append({QStringLiteral("endommage_vide.tav"), QByteArray()});
    ClasseAncienne periode13 = ClasseAncienneExemple();
    periode13.series[0].periode = QStringLiteral("13");
    g.append({QStringLiteral("endommage_ancien_periode_13.tav"), FichierAncien(periode13)});
    return g;
}

} // namespace

class TestCorpusFuzz : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void corpus_data();
    void corpus();

private:
    std::unique_ptr<ReglagesPrives> reglages;
    QTemporaryDir dossier;
};

void TestCorpusFuzz::initTestCase() {
    reglages = std::make_unique<ReglagesPrives>();
    QVERIFY(dossier.isValid());
    const QString cible = qEnvironmentVariable("TAV_GENERER_CORPUS");
    if (!cible.isEmpty()) {
        QVERIFY(QDir().mkpath(cible));
        for (const auto& [nom, octets] : Graines())
            QVERIFY(EcrireFichier(QDir(cible).filePath(nom), octets));
    }
}

void TestCorpusFuzz::corpus_data() {
    QTest::addColumn<QString>("chemin");
    const QFileInfoList fichiers = QDir(DossierCorpus()).entryInfoList(QDir::Files, QDir::Name);
    QVERIFY2(fichiers.size() >= 20, "corpus absent ou incomplet");
    for (const QFileInfo& f : fichiers)
        QTest::newRow(qPrintable(f.fileName())) << f.absoluteFilePath();
}

void TestCorpusFuzz::corpus() {
    QFETCH(QString, chemin);
    const QString nom = QFileInfo(chemin).fileName();
    const TavFuzz::Resultat r = TavFuzz::Rejouer(LireFichier(chemin), dossier.path());
    QVERIFY2(r.erreur.isEmpty(), qPrintable(r.erreur));
    if (nom.startsWith(QLatin1String("valide_"))) QVERIFY2(r.valide, qPrintable(r.cause));
    if (nom.startsWith(QLatin1String("endommage_"))) {
        QVERIFY(!r.valide);
        QVERIFY(!r.cause.isEmpty());
    }
}

QTEST_GUILESS_MAIN(TestCorpusFuzz)
#include "tst_corpus_fuzz.moc"
