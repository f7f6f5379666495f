#include "tavX_globales.h"

#include <QFile>
#include <QFileInfo>
#include <QMetaType>
#include <QStorageInfo>
#include <QtGlobal>

#include <algorithm>
#include <limits>

#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <pwd.h>
#include <unistd.h>
#endif

namespace {

QString& FichierReglagesPrive() {
    static QString fichier;
    return fichier;
}

quint32 generation = 0;

// Path of a value: the sub-key path (with '\' or '/' separators) followed by the value name.
QString CheminValeur(const QString& sousCle, const QString& nom) {
    QString chemin = sousCle;
    chemin.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (chemin.startsWith(QLatin1Char('/')))
        chemin.remove(0, 1);
    while (chemin.endsWith(QLatin1Char('/')))
        chemin.chop(1);
    return chemin.isEmpty() ? nom : chemin + QLatin1Char('/') + nom;
}

QString CleOption(const QString& nom) {
    return CheminValeur(QString::fromLatin1(Globales::SousCleOptions), nom);
}

QVariant LireValeur(const QString& cle) {
    return OuvrirReglages()->value(cle);
}

void EcrireValeur(const QString& cle, const QVariant& valeur) {
    auto reglages = OuvrirReglages();
    // The same text already stored: nothing to write (writing syncs the whole store).
    const QVariant stocke = reglages->value(cle);
    if (stocke.isValid() && stocke.typeId() != QMetaType::QStringList &&
        stocke.toString() == valeur.toString())
        return;
    reglages->setValue(cle, valeur);
    reglages->sync();
    if (reglages->status() != QSettings::NoError)
        qWarning("Réglages : impossible d'enregistrer la valeur « %s ».", qUtf8Printable(cle));
}

std::optional<qint64> VersEntierLong(const QVariant& valeur) {
    switch (valeur.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::UChar:
    case QMetaType::SChar:
        return valeur.toLongLong();
    case QMetaType::ULongLong: {
        const qulonglong n = valeur.toULongLong();
        if (n > static_cast<qulonglong>(std::numeric_limits<qint64>::max())) return std::nullopt;
        return static_cast<qint64>(n);
    }
    case QMetaType::QString: {
        bool ok = false;
        const qint64 n = valeur.toString().trimmed().toLongLong(&ok);
        if (!ok) return std::nullopt;
        return n;
    }
    default:
        return std::nullopt;
    }
}

// Number of items read from a stored list at most; protects against a damaged "size".
constexpr int MaxElementsListe = 65536;

const QString CleTaille = QStringLiteral("size");
const QString CleNom = QStringLiteral("nom");

} // namespace

void DefinirFichierReglages(const QString& cheminIni) {
    FichierReglagesPrive() = cheminIni;
    ++generation;
}

std::unique_ptr<QSettings> OuvrirReglages() {
    std::unique_ptr<QSettings> reglages;
    const QString& fichier = FichierReglagesPrive();
    if (!fichier.isEmpty()) {
        reglages = std::make_unique<QSettings>(fichier, QSettings::IniFormat);
    } else {
#ifdef Q_OS_WIN
        reglages = std::make_unique<QSettings>(
            QStringLiteral("HKEY_CURRENT_USER\\Software\\Tavelin 2.x"), QSettings::NativeFormat);
#else
        reglages =
            std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                        QStringLiteral("Tavelin"), QStringLiteral("Tavelin 2.x"));
#endif
    }
    // Only the user's own store: no organisation-wide or system-wide fallback.
    reglages->setFallbacksEnabled(false);
    return reglages;
}

quint32 GenerationReglages() {
    return generation;
}

