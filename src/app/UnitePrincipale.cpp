#include "UnitePrincipale.h"

#include "UniteFeuilleClasse.h"
#include "_FormAProposDe.h"
#include "_FormFusionner.h"
#include "_FormLisezMoi.h"
#include "_FormPatientez.h"
#include "tavX_actions.h"
#include "tavX_conseils.h"
#include "tavX_exceptions.h"
#include "tavX_fichierTav.h"
#include "tavX_garde.h"
#include "tavX_interlocuteur.h"
#include "tavX_mesure.h"
#include "tavX_ongletsClasses.h"
#include "tavX_options.h"
#include "tavX_programme.h"
#include "tavX_recuperation.h"
#include "tavX_reglages.h"
#include "tavX_surveillanceDisque.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTextBrowser>
#include <QTime>
#include <QToolBar>
#include <QVBoxLayout>

#include <utility>

namespace {

TFeuilleClasse* FeuilleDe(QMdiSubWindow* sous) {
    return sous ? qobject_cast<TFeuilleClasse*>(sous->widget()) : nullptr;
}

// The path with the file name written as the file system has it (on a system that ignores
// case, "CLASSE.TAV" may name "Classe.tav").
QString NomTelQueSurDisque(const QString& chemin) {
    const QFileInfo info(chemin);
    const QDir dossier = info.absoluteDir();
    const QStringList noms =
        dossier.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::NoSort);
    for (const QString& nom : noms) {
        if (nom == info.fileName()) return dossier.filePath(nom);
    }
    for (const QString& nom : noms) {
        if (nom.compare(info.fileName(), Qt::CaseInsensitive) == 0) return dossier.filePath(nom);
    }
    return info.absoluteFilePath();
}

QAction* Element(QMenu* menu, const QString& texte, const QString& aide = QString(),
                 const QKeySequence& raccourci = QKeySequence()) {
    QAction* action = menu->addAction(texte);
    if (!aide.isEmpty()) action->setStatusTip(aide);
    if (!raccourci.isEmpty()) action->setShortcut(raccourci);
    return action;
}

} // namespace

// ---- MDI area ----------------------------------------------------------------------------------

