#include "tavX_nombres.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace Tav {

namespace {

using u64 = std::uint64_t;
using u128 = unsigned __int128;

// Powers of ten exact in long double (5^27 < 2^64).
constexpr int MaxPuissanceExacte = 27;
const long double PuissancesDix[MaxPuissanceExacte + 1] = {
    1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L,  1e9L,
    1e10L, 1e11L, 1e12L, 1e13L, 1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L,
    1e20L, 1e21L, 1e22L, 1e23L, 1e24L, 1e25L, 1e26L, 1e27L};

constexpr u64 PuissancesDixEntieres[20] = {1ULL,
                                           10ULL,
                                           100ULL,
                                           1000ULL,
                                           10000ULL,
                                           100000ULL,
                                           1000000ULL,
                                           10000000ULL,
                                           100000000ULL,
                                           1000000000ULL,
                                           10000000000ULL,
                                           100000000000ULL,
                                           1000000000000ULL,
                                           10000000000000ULL,
                                           100000000000000ULL,
                                           1000000000000000ULL,
                                           10000000000000000ULL,
                                           100000000000000000ULL,
                                           1000000000000000000ULL,
                                           10000000000000000000ULL};

inline bool EstBlanc(char16_t c) {
    return c <= u' ';
}
inline bool EstChiffre(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// Writes the decimal digits of n at the end of `tampon` (backwards from fin);
// returns the position of the first digit.
char* EcrireEntier(u128 n, char* fin) {
    char* p = fin;
    while (n > u128(UINT64_MAX)) {
        *--p = char('0' + int(n % 10));
        n /= 10;
    }
    u64 petit = u64(n);
    do {
        *--p = char('0' + int(petit % 10));
        petit /= 10;
    } while (petit != 0);
    return p;
}

// a = mantisse · 2^exposant exactly, for a finite a > 0.
inline void Decomposer(long double a, u64& mantisse, int& exposant) {
    if constexpr (std::numeric_limits<long double>::digits == 64 &&
                  std::numeric_limits<long double>::max_exponent == 16384) {
        // x87 extended format: an explicit 64-bit mantissa and a 15-bit exponent.
        unsigned char octets[sizeof(long double)];
        std::memcpy(octets, &a, sizeof a);
        std::uint16_t signeExposant;
        std::memcpy(&mantisse, octets, 8);
        std::memcpy(&signeExposant, octets + 8, 2);
        const int biaise = signeExposant & 0x7fff;
        exposant = (biaise == 0 ? 1 : biaise) - 16383 - 63;
    } else {
        int e = 0;
        const long double fraction = std::frexp(a, &e);
        mantisse = static_cast<u64>(std::ldexp(fraction, 64));
        exposant = e - 64;
    }
}

} // namespace

bool LireNombre(QStringView texte, long double& valeur) {
    const char16_t* c = reinterpret_cast<const char16_t*>(texte.data());
    const qsizetype n = texte.size();
    qsizetype i = 0;
    while (i < n && EstBlanc(c[i]))
        ++i;

    bool negatif = false;
    if (i < n && (c[i] == u'+' || c[i] == u'-')) {
        negatif = c[i] == u'-';
        ++i;
    }

    // Mantissa: up to 19 significant digits held exactly in an integer; a
    // longer one goes to the general conversion below.
    u64 mantisse = 0;
    int significatifs = 0;
    int decimales = 0;
    int chiffres = 0;
    const qsizetype debutChiffres = i;
    while (i < n && EstChiffre(c[i])) {
        if (mantisse != 0 || c[i] != u'0') {
            mantisse = mantisse * 10 + u64(c[i] - u'0');
            ++significatifs;
        }
        ++chiffres;
        ++i;
        if (significatifs > 19) break;
    }
    if (i < n && c[i] == u',' && significatifs <= 19) {
        ++i;
        while (i < n && EstChiffre(c[i])) {
            if (mantisse != 0 || c[i] != u'0') {
                mantisse = mantisse * 10 + u64(c[i] - u'0');
                ++significatifs;
            }
            ++decimales;
            ++chiffres;
            ++i;
            if (significatifs > 19) break;
        }
    }

    if (significatifs > 19) {
        // Rare: too many digits for the fast path. Check the grammar, then let
        // the standard conversion round the exact decimal value.
        std::string ascii;
        ascii.reserve(size_t(n));
        qsizetype k = debutChiffres;
        int total = 0;
        while (k < n && EstChiffre(c[k]))
            ascii.push_back(char(c[k++])), ++total;
        if (k < n && c[k] == u',') {
            ascii.push_back('.');
            ++k;
            while (k < n && EstChiffre(c[k]))
                ascii.push_back(char(c[k++])), ++total;
        }
        if (total == 0) return false;
        if (k < n && (c[k] == u'e' || c[k] == u'E')) {
            ascii.push_back('e');
            ++k;
            if (k < n && (c[k] == u'+' || c[k] == u'-')) ascii.push_back(char(c[k++]));
            if (!(k < n && EstChiffre(c[k]))) return false;
            while (k < n && EstChiffre(c[k]))
                ascii.push_back(char(c[k++]));
        }
        while (k < n && EstBlanc(c[k]))
            ++k;
        if (k != n) return false;
        if (ascii.front() == '.') ascii.insert(ascii.begin(), '0');
        long double v = 0;
        const auto r = std::from_chars(ascii.data(), ascii.data() + ascii.size(), v);
        if (r.ec != std::errc() || r.ptr != ascii.data() + ascii.size() || !std::isfinite(v))
            return false;
        valeur = negatif ? -v : v;
        return true;
    }

    if (chiffres == 0) return false;

    // Exponent, kept within a range where the value is 0 or overflows anyway.
    long exposant = 0;
    if (i < n && (c[i] == u'e' || c[i] == u'E')) {
        ++i;
        bool exposantNegatif = false;
        if (i < n && (c[i] == u'+' || c[i] == u'-')) {
            exposantNegatif = c[i] == u'-';
            ++i;
        }
        if (!(i < n && EstChiffre(c[i]))) return false;
        while (i < n && EstChiffre(c[i])) {
            if (exposant < 100000) exposant = exposant * 10 + (c[i] - u'0');
            ++i;
        }
        if (exposantNegatif) exposant = -exposant;
    }
    while (i < n && EstBlanc(c[i]))
        ++i;
    if (i != n) return false;

    long double v;
    const long puissance = exposant - decimales;
    // Within 10^±27 the value is one exact operation away, rounded once, and
    // finite (the mantissa is below 10^19).
    if (puissance == 0 || mantisse == 0) {
        v = static_cast<long double>(mantisse);
    } else if (puissance > 0 && puissance <= MaxPuissanceExacte) {
        v = static_cast<long double>(mantisse) * PuissancesDix[puissance];
    } else if (puissance < 0 && -puissance <= MaxPuissanceExacte) {
        v = static_cast<long double>(mantisse) / PuissancesDix[-puissance];
    } else {
        char tampon[64];
        const int l = std::snprintf(tampon, sizeof tampon, "%llue%ld", (unsigned long long)mantisse,
                                    puissance);
        const auto r = std::from_chars(tampon, tampon + l, v);
        if (r.ec == std::errc::result_out_of_range) {
            if (puissance > 0) return false; // beyond the range of long double
            v = 0;
        } else if (r.ec != std::errc()) {
            return false;
        }
        if (!std::isfinite(v)) return false;
    }
    valeur = negatif ? -v : v;
    return true;
}

namespace {

// The digits of a value with d decimals, as the integer q = round(|v| · 10^d)
// with halves away from zero; false when |v| is 2^64 or more (a whole number
// whose digits printf writes exactly).
bool Quotient(long double a, int decimales, u128& q) {
    u64 m = 0;
    int e = 0;
    if (a != 0) Decomposer(a, m, e);
    if (a == 0 || m == 0) {
        q = 0;
        return true;
    }
    if (e > 0) return false;
    // a = m / 2^k; a · 10^d = m · 10^d / 2^k, rounded by hand: up when the
    // remainder is at least one half.
    const int k = -e;
    const u128 produit = u128(m) * PuissancesDixEntieres[decimales];
    if (k == 0) {
        q = produit;
    } else if (k < 128) {
        q = produit >> k;
        if ((produit >> (k - 1)) & 1) ++q;
    } else if (k == 128) {
        q = (produit >> 127) & 1; // 0 or, at one half or more, 1
    } else {
        q = 0;
    }
    return true;
}

constexpr int TailleTampon = 96;

// Writes the fixed text of a finite value into `sortie` (TailleTampon bytes)
// and returns its length; 0 when the value is too large for the buffer.
int EcrireFixe(long double valeur, int decimales, const char* suffixe, char* sortie) {
    u128 q;
    if (!Quotient(std::fabs(valeur), decimales, q)) return 0;
    char chiffres[48];
    char* const fin = chiffres + sizeof chiffres;
    char* debut = EcrireEntier(q, fin);
    while (fin - debut < decimales + 1)
        *--debut = '0';
    int l = 0;
    if (std::signbit(valeur) && q != 0) sortie[l++] = '-';
    const int entiers = int(fin - debut) - decimales;
    for (int i = 0; i < entiers; ++i)
        sortie[l++] = debut[i];
    if (decimales > 0) {
        sortie[l++] = ',';
        for (int i = 0; i < decimales; ++i)
            sortie[l++] = debut[entiers + i];
    }
    if (suffixe)
        while (*suffixe && l < TailleTampon)
            sortie[l++] = *suffixe++;
    return l;
}

// The fixed text of a whole number of 2^64 or more.
std::string FixeGrandEntier(long double valeur, int decimales, const char* suffixe) {
    const long double a = std::fabs(valeur);
    const int l = std::snprintf(nullptr, 0, "%.0Lf", a);
    if (l <= 0) return std::string();
    std::string texte(size_t(l) + 1, '\0');
    std::snprintf(texte.data(), texte.size(), "%.0Lf", a);
    texte.resize(size_t(l));
    if (decimales > 0) texte += ',' + std::string(size_t(decimales), '0');
    if (valeur < 0) texte.insert(texte.begin(), '-');
    if (suffixe) texte += suffixe;
    return texte;
}

// Writes the general text into `sortie` (TailleTampon bytes) and returns its
// length; 0 when it needs scientific notation.
int EcrireGeneral(long double valeur, char* sortie) {
    const long double a = std::fabs(valeur);
    if (a == 0) {
        sortie[0] = '0';
        return 1;
    }
    if (a < 1e15L && a == std::trunc(a)) {
        // A whole number (a count, most marks): its digits.
        char chiffres[24];
        char* const fin = chiffres + sizeof chiffres;
        char* debut = EcrireEntier(u64(a), fin);
        if (valeur < 0) *--debut = '-';
        std::memcpy(sortie, debut, size_t(fin - debut));
        return int(fin - debut);
    }
    if (!(a >= 1e-5L && a < 1e15L)) return 0;
    // Find E with 10^E <= a < 10^(E+1), then keep 14 - E decimals.
    int e = 14;
    while (e >= 0 && a < PuissancesDix[e])
        --e;
    if (e < 0) {
        e = -1;
        while (e > -5 && a * PuissancesDix[-e] < 1)
            --e;
    }
    int l = EcrireFixe(valeur, 14 - e, nullptr, sortie);
    while (sortie[l - 1] == '0')
        --l;
    if (sortie[l - 1] == ',') --l;
    if (l == 2 && sortie[0] == '-' && sortie[1] == '0') {
        sortie[0] = '0';
        l = 1;
    }
    return l;
}

// Scientific notation: mantissa without trailing zeros, "E" and the exponent.
std::string GeneralScientifique(long double valeur) {
    char tampon[64];
    const int l = std::snprintf(tampon, sizeof tampon, "%.14Le", valeur);
    if (l <= 0 || l >= int(sizeof tampon)) return std::string();
    const std::string texte(tampon, size_t(l));
    const size_t posE = texte.find('e');
    std::string mantisse = texte.substr(0, posE);
    const int exposant = std::atoi(texte.c_str() + posE + 1);
    const size_t point = mantisse.find('.');
    if (point != std::string::npos) {
        while (mantisse.back() == '0')
            mantisse.pop_back();
        if (mantisse.back() == '.')
            mantisse.pop_back();
        else
            mantisse[point] = ',';
    }
    return mantisse + 'E' + std::to_string(exposant);
}

// A pool of texts that live as long as the program, each held once: copies
// of a QString made on them never touch a reference count. Bounded: beyond
// its limits the texts are ordinary ones. One pool per thread, never freed.
class TReserveTextes {
public:
    QString Texte(const char* latin1, int n) {
        if (n <= 0) return QString();
        if (n > LongueurMax || nombre >= NombreMax) return QString::fromLatin1(latin1, n);
        // FNV-1a over the few bytes of a number text, then an open table.
        u64 h = 14695981039346656037ULL;
        for (int i = 0; i < n; ++i)
            h = (h ^ static_cast<unsigned char>(latin1[i])) * 1099511628211ULL;
        if (table.empty()) table.resize(TailleInitiale);
        size_t i = size_t(h) & (table.size() - 1);
        for (; table[i].cle != nullptr; i = (i + 1) & (table.size() - 1)) {
            const TEntree& e = table[i];
            if (e.hachage == h && e.longueur == n && std::memcmp(e.cle, latin1, size_t(n)) == 0)
                return e.texte;
        }
        // The key keeps its own bytes; the text is followed by a zero, as
        // Qt's own texts are.
        if (bloc == nullptr || libre < size_t(n) + 1 || libreCles < size_t(n)) {
            bloc = new char16_t[TailleBloc]; // kept for the life of the program
            libre = TailleBloc;
            blocCles = new char[TailleBloc];
            libreCles = TailleBloc;
        }
        char16_t* const place = bloc + (TailleBloc - libre);
        char* const cle = blocCles + (TailleBloc - libreCles);
        for (int k = 0; k < n; ++k)
            place[k] = char16_t(static_cast<unsigned char>(latin1[k]));
        place[n] = u'\0';
        std::memcpy(cle, latin1, size_t(n));
        libre -= size_t(n) + 1;
        libreCles -= size_t(n);
        const QString texte =
            QString::fromRawData(reinterpret_cast<const QChar*>(place), qsizetype(n));
        table[i] = {h, cle, n, texte};
        if (++nombre * 2 > table.size()) Agrandir();
        return texte;
    }

private:
    struct TEntree {
        u64 hachage = 0;
        const char* cle = nullptr;
        int longueur = 0;
        QString texte;
    };

