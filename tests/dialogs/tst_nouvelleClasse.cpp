// The class dialog TFormNouvelleClasse, in its two modes, driven as a teacher would.
#include "_FormNouvelleClasse.h"
#include "aideDialogues.h"
#include "tavX_fichierTav.h"
#include "tavX_options.h"
#include "tavX_ouvrirOptions.h"
#include "tavtest_ecrivain.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace AideDialogues;

namespace {

// A class loaded from a file: nothing modified yet.
std::unique_ptr<TFichierTav> ClasseChargee(const QTemporaryDir& dossier, const TavTest::Classe& c) {
    const QString chemin = dossier.filePath(QStringLiteral("classe.tav"));
    if (!TavTest::EcrireFichier(chemin, TavTest::FichierActuel(c))) return {};
    auto f = std::make_unique<TFichierTav>(chemin);
    return f->EstValide() ? std::move(f) : nullptr;
}

} // namespace

class TestNouvelleClasse : public QObject {
    Q_OBJECT

private slots:
    void init() {
        reglages = std::make_unique<TavTest::ReglagesPrives>();
        Options::EnregistrerUtilisateurs(
            {QStringLiteral("Mme Durand"), QStringLiteral("M. Martin")});
    }
    void cleanup() {
        Dialogues::DefinirOuvertureOptions({});
        reglages.reset();
    }

    void nouvelleClasse_saisieComplete() {
        TFichierTav f;
        TFormNouvelleClasse d(nullptr, TFormNouvelleClasse::ModeNouvelleClasse, QPixmap(),
                              QStringLiteral("Nouvelle classe"), &f);
        QVERIFY(Montrer(&d));
        QCOMPARE(d.windowTitle(), QStringLiteral("Nouvelle classe"));
        // Filled from the new class, its name selected for typing over.
        QCOMPARE(QApplication::focusWidget(), d.EditClasse());
        QCOMPARE(d.EditClasse()->selectedText(), QStringLiteral("Nouvelle classe"));
        QCOMPARE(d.EditAnneeScolaire()->text(), f.AnneeScolaire());

        QTest::keyClicks(d.EditClasse(), QStringLiteral("4e B"));
        QCOMPARE(Tab(&d), d.EditEcole());
        TaperTexte(d.EditEcole(), QStringLiteral("Collège Jean Moulin"));
        QCOMPARE(Tab(&d), d.ComboBoxMatiere());
        TaperTexte(d.ComboBoxMatiere(), QStringLiteral("Math"));
        // The subject list completes the typed start.
        QCOMPARE(d.ComboBoxMatiere()->currentText(), QStringLiteral("Mathématiques"));
        QCOMPARE(Tab(&d), d.EditAnneeScolaire());
        QTest::keyClicks(d.EditAnneeScolaire(), QStringLiteral("2024/2025")); // all selected
        QCOMPARE(Tab(&d), d.EditRemarque());
        QTest::keyClicks(d.EditRemarque(), QStringLiteral("Groupe A"));
        QCOMPARE(Tab(&d), d.ComboBoxOrganisationAnnee());
        QVERIFY(ChoisirDansListe(d.ComboBoxOrganisationAnnee(), QStringLiteral("Semestres")));
        QCOMPARE(Tab(&d), d.ComboBoxBulletins());
        QVERIFY(ChoisirDansListe(d.ComboBoxBulletins(),
                                 QStringLiteral("Nouveaux bulletins du collège")));
        QCOMPARE(Tab(&d), d.ComboBoxUtilisateurs());
        QVERIFY(ChoisirDansListe(d.ComboBoxUtilisateurs(), QStringLiteral("Mme Durand")));
        QTest::keyClick(d.ComboBoxUtilisateurs(), Qt::Key_Return);

        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(f.Classe(), QStringLiteral("4e B"));
        QCOMPARE(f.Ecole(), QStringLiteral("Collège Jean Moulin"));
        QCOMPARE(f.Matiere(), QStringLiteral("Mathématiques"));
        QCOMPARE(f.AnneeScolaire(), QStringLiteral("2024/2025"));
        QCOMPARE(f.Remarque(), QStringLiteral("Groupe A"));
        QCOMPARE(f.Enseignant(), QStringLiteral("Mme Durand"));
        QCOMPARE(f.TypePeriodes(), QStringLiteral("Semestres"));
        QCOMPARE(f.ListePeriodes(), (QStringList{QStringLiteral("Premier semestre"),
                                                 QStringLiteral("Deuxième semestre")}));
        QCOMPARE(f.TypeBulletins(), QStringLiteral("Nouveaux bulletins du collège"));
        QCOMPARE(f.NombreColonnesBulletin(), 3);
        QCOMPARE(f.NombreSeries(1), 0);
        QCOMPARE(f.NombreSeries(2), 0);
        QCOMPARE(f.NombreEleves(), 0);
        QVERIFY(f.EstModifie());
    }

