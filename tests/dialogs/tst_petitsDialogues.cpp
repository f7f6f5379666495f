// The value-entry dialog TFormEdit and the student dialog TFormModifierEleve, driven by keys.
#include "_FormEdit.h"
#include "_FormModifierEleve.h"
#include "aideDialogues.h"
#include "tavtest_ecrivain.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace AideDialogues;

class TestPetitsDialogues : public QObject {
    Q_OBJECT

private slots:
    void init() { reglages = std::make_unique<TavTest::ReglagesPrives>(); }
    void cleanup() { reglages.reset(); }

    // --- TFormEdit ----------------------------------------------------------------------------

    void edit_pointDevientVirguleEnModeNumerique() {
        InterlocuteurTest boites;
        TFormEdit d(nullptr, true, QString(), QStringLiteral("Noté sur"));
        QVERIFY(Montrer(&d));
        QCOMPARE(d.windowTitle(), QStringLiteral("Noté sur"));
        QCOMPARE(QApplication::focusWidget(), d.Champ());
        QTest::keyClicks(d.Champ(), QStringLiteral("12.5"));
        QCOMPARE(d.Texte(), QStringLiteral("12,5"));
        // The keypad's decimal key sends "." too.
        d.Champ()->clear();
        QTest::keyClicks(d.Champ(), QStringLiteral("3"));
        QTest::keyClick(d.Champ(), Qt::Key_Period, Qt::KeypadModifier);
        QTest::keyClicks(d.Champ(), QStringLiteral("75"));
        QCOMPARE(d.Texte(), QStringLiteral("3,75"));
        QTest::keyClick(d.Champ(), Qt::Key_Return);
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QVERIFY(!d.isVisible());
        QVERIFY(boites.boites.isEmpty());
    }

    void edit_pointResteUnPointEnModeTexte() {
        TFormEdit d(nullptr, false, QString(), QStringLiteral("Commentaire"));
        QVERIFY(Montrer(&d));
        QTest::keyClicks(d.Champ(), QStringLiteral("Ch. 3"));
        QCOMPARE(d.Texte(), QStringLiteral("Ch. 3"));
        QTest::keyClick(d.Champ(), Qt::Key_Enter);
        QCOMPARE(d.result(), int(QDialog::Accepted));
    }

