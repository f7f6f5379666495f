// The backup window: the start-up reminder, the list and its enabling rule, and the copy
// (replace asked, kept, cancelled, a file onto itself, two files of one name, a failing disk).
#include "../app/soutien_gui.h"
#include "_FormRappelSauvegarde.h"
#include "tavX_actions.h"
#include "tavX_ecritureSure.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>

#include <cerrno>

using Sauvegarde::TReponseRemplacement;
using TEtat = Sauvegarde::TResultatFichier::TEtat;
Q_DECLARE_METATYPE(TReponseRemplacement)

namespace {

QByteArray Lire(const QString& chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Ecrire(const QString& chemin, const QByteArray& octets) {
    QDir().mkpath(QFileInfo(chemin).absolutePath());
    QFile f(chemin);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(octets);
}

} // namespace

class TestSauvegarde : public QObject {
    Q_OBJECT
    TEnvironnementGui env;

private slots:
    void init() {
        env.NouveauxReglages();
        env.interlocuteur.Vider();
        Tav::DefinirPanneEcriture({});
    }

    // The start-up reminder: the counter of starts, the frequency and an empty history.
    void rappelAuDemarrage_data() {
        QTest::addColumn<bool>("rappel");
        QTest::addColumn<int>("frequence");
        QTest::addColumn<int>("numero");
        QTest::addColumn<bool>("historique");
        QTest::addColumn<bool>("montre");
        QTest::addColumn<int>("numeroApres");
        QTest::newRow("neuvième démarrage") << true << 0 << 9 << true << false << 10;
        QTest::newRow("dixième démarrage") << true << 0 << 10 << true << true << 1;
        QTest::newRow("à chaque démarrage") << true << 1 << 4 << true << true << 4;
        QTest::newRow("historique vide") << true << 1 << 1 << false << false << 1;
        QTest::newRow("dû, historique vide") << true << 0 << 10 << false << false << 1;
        QTest::newRow("rappel désactivé") << false << 1 << 7 << true << false << 1;
    }
    void rappelAuDemarrage() {
        QFETCH(bool, rappel);
        QFETCH(int, frequence);
        QFETCH(int, numero);
        QFETCH(bool, historique);
        QFETCH(bool, montre);
        QFETCH(int, numeroApres);
        Options::ModifierRappelSauvegarde(rappel);
        Options::ModifierFrequenceRappel(quint8(frequence));
        Options::ModifierNumeroRappel(quint8(numero));
        const QString classe =
            EcrireClasse(env.Chemin(QStringLiteral("rappel.tav")), QStringLiteral("4e B"), 3);
        Options::EnregistrerHistorique(historique ? QStringList{classe} : QStringList{});
        int fois = 0;
        TFormTavelin2::Extensions().rappelSauvegarde = [&fois](QWidget*) { ++fois; };
        {
            auto fenetre = FenetrePrete();
            QCOMPARE(fois, montre ? 1 : 0);
            QCOMPARE(int(Options::NumeroRappel()), numeroApres);
            // The menu command opens the same window, whatever the history.
            QAction* action = TActions::Action(TActions::Id::Sauvegarder);
            QVERIFY(action);
            TActions::Actualiser();
            QVERIFY(action->isEnabled());
            action->trigger();
            QCOMPARE(fois, montre ? 2 : 1);
        }
        TFormTavelin2::Extensions().rappelSauvegarde = nullptr;
    }

