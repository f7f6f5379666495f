#pragma once
// The report engine of the report cards: the cards laid out once on A4 pages (lengths in report
// units of 1/96 inch), then drawn the same way on any paged device (preview, printer, PDF), and
// the same cards written as ODT and RTF documents for a word processor.
#include "tavX_donneesBulletins.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QPageLayout>
#include <QString>
#include <functional>
#include <memory>

class QPainter;
class QPagedPaintDevice;
class QTextLayout;

namespace Bulletins {

// Sizes of the page (A4 portrait less 10 mm margins) and of the parts of a card.
namespace Unites {
constexpr double LargeurPage = 190.0 / 25.4 * 96.0;
constexpr double HauteurPage = 277.0 / 25.4 * 96.0;
constexpr double Logo = 98;
constexpr double DebutEcole = 113;
constexpr double HauteurCadre = 272;
// Column widths: "Matières", "Elève", "Min", "Max", "Classe", then the sections share the rest.
constexpr double LargeurMatieres = 120, LargeurEleve = 50, LargeurMin = 35, LargeurMax = 35,
                 LargeurClasse = 40, LargeurSections = 435, LargeurSectionsSansMinMax = 545;
} // namespace Unites

// The A4 portrait page with its 10 mm margins.
QPageLayout MiseEnPageA4();
// The credit line at the foot of every page.
QString LigneCredit();

class TMiseEnPage {
public:
    explicit TMiseEnPage(QList<TCarte> cartes);
    ~TMiseEnPage();
    TMiseEnPage(const TMiseEnPage&) = delete;
    TMiseEnPage& operator=(const TMiseEnPage&) = delete;

    const QList<TCarte>& Cartes() const { return cartes; }
    int NombrePages() const { return int(pages.size()); }
    // The card drawn on a page (0-based) and the pages of a card.
    int CarteDeLaPage(int page) const;
    QList<int> PagesDeLaCarte(int carte) const;
    // The widths of a card's columns.
    QList<double> LargeursColonnes(int carte) const;

    // Draws one page, the painter's unit being one report unit at the top left of the
    // printable area.
    void DessinerPage(QPainter& painter, int page) const;
    // Draws the pages (all when empty) on a device already set to MiseEnPageA4(); false when the
    // device cannot be painted on.
    bool Dessiner(QPagedPaintDevice& device, const QList<int>& pages = {}) const;

private:
    struct TCellule;
    struct TLigne;
    struct TCarteMiseEnPage;
    struct TPage {
        int carte = 0;
        int premiere = 0, derniere = 0; // table rows [premiere, derniere)
        bool cadre = false;
    };
    void Preparer(int carte);

    QList<TCarte> cartes;
    std::vector<std::unique_ptr<TCarteMiseEnPage>> misesEnPage;
    std::vector<TPage> pages;
    QList<QImage> logos; // one picture per logo path, shared by every card
    QStringList cheminsLogos;
};

// The whole class as one PDF document.
QByteArray Pdf(const TMiseEnPage& miseEnPage, const QList<int>& pages = {});
bool EcrirePdf(const QString& chemin, const TMiseEnPage& miseEnPage, QString* cause = nullptr);
// One PDF per card in a folder, named "student - class - period.pdf" (names made valid).
// `remplacer` is asked before an existing file is replaced (false: that card is skipped).
// The written paths go to `ecrits`.
QString NomFichierCarte(const TCarte& carte);
bool EcrirePdfParEleve(const QString& dossier, const TMiseEnPage& miseEnPage,
                       const std::function<bool(const QString& chemin)>& remplacer,
                       QStringList* ecrits, QString* cause = nullptr);

// The cards as an OpenDocument text and as RTF.
QByteArray Odt(const QList<TCarte>& cartes);
QByteArray Rtf(const QList<TCarte>& cartes);
bool EcrireOdt(const QString& chemin, const QList<TCarte>& cartes, QString* cause = nullptr);
bool EcrireRtf(const QString& chemin, const QList<TCarte>& cartes, QString* cause = nullptr);

} // namespace Bulletins
