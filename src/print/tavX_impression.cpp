#include "tavX_impression.h"

#include "tavX_ecritureSure.h"
#include "tavX_fichierTav.h"
#include "tavX_nombres.h"
#include "tavX_options.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cmath>

namespace Impression {

QString MessageTropLarge() {
    return QStringLiteral("Impossible d'imprimer. La largeur d'une colonne ne tient pas sur une "
                          "page !\nSi vous êtes en mode portrait, essayez le mode paysage.");
}

QString MessageTropHaut() {
    return QStringLiteral("Impossible d'imprimer. La hauteur d'une colonne ne tient pas sur une "
                          "page !\nSi vous êtes en mode paysage, essayez le mode portrait et/ou "
                          "une fonte plus petite.");
}

} // namespace Impression

QFont PoliceLogique(const QString& famille, qreal points) {
    QFont police(famille);
    police.setPixelSize(
        std::max(1, int(std::lround(points * Impression::ResolutionLogique / 72.0))));
    police.setHintingPreference(QFont::PreferNoHinting);
    return police;
}

// ---- Geometry ----------------------------------------------------------------------------------

TGeometriePage TGeometriePage::Depuis(const QPageLayout& mise) {
    // Millimetres: the layout's points are whole numbers, too coarse for 1/600 inch.
    const qreal echelle = Impression::ResolutionLogique / 25.4;
    const QRectF papier = mise.fullRect(QPageLayout::Millimeter);
    const QRectF zone = mise.paintRect(QPageLayout::Millimeter);
    TGeometriePage g;
    g.largeurPapier = int(std::lround(papier.width() * echelle));
    g.hauteurPapier = int(std::lround(papier.height() * echelle));
    g.largeurImprimable = int(std::lround(zone.width() * echelle));
    g.hauteurImprimable = int(std::lround(zone.height() * echelle));
    const int gauche = int(std::lround(zone.left() * echelle));
    const int haut = int(std::lround(zone.top() * echelle));
    g.margeGauche = std::max(Impression::MargeMinimum, gauche);
    g.margeHaut = std::max(Impression::MargeMinimum, haut);
    g.margeDroite =
        std::max(Impression::MargeMinimum, g.largeurPapier - gauche - g.largeurImprimable);
    g.margeBas = std::max(Impression::MargeMinimum, g.hauteurPapier - haut - g.hauteurImprimable);
    return g;
}

// ---- PDF output --------------------------------------------------------------------------------

struct TSortiePdf::TDonnees {
    QString chemin;
    QPageLayout mise;
    QString titre;
    QBuffer tampon;
    std::unique_ptr<QPdfWriter> pdf;
    QPainter peintre;
};

TSortiePdf::TSortiePdf(const QString& chemin, const QPageLayout& mise, const QString& titre)
    : d(std::make_unique<TDonnees>()) {
    d->chemin = chemin;
    d->mise = mise;
    d->titre = titre;
}

TSortiePdf::~TSortiePdf() {
    if (d->peintre.isActive()) d->peintre.end();
}

QPainter* TSortiePdf::Commencer() {
    d->tampon.open(QIODevice::WriteOnly);
    d->pdf = std::make_unique<QPdfWriter>(&d->tampon);
    d->pdf->setResolution(Impression::ResolutionLogique);
    d->pdf->setPageLayout(d->mise);
    d->pdf->setTitle(d->titre);
    d->pdf->setCreator(QStringLiteral("Tavelin"));
    if (!d->peintre.begin(d->pdf.get())) {
        cause = QStringLiteral("le document PDF n'a pas pu être commencé");
        return nullptr;
    }
    return &d->peintre;
}

bool TSortiePdf::NouvellePage() {
    return d->pdf && d->pdf->newPage();
}

bool TSortiePdf::Terminer() {
    if (!d->peintre.isActive()) return false;
    d->peintre.end();
    d->tampon.close();
    return Tav::EcrireFichierSur(d->chemin, d->tampon.data(), &cause);
}

void TSortiePdf::Abandonner() {
    if (d->peintre.isActive()) d->peintre.end();
    d->tampon.close();
}

// ---- Settings of a printout ---------------------------------------------------------------------

