#include "_FormTransformerSeries.h"

#include "_FormEdit.h"
#include "tavX_constantes.h"
#include "tavX_controlesSerie.h"
#include "tavX_fichierTav.h"
#include "tavX_interlocuteur.h"
#include "tavX_listeColoree.h"
#include "tavX_nombres.h"
#include "tavX_outilsSeries.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

TFormTransformerSeries::TFormTransformerSeries(QWidget* owner, const QPixmap& logo,
                                               TFichierTav& fichier)
    : QDialog(owner), fichier(fichier) {
    setWindowTitle(QStringLiteral("Transformer une série de notes"));
    setObjectName(QStringLiteral("FormTransformerSeries"));

    onglets = Dialogues::OngletsPeriodes(this, &fichier);
    auto* page = new QWidget(this);
    liste = new QListWidget(page);
    liste->setObjectName(QStringLiteral("ListBox2"));
    Tav::ColorerListe(liste);
    liste->setMinimumSize(260, Tav::HauteurLigneListe * 12);

    editNoteSur = new QLineEdit(page);
    editNoteSur->setObjectName(QStringLiteral("Edit1"));
    editNoteSur->setReadOnly(true);
    editNoteSur->setMaximumWidth(80);
    comboCible = new QComboBox(page);
    comboCible->setObjectName(QStringLiteral("ComboBox1"));
    comboCible->addItems({QStringLiteral("20"), QStringLiteral("10"), QStringLiteral("5"),
                          QStringLiteral("30"), QStringLiteral("40"), QStringLiteral("50"),
                          QStringLiteral("100")});
    comboCible->setCurrentIndex(0);
    boutonNouveau =
        Dialogues::BoutonNouvelleValeur(page, "SpeedButton2", QStringLiteral("Nouvelle valeur"));
    auto* cible = new QHBoxLayout;
    cible->addWidget(comboCible);
    cible->addWidget(boutonNouveau);
    cible->addStretch();
    auto* champs = new QFormLayout;
    champs->addRow(QStringLiteral("Noté sur :"), editNoteSur);
    champs->addRow(QStringLiteral("Transformer en noté sur  :"), cible);

    auto* cadreArrondi = OutilsSeries::GroupeChoix(
        page, QStringLiteral(" &Après la conversion des notes "),
        {QStringLiteral("Ne pas arrondir les notes"),
         QStringLiteral("Arrondir au dixième de point"),
         QStringLiteral("Arrondir au quart de point"), QStringLiteral("Arrondir au demi-point")},
        groupeArrondi);
    checkCopie = new QCheckBox(
        QStringLiteral("&Créer une nouvelle série au lieu de transformer celle existante"), page);
    checkCopie->setObjectName(QStringLiteral("CheckBox1"));
    checkCompteNon = new QCheckBox(
        QStringLiteral("&Fixer à 'non' le champ 'Compte dans la moyenne' de la série sélectionnée"),
        page);
    checkCompteNon->setObjectName(QStringLiteral("CheckBox2"));
    checkInformations = new QCheckBox(
        QStringLiteral("&Afficher les informations sur la nouvelle série après sa création"), page);
    checkInformations->setObjectName(QStringLiteral("CheckBox3"));

    auto* droite = new QVBoxLayout;
    droite->addLayout(champs);
    droite->addWidget(cadreArrondi);
    droite->addStretch();
    auto* haut = new QHBoxLayout;
    haut->addWidget(liste, 1);
    haut->addLayout(droite);
    auto* pageMise = new QVBoxLayout(page);
    pageMise->addLayout(haut, 1);
    pageMise->addWidget(checkCopie);
    pageMise->addWidget(checkCompteNon);
    pageMise->addWidget(checkInformations);

    boutonTransformer = new QPushButton(QStringLiteral("&Transformer"), this);
    boutonTransformer->setObjectName(QStringLiteral("SpeedButton1"));
    boutonFermer = new QPushButton(QStringLiteral("&Fermer"), this);
    boutonFermer->setObjectName(QStringLiteral("BoutonFermer"));

    connect(onglets, &QTabBar::currentChanged, this, &TFormTransformerSeries::Remplir);
    connect(liste, &QListWidget::currentRowChanged, this, &TFormTransformerSeries::MettreAJour);
    connect(comboCible, &QComboBox::currentIndexChanged, this,
            &TFormTransformerSeries::MettreAJour);
    connect(checkCopie, &QCheckBox::toggled, this, [this] {
        if (!checkCopie->isChecked()) {
            checkCompteNon->setChecked(false);
            checkInformations->setChecked(false);
        }
        MettreAJour();
    });
    connect(boutonNouveau, &QToolButton::clicked, this, &TFormTransformerSeries::NouvelleValeur);
    connect(boutonTransformer, &QPushButton::clicked, this, &TFormTransformerSeries::Transformer);
    connect(boutonFermer, &QPushButton::clicked, this, &TFormTransformerSeries::reject);

    Dialogues::DisposerPageAOnglets(this, logo, onglets, page, {boutonTransformer, boutonFermer});
    Remplir();
}

