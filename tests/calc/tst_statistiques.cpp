// Series and list statistics, school-record shares, lowest and highest
// marks, ranking.
#include "classe_calculs.h"
#include "tavX_exceptions.h"
#include "tavX_nombres.h"
#include "tavX_options.h"
#include "tavtest_ecrivain.h"

#include <QtTest>

using namespace TavCalc;
using namespace Tav;

namespace {

QStringList Statistiques(const TFichierTav& f, int p, int j) {
    return {f.MinimumSerie(p, j),
            f.MaximumSerie(p, j),
            f.EcartTypeSerie(p, j),
            f.MoyenneSerie(p, j),
            f.NombreNotesSerie(p, j),
            f.PourcentageSousMoyenne(p, j),
            f.PourcentageSousMoyenneClasse(p, j)};
}

QStringList Eleves(int n) {
    QStringList noms;
    for (int i = 0; i < n; ++i)
        noms.append(QStringLiteral("Élève %1").arg(i, 2, 10, QLatin1Char('0')));
    return noms;
}

} // namespace

class TestStatistiques : public QObject {
    Q_OBJECT

    std::unique_ptr<TavTest::ReglagesPrives> reglages;

private slots:
    void init() { reglages = std::make_unique<TavTest::ReglagesPrives>(); }
    void cleanup() { reglages.reset(); }

    // ---- Series statistics ----

    void serie_exemple() {
        auto f = Classe(Eleves(5));
        AjouterSerie(*f, 1, {"16", "abs", "11", "9", ""});
        QCOMPARE(Statistiques(*f, 1, 1),
                 QStringList({"9", "16", "2,94", "12,00", "3", "33,33 %", "66,67 %"}));
    }

    void serie_sansNote() {
        auto f = Classe(Eleves(3));
        AjouterSerie(*f, 1, {"abs", "", "absent"});
        QCOMPARE(Statistiques(*f, 1, 1), QStringList({"", "", "", "", "0", "", ""}));
        auto vide = Classe({});
        AjouterSerie(*vide, 1, {});
        QCOMPARE(Statistiques(*vide, 1, 1), QStringList({"", "", "", "", "0", "", ""}));
    }

    void serie_moitieDuMaximum() {
        auto f = Classe(Eleves(2));
        AjouterSerie(*f, 1, {"4", "6"}, Sur("10"));
        QCOMPARE(f->PourcentageSousMoyenne(1, 1), QStringLiteral("50,00 %"));
        // Strictly below: 5 on 10 is not below half.
        f->ModifierNote(1, 1, QStringLiteral("5"), 1);
        QCOMPARE(f->PourcentageSousMoyenne(1, 1), QStringLiteral("0,00 %"));
    }

    void serie_changerLeMaximum() {
        auto f = Classe(Eleves(2));
        AjouterSerie(*f, 1, {"6", "12"}, Sur("20"));
        QCOMPARE(f->PourcentageSousMoyenne(1, 1), QStringLiteral("50,00 %"));
        f->ModifierNoteSur(1, 1, QStringLiteral("10"));
        QCOMPARE(f->PourcentageSousMoyenne(1, 1), QStringLiteral("0,00 %"));
        f->ModifierNoteSur(1, 1, QStringLiteral("40"));
        QCOMPARE(f->PourcentageSousMoyenne(1, 1), QStringLiteral("100,00 %"));
    }

    void serie_notesEgalesEcartTypeNul() {
        // Σx²/n − (Σx/n)² may come out a hair below zero: still 0,00.
        for (const char* note : {"12,3", "0,1", "17,7", "13,37", "1e-3", "19,99"}) {
            for (int n : {2, 3, 7, 30, 50}) {
                auto f = Classe(Eleves(n));
                AjouterSerie(*f, 1, QStringList(qsizetype(n), QString::fromLatin1(note)));
                QCOMPARE(f->EcartTypeSerie(1, 1), QStringLiteral("0,00"));
                QCOMPARE(f->PourcentageSousMoyenneClasse(1, 1), QStringLiteral("0,00 %"));
            }
        }
    }

