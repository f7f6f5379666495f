// Annual averages, averages per grade type and written/oral averages.
#include "tavX_calculs_interne.h"

#include <vector>

using namespace Tav;
using namespace Tav::Calcul;

// --- Annual average ---------------------------------------------------------------

QString TFichierTav::MoyenneAnnuelle(int s, int modePeriode, int modeAnnuel, int typeAnnuel) const {
    VerifierEleve(s);
    const int P = NombrePeriodes();
    QString moyenne;
    if (typeAnnuel == 1) {
        // Every counted grade of the year weighted together; no points, no
        // period rounding.
        moyenne = MoyenneToutesNotes(s);
    } else {
        // The mean of the period report-card averages, each period alike.
        TMoyenneTextes periodes;
        for (int q = 1; q <= P; ++q)
            periodes.Ajouter(ValeurBulletin(q, s, modePeriode));
        moyenne = periodes.Moyenne();
    }
    return ArrondirMoyenne(moyenne, modeAnnuel);
}

// The sums of every student over the counted series of the year, in the
// order of the year, computed in one sweep.
const QString& TFichierTav::MoyenneToutesNotes(int s) const {
    TMoyennesAnnee& e = moyennesAnnee;
    const int N = NombreEleves();
    const int sur = MoyennesSur();
    int total = 0;
    for (int q = 1; q <= NombrePeriodes() && q <= nombresSeries.size(); ++q)
        total += LireCompte(nombresSeries.at(q - 1));
    bool valide = e.eleves == N && e.sur == sur && e.colonnes.size() == total;
    for (int c = 0; c < total && valide; ++c) {
        const QStringList& colonne = Colonne(tableSeries, c);
        const QStringList& gardee = e.colonnes.at(c);
        valide = gardee.constData() == colonne.constData() && gardee.size() == colonne.size();
    }
    if (!valide) {
        e = TMoyennesAnnee();
        e.eleves = N;
        e.sur = sur;
        e.colonnes.reserve(total);
        for (int c = 0; c < total; ++c)
            e.colonnes.append(Colonne(tableSeries, c));
        e.textes.resize(size_t(N));
        std::vector<TSomme> sommes(static_cast<size_t>(N));
        for (int c = 0; c < total; ++c) {
            const TValeursSerie& v = ValeursSerie(c);
            if (!v.compte || std::isnan(v.noteSur) || std::isnan(v.coefficient)) continue;
            for (size_t k = 0; k < size_t(N); ++k)
                if (!std::isnan(v.notes[k]))
                    sommes[k].Ajouter(v.notes[k], v.noteSur, v.coefficient);
        }
        for (size_t k = 0; k < size_t(N); ++k)
            e.textes[k] = sommes[k].Moyenne(sur);
    }
    return e.textes[size_t(s - 1)];
}

// --- Grade types -------------------------------------------------------------------

bool TFichierTav::MemeTypeDeNotes(const QString& a, const QString& b) {
    // The same comparison as the one that merges the entries of TypesDeNotes.
    if (a.compare(b, Qt::CaseInsensitive) == 0) return true;
    return TEleves::Comparer(a, b) == 0;
}

// --- Period results -------------------------------------------------------------------

// The period's entry, emptied first when a column of the period, the student
// count or the scale is no longer what its results were computed from.
TFichierTav::TMoyennesPeriode& TFichierTav::MoyennesPeriode(int p) const {
    if (moyennesPeriodes.size() < size_t(p)) moyennesPeriodes.resize(size_t(p));
    TMoyennesPeriode& e = moyennesPeriodes[size_t(p - 1)];
    const int N = NombreEleves();
    const int sur = MoyennesSur();
    const int premiere = PremiereColonne(p);
    const int S = p <= nombresSeries.size() ? LireCompte(nombresSeries.at(p - 1)) : 0;
    bool valide = e.premiere == premiere && e.eleves == N && e.sur == sur && e.colonnes.size() == S;
    for (int j = 0; j < S && valide; ++j) {
        const QStringList& c = Colonne(tableSeries, premiere + j);
        const QStringList& gardee = e.colonnes.at(j);
        valide = gardee.constData() == c.constData() && gardee.size() == c.size();
    }
    if (!valide) {
        e = TMoyennesPeriode();
        e.premiere = premiere;
        e.eleves = N;
        e.sur = sur;
        e.colonnes.reserve(S);
        for (int j = 0; j < S; ++j)
            e.colonnes.append(Colonne(tableSeries, premiere + j));
    }
    return e;
}

namespace {

// The result of a sum: its text and the number the text reads as.
template <class TResultats>
void Ranger(TResultats& resultats, const std::vector<TSomme>& sommes, int sur) {
    resultats.resize(sommes.size());
    for (size_t i = 0; i < sommes.size(); ++i) {
        resultats[i].texte = sommes[i].Moyenne(sur);
        resultats[i].valeur = Valeur(resultats[i].texte);
    }
}

} // namespace