TZoneClasses::TZoneClasses(QWidget* parent) : QMdiArea(parent) {
    setBackground(QBrush(Programme::MotifFond()));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

void TZoneClasses::DefinirLogo(const QPixmap& image) {
    logo = image;
    viewport()->update();
}

void TZoneClasses::paintEvent(QPaintEvent* evenement) {
    QMdiArea::paintEvent(evenement);
    if (subWindowList().isEmpty() && !logo.isNull()) {
        QPainter peintre(viewport());
        const QSize taille = logo.size().boundedTo(viewport()->size() - QSize(60, 60));
        if (taille.width() > 0 && taille.height() > 0) {
            const QPixmap image = taille == logo.size() ? logo
                                                        : logo.scaled(taille, Qt::KeepAspectRatio,
                                                                      Qt::SmoothTransformation);
            peintre.drawPixmap(40, (viewport()->height() - image.height()) / 2, image);
        }
    }
    if (!affichee) {
        affichee = true;
        emit premierAffichage();
    }
}

// ---- Creation ----------------------------------------------------------------------------------

TFormTavelin2::TExtensions& TFormTavelin2::Extensions() {
    return TGestionnaireClasses::Extensions();
}

TFormTavelin2::TFormTavelin2(const QStringList& arguments, const QString& dossierCourant,
                             QWidget* parent)
    : QMainWindow(parent), arguments(arguments),
      dossierCourant(dossierCourant.isEmpty() ? QDir::currentPath() : dossierCourant) {
    setObjectName(QStringLiteral("TFormTavelin2"));
    // A converted old-format file is announced in a box of its own.
    TFichierTav::DefinirAnnonceImportation([](const QString& titre, const QString& texte) {
        Interlocuteur().Message(nullptr, titre, texte, TIcone::Information);
    });

    logo = Programme::Logo();
    setWindowIcon(QIcon(Programme::LogoInterne()));
    premierTop = true;
    Options::ModifierChemin(Programme::Dossier());
    TReglages& reglages = TReglages::Instance();
    connect(&reglages, &TReglages::modifie, this, [this](const QString& cle) {
        if (TReglages::Portee(cle) != TReglages::Aucune) reglagesARafraichir = true;
    });
    connect(&reglages, &TReglages::modificationsTerminees, this, [this] {
        if (std::exchange(reglagesARafraichir, false)) ReglagesModifies();
    });

    auto* centre = new QWidget(this);
    dispositionCentrale = new QVBoxLayout(centre);
    dispositionCentrale->setContentsMargins(0, 0, 0, 0);
    dispositionCentrale->setSpacing(0);
    zone = new TZoneClasses(centre);
    zone->DefinirLogo(logo);
    gestionnaire = new TGestionnaireClasses(zone, this, this);
    new TRecuperation(gestionnaire, this);
    new TSurveillanceDisque(gestionnaire, this);
    gestionnaire->DefinirLogo(logo);
    connect(gestionnaire, &TGestionnaireClasses::feuilleAjoutee, this,
            [this](TFeuilleClasse*, QMdiSubWindow* sous) {
                connect(sous, &QObject::destroyed, this, [this] {
                    QTimer::singleShot(0, this, [this] {
                        ActualiserMenus();
                        zone->viewport()->update();
                    });
                });
            });
    connect(gestionnaire, &TGestionnaireClasses::feuilleFermee, this,
            &TFormTavelin2::FeuilleFermee);
    connect(gestionnaire, &TGestionnaireClasses::feuilleActivee, this,
            &TFormTavelin2::SelectionnerOngletFeuille);
    connect(gestionnaire, &TGestionnaireClasses::boutonsAActualiser, this,
            &TFormTavelin2::ActualiserBoutons);
    connect(gestionnaire, &TGestionnaireClasses::ongletsAActualiser, this,
            &TFormTavelin2::NotifOngletsClasses);
    connect(gestionnaire, &TGestionnaireClasses::messageStatut, this,
            [this](const QString& texte, int duree) { statusBar()->showMessage(texte, duree); });
    ongletsClasses = new TOngletsClasses(centre);
    dispositionCentrale->addWidget(ongletsClasses);
    dispositionCentrale->addWidget(zone, 1);
    setCentralWidget(centre);
    connect(ongletsClasses, &TOngletsClasses::ongletChoisi, this, &TFormTavelin2::OngletChoisi);
    connect(zone, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* sous) {
        ActualiserMenus();
        if (TFeuilleClasse* feuille = FeuilleDe(sous)) {
            feuille->Activation();
            // The keyboard goes to the active sheet, also when this window is activated later
            // (it gives the focus back to the widget that had it).
            QWidget* focus = focusWidget();
            if (!focus || !sous->isAncestorOf(focus)) feuille->setFocus(Qt::OtherFocusReason);
        }
    });
    connect(zone, &TZoneClasses::premierAffichage, this, [] {
        Mesure::Ecrire(QStringLiteral("fenêtre principale affichée %1 ms après le lancement du "
                                      "processus")
                           .arg(Mesure::DepuisLancement(), 0, 'f', 1));
    });

    TActions::CreerActionsCommunes(this);
    DefinirCommandes();
    CreerMenus();
    CreerBarreOutils();
    CreerBarreDeStatut();

    resize(1024, 720);
    if (Options::TailleMaximumAuDemarrage()) setWindowState(windowState() | Qt::WindowMaximized);

    // The files opened lately follow "Quitter"; the manager keeps them current.
    gestionnaire->SuivreMenuHistorique(menuFichier, actionQuitter);

    toolBarreDeBoutons->setVisible(Options::AfficherBarreOutils());
    ActualiserBoutons();

    setWindowTitle(Programme::Legende());

#ifdef Q_OS_WIN
    QString dossierOuverture = Programme::Dossier();
#else
    // Class files are not kept beside the program on these systems.
    QString dossierOuverture = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (dossierOuverture.isEmpty() || !QFileInfo(dossierOuverture).isDir())
        dossierOuverture = QDir::homePath();
#endif
    gestionnaire->DefinirDossierOuverture(dossierOuverture);

    timer1.setInterval(100);
    connect(&timer1, &QTimer::timeout, this, &TFormTavelin2::Top);

    NotifOngletsClasses();
    ActualiserMenus();
    ActualiserStatut();
}

TFormTavelin2::~TFormTavelin2() {
    timer1.stop();
    // The shared commands act on this window's sheets: they stop with it.
    TActions::RetirerCommandes(this);
    // The sheets go with the MDI area: nothing of this window may answer their last signals.
    zone->disconnect(this);
    zone->disconnect(gestionnaire);
    gestionnaire->disconnect(this);
    for (QMdiSubWindow* sous : zone->subWindowList())
        sous->disconnect(this);
}

