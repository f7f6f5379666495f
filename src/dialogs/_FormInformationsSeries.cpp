#include "_FormInformationsSeries.h"

#include "_FormEdit.h"
#include "_FormNouvelleSerieDeNotes.h"
#include "tavX_controlesSerie.h"
#include "tavX_fichierTav.h"
#include "tavX_listeColoree.h"
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
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

using Dialogues::BoutonNouvelleValeur;
using Dialogues::Groupe;

// Fills a list with the standard values plus the series' value when missing, selected.
void RemplirValeurs(QComboBox* liste, const QStringList& standard, const QString& valeur) {
    liste->clear();
    liste->addItems(standard);
    int indice = liste->findText(valeur, Qt::MatchExactly);
    if (indice < 0) {
        liste->addItem(valeur);
        indice = liste->count() - 1;
    }
    liste->setCurrentIndex(indice);
}

} // namespace

TFormInformationsSeriesDeNotes::TFormInformationsSeriesDeNotes(QWidget* owner, const QPixmap& image,
                                                               TFichierTav* fichier)
    : QDialog(owner), fichier(fichier) {
    setWindowTitle(QStringLiteral("Informations sur les séries de notes"));
    setObjectName(QStringLiteral("FormInformationsSeriesDeNotes"));

    onglets = Dialogues::OngletsPeriodes(this, fichier);

    listeSeries = new QListWidget(this);
    listeSeries->setObjectName(QStringLiteral("ListBoxSeries"));
    Tav::ColorerListe(listeSeries);
    listeSeries->setMinimumWidth(200);
    labelNombre = new QLabel(this);
    labelNombre->setObjectName(QStringLiteral("Label8"));

    editIntitule = new QLineEdit(this);
    editIntitule->setObjectName(QStringLiteral("Edit1"));
    editIntitule->setMaxLength(100);
    Tav::ControlerSaisie(editIntitule);
    comboNoteSur = new QComboBox(this);
    comboNoteSur->setObjectName(QStringLiteral("ComboBox2"));
    comboCoefficient = new QComboBox(this);
    comboCoefficient->setObjectName(QStringLiteral("ComboBox1"));
    radioOui = new QRadioButton(QStringLiteral("oui"), this);
    radioNon = new QRadioButton(QStringLiteral("non"), this);
    QGroupBox* groupeMoyenne =
        Groupe(this, QStringLiteral(" C&ompte dans la moyenne "), radioOui, radioNon);
    groupeMoyenne->setObjectName(QStringLiteral("RadioGroup1"));
    radioEcrit = new QRadioButton(QStringLiteral("Ecrit"), this);
    radioOral = new QRadioButton(QStringLiteral("Oral"), this);
    QGroupBox* groupeOral = Groupe(this, QString(), radioEcrit, radioOral);
    groupeOral->setObjectName(QStringLiteral("RadioGroup2"));
    date = new TSelecteurDate(this);
    date->setObjectName(QStringLiteral("DateTimePicker1"));
    comboTypes = new QComboBox(this);
    comboTypes->setObjectName(QStringLiteral("ComboBox3"));
    comboTypes->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    comboTypes->setMinimumContentsLength(20);
    editCommentaire = new QLineEdit(this);
    editCommentaire->setObjectName(QStringLiteral("Edit2"));
    editCommentaire->setMaxLength(100);
    Tav::ControlerSaisie(editCommentaire);

    boutonNoteSur = BoutonNouvelleValeur(
        this, "SpeedButton2", QStringLiteral("Ajouter une autre valeur de \"Noté sur\""));
    boutonCoefficient =
        BoutonNouvelleValeur(this, "SpeedButton3", QStringLiteral("Ajouter un autre coefficient"));
    boutonType = BoutonNouvelleValeur(this, "SpeedButton4",
                                      QStringLiteral("Ajouter un nouveau type de notes"));
    boutonType->setVisible(Dialogues::OptionsDisponibles());

    boutonFermer = new QPushButton(QStringLiteral("&Fermer"), this);
    boutonFermer->setDefault(true);
    connect(boutonFermer, &QPushButton::clicked, this, &TFormInformationsSeriesDeNotes::accept);

    controles = {editIntitule, comboNoteSur, comboCoefficient, groupeMoyenne, groupeOral,
                 date,         comboTypes,   editCommentaire,  boutonNoteSur, boutonCoefficient,
                 boutonType};

    // Layout: the list on the left, the attributes on the right, inside the period tabs.
    auto libelle = [this](const QString& texte, QWidget* champ) {
        auto* label = new QLabel(texte, this);
        label->setBuddy(champ);
        return label;
    };
    auto avecBouton = [](QWidget* champ, QToolButton* bouton) {
        auto* ligne = new QHBoxLayout;
        ligne->setSpacing(2);
        ligne->addWidget(champ, 1);
        ligne->addWidget(bouton);
        return ligne;
    };

    auto* gauche = new QVBoxLayout;
    gauche->addWidget(libelle(QStringLiteral("&Séries de notes :"), listeSeries));
    gauche->addWidget(listeSeries, 1);
    gauche->addWidget(labelNombre);

    auto* grille = new QGridLayout;
    grille->setColumnStretch(1, 1);
    grille->addWidget(libelle(QStringLiteral("&Intitulé :"), editIntitule), 0, 0);
    grille->addWidget(editIntitule, 0, 1);
    grille->addWidget(libelle(QStringLiteral("&Noté sur :"), comboNoteSur), 1, 0);
    grille->addLayout(avecBouton(comboNoteSur, boutonNoteSur), 1, 1);
    grille->addWidget(libelle(QStringLiteral("&Coefficient :"), comboCoefficient), 2, 0);
    grille->addLayout(avecBouton(comboCoefficient, boutonCoefficient), 2, 1);
    grille->addWidget(groupeMoyenne, 3, 0, 1, 2);
    grille->addWidget(groupeOral, 4, 0, 1, 2);
    grille->addWidget(libelle(QStringLiteral("&Date : "), date), 5, 0);
    grille->addWidget(date, 5, 1, Qt::AlignLeft);
    grille->addWidget(libelle(QStringLiteral("&Type de notes :"), comboTypes), 6, 0);
    grille->addLayout(avecBouton(comboTypes, boutonType), 6, 1);
    grille->addWidget(libelle(QStringLiteral("Co&mmentaire :"), editCommentaire), 7, 0);
    grille->addWidget(editCommentaire, 7, 1);
    grille->setRowStretch(8, 1);

    auto* page = new QGroupBox(this);
    auto* dansPage = new QHBoxLayout(page);
    dansPage->addLayout(gauche, 2);
    dansPage->addSpacing(8);
    dansPage->addLayout(grille, 3);

    Dialogues::DisposerPageAOnglets(this, image, onglets, page, {boutonFermer});

    Dialogues::OrdreTabulation({onglets, listeSeries, editIntitule, comboNoteSur, boutonNoteSur,
                                comboCoefficient, boutonCoefficient, radioOui, radioNon, radioEcrit,
                                radioOral, date, comboTypes, boutonType, editCommentaire,
                                boutonFermer});

    // Every change by the user goes straight into the class file.
    connect(onglets, &QTabBar::currentChanged, this, [this] { RemplirListe(); });
    connect(listeSeries, &QListWidget::currentRowChanged, this, [this] {
        if (!remplissage) RemplirControles();
    });
    connect(editIntitule, &QLineEdit::textEdited, this, [this](const QString& texte) {
        if (!Stockage()) return;
        this->fichier->ModifierIntitule(Periode(), Serie(), texte);
        if (QListWidgetItem* ligne = listeSeries->currentItem()) ligne->setText(texte);
    });
    connect(comboNoteSur, &QComboBox::currentIndexChanged, this, [this] {
        if (Stockage())
            this->fichier->ModifierNoteSur(Periode(), Serie(), comboNoteSur->currentText());
    });
    connect(comboCoefficient, &QComboBox::currentIndexChanged, this, [this] {
        if (Stockage())
            this->fichier->ModifierCoefficient(Periode(), Serie(), comboCoefficient->currentText());
    });
    connect(radioOui, &QRadioButton::toggled, this, [this](bool oui) {
        if (Stockage())
            this->fichier->ModifierCompteDansMoyenne(
                Periode(), Serie(), oui ? QStringLiteral("oui") : QStringLiteral("non"));
    });
    connect(radioOral, &QRadioButton::toggled, this, [this](bool oral) {
        if (Stockage()) this->fichier->ModifierOral(Periode(), Serie(), oral);
    });
    connect(date, &QDateEdit::dateChanged, this, [this] {
        if (!Stockage()) return;
        this->fichier->ModifierDateSerie(Periode(), Serie(), date->Texte());
        date->setToolTip(QString());
    });
    connect(comboTypes, &QComboBox::currentIndexChanged, this, [this] {
        if (!Stockage()) return;
        // A grade type of the settings that a class file cannot hold is not taken.
        if (!Tav::TexteEnregistrable(this, comboTypes->currentText())) {
            remplissage = true;
            RemplirTypes(this->fichier->TypeNotes(Periode(), Serie()));
            remplissage = false;
            return;
        }
        this->fichier->ModifierTypeNotes(Periode(), Serie(), comboTypes->currentText());
    });
    connect(editCommentaire, &QLineEdit::textEdited, this, [this](const QString& texte) {
        if (Stockage()) this->fichier->ModifierCommentaire(Periode(), Serie(), texte);
    });
    connect(boutonNoteSur, &QToolButton::clicked, this,
            &TFormInformationsSeriesDeNotes::NouveauNoteSur);
    connect(boutonCoefficient, &QToolButton::clicked, this,
            &TFormInformationsSeriesDeNotes::NouveauCoefficient);
    connect(boutonType, &QToolButton::clicked, this, &TFormInformationsSeriesDeNotes::NouveauType);

    RemplirListe();
    listeSeries->setFocus();
}

