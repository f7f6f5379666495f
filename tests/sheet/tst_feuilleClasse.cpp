// The class sheet: its pages, period tabs, panels and captions, labels, light, grid areas,
// views, clipboard commands, the state of its commands and the settings shared by every class.
#include "../app/soutien_gui.h"
#include "../dialogs/aideDialogues.h"

#include "_FormInformationsSeries.h"
#include "_FormNouvelleSerieDeNotes.h"
#include "_FormReorganiser.h"
#include "_FormTransformerSeries.h"
#include "_TGrilleMoyennes.h"
#include "tavX_nombres.h"
#include "tavX_ongletsClasses.h"
#include "tavX_panneauGrille.h"
#include "tavX_rangeeOnglets.h"
#include "tavX_reglages.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QSplitter>
#include <QStackedWidget>
#include <QTabBar>
#include <QToolButton>

namespace {

QAction* ActionDe(QMenu* menu, const QString& texte) {
    for (QAction* action : menu->actions())
        if (action->text() == texte) return action;
    return nullptr;
}

// The offscreen platform leaves the activation of windows to us.
bool Activer(QWidget* fenetre) {
    fenetre->activateWindow();
    return QTest::qWaitForWindowActive(fenetre);
}

} // namespace

class TestFeuilleClasse : public QObject {
    Q_OBJECT

    std::unique_ptr<TEnvironnementGui> env;
    std::unique_ptr<TFormTavelin2> fenetre;

    TFeuilleClasse* Ouvrir(const QString& classe, int eleves, const QList<int>& series = {}) {
        const QString chemin =
            EcrireClasse(env->Chemin(classe + QStringLiteral(".tav")), classe, eleves, series);
        return fenetre->OuvrirOuMontrer(chemin);
    }

private slots:
    void init() {
        env = std::make_unique<TEnvironnementGui>();
        fenetre = FenetrePrete();
        fenetre->resize(1000, 700);
    }
    void cleanup() {
        TGrilleGeneriqueTavelin::MontrerMenuPourTests() = nullptr;
        TFormTavelin2::Extensions().options = nullptr;
        fenetre.reset();
        env.reset();
    }

    // ---- Current period and panels ------------------------------------------------------------

    void sansSerieLaPremierePeriodeEtLaLegende() {
        TFeuilleClasse* f = Ouvrir(QStringLiteral("vide"), 3);
        QCOMPARE(f->PeriodeCourante(), 1);
        QCOMPARE(f->TabControlGrillesNotes()->Onglet(), 0);
        QVERIFY(f->PanelNotes()->LegendeVisible());
        QCOMPARE(f->PanelNotes()->Legende(),
                 QStringLiteral("Pas de séries de notes pour cette période"));
        QVERIFY(!f->PanelEleves()->LegendeVisible());
    }

    void laDernierePeriodeQuiADesSeries() {
        QCOMPARE(Ouvrir(QStringLiteral("p23"), 2, {0, 2, 1})->PeriodeCourante(), 3);
        TFeuilleClasse* f = Ouvrir(QStringLiteral("p2"), 2, {0, 2, 0});
        QCOMPARE(f->PeriodeCourante(), 2);
        QCOMPARE(f->TabControlGrillesNotes()->Onglet(), 1);
        QVERIFY(!f->PanelNotes()->LegendeVisible());
        // Another period tab: the current period follows, and so do the caption and the labels.
        f->TabControlGrillesNotes()->Choisir(2);
        QCOMPARE(f->PeriodeCourante(), 3);
        QVERIFY(f->PanelNotes()->LegendeVisible());
        QCOMPARE(f->Label1()->text(),
                 QStringLiteral("Troisième trimestre : aucune série de notes - Aucune note"));
    }

