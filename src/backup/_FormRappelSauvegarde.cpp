#include "_FormRappelSauvegarde.h"

#include "tavX_interlocuteur.h"
#include "tavX_options.h"
#include "tavX_programme.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QProgressDialog>
#include <QPushButton>
#include <QStorageInfo>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QVBoxLayout>

using Sauvegarde::TReponseRemplacement;

namespace {

// Lines drawn in alternate colours, the selected one in blue on pale blue.
class TDelegueLignes : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* peintre, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem o = option;
        initStyleOption(&o, index);
        const bool choisie = o.state & QStyle::State_Selected;
        const QColor fond = choisie           ? QColor(197, 209, 248)
                            : index.row() % 2 ? QColor(238, 243, 244)
                                              : QColor(Qt::white);
        peintre->fillRect(o.rect, fond);
        o.state &= ~QStyle::State_Selected;
        o.backgroundBrush = fond;
        o.palette.setColor(QPalette::Text, choisie ? QColor(Qt::blue) : QColor(Qt::black));
        QStyledItemDelegate::paint(peintre, o, index);
    }
};

QToolButton* Bouton(QWidget* parent, const QString& texte, const QString& bulle, const char* nom) {
    auto* b = new QToolButton(parent);
    b->setText(texte);
    b->setToolTip(bulle);
    b->setObjectName(QLatin1String(nom));
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return b;
}

// Folders where the desktop mounts USB sticks and other removable drives.
bool Amovible(const QStorageInfo& volume) {
    const QString racine = volume.rootPath();
#ifdef Q_OS_WIN
    return !racine.startsWith(QDir::rootPath(), Qt::CaseInsensitive);
#else
    return racine.startsWith(QLatin1String("/media/")) ||
           racine.startsWith(QLatin1String("/run/media/")) ||
           racine.startsWith(QLatin1String("/mnt/")) ||
           racine.startsWith(QLatin1String("/Volumes/"));
#endif
}

} // namespace

TFormRappelSauvegarde::TFormRappelSauvegarde(QWidget* parent, const QPixmap& image)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Sauvegarder vos fichiers"));
    setObjectName(QStringLiteral("FormRappelSauvegarde"));

    image1 = new QLabel(this);
    image1->setObjectName(QStringLiteral("Image1"));
    image1->setPixmap(image);
    image1->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto* titre =
        new QLabel(QStringLiteral("Cochez les fichiers à sauvegarder puis choisissez le dossier de "
                                  "sauvegarde (de préférence sur une clé USB ou un autre disque)."),
                   this);
    titre->setWordWrap(true);

    checkListBox1 = new QListWidget(this);
    checkListBox1->setObjectName(QStringLiteral("CheckListBox1"));
    checkListBox1->setToolTip(QStringLiteral("Liste des fichiers à sauvegarder"));
    checkListBox1->setItemDelegate(new TDelegueLignes(checkListBox1));
    checkListBox1->setMinimumSize(420, 160);
    connect(checkListBox1, &QListWidget::itemChanged, this, [this] { Actualiser(); });

    auto* speedButton1 = Bouton(this, QStringLiteral("&Ajouter..."),
                                QStringLiteral("Ajouter un fichier à la liste"), "SpeedButton1");
    auto* speedButton5 = Bouton(
        this, QStringLiteral("&Liste par défaut"),
        QStringLiteral("Rétablir la liste par défaut (historique des fichiers)"), "SpeedButton5");
    auto* speedButton6 =
        Bouton(this, QStringLiteral("Tout &sélectionner"), QString(), "SpeedButton6");
    auto* speedButton7 =
        Bouton(this, QStringLiteral("Tout &désélectionner"), QString(), "SpeedButton7");
    connect(speedButton1, &QToolButton::clicked, this, &TFormRappelSauvegarde::AjouterFichiers);
    connect(speedButton5, &QToolButton::clicked, this, &TFormRappelSauvegarde::ListeParDefaut);
    connect(speedButton6, &QToolButton::clicked, this, [this] { ToutCocher(true); });
    connect(speedButton7, &QToolButton::clicked, this, [this] { ToutCocher(false); });

    auto* etiquetteDossier = new QLabel(QStringLiteral("Sauvegarder &dans le dossier :"), this);
    directoryEdit1 = new QLineEdit(this);
    directoryEdit1->setObjectName(QStringLiteral("DirectoryEdit1"));
    etiquetteDossier->setBuddy(directoryEdit1);
    connect(directoryEdit1, &QLineEdit::textChanged, this, [this] { Actualiser(); });
    boutonDossier = Bouton(this, QStringLiteral("..."),
                           QStringLiteral("Choisir le chemin vers lequel vous voulez sauvegarder "
                                          "les fichiers"),
                           "BoutonDossier");
    connect(boutonDossier, &QToolButton::clicked, this, &TFormRappelSauvegarde::ChoisirDossier);
    boutonVolumes = Bouton(this, QStringLiteral("Clés &USB"),
                           QStringLiteral("Sauvegarder sur une clé USB ou un disque amovible"),
                           "BoutonVolumes");
    boutonVolumes->setPopupMode(QToolButton::InstantPopup);
    auto* menuVolumes = new QMenu(boutonVolumes);
    boutonVolumes->setMenu(menuVolumes);
    connect(menuVolumes, &QMenu::aboutToShow, this, &TFormRappelSauvegarde::RemplirVolumes);

    btnSauvegarde = new QPushButton(QStringLiteral("Lancer la &sauvegarde"), this);
    btnSauvegarde->setObjectName(QStringLiteral("btnSauvegarde"));
    btnFermer = new QPushButton(QStringLiteral("&Fermer"), this);
    btnFermer->setObjectName(QStringLiteral("btnFermer"));
    btnSauvegarde->setDefault(true);
    btnFermer->setAutoDefault(false);
    connect(btnSauvegarde, &QPushButton::clicked, this, &TFormRappelSauvegarde::LancerSauvegarde);
    connect(btnFermer, &QPushButton::clicked, this, &QDialog::reject);

    auto* boutonsListe = new QVBoxLayout;
    for (QToolButton* b : {speedButton1, speedButton5, speedButton6, speedButton7}) {
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        boutonsListe->addWidget(b);
    }
    boutonsListe->addStretch(1);
    auto* liste = new QHBoxLayout;
    liste->addWidget(checkListBox1, 1);
    liste->addLayout(boutonsListe);
    auto* ligneDossier = new QHBoxLayout;
    ligneDossier->addWidget(directoryEdit1, 1);
    ligneDossier->addWidget(boutonDossier);
    ligneDossier->addWidget(boutonVolumes);
    auto* bas = new QHBoxLayout;
    bas->addStretch(1);
    bas->addWidget(btnSauvegarde);
    bas->addWidget(btnFermer);
    auto* droite = new QVBoxLayout;
    droite->addWidget(titre);
    droite->addLayout(liste, 1);
    droite->addWidget(etiquetteDossier);
    droite->addLayout(ligneDossier);
    droite->addLayout(bas);
    auto* mise = new QHBoxLayout(this);
    mise->addWidget(image1);
    mise->addLayout(droite, 1);

    ListeParDefaut();
    directoryEdit1->setFocus();
}

