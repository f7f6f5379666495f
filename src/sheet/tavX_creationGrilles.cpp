// The grids of a class sheet, made when the sheet is built.
#include "UniteFeuilleClasse.h"

#if __has_include("_TGrilleEleves.h")
#include "_TGrilleEleves.h"
#define TAV_GRILLE_ELEVES 1
#endif
#if __has_include("_TGrilleNotes.h")
#include "_TGrilleNotes.h"
#define TAV_GRILLE_NOTES 1
#endif
#if __has_include("_TGrilleMoyennes.h")
#include "_TGrilleMoyennes.h"
#define TAV_GRILLE_MOYENNES 1
#endif

void TFeuilleClasse::CreerGrilles() {
    const int p = periodeCourante;
    TFichierTav* f = fichier.get();
    (void)p;
    (void)f;
#ifdef TAV_GRILLE_ELEVES
    grilles.eleves = new TGrilleElevesTavelin(panelEleves, p, f, this);
    grilles.elevesGraphe = new TGrilleElevesGrapheTavelin(panelElevesGraphe, 1, f, this);
#endif
#ifdef TAV_GRILLE_NOTES
    grilles.notes = new TGrilleNotesTavelin(panelNotes, p, f, this);
#endif
#ifdef TAV_GRILLE_MOYENNES
    grilles.moyennes = new TGrilleMoyennesTavelin(panelMoyennes, p, f, this);
#endif
}