void TFormTavelin2::DefinirCommandes() {
    using Id = TActions::Id;
    // A command the teacher chose that fails tells why and leaves the window as it was.
    auto gardee = [this](const char* ou, std::function<void()> operation) {
        return [this, ou, operation] { Tav::Garder(ou, this, operation); };
    };
    // The commands of a class act on the active sheet, and need one.
    auto surFeuille = [this](const char* ou, std::function<void(TFeuilleClasse*)> operation) {
        return [this, ou, operation] {
            if (TFeuilleClasse* feuille = FeuilleActive())
                Tav::Garder(ou, feuille, [&] { operation(feuille); });
        };
    };
    auto feuilleOuverte = [this] { return FeuilleOuverte(); };

    TActions::DefinirCommande(Id::Nouvelle, this,
                              gardee("nouvelle classe", [this] { CommandeNouvelleClasse(); }));
    TActions::DefinirCommande(Id::Ouvrir, this, gardee("ouverture", [this] { CommandeOuvrir(); }));
    TActions::DefinirCommande(Id::Configurer, this,
                              gardee("configuration", [this] { CommandeOptions(); }),
                              [] { return bool(Extensions().options); });
    TActions::DefinirCommande(Id::Fermer, this,
                              surFeuille("fermeture",
                                         [](TFeuilleClasse* feuille) {
                                             if (QMdiSubWindow* sous = feuille->SousFenetre())
                                                 sous->close();
                                             else
                                                 feuille->close();
                                         }),
                              feuilleOuverte);
    TActions::DefinirCommande(
        Id::Enregistrer, this,
        surFeuille("enregistrement", [](TFeuilleClasse* feuille) { feuille->Enregistrer(); }),
        feuilleOuverte);
    TActions::DefinirCommande(
        Id::EnregistrerSous, this,
        surFeuille("enregistrement", [](TFeuilleClasse* feuille) { feuille->EnregistrerSous(); }),
        feuilleOuverte);
    TActions::DefinirCommande(Id::ToutEnregistrer, this,
                              gardee("enregistrement", [this] { NotifToutEnregistrer(); }),
                              feuilleOuverte);
    TActions::DefinirCommande(
        Id::Imprimer, this,
        surFeuille("impression", [](TFeuilleClasse* feuille) { feuille->CommandeImprimer(); }),
        [this] { return FeuilleOuverte() && bool(Extensions().imprimer); });
    TActions::DefinirCommande(Id::Quitter, this, [this] { close(); });
    TActions::DefinirCommande(Id::RecupererBak, this,
                              gardee("récupération", [this] { CommandeRecupererBak(); }));
    TActions::DefinirCommande(Id::Calculatrice, this,
                              gardee("calculatrice", [this] { CommandeCalculatrice(); }));
    TActions::DefinirCommande(Id::Fusionner, this,
                              gardee("fusion", [this] { CommandeFusionner(); }));
    TActions::DefinirCommande(Id::Sauvegarder, this,
                              gardee("sauvegarde", [this] { Extensions().rappelSauvegarde(this); }),
                              [] { return bool(Extensions().rappelSauvegarde); });
}

void TFormTavelin2::CreerMenus() {
    using Id = TActions::Id;
    menuFichier = new QMenu(QStringLiteral("&Fichier"), this);
    menuFichier->addAction(TActions::Action(Id::Nouvelle));
    menuFichier->addAction(TActions::Action(Id::Ouvrir));
    menuFichier->addSeparator();
    menuFichier->addAction(TActions::Action(Id::Configurer));
    menuFichier->addSeparator();
    actionQuitter = TActions::Action(Id::Quitter);
    menuFichier->addAction(actionQuitter);
    connect(menuFichier, &QMenu::aboutToShow, this, [] { TActions::Actualiser(); });

    menuOutils = new QMenu(QStringLiteral("&Outils"), this);
    menuOutils->addAction(TActions::Action(Id::Fusionner));
    menuOutils->addAction(TActions::Action(Id::RecupererBak));
    menuOutils->addAction(TActions::Action(Id::Sauvegarder));
    menuOutils->addAction(TActions::Action(Id::Bulletins));
    menuOutils->addAction(TActions::Action(Id::Calculatrice));

    menuFenetres = new QMenu(QStringLiteral("F&enêtres"), this);
    actionsFenetres = {
        Element(menuFenetres, QStringLiteral("Mosaïque &verticale")),
        Element(menuFenetres, QStringLiteral("Mosaïque &horizontale")),
        Element(menuFenetres, QStringLiteral("&Cascade")),
        Element(menuFenetres, QStringLiteral("&Réorganiser les icônes")),
        Element(menuFenetres, QStringLiteral("Tout ré&duire en icônes")),
    };
    connect(actionsFenetres[0], &QAction::triggered, this, &TFormTavelin2::MosaiqueVerticale);
    connect(actionsFenetres[1], &QAction::triggered, this, &TFormTavelin2::MosaiqueHorizontale);
    connect(actionsFenetres[2], &QAction::triggered, this, &TFormTavelin2::Cascade);
    connect(actionsFenetres[3], &QAction::triggered, this, &TFormTavelin2::ReorganiserIcones);
    connect(actionsFenetres[4], &QAction::triggered, this, &TFormTavelin2::ToutReduire);
    menuFenetres->addSeparator();
    actionToutFermer = Element(menuFenetres, QStringLiteral("&Tout fermer"));
    connect(actionToutFermer, &QAction::triggered, this, &TFormTavelin2::ToutFermer);
    connect(menuFenetres, &QMenu::aboutToShow, this, &TFormTavelin2::PreparerMenuFenetres);

    menuAide = new QMenu(QStringLiteral("&Aide"), this);
    connect(Element(menuAide, QStringLiteral("Ai&de"), QString(), QKeySequence(Qt::Key_F1)),
            &QAction::triggered, this, &TFormTavelin2::CommandeAide);
    connect(Element(menuAide, QStringLiteral("&Fichier lisez moi")), &QAction::triggered, this,
            &TFormTavelin2::CommandeLisezMoi);
    connect(Element(menuAide, QStringLiteral("&Conseils de démarrage ...")), &QAction::triggered,
            this, &TFormTavelin2::CommandeConseils);
    menuAide->addSeparator();
    connect(Element(menuAide, QStringLiteral("&A propos de ...")), &QAction::triggered, this,
            &TFormTavelin2::CommandeAPropos);
}

