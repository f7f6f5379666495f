// Number texts: what reads as a number, and how values are written back.
#include "tavX_nombres.h"

#include <QtTest>
#include <clocale>
#include <cmath>

using namespace Tav;

class TestNombres : public QObject {
    Q_OBJECT

private slots:
    // ---- LireNombre ----

    void lecture_nombresAcceptes_data() {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<double>("attendu");
        QTest::newRow("entier") << "12" << 12.0;
        QTest::newRow("virgule") << "12,5" << 12.5;
        QTest::newRow("blancs autour") << "  12,5 " << 12.5;
        QTest::newRow("tabulations") << "\t7\t" << 7.0;
        QTest::newRow("moins") << "-1,5" << -1.5;
        QTest::newRow("plus") << "+3" << 3.0;
        QTest::newRow("sans partie entière") << ",5" << 0.5;
        QTest::newRow("virgule finale") << "5," << 5.0;
        QTest::newRow("zéros de tête") << "00012,50" << 12.5;
        QTest::newRow("exposant") << "1e3" << 1000.0;
        QTest::newRow("exposant signé") << "1,5E-2" << 0.015;
        QTest::newRow("exposant plus") << "2e+1" << 20.0;
        QTest::newRow("zéro négatif") << "-0" << 0.0;
        QTest::newRow("nombre très long") << "12,500000000000000000000000000000001" << 12.5;
        QTest::newRow("petit exposant") << "1e-40" << 1e-40;
        QTest::newRow("grand exposant") << "3e100" << 3e100;
    }
    void lecture_nombresAcceptes() {
        QFETCH(QString, texte);
        QFETCH(double, attendu);
        long double v = -999;
        QVERIFY2(LireNombre(texte, v), qPrintable(texte));
        QCOMPARE(double(v), attendu);
        QVERIFY(EstNombre(texte));
    }

    void lecture_pasDesNombres_data() {
        QTest::addColumn<QString>("texte");
        for (const char* t :
             {"",     " ",      "abs",    "12.5",    "inf",      "nan",  "-",   "+",
              ",",    "1e",     "e5",     "1 000",   "12,5,3",   "12a",  "--1", "1e+",
              "0x10", "12,5 %", "1e5000", "-1e5000", "Infinity", "1,,5", "+-1"})
            QTest::newRow(t) << QString::fromLatin1(t);
        QTest::newRow("chiffres arabes") << QStringLiteral("١٢");
        QTest::newRow("espace insécable") << QStringLiteral("1\u00a0000");
    }
    void lecture_pasDesNombres() {
        QFETCH(QString, texte);
        long double v = 42;
        QVERIFY(!LireNombre(texte, v));
        QCOMPARE(double(v), 42.0); // untouched
    }

    void lecture_arrondiCorrectementEnLongDouble() {
        // The value read is the long double nearest to the decimal text.
        long double v;
        QVERIFY(LireNombre(u"0,1", v));
        QVERIFY(v == 0.1L);
        QVERIFY(LireNombre(u"12,35", v));
        QVERIFY(v == 12.35L);
        QVERIFY(LireNombre(u"123456789,987654321", v));
        QVERIFY(v == 123456789.987654321L);
        QVERIFY(LireNombre(u"0,1000000000000000000000001", v));
        QVERIFY(v == 0.1L);
    }

    void lecture_ignoreLaLocaleDeLaMachine() {
        // Qt programs take the environment's locale; the comma stays the separator.
        const char* avant = std::setlocale(LC_NUMERIC, nullptr);
        const QByteArray sauve = avant ? QByteArray(avant) : QByteArray("C");
        std::setlocale(LC_NUMERIC, "C");
        long double v;
        QVERIFY(LireNombre(u"12,5", v));
        QCOMPARE(double(v), 12.5);
        QVERIFY(!LireNombre(u"12.5", v));
        QCOMPARE(FormaterFixe(12.5L, 2), QStringLiteral("12,50"));
        std::setlocale(LC_NUMERIC, sauve.constData());
    }

    // ---- FormaterFixe ----

    void fixe_data() {
        QTest::addColumn<double>("valeur");
        QTest::addColumn<int>("decimales");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("deux décimales") << 15.5 << 2 << "15,50";
        QTest::newRow("zéro") << 0.0 << 2 << "0,00";
        QTest::newRow("entier sans décimale") << 7.0 << 0 << "7";
        QTest::newRow("une décimale") << 12.25 << 1 << "12,3";
        // Exact binary ties: printf would round these to even.
        QTest::newRow("0,125") << 0.125 << 2 << "0,13";
        QTest::newRow("0,625") << 0.625 << 2 << "0,63";
        QTest::newRow("2,5") << 2.5 << 0 << "3";
        QTest::newRow("0,5") << 0.5 << 0 << "1";
        QTest::newRow("-0,125") << -0.125 << 2 << "-0,13";
        QTest::newRow("-2,5") << -2.5 << 0 << "-3";
        QTest::newRow("négatif") << -1.5 << 2 << "-1,50";
        QTest::newRow("arrondi à zéro sans signe") << -0.001 << 2 << "0,00";
        QTest::newRow("zéro négatif") << -0.0 << 1 << "0,0";
        QTest::newRow("juste sous la moitié") << 0.12499999999 << 2 << "0,12";
        QTest::newRow("retenue") << 9.996 << 2 << "10,00";
        QTest::newRow("grand") << 1e20 << 2 << "100000000000000000000,00";
        QTest::newRow("très grand entier") << 1e30 << 0 << "1000000000000000019884624838656";
        QTest::newRow("très petit") << 1e-30 << 2 << "0,00";
    }
    void fixe() {
        QFETCH(double, valeur);
        QFETCH(int, decimales);
        QFETCH(QString, attendu);
        QCOMPARE(FormaterFixe(valeur, decimales), attendu);
    }

