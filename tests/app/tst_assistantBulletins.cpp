// The report-card wizard: the checks of step 1, the choices of step 2, the settings of step 3,
// the cards it hands to the preview, and the main window's command that opens it.
#include "_FormCreerBulletins.h"
#include "soutien_gui.h"
#include "tavX_actions.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace {

QString EcrireMatiere(const QString& chemin, const QString& matiere, const QStringList& eleves,
                      const QStringList& notes) {
    TFichierTav f;
    f.InitialiserClasse(QStringLiteral("Trimestres"), QStringLiteral("Bulletins par défaut"));
    f.ModifierClasse(QStringLiteral("6e D"));
    f.ModifierEcole(QStringLiteral("Collège Pasteur"));
    f.ModifierAnneeScolaire(QStringLiteral("2026/2027"));
    f.ModifierMatiere(matiere);
    for (const QString& e : eleves)
        f.AjouterEleve(e, QString(), false);
    f.AjouterSerie(1, QStringLiteral("DS"), false, QString(), QString(), QString(),
                   QStringLiteral("oui"), QStringLiteral("1"), QStringLiteral("20"));
    for (int s = 1; s <= f.NombreEleves(); ++s)
        f.ModifierNote(1, 1, notes.at(s - 1), s);
    f.Enregistrer(chemin);
    return chemin;
}

} // namespace

class TestAssistantBulletins : public QObject {
    Q_OBJECT
    std::unique_ptr<TEnvironnementGui> env;
    QString maths, anglais, autres;
    QList<Bulletins::TJeu> apercus;

private slots:
    void init() {
        env = std::make_unique<TEnvironnementGui>();
        const QStringList eleves = {"Ali Adam", "Blot Bea", "Cruz Carl"};
        maths = EcrireMatiere(env->Chemin("maths.tav"), "Maths", eleves, {"10", "14", "18"});
        anglais = EcrireMatiere(env->Chemin("anglais.tav"), "Anglais", eleves, {"8", "12", "9"});
        autres =
            EcrireMatiere(env->Chemin("autres.tav"), "SVT", {"Ali Adam", "Blot Bea"}, {"1", "2"});
        apercus.clear();
        TFormCreerBulletins::DefinirApercu(
            [this](QWidget*, const Bulletins::TJeu& jeu) { apercus.append(jeu); });
    }
    void cleanup() {
        TFormCreerBulletins::DefinirApercu({});
        TFormCreerBulletins::DefinirClassesOuvertes({});
        env.reset();
    }

