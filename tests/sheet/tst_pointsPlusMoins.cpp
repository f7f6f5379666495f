// The bonus/malus dialog: loading per period and student, storing on Enter, on a change of tab
// or student and on closing, the refusal of a text that is not a number, the list's colours, and
// the sheet's command that opens it.
#include "../app/soutien_gui.h"

#include "_FormPointsPlusMoins.h"
#include "_TGrilleMoyennes.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTimer>

class TestPointsPlusMoins : public QObject {
    Q_OBJECT

    std::unique_ptr<TEnvironnementGui> env;
    std::unique_ptr<TFichierTav> fichier;
    std::unique_ptr<TFormPointsPlusMoins> dialogue;

    // A class of three students with points already given in periods 1 and 2.
    void Preparer() {
        fichier = std::make_unique<TFichierTav>();
        fichier->InitialiserClasse(QStringLiteral("Trimestres"),
                                   QStringLiteral("Bulletins par défaut"));
        for (const char* nom : {"Albert", "Berthe", "Camille"})
            fichier->AjouterEleve(QString::fromLatin1(nom), QString(), false);
        fichier->ModifierPointsPlusMoins(1, 1, QStringLiteral("2"));
        fichier->ModifierPointsPlusMoins(1, 2, QStringLiteral("-1"));
        fichier->ModifierPointsPlusMoins(2, 1, QStringLiteral("0,5"));
        QPixmap logo(40, 80);
        logo.fill(Qt::darkGreen);
        dialogue = std::make_unique<TFormPointsPlusMoins>(nullptr, logo, fichier.get());
        dialogue->show();
        QVERIFY(QTest::qWaitForWindowActive(dialogue.get()));
    }
    QLineEdit* Edit() const { return dialogue->Edit1(); }
    void Taper(const QString& texte) {
        Edit()->selectAll();
        QTest::keyClicks(Edit(), texte);
    }
    void ClicEleve(int ligne) {
        QListWidget* l = dialogue->ListBoxEleves();
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {},
                          l->visualItemRect(l->item(ligne)).center());
    }
    void ClicOnglet(int indice) {
        QTabBar* b = dialogue->TabControlPeriodes();
        QTest::mouseClick(b, Qt::LeftButton, {}, b->tabRect(indice).center());
    }
    QStringList Messages() const {
        QStringList l;
        for (const auto& e : env->interlocuteur.DuGenre(QStringLiteral("message")))
            l << e.texte;
        return l;
    }

