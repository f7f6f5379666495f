#include "_FormUtilitairesSeries.h"

#include "tavX_constantes.h"
#include "tavX_controlesSerie.h"
#include "tavX_fichierTav.h"
#include "tavX_interlocuteur.h"
#include "tavX_listeColoree.h"
#include "tavX_nombres.h"
#include "tavX_options.h"
#include "tavX_outilsSeries.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QVBoxLayout>

#include <algorithm>

TFormUtilitairesSeries::TFormUtilitairesSeries(QWidget* owner, const QPixmap& logo,
                                               TFichierTav& fichier)
    : QDialog(owner), fichier(fichier) {
    setWindowTitle(QStringLiteral(" Créer une série de notes à partir de plusieurs autres ... "));
    setObjectName(QStringLiteral("FormUtilitairesSeries"));

    onglets = Dialogues::OngletsPeriodes(this, &fichier);
    auto* page = new QWidget(this);
    listeSeries = new QListWidget(page);
    listeSeries->setObjectName(QStringLiteral("ListBox2"));
    listeRetenues = new QListWidget(page);
    listeRetenues->setObjectName(QStringLiteral("ListBoxSeriesConcernees"));
    for (QListWidget* l : {listeSeries, listeRetenues}) {
        Tav::ColorerListe(l);
        l->setMinimumSize(230, Tav::HauteurLigneListe * 8);
    }
    auto* libelleRetenues = new QLabel(QStringLiteral("Séries de notes retenues :"), page);
    boutonAjouter = new QPushButton(QStringLiteral("&Ajouter >"), page);
    boutonAjouter->setObjectName(QStringLiteral("btnAjouterSerie"));
    boutonAjouter->setToolTip(QStringLiteral("Retenir la série de notes sélectionnée"));
    boutonRetirer = new QPushButton(QStringLiteral("< &Retirer"), page);
    boutonRetirer->setObjectName(QStringLiteral("btnSupprimerSerie"));
    boutonRetirer->setToolTip(QStringLiteral("Ne plus retenir la série de notes sélectionnée"));

    auto* cadreOperation = OutilsSeries::GroupeChoix(
        page, QStringLiteral("Créer la nouvelle série"),
        {QStringLiteral("en retenant la note maximale."),
         QStringLiteral("en faisant la moyenne des notes."),
         QStringLiteral("en les additionnant (par exemple pour créer une note sur 20 à partir de "
                        "2 notes sur 10)")},
        groupeOperation);
    cadreArrondi = OutilsSeries::GroupeChoix(
        page, QStringLiteral("Arrondi"),
        {QStringLiteral("Ne pas arrondir les notes"), QStringLiteral("Arrondir au 1/10 de point"),
         QStringLiteral("Arrondir au 1/4 de point"), QStringLiteral("Arrondir au 1/2 point")},
        groupeArrondi);

    comboPeriode = new QComboBox(page);
    comboPeriode->setObjectName(QStringLiteral("ComboBox1"));
    comboPeriode->addItems(fichier.ListePeriodes());
    comboType = new QComboBox(page);
    comboType->setObjectName(QStringLiteral("ComboBox2"));
    comboType->addItems(Options::ChargerTypesDeNotes());
    comboType->setCurrentIndex(comboType->count() > 0 ? 0 : -1);
    auto* cadreOral =
        OutilsSeries::GroupeChoix(page, QStringLiteral("Ecrit ou oral"),
                                  {QStringLiteral("Ecrit"), QStringLiteral("Oral")}, groupeOral);

    checkSupprimer = new QCheckBox(
        QStringLiteral("&Supprimer les séries retenues après\nla création de la nouvelle"), page);
    checkSupprimer->setObjectName(QStringLiteral("CheckBox1"));
    checkCompteNon = new QCheckBox(
        QStringLiteral("&Fixer à 'non' le champ 'Compte dans\nla moyenne' des séries retenues"),
        page);
    checkCompteNon->setObjectName(QStringLiteral("CheckBox2"));
    checkCompteNon->setChecked(true);
    checkInformations = new QCheckBox(
        QStringLiteral("&Afficher les informations sur la\nnouvelle série après sa création"),
        page);
    checkInformations->setObjectName(QStringLiteral("CheckBox3"));
    checkInformations->setChecked(true);
    if (fichier.NombreSeriesAnnee() >= Tav::MaxSeriesAnnee) {
        checkSupprimer->setChecked(true);
        checkSupprimer->setEnabled(false);
    }

    auto* boutonsMilieu = new QVBoxLayout;
    boutonsMilieu->addStretch();
    boutonsMilieu->addWidget(boutonAjouter);
    boutonsMilieu->addWidget(boutonRetirer);
    boutonsMilieu->addStretch();
    auto* retenuesMise = new QVBoxLayout;
    retenuesMise->addWidget(libelleRetenues);
    retenuesMise->addWidget(listeRetenues, 1);
    auto* choix = new QHBoxLayout;
    choix->addWidget(listeSeries, 1);
    choix->addLayout(boutonsMilieu);
    choix->addLayout(retenuesMise, 1);

    auto* nouvelle = new QFormLayout;
    nouvelle->addRow(QStringLiteral("Période de la nouvelle série :"), comboPeriode);
    nouvelle->addRow(QStringLiteral("Type de notes de la nouvelle série :"), comboType);
    auto* cases = new QVBoxLayout;
    cases->addWidget(checkSupprimer);
    cases->addWidget(checkCompteNon);
    cases->addWidget(checkInformations);
    cases->addStretch();
    auto* options = new QVBoxLayout;
    options->addLayout(nouvelle);
    options->addWidget(cadreOral);
    options->addStretch();
    auto* bas = new QHBoxLayout;
    bas->addWidget(cadreArrondi);
    bas->addLayout(options, 1);
    bas->addLayout(cases);

    auto* pageMise = new QVBoxLayout(page);
    pageMise->addLayout(choix, 1);
    pageMise->addWidget(cadreOperation);
    pageMise->addLayout(bas);

    boutonCreer = new QPushButton(QStringLiteral("&Créer la série"), this);
    boutonCreer->setObjectName(QStringLiteral("btnCreerSerie"));
    boutonFermer = new QPushButton(QStringLiteral("&Fermer"), this);
    boutonFermer->setObjectName(QStringLiteral("BoutonFermer"));

    connect(onglets, &QTabBar::currentChanged, this, &TFormUtilitairesSeries::Remplir);
    connect(listeSeries, &QListWidget::itemDoubleClicked, this,
            [this] { AjouterSerie(onglets->currentIndex() + 1, listeSeries->currentRow() + 1); });
    connect(boutonAjouter, &QPushButton::clicked, this,
            [this] { AjouterSerie(onglets->currentIndex() + 1, listeSeries->currentRow() + 1); });
    connect(boutonRetirer, &QPushButton::clicked, this, &TFormUtilitairesSeries::RetirerSerie);
    connect(listeSeries, &QListWidget::currentRowChanged, this,
            &TFormUtilitairesSeries::MettreAJour);
    connect(listeRetenues, &QListWidget::currentRowChanged, this,
            &TFormUtilitairesSeries::MettreAJour);
    connect(groupeOperation, &QButtonGroup::idToggled, this, &TFormUtilitairesSeries::MettreAJour);
    connect(checkSupprimer, &QCheckBox::toggled, this, &TFormUtilitairesSeries::MettreAJour);
    connect(boutonCreer, &QPushButton::clicked, this, &TFormUtilitairesSeries::CreerSerie);
    connect(boutonFermer, &QPushButton::clicked, this, &TFormUtilitairesSeries::reject);

    Dialogues::DisposerPageAOnglets(this, logo, onglets, page, {boutonCreer, boutonFermer});
    Remplir();
}

