#include "_TGrilleBilan.h"

#include "UniteFeuilleClasse.h"
#include "_FormHint.h"
#include "tavX_documentClasse.h"
#include "tavX_fichierTav.h"
#include "tavX_garde.h"
#include "tavX_nombres.h"
#include "tavX_options.h"
#include "tavX_panneauGrille.h"
#include "tavX_reglages.h"
#include "tavX_saisieEchelle.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QStackedWidget>
#include <QTimer>

namespace {

constexpr int LargeurNumeros = 18;

const QStringList& TextesArrondis() {
    static const QStringList textes = {
        QStringLiteral("Ne pas arrondir"), QStringLiteral("Au dixième de point"),
        QStringLiteral("Au quart de point"), QStringLiteral("Au demi-point"),
        QStringLiteral("Spécial Brevet")};
    return textes;
}

QString Guillemets(const QString& texte) {
    return QLatin1Char('"') + texte + QLatin1Char('"');
}

} // namespace

TGrilleBilanTavelin::TGrilleBilanTavelin(TPanneauGrille* panneau, TFichierTav* fichier,
                                         TFeuilleClasse* feuille)
    : TGrilleGeneriqueTavelin(panneau, 1, fichier, feuille, GenreBilan) {
    setObjectName(QStringLiteral("GrilleBilan"));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    DefinirColonneFixe(0);
    // Columns 0 and 1 at once, the rest when the page is first shown.
    const Bilan::TVue v =
        fichier ? Bilan::Calculer(*fichier, 0, Bilan::TReglages::DesOptions()) : Bilan::TVue();
    DefinirTaille(std::max(1, v.lignes), v.NombreColonnes());
    for (int c = 0; c < v.NombreColonnes(); ++c)
        ModifierColonne(c, v.cellules.at(c));
    if (panneau) panneau->AfficherGrille(false);

    if (feuille) {
        // Whatever changes in the class may change what the summary shows.
        TDocumentClasse* d = &feuille->Document();
        const auto changement = [this] { AReconstruire(); };
        connect(d, &TDocumentClasse::reglagesCalculChanges, this, changement);
        connect(d, &TDocumentClasse::elevesChanges, this, changement);
        connect(d, &TDocumentClasse::seriesChangees, this, changement);
        connect(d, &TDocumentClasse::serieChangee, this, changement);
        connect(d, &TDocumentClasse::notesChangees, this, changement);
        connect(d, &TDocumentClasse::pointsChanges, this, changement);
        connect(d, &TDocumentClasse::appreciationsChangees, this, changement);
        connect(d, &TDocumentClasse::classeReinitialisee, this, changement);
        connect(d, &TDocumentClasse::identiteChangee, this, changement);
    }
    // The scale, the roundings and what the summary shows are settings of every class.
    connect(&TReglages::Instance(), &TReglages::modifie, this, [this](const QString& cle) {
        if (TReglages::Portee(cle) != TReglages::Aucune) aReconstruire = true;
    });
}

bool TGrilleBilanTavelin::PageVisible() const {
    TFeuilleClasse* f = Feuille();
    return !f || !f->Pages() || f->Pages()->currentIndex() == TFeuilleClasse::PageBilans;
}

void TGrilleBilanTavelin::AReconstruire() {
    aReconstruire = true;
    if (!Feuille() || !PageVisible() || reconstructionPrevue) return;
    // Several changes in a row (a pasted column, typed appreciations) rebuild once.
    reconstructionPrevue = true;
    QTimer::singleShot(0, this, [this] {
        reconstructionPrevue = false;
        if (aReconstruire && PageVisible()) Tav::Garder("bilan", this, [this] { Reconstruire(); });
    });
}

void TGrilleBilanTavelin::NotifPeriode(int v, int option) {
    const bool autreVue = v != vue;
    vue = v;
    if (autreVue || option != 0) aReconstruire = true;
    if (!aReconstruire || !PageVisible()) return;
    Reconstruire();
}

void TGrilleBilanTavelin::NotifEleves(int, int) {
    // Every column moves with the students, not only the names.
    aReconstruire = true;
    if (PageVisible()) Reconstruire();
}

void TGrilleBilanTavelin::Reconstruire() {
    TFichierTav* f = Fichier();
    if (!f) return;
    TFormHint::Cacher();
    aReconstruire = false;
    ++reconstructions;
    contenu = Bilan::Calculer(*f, vue, Bilan::TReglages::DesOptions());
    DefinirPeriode(vue);
    const int colonnes = contenu.masquee ? 2 : contenu.NombreColonnes();
    DefinirTaille(contenu.lignes, colonnes);
    for (int c = 0; c < colonnes; ++c)
        ModifierColonne(c, contenu.cellules.at(c));
    if (!contenu.masquee) {
        AjusterLargeurColonnes();
        setColumnWidth(0, std::max(LargeurNumeros, columnWidth(0)));
    }
    if (TPanneauGrille* p = Panneau()) p->AfficherGrille(!contenu.masquee);
}

