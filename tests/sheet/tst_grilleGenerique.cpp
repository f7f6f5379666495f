// What every grid shares: the information window, the turbo menus, the in-place editor's
// refusal of characters a class file cannot hold, and the settings colours.
#include "../app/soutien_gui.h"
#include "../dialogs/aideDialogues.h"

#include "_FormHint.h"
#include "_TGrilleGenerique.h"
#include "tavX_codec.h"
#include "tavX_constantes.h"
#include "tavX_panneauGrille.h"

#include <QDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>

// A grid that reads the class file at each paint, as the grades grid does, and keeps the row
// clicked until its command runs: students removed behind its back leave it with stale indexes,
// for which the class file raises.
class TGrilleFragile : public TGrilleGeneriqueTavelin {
public:
    using TGrilleGeneriqueTavelin::TGrilleGeneriqueTavelin;
    int ligneRetenue = 0;

    QString Texte(int, int ligne) const override {
        return ligne == 0 ? QStringLiteral("Élèves")
                          : Fichier()->NomEleve(ligne) + Fichier()->DateNaissance(ligne);
    }
    bool CelluleModifiable(int, int ligne) const override {
        return !Fichier()->EstRedoublant(ligne);
    }
    void CelluleEditee(int, int ligne, const QString& texte) override {
        Fichier()->ModifierEleve(ligne, texte, false, QString());
    }
    void SourisEnfoncee(Qt::MouseButton, int, int ligne, const QPoint& position) override {
        ligneRetenue = ligne;
        NouveauMenuTurbo(Texte(0, ligne));
        AjouterCommande(QStringLiteral("Supprimer"), 1);
        MontrerMenuTurbo(position);
    }
    void Commande(int) override { Fichier()->SupprimerEleve(ligneRetenue); }
};

class TestGrilleGenerique : public QObject {
    Q_OBJECT

    std::unique_ptr<TEnvironnementGui> env;
    std::unique_ptr<TFormTavelin2> fenetre;

