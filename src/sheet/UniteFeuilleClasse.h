#pragma once
// TFeuilleClasse: the class sheet, child window of the main window that shows one class file.
// It owns the class file object, lays out the pages and panels of the grids, carries the
// class's own menus, relays the notifications of its grids and asks to save when it closes.
#include <QElapsedTimer>
#include <QList>
#include <QPixmap>
#include <QWidget>
#include <memory>

class QAction;
class QKeyEvent;
class QLabel;
class QMdiSubWindow;
class QMenu;
class QSplitter;
class QStackedWidget;
class QTabBar;
class QToolButton;
class TDocumentClasse;
class TFichierTav;
class TGestionnaireClasses;
class TGrapheClasse;
class TGrilleFeuille;
class TPanneauGrille;
class TRangeeOnglets;

class TFeuilleClasse : public QWidget {
    Q_OBJECT
public:
    enum TPage { PageNotes = 0, PageBilans = 1, PageGraphes = 2 };

    // The five grids of the sheet (none is there until the grids are built).
    struct TGrilles {
        TGrilleFeuille* eleves = nullptr;
        TGrilleFeuille* notes = nullptr;
        TGrilleFeuille* moyennes = nullptr;
        TGrilleFeuille* bilan = nullptr;
        TGrilleFeuille* elevesGraphe = nullptr;
    };

    // Creates the sheet of a class file, or of a new class when the path is empty, inside the
    // area of the open classes' manager. Returns nullptr (after saying why) when the file is not a
    // valid class file, and nullptr silently when the new class is cancelled.
    static TFeuilleClasse* Creer(TGestionnaireClasses* gestionnaire, const QString& chemin);
    ~TFeuilleClasse() override;

    // The open class: its document announces every change of the class file it owns.
    TDocumentClasse& Document() { return *document; }
    TFichierTav& Fichier() { return *fichier; }
    const TFichierTav& Fichier() const { return *fichier; }
    // Full path of the class file; empty for a class never saved.
    // Where the class lives on disk; empty for a new class not saved yet.
    QString CheminFichier() const;
    QString NomClasse() const;
    QString Matiere() const;
    QString Enseignant() const;
    int PeriodeCourante() const { return periodeCourante; }
    TGestionnaireClasses* Gestionnaire() const { return gestionnaire; }
    QMdiSubWindow* SousFenetre() const;
    const QPixmap& Logo() const { return logo; }
    // The menus that replace the main window's while the sheet is active, in order.
    const QList<QMenu*>& Menus() const { return menus; }
    TGrilles& Grilles() { return grilles; }
    TGrapheClasse* Graphe() const { return graphe; }

    // The first period (searching from the last) that has a series, else 1.
    static int PeriodeInitiale(const TFichierTav& fichier);
    // The grades area's share when the two grid areas are balanced (T / 2, halves to even).
    static int PartNotesEquilibree(int largeurPanel4, int largeurNotes, int largeurMoyennes);

    // ---- Commands -----------------------------------------------------------------------------
    // Save; false when nothing was saved (question answered No, dialog cancelled, failure).
    bool Enregistrer();
    bool EnregistrerSous();
    void CommandeOptions();
    void CommandeImprimer();
    void CopierSurLecteur(const QString& lecteur);
    void EnvoyerParCourrier();
    void CollerNomsEleves();
    void CollerDatesNaissance();
    void CopierListeEleves();
    void RecalculerMoyennes();
    void ChoisirPage(int page);
    void ChoisirPeriode(int onglet);
    void ChoisirOngletBilan(int onglet);
    void ChoisirOngletGraphe(int onglet);
    void BoutonMoyennes();
    void BoutonNotes();
    void EquilibrerPanneaux();
    // The sheet became the active child: it selects its class tab.
    void Activation();
    // Enables every command of the sheet's menus (and so its shortcut) as the class allows now.
    // Run after each change of students, series, page, period, focus or clipboard, not only
    // when a menu opens.
    void ActualiserCommandes();
    // True when the key is the shortcut of an enabled command of the sheet: a cell editor then
    // stores its text and leaves the key to the command.
    bool EstRaccourciDeLaFeuille(const QKeyEvent* touche) const;

    // ---- Notifications ------------------------------------------------------------------------
    void NotifSelectionLigne(int ligne, int colonne);
    void NotifDefilement(int ligneHaut);
    void NotifRecalculerBilan(int option);
    void NotifEleves(int w, int l);
    void NotifRedessiner();
    void NotifTitre();
    void NotifMoyennes(int periode, int ligne);
    void NotifNotes(int periode);
    // Shows the red light and marks the window modified when the class has unsaved changes, the
    // green light otherwise. Follows the document's modified flag.
    void NotifModifie();
    void NotifOnglets();
    void NotifEnregistrer();
    void NotifStatut(int option);
    void NotifSelectionNotes(int ligne, int colonne);
    void NotifLargeurEleves(int largeur);
    void NotifToutRecalculer();
    // Draws the graph of a student (0: none) for a period (tavX_commandesGraphe.cpp).
    void NotifGraphe(int periode, int eleve);

