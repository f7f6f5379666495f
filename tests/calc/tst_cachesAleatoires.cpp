// Cached calculations under random edits: two open classes, generated files, then random
// changes of marks, coefficients, counts in the average, maxima, points, series, students and of
// the scale and roundings (through the settings, as the options dialog or a grid's menu change
// them). After every step each calculation of each class must equal that of the same class
// saved and loaded again, which starts with empty caches. A stale cache shows as a difference.
//
// A failure prints the seed and the steps; TAV_GRAINE=<seed> replays one seed alone.
#include "tavX_fichierTav.h"
#include "tavX_options.h"
#include "tavX_reglages.h"
#include "tavtest_ecrivain.h"

#include <QtTest>

#include <memory>
#include <random>

namespace {

using Alea = std::mt19937;

int Entre(Alea& alea, int min, int max) {
    return std::uniform_int_distribution<int>(min, max)(alea);
}

template <typename T> const T& Parmi(Alea& alea, const QList<T>& liste) {
    return liste.at(Entre(alea, 0, int(liste.size()) - 1));
}

const QStringList Notes = {QStringLiteral("12"),    QStringLiteral("7,5"),  QStringLiteral("abs"),
                           QStringLiteral(""),      QStringLiteral("20"),   QStringLiteral("0"),
                           QStringLiteral("15,25"), QStringLiteral("9,99"), QStringLiteral("18,5"),
                           QStringLiteral("3"),     QStringLiteral("x"),    QStringLiteral("11,1"),
                           QStringLiteral("25"),    QStringLiteral("-2"),   QStringLiteral("10")};
const QStringList Coefficients = {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("0,5"),
                                  QStringLiteral("3"), QStringLiteral("0"), QStringLiteral("")};
const QStringList Maxima = {QStringLiteral("20"), QStringLiteral("10"), QStringLiteral("40"),
                            QStringLiteral("5"), QStringLiteral("100")};
const QStringList Points = {QStringLiteral(""),    QStringLiteral("1"),  QStringLiteral("-1"),
                            QStringLiteral("0,5"), QStringLiteral("-2"), QStringLiteral("1,5")};
const QStringList Types = {QStringLiteral("Contrôle en classe"), QStringLiteral("Oral"),
                           QStringLiteral("Devoir à la maison"),
                           QStringLiteral("contrôle en classe"), QStringLiteral("Test en classe")};
const QStringList Prenoms = {QStringLiteral("Abel"),  QStringLiteral("Zoé"),
                             QStringLiteral("Émile"), QStringLiteral("Chloé"),
                             QStringLiteral("Bruno"), QStringLiteral("Yanis"),
                             QStringLiteral("Inès"),  QStringLiteral("Lucas"),
                             QStringLiteral("Manon"), QStringLiteral("Hugo")};
const QList<int> Echelles = {20, 10, 100, 7};

// A generated class: 2 to 5 students, 0 to 3 series in each of the three trimesters.
TavTest::Classe ClasseAuHasard(Alea& alea, const QString& nom) {
    TavTest::Classe c;
    c.nomClasse = nom;
    QStringList noms = Prenoms;
    std::shuffle(noms.begin(), noms.end(), alea);
    const int N = Entre(alea, 2, 5);
    for (int s = 0; s < N; ++s)
        c.eleves.append(
            {noms.at(s) + QStringLiteral(" ") + nom, QString(), QStringLiteral("1"), QString()});
    for (int p = 1; p <= c.P(); ++p) {
        for (int j = Entre(alea, 0, 3); j > 0; --j) {
            TavTest::Serie serie;
            serie.periode = p;
            serie.intitule = QStringLiteral("S%1.%2").arg(p).arg(j);
            for (int s = 0; s < N; ++s)
                serie.notes.append(Parmi(alea, Notes));
            serie.noteSur = Parmi(alea, Maxima);
            serie.coefficient = Parmi(alea, Coefficients);
            serie.compteDansMoyenne =
                Entre(alea, 0, 4) ? QStringLiteral("oui") : QStringLiteral("non");
            serie.typeNotes = Parmi(alea, Types);
            serie.oralEcrit = Entre(alea, 0, 2) ? QStringLiteral("Ecrit") : QStringLiteral("Oral");
            c.series.append(serie);
        }
    }
    for (int i = 0; i < c.P() * N; ++i)
        c.points.append(Entre(alea, 0, 3) ? QString() : Parmi(alea, Points));
    return c;
}

// Every calculation the grids, summaries and printouts show, with the current settings.
QStringList Calculs(const TFichierTav& f) {
    const int mode = Options::ArrondirMoyennes();
    const int modeAnnuel = Options::ArrondirMoyennesAnnuelles();
    const int typeAnnuel = Options::TypeMoyennesAnnuelles();
    QStringList l;
    auto ajouter = [&l](const QString& quoi, const QString& valeur) {
        l.append(quoi + QStringLiteral(" = ") + valeur);
    };
    for (int p = 1; p <= f.NombrePeriodes(); ++p) {
        const QString P = QStringLiteral("p%1").arg(p);
        const QStringList types = f.TypesDeNotes(p);
        for (int s = 1; s <= f.NombreEleves(); ++s) {
            const QString S = P + QStringLiteral(" ") + f.NomEleve(s);
            ajouter(S + QStringLiteral(" brute"), f.MoyenneBrute(p, s));
            ajouter(S + QStringLiteral(" arrondie"), f.MoyenneArrondie(p, s, mode));
            ajouter(S + QStringLiteral(" bulletin"), f.MoyenneBulletin(p, s, mode));
            ajouter(S + QStringLiteral(" écrit"), f.MoyenneEcritArrondie(p, s, mode));
            ajouter(S + QStringLiteral(" oral"), f.MoyenneOralArrondie(p, s, mode));
            for (const QString& type : types)
                ajouter(S + QStringLiteral(" type ") + type, f.MoyenneParType(type, p, s));
            ajouter(S + QStringLiteral(" plus basse"), f.NoteLaPlusBasse(p, s));
            ajouter(S + QStringLiteral(" plus haute"), f.NoteLaPlusHaute(p, s));
        }
        for (int j = 1; j <= f.NombreSeries(p); ++j)
            for (int k = 1; k <= 7; ++k)
                ajouter(P + QStringLiteral(" série %1 statistique %2").arg(j).arg(k),
                        f.StatistiqueSerie(p, j, k));
        ajouter(P + QStringLiteral(" livret"), f.PourcentageLivretInf8(p) + QLatin1Char(' ') +
                                                   f.PourcentageLivret8a12(p) + QLatin1Char(' ') +
                                                   f.PourcentageLivretSup12(p));
        ajouter(P + QStringLiteral(" classement"),
                f.Classement(p, 1, typeAnnuel, modeAnnuel, mode).join(QLatin1Char('|')));
    }
    const QStringList typesAnnee = f.TypesDeNotes(0);
    for (int s = 1; s <= f.NombreEleves(); ++s) {
        const QString S = QStringLiteral("année ") + f.NomEleve(s);
        ajouter(S, f.MoyenneAnnuelle(s, mode, modeAnnuel, typeAnnuel));
        ajouter(S + QStringLiteral(" écrit"), f.MoyenneAnnuelleEcrit(s, modeAnnuel));
        ajouter(S + QStringLiteral(" oral"), f.MoyenneAnnuelleOral(s, modeAnnuel));
        for (const QString& type : typesAnnee)
            ajouter(S + QStringLiteral(" type ") + type, f.MoyenneAnnuelleParType(type, s));
    }
    ajouter(QStringLiteral("année classement"),
            f.Classement(0, 0, typeAnnuel, modeAnnuel, mode).join(QLatin1Char('|')));
    return l;
}

// One random edit of a class, or of a setting shared by both; returns what it did.
QString Modifier(Alea& alea, TFichierTav& f) {
    const int p = Entre(alea, 1, f.NombrePeriodes());
    const int S = f.NombreSeries(p);
    const int N = f.NombreEleves();
    const int j = S > 0 ? Entre(alea, 1, S) : 0;
    const int s = N > 0 ? Entre(alea, 1, N) : 0;
    const QString ou = QStringLiteral("(p%1 j%2 s%3)").arg(p).arg(j).arg(s);
    switch (Entre(alea, 0, 19)) {
    case 0:
    case 1:
    case 2:
        if (!j || !s) break;
        {
            const QString note = Parmi(alea, Notes);
            f.ModifierNote(p, j, note, s);
            return QStringLiteral("note %1 %2").arg(note, ou);
        }
    case 3:
        if (!j) break;
        {
            const QString c = Parmi(alea, Coefficients);
            f.ModifierCoefficient(p, j, c);
            return QStringLiteral("coefficient %1 %2").arg(c, ou);
        }
    case 4:
        if (!j) break;
        {
            const QString compte = f.CompteDansMoyenne(p, j) == QLatin1String("oui")
                                       ? QStringLiteral("non")
                                       : QStringLiteral("oui");
            f.ModifierCompteDansMoyenne(p, j, compte);
            return QStringLiteral("compte dans la moyenne %1 %2").arg(compte, ou);
        }
    case 5:
        if (!j) break;
        {
            const QString sur = Parmi(alea, Maxima);
            f.ModifierNoteSur(p, j, sur);
            return QStringLiteral("noté sur %1 %2").arg(sur, ou);
        }
    case 6:
        if (!s) break;
        {
            const QString points = Parmi(alea, Points);
            f.ModifierPointsPlusMoins(p, s, points);
            return QStringLiteral("points %1 %2").arg(points, ou);
        }
    case 7:
        if (!j) break;
        {
            const QString type = Parmi(alea, Types);
            f.ModifierTypeNotes(p, j, type);
            return QStringLiteral("type %1 %2").arg(type, ou);
        }
    case 8:
        if (!j) break;
        {
            const bool oral = f.OralEcrit(p, j) != QLatin1String("Oral");
            f.ModifierOral(p, j, oral);
            return QStringLiteral("oral %1 %2").arg(oral).arg(ou);
        }
    case 9: {
        if (f.NombreSeriesAnnee() >= 12) break;
        f.AjouterSerie(p, QStringLiteral("Nouvelle"), Entre(alea, 0, 3) == 0, Parmi(alea, Types),
                       QString(), QString(), QStringLiteral("oui"), Parmi(alea, Coefficients),
                       Parmi(alea, Maxima));
        const int nouvelle = f.NombreSeries(p);
        for (int e = 1; e <= N; ++e)
            if (Entre(alea, 0, 3)) f.ModifierNote(p, nouvelle, Parmi(alea, Notes), e);
        return QStringLiteral("série ajoutée %1").arg(ou);
    }
    case 10:
        if (!j) break;
        f.SupprimerSerie(p, f.IndiceColonne(p, j) + 1);
        return QStringLiteral("série supprimée %1").arg(ou);
    case 11: {
        if (!j) break;
        const int p2 = Entre(alea, 1, f.NombrePeriodes());
        f.DeplacerSerie(p, j, p2);
        return QStringLiteral("série déplacée vers p%1 %2").arg(p2).arg(ou);
    }
    case 12:
        if (j < 2) break;
        f.MonterSerie(p, j);
        return QStringLiteral("série montée %1").arg(ou);
    case 18:
        if (!j || j == S) break;
        f.DescendreSerie(p, j);
        return QStringLiteral("série descendue %1").arg(ou);
    case 19: {
        // A scale imposed on this class only (0 follows the setting again).
        const int sur = Parmi(alea, QList<int>{0, 0, 10, 30});
        f.ImposerMoyennesSur(sur);
        return QStringLiteral("échelle imposée %1").arg(sur);
    }
    case 13: {
        if (N >= 7) break;
        const QString nom = Parmi(alea, Prenoms) + QStringLiteral(" %1").arg(Entre(alea, 1, 99));
        f.AjouterEleve(nom, QString(), false);
        for (int q = 1; q <= f.NombrePeriodes(); ++q)
            for (int k = 1; k <= f.NombreSeries(q); ++k)
                if (Entre(alea, 0, 1)) {
                    // The new student is wherever the sorting put him.
                    const int e = int(f.ListeEleves().indexOf(nom)) + 1;
                    if (e >= 1) f.ModifierNote(q, k, Parmi(alea, Notes), e);
                }
        return QStringLiteral("élève ajouté %1 %2").arg(nom, ou);
    }
    case 14:
        if (N <= 1) break;
        f.SupprimerEleve(s);
        return QStringLiteral("élève supprimé %1").arg(ou);
    case 15:
        if (!s) break;
        {
            const QString nom =
                Parmi(alea, Prenoms) + QStringLiteral(" r%1").arg(Entre(alea, 1, 99));
            f.ModifierEleve(s, nom, false, QString());
            return QStringLiteral("élève renommé %1 %2").arg(nom, ou);
        }
    case 16: {
        const int sur = Parmi(alea, Echelles);
        Options::ModifierMoyennesSur(sur);
        return QStringLiteral("réglage moyennesSur %1").arg(sur);
    }
    case 17: {
        switch (Entre(alea, 0, 2)) {
        case 0: {
            const int mode = Entre(alea, 0, 4);
            Options::ModifierArrondirMoyennes(quint8(mode));
            return QStringLiteral("réglage arrondirMoyennes %1").arg(mode);
        }
        case 1: {
            const int mode = Entre(alea, 0, 4);
            Options::ModifierArrondirMoyennesAnnuelles(quint8(mode));
            return QStringLiteral("réglage arrondirMoyennesAnnuelles %1").arg(mode);
        }
        default: {
            const int type = Entre(alea, 0, 1);
            Options::ModifierTypeMoyennesAnnuelles(quint8(type));
            return QStringLiteral("réglage typeMoyennesAnnuelles %1").arg(type);
        }
        }
    }
    }
    return QString(); // nothing fitted this draw
}

} // namespace

