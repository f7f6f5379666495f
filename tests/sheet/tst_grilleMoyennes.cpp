// The averages grid of a class sheet: its four columns per student, the periods it keeps, its
// turbo menus (rounding, bonus/malus, scale, copy and paste) and the colours of its cells.
#include "../app/soutien_gui.h"

#include "_FormEdit.h"
#include "_FormHint.h"
#include "_TGrilleMoyennes.h"
#include "tavX_constantes.h"
#include "tavX_panneauGrille.h"
#include "tavX_rangeeOnglets.h"

#include <QAction>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

class TestGrilleMoyennes : public QObject {
    Q_OBJECT

    std::unique_ptr<TEnvironnementGui> env;
    std::unique_ptr<TFormTavelin2> fenetre;
    QMenu* menu = nullptr;
    int menusOuverts = 0;

    TFeuilleClasse* Ouvrir(const QString& classe, int eleves, const QList<int>& series) {
        const QString chemin =
            EcrireClasse(env->Chemin(classe + QStringLiteral(".tav")), classe, eleves, series);
        return fenetre->OuvrirOuMontrer(chemin);
    }
    static TGrilleMoyennesTavelin* Grille(TFeuilleClasse* f) {
        return dynamic_cast<TGrilleMoyennesTavelin*>(f->Grilles().moyennes);
    }
    // The teacher's right button on a cell (row 0: the header).
    void ClicDroit(TGrilleMoyennesTavelin* g, int colonne, int ligne) {
        menu = nullptr;
        QTest::mousePress(g->WidgetCellule(ligne), Qt::RightButton, {},
                          g->RectCellule(colonne, ligne).center());
    }
    QAction* Action(int numero) const {
        if (!menu) return nullptr;
        for (QAction* a : menu->actions())
            if (!a->isSeparator() && a->data().toInt() == numero) return a;
        return nullptr;
    }
    // Right click on a cell, then the menu item of that number.
    void Choisir(TGrilleMoyennesTavelin* g, int colonne, int ligne, int numero) {
        ClicDroit(g, colonne, ligne);
        QAction* a = Action(numero);
        QVERIFY2(a, qPrintable(QStringLiteral("item %1 absent").arg(numero)));
        a->trigger();
    }
    static QStringList Ligne(TGrilleMoyennesTavelin* g, int ligne) {
        QStringList l;
        for (int c = 0; c < 4; ++c)
            l << g->Cellule(c, ligne);
        return l;
    }
    static QStringList Entetes(TGrilleMoyennesTavelin* g) { return Ligne(g, 0); }
    QStringList Messages() const {
        QStringList l;
        for (const auto& e : env->interlocuteur.DuGenre(QStringLiteral("message")))
            l << e.texte;
        return l;
    }

private slots:
    void init() {
        env = std::make_unique<TEnvironnementGui>();
        fenetre = FenetrePrete();
        fenetre->resize(1100, 800);
        menu = nullptr;
        menusOuverts = 0;
        TGrilleGeneriqueTavelin::MontrerMenuPourTests() = [this](QMenu* m) {
            menu = m;
            ++menusOuverts;
        };
        QApplication::clipboard()->clear();
    }
    void cleanup() {
        TGrilleGeneriqueTavelin::MontrerMenuPourTests() = nullptr;
        fenetre.reset();
        env.reset();
    }

    // ---- Columns and periods ------------------------------------------------------------------

    void colonnesDuneClasse() {
        TFeuilleClasse* f = Ouvrir(QStringLiteral("c"), 3, {1});
        TGrilleMoyennesTavelin* g = Grille(f);
        QVERIFY(g);
        QCOMPARE(g->Genre(), int(TGrilleGeneriqueTavelin::GenreMoyennes));
        QCOMPARE(g->NombreColonnes(), 4);
        QCOMPARE(g->NombreLignes(), 3 + 18);
        QCOMPARE(Entetes(g), QStringList({QStringLiteral("Moyenne brute sur 20"),
                                          QStringLiteral("Moyenne arrondie sur 20"),
                                          QStringLiteral("Point(s) en + ou en -"),
                                          QStringLiteral("Moyenne bulletin sur 20")}));
        QCOMPARE(Ligne(g, 1), QStringList({QStringLiteral("2,00"), QStringLiteral("2,00"),
                                           QString(), QStringLiteral("2,00")}));
        QCOMPARE(g->Cellule(3, 3), QStringLiteral("4,00"));
        QCOMPARE(Ligne(g, 4), QStringList({QString(), QString(), QString(), QString()}));
        QVERIFY(f->PanelMoyennes()->GrilleAffichee());
    }

