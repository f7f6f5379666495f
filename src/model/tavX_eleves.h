#pragma once
// TEleves: the student names of a class, kept sorted (French collation,
// ignoring case); duplicates accepted, a new name goes before its equals.
#include <QStringList>

class TEleves {
public:
    TEleves() = default;

    quint8 Nombre() const;
    QString Nom(int s) const; // 1-based; empty above the count
    const QStringList& Liste() const { return noms; }
    int Ajouter(const QString& nom); // returns the 0-based position given
    void Supprimer(int s);           // nothing outside 1..count
    void Remplacer(const QStringList& liste);

    // Position (0-based) where a name would be inserted: before its equals.
    int PositionInsertion(const QString& nom) const;
    // Takes names that are already in order (used by the loader, which sorts
    // the students together with their data).
    void DefinirListeTriee(const QStringList& liste) { noms = liste; }

    // The comparison the list is sorted by: < 0, 0 or > 0.
    static int Comparer(const QString& a, const QString& b);

private:
    QStringList noms;
};
