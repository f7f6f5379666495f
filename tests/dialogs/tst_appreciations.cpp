// The appreciations windows: typing stored at once, Enter and the column mapping of both pages,
// pasted texts, the clipboard copy, and the per-student summary file.
#include "aideDialogues.h"

#include "_FormAppreciations.h"
#include "_FormBilanEleve.h"
#include "_FormCollerAppreciations.h"
#include "tavX_ecritureSure.h"
#include "tavX_fichierTav.h"
#include "tavX_saisieTexte.h"
#include "tavtest_ecrivain.h"

#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {

class TInterlocuteurEssai : public AideDialogues::InterlocuteurTest {
public:
    QString fichierAEnregistrer;
    QStringList urls;
    QString FichierAEnregistrer(QWidget*, const TDemandeFichier& demande) override {
        demandes.append(demande);
        return fichierAEnregistrer;
    }
    bool OuvrirUrl(const QUrl& url) override {
        urls << url.toLocalFile();
        return true;
    }
};

} // namespace

class TestAppreciations : public QObject {
    Q_OBJECT
    std::unique_ptr<TavTest::ReglagesPrives> reglages;
    std::unique_ptr<TInterlocuteurEssai> interlocuteur;
    QTemporaryDir dossier;

    // The example class (3 students, 3 trimesters) with these report-card columns.
    std::unique_ptr<TFichierTav> Classe(const QStringList& colonnes) {
        TavTest::Classe c = TavTest::ClasseExemple();
        c.colonnes = colonnes;
        c.appreciations.clear();
        for (int p = 1; p <= c.P(); ++p)
            for (int s = 1; s <= c.N(); ++s)
                for (int k = 1; k <= c.K(); ++k)
                    c.appreciations << QStringLiteral("p%1 é%2 c%3").arg(p).arg(s).arg(k);
        const QString chemin = dossier.filePath(QStringLiteral("classe.tav"));
        TavTest::EcrireFichier(chemin, TavTest::FichierActuel(c));
        auto f = std::make_unique<TFichierTav>(chemin, true);
        if (!f->EstValide()) qFatal("class not valid");
        return f;
    }
    static const QStringList& TroisColonnes() {
        static const QStringList c = {"Générale", "Progrès", "Conseils"};
        return c;
    }

private slots:
    void init() {
        reglages = std::make_unique<TavTest::ReglagesPrives>();
        interlocuteur = std::make_unique<TInterlocuteurEssai>();
    }
    void cleanup() {
        interlocuteur.reset();
        reglages.reset();
        Tav::DefinirPanneEcriture({});
    }

    void saisieEnregistreeAussitot() {
        auto f = Classe(TroisColonnes());
        TFormAppreciations d(nullptr, f.get());
        d.show();
        QCOMPARE(d.EleveDePeriode(), 1);
        QCOMPARE(d.Memo1()->toPlainText(), QStringLiteral("p1 é1 c1"));
        QVERIFY(!f->EstModifie());
        QTest::keyClicks(d.Memo1(), QStringLiteral(" ok"));
        QCOMPARE(f->Appreciation(1, 1, 1), QStringLiteral("p1 é1 c1 ok"));
        QCOMPARE(d.StringGrid1()->item(0, 1)->text(), QStringLiteral("p1 é1 c1 ok"));
        QVERIFY(f->EstModifie());
        // Enter goes to the next student, and stays on the last.
        QTest::keyClick(d.Memo1(), Qt::Key_Return);
        QCOMPARE(d.EleveDePeriode(), 2);
        QCOMPARE(d.Memo1()->toPlainText(), QStringLiteral("p1 é2 c1"));
        QTest::keyClick(d.Memo1(), Qt::Key_Return);
        QTest::keyClick(d.Memo1(), Qt::Key_Return);
        QCOMPARE(d.EleveDePeriode(), 3);
        QCOMPARE(d.StringGrid1()->currentRow(), 2);
        QCOMPARE(d.Memo1()->toPlainText(), QStringLiteral("p1 é3 c1"));
        QVERIFY(!d.BoutonSuivant1()->isEnabled());
        QCOMPARE(f->Appreciation(1, 3, 1), QStringLiteral("p1 é3 c1")); // Enter stores nothing
    }

