// The small lists of a class file: students, periods, report-card types, and
// the index-driven quicksort.
#include "QSort.h"
#include "tavX_bulletins.h"
#include "tavX_eleves.h"
#include "tavX_exceptions.h"
#include "tavX_periodes.h"

#include <QRandomGenerator>
#include <QTest>
#include <algorithm>
#include <vector>

class TestListes : public QObject {
    Q_OBJECT

private slots:
    // TEleves
    void eleves_triFrancaisSansCasse();
    void eleves_accentsEtCasse_data();
    void eleves_accentsEtCasse();
    void eleves_nouvelEgalEnPremier();
    void eleves_nomEtBornes();
    void eleves_supprimerHorsBornes();
    void eleves_remplacerCoupeEtTrie();
    void eleves_nombreAuDelaDUnOctet();

    // TPeriodes
    void periodes_parDefaut();
    void periodes_nomEtBornes();
    void periodes_remplacer();
    void periodes_remplacerVideOuTropLong();
    void periodes_drapeaux();
    void periodes_typesIntegres();

    // TTypeBulletins
    void bulletins_parDefaut();
    void bulletins_erreurDIndice_data();
    void bulletins_erreurDIndice();
    void bulletins_colonnes();

    // TQSort
    void qsort_exemple312();
    void qsort_neFaitRienSansEvenementsOuAvecMoinsDeDeux();
    void qsort_senderTransmis();
    void qsort_aleatoireContreStdSort_data();
    void qsort_aleatoireContreStdSort();
    void qsort_exceptionPropagee();
};

// ---- TEleves -----------------------------------------------------------------

void TestListes::eleves_triFrancaisSansCasse() {
    TEleves e;
    e.Ajouter(QStringLiteral("Martin Luc"));
    e.Ajouter(QStringLiteral("DUPONT Jean"));
    QCOMPARE(e.Ajouter(QStringLiteral("dupont Marie")), 1);
    QCOMPARE(e.Liste(), QStringList({QStringLiteral("DUPONT Jean"), QStringLiteral("dupont Marie"),
                                     QStringLiteral("Martin Luc")}));
    QCOMPARE(e.Nombre(), quint8(3));
}

void TestListes::eleves_accentsEtCasse_data() {
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<int>("signe");
    QTest::newRow("accent après la lettre nue") << "Emile"
                                                << "Émile" << -1;
    QTest::newRow("accent ne passe pas devant la lettre suivante") << "Élodie"
                                                                   << "Fabre" << -1;
    QTest::newRow("é entre e et f") << "Eve"
                                    << "Éva" << 1;
    QTest::newRow("casse ignorée") << "ZOLA"
                                   << "zola" << 0;
    QTest::newRow("casse ignorée, accent compté") << "DUPONT ÉLISE"
                                                  << "dupont elise" << 1;
    QTest::newRow("ç comme c") << "François"
                               << "Francois" << 1;
    QTest::newRow("majuscule ne passe pas devant") << "Zoé"
                                                   << "arthur" << 1;
}

void TestListes::eleves_accentsEtCasse() {
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(int, signe);
    const int r = TEleves::Comparer(a, b);
    QCOMPARE((r > 0) - (r < 0), signe);
}

void TestListes::eleves_nouvelEgalEnPremier() {
    TEleves e;
    e.Ajouter(QStringLiteral("Bernard Luc"));
    e.Ajouter(QStringLiteral("Dupont Jean"));
    e.Ajouter(QStringLiteral("Petit Anne"));
    QCOMPARE(e.Ajouter(QStringLiteral("DUPONT JEAN")), 1);
    QCOMPARE(e.Nom(2), QStringLiteral("DUPONT JEAN"));
    QCOMPARE(e.Nom(3), QStringLiteral("Dupont Jean"));
    QCOMPARE(e.Ajouter(QStringLiteral("dupont jean")), 1);
    QCOMPARE(e.Liste(), QStringList({QStringLiteral("Bernard Luc"), QStringLiteral("dupont jean"),
                                     QStringLiteral("DUPONT JEAN"), QStringLiteral("Dupont Jean"),
                                     QStringLiteral("Petit Anne")}));
    QCOMPARE(e.PositionInsertion(QStringLiteral("Dupont JEAN")), 1);
    QCOMPARE(e.PositionInsertion(QStringLiteral("Zola")), 5);
    QCOMPARE(e.PositionInsertion(QStringLiteral("Aaron")), 0);
}

