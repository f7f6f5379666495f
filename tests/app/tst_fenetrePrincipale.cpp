// The main window: start-up sequence, opening classes, class tabs, file history, status bar,
// window commands and the orderly close.
#include "soutien_gui.h"

#include "_FormPatientez.h"
#include "tavX_conseils.h"
#include "tavX_ongletsClasses.h"
#include "tavX_programme.h"

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTabBar>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>

namespace {

// Counts the please-wait windows shown while it lives.
class TGuetteurPatientez : public QObject {
public:
    TGuetteurPatientez() { qApp->installEventFilter(this); }
    ~TGuetteurPatientez() override { qApp->removeEventFilter(this); }
    int affichages = 0;
    int maximum = -1;
    bool eventFilter(QObject* objet, QEvent* evenement) override {
        if (evenement->type() == QEvent::Show) {
            if (auto* patientez = qobject_cast<TFormPatientez*>(objet)) {
                ++affichages;
                maximum = patientez->Barre()->maximum();
            }
        }
        return false;
    }
};

QStringList Chemins(const QList<TFeuilleClasse*>& feuilles) {
    QStringList chemins;
    for (const TFeuilleClasse* f : feuilles)
        chemins.append(QFileInfo(f->CheminFichier()).fileName());
    return chemins;
}

QList<QAction*> ElementsHistorique(QMenu* menu, QAction* quitter) {
    QList<QAction*> elements;
    const QList<QAction*> actions = menu->actions();
    for (qsizetype i = actions.indexOf(quitter) + 1; i < actions.size(); ++i)
        if (!actions.at(i)->isSeparator()) elements.append(actions.at(i));
    return elements;
}

} // namespace

class TestFenetrePrincipale : public QObject {
    Q_OBJECT

    std::unique_ptr<TEnvironnementGui> env;

private slots:
    void init() { env = std::make_unique<TEnvironnementGui>(); }
    void cleanup() {
        TFormTavelin2::Extensions() = {};
        env.reset();
    }

    // ---- Start-up -----------------------------------------------------------------------------

    void ligneDeCommandeOuvreLesFichiersDuDossierCourant() {
        EcrireClasse(env->Chemin(QStringLiteral("6eA.tav")), QStringLiteral("6e A"), 3);
        EcrireClasse(env->Chemin(QStringLiteral("5eB.tav")), QStringLiteral("5e B"), 2);
        Options::ModifierAuDemarrage(2); // ignored when files are named
        auto fenetre = FenetrePrete(
            {QStringLiteral("6eA.tav"), QStringLiteral("absent.tav"), QStringLiteral("5eB.tav")},
            env->dossier.path());
        QCOMPARE(Chemins(fenetre->Feuilles()),
                 (QStringList{QStringLiteral("5eB.tav"), QStringLiteral("6eA.tav")}));
        // The last one opened stays in front when the window becomes active.
        QVERIFY(QTest::qWaitForWindowActive(fenetre.get()));
        QCOMPARE(Chemins(fenetre->Feuilles()).first(), QStringLiteral("5eB.tav"));
        QCOMPARE(fenetre->Feuilles().first()->CheminFichier(),
                 QFileInfo(env->Chemin(QStringLiteral("5eB.tav"))).absoluteFilePath());
        QVERIFY(env->interlocuteur.DuGenre(QStringLiteral("ouvrir")).isEmpty());
        QVERIFY(env->interlocuteur.DuGenre(QStringLiteral("message")).isEmpty());
    }

    void argumentAvecDossierGardeSonDossier() {
        QDir(env->dossier.path()).mkdir(QStringLiteral("classes"));
        const QString chemin =
            EcrireClasse(env->Chemin(QStringLiteral("classes/4eC.tav")), QStringLiteral("4e C"), 1);
        auto fenetre = FenetrePrete({QStringLiteral("classes/4eC.tav")}, env->dossier.path());
        QCOMPARE(fenetre->Feuilles().size(), 1);
        QCOMPARE(fenetre->Feuilles().first()->CheminFichier(), chemin);
    }

