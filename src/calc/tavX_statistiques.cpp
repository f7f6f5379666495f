// Statistics of series and of lists, school-record shares, lowest and
// highest marks, ranking.
#include "tavX_calculs_interne.h"

#include "QSort.h"
#include "tavX_codec.h"

#include <algorithm>
#include <vector>

using namespace Tav;
using namespace Tav::Calcul;

namespace {

// Statistic slots of a series (flag k, value k + 7).
enum : int {
    StatMinimum = 1,
    StatMaximum,
    StatEcartType,
    StatMoyenne,
    StatNombre,
    StatSousMoyenne,
    StatSousMoyenneClasse,
};

QString Pourcentage(long double nombre, long double total, bool durable = false) {
    const long double v = nombre / total * 100;
    return durable ? FormaterFixeDurable(v, 2, " %") : FormaterFixe(v, 2, " %");
}

// Population standard deviation √(Σx²/n − (Σx/n)²) with 2 decimals. Equal
// values can leave a tiny negative remainder under the root: that is zero.
QString EcartType(long double somme, long double carres, long double n, bool durable = false) {
    const long double moyenneCarres = carres / n;
    const long double moyenne = somme / n;
    long double variance = moyenneCarres - moyenne * moyenne;
    if (!std::isfinite(variance)) return QString();
    if (variance < 0) {
        if (-variance > 1e-12L * std::max<long double>(1, std::fabs(moyenneCarres)))
            return QString();
        variance = 0;
    }
    const long double ecart = std::sqrt(variance);
    return durable ? FormaterFixeDurable(ecart, 2) : FormaterFixe(ecart, 2);
}

// The number texts of a list.
std::vector<long double> Valeurs(const QStringList& liste) {
    std::vector<long double> valeurs;
    valeurs.reserve(size_t(liste.size()));
    for (const QString& texte : liste) {
        long double v;
        if (LireNombre(texte, v)) valeurs.push_back(v);
    }
    return valeurs;
}

qsizetype NombreSous(const std::vector<long double>& valeurs, long double seuil) {
    return std::count_if(valeurs.begin(), valeurs.end(), [&](long double v) { return v < seuil; });
}

} // namespace

// --- Series statistics -----------------------------------------------------------

QString TFichierTav::StatistiqueSerie(int p, int j, int k) const {
    if (k < StatMinimum || k > StatSousMoyenneClasse)
        throw TErreurIndice(QStringLiteral("statistique %1").arg(k));
    const qsizetype base = qsizetype(SlotsStatistiques) * ColonneVerifiee(p, j);
    if (base + k - 1 >= cacheStatistiques.size() ||
        !MarqueClaire(cacheStatistiques.at(base + k - 1)))
        CalculerStatistiquesSerie(int(base / SlotsStatistiques));
    return cacheStatistiques.at(base + k + NombreStatistiques - 1);
}

// One pass over the marks of the series; each statistic whose mark is set is
// stored and its mark cleared, the others keep their cached value.
void TFichierTav::CalculerStatistiquesSerie(int colonneSerie) const {
    const qsizetype base = qsizetype(SlotsStatistiques) * colonneSerie;
    Remplir(cacheStatistiques, base + SlotsStatistiques);
    const TValeursSerie& valeurs = ValeursSerie(colonneSerie);
    const bool maximumLu = !std::isnan(valeurs.noteSur);
    const int n = valeurs.nombre;
    const long double somme = valeurs.somme, carres = valeurs.carres;
    const long double minimum = valeurs.minimum, maximum = valeurs.maximum;
    const long double sousMoitie = valeurs.sousMoitie;

    const auto perime = [&](int k) { return !MarqueClaire(cacheStatistiques.at(base + k - 1)); };
    const auto ranger = [&](int k, const QString& valeur) {
        cacheStatistiques[base + k + NombreStatistiques - 1] = valeur;
        cacheStatistiques[base + k - 1] = Zero();
    };
    if (perime(StatMinimum)) ranger(StatMinimum, n ? FormaterGeneralDurable(minimum) : QString());
    if (perime(StatMaximum)) ranger(StatMaximum, n ? FormaterGeneralDurable(maximum) : QString());
    if (perime(StatEcartType))
        ranger(StatEcartType, n ? EcartType(somme, carres, n, true) : QString());
    if (perime(StatMoyenne)) ranger(StatMoyenne, n ? FormaterFixeDurable(somme / n, 2) : QString());
    if (perime(StatNombre)) ranger(StatNombre, FormaterGeneralDurable(n));
    if (perime(StatSousMoyenne))
        ranger(StatSousMoyenne, n && maximumLu ? Pourcentage(sousMoitie, n, true) : QString());
    if (perime(StatSousMoyenneClasse)) {
        // Below the mean as shown, that is rounded to 2 decimals.
        long double seuil;
        QString valeur;
        if (n &&
            LireNombre(cacheStatistiques.at(base + StatMoyenne + NombreStatistiques - 1), seuil)) {
            int sous = 0;
            for (const long double x : valeurs.notes)
                if (x < seuil) ++sous; // never true for NaN, a text that is no number
            valeur = Pourcentage(sous, n, true);
        }
        ranger(StatSousMoyenneClasse, valeur);
    }
}

