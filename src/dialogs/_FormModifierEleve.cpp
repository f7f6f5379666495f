#include "_FormModifierEleve.h"

#include "tavX_controlesSerie.h"
#include "tavX_saisieTexte.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFormModifierEleve::TFormModifierEleve(QWidget* owner, const QString& legende, bool redoublant,
                                       const QString& dateNaissance, const QString& nom)
    : QDialog(owner) {
    setWindowTitle(legende);
    setObjectName(QStringLiteral("FormModifierEleve"));

    const Dialogues::TChampsEleve champs = Dialogues::ChampsEleve(this);
    editNom = champs.nom;
    editNom->setText(nom);
    auto* labelNom = champs.libelleNom;
    editDate = champs.date;
    editDate->setText(dateNaissance);
    auto* labelDate = champs.libelleDate;
    auto* format = champs.format;
    checkRedoublant = champs.redoublant;
    checkRedoublant->setChecked(redoublant);

    boutonOk = new QPushButton(QStringLiteral("&Ok"), this);
    boutonOk->setDefault(true);
    boutonAnnuler = new QPushButton(QStringLiteral("&Annuler"), this);
    connect(boutonOk, &QPushButton::clicked, this, &TFormModifierEleve::accept);
    connect(boutonAnnuler, &QPushButton::clicked, this, &TFormModifierEleve::reject);

    auto* grille = new QGridLayout;
    grille->addWidget(labelNom, 0, 0, 1, 3);
    grille->addWidget(editNom, 1, 0, 1, 3);
    grille->addWidget(labelDate, 2, 0);
    grille->addWidget(editDate, 2, 1);
    grille->addWidget(format, 2, 2);
    grille->addWidget(checkRedoublant, 3, 0, 1, 3);
    grille->setColumnStretch(2, 1);
    auto* boutons = new QHBoxLayout;
    boutons->addStretch();
    boutons->addWidget(boutonOk);
    boutons->addWidget(boutonAnnuler);
    auto* mise = new QVBoxLayout(this);
    mise->addLayout(grille);
    mise->addSpacing(6);
    mise->addLayout(boutons);
    setFixedSize(sizeHint());

    Dialogues::OrdreTabulation({editNom, editDate, checkRedoublant, boutonOk, boutonAnnuler});
    editNom->selectAll();
    editNom->setFocus();
}

QString TFormModifierEleve::Nom() const {
    return editNom->text();
}
QString TFormModifierEleve::DateNaissance() const {
    return editDate->text();
}
bool TFormModifierEleve::Redoublant() const {
    return checkRedoublant->isChecked();
}

void TFormModifierEleve::accept() {
    if (!Tav::TexteEnregistrable(this, editNom->text()) ||
        !Tav::TexteEnregistrable(this, editDate->text()))
        return;
    QDialog::accept();
}
