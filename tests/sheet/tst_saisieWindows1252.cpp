// A class file holds Windows-1252 only. Every way a text comes into a class sheet (typing in a
// cell, a dialog, a paste from the clipboard, a text file imported) goes through the same check:
// a text that the file can hold is taken, one that it cannot ("Ł", "✓") changes nothing and the
// teacher is told which character is refused.
#include "../app/soutien_gui.h"

#include "_FormCreerListeEleves.h"
#include "_FormEdit.h"
#include "_FormModifierEleve.h"
#include "_TGrilleMoyennes.h"
#include "_TGrilleNotes.h"
#include "tavX_codec.h"
#include "tavX_commandesSeries.h"

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QLineEdit>
#include <QMenu>

class TestSaisieWindows1252 : public QObject {
    Q_OBJECT

    std::unique_ptr<TEnvironnementGui> env;
    std::unique_ptr<TFormTavelin2> fenetre;
    QMenu* menu = nullptr;

    TFeuilleClasse* Ouvrir(int eleves) {
        static int numero = 0;
        const QString nom = QStringLiteral("c%1").arg(++numero);
        return fenetre->OuvrirOuMontrer(EcrireClasse(env->Chemin(nom + QStringLiteral(".tav")), nom,
                                                     eleves,
                                                     eleves > 0 ? QList<int>{1} : QList<int>{}));
    }
    // Right click on a cell of a grid, then the turbo-menu item of that number.
    bool Choisir(TGrilleGeneriqueTavelin* g, int colonne, int ligne, int numero) {
        menu = nullptr;
        QTest::mousePress(g->WidgetCellule(ligne), Qt::RightButton, {},
                          g->RectCellule(colonne, ligne).center());
        if (!menu) return false;
        for (QAction* a : menu->actions())
            if (!a->isSeparator() && a->data().toInt() == numero && a->isEnabled()) {
                a->trigger();
                return true;
            }
        return false;
    }

