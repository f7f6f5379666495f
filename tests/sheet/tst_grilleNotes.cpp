// The grades grid: typing marks as a teacher does, the colours of the marks, the information
// window, the turbo menus and their effects on the class file and the averages.
#include "../app/soutien_gui.h"

#include "_FormCalendrier.h"
#include "_FormEdit.h"
#include "_FormHint.h"
#include "_TGrilleNotes.h"
#include "tavX_constantes.h"
#include "tavX_nombres.h"
#include "tavX_panneauGrille.h"
#include "tavX_rangeeOnglets.h"

#include <QAction>
#include <QCalendarWidget>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

namespace {

long double Valeur(const QString& texte) {
    long double v = -1000;
    return Tav::LireNombre(texte, v) ? v : -1000;
}

QString Jour(int decalage) {
    return QDate::currentDate().addDays(decalage).toString(QStringLiteral("dd/MM/yyyy"));
}

// Runs a modal dialog's answer as soon as it opens.
template <typename TDialogue, typename F> void QuandOuvert(F action) {
    QTimer::singleShot(0, [action] {
        auto* d = qobject_cast<TDialogue*>(QApplication::activeModalWidget());
        QVERIFY2(d, "le dialogue attendu n'est pas ouvert");
        action(d);
    });
}

} // namespace

class TestGrilleNotes : public QObject {
    Q_OBJECT

    std::unique_ptr<TEnvironnementGui> env;
    std::unique_ptr<TFormTavelin2> fenetre;
    TFeuilleClasse* feuille = nullptr;
    TGrilleNotesTavelin* g = nullptr;

    TFichierTav& F() { return feuille->Fichier(); }

    bool Ouvrir(int eleves, const QList<int>& series) {
        static int numero = 0;
        const QString nom = QStringLiteral("classe%1").arg(++numero);
        const QString chemin =
            EcrireClasse(env->Chemin(nom + QStringLiteral(".tav")), nom, eleves, series);
        feuille = fenetre->OuvrirOuMontrer(chemin);
        g = feuille ? dynamic_cast<TGrilleNotesTavelin*>(feuille->Grilles().notes) : nullptr;
        return g != nullptr;
    }

    // Where the keyboard goes: the open editor, else the grid.
    QWidget* Cible() const {
        QLineEdit* e = g->Editeur();
        return e && e->isVisible() ? e : static_cast<QWidget*>(g);
    }
    bool EnEdition() const { return Cible() != g; }
    void Taper(const QString& texte) {
        for (const QChar ch : texte)
            QTest::keyClick(Cible(), ch.toLatin1());
    }
    void Touche(Qt::Key touche, Qt::KeyboardModifiers modificateurs = Qt::NoModifier) {
        QTest::keyClick(Cible(), touche, modificateurs);
    }
    void Clic(int colonne, int ligne, Qt::MouseButton bouton = Qt::LeftButton) {
        g->scrollTo(g->Modele()->index(std::max(0, ligne - 1), colonne));
        QTest::mouseClick(g->WidgetCellule(ligne), bouton, {},
                          g->RectCellule(colonne, ligne).center());
    }

    // Right-clicks a cell; the menu that opens is read and, when `choix` is given, that item is
    // chosen. Returns the items (title included) with "(grisé)" after the disabled ones.
    QStringList Menu(int colonne, int ligne, const QString& choix = QString()) {
        QStringList vu;
        bool choisi = choix.isEmpty();
        TGrilleGeneriqueTavelin::MontrerMenuPourTests() = [&](QMenu* menu) {
            for (QAction* a : menu->actions()) {
                if (a->isSeparator()) continue;
                vu << a->text() + (a->isEnabled() ? QString() : QStringLiteral(" (grisé)"));
            }
            for (QAction* a : menu->actions()) {
                if (!choisi && a->text() == choix && a->isEnabled()) {
                    choisi = true;
                    a->trigger();
                }
            }
        };
        Clic(colonne, ligne, Qt::RightButton);
        TGrilleGeneriqueTavelin::MontrerMenuPourTests() = nullptr;
        if (!choisi)
            QTest::qFail(qPrintable(QStringLiteral("élément absent ou grisé : ") + choix), __FILE__,
                         __LINE__);
        return vu;
    }
    QStringList Notes(int j) {
        QStringList notes;
        for (int s = 1; s <= F().NombreEleves(); ++s)
            notes << F().Note(1, j, s);
        return notes;
    }
    void DefinirNotes(int j, const QStringList& notes) {
        for (int s = 1; s <= notes.size(); ++s)
            F().ModifierNote(1, j, notes.at(s - 1), s);
        g->NotifColonne(j - 1);
    }

private slots:
    void init() {
        env = std::make_unique<TEnvironnementGui>();
        fenetre = FenetrePrete();
        fenetre->resize(1100, 900);
        QGuiApplication::clipboard()->clear();
    }
    void cleanup() {
        TGrilleGeneriqueTavelin::MontrerMenuPourTests() = nullptr;
        TFormHint::Cacher();
        g = nullptr;
        feuille = nullptr;
        fenetre.reset();
        env.reset();
    }

