#include "_FormReorganiser.h"

#include "tavX_controlesSerie.h"
#include "tavX_fichierTav.h"
#include "tavX_imageLogo.h"
#include "tavX_listeColoree.h"
#include "tavX_outilsSeries.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QToolButton* Bouton(QWidget* parent, const char* nom, const QString& texte, const QString& bulle) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QLatin1String(nom));
    b->setText(texte);
    b->setToolTip(bulle);
    b->setMinimumSize(36, 28);
    return b;
}

} // namespace

TFormReorganiser::TFormReorganiser(QWidget* owner, const QPixmap& logo, TFichierTav& fichier)
    : QDialog(owner), fichier(fichier) {
    setWindowTitle(QStringLiteral("Réorganiser les séries de notes"));
    setObjectName(QStringLiteral("FormReorganiser"));

    comboSource = new QComboBox(this);
    comboSource->setObjectName(QStringLiteral("ComboBox1"));
    comboDestination = new QComboBox(this);
    comboDestination->setObjectName(QStringLiteral("ComboBox2"));
    comboSource->addItems(fichier.ListePeriodes());
    comboDestination->addItems(fichier.ListePeriodes());
    auto* libelleSource = new QLabel(QStringLiteral("&Source"), this);
    libelleSource->setBuddy(comboSource);
    auto* libelleDestination = new QLabel(QStringLiteral("&Destination"), this);
    libelleDestination->setBuddy(comboDestination);

    listeSource = new QListWidget(this);
    listeSource->setObjectName(QStringLiteral("ListBox1"));
    listeDestination = new QListWidget(this);
    listeDestination->setObjectName(QStringLiteral("ListBox2"));
    for (QListWidget* l : {listeSource, listeDestination}) {
        Tav::ColorerListe(l);
        l->setMinimumSize(220, Tav::HauteurLigneListe * 12);
    }
    labelSource = new QLabel(this);
    labelSource->setObjectName(QStringLiteral("Label3"));
    labelDestination = new QLabel(this);
    labelDestination->setObjectName(QStringLiteral("Label4"));

    boutonDeplacer = Bouton(this, "SpeedButton1", QStringLiteral(">"),
                            QStringLiteral("Déplacer la série de notes sélectionnée"));
    boutonDeplacerTout = Bouton(this, "SpeedButton5", QStringLiteral(">>"),
                                QStringLiteral("Déplacer toutes les séries de notes"));
    boutonMonter = Bouton(this, "SpeedButton2", QString(),
                          QStringLiteral("Monter la série de notes sélectionnée"));
    boutonMonter->setArrowType(Qt::UpArrow);
    boutonDescendre = Bouton(this, "SpeedButton3", QString(),
                             QStringLiteral("Descendre la série de notes sélectionnée"));
    boutonDescendre->setArrowType(Qt::DownArrow);
    boutonFermer = new QPushButton(QStringLiteral("&Fermer"), this);
    boutonFermer->setObjectName(QStringLiteral("SpeedButton4"));
    boutonFermer->setDefault(true);

    connect(comboSource, &QComboBox::currentIndexChanged, this, [this] {
        listeSource->setCurrentRow(-1);
        Remplir();
    });
    connect(comboDestination, &QComboBox::currentIndexChanged, this, &TFormReorganiser::Remplir);
    connect(listeSource, &QListWidget::currentRowChanged, this,
            &TFormReorganiser::MettreAJourBoutons);
    connect(listeSource, &QListWidget::itemDoubleClicked, this, &TFormReorganiser::Deplacer);
    connect(boutonDeplacer, &QToolButton::clicked, this, &TFormReorganiser::Deplacer);
    connect(boutonDeplacerTout, &QToolButton::clicked, this, &TFormReorganiser::DeplacerTout);
    connect(boutonMonter, &QToolButton::clicked, this, &TFormReorganiser::Monter);
    connect(boutonDescendre, &QToolButton::clicked, this, &TFormReorganiser::Descendre);
    connect(boutonFermer, &QPushButton::clicked, this, &TFormReorganiser::accept);

    auto* milieu = new QVBoxLayout;
    milieu->addStretch();
    milieu->addWidget(boutonDeplacer);
    milieu->addWidget(boutonDeplacerTout);
    milieu->addSpacing(16);
    milieu->addWidget(boutonMonter);
    milieu->addWidget(boutonDescendre);
    milieu->addStretch();

    auto* grille = new QGridLayout;
    grille->addWidget(libelleSource, 0, 0);
    grille->addWidget(comboSource, 1, 0);
    grille->addWidget(listeSource, 2, 0);
    grille->addWidget(labelSource, 3, 0);
    grille->addLayout(milieu, 2, 1);
    grille->addWidget(libelleDestination, 0, 2);
    grille->addWidget(comboDestination, 1, 2);
    grille->addWidget(listeDestination, 2, 2);
    grille->addWidget(labelDestination, 3, 2);
    grille->setRowStretch(2, 1);

    auto* boutons = new QHBoxLayout;
    boutons->addStretch();
    boutons->addWidget(boutonFermer);

    auto* droite = new QVBoxLayout;
    droite->addLayout(grille, 1);
    droite->addLayout(boutons);

    auto* mise = new QHBoxLayout(this);
    mise->addWidget(Tav::ImageLogo(this, logo));
    mise->addSpacing(8);
    mise->addLayout(droite, 1);

    Dialogues::OrdreTabulation({comboSource, listeSource, boutonDeplacer, boutonDeplacerTout,
                                boutonMonter, boutonDescendre, comboDestination, listeDestination,
                                boutonFermer});
    Remplir();
}

