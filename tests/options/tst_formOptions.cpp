// The options dialog TFormOptions, driven as a teacher would: every page bound to its setting,
// the values stored however the dialog closes, the editable lists and the period schemes.
#include "_FormOptions.h"
#include "aideDialogues.h"
#include "tavX_boutonCouleur.h"
#include "tavX_globales.h"
#include "tavX_listeEditable.h"
#include "tavX_options.h"
#include "tavX_programme.h"
#include "tavtest_ecrivain.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace AideDialogues;

namespace {

template <typename T> T* Enfant(QObject* parent, const char* nom) {
    return parent->findChild<T*>(QString::fromLatin1(nom));
}

QStringList Lignes(const QListWidget* liste) {
    QStringList l;
    for (int i = 0; i < liste->count(); ++i)
        l.append(liste->item(i)->text());
    return l;
}

void Cliquer(QObject* parent, const char* nom) {
    auto* b = Enfant<QAbstractButton>(parent, nom);
    QVERIFY2(b, nom);
    QVERIFY2(b->isEnabled(), nom);
    if (b->isVisible())
        QTest::mouseClick(b, Qt::LeftButton);
    else
        b->click(); // on a page not shown
}

// The settings the dialog shows (all but the eight colours cached for the grids).
const QStringList ClesEcrites = {"auDemarrage",
                                 "afficherConseils",
                                 "rappelSauvegarde",
                                 "frequenceRappel",
                                 "rappelMiseAJourDisponible",
                                 "afficherBarreOutils",
                                 "tailleMaximumAuDemarrage",
                                 "afficherHeure",
                                 "afficherDate",
                                 "fichierBak",
                                 "afficherFenetreInfo",
                                 "couleurFenetreInfo",
                                 "afficherR",
                                 "afficherDatesDeNaissance",
                                 "numeroterElevesSeriesDeNotes",
                                 "impressionColonneMoyenne",
                                 "impressionDatesDeNaissanceSeriesDeNotes",
                                 "impressionRSeriesDeNotes",
                                 "colonnesBilanDetaillees",
                                 "numeroterElevesBilans",
                                 "impressionColonneClassement",
                                 "trierMoyennesImpression",
                                 "impressionDatesDeNaissanceBilans",
                                 "impressionRBilans",
                                 "impressionMoyennesEcritOral",
                                 "numeroterElevesGrilleVierge",
                                 "largeurGrilleVierge",
                                 "impressionDatesDeNaissanceGrilleVierge",
                                 "impressionRGrilleVierge",
                                 "numeroterElevesAppreciations",
                                 "impressionDatesDeNaissanceAppreciations",
                                 "impressionRAppreciations",
                                 "impressionCouleurNote",
                                 "graphe3D",
                                 "grapheDegrade",
                                 "grapheEnCouleur",
                                 "grapheLegende",
                                 "grapheLigneEleve",
                                 "couleurEleve",
                                 "grapheLigneMin",
                                 "couleurMin",
                                 "grapheLigneMax",
                                 "couleurMax",
                                 "grapheLigneMoyenne",
                                 "couleurMoyenne",
                                 "couleurDebutDegrade",
                                 "couleurFinDegrade",
                                 "couleurMurGauche",
                                 "couleurMurBas",
                                 "moyennesSur",
                                 "arrondirMoyennes",
                                 "arrondirMoyennesAnnuelles",
                                 "trierMoyennes",
                                 "typeMoyennesAnnuelles",
                                 "moyenneParTypeDeNotes",
                                 "moyennesEcritEtOral",
                                 "colorationGrille",
                                 "colorationNote",
                                 "utiliserHistorique",
                                 "nbFichiersHistorique",
                                 "ongletsGrillesNotes",
                                 "ongletsGrillesBilans",
                                 "ongletsGraphes",
                                 "afficherOngletsClasses",
                                 "ongletClasses",
                                 "afficherMatiereOnglets",
                                 "afficherNomEnseignantOnglets"};
const QStringList CouleursEnCache = {"couleur1Note",   "couleur2Note",    "couleur3Note",
                                     "couleur4Note",   "couleur5Note",    "lignesPaires",
                                     "lignesImpaires", "couleurSelection"};

} // namespace