    TFeuilleClasse* Ouvrir(int eleves, const QList<int>& series) {
        return fenetre->OuvrirOuMontrer(EcrireClasse(env->Chemin(QStringLiteral("c.tav")),
                                                     QStringLiteral("3e C"), eleves, series));
    }
    static TGrilleGeneriqueTavelin* G(TGrilleFeuille* g) {
        return dynamic_cast<TGrilleGeneriqueTavelin*>(g);
    }

private slots:
    void init() {
        env = std::make_unique<TEnvironnementGui>();
        fenetre = FenetrePrete();
        fenetre->resize(1000, 600);
        fenetre->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(fenetre.get()));
    }
    void cleanup() {
        TGrilleGeneriqueTavelin::MontrerMenuPourTests() = nullptr;
        TFormHint::Cacher();
        fenetre.reset();
        env.reset();
    }

    void couleursDesReglages() {
        // Settings colours are stored red in the low byte.
        QCOMPARE(Grille::Couleur(0x000000FF), QColor(255, 0, 0));
        QCOMPARE(Grille::Couleur(0x00C00000), QColor(0, 0, 0xC0));
        QCOMPARE(Grille::Couleur(0x00F4FFE1), QColor(0xE1, 0xFF, 0xF4));
        // The selection colour follows its switch, and a change of setting shows at once.
        Options::ModifierColorationGrille(false);
        QCOMPARE(TGrilleGeneriqueTavelin::CouleurSelectionCellule(), QColor(0xC0, 0xC0, 0xC0));
        Options::ModifierColorationGrille(true);
        Options::ModifierCouleurSelection(0x00123456);
        QCOMPARE(TGrilleGeneriqueTavelin::CouleurSelectionCellule(), QColor(0x56, 0x34, 0x12));
        // Another settings store: its own values, not those kept from the previous one.
        env->NouveauxReglages();
        QVERIFY(Options::ColorationGrille());
        QCOMPARE(TGrilleGeneriqueTavelin::CouleurSelectionCellule(),
                 Grille::Couleur(Options::CouleurSelectionParDefaut()));
    }

    void fenetreInfo() {
        TFormHint::Afficher(QColor(200, 255, 200),
                            {QStringLiteral("Titre"), QStringLiteral("a"), QStringLiteral("b"),
                             QStringLiteral("c"), QStringLiteral("d")},
                            3, QPoint(100, 100));
        TFormHint* f = TFormHint::Instance();
        QVERIFY(TFormHint::EstAffichee());
        QCOMPARE(TFormHint::Lignes(),
                 (QStringList{QStringLiteral("Titre"), QStringLiteral("a"), QStringLiteral("b")}));
        QCOMPARE(f->pos(), QPoint(110, 100));
        QCOMPARE(f->palette().color(QPalette::Window), QColor(200, 255, 200));
        QVERIFY(f->windowFlags() & Qt::WindowStaysOnTopHint);
        // Five seconds, then it goes by itself.
        QCOMPARE(f->Minuterie()->interval(), 5000);
        QVERIFY(f->Minuterie()->isActive());
        QVERIFY(QMetaObject::invokeMethod(f->Minuterie(), "timeout", Qt::DirectConnection));
        QVERIFY(!TFormHint::EstAffichee());

        // A click anywhere on it closes it, and stops the timer.
        TFormHint::Afficher(
            Qt::yellow,
            {QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("z"), QStringLiteral("t")}, 4,
            QPoint(50, 50));
        QCOMPARE(TFormHint::Lignes().size(), 4);
        QTest::mouseClick(f, Qt::LeftButton, {}, QPoint(f->width() / 2, f->height() - 3));
        QVERIFY(!TFormHint::EstAffichee());
        QVERIFY(!f->Minuterie()->isActive());
    }

    void fenetreInfoFermeeParUnChangementDOnglet() {
        TFeuilleClasse* f = Ouvrir(3, {1, 1});
        TFormHint::Afficher(Qt::white,
                            {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}, 3);
        f->ChoisirPeriode(0);
        QVERIFY(!TFormHint::EstAffichee());
        TFormHint::Afficher(Qt::white,
                            {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}, 3);
        f->ChoisirPage(1);
        QVERIFY(!TFormHint::EstAffichee());
        // A dialog that opens closes it too.
        TFormHint::Afficher(Qt::white,
                            {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}, 3);
        QDialog dialogue(f);
        dialogue.setModal(true);
        dialogue.show();
        dialogue.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialogue));
        QTRY_COMPARE(QGuiApplication::focusWindow(), dialogue.windowHandle());
        QVERIFY(!TFormHint::EstAffichee());
    }

    void menuTurboRefaitAChaqueOuverture() {
        TFeuilleClasse* f = Ouvrir(3, {1});
        TGrilleGeneriqueTavelin* notes = G(f->Grilles().notes);
        QVERIFY(notes);
        QList<QMenu*> vus;
        TGrilleGeneriqueTavelin::MontrerMenuPourTests() = [&vus](QMenu* menu) { vus.append(menu); };
        for (int i = 0; i < 2; ++i) {
            QTest::mouseClick(notes->viewport(), Qt::RightButton, {},
                              notes->RectCellule(0, 2).center());
        }
        QCOMPARE(vus.size(), 2);
        QMenu* menu = notes->MenuTurbo();
        QCOMPARE(menu, vus.last());
        // The title, then a separator; the previous menu is gone.
        QCOMPARE(menu->actions().at(0)->text(), QStringLiteral("Turbo Menu \"Notes\""));
        QVERIFY(menu->actions().at(1)->isSeparator());
        QCOMPARE(menu->findChildren<QAction*>().size() > 0, true);
        QCOMPARE(notes->findChildren<QMenu*>().size(), 1);
    }

    // Paints, the model, clicks, keys and turbo-menu commands are where Qt calls a grid: an
    // exception raised there stops there, logged; a command tells the teacher; nothing ends.
    void uneExceptionNAtteintJamaisLaBoucleDEvenements() {
        static QStringList avertissements;
        avertissements.clear();
        const QtMessageHandler avant = qInstallMessageHandler(
            [](QtMsgType genre, const QMessageLogContext&, const QString& texte) {
                if (genre == QtWarningMsg) avertissements << texte;
            });
        QMenu* menu = nullptr;
        TGrilleGeneriqueTavelin::MontrerMenuPourTests() = [&menu](QMenu* m) { menu = m; };

        TFichierTav f;
        f.InitialiserClasse(QStringLiteral("Trimestres"), QStringLiteral("Bulletins par défaut"));
        for (int s = 1; s <= 5; ++s)
            f.AjouterEleve(QStringLiteral("Elève %1").arg(s), QString(), false);
        TPanneauGrille panneau;
        auto* g =
            new TGrilleFragile(&panneau, 1, &f, nullptr, TGrilleGeneriqueTavelin::GenreEleves);
        g->DefinirTaille(6, 1);
        panneau.AfficherGrille(true);
        panneau.resize(300, 300);
        panneau.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panneau));

        // A right click keeps row 4 for the command; then three students go behind its back.
        QTest::mousePress(g->viewport(), Qt::RightButton, {}, g->RectCellule(0, 4).center());
        QVERIFY(menu);
        f.SupprimerEleve(5);
        f.SupprimerEleve(4);
        f.SupprimerEleve(2);

        // The paint and the model: the stale rows show blank.
        g->viewport()->repaint();
        g->horizontalHeader()->viewport()->repaint();
        QCOMPARE(g->Modele()->data(g->Modele()->index(4, 0), Qt::DisplayRole), QVariant());
        QCOMPARE(g->Modele()->data(g->Modele()->index(0, 0), Qt::DisplayRole).toString(),
                 QStringLiteral("Elève 1"));
        QVERIFY(!(g->Modele()->flags(g->Modele()->index(4, 0)) & Qt::ItemIsEditable));
        g->AjusterLargeurColonnes();
        QVERIFY(!avertissements.isEmpty());
        QVERIFY(env->interlocuteur.DuGenre(QStringLiteral("message")).isEmpty());

        // The command on the row kept, gone since: the teacher is told, nothing else changes.
        menu->actions().last()->trigger();
        QCOMPARE(f.NombreEleves(), 2);
        // A click on a stale row, and an edit stored on one.
        QTest::mousePress(g->viewport(), Qt::RightButton, {}, g->RectCellule(0, 5).center());
        QVERIFY(!g->Modele()->setData(g->Modele()->index(4, 0), QStringLiteral("X"), Qt::EditRole));
        const auto messages = env->interlocuteur.DuGenre(QStringLiteral("message"));
        QCOMPARE(messages.size(), 3);
        for (const auto& m : messages)
            QVERIFY2(m.texte.contains(QStringLiteral("Indice de liste hors limites")),
                     qPrintable(m.texte));
        QCOMPARE(f.NombreEleves(), 2);
        QCOMPARE(f.NomEleve(2), QStringLiteral("Elève 3"));
        qInstallMessageHandler(avant);
    }

    void unCaractereImpossibleEstRefuseDansUneCellule() {
        TFeuilleClasse* f = Ouvrir(3, {1});
        TGrilleGeneriqueTavelin* notes = G(f->Grilles().notes);
        const int n = f->Fichier().NombreEleves();
        // The series comment, typed with a character outside Windows-1252.
        notes->setFocus();
        notes->SelectionnerCellule(0, n + Tav::LigneCommentaire);
        QTest::keyClick(notes, Qt::Key_F2);
        QLineEdit* editeur = notes->Editeur();
        QVERIFY(editeur);
        AideDialogues::TaperTexte(editeur, QStringLiteral("Ex"));
        AideDialogues::TaperTexte(editeur, QStringLiteral("Ł"));
        QTRY_VERIFY(!env->interlocuteur.DuGenre(QStringLiteral("message")).isEmpty());
        const auto messages = env->interlocuteur.DuGenre(QStringLiteral("message"));
        QCOMPARE(messages.first().texte,
                 Tav::MessageCaractereNonRepresentable(QStringLiteral("Ł")));
        QCOMPARE(editeur->text(), QStringLiteral("Ex"));
        QTest::keyClick(editeur, Qt::Key_Return);
        QCOMPARE(f->Fichier().Commentaire(1, 1), QStringLiteral("Ex"));
    }
};

QTEST_MAIN(TestGrilleGenerique)
#include "tst_grilleGenerique.moc"
