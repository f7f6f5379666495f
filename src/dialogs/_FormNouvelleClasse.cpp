#include "_FormNouvelleClasse.h"

#include "tavX_controlesSerie.h"
#include "tavX_exceptions.h"
#include "tavX_fichierTav.h"
#include "tavX_imageLogo.h"
#include "tavX_interlocuteur.h"
#include "tavX_options.h"
#include "tavX_ouvrirOptions.h"
#include "tavX_saisieTexte.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int LongueurChamp = 100;

QLineEdit* Champ(QWidget* parent, const char* nom, const QString& bulle) {
    auto* champ = new QLineEdit(parent);
    champ->setObjectName(QString::fromLatin1(nom));
    champ->setMaxLength(LongueurChamp);
    champ->setToolTip(bulle);
    champ->setMinimumWidth(280);
    Tav::ControlerSaisie(champ);
    return champ;
}

QComboBox* Liste(QWidget* parent, const char* nom, const QString& bulle) {
    auto* liste = new QComboBox(parent);
    liste->setObjectName(QString::fromLatin1(nom));
    liste->setToolTip(bulle);
    liste->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    liste->setMinimumContentsLength(20);
    return liste;
}

QToolButton* BoutonOptions(QWidget* parent, const char* nom, const QString& bulle) {
    auto* bouton = new QToolButton(parent);
    bouton->setObjectName(QString::fromLatin1(nom));
    bouton->setText(QStringLiteral("..."));
    bouton->setToolTip(bulle);
    bouton->setFocusPolicy(Qt::NoFocus);
    bouton->setVisible(Dialogues::OptionsDisponibles());
    return bouton;
}

QWidget* AvecBouton(QWidget* parent, QWidget* champ, QToolButton* bouton) {
    auto* ligne = new QWidget(parent);
    auto* mise = new QHBoxLayout(ligne);
    mise->setContentsMargins(0, 0, 0, 0);
    mise->addWidget(champ, 1);
    mise->addWidget(bouton);
    return ligne;
}

} // namespace

TFormNouvelleClasse::TFormNouvelleClasse(QWidget* owner, int mode, const QPixmap& logo,
                                         const QString& legende, TFichierTav* fichier)
    : QDialog(owner), mode(mode == ModeNouvelleClasse ? ModeNouvelleClasse : ModeInformation),
      fichier(fichier) {
    setWindowTitle(legende);
    setObjectName(QStringLiteral("FormNouvelleClasse"));

    editClasse = Champ(this, "EditClasse", QStringLiteral("Nom de la classe"));
    editEcole = Champ(this, "EditEcole", QStringLiteral("Nom de l'établissement"));
    comboMatiere = Liste(this, "ComboBoxMatiere", QStringLiteral("Matière enseignée"));
    comboMatiere->setEditable(true);
    comboMatiere->setInsertPolicy(QComboBox::NoInsert);
    comboMatiere->setMaxVisibleItems(15);
    comboMatiere->lineEdit()->setMaxLength(LongueurChamp);
    Tav::ControlerSaisie(comboMatiere);
    editAnnee = Champ(this, "EditAnneeScolaire", QStringLiteral("Année scolaire"));
    editRemarque =
        Champ(this, "EditRemarque", QStringLiteral("Permet d'écrire une remarque sur la classe"));
    comboOrganisation = Liste(this, "ComboBoxOrganisationAnnee",
                              QStringLiteral("Trimestres, Semestres, Mois, ..."));
    comboBulletins = Liste(this, "ComboBoxBulletins", QString());
    comboUtilisateurs = Liste(this, "ComboBoxUtilisateurs",
                              QStringLiteral("Nom de l'enseignant en charge de la classe"));

    boutonPeriodes = BoutonOptions(
        this, "SpeedButton1",
        QStringLiteral(
            "Ouvrir la boîte de configuration pour ajouter son propre type de périodes"));
    boutonEnseignants = BoutonOptions(
        this, "SpeedButton2",
        QStringLiteral("Ouvrir la boîte de configuration pour ajouter un autre enseignant"));
    boutonMatieres = BoutonOptions(
        this, "SpeedButton5",
        QStringLiteral("Ouvrir la boîte de configuration pour ajouter sa propre matière"));
    connect(boutonPeriodes, &QToolButton::clicked, this, [this] {
        Dialogues::OuvrirOptions(this, QStringLiteral("Types de périodes"));
        RechargerSchemasPeriodes();
    });
    connect(boutonEnseignants, &QToolButton::clicked, this, [this] {
        Dialogues::OuvrirOptions(this, QStringLiteral("Enseignants"));
        RechargerUtilisateurs();
    });
    connect(boutonMatieres, &QToolButton::clicked, this, [this] {
        Dialogues::OuvrirOptions(this, QStringLiteral("Matières"));
        RechargerMatieres();
    });

    boutonOk = new QPushButton(QStringLiteral("&Ok"), this);
    boutonOk->setDefault(true);
    boutonAnnuler = new QPushButton(QStringLiteral("&Annuler"), this);
    connect(boutonOk, &QPushButton::clicked, this, &TFormNouvelleClasse::accept);
    connect(boutonAnnuler, &QPushButton::clicked, this, &TFormNouvelleClasse::reject);

    auto* formulaire = new QFormLayout;
    formulaire->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto ajouter = [&](const QString& libelle, QWidget* champ, QWidget* ligne = nullptr) {
        auto* label = new QLabel(libelle, this);
        label->setBuddy(champ);
        formulaire->addRow(label, ligne ? ligne : champ);
    };
    ajouter(QStringLiteral("&Classe"), editClasse);
    ajouter(QStringLiteral("E&tablissement"), editEcole);
    ajouter(QStringLiteral("&Matière enseignée"), comboMatiere,
            AvecBouton(this, comboMatiere, boutonMatieres));
    ajouter(QStringLiteral("&Année scolaire"), editAnnee);
    ajouter(QStringLiteral("&Remarque éventuelle"), editRemarque);
    ajouter(QStringLiteral("&Organisation de l'année"), comboOrganisation,
            AvecBouton(this, comboOrganisation, boutonPeriodes));
    ajouter(QStringLiteral("Ty&pe de bulletins :"), comboBulletins);
    ajouter(QStringLiteral("&Enseignant"), comboUtilisateurs,
            AvecBouton(this, comboUtilisateurs, boutonEnseignants));

    auto* image = Tav::ImageLogo(this, logo);

    auto* boutons = new QHBoxLayout;
    boutons->addStretch();
    boutons->addWidget(boutonOk);
    boutons->addWidget(boutonAnnuler);
    auto* droite = new QVBoxLayout;
    droite->addLayout(formulaire);
    droite->addStretch();
    droite->addLayout(boutons);
    auto* mise = new QHBoxLayout(this);
    mise->addWidget(image);
    mise->addSpacing(8);
    mise->addLayout(droite, 1);

    Dialogues::OrdreTabulation({editClasse, editEcole, comboMatiere, editAnnee, editRemarque,
                                comboOrganisation, comboBulletins, comboUtilisateurs, boutonOk,
                                boutonAnnuler});

    Remplir();
    editClasse->selectAll();
    editClasse->setFocus();
}