    void edit_champVideRefuse_data() {
        QTest::addColumn<bool>("numerique");
        QTest::newRow("numérique") << true;
        QTest::newRow("texte") << false;
    }
    void edit_champVideRefuse() {
        QFETCH(bool, numerique);
        InterlocuteurTest boites;
        TFormEdit d(nullptr, numerique, QStringLiteral("4"), QStringLiteral("Coefficient"));
        QVERIFY(Montrer(&d));
        QTest::keyClick(d.Champ(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(d.Champ(), QStringLiteral("   "));
        QTest::keyClick(d.Champ(), Qt::Key_Return);
        QVERIFY(d.isVisible());
        QCOMPARE(boites.boites.size(), 1);
        QCOMPARE(boites.boites.at(0).texte, QStringLiteral("Le champ est vide ... Recommencez !"));
        QCOMPARE(boites.boites.at(0).titre, QStringLiteral("Tavelin"));
        QCOMPARE(boites.boites.at(0).icone, TIcone::Erreur);
        QCOMPARE(d.Texte(), QString()); // emptied
        QCOMPARE(QApplication::focusWidget(), d.Champ());
        // The user tries again and succeeds.
        QTest::keyClicks(d.Champ(), QStringLiteral("5"));
        QTest::mouseClick(d.BoutonOk(), Qt::LeftButton);
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(d.Texte(), QStringLiteral("5"));
    }

    void edit_valeurNonNumeriqueRefusee_data() {
        QTest::addColumn<QString>("tape");
        QTest::newRow("lettres") << QStringLiteral("abc");
        QTest::newRow("deux virgules") << QStringLiteral("1,2,3");
        QTest::newRow("espace interne") << QStringLiteral("1 000");
        QTest::newRow("abs") << QStringLiteral("abs");
    }
    void edit_valeurNonNumeriqueRefusee() {
        QFETCH(QString, tape);
        InterlocuteurTest boites;
        TFormEdit d(nullptr, true, QString(), QStringLiteral("Noté sur"));
        QVERIFY(Montrer(&d));
        QTest::keyClicks(d.Champ(), tape);
        QTest::keyClick(d.Champ(), Qt::Key_Return);
        QVERIFY(d.isVisible());
        QCOMPARE(boites.Textes(),
                 QStringList{QStringLiteral("Valeur numérique incorrecte ... Recommencez !!!")});
        QCOMPARE(boites.boites.at(0).icone, TIcone::Erreur);
        QCOMPARE(d.Texte(), QString());
    }

    void edit_nombreAvecBlancsAccepteSansLesBlancs() {
        TFormEdit d(nullptr, true, QString(), QStringLiteral("Noté sur"));
        QVERIFY(Montrer(&d));
        QTest::keyClicks(d.Champ(), QStringLiteral(" 15 "));
        QTest::keyClick(d.Champ(), Qt::Key_Return);
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(d.Texte(), QStringLiteral("15"));
    }

    void edit_texteInitialSelectionneEtInchangeEgalAnnuler() {
        TFormEdit d(nullptr, true, QStringLiteral("20"), QStringLiteral("Noté sur"));
        QVERIFY(Montrer(&d));
        QCOMPARE(d.Champ()->selectedText(), QStringLiteral("20"));
        QTest::keyClick(d.Champ(), Qt::Key_Return);
        QVERIFY(!d.isVisible());
        QCOMPARE(d.result(), int(QDialog::Rejected));

        // Retyped identically: still a cancel.
        TFormEdit e(nullptr, true, QStringLiteral("20"), QStringLiteral("Noté sur"));
        QVERIFY(Montrer(&e));
        QTest::keyClicks(e.Champ(), QStringLiteral("20"));
        QTest::keyClick(e.Champ(), Qt::Key_Return);
        QCOMPARE(e.result(), int(QDialog::Rejected));
    }

    void edit_echapAnnuleToujours() {
        InterlocuteurTest boites;
        TFormEdit d(nullptr, true, QStringLiteral("20"), QStringLiteral("Noté sur"));
        QVERIFY(Montrer(&d));
        QTest::keyClicks(d.Champ(), QStringLiteral("zz"));
        QTest::keyClick(d.Champ(), Qt::Key_Escape);
        QVERIFY(!d.isVisible());
        QCOMPARE(d.result(), int(QDialog::Rejected));
        QVERIFY(boites.boites.isEmpty());
    }

    void edit_limiteA100Caracteres() {
        TFormEdit d(nullptr, false, QString(), QStringLiteral("Commentaire"));
        QVERIFY(Montrer(&d));
        QTest::keyClicks(d.Champ(), QString(120, QLatin1Char('x')));
        QCOMPARE(d.Texte().size(), 100);
    }

    void edit_caractereHorsWindows1252Refuse() {
        InterlocuteurTest boites;
        TFormEdit d(nullptr, false, QString(), QStringLiteral("Commentaire"));
        QVERIFY(Montrer(&d));
        TaperTexte(d.Champ(), QStringLiteral("Łódź"));
        QTRY_COMPARE(boites.boites.size(), 1);
        // "ó" is in Windows-1252, "Ł" and "ź" are not: only the storable letters stay.
        QCOMPARE(d.Texte(), QStringLiteral("ód"));
        QVERIFY(boites.boites.at(0).texte.contains(QStringLiteral("« Ł »")));
        QCOMPARE(boites.boites.at(0).icone, TIcone::Erreur);
    }

    // --- TFormModifierEleve --------------------------------------------------------------------

    void eleve_champsRemplisEtNomSelectionne() {
        TFormModifierEleve d(nullptr, QStringLiteral("Modifier les informations de l'élève"), true,
                             QStringLiteral("03/04/2011"), QStringLiteral("DUPONT Jean"));
        QVERIFY(Montrer(&d));
        QCOMPARE(d.windowTitle(), QStringLiteral("Modifier les informations de l'élève"));
        QCOMPARE(QApplication::focusWidget(), d.ChampNom());
        QCOMPARE(d.ChampNom()->selectedText(), QStringLiteral("DUPONT Jean"));
        QCOMPARE(d.ChampDate()->text(), QStringLiteral("03/04/2011"));
        QVERIFY(d.CaseRedoublant()->isChecked());
        QCOMPARE(d.ChampDate()->maxLength(), 10);
        QCOMPARE(d.ChampNom()->maxLength(), 100);
    }

    void eleve_saisieAuClavierEtEntree() {
        TFormModifierEleve d(nullptr, QStringLiteral("Ajouter un élève"), false, QString(),
                             QString());
        QVERIFY(Montrer(&d));
        TaperTexte(d.ChampNom(), QStringLiteral("MARTIN Léa"));
        QCOMPARE(Tab(&d), d.ChampDate());
        QTest::keyClicks(d.ChampDate(), QStringLiteral("12/09/2010"));
        QCOMPARE(Tab(&d), static_cast<QWidget*>(d.CaseRedoublant()));
        QTest::keyClick(d.CaseRedoublant(), Qt::Key_Space);
        QTest::keyClick(d.CaseRedoublant(), Qt::Key_Return);
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(d.Nom(), QStringLiteral("MARTIN Léa"));
        QCOMPARE(d.DateNaissance(), QStringLiteral("12/09/2010"));
        QVERIFY(d.Redoublant());
    }

    void eleve_valeursRenduesTellesQueTapees() {
        // No check on the date: the class file applies its own rules.
        TFormModifierEleve d(nullptr, QStringLiteral("Ajouter un élève"), false, QString(),
                             QString());
        QVERIFY(Montrer(&d));
        TaperTexte(d.ChampDate(), QStringLiteral("bientôt"));
        QTest::keyClick(d.ChampDate(), Qt::Key_Return);
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(d.DateNaissance(), QStringLiteral("bientôt"));
        QCOMPARE(d.Nom(), QString());
    }

    void eleve_echapAnnule() {
        TFormModifierEleve d(nullptr, QStringLiteral("Ajouter un élève"), false, QString(),
                             QStringLiteral("X"));
        QVERIFY(Montrer(&d));
        QTest::keyClicks(d.ChampNom(), QStringLiteral("Y"));
        QTest::keyClick(d.ChampNom(), Qt::Key_Escape);
        QCOMPARE(d.result(), int(QDialog::Rejected));
    }

    void eleve_emojiRefuseDansLeNom() {
        InterlocuteurTest boites;
        TFormModifierEleve d(nullptr, QStringLiteral("Ajouter un élève"), false, QString(),
                             QString());
        QVERIFY(Montrer(&d));
        TaperTexte(d.ChampNom(), QStringLiteral("Léo 😀"));
        QTRY_COMPARE(boites.boites.size(), 1);
        QCOMPARE(d.Nom(), QStringLiteral("Léo "));
        QVERIFY(boites.boites.at(0).texte.contains(QStringLiteral("😀")));
        QVERIFY(boites.boites.at(0).texte.contains(QStringLiteral("U+1F600")));
    }

private:
    std::unique_ptr<TavTest::ReglagesPrives> reglages;
};

QTEST_MAIN(TestPetitsDialogues)
#include "tst_petitsDialogues.moc"
