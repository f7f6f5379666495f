#pragma once
// TFormCreerBulletins: the report-card wizard. Step 1 chooses the class files, one per subject,
// each checked against the first; step 2 the period, the students and the order of the
// subjects; step 3 the titles, the logo and the options. "&Voir les bulletins" gathers the
// cards (every file read once more and checked again) and shows them in the preview.
#include "tavX_donneesBulletins.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QComboBox;
class QFileSystemModel;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStackedWidget;
class QTreeView;

class TFormCreerBulletins : public QDialog {
    Q_OBJECT
public:
    // A class open in the program: its path, whether it has unsaved changes, and how to save it
    // (true when saved).
    struct TClasseOuverte {
        QString chemin;
        bool modifiee = false;
        std::function<bool()> enregistrer;
    };
    using TClassesOuvertes = std::function<QList<TClasseOuverte>()>;
    // Installed by the program: the classes open in its sheets.
    static void DefinirClassesOuvertes(TClassesOuvertes classes);
    // What "&Voir les bulletins" does with the gathered cards (by default the modal preview).
    using TApercu = std::function<void(QWidget* parent, const Bulletins::TJeu& jeu)>;
    static void DefinirApercu(TApercu apercu);

    // Makes the shared "Bulletins" command open the wizard over the window, for as long as the
    // window lives, with the program's open classes.
    static void Installer(QWidget* fenetre, TClassesOuvertes classes);

    explicit TFormCreerBulletins(QWidget* owner);
    ~TFormCreerBulletins() override;
    // Opens the wizard modally.
    static void Ouvrir(QWidget* owner);

    int Etape() const { return etape; }
    // Step 1: adds a file after its checks (false with the message shown when refused, or when
    // already in the list); removes the selected one, or all.
    bool AjouterFichier(const QString& chemin);
    void RetirerFichier();
    void ToutRetirer();
    const QStringList& Fichiers() const { return fichiers; }
    const QStringList& Matieres() const { return matieres; }
    // Step 2: moves the selected subject, with its file.
    void MonterMatiere();
    void DescendreMatiere();
    // Goes to the next / previous step.
    void EtapeSuivante();
    void EtapePrecedente();
    // Step 3: gathers the cards and shows them; false when a file stopped it.
    bool VoirBulletins();
    // The options the cards are gathered with, as the wizard's fields stand.
    Bulletins::TOptions OptionsChoisies() const;

    QTreeView* Explorateur() const { return explorateur; }
    QListWidget* ListeFichiers() const { return listeFichiers; }
    QLabel* LabelEleves() const { return labelEleves; }
    QLabel* LabelPeriodes() const { return labelPeriodes; }
    QLabel* LabelType() const { return labelType; }
    QComboBox* ComboPeriode() const { return comboPeriode; }
    QListWidget* ListeEleves() const { return listeEleves; }
    QListWidget* ListeMatieres() const { return listeMatieres; }
    QLineEdit* EditEcole() const { return editEcole; }
    QLineEdit* EditAnnee() const { return editAnnee; }
    QLineEdit* EditPeriode() const { return editPeriode; }
    QLineEdit* EditIntitule() const { return editIntitule; }
    QLabel* ImageLogo() const { return imageLogo; }
    QCheckBox* CaseAppreciations() const { return caseAppreciations; }
    QCheckBox* CaseEnseignant() const { return caseEnseignant; }
    QCheckBox* CaseMasquer() const { return caseMasquer; }
    QPushButton* BoutonSuivant() const { return boutonSuivant; }
    QPushButton* BoutonPrecedent() const { return boutonPrecedent; }
    QPushButton* BoutonVoir() const { return boutonVoir; }
    const QString& Logo() const { return logo; }
    void ChoisirLogo();
    void ReinitialiserLogo();
    // The help text.
    static QString TexteAide();

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void AllerA(int numero);
    void MettreAJour();
    void MettreAJourLabels();
    void Erreur(const QString& texte);
    bool PreparerEtape2();
    void PreparerEtape3();
    void DeplacerMatiere(int sens);
    void DefinirLogo(const QString& chemin);
    bool EnregistrerClassesModifiees();

    int etape = 1;
    QStringList fichiers;
    QStringList matieres;
    Bulletins::TReference reference;
    QString ecole, annee;
    bool reglagesLus = false;
    QString logo;

    QStackedWidget* pages;
    QFileSystemModel* modeleFichiers;
    QTreeView* explorateur;
    QListWidget* listeFichiers;
    QLabel* labelEleves;
    QLabel* labelPeriodes;
    QLabel* labelType;
    QComboBox* comboPeriode;
    QListWidget* listeEleves;
    QListWidget* listeMatieres;
    QLineEdit* editEcole;
    QLineEdit* editAnnee;
    QLineEdit* editPeriode;
    QLineEdit* editIntitule;
    QLabel* imageLogo;
    QCheckBox* caseAppreciations;
    QCheckBox* caseEnseignant;
    QCheckBox* caseMasquer;
    QPushButton* boutonSuivant;
    QPushButton* boutonPrecedent;
    QPushButton* boutonVoir;
};
