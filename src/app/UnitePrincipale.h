#pragma once
// TFormTavelin2: the main window, frame of every class sheet. It runs the start-up sequence,
// carries the menus shown while no sheet is active, the tool bar, the class tabs, the status bar
// with the date and the time, the window commands, and closes everything in order.
#include <QList>
#include <QMainWindow>
#include <QMdiArea>
#include <QPixmap>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <functional>

#include "tavX_gestionnaireClasses.h"

class QAction;
class QDialog;
class QLabel;
class QMdiSubWindow;
class QMenu;
class QProgressBar;
class QToolBar;
class QVBoxLayout;
class TFeuilleClasse;
class TFichierTav;
class TFormLisezMoi;
class TOngletsClasses;

// The MDI area: a tiled background and, while no sheet is open, the logo at its left.
class TZoneClasses : public QMdiArea {
    Q_OBJECT
public:
    explicit TZoneClasses(QWidget* parent = nullptr);
    void DefinirLogo(const QPixmap& logo);

signals:
    void premierAffichage();

protected:
    void paintEvent(QPaintEvent* evenement) override;

private:
    QPixmap logo;
    bool affichee = false;
};

class TFormTavelin2 : public QMainWindow {
    Q_OBJECT
public:
    // arguments: the files named on the command line, relative to dossierCourant (the current
    // folder when empty).
    explicit TFormTavelin2(const QStringList& arguments = {}, const QString& dossierCourant = {},
                           QWidget* parent = nullptr);
    ~TFormTavelin2() override;

    // Windows of later commands that plug into this one (tavX_gestionnaireClasses.h).
    using TExtensions = TExtensionsClasses;
    static TExtensions& Extensions();

    // ---- Class sheets -------------------------------------------------------------------------
    // Creates a sheet for the path without looking whether it is open already (nullptr when the
    // file is not a valid class file).
    TFeuilleClasse* ouvrirFichier(const QString& chemin);
    // Brings to the front every sheet showing that path (compared ignoring case), or else
    // creates one.
    TFeuilleClasse* OuvrirOuMontrer(const QString& chemin);
    // Open sheets, the active one first.
    QList<TFeuilleClasse*> Feuilles() const;
    TFeuilleClasse* FeuilleActive() const;
    TZoneClasses* Zone() const { return zone; }
    // The open classes and the active one.
    TGestionnaireClasses* Gestionnaire() const { return gestionnaire; }
    const QPixmap& Logo() const { return logo; }

    // ---- Commands -----------------------------------------------------------------------------
    void CommandeNouvelleClasse();
    void CommandeOuvrir();
    void CommandeOptions();
    void CommandeRecupererBak();
    void CommandeCalculatrice();
    void CommandeFusionner();
    void CommandeAide();
    void CommandeLisezMoi();
    void CommandeConseils();
    void CommandeAPropos();
    void MosaiqueVerticale();
    void MosaiqueHorizontale();
    void Mosaique(Qt::Orientation sens);
    void Cascade();
    void ReorganiserIcones();
    void ToutReduire();
    void ToutFermer();

    // ---- Notifications from the sheets ------------------------------------------------------
    void NotifToutEnregistrer();
    void NotifHistorique();
    void NotifOngletsClasses();

    // ---- Answers to the open classes' manager ---------------------------------------------------
    QMdiSubWindow* AjouterFeuille(TFeuilleClasse* feuille);
    // A sheet closes: its class tab goes; the commands of a class (save, print, close...) stay
    // enabled only if another sheet stays open.
    void FeuilleFermee(TFeuilleClasse* feuille);
    // Selects the class tab of an activated sheet.
    void SelectionnerOngletFeuille(TFeuilleClasse* feuille);
    // Enables the shared commands (menus and tool bar) as the open sheets allow.
    void ActualiserBoutons();
    // Whether a sheet is open (one that is closing does not count).
    bool FeuilleOuverte() const;
    QMenu* MenuFenetres() const { return menuFenetres; }
    QMenu* MenuAide() const { return menuAide; }
    // Caption of the class tab of a sheet, per the settings.
    static QString LegendeOnglet(const TFeuilleClasse* feuille);

