#pragma once
// TFormEdit: the one-line value-entry dialog of the grids and of the series dialogs.
//
//   TFormEdit saisie(this, true, QStringLiteral("15"), QStringLiteral("Noté sur"));
//   if (saisie.exec() == QDialog::Accepted) utiliser(saisie.Texte());
//
// Enter = OK, Escape = Cancel. OK refuses a blank text ("Le champ est vide ... Recommencez !")
// and, in numeric mode, a text that is not a number with the decimal comma ("Valeur numérique
// incorrecte ... Recommencez !!!"); the dialog then stays open with the field emptied. In numeric
// mode a typed "." becomes ",". Confirming the unchanged initial text counts as Cancel.
#include <QDialog>
#include <QString>

class QLineEdit;
class QPushButton;

class TFormEdit : public QDialog {
    Q_OBJECT
public:
    TFormEdit(QWidget* owner, bool numerique, const QString& texteInitial, const QString& legende);

    // The text of the field (trimmed in numeric mode once accepted).
    QString Texte() const;
    bool EstNumerique() const { return numerique; }

    QLineEdit* Champ() const { return champ; }
    QPushButton* BoutonOk() const { return boutonOk; }
    QPushButton* BoutonAnnuler() const { return boutonAnnuler; }

    static QString MessageChampVide() {
        return QStringLiteral("Le champ est vide ... Recommencez !");
    }
    static QString MessageValeurIncorrecte() {
        return QStringLiteral("Valeur numérique incorrecte ... Recommencez !!!");
    }

public slots:
    void accept() override;

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    void Refuser(const QString& message);

    bool numerique;
    QString texteInitial;
    QLineEdit* champ;
    QPushButton* boutonOk;
    QPushButton* boutonAnnuler;
};
