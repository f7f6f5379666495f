#pragma once
// TTypeBulletins: the report-card type of a class, its name and the names of
// its appreciation columns.
#include <QStringList>

class TTypeBulletins {
public:
    TTypeBulletins();

    const QString& Nom() const { return nom; }
    void ModifierNom(const QString& texte) { nom = texte; }
    quint8 Nombre() const;
    QString renvoieNom(int c) const; // 1-based; raises TTavException when out of range
    const QStringList& Colonnes() const { return colonnes; }
    void ModifierColonnes(const QStringList& liste) { colonnes = liste; }

    // Column names of the built-in types; empty for any other type.
    static QStringList ColonnesIntegrees(const QString& type);

private:
    QString nom;
    QStringList colonnes;
};
