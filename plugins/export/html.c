/* HTML export: one table per period (series, marks, bonus points, averages, appreciations), then
   the year's averages; every text escaped. */
#include "commun.h"

#include <stdio.h>
#include <string.h>

static const char* EntiteHtml(char c) {
    switch (c) {
    case '\'':
        return "&#39;";
    case '\n':
        return "<br>";
    case '\r':
        return "";
    default:
        return EntiteXml(c);
    }
}

static void Echappe(Tampon* t, const char* texte) {
    TamponEchappe(t, texte, EntiteHtml);
}

static void DebutLigne(void* format) {
    TamponTexte((Tampon*)format, "<tr>");
}

static void FinLigne(void* format) {
    TamponTexte((Tampon*)format, "</tr>\n");
}

static void Cellule(void* format, const char* texte, GenreCellule genre) {
    Tampon* t = (Tampon*)format;
    TamponTexte(t, genre == CELLULE_ENTETE   ? "<th>"
                   : genre == CELLULE_NOMBRE ? "<td class=\"n\">"
                                             : "<td>");
    Echappe(t, texte);
    TamponTexte(t, genre == CELLULE_ENTETE ? "</th>" : "</td>");
}

static void Ecrire(const TavHote* h, Tampon* t) {
    TavContexte* x = h->contexte;
    const Cellules cellules = {t, DebutLigne, Cellule, FinLigne};
    int32_t p, j, k;
    const int32_t P = h->nombrePeriodes(x), K = h->nombreSections(x);
    TamponTexte(t,
                "<!DOCTYPE html>\n<html lang=\"fr\">\n<head>\n<meta charset=\"utf-8\">\n<title>");
    Echappe(t, h->classe(x, TAV_CLASSE_NOM));
    TamponTexte(t, " - ");
    Echappe(t, h->classe(x, TAV_CLASSE_MATIERE));
    TamponTexte(t, "</title>\n<style>table{border-collapse:collapse;margin-bottom:1.5em}"
                   "td,th{border:1px solid #999;padding:2px 6px}td.n{text-align:right}</style>\n"
                   "</head>\n<body>\n<h1>");
    Echappe(t, h->classe(x, TAV_CLASSE_NOM));
    TamponTexte(t, " - ");
    Echappe(t, h->classe(x, TAV_CLASSE_MATIERE));
    TamponTexte(t, "</h1>\n<p>");
    Echappe(t, h->classe(x, TAV_CLASSE_ENSEIGNANT));
    TamponTexte(t, " - ");
    Echappe(t, h->classe(x, TAV_CLASSE_ECOLE));
    TamponTexte(t, " - ");
    Echappe(t, h->classe(x, TAV_CLASSE_ANNEE_SCOLAIRE));
    TamponTexte(t, "</p>\n");
    for (p = 1; p <= P; ++p) {
        const int32_t S = h->nombreSeries(x, p);
        TamponTexte(t, "<h2>");
        Echappe(t, h->nomPeriode(x, p));
        TamponTexte(t, "</h2>\n<table>\n");
        DebutLigne(t);
        Cellule(t, "Elève", CELLULE_ENTETE);
        for (j = 1; j <= S; ++j) {
            TamponTexte(t, "<th title=\"");
            Echappe(t, h->serie(x, p, j, TAV_SERIE_COMMENTAIRE));
            TamponTexte(t, "\">");
            Echappe(t, h->serie(x, p, j, TAV_SERIE_INTITULE));
            TamponTexte(t, "<br>/");
            Echappe(t, h->serie(x, p, j, TAV_SERIE_NOTE_SUR));
            TamponTexte(t, " coef. ");
            Echappe(t, h->serie(x, p, j, TAV_SERIE_COEFFICIENT));
            TamponTexte(t, "</th>");
        }
        Cellule(t, "Points", CELLULE_ENTETE);
        Cellule(t, "Moyenne bulletin", CELLULE_ENTETE);
        for (k = 1; k <= K; ++k)
            Cellule(t, h->nomSection(x, k), CELLULE_ENTETE);
        FinLigne(t);
        EcrireLignesEleves(h, p, &cellules);
        TamponTexte(t, "</table>\n");
    }
    TamponTexte(t, "<h2>Année</h2>\n<table>\n");
    EcrireAnnee(h, &cellules);
    TamponTexte(t, "</table>\n</body>\n</html>\n");
}

TAV_EXPORTE int32_t TAV_APPEL renvoieNombreFormatsProposes(void) {
    return 1;
}
TAV_EXPORTE const char* TAV_APPEL renvoiePetiteDescription(int32_t format) {
    return format == 1 ? "Page web (HTML)" : NULL;
}
TAV_EXPORTE const char* TAV_APPEL renvoieGrandeDescription(int32_t format) {
    return format == 1 ? "Page HTML en UTF-8 : un tableau par période (séries, notes, points, "
                         "moyennes, appréciations) puis les moyennes de l'année."
                       : NULL;
}
TAV_EXPORTE int32_t TAV_APPEL exporter(int32_t format, const TavHote* hote) {
    Tampon t;
    int32_t resultat;
    if (!HoteUtilisable(hote) || format != 1) return 0;
    memset(&t, 0, sizeof t);
    Ecrire(hote, &t);
    resultat = Enregistrer(hote, &t, "Exporter en page web", "Page web *.html|*.html", "html");
    TamponLiberer(&t);
    return resultat;
}
