#include "_FormListeEleves.h"

#include "_FormCreerListeEleves.h"
#include "tavX_fichierTav.h"
#include "tavX_imageLogo.h"
#include "tavX_listeColoree.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TFormListeEleves::TFormListeEleves(QWidget* owner, const QString& legende,
                                   const TFichierTav& fichier, const QPixmap& logo)
    : QDialog(owner) {
    setWindowTitle(legende);
    setObjectName(QStringLiteral("FormListeEleves"));

    listeEleves = new QListWidget(this);
    listeEleves->setObjectName(QStringLiteral("ListBoxEleves"));
    Tav::ColorerListe(listeEleves);
    listeEleves->addItems(fichier.ListeEleves());
    listeEleves->setMinimumSize(260, 12 * Tav::HauteurLigneListe);
    if (listeEleves->count() > 0) listeEleves->setCurrentRow(0);
    connect(listeEleves, &QListWidget::itemDoubleClicked, this, &QDialog::accept);

    labelNombre = new QLabel(TFormCreerListeEleves::TexteNombre(fichier.NombreEleves()), this);
    labelNombre->setObjectName(QStringLiteral("LabelNombre"));
    labelNombre->setToolTip(QStringLiteral("Nombre d'élèves"));

    boutonOk = new QPushButton(QStringLiteral("&Ok"), this);
    boutonOk->setDefault(true);
    boutonAnnuler = new QPushButton(QStringLiteral("&Annuler"), this);
    connect(boutonOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(boutonAnnuler, &QPushButton::clicked, this, &QDialog::reject);

    auto* image = Tav::ImageLogo(this, logo);

    auto* boutons = new QHBoxLayout;
    boutons->addWidget(labelNombre);
    boutons->addStretch();
    boutons->addWidget(boutonOk);
    boutons->addWidget(boutonAnnuler);
    auto* droite = new QVBoxLayout;
    droite->addWidget(listeEleves, 1);
    droite->addSpacing(6);
    droite->addLayout(boutons);
    auto* mise = new QHBoxLayout(this);
    mise->addWidget(image);
    mise->addSpacing(8);
    mise->addLayout(droite, 1);

    setTabOrder(listeEleves, boutonOk);
    setTabOrder(boutonOk, boutonAnnuler);
    listeEleves->setFocus();
}

int TFormListeEleves::Indice() const {
    return listeEleves->count() > 0 ? listeEleves->currentRow() : -1;
}
