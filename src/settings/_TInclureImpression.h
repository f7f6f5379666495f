#pragma once

// Set of the optional statistic rows of a table printout: one flag per row, in a fixed order.
// The printouts look the rows up by position, so the order of the labels is part of the contract.

#include <QList>
#include <QString>
#include <QStringList>

class TInclureImpression {
public:
    // Kinds of printout that have optional rows.
    static constexpr quint8 SeriesDeNotes = 0;
    static constexpr quint8 Bilans = 1;
    static constexpr quint8 GrilleVierge = 2;

    // A set of the given kind (0, 1 or 2), every row included. Any other kind throws
    // std::out_of_range.
    explicit TInclureImpression(quint8 type);

    quint8 Type() const { return type; }
    // Row labels, in printing order; also the value names in the store and the captions of the
    // check lists of the options dialog.
    const QStringList& Libelles() const { return libelles; }
    int NombreLignes() const { return static_cast<int>(libelles.size()); }

    // Flag of row i (0-based); false for an index out of range.
    bool Inclure(int i) const;
    void ModifierInclure(int i, bool inclure);
    const QList<bool>& Inclusions() const { return inclusions; }
    // Sets every flag to true.
    void ToutInclure();

    // Labels of a kind; name of its key under "Inclure impression" ("Séries de notes", "Bilans",
    // "Grille vierge"). Both throw std::out_of_range for an unknown kind.
    static QStringList LibellesDuType(quint8 type);
    static QString NomDuType(quint8 type);

private:
    quint8 type;
    QStringList libelles;
    QList<bool> inclusions;
};