namespace Globales {

std::optional<qint32> VersEntier(const QVariant& valeur) {
    const auto n = VersEntierLong(valeur);
    if (!n || *n < std::numeric_limits<qint32>::min() || *n > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return static_cast<qint32>(*n);
}

std::optional<bool> VersBooleen(const QVariant& valeur) {
    if (valeur.typeId() == QMetaType::Bool) return valeur.toBool();
    if (const auto n = VersEntierLong(valeur)) return *n != 0;
    if (valeur.typeId() == QMetaType::QString) {
        const QString texte = valeur.toString().trimmed();
        if (texte.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) return true;
        if (texte.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) return false;
    }
    return std::nullopt;
}

std::optional<quint8> VersOctet(const QVariant& valeur) {
    const auto n = VersEntierLong(valeur);
    if (!n || *n < 0 || *n > 255) return std::nullopt;
    return static_cast<quint8>(*n);
}

std::optional<QString> VersChaine(const QVariant& valeur) {
    if (valeur.typeId() == QMetaType::QString) return valeur.toString();
    return std::nullopt;
}

qint32 LireEntier(const QString& nom, qint32 defaut) {
    return VersEntier(LireValeur(CleOption(nom))).value_or(defaut);
}

bool LireBooleen(const QString& nom, bool defaut) {
    return VersBooleen(LireValeur(CleOption(nom))).value_or(defaut);
}

quint8 LireOctet(const QString& nom, quint8 defaut) {
    return VersOctet(LireValeur(CleOption(nom))).value_or(defaut);
}

QString LireChaine(const QString& nom, const QString& defaut, const QString& sousCle) {
    return VersChaine(LireValeur(CheminValeur(sousCle, nom))).value_or(defaut);
}

void EcrireEntier(const QString& nom, qint32 valeur) {
    EcrireValeur(CleOption(nom), valeur);
}

void EcrireBooleen(const QString& nom, bool valeur) {
    EcrireValeur(CleOption(nom), valeur ? 1 : 0);
}

void EcrireOctet(const QString& nom, quint8 valeur) {
    EcrireValeur(CleOption(nom), static_cast<int>(valeur));
}

void EcrireChaine(const QString& nom, const QString& valeur, const QString& sousCle) {
    EcrireValeur(CheminValeur(sousCle, nom), valeur);
}

QStringList SansDoublons(const QStringList& liste) {
    QStringList resultat;
    resultat.reserve(liste.size());
    for (const QString& element : liste) {
        const bool present = std::any_of(resultat.cbegin(), resultat.cend(), [&](const QString& s) {
            return s.compare(element, Qt::CaseInsensitive) == 0;
        });
        if (!present) resultat.append(element);
    }
    return resultat;
}

QString SegmentCle(const QString& nom) {
    QString segment;
    segment.reserve(nom.size());
    for (const QChar c : nom) {
        if (c == QLatin1Char('%'))
            segment += QLatin1String("%25");
        else if (c == QLatin1Char('/'))
            segment += QLatin1String("%2F");
        else if (c == QLatin1Char('\\'))
            segment += QLatin1String("%5C");
        else
            segment += c;
    }
    return segment;
}

bool ListeExiste(QSettings& reglages, const QString& cle) {
    return reglages.contains(cle + QLatin1Char('/') + CleTaille);
}

std::optional<QStringList> LireListe(QSettings& reglages, const QString& cle) {
    if (!ListeExiste(reglages, cle)) return std::nullopt;
    const int taille = std::min(reglages.beginReadArray(cle), MaxElementsListe);
    QStringList liste;
    for (int i = 0; i < taille; ++i) {
        reglages.setArrayIndex(i);
        const QVariant valeur = reglages.value(CleNom);
        if (!valeur.isValid()) continue; // item removed by hand: the others keep their order
        // A hand-written INI line holding commas comes back as a list of texts.
        liste.append(valeur.typeId() == QMetaType::QStringList
                         ? valeur.toStringList().join(QLatin1String(", "))
                         : valeur.toString());
    }
    reglages.endArray();
    return SansDoublons(liste);
}

void EcrireListe(QSettings& reglages, const QString& cle, const QStringList& liste,
                 bool garderSousCles) {
    if (garderSousCles) {
        // Remove the array only: "size" and the "nom" of every numbered item.
        reglages.beginGroup(cle);
        reglages.remove(CleTaille);
        const QStringList groupes = reglages.childGroups();
        for (const QString& groupe : groupes) {
            bool numero = false;
            groupe.toInt(&numero);
            if (numero) reglages.remove(groupe + QLatin1Char('/') + CleNom);
        }
        reglages.endGroup();
    } else {
        reglages.remove(cle);
    }
    const QStringList elements = SansDoublons(liste);
    reglages.beginWriteArray(cle, static_cast<int>(elements.size()));
    for (int i = 0; i < elements.size(); ++i) {
        reglages.setArrayIndex(i);
        reglages.setValue(CleNom, elements.at(i));
    }
    reglages.endArray();
}

bool ListeExiste(const QString& cle) {
    return ListeExiste(*OuvrirReglages(), cle);
}

std::optional<QStringList> LireListe(const QString& cle) {
    return LireListe(*OuvrirReglages(), cle);
}

void EcrireListe(const QString& cle, const QStringList& liste) {
    auto reglages = OuvrirReglages();
    EcrireListe(*reglages, cle, liste);
    reglages->sync();
    if (reglages->status() != QSettings::NoError)
        qWarning("Réglages : impossible d'enregistrer la liste « %s ».", qUtf8Printable(cle));
}

void SupprimerCle(const QString& cle) {
    auto reglages = OuvrirReglages();
    reglages->remove(cle);
}

QString LireChemin() {
    return LireChaine(QStringLiteral("Chemin"), QString(), QString());
}

void EcrireChemin(const QString& chemin) {
    EcrireChaine(QStringLiteral("Chemin"), chemin, QString());
}

QStringList LecteursAmovibles() {
    QStringList lecteurs;
#ifdef Q_OS_WIN
    const DWORD masque = GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if (!(masque & (1u << i))) continue;
        const QChar lettre(QLatin1Char(static_cast<char>('A' + i)));
        const std::wstring racine = QString(lettre).toStdWString() + L":\\";
        if (GetDriveTypeW(racine.c_str()) == DRIVE_REMOVABLE) lecteurs.append(QString(lettre));
    }
#else
    const auto volumes = QStorageInfo::mountedVolumes();
    for (const QStorageInfo& volume : volumes) {
        if (!volume.isValid() || !volume.isReady()) continue;
        const QString racine = volume.rootPath();
        bool amovible = racine.startsWith(QLatin1String("/media/")) ||
                        racine.startsWith(QLatin1String("/run/media/"));
        if (!amovible) {
            const QString peripherique = QString::fromLocal8Bit(volume.device());
            if (peripherique.startsWith(QLatin1String("/dev/"))) {
                // /sys/class/block/<name> leads to the disk or to one of its partitions; the
                // "removable" flag belongs to the disk.
                QString canonique = QFileInfo(peripherique).canonicalFilePath();
                if (canonique.isEmpty()) canonique = peripherique;
                const QString bloc =
                    QFileInfo(QStringLiteral("/sys/class/block/") + QFileInfo(canonique).fileName())
                        .canonicalFilePath();
                if (!bloc.isEmpty()) {
                    for (const QString& dossier : {bloc, QFileInfo(bloc).path()}) {
                        QFile fichier(dossier + QLatin1String("/removable"));
                        if (fichier.open(QIODevice::ReadOnly)) {
                            amovible = fichier.readAll().trimmed() == "1";
                            break;
                        }
                    }
                }
            }
        }
        if (amovible && !lecteurs.contains(racine)) lecteurs.append(racine);
    }
    lecteurs.sort();
#endif
    return lecteurs;
}

QString ProprietaireEnregistre() {
#ifdef Q_OS_WIN
    QSettings machine(
        QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion"),
        QSettings::Registry64Format);
    return VersChaine(machine.value(QStringLiteral("RegisteredOwner"))).value_or(QString());
#else
    if (const passwd* utilisateur = getpwuid(getuid())) {
        if (utilisateur->pw_gecos) {
            // GECOS: full name, office, phones ... separated by commas.
            const QString nom = QString::fromLocal8Bit(utilisateur->pw_gecos)
                                    .section(QLatin1Char(','), 0, 0)
                                    .trimmed();
            if (!nom.isEmpty()) return nom;
        }
        if (utilisateur->pw_name && *utilisateur->pw_name)
            return QString::fromLocal8Bit(utilisateur->pw_name);
    }
    return qEnvironmentVariable("USER");
#endif
}

} // namespace Globales