    void nouvelleClasse_listesDesReglages() {
        Options::EnregistrerSchemaPeriodes(QStringLiteral("Quinzaines"),
                                           {QStringLiteral("Q1"), QStringLiteral("Q2")});
        Options::EnregistrerMatieres({QStringLiteral("Physique"), QStringLiteral("Chimie")});
        TFichierTav f;
        TFormNouvelleClasse d(nullptr, TFormNouvelleClasse::ModeNouvelleClasse, QPixmap(),
                              QStringLiteral("Nouvelle classe"), &f);
        auto items = [](QComboBox* c) {
            QStringList l;
            for (int i = 0; i < c->count(); ++i)
                l.append(c->itemText(i));
            return l;
        };
        QCOMPARE(items(d.ComboBoxOrganisationAnnee()),
                 (QStringList{QStringLiteral("Trimestres"), QStringLiteral("Semestres"),
                              QStringLiteral("Mois"), QStringLiteral("Quinzaines")}));
        QCOMPARE(d.ComboBoxOrganisationAnnee()->currentIndex(), 0);
        QCOMPARE(items(d.ComboBoxBulletins()), Options::NomsTypesBulletins());
        QCOMPARE(d.ComboBoxBulletins()->currentIndex(), 0);
        QCOMPARE(items(d.ComboBoxUtilisateurs()), Options::ChargerUtilisateurs());
        QCOMPARE(d.ComboBoxUtilisateurs()->currentText(), QStringLiteral("M. Martin"));
        QCOMPARE(items(d.ComboBoxMatiere()),
                 (QStringList{QStringLiteral("Chimie"), QStringLiteral("Physique")}));
        QVERIFY(d.ComboBoxMatiere()->isEditable());
        QCOMPARE(d.ComboBoxMatiere()->maxVisibleItems(), 15);
        QVERIFY(!d.ComboBoxOrganisationAnnee()->isEditable());
        QVERIFY(!d.ComboBoxUtilisateurs()->isEditable());
        for (QLineEdit* champ : {d.EditClasse(), d.EditEcole(), d.EditAnneeScolaire(),
                                 d.EditRemarque(), d.ComboBoxMatiere()->lineEdit()})
            QCOMPARE(champ->maxLength(), 100);
        QCOMPARE(d.EditClasse()->toolTip(), QStringLiteral("Nom de la classe"));
        QCOMPARE(d.ComboBoxUtilisateurs()->toolTip(),
                 QStringLiteral("Nom de l'enseignant en charge de la classe"));
        // The scheme chosen is the one used.
        QVERIFY(Montrer(&d));
        QVERIFY(ChoisirDansListe(d.ComboBoxOrganisationAnnee(), QStringLiteral("Quinzaines")));
        QTest::mouseClick(d.BoutonOk(), Qt::LeftButton);
        QCOMPARE(f.ListePeriodes(), (QStringList{QStringLiteral("Q1"), QStringLiteral("Q2")}));
    }