    void serie_minimumPartDuMaximum() {
        // Kept as designed: every mark above the maximum reports the maximum.
        auto f = Classe(Eleves(2));
        AjouterSerie(*f, 1, {"22", "25"}, Sur("20"));
        QCOMPARE(f->MinimumSerie(1, 1), QStringLiteral("20"));
        QCOMPARE(f->MaximumSerie(1, 1), QStringLiteral("25"));
    }

    void serie_formatGeneral() {
        auto f = Classe(Eleves(3));
        AjouterSerie(*f, 1, {"7,50", "12,25", "0"}, Sur("12,5"));
        QCOMPARE(f->MinimumSerie(1, 1), QStringLiteral("0"));
        QCOMPARE(f->MaximumSerie(1, 1), QStringLiteral("12,25"));
        QCOMPARE(f->MoyenneSerie(1, 1), QStringLiteral("6,58"));
        QCOMPARE(f->PourcentageSousMoyenne(1, 1), QStringLiteral("33,33 %"));
    }

    void serie_neTientPasCompteDuCoefficientNiDuDrapeau() {
        auto f = Classe(Eleves(2));
        Serie d = Sur("20", "0");
        d.compte = QStringLiteral("non");
        AjouterSerie(*f, 1, {"8", "12"}, d);
        QCOMPARE(f->MoyenneSerie(1, 1), QStringLiteral("10,00"));
        QCOMPARE(f->NombreNotesSerie(1, 1), QStringLiteral("2"));
    }

    void serie_maximumIllisibleNeLevePasDErreur() {
        auto f = Classe(Eleves(2));
        AjouterSerie(*f, 1, {"8", "12"}, Sur("vingt"));
        QCOMPARE(f->MinimumSerie(1, 1), QStringLiteral("8"));
        QCOMPARE(f->MoyenneSerie(1, 1), QStringLiteral("10,00"));
        QCOMPARE(f->PourcentageSousMoyenne(1, 1), QString());
    }

    void serie_indicesHorsLimites() {
        auto f = Classe(Eleves(2));
        AjouterSerie(*f, 2, {"8", "12"});
        QVERIFY_THROWS_EXCEPTION(TErreurIndice, f->MoyenneSerie(1, 1));
        QVERIFY_THROWS_EXCEPTION(TErreurIndice, f->MoyenneSerie(2, 2));
        QVERIFY_THROWS_EXCEPTION(TErreurIndice, f->MoyenneSerie(4, 1));
        QVERIFY_THROWS_EXCEPTION(TErreurIndice, f->StatistiqueSerie(2, 1, 8));
        QCOMPARE(f->StatistiqueSerie(2, 1, 4), QStringLiteral("10,00"));
    }

    // ---- List statistics ----

    void liste_exemple() {
        const QStringList l = {"16", "abs", "11", "9", ""};
        QCOMPARE(TFichierTav::MinimumListe(l), QStringLiteral("9,00"));
        QCOMPARE(TFichierTav::MaximumListe(l), QStringLiteral("16,00"));
        QCOMPARE(TFichierTav::MoyenneListe(l), QStringLiteral("12,00"));
        QCOMPARE(TFichierTav::EcartTypeListe(l), QStringLiteral("2,94"));
        QCOMPARE(TFichierTav::PourcentageSousMoyenneListe(l, 20), QStringLiteral("33,33 %"));
        QCOMPARE(TFichierTav::PourcentageSousMoyenneListe(l, 40), QStringLiteral("100,00 %"));
        QCOMPARE(TFichierTav::PourcentageSousMoyenneClasseListe(l), QStringLiteral("66,67 %"));
    }

    void liste_echelleDeLaClasse() {
        auto f = Classe({});
        f->ImposerMoyennesSur(10);
        QCOMPARE(f->PourcentageSousMoyenneListe({"4", "6"}), QStringLiteral("50,00 %"));
    }

    void liste_sansNombre() {
        for (const QStringList& l : {QStringList(), QStringList({"", "abs", "12.5"})}) {
            QCOMPARE(TFichierTav::MinimumListe(l), QString());
            QCOMPARE(TFichierTav::MaximumListe(l), QString());
            QCOMPARE(TFichierTav::MoyenneListe(l), QString());
            QCOMPARE(TFichierTav::EcartTypeListe(l), QString());
            QCOMPARE(TFichierTav::PourcentageSousMoyenneListe(l, 20), QString());
            QCOMPARE(TFichierTav::PourcentageSousMoyenneClasseListe(l), QString());
        }
    }

