#pragma once
// The about box.
#include <QDialog>

class QPixmap;

class TFormAProposDe : public QDialog {
    Q_OBJECT
public:
    explicit TFormAProposDe(const QPixmap& logo, QWidget* parent = nullptr);
};
