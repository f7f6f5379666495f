#include "_TGrilleMoyennes.h"

#include "tavX_constantes.h"

#include "UniteFeuilleClasse.h"
#include "_FormEdit.h"
#include "tavX_documentClasse.h"
#include "tavX_fichierTav.h"
#include "tavX_interlocuteur.h"
#include "tavX_nombres.h"
#include "tavX_options.h"
#include "tavX_panneauGrille.h"
#include "tavX_saisieEchelle.h"
#include "tavX_saisieTexte.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

constexpr int ColonnesMoyennes = 4;
constexpr int ColonneBrute = 0;
constexpr int ColonneArrondie = 1;
constexpr int ColonnePoints = 2;
constexpr int ColonneBulletin = 3;

// The points stored by the commands "- 2" .. "+ 2" (empty: no points).
QString PointsDeCommande(int numero) {
    switch (numero) {
    case TGrilleMoyennesTavelin::CmdMoins2:
        return QStringLiteral("-2");
    case TGrilleMoyennesTavelin::CmdMoins1v5:
        return QStringLiteral("-1,5");
    case TGrilleMoyennesTavelin::CmdMoins1:
        return QStringLiteral("-1");
    case TGrilleMoyennesTavelin::CmdMoins0v5:
        return QStringLiteral("-0,5");
    case TGrilleMoyennesTavelin::CmdPlus0v5:
        return QStringLiteral("0,5");
    case TGrilleMoyennesTavelin::CmdPlus1:
        return QStringLiteral("1");
    case TGrilleMoyennesTavelin::CmdPlus1v5:
        return QStringLiteral("1,5");
    case TGrilleMoyennesTavelin::CmdPlus2:
        return QStringLiteral("2");
    default:
        return QString();
    }
}

} // namespace

TGrilleMoyennesTavelin::TGrilleMoyennesTavelin(TPanneauGrille* panneau, int periode,
                                               TFichierTav* fichier, TFeuilleClasse* feuille)
    : TGrilleGeneriqueTavelin(panneau, periode, fichier, feuille, GenreMoyennes) {
    setObjectName(QStringLiteral("GrilleMoyennes"));
    ReserverBarreHorizontale(true);
    const int P = fichier ? fichier->NombrePeriodes() : 0;
    for (int i = 0; i < ColonnesMoyennes * P; ++i)
        colonnesSauvees.append(QStringList());
    DefinirTaille(NombreEleves() + Tav::NombreLignesSupplementaires, ColonnesMoyennes);
    if (!fichier || periode < 1 || periode > P) return;
    // The first display always computes, whatever the period's mark says.
    fichier->MarquerPeriode(periode, true);
    NotifMoyennes(periode, 0);
}

int TGrilleMoyennesTavelin::NombreEleves() const {
    return Fichier() ? Fichier()->NombreEleves() : 0;
}

QString TGrilleMoyennesTavelin::Echelle(const TFichierTav& fichier) {
    return QString::number(fichier.MoyennesSur());
}

QStringList TGrilleMoyennesTavelin::ColonneSauvee(int periode, int colonne) const {
    if (colonne < 0 || colonne >= ColonnesMoyennes) return {};
    return colonnesSauvees.value(ColonnesMoyennes * (periode - 1) + colonne);
}

// ---- Filling ---------------------------------------------------------------------------------

void TGrilleMoyennesTavelin::EcrireEntetes() {
    const QString sur = Echelle(*Fichier());
    ModifierCellule(ColonneBrute, 0, QStringLiteral("Moyenne brute sur ") + sur);
    ModifierCellule(ColonneArrondie, 0, QStringLiteral("Moyenne arrondie sur ") + sur);
    ModifierCellule(ColonnePoints, 0, QStringLiteral("Point(s) en + ou en -"));
    ModifierCellule(ColonneBulletin, 0, QStringLiteral("Moyenne bulletin sur ") + sur);
}

