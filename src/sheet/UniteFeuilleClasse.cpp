#include "UniteFeuilleClasse.h"

#include "_FormCreerListeEleves.h"
#include "_FormHint.h"
#include "_FormImprimer.h"
#include "_FormInformationsSeries.h"
#include "_FormNouvelleClasse.h"
#include "_TGrilleGenerique.h"
#include "_TGrilleNotes.h"
#include "tavX_commandesSeries.h"
#include "tavX_ecritureSure.h"

#include "tavX_actions.h"
#include "tavX_documentClasse.h"
#include "tavX_exceptions.h"
#include "tavX_fichierTav.h"
#include "tavX_garde.h"
#include "tavX_gestionnaireClasses.h"
#include "tavX_globales.h"
#include "tavX_grilleFeuille.h"
#include "tavX_interlocuteur.h"
#include "tavX_mesure.h"
#include "tavX_options.h"
#include "tavX_panneauGrille.h"
#include "tavX_programme.h"
#include "tavX_rangeeOnglets.h"
#include "tavX_reglages.h"
#include "tavX_saisieTexte.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QProgressDialog>
#include <QSplitter>
#include <QStackedWidget>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>
#include <utility>

namespace {

constexpr int LargeurPanel4 = 20;
constexpr int LargeurElevesInitiale = 200;

// A menu item; a command that fails tells why and leaves the sheet open (see tavX_garde.h).
QAction* Commande(QObject* contexte, QMenu* menu, const QString& texte,
                  std::function<void()> action, const QKeySequence& raccourci = {}) {
    QAction* a = menu->addAction(texte);
    if (!raccourci.isEmpty()) a->setShortcut(raccourci);
    QObject::connect(a, &QAction::triggered, contexte, [contexte, action] {
        Tav::Garder("commande de menu", qobject_cast<QWidget*>(contexte), action);
    });
    return a;
}

void Activer(QAction* action, bool condition) {
    if (action) action->setEnabled(condition);
}

bool TexteDansPressePapiers() {
    const QMimeData* donnees = QApplication::clipboard()->mimeData();
    return donnees && donnees->hasText() && !QApplication::clipboard()->text().isEmpty();
}

QStringList LignesPressePapiers() {
    QString texte = QApplication::clipboard()->text();
    texte.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    texte.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return texte.split(QLatin1Char('\n'));
}

QString NomSansDossier(const QString& chemin) {
    return QFileInfo(chemin).fileName();
}

// A framed label of the bottom bar: it gives way to the page tabs when the sheet is narrow,
// its text then cut with "…" and shown whole in its tooltip. text() stays the whole text.
class TEtiquetteBarre : public QLabel {
public:
    using QLabel::QLabel;

    QSize minimumSizeHint() const override {
        const QSize indication = QLabel::minimumSizeHint();
        const int marges = 2 * (frameWidth() + margin()) + indent();
        return QSize(marges + fontMetrics().horizontalAdvance(QStringLiteral("M…")),
                     indication.height());
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter peintre(this);
        drawFrame(&peintre);
        const QRect zone =
            contentsRect().adjusted(margin() + indent(), margin(), -margin(), -margin());
        const QString coupe = fontMetrics().elidedText(text(), Qt::ElideRight, zone.width());
        peintre.setPen(palette().color(foregroundRole()));
        peintre.drawText(zone, int(Qt::AlignLeft | Qt::AlignVCenter), coupe);
        const QString bulle = coupe == text() ? QString() : text();
        if (toolTip() != bulle) setToolTip(bulle);
    }
};

QLabel* Etiquette(QWidget* parent) {
    auto* etiquette = new TEtiquetteBarre(parent);
    etiquette->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    etiquette->setFrameShape(QFrame::Panel);
    etiquette->setFrameShadow(QFrame::Sunken);
    etiquette->setMargin(2);
    etiquette->setIndent(4);
    etiquette->setTextFormat(Qt::PlainText);
    return etiquette;
}

QToolButton* PetitBouton(QWidget* parent, Programme::TImage image, const QString& bulle) {
    auto* bouton = new QToolButton(parent);
    bouton->setIcon(Programme::Icone(image));
    bouton->setToolTip(bulle);
    bouton->setStatusTip(bulle);
    bouton->setAutoRaise(true);
    bouton->setFocusPolicy(Qt::NoFocus);
    return bouton;
}

} // namespace

// ---- Creation --------------------------------------------------------------------------------

TFeuilleClasse* TFeuilleClasse::Creer(TGestionnaireClasses* gestionnaire,
                                      const QString& cheminDemande) {
    QElapsedTimer chrono;
    chrono.start();
    const QString chemin =
        cheminDemande.isEmpty() ? QString() : QFileInfo(cheminDemande).absoluteFilePath();

    auto fichier = std::make_unique<TFichierTav>(chemin);
    const double dureeChargement = chrono.nsecsElapsed() / 1.0e6;
    if (!fichier->EstValide()) {
        QString texte = QStringLiteral("Le fichier ") + QDir::toNativeSeparators(cheminDemande) +
                        QStringLiteral(" n'est pas un fichier Tavelin valide.");
        if (!fichier->CauseInvalidite().isEmpty())
            texte += QStringLiteral("\n\n") + fichier->CauseInvalidite();
        Erreur(nullptr, texte);
        gestionnaire->NotifBoutons();
        return nullptr;
    }
    if (chemin.isEmpty()) {
        // Cancelled: no sheet, nothing said.
        if (const auto& dialogue = TGestionnaireClasses::Extensions().nouvelleClasse) {
            if (!dialogue(*fichier, gestionnaire->Fenetre())) return nullptr;
        } else {
            TFormNouvelleClasse formulaire(
                gestionnaire->Fenetre(), TFormNouvelleClasse::ModeNouvelleClasse,
                gestionnaire->Logo(), QStringLiteral("Nouvelle classe"), fichier.get());
            if (formulaire.exec() != QDialog::Accepted) return nullptr;
        }
    }

    auto* feuille = new TFeuilleClasse(gestionnaire, std::move(fichier), chemin);
    feuille->chronoOuverture = chrono;
    gestionnaire->AjouterFeuille(feuille);

    gestionnaire->AjouterAHistorique(chemin);
    feuille->NotifOnglets();
    feuille->NotifTitre();
    feuille->NotifStatut(0);
    gestionnaire->NotifOngletsClasses();
    feuille->EquilibrerPanneaux();
    gestionnaire->NotifBoutons();

    if (Mesure::Active()) {
        Mesure::Ecrire(QStringLiteral("ouverture de %1 : chargement %2 ms, fenêtre créée %3 ms")
                           .arg(chemin.isEmpty() ? QStringLiteral("(nouvelle classe)") : chemin)
                           .arg(dureeChargement, 0, 'f', 1)
                           .arg(chrono.nsecsElapsed() / 1.0e6, 0, 'f', 1));
        feuille->premierAffichageMesure = true;
    }
    return feuille;
}

TFeuilleClasse::TFeuilleClasse(TGestionnaireClasses* gestionnaire,
                               std::unique_ptr<TFichierTav> fichierTav, const QString& chemin)
    : QWidget(nullptr), gestionnaire(gestionnaire),
      document(std::make_unique<TDocumentClasse>(std::move(fichierTav), chemin)),
      fichier(&document->Fichier()), logo(gestionnaire->Logo()) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(420, 260);

    CreerPages();
    CreerBarreDuBas();

    auto* disposition = new QVBoxLayout(this);
    disposition->setContentsMargins(2, 2, 2, 2);
    disposition->setSpacing(2);
    disposition->addWidget(pages, 1);
    auto* bas = findChild<QWidget*>(QStringLiteral("BarreDuBas"));
    disposition->addWidget(bas);

    // Period tabs, and the current period.
    const QStringList periodes = fichier->ListePeriodes();
    tabControlGrillesNotes->DefinirOnglets(periodes);
    tabControlGrillesBilan->DefinirOnglets(periodes + QStringList{QStringLiteral("Sur l'année")});
    tabControlGraphes->DefinirOnglets(periodes);
    periodeCourante = PeriodeInitiale(*fichier);
    tabControlGrillesNotes->SelectionnerOnglet(periodeCourante - 1);
    tabControlGrillesBilan->SelectionnerOnglet(0);
    tabControlGraphes->SelectionnerOnglet(0);

    tabSet1->setCurrentIndex(PageNotes);
    pages->setCurrentIndex(PageNotes);

    CreerGrilles();
    CreerMenus();
    ConstruireMenusVues();
    PreparerMenuCopier();
    ActualiserPanneaux();
    NotifModifie();
    ConnecterDocument();

    // The settings shared by every class: a scale or a rounding changed anywhere drops this
    // class's computed averages at once (whoever reads them next gets them right), the views
    // follow once the batch of changes (an options dialog) is over.
    TReglages& reglages = TReglages::Instance();
    connect(&reglages, &TReglages::modifie, this, [this](const QString& cle) {
        const TReglages::TPortee portee = TReglages::Portee(cle);
        if (portee == TReglages::Calculs) NotifToutRecalculer();
        if (portee != TReglages::Aucune) reglagesARafraichir = true;
    });
    connect(&reglages, &TReglages::modificationsTerminees, this, [this] {
        if (std::exchange(reglagesARafraichir, false)) ReglagesModifies();
    });

    texteDansPressePapiers = TexteDansPressePapiers();
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, [this] {
        texteDansPressePapiers = TexteDansPressePapiers();
        ActualiserCommandes();
    });
    connect(qApp, &QApplication::focusChanged, this, &TFeuilleClasse::ActualiserCommandes);
    ActualiserCommandes();
}

