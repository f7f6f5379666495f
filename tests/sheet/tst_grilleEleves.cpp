// The student grid of the grades page, the student list of the graph page, the student chooser
// and the sheet's student commands.
#include "../app/soutien_gui.h"

#include "_FormHint.h"
#include "_FormListeEleves.h"
#include "_FormModifierEleve.h"
#include "_TGrilleEleves.h"
#include "tavX_listeColoree.h"
#include "tavX_panneauGrille.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include <functional>

namespace {

// Acts on the modal dialog of type T as soon as it is the active one.
template <typename T> void QuandOuvert(std::function<void(T*)> action, int essais = 2000) {
    QTimer::singleShot(0, qApp, [action, essais] {
        if (auto* d = qobject_cast<T*>(QApplication::activeModalWidget()))
            action(d);
        else if (essais > 0)
            QuandOuvert<T>(action, essais - 1);
        else if (auto* autre = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            autre->reject(); // not the dialog expected: the test fails instead of waiting
    });
}

// Types a text as the keyboard would, accented letters included.
void Taper(QWidget* w, const QString& texte) {
    for (const QChar c : texte) {
        if (c.unicode() < 0x80)
            QTest::keyClick(w, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

void Cliquer(TGrilleGeneriqueTavelin* g, Qt::MouseButton bouton, int colonne, int ligne) {
    QTest::mouseClick(g->WidgetCellule(ligne), bouton, {}, g->RectCellule(colonne, ligne).center());
}

// The items of a menu, "-" for a separator.
QStringList Textes(const QMenu* menu) {
    QStringList textes;
    for (const QAction* a : menu->actions())
        textes.append(a->isSeparator() ? QStringLiteral("-") : a->text());
    return textes;
}

QAction* ActionNumero(const QMenu* menu, int numero) {
    for (QAction* a : menu->actions())
        if (!a->isSeparator() && a->data().toInt() == numero) return a;
    return nullptr;
}

QAction* ActionDeMenu(TFeuilleClasse* f, const QString& texte) {
    QMenu* eleves = f->Menus().at(1);
    emit eleves->aboutToShow();
    for (QAction* a : eleves->actions())
        if (a->text() == texte) return a;
    return nullptr;
}

} // namespace

class TestGrilleEleves : public QObject {
    Q_OBJECT

    std::unique_ptr<TEnvironnementGui> env;
    std::unique_ptr<TFormTavelin2> fenetre;
    QPointer<QMenu> menu;

    TFeuilleClasse* Ouvrir(const QString& classe, int eleves, const QList<int>& series = {}) {
        const QString chemin =
            EcrireClasse(env->Chemin(classe + QStringLiteral(".tav")), classe, eleves, series);
        return fenetre->OuvrirOuMontrer(chemin);
    }
    static TGrilleElevesTavelin* Grille(TFeuilleClasse* f) {
        return dynamic_cast<TGrilleElevesTavelin*>(f->Grilles().eleves);
    }
    static TGrilleElevesGrapheTavelin* Graphe(TFeuilleClasse* f) {
        return dynamic_cast<TGrilleElevesGrapheTavelin*>(f->Grilles().elevesGraphe);
    }
    // Right-click on a cell of the student grid; the turbo menu opened (null when none).
    QMenu* MenuTurbo(TGrilleElevesTavelin* g, int colonne, int ligne) {
        menu = nullptr;
        Cliquer(g, Qt::RightButton, colonne, ligne);
        return menu;
    }

private slots:
    void init() {
        env = std::make_unique<TEnvironnementGui>();
        fenetre = FenetrePrete();
        fenetre->resize(1000, 700);
        TGrilleGeneriqueTavelin::MontrerMenuPourTests() = [this](QMenu* m) { menu = m; };
    }
    void cleanup() {
        TGrilleGeneriqueTavelin::MontrerMenuPourTests() = {};
        TFormHint::Cacher();
        fenetre.reset();
        env.reset();
    }

    // ---- Contents and look --------------------------------------------------------------------

    void sansEleveLaGrilleEstCachee() {
        TFeuilleClasse* f = Ouvrir(QStringLiteral("vide"), 0);
        TGrilleElevesTavelin* g = Grille(f);
        QVERIFY(g && Graphe(f));
        QVERIFY(!g->isVisible());
        QVERIFY(f->PanelEleves()->LegendeVisible());
        QCOMPARE(f->PanelEleves()->Legende(), QStringLiteral("Pas d'élève dans la classe"));
        QVERIFY(f->PanelElevesGraphe()->LegendeVisible());
        QCOMPARE(Graphe(f)->LigneSelectionnee(), 0);
        QCOMPARE(Graphe(f)->NomSelectionne(), QString());

        // Names pasted into the empty class: both lists fill and show.
        QApplication::clipboard()->setText(QStringLiteral("Zola Emile\nAbel Ana\n"));
        f->CollerNomsEleves();
        QVERIFY(g->isVisible());
        QVERIFY(!f->PanelEleves()->LegendeVisible());
        QCOMPARE(g->NombreLignes(), 2 + 18);
        QCOMPARE(g->Cellule(1, 1), QStringLiteral("Abel Ana"));
        QCOMPARE(Graphe(f)->NombreLignes(), 3);
        QCOMPARE(Graphe(f)->LigneSelectionnee(), 1);
        QCOMPARE(Graphe(f)->NomSelectionne(), QStringLiteral("Abel Ana"));
    }

    void lignesEtLibelles() {
        TFeuilleClasse* f = Ouvrir(QStringLiteral("l"), 3);
        TGrilleElevesTavelin* g = Grille(f);
        QCOMPARE(g->NombreLignes(), 3 + 18);
        QCOMPARE(g->NombreColonnes(), 2);
        QCOMPARE(g->Cellule(1, 0), QStringLiteral("Noms et prénoms"));
        QCOMPARE(g->Colonne(0).mid(0, 5),
                 (QStringList{QString(), QStringLiteral("1"), QStringLiteral("2"),
                              QStringLiteral("3"), QString()}));
        QCOMPARE(g->Cellule(1, 3), QStringLiteral("Elève 03"));
        QCOMPARE(g->Cellule(1, 4), QString());
        QCOMPARE(g->Cellule(1, 5), QStringLiteral("Moyenne :"));
        QCOMPARE(g->Cellule(1, 6), QString());
        QCOMPARE(g->Cellule(1, 7), QStringLiteral("Nombre d'élèves présents :"));
        QCOMPARE(g->Cellule(1, 12), QStringLiteral("% notes < moyenne classe :"));
        QCOMPARE(g->Cellule(1, 13), QString());
        QCOMPARE(g->Cellule(1, 14), QStringLiteral("Noté sur :"));
        QCOMPARE(g->Cellule(1, 20), QStringLiteral("Oral ou écrit :"));
        QCOMPARE(g->Genre(), int(TGrilleGeneriqueTavelin::GenreEleves));
        // The graph's list has the students only.
        QCOMPARE(Graphe(f)->NombreLignes(), 4);
        QCOMPARE(Graphe(f)->Cellule(1, 3), QStringLiteral("Elève 03"));

        // No scroll bar to use: it follows the grades grid through the sheet; the place of a
        // horizontal bar stays empty and takes no click.
        QCOMPARE(g->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QVERIFY(!g->horizontalScrollBar()->isEnabled());
        QVERIFY(g->horizontalScrollBar()->testAttribute(Qt::WA_TransparentForMouseEvents));

        // The name column holds its widest text and the panels fit the grid.
        QFont grasse = g->font();
        grasse.setBold(true);
        for (const QString& t : g->Colonne(1))
            QVERIFY2(g->columnWidth(1) >= QFontMetrics(grasse).horizontalAdvance(t) + 10,
                     qPrintable(t));
        QVERIFY(g->columnWidth(0) >= 18);
        QCOMPARE(f->PanelEleves()->width(), g->LargeurTotale() + 2);
        QCOMPARE(f->PanelElevesGraphe()->maximumWidth(), g->LargeurTotale() + 2);
        const int avant = g->columnWidth(1);
        f->Fichier().ModifierEleve(1, QStringLiteral("Aaaa Un nom bien plus long que les libellés"),
                                   false, QString());
        f->RafraichirListesEleves();
        QVERIFY(g->columnWidth(1) > avant);
        QCOMPARE(f->PanelEleves()->width(), g->LargeurTotale() + 2);
    }

    void datesEtRedoublantsSelonLesReglages() {
        TFeuilleClasse* f = Ouvrir(QStringLiteral("d"), 3);
        TFichierTav& c = f->Fichier();
        c.ModifierDateNaissance(1, QStringLiteral("01/02/2012"));
        c.ModifierDateNaissance(2, QStringLiteral("03/04/2012"));
        c.ModifierRedoublant(2, true);
        c.ModifierRedoublant(3, true); // no birth date: no parentheses for it
        TGrilleElevesTavelin* g = Grille(f);

        Options::ModifierAfficherDatesDeNaissance(true);
        Options::ModifierAfficherR(true);
        f->RafraichirListesEleves();
        QCOMPARE(g->Colonne(1).mid(1, 3), (QStringList{QStringLiteral("Elève 01 (01/02/2012)"),
                                                       QStringLiteral("Elève 02 (03/04/2012) (R)"),
                                                       QStringLiteral("Elève 03 (R)")}));
        QCOMPARE(Graphe(f)->Cellule(1, 2), QStringLiteral("Elève 02 (03/04/2012) (R)"));

        Options::ModifierAfficherDatesDeNaissance(false);
        f->RafraichirListesEleves();
        QCOMPARE(g->Colonne(1).mid(1, 3),
                 (QStringList{QStringLiteral("Elève 01"), QStringLiteral("Elève 02 (R)"),
                              QStringLiteral("Elève 03 (R)")}));

        Options::ModifierAfficherR(false);
        Options::ModifierAfficherDatesDeNaissance(true);
        f->RafraichirListesEleves();
        QCOMPARE(g->Colonne(1).mid(1, 3), (QStringList{QStringLiteral("Elève 01 (01/02/2012)"),
                                                       QStringLiteral("Elève 02 (03/04/2012)"),
                                                       QStringLiteral("Elève 03")}));
    }

    void defilementEtSelectionSuiventLaFeuille() {
        TFeuilleClasse* f = Ouvrir(QStringLiteral("s"), 40, {1});
        TGrilleElevesTavelin* g = Grille(f);
        f->NotifDefilement(12);
        QCOMPARE(g->LigneHaut(), 12);
        f->NotifDefilement(1);
        QCOMPARE(g->LigneHaut(), 1);
        // A click on a number chooses the name beside it, and the row is reported to the sheet.
        Cliquer(g, Qt::LeftButton, 0, 4);
        QVERIFY(g->EstSelectionnee(1, 4));
        QCOMPARE(g->LigneCourante(), 4);
        // The keyboard cannot leave the names either.
        QTest::keyClick(g, Qt::Key_Left);
        QCOMPARE(g->ColonneCourante(), 1);
        QVERIFY(g->EstSelectionnee(1, 4) && !g->EstSelectionnee(0, 4));
        QTest::keyClick(g, Qt::Key_Down);
        QVERIFY(g->EstSelectionnee(1, 5));
        f->NotifSelectionLigne(7, -1);
        QVERIFY(g->EstSelectionnee(1, 7));
        QVERIFY(!g->EstSelectionnee(1, 4));
    }

    // ---- Information window -------------------------------------------------------------------

    void fenetreInformation() {
        TFeuilleClasse* f = Ouvrir(QStringLiteral("info"), 2, {2, 0, 1});
        TFichierTav& c = f->Fichier();
        c.ModifierDateNaissance(1, QStringLiteral("01/02/2012"));
        c.ModifierRedoublant(1, true);
        Options::ModifierAfficherR(false);
        f->RafraichirListesEleves();
        TGrilleElevesTavelin* g = Grille(f);
        QCOMPARE(f->PeriodeCourante(), 3);

        Cliquer(g, Qt::LeftButton, 1, 1);
        QVERIFY(TFormHint::EstAffichee());
        const int arrondi = Options::ArrondirMoyennes();
        const QString m1 = c.MoyenneBulletin(1, 1, arrondi), m3 = c.MoyenneBulletin(3, 1, arrondi);
        QVERIFY(!m1.isEmpty() && !m3.isEmpty());
        const QString annuelle = c.MoyenneAnnuelle(1, arrondi, Options::ArrondirMoyennesAnnuelles(),
                                                   Options::TypeMoyennesAnnuelles());
        QVERIFY(!annuelle.isEmpty());
        QCOMPARE(
            TFormHint::Lignes(),
            (QStringList{QStringLiteral("Elève 01 01/02/2012 (redoublant)"),
                         QStringLiteral("Note la plus basse de la période : 2,00/20 (Série 1)"),
                         QStringLiteral("Note la plus haute de la période : 2,00/20 (Série 1)"),
                         QStringLiteral("Moyennes bulletin sur 20 : ") + m1 +
                             QStringLiteral(" - ? - ") + m3,
                         QStringLiteral("Moyenne annuelle sur 20 : ") + annuelle}));
        QCOMPARE(TFormHint::Instance()->palette().color(QPalette::Window),
                 Grille::Couleur(Options::CouleurFenetreInfo()));

        // Another period tab: the marks of that period.
        f->ChoisirPeriode(0);
        TFormHint::Cacher();
        Cliquer(g, Qt::LeftButton, 1, 2);
        QCOMPARE(TFormHint::Lignes().at(0), QStringLiteral("Elève 02 "));
        QCOMPARE(TFormHint::Lignes().at(1),
                 QStringLiteral("Note la plus basse de la période : 3,00/20 (Série 1)"));
        QCOMPARE(TFormHint::Lignes().at(2),
                 QStringLiteral("Note la plus haute de la période : 4,00/20 (Série 2)"));

        // Not on the numbers, the labels or the header, nor when the settings say no.
        for (const QPoint& cellule : {QPoint(0, 1), QPoint(1, 4), QPoint(1, 0)}) {
            TFormHint::Cacher();
            Cliquer(g, Qt::LeftButton, cellule.x(), cellule.y());
            QVERIFY(!TFormHint::EstAffichee());
        }
        Options::ModifierAfficherFenetreInfo(false);
        Cliquer(g, Qt::LeftButton, 1, 1);
        QVERIFY(!TFormHint::EstAffichee());
    }

    // ---- Turbo menu ---------------------------------------------------------------------------

    void menuTurboSelonLaCellule() {
        TFeuilleClasse* f = Ouvrir(QStringLiteral("m"), 3);
        TGrilleElevesTavelin* g = Grille(f);
        QMenu* m = MenuTurbo(g, 1, 0);
        QVERIFY(m);
        QCOMPARE(
            Textes(m),
            (QStringList{QStringLiteral("Turbo Menu \"Liste des élèves\""), QStringLiteral("-"),
                         QStringLiteral("Ajouter un élève ..."), QStringLiteral("-"),
                         QStringLiteral("Copier la liste des élèves dans le "
                                        "Presse-Papiers")}));
        QVERIFY(ActionNumero(m, 3)->isEnabled());

        m = MenuTurbo(g, 1, 2);
        QVERIFY(m);
        QCOMPARE(Textes(m).mid(2, 3),
                 (QStringList{QStringLiteral("Supprimer \"Elève 02\" de la liste des élèves"),
                              QStringLiteral("Modifier les informations de \"Elève 02\""),
                              QStringLiteral("-")}));
        QCOMPARE(ActionNumero(m, 1)->text(), Textes(m).at(2));
        QCOMPARE(ActionNumero(m, 2)->text(), Textes(m).at(3));
        QVERIFY(g->EstSelectionnee(1, 2));
        QCOMPARE(g->LigneCliquee(), 2);

        // The numbers and the labels open nothing.
        QVERIFY(!MenuTurbo(g, 0, 1));
        QVERIFY(!MenuTurbo(g, 1, 5));

        // Copy the list.
        m = MenuTurbo(g, 1, 0);
        ActionNumero(m, 4)->trigger();
        QCOMPARE(QApplication::clipboard()->text(),
                 QStringLiteral("Elève 01\r\nElève 02\r\nElève 03\r\n"));
    }

    void cinquanteElevesGrisentLAjout() {
        TFeuilleClasse* f = Ouvrir(QStringLiteral("cinquante"), 50);
        QMenu* m = MenuTurbo(Grille(f), 1, 1);
        QVERIFY(m);
        QVERIFY(!ActionNumero(m, 3)->isEnabled());
        QVERIFY(ActionNumero(m, 1)->isEnabled());
        QVERIFY(!ActionDeMenu(f, QStringLiteral("&Ajouter un élève ..."))->isEnabled());

        f = Ouvrir(QStringLiteral("quarante-neuf"), 49);
        QVERIFY(ActionNumero(MenuTurbo(Grille(f), 1, 0), 3)->isEnabled());
        QVERIFY(ActionDeMenu(f, QStringLiteral("&Ajouter un élève ..."))->isEnabled());
    }

    void ajouterDepuisLeMenuTurbo() {
        Options::ModifierAfficherDatesDeNaissance(true);
        Options::ModifierAfficherR(true);
        TFeuilleClasse* f = Ouvrir(QStringLiteral("a"), 2, {1});
        TGrilleElevesTavelin* g = Grille(f);
        QMenu* m = MenuTurbo(g, 1, 0);
        QString titre;
        bool videAuDepart = false;
        QuandOuvert<TFormModifierEleve>([&titre, &videAuDepart](TFormModifierEleve* d) {
            titre = d->windowTitle();
            videAuDepart = d->ChampNom()->text().isEmpty() && d->ChampDate()->text().isEmpty() &&
                           !d->CaseRedoublant()->isChecked();
            Taper(d->ChampNom(), QStringLiteral("Abel Zoé"));
            QTest::keyClick(d->ChampNom(), Qt::Key_Tab);
            Taper(d->ChampDate(), QStringLiteral("05/06/2011"));
            d->CaseRedoublant()->setChecked(true);
            QTest::keyClick(d->ChampDate(), Qt::Key_Return);
        });
        ActionNumero(m, 3)->trigger();
        QCOMPARE(titre, QStringLiteral("Ajouter un élève"));
        QVERIFY(videAuDepart);
        QCOMPARE(f->Fichier().NombreEleves(), 3);
        QCOMPARE(g->NombreLignes(), 3 + 18);
        QCOMPARE(g->Cellule(1, 1), QStringLiteral("Abel Zoé (05/06/2011) (R)"));
        QCOMPARE(g->Cellule(0, 3), QStringLiteral("3"));
        QCOMPARE(Graphe(f)->Cellule(1, 1), QStringLiteral("Abel Zoé (05/06/2011) (R)"));
        QCOMPARE(f->Label2()->text(), QStringLiteral("a - 3 élèves"));
        QVERIFY(f->Fichier().EstModifie());
        // The new student is absent from the series given before he came.
        QCOMPARE(f->Fichier().Note(1, 1, 1), QStringLiteral("abs"));

        // Cancelled: nothing changes.
        QuandOuvert<TFormModifierEleve>([](TFormModifierEleve* d) {
            Taper(d->ChampNom(), QStringLiteral("Personne"));
            QTest::keyClick(d->ChampNom(), Qt::Key_Escape);
        });
        ActionNumero(MenuTurbo(g, 1, 2), 3)->trigger();
        QCOMPARE(f->Fichier().NombreEleves(), 3);
    }

    void renommerDeplaceLesNotes() {
        TFeuilleClasse* f = Ouvrir(QStringLiteral("r"), 3, {1});
        TGrilleElevesTavelin* g = Grille(f);
        TFichierTav& c = f->Fichier();
        c.ModifierDateNaissance(1, QStringLiteral("07/08/2010"));
        const QString note = c.Note(1, 1, 1);
        QCOMPARE(note, QStringLiteral("2"));
        QMenu* m = MenuTurbo(g, 1, 1);
        QVERIFY(m);
        QStringList champs;
        QuandOuvert<TFormModifierEleve>([&champs](TFormModifierEleve* d) {
            champs = {d->windowTitle(), d->ChampNom()->text(), d->ChampDate()->text(),
                      d->ChampNom()->selectedText()};
            Taper(d->ChampNom(), QStringLiteral("Zoé Abel"));
            QTest::keyClick(d->ChampNom(), Qt::Key_Return);
        });
        ActionNumero(m, 2)->trigger();
        QCOMPARE(champs, (QStringList{QStringLiteral("Modifier les informations de l'élève"),
                                      QStringLiteral("Elève 01"), QStringLiteral("07/08/2010"),
                                      QStringLiteral("Elève 01")}));
        // Sorted again: the renamed student is last, with his mark and his birth date.
        QCOMPARE(c.ListeEleves(),
                 (QStringList{QStringLiteral("Elève 02"), QStringLiteral("Elève 03"),
                              QStringLiteral("Zoé Abel")}));
        QCOMPARE(c.Note(1, 1, 3), note);
        QCOMPARE(c.DateNaissance(3), QStringLiteral("07/08/2010"));
        QCOMPARE(g->Cellule(1, 1), QStringLiteral("Elève 02"));
        QVERIFY(g->Cellule(1, 3).startsWith(QStringLiteral("Zoé Abel")));
        QVERIFY(Graphe(f)->Cellule(1, 3).startsWith(QStringLiteral("Zoé Abel")));
    }

    void supprimerDepuisLeMenuTurbo() {
        TFeuilleClasse* f = Ouvrir(QStringLiteral("s"), 2, {1});
        TGrilleElevesTavelin* g = Grille(f);
        env->interlocuteur.reponses = {false};
        ActionNumero(MenuTurbo(g, 1, 1), 1)->trigger();
        QCOMPARE(f->Fichier().NombreEleves(), 2);
        const auto questions = env->interlocuteur.DuGenre(QStringLiteral("question"));
        QCOMPARE(questions.size(), 1);
        QCOMPARE(questions.first().titre, QStringLiteral("Suppression d'un élève"));
        QCOMPARE(questions.first().texte,
                 QStringLiteral("Supprimer \"Elève 01\" de la liste des élèves ?"));
        QCOMPARE(questions.first().icone, TIcone::Question);

        env->interlocuteur.reponses = {true};
        ActionNumero(MenuTurbo(g, 1, 1), 1)->trigger();
        QCOMPARE(f->Fichier().ListeEleves(), QStringList{QStringLiteral("Elève 02")});
        QCOMPARE(g->NombreLignes(), 1 + 18);
        QCOMPARE(g->Cellule(1, 1), QStringLiteral("Elève 02"));
        QCOMPARE(f->Label2()->text(), QStringLiteral("s - 1 élève"));

        // The last one: both lists give way to the caption.
        env->interlocuteur.reponses = {true};
        ActionNumero(MenuTurbo(g, 1, 1), 1)->trigger();
        QCOMPARE(f->Fichier().NombreEleves(), 0);
        QVERIFY(f->PanelEleves()->LegendeVisible());
        QVERIFY(f->PanelElevesGraphe()->LegendeVisible());
        QCOMPARE(Graphe(f)->LigneSelectionnee(), 0);
    }

    // ---- The sheet's menu commands ------------------------------------------------------------

    void choixDunEleve() {
        TFichierTav c;
        c.InitialiserClasse(QStringLiteral("Trimestres"), QStringLiteral("Bulletins par défaut"));
        TFormListeEleves vide(nullptr, QStringLiteral("Choisir"), c, QPixmap());
        QCOMPARE(vide.LabelNombre()->text(), QStringLiteral("aucun élève"));
        QCOMPARE(vide.Indice(), -1);
        c.AjouterEleve(QStringLiteral("Un"), QString(), false);
        TFormListeEleves un(nullptr, QStringLiteral("Choisir"), c, QPixmap());
        QCOMPARE(un.LabelNombre()->text(), QStringLiteral("1 élève"));
        QCOMPARE(un.LabelNombre()->toolTip(), QStringLiteral("Nombre d'élèves"));
        c.AjouterEleve(QStringLiteral("Deux"), QString(), false);
        TFormListeEleves deux(nullptr, QStringLiteral("Choisir le nom"), c, QPixmap());
        QCOMPARE(deux.windowTitle(), QStringLiteral("Choisir le nom"));
        QCOMPARE(deux.LabelNombre()->text(), QStringLiteral("2 élèves"));
        QCOMPARE(deux.Liste()->count(), 2);
        QCOMPARE(deux.Liste()->item(0)->text(), QStringLiteral("Deux"));
        QCOMPARE(deux.Indice(), 0);
        QVERIFY(qobject_cast<Tav::TDelegueListeColoree*>(deux.Liste()->itemDelegate()));
        QCOMPARE(deux.BoutonOk()->text(), QStringLiteral("&Ok"));
        QCOMPARE(deux.BoutonAnnuler()->text(), QStringLiteral("&Annuler"));
    }

    void supprimerDepuisLeMenuDeLaFeuille() {
        TFeuilleClasse* f = Ouvrir(QStringLiteral("f"), 3, {1});
        QAction* supprimer = ActionDeMenu(f, QStringLiteral("&Supprimer un élève ..."));
        QVERIFY(supprimer && supprimer->isEnabled());

        // Escape: nothing is asked.
        QuandOuvert<TFormListeEleves>(
            [](TFormListeEleves* d) { QTest::keyClick(d->Liste(), Qt::Key_Escape); });
        supprimer->trigger();
        QVERIFY(env->interlocuteur.DuGenre(QStringLiteral("question")).isEmpty());

        QStringList vu;
        QuandOuvert<TFormListeEleves>([&vu](TFormListeEleves* d) {
            vu = {d->windowTitle(), d->LabelNombre()->text(),
                  QString::number(d->Liste()->currentRow())};
            QTest::keyClick(d->Liste(), Qt::Key_Down);
            QTest::keyClick(d->Liste(), Qt::Key_Return);
        });
        env->interlocuteur.reponses = {true};
        supprimer->trigger();
        QCOMPARE(vu, (QStringList{QStringLiteral("Choisir l'élève à supprimer"),
                                  QStringLiteral("3 élèves"), QStringLiteral("0")}));
        QCOMPARE(env->interlocuteur.DuGenre(QStringLiteral("question")).last().texte,
                 QStringLiteral("Supprimer \"Elève 02\" de la liste des élèves ?"));
        QCOMPARE(f->Fichier().ListeEleves(),
                 (QStringList{QStringLiteral("Elève 01"), QStringLiteral("Elève 03")}));
        QCOMPARE(Grille(f)->NombreLignes(), 2 + 18);
        QCOMPARE(Grille(f)->Cellule(1, 2), QStringLiteral("Elève 03"));
        QCOMPARE(Graphe(f)->NombreLignes(), 3);
        QCOMPARE(f->Label2()->text(), QStringLiteral("f - 2 élèves"));
    }

    void modifierEtAjouterDepuisLeMenuDeLaFeuille() {
        Options::ModifierAfficherR(true);
        TFeuilleClasse* f = Ouvrir(QStringLiteral("g"), 3, {1});
        QStringList vu;
        QuandOuvert<TFormListeEleves>([&vu](TFormListeEleves* d) {
            vu.append(d->windowTitle());
            QuandOuvert<TFormModifierEleve>([&vu](TFormModifierEleve* m) {
                vu += {m->windowTitle(), m->ChampNom()->text()};
                m->ChampNom()->setText(QStringLiteral("Elève 00"));
                QTest::keyClick(m->CaseRedoublant(), Qt::Key_Space);
                QTest::keyClick(m->ChampNom(), Qt::Key_Enter);
            });
            // A double click on the third name chooses it.
            QListWidget* liste = d->Liste();
            QTest::mouseClick(liste->viewport(), Qt::LeftButton, {},
                              liste->visualItemRect(liste->item(2)).center());
            QTest::mouseDClick(liste->viewport(), Qt::LeftButton, {},
                               liste->visualItemRect(liste->item(2)).center());
        });
        ActionDeMenu(f, QStringLiteral("&Modifier les informations d'un élève ..."))->trigger();
        QCOMPARE(vu, (QStringList{QStringLiteral("Choisir le nom à modifier"),
                                  QStringLiteral("Modifier les informations de l'élève"),
                                  QStringLiteral("Elève 03")}));
        QCOMPARE(f->Fichier().NomEleve(1), QStringLiteral("Elève 00"));
        QVERIFY(f->Fichier().EstRedoublant(1));
        QCOMPARE(f->Fichier().Note(1, 1, 1), QStringLiteral("4")); // his mark came along
        QCOMPARE(Grille(f)->Cellule(1, 1), QStringLiteral("Elève 00 (R)"));

        QuandOuvert<TFormModifierEleve>([](TFormModifierEleve* m) {
            Taper(m->ChampNom(), QStringLiteral("Zazie"));
            QTest::mouseClick(m->BoutonOk(), Qt::LeftButton);
        });
        ActionDeMenu(f, QStringLiteral("&Ajouter un élève ..."))->trigger();
        QCOMPARE(f->Fichier().NomEleve(4), QStringLiteral("Zazie"));
        QCOMPARE(Grille(f)->Cellule(1, 4), QStringLiteral("Zazie"));
        QCOMPARE(Grille(f)->NombreLignes(), 4 + 18);
        QCOMPARE(f->Label2()->text(), QStringLiteral("g - 4 élèves"));
    }

    // ---- The graph's student list -------------------------------------------------------------

    void listeDuGraphe() {
        TFeuilleClasse* f = Ouvrir(QStringLiteral("gr"), 4, {1});
        TGrilleElevesGrapheTavelin* l = Graphe(f);
        QCOMPARE(l->LigneSelectionnee(), 1);
        QCOMPARE(l->NomSelectionne(), QStringLiteral("Elève 01"));
        QVERIFY(l->EstSelectionnee(1, 1));

        f->ChoisirPage(TFeuilleClasse::PageGraphes);
        Cliquer(l, Qt::LeftButton, 1, 3);
        QCOMPARE(l->LigneSelectionnee(), 3);
        QCOMPARE(l->NomSelectionne(), QStringLiteral("Elève 03"));
        // The grades page's rows are left alone.
        QVERIFY(!Grille(f)->EstSelectionnee(1, 3));
        QTest::keyClick(l, Qt::Key_Down);
        QCOMPARE(l->LigneSelectionnee(), 4);
        QTest::keyClick(l, Qt::Key_Left);
        QVERIFY(l->EstSelectionnee(1, 4) && !l->EstSelectionnee(0, 4));
        Cliquer(l, Qt::LeftButton, 0, 2);
        QCOMPARE(l->LigneSelectionnee(), 2);
        QVERIFY(l->EstSelectionnee(1, 2) && !l->EstSelectionnee(0, 2));
        QTest::keyClick(l, Qt::Key_Down);
        QTest::keyClick(l, Qt::Key_Down);
        QCOMPARE(l->LigneSelectionnee(), 4);

        f->ChoisirOngletGraphe(1);
        QCOMPARE(l->Periode(), 2);
        QCOMPARE(l->LigneSelectionnee(), 4);

        // Fewer students: the last one stays chosen.
        f->Fichier().SupprimerEleve(4);
        f->NotifEleves(0, 0);
        QCOMPARE(l->LigneSelectionnee(), 3);
        QCOMPARE(l->NomSelectionne(), QStringLiteral("Elève 03"));
    }
};

QTEST_MAIN(TestGrilleEleves)
#include "tst_grilleEleves.moc"
