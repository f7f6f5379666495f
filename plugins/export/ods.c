/* OpenDocument spreadsheet export: one sheet per period (series, marks, bonus points, averages,
   appreciations) plus one for the year. Numbers are real number cells. The package is a zip of
   stored (uncompressed) entries, the "mimetype" entry first, as the format asks. */
#include "commun.h"

#include <stdio.h>
#include <string.h>

/* ---- Zip of stored entries ---------------------------------------------------------------- */

static uint32_t Crc32(const char* octets, size_t n) {
    static uint32_t table[256];
    static int prete = 0;
    uint32_t crc = 0xFFFFFFFFu;
    size_t i;
    if (!prete) {
        uint32_t k, c;
        int b;
        for (k = 0; k < 256; ++k) {
            c = k;
            for (b = 0; b < 8; ++b)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[k] = c;
        }
        prete = 1;
    }
    for (i = 0; i < n; ++i)
        crc = table[(crc ^ (unsigned char)octets[i]) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

static void Mot16(Tampon* t, unsigned v) {
    char o[2] = {(char)(v & 0xFF), (char)((v >> 8) & 0xFF)};
    TamponAjouter(t, o, 2);
}
static void Mot32(Tampon* t, uint32_t v) {
    Mot16(t, v & 0xFFFF);
    Mot16(t, v >> 16);
}

typedef struct {
    Tampon zip, central;
    unsigned entrees;
} Paquet;

static void Entree(Paquet* z, const char* nom, const char* octets, size_t n) {
    const uint32_t crc = Crc32(octets, n);
    const uint32_t position = (uint32_t)z->zip.taille;
    const size_t lnom = strlen(nom);
    /* Local header. */
    Mot32(&z->zip, 0x04034b50u);
    Mot16(&z->zip, 10);     /* version needed */
    Mot16(&z->zip, 0x0800); /* UTF-8 names */
    Mot16(&z->zip, 0);      /* stored */
    Mot16(&z->zip, 0);      /* time */
    Mot16(&z->zip, 0x21);   /* date: 1980-01-01 */
    Mot32(&z->zip, crc);
    Mot32(&z->zip, (uint32_t)n);
    Mot32(&z->zip, (uint32_t)n);
    Mot16(&z->zip, (unsigned)lnom);
    Mot16(&z->zip, 0);
    TamponAjouter(&z->zip, nom, lnom);
    TamponAjouter(&z->zip, octets, n);
    /* Central directory record. */
    Mot32(&z->central, 0x02014b50u);
    Mot16(&z->central, 20);
    Mot16(&z->central, 10);
    Mot16(&z->central, 0x0800);
    Mot16(&z->central, 0);
    Mot16(&z->central, 0);
    Mot16(&z->central, 0x21);
    Mot32(&z->central, crc);
    Mot32(&z->central, (uint32_t)n);
    Mot32(&z->central, (uint32_t)n);
    Mot16(&z->central, (unsigned)lnom);
    Mot16(&z->central, 0);
    Mot16(&z->central, 0);
    Mot16(&z->central, 0);
    Mot16(&z->central, 0);
    Mot32(&z->central, 0);
    Mot32(&z->central, position);
    TamponAjouter(&z->central, nom, lnom);
    ++z->entrees;
}

static void Fermer(Paquet* z) {
    const uint32_t debut = (uint32_t)z->zip.taille;
    TamponAjouter(&z->zip, z->central.octets, z->central.taille);
    Mot32(&z->zip, 0x06054b50u);
    Mot16(&z->zip, 0);
    Mot16(&z->zip, 0);
    Mot16(&z->zip, z->entrees);
    Mot16(&z->zip, z->entrees);
    Mot32(&z->zip, (uint32_t)z->central.taille);
    Mot32(&z->zip, debut);
    Mot16(&z->zip, 0);
    if (z->central.echec) z->zip.echec = 1;
}

/* ---- Content --------------------------------------------------------------------------------- */

static const char* EntiteOds(char c) {
    /* Control characters other than tab and line breaks are not allowed in XML. */
    if ((unsigned char)c < 0x20 && c != '\t' && c != '\n') return "";
    return EntiteXml(c);
}

static void Echappe(Tampon* t, const char* texte) {
    TamponEchappe(t, texte, EntiteOds);
}

typedef struct {
    const TavHote* h;
    Tampon* t;
} Feuilles;

static void DebutLigne(void* format) {
    TamponTexte(((Feuilles*)format)->t, "<table:table-row>");
}

static void FinLigne(void* format) {
    TamponTexte(((Feuilles*)format)->t, "</table:table-row>\n");
}

/* Headings or not, a number is a number cell and any other text a string cell. */
static void Cellule(void* format, const char* texte, GenreCellule genre) {
    const TavHote* h = ((Feuilles*)format)->h;
    Tampon* t = ((Feuilles*)format)->t;
    double valeur;
    (void)genre;
    if (!texte || !*texte) {
        TamponTexte(t, "<table:table-cell/>");
        return;
    }
    if (h->lireNombre(h->contexte, texte, &valeur) && EstNombreSimple(texte)) {
        char nombre[64];
        snprintf(nombre, sizeof nombre, "%.15g", valeur);
        TamponTexte(t, "<table:table-cell office:value-type=\"float\" office:value=\"");
        TamponTexte(t, nombre);
        TamponTexte(t, "\"><text:p>");
        Echappe(t, texte);
        TamponTexte(t, "</text:p></table:table-cell>");
        return;
    }
    /* A string cell: never read as a formula, whatever it starts with. */
    TamponTexte(t, "<table:table-cell office:value-type=\"string\"><text:p>");
    Echappe(t, texte);
    TamponTexte(t, "</text:p></table:table-cell>");
}

static void Feuille(Tampon* t, const char* nom) {
    char propre[256];
    size_t i, n = 0;
    /* A sheet name may not hold [ ] * ? : / \ nor an apostrophe first. */
    for (i = 0; nom && nom[i] && n < sizeof propre - 1; ++i)
        if (!strchr("[]*?:/\\", nom[i]) && !(n == 0 && nom[i] == '\'')) propre[n++] = nom[i];
    propre[n] = 0;
    TamponTexte(t, "<table:table table:name=\"");
    Echappe(t, n ? propre : "Période");
    TamponTexte(t, "\">\n");
}

static void Contenu(const TavHote* h, Tampon* t) {
    TavContexte* x = h->contexte;
    Feuilles feuilles = {h, t};
    const Cellules cellules = {&feuilles, DebutLigne, Cellule, FinLigne};
    int32_t p;
    const int32_t P = h->nombrePeriodes(x);
    TamponTexte(
        t, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<office:document-content "
           "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
           "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
           "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" office:version=\"1.2\">\n"
           "<office:body><office:spreadsheet>\n");
    for (p = 1; p <= P; ++p) {
        Feuille(t, h->nomPeriode(x, p));
        EcrirePeriode(h, p, &cellules);
        TamponTexte(t, "</table:table>\n");
    }
    Feuille(t, "Année");
    EcrireAnnee(h, &cellules);
    TamponTexte(t,
                "</table:table>\n</office:spreadsheet></office:body></office:document-content>\n");
}

TAV_EXPORTE int32_t TAV_APPEL renvoieNombreFormatsProposes(void) {
    return 1;
}
TAV_EXPORTE const char* TAV_APPEL renvoiePetiteDescription(int32_t format) {
    return format == 1 ? "Classeur OpenDocument (ODS)" : NULL;
}
TAV_EXPORTE const char* TAV_APPEL renvoieGrandeDescription(int32_t format) {
    return format == 1
               ? "Classeur OpenDocument pour LibreOffice, Excel et les autres tableurs : une "
                 "feuille par période (séries, notes, points, moyennes, appréciations) et "
                 "une feuille pour l'année. Les nombres sont de vraies cellules numériques."
               : NULL;
}
TAV_EXPORTE int32_t TAV_APPEL exporter(int32_t format, const TavHote* hote) {
    static const char mimetype[] = "application/vnd.oasis.opendocument.spreadsheet";
    static const char manifeste[] =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<manifest:manifest xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:manifest:1.0\" "
        "manifest:version=\"1.2\">\n"
        "<manifest:file-entry manifest:full-path=\"/\" manifest:version=\"1.2\" "
        "manifest:media-type=\"application/vnd.oasis.opendocument.spreadsheet\"/>\n"
        "<manifest:file-entry manifest:full-path=\"content.xml\" "
        "manifest:media-type=\"text/xml\"/>\n"
        "</manifest:manifest>\n";
    Paquet z;
    Tampon contenu;
    int32_t resultat;
    if (!HoteUtilisable(hote) || format != 1) return 0;
    memset(&z, 0, sizeof z);
    memset(&contenu, 0, sizeof contenu);
    Contenu(hote, &contenu);
    Entree(&z, "mimetype", mimetype, sizeof mimetype - 1);
    Entree(&z, "META-INF/manifest.xml", manifeste, sizeof manifeste - 1);
    Entree(&z, "content.xml", contenu.octets ? contenu.octets : "", contenu.taille);
    Fermer(&z);
    if (contenu.echec) z.zip.echec = 1;
    resultat = Enregistrer(hote, &z.zip, "Exporter en classeur OpenDocument",
                           "Classeur OpenDocument *.ods|*.ods", "ods");
    TamponLiberer(&contenu);
    TamponLiberer(&z.zip);
    TamponLiberer(&z.central);
    return resultat;
}