TFeuilleClasse::~TFeuilleClasse() {
    // The grids go after this part of the sheet: the focus, clipboard and settings changes they
    // may cause find no sheet to update.
    disconnect(qApp, nullptr, this, nullptr);
    disconnect(QApplication::clipboard(), nullptr, this, nullptr);
    disconnect(&TReglages::Instance(), nullptr, this, nullptr);
    // The grids read and write the class file the document owns: they go now, while the
    // document and the rest of the sheet are whole (members go before the child widgets).
    grilles = {};
    delete pages;
    pages = nullptr;
}

int TFeuilleClasse::PeriodeInitiale(const TFichierTav& fichier) {
    for (int p = fichier.NombrePeriodes(); p >= 1; --p) {
        if (fichier.NombreSeries(p) > 0) return p;
    }
    return 1;
}

void TFeuilleClasse::CreerPages() {
    pages = new QStackedWidget(this);

    // Page "Grilles de notes": students, grades, then the averages at the right.
    tabControlGrillesNotes = new TRangeeOnglets(pages);
    auto* zoneNotes = new QWidget;
    panelEleves = new TPanneauGrille(QStringLiteral("Pas d'élève dans la classe"), zoneNotes);
    panelEleves->setObjectName(QStringLiteral("PanelEleves"));
    panelEleves->setFixedWidth(LargeurElevesInitiale);
    panelNotes =
        new TPanneauGrille(QStringLiteral("Pas de séries de notes pour cette période"), zoneNotes);
    panelNotes->setObjectName(QStringLiteral("PanelNotes"));
    panelNotes->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Expanding);

    panel2 = new QWidget(zoneNotes);
    panel2->setObjectName(QStringLiteral("Panel2"));
    panel2->setMinimumWidth(LargeurPanel4);
    panel4 = new QWidget(panel2);
    panel4->setObjectName(QStringLiteral("Panel4"));
    panel4->setFixedWidth(LargeurPanel4);
    speedButtonMoyennes = PetitBouton(panel4, Programme::TImage::AgrandirMoyennes,
                                      QStringLiteral("Agrandir / réduire la grille des moyennes"));
    speedButtonNotes = PetitBouton(panel4, Programme::TImage::AgrandirNotes,
                                   QStringLiteral("Agrandir / réduire la grille des notes"));
    speedButtonEgaliserPanneau =
        PetitBouton(panel4, Programme::TImage::Equilibrer,
                    QStringLiteral("Equilibrer la taille entre la grille des notes et la grillle "
                                   "des moyennes"));
    for (QToolButton* bouton :
         {speedButtonMoyennes, speedButtonNotes, speedButtonEgaliserPanneau}) {
        bouton->setFixedSize(LargeurPanel4, 22);
        bouton->setIconSize(QSize(14, 14));
    }
    connect(speedButtonMoyennes, &QToolButton::clicked, this,
            Tav::Garde("bouton des panneaux", this, [this] { BoutonMoyennes(); }));
    connect(speedButtonNotes, &QToolButton::clicked, this,
            Tav::Garde("bouton des panneaux", this, [this] { BoutonNotes(); }));
    connect(speedButtonEgaliserPanneau, &QToolButton::clicked, this,
            Tav::Garde("bouton des panneaux", this, [this] { EquilibrerPanneaux(); }));
    auto* colonneBoutons = new QVBoxLayout(panel4);
    colonneBoutons->setContentsMargins(0, 0, 0, 0);
    colonneBoutons->setSpacing(2);
    colonneBoutons->addWidget(speedButtonMoyennes);
    colonneBoutons->addWidget(speedButtonNotes);
    colonneBoutons->addWidget(speedButtonEgaliserPanneau);
    colonneBoutons->addStretch(1);

    panelMoyennes = new TPanneauGrille(QString(), panel2);
    panelMoyennes->setObjectName(QStringLiteral("PanelMoyennes"));
    panelMoyennes->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Expanding);
    auto* dispositionPanel2 = new QHBoxLayout(panel2);
    dispositionPanel2->setContentsMargins(0, 0, 0, 0);
    dispositionPanel2->setSpacing(0);
    dispositionPanel2->addWidget(panel4);
    dispositionPanel2->addWidget(panelMoyennes, 1);

    separateur = new QSplitter(Qt::Horizontal, zoneNotes);
    separateur->setChildrenCollapsible(true);
    separateur->addWidget(panelNotes);
    separateur->addWidget(panel2);
    separateur->setCollapsible(0, true);
    separateur->setCollapsible(1, false);
    separateur->setStretchFactor(0, 1);
    separateur->setStretchFactor(1, 1);

    auto* dispositionNotes = new QHBoxLayout(zoneNotes);
    dispositionNotes->setContentsMargins(0, 0, 0, 0);
    dispositionNotes->setSpacing(2);
    dispositionNotes->addWidget(panelEleves);
    dispositionNotes->addWidget(separateur, 1);
    tabControlGrillesNotes->DefinirContenu(zoneNotes);
    connect(tabControlGrillesNotes, &TRangeeOnglets::ongletChoisi, this,
            Tav::Garde("choix de la période", this, [this](int i) { ChoisirPeriode(i); }));

    // Page "Grilles de bilans".
    tabControlGrillesBilan = new TRangeeOnglets(pages);
    panelBilan = new TPanneauGrille(QString());
    panelBilan->setObjectName(QStringLiteral("PanelBilan"));
    tabControlGrillesBilan->DefinirContenu(panelBilan);
    connect(tabControlGrillesBilan, &TRangeeOnglets::ongletChoisi, this,
            Tav::Garde("choix du bilan", this, [this](int i) { ChoisirOngletBilan(i); }));

    // Page "Graphes": the graph's student list at the left, the chart in the period tabs.
    auto* pageGraphes = new QWidget(pages);
    panelElevesGraphe =
        new TPanneauGrille(QStringLiteral("Pas d'élève dans la classe"), pageGraphes);
    panelElevesGraphe->setObjectName(QStringLiteral("PanelElevesGraphe"));
    panelElevesGraphe->setFixedWidth(LargeurElevesInitiale);
    tabControlGraphes = new TRangeeOnglets(pageGraphes);
    panelGraphe = new TPanneauGrille(QString());
    panelGraphe->setObjectName(QStringLiteral("Chart1"));
    tabControlGraphes->DefinirContenu(panelGraphe);
    CreerGraphe();
    connect(tabControlGraphes, &TRangeeOnglets::ongletChoisi, this,
            Tav::Garde("choix du graphe", this, [this](int i) { ChoisirOngletGraphe(i); }));
    auto* dispositionGraphes = new QHBoxLayout(pageGraphes);
    dispositionGraphes->setContentsMargins(0, 0, 0, 0);
    dispositionGraphes->setSpacing(2);
    dispositionGraphes->addWidget(panelElevesGraphe);
    dispositionGraphes->addWidget(tabControlGraphes, 1);

    pages->addWidget(tabControlGrillesNotes);
    pages->addWidget(tabControlGrillesBilan);
    pages->addWidget(pageGraphes);
}

