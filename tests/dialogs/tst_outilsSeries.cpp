// The series tools: reorganise, delete, create from several, rescale, import series and
// student lists. Every refusal leaves the saved bytes of the class as they were.
#include "_FormReorganiser.h"
#include "_FormSupprimerSerie.h"
#include "aideDialogues.h"
#include "tavX_fichierTav.h"
#include "tavX_outilsSeries.h"
#include "tavtest_ecrivain.h"

#include <QComboBox>
#include <QLabel>
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
};

QTEST_MAIN(TestOutilsSeries)
#include "tst_outilsSeries.moc"