    // Refreshes the grids: caches invalidated, the grades, averages and summary grids reloaded,
    // then the labels when the number of series may have changed.
    void RafraichirGrilles(bool seriesChangees);
    // Refreshes the student lists: the student grid and the graph's list, then the caption.
    void RafraichirListesEleves();
    // A shown setting changed (the sheet follows TReglages itself): every period is computed
    // again and every grid, tab row and label shown again.
    void ReglagesModifies();

    // ---- Parts, for the grids and the tests ---------------------------------------------------
    TPanneauGrille* PanelEleves() const { return panelEleves; }
    TPanneauGrille* PanelNotes() const { return panelNotes; }
    TPanneauGrille* PanelMoyennes() const { return panelMoyennes; }
    TPanneauGrille* PanelBilan() const { return panelBilan; }
    TPanneauGrille* PanelElevesGraphe() const { return panelElevesGraphe; }
    TPanneauGrille* PanelGraphe() const { return panelGraphe; }
    QWidget* Panel2() const { return panel2; }
    QWidget* Panel4() const { return panel4; }
    QSplitter* Separateur() const { return separateur; }
    TRangeeOnglets* TabControlGrillesNotes() const { return tabControlGrillesNotes; }
    TRangeeOnglets* TabControlGrillesBilan() const { return tabControlGrillesBilan; }
    TRangeeOnglets* TabControlGraphes() const { return tabControlGraphes; }
    QTabBar* TabSet1() const { return tabSet1; }
    QStackedWidget* Pages() const { return pages; }
    QLabel* Label1() const { return label1; }
    QLabel* Label2() const { return label2; }
    QLabel* Label3() const { return label3; }
    QLabel* ImageFeuVert() const { return imageFeuVert; }
    QLabel* ImageFeuRouge() const { return imageFeuRouge; }
    QToolButton* SpeedButtonMoyennes() const { return speedButtonMoyennes; }
    QToolButton* SpeedButtonNotes() const { return speedButtonNotes; }
    QToolButton* SpeedButtonEgaliserPanneau() const { return speedButtonEgaliserPanneau; }
    QToolButton* SpeedButtonRecalculerMoyennes() const { return speedButtonRecalculerMoyennes; }
    QMenu* MenuFichier() const { return menuFichier; }
    QMenu* MenuVues() const { return menuVues; }
    QMenu* MenuCopierSurLecteur() const { return menuCopier; }
    // Width of the grades area and of the averages area.
    int LargeurNotes() const;
    int LargeurMoyennes() const;

    // The notes count text: "Aucune note", "Une note", "K notes".
    static QString TexteNombreNotes(int nombre);
    // "P : aucune série de notes", "P : 1 série de notes", "P : S séries de notes".
    static QString TexteNombreSeries(const QString& debut, int nombre);

protected:
    void closeEvent(QCloseEvent* evenement) override;
    void paintEvent(QPaintEvent* evenement) override;
    void resizeEvent(QResizeEvent* evenement) override;

private:
    TFeuilleClasse(TGestionnaireClasses* gestionnaire, std::unique_ptr<TFichierTav> fichier,
                   const QString& chemin);

    void CreerPages();
    void CreerBarreDuBas();
    void CreerMenus();
    // Makes the grids of the pages (tavX_creationGrilles.cpp).
    void CreerGrilles();
    // Student commands of the "&Liste des élèves" menu (tavX_commandesEleves.cpp).
    void CommandeAjouterEleve();
    void CommandeSupprimerEleve();
    void CommandeModifierEleve();
    // The class, student-list and series dialogs.
    void CommandeInformationsClasse();
    void CommandeCreerListe();
    void CommandeAjouterSerie();
    void CommandeImporterSerieTexte();
    void CommandeInformationsSeries();
    // The series tools and the student-list imports (tavX_commandesOutilsSeries.cpp).
    void CommandeSupprimerSeries();
    void CommandeReorganiser();
    void CommandeCreerSerieDePlusieurs();
    void CommandeTransformerSerie();
    void CommandeImporterSerieTav();
    void CommandeCopierModelesSeries();
    void CommandeImporterEleves(bool depuisTexte);
    // A tool created or changed a series of that period (0: none): show the period and, when
    // asked, the series-information dialog on its last series.
    void SerieOutilTerminee(int periode, bool informations);
    // A series was added to that period (0: none): show it, ready for typing its first mark.
    void SerieAjoutee(int periode);
    // Stores the text of a cell still being edited, in every grid.
    void TerminerSaisies();
    // The graph page (tavX_commandesGraphe.cpp).
    void CreerGraphe();
    void RedessinerGraphe();
    void MenuGraphe(const QPoint& position);
    void CopierGraphe();
    void ExporterGraphe();
    void ImprimerGraphe();
    // "&Points en plus ou en moins" (tavX_commandePoints.cpp).
    void CommandePointsPlusMoins();
    // The report-card appreciations and the student summary (tavX_commandesAppreciations.cpp).
    void CommandeAppreciations();
    void CommandeCopierAppreciations();
    void CommandeBilanEleve();
    // tavX_commandesExport.cpp
    void CommandeClonerFichier();
    void CommandeExporter();
    void ConstruireMenusVues();
    void PreparerMenuCopier();
    void ActiverMenuFichier();
    void ActiverMenuEleves();
    void ActiverMenuSeries();
    void ActiverMenuGraphes();
    void ActiverMenuOutils();
    void ActualiserPanneaux();
    bool QuestionAncienFormat();
    bool EnregistrerVers(const QString& cheminCible);
    void AjouterAHistorique();
    void DefinirLargeurs(int notes, int panneau2);
    // The document's announcements the sheet turns into notifications of its grids.
    void ConnecterDocument();
    void NoteChangee(int periode, int serie, int eleve);
    void PointsChange(int periode, int eleve);
    void SerieChangee(int periode, int serie);
    void EleveEnAttente(int periode, int eleve);
    // What changed in the class beyond marks: the views to rebuild.
    enum TChangement {
        ChangementEleves = 1,
        ChangementSeries = 2,
        ChangementCalculs = 4,
        ChangementAppreciations = 8,
        ChangementClasse = 16,
    };
    // Outside a batch the views follow at once; in a batch, once when it ends.
    void Changement(int quoi);
    void RafraichirEnAttente();
    void RafraichirNotesEnAttente();
    void ReconstruireOngletsPeriodes();

