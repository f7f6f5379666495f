// Period averages: raw average, rounding modes, report-card average, scale.
#include "classe_calculs.h"
#include "tavX_exceptions.h"
#include "tavX_nombres.h"
#include "tavX_options.h"
#include "tavtest_ecrivain.h"

#include <QtTest>

using namespace TavCalc;
using namespace Tav;

class TestMoyennes : public QObject {
    Q_OBJECT

    std::unique_ptr<TavTest::ReglagesPrives> reglages;

    // One student, one period: the average of the given series.
    static QString Moyenne(const QList<QPair<QStringList, Serie>>& series, int sur = 20) {
        auto f = Classe({QStringLiteral("Alice")});
        f->ImposerMoyennesSur(sur);
        for (const auto& s : series)
            AjouterSerie(*f, 1, s.first, s.second);
        return f->MoyenneBrute(1, 1);
    }

private slots:
    void init() { reglages = std::make_unique<TavTest::ReglagesPrives>(); }
    void cleanup() { reglages.reset(); }

    // ---- MoyenneBrute ----

    void brute_exempleCoefficients() {
        // 15/20 coefficient 1 and 8/10 coefficient 2: (15 + 16) / (20 + 20) × 20.
        QCOMPARE(Moyenne({{{"15"}, Sur("20", "1")}, {{"8"}, Sur("10", "2")}}),
                 QStringLiteral("15,50"));
    }

    void brute_surDix() {
        QCOMPARE(Moyenne({{{"15"}, Sur("20", "1")}, {{"8"}, Sur("10", "2")}}, 10),
                 QStringLiteral("7,75"));
    }

    void brute_echelleDesReglages() {
        Options::ModifierMoyennesSur(10);
        auto f = Classe({QStringLiteral("Alice")});
        AjouterSerie(*f, 1, {"15"}, Sur("20"));
        QCOMPARE(f->MoyennesSur(), 10);
        QCOMPARE(f->MoyenneBrute(1, 1), QStringLiteral("7,50"));
        // An imposed scale wins over the setting, and 0 gives it back.
        f->ImposerMoyennesSur(100);
        QCOMPARE(f->MoyenneBrute(1, 1), QStringLiteral("75,00"));
        f->ImposerMoyennesSur(0);
        QCOMPARE(f->MoyenneBrute(1, 1), QStringLiteral("7,50"));
        QCOMPARE(Options::MoyennesSur(), 10); // never written by the calculations
    }

    void brute_absentNeCompteQuePourLesAutresSeries() {
        QCOMPARE(Moyenne({{{"abs"}, Sur("20")}, {{"14"}, Sur("20")}}), QStringLiteral("14,00"));
        QCOMPARE(Moyenne({{{""}, Sur("20")}, {{"14"}, Sur("20")}}), QStringLiteral("14,00"));
        QCOMPARE(Moyenne({{{"12.5"}, Sur("20")}, {{"14"}, Sur("20")}}), QStringLiteral("14,00"));
    }

    void brute_sansNoteNumeriqueEstVide() {
        QCOMPARE(Moyenne({{{"abs"}, Sur("20")}, {{""}, Sur("20")}}), QString());
        QCOMPARE(Moyenne({}), QString());
    }

    void brute_serieQuiNeComptePas() {
        Serie non = Sur("20");
        non.compte = QStringLiteral("non");
        Serie majuscule = Sur("20");
        majuscule.compte = QStringLiteral("Oui");
        QCOMPARE(Moyenne({{{"4"}, non}, {{"16"}, Sur("20")}}), QStringLiteral("16,00"));
        QCOMPARE(Moyenne({{{"4"}, majuscule}, {{"16"}, Sur("20")}}), QStringLiteral("16,00"));
        QCOMPARE(Moyenne({{{"4"}, non}}), QString());
    }

    void brute_coefficientZero() {
        QCOMPARE(Moyenne({{{"4"}, Sur("20", "0")}, {{"16"}, Sur("20")}}), QStringLiteral("16,00"));
        QCOMPARE(Moyenne({{{"4"}, Sur("20", "0")}}), QString());
    }

    void brute_coefficientDecimal() {
        QCOMPARE(Moyenne({{{"10"}, Sur("20", "0,5")}, {{"16"}, Sur("20", "1,5")}}),
                 QStringLiteral("14,50"));
    }

