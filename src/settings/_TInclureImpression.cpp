#include "_TInclureImpression.h"

#include <stdexcept>

namespace {

void VerifierType(quint8 type) {
    if (type > TInclureImpression::GrilleVierge)
        throw std::out_of_range("TInclureImpression : type d'impression inconnu");
}

} // namespace

TInclureImpression::TInclureImpression(quint8 typeImpression)
    : type(typeImpression), libelles(LibellesDuType(typeImpression)),
      inclusions(libelles.size(), true) {}

bool TInclureImpression::Inclure(int i) const {
    return i >= 0 && i < inclusions.size() && inclusions.at(i);
}

void TInclureImpression::ModifierInclure(int i, bool inclure) {
    if (i >= 0 && i < inclusions.size()) inclusions[i] = inclure;
}

void TInclureImpression::ToutInclure() {
    inclusions.fill(true);
}

QStringList TInclureImpression::LibellesDuType(quint8 type) {
    VerifierType(type);
    if (type == Bilans)
        return {QStringLiteral("Min"),
                QStringLiteral("Max"),
                QStringLiteral("Moyenne"),
                QStringLiteral("Ecart type"),
                QStringLiteral("% moyennes < moyenne"),
                QStringLiteral("% moyennes < moyenne classe")};
    return {QStringLiteral("Nombre d'élèves présents"),
            QStringLiteral("Min"),
            QStringLiteral("Max"),
            QStringLiteral("Moyenne"),
            QStringLiteral("Ecart type"),
            QStringLiteral("% notes < moyenne"),
            QStringLiteral("% notes < moyenne classe"),
            QStringLiteral("Noté sur"),
            QStringLiteral("Coefficient"),
            QStringLiteral("Compte dans la moyenne"),
            QStringLiteral("Date"),
            QStringLiteral("Commentaire"),
            QStringLiteral("Type de notes"),
            QStringLiteral("Oral ou écrit")};
}

QString TInclureImpression::NomDuType(quint8 type) {
    VerifierType(type);
    switch (type) {
    case SeriesDeNotes:
        return QStringLiteral("Séries de notes");
    case Bilans:
        return QStringLiteral("Bilans");
    default:
        return QStringLiteral("Grille vierge");
    }
}