void TFormRappelSauvegarde::Ouvrir(QWidget* parent) {
    TFormRappelSauvegarde fenetre(parent, Programme::Logo());
    fenetre.exec();
}

// ---- The list -----------------------------------------------------------------------------------

void TFormRappelSauvegarde::AjouterLigne(const QString& chemin) {
    // The name as it is on disk (a system that tells letter cases apart would name another
    // file with a lower-cased one); a second line differing only in case is not added.
    const QString ligne = QDir::toNativeSeparators(QFileInfo(chemin).absoluteFilePath());
    for (int i = 0; i < checkListBox1->count(); ++i)
        if (checkListBox1->item(i)->text().compare(ligne, Qt::CaseInsensitive) == 0) return;
    auto* element = new QListWidgetItem(ligne, checkListBox1);
    element->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    element->setCheckState(Qt::Checked);
    element->setData(Qt::UserRole, QFileInfo(chemin).absoluteFilePath());
}

QStringList TFormRappelSauvegarde::Fichiers() const {
    QStringList liste;
    for (int i = 0; i < checkListBox1->count(); ++i)
        liste << checkListBox1->item(i)->data(Qt::UserRole).toString();
    return liste;
}

QStringList TFormRappelSauvegarde::FichiersCoches() const {
    QStringList liste;
    for (int i = 0; i < checkListBox1->count(); ++i)
        if (checkListBox1->item(i)->checkState() == Qt::Checked)
            liste << checkListBox1->item(i)->data(Qt::UserRole).toString();
    return liste;
}

void TFormRappelSauvegarde::AjouterFichiers() {
    TDemandeFichier demande;
    demande.titre = QStringLiteral("Ouvrir un fichier Tavelin");
    demande.filtre = QStringLiteral("Fichier Tavelin *.tav|*.tav");
    demande.extensionParDefaut = QStringLiteral("tav");
    demande.plusieurs = true;
    const QStringList choisis = Interlocuteur().FichiersAOuvrir(this, demande);
    {
        const QSignalBlocker calme(checkListBox1);
        for (const QString& chemin : choisis)
            AjouterLigne(chemin);
    }
    Actualiser();
}

void TFormRappelSauvegarde::ListeParDefaut() {
    {
        const QSignalBlocker calme(checkListBox1);
        checkListBox1->clear();
        // The history is kept oldest first; the most recent file heads the list.
        const QStringList historique = Options::ChargerHistorique();
        for (auto it = historique.crbegin(); it != historique.crend(); ++it)
            AjouterLigne(*it);
    }
    Actualiser();
}

void TFormRappelSauvegarde::ToutCocher(bool coche) {
    {
        const QSignalBlocker calme(checkListBox1);
        for (int i = 0; i < checkListBox1->count(); ++i)
            checkListBox1->item(i)->setCheckState(coche ? Qt::Checked : Qt::Unchecked);
    }
    Actualiser();
}

