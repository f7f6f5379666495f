#pragma once
// TFormClonerFichier ("Clôner le fichier"): one empty copy of the class per colleague, for a
// team sharing a class. Teachers and subjects are pasted from the clipboard and paired by line.
// After the window closes, the sheet opens the files created when asked to.
#include <QDialog>
#include <QPixmap>
#include <functional>

class QCheckBox;
class QListWidget;
class QPushButton;
class TFichierTav;

class TFormClonerFichier : public QDialog {
    Q_OBJECT
public:
    // fichiersOuverts: the files shown in sheets, never replaced.
    TFormClonerFichier(QWidget* parent, const TFichierTav& source, const QPixmap& logo,
                       const QStringList& fichiersOuverts = {});

    // The folder chooser (tests replace it); the empty text when cancelled.
    using TChoixDossier = std::function<QString(QWidget* parent)>;
    static void DefinirChoixDossier(TChoixDossier choix);

    // Each list replaced by the clipboard's text, one entry per line.
    void CollerEnseignants();
    void CollerMatieres();
    void DefinirEnseignants(const QStringList& lignes);
    void DefinirMatieres(const QStringList& lignes);
    // Asks for the folder, checks every file name, then creates the files.
    void CreerFichiers();

    // The files really saved, and whether they are to be opened.
    const QStringList& FichiersCrees() const { return crees; }
    bool OuvrirFichiers() const;

    QListWidget* ListBoxEnseignants() const { return enseignants; }
    QListWidget* ListBoxMatieres() const { return matieres; }
    QPushButton* SpeedButtonCreerFichiers() const { return boutonCreer; }
    QCheckBox* CheckBoxOuvrirFichiers() const { return ouvrir; }

private:
    void Actualiser();
    void Synchroniser(QListWidget* de, QListWidget* vers);

    const TFichierTav& source;
    QStringList fichiersOuverts;
    QStringList crees;
    QListWidget* enseignants = nullptr;
    QListWidget* matieres = nullptr;
    QPushButton* boutonCreer = nullptr;
    QCheckBox* ouvrir = nullptr;
};
