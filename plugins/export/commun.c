#include "commun.h"

#include <stdlib.h>
#include <string.h>

void TamponAjouter(Tampon* t, const char* octets, size_t n) {
    if (t->echec || n == 0) return;
    if (t->taille + n > t->capacite) {
        size_t capacite = t->capacite ? t->capacite : 4096;
        while (capacite < t->taille + n)
            capacite *= 2;
        char* nouveau = (char*)realloc(t->octets, capacite);
        if (!nouveau) {
            t->echec = 1;
            return;
        }
        t->octets = nouveau;
        t->capacite = capacite;
    }
    memcpy(t->octets + t->taille, octets, n);
    t->taille += n;
}

void TamponTexte(Tampon* t, const char* texte) {
    if (texte) TamponAjouter(t, texte, strlen(texte));
}

void TamponLiberer(Tampon* t) {
    free(t->octets);
    t->octets = NULL;
    t->taille = t->capacite = 0;
}

int EstNombreSimple(const char* texte) {
    const char* p = texte;
    int chiffres = 0, separateur = 0;
    if (!p || !*p) return 0;
    if (*p == '-' || *p == '+') ++p;
    for (; *p; ++p) {
        if (*p >= '0' && *p <= '9')
            ++chiffres;
        else if ((*p == ',' || *p == '.') && !separateur)
            separateur = 1;
        else
            return 0;
    }
    return chiffres > 0;
}

int CommenceCommeFormule(const char* texte) {
    return texte && (texte[0] == '=' || texte[0] == '+' || texte[0] == '-' || texte[0] == '@' ||
                     texte[0] == '\t' || texte[0] == '\r');
}

int32_t Enregistrer(const TavHote* h, Tampon* t, const char* titre, const char* filtre,
                    const char* extension) {
    char propose[300];
    const char* classe = h->classe(h->contexte, TAV_CLASSE_NOM);
    const char* chemin;
    size_t n = strlen(classe);
    if (t->echec) {
        h->signalerErreur(h->contexte, "Mémoire insuffisante pour l'exportation.");
        return 0;
    }
    if (n > 250) n = 250;
    memcpy(propose, classe, n);
    propose[n] = 0;
    if (n == 0) strcpy(propose, "classe");
    strcat(propose, ".");
    strcat(propose, extension);
    chemin = h->demanderFichier(h->contexte, titre, filtre, extension, propose);
    if (!chemin || !*chemin) return -1;
    return h->enregistrerFichier(h->contexte, chemin, t->octets, (int64_t)t->taille) ? 1 : 0;
}
