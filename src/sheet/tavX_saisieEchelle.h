#pragma once
// The value-entry dialog for the scale of the averages: a whole number from 1 to 1000. Another
// number is refused as the dialog refuses a text that is not a number, and the dialog stays open.
#include "_FormEdit.h"

class TSaisieEchelle : public TFormEdit {
    Q_OBJECT
public:
    TSaisieEchelle(QWidget* owner, const QString& texteInitial, const QString& legende);

    // The scale a text gives, when it is a whole number from 1 to 1000.
    static bool Lire(const QString& texte, int& echelle);
    // Asks for a scale, the field showing texteInitial; false when cancelled.
    static bool Demander(QWidget* owner, const QString& legende, const QString& texteInitial,
                         int& echelle);

    void accept() override;
};
