// The grids of a class sheet, made when the sheet is built.
#include "UniteFeuilleClasse.h"
#include "_TGrilleBilan.h"
#include "_TGrilleEleves.h"
#include "_TGrilleMoyennes.h"
#include "_TGrilleNotes.h"

void TFeuilleClasse::CreerGrilles() {
    const int p = periodeCourante;
    TFichierTav* f = fichier;
    grilles.eleves = new TGrilleElevesTavelin(panelEleves, p, f, this);
    grilles.notes = new TGrilleNotesTavelin(panelNotes, p, f, this);
    grilles.moyennes = new TGrilleMoyennesTavelin(panelMoyennes, p, f, this);
    grilles.bilan = new TGrilleBilanTavelin(panelBilan, f, this);
    grilles.elevesGraphe = new TGrilleElevesGrapheTavelin(panelElevesGraphe, 1, f, this);
}
