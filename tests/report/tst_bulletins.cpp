// The report cards: gathering from several subject files, their checks, the cards' rows, and the
// engine's pages, PDF, ODT and RTF.
#include "tavX_donneesBulletins.h"
#include "tavX_fichierTav.h"
#include "tavX_globales.h"
#include "tavX_moteurBulletins.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

using namespace Bulletins;

namespace {

struct TEleve {
    QString nom;
    QString note; // one mark of period 1, out of 20; empty: none
    QString appreciation;
    QString points;
};

// A class file of one subject, period 1 holding one series of the given marks.
QString Ecrire(const QString& chemin, const QString& matiere, const QList<TEleve>& eleves,
               const QString& bulletins = QStringLiteral("Bulletins par défaut"),
               const QString& periodes = QStringLiteral("Trimestres")) {
    TFichierTav f;
    f.InitialiserClasse(periodes, bulletins);
    f.ModifierClasse(QStringLiteral("3e A"));
    f.ModifierEcole(QStringLiteral("Collège Victor Hugo"));
    f.ModifierMatiere(matiere);
    f.ModifierEnseignant(QStringLiteral("M. ") + matiere);
    f.ModifierAnneeScolaire(QStringLiteral("2026/2027"));
    for (const TEleve& e : eleves)
        f.AjouterEleve(e.nom, QString(), false);
    f.AjouterSerie(1, QStringLiteral("Contrôle"), false, QString(), QString(), QString(),
                   QStringLiteral("oui"), QStringLiteral("1"), QStringLiteral("20"));
    for (int s = 1; s <= f.NombreEleves(); ++s) {
        const TEleve& e = eleves.at(s - 1);
        f.ModifierNote(1, 1, e.note, s);
        for (int c = 1; c <= f.NombreColonnesBulletin(); ++c)
            f.ModifierAppreciation(1, s, c, c == 1 ? e.appreciation : QString());
        f.ModifierPointsPlusMoins(1, s, e.points);
    }
    f.Enregistrer(chemin);
    return chemin;
}

QList<TEleve> Trois(const QString& a, const QString& b, const QString& c) {
    return {{QStringLiteral("Aubert Anna"), a, QStringLiteral("A ") + a, QString()},
            {QStringLiteral("Bruno Basile"), b, QStringLiteral("B ") + b, QString()},
            {QStringLiteral("Colin Clara"), c, QStringLiteral("C ") + c, QString()}};
}

QImage Image(const TMiseEnPage& m, int page) {
    QImage image(400, 560, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.scale(0.5, 0.5);
    m.DessinerPage(p, page);
    return image;
}

} // namespace

class TestBulletins : public QObject {
    Q_OBJECT
    QTemporaryDir dossier;
    QString maths, francais;

    QString Chemin(const QString& nom) const { return dossier.filePath(nom); }

private slots:
    void initTestCase() {
        DefinirFichierReglages(dossier.filePath(QStringLiteral("reglages.ini")));
        maths = Ecrire(Chemin("maths.tav"), "Maths", Trois("10", "12", "16"));
        francais = Ecrire(Chemin("francais.tav"), "Français", Trois("8", "", "14"));
    }
    void cleanupTestCase() { DefinirFichierReglages(QString()); }

