// Annual averages, grade types, per-type and written/oral averages.
#include "classe_calculs.h"
#include "tavX_nombres.h"
#include "tavtest_ecrivain.h"

#include <QtTest>

using namespace TavCalc;
using namespace Tav;

namespace {

Serie DuType(const QString& type, const QString& coefficient = QStringLiteral("1")) {
    Serie d;
    d.type = type;
    d.coefficient = coefficient;
    return d;
}

Serie Oral(bool oral, const QString& compte = QStringLiteral("oui")) {
    Serie d;
    d.oral = oral;
    d.compte = compte;
    return d;
}

} // namespace

class TestAnnuelles : public QObject {
    Q_OBJECT

    std::unique_ptr<TavTest::ReglagesPrives> reglages;

private slots:
    void init() { reglages = std::make_unique<TavTest::ReglagesPrives>(); }
    void cleanup() { reglages.reset(); }

    // ---- MoyenneAnnuelle ----

    void annuelle_type0_moyenneDesPeriodes() {
        // 10,00; no average; 14,00: the empty period is left out, not zero.
        auto f = Classe({QStringLiteral("Alice")});
        AjouterSerie(*f, 1, {"10"});
        AjouterSerie(*f, 2, {"abs"});
        AjouterSerie(*f, 3, {"14"});
        QCOMPARE(f->MoyenneAnnuelle(1, PasArrondi, PasArrondi, 0), QStringLiteral("12,00"));
        QCOMPARE(f->MoyenneAnnuelle(1, PasArrondi, ArrondiDixieme, 0), QStringLiteral("12"));
    }

    void annuelle_type0_arrondiDesPeriodesPuisDeLAnnee() {
        // 12,13 and 12,62 rounded to the quarter first: 12,25 and 12,5 → 12,375,
        // written 12,38 and rounded again to the quarter: 12,5.
        auto f = Classe({QStringLiteral("Alice")});
        AjouterSerie(*f, 1, {"12,13"});
        AjouterSerie(*f, 2, {"12,62"});
        QCOMPARE(f->MoyenneAnnuelle(1, ArrondiQuart, PasArrondi, 0), QStringLiteral("12,38"));
        QCOMPARE(f->MoyenneAnnuelle(1, ArrondiQuart, ArrondiQuart, 0), QStringLiteral("12,5"));
        QCOMPARE(f->MoyenneAnnuelle(1, PasArrondi, PasArrondi, 0), QStringLiteral("12,38"));
        QCOMPARE(f->MoyenneAnnuelle(1, ArrondiDemi, PasArrondi, 0), QStringLiteral("12,25"));
    }

    void annuelle_type1_toutesLesNotesEnsemble() {
        // Period 1: one mark 20; period 2: three marks 8. Type 0 weighs the
        // periods alike, type 1 the grades alike.
        auto f = Classe({QStringLiteral("Alice")});
        AjouterSerie(*f, 1, {"20"});
        for (int i = 0; i < 3; ++i)
            AjouterSerie(*f, 2, {"8"});
        QCOMPARE(f->MoyenneAnnuelle(1, PasArrondi, PasArrondi, 0), QStringLiteral("14,00"));
        QCOMPARE(f->MoyenneAnnuelle(1, PasArrondi, PasArrondi, 1), QStringLiteral("11,00"));
        QCOMPARE(f->MoyenneAnnuelle(1, PasArrondi, ArrondiDemi, 1), QStringLiteral("11"));
    }

    void annuelle_type1_coefficientsEtMaxima() {
        auto f = Classe({QStringLiteral("Alice")});
        f->ImposerMoyennesSur(10);
        AjouterSerie(*f, 1, {"15"}, Sur("20", "1"));
        AjouterSerie(*f, 3, {"8"}, Sur("10", "2"));
        Serie non = Sur("20");
        non.compte = QStringLiteral("non");
        AjouterSerie(*f, 2, {"0"}, non);
        QCOMPARE(f->MoyenneAnnuelle(1, PasArrondi, PasArrondi, 1), QStringLiteral("7,75"));
    }

    void annuelle_pointsSeulementEnType0() {
        auto f = Classe({QStringLiteral("Alice")});
        AjouterSerie(*f, 1, {"10"});
        AjouterSerie(*f, 2, {"12"});
        const QString type1 = f->MoyenneAnnuelle(1, PasArrondi, PasArrondi, 1);
        QCOMPARE(f->MoyenneAnnuelle(1, PasArrondi, PasArrondi, 0), QStringLiteral("11,00"));
        f->ModifierPointsPlusMoins(1, 1, QStringLiteral("2"));
        QCOMPARE(f->MoyenneAnnuelle(1, PasArrondi, PasArrondi, 0), QStringLiteral("12,00"));
        QCOMPARE(f->MoyenneAnnuelle(1, PasArrondi, PasArrondi, 1), type1);
        // Points of a period without average do not make one.
        f->ModifierPointsPlusMoins(3, 1, QStringLiteral("5"));
        QCOMPARE(f->MoyenneAnnuelle(1, PasArrondi, PasArrondi, 0), QStringLiteral("12,00"));
    }