    void classeSansEleve() {
        TFeuilleClasse* f = Ouvrir(QStringLiteral("personne"), 0);
        QVERIFY(f->PanelEleves()->LegendeVisible());
        QCOMPARE(f->PanelEleves()->Legende(), QStringLiteral("Pas d'élève dans la classe"));
        QVERIFY(f->PanelElevesGraphe()->LegendeVisible());
        QCOMPARE(f->Label2()->text(), QStringLiteral("personne - aucun élève"));
    }

    // ---- Tabs, pages and labels ---------------------------------------------------------------

    void ongletsDesPeriodesEtPages() {
        TFeuilleClasse* f = Ouvrir(QStringLiteral("t"), 2, {1});
        const QStringList periodes = {QStringLiteral("Premier trimestre"),
                                      QStringLiteral("Deuxième trimestre"),
                                      QStringLiteral("Troisième trimestre")};
        QCOMPARE(f->TabControlGrillesNotes()->Onglets(), periodes);
        QCOMPARE(f->TabControlGraphes()->Onglets(), periodes);
        QCOMPARE(f->TabControlGrillesBilan()->Onglets(),
                 periodes + QStringList{QStringLiteral("Sur l'année")});
        QStringList pages;
        for (int i = 0; i < f->TabSet1()->count(); ++i)
            pages.append(f->TabSet1()->tabText(i));
        QCOMPARE(pages,
                 (QStringList{QStringLiteral("Grilles de &notes"),
                              QStringLiteral("Grilles de &bilans"), QStringLiteral("&Graphes")}));
        // The period tabs are really there, above the grids.
        QVERIFY(f->TabControlGrillesNotes()->Barre()->height() > 0);
        QVERIFY(f->TabControlGrillesNotes()->Barre()->geometry().bottom() <=
                f->TabControlGrillesNotes()->Contenu()->geometry().top());

        // Other pages hide the period and year labels.
        f->TabSet1()->setCurrentIndex(TFeuilleClasse::PageBilans);
        QCOMPARE(f->Pages()->currentIndex(), int(TFeuilleClasse::PageBilans));
        QVERIFY(f->Label1()->isHidden() && f->Label3()->isHidden());
        f->TabSet1()->setCurrentIndex(TFeuilleClasse::PageNotes);
        QVERIFY(!f->Label1()->isHidden() && !f->Label3()->isHidden());
    }

    void placementDesOngletsSelonLesReglages() {
        Options::ModifierOngletsGrillesNotes(1);
        Options::ModifierOngletsGrillesBilans(3);
        Options::ModifierOngletsGraphes(2);
        TFeuilleClasse* f = Ouvrir(QStringLiteral("t"), 1);
        QCOMPARE(f->TabControlGrillesNotes()->Barre()->Forme(), QTabBar::RoundedWest);
        QCOMPARE(f->TabControlGrillesBilan()->Barre()->Forme(), QTabBar::RoundedSouth);
        QCOMPARE(f->TabControlGraphes()->Barre()->Forme(), QTabBar::RoundedEast);
        Options::ModifierOngletsGrillesNotes(9); // unknown: unchanged
        f->NotifOnglets();
        QCOMPARE(f->TabControlGrillesNotes()->Placement(), 1);
    }

    void legendeEtEtiquettes() {
        TFeuilleClasse* f = Ouvrir(QStringLiteral("6e A"), 1, {0, 1});
        QCOMPARE(f->windowTitle(), QStringLiteral("6e A - 6e A.tav"));
        QCOMPARE(f->Label2()->text(), QStringLiteral("6e A - 1 élève"));
        QCOMPARE(f->Label1()->text(),
                 QStringLiteral("Deuxième trimestre : 1 série de notes - Une note"));
        QCOMPARE(f->Label3()->text(), QStringLiteral("Sur l'année : 1 série de notes - Une note"));

        f = Ouvrir(QStringLiteral("4e B"), 12, {2, 3});
        QCOMPARE(f->Label2()->text(), QStringLiteral("4e B - 12 élèves"));
        QCOMPARE(f->Label1()->text(),
                 QStringLiteral("Deuxième trimestre : 3 séries de notes - 36 notes"));
        QCOMPARE(f->Label3()->text(), QStringLiteral("Sur l'année : 5 séries de notes - 60 notes"));

        fenetre->CommandeNouvelleClasse();
        QCOMPARE(fenetre->FeuilleActive()->windowTitle(), QStringLiteral("Nouvelle classe - "));

        // The caption follows the class name.
        f->Fichier().ModifierClasse(QStringLiteral("4e B bis"));
        f->NotifTitre();
        QCOMPARE(f->Label2()->text(), QStringLiteral("4e B bis - 12 élèves"));
        QVERIFY(fenetre->OngletsClasses()->Legendes().contains(QStringLiteral("4e B bis")));
    }

