// Saving a class sheet: save, save under a new name, save all, the old-format question, the
// save question on close, failed saves, copying to a removable drive and sending by e-mail.
#include "../app/soutien_gui.h"

#include "tavX_ecritureSure.h"

#include <QMdiSubWindow>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>

namespace {

QByteArray Champ(const QByteArray& texte) {
    return char(texte.size()) + texte;
}

// A class file of the old "1.0" layout: two students, one series of period 1.
QString EcrireAncienFichier(const QString& chemin) {
    QByteArray octets;
    for (const char* champ : {"Tavelin", "1.0", "3e C", "College", "Physique", "1999/2000", ""})
        octets += Champ(champ);
    octets += Champ("2") + Champ("Alpha Anne") + Champ("Beta Bruno");
    octets += Champ("1");
    for (const char* champ : {"20", "1", "oui", "12/10/1999", "", "1", "1", "n1"})
        octets += Champ(champ);
    octets += Champ("12") + Champ("-1");
    QFile fichier(chemin);
    fichier.open(QIODevice::WriteOnly);
    fichier.write(octets);
    return QFileInfo(chemin).absoluteFilePath();
}

QByteArray Contenu(const QString& chemin) {
    QFile fichier(chemin);
    fichier.open(QIODevice::ReadOnly);
    return fichier.readAll();
}

} // namespace

class TestEnregistrementFeuille : public QObject {
    Q_OBJECT

    std::unique_ptr<TEnvironnementGui> env;
    std::unique_ptr<TFormTavelin2> fenetre;

    TFeuilleClasse* Ouvrir(const QString& nom, int eleves = 2) {
        return fenetre->OuvrirOuMontrer(
            EcrireClasse(env->Chemin(nom + QStringLiteral(".tav")), nom, eleves, {1}));
    }
    TFeuilleClasse* Nouvelle() {
        fenetre->CommandeNouvelleClasse();
        return fenetre->FeuilleActive();
    }
    TInterlocuteurTest& I() { return env->interlocuteur; }

private slots:
    void init() {
        env = std::make_unique<TEnvironnementGui>();
        fenetre = FenetrePrete();
    }
    void cleanup() {
        fenetre.reset();
        env.reset();
    }

    // ---- Save ---------------------------------------------------------------------------------

    void enregistrerUneClasseOuverte() {
        TFeuilleClasse* f = Ouvrir(QStringLiteral("a"));
        f->Fichier().ModifierNote(1, 1, QStringLiteral("17"), 2);
        QVERIFY(f->Enregistrer());
        QVERIFY(!f->Fichier().EstModifie());
        QCOMPARE(TFichierTav(f->CheminFichier()).Note(1, 1, 2), QStringLiteral("17"));
        QVERIFY(I().demandes.isEmpty());
    }

    void enregistrerUneNouvelleClasseDemandeUnNom() {
        TFeuilleClasse* f = Nouvelle();
        // Cancelled: nothing saved, nothing in the history.
        QVERIFY(!f->Enregistrer());
        QCOMPARE(I().demandes.last().titre, QStringLiteral("Enregistrer sous ..."));
        QCOMPARE(FiltresQt(I().demandes.last().filtre),
                 QStringList{QStringLiteral("Fichier Tavelin (*.tav)")});
        QCOMPARE(I().demandes.last().extensionParDefaut, QStringLiteral("tav"));
        QVERIFY(f->Fichier().EstModifie());
        QVERIFY(f->CheminFichier().isEmpty());
        QVERIFY(Options::ChargerHistorique().isEmpty());

        const QString cible = env->Chemin(QStringLiteral("nouvelle.tav"));
        I().aEnregistrer.append(cible);
        QVERIFY(f->Enregistrer());
        QCOMPARE(f->CheminFichier(), cible);
        QCOMPARE(f->windowTitle(), QStringLiteral("Nouvelle classe - nouvelle.tav"));
        QCOMPARE(Options::ChargerHistorique(), QStringList{cible});
        QCOMPARE(fenetre->CheminsOnglets(), QStringList{cible});
        QVERIFY(TFichierTav(cible).EstValide());
    }