    void brute_noteAuDessusDuMaximum() {
        QCOMPARE(Moyenne({{{"25"}, Sur("20")}}), QStringLiteral("25,00"));
        QCOMPARE(Moyenne({{{"25"}, Sur("20")}, {{"5"}, Sur("20")}}), QStringLiteral("15,00"));
    }

    void brute_attributsIllisiblesEcartentLaSerie() {
        QCOMPARE(Moyenne({{{"4"}, Sur("vingt")}, {{"16"}, Sur("20")}}), QStringLiteral("16,00"));
        QCOMPARE(Moyenne({{{"4"}, Sur("20", "")}, {{"16"}, Sur("20")}}), QStringLiteral("16,00"));
        QCOMPARE(Moyenne({{{"4"}, Sur("20", "1.5")}, {{"16"}, Sur("20")}}),
                 QStringLiteral("16,00"));
    }

    void brute_debordementEcarteLaSerie() {
        // A product beyond the range of long double drops that series only.
        QCOMPARE(Moyenne({{{"1e3000"}, Sur("20", "1e3000")}, {{"16"}, Sur("20")}}),
                 QStringLiteral("16,00"));
        // Sums beyond the range: the second series is dropped, S·W overflows.
        QCOMPARE(Moyenne({{{"1,1e4932"}, Sur("20")}, {{"1,1e4932"}, Sur("20")}}), QString());
    }

    void brute_noteNegative() {
        QCOMPARE(Moyenne({{{"-2"}, Sur("20")}, {{"4"}, Sur("20")}}), QStringLiteral("1,00"));
    }

    void brute_arrondiADeuxDecimales() {
        // 1/3 × 20 and 2/3 × 20.
        QCOMPARE(Moyenne({{{"1"}, Sur("3")}}), QStringLiteral("6,67"));
        QCOMPARE(Moyenne({{{"1"}, Sur("6")}}), QStringLiteral("3,33"));
    }

    void brute_periodeEtElevesSepares() {
        auto f = Classe({QStringLiteral("Alice"), QStringLiteral("Bruno")});
        AjouterSerie(*f, 1, {"10", "20"});
        AjouterSerie(*f, 2, {"5", "abs"});
        QCOMPARE(f->MoyenneBrute(1, 1), QStringLiteral("10,00"));
        QCOMPARE(f->MoyenneBrute(1, 2), QStringLiteral("20,00"));
        QCOMPARE(f->MoyenneBrute(2, 1), QStringLiteral("5,00"));
        QCOMPARE(f->MoyenneBrute(2, 2), QString());
        QCOMPARE(f->MoyenneBrute(3, 1), QString()); // empty period
    }

    void brute_indicesHorsLimites() {
        auto f = Classe({QStringLiteral("Alice")});
        QVERIFY_THROWS_EXCEPTION(TErreurIndice, f->MoyenneBrute(0, 1));
        QVERIFY_THROWS_EXCEPTION(TErreurIndice, f->MoyenneBrute(4, 1));
        QVERIFY_THROWS_EXCEPTION(TErreurIndice, f->MoyenneBrute(1, 2));
        QVERIFY_THROWS_EXCEPTION(TErreurIndice, f->MoyenneBulletin(1, 0, 0));
    }

    // ---- ArrondirMoyenne ----

