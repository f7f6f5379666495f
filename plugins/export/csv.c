/* CSV export: one block per period (series properties, marks, bonus points, averages,
   appreciations), then the year's averages. Format 1 for French spreadsheets (";" and decimal
   comma), format 2 with "," and decimal points. UTF-8 with a byte order mark. */
#include "commun.h"

#include <stdio.h>
#include <string.h>

typedef struct {
    const TavHote* h;
    Tampon t;
    char separateur;
    char decimale;
} Csv;

static void Cellule(Csv* c, const char* texte, int premiere) {
    const char* p;
    int guillemets = 0;
    if (!premiere) TamponAjouter(&c->t, &c->separateur, 1);
    if (!texte) texte = "";
    if (EstNombreSimple(texte)) {
        /* A number, with the decimal separator of the format. */
        for (p = texte; *p; ++p) {
            char o = (*p == ',' || *p == '.') ? c->decimale : *p;
            TamponAjouter(&c->t, &o, 1);
        }
        return;
    }
    for (p = texte; *p; ++p)
        if (*p == c->separateur || *p == '"' || *p == '\n' || *p == '\r') guillemets = 1;
    if (CommenceCommeFormule(texte)) guillemets = 1;
    if (guillemets) TamponAjouter(&c->t, "\"", 1);
    /* A text that a spreadsheet would run as a formula is kept a text. */
    if (CommenceCommeFormule(texte)) TamponAjouter(&c->t, "'", 1);
    for (p = texte; *p; ++p) {
        if (*p == '"') TamponAjouter(&c->t, "\"", 1);
        TamponAjouter(&c->t, p, 1);
    }
    if (guillemets) TamponAjouter(&c->t, "\"", 1);
}

static void FinLigne(Csv* c) {
    TamponAjouter(&c->t, "\r\n", 2);
}

static void LigneAttribut(Csv* c, int32_t periode, const char* nom, int32_t champ) {
    const TavHote* h = c->h;
    int32_t j, n = h->nombreSeries(h->contexte, periode);
    Cellule(c, nom, 1);
    for (j = 1; j <= n; ++j)
        Cellule(c, h->serie(h->contexte, periode, j, champ), 0);
    FinLigne(c);
}

