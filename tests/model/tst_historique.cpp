// Undo and redo of the class document. Random steps of every kind of change on the example
// class, then random undos, redos and new steps: after each one the class's bytes must be those
// of the state it comes back to, its averages those of that state read anew, and its modified
// flag true to the file on disk. Then the bounds of the history and the names of the steps.
//
// A failure prints the seed; TAV_GRAINE=<seed> replays one seed alone.
#include "tavX_documentClasse.h"
#include "tavX_fichierTav.h"

#include <QSignalSpy>
#include <QtTest>

#include <memory>
#include <random>

namespace {

using Alea = std::mt19937;

int Entre(Alea& alea, int min, int max) {
    return std::uniform_int_distribution<int>(min, max)(alea);
}

const QStringList Textes = {QStringLiteral("12"),  QStringLiteral("7,5"),
                            QStringLiteral("abs"), QString(),
                            QStringLiteral("20"),  QStringLiteral("-1"),
                            QStringLiteral("2"),   QStringLiteral("Très bien")};

QString Texte(Alea& alea) {
    return Textes.at(Entre(alea, 0, int(Textes.size()) - 1));
}

// One random change of any kind the program makes; returns what it did, for the failure text.
QString Changer(TFichierTav& f, Alea& alea) {
    const int P = f.NombrePeriodes();
    const int N = f.NombreEleves();
    const int p = Entre(alea, 1, P);
    const int s = N > 0 ? Entre(alea, 1, N) : 0;
    const int J = f.NombreSeries(p);
    const int j = J > 0 ? Entre(alea, 1, J) : 0;
    switch (Entre(alea, 0, 15)) {
    case 0:
    case 1:
    case 2:
        if (!j || !s) return QString();
        f.ModifierNote(p, j, Texte(alea), s);
        return QStringLiteral("note");
    case 3:
        if (!s) return QString();
        f.ModifierPointsPlusMoins(p, s, Texte(alea));
        return QStringLiteral("points");
    case 4:
        if (!s || f.NombreColonnesBulletin() == 0) return QString();
        f.ModifierAppreciation(p, s, Entre(alea, 1, f.NombreColonnesBulletin()), Texte(alea));
        return QStringLiteral("appréciation");
    case 5:
        if (N >= 50) return QString();
        f.AjouterEleve(QStringLiteral("Élève %1").arg(Entre(alea, 0, 999)),
                       QStringLiteral("01/02/2012"), Entre(alea, 0, 1) == 1);
        return QStringLiteral("élève ajouté");
    case 6:
        if (N <= 1) return QString();
        f.SupprimerEleve(s);
        return QStringLiteral("élève supprimé");
    case 7:
        if (!s) return QString();
        // A name that breaks the alphabetical order: undo must not sort the students.
        f.ModifierEleve(s, QStringLiteral("Aaa %1").arg(Entre(alea, 0, 99)), true, QString());
        return QStringLiteral("élève renommé");
    case 8:
        if (f.NombreSeriesAnnee() >= 250) return QString();
        f.AjouterSerie(p, QStringLiteral("DS %1").arg(Entre(alea, 0, 99)), false, QString(),
                       QString(), QString(), QStringLiteral("oui"), QStringLiteral("2"),
                       QStringLiteral("20"));
        return QStringLiteral("série ajoutée");
    case 9:
        if (!j) return QString();
        f.SupprimerSerie(p, f.IndiceColonne(p, j) + 1);
        return QStringLiteral("série supprimée");
    case 10:
        if (!j) return QString();
        f.DeplacerSerie(p, j, Entre(alea, 1, P));
        return QStringLiteral("série déplacée");
    case 11:
        if (j < 2) return QString();
        f.MonterSerie(p, j);
        return QStringLiteral("série montée");
    case 12:
        if (!j) return QString();
        f.ModifierCoefficient(p, j, QString::number(Entre(alea, 0, 4)));
        f.ModifierNoteSur(p, j, QString::number(Entre(alea, 1, 4) * 10));
        return QStringLiteral("coefficient et maximum");
    case 13:
        if (!j) return QString();
        f.ModifierIntitule(p, j, QStringLiteral("Contrôle %1").arg(Entre(alea, 0, 99)));
        f.ModifierOral(p, j, Entre(alea, 0, 1) == 1);
        return QStringLiteral("intitulé et oral");
    case 14:
        f.ModifierClasse(QStringLiteral("4e %1").arg(QChar(u'A' + Entre(alea, 0, 5))));
        return QStringLiteral("classe");
    default:
        f.ModifierArrondiMoyennes(quint8(Entre(alea, 0, 3)));
        return QStringLiteral("arrondi");
    }
}

// What the class shows: every report-card and raw average of every period.
QStringList Moyennes(const TFichierTav& f) {
    QStringList m;
    for (int p = 1; p <= f.NombrePeriodes(); ++p)
        for (int s = 1; s <= f.NombreEleves(); ++s)
            m << f.MoyenneBulletin(p, s, 1) << f.MoyenneBrute(p, s);
    return m;
}

QString Exemple() {
    return QStringLiteral(TAV_SOURCE_DIR "/examples/4e_B_mathematiques.tav");
}

} // namespace