int TFormTransformerSeries::PeriodeAffichee() const {
    return onglets->currentIndex() + 1;
}

void TFormTransformerSeries::Selectionner(int p, int j) {
    if (p < 1 || p > onglets->count()) return;
    onglets->setCurrentIndex(p - 1);
    Remplir();
    if (j >= 1 && j <= liste->count()) liste->setCurrentRow(j - 1);
}

bool TFormTransformerSeries::Informations() const {
    return checkCopie->isChecked() && checkInformations->isChecked();
}

QString TFormTransformerSeries::MessageCibleIncorrecte() {
    return QStringLiteral("La nouvelle note maximale doit être un nombre entier de 1 à 1000.");
}

QString TFormTransformerSeries::MessageNoteSurIncorrecte(const QString& intitule) {
    return QStringLiteral("La série de notes \"") + intitule +
           QStringLiteral("\" n'est pas notée sur un nombre entier de points (de 1 à 1000). "
                          "Impossible de la transformer.");
}

void TFormTransformerSeries::Remplir() {
    liste->setCurrentRow(-1);
    OutilsSeries::RemplirListe(liste, OutilsSeries::IntitulesSeries(fichier, PeriodeAffichee()));
    MettreAJour();
}

void TFormTransformerSeries::MettreAJour() {
    const int j = liste->currentRow() + 1;
    const bool choisie = j >= 1 && j <= fichier.NombreSeries(PeriodeAffichee());
    editNoteSur->setText(choisie ? fichier.NoteSur(PeriodeAffichee(), j) : QString());
    boutonTransformer->setEnabled(choisie && editNoteSur->text() != comboCible->currentText());
    checkCopie->setEnabled(fichier.NombreSeriesAnnee() < Tav::MaxSeriesAnnee);
    if (!checkCopie->isEnabled()) checkCopie->setChecked(false);
    checkCompteNon->setEnabled(checkCopie->isChecked());
    checkInformations->setEnabled(checkCopie->isChecked());
}

void TFormTransformerSeries::NouvelleValeur() {
    TFormEdit saisie(this, true, QString(), QStringLiteral("Noté sur"));
    if (saisie.exec() != QDialog::Accepted) return;
    const QString valeur = saisie.Texte();
    if (valeur.isEmpty()) return;
    int i = comboCible->findText(valeur, Qt::MatchExactly);
    if (i < 0) {
        comboCible->addItem(valeur);
        i = comboCible->count() - 1;
    }
    comboCible->setCurrentIndex(i);
    MettreAJour();
}

void TFormTransformerSeries::Transformer() {
    const int p = PeriodeAffichee();
    const int j = liste->currentRow() + 1;
    if (j < 1 || j > fichier.NombreSeries(p)) {
        reject();
        return;
    }
    const QString texteCible = comboCible->currentText().trimmed();
    const QString texteActuel = fichier.NoteSur(p, j);
    if (texteCible == texteActuel) return;
    // Both maxima are checked before anything changes.
    int cible = 0, actuel = 0;
    if (!OutilsSeries::LireNoteSurEntiere(texteCible, cible)) {
        Erreur(this, MessageCibleIncorrecte());
        return;
    }
    if (!OutilsSeries::LireNoteSurEntiere(texteActuel, actuel)) {
        Erreur(this, MessageNoteSurIncorrecte(fichier.Intitule(p, j)));
        return;
    }
    const bool copie = checkCopie->isChecked();
    if (copie && fichier.NombreSeriesAnnee() >= Tav::MaxSeriesAnnee) {
        Information(this, OutilsSeries::MessageLimiteCreation());
        return;
    }
    const long double facteur = static_cast<long double>(cible) / actuel;
    QStringList notes;
    for (int s = 1; s <= fichier.NombreEleves(); ++s)
        notes.append(fichier.Note(p, j, s));

    int receveuse = j;
    if (copie) {
        fichier.AjouterSerie(p, QStringLiteral("Copie de ") + fichier.Intitule(p, j),
                             fichier.OralEcrit(p, j) == QLatin1String("Oral"),
                             fichier.TypeNotes(p, j), fichier.Commentaire(p, j),
                             OutilsSeries::DateDuJour(), fichier.CompteDansMoyenne(p, j),
                             fichier.Coefficient(p, j), texteCible);
        receveuse = fichier.NombreSeries(p);
    }
    fichier.ModifierNoteSur(p, receveuse, QString::number(cible));
    if (copie && checkCompteNon->isChecked())
        fichier.ModifierCompteDansMoyenne(p, j, QStringLiteral("non"));
    const int mode = groupeArrondi->checkedId();
    for (int s = 1; s <= notes.size(); ++s) {
        long double x;
        if (!Tav::LireNombre(notes.at(s - 1), x)) continue;
        fichier.ModifierNote(p, receveuse, OutilsSeries::TexteNoteCalculee(x * facteur, mode), s);
    }
    fichier.InvaliderCalculs();
    periodeResultat = p;
    accept();
}
