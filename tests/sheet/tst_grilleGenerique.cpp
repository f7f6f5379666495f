// What every grid shares: the information window, the turbo menus, the in-place editor's
// refusal of characters a class file cannot hold, and the settings colours.
#include "../app/soutien_gui.h"
#include "../dialogs/aideDialogues.h"

#include "_FormHint.h"
#include "_TGrilleGenerique.h"
#include "tavX_codec.h"
#include "tavX_constantes.h"

#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>

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
