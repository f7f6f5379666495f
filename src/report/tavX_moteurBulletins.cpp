#include "tavX_moteurBulletins.h"

#include "tavX_ecritureSure.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentWriter>
#include <QTextLayout>
#include <QTextTable>

namespace Bulletins {

namespace {

constexpr double Marge = 4;        // inside a cell
constexpr double MargeEtroite = 1; // left and right in the narrow number columns
// The student line under the header and the table under it, when their texts hold on one line;
// longer texts push them down.
constexpr double DebutCarte = 108;
constexpr double HauteurLigneEleve = 22;
constexpr double HauteurCredit = 16;
constexpr double HautCadre = Unites::HauteurPage - HauteurCredit - 4 - Unites::HauteurCadre;

QFont Police(int pixels, bool gras = false, bool italique = false) {
    QFont police;
    police.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                        QStringLiteral("Arimo"), QStringLiteral("Helvetica")});
    police.setStyleHint(QFont::SansSerif);
    police.setPixelSize(pixels);
    police.setBold(gras);
    police.setItalic(italique);
    police.setHintingPreference(QFont::PreferNoHinting);
    return police;
}

// A text laid out once in a given width; it never gets wider, it grows in height.
std::shared_ptr<QTextLayout> Composer(const QString& texte, const QFont& police, double largeur,
                                      Qt::Alignment alignement, double& hauteur) {
    QString t = texte;
    t.replace(QLatin1String("\r\n"), QString(QChar::LineSeparator));
    t.replace(QLatin1Char('\n'), QChar::LineSeparator);
    auto layout = std::make_shared<QTextLayout>(t, police);
    QTextOption option(alignement);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout->setTextOption(option);
    layout->setCacheEnabled(true);
    hauteur = 0;
    layout->beginLayout();
    for (QTextLine ligne = layout->createLine(); ligne.isValid(); ligne = layout->createLine()) {
        ligne.setLineWidth(largeur);
        ligne.setPosition(QPointF(0, hauteur));
        hauteur += ligne.height();
    }
    layout->endLayout();
    return layout;
}

bool Centree(int colonne, bool masquerMinMax) {
    return colonne == 1 || (!masquerMinMax && colonne >= 2 && colonne <= 4);
}

} // namespace

QPageLayout MiseEnPageA4() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                       QPageLayout::Millimeter);
}

QString LigneCredit() {
    return QStringLiteral("Bulletin réalisé avec Tavelin");
}

struct TMiseEnPage::TCellule {
    std::shared_ptr<QTextLayout> texte;
    double hauteur = 0;
    double x = 0; // from the left of the cell
};

struct TMiseEnPage::TLigne {
    std::vector<TCellule> cellules;
    double hauteur = 0;
};

struct TMiseEnPage::TCarteMiseEnPage {
    QList<double> largeurs;
    TLigne entete;
    std::vector<TLigne> lignes;
    std::shared_ptr<QTextLayout> ecole, eleve, periode, annee, cadre, credit;
    double hauteurEcole = 0;
    double regleEntete = 0, debutCarte = 0, regleCarte = 0, debutTableau = 0;
    int logo = -1;
};

TMiseEnPage::TMiseEnPage(QList<TCarte> c) : cartes(std::move(c)) {
    for (int k = 0; k < cartes.size(); ++k)
        Preparer(k);
}

TMiseEnPage::~TMiseEnPage() = default;

QList<double> TMiseEnPage::LargeursColonnes(int carte) const {
    return misesEnPage.at(size_t(carte))->largeurs;
}

int TMiseEnPage::CarteDeLaPage(int page) const {
    return pages.at(size_t(page)).carte;
}

QList<int> TMiseEnPage::PagesDeLaCarte(int carte) const {
    QList<int> resultat;
    for (size_t i = 0; i < pages.size(); ++i)
        if (pages[i].carte == carte) resultat.append(int(i));
    return resultat;
}

