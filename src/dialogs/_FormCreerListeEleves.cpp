#include "_FormCreerListeEleves.h"

#include "_FormModifierEleve.h"
#include "tavX_constantes.h"
#include "tavX_controlesSerie.h"
#include "tavX_eleves.h"
#include "tavX_fichierTav.h"
#include "tavX_imageLogo.h"
#include "tavX_interlocuteur.h"
#include "tavX_listeColoree.h"
#include "tavX_saisieTexte.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int RoleId = Qt::UserRole + 1;
}

TFormCreerListeEleves::TFormCreerListeEleves(QWidget* owner, const QPixmap& logo,
                                             const QString& nomClasse)
    : QDialog(owner) {
    setWindowTitle(QStringLiteral("Liste des élèves") + QStringLiteral(" (") + nomClasse +
                   QStringLiteral(")"));
    setObjectName(QStringLiteral("FormCreerListeEleves"));

    const Dialogues::TChampsEleve champs = Dialogues::ChampsEleve(this);
    editNom = champs.nom;
    editNom->setToolTip(QStringLiteral("Champ pour ajouter un élève à la liste"));
    editNom->installEventFilter(this);
    auto* labelNom = champs.libelleNom;
    editDate = champs.date;
    auto* labelDate = champs.libelleDate;
    auto* labelFormat = champs.format;
    checkRedoublant = champs.redoublant;

    boutonAjouter = new QPushButton(QStringLiteral("&Ajouter à la liste"), this);
    boutonAjouter->setObjectName(QStringLiteral("BoutonAjouter"));
    boutonAjouter->setToolTip(
        QStringLiteral("Ajouter à la liste l'élève dont le nom est écrit ci-dessus "));

    listeEleves = new QListWidget(this);
    listeEleves->setObjectName(QStringLiteral("ListBoxEleves"));
    listeEleves->setToolTip(QStringLiteral("Liste des élèves"));
    Tav::ColorerListe(listeEleves);
    listeEleves->setMinimumHeight(Tav::HauteurLigneListe * 12);
    listeEleves->installEventFilter(this);

    boutonSupprimer = new QPushButton(QStringLiteral("&Supprimer à la liste"), this);
    boutonSupprimer->setObjectName(QStringLiteral("BoutonSupprimer"));
    boutonSupprimer->setToolTip(QStringLiteral("Supprimer de la liste l'élève sélectionné "));
    boutonModifier = new QPushButton(QStringLiteral("&Modifier"), this);
    boutonModifier->setObjectName(QStringLiteral("BoutonModifier"));
    boutonModifier->setToolTip(QStringLiteral("Modifier le nom de l'élève sélectionné (on peut "
                                              "aussi double cliquer sur le nom de cet élève)"));

    labelNombre = new QLabel(this);
    labelNombre->setObjectName(QStringLiteral("LabelNombre"));
    labelNombre->setToolTip(QStringLiteral("Nombre d'élèves"));

    boutonOk = new QPushButton(QStringLiteral("&Ok"), this);
    boutonOk->setDefault(true);
    boutonAnnuler = new QPushButton(QStringLiteral("&Annuler"), this);

    connect(editNom, &QLineEdit::textChanged, this, &TFormCreerListeEleves::MettreAJourBoutons);
    connect(boutonAjouter, &QPushButton::clicked, this, &TFormCreerListeEleves::Ajouter);
    connect(boutonSupprimer, &QPushButton::clicked, this, &TFormCreerListeEleves::Supprimer);
    connect(boutonModifier, &QPushButton::clicked, this, &TFormCreerListeEleves::Modifier);
    connect(listeEleves, &QListWidget::itemSelectionChanged, this,
            &TFormCreerListeEleves::MettreAJourBoutons);
    connect(listeEleves, &QListWidget::itemDoubleClicked, this, &TFormCreerListeEleves::Modifier);
    connect(boutonOk, &QPushButton::clicked, this, &TFormCreerListeEleves::accept);
    connect(boutonAnnuler, &QPushButton::clicked, this, &TFormCreerListeEleves::reject);

    auto* saisie = new QGridLayout;
    saisie->addWidget(labelNom, 0, 0, 1, 3);
    saisie->addWidget(editNom, 1, 0, 1, 3);
    saisie->addWidget(labelDate, 2, 0);
    saisie->addWidget(editDate, 2, 1);
    saisie->addWidget(labelFormat, 2, 2);
    saisie->addWidget(checkRedoublant, 3, 0);
    saisie->addWidget(boutonAjouter, 3, 1, 1, 2, Qt::AlignRight);
    saisie->setColumnStretch(2, 1);

    auto* actions = new QHBoxLayout;
    actions->addWidget(boutonSupprimer);
    actions->addWidget(boutonModifier);
    actions->addStretch();
    actions->addWidget(labelNombre);

    auto* boutons = new QHBoxLayout;
    boutons->addStretch();
    boutons->addWidget(boutonOk);
    boutons->addWidget(boutonAnnuler);

    auto* droite = new QVBoxLayout;
    droite->addLayout(saisie);
    droite->addSpacing(6);
    droite->addWidget(listeEleves, 1);
    droite->addLayout(actions);
    droite->addSpacing(6);
    droite->addLayout(boutons);

    auto* image = Tav::ImageLogo(this, logo);

    auto* mise = new QHBoxLayout(this);
    mise->addWidget(image);
    mise->addSpacing(8);
    mise->addLayout(droite, 1);

    Dialogues::OrdreTabulation({editNom, editDate, checkRedoublant, boutonAjouter, listeEleves,
                                boutonSupprimer, boutonModifier, boutonOk, boutonAnnuler});

    MettreAJourNombre();
    MettreAJourBoutons();
    editNom->setFocus();
}

