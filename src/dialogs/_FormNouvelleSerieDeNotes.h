#pragma once
// TFormNouvelleSerieDeNotes: the attributes of a new series of grades (period, title, type,
// coefficient, maximum mark, counts in the average, written or oral, date, comment). The dialog
// changes nothing; after OK the caller adds the series:
//
//   TFormNouvelleSerieDeNotes d(this, QStringLiteral("Nouvelle série de notes"), logo, &fichier);
//   d.ModifierPeriode(periodeCourante);
//   if (d.exec() == QDialog::Accepted) {
//       d.AjouterA(fichier);          // AjouterSerie(...) then InvaliderCalculs()
//       periodeCourante = d.Periode();
//   }
//
// (AjouterSerieDeNotes in tavX_commandesSeries.h runs the whole "Ajouter une série" command.)
#include <QDialog>
#include <QPixmap>
#include <QString>

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabBar;
class QToolButton;
class TFichierTav;
class TSelecteurDate;

class TFormNouvelleSerieDeNotes : public QDialog {
    Q_OBJECT
public:
    TFormNouvelleSerieDeNotes(QWidget* owner, const QString& legende, const QPixmap& image,
                              TFichierTav* fichier);

    // Selects the tab of period p (1-based).
    void ModifierPeriode(int p);

    // The values read after OK.
    int Periode() const;
    QString Intitule() const;
    bool Oral() const;
    QString TypeNotes() const;
    QString Commentaire() const;
    QString DateTexte() const;         // "dd/MM/yyyy"
    QString CompteDansMoyenne() const; // "oui" or "non"
    QString Coefficient() const;
    QString NoteSur() const;

    // Adds the series described to the end of the chosen period, then invalidates the class's
    // calculations.
    void AjouterA(TFichierTav& fichier) const;

    // The "new value" buttons.
    void NouveauCoefficient();
    void NouveauNoteSur();
    void NouveauType();
    void RechargerTypes();

    static QStringList CoefficientsStandard();
    static QStringList NotesSurStandard();

    QTabBar* TabControl1() const { return onglets; }
    QComboBox* ComboBox1() const { return comboIntitule; }
    QComboBox* ComboBoxTypesDeNotes() const { return comboTypes; }
    QComboBox* ComboBox2() const { return comboCoefficient; }
    QComboBox* ComboBox5() const { return comboNoteSur; }
    QRadioButton* BoutonOui() const { return radioOui; }
    QRadioButton* BoutonNon() const { return radioNon; }
    QRadioButton* BoutonEcrit() const { return radioEcrit; }
    QRadioButton* BoutonOral() const { return radioOral; }
    TSelecteurDate* DateTimePicker1() const { return date; }
    QLineEdit* Edit3() const { return editCommentaire; }
    QToolButton* SpeedButton1() const { return boutonType; }
    QToolButton* SpeedButton3() const { return boutonCoefficient; }
    QToolButton* SpeedButton2() const { return boutonNoteSur; }
    QPushButton* BoutonOk() const { return boutonOk; }
    QPushButton* BoutonAnnuler() const { return boutonAnnuler; }

public slots:
    void accept() override;

private:
    void NouvelleValeur(QComboBox* liste, const QString& legende);

    TFichierTav* fichier;
    QTabBar* onglets;
    QComboBox* comboIntitule;
    QComboBox* comboTypes;
    QComboBox* comboCoefficient;
    QComboBox* comboNoteSur;
    QRadioButton* radioOui;
    QRadioButton* radioNon;
    QRadioButton* radioEcrit;
    QRadioButton* radioOral;
    TSelecteurDate* date;
    QLineEdit* editCommentaire;
    QToolButton* boutonType;
    QToolButton* boutonCoefficient;
    QToolButton* boutonNoteSur;
    QPushButton* boutonOk;
    QPushButton* boutonAnnuler;
};