void TFeuilleClasse::CreerBarreDuBas() {
    auto* bas = new QWidget(this);
    bas->setObjectName(QStringLiteral("BarreDuBas"));

    imageFeuVert = new QLabel(bas);
    imageFeuVert->setPixmap(Programme::Icone(Programme::TImage::FeuVert).pixmap(16, 16));
    imageFeuVert->setToolTip(QStringLiteral("Fichier non modifié : sauvegarde inutile"));
    imageFeuVert->setStatusTip(imageFeuVert->toolTip());
    imageFeuRouge = new QLabel(bas);
    imageFeuRouge->setPixmap(Programme::Icone(Programme::TImage::FeuRouge).pixmap(16, 16));
    imageFeuRouge->setToolTip(QStringLiteral("Fichier modifié : sauvegarde nécessaire"));
    imageFeuRouge->setStatusTip(imageFeuRouge->toolTip());

    speedButtonRecalculerMoyennes = PetitBouton(bas, Programme::TImage::Recalculer,
                                                QStringLiteral("Recalculer toutes les moyennes"));
    speedButtonRecalculerMoyennes->setIconSize(QSize(16, 16));
    connect(speedButtonRecalculerMoyennes, &QToolButton::clicked, this,
            Tav::Garde("recalcul des moyennes", this, [this] { RecalculerMoyennes(); }));

    tabSet1 = new QTabBar(bas);
    tabSet1->setShape(QTabBar::RoundedSouth);
    tabSet1->setDrawBase(false);
    tabSet1->setExpanding(false);
    tabSet1->setFocusPolicy(Qt::NoFocus);
    tabSet1->addTab(QStringLiteral("Grilles de &notes"));
    tabSet1->addTab(QStringLiteral("Grilles de &bilans"));
    tabSet1->addTab(QStringLiteral("&Graphes"));
    tabSet1->setUsesScrollButtons(false);
    tabSet1->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(tabSet1, &QTabBar::currentChanged, this,
            Tav::Garde("choix de la page", this, [this](int page) {
                if (page >= 0) ChoisirPage(page);
            }));

    label2 = Etiquette(bas);
    label2->setObjectName(QStringLiteral("Label2"));
    label1 = Etiquette(bas);
    label1->setObjectName(QStringLiteral("Label1"));
    label3 = Etiquette(bas);
    label3->setObjectName(QStringLiteral("Label3"));

    auto* ligne = new QHBoxLayout(bas);
    ligne->setContentsMargins(2, 0, 2, 0);
    ligne->setSpacing(4);
    ligne->addWidget(imageFeuVert);
    ligne->addWidget(imageFeuRouge);
    ligne->addWidget(speedButtonRecalculerMoyennes);
    ligne->addWidget(tabSet1, 0, Qt::AlignTop);
    ligne->addSpacing(6);
    ligne->addWidget(label2);
    ligne->addSpacing(10);
    ligne->addWidget(label1);
    ligne->addSpacing(10);
    ligne->addWidget(label3);
    ligne->addStretch(1);
}

// ---- Menus -----------------------------------------------------------------------------------

void TFeuilleClasse::CreerMenus() {
    // The commands shared with the main window (tavX_actions.h) act on the active sheet: this
    // one, while its menus are shown.
    using Id = TActions::Id;
    menuFichier = new QMenu(QStringLiteral("&Fichier"), this);
    // Undo and redo come first: they name the step they undo or redo.
    menuFichier->addAction(TActions::Action(Id::Annuler));
    menuFichier->addAction(TActions::Action(Id::Retablir));
    menuFichier->addSeparator();
    menuFichier->addAction(TActions::Action(Id::Nouvelle));
    menuFichier->addAction(TActions::Action(Id::Ouvrir));
    menuFichier->addAction(TActions::Action(Id::Fermer));
    menuFichier->addSeparator();
    menuFichier->addAction(TActions::Action(Id::Configurer));
    Commande(this, menuFichier, QStringLiteral("Infor&mations sur la classe ..."),
             [this] { CommandeInformationsClasse(); });
    menuFichier->addSeparator();
    menuFichier->addAction(TActions::Action(Id::Enregistrer));
    menuFichier->addAction(TActions::Action(Id::EnregistrerSous));
    menuFichier->addAction(TActions::Action(Id::ToutEnregistrer));
    menuFichier->addSeparator();
    Commande(this, menuFichier, QStringLiteral("E&xporter ..."), [this] { CommandeExporter(); });
    menuCopier = menuFichier->addMenu(QStringLiteral("Copier le fic&hier sur le ..."));
    connect(menuCopier, &QMenu::aboutToShow, this, &TFeuilleClasse::PreparerMenuCopier);
    Commande(this, menuFichier, QStringLiteral("En&voyer le fichier par courrier électronique ..."),
             [this] { EnvoyerParCourrier(); });
    Commande(this, menuFichier, QStringLiteral("Clôner le fichier ..."),
             [this] { CommandeClonerFichier(); });
    menuFichier->addSeparator();
    menuFichier->addAction(TActions::Action(Id::Imprimer));
    Commande(this, menuFichier, QStringLiteral("&Configurer l'impression ..."),
             [this] { Impression::ConfigurerImpression(this); });
    menuFichier->addSeparator();
    actionQuitter = TActions::Action(Id::Quitter);
    menuFichier->addAction(actionQuitter);
    // The files opened lately follow "Quitter"; the manager keeps them current.
    gestionnaire->SuivreMenuHistorique(menuFichier, actionQuitter);
    connect(menuFichier, &QMenu::aboutToShow, this, &TFeuilleClasse::ActiverMenuFichier);

    menuEleves = new QMenu(QStringLiteral("&Liste des élèves"), this);
    actionCreerListe =
        Commande(this, menuEleves, QStringLiteral("C&réer  ..."), [this] { CommandeCreerListe(); });
    QMenu* importerEleves =
        menuEleves->addMenu(QStringLiteral("&Importer la liste des élèves ..."));
    Commande(this, importerEleves, QStringLiteral("depuis un fichier Tavelin"),
             [this] { CommandeImporterEleves(false); });
    Commande(this, importerEleves, QStringLiteral("depuis un fichier texte"),
             [this] { CommandeImporterEleves(true); });
    menuEleves->addSeparator();
    actionCollerNoms = Commande(
        this, menuEleves, QStringLiteral("C&oller les noms des élèves depuis le Presse-Papiers"),
        [this] { CollerNomsEleves(); });
    actionCollerDates = Commande(
        this, menuEleves, QStringLiteral("Co&ller les dates de naissance depuis le Presse-Papiers"),
        [this] { CollerDatesNaissance(); });
    actionCopierListe = Commande(
        this, menuEleves, QStringLiteral("&Copier la liste des élèves dans le Presse-Papiers"),
        [this] { CopierListeEleves(); });
    menuEleves->addSeparator();
    actionAjouterEleve = Commande(this, menuEleves, QStringLiteral("&Ajouter un élève ..."),
                                  [this] { CommandeAjouterEleve(); });
    actionSupprimerEleve = Commande(this, menuEleves, QStringLiteral("&Supprimer un élève ..."),
                                    [this] { CommandeSupprimerEleve(); });
    actionModifierEleve =
        Commande(this, menuEleves, QStringLiteral("&Modifier les informations d'un élève ..."),
                 [this] { CommandeModifierEleve(); });
    connect(menuEleves, &QMenu::aboutToShow, this, [this] {
        texteDansPressePapiers = TexteDansPressePapiers();
        ActiverMenuEleves();
    });

    menuSeries = new QMenu(QStringLiteral("&Série de notes"), this);
    actionAjouterSerie = Commande(
        this, menuSeries, QStringLiteral("&Ajouter une série de notes ..."),
        [this] { CommandeAjouterSerie(); }, QKeySequence(Qt::CTRL | Qt::Key_Insert));
    actionSupprimerSeries = Commande(
        this, menuSeries, QStringLiteral("&Supprimer des séries de notes ..."),
        [this] { CommandeSupprimerSeries(); }, QKeySequence(Qt::CTRL | Qt::Key_Delete));
    menuSeries->addSeparator();
    actionCreerSerie =
        Commande(this, menuSeries,
                 QStringLiteral("&Créer une série de notes à partir de plusieurs autres ..."),
                 [this] { CommandeCreerSerieDePlusieurs(); });
    actionTransformerSerie =
        Commande(this, menuSeries, QStringLiteral("&Transformer une série de notes ..."),
                 [this] { CommandeTransformerSerie(); });
    actionReorganiser =
        Commande(this, menuSeries, QStringLiteral("&Réorganiser les séries de notes ..."),
                 [this] { CommandeReorganiser(); });
    actionInformationsSeries =
        Commande(this, menuSeries, QStringLiteral("&Informations sur les séries de notes ..."),
                 [this] { CommandeInformationsSeries(); });
    menuSeries->addSeparator();
    menuImporterSerie = menuSeries->addMenu(QStringLiteral("Im&porter une série de notes ..."));
    Commande(this, menuImporterSerie, QStringLiteral("depuis un fichier Tavelin"),
             [this] { CommandeImporterSerieTav(); });
    Commande(this, menuImporterSerie, QStringLiteral("depuis un fichier texte"),
             [this] { CommandeImporterSerieTexte(); });
    Commande(this, menuSeries, QStringLiteral("Copier des modèles de séries de notes ..."),
             [this] { CommandeCopierModelesSeries(); });
    connect(menuSeries, &QMenu::aboutToShow, this, &TFeuilleClasse::ActiverMenuSeries);

    menuGraphes = new QMenu(QStringLiteral("G&raphes"), this);
    actionsGraphe << Commande(this, menuGraphes, QStringLiteral("Coller dans le Presse-Papiers"),
                              [this] { CopierGraphe(); });
    actionsGraphe << Commande(this, menuGraphes, QStringLiteral("&Exporter ..."),
                              [this] { ExporterGraphe(); });
    actionsGraphe << Commande(this, menuGraphes, QStringLiteral("&Imprimer ..."),
                              [this] { ImprimerGraphe(); });
    connect(menuGraphes, &QMenu::aboutToShow, this, &TFeuilleClasse::ActiverMenuGraphes);

    menuVues = new QMenu(QStringLiteral("&Vues"), this);
    menuVueNotes = menuVues->addMenu(QStringLiteral("Grille de &notes"));
    menuVueBilan = menuVues->addMenu(QStringLiteral("Grille de &bilan"));
    menuVueGraphes = menuVues->addMenu(QStringLiteral("&Graphes"));

    menuOutils = new QMenu(QStringLiteral("&Outils"), this);
    actionAppreciations =
        Commande(this, menuOutils, QStringLiteral("&Appréciations des bulletins ..."),
                 [this] { CommandeAppreciations(); });
    actionCopierAppreciations = Commande(
        this, menuOutils, QStringLiteral("C&opier les appréciations dans le Presse-Papiers ..."),
        [this] { CommandeCopierAppreciations(); });
    actionPoints = Commande(this, menuOutils, QStringLiteral("&Points en plus ou en moins"),
                            [this] { CommandePointsPlusMoins(); });
    Commande(this, menuOutils, QStringLiteral("&Bilan élève"), [this] { CommandeBilanEleve(); });
    menuOutils->addSeparator();
    menuOutils->addAction(TActions::Action(Id::Fusionner));
    menuOutils->addAction(TActions::Action(Id::RecupererBak));
    menuOutils->addAction(TActions::Action(Id::Sauvegarder));
    menuOutils->addAction(TActions::Action(Id::Bulletins));
    menuOutils->addAction(TActions::Action(Id::Calculatrice));
    connect(menuOutils, &QMenu::aboutToShow, this, &TFeuilleClasse::ActiverMenuOutils);

    menus = {menuFichier, menuEleves, menuSeries, menuGraphes, menuVues, menuOutils};
}