QString TFichierTav::MinimumSerie(int p, int j) const {
    return StatistiqueSerie(p, j, StatMinimum);
}
QString TFichierTav::MaximumSerie(int p, int j) const {
    return StatistiqueSerie(p, j, StatMaximum);
}
QString TFichierTav::EcartTypeSerie(int p, int j) const {
    return StatistiqueSerie(p, j, StatEcartType);
}
QString TFichierTav::MoyenneSerie(int p, int j) const {
    return StatistiqueSerie(p, j, StatMoyenne);
}
QString TFichierTav::NombreNotesSerie(int p, int j) const {
    return StatistiqueSerie(p, j, StatNombre);
}
QString TFichierTav::PourcentageSousMoyenne(int p, int j) const {
    return StatistiqueSerie(p, j, StatSousMoyenne);
}
QString TFichierTav::PourcentageSousMoyenneClasse(int p, int j) const {
    return StatistiqueSerie(p, j, StatSousMoyenneClasse);
}

// --- List statistics --------------------------------------------------------------

QString TFichierTav::MinimumListe(const QStringList& liste) {
    const std::vector<long double> v = Valeurs(liste);
    if (v.empty()) return QString();
    long double minimum = v.front();
    for (long double x : v)
        if (x < minimum) minimum = x;
    return FormaterFixe(minimum, 2);
}

QString TFichierTav::MaximumListe(const QStringList& liste) {
    const std::vector<long double> v = Valeurs(liste);
    if (v.empty()) return QString();
    long double maximum = v.front();
    for (long double x : v)
        if (x > maximum) maximum = x;
    return FormaterFixe(maximum, 2);
}

QString TFichierTav::MoyenneListe(const QStringList& liste) {
    const std::vector<long double> v = Valeurs(liste);
    if (v.empty()) return QString();
    long double somme = 0;
    for (long double x : v)
        somme += x;
    return FormaterFixe(somme / v.size(), 2);
}

QString TFichierTav::EcartTypeListe(const QStringList& liste) {
    const std::vector<long double> v = Valeurs(liste);
    if (v.empty()) return QString();
    long double somme = 0, carres = 0;
    for (long double x : v) {
        somme += x;
        carres += x * x;
    }
    return EcartType(somme, carres, v.size());
}

QString TFichierTav::PourcentageSousMoyenneListe(const QStringList& liste) const {
    return PourcentageSousMoyenneListe(liste, MoyennesSur());
}

QString TFichierTav::PourcentageSousMoyenneListe(const QStringList& liste, int sur) {
    const std::vector<long double> v = Valeurs(liste);
    if (v.empty()) return QString();
    return Pourcentage(NombreSous(v, static_cast<long double>(sur) / 2), v.size());
}

QString TFichierTav::PourcentageSousMoyenneClasseListe(const QStringList& liste) {
    const std::vector<long double> v = Valeurs(liste);
    long double seuil;
    if (v.empty() || !LireNombre(MoyenneListe(liste), seuil)) return QString();
    return Pourcentage(NombreSous(v, seuil), v.size());
}

TFichierTav::TStatistiquesColonne
TFichierTav::StatistiquesColonne(const QStringList& textes) const {
    return StatistiquesColonne(textes, MoyennesSur());
}

TFichierTav::TStatistiquesColonne TFichierTav::StatistiquesColonne(const QStringList& textes,
                                                                   int sur) {
    TStatistiquesColonne st;
    const std::vector<long double> v = Valeurs(textes);
    if (v.empty()) return st;
    long double somme = 0, carres = 0;
    long double minimum = v.front(), maximum = v.front();
    for (long double x : v) {
        somme += x;
        carres += x * x;
        if (x < minimum) minimum = x;
        if (x > maximum) maximum = x;
    }
    st.moyenne = FormaterFixe(somme / v.size(), 2);
    st.minimum = FormaterGeneral(minimum);
    st.maximum = FormaterGeneral(maximum);
    st.ecartType = EcartType(somme, carres, v.size());
    if (st.ecartType.isEmpty()) return st;
    st.pourcentageSousMoyenne =
        Pourcentage(NombreSous(v, static_cast<long double>(sur) / 2), v.size());
    long double seuil;
    if (LireNombre(st.moyenne, seuil))
        st.pourcentageSousMoyenneClasse = Pourcentage(NombreSous(v, seuil), v.size());
    return st;
}

// --- School-record shares -----------------------------------------------------------

