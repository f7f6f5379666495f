// The summary grid on the summary page of a class sheet: its views, its turbo menu (ranking,
// scale, roundings, copies), its refresh after changes and the colours of the ranking.
#include "../app/soutien_gui.h"

#include "_FormAppreciations.h"
#include "_FormEdit.h"
#include "_FormHint.h"
#include "_TGrilleBilan.h"
#include "tavX_panneauGrille.h"
#include "tavX_rangeeOnglets.h"

#include <QAction>
#include <QClipboard>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

class TestGrilleBilan : public QObject {
    Q_OBJECT

    std::unique_ptr<TEnvironnementGui> env;
    std::unique_ptr<TFormTavelin2> fenetre;
    QMenu* menu = nullptr;

    TFeuilleClasse* Ouvrir(const QString& classe, int eleves, const QList<int>& series) {
        const QString chemin =
            EcrireClasse(env->Chemin(classe + QStringLiteral(".tav")), classe, eleves, series);
        TFeuilleClasse* f = fenetre->OuvrirOuMontrer(chemin);
        f->ChoisirPage(TFeuilleClasse::PageBilans);
        return f;
    }
    static TGrilleBilanTavelin* Grille(TFeuilleClasse* f) {
        return dynamic_cast<TGrilleBilanTavelin*>(f->Grilles().bilan);
    }
    void Clic(TGrilleBilanTavelin* g, Qt::MouseButton bouton, int colonne, int ligne) {
        menu = nullptr;
        QTest::mousePress(g->WidgetCellule(ligne), bouton, {},
                          g->RectCellule(colonne, ligne).center());
    }
    static QAction* ActionDe(QMenu* m, int numero) {
        for (QAction* a : m->actions()) {
            if (a->menu()) {
                if (QAction* b = ActionDe(a->menu(), numero)) return b;
            } else if (!a->isSeparator() && a->data().toInt() == numero) {
                return a;
            }
        }
        return nullptr;
    }
    void Choisir(TGrilleBilanTavelin* g, int colonne, int ligne, int numero) {
        Clic(g, Qt::RightButton, colonne, ligne);
        QVERIFY(menu);
        QAction* a = ActionDe(menu, numero);
        QVERIFY2(a, qPrintable(QStringLiteral("item %1 absent").arg(numero)));
        a->trigger();
    }
    static QStringList Entetes(TGrilleBilanTavelin* g) {
        QStringList l;
        for (int c = 0; c < g->NombreColonnes(); ++c)
            l << g->Cellule(c, 0);
        return l;
    }

private slots:
    void init() {
        env = std::make_unique<TEnvironnementGui>();
        fenetre = FenetrePrete();
        fenetre->resize(1100, 800);
        TGrilleGeneriqueTavelin::MontrerMenuPourTests() = [this](QMenu* m) { menu = m; };
        QApplication::clipboard()->clear();
    }
    void cleanup() {
        TGrilleGeneriqueTavelin::MontrerMenuPourTests() = nullptr;
        TFormHint::Cacher();
        fenetre.reset();
        env.reset();
    }

    void ongletsPeriodesEtAnnee() {
        TFeuilleClasse* f = Ouvrir(QStringLiteral("o"), 4, {0, 2, 1});
        TGrilleBilanTavelin* g = Grille(f);
        QVERIFY(g);
        QCOMPARE(g->Vue(), 1);
        QVERIFY(!f->PanelBilan()->GrilleAffichee()); // no series in the first trimester
        f->TabControlGrillesBilan()->Choisir(1);
        QVERIFY(f->PanelBilan()->GrilleAffichee());
        QCOMPARE(Entetes(g), QStringList({"", "Noms et prénoms", "Moyenne bulletin sur 20", "",
                                          "Classement ascendant", "", "Appréciations"}));
        QCOMPARE(g->NombreLignes(), 4 + 9);
        QCOMPARE(g->Cellule(2, 1), f->Fichier().MoyenneBulletin(2, 1, 0));
        QCOMPARE(g->Cellule(1, 4 + 2), QStringLiteral("Moyenne :"));
        QVERIFY(!g->Cellule(2, 4 + 2).isEmpty());
        f->TabControlGrillesBilan()->Choisir(3); // "Sur l'année"
        QCOMPARE(g->Vue(), 4);
        QCOMPARE(g->NombreColonnes(), 9);
        QCOMPARE(g->Cellule(6, 0), QStringLiteral("Moyenne annuelle sur 20"));
    }

