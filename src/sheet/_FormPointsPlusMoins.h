#pragma once
// TFormPointsPlusMoins: the bonus/malus points of every student, period by period ("&Points en
// plus ou en moins" of the sheet's tools menu).
//
//   TFormPointsPlusMoins dialogue(this, logo, &fichier);
//   dialogue.exec();
//   ... then the caches are invalidated and the averages and summary grids reloaded
//
// One tab per period, the list of the students and the edit field of the selected student's
// points for the tab's period. The edit's text is stored when it is a number and left aside when
// blank; a text that is not a number is refused with a message, and the dialog neither changes
// tab nor student nor closes until it is corrected. Enter stores and moves to the next student.
#include <QDialog>
#include <QPixmap>
#include <QString>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabBar;
class TFichierTav;

class TFormPointsPlusMoins : public QDialog {
    Q_OBJECT
public:
    TFormPointsPlusMoins(QWidget* owner, const QPixmap& logo, TFichierTav* fichier);

    // The period (1-based) and the student (1-based, 0 when none) the edit field belongs to.
    int Periode() const { return periode; }
    int Eleve() const { return eleve; }

    // Stores the edit's text for the current student and period. False, after the message, when
    // the text is not blank and not a number; the edit then has the focus with its text selected.
    bool Enregistrer();

    static QString MessageNombreIncorrect(const QString& texte) {
        return texte + QStringLiteral(" n'est pas un nombre correct.");
    }

    QLabel* Image1() const { return image; }
    QTabBar* TabControlPeriodes() const { return onglets; }
    QListWidget* ListBoxEleves() const { return listeEleves; }
    QLabel* Label1() const { return etiquette; }
    QLineEdit* Edit1() const { return edit; }
    QPushButton* BoutonFermer() const { return boutonFermer; }

public slots:
    void Fermer();
    void reject() override;

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    // Shows the points of the selected student for the tab's period.
    void ChargerPoints();
    void OngletChange(int indice);
    void EleveChange(int ligne);
    void EleveSuivant();
    // Whether a refusal of the text now would repeat the one just shown.
    bool DejaRefuse(const QString& texte) const;

    TFichierTav* fichier;
    int periode = 1;
    int eleve = 0;
    bool verification = false; // a check (and its message) is under way
    bool retour = false;       // the tab or the student is being put back
    QString texteRefuse;       // the last text refused, while it stays unchanged

    QLabel* image = nullptr;
    QTabBar* onglets = nullptr;
    QListWidget* listeEleves = nullptr;
    QLabel* etiquette = nullptr;
    QLineEdit* edit = nullptr;
    QPushButton* boutonFermer = nullptr;
};