    void uneSeulePeriodeCalculeeAuChangement() {
        TFeuilleClasse* f = Ouvrir(QStringLiteral("p"), 3, {1, 2});
        TGrilleMoyennesTavelin* g = Grille(f);
        QCOMPARE(g->Periode(), 2); // the sheet opens on the last period with series
        QCOMPARE(g->Cellule(0, 1), QStringLiteral("2,50")); // marks 2 and 3
        const int apresOuverture = g->NombreLignesCalculees();

        f->TabControlGrillesNotes()->Choisir(0);
        QCOMPARE(g->Periode(), 1);
        QCOMPARE(g->Cellule(0, 1), QStringLiteral("2,00"));
        QCOMPARE(g->NombreLignesCalculees(), apresOuverture + 3);
        QVERIFY(!f->Fichier().PeriodeARecalculer(1));

        // Back to a period already shown and not marked: its columns come back, uncomputed.
        f->TabControlGrillesNotes()->Choisir(1);
        QCOMPARE(g->NombreLignesCalculees(), apresOuverture + 3);
        QCOMPARE(g->Cellule(0, 1), QStringLiteral("2,50"));
        QCOMPARE(g->Cellule(0, 3), QStringLiteral("4,50"));
        QCOMPARE(g->ColonneSauvee(2, 0), g->Colonne(0));

        // A grade changed in period 1 marks it: shown again, it is computed.
        f->Fichier().ModifierNote(1, 1, QStringLiteral("12"), 2);
        f->TabControlGrillesNotes()->Choisir(0);
        QCOMPARE(g->NombreLignesCalculees(), apresOuverture + 6);
        QCOMPARE(g->Cellule(0, 2), QStringLiteral("12,00"));
    }

    void periodeSansSerieCacheLaGrille() {
        TFeuilleClasse* f = Ouvrir(QStringLiteral("s"), 2, {0, 1});
        TGrilleMoyennesTavelin* g = Grille(f);
        QVERIFY(f->PanelMoyennes()->GrilleAffichee());
        f->NotifMoyennes(1, 0);
        QCOMPARE(g->Periode(), 1);
        QVERIFY(!f->PanelMoyennes()->GrilleAffichee());
        QCOMPARE(g->Cellule(0, 1), QString());
        f->NotifMoyennes(2, 0);
        QVERIFY(f->PanelMoyennes()->GrilleAffichee());
        QCOMPARE(g->Cellule(0, 2), QStringLiteral("3,00"));
    }

    // ---- Bonus/malus points --------------------------------------------------------------------