    // While the page is hidden, changes only mark the grid; it is rebuilt once shown.
    void reconstruiteQuandLaPageSeMontre() {
        TFeuilleClasse* f = Ouvrir(QStringLiteral("m"), 3, {1});
        TGrilleBilanTavelin* g = Grille(f);
        f->ChoisirPage(TFeuilleClasse::PageNotes);
        const int avant = g->NombreReconstructions();
        f->Fichier().ModifierNote(1, 1, QStringLiteral("17"), 1);
        f->Fichier().ModifierAppreciation(1, 2, 1, QStringLiteral("Bien"));
        QCoreApplication::processEvents();
        QCOMPARE(g->NombreReconstructions(), avant);
        f->ChoisirPage(TFeuilleClasse::PageBilans);
        QCOMPARE(g->NombreReconstructions(), avant + 1);
        QCOMPARE(g->Cellule(2, 1), QStringLiteral("17,00"));
        QCOMPARE(g->Cellule(6, 2), QStringLiteral("Bien"));
        // Shown again with nothing changed: nothing is computed.
        f->ChoisirPage(TFeuilleClasse::PageNotes);
        f->ChoisirPage(TFeuilleClasse::PageBilans);
        QCOMPARE(g->NombreReconstructions(), avant + 1);
    }

    // Typed in the appreciations window of the "Outils" menu, an appreciation shows in the summary.
    void appreciationsDuMenuOutils() {
        TFeuilleClasse* f = Ouvrir(QStringLiteral("w"), 3, {1});
        TGrilleBilanTavelin* g = Grille(f);
        f->ActualiserCommandes();
        QAction* commande = nullptr;
        for (QMenu* m : f->Menus())
            for (QAction* a : m->actions())
                if (a->text().startsWith(QStringLiteral("&Appréciations des bulletins")))
                    commande = a;
        QVERIFY(commande && commande->isEnabled());
        bool ouverte = false;
        QTimer::singleShot(0, this, [&] {
            auto* d = qobject_cast<TFormAppreciations*>(QApplication::activeModalWidget());
            QVERIFY(d);
            ouverte = true;
            QTest::keyClicks(d->Memo1(), QStringLiteral("Serieux"));
            QCoreApplication::processEvents();
            QCOMPARE(g->Cellule(6, 1), QStringLiteral("Serieux")); // shown behind the window
            QTest::mouseClick(d->BoutonFermer(), Qt::LeftButton);
        });
        commande->trigger();
        QVERIFY(ouverte);
        QCOMPARE(f->Fichier().Appreciation(1, 1, 1), QStringLiteral("Serieux"));
        QVERIFY(f->Fichier().EstModifie());
    }

    void copieDuneColonne() {
        TFeuilleClasse* f = Ouvrir(QStringLiteral("c"), 25, {1});
        TGrilleBilanTavelin* g = Grille(f);
        Choisir(g, 2, 3, TGrilleBilanTavelin::CmdCopierColonne);
        const QString texte = QApplication::clipboard()->text();
        QVERIFY(texte.endsWith(QStringLiteral("\r\n")));
        const QStringList lignes = texte.split(QStringLiteral("\r\n"));
        QCOMPARE(lignes.size() - 1, 34);
        QCOMPARE(lignes.first(), QStringLiteral("Moyenne bulletin sur 20"));
        Choisir(g, 1, 3, TGrilleBilanTavelin::CmdCopierCellule);
        QCOMPARE(QApplication::clipboard()->text(), g->Cellule(1, 3) + QStringLiteral("\r\n"));
        // A blank header or cell offers no copy.
        Clic(g, Qt::RightButton, 3, 2);
        QVERIFY(!ActionDe(menu, TGrilleBilanTavelin::CmdCopierColonne));
        QVERIFY(!ActionDe(menu, TGrilleBilanTavelin::CmdCopierCellule));
    }

