// The series tools: reorganise, delete, create from several, rescale, import series and
// student lists. Every refusal leaves the saved bytes of the class as they were.
#include "_FormEdit.h"
#include "_FormImporterSeries.h"
#include "_FormReorganiser.h"
#include "_FormSupprimerSerie.h"
#include "_FormTransformerSeries.h"
#include "_FormTypeImportation.h"
#include "_FormUtilitairesSeries.h"
#include "aideDialogues.h"
#include "tavX_fichierTav.h"
#include "tavX_outilsSeries.h"
#include "tavtest_ecrivain.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace AideDialogues;

namespace {

// Three trimesters, the given students; series (period, title, maximum, marks).
struct S {
    int p;
    QString titre;
    QString sur;
    QStringList notes;
};

std::unique_ptr<TFichierTav> Classe(const QStringList& eleves, const QList<S>& series) {
    auto f = std::make_unique<TFichierTav>();
    f->InitialiserClasse(QStringLiteral("Trimestres"), QStringLiteral("Bulletins par défaut"));
    f->ModifierListeEleves(eleves);
    for (const S& s : series) {
        f->AjouterSerie(s.p, s.titre, false, QStringLiteral("Contrôle"), QString(),
                        QStringLiteral("01/10/2024"), QStringLiteral("oui"), QStringLiteral("1"),
                        s.sur);
        const int j = f->NombreSeries(s.p);
        for (int e = 1; e <= f->NombreEleves(); ++e)
            f->ModifierNote(s.p, j, s.notes.value(e - 1), e);
    }
    return f;
}

QStringList Titres(const TFichierTav& f, int p) {
    return OutilsSeries::IntitulesSeries(f, p);
}

QStringList Lignes(QListWidget* liste) {
    QStringList l;
    for (int i = 0; i < liste->count(); ++i)
        l.append(liste->item(i)->text());
    return l;
}

} // namespace

class TestOutilsSeries : public QObject {
    Q_OBJECT

    QTemporaryDir dossier;
    std::unique_ptr<TavTest::ReglagesPrives> reglages;

    // The bytes the class would be saved as.
    QByteArray Octets(TFichierTav& f) {
        const QString chemin = dossier.filePath(QStringLiteral("instantane.tav"));
        QFile::remove(chemin);
        const QString avant = f.NomFichier();
        f.Enregistrer(chemin);
        f.ModifierNomFichier(avant);
        return TavTest::LireFichier(chemin);
    }

private slots:
    void init() {
        reglages = std::make_unique<TavTest::ReglagesPrives>();
        QVERIFY(dossier.isValid());
    }
    void cleanup() { reglages.reset(); }

    void listesIdentiques_data() {
        QTest::addColumn<QStringList>("a");
        QTest::addColumn<QStringList>("b");
        QTest::addColumn<bool>("identiques");
        QTest::newRow("casse et blancs") << QStringList{"Dupont Jean", "MARTIN Léa"}
                                         << QStringList{" DUPONT jean ", "martin Léa"} << true;
        QTest::newRow("accent non converti") << QStringList{"Léa"} << QStringList{"LÉA"} << false;
        QTest::newRow("nombre") << QStringList{"A"} << QStringList{"A", "B"} << false;
        QTest::newRow("ordre") << QStringList{"A", "B"} << QStringList{"B", "A"} << false;
    }
    void listesIdentiques() {
        QFETCH(QStringList, a);
        QFETCH(QStringList, b);
        QFETCH(bool, identiques);
        QCOMPARE(OutilsSeries::ListesIdentiques(a, b), identiques);
    }

    // ---- Reorganise -------------------------------------------------------------------------

    void reorganiser_toutDeplacer() {
        auto f = Classe({"A"}, {{1, "D1", "20", {"1"}},
                                {1, "D2", "20", {"2"}},
                                {1, "D3", "20", {"3"}},
                                {2, "E1", "20", {"4"}}});
        TFormReorganiser d(nullptr, QPixmap(), *f);
        QCOMPARE(d.Label3()->text(), QStringLiteral("3 séries de notes"));
        QVERIFY(!d.SpeedButton5()->isEnabled()); // same period on both sides
        QVERIFY(ChoisirDansListe(d.ComboBox2(), f->NomPeriode(2)));
        QVERIFY(d.SpeedButton5()->isEnabled());
        QTest::mouseClick(d.SpeedButton5(), Qt::LeftButton);
        QCOMPARE(Titres(*f, 1), QStringList{});
        QCOMPARE(Titres(*f, 2), (QStringList{"E1", "D1", "D2", "D3"}));
        QCOMPARE(f->Note(2, 4, 1), QStringLiteral("3"));
        QCOMPARE(d.Label3()->text(), QStringLiteral("aucune série de notes"));
        QCOMPARE(d.Label4()->text(), QStringLiteral("4 séries de notes"));
        QCOMPARE(Lignes(d.ListBox2()), (QStringList{"E1", "D1", "D2", "D3"}));
        QVERIFY(!d.SpeedButton5()->isEnabled());
    }

