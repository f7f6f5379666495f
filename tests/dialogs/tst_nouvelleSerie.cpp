// The new-series dialog TFormNouvelleSerieDeNotes and the sheet's "Ajouter une série de notes"
// command built on it.
#include "_FormEdit.h"
#include "_FormNouvelleSerieDeNotes.h"
#include "aideDialogues.h"
#include "tavX_commandesSeries.h"
#include "tavX_fichierTav.h"
#include "tavX_nombres.h"
#include "tavX_options.h"
#include "tavX_ouvrirOptions.h"
#include "tavX_selecteurDate.h"
#include "tavtest_ecrivain.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>
#include <QToolButton>

using namespace AideDialogues;

namespace {

QStringList Elements(QComboBox* c) {
    QStringList l;
    for (int i = 0; i < c->count(); ++i)
        l.append(c->itemText(i));
    return l;
}

// A class of four students over two semesters, as the class dialogs leave it.
std::unique_ptr<TFichierTav> ClasseSemestres() {
    auto f = std::make_unique<TFichierTav>();
    f->InitialiserClasse(QStringLiteral("Semestres"),
                         QStringLiteral("Nouveaux bulletins du collège"));
    f->ModifierListeEleves({QStringLiteral("AUBERT Léa"), QStringLiteral("BERNARD Zoe"),
                            QStringLiteral("DUPONT Jean"), QStringLiteral("ÉMERY Paul")});
    return f;
}

// An average text, to two decimals.
double Valeur(const QString& texte) {
    long double v = -1;
    if (!Tav::LireNombre(texte, v)) return -1;
    return qRound(double(v) * 100) / 100.0;
}

QString Aujourdhui() {
    return QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"));
}

} // namespace

class TestNouvelleSerie : public QObject {
    Q_OBJECT

private slots:
    void init() { reglages = std::make_unique<TavTest::ReglagesPrives>(); }
    void cleanup() { reglages.reset(); }