    // Step 1: a refused file leaves the lists as they were, the same file twice is kept once.
    void etape1() {
        TFormCreerBulletins f(nullptr);
        QVERIFY(f.windowTitle().endsWith(
            QStringLiteral("--> étape 1 : choisir les fichiers des différentes matières")));
        QVERIFY(!f.BoutonSuivant()->isEnabled());
        QVERIFY(f.AjouterFichier(maths));
        QCOMPARE(f.LabelEleves()->text(), QStringLiteral("Elèves : 3"));
        QCOMPARE(f.LabelPeriodes()->text(), QStringLiteral("Périodes : 3"));
        QCOMPARE(f.LabelType()->text(), QStringLiteral("Type de bulletins : Bulletins par défaut"));
        QVERIFY(!f.AjouterFichier(env->Chemin("x/../maths.tav")));
        QVERIFY(!f.AjouterFichier(autres));
        const auto messages = env->interlocuteur.DuGenre("message");
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages.at(0).icone, TIcone::Erreur);
        QVERIFY(messages.at(0).texte.startsWith(
            "Le fichier \"autres.tav\" n'a pas la même liste d'élèves que les autres fichiers."));
        QVERIFY(f.AjouterFichier(anglais));
        QCOMPARE(f.Matieres(), (QStringList{"Maths", "Anglais"}));
        QVERIFY(f.BoutonSuivant()->isEnabled());
        f.ListeFichiers()->setCurrentRow(0);
        f.RetirerFichier();
        QCOMPARE(f.Matieres(), QStringList{"Anglais"});
        f.ToutRetirer();
        QCOMPARE(f.LabelEleves()->text(), QStringLiteral("Elèves :"));
        QVERIFY(!f.BoutonSuivant()->isEnabled());
        // The first file now decides: the two-student list is accepted.
        QVERIFY(f.AjouterFichier(autres));
    }

    // Steps 2 and 3 to the cards: only B and C checked, subjects reordered, hidden columns; the
    // settings read at step 3 and written when the wizard closes.
    void jusquAuxBulletins() {
        Options::ModifierInclureNomEnseignantBulletin(true);
        Options::ModifierInclureAppreciationsBulletin(false);
        Options::ModifierIntitulecadrebulletin(QStringLiteral("Avis du conseil"));
        TFormCreerBulletins f(nullptr);
        f.show();
        QVERIFY(f.AjouterFichier(maths));
        QVERIFY(f.AjouterFichier(anglais));
        QTest::mouseClick(f.BoutonSuivant(), Qt::LeftButton);
        QCOMPARE(f.Etape(), 2);
        QCOMPARE(f.ListeEleves()->count(), 3);
        QVERIFY(!f.BoutonSuivant()->isEnabled());
        f.ComboPeriode()->setCurrentIndex(0);
        QVERIFY(!f.BoutonSuivant()->isEnabled());
        f.ListeEleves()->item(1)->setCheckState(Qt::Checked);
        f.ListeEleves()->item(2)->setCheckState(Qt::Checked);
        QVERIFY(f.BoutonSuivant()->isEnabled());
        f.ListeMatieres()->setCurrentRow(1);
        f.MonterMatiere();
        QCOMPARE(f.Matieres(), (QStringList{"Anglais", "Maths"}));
        QCOMPARE(f.Fichiers(), (QStringList{anglais, maths}));
        QTest::mouseClick(f.BoutonSuivant(), Qt::LeftButton);
        QCOMPARE(f.Etape(), 3);
        QVERIFY(f.BoutonVoir()->isVisible());
        QCOMPARE(f.EditEcole()->text(), QStringLiteral("Collège Pasteur"));
        QCOMPARE(f.EditPeriode()->text(), QStringLiteral("Premier trimestre"));
        QCOMPARE(f.EditIntitule()->text(), QStringLiteral("Avis du conseil"));
        QVERIFY(f.CaseEnseignant()->isChecked());
        QVERIFY(!f.CaseAppreciations()->isChecked());
        QVERIFY(!f.CaseMasquer()->isChecked());
        f.CaseMasquer()->setChecked(true);
        f.CaseEnseignant()->setChecked(false);
        f.EditIntitule()->setText(QStringLiteral("Visa"));
        QTest::mouseClick(f.BoutonVoir(), Qt::LeftButton);
        QCOMPARE(apercus.size(), 1);
        const Bulletins::TJeu& jeu = apercus.first();
        QCOMPARE(jeu.cartes.size(), 2);
        QCOMPARE(jeu.cartes.at(0).eleve, QStringLiteral("Blot Bea (6e D)"));
        QCOMPARE(jeu.cartes.at(0).lignes,
                 (QList<QStringList>{
                     {"Anglais", "12,00"}, {"Maths", "14,00"}, {"Moyenne générale", "13,00"}}));
        QCOMPARE(jeu.cartes.at(1).lignes.at(1), (QStringList{"Maths", "18,00"}));
        QCOMPARE(jeu.cartes.at(1).intituleCadre, QStringLiteral("Visa"));
        QVERIFY(!f.isVisible());
        QVERIFY(!Options::InclureNomEnseignantBulletin());
        QCOMPARE(Options::Intitulecadrebulletin(), QStringLiteral("Visa"));
    }

    // An open class with unsaved changes among the files: the teacher is asked to save it
    // first; a file changed on disk since step 1 stops the cards, by its name.
    void classeModifieeEtFichierChange() {
        int enregistrements = 0;
        TFormCreerBulletins::DefinirClassesOuvertes([&] {
            return QList<TFormCreerBulletins::TClasseOuverte>{
                {anglais, true, [&] { return ++enregistrements > 0; }}};
        });
        TFormCreerBulletins f(nullptr);
        QVERIFY(f.AjouterFichier(maths));
        QVERIFY(f.AjouterFichier(anglais));
        f.EtapeSuivante();
        f.ComboPeriode()->setCurrentIndex(0);
        f.ListeEleves()->item(0)->setCheckState(Qt::Checked);
        f.EtapeSuivante();
        env->interlocuteur.reponses = {true};
        QVERIFY(f.VoirBulletins());
        QCOMPARE(enregistrements, 1);
        const auto questions = env->interlocuteur.DuGenre("question");
        QCOMPARE(questions.size(), 1);
        QVERIFY(questions.at(0).texte.contains("\"anglais.tav\""));

        TFormCreerBulletins g(nullptr);
        QVERIFY(g.AjouterFichier(maths));
        QVERIFY(g.AjouterFichier(anglais));
        g.EtapeSuivante();
        g.ComboPeriode()->setCurrentIndex(0);
        g.ListeEleves()->item(0)->setCheckState(Qt::Checked);
        g.EtapeSuivante();
        EcrireMatiere(anglais, "Anglais", {"Ali Adam", "Blot Bea", "Zed Zoe"}, {"1", "2", "3"});
        env->interlocuteur.Vider();
        env->interlocuteur.reponses = {false};
        QVERIFY(!g.VoirBulletins());
        const auto messages = env->interlocuteur.DuGenre("message");
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages.at(0).texte.startsWith("Le fichier \"anglais.tav\" n'a pas la même"));
        QCOMPARE(apercus.size(), 1);
    }

    // The logo: chosen (PNG allowed), stored at once, reset.
    void logo() {
        const QString image = env->Chemin("logo.png");
        QImage(20, 10, QImage::Format_RGB32).save(image);
        TFormCreerBulletins f(nullptr);
        env->interlocuteur.aOuvrir = {{image}};
        f.ChoisirLogo();
        QVERIFY(env->interlocuteur.demandes.at(0).filtre.contains("*.png"));
        QCOMPARE(f.Logo(), image);
        QCOMPARE(Options::Fichierlogobulletin(), image);
        QVERIFY(f.ImageLogo()->pixmap().width() > 0);
        f.ReinitialiserLogo();
        QVERIFY(Options::Fichierlogobulletin().isEmpty());
    }

    // The main window's "Bulletins" command opens the wizard.
    void commandeFenetre() {
        auto fenetre = FenetrePrete();
        TFormCreerBulletins::Installer(fenetre.get(), {});
        QAction* action = TActions::Action(TActions::Id::Bulletins);
        QVERIFY(action);
        QVERIFY(action->isEnabled());
        QString legende;
        QTimer::singleShot(0, [&] {
            if (QWidget* w = QApplication::activeModalWidget()) {
                legende = w->windowTitle();
                w->close();
            }
        });
        action->trigger();
        QVERIFY(legende.startsWith(QStringLiteral("Créer les bulletins des élèves")));
    }
};

QTEST_MAIN(TestAssistantBulletins)
#include "tst_assistantBulletins.moc"
