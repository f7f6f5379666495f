// Cached averages and statistics: recomputed only when their mark is set,
// and every change that can alter them sets the mark.
#include "classe_calculs.h"
#include "tavX_options.h"
#include "tavtest_ecrivain.h"

#include <QtTest>

using namespace TavCalc;

namespace {

const QString Faux = QStringLiteral("faux");

// Which (period, student) averages are marked, as "p.s" texts.
QStringList MoyennesMarquees(const TFichierTav& f) {
    QStringList l;
    for (int p = 1; p <= f.NombrePeriodes(); ++p)
        for (int s = 1; s <= f.NombreEleves(); ++s)
            if (f.MoyenneARecalculer(p, s)) l.append(QStringLiteral("%1.%2").arg(p).arg(s));
    return l;
}

// Which series have a marked statistic, as "p.j" texts.
QStringList SeriesMarquees(const TFichierTav& f) {
    QStringList l;
    for (int p = 1; p <= f.NombrePeriodes(); ++p)
        for (int j = 1; j <= f.NombreSeries(p); ++j)
            for (int k = 1; k <= 7; ++k)
                if (f.StatistiqueARecalculer(p, j, k)) {
                    l.append(QStringLiteral("%1.%2").arg(p).arg(j));
                    break;
                }
    return l;
}

// Computes everything, so that every mark is clear.
void ToutCalculer(const TFichierTav& f) {
    for (int p = 1; p <= f.NombrePeriodes(); ++p) {
        for (int s = 1; s <= f.NombreEleves(); ++s)
            f.MoyenneBrute(p, s);
        for (int j = 1; j <= f.NombreSeries(p); ++j)
            for (int k = 1; k <= 7; ++k)
                f.StatistiqueSerie(p, j, k);
    }
}

} // namespace

class TestCaches : public QObject {
    Q_OBJECT

    std::unique_ptr<TavTest::ReglagesPrives> reglages;
    std::unique_ptr<TFichierTav> f;

private slots:
    void init() {
        reglages = std::make_unique<TavTest::ReglagesPrives>();
        // Two periods with two series each, three students.
        f = Classe({QStringLiteral("Alice"), QStringLiteral("Bruno"), QStringLiteral("Chloé")});
        AjouterSerie(*f, 1, {"10", "12", "14"});
        AjouterSerie(*f, 1, {"16", "abs", "8"}, Sur("20", "2"));
        AjouterSerie(*f, 2, {"5", "6", "7"}, Sur("10"));
        AjouterSerie(*f, 2, {"20", "20", "20"});
        ToutCalculer(*f);
        QVERIFY(MoyennesMarquees(*f).isEmpty());
        QVERIFY(SeriesMarquees(*f).isEmpty());
    }
    void cleanup() {
        f.reset();
        reglages.reset();
    }

    // ---- What the marks guard ----

    void moyenne_lueDansLeCacheTantQueLaMarqueEstClaire() {
        QCOMPARE(f->MoyenneBrute(1, 1), QStringLiteral("14,00"));
        f->MettreMoyenneEnCache(1, 1, Faux);
        QCOMPARE(f->MoyenneBrute(1, 1), Faux);
        f->MarquerMoyenne(1, 1, true);
        QCOMPARE(f->MoyenneBrute(1, 1), QStringLiteral("14,00"));
        QVERIFY(!f->MoyenneARecalculer(1, 1));
        QCOMPARE(f->MoyenneEnCache(1, 1), QStringLiteral("14,00"));
    }

    void moyenne_lesAutresElevesGardentLeurCache() {
        f->MettreMoyenneEnCache(1, 2, Faux);
        f->MarquerMoyenne(1, 1, true);
        QCOMPARE(f->MoyenneBrute(1, 1), QStringLiteral("14,00"));
        QCOMPARE(f->MoyenneBrute(1, 2), Faux);
    }

