#include "_FormImprimer.h"

#include "_FormConfirmerImpression.h"
#include "_FormProgression.h"
#include "tavX_fichierTav.h"
#include "tavX_impressionsGrilles.h"
#include "tavX_interlocuteur.h"
#include "tavX_options.h"
#include "tavX_ouvrirOptions.h"
#include "tavX_programme.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTime>
#include <QVBoxLayout>

namespace {

using Impression::TQuoi;

// The pages towards a printer (or the preview's printer), in logical units.
class TSortieImprimante : public TSortiePages {
public:
    explicit TSortieImprimante(QPrinter& imprimante) : imprimante(imprimante) {}
    QPainter* Commencer() override {
        if (!peintre.begin(&imprimante)) {
            cause = QStringLiteral("l'imprimante n'a pas pu commencer l'impression");
            return nullptr;
        }
        const qreal echelle = qreal(imprimante.resolution()) / Impression::ResolutionLogique;
        peintre.scale(echelle, echelle);
        return &peintre;
    }
    bool NouvellePage() override { return imprimante.newPage(); }
    bool Terminer() override { return peintre.end(); }
    void Abandonner() override {
        imprimante.abort();
        if (peintre.isActive()) peintre.end();
    }

private:
    QPrinter& imprimante;
    QPainter peintre;
};

QString TitreTravail(const TFichierTav& fichier) {
    return Programme::Nom() + QStringLiteral(" - ") + fichier.Classe();
}

// The sub-page of the options dialog's "Impression" page for the printout.
QString SousPageOptions(TQuoi quoi) {
    switch (quoi) {
    case TQuoi::SeriesDeNotes:
        return QStringLiteral("Séries de notes");
    case TQuoi::Bilans:
        return QStringLiteral("Bilans");
    case TQuoi::Appreciations:
        return QStringLiteral("Appréciations");
    case TQuoi::GrilleVierge:
        return QStringLiteral("Grille vierge");
    }
    return QString();
}

} // namespace

namespace Impression {

QPrinter& Imprimante() {
    static std::unique_ptr<QPrinter> imprimante = [] {
        auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
        p->setFullPage(false);
        return p;
    }();
    return *imprimante;
}

void ConfigurerImpression(QWidget* parent) {
    QPageSetupDialog dialogue(&Imprimante(), parent);
    dialogue.exec();
}

void OuvrirImprimer(QWidget* parent, const TFichierTav& fichier, const QPixmap& logo) {
    TFormImprimer dialogue(fichier, logo, parent);
    dialogue.exec();
}

} // namespace Impression

