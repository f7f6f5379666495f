// Every average, per-type, written/oral and annual result of randomised
// classes compared with a plain reference computed from the texts, also right
// after each kind of change to a class whose results were all computed just
// before: a number kept from an older text would show there.
#include "classe_calculs.h"
#include "tavX_nombres.h"
#include "tavtest_ecrivain.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <functional>

using namespace TavCalc;
using namespace Tav;

namespace {

// --- The reference: the rules applied to the texts, one value at a time ---

long double Lire(const QString& texte, bool* ok) {
    long double v = 0;
    *ok = LireNombre(texte, v);
    return v;
}

// Σ(x·c) / Σ(m·c) × S over the counted series of p (of the year when p is 0)
// that `garder` keeps; a series whose terms overflow is left out.
QString Ponderee(const TFichierTav& f, int p, int s,
                 const std::function<bool(int q, int j)>& garder) {
    long double w = 0, m = 0;
    for (int q = 1; q <= f.NombrePeriodes(); ++q) {
        if (p != 0 && q != p) continue;
        for (int j = 1; j <= f.NombreSeries(q); ++j) {
            if (f.CompteDansMoyenne(q, j) != QLatin1String("oui") || !garder(q, j)) continue;
            bool okC, okM, okX;
            const long double c = Lire(f.Coefficient(q, j), &okC);
            const long double sur = Lire(f.NoteSur(q, j), &okM);
            const long double x = Lire(f.Note(q, j, s), &okX);
            if (!okC || !okM || !okX) continue;
            const long double w2 = w + x * c, m2 = m + sur * c;
            if (!std::isfinite(w2) || !std::isfinite(m2)) continue;
            w = w2;
            m = m2;
        }
    }
    return m == 0 ? QString() : FormaterFixe(f.MoyennesSur() * w / m, 2);
}

// The mean of the texts that are numbers, 2 decimals; empty without any.
QString Moyenne(const QStringList& textes) {
    long double somme = 0;
    int n = 0;
    for (const QString& t : textes) {
        bool ok;
        const long double v = Lire(t, &ok);
        if (ok) somme += v, ++n;
    }
    return n ? FormaterFixe(somme / n, 2) : QString();
}

QString Brute(const TFichierTav& f, int p, int s) {
    return Ponderee(f, p, s, [](int, int) { return true; });
}

QString ParType(const TFichierTav& f, const QString& type, int p, int s) {
    return Ponderee(f, p, s, [&](int q, int j) {
        return TFichierTav::MemeTypeDeNotes(f.TypeNotes(q, j), type);
    });
}

QString Genre(const TFichierTav& f, const QString& genre, int p, int s) {
    return Ponderee(f, p, s, [&](int q, int j) { return f.OralEcrit(q, j) == genre; });
}

QString Bulletin(TFichierTav& f, int p, int s, int mode) {
    const QString a = TFichierTav::ArrondirMoyenne(Brute(f, p, s), mode);
    bool okA, okB;
    const long double va = Lire(a, &okA);
    const long double vb = Lire(f.PointsPlusMoins(p, s), &okB);
    return okA && okB ? FormaterFixe(va + vb, 2) : a;
}

QString Annuelle(TFichierTav& f, int s, int modePeriode, int modeAnnuel, int typeAnnuel) {
    if (typeAnnuel == 1)
        return TFichierTav::ArrondirMoyenne(Ponderee(f, 0, s, [](int, int) { return true; }),
                                            modeAnnuel);
    QStringList periodes;
    for (int q = 1; q <= f.NombrePeriodes(); ++q)
        periodes.append(Bulletin(f, q, s, modePeriode));
    return TFichierTav::ArrondirMoyenne(Moyenne(periodes), modeAnnuel);
}

QString AnnuelleGenre(const TFichierTav& f, const QString& genre, int s, int mode) {
    QStringList periodes;
    for (int q = 1; q <= f.NombrePeriodes(); ++q)
        periodes.append(TFichierTav::ArrondirMoyenne(Genre(f, genre, q, s), mode));
    return TFichierTav::ArrondirMoyenne(Moyenne(periodes), mode);
}

QString AnnuelleParType(const TFichierTav& f, const QString& type, int s) {
    QStringList periodes;
    for (int q = 1; q <= f.NombrePeriodes(); ++q)
        periodes.append(ParType(f, type, q, s));
    return Moyenne(periodes);
}

// Minimum, maximum, mean, count and the two shares of a series.
QStringList Statistiques(const TFichierTav& f, int p, int j) {
    bool okM;
    const long double m = Lire(f.NoteSur(p, j), &okM);
    QList<long double> notes;
    for (int s = 1; s <= f.NombreEleves(); ++s) {
        bool ok;
        const long double x = Lire(f.Note(p, j, s), &ok);
        if (ok) notes.append(x);
    }
    if (notes.isEmpty()) return {QString(), QString(), QString(), QStringLiteral("0")};
    long double minimum = okM ? m : INFINITY, maximum = 0, somme = 0;
    int sousMoitie = 0;
    for (const long double x : notes) {
        if (!(x >= minimum)) minimum = x;
        if (x > maximum) maximum = x;
        somme += x;
        if (okM && x < m / 2) ++sousMoitie;
    }
    const QString moyenne = FormaterFixe(somme / notes.size(), 2);
    bool ok;
    const long double seuil = Lire(moyenne, &ok);
    int sousClasse = 0;
    for (const long double x : notes)
        if (x < seuil) ++sousClasse;
    const auto part = [&](int k) {
        return FormaterFixe(static_cast<long double>(k) / notes.size() * 100, 2, " %");
    };
    return {FormaterGeneral(minimum),      FormaterGeneral(maximum),           moyenne,
            FormaterGeneral(notes.size()), okM ? part(sousMoitie) : QString(), part(sousClasse)};
}

QStringList StatistiquesCalculees(const TFichierTav& f, int p, int j) {
    QStringList l{f.MinimumSerie(p, j), f.MaximumSerie(p, j), f.MoyenneSerie(p, j),
                  f.NombreNotesSerie(p, j)};
    if (!l.at(0).isEmpty())
        l << f.PourcentageSousMoyenne(p, j) << f.PourcentageSousMoyenneClasse(p, j);
    return l;
}

// The types asked for: those of the year and of each period, a variant in
// another letter case and one that no series uses.
QStringList TypesDemandes(const TFichierTav& f) {
    QStringList types = f.TypesDeNotes(0);
    for (int p = 1; p <= f.NombrePeriodes(); ++p)
        for (const QString& t : f.TypesDeNotes(p))
            if (!types.contains(t)) types.append(t);
    if (!types.isEmpty()) types.append(types.first().toUpper());
    types.append(QStringLiteral("Aucune série"));
    return types;
}

// Every result the class shows, asked in one order.
void ToutCalculer(TFichierTav& f) {
    const QStringList types = TypesDemandes(f);
    for (int p = 1; p <= f.NombrePeriodes(); ++p) {
        for (int s = 1; s <= f.NombreEleves(); ++s) {
            f.MoyenneBrute(p, s), f.MoyenneEcrit(p, s), f.MoyenneOral(p, s);
            for (const QString& t : types)
                f.MoyenneParType(t, p, s);
        }
        for (int j = 1; j <= f.NombreSeries(p); ++j)
            StatistiquesCalculees(f, p, j);
    }
    for (int s = 1; s <= f.NombreEleves(); ++s) {
        f.MoyenneAnnuelle(s, 0, 0, 0), f.MoyenneAnnuelle(s, 0, 0, 1);
        f.MoyenneAnnuelleEcrit(s, 0), f.MoyenneAnnuelleOral(s, 0);
        for (const QString& t : types)
            f.MoyenneAnnuelleParType(t, s);
    }
}

// Compares every result with the reference; the first difference fails.
void ComparerALaReference(TFichierTav& f, const QByteArray& contexte) {
    const QStringList types = TypesDemandes(f);
    const auto egal = [&](const QString& obtenu, const QString& attendu, const QString& quoi) {
        if (obtenu == attendu) return true;
        qWarning("%s: %s gives \"%s\", expected \"%s\"", contexte.constData(), qPrintable(quoi),
                 qPrintable(obtenu), qPrintable(attendu));
        return false;
    };
    for (int p = 1; p <= f.NombrePeriodes(); ++p) {
        for (int s = 1; s <= f.NombreEleves(); ++s) {
            const QString ou = QStringLiteral("(p%1, s%2)").arg(p).arg(s);
            QVERIFY(egal(f.MoyenneBrute(p, s), Brute(f, p, s), QStringLiteral("brute ") + ou));
            QVERIFY(egal(f.MoyenneEcrit(p, s), Genre(f, QStringLiteral("Ecrit"), p, s),
                         QStringLiteral("écrit ") + ou));
            QVERIFY(egal(f.MoyenneOral(p, s), Genre(f, QStringLiteral("Oral"), p, s),
                         QStringLiteral("oral ") + ou));
            for (const QString& t : types)
                QVERIFY(egal(f.MoyenneParType(t, p, s), ParType(f, t, p, s),
                             QStringLiteral("type « %1 » ").arg(t) + ou));
            for (int mode = PasArrondi; mode <= ArrondiBrevet; ++mode) {
                QVERIFY(egal(f.MoyenneBulletin(p, s, mode), Bulletin(f, p, s, mode),
                             QStringLiteral("bulletin %1 ").arg(mode) + ou));
                QVERIFY(egal(
                    f.MoyenneEcritArrondie(p, s, mode),
                    TFichierTav::ArrondirMoyenne(Genre(f, QStringLiteral("Ecrit"), p, s), mode),
                    QStringLiteral("écrit arrondie %1 ").arg(mode) + ou));
            }
        }
        for (int j = 1; j <= f.NombreSeries(p); ++j)
            QCOMPARE(StatistiquesCalculees(f, p, j), Statistiques(f, p, j));
    }
    for (int s = 1; s <= f.NombreEleves(); ++s) {
        const QString ou = QStringLiteral("(s%1)").arg(s);
        for (int mode = PasArrondi; mode <= ArrondiBrevet; ++mode) {
            for (int type = 0; type <= 1; ++type)
                QVERIFY(egal(f.MoyenneAnnuelle(s, mode, (mode + 1) % 5, type),
                             Annuelle(f, s, mode, (mode + 1) % 5, type),
                             QStringLiteral("annuelle %1 type %2 ").arg(mode).arg(type) + ou));
            QVERIFY(egal(f.MoyenneAnnuelleEcrit(s, mode),
                         AnnuelleGenre(f, QStringLiteral("Ecrit"), s, mode),
                         QStringLiteral("annuelle écrit %1 ").arg(mode) + ou));
            QVERIFY(egal(f.MoyenneAnnuelleOral(s, mode),
                         AnnuelleGenre(f, QStringLiteral("Oral"), s, mode),
                         QStringLiteral("annuelle oral %1 ").arg(mode) + ou));
        }
        for (const QString& t : types)
            QVERIFY(egal(f.MoyenneAnnuelleParType(t, s), AnnuelleParType(f, t, s),
                         QStringLiteral("annuelle type « %1 » ").arg(t) + ou));
    }
}

// --- Randomised classes ---

QString Choisir(QRandomGenerator& g, const QStringList& l) {
    return l.at(int(g.bounded(int(l.size()))));
}

QString NoteAuHasard(QRandomGenerator& g) {
    switch (g.bounded(12)) {
    case 0:
        return QStringLiteral("abs");
    case 1:
        return QString();
    case 2:
        return QStringLiteral("12.5"); // a point: not a number
    case 3:
        return QStringLiteral("-%1").arg(g.bounded(3));
    case 4: // three decimals
        return QStringLiteral("%1,%2").arg(g.bounded(21)).arg(g.bounded(1000), 3, 10, QChar('0'));
    default:
        return QStringLiteral("%1,%2").arg(g.bounded(21)).arg(g.bounded(100), 2, 10, QChar('0'));
    }
}

std::unique_ptr<TFichierTav> ClasseAuHasard(quint32 graine) {
    QRandomGenerator g(graine);
    QStringList noms;
    const int N = 3 + int(g.bounded(12));
    for (int s = 0; s < N; ++s)
        noms.append(QStringLiteral("Élève %1").arg(QChar(u'A' + s)));
    auto f = Classe(noms);
    const QStringList types{QStringLiteral("Contrôle en classe"),
                            QStringLiteral("contrôle en classe"),
                            QStringLiteral("Devoir à la maison"),
                            QStringLiteral("Oral"),
                            QStringLiteral("Test"),
                            QString()};
    const int S = 6 + int(g.bounded(24));
    for (int i = 0; i < S; ++i) {
        Serie d;
        d.type = Choisir(g, types);
        d.oral = g.bounded(3) == 0;
        d.compte = Choisir(g, {QStringLiteral("oui"), QStringLiteral("oui"), QStringLiteral("oui"),
                               QStringLiteral("non"), QStringLiteral("Oui")});
        d.coefficient = Choisir(g, {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("0,5"),
                                    QStringLiteral("0"), QStringLiteral("x"),
                                    // huge weights: then terms that overflow are left out
                                    QStringLiteral("1e3000"), QStringLiteral("1e4931")});
        d.noteSur = Choisir(g, {QStringLiteral("20"), QStringLiteral("10"), QStringLiteral("5"),
                                QStringLiteral("12,5"), QStringLiteral("vingt")});
        QStringList notes;
        for (int s = 0; s < N; ++s)
            notes.append(NoteAuHasard(g));
        AjouterSerie(*f, 1 + int(g.bounded(3)), notes, d);
    }
    for (int p = 1; p <= 3; ++p)
        for (int s = 1; s <= N; ++s)
            f->ModifierPointsPlusMoins(p, s,
                                       Choisir(g, {QString(), QStringLiteral("1"),
                                                   QStringLiteral("-0,5"), QStringLiteral("1.5")}));
    // Two more series in the second period, the last one of its own type:
    // the changes below act on them.
    AjouterSerie(*f, 2, QStringList(N, QStringLiteral("8")), Sur(QStringLiteral("10")));
    Serie d;
    d.type = QStringLiteral("Travaux pratiques");
    AjouterSerie(*f, 2, QStringList(N, QStringLiteral("10")), d);
    return f;
}

using Changement = std::function<void(std::unique_ptr<TFichierTav>&)>;

// The last series of period 2 (the "Travaux pratiques" one).
int Derniere(const TFichierTav& f) {
    return f.NombreSeries(2);
}

} // namespace