QString TFormCreerListeEleves::TexteNombre(int n) {
    if (n <= 0) return QStringLiteral("aucun élève");
    if (n == 1) return QStringLiteral("1 élève");
    return QString::number(n) + QStringLiteral(" élèves");
}

QString TFormCreerListeEleves::TexteEntree(const QString& nom, const QString& date,
                                           bool redoublant) {
    QString texte = nom;
    if (!date.trimmed().isEmpty()) texte += QLatin1Char(' ') + date;
    if (redoublant) texte += QStringLiteral(" (R)");
    return texte;
}

QStringList TFormCreerListeEleves::Noms() const {
    QStringList l;
    for (const TEntree& e : entrees)
        l.append(e.nom);
    return l;
}

QStringList TFormCreerListeEleves::DatesNaissance() const {
    QStringList l;
    for (const TEntree& e : entrees)
        l.append(e.date);
    return l;
}

QStringList TFormCreerListeEleves::Redoublants() const {
    QStringList l;
    for (const TEntree& e : entrees)
        l.append(e.redoublant ? QStringLiteral("R") : QString());
    return l;
}

void TFormCreerListeEleves::AppliquerA(TFichierTav& fichier) const {
    AppliquerListes(fichier, Noms(), DatesNaissance(), Redoublants());
}

void TFormCreerListeEleves::AppliquerListes(TFichierTav& fichier, const QStringList& noms,
                                            const QStringList& dates,
                                            const QStringList& redoublants) {
    fichier.ModifierListeEleves(noms);
    // Each entry goes to a student of its name not yet given its facts, so that two students
    // who share a name each keep their own birth date and flag. The class file stores a name
    // cut to its first 100 characters: the lookup uses the same cut.
    QList<bool> pris(fichier.NombreEleves() + 1, false);
    for (qsizetype i = 0; i < noms.size(); ++i) {
        const QString nom = noms.at(i).left(Tav::MaxLongueurNomEleve);
        for (int s = 1; s <= fichier.NombreEleves(); ++s) {
            if (pris.at(s) || fichier.NomEleve(s) != nom) continue;
            pris[s] = true;
            fichier.ModifierDateNaissance(s, dates.value(i));
            fichier.ModifierRedoublant(s, redoublants.value(i) == QStringLiteral("R"));
            break;
        }
    }
}

bool TFormCreerListeEleves::eventFilter(QObject* objet, QEvent* evenement) {
    if (objet == editNom && evenement->type() == QEvent::FocusIn) {
        listeEleves->clearSelection();
        listeEleves->setCurrentItem(nullptr);
        MettreAJourBoutons();
    }
    if (objet == listeEleves && evenement->type() == QEvent::KeyPress) {
        auto* touche = static_cast<QKeyEvent*>(evenement);
        if (touche->key() == Qt::Key_Delete && ElementSelectionne()) {
            Supprimer();
            return true;
        }
        if (touche->key() == Qt::Key_F2 && ElementSelectionne()) {
            Modifier();
            return true;
        }
    }
    return QDialog::eventFilter(objet, evenement);
}

