#include "_FormNouvelleSerieDeNotes.h"

#include "_FormEdit.h"
#include "tavX_controlesSerie.h"
#include "tavX_fichierTav.h"
#include "tavX_options.h"
#include "tavX_ouvrirOptions.h"
#include "tavX_saisieTexte.h"
#include "tavX_selecteurDate.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

using Dialogues::BoutonNouvelleValeur;
using Dialogues::Groupe;

} // namespace

QStringList TFormNouvelleSerieDeNotes::CoefficientsStandard() {
    QStringList l;
    for (int i = 1; i <= 10; ++i)
        l.append(QString::number(i));
    return l;
}

QStringList TFormNouvelleSerieDeNotes::NotesSurStandard() {
    return {QStringLiteral("20"), QStringLiteral("10"), QStringLiteral("5"),  QStringLiteral("30"),
            QStringLiteral("40"), QStringLiteral("50"), QStringLiteral("100")};
}

TFormNouvelleSerieDeNotes::TFormNouvelleSerieDeNotes(QWidget* owner, const QString& legende,
                                                     const QPixmap& image, TFichierTav* fichier)
    : QDialog(owner), fichier(fichier) {
    setWindowTitle(legende);
    setObjectName(QStringLiteral("FormNouvelleSerieDeNotes"));

    onglets = Dialogues::OngletsPeriodes(this, fichier);

    comboIntitule = new QComboBox(this);
    comboIntitule->setObjectName(QStringLiteral("ComboBox1"));
    comboIntitule->setEditable(true);
    comboIntitule->setInsertPolicy(QComboBox::NoInsert);
    comboIntitule->lineEdit()->setMaxLength(100);
    comboIntitule->setMinimumContentsLength(28);
    comboIntitule->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    Tav::ControlerSaisie(comboIntitule);

    comboTypes = new QComboBox(this);
    comboTypes->setObjectName(QStringLiteral("ComboBoxTypesDeNotes"));
    comboTypes->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    comboTypes->setMinimumContentsLength(20);
    comboCoefficient = new QComboBox(this);
    comboCoefficient->setObjectName(QStringLiteral("ComboBox2"));
    comboCoefficient->addItems(CoefficientsStandard());
    comboNoteSur = new QComboBox(this);
    comboNoteSur->setObjectName(QStringLiteral("ComboBox5"));
    comboNoteSur->addItems(NotesSurStandard());

    boutonType = BoutonNouvelleValeur(this, "SpeedButton1",
                                      QStringLiteral("Ajouter un nouveau type de notes"));
    boutonType->setVisible(Dialogues::OptionsDisponibles());
    boutonCoefficient =
        BoutonNouvelleValeur(this, "SpeedButton3", QStringLiteral("Ajouter un autre coefficient"));
    boutonNoteSur = BoutonNouvelleValeur(
        this, "SpeedButton2", QStringLiteral("Ajouter une autre valeur de \"Noté sur\""));
    connect(boutonType, &QToolButton::clicked, this, &TFormNouvelleSerieDeNotes::NouveauType);
    connect(boutonCoefficient, &QToolButton::clicked, this,
            &TFormNouvelleSerieDeNotes::NouveauCoefficient);
    connect(boutonNoteSur, &QToolButton::clicked, this, &TFormNouvelleSerieDeNotes::NouveauNoteSur);

    radioOui = new QRadioButton(QStringLiteral("oui"), this);
    radioNon = new QRadioButton(QStringLiteral("non"), this);
    radioOui->setChecked(true);
    QGroupBox* groupeMoyenne =
        Groupe(this, QStringLiteral(" Compte dans la moyenne "), radioOui, radioNon);
    groupeMoyenne->setObjectName(QStringLiteral("RadioGroup1"));
    radioEcrit = new QRadioButton(QStringLiteral("Ecrit"), this);
    radioOral = new QRadioButton(QStringLiteral("Oral"), this);
    radioEcrit->setChecked(true);
    QGroupBox* groupeOral = Groupe(this, QString(), radioEcrit, radioOral);
    groupeOral->setObjectName(QStringLiteral("RadioGroupEcritOuOral"));

    date = new TSelecteurDate(this);
    date->setObjectName(QStringLiteral("DateTimePicker1"));
    date->setDate(QDate::currentDate());

    editCommentaire = new QLineEdit(this);
    editCommentaire->setObjectName(QStringLiteral("Edit3"));
    editCommentaire->setMaxLength(100);
    Tav::ControlerSaisie(editCommentaire);

    boutonOk = new QPushButton(QStringLiteral("&Ok"), this);
    boutonOk->setDefault(true);
    boutonAnnuler = new QPushButton(QStringLiteral("&Annuler"), this);
    connect(boutonOk, &QPushButton::clicked, this, &TFormNouvelleSerieDeNotes::accept);
    connect(boutonAnnuler, &QPushButton::clicked, this, &TFormNouvelleSerieDeNotes::reject);

    auto libelle = [this](const QString& texte, QWidget* champ) {
        auto* label = new QLabel(texte, this);
        label->setBuddy(champ);
        return label;
    };
    auto avecBouton = [this](QWidget* champ, QToolButton* bouton) {
        auto* ligne = new QHBoxLayout;
        ligne->setSpacing(2);
        ligne->addWidget(champ, 1);
        ligne->addWidget(bouton);
        return ligne;
    };

    auto* grille = new QGridLayout;
    grille->setColumnStretch(1, 1);
    grille->setColumnStretch(3, 1);
    grille->addWidget(libelle(QStringLiteral("&Intitulé :"), comboIntitule), 0, 0);
    grille->addWidget(comboIntitule, 0, 1, 1, 3);
    grille->addWidget(libelle(QStringLiteral("&Type de notes :"), comboTypes), 1, 0);
    grille->addLayout(avecBouton(comboTypes, boutonType), 1, 1, 1, 3);
    grille->addWidget(libelle(QStringLiteral("&Coefficient :"), comboCoefficient), 2, 0);
    grille->addLayout(avecBouton(comboCoefficient, boutonCoefficient), 2, 1);
    grille->addWidget(libelle(QStringLiteral("&Noté sur :"), comboNoteSur), 2, 2,
                      Qt::AlignRight | Qt::AlignVCenter);
    grille->addLayout(avecBouton(comboNoteSur, boutonNoteSur), 2, 3);
    grille->addWidget(groupeMoyenne, 3, 0, 1, 2);
    grille->addWidget(groupeOral, 3, 2, 1, 2);
    grille->addWidget(libelle(QStringLiteral("&Date :"), date), 4, 0);
    grille->addWidget(date, 4, 1);
    grille->addWidget(libelle(QStringLiteral("Comm&entaire :"), editCommentaire), 5, 0);
    grille->addWidget(editCommentaire, 5, 1, 1, 3);

    auto* cadre = new QWidget(this);
    cadre->setObjectName(QStringLiteral("PageOnglet"));
    cadre->setLayout(grille);

    auto* bordure = new QGroupBox(this);
    auto* dansBordure = new QVBoxLayout(bordure);
    dansBordure->addWidget(cadre);
    Dialogues::DisposerPageAOnglets(this, image, onglets, bordure, {boutonOk, boutonAnnuler});

    Dialogues::OrdreTabulation({onglets, comboIntitule, comboTypes, boutonType, comboCoefficient,
                                boutonCoefficient, comboNoteSur, boutonNoteSur, radioOui, radioNon,
                                radioEcrit, radioOral, date, editCommentaire, boutonOk,
                                boutonAnnuler});

    RechargerTypes();
    comboIntitule->setCurrentIndex(-1);
    comboIntitule->setEditText(QString());
    comboCoefficient->setCurrentIndex(0);
    comboNoteSur->setCurrentIndex(0);
    comboIntitule->setFocus();
}

