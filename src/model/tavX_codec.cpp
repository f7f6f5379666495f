#include "tavX_codec.h"

#include <array>

namespace Tav {
namespace {

// Code points of the bytes 0x80..0x9F; every other byte is its own code point.
constexpr std::array<char16_t, 32> hautsC1 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Byte of a UTF-16 unit, or -1 when Windows-1252 has none.
int OctetDe(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return c;
    for (int i = 0; i < 32; ++i)
        if (hautsC1[i] == c) return 0x80 + i;
    return -1;
}

} // namespace

QString DecoderWindows1252(const char* octets, int longueur) {
    QString texte(longueur, Qt::Uninitialized);
    QChar* d = texte.data();
    for (int i = 0; i < longueur; ++i) {
        const unsigned char o = static_cast<unsigned char>(octets[i]);
        d[i] = QChar((o >= 0x80 && o <= 0x9F) ? hautsC1[o - 0x80] : char16_t(o));
    }
    return texte;
}

bool EncoderWindows1252(const QChar* s, qsizetype longueur, char* d) {
    for (qsizetype i = 0; i < longueur; ++i) {
        const char16_t c = s[i].unicode();
        if (c < 0x80) {
            d[i] = char(c);
            continue;
        }
        const int o = OctetDe(c);
        if (o < 0) return false;
        d[i] = char(o);
    }
    return true;
}

bool EncoderWindows1252(const QString& texte, QByteArray& sortie) {
    sortie.resize(texte.size());
    return EncoderWindows1252(texte.constData(), texte.size(), sortie.data());
}

std::optional<QString> CaractereNonRepresentable(const QString& texte) {
    for (qsizetype i = 0; i < texte.size(); ++i) {
        const QChar c = texte.at(i);
        if (OctetDe(c.unicode()) >= 0) continue;
        if (c.isHighSurrogate() && i + 1 < texte.size() && texte.at(i + 1).isLowSurrogate())
            return texte.mid(i, 2);
        return QString(c);
    }
    return std::nullopt;
}

QString MessageCaractereNonRepresentable(const QString& caractere) {
    const char32_t point = caractere.size() == 2 && caractere.at(0).isHighSurrogate()
                               ? QChar::surrogateToUcs4(caractere.at(0), caractere.at(1))
                           : caractere.isEmpty() ? 0
                                                 : caractere.at(0).unicode();
    return QStringLiteral("Le caractère « %1 » (U+%2) ne peut pas être enregistré dans un "
                          "fichier Tavelin. Remplacez-le par un autre caractère.")
        .arg(caractere, QStringLiteral("%1").arg(uint(point), 4, 16, QLatin1Char('0')).toUpper());
}

QString CouperTexte(const QString& texte, int maximum) {
    if (texte.size() <= maximum) return texte;
    // Never split a surrogate pair.
    int n = maximum;
    if (n > 0 && texte.at(n - 1).isHighSurrogate()) --n;
    return texte.left(n);
}

} // namespace Tav