    void liste_valeursEgales() {
        const QStringList l(3, QStringLiteral("12,3"));
        QCOMPARE(TFichierTav::EcartTypeListe(l), QStringLiteral("0,00"));
        QCOMPARE(TFichierTav::MinimumListe(l), QStringLiteral("12,30"));
    }

    void liste_negatifs() {
        const QStringList l = {"-1,5", "2", "-3"};
        QCOMPARE(TFichierTav::MinimumListe(l), QStringLiteral("-3,00"));
        QCOMPARE(TFichierTav::MaximumListe(l), QStringLiteral("2,00"));
    }

    // ---- Column statistics ----

    void colonne_minEtMaxEnFormatGeneral() {
        const auto st = TFichierTav::StatistiquesColonne({"12,50", "", "8,25", "abs", "15,00"}, 20);
        QCOMPARE(st.moyenne, QStringLiteral("11,92"));
        QCOMPARE(st.minimum, QStringLiteral("8,25"));
        QCOMPARE(st.maximum, QStringLiteral("15"));
        QCOMPARE(st.ecartType, QStringLiteral("2,79"));
        QCOMPARE(st.pourcentageSousMoyenne, QStringLiteral("33,33 %"));
        QCOMPARE(st.pourcentageSousMoyenneClasse, QStringLiteral("33,33 %"));
    }

    void colonne_vide() {
        const auto st = TFichierTav::StatistiquesColonne({"", "abs"}, 20);
        for (const QString& t : {st.moyenne, st.minimum, st.maximum, st.ecartType,
                                 st.pourcentageSousMoyenne, st.pourcentageSousMoyenneClasse})
            QCOMPARE(t, QString());
    }

    void colonne_memesResultatsQueLesListes() {
        const QStringList l = {"3,5", "17", "9,99", "10", "abs", "12,01"};
        const auto st = TFichierTav::StatistiquesColonne(l, 20);
        QCOMPARE(st.moyenne, TFichierTav::MoyenneListe(l));
        QCOMPARE(st.ecartType, TFichierTav::EcartTypeListe(l));
        QCOMPARE(st.pourcentageSousMoyenne, TFichierTav::PourcentageSousMoyenneListe(l, 20));
        QCOMPARE(st.pourcentageSousMoyenneClasse,
                 TFichierTav::PourcentageSousMoyenneClasseListe(l));
        QCOMPARE(st.minimum, QStringLiteral("3,5"));
        QCOMPARE(st.maximum, QStringLiteral("17"));
    }

    // ---- School-record shares ----

    void livret_exemple() {
        // 7,00; 10,00; 15,00 and no average: the last one falls in "12 and up".
        auto f = Classe(Eleves(4));
        AjouterSerie(*f, 1, {"7", "10", "15", "abs"});
        QCOMPARE(f->PourcentageLivretInf8(1, PasArrondi), QStringLiteral("25,00"));
        QCOMPARE(f->PourcentageLivret8a12(1, PasArrondi), QStringLiteral("25,00"));
        QCOMPARE(f->PourcentageLivretSup12(1, PasArrondi), QStringLiteral("50,00"));
    }

    void livret_bornesEtPoints() {
        // 8 and 12 belong to the upper share; bonus points count.
        auto f = Classe(Eleves(3));
        AjouterSerie(*f, 1, {"8", "12", "11,5"});
        f->ModifierPointsPlusMoins(1, 3, QStringLiteral("0,5"));
        QCOMPARE(f->PourcentageLivretInf8(1, PasArrondi), QStringLiteral("0,00"));
        QCOMPARE(f->PourcentageLivret8a12(1, PasArrondi), QStringLiteral("33,33"));
        QCOMPARE(f->PourcentageLivretSup12(1, PasArrondi), QStringLiteral("66,67"));
        // Rounding 7,9 up to 8 with the half mode moves it between shares.
        f->ModifierNote(1, 1, QStringLiteral("7,9"), 1);
        QCOMPARE(f->PourcentageLivretInf8(1, PasArrondi), QStringLiteral("33,33"));
        QCOMPARE(f->PourcentageLivretInf8(1, ArrondiDemi), QStringLiteral("0,00"));
    }