    void premierTopApres100msPuisChaqueSeconde() {
        EcrireClasse(env->Chemin(QStringLiteral("a.tav")), QStringLiteral("A"), 1);
        TFormTavelin2 fenetre({QStringLiteral("a.tav")}, env->dossier.path());
        QVERIFY(fenetre.PremierTopEnAttente());
        QVERIFY(!fenetre.Timer1().isActive());
        fenetre.show();
        QCOMPARE(fenetre.Timer1().interval(), 100);
        QTRY_VERIFY(!fenetre.PremierTopEnAttente());
        QCOMPARE(fenetre.Feuilles().size(), 1);
        QCOMPARE(fenetre.Timer1().interval(), 1000);
    }

    void argumentInexistantMontreQuandMemeConseilsRappelEtMiseAJour() {
        Options::ModifierAfficherConseils(true);
        Options::ModifierRappelSauvegarde(true);
        Options::ModifierFrequenceRappel(1);
        Options::ModifierRappelMiseAJourDisponible(true);
        Options::AjouterFichierHistorique(
            EcrireClasse(env->Chemin(QStringLiteral("h.tav")), QStringLiteral("H"), 1));
        int rappels = 0, miseAJour = 0;
        TFormTavelin2::Extensions().rappelSauvegarde = [&](QWidget*) { ++rappels; };
        TFormTavelin2::Extensions().miseAJour = [&](QWidget*) { ++miseAJour; };
        QString conseilVu;
        QTimer::singleShot(0, this, [&] {
            auto* conseils =
                qobject_cast<TFormConseilsDemarrage*>(QApplication::activeModalWidget());
            if (!conseils) return;
            conseilVu = conseils->Compteur();
            conseils->accept();
        });
        auto fenetre = FenetrePrete({QStringLiteral("absent.tav")}, env->dossier.path());
        QVERIFY(fenetre->Feuilles().isEmpty());
        QCOMPARE(conseilVu, QStringLiteral("1/21"));
        QCOMPARE(rappels, 1);
        QCOMPARE(miseAJour, 1);
    }

    void rappelSauvegardeSelonCompteurEtHistorique() {
        Options::ModifierRappelSauvegarde(true);
        Options::ModifierFrequenceRappel(0);
        Options::ModifierNumeroRappel(9);
        int rappels = 0;
        TFormTavelin2::Extensions().rappelSauvegarde = [&](QWidget*) { ++rappels; };
        FenetrePrete();
        QCOMPARE(int(Options::NumeroRappel()), 10);
        QCOMPARE(rappels, 0);
        // The tenth start reminds, but only with a history.
        FenetrePrete();
        QCOMPARE(int(Options::NumeroRappel()), 1);
        QCOMPARE(rappels, 0);
        Options::ModifierNumeroRappel(10);
        Options::AjouterFichierHistorique(
            EcrireClasse(env->Chemin(QStringLiteral("h.tav")), QStringLiteral("H"), 1));
        FenetrePrete();
        QCOMPARE(rappels, 1);
    }

    void auDemarrage2OuvreLaBoiteDOuverture() {
        Options::ModifierAuDemarrage(2);
        const QString a =
            EcrireClasse(env->Chemin(QStringLiteral("a.tav")), QStringLiteral("A"), 1);
        env->interlocuteur.aOuvrir.append({a});
        auto fenetre = FenetrePrete();
        const auto demandes = env->interlocuteur.demandes;
        QCOMPARE(demandes.size(), 1);
        QCOMPARE(demandes.first().titre, QStringLiteral("Ouvrir un fichier Tavelin"));
        QVERIFY(demandes.first().plusieurs);
        QCOMPARE(FiltresQt(demandes.first().filtre),
                 QStringList{QStringLiteral("Fichier Tavelin (*.tav)")});
        QCOMPARE(fenetre->Feuilles().size(), 1);
        QCOMPARE(fenetre->DossierOuverture(), env->dossier.path());
    }

    void auDemarrage1SansDerniersFichiersNAfficheRien() {
        Options::ModifierAuDemarrage(1);
        TGuetteurPatientez guetteur;
        auto fenetre = FenetrePrete();
        QCOMPARE(guetteur.affichages, 0);
        QVERIFY(fenetre->Feuilles().isEmpty());
    }