    void statistique_seulesLesMarqueesSontRecalculees() {
        QCOMPARE(f->MinimumSerie(1, 1), QStringLiteral("10"));
        f->MettreStatistiqueEnCache(1, 1, 8, Faux);  // minimum
        f->MettreStatistiqueEnCache(1, 1, 11, Faux); // mean
        f->MarquerStatistique(1, 1, true, 3);        // standard deviation only
        QCOMPARE(f->EcartTypeSerie(1, 1), QStringLiteral("1,63"));
        QCOMPARE(f->MinimumSerie(1, 1), Faux);
        QCOMPARE(f->MoyenneSerie(1, 1), Faux);
        f->MarquerStatistique(1, 1, true, 4);
        QCOMPARE(f->MoyenneSerie(1, 1), QStringLiteral("12,00"));
        QCOMPARE(f->MinimumSerie(1, 1), Faux);
    }

    void statistique_pourcentageClasseSuitLaMoyenneAffichee() {
        // The share below the class mean uses the mean text as cached.
        f->MettreStatistiqueEnCache(1, 1, 11, QStringLiteral("13"));
        f->MarquerStatistique(1, 1, true, 7);
        QCOMPARE(f->PourcentageSousMoyenneClasse(1, 1), QStringLiteral("66,67 %"));
    }

    // ---- Changes of marks ----

    void note_marqueSonEleveEtSaSerie() {
        f->ModifierNote(1, 2, QStringLiteral("18"), 2);
        QCOMPARE(MoyennesMarquees(*f), QStringList({"1.2"}));
        QCOMPARE(SeriesMarquees(*f), QStringList({"1.2"}));
        QCOMPARE(f->MoyenneBrute(1, 2), QStringLiteral("16,00"));
        QCOMPARE(f->MoyenneSerie(1, 2), QStringLiteral("14,00"));
        QCOMPARE(f->NombreNotesSerie(1, 2), QStringLiteral("3"));
    }

    void note_memeTexteNeMarqueRien() {
        f->ModifierNote(1, 2, QStringLiteral("abs"), 2);
        f->ModifierNote(2, 1, QStringLiteral("5"), 1);
        QVERIFY(MoyennesMarquees(*f).isEmpty());
        QVERIFY(SeriesMarquees(*f).isEmpty());
    }

    // ---- Changes of series attributes ----

    void attributs_marquentTouteLaPeriode_data() {
        QTest::addColumn<int>("attribut");
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QString>("moyenneAlice");
        QTest::newRow("noté sur") << 0 << "40"
                                  << "10,50";
        QTest::newRow("coefficient") << 1 << "3"
                                     << "12,40";
        QTest::newRow("compte dans la moyenne") << 2 << "non"
                                                << "16,00";
        QTest::newRow("coefficient nul") << 1 << "0"
                                         << "16,00";
    }
    void attributs_marquentTouteLaPeriode() {
        QFETCH(int, attribut);
        QFETCH(QString, texte);
        QFETCH(QString, moyenneAlice);
        const auto modifier = [&](const QString& t) {
            if (attribut == 0) f->ModifierNoteSur(1, 1, t);
            if (attribut == 1) f->ModifierCoefficient(1, 1, t);
            if (attribut == 2) f->ModifierCompteDansMoyenne(1, 1, t);
        };
        // The same text changes nothing ("1" to "1" ...).
        modifier(attribut == 0   ? QStringLiteral("20")
                 : attribut == 1 ? QStringLiteral("1")
                                 : QStringLiteral("oui"));
        QVERIFY(MoyennesMarquees(*f).isEmpty());
        QVERIFY(SeriesMarquees(*f).isEmpty());
        modifier(texte);
        QCOMPARE(MoyennesMarquees(*f), QStringList({"1.1", "1.2", "1.3"}));
        QCOMPARE(f->MoyenneBrute(1, 1), moyenneAlice);
        QVERIFY(SeriesMarquees(*f).contains(QStringLiteral("1.1")));
        QVERIFY(!SeriesMarquees(*f).contains(QStringLiteral("1.2")));
    }