void TFormTavelin2::CreerBarreOutils() {
    toolBarreDeBoutons = new QToolBar(QStringLiteral("Palette flottante"), this);
    toolBarreDeBoutons->setObjectName(QStringLiteral("ToolBarreDeBoutons"));
    toolBarreDeBoutons->setMovable(true);
    toolBarreDeBoutons->setFloatable(true);
    toolBarreDeBoutons->setIconSize(QSize(24, 24));
    addToolBar(Qt::TopToolBarArea, toolBarreDeBoutons);

    // The shared commands: the buttons show their pictures and tooltips.
    using Id = TActions::Id;
    toolBarreDeBoutons->addAction(TActions::Action(Id::Nouvelle));
    toolBarreDeBoutons->addAction(TActions::Action(Id::Ouvrir));
    toolBarreDeBoutons->addSeparator();
    boutonImprimer = TActions::Action(Id::Imprimer);
    toolBarreDeBoutons->addAction(boutonImprimer);
    boutonEnregistrer = TActions::Action(Id::Enregistrer);
    toolBarreDeBoutons->addAction(boutonEnregistrer);
    toolBarreDeBoutons->addSeparator();
    toolBarreDeBoutons->addAction(TActions::Action(Id::Configurer));
    toolBarreDeBoutons->addSeparator();
    toolBarreDeBoutons->addAction(TActions::Action(Id::Quitter));
}

void TFormTavelin2::CreerBarreDeStatut() {
    QStatusBar* barre = statusBar();
    barre->setObjectName(QStringLiteral("BarreDeStatut"));
    panneauDate = new QLabel(barre);
    panneauDate->setAlignment(Qt::AlignCenter);
    panneauDate->setFrameShape(QFrame::Panel);
    panneauDate->setFrameShadow(QFrame::Sunken);
    panneauHeure = new QLabel(barre);
    panneauHeure->setAlignment(Qt::AlignCenter);
    panneauHeure->setFrameShape(QFrame::Panel);
    panneauHeure->setFrameShadow(QFrame::Sunken);
    panneauProgression = new QWidget(barre);
    panneauProgression->setFixedWidth(50);
    barreDeProgression = new QProgressBar(panneauProgression);
    barreDeProgression->setRange(0, 100);
    barreDeProgression->setValue(0);
    barreDeProgression->setTextVisible(false);
    barreDeProgression->setGeometry(2, 3, 46, 14);
    barreDeProgression->hide();
    barre->addPermanentWidget(panneauDate);
    barre->addPermanentWidget(panneauHeure);
    barre->addPermanentWidget(panneauProgression);
}

// ---- Timer -------------------------------------------------------------------------------------

void TFormTavelin2::showEvent(QShowEvent* evenement) {
    QMainWindow::showEvent(evenement);
    if (!timerDemarre) {
        timerDemarre = true;
        timer1.start();
    }
}

QString TFormTavelin2::TexteDate(const QDate& date) {
    return QLocale(QLocale::French, QLocale::France)
        .toString(date, QStringLiteral("dddd d MMMM yyyy"));
}

QString TFormTavelin2::TexteHeure(const QTime& heure) {
    return QStringLiteral("%1 h %2 mn %3 s")
        .arg(heure.hour())
        .arg(heure.minute(), 2, 10, QLatin1Char('0'))
        .arg(heure.second(), 2, 10, QLatin1Char('0'));
}

void TFormTavelin2::ActualiserStatut() {
    const QDateTime maintenant = QDateTime::currentDateTime();
    const QString date = Options::AfficherDate() ? TexteDate(maintenant.date()) : QString();
    const QString heure = Options::AfficherHeure() ? TexteHeure(maintenant.time()) : QString();
    panneauDate->setText(date);
    panneauDate->setFixedWidth(panneauDate->fontMetrics().horizontalAdvance(date) + 25);
    panneauHeure->setText(heure);
    panneauHeure->setFixedWidth(panneauHeure->fontMetrics().horizontalAdvance(heure) + 25);
}

void TFormTavelin2::Top() {
    if (premierTop) PremierTop();
    // The clock of the status bar. The sheets' modified lights follow their documents.
    ActualiserStatut();
}