    // Without a selected series the move, up and down buttons do nothing (they used to act on
    // the series before the period's first one).
    void reorganiser_sansSelection() {
        auto f =
            Classe({"A"}, {{1, "D1", "20", {"1"}}, {2, "E1", "20", {"4"}}, {2, "E2", "20", {}}});
        const QByteArray avant = Octets(*f);
        TFormReorganiser d(nullptr, QPixmap(), *f);
        QVERIFY(ChoisirDansListe(d.ComboBox1(), f->NomPeriode(2)));
        QVERIFY(ChoisirDansListe(d.ComboBox2(), f->NomPeriode(3)));
        QCOMPARE(d.ListBox1()->currentRow(), -1);
        QVERIFY(!d.SpeedButton1()->isEnabled());
        QVERIFY(!d.SpeedButton2()->isEnabled());
        QVERIFY(!d.SpeedButton3()->isEnabled());
        d.Deplacer();
        d.Monter();
        d.Descendre();
        QCOMPARE(Octets(*f), avant);
    }

    void reorganiser_monterDescendre() {
        auto f = Classe({"A"}, {{1, "D1", "20", {}}, {1, "D2", "20", {}}, {1, "D3", "20", {}}});
        TFormReorganiser d(nullptr, QPixmap(), *f);
        d.ListBox1()->setCurrentRow(0);
        QVERIFY(!d.SpeedButton2()->isEnabled());
        d.Monter(); // first line: nothing
        QCOMPARE(Titres(*f, 1), (QStringList{"D1", "D2", "D3"}));
        QTest::mouseClick(d.SpeedButton3(), Qt::LeftButton);
        QCOMPARE(Titres(*f, 1), (QStringList{"D2", "D1", "D3"}));
        QCOMPARE(d.ListBox1()->currentRow(), 1);
        QTest::mouseClick(d.SpeedButton3(), Qt::LeftButton);
        QCOMPARE(Titres(*f, 1), (QStringList{"D2", "D3", "D1"}));
        QCOMPARE(d.ListBox1()->currentRow(), 2);
        QVERIFY(!d.SpeedButton3()->isEnabled());
        d.Descendre(); // last line: nothing
        QCOMPARE(Titres(*f, 1), (QStringList{"D2", "D3", "D1"}));
        QTest::mouseClick(d.SpeedButton2(), Qt::LeftButton);
        QCOMPARE(Titres(*f, 1), (QStringList{"D2", "D1", "D3"}));
        QCOMPARE(d.ListBox1()->currentItem()->text(), QStringLiteral("D1"));
    }

    // ---- Delete -----------------------------------------------------------------------------

    void supprimer_premiereEtTroisieme() {
        auto f = Classe({"A"}, {{1, "X", "20", {"5"}},
                                {2, "D1", "20", {"1"}},
                                {2, "D2", "20", {"2"}},
                                {2, "D3", "20", {"3"}}});
        InterlocuteurTest boites;
        TFormSupprimerSerie d(nullptr, QPixmap(), *f);
        d.Selectionner(2);
        QCOMPARE(d.Label1()->text(), f->NomPeriode(2) + QStringLiteral(" : 3 séries de notes"));
        QVERIFY(!d.BoutonSupprimer()->isEnabled());
        d.CheckListBox1()->item(0)->setCheckState(Qt::Checked);
        d.CheckListBox1()->item(2)->setCheckState(Qt::Checked);
        QVERIFY(d.BoutonSupprimer()->isEnabled());
        // No: nothing changes.
        const QByteArray avant = Octets(*f);
        boites.reponses = {false};
        QTest::mouseClick(d.BoutonSupprimer(), Qt::LeftButton);
        QCOMPARE(boites.Textes(), QStringList{"Supprimer les séries de notes sélectionnées ?"});
        QCOMPARE(boites.boites.at(0).icone, TIcone::Question);
        QCOMPARE(Octets(*f), avant);
        boites.reponses = {true};
        QTest::mouseClick(d.BoutonSupprimer(), Qt::LeftButton);
        QCOMPARE(Titres(*f, 2), QStringList{"D2"});
        QCOMPARE(f->Note(2, 1, 1), QStringLiteral("2"));
        QCOMPARE(Titres(*f, 1), QStringList{"X"});
        QCOMPARE(d.Label1()->text(), f->NomPeriode(2) + QStringLiteral(" : 1 série de notes"));
        QVERIFY(d.AModifie());
        QTest::mouseClick(d.BoutonToutSelectionner(), Qt::LeftButton);
        QVERIFY(d.BoutonSupprimer()->isEnabled());
        QTest::mouseClick(d.BoutonToutDeselectionner(), Qt::LeftButton);
        QVERIFY(!d.BoutonSupprimer()->isEnabled());
    }

