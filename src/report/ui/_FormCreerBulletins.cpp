#include "_FormCreerBulletins.h"

#include "tavX_actions.h"
#include "tavX_apercuBulletins.h"
#include "tavX_ecritureSure.h"
#include "tavX_fichierTav.h"
#include "tavX_garde.h"
#include "tavX_interlocuteur.h"
#include "tavX_options.h"
#include "tavX_programme.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

TFormCreerBulletins::TClassesOuvertes& ClassesOuvertes() {
    static TFormCreerBulletins::TClassesOuvertes classes;
    return classes;
}

TFormCreerBulletins::TApercu& Apercu() {
    static TFormCreerBulletins::TApercu apercu = Bulletins::MontrerApercu;
    return apercu;
}

const QString Legende = QStringLiteral("Créer les bulletins des élèves");

const QString TitresEtapes[] = {QStringLiteral("choisir les fichiers des différentes matières"),
                                QStringLiteral("choisir les périodes et les élèves"),
                                QStringLiteral("choisir intitulé et logo bulletin")};

QPushButton* Bouton(const QString& texte, QWidget* parent) {
    auto* b = new QPushButton(texte, parent);
    b->setAutoDefault(false);
    return b;
}

// The two buttons under a list, side by side.
QHBoxLayout* CoteACote(QPushButton* gauche, QPushButton* droite) {
    auto* rangee = new QHBoxLayout;
    rangee->addWidget(gauche);
    rangee->addWidget(droite);
    return rangee;
}

void CocherTout(QListWidget* liste, Qt::CheckState etat) {
    for (int i = 0; i < liste->count(); ++i)
        liste->item(i)->setCheckState(etat);
}