    void livret_surDix() {
        auto f = Classe(Eleves(3));
        f->ImposerMoyennesSur(10);
        AjouterSerie(*f, 1, {"7", "11", "13"}); // 3,5; 5,5; 6,5 on 10
        QCOMPARE(f->PourcentageLivretInf8(1, PasArrondi), QStringLiteral("33,33"));
        QCOMPARE(f->PourcentageLivret8a12(1, PasArrondi), QStringLiteral("33,33"));
        QCOMPARE(f->PourcentageLivretSup12(1, PasArrondi), QStringLiteral("33,34"));
    }

    void livret_reglageDArrondi() {
        Options::ModifierArrondirMoyennes(ArrondiDemi);
        auto f = Classe(Eleves(1));
        AjouterSerie(*f, 1, {"7,9"});
        QCOMPARE(f->PourcentageLivretInf8(1), QStringLiteral("0,00"));
        QCOMPARE(f->PourcentageLivret8a12(1), QStringLiteral("100,00"));
        QCOMPARE(f->PourcentageLivretSup12(1), QStringLiteral("0,00"));
    }

    void livret_classeSansEleve() {
        auto f = Classe({});
        QCOMPARE(f->PourcentageLivretInf8(1, 0), QString());
        QCOMPARE(f->PourcentageLivret8a12(1, 0), QString());
        QCOMPARE(f->PourcentageLivretSup12(1, 0), QString());
    }

    // ---- Lowest and highest mark ----

    void extremes_exemple() {
        auto f = Classe(Eleves(1));
        Serie a = Sur("20");
        a.intitule = QStringLiteral("Contrôle 1");
        Serie b = Sur("5");
        b.intitule = QStringLiteral("Interrogation");
        AjouterSerie(*f, 1, {"15"}, a);
        AjouterSerie(*f, 1, {"4"}, b);
        QCOMPARE(f->NoteLaPlusBasse(1, 1), QStringLiteral("15,00/20 (Contrôle 1)"));
        QCOMPARE(f->NoteLaPlusHaute(1, 1), QStringLiteral("16,00/20 (Interrogation)"));
        f->ImposerMoyennesSur(10);
        QCOMPARE(f->NoteLaPlusBasse(1, 1), QStringLiteral("7,50/10 (Contrôle 1)"));
    }

    void extremes_maximumDecimal() {
        auto f = Classe(Eleves(1));
        Serie a = Sur("12,5");
        a.intitule = QStringLiteral("Sur 12,5");
        Serie b = Sur("20");
        b.intitule = QStringLiteral("Sur 20");
        AjouterSerie(*f, 1, {"5"}, a);
        AjouterSerie(*f, 1, {"10"}, b);
        QCOMPARE(f->NoteLaPlusBasse(1, 1), QStringLiteral("8,00/20 (Sur 12,5)"));
        QCOMPARE(f->NoteLaPlusHaute(1, 1), QStringLiteral("10,00/20 (Sur 20)"));
    }

    void extremes_egalitesEtSeriesIgnorees() {
        auto f = Classe(Eleves(1));
        const auto serie = [](const char* titre, const char* sur, const char* compte) {
            Serie d = Sur(QString::fromLatin1(sur));
            d.intitule = QString::fromLatin1(titre);
            d.compte = QString::fromLatin1(compte);
            return d;
        };
        AjouterSerie(*f, 1, {"abs"}, serie("absent", "20", "oui"));
        AjouterSerie(*f, 1, {"3"}, serie("sur zéro", "0", "oui"));
        AjouterSerie(*f, 1, {"3"}, serie("illisible", "vingt", "oui"));
        AjouterSerie(*f, 1, {"10"}, serie("premier", "20", "non"));
        AjouterSerie(*f, 1, {"5"}, serie("second", "10", "oui"));
        // Equal values: the earliest series; series that do not count are used.
        QCOMPARE(f->NoteLaPlusBasse(1, 1), QStringLiteral("10,00/20 (premier)"));
        QCOMPARE(f->NoteLaPlusHaute(1, 1), QStringLiteral("10,00/20 (premier)"));
        QCOMPARE(f->NoteLaPlusBasse(2, 1), QString());
    }

