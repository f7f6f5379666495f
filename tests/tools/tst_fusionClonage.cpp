// Merge and clone of class files: the routines shared with the command line, and the two windows
// driven as the teacher would.
#include "../app/soutien_gui.h"
#include "_FormClonerFichier.h"
#include "_FormFusionner.h"
#include "tavX_ecritureSure.h"
#include "tavX_fusionClonage.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <cerrno>

class TestFusionClonage : public QObject {
    Q_OBJECT

    TEnvironnementGui env;

    QString Classe(const QString& nom, const QString& matiere, int eleves,
                   const QList<int>& series) {
        return EcrireClasse(env.Chemin(nom), QStringLiteral("4e/B: Sud"), eleves, series, matiere,
                            QStringLiteral("M. Prof"));
    }

private slots:
    void init() { env.interlocuteur.Vider(); }

    void nomsEtLignes_data() {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QString>("nom");
        QTest::newRow("interdits") << "4e/B: a*b?c\"d<e>f|g\\h"
                                   << "4eB abcdefgh";
        QTest::newRow("controles") << QStringLiteral("a\tb\nc\x01") << "abc";
        QTest::newRow("accents") << "Français - Mme Léa"
                                 << "Français - Mme Léa";
    }
    void nomsEtLignes() {
        QFETCH(QString, texte);
        QFETCH(QString, nom);
        QCOMPARE(Outils::NomDeFichierValide(texte), nom);
        QCOMPARE(Outils::LignesCollees(QStringLiteral(" a \r\nb\rc\n\n \r\nd")),
                 QStringList({"a", "b", "c", "d"}));
    }

    // Choice 0 over three files and two checked periods: three series in each, in file order,
    // the marks being each file's report-card averages; the unchecked period stays empty.
    void fusionMoyennesBulletin() {
        std::vector<std::unique_ptr<TFichierTav>> f;
        const QStringList matieres{"Maths", "Français", "Anglais"};
        for (int i = 0; i < 3; ++i)
            f.push_back(std::make_unique<TFichierTav>(
                Classe(QStringLiteral("b%1.tav").arg(i), matieres[i], 4, {i + 1, 2, 1})));
        f[1]->ModifierPointsPlusMoins(1, 2, QStringLiteral("1,5"));
        std::vector<const TFichierTav*> sources{f[0].get(), f[1].get(), f[2].get()};
        Outils::TParametresFusion p;
        p.periodes = {1, 3};
        p.cadre = Outils::CadreFusionParDefaut(*f[0], QStringLiteral("Principal"));
        p.date = QStringLiteral("09/12/2026");
        QString erreur;
        auto fusion = Outils::Fusionner(sources, p, &erreur);
        QVERIFY2(fusion, qPrintable(erreur));
        const QString chemin = env.Chemin(QStringLiteral("fusion.tav"));
        QVERIFY(Outils::EnregistrerClasse(*fusion, chemin, &erreur));
        const TFichierTav relu(chemin, true);
        QVERIFY(relu.EstValide());
        QCOMPARE(relu.Matiere(), QStringLiteral("Toutes les matières"));
        QCOMPARE(relu.NombreSeries(2), 0);
        for (const int per : {1, 3}) {
            QCOMPARE(relu.NombreSeries(per), 3);
            for (int i = 0; i < 3; ++i) {
                QCOMPARE(relu.Intitule(per, i + 1), QStringLiteral("Moyenne ") + matieres[i]);
                QCOMPARE(relu.TypeNotes(per, i + 1), QStringLiteral("Moyenne bulletin"));
                for (int s = 1; s <= 4; ++s)
                    QCOMPARE(relu.Note(per, i + 1, s),
                             f[i]->MoyenneBulletin(per, s, f[i]->ArrondiMoyennes()));
            }
        }
        QVERIFY(relu.Note(1, 2, 2).contains(QLatin1Char(','))); // average plus the bonus points
    }

    // Choice 2 over files whose series add up past 255 is refused before anything is built, and
    // the titles made longer than a field are cut when the series is created.
    void fusionTropDeSeries() {
        auto a = std::make_unique<TFichierTav>(
            Classe("s1.tav", QString(300, QLatin1Char('m')), 2, {100, 30, 0}));
        auto b = std::make_unique<TFichierTav>(Classe("s2.tav", "B", 2, {100, 30, 0}));
        Outils::TParametresFusion p;
        p.periodes = {1, 2};
        p.donnees = Outils::TDonneesFusion::Series;
        QString erreur;
        QCOMPARE(Outils::NombreSeriesFusion({a.get(), b.get()}, p), 260);
        QVERIFY(!Outils::Fusionner({a.get(), b.get()}, p, &erreur));
        QVERIFY(erreur.contains(QStringLiteral("260")));
        p.periodes = {1};
        auto fusion = Outils::Fusionner({a.get(), b.get()}, p, &erreur);
        QVERIFY(fusion);
        QCOMPARE(fusion->NombreSeries(1), 200);
        QVERIFY(fusion->Intitule(1, 1).size() <= 255);
        QVERIFY(fusion->Intitule(1, 1).startsWith(QStringLiteral("Série 1 - mmm")));
        QCOMPARE(fusion->Note(1, 101, 2), b->Note(1, 1, 2));
        const QString chemin = env.Chemin(QStringLiteral("longue.tav"));
        QVERIFY(Outils::EnregistrerClasse(*fusion, chemin, &erreur));
        QCOMPARE(TFichierTav(chemin, true).Intitule(1, 1), fusion->Intitule(1, 1));
    }