class TestFormOptions : public QObject {
    Q_OBJECT

    std::unique_ptr<TavTest::ReglagesPrives> reglages;

private slots:
    void init() { reglages = std::make_unique<TavTest::ReglagesPrives>(); }
    void cleanup() { reglages.reset(); }

    void fermerSansRienToucherEcritChaqueReglageAbsent() {
        {
            TFormOptions d;
            QCOMPARE(d.windowTitle(), QStringLiteral("Configurer Tavelin"));
            QVERIFY(Montrer(&d));
            Cliquer(&d, "BoutonFermer");
        }
        QSettings ini(reglages->Chemin(), QSettings::IniFormat);
        ini.beginGroup(QStringLiteral("Options"));
        const QStringList presentes = ini.childKeys();
        for (const QString& cle : ClesEcrites)
            QVERIFY2(presentes.contains(cle), qPrintable(cle));
        for (const QString& cle : CouleursEnCache)
            QVERIFY2(!presentes.contains(cle), qPrintable(cle));
        QCOMPARE(ini.value(QStringLiteral("moyennesSur")).toInt(), 20);
        QCOMPARE(ini.value(QStringLiteral("nbFichiersHistorique")).toInt(), 5);
        ini.endGroup();
        for (const char* liste :
             {"Types de notes", "Matieres", "Utilisateurs", "Inclure impression/Bilans"})
            QVERIFY2(ini.childGroups().contains(QString::fromUtf8(liste).section('/', 0, 0)),
                     liste);
    }

    // However the dialog goes, what it shows is stored; a period scheme is stored at once.
    void lesValeursSontEnregistreesQuelleQueSoitLaFermeture_data() {
        QTest::addColumn<QString>("maniere");
        for (const char* m : {"Fermer", "Entrée", "Echap", "fenêtre fermée", "détruit"})
            QTest::newRow(m) << QString::fromUtf8(m);
    }
    void lesValeursSontEnregistreesQuelleQueSoitLaFermeture() {
        QFETCH(QString, maniere);
        auto* d = new TFormOptions;
        QVERIFY(Montrer(d));
        QVERIFY(d->AllerA(QStringLiteral("Types de périodes")));
        auto* nom = Enfant<QLineEdit>(d, "EditSchema");
        nom->setFocus();
        QTest::keyClicks(nom, QStringLiteral("Devoirs"));
        auto* nombre = Enfant<QSpinBox>(d, "NombreSousPeriodes");
        nombre->setValue(4);
        Cliquer(d, "BoutonAjouterSchema");
        QCOMPARE(Options::NomsSousPeriodes(QStringLiteral("Devoirs")),
                 (QStringList{"Devoirs 1", "Devoirs 2", "Devoirs 3", "Devoirs 4"}));
        QCOMPARE(Options::NomsSchemasPeriodes().last(), QStringLiteral("Devoirs"));

        d->AllerA(QStringLiteral("Divers"));
        Enfant<QCheckBox>(d, "CaseBarreOutils")->setChecked(false);
        QVERIFY(Options::AfficherBarreOutils()); // not before closing
        if (maniere == QStringLiteral("Fermer")) {
            Cliquer(d, "BoutonFermer");
        } else if (maniere == QStringLiteral("Entrée")) {
            QTest::keyClick(Enfant<QCheckBox>(d, "CaseBarreOutils"), Qt::Key_Return);
        } else if (maniere == QStringLiteral("Echap")) {
            QTest::keyClick(d, Qt::Key_Escape);
        } else if (maniere == QStringLiteral("fenêtre fermée")) {
            d->close();
        }
        if (maniere != QStringLiteral("détruit")) QVERIFY(!d->isVisible());
        QCOMPARE(Options::AfficherBarreOutils(), maniere == QStringLiteral("détruit"));
        delete d;
        QVERIFY(!Options::AfficherBarreOutils());
        QCOMPARE(Options::NomsSousPeriodes(QStringLiteral("Devoirs")).size(), 4);
    }

