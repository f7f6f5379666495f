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

void TamponEchappe(Tampon* t, const char* texte, const char* (*entite)(char c)) {
    const char* p;
    for (p = texte ? texte : ""; *p; ++p) {
        const char* e = entite(*p);
        if (e)
            TamponTexte(t, e);
        else
            TamponAjouter(t, p, 1);
    }
}

const char* EntiteXml(char c) {
    switch (c) {
    case '&':
        return "&amp;";
    case '<':
        return "&lt;";
    case '>':
        return "&gt;";
    case '"':
        return "&quot;";
    default:
        return NULL;
    }
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

void EcrireLignesEleves(const TavHote* h, int32_t periode, const Cellules* c) {
    TavContexte* x = h->contexte;
    const int32_t N = h->nombreEleves(x), S = h->nombreSeries(x, periode), K = h->nombreSections(x);
    int32_t s, j, k;
    for (s = 1; s <= N; ++s) {
        c->debutLigne(c->format);
        c->cellule(c->format, h->nomEleve(x, s), CELLULE_TEXTE);
        for (j = 1; j <= S; ++j)
            c->cellule(c->format, h->note(x, periode, j, s), CELLULE_NOMBRE);
        c->cellule(c->format, h->points(x, periode, s), CELLULE_NOMBRE);
        c->cellule(c->format, h->moyenneBulletin(x, periode, s), CELLULE_NOMBRE);
        for (k = 1; k <= K; ++k)
            c->cellule(c->format, h->appreciation(x, periode, s, k), CELLULE_TEXTE);
        c->finLigne(c->format);
    }
}

void EcrirePeriode(const TavHote* h, int32_t periode, const Cellules* c) {
    static const struct {
        const char* nom;
        int32_t champ;
    } proprietes[] = {{"Noté sur", TAV_SERIE_NOTE_SUR},
                      {"Coefficient", TAV_SERIE_COEFFICIENT},
                      {"Compte dans la moyenne", TAV_SERIE_COMPTE},
                      {"Date", TAV_SERIE_DATE},
                      {"Type de notes", TAV_SERIE_TYPE},
                      {"Oral / écrit", TAV_SERIE_ORAL_ECRIT},
                      {"Commentaire", TAV_SERIE_COMMENTAIRE}};
    TavContexte* x = h->contexte;
    const int32_t S = h->nombreSeries(x, periode), K = h->nombreSections(x);
    int32_t j, k;
    size_t a;
    c->debutLigne(c->format);
    c->cellule(c->format, "Elève", CELLULE_ENTETE);
    for (j = 1; j <= S; ++j)
        c->cellule(c->format, h->serie(x, periode, j, TAV_SERIE_INTITULE), CELLULE_ENTETE);
    c->cellule(c->format, "Points en plus ou en moins", CELLULE_ENTETE);
    c->cellule(c->format, "Moyenne bulletin", CELLULE_ENTETE);
    for (k = 1; k <= K; ++k)
        c->cellule(c->format, h->nomSection(x, k), CELLULE_ENTETE);
    c->finLigne(c->format);
    for (a = 0; a < sizeof proprietes / sizeof proprietes[0]; ++a) {
        c->debutLigne(c->format);
        c->cellule(c->format, proprietes[a].nom, CELLULE_ENTETE);
        for (j = 1; j <= S; ++j)
            c->cellule(c->format, h->serie(x, periode, j, proprietes[a].champ), CELLULE_TEXTE);
        c->finLigne(c->format);
    }
    EcrireLignesEleves(h, periode, c);
}

void EcrireAnnee(const TavHote* h, const Cellules* c) {
    TavContexte* x = h->contexte;
    const int32_t P = h->nombrePeriodes(x), N = h->nombreEleves(x);
    int32_t p, s;
    c->debutLigne(c->format);
    c->cellule(c->format, "Elève", CELLULE_ENTETE);
    for (p = 1; p <= P; ++p)
        c->cellule(c->format, h->nomPeriode(x, p), CELLULE_ENTETE);
    c->cellule(c->format, "Moyenne annuelle", CELLULE_ENTETE);
    c->finLigne(c->format);
    for (s = 1; s <= N; ++s) {
        c->debutLigne(c->format);
        c->cellule(c->format, h->nomEleve(x, s), CELLULE_TEXTE);
        for (p = 1; p <= P; ++p)
            c->cellule(c->format, h->moyenneBulletin(x, p, s), CELLULE_NOMBRE);
        c->cellule(c->format, h->moyenneAnnuelle(x, s), CELLULE_NOMBRE);
        c->finLigne(c->format);
    }
}

int HoteUtilisable(const TavHote* h) {
    return h && h->version >= 1 && h->taille >= sizeof(TavHote);
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

/* The entry points that are the same for every plug-in shipped with Tavelin. */

TAV_EXPORTE int32_t TAV_APPEL renvoieVersionInterface(void) {
    return TAV_VERSION_INTERFACE;
}
TAV_EXPORTE const char* TAV_APPEL renvoieIdentification(void) {
    return "Tavelin";
}
TAV_EXPORTE const char* TAV_APPEL renvoieCopyright(void) {
    return "Tavelin";
}
TAV_EXPORTE const char* TAV_APPEL renvoieVersion(void) {
    return "1.0";
}