    void annuelle_sansAucuneNote() {
        auto f = Classe({QStringLiteral("Alice")});
        AjouterSerie(*f, 1, {"abs"});
        for (int type : {0, 1})
            for (int mode = PasArrondi; mode <= ArrondiBrevet; ++mode)
                QCOMPARE(f->MoyenneAnnuelle(1, mode, mode, type), QString());
    }

    void annuelle_type0_commeLesTextesDesBulletins() {
        // The annual average is the mean of the report-card texts as shown,
        // whatever the rounding, the sign and the points.
        auto f = Classe({QStringLiteral("Alice")}, QStringLiteral("Semestres"));
        AjouterSerie(*f, 1, {"0"});
        AjouterSerie(*f, 2, {"0"});
        const QStringList points = {"", "0,5", "-1", "0,25", "-0,75", "1.5"};
        for (int c = -300; c <= 2100; c += 37) {
            f->ModifierNote(1, 1, FormaterFixe(c / 100.0L, 2), 1);
            f->ModifierNote(2, 1, FormaterFixe((2000 - c) / 130.0L, 3), 1);
            f->ModifierPointsPlusMoins(1, 1,
                                       points.at(c % points.size() < 0 ? 0 : c % points.size()));
            for (int mode = PasArrondi; mode <= ArrondiBrevet; ++mode) {
                long double a, b;
                QVERIFY(LireNombre(f->MoyenneBulletin(1, 1, mode), a));
                QVERIFY(LireNombre(f->MoyenneBulletin(2, 1, mode), b));
                QCOMPARE(f->MoyenneAnnuelle(1, mode, PasArrondi, 0), FormaterFixe((a + b) / 2, 2));
            }
        }
    }

    // ---- TypesDeNotes ----

    void types_triesSansDoublonsDeCasse() {
        auto f = Classe({QStringLiteral("Alice")});
        AjouterSerie(*f, 1, {}, DuType(QStringLiteral("Oral")));
        AjouterSerie(*f, 1, {}, DuType(QStringLiteral("contrôle en classe")));
        AjouterSerie(*f, 1, {}, DuType(QStringLiteral("Contrôle en classe")));
        AjouterSerie(*f, 1, {}, DuType(QStringLiteral("Devoir à la maison")));
        AjouterSerie(*f, 2, {}, DuType(QStringLiteral("Comportement")));
        AjouterSerie(*f, 2, {}, DuType(QString()));
        // The first spelling met is kept.
        QCOMPARE(f->TypesDeNotes(1),
                 QStringList({"contrôle en classe", "Devoir à la maison", "Oral"}));
        QCOMPARE(f->TypesDeNotes(2), QStringList({"", "Comportement"}));
        const QStringList annee = {"", "Comportement", "contrôle en classe", "Devoir à la maison",
                                   "Oral"};
        QCOMPARE(f->TypesDeNotes(4), annee);
        QCOMPARE(f->TypesDeNotes(0), annee);
        QCOMPARE(f->TypesDeNotes(3), QStringList());
    }

    // ---- MoyenneParType ----

    void parType_seulementLesSeriesDuType() {
        auto f = Classe({QStringLiteral("Alice")});
        AjouterSerie(*f, 1, {"10"}, DuType(QStringLiteral("Oral")));
        AjouterSerie(*f, 1, {"16"}, DuType(QStringLiteral("Devoir à la maison")));
        AjouterSerie(*f, 1, {"12"}, DuType(QStringLiteral("Devoir à la maison"), "3"));
        QCOMPARE(f->MoyenneParType(QStringLiteral("Oral"), 1, 1), QStringLiteral("10,00"));
        QCOMPARE(f->MoyenneParType(QStringLiteral("Devoir à la maison"), 1, 1),
                 QStringLiteral("13,00"));
        QCOMPARE(f->MoyenneParType(QStringLiteral("Test en classe"), 1, 1), QString());
        QCOMPARE(f->MoyenneParType(QStringLiteral("Oral"), 2, 1), QString());
    }

