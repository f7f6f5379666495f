// A teacher's first day, through the sheet's own menus and dialogs: create a class, type its
// students, add two series, type marks, read the averages, save, close, reopen from the history.
#include "../app/soutien_gui.h"
#include "../dialogs/aideDialogues.h"

#include "_FormCreerListeEleves.h"
#include "_FormEdit.h"
#include "_FormInformationsSeries.h"
#include "_FormModifierEleve.h"
#include "_FormNouvelleClasse.h"
#include "_FormNouvelleSerieDeNotes.h"
#include "_TGrilleGenerique.h"
#include "tavX_ongletsClasses.h"
#include "tavX_panneauGrille.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>

using namespace AideDialogues;

namespace {

// Opens the menu holding the item (so that its items are enabled as they would be on screen)
// and triggers it.
bool Declencher(TFeuilleClasse* f, const QString& texte, const QString& sousMenu = {}) {
    for (QMenu* menu : f->findChildren<QMenu*>()) {
        if (!sousMenu.isEmpty() && menu->title() != sousMenu) continue;
        for (QAction* action : menu->actions()) {
            if (action->text() != texte) continue;
            emit menu->aboutToShow();
            if (!action->isEnabled()) return false;
            action->trigger();
            return true;
        }
    }
    return false;
}

void TaperEleve(TFormCreerListeEleves* d, const QString& nom, const QString& date = {},
                bool redoublant = false) {
    d->EditNomEtPrenom()->setFocus();
    TaperTexte(d->EditNomEtPrenom(), nom);
    if (!date.isEmpty()) {
        QTest::keyClick(d->EditNomEtPrenom(), Qt::Key_Tab);
        TaperTexte(d->EditDate(), date);
    }
    if (redoublant) d->CheckBoxRedoublant()->setChecked(true);
    QTest::keyClick(d->EditNomEtPrenom(), Qt::Key_Return);
}

// A window manager gives the keyboard to a dialog as it opens; the offscreen platform leaves
// that to us.
void Activer(QWidget* dialogue) {
    dialogue->activateWindow();
    if (!QTest::qWaitForWindowActive(dialogue)) qWarning("dialogue inactif");
}

// Typing into a list with completion may open the completion pop-up, which then takes the keys
// (Enter would pick from it instead of confirming the dialog); a teacher would close it first.
void FermerCompletion() {
    if (QWidget* liste = QApplication::activePopupWidget()) liste->close();
}

int Ligne(QListWidget* liste, const QString& debut) {
    for (int i = 0; i < liste->count(); ++i)
        if (liste->item(i)->text().startsWith(debut)) return i;
    return -1;
}

} // namespace

class TestPremierJour : public QObject {
    Q_OBJECT

    std::unique_ptr<TEnvironnementGui> env;
    std::unique_ptr<TFormTavelin2> fenetre;

    TGrilleGeneriqueTavelin* Notes(TFeuilleClasse* f) {
        return dynamic_cast<TGrilleGeneriqueTavelin*>(f->Grilles().notes);
    }

