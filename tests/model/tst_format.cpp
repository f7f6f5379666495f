// The ".tav" format: every version read, the layout written, round trips,
// the ".bak" copy, failed saves, the students-only load, the conversion of
// the old layouts, students kept with their own data whatever the order of
// the names in the file, and the Windows-1252 text of the fields.
#include "tavX_codec.h"
#include "tavX_exceptions.h"
#include "tavX_fichierTav.h"
#include "tavX_options.h"
#include "tavtest_ecrivain.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace TavTest;

namespace {

const QString Trimestres = QStringLiteral("Trimestres");

// Data of a student derived from a marker (see ClasseMarquee).
QString NoteDe(const QString& m, int j) {
    return m + QStringLiteral(" n") + QString::number(j);
}
QString PointsDe(const QString& m, int p) {
    return m + QStringLiteral(" p") + QString::number(p);
}
QString AppDe(const QString& m, int p, int c) {
    return m + QStringLiteral(" a%1.%2").arg(p).arg(c);
}

// A class whose students come in the given file order, each with data made
// from its marker: marks in four series (periods 1, 2, 2, 3), points,
// appreciations in two columns, and a record.
Classe ClasseMarquee(const QStringList& noms, const QStringList& marqueurs) {
    Classe c;
    c.enseignant = QStringLiteral("M. Roux");
    c.colonnes = {QStringLiteral("Appréciations"), QStringLiteral("Conseils")};
    const int N = int(noms.size());
    for (int s = 0; s < N; ++s)
        c.eleves.append({noms.at(s), marqueurs.at(s), QString::number(s + 2),
                         s % 2 ? QStringLiteral("R") : QString()});
    const int periodes[] = {1, 2, 2, 3};
    for (int j = 1; j <= 4; ++j) {
        Serie serie;
        serie.periode = periodes[j - 1];
        serie.intitule = QStringLiteral("Série %1").arg(j);
        for (int s = 0; s < N; ++s)
            serie.notes.append(NoteDe(marqueurs.at(s), j));
        c.series.append(serie);
    }
    for (int p = 1; p <= 3; ++p)
        for (int s = 0; s < N; ++s)
            c.points.append(PointsDe(marqueurs.at(s), p));
    for (int p = 1; p <= 3; ++p)
        for (int s = 0; s < N; ++s)
            for (int k = 1; k <= 2; ++k)
                c.appreciations.append(AppDe(marqueurs.at(s), p, k));
    return c;
}

// Index of series j (1..4 of ClasseMarquee) as (period, number in period).
QPair<int, int> PlaceSerie(int j) {
    static const QPair<int, int> places[] = {{1, 1}, {2, 1}, {2, 2}, {3, 1}};
    return places[j - 1];
}

// Checks that row s holds the data of marker m, as far as the version keeps it.
bool DonneesDe(TFichierTav& f, int s, const QString& m, int fileIndex, const QString& version) {
    bool ok = true;
    auto verifier = [&](const QString& quoi, const QString& lu, const QString& attendu) {
        if (lu != attendu) {
            qWarning("élève %d (%s) %s : « %s » au lieu de « %s »", s, qPrintable(f.NomEleve(s)),
                     qPrintable(quoi), qPrintable(lu), qPrintable(attendu));
            ok = false;
        }
    };
    for (int j = 1; j <= 4; ++j) {
        const auto [p, k] = PlaceSerie(j);
        verifier(QStringLiteral("note %1").arg(j), f.Note(p, k, s), NoteDe(m, j));
    }
    for (int p = 1; p <= 3; ++p) {
        verifier(QStringLiteral("points %1").arg(p), f.PointsPlusMoins(p, s), PointsDe(m, p));
        verifier(QStringLiteral("appréciation %1").arg(p), f.Appreciation(p, s, 1), AppDe(m, p, 1));
        if (f.NombreColonnesBulletin() > 1)
            verifier(QStringLiteral("conseil %1").arg(p), f.Appreciation(p, s, 2), AppDe(m, p, 2));
    }
    const bool avecFiches = version == QLatin1String("2.2") || version == QLatin1String("2.3");
    if (avecFiches) {
        verifier(QStringLiteral("naissance"), f.DateNaissance(s), m);
        verifier(QStringLiteral("indice"), f.IndiceLibelle(s), QString::number(fileIndex + 2));
    }
    if (version == QLatin1String("2.3"))
        verifier(QStringLiteral("redoublant"), f.EstRedoublant(s) ? "R" : "",
                 fileIndex % 2 ? "R" : "");
    return ok;
}

// Lists the files of a folder (to see that a failed save left nothing behind).
QStringList Contenu(const QString& dossier) {
    return QDir(dossier).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                   QDir::Name);
}

} // namespace

class TestFormat : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    // Reading every version
    void chargerVersion_data();
    void chargerVersion();
    void allerRetour_data();
    void allerRetour();
    void octetsRelusIdentiques();
    void disposition_exemple();
    void indiceLibelleNonEntier();
    void champsDeReserveReecritsVides();
    void limitesAdmises();
    void elevesSeulement();
    void chargementEnMemoireBornee();

    // Students kept with their data
    void ordreDesNoms_data();
    void ordreDesNoms();

    // The ".bak" copy and failed saves
    void bak_data();
    void bak();
    void bak_cheminSansExtension();
    void enregistrementEchoue_data();
    void enregistrementEchoue();
    void enregistrementEchoue_dossierProtege();

    // Old layouts
    void ancien_data();
    void ancien();
    void ancien_codesDeType_data();
    void ancien_codesDeType();
    void ancien_periodesAuDelaDuTroisieme();
    void ancien_seriesNonGroupees();
    void ancien_nomsDansLeDesordre();
    void ancien_annonce();

    // Windows-1252
    void windows1252_table();
    void windows1252_tousLesOctetsDansUnChamp();
    void windows1252_caractereHorsTable();

private:
    std::unique_ptr<ReglagesPrives> reglages;
    QTemporaryDir dossier;
    QString Chemin(const QString& nom) const { return QDir(dossier.path()).filePath(nom); }
    QString Ecrire(const QString& nom, const QByteArray& octets) {
        const QString chemin = Chemin(nom);
        if (!EcrireFichier(chemin, octets)) qFatal("écriture de %s impossible", qPrintable(chemin));
        return chemin;
    }
};

void TestFormat::initTestCase() {
    reglages = std::make_unique<ReglagesPrives>();
    QVERIFY(dossier.isValid());
}

void TestFormat::init() {
    reglages->Vider();
    TFichierTav::DefinirAnnonceImportation({});
}

// ---- Reading every version ---------------------------------------------------------

void TestFormat::chargerVersion_data() {
    QTest::addColumn<QString>("version");
    for (const QString& v : VersionsActuelles())
        QTest::newRow(qPrintable(v)) << v;
}

