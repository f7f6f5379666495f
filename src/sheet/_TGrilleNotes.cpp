#include "_TGrilleNotes.h"

#include "UniteFeuilleClasse.h"
#include "_FormCalendrier.h"
#include "_FormEdit.h"
#include "_FormHint.h"
#include "_FormNouvelleSerieDeNotes.h"
#include "tavX_constantes.h"
#include "tavX_documentClasse.h"
#include "tavX_exceptions.h"
#include "tavX_fichierTav.h"
#include "tavX_garde.h"
#include "tavX_interlocuteur.h"
#include "tavX_nombres.h"
#include "tavX_options.h"
#include "tavX_panneauGrille.h"
#include "tavX_saisieTexte.h"
#include "tavX_selecteurDate.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>
#include <optional>

namespace {

const QString Absent = QStringLiteral("abs");

// A text shown in a menu item: "&" is not a mnemonic there.
QString PourMenu(QString texte) {
    return texte.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

QString TextePressePapiers() {
    const QClipboard* pp = QGuiApplication::clipboard();
    return pp ? pp->text() : QString();
}

void EcrirePressePapiers(const QString& texte) {
    if (QClipboard* pp = QGuiApplication::clipboard()) pp->setText(texte);
}

bool EstToucheDecimalePave(const QKeyEvent* touche) {
    return (touche->modifiers() & Qt::KeypadModifier) &&
           (touche->key() == Qt::Key_Period || touche->key() == Qt::Key_Comma);
}

bool EstToucheMoinsPave(const QKeyEvent* touche) {
    return (touche->modifiers() & Qt::KeypadModifier) && touche->key() == Qt::Key_Minus;
}

} // namespace

TGrilleNotesTavelin::TGrilleNotesTavelin(TPanneauGrille* panneau, int periode, TFichierTav* fichier,
                                         TFeuilleClasse* feuille)
    : TGrilleGeneriqueTavelin(panneau, periode, fichier, feuille, GenreNotes) {
    setObjectName(QStringLiteral("GrilleNotes"));
    ReserverBarreHorizontale(true);
    NotifPeriode(periode, 0);
}

// ---- Counts ----------------------------------------------------------------------------------

int TGrilleNotesTavelin::N() const {
    return Fichier() ? Fichier()->NombreEleves() : 0;
}

int TGrilleNotesTavelin::NombreSeries() const {
    const TFichierTav* f = Fichier();
    if (!f || Periode() < 1 || Periode() > f->NombrePeriodes()) return 0;
    return f->NombreSeries(Periode());
}

QStringList TGrilleNotesTavelin::NotesSurProposees() {
    // The same choices as when a series is made.
    return TFormNouvelleSerieDeNotes::NotesSurStandard();
}

// ---- Notifications ---------------------------------------------------------------------------

void TGrilleNotesTavelin::NotifPeriode(int periode, int) {
    // A mark being typed belongs to the period shown so far.
    TerminerEdition();
    DefinirPeriode(periode);
    editionCoupee = false;
    const int series = NombreSeries();
    DefinirTaille(N() + Tav::NombreLignesSupplementaires, std::max(1, series));
    Modele()->ToutChange();
    AjusterLargeurColonnes();
    if (Panneau())
        Panneau()->AfficherGrille(series > 0);
    else
        setVisible(series > 0);
}

void TGrilleNotesTavelin::NotifColonne(int colonne) {
    if (!EstSerie(colonne)) return;
    Modele()->ColonneChangee(colonne);
    // Reading the column's texts brings its statistics up to date, once.
    AjusterLargeurColonne(colonne);
}

void TGrilleNotesTavelin::NotifAbsent() {
    int c = ColonneCourante(), l = LigneCourante();
    if (c < 0 || l < 0) {
        c = colonneRetenue;
        l = ligneRetenue;
    }
    if (!EstSerie(c) || !EstEleve(l)) return;
    // The text under way is dropped: "abs" replaces it.
    AbandonnerEdition();
    // The class file's announcement of the mark refreshes the column and the averages.
    Fichier()->ModifierNote(Periode(), c + 1, Absent, l);
    editionCoupee = true;
}

// ---- Cells -----------------------------------------------------------------------------------

QString TGrilleNotesTavelin::EnTete(int j) const {
    const TFichierTav* f = Fichier();
    return f->Intitule(Periode(), j) + QStringLiteral(" (sur ") + f->NoteSur(Periode(), j) +
           QStringLiteral(")");
}

QString TGrilleNotesTavelin::Texte(int colonne, int ligne) const {
    if (!EstSerie(colonne)) return {};
    const int n = N();
    if (ligne < 0 || ligne >= n + Tav::NombreLignesSupplementaires) return {};
    const TFichierTav* f = Fichier();
    const int p = Periode(), j = colonne + 1;
    if (ligne == 0) return EnTete(j);
    // The statistics come from the class file's cache (computed again only after a change).
    switch (ligne - n) {
    case Tav::LigneMoyenne:
        return f->MoyenneSerie(p, j);
    case Tav::LigneNombrePresents:
        return f->NombreNotesSerie(p, j);
    case Tav::LigneMin:
        return f->MinimumSerie(p, j);
    case Tav::LigneMax:
        return f->MaximumSerie(p, j);
    case Tav::LigneEcartType:
        return f->EcartTypeSerie(p, j);
    case Tav::LignePourcentSousMoyenne:
        return f->PourcentageSousMoyenne(p, j);
    case Tav::LignePourcentSousMoyenneClasse:
        return f->PourcentageSousMoyenneClasse(p, j);
    default:
        return f->Cellule(p, j, ligne);
    }
}

void TGrilleNotesTavelin::StyleCellule(int colonne, int ligne, TStyleCellule& style) const {
    TGrilleGeneriqueTavelin::StyleCellule(colonne, ligne, style);
    style.alignement = Qt::AlignHCenter | Qt::AlignTop;
    style.decalageY = 2;
    const int n = N();
    if (ligne == n + Tav::LigneMoyenne) style.gras = true;
    if (!EstSerie(colonne) || ligne < 1 || ligne > n) return;

    const QString texte = Texte(colonne, ligne);
    if (texte.isEmpty() || texte == Absent) return;
    const bool grille = enPeinture ? colorationGrille : Options::ColorationGrille();
    const bool note = enPeinture ? colorationNote : Options::ColorationNote();
    long double v = 0, m = 0;
    const bool lue =
        Tav::LireNombre(texte, v) && Tav::LireNombre(Fichier()->NoteSur(Periode(), colonne + 1), m);
    if (!lue) {
        // Not a mark: shown as an error, in black.
        if (grille) style.fond = Grille::Couleur(Options::Couleur5Note());
        return;
    }
    const bool horsBareme = v < 0 || v > m;
    if (horsBareme && grille) style.fond = Grille::Couleur(Options::Couleur5Note());
    if (note) style.texte = Grille::Couleur(Options::CouleurNote(v, m));
}

void TGrilleNotesTavelin::paintEvent(QPaintEvent* evenement) {
    colorationGrille = Options::ColorationGrille();
    colorationNote = Options::ColorationNote();
    enPeinture = true;
    TGrilleGeneriqueTavelin::paintEvent(evenement);
    enPeinture = false;
}

// ---- Editing ---------------------------------------------------------------------------------

bool TGrilleNotesTavelin::CelluleModifiable(int colonne, int ligne) const {
    if (editionCoupee || !EstSerie(colonne)) return false;
    return EstEleve(ligne) || ligne == N() + Tav::LigneCommentaire;
}

void TGrilleNotesTavelin::CelluleEditee(int colonne, int ligne, const QString& texte) {
    if (!EstSerie(colonne)) return;
    const int p = Periode(), j = colonne + 1;
    if (EstEleve(ligne)) {
        // A changed mark is announced by the class file: the sheet then refreshes this column
        // and the student's averages.
        Fichier()->ModifierNote(p, j, texte, ligne);
    } else if (ligne == N() + Tav::LigneCommentaire) {
        Fichier()->ModifierCommentaire(p, j, texte);
        if (!Feuille()) NotifColonne(colonne);
    }
}

void TGrilleNotesTavelin::AbandonnerEdition() {
    QLineEdit* champ = Editeur();
    if (champ && state() == QAbstractItemView::EditingState)
        closeEditor(champ, QAbstractItemDelegate::NoHint);
}

void TGrilleNotesTavelin::SelectionnerEtEditer(int colonne, int ligne) {
    const QModelIndex index = Modele()->index(ligne - 1, colonne);
    if (!index.isValid()) return;
    setCurrentIndex(index);
    scrollTo(index);
    setFocus(Qt::OtherFocusReason);
    EditerCelluleCourante();
}

bool TGrilleNotesTavelin::ToucheEditeur(QLineEdit* editeur, QKeyEvent* touche) {
    if (EstToucheDecimalePave(touche)) {
        // The keypad's decimal key writes the decimal comma whatever the keyboard layout.
        editeur->insert(QStringLiteral(","));
        return true;
    }
    if (EstToucheMoinsPave(touche)) {
        NotifAbsent();
        return true;
    }
    if (touche->key() == Qt::Key_Return || touche->key() == Qt::Key_Enter) {
        const int c = ColonneCourante(), l = LigneCourante();
        TerminerEdition();
        // The next student's mark is ready to be typed.
        if (EstSerie(c) && EstEleve(l) && l < N()) SelectionnerEtEditer(c, l + 1);
        return true;
    }
    return false;
}

void TGrilleNotesTavelin::keyPressEvent(QKeyEvent* touche) {
    if (EstToucheMoinsPave(touche)) {
        Tav::Garder("absence d'un élève", this, [this] { NotifAbsent(); });
        touche->accept();
        return;
    }
    TGrilleGeneriqueTavelin::keyPressEvent(touche);
}

// ---- Selection and mouse ---------------------------------------------------------------------

void TGrilleNotesTavelin::CelluleSelectionnee(int colonne, int ligne) {
    colonneRetenue = colonne;
    ligneRetenue = ligne;
    editionCoupee = false;
    // The column is passed so that the sheet keeps this very cell selected here while it
    // highlights the row in the student and averages grids.
    if (Feuille()) Feuille()->NotifSelectionLigne(ligne, colonne);
}

QStringList TGrilleNotesTavelin::LignesInformation(int j) const {
    const TFichierTav* f = Fichier();
    const int p = Periode();
    const QString sur = QStringLiteral("/") + f->NoteSur(p, j);
    return {f->Intitule(p, j),
            QStringLiteral("Minimum : ") + f->MinimumSerie(p, j) + sur,
            QStringLiteral("Maximum : ") + f->MaximumSerie(p, j) + sur,
            QStringLiteral("Moyenne : ") + f->MoyenneSerie(p, j) + sur,
            QStringLiteral("Ecart type : ") + f->EcartTypeSerie(p, j),
            QStringLiteral("% notes < moyenne : ") + f->PourcentageSousMoyenne(p, j),
            QStringLiteral("% notes < moyenne classe : ") + f->PourcentageSousMoyenneClasse(p, j)};
}

void TGrilleNotesTavelin::SourisEnfoncee(Qt::MouseButton bouton, int colonne, int ligne,
                                         const QPoint& positionGlobale) {
    TFormHint::Cacher();
    colonneRetenue = colonne;
    ligneRetenue = ligne;
    if (bouton == Qt::LeftButton) {
        TGrilleGeneriqueTavelin::SourisEnfoncee(bouton, colonne, ligne, positionGlobale);
        if (ligne == 0 && EstSerie(colonne) && Options::AfficherFenetreInfo())
            TFormHint::Afficher(Grille::Couleur(Options::CouleurFenetreInfo()),
                                LignesInformation(colonne + 1), 7, positionGlobale);
        return;
    }
    if (bouton != Qt::RightButton) return;
    if (ligne > 0) {
        const QModelIndex index = Modele()->index(ligne - 1, colonne);
        if (index.isValid()) {
            if (index == currentIndex()) {
                // Already current: the sheet still realigns the rows.
                if (Feuille()) Feuille()->NotifSelectionLigne(ligne, colonne);
            } else {
                setCurrentIndex(index);
            }
        }
    }
    if (EstSerie(colonne)) OuvrirMenu(colonne, ligne, positionGlobale);
}

// ---- Turbo menus -----------------------------------------------------------------------------

void TGrilleNotesTavelin::OuvrirMenu(int colonne, int ligne, const QPoint& position) {
    const int n = N(), j = colonne + 1;
    colonneMenu = colonne;
    ligneMenu = ligne;
    if (ligne == 0) {
        SelectionnerColonne(colonne, 1, NombreLignes() - 1);
        MenuSerie(j);
    } else if (EstEleve(ligne)) {
        MenuNotes(j, ligne);
    } else {
        switch (ligne - n) {
        case Tav::LigneNoteSur:
            MenuNoteSur();
            break;
        case Tav::LigneCoefficient:
            MenuCoefficient();
            break;
        case Tav::LigneCompteDansMoyenne:
            MenuCompte();
            break;
        case Tav::LigneDate:
            MenuDate();
            break;
        case Tav::LigneTypeNotes:
            MenuType();
            break;
        case Tav::LigneOralEcrit:
            MenuOralEcrit();
            break;
        default:
            return;
        }
    }
    MontrerMenuTurbo(position);
}

void TGrilleNotesTavelin::MenuSerie(int j) {
    const TFichierTav* f = Fichier();
    QMenu* menu = NouveauMenuTurbo(QStringLiteral("Série de notes"));
    AjouterCommande(QStringLiteral("Modifier l'intitulé \"") + PourMenu(f->Intitule(Periode(), j)) +
                        QStringLiteral("\" ..."),
                    CmdModifierIntitule);
    menu->addSeparator();
    for (int p = 1; p <= f->NombrePeriodes(); ++p)
        AjouterCommande(QStringLiteral("Déplacer vers \"") + PourMenu(f->NomPeriode(p)) +
                            QStringLiteral("\""),
                        CmdDeplacerVers + p, p != Periode());
    menu->addSeparator();
    AjouterCommande(QStringLiteral("Copier les notes dans le Presse-Papiers (sans les noms et les "
                                   "statistiques de la série)"),
                    CmdCopierNotes);
    AjouterCommande(QStringLiteral("Copier les notes dans le Presse-Papiers (avec les noms et les "
                                   "statistiques de la série)"),
                    CmdCopierNotesEtStatistiques);
    AjouterCommande(QStringLiteral("Coller les notes depuis le Presse-Papiers"), CmdCollerNotes,
                    !TextePressePapiers().isEmpty());
}

void TGrilleNotesTavelin::MenuNotes(int j, int eleve) {
    QMenu* menu = NouveauMenuTurbo(QStringLiteral("Notes"));
    AjouterCommande(QStringLiteral("Décaler les notes vers le bas"), CmdDecalerBas);
    AjouterCommande(QStringLiteral("Décaler les notes vers le haut"), CmdDecalerHaut);
    const QString note = Fichier()->Note(Periode(), j, eleve);
    if (!note.trimmed().isEmpty()) {
        menu->addSeparator();
        AjouterCommande(QStringLiteral("Copier \"") + PourMenu(note) +
                            QStringLiteral("\" dans le Presse-Papiers"),
                        CmdCopierNote);
    }
    AjouterCommande(QStringLiteral("Coller la note depuis le Presse-Papiers"), CmdCollerNote,
                    !TextePressePapiers().isEmpty());
}

void TGrilleNotesTavelin::MenuDate() {
    NouveauMenuTurbo(QStringLiteral("Date"));
    static const char* const jours[] = {" (avant-hier)", " (hier)", " (aujourd'hui)", " (demain)",
                                        " (après-demain)"};
    const QDate aujourdhui = QDate::currentDate();
    for (int k = 0; k < 5; ++k)
        AjouterCommande(TSelecteurDate::TexteDate(aujourdhui.addDays(k - 2)) +
                            QString::fromUtf8(jours[k]),
                        CmdDate + k);
    AjouterCommande(QStringLiteral("Autre ..."), CmdAutreDate);
}

void TGrilleNotesTavelin::MenuCompte() {
    NouveauMenuTurbo(QStringLiteral("Compte dans la moyenne"));
    AjouterCommande(QStringLiteral("oui"), CmdCompteOui);
    AjouterCommande(QStringLiteral("non"), CmdCompteNon);
}

void TGrilleNotesTavelin::MenuType() {
    NouveauMenuTurbo(QStringLiteral("Type de notes"));
    typesMenu = Options::ChargerTypesDeNotes();
    for (int i = 0; i < typesMenu.size(); ++i)
        AjouterCommande(PourMenu(typesMenu.at(i)), CmdType + i);
}

void TGrilleNotesTavelin::MenuCoefficient() {
    NouveauMenuTurbo(QStringLiteral("Coefficient"));
    for (int k = 1; k <= 10; ++k)
        AjouterCommande(QString::number(k), CmdCoefficient + k);
    AjouterCommande(QStringLiteral("Autre ..."), CmdAutreCoefficient);
}

void TGrilleNotesTavelin::MenuNoteSur() {
    NouveauMenuTurbo(QStringLiteral("Noté sur"));
    const QStringList valeurs = NotesSurProposees();
    for (int i = 0; i < valeurs.size(); ++i)
        AjouterCommande(valeurs.at(i), CmdNoteSur + i);
    AjouterCommande(QStringLiteral("Autre ..."), CmdAutreNoteSur);
}

void TGrilleNotesTavelin::MenuOralEcrit() {
    NouveauMenuTurbo(QStringLiteral("Oral ou écrit"));
    AjouterCommande(QStringLiteral("Oral"), CmdOral);
    AjouterCommande(QStringLiteral("Ecrit"), CmdEcrit);
}

// ---- Commands --------------------------------------------------------------------------------

void TGrilleNotesTavelin::Commande(int numero) {
    const int c = colonneMenu, l = ligneMenu;
    if (!EstSerie(c)) return;
    const int p = Periode(), j = c + 1;
    TFichierTav* f = Fichier();

    if (numero == CmdModifierIntitule) {
        TFormEdit saisie(this, false, f->Intitule(p, j), QStringLiteral("Modifier intitulé"));
        if (saisie.exec() != QDialog::Accepted) return;
        f->ModifierIntitule(p, j, saisie.Texte());
        Modele()->CelluleChangee(c, 0);
        AjusterLargeurColonne(c);
    } else if (numero > CmdDeplacerVers && numero <= CmdDeplacerVers + f->NombrePeriodes()) {
        DeplacerSerie(j, numero - CmdDeplacerVers);
    } else if (numero == CmdCopierNotes || numero == CmdCopierNotesEtStatistiques) {
        CopierNotes(j, numero == CmdCopierNotesEtStatistiques);
    } else if (numero == CmdCollerNotes) {
        CollerNotes(j);
    } else if (numero >= CmdDecalerBas && numero <= CmdCollerNote) {
        // The marks commands need the student clicked.
        if (!EstEleve(l)) return;
        if (numero == CmdDecalerBas || numero == CmdDecalerHaut)
            DecalerNotes(j, l, numero == CmdDecalerBas);
        else if (numero == CmdCopierNote)
            EcrirePressePapiers(f->Note(p, j, l) + QStringLiteral("\r\n"));
        else
            CollerNote(j, l);
    } else if (numero >= CmdDate && numero < CmdDate + 5) {
        ChoisirDate(j,
                    TSelecteurDate::TexteDate(QDate::currentDate().addDays(numero - CmdDate - 2)));
    } else if (numero == CmdAutreDate) {
        TFormCalendrier calendrier(this, QDate::currentDate());
        if (calendrier.exec() == QDialog::Accepted)
            ChoisirDate(j, TSelecteurDate::TexteDate(calendrier.Date()));
    } else if (numero == CmdCompteOui || numero == CmdCompteNon) {
        ChoisirCompte(j, numero == CmdCompteOui ? QStringLiteral("oui") : QStringLiteral("non"));
    } else if (numero > CmdCoefficient && numero <= CmdCoefficient + 10) {
        ChoisirCoefficient(j, QString::number(numero - CmdCoefficient));
    } else if (numero == CmdAutreCoefficient) {
        TFormEdit saisie(this, true, f->Coefficient(p, j),
                         QStringLiteral("Coefficient de la série"));
        if (saisie.exec() == QDialog::Accepted) ChoisirCoefficient(j, saisie.Texte());
    } else if (numero >= CmdNoteSur && numero < CmdNoteSur + NotesSurProposees().size()) {
        ChoisirNoteSur(j, NotesSurProposees().at(numero - CmdNoteSur));
    } else if (numero == CmdAutreNoteSur) {
        TFormEdit saisie(this, true, f->NoteSur(p, j), QStringLiteral("Noté sur"));
        if (saisie.exec() == QDialog::Accepted) ChoisirNoteSur(j, saisie.Texte());
    } else if (numero == CmdOral || numero == CmdEcrit) {
        ChoisirOral(j, numero == CmdOral);
    } else if (numero >= CmdType && numero < CmdType + typesMenu.size()) {
        ChoisirType(j, typesMenu.at(numero - CmdType));
    }
}

void TGrilleNotesTavelin::DeplacerSerie(int j, int periodeCible) {
    const int p = Periode();
    if (periodeCible == p) return;
    try {
        Fichier()->DeplacerSerie(p, j, periodeCible);
    } catch (const TTavException& e) {
        Erreur(this, e.Message());
        return;
    }
    // In a sheet, the document's signal refreshes the grids and the labels.
    if (!Feuille()) NotifPeriode(p, 0);
}

void TGrilleNotesTavelin::CopierNotes(int j, bool avecStatistiques) {
    const TFichierTav* f = Fichier();
    const int p = Periode();
    const QString fin = QStringLiteral("\r\n");
    QString texte;
    for (int s = 1; s <= N(); ++s) {
        if (avecStatistiques) texte += f->NomEleve(s) + QLatin1Char(' ');
        texte += f->Note(p, j, s) + fin;
    }
    if (avecStatistiques) {
        const QString sur = QStringLiteral("/") + f->NoteSur(p, j);
        texte += fin;
        texte += QStringLiteral("Nombre d'élèves présents : ") + f->NombreNotesSerie(p, j) + fin;
        texte += QStringLiteral("Minimum : ") + f->MinimumSerie(p, j) + sur + fin;
        texte += QStringLiteral("Maximum : ") + f->MaximumSerie(p, j) + sur + fin;
        texte += QStringLiteral("Moyenne : ") + f->MoyenneSerie(p, j) + sur + fin;
        texte += QStringLiteral("Ecart type : ") + f->EcartTypeSerie(p, j) + fin;
        texte += QStringLiteral("% notes < moyenne : ") + f->PourcentageSousMoyenne(p, j) + fin;
        texte +=
            QStringLiteral("% notes < moyenne classe : ") + f->PourcentageSousMoyenneClasse(p, j);
    }
    EcrirePressePapiers(texte);
}

void TGrilleNotesTavelin::CollerNotes(int j) {
    QStringList lignes = LignesPressePapiers();
    const int nombre = std::min<int>(N(), int(lignes.size()));
    if (nombre <= 0) return;
    lignes = lignes.mid(0, nombre);
    if (!Tav::TexteEnregistrable(this, lignes.join(QLatin1Char('\n')))) return;
    // Each changed mark is announced: the column and the averages follow, once for the batch.
    std::optional<TDocumentClasse::TLot> lot;
    if (Feuille()) lot.emplace(Feuille()->Document());
    for (int s = 1; s <= nombre; ++s)
        Fichier()->ModifierNote(Periode(), j, lignes.at(s - 1), s);
}

void TGrilleNotesTavelin::DecalerNotes(int j, int eleve, bool versLeBas) {
    TFichierTav* f = Fichier();
    const int p = Periode(), n = N();
    // Down from the last student and up from the first change nothing.
    if (versLeBas ? eleve >= n : eleve <= 1) return;
    std::optional<TDocumentClasse::TLot> lot;
    if (Feuille()) lot.emplace(Feuille()->Document());
    if (versLeBas) {
        for (int s = n; s > eleve; --s)
            f->ModifierNote(p, j, f->Note(p, j, s - 1), s);
    } else {
        for (int s = 1; s < eleve; ++s)
            f->ModifierNote(p, j, f->Note(p, j, s + 1), s);
    }
    f->ModifierNote(p, j, QString(), eleve);
}

void TGrilleNotesTavelin::CollerNote(int j, int eleve) {
    const QStringList lignes = LignesPressePapiers();
    if (lignes.isEmpty() || !Tav::TexteEnregistrable(this, lignes.first())) return;
    Fichier()->ModifierNote(Periode(), j, lignes.first(), eleve);
}

void TGrilleNotesTavelin::AttributModifie(int colonne, bool redessiner) {
    // In a sheet, the document's signal refreshes the column and the period's averages.
    if (!Feuille()) {
        NotifColonne(colonne);
        return;
    }
    // A new maximum changes the colours of the marks in every grid.
    if (redessiner) Feuille()->NotifRedessiner();
}

void TGrilleNotesTavelin::ChoisirDate(int j, const QString& date) {
    Fichier()->ModifierDateSerie(Periode(), j, date);
    AttributModifie(j - 1, false);
}

void TGrilleNotesTavelin::ChoisirCompte(int j, const QString& valeur) {
    if (Fichier()->CompteDansMoyenne(Periode(), j) == valeur) return;
    Fichier()->ModifierCompteDansMoyenne(Periode(), j, valeur);
    AttributModifie(j - 1, false);
}

void TGrilleNotesTavelin::ChoisirCoefficient(int j, const QString& valeur) {
    if (Fichier()->Coefficient(Periode(), j) == valeur) return;
    Fichier()->ModifierCoefficient(Periode(), j, valeur);
    AttributModifie(j - 1, false);
}

void TGrilleNotesTavelin::ChoisirNoteSur(int j, const QString& valeur) {
    if (Fichier()->NoteSur(Periode(), j) == valeur) return;
    Fichier()->ModifierNoteSur(Periode(), j, valeur);
    AttributModifie(j - 1, true);
}

void TGrilleNotesTavelin::ChoisirOral(int j, bool oral) {
    const QString valeur = oral ? QStringLiteral("Oral") : QStringLiteral("Ecrit");
    if (Fichier()->OralEcrit(Periode(), j) == valeur) return;
    Fichier()->ModifierOral(Periode(), j, oral);
    AttributModifie(j - 1, false);
}

void TGrilleNotesTavelin::ChoisirType(int j, const QString& type) {
    if (!Tav::TexteEnregistrable(this, type)) return;
    Fichier()->ModifierTypeNotes(Periode(), j, type);
    AttributModifie(j - 1, false);
}