QString TFormInformationsSeriesDeNotes::TexteNombre(int n) {
    if (n <= 0) return QStringLiteral("aucune série de notes");
    if (n == 1) return QStringLiteral("1 série de notes");
    return QString::number(n) + QStringLiteral(" séries de notes");
}

int TFormInformationsSeriesDeNotes::Periode() const {
    return onglets->currentIndex() + 1;
}

int TFormInformationsSeriesDeNotes::Serie() const {
    return listeSeries->currentRow() + 1;
}

bool TFormInformationsSeriesDeNotes::Stockage() const {
    return !remplissage && fichier && Periode() >= 1 && Serie() >= 1 &&
           Serie() <= fichier->NombreSeries(Periode());
}

void TFormInformationsSeriesDeNotes::Selectionner(int p, int j) {
    if (!fichier || p < 1 || p > onglets->count()) return;
    if (onglets->currentIndex() != p - 1) onglets->setCurrentIndex(p - 1); // refills the list
    if (j >= 1 && j <= listeSeries->count()) listeSeries->setCurrentRow(j - 1);
}

void TFormInformationsSeriesDeNotes::RemplirListe() {
    remplissage = true;
    listeSeries->clear();
    const int p = Periode();
    const int n = fichier && p >= 1 ? fichier->NombreSeries(p) : 0;
    for (int j = 1; j <= n; ++j)
        listeSeries->addItem(fichier->Intitule(p, j));
    labelNombre->setText(TexteNombre(n));
    if (n > 0) listeSeries->setCurrentRow(0);
    remplissage = false;
    RemplirControles();
}

