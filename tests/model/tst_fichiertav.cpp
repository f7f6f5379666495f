// The class file object in memory: a new class, its students, its series,
// the per-student data that must follow each student, the recalculation
// marks, and the limits of its texts and counts.
#include "tavX_exceptions.h"
#include "tavX_fichierTav.h"
#include "tavX_options.h"
#include "tavtest_ecrivain.h"

#include <QDate>
#include <QDir>
#include <QHash>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using TavTest::Instantane;

namespace {

const QString Trimestres = QStringLiteral("Trimestres");
const QString BulletinsDefaut = QStringLiteral("Bulletins par défaut");
const QString BulletinsCollege = QStringLiteral("Nouveaux bulletins du collège");

std::unique_ptr<TFichierTav> NouvelleClasse(const QStringList& eleves,
                                            const QString& bulletins = BulletinsDefaut) {
    auto f = std::make_unique<TFichierTav>();
    f->InitialiserClasse(Trimestres, bulletins);
    for (const QString& e : eleves)
        f->AjouterEleve(e, QString(), false);
    return f;
}

void AjouterSerie(TFichierTav& f, int p, const QString& titre, bool oral = false,
                  const QString& type = QStringLiteral("Contrôle en classe")) {
    f.AjouterSerie(p, titre, oral, type, QStringLiteral("commentaire ") + titre,
                   QStringLiteral("01/10/2006"), QStringLiteral("oui"), QStringLiteral("1"),
                   QStringLiteral("20"));
}

// Marks every recalculation mark of the class fresh, as the calculations do.
void ToutRafraichir(TFichierTav& f) {
    for (int p = 1; p <= f.NombrePeriodes(); ++p) {
        f.MarquerPeriode(p, false);
        for (int s = 1; s <= f.NombreEleves(); ++s)
            f.MarquerMoyenne(p, s, false);
        for (int j = 1; j <= f.NombreSeries(p); ++j)
            for (int k = 1; k <= 7; ++k)
                f.MarquerStatistique(p, j, false, k);
    }
}

bool ToutesStatistiquesARecalculer(const TFichierTav& f) {
    for (int p = 1; p <= f.NombrePeriodes(); ++p)
        for (int j = 1; j <= f.NombreSeries(p); ++j)
            for (int k = 1; k <= 7; ++k)
                if (!f.StatistiqueARecalculer(p, j, k)) return false;
    return true;
}

bool AucuneStatistiqueARecalculer(const TFichierTav& f) {
    for (int p = 1; p <= f.NombrePeriodes(); ++p)
        for (int j = 1; j <= f.NombreSeries(p); ++j)
            for (int k = 1; k <= 7; ++k)
                if (f.StatistiqueARecalculer(p, j, k)) return false;
    return true;
}

// Per-student data derived from a marker, so that a test can tell after any
// change whose data sits in each row.
QString NoteDe(const QString& m, int p, int j) {
    return QStringLiteral("%1 n%2.%3").arg(m).arg(p).arg(j);
}
QString PointsDe(const QString& m, int p) {
    return QStringLiteral("%1 pts%2").arg(m).arg(p);
}
QString AppreciationDe(const QString& m, int p, int c) {
    return QStringLiteral("%1 a%2.%3").arg(m).arg(p).arg(c);
}

void DonnerDonnees(TFichierTav& f, int s, const QString& m) {
    for (int p = 1; p <= f.NombrePeriodes(); ++p) {
        for (int j = 1; j <= f.NombreSeries(p); ++j)
            f.ModifierNote(p, j, NoteDe(m, p, j), s);
        f.ModifierPointsPlusMoins(p, s, PointsDe(m, p));
        for (int c = 1; c <= f.NombreColonnesBulletin(); ++c)
            f.ModifierAppreciation(p, s, c, AppreciationDe(m, p, c));
    }
    f.ModifierDateNaissance(s, m.left(10));
}

// Checks that the row of student s holds the data of marker m (or, with an
// empty marker, the data of a student just added: "abs" and empty texts).
bool DonneesDe(TFichierTav& f, int s, const QString& m) {
    bool ok = true;
    for (int p = 1; p <= f.NombrePeriodes(); ++p) {
        for (int j = 1; j <= f.NombreSeries(p); ++j) {
            const QString attendu = m.isEmpty() ? QStringLiteral("abs") : NoteDe(m, p, j);
            if (f.Note(p, j, s) != attendu) {
                qWarning("élève %d, note %d.%d : %s au lieu de %s", s, p, j,
                         qPrintable(f.Note(p, j, s)), qPrintable(attendu));
                ok = false;
            }
        }
        const QString pts = m.isEmpty() ? QString() : PointsDe(m, p);
        if (f.PointsPlusMoins(p, s) != pts) {
            qWarning("élève %d, points %d : %s au lieu de %s", s, p,
                     qPrintable(f.PointsPlusMoins(p, s)), qPrintable(pts));
            ok = false;
        }
        for (int c = 1; c <= f.NombreColonnesBulletin(); ++c) {
            const QString a = m.isEmpty() ? QString() : AppreciationDe(m, p, c);
            if (f.Appreciation(p, s, c) != a) {
                qWarning("élève %d, appréciation %d.%d : %s au lieu de %s", s, p, c,
                         qPrintable(f.Appreciation(p, s, c)), qPrintable(a));
                ok = false;
            }
        }
    }
    return ok;
}

// Attribute rows of series j of period p, as AjouterSerie wrote them above.
bool AttributsIntacts(TFichierTav& f, int p, int j, const QString& titre) {
    const int N = f.NombreEleves();
    const QStringList col = f.ColonneSerie(p, j);
    return col.size() == N + 18 && col.at(0) == titre && f.Intitule(p, j) == titre &&
           col.at(N + 11) == QLatin1String("20") && col.at(N + 12) == QLatin1String("1") &&
           col.at(N + 13) == QLatin1String("oui") &&
           col.at(N + 14) == QLatin1String("01/10/2006") &&
           col.at(N + 15) == QStringLiteral("commentaire ") + titre && f.NoteSur(p, j) == "20" &&
           f.Commentaire(p, j) == QStringLiteral("commentaire ") + titre;
}

} // namespace

class TestFichierTav : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    // A new class
    void nouvelleClasse_valeursParDefaut();
    void nouvelleClasse_octetsDeCalculDesReglages();
    void initialiserClasse_data();
    void initialiserClasse();
    void initialiserClasse_schemaDesReglages();
    void initialiserClasse_schemaSansPeriodeRefuse();
    void initialiserClasse_videLesDonnees();
    void viderDonnees();

    // Students
    void ajouterEleve_exempleMartinPaul();
    void ajouterEleve_nomEgalPlaceAvant();
    void ajouterEleve_donneesSuiventLesEleves();
    void ajouterEleve_cinquanteEtUnieme();
    void supprimerEleve_donneesSuiventLesEleves();
    void modifierEleve_data();
    void modifierEleve();
    void modifierListeEleves();
    void modifierDatesNaissance();
    void redoublantEtNaissanceSansMarquer();
    void elevesDUneClasseRelue();

    // Marks, attributes and recalculation marks
    void modifierNote_memeTexte();
    void modifierNote_texteDifferent();
    void attributsDeMoyenne_data();
    void attributsDeMoyenne();
    void attributsSansEffetSurLesMoyennes();
    void pointsEtAppreciations();
    void caches();

    // Series
    void ajouterSerie_placeEtDrapeaux();
    void ajouterSerie_au255eLimite();
    void supprimerSerie_seuleSerieDeLAnnee();
    void supprimerSerie_colonneDeLAnnee();
    void deplacerSerie_versPeriodePrecedente();
    void deplacerSerie_versPeriodeSuivanteEtMemePeriode();
    void deplacerSerie_anneePleine();
    void monterDescendreSerie();
    void typesDeNotes();

    // Limits
    void textesCoupesA255();
    void indicesHorsBornes();

private:
    std::unique_ptr<TavTest::ReglagesPrives> reglages;
    QTemporaryDir dossier;
    void Enregistrer(TFichierTav& f) {
        f.Enregistrer(QDir(dossier.path()).filePath(QStringLiteral("classe.tav")));
        QVERIFY(!f.EstModifie());
    }
};

void TestFichierTav::initTestCase() {
    reglages = std::make_unique<TavTest::ReglagesPrives>();
    QVERIFY(dossier.isValid());
}

void TestFichierTav::init() {
    reglages->Vider();
}

// ---- A new class ---------------------------------------------------------------