void TGrilleMoyennesTavelin::CalculerLigne(int periode, int ligne) {
    TFichierTav* f = Fichier();
    const int mode = Options::ArrondirMoyennes();
    ModifierCellule(ColonneBrute, ligne, f->MoyenneBrute(periode, ligne));
    ModifierCellule(ColonneArrondie, ligne, f->MoyenneArrondie(periode, ligne, mode));
    ModifierCellule(ColonnePoints, ligne, f->PointsPlusMoins(periode, ligne));
    ModifierCellule(ColonneBulletin, ligne, f->MoyenneBulletin(periode, ligne, mode));
    ++lignesCalculees;
}

void TGrilleMoyennesTavelin::SauverColonnes(int periode) {
    const int base = ColonnesMoyennes * (periode - 1);
    while (colonnesSauvees.size() < base + ColonnesMoyennes)
        colonnesSauvees.append(QStringList());
    for (int c = 0; c < ColonnesMoyennes; ++c)
        colonnesSauvees[base + c] = Colonne(c);
}

void TGrilleMoyennesTavelin::RestaurerColonnes(int periode) {
    DefinirTaille(NombreEleves() + Tav::NombreLignesSupplementaires, ColonnesMoyennes);
    for (int c = 0; c < ColonnesMoyennes; ++c)
        ModifierColonne(c, ColonneSauvee(periode, c));
}

void TGrilleMoyennesTavelin::NotifMoyennes(int periode, int ligne) {
    TFichierTav* f = Fichier();
    if (!f || periode < 1 || periode > f->NombrePeriodes()) return;
    const int N = NombreEleves();
    const int lignes = N + Tav::NombreLignesSupplementaires;
    const bool memePeriode = periode == Periode();
    DefinirPeriode(periode);

    // Saved columns that do not fit the class any more (students added or removed) are not
    // trusted, whatever the mark says.
    const bool sauvees = ColonneSauvee(periode, 0).size() == lignes;
    if (f->PeriodeARecalculer(periode) || !sauvees) {
        const bool uneLigne =
            ligne >= 1 && ligne <= N && NombreLignes() == lignes && (memePeriode || sauvees);
        if (uneLigne) {
            // The other rows stay as they are, those of this period.
            if (!memePeriode) RestaurerColonnes(periode);
            CalculerLigne(periode, ligne);
        } else {
            DefinirTaille(lignes, ColonnesMoyennes);
            // Every column, the points too: a row after the last student stays blank, even when
            // a student was just removed and the rows moved up (the period keeps what is shown).
            for (int c = 0; c < ColonnesMoyennes; ++c)
                ViderColonne(c);
            EcrireEntetes();
            for (int s = 1; s <= N; ++s)
                CalculerLigne(periode, s);
        }
        SauverColonnes(periode);
        f->MarquerPeriode(periode, false);
    } else {
        RestaurerColonnes(periode);
    }

    AjusterLargeurColonnes();
    if (TPanneauGrille* p = Panneau()) p->AfficherGrille(f->NombreSeries(periode) > 0);
}

void TGrilleMoyennesTavelin::MarquerToutesLesPeriodes() {
    TFichierTav* f = Fichier();
    for (int p = 1; p <= f->NombrePeriodes(); ++p)
        f->MarquerPeriode(p, true);
}

// ---- Look ------------------------------------------------------------------------------------

void TGrilleMoyennesTavelin::StyleCellule(int colonne, int ligne, TStyleCellule& style) const {
    TGrilleGeneriqueTavelin::StyleCellule(colonne, ligne, style);
    style.gras = false;
    style.texte = Qt::black;
    style.alignement = Qt::AlignHCenter | Qt::AlignTop;
    style.decalageX = 0;
    style.decalageY = 2;

    if (!Options::ColorationNote() || ligne < 1 || colonne == ColonnePoints || !Fichier()) return;
    const QString texte = Texte(colonne, ligne);
    if (texte.isEmpty()) return;
    long double v = 0;
    if (!Tav::LireNombre(texte, v)) {
        style.fond = Options::ColorationGrille() ? Grille::Couleur(Options::Couleur5Note())
                                                 : QColor(Qt::white);
        return;
    }
    style.texte = Grille::Couleur(Options::CouleurNote(v, Fichier()->MoyennesSur()));
}

// ---- Mouse and turbo menus -------------------------------------------------------------------

