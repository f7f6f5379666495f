// Scalar settings: defaults of a fresh profile, storage, unreadable values, the cached paint-time
// colours, the backup reminder counter and the announcement of changes.

#include "tavX_globales.h"
#include "tavX_options.h"
#include "tavX_reglages.h"

#include <QFile>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class TestReglages : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dossier;
    QString fichierIni;

    // Direct access to the private store, beside the settings units.
    std::unique_ptr<QSettings> Brut() const {
        return std::make_unique<QSettings>(fichierIni, QSettings::IniFormat);
    }
    QStringList ClesStockees() const { return Brut()->allKeys(); }

private slots:
    void initTestCase() {
        // Safety net: whatever happens, the real per-user store stays out of reach.
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(dossier.isValid());
    }

    void init() {
        static int numero = 0;
        fichierIni = dossier.filePath(QStringLiteral("reglages%1.ini").arg(++numero));
        DefinirFichierReglages(fichierIni);
    }

    void cleanup() { DefinirFichierReglages(QString()); }

    void profilNeufDonneLesDefautsSansRienEcrire() {
        using namespace Options;
        QCOMPARE(AuDemarrage(), quint8(0));
        QCOMPARE(AfficherConseils(), true);
        QCOMPARE(NumeroConseilEnCours(), QStringLiteral("1"));
        QCOMPARE(RappelSauvegarde(), true);
        QCOMPARE(FrequenceRappel(), quint8(0));
        QCOMPARE(NumeroRappel(), quint8(1));
        QCOMPARE(RappelMiseAJourDisponible(), true);
        QCOMPARE(TailleMaximumAuDemarrage(), true);
        QCOMPARE(AfficherBarreOutils(), true);
        QCOMPARE(AfficherDate(), true);
        QCOMPARE(AfficherHeure(), true);
        QCOMPARE(FichierBak(), true);
        QCOMPARE(UtiliserHistorique(), true);
        QCOMPARE(NbFichiersHistorique(), quint8(5));
        QCOMPARE(AfficherOngletsClasses(), true);
        QCOMPARE(OngletClasses(), quint8(1));
        QCOMPARE(AfficherMatiereOnglets(), false);
        QCOMPARE(AfficherNomEnseignantOnglets(), false);
        QCOMPARE(OngletsGrillesNotes(), quint8(0));
        QCOMPARE(OngletsGrillesBilans(), quint8(0));
        QCOMPARE(OngletsGraphes(), quint8(0));
        QCOMPARE(AfficherFenetreInfo(), true);
        QCOMPARE(CouleurFenetreInfo(), 0x00C8FFC8);
        QCOMPARE(AfficherR(), true);
        QCOMPARE(AfficherDatesDeNaissance(), true);

        QCOMPARE(ColorationGrille(), true);
        QCOMPARE(LignesPaires(), 0x00F4FFE1);
        QCOMPARE(LignesImpaires(), 0x00E2FFFF);
        QCOMPARE(CouleurSelection(), 0x00FFFF00);
        QCOMPARE(ColorationNote(), true);
        QCOMPARE(Couleur1Note(), 0x000000FF);
        QCOMPARE(Couleur2Note(), 0x00C00000);
        QCOMPARE(Couleur3Note(), 0x00008000);
        QCOMPARE(Couleur4Note(), 0x00000000);
        QCOMPARE(Couleur5Note(), 0x0000FFFF);

        QCOMPARE(MoyennesSur(), 20);
        QCOMPARE(ArrondirMoyennes(), quint8(0));
        QCOMPARE(ArrondirMoyennesAnnuelles(), quint8(0));
        QCOMPARE(TypeMoyennesAnnuelles(), quint8(0));
        QCOMPARE(MoyenneParTypeDeNotes(), false);
        QCOMPARE(MoyennesEcritEtOral(), false);
        QCOMPARE(TrierMoyennes(), quint8(0));

        QCOMPARE(Graphe3D(), true);
        QCOMPARE(GrapheEnCouleur(), true);
        QCOMPARE(GrapheDegrade(), true);
        QCOMPARE(CouleurDebutDegrade(), 0x00FFFF80);
        QCOMPARE(CouleurFinDegrade(), 0x00FF8080);
        QCOMPARE(GrapheLegende(), true);
        QCOMPARE(GrapheLigneEleve(), true);
        QCOMPARE(GrapheLigneMin(), true);
        QCOMPARE(GrapheLigneMax(), true);
        QCOMPARE(GrapheLigneMoyenne(), true);
        QCOMPARE(CouleurEleve(), 0x0000FFFF);
        QCOMPARE(CouleurMin(), 0x000000FF);
        QCOMPARE(CouleurMax(), 0x00FF0000);
        QCOMPARE(CouleurMoyenne(), 0x0080FF80);
        QCOMPARE(CouleurMurGauche(), 0x00FFFFFF);
        QCOMPARE(CouleurMurBas(), 0x00FFFFFF);

        QCOMPARE(NomPolice(), QStringLiteral("Times New Roman"));
        QCOMPARE(TaillePolice(), quint8(9));
        QCOMPARE(EnTeteGauche(), QString());
        QCOMPARE(EnTeteCentre(), QString());
        QCOMPARE(EnTeteDroite(), QString());
        QCOMPARE(BasDePageGauche(), QString());
        QCOMPARE(BasDePageDroite(), QString());
        QCOMPARE(ImpressionFermerBoite(), true);
        QCOMPARE(ImpressionCouleurNote(), false);
        QCOMPARE(NumeroterElevesSeriesDeNotes(), true);
        QCOMPARE(NumeroterElevesBilans(), true);
        QCOMPARE(NumeroterElevesAppreciations(), true);
        QCOMPARE(NumeroterElevesGrilleVierge(), true);
        QCOMPARE(ImpressionDatesDeNaissanceSeriesDeNotes(), true);
        QCOMPARE(ImpressionDatesDeNaissanceBilans(), true);
        QCOMPARE(ImpressionDatesDeNaissanceAppreciations(), true);
        QCOMPARE(ImpressionDatesDeNaissanceGrilleVierge(), true);
        QCOMPARE(ImpressionRSeriesDeNotes(), true);
        QCOMPARE(ImpressionRBilans(), true);
        QCOMPARE(ImpressionRAppreciations(), true);
        QCOMPARE(ImpressionRGrilleVierge(), true);
        QCOMPARE(ImpressionColonneMoyenne(), false);
        QCOMPARE(ColonnesBilanDetaillees(), false);
        QCOMPARE(ImpressionMoyennesEcritOral(), true);
        QCOMPARE(ImpressionColonneClassement(), true);
        QCOMPARE(TrierMoyennesImpression(), quint8(0));
        QCOMPARE(LargeurGrilleVierge(), quint8(10));

        QCOMPARE(InclureNomEnseignantBulletin(), true);
        QCOMPARE(InclureAppreciationsBulletin(), true);
        QCOMPARE(Intitulecadrebulletin(), QStringLiteral("Appréciation du chef d'établissement"));
        QCOMPARE(Fichierlogobulletin(), QString());
        QCOMPARE(Chemin(), QString());

        // The list readers do not write either.
        QCOMPARE(ChargerTypesDeNotes().size(), 6);
        QCOMPARE(ChargerMatieres().size(), 16);
        QCOMPARE(NomsSchemasPeriodes().size(), 3);
        QCOMPARE(NomsTypesBulletins().size(), 2);
        QVERIFY(ChargerHistorique().isEmpty());
        QVERIFY(ChargerDerniersFichiers().isEmpty());
        QVERIFY(InclureImpression(TInclureImpression::SeriesDeNotes).Inclusions().count(true) ==
                14);
        TerminerReglages();

        QVERIFY(ClesStockees().isEmpty());
        QVERIFY(!QFile::exists(fichierIni));
    }

    void defautsDesCouleursPourLeDialogue() {
        // The "default" buttons of the options dialog must not depend on what is stored.
        Options::ModifierCouleur3Note(0x112233);
        Options::ModifierCouleurMurBas(0x445566);
        QCOMPARE(Options::Couleur3NoteParDefaut(), 0x00008000);
        QCOMPARE(Options::CouleurMurBasParDefaut(), 0x00FFFFFF);
        QCOMPARE(Options::LignesImpairesParDefaut(), 0x00E2FFFF);
    }

    void ecrituresDansLeMagasin() {
        Options::ModifierMoyennesSur(-7);
        Options::ModifierFichierBak(false);
        Options::ModifierTaillePolice(255);
        Options::ModifierNomPolice(QStringLiteral("Arial, gras"));
        Options::ModifierChemin(QStringLiteral("/opt/tavelin/"));

        auto brut = Brut();
        QCOMPARE(brut->value(QStringLiteral("Options/moyennesSur")).toInt(), -7);
        QCOMPARE(brut->value(QStringLiteral("Options/fichierBak")).toInt(), 0);
        QCOMPARE(brut->value(QStringLiteral("Chemin")).toString(), QStringLiteral("/opt/tavelin/"));
        QVERIFY(!brut->contains(QStringLiteral("Options/Chemin")));

        QCOMPARE(Options::MoyennesSur(), -7);
        QCOMPARE(Options::FichierBak(), false);
        QCOMPARE(Options::TaillePolice(), quint8(255));
        QCOMPARE(Options::NomPolice(), QStringLiteral("Arial, gras"));
        QCOMPARE(Options::Chemin(), QStringLiteral("/opt/tavelin/"));
    }

    void valeursIllisiblesDonnentLeDefaut_data() {
        QTest::addColumn<QString>("cle");
        QTest::addColumn<QVariant>("valeur");
        QTest::addColumn<QVariant>("attendu");
        auto ligne = [](const char* nom, const char* cle, QVariant valeur, QVariant attendu) {
            QTest::newRow(nom) << QString::fromLatin1(cle) << valeur << attendu;
        };
        ligne("entier en texte", "moyennesSur", QStringLiteral("vingt"), 20);
        ligne("entier hors 32 bits", "moyennesSur", QStringLiteral("4294967296"), 20);
        ligne("octet au-dessus de 255", "taillePolice", 256, 9);
        ligne("octet négatif", "taillePolice", -1, 9);
        ligne("booléen en texte", "fichierBak", QStringLiteral("peut-être"), true);
        ligne("booléen vide", "afficherMatiereOnglets", QString(), false);
        ligne("couleur en texte", "couleurMin", QStringLiteral("rouge"), 0x000000FF);
        ligne("chaîne en liste", "nomPolice", QStringList{QStringLiteral("a"), QStringLiteral("b")},
              QStringLiteral("Times New Roman"));
        // Readable forms of another writer are accepted.
        ligne("booléen true", "afficherMatiereOnglets", true, true);
        ligne("entier avec espaces", "moyennesSur", QStringLiteral(" 40 "), 40);
    }

    void valeursIllisiblesDonnentLeDefaut() {
        QFETCH(QString, cle);
        QFETCH(QVariant, valeur);
        QFETCH(QVariant, attendu);
        Brut()->setValue(QStringLiteral("Options/") + cle, valeur);

        QVariant lu;
        if (cle == QLatin1String("moyennesSur"))
            lu = Options::MoyennesSur();
        else if (cle == QLatin1String("taillePolice"))
            lu = int(Options::TaillePolice());
        else if (cle == QLatin1String("fichierBak"))
            lu = Options::FichierBak();
        else if (cle == QLatin1String("afficherMatiereOnglets"))
            lu = Options::AfficherMatiereOnglets();
        else if (cle == QLatin1String("couleurMin"))
            lu = Options::CouleurMin();
        else
            lu = Options::NomPolice();
        QCOMPARE(lu, attendu);
        // The unreadable value is left alone: a read never writes.
        const QVariant stocke = Brut()->value(QStringLiteral("Options/") + cle);
        QVERIFY(stocke.isValid());
        QCOMPARE(stocke.toString(), valeur.toString());
    }

    void couleurCacheeEcrivainCompareDabord() {
        Options::ModifierCouleur1Note(Options::Couleur1NoteParDefaut());
        Options::ModifierLignesPaires(Options::LignesPaires());
        QVERIFY(ClesStockees().isEmpty());

        Options::ModifierCouleur1Note(0x00123456);
        QCOMPARE(Options::Couleur1Note(), 0x00123456);
        QCOMPARE(Brut()->value(QStringLiteral("Options/couleur1Note")).toInt(), 0x00123456);
    }

    void couleurCacheeNeRelitPasLeMagasin() {
        QCOMPARE(Options::CouleurSelection(), 0x00FFFF00);
        QCOMPARE(Options::CouleurMin(), 0x000000FF);
        // Another copy of the program changes both values.
        Brut()->setValue(QStringLiteral("Options/couleurSelection"), 0x00ABCDEF);
        Brut()->setValue(QStringLiteral("Options/couleurMin"), 0x00ABCDEF);
        QCOMPARE(Options::CouleurSelection(), 0x00FFFF00); // cached
        QCOMPARE(Options::CouleurMin(), 0x00ABCDEF);       // read at each call

        // Redirecting the store forgets the cache.
        DefinirFichierReglages(fichierIni);
        QCOMPARE(Options::CouleurSelection(), 0x00ABCDEF);
    }

    void compteurRappelSauvegarde() {
        // Every ten start-ups: nine silent ones, then a reminder, then it starts again.
        for (int demarrage = 1; demarrage <= 9; ++demarrage)
            QVERIFY2(!Options::AppliquerCompteurRappelSauvegarde(),
                     qPrintable(QString::number(demarrage)));
        QCOMPARE(Options::NumeroRappel(), quint8(10));
        QVERIFY(Options::AppliquerCompteurRappelSauvegarde());
        QCOMPARE(Options::NumeroRappel(), quint8(1));
        QVERIFY(!Options::AppliquerCompteurRappelSauvegarde());

        Options::ModifierFrequenceRappel(1);
        QVERIFY(Options::AppliquerCompteurRappelSauvegarde());
        QVERIFY(Options::AppliquerCompteurRappelSauvegarde());

        Options::ModifierRappelSauvegarde(false);
        QVERIFY(!Options::AppliquerCompteurRappelSauvegarde());
        QCOMPARE(Options::NumeroRappel(), quint8(1));
    }
    // ---- Announcements ------------------------------------------------------------------------

    void chaqueChangementEstAnnonceUneFois_data() {
        QTest::addColumn<QString>("cle");
        QTest::addColumn<QVariant>("valeur"); // differs from the default
        auto ligne = [](const char* cle, QVariant valeur) {
            QTest::newRow(cle) << QString::fromLatin1(cle) << valeur;
        };
        ligne("moyennesSur", 10);          // integer, cached, read by the calculations
        ligne("arrondirMoyennes", 3);      // byte, cached
        ligne("typeMoyennesAnnuelles", 1); // byte
        ligne("afficherR", false);         // boolean
        ligne("colorationNote", false);    // boolean, cached
        ligne("couleur2Note", 0x123456);   // paint-time colour, cached
        ligne("couleurMin", 0x654321);     // colour
        ligne("nomPolice", QStringLiteral("Arial"));
        ligne("Chemin", QStringLiteral("/opt/tavelin"));
        ligne("Types de notes", QStringList{QStringLiteral("Oral"), QStringLiteral("Écrit")});
        ligne("Inclure impression/Bilans", 0);
    }

    void chaqueChangementEstAnnonceUneFois() {
        QFETCH(QString, cle);
        QFETCH(QVariant, valeur);
        using namespace Options;
        // Writes the value, reads it back the way the program does.
        const std::map<QString,
                       std::pair<std::function<void(const QVariant&)>, std::function<QVariant()>>>
            acces = {
                {"moyennesSur",
                 {[](auto& v) { ModifierMoyennesSur(v.toInt()); },
                  [] { return QVariant(MoyennesSur()); }}},
                {"arrondirMoyennes",
                 {[](auto& v) { ModifierArrondirMoyennes(v.toInt()); },
                  [] { return QVariant(int(ArrondirMoyennes())); }}},
                {"typeMoyennesAnnuelles",
                 {[](auto& v) { ModifierTypeMoyennesAnnuelles(v.toInt()); },
                  [] { return QVariant(int(TypeMoyennesAnnuelles())); }}},
                {"afficherR",
                 {[](auto& v) { ModifierAfficherR(v.toBool()); },
                  [] { return QVariant(AfficherR()); }}},
                {"colorationNote",
                 {[](auto& v) { ModifierColorationNote(v.toBool()); },
                  [] { return QVariant(ColorationNote()); }}},
                {"couleur2Note",
                 {[](auto& v) { ModifierCouleur2Note(v.toInt()); },
                  [] { return QVariant(Couleur2Note()); }}},
                {"couleurMin",
                 {[](auto& v) { ModifierCouleurMin(v.toInt()); },
                  [] { return QVariant(CouleurMin()); }}},
                {"nomPolice",
                 {[](auto& v) { ModifierNomPolice(v.toString()); },
                  [] { return QVariant(NomPolice()); }}},
                {"Chemin",
                 {[](auto& v) { ModifierChemin(v.toString()); },
                  [] { return QVariant(Chemin()); }}},
                {"Types de notes",
                 {[](auto& v) { EnregistrerTypesDeNotes(v.toStringList()); },
                  [] { return QVariant(ChargerTypesDeNotes()); }}},
                {"Inclure impression/Bilans",
                 {[](auto& v) {
                      TInclureImpression ensemble(1);
                      ensemble.ModifierInclure(0, v.toBool());
                      EnregistrerInclureImpression(1, ensemble);
                  },
                  [] { return QVariant(int(InclureImpression(1).Inclure(0))); }}},
            };
        const auto& [ecrire, lire] = acces.at(cle);
        const QVariant defaut = lire();

        // Listeners read the new value when they hear of it: the caches are already refreshed.
        QList<QVariant> luPendantLAnnonce;
        QSignalSpy modifie(&TReglages::Instance(), &TReglages::modifie);
        QSignalSpy terminees(&TReglages::Instance(), &TReglages::modificationsTerminees);
        QObject ecouteur; // the connection ends with the test, even a failed one
        connect(&TReglages::Instance(), &TReglages::modifie, &ecouteur,
                [&](const QString&) { luPendantLAnnonce.append(lire()); });

        ecrire(defaut); // the value it already has
        QCOMPARE(modifie.count(), 0);
        ecrire(valeur);
        QCOMPARE(modifie.count(), 1);
        QCOMPARE(modifie.at(0).at(0).toString(), cle);
        QCOMPARE(terminees.count(), 1);
        QCOMPARE(luPendantLAnnonce, QList<QVariant>{lire()});
        QVERIFY(lire() != defaut);
        ecrire(valeur); // again: nothing changes
        QCOMPARE(modifie.count(), 1);

        // Grouped, as the options dialog writes: every change is told, the end once.
        {
            TReglages::TGroupeModifications groupe;
            ecrire(defaut);
            ecrire(valeur);
            QCOMPARE(terminees.count(), 1);
        }
        QCOMPARE(modifie.count(), 3);
        QCOMPARE(terminees.count(), 2);
        {
            TReglages::TGroupeModifications groupe;
            ecrire(valeur);
        }
        QCOMPARE(terminees.count(), 2); // nothing changed, nothing to repaint
    }

    void portees_data() {
        QTest::addColumn<QString>("cle");
        QTest::addColumn<int>("portee");
        for (const char* cle : {"moyennesSur", "arrondirMoyennes", "arrondirMoyennesAnnuelles",
                                "typeMoyennesAnnuelles"})
            QTest::newRow(cle) << QString::fromLatin1(cle) << int(TReglages::Calculs);
        for (const char* cle : {"couleur1Note", "afficherR", "afficherDatesDeNaissance",
                                "moyenneParTypeDeNotes", "ongletsGrillesNotes", "graphe3D"})
            QTest::newRow(cle) << QString::fromLatin1(cle) << int(TReglages::Affichage);
        // Written on every save or start-up: they must not repaint the classes.
        for (const char* cle :
             {"Historique", "Derniers fichiers", "numeroRappel", "numeroConseilEnCours"})
            QTest::newRow(cle) << QString::fromLatin1(cle) << int(TReglages::Aucune);
    }
    void portees() {
        QFETCH(QString, cle);
        QFETCH(int, portee);
        QCOMPARE(int(TReglages::Portee(cle)), portee);
    }
};

QTEST_GUILESS_MAIN(TestReglages)
#include "tst_reglages.moc"