Q_DECLARE_METATYPE(Changement)

class TestReferences : public QObject {
    Q_OBJECT

    std::unique_ptr<TavTest::ReglagesPrives> reglages;

private slots:
    void init() { reglages = std::make_unique<TavTest::ReglagesPrives>(); }
    void cleanup() { reglages.reset(); }

    void classesAuHasard_commeLaReference() {
        for (quint32 graine = 1; graine <= 12; ++graine) {
            auto f = ClasseAuHasard(graine);
            f->ImposerMoyennesSur(graine % 3 == 0 ? 17 : 0);
            ComparerALaReference(*f, "graine " + QByteArray::number(graine));
            if (QTest::currentTestFailed()) return;
        }
    }

    // Each way of changing a class, after every result has been computed.
    void changements_lesResultatsSuivent_data() {
        QTest::addColumn<Changement>("changement");
        const auto ligne = [](const char* nom, Changement c) { QTest::newRow(nom) << c; };
        ligne("ModifierNote", [](auto& f) { f->ModifierNote(2, Derniere(*f), "17,25", 2); });
        ligne("ModifierCellule d'une note",
              [](auto& f) { f->ModifierCellule(2, Derniere(*f), 1, QStringLiteral("3")); });
        ligne("collage d'une colonne", [](auto& f) {
            for (int s = 1; s <= f->NombreEleves(); ++s)
                f->ModifierNote(2, Derniere(*f), QString::number(s % 20), s);
        });
        ligne("décalage vers le bas", [](auto& f) {
            const int j = Derniere(*f);
            for (int s = f->NombreEleves(); s > 1; --s)
                f->ModifierNote(2, j, f->Note(2, j, s - 1), s);
            f->ModifierNote(2, j, QString(), 1);
        });
        ligne("note devenue absente",
              [](auto& f) { f->ModifierNote(2, Derniere(*f), QStringLiteral("abs"), 1); });
        ligne("ModifierNoteSur", [](auto& f) { f->ModifierNoteSur(2, Derniere(*f), "40"); });
        ligne("ModifierCoefficient", [](auto& f) { f->ModifierCoefficient(2, Derniere(*f), "3"); });
        ligne("ModifierCompteDansMoyenne",
              [](auto& f) { f->ModifierCompteDansMoyenne(2, Derniere(*f), "non"); });
        ligne("ModifierTypeNotes", [](auto& f) {
            f->ModifierTypeNotes(2, Derniere(*f), QStringLiteral("CONTRÔLE EN CLASSE"));
        });
        ligne("ModifierOral", [](auto& f) { f->ModifierOral(2, Derniere(*f), true); });
        ligne("DeplacerSerie", [](auto& f) { f->DeplacerSerie(2, Derniere(*f), 3); });
        ligne("MonterSerie", [](auto& f) { f->MonterSerie(2, Derniere(*f)); });
        ligne("DescendreSerie", [](auto& f) { f->DescendreSerie(2, 1); });
        ligne("SupprimerSerie",
              [](auto& f) { f->SupprimerSerie(2, f->IndiceColonne(2, Derniere(*f)) + 1); });
        ligne("AjouterSerie", [](auto& f) {
            AjouterSerie(*f, 1, QStringList(f->NombreEleves(), QStringLiteral("2")), Sur("4"));
        });
        ligne("AjouterEleve", [](auto& f) { f->AjouterEleve("Aaron", QString(), false); });
        ligne("SupprimerEleve", [](auto& f) { f->SupprimerEleve(1); });
        ligne("ModifierEleve", [](auto& f) { f->ModifierEleve(1, "Zoé", false, QString()); });
        ligne("ModifierListeEleves", [](auto& f) {
            QStringList noms = f->ListeEleves();
            noms.removeAt(1);
            noms.append(QStringLiteral("Nouvel élève"));
            f->ModifierListeEleves(noms);
        });
        ligne("ModifierPointsPlusMoins", [](auto& f) { f->ModifierPointsPlusMoins(1, 1, "2"); });
        ligne("ImposerMoyennesSur", [](auto& f) { f->ImposerMoyennesSur(10); });
        ligne("enregistrée puis chargée", [](auto& f) {
            QTemporaryDir dossier;
            const QString nom = dossier.filePath(QStringLiteral("classe.tav"));
            f->ModifierNote(2, Derniere(*f), "19", 3);
            f->Enregistrer(nom);
            f = std::make_unique<TFichierTav>(nom, true);
            QVERIFY(f->EstValide());
        });
    }
    void changements_lesResultatsSuivent() {
        QFETCH(Changement, changement);
        for (quint32 graine = 21; graine <= 24; ++graine) {
            auto f = ClasseAuHasard(graine);
            ToutCalculer(*f);
            changement(f);
            ComparerALaReference(*f, QTest::currentDataTag());
            if (QTest::currentTestFailed()) return;
        }
    }
};

QTEST_GUILESS_MAIN(TestReferences)
#include "tst_references.moc"
