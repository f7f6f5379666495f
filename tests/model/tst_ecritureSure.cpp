// Safe writes and guarded reads: every step of a save failed in turn, the French causes of
// system errors, names the system cannot write, and files that are not files.
#include "tavX_ecritureSure.h"
#include "tavX_exceptions.h"
#include "tavX_fichierTav.h"
#include "tavX_options.h"
#include "tavtest_ecrivain.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace TavTest;
using Tav::TEtapeEcriture;
using Tav::TObjetErreur;

namespace {

QStringList Contenu(const QString& dossier) {
    return QDir(dossier).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                   QDir::Name);
}

QByteArray Lire(const QString& chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<absent>");
}

// Fails the k-th step met (counting from 0) with `code`, and records the steps.
struct Pannes {
    int echec = -1;
    int code = ENOSPC;
    QList<TEtapeEcriture> etapes;
    Pannes() {
        Tav::DefinirPanneEcriture([this](TEtapeEcriture etape) {
            etapes.append(etape);
            return int(etapes.size()) - 1 == echec ? code : 0;
        });
    }
    ~Pannes() { Tav::DefinirPanneEcriture({}); }
};

} // namespace

class TestEcritureSure : public QObject {
    Q_OBJECT

    std::unique_ptr<ReglagesPrives> reglages;

private slots:
    void initTestCase() { reglages = std::make_unique<ReglagesPrives>(); }
    void init() { reglages->Vider(); }

    void chaqueEtapeEnPanne_data();
    void chaqueEtapeEnPanne();
    void causes_data();
    void causes();
    void nomNonRepresentable();
    void chargerCeQuiNEstPasUnFichier_data();
    void chargerCeQuiNEstPasUnFichier();
};

void TestEcritureSure::chaqueEtapeEnPanne_data() {
    QTest::addColumn<bool>("existant");
    QTest::addColumn<bool>("fichierBak");
    QTest::newRow("fichier existant, premier .bak") << true << true;
    QTest::newRow("fichier existant, sans .bak") << true << false;
    QTest::newRow("nouveau fichier") << false << true;
}

// Whatever step fails (the copy to ".bak" included), the class file holds the old content or
// the new one, never anything else; the ".bak" is the old content or absent; no temporary file
// is left; and the failure is reported with its cause.
void TestEcritureSure::chaqueEtapeEnPanne() {
    QFETCH(bool, existant);
    QFETCH(bool, fichierBak);
    Options::ModifierFichierBak(fichierBak);
    const QByteArray ancien = FichierActuel(ClasseExemple());
    QByteArray nouveau;
    int etapes = 0;
    for (int k = -1; k < etapes; ++k) {
        QTemporaryDir ici;
        const QString chemin = ici.filePath(QStringLiteral("4e B.tav"));
        const QString bak = ici.filePath(QStringLiteral("4e B.bak"));
        QVERIFY(EcrireFichier(chemin, ancien));
        TFichierTav f(chemin);
        QVERIFY(f.EstValide());
        if (!existant) QVERIFY(QFile::remove(chemin));
        f.ModifierRemarque(QStringLiteral("nouvelle version"));

        Pannes pannes;
        pannes.echec = k;
        bool echoue = false;
        try {
            f.Enregistrer(chemin);
        } catch (const TTavException& e) {
            echoue = true;
            QCOMPARE(e.Message(),
                     QStringLiteral("Erreur dans l'enregistrement du fichier ") + chemin);
        }
        if (k < 0) {
            // The clean run counts the steps and gives the new content.
            QVERIFY(!echoue);
            etapes = int(pannes.etapes.size());
            QCOMPARE(etapes, existant && fichierBak ? 14 : 7);
            nouveau = Lire(chemin);
            QVERIFY(nouveau != ancien);
            continue;
        }
        const QString quoi = QStringLiteral("panne à l'étape %1").arg(k);
        QVERIFY2(echoue, qPrintable(quoi));
        QVERIFY2(
            f.CauseErreurEnregistrement().startsWith(QStringLiteral("Le disque est plein")) ||
                f.CauseErreurEnregistrement().contains(QStringLiteral("(Le disque est plein)")),
            qPrintable(quoi + QStringLiteral(" : ") + f.CauseErreurEnregistrement()));
        QVERIFY(f.EstModifie());
        // Only the sync of the folder comes after the new file took its place.
        const bool apresRenommage = k == etapes - 1;
        const QByteArray lu = Lire(chemin);
        if (apresRenommage)
            QVERIFY2(lu == nouveau, qPrintable(quoi));
        else
            QVERIFY2(lu == (existant ? ancien : QByteArray("<absent>")), qPrintable(quoi));
        const bool bakFait = existant && fichierBak && k >= 7;
        QCOMPARE(Lire(bak), bakFait ? ancien : QByteArray("<absent>"));
        QStringList attendus;
        if (bakFait) attendus << QStringLiteral("4e B.bak");
        if (existant || apresRenommage) attendus << QStringLiteral("4e B.tav");
        QCOMPARE(Contenu(ici.path()), attendus);
    }
}

