#pragma once
// The host of the export plug-ins: discovery of the libraries of the "export" folders, their
// information, and one export through the C table of tavelin/export.h. Each library is loaded by
// its absolute path for one step only and unloaded afterwards; the current folder never changes;
// no call into a plug-in lets an exception through.
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class TFichierTav;

namespace Outils {

struct TFormatExport {
    QString bibliotheque; // absolute path of the library
    int numero = 0;       // 1..N within the library
    QString description;  // short description
};

// The plug-in folders: "export" beside the executable, and on an installed Linux system the
// library folder's "tavelin/export". Tests replace them.
QStringList DossiersExport();
void DefinirDossiersExport(const QStringList& dossiers); // empty: the standard ones again

// Every format of the valid plug-ins of the folders, libraries sorted by name.
QList<TFormatExport> DecouvrirFormats(const QStringList& dossiers = DossiersExport());

// The information text of a format ("Librairie d'exportation pour Tavelin ..."); empty when the
// library can no longer be loaded.
QString InformationsFormat(const TFormatExport& format);

// What the host does for the plug-in that needs the user.
struct TServicesExport {
    // The save dialog (asking before replacing); empty when cancelled.
    std::function<QString(const QString& titre, const QString& filtre, const QString& extension,
                          const QString& nomPropose)>
        demanderFichier;
    std::function<void(const QString& message)> signalerErreur;
    // Called after each file really saved.
    std::function<void(const QString& chemin)> fichierEnregistre;
};

enum class TResultatExport { Fait, Echec, Annule, Defectueuse };

// Loads the library, calls its exporter with the class, unloads it.
TResultatExport Exporter(const TFormatExport& format, const TFichierTav& fichier,
                         const TServicesExport& services);

// The text a plug-in returns, copied: NULL empty, invalid UTF-8 replaced, cut at 255 characters.
QString TexteGreffon(const char* texte);

} // namespace Outils