    void parType_casseIgnoreeCommeDansLaListe() {
        // The list shows one entry for both spellings: its average takes both.
        auto f = Classe({QStringLiteral("Alice")});
        AjouterSerie(*f, 1, {"10"}, DuType(QStringLiteral("Contrôle en classe")));
        AjouterSerie(*f, 1, {"14"}, DuType(QStringLiteral("CONTRÔLE EN CLASSE")));
        AjouterSerie(*f, 1, {"20"}, DuType(QStringLiteral("Controle en classe")));
        // Accents still tell types apart.
        QCOMPARE(f->TypesDeNotes(1), QStringList({"Controle en classe", "Contrôle en classe"}));
        for (const QString& type :
             {QStringLiteral("Contrôle en classe"), QStringLiteral("contrôle en classe")})
            QCOMPARE(f->MoyenneParType(type, 1, 1), QStringLiteral("12,00"));
        QCOMPARE(f->MoyenneParType(QStringLiteral("Controle en classe"), 1, 1),
                 QStringLiteral("20,00"));
    }

    void parType_serieQuiNeComptePas() {
        auto f = Classe({QStringLiteral("Alice")});
        Serie d = DuType(QStringLiteral("Oral"));
        d.compte = QStringLiteral("non");
        AjouterSerie(*f, 1, {"10"}, d);
        QCOMPARE(f->MoyenneParType(QStringLiteral("Oral"), 1, 1), QString());
    }

    void annuelleParType_moyenneNonArrondieDesPeriodes() {
        auto f = Classe({QStringLiteral("Alice")});
        const Serie oral = DuType(QStringLiteral("Oral"));
        AjouterSerie(*f, 1, {"10,13"}, oral);
        AjouterSerie(*f, 2, {"abs"}, oral);
        AjouterSerie(*f, 3, {"13"}, oral);
        AjouterSerie(*f, 3, {"0"}, DuType(QStringLiteral("Autre")));
        QCOMPARE(f->MoyenneAnnuelleParType(QStringLiteral("Oral"), 1), QStringLiteral("11,57"));
        QCOMPARE(f->MoyenneAnnuelleParType(QStringLiteral("oral"), 1), QStringLiteral("11,57"));
        QCOMPARE(f->MoyenneAnnuelleParType(QStringLiteral("Autre"), 1), QStringLiteral("0,00"));
        QCOMPARE(f->MoyenneAnnuelleParType(QStringLiteral("Rien"), 1), QString());
    }

    // ---- Written and oral ----

    void ecritOral_separes() {
        auto f = Classe({QStringLiteral("Alice")});
        AjouterSerie(*f, 1, {"8"}, Oral(true));
        AjouterSerie(*f, 1, {"16"}, Oral(false));
        AjouterSerie(*f, 1, {"12"}, Oral(false));
        AjouterSerie(*f, 1, {"0"}, Oral(true, QStringLiteral("non")));
        QCOMPARE(f->MoyenneOral(1, 1), QStringLiteral("8,00"));
        QCOMPARE(f->MoyenneEcrit(1, 1), QStringLiteral("14,00"));
        // The series that does not count enters neither, nor the general average.
        QCOMPARE(f->MoyenneBrute(1, 1), QStringLiteral("12,00"));
        QCOMPARE(f->MoyenneOral(2, 1), QString());
    }

    void ecritOral_arrondies() {
        auto f = Classe({QStringLiteral("Alice")});
        AjouterSerie(*f, 1, {"12,13"}, Oral(true));
        AjouterSerie(*f, 1, {"12,88"}, Oral(false));
        QCOMPARE(f->MoyenneOralArrondie(1, 1, ArrondiQuart), QStringLiteral("12,25"));
        QCOMPARE(f->MoyenneEcritArrondie(1, 1, ArrondiQuart), QStringLiteral("13"));
        QCOMPARE(f->MoyenneEcritArrondie(2, 1, ArrondiQuart), QString());
    }

    void ecritOral_annuellesArrondiesParPeriodePuisEnsemble() {
        // Written 12,04 and 12,34: to the tenth 12,0 and 12,3 → 12,15 → 12,2.
        // Unrounded they would give 12,19 → 12,2 as well; 12,04 and 12,05 show
        // the difference: 12,0 and 12,1 → 12,05 → 12,1, against 12,045 → 12,0.
        auto f = Classe({QStringLiteral("Alice")});
        AjouterSerie(*f, 1, {"12,04"}, Oral(false));
        AjouterSerie(*f, 2, {"12,34"}, Oral(false));
        QCOMPARE(f->MoyenneAnnuelleEcrit(1, ArrondiDixieme), QStringLiteral("12,2"));
        auto g = Classe({QStringLiteral("Alice")});
        AjouterSerie(*g, 1, {"12,04"}, Oral(true));
        AjouterSerie(*g, 2, {"12,05"}, Oral(true));
        QCOMPARE(g->MoyenneAnnuelleOral(1, ArrondiDixieme), QStringLiteral("12,1"));
        QCOMPARE(g->MoyenneAnnuelleOral(1, PasArrondi), QStringLiteral("12,05"));
        QCOMPARE(g->MoyenneAnnuelleEcrit(1, ArrondiDixieme), QString());
    }
};

QTEST_GUILESS_MAIN(TestAnnuelles)
#include "tst_annuelles.moc"