class TestCachesAleatoires : public QObject {
    Q_OBJECT

private slots:
    void resultatsCommeApresRechargement_data() {
        QTest::addColumn<unsigned>("graine");
        const QByteArray rejouer = qgetenv("TAV_GRAINE");
        if (!rejouer.isEmpty()) {
            QTest::newRow(rejouer.constData()) << rejouer.toUInt();
            return;
        }
        for (unsigned graine = 1; graine <= 12; ++graine)
            QTest::newRow(qPrintable(QString::number(graine))) << graine;
    }

    void resultatsCommeApresRechargement() {
        QFETCH(unsigned, graine);
        TavTest::ReglagesPrives reglages;
        Options::ModifierFichierBak(false);
        // Saving syncs the disk: in memory when the system offers it, the test runs much faster.
        const QString memoire = QStringLiteral("/dev/shm");
        QTemporaryDir dossier(QFileInfo(memoire).isWritable()
                                  ? memoire + QStringLiteral("/tavelin-XXXXXX")
                                  : QDir::tempPath() + QStringLiteral("/tavelin-XXXXXX"));
        QVERIFY(dossier.isValid());
        Alea alea(graine);

        std::vector<std::unique_ptr<TFichierTav>> classes;
        for (const QString& nom : {QStringLiteral("A"), QStringLiteral("B")}) {
            const QString chemin = dossier.filePath(nom + QStringLiteral(".tav"));
            QVERIFY(
                TavTest::EcrireFichier(chemin, TavTest::FichierActuel(ClasseAuHasard(alea, nom))));
            classes.push_back(std::make_unique<TFichierTav>(chemin));
            QVERIFY2(classes.back()->EstValide(), qPrintable(classes.back()->CauseInvalidite()));
        }
        // As every open sheet does: a setting the calculations read drops the computed values.
        QObject ecouteur;
        connect(&TReglages::Instance(), &TReglages::modifie, &ecouteur, [&](const QString& cle) {
            if (TReglages::Portee(cle) != TReglages::Calculs) return;
            for (auto& f : classes) {
                for (int p = 1; p <= f->NombrePeriodes(); ++p)
                    f->MarquerPeriode(p, true);
                f->InvaliderCalculs();
            }
        });

        QStringList pas;
        for (int etape = 1; etape <= 120; ++etape) {
            TFichierTav& f = *classes.at(Entre(alea, 0, 1));
            const QString fait = Modifier(alea, f);
            if (fait.isEmpty()) continue;
            pas.append(QStringLiteral("%1. %2 : %3").arg(etape).arg(f.Classe(), fait));
            // Every other step or so the caches are left partly filled: one value read.
            if (Entre(alea, 0, 2) == 0) {
                if (f.NombreEleves() > 0) f.MoyenneBrute(1, Entre(alea, 1, f.NombreEleves()));
                continue;
            }
            for (auto& classe : classes) {
                const QStringList avant = Calculs(*classe);
                const QString copie = dossier.filePath(QStringLiteral("relue.tav"));
                classe->Enregistrer(copie);
                TFichierTav relue(copie);
                QVERIFY(relue.EstValide());
                relue.ImposerMoyennesSur(classe->MoyennesSurImposees()); // not kept in the file
                // The class itself first: what was saved is what was edited.
                QCOMPARE(TavTest::Instantane(*classe), TavTest::Instantane(relue));
                const QStringList attendu = Calculs(relue);
                if (avant == attendu) continue;
                QString ecart;
                for (qsizetype i = 0; i < std::max(avant.size(), attendu.size()); ++i)
                    if (avant.value(i) != attendu.value(i)) {
                        ecart = QStringLiteral("classe %1 : « %2 » au lieu de « %3 »")
                                    .arg(classe->Classe(), avant.value(i), attendu.value(i));
                        break;
                    }
                QFAIL(qPrintable(QStringLiteral("graine %1, après :\n").arg(graine) +
                                 pas.join(QLatin1Char('\n')) + QLatin1Char('\n') + ecart));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestCachesAleatoires)
#include "tst_cachesAleatoires.moc"