    void fixe_valeursDecimalesEnLongDouble() {
        // Decimal texts are not exact in binary: the exact value decides.
        // 2,675 reads as 2,67499999999999999995..., 12,345 as 12,34500000000000000024...
        long double v;
        QVERIFY(LireNombre(u"2,675", v));
        QCOMPARE(FormaterFixe(v, 2), QStringLiteral("2,67"));
        QVERIFY(LireNombre(u"12,345", v));
        QCOMPARE(FormaterFixe(v, 2), QStringLiteral("12,35"));
        QVERIFY(LireNombre(u"1,005", v));
        QCOMPARE(FormaterFixe(v, 2), QStringLiteral("1,00"));
        QCOMPARE(FormaterFixe(31.0L / 2.0L, 2), QStringLiteral("15,50"));
        QCOMPARE(FormaterFixe(1.0L / 3.0L, 2), QStringLiteral("0,33"));
        QCOMPARE(FormaterFixe(2.0L / 3.0L, 2), QStringLiteral("0,67"));
    }

    void fixe_valeursIndefinies() {
        QCOMPARE(FormaterFixe(INFINITY, 2), QString());
        QCOMPARE(FormaterFixe(-INFINITY, 2), QString());
        QCOMPARE(FormaterFixe(NAN, 2), QString());
    }

    // ---- Value of a fixed text, texts for the caches ----

    void valeurFixe_commeLeTexteRelu() {
        // ValeurFixe gives the number the written text reads back as.
        const long double valeurs[] = {0,        0.125L,    -0.125L, 12.345L, 2.675L,
                                       1.0L / 3, -2.0L / 3, 19.995L, 1e-30L,  123456.789L,
                                       1e17L,    1e25L,     -0.001L, 99.999L, 7.5L};
        for (long double v : valeurs)
            for (int d = 0; d <= 19; ++d) {
                long double relu;
                const QString texte = FormaterFixe(v, d);
                QVERIFY(LireNombre(texte, relu));
                QVERIFY2(ValeurFixe(v, d) == relu, qPrintable(texte));
            }
        QVERIFY(std::isnan(ValeurFixe(INFINITY, 2)));
    }

    void durable_memesTextes() {
        for (int i = -500; i <= 500; i += 3) {
            const long double v = i / 7.0L;
            QCOMPARE(FormaterFixeDurable(v, 2), FormaterFixe(v, 2));
            QCOMPARE(FormaterFixeDurable(v, 2, " %"), FormaterFixe(v, 2, " %"));
            QCOMPARE(FormaterGeneralDurable(v), FormaterGeneral(v));
        }
        // Texts too long for the pool are ordinary ones, with the same content.
        QCOMPARE(FormaterFixeDurable(1e30L, 2), FormaterFixe(1e30L, 2));
        QCOMPARE(FormaterFixeDurable(NAN, 2), QString());
        // A copy changed by its owner leaves the kept text alone.
        QString copie = FormaterFixeDurable(12.5L, 2);
        copie[0] = QLatin1Char('9');
        QCOMPARE(FormaterFixeDurable(12.5L, 2), QStringLiteral("12,50"));
    }

    // ---- FormaterGeneral ----

    void general_data() {
        QTest::addColumn<double>("valeur");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("7,5") << 7.5 << "7,5";
        QTest::newRow("12") << 12.0 << "12";
        QTest::newRow("0") << 0.0 << "0";
        QTest::newRow("-0") << -0.0 << "0";
        QTest::newRow("négatif") << -7.25 << "-7,25";
        QTest::newRow("0,1") << 0.1 << "0,1";
        QTest::newRow("0,1 + 0,2") << (0.1 + 0.2) << "0,3";
        QTest::newRow("un tiers") << (1.0 / 3.0) << "0,333333333333333";
        QTest::newRow("deux tiers") << (2.0 / 3.0) << "0,666666666666667";
        QTest::newRow("15 chiffres") << 123456789012345.0 << "123456789012345";
        QTest::newRow("1E15") << 1e15 << "1E15";
        QTest::newRow("1,5E20") << 1.5e20 << "1,5E20";
        QTest::newRow("2E-7") << 2e-7 << "2E-7";
        QTest::newRow("0,00001") << 0.00001 << "0,00001";
        QTest::newRow("12,3") << 12.3 << "12,3";
    }
    void general() {
        QFETCH(double, valeur);
        QFETCH(QString, attendu);
        QCOMPARE(FormaterGeneral(valeur), attendu);
    }

    void general_quinzeChiffresSignificatifs() {
        QCOMPARE(FormaterGeneral(12.3L), QStringLiteral("12,3"));
        QCOMPARE(FormaterGeneral(1.0L / 3.0L * 100), QStringLiteral("33,3333333333333"));
        QCOMPARE(FormaterGeneral(0.9999999999999999L), QStringLiteral("1"));
        QCOMPARE(FormaterGeneral(NAN), QString());
    }
};

QTEST_GUILESS_MAIN(TestNombres)
#include "tst_nombres.moc"