// The logo fitted inside its frame, its proportions kept.
void MontrerLogo(QLabel* cadre, const QPixmap& image) {
    cadre->setPixmap(
        image.scaled(cadre->size() - QSize(4, 4), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

} // namespace

void TFormCreerBulletins::DefinirClassesOuvertes(TClassesOuvertes classes) {
    ClassesOuvertes() = std::move(classes);
}

void TFormCreerBulletins::DefinirApercu(TApercu apercu) {
    Apercu() = apercu ? std::move(apercu) : TApercu(Bulletins::MontrerApercu);
}

QString TFormCreerBulletins::TexteAide() {
    return QStringLiteral(
        "Cette boite de dialogue permet de créer des bulletins à partir de plusieurs fichiers "
        "Tavelin. \n\nCes fichiers doivent avoir exactement la même liste d'élèves, le même type "
        "de périodes (trimestres, semestres, ...) et le même type de bulletins (bulletins par "
        "défaut ou nouveaux bulletins du collège). \n\nPour être certains que vos fichiers "
        "remplissent bien ces conditions, il est conseillé de les créer en début d'année par la "
        "rubrique \"Clôner le fichier\" du menu \"Fichier\" de Tavelin.");
}

void TFormCreerBulletins::Installer(QWidget* fenetre, TClassesOuvertes classes) {
    DefinirClassesOuvertes(std::move(classes));
    TActions::DefinirCommande(TActions::Id::Bulletins, fenetre, [fenetre] {
        Tav::Garder("bulletins", fenetre, [fenetre] { Ouvrir(fenetre); });
    });
    TActions::Actualiser();
}

void TFormCreerBulletins::Ouvrir(QWidget* owner) {
    TFormCreerBulletins dialogue(owner);
    dialogue.exec();
}

TFormCreerBulletins::TFormCreerBulletins(QWidget* owner) : QDialog(owner) {
    setModal(true);
    resize(760, 520);
    auto* principal = new QVBoxLayout(this);
    pages = new QStackedWidget(this);
    principal->addWidget(pages);

    // ---- Step 1 ----------------------------------------------------------------------------
    auto* page1 = new QWidget(pages);
    auto* l1 = new QHBoxLayout(page1);
    auto* gauche = new QVBoxLayout;
    gauche->addWidget(new QLabel(QStringLiteral("Fichiers Tavelin :"), page1));
    modeleFichiers = new QFileSystemModel(this);
    modeleFichiers->setNameFilters({QStringLiteral("*.tav"), QStringLiteral("*.TAV")});
    modeleFichiers->setNameFilterDisables(false);
    modeleFichiers->setFilter(QDir::AllDirs | QDir::Files | QDir::NoDotAndDotDot | QDir::Drives);
    modeleFichiers->setRootPath(QString());
    explorateur = new QTreeView(page1);
    explorateur->setModel(modeleFichiers);
    for (int c = 1; c < modeleFichiers->columnCount(); ++c)
        explorateur->hideColumn(c);
    explorateur->header()->hide();
    const QString depart = QFileInfo(Options::Chemin()).absolutePath();
    const QModelIndex indexDepart = modeleFichiers->index(depart);
    explorateur->setCurrentIndex(indexDepart);
    for (QModelIndex i = indexDepart; i.isValid(); i = i.parent())
        explorateur->expand(i);
    // The folders are read in the background: the start folder is brought into view once read.
    connect(modeleFichiers, &QFileSystemModel::directoryLoaded, this,
            [this, depart, montre = false](const QString& dossier) mutable {
                if (montre || !depart.startsWith(dossier)) return;
                montre = QFileInfo(dossier) == QFileInfo(depart);
                const QPersistentModelIndex index = explorateur->currentIndex();
                QTimer::singleShot(0, this, [this, index] {
                    if (index.isValid())
                        explorateur->scrollTo(index, QAbstractItemView::PositionAtTop);
                });
            });
    gauche->addWidget(explorateur);
    auto* boutonAjouter = Bouton(QStringLiteral("&Ajouter"), page1);
    gauche->addWidget(boutonAjouter);
    l1->addLayout(gauche, 1);

    auto* droite = new QVBoxLayout;
    droite->addWidget(new QLabel(QStringLiteral("Matières choisies :"), page1));
    listeFichiers = new QListWidget(page1);
    droite->addWidget(listeFichiers);
    auto* boutonRetirer = Bouton(QStringLiteral("&Retirer"), page1);
    auto* boutonToutRetirer = Bouton(QStringLiteral("Tout re&tirer"), page1);
    droite->addLayout(CoteACote(boutonRetirer, boutonToutRetirer));
    labelEleves = new QLabel(page1);
    labelPeriodes = new QLabel(page1);
    labelType = new QLabel(page1);
    droite->addWidget(labelEleves);
    droite->addWidget(labelPeriodes);
    droite->addWidget(labelType);
    l1->addLayout(droite, 1);
    pages->addWidget(page1);

    // ---- Step 2 ----------------------------------------------------------------------------
    auto* page2 = new QWidget(pages);
    auto* l2 = new QHBoxLayout(page2);
    auto* colonne = new QVBoxLayout;
    auto* groupePeriode = new QGroupBox(QStringLiteral(" Période à imprimer "), page2);
    auto* lp = new QVBoxLayout(groupePeriode);
    comboPeriode = new QComboBox(groupePeriode);
    lp->addWidget(comboPeriode);
    colonne->addWidget(groupePeriode);
    colonne->addWidget(new QLabel(QStringLiteral("Ordre des matières :"), page2));
    listeMatieres = new QListWidget(page2);
    colonne->addWidget(listeMatieres);
    auto* boutonMonter = Bouton(QStringLiteral("&Monter"), page2);
    auto* boutonDescendre = Bouton(QStringLiteral("&Descendre"), page2);
    boutonMonter->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
    boutonDescendre->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
    colonne->addLayout(CoteACote(boutonMonter, boutonDescendre));
    l2->addLayout(colonne, 1);
    auto* colonneEleves = new QVBoxLayout;
    colonneEleves->addWidget(
        new QLabel(QStringLiteral("Créer les bulletins des élèves suivants :"), page2));
    listeEleves = new QListWidget(page2);
    colonneEleves->addWidget(listeEleves);
    auto* boutonTous = Bouton(QStringLiteral("&Tous les élèves"), page2);
    auto* boutonAucun = Bouton(QStringLiteral("&Aucun élève"), page2);
    colonneEleves->addLayout(CoteACote(boutonTous, boutonAucun));
    l2->addLayout(colonneEleves, 1);
    pages->addWidget(page2);

    // ---- Step 3 ----------------------------------------------------------------------------
    auto* page3 = new QWidget(pages);
    auto* l3 = new QVBoxLayout(page3);
    auto* formulaire = new QFormLayout;
    editEcole = new QLineEdit(page3);
    editAnnee = new QLineEdit(page3);
    editPeriode = new QLineEdit(page3);
    editIntitule = new QLineEdit(page3);
    formulaire->addRow(QStringLiteral("Etablissement :"), editEcole);
    formulaire->addRow(QStringLiteral("Année scolaire :"), editAnnee);
    formulaire->addRow(QStringLiteral("Période :"), editPeriode);
    formulaire->addRow(QStringLiteral("Intitulé du cadre de synthèse en bas de la page :"),
                       editIntitule);
    l3->addLayout(formulaire);
    auto* ligneLogo = new QHBoxLayout;
    imageLogo = new QLabel(page3);
    imageLogo->setFixedSize(98, 98);
    imageLogo->setFrameShape(QFrame::StyledPanel);
    imageLogo->setAlignment(Qt::AlignCenter);
    ligneLogo->addWidget(imageLogo);
    auto* boutonsLogo = new QVBoxLayout;
    auto* boutonLogo = Bouton(QStringLiteral("&Choisir le logo à utiliser"), page3);
    auto* boutonSansLogo = Bouton(QStringLiteral("&Réinitialiser le logo"), page3);
    boutonsLogo->addWidget(boutonLogo);
    boutonsLogo->addWidget(boutonSansLogo);
    boutonsLogo->addStretch();
    ligneLogo->addLayout(boutonsLogo);
    ligneLogo->addStretch();
    l3->addLayout(ligneLogo);
    caseAppreciations =
        new QCheckBox(QStringLiteral("Inclure la colonne \"Appréciations\""), page3);
    caseEnseignant = new QCheckBox(
        QStringLiteral("Inclure le nom de l'enseignant en plus de la matière"), page3);
    caseMasquer =
        new QCheckBox(QStringLiteral("Masquer colonnes \"Min\", \"Max\" et \"Classes\""), page3);
    l3->addWidget(caseAppreciations);
    l3->addWidget(caseEnseignant);
    l3->addWidget(caseMasquer);
    l3->addStretch();
    pages->addWidget(page3);

    // ---- Buttons ---------------------------------------------------------------------------
    auto* bas = new QHBoxLayout;
    auto* boutonAide = Bouton(QStringLiteral("&Aide"), this);
    bas->addWidget(boutonAide);
    bas->addStretch();
    boutonPrecedent = Bouton(QStringLiteral("Etape &précédente"), this);
    boutonSuivant = Bouton(QStringLiteral("Etape &suivante"), this);
    boutonVoir = Bouton(QStringLiteral("&Voir les bulletins"), this);
    auto* boutonFermer = Bouton(QStringLiteral("&Fermer"), this);
    bas->addWidget(boutonPrecedent);
    bas->addWidget(boutonSuivant);
    bas->addWidget(boutonVoir);
    bas->addWidget(boutonFermer);
    principal->addLayout(bas);

    const auto AjouterSelection = [this] {
        const QModelIndex index = explorateur->currentIndex();
        if (index.isValid() && !modeleFichiers->isDir(index))
            AjouterFichier(modeleFichiers->filePath(index));
    };
    connect(boutonAjouter, &QPushButton::clicked, this, AjouterSelection);
    connect(explorateur, &QTreeView::activated, this,
            [this, AjouterSelection](const QModelIndex& i) {
                if (!modeleFichiers->isDir(i)) AjouterSelection();
            });
    connect(boutonRetirer, &QPushButton::clicked, this, &TFormCreerBulletins::RetirerFichier);
    connect(boutonToutRetirer, &QPushButton::clicked, this, &TFormCreerBulletins::ToutRetirer);
    connect(boutonMonter, &QPushButton::clicked, this, &TFormCreerBulletins::MonterMatiere);
    connect(boutonDescendre, &QPushButton::clicked, this, &TFormCreerBulletins::DescendreMatiere);
    connect(boutonTous, &QPushButton::clicked, this,
            [this] { CocherTout(listeEleves, Qt::Checked); });
    connect(boutonAucun, &QPushButton::clicked, this,
            [this] { CocherTout(listeEleves, Qt::Unchecked); });
    connect(listeEleves, &QListWidget::itemChanged, this, &TFormCreerBulletins::MettreAJour);
    connect(comboPeriode, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (i >= 0) editPeriode->setText(comboPeriode->itemText(i));
        MettreAJour();
    });
    connect(boutonLogo, &QPushButton::clicked, this, &TFormCreerBulletins::ChoisirLogo);
    connect(boutonSansLogo, &QPushButton::clicked, this, &TFormCreerBulletins::ReinitialiserLogo);
    connect(boutonAide, &QPushButton::clicked, this,
            [this] { Interlocuteur().Message(this, Legende, TexteAide(), TIcone::Information); });
    connect(boutonPrecedent, &QPushButton::clicked, this, &TFormCreerBulletins::EtapePrecedente);
    connect(boutonSuivant, &QPushButton::clicked, this, &TFormCreerBulletins::EtapeSuivante);
    connect(boutonVoir, &QPushButton::clicked, this, &TFormCreerBulletins::VoirBulletins);
    connect(boutonFermer, &QPushButton::clicked, this, &QDialog::reject);

    MettreAJourLabels();
    AllerA(1);
}

TFormCreerBulletins::~TFormCreerBulletins() = default;

void TFormCreerBulletins::Erreur(const QString& texte) {
    Interlocuteur().Message(this, Programme::Nom(), texte, TIcone::Erreur);
}

void TFormCreerBulletins::AllerA(int numero) {
    etape = numero;
    pages->setCurrentIndex(numero - 1);
    setWindowTitle(Legende + QStringLiteral(" --> étape %1 : ").arg(numero) +
                   TitresEtapes[numero - 1]);
    MettreAJour();
}

void TFormCreerBulletins::MettreAJour() {
    boutonPrecedent->setEnabled(etape > 1);
    boutonSuivant->setVisible(etape < 3);
    boutonVoir->setVisible(etape == 3);
    bool suivant = false;
    if (etape == 1) {
        suivant = !fichiers.isEmpty();
    } else if (etape == 2) {
        bool coche = false;
        for (int i = 0; i < listeEleves->count() && !coche; ++i)
            coche = listeEleves->item(i)->checkState() == Qt::Checked;
        suivant = comboPeriode->currentIndex() >= 0 && coche;
    }
    boutonSuivant->setEnabled(suivant);
    boutonVoir->setDefault(etape == 3);
    boutonSuivant->setDefault(etape < 3);
}

void TFormCreerBulletins::MettreAJourLabels() {
    if (reference.Vide()) {
        labelEleves->setText(QStringLiteral("Elèves :"));
        labelPeriodes->setText(QStringLiteral("Périodes :"));
        labelType->setText(QStringLiteral("Type de bulletins :"));
    } else {
        labelEleves->setText(QStringLiteral("Elèves : %1").arg(reference.eleves.size()));
        labelPeriodes->setText(QStringLiteral("Périodes : %1").arg(reference.periodes.size()));
        labelType->setText(QStringLiteral("Type de bulletins : ") + reference.typeBulletins);
    }
}

bool TFormCreerBulletins::AjouterFichier(const QString& chemin) {
    const QString canonique = Tav::CheminCanonique(chemin);
    for (const QString& f : fichiers)
        if (Tav::CheminCanonique(f) == canonique) return false;
    QString message;
    const std::unique_ptr<TFichierTav> f = Bulletins::ChargerFichier(chemin, reference, message);
    if (!f) {
        Erreur(message);
        return false;
    }
    fichiers.append(QFileInfo(chemin).absoluteFilePath());
    matieres.append(f->Matiere());
    auto* item = new QListWidgetItem(
        f->Matiere().isEmpty() ? QFileInfo(chemin).fileName() : f->Matiere(), listeFichiers);
    item->setToolTip(QDir::toNativeSeparators(fichiers.last()));
    listeFichiers->setCurrentItem(item);
    MettreAJourLabels();
    // The browser moves on to the next file.
    const QModelIndex index = modeleFichiers->index(chemin);
    if (index.isValid() && index == explorateur->currentIndex()) {
        const QModelIndex suivant = explorateur->indexBelow(index);
        if (suivant.isValid() && suivant.parent() == index.parent() &&
            !modeleFichiers->isDir(suivant))
            explorateur->setCurrentIndex(suivant);
    }
    MettreAJour();
    return true;
}

void TFormCreerBulletins::RetirerFichier() {
    const int i = listeFichiers->currentRow();
    if (i < 0 || i >= fichiers.size()) return;
    fichiers.removeAt(i);
    matieres.removeAt(i);
    delete listeFichiers->takeItem(i);
    if (fichiers.isEmpty()) {
        reference = Bulletins::TReference();
        MettreAJourLabels();
    }
    MettreAJour();
}

void TFormCreerBulletins::ToutRetirer() {
    fichiers.clear();
    matieres.clear();
    listeFichiers->clear();
    reference = Bulletins::TReference();
    MettreAJourLabels();
    MettreAJour();
}

void TFormCreerBulletins::DeplacerMatiere(int sens) {
    const int i = listeMatieres->currentRow();
    const int j = i + sens;
    if (i < 0 || j < 0 || j >= matieres.size()) return;
    fichiers.swapItemsAt(i, j);
    matieres.swapItemsAt(i, j);
    listeMatieres->insertItem(j, listeMatieres->takeItem(i));
    listeFichiers->insertItem(j, listeFichiers->takeItem(i));
    listeMatieres->setCurrentRow(j);
}

void TFormCreerBulletins::MonterMatiere() {
    DeplacerMatiere(-1);
}
void TFormCreerBulletins::DescendreMatiere() {
    DeplacerMatiere(+1);
}

bool TFormCreerBulletins::PreparerEtape2() {
    // The first file again, checked against the lists it was accepted with.
    Bulletins::TReference verification = reference;
    QString message;
    const std::unique_ptr<TFichierTav> f =
        Bulletins::ChargerFichier(fichiers.first(), verification, message);
    if (!f) {
        Erreur(message.endsWith(QStringLiteral("n'est pas un fichier Tavelin valide."))
                   ? Bulletins::MessageIllisible(fichiers.first())
                   : message);
        reject();
        return false;
    }
    ecole = f->Ecole();
    annee = f->AnneeScolaire();
    // The lists are made anew when the students or periods shown are not the file's.
    QStringList periodes, eleves;
    for (int i = 0; i < comboPeriode->count(); ++i)
        periodes.append(comboPeriode->itemText(i));
    for (int i = 0; i < listeEleves->count(); ++i)
        eleves.append(listeEleves->item(i)->text());
    if (periodes != f->ListePeriodes()) {
        comboPeriode->clear();
        comboPeriode->addItems(f->ListePeriodes());
        comboPeriode->setCurrentIndex(-1);
    }
    if (eleves != f->ListeEleves()) {
        QSignalBlocker bloque(listeEleves);
        listeEleves->clear();
        for (const QString& nom : f->ListeEleves()) {
            auto* item = new QListWidgetItem(nom, listeEleves);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Unchecked);
        }
    }
    listeMatieres->clear();
    listeMatieres->addItems(matieres);
    return true;
}

