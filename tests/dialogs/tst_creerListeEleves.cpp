// The student-list dialog TFormCreerListeEleves: typing a class list as a teacher would, then
// storing it into a class file.
#include "_FormCreerListeEleves.h"
#include "_FormModifierEleve.h"
#include "aideDialogues.h"
#include "tavX_fichierTav.h"
#include "tavX_listeColoree.h"
#include "tavtest_ecrivain.h"

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using namespace AideDialogues;

namespace {

QStringList Lignes(QListWidget* liste) {
    QStringList l;
    for (int i = 0; i < liste->count(); ++i)
        l.append(liste->item(i)->text());
    return l;
}

// Types one student into the fields and presses Enter in the name field.
void TaperEleve(TFormCreerListeEleves& d, const QString& nom, const QString& date = {},
                bool redoublant = false) {
    d.EditNomEtPrenom()->setFocus();
    TaperTexte(d.EditNomEtPrenom(), nom);
    if (!date.isEmpty()) {
        QTest::keyClick(d.EditNomEtPrenom(), Qt::Key_Tab);
        TaperTexte(d.EditDate(), date);
    }
    if (redoublant) {
        QTest::keyClick(&d, Qt::Key_R, Qt::AltModifier); // the box ticks itself a moment later
        QTRY_VERIFY(d.CheckBoxRedoublant()->isChecked());
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
}

int Ligne(QListWidget* liste, const QString& texte) {
    for (int i = 0; i < liste->count(); ++i)
        if (liste->item(i)->text() == texte) return i;
    return -1;
}

} // namespace

class TestCreerListeEleves : public QObject {
    Q_OBJECT

private slots:
    void init() { reglages = std::make_unique<TavTest::ReglagesPrives>(); }
    void cleanup() { reglages.reset(); }

    void ouverture() {
        TFormCreerListeEleves d(nullptr, QPixmap(), QStringLiteral("4e B"));
        QVERIFY(Montrer(&d));
        QCOMPARE(d.windowTitle(), QStringLiteral("Liste des élèves (4e B)"));
        QCOMPARE(QApplication::focusWidget(), d.EditNomEtPrenom());
        QCOMPARE(d.LabelNombre()->text(), QStringLiteral("aucun élève"));
        QVERIFY(!d.BoutonAjouter()->isEnabled());
        QVERIFY(!d.BoutonSupprimer()->isEnabled());
        QVERIFY(!d.BoutonModifier()->isEnabled());
        QCOMPARE(d.EditNomEtPrenom()->maxLength(), 100);
        QCOMPARE(d.EditDate()->maxLength(), 10);
        // Blanks do not enable the add button.
        QTest::keyClicks(d.EditNomEtPrenom(), QStringLiteral("   "));
        QVERIFY(!d.BoutonAjouter()->isEnabled());
        QTest::keyClicks(d.EditNomEtPrenom(), QStringLiteral("A"));
        QVERIFY(d.BoutonAjouter()->isEnabled());
    }