void TestFormat::chargerVersion() {
    QFETCH(QString, version);
    const bool v20 = version == QLatin1String("2.0");
    const bool ancienBulletin = v20 || version == QLatin1String("2.1");
    const bool v23 = version == QLatin1String("2.3");
    // Settings differ from the file, to see which one each version uses.
    Options::ModifierArrondirMoyennes(4);
    Options::ModifierArrondirMoyennesAnnuelles(3);
    Options::ModifierTypeMoyennesAnnuelles(0);
    const Classe c = ClasseExemple();
    const QString chemin = Ecrire(QStringLiteral("v.tav"), FichierActuel(c, version));

    TFichierTav f(chemin);
    QVERIFY2(f.EstValide(), qPrintable(f.CauseInvalidite()));
    QVERIFY(f.CauseInvalidite().isEmpty());
    QVERIFY(!f.EstModifie());
    QVERIFY(!f.EstImporte());
    QCOMPARE(f.Signature(), QStringLiteral("Tavelin"));
    QCOMPARE(f.Version(), version);
    QCOMPARE(f.NomFichier(), chemin);
    QCOMPARE(f.Enseignant(), c.enseignant);
    QCOMPARE(f.Classe(), c.nomClasse);
    QCOMPARE(f.Ecole(), c.ecole);
    QCOMPARE(f.Matiere(), c.matiere);
    QCOMPARE(f.AnneeScolaire(), c.anneeScolaire);
    QCOMPARE(f.Remarque(), c.remarque);
    QCOMPARE(f.TypePeriodes(), c.typePeriodes);
    QCOMPARE(f.ListePeriodes(), c.periodes);
    QCOMPARE(f.NombreEleves(), c.N());
    for (int s = 1; s <= c.N(); ++s)
        QCOMPARE(f.NomEleve(s), c.eleves.at(s - 1).nom);

    QCOMPARE(f.NombreSeries(1), 2);
    QCOMPARE(f.NombreSeries(2), 0);
    QCOMPARE(f.NombreSeries(3), 1);
    const QPair<int, int> places[] = {{1, 1}, {1, 2}, {3, 1}};
    for (int i = 0; i < 3; ++i) {
        const Serie& s = c.series.at(i);
        const auto [p, j] = places[i];
        QCOMPARE(f.Intitule(p, j), s.intitule);
        for (int e = 1; e <= c.N(); ++e)
            QCOMPARE(f.Note(p, j, e), s.notes.at(e - 1));
        QCOMPARE(f.NoteSur(p, j), s.noteSur);
        QCOMPARE(f.Coefficient(p, j), s.coefficient);
        QCOMPARE(f.CompteDansMoyenne(p, j), s.compteDansMoyenne);
        QCOMPARE(f.DateSerie(p, j), s.date);
        QCOMPARE(f.Commentaire(p, j), s.commentaire);
        QCOMPARE(f.TypeNotes(p, j), s.typeNotes);
        QCOMPARE(f.OralEcrit(p, j), v23 ? s.oralEcrit : QStringLiteral("Ecrit"));
        QCOMPARE(f.ColonneSerie(p, j).size(), c.N() + 18);
    }
    for (int p = 1; p <= 3; ++p)
        for (int s = 1; s <= c.N(); ++s)
            QCOMPARE(f.PointsPlusMoins(p, s), c.Point(p, s));

    if (ancienBulletin) {
        QCOMPARE(f.TypeBulletins(), QStringLiteral("Bulletins par défaut"));
        QCOMPARE(f.ColonnesBulletin(), QStringList{QStringLiteral("Appréciations")});
        QCOMPARE(f.LibellesClasse(), QStringList{QStringLiteral("classe")});
    } else {
        QCOMPARE(f.TypeBulletins(), c.typeBulletins);
        QCOMPARE(f.ColonnesBulletin(), c.colonnes);
        QCOMPARE(f.LibellesClasse(), c.libelles);
    }
    for (int p = 1; p <= 3; ++p)
        for (int s = 1; s <= c.N(); ++s)
            for (int k = 1; k <= f.NombreColonnesBulletin(); ++k)
                QCOMPARE(f.Appreciation(p, s, k), c.Appreciation(p, s, k));

    for (int s = 1; s <= c.N(); ++s) {
        const Eleve& e = c.eleves.at(s - 1);
        QCOMPARE(f.DateNaissance(s), ancienBulletin ? QString() : e.dateNaissance);
        QCOMPARE(f.IndiceLibelle(s), ancienBulletin ? QStringLiteral("1") : e.indiceLibelle);
        QCOMPARE(f.EstRedoublant(s), v23 && e.redoublant == QLatin1String("R"));
    }

    QCOMPARE(f.ArrondiMoyennes(), quint8(c.arrondiMoyennes));
    QCOMPARE(f.ArrondiMoyennesAnnuelles(), quint8(v20 ? 3 : c.arrondiMoyennesAnnuelles));
    QCOMPARE(f.TypeMoyennesAnnuelles(), quint8(v20 ? 0 : c.typeMoyennesAnnuelles));
    for (int p = 1; p <= 3; ++p) {
        QVERIFY(f.PeriodeARecalculer(p));
        for (int s = 1; s <= c.N(); ++s)
            QVERIFY(f.MoyenneARecalculer(p, s));
    }
    for (int k = 1; k <= 7; ++k)
        QVERIFY(f.StatistiqueARecalculer(3, 1, k));
}

void TestFormat::allerRetour_data() {
    chargerVersion_data();
}

void TestFormat::allerRetour() {
    QFETCH(QString, version);
    const QString source =
        Ecrire(QStringLiteral("source.tav"), FichierActuel(ClasseExemple(), version));
    TFichierTav f(source);
    QVERIFY2(f.EstValide(), qPrintable(f.CauseInvalidite()));
    const QStringList attendu = Instantane(f);

    const QString cible = Chemin(QStringLiteral("cible.tav"));
    QFile::remove(cible);
    f.Enregistrer(cible);
    QCOMPARE(f.NomFichier(), cible);
    QVERIFY(!f.EstModifie());
    QCOMPARE(LireFichier(source), FichierActuel(ClasseExemple(), version)); // source untouched

    for (int cycle = 0; cycle < 3; ++cycle) {
        TFichierTav relu(cible);
        QVERIFY2(relu.EstValide(), qPrintable(relu.CauseInvalidite()));
        QCOMPARE(relu.Version(), QStringLiteral("2.3"));
        QVERIFY(!relu.EstModifie());
        QCOMPARE(Instantane(relu), attendu);
        relu.Enregistrer(cible);
    }
}

void TestFormat::octetsRelusIdentiques() {
    // A file in the written layout, with its students in order, comes back
    // byte for byte.
    const QByteArray octets = FichierActuel(ClasseExemple(), QStringLiteral("2.3"));
    const QString chemin = Ecrire(QStringLiteral("canonique.tav"), octets);
    TFichierTav f(chemin);
    QVERIFY2(f.EstValide(), qPrintable(f.CauseInvalidite()));
    const QString cible = Chemin(QStringLiteral("canonique2.tav"));
    f.Enregistrer(cible);
    QCOMPARE(LireFichier(cible), octets);
}