    // One control changed on every page is found again on reopening, and another program
    // reading the same store (the command-line tool) computes with the new scale and rounding.
    void allerRetourSurChaquePage() {
        TBoutonCouleur::ChoixCouleur() = [](QWidget*, const QColor&, const QString&) {
            return QColor(0x12, 0x34, 0x56);
        };
        const QString fichierHisto =
            QDir(QFileInfo(reglages->Chemin()).absolutePath()).filePath("a.tav");
        QVERIFY(TavTest::EcrireFichier(fichierHisto, "x"));
        Options::EnregistrerHistorique({fichierHisto});
        const QStringList historique = Options::ChargerHistorique();
        QCOMPARE(historique.size(), 1);
        {
            TFormOptions d;
            QVERIFY(Montrer(&d));
            Enfant<QRadioButton>(&d, "AuDemarrage1")->setChecked(true);
            Enfant<QCheckBox>(&d, "CaseDate")->setChecked(false);
            Enfant<QListWidget>(&d, "ListeInclure1")->item(2)->setCheckState(Qt::Unchecked);
            Enfant<QSpinBox>(&d, "LargeurGrilleVierge")->setValue(25);
            // Enter in a list's field adds the name and leaves the dialog open.
            d.AllerA(QStringLiteral("Types de notes"));
            d.ListeTypesDeNotes()->Champ()->setFocus();
            TaperTexte(d.ListeTypesDeNotes()->Champ(), QStringLiteral("  Exposé "));
            QTest::keyClick(d.ListeTypesDeNotes()->Champ(), Qt::Key_Return);
            QVERIFY(d.isVisible());
            Cliquer(&d, "CouleurMin");
            Enfant<QSpinBox>(&d, "MoyennesSur")->setValue(10);
            Enfant<QRadioButton>(&d, "ArrondirMoyennes3")->setChecked(true);
            Cliquer(&d, "CouleurLignesPaires");
            Cliquer(&d, "Couleur2Note");
            Enfant<QSpinBox>(&d, "NombreHistorique")->setValue(12);
            Enfant<QRadioButton>(&d, "OngletClasses2")->setChecked(true);
            d.ListeMatieres()->Champ()->setText(QStringLiteral("Théâtre"));
            d.ListeMatieres()->Ajouter();
            d.ListeEnseignants()->Champ()->setText(QStringLiteral("Mme Curie"));
            d.ListeEnseignants()->Ajouter();
            d.ListeEnseignants()->Champ()->setText(QStringLiteral("mme curie")); // already there
            d.ListeEnseignants()->Ajouter();
            // The teachers are shown in two columns.
            d.AllerA(QStringLiteral("Enseignants"));
            QListWidget* enseignants = d.ListeEnseignants()->Liste();
            QVERIFY(enseignants->count() >= 2);
            QTRY_VERIFY(enseignants->visualItemRect(enseignants->item(1)).x() > 0);
            Cliquer(&d, "BoutonFermer");
        }
        TBoutonCouleur::ChoixCouleur() = nullptr;
        QCOMPARE(Options::AuDemarrage(), quint8(1));
        QVERIFY(!Options::AfficherDate());
        QVERIFY(!Options::InclureImpression(1).Inclure(2));
        QVERIFY(Options::InclureImpression(1).Inclure(1));
        QCOMPARE(Options::LargeurGrilleVierge(), quint8(25));
        QVERIFY(Options::ChargerTypesDeNotes().contains(QStringLiteral("Exposé")));
        QCOMPARE(Options::CouleurMin(), 0x563412);
        QCOMPARE(Options::MoyennesSur(), 10);
        QCOMPARE(Options::ArrondirMoyennes(), quint8(3));
        QCOMPARE(Options::LignesPaires(), 0x563412);
        QCOMPARE(Options::Couleur2Note(), 0x563412);
        QCOMPARE(Options::NbFichiersHistorique(), quint8(12));
        QCOMPARE(Options::OngletClasses(), quint8(2));
        QVERIFY(Options::ChargerMatieres().contains(QStringLiteral("Théâtre")));
        QCOMPARE(
            Options::ChargerUtilisateurs().filter(QStringLiteral("curie"), Qt::CaseInsensitive),
            QStringList{QStringLiteral("Mme Curie")});
        {
            TFormOptions d;
            QCOMPARE(Enfant<QSpinBox>(&d, "MoyennesSur")->value(), 10);
            QVERIFY(Enfant<QRadioButton>(&d, "ArrondirMoyennes3")->isChecked());
            QVERIFY(!Enfant<QCheckBox>(&d, "CaseDate")->isChecked());
            QCOMPARE(Enfant<QListWidget>(&d, "ListeInclure1")->item(2)->checkState(),
                     Qt::Unchecked);
            QCOMPARE(Enfant<TBoutonCouleur>(&d, "Couleur2Note")->Couleur(), 0x563412);
            QCOMPARE(Lignes(Enfant<QListWidget>(&d, "ListeHistorique")), historique);
        }

        // The command-line tool, on a store of its own holding the same file.
        QTemporaryDir autre;
        QVERIFY(QDir().mkpath(autre.filePath("config/Tavelin")));
        QVERIFY(QFile::copy(reglages->Chemin(), autre.filePath("config/Tavelin/Tavelin 2.x.ini")));
        QProcess cli;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), autre.filePath("config"));
        env.insert(QStringLiteral("HOME"), autre.path());
        cli.setProcessEnvironment(env);
        cli.start(QStringLiteral(TAV_BIN_DIR "/tavelin-cli"),
                  {QStringLiteral("averages"),
                   QStringLiteral(TAV_SOURCE_DIR "/examples/4e_B_mathematiques.tav")});
        QVERIFY(cli.waitForFinished(60000));
        const QString sortie = QString::fromUtf8(cli.readAllStandardOutput());
        QVERIFY2(sortie.contains(QStringLiteral("\"moyennesSur\":10")),
                 qPrintable(sortie.left(300)));
        QVERIFY(sortie.contains(QStringLiteral("\"arrondirMoyennes\":3")));
    }

    // A store that cannot be written: the user is told, once, and the dialog still closes.
    void reglagesImpossiblesAEcrire() {
        InterlocuteurTest boites;
        QTemporaryDir dossier;
        QVERIFY(TavTest::EcrireFichier(dossier.filePath("fichier"), "x"));
        DefinirFichierReglages(dossier.filePath("fichier/reglages.ini"));
        {
            TFormOptions d;
            QVERIFY(Montrer(&d));
            Enfant<QCheckBox>(&d, "CaseBarreOutils")->setChecked(false);
            Cliquer(&d, "BoutonFermer");
            QVERIFY(!d.isVisible());
        }
        QCOMPARE(boites.boites.size(), 1);
        QCOMPARE(boites.boites.at(0).icone, TIcone::Erreur);
        QVERIFY(boites.boites.at(0).texte.startsWith(
            QStringLiteral("Les réglages n'ont pas pu être tous enregistrés.")));
    }

    void ordreDuClavierSurLaPremierePage() {
        TFormOptions d;
        QVERIFY(Montrer(&d));
        Enfant<QListWidget>(&d, "ListePages")->setFocus();
        // The update box is greyed, and so skipped, in a program built without the check.
        const bool miseAJour = !Programme::AdresseMiseAJour().isEmpty();
        for (const char* nom : {"AuDemarrage0", "CaseAfficherConseils", "CaseRappelSauvegarde",
                                "FrequenceRappel0", "CaseMiseAJour", "BoutonFermer", "ListePages"})
            if (miseAJour || qstrcmp(nom, "CaseMiseAJour") != 0)
                QCOMPARE(Tab(&d)->objectName(), QString::fromLatin1(nom));
        // Ctrl+Page down goes to the next page.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(d.PageCourante(), QStringLiteral("Divers"));
    }

    void ouvertureSurUnePageEtUneSousPage() {
        TFormOptions d;
        QVERIFY(d.AllerA(QStringLiteral("Impression"), QStringLiteral("Bilans")));
        QCOMPARE(d.PageCourante(), QStringLiteral("Impression"));
        QCOMPARE(d.SousPageCourante(), QStringLiteral("Bilans"));
        QVERIFY(d.AllerA(QStringLiteral("impression"), QStringLiteral("&Grille vierge")));
        QCOMPARE(d.SousPageCourante(), QStringLiteral("Grille vierge"));
        QVERIFY(d.AllerA(QStringLiteral("Matières")));
        QCOMPARE(d.PageCourante(), QStringLiteral("Matières"));
        QVERIFY(!d.AllerA(QStringLiteral("Nulle part")));
        QCOMPARE(d.PageCourante(), QStringLiteral("Matières"));
    }

    // Number settings cannot take a value their setting cannot hold.
    void lesNombresRestentDansLeursBornes_data() {
        QTest::addColumn<QString>("champ");
        QTest::addColumn<QString>("saisie");
        QTest::addColumn<int>("attendu");
        QTest::newRow("largeur 300") << "LargeurGrilleVierge"
                                     << "300" << 30;
        QTest::newRow("largeur abc") << "LargeurGrilleVierge"
                                     << "abc" << 10;
        QTest::newRow("moyennes sur 5000") << "MoyennesSur"
                                           << "5000" << 500;
        QTest::newRow("moyennes sur 0") << "MoyennesSur"
                                        << "0" << 20;
        QTest::newRow("historique 50") << "NombreHistorique"
                                       << "50" << 5;
        QTest::newRow("sous-périodes 255") << "NombreSousPeriodes"
                                           << "255" << 25;
    }
    void lesNombresRestentDansLeursBornes() {
        QFETCH(QString, champ);
        QFETCH(QString, saisie);
        QFETCH(int, attendu);
        TFormOptions d;
        QVERIFY(Montrer(&d));
        auto* nombre = d.findChild<QSpinBox*>(champ);
        QVERIFY(nombre);
        nombre->setEnabled(true);
        nombre->setFocus();
        nombre->selectAll();
        QTest::keyClicks(nombre, saisie);
        nombre->interpretText();
        QCOMPARE(nombre->value(), attendu);
        QVERIFY(nombre->maximum() <= (champ == "MoyennesSur" ? 1000 : 255));
    }

    void leDernierTypeDeNotesNeSeSupprimePas() {
        InterlocuteurTest boites;
        Options::EnregistrerTypesDeNotes({QStringLiteral("Oral")});
        TFormOptions d;
        QVERIFY(Montrer(&d));
        TListeEditable* types = d.ListeTypesDeNotes();
        types->Liste()->setCurrentRow(0);
        boites.reponses = {true};
        types->Supprimer();
        QCOMPARE(types->Elements(), QStringList{QStringLiteral("Oral")});
        QVERIFY(boites.boites.isEmpty()); // not even asked

        // "Delete all" keeps the defaults, and says so.
        boites.reponses = {true};
        types->ToutSupprimer();
        QCOMPARE(types->Elements(), Options::TypesDeNotesParDefaut());
        QCOMPARE(boites.boites.size(), 2);
        QCOMPARE(boites.boites.at(0).texte,
                 QStringLiteral("Etes-vous sûr(e) de vouloir supprimer tous les types de notes ?"));
        QVERIFY(boites.boites.at(1).texte.contains(QStringLiteral("ne peut pas être vide")));

        // The subjects have no floor.
        boites.reponses = {true};
        d.ListeMatieres()->ToutSupprimer();
        QVERIFY(d.ListeMatieres()->Elements().isEmpty());
    }

    void supprimerDemandeConfirmation() {
        InterlocuteurTest boites;
        TFormOptions d;
        TListeEditable* matieres = d.ListeMatieres();
        const int avant = matieres->Liste()->count();
        QVERIFY(matieres->Selectionner(QStringLiteral("latin")));
        boites.reponses = {false};
        matieres->Supprimer();
        QCOMPARE(matieres->Liste()->count(), avant);
        QCOMPARE(boites.boites.at(0).texte, QStringLiteral("Supprimer 'Latin' ?"));
        QCOMPARE(boites.boites.at(0).icone, TIcone::Question);
        boites.reponses = {true};
        matieres->Supprimer();
        QCOMPARE(matieres->Liste()->count(), avant - 1);
        QVERIFY(!matieres->Elements().contains(QStringLiteral("Latin")));
    }

    // Pasted or imported lines: trimmed, blank ones skipped, known ones (any case) skipped, those
    // a class file or the field cannot hold refused and named in one message.
    void collerEtImporterFiltrentLesLignes() {
        InterlocuteurTest boites;
        TFormOptions d;
        TListeEditable* types = d.ListeTypesDeNotes();
        const QStringList avant = types->Elements();
        QApplication::clipboard()->setText(
            QStringLiteral("oral\r\n  Comportement \n\nTEST EN CLASSE"));
        types->Coller();
        QCOMPARE(types->Elements(), avant);
        QVERIFY(boites.boites.isEmpty());

        const QString long101(101, QLatin1Char('x'));
        QApplication::clipboard()->setText(QStringLiteral("  Exposé  \n\t\nŁódź\n") + long101 +
                                           QStringLiteral("\nQuiz"));
        types->Coller();
        QStringList attendus = avant;
        attendus << QStringLiteral("Exposé") << QStringLiteral("Quiz");
        std::sort(attendus.begin(), attendus.end(), &TListeEditable::AvantDans);
        QCOMPARE(types->Elements(), attendus);
        QCOMPARE(boites.boites.size(), 1);
        QVERIFY(boites.boites.at(0).texte.contains(QStringLiteral("Łódź")));
        QVERIFY(boites.boites.at(0).texte.contains(QStringLiteral("plus de 100 caractères")));

        // Import: UTF-8, else Windows-1252.
        QTemporaryDir dossier;
        const QString utf8 = dossier.filePath("utf8.txt");
        const QString ansi = dossier.filePath("ansi.txt");
        QVERIFY(TavTest::EcrireFichier(utf8, QStringLiteral("Dictée\r\nÉcoute\r\n").toUtf8()));
        QVERIFY(TavTest::EcrireFichier(ansi, QByteArray("R\xE9"
                                                        "daction\r\n\x80 pr\xEAt\r\n")));
        boites.boites.clear();
        boites.fichiersChoisis = {utf8};
        types->Importer();
        boites.fichiersChoisis = {ansi};
        types->Importer();
        QVERIFY(boites.boites.isEmpty());
        for (const char* nom : {"Dictée", "Écoute", "Rédaction", "€ prêt"})
            QVERIFY2(types->Elements().contains(QString::fromUtf8(nom)), nom);
        QCOMPARE(boites.demandes.at(0).titre,
                 QStringLiteral("Sélectionnez le fichier texte contenant la liste des types de "
                                "notes"));
    }

    void exporterUnNomParLigne() {
        QTemporaryDir dossier;
        const QString chemin = dossier.filePath("matieres.txt");
        struct Repondeur : InterlocuteurTest {
            QString chemin;
            QString FichierAEnregistrer(QWidget*, const TDemandeFichier& d) override {
                demandes.append(d);
                return chemin;
            }
        } repondeur;
        repondeur.chemin = chemin;
        TFormOptions d;
        d.ListeMatieres()->Exporter();
        QCOMPARE(repondeur.demandes.at(0).titre,
                 QStringLiteral("Sélectionnez le fichier texte où sauver la liste des matières"));
        QFile f(chemin);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QStringList lignes =
            TListeEditable::DecoderTexte(f.readAll()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lignes, Options::ChargerMatieres());
    }

    void colorationDesNotesDecocheeGardeLesCouleurs() {
        Options::ModifierCouleur1Note(0x00123456);
        {
            TFormOptions d;
            QVERIFY(Montrer(&d));
            d.AllerA(QStringLiteral("Couleur des notes"));
            auto* coloration = Enfant<QCheckBox>(&d, "CaseColorationNote");
            QVERIFY(coloration->isChecked());
            coloration->click();
            for (const char* nom :
                 {"Couleur1Note", "Couleur1NoteDefaut", "Couleur4Note", "Couleur4NoteDefaut"})
                QVERIFY2(!Enfant<QWidget>(&d, nom)->isEnabled(), nom);
            QVERIFY(Enfant<QWidget>(&d, "CouleurLignesPaires")->isEnabled()); // another page
            coloration->click();
            // Tab goes row by row: each colour, then its "Couleur par défaut".
            Enfant<QWidget>(&d, "Couleur1Note")->setFocus();
            for (const char* nom : {"Couleur1NoteDefaut", "Couleur2Note", "Couleur2NoteDefaut"})
                QCOMPARE(Tab(&d)->objectName(), QString::fromLatin1(nom));
            Cliquer(&d, "Couleur3NoteDefaut");
            coloration->click();
        }
        QVERIFY(!Options::ColorationNote());
        QCOMPARE(Options::Couleur1Note(), 0x00123456);
        QCOMPARE(Options::Couleur3Note(), Options::Couleur3NoteParDefaut());
    }

    void typesDePeriodes() {
        InterlocuteurTest boites;
        TFormOptions d;
        QVERIFY(Montrer(&d));
        d.AllerA(QStringLiteral("Types de périodes"));
        auto* schemas = Enfant<QListWidget>(&d, "ListeSchemas");
        auto* nom = Enfant<QLineEdit>(&d, "EditSchema");
        auto* sous = Enfant<QListWidget>(&d, "ListeSousPeriodes");
        auto* champSous = Enfant<QLineEdit>(&d, "EditSousPeriode");
        QCOMPARE(Lignes(schemas), (QStringList{"Trimestres", "Semestres", "Mois"}));
        // Built-in schemes cannot be deleted nor renamed.
        QVERIFY(!Enfant<QPushButton>(&d, "BoutonSupprimerSchema")->isEnabled());
        sous->setCurrentRow(0);
        QVERIFY(!champSous->isEnabled());

        // Names that would shadow a scheme or break its key are refused.
        for (const char* refuse : {"trimestres", "A/B", "C\\D"}) {
            boites.boites.clear();
            nom->setText(QString::fromUtf8(refuse));
            Cliquer(&d, "BoutonAjouterSchema");
            QCOMPARE(schemas->count(), 3);
            QCOMPARE(boites.boites.size(), 1);
        }
        QCOMPARE(Options::NomsSchemasPeriodes().size(), 3);

        nom->setText(QStringLiteral("Bimestres"));
        nom->setFocus();
        QCOMPARE(Tab(&d), Enfant<QSpinBox>(&d, "NombreSousPeriodes"));
        QCOMPARE(Tab(&d), schemas);
        QCOMPARE(Tab(&d), Enfant<QPushButton>(&d, "BoutonAjouterSchema"));
        Enfant<QSpinBox>(&d, "NombreSousPeriodes")->setValue(3);
        Cliquer(&d, "BoutonAjouterSchema");
        QCOMPARE(schemas->currentItem()->text(), QStringLiteral("Bimestres"));
        QVERIFY(Enfant<QPushButton>(&d, "BoutonSupprimerSchema")->isEnabled());
        sous->setCurrentRow(1);
        QVERIFY(champSous->isEnabled());
        QCOMPARE(champSous->selectedText(), QStringLiteral("Bimestres 2"));
        // Emptied or named as another sub-period, the sub-period keeps its name.
        const QStringList trois = {"Bimestres 1", "Bimestres 2", "Bimestres 3"};
        QTest::keyClick(champSous, Qt::Key_Backspace);
        QCOMPARE(Options::NomsSousPeriodes(QStringLiteral("Bimestres")), trois);
        QApplication::clipboard()->setText(QStringLiteral(" bimestres 3"));
        QTest::keyClick(champSous, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(champSous->text(), QStringLiteral(" bimestres 3"));
        QCOMPARE(Options::NomsSousPeriodes(QStringLiteral("Bimestres")), trois);
        QCOMPARE(Lignes(sous), trois);
        champSous->selectAll();
        TaperTexte(champSous, QStringLiteral("Noël"));
        QCOMPARE(Options::NomsSousPeriodes(QStringLiteral("Bimestres")),
                 (QStringList{"Bimestres 1", "Noël", "Bimestres 3"}));
        QCOMPARE(Lignes(sous), (QStringList{"Bimestres 1", "Noël", "Bimestres 3"}));

        boites.boites.clear();
        boites.reponses = {true};
        Cliquer(&d, "BoutonSupprimerSchema");
        QCOMPARE(boites.boites.at(0).texte,
                 QStringLiteral("Supprimer le type de période : \"Bimestres\" ?"));
        QCOMPARE(Options::NomsSchemasPeriodes().size(), 3);
        QCOMPARE(sous->count(), 0);
    }

    void ongletsEtRappelSuiventLeurCase() {
        Options::ModifierOngletClasses(0);
        Options::ModifierFrequenceRappel(0);
        {
            TFormOptions d;
            QVERIFY(Montrer(&d));
            d.AllerA(QStringLiteral("Onglets"));
            auto* onglets = Enfant<QCheckBox>(&d, "CaseOngletsClasses");
            QVERIFY(Enfant<QWidget>(&d, "ApercuOnglets")->isVisible());
            onglets->click();
            QVERIFY(!Enfant<QWidget>(&d, "ApercuOnglets")->isVisible());
            QVERIFY(!Enfant<QWidget>(&d, "BoiteTypeOnglets")->isEnabled());
            QVERIFY(!Enfant<QWidget>(&d, "CaseMatiereOnglets")->isEnabled());
            Enfant<QRadioButton>(&d, "OngletClasses2")->setChecked(true);
            auto* rappel = Enfant<QCheckBox>(&d, "CaseRappelSauvegarde");
            rappel->click();
            QVERIFY(!Enfant<QWidget>(&d, "BoiteFrequenceRappel")->isEnabled());
            Enfant<QRadioButton>(&d, "FrequenceRappel1")->setChecked(true);
        }
        // Written only while their box is checked.
        QVERIFY(!Options::AfficherOngletsClasses());
        QCOMPARE(Options::OngletClasses(), quint8(0));
        QVERIFY(!Options::RappelSauvegarde());
        QCOMPARE(Options::FrequenceRappel(), quint8(0));
    }

    void historiqueModifieALaFermetureSeulement() {
        QTemporaryDir dossier;
        QStringList fichiers;
        for (const char* nom : {"a.tav", "b.tav", "c.tav"}) {
            fichiers.append(dossier.filePath(QString::fromLatin1(nom)));
            QVERIFY(TavTest::EcrireFichier(fichiers.last(), "x"));
        }
        Options::EnregistrerHistorique(fichiers);
        const QStringList historique = Options::ChargerHistorique();
        QCOMPARE(historique.size(), 3);
        {
            TFormOptions d;
            auto* liste = Enfant<QListWidget>(&d, "ListeHistorique");
            QCOMPARE(liste->currentRow(), 0);
            QCOMPARE(Enfant<QLabel>(&d, "CheminHistorique")->text(),
                     QDir::toNativeSeparators(historique.at(0)));
            liste->setCurrentRow(1);
            Cliquer(&d, "BoutonSupprimerHistorique");
            QCOMPARE(liste->count(), 2);
            QCOMPARE(liste->currentRow(), 0);
            Cliquer(&d, "BoutonViderHistorique");
            QCOMPARE(liste->count(), 0);
            QCOMPARE(Options::ChargerHistorique().size(), 3);
            Cliquer(&d, "BoutonRetablirHistorique");
            QCOMPARE(liste->count(), 3);
            liste->setCurrentRow(2);
            Cliquer(&d, "BoutonSupprimerHistorique");
        }
        QCOMPARE(Options::ChargerHistorique(), historique.first(2));
    }

    void toutSelectionnerDansLesListesDImpression() {
        TFormOptions d;
        d.AllerA(QStringLiteral("Impression"), QStringLiteral("Grille vierge"));
        QWidget* page = d.findChild<QTabWidget*>("OngletsImpression")->currentWidget();
        auto* liste = Enfant<QListWidget>(page, "ListeInclure2");
        QCOMPARE(liste->count(), 14);
        Cliquer(page, "BoutonToutDeselectionner");
        for (int i = 0; i < liste->count(); ++i)
            QCOMPARE(liste->item(i)->checkState(), Qt::Unchecked);
        liste->item(3)->setCheckState(Qt::Checked);
        d.Enregistrer();
        const TInclureImpression& vierge = Options::InclureImpression(2);
        for (int i = 0; i < vierge.NombreLignes(); ++i)
            QCOMPARE(vierge.Inclure(i), i == 3);
        QVERIFY(Options::InclureImpression(0).Inclure(0)); // the other kinds untouched
    }
};

QTEST_MAIN(TestFormOptions)
#include "tst_formOptions.moc"