void TFeuilleClasse::ConstruireMenusVues() {
    menuVueNotes->clear();
    menuVueBilan->clear();
    menuVueGraphes->clear();
    const QStringList periodes = fichier->ListePeriodes();
    for (int i = 0; i < periodes.size(); ++i) {
        QString legende = periodes.at(i);
        legende.replace(QLatin1Char('&'), QStringLiteral("&&"));
        connect(menuVueNotes->addAction(legende), &QAction::triggered, this,
                Tav::Garde("menu Vues", this, [this, i] {
                    ChoisirPage(PageNotes);
                    tabControlGrillesNotes->Choisir(i);
                }));
        connect(menuVueBilan->addAction(legende), &QAction::triggered, this,
                Tav::Garde("menu Vues", this, [this, i] {
                    ChoisirPage(PageBilans);
                    tabControlGrillesBilan->Choisir(i);
                }));
        connect(menuVueGraphes->addAction(legende), &QAction::triggered, this,
                Tav::Garde("menu Vues", this, [this, i] {
                    ChoisirPage(PageGraphes);
                    tabControlGraphes->Choisir(i);
                }));
    }
    const int annee = int(periodes.size());
    connect(menuVueBilan->addAction(QStringLiteral("Sur l'année")), &QAction::triggered, this,
            Tav::Garde("menu Vues", this, [this, annee] {
                ChoisirPage(PageBilans);
                tabControlGrillesBilan->Choisir(annee);
            }));
}

void TFeuilleClasse::PreparerMenuCopier() {
    menuCopier->clear();
    const QStringList lecteurs = Globales::LecteursAmovibles();
    if (lecteurs.isEmpty()) {
        menuCopier->addAction(QStringLiteral("(aucun lecteur amovible)"))->setEnabled(false);
        return;
    }
    for (const QString& lecteur : lecteurs) {
#ifdef Q_OS_WIN
        QString legende = QStringLiteral("lecteur ") + lecteur + QLatin1Char(':');
#else
        QString legende = QStringLiteral("lecteur ") + lecteur;
#endif
        legende.replace(QLatin1Char('&'), QStringLiteral("&&"));
        connect(menuCopier->addAction(legende), &QAction::triggered, this,
                Tav::Garde("copie sur un lecteur", this,
                           [this, lecteur] { CopierSurLecteur(lecteur); }));
    }
}

void TFeuilleClasse::ActiverMenuFichier() {
    // The shared commands of the menu follow the active sheet.
    TActions::Actualiser();
}

void TFeuilleClasse::ActualiserCommandes() {
    if (!menuFichier) return; // the menus are not built yet
    ActiverMenuFichier();
    ActiverMenuEleves();
    ActiverMenuSeries();
    ActiverMenuGraphes();
    ActiverMenuOutils();
}

namespace {

// Whether an enabled item of the menu or of its submenus has that shortcut (the shared commands
// are items of the menu without being its children).
bool RaccourciDuMenu(const QMenu* menu, const QKeySequence& sequence) {
    for (const QAction* action : menu->actions()) {
        if (const QMenu* sous = action->menu()) {
            if (RaccourciDuMenu(sous, sequence)) return true;
            continue;
        }
        if (!action->isEnabled() || action->shortcut().isEmpty()) continue;
        if (action->shortcut().matches(sequence) == QKeySequence::ExactMatch) return true;
    }
    return false;
}

} // namespace

bool TFeuilleClasse::EstRaccourciDeLaFeuille(const QKeyEvent* touche) const {
    const QKeySequence sequence(touche->keyCombination());
    for (const QMenu* menu : menus)
        if (RaccourciDuMenu(menu, sequence)) return true;
    return false;
}

void TFeuilleClasse::ActiverMenuEleves() {
    const int n = fichier->NombreEleves();
    const bool texte = texteDansPressePapiers;
    Activer(actionCreerListe, n == 0);
    Activer(actionCollerNoms, n == 0 && texte);
    Activer(actionCollerDates, texte && n >= 1);
    Activer(actionCopierListe, n >= 1);
    Activer(actionAjouterEleve, n >= 1 && n <= 49);
    Activer(actionSupprimerEleve, n >= 1);
    Activer(actionModifierEleve, n >= 1);
}

void TFeuilleClasse::ActiverMenuSeries() {
    const int n = fichier->NombreEleves();
    const int annee = fichier->NombreSeriesAnnee();
    Activer(actionAjouterSerie, n >= 1);
    Activer(actionSupprimerSeries, annee >= 1);
    Activer(actionCreerSerie, annee > 1);
    Activer(actionTransformerSerie, annee >= 1);
    Activer(actionReorganiser, annee >= 1);
    Activer(actionInformationsSeries, annee >= 1);
    Activer(menuImporterSerie->menuAction(), n >= 1);
}

void TFeuilleClasse::ActiverMenuGraphes() {
    const bool grapheVisible = panelGraphe->GrilleAffichee() && panelGraphe->Grille();
    for (QAction* a : std::as_const(actionsGraphe))
        Activer(a, grapheVisible);
}

void TFeuilleClasse::ActiverMenuOutils() {
    const bool donnees = fichier->NombreEleves() > 0 && fichier->NombreSeries(periodeCourante) > 0;
    Activer(actionAppreciations, donnees);
    Activer(actionCopierAppreciations, donnees);
    Activer(actionPoints, donnees);
}

// ---- Identity --------------------------------------------------------------------------------

QString TFeuilleClasse::NomClasse() const {
    return fichier->Classe();
}
QString TFeuilleClasse::Matiere() const {
    return fichier->Matiere();
}
QString TFeuilleClasse::Enseignant() const {
    return fichier->Enseignant();
}

QMdiSubWindow* TFeuilleClasse::SousFenetre() const {
    return qobject_cast<QMdiSubWindow*>(parentWidget());
}

void TFeuilleClasse::Activation() {
    gestionnaire->NotifActivation(this);
}

// ---- Pages and tabs --------------------------------------------------------------------------

