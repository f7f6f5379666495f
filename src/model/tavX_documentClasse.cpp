#include "tavX_documentClasse.h"

#include "tavX_exceptions.h"

TDocumentClasse::TDocumentClasse(std::unique_ptr<TFichierTav> f, QObject* parent)
    : QObject(parent), fichier(f ? std::move(f) : std::make_unique<TFichierTav>()) {
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
    return true;
}
