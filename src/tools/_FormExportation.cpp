#include "_FormExportation.h"

#include "tavX_fichierTav.h"
#include "tavX_garde.h"
#include "tavX_interlocuteur.h"
#include "tavX_listeColoree.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TFormExportation::TFormExportation(QWidget* parent, const TFichierTav& fichier, const QPixmap& logo)
    : QDialog(parent), fichier(fichier), formats(Outils::DecouvrirFormats()) {
    setWindowTitle(QStringLiteral("Exporter les données"));
    auto* principal = new QHBoxLayout(this);
    auto* gauche = new QVBoxLayout;
    if (!logo.isNull()) {
        auto* image = new QLabel(this);
        image->setPixmap(logo.scaled(48, 48, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        gauche->addWidget(image, 0, Qt::AlignTop);
    }
    gauche->addStretch();
    principal->addLayout(gauche);
    auto* centre = new QVBoxLayout;
    centre->addWidget(new QLabel(QStringLiteral("Formats d'exportation disponibles :"), this));
    liste = new QListWidget(this);
    liste->setToolTip(QStringLiteral("Liste des formats d'exportation proposés"));
    Tav::ColorerListe(liste);
    for (const Outils::TFormatExport& f : formats)
        liste->addItem(f.description);
    centre->addWidget(liste, 1);
    principal->addLayout(centre, 1);
    auto* boutons = new QVBoxLayout;
    boutonInformations = new QPushButton(QStringLiteral("&Informations"), this);
    boutonInformations->setToolTip(QStringLiteral("Informations sur le format sélectionné"));
    boutonExporter = new QPushButton(QStringLiteral("&Exporter"), this);
    boutonExporter->setToolTip(QStringLiteral("Lancer l'exportation au format sélectionné"));
    auto* fermer = new QPushButton(QStringLiteral("&Fermer"), this);
    boutons->addWidget(boutonInformations);
    boutons->addWidget(boutonExporter);
    boutons->addStretch();
    boutons->addWidget(fermer);
    principal->addLayout(boutons);
    boutonInformations->setEnabled(false);
    boutonExporter->setEnabled(false);
    // Both actions need a selected format (the list's focus alone selects nothing).
    connect(liste, &QListWidget::itemSelectionChanged, this, [this] {
        const bool choisi = !liste->selectedItems().isEmpty();
        boutonInformations->setEnabled(choisi);
        boutonExporter->setEnabled(choisi);
    });
    connect(boutonInformations, &QPushButton::clicked, this, &TFormExportation::Informations);
    connect(boutonExporter, &QPushButton::clicked, this,
            [this] { Tav::Garder("exportation", this, [this] { Exporter(); }); });
    connect(fermer, &QPushButton::clicked, this, &QDialog::reject);
    resize(600, 320);
}

int TFormExportation::Ligne() const {
    const QList<QListWidgetItem*> choisis = liste->selectedItems();
    return choisis.isEmpty() ? -1 : liste->row(choisis.first());
}

void TFormExportation::Informations() {
    const int ligne = Ligne();
    if (ligne < 0 || ligne >= formats.size()) return;
    const QString texte = Outils::InformationsFormat(formats.at(ligne));
    if (texte.isEmpty()) return;
    Information(this, texte);
}

void TFormExportation::Exporter() {
    const int ligne = Ligne();
    if (ligne < 0 || ligne >= formats.size()) return;
    Outils::TServicesExport services;
    services.demanderFichier = [this](const QString& titre, const QString& filtre,
                                      const QString& extension, const QString& nom) {
        TDemandeFichier demande;
        demande.titre = titre;
        demande.filtre = filtre;
        demande.extensionParDefaut = extension;
        demande.nomFichier = nom;
        demande.dossier = QFileInfo(fichier.NomFichier()).absolutePath();
        return Interlocuteur().FichierAEnregistrer(this, demande);
    };
    services.signalerErreur = [this](const QString& message) { Erreur(this, message); };
    switch (Outils::Exporter(formats.at(ligne), fichier, services)) {
    case Outils::TResultatExport::Fait:
    case Outils::TResultatExport::Annule:
        break;
    case Outils::TResultatExport::Echec:
        Erreur(this, QStringLiteral("Erreur dans l'exportation."));
        break;
    case Outils::TResultatExport::Defectueuse:
        Erreur(this, QStringLiteral("Impossible d'exporter. La dll est défectueuse !"));
        break;
    }
}