    void classementInverse() {
        TFeuilleClasse* f = Ouvrir(QStringLiteral("k"), 4, {1});
        TGrilleBilanTavelin* g = Grille(f);
        const int k = g->Contenu().colonneClassement;
        const QStringList ascendant = g->Colonne(k).mid(1, 4);
        Clic(g, Qt::RightButton, 2, 1);
        QVERIFY(ActionDe(menu, TGrilleBilanTavelin::CmdAscendant)->isChecked());
        QVERIFY(!ActionDe(menu, TGrilleBilanTavelin::CmdArrondiAnnuel)); // period tab
        ActionDe(menu, TGrilleBilanTavelin::CmdDescendant)->trigger();
        QCOMPARE(int(Options::TrierMoyennes()), 1);
        QCOMPARE(g->Cellule(k, 0), QStringLiteral("Classement descendant"));
        QStringList inverse = ascendant;
        std::reverse(inverse.begin(), inverse.end());
        QCOMPARE(g->Colonne(k).mid(1, 4), inverse);
    }

    void choixDejaCocheNeReconstruitRien() {
        TFeuilleClasse* f = Ouvrir(QStringLiteral("a"), 3, {1, 1, 1});
        TGrilleBilanTavelin* g = Grille(f);
        f->TabControlGrillesBilan()->Choisir(3);
        const int avant = g->NombreReconstructions();
        for (int numero : {TGrilleBilanTavelin::CmdArrondi, TGrilleBilanTavelin::CmdArrondiAnnuel,
                           TGrilleBilanTavelin::CmdAscendant, TGrilleBilanTavelin::CmdSur20})
            Choisir(g, 2, 1, numero);
        QCOMPARE(g->NombreReconstructions(), avant);
        Choisir(g, 2, 1, TGrilleBilanTavelin::CmdArrondiAnnuel + 3);
        QCOMPARE(int(Options::ArrondirMoyennesAnnuelles()), 3);
        QCOMPARE(g->NombreReconstructions(), avant + 1);
        // Toggles always write.
        Choisir(g, 2, 1, TGrilleBilanTavelin::CmdEcritOral);
        QVERIFY(Options::MoyennesEcritEtOral());
        QCOMPARE(g->Cellule(6, 0), QStringLiteral("Moy. 'Ecrit'"));
    }

    void eleveRenommeGardeSaLigne() {
        TFeuilleClasse* f = Ouvrir(QStringLiteral("r"), 4, {1});
        TGrilleBilanTavelin* g = Grille(f);
        TFichierTav& classe = f->Fichier();
        // The first student goes last in the sorted list.
        classe.ModifierEleve(1, QStringLiteral("Zoé Martin"), false, QString());
        f->RafraichirGrilles(false);
        f->NotifEleves(0, 0);
        for (int s = 1; s <= 4; ++s) {
            QCOMPARE(g->Cellule(1, s), classe.NomEleve(s));
            QCOMPARE(g->Cellule(2, s), classe.MoyenneBulletin(1, s, 0));
            QCOMPARE(g->Cellule(6, s), classe.Appreciation(1, s, 1));
        }
        QCOMPARE(g->Cellule(1, 4), QStringLiteral("Zoé Martin"));
        classe.AjouterEleve(QStringLiteral("Aaron"), QString(), false);
        f->NotifEleves(0, 0);
        QCOMPARE(g->NombreLignes(), 5 + 9);
        QCOMPARE(g->Cellule(2, 1), QString());
        QCOMPARE(g->Cellule(2, 2), classe.MoyenneBulletin(1, 2, 0));
    }

    void deuxClassesSuiventLEchelle() {
        TFeuilleClasse* a = Ouvrir(QStringLiteral("un"), 2, {1});
        TFeuilleClasse* b = Ouvrir(QStringLiteral("deux"), 3, {1});
        QVERIFY(a != b);
        Choisir(Grille(b), 2, 1, TGrilleBilanTavelin::CmdSur10);
        QCOMPARE(Options::MoyennesSur(), 10);
        for (TFeuilleClasse* f : {a, b}) {
            QCOMPARE(Grille(f)->Cellule(2, 0), QStringLiteral("Moyenne bulletin sur 10"));
            QCOMPARE(Grille(f)->Cellule(2, 1), QStringLiteral("1,00")); // 2 / 20 on 10
        }
    }

