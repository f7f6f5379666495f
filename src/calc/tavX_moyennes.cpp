// Period averages: the raw average with its cache, rounding, the report-card
// average; and the access helpers shared by every calculation.
#include "tavX_calculs_interne.h"

using namespace Tav;
using namespace Tav::Calcul;

// --- Scale ------------------------------------------------------------------

int TFichierTav::MoyennesSur() const {
    return moyennesSurImposees > 0 ? moyennesSurImposees : int(Options::MoyennesSur());
}

void TFichierTav::ImposerMoyennesSur(int sur) {
    if (sur < 0) sur = 0;
    if (sur == moyennesSurImposees) return;
    const int avant = MoyennesSur();
    moyennesSurImposees = sur;
    if (MoyennesSur() != avant) InvaliderCalculs();
}

// --- Access helpers -----------------------------------------------------------

int TFichierTav::PremiereColonne(int p) const {
    int colonne = 0;
    for (int q = 1; q < p && q <= nombresSeries.size(); ++q)
        colonne += LireCompte(nombresSeries.at(q - 1));
    return colonne;
}

int TFichierTav::ColonneVerifiee(int p, int j) const {
    VerifierPeriode(p);
    if (p > nombresSeries.size() || j < 1 || j > LireCompte(nombresSeries.at(p - 1)))
        throw TErreurIndice(QStringLiteral("série %1 de la période %2").arg(j).arg(p));
    return PremiereColonne(p) + j - 1;
}

// --- Raw average ----------------------------------------------------------------

QString TFichierTav::MoyenneBrute(int p, int s) const {
    return MoyenneBruteEnPlace(p, s);
}

// The cached text itself, recomputed first when its mark is set.
const QString& TFichierTav::MoyenneBruteEnPlace(int p, int s) const {
    VerifierPeriode(p);
    VerifierEleve(s);
    const qsizetype N = NombreEleves();
    const qsizetype PN = qsizetype(NombrePeriodes()) * N;
    const qsizetype i = N * (p - 1) + (s - 1);
    if (PN + i >= cacheMoyennes.size() || !MarqueClaire(cacheMoyennes.at(PN + i)))
        CalculerMoyennesPeriode(p);
    return cacheMoyennes.at(i);
}

// Reads the numbers of a column again from its texts, and keeps the column's
// list beside them.
const TFichierTav::TValeursSerie& TFichierTav::LireValeursSerie(int colonne) const {
    const int N = NombreEleves();
    if (colonne < 0 || colonne >= tableSeries.size()) {
        // Beyond the table: a column without any number, counting nowhere.
        thread_local TValeursSerie vide;
        if (vide.eleves != N) {
            vide.eleves = N;
            vide.coefficient = vide.noteSur = Indefini();
            vide.notes.assign(size_t(N), Indefini());
        }
        return vide;
    }
    // Sized once for a full year, so that growing is rare.
    if (valeursSeries.size() < size_t(tableSeries.size()))
        valeursSeries.resize(std::max<size_t>(size_t(tableSeries.size()), MaxSeriesAnnee + 1));
    TValeursSerie& v = valeursSeries[size_t(colonne)];
    const QStringList& c = tableSeries.at(colonne);
    v.textes = c;
    v.eleves = N;
    v.compte = TexteLigne(c, N + LigneCompteDansMoyenne) == Oui();
    const QString& genre = TexteLigne(c, N + LigneOralEcrit);
    v.ecrit = genre == QLatin1String("Ecrit");
    v.oral = genre == QLatin1String("Oral");
    v.coefficient = Valeur(TexteLigne(c, N + LigneCoefficient));
    v.noteSur = Valeur(TexteLigne(c, N + LigneNoteSur));
    v.notes.resize(size_t(N));
    for (int s = 1; s <= N; ++s)
        v.notes[size_t(s - 1)] = Valeur(TexteLigne(c, s));

    // Every number of the column within ±1e2000, so that a product of two of
    // them and a sum of 256 such products stay far within the range.
    const auto borne = [](long double x) { return std::isnan(x) || std::fabs(x) <= 1e2000L; };
    v.bornee = borne(v.noteSur) && borne(v.coefficient) &&
               std::all_of(v.notes.begin(), v.notes.end(), borne);

    // The sums of the series statistics, over the marks that are numbers.
    const bool maximumLu = !std::isnan(v.noteSur);
    v.nombre = 0;
    v.somme = v.carres = v.sousMoitie = v.maximum = 0;
    v.minimum = maximumLu ? v.noteSur : std::numeric_limits<long double>::infinity();
    const long double moitie =
        maximumLu ? v.noteSur / 2 : -std::numeric_limits<long double>::infinity();
    for (const long double x : v.notes) {
        if (std::isnan(x)) continue;
        ++v.nombre;
        v.somme += x;
        v.carres += x * x;
        if (!(x >= v.minimum)) v.minimum = x;
        if (x > v.maximum) v.maximum = x;
        if (x < moitie) ++v.sousMoitie;
    }
    return v;
}

