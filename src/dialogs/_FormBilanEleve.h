#pragma once
// TFormBilanEleve: "Bilan élève", a plain-text summary of the marks of the ticked students for
// one period, written to a file the user names. Changes nothing in the class.
//
// The file is written in one safe write (UTF-8): a failure says why and keeps the window open.
#include <QDialog>
#include <QList>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QListWidget;
class QPushButton;
class TFichierTav;

class TFormBilanEleve : public QDialog {
    Q_OBJECT
public:
    TFormBilanEleve(QWidget* owner, TFichierTav* fichier, const QPixmap& logo);

    // The lines of the summary of these students (1..N, in order) for period p.
    static QStringList Lignes(TFichierTav& fichier, const QList<int>& eleves, int periode);

    QListWidget* ListeEleves() const { return eleves; }
    QComboBox* ListePeriodes() const { return periodes; }
    QCheckBox* CaseOuvrir() const { return caseOuvrir; }
    QPushButton* BoutonCreer() const { return creer; }
    QPushButton* BoutonTous() const { return tous; }
    QPushButton* BoutonAucun() const { return aucun; }
    QList<int> ElevesCoches() const;
    // "&Créer le bilan"; true when a file was written (the window then closes).
    bool CreerBilan();

    static QString MessageEchec(const QString& chemin, const QString& cause) {
        return QStringLiteral("Le bilan n'a pas pu être enregistré dans le fichier \"") + chemin +
               QStringLiteral("\" :\n") + cause;
    }

private:
    TFichierTav* fichier;
    QListWidget* eleves = nullptr;
    QComboBox* periodes = nullptr;
    QCheckBox* caseOuvrir = nullptr;
    QPushButton* creer = nullptr;
    QPushButton* tous = nullptr;
    QPushButton* aucun = nullptr;
};