void TestEcritureSure::causes_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<TObjetErreur>("objet");
    QTest::addColumn<QString>("cause");
    const auto D = TObjetErreur::Dossier, F = TObjetErreur::Fichier, L = TObjetErreur::Lecture;
    QTest::newRow("ENOSPC") << ENOSPC << D << "Le disque est plein";
    QTest::newRow("EDQUOT") << EDQUOT << D << "Le disque est plein";
    QTest::newRow("EACCES dossier")
        << EACCES << D << "Vous n'avez pas le droit d'écrire dans ce dossier";
    QTest::newRow("EPERM dossier")
        << EPERM << D << "Vous n'avez pas le droit d'écrire dans ce dossier";
    QTest::newRow("EACCES fichier") << EACCES << F << "Le fichier est en lecture seule";
    QTest::newRow("EACCES lecture") << EACCES << L << "Vous n'avez pas le droit de lire ce fichier";
    QTest::newRow("EROFS") << EROFS << D << "Le disque est en lecture seule";
    QTest::newRow("EISDIR") << EISDIR << F << "Ce chemin est un dossier";
    QTest::newRow("ENAMETOOLONG") << ENAMETOOLONG << D << "Nom de fichier trop long";
    QTest::newRow("ENOENT dossier") << ENOENT << D << "Le dossier n'existe pas";
    QTest::newRow("ENOENT lecture") << ENOENT << L << "Le fichier n'existe pas";
    QTest::newRow("inconnue")
        << EPROTO << D << QStringLiteral("Erreur du système (%1)").arg(qt_error_string(EPROTO));
}

void TestEcritureSure::causes() {
    QFETCH(int, code);
    QFETCH(TObjetErreur, objet);
    QFETCH(QString, cause);
    QCOMPARE(Tav::CauseErreurSysteme(code, objet), cause);
}

// A Latin-1 name read on a UTF-8 system reaches the program with U+FFFD: writing to that name
// would make another file. Neither the save nor the load go anywhere else than the exact name.
void TestEcritureSure::nomNonRepresentable() {
    QTemporaryDir ici;
    const QByteArray brut = QFile::encodeName(ici.path()) + "/\xe9l\xe8ves.tav";
    const QByteArray ancien = FichierActuel(ClasseExemple());
    const int fd = ::open(brut.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    QVERIFY(fd >= 0);
    // Qt does not list such a name, nor can it remove it with the folder.
    struct Effacer {
        QByteArray nom;
        ~Effacer() { ::unlink(nom.constData()); }
    } effacer{brut};
    QCOMPARE(::write(fd, ancien.constData(), size_t(ancien.size())), ssize_t(ancien.size()));
    ::close(fd);
    const QString vu = QString::fromLocal8Bit(brut); // as the command line gives it
    QVERIFY(vu.contains(QChar::ReplacementCharacter));

    TFichierTav lu(vu, true);
    QVERIFY(!lu.EstValide());
    QVERIFY2(lu.CauseInvalidite().contains(QStringLiteral("caractères que le système")),
             qPrintable(lu.CauseInvalidite()));

    TFichierTav f;
    const QString surrogat = ici.filePath(QStringLiteral("a") + QChar(0xD800) + ".tav");
    for (const QString& nom : {vu, surrogat}) {
        QVERIFY_THROWS_EXCEPTION(TTavException, f.Enregistrer(nom));
        QCOMPARE(f.CauseErreurEnregistrement(), Tav::CauseNomNonRepresentable());
        QVERIFY(!QFileInfo::exists(nom));
    }
    QCOMPARE(Contenu(ici.path()), QStringList());
    struct stat etat {};
    QCOMPARE(::stat(brut.constData(), &etat), 0);
    QCOMPARE(qint64(etat.st_size), qint64(ancien.size()));
}

void TestEcritureSure::chargerCeQuiNEstPasUnFichier_data() {
    QTest::addColumn<QString>("quoi");
    QTest::addColumn<QString>("cause");
    QTest::newRow("tube") << "tube"
                          << "c'est un tube, pas un fichier";
    QTest::newRow("/dev/zero") << "/dev/zero"
                               << "c'est un périphérique, pas un fichier";
    QTest::newRow("dossier") << "dossier"
                             << "c'est un dossier, pas un fichier";
    QTest::newRow("trop gros") << "gros"
                               << "fichier trop volumineux";
    QTest::newRow("absent") << "absent"
                            << "impossible d'ouvrir le fichier : le fichier n'existe pas";
}

// A pipe would block the load and /dev/zero would fill the memory: only a regular file of a
// bounded size is read, and the answer comes at once.
void TestEcritureSure::chargerCeQuiNEstPasUnFichier() {
    QFETCH(QString, quoi);
    QFETCH(QString, cause);
    QTemporaryDir ici;
    QString chemin = quoi.startsWith(QLatin1Char('/')) ? quoi : ici.filePath(quoi);
    if (quoi == QLatin1String("tube"))
        QCOMPARE(::mkfifo(QFile::encodeName(chemin).constData(), 0600), 0);
    if (quoi == QLatin1String("dossier")) QVERIFY(QDir(ici.path()).mkdir(quoi));
    if (quoi == QLatin1String("gros")) {
        QFile gros(chemin);
        QVERIFY(gros.open(QIODevice::WriteOnly));
        QVERIFY(gros.resize(qint64(1) << 30)); // sparse: takes no room on the disk
    }
    TFichierTav f(chemin, true);
    QVERIFY(!f.EstValide());
    QVERIFY2(f.CauseInvalidite().startsWith(cause), qPrintable(f.CauseInvalidite()));
}

QTEST_GUILESS_MAIN(TestEcritureSure)
#include "tst_ecritureSure.moc"