void TFeuilleClasse::ChoisirPage(int page) {
    TFormHint::Cacher();
    if (page < PageNotes || page > PageGraphes) return;
    if (tabSet1->currentIndex() != page) {
        // The tab set's own signal comes back here.
        tabSet1->setCurrentIndex(page);
        return;
    }
    pages->setCurrentIndex(page);
    switch (page) {
    case PageNotes: {
        const int p = tabControlGrillesNotes->Onglet() + 1;
        if (grilles.notes) grilles.notes->NotifPeriode(p, 0);
        if (grilles.moyennes) grilles.moyennes->NotifMoyennes(p, 0);
        NotifStatut(0);
        break;
    }
    case PageBilans:
        if (grilles.bilan) grilles.bilan->NotifPeriode(tabControlGrillesBilan->Onglet() + 1, 0);
        NotifStatut(1);
        break;
    case PageGraphes:
        if (grilles.elevesGraphe)
            grilles.elevesGraphe->NotifPeriode(tabControlGraphes->Onglet() + 1, 0);
        NotifStatut(1);
        break;
    }
    ActualiserPanneaux();
}

void TFeuilleClasse::ChoisirPeriode(int onglet) {
    TFormHint::Cacher();
    if (onglet < 0 || onglet >= fichier->NombrePeriodes()) return;
    tabControlGrillesNotes->SelectionnerOnglet(onglet);
    periodeCourante = onglet + 1;
    if (grilles.notes) grilles.notes->NotifPeriode(periodeCourante, 0);
    if (grilles.eleves) grilles.eleves->NotifPeriode(periodeCourante, 0);
    if (grilles.moyennes) grilles.moyennes->NotifMoyennes(periodeCourante, 0);
    NotifStatut(0);
    ActualiserPanneaux();
}

void TFeuilleClasse::ChoisirOngletBilan(int onglet) {
    TFormHint::Cacher();
    tabControlGrillesBilan->SelectionnerOnglet(onglet);
    if (grilles.bilan) grilles.bilan->NotifPeriode(onglet + 1, 0);
}

void TFeuilleClasse::ChoisirOngletGraphe(int onglet) {
    TFormHint::Cacher();
    tabControlGraphes->SelectionnerOnglet(onglet);
    if (grilles.elevesGraphe) grilles.elevesGraphe->NotifPeriode(onglet + 1, 0);
    ActualiserPanneaux();
}

void TFeuilleClasse::ActualiserPanneaux() {
    const bool eleves = fichier->NombreEleves() > 0;
    panelEleves->AfficherGrille(eleves);
    panelElevesGraphe->AfficherGrille(eleves);
    panelNotes->AfficherGrille(fichier->NombreSeries(periodeCourante) > 0);
    panelMoyennes->AfficherGrille(fichier->NombreSeries(periodeCourante) > 0);
    // The summary grid shows or hides itself, as its view has series or not.
    if (!grilles.bilan) panelBilan->AfficherGrille(true);
    const int periodeGraphe = tabControlGraphes->Onglet() + 1;
    panelGraphe->AfficherGrille(periodeGraphe >= 1 && periodeGraphe <= fichier->NombrePeriodes() &&
                                fichier->NombreSeries(periodeGraphe) > 0);
    ActualiserCommandes();
}

// ---- Grid areas ------------------------------------------------------------------------------

int TFeuilleClasse::LargeurNotes() const {
    return separateur->sizes().value(0);
}

int TFeuilleClasse::LargeurMoyennes() const {
    return std::max(0, separateur->sizes().value(1) - LargeurPanel4);
}

void TFeuilleClasse::DefinirLargeurs(int notes, int panneau2) {
    separateur->setSizes({std::max(0, notes), std::max(LargeurPanel4, panneau2)});
}

int TFeuilleClasse::PartNotesEquilibree(int largeurPanel4, int largeurNotes, int largeurMoyennes) {
    const int total = largeurPanel4 + largeurNotes + largeurMoyennes;
    const int moitie = total / 2;
    if (total % 2 == 0) return moitie;
    // A half: to the even neighbour.
    return (moitie % 2 == 0) ? moitie : moitie + 1;
}

void TFeuilleClasse::BoutonMoyennes() {
    const int notes = LargeurNotes();
    const int panneau2 = separateur->sizes().value(1);
    if (notes != 0) {
        largeurNotesRetenue = notes;
        DefinirLargeurs(0, panneau2 + notes);
        speedButtonNotes->setEnabled(false);
    } else {
        DefinirLargeurs(largeurNotesRetenue, panneau2 - largeurNotesRetenue);
        speedButtonNotes->setEnabled(true);
    }
}

void TFeuilleClasse::BoutonNotes() {
    const int notes = LargeurNotes();
    const int moyennes = LargeurMoyennes();
    if (moyennes != 0) {
        largeurMoyennesRetenue = moyennes;
        DefinirLargeurs(notes + moyennes, LargeurPanel4);
        speedButtonMoyennes->setEnabled(false);
    } else {
        DefinirLargeurs(notes - largeurMoyennesRetenue, LargeurPanel4 + largeurMoyennesRetenue);
        speedButtonMoyennes->setEnabled(true);
    }
}

void TFeuilleClasse::EquilibrerPanneaux() {
    const QList<int> tailles = separateur->sizes();
    if (tailles.value(0) + tailles.value(1) <= 0) {
        // Not laid out yet: done when the sheet gets its size.
        equilibreEnAttente = true;
        return;
    }
    equilibreEnAttente = false;
    const int notes = LargeurNotes(), moyennes = LargeurMoyennes();
    const int part = PartNotesEquilibree(LargeurPanel4, notes, moyennes);
    DefinirLargeurs(part, LargeurPanel4 + notes + moyennes - part);
    speedButtonMoyennes->setEnabled(true);
    speedButtonNotes->setEnabled(true);
}

void TFeuilleClasse::resizeEvent(QResizeEvent* evenement) {
    QWidget::resizeEvent(evenement);
    if (equilibreEnAttente) {
        QPointer<TFeuilleClasse> moi(this);
        QTimer::singleShot(0, this, [moi] {
            if (moi && moi->equilibreEnAttente) moi->EquilibrerPanneaux();
        });
    }
}

void TFeuilleClasse::paintEvent(QPaintEvent* evenement) {
    QWidget::paintEvent(evenement);
    if (premierAffichageMesure) {
        premierAffichageMesure = false;
        Mesure::Ecrire(QStringLiteral("ouverture de %1 : feuille affichée après %2 ms")
                           .arg(CheminFichier().isEmpty() ? QStringLiteral("(nouvelle classe)")
                                                          : CheminFichier())
                           .arg(chronoOuverture.nsecsElapsed() / 1.0e6, 0, 'f', 1));
    }
}

void TFeuilleClasse::RafraichirNotesEnAttente() {
    const auto series = std::exchange(seriesEnAttente, {});
    const auto eleves = std::exchange(elevesEnAttente, {});
    auto* notes = dynamic_cast<TGrilleNotesTavelin*>(grilles.notes);
    for (const auto& [periode, serie] : series)
        if (notes && notes->Periode() == periode) notes->NotifColonne(serie - 1);
    auto* moyennes = dynamic_cast<TGrilleGeneriqueTavelin*>(grilles.moyennes);
    for (const auto& [periode, eleve] : eleves)
        if (moyennes && moyennes->Periode() == periode) moyennes->NotifMoyennes(periode, eleve);
}

// ---- Notifications ---------------------------------------------------------------------------

void TFeuilleClasse::NotifSelectionLigne(int ligne, int colonne) {
    NotifSelectionNotes(ligne, colonne);
    if (ligne != 0 && grilles.moyennes) grilles.moyennes->SelectionnerCellules(ligne, 0, 3);
}

void TFeuilleClasse::NotifSelectionNotes(int ligne, int colonne) {
    const int series = fichier->NombreSeries(periodeCourante);
    if (series > 0 && ligne != 0 && grilles.notes) {
        if (colonne == -1)
            grilles.notes->SelectionnerCellules(ligne, 0, series - 1);
        else
            grilles.notes->SelectionnerCellules(ligne, colonne, colonne);
    }
    if (ligne != 0 && grilles.eleves) grilles.eleves->SelectionnerCellules(ligne, 1, 1);
}

void TFeuilleClasse::NotifDefilement(int ligneHaut) {
    for (TGrilleFeuille* grille : {grilles.notes, grilles.moyennes, grilles.eleves})
        if (grille) grille->DefilerVers(ligneHaut);
}

void TFeuilleClasse::NotifRecalculerBilan(int option) {
    fichier->InvaliderCalculs();
    if (grilles.bilan) grilles.bilan->NotifPeriode(tabControlGrillesBilan->Onglet() + 1, option);
}