class TestHistorique : public QObject {
    Q_OBJECT

private slots:
    void etapesAuHasard() {
        QList<unsigned> graines;
        if (const QByteArray g = qgetenv("TAV_GRAINE"); !g.isEmpty())
            graines = {g.toUInt()};
        else
            for (unsigned g = 1; g <= 12; ++g)
                graines << g;
        for (const unsigned graine : graines) {
            Alea alea(graine);
            TDocumentClasse d(std::make_unique<TFichierTav>(Exemple()), Exemple());
            TFichierTav& f = d.Fichier();
            QVERIFY(f.EstValide());
            // states[k]: the class after k steps; only those before `fait` are done.
            QList<QByteArray> etats{f.Octets()};
            int fait = 0;
            QString journal;
            for (int tour = 0; tour < 150; ++tour) {
                const int choix = Entre(alea, 0, 9);
                if (choix < 5 || etats.size() == 1) {
                    QString quoi;
                    for (int k = Entre(alea, 1, 3); k > 0; --k)
                        quoi += Changer(f, alea) + QLatin1Char(' ');
                    d.TerminerEtape();
                    if (f.Octets() == etats.at(fait)) continue; // nothing changed
                    etats = etats.mid(0, fait + 1);
                    etats << f.Octets();
                    ++fait;
                    journal += QStringLiteral("[%1] ").arg(quoi.trimmed());
                } else if (choix < 8) {
                    QCOMPARE(d.PeutAnnuler(), fait > 0);
                    d.Annuler();
                    fait = std::max(0, fait - 1);
                    journal += QStringLiteral("annuler ");
                } else {
                    QCOMPARE(d.PeutRetablir(), fait + 1 < etats.size());
                    d.Retablir();
                    fait = std::min(int(etats.size()) - 1, fait + 1);
                    journal += QStringLiteral("rétablir ");
                }
                const QByteArray attendu = etats.at(fait);
                QVERIFY2(f.Octets() == attendu,
                         qPrintable(QStringLiteral("graine %1 : %2").arg(graine).arg(journal)));
                TFichierTav relu;
                QVERIFY(relu.Restaurer(attendu));
                QVERIFY2(Moyennes(f) == Moyennes(relu),
                         qPrintable(QStringLiteral("graine %1 : %2").arg(graine).arg(journal)));
                // The example is as on disk only with every step undone.
                QVERIFY2(f.EstModifie() == (fait != 0),
                         qPrintable(QStringLiteral("graine %1 : %2").arg(graine).arg(journal)));
            }
            // Back to the start, then forward to the end.
            while (d.PeutAnnuler())
                d.Annuler();
            QVERIFY(f.Octets() == etats.first());
            QVERIFY(!f.EstModifie());
            while (d.PeutRetablir())
                d.Retablir();
            QVERIFY(f.Octets() == etats.last());
        }
    }

    // Saving marks the clean state; undoing past it makes the class modified again; a step made
    // after undoing forgets the steps undone.
    void enregistrementEtEtatPropre() {
        QTemporaryDir dossier;
        const QString chemin = dossier.filePath(QStringLiteral("c.tav"));
        QVERIFY(QFile::copy(Exemple(), chemin));
        TDocumentClasse d(std::make_unique<TFichierTav>(chemin), chemin);
        TFichierTav& f = d.Fichier();
        QSignalSpy modifie(&d, &TDocumentClasse::modifieChange);
        f.ModifierNote(1, 1, QStringLiteral("3"), 1);
        d.TerminerEtape();
        QVERIFY(d.Enregistrer(chemin));
        f.ModifierNote(1, 1, QStringLiteral("4"), 1);
        d.TerminerEtape();
        QVERIFY(f.EstModifie());
        d.Annuler();
        QVERIFY(!f.EstModifie()); // as saved
        QCOMPARE(modifie.last().at(0).toBool(), false);
        d.Annuler();
        QVERIFY(f.EstModifie());
        QCOMPARE(f.Octets(), TFichierTav(Exemple()).Octets());
        f.ModifierPointsPlusMoins(1, 1, QStringLiteral("1"));
        d.TerminerEtape();
        QVERIFY(!d.PeutRetablir());
        // The saved state is out of reach now: only a save makes the class unmodified.
        d.Annuler();
        QVERIFY(f.EstModifie());
    }