void TGrilleMoyennesTavelin::SourisEnfoncee(Qt::MouseButton bouton, int colonne, int ligne,
                                            const QPoint& positionGlobale) {
    TGrilleGeneriqueTavelin::SourisEnfoncee(bouton, colonne, ligne, positionGlobale);
    if (bouton != Qt::RightButton) return;

    colonneClic = colonne;
    ligneClic = ligne;
    if (colonne == ColonnePoints) {
        if (ligne >= 1) SelectionnerCellule(colonne, ligne);
    } else {
        SelectionnerColonne(colonne, 1, NombreLignes() - 1);
    }
    if (Feuille()) Feuille()->NotifSelectionNotes(ligne, -1);

    const int N = NombreEleves();
    const QString copier = TexteMenuCopier();
    if (colonne == ColonneArrondie && ligne >= 0 && ligne <= N) {
        const int mode = Options::ArrondirMoyennes();
        NouveauMenuTurbo(QStringLiteral("Arrondir les moyennes"));
        AjouterCommande(QStringLiteral("Ne pas arrondir les moyennes"), CmdPasArrondi, true,
                        mode == Tav::PasArrondi);
        AjouterCommande(QStringLiteral("Arrondir les moyennes au dixième de point"),
                        CmdArrondiDixieme, true, mode == Tav::ArrondiDixieme);
        AjouterCommande(QStringLiteral("Arrondir les moyennes au quart de point"), CmdArrondiQuart,
                        true, mode == Tav::ArrondiQuart);
        AjouterCommande(QStringLiteral("Arrondir les moyennes au demi-point"), CmdArrondiDemi, true,
                        mode == Tav::ArrondiDemi);
        MenuTurbo()->addSeparator();
        AjouterCommande(copier, CmdCopier);
    } else if (colonne == ColonnePoints && ligne >= 1 && ligne <= N) {
        NouveauMenuTurbo(QStringLiteral("Point(s) en plus ou en moins"));
        AjouterCommande(QStringLiteral("- 2"), CmdMoins2);
        AjouterCommande(QStringLiteral("- 1,5"), CmdMoins1v5);
        AjouterCommande(QStringLiteral("- 1"), CmdMoins1);
        AjouterCommande(QStringLiteral("- 0,5"), CmdMoins0v5);
        AjouterCommande(QStringLiteral("Aucun point en plus ou en moins"), CmdAucunPoint);
        AjouterCommande(QStringLiteral("+ 0,5"), CmdPlus0v5);
        AjouterCommande(QStringLiteral("+ 1"), CmdPlus1);
        AjouterCommande(QStringLiteral("+ 1,5"), CmdPlus1v5);
        AjouterCommande(QStringLiteral("+ 2"), CmdPlus2);
        AjouterCommande(QStringLiteral("Autre ..."), CmdAutresPoints);
        MenuTurbo()->addSeparator();
        AjouterCommande(copier, CmdCopier);
        AjouterCommande(QStringLiteral("Coller la colonne \"") + Cellule(colonne, 0) +
                            QStringLiteral("\" depuis le Presse-Papiers"),
                        CmdColler, !QApplication::clipboard()->text().isEmpty());
    } else if ((colonne == ColonneBrute || colonne == ColonneBulletin) && ligne >= 0 &&
               ligne <= N) {
        NouveauMenuTurbo(QStringLiteral("Moyennes calculées sur ..."));
        AjouterCommande(QStringLiteral("Moyenne calculée sur 20"), CmdSur20);
        AjouterCommande(QStringLiteral("Moyenne calculée sur 10"), CmdSur10);
        AjouterCommande(QStringLiteral("Autre ..."), CmdAutreEchelle);
        MenuTurbo()->addSeparator();
        AjouterCommande(copier, CmdCopier);
    } else {
        return;
    }
    MontrerMenuTurbo(positionGlobale);
}

QString TGrilleMoyennesTavelin::TexteMenuCopier() const {
    return QStringLiteral("Copier la colonne \"") + Cellule(colonneClic, 0) +
           QStringLiteral("\" dans le Presse-Papiers");
}