void TFormTavelin2::PremierTop() {
    premierTop = false;
    timer1.setInterval(1000);
    // Classes left unsaved by a crash come back first: a file also named below is then shown,
    // not opened a second time.
    if (auto* recuperation = findChild<TRecuperation*>()) recuperation->ProposerRestauration(this);

    if (!arguments.isEmpty()) {
        for (const QString& argument : std::as_const(arguments)) {
            const QString chemin = CheminArgument(argument);
            if (!chemin.isEmpty()) OuvrirOuMontrer(chemin);
        }
    } else {
        switch (Options::AuDemarrage()) {
        case 1:
            OuvrirDerniersFichiers();
            break;
        case 2:
            CommandeOuvrir();
            break;
        default:
            break;
        }
    }

    if (Options::AfficherConseils()) {
        TFormConseilsDemarrage conseils(this);
        conseils.exec();
    }
    if (Options::AppliquerCompteurRappelSauvegarde() && !Options::ChargerHistorique().isEmpty()) {
        if (const auto& rappel = Extensions().rappelSauvegarde) rappel(this);
    }
    if (Options::RappelMiseAJourDisponible()) {
        if (const auto& miseAJour = Extensions().miseAJour) miseAJour(this);
    }
}

QString TFormTavelin2::CheminArgument(const QString& argument) const {
    if (argument.isEmpty()) return {};
    // A name is relative to the folder the program was started in; a name with folders keeps
    // them.
    const QFileInfo info(QDir(dossierCourant), argument);
    if (!info.exists() || !info.isFile()) return {};
    return NomTelQueSurDisque(info.absoluteFilePath());
}

void TFormTavelin2::OuvrirDerniersFichiers() {
    const QStringList fichiers = Options::ChargerDerniersFichiers();
    TFormPatientez patientez(this);
    patientez.DefinirMaximum(int(fichiers.size()));
    if (!fichiers.isEmpty()) patientez.show();
    for (const QString& chemin : fichiers) {
        patientez.Avancer();
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        if (QFileInfo(chemin).isFile()) OuvrirOuMontrer(chemin);
    }
    patientez.hide();
}

void TFormTavelin2::RecevoirFichiers(const QStringList& fichiers) {
    for (const QString& fichier : fichiers) {
        if (QFileInfo(fichier).isFile()) OuvrirOuMontrer(NomTelQueSurDisque(fichier));
    }
    if (isMinimized()) setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
    // A box open in this copy stays above it.
    if (QWidget* modale = QApplication::activeModalWidget()) {
        modale->raise();
        modale->activateWindow();
    }
}

// ---- Sheets ------------------------------------------------------------------------------------

QList<QMdiSubWindow*> TFormTavelin2::SousFenetresArriereAvant() const {
    QList<QMdiSubWindow*> sousFenetres;
    for (QMdiSubWindow* sous : zone->subWindowList(QMdiArea::StackingOrder)) {
        if (FeuilleDe(sous)) sousFenetres.append(sous);
    }
    return sousFenetres;
}

QList<TFeuilleClasse*> TFormTavelin2::Feuilles() const {
    return gestionnaire->Feuilles();
}

TFeuilleClasse* TFormTavelin2::FeuilleActive() const {
    return gestionnaire->FeuilleActive();
}

TFeuilleClasse* TFormTavelin2::ouvrirFichier(const QString& chemin) {
    return gestionnaire->Ouvrir(chemin);
}

TFeuilleClasse* TFormTavelin2::OuvrirOuMontrer(const QString& chemin) {
    return gestionnaire->OuvrirOuMontrer(chemin);
}

QMdiSubWindow* TFormTavelin2::AjouterFeuille(TFeuilleClasse* feuille) {
    return gestionnaire->AjouterFeuille(feuille);
}

void TFormTavelin2::FeuilleFermee(TFeuilleClasse* feuille) {
    const qsizetype ouvertes = Feuilles().size();
    if (ouvertes > 1) {
        qsizetype indice = feuillesOnglets.indexOf(feuille);
        if (indice < 0 && !feuille->CheminFichier().isEmpty())
            indice = cheminsOnglets.indexOf(feuille->CheminFichier());
        if (indice >= 0) {
            ongletsClasses->Retirer(int(indice));
            cheminsOnglets.removeAt(indice);
            feuillesOnglets.removeAt(indice);
        }
    } else {
        ongletsClasses->Vider();
        cheminsOnglets.clear();
        feuillesOnglets.clear();
    }
    // The sheet goes once this returns: the commands of a class follow now.
    feuilleFermee = feuille;
    ActualiserBoutons();
}

bool TFormTavelin2::FeuilleOuverte() const {
    const QList<TFeuilleClasse*> feuilles = Feuilles();
    return std::any_of(feuilles.cbegin(), feuilles.cend(),
                       [this](const TFeuilleClasse* feuille) { return feuille != feuilleFermee; });
}

void TFormTavelin2::ActualiserBoutons() {
    TActions::Actualiser();
}