void TestListes::eleves_nomEtBornes() {
    TEleves e;
    e.Ajouter(QStringLiteral("B"));
    e.Ajouter(QStringLiteral("A"));
    QCOMPARE(e.Nom(1), QStringLiteral("A"));
    QCOMPARE(e.Nom(2), QStringLiteral("B"));
    QCOMPARE(e.Nom(3), QString());
    QCOMPARE(e.Nom(200), QString());
    QVERIFY_THROWS_EXCEPTION(TTavException, e.Nom(0));
    QVERIFY_THROWS_EXCEPTION(TTavException, e.Nom(-1));
}

void TestListes::eleves_supprimerHorsBornes() {
    TEleves e;
    for (const char* n : {"Caron", "Abel", "Bruel"})
        e.Ajouter(QString::fromLatin1(n));
    const QStringList avant = e.Liste();
    e.Supprimer(0);
    e.Supprimer(4);
    e.Supprimer(-3);
    QCOMPARE(e.Liste(), avant);
    e.Supprimer(2);
    QCOMPARE(e.Liste(), QStringList({QStringLiteral("Abel"), QStringLiteral("Caron")}));
    e.Supprimer(2);
    e.Supprimer(1);
    QCOMPARE(e.Nombre(), quint8(0));
}

void TestListes::eleves_remplacerCoupeEtTrie() {
    TEleves e;
    e.Ajouter(QStringLiteral("Ancien"));
    const QString long150 = QString(150, QLatin1Char('x'));
    e.Remplacer({QStringLiteral("Petit Anne"), long150, QStringLiteral("bernard Luc"),
                 QStringLiteral("Éric Dumas")});
    QCOMPARE(e.Nombre(), quint8(4));
    QCOMPARE(e.Nom(1), QStringLiteral("bernard Luc"));
    QCOMPARE(e.Nom(2), QStringLiteral("Éric Dumas"));
    QCOMPARE(e.Nom(3), QStringLiteral("Petit Anne"));
    QCOMPARE(e.Nom(4), QString(100, QLatin1Char('x')));
    QVERIFY(!e.Liste().contains(QStringLiteral("Ancien")));
    e.Remplacer({});
    QCOMPARE(e.Nombre(), quint8(0));
}

void TestListes::eleves_nombreAuDelaDUnOctet() {
    TEleves e;
    for (int i = 0; i < 255; ++i)
        e.Ajouter(QStringLiteral("Élève %1").arg(i, 3, 10, QLatin1Char('0')));
    QCOMPARE(e.Nombre(), quint8(255));
    e.Ajouter(QStringLiteral("Un de trop"));
    QVERIFY_THROWS_EXCEPTION(TTavException, e.Nombre());
}

// ---- TPeriodes ---------------------------------------------------------------

void TestListes::periodes_parDefaut() {
    const TPeriodes p;
    QCOMPARE(p.TypePeriodes(), QStringLiteral("Trimestres"));
    QCOMPARE(p.Nombre(), quint8(3));
    QCOMPARE(p.Liste(),
             QStringList({QStringLiteral("Premier trimestre"), QStringLiteral("Deuxième trimestre"),
                          QStringLiteral("Troisième trimestre")}));
    for (int i = 1; i <= 3; ++i)
        QCOMPARE(p.PeriodeARecalculer(i), quint8(1));
}

void TestListes::periodes_nomEtBornes() {
    const TPeriodes p;
    QCOMPARE(p.Nom(1), QStringLiteral("Premier trimestre"));
    QCOMPARE(p.Nom(3), QStringLiteral("Troisième trimestre"));
    QCOMPARE(p.Nom(4), QString());
    QVERIFY_THROWS_EXCEPTION(TTavException, p.Nom(0));
}