void TFormNouvelleSerieDeNotes::RechargerTypes() {
    const QStringList types = Options::ChargerTypesDeNotes();
    comboTypes->clear();
    comboTypes->addItems(types);
    comboTypes->setCurrentIndex(types.isEmpty() ? -1 : 0);
    const QString titre = comboIntitule->currentText();
    comboIntitule->clear();
    comboIntitule->addItems(types);
    comboIntitule->setCurrentIndex(-1);
    comboIntitule->setEditText(titre);
}

void TFormNouvelleSerieDeNotes::ModifierPeriode(int p) {
    if (p >= 1 && p <= onglets->count()) onglets->setCurrentIndex(p - 1);
}

int TFormNouvelleSerieDeNotes::Periode() const {
    return onglets->currentIndex() + 1;
}
QString TFormNouvelleSerieDeNotes::Intitule() const {
    return comboIntitule->currentText();
}
bool TFormNouvelleSerieDeNotes::Oral() const {
    return radioOral->isChecked();
}
QString TFormNouvelleSerieDeNotes::TypeNotes() const {
    return comboTypes->currentText();
}
QString TFormNouvelleSerieDeNotes::Commentaire() const {
    return editCommentaire->text();
}
QString TFormNouvelleSerieDeNotes::DateTexte() const {
    return date->Texte();
}
QString TFormNouvelleSerieDeNotes::CompteDansMoyenne() const {
    return radioNon->isChecked() ? QStringLiteral("non") : QStringLiteral("oui");
}
QString TFormNouvelleSerieDeNotes::Coefficient() const {
    return comboCoefficient->currentText();
}
QString TFormNouvelleSerieDeNotes::NoteSur() const {
    return comboNoteSur->currentText();
}