    void quatreElevesSupprimerModifierEtEnregistrer() {
        InterlocuteurTest boites;
        TFormCreerListeEleves d(nullptr, QPixmap(), QStringLiteral("4e B"));
        QVERIFY(Montrer(&d));
        TaperEleve(d, QStringLiteral("MARTIN Léa"));
        QCOMPARE(d.LabelNombre()->text(), QStringLiteral("1 élève"));
        // After each addition the fields are empty, unticked, and the name field has the focus.
        QCOMPARE(d.EditNomEtPrenom()->text(), QString());
        QCOMPARE(QApplication::focusWidget(), d.EditNomEtPrenom());
        TaperEleve(d, QStringLiteral("DUPONT Jean"), QStringLiteral("03/04/2011"));
        QCOMPARE(d.EditDate()->text(), QString());
        TaperEleve(d, QStringLiteral("ÉMERY Paul"), {}, true);
        QVERIFY(!d.CheckBoxRedoublant()->isChecked());
        // The last one with the button, by mouse.
        QTest::keyClicks(d.EditNomEtPrenom(), QStringLiteral("BERNARD Zoe"));
        QTest::mouseClick(d.BoutonAjouter(), Qt::LeftButton);
        QCOMPARE(d.LabelNombre()->text(), QStringLiteral("4 élèves"));

        // Shown sorted (French order: É with E), kept in entry order.
        QCOMPARE(
            Lignes(d.ListBoxEleves()),
            (QStringList{QStringLiteral("BERNARD Zoe"), QStringLiteral("DUPONT Jean 03/04/2011"),
                         QStringLiteral("ÉMERY Paul (R)"), QStringLiteral("MARTIN Léa")}));
        QCOMPARE(d.Noms(),
                 (QStringList{QStringLiteral("MARTIN Léa"), QStringLiteral("DUPONT Jean"),
                              QStringLiteral("ÉMERY Paul"), QStringLiteral("BERNARD Zoe")}));
        QCOMPARE(d.DatesNaissance(),
                 (QStringList{QString(), QStringLiteral("03/04/2011"), QString(), QString()}));
        QCOMPARE(d.Redoublants(),
                 (QStringList{QString(), QString(), QStringLiteral("R"), QString()}));

        // Removing BERNARD: the question, answered No, then Yes.
        QListWidget* liste = d.ListBoxEleves();
        QTest::mouseClick(liste->viewport(), Qt::LeftButton, {},
                          liste->visualItemRect(liste->item(0)).center());
        QVERIFY(d.BoutonSupprimer()->isEnabled());
        QVERIFY(d.BoutonModifier()->isEnabled());
        boites.reponses = {false};
        QTest::mouseClick(d.BoutonSupprimer(), Qt::LeftButton);
        QCOMPARE(boites.boites.size(), 1);
        QCOMPARE(boites.boites.at(0).texte, QStringLiteral("Supprimer 'BERNARD Zoe' ?"));
        QCOMPARE(boites.boites.at(0).icone, TIcone::Question);
        QVERIFY(boites.boites.at(0).question);
        QCOMPARE(d.NombreEleves(), 4);
        boites.reponses = {true};
        QTest::mouseClick(d.BoutonSupprimer(), Qt::LeftButton);
        QCOMPARE(d.NombreEleves(), 3);
        QCOMPARE(d.LabelNombre()->text(), QStringLiteral("3 élèves"));
        QCOMPARE(d.Noms(), (QStringList{QStringLiteral("MARTIN Léa"), QStringLiteral("DUPONT Jean"),
                                        QStringLiteral("ÉMERY Paul")}));

        // Modifying the first entered student (double click): it moves to the end of the entry
        // order, the display stays sorted.
        auto fait = AuProchainDialogue<TFormModifierEleve>([](TFormModifierEleve* m) {
            QCOMPARE(m->windowTitle(), QStringLiteral("Modifier les informations de l'élève"));
            QCOMPARE(m->Nom(), QStringLiteral("MARTIN Léa"));
            QVERIFY(!m->Redoublant());
            TaperTexte(m->ChampNom(), QStringLiteral("AUBERT Léa")); // name selected: replaced
            QTest::keyClick(m->ChampNom(), Qt::Key_Tab);
            QTest::keyClicks(m->ChampDate(), QStringLiteral("01/02/2011"));
            QTest::keyClick(m->ChampDate(), Qt::Key_Return);
        });
        const QRect martin =
            liste->visualItemRect(liste->item(Ligne(liste, QStringLiteral("MARTIN Léa"))));
        QTest::mouseClick(liste->viewport(), Qt::LeftButton, {}, martin.center());
        QTest::mouseDClick(liste->viewport(), Qt::LeftButton, {}, martin.center());
        QVERIFY(*fait);
        QCOMPARE(Lignes(liste), (QStringList{QStringLiteral("AUBERT Léa 01/02/2011"),
                                             QStringLiteral("DUPONT Jean 03/04/2011"),
                                             QStringLiteral("ÉMERY Paul (R)")}));
        QCOMPARE(d.Noms(), (QStringList{QStringLiteral("DUPONT Jean"), QStringLiteral("ÉMERY Paul"),
                                        QStringLiteral("AUBERT Léa")}));
        QCOMPARE(d.DatesNaissance(), (QStringList{QStringLiteral("03/04/2011"), QString(),
                                                  QStringLiteral("01/02/2011")}));

        QTest::keyClick(d.EditNomEtPrenom(), Qt::Key_Return); // empty name: Enter is OK
        QCOMPARE(d.result(), int(QDialog::Accepted));

        // What the sheet stores.
        TFichierTav f;
        d.AppliquerA(f);
        QCOMPARE(f.ListeEleves(),
                 (QStringList{QStringLiteral("AUBERT Léa"), QStringLiteral("DUPONT Jean"),
                              QStringLiteral("ÉMERY Paul")}));
        QCOMPARE(f.DateNaissance(1), QStringLiteral("01/02/2011"));
        QCOMPARE(f.DateNaissance(2), QStringLiteral("03/04/2011"));
        QCOMPARE(f.DateNaissance(3), QString());
        QVERIFY(!f.EstRedoublant(1));
        QVERIFY(!f.EstRedoublant(2));
        QVERIFY(f.EstRedoublant(3));
        QVERIFY(f.EstModifie());
    }

