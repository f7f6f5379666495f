#pragma once
// The class sheet's commands that add a series through TFormNouvelleSerieDeNotes: "&Ajouter une
// série de notes ..." and "Im&porter une série de notes ... / depuis un fichier texte". Each
// returns the period that received the new series (1-based), or 0 when nothing was added; the
// sheet then makes that period current, refreshes its grids and selects the first student's
// cell of the new column.
#include <QPixmap>
#include <QString>
#include <QStringList>

class QWidget;
class TFichierTav;

namespace CommandesSeries {

QString MessageLimiteAjout();       // "Impossible d'ajouter une série de notes. ..."
QString MessageLimiteImportation(); // "Impossible d'importer une série de notes. ..."

// The 255-series limit, the dialog captioned "Nouvelle série de notes" on the current period,
// then AjouterSerie and InvaliderCalculs.
int AjouterSerieDeNotes(QWidget* feuille, TFichierTav& fichier, int periodeCourante,
                        const QPixmap& logo);

// The 255-series limit, the open dialog "Informations sur la série de notes à importer", the
// series dialog captioned the same; then the new series gets line i of the file as the mark of
// student i (empty beyond the end of the file). The file is read before anything is added: a
// file that cannot be read, or that holds a character a class file cannot hold, adds nothing.
int ImporterSerieDeNotesTexte(QWidget* feuille, TFichierTav& fichier, int periodeCourante,
                              const QPixmap& logo);

// The lines of a text file of marks (UTF-8, or else Windows-1252; any line ending; no line for
// the end of the last one), each trimmed, a number written with a decimal point turned into the
// decimal comma ("12.5" -> "12,5"). False with a French message when it cannot be read.
bool LireNotesTexte(const QString& chemin, QStringList& notes, QString& erreur);

} // namespace CommandesSeries