void TFormCreerListeEleves::keyPressEvent(QKeyEvent* touche) {
    // While a name is typed, Enter adds that student (never OK by mistake); with the name field
    // empty, Enter is OK.
    if ((touche->key() == Qt::Key_Return || touche->key() == Qt::Key_Enter) &&
        (touche->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier &&
        !editNom->text().trimmed().isEmpty()) {
        if (boutonAjouter->isEnabled()) Ajouter();
        touche->accept();
        return;
    }
    QDialog::keyPressEvent(touche);
}

void TFormCreerListeEleves::MettreAJourBoutons() {
    boutonAjouter->setEnabled(!editNom->text().trimmed().isEmpty() &&
                              entrees.size() < Tav::MaxEleves);
    const bool selection = ElementSelectionne() != nullptr;
    boutonSupprimer->setEnabled(selection);
    boutonModifier->setEnabled(selection);
}

void TFormCreerListeEleves::MettreAJourNombre() {
    labelNombre->setText(TexteNombre(int(entrees.size())));
}

QListWidgetItem* TFormCreerListeEleves::ElementSelectionne() const {
    const QList<QListWidgetItem*> choisis = listeEleves->selectedItems();
    return choisis.isEmpty() ? nullptr : choisis.first();
}

int TFormCreerListeEleves::PositionEntree(int id) const {
    for (qsizetype i = 0; i < entrees.size(); ++i)
        if (entrees.at(i).id == id) return int(i);
    return -1;
}

bool TFormCreerListeEleves::ExisteDeja(const QString& texte, const QListWidgetItem* sauf) const {
    for (int i = 0; i < listeEleves->count(); ++i) {
        const QListWidgetItem* element = listeEleves->item(i);
        if (element != sauf && element->text().compare(texte, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

bool TFormCreerListeEleves::AjouterEntree(const QString& nom, const QString& date,
                                          bool redoublant) {
    if (nom.isEmpty() || entrees.size() >= Tav::MaxEleves) return false;
    const QString texte = TexteEntree(nom, date, redoublant);
    int position = 0;
    while (position < listeEleves->count() &&
           TEleves::Comparer(listeEleves->item(position)->text(), texte) <= 0)
        ++position;
    auto* element = new QListWidgetItem(texte);
    element->setData(RoleId, prochainId);
    listeEleves->insertItem(position, element);
    entrees.append({prochainId, nom, date, redoublant});
    ++prochainId;
    listeEleves->scrollToItem(element);
    MettreAJourNombre();
    return true;
}

void TFormCreerListeEleves::RetirerElement(QListWidgetItem* element) {
    const int position = PositionEntree(element->data(RoleId).toInt());
    if (position >= 0) entrees.removeAt(position);
    delete listeEleves->takeItem(listeEleves->row(element));
}

void TFormCreerListeEleves::Ajouter() {
    const QString nom = editNom->text().trimmed();
    const QString date = editDate->text().trimmed();
    const bool redoublant = checkRedoublant->isChecked();
    if (nom.isEmpty() || entrees.size() >= Tav::MaxEleves) return;
    if (!Tav::TexteEnregistrable(this, nom) || !Tav::TexteEnregistrable(this, date)) return;
    const QString texte = TexteEntree(nom, date, redoublant);
    if (ExisteDeja(texte, nullptr)) {
        Erreur(this, QStringLiteral("« ") + texte + QStringLiteral(" » est déjà dans la liste."));
        editNom->setFocus();
        editNom->selectAll();
        return;
    }
    AjouterEntree(nom, date, redoublant);
    editNom->clear();
    editDate->clear();
    checkRedoublant->setChecked(false);
    editNom->setFocus();
    MettreAJourBoutons();
}

void TFormCreerListeEleves::Supprimer() {
    QListWidgetItem* element = ElementSelectionne();
    if (!element) return;
    if (!Question(this, QStringLiteral("Supprimer '") + element->text() + QStringLiteral("' ?")))
        return;
    RetirerElement(element);
    listeEleves->scrollToBottom();
    MettreAJourNombre();
    MettreAJourBoutons();
}

void TFormCreerListeEleves::Modifier() {
    QListWidgetItem* element = ElementSelectionne();
    if (!element) return;
    const int position = PositionEntree(element->data(RoleId).toInt());
    if (position < 0) return;
    const TEntree ancienne = entrees.at(position);
    TFormModifierEleve dialogue(this, QStringLiteral("Modifier les informations de l'élève"),
                                ancienne.redoublant, ancienne.date, ancienne.nom);
    if (dialogue.exec() != QDialog::Accepted) return;
    const QString nom = dialogue.Nom().trimmed();
    const QString date = dialogue.DateNaissance().trimmed();
    // The old line goes only once the new one is sure to take its place.
    if (nom.isEmpty()) {
        Erreur(this, QStringLiteral("Le nom de l'élève ne peut pas être vide."));
        return;
    }
    const QString texte = TexteEntree(nom, date, dialogue.Redoublant());
    if (ExisteDeja(texte, element)) {
        Erreur(this, QStringLiteral("« ") + texte + QStringLiteral(" » est déjà dans la liste."));
        return;
    }
    RetirerElement(element);
    AjouterEntree(nom, date, dialogue.Redoublant());
    MettreAJourBoutons();
}