void TFormTavelin2::ActualiserMenus() {
    TFeuilleClasse* feuille = FeuilleActive();
    TActions::Actualiser();
    QList<QMenu*> voulus;
    if (feuille)
        voulus = feuille->Menus();
    else
        voulus = {menuFichier, menuOutils};
    voulus << menuFenetres << menuAide;

    QList<QMenu*> presents;
    for (QAction* action : menuBar()->actions())
        presents.append(action->menu());
    if (presents == voulus) return;
    menuBar()->clear();
    for (QMenu* menu : std::as_const(voulus))
        menuBar()->addMenu(menu);
}

// ---- Class tabs --------------------------------------------------------------------------------

QString TFormTavelin2::LegendeOnglet(const TFeuilleClasse* feuille) {
    // An empty subject or teacher adds no dangling " - ".
    QString legende = feuille->NomClasse();
    if (Options::AfficherMatiereOnglets() && !feuille->Matiere().isEmpty())
        legende += QStringLiteral(" - ") + feuille->Matiere();
    if (Options::AfficherNomEnseignantOnglets() && !feuille->Enseignant().isEmpty())
        legende += QStringLiteral(" - ") + feuille->Enseignant();
    return legende;
}

void TFormTavelin2::PlacerOnglets(int style) {
    dispositionCentrale->removeWidget(ongletsClasses);
    if (style == 2)
        dispositionCentrale->addWidget(ongletsClasses);
    else
        dispositionCentrale->insertWidget(0, ongletsClasses);
}

void TFormTavelin2::NotifOngletsClasses() {
    ongletsClasses->setVisible(Options::AfficherOngletsClasses());
    const int style = Options::OngletClasses();
    if (style >= 0 && style <= 2) {
        ongletsClasses->DefinirStyle(style);
        PlacerOnglets(style);
    }
    ongletsClasses->Vider();
    cheminsOnglets.clear();
    feuillesOnglets.clear();
    for (QMdiSubWindow* sous : SousFenetresArriereAvant()) {
        TFeuilleClasse* feuille = FeuilleDe(sous);
        ongletsClasses->Ajouter(LegendeOnglet(feuille));
        cheminsOnglets.append(feuille->CheminFichier());
        feuillesOnglets.append(feuille);
    }
    ongletsClasses->Selectionner(ongletsClasses->Nombre() - 1);
}

void TFormTavelin2::OngletChoisi(int indice) {
    TFeuilleClasse* feuille = feuillesOnglets.value(indice);
    if (!feuille && indice >= 0 && indice < cheminsOnglets.size()) {
        const QString chemin = cheminsOnglets.at(indice);
        const QList<TFeuilleClasse*> feuilles = Feuilles();
        for (auto it = feuilles.crbegin(); it != feuilles.crend(); ++it) {
            if ((*it)->CheminFichier() == chemin) {
                feuille = *it;
                break;
            }
        }
    }
    if (feuille) zone->setActiveSubWindow(feuille->SousFenetre());
}

void TFormTavelin2::SelectionnerOngletFeuille(TFeuilleClasse* feuille) {
    ongletsClasses->Selectionner(int(feuillesOnglets.indexOf(feuille)));
}

// ---- Notifications -----------------------------------------------------------------------------

void TFormTavelin2::NotifToutEnregistrer() {
    gestionnaire->ToutEnregistrer();
}

void TFormTavelin2::NotifHistorique() {
    // Every "Fichier" menu, this window's and each sheet's, shows the same history.
    gestionnaire->ReconstruireMenusHistorique();
}

// ---- Commands ----------------------------------------------------------------------------------

void TFormTavelin2::CommandeNouvelleClasse() {
    ouvrirFichier(QString());
}

void TFormTavelin2::CommandeOuvrir() {
    TDemandeFichier demande;
    demande.titre = QStringLiteral("Ouvrir un fichier Tavelin");
    demande.filtre = QStringLiteral("Fichier Tavelin *.tav|*.tav");
    demande.extensionParDefaut = QStringLiteral("tav");
    demande.dossier = gestionnaire->DossierOuverture();
    demande.plusieurs = true;
    const QStringList fichiers = Interlocuteur().FichiersAOuvrir(this, demande);
    for (const QString& fichier : fichiers) {
        OuvrirOuMontrer(fichier);
        gestionnaire->DefinirDossierOuverture(QFileInfo(fichier).absolutePath());
    }
}

void TFormTavelin2::CommandeOptions() {
    gestionnaire->CommandeOptions();
}

void TFormTavelin2::ReglagesModifies() {
    toolBarreDeBoutons->setVisible(Options::AfficherBarreOutils());
    NotifOngletsClasses();
}

