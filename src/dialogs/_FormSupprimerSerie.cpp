#include "_FormSupprimerSerie.h"

#include "tavX_controlesSerie.h"
#include "tavX_fichierTav.h"
#include "tavX_interlocuteur.h"
#include "tavX_listeColoree.h"
#include "tavX_outilsSeries.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QVBoxLayout>

TFormSupprimerSerie::TFormSupprimerSerie(QWidget* owner, const QPixmap& logo, TFichierTav& fichier)
    : QDialog(owner), fichier(fichier) {
    setWindowTitle(QStringLiteral("Supprimer des séries de notes"));
    setObjectName(QStringLiteral("FormSupprimerSerie"));

    onglets = new QTabBar(this);
    onglets->setObjectName(QStringLiteral("TabControl1"));
    onglets->setExpanding(false);
    onglets->setCursor(Qt::PointingHandCursor);
    for (const QString& nom : fichier.ListePeriodes())
        onglets->addTab(nom);

    auto* page = new QWidget(this);
    liste = new QListWidget(page);
    liste->setObjectName(QStringLiteral("CheckListBox1"));
    liste->setAlternatingRowColors(true);
    liste->setMinimumSize(320, Tav::HauteurLigneListe * 12);
    label = new QLabel(page);
    label->setObjectName(QStringLiteral("Label1"));
    boutonTout = new QPushButton(QStringLiteral("Tout &sélectionner"), page);
    boutonRien = new QPushButton(QStringLiteral("Tout &désélectionner"), page);
    auto* pageMise = new QVBoxLayout(page);
    pageMise->addWidget(label);
    pageMise->addWidget(liste, 1);
    auto* selection = new QHBoxLayout;
    selection->addWidget(boutonTout);
    selection->addWidget(boutonRien);
    selection->addStretch();
    pageMise->addLayout(selection);

    boutonSupprimer = new QPushButton(QStringLiteral("S&upprimer"), this);
    boutonSupprimer->setObjectName(QStringLiteral("BoutonSupprimer"));
    boutonFermer = new QPushButton(QStringLiteral("&Fermer"), this);
    boutonFermer->setObjectName(QStringLiteral("BoutonFermer"));

    connect(onglets, &QTabBar::currentChanged, this, &TFormSupprimerSerie::Remplir);
    connect(liste, &QListWidget::itemChanged, this, &TFormSupprimerSerie::MettreAJourBoutons);
    connect(boutonTout, &QPushButton::clicked, this, [this] { ToutSelectionner(true); });
    connect(boutonRien, &QPushButton::clicked, this, [this] { ToutSelectionner(false); });
    connect(boutonSupprimer, &QPushButton::clicked, this, &TFormSupprimerSerie::Supprimer);
    connect(boutonFermer, &QPushButton::clicked, this, &TFormSupprimerSerie::accept);

    Dialogues::DisposerPageAOnglets(this, logo, onglets, page, {boutonSupprimer, boutonFermer});
    Remplir();
}

int TFormSupprimerSerie::Periode() const {
    return onglets->currentIndex() + 1;
}

void TFormSupprimerSerie::Selectionner(int p) {
    if (p >= 1 && p <= onglets->count()) onglets->setCurrentIndex(p - 1);
}

void TFormSupprimerSerie::Remplir() {
    const QSignalBlocker bloque(liste);
    OutilsSeries::RemplirListe(liste, OutilsSeries::IntitulesSeries(fichier, Periode()), true);
    const int n = liste->count();
    const QString debut = fichier.NomPeriode(Periode());
    if (n == 0)
        label->setText(debut + QStringLiteral(" : aucune série de notes"));
    else if (n == 1)
        label->setText(debut + QStringLiteral(" : 1 série de notes"));
    else
        label->setText(debut + QStringLiteral(" : ") + QString::number(n) +
                       QStringLiteral(" séries de notes"));
    MettreAJourBoutons();
}

void TFormSupprimerSerie::MettreAJourBoutons() {
    bool coche = false;
    for (int i = 0; i < liste->count() && !coche; ++i)
        coche = liste->item(i)->checkState() == Qt::Checked;
    boutonSupprimer->setEnabled(coche);
}

void TFormSupprimerSerie::ToutSelectionner(bool coche) {
    {
        const QSignalBlocker bloque(liste);
        for (int i = 0; i < liste->count(); ++i)
            liste->item(i)->setCheckState(coche ? Qt::Checked : Qt::Unchecked);
    }
    MettreAJourBoutons();
}

void TFormSupprimerSerie::Supprimer() {
    QList<int> cochees; // 1-based series of the period
    for (int i = 0; i < liste->count(); ++i)
        if (liste->item(i)->checkState() == Qt::Checked) cochees.append(i + 1);
    if (cochees.isEmpty()) return;
    if (!Question(this, QStringLiteral("Supprimer les séries de notes sélectionnées ?"))) return;
    const int p = Periode();
    // From the last, so that the places of the others stay the same.
    for (qsizetype k = cochees.size() - 1; k >= 0; --k) {
        const int j = cochees.at(k);
        if (j > fichier.NombreSeries(p)) continue;
        fichier.SupprimerSerie(p, fichier.IndiceColonne(p, j) + 1);
        modifie = true;
    }
    Remplir();
}