// Computes, in one sweep over the period's series, the raw average of every
// student of period p whose mark asks for it, stores it and clears the mark.
// The other students keep their cached average.
void TFichierTav::CalculerMoyennesPeriode(int p) const {
    const int N = NombreEleves();
    const qsizetype PN = qsizetype(NombrePeriodes()) * N;
    Remplir(cacheMoyennes, 2 * PN);
    const qsizetype base = qsizetype(N) * (p - 1);

    int aCalculer[256]; // a class holds at most 255 students
    int n = 0;
    for (int s = 1; s <= N && n < int(std::size(aCalculer)); ++s)
        if (!MarqueClaire(cacheMoyennes.at(PN + base + s - 1))) aCalculer[n++] = s;
    if (n == 0) return;

    // The counted series with their weights; then each student's sum over
    // them, in the order of the series.
    struct TTerme {
        const long double* notes;
        long double noteSur;
        long double coefficient;
        long double poids; // noteSur × coefficient, the same for every student
    };
    TTerme termes[MaxSeriesAnnee + 1];
    int t = 0;
    bool bornes = true;
    const int premiere = PremiereColonne(p);
    const int S = p <= nombresSeries.size() ? LireCompte(nombresSeries.at(p - 1)) : 0;
    for (int j = 0; j < S && t < int(std::size(termes)); ++j) {
        const TValeursSerie& v = ValeursSerie(premiere + j);
        if (!v.compte || std::isnan(v.coefficient) || std::isnan(v.noteSur)) continue;
        termes[t++] = {v.notes.data(), v.noteSur, v.coefficient, v.noteSur * v.coefficient};
        bornes = bornes && v.bornee;
    }

    const int sur = MoyennesSur();
    for (int k = 0; k < n; ++k) {
        const int eleve = aCalculer[k] - 1;
        TSomme somme;
        if (bornes) {
            // No sum of at most 256 such terms can overflow: the check of
            // TSomme::Ajouter always passes and is left out.
            for (int u = 0; u < t; ++u) {
                const long double x = termes[u].notes[eleve];
                if (std::isnan(x)) continue;
                somme.notes += x * termes[u].coefficient;
                somme.maxima += termes[u].poids;
            }
        } else {
            for (int u = 0; u < t; ++u) {
                const long double x = termes[u].notes[eleve];
                if (!std::isnan(x)) somme.Ajouter(x, termes[u].noteSur, termes[u].coefficient);
            }
        }
        const qsizetype i = base + eleve;
        cacheMoyennes[i] = somme.MoyenneDurable(sur);
        cacheMoyennes[PN + i] = Zero();
    }
}

// --- Rounding -------------------------------------------------------------------