    // ---- Start-up and timer -----------------------------------------------------------------
    // One tick of Timer1 (the first one runs the start-up steps).
    void Top();
    bool PremierTopEnAttente() const { return premierTop; }
    // Files handed over by a later start of the program.
    void RecevoirFichiers(const QStringList& fichiers);
    // The command-line argument resolved against the start folder; empty when no such file.
    QString CheminArgument(const QString& argument) const;

    // ---- Parts, for the tests ------------------------------------------------------------------
    TOngletsClasses* OngletsClasses() const { return ongletsClasses; }
    // Paths of the class tabs (kept in step with OngletsClasses).
    const QStringList& CheminsOnglets() const { return cheminsOnglets; }
    QLabel* PanneauDate() const { return panneauDate; }
    QLabel* PanneauHeure() const { return panneauHeure; }
    QProgressBar* BarreDeProgression() const { return barreDeProgression; }
    QToolBar* BarreOutils() const { return toolBarreDeBoutons; }
    QAction* BoutonEnregistrer() const { return boutonEnregistrer; }
    QAction* BoutonImprimer() const { return boutonImprimer; }
    QMenu* MenuFichier() const { return menuFichier; }
    QAction* ActionQuitter() const { return actionQuitter; }
    QTimer& Timer1() { return timer1; }
    QString DossierOuverture() const { return gestionnaire->DossierOuverture(); }
    // The read-me window, while it is open (shown when the desktop cannot open the file).
    QDialog* FenetreLisezMoi() const;
    // The guide's own window, when the desktop has no browser (nullptr before).
    QDialog* FenetreAide() const;

    // Texts of the status bar for a moment (date "dddd d mmmm yyyy", time "9 h 05 mn 07 s").
    static QString TexteDate(const QDate& date);
    static QString TexteHeure(const QTime& heure);

protected:
    void closeEvent(QCloseEvent* evenement) override;
    void showEvent(QShowEvent* evenement) override;

private:
    // What the shared commands do here (tavX_actions.h).
    void DefinirCommandes();
    void CreerMenus();
    void CreerBarreOutils();
    void CreerBarreDeStatut();
    void PremierTop();
    void OuvrirDerniersFichiers();
    void ActualiserMenus();
    void PreparerMenuFenetres();
    void OngletChoisi(int indice);
    void PlacerOnglets(int style);
    void ActualiserStatut();
    QList<QMdiSubWindow*> SousFenetresArriereAvant() const;
    // Shown settings changed (options dialog, a grid's turbo menu ...): the tool bar, the history
    // items and the class tabs follow. The sheets follow the settings themselves.
    void ReglagesModifies();

    QStringList arguments;
    QString dossierCourant;
    QPixmap logo;
    bool premierTop = true;
    bool timerDemarre = false;
    bool reglagesARafraichir = false;
    QTimer timer1;

    TZoneClasses* zone = nullptr;
    TGestionnaireClasses* gestionnaire = nullptr;
    QVBoxLayout* dispositionCentrale = nullptr;
    TOngletsClasses* ongletsClasses = nullptr;
    // TabControl2: per class tab, the path of its sheet, and the sheet itself.
    QStringList cheminsOnglets;
    QList<QPointer<TFeuilleClasse>> feuillesOnglets;
    // The sheet whose closing was accepted, until it goes.
    QPointer<TFeuilleClasse> feuilleFermee;

    QMenu* menuFichier = nullptr;
    QMenu* menuOutils = nullptr;
    QMenu* menuFenetres = nullptr;
    QMenu* menuAide = nullptr;
    QAction* actionQuitter = nullptr;
    QList<QAction*> actionsFenetres; // the first five window commands
    QAction* actionToutFermer = nullptr;
    QList<QAction*> actionsListeFenetres; // one per open sheet, rebuilt when the menu opens

    QToolBar* toolBarreDeBoutons = nullptr;
    QAction* boutonEnregistrer = nullptr;
    QAction* boutonImprimer = nullptr;

    QLabel* panneauDate = nullptr;
    QLabel* panneauHeure = nullptr;
    QWidget* panneauProgression = nullptr;
    QProgressBar* barreDeProgression = nullptr;
    QPointer<TFormLisezMoi> fenetreLisezMoi;
    QPointer<QDialog> fenetreAide;
};
