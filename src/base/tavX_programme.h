#pragma once
// The program's identity, its folder, its pictures (logo, background, tool bar icons) and the
// desktop programs it starts (calculator, mail).
#include <QIcon>
#include <QPixmap>
#include <QString>

class QWidget;

namespace Programme {

// "Tavelin": the caption of every message box.
QString Nom();
// The application title: "Tavelin 2.9".
QString Titre();
// The main window caption: "Tavelin version 2.9b".
QString Legende();
// Folder of the running program, with its trailing separator.
QString Dossier();
// A file shipped with the program: beside it (a build, a Windows folder), else in the data folder
// of an installed program (<prefix>/bin/tavelin and <prefix>/share/tavelin/<nom>). The canonical
// path, or empty when neither exists.
QString FichierDonnees(const QString& nom);
// The user guide shipped with the program (HTML); empty when it cannot be found.
QString FichierAide();
// Address of the version document of the update check, chosen when the program is built; empty
// when the program is built without the check.
QString AdresseMiseAJour();

// "logo.bmp" from the program's folder when it exists and loads, otherwise the built-in logo.
QPixmap Logo();
QPixmap LogoInterne();
// Tile painted behind the class sheets.
QPixmap MotifFond();

// Pictures of the commands and of the bottom bar of a class sheet.
enum class TImage {
    Nouveau,
    Ouvrir,
    Imprimer,
    Enregistrer,
    Configurer,
    Quitter,
    Recalculer,
    AgrandirMoyennes,
    AgrandirNotes,
    Equilibrer,
    FeuVert,
    FeuRouge
};
QIcon Icone(TImage image);

// Starts the first calculator found (calc.exe on Windows; gnome-calculator, kcalc, galculator,
// mate-calc or xcalc elsewhere), or says that there is none.
void LancerCalculatrice(QWidget* parent);
// The calculator that LancerCalculatrice would start (empty when there is none).
QString CheminCalculatrice();

// Sends a class file as the single attachment of a new message in the user's mail program,
// with the subject "Envoi du fichier Tavelin : " + file name; shows the failure message when no
// mail program can be reached.
void EnvoyerParCourrier(QWidget* parent, const QString& chemin);

} // namespace Programme
