// The sheet's "&Appréciations des bulletins", "C&opier les appréciations dans le
// Presse-Papiers" and "&Bilan élève" commands.
#include "UniteFeuilleClasse.h"
#include "_FormAppreciations.h"
#include "_FormBilanEleve.h"
#include "_FormCollerAppreciations.h"
#include "tavX_fichierTav.h"

void TFeuilleClasse::CommandeAppreciations() {
    TerminerSaisies();
    // Each stored appreciation reaches the summary grid by the document's signal.
    TFormAppreciations dialogue(this, fichier);
    dialogue.exec();
}

void TFeuilleClasse::CommandeCopierAppreciations() {
    TerminerSaisies();
    TFormCollerAppreciations dialogue(this, fichier, logo);
    dialogue.exec();
}

void TFeuilleClasse::CommandeBilanEleve() {
    TerminerSaisies();
    TFormBilanEleve dialogue(this, fichier, logo);
    dialogue.exec();
}
