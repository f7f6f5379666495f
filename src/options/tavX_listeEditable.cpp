#include "tavX_listeEditable.h"

#include "tavX_codec.h"
#include "tavX_ecritureSure.h"
#include "tavX_interlocuteur.h"
#include "tavX_texteImporte.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QResizeEvent>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// What the import and export file dialogs ask for: a text file.
TDemandeFichier DemandeFichierTexte(const QString& titre) {
    TDemandeFichier demande;
    demande.titre = titre;
    demande.filtre = QStringLiteral("Fichiers texte (*.txt)|*.txt|Tous les fichiers (*.*)|*.*");
    demande.extensionParDefaut = QStringLiteral("txt");
    return demande;
}

QString CleDeTri(const QString& texte) {
    const QString decompose = texte.normalized(QString::NormalizationForm_D);
    QString cle;
    cle.reserve(decompose.size());
    for (const QChar c : decompose)
        if (c.category() != QChar::Mark_NonSpacing) cle += c;
    return cle.toCaseFolded();
}

QPushButton* Bouton(QWidget* parent, const QString& texte, const QString& nom) {
    auto* bouton = new QPushButton(texte, parent);
    bouton->setObjectName(nom);
    bouton->setAutoDefault(false);
    return bouton;
}

class TInterceptionEntree : public QObject {
public:
    TInterceptionEntree(QObject* parent, std::function<bool()> action)
        : QObject(parent), action(std::move(action)) {}

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override {
        if (evenement->type() == QEvent::KeyPress) {
            const int touche = static_cast<QKeyEvent*>(evenement)->key();
            if ((touche == Qt::Key_Return || touche == Qt::Key_Enter) && action()) return true;
        }
        return QObject::eventFilter(objet, evenement);
    }

private:
    std::function<bool()> action;
};

} // namespace

void IntercepterEntree(QLineEdit* champ, std::function<bool()> action) {
    champ->installEventFilter(new TInterceptionEntree(champ, std::move(action)));
}

TListeEditable::TListeEditable(const TTextesListe& textes, const QStringList& elements,
                               QWidget* parent)
    : QWidget(parent), textes(textes) {
    setObjectName(QStringLiteral("Liste") + textes.objet);
    champ = new QLineEdit(this);
    champ->setObjectName(QStringLiteral("Edit") + textes.objet);
    champ->setMaxLength(LongueurMax);
    auto* libelle = new QLabel(textes.libelleChamp, this);
    libelle->setBuddy(champ);
    liste = new QListWidget(this);
    liste->setObjectName(QStringLiteral("ListBox") + textes.objet);
    liste->setToolTip(textes.bulle);
    if (textes.deuxColonnes) {
        // Two columns, read row by row: each cell is half the width of the list.
        liste->setFlow(QListView::LeftToRight);
        liste->setWrapping(true);
        liste->setResizeMode(QListView::Adjust);
        liste->setUniformItemSizes(true);
        liste->setTextElideMode(Qt::ElideRight);
        liste->viewport()->installEventFilter(this);
    }

    boutonAjouter =
        Bouton(this, QStringLiteral("&Ajouter à la liste"), QStringLiteral("BoutonAjouter"));
    boutonSupprimer =
        Bouton(this, QStringLiteral("&Supprimer de la liste"), QStringLiteral("BoutonSupprimer"));
    auto* boutonDefaut =
        Bouton(this, QStringLiteral("&Liste par défaut"), QStringLiteral("BoutonDefaut"));
    auto* boutonImporter = Bouton(this, QStringLiteral("&Importer un fichier texte ..."),
                                  QStringLiteral("BoutonImporter"));
    auto* boutonExporter = Bouton(this, QStringLiteral("E&xporter dans un fichier texte ..."),
                                  QStringLiteral("BoutonExporter"));
    auto* boutonColler =
        Bouton(this, QStringLiteral("C&oller le presse-papiers"), QStringLiteral("BoutonColler"));
    auto* boutonTout =
        Bouton(this, textes.libelleToutSupprimer, QStringLiteral("BoutonToutSupprimer"));

    auto* gauche = new QVBoxLayout;
    gauche->addWidget(libelle);
    gauche->addWidget(champ);
    gauche->addWidget(liste, 1);
    auto* droite = new QVBoxLayout;
    droite->addSpacing(libelle->sizeHint().height());
    for (QPushButton* b : {boutonAjouter, boutonSupprimer, boutonDefaut, boutonImporter,
                           boutonExporter, boutonColler, boutonTout})
        droite->addWidget(b);
    droite->addStretch(1);
    auto* mise = new QHBoxLayout(this);
    mise->setContentsMargins(0, 0, 0, 0);
    mise->addLayout(gauche, 1);
    mise->addLayout(droite);

    Remplacer(elements);

    connect(champ, &QLineEdit::textChanged, this, &TListeEditable::ActualiserBoutons);
    IntercepterEntree(champ, [this] {
        if (!boutonAjouter->isEnabled()) return false;
        Ajouter();
        return true;
    });
    // Typing in the field leaves the list: what "Supprimer" would delete is no longer shown.
    champ->installEventFilter(this);
    connect(liste, &QListWidget::itemSelectionChanged, this, &TListeEditable::ActualiserBoutons);
    connect(boutonAjouter, &QPushButton::clicked, this, &TListeEditable::Ajouter);
    connect(boutonSupprimer, &QPushButton::clicked, this, &TListeEditable::Supprimer);
    connect(boutonDefaut, &QPushButton::clicked, this, &TListeEditable::ListeParDefaut);
    connect(boutonImporter, &QPushButton::clicked, this, &TListeEditable::Importer);
    connect(boutonExporter, &QPushButton::clicked, this, &TListeEditable::Exporter);
    connect(boutonColler, &QPushButton::clicked, this, &TListeEditable::Coller);
    connect(boutonTout, &QPushButton::clicked, this, &TListeEditable::ToutSupprimer);
    ActualiserBoutons();
}