    // Adds a series through "&Ajouter une série de notes ..." (Ctrl+Insert).
    void AjouterSerie(TFeuilleClasse* f, const QString& titre, const QString& coefficient,
                      const QString& noteSur, bool compte) {
        QString erreur;
        auto fait = AuProchainDialogue<TFormNouvelleSerieDeNotes>(
            [=, &erreur](TFormNouvelleSerieDeNotes* d) {
                Activer(d);
                // Whatever goes wrong, the dialog is closed: a failed check must not leave it
                // open.
                if (d->windowTitle() != QStringLiteral("Nouvelle série de notes"))
                    erreur = d->windowTitle();
                TaperTexte(d->ComboBox1(), titre);
                FermerCompletion();
                if (!ChoisirDansListe(d->ComboBox2(), coefficient)) erreur = coefficient;
                if (!ChoisirDansListe(d->ComboBox5(), noteSur)) erreur = noteSur;
                if (!compte) QTest::mouseClick(d->BoutonNon(), Qt::LeftButton);
                // "&Ok" with the mouse: Enter in the title would first take the completion.
                if (erreur.isEmpty())
                    QTest::mouseClick(d->BoutonOk(), Qt::LeftButton);
                else
                    d->reject();
            });
        QVERIFY(Declencher(f, QStringLiteral("&Ajouter une série de notes ...")));
        QVERIFY(*fait);
        QVERIFY2(erreur.isEmpty(), qPrintable(erreur));
        // The window comes back to the front once the dialog is gone (the window manager's
        // part, which the offscreen platform leaves to us), and the keyboard focus with it.
        f->window()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f->window()));
        QTRY_VERIFY(Notes(f) && Notes(f)->hasFocus());
    }

    // Types marks down the current column, one Enter after each.
    void TaperNotes(TGrilleGeneriqueTavelin* grille, const QStringList& notes) {
        for (const QString& note : notes) {
            // Each key goes where the keyboard focus is at that moment (the first one opens the
            // cell's editor).
            for (const QChar c : note)
                QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        }
        QVERIFY(grille);
    }