TParametresImpression TParametresImpression::DepuisReglages(Impression::TQuoi quoi) {
    using Impression::TQuoi;
    TParametresImpression p;
    p.police = Options::NomPolice();
    p.taillePolice = std::max(1, int(Options::TaillePolice()));
    p.entete.gauche.texte = Options::EnTeteGauche();
    p.entete.centre.texte = Options::EnTeteCentre();
    p.entete.droite.texte = Options::EnTeteDroite();
    p.basDePage.gauche.texte = Options::BasDePageGauche();
    p.basDePage.droite.texte = Options::BasDePageDroite();
    switch (quoi) {
    case TQuoi::SeriesDeNotes:
        p.numeroter = Options::NumeroterElevesSeriesDeNotes();
        p.datesNaissance = Options::ImpressionDatesDeNaissanceSeriesDeNotes();
        p.redoublants = Options::ImpressionRSeriesDeNotes();
        p.inclure = Options::InclureImpression(TInclureImpression::SeriesDeNotes);
        break;
    case TQuoi::Bilans:
        p.numeroter = Options::NumeroterElevesBilans();
        p.datesNaissance = Options::ImpressionDatesDeNaissanceBilans();
        p.redoublants = Options::ImpressionRBilans();
        p.inclure = Options::InclureImpression(TInclureImpression::Bilans);
        break;
    case TQuoi::Appreciations:
        p.numeroter = Options::NumeroterElevesAppreciations();
        p.datesNaissance = Options::ImpressionDatesDeNaissanceAppreciations();
        p.redoublants = Options::ImpressionRAppreciations();
        break;
    case TQuoi::GrilleVierge:
        p.numeroter = Options::NumeroterElevesGrilleVierge();
        p.datesNaissance = Options::ImpressionDatesDeNaissanceGrilleVierge();
        p.redoublants = Options::ImpressionRGrilleVierge();
        p.inclure = Options::InclureImpression(TInclureImpression::GrilleVierge);
        break;
    }
    return p;
}

// ---- The base of the printouts ------------------------------------------------------------------

TImpression::TImpression(const TFichierTav& fichier, const TParametresImpression& parametres)
    : fichier(fichier), parametres(parametres),
      police(PoliceLogique(parametres.police, parametres.taillePolice)), mesure(police) {
    if (parametres.inclure)
        for (int i = 0; i < parametres.inclure->NombreLignes(); ++i)
            if (parametres.inclure->Inclure(i)) lignesIncluses.append(i);
    hauteurLigne = int(std::ceil(mesure.height())) + 4;

    // The name column: every student with the widest markers, the labels of the included rows,
    // the numbers.
    qreal largeur = 0;
    const int n = fichier.NombreEleves();
    for (int s = 1; s <= n; ++s) {
        QString texte = QLatin1Char(' ') + fichier.NomEleve(s);
        if (parametres.redoublants) texte += QStringLiteral(" (R)");
        if (parametres.datesNaissance)
            texte += QStringLiteral(" (") + fichier.DateNaissance(s) + QLatin1Char(')');
        else
            texte += QLatin1Char(' ');
        largeur = std::max(largeur, Largeur(texte));
    }
    for (int l : std::as_const(lignesIncluses))
        largeur =
            std::max(largeur, Largeur(QLatin1Char(' ') + parametres.inclure->Libelles().at(l) +
                                      QLatin1Char(' ')));
    if (parametres.numeroter) {
        largeur += Largeur(QString::number(n)) + 10;
        largeurNumeros = int(std::ceil(Largeur(QStringLiteral(" %1 ").arg(n))));
    }
    largeurNoms = int(std::ceil(largeur)) + 20;
}

TImpression::~TImpression() = default;

qreal TImpression::Largeur(const QString& texte) const {
    return mesure.horizontalAdvance(texte);
}

