// The texts of the summary of a class for a period or the year: the column layouts, the
// statistics rows, the ranking and the appreciations.
#include "tavX_bilan.h"
#include "tavX_fichierTav.h"
#include "tavtest_ecrivain.h"

#include <QtTest>

namespace {

const QString G = QStringLiteral("\"");

// The example class: 3 students, 3 trimesters, series in periods 1 and 3, 2 report-card
// columns; the oral series of period 1 is of type "Oral".
std::unique_ptr<TFichierTav> Exemple(const QTemporaryDir& dossier) {
    TavTest::Classe c = TavTest::ClasseExemple();
    c.series[1].typeNotes = QStringLiteral("Oral");
    const QString chemin = dossier.filePath(QStringLiteral("exemple.tav"));
    TavTest::EcrireFichier(chemin, TavTest::FichierActuel(c));
    auto f = std::make_unique<TFichierTav>(chemin, true);
    if (!f->EstValide()) qFatal("example class not valid");
    return f;
}

QStringList Entetes(const Bilan::TVue& v) {
    QStringList l;
    for (int c = 0; c < v.NombreColonnes(); ++c)
        l << v.Texte(c, 0);
    return l;
}

} // namespace

class TestBilan : public QObject {
    Q_OBJECT
    std::unique_ptr<TavTest::ReglagesPrives> reglages;
    QTemporaryDir dossier;

private slots:
    void init() { reglages = std::make_unique<TavTest::ReglagesPrives>(); }
    void cleanup() { reglages.reset(); }

    void dispositions_data() {
        QTest::addColumn<int>("vue");
        QTest::addColumn<bool>("parType");
        QTest::addColumn<bool>("ecritOral");
        QTest::addColumn<QStringList>("entetes");
        QTest::addColumn<int>("classement");
        QTest::addColumn<QList<int>>("statistiques");
        const QString noms = QStringLiteral("Noms et prénoms");
        const QString bulletin = QStringLiteral("Moyenne bulletin sur 20");
        const QString annuelle = QStringLiteral("Moyenne annuelle sur 20");
        const QString asc = QStringLiteral("Classement ascendant");
        const QStringList appr = {QStringLiteral("Appréciations générales"),
                                  QStringLiteral("Progrès")};
        const QStringList trimestres = {QStringLiteral("Premier trimestre"),
                                        QStringLiteral("Deuxième trimestre"),
                                        QStringLiteral("Troisième trimestre")};
        QTest::newRow("période, rien")
            << 1 << false << false << (QStringList{"", noms, bulletin, "", asc, ""} + appr) << 4
            << QList<int>{2};
        QTest::newRow("période, écrit et oral")
            << 1 << false << true
            << (QStringList{"", noms, "Ecrit", "Oral", "", bulletin, "", asc, ""} + appr) << 7
            << QList<int>{2, 3, 5};
        // Types sorted ignoring case, then a blank column.
        QTest::newRow("période, par type")
            << 1 << true << false
            << (QStringList{"", noms, "Moy. " + G + "Contrôle en classe" + G,
                            "Moy. " + G + "Oral" + G, "", bulletin, "", asc, ""} +
                appr)
            << 7 << QList<int>{2, 3, 5};
        QTest::newRow("période, les deux")
            << 1 << true << true
            << (QStringList{"", noms, "Moy. " + G + "Contrôle en classe" + G,
                            "Moy. " + G + "Oral" + G, "", "Moy. Ecrit", "Moy. Oral", "", bulletin,
                            "", asc, ""} +
                appr)
            << 10 << QList<int>{2, 3, 5, 6, 8};
        QTest::newRow("année, rien")
            << 4 << false << false
            << (QStringList{"", noms} + trimestres + QStringList{"", annuelle, "", asc}) << 8
            << QList<int>{2, 3, 4, 6};
        QTest::newRow("année, écrit et oral")
            << 4 << false << true
            << (QStringList{"", noms} + trimestres +
                QStringList{"", "Moy. 'Ecrit'", "Moy. 'Oral'", "", annuelle, "", asc})
            << 11 << QList<int>{2, 3, 4, 6, 7, 9};
        QTest::newRow("année, les deux")
            << 4 << true << true
            << (QStringList{"", noms, "Moy. " + G + "Contrôle en classe" + G,
                            "Moy. " + G + "Devoir à la maison" + G, "Moy. " + G + "Oral" + G, "",
                            "Moy. 'Ecrit'", "Moy. 'Oral'", ""} +
                trimestres + QStringList{"", annuelle, "", asc})
            << 15 << QList<int>{2, 3, 4, 6, 7, 9, 10, 11, 13};
    }
    void dispositions() {
        QFETCH(int, vue);
        QFETCH(bool, parType);
        QFETCH(bool, ecritOral);
        QFETCH(QStringList, entetes);
        QFETCH(int, classement);
        QFETCH(QList<int>, statistiques);
        auto f = Exemple(dossier);
        Bilan::TReglages r;
        r.parType = parType;
        r.ecritOral = ecritOral;
        const Bilan::TVue v = Bilan::Calculer(*f, vue, r);
        QVERIFY(!v.masquee);
        QCOMPARE(v.lignes, 3 + 9);
        QCOMPARE(Entetes(v), entetes);
        QCOMPARE(v.colonneClassement, classement);
        QCOMPARE(v.colonnesStatistiques, statistiques);
        for (const QStringList& c : v.cellules)
            QCOMPARE(c.size(), v.lignes);
    }

