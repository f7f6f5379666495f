#pragma once
// The text of a file a teacher brings in (a list of names, of marks, of subjects, the read-me):
// UTF-8 when it is valid UTF-8 (its byte order mark dropped), else Windows-1252, the encoding of
// older Windows programs. Line ends CR LF and CR become LF.
#include <QByteArray>
#include <QString>

namespace Tav {

QString DecoderTexte(const QByteArray& octets);

} // namespace Tav
