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

void OuvrirOptions(QWidget* parent, const QString& page) {
    if (Ouvreur()) Ouvreur()(parent, page);
}

} // namespace Dialogues