// ---- The folder ---------------------------------------------------------------------------------

QString TFormRappelSauvegarde::Dossier() const {
    return directoryEdit1->text();
}

void TFormRappelSauvegarde::DefinirDossier(const QString& dossier) {
    directoryEdit1->setText(QDir::toNativeSeparators(dossier));
}

void TFormRappelSauvegarde::ChoisirDossier() {
    const QString dossier = QFileDialog::getExistingDirectory(
        this, QStringLiteral("Répertoire dans lequel vous souhaitez faire votre sauvegarde"),
        directoryEdit1->text().trimmed());
    if (!dossier.isEmpty()) DefinirDossier(dossier);
}

void TFormRappelSauvegarde::RemplirVolumes() {
    QMenu* menu = boutonVolumes->menu();
    menu->clear();
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady() || volume.isReadOnly() || !Amovible(volume))
            continue;
        const QString nom = volume.displayName();
        const QString racine = volume.rootPath();
        QAction* action = menu->addAction(
            QStringLiteral("%1 (%2 libres)")
                .arg(nom == racine ? QDir::toNativeSeparators(racine)
                                   : nom + QStringLiteral(" - ") + QDir::toNativeSeparators(racine),
                     QLocale().formattedDataSize(volume.bytesAvailable())));
        connect(action, &QAction::triggered, this, [this, racine] { DefinirDossier(racine); });
    }
    if (menu->isEmpty())
        menu->addAction(QStringLiteral("Aucune clé USB n'est branchée"))->setEnabled(false);
}

// ---- Enabling and copy --------------------------------------------------------------------------

void TFormRappelSauvegarde::Actualiser() {
    if (enCopie) return;
    btnSauvegarde->setEnabled(!FichiersCoches().isEmpty() &&
                              !directoryEdit1->text().trimmed().isEmpty());
}

TReponseRemplacement TFormRappelSauvegarde::QuestionStandard(const QString& cible) {
    QMessageBox boite(QMessageBox::Question, Programme::Nom(),
                      QStringLiteral("Le fichier \"%1\" existe déjà dans le dossier de "
                                     "sauvegarde.\n\nVoulez-vous le remplacer ?")
                          .arg(QDir::toNativeSeparators(cible)),
                      QMessageBox::NoButton,
                      // Over the progress window, when it shows.
                      QApplication::activeModalWidget() ? QApplication::activeModalWidget() : this);
    auto* oui = boite.addButton(QStringLiteral("&Oui"), QMessageBox::YesRole);
    auto* tous = boite.addButton(QStringLiteral("Oui pour &tous"), QMessageBox::YesRole);
    auto* non = boite.addButton(QStringLiteral("&Non"), QMessageBox::NoRole);
    auto* annuler = boite.addButton(QStringLiteral("&Annuler"), QMessageBox::RejectRole);
    boite.setDefaultButton(oui);
    boite.setEscapeButton(annuler);
    boite.exec();
    if (boite.clickedButton() == oui) return TReponseRemplacement::Oui;
    if (boite.clickedButton() == tous) return TReponseRemplacement::OuiPourTous;
    if (boite.clickedButton() == non) return TReponseRemplacement::Non;
    return TReponseRemplacement::Annuler;
}

void TFormRappelSauvegarde::LancerSauvegarde() {
    const QStringList sources = FichiersCoches();
    if (sources.isEmpty() || enCopie) return;
    enCopie = true;
    btnSauvegarde->setEnabled(false);
    btnFermer->setEnabled(false);

    QProgressDialog progression(QStringLiteral("Sauvegarde de vos fichiers..."),
                                QStringLiteral("&Annuler"), 0, int(sources.size()), this);
    progression.setWindowTitle(Programme::Nom());
    progression.setWindowModality(Qt::WindowModal);
    progression.setMinimumDuration(0);
    progression.setAutoClose(false);
    progression.setAutoReset(false);

    Sauvegarde::TRappelsCopie rappels;
    rappels.remplacer = [this](const QString& cible) {
        return questionRemplacer ? questionRemplacer(cible) : QuestionStandard(cible);
    };
    rappels.progression = [&progression](int position, int, const QString& source) {
        progression.setLabelText(
            QStringLiteral("Copie de \"%1\"...").arg(QFileInfo(source).fileName()));
        progression.setValue(position);
        QApplication::processEvents();
        return !progression.wasCanceled();
    };
    bilan = Sauvegarde::Copier(sources, directoryEdit1->text(), rappels);
    progression.setValue(int(sources.size()));
    progression.close();

    enCopie = false;
    btnFermer->setEnabled(true);
    Actualiser();
    if (bilan.Incident())
        Interlocuteur().Message(this, Programme::Nom(), bilan.Resume(), TIcone::Avertissement);
    else
        Interlocuteur().Message(this, Programme::Nom(), bilan.Resume(), TIcone::Information);
}
