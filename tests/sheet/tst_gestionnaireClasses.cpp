// The open classes' manager: one sheet per file, save all, closing with its question, the
// active class following the active sheet, and the file history of every "Fichier" menu.
#include "../app/soutien_gui.h"

#include "tavX_documentClasse.h"
#include "tavX_gestionnaireClasses.h"
#include "tavX_options.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QSignalSpy>

class TestGestionnaireClasses : public QObject {
    Q_OBJECT

    std::unique_ptr<TEnvironnementGui> env;
    std::unique_ptr<TFormTavelin2> fenetre;

    TGestionnaireClasses* G() { return fenetre->Gestionnaire(); }
    QString Classe(const QString& nom) {
        return EcrireClasse(env->Chemin(nom + QStringLiteral(".tav")), nom, 2, {1});
    }
    TInterlocuteurTest& I() { return env->interlocuteur; }
    // The history items after "Quitter" of a "Fichier" menu.
    QStringList Historique(QMenu* menu) {
        const QList<QAction*> actions = menu->actions();
        QStringList elements;
        for (qsizetype i = actions.indexOf(fenetre->ActionQuitter()) + 1; i < actions.size(); ++i)
            if (!actions.at(i)->isSeparator()) elements.append(actions.at(i)->text());
        return elements;
    }

private slots:
    void init() {
        env = std::make_unique<TEnvironnementGui>();
        fenetre = FenetrePrete();
    }
    void cleanup() {
        fenetre.reset();
        env.reset();
    }

    void unFichierOuvertEstMontreSansEtreRouvert() {
        const QString a = Classe(QStringLiteral("a"));
        TFeuilleClasse* fa = G()->OuvrirOuMontrer(a);
        TFeuilleClasse* fb = G()->OuvrirOuMontrer(Classe(QStringLiteral("b")));
        QVERIFY(fa && fb);
        QCOMPARE(G()->FeuilleActive(), fb);
        QCOMPARE(G()->OuvrirOuMontrer(a), fa);
        QCOMPARE(G()->Feuilles().size(), 2);
        QCOMPARE(G()->FeuilleActive(), fa);
    }

    void leDocumentActifSuitLaFeuilleActive() {
        QSignalSpy annonces(G(), &TGestionnaireClasses::documentActifChange);
        TFeuilleClasse* fa = G()->OuvrirOuMontrer(Classe(QStringLiteral("a")));
        TFeuilleClasse* fb = G()->OuvrirOuMontrer(Classe(QStringLiteral("b")));
        QCOMPARE(G()->DocumentActif(), &fb->Document());
        G()->Zone()->setActiveSubWindow(fa->SousFenetre());
        QCOMPARE(G()->DocumentActif(), &fa->Document());
        QVERIFY(!annonces.isEmpty());
        QCOMPARE(annonces.last().at(0).value<TDocumentClasse*>(), &fa->Document());
        QVERIFY(G()->ToutFermer());
        QCOMPARE(G()->DocumentActif(), nullptr);
        QCOMPARE(annonces.last().at(0).value<TDocumentClasse*>(), nullptr);
    }

    void toutEnregistrerEnregistreChaqueClasseModifiee() {
        TFeuilleClasse* fa = G()->OuvrirOuMontrer(Classe(QStringLiteral("a")));
        TFeuilleClasse* fb = G()->OuvrirOuMontrer(Classe(QStringLiteral("b")));
        fa->Fichier().ModifierNote(1, 1, QStringLiteral("17"), 2);
        fb->Fichier().ModifierNote(1, 1, QStringLiteral("3"), 1);
        G()->ToutEnregistrer();
        QVERIFY(!fa->Fichier().EstModifie());
        QVERIFY(!fb->Fichier().EstModifie());
        QCOMPARE(TFichierTav(fa->CheminFichier()).Note(1, 1, 2), QStringLiteral("17"));
        QCOMPARE(TFichierTav(fb->CheminFichier()).Note(1, 1, 1), QStringLiteral("3"));
    }

    // Closing a modified class asks; a save that is cancelled or fails keeps the class open,
    // "No" closes it without saving.
    void fermerUneClasseModifiee() {
        QDir(env->dossier.path()).mkdir(QStringLiteral("sous"));
        const QString chemin =
            EcrireClasse(env->Chemin(QStringLiteral("sous/c.tav")), QStringLiteral("c"), 2, {1});
        QPointer<TFeuilleClasse> f = G()->OuvrirOuMontrer(chemin);
        QPointer<TFeuilleClasse> nouvelle = G()->Ouvrir(QString());
        QVERIFY(f && nouvelle);
        f->Fichier().ModifierNote(1, 1, QStringLiteral("9"), 1);
        nouvelle->Fichier().ModifierClasse(QStringLiteral("Nouvelle"));
        QVERIFY(nouvelle->Fichier().EstModifie());

        // Yes, then the name dialog is cancelled.
        I().reponses = {true};
        QVERIFY(!G()->Fermer(nouvelle));
        QVERIFY(nouvelle);
        QCOMPARE(I().DuGenre(QStringLiteral("question")).size(), 1);

        // Yes, and the folder of the file has gone: the save fails.
        QVERIFY(QDir(env->Chemin(QStringLiteral("sous"))).removeRecursively());
        I().reponses = {true};
        QVERIFY(!G()->Fermer(f));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(f);
        QVERIFY(f->Fichier().EstModifie());
        QCOMPARE(G()->Feuilles().size(), 2);

        // No: both close unsaved.
        I().reponses = {false, false};
        QVERIFY(G()->ToutFermer());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!f && !nouvelle);
        QVERIFY(!QFileInfo::exists(chemin));
    }

    // Every "Fichier" menu (the window's and each sheet's) shows the same history (oldest first),
    // following a save under a new name and the history settings, whoever writes them.
    void lHistoriqueSuitEnregistrementsEtReglages() {
        const QString a = Classe(QStringLiteral("a"));
        TFeuilleClasse* fa = G()->OuvrirOuMontrer(a);
        QPointer<TFeuilleClasse> nouvelle = G()->Ouvrir(QString());
        QVERIFY(fa && nouvelle);
        const QString n = QDir::toNativeSeparators(a);
        for (QMenu* menu : {fenetre->MenuFichier(), fa->MenuFichier(), nouvelle->MenuFichier()})
            QCOMPARE(Historique(menu), QStringList{n});

        const QString c = env->Chemin(QStringLiteral("c.tav"));
        I().aEnregistrer = {c};
        QVERIFY(nouvelle->EnregistrerSous());
        const QStringList attendu{n, QDir::toNativeSeparators(c)};
        for (QMenu* menu : {fenetre->MenuFichier(), fa->MenuFichier(), nouvelle->MenuFichier()})
            QCOMPARE(Historique(menu), attendu);

        // A closed sheet's menu is gone; the others follow the setting.
        QVERIFY(G()->Fermer(nouvelle));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!nouvelle);
        Options::ModifierUtiliserHistorique(false);
        QVERIFY(Historique(fenetre->MenuFichier()).isEmpty());
        QVERIFY(Historique(fa->MenuFichier()).isEmpty());
        Options::ModifierUtiliserHistorique(true);
        QCOMPARE(Historique(fa->MenuFichier()), attendu);
    }
};

QTEST_MAIN(TestGestionnaireClasses)
#include "tst_gestionnaireClasses.moc"