void TFichierTav::StatistiquesLivret(int p, int mode, QString* inf8, QString* de8a12,
                                     QString* sup12) const {
    VerifierPeriode(p);
    const int N = NombreEleves();
    if (N == 0) {
        *inf8 = *de8a12 = *sup12 = QString();
        return;
    }
    const long double sur = MoyennesSur();
    const long double bas = sur / 20 * 8;
    const long double haut = sur / 20 * 12;
    int sous = 0, entre = 0;
    for (int s = 1; s <= N; ++s) {
        const long double v = ValeurBulletin(p, s, mode);
        if (std::isnan(v)) continue; // counted in no share, but in the divisor
        if (v < bas)
            ++sous;
        else if (v < haut)
            ++entre;
    }
    *inf8 = FormaterFixe(static_cast<long double>(sous) / N * 100, 2);
    *de8a12 = FormaterFixe(static_cast<long double>(entre) / N * 100, 2);
    long double a, b;
    *sup12 =
        LireNombre(*inf8, a) && LireNombre(*de8a12, b) ? FormaterFixe(100 - a - b, 2) : QString();
}

QString TFichierTav::PourcentageLivretInf8(int p, int mode) const {
    QString a, b, c;
    StatistiquesLivret(p, mode, &a, &b, &c);
    return a;
}
QString TFichierTav::PourcentageLivret8a12(int p, int mode) const {
    QString a, b, c;
    StatistiquesLivret(p, mode, &a, &b, &c);
    return b;
}
QString TFichierTav::PourcentageLivretSup12(int p, int mode) const {
    QString a, b, c;
    StatistiquesLivret(p, mode, &a, &b, &c);
    return c;
}
QString TFichierTav::PourcentageLivretInf8(int p) const {
    return PourcentageLivretInf8(p, Options::ArrondirMoyennes());
}
QString TFichierTav::PourcentageLivret8a12(int p) const {
    return PourcentageLivret8a12(p, Options::ArrondirMoyennes());
}
QString TFichierTav::PourcentageLivretSup12(int p) const {
    return PourcentageLivretSup12(p, Options::ArrondirMoyennes());
}

// --- Lowest and highest mark ----------------------------------------------------------

QString TFichierTav::NoteExtreme(int p, int s, bool plusHaute) const {
    VerifierPeriode(p);
    VerifierEleve(s);
    const int sur = MoyennesSur();
    const int premiere = PremiereColonne(p);
    const int S = p <= nombresSeries.size() ? LireCompte(nombresSeries.at(p - 1)) : 0;
    int gagnante = -1;
    long double meilleure = 0;
    for (int j = 0; j < S; ++j) {
        const TValeursSerie& valeurs = ValeursSerie(premiere + j);
        const long double x = valeurs.notes[size_t(s - 1)];
        const long double m = valeurs.noteSur;
        if (std::isnan(x) || !(m > 0)) continue;
        const long double v = x / m * sur;
        if (!std::isfinite(v)) continue;
        if (gagnante < 0 || (plusHaute ? v > meilleure : v < meilleure)) {
            gagnante = premiere + j;
            meilleure = v;
        }
    }
    if (gagnante < 0) return QString();
    return CouperTexte(FormaterFixe(meilleure, 2) + QLatin1Char('/') + QString::number(sur) +
                       QStringLiteral(" (") + TexteLigne(Colonne(tableSeries, gagnante), 0) +
                       QLatin1Char(')'));
}

QString TFichierTav::NoteLaPlusBasse(int p, int s) const {
    return NoteExtreme(p, s, false);
}
QString TFichierTav::NoteLaPlusHaute(int p, int s) const {
    return NoteExtreme(p, s, true);
}

// --- Ranking ----------------------------------------------------------------------------

QStringList TFichierTav::Classement(int periode, int descendant, int typeAnnuel, int modeAnnuel,
                                    int modePeriode) const {
    const int P = NombrePeriodes();
    const bool annee = periode < 1 || periode > P;
    QStringList lignes;
    std::vector<long double> valeurs;
    for (int s = 1; s <= NombreEleves(); ++s) {
        const QString moyenne = annee ? MoyenneAnnuelle(s, modePeriode, modeAnnuel, typeAnnuel)
                                      : MoyenneBulletin(periode, s, modePeriode);
        if (moyenne.isEmpty()) continue;
        long double v;
        if (!LireNombre(moyenne, v)) v = Indefini();
        lignes.append(NomEleve(s) + QStringLiteral(" -> ") + moyenne);
        valeurs.push_back(v);
    }

    // Sorted by the averages themselves: the lines are only their display.
    TQSort tri;
    tri.Compare = [&](void*, quint16 a, quint16 b, int& action) {
        const long double x = valeurs[a], y = valeurs[b];
        action = (std::isnan(x) || std::isnan(y) || x == y) ? 0 : (x < y ? -1 : 1);
    };
    tri.Swap = [&](void*, quint16 a, quint16 b) {
        lignes.swapItemsAt(a, b);
        std::swap(valeurs[a], valeurs[b]);
    };
    tri.Trier(nullptr, int(lignes.size()));

    QStringList resultat;
    resultat.reserve(lignes.size() + 1);
    if (descendant == 0) {
        resultat.append(QStringLiteral("Classement ascendant"));
        resultat.append(lignes);
    } else {
        resultat.append(QStringLiteral("Classement descendant"));
        for (qsizetype i = lignes.size() - 1; i >= 0; --i)
            resultat.append(lignes.at(i));
    }
    return resultat;
}
