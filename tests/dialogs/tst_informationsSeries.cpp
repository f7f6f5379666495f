// The series-information dialog TFormInformationsSeriesDeNotes: every change goes straight into
// the class file.
#include "_FormEdit.h"
#include "_FormInformationsSeries.h"
#include "aideDialogues.h"
#include "tavX_fichierTav.h"
#include "tavX_nombres.h"
#include "tavX_options.h"
#include "tavX_ouvrirOptions.h"
#include "tavX_selecteurDate.h"
#include "tavtest_ecrivain.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTemporaryDir>
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

QStringList Lignes(QListWidget* liste) {
    QStringList l;
    for (int i = 0; i < liste->count(); ++i)
        l.append(liste->item(i)->text());
    return l;
}

double Valeur(const QString& texte) {
    long double v = -1;
    if (!Tav::LireNombre(texte, v)) return -1;
    return qRound(double(v) * 100) / 100.0;
}

// Two semesters, four students; the first semester holds a written test on 15 and an oral
// presentation whose stored date cannot be read; the second holds nothing.
TavTest::Classe Description() {
    TavTest::Classe c;
    c.typePeriodes = QStringLiteral("Semestres");
    c.periodes = {QStringLiteral("Premier semestre"), QStringLiteral("Deuxième semestre")};
    for (const char* nom : {"AUBERT Léa", "BERNARD Zoe", "DUPONT Jean", "EMERY Paul"})
        c.eleves.append({QString::fromUtf8(nom), QString(), QStringLiteral("1"), QString()});
    TavTest::Serie a;
    a.intitule = QStringLiteral("Contrôle");
    a.notes = {QStringLiteral("12"), QStringLiteral("9"), QStringLiteral("abs"), QString()};
    a.noteSur = QStringLiteral("15");
    a.date = QStringLiteral("10/10/2024");
    a.commentaire = QStringLiteral("Fractions");
    a.typeNotes = QStringLiteral("Contrôle en classe");
    TavTest::Serie b;
    b.intitule = QStringLiteral("Exposé");
    b.notes = {QStringLiteral("18"), QStringLiteral("14"), QStringLiteral("10"),
               QStringLiteral("8")};
    b.coefficient = QStringLiteral("3,5");
    b.date = QStringLiteral("pas une date");
    b.commentaire = QStringLiteral("Par groupes");
    b.typeNotes = QStringLiteral("Projet");
    b.oralEcrit = QStringLiteral("Oral");
    c.series = {a, b};
    return c;
}

} // namespace

class TestInformationsSeries : public QObject {
    Q_OBJECT

private slots:
    void init() {
        reglages = std::make_unique<TavTest::ReglagesPrives>();
        QVERIFY(dossier.isValid());
        const QString chemin = dossier.filePath(QStringLiteral("classe.tav"));
        QVERIFY(TavTest::EcrireFichier(chemin, TavTest::FichierActuel(Description())));
        f = std::make_unique<TFichierTav>(chemin);
        QVERIFY(f->EstValide());
        QVERIFY(!f->EstModifie());
    }
    void cleanup() {
        f.reset();
        reglages.reset();
    }

    void boutonType_leTypeAjouteDevientCeluiDeLaSerie() {
        Dialogues::DefinirOuvertureOptions([](QWidget*, const QString&, const QString&) {
            Options::EnregistrerTypesDeNotes(Options::ChargerTypesDeNotes() +
                                             QStringList{QStringLiteral("Exposé oral")});
        });
        TFormInformationsSeriesDeNotes d(nullptr, QPixmap(), f.get());
        QVERIFY(Montrer(&d));
        QVERIFY(d.SpeedButton4()->isVisible());
        QTest::mouseClick(d.SpeedButton4(), Qt::LeftButton);
        Dialogues::DefinirOuvertureOptions({});
        QCOMPARE(d.ComboBox3()->currentText(), QStringLiteral("Exposé oral"));
        QCOMPARE(f->TypeNotes(1, 1), QStringLiteral("Exposé oral"));
    }