void TestFichierTav::nouvelleClasse_valeursParDefaut() {
    TFichierTav f;
    const int annee = QDate::currentDate().year();
    QCOMPARE(f.Classe(), QStringLiteral("Nouvelle classe"));
    QCOMPARE(f.NomFichier(), QStringLiteral("Nouvelle classe"));
    QCOMPARE(f.Ecole(), QString());
    QCOMPARE(f.Matiere(), QString());
    QCOMPARE(f.Remarque(), QString());
    QCOMPARE(f.Enseignant(), QString());
    QCOMPARE(f.AnneeScolaire(), QStringLiteral("%1/%2").arg(annee).arg(annee + 1));
    QCOMPARE(f.TypeBulletins(), BulletinsDefaut);
    QCOMPARE(f.NombreColonnesBulletin(), 1);
    QCOMPARE(f.NomColonneBulletin(1), QStringLiteral("Appréciations"));
    QCOMPARE(f.TypePeriodes(), Trimestres);
    QCOMPARE(f.ListePeriodes(),
             QStringList({QStringLiteral("Premier trimestre"), QStringLiteral("Deuxième trimestre"),
                          QStringLiteral("Troisième trimestre")}));
    QCOMPARE(f.NombreEleves(), 0);
    for (int p = 1; p <= 3; ++p)
        QCOMPARE(f.NombreSeries(p), 0);
    QCOMPARE(f.NombreSeriesAnnee(), 0);
    QCOMPARE(f.LibellesClasse(), QStringList{QStringLiteral("classe")});
    QVERIFY(f.EstValide());
    QVERIFY(f.EstModifie());
    QVERIFY(!f.EstImporte());
    for (int p = 1; p <= 3; ++p)
        QVERIFY(f.PeriodeARecalculer(p));
}

void TestFichierTav::nouvelleClasse_octetsDeCalculDesReglages() {
    {
        TFichierTav f;
        QCOMPARE(f.ArrondiMoyennes(), quint8(0));
        QCOMPARE(f.ArrondiMoyennesAnnuelles(), quint8(0));
        QCOMPARE(f.TypeMoyennesAnnuelles(), quint8(0));
    }
    Options::ModifierArrondirMoyennes(3);
    Options::ModifierArrondirMoyennesAnnuelles(2);
    Options::ModifierTypeMoyennesAnnuelles(1);
    TFichierTav f;
    QCOMPARE(f.ArrondiMoyennes(), quint8(3));
    QCOMPARE(f.ArrondiMoyennesAnnuelles(), quint8(2));
    QCOMPARE(f.TypeMoyennesAnnuelles(), quint8(1));
}

void TestFichierTav::initialiserClasse_data() {
    QTest::addColumn<QString>("typePeriodes");
    QTest::addColumn<QString>("typeBulletins");
    QTest::addColumn<QStringList>("periodes");
    QTest::addColumn<QStringList>("colonnes");
    QTest::newRow("trimestres") << Trimestres << BulletinsDefaut
                                << QStringList({QStringLiteral("Premier trimestre"),
                                                QStringLiteral("Deuxième trimestre"),
                                                QStringLiteral("Troisième trimestre")})
                                << QStringList{QStringLiteral("Appréciations")};
    QTest::newRow("semestres, collège")
        << QStringLiteral("Semestres") << BulletinsCollege
        << QStringList({QStringLiteral("Premier semestre"), QStringLiteral("Deuxième semestre")})
        << QStringList({QStringLiteral("Appréciations générales"),
                        QStringLiteral("Progrès et efforts"),
                        QStringLiteral("Conseils pour progresser")});
    QStringList mois = {"Septembre", "Octobre", "Novembre", "Décembre", "Janvier", "Février",
                        "Mars",      "Avril",   "Mai",      "Juin",     "Juillet", "Août"};
    QTest::newRow("mois, type inconnu")
        << QStringLiteral("Mois") << QStringLiteral("Bulletins inconnus") << mois << QStringList();
}

void TestFichierTav::initialiserClasse() {
    QFETCH(QString, typePeriodes);
    QFETCH(QString, typeBulletins);
    QFETCH(QStringList, periodes);
    QFETCH(QStringList, colonnes);
    TFichierTav f;
    f.InitialiserClasse(typePeriodes, typeBulletins);
    QCOMPARE(f.TypePeriodes(), typePeriodes);
    QCOMPARE(f.ListePeriodes(), periodes);
    QCOMPARE(f.NombrePeriodes(), int(periodes.size()));
    QCOMPARE(f.TypeBulletins(), typeBulletins);
    QCOMPARE(f.ColonnesBulletin(), colonnes);
    QCOMPARE(f.NombreColonnesBulletin(), int(colonnes.size()));
    for (int p = 1; p <= f.NombrePeriodes(); ++p) {
        QCOMPARE(f.NombreSeries(p), 0);
        QVERIFY(f.PeriodeARecalculer(p));
    }
    QVERIFY(f.EstModifie());
    // The class takes students and series in every period.
    f.AjouterEleve(QStringLiteral("Petit Anne"), QString(), false);
    const int P = f.NombrePeriodes();
    AjouterSerie(f, P, QStringLiteral("Dernière"));
    f.ModifierNote(P, 1, QStringLiteral("11"), 1);
    QCOMPARE(f.Note(P, 1, 1), QStringLiteral("11"));
    QVERIFY(f.MoyenneARecalculer(P, 1));
    f.ModifierPointsPlusMoins(P, 1, QStringLiteral("1"));
    QCOMPARE(f.PointsPlusMoins(P, 1), QStringLiteral("1"));
    QCOMPARE(f.IndiceLibelle(1), QStringLiteral("1"));
}

void TestFichierTav::initialiserClasse_schemaDesReglages() {
    const QStringList bimestres = {QStringLiteral("B1"), QStringLiteral("B2"), QStringLiteral("B3"),
                                   QStringLiteral("B4"), QStringLiteral("B5")};
    Options::EnregistrerSchemaPeriodes(QStringLiteral("Bimestres"), bimestres);
    TFichierTav f;
    f.InitialiserClasse(QStringLiteral("Bimestres"), BulletinsDefaut);
    QCOMPARE(f.ListePeriodes(), bimestres);
    QCOMPARE(f.TypePeriodes(), QStringLiteral("Bimestres"));
    for (int p = 1; p <= 5; ++p)
        QCOMPARE(f.NombreSeries(p), 0);

    // A stored list for a built-in kind replaces the built-in names.
    Options::EnregistrerSchemaPeriodes(Trimestres, {QStringLiteral("T1"), QStringLiteral("T2")});
    TFichierTav g;
    g.InitialiserClasse(Trimestres, BulletinsDefaut);
    QCOMPARE(g.ListePeriodes(), QStringList({QStringLiteral("T1"), QStringLiteral("T2")}));
}

void TestFichierTav::initialiserClasse_schemaSansPeriodeRefuse() {
    auto f = NouvelleClasse({QStringLiteral("Bernard Luc")});
    AjouterSerie(*f, 2, QStringLiteral("S"));
    const QStringList avant = Instantane(*f);
    QVERIFY_THROWS_EXCEPTION(TTavException,
                             f->InitialiserClasse(QStringLiteral("Inconnu"), BulletinsDefaut));
    QCOMPARE(Instantane(*f), avant);
}

void TestFichierTav::initialiserClasse_videLesDonnees() {
    auto f = NouvelleClasse({QStringLiteral("Bernard Luc"), QStringLiteral("Petit Anne")});
    AjouterSerie(*f, 1, QStringLiteral("S1"));
    AjouterSerie(*f, 3, QStringLiteral("S3"));
    DonnerDonnees(*f, 1, QStringLiteral("B"));
    f->InitialiserClasse(QStringLiteral("Semestres"), BulletinsCollege);
    QCOMPARE(f->NombrePeriodes(), 2);
    QCOMPARE(f->NombreSeriesAnnee(), 0);
    QCOMPARE(f->NombreColonnesBulletin(), 3);
    for (int p = 1; p <= 2; ++p)
        for (int s = 1; s <= 2; ++s) {
            QCOMPARE(f->PointsPlusMoins(p, s), QString());
            for (int c = 1; c <= 3; ++c)
                QCOMPARE(f->Appreciation(p, s, c), QString());
        }
    // The table is usable again at once.
    AjouterSerie(*f, 2, QStringLiteral("Nouvelle"));
    QVERIFY(AttributsIntacts(*f, 2, 1, QStringLiteral("Nouvelle")));
    QCOMPARE(f->Note(2, 1, 1), QString());
}