void TFormInformationsSeriesDeNotes::ActiverControles(bool actif) {
    for (QWidget* controle : std::as_const(controles))
        controle->setEnabled(actif);
}

void TFormInformationsSeriesDeNotes::RemplirTypes(const QString& type) {
    RemplirValeurs(comboTypes, Options::ChargerTypesDeNotes(), type);
}

void TFormInformationsSeriesDeNotes::RemplirControles() {
    const int p = Periode();
    const int j = Serie();
    remplissage = true;
    if (!fichier || p < 1 || j < 1 || j > fichier->NombreSeries(p)) {
        ActiverControles(false);
        // Nothing of another series stays on show.
        editIntitule->clear();
        editCommentaire->clear();
        comboNoteSur->clear();
        comboCoefficient->clear();
        comboTypes->clear();
        remplissage = false;
        return;
    }
    ActiverControles(true);
    editIntitule->setText(fichier->Intitule(p, j));
    RemplirValeurs(comboNoteSur, TFormNouvelleSerieDeNotes::NotesSurStandard(),
                   fichier->NoteSur(p, j));
    RemplirValeurs(comboCoefficient, TFormNouvelleSerieDeNotes::CoefficientsStandard(),
                   fichier->Coefficient(p, j));
    if (fichier->CompteDansMoyenne(p, j) == QStringLiteral("oui"))
        radioOui->setChecked(true);
    else
        radioNon->setChecked(true);
    if (fichier->OralEcrit(p, j) == QStringLiteral("Oral"))
        radioOral->setChecked(true);
    else
        radioEcrit->setChecked(true);
    // A date that cannot be read shows as "inconnue": it must not keep the other attributes
    // from showing.
    const QString texteDate = fichier->DateSerie(p, j);
    if (date->AfficherTexte(texteDate) || texteDate.trimmed().isEmpty())
        date->setToolTip(QString());
    else
        date->setToolTip(QStringLiteral("Date enregistrée illisible : « ") + texteDate +
                         QStringLiteral(" »"));
    RemplirTypes(fichier->TypeNotes(p, j));
    editCommentaire->setText(fichier->Commentaire(p, j));
    remplissage = false;
}

