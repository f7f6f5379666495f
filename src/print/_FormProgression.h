#pragma once
// TFormProgression: the progress window of a print run, with its caption and a cancel button.
#include <QProgressDialog>

class TFormProgression : public QProgressDialog {
    Q_OBJECT
public:
    explicit TFormProgression(QWidget* parent = nullptr);
    // Shows the step (position out of total) and lets the window repaint; false once cancelled.
    bool Avancer(int position, int total, const QString& legende);
};