    // Twice as many places, every entry placed again.
    void Agrandir() {
        std::vector<TEntree> ancienne(table.size() * 2);
        ancienne.swap(table);
        for (TEntree& e : ancienne) {
            if (e.cle == nullptr) continue;
            size_t i = size_t(e.hachage) & (table.size() - 1);
            while (table[i].cle != nullptr)
                i = (i + 1) & (table.size() - 1);
            table[i] = std::move(e);
        }
    }

    static constexpr int LongueurMax = 40;
    static constexpr size_t NombreMax = 1 << 16;
    static constexpr size_t TailleInitiale = 1 << 12;
    static constexpr size_t TailleBloc = 1 << 15;
    std::vector<TEntree> table; // a power of two places, at most half taken
    size_t nombre = 0;
    char16_t* bloc = nullptr;
    size_t libre = 0;
    char* blocCles = nullptr;
    size_t libreCles = 0;
};

QString TexteReserve(const char* latin1, int n) {
    static thread_local TReserveTextes* const reserve = new TReserveTextes;
    return reserve->Texte(latin1, n);
}

QString TexteFixe(long double valeur, int decimales, const char* suffixe, bool durable) {
    if (!std::isfinite(valeur)) return QString();
    decimales = std::clamp(decimales, 0, 19);
    char sortie[TailleTampon];
    const int l = EcrireFixe(valeur, decimales, suffixe, sortie);
    if (l == 0) {
        const std::string texte = FixeGrandEntier(valeur, decimales, suffixe);
        return QString::fromLatin1(texte.data(), qsizetype(texte.size()));
    }
    return durable ? TexteReserve(sortie, l) : QString::fromLatin1(sortie, l);
}

QString TexteGeneral(long double valeur, bool durable) {
    if (!std::isfinite(valeur)) return QString();
    char sortie[TailleTampon];
    const int l = EcrireGeneral(valeur, sortie);
    if (l == 0) {
        const std::string texte = GeneralScientifique(valeur);
        return QString::fromLatin1(texte.data(), qsizetype(texte.size()));
    }
    return durable ? TexteReserve(sortie, l) : QString::fromLatin1(sortie, l);
}

} // namespace

QString FormaterFixe(long double valeur, int decimales, const char* suffixe) {
    return TexteFixe(valeur, decimales, suffixe, false);
}

QString FormaterGeneral(long double valeur) {
    return TexteGeneral(valeur, false);
}

QString FormaterFixeDurable(long double valeur, int decimales, const char* suffixe) {
    return TexteFixe(valeur, decimales, suffixe, true);
}

QString FormaterGeneralDurable(long double valeur) {
    return TexteGeneral(valeur, true);
}

long double ValeurFixe(long double valeur, int decimales) {
    if (!std::isfinite(valeur)) return std::numeric_limits<long double>::quiet_NaN();
    decimales = std::clamp(decimales, 0, 19);
    u128 q;
    if (!Quotient(std::fabs(valeur), decimales, q)) return valeur; // a whole number
    // What LireNombre makes of the text: the digits as an integer, divided
    // by the power of ten of the decimals (one rounding).
    long double v;
    if (q < u128(PuissancesDixEntieres[19])) {
        v = static_cast<long double>(u64(q)) / PuissancesDix[decimales];
    } else {
        const QString texte = FormaterFixe(std::fabs(valeur), decimales);
        if (!LireNombre(texte, v)) return std::numeric_limits<long double>::quiet_NaN();
    }
    return std::signbit(valeur) && q != 0 ? -v : v;
}

} // namespace Tav