    // ---- Rescale ----------------------------------------------------------------------------

    void transformer_enPlace() {
        auto f = Classe({"A", "B", "C", "D"}, {{2, "T", "10", {"7,5", "abs", "", "-1,3"}}});
        TFormTransformerSeries d(nullptr, QPixmap(), *f);
        d.Selectionner(2);
        QVERIFY(!d.SpeedButton1()->isEnabled());
        QVERIFY(!d.CheckBox2()->isEnabled());
        d.ListBox2()->setCurrentRow(0);
        QCOMPARE(d.Edit1()->text(), QStringLiteral("10"));
        QCOMPARE(d.ComboBox1()->currentText(), QStringLiteral("20"));
        QVERIFY(d.SpeedButton1()->isEnabled());
        QTest::mouseClick(d.SpeedButton1(), Qt::LeftButton);
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(d.Periode(), 2);
        QVERIFY(!d.Informations());
        QCOMPARE(f->NombreSeries(2), 1);
        QCOMPARE(f->NoteSur(2, 1), QStringLiteral("20"));
        QCOMPARE(f->Note(2, 1, 1), QStringLiteral("15,00"));
        QCOMPARE(f->Note(2, 1, 2), QStringLiteral("abs"));
        QCOMPARE(f->Note(2, 1, 3), QString());
        QCOMPARE(f->Note(2, 1, 4), QStringLiteral("-2,60"));
    }