void TFormTavelin2::CommandeRecupererBak() {
    TDemandeFichier ouverture;
    ouverture.titre = QStringLiteral("Récupérer un fichier .bak");
    ouverture.dossier = gestionnaire->DossierOuverture();
    ouverture.extensionParDefaut = QStringLiteral("bak");
    ouverture.filtre = QStringLiteral("Fichiers de sauvegarde Tavelin|*.bak");
    const QString cheminBak = Interlocuteur().FichiersAOuvrir(this, ouverture).value(0);
    if (cheminBak.isEmpty()) return;

    const QString nom = QFileInfo(cheminBak).fileName();
    TFichierTav classe(cheminBak, true);
    if (!classe.EstValide()) {
        Erreur(this, QStringLiteral("Le fichier \"") + nom +
                         QStringLiteral("\" n'est pas un fichier Tavelin valide. Impossible de "
                                        "récupérer ce fichier."));
        return;
    }
    TDemandeFichier enregistrement;
    enregistrement.titre =
        QStringLiteral("Enregistrer le fichier de sauvegarde \"") + nom + QLatin1Char('"');
    enregistrement.filtre = QStringLiteral("Fichier Tavelin|*.tav");
    enregistrement.extensionParDefaut = QStringLiteral("tav");
    enregistrement.nomFichier = QFileInfo(cheminBak).absolutePath() + QLatin1Char('/') +
                                QFileInfo(cheminBak).completeBaseName() + QStringLiteral(".tav");
    const QString cible = Interlocuteur().FichierAEnregistrer(this, enregistrement);
    if (cible.isEmpty()) return;
    try {
        classe.Enregistrer(cible);
    } catch (const TTavException& e) {
        QString texte = e.Message();
        if (!classe.CauseErreurEnregistrement().isEmpty())
            texte += QStringLiteral("\n\n") + classe.CauseErreurEnregistrement();
        Erreur(this, texte);
        return;
    }
    Information(this, QStringLiteral("Le fichier \"") + nom +
                          QStringLiteral("\" a été récupéré avec succés."));
}

void TFormTavelin2::CommandeCalculatrice() {
    Programme::LancerCalculatrice(this);
}

void TFormTavelin2::CommandeAide() {
    // The guide is shipped with the program: it opens without internet.
    const QString guide = Programme::FichierAide();
    if (guide.isEmpty()) {
        Erreur(this, QStringLiteral("Le guide de Tavelin est introuvable : il devrait se trouver "
                                    "dans le dossier « aide » du programme (") +
                         QDir::toNativeSeparators(Programme::Dossier() +
                                                  QStringLiteral("aide/index.html")) +
                         QStringLiteral(")."));
        return;
    }
    if (Interlocuteur().OuvrirUrl(QUrl::fromLocalFile(guide))) return;
    // No browser on the desktop: the program shows the guide itself.
    if (!fenetreAide) {
        fenetreAide = new QDialog(this);
        fenetreAide->setWindowTitle(QStringLiteral("Guide de ") + Programme::Nom());
        auto* texte = new QTextBrowser(fenetreAide);
        texte->setOpenLinks(true);
        texte->setSource(QUrl::fromLocalFile(guide));
        auto* boutons = new QDialogButtonBox(QDialogButtonBox::Close, fenetreAide);
        boutons->button(QDialogButtonBox::Close)->setText(QStringLiteral("&Fermer"));
        connect(boutons, &QDialogButtonBox::rejected, fenetreAide, &QDialog::reject);
        auto* disposition = new QVBoxLayout(fenetreAide);
        disposition->addWidget(texte, 1);
        disposition->addWidget(boutons);
        fenetreAide->resize(720, 600);
    }
    fenetreAide->show();
    fenetreAide->raise();
    fenetreAide->activateWindow();
}

QDialog* TFormTavelin2::FenetreAide() const {
    return fenetreAide;
}

void TFormTavelin2::CommandeLisezMoi() {
    QString chemin = Programme::FichierDonnees(QStringLiteral("lisezmoi.txt"));
    if (chemin.isEmpty()) {
        chemin = Programme::Dossier() + QStringLiteral("lisezmoi.txt");
        Erreur(this,
               QStringLiteral("Le fichier \"") + chemin + QStringLiteral("\" est introuvable."));
        return;
    }
    if (Interlocuteur().OuvrirUrl(QUrl::fromLocalFile(chemin))) return;
    // No program of the desktop opens text files: the program shows it itself.
    QString texte;
    if (!TFormLisezMoi::Lire(chemin, texte)) {
        Erreur(this, QStringLiteral("Impossible d'ouvrir le fichier \"") + chemin +
                         QStringLiteral("\"."));
        return;
    }
    if (!fenetreLisezMoi) fenetreLisezMoi = new TFormLisezMoi(texte, this);
    fenetreLisezMoi->show();
    fenetreLisezMoi->raise();
    fenetreLisezMoi->activateWindow();
}

QDialog* TFormTavelin2::FenetreLisezMoi() const {
    return fenetreLisezMoi;
}

void TFormTavelin2::CommandeConseils() {
    TFormConseilsDemarrage conseils(this);
    conseils.exec();
}

void TFormTavelin2::CommandeAPropos() {
    TFormAProposDe aPropos(logo, this);
    aPropos.exec();
}

// ---- Window commands ---------------------------------------------------------------------------

