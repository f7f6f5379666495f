/*
 * Tavelin export plug-ins: the C interface.
 *
 * A plug-in is a shared library placed in the "export" folder beside the Tavelin executable. It
 * may be built by any C or C++ compiler, without Qt, against this header alone. Tavelin loads it
 * by its absolute path for one step (listing its formats, showing their information, or one
 * export) and unloads it afterwards: a plug-in keeps no state between calls.
 *
 * Entry points a plug-in exports (all with TAV_APPEL):
 *
 *   int32_t     renvoieVersionInterface(void);        required, must return TAV_VERSION_INTERFACE
 *   const char* renvoieIdentification(void);          required, must return "Tavelin"
 *   int32_t     renvoieNombreFormatsProposes(void);   required, 0 to 255
 *   const char* renvoiePetiteDescription(int32_t format);   required, format 1..N
 *   const char* renvoieGrandeDescription(int32_t format);   optional
 *   const char* renvoieCopyright(void);                      optional
 *   const char* renvoieVersion(void);                        optional
 *   int32_t     exporter(int32_t format, const TavHote* hote);
 *                 1 done, 0 failed (Tavelin says so), -1 cancelled by the user (nothing said)
 *
 * Strings are NUL-terminated UTF-8. Those a plug-in returns are owned by the plug-in and must stay
 * valid until its next call; Tavelin copies them at once (NULL reads as empty, text is cut at 255
 * characters). Those Tavelin returns through TavHote stay valid until exporter() returns.
 *
 * Indices count from 1. An index out of range gives "" (strings) or 0 (numbers).
 */
#ifndef TAVELIN_EXPORT_H
#define TAVELIN_EXPORT_H

#include <stdint.h>

#if defined(_WIN32) && !defined(_WIN64)
#define TAV_APPEL __cdecl
#else
#define TAV_APPEL
#endif

#if defined(_WIN32)
#define TAV_EXPORTE __declspec(dllexport)
#elif defined(__GNUC__)
#define TAV_EXPORTE __attribute__((visibility("default")))
#else
#define TAV_EXPORTE
#endif

#ifdef __cplusplus
extern "C" {
#endif

#define TAV_VERSION_INTERFACE 1
#define TAV_VERSION_HOTE 1

/* Texts of the class (TavHote.classe). */
enum {
    TAV_CLASSE_NOM = 1,
    TAV_CLASSE_ECOLE = 2,
    TAV_CLASSE_ENSEIGNANT = 3,
    TAV_CLASSE_MATIERE = 4,
    TAV_CLASSE_ANNEE_SCOLAIRE = 5,
    TAV_CLASSE_REMARQUE = 6,
    TAV_CLASSE_TYPE_PERIODES = 7,
    TAV_CLASSE_TYPE_BULLETINS = 8,
    TAV_CLASSE_FICHIER = 9 /* full path of the class file, "" for a class never saved */
};

/* Fields of a series (TavHote.serie). */
enum {
    TAV_SERIE_INTITULE = 1,
    TAV_SERIE_NOTE_SUR = 2,
    TAV_SERIE_COEFFICIENT = 3,
    TAV_SERIE_COMPTE = 4, /* "oui" or "non": counts in the average */
    TAV_SERIE_DATE = 5,
    TAV_SERIE_COMMENTAIRE = 6,
    TAV_SERIE_TYPE = 7,
    TAV_SERIE_ORAL_ECRIT = 8 /* "Oral" or "Ecrit" */
};

typedef struct TavContexte TavContexte; /* opaque */

/*
 * What Tavelin offers a plug-in during one export: a read-only table of functions over an opaque
 * context. Its size and version come first; later versions only add members at its end, so a
 * plug-in checks `taille` before using a member it did not know at version 1.
 */
typedef struct TavHote {
    uint32_t taille;  /* sizeof(TavHote) as Tavelin built it */
    uint32_t version; /* TAV_VERSION_HOTE */
    TavContexte* contexte;

    const char*(TAV_APPEL* classe)(TavContexte* c, int32_t champ);
    int32_t(TAV_APPEL* nombrePeriodes)(TavContexte* c);
    const char*(TAV_APPEL* nomPeriode)(TavContexte* c, int32_t periode);

    int32_t(TAV_APPEL* nombreEleves)(TavContexte* c);
    const char*(TAV_APPEL* nomEleve)(TavContexte* c, int32_t eleve);
    const char*(TAV_APPEL* dateNaissance)(TavContexte* c, int32_t eleve);
    int32_t(TAV_APPEL* redoublant)(TavContexte* c, int32_t eleve); /* 1 or 0 */

    int32_t(TAV_APPEL* nombreSeries)(TavContexte* c, int32_t periode);
    const char*(TAV_APPEL* serie)(TavContexte* c, int32_t periode, int32_t serie, int32_t champ);
    const char*(TAV_APPEL* note)(TavContexte* c, int32_t periode, int32_t serie, int32_t eleve);
    const char*(TAV_APPEL* points)(TavContexte* c, int32_t periode, int32_t eleve);

    int32_t(TAV_APPEL* nombreSections)(TavContexte* c);
    const char*(TAV_APPEL* nomSection)(TavContexte* c, int32_t section);
    const char*(TAV_APPEL* appreciation)(TavContexte* c, int32_t periode, int32_t eleve,
                                         int32_t section);

    /* Averages computed by Tavelin with the user's settings, as text ("" when none). */
    const char*(TAV_APPEL* moyenneBulletin)(TavContexte* c, int32_t periode, int32_t eleve);
    const char*(TAV_APPEL* moyenneAnnuelle)(TavContexte* c, int32_t eleve);
    int32_t(TAV_APPEL* moyennesSur)(TavContexte* c);

    /* Reads a number written with a decimal comma or point; 1 and *valeur set, or 0. */
    int32_t(TAV_APPEL* lireNombre)(TavContexte* c, const char* texte, double* valeur);

    /* The save dialog (asking before replacing a file); "" when cancelled. `filtre` is written
       "description|*.ext". */
    const char*(TAV_APPEL* demanderFichier)(TavContexte* c, const char* titre, const char* filtre,
                                            const char* extension, const char* nomPropose);
    /* Writes a whole file safely (the old file stays intact on failure); 1 done, 0 failed (the
       error has then been told to the user). */
    int32_t(TAV_APPEL* enregistrerFichier)(TavContexte* c, const char* chemin, const void* octets,
                                           int64_t taille);
    /* Tells the user of an error. */
    void(TAV_APPEL* signalerErreur)(TavContexte* c, const char* message);
} TavHote;

#ifdef __cplusplus
}
#endif

#endif /* TAVELIN_EXPORT_H */