TFormImprimer::TFormImprimer(const TFichierTav& fichier, const QPixmap& logo, QWidget* parent)
    : QDialog(parent), fichier(fichier) {
    setObjectName(QStringLiteral("FormImprimer"));
    setWindowTitle(QStringLiteral("Imprimer"));
    police = Options::NomPolice();
    taillePolice = std::max(1, int(Options::TaillePolice()));

    auto* principale = new QHBoxLayout(this);
    auto* gauche = new QVBoxLayout;
    principale->addLayout(gauche, 1);

    auto* etiquetteQuoi = new QLabel(QStringLiteral("&Quoi imprimer :"), this);
    quoi = new QComboBox(this);
    quoi->addItems({QStringLiteral("Séries de notes"), QStringLiteral("Bilans"),
                    QStringLiteral("Appréciations"),
                    QStringLiteral("Grille vierge avec la liste des élèves")});
    etiquetteQuoi->setBuddy(quoi);
    gauche->addWidget(etiquetteQuoi);
    gauche->addWidget(quoi);

    auto* etiquettePeriodes = new QLabel(QStringLiteral("Pé&riode à imprimer :"), this);
    periodes = new QListWidget(this);
    periodes->setMaximumHeight(110);
    etiquettePeriodes->setBuddy(periodes);
    gauche->addWidget(etiquettePeriodes);
    gauche->addWidget(periodes);

    // Header and footer: what the lists offer.
    const QLocale locale;
    QStringList offerts = {fichier.Classe(), fichier.Matiere(), fichier.Enseignant(),
                           fichier.AnneeScolaire()};
    offerts += fichier.ListePeriodes();
    offerts << locale.toString(QDate::currentDate(), QLocale::ShortFormat)
            << locale.toString(QTime::currentTime(), QLocale::ShortFormat);
    const QString stockes[6] = {Options::EnTeteGauche(),
                                Options::EnTeteCentre(),
                                Options::EnTeteDroite(),
                                Options::BasDePageGauche(),
                                QString(),
                                Options::BasDePageDroite()};
    const char* noms[3] = {"Gauche", "Centre", "Droite"};
    for (int bande = 0; bande < 2; ++bande) {
        auto* groupe = new QGroupBox(
            bande == 0 ? QStringLiteral("En-tête") : QStringLiteral("Bas de page"), this);
        auto* grille = new QGridLayout(groupe);
        for (int k = 0; k < 3; ++k) {
            const int i = bande * 3 + k;
            champs[i] = new QComboBox(groupe);
            champs[i]->setObjectName(QString::fromLatin1(bande == 0 ? "EnTete" : "BasDePage") +
                                     QLatin1String(noms[k]));
            if (i == 4) {
                // The footer's centre: a fixed list, the first entry (nothing) chosen.
                champs[i]->addItem(QString());
                champs[i]->addItems(offerts);
                champs[i]->addItem(Programme::Nom());
                champs[i]->setCurrentIndex(0);
            } else {
                champs[i]->setEditable(true);
                champs[i]->addItems(offerts);
                champs[i]->setCurrentText(stockes[i]);
            }
            champs[i]->setMinimumContentsLength(12);
            encadres[i] = new QCheckBox(QStringLiteral("Encadré"), groupe);
            grille->addWidget(new QLabel(QString::fromLatin1(noms[k]), groupe), 0, k);
            grille->addWidget(champs[i], 1, k);
            grille->addWidget(encadres[i], 2, k);
        }
        gauche->addWidget(groupe);
    }
    auto* note = new QLabel(
        QStringLiteral("Pensez à personnaliser l'en-tête et le bas de page avant d'imprimer."),
        this);
    note->setAutoFillBackground(true);
    QPalette palette = note->palette();
    palette.setColor(QPalette::Window, QColor(0xFF, 0xFF, 0xE2));
    palette.setColor(QPalette::WindowText, Qt::black);
    note->setPalette(palette);
    note->setMargin(6);
    note->setWordWrap(true);
    gauche->addWidget(note);

    auto* lignePolice = new QHBoxLayout;
    etiquettePolice = new QLabel(this);
    auto* boutonPolice = new QPushButton(QStringLiteral("&Fonte utilisée ..."), this);
    lignePolice->addWidget(etiquettePolice, 1);
    lignePolice->addWidget(boutonPolice);
    gauche->addLayout(lignePolice);
    AfficherPolice();

    // The buttons.
    auto* droite = new QVBoxLayout;
    principale->addLayout(droite);
    if (!logo.isNull()) {
        auto* image = new QLabel(this);
        image->setPixmap(logo.scaled(96, 96, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        droite->addWidget(image, 0, Qt::AlignHCenter);
    }
    auto* boutonImprimer = new QPushButton(QStringLiteral("&Imprimer"), this);
    auto* boutonApercu = new QPushButton(QStringLiteral("&Aperçu ..."), this);
    auto* boutonPdf = new QPushButton(QStringLiteral("Fichier P&DF ..."), this);
    auto* boutonConfigurer = new QPushButton(QStringLiteral("&Configurer imprimante ..."), this);
    boutonOptions = new QPushButton(QStringLiteral("&Options d'impression ..."), this);
    boutonOptions->setVisible(Dialogues::OptionsDisponibles());
    fermer = new QCheckBox(QStringLiteral("&Fermer après impression"), this);
    fermer->setChecked(Options::ImpressionFermerBoite());
    auto* boutonFermer = new QPushButton(QStringLiteral("Fermer"), this);
    boutonImprimer->setDefault(true);
    for (QWidget* w : std::initializer_list<QWidget*>{boutonImprimer, boutonApercu, boutonPdf,
                                                      boutonConfigurer, boutonOptions, fermer})
        droite->addWidget(w);
    droite->addStretch();
    droite->addWidget(boutonFermer);

    connect(quoi, &QComboBox::currentIndexChanged, this, [this] { RemplirPeriodes(); });
    connect(periodes, &QListWidget::itemChanged, this, [this](QListWidgetItem* element) {
        if (!remplissage && element->checkState() == Qt::Checked)
            CocherSeule(periodes->row(element));
    });
    connect(boutonPolice, &QPushButton::clicked, this, [this] { ChoisirPolice(); });
    connect(boutonImprimer, &QPushButton::clicked, this,
            [this] { Lancer(TDestination::Imprimante); });
    connect(boutonApercu, &QPushButton::clicked, this, [this] { Lancer(TDestination::Apercu); });
    connect(boutonPdf, &QPushButton::clicked, this, [this] { Lancer(TDestination::Pdf); });
    connect(boutonConfigurer, &QPushButton::clicked, this, [this] {
        if (!QPrinterInfo::availablePrinterNames().isEmpty())
            Impression::ConfigurerImpression(this);
    });
    connect(boutonOptions, &QPushButton::clicked, this, [this] { OuvrirOptions(); });
    connect(fermer, &QCheckBox::toggled, this,
            [](bool oui) { Options::ModifierImpressionFermerBoite(oui); });
    connect(boutonFermer, &QPushButton::clicked, this, &QDialog::reject);
    RemplirPeriodes();
}

TFormImprimer::~TFormImprimer() {
    Options::ModifierEnTeteGauche(champs[0]->currentText());
    Options::ModifierEnTeteCentre(champs[1]->currentText());
    Options::ModifierEnTeteDroite(champs[2]->currentText());
    Options::ModifierBasDePageGauche(champs[3]->currentText());
    Options::ModifierBasDePageDroite(champs[5]->currentText());
    Options::ModifierNomPolice(police);
    Options::ModifierTaillePolice(quint8(std::clamp(taillePolice, 1, 255)));
}

void TFormImprimer::RemplirPeriodes() {
    remplissage = true;
    periodes->clear();
    const auto q = TQuoi(quoi->currentIndex());
    if (q != TQuoi::GrilleVierge) {
        for (int p = 1; p <= fichier.NombrePeriodes(); ++p) {
            QString texte = fichier.NomPeriode(p);
            if (q == TQuoi::SeriesDeNotes) {
                const int n = fichier.NombreSeries(p);
                texte += n == 0   ? QStringLiteral(" (aucune série de notes)")
                         : n == 1 ? QStringLiteral(" (1 série de notes)")
                                  : QStringLiteral(" (%1 séries de notes)").arg(n);
            }
            periodes->addItem(texte);
        }
        if (q == TQuoi::Bilans) periodes->addItem(QStringLiteral("Sur l'année"));
    }
    for (int i = 0; i < periodes->count(); ++i) {
        QListWidgetItem* element = periodes->item(i);
        element->setFlags(element->flags() | Qt::ItemIsUserCheckable);
        element->setCheckState(Qt::Unchecked);
    }
    remplissage = false;
}

void TFormImprimer::CocherSeule(int ligne) {
    remplissage = true;
    for (int i = 0; i < periodes->count(); ++i)
        if (i != ligne) periodes->item(i)->setCheckState(Qt::Unchecked);
    remplissage = false;
}

int TFormImprimer::PeriodeCochee() const {
    for (int i = 0; i < periodes->count(); ++i)
        if (periodes->item(i)->checkState() == Qt::Checked) return i + 1;
    return 0;
}

void TFormImprimer::AfficherPolice() {
    etiquettePolice->setText(police + QStringLiteral(" (") + QString::number(taillePolice) +
                             QLatin1Char(')'));
}

void TFormImprimer::ChoisirPolice() {
    bool ok = false;
    const QFont choisie = QFontDialog::getFont(&ok, QFont(police, taillePolice), this);
    if (!ok) return;
    police = choisie.family();
    taillePolice = std::max(1, choisie.pointSize());
    AfficherPolice();
}

void TFormImprimer::OuvrirOptions() {
    Dialogues::OuvrirOptions(this, QStringLiteral("Impression"),
                             SousPageOptions(TQuoi(quoi->currentIndex())));
}

TParametresImpression TFormImprimer::Parametres(const QPageLayout& mise) const {
    const auto q = TQuoi(quoi->currentIndex());
    TParametresImpression p = TParametresImpression::DepuisReglages(q);
    p.police = police;
    p.taillePolice = taillePolice;
    p.periode = q == TQuoi::GrilleVierge ? 1 : PeriodeCochee();
    TBlocTexte* blocs[6] = {&p.entete.gauche,    &p.entete.centre,    &p.entete.droite,
                            &p.basDePage.gauche, &p.basDePage.centre, &p.basDePage.droite};
    for (int i = 0; i < 6; ++i) {
        blocs[i]->texte = champs[i]->currentText();
        blocs[i]->encadre = encadres[i]->isChecked();
    }
    p.geometrie = TGeometriePage::Depuis(mise);
    return p;
}

std::unique_ptr<TImpression> TFormImprimer::Preparer(const QPageLayout& mise) {
    const auto q = TQuoi(quoi->currentIndex());
    if (q != TQuoi::GrilleVierge) {
        const int p = PeriodeCochee();
        if (p == 0) {
            Erreur(this, QStringLiteral("Aucune période sélectionnée !"));
            return nullptr;
        }
        if (q == TQuoi::SeriesDeNotes && fichier.NombreSeries(p) == 0) {
            Erreur(this, QStringLiteral("Aucune série de notes pour cette période !"));
            return nullptr;
        }
    }
    return CreerImpression(q, fichier, Parametres(mise));
}

bool TFormImprimer::Lancer(TDestination destination) {
    QPrinter& imprimante = Impression::Imprimante();
    imprimante.setDocName(TitreTravail(fichier));
    std::unique_ptr<TImpression> impression = Preparer(imprimante.pageLayout());
    if (!impression) return false; // the window stays open, as for a missing period
    bool imprime = false;
    const int pages = impression->NombrePages();
    if (pages == 0) {
        Erreur(this, Impression::MessageTropLarge());
    } else if (pages < 0) {
        Erreur(this, Impression::MessageTropHaut());
    } else if (destination == TDestination::Apercu) {
        Apercu();
        return true; // the preview is not a print run: the window stays open
    } else if (destination == TDestination::Pdf) {
        TDemandeFichier demande;
        demande.titre = QStringLiteral("Enregistrer en PDF");
        demande.nomFichier = fichier.Classe().isEmpty() ? QStringLiteral("impression.pdf")
                                                        : fichier.Classe() + QStringLiteral(".pdf");
        demande.filtre = QStringLiteral("Document PDF *.pdf|*.pdf");
        demande.extensionParDefaut = QStringLiteral("pdf");
        const QString chemin = Interlocuteur().FichierAEnregistrer(this, demande);
        if (chemin.isEmpty()) return false;
        TSortiePdf sortie(chemin, imprimante.pageLayout(), TitreTravail(fichier));
        TChoixImpression tout;
        tout.derniere = pages;
        TFormProgression progression(this);
        imprime = impression->Imprimer(sortie, tout,
                                       [&](int position, int total, const QString& legende) {
                                           return progression.Avancer(position, total, legende);
                                       });
        if (!imprime && !progression.wasCanceled())
            Erreur(this,
                   QStringLiteral("Le fichier PDF n'a pas pu être enregistré : ") + sortie.Cause());
    } else {
        std::optional<TChoixImpression> choix;
        if (confirmer) {
            choix = confirmer(pages);
        } else {
            TFormConfirmerImpression confirmation(pages, this);
            if (confirmation.exec() == QDialog::Accepted) choix = confirmation.Choix();
        }
        if (choix) {
            // The job begins only now, once the run is confirmed.
            std::unique_ptr<TSortiePages> sortie =
                creerSortie ? creerSortie() : std::make_unique<TSortieImprimante>(imprimante);
            TFormProgression progression(this);
            imprime = impression->Imprimer(*sortie, *choix,
                                           [&](int position, int total, const QString& legende) {
                                               return progression.Avancer(position, total, legende);
                                           });
            if (!imprime && !progression.wasCanceled() && !sortie->Cause().isEmpty())
                Erreur(this, QStringLiteral("Impossible d'imprimer : ") + sortie->Cause());
        }
    }
    if (fermer->isChecked()) accept();
    return imprime;
}

void TFormImprimer::Apercu() {
    QPrintPreviewDialog apercu(&Impression::Imprimante(), this);
    apercu.setWindowTitle(QStringLiteral("Aperçu avant impression"));
    apercu.resize(1100, 760);
    apercu.setWindowState(Qt::WindowMaximized);
    connect(&apercu, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* imprimante) {
        // Measured again on the page as the preview has it (orientation, paper).
        std::unique_ptr<TImpression> impression = CreerImpression(
            TQuoi(quoi->currentIndex()), fichier, Parametres(imprimante->pageLayout()));
        TSortieImprimante sortie(*imprimante);
        const int pages = impression->NombrePages();
        if (pages < 1) {
            if (QPainter* peintre = sortie.Commencer()) {
                peintre->drawText(QRectF(200, 200, 4000, 2000), Qt::TextWordWrap,
                                  pages == 0 ? Impression::MessageTropLarge()
                                             : Impression::MessageTropHaut());
                sortie.Terminer();
            }
            return;
        }
        TChoixImpression tout;
        tout.derniere = pages;
        impression->Imprimer(sortie, tout);
    });
    apercu.exec();
}
