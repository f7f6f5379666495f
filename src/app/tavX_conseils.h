#pragma once
// The start-up tips and their window.
#include <QDialog>
#include <QStringList>

class QCheckBox;
class QLabel;
class QPushButton;

namespace Conseils {
// The 21 tips, in order.
const QStringList& Liste();
// The tip number stored as "numeroConseilEnCours", brought back to 1..count.
int NumeroEnCours();
// The number after / before n, wrapping around.
int Suivant(int n);
int Precedent(int n);
} // namespace Conseils

class TFormConseilsDemarrage : public QDialog {
    Q_OBJECT
public:
    explicit TFormConseilsDemarrage(QWidget* parent = nullptr);

    int Numero() const { return numero; }
    QString TexteConseil() const;
    QString Compteur() const;
    QCheckBox* CaseAfficher() const { return caseAfficher; }
    QPushButton* BoutonPrecedent() const { return boutonPrecedent; }
    QPushButton* BoutonSuivant() const { return boutonSuivant; }
    QPushButton* BoutonFermer() const { return boutonFermer; }

    void ConseilSuivant();
    void ConseilPrecedent();

protected:
    void hideEvent(QHideEvent* evenement) override;

private:
    void Afficher(int n);

    int numero = 1;
    QLabel* texte = nullptr;
    QLabel* compteur = nullptr;
    QCheckBox* caseAfficher = nullptr;
    QPushButton* boutonPrecedent = nullptr;
    QPushButton* boutonSuivant = nullptr;
    QPushButton* boutonFermer = nullptr;
};