    // ---- Contents and periods -----------------------------------------------------------------

    void contenuDesColonnesEtPeriodes() {
        QVERIFY(Ouvrir(4, {2, 0, 1}));
        // The last period with series is shown first.
        QCOMPARE(g->Periode(), 3);
        QCOMPARE(g->NombreColonnes(), 1);
        QCOMPARE(g->NombreLignes(), 4 + 18);
        feuille->TabControlGrillesNotes()->Choisir(0);
        QCOMPARE(g->NombreColonnes(), 2);
        QCOMPARE(g->Texte(1, 0), QStringLiteral("Série 2 (sur 20)"));
        QCOMPARE(g->Texte(1, 1), F().Note(1, 2, 1));
        QCOMPARE(g->Texte(0, 4 + Tav::LigneNoteSur), QStringLiteral("20"));
        QCOMPARE(g->Texte(0, 4 + Tav::LigneCompteDansMoyenne), QStringLiteral("oui"));
        QCOMPARE(g->Texte(0, 4 + Tav::LigneOralEcrit), QStringLiteral("Ecrit"));
        QCOMPARE(g->Texte(0, 4 + Tav::LigneMoyenne), F().MoyenneSerie(1, 1));
        QCOMPARE(g->Texte(0, 4 + Tav::LigneNombrePresents), QStringLiteral("4"));
        QVERIFY(feuille->PanelNotes()->GrilleAffichee());
        // Each column fits its widest text.
        const int large = g->fontMetrics().horizontalAdvance(g->Texte(0, 0));
        QVERIFY(g->columnWidth(0) >= large + 10);
        // A period without series: the caption instead of the grid.
        feuille->TabControlGrillesNotes()->Choisir(1);
        QCOMPARE(g->NombreColonnes(), 1);
        QVERIFY(g->Texte(0, 0).isEmpty());
        QVERIFY(feuille->PanelNotes()->LegendeVisible());
        QVERIFY(!g->CelluleModifiable(0, 1));
    }

    // ---- Typing -------------------------------------------------------------------------------

    void saisieDUneSuiteDeNotes() {
        QVERIFY(Ouvrir(4, {1}));
        const QString avant = F().Note(1, 1, 1);
        Clic(0, 1);
        Taper(QStringLiteral("12"));
        Touche(Qt::Key_Period, Qt::KeypadModifier);
        Taper(QStringLiteral("5"));
        QVERIFY(EnEdition());
        QCOMPARE(g->Editeur()->text(), QStringLiteral("12,5"));
        // Nothing is stored while the mark is being typed.
        QCOMPARE(F().Note(1, 1, 1), avant);
        QVERIFY(!F().EstModifie());

        Touche(Qt::Key_Return);
        QCOMPARE(F().Note(1, 1, 1), QStringLiteral("12,5"));
        QVERIFY(F().EstModifie());
        QVERIFY(feuille->ImageFeuRouge()->isVisibleTo(feuille));
        // The next student is ready: the next mark replaces the old one as it is typed.
        QCOMPARE(g->LigneCourante(), 2);
        QCOMPARE(g->ColonneCourante(), 0);
        Taper(QStringLiteral("14"));
        Touche(Qt::Key_Enter, Qt::KeypadModifier);
        Taper(QStringLiteral("8"));
        Touche(Qt::Key_Return);
        Taper(QStringLiteral("abc"));
        Touche(Qt::Key_Return);
        QCOMPARE(Notes(1), (QStringList{"12,5", "14", "8", "abc"}));
        // On the last student the selection stays.
        QCOMPARE(g->LigneCourante(), 4);
        QVERIFY(!EnEdition());

        // The statistics rows and the average follow every stored mark.
        const QStringList notes = Notes(1);
        QCOMPARE(g->Texte(0, 4 + Tav::LigneMoyenne), TFichierTav::MoyenneListe(notes));
        QCOMPARE(Valeur(g->Texte(0, 4 + Tav::LigneMin)), 8.0L);
        QCOMPARE(g->Texte(0, 4 + Tav::LigneNombrePresents), QStringLiteral("3"));
        QCOMPARE(Valeur(F().MoyenneBrute(1, 1)), 12.5L);
        QCOMPARE(Valeur(F().MoyenneBrute(1, 2)), 14.0L);
        QVERIFY(F().MoyenneBrute(1, 4).isEmpty());
    }