// Written and oral averages of every student of p, in one sweep.
const TFichierTav::TMoyennePeriode& TFichierTav::MoyenneEcritOral(int p, int s, bool oral) const {
    VerifierPeriode(p);
    VerifierEleve(s);
    TMoyennesPeriode& e = MoyennesPeriode(p);
    if (!e.ecritOralCalcules) {
        const size_t N = size_t(e.eleves);
        std::vector<TSomme> ecrit(N), orale(N);
        for (int j = 0; j < e.colonnes.size(); ++j) {
            const TValeursSerie& v = ValeursSerie(e.premiere + j);
            if (!v.compte || !(v.ecrit || v.oral) || std::isnan(v.coefficient) ||
                std::isnan(v.noteSur))
                continue;
            std::vector<TSomme>& sommes = v.ecrit ? ecrit : orale;
            for (size_t k = 0; k < N; ++k)
                if (!std::isnan(v.notes[k]))
                    sommes[k].Ajouter(v.notes[k], v.noteSur, v.coefficient);
        }
        Ranger(e.ecrit, ecrit, e.sur);
        Ranger(e.oral, orale, e.sur);
        e.ecritOralCalcules = true;
    }
    return (oral ? e.oral : e.ecrit)[size_t(s - 1)];
}

// Averages of one grade type for every student of p, in one sweep; the type
// of each series is compared once for each distinct type text of the period.
const TFichierTav::TMoyennePeriode& TFichierTav::MoyenneDuType(const QString& type, int p,
                                                               int s) const {
    VerifierPeriode(p);
    VerifierEleve(s);
    TMoyennesPeriode& e = MoyennesPeriode(p);
    for (qsizetype i = 0; i < e.types.size(); ++i)
        if (e.types.at(i) == type) return e.parType[size_t(i)][size_t(s - 1)];

    const size_t N = size_t(e.eleves);
    std::vector<TSomme> sommes(N);
    QStringList textes;      // the distinct type texts met
    std::vector<bool> memes; // whether each is the type asked for
    for (int j = 0; j < e.colonnes.size(); ++j) {
        const TValeursSerie& v = ValeursSerie(e.premiere + j);
        if (!v.compte || std::isnan(v.coefficient) || std::isnan(v.noteSur)) continue;
        const QString& texte = TexteLigne(v.textes, e.eleves + LigneTypeNotes);
        const qsizetype t = textes.indexOf(texte);
        bool meme;
        if (t >= 0) {
            meme = memes[size_t(t)];
        } else {
            meme = MemeTypeDeNotes(texte, type);
            textes.append(texte);
            memes.push_back(meme);
        }
        if (!meme) continue;
        for (size_t k = 0; k < N; ++k)
            if (!std::isnan(v.notes[k])) sommes[k].Ajouter(v.notes[k], v.noteSur, v.coefficient);
    }
    e.types.append(type);
    e.parType.emplace_back();
    Ranger(e.parType.back(), sommes, e.sur);
    return e.parType.back()[size_t(s - 1)];
}

QString TFichierTav::MoyenneParType(const QString& type, int p, int s) const {
    return MoyenneDuType(type, p, s).texte;
}

QString TFichierTav::MoyenneAnnuelleParType(const QString& type, int s) const {
    VerifierEleve(s);
    TMoyenneTextes periodes;
    for (int q = 1; q <= NombrePeriodes(); ++q)
        periodes.Ajouter(MoyenneDuType(type, q, s).valeur);
    return periodes.Moyenne();
}

// --- Written and oral ----------------------------------------------------------------

QString TFichierTav::MoyenneEcrit(int p, int s) const {
    return MoyenneEcritOral(p, s, false).texte;
}

QString TFichierTav::MoyenneOral(int p, int s) const {
    return MoyenneEcritOral(p, s, true).texte;
}

QString TFichierTav::MoyenneEcritArrondie(int p, int s, int mode) const {
    return ArrondirMoyenne(MoyenneEcrit(p, s), mode);
}

QString TFichierTav::MoyenneOralArrondie(int p, int s, int mode) const {
    return ArrondirMoyenne(MoyenneOral(p, s), mode);
}

// The mean of the period values, each rounded with the mode, rounded again.
QString TFichierTav::MoyenneAnnuelleEcrit(int s, int mode) const {
    VerifierEleve(s);
    TMoyenneTextes periodes;
    for (int q = 1; q <= NombrePeriodes(); ++q)
        periodes.Ajouter(ValeurArrondie(MoyenneEcritOral(q, s, false).valeur, mode));
    return ArrondirMoyenne(periodes.Moyenne(), mode);
}

QString TFichierTav::MoyenneAnnuelleOral(int s, int mode) const {
    VerifierEleve(s);
    TMoyenneTextes periodes;
    for (int q = 1; q <= NombrePeriodes(); ++q)
        periodes.Ajouter(ValeurArrondie(MoyenneEcritOral(q, s, true).valeur, mode));
    return ArrondirMoyenne(periodes.Moyenne(), mode);
}