    void enregistrerSousChangeDeFichier() {
        TFeuilleClasse* f = Ouvrir(QStringLiteral("a"));
        const QString ancien = f->CheminFichier();
        const QString cible = env->Chemin(QStringLiteral("copie.tav"));
        I().aEnregistrer.append(cible);
        QVERIFY(f->EnregistrerSous());
        QCOMPARE(I().demandes.last().nomFichier, ancien);
        QCOMPARE(f->CheminFichier(), cible);
        QCOMPARE(f->windowTitle(), QStringLiteral("a - copie.tav"));
        QVERIFY(Options::ChargerHistorique().contains(cible));
        // Opening the new name finds the sheet; the old name is another file now.
        QCOMPARE(fenetre->OuvrirOuMontrer(cible), f);
        QVERIFY(fenetre->OuvrirOuMontrer(ancien) != f);
    }

    void echecDEnregistrementLaClasseResteModifiee() {
        TFeuilleClasse* f = Nouvelle();
        const QString cible = env->Chemin(QStringLiteral("dossier-absent/classe.tav"));
        I().aEnregistrer.append(cible);
        QVERIFY(!f->Enregistrer());
        QVERIFY(f->Fichier().EstModifie());
        QVERIFY(f->CheminFichier().isEmpty());
        const auto message = I().DuGenre(QStringLiteral("message")).last();
        QVERIFY(message.texte.startsWith(
            QStringLiteral("Erreur dans l'enregistrement du fichier ") + cible));
        QCOMPARE(message.icone, TIcone::Erreur);
    }

    // ---- Save all -----------------------------------------------------------------------------

    void toutEnregistrerAvecUneClasseJamaisEnregistree() {
        TFeuilleClasse* ouverte = Ouvrir(QStringLiteral("a"));
        ouverte->Fichier().ModifierNote(1, 1, QStringLiteral("3"), 1);
        TFeuilleClasse* nouvelle = Nouvelle();
        const QStringList historique = Options::ChargerHistorique();
        const QString cible = env->Chemin(QStringLiteral("nouvelle.tav"));
        I().aEnregistrer.append(cible);
        fenetre->NotifToutEnregistrer();
        // Only the never-saved class asks for a name, and with an empty one.
        QCOMPARE(I().DuGenre(QStringLiteral("enregistrer")).size(), 1);
        QVERIFY(I().demandes.last().nomFichier.isEmpty());
        QCOMPARE(I().demandes.last().titre, QStringLiteral("Enregistrer sous ..."));
        QVERIFY(!ouverte->Fichier().EstModifie());
        QVERIFY(!nouvelle->Fichier().EstModifie());
        QCOMPARE(nouvelle->CheminFichier(), cible);
        QCOMPARE(TFichierTav(ouverte->CheminFichier()).Note(1, 1, 1), QStringLiteral("3"));
        QCOMPARE(Options::ChargerHistorique(), historique);
        QVERIFY(I().DuGenre(QStringLiteral("question")).isEmpty());
    }

    // ---- Old format ---------------------------------------------------------------------------

    void ancienFormatAnnonceEtQuestion() {
        const QString chemin = EcrireAncienFichier(env->Chemin(QStringLiteral("vieux.tav")));
        const QByteArray avant = Contenu(chemin);
        TFeuilleClasse* f = fenetre->OuvrirOuMontrer(chemin);
        QVERIFY(f);
        QVERIFY(f->Fichier().EstImporte());
        QVERIFY(I().DuGenre(QStringLiteral("message"))
                    .first()
                    .texte.contains(
                        QStringLiteral("est un fichier d'une ancienne version de Tavelin")));

        I().reponses = {false};
        QVERIFY(!f->Enregistrer());
        const auto question = I().DuGenre(QStringLiteral("question")).last();
        QCOMPARE(
            question.texte,
            QStringLiteral("Le fichier \"vieux.tav\" que vous allez enregistrer est au format "
                           "d'une ancienne version de Tavelin.\n\r\n\rSi vous confirmez, il "
                           "sera enregistré au nouveau format mais ne pourra plus être relu "
                           "par l'ancienne version.\n\r\n\rVoulez vous enregistrer ce fichier ?"));
        QCOMPARE(question.icone, TIcone::Erreur);
        QCOMPARE(Contenu(chemin), avant);

        I().reponses = {true};
        QVERIFY(f->Enregistrer());
        QVERIFY(!f->Fichier().EstImporte());
        TFichierTav relu(chemin);
        QCOMPARE(relu.Version(), QStringLiteral("2.3"));
        QCOMPARE(relu.Note(1, 1, 2), QStringLiteral("abs"));
        // Once saved in the current layout, no more question.
        const auto questions = I().DuGenre(QStringLiteral("question")).size();
        f->Fichier().ModifierNote(1, 1, QStringLiteral("8"), 1);
        QVERIFY(f->Enregistrer());
        QCOMPARE(I().DuGenre(QStringLiteral("question")).size(), questions);
    }

