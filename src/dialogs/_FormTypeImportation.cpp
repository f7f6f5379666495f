#include "_FormTypeImportation.h"

#include "tavX_codec.h"
#include "tavX_constantes.h"
#include "tavX_fichierTav.h"
#include "tavX_imageLogo.h"
#include "tavX_interlocuteur.h"
#include "tavX_listeColoree.h"
#include "tavX_outilsSeries.h"
#include "tavX_texteImporte.h"

#include <QButtonGroup>
#include <QFile>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString MessageImpossible(const QString& chemin) {
    return QStringLiteral("Impossible d'importer la liste depuis le fichier \"") + chemin +
           QLatin1Char('"');
}

QString CheminChoisi(QWidget* feuille, const QString& filtre) {
    TDemandeFichier demande;
    demande.titre = QStringLiteral("Importer la liste des élèves");
    demande.filtre = filtre;
    return Interlocuteur().FichiersAOuvrir(feuille, demande).value(0);
}

} // namespace

TFormTypeImportation::TFormTypeImportation(QWidget* owner, const QPixmap& logo,
                                           TFichierTav& fichier, const QString& source,
                                           const QStringList& noms, const QStringList& dates,
                                           const QStringList& redoublants)
    : QDialog(owner), fichier(fichier), noms(noms), dates(dates), redoublants(redoublants) {
    setWindowTitle(QStringLiteral("Importer la liste des élèves de \"") + source +
                   QLatin1Char('"'));
    setObjectName(QStringLiteral("FormTypeImportation"));

    liste = new QListWidget(this);
    liste->setObjectName(QStringLiteral("CheckListBox1"));
    liste->setAlternatingRowColors(true);
    liste->setMinimumSize(300, Tav::HauteurLigneListe * 14);
    for (const QString& nom : noms) {
        auto* element = new QListWidgetItem(nom, liste);
        element->setFlags(element->flags() | Qt::ItemIsUserCheckable);
        element->setCheckState(Qt::Checked);
    }
    labelNombre = new QLabel(this);
    labelNombre->setObjectName(QStringLiteral("Label1"));
    labelSelection = new QLabel(this);
    labelSelection->setObjectName(QStringLiteral("Label2"));
    auto* cadre =
        OutilsSeries::GroupeChoix(this, QString(),
                                  {QStringLiteral("Remplacer la liste des élèves existante"),
                                   QStringLiteral("Ajouter à la liste des élèves existante")},
                                  groupeType);
    boutonTout = new QPushButton(QStringLiteral("Tout &sélectionner"), this);
    boutonRien = new QPushButton(QStringLiteral("Tout &désélectionner"), this);
    boutonLancer = new QPushButton(QStringLiteral("&Lancer l'importation"), this);
    boutonLancer->setObjectName(QStringLiteral("BoutonLancer"));
    boutonFermer = new QPushButton(QStringLiteral("&Fermer"), this);
    boutonFermer->setObjectName(QStringLiteral("BoutonFermer"));

    connect(liste, &QListWidget::itemChanged, this, &TFormTypeImportation::MettreAJour);
    connect(boutonTout, &QPushButton::clicked, this, [this] { ToutSelectionner(true); });
    connect(boutonRien, &QPushButton::clicked, this, [this] { ToutSelectionner(false); });
    connect(boutonLancer, &QPushButton::clicked, this, &TFormTypeImportation::Lancer);
    connect(boutonFermer, &QPushButton::clicked, this, &TFormTypeImportation::reject);

    auto* selection = new QHBoxLayout;
    selection->addWidget(boutonTout);
    selection->addWidget(boutonRien);
    selection->addStretch();
    auto* compteurs = new QHBoxLayout;
    compteurs->addWidget(labelNombre);
    compteurs->addStretch();
    compteurs->addWidget(labelSelection);
    auto* boutons = new QHBoxLayout;
    boutons->addStretch();
    boutons->addWidget(boutonLancer);
    boutons->addWidget(boutonFermer);
    auto* droite = new QVBoxLayout;
    droite->addWidget(liste, 1);
    droite->addLayout(compteurs);
    droite->addLayout(selection);
    droite->addWidget(cadre);
    droite->addLayout(boutons);
    auto* mise = new QHBoxLayout(this);
    mise->addWidget(Tav::ImageLogo(this, logo));
    mise->addSpacing(8);
    mise->addLayout(droite, 1);
    MettreAJour();
}

QString TFormTypeImportation::MessageRemplacer() {
    return QStringLiteral("Remplacer la liste des élèves existante ? Toutes les notes, les points "
                          "et les appréciations de la classe seront supprimés.");
}

QString TFormTypeImportation::MessageMaximum(const QString& nom) {
    return QStringLiteral("Vous avez atteint le nombre maximum d'élèves (") +
           QString::number(Tav::MaxEleves) + QStringLiteral(") autorisé dans Tavelin.") +
           QStringLiteral("\n\r\n\r") + QStringLiteral("L'importation est interrompue à \"") + nom +
           QStringLiteral("\".");
}

