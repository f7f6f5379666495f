#pragma once

// Low-level access to the per-user settings store.
//
// The store is QSettings: on Windows the registry key HKEY_CURRENT_USER\Software\Tavelin 2.x,
// elsewhere the per-user INI file of organisation "Tavelin", application "Tavelin 2.x" (on Linux
// under $XDG_CONFIG_HOME). Scalar settings live under "Options", the program folder is the root
// value "Chemin".
//
// Reading never writes anything: a value that was never written reads as its default. A value
// of the wrong type (text where a number is expected, a byte above 255 ...) also reads as the
// default; the stored value is left as it is until the setting is written again.

#include <QSettings>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <optional>

// Redirects the whole store to a private INI file (tests). An empty path restores the normal
// per-user store. Clears the in-memory caches of the settings units.
void DefinirFichierReglages(const QString& cheminIni);
// A new QSettings on the current store (the caller owns it; it is synced when destroyed).
std::unique_ptr<QSettings> OuvrirReglages();
// Changes each time the store is redirected, so that cached settings know they are stale.
quint32 GenerationReglages();

namespace Globales {

// Sub-key of every scalar setting.
inline constexpr char SousCleOptions[] = "Options";

// Typed readers under "Options"; a missing or unreadable value gives the default.
qint32 LireEntier(const QString& nom, qint32 defaut);
bool LireBooleen(const QString& nom, bool defaut);
quint8 LireOctet(const QString& nom, quint8 defaut);
// The string pair takes the sub-key path from the root (always "Options" in this program).
QString LireChaine(const QString& nom, const QString& defaut,
                   const QString& sousCle = QString::fromLatin1(SousCleOptions));

// Typed writers under "Options". Booleans are stored as 1 or 0.
void EcrireEntier(const QString& nom, qint32 valeur);
void EcrireBooleen(const QString& nom, bool valeur);
void EcrireOctet(const QString& nom, quint8 valeur);
void EcrireChaine(const QString& nom, const QString& valeur,
                  const QString& sousCle = QString::fromLatin1(SousCleOptions));

// Conversions of a stored value; std::nullopt when the value is missing or unreadable as that
// kind (booleans: a number, not zero meaning true, or "true"/"false"; bytes: 0..255; integers:
// a signed 32-bit number; strings: text only).
std::optional<qint32> VersEntier(const QVariant& valeur);
std::optional<bool> VersBooleen(const QVariant& valeur);
std::optional<quint8> VersOctet(const QVariant& valeur);
std::optional<QString> VersChaine(const QVariant& valeur);

// Stored lists. A list lives under a key path from the root ("Types de notes",
// "Periodes/Mois/noms" ...) as an ordered array: "<key>/size" and "<key>/<i>/nom", i from 1.
// The list exists when its key holds "size". Writing keeps the first of the items that differ
// only by letter case.
bool ListeExiste(QSettings& reglages, const QString& cle);
std::optional<QStringList> LireListe(QSettings& reglages, const QString& cle);
// Replaces the list. With garderSousCles, only the array itself is replaced and the other
// sub-keys of the list's key (the schemes under "Periodes" for example) are kept; otherwise the
// whole key is deleted first.
void EcrireListe(QSettings& reglages, const QString& cle, const QStringList& liste,
                 bool garderSousCles = false);
// The same on a store opened for the call.
bool ListeExiste(const QString& cle);
std::optional<QStringList> LireListe(const QString& cle);
void EcrireListe(const QString& cle, const QStringList& liste);
// Deletes a key with everything under it.
void SupprimerCle(const QString& cle);

// Items of a list without those that repeat an earlier one ignoring case.
QStringList SansDoublons(const QStringList& liste);
// A name made fit to be one segment of a key path ('%', '/' and '\' escaped as %25, %2F, %5C).
QString SegmentCle(const QString& nom);

// Program folder: the root value "Chemin" (empty if missing).
QString LireChemin();
void EcrireChemin(const QString& chemin);

// Removable drives. On Windows the upper-case letters of the removable drives, from A to Z;
// elsewhere the mount points of the removable volumes, sorted.
QStringList LecteursAmovibles();

// Name of the registered owner of the machine: on Windows the value "RegisteredOwner" of
// HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion; on Unix the user's full name
// (passwd GECOS field) or else the login name. Empty when none is known.
QString ProprietaireEnregistre();

} // namespace Globales
