#include "_FormCollerAppreciations.h"

#include "tavX_fichierTav.h"
#include "tavX_imageLogo.h"
#include "tavX_listeColoree.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TFormCollerAppreciations::TFormCollerAppreciations(QWidget* owner, TFichierTav* fichier,
                                                   const QPixmap& logo)
    : QDialog(owner), fichier(fichier) {
    setWindowTitle(QStringLiteral("Copier les appréciations dans le Presse-Papiers"));
    setObjectName(QStringLiteral("FormCollerAppreciations"));

    periodes = new QListWidget(this);
    periodes->setToolTip(QStringLiteral("Périodes disponibles"));
    Tav::ColorerListe(periodes);
    for (const QString& p : fichier->ListePeriodes()) {
        auto* item = new QListWidgetItem(p, periodes);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    tout = new QPushButton(QStringLiteral("Tout &sélectionner"), this);
    rien = new QPushButton(QStringLiteral("Tout &désélectionner"), this);
    caseNoms = new QCheckBox(QStringLiteral("Inclure le nom de l'élève et un point"), this);
    const QString bulle = QStringLiteral(
        "Inclure le nom de l'élève puis un point-virgule avant chaque appréciation. Peut être "
        "utile pour les récupérer avec Excel par exemple");
    caseNoms->setToolTip(bulle);
    auto* suite = new QLabel(QStringLiteral("virgule avant chaque appréciation."), this);
    suite->setToolTip(bulle);
    copier = new QPushButton(QStringLiteral("Copier dans le Presse-Papiers"), this);
    copier->setToolTip(QStringLiteral(
        "Coller les appréciations de la période sélectionnée dans le Presse-Papiers"));
    auto* fermer = new QPushButton(QStringLiteral("&Fermer"), this);

    auto* droite = new QVBoxLayout;
    droite->addWidget(new QLabel(QStringLiteral("Choisir la période :"), this));
    droite->addWidget(periodes, 1);
    auto* selection = new QHBoxLayout;
    selection->addWidget(tout);
    selection->addWidget(rien);
    droite->addLayout(selection);
    droite->addWidget(caseNoms);
    droite->addWidget(suite);
    auto* boutons = new QHBoxLayout;
    boutons->addStretch();
    boutons->addWidget(copier);
    boutons->addWidget(fermer);
    droite->addLayout(boutons);
    auto* disposition = new QHBoxLayout(this);
    disposition->addWidget(Tav::ImageLogo(this, logo), 0, Qt::AlignTop);
    disposition->addLayout(droite, 1);

    connect(periodes, &QListWidget::itemChanged, this, &TFormCollerAppreciations::Actualiser);
    connect(tout, &QPushButton::clicked, this, [this] {
        for (int i = 0; i < periodes->count(); ++i)
            periodes->item(i)->setCheckState(Qt::Checked);
    });
    connect(rien, &QPushButton::clicked, this, [this] {
        for (int i = 0; i < periodes->count(); ++i)
            periodes->item(i)->setCheckState(Qt::Unchecked);
    });
    connect(copier, &QPushButton::clicked, this, &TFormCollerAppreciations::Copier);
    connect(fermer, &QPushButton::clicked, this, &QDialog::accept);
    Actualiser();
}

QList<int> TFormCollerAppreciations::PeriodesCochees() const {
    QList<int> liste;
    for (int i = 0; i < periodes->count(); ++i)
        if (periodes->item(i)->checkState() == Qt::Checked) liste << i + 1;
    return liste;
}

void TFormCollerAppreciations::Actualiser() {
    copier->setEnabled(!PeriodesCochees().isEmpty());
}

QString TFormCollerAppreciations::Texte(TFichierTav& f, const QList<int>& liste, bool avecNoms) {
    const QString finLigne = QStringLiteral("\r\n");
    const int K = f.NombreColonnesBulletin();
    QString texte;
    for (const int p : liste) {
        for (int s = 1; s <= f.NombreEleves(); ++s) {
            if (avecNoms) texte += f.NomEleve(s) + QLatin1Char(';');
            for (int c = 1; c <= K; ++c) {
                texte += f.Appreciation(p, s, c);
                texte += (c < K && avecNoms) ? QStringLiteral(";") : finLigne;
            }
            if (K == 0) texte += finLigne;
        }
        texte += finLigne;
    }
    return texte;
}

void TFormCollerAppreciations::Copier() {
    const QList<int> liste = PeriodesCochees();
    if (liste.isEmpty()) return;
    QClipboard* pressePapiers = QApplication::clipboard();
    pressePapiers->clear();
    pressePapiers->setText(Texte(*fichier, liste, caseNoms->isChecked()));
}