namespace {

// A rounded value and the number of decimals it is written with.
struct TArrondi {
    long double valeur = 0;
    int decimales = 0;
    bool trouve = false;
};

TArrondi Arrondi(long double valeur, int decimales) {
    return {valeur, decimales, true};
}

// Rounds a value that is not negative; nothing found when the rule has no
// answer.
TArrondi ArrondirPositif(long double x, int mode) {
    switch (mode) {
    case ArrondiDixieme: {
        const long double dixiemes = 10 * x;
        const long double i = std::trunc(dixiemes);
        const long double r = std::nearbyint((dixiemes - i) * 10); // halves to even
        if (r == 0) return Arrondi(i / 10, std::fmod(i, 10) == 0 ? 0 : 1);
        if (r >= 1 && r <= 4) return Arrondi(i / 10, 1);
        return Arrondi((i + 1) / 10, 1);
    }
    case ArrondiQuart:
    case ArrondiDemi: {
        const long double w = std::trunc(x);
        const long double h = std::nearbyint(100 * x - 100 * w);
        if (mode == ArrondiQuart) {
            if (h >= 0 && h <= 12) return Arrondi(w, 0);
            if (h >= 13 && h <= 37) return Arrondi(w + 0.25L, 2);
            if (h >= 38 && h <= 62) return Arrondi(w + 0.5L, 1);
            if (h >= 63 && h <= 87) return Arrondi(w + 0.75L, 2);
            // Up to 100: a value just below the next whole number (12,999).
            if (h >= 88 && h <= 100) return Arrondi(w + 1, 0);
        } else {
            if (h >= 0 && h <= 24) return Arrondi(w, 0);
            if (h >= 25 && h <= 74) return Arrondi(w + 0.5L, 1);
            if (h >= 75 && h <= 100) return Arrondi(w + 1, 0);
        }
        return {};
    }
    case ArrondiBrevet: {
        // Up to the next half point: the half rounding, or half a point more.
        const TArrondi demi = ArrondirPositif(x, ArrondiDemi);
        if (!demi.trouve) return {};
        const long double a = ValeurFixe(demi.valeur, demi.decimales);
        if (a >= x) return demi;
        return Arrondi(a + 0.5L, 1);
    }
    default:
        return {};
    }
}

bool ModeArrondi(int mode) {
    return mode >= ArrondiDixieme && mode <= ArrondiBrevet;
}

} // namespace

long double Tav::Calcul::ValeurArrondie(long double x, int mode) {
    if (std::isnan(x) || !ModeArrondi(mode)) return x;
    const TArrondi r = ArrondirPositif(std::fabs(x), mode);
    if (!r.trouve) return Indefini();
    const long double a = ValeurFixe(r.valeur, r.decimales);
    return x < 0 ? -a : a;
}

QString TFichierTav::ArrondirMoyenne(const QString& texte, int mode) {
    long double x;
    if (!LireNombre(texte, x)) return QString();
    if (!ModeArrondi(mode)) return texte; // PasArrondi
    // A negative value is rounded as the mirror of its absolute value.
    const TArrondi r = ArrondirPositif(std::fabs(x), mode);
    if (!r.trouve) return QString();
    const bool negatif = x < 0 && ValeurFixe(r.valeur, r.decimales) != 0;
    return FormaterFixe(negatif ? -r.valeur : r.valeur, r.decimales);
}

QString TFichierTav::MoyenneArrondie(int p, int s, int mode) const {
    return ArrondirMoyenne(MoyenneBruteEnPlace(p, s), mode);
}

// --- Report-card average --------------------------------------------------------

QString TFichierTav::MoyenneBulletin(int p, int s, int mode) const {
    const QString a = MoyenneArrondie(p, s, mode);
    long double va, vb;
    const qsizetype i = qsizetype(NombreEleves()) * (p - 1) + (s - 1);
    if (!LireNombre(a, va) || i >= points.size() || !LireNombre(points.at(i), vb)) return a;
    return FormaterFixe(va + vb, 2);
}

// The number that the text of MoyenneBulletin reads as (NaN for none),
// without writing the intermediate texts.
long double TFichierTav::ValeurBulletin(int p, int s, int mode) const {
    long double x;
    if (!LireNombre(MoyenneBruteEnPlace(p, s), x)) return Indefini();
    const long double a = ValeurArrondie(x, mode);
    if (std::isnan(a)) return a;
    const qsizetype i = qsizetype(NombreEleves()) * (p - 1) + (s - 1);
    long double b;
    if (i >= points.size() || !LireNombre(points.at(i), b)) return a;
    return ValeurFixe(a + b, 2);
}