    void attributs_sansEffetNeMarquentRien() {
        f->ModifierIntitule(1, 1, QStringLiteral("Nouveau titre"));
        f->ModifierTypeNotes(1, 1, QStringLiteral("Oral"));
        f->ModifierOral(1, 1, true);
        f->ModifierDateSerie(1, 1, QStringLiteral("01/10/2026"));
        f->ModifierCommentaire(1, 1, QStringLiteral("Chapitre 2"));
        f->ModifierPointsPlusMoins(1, 1, QStringLiteral("1"));
        QVERIFY(MoyennesMarquees(*f).isEmpty());
        QVERIFY(SeriesMarquees(*f).isEmpty());
        QCOMPARE(f->MoyenneBulletin(1, 1, 0), QStringLiteral("15,00"));
    }

    void maximum_changeLaPartSousLaMoyenne() {
        QCOMPARE(f->PourcentageSousMoyenne(2, 1), QStringLiteral("0,00 %"));
        f->ModifierNoteSur(2, 1, QStringLiteral("20"));
        QCOMPARE(f->PourcentageSousMoyenne(2, 1), QStringLiteral("100,00 %"));
        QCOMPARE(f->MinimumSerie(2, 1), QStringLiteral("5"));
    }

    // ---- Changes of the list of series ----

    void ajouterSerie_statistiquesReconstruites() {
        AjouterSerie(*f, 1, {});
        QCOMPARE(SeriesMarquees(*f).size(), 5);
        QCOMPARE(f->MoyenneSerie(1, 3), QString());
        QCOMPARE(f->MoyenneSerie(2, 1), QStringLiteral("6,00"));
        QCOMPARE(f->MoyenneBrute(1, 1), QStringLiteral("14,00"));
    }

    void supprimerSerie_moyennesDeLaPeriodeRecalculees() {
        f->SupprimerSerie(1, 2); // the series with coefficient 2
        QCOMPARE(MoyennesMarquees(*f), QStringList({"1.1", "1.2", "1.3"}));
        QCOMPARE(f->MoyenneBrute(1, 1), QStringLiteral("10,00"));
        QCOMPARE(f->MoyenneBrute(1, 3), QStringLiteral("14,00"));
        QCOMPARE(f->MoyenneSerie(2, 1), QStringLiteral("6,00"));
    }

    void deplacerSerie_lesDeuxPeriodesJustes() {
        f->DeplacerSerie(1, 2, 2);
        QCOMPARE(f->MoyenneBrute(1, 1), QStringLiteral("10,00"));
        QCOMPARE(f->MoyenneBrute(2, 1), QStringLiteral("16,29"));
        QCOMPARE(f->MoyenneBrute(2, 2), QStringLiteral("17,33"));
        QCOMPARE(f->MoyenneSerie(2, 3), QStringLiteral("12,00"));
        QCOMPARE(f->MoyenneSerie(1, 1), QStringLiteral("12,00"));
    }

    void monterDescendre_statistiquesSuiventLesSeries() {
        f->DescendreSerie(1, 1);
        QCOMPARE(f->MoyenneSerie(1, 1), QStringLiteral("12,00"));
        QCOMPARE(f->MoyenneSerie(1, 2), QStringLiteral("12,00"));
        QCOMPARE(f->MaximumSerie(1, 1), QStringLiteral("16"));
        f->MonterSerie(1, 2);
        QCOMPARE(f->MaximumSerie(1, 1), QStringLiteral("14"));
        QCOMPARE(f->MoyenneBrute(1, 1), QStringLiteral("14,00"));
    }

    // ---- Changes of the students ----