    void limites() {
        TDocumentClasse d(std::make_unique<TFichierTav>(Exemple()), Exemple());
        TFichierTav& f = d.Fichier();
        const QByteArray depart = f.Octets();
        for (int k = 0; k < TDocumentClasse::MaxEtapes + 20; ++k) {
            f.ModifierNote(1, 1, QString::number(k % 20), 2);
            d.TerminerEtape();
        }
        QCOMPARE(d.NombreEtapes(), TDocumentClasse::MaxEtapes);
        while (d.PeutAnnuler())
            d.Annuler();
        // The oldest steps are gone: the start is out of reach, and the class stays modified.
        QVERIFY(f.Octets() != depart);
        QCOMPARE(f.Note(1, 1, 2), QString::number(19 % 20));
        QVERIFY(f.EstModifie());
    }

    // The keystrokes of one appreciation make one step; another field starts another one.
    void uneAppreciationParChamp() {
        TDocumentClasse d(std::make_unique<TFichierTav>(Exemple()), Exemple());
        TFichierTav& f = d.Fichier();
        const QString avant = f.Appreciation(1, 2, 1);
        for (const QString& texte : {QStringLiteral("B"), QStringLiteral("Bi"),
                                     QStringLiteral("Bie"), QStringLiteral("Bien")}) {
            f.ModifierAppreciation(1, 2, 1, texte);
            d.TerminerEtape();
        }
        f.ModifierAppreciation(1, 3, 1, QStringLiteral("Passable"));
        d.TerminerEtape();
        QCOMPARE(d.NombreEtapes(), 2);
        d.Annuler();
        QCOMPARE(f.Appreciation(1, 2, 1), QStringLiteral("Bien"));
        d.Annuler();
        QCOMPARE(f.Appreciation(1, 2, 1), avant);
        QVERIFY(!f.EstModifie());
    }

    void nomsDesEtapes_data() {
        QTest::addColumn<int>("cas");
        QTest::addColumn<QString>("nom");
        QTest::newRow("une note") << 0 << QStringLiteral("la saisie de la note de %1");
        QTest::newRow("une colonne")
            << 1 << QStringLiteral("la modification des notes de la série « %2 »");
        QTest::newRow("élève") << 2 << QStringLiteral("la suppression de l'élève « %1 »");
        QTest::newRow("série") << 3 << QStringLiteral("la suppression de la série « %2 »");
        QTest::newRow("nommée") << 5 << QStringLiteral("la suppression de deux séries");
        QTest::newRow("liste") << 6 << QStringLiteral("la modification de la liste des élèves");
        QTest::newRow("points") << 4 << QStringLiteral("la modification des points de %1");
    }
    void nomsDesEtapes() {
        QFETCH(int, cas);
        QFETCH(QString, nom);
        TDocumentClasse d(std::make_unique<TFichierTav>(Exemple()), Exemple());
        TFichierTav& f = d.Fichier();
        const QString eleve = f.NomEleve(2), serie = f.Intitule(1, 1);
        switch (cas) {
        case 0:
            f.ModifierNote(1, 1, QStringLiteral("1"), 2);
            break;
        case 1:
            for (int s = 1; s <= 3; ++s)
                f.ModifierNote(1, 1, QStringLiteral("1"), s);
            break;
        case 2:
            f.ModifierNote(1, 1, QStringLiteral("1"), 3);
            f.SupprimerEleve(2);
            break;
        case 3:
            f.SupprimerSerie(1, 1);
            break;
        case 5:
            d.NommerEtape(QStringLiteral("la suppression de deux séries"));
            f.SupprimerSerie(1, 1);
            f.SupprimerSerie(1, 1);
            break;
        case 6:
            f.SupprimerEleve(2);
            f.SupprimerEleve(2);
            break;
        case 4:
            f.ModifierPointsPlusMoins(1, 2, QStringLiteral("+1"));
            break;
        }
        nom.replace(QStringLiteral("%1"), eleve).replace(QStringLiteral("%2"), serie);
        QCOMPARE(d.EtapeAAnnuler(), nom);
        d.TerminerEtape();
        d.Annuler();
        QCOMPARE(d.EtapeARetablir(), nom);
    }
};

QTEST_GUILESS_MAIN(TestHistorique)
#include "tst_historique.moc"
