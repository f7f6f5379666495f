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
    int premiere; /* the next cell starts its row */
} Csv;

static void DebutLigne(void* format) {
    ((Csv*)format)->premiere = 1;
}

static void FinLigne(void* format) {
    TamponAjouter(&((Csv*)format)->t, "\r\n", 2);
}

static void Cellule(void* format, const char* texte, GenreCellule genre) {
    Csv* c = (Csv*)format;
    const char* p;
    int guillemets = 0, formule;
    (void)genre;
    if (!c->premiere) TamponAjouter(&c->t, &c->separateur, 1);
    c->premiere = 0;
    if (!texte) texte = "";
    if (EstNombreSimple(texte)) {
        /* A number, with the decimal separator of the format. */
        for (p = texte; *p; ++p) {
            char o = (*p == ',' || *p == '.') ? c->decimale : *p;
            TamponAjouter(&c->t, &o, 1);
        }
        return;
    }
    formule = CommenceCommeFormule(texte);
    for (p = texte; *p; ++p)
        if (*p == c->separateur || *p == '"' || *p == '\n' || *p == '\r') guillemets = 1;
    if (formule) guillemets = 1;
    if (guillemets) TamponAjouter(&c->t, "\"", 1);
    /* A text that a spreadsheet would run as a formula is kept a text. */
    if (formule) TamponAjouter(&c->t, "'", 1);
    for (p = texte; *p; ++p) {
        if (*p == '"') TamponAjouter(&c->t, "\"", 1);
        TamponAjouter(&c->t, p, 1);
    }
    if (guillemets) TamponAjouter(&c->t, "\"", 1);
}

static void Ecrire(Csv* c) {
    const TavHote* h = c->h;
    TavContexte* x = h->contexte;
    const Cellules cellules = {c, DebutLigne, Cellule, FinLigne};
    int32_t p;
    const int32_t P = h->nombrePeriodes(x);
    char sur[32];
    snprintf(sur, sizeof sur, "%d", (int)h->moyennesSur(x));
    TamponAjouter(&c->t, "\xEF\xBB\xBF", 3);
    DebutLigne(c);
    Cellule(c, "Classe", CELLULE_ENTETE);
    Cellule(c, h->classe(x, TAV_CLASSE_NOM), CELLULE_TEXTE);
    Cellule(c, "Matière", CELLULE_ENTETE);
    Cellule(c, h->classe(x, TAV_CLASSE_MATIERE), CELLULE_TEXTE);
    Cellule(c, "Enseignant", CELLULE_ENTETE);
    Cellule(c, h->classe(x, TAV_CLASSE_ENSEIGNANT), CELLULE_TEXTE);
    Cellule(c, "Etablissement", CELLULE_ENTETE);
    Cellule(c, h->classe(x, TAV_CLASSE_ECOLE), CELLULE_TEXTE);
    Cellule(c, "Année scolaire", CELLULE_ENTETE);
    Cellule(c, h->classe(x, TAV_CLASSE_ANNEE_SCOLAIRE), CELLULE_TEXTE);
    FinLigne(c);
    for (p = 1; p <= P; ++p) {
        FinLigne(c);
        DebutLigne(c);
        Cellule(c, "Période", CELLULE_ENTETE);
        Cellule(c, h->nomPeriode(x, p), CELLULE_TEXTE);
        FinLigne(c);
        EcrirePeriode(h, p, &cellules);
    }
    FinLigne(c);
    DebutLigne(c);
    Cellule(c, "Année", CELLULE_ENTETE);
    Cellule(c, "Moyennes sur", CELLULE_ENTETE);
    Cellule(c, sur, CELLULE_NOMBRE);
    FinLigne(c);
    EcrireAnnee(h, &cellules);
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

TAV_EXPORTE int32_t TAV_APPEL exporter(int32_t format, const TavHote* hote) {
    Csv c;
    int32_t resultat;
    if (!HoteUtilisable(hote) || format < 1 || format > 2) return 0;
    memset(&c, 0, sizeof c);
    c.h = hote;
    c.separateur = format == 1 ? ';' : ',';
    c.decimale = format == 1 ? ',' : '.';
    Ecrire(&c);
    resultat = Enregistrer(hote, &c.t, "Exporter au format CSV", "Fichier CSV *.csv|*.csv", "csv");
    TamponLiberer(&c.t);
    return resultat;
}
