#include "_FormOptions.h"

#include "tavX_boutonCouleur.h"
#include "tavX_globales.h"
#include "tavX_interlocuteur.h"
#include "tavX_listeEditable.h"
#include "tavX_options.h"
#include "tavX_programme.h"
#include "tavX_reglages.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>

namespace {

QString SansEsperluette(QString texte) {
    return texte.remove(QLatin1Char('&')).trimmed();
}

} // namespace

QStringList TFormOptions::Pages() {
    return {QStringLiteral("Au démarrage"),
            QStringLiteral("Divers"),
            QStringLiteral("Impression"),
            QStringLiteral("Types de notes"),
            QStringLiteral("Graphes"),
            QStringLiteral("Moyennes"),
            QStringLiteral("Couleur des grilles"),
            QStringLiteral("Types de périodes"),
            QStringLiteral("Couleur des notes"),
            QStringLiteral("Historique des fichiers"),
            QStringLiteral("Onglets"),
            QStringLiteral("Matières"),
            QStringLiteral("Enseignants")};
}

QStringList TFormOptions::SousPagesImpression() {
    return {QStringLiteral("Sé&ries de notes"), QStringLiteral("&Bilans"),
            QStringLiteral("&Grille vierge"), QStringLiteral("Appréciations")};
}

TFormOptions::TFormOptions(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FormOptions"));
    setWindowTitle(QStringLiteral("Configurer ") + Programme::Nom());

    listePages = new QListWidget(this);
    listePages->setObjectName(QStringLiteral("ListePages"));
    listePages->setAccessibleName(QStringLiteral("Pages"));
    auto* pilePages = new QStackedWidget(this);
    pilePages->setObjectName(QStringLiteral("PilePages"));

    const QList<QWidget* (TFormOptions::*)()> constructeurs = {
        &TFormOptions::PageDemarrage,      &TFormOptions::PageDivers,
        &TFormOptions::PageImpression,     &TFormOptions::PageTypesDeNotes,
        &TFormOptions::PageGraphes,        &TFormOptions::PageMoyennes,
        &TFormOptions::PageCouleurGrilles, &TFormOptions::PageTypesDePeriodes,
        &TFormOptions::PageCouleurNotes,   &TFormOptions::PageHistorique,
        &TFormOptions::PageOnglets,        &TFormOptions::PageMatieres,
        &TFormOptions::PageEnseignants};
    const QStringList noms = Pages();
    for (int i = 0; i < noms.size(); ++i) {
        QWidget* page = (this->*constructeurs.at(i))();
        page->setObjectName(QStringLiteral("Page") + QString::number(i));
        auto* cadre = new QGroupBox(noms.at(i), pilePages);
        auto* mise = new QVBoxLayout(cadre);
        mise->addWidget(page, 1);
        pilePages->addWidget(cadre);
        listePages->addItem(noms.at(i));
    }
    listePages->setFixedWidth(listePages->sizeHintForColumn(0) + 2 * listePages->frameWidth() + 8);
    connect(listePages, &QListWidget::currentRowChanged, pilePages,
            &QStackedWidget::setCurrentIndex);
    listePages->setCurrentRow(0);

    // Ctrl+Tab and Ctrl+Page down go from page to page, as in tabbed dialogs.
    auto changerPage = [this](int pas) {
        const int n = listePages->count();
        listePages->setCurrentRow((listePages->currentRow() + pas + n) % n);
    };
    for (const auto& [touches, pas] :
         {std::pair(QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1),
          std::pair(QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1),
          std::pair(QKeySequence(Qt::CTRL | Qt::Key_Tab), 1),
          std::pair(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1)}) {
        auto* raccourci = new QShortcut(touches, this);
        connect(raccourci, &QShortcut::activated, this, [changerPage, pas] { changerPage(pas); });
    }

    auto* boutonFermer = new QPushButton(QStringLiteral("&Fermer"), this);
    boutonFermer->setObjectName(QStringLiteral("BoutonFermer"));
    boutonFermer->setDefault(true);
    connect(boutonFermer, &QPushButton::clicked, this, &QDialog::accept);

    auto* haut = new QHBoxLayout;
    haut->addWidget(listePages);
    haut->addWidget(pilePages, 1);
    auto* bas = new QHBoxLayout;
    bas->addStretch(1);
    bas->addWidget(boutonFermer);
    auto* mise = new QVBoxLayout(this);
    mise->addLayout(haut, 1);
    mise->addLayout(bas);
    setTabOrder(listePages, pilePages);
    resize(sizeHint().boundedTo(QSize(960, 680)));
}

TFormOptions::~TFormOptions() {
    // A dialog destroyed without being closed (its parent went first) still stores its values.
    try {
        Enregistrer();
    } catch (...) {
    }
}

void TFormOptions::done(int resultat) {
    // No cancel: however the dialog closes, what it shows is stored.
    Enregistrer();
    QDialog::done(resultat);
}

