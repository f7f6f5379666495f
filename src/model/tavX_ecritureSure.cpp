#include "tavX_ecritureSure.h"

#include <QFile>
#include <QLocale>
#include <QRandomGenerator>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// Written for POSIX systems: the file descriptors give the errno of every step, which the
// French causes need, and the syncs that Qt's file classes do not offer.

namespace Tav {

namespace {

TPanneEcriture& Panne() {
    static TPanneEcriture panne;
    return panne;
}

int Injectee(TEtapeEcriture etape) {
    const TPanneEcriture& panne = Panne();
    return panne ? panne(etape) : 0;
}

QByteArray DossierDe(const QByteArray& chemin) {
    const qsizetype barre = chemin.lastIndexOf('/');
    if (barre < 0) return QByteArrayLiteral(".");
    if (barre == 0) return QByteArrayLiteral("/");
    return chemin.left(barre);
}

QByteArray BaseDe(const QByteArray& chemin) {
    return chemin.mid(chemin.lastIndexOf('/') + 1);
}

// A cause that follows "invalide : " starts with a small letter.
QString Minuscule(QString texte) {
    if (!texte.isEmpty()) texte[0] = texte.at(0).toLower();
    return texte;
}

int Synchroniser(int fd) {
#ifdef Q_OS_LINUX
    return ::fdatasync(fd);
#else
    return ::fsync(fd);
#endif
}

} // namespace

QString CauseErreurSysteme(int code, TObjetErreur objet) {
    switch (code) {
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("Le disque est plein");
    case EACCES:
    case EPERM:
        switch (objet) {
        case TObjetErreur::Dossier:
            return QStringLiteral("Vous n'avez pas le droit d'écrire dans ce dossier");
        case TObjetErreur::Fichier:
            return QStringLiteral("Le fichier est en lecture seule");
        case TObjetErreur::Lecture:
            return QStringLiteral("Vous n'avez pas le droit de lire ce fichier");
        }
        break;
    case EROFS:
        return QStringLiteral("Le disque est en lecture seule");
    case EISDIR:
        return QStringLiteral("Ce chemin est un dossier");
    case ENAMETOOLONG:
        return QStringLiteral("Nom de fichier trop long");
    case ENOENT:
        return objet == TObjetErreur::Lecture ? QStringLiteral("Le fichier n'existe pas")
                                              : QStringLiteral("Le dossier n'existe pas");
    case ENOTDIR:
        return QStringLiteral("Une partie du chemin n'est pas un dossier");
    case EIO:
        return QStringLiteral("Erreur d'entrée-sortie : le disque est peut-être abîmé ou a été "
                              "retiré");
    case EFBIG:
        return QStringLiteral("Le fichier est trop gros pour ce disque");
    case ETXTBSY:
    case EBUSY:
        return QStringLiteral("Le fichier est occupé par un autre programme");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("Trop de fichiers sont ouverts");
    case ENXIO:
    case ENODEV:
        return QStringLiteral("Ce chemin n'est pas un fichier ordinaire");
    case ELOOP:
        return QStringLiteral("Trop de liens symboliques dans le chemin");
    default:
        break;
    }
    return QStringLiteral("Erreur du système (%1)").arg(qt_error_string(code));
}

QString CheminCanonique(const QString& chemin) {
    const QFileInfo info(chemin);
    const QString c = info.canonicalFilePath();
    return c.isEmpty() ? info.absoluteFilePath() : c;
}

bool NomRepresentable(const QString& chemin) {
    if (chemin.contains(QChar::ReplacementCharacter) || chemin.contains(QChar(0))) return false;
    return QFile::decodeName(QFile::encodeName(chemin)) == chemin;
}

QString CauseNomNonRepresentable() {
    return QStringLiteral("Le nom du fichier contient des caractères que le système ne sait pas "
                          "écrire : choisissez un autre nom");
}

void DefinirPanneEcriture(TPanneEcriture panne) {
    Panne() = std::move(panne);
}

// ---- TEcritureSure ---------------------------------------------------------------------------

TEcritureSure::TEcritureSure(const QString& chemin) : chemin(chemin) {}

TEcritureSure::~TEcritureSure() {
    Abandonner();
}

bool TEcritureSure::Echec(int code, TObjetErreur objet, const QString& precision) {
    cause = precision.isEmpty() ? CauseErreurSysteme(code, objet) : precision;
    Abandonner();
    return false;
}

void TEcritureSure::Abandonner() {
    if (fd >= 0) ::close(fd);
    fd = -1;
    if (!temporaire.isEmpty()) ::unlink(temporaire.constData());
    temporaire.clear();
    ecrits = 0;
}

bool TEcritureSure::Ouvrir() {
    Abandonner();
    cause.clear();
    if (chemin.isEmpty()) {
        cause = QStringLiteral("Aucun nom de fichier n'est donné");
        return false;
    }
    if (!NomRepresentable(chemin)) {
        cause = CauseNomNonRepresentable();
        return false;
    }
    cible = QFile::encodeName(chemin);

    struct stat etat {};
    bool existe = false;
    if (::lstat(cible.constData(), &etat) == 0) {
        if (S_ISLNK(etat.st_mode)) {
            // Through a link, as an editor would: the link stays and its target is replaced.
            char* reel = ::realpath(cible.constData(), nullptr);
            if (!reel) {
                cause = QStringLiteral("Ce nom est un lien vers un fichier qui n'existe pas");
                return false;
            }
            cible = QByteArray(reel);
            std::free(reel);
            if (::stat(cible.constData(), &etat) != 0) return Echec(errno, TObjetErreur::Dossier);
        }
        existe = true;
    } else if (errno != ENOENT) {
        return Echec(errno, TObjetErreur::Dossier);
    }
    if (existe) {
        if (S_ISDIR(etat.st_mode)) return Echec(EISDIR, TObjetErreur::Fichier);
        if (!S_ISREG(etat.st_mode)) return Echec(ENXIO, TObjetErreur::Fichier);
        // A file without any write permission is read-only for everybody, the administrator
        // too: replacing it by a rename would go around what its owner asked for.
        if ((etat.st_mode & 0222) == 0) return Echec(EACCES, TObjetErreur::Fichier);
        if (::faccessat(AT_FDCWD, cible.constData(), W_OK, AT_EACCESS) != 0)
            return Echec(errno, TObjetErreur::Fichier);
    }

    const QByteArray dossier = DossierDe(cible);
    const QByteArray prefixe =
        (dossier == "/" ? QByteArray() : dossier) + "/." + BaseDe(cible).left(200) + '.';
    const mode_t mode = existe ? (etat.st_mode & 0777) : 0666;
    for (int essai = 0; essai < 16 && fd < 0; ++essai) {
        if (const int e = Injectee(TEtapeEcriture::Ouverture))
            return Echec(e, TObjetErreur::Dossier);
        const QByteArray nom =
            prefixe + QByteArray::number(QRandomGenerator::global()->generate(), 36) + ".tmp";
        fd = ::open(nom.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0) {
            temporaire = nom;
        } else if (errno != EEXIST) {
            return Echec(errno, TObjetErreur::Dossier);
        }
    }
    if (fd < 0) return Echec(EEXIST, TObjetErreur::Dossier);
    if (existe) {
        // The new file keeps the permissions of the old one (and its owner, when the
        // administrator saves a user's file). Neither is worth failing the save for.
        [[maybe_unused]] int r = ::fchmod(fd, mode);
        if (::geteuid() == 0 && (etat.st_uid != 0 || etat.st_gid != 0))
            r = ::fchown(fd, etat.st_uid, etat.st_gid);
    }
    return true;
}

bool TEcritureSure::Ecrire(const char* octets, qint64 taille) {
    if (fd < 0) {
        if (cause.isEmpty()) cause = QStringLiteral("Le fichier n'est pas ouvert");
        return false;
    }
    while (taille > 0) {
        if (const int e = Injectee(TEtapeEcriture::Ecriture))
            return Echec(e, TObjetErreur::Dossier);
        const ssize_t n = ::write(fd, octets, size_t(std::min<qint64>(taille, 1 << 20)));
        if (n < 0) {
            if (errno == EINTR) continue;
            return Echec(errno, TObjetErreur::Dossier);
        }
        if (n == 0) return Echec(ENOSPC, TObjetErreur::Dossier);
        octets += n;
        taille -= n;
        ecrits += n;
    }
    return true;
}

bool TEcritureSure::Valider() {
    if (fd < 0) {
        if (cause.isEmpty()) cause = QStringLiteral("Le fichier n'est pas ouvert");
        return false;
    }
    struct stat etat {};
    int e = Injectee(TEtapeEcriture::Taille);
    if (!e && ::fstat(fd, &etat) != 0) e = errno;
    if (e) return Echec(e, TObjetErreur::Dossier);
    if (etat.st_size != ecrits)
        return Echec(EIO, TObjetErreur::Dossier,
                     QStringLiteral("Le fichier écrit n'a pas la taille attendue (%1 octets sur "
                                    "%2) : le disque est peut-être plein ou abîmé")
                         .arg(qint64(etat.st_size))
                         .arg(ecrits));

    e = Injectee(TEtapeEcriture::Synchronisation);
    if (!e && Synchroniser(fd) != 0) e = errno;
    if (e) return Echec(e, TObjetErreur::Dossier);

    e = Injectee(TEtapeEcriture::Fermeture);
    const int ferme = ::close(fd);
    if (!e && ferme != 0 && errno != EINTR) e = errno;
    fd = -1;
    if (e) return Echec(e, TObjetErreur::Dossier);

    e = Injectee(TEtapeEcriture::Renommage);
    if (!e && ::rename(temporaire.constData(), cible.constData()) != 0) e = errno;
    if (e) return Echec(e, TObjetErreur::Dossier);
    temporaire.clear();

    // The rename lasts only once the folder is on the disk too.
    e = Injectee(TEtapeEcriture::SynchronisationDossier);
    if (!e) {
        const int dossier =
            ::open(DossierDe(cible).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        // A folder that cannot be opened or synced (some file systems refuse it) is left as
        // the system keeps it.
        if (dossier >= 0) {
            if (::fsync(dossier) != 0 && errno != EINVAL && errno != ENOTSUP) e = errno;
            ::close(dossier);
        }
    }
    if (e) {
        cause = QStringLiteral("Le fichier a été écrit, mais le disque n'a pas confirmé "
                               "l'enregistrement (%1)")
                    .arg(CauseErreurSysteme(e, TObjetErreur::Dossier));
        return false;
    }
    ecrits = 0;
    return true;
}

// ---- Whole files -----------------------------------------------------------------------------

bool EcrireFichierSur(const QString& chemin, const QByteArray& octets, QString* cause) {
    TEcritureSure ecriture(chemin);
    const bool ok = ecriture.Ouvrir() && ecriture.Ecrire(octets) && ecriture.Valider();
    if (!ok && cause) *cause = ecriture.Cause();
    return ok;
}

bool CopierFichierSur(const QString& source, const QString& cible, qint64 tailleMaximale,
                      QString* cause) {
    QByteArray octets;
    QString raison;
    if (!LireFichierOrdinaire(source, tailleMaximale, octets, &raison)) {
        if (cause) *cause = QStringLiteral("Le fichier à copier est illisible : ") + raison;
        return false;
    }
    return EcrireFichierSur(cible, octets, cause);
}

bool LireFichierOrdinaire(const QString& chemin, qint64 tailleMaximale, QByteArray& octets,
                          QString* cause) {
    octets.clear();
    auto echec = [cause](const QString& texte) {
        if (cause) *cause = texte;
        return false;
    };
    if (chemin.isEmpty()) return echec(QStringLiteral("aucun nom de fichier n'est donné"));
    if (!NomRepresentable(chemin)) return echec(Minuscule(CauseNomNonRepresentable()));
    // Without blocking: opening a pipe for reading would wait for a writer.
    const int fd =
        ::open(QFile::encodeName(chemin).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const int e = errno;
        return echec(QStringLiteral("impossible d'ouvrir le fichier : ") +
                     Minuscule(CauseErreurSysteme(e, TObjetErreur::Lecture)));
    }
    struct Fermer {
        int fd;
        ~Fermer() { ::close(fd); }
    } fermer{fd};
    struct stat etat {};
    if (::fstat(fd, &etat) != 0)
        return echec(QStringLiteral("impossible de lire le fichier : ") +
                     Minuscule(CauseErreurSysteme(errno, TObjetErreur::Lecture)));
    if (S_ISDIR(etat.st_mode)) return echec(QStringLiteral("c'est un dossier, pas un fichier"));
    if (S_ISFIFO(etat.st_mode)) return echec(QStringLiteral("c'est un tube, pas un fichier"));
    if (S_ISCHR(etat.st_mode) || S_ISBLK(etat.st_mode))
        return echec(QStringLiteral("c'est un périphérique, pas un fichier"));
    if (!S_ISREG(etat.st_mode)) return echec(QStringLiteral("ce n'est pas un fichier ordinaire"));
    const QString tropGrand = QStringLiteral("fichier trop volumineux (plus de %1 octets)")
                                  .arg(QLocale(QLocale::French).toString(tailleMaximale));
    if (etat.st_size > tailleMaximale) return echec(tropGrand);

    // One byte more than allowed tells a file that grew since fstat().
    const qint64 borne = tailleMaximale + 1;
    octets.resize(qsizetype(std::min<qint64>(qint64(etat.st_size) + 1, borne)));
    qint64 lus = 0;
    for (;;) {
        if (lus == octets.size()) {
            if (lus >= borne) break;
            octets.resize(qsizetype(std::min<qint64>(lus * 2 + 4096, borne)));
        }
        const ssize_t n = ::read(fd, octets.data() + lus, size_t(octets.size() - lus));
        if (n < 0) {
            if (errno == EINTR) continue;
            const int e = errno;
            octets.clear();
            return echec(QStringLiteral("impossible de lire le fichier : ") +
                         Minuscule(CauseErreurSysteme(e, TObjetErreur::Lecture)));
        }
        if (n == 0) break;
        lus += n;
    }
    octets.truncate(qsizetype(lus));
    if (lus > tailleMaximale) {
        octets.clear();
        return echec(tropGrand);
    }
    return true;
}

} // namespace Tav
