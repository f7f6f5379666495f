#include "_FormBilanEleve.h"

#include "tavX_ecritureSure.h"
#include "tavX_fichierTav.h"
#include "tavX_imageLogo.h"
#include "tavX_interlocuteur.h"
#include "tavX_listeColoree.h"
#include "tavX_options.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

TFormBilanEleve::TFormBilanEleve(QWidget* owner, TFichierTav* fichier, const QPixmap& logo)
    : QDialog(owner), fichier(fichier) {
    setWindowTitle(QStringLiteral("Bilan élève"));
    setObjectName(QStringLiteral("FormBilanEleve"));

    eleves = new QListWidget(this);
    Tav::ColorerListe(eleves);
    for (const QString& nom : fichier->ListeEleves()) {
        auto* item = new QListWidgetItem(nom, eleves);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    tous = new QPushButton(QStringLiteral("Tou&s"), this);
    aucun = new QPushButton(QStringLiteral("&Aucun"), this);
    periodes = new QComboBox(this);
    periodes->addItems(fichier->ListePeriodes());
    periodes->setCurrentIndex(0);
    caseOuvrir = new QCheckBox(QStringLiteral("&Ouvrir le fichier après création"), this);
    creer = new QPushButton(QStringLiteral("&Créer le bilan"), this);
    auto* fermer = new QPushButton(QStringLiteral("&Fermer"), this);

    auto* droite = new QVBoxLayout;
    droite->addWidget(new QLabel(QStringLiteral("Liste des élèves"), this));
    droite->addWidget(eleves, 1);
    auto* selection = new QHBoxLayout;
    selection->addWidget(tous);
    selection->addWidget(aucun);
    droite->addLayout(selection);
    droite->addWidget(periodes);
    droite->addWidget(caseOuvrir);
    auto* boutons = new QHBoxLayout;
    boutons->addStretch();
    boutons->addWidget(creer);
    boutons->addWidget(fermer);
    droite->addLayout(boutons);
    auto* disposition = new QHBoxLayout(this);
    disposition->addWidget(Tav::ImageLogo(this, logo), 0, Qt::AlignTop);
    disposition->addLayout(droite, 1);

    const auto cocher = [this](Qt::CheckState etat) {
        for (int i = 0; i < eleves->count(); ++i)
            eleves->item(i)->setCheckState(etat);
    };
    connect(tous, &QPushButton::clicked, this, [cocher] { cocher(Qt::Checked); });
    connect(aucun, &QPushButton::clicked, this, [cocher] { cocher(Qt::Unchecked); });
    connect(creer, &QPushButton::clicked, this, [this] { CreerBilan(); });
    connect(fermer, &QPushButton::clicked, this, &QDialog::reject);
}

QList<int> TFormBilanEleve::ElevesCoches() const {
    QList<int> liste;
    for (int i = 0; i < eleves->count(); ++i)
        if (eleves->item(i)->checkState() == Qt::Checked) liste << i + 1;
    return liste;
}

QStringList TFormBilanEleve::Lignes(TFichierTav& f, const QList<int>& liste, int p) {
    const QString D(78, QLatin1Char('-'));
    const int mode = Options::ArrondirMoyennes();
    QStringList moyennes;
    for (int s = 1; s <= f.NombreEleves(); ++s)
        moyennes << f.MoyenneBulletin(p, s, mode);
    const QString statistiques = QStringLiteral(" (Min. ") + TFichierTav::MinimumListe(moyennes) +
                                 QStringLiteral(" - Moy. ") + TFichierTav::MoyenneListe(moyennes) +
                                 QStringLiteral(" - Max. ") + TFichierTav::MaximumListe(moyennes) +
                                 QLatin1Char(')');
    QStringList lignes;
    for (int i = 0; i < liste.size(); ++i) {
        const int s = liste.at(i);
        lignes << D;
        lignes << f.NomEleve(s) + QStringLiteral(" - ") + f.Classe() + QStringLiteral(" - ") +
                      f.AnneeScolaire();
        lignes << f.NomPeriode(p) + QStringLiteral(" - ") + f.Matiere();
        lignes << D;
        const int S = f.NombreSeries(p);
        for (int j = 1; j <= S; ++j) {
            QString l = f.Intitule(p, j) + QStringLiteral(" : ") + f.Note(p, j, s) +
                        QLatin1Char('/') + f.NoteSur(p, j);
            if (f.CompteDansMoyenne(p, j).toUpper() == QStringLiteral("NON"))
                l += QStringLiteral(" (non compté dans la moyenne)");
            l += QStringLiteral(" (Min. ") + f.MinimumSerie(p, j) + QStringLiteral(" - Moy. ") +
                 f.MoyenneSerie(p, j) + QStringLiteral(" - Max. ") + f.MaximumSerie(p, j) +
                 QLatin1Char(')');
            lignes << l;
            if (j < S) lignes << QString();
        }
        lignes << D;
        lignes << QStringLiteral("Moyenne de la période : ") + moyennes.value(s - 1) + statistiques;
        lignes << D;
        if (i + 1 < liste.size()) lignes << QString() << QString();
    }
    return lignes;
}

bool TFormBilanEleve::CreerBilan() {
    const QList<int> liste = ElevesCoches();
    if (liste.isEmpty()) return false;
    const QStringList lignes = Lignes(*fichier, liste, periodes->currentIndex() + 1);
    TDemandeFichier demande;
    demande.titre = QStringLiteral("Nom du fichier bilan");
    demande.filtre = QStringLiteral("Fichiers texte (*.txt)|*.txt");
    demande.extensionParDefaut = QStringLiteral("txt");
    const QString chemin = Interlocuteur().FichierAEnregistrer(this, demande);
    if (chemin.isEmpty()) return false;
#ifdef Q_OS_WIN
    const QString finLigne = QStringLiteral("\r\n");
#else
    const QString finLigne = QStringLiteral("\n");
#endif
    QString cause;
    if (!Tav::EcrireFichierSur(chemin, (lignes.join(finLigne) + finLigne).toUtf8(), &cause)) {
        Erreur(this, MessageEchec(chemin, cause));
        return false;
    }
    if (caseOuvrir->isChecked()) Interlocuteur().OuvrirUrl(QUrl::fromLocalFile(chemin));
    accept();
    return true;
}