void TFormInformationsSeriesDeNotes::NouveauNoteSur() {
    if (!Stockage()) return;
    TFormEdit saisie(this, true, fichier->NoteSur(Periode(), Serie()), QStringLiteral("Noté sur"));
    if (saisie.exec() != QDialog::Accepted) return;
    const QString valeur = saisie.Texte();
    int indice = comboNoteSur->findText(valeur, Qt::MatchExactly);
    if (indice < 0) {
        comboNoteSur->addItem(valeur);
        indice = comboNoteSur->count() - 1;
    }
    comboNoteSur->setCurrentIndex(indice);
    fichier->ModifierNoteSur(Periode(), Serie(), valeur);
}

void TFormInformationsSeriesDeNotes::NouveauCoefficient() {
    if (!Stockage()) return;
    TFormEdit saisie(this, true, fichier->Coefficient(Periode(), Serie()),
                     QStringLiteral("Coefficient"));
    if (saisie.exec() != QDialog::Accepted) return;
    const QString valeur = saisie.Texte();
    int indice = comboCoefficient->findText(valeur, Qt::MatchExactly);
    if (indice < 0) {
        comboCoefficient->addItem(valeur);
        indice = comboCoefficient->count() - 1;
    }
    comboCoefficient->setCurrentIndex(indice);
    fichier->ModifierCoefficient(Periode(), Serie(), valeur);
}

void TFormInformationsSeriesDeNotes::NouveauType() {
    if (!Stockage()) return;
    const QStringList avant = Options::ChargerTypesDeNotes();
    Dialogues::OuvrirOptions(this, QStringLiteral("Types de notes"));
    remplissage = true;
    RemplirTypes(fichier->TypeNotes(Periode(), Serie()));
    remplissage = false;
    // The type just added becomes the series' type (stored as any choice in the list).
    const QString nouveau = Dialogues::NouvelleValeur(avant, Options::ChargerTypesDeNotes());
    if (const int indice = comboTypes->findText(nouveau); !nouveau.isEmpty() && indice >= 0)
        comboTypes->setCurrentIndex(indice);
}