    void arrondir_data() {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("attendu");
        const auto ligne = [](const char* t, int mode, const char* attendu) {
            QTest::addRow("%s mode %d", t, mode)
                << QString::fromUtf8(t) << mode << QString::fromUtf8(attendu);
        };
        // No rounding: the text itself.
        ligne("12,345", PasArrondi, "12,345");
        ligne(" 12,5", PasArrondi, " 12,5");
        ligne("-1,21", PasArrondi, "-1,21");
        // Tenth.
        ligne("12,00", ArrondiDixieme, "12");
        ligne("12", ArrondiDixieme, "12");
        ligne("12,04", ArrondiDixieme, "12,0");
        ligne("12,01", ArrondiDixieme, "12,0");
        ligne("12,30", ArrondiDixieme, "12,3");
        ligne("12,34", ArrondiDixieme, "12,3");
        ligne("12,35", ArrondiDixieme, "12,4");
        ligne("12,05", ArrondiDixieme, "12,1");
        ligne("11,96", ArrondiDixieme, "12,0");
        ligne("19,99", ArrondiDixieme, "20,0");
        ligne("0,00", ArrondiDixieme, "0");
        ligne("0,04", ArrondiDixieme, "0,0");
        ligne("0,05", ArrondiDixieme, "0,1");
        // Quarter.
        ligne("12,00", ArrondiQuart, "12");
        ligne("12,12", ArrondiQuart, "12");
        ligne("12,13", ArrondiQuart, "12,25");
        ligne("12,37", ArrondiQuart, "12,25");
        ligne("12,38", ArrondiQuart, "12,5");
        ligne("12,40", ArrondiQuart, "12,5");
        ligne("12,62", ArrondiQuart, "12,5");
        ligne("12,63", ArrondiQuart, "12,75");
        ligne("12,87", ArrondiQuart, "12,75");
        ligne("12,88", ArrondiQuart, "13");
        ligne("12,99", ArrondiQuart, "13");
        ligne("12,999", ArrondiQuart, "13");
        // Half.
        ligne("12,00", ArrondiDemi, "12");
        ligne("12,24", ArrondiDemi, "12");
        ligne("12,25", ArrondiDemi, "12,5");
        ligne("12,74", ArrondiDemi, "12,5");
        ligne("12,75", ArrondiDemi, "13");
        ligne("12,999", ArrondiDemi, "13");
        // "Spécial Brevet": up to the next half point.
        ligne("12,00", ArrondiBrevet, "12");
        ligne("12,01", ArrondiBrevet, "12,5");
        ligne("12,10", ArrondiBrevet, "12,5");
        ligne("12,25", ArrondiBrevet, "12,5");
        ligne("12,50", ArrondiBrevet, "12,5");
        ligne("12,51", ArrondiBrevet, "13,0");
        ligne("12,60", ArrondiBrevet, "13,0");
        ligne("12,75", ArrondiBrevet, "13");
        ligne("12,80", ArrondiBrevet, "13");
        // Negative values: the mirror of the positive ones.
        ligne("-1,21", ArrondiDixieme, "-1,2");
        ligne("-1,25", ArrondiDixieme, "-1,3");
        ligne("-12,00", ArrondiDixieme, "-12");
        ligne("-0,04", ArrondiDixieme, "0,0");
        ligne("-12,13", ArrondiQuart, "-12,25");
        ligne("-12,40", ArrondiQuart, "-12,5");
        ligne("-12,88", ArrondiQuart, "-13");
        ligne("-0,10", ArrondiQuart, "0");
        ligne("-12,25", ArrondiDemi, "-12,5");
        ligne("-3,80", ArrondiDemi, "-4");
        ligne("-12,10", ArrondiBrevet, "-12,5");
        ligne("-12,60", ArrondiBrevet, "-13,0");
        // Not a number: empty, whatever the mode.
        for (int mode = PasArrondi; mode <= ArrondiBrevet; ++mode) {
            ligne("", mode, "");
            ligne("abs", mode, "");
            ligne("12.5", mode, "");
        }
    }
    void arrondir() {
        QFETCH(QString, texte);
        QFETCH(int, mode);
        QFETCH(QString, attendu);
        QCOMPARE(TFichierTav::ArrondirMoyenne(texte, mode), attendu);
    }

    void arrondir_toutesLesBornes() {
        // Every hundredth from 0,00 to 20,00, in every mode: the result is the
        // nearest step of the mode (up for "Spécial Brevet"), never empty, and
        // the mirror for the negative value.
        const long double pas[] = {0, 0.1L, 0.25L, 0.5L, 0.5L};
        for (int mode = ArrondiDixieme; mode <= ArrondiBrevet; ++mode) {
            for (int c = 0; c <= 2000; ++c) {
                const QString t = FormaterFixe(c / 100.0L, 2);
                const QString r = TFichierTav::ArrondirMoyenne(t, mode);
                long double v;
                QVERIFY2(LireNombre(r, v), qPrintable(t));
                const long double x = c / 100.0L;
                const long double ecart = v - x;
                if (mode == ArrondiBrevet)
                    QVERIFY2(ecart >= 0 && ecart < pas[mode], qPrintable(t + " " + r));
                else
                    QVERIFY2(ecart > -pas[mode] / 2 - 1e-9L && ecart <= pas[mode] / 2 + 1e-9L,
                             qPrintable(t + " " + r));
                const long double multiple = v / pas[mode];
                QVERIFY2(std::fabs(multiple - std::round(multiple)) < 1e-9L, qPrintable(r));
                const QString negatif = TFichierTav::ArrondirMoyenne(QLatin1Char('-') + t, mode);
                QCOMPARE(negatif, v == 0 ? r : QLatin1Char('-') + r);
            }
        }
    }

