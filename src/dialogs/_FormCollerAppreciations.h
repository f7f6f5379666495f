#pragma once
// TFormCollerAppreciations: "Copier les appréciations dans le Presse-Papiers", the report-card
// appreciations of the ticked periods put on the clipboard as text. Changes nothing in the class.
#include <QDialog>
#include <QList>

class QCheckBox;
class QListWidget;
class QPushButton;
class TFichierTav;

class TFormCollerAppreciations : public QDialog {
    Q_OBJECT
public:
    TFormCollerAppreciations(QWidget* owner, TFichierTav* fichier, const QPixmap& logo);

    // The clipboard text for these periods (1..P, in order). Per period, one line per student:
    // with the names, "name;c1;c2;...;cK"; without, each appreciation on its own line. An empty
    // line ends each period.
    static QString Texte(TFichierTav& fichier, const QList<int>& periodes, bool avecNoms);

    QListWidget* ListePeriodes() const { return periodes; }
    QCheckBox* CaseNoms() const { return caseNoms; }
    QPushButton* BoutonCopier() const { return copier; }
    QPushButton* BoutonToutSelectionner() const { return tout; }
    QPushButton* BoutonToutDeselectionner() const { return rien; }
    QList<int> PeriodesCochees() const;
    void Copier();

private:
    void Actualiser();

    TFichierTav* fichier;
    QListWidget* periodes = nullptr;
    QCheckBox* caseNoms = nullptr;
    QPushButton* copier = nullptr;
    QPushButton* tout = nullptr;
    QPushButton* rien = nullptr;
};
