// The sheet's file tools: clone of the class for colleagues, export through the plug-ins.
#include "UniteFeuilleClasse.h"
#include "_FormClonerFichier.h"
#include "_FormExportation.h"
#include "tavX_gestionnaireClasses.h"

namespace {

QStringList FichiersOuverts(TGestionnaireClasses* gestionnaire) {
    QStringList chemins;
    if (gestionnaire)
        for (TFeuilleClasse* f : gestionnaire->Feuilles())
            if (!f->CheminFichier().isEmpty()) chemins.append(f->CheminFichier());
    return chemins;
}

} // namespace

void TFeuilleClasse::CommandeClonerFichier() {
    TFormClonerFichier dialogue(this, Fichier(), Logo(), FichiersOuverts(Gestionnaire()));
    dialogue.exec();
    // Only the files really saved are opened.
    if (dialogue.OuvrirFichiers() && Gestionnaire())
        for (const QString& chemin : dialogue.FichiersCrees())
            Gestionnaire()->OuvrirOuMontrer(chemin);
}

void TFeuilleClasse::CommandeExporter() {
    TFormExportation dialogue(this, Fichier(), Logo());
    dialogue.exec();
}
