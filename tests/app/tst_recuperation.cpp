// Autosave and recovery: a modified class is copied beside the settings, the copy outlives a
// crash (the program gone without closing its sheets) and is offered back at the next start;
// a saved or closed class leaves no copy behind, and a stale copy is never offered.
#include "soutien_gui.h"
#include "tavX_recuperation.h"

#include <QDirIterator>

using TChoix = TRecuperation::TChoix;

namespace {

// What a crash leaves: the recovery folder as it was, put back after the window went.
QMap<QString, QByteArray> Instantane(const QString& dossier) {
    QMap<QString, QByteArray> fichiers;
    for (const QFileInfo& info : QDir(dossier).entryInfoList(QDir::Files)) {
        QFile f(info.absoluteFilePath());
        if (f.open(QIODevice::ReadOnly)) fichiers.insert(info.fileName(), f.readAll());
    }
    return fichiers;
}

void Remettre(const QString& dossier, const QMap<QString, QByteArray>& fichiers) {
    QDir().mkpath(dossier);
    for (auto it = fichiers.cbegin(); it != fichiers.cend(); ++it) {
        QFile f(dossier + QLatin1Char('/') + it.key());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(it.value());
    }
}

} // namespace

class TestRecuperation : public QObject {
    Q_OBJECT
    TEnvironnementGui env;

private slots:
    void init() {
        env.NouveauxReglages();
        env.interlocuteur.Vider();
    }
    void cleanup() { TRecuperation::Question() = nullptr; }

    void choix_data() {
        QTest::addColumn<int>("choix");
        QTest::newRow("Restaurer") << int(TChoix::Restaurer);
        QTest::newRow("Ignorer") << int(TChoix::Ignorer);
        QTest::newRow("Supprimer") << int(TChoix::Supprimer);
    }
    void choix() {
        QFETCH(int, choix);
        const QString chemin =
            EcrireClasse(env.Chemin(QStringLiteral("crash.tav")), QStringLiteral("3e A"), 4, {1});
        const QString avant = TFichierTav(chemin).Note(1, 1, 2);
        const QString dossier = TRecuperation::Dossier();
        QMap<QString, QByteArray> restes;
        {
            auto fenetre = FenetrePrete({chemin});
            TFeuilleClasse* feuille = fenetre->FeuilleActive();
            QVERIFY(feuille);
            auto* recuperation = fenetre->findChild<TRecuperation*>();
            QVERIFY(recuperation);
            QCOMPARE(recuperation->SauvegarderMaintenant(), 0); // nothing modified yet
            feuille->Fichier().ModifierNote(1, 1, QStringLiteral("19,5"), 2);
            QCOMPARE(recuperation->SauvegarderMaintenant(), 1);
            restes = Instantane(dossier);
            QCOMPARE(restes.size(), 2); // the copy and the name of its class
            // The class file itself is untouched.
            QCOMPARE(TFichierTav(chemin).Note(1, 1, 2), avant);
            // Closed without saving (the question answered No): the copy goes.
            env.interlocuteur.reponseParDefaut = false;
        }
        QVERIFY(Instantane(dossier).isEmpty());

        // The crash: the copy is still there at the next start.
        Remettre(dossier, restes);
        QList<TRecuperation::TFichierRecupere> offerts;
        TRecuperation::Question() = [&](QWidget*, const TRecuperation::TFichierRecupere& f) {
            offerts.append(f);
            return TChoix(choix);
        };
        auto fenetre = FenetrePrete();
        QCOMPARE(offerts.size(), 1);
        QCOMPARE(offerts.at(0).classe, QFileInfo(chemin).absoluteFilePath());
        QVERIFY(offerts.at(0).date.isValid());
        TFeuilleClasse* feuille = fenetre->FeuilleActive();
        if (TChoix(choix) != TChoix::Restaurer) {
            QVERIFY(!feuille);
            QCOMPARE(Instantane(dossier).isEmpty(), TChoix(choix) == TChoix::Supprimer);
            return;
        }
        QVERIFY(feuille);
        QCOMPARE(feuille->Fichier().NomFichier(), QFileInfo(chemin).absoluteFilePath());
        QVERIFY(feuille->Fichier().EstModifie());
        // The copy is not part of the file history.
        for (const QString& h : Options::ChargerHistorique())
            QVERIFY2(!h.startsWith(dossier, Qt::CaseInsensitive), qPrintable(h));
        QCOMPARE(feuille->Fichier().Note(1, 1, 2), QStringLiteral("19,5"));
        // Opening the same file again shows the restored sheet.
        QCOMPARE(fenetre->OuvrirOuMontrer(chemin), feuille);
        QCOMPARE(fenetre->Feuilles().size(), 1);
        // Saved: the class file holds the marks and the copy goes.
        QVERIFY(feuille->Enregistrer());
        QCOMPARE(TFichierTav(chemin).Note(1, 1, 2), QStringLiteral("19,5"));
        QVERIFY(Instantane(dossier).isEmpty());
    }

    // A copy older than its class file (saved since, by another copy of the program) is stale:
    // not offered, removed.
    void copiePerimee() {
        const QString chemin =
            EcrireClasse(env.Chemin(QStringLiteral("perime.tav")), QStringLiteral("3e B"), 2, {1});
        QMap<QString, QByteArray> restes;
        {
            auto fenetre = FenetrePrete({chemin});
            fenetre->FeuilleActive()->Fichier().ModifierNote(1, 1, QStringLiteral("3"), 1);
            fenetre->findChild<TRecuperation*>()->SauvegarderMaintenant();
            restes = Instantane(TRecuperation::Dossier());
        }
        Remettre(TRecuperation::Dossier(), restes);
        QTest::qWait(20);
        QFile f(chemin);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(QDateTime::currentDateTime().addSecs(60),
                              QFileDevice::FileModificationTime));
        f.close();
        QVERIFY(TRecuperation::Trouver().isEmpty());
        QVERIFY(Instantane(TRecuperation::Dossier()).isEmpty());
    }
};

QTEST_MAIN(TestRecuperation)
#include "tst_recuperation.moc"
