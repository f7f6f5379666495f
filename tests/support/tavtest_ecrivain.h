#pragma once
// Test helpers for class files: a field writer that builds ".tav" bytes field
// by field, complete files of every layout from a small description, a field
// splitter to inspect what the program wrote, a snapshot of everything a class
// file object shows, and a private settings store.
//
// The writer has its own Windows-1252 table, independent of the program's, so
// that a fault in the program's codec cannot hide behind the same fault here.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <optional>

class TFichierTav;

namespace TavTest {

// Windows-1252 of the tests (the five unassigned bytes are the C1 controls).
QChar CaractereDeOctet(unsigned char octet);
std::optional<QByteArray> EnWindows1252(const QString& texte);

// Builds a byte array of fields: a length byte then the bytes of the text.
class Champs {
public:
    // A text field; aborts the test program when the text cannot be written
    // (a mistake in the test itself).
    Champs& Texte(const QString& texte);
    Champs& Textes(const QStringList& textes);
    Champs& Nombre(int n) { return Texte(QString::number(n)); }
    // A field holding exactly these bytes (at most 255).
    Champs& Octets(const QByteArray& octets);
    // Raw bytes, no length byte (damaged files).
    Champs& Brut(const QByteArray& octets);

    const QByteArray& Donnees() const { return donnees; }
    int NombreChamps() const { return nombre; }

private:
    QByteArray donnees;
    int nombre = 0;
};

// Splits bytes into fields; std::nullopt when the last field is cut off.
std::optional<QList<QByteArray>> DecouperChamps(const QByteArray& octets);
// The same, decoded with the tests' table.
std::optional<QStringList> DecouperTextes(const QByteArray& octets);

// ---- Description of a class in the current layouts ---------------------------

struct Eleve {
    QString nom;
    QString dateNaissance;
    QString indiceLibelle = QStringLiteral("1");
    QString redoublant; // "R" or empty
};

struct Serie {
    int periode = 1; // 1-based
    QString intitule;
    QStringList notes; // one per student, in file order
    QString noteSur = QStringLiteral("20");
    QString coefficient = QStringLiteral("1");
    QString compteDansMoyenne = QStringLiteral("oui");
    QString date;
    QString commentaire;
    QString typeNotes = QStringLiteral("Contrôle en classe");
    QString oralEcrit = QStringLiteral("Ecrit"); // written by "2.3" only
    QStringList reserve;                         // the nine spare fields (empty by default)
};

struct Classe {
    QString enseignant;
    QString nomClasse = QStringLiteral("4e B");
    QString ecole;
    QString matiere;
    QString anneeScolaire = QStringLiteral("2006/2007");
    QString remarque;
    QString typePeriodes = QStringLiteral("Trimestres");
    QStringList periodes = {QStringLiteral("Premier trimestre"),
                            QStringLiteral("Deuxième trimestre"),
                            QStringLiteral("Troisième trimestre")};
    QList<Eleve> eleves;       // in file order
    QList<Serie> series;       // written grouped by period, in this order within a period
    QStringList points;        // P × N, p major; missing entries are empty
    QStringList appreciations; // P × N × K (p, then s, then c); missing entries are empty
    QStringList libelles = {QStringLiteral("classe")};
    QString typeBulletins = QStringLiteral("Bulletins par défaut");
    QStringList colonnes = {QStringLiteral("Appréciations")};
    int arrondiMoyennes = 0;
    int arrondiMoyennesAnnuelles = 0;
    int typeMoyennesAnnuelles = 0;

    int P() const { return int(periodes.size()); }
    int N() const { return int(eleves.size()); }
    int K() const { return int(colonnes.size()); }
    QString Point(int p, int s) const { return points.value(N() * (p - 1) + (s - 1)); }
    QString Appreciation(int p, int s, int c) const {
        return appreciations.value(N() * K() * (p - 1) + K() * (s - 1) + (c - 1));
    }
};

// A small class with everything filled: 3 trimesters, 3 students in sorted
// order, series in periods 1 and 3 (one oral), marks with "abs" and empties,
// points, appreciations in two columns, records with one repeating student.
Classe ClasseExemple();

// The bytes of a file of version "2.0", "2.1", "2.2" or "2.3". What a
// version cannot hold is left out (teacher of 2.0 goes after the points,
// 2.0 and 2.1 keep the first report-card column only, ...).
QByteArray FichierActuel(const Classe& c, const QString& version = QStringLiteral("2.3"));
// The fields of a file, as a Champs (to be cut or extended by a test).
Champs ChampsActuels(const Classe& c, const QString& version = QStringLiteral("2.3"));

// ---- Description of a class in the old layouts ("bêta 2" to "1.0") ----------

struct SerieAncienne {
    QString noteSur = QStringLiteral("20");
    QString coefficient = QStringLiteral("1");
    QString compteDansMoyenne = QStringLiteral("oui");
    QString date;
    QString commentaire;
    QString code = QStringLiteral("0"); // "0", "1" or "2"
    QString periode = QStringLiteral("1");
    QString suffixe;
    QStringList notes; // "-1" for absent
};

struct ClasseAncienne {
    QString nomClasse = QStringLiteral("3e A");
    QString ecole;
    QString matiere;
    QString anneeScolaire = QStringLiteral("1999/2000");
    QString remarque;
    QStringList eleves; // in file order
    QList<SerieAncienne> series;
};

const QStringList& VersionsAnciennes(); // "bêta 2" .. "bêta 6", "1.0"
const QStringList& VersionsActuelles(); // "2.0" .. "2.3"

QByteArray FichierAncien(const ClasseAncienne& c, const QString& version = QStringLiteral("1.0"));
ClasseAncienne ClasseAncienneExemple();

// ---- Files -----------------------------------------------------------------

bool EcrireFichier(const QString& chemin, const QByteArray& octets);
QByteArray LireFichier(const QString& chemin);

// Everything a class file object shows through its interface, one line per
// value, in a fixed order (identity, periods, students with their records,
// series with every attribute and mark, points, appreciations). Two objects
// that hold the same class give equal snapshots.
QStringList Instantane(TFichierTav& f);

// Redirects the settings store to an INI file in a private temporary folder
// for the life of the object, then back to the normal store.
class ReglagesPrives {
public:
    ReglagesPrives();
    ~ReglagesPrives();
    ReglagesPrives(const ReglagesPrives&) = delete;
    ReglagesPrives& operator=(const ReglagesPrives&) = delete;
    QString Chemin() const { return chemin; }
    // Empties the private store (a fresh user).
    void Vider();

private:
    QTemporaryDir dossier;
    QString chemin;
};

} // namespace TavTest
