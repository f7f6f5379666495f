#include "_FormImporterSeries.h"

#include "tavX_commandesSeries.h"
#include "tavX_constantes.h"
#include "tavX_controlesSerie.h"
#include "tavX_fichierTav.h"
#include "tavX_interlocuteur.h"
#include "tavX_listeColoree.h"
#include "tavX_outilsSeries.h"

#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QVBoxLayout>

#include <memory>

namespace {

QString FiltreTav() {
    return QStringLiteral("Fichier Tavelin *.tav|*.tav");
}

// The class file chosen in the open dialog, loaded quietly; nullptr when nothing was chosen or
// (after the message) when it is not a valid class file.
std::unique_ptr<TFichierTav> ChargerAutre(QWidget* feuille, const QString& titre,
                                          const QString& finMessage, QString& nom) {
    TDemandeFichier demande;
    demande.titre = titre;
    demande.filtre = FiltreTav();
    demande.extensionParDefaut = QStringLiteral("tav");
    const QString chemin = Interlocuteur().FichiersAOuvrir(feuille, demande).value(0);
    if (chemin.isEmpty()) return nullptr;
    nom = QFileInfo(chemin).fileName();
    auto autre = std::make_unique<TFichierTav>(chemin, true);
    if (!autre->EstValide()) {
        QString texte = QStringLiteral("Le fichier \"") + nom +
                        QStringLiteral("\" n'est pas un fichier Tavelin valide. ") + finMessage;
        if (!autre->CauseInvalidite().isEmpty())
            texte += QStringLiteral("\n\n") + autre->CauseInvalidite();
        Erreur(feuille, texte);
        return nullptr;
    }
    return autre;
}

} // namespace

TFormImporterSeries::TFormImporterSeries(QWidget* owner, const QPixmap& logo, TFichierTav& fichier,
                                         const TFichierTav& autre, TMode mode,
                                         const QString& nomFichier)
    : QDialog(owner), fichier(fichier), autre(autre), mode(mode) {
    const bool modeles = mode == ModeModeles;
    setWindowTitle((modeles ? QStringLiteral("Copier le modèle des séries de notes de ")
                            : QStringLiteral("Importer des séries de notes depuis le fichier ")) +
                   QLatin1Char('"') + nomFichier + QLatin1Char('"'));
    setObjectName(QStringLiteral("FormImporterSeries"));

    onglets = Dialogues::OngletsPeriodes(this, &autre);
    auto* page = new QWidget(this);
    liste = new QListWidget(page);
    liste->setObjectName(QStringLiteral("CheckListBoxSeries"));
    liste->setAlternatingRowColors(true);
    liste->setMinimumSize(320, Tav::HauteurLigneListe * 12);
    auto* libelleListe = new QLabel(modeles ? QStringLiteral("&Modèles de séries de notes à copier")
                                            : QStringLiteral("&Série(s) de notes à importer :"),
                                    page);
    libelleListe->setBuddy(liste);
    labelNombre = new QLabel(page);
    labelNombre->setObjectName(QStringLiteral("Label3"));
    comboPeriodes = new QComboBox(page);
    comboPeriodes->setObjectName(QStringLiteral("ComboBoxPeriodes"));
    comboPeriodes->addItems(fichier.ListePeriodes());
    comboPeriodes->setCurrentIndex(0);
    auto* libellePeriodes = new QLabel(modeles ? QStringLiteral("&Copier le modèle des séries vers")
                                               : QStringLiteral("&Importer vers :"),
                                       page);
    libellePeriodes->setBuddy(comboPeriodes);
    boutonTout = new QPushButton(QStringLiteral("Tout &sélectionner"), page);
    boutonRien = new QPushButton(QStringLiteral("Tout &désélectionner"), page);

    auto* selection = new QHBoxLayout;
    selection->addWidget(boutonTout);
    selection->addWidget(boutonRien);
    selection->addStretch();
    selection->addWidget(labelNombre);
    auto* vers = new QHBoxLayout;
    vers->addWidget(libellePeriodes);
    vers->addWidget(comboPeriodes, 1);
    auto* pageMise = new QVBoxLayout(page);
    pageMise->addWidget(libelleListe);
    pageMise->addWidget(liste, 1);
    pageMise->addLayout(selection);
    pageMise->addSpacing(6);
    pageMise->addLayout(vers);

    boutonExecuter =
        new QPushButton(modeles ? QStringLiteral("C&opier") : QStringLiteral("&Importer"), this);
    boutonExecuter->setObjectName(QStringLiteral("SpeedButtonExecuter"));
    if (modeles)
        boutonExecuter->setToolTip(
            QStringLiteral("Copier le modèle des séries de notes sélectionnées"));
    boutonFermer = new QPushButton(QStringLiteral("&Fermer"), this);
    boutonFermer->setObjectName(QStringLiteral("BoutonFermer"));

    connect(onglets, &QTabBar::currentChanged, this, &TFormImporterSeries::Remplir);
    connect(liste, &QListWidget::itemChanged, this, &TFormImporterSeries::MettreAJourBouton);
    connect(boutonTout, &QPushButton::clicked, this, [this] { ToutSelectionner(true); });
    connect(boutonRien, &QPushButton::clicked, this, [this] { ToutSelectionner(false); });
    connect(boutonExecuter, &QPushButton::clicked, this, &TFormImporterSeries::Executer);
    connect(boutonFermer, &QPushButton::clicked, this, &TFormImporterSeries::accept);

    Dialogues::DisposerPageAOnglets(this, logo, onglets, page, {boutonExecuter, boutonFermer});
    Remplir();
}

