// The student commands of the sheet's "&Liste des élèves" menu.
#include "UniteFeuilleClasse.h"
#include "_FormListeEleves.h"
#include "_FormModifierEleve.h"
#include "tavX_constantes.h"
#include "tavX_fichierTav.h"
#include "tavX_interlocuteur.h"

namespace {

// The student chosen in the list (1-based), or 0 when the choice is cancelled.
int ChoisirEleve(TFeuilleClasse* feuille, const QString& legende) {
    TFormListeEleves choix(feuille, legende, feuille->Fichier(), feuille->Logo());
    if (choix.exec() != QDialog::Accepted) return 0;
    const int s = choix.Indice() + 1;
    return s >= 1 && s <= feuille->Fichier().NombreEleves() ? s : 0;
}

} // namespace

void TFeuilleClasse::CommandeAjouterEleve() {
    if (fichier->NombreEleves() >= Tav::MaxEleves) return;
    TFormModifierEleve dialogue(this, QStringLiteral("Ajouter un élève"), false, QString(),
                                QString());
    if (dialogue.exec() != QDialog::Accepted) return;
    // The document's signal rebuilds the lists, the grids and the caption.
    fichier->AjouterEleve(dialogue.Nom(), dialogue.DateNaissance(), dialogue.Redoublant());
}

void TFeuilleClasse::CommandeSupprimerEleve() {
    const int s = ChoisirEleve(this, QStringLiteral("Choisir l'élève à supprimer"));
    if (s == 0) return;
    if (!Interlocuteur().Question(this, QStringLiteral("Suppression d'un élève"),
                                  QStringLiteral("Supprimer \"") + fichier->NomEleve(s) +
                                      QStringLiteral("\" de la liste des élèves ?"),
                                  TIcone::Question))
        return;
    fichier->SupprimerEleve(s);
}

void TFeuilleClasse::CommandeModifierEleve() {
    const int s = ChoisirEleve(this, QStringLiteral("Choisir le nom à modifier"));
    if (s == 0) return;
    TFormModifierEleve dialogue(this, QStringLiteral("Modifier les informations de l'élève"),
                                fichier->EstRedoublant(s), fichier->DateNaissance(s),
                                fichier->NomEleve(s));
    if (dialogue.exec() != QDialog::Accepted) return;
    fichier->ModifierEleve(s, dialogue.Nom(), dialogue.Redoublant(), dialogue.DateNaissance());
}