    void pointsDuneSeuleLigne() {
        TFeuilleClasse* f = Ouvrir(QStringLiteral("b"), 3, {1});
        TGrilleMoyennesTavelin* g = Grille(f);
        const QStringList avant1 = Ligne(g, 1), avant3 = Ligne(g, 3);
        const int calculees = g->NombreLignesCalculees();

        ClicDroit(g, 2, 2);
        QVERIFY(menu);
        QCOMPARE(menu->actions().first()->text(),
                 QStringLiteral("Turbo Menu \"Point(s) en plus ou en moins\""));
        QStringList textes;
        for (QAction* a : menu->actions())
            if (!a->isSeparator()) textes << a->text();
        QCOMPARE(textes.mid(1, 10),
                 QStringList({"- 2", "- 1,5", "- 1", "- 0,5", "Aucun point en plus ou en moins",
                              "+ 0,5", "+ 1", "+ 1,5", "+ 2", "Autre ..."}));
        QCOMPARE(Action(18)->text(), QStringLiteral("Copier la colonne \"Point(s) en + ou en -\" "
                                                    "dans le Presse-Papiers"));
        QVERIFY(!Action(19)->isEnabled()); // nothing on the clipboard
        // Only the clicked cell is selected.
        QVERIFY(g->EstSelectionnee(2, 2));
        QVERIFY(!g->EstSelectionnee(2, 1));
        QVERIFY(!g->EstSelectionnee(3, 2));

        Action(12)->trigger(); // "+ 1,5"
        QCOMPARE(f->Fichier().PointsPlusMoins(1, 2), QStringLiteral("1,5"));
        QCOMPARE(Ligne(g, 2), QStringList({QStringLiteral("3,00"), QStringLiteral("3,00"),
                                           QStringLiteral("1,5"), QStringLiteral("4,50")}));
        QCOMPARE(Ligne(g, 1), avant1);
        QCOMPARE(Ligne(g, 3), avant3);
        QCOMPARE(g->NombreLignesCalculees(), calculees + 1);
        QVERIFY(f->Fichier().EstModifie());

        Choisir(g, 2, 2, 5); // "- 2"
        QCOMPARE(g->Cellule(3, 2), QStringLiteral("1,00"));
        Choisir(g, 2, 2, 9); // "Aucun point en plus ou en moins"
        QCOMPARE(f->Fichier().PointsPlusMoins(1, 2), QString());
        QCOMPARE(g->Cellule(2, 2), QString());
        QCOMPARE(g->Cellule(3, 2), g->Cellule(1, 2));
    }

    // The last student, who had points, is removed: the row below the students is blank in every
    // column, and stays so when the period is shown again from its saved columns.
    void apresUneSuppressionLesLignesSousLesElevesSontVides() {
        TFeuilleClasse* f = Ouvrir(QStringLiteral("d"), 4, {1, 1});
        TGrilleMoyennesTavelin* g = Grille(f);
        QCOMPARE(g->Periode(), 2);
        Choisir(g, 2, 4, 11); // "+ 1" for the last student
        Choisir(g, 2, 3, 6);  // "- 1,5" for the one before
        QCOMPARE(g->Cellule(2, 4), QStringLiteral("1"));
        const QStringList troisieme = Ligne(g, 3);

        env->interlocuteur.reponses = {true};
        auto* eleves = dynamic_cast<TGrilleGeneriqueTavelin*>(f->Grilles().eleves);
        QTest::mousePress(eleves->WidgetCellule(4), Qt::RightButton, {},
                          eleves->RectCellule(1, 4).center());
        QVERIFY(menu);
        Action(1)->trigger(); // "Supprimer "Elève 04" de la liste des élèves"
        QCOMPARE(f->Fichier().NombreEleves(), 3);
        QCOMPARE(g->NombreLignes(), 3 + Tav::NombreLignesSupplementaires);

        const QStringList vide{QString(), QString(), QString(), QString()};
        auto verifier = [&] {
            QCOMPARE(Ligne(g, 3), troisieme);
            for (int l = 4; l < g->NombreLignes(); ++l)
                QVERIFY2(Ligne(g, l) == vide, qPrintable(QString::number(l)));
        };
        verifier();
        for (int c = 0; c < 4; ++c)
            QVERIFY(g->ColonneSauvee(2, c).value(4).isEmpty());
        f->TabControlGrillesNotes()->Choisir(0);
        f->TabControlGrillesNotes()->Choisir(1);
        verifier();
    }

    void autresPointsParLaSaisie() {
        TFeuilleClasse* f = Ouvrir(QStringLiteral("a"), 2, {1});
        TGrilleMoyennesTavelin* g = Grille(f);
        QString legende;
        QTimer::singleShot(0, this, [&] {
            auto* saisie = qobject_cast<TFormEdit*>(QApplication::activeModalWidget());
            QVERIFY(saisie);
            legende = saisie->windowTitle();
            QCOMPARE(saisie->Champ()->text(), QString());
            QTest::keyClicks(saisie->Champ(), QStringLiteral("-0.75"));
            QTest::mouseClick(saisie->BoutonOk(), Qt::LeftButton);
        });
        Choisir(g, 2, 1, 14);
        QCOMPARE(legende, QStringLiteral("Points en plus ou en moins"));
        QCOMPARE(f->Fichier().PointsPlusMoins(1, 1), QStringLiteral("-0,75"));
        QCOMPARE(g->Cellule(3, 1), QStringLiteral("1,25"));
    }