    void nouvelleClasse_annulerNeToucheRien() {
        TFichierTav f;
        const QString annee = f.AnneeScolaire();
        TFormNouvelleClasse d(nullptr, TFormNouvelleClasse::ModeNouvelleClasse, QPixmap(),
                              QStringLiteral("Nouvelle classe"), &f);
        QVERIFY(Montrer(&d));
        QTest::keyClicks(d.EditClasse(), QStringLiteral("5e C"));
        QTest::keyClick(d.EditClasse(), Qt::Key_Escape);
        QCOMPARE(d.result(), int(QDialog::Rejected));
        QCOMPARE(f.Classe(), QStringLiteral("Nouvelle classe"));
        QCOMPARE(f.AnneeScolaire(), annee);
        QCOMPARE(f.Enseignant(), QString());
    }

    void nouvelleClasse_entreeDansLaMatiereValide() {
        TFichierTav f;
        TFormNouvelleClasse d(nullptr, TFormNouvelleClasse::ModeNouvelleClasse, QPixmap(),
                              QStringLiteral("Nouvelle classe"), &f);
        QVERIFY(Montrer(&d));
        QTest::keyClick(&d, Qt::Key_M, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), d.ComboBoxMatiere());
        TaperTexte(d.ComboBoxMatiere(), QStringLiteral("Cinéma"));
        QTest::keyClick(d.ComboBoxMatiere(), Qt::Key_Return);
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(f.Matiere(), QStringLiteral("Cinéma"));
        QCOMPARE(d.ComboBoxMatiere()->findText(QStringLiteral("Cinéma")), -1); // list unchanged
    }

    void nouvelleClasse_sansEnseignantConnu() {
        Options::EnregistrerUtilisateurs({});
        TFichierTav f;
        TFormNouvelleClasse d(nullptr, TFormNouvelleClasse::ModeNouvelleClasse, QPixmap(),
                              QStringLiteral("Nouvelle classe"), &f);
        QVERIFY(Montrer(&d));
        QTest::keyClick(d.EditClasse(), Qt::Key_Return);
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(f.Enseignant(), Options::ChargerUtilisateurs().value(0));
    }

    void nouvelleClasse_schemaSansPeriodeResteOuvert() {
        // A scheme of the settings without any period cannot make a class: the dialog says so
        // and lets the teacher pick another one.
        Options::EnregistrerSchemaPeriodes(QStringLiteral("Vide"), {});
        InterlocuteurTest boites;
        TFichierTav f;
        TFormNouvelleClasse d(nullptr, TFormNouvelleClasse::ModeNouvelleClasse, QPixmap(),
                              QStringLiteral("Nouvelle classe"), &f);
        QVERIFY(Montrer(&d));
        QVERIFY(ChoisirDansListe(d.ComboBoxOrganisationAnnee(), QStringLiteral("Vide")));
        QTest::keyClick(d.ComboBoxOrganisationAnnee(), Qt::Key_Return);
        QVERIFY(d.isVisible());
        QCOMPARE(boites.boites.size(), 1);
        QCOMPARE(boites.boites.at(0).icone, TIcone::Erreur);
        QVERIFY(boites.boites.at(0).texte.contains(QStringLiteral("Vide")));
        QCOMPARE(f.TypePeriodes(), QStringLiteral("Trimestres"));
        QVERIFY(ChoisirDansListe(d.ComboBoxOrganisationAnnee(), QStringLiteral("Mois")));
        QTest::keyClick(d.ComboBoxOrganisationAnnee(), Qt::Key_Return);
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(f.NombrePeriodes(), 12);
    }

    void information_schemaEtBulletinsFiges() {
        QTemporaryDir dossier;
        TavTest::Classe c;
        c.enseignant = QStringLiteral("M. Martin");
        c.matiere = QStringLiteral("Latin");
        auto f = ClasseChargee(dossier, c);
        QVERIFY(f);
        TFormNouvelleClasse d(nullptr, TFormNouvelleClasse::ModeInformation, QPixmap(),
                              QStringLiteral("Informations sur la classe"), f.get());
        QVERIFY(Montrer(&d));
        QCOMPARE(d.ComboBoxOrganisationAnnee()->count(), 1);
        QCOMPARE(d.ComboBoxOrganisationAnnee()->currentText(), QStringLiteral("Trimestres"));
        QVERIFY(!d.ComboBoxOrganisationAnnee()->isEnabled());
        QCOMPARE(d.ComboBoxBulletins()->count(), 1);
        QCOMPARE(d.ComboBoxBulletins()->currentText(), QStringLiteral("Bulletins par défaut"));
        QVERIFY(!d.ComboBoxBulletins()->isEnabled());
        QVERIFY(!d.SpeedButton1()->isEnabled());
        QCOMPARE(d.ComboBoxUtilisateurs()->currentText(), QStringLiteral("M. Martin"));
        QCOMPARE(d.ComboBoxUtilisateurs()->count(), 2);
        QCOMPARE(d.EditClasse()->text(), c.nomClasse);
        QCOMPARE(d.ComboBoxMatiere()->currentText(), QStringLiteral("Latin"));
        // Tab skips the two fixed lists.
        d.EditRemarque()->setFocus();
        QCOMPARE(Tab(&d), d.ComboBoxUtilisateurs());
    }

    void information_enseignantInconnuAjouteEtSelectionne() {
        QTemporaryDir dossier;
        TavTest::Classe c;
        c.enseignant = QStringLiteral("M. Nouveau");
        auto f = ClasseChargee(dossier, c);
        QVERIFY(f);
        TFormNouvelleClasse d(nullptr, TFormNouvelleClasse::ModeInformation, QPixmap(),
                              QStringLiteral("Informations sur la classe"), f.get());
        QCOMPARE(d.ComboBoxUtilisateurs()->count(), 3);
        QCOMPARE(d.ComboBoxUtilisateurs()->currentText(), QStringLiteral("M. Nouveau"));
        // OK without a change keeps that teacher.
        QVERIFY(Montrer(&d));
        QTest::keyClick(d.EditClasse(), Qt::Key_Return);
        QCOMPARE(d.result(), int(QDialog::Accepted));
        d.EnregistrerInformations();
        QCOMPARE(f->Enseignant(), QStringLiteral("M. Nouveau"));
    }

    void information_enregistrementApresOk() {
        QTemporaryDir dossier;
        TavTest::Classe c;
        c.enseignant = QStringLiteral("M. Martin");
        auto f = ClasseChargee(dossier, c);
        QVERIFY(f);
        QVERIFY(!f->EstModifie());
        const QStringList periodes = f->ListePeriodes();
        TFormNouvelleClasse d(nullptr, TFormNouvelleClasse::ModeInformation, QPixmap(),
                              QStringLiteral("Informations sur la classe"), f.get());
        QVERIFY(Montrer(&d));
        QTest::keyClick(d.EditClasse(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(d.EditClasse(), QStringLiteral("3e A"));
        // Alt+E goes to the teacher list.
        QTest::keyClick(&d, Qt::Key_E, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), d.ComboBoxUtilisateurs());
        QVERIFY(ChoisirDansListe(d.ComboBoxUtilisateurs(), QStringLiteral("Mme Durand")));
        QTest::keyClick(d.ComboBoxUtilisateurs(), Qt::Key_Return);
        QCOMPARE(d.result(), int(QDialog::Accepted));
        // Information mode changes nothing by itself: the sheet stores.
        QCOMPARE(f->Classe(), c.nomClasse);
        QVERIFY(!f->EstModifie());
        d.EnregistrerInformations();
        QCOMPARE(f->Classe(), QStringLiteral("3e A"));
        QCOMPARE(f->Enseignant(), QStringLiteral("Mme Durand"));
        QCOMPARE(f->ListePeriodes(), periodes);
        QVERIFY(f->EstModifie());
    }

    void boutonsOptions_cachesSansBoiteDeConfiguration() {
        TFichierTav f;
        TFormNouvelleClasse d(nullptr, TFormNouvelleClasse::ModeNouvelleClasse, QPixmap(),
                              QStringLiteral("Nouvelle classe"), &f);
        QVERIFY(Montrer(&d));
        QVERIFY(!d.SpeedButton1()->isVisible());
        QVERIFY(!d.SpeedButton2()->isVisible());
        QVERIFY(!d.SpeedButton5()->isVisible());
    }

    void boutonsOptions_rechargentLesListes() {
        QStringList pages;
        Dialogues::DefinirOuvertureOptions([&pages](QWidget*, const QString& page, const QString&) {
            pages.append(page);
            if (page == QStringLiteral("Enseignants"))
                Options::EnregistrerUtilisateurs(
                    {QStringLiteral("Mme Zola"), QStringLiteral("M. Abel")});
            if (page == QStringLiteral("Matières"))
                Options::EnregistrerMatieres({QStringLiteral("Théâtre")});
            if (page == QStringLiteral("Types de périodes"))
                Options::EnregistrerSchemaPeriodes(QStringLiteral("Bimestres"),
                                                   {QStringLiteral("B1")});
        });
        TFichierTav f;
        TFormNouvelleClasse d(nullptr, TFormNouvelleClasse::ModeNouvelleClasse, QPixmap(),
                              QStringLiteral("Nouvelle classe"), &f);
        QVERIFY(Montrer(&d));
        QVERIFY(d.SpeedButton1()->isVisible());
        QCOMPARE(d.SpeedButton1()->toolTip(),
                 QStringLiteral("Ouvrir la boîte de configuration pour ajouter son propre type "
                                "de périodes"));
        TaperTexte(d.ComboBoxMatiere()->lineEdit(), QStringLiteral("Arts"));
        QTest::mouseClick(d.SpeedButton5(), Qt::LeftButton);
        QCOMPARE(d.ComboBoxMatiere()->itemText(0), QStringLiteral("Théâtre"));
        // The subject just added is chosen; with nothing added, the typed text stays.
        QCOMPARE(d.ComboBoxMatiere()->currentText(), QStringLiteral("Théâtre"));
        d.ComboBoxMatiere()->lineEdit()->clear();
        TaperTexte(d.ComboBoxMatiere()->lineEdit(), QStringLiteral("Arts"));
        QTest::mouseClick(d.SpeedButton5(), Qt::LeftButton);
        QCOMPARE(d.ComboBoxMatiere()->currentText(), QStringLiteral("Arts"));
        QTest::mouseClick(d.SpeedButton2(), Qt::LeftButton);
        QCOMPARE(d.ComboBoxUtilisateurs()->currentText(), QStringLiteral("M. Abel"));
        QVERIFY(ChoisirDansListe(d.ComboBoxOrganisationAnnee(), QStringLiteral("Mois")));
        QTest::mouseClick(d.SpeedButton1(), Qt::LeftButton);
        QCOMPARE(d.ComboBoxOrganisationAnnee()->count(), 4);
        QCOMPARE(d.ComboBoxOrganisationAnnee()->currentText(), QStringLiteral("Bimestres"));
        QCOMPARE(pages,
                 (QStringList{QStringLiteral("Matières"), QStringLiteral("Matières"),
                              QStringLiteral("Enseignants"), QStringLiteral("Types de périodes")}));
    }

    void windows1252_refuseDansChaqueChamp() {
        InterlocuteurTest boites;
        TFichierTav f;
        TFormNouvelleClasse d(nullptr, TFormNouvelleClasse::ModeNouvelleClasse, QPixmap(),
                              QStringLiteral("Nouvelle classe"), &f);
        QVERIFY(Montrer(&d));
        const QList<QLineEdit*> champs = {d.EditClasse(), d.EditEcole(),
                                          d.ComboBoxMatiere()->lineEdit(), d.EditAnneeScolaire(),
                                          d.EditRemarque()};
        for (QLineEdit* champ : champs) {
            boites.boites.clear();
            champ->setFocus();
            champ->clear();
            TaperTexte(champ, QStringLiteral("Łx"));
            QTRY_COMPARE(boites.boites.size(), 1);
            QCOMPARE(champ->text(), QStringLiteral("x"));
            QVERIFY2(boites.boites.at(0).texte.contains(QStringLiteral("« Ł »")),
                     qPrintable(champ->objectName()));
        }
    }

private:
    std::unique_ptr<TavTest::ReglagesPrives> reglages;
};

QTEST_MAIN(TestNouvelleClasse)
#include "tst_nouvelleClasse.moc"
