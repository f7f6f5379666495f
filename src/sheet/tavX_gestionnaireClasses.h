#pragma once
// TGestionnaireClasses: the open classes. It creates the class sheets in the MDI area it is given,
// knows which one is active (and so the active class document), opens a file or shows it when it
// is open already, saves them all, closes them with their questions, and offers the sheets what
// they used to ask the main window: the opening folder, the logo, the options dialog, a status
// message. It keeps the file history and the history items of every "&Fichier" menu. What the
// frame must do in answer (class tabs, shared buttons...) goes out as signals the main window
// connects to.
#include <QList>
#include <QObject>
#include <QPixmap>
#include <QPointer>
#include <QString>
#include <functional>

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QWidget;
class TDocumentClasse;
class TFeuilleClasse;
class TFichierTav;

// Windows of later commands that plug into the program. Left empty, the command is disabled
// (options, printing), skipped (backup reminder, update check) or takes the defaults (new class).
struct TExtensionsClasses {
    // The new-class dialog on a new class file object; false when cancelled.
    std::function<bool(TFichierTav& classe, QWidget* parent)> nouvelleClasse;
    // The options dialog, shown modally.
    std::function<void(QWidget* parent)> options;
    // The backup window of the start-up reminder.
    std::function<void(QWidget* parent)> rappelSauvegarde;
    // The update check of the start-up.
    std::function<void(QWidget* parent)> miseAJour;
    // The print window of a sheet (menu item and tool bar button).
    std::function<void(TFeuilleClasse* feuille)> imprimer;
    // Before a sheet saves to a file: false stops the save (a file changed on disk that the
    // teacher does not want to overwrite). After the save: the file is now the sheet's.
    std::function<bool(TFeuilleClasse* feuille, const QString& cible)> avantEnregistrement;
    std::function<void(TFeuilleClasse* feuille, const QString& cible)> apresEnregistrement;
};

class TGestionnaireClasses : public QObject {
    Q_OBJECT
public:
    // zone: where the sheets are shown; fenetre: the parent of the dialogs the sheets open.
    TGestionnaireClasses(QMdiArea* zone, QWidget* fenetre, QObject* parent = nullptr);

    static TExtensionsClasses& Extensions();

    // ---- Open classes -------------------------------------------------------------------------
    // Creates a sheet for the path (a new class when empty) without looking whether it is open
    // already (nullptr when the file is not a valid class file or the new class is cancelled).
    TFeuilleClasse* Ouvrir(const QString& chemin);
    // Brings to the front every sheet showing that path (compared ignoring case), or else
    // creates one.
    TFeuilleClasse* OuvrirOuMontrer(const QString& chemin);
    // Open sheets, the active one first.
    QList<TFeuilleClasse*> Feuilles() const;
    TFeuilleClasse* FeuilleActive() const;
    // The class of the active sheet; nullptr when none is open.
    TDocumentClasse* DocumentActif() const;
    // Saves every open class (a class never saved asks for its name).
    void ToutEnregistrer();
    // Closes a sheet, asking to save a modified class; false when it stays open.
    bool Fermer(TFeuilleClasse* feuille);
    // Closes every sheet; false when one stays open.
    bool ToutFermer();

    // ---- Services offered to the sheets -------------------------------------------------------
    QWidget* Fenetre() const { return fenetre; }
    QMdiArea* Zone() const { return zone; }
    const QPixmap& Logo() const { return logo; }
    void DefinirLogo(const QPixmap& image) { logo = image; }
    QString DossierOuverture() const { return dossierOuverture; }
    void DefinirDossierOuverture(const QString& dossier) { dossierOuverture = dossier; }
    // The options dialog; every open sheet follows the settings it changes.
    void CommandeOptions();
    void AfficherMessage(const QString& texte, int duree) { emit messageStatut(texte, duree); }

    // ---- File history -------------------------------------------------------------------------
    // Puts the path at the head of the history of opened files.
    void AjouterAHistorique(const QString& chemin);
    // The menu shows the history after its "quitter" item, now and after every change of the
    // history or of its settings, for as long as the menu exists. A click opens the file or
    // shows it.
    void SuivreMenuHistorique(QMenu* menu, QAction* quitter);
    // Rebuilds the history items of every menu followed.
    void ReconstruireMenusHistorique();
    // The undo and redo commands name the active class's next steps.
    void ActualiserAnnulation();

    // ---- Announcements from the sheets --------------------------------------------------------
    // Shows a new sheet in the area, maximized.
    QMdiSubWindow* AjouterFeuille(TFeuilleClasse* feuille);
    void NotifBoutons() { emit boutonsAActualiser(); }
    void NotifOngletsClasses() { emit ongletsAActualiser(); }
    void NotifFeuilleFermee(TFeuilleClasse* feuille) { emit feuilleFermee(feuille); }
    void NotifActivation(TFeuilleClasse* feuille) { emit feuilleActivee(feuille); }

signals:
    // A sheet joined the area (its frame window given).
    void feuilleAjoutee(TFeuilleClasse* feuille, QMdiSubWindow* sous);
    // A sheet accepted to close; it goes once the event returns.
    void feuilleFermee(TFeuilleClasse* feuille);
    // A sheet became the active one.
    void feuilleActivee(TFeuilleClasse* feuille);
    // The active class changed (nullptr when none is left).
    void documentActifChange(TDocumentClasse* document);
    void boutonsAActualiser();
    // The history items were rebuilt.
    void historiqueChange();
    void ongletsAActualiser();
    void messageStatut(const QString& texte, int duree);

private:
    void SousFenetreActivee(QMdiSubWindow* sous);

    QMdiArea* zone = nullptr;
    QWidget* fenetre = nullptr;
    QPixmap logo;
    QString dossierOuverture;
    QPointer<TDocumentClasse> documentActif;
    struct TMenuHistorique {
        QPointer<QMenu> menu;
        QPointer<QAction> quitter;
    };
    QList<TMenuHistorique> menusHistorique;
    bool historiqueARafraichir = false;
};