void TFeuilleClasse::NotifEleves(int w, int l) {
    for (TGrilleFeuille* grille : {grilles.eleves, grilles.elevesGraphe, grilles.bilan})
        if (grille) grille->NotifEleves(w, l);
    ActualiserPanneaux();
}

void TFeuilleClasse::NotifRedessiner() {
    for (TGrilleFeuille* grille : {grilles.notes, grilles.eleves, grilles.moyennes, grilles.bilan})
        if (grille) grille->Redessiner();
    if (grilles.elevesGraphe)
        grilles.elevesGraphe->NotifPeriode(tabControlGraphes->Onglet() + 1, 0);
}

void TFeuilleClasse::NotifTitre() {
    const int n = fichier->NombreEleves();
    QString eleves;
    if (n == 0)
        eleves = QStringLiteral(" - aucun élève");
    else if (n == 1)
        eleves = QStringLiteral(" - 1 élève");
    else
        eleves = QStringLiteral(" - ") + QString::number(n) + QStringLiteral(" élèves");
    label2->setText(fichier->Classe() + eleves);
    const QString titre =
        fichier->Classe() + QStringLiteral(" - ") + NomSansDossier(CheminFichier());
    setWindowTitle(titre);
    // The frame shows a modified class by a "*" after its caption.
    if (QMdiSubWindow* sous = SousFenetre()) {
        sous->setWindowTitle(titre + QStringLiteral("[*]"));
        sous->setWindowModified(isWindowModified());
    }
    gestionnaire->NotifOngletsClasses();
    ActualiserCommandes();
}

void TFeuilleClasse::NotifMoyennes(int periode, int ligne) {
    if (grilles.moyennes)
        grilles.moyennes->NotifMoyennes(periode == 0 ? periodeCourante : periode, ligne);
}

void TFeuilleClasse::NotifNotes(int periode) {
    if (grilles.notes) grilles.notes->NotifPeriode(periode, 0);
}

void TFeuilleClasse::NotifModifie() {
    const bool modifie = fichier->EstModifie();
    imageFeuRouge->setVisible(modifie);
    imageFeuVert->setVisible(!modifie);
    // The sub-window's caption carries the "[*]" that shows it (see NotifTitre).
    setWindowModified(modifie);
    if (QMdiSubWindow* sous = SousFenetre()) sous->setWindowModified(modifie);
}

QString TFeuilleClasse::CheminFichier() const {
    return document->Chemin();
}

void TFeuilleClasse::ConnecterDocument() {
    TDocumentClasse* d = document.get();
    connect(d, &TDocumentClasse::modifieChange, this, [this] { NotifModifie(); });
    connect(d, &TDocumentClasse::notesChangees, this, &TFeuilleClasse::NoteChangee);
    connect(d, &TDocumentClasse::pointsChanges, this, &TFeuilleClasse::PointsChange);
    connect(d, &TDocumentClasse::serieChangee, this, &TFeuilleClasse::SerieChangee);
    connect(d, &TDocumentClasse::lotTermine, this, &TFeuilleClasse::RafraichirEnAttente);
    // The class name is in the caption, the class label and the class tabs; the file name in
    // the caption.
    connect(d, &TDocumentClasse::identiteChangee, this, [this] { NotifTitre(); });
    connect(d, &TDocumentClasse::cheminChange, this, [this] { NotifTitre(); });
    connect(d, &TDocumentClasse::elevesChanges, this, [this] { Changement(ChangementEleves); });
    connect(d, &TDocumentClasse::seriesChangees, this, [this] { Changement(ChangementSeries); });
    connect(d, &TDocumentClasse::reglagesCalculChanges, this,
            [this] { Changement(ChangementCalculs); });
    connect(d, &TDocumentClasse::appreciationsChangees, this,
            [this] { Changement(ChangementAppreciations); });
    connect(d, &TDocumentClasse::classeReinitialisee, this,
            [this] { Changement(ChangementClasse); });
}

void TFeuilleClasse::Changement(int quoi) {
    changementsEnAttente |= quoi;
    if (!document->EnLot()) RafraichirEnAttente();
}

void TFeuilleClasse::RafraichirEnAttente() {
    const int quoi = std::exchange(changementsEnAttente, 0);
    if (quoi & ChangementClasse) ReconstruireOngletsPeriodes();
    if (quoi & ChangementCalculs) NotifToutRecalculer();
    constexpr int Structure =
        ChangementEleves | ChangementSeries | ChangementCalculs | ChangementClasse;
    if (quoi & Structure) {
        // The columns and rows are rebuilt: the single columns and rows waiting are part of it.
        seriesEnAttente.clear();
        elevesEnAttente.clear();
        if (quoi & (ChangementEleves | ChangementClasse)) {
            RafraichirListesEleves();
            if (grilles.bilan) grilles.bilan->NotifEleves(0, 0);
        }
        RafraichirGrilles(quoi & (ChangementEleves | ChangementSeries | ChangementClasse));
    } else {
        RafraichirNotesEnAttente();
        if ((quoi & ChangementAppreciations) && grilles.bilan)
            grilles.bilan->NotifPeriode(tabControlGrillesBilan->Onglet() + 1, 0);
    }
}

void TFeuilleClasse::ReconstruireOngletsPeriodes() {
    const QStringList periodes = fichier->ListePeriodes();
    tabControlGrillesNotes->DefinirOnglets(periodes);
    tabControlGrillesBilan->DefinirOnglets(periodes + QStringList{QStringLiteral("Sur l'année")});
    tabControlGraphes->DefinirOnglets(periodes);
    periodeCourante = std::clamp(periodeCourante, 1, std::max(1, fichier->NombrePeriodes()));
    tabControlGrillesNotes->SelectionnerOnglet(periodeCourante - 1);
    tabControlGrillesBilan->SelectionnerOnglet(0);
    tabControlGraphes->SelectionnerOnglet(0);
    if (grilles.eleves) grilles.eleves->NotifPeriode(periodeCourante, 0);
    ConstruireMenusVues();
}

void TFeuilleClasse::SerieChangee(int periode, int serie) {
    // A title, a maximum, a weight...: the column, and the period's averages.
    if (!seriesEnAttente.contains(std::pair(periode, serie)))
        seriesEnAttente.append({periode, serie});
    EleveEnAttente(periode, 0);
    if (!document->EnLot()) RafraichirNotesEnAttente();
}

void TFeuilleClasse::NoteChangee(int periode, int serie, int eleve) {
    if (document->EnLot()) {
        // Many marks at once: each column and each period's averages once, at the end.
        if (!seriesEnAttente.contains(std::pair(periode, serie)))
            seriesEnAttente.append({periode, serie});
        EleveEnAttente(periode, eleve);
        return;
    }
    // A mark changed, whoever changed it: its column (header and statistics) and its student's
    // averages, where the grids show that period.
    auto* notes = dynamic_cast<TGrilleNotesTavelin*>(grilles.notes);
    if (notes && notes->Periode() == periode) notes->NotifColonne(serie - 1);
    auto* moyennes = dynamic_cast<TGrilleGeneriqueTavelin*>(grilles.moyennes);
    if (moyennes && moyennes->Periode() == periode) moyennes->NotifMoyennes(periode, eleve);
}

void TFeuilleClasse::EleveEnAttente(int periode, int eleve) {
    auto eleves = std::find_if(elevesEnAttente.begin(), elevesEnAttente.end(),
                               [periode](const auto& e) { return e.first == periode; });
    if (eleves == elevesEnAttente.end())
        elevesEnAttente.append({periode, eleve});
    else if (eleves->second != eleve)
        eleves->second = 0;
}

void TFeuilleClasse::PointsChange(int periode, int eleve) {
    // Points change a student's averages only: that row, where the averages show that period;
    // in a batch (a pasted column), each period's rows once at the end.
    if (document->EnLot()) {
        EleveEnAttente(periode, eleve);
        return;
    }
    auto* moyennes = dynamic_cast<TGrilleGeneriqueTavelin*>(grilles.moyennes);
    if (moyennes && moyennes->Periode() == periode) moyennes->NotifMoyennes(periode, eleve);
}

void TFeuilleClasse::NotifOnglets() {
    tabControlGrillesNotes->DefinirPlacement(Options::OngletsGrillesNotes());
    tabControlGrillesBilan->DefinirPlacement(Options::OngletsGrillesBilans());
    tabControlGraphes->DefinirPlacement(Options::OngletsGraphes());
}

QString TFeuilleClasse::TexteNombreNotes(int nombre) {
    if (nombre == 0) return QStringLiteral("Aucune note");
    if (nombre == 1) return QStringLiteral("Une note");
    return QString::number(nombre) + QStringLiteral(" notes");
}