void TFormNouvelleClasse::Remplir() {
    if (fichier) {
        editClasse->setText(fichier->Classe());
        editEcole->setText(fichier->Ecole());
        editAnnee->setText(fichier->AnneeScolaire());
        editRemarque->setText(fichier->Remarque());
    }
    RechargerMatieres();
    comboMatiere->setEditText(fichier ? fichier->Matiere() : QString());

    if (mode == ModeNouvelleClasse) {
        comboOrganisation->addItems(Options::NomsSchemasPeriodes());
        comboBulletins->addItems(Options::NomsTypesBulletins());
    } else {
        comboOrganisation->addItem(fichier ? fichier->TypePeriodes() : QString());
        comboBulletins->addItem(fichier ? fichier->TypeBulletins() : QString());
        comboOrganisation->setEnabled(false);
        comboBulletins->setEnabled(false);
        boutonPeriodes->setEnabled(false);
    }
    comboOrganisation->setCurrentIndex(comboOrganisation->count() > 0 ? 0 : -1);
    comboBulletins->setCurrentIndex(comboBulletins->count() > 0 ? 0 : -1);

    comboUtilisateurs->addItems(Options::ChargerUtilisateurs());
    if (mode == ModeNouvelleClasse)
        comboUtilisateurs->setCurrentIndex(comboUtilisateurs->count() > 0 ? 0 : -1);
    else
        SelectionnerEnseignantClasse();
}

void TFormNouvelleClasse::SelectionnerEnseignantClasse() {
    const QString enseignant = fichier ? fichier->Enseignant() : QString();
    int indice = comboUtilisateurs->findText(enseignant, Qt::MatchExactly);
    if (indice < 0) {
        comboUtilisateurs->addItem(enseignant);
        indice = comboUtilisateurs->count() - 1;
    }
    comboUtilisateurs->setCurrentIndex(indice);
}

void TFormNouvelleClasse::RechargerSchemasPeriodes() {
    if (mode != ModeNouvelleClasse) return;
    const QString avant = comboOrganisation->currentText();
    QStringList anciens;
    for (int i = 0; i < comboOrganisation->count(); ++i)
        anciens.append(comboOrganisation->itemText(i));
    const QStringList schemas = Options::NomsSchemasPeriodes();
    comboOrganisation->clear();
    comboOrganisation->addItems(schemas);
    // A scheme just added is the one wanted; else the choice shown before stays.
    const QString nouveau = Dialogues::NouvelleValeur(anciens, schemas);
    const int indice = comboOrganisation->findText(nouveau.isEmpty() ? avant : nouveau);
    comboOrganisation->setCurrentIndex(indice >= 0 ? indice : (schemas.isEmpty() ? -1 : 0));
}

