// "Importer une série de notes ... depuis un fichier texte": one mark per line.
#include "_FormNouvelleSerieDeNotes.h"
#include "aideDialogues.h"
#include "tavX_commandesSeries.h"
#include "tavX_fichierTav.h"
#include "tavtest_ecrivain.h"

#include <QComboBox>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

using namespace AideDialogues;

namespace {

std::unique_ptr<TFichierTav> ClasseDeCinq() {
    auto f = std::make_unique<TFichierTav>();
    f->InitialiserClasse(QStringLiteral("Trimestres"), QStringLiteral("Bulletins par défaut"));
    f->ModifierListeEleves({"A", "B", "C", "D", "E"});
    return f;
}

} // namespace

class TestImporterSerieTexte : public QObject {
    Q_OBJECT

private slots:
    void init() {
        reglages = std::make_unique<TavTest::ReglagesPrives>();
        QVERIFY(dossier.isValid());
    }
    void cleanup() { reglages.reset(); }

    void lecture_data() {
        QTest::addColumn<QByteArray>("octets");
        QTest::addColumn<QStringList>("attendu");
        QTest::newRow("LF et fin de ligne finale")
            << QByteArray("12\n8,5\nabs\n") << QStringList{"12", "8,5", "abs"};
        QTest::newRow("CRLF sans fin finale")
            << QByteArray("12\r\n8,5\r\nabs") << QStringList{"12", "8,5", "abs"};
        QTest::newRow("CR seuls") << QByteArray("1\r2\r") << QStringList{"1", "2"};
        QTest::newRow("ligne vide gardée") << QByteArray("1\n\n3\n") << QStringList{"1", "", "3"};
        QTest::newRow("blancs retirés") << QByteArray("  14 \n\t9\n") << QStringList{"14", "9"};
        QTest::newRow("point décimal")
            << QByteArray("12.5\n.5\n1.2.3\n") << QStringList{"12,5", ",5", "1.2.3"};
        QTest::newRow("BOM UTF-8") << QByteArray("\xEF\xBB\xBF"
                                                 "15\nabsent\xC3\xA9\n")
                                   << QStringList{"15", QStringLiteral("absenté")};
        QTest::newRow("Windows-1252")
            << QByteArray("15\nabsent\xE9\n") << QStringList{"15", QStringLiteral("absenté")};
        QTest::newRow("fichier vide") << QByteArray() << QStringList{};
    }
    void lecture() {
        QFETCH(QByteArray, octets);
        QFETCH(QStringList, attendu);
        const QString chemin = dossier.filePath(QStringLiteral("notes.txt"));
        QVERIFY(TavTest::EcrireFichier(chemin, octets));
        QStringList notes;
        QString erreur;
        QVERIFY(CommandesSeries::LireNotesTexte(chemin, notes, erreur));
        QCOMPARE(notes, attendu);
    }

    void lecture_refus() {
        QStringList notes;
        QString erreur;
        QVERIFY(!CommandesSeries::LireNotesTexte(dossier.filePath(QStringLiteral("absent.txt")),
                                                 notes, erreur));
        QVERIFY(erreur.startsWith(QStringLiteral("Impossible de lire le fichier")));
        const QString chemin = dossier.filePath(QStringLiteral("emoji.txt"));
        QVERIFY(TavTest::EcrireFichier(chemin, QStringLiteral("12\n😀\n").toUtf8()));
        QVERIFY(!CommandesSeries::LireNotesTexte(chemin, notes, erreur));
        QVERIFY(erreur.contains(QStringLiteral("Ligne 2")));
        QVERIFY(erreur.contains(QStringLiteral("😀")));
    }