void TestFichierTav::viderDonnees() {
    auto f = NouvelleClasse({QStringLiteral("Bernard Luc"), QStringLiteral("Petit Anne")},
                            BulletinsCollege);
    AjouterSerie(*f, 1, QStringLiteral("S1"));
    AjouterSerie(*f, 2, QStringLiteral("S2"));
    DonnerDonnees(*f, 1, QStringLiteral("B"));
    DonnerDonnees(*f, 2, QStringLiteral("P"));
    f->ModifierRedoublant(2, true);
    f->ModifierClasse(QStringLiteral("5e C"));
    Enregistrer(*f);
    ToutRafraichir(*f);

    f->ViderDonnees();
    QVERIFY(f->EstModifie());
    QCOMPARE(f->Classe(), QStringLiteral("5e C"));
    QCOMPARE(f->NombrePeriodes(), 3);
    QCOMPARE(f->NombreColonnesBulletin(), 3);
    QCOMPARE(f->ListeEleves(),
             QStringList({QStringLiteral("Bernard Luc"), QStringLiteral("Petit Anne")}));
    for (int p = 1; p <= 3; ++p) {
        QCOMPARE(f->NombreSeries(p), 0);
        QVERIFY(f->PeriodeARecalculer(p));
        for (int s = 1; s <= 2; ++s) {
            QCOMPARE(f->PointsPlusMoins(p, s), QString());
            for (int c = 1; c <= 3; ++c)
                QCOMPARE(f->Appreciation(p, s, c), QString());
            QVERIFY(f->MoyenneARecalculer(p, s));
        }
    }
    for (int s = 1; s <= 2; ++s) {
        QCOMPARE(f->DateNaissance(s), QString());
        QVERIFY(!f->EstRedoublant(s));
        QCOMPARE(f->IndiceLibelle(s), QStringLiteral("1"));
    }
    // The emptied class saves without its series and takes new ones.
    Enregistrer(*f);
    TFichierTav relu(QDir(dossier.path()).filePath(QStringLiteral("classe.tav")));
    QVERIFY2(relu.EstValide(), qPrintable(relu.CauseInvalidite()));
    QCOMPARE(relu.NombreSeriesAnnee(), 0);
    QCOMPARE(relu.NombreEleves(), 2);
    AjouterSerie(*f, 3, QStringLiteral("Nouvelle"));
    QVERIFY(AttributsIntacts(*f, 3, 1, QStringLiteral("Nouvelle")));
    QCOMPARE(f->Note(3, 1, 2), QString());
}

// ---- Students ------------------------------------------------------------------

void TestFichierTav::ajouterEleve_exempleMartinPaul() {
    auto f = NouvelleClasse({QStringLiteral("Bernard Luc"), QStringLiteral("Petit Anne")});
    AjouterSerie(*f, 1, QStringLiteral("A"));
    AjouterSerie(*f, 1, QStringLiteral("B"));
    f->ModifierNote(1, 1, QStringLiteral("12"), 1);
    f->ModifierNote(1, 1, QStringLiteral("15"), 2);
    f->ModifierNote(1, 2, QStringLiteral("8"), 2);
    Enregistrer(*f);
    ToutRafraichir(*f);

    f->AjouterEleve(QStringLiteral("Martin Paul"), QStringLiteral("01/02/1993"), true);
    QCOMPARE(f->NombreEleves(), 3);
    QCOMPARE(f->NomEleve(2), QStringLiteral("Martin Paul"));
    QCOMPARE(f->Note(1, 1, 2), QStringLiteral("abs"));
    QCOMPARE(f->Note(1, 2, 2), QStringLiteral("abs"));
    QCOMPARE(f->Note(1, 1, 1), QStringLiteral("12"));
    QCOMPARE(f->Note(1, 1, 3), QStringLiteral("15"));
    QCOMPARE(f->Note(1, 2, 3), QStringLiteral("8"));
    QVERIFY(AttributsIntacts(*f, 1, 1, QStringLiteral("A")));
    QVERIFY(AttributsIntacts(*f, 1, 2, QStringLiteral("B")));
    QCOMPARE(f->DateNaissance(2), QStringLiteral("01/02/1993"));
    QVERIFY(f->EstRedoublant(2));
    QVERIFY(!f->EstRedoublant(3));
    QVERIFY(f->EstModifie());
    for (int p = 1; p <= 3; ++p) {
        QVERIFY(f->PeriodeARecalculer(p));
        for (int s = 1; s <= 3; ++s)
            QVERIFY(f->MoyenneARecalculer(p, s));
    }
    QVERIFY(ToutesStatistiquesARecalculer(*f));
}

void TestFichierTav::ajouterEleve_nomEgalPlaceAvant() {
    auto f = NouvelleClasse({QStringLiteral("Dupont Jean"), QStringLiteral("Martin Luc")});
    AjouterSerie(*f, 2, QStringLiteral("S"));
    f->ModifierNote(2, 1, QStringLiteral("13"), 1);
    f->AjouterEleve(QStringLiteral("DUPONT JEAN"), QString(), false);
    QCOMPARE(f->ListeEleves(),
             QStringList({QStringLiteral("DUPONT JEAN"), QStringLiteral("Dupont Jean"),
                          QStringLiteral("Martin Luc")}));
    QCOMPARE(f->Note(2, 1, 1), QStringLiteral("abs"));
    QCOMPARE(f->Note(2, 1, 2), QStringLiteral("13"));
}

void TestFichierTav::ajouterEleve_donneesSuiventLesEleves() {
    auto f = NouvelleClasse(
        {QStringLiteral("Bernard Luc"), QStringLiteral("Petit Anne"), QStringLiteral("Roux Marc")},
        BulletinsCollege);
    AjouterSerie(*f, 1, QStringLiteral("S1"));
    AjouterSerie(*f, 3, QStringLiteral("S3a"));
    AjouterSerie(*f, 3, QStringLiteral("S3b"));
    DonnerDonnees(*f, 1, QStringLiteral("B"));
    DonnerDonnees(*f, 2, QStringLiteral("P"));
    DonnerDonnees(*f, 3, QStringLiteral("R"));

    f->AjouterEleve(QStringLiteral("Aubert Léa"), QString(), false);  // first
    f->AjouterEleve(QStringLiteral("Martin Paul"), QString(), false); // middle
    f->AjouterEleve(QStringLiteral("Zola Émile"), QString(), false);  // last
    QCOMPARE(f->ListeEleves(), QStringList({"Aubert Léa", "Bernard Luc", "Martin Paul",
                                            "Petit Anne", "Roux Marc", "Zola Émile"}));
    const QStringList marqueurs = {QString(), "B", QString(), "P", "R", QString()};
    for (int s = 1; s <= 6; ++s)
        QVERIFY2(DonneesDe(*f, s, marqueurs.at(s - 1)), qPrintable(f->NomEleve(s)));
    QCOMPARE(f->DateNaissance(2), QStringLiteral("B"));
    QCOMPARE(f->DateNaissance(4), QStringLiteral("P"));
    QCOMPARE(f->DateNaissance(1), QString());
    for (int j = 1; j <= 2; ++j)
        QVERIFY(AttributsIntacts(*f, 3, j, j == 1 ? QStringLiteral("S3a") : QStringLiteral("S3b")));

    // The data survive a save and a reload.
    Enregistrer(*f);
    TFichierTav relu(f->NomFichier());
    QVERIFY2(relu.EstValide(), qPrintable(relu.CauseInvalidite()));
    for (int s = 1; s <= 6; ++s)
        QVERIFY(DonneesDe(relu, s, marqueurs.at(s - 1)));
}

void TestFichierTav::ajouterEleve_cinquanteEtUnieme() {
    QStringList noms;
    for (int i = 1; i <= 50; ++i)
        noms.append(QStringLiteral("Élève %1").arg(i, 2, 10, QLatin1Char('0')));
    auto f = NouvelleClasse(noms);
    AjouterSerie(*f, 1, QStringLiteral("S"));
    f->ModifierNote(1, 1, QStringLiteral("10"), 50);
    Enregistrer(*f);
    ToutRafraichir(*f);
    const QStringList avant = Instantane(*f);

    f->AjouterEleve(QStringLiteral("Aaron Premier"), QString(), true);
    QCOMPARE(f->NombreEleves(), 50);
    QVERIFY(!f->EstModifie());
    QCOMPARE(Instantane(*f), avant);
    QVERIFY(!f->PeriodeARecalculer(1));
    QVERIFY(!f->MoyenneARecalculer(1, 1));
    QVERIFY(AucuneStatistiqueARecalculer(*f));
}

