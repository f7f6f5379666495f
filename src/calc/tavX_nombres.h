#pragma once
// Number texts: marks, coefficients, averages and points are kept as text and
// converted where they are used. The decimal separator is always the comma of
// the French notation, whatever the machine's locale; arithmetic is done in
// long double (80-bit extended on x86-64).
#include <QString>
#include <QStringView>

namespace Tav {

// Rounding modes of averages ("arrondirMoyennes", "arrondirMoyennesAnnuelles").
enum TModeArrondi : int {
    PasArrondi = 0,
    ArrondiDixieme = 1,
    ArrondiQuart = 2,
    ArrondiDemi = 3,
    ArrondiBrevet = 4,
};

// Reads a number text: optional blanks, optional sign, digits with at most one
// decimal comma (at least one digit), optional exponent ("e" or "E", optional
// sign, digits), optional blanks. Anything else ("abs", "", "12.5", "inf",
// "1 000") is not a number, nor a value beyond the range of long double.
// Returns false and leaves `valeur` untouched when the text is not a number.
bool LireNombre(QStringView texte, long double& valeur);
inline bool EstNombre(QStringView texte) {
    long double v;
    return LireNombre(texte, v);
}

// The value with exactly `decimales` digits after the comma (0..19), rounded
// to the nearest with halves away from zero on the exact binary value, a
// minus sign for a negative result and no thousands separator ("12,35",
// "-0,50", "13"). A result that rounds to zero carries no sign. The empty
// text for an infinite or undefined value. A suffix (" %") may follow.
QString FormaterFixe(long double valeur, int decimales, const char* suffixe = nullptr);

// The value with up to 15 significant digits and no trailing zeros ("7,5",
// "12", "0"); very large or very small values in scientific notation
// ("1,5E20", "2E-7"). The empty text for an infinite or undefined value.
QString FormaterGeneral(long double valeur);

// The same texts for the calculation caches: kept in a bounded pool for the
// life of the program, so that handing out copies of cached texts never
// touches a reference count.
QString FormaterFixeDurable(long double valeur, int decimales, const char* suffixe = nullptr);
QString FormaterGeneralDurable(long double valeur);

// The number that the text FormaterFixe(valeur, decimales) reads back as,
// computed without writing the text; NaN for an infinite or undefined value.
long double ValeurFixe(long double valeur, int decimales);

} // namespace Tav