void TestFormat::disposition_exemple() {
    TFichierTav f;
    f.InitialiserClasse(Trimestres, QStringLiteral("Bulletins par défaut"));
    f.ModifierEnseignant(QStringLiteral("Prof"));
    f.AjouterEleve(QStringLiteral("Beta Bruno"), QStringLiteral("02/02/1992"), true);
    f.AjouterEleve(QStringLiteral("Alpha Alice"), QString(), false);
    f.AjouterSerie(2, QStringLiteral("Première"), false, QStringLiteral("Contrôle en classe"),
                   QStringLiteral("Com 1"), QStringLiteral("10/01/2007"), QStringLiteral("oui"),
                   QStringLiteral("2"), QStringLiteral("20"));
    f.AjouterSerie(2, QStringLiteral("Seconde"), true, QStringLiteral("Oral"),
                   QStringLiteral("Com 2"), QStringLiteral("11/01/2007"), QStringLiteral("non"),
                   QStringLiteral("1"), QStringLiteral("10"));
    f.ModifierNote(2, 1, QStringLiteral("12"), 1);
    f.ModifierNote(2, 1, QStringLiteral("abs"), 2);
    f.ModifierNote(2, 2, QStringLiteral("7,5"), 2);
    f.ModifierPointsPlusMoins(3, 2, QStringLiteral("+1"));
    f.ModifierAppreciation(1, 1, 1, QStringLiteral("Bien"));
    const QString chemin = Chemin(QStringLiteral("disposition.tav"));
    f.Enregistrer(chemin);

    const auto champs = DecouperTextes(LireFichier(chemin));
    QVERIFY(champs);
    const QStringList& c = *champs;
    const int annee = QDate::currentDate().year();
    const QStringList debut = {"Tavelin",
                               "2.3",
                               "Prof",
                               "Nouvelle classe",
                               "",
                               "",
                               QStringLiteral("%1/%2").arg(annee).arg(annee + 1),
                               "",
                               "Trimestres",
                               "3",
                               "Premier trimestre",
                               "Deuxième trimestre",
                               "Troisième trimestre",
                               "2",
                               "Alpha Alice",
                               "Beta Bruno"};
    QCOMPARE(c.mid(0, debut.size()), debut);
    int i = int(debut.size());
    QCOMPARE(c.at(i++), QStringLiteral("0"));
    QCOMPARE(c.at(i++), QStringLiteral("2"));
    const QStringList vide9(9, QString());
    const QStringList serie1 =
        QStringList{"Première", "12", "abs"} + vide9 +
        QStringList{"20", "2", "oui", "10/01/2007", "Com 1", "Contrôle en classe", "Ecrit"};
    const QStringList serie2 = QStringList{"Seconde", "", "7,5"} + vide9 +
                               QStringList{"10", "1", "non", "11/01/2007", "Com 2", "Oral", "Oral"};
    QCOMPARE(serie1.size(), 19);
    QCOMPARE(c.mid(i, 19), serie1);
    i += 19;
    QCOMPARE(c.mid(i, 19), serie2);
    i += 19;
    QCOMPARE(c.at(i++), QStringLiteral("0"));
    QCOMPARE(c.mid(i, 6), QStringList({"", "", "", "", "", "+1"}));
    i += 6;
    QCOMPARE(c.mid(i, 5),
             QStringList({"1", "classe", "Bulletins par défaut", "1", "Appréciations"}));
    i += 5;
    QCOMPARE(c.mid(i, 6), QStringList({"Bien", "", "", "", "", ""}));
    i += 6;
    QCOMPARE(c.mid(i, 6), QStringList({"", "1", "", "02/02/1992", "1", "R"}));
    i += 6;
    QCOMPARE(c.mid(i), QStringList({"0", "0", "0"}));
}

void TestFormat::indiceLibelleNonEntier() {
    Classe c = ClasseExemple();
    c.eleves[0].indiceLibelle = QStringLiteral("x");
    c.eleves[1].indiceLibelle = QStringLiteral("12");
    c.eleves[2].indiceLibelle = QString();
    TFichierTav f(Ecrire(QStringLiteral("indice.tav"), FichierActuel(c)));
    QVERIFY2(f.EstValide(), qPrintable(f.CauseInvalidite()));
    QCOMPARE(f.IndiceLibelle(1), QStringLiteral("x"));
    const QString cible = Chemin(QStringLiteral("indice2.tav"));
    f.Enregistrer(cible);
    Classe attendu = c;
    attendu.eleves[0].indiceLibelle = QStringLiteral("1");
    attendu.eleves[2].indiceLibelle = QStringLiteral("1");
    QCOMPARE(LireFichier(cible), FichierActuel(attendu));
}

void TestFormat::champsDeReserveReecritsVides() {
    Classe c = ClasseExemple();
    for (Serie& s : c.series)
        for (int k = 0; k < 9; ++k)
            s.reserve.append(QStringLiteral("réserve %1").arg(k));
    TFichierTav f(Ecrire(QStringLiteral("reserve.tav"), FichierActuel(c)));
    QVERIFY2(f.EstValide(), qPrintable(f.CauseInvalidite()));
    QCOMPARE(f.Cellule(1, 1, c.N() + 1), QStringLiteral("réserve 0"));
    QCOMPARE(f.Cellule(1, 1, c.N() + 9), QStringLiteral("réserve 8"));
    QCOMPARE(f.NoteSur(1, 1), c.series.at(0).noteSur);
    const QString cible = Chemin(QStringLiteral("reserve2.tav"));
    f.Enregistrer(cible);
    QCOMPARE(LireFichier(cible), FichierActuel(ClasseExemple()));
}

void TestFormat::limitesAdmises() {
    // No student, no series.
    Classe vide;
    TFichierTav a(Ecrire(QStringLiteral("vide.tav"), FichierActuel(vide)));
    QVERIFY2(a.EstValide(), qPrintable(a.CauseInvalidite()));
    QCOMPARE(a.NombreEleves(), 0);
    QCOMPARE(a.NombreSeriesAnnee(), 0);

    // 127 periods and 255 series in the year, 50 students.
    Classe grande;
    grande.periodes.clear();
    for (int p = 1; p <= 127; ++p)
        grande.periodes.append(QStringLiteral("P%1").arg(p));
    for (int s = 0; s < 50; ++s)
        grande.eleves.append(
            {QStringLiteral("Élève %1").arg(s, 2, 10, QLatin1Char('0')), {}, "1", {}});
    for (int j = 0; j < 255; ++j) {
        Serie serie;
        serie.periode = 1 + j % 127;
        serie.intitule = QString::number(j);
        serie.notes = QStringList(50, QString::number(j % 21));
        grande.series.append(serie);
    }
    const QString chemin = Ecrire(QStringLiteral("grande.tav"), FichierActuel(grande));
    TFichierTav b(chemin);
    QVERIFY2(b.EstValide(), qPrintable(b.CauseInvalidite()));
    QCOMPARE(b.NombrePeriodes(), 127);
    QCOMPARE(b.NombreSeriesAnnee(), 255);
    QCOMPARE(b.NombreSeries(1), 3);
    QCOMPARE(b.Note(127, 2, 50), QString::number(253 % 21));
    const QString cible = Chemin(QStringLiteral("grande2.tav"));
    b.Enregistrer(cible);
    QCOMPARE(LireFichier(cible), LireFichier(chemin));
}