// ---- Look ------------------------------------------------------------------------------------

void TGrilleBilanTavelin::StyleCellule(int colonne, int ligne, TStyleCellule& style) const {
    TGrilleGeneriqueTavelin::StyleCellule(colonne, ligne, style);
    const int classement = contenu.colonneClassement;
    const bool aGauche = colonne == 1 || (classement >= 0 && colonne >= classement);
    style.alignement = aGauche ? (Qt::AlignLeft | Qt::AlignTop) : (Qt::AlignHCenter | Qt::AlignTop);
    style.decalageX = aGauche ? 2 : 0;
    style.decalageY = aGauche ? 3 : 2;
    if (contenu.masquee || !Options::ColorationNote() || !Fichier()) return;
    const int N = Fichier()->NombreEleves();
    if (ligne < 1 || ligne > N || colonne < 2 || colonne > classement) return;
    QString texte = Texte(colonne, ligne);
    if (texte.isEmpty()) return;
    if (colonne == classement) texte = Bilan::MoyenneDeClassement(texte);
    long double v = 0;
    if (!Tav::LireNombre(texte, v)) {
        style.fond = Options::ColorationGrille() ? Grille::Couleur(Options::Couleur5Note())
                                                 : QColor(Qt::white);
        return;
    }
    style.texte = Grille::Couleur(Options::CouleurNote(v, Fichier()->MoyennesSur(), false));
}

// ---- Mouse and turbo menu --------------------------------------------------------------------

void TGrilleBilanTavelin::CelluleSelectionnee(int, int) {
    // The summary's rows are its own: the other grids keep their selection.
}

void TGrilleBilanTavelin::SourisEnfoncee(Qt::MouseButton bouton, int colonne, int ligne,
                                         const QPoint& positionGlobale) {
    TGrilleGeneriqueTavelin::SourisEnfoncee(bouton, colonne, ligne, positionGlobale);
    colonneClic = colonne;
    ligneClic = ligne;
    TFichierTav* f = Fichier();
    if (!f || contenu.masquee) return;
    if (bouton == Qt::LeftButton) {
        // The school-record statistics are those of a period: none on the year tab.
        if (ligne == 0 && Options::AfficherFenetreInfo() && vue >= 1 && vue <= f->NombrePeriodes())
            TFormHint::Afficher(Grille::Couleur(Options::CouleurFenetreInfo()),
                                {QStringLiteral("Statistiques livrets scolaires"),
                                 QStringLiteral("Moyennes < 8 : ") + f->PourcentageLivretInf8(vue) +
                                     QStringLiteral(" %"),
                                 QStringLiteral("Moyennes >= 8 et < 12 : ") +
                                     f->PourcentageLivret8a12(vue) + QStringLiteral(" %"),
                                 QStringLiteral("Moyennes >=12 : ") +
                                     f->PourcentageLivretSup12(vue) + QStringLiteral(" %")},
                                4, positionGlobale);
        return;
    }
    if (bouton != Qt::RightButton) return;
    if (ligne > 0) SelectionnerCellules(ligne, 1, NombreColonnes() - 1);
    ConstruireMenu();
    MontrerMenuTurbo(positionGlobale);
}

