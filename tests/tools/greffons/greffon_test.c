/* An export plug-in for the tests, built in several variants (see CMakeLists.txt). */
#include "tavelin/export.h"

#include <stdio.h>
#include <string.h>

#ifndef VERSION_INTERFACE
#define VERSION_INTERFACE TAV_VERSION_INTERFACE
#endif
#ifndef IDENTIFICATION
#define IDENTIFICATION "Tavelin"
#endif
#ifndef NOMBRE_FORMATS
#define NOMBRE_FORMATS 3
#endif

static char longue[400];

TAV_EXPORTE int32_t TAV_APPEL renvoieVersionInterface(void) {
    return VERSION_INTERFACE;
}
TAV_EXPORTE const char* TAV_APPEL renvoieIdentification(void) {
    return IDENTIFICATION;
}
TAV_EXPORTE int32_t TAV_APPEL renvoieNombreFormatsProposes(void) {
    return NOMBRE_FORMATS;
}
TAV_EXPORTE const char* TAV_APPEL renvoiePetiteDescription(int32_t format) {
    if (format == 1) {
        /* Over-long: the host keeps 255 characters. */
        memset(longue, 'x', sizeof longue - 1);
        longue[sizeof longue - 1] = 0;
        return longue;
    }
    if (format == 2) return NULL;
    return "Test annulé";
}
TAV_EXPORTE const char* TAV_APPEL renvoieGrandeDescription(int32_t format) {
    return format == 1 ? "Format de test" : NULL;
}
#ifndef SANS_COPYRIGHT
TAV_EXPORTE const char* TAV_APPEL renvoieCopyright(void) {
    return "Equipe de test";
}
#endif
TAV_EXPORTE const char* TAV_APPEL renvoieVersion(void) {
    return "0.1";
}

#ifndef SANS_EXPORTER
/* Format 1 writes a line per student with its first mark, after checking the indices out of
   range; format 2 fails; format 3 is cancelled. */
TAV_EXPORTE int32_t TAV_APPEL exporter(int32_t format, const TavHote* h) {
    char texte[4096];
    size_t n = 0;
    int32_t s;
    const char* chemin;
    double valeur = 0;
    if (!h || h->taille < sizeof(TavHote)) return 0;
    if (format == 2) return 0;
    if (format == 3) return -1;
    if (h->nomEleve(h->contexte, 0)[0] || h->note(h->contexte, 99, 1, 1)[0] ||
        h->nombreSeries(h->contexte, 0) != 0 || h->serie(h->contexte, 1, 1, 99)[0] ||
        !h->lireNombre(h->contexte, "12,5", &valeur) || valeur != 12.5 ||
        h->lireNombre(h->contexte, "abs", &valeur))
        return 0;
    n += (size_t)snprintf(texte + n, sizeof texte - n, "%s|%s\n",
                          h->classe(h->contexte, TAV_CLASSE_NOM), h->nomPeriode(h->contexte, 1));
    for (s = 1; s <= h->nombreEleves(h->contexte) && n < sizeof texte - 200; ++s)
        n +=
            (size_t)snprintf(texte + n, sizeof texte - n, "%s;%s;%s\n", h->nomEleve(h->contexte, s),
                             h->note(h->contexte, 1, 1, s), h->moyenneBulletin(h->contexte, 1, s));
    chemin = h->demanderFichier(h->contexte, "Test", "Texte *.txt|*.txt", "txt", "test.txt");
    if (!*chemin) return -1;
    return h->enregistrerFichier(h->contexte, chemin, texte, (int64_t)n);
}
#endif