void TestFormat::elevesSeulement() {
    Classe c = ClasseExemple();
    std::swap(c.eleves[0], c.eleves[2]); // names out of order in the file
    const Champs complet = ChampsActuels(c);
    // The same fields cut right after the student names.
    Champs tete;
    tete.Texte("Tavelin").Texte("2.3").Texte(c.enseignant).Texte(c.nomClasse).Texte(c.ecole);
    tete.Texte(c.matiere).Texte(c.anneeScolaire).Texte(c.remarque).Texte(c.typePeriodes);
    tete.Nombre(3).Textes(c.periodes).Nombre(3);
    for (const Eleve& e : c.eleves)
        tete.Texte(e.nom);
    QVERIFY(complet.Donnees().startsWith(tete.Donnees()));

    for (const QByteArray& octets : {complet.Donnees(), tete.Donnees()}) {
        TFichierTav f(Ecrire(QStringLiteral("eleves.tav"), octets), true, true);
        QVERIFY2(f.EstValide(), qPrintable(f.CauseInvalidite()));
        QCOMPARE(f.Enseignant(), c.enseignant);
        QCOMPARE(f.Classe(), c.nomClasse);
        QCOMPARE(f.Ecole(), c.ecole);
        QCOMPARE(f.Matiere(), c.matiere);
        QCOMPARE(f.AnneeScolaire(), c.anneeScolaire);
        QCOMPARE(f.Remarque(), c.remarque);
        QCOMPARE(f.TypePeriodes(), c.typePeriodes);
        QCOMPARE(f.ListePeriodes(), c.periodes);
        QCOMPARE(f.ListeEleves(),
                 QStringList({QStringLiteral("Bernard Luc"), QStringLiteral("Durand Émilie"),
                              QStringLiteral("Petit Anne")}));
    }
    // The full load of the cut file fails.
    TFichierTav complet2(Ecrire(QStringLiteral("eleves.tav"), tete.Donnees()));
    QVERIFY(!complet2.EstValide());
}

void TestFormat::chargementEnMemoireBornee() {
    // Loading a small class needs little memory: a child process whose address
    // space is capped a little above what it already uses must load it.
    const QString chemin = Ecrire(QStringLiteral("petite.tav"), FichierActuel(ClasseExemple()));
    TFichierTav(chemin, true); // first use of the collator and the settings, before the fork
    const pid_t enfant = ::fork();
    QVERIFY(enfant >= 0);
    if (enfant == 0) {
        QFile statm(QStringLiteral("/proc/self/statm"));
        if (!statm.open(QIODevice::ReadOnly)) ::_exit(2);
        const rlim_t pages = statm.readAll().split(' ').value(0).toULongLong();
        const rlim_t limite = pages * rlim_t(::sysconf(_SC_PAGESIZE)) + 96u * 1024 * 1024;
        const rlimit r = {limite, limite};
        if (::setrlimit(RLIMIT_AS, &r) != 0) ::_exit(2);
        TFichierTav f(chemin, true);
        ::_exit(f.EstValide() ? 0 : 1);
    }
    int statut = 0;
    QCOMPARE(::waitpid(enfant, &statut, 0), enfant);
    QVERIFY(WIFEXITED(statut));
    QVERIFY2(WEXITSTATUS(statut) != 2, "limite de mémoire impossible à poser");
    QVERIFY2(WEXITSTATUS(statut) == 0,
             "une classe de 770 octets ne se charge pas avec 96 Mo de mémoire libre");
}

// ---- Students kept with their data ----------------------------------------------------

void TestFormat::ordreDesNoms_data() {
    QTest::addColumn<QString>("version");
    QTest::addColumn<QStringList>("noms");     // file order
    QTest::addColumn<QStringList>("attendus"); // the order after the load
    const QStringList desordre = {"Petit Anne", "Bernard Luc", "martin paul", "Aubert Léa"};
    const QStringList egaux = {"Dupont Jean", "DUPONT JEAN", "Bernard Luc", "dupont jean"};
    const QStringList signes = {"L'Hôte Paul", "Lhote Paula", "Le Goff Yann", "Le-Bris Anne",
                                "Lebrun Marc"};
    for (const QString& v : VersionsActuelles()) {
        QTest::addRow("%s, désordre", qPrintable(v))
            << v << desordre
            << QStringList({"Aubert Léa", "Bernard Luc", "martin paul", "Petit Anne"});
        // Equal names ignoring case keep the file's order.
        QTest::addRow("%s, égaux sans casse", qPrintable(v))
            << v << egaux
            << QStringList({"Bernard Luc", "Dupont Jean", "DUPONT JEAN", "dupont jean"});
        QTest::addRow("%s, apostrophes et traits d'union", qPrintable(v))
            << v << signes << QStringList();
    }
}

void TestFormat::ordreDesNoms() {
    QFETCH(QString, version);
    QFETCH(QStringList, noms);
    QFETCH(QStringList, attendus);
    QStringList marqueurs;
    for (int s = 0; s < noms.size(); ++s)
        marqueurs.append(QStringLiteral("M%1").arg(s));
    const Classe c = ClasseMarquee(noms, marqueurs);
    QString chemin = Ecrire(QStringLiteral("ordre.tav"), FichierActuel(c, version));

    for (int cycle = 0; cycle < 4; ++cycle) {
        TFichierTav f(chemin);
        QVERIFY2(f.EstValide(), qPrintable(f.CauseInvalidite()));
        QCOMPARE(f.NombreEleves(), int(noms.size()));
        if (!attendus.isEmpty()) QCOMPARE(f.ListeEleves(), attendus);
        for (int s = 1; s <= f.NombreEleves(); ++s) {
            // The student's marker from its name (names are distinct as texts).
            const int dansFichier = int(noms.indexOf(f.NomEleve(s)));
            QVERIFY(dansFichier >= 0);
            // What a version does not hold stays at its default through the saves.
            QVERIFY2(DonneesDe(f, s, marqueurs.at(dansFichier), dansFichier, version),
                     qPrintable(QStringLiteral("cycle %1").arg(cycle)));
        }
        // The list the object holds is in its own order.
        for (int s = 2; s <= f.NombreEleves(); ++s)
            QVERIFY(TEleves::Comparer(f.NomEleve(s - 1), f.NomEleve(s)) <= 0);
        chemin = Chemin(QStringLiteral("ordre%1.tav").arg(cycle));
        f.Enregistrer(chemin);
    }
}

