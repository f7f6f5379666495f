#include "tavX_texteImporte.h"

#include "tavX_codec.h"

#include <QStringDecoder>

namespace Tav {

QString DecoderTexte(const QByteArray& octets) {
    QByteArray donnees = octets;
    if (donnees.startsWith("\xEF\xBB\xBF")) donnees.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString texte = utf8.decode(donnees);
    if (utf8.hasError()) texte = DecoderWindows1252(donnees);
    texte.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    texte.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return texte;
}

} // namespace Tav