    void ongletDeColonneNeStockeRien() {
        auto f = Classe(TroisColonnes());
        TFormAppreciations d(nullptr, f.get());
        d.TabSetColonnesBulletin()->setCurrentIndex(2);
        QCOMPARE(d.Memo1()->toPlainText(), QStringLiteral("p1 é1 c3"));
        d.TabControlPeriodes()->setCurrentIndex(1);
        QCOMPARE(d.Memo1()->toPlainText(), QStringLiteral("p2 é1 c3"));
        QVERIFY(!f->EstModifie());
    }

    // A click in a column of either grid chooses the report-card column the memo writes to.
    void colonnesDesGrilles_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("colonneGrille");
        QTest::addColumn<int>("colonneBulletin");
        QTest::newRow("période, noms") << 0 << 0 << 1;
        QTest::newRow("période, 1") << 0 << 1 << 1;
        QTest::newRow("période, 3") << 0 << 3 << 3;
        QTest::newRow("élève, élève") << 1 << 4 << 1;
        QTest::newRow("élève, 1") << 1 << 5 << 1;
        QTest::newRow("élève, 2") << 1 << 6 << 2;
        QTest::newRow("élève, 3") << 1 << 7 << 3;
    }
    void colonnesDesGrilles() {
        QFETCH(int, page);
        QFETCH(int, colonneGrille);
        QFETCH(int, colonneBulletin);
        auto f = Classe(TroisColonnes());
        TFormAppreciations d(nullptr, f.get());
        d.show();
        d.PageControl()->setCurrentIndex(page);
        if (page == 0)
            d.SelectionnerGrille1(1, colonneGrille);
        else
            d.SelectionnerGrille2(1, colonneGrille);
        QCOMPARE(d.ColonneCourante(), colonneBulletin);
        QTest::keyClicks(d.Memo1(), QStringLiteral("!"));
        // Period page: student 2 of period 1; student page: student 1 in period 2.
        const int p = page == 0 ? 1 : 2, s = page == 0 ? 2 : 1;
        for (int c = 1; c <= 3; ++c)
            QCOMPARE(f->Appreciation(p, s, c),
                     QStringLiteral("p%1 é%2 c%3").arg(p).arg(s).arg(c) +
                         (c == colonneBulletin ? QStringLiteral("!") : QString()));
    }

    void texteColleSurUneLigne() {
        auto f = Classe({QStringLiteral("Appréciations")});
        TFormAppreciations d(nullptr, f.get());
        d.show();
        d.Memo1()->clear();
        QApplication::clipboard()->setText(
            QStringLiteral("Bon travail\r\nà poursuivre\nsans\rfaute"));
        d.Memo1()->paste();
        QCOMPARE(f->Appreciation(1, 1, 1), QStringLiteral("Bon travail à poursuivre sans faute"));
        QApplication::clipboard()->setText(QStringLiteral("Łukasz"));
        d.Memo1()->paste();
        QCOMPARE(f->Appreciation(1, 1, 1), QStringLiteral("Bon travail à poursuivre sans faute"));
        QCOMPARE(interlocuteur->boites.size(), 1);
        QVERIFY(interlocuteur->boites.first().texte.contains(QStringLiteral("Ł")));
        // Nor through another way in (an input method, a drop).
        d.Memo1()->insertPlainText(QStringLiteral("€Ł"));
        QCOMPARE(d.Memo1()->toPlainText(), QStringLiteral("Bon travail à poursuivre sans faute"));
        QCOMPARE(f->Appreciation(1, 1, 1), QStringLiteral("Bon travail à poursuivre sans faute"));
        QCOMPARE(interlocuteur->boites.size(), 2);
        // At most 255 characters.
        QApplication::clipboard()->setText(QString(300, QLatin1Char('x')));
        d.Memo1()->paste();
        QCOMPARE(f->Appreciation(1, 1, 1).size(), 255);
    }

    void copieSansLesNoms() {
        auto f = Classe({QStringLiteral("Appréciations")});
        f->ModifierAppreciation(3, 2, 1, QString());
        QCOMPARE(TFormCollerAppreciations::Texte(*f, {1, 3}, false),
                 QStringLiteral("p1 é1 c1\r\np1 é2 c1\r\np1 é3 c1\r\n\r\n"
                                "p3 é1 c1\r\n\r\np3 é3 c1\r\n\r\n"));
    }

    void copieAvecLesNoms() {
        auto f = Classe({QStringLiteral("A"), QStringLiteral("B")});
        f->ModifierAppreciation(2, 1, 2, QStringLiteral("x;y"));
        TFormCollerAppreciations d(nullptr, f.get(), QPixmap());
        QVERIFY(!d.BoutonCopier()->isEnabled());
        d.ListePeriodes()->item(1)->setCheckState(Qt::Checked);
        QVERIFY(d.BoutonCopier()->isEnabled());
        d.CaseNoms()->setChecked(true);
        QTest::mouseClick(d.BoutonCopier(), Qt::LeftButton);
        QCOMPARE(QApplication::clipboard()->text(),
                 QStringLiteral("Bernard Luc;p2 é1 c1;x;y\r\nDurand Émilie;p2 é2 c1;p2 é2 c2\r\n"
                                "Petit Anne;p2 é3 c1;p2 é3 c2\r\n\r\n"));
    }

    void bilanEleve() {
        auto f = Classe({QStringLiteral("Appréciations")});
        f->ModifierCompteDansMoyenne(1, 1, QStringLiteral("nOn"));
        const QStringList lignes = TFormBilanEleve::Lignes(*f, {1, 3}, 1);
        const QString D(78, QLatin1Char('-'));
        QCOMPARE(lignes.mid(0, 5),
                 QStringList({D, "Bernard Luc - 4e B - 2006/2007",
                              "Premier trimestre - Mathématiques", D,
                              "Contrôle n°1 : 12,5/20 (non compté dans la moyenne) (Min. " +
                                  f->MinimumSerie(1, 1) + " - Moy. " + f->MoyenneSerie(1, 1) +
                                  " - Max. " + f->MaximumSerie(1, 1) + ")"}));
        QCOMPARE(lignes.at(5), QString());
        QVERIFY(lignes.at(6).startsWith(QStringLiteral("Récitation : 15/10 (Min. ")));
        QCOMPARE(lignes.at(7), D);
        QVERIFY(lignes.at(8).startsWith(QStringLiteral("Moyenne de la période : ")));
        QCOMPARE(lignes.mid(9, 4), QStringList({D, "", "", D}));
        QCOMPARE(lignes.size(), 2 * 10 + 2);
        QCOMPARE(lignes.last(), D);
    }

    void fichierDuBilan() {
        auto f = Classe({QStringLiteral("Appréciations")});
        const QString chemin = dossier.filePath(QStringLiteral("bilan.txt"));
        TFormBilanEleve d(nullptr, f.get(), QPixmap());
        d.show();
        QVERIFY(!d.CreerBilan()); // nobody ticked: no question
        QVERIFY(interlocuteur->demandes.isEmpty());
        d.ListeEleves()->item(1)->setCheckState(Qt::Checked);
        d.CaseOuvrir()->setChecked(true);

        // A failed write says so, keeps the window open and opens nothing.
        interlocuteur->fichierAEnregistrer = chemin;
        Tav::DefinirPanneEcriture(
            [](Tav::TEtapeEcriture e) { return e == Tav::TEtapeEcriture::Ecriture ? ENOSPC : 0; });
        QVERIFY(!d.CreerBilan());
        QVERIFY(d.isVisible());
        QCOMPARE(interlocuteur->boites.size(), 1);
        QVERIFY(interlocuteur->boites.first().texte.startsWith(
            TFormBilanEleve::MessageEchec(chemin, QString())));
        QVERIFY(!QFile::exists(chemin));
        QVERIFY(interlocuteur->urls.isEmpty());

        Tav::DefinirPanneEcriture({});
        QVERIFY(d.CreerBilan());
        QCOMPARE(interlocuteur->demandes.last().titre, QStringLiteral("Nom du fichier bilan"));
        QCOMPARE(interlocuteur->urls, QStringList{chemin});
        QVERIFY(!d.isVisible());
        QFile lu(chemin);
        QVERIFY(lu.open(QIODevice::ReadOnly));
        const QString texte = QString::fromUtf8(lu.readAll());
        QVERIFY(texte.contains(QStringLiteral("Durand Émilie - 4e B")));
    }
};

QTEST_MAIN(TestAppreciations)
#include "tst_appreciations.moc"
