/* Shared by the plug-ins shipped with Tavelin: a growing byte buffer and cell writing. */
#ifndef TAVEXPORT_COMMUN_H
#define TAVEXPORT_COMMUN_H

#include "tavelin/export.h"

#include <stddef.h>

typedef struct {
    char* octets;
    size_t taille, capacite;
    int echec; /* out of memory */
} Tampon;

void TamponAjouter(Tampon* t, const char* octets, size_t n);
void TamponTexte(Tampon* t, const char* texte);
void TamponLiberer(Tampon* t);

/* 1 when the text is a plain decimal number ("12", "-1,5", "12.50"): digits, an optional sign
   and one decimal separator. */
int EstNombreSimple(const char* texte);
/* 1 when a spreadsheet would take a text cell starting like this for a formula. */
int CommenceCommeFormule(const char* texte);

/* Asks for the file, writes the buffer through the host; 1 done, 0 failed, -1 cancelled. */
int32_t Enregistrer(const TavHote* h, Tampon* t, const char* titre, const char* filtre,
                    const char* extension);

#endif
