#include "tavX_documentClasse.h"

#include "tavX_exceptions.h"

TDocumentClasse::TDocumentClasse(std::unique_ptr<TFichierTav> f, const QString& chemin,
                                 QObject* parent)
    : QObject(parent), fichier(f ? std::move(f) : std::make_unique<TFichierTav>()), chemin(chemin) {
    fichier->DefinirObservateur(this);
}

TDocumentClasse::~TDocumentClasse() {
    fichier->DefinirObservateur(nullptr);
}

bool TDocumentClasse::Enregistrer(const QString& chemin, QString* erreur) {
    try {
        fichier->Enregistrer(chemin);
    } catch (const TTavException& e) {
        if (erreur) {
            *erreur = e.Message();
            if (!fichier->CauseErreurEnregistrement().isEmpty())
                *erreur += QStringLiteral("\n\n") + fichier->CauseErreurEnregistrement();
        }
        return false;
    }
    // Saved under the name it already had: the class file said nothing, the path is now set.
    if (this->chemin != chemin) {
        this->chemin = chemin;
        emit cheminChange(chemin);
    }
    return true;
}