void TFormUtilitairesSeries::Selectionner(int p) {
    if (p < 1 || p > onglets->count()) return;
    onglets->setCurrentIndex(p - 1);
    comboPeriode->setCurrentIndex(p - 1);
    Remplir();
}

bool TFormUtilitairesSeries::Informations() const {
    return checkInformations->isChecked();
}

void TFormUtilitairesSeries::Remplir() {
    listeSeries->setCurrentRow(-1);
    OutilsSeries::RemplirListe(listeSeries,
                               OutilsSeries::IntitulesSeries(fichier, onglets->currentIndex() + 1));
    MettreAJour();
}

void TFormUtilitairesSeries::MettreAJour() {
    boutonAjouter->setEnabled(listeSeries->currentRow() >= 0);
    boutonRetirer->setEnabled(listeRetenues->currentRow() >= 0);
    boutonCreer->setEnabled(retenues.size() >= 2);
    cadreArrondi->setVisible(groupeOperation->checkedId() == Moyenne);
    checkCompteNon->setEnabled(!checkSupprimer->isChecked());
}

void TFormUtilitairesSeries::AjouterSerie(int p, int j) {
    if (p < 1 || p > fichier.NombrePeriodes() || j < 1 || j > fichier.NombreSeries(p)) return;
    if (retenues.contains(std::pair(p, j))) return;
    retenues.append({p, j});
    listeRetenues->addItem(fichier.Intitule(p, j) + QStringLiteral(" (") + fichier.NomPeriode(p) +
                           QStringLiteral(")"));
    MettreAJour();
}

void TFormUtilitairesSeries::RetirerSerie() {
    const int i = listeRetenues->currentRow();
    if (i < 0 || i >= retenues.size()) return;
    retenues.removeAt(i);
    delete listeRetenues->takeItem(i);
    MettreAJour();
}

QString TFormUtilitairesSeries::MessageNoteSurDifferentes() {
    return QStringLiteral("Les séries de notes sélectionnées ne sont pas notées sur le même "
                          "nombre de points.\r\n\r\nImpossible de créer la nouvelle série à "
                          "partir de ces séries.");
}

QString TFormUtilitairesSeries::MessageNoteSurNonEntiere() {
    return QStringLiteral("Les séries de notes sélectionnées ne sont pas notées sur un nombre "
                          "entier de points (de 1 à 1000).\r\n\r\nImpossible de les additionner.");
}

