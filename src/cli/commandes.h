#pragma once
// The commands of tavelin-cli. Each takes the arguments after its name and
// returns the exit code: 0 success, 1 a file could not be read or is not a
// valid class file, 2 a usage error.
#include <QJsonValue>
#include <QString>
#include <QStringList>
#include <memory>

class TFichierTav;

int CommandeInfo(const QStringList& args);
int CommandeConvert(const QStringList& args);
int CommandeCheck(const QStringList& args);
int CommandeAverages(const QStringList& args);
int CommandeSummary(const QStringList& args);
// Needs a QGuiApplication (main creates one for it).
int CommandePrint(const QStringList& args);
int CommandeMerge(const QStringList& args);
int CommandeClone(const QStringList& args);
int CommandeExport(const QStringList& args);
int CommandeReportCards(const QStringList& args);

namespace Cli {
// Writes UTF-8 text to standard output / standard error.
void Sortie(const QString& texte);
void Erreur(const QString& texte);
// Prints a JSON document (compact, one line) on standard output.
void SortieJson(const QJsonValue& valeur);
// Loads a class file quietly; on failure prints "FILE: cause" on stderr and
// returns nullptr.
std::unique_ptr<TFichierTav> ChargerClasse(const QString& chemin);
// A usage error: message + hint on stderr, returns 2.
int ErreurUsage(const QString& commande, const QString& message);
// When the arguments ask for help (--help or -h), prints `aide` and returns true.
bool DemandeAide(const QStringList& args, const QString& aide);
} // namespace Cli
