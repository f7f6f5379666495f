#pragma once
// Small pieces shared by the series tools (reorganise, delete, import, combine, rescale) and the
// student-list import: count texts, the student-list comparison, today's series date, maxima
// read as whole numbers and the rounding of a computed mark.
#include <QString>
#include <QStringList>

class QButtonGroup;
class QGroupBox;
class QListWidget;
class QWidget;
class TFichierTav;

namespace OutilsSeries {

// "aucune série de notes", "1 série de notes", "n séries de notes".
QString TexteNombreSeries(int n);

// True when both lists have as many lines and each line of a equals the line of b at the same
// place once both are trimmed and their letters a-z upper-cased.
bool ListesIdentiques(const QStringList& a, const QStringList& b);

// Today's date as a class file stores the date of a series ("dd/MM/yyyy"), whatever the locale.
QString DateDuJour();

// A maximum mark ("Noté sur") read as a whole number from 1 to 1000; false otherwise.
bool LireNoteSurEntiere(const QString& texte, int& valeur);

// A computed mark: two decimals, then the rounding of averages (modes 0 to 3). Never empty for
// a finite value: when the rounding gives nothing, the two-decimal text is kept.
QString TexteNoteCalculee(long double valeur, int mode);

// The titles of the series of period p, in order.
QStringList IntitulesSeries(const TFichierTav& fichier, int p);

// Fills a list widget with texts (optionally checkable, unticked), keeping the row selected
// when it still exists.
void RemplirListe(QListWidget* liste, const QStringList& textes, bool cochable = false);

// A frame of exclusive choices (ids 0, 1, ...), the first chosen.
QGroupBox* GroupeChoix(QWidget* parent, const QString& titre, const QStringList& choix,
                       QButtonGroup*& groupe);

// The messages of the 255-series limit.
QString MessageLimiteCreation();

} // namespace OutilsSeries