private slots:
    void init() { env = std::make_unique<TEnvironnementGui>(); }
    void cleanup() {
        dialogue.reset();
        fichier.reset();
        env.reset();
    }

    void ouverture() {
        Preparer();
        QCOMPARE(dialogue->windowTitle(), QStringLiteral("Points en plus ou en moins"));
        QVERIFY(dialogue->Image1()->hasScaledContents());
        QVERIFY(!dialogue->Image1()->pixmap().isNull());
        QTabBar* b = dialogue->TabControlPeriodes();
        QCOMPARE(b->count(), 3);
        QCOMPARE(b->tabText(1), QStringLiteral("Deuxième trimestre"));
        QCOMPARE(b->currentIndex(), 0);
        QCOMPARE(dialogue->ListBoxEleves()->count(), 3);
        QCOMPARE(dialogue->ListBoxEleves()->currentRow(), 0);
        QCOMPARE(dialogue->Label1()->text(),
                 QStringLiteral("Points en plus ou en moins pour l'élève sélectionné :"));
        QCOMPARE(dialogue->BoutonFermer()->text(), QStringLiteral("&Fermer"));
        QCOMPARE(Edit()->text(), QStringLiteral("2"));
        QCOMPARE(QApplication::focusWidget(), Edit());
    }

    void pointDevientVirguleEtEntreeAvance() {
        Preparer();
        Taper(QStringLiteral("1.5"));
        QCOMPARE(Edit()->text(), QStringLiteral("1,5"));
        QTest::keyClick(Edit(), Qt::Key_Return);
        QCOMPARE(fichier->PointsPlusMoins(1, 1), QStringLiteral("1,5"));
        QVERIFY(dialogue->isVisible());
        QCOMPARE(dialogue->ListBoxEleves()->currentRow(), 1);
        QCOMPARE(Edit()->text(), QStringLiteral("-1"));
        QCOMPARE(QApplication::focusWidget(), Edit());

        // A blank edit stores nothing, and Enter still moves on.
        Edit()->clear();
        QTest::keyClick(Edit(), Qt::Key_Enter);
        QCOMPARE(fichier->PointsPlusMoins(1, 2), QStringLiteral("-1"));
        QCOMPARE(dialogue->Eleve(), 3);

        // Enter on the last student stores and keeps him.
        Taper(QStringLiteral("-0.5"));
        QTest::keyClick(Edit(), Qt::Key_Return);
        QCOMPARE(fichier->PointsPlusMoins(1, 3), QStringLiteral("-0,5"));
        QCOMPARE(dialogue->ListBoxEleves()->currentRow(), 2);
        QCOMPARE(Edit()->text(), QStringLiteral("-0,5"));
    }

    void texteIncorrectRefuseALaFermeture() {
        Preparer();
        Taper(QStringLiteral("abc"));
        QTest::mouseClick(dialogue->BoutonFermer(), Qt::LeftButton);
        QCOMPARE(Messages(), QStringList{QStringLiteral("abc n'est pas un nombre correct.")});
        QCOMPARE(env->interlocuteur.echanges.first().icone, TIcone::Erreur);
        QVERIFY(dialogue->isVisible());
        QCOMPARE(fichier->PointsPlusMoins(1, 1), QStringLiteral("2"));
        QCOMPARE(QApplication::focusWidget(), Edit());
        QCOMPARE(Edit()->selectedText(), QStringLiteral("abc"));

        // Enter refuses it as well; a corrected text closes.
        QTest::qWait(0);
        QTest::keyClick(Edit(), Qt::Key_Return);
        QCOMPARE(Messages().size(), 2);
        QCOMPARE(dialogue->Eleve(), 1);
        Taper(QStringLiteral("3"));
        QTest::mouseClick(dialogue->BoutonFermer(), Qt::LeftButton);
        QVERIFY(!dialogue->isVisible());
        QCOMPARE(dialogue->result(), int(QDialog::Accepted));
        QCOMPARE(fichier->PointsPlusMoins(1, 1), QStringLiteral("3"));
    }

    void changementsDOngletEtDEleve() {
        Preparer();
        // Another tab shows the same student's points of that period.
        ClicOnglet(1);
        QCOMPARE(dialogue->Periode(), 2);
        QCOMPARE(Edit()->text(), QStringLiteral("0,5"));
        // Another student.
        ClicEleve(2);
        QCOMPARE(dialogue->Eleve(), 3);
        QCOMPARE(Edit()->text(), QString());

        // A wrong text refuses the change of tab, with one message.
        Edit()->setFocus();
        Taper(QStringLiteral("x1"));
        ClicOnglet(0);
        QCOMPARE(Messages(), QStringList{QStringLiteral("x1 n'est pas un nombre correct.")});
        QCOMPARE(dialogue->TabControlPeriodes()->currentIndex(), 1);
        QCOMPARE(dialogue->Periode(), 2);
        QCOMPARE(Edit()->text(), QStringLiteral("x1"));
        QCOMPARE(fichier->PointsPlusMoins(2, 3), QString());
        // ... and of student.
        QTest::qWait(0);
        ClicEleve(0);
        QCOMPARE(Messages().size(), 2);
        QCOMPARE(dialogue->ListBoxEleves()->currentRow(), 2);
        QCOMPARE(dialogue->Eleve(), 3);

        // Corrected, the text is stored when the tab changes.
        Taper(QStringLiteral("1"));
        ClicOnglet(0);
        QCOMPARE(fichier->PointsPlusMoins(2, 3), QStringLiteral("1"));
        QCOMPARE(dialogue->Periode(), 1);
        QCOMPARE(Edit()->text(), QString());
        QCOMPARE(Messages().size(), 2);
    }

    void stockeQuandLeChampPerdLeFocus() {
        Preparer();
        Taper(QStringLiteral("4"));
        ClicEleve(0); // the same student: only the edit loses the focus
        QCOMPARE(QApplication::focusWidget(), dialogue->ListBoxEleves());
        QCOMPARE(fichier->PointsPlusMoins(1, 1), QStringLiteral("4"));
        QCOMPARE(dialogue->Eleve(), 1);
    }

    void couleursDeLaListe() {
        Preparer();
        QListWidget* l = dialogue->ListBoxEleves();
        const QImage image = l->viewport()->grab().toImage();
        auto couleur = [&](int ligne) {
            const QRect r = l->visualItemRect(l->item(ligne));
            return QColor(image.pixel(r.right() - 2, r.top() + 1));
        };
        QCOMPARE(couleur(0), QColor(197, 209, 248)); // selected
        QCOMPARE(couleur(1), QColor(238, 241, 244)); // odd
        QCOMPARE(couleur(2), QColor(Qt::white));
    }

    // ---- From the class sheet -------------------------------------------------------------------

    void commandeDeLaFeuille() {
        auto fenetre = FenetrePrete();
        const QString chemin =
            EcrireClasse(env->Chemin(QStringLiteral("pp.tav")), QStringLiteral("pp"), 2, {1, 1});
        TFeuilleClasse* f = fenetre->OuvrirOuMontrer(chemin);
        auto* g = dynamic_cast<TGrilleMoyennesTavelin*>(f->Grilles().moyennes);
        QVERIFY(g);
        QCOMPARE(g->Periode(), 2);
        QAction* commande = nullptr;
        for (QMenu* m : f->Menus())
            for (QAction* a : m->actions())
                if (a->text() == QStringLiteral("&Points en plus ou en moins")) commande = a;
        QVERIFY(commande);

        bool ouvert = false;
        QTimer::singleShot(0, this, [&] {
            auto* d = qobject_cast<TFormPointsPlusMoins*>(QApplication::activeModalWidget());
            QVERIFY(d);
            ouvert = true;
            // Period 1, first student; then period 2, second student.
            d->Edit1()->selectAll();
            QTest::keyClicks(d->Edit1(), QStringLiteral("1.5"));
            d->TabControlPeriodes()->setCurrentIndex(1);
            d->ListBoxEleves()->setCurrentRow(1);
            QTest::keyClicks(d->Edit1(), QStringLiteral("-2"));
            QTest::mouseClick(d->BoutonFermer(), Qt::LeftButton);
        });
        commande->trigger();
        QVERIFY(ouvert);
        QCOMPARE(f->Fichier().PointsPlusMoins(1, 1), QStringLiteral("1,5"));
        QCOMPARE(f->Fichier().PointsPlusMoins(2, 2), QStringLiteral("-2"));
        // The averages grid shows the period of the sheet with its new points ...
        QCOMPARE(g->Cellule(2, 2), QStringLiteral("-2"));
        QCOMPARE(g->Cellule(3, 2), QStringLiteral("1,00"));
        // ... and the other period's when switched to.
        f->ChoisirPeriode(0);
        QCOMPARE(g->Cellule(2, 1), QStringLiteral("1,5"));
        QCOMPARE(g->Cellule(3, 1), QStringLiteral("3,50"));
    }
};

QTEST_MAIN(TestPointsPlusMoins)
#include "tst_pointsPlusMoins.moc"