void TFormCreerBulletins::PreparerEtape3() {
    editEcole->setText(ecole);
    editAnnee->setText(annee);
    editPeriode->setText(comboPeriode->currentText());
    if (!reglagesLus) {
        reglagesLus = true;
        caseEnseignant->setChecked(Options::InclureNomEnseignantBulletin());
        caseAppreciations->setChecked(Options::InclureAppreciationsBulletin());
        editIntitule->setText(Options::Intitulecadrebulletin());
        caseMasquer->setChecked(false);
        const QString enregistre = Options::Fichierlogobulletin();
        logo.clear();
        imageLogo->clear();
        if (!enregistre.isEmpty() && QFileInfo::exists(enregistre)) {
            const QPixmap image(enregistre);
            if (!image.isNull()) {
                logo = enregistre;
                MontrerLogo(imageLogo, image);
            }
        }
    }
}

void TFormCreerBulletins::EtapeSuivante() {
    if (!boutonSuivant->isEnabled() || etape >= 3) return;
    if (etape == 1) {
        if (!PreparerEtape2()) return;
        AllerA(2);
    } else {
        PreparerEtape3();
        AllerA(3);
    }
}

void TFormCreerBulletins::EtapePrecedente() {
    if (etape > 1) AllerA(etape - 1);
}