void TestFichierTav::supprimerEleve_donneesSuiventLesEleves() {
    auto f = NouvelleClasse({QStringLiteral("Bernard Luc"), QStringLiteral("Martin Paul"),
                             QStringLiteral("Petit Anne"), QStringLiteral("Roux Marc")},
                            BulletinsCollege);
    AjouterSerie(*f, 1, QStringLiteral("S1"));
    AjouterSerie(*f, 2, QStringLiteral("S2"));
    const QStringList m = {"B", "M", "P", "R"};
    for (int s = 1; s <= 4; ++s)
        DonnerDonnees(*f, s, m.at(s - 1));
    f->ModifierRedoublant(3, true);
    Enregistrer(*f);
    ToutRafraichir(*f);

    f->SupprimerEleve(2);
    QCOMPARE(f->ListeEleves(), QStringList({"Bernard Luc", "Petit Anne", "Roux Marc"}));
    QVERIFY(DonneesDe(*f, 1, "B"));
    QVERIFY(DonneesDe(*f, 2, "P"));
    QVERIFY(DonneesDe(*f, 3, "R"));
    QVERIFY(f->EstRedoublant(2));
    QCOMPARE(f->DateNaissance(3), QStringLiteral("R"));
    QVERIFY(AttributsIntacts(*f, 1, 1, QStringLiteral("S1")));
    QVERIFY(AttributsIntacts(*f, 2, 1, QStringLiteral("S2")));
    QVERIFY(f->EstModifie());
    for (int p = 1; p <= 3; ++p)
        QVERIFY(f->PeriodeARecalculer(p));
    QVERIFY(ToutesStatistiquesARecalculer(*f));

    f->SupprimerEleve(3);
    f->SupprimerEleve(1);
    QVERIFY(DonneesDe(*f, 1, "P"));
    f->SupprimerEleve(1);
    QCOMPARE(f->NombreEleves(), 0);
    QCOMPARE(f->ColonneSerie(1, 1).size(), 18);
    QVERIFY(AttributsIntacts(*f, 2, 1, QStringLiteral("S2")));
    QVERIFY_THROWS_EXCEPTION(TTavException, f->SupprimerEleve(1));
}

void TestFichierTav::modifierEleve_data() {
    QTest::addColumn<int>("s");
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QStringList>("ordre"); // markers of the rows after the change
    QTest::newRow("premier vers dernier") << 1 << "Zola Émile" << QStringList({"M", "P", "R", "B"});
    QTest::newRow("dernier vers premier") << 4 << "Aubert Léa" << QStringList({"R", "B", "M", "P"});
    QTest::newRow("vers le milieu") << 1 << "Nadal Eva" << QStringList({"M", "B", "P", "R"});
    QTest::newRow("sans déplacement") << 2 << "Martin Pauline" << QStringList({"B", "M", "P", "R"});
    QTest::newRow("égal à un autre : placé avant")
        << 4 << "PETIT ANNE" << QStringList({"B", "M", "R", "P"});
    QTest::newRow("même nom") << 3 << "Petit Anne" << QStringList({"B", "M", "P", "R"});
}

void TestFichierTav::modifierEleve() {
    QFETCH(int, s);
    QFETCH(QString, nom);
    QFETCH(QStringList, ordre);
    auto f = NouvelleClasse({QStringLiteral("Bernard Luc"), QStringLiteral("Martin Paul"),
                             QStringLiteral("Petit Anne"), QStringLiteral("Roux Marc")},
                            BulletinsCollege);
    AjouterSerie(*f, 1, QStringLiteral("S1"));
    AjouterSerie(*f, 1, QStringLiteral("S1b"));
    AjouterSerie(*f, 3, QStringLiteral("S3"));
    const QStringList m = {"B", "M", "P", "R"};
    for (int e = 1; e <= 4; ++e)
        DonnerDonnees(*f, e, m.at(e - 1));
    f->ModifierRedoublant(1, true);
    const QString renomme = m.at(s - 1);
    Enregistrer(*f);
    ToutRafraichir(*f);

    f->ModifierEleve(s, nom, s != 1, QStringLiteral("05/06/1994 et la suite"));
    QVERIFY(f->EstModifie());
    for (int e = 1; e <= 4; ++e) {
        QVERIFY2(DonneesDe(*f, e, ordre.at(e - 1)), qPrintable(f->NomEleve(e)));
        if (ordre.at(e - 1) == renomme) {
            QCOMPARE(f->NomEleve(e), nom);
            QCOMPARE(f->EstRedoublant(e), s != 1);
            QVERIFY(f->DateNaissance(e).startsWith(QStringLiteral("05/06/1994")));
        } else {
            QCOMPARE(f->DateNaissance(e), ordre.at(e - 1));
            QCOMPARE(f->EstRedoublant(e), ordre.at(e - 1) == QLatin1String("B"));
        }
    }
    QVERIFY(AttributsIntacts(*f, 1, 2, QStringLiteral("S1b")));
    for (int p = 1; p <= 3; ++p) {
        QVERIFY(f->PeriodeARecalculer(p));
        for (int e = 1; e <= 4; ++e)
            QVERIFY(f->MoyenneARecalculer(p, e));
    }
    QVERIFY(ToutesStatistiquesARecalculer(*f));

    // The order holds through a save and a reload.
    Enregistrer(*f);
    TFichierTav relu(f->NomFichier());
    QVERIFY2(relu.EstValide(), qPrintable(relu.CauseInvalidite()));
    QCOMPARE(relu.ListeEleves(), f->ListeEleves());
    for (int e = 1; e <= 4; ++e)
        QVERIFY(DonneesDe(relu, e, ordre.at(e - 1)));
}

void TestFichierTav::modifierListeEleves() {
    auto f = NouvelleClasse({QStringLiteral("Bernard Luc"), QStringLiteral("Petit Anne")});
    AjouterSerie(*f, 1, QStringLiteral("S1"));
    AjouterSerie(*f, 2, QStringLiteral("S2"));
    DonnerDonnees(*f, 1, QStringLiteral("B"));
    DonnerDonnees(*f, 2, QStringLiteral("P"));
    f->ModifierRedoublant(2, true);
    Enregistrer(*f);
    ToutRafraichir(*f);

    const QString long120 = QStringLiteral("Zorro ") + QString(114, QLatin1Char('z'));
    f->ModifierListeEleves({QStringLiteral("Petit Anne"), long120, QStringLiteral("Aubert Léa")});
    QCOMPARE(f->ListeEleves(), QStringList({QStringLiteral("Aubert Léa"),
                                            QStringLiteral("Petit Anne"), long120.left(100)}));
    QVERIFY(f->EstModifie());
    for (int p = 1; p <= 3; ++p) {
        QVERIFY(f->PeriodeARecalculer(p));
        for (int s = 1; s <= 3; ++s) {
            QCOMPARE(f->PointsPlusMoins(p, s), QString());
            QCOMPARE(f->Appreciation(p, s, 1), QString());
            QVERIFY(f->MoyenneARecalculer(p, s));
        }
    }
    for (int s = 1; s <= 3; ++s) {
        QCOMPARE(f->DateNaissance(s), QString());
        QVERIFY(!f->EstRedoublant(s));
        QCOMPARE(f->IndiceLibelle(s), QStringLiteral("1"));
    }
    // The series keep their attributes where the new count puts them, and no
    // mark of a student who left is given to someone else.
    QVERIFY(AttributsIntacts(*f, 1, 1, QStringLiteral("S1")));
    QVERIFY(AttributsIntacts(*f, 2, 1, QStringLiteral("S2")));
    for (int p = 1; p <= 2; ++p)
        for (int s = 1; s <= 3; ++s)
            QVERIFY(!f->Note(p, 1, s).startsWith(QLatin1String("B ")));
    QCOMPARE(f->Note(1, 1, 2), NoteDe(QStringLiteral("P"), 1, 1));
    QVERIFY(ToutesStatistiquesARecalculer(*f));
    Enregistrer(*f);
    TFichierTav relu(f->NomFichier());
    QVERIFY2(relu.EstValide(), qPrintable(relu.CauseInvalidite()));
    QCOMPARE(Instantane(relu), Instantane(*f));
}