QString TFeuilleClasse::TexteNombreSeries(const QString& debut, int nombre) {
    if (nombre == 0) return debut + QStringLiteral(" : aucune série de notes");
    if (nombre == 1) return debut + QStringLiteral(" : 1 série de notes");
    return debut + QStringLiteral(" : ") + QString::number(nombre) +
           QStringLiteral(" séries de notes");
}

void TFeuilleClasse::NotifStatut(int option) {
    if (option != 0) {
        label1->hide();
        label3->hide();
        return;
    }
    const int s = fichier->NombreSeries(periodeCourante);
    const int y = fichier->NombreSeriesAnnee();
    const int n = fichier->NombreEleves();
    label1->setText(TexteNombreSeries(fichier->NomPeriode(periodeCourante), s) +
                    QStringLiteral(" - ") + TexteNombreNotes(n * s));
    label3->setText(TexteNombreSeries(QStringLiteral("Sur l'année"), y) + QStringLiteral(" - ") +
                    TexteNombreNotes(n * y));
    label1->show();
    label3->show();
    ActualiserCommandes();
}

void TFeuilleClasse::NotifLargeurEleves(int largeur) {
    panelEleves->setFixedWidth(largeur + 2);
    panelElevesGraphe->setFixedWidth(largeur + 2);
}

void TFeuilleClasse::NotifToutRecalculer() {
    for (int p = 1; p <= fichier->NombrePeriodes(); ++p)
        fichier->MarquerPeriode(p, true);
    fichier->InvaliderCalculs();
}

void TFeuilleClasse::RafraichirGrilles(bool seriesChangees) {
    fichier->InvaliderCalculs();
    if (grilles.notes) grilles.notes->NotifPeriode(periodeCourante, 0);
    if (grilles.moyennes) grilles.moyennes->NotifMoyennes(periodeCourante, 0);
    if (grilles.bilan) grilles.bilan->NotifPeriode(tabControlGrillesBilan->Onglet() + 1, 0);
    if (seriesChangees) NotifStatut(0);
    ActualiserPanneaux();
}

void TFeuilleClasse::RafraichirListesEleves() {
    if (grilles.eleves) grilles.eleves->NotifEleves(0, 0);
    if (grilles.elevesGraphe) grilles.elevesGraphe->NotifEleves(0, 0);
    ActualiserPanneaux();
    NotifTitre();
}

void TFeuilleClasse::RecalculerMoyennes() {
    NotifToutRecalculer();
    switch (pages->currentIndex()) {
    case PageNotes: {
        const int p = tabControlGrillesNotes->Onglet() + 1;
        if (grilles.notes) grilles.notes->NotifPeriode(p, 0);
        if (grilles.moyennes) grilles.moyennes->NotifMoyennes(p, 0);
        break;
    }
    case PageBilans:
        if (grilles.bilan) grilles.bilan->NotifPeriode(tabControlGrillesBilan->Onglet() + 1, 0);
        break;
    case PageGraphes:
        if (grilles.elevesGraphe)
            grilles.elevesGraphe->NotifPeriode(tabControlGraphes->Onglet() + 1, 0);
        break;
    }
}

// ---- Saving ----------------------------------------------------------------------------------

bool TFeuilleClasse::QuestionAncienFormat() {
    if (!fichier->EstImporte()) return true;
    return Question(this,
                    QStringLiteral("Le fichier \"") + NomSansDossier(fichier->NomFichier()) +
                        QStringLiteral("\" que vous allez enregistrer est au format d'une ancienne "
                                       "version de Tavelin.") +
                        QStringLiteral("\n\r\n\r") +
                        QStringLiteral("Si vous confirmez, il sera enregistré au nouveau format "
                                       "mais ne pourra plus être relu par l'ancienne version.") +
                        QStringLiteral("\n\r\n\r") +
                        QStringLiteral("Voulez vous enregistrer ce fichier ?"),
                    TIcone::Erreur);
}

void TFeuilleClasse::TerminerSaisies() {
    for (TGrilleFeuille* g :
         {grilles.eleves, grilles.notes, grilles.moyennes, grilles.bilan, grilles.elevesGraphe})
        if (auto* grille = dynamic_cast<TGrilleGeneriqueTavelin*>(g)) grille->TerminerEdition();
}

bool TFeuilleClasse::EnregistrerVers(const QString& cheminCible) {
    // A mark still being typed (Ctrl+S does not take the keyboard focus) is part of the save.
    TerminerSaisies();
    const QString cible = QFileInfo(cheminCible).absoluteFilePath();
    const auto& extensions = TGestionnaireClasses::Extensions();
    if (extensions.avantEnregistrement && !extensions.avantEnregistrement(this, cible))
        return false;
    QString erreur;
    // The document's signal turns the light green.
    if (!document->Enregistrer(cible, &erreur)) {
        Erreur(this, erreur);
        return false;
    }
    if (extensions.apresEnregistrement) extensions.apresEnregistrement(this, cible);
    return true;
}

void TFeuilleClasse::AjouterAHistorique() {
    gestionnaire->AjouterAHistorique(CheminFichier());
}

bool TFeuilleClasse::Enregistrer() {
    if (!QuestionAncienFormat()) return false;
    bool enregistre;
    if (!CheminFichier().isEmpty()) {
        enregistre = EnregistrerVers(CheminFichier());
        AjouterAHistorique();
    } else {
        // Saving under a new name does the caption and the history itself.
        enregistre = EnregistrerSous();
    }
    return enregistre;
}

bool TFeuilleClasse::EnregistrerSous() {
    if (!QuestionAncienFormat()) return false;
    TDemandeFichier demande;
    demande.titre = QStringLiteral("Enregistrer sous ...");
    demande.nomFichier = CheminFichier();
    demande.dossier = CheminFichier().isEmpty() ? gestionnaire->DossierOuverture() : QString();
    demande.filtre = QStringLiteral("Fichier Tavelin *.tav |*.tav");
    demande.extensionParDefaut = QStringLiteral("tav");
    const QString choisi = Interlocuteur().FichierAEnregistrer(this, demande);
    bool enregistre = false;
    if (!choisi.isEmpty()) {
        // A new name reaches the caption through the document's signal.
        enregistre = EnregistrerVers(choisi);
    }
    AjouterAHistorique();
    return enregistre;
}

void TFeuilleClasse::NotifEnregistrer() {
    if (!QuestionAncienFormat()) return;
    if (!CheminFichier().isEmpty()) {
        EnregistrerVers(CheminFichier());
    } else {
        TDemandeFichier demande;
        demande.titre = QStringLiteral("Enregistrer sous ...");
        demande.dossier = gestionnaire->DossierOuverture();
        demande.filtre = QStringLiteral("Fichier Tavelin *.tav |*.tav");
        demande.extensionParDefaut = QStringLiteral("tav");
        const QString choisi = Interlocuteur().FichierAEnregistrer(this, demande);
        if (!choisi.isEmpty()) EnregistrerVers(choisi);
    }
}

void TFeuilleClasse::closeEvent(QCloseEvent* evenement) {
    TerminerSaisies();
    if (fichier->EstModifie()) {
        const bool sauver =
            Question(this,
                     QStringLiteral("Le fichier de la classe de \"") + fichier->Classe() +
                         QStringLiteral("\" a été modifié. Voulez vous le sauver avant de "
                                        "quitter ?"),
                     TIcone::Question);
        // A save that was asked for and did not happen (cancelled, failed) keeps the sheet
        // open rather than losing the class.
        if (sauver && (!Enregistrer() || fichier->EstModifie())) {
            evenement->ignore();
            return;
        }
    }
    gestionnaire->AjouterAHistorique(CheminFichier());
    gestionnaire->NotifFeuilleFermee(this);
    evenement->accept();
}

// ---- Other commands --------------------------------------------------------------------------

void TFeuilleClasse::CommandeOptions() {
    // Every open sheet follows the settings changed, this one included.
    gestionnaire->CommandeOptions();
}

void TFeuilleClasse::ReglagesModifies() {
    reglagesARafraichir = false;
    // The scale and the rounding of averages may have changed: every period is computed again,
    // the cached averages of the class file object first.
    NotifToutRecalculer();
    RafraichirListesEleves();
    RafraichirGrilles(false);
    NotifRedessiner();
    NotifOnglets();
}

void TFeuilleClasse::CommandeImprimer() {
    if (const auto& imprimer = TGestionnaireClasses::Extensions().imprimer) imprimer(this);
}