    void valeursInitiales() {
        auto f = ClasseSemestres();
        TFormNouvelleSerieDeNotes d(nullptr, QStringLiteral("Nouvelle série de notes"), QPixmap(),
                                    f.get());
        QVERIFY(Montrer(&d));
        QCOMPARE(d.windowTitle(), QStringLiteral("Nouvelle série de notes"));
        QCOMPARE(d.TabControl1()->count(), 2);
        QCOMPARE(d.TabControl1()->tabText(1), QStringLiteral("Deuxième semestre"));
        QCOMPARE(Elements(d.ComboBoxTypesDeNotes()), Options::ChargerTypesDeNotes());
        QCOMPARE(d.ComboBoxTypesDeNotes()->currentIndex(), 0);
        QCOMPARE(Elements(d.ComboBox1()), Options::ChargerTypesDeNotes()); // ready-made titles
        QVERIFY(d.ComboBox1()->isEditable());
        QCOMPARE(d.ComboBox1()->lineEdit()->maxLength(), 100);
        QCOMPARE(d.Edit3()->maxLength(), 100);
        QCOMPARE(Elements(d.ComboBox2()),
                 (QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}));
        QCOMPARE(d.Coefficient(), QStringLiteral("1"));
        QCOMPARE(Elements(d.ComboBox5()), (QStringList{"20", "10", "5", "30", "40", "50", "100"}));
        QCOMPARE(d.NoteSur(), QStringLiteral("20"));
        QCOMPARE(d.CompteDansMoyenne(), QStringLiteral("oui"));
        QVERIFY(!d.Oral());
        QCOMPARE(d.DateTexte(), Aujourdhui());
        QCOMPARE(QApplication::focusWidget(), d.ComboBox1());
        QVERIFY(!d.SpeedButton1()->isVisible()); // no options dialog yet
    }

    void boutonType_choisitLeTypeAjouteDansLesOptions() {
        QStringList pages;
        Dialogues::DefinirOuvertureOptions([&pages](QWidget*, const QString& page, const QString&) {
            pages.append(page);
            Options::EnregistrerTypesDeNotes(Options::ChargerTypesDeNotes() +
                                             QStringList{QStringLiteral("Exposé")});
        });
        auto f = ClasseSemestres();
        TFormNouvelleSerieDeNotes d(nullptr, QStringLiteral("Nouvelle série de notes"), QPixmap(),
                                    f.get());
        QVERIFY(Montrer(&d));
        QVERIFY(d.SpeedButton1()->isVisible());
        QTest::mouseClick(d.SpeedButton1(), Qt::LeftButton);
        Dialogues::DefinirOuvertureOptions({});
        QCOMPARE(pages, QStringList{QStringLiteral("Types de notes")});
        QCOMPARE(Elements(d.ComboBoxTypesDeNotes()), Options::ChargerTypesDeNotes());
        QCOMPARE(d.ComboBoxTypesDeNotes()->currentText(), QStringLiteral("Exposé"));
    }

    void serieSur10Coefficient2QuiNeComptePas() {
        auto f = ClasseSemestres();
        TFormNouvelleSerieDeNotes d(nullptr, QStringLiteral("Nouvelle série de notes"), QPixmap(),
                                    f.get());
        d.ModifierPeriode(2);
        QVERIFY(Montrer(&d));
        QCOMPARE(d.TabControl1()->currentIndex(), 1);
        TaperTexte(d.ComboBox1(), QStringLiteral("Interro n°1"));
        QCOMPARE(Tab(&d), d.ComboBoxTypesDeNotes());
        QVERIFY(ChoisirDansListe(d.ComboBoxTypesDeNotes(), QStringLiteral("Test en classe")));
        QCOMPARE(Tab(&d), d.ComboBox2()); // the hidden type button is skipped
        QVERIFY(ChoisirDansListe(d.ComboBox2(), QStringLiteral("2")));
        QCOMPARE(Tab(&d), d.SpeedButton3());
        QCOMPARE(Tab(&d), d.ComboBox5());
        QVERIFY(ChoisirDansListe(d.ComboBox5(), QStringLiteral("10")));
        QCOMPARE(Tab(&d), d.SpeedButton2());
        QCOMPARE(Tab(&d), d.BoutonOui());
        QTest::keyClick(d.BoutonOui(), Qt::Key_Right);
        QVERIFY(d.BoutonNon()->isChecked());
        QCOMPARE(Tab(&d), d.BoutonEcrit());
        QCOMPARE(Tab(&d), d.DateTimePicker1());
        QCOMPARE(Tab(&d), d.Edit3());
        TaperTexte(d.Edit3(), QStringLiteral("Chapitre 3"));
        QTest::keyClick(d.Edit3(), Qt::Key_Return);
        QCOMPARE(d.result(), int(QDialog::Accepted));

        QCOMPARE(d.Periode(), 2);
        d.AjouterA(*f);
        QCOMPARE(f->NombreSeries(1), 0);
        QCOMPARE(f->NombreSeries(2), 1);
        QCOMPARE(f->Intitule(2, 1), QStringLiteral("Interro n°1"));
        QCOMPARE(f->TypeNotes(2, 1), QStringLiteral("Test en classe"));
        QCOMPARE(f->Coefficient(2, 1), QStringLiteral("2"));
        QCOMPARE(f->NoteSur(2, 1), QStringLiteral("10"));
        QCOMPARE(f->CompteDansMoyenne(2, 1), QStringLiteral("non"));
        QCOMPARE(f->OralEcrit(2, 1), QStringLiteral("Ecrit"));
        QCOMPARE(f->DateSerie(2, 1), Aujourdhui());
        QCOMPARE(f->Commentaire(2, 1), QStringLiteral("Chapitre 3"));
        for (int s = 1; s <= 4; ++s)
            QCOMPARE(f->Note(2, 1, s), QString());
    }

    void commandeAjouterPuisUneSerieQuiCompte() {
        auto f = ClasseSemestres();
        f->AjouterSerie(2, QStringLiteral("Interro"), false, QStringLiteral("Test en classe"),
                        QString(), Aujourdhui(), QStringLiteral("non"), QStringLiteral("2"),
                        QStringLiteral("10"));
        f->ModifierNote(2, 1, QStringLiteral("5"), 1);
        InterlocuteurTest boites;
        auto fait = AuProchainDialogue<TFormNouvelleSerieDeNotes>([](TFormNouvelleSerieDeNotes* d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("Nouvelle série de notes"));
            QCOMPARE(d->TabControl1()->currentIndex(), 1); // the sheet's current period
            TaperTexte(d->ComboBox1(), QStringLiteral("Exposé"));
            QTest::mouseClick(d->BoutonOral(), Qt::LeftButton);
            QTest::keyClick(d->ComboBox1(), Qt::Key_Return);
        });
        QCOMPARE(CommandesSeries::AjouterSerieDeNotes(nullptr, *f, 2, QPixmap()), 2);
        QVERIFY(*fait);
        QVERIFY(boites.boites.isEmpty());
        QCOMPARE(f->NombreSeries(2), 2);
        QCOMPARE(f->Intitule(2, 2), QStringLiteral("Exposé"));
        QCOMPARE(f->CompteDansMoyenne(2, 2), QStringLiteral("oui"));
        QCOMPARE(f->OralEcrit(2, 2), QStringLiteral("Oral"));
        QCOMPARE(f->NoteSur(2, 2), QStringLiteral("20"));
        // The marks: only the series that counts makes the average.
        f->ModifierNote(2, 2, QStringLiteral("14"), 1);
        QCOMPARE(Valeur(f->MoyenneBrute(2, 1)), 14.0);
        f->ModifierCompteDansMoyenne(2, 1, QStringLiteral("oui"));
        QCOMPARE(Valeur(f->MoyenneBrute(2, 1)), 12.0); // (5 × 2 + 14) / (10 × 2 + 20) × 20
    }

    void commandeAnnuleeNAjouteRien() {
        auto f = ClasseSemestres();
        auto fait = AuProchainDialogue<TFormNouvelleSerieDeNotes>(
            [](TFormNouvelleSerieDeNotes* d) { QTest::keyClick(d, Qt::Key_Escape); });
        QCOMPARE(CommandesSeries::AjouterSerieDeNotes(nullptr, *f, 1, QPixmap()), 0);
        QVERIFY(*fait);
        QCOMPARE(f->NombreSeriesAnnee(), 0);
    }

    void commandeLimiteDe255Series() {
        auto f = ClasseSemestres();
        for (int i = 0; i < 255; ++i)
            f->AjouterSerie(1 + i % 2, QStringLiteral("S"), false, QString(), QString(), QString(),
                            QStringLiteral("oui"), QStringLiteral("1"), QStringLiteral("20"));
        InterlocuteurTest boites;
        QCOMPARE(CommandesSeries::AjouterSerieDeNotes(nullptr, *f, 1, QPixmap()), 0);
        QCOMPARE(boites.boites.size(), 1);
        QCOMPARE(boites.boites.at(0).texte,
                 QStringLiteral("Impossible d'ajouter une série de notes. Le nombre de séries de "
                                "notes est limité à 255."));
        QCOMPARE(boites.boites.at(0).icone, TIcone::Information);
        QCOMPARE(boites.boites.at(0).titre, QStringLiteral("Tavelin"));
        QCOMPARE(f->NombreSeriesAnnee(), 255);
    }

    void nouveauCoefficientTapeAvecUnPoint() {
        auto f = ClasseSemestres();
        TFormNouvelleSerieDeNotes d(nullptr, QStringLiteral("Nouvelle série de notes"), QPixmap(),
                                    f.get());
        QVERIFY(Montrer(&d));
        auto fait = AuProchainDialogue<TFormEdit>([](TFormEdit* e) {
            QCOMPARE(e->windowTitle(), QStringLiteral("Coefficient de la série"));
            QVERIFY(e->EstNumerique());
            QTest::keyClicks(e->Champ(), QStringLiteral("0.5"));
            QTest::keyClick(e->Champ(), Qt::Key_Return);
        });
        QTest::mouseClick(d.SpeedButton3(), Qt::LeftButton);
        QVERIFY(*fait);
        QCOMPARE(d.ComboBox2()->count(), 11);
        QCOMPARE(d.Coefficient(), QStringLiteral("0,5"));
        // The same value again is selected, not added twice.
        d.ComboBox2()->setCurrentIndex(0);
        fait = AuProchainDialogue<TFormEdit>([](TFormEdit* e) {
            QTest::keyClicks(e->Champ(), QStringLiteral("0,5"));
            QTest::keyClick(e->Champ(), Qt::Key_Return);
        });
        QTest::mouseClick(d.SpeedButton3(), Qt::LeftButton);
        QVERIFY(*fait);
        QCOMPARE(d.ComboBox2()->count(), 11);
        QCOMPARE(d.Coefficient(), QStringLiteral("0,5"));
        QTest::mouseClick(d.BoutonOk(), Qt::LeftButton);
        d.AjouterA(*f);
        QCOMPARE(f->Coefficient(1, 1), QStringLiteral("0,5"));
    }

    void nouveauNoteSurEtAnnulation() {
        auto f = ClasseSemestres();
        TFormNouvelleSerieDeNotes d(nullptr, QStringLiteral("Nouvelle série de notes"), QPixmap(),
                                    f.get());
        QVERIFY(Montrer(&d));
        auto fait = AuProchainDialogue<TFormEdit>([](TFormEdit* e) {
            QCOMPARE(e->windowTitle(), QStringLiteral("Noté sur"));
            QTest::keyClicks(e->Champ(), QStringLiteral("15"));
            QTest::keyClick(e->Champ(), Qt::Key_Return);
        });
        QTest::mouseClick(d.SpeedButton2(), Qt::LeftButton);
        QVERIFY(*fait);
        QCOMPARE(d.NoteSur(), QStringLiteral("15"));
        QCOMPARE(d.ComboBox5()->itemText(d.ComboBox5()->count() - 1), QStringLiteral("15"));
        fait = AuProchainDialogue<TFormEdit>([](TFormEdit* e) {
            QTest::keyClicks(e->Champ(), QStringLiteral("40"));
            QTest::keyClick(e->Champ(), Qt::Key_Escape);
        });
        QTest::mouseClick(d.SpeedButton2(), Qt::LeftButton);
        QVERIFY(*fait);
        QCOMPARE(d.NoteSur(), QStringLiteral("15"));
        QCOMPARE(d.ComboBox5()->count(), 8);
    }

    void intituleChoisiDansLaListe() {
        auto f = ClasseSemestres();
        TFormNouvelleSerieDeNotes d(nullptr, QStringLiteral("Nouvelle série de notes"), QPixmap(),
                                    f.get());
        QVERIFY(Montrer(&d));
        QTest::keyClick(d.ComboBox1(), Qt::Key_Down);
        QCOMPARE(d.Intitule(), Options::ChargerTypesDeNotes().value(0));
    }

    void windows1252_refuse() {
        InterlocuteurTest boites;
        auto f = ClasseSemestres();
        TFormNouvelleSerieDeNotes d(nullptr, QStringLiteral("Nouvelle série de notes"), QPixmap(),
                                    f.get());
        QVERIFY(Montrer(&d));
        TaperTexte(d.ComboBox1(), QStringLiteral("Quiz 🎉"));
        QTRY_COMPARE(boites.boites.size(), 1);
        QCOMPARE(d.Intitule(), QStringLiteral("Quiz "));
        QVERIFY(boites.boites.at(0).texte.contains(QStringLiteral("🎉")));
        d.Edit3()->setFocus();
        TaperTexte(d.Edit3(), QStringLiteral("Œuvre ≠"));
        QTRY_COMPARE(boites.boites.size(), 2);
        QCOMPARE(d.Commentaire(), QStringLiteral("Œuvre ")); // "Œ" is in Windows-1252
        QVERIFY(boites.boites.at(1).texte.contains(QStringLiteral("« ≠ »")));
    }

    void typeDeNotesDesReglagesNonEnregistrableRefuseALaValidation() {
        // A grade type of the settings that a class file cannot hold is not stored silently.
        Options::EnregistrerTypesDeNotes({QStringLiteral("Contrôle"), QStringLiteral("Łacina")});
        InterlocuteurTest boites;
        auto f = ClasseSemestres();
        TFormNouvelleSerieDeNotes d(nullptr, QStringLiteral("Nouvelle série de notes"), QPixmap(),
                                    f.get());
        QVERIFY(Montrer(&d));
        QVERIFY(ChoisirDansListe(d.ComboBoxTypesDeNotes(), QStringLiteral("Łacina")));
        QTest::keyClick(d.ComboBoxTypesDeNotes(), Qt::Key_Return);
        QVERIFY(d.isVisible());
        QCOMPARE(boites.boites.size(), 1);
        QVERIFY(boites.boites.at(0).texte.contains(QStringLiteral("« Ł »")));
    }

private:
    std::unique_ptr<TavTest::ReglagesPrives> reglages;
};

QTEST_MAIN(TestNouvelleSerie)
#include "tst_nouvelleSerie.moc"