    // Each file refused at the checks, with its message naming it; the reference is untouched.
    void refus_data() {
        QTest::addColumn<QString>("fichier");
        QTest::addColumn<QString>("message");
        QTest::newRow("illisible") << "illisible.tav"
                                   << "n'est pas un fichier Tavelin valide.";
        QTest::newRow("sans élève") << "vide.tav"
                                    << "ne contient aucun élève.";
        QTest::newRow("élèves") << "autres.tav"
                                << "n'a pas la même liste d'élèves que les autres fichiers.";
        QTest::newRow("périodes") << "semestres.tav"
                                  << "n'a pas le même type de périodes que les autres fichiers.";
        QTest::newRow("bulletins") << "college.tav"
                                   << "n'a pas le même type de bulletins que les autres fichiers.";
        QTest::newRow("casse et blancs acceptés") << "casse.tav"
                                                  << "";
    }
    void refus() {
        QFETCH(QString, fichier);
        QFETCH(QString, message);
        QFile(Chemin("illisible.tav")).open(QIODevice::WriteOnly);
        Ecrire(Chemin("vide.tav"), "Vide", {});
        Ecrire(Chemin("autres.tav"), "SVT", Trois("1", "2", "3").mid(0, 2));
        Ecrire(Chemin("semestres.tav"), "SVT", Trois("1", "2", "3"), "Bulletins par défaut",
               "Semestres");
        Ecrire(Chemin("college.tav"), "SVT", Trois("1", "2", "3"), "Nouveaux bulletins du collège");
        QList<TEleve> casse = Trois("1", "2", "3");
        casse[0].nom = QStringLiteral("  aubert ANNA ");
        Ecrire(Chemin("casse.tav"), "SVT", casse);

        TReference reference;
        QString texte;
        QVERIFY(ChargerFichier(maths, reference, texte));
        const TReference avant = reference;
        const bool accepte = ChargerFichier(Chemin(fichier), reference, texte) != nullptr;
        QCOMPARE(accepte, message.isEmpty());
        QCOMPARE(reference.eleves, avant.eleves);
        if (!accepte) {
            QVERIFY2(texte.startsWith(QStringLiteral("Le fichier \"%1\" ").arg(fichier)),
                     qPrintable(texte));
            QVERIFY2(texte.contains(message), qPrintable(texte));
        }
        // A whole set of cards refuses the same file, naming it, not the first one.
        TJeu jeu;
        TEchec echec;
        QCOMPARE(Rassembler({maths, Chemin(fichier)}, TOptions(), jeu, texte, nullptr, &echec),
                 accepte);
        if (!accepte) {
            QCOMPARE(echec, TEchec::Fichier);
            QVERIFY2(texte.contains(QStringLiteral("\"%1\"").arg(fichier)), qPrintable(texte));
        }
    }

    // Only B and C chosen: each card carries its own student's figures, bonus points included;
    // a subject with neither average nor appreciation is left out, and out of the general
    // average too.
    void cartesDesElevesChoisis() {
        QList<TEleve> svt = Trois("", "", "18");
        svt[1].appreciation.clear();
        svt[2].points = QStringLiteral("1");
        const QString sciences = Ecrire(Chemin("svt.tav"), "SVT", svt);
        TOptions o;
        o.eleves = {3, 2};
        TJeu jeu;
        QString message;
        QVERIFY(Rassembler({maths, francais, sciences}, o, jeu, message));
        QCOMPARE(jeu.cartes.size(), 2);
        const TCarte& b = jeu.cartes.at(0);
        const TCarte& c = jeu.cartes.at(1);
        QCOMPARE(b.eleve, QStringLiteral("Bruno Basile (3e A)"));
        QCOMPARE(c.eleve, QStringLiteral("Colin Clara (3e A)"));
        QCOMPARE(b.colonnes,
                 (QStringList{"Matières", "Elève", "Min", "Max", "Classe", "Appréciations"}));
        // B: no French average but an appreciation (kept); no SVT average nor appreciation.
        QCOMPARE(b.lignes.size(), 3);
        QCOMPARE(b.lignes.at(0),
                 (QStringList{"Maths", "12,00", "10,00", "16,00", "12,67", "B 12"}));
        QCOMPARE(b.lignes.at(1), (QStringList{"Français", "", "8,00", "14,00", "11,00", "B "}));
        QCOMPARE(b.lignes.at(2),
                 (QStringList{"Moyenne générale", "12,00", "9,00", "15,00", "11,84", ""}));
        // C: the bonus point shows on the card and in the class figures.
        QCOMPARE(c.lignes.size(), 4);
        QCOMPARE(c.lignes.at(2).mid(0, 2), (QStringList{"SVT", "19,00"}));
        QCOMPARE(c.lignes.at(3).at(1), QStringLiteral("16,33"));
        QCOMPARE(c.ecole, QStringLiteral("Collège Victor Hugo"));
        QCOMPARE(c.nomPeriode, QStringLiteral("Premier trimestre"));
    }