private slots:
    void init() {
        env = std::make_unique<TEnvironnementGui>();
        fenetre = FenetrePrete();
        fenetre->resize(1100, 750);
        fenetre->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(fenetre.get()));
    }
    void cleanup() {
        fenetre.reset();
        env.reset();
    }

    void nouvelleClasseAnnuleeNeLaissePasDeFeuille() {
        TFormTavelin2::Extensions().nouvelleClasse = nullptr;
        auto fait = AuProchainDialogue<TFormNouvelleClasse>(
            [](TFormNouvelleClasse* d) { QTest::keyClick(d->EditClasse(), Qt::Key_Escape); });
        fenetre->CommandeNouvelleClasse();
        QVERIFY(*fait);
        QVERIFY(fenetre->Feuilles().isEmpty());
        QCOMPARE(fenetre->OngletsClasses()->Nombre(), 0);
    }

    void unPremierJourComplet() {
        // The class: semesters, the three-column report cards.
        TFormTavelin2::Extensions().nouvelleClasse = nullptr;
        auto classe = AuProchainDialogue<TFormNouvelleClasse>([](TFormNouvelleClasse* d) {
            Activer(d);
            QCOMPARE(d->windowTitle(), QStringLiteral("Nouvelle classe"));
            QTest::keyClicks(d->EditClasse(), QStringLiteral("5e C"));
            TaperTexte(d->ComboBoxMatiere(), QStringLiteral("Histoire"));
            FermerCompletion();
            QVERIFY(ChoisirDansListe(d->ComboBoxOrganisationAnnee(), QStringLiteral("Semestres")));
            QVERIFY(ChoisirDansListe(d->ComboBoxBulletins(),
                                     QStringLiteral("Nouveaux bulletins du collège")));
            QTest::keyClick(d->EditClasse(), Qt::Key_Return);
        });
        fenetre->CommandeNouvelleClasse();
        QVERIFY(*classe);
        QCOMPARE(fenetre->Feuilles().size(), 1);
        TFeuilleClasse* f = fenetre->FeuilleActive();
        QCOMPARE(f->NomClasse(), QStringLiteral("5e C"));
        QCOMPARE(f->Fichier().ListePeriodes(), (QStringList{QStringLiteral("Premier semestre"),
                                                            QStringLiteral("Deuxième semestre")}));
        QCOMPARE(f->Fichier().NombreColonnesBulletin(), 3);
        QCOMPARE(fenetre->OngletsClasses()->Legendes(), QStringList{QStringLiteral("5e C")});
        QVERIFY(f->PanelEleves()->LegendeVisible());

        // Four students, one repeating, one with a birth date; remove one, modify one.
        auto liste = AuProchainDialogue<TFormCreerListeEleves>([this](TFormCreerListeEleves* d) {
            Activer(d);
            TaperEleve(d, QStringLiteral("MARTIN Léa"));
            TaperEleve(d, QStringLiteral("DUPONT Jean"), QStringLiteral("03/04/2012"));
            TaperEleve(d, QStringLiteral("ÉMERY Paul"), {}, true);
            TaperEleve(d, QStringLiteral("BERNARD Zoé"));
            QListWidget* l = d->ListBoxEleves();
            QTest::mouseClick(
                l->viewport(), Qt::LeftButton, {},
                l->visualItemRect(l->item(Ligne(l, QStringLiteral("BERNARD")))).center());
            env->interlocuteur.reponses = {true};
            QTest::mouseClick(d->BoutonSupprimer(), Qt::LeftButton);
            auto modifie = AuProchainDialogue<TFormModifierEleve>([](TFormModifierEleve* m) {
                Activer(m);
                TaperTexte(m->ChampNom(), QStringLiteral("AUBERT Léa"));
                QTest::keyClick(m->ChampNom(), Qt::Key_Return);
            });
            const QRect martin = l->visualItemRect(l->item(Ligne(l, QStringLiteral("MARTIN"))));
            QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, martin.center());
            QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, martin.center());
            QVERIFY(*modifie);
            QCOMPARE(d->LabelNombre()->text(), QStringLiteral("3 élèves"));
            QTest::mouseClick(d->BoutonOk(), Qt::LeftButton);
        });
        QVERIFY(Declencher(f, QStringLiteral("C&réer  ...")));
        QVERIFY(*liste);
        TFichierTav& fichier = f->Fichier();
        QCOMPARE(fichier.ListeEleves(),
                 (QStringList{QStringLiteral("AUBERT Léa"), QStringLiteral("DUPONT Jean"),
                              QStringLiteral("ÉMERY Paul")}));
        QCOMPARE(fichier.DateNaissance(2), QStringLiteral("03/04/2012"));
        QVERIFY(fichier.EstRedoublant(3));
        QVERIFY(!f->PanelEleves()->LegendeVisible());
        QCOMPARE(f->Label2()->text(), QStringLiteral("5e C - 3 élèves"));
        // The list exists: "C&réer  ..." is no longer offered.
        QVERIFY(!Declencher(f, QStringLiteral("C&réer  ...")));

        // A series on 10, coefficient 2, that does not count; then one on 20 that counts.
        AjouterSerie(f, QStringLiteral("Interro"), QStringLiteral("2"), QStringLiteral("10"),
                     false);
        QCOMPARE(fichier.NombreSeries(1), 1);
        QCOMPARE(fichier.CompteDansMoyenne(1, 1), QStringLiteral("non"));
        TGrilleGeneriqueTavelin* notes = Notes(f);
        QVERIFY(notes);
        QVERIFY(notes->isVisible());
        // Ready for typing: the first student's cell of the new column has the focus.
        QCOMPARE(notes->ColonneCourante(), 0);
        QCOMPARE(notes->LigneCourante(), 1);
        QVERIFY(notes->hasFocus());
        TaperNotes(notes, {QStringLiteral("8"), QStringLiteral("5"), QStringLiteral("abs")});
        QCOMPARE(fichier.Note(1, 1, 1), QStringLiteral("8"));
        QCOMPARE(fichier.Note(1, 1, 2), QStringLiteral("5"));
        QCOMPARE(fichier.Note(1, 1, 3), QStringLiteral("abs"));
        // The series does not count: no average yet.
        QCOMPARE(fichier.MoyenneBrute(1, 1), QString());

        AjouterSerie(f, QStringLiteral("Contrôle"), QStringLiteral("1"), QStringLiteral("20"),
                     true);
        QCOMPARE(fichier.NombreSeries(1), 2);
        QCOMPARE(notes->ColonneCourante(), 1);
        QCOMPARE(notes->LigneCourante(), 1);
        TaperNotes(notes, {QStringLiteral("12"), QStringLiteral("15,5"), QStringLiteral("9")});
        QCOMPARE(fichier.MoyenneBrute(1, 1), QStringLiteral("12,00"));
        QCOMPARE(fichier.MoyenneBrute(1, 2), QStringLiteral("15,50"));
        QCOMPARE(fichier.MoyenneBrute(1, 3), QStringLiteral("9,00"));

        // Counting the first series too: (8 × 2 + 12) / (10 × 2 + 20) × 20 = 14.
        // The information dialog stores at once: the average changes while it is open.
        auto infos = AuProchainDialogue<TFormInformationsSeriesDeNotes>(
            [&fichier](TFormInformationsSeriesDeNotes* d) {
                Activer(d);
                QCOMPARE(d->ListBoxSeries()->count(), 2);
                d->Selectionner(1, 1);
                QCOMPARE(d->Edit1()->text(), QStringLiteral("Interro"));
                QVERIFY(d->BoutonNon()->isChecked());
                QTest::mouseClick(d->BoutonOui(), Qt::LeftButton);
                QCOMPARE(fichier.CompteDansMoyenne(1, 1), QStringLiteral("oui"));
                QCOMPARE(fichier.MoyenneBrute(1, 1), QStringLiteral("14,00"));
                QTest::mouseClick(d->BoutonFermer(), Qt::LeftButton);
            });
        QVERIFY(Declencher(f, QStringLiteral("&Informations sur les séries de notes ...")));
        QVERIFY(*infos);
        QCOMPARE(fichier.MoyenneBrute(1, 1), QStringLiteral("14,00"));

        // A last mark typed but not confirmed: saving with Ctrl+S keeps it.
        f->window()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f->window()));
        notes->setFocus();
        notes->SelectionnerCellule(1, 3);
        QTest::keyClick(notes, Qt::Key_1);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_1);
        QVERIFY(notes->Editeur());
        QCOMPARE(fichier.Note(1, 2, 3), QStringLiteral("9"));

        // Save, close, reopen from the history: everything is there.
        const QString chemin = env->Chemin(QStringLiteral("5e C.tav"));
        env->interlocuteur.aEnregistrer = {chemin};
        QVERIFY(Declencher(f, QStringLiteral("Enregi&strer")));
        QCOMPARE(fichier.Note(1, 2, 3), QStringLiteral("11"));
        QVERIFY(QFileInfo::exists(chemin));
        QVERIFY(!fichier.EstModifie());
        f->SousFenetre()->close();
        QApplication::processEvents();
        QVERIFY(fenetre->Feuilles().isEmpty());
        QCOMPARE(Options::ChargerHistorique(), QStringList{chemin});
        // The history's entry of the main window's "&Fichier" menu, after "&Quitter".
        const QList<QAction*> actions = fenetre->MenuFichier()->actions();
        const qsizetype quitter = actions.indexOf(fenetre->ActionQuitter());
        QVERIFY(quitter >= 0 && quitter + 2 < actions.size());
        QVERIFY(actions.at(quitter + 1)->isSeparator());
        actions.at(quitter + 2)->trigger();
        QCOMPARE(fenetre->Feuilles().size(), 1);
        TFeuilleClasse* g = fenetre->FeuilleActive();
        QCOMPARE(QFileInfo(g->CheminFichier()), QFileInfo(chemin));
        const TFichierTav& relu = g->Fichier();
        QCOMPARE(relu.Classe(), QStringLiteral("5e C"));
        QCOMPARE(relu.Matiere(), QStringLiteral("Histoire"));
        QCOMPARE(relu.NombrePeriodes(), 2);
        QCOMPARE(relu.NombreColonnesBulletin(), 3);
        QCOMPARE(relu.ListeEleves(), fichier.ListeEleves());
        QCOMPARE(relu.DateNaissance(2), QStringLiteral("03/04/2012"));
        QVERIFY(relu.EstRedoublant(3));
        QCOMPARE(relu.NombreSeries(1), 2);
        QCOMPARE(relu.NoteSur(1, 1), QStringLiteral("10"));
        QCOMPARE(relu.Coefficient(1, 1), QStringLiteral("2"));
        QCOMPARE(relu.Note(1, 2, 2), QStringLiteral("15,5"));
        QCOMPARE(relu.Note(1, 2, 3), QStringLiteral("11"));
        QCOMPARE(relu.MoyenneBrute(1, 1), QStringLiteral("14,00"));
        QCOMPARE(relu.MoyenneBrute(1, 3), QStringLiteral("11,00"));
    }

    void informationsSurLaClasseRafraichitLesLegendes() {
        TFeuilleClasse* f = fenetre->OuvrirOuMontrer(
            EcrireClasse(env->Chemin(QStringLiteral("a.tav")), QStringLiteral("6e A"), 2));
        auto fait = AuProchainDialogue<TFormNouvelleClasse>([](TFormNouvelleClasse* d) {
            Activer(d);
            QCOMPARE(d->windowTitle(), QStringLiteral("Informations sur la classe"));
            QVERIFY(!d->ComboBoxOrganisationAnnee()->isEnabled());
            TaperTexte(d->EditClasse(), QStringLiteral("6e A bis"));
            QTest::keyClick(d->EditClasse(), Qt::Key_Return);
        });
        QVERIFY(Declencher(f, QStringLiteral("Infor&mations sur la classe ...")));
        QVERIFY(*fait);
        QCOMPARE(f->Fichier().Classe(), QStringLiteral("6e A bis"));
        QCOMPARE(f->Label2()->text(), QStringLiteral("6e A bis - 2 élèves"));
        QVERIFY(f->windowTitle().startsWith(QStringLiteral("6e A bis - ")));
        QCOMPARE(fenetre->OngletsClasses()->Legendes(), QStringList{QStringLiteral("6e A bis")});
        QVERIFY(f->Fichier().EstModifie());
    }

    void serieImporteeDepuisUnFichierTexte() {
        TFeuilleClasse* f = fenetre->OuvrirOuMontrer(
            EcrireClasse(env->Chemin(QStringLiteral("b.tav")), QStringLiteral("6e B"), 3, {1}));
        const QString texte = env->Chemin(QStringLiteral("notes.txt"));
        QFile sortie(texte);
        QVERIFY(sortie.open(QIODevice::WriteOnly));
        sortie.write("12.5\r\nabs\r\n");
        sortie.close();
        env->interlocuteur.aOuvrir = {QStringList{texte}};
        auto fait = AuProchainDialogue<TFormNouvelleSerieDeNotes>([](TFormNouvelleSerieDeNotes* d) {
            Activer(d);
            QCOMPARE(d->windowTitle(),
                     QStringLiteral("Informations sur la série de notes à importer"));
            TaperTexte(d->ComboBox1(), QStringLiteral("Importée"));
            FermerCompletion();
            QTest::mouseClick(d->BoutonOk(), Qt::LeftButton);
        });
        QVERIFY(Declencher(f, QStringLiteral("depuis un fichier texte"),
                           QStringLiteral("Im&porter une série de notes ...")));
        QVERIFY(*fait);
        const TFichierTav& fichier = f->Fichier();
        QCOMPARE(fichier.NombreSeries(1), 2);
        QCOMPARE(fichier.Note(1, 2, 1), QStringLiteral("12,5"));
        QCOMPARE(fichier.Note(1, 2, 2), QStringLiteral("abs"));
        QCOMPARE(fichier.Note(1, 2, 3), QString());
        TGrilleGeneriqueTavelin* notes = Notes(f);
        QVERIFY(notes);
        QCOMPARE(notes->ColonneCourante(), 1);
        QCOMPARE(notes->LigneCourante(), 1);
    }
};

QTEST_MAIN(TestPremierJour)
#include "tst_premierJour.moc"
