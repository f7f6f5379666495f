#pragma once
// TImpression: the base of the table printouts of a class (grade series, summaries,
// appreciations, blank grid). A printout reads a class file and the settings and never changes
// the class. It measures its table, splits it into pages by columns and draws one page at a time
// on any paged output (a printer, the print preview, a PDF file, a recording device in the
// tests), always in the same logical units: ResolutionLogique dots per inch, whatever the real
// resolution of the output, so that every distance below means the same on paper, on screen and
// in a PDF.
//
// Measuring needs no output: a printout is built from a page geometry and a font, tells its page
// count, and only the print loop opens the output (the job begins once the user has confirmed).
#include "_TInclureImpression.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QList>
#include <QPageLayout>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class QPainter;
class TFichierTav;

namespace Impression {

// Logical dots per inch of every printout.
constexpr int ResolutionLogique = 600;
// Width of the rules, in logical units (a printer dot would vanish on paper).
constexpr int EpaisseurTrait = 3;
// Smallest margin of a page, in logical units.
constexpr int MargeMinimum = 100;

// What the print dialog can print, in the order of its list.
enum class TQuoi { SeriesDeNotes = 0, Bilans = 1, Appreciations = 2, GrilleVierge = 3 };

// Error texts of a page count of 0 and -1.
QString MessageTropLarge();
QString MessageTropHaut();

} // namespace Impression

// One part of a header or footer: its text and whether a frame is drawn around it.
struct TBlocTexte {
    QString texte;
    bool encadre = false;
};

// A header or a footer: left, centre and right parts.
struct TEnteteBasDePage {
    TBlocTexte gauche, centre, droite;
    bool EstVide() const {
        return gauche.texte.trimmed().isEmpty() && centre.texte.trimmed().isEmpty() &&
               droite.texte.trimmed().isEmpty();
    }
};

// The geometry of a page, in logical units. Coordinates start at the top-left corner of the
// printable area; the content runs from margeGauche to largeurImprimable - margeDroite.
struct TGeometriePage {
    int margeGauche = MargeDefaut, margeHaut = MargeDefaut, margeDroite = MargeDefaut,
        margeBas = MargeDefaut;
    int largeurPapier = 4960, hauteurPapier = 7016; // A4 at 600 dpi
    int largeurImprimable = 4960, hauteurImprimable = 7016;

    // From the layout of a printer or PDF page: the unprintable offsets become the margins,
    // raised to Impression::MargeMinimum.
    static TGeometriePage Depuis(const QPageLayout& mise);
    int LargeurUtile() const { return largeurImprimable - margeGauche - margeDroite; }

private:
    static constexpr int MargeDefaut = 100;
};

// The choices of the confirmation: page range, reverse order, parity (0 every page, 1 odd pages
// only, 2 even pages only) and copies.
struct TChoixImpression {
    int premiere = 1;
    int derniere = 1;
    bool inverse = false;
    int parite = 0;
    int copies = 1;
};

// Where the pages go. Commencer opens the job and gives a painter whose units are logical units
// from the top-left corner of the printable area; NouvellePage starts the next sheet; Terminer
// closes the job (false, with a cause, when the output failed); Abandonner drops an unfinished
// job (a cancelled run).
class TSortiePages {
public:
    virtual ~TSortiePages() = default;
    virtual QPainter* Commencer() = 0;
    virtual bool NouvellePage() = 0;
    virtual bool Terminer() = 0;
    virtual void Abandonner() = 0;
    QString Cause() const { return cause; }

protected:
    QString cause;
};

// The pages into a PDF file, written safely (nothing is written when the run is cancelled or
// fails; an existing file stays as it was).
class TSortiePdf : public TSortiePages {
public:
    TSortiePdf(const QString& chemin, const QPageLayout& mise, const QString& titre);
    ~TSortiePdf() override;
    QPainter* Commencer() override;
    bool NouvellePage() override;
    bool Terminer() override;
    void Abandonner() override;

private:
    struct TDonnees;
    std::unique_ptr<TDonnees> d;
};

// The settings of one printout.
struct TParametresImpression {
    QString police = QStringLiteral("Times New Roman");
    int taillePolice = 9;
    bool numeroter = false;
    bool datesNaissance = false;
    bool redoublants = false;
    std::optional<TInclureImpression> inclure; // none: no statistic rows
    int periode = 1;                           // periods + 1: the whole year
    TEnteteBasDePage entete, basDePage;
    TGeometriePage geometrie;

    // The settings of the user for a printout of that kind: numbering, birth dates, "(R)",
    // inclusion set, font, stored header and footer texts.
    static TParametresImpression DepuisReglages(Impression::TQuoi quoi);
};

class TImpression {
public:
    TImpression(const TFichierTav& fichier, const TParametresImpression& parametres);
    virtual ~TImpression();
    TImpression(const TImpression&) = delete;
    TImpression& operator=(const TImpression&) = delete;