    // ---- Closing ------------------------------------------------------------------------------

    void questionALaFermetureOui() {
        TFeuilleClasse* f = Ouvrir(QStringLiteral("a"));
        const QString chemin = f->CheminFichier();
        f->Fichier().ModifierNote(1, 1, QStringLiteral("19"), 1);
        I().reponses = {true};
        QVERIFY(f->SousFenetre()->close());
        const auto question = I().DuGenre(QStringLiteral("question")).last();
        QCOMPARE(question.texte, QStringLiteral("Le fichier de la classe de \"a\" a été modifié. "
                                                "Voulez vous le sauver avant de quitter ?"));
        QCOMPARE(question.icone, TIcone::Question);
        QCOMPARE(TFichierTav(chemin).Note(1, 1, 1), QStringLiteral("19"));
        QVERIFY(fenetre->Feuilles().isEmpty());
    }

    void questionALaFermetureNon() {
        TFeuilleClasse* f = Ouvrir(QStringLiteral("a"));
        const QString chemin = f->CheminFichier();
        const QByteArray avant = Contenu(chemin);
        f->Fichier().ModifierNote(1, 1, QStringLiteral("19"), 1);
        I().reponses = {false};
        QVERIFY(f->SousFenetre()->close());
        QCOMPARE(Contenu(chemin), avant);
        QVERIFY(fenetre->Feuilles().isEmpty());
        QVERIFY(Options::ChargerHistorique().contains(chemin));
    }

    void classeNonModifieeSeFermeSansQuestion() {
        TFeuilleClasse* f = Ouvrir(QStringLiteral("a"));
        QVERIFY(f->SousFenetre()->close());
        QVERIFY(I().DuGenre(QStringLiteral("question")).isEmpty());
    }

    void sauvegardeDemandeeMaisImpossibleGardeLaClasse() {
        TFeuilleClasse* f = Nouvelle();
        I().reponses = {true}; // save it ...
        // ... but the save dialog is cancelled: the class stays open, and so does the program.
        QVERIFY(!fenetre->close());
        QCOMPARE(fenetre->Feuilles().size(), 1);
        QVERIFY(f->Fichier().EstModifie());
        // Answering No closes it.
        I().reponses = {false};
        QVERIFY(fenetre->close());
        QVERIFY(fenetre->Feuilles().isEmpty());
    }

    void fermerLaFenetrePrincipaleRetientLesFichiers() {
        TFeuilleClasse* a = Ouvrir(QStringLiteral("a"));
        Ouvrir(QStringLiteral("b"));
        Nouvelle(); // never saved: not remembered
        a->Fichier().ModifierNote(1, 1, QStringLiteral("5"), 1);
        I().reponseParDefaut = false;
        QVERIFY(fenetre->close());
        QCOMPARE(I().DuGenre(QStringLiteral("question")).size(), 2);
        QStringList noms;
        for (const QString& chemin : Options::ChargerDerniersFichiers())
            noms.append(QFileInfo(chemin).fileName());
        QCOMPARE(noms, (QStringList{QStringLiteral("a.tav"), QStringLiteral("b.tav")}));
    }

    // ---- Copy and e-mail ----------------------------------------------------------------------

    void copierSurUnLecteurAmovible() {
        TFeuilleClasse* f = Ouvrir(QStringLiteral("a"));
        QTemporaryDir lecteur;
        f->CopierSurLecteur(lecteur.path());
        const QString copie = lecteur.filePath(QStringLiteral("a.tav"));
        QCOMPARE(Contenu(copie), Contenu(f->CheminFichier()));

        // A copy already there: replaced only when the teacher says so.
        QFile::remove(copie);
        QFile autre(copie);
        QVERIFY(autre.open(QIODevice::WriteOnly));
        autre.write("autre");
        autre.close();
        I().reponses = {false};
        f->CopierSurLecteur(lecteur.path());
        QCOMPARE(Contenu(copie), QByteArray("autre"));
        I().reponses = {true};
        f->CopierSurLecteur(lecteur.path());
        QCOMPARE(Contenu(copie), Contenu(f->CheminFichier()));

        // A modified class must be saved first.
        f->Fichier().ModifierNote(1, 1, QStringLiteral("1"), 1);
        QFile::remove(copie);
        f->CopierSurLecteur(lecteur.path());
        QVERIFY(!QFile::exists(copie));
        QCOMPARE(
            I().DuGenre(QStringLiteral("message")).last().texte,
            QStringLiteral("Le fichier \"a.tav\" a été modifié. Vous devez l'enregistrer avant "
                           "de pouvoir le copier sur disquette."));
    }