    void ouvertureSurLaPremiereSerie() {
        TFormInformationsSeriesDeNotes d(nullptr, QPixmap(), f.get());
        QVERIFY(Montrer(&d));
        QCOMPARE(d.windowTitle(), QStringLiteral("Informations sur les séries de notes"));
        QCOMPARE(d.TabControl1()->count(), 2);
        QCOMPARE(d.TabControl1()->tabText(0), QStringLiteral("Premier semestre"));
        QCOMPARE(Lignes(d.ListBoxSeries()), (QStringList{"Contrôle", "Exposé"}));
        QCOMPARE(d.ListBoxSeries()->currentRow(), 0);
        QCOMPARE(d.Label8()->text(), QStringLiteral("2 séries de notes"));
        QCOMPARE(d.Edit1()->text(), QStringLiteral("Contrôle"));
        // "15" is not a standard maximum: added at the end and selected.
        QCOMPARE(Elements(d.ComboBox2()),
                 (QStringList{"20", "10", "5", "30", "40", "50", "100", "15"}));
        QCOMPARE(d.ComboBox2()->currentText(), QStringLiteral("15"));
        QCOMPARE(d.ComboBox1()->count(), 10);
        QCOMPARE(d.ComboBox1()->currentText(), QStringLiteral("1"));
        QVERIFY(d.BoutonOui()->isChecked());
        QVERIFY(d.BoutonEcrit()->isChecked());
        QCOMPARE(d.DateTimePicker1()->date(), QDate(2024, 10, 10));
        QCOMPARE(Elements(d.ComboBox3()), Options::ChargerTypesDeNotes());
        QCOMPARE(d.ComboBox3()->currentText(), QStringLiteral("Contrôle en classe"));
        QCOMPARE(d.Edit2()->text(), QStringLiteral("Fractions"));
        QCOMPARE(d.Edit1()->maxLength(), 100);
        QCOMPARE(d.Edit2()->maxLength(), 100);
        // Showing changes nothing.
        QVERIFY(!f->EstModifie());
    }

    void dateIllisibleNEmpechePasLeRemplissage() {
        TFormInformationsSeriesDeNotes d(nullptr, QPixmap(), f.get());
        QVERIFY(Montrer(&d));
        QListWidget* liste = d.ListBoxSeries();
        QTest::mouseClick(liste->viewport(), Qt::LeftButton, {},
                          liste->visualItemRect(liste->item(1)).center());
        QCOMPARE(d.Serie(), 2);
        QCOMPARE(d.Edit1()->text(), QStringLiteral("Exposé"));
        QVERIFY(d.DateTimePicker1()->EstInconnue());
        QCOMPARE(d.DateTimePicker1()->text(), QStringLiteral("inconnue"));
        QVERIFY(d.DateTimePicker1()->toolTip().contains(QStringLiteral("pas une date")));
        // Every other control shows this series.
        QCOMPARE(d.ComboBox2()->currentText(), QStringLiteral("20"));
        QCOMPARE(d.ComboBox2()->count(), 7);
        QCOMPARE(d.ComboBox1()->currentText(), QStringLiteral("3,5"));
        QVERIFY(d.BoutonOral()->isChecked());
        QCOMPARE(d.ComboBox3()->currentText(), QStringLiteral("Projet"));
        QCOMPARE(d.ComboBox3()->count(), Options::ChargerTypesDeNotes().size() + 1);
        QCOMPARE(d.Edit2()->text(), QStringLiteral("Par groupes"));
        // The stored text stays until a date is picked.
        QCOMPARE(f->DateSerie(1, 2), QStringLiteral("pas une date"));
        QVERIFY(!f->EstModifie());
        // From "inconnue" the first arrow step gives today, stored at once.
        d.DateTimePicker1()->setFocus();
        QTest::keyClick(d.DateTimePicker1(), Qt::Key_Up);
        QCOMPARE(d.DateTimePicker1()->date(), QDate::currentDate());
        QCOMPARE(f->DateSerie(1, 2), QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")));
        // Tab leaves the date at once.
        QCOMPARE(Tab(&d), d.ComboBox3());
    }

    void compteDansLaMoyenneChangeLaClasseAussitot() {
        TFormInformationsSeriesDeNotes d(nullptr, QPixmap(), f.get());
        QVERIFY(Montrer(&d));
        // Student 1: 12/15 coefficient 1 and 18/20 coefficient 3,5.
        QCOMPARE(Valeur(f->MoyenneBrute(1, 1)), 17.65); // (12 + 18 × 3,5) / (15 + 20 × 3,5) × 20
        QTest::mouseClick(d.BoutonNon(), Qt::LeftButton);
        QCOMPARE(f->CompteDansMoyenne(1, 1), QStringLiteral("non"));
        QVERIFY(f->EstModifie());
        QCOMPARE(Valeur(f->MoyenneBrute(1, 1)), 18.0);
        // Back by keyboard.
        QTest::keyClick(d.BoutonNon(), Qt::Key_Left);
        QVERIFY(d.BoutonOui()->isChecked());
        QCOMPARE(f->CompteDansMoyenne(1, 1), QStringLiteral("oui"));
        QCOMPARE(Valeur(f->MoyenneBrute(1, 1)), 17.65); // (12 + 18 × 3,5) / (15 + 20 × 3,5) × 20
    }

    void intituleRenommeAMesureDeLaFrappe() {
        TFormInformationsSeriesDeNotes d(nullptr, QPixmap(), f.get());
        QVERIFY(Montrer(&d));
        QTest::keyClick(&d, Qt::Key_I, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), d.Edit1());
        QTest::keyClick(d.Edit1(), Qt::Key_End);
        const QString ajout = QStringLiteral(" n°2");
        QString attendu = QStringLiteral("Contrôle");
        for (const QChar c : ajout) {
            TaperTexte(d.Edit1(), QString(c));
            attendu += c;
            QCOMPARE(d.ListBoxSeries()->item(0)->text(), attendu);
            QCOMPARE(f->Intitule(1, 1), attendu);
        }
        QCOMPARE(f->Intitule(1, 2), QStringLiteral("Exposé"));
    }