    void boutonsSuiventLaSelection() {
        TFormCreerListeEleves d(nullptr, QPixmap(), QStringLiteral("4e B"));
        QVERIFY(Montrer(&d));
        TaperEleve(d, QStringLiteral("A"));
        QListWidget* liste = d.ListBoxEleves();
        QTest::mouseClick(liste->viewport(), Qt::LeftButton, {},
                          liste->visualItemRect(liste->item(0)).center());
        QVERIFY(d.BoutonSupprimer()->isEnabled());
        // Entering the name field deselects the list.
        QTest::keyClick(&d, Qt::Key_N, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), d.EditNomEtPrenom());
        QVERIFY(liste->selectedItems().isEmpty());
        QVERIFY(!d.BoutonSupprimer()->isEnabled());
        QVERIFY(!d.BoutonModifier()->isEnabled());
    }

    void toucheSupprimerDansLaListe() {
        InterlocuteurTest boites;
        boites.reponses = {true};
        TFormCreerListeEleves d(nullptr, QPixmap(), QStringLiteral("4e B"));
        QVERIFY(Montrer(&d));
        TaperEleve(d, QStringLiteral("A"));
        TaperEleve(d, QStringLiteral("B"));
        d.ListBoxEleves()->setFocus();
        d.ListBoxEleves()->setCurrentRow(1);
        QTest::keyClick(d.ListBoxEleves(), Qt::Key_Delete);
        QCOMPARE(boites.Textes(), QStringList{QStringLiteral("Supprimer 'B' ?")});
        QCOMPARE(d.Noms(), QStringList{QStringLiteral("A")});
    }

    void cinquanteElevesAuPlus() {
        TFormCreerListeEleves d(nullptr, QPixmap(), QStringLiteral("4e B"));
        QVERIFY(Montrer(&d));
        for (int i = 1; i <= 50; ++i)
            TaperEleve(d, QStringLiteral("ELEVE %1").arg(i, 2, 10, QLatin1Char('0')));
        QCOMPARE(d.NombreEleves(), 50);
        QCOMPARE(d.LabelNombre()->text(), QStringLiteral("50 élèves"));
        QTest::keyClicks(d.EditNomEtPrenom(), QStringLiteral("ELEVE 51"));
        QVERIFY(!d.BoutonAjouter()->isEnabled());
        // Enter neither adds nor closes the dialog while a name is typed.
        QTest::keyClick(d.EditNomEtPrenom(), Qt::Key_Return);
        QVERIFY(d.isVisible());
        QCOMPARE(d.NombreEleves(), 50);
        QCOMPARE(d.EditNomEtPrenom()->text(), QStringLiteral("ELEVE 51"));
    }

    void modifierAvecNomVideGardeLEleve() {
        InterlocuteurTest boites;
        TFormCreerListeEleves d(nullptr, QPixmap(), QStringLiteral("4e B"));
        QVERIFY(Montrer(&d));
        TaperEleve(d, QStringLiteral("DUPONT Jean"), QStringLiteral("03/04/2011"));
        d.ListBoxEleves()->setCurrentRow(0);
        auto fait = AuProchainDialogue<TFormModifierEleve>([](TFormModifierEleve* m) {
            QTest::keyClick(m->ChampNom(), Qt::Key_Delete); // the selected name is erased
            QTest::keyClick(m->ChampNom(), Qt::Key_Return);
        });
        QTest::mouseClick(d.BoutonModifier(), Qt::LeftButton);
        QVERIFY(*fait);
        QCOMPARE(boites.Textes(),
                 QStringList{QStringLiteral("Le nom de l'élève ne peut pas être vide.")});
        QCOMPARE(d.Noms(), QStringList{QStringLiteral("DUPONT Jean")});
        QCOMPARE(d.DatesNaissance(), QStringList{QStringLiteral("03/04/2011")});
    }

    void modifierAnnuleNeChangeRien() {
        TFormCreerListeEleves d(nullptr, QPixmap(), QStringLiteral("4e B"));
        QVERIFY(Montrer(&d));
        TaperEleve(d, QStringLiteral("A"));
        TaperEleve(d, QStringLiteral("B"));
        d.ListBoxEleves()->setCurrentRow(0);
        auto fait = AuProchainDialogue<TFormModifierEleve>([](TFormModifierEleve* m) {
            QTest::keyClicks(m->ChampNom(), QStringLiteral("Z"));
            QTest::keyClick(m->ChampNom(), Qt::Key_Escape);
        });
        QTest::keyClick(&d, Qt::Key_M, Qt::AltModifier);
        QTRY_VERIFY(*fait);
        QCOMPARE(d.Noms(), (QStringList{QStringLiteral("A"), QStringLiteral("B")}));
    }