// ---- Commands --------------------------------------------------------------------------------

void TGrilleMoyennesTavelin::Commande(int numero) {
    TFichierTav* f = Fichier();
    if (!f) return;
    const int p = Periode();
    const int r = ligneClic;
    const bool ligneEleve = r >= 1 && r <= NombreEleves();
    // The scale and the rounding are settings of every class: every open sheet follows them
    // (TReglages); a grid outside a sheet refreshes itself.
    const auto reglagesModifies = [this, f, p] {
        if (Feuille()) return;
        f->InvaliderCalculs();
        MarquerToutesLesPeriodes();
        NotifMoyennes(p, 0);
    };

    switch (numero) {
    case CmdPasArrondi:
    case CmdArrondiDixieme:
    case CmdArrondiQuart:
    case CmdArrondiDemi:
        Options::ModifierArrondirMoyennes(quint8(numero - CmdPasArrondi));
        reglagesModifies();
        return;
    case CmdMoins2:
    case CmdMoins1v5:
    case CmdMoins1:
    case CmdMoins0v5:
    case CmdAucunPoint:
    case CmdPlus0v5:
    case CmdPlus1:
    case CmdPlus1v5:
    case CmdPlus2:
    case CmdAutresPoints: {
        if (!ligneEleve) return;
        QString points = PointsDeCommande(numero);
        if (numero != CmdAutresPoints || DemanderPoints(points))
            f->ModifierPointsPlusMoins(p, r, points);
        // In a sheet, the document's signal refreshes the row; a grid outside one does it.
        if (!Feuille()) {
            f->MarquerPeriode(p, true);
            NotifMoyennes(p, r);
        }
        return;
    }
    case CmdSur20:
    case CmdSur10:
    case CmdAutreEchelle: {
        int echelle = numero == CmdSur20 ? 20 : 10;
        if (numero != CmdAutreEchelle || DemanderEchelle(echelle))
            Options::ModifierMoyennesSur(echelle);
        reglagesModifies();
        return;
    }
    case CmdCopier:
        CopierColonne(colonneClic);
        f->MarquerPeriode(p, true);
        return;
    case CmdColler: {
        // In a sheet, the pasted points are one batch of the document: the rows once, at its
        // end; a grid outside one refreshes itself.
        std::optional<TDocumentClasse::TLot> lot;
        if (Feuille()) lot.emplace(Feuille()->Document());
        CollerPoints();
        if (!Feuille()) {
            f->MarquerPeriode(p, true);
            NotifMoyennes(p, 0);
        }
        return;
    }
    default:
        return;
    }
}

bool TGrilleMoyennesTavelin::DemanderPoints(QString& texte) {
    TFormEdit saisie(this, true, QString(), QStringLiteral("Points en plus ou en moins"));
    if (saisie.exec() != QDialog::Accepted) return false;
    texte = saisie.Texte();
    return true;
}

bool TGrilleMoyennesTavelin::DemanderEchelle(int& echelle) {
    return TSaisieEchelle::Demander(this, QStringLiteral("Moyennes exprimées sur"), QString(),
                                    echelle);
}

void TGrilleMoyennesTavelin::CopierColonne(int colonne) {
    if (colonne < 0 || colonne >= ColonnesMoyennes) return;
    QClipboard* pressePapiers = QApplication::clipboard();
    pressePapiers->clear();
    QString texte;
    for (int l = 0; l <= NombreEleves(); ++l)
        texte += Texte(colonne, l) + QStringLiteral("\r\n");
    pressePapiers->setText(texte);
}

void TGrilleMoyennesTavelin::CollerPoints() {
    const QStringList lignes = LignesPressePapiers();
    if (lignes.isEmpty()) return;
    const int n = std::min(NombreEleves(), int(lignes.size()));
    // A text that a class file cannot hold is refused before anything changes.
    for (int i = 0; i < n; ++i)
        if (!Tav::TexteEnregistrable(this, lignes.at(i))) return;
    TFichierTav* f = Fichier();
    for (int i = 1; i <= n; ++i) {
        f->ModifierPointsPlusMoins(Periode(), i, lignes.at(i - 1));
    }
}
