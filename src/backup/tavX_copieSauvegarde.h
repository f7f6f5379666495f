#pragma once
// The copy of a backup: each checked class file goes into the target folder under its own name,
// through the safe write (a temporary name beside it, then a rename), so that a copy that fails
// half-way never leaves a truncated backup in place of a good one. Before replacing a file the
// copy asks; a file that would be copied onto itself (target folder = its own folder) and a
// second source of the same name are skipped with a note, never written.
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace Sauvegarde {

// Answer to "replace this backup?".
enum class TReponseRemplacement { Oui, OuiPourTous, Non, Annuler };

// What became of one source file.
struct TResultatFichier {
    enum class TEtat { Copie, Remplace, Garde, MemeFichier, Doublon, Echec, NonTraite };
    QString source;
    QString cible;
    TEtat etat = TEtat::NonTraite;
    QString cause; // French cause of a failure or of a skip
};

struct TBilanCopie {
    QList<TResultatFichier> fichiers;
    bool annule = false;
    bool dossierInvalide = false;
    QString causeDossier;

    int Nombre(TResultatFichier::TEtat etat) const;
    // The closing summary shown to the user.
    QString Resume() const;
    // True when something went wrong (a failure, a skipped file or a bad folder).
    bool Incident() const;
};

struct TRappelsCopie {
    // Asked before replacing an existing file (its path in the target folder).
    std::function<TReponseRemplacement(const QString& cible)> remplacer;
    // Called before each file: its position (0-based), the count and the file; false cancels.
    std::function<bool(int position, int nombre, const QString& source)> progression;
};

// Largest class file copied (a class file is a few tens of kilobytes).
inline constexpr qint64 TailleMaximaleSauvegarde = qint64(256) * 1024 * 1024;

// Copies the sources into the folder (created when missing).
TBilanCopie Copier(const QStringList& sources, const QString& dossier,
                   const TRappelsCopie& rappels);

} // namespace Sauvegarde
