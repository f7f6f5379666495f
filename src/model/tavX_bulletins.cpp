#include "tavX_bulletins.h"

#include "tavX_exceptions.h"

TTypeBulletins::TTypeBulletins()
    : nom(QStringLiteral("Bulletins par défaut")), colonnes(ColonnesIntegrees(nom)) {}

QStringList TTypeBulletins::ColonnesIntegrees(const QString& type) {
    if (type == QStringLiteral("Bulletins par défaut")) return {QStringLiteral("Appréciations")};
    if (type == QStringLiteral("Nouveaux bulletins du collège"))
        return {QStringLiteral("Appréciations générales"), QStringLiteral("Progrès et efforts"),
                QStringLiteral("Conseils pour progresser")};
    return {};
}

quint8 TTypeBulletins::Nombre() const {
    if (colonnes.size() > 255) throw TErreurIntervalle(QStringLiteral("colonnes de bulletin"));
    return quint8(colonnes.size());
}

QString TTypeBulletins::renvoieNom(int c) const {
    if (c < 1 || c > colonnes.size())
        throw TTavException(QStringLiteral("[TTypeBulletins.renvoieNom] - erreur d'indice."));
    return colonnes.at(c - 1);
}