    // The list: the history, added files (case ignored), select all/none and the button's rule.
    void listeEtBouton() {
        QDir().mkpath(env.Chemin(QStringLiteral("liste")));
        const QString a = EcrireClasse(env.Chemin(QStringLiteral("liste/a.tav")), "A", 2);
        const QString b = EcrireClasse(env.Chemin(QStringLiteral("liste/b.tav")), "B", 2);
        Options::EnregistrerHistorique({a});
        TFormRappelSauvegarde fenetre(nullptr, QPixmap());
        auto* bouton = fenetre.findChild<QPushButton*>(QStringLiteral("btnSauvegarde"));
        auto* liste = fenetre.findChild<QListWidget*>(QStringLiteral("CheckListBox1"));
        QVERIFY(bouton && liste);
        QCOMPARE(fenetre.FichiersCoches(), QStringList{a});
        QVERIFY(!bouton->isEnabled());
        fenetre.DefinirDossier(QStringLiteral("   "));
        QVERIFY(!bouton->isEnabled());
        fenetre.DefinirDossier(env.Chemin(QStringLiteral("cible")));
        QVERIFY(bouton->isEnabled());

        // The same file again, in other letters, is not listed twice.
        env.interlocuteur.aOuvrir.append({b, QFileInfo(a).absolutePath() + "/A.TAV"});
        fenetre.AjouterFichiers();
        QCOMPARE(env.interlocuteur.demandes.last().plusieurs, true);
        QCOMPARE(liste->count(), 2);
        QCOMPARE(fenetre.FichiersCoches(), (QStringList{a, b}));

        fenetre.ToutCocher(false);
        QVERIFY(!bouton->isEnabled());
        liste->item(1)->setCheckState(Qt::Checked);
        QVERIFY(bouton->isEnabled());
        QCOMPARE(fenetre.FichiersCoches(), QStringList{b});
        fenetre.ListeParDefaut();
        QCOMPARE(fenetre.Fichiers(), QStringList{a});
    }

    // The copy, driven through the window's button.
    void copie_data() {
        QTest::addColumn<QList<TReponseRemplacement>>("reponses");
        QTest::addColumn<int>("questions");
        QTest::addColumn<QByteArray>("contenuA");
        QTest::addColumn<QByteArray>("contenuB");
        QTest::addColumn<bool>("annule");
        using R = TReponseRemplacement;
        // Both backups exist already ("ancien A", "ancien B").
        QTest::newRow("oui, oui") << QList<R>{R::Oui, R::Oui} << 2 << QByteArray("nouveau A")
                                  << QByteArray("nouveau B") << false;
        QTest::newRow("non garde l'ancienne")
            << QList<R>{R::Non, R::Oui} << 2 << QByteArray("ancien A") << QByteArray("nouveau B")
            << false;
        QTest::newRow("oui pour tous") << QList<R>{R::OuiPourTous} << 1 << QByteArray("nouveau A")
                                       << QByteArray("nouveau B") << false;
        QTest::newRow("annuler") << QList<R>{R::Annuler} << 1 << QByteArray("ancien A")
                                 << QByteArray("ancien B") << true;
    }
    void copie() {
        QFETCH(QList<TReponseRemplacement>, reponses);
        QFETCH(int, questions);
        QFETCH(QByteArray, contenuA);
        QFETCH(QByteArray, contenuB);
        QFETCH(bool, annule);
        QTemporaryDir dossier;
        const QString a = dossier.filePath(QStringLiteral("src/a.tav"));
        const QString b = dossier.filePath(QStringLiteral("src/b.tav"));
        const QString cible = dossier.filePath(QStringLiteral("cible"));
        Ecrire(a, "nouveau A");
        Ecrire(b, "nouveau B");
        Ecrire(cible + "/a.tav", "ancien A");
        Ecrire(cible + "/b.tav", "ancien B");
        Options::EnregistrerHistorique({b, a});

        TFormRappelSauvegarde fenetre(nullptr, QPixmap());
        int demandees = 0;
        fenetre.questionRemplacer = [&](const QString& chemin) {
            ++demandees;
            [&] { QVERIFY(QFileInfo::exists(chemin)); }();
            return reponses.isEmpty() ? TReponseRemplacement::Annuler : reponses.takeFirst();
        };
        fenetre.DefinirDossier(cible);
        auto* bouton = fenetre.findChild<QPushButton*>(QStringLiteral("btnSauvegarde"));
        QTest::mouseClick(bouton, Qt::LeftButton);
        QCOMPARE(demandees, questions);
        QCOMPARE(Lire(cible + "/a.tav"), contenuA);
        QCOMPARE(Lire(cible + "/b.tav"), contenuB);
        QCOMPARE(fenetre.DernierBilan().annule, annule);
        // No temporary file is left beside the backups.
        QCOMPARE(QDir(cible).entryList(QDir::Files | QDir::Hidden).size(), 2);
        QVERIFY(bouton->isEnabled());
        QVERIFY(fenetre.findChild<QPushButton*>(QStringLiteral("btnFermer"))->isEnabled());
        QCOMPARE(env.interlocuteur.DuGenre(QStringLiteral("message")).size(), 1);
    }

