// What the main window and the open sheets show after the options dialog closes.
#include "_FormOptions.h"
#include "soutien_gui.h"
#include "tavX_actions.h"
#include "tavX_ongletsClasses.h"
#include "tavX_reglages.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QToolBar>

namespace {

int ElementsHistorique(QMenu* menu) {
    int n = 0;
    bool apresQuitter = false;
    for (QAction* action : menu->actions()) {
        if (apresQuitter && !action->isSeparator()) ++n;
        if (action->text() == QStringLiteral("&Quitter")) apresQuitter = true;
    }
    return n;
}

} // namespace

class TestApresOptions : public QObject {
    Q_OBJECT

    std::unique_ptr<TEnvironnementGui> env;

private slots:
    void init() { env = std::make_unique<TEnvironnementGui>(); }
    void cleanup() {
        TFormTavelin2::Extensions().options = nullptr;
        env.reset();
    }

    void laFenetreEtLesFeuillesSuiventLesReglages() {
        auto fenetre = FenetrePrete();
        fenetre->OuvrirOuMontrer(
            EcrireClasse(env->Chemin(QStringLiteral("a.tav")), QStringLiteral("A"), 2));
        fenetre->OuvrirOuMontrer(
            EcrireClasse(env->Chemin(QStringLiteral("b.tav")), QStringLiteral("B"), 2));
        QCOMPARE(ElementsHistorique(fenetre->MenuFichier()), 2);
        QVERIFY(fenetre->BarreOutils()->isVisible());
        QVERIFY(!fenetre->PanneauDate()->text().isEmpty());

        // The history list alone changes (its key is also written on every save, so it does not
        // repaint the views by itself): the history menus follow all the same.
        int ouvertures = 0;
        TFormTavelin2::Extensions().options = [&ouvertures](QWidget* parent) {
            ++ouvertures;
            TFormOptions d(parent);
            d.findChild<QPushButton*>(QStringLiteral("BoutonViderHistorique"))->click();
        };
        TActions::Actualiser();
        QAction* configurer = TActions::Action(TActions::Id::Configurer);
        QVERIFY(configurer->isEnabled());
        configurer->trigger();
        QCOMPARE(ouvertures, 1);
        QCOMPARE(ElementsHistorique(fenetre->MenuFichier()), 0);
        for (TFeuilleClasse* feuille : fenetre->Feuilles())
            QCOMPARE(ElementsHistorique(feuille->MenuFichier()), 0);

        TFormTavelin2::Extensions().options = [](QWidget* parent) {
            TFormOptions d(parent);
            d.findChild<QCheckBox*>(QStringLiteral("CaseBarreOutils"))->setChecked(false);
            d.findChild<QCheckBox*>(QStringLiteral("CaseDate"))->setChecked(false);
            d.findChild<QRadioButton*>(QStringLiteral("OngletClasses2"))->setChecked(true);
        };
        QSignalSpy fin(&TReglages::Instance(), &TReglages::modificationsTerminees);
        configurer->trigger();
        QCOMPARE(fin.size(), 1); // the views refresh once
        QVERIFY(!fenetre->BarreOutils()->isVisible());
        QCOMPARE(fenetre->OngletsClasses()->Style(), 2);
        fenetre->Top();
        QVERIFY(fenetre->PanneauDate()->text().isEmpty());
        QVERIFY(!fenetre->PanneauHeure()->text().isEmpty());
    }
};

QTEST_MAIN(TestApresOptions)
#include "tst_apresOptions.moc"
