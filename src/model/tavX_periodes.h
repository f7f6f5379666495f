#pragma once
// TPeriodes: the kind of periods of a class, their names and one
// recalculation flag per period (1 = to recompute).
#include <QByteArray>
#include <QStringList>

class TPeriodes {
public:
    TPeriodes();

    const QString& TypePeriodes() const { return typePeriodes; }
    void ModifierTypePeriodes(const QString& texte) { typePeriodes = texte; }
    quint8 Nombre() const;
    QString Nom(int p) const; // 1-based; empty above the count
    const QStringList& Liste() const { return noms; }
    void Remplacer(const QStringList& liste);
    void MarquerPeriode(int p, quint8 valeur);
    quint8 PeriodeARecalculer(int p) const;
    void MarquerToutes();

    // Period names of the built-in kinds; empty for any other kind.
    static QStringList NomsIntegres(const QString& type);

private:
    QString typePeriodes;
    QStringList noms;
    QByteArray aRecalculer;
};