void TFormCreerBulletins::DefinirLogo(const QString& chemin) {
    logo = chemin;
    imageLogo->clear();
    if (!chemin.isEmpty()) MontrerLogo(imageLogo, QPixmap(chemin));
    Options::ModifierFichierlogobulletin(chemin);
}

void TFormCreerBulletins::ChoisirLogo() {
    TDemandeFichier demande;
    demande.titre = QStringLiteral("Choisir le logo à utiliser");
    demande.dossier = logo.isEmpty() ? QFileInfo(Options::Chemin()).absolutePath()
                                     : QFileInfo(logo).absolutePath();
    demande.filtre = QStringLiteral(
        "Tout (*.gif;*.jpg;*.jpeg;*.bmp;*.png)|*.gif;*.jpg;*.jpeg;*.bmp;*.png|"
        "CompuServe GIF Image (*.gif)|*.gif|Fichier image JPEG (*.jpg)|*.jpg|"
        "Fichier image JPEG (*.jpeg)|*.jpeg|Bitmaps (*.bmp)|*.bmp|Image PNG (*.png)|*.png");
    const QStringList choix = Interlocuteur().FichiersAOuvrir(this, demande);
    if (choix.isEmpty()) return;
    QImageReader lecteur(choix.first());
    if (!lecteur.canRead()) {
        Erreur(QStringLiteral("Le fichier \"%1\" n'est pas une image lisible.")
                   .arg(QFileInfo(choix.first()).fileName()));
        return;
    }
    DefinirLogo(choix.first());
}

