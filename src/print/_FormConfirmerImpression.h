#pragma once
// TFormConfirmerImpression: the last question before a print run — page range, copies, parity
// of the pages, reverse order. Nothing is sent to the printer before it is accepted.
#include "tavX_impression.h"

#include <QDialog>

class QCheckBox;
class QRadioButton;
class QSpinBox;

class TFormConfirmerImpression : public QDialog {
    Q_OBJECT
public:
    TFormConfirmerImpression(int nombrePages, QWidget* parent = nullptr);
    // The choices as they stand (the range is always within 1 .. page count).
    TChoixImpression Choix() const;

    QRadioButton* BoutonToutes() const { return toutes; }
    QRadioButton* BoutonDeLaPage() const { return deLaPage; }
    QSpinBox* ChampPremiere() const { return premiere; }
    QSpinBox* ChampDerniere() const { return derniere; }
    QSpinBox* ChampCopies() const { return copies; }
    QCheckBox* CaseInverse() const { return inverse; }
    QRadioButton* BoutonParite(int parite) const { return parites[parite]; }

private:
    int nombrePages;
    QRadioButton* toutes = nullptr;
    QRadioButton* deLaPage = nullptr;
    QSpinBox* premiere = nullptr;
    QSpinBox* derniere = nullptr;
    QSpinBox* copies = nullptr;
    QCheckBox* inverse = nullptr;
    QRadioButton* parites[3] = {};
};