    void chaqueControleEnregistre() {
        TFormInformationsSeriesDeNotes d(nullptr, QPixmap(), f.get());
        QVERIFY(Montrer(&d));
        QVERIFY(ChoisirDansListe(d.ComboBox2(), QStringLiteral("10")));
        QCOMPARE(f->NoteSur(1, 1), QStringLiteral("10"));
        QVERIFY(ChoisirDansListe(d.ComboBox1(), QStringLiteral("4")));
        QCOMPARE(f->Coefficient(1, 1), QStringLiteral("4"));
        QTest::mouseClick(d.BoutonOral(), Qt::LeftButton);
        QCOMPARE(f->OralEcrit(1, 1), QStringLiteral("Oral"));
        QVERIFY(ChoisirDansListe(d.ComboBox3(), QStringLiteral("Oral")));
        QCOMPARE(f->TypeNotes(1, 1), QStringLiteral("Oral"));
        d.Edit2()->setFocus();
        QTest::keyClick(d.Edit2(), Qt::Key_End);
        QTest::keyClicks(d.Edit2(), QStringLiteral(" 2"));
        QCOMPARE(f->Commentaire(1, 1), QStringLiteral("Fractions 2"));
        d.DateTimePicker1()->setFocus();
        d.DateTimePicker1()->setCurrentSection(QDateTimeEdit::DaySection);
        QTest::keyClick(d.DateTimePicker1(), Qt::Key_Up);
        QCOMPARE(f->DateSerie(1, 1), QStringLiteral("11/10/2024"));
        // The other series is untouched.
        QCOMPARE(f->NoteSur(1, 2), QStringLiteral("20"));
        QCOMPARE(f->Commentaire(1, 2), QStringLiteral("Par groupes"));
        QCOMPARE(f->DateSerie(1, 2), QStringLiteral("pas une date"));
    }

    void periodeSansSerie() {
        TFormInformationsSeriesDeNotes d(nullptr, QPixmap(), f.get());
        QVERIFY(Montrer(&d));
        QTest::mouseClick(d.TabControl1(), Qt::LeftButton, {},
                          d.TabControl1()->tabRect(1).center());
        QCOMPARE(d.Periode(), 2);
        QCOMPARE(d.ListBoxSeries()->count(), 0);
        QCOMPARE(d.Label8()->text(), QStringLiteral("aucune série de notes"));
        for (QWidget* w : QList<QWidget*>{d.Edit1(), d.ComboBox2(), d.ComboBox1(), d.BoutonOui(),
                                          d.BoutonOral(), d.DateTimePicker1(), d.ComboBox3(),
                                          d.Edit2(), d.SpeedButton2(), d.SpeedButton3()})
            QVERIFY2(!w->isEnabled(), qPrintable(w->objectName()));
        QVERIFY(!f->EstModifie());
        // Back to the first period: enabled again, first series shown.
        d.TabControl1()->setCurrentIndex(0);
        QVERIFY(d.Edit1()->isEnabled());
        QCOMPARE(d.Edit1()->text(), QStringLiteral("Contrôle"));
        QCOMPARE(d.Label8()->text(), QStringLiteral("2 séries de notes"));
    }

    void selectionnerUneSerie() {
        TFormInformationsSeriesDeNotes d(nullptr, QPixmap(), f.get());
        d.Selectionner(1, 2);
        QCOMPARE(d.Edit1()->text(), QStringLiteral("Exposé"));
        d.Selectionner(2);
        QCOMPARE(d.Periode(), 2);
        QVERIFY(!d.Edit1()->isEnabled());
    }