void TestListes::periodes_remplacer() {
    TPeriodes p;
    p.MarquerPeriode(1, 0);
    p.ModifierTypePeriodes(QStringLiteral("Bimestres"));
    const QStringList noms = {QStringLiteral("B1"), QStringLiteral("B2"), QStringLiteral("B3"),
                              QStringLiteral("B4"), QStringLiteral("B5")};
    p.Remplacer(noms);
    QCOMPARE(p.TypePeriodes(), QStringLiteral("Bimestres"));
    QCOMPARE(p.Nombre(), quint8(5));
    QCOMPARE(p.Liste(), noms);
    for (int i = 1; i <= 5; ++i)
        QCOMPARE(p.PeriodeARecalculer(i), quint8(1));
    QVERIFY_THROWS_EXCEPTION(TTavException, p.PeriodeARecalculer(6));

    // 256 names are accepted but can no longer be counted in a byte.
    QStringList beaucoup;
    for (int i = 0; i < 256; ++i)
        beaucoup.append(QString::number(i));
    p.Remplacer(beaucoup);
    QCOMPARE(p.Liste().size(), 256);
    QVERIFY_THROWS_EXCEPTION(TTavException, p.Nombre());
    QCOMPARE(p.PeriodeARecalculer(256), quint8(1));
}

void TestListes::periodes_remplacerVideOuTropLong() {
    TPeriodes p;
    QVERIFY_THROWS_EXCEPTION(TTavException, p.Remplacer({}));
    QCOMPARE(p.Nombre(), quint8(0));
    QVERIFY(p.Liste().isEmpty());
    QCOMPARE(p.Nom(1), QString());

    TPeriodes q;
    QStringList trop;
    for (int i = 0; i < 257; ++i)
        trop.append(QString::number(i));
    QVERIFY_THROWS_EXCEPTION(TTavException, q.Remplacer(trop));
    QCOMPARE(q.Nombre(), quint8(0));
}

void TestListes::periodes_drapeaux() {
    TPeriodes p;
    p.MarquerPeriode(2, 0);
    QCOMPARE(p.PeriodeARecalculer(1), quint8(1));
    QCOMPARE(p.PeriodeARecalculer(2), quint8(0));
    QCOMPARE(p.PeriodeARecalculer(3), quint8(1));
    p.MarquerPeriode(1, 0);
    p.MarquerPeriode(3, 0);
    p.MarquerToutes();
    for (int i = 1; i <= 3; ++i)
        QCOMPARE(p.PeriodeARecalculer(i), quint8(1));
    QVERIFY_THROWS_EXCEPTION(TTavException, p.MarquerPeriode(0, 1));
    QVERIFY_THROWS_EXCEPTION(TTavException, p.MarquerPeriode(4, 1));
    QVERIFY_THROWS_EXCEPTION(TTavException, p.PeriodeARecalculer(0));
}

void TestListes::periodes_typesIntegres() {
    QCOMPARE(
        TPeriodes::NomsIntegres(QStringLiteral("Semestres")),
        QStringList({QStringLiteral("Premier semestre"), QStringLiteral("Deuxième semestre")}));
    const QStringList mois = TPeriodes::NomsIntegres(QStringLiteral("Mois"));
    QCOMPARE(mois.size(), 12);
    QCOMPARE(mois.first(), QStringLiteral("Septembre"));
    QCOMPARE(mois.at(3), QStringLiteral("Décembre"));
    QCOMPARE(mois.at(5), QStringLiteral("Février"));
    QCOMPARE(mois.last(), QStringLiteral("Août"));
    QVERIFY(TPeriodes::NomsIntegres(QStringLiteral("Quinzaines")).isEmpty());
    QVERIFY(TPeriodes::NomsIntegres(QStringLiteral("trimestres")).isEmpty());
}

// ---- TTypeBulletins ----------------------------------------------------------