    void finDeSaisieParLaSourisEtCommentaire() {
        QVERIFY(Ouvrir(3, {1}));
        Clic(0, 2);
        Taper(QStringLiteral("7"));
        // A press on another cell stores the mark.
        Clic(0, 3);
        QCOMPARE(F().Note(1, 1, 2), QStringLiteral("7"));
        QCOMPARE(g->LigneCourante(), 3);
        QCOMPARE(g->ColonneCourante(), 0);
        // The comment row can be typed into; statistics and properties cannot.
        const int commentaire = 3 + Tav::LigneCommentaire;
        Clic(0, commentaire);
        Taper(QStringLiteral("Revoir"));
        Touche(Qt::Key_Return);
        QCOMPARE(F().Commentaire(1, 1), QStringLiteral("Revoir"));
        QCOMPARE(g->LigneCourante(), commentaire);
        for (int ligne : {3 + Tav::LigneMoyenne, 3 + Tav::LigneNoteSur, 3 + Tav::LigneDate}) {
            Clic(0, ligne);
            Taper(QStringLiteral("1"));
            QVERIFY(!EnEdition());
            // No jump to a cell that starts with what was typed.
            QCOMPARE(g->LigneCourante(), ligne);
        }
        QCOMPARE(F().NoteSur(1, 1), QStringLiteral("20"));
    }