void TFormCreerBulletins::ReinitialiserLogo() {
    DefinirLogo(QString());
}

Bulletins::TOptions TFormCreerBulletins::OptionsChoisies() const {
    Bulletins::TOptions o;
    o.periode = comboPeriode->currentIndex() + 1;
    for (int i = 0; i < listeEleves->count(); ++i)
        if (listeEleves->item(i)->checkState() == Qt::Checked) o.eleves.append(i + 1);
    o.appreciations = caseAppreciations->isChecked();
    o.enseignant = caseEnseignant->isChecked();
    o.masquerMinMax = caseMasquer->isChecked();
    o.arrondi = Options::ArrondirMoyennes();
    o.sur = int(Options::MoyennesSur());
    o.ecole = editEcole->text();
    o.anneeScolaire = editAnnee->text();
    o.nomPeriode = editPeriode->text();
    o.intituleCadre = editIntitule->text();
    o.logo = logo;
    return o;
}

bool TFormCreerBulletins::EnregistrerClassesModifiees() {
    if (!ClassesOuvertes()) return true;
    const QList<TClasseOuverte> ouvertes = ClassesOuvertes()();
    for (const QString& f : fichiers) {
        const QString canonique = Tav::CheminCanonique(f);
        for (const TClasseOuverte& c : ouvertes) {
            if (!c.modifiee || c.chemin.isEmpty() || Tav::CheminCanonique(c.chemin) != canonique)
                continue;
            const bool enregistrer = Interlocuteur().Question(
                this, Programme::Nom(),
                QStringLiteral("Le fichier \"%1\" est ouvert et ses dernières modifications ne "
                               "sont pas enregistrées : les bulletins seraient faits sans "
                               "elles.\n\nVoulez-vous l'enregistrer avant de créer les "
                               "bulletins ?")
                    .arg(QFileInfo(f).fileName()));
            if (enregistrer && !(c.enregistrer && c.enregistrer())) return false;
        }
    }
    return true;
}

bool TFormCreerBulletins::VoirBulletins() {
    if (etape != 3 || fichiers.isEmpty()) return false;
    if (!EnregistrerClassesModifiees()) return false;
    Bulletins::TJeu jeu;
    QString message;
    if (!Bulletins::Rassembler(fichiers, OptionsChoisies(), jeu, message, &reference)) {
        Erreur(message);
        reject();
        return false;
    }
    Apercu()(this, jeu);
    accept();
    return true;
}

void TFormCreerBulletins::hideEvent(QHideEvent* event) {
    if (reglagesLus) {
        Options::ModifierInclureNomEnseignantBulletin(caseEnseignant->isChecked());
        Options::ModifierInclureAppreciationsBulletin(caseAppreciations->isChecked());
        Options::ModifierIntitulecadrebulletin(editIntitule->text());
    }
    QDialog::hideEvent(event);
}