    void nouveauNoteSurEtCoefficient() {
        TFormInformationsSeriesDeNotes d(nullptr, QPixmap(), f.get());
        QVERIFY(Montrer(&d));
        auto fait = AuProchainDialogue<TFormEdit>([](TFormEdit* e) {
            QCOMPARE(e->windowTitle(), QStringLiteral("Noté sur"));
            QCOMPARE(e->Texte(), QStringLiteral("15")); // the series' value to start from
            QTest::keyClicks(e->Champ(), QStringLiteral("12.5"));
            QTest::keyClick(e->Champ(), Qt::Key_Return);
        });
        QTest::mouseClick(d.SpeedButton2(), Qt::LeftButton);
        QVERIFY(*fait);
        QCOMPARE(d.ComboBox2()->currentText(), QStringLiteral("12,5"));
        QCOMPARE(f->NoteSur(1, 1), QStringLiteral("12,5"));
        fait = AuProchainDialogue<TFormEdit>([](TFormEdit* e) {
            QCOMPARE(e->windowTitle(), QStringLiteral("Coefficient"));
            QTest::keyClick(e->Champ(), Qt::Key_Return); // unchanged: cancel
        });
        QTest::mouseClick(d.SpeedButton3(), Qt::LeftButton);
        QVERIFY(*fait);
        QCOMPARE(f->Coefficient(1, 1), QStringLiteral("1"));
        QCOMPARE(d.ComboBox1()->count(), 10);
    }

    void fermerParEntreeOuEchap() {
        TFormInformationsSeriesDeNotes d(nullptr, QPixmap(), f.get());
        QVERIFY(Montrer(&d));
        QTest::keyClick(d.Edit1(), Qt::Key_Return);
        QVERIFY(!d.isVisible());
        TFormInformationsSeriesDeNotes e(nullptr, QPixmap(), f.get());
        QVERIFY(Montrer(&e));
        QTest::keyClick(e.ListBoxSeries(), Qt::Key_Escape);
        QVERIFY(!e.isVisible());
        QVERIFY(!f->EstModifie());
    }

    void windows1252_refuseDansIntituleEtCommentaire() {
        InterlocuteurTest boites;
        TFormInformationsSeriesDeNotes d(nullptr, QPixmap(), f.get());
        QVERIFY(Montrer(&d));
        d.Edit1()->setFocus();
        QTest::keyClick(d.Edit1(), Qt::Key_End);
        TaperTexte(d.Edit1(), QStringLiteral("→"));
        QTRY_COMPARE(boites.boites.size(), 1);
        QVERIFY(boites.boites.at(0).texte.contains(QStringLiteral("« → »")));
        QCOMPARE(f->Intitule(1, 1), QStringLiteral("Contrôle"));
        QCOMPARE(d.ListBoxSeries()->item(0)->text(), QStringLiteral("Contrôle"));
        d.Edit2()->setFocus();
        TaperTexte(d.Edit2(), QStringLiteral("✓"));
        QTRY_COMPARE(boites.boites.size(), 2);
        QCOMPARE(f->Commentaire(1, 1), QStringLiteral("Fractions"));
        QVERIFY(!f->EstModifie());
    }

    void typeDesReglagesNonEnregistrableRefuse() {
        Options::EnregistrerTypesDeNotes(
            {QStringLiteral("Contrôle en classe"), QStringLiteral("Ćwiczenie")});
        InterlocuteurTest boites;
        TFormInformationsSeriesDeNotes d(nullptr, QPixmap(), f.get());
        QVERIFY(Montrer(&d));
        QVERIFY(!ChoisirDansListe(d.ComboBox3(), QStringLiteral("Ćwiczenie"))); // put back
        QCOMPARE(boites.boites.size(), 1);
        QVERIFY(boites.boites.at(0).texte.contains(QStringLiteral("« Ć »")));
        QCOMPARE(d.ComboBox3()->currentText(), QStringLiteral("Contrôle en classe"));
        QCOMPARE(f->TypeNotes(1, 1), QStringLiteral("Contrôle en classe"));
        QVERIFY(!f->EstModifie());
    }

private:
    QTemporaryDir dossier;
    std::unique_ptr<TavTest::ReglagesPrives> reglages;
    std::unique_ptr<TFichierTav> f;
};

QTEST_MAIN(TestInformationsSeries)
#include "tst_informationsSeries.moc"
