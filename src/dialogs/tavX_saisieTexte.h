#pragma once
// Text typed by the user ends up in a class file, which holds Windows-1252 only. A character
// outside that set ("Ł", an emoji ...) is refused where it is typed, with a message naming it;
// nothing is ever replaced silently.
//
// ControlerSaisie installs the check on a line edit (or the edit field of an editable combo
// box): a key press, a paste or a drop that would bring such a character in is undone, and the
// message is shown once the edit has settled. Grid editors use the same call on their editor.
#include <QString>
#include <QValidator>

class QComboBox;
class QLineEdit;
class QWidget;

namespace Tav {

class TValidateurWindows1252 : public QValidator {
    Q_OBJECT
public:
    explicit TValidateurWindows1252(QObject* parent = nullptr);
    State validate(QString& texte, int& position) const override;

signals:
    // The first refused character of a refused edit (sent after the edit, once per burst).
    void caractereRefuse(const QString& caractere);

private:
    mutable bool annonceEnAttente = false;
};

// Installs the check; the message box is owned by the field's window.
TValidateurWindows1252* ControlerSaisie(QLineEdit* champ);
TValidateurWindows1252* ControlerSaisie(QComboBox* liste);

// Last check before a text is stored (text that reached a field by program, an item of a list
// read from the settings ...): shows the message and returns false when the text holds a
// character that a class file cannot hold.
bool TexteEnregistrable(QWidget* parent, const QString& texte);

} // namespace Tav