void TFormNouvelleClasse::RechargerUtilisateurs() {
    const QString avant = comboUtilisateurs->currentText();
    QStringList anciens;
    for (int i = 0; i < comboUtilisateurs->count(); ++i)
        anciens.append(comboUtilisateurs->itemText(i));
    const QStringList utilisateurs = Options::ChargerUtilisateurs();
    comboUtilisateurs->clear();
    comboUtilisateurs->addItems(utilisateurs);
    // A teacher just added is the one wanted.
    if (const QString nouveau = Dialogues::NouvelleValeur(anciens, utilisateurs);
        !nouveau.isEmpty()) {
        comboUtilisateurs->setCurrentIndex(comboUtilisateurs->findText(nouveau));
        return;
    }
    if (mode == ModeNouvelleClasse) {
        comboUtilisateurs->setCurrentIndex(comboUtilisateurs->count() > 0 ? 0 : -1);
        return;
    }
    // The class keeps the teacher shown before unless the user picks another one.
    const int indice = comboUtilisateurs->findText(avant, Qt::MatchExactly);
    if (indice >= 0)
        comboUtilisateurs->setCurrentIndex(indice);
    else
        SelectionnerEnseignantClasse();
}

void TFormNouvelleClasse::RechargerMatieres() {
    const QString texte = comboMatiere->currentText();
    QStringList anciens;
    for (int i = 0; i < comboMatiere->count(); ++i)
        anciens.append(comboMatiere->itemText(i));
    comboMatiere->clear();
    QStringList matieres = Options::ChargerMatieres();
    comboMatiere->addItems(matieres);
    // A subject just added is the one wanted; else the typed text stays.
    const QString nouveau =
        anciens.isEmpty() ? QString() : Dialogues::NouvelleValeur(anciens, matieres);
    comboMatiere->setEditText(nouveau.isEmpty() ? texte : nouveau);
}

QString TFormNouvelleClasse::Classe() const {
    return editClasse->text();
}
QString TFormNouvelleClasse::Ecole() const {
    return editEcole->text();
}
QString TFormNouvelleClasse::Matiere() const {
    return comboMatiere->currentText();
}
QString TFormNouvelleClasse::AnneeScolaire() const {
    return editAnnee->text();
}
QString TFormNouvelleClasse::Remarque() const {
    return editRemarque->text();
}
QString TFormNouvelleClasse::Enseignant() const {
    return comboUtilisateurs->currentText();
}
QString TFormNouvelleClasse::OrganisationAnnee() const {
    return comboOrganisation->currentText();
}
QString TFormNouvelleClasse::TypeBulletins() const {
    return comboBulletins->currentText();
}

bool TFormNouvelleClasse::TextesEnregistrables() {
    const QList<QPair<QString, QWidget*>> textes = {{Classe(), editClasse},
                                                    {Ecole(), editEcole},
                                                    {Matiere(), comboMatiere},
                                                    {AnneeScolaire(), editAnnee},
                                                    {Remarque(), editRemarque},
                                                    {Enseignant(), comboUtilisateurs},
                                                    {OrganisationAnnee(), comboOrganisation},
                                                    {TypeBulletins(), comboBulletins}};
    for (const auto& [texte, champ] : textes) {
        if (!Tav::TexteEnregistrable(this, texte)) {
            if (champ->isEnabled()) champ->setFocus();
            return false;
        }
    }
    return true;
}

void TFormNouvelleClasse::accept() {
    if (!TextesEnregistrables()) return;
    if (mode == ModeNouvelleClasse && fichier) {
        fichier->ModifierEnseignant(Enseignant());
        fichier->ModifierClasse(Classe());
        fichier->ModifierEcole(Ecole());
        fichier->ModifierRemarque(Remarque());
        fichier->ModifierAnneeScolaire(AnneeScolaire());
        fichier->ModifierMatiere(Matiere());
        try {
            fichier->InitialiserClasse(OrganisationAnnee(), TypeBulletins());
        } catch (const TTavException& e) {
            // A scheme of the settings that cannot make a class: the teacher picks another one.
            Erreur(this, e.Message());
            comboOrganisation->setFocus();
            return;
        }
    }
    QDialog::accept();
}

void TFormNouvelleClasse::EnregistrerInformations() {
    if (!fichier) return;
    fichier->ModifierClasse(Classe());
    fichier->ModifierEcole(Ecole());
    fichier->ModifierMatiere(Matiere());
    fichier->ModifierRemarque(Remarque());
    fichier->ModifierAnneeScolaire(AnneeScolaire());
    fichier->ModifierEnseignant(Enseignant());
}
