#pragma once
// Windows-1252, the character set of class files, with a table of our own:
// the five bytes that the code page leaves unassigned map to the C1 control
// characters of the same value, so that every byte value round-trips.
#include <QByteArray>
#include <QString>
#include <optional>

namespace Tav {

// Decodes bytes read from a class file.
QString DecoderWindows1252(const char* octets, int longueur);
inline QString DecoderWindows1252(const QByteArray& octets) {
    return DecoderWindows1252(octets.constData(), int(octets.size()));
}

// Encodes a text for a class file. Returns false (and leaves `sortie` partly
// filled) when a character has no Windows-1252 byte.
bool EncoderWindows1252(const QString& texte, QByteArray& sortie);
// The same into a buffer of `longueur` bytes.
bool EncoderWindows1252(const QChar* texte, qsizetype longueur, char* sortie);

// The first character of the text (a whole code point, as a string) that a
// class file cannot hold, or nothing when every character can be stored.
std::optional<QString> CaractereNonRepresentable(const QString& texte);

// The message shown to a user who typed such a character.
QString MessageCaractereNonRepresentable(const QString& caractere);

// The text cut to what one field of a class file holds (255 characters).
QString CouperTexte(const QString& texte, int maximum = 255);

} // namespace Tav