    // Number of pages (at least 1); 0 when a data column does not fit beside the name column;
    // -1 when the table is taller than the space between the header and the footer. The height
    // is tested first.
    int NombrePages() const { return nombrePages; }
    // The first data column (1-based) of each page, then the number of data columns + 1.
    const QList<int>& Bornes() const { return bornes; }

    // Draws page k (1-based): header, table, footer.
    void DessinerPage(QPainter& peintre, int page) const;
    // Draws a header (or a footer) band at y; returns its height.
    int DessinerBande(QPainter& peintre, const TEnteteBasDePage& bande, int y, bool entete) const;
    // Height of the header band (40 when it is blank).
    int HauteurEntete() const;

    // The sheets of a run: the pages in printing order, copy after copy. A range outside
    // 1 .. page count is brought inside it; fewer than one copy prints nothing.
    static QList<int> SequencePages(const TChoixImpression& choix, int nombrePages);

    // The print loop: opens the output, draws the pages of the sequence with a new sheet between
    // two of them, closes the output. avancer (when given) is called before each page with its
    // position in the run (1-based), the number of pages of the run and the progress caption;
    // false cancels: the output is abandoned. Returns false when cancelled or when the output
    // failed (its Cause() says why); nothing is opened when the sequence is empty.
    using TAvancement = std::function<bool(int position, int total, const QString& legende)>;
    bool Imprimer(TSortiePages& sortie, const TChoixImpression& choix,
                  const TAvancement& avancer = {}) const;

    // Geometry helpers, public for the tests.
    int HauteurLigne() const { return hauteurLigne; }
    int LargeurNoms() const { return largeurNoms; }
    int LargeurColonne() const { return largeurColonne; }
    // Top-left corner and size of the table of a page.
    QRect RectangleTable(int page) const;

    // Colour of a mark on a scale (the colours of the settings "couleur1Note".."couleur4Note").
    // Black for the empty text, "abs", a text that is not a number or a maximum that is not a
    // positive number. horsBornes: a value outside 0 .. maximum takes "couleur4Note".
    static QColor CouleurNote(const QString& texte, const QString& maximum, bool horsBornes = true);

protected:
    // ---- What a printout tells the base -------------------------------------------------------
    // Fixed columns printed on every page right of the names (appreciations), and their width.
    virtual int NombreColonnesFixes() const { return 0; }
    virtual int LargeurColonneFixe() const { return 0; }
    virtual int NombreColonnesDonnees() const = 0;
    // Column index: fixed columns first (0 .. F - 1), then the data columns (F .. F + d - 1).
    virtual QString TitreColonne(int colonne) const = 0;
    virtual Qt::Alignment AlignementTitre(int) const { return Qt::AlignHCenter; }
    virtual Qt::Alignment AlignementCellule(int) const { return Qt::AlignHCenter; }
    virtual QString TexteCellule(int colonne, int eleve) const = 0;
    virtual QColor CouleurCellule(int, int, const QString&) const { return Qt::black; }
    // Value of included statistic row l (index in the inclusion set) for a column.
    virtual QString TexteStatistique(int, int) const { return QString(); }
    // The name cell of a student (" name (R) (date)").
    virtual QString TexteNom(int eleve) const;
    // The progress caption carries "/" and the last page of the range.
    virtual bool LegendeAvecDernierePage() const { return false; }

    // Sets the data column width and paginates; the subclass calls it at the end of its
    // constructor. unePageSeulement: as many columns as fit on one page (the blank grid).
    void Paginer(int largeurDonnees, bool unePageSeulement = false);

    // Text measure in the print font.
    qreal Largeur(const QString& texte) const;
    const TFichierTav& Fichier() const { return fichier; }
    const TParametresImpression& Parametres() const { return parametres; }
    // Included rows (indices in the inclusion set).
    const QList<int>& LignesIncluses() const { return lignesIncluses; }
    static QColor Couleur(qint32 bgr);

private:
    void DessinerTable(QPainter& peintre, int page) const;
    void DessinerCellule(QPainter& peintre, const QRectF& rect, const QString& texte,
                         Qt::Alignment alignement, const QColor& couleur) const;
    int LargeurTable(int page) const;
    int HauteurTable() const;
    QFont PoliceBande(int points) const;

    const TFichierTav& fichier;
    TParametresImpression parametres;
    QFont police;
    QFontMetricsF mesure;
    QList<int> lignesIncluses;
    int hauteurLigne = 0;
    int largeurNoms = 0;
    int largeurNumeros = 0;
    int largeurColonne = 0;
    int nombrePages = 0;
    QList<int> bornes;
};

// The printout of that kind for the class (grade series and appreciations: periode 1..P;
// summaries: 1..P + 1; blank grid: any).
std::unique_ptr<TImpression> CreerImpression(Impression::TQuoi quoi, const TFichierTav& fichier,
                                             const TParametresImpression& parametres);

// A font in logical units (pixel size for the point size at ResolutionLogique).
QFont PoliceLogique(const QString& famille, qreal points);