    void voyantRougeOuVert() {
        TFeuilleClasse* f = Ouvrir(QStringLiteral("v"), 2, {1});
        QVERIFY(!f->ImageFeuVert()->isHidden());
        QVERIFY(f->ImageFeuRouge()->isHidden());
        f->Fichier().ModifierNote(1, 1, QStringLiteral("12"), 1);
        fenetre->Top(); // the timer's tick
        QVERIFY(f->ImageFeuVert()->isHidden());
        QVERIFY(!f->ImageFeuRouge()->isHidden());
        QCOMPARE(f->ImageFeuRouge()->toolTip(),
                 QStringLiteral("Fichier modifié : sauvegarde nécessaire"));
        QVERIFY(f->Enregistrer());
        QVERIFY(!f->ImageFeuVert()->isHidden());
    }

    // ---- Grid areas ---------------------------------------------------------------------------

    void equilibrageArrondiAuPair() {
        QCOMPARE(TFeuilleClasse::PartNotesEquilibree(20, 101, 40), 80);
        QCOMPARE(TFeuilleClasse::PartNotesEquilibree(20, 102, 40), 81);
        QCOMPARE(TFeuilleClasse::PartNotesEquilibree(20, 103, 40), 82);
        QCOMPARE(TFeuilleClasse::PartNotesEquilibree(20, 0, 0), 10);
    }

    void agrandirEtReduireLesGrilles() {
        TFeuilleClasse* f = Ouvrir(QStringLiteral("g"), 2, {1});
        QTRY_VERIFY(f->LargeurNotes() > 0);
        const int total = f->LargeurNotes() + f->LargeurMoyennes();
        QVERIFY(qAbs(f->LargeurNotes() - (f->LargeurMoyennes() + 20)) <= 1); // balanced at start

        QTest::mouseClick(f->SpeedButtonMoyennes(), Qt::LeftButton);
        QCOMPARE(f->LargeurNotes(), 0);
        QCOMPARE(f->LargeurMoyennes(), total);
        QVERIFY(!f->SpeedButtonNotes()->isEnabled());
        QTest::mouseClick(f->SpeedButtonMoyennes(), Qt::LeftButton);
        QVERIFY(f->LargeurNotes() > 0);
        QVERIFY(f->SpeedButtonNotes()->isEnabled());

        QTest::mouseClick(f->SpeedButtonNotes(), Qt::LeftButton);
        QCOMPARE(f->LargeurMoyennes(), 0);
        QCOMPARE(f->LargeurNotes(), total);
        QVERIFY(!f->SpeedButtonMoyennes()->isEnabled());
        QTest::mouseClick(f->SpeedButtonEgaliserPanneau(), Qt::LeftButton);
        QCOMPARE(f->LargeurNotes(), TFeuilleClasse::PartNotesEquilibree(20, total, 0));
        QVERIFY(f->SpeedButtonMoyennes()->isEnabled() && f->SpeedButtonNotes()->isEnabled());
    }

    void largeurDesEleves() {
        TFeuilleClasse* f = Ouvrir(QStringLiteral("l"), 2);
        f->NotifLargeurEleves(150);
        QCOMPARE(f->PanelEleves()->width(), 152);
        QCOMPARE(f->PanelElevesGraphe()->maximumWidth(), 152);
    }