bool TFormOptions::Enregistrer() {
    if (enregistre) return true;
    enregistre = true;
    TReglages::TGroupeModifications groupe;
    int echecs = 0;
    for (const auto& ecrire : std::as_const(ecritures)) {
        try {
            ecrire();
        } catch (const std::exception& e) {
            ++echecs;
            qWarning("Options : %s", e.what());
        } catch (...) {
            ++echecs;
        }
    }
    auto reglages = OuvrirReglages();
    reglages->sync();
    const bool reussi =
        echecs == 0 && reglages->status() == QSettings::NoError && reglages->isWritable();
    if (!reussi) {
        Erreur(isVisible() ? this : parentWidget(),
               QStringLiteral("Les réglages n'ont pas pu être tous enregistrés.\nVérifiez que "
                              "vous avez le droit d'écrire dans le dossier des réglages :\n%1")
                   .arg(reglages->fileName()));
    }
    return reussi;
}

bool TFormOptions::AllerA(const QString& page, const QString& sousPage) {
    if (page.isEmpty()) return false;
    const QStringList noms = Pages();
    for (int i = 0; i < noms.size(); ++i) {
        if (SansEsperluette(noms.at(i)).compare(SansEsperluette(page), Qt::CaseInsensitive) != 0)
            continue;
        listePages->setCurrentRow(i);
        if (!sousPage.isEmpty() && i == 2) {
            const QStringList sous = SousPagesImpression();
            for (int j = 0; j < sous.size(); ++j) {
                if (SansEsperluette(sous.at(j))
                        .compare(SansEsperluette(sousPage), Qt::CaseInsensitive) == 0)
                    ongletsImpression->setCurrentIndex(j);
            }
        }
        return true;
    }
    return false;
}

QString TFormOptions::PageCourante() const {
    return Pages().value(listePages->currentRow());
}

QString TFormOptions::SousPageCourante() const {
    return SansEsperluette(SousPagesImpression().value(ongletsImpression->currentIndex()));
}

void TFormOptions::Ouvrir(QWidget* parent, const QString& page, const QString& sousPage) {
    // Every setting the dialog changes is announced; the views refresh once, when it is gone.
    TReglages::TGroupeModifications groupe;
    TFormOptions dialogue(parent);
    dialogue.AllerA(page, sousPage);
    dialogue.exec();
}

// ---- Bound controls ----------------------------------------------------------------------------

QCheckBox* TFormOptions::Case(QWidget* parent, const QString& texte, const char* nom,
                              bool (*lire)(), void (*ecrire)(bool)) {
    auto* c = new QCheckBox(texte, parent);
    c->setObjectName(QString::fromLatin1(nom));
    c->setChecked(lire());
    ecritures.append([c, ecrire] { ecrire(c->isChecked()); });
    return c;
}

QButtonGroup* TFormOptions::Choix(QWidget* boite, const QStringList& textes, const char* nom,
                                  quint8 (*lire)(), void (*ecrire)(quint8),
                                  std::function<bool()> condition) {
    auto* groupe = new QButtonGroup(boite);
    groupe->setObjectName(QString::fromLatin1(nom));
    auto* mise = new QVBoxLayout(boite);
    for (int i = 0; i < textes.size(); ++i) {
        auto* bouton = new QRadioButton(textes.at(i), boite);
        bouton->setObjectName(QString::fromLatin1(nom) + QString::number(i));
        groupe->addButton(bouton, i);
        mise->addWidget(bouton);
    }
    const int valeur = lire();
    if (QAbstractButton* b = groupe->button(valeur < textes.size() ? valeur : 0))
        b->setChecked(true);
    ecritures.append([groupe, ecrire, condition] {
        if (condition && !condition()) return;
        if (groupe->checkedId() >= 0) ecrire(quint8(groupe->checkedId()));
    });
    return groupe;
}

QSpinBox* TFormOptions::Nombre(QWidget* parent, const char* nom, int minimum, int maximum,
                               int valeur, std::function<void(int)> ecrire) {
    auto* n = new QSpinBox(parent);
    n->setObjectName(QString::fromLatin1(nom));
    n->setRange(minimum, maximum);
    n->setValue(std::clamp(valeur, minimum, maximum));
    n->setAccelerated(true);
    ecritures.append([n, ecrire] {
        n->interpretText(); // a value being typed counts
        ecrire(n->value());
    });
    return n;
}

TBoutonCouleur* TFormOptions::Couleur(QWidget* parent, const QString& titre, const char* nom,
                                      qint32 (*lire)(), void (*ecrire)(qint32),
                                      qint32 (*parDefaut)()) {
    auto* b = new TBoutonCouleur(lire(), parDefaut(), titre, parent);
    b->setObjectName(QString::fromLatin1(nom));
    b->setAutoDefault(false);
    ecritures.append([b, ecrire] { ecrire(b->Couleur()); });
    return b;
}