void TFormTavelin2::PreparerMenuFenetres() {
    const bool feuilles = !Feuilles().isEmpty();
    for (QAction* action : std::as_const(actionsFenetres))
        action->setEnabled(feuilles);
    actionToutFermer->setEnabled(feuilles);

    for (QAction* action : std::as_const(actionsListeFenetres)) {
        menuFenetres->removeAction(action);
        delete action;
    }
    actionsListeFenetres.clear();
    const QList<QMdiSubWindow*> sousFenetres = zone->subWindowList(QMdiArea::CreationOrder);
    if (sousFenetres.isEmpty()) return;
    actionsListeFenetres.append(menuFenetres->addSeparator());
    int numero = 1;
    for (QMdiSubWindow* sous : sousFenetres) {
        // Without the frame's "[*]" mark of a modified class.
        QString titre = sous->windowTitle().remove(QStringLiteral("[*]"));
        titre.replace(QLatin1Char('&'), QStringLiteral("&&"));
        const QString legende = numero < 10 ? QStringLiteral("&%1 %2").arg(numero).arg(titre)
                                            : QStringLiteral("%1 %2").arg(numero).arg(titre);
        QAction* action = menuFenetres->addAction(legende);
        action->setCheckable(true);
        action->setChecked(sous == zone->currentSubWindow());
        QPointer<QMdiSubWindow> cible(sous);
        connect(action, &QAction::triggered, this, [this, cible] {
            if (!cible) return;
            if (cible->isMinimized()) cible->showNormal();
            zone->setActiveSubWindow(cible);
        });
        actionsListeFenetres.append(action);
        ++numero;
    }
}

void TFormTavelin2::MosaiqueVerticale() {
    Mosaique(Qt::Horizontal);
}

void TFormTavelin2::MosaiqueHorizontale() {
    Mosaique(Qt::Vertical);
}

// Lays the visible sheets side by side (Horizontal) or one above the other.
void TFormTavelin2::Mosaique(Qt::Orientation sens) {
    QList<QMdiSubWindow*> visibles;
    for (QMdiSubWindow* sous : zone->subWindowList(QMdiArea::CreationOrder))
        if (!sous->isMinimized()) visibles.append(sous);
    if (visibles.isEmpty()) return;
    const QRect cadre = zone->viewport()->rect();
    const int n = int(visibles.size());
    const int total = sens == Qt::Horizontal ? cadre.width() : cadre.height();
    const int pas = total / n;
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow* sous = visibles.at(i);
        sous->showNormal();
        const int taille = (i == n - 1) ? total - i * pas : pas;
        if (sens == Qt::Horizontal)
            sous->setGeometry(i * pas, 0, taille, cadre.height());
        else
            sous->setGeometry(0, i * pas, cadre.width(), taille);
    }
}

void TFormTavelin2::Cascade() {
    zone->cascadeSubWindows();
}

void TFormTavelin2::ReorganiserIcones() {
    const QRect cadre = zone->viewport()->rect();
    int x = 0, y = cadre.bottom();
    for (QMdiSubWindow* sous : zone->subWindowList(QMdiArea::CreationOrder)) {
        if (!sous->isMinimized()) continue;
        const QSize taille = sous->size();
        if (x > 0 && x + taille.width() > cadre.width()) {
            x = 0;
            y -= taille.height();
        }
        sous->move(x, y - taille.height() + 1);
        x += taille.width();
    }
}

void TFormTavelin2::ToutReduire() {
    for (QMdiSubWindow* sous : zone->subWindowList())
        sous->showMinimized();
    ReorganiserIcones();
}

void TFormTavelin2::ToutFermer() {
    gestionnaire->ToutFermer();
    ActualiserBoutons();
}

// ---- Closing -----------------------------------------------------------------------------------

void TFormTavelin2::closeEvent(QCloseEvent* evenement) {
    timer1.stop();
    QStringList chemins;
    const QList<QMdiSubWindow*> sousFenetres = SousFenetresArriereAvant();
    for (QMdiSubWindow* sous : sousFenetres) {
        const QString chemin = FeuilleDe(sous)->CheminFichier();
        if (!chemin.isEmpty()) chemins.append(chemin);
    }
    Options::EnregistrerDerniersFichiers(chemins);
    for (QMdiSubWindow* sous : sousFenetres)
        sous->close();
    if (!Feuilles().isEmpty()) {
        // A class whose save was asked for and failed stays open, and so does the program.
        evenement->ignore();
        timer1.start(1000);
        return;
    }
    evenement->accept();
}

void TFormTavelin2::CommandeFusionner() {
    QStringList ouverts;
    for (TFeuilleClasse* f : gestionnaire->Feuilles())
        if (!f->CheminFichier().isEmpty()) ouverts.append(f->CheminFichier());
    TFormFusionner dialogue(this, logo, ouverts);
    // Only a file really saved is opened.
    if (dialogue.exec() == QDialog::Accepted && !dialogue.CheminEnregistre().isEmpty() &&
        dialogue.OuvrirApres())
        gestionnaire->OuvrirOuMontrer(dialogue.CheminEnregistre());
}