QString TFormImporterSeries::MessageListesDifferentes() {
    return QStringLiteral("Les classes n'ont pas la même liste d'élèves. Impossible d'importer "
                          "depuis ce fichier.");
}

bool TFormImporterSeries::ImporterDepuisFichier(QWidget* feuille, TFichierTav& fichier,
                                                const QPixmap& logo) {
    if (fichier.NombreSeriesAnnee() >= Tav::MaxSeriesAnnee) {
        Information(feuille, CommandesSeries::MessageLimiteImportation());
        return false;
    }
    QString nom;
    const auto autre =
        ChargerAutre(feuille, QStringLiteral("Informations sur la série de notes à importer"),
                     QStringLiteral("Impossible d'importer depuis ce fichier."), nom);
    if (!autre) return false;
    if (!OutilsSeries::ListesIdentiques(fichier.ListeEleves(), autre->ListeEleves())) {
        Erreur(feuille, MessageListesDifferentes());
        return false;
    }
    TFormImporterSeries dialogue(feuille, logo, fichier, *autre, ModeImportation, nom);
    dialogue.exec();
    return true;
}

bool TFormImporterSeries::CopierModeles(QWidget* feuille, TFichierTav& fichier,
                                        const QPixmap& logo) {
    QString nom;
    const auto autre = ChargerAutre(feuille, QStringLiteral("Ouvrir un fichier Tavelin"),
                                    QStringLiteral("Impossible de copier depuis ce fichier."), nom);
    if (!autre) return false;
    TFormImporterSeries dialogue(feuille, logo, fichier, *autre, ModeModeles, nom);
    dialogue.exec();
    return true;
}

void TFormImporterSeries::Selectionner(int p) {
    if (p >= 1 && p <= onglets->count()) onglets->setCurrentIndex(p - 1);
}

void TFormImporterSeries::Remplir() {
    {
        const QSignalBlocker bloque(liste);
        OutilsSeries::RemplirListe(
            liste, OutilsSeries::IntitulesSeries(autre, onglets->currentIndex() + 1), true);
    }
    labelNombre->setText(OutilsSeries::TexteNombreSeries(liste->count()));
    MettreAJourBouton();
}

void TFormImporterSeries::MettreAJourBouton() {
    bool coche = false;
    for (int i = 0; i < liste->count() && !coche; ++i)
        coche = liste->item(i)->checkState() == Qt::Checked;
    boutonExecuter->setEnabled(coche);
}

void TFormImporterSeries::ToutSelectionner(bool coche) {
    {
        const QSignalBlocker bloque(liste);
        for (int i = 0; i < liste->count(); ++i)
            liste->item(i)->setCheckState(coche ? Qt::Checked : Qt::Unchecked);
    }
    MettreAJourBouton();
}

void TFormImporterSeries::Executer() {
    const int source = onglets->currentIndex() + 1;
    const int cible = comboPeriodes->currentIndex() + 1;
    if (source < 1 || cible < 1) return;
    const bool notes = mode == ModeImportation &&
                       OutilsSeries::ListesIdentiques(fichier.ListeEleves(), autre.ListeEleves());
    for (int i = 0; i < liste->count() && i < autre.NombreSeries(source); ++i) {
        if (liste->item(i)->checkState() != Qt::Checked) continue;
        const int j = i + 1;
        if (fichier.NombreSeriesAnnee() >= Tav::MaxSeriesAnnee) {
            Erreur(this,
                   QStringLiteral("Impossible d'importer la série \"") + autre.Intitule(source, j) +
                       QStringLiteral("\"\r\n\r\nLe nombre de séries de notes est limité à ") +
                       QString::number(Tav::MaxSeriesAnnee) + QStringLiteral("."));
            break;
        }
        fichier.AjouterSerie(cible, autre.Intitule(source, j),
                             autre.OralEcrit(source, j) == QLatin1String("Oral"),
                             autre.TypeNotes(source, j), autre.Commentaire(source, j),
                             autre.DateSerie(source, j), autre.CompteDansMoyenne(source, j),
                             autre.Coefficient(source, j), autre.NoteSur(source, j));
        modifie = true;
        if (!notes) continue;
        const int nouvelle = fichier.NombreSeries(cible);
        for (int s = 1; s <= fichier.NombreEleves(); ++s)
            fichier.ModifierNote(cible, nouvelle, autre.Note(source, j, s), s);
    }
    fichier.InvaliderCalculs();
    ToutSelectionner(false);
}