    void fermerPuisRouvrirRetrouveLesClassesEtLaClasseDevant() {
        QStringList chemins;
        for (const QString& nom : {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")})
            chemins.append(EcrireClasse(env->Chemin(nom + QStringLiteral(".tav")), nom, 2));
        {
            auto fenetre = FenetrePrete();
            for (const QString& c : chemins)
                fenetre->OuvrirOuMontrer(c);
            fenetre->OuvrirOuMontrer(chemins.at(1)); // "b" in front
            QCOMPARE(fenetre->Feuilles().first()->NomClasse(), QStringLiteral("b"));
            QVERIFY(fenetre->close());
        }
        QCOMPARE(Options::ChargerDerniersFichiers().last(), chemins.at(1));
        QFile::remove(chemins.at(0)); // a vanished file is skipped
        Options::ModifierAuDemarrage(1);
        TGuetteurPatientez guetteur;
        auto fenetre = FenetrePrete();
        QCOMPARE(guetteur.affichages, 1);
        QCOMPARE(guetteur.maximum, 2);
        QCOMPARE(fenetre->Feuilles().size(), 2);
        QCOMPARE(fenetre->Feuilles().first()->NomClasse(), QStringLiteral("b"));
    }

    // ---- Opening ------------------------------------------------------------------------------

    void ouvrirDeuxFoisMontreLaFeuilleSansLaDoubler() {
        const QString a =
            EcrireClasse(env->Chemin(QStringLiteral("Classe.tav")), QStringLiteral("A"), 1);
        const QString b =
            EcrireClasse(env->Chemin(QStringLiteral("b.tav")), QStringLiteral("B"), 1);
        auto fenetre = FenetrePrete();
        TFeuilleClasse* premiere = fenetre->OuvrirOuMontrer(a);
        fenetre->OuvrirOuMontrer(b);
        QCOMPARE(fenetre->FeuilleActive()->NomClasse(), QStringLiteral("B"));
        // Another case of the same path names the same class.
        QString autreCasse = a;
        autreCasse.replace(QStringLiteral("Classe.tav"), QStringLiteral("CLASSE.TAV"));
        QCOMPARE(fenetre->OuvrirOuMontrer(autreCasse), premiere);
        QCOMPARE(fenetre->Feuilles().size(), 2);
        QCOMPARE(fenetre->FeuilleActive(), premiere);
        // Several files chosen at once in the open dialog.
        env->interlocuteur.aOuvrir.append({a, b});
        fenetre->CommandeOuvrir();
        QCOMPARE(fenetre->Feuilles().size(), 2);
        QCOMPARE(fenetre->FeuilleActive()->NomClasse(), QStringLiteral("B"));
    }

    void fichierInvalideDitPourquoiEtNOuvreRien() {
        const QString chemin = env->Chemin(QStringLiteral("faux.tav"));
        QFile faux(chemin);
        QVERIFY(faux.open(QIODevice::WriteOnly));
        faux.write("\x07PasTavn\x03"
                   "2.3");
        faux.close();
        auto fenetre = FenetrePrete();
        QVERIFY(!fenetre->OuvrirOuMontrer(chemin));
        QVERIFY(fenetre->Feuilles().isEmpty());
        QCOMPARE(fenetre->OngletsClasses()->Nombre(), 0);
        const auto messages = env->interlocuteur.DuGenre(QStringLiteral("message"));
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages.first().texte.startsWith(QStringLiteral("Le fichier ") +
                                                  QDir::toNativeSeparators(chemin) +
                                                  QStringLiteral(" n'est pas un fichier Tavelin "
                                                                 "valide.")));
        QCOMPARE(messages.first().icone, TIcone::Erreur);
        QCOMPARE(messages.first().titre, QStringLiteral("Tavelin"));
        QVERIFY(!fenetre->BoutonEnregistrer()->isEnabled());
    }

    void nouvelleClasseAvecLesValeursParDefaut() {
        auto fenetre = FenetrePrete();
        fenetre->CommandeNouvelleClasse();
        QCOMPARE(fenetre->Feuilles().size(), 1);
        TFeuilleClasse* f = fenetre->Feuilles().first();
        QCOMPARE(f->NomClasse(), QStringLiteral("Nouvelle classe"));
        QVERIFY(f->CheminFichier().isEmpty());
        QCOMPARE(f->Fichier().NombrePeriodes(), 3);
        QVERIFY(f->Fichier().EstModifie());
        // A new class adds nothing to the history.
        QVERIFY(Options::ChargerHistorique().isEmpty());
        QVERIFY(fenetre->BoutonEnregistrer()->isEnabled());
    }

    void nouvelleClasseAnnuleeNeLaissePasDeFeuille() {
        auto fenetre = FenetrePrete();
        TFormTavelin2::Extensions().nouvelleClasse = [](TFichierTav&, QWidget*) { return false; };
        fenetre->CommandeNouvelleClasse();
        QVERIFY(fenetre->Feuilles().isEmpty());
        QCOMPARE(fenetre->OngletsClasses()->Nombre(), 0);
        QVERIFY(env->interlocuteur.echanges.isEmpty());
        TFormTavelin2::Extensions().nouvelleClasse = [](TFichierTav& classe, QWidget*) {
            classe.ModifierClasse(QStringLiteral("6e Z"));
            classe.InitialiserClasse(QStringLiteral("Semestres"), classe.TypeBulletins());
            return true;
        };
        fenetre->CommandeNouvelleClasse();
        QCOMPARE(fenetre->OngletsClasses()->Legendes(), QStringList{QStringLiteral("6e Z")});
        QCOMPARE(fenetre->FeuilleActive()->Fichier().NombrePeriodes(), 2);
    }

    // ---- Class tabs ---------------------------------------------------------------------------

    void ongletsClassesSelonLesReglages() {
        const QString a = EcrireClasse(env->Chemin(QStringLiteral("a.tav")), QStringLiteral("6e A"),
                                       1, {}, QStringLiteral("Anglais"), QStringLiteral("Mme Roy"));
        const QString b = EcrireClasse(env->Chemin(QStringLiteral("b.tav")), QStringLiteral("5e B"),
                                       1, {}, QStringLiteral("Latin"), QStringLiteral("M. Noir"));
        auto fenetre = FenetrePrete();
        fenetre->OuvrirOuMontrer(a);
        fenetre->OuvrirOuMontrer(b);
        TOngletsClasses* onglets = fenetre->OngletsClasses();
        // Back-most first; the front one selected.
        QCOMPARE(onglets->Legendes(),
                 (QStringList{QStringLiteral("6e A"), QStringLiteral("5e B")}));
        QCOMPARE(onglets->Selection(), 1);
        QCOMPARE(fenetre->CheminsOnglets(), (QStringList{a, b}));

        Options::ModifierAfficherMatiereOnglets(true);
        fenetre->NotifOngletsClasses();
        QCOMPARE(onglets->Legende(0), QStringLiteral("6e A - Anglais"));
        Options::ModifierAfficherNomEnseignantOnglets(true);
        fenetre->NotifOngletsClasses();
        QCOMPARE(onglets->Legende(1), QStringLiteral("5e B - Latin - M. Noir"));
        Options::ModifierAfficherMatiereOnglets(false);
        fenetre->NotifOngletsClasses();
        QCOMPARE(onglets->Legende(0), QStringLiteral("6e A - Mme Roy"));
        fenetre->CommandeNouvelleClasse(); // no subject, no teacher
        QCOMPARE(onglets->Legende(2), QStringLiteral("Nouvelle classe"));
        QVERIFY(fenetre->FeuilleActive()->SousFenetre()->close());

        // Choosing a tab brings its sheet to the front, and the sheet selects its tab.
        onglets->Choisir(0);
        QCOMPARE(fenetre->FeuilleActive()->NomClasse(), QStringLiteral("6e A"));
        QCOMPARE(onglets->Selection(), 0);

        Options::ModifierOngletClasses(2);
        fenetre->NotifOngletsClasses();
        QCOMPARE(onglets->Style(), 2);
        QVERIFY(onglets->findChild<QTabBar*>());
        QTRY_VERIFY(onglets->geometry().top() > fenetre->Zone()->geometry().top());
        Options::ModifierOngletClasses(0);
        fenetre->NotifOngletsClasses();
        QTRY_VERIFY(!onglets->findChild<QTabBar*>());
        QVERIFY(onglets->findChild<QToolButton*>()->autoRaise());
        QTRY_VERIFY(onglets->geometry().top() < fenetre->Zone()->geometry().top());
        Options::ModifierOngletClasses(7); // unknown: unchanged
        fenetre->NotifOngletsClasses();
        QCOMPARE(onglets->Style(), 0);

        Options::ModifierAfficherOngletsClasses(false);
        fenetre->NotifOngletsClasses();
        QVERIFY(!onglets->isVisible());
    }

    void deuxNouvellesClassesOntChacuneLeurOnglet() {
        auto fenetre = FenetrePrete();
        fenetre->CommandeNouvelleClasse();
        fenetre->CommandeNouvelleClasse();
        TFeuilleClasse* devant = fenetre->FeuilleActive();
        TFeuilleClasse* derriere = fenetre->Feuilles().last();
        QVERIFY(devant != derriere);
        fenetre->OngletsClasses()->Choisir(0);
        QCOMPARE(fenetre->FeuilleActive(), derriere);
        fenetre->OngletsClasses()->Choisir(1);
        QCOMPARE(fenetre->FeuilleActive(), devant);
    }

    void fermerUneFeuilleRetireSonOnglet() {
        const QString a =
            EcrireClasse(env->Chemin(QStringLiteral("a.tav")), QStringLiteral("A"), 1);
        const QString b =
            EcrireClasse(env->Chemin(QStringLiteral("b.tav")), QStringLiteral("B"), 1);
        auto fenetre = FenetrePrete();
        fenetre->OuvrirOuMontrer(a);
        fenetre->OuvrirOuMontrer(b);
        fenetre->Feuilles().last()->SousFenetre()->close();
        QCOMPARE(fenetre->OngletsClasses()->Legendes(), QStringList{QStringLiteral("B")});
        QVERIFY(fenetre->BoutonEnregistrer()->isEnabled());
        fenetre->Feuilles().first()->SousFenetre()->close();
        QCOMPARE(fenetre->OngletsClasses()->Nombre(), 0);
        QVERIFY(!fenetre->BoutonEnregistrer()->isEnabled());
    }

    // ---- History ------------------------------------------------------------------------------

    void historiqueDansLeMenuFichier() {
        const QString a =
            EcrireClasse(env->Chemin(QStringLiteral("a.tav")), QStringLiteral("A"), 1);
        const QString b =
            EcrireClasse(env->Chemin(QStringLiteral("b.tav")), QStringLiteral("B"), 1);
        auto fenetre = FenetrePrete();
        QVERIFY(ElementsHistorique(fenetre->MenuFichier(), fenetre->ActionQuitter()).isEmpty());
        fenetre->OuvrirOuMontrer(a);
        fenetre->OuvrirOuMontrer(b);
        QCOMPARE(Options::ChargerHistorique(), (QStringList{a, b}));
        const auto elements = ElementsHistorique(fenetre->MenuFichier(), fenetre->ActionQuitter());
        QCOMPARE(elements.size(), 2);
        QCOMPARE(elements.at(0)->text(), QDir::toNativeSeparators(a));
        QCOMPARE(elements.at(0)->shortcut(), QKeySequence(QStringLiteral("Alt+0")));
        QCOMPARE(elements.at(1)->shortcut(), QKeySequence(QStringLiteral("Alt+1")));
        // The sheet's own menu lists the same files.
        TFeuilleClasse* feuille = fenetre->FeuilleActive();
        const auto actionsFeuille = feuille->MenuFichier()->actions();
        QAction* quitter = nullptr;
        for (QAction* action : actionsFeuille)
            if (action->text() == QStringLiteral("&Quitter")) quitter = action;
        QCOMPARE(ElementsHistorique(feuille->MenuFichier(), quitter).size(), 2);

        // An item opens its file, or brings its sheet to the front.
        fenetre->FeuilleActive()->SousFenetre()->close();
        ElementsHistorique(fenetre->MenuFichier(), fenetre->ActionQuitter()).at(1)->trigger();
        QCOMPARE(fenetre->FeuilleActive()->NomClasse(), QStringLiteral("B"));
        ElementsHistorique(fenetre->MenuFichier(), fenetre->ActionQuitter()).at(0)->trigger();
        QCOMPARE(fenetre->Feuilles().size(), 2);
        QCOMPARE(fenetre->FeuilleActive()->NomClasse(), QStringLiteral("A"));
    }

    void historiqueDeDouzeFichiersEtSansHistorique() {
        Options::ModifierNbFichiersHistorique(12);
        for (int i = 0; i < 12; ++i)
            Options::AjouterFichierHistorique(EcrireClasse(
                env->Chemin(QStringLiteral("c%1.tav").arg(i)), QStringLiteral("C"), 1));
        auto fenetre = FenetrePrete();
        const auto elements = ElementsHistorique(fenetre->MenuFichier(), fenetre->ActionQuitter());
        QCOMPARE(elements.size(), 12);
        QCOMPARE(elements.at(9)->shortcut(), QKeySequence(QStringLiteral("Alt+9")));
        QCOMPARE(elements.at(10)->shortcut(), QKeySequence(QStringLiteral("Ctrl+0")));
        QCOMPARE(elements.at(11)->shortcut(), QKeySequence(QStringLiteral("Ctrl+1")));
        Options::ModifierUtiliserHistorique(false);
        fenetre->NotifHistorique();
        QCOMPARE(fenetre->MenuFichier()->actions().last(), fenetre->ActionQuitter());
    }

    // ---- Status bar, tool bar, menus ----------------------------------------------------------

    void dateEtHeureDeLaBarreDeStatut() {
        QCOMPARE(TFormTavelin2::TexteDate(QDate(2006, 9, 4)),
                 QStringLiteral("lundi 4 septembre 2006"));
        QCOMPARE(TFormTavelin2::TexteHeure(QTime(9, 5, 7)), QStringLiteral("9 h 05 mn 07 s"));
        QCOMPARE(TFormTavelin2::TexteHeure(QTime(23, 59, 0)), QStringLiteral("23 h 59 mn 00 s"));
        auto fenetre = FenetrePrete();
        QVERIFY(
            fenetre->PanneauDate()->text().endsWith(QString::number(QDate::currentDate().year())));
        QVERIFY(!fenetre->BarreDeProgression()->isVisible());
        Options::ModifierAfficherDate(false);
        Options::ModifierAfficherHeure(false);
        fenetre->Top();
        QVERIFY(fenetre->PanneauDate()->text().isEmpty());
        QCOMPARE(fenetre->PanneauDate()->width(), 25);
        QCOMPARE(fenetre->PanneauHeure()->width(), 25);
    }

    void boutonsEtMenusSelonLesFeuilles() {
        const QString a =
            EcrireClasse(env->Chemin(QStringLiteral("a.tav")), QStringLiteral("A"), 1);
        auto fenetre = FenetrePrete();
        QVERIFY(!fenetre->BoutonEnregistrer()->isEnabled());
        QVERIFY(!fenetre->BoutonImprimer()->isEnabled());
        QCOMPARE(fenetre->menuBar()->actions().first()->menu(), fenetre->MenuFichier());
        QMenu* fenetres = fenetre->MenuFenetres();
        emit fenetres->aboutToShow();
        QVERIFY(!fenetres->actions().first()->isEnabled());

        fenetre->OuvrirOuMontrer(a);
        QVERIFY(fenetre->BoutonEnregistrer()->isEnabled());
        // The sheet's menus replace "Fichier" and "Outils"; "Fenêtres" and "Aide" stay.
        QStringList titres;
        for (QAction* action : fenetre->menuBar()->actions())
            titres.append(action->text());
        QCOMPARE(titres,
                 (QStringList{QStringLiteral("&Fichier"), QStringLiteral("&Liste des élèves"),
                              QStringLiteral("&Série de notes"), QStringLiteral("G&raphes"),
                              QStringLiteral("&Vues"), QStringLiteral("&Outils"),
                              QStringLiteral("F&enêtres"), QStringLiteral("&Aide")}));
        QCOMPARE(fenetre->menuBar()->actions().first()->menu(),
                 fenetre->FeuilleActive()->MenuFichier());
        emit fenetres->aboutToShow();
        QVERIFY(fenetres->actions().first()->isEnabled());
        QVERIFY(fenetres->actions().last()->text().endsWith(QStringLiteral("A - a.tav")));

        fenetre->ToutFermer();
        QVERIFY(fenetre->Feuilles().isEmpty());
        QVERIFY(!fenetre->BoutonEnregistrer()->isEnabled());
        QVERIFY(!fenetre->BoutonImprimer()->isEnabled());
        QTRY_COMPARE(fenetre->menuBar()->actions().first()->menu(), fenetre->MenuFichier());
    }

    void mosaiquesEtReduction() {
        auto fenetre = FenetrePrete();
        fenetre->resize(900, 700);
        fenetre->CommandeNouvelleClasse();
        fenetre->CommandeNouvelleClasse();
        fenetre->MosaiqueVerticale();
        const QList<QMdiSubWindow*> sous = fenetre->Zone()->subWindowList(QMdiArea::CreationOrder);
        QCOMPARE(sous.at(0)->geometry().top(), sous.at(1)->geometry().top());
        QVERIFY(sous.at(0)->geometry().right() < sous.at(1)->geometry().left());
        fenetre->MosaiqueHorizontale();
        QCOMPARE(sous.at(0)->geometry().left(), sous.at(1)->geometry().left());
        QVERIFY(sous.at(0)->geometry().bottom() < sous.at(1)->geometry().top());
        fenetre->ToutReduire();
        QVERIFY(sous.at(0)->isMinimized() && sous.at(1)->isMinimized());
    }

    // ---- Tools and help -----------------------------------------------------------------------

    void recupererUnFichierBak() {
        const QString tav =
            EcrireClasse(env->Chemin(QStringLiteral("6eA.tav")), QStringLiteral("6e A"), 4);
        const QString bak = env->Chemin(QStringLiteral("copie.bak"));
        QVERIFY(QFile::copy(tav, bak));
        const QString cible = env->Chemin(QStringLiteral("recuperee.tav"));
        env->interlocuteur.aOuvrir.append({bak});
        env->interlocuteur.aEnregistrer.append(cible);
        auto fenetre = FenetrePrete();
        fenetre->CommandeRecupererBak();
        QCOMPARE(env->interlocuteur.demandes.at(0).extensionParDefaut, QStringLiteral("bak"));
        QCOMPARE(env->interlocuteur.demandes.at(1).titre,
                 QStringLiteral("Enregistrer le fichier de sauvegarde \"copie.bak\""));
        TFichierTav relue(cible);
        QVERIFY(relue.EstValide());
        QCOMPARE(relue.NombreEleves(), 4);
        QCOMPARE(env->interlocuteur.DuGenre(QStringLiteral("message")).last().texte,
                 QStringLiteral("Le fichier \"copie.bak\" a été récupéré avec succés."));
        QVERIFY(fenetre->Feuilles().isEmpty());

        QFile abime(env->Chemin(QStringLiteral("abime.bak")));
        QVERIFY(abime.open(QIODevice::WriteOnly));
        abime.write("n'importe quoi");
        abime.close();
        env->interlocuteur.aOuvrir.append({abime.fileName()});
        fenetre->CommandeRecupererBak();
        const auto dernier = env->interlocuteur.DuGenre(QStringLiteral("message")).last();
        QCOMPARE(dernier.texte,
                 QStringLiteral("Le fichier \"abime.bak\" n'est pas un fichier Tavelin "
                                "valide. Impossible de récupérer ce fichier."));
        QCOMPARE(dernier.icone, TIcone::Erreur);
    }

    void calculatriceAideEtLisezMoi() {
        auto fenetre = FenetrePrete();
        const QByteArray ancienPath = qgetenv("PATH");
        QTemporaryDir outils;
        qputenv("PATH", outils.path().toLocal8Bit());
        fenetre->CommandeCalculatrice();
        QCOMPARE(env->interlocuteur.DuGenre(QStringLiteral("message")).size(), 1);
        QFile calculatrice(outils.filePath(QStringLiteral("galculator")));
        QVERIFY(calculatrice.open(QIODevice::WriteOnly));
        calculatrice.write("#!/bin/sh\n");
        calculatrice.close();
        calculatrice.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        fenetre->CommandeCalculatrice();
        qputenv("PATH", ancienPath);
        QCOMPARE(env->interlocuteur.DuGenre(QStringLiteral("programme")).value(0).titre,
                 calculatrice.fileName());
    }

    // F1 opens the guide shipped with the program, without internet: in the desktop's browser,
    // or in a window of the program's own when there is none; a missing guide says where it
    // should be.
    void aideHorsLigne() {
        const QString dossier = Programme::Dossier() + QStringLiteral("aide");
        QDir(dossier).removeRecursively();
        auto fenetre = FenetrePrete();
        fenetre->CommandeAide();
        QCOMPARE(env->interlocuteur.DuGenre(QStringLiteral("message")).size(), 1);
        QVERIFY(env->interlocuteur.DuGenre(QStringLiteral("url")).isEmpty());

        QVERIFY(QDir().mkpath(dossier));
        QVERIFY(QFile::copy(QStringLiteral(TAV_SOURCE_DIR "/docs/aide/index.html"),
                            dossier + QStringLiteral("/index.html")));
        QAction* f1 = nullptr;
        for (QAction* action : fenetre->findChildren<QAction*>())
            if (action->shortcut() == QKeySequence(Qt::Key_F1)) f1 = action;
        QVERIFY(f1);
        f1->trigger();
        const QUrl guide(env->interlocuteur.DuGenre(QStringLiteral("url")).value(0).texte);
        QVERIFY(guide.isLocalFile());
        QVERIFY(guide.toLocalFile().endsWith(QStringLiteral("aide/index.html")));
        QVERIFY(!fenetre->FenetreAide());

        env->interlocuteur.lancementReussi = false;
        fenetre->CommandeAide();
        QDialog* aide = fenetre->FenetreAide();
        QVERIFY(aide && aide->isVisible());
        auto* texte = aide->findChild<QTextBrowser*>();
        QVERIFY(texte);
        for (const QString& partie :
             {QStringLiteral("Le premier jour"), QStringLiteral("La fin de la période"),
              QStringLiteral("Les fichiers")})
            QVERIFY(texte->toPlainText().contains(partie));
        QDir(dossier).removeRecursively();
    }

    void lisezMoiSansVisionneurDansUneFenetreDuProgramme() {
        // The read-me file beside the program, as installed.
        const QString lisezMoi = Programme::Dossier() + QStringLiteral("lisezmoi.txt");
        QFile::remove(lisezMoi);
        QVERIFY(QFile::copy(QStringLiteral(TAV_SOURCE_DIR "/src/app/lisezmoi.txt"), lisezMoi));
        auto fenetre = FenetrePrete();
        fenetre->CommandeLisezMoi();
        QCOMPARE(env->interlocuteur.DuGenre(QStringLiteral("url")).size(), 1);
        QVERIFY(!fenetre->FenetreLisezMoi());

        // No program of the desktop opens text files: a window of ours, read-only.
        env->interlocuteur.lancementReussi = false;
        fenetre->CommandeLisezMoi();
        QDialog* texte = fenetre->FenetreLisezMoi();
        QVERIFY(texte && texte->isVisible());
        QVERIFY(texte->windowTitle().startsWith(QStringLiteral("Fichier lisez-moi")));
        auto* zone = texte->findChild<QPlainTextEdit*>();
        QVERIFY(zone && zone->isReadOnly());
        QVERIFY(zone->toPlainText().contains(QStringLiteral("Fichier lisez-moi")));
        QVERIFY(env->interlocuteur.DuGenre(QStringLiteral("message")).isEmpty());
        QTest::keyClick(zone, Qt::Key_Escape);
        QTRY_VERIFY(!fenetre->FenetreLisezMoi());
        QFile::remove(lisezMoi);
    }
};

QTEST_MAIN(TestFenetrePrincipale)
#include "tst_fenetrePrincipale.moc"
