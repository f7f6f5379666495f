#include "_FormClonerFichier.h"

#include "tavX_fichierTav.h"
#include "tavX_fusionClonage.h"
#include "tavX_garde.h"
#include "tavX_interlocuteur.h"
#include "tavX_listeColoree.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

TFormClonerFichier::TChoixDossier& ChoixDossier() {
    static TFormClonerFichier::TChoixDossier choix;
    return choix;
}

} // namespace

void TFormClonerFichier::DefinirChoixDossier(TChoixDossier choix) {
    ChoixDossier() = std::move(choix);
}

TFormClonerFichier::TFormClonerFichier(QWidget* parent, const TFichierTav& source,
                                       const QPixmap& logo, const QStringList& fichiersOuverts)
    : QDialog(parent), source(source), fichiersOuverts(fichiersOuverts) {
    setWindowTitle(QStringLiteral("Clôner le fichier"));
    auto* principal = new QVBoxLayout(this);
    auto* haut = new QHBoxLayout;
    if (!logo.isNull()) {
        auto* image = new QLabel(this);
        image->setPixmap(logo.scaled(48, 48, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        haut->addWidget(image, 0, Qt::AlignTop);
    }
    auto* aide = new QLabel(
        QStringLiteral("Crée une copie vide de la classe (mêmes élèves, mêmes périodes, aucune "
                       "note) pour chaque collègue.\nCopiez la liste des enseignants puis celle "
                       "des matières (une par ligne, dans le même ordre) et collez-les ici."),
        this);
    aide->setWordWrap(true);
    haut->addWidget(aide, 1);
    principal->addLayout(haut);

    auto* listes = new QHBoxLayout;
    auto colonne = [&](const QString& texte, const QString& bulle, QListWidget*& liste,
                       void (TFormClonerFichier::*coller)()) {
        auto* c = new QVBoxLayout;
        auto* bouton = new QPushButton(texte, this);
        bouton->setToolTip(bulle);
        connect(bouton, &QPushButton::clicked, this, coller);
        liste = new QListWidget(this);
        Tav::ColorerListe(liste);
        c->addWidget(bouton);
        c->addWidget(liste);
        listes->addLayout(c);
    };
    colonne(QStringLiteral("Liste des &enseignants"),
            QStringLiteral("Coller la liste des enseignants depuis le Presse-Papiers"), enseignants,
            &TFormClonerFichier::CollerEnseignants);
    colonne(QStringLiteral("Liste des &matières"),
            QStringLiteral("Coller la liste des matières depuis le Presse-Papiers"), matieres,
            &TFormClonerFichier::CollerMatieres);
    principal->addLayout(listes, 1);
    connect(enseignants, &QListWidget::currentRowChanged, this,
            [this] { Synchroniser(enseignants, matieres); });
    connect(matieres, &QListWidget::currentRowChanged, this,
            [this] { Synchroniser(matieres, enseignants); });

    ouvrir = new QCheckBox(QStringLiteral("&Ouvrir les fichiers après leur création"), this);
    principal->addWidget(ouvrir);
    auto* boutons = new QHBoxLayout;
    boutons->addStretch();
    boutonCreer = new QPushButton(QStringLiteral("&Clôner le fichier"), this);
    auto* fermer = new QPushButton(QStringLiteral("Fermer"), this);
    boutons->addWidget(boutonCreer);
    boutons->addWidget(fermer);
    principal->addLayout(boutons);
    connect(boutonCreer, &QPushButton::clicked, this,
            [this] { Tav::Garder("clonage", this, [this] { CreerFichiers(); }); });
    connect(fermer, &QPushButton::clicked, this, &QDialog::reject);
    resize(560, 400);
    Actualiser();
}

bool TFormClonerFichier::OuvrirFichiers() const {
    return ouvrir->isChecked();
}

void TFormClonerFichier::DefinirEnseignants(const QStringList& lignes) {
    enseignants->clear();
    enseignants->addItems(lignes);
    Actualiser();
}

void TFormClonerFichier::DefinirMatieres(const QStringList& lignes) {
    matieres->clear();
    matieres->addItems(lignes);
    Actualiser();
}

void TFormClonerFichier::CollerEnseignants() {
    const QMimeData* donnees = QApplication::clipboard()->mimeData();
    if (donnees && donnees->hasText()) DefinirEnseignants(Outils::LignesCollees(donnees->text()));
}

void TFormClonerFichier::CollerMatieres() {
    const QMimeData* donnees = QApplication::clipboard()->mimeData();
    if (donnees && donnees->hasText()) DefinirMatieres(Outils::LignesCollees(donnees->text()));
}

void TFormClonerFichier::Actualiser() {
    boutonCreer->setEnabled(enseignants->count() > 0 && enseignants->count() == matieres->count());
}

void TFormClonerFichier::Synchroniser(QListWidget* de, QListWidget* vers) {
    const int ligne = de->currentRow();
    if (ligne >= 0 && ligne < vers->count() && vers->currentRow() != ligne)
        vers->setCurrentRow(ligne);
}

void TFormClonerFichier::CreerFichiers() {
    if (!boutonCreer->isEnabled()) return;
    QString dossier;
    if (ChoixDossier())
        dossier = ChoixDossier()(this);
    else
        dossier = QFileDialog::getExistingDirectory(this, QStringLiteral("Clôner un fichier"),
                                                    QFileInfo(source.NomFichier()).absolutePath());
    if (dossier.isEmpty()) return;

    QList<Outils::TCollegue> collegues;
    QStringList chemins;
    for (int i = 0; i < enseignants->count(); ++i) {
        collegues.append({enseignants->item(i)->text(), matieres->item(i)->text()});
        chemins.append(Outils::CheminClone(source, dossier, collegues.last()));
    }
    // Every refusal comes before the first file is written.
    const QString refus = Outils::VerifierClonage(source, chemins, collegues, fichiersOuverts);
    if (!refus.isEmpty()) {
        Erreur(this, refus);
        return;
    }
    QList<bool> retenus;
    for (const QString& chemin : chemins)
        retenus.append(!QFileInfo::exists(chemin) ||
                       Question(this, QStringLiteral("Le fichier \"") + chemin +
                                          QStringLiteral("\" existe déjà.\r\n\r\nLe remplacer ?")));
    crees.clear();
    QStringList echecs;
    for (qsizetype i = 0; i < chemins.size(); ++i) {
        if (!retenus.at(i)) continue;
        auto clone = Outils::Cloner(source, collegues.at(i));
        QString erreur;
        if (Outils::EnregistrerClasse(*clone, chemins.at(i), &erreur))
            crees.append(chemins.at(i));
        else
            echecs.append(erreur);
    }
    if (!echecs.isEmpty()) Erreur(this, echecs.join(QStringLiteral("\r\n\r\n")));
    if (!crees.isEmpty()) Information(this, Outils::MessageClonage(int(crees.size())));
    accept();
}