    // ---- Ranking ----

    void classement_exemple() {
        auto f =
            Classe({QStringLiteral("Alice"), QStringLiteral("Bruno"), QStringLiteral("Chloé")});
        AjouterSerie(*f, 1, {"12", "abs", "9,5"});
        QCOMPARE(f->Classement(1, 0, 0, 0, 0),
                 QStringList({"Classement ascendant", "Chloé -> 9,50", "Alice -> 12,00"}));
        QCOMPARE(f->Classement(1, 1, 0, 0, 0),
                 QStringList({"Classement descendant", "Alice -> 12,00", "Chloé -> 9,50"}));
        QCOMPARE(f->Classement(2, 0, 0, 0, 0), QStringList({"Classement ascendant"}));
    }

    void classement_nomContenantUneFleche() {
        auto f = Classe({QStringLiteral("A -> 99"), QStringLiteral("B->1"), QStringLiteral("C")});
        AjouterSerie(*f, 1, {"5", "15", "10"});
        QCOMPARE(f->Classement(1, 0, 0, 0, 0),
                 QStringList(
                     {"Classement ascendant", "A -> 99 -> 5,00", "C -> 10,00", "B->1 -> 15,00"}));
    }

    void classement_negatifsEtArrondis() {
        auto f =
            Classe({QStringLiteral("Alice"), QStringLiteral("Bruno"), QStringLiteral("Chloé")});
        AjouterSerie(*f, 1, {"0", "12,3", "1"});
        f->ModifierPointsPlusMoins(1, 1, QStringLiteral("-2"));
        QCOMPARE(
            f->Classement(1, 0, 0, 0, ArrondiDemi),
            QStringList({"Classement ascendant", "Alice -> -2,00", "Chloé -> 1", "Bruno -> 12,5"}));
    }

    void classement_descendantEstLInverseExact() {
        // Many ties: the descending list is the ascending one reversed.
        const int n = 40;
        auto f = Classe(Eleves(n));
        QStringList notes;
        for (int s = 0; s < n; ++s)
            notes.append(QString::number((s * 7) % 5 + 8));
        AjouterSerie(*f, 1, notes);
        const QStringList asc = f->Classement(1, 0, 0, 0, 0);
        QStringList desc = f->Classement(1, 1, 0, 0, 0);
        QCOMPARE(asc.size(), n + 1);
        QCOMPARE(desc.takeFirst(), QStringLiteral("Classement descendant"));
        std::reverse(desc.begin(), desc.end());
        QCOMPARE(desc, asc.mid(1));
        long double avant = -1;
        for (const QString& ligne : asc.mid(1)) {
            long double v;
            QVERIFY(LireNombre(ligne.section(QStringLiteral(" -> "), -1), v));
            QVERIFY(v >= avant);
            avant = v;
        }
    }

    void classement_annee() {
        auto f = Classe({QStringLiteral("Alice"), QStringLiteral("Bruno")});
        AjouterSerie(*f, 1, {"20", "10"});
        AjouterSerie(*f, 2, {"8", "12"});
        AjouterSerie(*f, 2, {"8", "12"});
        AjouterSerie(*f, 2, {"8", "12"});
        // Type 0: Alice 14, Bruno 11. Type 1: Alice 11, Bruno 11,5.
        for (int periode : {0, 4, 200}) {
            QCOMPARE(f->Classement(periode, 0, 0, PasArrondi, PasArrondi),
                     QStringList({"Classement ascendant", "Bruno -> 11,00", "Alice -> 14,00"}));
            QCOMPARE(f->Classement(periode, 0, 1, ArrondiDemi, PasArrondi),
                     QStringList({"Classement ascendant", "Alice -> 11", "Bruno -> 11,5"}));
        }
    }
};

QTEST_GUILESS_MAIN(TestStatistiques)
#include "tst_statistiques.moc"