    void autreEchelleEntiere() {
        TFeuilleClasse* f = Ouvrir(QStringLiteral("x"), 2, {1});
        TGrilleBilanTavelin* g = Grille(f);
        QString legende, initial;
        QTimer::singleShot(0, this, [&] {
            auto* saisie = qobject_cast<TFormEdit*>(QApplication::activeModalWidget());
            QVERIFY(saisie);
            legende = saisie->windowTitle();
            initial = saisie->Champ()->text();
            saisie->Champ()->clear();
            QTest::keyClicks(saisie->Champ(), QStringLiteral("0"));
            QTest::mouseClick(saisie->BoutonOk(), Qt::LeftButton);
            QVERIFY(saisie->isVisible());
            QTest::keyClicks(saisie->Champ(), QStringLiteral("40"));
            QTest::keyClick(saisie->Champ(), Qt::Key_Return);
        });
        Choisir(g, 2, 1, TGrilleBilanTavelin::CmdAutreEchelle);
        QCOMPARE(legende, QStringLiteral("Moyennes sur"));
        QCOMPARE(initial, QStringLiteral("20"));
        QCOMPARE(env->interlocuteur.DuGenre(QStringLiteral("message")).size(), 1);
        QCOMPARE(Options::MoyennesSur(), 40);
        QCOMPARE(g->Cellule(2, 1), QStringLiteral("4,00"));
    }

    void statistiquesLivretSurUnePeriodeSeulement() {
        TFeuilleClasse* f = Ouvrir(QStringLiteral("l"), 3, {1, 1, 1});
        TGrilleBilanTavelin* g = Grille(f);
        Clic(g, Qt::LeftButton, 2, 0);
        QVERIFY(TFormHint::EstAffichee());
        QCOMPARE(TFormHint::Lignes().value(0), QStringLiteral("Statistiques livrets scolaires"));
        QCOMPARE(TFormHint::Lignes().value(1), QStringLiteral("Moyennes < 8 : ") +
                                                   f->Fichier().PourcentageLivretInf8(1) +
                                                   QStringLiteral(" %"));
        f->TabControlGrillesBilan()->Choisir(3);
        QVERIFY(!TFormHint::EstAffichee());
        Clic(g, Qt::LeftButton, 2, 0);
        QVERIFY(!TFormHint::EstAffichee());
    }

    // The colour of a ranking line comes from the average after its last arrow.
    void couleurDuClassement() {
        Options::ModifierColorationNote(true);
        TFichierTav c;
        c.InitialiserClasse(QStringLiteral("Trimestres"), QStringLiteral("Bulletins par défaut"));
        c.AjouterEleve(QStringLiteral("Zed -> 15"), QString(), false);
        c.AjouterSerie(1, QStringLiteral("S"), false, QStringLiteral("Contrôle en classe"),
                       QString(), QString(), QStringLiteral("oui"), QStringLiteral("1"),
                       QStringLiteral("20"));
        c.ModifierNote(1, 1, QStringLiteral("9,5"), 1);
        const QString chemin = env->Chemin(QStringLiteral("z.tav"));
        c.Enregistrer(chemin);
        TFeuilleClasse* f = fenetre->OuvrirOuMontrer(chemin);
        f->ChoisirPage(TFeuilleClasse::PageBilans);
        TGrilleBilanTavelin* g = Grille(f);
        const int k = g->Contenu().colonneClassement;
        QCOMPARE(g->Cellule(k, 1), QStringLiteral("Zed -> 15 -> 9,50"));
        TGrilleGeneriqueTavelin::TStyleCellule style;
        g->StyleCellule(k, 1, style);
        QCOMPARE(style.texte, Grille::Couleur(Options::Couleur1Note()));
        QCOMPARE(style.alignement, Qt::Alignment(Qt::AlignLeft | Qt::AlignTop));
    }
};

QTEST_MAIN(TestGrilleBilan)
#include "tst_grilleBilan.moc"