void TMiseEnPage::Preparer(int k) {
    const TCarte& carte = cartes.at(k);
    auto m = std::make_unique<TCarteMiseEnPage>();
    using namespace Unites;
    m->largeurs = {LargeurMatieres, LargeurEleve};
    if (!carte.masquerMinMax) m->largeurs << LargeurMin << LargeurMax << LargeurClasse;
    const double sections = carte.masquerMinMax ? LargeurSectionsSansMinMax : LargeurSections;
    for (int c = 0; c < carte.sections; ++c)
        m->largeurs.append(sections / carte.sections);

    const auto Ligne = [&](const QStringList& textes, bool entete) {
        TLigne ligne;
        for (int c = 0; c < m->largeurs.size(); ++c) {
            const bool centre = Centree(c, carte.masquerMinMax);
            const QString texte = c < textes.size() ? textes.at(c) : QString();
            // The narrow number columns keep a number on one line: a text wider than its cell
            // is set smaller (down to 8 pixels) before it may wrap.
            const double largeur = m->largeurs.at(c) - 2 * (centre ? MargeEtroite : Marge);
            QFont police = Police(13, entete || c == 1);
            if (centre)
                while (police.pixelSize() > 8 &&
                       QFontMetricsF(police).horizontalAdvance(texte) > largeur)
                    police.setPixelSize(police.pixelSize() - 1);
            TCellule cellule;
            cellule.texte = Composer(texte, police, largeur,
                                     centre ? Qt::AlignHCenter : Qt::AlignLeft, cellule.hauteur);
            cellule.x = centre ? MargeEtroite : Marge;
            ligne.hauteur = std::max(ligne.hauteur, cellule.hauteur + 2 * Marge);
            ligne.cellules.push_back(std::move(cellule));
        }
        return ligne;
    };
    m->entete = Ligne(carte.colonnes, true);
    for (const QStringList& l : carte.lignes)
        m->lignes.push_back(Ligne(l, false));

    double h = 0;
    m->ecole = Composer(carte.ecole, Police(19, true), LargeurPage - DebutEcole, Qt::AlignLeft,
                        m->hauteurEcole);
    const double tiers = LargeurPage / 3;
    double hEleve = 0, hPeriode = 0, hAnnee = 0;
    m->eleve = Composer(carte.eleve, Police(13), tiers - Marge, Qt::AlignLeft, hEleve);
    m->periode = Composer(carte.nomPeriode, Police(13), tiers - Marge, Qt::AlignHCenter, hPeriode);
    m->annee = Composer(carte.anneeScolaire, Police(13), tiers, Qt::AlignRight, hAnnee);
    m->regleEntete = std::max(Logo, m->hauteurEcole) + 4;
    m->debutCarte = m->regleEntete + DebutCarte - (Logo + 4);
    m->regleCarte =
        m->debutCarte + std::max(HauteurLigneEleve, std::max({hEleve, hPeriode, hAnnee}) + 4);
    m->debutTableau = m->regleCarte + 10;
    QFont soulignee = Police(13);
    soulignee.setUnderline(true);
    m->cadre = Composer(carte.intituleCadre, soulignee, LargeurPage - 2 * Marge, Qt::AlignLeft, h);
    m->credit = Composer(LigneCredit(), Police(11, false, true), LargeurPage, Qt::AlignRight, h);
    if (!carte.logo.isEmpty()) {
        m->logo = int(cheminsLogos.indexOf(carte.logo));
        if (m->logo < 0) {
            QImage image(carte.logo);
            cheminsLogos.append(carte.logo);
            logos.append(image);
            m->logo = int(logos.size() - 1);
        }
        if (logos.at(m->logo).isNull()) m->logo = -1;
    }

    // Pages: the rows that fit above the frame end the card; otherwise the page is filled to its
    // foot and the card goes on, header and table header repeated, the frame at the very end.
    const double pied = Unites::HauteurPage - HauteurCredit - 4;
    const size_t n = m->lignes.size();
    size_t i = 0;
    for (;;) {
        TPage page;
        page.carte = k;
        page.premiere = int(i);
        double y = m->debutTableau + m->entete.hauteur;
        size_t j = i;
        while (j < n && y + m->lignes[j].hauteur <= HautCadre - 8)
            y += m->lignes[j++].hauteur;
        if (j == n) {
            page.derniere = int(n);
            page.cadre = true;
            pages.push_back(page);
            break;
        }
        while (j < n && y + m->lignes[j].hauteur <= pied)
            y += m->lignes[j++].hauteur;
        if (j == i) ++j; // a row taller than a page still moves on
        page.derniere = int(j);
        pages.push_back(page);
        i = j;
    }
    misesEnPage.push_back(std::move(m));
}

