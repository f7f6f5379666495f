#pragma once
// Small classes for the calculation tests, built through the class file
// object's own operations.
#include "tavX_fichierTav.h"

#include <QStringList>
#include <memory>

namespace TavCalc {

// A class with the given students (give them in alphabetical order so that
// student s is the s-th name) and the three trimesters.
inline std::unique_ptr<TFichierTav> Classe(const QStringList& eleves,
                                           const QString& periodes = QStringLiteral("Trimestres")) {
    auto f = std::make_unique<TFichierTav>();
    f->InitialiserClasse(periodes, QStringLiteral("Bulletins par défaut"));
    for (const QString& nom : eleves)
        f->AjouterEleve(nom, QString(), false);
    return f;
}

struct Serie {
    QString noteSur = QStringLiteral("20");
    QString coefficient = QStringLiteral("1");
    QString compte = QStringLiteral("oui");
    QString type = QStringLiteral("Contrôle en classe");
    bool oral = false;
    QString intitule = QStringLiteral("Série");
};

// Adds a series at the end of period p with one mark per student (missing
// marks stay empty); returns its index in the period.
inline int AjouterSerie(TFichierTav& f, int p, const QStringList& notes, const Serie& d = {}) {
    f.AjouterSerie(p, d.intitule, d.oral, d.type, QString(), QString(), d.compte, d.coefficient,
                   d.noteSur);
    const int j = f.NombreSeries(p);
    for (int s = 1; s <= notes.size() && s <= f.NombreEleves(); ++s)
        f.ModifierNote(p, j, notes.at(s - 1), s);
    return j;
}

inline Serie Sur(const QString& noteSur, const QString& coefficient = QStringLiteral("1")) {
    Serie d;
    d.noteSur = noteSur;
    d.coefficient = coefficient;
    return d;
}

} // namespace TavCalc