void TestFichierTav::modifierDatesNaissance() {
    auto f = NouvelleClasse({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
    Enregistrer(*f);
    ToutRafraichir(*f);
    f->ModifierDatesNaissance(
        {QStringLiteral("01/01/1990 (à vérifier)"), QStringLiteral("2/3/91")});
    QCOMPARE(f->DateNaissance(1), QStringLiteral("01/01/1990"));
    QCOMPARE(f->DateNaissance(2), QStringLiteral("2/3/91"));
    QCOMPARE(f->DateNaissance(3), QString());
    QVERIFY(f->EstModifie());
    for (int p = 1; p <= 3; ++p)
        QVERIFY(f->PeriodeARecalculer(p));
    // More lines than students: the extra lines are ignored.
    f->ModifierDatesNaissance({"1", "2", "3", "4", "5"});
    QCOMPARE(f->DateNaissance(3), QStringLiteral("3"));
    QCOMPARE(f->NombreEleves(), 3);
}

void TestFichierTav::redoublantEtNaissanceSansMarquer() {
    auto f = NouvelleClasse({QStringLiteral("A"), QStringLiteral("B")});
    Enregistrer(*f);
    f->ModifierRedoublant(2, true);
    f->ModifierDateNaissance(1, QStringLiteral("12/12/1992"));
    f->ModifierNomFichier(QStringLiteral("/ailleurs/classe.tav"));
    f->ModifierTypePeriodes(QStringLiteral("Autre"));
    QVERIFY(!f->EstModifie());
    QVERIFY(f->EstRedoublant(2));
    QVERIFY(!f->EstRedoublant(1));
    QCOMPARE(f->DateNaissance(1), QStringLiteral("12/12/1992"));
    QCOMPARE(f->NomFichier(), QStringLiteral("/ailleurs/classe.tav"));
    QCOMPARE(f->TypePeriodes(), QStringLiteral("Autre"));
    f->ModifierRedoublant(2, false);
    QVERIFY(!f->EstRedoublant(2));
}

void TestFichierTav::elevesDUneClasseRelue() {
    // A class read from a file holds its lists at their exact sizes (a new
    // class has 50 slots per period): the data must follow the students there too.
    auto f = NouvelleClasse({QStringLiteral("Bernard Luc"), QStringLiteral("Martin Paul"),
                             QStringLiteral("Petit Anne")},
                            BulletinsCollege);
    AjouterSerie(*f, 1, QStringLiteral("S1"));
    AjouterSerie(*f, 3, QStringLiteral("S3"));
    const QStringList m = {"B", "M", "P"};
    for (int s = 1; s <= 3; ++s)
        DonnerDonnees(*f, s, m.at(s - 1));
    Enregistrer(*f);
    TFichierTav relu(f->NomFichier());
    QVERIFY2(relu.EstValide(), qPrintable(relu.CauseInvalidite()));

    relu.AjouterEleve(QStringLiteral("Durand Léo"), QString(), false);
    QVERIFY(DonneesDe(relu, 1, "B"));
    QVERIFY(DonneesDe(relu, 2, QString()));
    QVERIFY(DonneesDe(relu, 3, "M"));
    QVERIFY(DonneesDe(relu, 4, "P"));
    relu.ModifierEleve(1, QStringLiteral("Roux Luc"), false, QString());
    QVERIFY(DonneesDe(relu, 3, "P"));
    QVERIFY(DonneesDe(relu, 4, "B"));
    relu.SupprimerEleve(2);
    QCOMPARE(relu.ListeEleves(), QStringList({"Durand Léo", "Petit Anne", "Roux Luc"}));
    QVERIFY(DonneesDe(relu, 1, QString()));
    QVERIFY(DonneesDe(relu, 2, "P"));
    QVERIFY(DonneesDe(relu, 3, "B"));
    QVERIFY(AttributsIntacts(relu, 3, 1, QStringLiteral("S3")));
}

// ---- Marks, attributes and recalculation marks ---------------------------------

void TestFichierTav::modifierNote_memeTexte() {
    auto f = NouvelleClasse({QStringLiteral("A"), QStringLiteral("B")});
    AjouterSerie(*f, 2, QStringLiteral("S"));
    f->ModifierNote(2, 1, QStringLiteral("12,5"), 1);
    Enregistrer(*f);
    ToutRafraichir(*f);

    f->ModifierNote(2, 1, QStringLiteral("12,5"), 1);
    QVERIFY(!f->EstModifie());
    QVERIFY(AucuneStatistiqueARecalculer(*f));
    QVERIFY(!f->MoyenneARecalculer(2, 1));
    QVERIFY(f->PeriodeARecalculer(2));
    QVERIFY(!f->PeriodeARecalculer(1));
    QVERIFY(!f->PeriodeARecalculer(3));
}

void TestFichierTav::modifierNote_texteDifferent() {
    auto f = NouvelleClasse({QStringLiteral("A"), QStringLiteral("B")});
    AjouterSerie(*f, 1, QStringLiteral("S1"));
    AjouterSerie(*f, 2, QStringLiteral("S2a"));
    AjouterSerie(*f, 2, QStringLiteral("S2b"));
    Enregistrer(*f);
    ToutRafraichir(*f);

    f->ModifierNote(2, 2, QStringLiteral("abs"), 2);
    QCOMPARE(f->Note(2, 2, 2), QStringLiteral("abs"));
    QVERIFY(f->EstModifie());
    for (int k = 1; k <= 7; ++k) {
        QVERIFY(f->StatistiqueARecalculer(2, 2, k));
        QVERIFY(!f->StatistiqueARecalculer(2, 1, k));
        QVERIFY(!f->StatistiqueARecalculer(1, 1, k));
    }
    QVERIFY(f->MoyenneARecalculer(2, 2));
    QVERIFY(!f->MoyenneARecalculer(2, 1));
    QVERIFY(!f->MoyenneARecalculer(1, 2));
    QVERIFY(!f->MoyenneARecalculer(3, 2));
    QVERIFY(f->PeriodeARecalculer(2));
    QVERIFY(!f->PeriodeARecalculer(1));

    // Once set, the modified flag stays set even when a text comes back.
    f->ModifierNote(2, 2, QString(), 2);
    QVERIFY(f->EstModifie());
    QCOMPARE(f->Note(2, 2, 2), QString());
}

void TestFichierTav::attributsDeMoyenne_data() {
    QTest::addColumn<int>("rang"); // 0 maximum, 1 coefficient, 2 counts in the average
    QTest::newRow("noté sur") << 0;
    QTest::newRow("coefficient") << 1;
    QTest::newRow("compte dans la moyenne") << 2;
}

void TestFichierTav::attributsDeMoyenne() {
    QFETCH(int, rang);
    auto f = NouvelleClasse({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
    AjouterSerie(*f, 1, QStringLiteral("S1"));
    AjouterSerie(*f, 3, QStringLiteral("S3"));
    Enregistrer(*f);
    ToutRafraichir(*f);
    auto modifier = [&](const QString& t) {
        if (rang == 0) f->ModifierNoteSur(3, 1, t);
        if (rang == 1) f->ModifierCoefficient(3, 1, t);
        if (rang == 2) f->ModifierCompteDansMoyenne(3, 1, t);
    };
    auto lire = [&]() {
        return rang == 0   ? f->NoteSur(3, 1)
               : rang == 1 ? f->Coefficient(3, 1)
                           : f->CompteDansMoyenne(3, 1);
    };
    const QString actuel = lire();

    modifier(actuel); // the same text
    QVERIFY(!f->EstModifie());
    for (int s = 1; s <= 3; ++s)
        QVERIFY(!f->MoyenneARecalculer(3, s));
    QVERIFY(f->PeriodeARecalculer(3));

    f->MarquerPeriode(3, false);
    modifier(QStringLiteral("non ") + actuel);
    QCOMPARE(lire(), QStringLiteral("non ") + actuel);
    QVERIFY(f->EstModifie());
    for (int s = 1; s <= 3; ++s) {
        QVERIFY(f->MoyenneARecalculer(3, s));
        QVERIFY(!f->MoyenneARecalculer(1, s));
    }
    QVERIFY(f->PeriodeARecalculer(3));
    QVERIFY(!f->PeriodeARecalculer(1));
    QVERIFY(AttributsIntacts(*f, 1, 1, QStringLiteral("S1")));
}

void TestFichierTav::attributsSansEffetSurLesMoyennes() {
    auto f = NouvelleClasse({QStringLiteral("A"), QStringLiteral("B")});
    AjouterSerie(*f, 1, QStringLiteral("S1"));
    Enregistrer(*f);
    ToutRafraichir(*f);
    f->ModifierIntitule(1, 1, QStringLiteral("S1"));
    f->ModifierDateSerie(1, 1, QStringLiteral("01/10/2006"));
    QVERIFY(!f->EstModifie());

    f->ModifierIntitule(1, 1, QStringLiteral("Titre"));
    f->ModifierDateSerie(1, 1, QStringLiteral("02/10/2006"));
    f->ModifierCommentaire(1, 1, QStringLiteral("Rien"));
    f->ModifierTypeNotes(1, 1, QStringLiteral("Test en classe"));
    f->ModifierOral(1, 1, true);
    QVERIFY(f->EstModifie());
    QCOMPARE(f->Intitule(1, 1), QStringLiteral("Titre"));
    QCOMPARE(f->DateSerie(1, 1), QStringLiteral("02/10/2006"));
    QCOMPARE(f->Commentaire(1, 1), QStringLiteral("Rien"));
    QCOMPARE(f->TypeNotes(1, 1), QStringLiteral("Test en classe"));
    QCOMPARE(f->OralEcrit(1, 1), QStringLiteral("Oral"));
    f->ModifierOral(1, 1, false);
    QCOMPARE(f->OralEcrit(1, 1), QStringLiteral("Ecrit"));
    QVERIFY(!f->MoyenneARecalculer(1, 1));
    QVERIFY(!f->MoyenneARecalculer(1, 2));
    QCOMPARE(f->Cellule(1, 1, 0), QStringLiteral("Titre"));
    QCOMPARE(f->Cellule(1, 1, 2 + 17), QStringLiteral("Ecrit"));
}

void TestFichierTav::pointsEtAppreciations() {
    auto f = NouvelleClasse({QStringLiteral("A"), QStringLiteral("B")}, BulletinsCollege);
    Enregistrer(*f);
    ToutRafraichir(*f);
    f->ModifierPointsPlusMoins(2, 1, QString());
    f->ModifierAppreciation(2, 1, 3, QString());
    QVERIFY(!f->EstModifie());
    QVERIFY(!f->PeriodeARecalculer(2));

    f->ModifierPointsPlusMoins(2, 2, QStringLiteral("+1,5"));
    QVERIFY(f->EstModifie());
    QVERIFY(f->PeriodeARecalculer(2));
    QVERIFY(!f->PeriodeARecalculer(1));
    f->MarquerPeriode(2, false);
    f->ModifierAppreciation(3, 1, 2, QStringLiteral("Des progrès."));
    QVERIFY(f->PeriodeARecalculer(3));
    QVERIFY(!f->PeriodeARecalculer(2));
    QCOMPARE(f->PointsPlusMoins(2, 2), QStringLiteral("+1,5"));
    QCOMPARE(f->PointsPlusMoins(2, 1), QString());
    QCOMPARE(f->PointsPlusMoins(1, 2), QString());
    QCOMPARE(f->Appreciation(3, 1, 2), QStringLiteral("Des progrès."));
    QCOMPARE(f->Appreciation(3, 1, 1), QString());
    QCOMPARE(f->Appreciation(3, 1, 3), QString());
    QCOMPARE(f->Appreciation(3, 2, 2), QString());
    QCOMPARE(f->Appreciation(2, 1, 2), QString());
}

void TestFichierTav::caches() {
    auto f = NouvelleClasse({QStringLiteral("A"), QStringLiteral("B")});
    AjouterSerie(*f, 1, QStringLiteral("S1"));
    AjouterSerie(*f, 2, QStringLiteral("S2"));
    // Everything starts marked for recalculation.
    for (int p = 1; p <= 3; ++p)
        for (int s = 1; s <= 2; ++s)
            QVERIFY(f->MoyenneARecalculer(p, s));
    QVERIFY(ToutesStatistiquesARecalculer(*f));

    f->MettreMoyenneEnCache(2, 1, QStringLiteral("12,5"));
    f->MarquerMoyenne(2, 1, false);
    f->MettreMoyenneEnCache(3, 2, QStringLiteral("8"));
    f->MarquerMoyenne(3, 2, false);
    QCOMPARE(f->MoyenneEnCache(2, 1), QStringLiteral("12,5"));
    QCOMPARE(f->MoyenneEnCache(3, 2), QStringLiteral("8"));
    QVERIFY(!f->MoyenneARecalculer(2, 1));
    QVERIFY(f->MoyenneARecalculer(2, 2));
    QVERIFY(f->MoyenneARecalculer(1, 1));

    f->MettreStatistiqueEnCache(2, 1, 9, QStringLiteral("14"));
    f->MarquerStatistique(2, 1, false, 2);
    QCOMPARE(f->StatistiqueEnCache(2, 1, 9), QStringLiteral("14"));
    QVERIFY(!f->StatistiqueARecalculer(2, 1, 2));
    QVERIFY(f->StatistiqueARecalculer(2, 1, 1));
    QVERIFY(f->StatistiqueARecalculer(1, 1, 2));

    f->InvaliderCalculs();
    QVERIFY(f->MoyenneARecalculer(2, 1));
    QVERIFY(f->MoyenneARecalculer(3, 2));
    QVERIFY(ToutesStatistiquesARecalculer(*f));

    QVERIFY_THROWS_EXCEPTION(TTavException, f->StatistiqueEnCache(2, 1, 15));
    QVERIFY_THROWS_EXCEPTION(TTavException, f->StatistiqueEnCache(2, 1, 0));
    QVERIFY_THROWS_EXCEPTION(TTavException, f->MoyenneEnCache(4, 1));
    QVERIFY_THROWS_EXCEPTION(TTavException, f->MarquerMoyenne(1, 3, true));
}

// ---- Series --------------------------------------------------------------------

void TestFichierTav::ajouterSerie_placeEtDrapeaux() {
    auto f = NouvelleClasse({QStringLiteral("A"), QStringLiteral("B")});
    AjouterSerie(*f, 1, QStringLiteral("P1"));
    AjouterSerie(*f, 3, QStringLiteral("P3"));
    f->ModifierNote(1, 1, QStringLiteral("1"), 1);
    f->ModifierNote(3, 1, QStringLiteral("3"), 1);
    Enregistrer(*f);
    ToutRafraichir(*f);

    f->AjouterSerie(2, QStringLiteral("P2"), true, QStringLiteral("Interrogation"),
                    QStringLiteral("Com"), QStringLiteral("03/01/2007"), QStringLiteral("non"),
                    QStringLiteral("0,5"), QStringLiteral("10"));
    QCOMPARE(f->NombreSeries(1), 1);
    QCOMPARE(f->NombreSeries(2), 1);
    QCOMPARE(f->NombreSeries(3), 1);
    QCOMPARE(f->NombreSeriesAnnee(), 3);
    QCOMPARE(f->IndiceColonne(2, 1), 1);
    QCOMPARE(f->Intitule(2, 1), QStringLiteral("P2"));
    QCOMPARE(f->OralEcrit(2, 1), QStringLiteral("Oral"));
    QCOMPARE(f->TypeNotes(2, 1), QStringLiteral("Interrogation"));
    QCOMPARE(f->Commentaire(2, 1), QStringLiteral("Com"));
    QCOMPARE(f->DateSerie(2, 1), QStringLiteral("03/01/2007"));
    QCOMPARE(f->CompteDansMoyenne(2, 1), QStringLiteral("non"));
    QCOMPARE(f->Coefficient(2, 1), QStringLiteral("0,5"));
    QCOMPARE(f->NoteSur(2, 1), QStringLiteral("10"));
    QCOMPARE(f->ColonneSerie(2, 1).size(), 2 + 18);
    QCOMPARE(f->Note(2, 1, 1), QString());
    QCOMPARE(f->Note(2, 1, 2), QString());
    QCOMPARE(f->Note(1, 1, 1), QStringLiteral("1"));
    QCOMPARE(f->Note(3, 1, 1), QStringLiteral("3"));
    QVERIFY(f->EstModifie());
    QVERIFY(f->PeriodeARecalculer(2));
    QVERIFY(!f->PeriodeARecalculer(1));
    QVERIFY(!f->PeriodeARecalculer(3));
    QVERIFY(ToutesStatistiquesARecalculer(*f));
}

void TestFichierTav::ajouterSerie_au255eLimite() {
    auto f = NouvelleClasse({QStringLiteral("A")});
    for (int i = 0; i < 255; ++i)
        AjouterSerie(*f, 1 + i % 3, QString::number(i));
    QCOMPARE(f->NombreSeriesAnnee(), 255);
    const QStringList avant = Instantane(*f);
    QVERIFY_THROWS_EXCEPTION(TTavException, AjouterSerie(*f, 2, QStringLiteral("256e")));
    QCOMPARE(Instantane(*f), avant);
    // A full year still saves and reloads.
    Enregistrer(*f);
    TFichierTav relu(f->NomFichier());
    QVERIFY2(relu.EstValide(), qPrintable(relu.CauseInvalidite()));
    QCOMPARE(relu.NombreSeriesAnnee(), 255);
}

void TestFichierTav::supprimerSerie_seuleSerieDeLAnnee() {
    {
        auto f = NouvelleClasse({QStringLiteral("A"), QStringLiteral("B")});
        AjouterSerie(*f, 2, QStringLiteral("Seule"));
        Enregistrer(*f);
        ToutRafraichir(*f);
        f->SupprimerSerie(2, 1);
        for (int p = 1; p <= 3; ++p)
            QCOMPARE(f->NombreSeries(p), 0);
        QVERIFY(f->EstModifie());
        QVERIFY(f->PeriodeARecalculer(2));
        QVERIFY(!f->PeriodeARecalculer(1));
        QVERIFY_THROWS_EXCEPTION(TTavException, f->ColonneSerie(2, 1));
        // The table is one empty column again: a new series starts clean.
        AjouterSerie(*f, 1, QStringLiteral("Nouvelle"));
        QVERIFY(AttributsIntacts(*f, 1, 1, QStringLiteral("Nouvelle")));
        QCOMPARE(f->Note(1, 1, 1), QString());
        QCOMPARE(f->Note(1, 1, 2), QString());
    }
    {
        // A loaded class with one series (its table has an empty extra column).
        auto f = NouvelleClasse({QStringLiteral("A")});
        AjouterSerie(*f, 3, QStringLiteral("Seule"));
        f->ModifierNote(3, 1, QStringLiteral("9"), 1);
        Enregistrer(*f);
        TFichierTav relu(f->NomFichier());
        QVERIFY(relu.EstValide());
        relu.SupprimerSerie(3, 1);
        QCOMPARE(relu.NombreSeriesAnnee(), 0);
        relu.AjouterEleve(QStringLiteral("B"), QString(), false);
        AjouterSerie(relu, 3, QStringLiteral("Autre"));
        QVERIFY(AttributsIntacts(relu, 3, 1, QStringLiteral("Autre")));
        QCOMPARE(relu.Note(3, 1, 1), QString());
        QCOMPARE(relu.Note(3, 1, 2), QString());
    }
}

void TestFichierTav::supprimerSerie_colonneDeLAnnee() {
    auto f = NouvelleClasse({QStringLiteral("A")});
    AjouterSerie(*f, 1, QStringLiteral("1a"));
    AjouterSerie(*f, 1, QStringLiteral("1b"));
    AjouterSerie(*f, 2, QStringLiteral("2a"));
    AjouterSerie(*f, 2, QStringLiteral("2b"));
    AjouterSerie(*f, 3, QStringLiteral("3a"));
    for (int p = 1; p <= 3; ++p)
        for (int j = 1; j <= f->NombreSeries(p); ++j)
            f->ModifierNote(p, j, f->Intitule(p, j), 1);
    // Column 4 of the year is the second series of period 2.
    f->SupprimerSerie(2, 4);
    QCOMPARE(f->NombreSeries(1), 2);
    QCOMPARE(f->NombreSeries(2), 1);
    QCOMPARE(f->NombreSeries(3), 1);
    QCOMPARE(f->Intitule(2, 1), QStringLiteral("2a"));
    QCOMPARE(f->Intitule(3, 1), QStringLiteral("3a"));
    QCOMPARE(f->Note(3, 1, 1), QStringLiteral("3a"));
    QVERIFY(AttributsIntacts(*f, 3, 1, QStringLiteral("3a")));
    // A column outside the period is refused and changes nothing.
    const QStringList avant = Instantane(*f);
    QVERIFY_THROWS_EXCEPTION(TTavException, f->SupprimerSerie(2, 1));
    QVERIFY_THROWS_EXCEPTION(TTavException, f->SupprimerSerie(2, 4));
    QVERIFY_THROWS_EXCEPTION(TTavException, f->SupprimerSerie(1, 0));
    QCOMPARE(Instantane(*f), avant);
}

void TestFichierTav::deplacerSerie_versPeriodePrecedente() {
    auto f = NouvelleClasse({QStringLiteral("A"), QStringLiteral("B")});
    AjouterSerie(*f, 1, QStringLiteral("1a"));
    AjouterSerie(*f, 3, QStringLiteral("3a"));
    f->AjouterSerie(3, QStringLiteral("3b"), true, QStringLiteral("Oral noté"),
                    QStringLiteral("Exposé"), QStringLiteral("05/05/2007"), QStringLiteral("non"),
                    QStringLiteral("3"), QStringLiteral("40"));
    f->ModifierNote(1, 1, QStringLiteral("10"), 1);
    f->ModifierNote(3, 1, QStringLiteral("11"), 1);
    f->ModifierNote(3, 2, QStringLiteral("31"), 1);
    f->ModifierNote(3, 2, QStringLiteral("abs"), 2);
    Enregistrer(*f);
    ToutRafraichir(*f);

    f->DeplacerSerie(3, 2, 1);
    QCOMPARE(f->NombreSeries(1), 2);
    QCOMPARE(f->NombreSeries(3), 1);
    QCOMPARE(f->Intitule(1, 1), QStringLiteral("1a"));
    QCOMPARE(f->Note(1, 1, 1), QStringLiteral("10"));
    QCOMPARE(f->Intitule(1, 2), QStringLiteral("3b"));
    QCOMPARE(f->Note(1, 2, 1), QStringLiteral("31"));
    QCOMPARE(f->Note(1, 2, 2), QStringLiteral("abs"));
    QCOMPARE(f->OralEcrit(1, 2), QStringLiteral("Oral"));
    QCOMPARE(f->TypeNotes(1, 2), QStringLiteral("Oral noté"));
    QCOMPARE(f->Commentaire(1, 2), QStringLiteral("Exposé"));
    QCOMPARE(f->DateSerie(1, 2), QStringLiteral("05/05/2007"));
    QCOMPARE(f->CompteDansMoyenne(1, 2), QStringLiteral("non"));
    QCOMPARE(f->Coefficient(1, 2), QStringLiteral("3"));
    QCOMPARE(f->NoteSur(1, 2), QStringLiteral("40"));
    QCOMPARE(f->Intitule(3, 1), QStringLiteral("3a"));
    QCOMPARE(f->Note(3, 1, 1), QStringLiteral("11"));
    QVERIFY(AttributsIntacts(*f, 3, 1, QStringLiteral("3a")));
    QVERIFY(f->EstModifie());
    QVERIFY(f->PeriodeARecalculer(1));
    QVERIFY(f->PeriodeARecalculer(3));
    QVERIFY(ToutesStatistiquesARecalculer(*f));
}

void TestFichierTav::deplacerSerie_versPeriodeSuivanteEtMemePeriode() {
    auto f = NouvelleClasse({QStringLiteral("A")});
    AjouterSerie(*f, 1, QStringLiteral("1a"));
    AjouterSerie(*f, 1, QStringLiteral("1b"));
    AjouterSerie(*f, 1, QStringLiteral("1c"));
    AjouterSerie(*f, 2, QStringLiteral("2a"));
    for (int p = 1; p <= 2; ++p)
        for (int j = 1; j <= f->NombreSeries(p); ++j)
            f->ModifierNote(p, j, f->Intitule(p, j), 1);

    f->DeplacerSerie(1, 1, 2);
    QCOMPARE(f->NombreSeries(1), 2);
    QCOMPARE(f->NombreSeries(2), 2);
    QCOMPARE(f->Intitule(1, 1), QStringLiteral("1b"));
    QCOMPARE(f->Intitule(2, 1), QStringLiteral("2a"));
    QCOMPARE(f->Intitule(2, 2), QStringLiteral("1a"));
    for (int p = 1; p <= 2; ++p)
        for (int j = 1; j <= 2; ++j)
            QCOMPARE(f->Note(p, j, 1), f->Intitule(p, j));

    f->DeplacerSerie(1, 1, 1); // to the end of its own period
    QCOMPARE(f->Intitule(1, 1), QStringLiteral("1c"));
    QCOMPARE(f->Intitule(1, 2), QStringLiteral("1b"));
    QCOMPARE(f->Note(1, 2, 1), QStringLiteral("1b"));
    QCOMPARE(f->NombreSeriesAnnee(), 4);

    f->DeplacerSerie(2, 2, 3); // into an empty period
    QCOMPARE(f->NombreSeries(2), 1);
    QCOMPARE(f->Intitule(3, 1), QStringLiteral("1a"));
    QCOMPARE(f->Note(3, 1, 1), QStringLiteral("1a"));
}

void TestFichierTav::deplacerSerie_anneePleine() {
    auto f = NouvelleClasse({QStringLiteral("A"), QStringLiteral("B")});
    for (int i = 0; i < 254; ++i)
        AjouterSerie(*f, 1, QString::number(i));
    AjouterSerie(*f, 2, QStringLiteral("Dernière"));
    f->ModifierNote(2, 1, QStringLiteral("17"), 2);
    QCOMPARE(f->NombreSeriesAnnee(), 255);
    // Moving a series does not change the number of series of the year.
    try {
        f->DeplacerSerie(2, 1, 1);
    } catch (const TTavException& e) {
        QFAIL(qPrintable(QStringLiteral("déplacement refusé dans une année pleine : ") +
                         e.Message()));
    }
    QCOMPARE(f->NombreSeriesAnnee(), 255);
    QCOMPARE(f->NombreSeries(2), 0);
    QCOMPARE(f->Intitule(1, 255), QStringLiteral("Dernière"));
    QCOMPARE(f->Note(1, 255, 2), QStringLiteral("17"));
}

void TestFichierTav::monterDescendreSerie() {
    auto f = NouvelleClasse({QStringLiteral("A")});
    AjouterSerie(*f, 1, QStringLiteral("x"));
    AjouterSerie(*f, 2, QStringLiteral("a"));
    AjouterSerie(*f, 2, QStringLiteral("b"), true);
    AjouterSerie(*f, 2, QStringLiteral("c"));
    AjouterSerie(*f, 3, QStringLiteral("y"));
    for (int p = 1; p <= 3; ++p)
        for (int j = 1; j <= f->NombreSeries(p); ++j)
            f->ModifierNote(p, j, f->Intitule(p, j), 1);
    Enregistrer(*f);
    ToutRafraichir(*f);

    f->DescendreSerie(2, 1);
    QCOMPARE(f->Intitule(2, 1), QStringLiteral("b"));
    QCOMPARE(f->Intitule(2, 2), QStringLiteral("a"));
    QCOMPARE(f->OralEcrit(2, 1), QStringLiteral("Oral"));
    QCOMPARE(f->OralEcrit(2, 2), QStringLiteral("Ecrit"));
    QCOMPARE(f->Note(2, 1, 1), QStringLiteral("b"));
    QVERIFY(f->EstModifie());
    QVERIFY(!f->PeriodeARecalculer(2));
    QVERIFY(ToutesStatistiquesARecalculer(*f));

    f->MonterSerie(2, 3);
    QCOMPARE(f->Intitule(2, 2), QStringLiteral("c"));
    QCOMPARE(f->Intitule(2, 3), QStringLiteral("a"));
    QCOMPARE(f->Intitule(1, 1), QStringLiteral("x"));
    QCOMPARE(f->Intitule(3, 1), QStringLiteral("y"));
    QCOMPARE(f->Note(3, 1, 1), QStringLiteral("y"));
    QVERIFY(!f->PeriodeARecalculer(2));

    const QStringList avant = Instantane(*f);
    QVERIFY_THROWS_EXCEPTION(TTavException, f->DescendreSerie(2, 3));
    QVERIFY_THROWS_EXCEPTION(TTavException, f->MonterSerie(2, 1));
    QVERIFY_THROWS_EXCEPTION(TTavException, f->DescendreSerie(1, 1));
    QCOMPARE(Instantane(*f), avant);
}

void TestFichierTav::typesDeNotes() {
    auto f = NouvelleClasse({QStringLiteral("A")});
    AjouterSerie(*f, 1, "s1", false, QStringLiteral("Test en classe"));
    AjouterSerie(*f, 1, "s2", false, QStringLiteral("Contrôle en classe"));
    AjouterSerie(*f, 2, "s3", false, QStringLiteral("Évaluation"));
    AjouterSerie(*f, 2, "s4", false, QStringLiteral("Contrôle en classe"));
    AjouterSerie(*f, 3, "s5", false, QStringLiteral("Devoir à la maison"));
    AjouterSerie(*f, 3, "s6", false, QStringLiteral("Test en classe"));
    const QStringList annee = {QStringLiteral("Contrôle en classe"),
                               QStringLiteral("Devoir à la maison"), QStringLiteral("Évaluation"),
                               QStringLiteral("Test en classe")};
    QCOMPARE(f->TypesDeNotes(0), annee);
    QCOMPARE(f->TypesDeNotes(4), annee);
    QCOMPARE(f->TypesDeNotes(2),
             QStringList({QStringLiteral("Contrôle en classe"), QStringLiteral("Évaluation")}));
    QCOMPARE(f->TypesDeNotes(3),
             QStringList({QStringLiteral("Devoir à la maison"), QStringLiteral("Test en classe")}));
    auto vide = NouvelleClasse({});
    QVERIFY(vide->TypesDeNotes(0).isEmpty());
}

// ---- Limits ----------------------------------------------------------------------

void TestFichierTav::textesCoupesA255() {
    auto f = NouvelleClasse({QStringLiteral("A")});
    AjouterSerie(*f, 1, QStringLiteral("S"));
    const QString long300 = QString(300, QChar(u'é'));
    const QString coupe = long300.left(255);
    f->ModifierEnseignant(long300);
    f->ModifierClasse(long300);
    f->ModifierEcole(long300);
    f->ModifierMatiere(long300);
    f->ModifierAnneeScolaire(long300);
    f->ModifierRemarque(long300);
    f->ModifierIntitule(1, 1, long300);
    f->ModifierNote(1, 1, long300, 1);
    f->ModifierCommentaire(1, 1, long300);
    f->ModifierTypeNotes(1, 1, long300);
    f->ModifierDateSerie(1, 1, long300);
    f->ModifierNoteSur(1, 1, long300);
    f->ModifierCoefficient(1, 1, long300);
    f->ModifierCompteDansMoyenne(1, 1, long300);
    f->ModifierPointsPlusMoins(2, 1, long300);
    f->ModifierAppreciation(3, 1, 1, long300);
    f->ModifierDateNaissance(1, long300);
    f->AjouterSerie(2, long300, false, long300, long300, long300, long300, long300, long300);
    f->AjouterEleve(long300, long300, false, QStringLiteral("1"));
    for (const QString& t :
         {f->Enseignant(), f->Classe(), f->Ecole(), f->Matiere(), f->AnneeScolaire(), f->Remarque(),
          f->Intitule(1, 1), f->Note(1, 1, 1), f->Commentaire(1, 1), f->TypeNotes(1, 1),
          f->DateSerie(1, 1), f->NoteSur(1, 1), f->Coefficient(1, 1), f->CompteDansMoyenne(1, 1),
          f->PointsPlusMoins(2, 1), f->Appreciation(3, 1, 1), f->Intitule(2, 1), f->TypeNotes(2, 1),
          f->NoteSur(2, 1)})
        QCOMPARE(t, coupe);
    QVERIFY(f->NomEleve(2).size() <= 255);
    QVERIFY(f->DateNaissance(1).size() <= 255);

    // A surrogate pair is never split (the text would not be valid any more).
    const QString emoji =
        QString(254, QLatin1Char('a')) + QStringLiteral("😀") + QStringLiteral("b");
    f->ModifierRemarque(emoji);
    QCOMPARE(f->Remarque(), QString(254, QLatin1Char('a')));

    // Such a class saves, and reads back as it is in memory.
    f->ModifierRemarque(long300);
    Enregistrer(*f);
    TFichierTav relu(f->NomFichier());
    QVERIFY2(relu.EstValide(), qPrintable(relu.CauseInvalidite()));
    QCOMPARE(Instantane(relu), Instantane(*f));
}

void TestFichierTav::indicesHorsBornes() {
    auto f = NouvelleClasse({QStringLiteral("A"), QStringLiteral("B")});
    AjouterSerie(*f, 1, QStringLiteral("S"));
    QCOMPARE(f->NomPeriode(4), QString());
    QCOMPARE(f->NomEleve(3), QString());
    QVERIFY_THROWS_EXCEPTION(TTavException, f->NomPeriode(0));
    QVERIFY_THROWS_EXCEPTION(TTavException, f->NomEleve(0));
    QVERIFY_THROWS_EXCEPTION(TTavException, f->Note(1, 1, 0));
    QVERIFY_THROWS_EXCEPTION(TTavException, f->Note(1, 1, 3));
    QVERIFY_THROWS_EXCEPTION(TTavException, f->Note(1, 2, 1));
    QVERIFY_THROWS_EXCEPTION(TTavException, f->Note(0, 1, 1));
    QVERIFY_THROWS_EXCEPTION(TTavException, f->Note(2, 1, 1));
    QVERIFY_THROWS_EXCEPTION(TTavException, f->ModifierNote(1, 1, QStringLiteral("1"), 3));
    QVERIFY_THROWS_EXCEPTION(TTavException, f->Cellule(1, 1, 2 + 18));
    QVERIFY_THROWS_EXCEPTION(TTavException, f->Cellule(1, 1, -1));
    QVERIFY_THROWS_EXCEPTION(TTavException, f->PointsPlusMoins(0, 1));
    QVERIFY_THROWS_EXCEPTION(TTavException, f->PointsPlusMoins(4, 1));
    QVERIFY_THROWS_EXCEPTION(TTavException, f->PointsPlusMoins(1, 3));
    QVERIFY_THROWS_EXCEPTION(TTavException, f->Appreciation(1, 1, 2));
    QVERIFY_THROWS_EXCEPTION(TTavException, f->DateNaissance(3));
    QVERIFY_THROWS_EXCEPTION(TTavException, f->AjouterSerie(4, "x", false, "", "", "", "", "", ""));
    try {
        f->NomColonneBulletin(2);
        QFAIL("NomColonneBulletin(2) aurait dû lever une exception");
    } catch (const TTavException& e) {
        QCOMPARE(e.Message(), QStringLiteral("[TTypeBulletins.renvoieNom] - erreur d'indice."));
    }
}

QTEST_GUILESS_MAIN(TestFichierTav)
#include "tst_fichiertav.moc"
