/* Shared by the plug-ins shipped with Tavelin: a growing byte buffer, text escaping, the rows of
   the tables every format holds, and the entry points that do not depend on the format. */
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

/* Appends the text (NULL reads as empty), each character for which `entite` gives a text replaced
   by that text ("" leaves it out); the others are copied as they are. */
void TamponEchappe(Tampon* t, const char* texte, const char* (*entite)(char c));
/* The entity of a character that XML and HTML never take as it is (& < > "), or NULL. */
const char* EntiteXml(char c);

/* 1 when the text is a plain decimal number ("12", "-1,5", "12.50"): digits, an optional sign
   and one decimal separator. */
int EstNombreSimple(const char* texte);
/* 1 when a spreadsheet would take a text cell starting like this for a formula. */
int CommenceCommeFormule(const char* texte);

/* What a cell holds, for the formats that show these differently. */
typedef enum { CELLULE_ENTETE, CELLULE_TEXTE, CELLULE_NOMBRE } GenreCellule;

/* How a format writes the rows of a table; `format` is given back to each function. */
typedef struct {
    void* format;
    void (*debutLigne)(void* format);
    void (*cellule)(void* format, const char* texte, GenreCellule genre);
    void (*finLigne)(void* format);
} Cellules;

/* One row per student for the period: name, marks, bonus points, average, appreciations. */
void EcrireLignesEleves(const TavHote* h, int32_t periode, const Cellules* c);
/* The whole table of a period: a heading row, one row per property of the series, then one row
   per student. */
void EcrirePeriode(const TavHote* h, int32_t periode, const Cellules* c);
/* The table of the year: a heading row, then one row per student with the average of each
   period and the year's. */
void EcrireAnnee(const TavHote* h, const Cellules* c);

/* 1 when the host is one this plug-in can use. */
int HoteUtilisable(const TavHote* h);
/* Asks for the file, writes the buffer through the host; 1 done, 0 failed, -1 cancelled. */
int32_t Enregistrer(const TavHote* h, Tampon* t, const char* titre, const char* filtre,
                    const char* extension);

/* commun.c also defines the entry points that do not depend on the format:
   renvoieVersionInterface, renvoieIdentification, renvoieCopyright and renvoieVersion. Each
   plug-in defines the others. */

#endif