    // ---- Menus --------------------------------------------------------------------------------

    void menuVuesChoisitPageEtOnglet() {
        TFeuilleClasse* f = Ouvrir(QStringLiteral("vues"), 2, {1});
        const QList<QAction*> sousMenus = f->MenuVues()->actions();
        QCOMPARE(sousMenus.size(), 3);
        QMenu* bilan = sousMenus.at(1)->menu();
        QCOMPARE(bilan->actions().size(), 4);
        bilan->actions().last()->trigger();
        QCOMPARE(f->Pages()->currentIndex(), int(TFeuilleClasse::PageBilans));
        QCOMPARE(f->TabControlGrillesBilan()->Onglet(), 3);
        sousMenus.at(0)->menu()->actions().at(2)->trigger();
        QCOMPARE(f->Pages()->currentIndex(), int(TFeuilleClasse::PageNotes));
        QCOMPARE(f->PeriodeCourante(), 3);
    }

    void elevesDepuisEtVersLePressePapiers() {
        TFeuilleClasse* f = Ouvrir(QStringLiteral("pp"), 0);
        QApplication::clipboard()->setText(QStringLiteral("Zola Emile\r\n\r\nAbel Ana\r\n"));
        emit f->Menus().at(1)->aboutToShow();
        QAction* coller = f->Menus().at(1)->actions().at(3);
        QVERIFY(coller->isEnabled());
        coller->trigger();
        QCOMPARE(f->Fichier().ListeEleves(),
                 (QStringList{QStringLiteral("Abel Ana"), QStringLiteral("Zola Emile")}));
        QCOMPARE(f->Label2()->text(), QStringLiteral("pp - 2 élèves"));
        emit f->Menus().at(1)->aboutToShow();
        QVERIFY(!coller->isEnabled()); // the class has students now

        QApplication::clipboard()->setText(QStringLiteral("01/02/2012\n03/04/2012"));
        f->CollerDatesNaissance();
        QCOMPARE(f->Fichier().DateNaissance(2), QStringLiteral("03/04/2012"));

        f->CopierListeEleves();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("Abel Ana\r\nZola Emile\r\n"));
    }

    void pasPlusDeCinquanteElevesColles() {
        TFeuilleClasse* f = Ouvrir(QStringLiteral("cinquante"), 0);
        QStringList noms;
        for (int i = 0; i < 53; ++i)
            noms.append(QStringLiteral("Elève %1").arg(i, 2, 10, QLatin1Char('0')));
        QApplication::clipboard()->setText(noms.join(QLatin1Char('\n')));
        f->CollerNomsEleves();
        QCOMPARE(f->Fichier().NombreEleves(), 50);
        QVERIFY(
            env->interlocuteur.DuGenre(QStringLiteral("message"))
                .last()
                .texte.contains(QStringLiteral("L'importation est interrompue à \"Elève 50\".")));
    }

    void commandesDesSeriesSelonLaClasse() {
        TFeuilleClasse* f = Ouvrir(QStringLiteral("g"), 3, {1});
        QMenu* series = f->Menus().at(2);
        emit series->aboutToShow();
        // One series in the year: no series to make from several.
        const QStringList prets = {QStringLiteral("&Ajouter une série de notes ..."),
                                   QStringLiteral("&Supprimer des séries de notes ..."),
                                   QStringLiteral("&Transformer une série de notes ..."),
                                   QStringLiteral("&Réorganiser les séries de notes ..."),
                                   QStringLiteral("&Informations sur les séries de notes ..."),
                                   QStringLiteral("Im&porter une série de notes ..."),
                                   QStringLiteral("Copier des modèles de séries de notes ...")};
        for (QAction* action : series->actions()) {
            if (action->isSeparator()) continue;
            QCOMPARE(action->isEnabled(), prets.contains(action->text()));
        }
    }

    // A series tool refreshes the labels and grids; a rescaled copy shows its period and, when
    // asked, the series information on the copy.
    void outilsDesSeriesRafraichissentLaFeuille() {
        TFeuilleClasse* f = Ouvrir(QStringLiteral("o"), 2, {2, 0, 0});
        QCOMPARE(f->PeriodeCourante(), 1);
        auto deplace = AideDialogues::AuProchainDialogue<TFormReorganiser>([](TFormReorganiser* d) {
            d->ComboBox2()->setCurrentIndex(1);
            d->DeplacerTout();
            d->accept();
        });
        ActionDe(f->Menus().at(2), QStringLiteral("&Réorganiser les séries de notes ..."))
            ->trigger();
        QVERIFY(*deplace);
        QCOMPARE(f->Label1()->text(),
                 QStringLiteral("Premier trimestre : aucune série de notes - Aucune note"));
        QVERIFY(f->PanelNotes()->LegendeVisible());

        int serieMontree = 0;
        auto transforme = AideDialogues::AuProchainDialogue<TFormTransformerSeries>(
            [](TFormTransformerSeries* d) {
                d->Selectionner(2, 1);
                d->ComboBox1()->setCurrentText(QStringLiteral("10"));
                d->CheckBox1()->setChecked(true);
                d->CheckBox3()->setChecked(true);
                d->Transformer();
            });
        auto informations = AideDialogues::AuProchainDialogue<TFormInformationsSeriesDeNotes>(
            [&serieMontree](TFormInformationsSeriesDeNotes* d) {
                serieMontree = d->Periode() * 10 + d->Serie();
                d->accept();
            });
        ActionDe(f->Menus().at(2), QStringLiteral("&Transformer une série de notes ..."))
            ->trigger();
        QVERIFY(*transforme);
        QVERIFY(*informations);
        QCOMPARE(serieMontree, 23);
        QCOMPARE(f->PeriodeCourante(), 2);
        QCOMPARE(f->Fichier().NombreSeries(2), 3);
        QVERIFY(f->Label1()->text().startsWith(
            QStringLiteral("Deuxième trimestre : 3 séries de notes")));
    }

    void recalculerMarqueToutesLesPeriodes() {
        TFeuilleClasse* f = Ouvrir(QStringLiteral("r"), 2, {1, 1});
        for (int p = 1; p <= 3; ++p)
            f->Fichier().MarquerPeriode(p, false);
        QTest::mouseClick(f->SpeedButtonRecalculerMoyennes(), Qt::LeftButton);
        // The period shown is computed again at once; the others when they are shown.
        QCOMPARE(f->PeriodeCourante(), 2);
        QVERIFY(!f->Fichier().PeriodeARecalculer(2));
        QVERIFY(f->Fichier().PeriodeARecalculer(1));
        QVERIFY(f->Fichier().PeriodeARecalculer(3));
        QVERIFY(f->Fichier().MoyenneARecalculer(1, 1));
    }

    // ---- Narrow and wide windows --------------------------------------------------------------

    void ongletsEntiersEtEtiquettesCoupees_data() {
        QTest::addColumn<int>("largeur");
        QTest::newRow("étroite") << 640;
        QTest::newRow("large") << 1600;
    }
    void ongletsEntiersEtEtiquettesCoupees() {
        QFETCH(int, largeur);
        const bool etroite = largeur < 1000;
        // A class with monthly periods: twelve period tabs.
        TFichierTav mensuelle;
        mensuelle.InitialiserClasse(QStringLiteral("Mois"), QStringLiteral("Bulletins par défaut"));
        mensuelle.ModifierClasse(QStringLiteral("3e Mensuelle, groupe de soutien du mardi"));
        mensuelle.AjouterEleve(QStringLiteral("Abel Ana"), QString(), false);
        const QString chemin = env->Chemin(QStringLiteral("mensuelle.tav"));
        mensuelle.Enregistrer(chemin);
        TFeuilleClasse* f = fenetre->OuvrirOuMontrer(chemin);
        fenetre->resize(largeur, 600);
        QTRY_VERIFY(qAbs(f->width() - largeur) < 60);

        // The page tabs stay whole; the labels give way, their whole text in the tooltip.
        QTabBar* pages = f->TabSet1();
        for (int i = 0; i < pages->count(); ++i) {
            const QRect onglet = pages->tabRect(i).translated(pages->mapTo(f, QPoint()));
            QVERIFY2(f->rect().contains(onglet), qPrintable(pages->tabText(i)));
        }
        QLabel* etiquette = f->Label1();
        QCOMPARE(etiquette->text(),
                 QStringLiteral("Septembre : aucune série de notes - Aucune note"));
        etiquette->grab();
        QCOMPARE(etiquette->toolTip(), etroite ? etiquette->text() : QString());
        QVERIFY(etiquette->geometry().right() < f->width());

        // The period tabs on as many lines as needed, all in sight, the chosen one's line next
        // to the grids.
        TBarreOnglets* barre = f->TabControlGrillesNotes()->Barre();
        QCOMPARE(barre->NombreLignes() > 1, etroite);
        for (int i = 0; i < barre->Nombre(); ++i)
            QVERIFY(barre->rect().contains(barre->RectOnglet(i)));
        QCOMPARE(barre->RectOnglet(0).bottom(), barre->height() - 1);
        QTRY_VERIFY(barre->geometry().bottom() < f->TabControlGrillesNotes()->Contenu()->y());
        // A tab of another line, clicked: its period, its line next to the grids.
        const int autre = barre->Nombre() - 2;
        QTest::mouseClick(barre, Qt::LeftButton, {}, barre->RectOnglet(autre).center());
        QCOMPARE(f->PeriodeCourante(), autre + 1);
        QCOMPARE(barre->RectOnglet(autre).bottom(), barre->height() - 1);
        QCOMPARE(barre->RectOnglet(0).top(), etroite ? 0 : barre->RectOnglet(autre).top());
        // The keyboard, as on a tab bar.
        QTest::keyClick(barre, Qt::Key_Right);
        QCOMPARE(f->PeriodeCourante(), autre + 2);
        QTest::keyClick(barre, Qt::Key_Home);
        QCOMPARE(f->PeriodeCourante(), 1);
    }

    // ---- Settings shared by every class -------------------------------------------------------

    void reglagesSuivisParToutesLesClasses_data() {
        QTest::addColumn<int>("colonne"); // averages column right-clicked; -1: options dialog
        QTest::addColumn<int>("commande");
        QTest::newRow("échelle") << 0 << int(TGrilleMoyennesTavelin::CmdSur10);
        QTest::newRow("arrondi") << 1 << int(TGrilleMoyennesTavelin::CmdArrondiDemi);
        QTest::newRow("dialogue des options") << -1 << 0;
    }
    void reglagesSuivisParToutesLesClasses() {
        QFETCH(int, colonne);
        QFETCH(int, commande);
        TFeuilleClasse* b = Ouvrir(QStringLiteral("B"), 2, {2});
        // 7,65 on 20: another scale and the half-point rounding both change it.
        b->Fichier().ModifierNote(1, 1, QStringLiteral("12,3"), 1);
        QVERIFY(b->Enregistrer());
        b->RafraichirGrilles(false);
        auto* moyennesB = dynamic_cast<TGrilleMoyennesTavelin*>(b->Grilles().moyennes);
        QCOMPARE(moyennesB->Cellule(0, 1), QStringLiteral("7,65"));
        TFeuilleClasse* a = Ouvrir(QStringLiteral("A"), 2, {1});
        QCOMPARE(fenetre->FeuilleActive(), a);
        QSignalSpy fin(&TReglages::Instance(), &TReglages::modificationsTerminees);

        if (colonne < 0) {
            TFormTavelin2::Extensions().options = [](QWidget*) {
                Options::ModifierMoyennesSur(10);
                Options::ModifierArrondirMoyennes(Tav::ArrondiDemi);
            };
            a->CommandeOptions();
        } else {
            QMenu* menu = nullptr;
            TGrilleGeneriqueTavelin::MontrerMenuPourTests() = [&menu](QMenu* m) { menu = m; };
            auto* moyennesA = dynamic_cast<TGrilleMoyennesTavelin*>(a->Grilles().moyennes);
            QTest::mousePress(moyennesA->WidgetCellule(1), Qt::RightButton, {},
                              moyennesA->RectCellule(colonne, 1).center());
            QVERIFY(menu);
            for (QAction* action : menu->actions())
                if (action->data().toInt() == commande) action->trigger();
        }

        // The other class shows, and its class file object holds, what a class opened now
        // would.
        const TFichierTav relue(b->CheminFichier());
        const int mode = Options::ArrondirMoyennes();
        QCOMPARE(moyennesB->Cellule(0, 0),
                 QStringLiteral("Moyenne brute sur ") + QString::number(relue.MoyennesSur()));
        for (int s = 1; s <= 2; ++s) {
            QCOMPARE(b->Fichier().MoyenneBrute(1, s), relue.MoyenneBrute(1, s));
            QCOMPARE(moyennesB->Cellule(0, s), relue.MoyenneBrute(1, s));
            QCOMPARE(moyennesB->Cellule(1, s), relue.MoyenneArrondie(1, s, mode));
        }
        QVERIFY(moyennesB->Cellule(std::max(colonne, 0), 1) != QStringLiteral("7,65"));
        // The dialog's two changes end in one refresh of each sheet.
        QCOMPARE(fin.count(), 1);
    }

    // ---- Commands and their shortcuts ---------------------------------------------------------

    void ajouterUneSerieAuClavierMemePendantUneSaisie() {
        fenetre->CommandeNouvelleClasse();
        TFeuilleClasse* f = fenetre->FeuilleActive();
        QVERIFY(Activer(fenetre.get()));
        QMenu* series = f->Menus().at(2);
        QAction* ajouter = ActionDe(series, QStringLiteral("&Ajouter une série de notes ..."));
        emit series->aboutToShow(); // the teacher looked at the menu before adding students
        QVERIFY(!ajouter->isEnabled());

        QApplication::clipboard()->setText(QStringLiteral("Abel Ana\nZola Emile\n"));
        f->CollerNomsEleves();
        QVERIFY(ajouter->isEnabled());
        auto ajoutee = AideDialogues::AuProchainDialogue<TFormNouvelleSerieDeNotes>(
            [](TFormNouvelleSerieDeNotes* d) {
                Activer(d);
                AideDialogues::TaperTexte(d->ComboBox1(), QStringLiteral("Interro"));
                if (QWidget* liste = QApplication::activePopupWidget()) liste->close();
                QTest::mouseClick(d->BoutonOk(), Qt::LeftButton);
            });
        QTest::keyClick(f, Qt::Key_Insert, Qt::ControlModifier);
        QVERIFY(*ajoutee);
        QCOMPARE(f->Fichier().NombreSeries(1), 1);

        // A mark being typed in the new column: Ctrl+Insert stores it, then opens the dialog.
        QVERIFY(Activer(fenetre.get()));
        QTRY_VERIFY(f->Grilles().notes->Widget()->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), '1');
        QTest::keyClick(QApplication::focusWidget(), '5');
        QVERIFY(qobject_cast<QLineEdit*>(QApplication::focusWidget()));
        auto annulee = AideDialogues::AuProchainDialogue<TFormNouvelleSerieDeNotes>(
            [](TFormNouvelleSerieDeNotes* d) { d->reject(); });
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Insert, Qt::ControlModifier);
        QVERIFY(*annulee);
        QCOMPARE(f->Fichier().Note(1, 1, 1), QStringLiteral("15"));
        QCOMPARE(f->Fichier().NombreSeries(1), 1);
    }
};

QTEST_MAIN(TestFeuilleClasse)
#include "tst_feuilleClasse.moc"