void TFormNouvelleSerieDeNotes::AjouterA(TFichierTav& cible) const {
    cible.AjouterSerie(Periode(), Intitule(), Oral(), TypeNotes(), Commentaire(), DateTexte(),
                       CompteDansMoyenne(), Coefficient(), NoteSur());
    cible.InvaliderCalculs();
}

void TFormNouvelleSerieDeNotes::NouvelleValeur(QComboBox* liste, const QString& legende) {
    TFormEdit saisie(this, true, QString(), legende);
    if (saisie.exec() != QDialog::Accepted) return;
    const QString valeur = saisie.Texte();
    int indice = liste->findText(valeur, Qt::MatchExactly);
    if (indice < 0) {
        liste->addItem(valeur);
        indice = liste->count() - 1;
    }
    liste->setCurrentIndex(indice);
}

void TFormNouvelleSerieDeNotes::NouveauCoefficient() {
    NouvelleValeur(comboCoefficient, QStringLiteral("Coefficient de la série"));
}

void TFormNouvelleSerieDeNotes::NouveauNoteSur() {
    NouvelleValeur(comboNoteSur, QStringLiteral("Noté sur"));
}

void TFormNouvelleSerieDeNotes::NouveauType() {
    QStringList avant;
    for (int i = 0; i < comboTypes->count(); ++i)
        avant.append(comboTypes->itemText(i));
    const QString choisi = comboTypes->currentText();
    Dialogues::OuvrirOptions(this, QStringLiteral("Types de notes"));
    RechargerTypes();
    // The type just added is the one wanted; else the choice shown before stays.
    const QString nouveau = Dialogues::NouvelleValeur(avant, Options::ChargerTypesDeNotes());
    const int indice = comboTypes->findText(nouveau.isEmpty() ? choisi : nouveau);
    if (indice >= 0) comboTypes->setCurrentIndex(indice);
}

void TFormNouvelleSerieDeNotes::accept() {
    // The lists can bring texts from the settings that were never checked.
    const QList<QPair<QString, QWidget*>> textes = {
        {Intitule(), comboIntitule}, {TypeNotes(), comboTypes}, {Commentaire(), editCommentaire}};
    for (const auto& [texte, champ] : textes) {
        if (!Tav::TexteEnregistrable(this, texte)) {
            champ->setFocus();
            return;
        }
    }
    if (Periode() < 1) return;
    QDialog::accept();
}
