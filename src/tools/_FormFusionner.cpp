#include "_FormFusionner.h"

#include "tavX_ecritureSure.h"
#include "tavX_fichierTav.h"
#include "tavX_garde.h"
#include "tavX_interlocuteur.h"
#include "tavX_listeColoree.h"
#include "tavX_options.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

const char* const TitresPages[] = {"choisir les fichiers à fusionner",
                                   "choisir les moyennes à retenir",
                                   "informations sur le fichier fusionné"};

} // namespace

TFormFusionner::TFormFusionner(QWidget* parent, const QPixmap& logo,
                               const QStringList& fichiersOuverts)
    : QDialog(parent), fichiersOuverts(fichiersOuverts) {
    auto* principal = new QVBoxLayout(this);
    auto* haut = new QHBoxLayout;
    if (!logo.isNull()) {
        auto* image = new QLabel(this);
        image->setPixmap(logo.scaled(48, 48, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        haut->addWidget(image, 0, Qt::AlignTop);
    }
    pages = new QStackedWidget(this);
    haut->addWidget(pages, 1);
    principal->addLayout(haut, 1);

    // ---- Page 1: the files.
    auto* page1 = new QWidget(pages);
    auto* l1 = new QHBoxLayout(page1);
    auto* gauche = new QVBoxLayout;
    // The class files and folders of the current folder, which starts at the data folder; a
    // double click enters a folder (".." goes up) or adds a file.
    modele = new QFileSystemModel(this);
    modele->setFilter(QDir::AllDirs | QDir::Files | QDir::NoDot);
    modele->setNameFilters({QStringLiteral("*.tav")});
    modele->setNameFilterDisables(false);
    const QString depart =
        QFileInfo(Options::Chemin()).isDir() ? Options::Chemin() : QDir::homePath();
    arbre = new QTreeView(page1);
    arbre->setModel(modele);
    arbre->setRootIsDecorated(false);
    arbre->setItemsExpandable(false);
    for (int c = 1; c < modele->columnCount(); ++c)
        arbre->hideColumn(c);
    arbre->header()->hide();
    dossier = new QLabel(page1);
    const auto entrer = [this](const QString& chemin) {
        const QString propre = QDir(chemin).canonicalPath();
        arbre->setRootIndex(modele->setRootPath(propre));
        dossier->setText(QDir::toNativeSeparators(propre));
    };
    entrer(depart);
    connect(arbre, &QTreeView::doubleClicked, this, [this, entrer](const QModelIndex& index) {
        const QString chemin = modele->filePath(index);
        if (QFileInfo(chemin).isDir())
            entrer(chemin);
        else
            AjouterSelection();
    });
    gauche->addWidget(dossier);
    auto* ajouter = new QPushButton(QStringLiteral("&Ajouter le fichier sélectionné"), page1);
    connect(ajouter, &QPushButton::clicked, this, [this] { AjouterSelection(); });
    gauche->addWidget(arbre, 1);
    gauche->addWidget(ajouter);
    auto* droite = new QVBoxLayout;
    fichiers = new QListWidget(page1);
    fichiers->setToolTip(QStringLiteral("Liste des fichiers sélectionnés"));
    Tav::ColorerListe(fichiers);
    auto* supprimer =
        new QPushButton(QStringLiteral("&Supprimer le fichier sélectionné de la liste"), page1);
    connect(supprimer, &QPushButton::clicked, this, &TFormFusionner::SupprimerFichier);
    labelEleves = new QLabel(QStringLiteral("Elèves :"), page1);
    labelPeriodes = new QLabel(QStringLiteral("Périodes :"), page1);
    droite->addWidget(fichiers, 1);
    droite->addWidget(supprimer);
    droite->addWidget(labelEleves);
    droite->addWidget(labelPeriodes);
    l1->addLayout(gauche, 1);
    l1->addLayout(droite, 1);
    pages->addWidget(page1);

    // ---- Page 2: the periods and the data kept.
    auto* page2 = new QWidget(pages);
    auto* l2 = new QVBoxLayout(page2);
    periodes = new QListWidget(page2);
    periodes->setToolTip(QStringLiteral("Périodes disponibles"));
    connect(periodes, &QListWidget::itemChanged, this, [this] { Actualiser(); });
    auto* ligneTout = new QHBoxLayout;
    auto* tout = new QPushButton(QStringLiteral("Tout &sélectionner"), page2);
    auto* rien = new QPushButton(QStringLiteral("Tout &désélectionner"), page2);
    connect(tout, &QPushButton::clicked, this, [this] { ToutSelectionner(true); });
    connect(rien, &QPushButton::clicked, this, [this] { ToutSelectionner(false); });
    ligneTout->addWidget(tout);
    ligneTout->addWidget(rien);
    ligneTout->addStretch();
    auto* groupe = new QGroupBox(QStringLiteral(" &Données à retenir pour la fusion "), page2);
    auto* lg = new QVBoxLayout(groupe);
    const QString choix[3] = {QStringLiteral("Seulement les moyennes bulletin de chaque fichier"),
                              QStringLiteral("Les moyennes par types de notes de chaque fichier"),
                              QStringLiteral("Toutes les séries de notes de chaque fichier")};
    for (int i = 0; i < 3; ++i) {
        donnees[i] = new QRadioButton(choix[i], groupe);
        lg->addWidget(donnees[i]);
    }
    donnees[0]->setChecked(true);
    l2->addWidget(periodes, 1);
    l2->addLayout(ligneTout);
    l2->addWidget(groupe);
    pages->addWidget(page2);

    // ---- Page 3: the new file's identity.
    auto* page3 = new QWidget(pages);
    auto* l3 = new QFormLayout(page3);
    utilisateurs = new QComboBox(page3);
    utilisateurs->setEditable(true);
    l3->addRow(QStringLiteral("Enseignant :"), utilisateurs);
    const QString libelles[5] = {QStringLiteral("Classe :"), QStringLiteral("Etablissement :"),
                                 QStringLiteral("Matière :"), QStringLiteral("Année scolaire :"),
                                 QStringLiteral("Remarque :")};
    for (int i = 0; i < 5; ++i) {
        edits[i] = new QLineEdit(page3);
        l3->addRow(libelles[i], edits[i]);
    }
    ouvrir = new QCheckBox(QStringLiteral("Ouvrir le fichier après la fusion"), page3);
    ouvrir->setChecked(true);
    l3->addRow(ouvrir);
    pages->addWidget(page3);

    // ---- Buttons.
    auto* boutons = new QHBoxLayout;
    auto* aide = new QPushButton(QStringLiteral("&Aide"), this);
    boutonPrecedent = new QPushButton(QStringLiteral("Etape &précédente"), this);
    boutonSuivant = new QPushButton(QStringLiteral("Etape &suivante"), this);
    auto* fermer = new QPushButton(QStringLiteral("&Fermer"), this);
    boutonFusionner = new QPushButton(QStringLiteral("&Fusionner et fermer"), this);
    boutons->addWidget(aide);
    boutons->addStretch();
    for (QPushButton* b : {boutonPrecedent, boutonSuivant, fermer, boutonFusionner})
        boutons->addWidget(b);
    principal->addLayout(boutons);
    connect(aide, &QPushButton::clicked, this, [this] {
        Information(this,
                    QStringLiteral(
                        "La fusion réunit dans un nouveau fichier les résultats de plusieurs "
                        "fichiers d'une même classe (mêmes élèves, mêmes périodes), par exemple "
                        "ceux de chaque matière.\r\n\r\n1. Choisissez au moins deux fichiers.\r\n"
                        "2. Cochez les périodes et choisissez les données à retenir.\r\n"
                        "3. Complétez les informations du nouveau fichier, puis fusionnez."));
    });
    connect(boutonPrecedent, &QPushButton::clicked, this, &TFormFusionner::Precedent);
    connect(boutonSuivant, &QPushButton::clicked, this,
            [this] { Tav::Garder("fusion", this, [this] { Suivant(); }); });
    connect(fermer, &QPushButton::clicked, this, &QDialog::reject);
    connect(boutonFusionner, &QPushButton::clicked, this,
            [this] { Tav::Garder("fusion", this, [this] { Fusionner(); }); });
    resize(720, 480);
    AfficherPage(0);
}

TFormFusionner::~TFormFusionner() = default;

int TFormFusionner::Page() const {
    return pages->currentIndex() + 1;
}

bool TFormFusionner::OuvrirApres() const {
    return ouvrir->isChecked();
}

void TFormFusionner::AfficherPage(int page) {
    pages->setCurrentIndex(page);
    setWindowTitle(QStringLiteral("Fusionner plusieurs fichiers --> étape %1 : %2")
                       .arg(page + 1)
                       .arg(QString::fromUtf8(TitresPages[page])));
    Actualiser();
}

void TFormFusionner::Actualiser() {
    const int page = pages->currentIndex();
    boutonPrecedent->setEnabled(page > 0);
    bool suivant = false;
    if (page == 0) {
        suivant = fichiers->count() >= 2;
    } else if (page == 1) {
        for (int i = 0; i < periodes->count(); ++i)
            suivant = suivant || periodes->item(i)->checkState() == Qt::Checked;
    }
    boutonSuivant->setEnabled(suivant);
    boutonFusionner->setEnabled(page == 2);
}

void TFormFusionner::AjouterSelection() {
    const QString chemin = modele->filePath(arbre->currentIndex());
    if (!QFileInfo(chemin).isFile()) return;
    if (AjouterFichier(chemin)) {
        const QModelIndex suivant = arbre->indexBelow(arbre->currentIndex());
        if (suivant.isValid()) arbre->setCurrentIndex(suivant);
    }
}

bool TFormFusionner::AjouterFichier(const QString& chemin) {
    const QString canonique = Tav::CheminCanonique(chemin);
    for (int i = 0; i < fichiers->count(); ++i)
        if (Tav::CheminCanonique(fichiers->item(i)->text()) == canonique) return false;
    const QString refus = Outils::VerifierFichierFusion(chemin, reference);
    if (!refus.isEmpty()) {
        Interlocuteur().Message(this, QStringLiteral("Tavelin"), refus, TIcone::Erreur);
        return false;
    }
    fichiers->addItem(QFileInfo(chemin).absoluteFilePath());
    labelEleves->setText(QStringLiteral("Elèves : %1").arg(reference.eleves.size()));
    labelPeriodes->setText(QStringLiteral("Périodes : %1").arg(reference.periodes.size()));
    Actualiser();
    return true;
}

void TFormFusionner::SupprimerFichier() {
    const int ligne = fichiers->currentRow();
    if (ligne < 0) return;
    delete fichiers->takeItem(ligne);
    if (fichiers->count() == 0) {
        reference = {};
        labelEleves->setText(QStringLiteral("Elèves :"));
        labelPeriodes->setText(QStringLiteral("Périodes :"));
    }
    Actualiser();
}

void TFormFusionner::ToutSelectionner(bool coche) {
    for (int i = 0; i < periodes->count(); ++i)
        periodes->item(i)->setCheckState(coche ? Qt::Checked : Qt::Unchecked);
    Actualiser();
}

void TFormFusionner::Suivant() {
    const int page = pages->currentIndex();
    if (!boutonSuivant->isEnabled() || page >= 2) return;
    if (page == 0) {
        // Every chosen file is read again: it may have changed since it was checked.
        std::vector<std::unique_ptr<TFichierTav>> lus;
        for (int i = 0; i < fichiers->count(); ++i) {
            auto f = std::make_unique<TFichierTav>(fichiers->item(i)->text(), true, false);
            if (!f->EstValide()) {
                Erreur(this, QStringLiteral("Le fichier \"") +
                                 QFileInfo(fichiers->item(i)->text()).fileName() +
                                 QStringLiteral("\" n'est pas un fichier Tavelin valide."));
                return;
            }
            lus.push_back(std::move(f));
        }
        classes = std::move(lus);
        periodes->clear();
        for (const QString& nom : classes.front()->ListePeriodes()) {
            auto* item = new QListWidgetItem(nom, periodes);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Unchecked);
        }
    } else {
        const TFichierTav& premier = *classes.front();
        utilisateurs->clear();
        utilisateurs->addItems(Options::ChargerUtilisateurs());
        utilisateurs->setCurrentIndex(0);
        const Outils::TCadre cadre = Outils::CadreFusionParDefaut(premier, QString());
        edits[0]->setText(cadre.classe);
        edits[1]->setText(cadre.ecole);
        edits[2]->setText(cadre.matiere);
        edits[3]->setText(cadre.annee);
        edits[4]->setText(cadre.remarque);
    }
    AfficherPage(page + 1);
}

void TFormFusionner::Precedent() {
    const int page = pages->currentIndex();
    if (page == 0) return;
    if (page == 1) {
        classes.clear();
        periodes->clear();
    }
    AfficherPage(page - 1);
}

void TFormFusionner::Fusionner() {
    if (pages->currentIndex() != 2 || classes.empty()) return;
    Outils::TParametresFusion parametres;
    for (int i = 0; i < periodes->count(); ++i)
        if (periodes->item(i)->checkState() == Qt::Checked) parametres.periodes.append(i + 1);
    for (int i = 0; i < 3; ++i)
        if (donnees[i]->isChecked()) parametres.donnees = Outils::TDonneesFusion(i);
    parametres.cadre = {utilisateurs->currentText(),
                        edits[0]->text(),
                        edits[1]->text(),
                        edits[2]->text(),
                        edits[3]->text(),
                        edits[4]->text()};
    parametres.sur = Options::MoyennesSur();
    parametres.date = QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"));
    std::vector<const TFichierTav*> sources;
    for (const auto& c : classes)
        sources.push_back(c.get());
    QString erreur;
    auto fusion = Outils::Fusionner(sources, parametres, &erreur);
    if (!fusion) {
        Erreur(this, erreur);
        return;
    }
    TDemandeFichier demande;
    demande.titre = QStringLiteral("Enregistrer le fichier fusionné");
    demande.dossier = QFileInfo(Options::Chemin()).isDir()
                          ? Options::Chemin()
                          : QFileInfo(classes.front()->NomFichier()).absolutePath();
    demande.nomFichier =
        Outils::NomDeFichierValide(parametres.cadre.classe + QStringLiteral(" - ") +
                                   parametres.cadre.matiere) +
        QStringLiteral(".tav");
    demande.filtre = QStringLiteral("Fichier Tavelin *.tav|*.tav");
    demande.extensionParDefaut = QStringLiteral("tav");
    const QString chemin = Interlocuteur().FichierAEnregistrer(this, demande);
    if (chemin.isEmpty()) return;
    // A merged file never takes the place of one of its sources nor of a class open in a sheet.
    QStringList proteges = fichiersOuverts;
    for (int i = 0; i < fichiers->count(); ++i)
        proteges.append(fichiers->item(i)->text());
    for (const QString& p : proteges)
        if (Tav::CheminCanonique(p) == Tav::CheminCanonique(chemin)) {
            Erreur(this, QStringLiteral("Le fichier \"") + chemin +
                             QStringLiteral("\" est un des fichiers fusionnés ou une classe "
                                            "ouverte : il ne peut pas être remplacé."));
            return;
        }
    if (!Outils::EnregistrerClasse(*fusion, chemin, &erreur)) {
        Erreur(this, erreur);
        return;
    }
    enregistre = chemin;
    accept();
}
