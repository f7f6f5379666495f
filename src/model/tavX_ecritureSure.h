#pragma once
// Files written and read safely.
//
// Writing: the new content goes to a temporary file in the same folder; every step is checked
// (open, each write, the size on disk, the sync to the disk, the close) and only then does the
// temporary file take the place of the old one by an atomic rename, after which the folder is
// synced too. On any failure the old file is left exactly as it was, the temporary file is
// removed and a French cause tells the user what went wrong. Every writer of the program goes
// through here: class files, copies, backups, clones, merges, exports, PDFs.
//
// Reading: only regular files are read (a pipe or a device would block or never end), and
// never more than a given size.
#include <QByteArray>
#include <QString>
#include <functional>

namespace Tav {

// The steps of a safe write, in their order.
enum class TEtapeEcriture {
    Ouverture,             // creating the temporary file
    Ecriture,              // each write() of the content
    Taille,                // the size on disk checked against what was written
    Synchronisation,       // fdatasync() of the file
    Fermeture,             // close() of the file
    Renommage,             // the temporary file takes the place of the file
    SynchronisationDossier // fsync() of the folder, which makes the rename last
};

// Where a system error struck, for the cause shown to the user.
enum class TObjetErreur {
    Dossier, // creating a file in a folder
    Fichier, // replacing an existing file
    Lecture  // reading a file
};

// The French cause of a system error code (errno).
QString CauseErreurSysteme(int code, TObjetErreur objet);

// True when the system can name this file exactly: the name carries no character that its
// encoding cannot hold (an old Latin-1 name read on a UTF-8 system shows U+FFFD, and writing
// to it would write another file).
bool NomRepresentable(const QString& chemin);
// The cause given for a name that is not.
QString CauseNomNonRepresentable();
// A path as the system resolves it (links and ".." followed, letter case kept), so that two names
// of the same file compare equal; the absolute path when the file does not exist.
QString CheminCanonique(const QString& chemin);

// Test seam: called before each step; a non-zero return makes the step fail with that errno,
// as a full disk or a failing drive would. An empty function (the default) fails nothing.
using TPanneEcriture = std::function<int(TEtapeEcriture etape)>;
void DefinirPanneEcriture(TPanneEcriture panne);

// One safe write: Ouvrir, Ecrire as many times as needed, then Valider. Abandonner (or the
// destructor) before Valider removes the temporary file and leaves the old one untouched.
class TEcritureSure {
public:
    explicit TEcritureSure(const QString& chemin);
    ~TEcritureSure();
    TEcritureSure(const TEcritureSure&) = delete;
    TEcritureSure& operator=(const TEcritureSure&) = delete;

    bool Ouvrir();
    bool Ecrire(const char* octets, qint64 taille);
    bool Ecrire(const QByteArray& octets) { return Ecrire(octets.constData(), octets.size()); }
    // Checks the size, syncs, closes and renames. False on any failure: the file is then the
    // old one, except when only the sync of the folder failed (the new content is in place
    // but the disk did not confirm it lasts).
    bool Valider();
    void Abandonner();

    // The French cause of the failure.
    const QString& Cause() const { return cause; }

private:
    bool Echec(int code, TObjetErreur objet, const QString& precision = QString());

    QString chemin;
    QByteArray cible;      // the file replaced, links resolved, in the system's encoding
    QByteArray temporaire; // the temporary file beside it
    int fd = -1;
    qint64 ecrits = 0;
    QString cause;
};

// The whole content in one safe write; the cause of a failure goes to `cause`.
bool EcrireFichierSur(const QString& chemin, const QByteArray& octets, QString* cause = nullptr);

// A copy through the same checks; the source must be a regular file of at most
// `tailleMaximale` bytes.
bool CopierFichierSur(const QString& source, const QString& cible, qint64 tailleMaximale,
                      QString* cause = nullptr);

// Reads a regular file of at most `tailleMaximale` bytes without ever blocking. Returns false
// with a French cause (starting with a small letter, to follow "invalide : ") for a missing or
// unreadable file, a folder, a pipe, a device or a file too large.
bool LireFichierOrdinaire(const QString& chemin, qint64 tailleMaximale, QByteArray& octets,
                          QString* cause = nullptr);

} // namespace Tav