bool TListeEditable::eventFilter(QObject* objet, QEvent* evenement) {
    if (objet == liste->viewport() && evenement->type() == QEvent::Resize) {
        const int largeur = static_cast<QResizeEvent*>(evenement)->size().width();
        // A little less than half: the view keeps a margin and room for its scroll bar.
        const QSize cellule(std::max(40, largeur / 2 - 12), liste->fontMetrics().height() + 4);
        if (liste->gridSize() != cellule) liste->setGridSize(cellule);
    }
    if (objet == champ && evenement->type() == QEvent::FocusIn) {
        liste->clearSelection();
        liste->setCurrentItem(nullptr);
        ActualiserBoutons();
    }
    return QWidget::eventFilter(objet, evenement);
}

QStringList TListeEditable::Textes(const QListWidget* liste) {
    QStringList textes;
    textes.reserve(liste->count());
    for (int i = 0; i < liste->count(); ++i)
        textes.append(liste->item(i)->text());
    return textes;
}

int TListeEditable::Rang(const QListWidget* liste, const QString& nom, int sauf) {
    for (int i = 0; i < liste->count(); ++i)
        if (i != sauf && liste->item(i)->text().compare(nom, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

bool TListeEditable::AvantDans(const QString& a, const QString& b) {
    if (const int c = CleDeTri(a).compare(CleDeTri(b)); c != 0) return c < 0;
    return a.compare(b) < 0;
}

void TListeEditable::Inserer(const QString& nom) {
    int i = 0;
    while (i < liste->count() && AvantDans(liste->item(i)->text(), nom))
        ++i;
    liste->insertItem(i, nom);
}

void TListeEditable::Remplacer(const QStringList& elements) {
    liste->clear();
    for (const QString& e : elements)
        if (!e.trimmed().isEmpty() && !Contient(e)) Inserer(e);
    ActualiserBoutons();
}

bool TListeEditable::Selectionner(const QString& nom) {
    const int i = Rang(liste, nom);
    if (i < 0) return false;
    liste->setCurrentRow(i);
    return true;
}

void TListeEditable::ActualiserBoutons() {
    boutonAjouter->setEnabled(!champ->text().trimmed().isEmpty());
    boutonSupprimer->setEnabled(!liste->selectedItems().isEmpty());
}

QString TListeEditable::Refus(const QString& nom) {
    if (nom.size() > LongueurMax) return QStringLiteral("plus de %1 caractères").arg(LongueurMax);
    if (const auto c = Tav::CaractereNonRepresentable(nom))
        return QStringLiteral("caractère « %1 » impossible à enregistrer").arg(*c);
    return {};
}

void TListeEditable::AjouterLignes(const QStringList& lignes) {
    QStringList refusees;
    for (const QString& brute : lignes) {
        const QString ligne = brute.trimmed();
        if (ligne.isEmpty()) continue;
        if (const QString pourquoi = Refus(ligne); !pourquoi.isEmpty()) {
            QString montree = ligne.size() > 60 ? ligne.left(57) + QStringLiteral("...") : ligne;
            refusees.append(QStringLiteral("« %1 » (%2)").arg(montree, pourquoi));
            continue;
        }
        if (!Contient(ligne)) Inserer(ligne);
    }
    if (!refusees.isEmpty()) {
        Interlocuteur().Message(this, QApplication::applicationName(),
                                QStringLiteral("Ces lignes n'ont pas été ajoutées à la liste :\n") +
                                    refusees.join(QLatin1Char('\n')),
                                TIcone::Avertissement);
    }
    ActualiserBoutons();
}

void TListeEditable::Ajouter() {
    const QString texte = champ->text().trimmed();
    if (texte.isEmpty()) return;
    if (const QString pourquoi = Refus(texte); !pourquoi.isEmpty()) {
        Interlocuteur().Message(
            this, QApplication::applicationName(),
            QStringLiteral("« %1 » ne peut pas être ajouté : %2.").arg(texte, pourquoi),
            TIcone::Avertissement);
        return;
    }
    if (!Contient(texte)) Inserer(texte);
    if (textes.viderApresAjout) {
        champ->clear();
        champ->setFocus();
    }
    ActualiserBoutons();
}

void TListeEditable::Supprimer() {
    QListWidgetItem* element = liste->currentItem();
    if (!element || !element->isSelected()) return;
    if (liste->count() <= textes.minimum) return;
    if (!Question(this, QStringLiteral("Supprimer '") + element->text() + QStringLiteral("' ?")))
        return;
    delete liste->takeItem(liste->row(element));
    ActualiserBoutons();
}

void TListeEditable::ListeParDefaut() {
    if (!Question(this, textes.questionDefaut)) return;
    Remplacer(textes.parDefaut());
}

void TListeEditable::Importer() {
    const QString chemin =
        Interlocuteur().FichiersAOuvrir(this, DemandeFichierTexte(textes.titreImport)).value(0);
    if (chemin.isEmpty()) return;
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly)) {
        Erreur(this, QStringLiteral("Impossible de lire le fichier \"%1\".").arg(chemin));
        return;
    }
    AjouterLignes(DecoderTexte(fichier.readAll()).split(QLatin1Char('\n')));
}

void TListeEditable::Exporter() {
    const QString chemin =
        Interlocuteur().FichierAEnregistrer(this, DemandeFichierTexte(textes.titreExport));
    if (chemin.isEmpty()) return;
    QByteArray contenu;
    for (const QString& e : Elements())
        contenu += e.toUtf8() + "\r\n";
    QString cause;
    if (!Tav::EcrireFichierSur(chemin, contenu, &cause))
        Erreur(
            this,
            QStringLiteral("Impossible d'enregistrer le fichier \"%1\".\n%2").arg(chemin, cause));
}

void TListeEditable::Coller() {
    const QString texte = QApplication::clipboard()->text();
    if (texte.isEmpty()) return;
    AjouterLignes(texte.split(QLatin1Char('\n')));
}

void TListeEditable::ToutSupprimer() {
    if (!Question(this, textes.questionToutSupprimer)) return;
    if (textes.minimum > 0) {
        // A list that must never be empty keeps its defaults.
        Remplacer(textes.parDefaut());
        Information(this, textes.messageMinimum);
        return;
    }
    liste->clear();
    ActualiserBoutons();
}

QString TListeEditable::DecoderTexte(const QByteArray& octets) {
    return Tav::DecoderTexte(octets);
}
