#pragma once
// The please-wait window shown while the files of the last session open.
#include <QDialog>

class QLabel;
class QProgressBar;

class TFormPatientez : public QDialog {
    Q_OBJECT
public:
    explicit TFormPatientez(QWidget* parent = nullptr);

    // The bar goes from 0 to maximum, one step per file.
    void DefinirMaximum(int maximum);
    void Avancer();
    int Position() const;
    QProgressBar* Barre() const { return barre; }

private:
    QProgressBar* barre = nullptr;
};
