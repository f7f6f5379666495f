#include "tavX_ouvrirOptions.h"

namespace Dialogues {

namespace {
TOuvrirOptions& Ouvreur() {
    static TOuvrirOptions ouvreur;
    return ouvreur;
}
} // namespace

void DefinirOuvertureOptions(TOuvrirOptions ouvrir) {
    Ouvreur() = std::move(ouvrir);
}

bool OptionsDisponibles() {
    return bool(Ouvreur());
}

void OuvrirOptions(QWidget* parent, const QString& page, const QString& sousPage) {
    if (Ouvreur()) Ouvreur()(parent, page, sousPage);
}

QString NouvelleValeur(const QStringList& avant, const QStringList& apres) {
    for (const QString& nom : apres)
        if (!avant.contains(nom, Qt::CaseInsensitive)) return nom;
    return {};
}

} // namespace Dialogues
