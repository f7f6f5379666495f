#include "_FormPatientez.h"

#include "tavX_programme.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

TFormPatientez::TFormPatientez(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Ouverture de vos fichiers ... patientez"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowFlag(Qt::WindowCloseButtonHint, false);

    auto* image = new QLabel(this);
    image->setPixmap(Programme::Logo().scaledToWidth(56, Qt::SmoothTransformation));
    auto* legende = new QLabel(QStringLiteral("Ouverture de vos fichiers ... patientez"), this);
    barre = new QProgressBar(this);
    barre->setRange(0, 0);
    barre->setValue(0);
    barre->setMinimumWidth(320);

    auto* colonne = new QVBoxLayout;
    colonne->addWidget(legende);
    colonne->addWidget(barre);
    auto* disposition = new QHBoxLayout(this);
    disposition->setContentsMargins(16, 16, 16, 16);
    disposition->setSpacing(14);
    disposition->addWidget(image);
    disposition->addLayout(colonne, 1);
}

void TFormPatientez::DefinirMaximum(int maximum) {
    barre->setRange(0, maximum);
    barre->setValue(0);
}

void TFormPatientez::Avancer() {
    barre->setValue(barre->value() + 1);
}

int TFormPatientez::Position() const {
    return barre->value();
}