// ---- The ".bak" copy and failed saves -------------------------------------------------

void TestFormat::bak_data() {
    QTest::addColumn<bool>("fichierBak");
    QTest::addColumn<bool>("reglageEcrit");
    QTest::newRow("réglage jamais écrit (activé par défaut)") << true << false;
    QTest::newRow("activé") << true << true;
    QTest::newRow("désactivé") << false << true;
}

void TestFormat::bak() {
    QFETCH(bool, fichierBak);
    QFETCH(bool, reglageEcrit);
    if (reglageEcrit) Options::ModifierFichierBak(fichierBak);
    QTemporaryDir ici;
    const QString chemin = QDir(ici.path()).filePath(QStringLiteral("4e B.tav"));
    const QString bak = QDir(ici.path()).filePath(QStringLiteral("4e B.bak"));
    const QByteArray v1 = FichierActuel(ClasseExemple());
    QVERIFY(EcrireFichier(chemin, v1));

    TFichierTav f(chemin);
    QVERIFY(f.EstValide());
    f.ModifierRemarque(QStringLiteral("deuxième version"));
    f.Enregistrer(chemin);
    QCOMPARE(QFileInfo::exists(bak), fichierBak);
    if (fichierBak) QCOMPARE(LireFichier(bak), v1);
    const QByteArray v2 = LireFichier(chemin);
    QVERIFY(v2 != v1);
    QCOMPARE(TFichierTav(chemin).Remarque(), QStringLiteral("deuxième version"));

    // A second save leaves the ".bak" as it is and replaces the file.
    f.ModifierRemarque(QStringLiteral("troisième version"));
    f.Enregistrer(chemin);
    QCOMPARE(QFileInfo::exists(bak), fichierBak);
    if (fichierBak) QCOMPARE(LireFichier(bak), v1);
    QCOMPARE(TFichierTav(chemin).Remarque(), QStringLiteral("troisième version"));

    // Saving to a new name makes no ".bak" (there is no previous file).
    const QString autre = QDir(ici.path()).filePath(QStringLiteral("copie.tav"));
    f.Enregistrer(autre);
    QVERIFY(!QFileInfo::exists(QDir(ici.path()).filePath(QStringLiteral("copie.bak"))));
    QCOMPARE(Contenu(ici.path()), fichierBak ? QStringList({"4e B.bak", "4e B.tav", "copie.tav"})
                                             : QStringList({"4e B.tav", "copie.tav"}));
}

void TestFormat::bak_cheminSansExtension() {
    QTemporaryDir ici;
    QVERIFY(QDir(ici.path()).mkdir(QStringLiteral("classes.2007")));
    const QString base = QDir(ici.path()).filePath(QStringLiteral("classes.2007"));
    const QByteArray v1 = FichierActuel(ClasseExemple());
    const QString sansExtension = base + QStringLiteral("/4eB");
    const QString deuxPoints = base + QStringLiteral("/4e.B.tav");
    for (const QString& chemin : {sansExtension, deuxPoints}) {
        QVERIFY(EcrireFichier(chemin, v1));
        TFichierTav f(chemin);
        f.ModifierRemarque(QStringLiteral("modifié"));
        f.Enregistrer(chemin);
    }
    QCOMPARE(Contenu(base), QStringList({"4e.B.bak", "4e.B.tav", "4eB", "4eB.bak"}));
    QCOMPARE(LireFichier(base + QStringLiteral("/4eB.bak")), v1);
    QCOMPARE(LireFichier(base + QStringLiteral("/4e.B.bak")), v1);
}

void TestFormat::enregistrementEchoue_data() {
    QTest::addColumn<int>("cas");
    QTest::newRow("le chemin est un dossier") << 0;
    QTest::newRow("dossier absent") << 1;
    QTest::newRow("le dossier parent est un fichier") << 2;
    QTest::newRow("caractère hors Windows-1252, fichier existant") << 3;
    QTest::newRow("caractère hors Windows-1252 dans une note") << 4;
    QTest::newRow("nom de fichier vide") << 5;
    QTest::newRow("fichier en lecture seule") << 6;
    QTest::newRow("nom que le système ne sait pas écrire") << 7;
}