    // The options' columns: hidden Min/Max/Classe, no appreciations, the teacher's line.
    void options_data() {
        QTest::addColumn<bool>("masquer");
        QTest::addColumn<bool>("appreciations");
        QTest::addColumn<bool>("enseignant");
        QTest::addColumn<QStringList>("colonnes");
        QTest::addColumn<QStringList>("premiere");
        QTest::addColumn<QStringList>("finale");
        QTest::newRow("masquées") << true << true << false
                                  << QStringList{"Matières", "Elève", "Appréciations"}
                                  << QStringList{"Maths", "10,00", "A 10"}
                                  << QStringList{"Moyenne générale", "9,00", ""};
        QTest::newRow("sans appréciations")
            << false << false << false << QStringList{"Matières", "Elève", "Min", "Max", "Classe"}
            << QStringList{"Maths", "10,00", "10,00", "16,00", "12,67"}
            << QStringList{"Moyenne générale", "9,00", "9,00", "15,00", "11,84"};
        QTest::newRow("enseignant")
            << true << false << true << QStringList{"Matières", "Elève"}
            << QStringList{"Maths\nM. Maths", "10,00"} << QStringList{"Moyenne générale", "9,00"};
    }
    void options() {
        QFETCH(bool, masquer);
        QFETCH(bool, appreciations);
        QFETCH(bool, enseignant);
        QFETCH(QStringList, colonnes);
        QFETCH(QStringList, premiere);
        QFETCH(QStringList, finale);
        TOptions o;
        o.masquerMinMax = masquer;
        o.appreciations = appreciations;
        o.enseignant = enseignant;
        o.eleves = {1};
        TJeu jeu;
        QString message;
        QVERIFY(Rassembler({maths, francais}, o, jeu, message));
        const TCarte& a = jeu.cartes.at(0);
        QCOMPARE(a.colonnes, colonnes);
        QCOMPARE(a.lignes.first(), premiere);
        QCOMPARE(a.lignes.last(), finale);
        // Widths: the sections share 435 units, or 545 with the three columns hidden.
        const TMiseEnPage m(jeu.cartes);
        const QList<double> l = m.LargeursColonnes(0);
        QCOMPARE(l.size(), colonnes.size());
        if (appreciations) QCOMPARE(l.last(), masquer ? 545.0 : 435.0);
    }

    // Three sections share the width of one: the table stays within the page, long texts wrap
    // and a card too long for one page goes on to a second, the frame on the last.
    void sectionsEtPages() {
        const QString texte =
            QStringLiteral("Un élève sérieux et appliqué, qui participe. ").repeated(4);
        QList<TEleve> e = Trois("10", "11", "12");
        for (TEleve& x : e)
            x.appreciation = texte;
        QStringList fichiers;
        for (int i = 0; i < 12; ++i)
            fichiers << Ecrire(Chemin(QStringLiteral("college%1.tav").arg(i)),
                               QStringLiteral("Matière %1").arg(i), e,
                               "Nouveaux bulletins du collège");
        TOptions o;
        TJeu jeu;
        QString message;
        QVERIFY2(Rassembler(fichiers, o, jeu, message), qPrintable(message));
        QCOMPARE(jeu.cartes.at(0).sections, 3);
        const TMiseEnPage m(jeu.cartes);
        double total = 0;
        for (double l : m.LargeursColonnes(0))
            total += l;
        QVERIFY(total <= Unites::LargeurPage);
        QCOMPARE(m.LargeursColonnes(0).last(), 145.0);
        const qsizetype n = m.PagesDeLaCarte(0).size();
        QVERIFY(n >= 2);
        QCOMPARE(m.PagesDeLaCarte(1).first(), n);
        QCOMPARE(m.NombrePages(), 3 * n);
        const QByteArray pdf = Pdf(m);
        QVERIFY(pdf.startsWith("%PDF"));
        QCOMPARE(pdf.count("/Type /Page\n") + pdf.count("/Type /Page "), 3 * n);
    }