void TMiseEnPage::DessinerPage(QPainter& p, int numero) const {
    const TPage& page = pages.at(size_t(numero));
    const TCarteMiseEnPage& m = *misesEnPage.at(size_t(page.carte));
    using namespace Unites;
    p.save();
    QPen trait(Qt::black);
    trait.setWidthF(1);
    p.setPen(trait);
    p.setBrush(Qt::NoBrush);

    // Header: logo, school, rule.
    if (m.logo >= 0) {
        const QImage& image = logos.at(m.logo);
        QSizeF taille = image.size();
        taille.scale(Logo, Logo, Qt::KeepAspectRatio);
        p.drawImage(QRectF((Logo - taille.width()) / 2, (Logo - taille.height()) / 2,
                           taille.width(), taille.height()),
                    image);
    }
    m.ecole->draw(&p, QPointF(DebutEcole, std::max(0.0, (Logo - m.hauteurEcole) / 2)));
    p.drawLine(QPointF(0, m.regleEntete), QPointF(LargeurPage, m.regleEntete));
    // Student, period, year, rule.
    const double tiers = LargeurPage / 3;
    m.eleve->draw(&p, QPointF(0, m.debutCarte));
    m.periode->draw(&p, QPointF(tiers, m.debutCarte));
    m.annee->draw(&p, QPointF(2 * tiers, m.debutCarte));
    p.drawLine(QPointF(0, m.regleCarte), QPointF(LargeurPage, m.regleCarte));

    // The table.
    const auto Ligne = [&](const TLigne& ligne, double y) {
        double x = 0;
        for (size_t c = 0; c < ligne.cellules.size(); ++c) {
            const double l = m.largeurs.at(int(c));
            p.drawRect(QRectF(x, y, l, ligne.hauteur));
            ligne.cellules[c].texte->draw(&p, QPointF(x + ligne.cellules[c].x, y + Marge));
            x += l;
        }
        return y + ligne.hauteur;
    };
    double y = Ligne(m.entete, m.debutTableau);
    for (int i = page.premiere; i < page.derniere; ++i)
        y = Ligne(m.lignes[size_t(i)], y);

    if (page.cadre) {
        p.drawRect(QRectF(0, HautCadre, LargeurPage, HauteurCadre));
        m.cadre->draw(&p, QPointF(Marge, HautCadre + Marge));
    }
    m.credit->draw(&p, QPointF(0, HauteurPage - HauteurCredit));
    p.restore();
}

bool TMiseEnPage::Dessiner(QPagedPaintDevice& device, const QList<int>& choix) const {
    QList<int> liste = choix;
    if (liste.isEmpty())
        for (int i = 0; i < NombrePages(); ++i)
            liste.append(i);
    QPainter p;
    if (!p.begin(&device)) return false;
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const double echelle = device.logicalDpiX() / 96.0;
    for (int i = 0; i < liste.size(); ++i) {
        if (i > 0) device.newPage();
        p.save();
        p.scale(echelle, device.logicalDpiY() / 96.0);
        DessinerPage(p, liste.at(i));
        p.restore();
    }
    return p.end();
}

QByteArray Pdf(const TMiseEnPage& miseEnPage, const QList<int>& pages) {
    QByteArray octets;
    QBuffer tampon(&octets);
    tampon.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&tampon);
        pdf.setPageLayout(MiseEnPageA4());
        pdf.setResolution(300);
        pdf.setCreator(QStringLiteral("Tavelin"));
        pdf.setTitle(QStringLiteral("Bulletins"));
        if (!miseEnPage.Dessiner(pdf, pages)) return QByteArray();
    }
    tampon.close();
    return octets;
}

bool EcrirePdf(const QString& chemin, const TMiseEnPage& miseEnPage, QString* cause) {
    const QByteArray octets = Pdf(miseEnPage);
    if (octets.isEmpty()) {
        if (cause) *cause = QStringLiteral("le document PDF n'a pas pu être produit");
        return false;
    }
    return Tav::EcrireFichierSur(chemin, octets, cause);
}