    // Brings the text in by one path; true when the class (or the dialog) took it as it is.
    bool Entrer(const QString& chemin, const QString& texte, QString& erreur) {
        QClipboard* pp = QApplication::clipboard();
        if (chemin == QStringLiteral("frappe dans une cellule de notes")) {
            TFeuilleClasse* f = Ouvrir(2);
            auto* notes = dynamic_cast<TGrilleNotesTavelin*>(f->Grilles().notes);
            notes->setFocus();
            notes->SelectionnerCellule(0, 1);
            notes->EditerCelluleCourante();
            QLineEdit* champ = notes->Editeur();
            if (!champ) return false;
            champ->selectAll();
            champ->insert(texte); // what a key press or a paste in the editor does
            notes->TerminerEdition();
            QApplication::processEvents(); // the refusal is told once the edit has settled
            return f->Fichier().Note(1, 1, 1) == texte;
        }
        if (chemin == QStringLiteral("dialogue d'un élève")) {
            TFeuilleClasse* f = Ouvrir(1);
            TFormModifierEleve dialogue(f, QStringLiteral("Ajouter un élève"), false, QString(),
                                        QString());
            dialogue.ChampNom()->setText(texte);
            dialogue.accept();
            return dialogue.result() == QDialog::Accepted && dialogue.Nom() == texte;
        }
        if (chemin == QStringLiteral("dialogue de création de la liste")) {
            TFeuilleClasse* f = Ouvrir(0);
            TFormCreerListeEleves dialogue(f, QPixmap(), QStringLiteral("4e B"));
            dialogue.EditNomEtPrenom()->setText(texte);
            dialogue.Ajouter();
            return dialogue.Noms().contains(texte);
        }
        if (chemin == QStringLiteral("dialogue de saisie")) {
            TFeuilleClasse* f = Ouvrir(1);
            TFormEdit saisie(f, false, QStringLiteral("Contrôle"),
                             QStringLiteral("Modifier intitulé"));
            saisie.Champ()->setText(texte);
            saisie.accept();
            return saisie.result() == QDialog::Accepted && saisie.Texte() == texte;
        }
        if (chemin == QStringLiteral("coller les noms des élèves")) {
            TFeuilleClasse* f = Ouvrir(0);
            pp->setText(QStringLiteral("Bernard Paul\r\n") + texte + QStringLiteral("\r\n"));
            f->CollerNomsEleves();
            return f->Fichier().ListeEleves().contains(texte);
        }
        if (chemin == QStringLiteral("coller les dates de naissance")) {
            TFeuilleClasse* f = Ouvrir(2);
            pp->setText(QStringLiteral("01/02/2013\r\n") + texte);
            f->CollerDatesNaissance();
            return f->Fichier().DateNaissance(2) == texte;
        }
        if (chemin == QStringLiteral("coller les notes d'une série")) {
            TFeuilleClasse* f = Ouvrir(2);
            pp->setText(QStringLiteral("12\r\n") + texte);
            auto* notes = dynamic_cast<TGrilleGeneriqueTavelin*>(f->Grilles().notes);
            return Choisir(notes, 0, 0, TGrilleNotesTavelin::CmdCollerNotes) &&
                   f->Fichier().Note(1, 1, 2) == texte;
        }
        if (chemin == QStringLiteral("coller une note")) {
            TFeuilleClasse* f = Ouvrir(2);
            pp->setText(texte);
            auto* notes = dynamic_cast<TGrilleGeneriqueTavelin*>(f->Grilles().notes);
            return Choisir(notes, 0, 2, TGrilleNotesTavelin::CmdCollerNote) &&
                   f->Fichier().Note(1, 1, 2) == texte;
        }
        if (chemin == QStringLiteral("coller les points")) {
            TFeuilleClasse* f = Ouvrir(2);
            pp->setText(texte + QStringLiteral("\r\n1"));
            auto* moyennes = dynamic_cast<TGrilleGeneriqueTavelin*>(f->Grilles().moyennes);
            return Choisir(moyennes, 2, 1, TGrilleMoyennesTavelin::CmdColler) &&
                   f->Fichier().PointsPlusMoins(1, 1) == texte;
        }
        if (chemin == QStringLiteral("importer des notes d'un fichier texte")) {
            const QString nom = env->Chemin(QStringLiteral("notes.txt"));
            QFile fichier(nom);
            if (!fichier.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
            fichier.write((QStringLiteral("12\n") + texte + QStringLiteral("\n")).toUtf8());
            fichier.close();
            QStringList notes;
            const bool lu = CommandesSeries::LireNotesTexte(nom, notes, erreur);
            return lu && notes.value(1) == texte;
        }
        qFatal("chemin inconnu : %s", qPrintable(chemin));
        return false;
    }

private slots:
    void init() {
        env = std::make_unique<TEnvironnementGui>();
        fenetre = FenetrePrete();
        fenetre->resize(1000, 600);
        TGrilleGeneriqueTavelin::MontrerMenuPourTests() = [this](QMenu* m) { menu = m; };
        QApplication::clipboard()->clear();
    }
    void cleanup() {
        TGrilleGeneriqueTavelin::MontrerMenuPourTests() = nullptr;
        fenetre.reset();
        env.reset();
    }

    void unSeulControlePourToutesLesEntrees_data() {
        QTest::addColumn<QString>("chemin");
        QTest::addColumn<QString>("texte");
        QTest::addColumn<bool>("accepte");
        const QStringList chemins{QStringLiteral("frappe dans une cellule de notes"),
                                  QStringLiteral("dialogue d'un élève"),
                                  QStringLiteral("dialogue de création de la liste"),
                                  QStringLiteral("dialogue de saisie"),
                                  QStringLiteral("coller les noms des élèves"),
                                  QStringLiteral("coller les dates de naissance"),
                                  QStringLiteral("coller les notes d'une série"),
                                  QStringLiteral("coller une note"),
                                  QStringLiteral("coller les points"),
                                  QStringLiteral("importer des notes d'un fichier texte")};
        // Accented letters, "Œ" and "€" are Windows-1252; "Ł" and "✓" are not.
        for (const QString& chemin : chemins) {
            QTest::newRow(qPrintable(chemin + QStringLiteral(" : Zoë Œ €")))
                << chemin << QStringLiteral("Zoë Œ €") << true;
            QTest::newRow(qPrintable(chemin + QStringLiteral(" : Łukasz ✓")))
                << chemin << QStringLiteral("Łukasz ✓") << false;
            QTest::newRow(qPrintable(chemin + QStringLiteral(" : ✓")))
                << chemin << QStringLiteral("✓") << false;
        }
    }
    void unSeulControlePourToutesLesEntrees() {
        QFETCH(QString, chemin);
        QFETCH(QString, texte);
        QFETCH(bool, accepte);
        QString erreur;
        QCOMPARE(Entrer(chemin, texte, erreur), accepte);

        // A refusal names the character, once; an accepted text says nothing.
        QStringList messages;
        for (const auto& e : env->interlocuteur.DuGenre(QStringLiteral("message")))
            messages << e.texte;
        if (!erreur.isEmpty()) messages << erreur;
        if (accepte) {
            QVERIFY2(messages.isEmpty(), qPrintable(messages.join(QLatin1Char('\n'))));
        } else {
            const QString attendu =
                Tav::MessageCaractereNonRepresentable(*Tav::CaractereNonRepresentable(texte));
            QCOMPARE(messages.size(), 1);
            QVERIFY2(messages.first().endsWith(attendu), qPrintable(messages.first()));
        }
    }
};

QTEST_MAIN(TestSaisieWindows1252)
#include "tst_saisieWindows1252.moc"