    void finDeSaisieQuandLaGrillePerdLeFocus() {
        QVERIFY(Ouvrir(2, {1}));
        fenetre->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(fenetre.get()));
        Clic(0, 1);
        Taper(QStringLiteral("9"));
        QVERIFY(EnEdition());
        QCOMPARE(QApplication::focusWidget(), g->Editeur());
        feuille->TabSet1()->setFocus(Qt::MouseFocusReason);
        QCOMPARE(F().Note(1, 1, 1), QStringLiteral("9"));
        QVERIFY(!EnEdition());
    }

    void toucheMoinsDuPaveEtPointDuClavier() {
        QVERIFY(Ouvrir(3, {2}));
        // While typing: the keypad's minus writes "abs" at once and ends the editing.
        Clic(1, 2);
        Taper(QStringLiteral("1"));
        Touche(Qt::Key_Minus, Qt::KeypadModifier);
        QCOMPARE(F().Note(1, 2, 2), QStringLiteral("abs"));
        QVERIFY(!EnEdition());
        QVERIFY(!g->CelluleModifiable(1, 2));
        Taper(QStringLiteral("5"));
        QCOMPARE(F().Note(1, 2, 2), QStringLiteral("abs"));
        QCOMPARE(g->Texte(1, 3 + Tav::LigneNombrePresents), QStringLiteral("2"));
        // Without an editor too; the next selection allows typing again.
        Clic(0, 3);
        QVERIFY(g->CelluleModifiable(0, 3));
        Touche(Qt::Key_Minus, Qt::KeypadModifier);
        QCOMPARE(F().Note(1, 1, 3), QStringLiteral("abs"));
        // The main keyboard's minus is a character like any other.
        Clic(0, 1);
        Touche(Qt::Key_Minus);
        Taper(QStringLiteral("2"));
        Touche(Qt::Key_Return);
        QCOMPARE(F().Note(1, 1, 1), QStringLiteral("-2"));
        // The main keyboard's point is kept: "12.5" is not a number and shows as an error.
        Clic(0, 2);
        Taper(QStringLiteral("12.5"));
        Touche(Qt::Key_Return);
        QCOMPARE(F().Note(1, 1, 2), QStringLiteral("12.5"));
        TGrilleGeneriqueTavelin::TStyleCellule style;
        g->StyleCellule(0, 2, style);
        QCOMPARE(style.fond, Grille::Couleur(Options::Couleur5Note()));
        QCOMPARE(style.texte, QColor(Qt::black));
        // Neither "12.5" nor "abs" counts: the student has no average.
        QVERIFY(F().MoyenneBrute(1, 2).isEmpty());
    }

    // ---- Colours ------------------------------------------------------------------------------

    void couleursDesNotes_data() {
        QTest::addColumn<QString>("note");
        QTest::addColumn<int>("texte"); // 0 black, else couleurNNote
        QTest::addColumn<bool>("erreur");
        QTest::newRow("9,99") << "9,99" << 1 << false;
        QTest::newRow("10") << "10" << 2 << false;
        QTest::newRow("14,5") << "14,5" << 2 << false;
        QTest::newRow("15") << "15" << 3 << false;
        QTest::newRow("20") << "20" << 3 << false;
        QTest::newRow("0") << "0" << 1 << false;
        QTest::newRow("20,5") << "20,5" << 4 << true;
        QTest::newRow("-1") << "-1" << 4 << true;
        QTest::newRow("abs") << "abs" << 0 << false;
        QTest::newRow("vide") << "" << 0 << false;
        QTest::newRow("12a") << "12a" << 0 << true;
        QTest::newRow("9.99") << "9.99" << 0 << true;
    }
    void couleursDesNotes() {
        QFETCH(QString, note);
        QFETCH(int, texte);
        QFETCH(bool, erreur);
        const QList<qint32> couleurs = {0x000000FF, 0x0000FF00, 0x00FF0000, 0x0000FFFF, 0x00FF00FF};
        Options::ModifierCouleur1Note(couleurs[0]);
        Options::ModifierCouleur2Note(couleurs[1]);
        Options::ModifierCouleur3Note(couleurs[2]);
        Options::ModifierCouleur4Note(couleurs[3]);
        Options::ModifierCouleur5Note(couleurs[4]);
        QVERIFY(Ouvrir(4, {1}));
        DefinirNotes(1, {note});
        const QColor rangee = Grille::Couleur(Options::LignesImpaires());
        TGrilleGeneriqueTavelin::TStyleCellule style;
        g->StyleCellule(0, 1, style);
        QCOMPARE(style.texte, texte ? Grille::Couleur(couleurs[texte - 1]) : QColor(Qt::black));
        QCOMPARE(style.fond, erreur ? Grille::Couleur(couleurs[4]) : rangee);
        QVERIFY(style.alignement & Qt::AlignHCenter);

        // Without the grid colouring: no error background; without the mark colouring: black.
        Options::ModifierColorationGrille(false);
        g->StyleCellule(0, 1, style);
        QCOMPARE(style.fond, QColor(Qt::white));
        Options::ModifierColorationNote(false);
        g->StyleCellule(0, 1, style);
        QCOMPARE(style.texte, QColor(Qt::black));
    }

    void selectionEtMoyenneEnGras() {
        QVERIFY(Ouvrir(4, {2}));
        DefinirNotes(1, {"25"});
        TGrilleGeneriqueTavelin::TStyleCellule style;
        g->StyleCellule(0, 4 + Tav::LigneMoyenne, style);
        QVERIFY(style.gras);
        g->StyleCellule(0, 4 + Tav::LigneMin, style);
        QVERIFY(!style.gras);
        // The selection background covers the error colour.
        Clic(0, 1);
        g->viewport()->repaint();
        const QImage image = g->viewport()->grab().toImage();
        const QRect zone = g->RectCellule(0, 1);
        QCOMPARE(image.pixelColor(zone.left() + 3, zone.bottom() - 2),
                 TGrilleGeneriqueTavelin::CouleurSelectionCellule());
        const QRect autre = g->RectCellule(1, 3);
        QCOMPARE(image.pixelColor(autre.left() + 3, autre.bottom() - 2),
                 Grille::Couleur(Options::LignesImpaires()));
    }

    // ---- Selection, header, information window -----------------------------------------------

    void selectionEtFenetreInformation() {
        QVERIFY(Ouvrir(4, {3}));
        // The sheet realigns the rows but leaves the clicked cell selected here.
        Clic(2, 3);
        QCOMPARE(g->ColonneCourante(), 2);
        QCOMPARE(g->LigneCourante(), 3);
        QCOMPARE(g->ColonneRetenue(), 2);
        QVERIFY(g->EstSelectionnee(2, 3));
        QVERIFY(!g->EstSelectionnee(0, 3));

        Clic(1, 0);
        QVERIFY(TFormHint::EstAffichee());
        QCOMPARE(
            TFormHint::Lignes().mid(0, 7),
            (QStringList{"Série 2", "Minimum : " + F().MinimumSerie(1, 2) + "/20",
                         "Maximum : " + F().MaximumSerie(1, 2) + "/20",
                         "Moyenne : " + F().MoyenneSerie(1, 2) + "/20",
                         "Ecart type : " + F().EcartTypeSerie(1, 2),
                         "% notes < moyenne : " + F().PourcentageSousMoyenne(1, 2),
                         "% notes < moyenne classe : " + F().PourcentageSousMoyenneClasse(1, 2)}));
        // Any press hides it; with the setting off it does not open.
        Clic(0, 1);
        QVERIFY(!TFormHint::EstAffichee());
        Options::ModifierAfficherFenetreInfo(false);
        Clic(1, 0);
        QVERIFY(!TFormHint::EstAffichee());
    }

    void lesGrillesVoisinesSuivent() {
        QVERIFY(Ouvrir(4, {3}));
        auto* eleves = dynamic_cast<TGrilleGeneriqueTavelin*>(feuille->Grilles().eleves);
        auto* moyennes = dynamic_cast<TGrilleGeneriqueTavelin*>(feuille->Grilles().moyennes);
        if (!eleves || !moyennes) QSKIP("grille des élèves ou des moyennes absente");
        Clic(2, 3);
        QVERIFY(eleves->EstSelectionnee(1, 3));
        QVERIFY(moyennes->EstSelectionnee(0, 3) && moyennes->EstSelectionnee(3, 3));
        // A stored mark reaches the averages at once; Enter moves every grid to the next row.
        Taper(QStringLiteral("19"));
        Touche(Qt::Key_Return);
        QCOMPARE(moyennes->Texte(0, 3), F().MoyenneBrute(1, 3));
        QVERIFY(F().MoyenneBrute(1, 3) != QString());
        QVERIFY(eleves->EstSelectionnee(1, 4));
        QVERIFY(moyennes->EstSelectionnee(0, 4));
        const QString avant = moyennes->Texte(0, 4);
        Touche(Qt::Key_Minus, Qt::KeypadModifier);
        QVERIFY(moyennes->Texte(0, 4) != avant);
        QCOMPARE(moyennes->Texte(0, 4), F().MoyenneBrute(1, 4));
    }

    // ---- Series menu --------------------------------------------------------------------------

    void menuSerieIntituleEtCopies() {
        QVERIFY(Ouvrir(3, {2}));
        QStringList menu = Menu(1, 0);
        QCOMPARE(menu, (QStringList{"Turbo Menu \"Série de notes\"",
                                    "Modifier l'intitulé \"Série 2\" ...",
                                    "Déplacer vers \"Premier trimestre\" (grisé)",
                                    "Déplacer vers \"Deuxième trimestre\"",
                                    "Déplacer vers \"Troisième trimestre\"",
                                    "Copier les notes dans le Presse-Papiers (sans les noms et les "
                                    "statistiques de la série)",
                                    "Copier les notes dans le Presse-Papiers (avec les noms et les "
                                    "statistiques de la série)",
                                    "Coller les notes depuis le Presse-Papiers (grisé)"}));
        // The header click selected the whole column.
        QVERIFY(g->EstSelectionnee(1, 1) && g->EstSelectionnee(1, 3 + Tav::LigneOralEcrit));

        QuandOuvert<TFormEdit>([](TFormEdit* d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("Modifier intitulé"));
            QCOMPARE(d->Champ()->text(), QStringLiteral("Série 2"));
            d->Champ()->setText(QStringLiteral("Contrôle & bilan"));
            d->BoutonOk()->click();
        });
        Menu(1, 0, QStringLiteral("Modifier l'intitulé \"Série 2\" ..."));
        QCOMPARE(F().Intitule(1, 2), QStringLiteral("Contrôle & bilan"));
        QCOMPARE(g->Texte(1, 0), QStringLiteral("Contrôle & bilan (sur 20)"));
        // A "&" of a title is shown as it is in the menu.
        QCOMPARE(Menu(1, 0).value(1),
                 QStringLiteral("Modifier l'intitulé \"Contrôle && bilan\" ..."));

        DefinirNotes(2, {"12", "abs", ""});
        Menu(1, 0, menu.value(5));
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("12\r\nabs\r\n\r\n"));
        Menu(1, 0, menu.value(6));
        const QString sur = QStringLiteral("/20\r\n");
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 "Elève 01 12\r\nElève 02 abs\r\nElève 03 \r\n\r\n"
                 "Nombre d'élèves présents : 1\r\n"
                 "Minimum : " +
                     F().MinimumSerie(1, 2) + sur + "Maximum : " + F().MaximumSerie(1, 2) + sur +
                     "Moyenne : " + F().MoyenneSerie(1, 2) + sur +
                     "Ecart type : " + F().EcartTypeSerie(1, 2) + "\r\n" +
                     "% notes < moyenne : " + F().PourcentageSousMoyenne(1, 2) + "\r\n" +
                     "% notes < moyenne classe : " + F().PourcentageSousMoyenneClasse(1, 2));
        QVERIFY(!Menu(1, 0).last().endsWith(QStringLiteral("(grisé)")));
    }

    void collerLesNotesDUneColonne() {
        QVERIFY(Ouvrir(25, {1}));
        QStringList trente;
        for (int i = 1; i <= 30; ++i)
            trente << QString::number(i % 21);
        QGuiApplication::clipboard()->setText(trente.join(QStringLiteral("\r\n")) + "\r\n");
        Menu(0, 0, QStringLiteral("Coller les notes depuis le Presse-Papiers"));
        QCOMPARE(Notes(1), trente.mid(0, 25));
        QCOMPARE(Valeur(F().MoyenneBrute(1, 25)), 4.0L);
        QCOMPARE(Valeur(g->Texte(0, 25 + Tav::LigneMax)), 20.0L);

        QGuiApplication::clipboard()->setText(QStringLiteral("abs\n7,5\n\n"));
        Menu(0, 0, QStringLiteral("Coller les notes depuis le Presse-Papiers"));
        QCOMPARE(Notes(1).mid(0, 4), (QStringList{"abs", "7,5", "", "4"}));
        QCOMPARE(Notes(1).mid(3), trente.mid(3, 22));
    }

    void deplacerUneSerie() {
        QVERIFY(Ouvrir(3, {2, 1}));
        feuille->TabControlGrillesNotes()->Choisir(0);
        DefinirNotes(1, {"18", "abs", "17"});
        const QString notes = Notes(1).join(QLatin1Char(';'));
        const QString avantP2 = F().MoyenneBrute(2, 1);
        Menu(0, 0, QStringLiteral("Déplacer vers \"Deuxième trimestre\""));
        QCOMPARE(F().NombreSeries(1), 1);
        QCOMPARE(F().NombreSeries(2), 2);
        QCOMPARE(F().Intitule(2, 2), QStringLiteral("Série 1"));
        QCOMPARE(QStringList(F().ColonneSerie(2, 2).mid(1, 3)).join(QLatin1Char(';')), notes);
        QCOMPARE(Valeur(avantP2), 2.0L);
        QCOMPARE(Valeur(F().MoyenneBrute(2, 1)), 10.0L);
        // The grid shows what is left, the labels count it.
        QCOMPARE(g->NombreColonnes(), 1);
        QCOMPARE(g->Texte(0, 0), QStringLiteral("Série 2 (sur 20)"));
        QVERIFY(feuille->Label1()->text().contains(QStringLiteral("1 série de notes")));
        Menu(0, 0, QStringLiteral("Déplacer vers \"Troisième trimestre\""));
        QCOMPARE(F().NombreSeries(1), 0);
        QVERIFY(feuille->PanelNotes()->LegendeVisible());
    }

    // ---- Marks menu ---------------------------------------------------------------------------

    void decalerLesNotes() {
        QVERIFY(Ouvrir(4, {1}));
        const QStringList depart = {"a", "b", "c", "d"};
        DefinirNotes(1, depart);
        Menu(0, 2, QStringLiteral("Décaler les notes vers le bas"));
        QCOMPARE(Notes(1), (QStringList{"a", "", "b", "c"}));
        DefinirNotes(1, depart);
        Menu(0, 3, QStringLiteral("Décaler les notes vers le haut"));
        QCOMPARE(Notes(1), (QStringList{"b", "c", "", "d"}));
        // From the last student down, from the first up: nothing changes.
        DefinirNotes(1, {"12", "13", "14", "15"});
        const QString moyenne = F().MoyenneBrute(1, 4);
        Menu(0, 4, QStringLiteral("Décaler les notes vers le bas"));
        Menu(0, 1, QStringLiteral("Décaler les notes vers le haut"));
        QCOMPARE(Notes(1), (QStringList{"12", "13", "14", "15"}));
        Menu(0, 1, QStringLiteral("Décaler les notes vers le bas"));
        QCOMPARE(Notes(1), (QStringList{"", "12", "13", "14"}));
        QVERIFY(F().MoyenneBrute(1, 4) != moyenne);
        QCOMPARE(g->Texte(0, 4 + Tav::LigneNombrePresents), QStringLiteral("3"));
    }

    void copierEtCollerUneNote() {
        QVERIFY(Ouvrir(3, {1}));
        DefinirNotes(1, {"15,5", ""});
        QCOMPARE(Menu(0, 2), (QStringList{"Turbo Menu \"Notes\"", "Décaler les notes vers le bas",
                                          "Décaler les notes vers le haut",
                                          "Coller la note depuis le Presse-Papiers (grisé)"}));
        Menu(0, 1, QStringLiteral("Copier \"15,5\" dans le Presse-Papiers"));
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("15,5\r\n"));
        Menu(0, 2, QStringLiteral("Coller la note depuis le Presse-Papiers"));
        QCOMPARE(F().Note(1, 1, 2), QStringLiteral("15,5"));
        QCOMPARE(Valeur(F().MoyenneBrute(1, 2)), 15.5L);
        QCOMPARE(g->Texte(0, 3 + Tav::LigneNombrePresents), QStringLiteral("3"));
    }

    // ---- Property menus -----------------------------------------------------------------------

    void noteSurChangeLesMoyennes() {
        QVERIFY(Ouvrir(2, {1}));
        DefinirNotes(1, {"8", "12"});
        QCOMPARE(Valeur(F().MoyenneBrute(1, 1)), 8.0L);
        F().Enregistrer(F().NomFichier());
        const int ligne = 2 + Tav::LigneNoteSur;
        // The maximum already in place: nothing changes, nothing is marked modified.
        Menu(0, ligne, QStringLiteral("20"));
        QVERIFY(!F().EstModifie());
        Menu(0, ligne, QStringLiteral("10"));
        QCOMPARE(F().NoteSur(1, 1), QStringLiteral("10"));
        QCOMPARE(g->Texte(0, 0), QStringLiteral("Série 1 (sur 10)"));
        QCOMPARE(Valeur(F().MoyenneBrute(1, 1)), 16.0L);
        // 12 is now above the maximum.
        TGrilleGeneriqueTavelin::TStyleCellule style;
        g->StyleCellule(0, 2, style);
        QCOMPARE(style.texte, Grille::Couleur(Options::Couleur4Note()));

        QuandOuvert<TFormEdit>([](TFormEdit* d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("Noté sur"));
            QVERIFY(d->EstNumerique());
            QCOMPARE(d->Champ()->text(), QStringLiteral("10"));
            d->Champ()->setText(QStringLiteral("40"));
            d->BoutonOk()->click();
        });
        Menu(0, ligne, QStringLiteral("Autre ..."));
        QCOMPARE(F().NoteSur(1, 1), QStringLiteral("40"));
        QCOMPARE(Valeur(F().MoyenneBrute(1, 1)), 4.0L);
        QCOMPARE(g->Texte(0, 2 + Tav::LigneNoteSur), QStringLiteral("40"));
    }

    void coefficientEtCompteDansLaMoyenne() {
        QVERIFY(Ouvrir(2, {2}));
        DefinirNotes(1, {"8"});
        DefinirNotes(2, {"16"});
        QCOMPARE(Valeur(F().MoyenneBrute(1, 1)), 12.0L);
        const int coefficient = 2 + Tav::LigneCoefficient;
        QStringList menu = Menu(0, coefficient);
        QCOMPARE(menu.first(), QStringLiteral("Turbo Menu \"Coefficient\""));
        QCOMPARE(menu.mid(1),
                 (QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "Autre ..."}));
        Menu(0, coefficient, QStringLiteral("3"));
        QCOMPARE(F().Coefficient(1, 1), QStringLiteral("3"));
        QCOMPARE(Valeur(F().MoyenneBrute(1, 1)), 10.0L); // (24 + 16) / 4
        QuandOuvert<TFormEdit>([](TFormEdit* d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("Coefficient de la série"));
            d->Champ()->setText(QStringLiteral("0,5"));
            d->BoutonOk()->click();
        });
        Menu(1, coefficient, QStringLiteral("Autre ..."));
        QCOMPARE(F().Coefficient(1, 2), QStringLiteral("0,5"));
        // (8 x 3 + 16 x 0,5) / (20 x 3 + 20 x 0,5) x 20
        QVERIFY(qAbs(Valeur(F().MoyenneBrute(1, 1)) - 64.0L / 7) < 0.01L);
    }

    void compteOralTypeEtDate() {
        QVERIFY(Ouvrir(2, {2}));
        DefinirNotes(1, {"8"});
        DefinirNotes(2, {"16"});
        Menu(0, 2 + Tav::LigneCompteDansMoyenne, QStringLiteral("non"));
        QCOMPARE(F().CompteDansMoyenne(1, 1), QStringLiteral("non"));
        QCOMPARE(Valeur(F().MoyenneBrute(1, 1)), 16.0L);
        QCOMPARE(g->Texte(0, 2 + Tav::LigneCompteDansMoyenne), QStringLiteral("non"));

        Menu(1, 2 + Tav::LigneOralEcrit, QStringLiteral("Oral"));
        QCOMPARE(F().OralEcrit(1, 2), QStringLiteral("Oral"));

        const QStringList types = Options::ChargerTypesDeNotes();
        QVERIFY(types.size() > 1);
        QCOMPARE(Menu(0, 2 + Tav::LigneTypeNotes).mid(1), types);
        Menu(0, 2 + Tav::LigneTypeNotes, types.last());
        QCOMPARE(F().TypeNotes(1, 1), types.last());

        const int date = 2 + Tav::LigneDate;
        QCOMPARE(Menu(0, date),
                 (QStringList{"Turbo Menu \"Date\"", Jour(-2) + " (avant-hier)",
                              Jour(-1) + " (hier)", Jour(0) + " (aujourd'hui)",
                              Jour(1) + " (demain)", Jour(2) + " (après-demain)", "Autre ..."}));
        Menu(0, date, Jour(-1) + QStringLiteral(" (hier)"));
        QCOMPARE(F().DateSerie(1, 1), Jour(-1));
        QCOMPARE(g->Texte(0, date), Jour(-1));

        QuandOuvert<TFormCalendrier>([](TFormCalendrier* d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("Calendrier"));
            QCOMPARE(d->Date(), QDate::currentDate());
            d->Calendrier()->setSelectedDate(QDate(2025, 7, 14));
            QTest::keyClick(d->Calendrier()->focusWidget() ? d->Calendrier()->focusWidget()
                                                           : d->Calendrier(),
                            Qt::Key_Return);
        });
        Menu(0, date, QStringLiteral("Autre ..."));
        QCOMPARE(F().DateSerie(1, 1), QStringLiteral("14/07/2025"));
        QuandOuvert<TFormCalendrier>([](TFormCalendrier* d) {
            d->Calendrier()->setSelectedDate(QDate(2025, 1, 1));
            QTest::keyClick(d->Calendrier()->focusWidget() ? d->Calendrier()->focusWidget()
                                                           : d->Calendrier(),
                            Qt::Key_Escape);
        });
        Menu(0, date, QStringLiteral("Autre ..."));
        QCOMPARE(F().DateSerie(1, 1), QStringLiteral("14/07/2025"));
        // Rows without a menu.
        QVERIFY(Menu(0, 2 + Tav::LigneMoyenne).isEmpty());
        QVERIFY(Menu(0, 2 + Tav::LigneCommentaire).isEmpty());
    }
};

QTEST_MAIN(TestGrilleNotes)
#include "tst_grilleNotes.moc"