void TFeuilleClasse::CopierSurLecteur(const QString& lecteur) {
    const QString nom =
        NomSansDossier(CheminFichier().isEmpty() ? fichier->NomFichier() : CheminFichier());
    if (fichier->EstModifie() || CheminFichier().isEmpty()) {
        Information(this, QStringLiteral("Le fichier \"") + nom +
                              QStringLiteral("\" a été modifié. Vous devez l'enregistrer avant de "
                                             "pouvoir le copier sur disquette."));
        return;
    }
#ifdef Q_OS_WIN
    const QString destination = lecteur + QStringLiteral(":\\") + nom;
    const QString nomLecteur = lecteur + QLatin1Char(':');
#else
    const QString destination = QDir(lecteur).filePath(nom);
    const QString nomLecteur = lecteur;
#endif
    if (QFileInfo::exists(destination) &&
        !Question(this, QStringLiteral("Le fichier \"") + QDir::toNativeSeparators(destination) +
                            QStringLiteral("\" existe déjà. Voulez-vous le remplacer ?")))
        return;

    // The copy goes through the checked write: a temporary file on the drive, every write, the
    // size and the sync checked, then put in place of the old copy. Cancelled or failed, it
    // leaves the old file on the drive as it was.
    QString erreur;
    QByteArray octets;
    Tav::TEcritureSure cible(destination);
    if (!Tav::LireFichierOrdinaire(CheminFichier(), 64 * 1024 * 1024, octets, &erreur)) {
        erreur = QStringLiteral("Le fichier à copier est illisible : ") + erreur;
    } else if (!cible.Ouvrir()) {
        erreur = cible.Cause();
    } else {
        QProgressDialog progression(QStringLiteral("Copie de \"") + nom + QStringLiteral("\" ..."),
                                    QStringLiteral("Annuler"), 0, 100, this);
        progression.setWindowTitle(Programme::Nom());
        // Modal, so that the dialog takes the events while the copy runs and Cancel is heard.
        progression.setWindowModality(Qt::WindowModal);
        progression.setAutoReset(false);
        progression.setMinimumDuration(500);
        progression.setValue(0);
        const qint64 taille = std::max<qint64>(1, octets.size());
        constexpr qint64 Bloc = 16 * 1024;
        bool ok = true;
        for (qint64 copie = 0; ok && copie < octets.size() && !progression.wasCanceled();) {
            const qint64 n = std::min<qint64>(Bloc, octets.size() - copie);
            ok = cible.Ecrire(octets.constData() + copie, n);
            copie += n;
            // The writes are the first 90 %, the sync to the drive the rest.
            progression.setValue(int(copie * 90 / taille));
            // The window does not take the events on the step that first shows it: a click on
            // Cancel must not wait for the next step.
            if (progression.isVisible()) QCoreApplication::processEvents();
        }
        if (progression.wasCanceled()) {
            cible.Abandonner();
            gestionnaire->AfficherMessage(QStringLiteral("La copie du fichier \"") + nom +
                                              QStringLiteral("\" a été annulée."),
                                          5000);
            return;
        }
        if (!ok || !cible.Valider()) erreur = cible.Cause();
        progression.setValue(100);
    }
    if (!erreur.isEmpty()) {
        Erreur(this, QStringLiteral("Impossible de copier le fichier \"") + nom +
                         QStringLiteral("\" sur le lecteur ") +
                         QDir::toNativeSeparators(nomLecteur) + QStringLiteral(".\r\n") + erreur);
        return;
    }
    gestionnaire->AfficherMessage(QStringLiteral("Le fichier \"") + nom +
                                      QStringLiteral("\" a été copié sur le lecteur ") +
                                      QDir::toNativeSeparators(nomLecteur) + QLatin1Char('.'),
                                  5000);
}

void TFeuilleClasse::EnvoyerParCourrier() {
    if (fichier->EstModifie() || CheminFichier().isEmpty()) {
        // Sending the copy on disk would send something else than what the teacher sees.
        Information(
            this, QStringLiteral("Le fichier \"") +
                      NomSansDossier(CheminFichier().isEmpty() ? fichier->NomFichier()
                                                               : CheminFichier()) +
                      QStringLiteral("\" a été modifié. Vous devez l'enregistrer avant de pouvoir "
                                     "l'envoyer par courrier électronique."));
        return;
    }
    Programme::EnvoyerParCourrier(this, CheminFichier());
}

void TFeuilleClasse::CollerNomsEleves() {
    if (fichier->NombreEleves() != 0 || !TexteDansPressePapiers()) return;
    QStringList noms;
    for (const QString& ligne : LignesPressePapiers()) {
        // Blank lines (the end of the last line, most often) are no students.
        if (!ligne.trimmed().isEmpty()) noms.append(ligne.trimmed());
    }
    if (noms.isEmpty()) return;
    // The class file holds Windows-1252 only: a pasted name it cannot hold changes nothing.
    if (!Tav::TexteEnregistrable(this, noms.join(QLatin1Char('\n')))) return;
    if (noms.size() > 50) {
        Erreur(this, QStringLiteral("Vous avez atteint le nombre maximum d'élèves (") +
                         QStringLiteral("50") + QStringLiteral(") autorisé dans Tavelin.") +
                         QStringLiteral("\n\r\n\r") +
                         QStringLiteral("L'importation est interrompue à \"") + noms.at(50) +
                         QStringLiteral("\"."));
        noms = noms.mid(0, 50);
    }
    // The document's signal rebuilds the lists and the grids.
    fichier->ModifierListeEleves(noms);
    NotifOnglets();
}

void TFeuilleClasse::CollerDatesNaissance() {
    if (fichier->NombreEleves() == 0 || !TexteDansPressePapiers()) return;
    const QStringList dates = LignesPressePapiers();
    if (!Tav::TexteEnregistrable(this, dates.join(QLatin1Char('\n')))) return;
    fichier->ModifierDatesNaissance(dates);
    NotifOnglets();
}

void TFeuilleClasse::CopierListeEleves() {
    QString texte;
    for (const QString& nom : fichier->ListeEleves())
        texte += nom + QStringLiteral("\r\n");
    QApplication::clipboard()->setText(texte);
}

// ---- Class, student list and series dialogs --------------------------------------------------

void TFeuilleClasse::CommandeInformationsClasse() {
    TFormNouvelleClasse dialogue(this, TFormNouvelleClasse::ModeInformation, logo,
                                 QStringLiteral("Informations sur la classe"), fichier);
    if (dialogue.exec() != QDialog::Accepted) return;
    // Each changed field is announced by the document and shown by NotifTitre.
    dialogue.EnregistrerInformations();
}

void TFeuilleClasse::CommandeCreerListe() {
    if (fichier->NombreEleves() != 0) return;
    TFormCreerListeEleves dialogue(this, logo, fichier->Classe());
    if (dialogue.exec() != QDialog::Accepted) return;
    {
        // Names, dates and repeaters: the views are rebuilt once, when the list is complete.
        TDocumentClasse::TLot lot(*document);
        dialogue.AppliquerA(*fichier);
    }
    NotifOnglets();
}

void TFeuilleClasse::CommandeAjouterSerie() {
    if (fichier->NombreEleves() == 0) return;
    SerieAjoutee(CommandesSeries::AjouterSerieDeNotes(this, *fichier, periodeCourante, logo));
}

void TFeuilleClasse::CommandeImporterSerieTexte() {
    if (fichier->NombreEleves() == 0) return;
    int periode = 0;
    {
        // The imported marks are shown with the series, not one by one.
        TDocumentClasse::TLot lot(*document);
        periode = CommandesSeries::ImporterSerieDeNotesTexte(this, *fichier, periodeCourante, logo);
    }
    SerieAjoutee(periode);
}

void TFeuilleClasse::SerieAjoutee(int periode) {
    if (periode <= 0) return;
    fichier->MarquerPeriode(periode, true);
    ChoisirPage(PageNotes);
    if (periode != periodeCourante) ChoisirPeriode(periode - 1);
    // Ready for typing: the first student's cell of the new column.
    auto* notes = dynamic_cast<TGrilleGeneriqueTavelin*>(grilles.notes);
    if (notes && fichier->NombreEleves() > 0) {
        const int colonne = fichier->NombreSeries(periode) - 1;
        notes->setFocus(Qt::OtherFocusReason);
        notes->SelectionnerCellule(colonne, 1);
        NotifSelectionLigne(1, colonne);
        notes->scrollTo(notes->currentIndex());
    }
}

void TFeuilleClasse::CommandeInformationsSeries() {
    if (fichier->NombreSeriesAnnee() == 0) return;
    TFormInformationsSeriesDeNotes dialogue(this, logo, fichier);
    dialogue.Selectionner(periodeCourante);
    // Each change is announced by the document; the grids behind the dialog follow once, when
    // it closes.
    TDocumentClasse::TLot lot(*document);
    dialogue.exec();
}