    void troisLignesPourCinqEleves() {
        const QString chemin = dossier.filePath(QStringLiteral("notes.txt"));
        QVERIFY(TavTest::EcrireFichier(chemin, QByteArray("12\r\nabs\r\n7.5\r\n")));
        auto f = ClasseDeCinq();
        InterlocuteurTest boites;
        boites.fichiersChoisis = {chemin};
        auto fait = AuProchainDialogue<TFormNouvelleSerieDeNotes>([](TFormNouvelleSerieDeNotes* d) {
            QCOMPARE(d->windowTitle(),
                     QStringLiteral("Informations sur la série de notes à importer"));
            QCOMPARE(d->TabControl1()->currentIndex(), 2);
            TaperTexte(d->ComboBox1(), QStringLiteral("Importée"));
            QTest::keyClick(d->ComboBox1(), Qt::Key_Return);
        });
        QCOMPARE(CommandesSeries::ImporterSerieDeNotesTexte(nullptr, *f, 3, QPixmap()), 3);
        QVERIFY(*fait);
        QCOMPARE(boites.demandes.size(), 1);
        QCOMPARE(boites.demandes.at(0).titre,
                 QStringLiteral("Informations sur la série de notes à importer"));
        QCOMPARE(boites.demandes.at(0).filtre, QStringLiteral("Tous les fichiers *.*|*.*"));
        QCOMPARE(f->NombreSeries(3), 1);
        QCOMPARE(f->Intitule(3, 1), QStringLiteral("Importée"));
        QCOMPARE(f->Note(3, 1, 1), QStringLiteral("12"));
        QCOMPARE(f->Note(3, 1, 2), QStringLiteral("abs"));
        QCOMPARE(f->Note(3, 1, 3), QStringLiteral("7,5"));
        QCOMPARE(f->Note(3, 1, 4), QString());
        QCOMPARE(f->Note(3, 1, 5), QString());
        QVERIFY(boites.boites.isEmpty());
    }

    void fichierNonChoisiOuDialogueAnnule() {
        auto f = ClasseDeCinq();
        InterlocuteurTest boites;
        QCOMPARE(CommandesSeries::ImporterSerieDeNotesTexte(nullptr, *f, 1, QPixmap()), 0);
        const QString chemin = dossier.filePath(QStringLiteral("notes.txt"));
        QVERIFY(TavTest::EcrireFichier(chemin, QByteArray("12\n")));
        boites.fichiersChoisis = {chemin};
        auto fait = AuProchainDialogue<TFormNouvelleSerieDeNotes>(
            [](TFormNouvelleSerieDeNotes* d) { QTest::keyClick(d, Qt::Key_Escape); });
        QCOMPARE(CommandesSeries::ImporterSerieDeNotesTexte(nullptr, *f, 1, QPixmap()), 0);
        QVERIFY(*fait);
        QCOMPARE(f->NombreSeriesAnnee(), 0);
    }

    void fichierIllisibleNAjouteRien() {
        auto f = ClasseDeCinq();
        InterlocuteurTest boites;
        boites.fichiersChoisis = {dossier.filePath(QStringLiteral("disparu.txt"))};
        QCOMPARE(CommandesSeries::ImporterSerieDeNotesTexte(nullptr, *f, 1, QPixmap()), 0);
        QCOMPARE(boites.boites.size(), 1);
        QCOMPARE(boites.boites.at(0).icone, TIcone::Erreur);
        QCOMPARE(f->NombreSeriesAnnee(), 0);
    }

    void limiteDe255Series() {
        auto f = ClasseDeCinq();
        for (int i = 0; i < 255; ++i)
            f->AjouterSerie(1, QStringLiteral("S"), false, QString(), QString(), QString(),
                            QStringLiteral("oui"), QStringLiteral("1"), QStringLiteral("20"));
        InterlocuteurTest boites;
        boites.fichiersChoisis = {dossier.filePath(QStringLiteral("notes.txt"))};
        QCOMPARE(CommandesSeries::ImporterSerieDeNotesTexte(nullptr, *f, 1, QPixmap()), 0);
        QCOMPARE(boites.Textes(),
                 QStringList{QStringLiteral("Impossible d'importer une série de notes. Le nombre "
                                            "de séries de notes est limité à 255.")});
        QCOMPARE(boites.boites.at(0).icone, TIcone::Information);
        QVERIFY(boites.demandes.isEmpty()); // no open dialog
    }

private:
    QTemporaryDir dossier;
    std::unique_ptr<TavTest::ReglagesPrives> reglages;
};

QTEST_MAIN(TestImporterSerieTexte)
#include "tst_importerSerieTexte.moc"