    void contenuDunePeriode() {
        auto f = Exemple(dossier);
        Bilan::TReglages r;
        r.redoublants = true;
        r.datesNaissance = true;
        const Bilan::TVue v = Bilan::Calculer(*f, 1, r);
        QCOMPARE(v.cellules.at(0).mid(0, 4), QStringList({"", "1", "2", "3"}));
        QCOMPARE(v.Texte(1, 2), QStringLiteral("Durand Émilie (21/11/1992) (R)"));
        QCOMPARE(v.Texte(1, 3 + 2), QStringLiteral("Moyenne :"));
        QCOMPARE(v.Texte(1, 3 + 8), QStringLiteral("% moyennes < moyenne classe :"));
        for (int s = 1; s <= 3; ++s) {
            QCOMPARE(v.Texte(2, s), f->MoyenneBulletin(1, s, 0));
            QCOMPARE(v.Texte(6, s), f->Appreciation(1, s, 1));
            QCOMPARE(v.Texte(7, s), f->Appreciation(1, s, 2));
        }
        const auto st = f->StatistiquesColonne(v.cellules.at(2).mid(1, 3));
        QCOMPARE(v.cellules.at(2).mid(5, 7),
                 QStringList({st.moyenne, "", st.minimum, st.maximum, st.ecartType,
                              st.pourcentageSousMoyenne, st.pourcentageSousMoyenneClasse}));
        QVERIFY(!st.moyenne.isEmpty());
        QCOMPARE(v.cellules.at(4).mid(0, 4), f->Classement(1, 0, 0, 0, 0).mid(0, 4));
        r.descendant = true;
        const Bilan::TVue d = Bilan::Calculer(*f, 1, r);
        QCOMPARE(d.Texte(4, 0), QStringLiteral("Classement descendant"));
        QCOMPARE(d.Texte(4, 1), v.Texte(4, 3));
    }

    void vuesMasquees() {
        auto f = Exemple(dossier);
        QVERIFY(Bilan::Calculer(*f, 2, {}).masquee); // no series in the second trimester
        QVERIFY(!Bilan::Calculer(*f, 4, {}).masquee);
        QVERIFY(Bilan::Calculer(*f, 5, {}).masquee);
        QVERIFY(Bilan::Calculer(*f, 0, {}).masquee);
        TFichierTav vide;
        vide.InitialiserClasse(QStringLiteral("Trimestres"),
                               QStringLiteral("Bulletins par défaut"));
        vide.AjouterEleve(QStringLiteral("A"), QString(), false);
        QVERIFY(Bilan::Calculer(vide, 4, {}).masquee); // the year of a class without series
    }

    void moyenneDuneLigneDeClassement_data() {
        QTest::addColumn<QString>("ligne");
        QTest::addColumn<QString>("moyenne");
        QTest::newRow("simple") << "Martin Paul -> 9,50"
                                << "9,50";
        QTest::newRow("nom avec flèche") << "Dupont -> Durand -> 12,25"
                                         << "12,25";
        QTest::newRow("nom finissant par ->") << "X-> -> 3,00"
                                              << "3,00";
        QTest::newRow("sans flèche") << "Classement ascendant"
                                     << "";
    }
    void moyenneDuneLigneDeClassement() {
        QFETCH(QString, ligne);
        QFETCH(QString, moyenne);
        QCOMPARE(Bilan::MoyenneDeClassement(ligne), moyenne);
    }
};

QTEST_GUILESS_MAIN(TestBilan)
#include "tst_bilan.moc"