    void ajouterEleve_toutEstRecalcule() {
        f->AjouterEleve(QStringLiteral("Benoît"), QString(), false); // second in the list
        QCOMPARE(MoyennesMarquees(*f).size(), 3 * 4);
        QCOMPARE(SeriesMarquees(*f).size(), 4);
        QCOMPARE(f->MoyenneBrute(1, 2), QString()); // "abs" everywhere
        QCOMPARE(f->MoyenneBrute(1, 3), QStringLiteral("12,00"));
        QCOMPARE(f->NombreNotesSerie(1, 1), QStringLiteral("3"));
    }

    void supprimerEleve_toutEstRecalcule() {
        f->SupprimerEleve(1);
        QCOMPARE(MoyennesMarquees(*f).size(), 3 * 2);
        QCOMPARE(f->MoyenneBrute(1, 1), QStringLiteral("12,00"));
        QCOMPARE(f->MoyenneSerie(1, 1), QStringLiteral("13,00"));
        QCOMPARE(f->NombreNotesSerie(1, 2), QStringLiteral("1"));
    }

    void modifierEleve_lesMoyennesSuiventLEleve() {
        f->ModifierEleve(1, QStringLiteral("Zoé"), false, QString()); // Alice moves last
        QCOMPARE(f->NomEleve(3), QStringLiteral("Zoé"));
        QCOMPARE(f->MoyenneBrute(1, 3), QStringLiteral("14,00"));
        QCOMPARE(f->MoyenneBrute(1, 1), QStringLiteral("12,00"));
    }

    void modifierListeEleves_toutEstRecalcule() {
        f->ModifierListeEleves({QStringLiteral("Bruno"), QStringLiteral("David")});
        QCOMPARE(f->MoyenneBrute(1, 1), QStringLiteral("12,00"));
        QCOMPARE(f->MoyenneBrute(1, 2), QString());
        QCOMPARE(f->NombreNotesSerie(2, 1), QStringLiteral("1"));
    }

    // ---- Invalidation ----

    void invaliderCalculs_marqueTout() {
        f->InvaliderCalculs();
        QCOMPARE(MoyennesMarquees(*f).size(), 3 * 3);
        QCOMPARE(SeriesMarquees(*f).size(), 4);
        QCOMPARE(f->MoyenneBrute(2, 3), QStringLiteral("18,00"));
        QCOMPARE(f->EcartTypeSerie(1, 1), QStringLiteral("1,63"));
    }

    void echelle_changeeParLeReglagePuisInvalider() {
        Options::ModifierMoyennesSur(10);
        // The settings change alone does not touch the cache: the callers end
        // it with InvaliderCalculs.
        QCOMPARE(f->MoyenneBrute(1, 1), QStringLiteral("14,00"));
        f->InvaliderCalculs();
        QCOMPARE(f->MoyenneBrute(1, 1), QStringLiteral("7,00"));
    }

    void echelle_imposeeInvalide() {
        f->ImposerMoyennesSur(20); // the same scale: nothing to redo
        QVERIFY(MoyennesMarquees(*f).isEmpty());
        f->ImposerMoyennesSur(100);
        QCOMPARE(MoyennesMarquees(*f).size(), 3 * 3);
        QCOMPARE(f->MoyenneBrute(1, 1), QStringLiteral("70,00"));
    }

    void fichierCharge_calculeSansCacheEnregistre() {
        TavTest::ReglagesPrives autres;
        QTemporaryDir dossier;
        const QString chemin = dossier.filePath(QStringLiteral("classe.tav"));
        f->MettreMoyenneEnCache(1, 1, Faux);
        f->Enregistrer(chemin);
        TFichierTav g(chemin);
        QVERIFY(g.EstValide());
        QCOMPARE(MoyennesMarquees(g).size(), 3 * 3);
        QCOMPARE(g.MoyenneBrute(1, 1), QStringLiteral("14,00"));
        QCOMPARE(g.MoyenneSerie(2, 2), QStringLiteral("20,00"));
    }
};

QTEST_GUILESS_MAIN(TestCaches)
#include "tst_caches.moc"
