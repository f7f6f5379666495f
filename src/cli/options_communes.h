#pragma once
// What the commands share in reading their arguments: the options of those that take
// "--nom valeur" or "--nom=valeur" (averages, summary, report-cards), read and refused the same
// way by each of them, and the class files given on the command line.
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace Cli {

// A whole number written with digits only, within [min, max].
std::optional<int> LireEntier(const QString& texte, int min, int max);

// The files in their order, a file given twice (under any path) kept once.
QStringList SansDoublons(const QStringList& fichiers);

// The settings of the averages a command can be given; those not given are Tavelin's.
struct TReglagesMoyennes {
    std::optional<int> sur, arrondi, arrondiAnnuel, typeAnnuel;

    int Sur() const;
    int Arrondi() const;
    int ArrondiAnnuel() const;
    int TypeAnnuel() const;
};

// The arguments of one command: each option is declared with what its value does, the other
// arguments (those that do not start with "--") are the class files. Lire() prints the first
// usage error it meets.
class TOptionsCommande {
public:
    enum class TFichiers { Un, AuMoinsUn };

    TOptionsCommande(const QString& commande, TFichiers fichiers);

    // "--nom" alone sets `valeur` to `etat`; "--nom=…" is refused.
    void Interrupteur(const char* nom, bool& valeur, bool etat = true);
    // "--nom" alone runs `action`; what follows an "=" is ignored.
    void Drapeau(const char* nom, std::function<void()> action);
    // "--nom N", N a whole number within [min, max].
    void Entier(const char* nom, int min, int max, std::optional<int>& valeur);
    // "--nom TEXTE"; with `nonVide`, an empty text counts as no text.
    void Texte(const char* nom, std::function<void(const QString&)> prendre, bool nonVide = false);
    // "--sur S" and "--arrondi M"; with `annuels`, "--arrondi-annuel M" and "--type-annuel T".
    void Moyennes(TReglagesMoyennes& reglages, bool annuels);

    // Reads the arguments (--help aside): 0, or 2 once the usage error is printed.
    int Lire(const QStringList& args);

    const QStringList& Fichiers() const { return fichiers; }

private:
    struct TOption {
        QString nom;
        enum class TGenre { Interrupteur, Drapeau, Valeur } genre;
        // Takes the value ("" for a switch); returns the usage error, empty if none.
        std::function<QString(const QString&)> prendre;
    };

    QString commande;
    TFichiers attendus;
    QList<TOption> options;
    QStringList fichiers;
};

} // namespace Cli