    // What is never written: a file onto itself, a second file of the same name; a failing disk
    // is reported with the file it failed on and leaves the old backup whole.
    void incidents() {
        QTemporaryDir dossier;
        const QString a = dossier.filePath(QStringLiteral("cible/a.tav"));
        const QString b1 = dossier.filePath(QStringLiteral("un/b.tav"));
        const QString b2 = dossier.filePath(QStringLiteral("deux/B.tav"));
        const QString c = dossier.filePath(QStringLiteral("un/c.tav"));
        const QString cible = dossier.filePath(QStringLiteral("cible"));
        Ecrire(a, "A");
        Ecrire(b1, "B un");
        Ecrire(b2, "B deux");
        Ecrire(c, "C nouveau");
        Ecrire(cible + "/c.tav", "C ancien");
        // The disk fills up while c.tav is written.
        int ecritures = 0;
        Tav::DefinirPanneEcriture([&](Tav::TEtapeEcriture etape) {
            if (etape == Tav::TEtapeEcriture::Ecriture && ++ecritures == 2) return ENOSPC;
            return 0;
        });
        Sauvegarde::TRappelsCopie rappels;
        rappels.remplacer = [](const QString&) { return TReponseRemplacement::Oui; };
        const auto bilan = Sauvegarde::Copier({a, b1, b2, c}, cible, rappels);
        Tav::DefinirPanneEcriture({});
        QCOMPARE(bilan.fichiers.at(0).etat, TEtat::MemeFichier);
        QCOMPARE(bilan.fichiers.at(1).etat, TEtat::Copie);
        QCOMPARE(bilan.fichiers.at(2).etat, TEtat::Doublon);
        QCOMPARE(bilan.fichiers.at(3).etat, TEtat::Echec);
        QCOMPARE(Lire(a), QByteArray("A"));
        QCOMPARE(Lire(cible + "/b.tav"), QByteArray("B un"));
        QCOMPARE(Lire(cible + "/c.tav"), QByteArray("C ancien"));
        QVERIFY(bilan.Incident());
        const QString resume = bilan.Resume();
        QVERIFY2(resume.contains(QDir::toNativeSeparators(c)), qPrintable(resume));
        QVERIFY2(resume.contains(QDir::toNativeSeparators(b2)), qPrintable(resume));
        QVERIFY2(resume.startsWith(QStringLiteral("1 fichier a été sauvegardé.")),
                 qPrintable(resume));

        // A target that cannot be a folder stops before anything.
        Ecrire(dossier.filePath(QStringLiteral("fichier")), "x");
        const auto mauvais =
            Sauvegarde::Copier({b1}, dossier.filePath(QStringLiteral("fichier/sous")), rappels);
        QVERIFY(mauvais.dossierInvalide);
        QCOMPARE(mauvais.fichiers.at(0).etat, TEtat::NonTraite);
    }

    // A real full disk: TAV_DISQUE_PLEIN names an empty folder on a small file system (for
    // instance "mount -t tmpfs -o size=64k tmpfs /tmp/plein").
    void disquePleinReel() {
        const QString plein = qEnvironmentVariable("TAV_DISQUE_PLEIN");
        if (plein.isEmpty()) QSKIP("TAV_DISQUE_PLEIN n'est pas défini");
        QTemporaryDir dossier;
        const QString source = dossier.filePath(QStringLiteral("grosse.tav"));
        Ecrire(source, QByteArray(200 * 1024, 'n'));
        Ecrire(plein + "/grosse.tav", QByteArray(16 * 1024, 'a'));
        Sauvegarde::TRappelsCopie rappels;
        rappels.remplacer = [](const QString&) { return TReponseRemplacement::Oui; };
        const auto bilan = Sauvegarde::Copier({source}, plein, rappels);
        QCOMPARE(bilan.fichiers.at(0).etat, TEtat::Echec);
        qInfo("%s", qPrintable(bilan.Resume()));
        QCOMPARE(Lire(plein + "/grosse.tav"), QByteArray(16 * 1024, 'a'));
        QCOMPARE(QDir(plein).entryList(QDir::Files | QDir::Hidden).size(), 1);
        QFile::remove(plein + "/grosse.tav");
    }
};

QTEST_MAIN(TestSauvegarde)
#include "tst_sauvegarde.moc"