    // ---- Scale and rounding --------------------------------------------------------------------

    void echelleDixPartout() {
        TFeuilleClasse* f = Ouvrir(QStringLiteral("e"), 3, {1, 1});
        TGrilleMoyennesTavelin* g = Grille(f);
        f->TabControlGrillesNotes()->Choisir(0); // both periods computed and kept on 20
        QCOMPARE(g->ColonneSauvee(2, 0).value(0), QStringLiteral("Moyenne brute sur 20"));

        ClicDroit(g, 3, 0); // the header of the report-card column
        QCOMPARE(menu->actions().first()->text(),
                 QStringLiteral("Turbo Menu \"Moyennes calculées sur ...\""));
        QCOMPARE(Action(15)->text(), QStringLiteral("Moyenne calculée sur 20"));
        QCOMPARE(Action(17)->text(), QStringLiteral("Autre ..."));
        QVERIFY(g->EstSelectionnee(3, 1) && g->EstSelectionnee(3, g->NombreLignes() - 1));
        Action(16)->trigger();

        QCOMPARE(Options::MoyennesSur(), 10);
        QCOMPARE(Entetes(g), QStringList({QStringLiteral("Moyenne brute sur 10"),
                                          QStringLiteral("Moyenne arrondie sur 10"),
                                          QStringLiteral("Point(s) en + ou en -"),
                                          QStringLiteral("Moyenne bulletin sur 10")}));
        QCOMPARE(Ligne(g, 2), QStringList({QStringLiteral("1,50"), QStringLiteral("1,50"),
                                           QString(), QStringLiteral("1,50")}));
        // The other period, kept on 20 before the change, is computed again on 10.
        f->TabControlGrillesNotes()->Choisir(1);
        QCOMPARE(Entetes(g).at(3), QStringLiteral("Moyenne bulletin sur 10"));
        QCOMPARE(g->Cellule(0, 1), QStringLiteral("1,00"));
        QCOMPARE(g->Cellule(3, 3), QStringLiteral("2,00"));
    }

    void autreEchelleEntiereDe1a1000() {
        TFeuilleClasse* f = Ouvrir(QStringLiteral("x"), 2, {1});
        TGrilleMoyennesTavelin* g = Grille(f);
        QString legende;
        bool resteOuverte = true;
        QTimer::singleShot(0, this, [&] {
            auto* saisie = qobject_cast<TFormEdit*>(QApplication::activeModalWidget());
            QVERIFY(saisie);
            legende = saisie->windowTitle();
            for (const QString& refuse : {QStringLiteral("12.5"), QStringLiteral("0"),
                                          QStringLiteral("1001"), QStringLiteral("-4")}) {
                QTest::keyClicks(saisie->Champ(), refuse);
                QTest::mouseClick(saisie->BoutonOk(), Qt::LeftButton);
                resteOuverte = resteOuverte && saisie->isVisible();
                QCOMPARE(saisie->Champ()->text(), QString());
            }
            QTest::keyClicks(saisie->Champ(), QStringLiteral("15"));
            QTest::keyClick(saisie->Champ(), Qt::Key_Return);
        });
        Choisir(g, 0, 1, 17);
        QCOMPARE(legende, QStringLiteral("Moyennes exprimées sur"));
        QVERIFY(resteOuverte);
        QCOMPARE(Messages(), QStringList(4, TFormEdit::MessageValeurIncorrecte()));
        QCOMPARE(Options::MoyennesSur(), 15);
        QCOMPARE(Entetes(g).at(0), QStringLiteral("Moyenne brute sur 15"));
        QCOMPARE(g->Cellule(0, 1), QStringLiteral("1,50")); // 2 / 20 on 15
    }