    TGestionnaireClasses* gestionnaire = nullptr;
    std::unique_ptr<TDocumentClasse> document;
    TFichierTav* fichier = nullptr; // the document's class file
    // Series (period, series) whose marks changed in the open batch; per period, the one student
    // whose marks changed, or 0 for several.
    QList<std::pair<int, int>> seriesEnAttente;
    QList<std::pair<int, int>> elevesEnAttente;
    int changementsEnAttente = 0; // TChangement flags
    QPixmap logo;
    int periodeCourante = 1;
    TGrilles grilles;
    TGrapheClasse* graphe = nullptr;
    int grapheEleve = 0;
    int largeurNotesRetenue = 0;
    int largeurMoyennesRetenue = 0;
    bool equilibreEnAttente = false;
    bool premierAffichageMesure = false;
    // Whether the clipboard holds text, read when it changes (reading it may wait on its owner).
    bool texteDansPressePapiers = false;
    // A shown setting changed: the views are refreshed when the batch of changes ends.
    bool reglagesARafraichir = false;
    QElapsedTimer chronoOuverture;

    QStackedWidget* pages = nullptr;
    TRangeeOnglets* tabControlGrillesNotes = nullptr;
    TRangeeOnglets* tabControlGrillesBilan = nullptr;
    TRangeeOnglets* tabControlGraphes = nullptr;
    TPanneauGrille* panelEleves = nullptr;
    TPanneauGrille* panelNotes = nullptr;
    TPanneauGrille* panelMoyennes = nullptr;
    TPanneauGrille* panelBilan = nullptr;
    TPanneauGrille* panelElevesGraphe = nullptr;
    TPanneauGrille* panelGraphe = nullptr;
    QSplitter* separateur = nullptr;
    QWidget* panel2 = nullptr;
    QWidget* panel4 = nullptr;
    QToolButton* speedButtonMoyennes = nullptr;
    QToolButton* speedButtonNotes = nullptr;
    QToolButton* speedButtonEgaliserPanneau = nullptr;
    QToolButton* speedButtonRecalculerMoyennes = nullptr;
    QTabBar* tabSet1 = nullptr;
    QLabel* imageFeuVert = nullptr;
    QLabel* imageFeuRouge = nullptr;
    QLabel* label1 = nullptr;
    QLabel* label2 = nullptr;
    QLabel* label3 = nullptr;

    QList<QMenu*> menus;
    QMenu* menuFichier = nullptr;
    QMenu* menuEleves = nullptr;
    QMenu* menuSeries = nullptr;
    QMenu* menuGraphes = nullptr;
    QMenu* menuVues = nullptr;
    QMenu* menuOutils = nullptr;
    QMenu* menuCopier = nullptr;
    QMenu* menuVueNotes = nullptr;
    QMenu* menuVueBilan = nullptr;
    QMenu* menuVueGraphes = nullptr;
    QAction* actionQuitter = nullptr;
    QAction* actionCreerListe = nullptr;
    QAction* actionCollerNoms = nullptr;
    QAction* actionCollerDates = nullptr;
    QAction* actionCopierListe = nullptr;
    QAction* actionAjouterEleve = nullptr;
    QAction* actionSupprimerEleve = nullptr;
    QAction* actionModifierEleve = nullptr;
    QAction* actionAjouterSerie = nullptr;
    QAction* actionSupprimerSeries = nullptr;
    QAction* actionCreerSerie = nullptr;
    QAction* actionTransformerSerie = nullptr;
    QAction* actionReorganiser = nullptr;
    QAction* actionInformationsSeries = nullptr;
    QMenu* menuImporterSerie = nullptr;
    QList<QAction*> actionsGraphe;
    QAction* actionAppreciations = nullptr;
    QAction* actionCopierAppreciations = nullptr;
    QAction* actionPoints = nullptr;
};