QStringList TFormUtilitairesSeries::Combiner(const QList<QStringList>& notes, int operation,
                                             int arrondi) {
    qsizetype eleves = 0;
    for (const QStringList& l : notes)
        eleves = std::max(eleves, l.size());
    QStringList resultat;
    for (qsizetype s = 0; s < eleves; ++s) {
        int nombre = 0;
        long double maximum = 0, somme = 0;
        QString texteSomme;
        for (const QStringList& serie : notes) {
            long double x;
            if (!Tav::LireNombre(serie.value(s), x)) continue;
            if (nombre == 0 || x > maximum) maximum = x;
            somme += x;
            ++nombre;
            // The sum: the first number as typed, then the running sum with two decimals.
            texteSomme = nombre == 1 ? serie.value(s).trimmed() : Tav::FormaterFixe(somme, 2);
        }
        if (nombre == 0) {
            resultat.append(QString());
            continue;
        }
        switch (operation) {
        case Maximum:
            resultat.append(Tav::FormaterFixe(maximum, 2));
            break;
        case Moyenne:
            resultat.append(OutilsSeries::TexteNoteCalculee(somme / nombre, arrondi));
            break;
        default:
            resultat.append(texteSomme);
            break;
        }
    }
    return resultat;
}

QString TFormUtilitairesSeries::Intitule(int operation, const QStringList& titres) {
    const QString prefixe = operation == Maximum   ? QStringLiteral("Max. de")
                            : operation == Moyenne ? QStringLiteral("Moy. de")
                                                   : QStringLiteral("Somme de");
    return (prefixe + QLatin1Char(' ') + titres.join(QStringLiteral(" , ")))
        .left(Tav::MaxLongueurTexte);
}

void TFormUtilitairesSeries::CreerSerie() {
    if (retenues.size() < 2) return;
    for (const auto& [p, j] : std::as_const(retenues))
        if (p > fichier.NombrePeriodes() || j > fichier.NombreSeries(p)) return;
    const bool supprimer = checkSupprimer->isChecked();
    // Kept, the chosen series leave no room for one more; deleted, they make room.
    if (!supprimer && fichier.NombreSeriesAnnee() >= Tav::MaxSeriesAnnee) {
        Information(this, OutilsSeries::MessageLimiteCreation());
        return;
    }
    const auto [p0, j0] = retenues.first();
    const QString noteSur = fichier.NoteSur(p0, j0);
    for (const auto& [p, j] : std::as_const(retenues))
        if (fichier.NoteSur(p, j) != noteSur) {
            Erreur(this, MessageNoteSurDifferentes());
            reject();
            return;
        }
    const int operation = groupeOperation->checkedId();
    const int n = int(retenues.size());
    QString noteSurNouvelle = noteSur;
    QString commentaire = operation == Maximum ? QStringLiteral("Maximum de plusieurs notes")
                                               : QStringLiteral("Moyenne de plusieurs notes");
    if (operation == Somme) {
        int m = 0;
        if (!OutilsSeries::LireNoteSurEntiere(noteSur, m)) {
            Erreur(this, MessageNoteSurNonEntiere());
            return;
        }
        noteSurNouvelle = QString::number(n * m);
        commentaire = QStringLiteral("Plusieurs notes sur ") + QString::number(m) +
                      QStringLiteral(" -> une note sur ") + noteSurNouvelle;
    }

    // Everything read before anything changes.
    QList<QStringList> notes;
    QStringList titres;
    for (const auto& [p, j] : std::as_const(retenues)) {
        QStringList colonne;
        for (int s = 1; s <= fichier.NombreEleves(); ++s)
            colonne.append(fichier.Note(p, j, s));
        notes.append(colonne);
        titres.append(fichier.Intitule(p, j));
    }
    const QStringList resultat = Combiner(notes, operation, groupeArrondi->checkedId());

    if (supprimer) {
        // Exactly the chosen series, from the last column of the year to the first.
        QList<std::pair<int, int>> ordre = retenues;
        std::sort(ordre.begin(), ordre.end(), [this](const auto& a, const auto& b) {
            return fichier.IndiceColonne(a.first, a.second) >
                   fichier.IndiceColonne(b.first, b.second);
        });
        for (const auto& [p, j] : std::as_const(ordre))
            fichier.SupprimerSerie(p, fichier.IndiceColonne(p, j) + 1);
    }
    const int periode = comboPeriode->currentIndex() + 1;
    fichier.AjouterSerie(periode, Intitule(operation, titres), groupeOral->checkedId() == 1,
                         comboType->currentText(), commentaire, OutilsSeries::DateDuJour(),
                         QStringLiteral("oui"), QStringLiteral("1"), noteSurNouvelle);
    const int nouvelle = fichier.NombreSeries(periode);
    for (int s = 1; s <= fichier.NombreEleves(); ++s)
        fichier.ModifierNote(periode, nouvelle, resultat.value(s - 1), s);
    if (!supprimer && checkCompteNon->isChecked())
        for (const auto& [p, j] : std::as_const(retenues))
            fichier.ModifierCompteDansMoyenne(p, j, QStringLiteral("non"));
    fichier.InvaliderCalculs();
    periodeResultat = periode;
    accept();
}