void TFormTypeImportation::MettreAJour() {
    int cochees = 0;
    for (int i = 0; i < liste->count(); ++i)
        if (liste->item(i)->checkState() == Qt::Checked) ++cochees;
    labelNombre->setText(QString::number(liste->count()) +
                         QStringLiteral(" élève(s) dans cette classe"));
    labelSelection->setText(QString::number(cochees) + QStringLiteral(" sélectionné(s)"));
    boutonLancer->setEnabled(cochees > 0);
}

void TFormTypeImportation::ToutSelectionner(bool coche) {
    {
        const QSignalBlocker bloque(liste);
        for (int i = 0; i < liste->count(); ++i)
            liste->item(i)->setCheckState(coche ? Qt::Checked : Qt::Unchecked);
    }
    MettreAJour();
}

void TFormTypeImportation::Lancer() {
    QList<int> cochees;
    for (int i = 0; i < liste->count(); ++i)
        if (liste->item(i)->checkState() == Qt::Checked) cochees.append(i);
    if (cochees.isEmpty()) return;
    if (groupeType->checkedId() == 0 && fichier.NombreEleves() > 0) {
        if (!QuestionNonParDefaut(this, MessageRemplacer())) return;
        for (int n = fichier.NombreEleves(); n > 0; --n)
            fichier.SupprimerEleve(1);
    }
    for (const int i : std::as_const(cochees)) {
        if (fichier.NombreEleves() >= Tav::MaxEleves) {
            Erreur(this, MessageMaximum(noms.at(i)));
            break;
        }
        fichier.AjouterEleve(noms.at(i), dates.value(i),
                             redoublants.value(i) == QStringLiteral("R"), QStringLiteral("1"));
    }
    fichier.InvaliderCalculs();
    accept();
}

bool TFormTypeImportation::LireNomsTexte(const QString& chemin, QStringList& noms,
                                         QString& erreur) {
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly)) {
        erreur = MessageImpossible(chemin);
        return false;
    }
    const QByteArray octets = fichier.readAll();
    const QString texte = Tav::DecoderTexte(octets);
    noms.clear();
    QStringList refuses;
    for (const QString& ligne : texte.split(QLatin1Char('\n'))) {
        if (ligne.trimmed().isEmpty()) continue;
        const QString nom = ligne.left(Tav::MaxLongueurNomEleve);
        if (nom.trimmed().isEmpty()) continue;
        if (Tav::CaractereNonRepresentable(nom)) {
            refuses.append(nom);
            continue;
        }
        noms.append(nom);
    }
    if (!refuses.isEmpty()) {
        erreur = MessageImpossible(chemin) +
                 QStringLiteral(".\n\nCes noms contiennent un caractère qu'un fichier Tavelin ne "
                                "peut pas enregistrer :\n") +
                 refuses.join(QLatin1Char('\n'));
        return false;
    }
    if (noms.isEmpty()) {
        erreur = MessageImpossible(chemin);
        return false;
    }
    return true;
}

bool TFormTypeImportation::ImporterDepuisFichierTav(QWidget* feuille, TFichierTav& fichier,
                                                    const QPixmap& logo) {
    const QString chemin = CheminChoisi(feuille, QStringLiteral("Fichier Tavelin *.tav|*.tav"));
    if (chemin.isEmpty()) return false;
    // Loaded whole (birth dates and repeating flags come after the names), quietly.
    const TFichierTav source(chemin, true);
    if (!source.EstValide() || source.NombreEleves() == 0) {
        Erreur(feuille, MessageImpossible(chemin));
        return false;
    }
    QStringList noms, dates, redoublants;
    for (int s = 1; s <= source.NombreEleves(); ++s) {
        noms.append(source.NomEleve(s));
        dates.append(source.DateNaissance(s));
        redoublants.append(source.EstRedoublant(s) ? QStringLiteral("R") : QString());
    }
    TFormTypeImportation dialogue(feuille, logo, fichier, source.Classe(), noms, dates,
                                  redoublants);
    return dialogue.exec() == QDialog::Accepted;
}

bool TFormTypeImportation::ImporterDepuisFichierTexte(QWidget* feuille, TFichierTav& fichier,
                                                      const QPixmap& logo) {
    const QString chemin = CheminChoisi(feuille, QStringLiteral("Tous les fichiers *.*|*.*"));
    if (chemin.isEmpty()) return false;
    QStringList noms;
    QString erreur;
    if (!LireNomsTexte(chemin, noms, erreur)) {
        Erreur(feuille, erreur);
        return false;
    }
    TFormTypeImportation dialogue(feuille, logo, fichier, chemin, noms);
    return dialogue.exec() == QDialog::Accepted;
}