void TestFormat::enregistrementEchoue() {
    QFETCH(int, cas);
    QTemporaryDir ici;
    const QString existant = QDir(ici.path()).filePath(QStringLiteral("classe.tav"));
    const QByteArray v1 = FichierActuel(ClasseExemple());
    QVERIFY(EcrireFichier(existant, v1));
    TFichierTav f(existant);
    QVERIFY(f.EstValide());
    f.ModifierRemarque(QStringLiteral("changée"));

    QString cible;
    switch (cas) {
    case 0:
        cible = QDir(ici.path()).filePath(QStringLiteral("dossier.tav"));
        QVERIFY(QDir(ici.path()).mkdir(QStringLiteral("dossier.tav")));
        break;
    case 1:
        cible = QDir(ici.path()).filePath(QStringLiteral("absent/classe.tav"));
        break;
    case 2:
        cible = existant + QStringLiteral("/classe.tav");
        break;
    case 3:
        cible = existant;
        f.ModifierRemarque(QStringLiteral("Łódź"));
        break;
    case 4:
        cible = existant;
        f.ModifierNote(1, 1, QStringLiteral("12 ✓"), 2);
        break;
    case 5:
        cible = QString();
        break;
    case 6:
        cible = existant;
        QVERIFY(QFile::setPermissions(existant, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
        break;
    case 7:
        cible = QDir(ici.path()).filePath(QStringLiteral("\uFFFDl\uFFFDves.tav"));
        break;
    }
    const QStringList avant = Instantane(f);
    const QStringList fichiersAvant = Contenu(ici.path());
    const bool modifieAvant = f.EstModifie();

    try {
        f.Enregistrer(cible);
        QFAIL("l'enregistrement aurait dû échouer");
    } catch (const TTavException& e) {
        QCOMPARE(e.Message(), QStringLiteral("Erreur dans l'enregistrement du fichier ") + cible);
    }
    QVERIFY(!f.CauseErreurEnregistrement().isEmpty());
    QCOMPARE(Instantane(f), avant);
    QCOMPARE(f.NomFichier(), existant);
    QCOMPARE(f.EstModifie(), modifieAvant);
    QVERIFY(!f.EstImporte());
    QCOMPARE(LireFichier(existant), v1);
    QCOMPARE(Contenu(ici.path()), fichiersAvant);
    const char* causes[] = {"Ce chemin est un dossier",
                            "Le dossier n'existe pas",
                            "Une partie du chemin n'est pas un dossier",
                            nullptr,
                            nullptr,
                            "Aucun nom de fichier n'est donné",
                            "Le fichier est en lecture seule",
                            "Le nom du fichier contient des caractères que le système ne sait pas"};
    if (causes[cas])
        QVERIFY2(f.CauseErreurEnregistrement().startsWith(QString::fromUtf8(causes[cas])),
                 qPrintable(f.CauseErreurEnregistrement()));
    if (cas == 0) QVERIFY(QFileInfo(cible).isDir());
    if (cas == 3 || cas == 4) {
        // The cause names the character that cannot be stored.
        QVERIFY2(f.CauseErreurEnregistrement().contains(cas == 3 ? QStringLiteral("Ł")
                                                                 : QStringLiteral("✓")),
                 qPrintable(f.CauseErreurEnregistrement()));
        // Once the text is put right the save goes through.
        if (cas == 3) f.ModifierRemarque(QStringLiteral("Lodz"));
        if (cas == 4) f.ModifierNote(1, 1, QStringLiteral("12"), 2);
        f.Enregistrer(cible);
        QVERIFY(!f.EstModifie());
    }
}

void TestFormat::enregistrementEchoue_dossierProtege() {
    QTemporaryDir ici;
    const QString chemin = QDir(ici.path()).filePath(QStringLiteral("classe.tav"));
    const QByteArray v1 = FichierActuel(ClasseExemple());
    QVERIFY(EcrireFichier(chemin, v1));
    TFichierTav f(chemin);
    f.ModifierRemarque(QStringLiteral("changée"));
    const QStringList avant = Instantane(f);
    QVERIFY(QFile::setPermissions(ici.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    const bool protege = ::access(qPrintable(ici.path()), W_OK) != 0;
    if (!protege) {
        QFile::setPermissions(ici.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ExeOwner);
        QSKIP("le compte courant écrit même dans un dossier protégé (root)");
    }
    bool echec = false;
    try {
        f.Enregistrer(chemin);
    } catch (const TTavException& e) {
        echec = true;
        QCOMPARE(e.Message(), QStringLiteral("Erreur dans l'enregistrement du fichier ") + chemin);
    }
    QFile::setPermissions(ici.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QVERIFY(echec);
    QCOMPARE(LireFichier(chemin), v1);
    QCOMPARE(Instantane(f), avant);
    QVERIFY(f.EstModifie());
}

// ---- Old layouts ------------------------------------------------------------------

void TestFormat::ancien_data() {
    QTest::addColumn<QString>("version");
    for (const QString& v : VersionsAnciennes())
        QTest::newRow(qPrintable(v)) << v;
}

void TestFormat::ancien() {
    QFETCH(QString, version);
    Options::ModifierArrondirMoyennes(2);
    Options::ModifierArrondirMoyennesAnnuelles(1);
    Options::ModifierTypeMoyennesAnnuelles(1);
    const ClasseAncienne c = ClasseAncienneExemple();
    const QString chemin = Ecrire(QStringLiteral("ancien.tav"), FichierAncien(c, version));
    TFichierTav f(chemin, true);
    QVERIFY2(f.EstValide(), qPrintable(f.CauseInvalidite()));
    QVERIFY(f.EstImporte());
    QVERIFY(f.EstModifie());
    QCOMPARE(f.Version(), version);
    QCOMPARE(f.Classe(), c.nomClasse);
    QCOMPARE(f.Ecole(), c.ecole);
    QCOMPARE(f.Matiere(), c.matiere);
    QCOMPARE(f.AnneeScolaire(), c.anneeScolaire);
    QCOMPARE(f.Remarque(), c.remarque);
    QCOMPARE(f.Enseignant(), Options::UtilisateursParDefaut().value(0));
    QCOMPARE(f.TypePeriodes(), Trimestres);
    QCOMPARE(f.NombrePeriodes(), 3);
    QCOMPARE(f.ListeEleves(), c.eleves);
    QCOMPARE(f.ArrondiMoyennes(), quint8(2));
    QCOMPARE(f.ArrondiMoyennesAnnuelles(), quint8(1));
    QCOMPARE(f.TypeMoyennesAnnuelles(), quint8(1));
    QCOMPARE(f.NombreColonnesBulletin(), 1);
    QCOMPARE(f.LibellesClasse(), QStringList{QStringLiteral("classe")});

    for (int p = 1; p <= 3; ++p)
        QCOMPARE(f.NombreSeries(p), 1);
    QCOMPARE(f.Intitule(1, 1), QStringLiteral("Contrôle en classe n°1"));
    QCOMPARE(f.TypeNotes(1, 1), QStringLiteral("Contrôle en classe"));
    QCOMPARE(f.DateSerie(1, 1), QStringLiteral("15/10/1999"));
    QCOMPARE(f.Note(1, 1, 1), QStringLiteral("12"));
    QCOMPARE(f.Note(1, 1, 2), QStringLiteral("abs"));
    QCOMPARE(f.Intitule(2, 1), QStringLiteral("Test en classe de lecture"));
    QCOMPARE(f.TypeNotes(2, 1), QStringLiteral("Test en classe"));
    QCOMPARE(f.NoteSur(2, 1), QStringLiteral("10"));
    QCOMPARE(f.Coefficient(2, 1), QStringLiteral("0,5"));
    QCOMPARE(f.CompteDansMoyenne(2, 1), QStringLiteral("non"));
    QCOMPARE(f.Commentaire(2, 1), QStringLiteral("Rapide"));
    QCOMPARE(f.Note(2, 1, 1), QStringLiteral("abs"));
    QCOMPARE(f.Note(2, 1, 2), QStringLiteral("7"));
    QCOMPARE(f.Intitule(3, 1), QStringLiteral("Devoir à la maison rédaction"));
    QCOMPARE(f.TypeNotes(3, 1), QStringLiteral("Devoir à la maison"));
    QCOMPARE(f.Note(3, 1, 1), QStringLiteral("14,5"));
    QCOMPARE(f.Note(3, 1, 2), QString());
    for (int p = 1; p <= 3; ++p) {
        QCOMPARE(f.OralEcrit(p, 1), QStringLiteral("Ecrit"));
        for (int s = 1; s <= 2; ++s) {
            QCOMPARE(f.PointsPlusMoins(p, s), QString());
            QCOMPARE(f.Appreciation(p, s, 1), QString());
            QVERIFY(f.MoyenneARecalculer(p, s));
        }
    }
    for (int s = 1; s <= 2; ++s) {
        QCOMPARE(f.DateNaissance(s), QString());
        QVERIFY(!f.EstRedoublant(s));
    }

    // Saved in the current layout, it is no longer an import.
    const QStringList attendu = Instantane(f);
    const QString cible = Chemin(QStringLiteral("converti.tav"));
    f.Enregistrer(cible);
    QVERIFY(!f.EstImporte());
    QVERIFY(!f.EstModifie());
    TFichierTav relu(cible);
    QVERIFY2(relu.EstValide(), qPrintable(relu.CauseInvalidite()));
    QVERIFY(!relu.EstImporte());
    QCOMPARE(Instantane(relu), attendu);
}

void TestFormat::ancien_codesDeType_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("intitule");
    QTest::addColumn<QString>("type");
    QTest::newRow("0") << "0"
                       << "Contrôle en classe B"
                       << "Contrôle en classe";
    QTest::newRow("1") << "1"
                       << "Test en classe B"
                       << "Test en classe";
    QTest::newRow("2") << "2"
                       << "Devoir à la maison B"
                       << "Devoir à la maison";
    QTest::newRow("code inconnu") << "7" << QString() << QString();
}

void TestFormat::ancien_codesDeType() {
    QFETCH(QString, code);
    QFETCH(QString, intitule);
    QFETCH(QString, type);
    ClasseAncienne c;
    c.eleves = {QStringLiteral("Seul")};
    SerieAncienne s;
    s.code = code;
    s.suffixe = QStringLiteral("B");
    s.notes = {QStringLiteral("-1")};
    c.series = {s};
    TFichierTav f(Ecrire(QStringLiteral("code.tav"), FichierAncien(c)), true);
    QVERIFY2(f.EstValide(), qPrintable(f.CauseInvalidite()));
    QCOMPARE(f.Note(1, 1, 1), QStringLiteral("abs"));
    if (!intitule.isEmpty()) {
        QCOMPARE(f.Intitule(1, 1), intitule);
        QCOMPARE(f.TypeNotes(1, 1), type);
    } else {
        // An unknown code still gives a series that keeps its suffix.
        QVERIFY(f.Intitule(1, 1).contains(QStringLiteral("B")));
    }
}

void TestFormat::ancien_periodesAuDelaDuTroisieme() {
    ClasseAncienne c;
    c.eleves = {QStringLiteral("Bernard Luc"), QStringLiteral("Martin Paul")};
    for (int p : {1, 4, 12, 7}) {
        SerieAncienne s;
        s.periode = QString::number(p);
        s.suffixe = QStringLiteral("période %1").arg(p);
        s.notes = {QString::number(p), QString::number(p + 1)};
        c.series.append(s);
    }
    TFichierTav f(Ecrire(QStringLiteral("douze.tav"), FichierAncien(c)), true);
    QVERIFY2(f.EstValide(), qPrintable(f.CauseInvalidite()));
    QCOMPARE(f.NombrePeriodes(), 12);
    QCOMPARE(f.NomPeriode(1), QStringLiteral("Premier trimestre"));
    QVERIFY(!f.NomPeriode(12).isEmpty());
    QCOMPARE(f.NombreSeriesAnnee(), 4);
    for (int p : {1, 4, 7, 12}) {
        QCOMPARE(f.NombreSeries(p), 1);
        QCOMPARE(f.Intitule(p, 1), QStringLiteral("Contrôle en classe période %1").arg(p));
        QCOMPARE(f.Note(p, 1, 1), QString::number(p));
        QCOMPARE(f.Note(p, 1, 2), QString::number(p + 1));
    }
    QCOMPARE(f.NombreSeries(2), 0);
    // The conversion message tells that the class has more periods now.
    QVERIFY(f.MessageImportation().contains(QStringLiteral("12")));

    // Nothing is dropped by the next save.
    const QStringList attendu = Instantane(f);
    const QString cible = Chemin(QStringLiteral("douze2.tav"));
    f.Enregistrer(cible);
    TFichierTav relu(cible);
    QVERIFY2(relu.EstValide(), qPrintable(relu.CauseInvalidite()));
    QCOMPARE(Instantane(relu), attendu);
    // Points and appreciations of the added periods are usable.
    relu.ModifierPointsPlusMoins(12, 2, QStringLiteral("1"));
    relu.ModifierAppreciation(12, 2, 1, QStringLiteral("Bien"));
    QCOMPARE(relu.PointsPlusMoins(12, 2), QStringLiteral("1"));
    QCOMPARE(relu.PointsPlusMoins(12, 1), QString());
}

void TestFormat::ancien_seriesNonGroupees() {
    ClasseAncienne c;
    c.eleves = {QStringLiteral("A"), QStringLiteral("B")};
    const int periodes[] = {2, 1, 3, 2, 1};
    for (int i = 0; i < 5; ++i) {
        SerieAncienne s;
        s.periode = QString::number(periodes[i]);
        s.suffixe = QStringLiteral("#%1").arg(i);
        s.notes = {QStringLiteral("%1a").arg(i), QStringLiteral("%1b").arg(i)};
        c.series.append(s);
    }
    TFichierTav f(Ecrire(QStringLiteral("desordre.tav"), FichierAncien(c)), true);
    QVERIFY2(f.EstValide(), qPrintable(f.CauseInvalidite()));
    QCOMPARE(f.NombreSeries(1), 2);
    QCOMPARE(f.NombreSeries(2), 2);
    QCOMPARE(f.NombreSeries(3), 1);
    for (int p = 1; p <= 3; ++p)
        for (int j = 1; j <= f.NombreSeries(p); ++j) {
            const QString titre = f.Intitule(p, j);
            const QString i = titre.mid(titre.indexOf(QLatin1Char('#')) + 1);
            QCOMPARE(periodes[i.toInt()], p);
            QCOMPARE(f.Note(p, j, 1), i + QStringLiteral("a"));
            QCOMPARE(f.Note(p, j, 2), i + QStringLiteral("b"));
        }
    // Within a period, the file's order.
    QCOMPARE(f.Intitule(2, 1), QStringLiteral("Contrôle en classe #0"));
    QCOMPARE(f.Intitule(2, 2), QStringLiteral("Contrôle en classe #3"));
}

void TestFormat::ancien_nomsDansLeDesordre() {
    ClasseAncienne c;
    c.eleves = {QStringLiteral("Petit Anne"), QStringLiteral("DUPONT Jean"),
                QStringLiteral("Bernard Luc"), QStringLiteral("Dupont Jean")};
    for (int i = 0; i < 2; ++i) {
        SerieAncienne s;
        s.periode = QString::number(i + 1);
        for (const QString& e : c.eleves)
            s.notes.append(e + QString::number(i));
        c.series.append(s);
    }
    QString chemin = Ecrire(QStringLiteral("ancien-ordre.tav"), FichierAncien(c));
    for (int cycle = 0; cycle < 3; ++cycle) {
        TFichierTav f(chemin, true);
        QVERIFY2(f.EstValide(), qPrintable(f.CauseInvalidite()));
        QCOMPARE(f.ListeEleves(),
                 QStringList({"Bernard Luc", "DUPONT Jean", "Dupont Jean", "Petit Anne"}));
        for (int s = 1; s <= 4; ++s)
            for (int p = 1; p <= 2; ++p)
                QCOMPARE(f.Note(p, 1, s), f.NomEleve(s) + QString::number(p - 1));
        chemin = Chemin(QStringLiteral("ancien-ordre%1.tav").arg(cycle));
        f.Enregistrer(chemin);
    }
}

void TestFormat::ancien_annonce() {
    QStringList annonces;
    TFichierTav::DefinirAnnonceImportation(
        [&](const QString& titre, const QString& texte) { annonces << titre << texte; });
    const QString chemin =
        Ecrire(QStringLiteral("vieux fichier.tav"), FichierAncien(ClasseAncienneExemple()));
    {
        TFichierTav silencieux(chemin, true);
        QVERIFY(silencieux.EstValide());
        QVERIFY(annonces.isEmpty());
    }
    TFichierTav f(chemin);
    QVERIFY(f.EstValide());
    QCOMPARE(annonces,
             QStringList({QStringLiteral("Tavelin"),
                          QStringLiteral("Le fichier \"vieux fichier.tav\" est un fichier d'une "
                                         "ancienne version de Tavelin.\r\n\r\nSon importation dans "
                                         "Tavelin a été réussie.")}));
    // A current file announces nothing.
    annonces.clear();
    TFichierTav actuel(Ecrire(QStringLiteral("actuel.tav"), FichierActuel(ClasseExemple())));
    QVERIFY(annonces.isEmpty());
    QVERIFY(!actuel.EstImporte());
}

// ---- Windows-1252 -------------------------------------------------------------------

void TestFormat::windows1252_table() {
    for (int o = 0; o < 256; ++o) {
        const char octet = char(o);
        const QString texte = Tav::DecoderWindows1252(&octet, 1);
        QCOMPARE(texte.size(), 1);
        QCOMPARE(texte.at(0), CaractereDeOctet(uchar(o)));
        QByteArray retour;
        QVERIFY(Tav::EncoderWindows1252(texte, retour));
        QCOMPARE(retour, QByteArray(1, octet));
        QVERIFY(!Tav::CaractereNonRepresentable(texte));
    }
    QCOMPARE(Tav::DecoderWindows1252(QByteArray("\x80\x9f\xe9\x8c")), QStringLiteral("€ŸéŒ"));
    for (const QString& hors : {QStringLiteral("\u0080"), QStringLiteral("Ā"), QStringLiteral("ł"),
                                QStringLiteral("\u2015"), QStringLiteral("\uFFFD")}) {
        QByteArray sortie;
        QVERIFY2(!Tav::EncoderWindows1252(QStringLiteral("ab") + hors, sortie), qPrintable(hors));
        QCOMPARE(Tav::CaractereNonRepresentable(QStringLiteral("ab") + hors + QStringLiteral("Ω")),
                 std::optional<QString>(hors));
    }
    QCOMPARE(Tav::CaractereNonRepresentable(QStringLiteral("é😀x")),
             std::optional<QString>(QStringLiteral("😀")));
    const QString message = Tav::MessageCaractereNonRepresentable(QStringLiteral("😀"));
    QVERIFY(message.contains(QStringLiteral("😀")));
    QVERIFY(message.contains(QStringLiteral("1F600")));
}

void TestFormat::windows1252_tousLesOctetsDansUnChamp() {
    QString bas, haut, tous;
    for (int o = 0; o < 128; ++o)
        bas.append(CaractereDeOctet(uchar(o)));
    for (int o = 128; o < 256; ++o)
        haut.append(CaractereDeOctet(uchar(o)));
    for (int o = 1; o < 256; ++o)
        tous.append(CaractereDeOctet(uchar(o)));
    Classe c = ClasseExemple();
    c.remarque = bas;
    c.ecole = haut;
    c.series[0].notes[1] = tous;
    c.appreciations[3] = tous;
    c.eleves = {{haut, bas, QStringLiteral("1"), {}}};
    for (Serie& s : c.series)
        s.notes = {s.notes.value(1)};
    c.points = {tous};
    const QByteArray octets = FichierActuel(c);
    TFichierTav f(Ecrire(QStringLiteral("octets.tav"), octets));
    QVERIFY2(f.EstValide(), qPrintable(f.CauseInvalidite()));
    QCOMPARE(f.Remarque(), bas);
    QCOMPARE(f.Ecole(), haut);
    QCOMPARE(f.NomEleve(1), haut);
    QCOMPARE(f.DateNaissance(1), bas);
    QCOMPARE(f.Note(1, 1, 1), tous);
    QCOMPARE(f.PointsPlusMoins(1, 1), tous);
    QCOMPARE(f.Appreciation(2, 1, 2), tous);
    const QString cible = Chemin(QStringLiteral("octets2.tav"));
    f.Enregistrer(cible);
    QCOMPARE(LireFichier(cible), octets);
}

void TestFormat::windows1252_caractereHorsTable() {
    // Every text of the class is checked, not only the identity.
    const QString chemin = Ecrire(QStringLiteral("hors.tav"), FichierActuel(ClasseExemple()));
    using Modif = std::function<void(TFichierTav&)>;
    const QList<QPair<const char*, Modif>> cas = {
        {"enseignant", [](TFichierTav& f) { f.ModifierEnseignant(QStringLiteral("Jiří")); }},
        {"intitulé", [](TFichierTav& f) { f.ModifierIntitule(1, 2, QStringLiteral("x ≤ 3")); }},
        {"type de notes", [](TFichierTav& f) { f.ModifierTypeNotes(3, 1, QStringLiteral("→")); }},
        {"points", [](TFichierTav& f) { f.ModifierPointsPlusMoins(2, 2, QStringLiteral("⅓")); }},
        {"appréciation",
         [](TFichierTav& f) { f.ModifierAppreciation(3, 3, 2, QStringLiteral("Très bien 👍")); }},
        {"élève", [](TFichierTav& f) { f.AjouterEleve(QStringLiteral("Ōtsuka"), {}, false); }},
        {"naissance", [](TFichierTav& f) { f.ModifierDateNaissance(1, QStringLiteral("1°∕2")); }},
    };
    for (const auto& [nom, modifier] : cas) {
        TFichierTav f(chemin);
        modifier(f);
        const QStringList avant = Instantane(f);
        const bool modifieAvant = f.EstModifie();
        try {
            f.Enregistrer(chemin);
            QFAIL(nom);
        } catch (const TTavException& e) {
            QCOMPARE(e.Message(),
                     QStringLiteral("Erreur dans l'enregistrement du fichier ") + chemin);
        }
        QVERIFY2(f.CauseErreurEnregistrement().contains(QStringLiteral("ne peut pas être")),
                 qPrintable(f.CauseErreurEnregistrement()));
        QCOMPARE(f.EstModifie(), modifieAvant);
        QCOMPARE(Instantane(f), avant);
        QCOMPARE(LireFichier(chemin), FichierActuel(ClasseExemple()));
    }
}

QTEST_GUILESS_MAIN(TestFormat)
#include "tst_format.moc"