    void arrondiDesMoyennes() {
        TFeuilleClasse* f = Ouvrir(QStringLiteral("r"), 2, {1, 1});
        TGrilleMoyennesTavelin* g = Grille(f);
        f->Fichier().ModifierNote(2, 1, QStringLiteral("12,13"), 1);
        f->Fichier().ModifierNote(1, 1, QStringLiteral("12,63"), 1);
        f->Fichier().ModifierPointsPlusMoins(2, 1, QStringLiteral("1"));
        f->NotifMoyennes(0, 0);
        f->TabControlGrillesNotes()->Choisir(0);
        f->TabControlGrillesNotes()->Choisir(1);
        QCOMPARE(Ligne(g, 1), QStringList({QStringLiteral("12,13"), QStringLiteral("12,13"),
                                           QStringLiteral("1"), QStringLiteral("13,13")}));

        ClicDroit(g, 1, 1);
        QCOMPARE(menu->actions().first()->text(),
                 QStringLiteral("Turbo Menu \"Arrondir les moyennes\""));
        QVERIFY(Action(1)->isChecked());
        QVERIFY(!Action(3)->isChecked());
        QCOMPARE(Action(3)->text(), QStringLiteral("Arrondir les moyennes au quart de point"));
        QCOMPARE(Action(18)->text(), QStringLiteral("Copier la colonne \"Moyenne arrondie sur "
                                                    "20\" dans le Presse-Papiers"));
        Action(3)->trigger();
        QCOMPARE(int(Options::ArrondirMoyennes()), 2);
        QCOMPARE(Ligne(g, 1), QStringList({QStringLiteral("12,13"), QStringLiteral("12,25"),
                                           QStringLiteral("1"), QStringLiteral("13,25")}));
        ClicDroit(g, 1, 0);
        QVERIFY(Action(3)->isChecked() && !Action(1)->isChecked());

        // The other period follows when shown.
        f->TabControlGrillesNotes()->Choisir(0);
        QCOMPARE(g->Cellule(1, 1), QStringLiteral("12,75"));

        // "Spécial Brevet", chosen elsewhere, checks no entry here.
        Options::ModifierArrondirMoyennes(4);
        ClicDroit(g, 1, 1);
        for (int i = 1; i <= 4; ++i)
            QVERIFY(!Action(i)->isChecked());
    }

    // ---- Clipboard -----------------------------------------------------------------------------

