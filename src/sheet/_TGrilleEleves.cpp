#include "_TGrilleEleves.h"

#include "UniteFeuilleClasse.h"
#include "_FormHint.h"
#include "_FormModifierEleve.h"
#include "tavX_constantes.h"
#include "tavX_fichierTav.h"
#include "tavX_interlocuteur.h"
#include "tavX_options.h"
#include "tavX_panneauGrille.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QMenu>

#include <algorithm>

namespace {

// Width of the number column: 18 pixels, wider only when the font cannot hold "50" in it.
int LargeurNumeros(const QWidget* grille) {
    return std::max(18, grille->fontMetrics().horizontalAdvance(QStringLiteral("00")) + 6);
}

// A name inside a menu item: "&" would otherwise underline the next letter.
QString TexteDeMenu(const QString& texte) {
    QString t = texte;
    return t.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

// Asks the sheet to draw the graph of a student for a period, once the sheet has a graph.
template <typename TFeuille> void EnvoyerNotifGraphe(TFeuille* feuille, int periode, int ligne) {
    if constexpr (requires { feuille->NotifGraphe(periode, ligne); }) {
        if (feuille) feuille->NotifGraphe(periode, ligne);
    } else {
        (void)feuille;
        (void)periode;
        (void)ligne;
    }
}

// The columns of both student lists: the numbers (fixed) and the names with their header.
void PreparerColonnes(TGrilleGeneriqueTavelin* grille) {
    grille->DefinirColonneFixe(0);
    grille->setSelectionBehavior(QAbstractItemView::SelectItems);
    grille->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grille->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
}

// The cell the keyboard reaches, kept in the name column.
QModelIndex SurLesNoms(const QModelIndex& index) {
    return index.isValid() && index.column() == 0 ? index.siblingAtColumn(1) : index;
}

} // namespace

// ---- Student grid ----------------------------------------------------------------------------

TGrilleElevesTavelin::TGrilleElevesTavelin(TPanneauGrille* panneau, int periode,
                                           TFichierTav* fichier, TFeuilleClasse* feuille)
    : TGrilleGeneriqueTavelin(panneau, periode, fichier, feuille, GenreEleves) {
    setObjectName(QStringLiteral("GrilleEleves"));
    PreparerColonnes(this);
    // The grades grid scrolls for it (through the sheet); the place of a horizontal bar stays
    // empty at its bottom, so that its rows stand beside those of the grades.
    ReserverBarreHorizontale(false);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    NotifEleves(0, 0);
}

QString TGrilleElevesTavelin::LibelleLigne(int decalage) {
    switch (decalage) {
    case Tav::LigneMoyenne:
        return QStringLiteral("Moyenne :");
    case Tav::LigneNombrePresents:
        return QStringLiteral("Nombre d'élèves présents :");
    case Tav::LigneMin:
        return QStringLiteral("Min :");
    case Tav::LigneMax:
        return QStringLiteral("Max :");
    case Tav::LigneEcartType:
        return QStringLiteral("Ecart type :");
    case Tav::LignePourcentSousMoyenne:
        return QStringLiteral("% notes < moyenne :");
    case Tav::LignePourcentSousMoyenneClasse:
        return QStringLiteral("% notes < moyenne classe :");
    case Tav::LigneNoteSur:
        return QStringLiteral("Noté sur :");
    case Tav::LigneCoefficient:
        return QStringLiteral("Coefficient :");
    case Tav::LigneCompteDansMoyenne:
        return QStringLiteral("Compte dans la moyenne :");
    case Tav::LigneDate:
        return QStringLiteral("Date :");
    case Tav::LigneCommentaire:
        return QStringLiteral("Commentaire :");
    case Tav::LigneTypeNotes:
        return QStringLiteral("Type de notes :");
    case Tav::LigneOralEcrit:
        return QStringLiteral("Oral ou écrit :");
    default:
        return QString();
    }
}

QString TGrilleElevesTavelin::NomAffiche(const TFichierTav& fichier, int s) {
    QString texte = fichier.NomEleve(s);
    const QString date = fichier.DateNaissance(s);
    if (!date.trimmed().isEmpty() && Options::AfficherDatesDeNaissance())
        texte += QStringLiteral(" (") + date + QLatin1Char(')');
    if (fichier.EstRedoublant(s) && Options::AfficherR()) texte += QStringLiteral(" (R)");
    return texte;
}

QStringList TGrilleElevesTavelin::LignesInformation(const TFichierTav& fichier, int s,
                                                    int periode) {
    const int P = fichier.NombrePeriodes();
    QString titre = fichier.NomEleve(s) + QLatin1Char(' ') + fichier.DateNaissance(s);
    if (fichier.EstRedoublant(s)) titre += QStringLiteral(" (redoublant)");
    if (P < 1) return {titre};
    const int p = std::clamp(periode, 1, P);
    const QString sur = QString::number(fichier.MoyennesSur());
    const int arrondi = Options::ArrondirMoyennes();

    QStringList moyennes;
    for (int q = 1; q <= P; ++q)
        moyennes.append(fichier.NombreSeries(q) == 0 ? QStringLiteral("?")
                                                     : fichier.MoyenneBulletin(q, s, arrondi));
    return {titre,
            QStringLiteral("Note la plus basse de la période : ") + fichier.NoteLaPlusBasse(p, s),
            QStringLiteral("Note la plus haute de la période : ") + fichier.NoteLaPlusHaute(p, s),
            QStringLiteral("Moyennes bulletin sur ") + sur + QStringLiteral(" : ") +
                moyennes.join(QStringLiteral(" - ")),
            QStringLiteral("Moyenne annuelle sur ") + sur + QStringLiteral(" : ") +
                fichier.MoyenneAnnuelle(s, arrondi, Options::ArrondirMoyennesAnnuelles(),
                                        Options::TypeMoyennesAnnuelles())};
}

int TGrilleElevesTavelin::LargeurTotale() const {
    return columnWidth(0) + columnWidth(1) + 2 * frameWidth();
}

void TGrilleElevesTavelin::NotifEleves(int, int) {
    const TFichierTav& f = *Fichier();
    const int n = f.NombreEleves();
    DefinirTaille(n + Tav::NombreLignesSupplementaires, 2);

    QStringList numeros{QString()};
    QStringList noms{QStringLiteral("Noms et prénoms")};
    for (int s = 1; s <= n; ++s) {
        numeros.append(QString::number(s));
        noms.append(NomAffiche(f, s));
    }
    for (int d = 1; d < Tav::NombreLignesSupplementaires; ++d) {
        numeros.append(QString());
        noms.append(LibelleLigne(d));
    }
    ModifierColonne(0, numeros);
    ModifierColonne(1, noms);

    setColumnWidth(0, LargeurNumeros(this));
    AjusterLargeurColonne(1);
    if (Panneau()) Panneau()->AfficherGrille(n > 0);
    if (Feuille()) Feuille()->NotifLargeurEleves(LargeurTotale());
}

void TGrilleElevesTavelin::NotifPeriode(int periode, int) {
    DefinirPeriode(periode);
}

void TGrilleElevesTavelin::SourisEnfoncee(Qt::MouseButton bouton, int colonne, int ligne,
                                          const QPoint& positionGlobale) {
    TFormHint::Cacher();
    const int n = Fichier()->NombreEleves();
    if (bouton == Qt::RightButton) {
        if (ligne > 0) {
            SelectionnerCellule(1, ligne);
            if (Feuille()) Feuille()->NotifSelectionLigne(ligne, -1);
        }
        colonneCliquee = colonne;
        ligneCliquee = ligne;
        if (colonne == 1 && ligne >= 0 && ligne <= n) OuvrirMenuTurbo(positionGlobale);
        return;
    }
    // A click on a number chooses the name beside it.
    TGrilleGeneriqueTavelin::SourisEnfoncee(bouton, colonne == 0 && ligne > 0 ? 1 : colonne, ligne,
                                            positionGlobale);
    if (bouton == Qt::LeftButton && colonne == 1 && ligne >= 1 && ligne <= n &&
        Options::AfficherFenetreInfo())
        AfficherInformation(ligne, positionGlobale);
}

QModelIndex TGrilleElevesTavelin::moveCursor(CursorAction action,
                                             Qt::KeyboardModifiers modificateurs) {
    return SurLesNoms(TGrilleGeneriqueTavelin::moveCursor(action, modificateurs));
}

void TGrilleElevesTavelin::AfficherInformation(int ligne, const QPoint& position) {
    TFormHint::Afficher(Grille::Couleur(Options::CouleurFenetreInfo()),
                        LignesInformation(*Fichier(), ligne, Periode()), 5, position);
}

void TGrilleElevesTavelin::OuvrirMenuTurbo(const QPoint& position) {
    const TFichierTav& f = *Fichier();
    const int n = f.NombreEleves();
    QMenu* menu = NouveauMenuTurbo(QStringLiteral("Liste des élèves"));
    if (ligneCliquee >= 1 && ligneCliquee <= n) {
        const QString nom = TexteDeMenu(f.NomEleve(ligneCliquee));
        AjouterCommande(QStringLiteral("Supprimer \"") + nom +
                            QStringLiteral("\" de la liste des élèves"),
                        CommandeSupprimer);
        AjouterCommande(QStringLiteral("Modifier les informations de \"") + nom + QLatin1Char('"'),
                        CommandeModifier);
        menu->addSeparator();
    }
    AjouterCommande(QStringLiteral("Ajouter un élève ..."), CommandeAjouter, n < Tav::MaxEleves);
    menu->addSeparator();
    AjouterCommande(QStringLiteral("Copier la liste des élèves dans le Presse-Papiers"),
                    CommandeCopier);
    MontrerMenuTurbo(position);
}

void TGrilleElevesTavelin::Commande(int numero) {
    const int n = Fichier()->NombreEleves();
    const bool eleve = ligneCliquee >= 1 && ligneCliquee <= n;
    switch (numero) {
    case CommandeSupprimer:
        if (eleve) SupprimerEleve(ligneCliquee);
        break;
    case CommandeModifier:
        if (eleve) ModifierEleve(ligneCliquee);
        break;
    case CommandeAjouter:
        AjouterEleve();
        break;
    case CommandeCopier: {
        QString texte;
        for (const QString& nom : Fichier()->ListeEleves())
            texte += nom + QStringLiteral("\r\n");
        QApplication::clipboard()->setText(texte);
        break;
    }
    default:
        break;
    }
}

void TGrilleElevesTavelin::SupprimerEleve(int s) {
    QWidget* proprietaire = Feuille() ? static_cast<QWidget*>(Feuille()) : this;
    if (!Interlocuteur().Question(proprietaire, QStringLiteral("Suppression d'un élève"),
                                  QStringLiteral("Supprimer \"") + Fichier()->NomEleve(s) +
                                      QStringLiteral("\" de la liste des élèves ?"),
                                  TIcone::Question))
        return;
    Fichier()->SupprimerEleve(s);
    ApresChangementEleves();
}

void TGrilleElevesTavelin::ModifierEleve(int s) {
    TFichierTav& f = *Fichier();
    QWidget* proprietaire = Feuille() ? static_cast<QWidget*>(Feuille()) : this;
    TFormModifierEleve dialogue(proprietaire,
                                QStringLiteral("Modifier les informations de l'élève"),
                                f.EstRedoublant(s), f.DateNaissance(s), f.NomEleve(s));
    if (dialogue.exec() != QDialog::Accepted) return;
    f.ModifierEleve(s, dialogue.Nom(), dialogue.Redoublant(), dialogue.DateNaissance());
    ApresChangementEleves();
}

void TGrilleElevesTavelin::AjouterEleve() {
    TFichierTav& f = *Fichier();
    if (f.NombreEleves() >= Tav::MaxEleves) return;
    QWidget* proprietaire = Feuille() ? static_cast<QWidget*>(Feuille()) : this;
    TFormModifierEleve dialogue(proprietaire, QStringLiteral("Ajouter un élève"), false, QString(),
                                QString());
    if (dialogue.exec() != QDialog::Accepted) return;
    f.AjouterEleve(dialogue.Nom(), dialogue.DateNaissance(), dialogue.Redoublant());
    ApresChangementEleves();
}

void TGrilleElevesTavelin::ApresChangementEleves() {
    // In a sheet, the document's signal rebuilds every list and grid; a grid outside one
    // refreshes itself.
    if (!Feuille()) NotifEleves(0, 0);
}

// ---- Student list of the graph page ----------------------------------------------------------

TGrilleElevesGrapheTavelin::TGrilleElevesGrapheTavelin(TPanneauGrille* panneau, int periode,
                                                       TFichierTav* fichier,
                                                       TFeuilleClasse* feuille)
    : TGrilleGeneriqueTavelin(panneau, periode, fichier, feuille, GenreEleves) {
    setObjectName(QStringLiteral("GrilleElevesGraphe"));
    PreparerColonnes(this);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ligneSelectionnee = 1;
    NotifEleves(0, 0);
    if (ligneSelectionnee >= 1) EnvoyerGraphe();
}

void TGrilleElevesGrapheTavelin::NotifEleves(int, int) {
    const TFichierTav& f = *Fichier();
    const int n = f.NombreEleves();
    DefinirTaille(n + 1, 2);
    QStringList numeros{QString()};
    QStringList noms{QStringLiteral("Noms et prénoms")};
    for (int s = 1; s <= n; ++s) {
        numeros.append(QString::number(s));
        noms.append(TGrilleElevesTavelin::NomAffiche(f, s));
    }
    ModifierColonne(0, numeros);
    ModifierColonne(1, noms);
    setColumnWidth(0, LargeurNumeros(this));
    AjusterLargeurColonne(1);
    if (Panneau()) Panneau()->AfficherGrille(n > 0);

    // The chosen student stays chosen when he is still there.
    if (n == 0)
        Choisir(0);
    else
        Choisir(std::clamp(ligneSelectionnee, 1, n));
}

void TGrilleElevesGrapheTavelin::NotifPeriode(int periode, int) {
    DefinirPeriode(periode);
    EnvoyerGraphe();
}

void TGrilleElevesGrapheTavelin::SourisEnfoncee(Qt::MouseButton bouton, int colonne, int ligne,
                                                const QPoint& positionGlobale) {
    // A click on a number chooses the name beside it.
    TGrilleGeneriqueTavelin::SourisEnfoncee(bouton, colonne == 0 && ligne > 0 ? 1 : colonne, ligne,
                                            positionGlobale);
}

void TGrilleElevesGrapheTavelin::CelluleSelectionnee(int, int ligne) {
    if (ligne < 1 || ligne > Fichier()->NombreEleves()) return;
    Choisir(ligne);
    EnvoyerGraphe();
}

QModelIndex TGrilleElevesGrapheTavelin::moveCursor(CursorAction action,
                                                   Qt::KeyboardModifiers modificateurs) {
    return SurLesNoms(TGrilleGeneriqueTavelin::moveCursor(action, modificateurs));
}

void TGrilleElevesGrapheTavelin::Choisir(int ligne) {
    ligneSelectionnee = ligne;
    nomSelectionne = ligne >= 1 ? Cellule(1, ligne) : QString();
    if (ligne >= 1) SelectionnerCellule(1, ligne);
}

void TGrilleElevesGrapheTavelin::EnvoyerGraphe() {
    EnvoyerNotifGraphe(Feuille(), Periode(), ligneSelectionnee);
}
