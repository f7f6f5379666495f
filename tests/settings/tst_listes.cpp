// Stored lists: order and uniqueness, grade types, subjects, teachers, period schemes,
// report-card types, print-inclusion sets, file history and the files open at exit.

#include "tavX_globales.h"
#include "tavX_options.h"

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <stdexcept>

class TestListes : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dossier;
    QString fichierIni;

    std::unique_ptr<QSettings> Brut() const {
        return std::make_unique<QSettings>(fichierIni, QSettings::IniFormat);
    }

    // A class file that exists on disk.
    QString Fichier(const QString& nom) const {
        const QString chemin = dossier.filePath(nom);
        QFile f(chemin);
        if (!f.exists() && f.open(QIODevice::WriteOnly)) f.write("TAV");
        return chemin;
    }
    QStringList Fichiers(int nombre) const {
        QStringList liste;
        for (int i = 1; i <= nombre; ++i)
            liste.append(Fichier(QStringLiteral("classe%1.tav").arg(i)));
        return liste;
    }

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(dossier.isValid());
    }

    void init() {
        static int numero = 0;
        fichierIni = dossier.filePath(QStringLiteral("reglages%1.ini").arg(++numero));
        DefinirFichierReglages(fichierIni);
    }

    void cleanup() { DefinirFichierReglages(QString()); }

    // ---- Generic lists -----------------------------------------------------------------------

    void ordreDEcritureConserve() {
        // More than ten items: an INI store would sort "10" before "2" if the order were left
        // to the key names.
        QStringList noms;
        for (const char* n : {"Zoé", "alpha", "Mu", "beta", "Kappa", "omega", "Delta", "iota",
                              "Gamma", "nu", "Eta", "chi"})
            noms.append(QString::fromUtf8(n));
        Options::EnregistrerSchemaPeriodes(QStringLiteral("Douze"), noms);
        QCOMPARE(Options::NomsSousPeriodes(QStringLiteral("Douze")), noms);

        Options::EnregistrerSchemaPeriodes(QStringLiteral("Zèbre"), {QStringLiteral("a")});
        Options::EnregistrerSchemaPeriodes(QStringLiteral("Alpha"), {QStringLiteral("b")});
        QCOMPARE(Options::NomsSchemasPeriodes().mid(3),
                 (QStringList{QStringLiteral("Douze"), QStringLiteral("Zèbre"),
                              QStringLiteral("Alpha")}));
    }

    void doublonsIgnorantLaCasseGardentLePremier() {
        Options::EnregistrerMatieres({QStringLiteral("Latin"), QStringLiteral("LATIN"),
                                      QStringLiteral("Grec"), QStringLiteral("latin")});
        QCOMPARE(Options::ChargerMatieres(),
                 (QStringList{QStringLiteral("Grec"), QStringLiteral("Latin")}));
        QCOMPARE(Brut()->value(QStringLiteral("Matieres/size")).toInt(), 2);
    }

    void listeVideEnregistreeNestPasLesDefauts() {
        Options::EnregistrerTypesDeNotes({});
        QVERIFY(Globales::ListeExiste(QStringLiteral("Types de notes")));
        QVERIFY(Options::ChargerTypesDeNotes().isEmpty());
    }

    void enregistrerRemplaceLaListe() {
        Options::EnregistrerTypesDeNotes(
            {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
        Options::EnregistrerTypesDeNotes({QStringLiteral("D")});
        QCOMPARE(Options::ChargerTypesDeNotes(), QStringList{QStringLiteral("D")});
    }

    // ---- Grade types, subjects, teachers -----------------------------------------------------

    void typesDeNotesTries() {
        QCOMPARE(Options::ChargerTypesDeNotes(), Options::TypesDeNotesParDefaut());
        QCOMPARE(Options::TypesDeNotesParDefaut().first(), QStringLiteral("Comportement"));
        // Sorted ignoring case and accents.
        Options::EnregistrerTypesDeNotes({QStringLiteral("oral"), QStringLiteral("Écrit"),
                                          QStringLiteral("Devoir"), QStringLiteral("exposé")});
        QCOMPARE(Options::ChargerTypesDeNotes(),
                 (QStringList{QStringLiteral("Devoir"), QStringLiteral("Écrit"),
                              QStringLiteral("exposé"), QStringLiteral("oral")}));
    }

    void matieresReinitialisees() {
        const QStringList defauts = Options::ChargerMatieres();
        QCOMPARE(defauts.size(), 16);
        QCOMPARE(defauts.first(), QStringLiteral("Allemand"));
        QCOMPARE(defauts.at(12), QStringLiteral("Sciences de la Vie et de la Terre"));
        QCOMPARE(defauts.at(13), QStringLiteral("Sciences Physiques"));
        QCOMPARE(defauts.last(), QStringLiteral("Technologie"));

        Options::EnregistrerMatieres({QStringLiteral("Philosophie")});
        QCOMPARE(Options::ChargerMatieres(), QStringList{QStringLiteral("Philosophie")});
        QCOMPARE(Options::ReinitialiserMatieres(), defauts);
        QVERIFY(!Globales::ListeExiste(QStringLiteral("Matieres")));
        QCOMPARE(Options::ChargerMatieres(), defauts);
    }

    void utilisateurs() {
        const QString proprietaire = Globales::ProprietaireEnregistre();
        const QStringList attendu =
            proprietaire.isEmpty() ? QStringList() : QStringList{proprietaire};
        QCOMPARE(Options::ChargerUtilisateurs(), attendu);
        QCOMPARE(
            Options::UtilisateursParDefaut(),
            QStringList{proprietaire.isEmpty() ? QStringLiteral("Le prof inconnu") : proprietaire});

        Options::EnregistrerUtilisateurs(
            {QStringLiteral("Mme Weber"), QStringLiteral("M. Arnaud")});
        QCOMPARE(Options::ChargerUtilisateurs(),
                 (QStringList{QStringLiteral("M. Arnaud"), QStringLiteral("Mme Weber")}));
    }

    // ---- Period schemes ----------------------------------------------------------------------

    void schemasIntegres() {
        QCOMPARE(Options::NomsSchemasPeriodes(),
                 (QStringList{QStringLiteral("Trimestres"), QStringLiteral("Semestres"),
                              QStringLiteral("Mois")}));
        QCOMPARE(
            Options::NomsSousPeriodes(QStringLiteral("Semestres")),
            (QStringList{QStringLiteral("Premier semestre"), QStringLiteral("Deuxième semestre")}));
        const QStringList mois = Options::NomsSousPeriodes(QStringLiteral("Mois"));
        QCOMPARE(mois.size(), 12);
        QCOMPARE(mois.first(), QStringLiteral("Septembre"));
        QCOMPARE(mois.last(), QStringLiteral("Août"));
        QVERIFY(Options::NomsSousPeriodes(QStringLiteral("Inconnu")).isEmpty());
    }

    void schemaStockeRemplaceLIntegre() {
        const QStringList quatre = {QStringLiteral("T1"), QStringLiteral("T2"),
                                    QStringLiteral("T3"), QStringLiteral("T4")};
        Options::EnregistrerSchemaPeriodes(QStringLiteral("Trimestres"), quatre);
        QCOMPARE(Options::NomsSousPeriodes(QStringLiteral("Trimestres")), quatre);
        QCOMPARE(Options::NomsSchemasPeriodes().count(QStringLiteral("Trimestres")), 2);

        Options::SupprimerSchemaPeriodes(QStringLiteral("Trimestres"));
        QCOMPARE(Options::NomsSousPeriodes(QStringLiteral("Trimestres")).size(), 3);
        QCOMPARE(Options::NomsSchemasPeriodes().size(), 3);
    }

    void schemaReenregistreSansDoublon() {
        Options::EnregistrerSchemaPeriodes(QStringLiteral("Bac blanc"), {QStringLiteral("Avant")});
        Options::EnregistrerSchemaPeriodes(QStringLiteral("Autre"), {QStringLiteral("X")});
        Options::EnregistrerSchemaPeriodes(QStringLiteral("BAC BLANC"),
                                           {QStringLiteral("Après"), QStringLiteral("Fin")});
        QCOMPARE(Options::NomsSchemasPeriodes().mid(3),
                 (QStringList{QStringLiteral("BAC BLANC"), QStringLiteral("Autre")}));
        QCOMPARE(Options::NomsSousPeriodes(QStringLiteral("bac blanc")),
                 (QStringList{QStringLiteral("Après"), QStringLiteral("Fin")}));
    }

    void nomsDeSchemasDelicats() {
        // Separators in a name, and a name that looks like an array index.
        const QString oblique = QStringLiteral("S1/S2\\S3 100%");
        Options::EnregistrerSchemaPeriodes(oblique, {QStringLiteral("a"), QStringLiteral("b")});
        Options::EnregistrerSchemaPeriodes(QStringLiteral("1"), {QStringLiteral("un")});
        Options::EnregistrerSchemaPeriodes(QStringLiteral("size"), {QStringLiteral("taille")});
        QCOMPARE(Options::NomsSousPeriodes(oblique),
                 (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
        QCOMPARE(Options::NomsSousPeriodes(QStringLiteral("1")), QStringList{QStringLiteral("un")});
        QCOMPARE(Options::NomsSousPeriodes(QStringLiteral("size")),
                 QStringList{QStringLiteral("taille")});

        Options::SupprimerSchemaPeriodes(QStringLiteral("1"));
        QCOMPARE(Options::NomsSchemasPeriodes().mid(3),
                 (QStringList{oblique, QStringLiteral("size")}));
        QCOMPARE(Options::NomsSousPeriodes(oblique).size(), 2);
        QVERIFY(Options::NomsSousPeriodes(QStringLiteral("1")).isEmpty());
    }

    void reinitialiserLesSchemas() {
        Options::EnregistrerSchemaPeriodes(QStringLiteral("Bimestres"), {QStringLiteral("B1")});
        Options::EnregistrerSchemaPeriodes(QStringLiteral("Mois"), {QStringLiteral("Juin")});
        QCOMPARE(Options::ReinitialiserSchemasPeriodes(),
                 (QStringList{QStringLiteral("Trimestres"), QStringLiteral("Semestres"),
                              QStringLiteral("Mois")}));
        QCOMPARE(Options::NomsSchemasPeriodes().size(), 3);
        QCOMPARE(Options::NomsSousPeriodes(QStringLiteral("Mois")).size(), 12);
        QVERIFY(Options::NomsSousPeriodes(QStringLiteral("Bimestres")).isEmpty());
    }

    // ---- Report-card types -------------------------------------------------------------------

    void typesDeBulletins() {
        QCOMPARE(Options::NomsSectionsBulletin(QStringLiteral("Bulletins par défaut")),
                 QStringList{QStringLiteral("Appréciations")});
        QCOMPARE(
            Options::NomsSectionsBulletin(QStringLiteral("Nouveaux bulletins du collège")).size(),
            3);
        QVERIFY(Options::NomsSectionsBulletin(QStringLiteral("Lycée")).isEmpty());

        // The program never writes these keys; another tool may have.
        Globales::EcrireListe(QStringLiteral("Noms bulletins"), {QStringLiteral("Lycée")});
        Globales::EcrireListe(QStringLiteral("Noms bulletins/Lycée/noms"),
                              {QStringLiteral("Travail"), QStringLiteral("Attitude")});
        QCOMPARE(Options::NomsTypesBulletins().last(), QStringLiteral("Lycée"));
        QCOMPARE(Options::NomsSectionsBulletin(QStringLiteral("Lycée")),
                 (QStringList{QStringLiteral("Travail"), QStringLiteral("Attitude")}));
    }

    // ---- Print-inclusion sets ----------------------------------------------------------------

    void inclureImpressionAllerRetour() {
        TInclureImpression tout(TInclureImpression::GrilleVierge);
        QCOMPARE(tout.NombreLignes(), 14);
        QCOMPARE(tout.Libelles().first(), QStringLiteral("Nombre d'élèves présents"));
        QCOMPARE(tout.Libelles().last(), QStringLiteral("Oral ou écrit"));
        for (int i = 0; i < tout.NombreLignes(); ++i)
            tout.ModifierInclure(i, false);
        Options::EnregistrerInclureImpression(TInclureImpression::GrilleVierge, tout);

        TInclureImpression& partage = Options::InclureImpression(TInclureImpression::GrilleVierge);
        partage.ToutInclure(); // the next call must read the store again
        QCOMPARE(
            Options::InclureImpression(TInclureImpression::GrilleVierge).Inclusions().count(true),
            0);
        QCOMPARE(&Options::InclureImpression(TInclureImpression::GrilleVierge), &partage);
        // The other kinds are untouched.
        QCOMPARE(
            Options::InclureImpression(TInclureImpression::SeriesDeNotes).Inclusions().count(false),
            0);

        // A deleted or unreadable row reads as included, that row only.
        auto brut = Brut();
        brut->remove(QStringLiteral("Inclure impression/Grille vierge/% notes < moyenne"));
        brut->setValue(QStringLiteral("Inclure impression/Grille vierge/Date"),
                       QStringLiteral("?"));
        brut->sync();
        const TInclureImpression& lu = Options::InclureImpression(TInclureImpression::GrilleVierge);
        for (int i = 0; i < lu.NombreLignes(); ++i) {
            const bool attendu = lu.Libelles().at(i) == QLatin1String("% notes < moyenne") ||
                                 lu.Libelles().at(i) == QLatin1String("Date");
            QCOMPARE(lu.Inclure(i), attendu);
        }
    }

    void inclureImpressionBilans() {
        TInclureImpression bilans(TInclureImpression::Bilans);
        QCOMPARE(
            bilans.Libelles(),
            (QStringList{QStringLiteral("Min"), QStringLiteral("Max"), QStringLiteral("Moyenne"),
                         QStringLiteral("Ecart type"), QStringLiteral("% moyennes < moyenne"),
                         QStringLiteral("% moyennes < moyenne classe")}));
        bilans.ModifierInclure(0, false);
        Options::EnregistrerInclureImpression(TInclureImpression::Bilans, bilans);
        QCOMPARE(Brut()->value(QStringLiteral("Inclure impression/Bilans/Min")).toInt(), 0);
        QCOMPARE(Brut()->value(QStringLiteral("Inclure impression/Bilans/Max")).toInt(), 1);
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, Options::InclureImpression(3));
    }

    // ---- File history ------------------------------------------------------------------------

    void historiqueLimiteAUn() {
        Options::ModifierNbFichiersHistorique(1);
        const QStringList f = Fichiers(2);
        Options::AjouterFichierHistorique(f[0]);
        Options::AjouterFichierHistorique(f[1]);
        QCOMPARE(Options::ChargerHistorique(), QStringList{f[1]});
    }

    void historiquePlein() {
        const QStringList f = Fichiers(6);
        for (int i = 0; i < 5; ++i)
            Options::AjouterFichierHistorique(f[i]);
        QCOMPARE(Options::ChargerHistorique(), f.mid(0, 5));

        Options::AjouterFichierHistorique(f[2]); // already there: keeps its place
        QCOMPARE(Options::ChargerHistorique(), f.mid(0, 5));

        Options::AjouterFichierHistorique(f[5]);
        QCOMPARE(Options::ChargerHistorique(), f.mid(1, 5));
    }

    void historiqueLimiteReduite() {
        // After the limit was lowered, the file just opened must still be listed.
        const QStringList f = Fichiers(6);
        for (int i = 0; i < 5; ++i)
            Options::AjouterFichierHistorique(f[i]);
        Options::ModifierNbFichiersHistorique(3);
        Options::AjouterFichierHistorique(f[5]);
        QCOMPARE(Options::ChargerHistorique(), f.mid(3, 3));
    }

    void historiqueIgnoreLaCasse() {
        const QString chemin = Fichier(QStringLiteral("Classe 3eB.tav"));
        Options::AjouterFichierHistorique(chemin);
        Options::AjouterFichierHistorique(chemin.toUpper());
        const QStringList historique = Options::ChargerHistorique();
        QCOMPARE(historique.size(), 1);
#ifdef Q_OS_WIN
        QCOMPARE(historique.first(), chemin.toLower());
#else
        // Kept as given: lower-cased, it would name no file on a case-sensitive system.
        QCOMPARE(historique.first(), chemin);
#endif
    }

    void historiqueSansFichiersDisparus() {
        const QStringList f = Fichiers(3);
        Options::EnregistrerHistorique(f +
                                       QStringList{dossier.filePath(QStringLiteral("absent.tav"))});
        QCOMPARE(Brut()->value(QStringLiteral("Historique/size")).toInt(), 3);

        QVERIFY(QFile::remove(f[1]));
        QCOMPARE(Options::ChargerHistorique(), (QStringList{f[0], f[2]}));
        Options::TerminerReglages();
        QCOMPARE(Brut()->value(QStringLiteral("Historique/size")).toInt(), 2);
    }

    void raccourcisDeDouzeFichiers() {
        QStringList raccourcis;
        for (int position = 0; position < 12; ++position)
            raccourcis.append(Options::RaccourciHistorique(position));
        QCOMPARE(raccourcis, (QStringList{"Alt+0", "Alt+1", "Alt+2", "Alt+3", "Alt+4", "Alt+5",
                                          "Alt+6", "Alt+7", "Alt+8", "Alt+9", "Ctrl+0", "Ctrl+1"}));
        QCOMPARE(Options::RaccourciHistorique(19), QStringLiteral("Ctrl+9"));
        QVERIFY(Options::RaccourciHistorique(20).isEmpty());
    }

    void derniersFichiers() {
        const QStringList f = Fichiers(3);
        // Back-most window first, the front one last.
        const QStringList ouverts = {f[2], f[0], dossier.filePath(QStringLiteral("x.tav")), f[1]};
        Options::EnregistrerDerniersFichiers(ouverts);
        QCOMPARE(Options::ChargerDerniersFichiers(), (QStringList{f[2], f[0], f[1]}));
        QVERIFY(QFile::remove(f[0]));
        QCOMPARE(Options::ChargerDerniersFichiers(), (QStringList{f[2], f[1]}));
    }
};

QTEST_GUILESS_MAIN(TestListes)
#include "tst_listes.moc"