    void homonymesGardentChacunLeurDate() {
        // Two students of the same name, told apart by their birth date: each keeps its own date
        // and flag in the class file, whichever is removed or entered first.
        InterlocuteurTest boites;
        TFormCreerListeEleves d(nullptr, QPixmap(), QStringLiteral("4e B"));
        QVERIFY(Montrer(&d));
        TaperEleve(d, QStringLiteral("LEGRAND Tom"), QStringLiteral("01/01/2010"), true);
        TaperEleve(d, QStringLiteral("LEGRAND Tom"), QStringLiteral("02/02/2011"));
        TaperEleve(d, QStringLiteral("LEGRAND Tom"), QStringLiteral("03/03/2012"));
        // The same line twice is refused, with a message.
        TaperEleve(d, QStringLiteral("legrand tom"), QStringLiteral("03/03/2012"));
        QCOMPARE(boites.boites.size(), 1);
        QCOMPARE(d.NombreEleves(), 3);
        // Removing the second one removes its own facts.
        boites.reponses = {true};
        d.ListBoxEleves()->setCurrentRow(
            Ligne(d.ListBoxEleves(), QStringLiteral("LEGRAND Tom 02/02/2011")));
        QTest::mouseClick(d.BoutonSupprimer(), Qt::LeftButton);
        QCOMPARE(d.DatesNaissance(),
                 (QStringList{QStringLiteral("01/01/2010"), QStringLiteral("03/03/2012")}));
        TFichierTav f;
        d.AppliquerA(f);
        QCOMPARE(f.NombreEleves(), 2);
        QStringList faits;
        for (int s = 1; s <= 2; ++s)
            faits.append(f.DateNaissance(s) +
                         (f.EstRedoublant(s) ? QStringLiteral(" R") : QString()));
        faits.sort();
        QCOMPARE(faits,
                 (QStringList{QStringLiteral("01/01/2010 R"), QStringLiteral("03/03/2012")}));
    }

    void couleursDesLignes() {
        TFormCreerListeEleves d(nullptr, QPixmap(), QStringLiteral("4e B"));
        QVERIFY(Montrer(&d));
        TaperEleve(d, QStringLiteral("A"));
        TaperEleve(d, QStringLiteral("B"));
        TaperEleve(d, QStringLiteral("C"));
        QListWidget* liste = d.ListBoxEleves();
        liste->setCurrentRow(2);
        QCOMPARE(liste->visualItemRect(liste->item(0)).height(), Tav::HauteurLigneListe);
        const QImage image = liste->viewport()->grab().toImage();
        auto couleur = [&](int ligne) {
            const QRect r = liste->visualItemRect(liste->item(ligne));
            return QColor(image.pixel(r.right() - 3, r.center().y()));
        };
        QCOMPARE(couleur(0), QColor(Qt::white));
        QCOMPARE(couleur(1), QColor(0xEE, 0xF3, 0xF4));
        QCOMPARE(couleur(2), QColor(0xC5, 0xD1, 0xF8));
        // The selected line writes in blue.
        const QRect r = liste->visualItemRect(liste->item(2));
        bool bleu = false;
        for (int x = r.left(); x < r.left() + 20 && !bleu; ++x)
            for (int y = r.top(); y <= r.bottom() && !bleu; ++y)
                bleu = QColor(image.pixel(x, y)) == QColor(0, 0, 0xFF);
        QVERIFY(bleu);
    }

    void annuler() {
        TFormCreerListeEleves d(nullptr, QPixmap(), QStringLiteral("4e B"));
        QVERIFY(Montrer(&d));
        TaperEleve(d, QStringLiteral("A"));
        QTest::keyClick(d.EditNomEtPrenom(), Qt::Key_Escape);
        QCOMPARE(d.result(), int(QDialog::Rejected));
    }

    void windows1252_refuseDansLesChamps() {
        InterlocuteurTest boites;
        TFormCreerListeEleves d(nullptr, QPixmap(), QStringLiteral("4e B"));
        QVERIFY(Montrer(&d));
        TaperTexte(d.EditNomEtPrenom(), QStringLiteral("WAŁĘSA"));
        QTRY_VERIFY(!boites.boites.isEmpty());
        QCOMPARE(d.EditNomEtPrenom()->text(), QStringLiteral("WASA"));
        QVERIFY(boites.boites.at(0).texte.contains(QStringLiteral("« Ł »")));
        boites.boites.clear();
        d.EditDate()->setFocus();
        TaperTexte(d.EditDate(), QStringLiteral("1⁄2"));
        QTRY_VERIFY(!boites.boites.isEmpty());
        QCOMPARE(d.EditDate()->text(), QStringLiteral("12"));
    }

private:
    std::unique_ptr<TavTest::ReglagesPrives> reglages;
};

QTEST_MAIN(TestCreerListeEleves)
#include "tst_creerListeEleves.moc"