    void transformer_copie() {
        auto f = Classe({"A", "B", "C"}, {{1, "T", "10", {"7,5", "abs", "-0,41"}}});
        TFormTransformerSeries d(nullptr, QPixmap(), *f);
        d.Selectionner(1, 1);
        QVERIFY(ChoisirDansListe(d.ComboBox1(), QStringLiteral("30")));
        d.RadioGroup1()->button(2)->setChecked(true); // quarter point
        QTest::mouseClick(d.CheckBox1(), Qt::LeftButton);
        QVERIFY(d.CheckBox2()->isEnabled());
        d.CheckBox2()->setChecked(true);
        d.CheckBox3()->setChecked(true);
        QTest::mouseClick(d.SpeedButton1(), Qt::LeftButton);
        QVERIFY(d.Informations());
        QCOMPARE(f->NombreSeries(1), 2);
        QCOMPARE(f->Note(1, 1, 1), QStringLiteral("7,5"));
        QCOMPARE(f->CompteDansMoyenne(1, 1), QStringLiteral("non"));
        QCOMPARE(f->Intitule(1, 2), QStringLiteral("Copie de T"));
        QCOMPARE(f->NoteSur(1, 2), QStringLiteral("30"));
        QCOMPARE(f->Note(1, 2, 1), QStringLiteral("22,5"));
        QCOMPARE(f->Note(1, 2, 2), QString());
        // A negative mark is rounded too, never erased (-1,23 to the quarter).
        QCOMPARE(f->Note(1, 2, 3), QStringLiteral("-1,25"));
        QCOMPARE(f->DateSerie(1, 2), QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")));
        QCOMPARE(f->CompteDansMoyenne(1, 2), QStringLiteral("oui"));
    }

    // Maxima that are not whole numbers are refused before anything changes (they used to
    // divide by zero, destroy the marks or raise a conversion error).
    void transformer_refus_data() {
        QTest::addColumn<QString>("actuel");
        QTest::addColumn<QString>("cible");
        QTest::addColumn<QString>("message");
        const QString cible = TFormTransformerSeries::MessageCibleIncorrecte();
        const QString serie = TFormTransformerSeries::MessageNoteSurIncorrecte("T");
        QTest::newRow("cible 0") << "10"
                                 << "0" << cible;
        QTest::newRow("cible négative") << "10"
                                        << "-5" << cible;
        QTest::newRow("cible 12,5") << "10"
                                    << "12,5" << cible;
        QTest::newRow("cible 1001") << "10"
                                    << "1001" << cible;
        QTest::newRow("série sur 0") << "0"
                                     << "20" << serie;
        QTest::newRow("série sur 12,5") << "12,5"
                                        << "20" << serie;
        QTest::newRow("série sur rien") << ""
                                        << "20" << serie;
    }
    void transformer_refus() {
        QFETCH(QString, actuel);
        QFETCH(QString, cible);
        QFETCH(QString, message);
        auto f = Classe({"A"}, {{1, "T", actuel, {"7"}}});
        const QByteArray avant = Octets(*f);
        InterlocuteurTest boites;
        TFormTransformerSeries d(nullptr, QPixmap(), *f);
        d.Selectionner(1, 1);
        // The new value goes through the value dialog, as typed.
        auto fait = AuProchainDialogue<TFormEdit>([cible](TFormEdit* e) {
            e->Champ()->setText(cible);
            e->accept();
            if (e->isVisible()) e->reject();
        });
        d.NouvelleValeur();
        QVERIFY(*fait);
        if (d.ComboBox1()->currentText() != cible) d.ComboBox1()->addItem(cible);
        d.ComboBox1()->setCurrentText(cible);
        d.CheckBox1()->setChecked(true);
        d.Transformer();
        QCOMPARE(boites.Textes(), QStringList{message});
        QCOMPARE(boites.boites.at(0).icone, TIcone::Erreur);
        QCOMPARE(Octets(*f), avant);
    }

    // ---- Create from several ----------------------------------------------------------------

    void combiner_data() {
        QTest::addColumn<int>("operation");
        QTest::addColumn<int>("arrondi");
        QTest::addColumn<QStringList>("attendu");
        // Students: 12 and "abs"; nothing twice; 7,3 and 8; -1,3 and "".
        QTest::newRow("maximum") << 0 << 0 << QStringList{"12,00", "", "8,00", "-1,30"};
        QTest::newRow("moyenne") << 1 << 0 << QStringList{"12,00", "", "7,65", "-1,30"};
        QTest::newRow("moyenne au demi") << 1 << 3 << QStringList{"12", "", "7,5", "-1,5"};
        QTest::newRow("somme") << 2 << 0 << QStringList{"12", "", "15,30", "-1,3"};
    }
    void combiner() {
        QFETCH(int, operation);
        QFETCH(int, arrondi);
        QFETCH(QStringList, attendu);
        const QList<QStringList> notes{{"12", "", "7,3", "-1,3"}, {"abs", "abs", "8", ""}};
        QCOMPARE(TFormUtilitairesSeries::Combiner(notes, operation, arrondi), attendu);
    }

    void creer_sommeDeTrois() {
        auto f = Classe({"A", "B"}, {{1, "DS1", "10", {"5", "abs"}},
                                     {1, "DS2", "10", {"6", ""}},
                                     {2, "DS3", "10", {"7,5", "4"}}});
        TFormUtilitairesSeries d(nullptr, QPixmap(), *f);
        d.Selectionner(3);
        QVERIFY(!d.BtnCreerSerie()->isEnabled());
        d.AjouterSerie(1, 1);
        d.AjouterSerie(1, 1); // once only
        d.AjouterSerie(2, 1);
        d.AjouterSerie(1, 2);
        QCOMPARE(Lignes(d.ListBoxSeriesConcernees()),
                 (QStringList{"DS1 (" + f->NomPeriode(1) + ")", "DS3 (" + f->NomPeriode(2) + ")",
                              "DS2 (" + f->NomPeriode(1) + ")"}));
        QVERIFY(d.BtnCreerSerie()->isEnabled());
        QVERIFY(d.CadreArrondi()->isHidden());
        d.RadioGroup1()->button(2)->setChecked(true);
        QVERIFY(d.CheckBox2()->isChecked());
        QTest::mouseClick(d.BtnCreerSerie(), Qt::LeftButton);
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(d.Periode(), 3);
        QVERIFY(d.Informations());
        QCOMPARE(f->Intitule(3, 1), QStringLiteral("Somme de DS1 , DS3 , DS2"));
        QCOMPARE(f->NoteSur(3, 1), QStringLiteral("30"));
        QCOMPARE(f->Commentaire(3, 1), QStringLiteral("Plusieurs notes sur 10 -> une note sur 30"));
        QCOMPARE(f->Note(3, 1, 1), QStringLiteral("18,50"));
        QCOMPARE(f->Note(3, 1, 2), QStringLiteral("4"));
        QCOMPARE(f->CompteDansMoyenne(3, 1), QStringLiteral("oui"));
        QCOMPARE(f->Coefficient(3, 1), QStringLiteral("1"));
        QCOMPARE(f->CompteDansMoyenne(1, 1), QStringLiteral("non"));
        QCOMPARE(f->CompteDansMoyenne(2, 1), QStringLiteral("non"));
    }

    void creer_enSupprimant() {
        auto f = Classe(
            {"A"}, {{1, "A1", "20", {"12"}}, {1, "A2", "20", {"1"}}, {1, "A3", "20", {"abs"}}});
        TFormUtilitairesSeries d(nullptr, QPixmap(), *f);
        d.AjouterSerie(1, 3);
        d.AjouterSerie(1, 1);
        d.CheckBox1()->setChecked(true);
        QVERIFY(!d.CheckBox2()->isEnabled());
        d.RadioGroup1()->button(1)->setChecked(true);
        QVERIFY(!d.CadreArrondi()->isHidden());
        d.CreerSerie();
        QCOMPARE(Titres(*f, 1), (QStringList{"A2", "Moy. de A3 , A1"}));
        QCOMPARE(f->Note(1, 2, 1), QStringLiteral("12,00"));
        QCOMPARE(f->CompteDansMoyenne(1, 1), QStringLiteral("oui"));
    }

    // Refusals change nothing: mixed maxima; a sum of maxima that are not whole numbers (the
    // chosen series were deleted before the refusal).
    void creer_refus_data() {
        QTest::addColumn<QString>("sur2");
        QTest::addColumn<int>("operation");
        QTest::addColumn<QString>("sur1");
        QTest::addColumn<QString>("message");
        QTest::newRow("20 et 10") << "10" << 1 << "20"
                                  << TFormUtilitairesSeries::MessageNoteSurDifferentes();
        QTest::newRow("somme sur 12,5")
            << "12,5" << 2 << "12,5" << TFormUtilitairesSeries::MessageNoteSurNonEntiere();
    }
    void creer_refus() {
        QFETCH(QString, sur1);
        QFETCH(QString, sur2);
        QFETCH(int, operation);
        QFETCH(QString, message);
        auto f = Classe({"A"}, {{1, "A1", sur1, {"12"}}, {1, "A2", sur2, {"1"}}});
        const QByteArray avant = Octets(*f);
        InterlocuteurTest boites;
        TFormUtilitairesSeries d(nullptr, QPixmap(), *f);
        d.AjouterSerie(1, 1);
        d.AjouterSerie(1, 2);
        d.CheckBox1()->setChecked(true);
        d.RadioGroup1()->button(operation)->setChecked(true);
        d.CreerSerie();
        QCOMPARE(boites.Textes(), QStringList{message});
        QCOMPARE(Octets(*f), avant);
        QCOMPARE(d.Periode(), 0);
    }

    // With 255 series, the chosen series must go (the box is ticked and locked): the new one
    // then fits.
    void creer_aLaLimite() {
        auto f = Classe({"A"}, {});
        for (int i = 0; i < 255; ++i)
            f->AjouterSerie(1 + i % 3, QString::number(i), false, QString(), QString(), QString(),
                            QStringLiteral("oui"), QStringLiteral("1"), QStringLiteral("20"));
        InterlocuteurTest boites;
        TFormUtilitairesSeries d(nullptr, QPixmap(), *f);
        QVERIFY(d.CheckBox1()->isChecked());
        QVERIFY(!d.CheckBox1()->isEnabled());
        d.AjouterSerie(1, 1);
        d.AjouterSerie(1, 2);
        d.CreerSerie();
        QVERIFY(boites.boites.isEmpty());
        QCOMPARE(d.Periode(), 1);
        QCOMPARE(f->NombreSeriesAnnee(), 254);
    }

    // ---- Import and copy series -------------------------------------------------------------

    void importer_memesEleves() {
        auto f = Classe({"Dupont Jean", "Martin Léa"}, {{1, "X", "20", {"1", "2"}}});
        auto autre = Classe({" DUPONT jean", "MARTIN Léa  "},
                            {{2, "DS", "10", {"8", "abs"}}, {2, "DM", "20", {"", "15"}}});
        autre->ModifierOral(2, 2, true);
        const QString chemin = dossier.filePath(QStringLiteral("autre.tav"));
        autre->Enregistrer(chemin);
        const QByteArray autreAvant = TavTest::LireFichier(chemin);
        InterlocuteurTest boites;
        boites.fichiersChoisis = {chemin};
        auto fait = AuProchainDialogue<TFormImporterSeries>([](TFormImporterSeries* d) {
            QCOMPARE(
                d->windowTitle(),
                QStringLiteral("Importer des séries de notes depuis le fichier \"autre.tav\""));
            QCOMPARE(d->Label3()->text(), QStringLiteral("aucune série de notes"));
            d->Selectionner(2);
            QCOMPARE(d->Label3()->text(), QStringLiteral("2 séries de notes"));
            QVERIFY(!d->SpeedButtonExecuter()->isEnabled());
            QTest::mouseClick(d->BoutonToutSelectionner(), Qt::LeftButton);
            QVERIFY(ChoisirDansListe(d->ComboBoxPeriodes(), d->ComboBoxPeriodes()->itemText(2)));
            QTest::mouseClick(d->SpeedButtonExecuter(), Qt::LeftButton);
            QVERIFY(d->AModifie());
            d->accept();
        });
        QVERIFY(TFormImporterSeries::ImporterDepuisFichier(nullptr, *f, QPixmap()));
        QVERIFY(*fait);
        QCOMPARE(boites.demandes.at(0).titre,
                 QStringLiteral("Informations sur la série de notes à importer"));
        QCOMPARE(boites.demandes.at(0).filtre, QStringLiteral("Fichier Tavelin *.tav|*.tav"));
        QVERIFY(boites.boites.isEmpty());
        QCOMPARE(Titres(*f, 3), (QStringList{"DS", "DM"}));
        QCOMPARE(f->NoteSur(3, 1), QStringLiteral("10"));
        QCOMPARE(f->Note(3, 1, 1), QStringLiteral("8"));
        QCOMPARE(f->Note(3, 1, 2), QStringLiteral("abs"));
        QCOMPARE(f->Note(3, 2, 2), QStringLiteral("15"));
        QCOMPARE(f->OralEcrit(3, 2), QStringLiteral("Oral"));
        QCOMPARE(TavTest::LireFichier(chemin), autreAvant); // never saved
    }

    void importer_refus_data() {
        QTest::addColumn<QByteArray>("contenu"); // empty: another class of other students
        QTest::addColumn<QString>("message");
        QTest::newRow("autres élèves")
            << QByteArray() << TFormImporterSeries::MessageListesDifferentes();
        QTest::newRow("fichier invalide")
            << QByteArray("pas une classe")
            << QStringLiteral("Le fichier \"autre.tav\" n'est pas un fichier Tavelin valide. "
                              "Impossible d'importer depuis ce fichier.");
    }
    void importer_refus() {
        QFETCH(QByteArray, contenu);
        QFETCH(QString, message);
        auto f = Classe({"A", "B"}, {{1, "X", "20", {"1", "2"}}});
        const QString chemin = dossier.filePath(QStringLiteral("autre.tav"));
        QFile::remove(chemin);
        if (contenu.isEmpty())
            Classe({"A", "C"}, {{1, "Y", "20", {"3", "4"}}})->Enregistrer(chemin);
        else
            QVERIFY(TavTest::EcrireFichier(chemin, contenu));
        const QByteArray avant = Octets(*f);
        InterlocuteurTest boites;
        boites.fichiersChoisis = {chemin};
        QVERIFY(!TFormImporterSeries::ImporterDepuisFichier(nullptr, *f, QPixmap()));
        QCOMPARE(boites.boites.size(), 1);
        QVERIFY2(boites.boites.at(0).texte.startsWith(message),
                 qPrintable(boites.boites.at(0).texte));
        QCOMPARE(boites.boites.at(0).icone, TIcone::Erreur);
        QCOMPARE(Octets(*f), avant);
    }

    // The limit reached in the middle of an import: the series already imported stay.
    void importer_limiteEnCours() {
        auto f = Classe({"A"}, {});
        for (int i = 0; i < 254; ++i)
            f->AjouterSerie(1, QString::number(i), false, QString(), QString(), QString(),
                            QStringLiteral("oui"), QStringLiteral("1"), QStringLiteral("20"));
        auto autre = Classe({"a "}, {{1, "U", "20", {"1"}}, {1, "V", "20", {"2"}}});
        InterlocuteurTest boites;
        TFormImporterSeries d(nullptr, QPixmap(), *f, *autre, TFormImporterSeries::ModeImportation,
                              QStringLiteral("autre.tav"));
        d.ToutSelectionner(true);
        d.Executer();
        QCOMPARE(f->NombreSeriesAnnee(), 255);
        QCOMPARE(f->Intitule(1, 255), QStringLiteral("U"));
        QCOMPARE(f->Note(1, 255, 1), QStringLiteral("1"));
        QCOMPARE(boites.Textes(),
                 QStringList{"Impossible d'importer la série \"V\"\r\n\r\nLe nombre de séries de "
                             "notes est limité à 255."});
    }

    void copierModeles() {
        auto f = Classe({"A", "B"}, {});
        const QString chemin = dossier.filePath(QStringLiteral("modele.tav"));
        Classe({"Z"}, {{1, "DS", "10", {"8"}}})->Enregistrer(chemin);
        InterlocuteurTest boites;
        boites.fichiersChoisis = {chemin};
        auto fait = AuProchainDialogue<TFormImporterSeries>([](TFormImporterSeries* d) {
            QCOMPARE(d->windowTitle(),
                     QStringLiteral("Copier le modèle des séries de notes de \"modele.tav\""));
            QCOMPARE(d->SpeedButtonExecuter()->text(), QStringLiteral("C&opier"));
            d->CheckListBoxSeries()->item(0)->setCheckState(Qt::Checked);
            d->Executer();
            d->accept();
        });
        QVERIFY(TFormImporterSeries::CopierModeles(nullptr, *f, QPixmap()));
        QVERIFY(*fait);
        QCOMPARE(boites.demandes.at(0).titre, QStringLiteral("Ouvrir un fichier Tavelin"));
        QCOMPARE(Titres(*f, 1), QStringList{"DS"});
        QCOMPARE(f->NoteSur(1, 1), QStringLiteral("10"));
        QCOMPARE(f->Note(1, 1, 1), QString());
        QCOMPARE(f->Note(1, 1, 2), QString());
    }

    // ---- Student lists ----------------------------------------------------------------------

    void lireNoms_data() {
        QTest::addColumn<QByteArray>("octets");
        QTest::addColumn<QStringList>("attendu");
        QTest::newRow("CRLF et lignes blanches")
            << QByteArray("Dupont\r\n  \r\n\r\nMartin\r\n") << QStringList{"Dupont", "Martin"};
        QTest::newRow("BOM UTF-8") << QByteArray("\xEF\xBB\xBF"
                                                 "L\xC3\xA9"
                                                 "a\n")
                                   << QStringList{QStringLiteral("Léa")};
        QTest::newRow("Windows-1252") << QByteArray("L\xE9"
                                                    "a\rZo\xEB")
                                      << QStringList{QStringLiteral("Léa"), QStringLiteral("Zoë")};
        QTest::newRow("coupé") << QByteArray(150, 'x') << QStringList{QString(100, 'x')};
    }
    void lireNoms() {
        QFETCH(QByteArray, octets);
        QFETCH(QStringList, attendu);
        const QString chemin = dossier.filePath(QStringLiteral("noms.txt"));
        QVERIFY(TavTest::EcrireFichier(chemin, octets));
        QStringList noms;
        QString erreur;
        QVERIFY2(TFormTypeImportation::LireNomsTexte(chemin, noms, erreur), qPrintable(erreur));
        QCOMPARE(noms, attendu);
    }

    void lireNoms_refus() {
        const QString chemin = dossier.filePath(QStringLiteral("noms.txt"));
        QVERIFY(TavTest::EcrireFichier(chemin, QStringLiteral("Léa\nWang 王\n").toUtf8()));
        auto f = Classe({"A"}, {});
        const QByteArray avant = Octets(*f);
        InterlocuteurTest boites;
        boites.fichiersChoisis = {chemin};
        QVERIFY(!TFormTypeImportation::ImporterDepuisFichierTexte(nullptr, *f, QPixmap()));
        QCOMPARE(boites.boites.size(), 1);
        QVERIFY(boites.boites.at(0).texte.contains(QStringLiteral("Wang 王")));
        QVERIFY(!boites.boites.at(0).texte.contains(QStringLiteral("Léa")));
        QCOMPARE(Octets(*f), avant);
    }

    // 60 names into an empty class: 50 added, the 51st named in the message.
    void eleves_cinquante() {
        QStringList noms;
        for (int i = 1; i <= 60; ++i)
            noms.append(QStringLiteral("Eleve %1").arg(i, 2, 10, QLatin1Char('0')));
        const QString chemin = dossier.filePath(QStringLiteral("noms.txt"));
        QVERIFY(TavTest::EcrireFichier(chemin, noms.join(QLatin1Char('\n')).toUtf8()));
        auto f = Classe({}, {});
        InterlocuteurTest boites;
        boites.fichiersChoisis = {chemin};
        auto fait = AuProchainDialogue<TFormTypeImportation>([&](TFormTypeImportation* d) {
            QCOMPARE(d->windowTitle(),
                     QStringLiteral("Importer la liste des élèves de \"") + chemin + "\"");
            QCOMPARE(d->Label1()->text(), QStringLiteral("60 élève(s) dans cette classe"));
            QCOMPARE(d->Label2()->text(), QStringLiteral("60 sélectionné(s)"));
            d->CheckListBox1()->item(0)->setCheckState(Qt::Unchecked);
            QCOMPARE(d->Label2()->text(), QStringLiteral("59 sélectionné(s)"));
            QTest::mouseClick(d->BoutonLancer(), Qt::LeftButton);
        });
        QVERIFY(TFormTypeImportation::ImporterDepuisFichierTexte(nullptr, *f, QPixmap()));
        QVERIFY(*fait);
        QCOMPARE(boites.demandes.at(0).titre, QStringLiteral("Importer la liste des élèves"));
        QCOMPARE(boites.demandes.at(0).filtre, QStringLiteral("Tous les fichiers *.*|*.*"));
        QCOMPARE(f->NombreEleves(), 50);
        QCOMPARE(f->NomEleve(1), QStringLiteral("Eleve 02"));
        QCOMPARE(boites.Textes(), QStringList{TFormTypeImportation::MessageMaximum("Eleve 52")});
        QVERIFY(boites.Textes().at(0).endsWith(
            QStringLiteral("(50) autorisé dans Tavelin.\n\r\n\rL'importation est interrompue à "
                           "\"Eleve 52\".")));
    }

    // Replacing asks first (No by default); a class file gives birth dates and repeating flags.
    void eleves_remplacer() {
        auto f = Classe({"Ancien"}, {{1, "X", "20", {"12"}}});
        auto source = Classe({"Zoé", "Adam"}, {});
        const int adam = int(source->ListeEleves().indexOf(QStringLiteral("Adam"))) + 1;
        source->ModifierDateNaissance(adam, QStringLiteral("03/04/2011"));
        source->ModifierRedoublant(adam, true);
        source->ModifierClasse(QStringLiteral("5e A"));
        const QString chemin = dossier.filePath(QStringLiteral("source.tav"));
        source->Enregistrer(chemin);
        const QByteArray avant = Octets(*f);
        InterlocuteurTest boites;
        boites.fichiersChoisis = {chemin};
        for (const bool oui : {false, true}) {
            boites.reponses = {oui};
            boites.boites.clear();
            auto fait = AuProchainDialogue<TFormTypeImportation>([](TFormTypeImportation* d) {
                QCOMPARE(d->windowTitle(),
                         QStringLiteral("Importer la liste des élèves de \"5e A\""));
                QCOMPARE(d->RadioGroup1()->checkedId(), 0);
                d->Lancer();
                if (d->isVisible()) d->reject();
            });
            QCOMPARE(TFormTypeImportation::ImporterDepuisFichierTav(nullptr, *f, QPixmap()), oui);
            QVERIFY(*fait);
            QCOMPARE(boites.Textes(), QStringList{TFormTypeImportation::MessageRemplacer()});
            QVERIFY(boites.boites.at(0).nonParDefaut);
            if (!oui) QCOMPARE(Octets(*f), avant);
        }
        QCOMPARE(f->ListeEleves(), (QStringList{"Adam", "Zoé"}));
        QCOMPARE(f->DateNaissance(1), QStringLiteral("03/04/2011"));
        QVERIFY(f->EstRedoublant(1));
        QVERIFY(!f->EstRedoublant(2));
        // The former student's mark went with him.
        QCOMPARE(f->ColonneSerie(1, 1).mid(1, 2).indexOf(QStringLiteral("12")), -1);
    }

    void eleves_fichierSansEleve() {
        auto f = Classe({"A"}, {});
        const QString chemin = dossier.filePath(QStringLiteral("vide.tav"));
        Classe({}, {})->Enregistrer(chemin);
        InterlocuteurTest boites;
        boites.fichiersChoisis = {chemin};
        QVERIFY(!TFormTypeImportation::ImporterDepuisFichierTav(nullptr, *f, QPixmap()));
        QCOMPARE(
            boites.Textes(),
            QStringList{"Impossible d'importer la liste depuis le fichier \"" + chemin + "\""});
    }
};

QTEST_MAIN(TestOutilsSeries)
#include "tst_outilsSeries.moc"