    void arrondir_modeInconnuLaisseLeTexte() {
        QCOMPARE(TFichierTav::ArrondirMoyenne(QStringLiteral("12,34"), 9), QStringLiteral("12,34"));
        QCOMPARE(TFichierTav::ArrondirMoyenne(QStringLiteral("abs"), 9), QString());
    }

    void arrondie_estLArrondiDeLaBrute() {
        auto f = Classe({QStringLiteral("Alice")});
        AjouterSerie(*f, 1, {"12,13"});
        QCOMPARE(f->MoyenneArrondie(1, 1, PasArrondi), QStringLiteral("12,13"));
        QCOMPARE(f->MoyenneArrondie(1, 1, ArrondiQuart), QStringLiteral("12,25"));
        QCOMPARE(f->MoyenneArrondie(1, 1, ArrondiDemi), QStringLiteral("12"));
        QCOMPARE(f->MoyenneArrondie(2, 1, ArrondiDemi), QString());
    }

    // ---- MoyenneBulletin ----

    void bulletin_arrondiePlusPoints() {
        auto f =
            Classe({QStringLiteral("Alice"), QStringLiteral("Bruno"), QStringLiteral("Chloé")});
        AjouterSerie(*f, 1, {"12,4", "19,5", "0,5"});
        f->ModifierPointsPlusMoins(1, 1, QStringLiteral("-0,5"));
        f->ModifierPointsPlusMoins(1, 2, QStringLiteral("2"));
        f->ModifierPointsPlusMoins(1, 3, QStringLiteral("-2"));
        QCOMPARE(f->MoyenneBulletin(1, 1, ArrondiDemi), QStringLiteral("12,00"));
        QCOMPARE(f->MoyenneBulletin(1, 2, PasArrondi), QStringLiteral("21,50")); // above S
        QCOMPARE(f->MoyenneBulletin(1, 3, PasArrondi), QStringLiteral("-1,50")); // below 0
        QCOMPARE(f->MoyenneBulletin(1, 1, PasArrondi), QStringLiteral("11,90"));
    }

    void bulletin_sansPointsEstLArrondie() {
        auto f = Classe({QStringLiteral("Alice")});
        AjouterSerie(*f, 1, {"12,13"});
        QCOMPARE(f->MoyenneBulletin(1, 1, ArrondiQuart), QStringLiteral("12,25"));
        QCOMPARE(f->MoyenneBulletin(1, 1, ArrondiDemi), QStringLiteral("12"));
        // A point where the comma is wanted is not a number.
        f->ModifierPointsPlusMoins(1, 1, QStringLiteral("1.5"));
        QCOMPARE(f->MoyenneBulletin(1, 1, ArrondiQuart), QStringLiteral("12,25"));
        f->ModifierPointsPlusMoins(1, 1, QStringLiteral("1,5"));
        QCOMPARE(f->MoyenneBulletin(1, 1, ArrondiQuart), QStringLiteral("13,75"));
    }

    void bulletin_sansMoyenneResteVideMemeAvecPoints() {
        auto f = Classe({QStringLiteral("Alice")});
        AjouterSerie(*f, 1, {"abs"});
        f->ModifierPointsPlusMoins(1, 1, QStringLiteral("2"));
        QCOMPARE(f->MoyenneBrute(1, 1), QString());
        QCOMPARE(f->MoyenneArrondie(1, 1, ArrondiDemi), QString());
        QCOMPARE(f->MoyenneBulletin(1, 1, ArrondiDemi), QString());
    }

    void bulletin_pointsChangesSansRecalcul() {
        // Points are not cached: the new value shows at once.
        auto f = Classe({QStringLiteral("Alice")});
        AjouterSerie(*f, 1, {"10"});
        QCOMPARE(f->MoyenneBulletin(1, 1, PasArrondi), QStringLiteral("10,00"));
        f->ModifierPointsPlusMoins(1, 1, QStringLiteral("1"));
        QCOMPARE(f->MoyenneBulletin(1, 1, PasArrondi), QStringLiteral("11,00"));
        QVERIFY(!f->MoyenneARecalculer(1, 1));
    }
};

QTEST_GUILESS_MAIN(TestMoyennes)
#include "tst_moyennes.moc"
