/* HTML export: one table per period (series, marks, bonus points, averages, appreciations), then
   the year's averages; every text escaped. */
#include "commun.h"

#include <stdio.h>
#include <string.h>

static void Echappe(Tampon* t, const char* texte) {
    const char* p;
    for (p = texte ? texte : ""; *p; ++p) {
        switch (*p) {
        case '&':
            TamponTexte(t, "&amp;");
            break;
        case '<':
            TamponTexte(t, "&lt;");
            break;
        case '>':
            TamponTexte(t, "&gt;");
            break;
        case '"':
            TamponTexte(t, "&quot;");
            break;
        case '\'':
            TamponTexte(t, "&#39;");
            break;
        case '\n':
            TamponTexte(t, "<br>");
            break;
        case '\r':
            break;
        default:
            TamponAjouter(t, p, 1);
        }
    }
}

static void Cellule(Tampon* t, const char* balise, const char* texte) {
    TamponTexte(t, "<");
    TamponTexte(t, balise);
    TamponTexte(t, ">");
    Echappe(t, texte);
    /* The closing tag is the element's name, without its attributes. */
    TamponTexte(t, balise[1] == 'h' ? "</th>" : "</td>");
}

static void Ecrire(const TavHote* h, Tampon* t) {
    TavContexte* x = h->contexte;
    int32_t p, j, s, k;
    const int32_t P = h->nombrePeriodes(x), N = h->nombreEleves(x), K = h->nombreSections(x);
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
        TamponTexte(t, "</h2>\n<table>\n<tr>");
        Cellule(t, "th", "Elève");
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
        Cellule(t, "th", "Points");
        Cellule(t, "th", "Moyenne bulletin");
        for (k = 1; k <= K; ++k)
            Cellule(t, "th", h->nomSection(x, k));
        TamponTexte(t, "</tr>\n");
        for (s = 1; s <= N; ++s) {
            TamponTexte(t, "<tr>");
            Cellule(t, "td", h->nomEleve(x, s));
            for (j = 1; j <= S; ++j)
                Cellule(t, "td class=\"n\"", h->note(x, p, j, s));
            Cellule(t, "td class=\"n\"", h->points(x, p, s));
            Cellule(t, "td class=\"n\"", h->moyenneBulletin(x, p, s));
            for (k = 1; k <= K; ++k)
                Cellule(t, "td", h->appreciation(x, p, s, k));
            TamponTexte(t, "</tr>\n");
        }
        TamponTexte(t, "</table>\n");
    }
    TamponTexte(t, "<h2>Année</h2>\n<table>\n<tr>");
    Cellule(t, "th", "Elève");
    for (p = 1; p <= P; ++p)
        Cellule(t, "th", h->nomPeriode(x, p));
    Cellule(t, "th", "Moyenne annuelle");
    TamponTexte(t, "</tr>\n");
    for (s = 1; s <= N; ++s) {
        TamponTexte(t, "<tr>");
        Cellule(t, "td", h->nomEleve(x, s));
        for (p = 1; p <= P; ++p)
            Cellule(t, "td class=\"n\"", h->moyenneBulletin(x, p, s));
        Cellule(t, "td class=\"n\"", h->moyenneAnnuelle(x, s));
        TamponTexte(t, "</tr>\n");
    }
    TamponTexte(t, "</table>\n</body>\n</html>\n");
}

TAV_EXPORTE int32_t TAV_APPEL renvoieVersionInterface(void) {
    return TAV_VERSION_INTERFACE;
}
TAV_EXPORTE const char* TAV_APPEL renvoieIdentification(void) {
    return "Tavelin";
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
TAV_EXPORTE const char* TAV_APPEL renvoieCopyright(void) {
    return "Tavelin";
}
TAV_EXPORTE const char* TAV_APPEL renvoieVersion(void) {
    return "1.0";
}
TAV_EXPORTE int32_t TAV_APPEL exporter(int32_t format, const TavHote* hote) {
    Tampon t;
    int32_t resultat;
    if (!hote || hote->version < 1 || hote->taille < sizeof(TavHote) || format != 1) return 0;
    memset(&t, 0, sizeof t);
    Ecrire(hote, &t);
    resultat = Enregistrer(hote, &t, "Exporter en page web", "Page web *.html|*.html", "html");
    TamponLiberer(&t);
    return resultat;
}