    // The copy can be cancelled while it runs (its progress window takes the events), and a
    // cancelled or failed copy leaves the old file on the drive as it was.
    void copieAnnuleeOuEchoueeGardeLAncienne() {
        TFeuilleClasse* f = Ouvrir(QStringLiteral("a"));
        QTemporaryDir lecteur;
        const QString copie = lecteur.filePath(QStringLiteral("a.tav"));
        QFile ancienne(copie);
        QVERIFY(ancienne.open(QIODevice::WriteOnly));
        ancienne.write("ancienne copie");
        ancienne.close();
        struct Sans {
            ~Sans() { Tav::DefinirPanneEcriture({}); }
        } sans;

        // A slow drive: Cancel is pressed while the copy is shown.
        Tav::DefinirPanneEcriture([](Tav::TEtapeEcriture etape) {
            if (etape == Tav::TEtapeEcriture::Ecriture) QThread::msleep(700);
            return 0;
        });
        QTimer::singleShot(50, [] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* progression = qobject_cast<QProgressDialog*>(w)) progression->cancel();
        });
        I().reponses = {true};
        f->CopierSurLecteur(lecteur.path());
        QCOMPARE(Contenu(copie), QByteArray("ancienne copie"));
        QCOMPARE(QDir(lecteur.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);

        // A full drive: the error names the cause.
        Tav::DefinirPanneEcriture([](Tav::TEtapeEcriture etape) {
            return etape == Tav::TEtapeEcriture::Synchronisation ? ENOSPC : 0;
        });
        I().reponses = {true};
        f->CopierSurLecteur(lecteur.path());
        QCOMPARE(Contenu(copie), QByteArray("ancienne copie"));
        QVERIFY2(I().DuGenre(QStringLiteral("message"))
                     .last()
                     .texte.endsWith(QStringLiteral("Le disque est plein")),
                 qPrintable(I().DuGenre(QStringLiteral("message")).last().texte));
    }

    void envoyerParCourrierElectronique() {
        TFeuilleClasse* f = Ouvrir(QStringLiteral("a"));
        const QByteArray ancienPath = qgetenv("PATH");
        QTemporaryDir outils;
        qputenv("PATH", outils.path().toLocal8Bit());
        f->EnvoyerParCourrier();
        const QString echec = QStringLiteral(
            "Impossible de lancer votre logiciel de courrier électronique depuis "
            "Tavelin.\r\nIl est conseillé de le lancer normalement depuis votre menu "
            "Démarrer.");
        QCOMPARE(I().DuGenre(QStringLiteral("message")).last().texte, echec);

        QFile xdgEmail(outils.filePath(QStringLiteral("xdg-email")));
        QVERIFY(xdgEmail.open(QIODevice::WriteOnly));
        xdgEmail.write("#!/bin/sh\n");
        xdgEmail.close();
        xdgEmail.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const int messages = int(I().DuGenre(QStringLiteral("message")).size());
        f->EnvoyerParCourrier();
        qputenv("PATH", ancienPath);
        const auto lancement = I().DuGenre(QStringLiteral("programme")).last();
        QCOMPARE(lancement.titre, xdgEmail.fileName());
        QCOMPARE(lancement.texte.split(QLatin1Char('\n')),
                 (QStringList{QStringLiteral("--subject"),
                              QStringLiteral("Envoi du fichier Tavelin : a.tav"),
                              QStringLiteral("--attach"), f->CheminFichier()}));
        QCOMPARE(I().DuGenre(QStringLiteral("message")).size(), messages);

        // The mail program fails: the same message.
        I().lancementReussi = false;
        qputenv("PATH", outils.path().toLocal8Bit());
        f->EnvoyerParCourrier();
        qputenv("PATH", ancienPath);
        QCOMPARE(I().DuGenre(QStringLiteral("message")).last().texte, echec);
    }
};

QTEST_MAIN(TestEnregistrementFeuille)
#include "tst_enregistrementFeuille.moc"
