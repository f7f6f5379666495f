#pragma once
// Helpers shared by the calculation files (not part of the class interface).
#include "tavX_constantes.h"
#include "tavX_exceptions.h"
#include "tavX_fichierTav.h"
#include "tavX_nombres.h"
#include "tavX_options.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>

namespace Tav::Calcul {

inline const QString& Zero() {
    static const QString texte = QStringLiteral("0");
    return texte;
}
inline const QString& Oui() {
    static const QString texte = QStringLiteral("oui");
    return texte;
}
inline const QString& Vide() {
    static const QString texte;
    return texte;
}

inline long double Indefini() {
    return std::numeric_limits<long double>::quiet_NaN();
}

// True for a fresh recalculation mark (the text "0"), checked inline.
inline bool MarqueClaire(const QString& marque) {
    return marque.size() == 1 && marque.front() == QLatin1Char('0');
}

// A count kept as text ("12"): its digits read directly; 0 when there is none.
inline int LireCompte(const QString& texte) {
    int n = 0;
    for (const QChar c : texte) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) break;
        n = n * 10 + (c.unicode() - u'0');
        if (n > 100000) break;
    }
    return n;
}

// The number a text reads as, NaN when it is not a number.
inline long double Valeur(const QString& texte) {
    long double v;
    return LireNombre(texte, v) ? v : Indefini();
}

// The number that ArrondirMoyenne gives for the text of x reads as (NaN for
// none), computed without writing the texts.
long double ValeurArrondie(long double x, int mode);

// A column of the series table, or an empty one beyond the table.
inline const QStringList& Colonne(const QList<QStringList>& table, int colonne) {
    static const QStringList vide;
    return colonne >= 0 && colonne < table.size() ? table.at(colonne) : vide;
}

// A row of a column, or the empty text beyond it.
inline const QString& TexteLigne(const QStringList& colonne, int ligne) {
    return ligne >= 0 && ligne < colonne.size() ? colonne.at(ligne) : Vide();
}

// The sums of a weighted average: Σ(x·c) and Σ(m·c). A series whose terms
// overflow is left out, as if it did not count.
struct TSomme {
    long double notes = 0;
    long double maxima = 0;

    void Ajouter(long double x, long double m, long double c) {
        const long double n = notes + x * c;
        const long double s = maxima + m * c;
        if (std::isfinite(n) && std::isfinite(s)) {
            notes = n;
            maxima = s;
        }
    }
    // S·W/M with 2 decimals, or the empty text when the weights sum to 0.
    QString Moyenne(int sur) const {
        if (maxima == 0) return QString();
        return FormaterFixe(sur * notes / maxima, 2);
    }
    // The same text kept for a cache.
    QString MoyenneDurable(int sur) const {
        if (maxima == 0) return QString();
        return FormaterFixeDurable(sur * notes / maxima, 2);
    }
};

// A mean of texts (periods of the year): the number texts added and counted.
struct TMoyenneTextes {
    long double somme = 0;
    int nombre = 0;

    void Ajouter(const QString& texte) {
        long double v;
        if (LireNombre(texte, v)) Ajouter(v);
    }
    void Ajouter(long double v) {
        if (std::isnan(v)) return;
        somme += v;
        ++nombre;
    }
    QString Moyenne() const { return nombre > 0 ? FormaterFixe(somme / nombre, 2) : QString(); }
};

} // namespace Tav::Calcul