    // The cards come from their own records: drawing pages out of order, or twice, draws each
    // page exactly as in order.
    void ordreDeRendu() {
        TJeu jeu;
        QString message;
        QVERIFY(Rassembler({maths, francais}, TOptions(), jeu, message));
        const TMiseEnPage m(jeu.cartes);
        QCOMPARE(m.NombrePages(), 3);
        const QList<QImage> dansLOrdre = {Image(m, 0), Image(m, 1), Image(m, 2)};
        QVERIFY(dansLOrdre.at(0) != dansLOrdre.at(1));
        for (int page : {2, 0, 2, 1})
            QVERIFY(Image(m, page) == dansLOrdre.at(page));
        const QByteArray pdf = Pdf(m, {2});
        QVERIFY(pdf.startsWith("%PDF"));
        // A logo on every card is embedded once.
        const QString logo = Chemin("logo.png");
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        QVERIFY(image.save(logo));
        for (TCarte& c : jeu.cartes)
            c.logo = logo;
        const QByteArray avecLogo = Pdf(TMiseEnPage(jeu.cartes));
        QCOMPARE(avecLogo.count("/Subtype /Image"), 1);
    }

    // A file changed on disk after it was chosen (a student added) is refused at the start of
    // the report, by its own name.
    void fichierChangeSurLeDisque() {
        const QString copie = Ecrire(Chemin("change.tav"), "Histoire", Trois("1", "2", "3"));
        TReference reference;
        QString message;
        QVERIFY(ChargerFichier(maths, reference, message));
        QVERIFY(ChargerFichier(copie, reference, message));
        QList<TEleve> plus = Trois("1", "2", "3");
        plus.prepend({QStringLiteral("Abel Adam"), "5", "", ""});
        Ecrire(copie, "Histoire", plus);
        TJeu jeu;
        QVERIFY(!Rassembler({maths, copie}, TOptions(), jeu, message, &reference));
        QVERIFY2(message.startsWith(QStringLiteral("Le fichier \"change.tav\"")),
                 qPrintable(message));
        QVERIFY(jeu.cartes.isEmpty());
    }

    void documents() {
        TOptions o;
        o.eleves = {1};
        o.ecole = QStringLiteral("Lycée {Curie} \\ Été");
        TJeu jeu;
        QString message;
        QVERIFY(Rassembler({maths, francais}, o, jeu, message));
        const QByteArray rtf = Rtf(jeu.cartes);
        QVERIFY(rtf.startsWith("{\\rtf1"));
        QVERIFY(rtf.contains("Lyc\\u233?e \\{Curie\\} \\\\ \\u201?t\\u233?"));
        QCOMPARE(rtf.count("\\row"), 4 + 1);
        const QByteArray odt = Odt(jeu.cartes);
        QVERIFY(odt.startsWith("PK"));
        const QString nom = NomFichierCarte(jeu.cartes.at(0));
        QCOMPARE(nom, QStringLiteral("Aubert Anna (3e A) - Premier trimestre.pdf"));
        QCOMPARE(NomDeFichierValide(QStringLiteral("a/b\\c:d*e?f\"g<h>i|j")),
                 QStringLiteral("abcdefghij"));
        // One file per student, an existing one replaced only when the user agrees.
        const TMiseEnPage m(jeu.cartes);
        QStringList ecrits;
        QVERIFY(EcrirePdfParEleve(dossier.path(), m, {}, &ecrits));
        QCOMPARE(ecrits, QStringList{Chemin(nom)});
        ecrits.clear();
        QStringList demandes;
        QVERIFY(EcrirePdfParEleve(
            dossier.path(), m,
            [&](const QString& c) {
                demandes << c;
                return false;
            },
            &ecrits));
        QCOMPARE(demandes, QStringList{Chemin(nom)});
        QVERIFY(ecrits.isEmpty());
    }
};

QTEST_MAIN(TestBulletins)
#include "tst_bulletins.moc"