QString NomFichierCarte(const TCarte& carte) {
    return NomDeFichierValide(carte.eleve + QStringLiteral(" - ") + carte.nomPeriode) +
           QStringLiteral(".pdf");
}

bool EcrirePdfParEleve(const QString& dossier, const TMiseEnPage& miseEnPage,
                       const std::function<bool(const QString&)>& remplacer, QStringList* ecrits,
                       QString* cause) {
    for (int k = 0; k < miseEnPage.Cartes().size(); ++k) {
        const QString chemin = QDir(dossier).filePath(NomFichierCarte(miseEnPage.Cartes().at(k)));
        if (QFileInfo::exists(chemin) && !(remplacer && remplacer(chemin))) continue;
        const QByteArray octets = Pdf(miseEnPage, miseEnPage.PagesDeLaCarte(k));
        QString raison;
        if (octets.isEmpty() || !Tav::EcrireFichierSur(chemin, octets, &raison)) {
            if (cause)
                *cause = QStringLiteral("%1 : %2").arg(
                    chemin, octets.isEmpty() ? QStringLiteral("document PDF non produit") : raison);
            return false;
        }
        if (ecrits) ecrits->append(chemin);
    }
    return true;
}

// ---- ODT -------------------------------------------------------------------------------------

namespace {

// The word processor gets the family by its name and sizes in points (a pixel is 3/4 point);
// it takes its own metric-compatible font where Arial is missing.
QFont PoliceOdt(int pixels, bool gras = false, bool italique = false) {
    QFont police(QStringLiteral("Arial"));
    police.setPointSizeF(pixels * 0.75);
    police.setBold(gras);
    police.setItalic(italique);
    return police;
}

} // namespace

QByteArray Odt(const QList<TCarte>& cartes) {
    QTextDocument document;
    document.setDefaultFont(PoliceOdt(13));
    QTextCursor curseur(&document);
    QStringList logos;
    for (int k = 0; k < cartes.size(); ++k) {
        const TCarte& carte = cartes.at(k);
        QTextBlockFormat bloc;
        if (k > 0) bloc.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        if (k == 0)
            curseur.setBlockFormat(bloc);
        else
            curseur.insertBlock(bloc);
        if (!carte.logo.isEmpty()) {
            const QImage image(carte.logo);
            if (!image.isNull()) {
                const QString nom = QStringLiteral("logo%1").arg(
                    logos.indexOf(carte.logo) < 0 ? logos.size() : logos.indexOf(carte.logo));
                if (!logos.contains(carte.logo)) {
                    logos.append(carte.logo);
                    document.addResource(QTextDocument::ImageResource, QUrl(nom), image);
                }
                QTextImageFormat format;
                format.setName(nom);
                QSizeF taille = image.size();
                taille.scale(Unites::Logo, Unites::Logo, Qt::KeepAspectRatio);
                format.setWidth(taille.width());
                format.setHeight(taille.height());
                curseur.insertImage(format);
                curseur.insertText(QStringLiteral("  "));
            }
        }
        QTextCharFormat gras;
        gras.setFont(PoliceOdt(19, true));
        gras.setFontFamilies(QStringList{QStringLiteral("Arial")});
        curseur.insertText(carte.ecole, gras);
        QTextCharFormat normal;
        normal.setFont(PoliceOdt(13));
        normal.setFontFamilies(QStringList{QStringLiteral("Arial")});
        curseur.insertBlock(QTextBlockFormat(), normal);
        curseur.insertText(carte.eleve + QStringLiteral("\t") + carte.nomPeriode +
                               QStringLiteral("\t") + carte.anneeScolaire,
                           normal);

        QTextTableFormat formatTable;
        formatTable.setBorder(0.5);
        formatTable.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        formatTable.setBorderBrush(Qt::black);
        formatTable.setCellPadding(3);
        formatTable.setCellSpacing(0);
        formatTable.setBorderCollapse(true);
        QList<QTextLength> largeurs;
        const int C = int(carte.colonnes.size());
        const double sections =
            carte.masquerMinMax ? Unites::LargeurSectionsSansMinMax : Unites::LargeurSections;
        const QList<double> fixes = {Unites::LargeurMatieres, Unites::LargeurEleve,
                                     Unites::LargeurMin, Unites::LargeurMax, Unites::LargeurClasse};
        const int F = carte.masquerMinMax ? 2 : 5;
        for (int c = 0; c < C; ++c)
            largeurs.append(QTextLength(QTextLength::FixedLength,
                                        (c < F ? fixes.at(c) : sections / carte.sections) * 0.75));
        formatTable.setColumnWidthConstraints(largeurs);
        QTextTable* table = curseur.insertTable(int(carte.lignes.size()) + 1, C, formatTable);
        const auto Remplir = [&](int ligne, const QStringList& textes, bool entete) {
            for (int c = 0; c < C; ++c) {
                QTextCursor cellule = table->cellAt(ligne, c).firstCursorPosition();
                QTextBlockFormat b;
                b.setAlignment(Centree(c, carte.masquerMinMax) ? Qt::AlignHCenter : Qt::AlignLeft);
                cellule.setBlockFormat(b);
                QTextCharFormat f = normal;
                if (entete || c == 1) f.setFontWeight(QFont::Bold);
                QString t = c < textes.size() ? textes.at(c) : QString();
                t.replace(QLatin1Char('\n'), QChar::LineSeparator);
                cellule.insertText(t, f);
            }
        };
        Remplir(0, carte.colonnes, true);
        for (int l = 0; l < carte.lignes.size(); ++l)
            Remplir(l + 1, carte.lignes.at(l), false);
        curseur = document.rootFrame()->lastCursorPosition();
        QTextCharFormat souligne = normal;
        souligne.setFontUnderline(true);
        curseur.insertBlock(QTextBlockFormat(), normal);
        curseur.insertBlock(QTextBlockFormat(), souligne);
        curseur.insertText(carte.intituleCadre, souligne);
        for (int i = 0; i < 10; ++i)
            curseur.insertBlock(QTextBlockFormat(), normal);
        QTextBlockFormat droite;
        droite.setAlignment(Qt::AlignRight);
        QTextCharFormat credit;
        credit.setFont(PoliceOdt(11, false, true));
        credit.setFontFamilies(QStringList{QStringLiteral("Arial")});
        curseur.insertBlock(droite, credit);
        curseur.insertText(LigneCredit(), credit);
    }
    QByteArray octets;
    QBuffer tampon(&octets);
    tampon.open(QIODevice::WriteOnly);
    QTextDocumentWriter ecrivain(&tampon, "odf");
    if (!ecrivain.write(&document)) return QByteArray();
    tampon.close();
    return octets;
}