void TestListes::bulletins_parDefaut() {
    const TTypeBulletins b;
    QCOMPARE(b.Nom(), QStringLiteral("Bulletins par défaut"));
    QCOMPARE(b.Nombre(), quint8(1));
    QCOMPARE(b.renvoieNom(1), QStringLiteral("Appréciations"));
    QCOMPARE(TTypeBulletins::ColonnesIntegrees(QStringLiteral("Nouveaux bulletins du collège")),
             QStringList({QStringLiteral("Appréciations générales"),
                          QStringLiteral("Progrès et efforts"),
                          QStringLiteral("Conseils pour progresser")}));
    QVERIFY(TTypeBulletins::ColonnesIntegrees(QStringLiteral("Autre")).isEmpty());
}

void TestListes::bulletins_erreurDIndice_data() {
    QTest::addColumn<int>("c");
    QTest::newRow("2") << 2;
    QTest::newRow("0") << 0;
    QTest::newRow("-1") << -1;
    QTest::newRow("1000") << 1000;
}

void TestListes::bulletins_erreurDIndice() {
    QFETCH(int, c);
    const TTypeBulletins b;
    try {
        b.renvoieNom(c);
        QFAIL("renvoieNom aurait dû lever une exception");
    } catch (const TTavException& e) {
        QCOMPARE(e.Message(), QStringLiteral("[TTypeBulletins.renvoieNom] - erreur d'indice."));
    }
}

