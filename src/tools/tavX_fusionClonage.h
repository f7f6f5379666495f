#pragma once
// Building new class files out of existing ones: the merge of several classes of the same
// students into one file of averages or series, and the clone of a class into one empty file per
// colleague. The windows and the command line share these routines, their checks and their
// messages; nothing here shows anything or asks anything.
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class TFichierTav;

namespace Outils {

// The text without \ / : * ? " < > | nor control characters (and, on Windows, without trailing
// dots and blanks), for a file name made of class data.
QString NomDeFichierValide(const QString& texte);
// Same number of lines and, line by line, the same text once upper-cased and trimmed.
bool ListesIdentiques(const QStringList& a, const QStringList& b);
// The lines of a pasted text, split on CR, LF or CRLF, trimmed, blank lines dropped.
QStringList LignesCollees(const QString& texte);

// What the copy of a class frame takes anew.
struct TCadre {
    QString enseignant, classe, ecole, matiere, annee, remarque;
};
// A new, empty class with the source's periods, report-card type and sections, and students;
// no series and no marks.
std::unique_ptr<TFichierTav> CopierCadre(const TFichierTav& source, const TCadre& cadre);

// Saves a class through the safe-write routine; false with the French message on failure.
bool EnregistrerClasse(TFichierTav& fichier, const QString& chemin, QString* erreur);

// ---- Merge ---------------------------------------------------------------------------------

enum class TDonneesFusion { Bulletin = 0, Types = 1, Series = 2 };

// The references of a merge: the students and the periods of the first file accepted.
struct TReferenceFusion {
    QStringList eleves, periodes;
    bool Vide() const { return eleves.isEmpty() && periodes.isEmpty(); }
};

// Reads a candidate of the merge and says why it is refused (the empty text when accepted, the
// first one accepted then giving the references). The messages name the file without its folder.
QString VerifierFichierFusion(const QString& chemin, TReferenceFusion& reference);

struct TParametresFusion {
    QList<int> periodes; // checked periods, 1-based
    TDonneesFusion donnees = TDonneesFusion::Bulletin;
    TCadre cadre;
    int sur = 20; // maximum of the series of averages
    QString date; // date of the new series, "dd/mm/yyyy"
};

// Default frame of a merge (the wizard's last page) for its first file.
TCadre CadreFusionParDefaut(const TFichierTav& premier, const QString& enseignant);

// The number of series a merge would create.
int NombreSeriesFusion(const std::vector<const TFichierTav*>& fichiers,
                       const TParametresFusion& parametres);

// The merged class, or nullptr with the French reason (too many series for a class file). The
// files are in their list order; the first one gives the frame.
std::unique_ptr<TFichierTav> Fusionner(const std::vector<const TFichierTav*>& fichiers,
                                       const TParametresFusion& parametres, QString* erreur);

// ---- Clone ---------------------------------------------------------------------------------

struct TCollegue {
    QString enseignant, matiere;
};

// The path of the clone for a colleague in a folder.
QString CheminClone(const TFichierTav& source, const QString& dossier, const TCollegue& collegue);
// The empty copy for a colleague, with the students' birth dates and repeating flags.
std::unique_ptr<TFichierTav> Cloner(const TFichierTav& source, const TCollegue& collegue);

// The checks before any clone is written: the clone paths must differ from each other, from the
// source file and from every file open in a sheet. Returns the French reason of a refusal, or
// the empty text.
QString VerifierClonage(const TFichierTav& source, const QStringList& chemins,
                        const QList<TCollegue>& collegues, const QStringList& fichiersOuverts);

// "Un fichier créé avec succès" or "N fichiers créés avec succès.".
QString MessageClonage(int nombre);

} // namespace Outils