// ---- RTF -------------------------------------------------------------------------------------

namespace {

QByteArray TexteRtf(const QString& texte) {
    QByteArray o;
    o.reserve(texte.size() + 8);
    for (qsizetype i = 0; i < texte.size(); ++i) {
        const char16_t c = texte.at(i).unicode();
        if (c == u'\\' || c == u'{' || c == u'}') {
            o += '\\';
            o += char(c);
        } else if (c == u'\n' || c == 0x2028) {
            o += "\\line ";
        } else if (c == u'\r') {
            if (i + 1 < texte.size() && texte.at(i + 1) == QLatin1Char('\n')) continue;
            o += "\\line ";
        } else if (c == u'\t') {
            o += "\\tab ";
        } else if (c < 0x20) {
            continue;
        } else if (c < 0x80) {
            o += char(c);
        } else {
            o += "\\u" + QByteArray::number(qint16(c)) + '?';
        }
    }
    return o;
}

// Report units to twips.
int Twips(double unites) {
    return int(unites * 15 + 0.5);
}

} // namespace

QByteArray Rtf(const QList<TCarte>& cartes) {
    QByteArray o = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1"
                   "{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}"
                   "\\paperw11906\\paperh16838\\margl567\\margr567\\margt567\\margb567\n";
    QHash<QString, QByteArray> images; // each picture coded once
    const int largeur = Twips(Unites::LargeurPage);
    for (int k = 0; k < cartes.size(); ++k) {
        const TCarte& carte = cartes.at(k);
        if (k > 0) o += "\\page\n";
        o += "\\pard\\plain\\f0\\fs20 ";
        if (!carte.logo.isEmpty()) {
            if (!images.contains(carte.logo)) {
                QByteArray png;
                const QImage image(carte.logo);
                if (!image.isNull()) {
                    QSizeF taille = image.size();
                    taille.scale(Unites::Logo, Unites::Logo, Qt::KeepAspectRatio);
                    QBuffer tampon(&png);
                    tampon.open(QIODevice::WriteOnly);
                    image.save(&tampon, "PNG");
                    png = "{\\pict\\pngblip\\picw" + QByteArray::number(image.width()) + "\\pich" +
                          QByteArray::number(image.height()) + "\\picwgoal" +
                          QByteArray::number(Twips(taille.width())) + "\\pichgoal" +
                          QByteArray::number(Twips(taille.height())) + "\n" + png.toHex() + "}";
                }
                images.insert(carte.logo, png);
            }
            o += images.value(carte.logo) + "\\tab ";
        }
        o += "{\\b\\fs29 " + TexteRtf(carte.ecole) + "}\\par\n";
        o += "\\pard\\brdrb\\brdrs\\brdrw10\\tqc\\tx" + QByteArray::number(largeur / 2) +
             "\\tqr\\tx" + QByteArray::number(largeur) + "\\fs20 " + TexteRtf(carte.eleve) +
             "\\tab " + TexteRtf(carte.nomPeriode) + "\\tab " + TexteRtf(carte.anneeScolaire) +
             "\\par\\pard\\par\n";

        // The table.
        QList<double> largeurs = {Unites::LargeurMatieres, Unites::LargeurEleve};
        if (!carte.masquerMinMax)
            largeurs << Unites::LargeurMin << Unites::LargeurMax << Unites::LargeurClasse;
        const double sections =
            carte.masquerMinMax ? Unites::LargeurSectionsSansMinMax : Unites::LargeurSections;
        for (int c = 0; c < carte.sections; ++c)
            largeurs.append(sections / carte.sections);
        QByteArray definition = "\\trowd\\trgaph60\\trleft0";
        double x = 0;
        for (const double l : largeurs) {
            x += l;
            definition += "\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs\\brdrw10"
                          "\\clbrdrb\\brdrs\\brdrw10\\clbrdrr\\brdrs\\brdrw10\\cellx" +
                          QByteArray::number(Twips(x));
        }
        const auto Ligne = [&](const QStringList& textes, bool entete) {
            o += definition + "\n";
            for (int c = 0; c < largeurs.size(); ++c) {
                o += Centree(c, carte.masquerMinMax) ? "\\pard\\intbl\\qc " : "\\pard\\intbl\\ql ";
                const bool gras = entete || c == 1;
                if (gras) o += "{\\b ";
                o += TexteRtf(c < textes.size() ? textes.at(c) : QString());
                if (gras) o += "}";
                o += "\\cell\n";
            }
            o += "\\row\n";
        };
        Ligne(carte.colonnes, true);
        for (const QStringList& l : carte.lignes)
            Ligne(l, false);

        // The frame for the head of school, then the credit line.
        o += "\\pard\\par\\trowd\\trgaph60\\trleft0\\trrh" +
             QByteArray::number(Twips(Unites::HauteurCadre)) +
             "\\clvertalt\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs\\brdrw10"
             "\\clbrdrb\\brdrs\\brdrw10\\clbrdrr\\brdrs\\brdrw10\\cellx" +
             QByteArray::number(largeur) + "\n\\pard\\intbl\\ql {\\ul " +
             TexteRtf(carte.intituleCadre) + "}\\cell\\row\n";
        o += "\\pard\\qr{\\i\\fs16 " + TexteRtf(LigneCredit()) + "}\\par\n";
    }
    o += "}\n";
    return o;
}

bool EcrireOdt(const QString& chemin, const QList<TCarte>& cartes, QString* cause) {
    const QByteArray octets = Odt(cartes);
    if (octets.isEmpty()) {
        if (cause) *cause = QStringLiteral("le document ODT n'a pas pu être produit");
        return false;
    }
    return Tav::EcrireFichierSur(chemin, octets, cause);
}

bool EcrireRtf(const QString& chemin, const QList<TCarte>& cartes, QString* cause) {
    return Tav::EcrireFichierSur(chemin, Rtf(cartes), cause);
}

} // namespace Bulletins