void TGrilleBilanTavelin::ConstruireMenu() {
    QMenu* menu = NouveauMenuTurbo(QStringLiteral("Grille des bilans"));
    const auto commande = [](QMenu* m, const QString& texte, int numero, bool coche) {
        QAction* a = m->addAction(texte);
        a->setData(numero);
        if (coche) {
            a->setCheckable(true);
            a->setChecked(true);
        }
        return a;
    };

    QMenu* classement = menu->addMenu(QStringLiteral("Classement des moyennes"));
    commande(classement, QStringLiteral("Ascendant"), CmdAscendant, Options::TrierMoyennes() == 0);
    commande(classement, QStringLiteral("Descendant"), CmdDescendant,
             Options::TrierMoyennes() == 1);
    menu->addSeparator();
    QMenu* echelle = menu->addMenu(QStringLiteral("Moyennes calculées sur"));
    commande(echelle, QStringLiteral("20"), CmdSur20, false);
    commande(echelle, QStringLiteral("10"), CmdSur10, false);
    commande(echelle, QStringLiteral("Autre ..."), CmdAutreEchelle, false);
    menu->addSeparator();
    AjouterCommande(QStringLiteral("Une moyenne par type de notes"), CmdParType, true,
                    Options::MoyenneParTypeDeNotes());
    menu->addSeparator();
    AjouterCommande(QStringLiteral("Afficher moyennes écrit et oral"), CmdEcritOral, true,
                    Options::MoyennesEcritEtOral());
    menu->addSeparator();
    QMenu* arrondi = menu->addMenu(QStringLiteral("Arrondir les moyennes non annuelles"));
    for (int m = 0; m < TextesArrondis().size(); ++m)
        commande(arrondi, TextesArrondis().at(m), CmdArrondi + m, Options::ArrondirMoyennes() == m);
    if (Fichier() && vue == Fichier()->NombrePeriodes() + 1) {
        menu->addSeparator();
        QMenu* annuel = menu->addMenu(QStringLiteral("Arrondir les moyennes annuelles"));
        for (int m = 0; m < TextesArrondis().size(); ++m)
            commande(annuel, TextesArrondis().at(m), CmdArrondiAnnuel + m,
                     Options::ArrondirMoyennesAnnuelles() == m);
    }
    const QString entete = Texte(colonneClic, 0);
    if (colonneClic >= 0 && !entete.isEmpty()) {
        menu->addSeparator();
        AjouterCommande(QStringLiteral("Copier la colonne ") + Guillemets(entete) +
                            QStringLiteral(" dans le Presse-Papiers"),
                        CmdCopierColonne);
    }
    const QString cellule = Texte(colonneClic, ligneClic);
    if (colonneClic >= 0 && ligneClic >= 0 && !cellule.isEmpty()) {
        menu->addSeparator();
        AjouterCommande(QStringLiteral("Copier la cellule ") + Guillemets(cellule) +
                            QStringLiteral(" dans le Presse-Papiers"),
                        CmdCopierCellule);
    }
}

// ---- Commands --------------------------------------------------------------------------------

void TGrilleBilanTavelin::Commande(int numero) {
    if (!Fichier()) return;
    switch (numero) {
    case CmdAscendant:
    case CmdDescendant: {
        const quint8 v = quint8(numero - CmdAscendant);
        if (Options::TrierMoyennes() == v) return;
        Options::ModifierTrierMoyennes(v);
        break;
    }
    case CmdSur20:
    case CmdSur10:
    case CmdAutreEchelle: {
        int echelle = numero == CmdSur20 ? 20 : 10;
        if (numero == CmdAutreEchelle &&
            !TSaisieEchelle::Demander(this, QStringLiteral("Moyennes sur"),
                                      QString::number(Options::MoyennesSur()), echelle))
            return;
        if (Options::MoyennesSur() == echelle) return;
        Options::ModifierMoyennesSur(echelle);
        break;
    }
    case CmdParType:
        Options::ModifierMoyenneParTypeDeNotes(!Options::MoyenneParTypeDeNotes());
        break;
    case CmdEcritOral:
        Options::ModifierMoyennesEcritEtOral(!Options::MoyennesEcritEtOral());
        break;
    case CmdCopierColonne:
        CopierColonne(colonneClic);
        return;
    case CmdCopierCellule: {
        QClipboard* pressePapiers = QApplication::clipboard();
        pressePapiers->clear();
        pressePapiers->setText(Texte(colonneClic, ligneClic) + QStringLiteral("\r\n"));
        return;
    }
    default:
        if (numero >= CmdArrondi && numero < CmdArrondi + 5) {
            const quint8 m = quint8(numero - CmdArrondi);
            if (Options::ArrondirMoyennes() == m) return;
            Options::ModifierArrondirMoyennes(m);
            break;
        }
        if (numero >= CmdArrondiAnnuel && numero < CmdArrondiAnnuel + 5) {
            const quint8 m = quint8(numero - CmdArrondiAnnuel);
            if (Options::ArrondirMoyennesAnnuelles() == m) return;
            Options::ModifierArrondirMoyennesAnnuelles(m);
            break;
        }
        return;
    }
    ReglageEcrit();
}

void TGrilleBilanTavelin::ReglageEcrit() {
    // In a sheet, every open sheet follows the settings (TReglages) and rebuilds this grid.
    if (Feuille()) return;
    TFichierTav* f = Fichier();
    for (int p = 1; p <= f->NombrePeriodes(); ++p)
        f->MarquerPeriode(p, true);
    f->InvaliderCalculs();
    Reconstruire();
}

void TGrilleBilanTavelin::CopierColonne(int colonne) {
    if (colonne < 0 || colonne >= NombreColonnes()) return;
    QClipboard* pressePapiers = QApplication::clipboard();
    pressePapiers->clear();
    QString texte;
    for (int l = 0; l < NombreLignes(); ++l)
        texte += Texte(colonne, l) + QStringLiteral("\r\n");
    pressePapiers->setText(texte);
}