void TestListes::bulletins_colonnes() {
    TTypeBulletins b;
    b.ModifierNom(QStringLiteral("Nouveaux bulletins du collège"));
    b.ModifierColonnes({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
    QCOMPARE(b.Nombre(), quint8(3));
    QCOMPARE(b.renvoieNom(3), QStringLiteral("C"));
    b.ModifierColonnes({});
    QCOMPARE(b.Nombre(), quint8(0));
    QVERIFY_THROWS_EXCEPTION(TTavException, b.renvoieNom(1));
    QStringList trop;
    for (int i = 0; i < 256; ++i)
        trop.append(QString::number(i));
    b.ModifierColonnes(trop);
    QVERIFY_THROWS_EXCEPTION(TTavException, b.Nombre());
}

// ---- TQSort ------------------------------------------------------------------

namespace {

// A list of integers sorted through TQSort, counting the events.
struct Trieur {
    std::vector<int> v;
    int comparaisons = 0;
    int echanges = 0;
    bool horsBornes = false;
    TQSort tri;

    Trieur() {
        tri.Compare = [this](void* sender, quint16 a, quint16 b, int& action) {
            auto* liste = static_cast<std::vector<int>*>(sender);
            ++comparaisons;
            if (a >= liste->size() || b >= liste->size()) {
                horsBornes = true;
                action = 0;
                return;
            }
            action = (*liste)[a] < (*liste)[b] ? -1 : (*liste)[a] > (*liste)[b] ? 1 : 0;
        };
        tri.Swap = [this](void* sender, quint16 a, quint16 b) {
            auto* liste = static_cast<std::vector<int>*>(sender);
            ++echanges;
            if (a >= liste->size() || b >= liste->size()) {
                horsBornes = true;
                return;
            }
            std::swap((*liste)[a], (*liste)[b]);
        };
    }
    void Trier() { tri.Trier(&v, int(v.size())); }
};

} // namespace

void TestListes::qsort_exemple312() {
    Trieur t;
    t.v = {3, 1, 2};
    t.Trier();
    QCOMPARE(t.v, std::vector<int>({1, 2, 3}));
    QCOMPARE(t.comparaisons, 3);
    QCOMPARE(t.echanges, 2);
}

void TestListes::qsort_neFaitRienSansEvenementsOuAvecMoinsDeDeux() {
    Trieur t;
    t.v = {2, 1};
    t.tri.Trier(&t.v, 1);
    t.tri.Trier(&t.v, 0);
    t.tri.Trier(&t.v, -5);
    QCOMPARE(t.comparaisons, 0);
    QCOMPARE(t.v, std::vector<int>({2, 1}));

    TQSort sansEchange;
    int appels = 0;
    sansEchange.Compare = [&](void*, quint16, quint16, int& a) {
        ++appels;
        a = 1;
    };
    std::vector<int> v = {3, 2, 1};
    sansEchange.Trier(&v, 3);
    QCOMPARE(appels, 0);

    TQSort sansComparaison;
    sansComparaison.Swap = [&](void*, quint16, quint16) { ++appels; };
    sansComparaison.Trier(&v, 3);
    QCOMPARE(appels, 0);

    // Two items: one comparison, one exchange when out of order.
    Trieur deux;
    deux.v = {5, 4};
    deux.Trier();
    QCOMPARE(deux.v, std::vector<int>({4, 5}));
    QCOMPARE(deux.comparaisons, 1);
    QCOMPARE(deux.echanges, 1);
}

void TestListes::qsort_senderTransmis() {
    TQSort tri;
    int marqueur = 0;
    bool toujoursLeMeme = true;
    std::vector<int> v = {4, 3, 2, 1, 0};
    tri.Compare = [&](void* s, quint16 a, quint16 b, int& r) {
        toujoursLeMeme = toujoursLeMeme && s == &marqueur;
        r = v[a] - v[b];
    };
    tri.Swap = [&](void* s, quint16 a, quint16 b) {
        toujoursLeMeme = toujoursLeMeme && s == &marqueur;
        std::swap(v[a], v[b]);
    };
    tri.Trier(&marqueur, 5);
    QVERIFY(toujoursLeMeme);
    QCOMPARE(v, std::vector<int>({0, 1, 2, 3, 4}));
}

void TestListes::qsort_aleatoireContreStdSort_data() {
    QTest::addColumn<int>("taille");
    QTest::addColumn<int>("valeurs"); // values drawn from 0..valeurs-1
    QTest::addColumn<int>("forme");   // 0 random, 1 sorted, 2 reversed, 3 organ pipe
    for (int taille : {3, 4, 5, 6, 7, 8, 9, 10, 16, 31, 50, 255, 1000}) {
        for (int valeurs : {1, 2, 3, 10, 1000000}) {
            for (int forme = 0; forme < 4; ++forme) {
                const QByteArray nom = QByteArray::number(taille) + " éléments, " +
                                       QByteArray::number(valeurs) + " valeurs, forme " +
                                       QByteArray::number(forme);
                QTest::newRow(nom.constData()) << taille << valeurs << forme;
            }
        }
    }
    QTest::newRow("65535 éléments, 7 valeurs") << 65535 << 7 << 0;
}

void TestListes::qsort_aleatoireContreStdSort() {
    QFETCH(int, taille);
    QFETCH(int, valeurs);
    QFETCH(int, forme);
    QRandomGenerator alea(quint32(taille * 7919 + valeurs * 31 + forme));
    for (int essai = 0; essai < (taille <= 50 ? 40 : 3); ++essai) {
        Trieur t;
        t.v.resize(taille);
        for (int& x : t.v)
            x = int(alea.bounded(valeurs));
        if (forme == 1) std::sort(t.v.begin(), t.v.end());
        if (forme == 2) std::sort(t.v.rbegin(), t.v.rend());
        if (forme == 3) {
            std::sort(t.v.begin(), t.v.end());
            std::reverse(t.v.begin() + taille / 2, t.v.end());
        }
        std::vector<int> attendu = t.v;
        std::sort(attendu.begin(), attendu.end());
        t.Trier();
        QVERIFY(!t.horsBornes);
        QCOMPARE(t.v, attendu);
    }
}

void TestListes::qsort_exceptionPropagee() {
    TQSort tri;
    std::vector<int> v = {3, 2, 1, 0};
    int comparaisons = 0;
    tri.Compare = [&](void*, quint16 a, quint16 b, int& r) {
        if (++comparaisons == 2) throw TTavException(QStringLiteral("arrêt"));
        r = v[a] - v[b];
    };
    tri.Swap = [&](void*, quint16 a, quint16 b) { std::swap(v[a], v[b]); };
    QVERIFY_THROWS_EXCEPTION(TTavException, tri.Trier(&v, 4));
    QCOMPARE(comparaisons, 2);
}

QTEST_GUILESS_MAIN(TestListes)
#include "tst_listes.moc"