static void Ecrire(Csv* c) {
    const TavHote* h = c->h;
    TavContexte* x = h->contexte;
    int32_t p, j, s, k;
    const int32_t P = h->nombrePeriodes(x), N = h->nombreEleves(x), K = h->nombreSections(x);
    char sur[32];
    snprintf(sur, sizeof sur, "%d", (int)h->moyennesSur(x));
    TamponAjouter(&c->t, "\xEF\xBB\xBF", 3);
    Cellule(c, "Classe", 1);
    Cellule(c, h->classe(x, TAV_CLASSE_NOM), 0);
    Cellule(c, "Matière", 0);
    Cellule(c, h->classe(x, TAV_CLASSE_MATIERE), 0);
    Cellule(c, "Enseignant", 0);
    Cellule(c, h->classe(x, TAV_CLASSE_ENSEIGNANT), 0);
    Cellule(c, "Etablissement", 0);
    Cellule(c, h->classe(x, TAV_CLASSE_ECOLE), 0);
    Cellule(c, "Année scolaire", 0);
    Cellule(c, h->classe(x, TAV_CLASSE_ANNEE_SCOLAIRE), 0);
    FinLigne(c);
    for (p = 1; p <= P; ++p) {
        const int32_t S = h->nombreSeries(x, p);
        FinLigne(c);
        Cellule(c, "Période", 1);
        Cellule(c, h->nomPeriode(x, p), 0);
        FinLigne(c);
        Cellule(c, "Elève", 1);
        for (j = 1; j <= S; ++j)
            Cellule(c, h->serie(x, p, j, TAV_SERIE_INTITULE), 0);
        Cellule(c, "Points en plus ou en moins", 0);
        Cellule(c, "Moyenne bulletin", 0);
        for (k = 1; k <= K; ++k)
            Cellule(c, h->nomSection(x, k), 0);
        FinLigne(c);
        LigneAttribut(c, p, "Noté sur", TAV_SERIE_NOTE_SUR);
        LigneAttribut(c, p, "Coefficient", TAV_SERIE_COEFFICIENT);
        LigneAttribut(c, p, "Compte dans la moyenne", TAV_SERIE_COMPTE);
        LigneAttribut(c, p, "Date", TAV_SERIE_DATE);
        LigneAttribut(c, p, "Type de notes", TAV_SERIE_TYPE);
        LigneAttribut(c, p, "Oral / écrit", TAV_SERIE_ORAL_ECRIT);
        LigneAttribut(c, p, "Commentaire", TAV_SERIE_COMMENTAIRE);
        for (s = 1; s <= N; ++s) {
            Cellule(c, h->nomEleve(x, s), 1);
            for (j = 1; j <= S; ++j)
                Cellule(c, h->note(x, p, j, s), 0);
            Cellule(c, h->points(x, p, s), 0);
            Cellule(c, h->moyenneBulletin(x, p, s), 0);
            for (k = 1; k <= K; ++k)
                Cellule(c, h->appreciation(x, p, s, k), 0);
            FinLigne(c);
        }
    }
    FinLigne(c);
    Cellule(c, "Année", 1);
    Cellule(c, "Moyennes sur", 0);
    Cellule(c, sur, 0);
    FinLigne(c);
    Cellule(c, "Elève", 1);
    for (p = 1; p <= P; ++p)
        Cellule(c, h->nomPeriode(x, p), 0);
    Cellule(c, "Moyenne annuelle", 0);
    FinLigne(c);
    for (s = 1; s <= N; ++s) {
        Cellule(c, h->nomEleve(x, s), 1);
        for (p = 1; p <= P; ++p)
            Cellule(c, h->moyenneBulletin(x, p, s), 0);
        Cellule(c, h->moyenneAnnuelle(x, s), 0);
        FinLigne(c);
    }
}

TAV_EXPORTE int32_t TAV_APPEL renvoieVersionInterface(void) {
    return TAV_VERSION_INTERFACE;
}
TAV_EXPORTE const char* TAV_APPEL renvoieIdentification(void) {
    return "Tavelin";
}
TAV_EXPORTE int32_t TAV_APPEL renvoieNombreFormatsProposes(void) {
    return 2;
}
TAV_EXPORTE const char* TAV_APPEL renvoiePetiteDescription(int32_t format) {
    switch (format) {
    case 1:
        return "Tableur en français (CSV, point-virgule et virgule décimale)";
    case 2:
        return "CSV international (virgule et point décimal)";
    default:
        return NULL;
    }
}
TAV_EXPORTE const char* TAV_APPEL renvoieGrandeDescription(int32_t format) {
    switch (format) {
    case 1:
        return "Fichier texte CSV pour les tableurs réglés en français : colonnes séparées par "
               "des points-virgules, nombres à virgule décimale, UTF-8. Un bloc par période "
               "(séries, notes, points, moyennes, appréciations) puis les moyennes de l'année.";
    case 2:
        return "Fichier texte CSV international : colonnes séparées par des virgules, nombres à "
               "point décimal, UTF-8. Même contenu que le format français.";
    default:
        return NULL;
    }
}
TAV_EXPORTE const char* TAV_APPEL renvoieCopyright(void) {
    return "Tavelin";
}
TAV_EXPORTE const char* TAV_APPEL renvoieVersion(void) {
    return "1.0";
}

TAV_EXPORTE int32_t TAV_APPEL exporter(int32_t format, const TavHote* hote) {
    Csv c;
    int32_t resultat;
    if (!hote || hote->version < 1 || hote->taille < sizeof(TavHote) || format < 1 || format > 2)
        return 0;
    memset(&c, 0, sizeof c);
    c.h = hote;
    c.separateur = format == 1 ? ';' : ',';
    c.decimale = format == 1 ? ',' : '.';
    Ecrire(&c);
    resultat = Enregistrer(hote, &c.t, "Exporter au format CSV", "Fichier CSV *.csv|*.csv", "csv");
    TamponLiberer(&c.t);
    return resultat;
}
