#pragma once
// TListeEditable: a sorted list of names that the user edits in the options dialog (grade types,
// subjects, teacher names): an edit field and "&Ajouter à la liste", "&Supprimer de la liste"
// with its question, the default list, import from and export to a text file, paste from the
// clipboard and "delete all".
//
// Every name that reaches the list is trimmed; blank lines are skipped; a name longer than
// LongueurMax or holding a character a class file cannot hold (Windows-1252) is refused, the
// refused lines listed in one message. "Already in the list" ignores case.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>

class QLineEdit;
class QEvent;
class QListWidget;
class QPushButton;

struct TTextesListe {
    QString objet;                // object-name prefix of the controls ("TypesDeNotes")
    QString libelleChamp;         // label of the edit field
    QString questionDefaut;       // "Revenir à la liste des ... par défaut ?"
    QString titreImport;          // open dialog title
    QString titreExport;          // save dialog title
    QString libelleToutSupprimer; // "S&upprimer tous les ... de la liste"
    QString questionToutSupprimer;
    QString messageMinimum; // said when "delete all" keeps the defaults (with a floor)
    QString bulle;          // tool tip of the list
    std::function<QStringList()> parDefaut;
    int minimum = 0; // the list never goes below this many names
    bool viderApresAjout = false;
    bool deuxColonnes = false;
};

// Enter in the field runs action when it can (action returns true) and then stays in the field;
// otherwise the key goes on to the dialog (its default button).
void IntercepterEntree(QLineEdit* champ, std::function<bool()> action);

class TListeEditable : public QWidget {
    Q_OBJECT
public:
    static constexpr int LongueurMax = 100;

    TListeEditable(const TTextesListe& textes, const QStringList& elements,
                   QWidget* parent = nullptr);

    QStringList Elements() const { return Textes(liste); }
    QLineEdit* Champ() const { return champ; }
    QListWidget* Liste() const { return liste; }

    // The commands of the buttons.
    void Ajouter();
    void Supprimer();
    void ListeParDefaut();
    void Importer();
    void Exporter();
    void Coller();
    void ToutSupprimer();

    // Selects a name (compared ignoring case); false when it is not in the list.
    bool Selectionner(const QString& nom);

    // Why a name cannot enter a list (empty when it can): too long, or a character a class file
    // cannot hold.
    static QString Refus(const QString& nom);
    // Text of a file: UTF-8 when it is valid UTF-8, Windows-1252 otherwise.
    static QString DecoderTexte(const QByteArray& octets);
    // Sort key: case and accents count last.
    static bool AvantDans(const QString& a, const QString& b);
    // The texts of a list's rows, in order.
    static QStringList Textes(const QListWidget* liste);
    // The row holding a name, case ignored, row sauf left out; -1 when there is none.
    static int Rang(const QListWidget* liste, const QString& nom, int sauf = -1);

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    bool Contient(const QString& nom) const { return Rang(liste, nom) >= 0; }
    // Adds every acceptable line not in the list yet; the refused ones are listed in one
    // message.
    void AjouterLignes(const QStringList& lignes);
    void Inserer(const QString& nom);
    void Remplacer(const QStringList& elements);
    void ActualiserBoutons();

    TTextesListe textes;
    QLineEdit* champ = nullptr;
    QListWidget* liste = nullptr;
    QPushButton* boutonAjouter = nullptr;
    QPushButton* boutonSupprimer = nullptr;
};