    void copierUneColonne() {
        TFeuilleClasse* f = Ouvrir(QStringLiteral("k"), 3, {1});
        Choisir(Grille(f), 3, 2, 18);
        const QString texte = QApplication::clipboard()->text();
        QCOMPARE(texte, QStringLiteral("Moyenne bulletin sur 20\r\n2,00\r\n3,00\r\n4,00\r\n"));
        QCOMPARE(texte.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts).size(), 4);
    }

    void collerLesPoints() {
        TFeuilleClasse* f = Ouvrir(QStringLiteral("v"), 3, {1});
        TGrilleMoyennesTavelin* g = Grille(f);
        QApplication::clipboard()->setText(QStringLiteral("1\r\n-0,5\r\nabc\r\n2\r\n3\r\n"));
        ClicDroit(g, 2, 3);
        QVERIFY(Action(19)->isEnabled());
        QCOMPARE(Action(19)->text(), QStringLiteral("Coller la colonne \"Point(s) en + ou en -\" "
                                                    "depuis le Presse-Papiers"));
        Action(19)->trigger();
        QCOMPARE(g->Colonne(2).mid(1, 3), QStringList({"1", "-0,5", "abc"}));
        QCOMPARE(g->Colonne(3).mid(1, 3), QStringList({"3,00", "2,50", "4,00"}));
        QCOMPARE(f->Fichier().PointsPlusMoins(1, 3), QStringLiteral("abc"));

        QApplication::clipboard()->setText(QStringLiteral("0,5\n2"));
        Choisir(g, 2, 1, 19);
        QCOMPARE(g->Colonne(2).mid(1, 3), QStringList({"0,5", "2", "abc"}));
        QCOMPARE(g->Colonne(3).mid(1, 3), QStringList({"2,50", "5,00", "4,00"}));
    }

    // ---- Mouse ---------------------------------------------------------------------------------

    void clicsEtMenus() {
        TFeuilleClasse* f = Ouvrir(QStringLiteral("m"), 3, {1});
        TGrilleMoyennesTavelin* g = Grille(f);
        // A left click selects the student's row across the four columns.
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->RectCellule(1, 2).center());
        for (int c = 0; c < 4; ++c)
            QVERIFY(g->EstSelectionnee(c, 2));
        QCOMPARE(menusOuverts, 0);

        // A right click first hides the information window.
        TFormHint::Afficher(Qt::yellow,
                            {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}, 3,
                            QPoint(10, 10));
        QVERIFY(TFormHint::EstAffichee());
        ClicDroit(g, 0, 2);
        QVERIFY(!TFormHint::EstAffichee());
        QCOMPARE(g->ColonneClic(), 0);
        QCOMPARE(g->LigneClic(), 2);
        QVERIFY(g->EstSelectionnee(0, 1) && g->EstSelectionnee(0, 3) && g->EstSelectionnee(0, 20));
        QVERIFY(!g->EstSelectionnee(1, 2));

        // No menu for the header of the points column nor below the students.
        const int ouverts = menusOuverts;
        ClicDroit(g, 2, 0);
        ClicDroit(g, 1, 5);
        ClicDroit(g, 3, 4);
        QCOMPARE(menusOuverts, ouverts);
        QVERIFY(!menu);
    }

    void couleursParValeur() {
        TFeuilleClasse* f = Ouvrir(QStringLiteral("col"), 6, {1});
        TGrilleMoyennesTavelin* g = Grille(f);
        const QStringList notes = {"9,99", "10", "14,99", "15", "20", "20,5"};
        for (int s = 1; s <= 6; ++s)
            f->Fichier().ModifierNote(1, 1, notes.at(s - 1), s);
        f->NotifMoyennes(0, 0);
        QCOMPARE(g->Colonne(0).mid(1, 6),
                 QStringList({"9,99", "10,00", "14,99", "15,00", "20,00", "20,50"}));

        Options::ModifierColorationNote(true);
        Options::ModifierColorationGrille(true);
        Options::ModifierCouleur1Note(0x0000FF);
        Options::ModifierCouleur2Note(0x00FF00);
        Options::ModifierCouleur3Note(0xFF0000);
        Options::ModifierCouleur4Note(0x00FFFF);
        Options::ModifierCouleur5Note(0xFF00FF);
        const QColor attendues[] = {Qt::red, Qt::green, Qt::green, Qt::blue, Qt::blue, Qt::yellow};
        for (int s = 1; s <= 6; ++s) {
            for (int c : {0, 1, 3}) {
                TGrilleGeneriqueTavelin::TStyleCellule style;
                g->StyleCellule(c, s, style);
                QCOMPARE(style.texte, attendues[s - 1]);
                QVERIFY(style.alignement & Qt::AlignHCenter);
                QCOMPARE(style.decalageY, 2);
            }
        }
        // The points column, the header and the empty rows stay black.
        f->Fichier().ModifierPointsPlusMoins(1, 1, QStringLiteral("25"));
        f->NotifMoyennes(0, 1);
        TGrilleGeneriqueTavelin::TStyleCellule points, entete;
        g->StyleCellule(2, 1, points);
        g->StyleCellule(0, 0, entete);
        QCOMPARE(points.texte, QColor(Qt::black));
        QCOMPARE(entete.texte, QColor(Qt::black));

        // A text that is not a number: the fifth colour behind it, or white.
        g->ModifierCellule(0, 2, QStringLiteral("abs"));
        TGrilleGeneriqueTavelin::TStyleCellule autre;
        g->StyleCellule(0, 2, autre);
        QCOMPARE(autre.fond, QColor(Qt::magenta));
        QCOMPARE(autre.texte, QColor(Qt::black));
        Options::ModifierColorationGrille(false);
        g->StyleCellule(0, 2, autre);
        QCOMPARE(autre.fond, QColor(Qt::white));

        // Without grade colouring every text is black.
        Options::ModifierColorationNote(false);
        TGrilleGeneriqueTavelin::TStyleCellule noir;
        g->StyleCellule(0, 6, noir);
        QCOMPARE(noir.texte, QColor(Qt::black));
    }
};

QTEST_MAIN(TestGrilleMoyennes)
#include "tst_grilleMoyennes.moc"