QColor TImpression::Couleur(qint32 bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

QColor TImpression::CouleurNote(const QString& texte, const QString& maximum, bool horsBornes) {
    long double v = 0, m = 0;
    if (texte.isEmpty() || texte == QStringLiteral("abs") || !Tav::LireNombre(texte, v) ||
        !Tav::LireNombre(maximum, m) || !(m > 0))
        return Qt::black;
    if ((v < 0 || v > m) && !horsBornes) return Qt::black;
    return Couleur(Options::CouleurNote(v, m));
}

QString TImpression::TexteNom(int eleve) const {
    QString texte = QLatin1Char(' ') + fichier.NomEleve(eleve);
    if (parametres.redoublants && fichier.EstRedoublant(eleve)) texte += QStringLiteral(" (R)");
    const QString date = fichier.DateNaissance(eleve).trimmed();
    if (parametres.datesNaissance && !date.isEmpty())
        texte += QStringLiteral(" (") + date + QLatin1Char(')');
    else
        texte += QLatin1Char(' ');
    return texte;
}

int TImpression::HauteurEntete() const {
    if (parametres.entete.EstVide()) return 40;
    return int(std::ceil(QFontMetricsF(PoliceBande(10)).height())) + 40;
}

int TImpression::HauteurTable() const {
    return int(lignesIncluses.size()) * hauteurLigne + (fichier.NombreEleves() + 1) * hauteurLigne +
           20;
}

void TImpression::Paginer(int largeurDonnees, bool unePageSeulement) {
    largeurColonne = largeurDonnees;
    bornes = {1};
    const TGeometriePage& g = parametres.geometrie;
    // The table stands between the header and the footer bands.
    const int espace = (g.hauteurImprimable - g.margeBas - 40) - (g.margeHaut + HauteurEntete());
    if (HauteurTable() > espace) {
        nombrePages = -1;
        return;
    }
    const int place = g.LargeurUtile() - largeurNoms - NombreColonnesFixes() * LargeurColonneFixe();
    const int parPage = largeurColonne > 0 && place > 0 ? place / largeurColonne : 0;
    if (parPage <= 0) {
        nombrePages = 0;
        return;
    }
    const int d = unePageSeulement ? parPage : NombreColonnesDonnees();
    if (d <= 0) {
        // A table without data columns still prints its names on one page.
        bornes.append(1);
        nombrePages = 1;
        return;
    }
    for (int debut = 1; debut <= d; debut += parPage)
        bornes.append(std::min(debut + parPage, d + 1));
    nombrePages = int(bornes.size()) - 1;
}

int TImpression::LargeurTable(int page) const {
    const int m = bornes.value(page) - bornes.value(page - 1);
    return largeurNoms + NombreColonnesFixes() * LargeurColonneFixe() + m * largeurColonne;
}

QRect TImpression::RectangleTable(int page) const {
    const TGeometriePage& g = parametres.geometrie;
    const int haut = g.margeHaut + HauteurEntete();
    const int espace = (g.hauteurImprimable - g.margeBas - 40) - haut;
    const int largeur = LargeurTable(page);
    const int hauteur = HauteurTable();
    return QRect(g.margeGauche + (g.LargeurUtile() - largeur) / 2,
                 haut + std::max(0, (espace - hauteur) / 2), largeur, hauteur);
}

QFont TImpression::PoliceBande(int points) const {
    return PoliceLogique(parametres.police, points);
}

int TImpression::DessinerBande(QPainter& peintre, const TEnteteBasDePage& bande, int y,
                               bool entete) const {
    if (bande.EstVide()) return 40;
    const TGeometriePage& g = parametres.geometrie;
    const QFont policeBande = PoliceBande(entete ? 10 : 8);
    const QFontMetricsF fm(policeBande);
    const int hauteur = int(std::ceil(fm.height()));
    const int droite = g.largeurImprimable - g.margeDroite;
    peintre.save();
    peintre.setFont(policeBande);
    peintre.setPen(QPen(Qt::black, Impression::EpaisseurTrait));
    peintre.setBrush(Qt::NoBrush);
    peintre.drawLine(g.margeGauche, y, droite, y);
    auto ecrire = [&](int x, const QString& texte) {
        peintre.drawText(QPointF(x, y + 13 + fm.ascent()), texte);
    };
    // Left part.
    const int lg = int(std::ceil(fm.horizontalAdvance(bande.gauche.texte)));
    if (bande.gauche.encadre)
        peintre.drawRect(QRect(QPoint(g.margeGauche, y + 8),
                               QPoint(g.margeGauche + lg + 5, y + 8 + hauteur + 10)));
    ecrire(g.margeGauche, bande.gauche.texte);
    // Centre part, centred between the margins.
    const int lc = int(std::ceil(fm.horizontalAdvance(bande.centre.texte)));
    const int xCentre = g.margeGauche + (g.LargeurUtile() - lc) / 2;
    if (bande.centre.encadre)
        peintre.drawRect(
            QRect(QPoint(xCentre - 5, y + 8), QPoint(xCentre + lc + 5, y + 8 + hauteur + 10)));
    ecrire(xCentre, bande.centre.texte);
    // Right part.
    const int ld = int(std::ceil(fm.horizontalAdvance(bande.droite.texte)));
    const int xd = droite - ld - 5;
    if (bande.droite.encadre)
        peintre.drawRect(QRect(QPoint(xd, y + 8), QPoint(droite, y + 8 + hauteur + 10)));
    ecrire(xd, bande.droite.texte);
    // The header's second rule goes under the line of text, whatever the centre holds.
    if (entete) peintre.drawLine(g.margeGauche, y + hauteur + 26, droite, y + hauteur + 26);
    peintre.restore();
    return hauteur + 40;
}

void TImpression::DessinerCellule(QPainter& peintre, const QRectF& rect, const QString& texte,
                                  Qt::Alignment alignement, const QColor& couleur) const {
    if (texte.isEmpty()) return;
    const bool deborde = Largeur(texte) > rect.width();
    if (deborde) {
        peintre.save();
        peintre.setClipRect(rect);
    }
    const QPen stylo = peintre.pen();
    if (couleur != Qt::black) peintre.setPen(couleur);
    peintre.drawText(rect, int(alignement | Qt::AlignVCenter) | Qt::TextSingleLine, texte);
    if (couleur != Qt::black) peintre.setPen(stylo);
    if (deborde) peintre.restore();
}

void TImpression::DessinerTable(QPainter& peintre, int page) const {
    if (page < 1 || page >= bornes.size()) return;
    const QRect table = RectangleTable(page);
    const int x0 = table.left(), y0 = table.top(), h = hauteurLigne;
    const int n = fichier.NombreEleves();
    const int F = NombreColonnesFixes();
    // The columns of the page and their left edges (the last entry is the right edge).
    QList<int> colonnes, bords;
    for (int c = 0; c < F; ++c)
        colonnes.append(c);
    for (int c = bornes.at(page - 1); c < bornes.at(page); ++c)
        colonnes.append(F + c - 1);
    int x = x0 + largeurNoms;
    for (int c : std::as_const(colonnes)) {
        bords.append(x);
        x += c < F ? LargeurColonneFixe() : largeurColonne;
    }
    bords.append(x);
    const int droite = x;

    peintre.save();
    peintre.setFont(police);
    peintre.setPen(QPen(Qt::black, Impression::EpaisseurTrait));
    // Header row.
    for (int k = 0; k < colonnes.size(); ++k)
        DessinerCellule(peintre, QRectF(bords[k], y0, bords[k + 1] - bords[k], h),
                        TitreColonne(colonnes[k]), AlignementTitre(colonnes[k]), Qt::black);
    // Student rows.
    const bool couleurs = Options::ImpressionCouleurNote();
    for (int i = 1; i <= n; ++i) {
        const int y = y0 + i * h;
        if (parametres.numeroter)
            DessinerCellule(peintre, QRectF(x0, y, largeurNumeros, h),
                            (i < 10 ? QStringLiteral("  ") : QStringLiteral(" ")) +
                                QString::number(i) + QLatin1Char(' '),
                            Qt::AlignLeft, Qt::black);
        const int xNom = x0 + (parametres.numeroter ? largeurNumeros : 0);
        DessinerCellule(peintre, QRectF(xNom, y, x0 + largeurNoms - xNom, h), TexteNom(i),
                        Qt::AlignLeft, Qt::black);
        for (int k = 0; k < colonnes.size(); ++k) {
            const QString texte = TexteCellule(colonnes[k], i);
            DessinerCellule(peintre, QRectF(bords[k], y, bords[k + 1] - bords[k], h), texte,
                            AlignementCellule(colonnes[k]),
                            couleurs ? CouleurCellule(colonnes[k], i, texte) : QColor(Qt::black));
        }
    }
    // Rules of the names and students.
    const int basEleves = y0 + (n + 1) * h;
    peintre.drawLine(x0 + largeurNoms, y0, droite, y0);
    for (int i = 1; i <= n + 1; ++i)
        peintre.drawLine(x0, y0 + i * h, droite, y0 + i * h);
    peintre.drawLine(x0, y0 + h, x0, basEleves);
    for (int bord : std::as_const(bords))
        peintre.drawLine(bord, y0, bord, basEleves);
    peintre.drawLine(x0 + largeurNoms, y0, x0 + largeurNoms, basEleves);
    if (parametres.numeroter)
        peintre.drawLine(x0 + largeurNumeros, y0 + h, x0 + largeurNumeros, basEleves);

    // Statistic block.
    const int r = int(lignesIncluses.size());
    if (r > 0) {
        const int haut = basEleves + 20;
        for (int l = 0; l < r; ++l) {
            const int y = haut + l * h;
            DessinerCellule(peintre, QRectF(x0, y, largeurNoms, h),
                            QLatin1Char(' ') +
                                parametres.inclure->Libelles().at(lignesIncluses[l]) +
                                QLatin1Char(' '),
                            Qt::AlignLeft, Qt::black);
            for (int k = 0; k < colonnes.size(); ++k)
                DessinerCellule(peintre, QRectF(bords[k], y, bords[k + 1] - bords[k], h),
                                TexteStatistique(colonnes[k], lignesIncluses[l]),
                                AlignementCellule(colonnes[k]), Qt::black);
        }
        for (int l = 0; l <= r; ++l)
            peintre.drawLine(x0, haut + l * h, droite, haut + l * h);
        peintre.drawLine(x0, haut, x0, haut + r * h);
        peintre.drawLine(x0 + largeurNoms, haut, x0 + largeurNoms, haut + r * h);
        for (int bord : std::as_const(bords))
            peintre.drawLine(bord, haut, bord, haut + r * h);
    }
    peintre.restore();
}

void TImpression::DessinerPage(QPainter& peintre, int page) const {
    const TGeometriePage& g = parametres.geometrie;
    DessinerBande(peintre, parametres.entete, g.margeHaut, true);
    DessinerTable(peintre, page);
    DessinerBande(peintre, parametres.basDePage, g.hauteurImprimable - g.margeBas - 40, false);
}

QList<int> TImpression::SequencePages(const TChoixImpression& choix, int nombrePages) {
    QList<int> pages;
    if (nombrePages < 1 || choix.copies < 1) return pages;
    int premiere = choix.premiere, derniere = choix.derniere;
    if (derniere < premiere) std::swap(premiere, derniere);
    premiere = std::clamp(premiere, 1, nombrePages);
    derniere = std::clamp(derniere, 1, nombrePages);
    QList<int> uneCopie;
    for (int k = 0; k <= derniere - premiere; ++k) {
        const int page = choix.inverse ? derniere - k : premiere + k;
        if ((choix.parite == 1 && page % 2 == 0) || (choix.parite == 2 && page % 2 == 1)) continue;
        uneCopie.append(page);
    }
    for (int c = 0; c < choix.copies; ++c)
        pages.append(uneCopie);
    return pages;
}

bool TImpression::Imprimer(TSortiePages& sortie, const TChoixImpression& choix,
                           const TAvancement& avancer) const {
    const QList<int> pages = SequencePages(choix, nombrePages);
    if (pages.isEmpty()) return true;
    QPainter* peintre = sortie.Commencer();
    if (!peintre) return false;
    const int derniere = std::clamp(std::max(choix.premiere, choix.derniere), 1, nombrePages);
    const int parCopie = int(pages.size()) / std::max(1, choix.copies);
    for (int k = 0; k < pages.size(); ++k) {
        if (avancer) {
            const int premiere =
                std::clamp(std::min(choix.premiere, choix.derniere), 1, nombrePages);
            QString legende = QStringLiteral("Préparation de l'impression en cours ... page %1")
                                  .arg(premiere + (parCopie > 0 ? k % parCopie : 0));
            if (LegendeAvecDernierePage()) legende += QStringLiteral("/%1").arg(derniere);
            if (!avancer(k + 1, int(pages.size()), legende)) {
                sortie.Abandonner();
                return false;
            }
        }
        if (k > 0 && !sortie.NouvellePage()) {
            sortie.Abandonner();
            return false;
        }
        DessinerPage(*peintre, pages.at(k));
    }
    return sortie.Terminer();
}
