#pragma once
// The report cards of a class: one card per chosen student and one period, gathered from several
// class files of the same class (one per subject). Each file is read once, checked against the
// others, its figures taken, then released; every card is then built from its own student's
// record, so the cards come out the same whatever the order in which they are drawn.
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class TFichierTav;

namespace Bulletins {

// True when both lists have as many lines and each line equals the other's at the same place
// once both are trimmed and upper-cased.
bool ListesIdentiques(const QStringList& a, const QStringList& b);
// The text without \ / : * ? " < > |, to build a file name from class data.
QString NomDeFichierValide(const QString& texte);

// The lists every file of one set of cards must share, taken from the first file accepted.
struct TReference {
    QStringList eleves;
    QStringList periodes;
    QStringList sections;
    QString typeBulletins;
    bool Vide() const { return eleves.isEmpty(); }
};

// Loads one class file and checks it against the reference (the reference is taken from it
// when still empty). On refusal returns nullptr and the user's message in `message`; the
// reference is then left as it was.
std::unique_ptr<TFichierTav> ChargerFichier(const QString& chemin, TReference& reference,
                                            QString& message);

// "Impossible de lire le fichier "name" !"
QString MessageIllisible(const QString& chemin);

struct TOptions {
    int periode = 1;           // 1..P
    QList<int> eleves;         // students (1-based, reference order); empty: every student
    QStringList nomsEleves;    // or by name (letter case and surrounding blanks ignored)
    bool appreciations = true; // the section columns
    bool enseignant = false;   // the teacher's name under the subject
    bool masquerMinMax = false;
    int arrondi = 0; // rounding of the period averages
    int sur = 0;     // scale of the averages; 0 follows the setting
    // The texts of the cards; absent ones are taken from the first file.
    std::optional<QString> ecole, anneeScolaire, nomPeriode;
    QString intituleCadre = QStringLiteral("Appréciation du chef d'établissement");
    QString logo; // picture file; empty for none
};

// One card: the texts around the table and the table itself (header then rows, the last row
// being "Moyenne générale").
struct TCarte {
    QString eleve; // "Name (Class)"
    QString ecole, anneeScolaire, nomPeriode, intituleCadre, logo;
    QStringList colonnes;
    QList<QStringList> lignes;
    int sections = 0; // number of section columns at the end
    bool masquerMinMax = false;
};

struct TJeu {
    int periode = 0;
    QString nomPeriode;
    QString classe;
    QList<TCarte> cartes;
};

// Why gathering stopped: a file at fault (named in the message) or a choice that the files
// cannot honour (a period or a student they do not have).
enum class TEchec { Aucun, Fichier, Choix };

// Gathers the cards of the given files, in subject order. `attendue`, when given, is the
// reference the files were accepted with (a file changed on disk since is refused). Returns
// false with the user's message.
bool Rassembler(const QStringList& fichiers, const TOptions& options, TJeu& jeu, QString& message,
                const TReference* attendue = nullptr, TEchec* echec = nullptr);

} // namespace Bulletins