    // The frame copy keeps the report-card type and its sections, the students, their birth
    // dates and repeating flags; the clone's remark names both teachers.
    void cloneGardeLeCadre() {
        TFichierTav source;
        source.InitialiserClasse(QStringLiteral("Trimestres"),
                                 {QStringLiteral("T1"), QStringLiteral("T2"), QStringLiteral("T3")},
                                 QStringLiteral("Bulletins de l'équipe"),
                                 {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
        source.ModifierEnseignant(QStringLiteral("M. Source"));
        source.AjouterEleve(QStringLiteral("Dupont Léa"), QStringLiteral("01/02/2012"), true);
        source.AjouterEleve(QStringLiteral("Martin Noé"), QString(), false);
        source.AjouterSerie(1, "DS", false, "Contrôle", "", "", "oui", "1", "20");
        auto clone = Outils::Cloner(source, {QStringLiteral("Mme Li"), QStringLiteral("SVT")});
        const QString chemin = env.Chemin(QStringLiteral("clone.tav"));
        QString erreur;
        QVERIFY(Outils::EnregistrerClasse(*clone, chemin, &erreur));
        const TFichierTav relu(chemin, true);
        QCOMPARE(relu.TypeBulletins(), QStringLiteral("Bulletins de l'équipe"));
        QCOMPARE(relu.ColonnesBulletin(), QStringList({"A", "B", "C"}));
        QCOMPARE(relu.ListePeriodes(), QStringList({"T1", "T2", "T3"}));
        QCOMPARE(relu.NombreSeriesAnnee(), 0);
        QCOMPARE(relu.DateNaissance(1), QStringLiteral("01/02/2012"));
        QVERIFY(relu.EstRedoublant(1) && !relu.EstRedoublant(2));
        QCOMPARE(relu.Remarque(), QStringLiteral("Fichier créé par M. Source pour Mme Li"));
    }

    // The clone window: buttons, refusals before any write, the question before replacing,
    // and only the files really saved counted.
    void fenetreClonage() {
        const QString chemin =
            Classe(QStringLiteral("source.tav"), QStringLiteral("Maths"), 3, {1});
        const TFichierTav source(chemin, true);
        QDir(env.Chemin("clones")).removeRecursively();
        QDir().mkpath(env.Chemin("clones"));
        TFormClonerFichier::DefinirChoixDossier([this](QWidget*) { return env.Chemin("clones"); });
        TFormClonerFichier f(nullptr, source, QPixmap(), {env.Chemin("clones/ouvert.tav")});
        QApplication::clipboard()->setText(QStringLiteral("M. A\r\nMme B\n\nM. C\r"));
        for (QPushButton* b : f.findChildren<QPushButton*>())
            if (b->text() == QStringLiteral("Liste des &enseignants"))
                QTest::mouseClick(b, Qt::LeftButton);
        QCOMPARE(f.ListBoxEnseignants()->count(), 3);
        f.DefinirMatieres({QStringLiteral("Maths"), QStringLiteral("SVT")});
        QVERIFY(!f.SpeedButtonCreerFichiers()->isEnabled());
        f.DefinirMatieres(
            {QStringLiteral("Maths"), QStringLiteral("SVT"), QStringLiteral("Maths")});
        QVERIFY(f.SpeedButtonCreerFichiers()->isEnabled());
        f.ListBoxMatieres()->setCurrentRow(2);
        QCOMPARE(f.ListBoxEnseignants()->currentRow(), 2);

        // Two colleagues giving the same file name ("M:C" and "MC"): nothing written.
        f.DefinirEnseignants({QStringLiteral("M:C"), QStringLiteral("M. B"), QStringLiteral("MC")});
        f.CreerFichiers();
        QCOMPARE(env.interlocuteur.DuGenre("message").size(), 1);
        QCOMPARE(QDir(env.Chemin("clones")).entryList(QDir::Files).size(), 0);
        QVERIFY(f.result() != QDialog::Accepted);

        // The source's own folder with its own teacher and subject: refused.
        TFormClonerFichier::DefinirChoixDossier([this](QWidget*) { return env.dossier.path(); });
        f.DefinirEnseignants(
            {QStringLiteral("M. Prof"), QStringLiteral("Mme B"), QStringLiteral("M. C")});
        QFile::rename(chemin, env.Chemin("4eB Sud - Maths - M. Prof.tav"));
        const TFichierTav memeNom(env.Chemin("4eB Sud - Maths - M. Prof.tav"), true);
        TFormClonerFichier g(nullptr, memeNom, QPixmap());
        g.DefinirEnseignants({QStringLiteral("M. Prof")});
        g.DefinirMatieres({QStringLiteral("Maths")});
        const QByteArray avant = [&] {
            QFile l(memeNom.NomFichier());
            l.open(QIODevice::ReadOnly);
            return l.readAll();
        }();
        g.CreerFichiers();
        QVERIFY(env.interlocuteur.echanges.last().texte.contains(QStringLiteral("lui-même")));
        QFile l(memeNom.NomFichier());
        QVERIFY(l.open(QIODevice::ReadOnly));
        QCOMPARE(l.readAll(), avant);

        // An existing file is replaced only when the teacher says so; a failed save is not
        // counted.
        env.interlocuteur.Vider();
        TFormClonerFichier::DefinirChoixDossier([this](QWidget*) { return env.Chemin("clones"); });
        const QString existant = env.Chemin("clones/4eB Sud - SVT - Mme B.tav");
        QFile e(existant);
        QVERIFY(e.open(QIODevice::WriteOnly));
        e.write("garde");
        e.close();
        env.interlocuteur.reponses = {false};
        int ecritures = 0;
        Tav::DefinirPanneEcriture([&](Tav::TEtapeEcriture etape) {
            if (etape == Tav::TEtapeEcriture::Ouverture && ++ecritures == 2) return ENOSPC;
            return 0;
        });
        f.CreerFichiers();
        Tav::DefinirPanneEcriture({});
        QCOMPARE(f.FichiersCrees(),
                 QStringList({env.Chemin("clones/4eB Sud - Maths - M. Prof.tav")}));
        QVERIFY(e.open(QIODevice::ReadOnly));
        QCOMPARE(e.readAll(), QByteArray("garde"));
        QCOMPARE(env.interlocuteur.echanges.last().texte,
                 QStringLiteral("Un fichier créé avec succès"));
        QVERIFY(TFichierTav(f.FichiersCrees().at(0), true).EstValide());
        TFormClonerFichier::DefinirChoixDossier({});
    }

    // The merge window: the same file twice added once, a file of other students refused,
    // the pages, and the saved file.
    void fenetreFusion() {
        const QString a = Classe("fa.tav", "Maths", 3, {2, 1, 0});
        const QString b = Classe("fb.tav", "SVT", 3, {1, 1, 1});
        const QString autre = EcrireClasse(env.Chemin("autre.tav"), "5e", 4, {1});
        TFormFusionner f(nullptr, QPixmap());
        QVERIFY(f.AjouterFichier(a));
        QVERIFY(!f.AjouterFichier(a));
        QVERIFY(!f.SpeedButtonSuivant()->isEnabled());
        QVERIFY(!f.AjouterFichier(autre));
        QVERIFY(env.interlocuteur.echanges.last().texte.contains(
            QStringLiteral("n'a pas la même liste d'élèves")));
        QVERIFY(f.AjouterFichier(b));
        QCOMPARE(f.ListBoxFichiers()->count(), 2);
        QCOMPARE(f.LabelEleves()->text(), QStringLiteral("Elèves : 3"));
        QTest::mouseClick(f.SpeedButtonSuivant(), Qt::LeftButton);
        QCOMPARE(f.Page(), 2);
        QVERIFY(!f.SpeedButtonSuivant()->isEnabled());
        f.CheckListBox1()->item(0)->setCheckState(Qt::Checked);
        QVERIFY(f.SpeedButtonSuivant()->isEnabled());
        f.Donnees(2)->setChecked(true);
        QTest::mouseClick(f.SpeedButtonSuivant(), Qt::LeftButton);
        QCOMPARE(f.Page(), 3);
        QCOMPARE(f.Edit(3)->text(), QStringLiteral("Toutes les matières"));
        // A source file is never replaced.
        env.interlocuteur.aEnregistrer = {a, env.Chemin("fusion2.tav")};
        f.Fusionner();
        QVERIFY(f.CheminEnregistre().isEmpty());
        QCOMPARE(TFichierTav(a, true).NombreSeries(1), 2);
        f.Fusionner();
        QCOMPARE(f.CheminEnregistre(), env.Chemin("fusion2.tav"));
        const TFichierTav relu(f.CheminEnregistre(), true);
        QCOMPARE(relu.NombreSeries(1), 3);
        QCOMPARE(relu.Intitule(1, 3), QStringLiteral("Série 1 - SVT"));
        QCOMPARE(relu.NombreSeries(2), 0);
    }
};

QTEST_MAIN(TestFusionClonage)
#include "tst_fusionClonage.moc"
