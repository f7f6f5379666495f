#include "_FormConfirmerImpression.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

TFormConfirmerImpression::TFormConfirmerImpression(int nombrePages, QWidget* parent)
    : QDialog(parent), nombrePages(std::max(1, nombrePages)) {
    setObjectName(QStringLiteral("FormConfirmerImpression"));
    setWindowTitle(QStringLiteral("Impression"));
    auto* disposition = new QVBoxLayout(this);

    auto* groupePages = new QGroupBox(QStringLiteral(" Pages à imprimer "), this);
    auto* grillePages = new QGridLayout(groupePages);
    toutes = new QRadioButton(QStringLiteral("&Toutes les pages"), groupePages);
    deLaPage = new QRadioButton(QStringLiteral("&De la page"), groupePages);
    premiere = new QSpinBox(groupePages);
    derniere = new QSpinBox(groupePages);
    for (QSpinBox* champ : {premiere, derniere})
        champ->setRange(1, this->nombrePages);
    premiere->setValue(1);
    derniere->setValue(this->nombrePages);
    auto* etiquetteA = new QLabel(QStringLiteral("à la &page"), groupePages);
    etiquetteA->setBuddy(derniere);
    grillePages->addWidget(toutes, 0, 0, 1, 4);
    grillePages->addWidget(deLaPage, 1, 0);
    grillePages->addWidget(premiere, 1, 1);
    grillePages->addWidget(etiquetteA, 1, 2);
    grillePages->addWidget(derniere, 1, 3);
    toutes->setChecked(true);
    auto activer = [this] {
        premiere->setEnabled(deLaPage->isChecked());
        derniere->setEnabled(deLaPage->isChecked());
    };
    connect(deLaPage, &QRadioButton::toggled, this, activer);
    activer();
    disposition->addWidget(groupePages);

    auto* ligneCopies = new QHBoxLayout;
    copies = new QSpinBox(this);
    copies->setRange(1, 99);
    copies->setValue(1);
    auto* etiquetteCopies = new QLabel(QStringLiteral("&Nombre d'exemplaire(s)"), this);
    etiquetteCopies->setBuddy(copies);
    ligneCopies->addWidget(etiquetteCopies);
    ligneCopies->addWidget(copies);
    ligneCopies->addStretch();
    disposition->addLayout(ligneCopies);

    auto* groupeParite = new QGroupBox(QStringLiteral(" &Parité des pages à imprimer "), this);
    auto* dispositionParite = new QVBoxLayout(groupeParite);
    const QStringList textes = {QStringLiteral("Pages impaires et paires"),
                                QStringLiteral("Pages impaires seulement"),
                                QStringLiteral("Pages paires seulement")};
    for (int i = 0; i < 3; ++i) {
        parites[i] = new QRadioButton(textes[i], groupeParite);
        dispositionParite->addWidget(parites[i]);
    }
    parites[0]->setChecked(true);
    disposition->addWidget(groupeParite);

    inverse = new QCheckBox(QStringLiteral("&Ordre inverse"), this);
    disposition->addWidget(inverse);

    auto* boutons = new QDialogButtonBox(this);
    QPushButton* lancer =
        boutons->addButton(QStringLiteral("&Lancer l'impression"), QDialogButtonBox::AcceptRole);
    boutons->addButton(QStringLiteral("&Annuler"), QDialogButtonBox::RejectRole);
    lancer->setDefault(true);
    connect(boutons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    disposition->addWidget(boutons);
}

TChoixImpression TFormConfirmerImpression::Choix() const {
    TChoixImpression choix;
    if (toutes->isChecked()) {
        choix.premiere = 1;
        choix.derniere = nombrePages;
    } else {
        choix.premiere = premiere->value();
        choix.derniere = derniere->value();
    }
    choix.copies = copies->value();
    choix.inverse = inverse->isChecked();
    for (int i = 0; i < 3; ++i)
        if (parites[i]->isChecked()) choix.parite = i;
    return choix;
}
