#pragma once
// TFormOptions ("Configurer Tavelin"): every user setting in one modal window, one page per
// subject. It reads each setting when it is created and keeps the values in its controls; they
// are all stored when it closes, however it closes (its single "&Fermer" button, Enter, Escape,
// the window's close box) or, failing that, when it is destroyed. The period schemes are the
// exception: each change of a scheme is stored at once.
//
// Each setting is written on its own: a failure to store one loses nothing else, and the user
// is told when the settings store could not be written.
#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <initializer_list>

class QButtonGroup;
class QCheckBox;
class QGridLayout;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTabWidget;
class TBoutonCouleur;
class TListeEditable;
struct TTextesListe;

class TFormOptions : public QDialog {
    Q_OBJECT
public:
    // Names of the pages, in their order.
    static QStringList Pages();
    // Names of the sub-pages of "Impression".
    static QStringList SousPagesImpression();

    explicit TFormOptions(QWidget* parent = nullptr);
    ~TFormOptions() override;

    // Shows a page (by name, "&" and case ignored) and, for "Impression", one of its sub-pages;
    // false when there is no such page.
    bool AllerA(const QString& page, const QString& sousPage = {});
    QString PageCourante() const;
    QString SousPageCourante() const;

    // Opens the dialog modally on that page and destroys it; the settings it changed are
    // announced once, when it is gone.
    static void Ouvrir(QWidget* parent, const QString& page = {}, const QString& sousPage = {});

    // Stores every value (done once; closing calls it). False when something could not be
    // stored.
    bool Enregistrer();

    // Period schemes: the most sub-periods a scheme may have (a class holds one average column
    // per period in its saved grids).
    static constexpr int MaxSousPeriodes = 64;

    // The lists (tests).
    TListeEditable* ListeTypesDeNotes() const { return listeTypes; }
    TListeEditable* ListeMatieres() const { return listeMatieres; }
    TListeEditable* ListeEnseignants() const { return listeEnseignants; }

public slots:
    void done(int resultat) override;

private:
    QWidget* PageDemarrage();
    QWidget* PageDivers();
    QWidget* PageImpression();
    QWidget* PageTypesDeNotes();
    QWidget* PageGraphes();
    QWidget* PageMoyennes();
    QWidget* PageCouleurGrilles();
    QWidget* PageTypesDePeriodes();
    QWidget* PageCouleurNotes();
    QWidget* PageHistorique();
    QWidget* PageOnglets();
    QWidget* PageMatieres();
    QWidget* PageEnseignants();

    // Controls bound to a setting: read now, written by Enregistrer().
    QCheckBox* Case(QWidget* parent, const QString& texte, const char* nom, bool (*lire)(),
                    void (*ecrire)(bool));
    QButtonGroup* Choix(QWidget* boite, const QStringList& textes, const char* nom,
                        quint8 (*lire)(), void (*ecrire)(quint8),
                        std::function<bool()> condition = {});
    QSpinBox* Nombre(QWidget* parent, const char* nom, int minimum, int maximum, int valeur,
                     std::function<void(int)> ecrire);
    TBoutonCouleur* Couleur(QWidget* parent, const QString& titre, const char* nom,
                            qint32 (*lire)(), void (*ecrire)(qint32), qint32 (*parDefaut)());
    // The lines a kind of printout includes, each with its check box.
    QWidget* ListeACocher(QWidget* parent, quint8 type, const QString& titre);

    // A colour setting on a row of its own: its caption, the title of its button (tool tip and
    // colour dialog) and the setting.
    struct TCouleurReglee {
        QString libelle;
        QString titre;
        const char* nom;
        qint32 (*lire)();
        void (*ecrire)(qint32);
        qint32 (*parDefaut)();
    };
    // Colour rows at the end of a grid, their buttons made in parent; the buttons and their
    // "Couleur par défaut" are added to boutons.
    void LignesCouleurs(QGridLayout* grille, QWidget* parent,
                        std::initializer_list<TCouleurReglee> couleurs,
                        QList<QWidget*>* boutons = nullptr);
    // A page of colour rows and the check box that turns the colouring, and the rows, on.
    QWidget* PageCouleurs(std::initializer_list<TCouleurReglee> couleurs, const QString& texteCase,
                          const char* nomCase, bool (*lire)(), void (*ecrire)(bool));

    // An editable list page; the list is written under its store key when it changed.
    TListeEditable* Liste(const TTextesListe& textes, const QStringList& elements,
                          const QString& cle, void (*enregistrer)(const QStringList&));

    // Period schemes.
    void SchemaChoisi();
    void AjouterSchema();
    void SupprimerSchema();
    void SchemasParDefaut();
    void SousPeriodeChoisie();
    void SousPeriodeRenommee(const QString& texte);
    void ActualiserSchemas();

    QListWidget* listePages = nullptr;
    QTabWidget* ongletsImpression = nullptr;

    QList<std::function<void()>> ecritures;
    bool enregistre = false;

    TListeEditable* listeTypes = nullptr;
    TListeEditable* listeMatieres = nullptr;
    TListeEditable* listeEnseignants = nullptr;

    // "Types de périodes"
    QListWidget* listeSchemas = nullptr;
    QLineEdit* editSchema = nullptr;
    QSpinBox* nombreSousPeriodes = nullptr;
    QPushButton* boutonAjouterSchema = nullptr;
    QPushButton* boutonSupprimerSchema = nullptr;
    QListWidget* listeSousPeriodes = nullptr;
    QLineEdit* editSousPeriode = nullptr;
    bool remplissageSchemas = false;
};