int TFormReorganiser::Source() const {
    return comboSource->currentIndex() + 1;
}

int TFormReorganiser::Destination() const {
    return comboDestination->currentIndex() + 1;
}

void TFormReorganiser::Remplir() {
    OutilsSeries::RemplirListe(listeSource, OutilsSeries::IntitulesSeries(fichier, Source()));
    OutilsSeries::RemplirListe(listeDestination,
                               OutilsSeries::IntitulesSeries(fichier, Destination()));
    labelSource->setText(OutilsSeries::TexteNombreSeries(listeSource->count()));
    labelDestination->setText(OutilsSeries::TexteNombreSeries(listeDestination->count()));
    MettreAJourBoutons();
}

void TFormReorganiser::MettreAJourBoutons() {
    const bool differentes = Source() != Destination() && listeSource->count() > 0;
    const int ligne = listeSource->currentRow();
    const bool choisie = ligne >= 0 && ligne < listeSource->count();
    boutonDeplacer->setEnabled(differentes && choisie);
    boutonDeplacerTout->setEnabled(differentes);
    boutonMonter->setEnabled(choisie && ligne > 0);
    boutonDescendre->setEnabled(choisie && ligne < listeSource->count() - 1);
}

void TFormReorganiser::Deplacer() {
    const int ligne = listeSource->currentRow();
    if (Source() == Destination() || ligne < 0 || ligne >= fichier.NombreSeries(Source())) return;
    fichier.DeplacerSerie(Source(), ligne + 1, Destination());
    Remplir();
}

void TFormReorganiser::DeplacerTout() {
    if (Source() == Destination()) return;
    for (int n = fichier.NombreSeries(Source()); n > 0; --n)
        fichier.DeplacerSerie(Source(), 1, Destination());
    Remplir();
}

void TFormReorganiser::Monter() {
    const int ligne = listeSource->currentRow();
    if (ligne <= 0 || ligne >= fichier.NombreSeries(Source())) return;
    fichier.MonterSerie(Source(), ligne + 1);
    Remplir();
    listeSource->setCurrentRow(ligne - 1);
}

void TFormReorganiser::Descendre() {
    const int ligne = listeSource->currentRow();
    if (ligne < 0 || ligne + 1 >= fichier.NombreSeries(Source())) return;
    fichier.DescendreSerie(Source(), ligne + 1);
    Remplir();
    listeSource->setCurrentRow(ligne + 1);
}
