// The pages of the options dialog, and what their controls do while it is open.
#include "_FormOptions.h"

#include "_TInclureImpression.h"
#include "tavX_boutonCouleur.h"
#include "tavX_globales.h"
#include "tavX_interlocuteur.h"
#include "tavX_listeEditable.h"
#include "tavX_options.h"
#include "tavX_programme.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QPushButton* Bouton(QWidget* parent, const QString& texte, const char* nom) {
    auto* b = new QPushButton(texte, parent);
    b->setObjectName(QString::fromLatin1(nom));
    b->setAutoDefault(false);
    return b;
}

QGroupBox* Boite(QWidget* parent, const QString& titre, const char* nom) {
    auto* b = new QGroupBox(titre, parent);
    b->setObjectName(QString::fromLatin1(nom));
    return b;
}

// The caption of a control, its shortcut leading to it.
QLabel* Libelle(const QString& texte, QWidget* controle) {
    auto* libelle = new QLabel(texte, controle->parentWidget());
    libelle->setBuddy(controle);
    return libelle;
}

// A line holding a caption and its number.
QHBoxLayout* LigneNombre(const QString& libelle, QSpinBox* nombre) {
    auto* ligne = new QHBoxLayout;
    ligne->addWidget(Libelle(libelle, nombre));
    ligne->addWidget(nombre);
    ligne->addStretch(1);
    return ligne;
}

// A colour row on the next row of a grid: what heads it (its caption or its check box), the
// colour button and "Couleur par défaut".
void LigneCouleur(QGridLayout* grille, QWidget* tete, TBoutonCouleur* bouton,
                  QList<QWidget*>* boutons = nullptr) {
    auto* defaut = new QPushButton(QStringLiteral("Couleur par défaut"), grille->parentWidget());
    defaut->setObjectName(bouton->objectName() + QStringLiteral("Defaut"));
    defaut->setAutoDefault(false);
    QObject::connect(defaut, &QPushButton::clicked, bouton, &TBoutonCouleur::CouleurParDefaut);
    const int ligne = grille->rowCount();
    grille->addWidget(tete, ligne, 0);
    grille->addWidget(bouton, ligne, 1);
    grille->addWidget(defaut, ligne, 2);
    if (boutons) *boutons << bouton << defaut;
}

// "Trimestres", "Semestres", "Mois" head the list of period schemes and cannot be changed.
constexpr int SchemasIntegres = 3;

// A stored list already holding these items, in this order, is not written again (each write
// rewrites the whole store file); a list never stored is, so that it holds its defaults.
bool ListeDejaStockee(const QString& cle, const QStringList& elements) {
    return Globales::LireListe(cle) == std::optional<QStringList>(elements);
}

} // namespace

// ---- "Au démarrage" ----------------------------------------------------------------------------

QWidget* TFormOptions::PageDemarrage() {
    auto* page = new QWidget;
    auto* mise = new QVBoxLayout(page);
    auto* ouverture = Boite(page, QStringLiteral(" Ouverture des fichiers "), "BoiteAuDemarrage");
    Choix(ouverture,
          {QStringLiteral("&Démarrage normal (n'ouvrir aucun fichier)"),
           QStringLiteral("&Charger les derniers fichiers consultés"),
           QStringLiteral("Afficher la boîte d'&ouverture des fichiers")},
          "AuDemarrage", &Options::AuDemarrage, &Options::ModifierAuDemarrage);
    mise->addWidget(ouverture);
    mise->addWidget(Case(page, QStringLiteral("&Afficher la boîte de dialogue de bienvenue"),
                         "CaseAfficherConseils", &Options::AfficherConseils,
                         &Options::ModifierAfficherConseils));
    QCheckBox* rappel = Case(
        page,
        QStringLiteral("&Rappeler qu'il serait judicieux de faire\nune sauvegarde de vos "
                       "fichiers ..."),
        "CaseRappelSauvegarde", &Options::RappelSauvegarde, &Options::ModifierRappelSauvegarde);
    mise->addWidget(rappel);
    auto* frequence = Boite(page, QStringLiteral(" &Fréquence du rappel "), "BoiteFrequenceRappel");
    Choix(frequence,
          {QStringLiteral("Tous les 10 démarrages"), QStringLiteral("A chaque démarrage")},
          "FrequenceRappel", &Options::FrequenceRappel, &Options::ModifierFrequenceRappel,
          [rappel] { return rappel->isChecked(); });
    auto* retrait = new QHBoxLayout;
    retrait->addSpacing(24);
    retrait->addWidget(frequence, 1);
    mise->addLayout(retrait);
    frequence->setEnabled(rappel->isChecked());
    connect(rappel, &QCheckBox::toggled, frequence, &QWidget::setEnabled);
    QWidget* caseMiseAJour =
        Case(page, QStringLiteral("&Vérifier automatiquement les mises à jour"), "CaseMiseAJour",
             &Options::RappelMiseAJourDisponible, &Options::ModifierRappelMiseAJourDisponible);
    // A program built without the address of the version document cannot check.
    if (Programme::AdresseMiseAJour().isEmpty()) {
        caseMiseAJour->setEnabled(false);
        caseMiseAJour->setToolTip(QStringLiteral(
            "Cette version de Tavelin a été construite sans vérification des mises à "
            "jour."));
    }
    mise->addWidget(caseMiseAJour);
    mise->addStretch(1);
    return page;
}

// ---- "Divers" ----------------------------------------------------------------------------------

QWidget* TFormOptions::PageDivers() {
    auto* page = new QWidget;
    auto* mise = new QVBoxLayout(page);
    mise->addWidget(Case(page, QStringLiteral("&Afficher la barre d'outils"), "CaseBarreOutils",
                         &Options::AfficherBarreOutils, &Options::ModifierAfficherBarreOutils));
    mise->addWidget(Case(page, QStringLiteral("&Taille maximum de la fenêtre au démarrage"),
                         "CaseTailleMaximum", &Options::TailleMaximumAuDemarrage,
                         &Options::ModifierTailleMaximumAuDemarrage));
    mise->addWidget(Case(page, QStringLiteral("Afficher &l'heure"), "CaseHeure",
                         &Options::AfficherHeure, &Options::ModifierAfficherHeure));
    mise->addWidget(Case(page, QStringLiteral("Afficher la &date"), "CaseDate",
                         &Options::AfficherDate, &Options::ModifierAfficherDate));
    mise->addWidget(Case(page, QStringLiteral("F&ichier .bak quand on sauve"), "CaseBak",
                         &Options::FichierBak, &Options::ModifierFichierBak));
    auto* ligne = new QHBoxLayout;
    QCheckBox* info =
        Case(page, QStringLiteral("A&fficher les fenêtres d'informations"), "CaseFenetreInfo",
             &Options::AfficherFenetreInfo, &Options::ModifierAfficherFenetreInfo);
    ligne->addWidget(info);
    auto* libelle = new QLabel(QStringLiteral("Couleur du fond"), page);
    TBoutonCouleur* fond = Couleur(
        page, QStringLiteral("Couleur du fond"), "CouleurFenetreInfo", &Options::CouleurFenetreInfo,
        &Options::ModifierCouleurFenetreInfo, &Options::CouleurFenetreInfoParDefaut);
    ligne->addSpacing(16);
    ligne->addWidget(libelle);
    ligne->addWidget(fond);
    ligne->addStretch(1);
    mise->addLayout(ligne);
    mise->addWidget(Case(page, QStringLiteral("Affich&er (R) pour les élèves redoublants"),
                         "CaseAfficherR", &Options::AfficherR, &Options::ModifierAfficherR));
    mise->addWidget(Case(page, QStringLiteral("Afficher la date de &naissance des élèves"),
                         "CaseDatesDeNaissance", &Options::AfficherDatesDeNaissance,
                         &Options::ModifierAfficherDatesDeNaissance));
    mise->addStretch(1);
    return page;
}

// ---- "Impression" ------------------------------------------------------------------------------

QWidget* TFormOptions::ListeACocher(QWidget* parent, quint8 type, const QString& titre) {
    auto* boite = new QWidget(parent);
    auto* mise = new QGridLayout(boite);
    mise->setContentsMargins(0, 0, 0, 0);
    auto* liste = new QListWidget(boite);
    liste->setObjectName(QStringLiteral("ListeInclure") + QString::number(type));
    QLabel* libelle = Libelle(titre, liste);
    const TInclureImpression& inclure = Options::InclureImpression(type);
    for (int i = 0; i < inclure.NombreLignes(); ++i) {
        auto* element = new QListWidgetItem(inclure.Libelles().at(i), liste);
        element->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        element->setCheckState(inclure.Inclure(i) ? Qt::Checked : Qt::Unchecked);
    }
    auto* tout = Bouton(boite, QStringLiteral("Tout &sélectionner"), "BoutonToutSelectionner");
    auto* rien = Bouton(boite, QStringLiteral("Tout &désélectionner"), "BoutonToutDeselectionner");
    auto cocher = [liste](Qt::CheckState etat) {
        for (int i = 0; i < liste->count(); ++i)
            liste->item(i)->setCheckState(etat);
    };
    connect(tout, &QPushButton::clicked, liste, [cocher] { cocher(Qt::Checked); });
    connect(rien, &QPushButton::clicked, liste, [cocher] { cocher(Qt::Unchecked); });
    mise->addWidget(libelle, 0, 0, 1, 2);
    mise->addWidget(liste, 1, 0, 1, 2);
    mise->addWidget(tout, 2, 0);
    mise->addWidget(rien, 2, 1);
    ecritures.append([liste, type] {
        TInclureImpression inclusions(type);
        for (int i = 0; i < liste->count(); ++i)
            inclusions.ModifierInclure(i, liste->item(i)->checkState() == Qt::Checked);
        auto reglages = OuvrirReglages();
        reglages->beginGroup(QStringLiteral("Inclure impression"));
        const bool stocke = reglages->childGroups().contains(TInclureImpression::NomDuType(type));
        reglages.reset();
        if (!stocke || Options::InclureImpression(type).Inclusions() != inclusions.Inclusions())
            Options::EnregistrerInclureImpression(type, inclusions);
    });
    return boite;
}

QWidget* TFormOptions::PageImpression() {
    auto* page = new QWidget;
    auto* mise = new QVBoxLayout(page);
    ongletsImpression = new QTabWidget(page);
    ongletsImpression->setObjectName(QStringLiteral("OngletsImpression"));
    const QStringList noms = SousPagesImpression();

    auto colonne = [](QWidget* onglet, QWidget* liste) {
        auto* mise = new QHBoxLayout(onglet);
        auto* droite = new QVBoxLayout;
        if (liste) mise->addWidget(liste, 1);
        mise->addLayout(droite, 1);
        return droite;
    };

    auto* series = new QWidget;
    QVBoxLayout* d = colonne(
        series,
        ListeACocher(series, TInclureImpression::SeriesDeNotes,
                     QStringLiteral("Lignes à inclure à l'impression des séries de notes :")));
    d->addWidget(Case(series, QStringLiteral("&Numéroter les élèves"), "CaseNumeroterSeries",
                      &Options::NumeroterElevesSeriesDeNotes,
                      &Options::ModifierNumeroterElevesSeriesDeNotes));
    d->addWidget(Case(series, QStringLiteral("&Inclure la colonne des\nmoyennes"),
                      "CaseColonneMoyenne", &Options::ImpressionColonneMoyenne,
                      &Options::ModifierImpressionColonneMoyenne));
    d->addWidget(Case(series, QStringLiteral("Im&primer la date de naissance"),
                      "CaseNaissanceSeries", &Options::ImpressionDatesDeNaissanceSeriesDeNotes,
                      &Options::ModifierImpressionDatesDeNaissanceSeriesDeNotes));
    d->addWidget(Case(series, QStringLiteral("I&mprimer (R) pour les élèves\nredoublants"),
                      "CaseRSeries", &Options::ImpressionRSeriesDeNotes,
                      &Options::ModifierImpressionRSeriesDeNotes));
    d->addStretch(1);
    ongletsImpression->addTab(series, noms.at(0));

    auto* bilans = new QWidget;
    d = colonne(bilans,
                ListeACocher(bilans, TInclureImpression::Bilans,
                             QStringLiteral("Lignes à inclure à l'impression des bilans :")));
    d->addWidget(Case(bilans, QStringLiteral("&Inclure une colonne par type de notes"),
                      "CaseColonnesDetaillees", &Options::ColonnesBilanDetaillees,
                      &Options::ModifierColonnesBilanDetaillees));
    d->addWidget(Case(bilans, QStringLiteral("&Numéroter les élèves"), "CaseNumeroterBilans",
                      &Options::NumeroterElevesBilans, &Options::ModifierNumeroterElevesBilans));
    QCheckBox* classement =
        Case(bilans, QStringLiteral("I&mprimer la colonne classement"), "CaseColonneClassement",
             &Options::ImpressionColonneClassement, &Options::ModifierImpressionColonneClassement);
    d->addWidget(classement);
    auto* tri =
        Boite(bilans, QStringLiteral(" &Classement des moyennes bulletin "), "BoiteTriImpression");
    Choix(tri, {QStringLiteral("Ascendant"), QStringLiteral("Descendant")}, "TriImpression",
          &Options::TrierMoyennesImpression, &Options::ModifierTrierMoyennesImpression);
    tri->setEnabled(classement->isChecked());
    connect(classement, &QCheckBox::toggled, tri, &QWidget::setEnabled);
    d->addWidget(tri);
    d->addWidget(Case(bilans, QStringLiteral("Im&primer la date de naissance"),
                      "CaseNaissanceBilans", &Options::ImpressionDatesDeNaissanceBilans,
                      &Options::ModifierImpressionDatesDeNaissanceBilans));
    d->addWidget(Case(bilans, QStringLiteral("Imprimer (R) pour les élèves re&doublants"),
                      "CaseRBilans", &Options::ImpressionRBilans,
                      &Options::ModifierImpressionRBilans));
    d->addWidget(Case(bilans, QStringLiteral("Imprim&er les moyennes 'Ecrit' et 'Oral'"),
                      "CaseEcritOral", &Options::ImpressionMoyennesEcritOral,
                      &Options::ModifierImpressionMoyennesEcritOral));
    d->addStretch(1);
    ongletsImpression->addTab(bilans, noms.at(1));

    auto* vierge = new QWidget;
    d = colonne(vierge, ListeACocher(vierge, TInclureImpression::GrilleVierge,
                                     QStringLiteral("Lignes à inclure à l'impression de la "
                                                    "grille vierge :")));
    d->addWidget(Case(vierge, QStringLiteral("&Numéroter les élèves"), "CaseNumeroterVierge",
                      &Options::NumeroterElevesGrilleVierge,
                      &Options::ModifierNumeroterElevesGrilleVierge));
    QSpinBox* largeur =
        Nombre(vierge, "LargeurGrilleVierge", 1, 255, Options::LargeurGrilleVierge(),
               [](int v) { Options::ModifierLargeurGrilleVierge(quint8(v)); });
    d->addLayout(LigneNombre(QStringLiteral("&Largeur des colonnes"), largeur));
    d->addWidget(Case(vierge, QStringLiteral("Im&primer la date de naissance"),
                      "CaseNaissanceVierge", &Options::ImpressionDatesDeNaissanceGrilleVierge,
                      &Options::ModifierImpressionDatesDeNaissanceGrilleVierge));
    d->addWidget(Case(vierge, QStringLiteral("I&mprimer (R) pour les élèves\nredoublants"),
                      "CaseRVierge", &Options::ImpressionRGrilleVierge,
                      &Options::ModifierImpressionRGrilleVierge));
    d->addStretch(1);
    ongletsImpression->addTab(vierge, noms.at(2));

    auto* appreciations = new QWidget;
    d = colonne(appreciations, nullptr);
    d->addWidget(Case(appreciations, QStringLiteral("&Numéroter les élèves"),
                      "CaseNumeroterAppreciations", &Options::NumeroterElevesAppreciations,
                      &Options::ModifierNumeroterElevesAppreciations));
    d->addWidget(Case(appreciations, QStringLiteral("Im&primer la date de naissance"),
                      "CaseNaissanceAppreciations",
                      &Options::ImpressionDatesDeNaissanceAppreciations,
                      &Options::ModifierImpressionDatesDeNaissanceAppreciations));
    d->addWidget(Case(appreciations, QStringLiteral("I&mprimer (R) pour les élèves\nredoublants"),
                      "CaseRAppreciations", &Options::ImpressionRAppreciations,
                      &Options::ModifierImpressionRAppreciations));
    d->addStretch(1);
    ongletsImpression->addTab(appreciations, noms.at(3));

    mise->addWidget(ongletsImpression, 1);
    mise->addWidget(Case(page, QStringLiteral("Utiliser la coloration des notes à l'impression"),
                         "CaseCouleurImpression", &Options::ImpressionCouleurNote,
                         &Options::ModifierImpressionCouleurNote));
    return page;
}

// ---- The editable lists ------------------------------------------------------------------------

TListeEditable* TFormOptions::Liste(const TTextesListe& textes, const QStringList& elements,
                                    const QString& cle, void (*enregistrer)(const QStringList&)) {
    auto* liste = new TListeEditable(textes, elements);
    ecritures.append([liste, cle, enregistrer] {
        const QStringList actuels = liste->Elements();
        if (!ListeDejaStockee(cle, actuels)) enregistrer(actuels);
    });
    return liste;
}

QWidget* TFormOptions::PageTypesDeNotes() {
    TTextesListe t;
    t.objet = QStringLiteral("TypesDeNotes");
    t.libelleChamp = QStringLiteral("&Type de notes :");
    t.questionDefaut = QStringLiteral("Revenir à la liste des types de notes par défaut ?");
    t.titreImport =
        QStringLiteral("Sélectionnez le fichier texte contenant la liste des types de notes");
    t.titreExport =
        QStringLiteral("Sélectionnez le fichier texte où sauver la liste des types de notes");
    t.libelleToutSupprimer = QStringLiteral("S&upprimer tous les types de notes de la liste");
    t.questionToutSupprimer =
        QStringLiteral("Etes-vous sûr(e) de vouloir supprimer tous les types de notes ?");
    t.messageMinimum = QStringLiteral("La liste des types de notes ne peut pas être vide : elle "
                                      "reprend les types de notes par défaut.");
    t.bulle = QStringLiteral("Types de notes");
    t.parDefaut = &Options::TypesDeNotesParDefaut;
    t.minimum = 1;
    listeTypes = Liste(t, Options::ChargerTypesDeNotes(), QStringLiteral("Types de notes"),
                       &Options::EnregistrerTypesDeNotes);
    return listeTypes;
}

QWidget* TFormOptions::PageMatieres() {
    TTextesListe t;
    t.objet = QStringLiteral("Matieres");
    t.libelleChamp = QStringLiteral("&Matière :");
    t.questionDefaut = QStringLiteral("Revenir à la liste des matières par défaut ?");
    t.titreImport = QStringLiteral("Sélectionnez le fichier texte contenant la liste des matières");
    t.titreExport = QStringLiteral("Sélectionnez le fichier texte où sauver la liste des matières");
    t.libelleToutSupprimer = QStringLiteral("S&upprimer toutes les matières de la liste");
    t.questionToutSupprimer =
        QStringLiteral("Etes-vous sûr(e) de vouloir supprimer toutes les matières ?");
    t.bulle = QStringLiteral("Matières");
    t.parDefaut = &Options::ReinitialiserMatieres;
    t.viderApresAjout = true;
    listeMatieres = Liste(t, Options::ChargerMatieres(), QStringLiteral("Matieres"),
                          &Options::EnregistrerMatieres);
    return listeMatieres;
}

QWidget* TFormOptions::PageEnseignants() {
    TTextesListe t;
    t.objet = QStringLiteral("Enseignants");
    t.libelleChamp = QStringLiteral("&Nom de l'enseignant :");
    t.questionDefaut = QStringLiteral("Revenir à la liste des utilisateurs par défaut ?");
    t.titreImport =
        QStringLiteral("Sélectionnez le fichier texte contenant la liste des enseignants");
    t.titreExport =
        QStringLiteral("Sélectionnez le fichier texte où sauver la liste des enseignants");
    t.libelleToutSupprimer = QStringLiteral("S&upprimer tous les enseignants de la liste");
    t.questionToutSupprimer =
        QStringLiteral("Etes-vous sûr(e) de vouloir supprimer tous les enseignants ?");
    t.bulle = QStringLiteral("Liste des enseignants utilisant Tavelin");
    t.parDefaut = &Options::UtilisateursParDefaut;
    t.deuxColonnes = true;
    listeEnseignants = Liste(t, Options::ChargerUtilisateurs(), QStringLiteral("Utilisateurs"),
                             &Options::EnregistrerUtilisateurs);
    return listeEnseignants;
}

// ---- "Graphes" ---------------------------------------------------------------------------------

QWidget* TFormOptions::PageGraphes() {
    auto* page = new QWidget;
    auto* mise = new QVBoxLayout(page);
    auto* cases = new QGridLayout;
    cases->addWidget(Case(page, QStringLiteral("Graphe en &3D"), "CaseGraphe3D", &Options::Graphe3D,
                          &Options::ModifierGraphe3D),
                     0, 0);
    cases->addWidget(Case(page, QStringLiteral("&Dégradé de couleur"), "CaseDegrade",
                          &Options::GrapheDegrade, &Options::ModifierGrapheDegrade),
                     0, 1);
    cases->addWidget(Case(page, QStringLiteral("Graphe en &couleur"), "CaseGrapheCouleur",
                          &Options::GrapheEnCouleur, &Options::ModifierGrapheEnCouleur),
                     1, 0);
    cases->addWidget(Case(page, QStringLiteral("Afficher la &légende"), "CaseLegende",
                          &Options::GrapheLegende, &Options::ModifierGrapheLegende),
                     1, 1);
    mise->addLayout(cases);

    auto* lignes = Boite(page, QStringLiteral(" Lignes "), "BoiteLignes");
    auto* g = new QGridLayout(lignes);
    struct Ligne {
        const char* texte;
        const char* nomCase;
        bool (*lire)();
        void (*ecrire)(bool);
        const char* nomCouleur;
        qint32 (*couleur)();
        void (*ecrireCouleur)(qint32);
        qint32 (*defaut)();
    };
    const Ligne tableau[] = {
        {"&Notes de l'élève", "CaseLigneEleve", &Options::GrapheLigneEleve,
         &Options::ModifierGrapheLigneEleve, "CouleurEleve", &Options::CouleurEleve,
         &Options::ModifierCouleurEleve, &Options::CouleurEleveParDefaut},
        {"M&in. de la classe", "CaseLigneMin", &Options::GrapheLigneMin,
         &Options::ModifierGrapheLigneMin, "CouleurMin", &Options::CouleurMin,
         &Options::ModifierCouleurMin, &Options::CouleurMinParDefaut},
        {"M&ax. de la classe", "CaseLigneMax", &Options::GrapheLigneMax,
         &Options::ModifierGrapheLigneMax, "CouleurMax", &Options::CouleurMax,
         &Options::ModifierCouleurMax, &Options::CouleurMaxParDefaut},
        {"M&oy. de la classe", "CaseLigneMoyenne", &Options::GrapheLigneMoyenne,
         &Options::ModifierGrapheLigneMoyenne, "CouleurMoyenne", &Options::CouleurMoyenne,
         &Options::ModifierCouleurMoyenne, &Options::CouleurMoyenneParDefaut},
    };
    for (const Ligne& l : tableau) {
        const QString texte = QString::fromUtf8(l.texte);
        QCheckBox* c = Case(lignes, texte, l.nomCase, l.lire, l.ecrire);
        LigneCouleur(g, c,
                     Couleur(lignes, QString(texte).remove(QLatin1Char('&')), l.nomCouleur,
                             l.couleur, l.ecrireCouleur, l.defaut));
    }
    g->setColumnStretch(0, 1);
    mise->addWidget(lignes);

    auto* fond = Boite(page, QStringLiteral(" Fond "), "BoiteFond");
    auto* f = new QGridLayout(fond);
    LignesCouleurs(f, fond,
                   {{QStringLiteral("Couleur de début"), QStringLiteral("Couleur de début"),
                     "CouleurDebutDegrade", &Options::CouleurDebutDegrade,
                     &Options::ModifierCouleurDebutDegrade, &Options::CouleurDebutDegradeParDefaut},
                    {QStringLiteral("Couleur de fin"), QStringLiteral("Couleur de fin"),
                     "CouleurFinDegrade", &Options::CouleurFinDegrade,
                     &Options::ModifierCouleurFinDegrade, &Options::CouleurFinDegradeParDefaut},
                    {QStringLiteral("Mur de gauche"), QStringLiteral("Mur de gauche"),
                     "CouleurMurGauche", &Options::CouleurMurGauche,
                     &Options::ModifierCouleurMurGauche, &Options::CouleurMurGaucheParDefaut},
                    {QStringLiteral("Mur du bas"), QStringLiteral("Mur du bas"), "CouleurMurBas",
                     &Options::CouleurMurBas, &Options::ModifierCouleurMurBas,
                     &Options::CouleurMurBasParDefaut}});
    f->setColumnStretch(0, 1);
    mise->addWidget(fond);
    mise->addStretch(1);
    return page;
}

// ---- "Moyennes" --------------------------------------------------------------------------------

QWidget* TFormOptions::PageMoyennes() {
    auto* page = new QWidget;
    auto* mise = new QGridLayout(page);
    QSpinBox* sur = Nombre(page, "MoyennesSur", 1, 1000, Options::MoyennesSur(),
                           [](int v) { Options::ModifierMoyennesSur(v); });
    mise->addLayout(LigneNombre(QStringLiteral("&Moyennes exprimées sur :"), sur), 0, 0, 1, 2);
    const QStringList arrondis = {QStringLiteral("Ne pas arrondir"),
                                  QStringLiteral("Au 1/10 de point"),
                                  QStringLiteral("Au 1/4 de point"), QStringLiteral("Au 1/2 point"),
                                  QStringLiteral("Spécial Brevet")};
    auto* arrondi =
        Boite(page, QStringLiteral(" A&rrondi des moyennes (sauf annuelles)"), "BoiteArrondi");
    Choix(arrondi, arrondis, "ArrondirMoyennes", &Options::ArrondirMoyennes,
          &Options::ModifierArrondirMoyennes);
    auto* annuel =
        Boite(page, QStringLiteral(" Arr&ondi des moyennes annuelles "), "BoiteArrondiAnnuel");
    Choix(annuel, arrondis, "ArrondirMoyennesAnnuelles", &Options::ArrondirMoyennesAnnuelles,
          &Options::ModifierArrondirMoyennesAnnuelles);
    auto* tri =
        Boite(page, QStringLiteral(" &Tri des moyennes dans les grilles de bilan "), "BoiteTri");
    Choix(tri, {QStringLiteral("Ordre croissant"), QStringLiteral("Ordre décroissant")},
          "TrierMoyennes", &Options::TrierMoyennes, &Options::ModifierTrierMoyennes);
    auto* calcul = Boite(page, QStringLiteral(" Ca&lcul de la moyenne annuelle"), "BoiteCalcul");
    Choix(calcul,
          {QStringLiteral("Moyenne des moyennes trimestrielles"),
           QStringLiteral("Moyenne de toutes les notes de l'année")},
          "TypeMoyennesAnnuelles", &Options::TypeMoyennesAnnuelles,
          &Options::ModifierTypeMoyennesAnnuelles);
    mise->addWidget(arrondi, 1, 0);
    mise->addWidget(annuel, 1, 1);
    mise->addWidget(tri, 2, 0);
    mise->addWidget(calcul, 2, 1);
    mise->addWidget(Case(page, QStringLiteral("&Une moy. par type de notes dans les bilans"),
                         "CaseMoyenneParType", &Options::MoyenneParTypeDeNotes,
                         &Options::ModifierMoyenneParTypeDeNotes),
                    3, 0, 1, 2);
    mise->addWidget(Case(page, QStringLiteral("&Moyennes 'Ecrit' et 'Oral' dans les bilans"),
                         "CaseEcritEtOral", &Options::MoyennesEcritEtOral,
                         &Options::ModifierMoyennesEcritEtOral),
                    4, 0, 1, 2);
    mise->setRowStretch(5, 1);
    return page;
}

// ---- The colour pages --------------------------------------------------------------------------

void TFormOptions::LignesCouleurs(QGridLayout* grille, QWidget* parent,
                                  std::initializer_list<TCouleurReglee> couleurs,
                                  QList<QWidget*>* boutons) {
    for (const TCouleurReglee& c : couleurs) {
        TBoutonCouleur* bouton = Couleur(parent, c.titre, c.nom, c.lire, c.ecrire, c.parDefaut);
        auto* libelle = new QLabel(c.libelle, grille->parentWidget());
        libelle->setWordWrap(true);
        LigneCouleur(grille, libelle, bouton, boutons);
    }
}

QWidget* TFormOptions::PageCouleurs(std::initializer_list<TCouleurReglee> couleurs,
                                    const QString& texteCase, const char* nomCase, bool (*lire)(),
                                    void (*ecrire)(bool)) {
    auto* page = new QWidget;
    auto* mise = new QVBoxLayout(page);
    // The grid is in the page before its rows are made: Tab then goes row by row.
    auto* g = new QGridLayout;
    mise->addLayout(g);
    QList<QWidget*> boutons;
    LignesCouleurs(g, page, couleurs, &boutons);
    g->setColumnStretch(0, 1);
    QCheckBox* coloration = Case(page, texteCase, nomCase, lire, ecrire);
    mise->addWidget(coloration);
    mise->addStretch(1);
    auto activer = [boutons](bool oui) {
        for (QWidget* b : boutons)
            b->setEnabled(oui);
    };
    activer(coloration->isChecked());
    connect(coloration, &QCheckBox::toggled, page, activer);
    return page;
}

QWidget* TFormOptions::PageCouleurGrilles() {
    return PageCouleurs(
        {{QStringLiteral("Lignes paires :"), QStringLiteral("Lignes paires"), "CouleurLignesPaires",
          &Options::LignesPaires, &Options::ModifierLignesPaires, &Options::LignesPairesParDefaut},
         {QStringLiteral("Lignes impaires :"), QStringLiteral("Lignes impaires"),
          "CouleurLignesImpaires", &Options::LignesImpaires, &Options::ModifierLignesImpaires,
          &Options::LignesImpairesParDefaut},
         {QStringLiteral("Cellule sélectionnée :"), QStringLiteral("Cellule sélectionnée"),
          "CouleurSelection", &Options::CouleurSelection, &Options::ModifierCouleurSelection,
          &Options::CouleurSelectionParDefaut},
         {QStringLiteral("Note en dehors des limites :"),
          QStringLiteral("Note en dehors des limites"), "Couleur5Note", &Options::Couleur5Note,
          &Options::ModifierCouleur5Note, &Options::Couleur5NoteParDefaut}},
        QStringLiteral("&Utiliser la coloration des grilles à l'écran"), "CaseColorationGrille",
        &Options::ColorationGrille, &Options::ModifierColorationGrille);
}

QWidget* TFormOptions::PageCouleurNotes() {
    return PageCouleurs(
        {{QStringLiteral("Note inférieure strictement à la moyenne"),
          QStringLiteral("Note inférieure strictement à la moyenne"), "Couleur1Note",
          &Options::Couleur1Note, &Options::ModifierCouleur1Note, &Options::Couleur1NoteParDefaut},
         {QStringLiteral("Note supérieure à la moyenne et inférieur au 3/4\nde la note "
                         "maximale"),
          QStringLiteral("Note supérieure à la moyenne"), "Couleur2Note", &Options::Couleur2Note,
          &Options::ModifierCouleur2Note, &Options::Couleur2NoteParDefaut},
         {QStringLiteral("Note strictement supérieure au 3/4 de la note\nmaximale"),
          QStringLiteral("Note strictement supérieure au 3/4"), "Couleur3Note",
          &Options::Couleur3Note, &Options::ModifierCouleur3Note, &Options::Couleur3NoteParDefaut},
         {QStringLiteral("Note mal saisie ou en dehors des limites :"),
          QStringLiteral("Note mal saisie ou en dehors des limites"), "Couleur4Note",
          &Options::Couleur4Note, &Options::ModifierCouleur4Note, &Options::Couleur4NoteParDefaut}},
        QStringLiteral("&Utiliser la coloration des notes à l'écran"), "CaseColorationNote",
        &Options::ColorationNote, &Options::ModifierColorationNote);
}

// ---- "Types de périodes" -----------------------------------------------------------------------

QWidget* TFormOptions::PageTypesDePeriodes() {
    // Created in the order of the keyboard: name, number, schemes, buttons, sub-periods.
    auto* page = new QWidget;
    editSchema = new QLineEdit(page);
    editSchema->setObjectName(QStringLiteral("EditSchema"));
    editSchema->setMaxLength(TListeEditable::LongueurMax);
    nombreSousPeriodes = new QSpinBox(page);
    nombreSousPeriodes->setObjectName(QStringLiteral("NombreSousPeriodes"));
    nombreSousPeriodes->setRange(1, MaxSousPeriodes);
    nombreSousPeriodes->setValue(3);
    listeSchemas = new QListWidget(page);
    listeSchemas->setObjectName(QStringLiteral("ListeSchemas"));
    boutonAjouterSchema =
        Bouton(page, QStringLiteral("&Ajouter à la liste"), "BoutonAjouterSchema");
    boutonSupprimerSchema =
        Bouton(page, QStringLiteral("&Supprimer de la liste"), "BoutonSupprimerSchema");
    auto* boutonDefaut = Bouton(page, QStringLiteral("&Liste par défaut"), "BoutonSchemasDefaut");
    listeSousPeriodes = new QListWidget(page);
    listeSousPeriodes->setObjectName(QStringLiteral("ListeSousPeriodes"));
    editSousPeriode = new QLineEdit(page);
    editSousPeriode->setObjectName(QStringLiteral("EditSousPeriode"));
    editSousPeriode->setMaxLength(TListeEditable::LongueurMax);

    auto* mise = new QGridLayout(page);
    mise->addWidget(Libelle(QStringLiteral("&Nom du type de périodes :"), editSchema), 0, 0);
    mise->addWidget(editSchema, 1, 0);
    mise->addLayout(LigneNombre(QStringLiteral("N&ombre de sous-périodes :"), nombreSousPeriodes),
                    2, 0);
    mise->addWidget(listeSchemas, 3, 0);
    auto* boutons = new QVBoxLayout;
    boutons->addWidget(boutonAjouterSchema);
    boutons->addWidget(boutonSupprimerSchema);
    boutons->addWidget(boutonDefaut);
    boutons->addStretch(1);
    mise->addLayout(boutons, 3, 1);
    mise->addWidget(Libelle(QStringLiteral("Sous-&périodes :"), listeSousPeriodes), 0, 2);
    mise->addWidget(listeSousPeriodes, 1, 2, 3, 1);
    mise->addWidget(Libelle(QStringLiteral("Nom de la sous-pé&riode :"), editSousPeriode), 4, 2);
    mise->addWidget(editSousPeriode, 5, 2);
    mise->setColumnStretch(0, 1);
    mise->setColumnStretch(2, 1);
    mise->setRowStretch(3, 1);

    listeSchemas->addItems(Options::NomsSchemasPeriodes());
    connect(listeSchemas, &QListWidget::currentRowChanged, this, &TFormOptions::SchemaChoisi);
    connect(editSchema, &QLineEdit::textChanged, this, &TFormOptions::ActualiserSchemas);
    IntercepterEntree(editSchema, [this] {
        if (!boutonAjouterSchema->isEnabled()) return false;
        AjouterSchema();
        return true;
    });
    connect(boutonAjouterSchema, &QPushButton::clicked, this, &TFormOptions::AjouterSchema);
    connect(boutonSupprimerSchema, &QPushButton::clicked, this, &TFormOptions::SupprimerSchema);
    connect(boutonDefaut, &QPushButton::clicked, this, &TFormOptions::SchemasParDefaut);
    connect(listeSousPeriodes, &QListWidget::currentRowChanged, this,
            &TFormOptions::SousPeriodeChoisie);
    connect(editSousPeriode, &QLineEdit::textEdited, this, &TFormOptions::SousPeriodeRenommee);
    listeSchemas->setCurrentRow(0);
    ActualiserSchemas();
    return page;
}

void TFormOptions::ActualiserSchemas() {
    const bool nom = !editSchema->text().trimmed().isEmpty();
    boutonAjouterSchema->setEnabled(nom);
    nombreSousPeriodes->setEnabled(nom);
    const int i = listeSchemas->currentRow();
    boutonSupprimerSchema->setEnabled(i >= SchemasIntegres);
    editSousPeriode->setEnabled(i >= SchemasIntegres && listeSousPeriodes->currentRow() >= 0);
}

void TFormOptions::SchemaChoisi() {
    remplissageSchemas = true;
    listeSousPeriodes->clear();
    editSousPeriode->clear();
    if (QListWidgetItem* schema = listeSchemas->currentItem()) {
        const QStringList noms = Options::NomsSousPeriodes(schema->text());
        listeSousPeriodes->addItems(noms);
        if (!noms.isEmpty())
            nombreSousPeriodes->setValue(std::clamp(int(noms.size()), 1, MaxSousPeriodes));
    }
    remplissageSchemas = false;
    ActualiserSchemas();
}

void TFormOptions::AjouterSchema() {
    const QString nom = editSchema->text().trimmed();
    if (nom.isEmpty()) return;
    QString refus = TListeEditable::Refus(nom);
    if (nom.contains(QLatin1Char('/')) || nom.contains(QLatin1Char('\\')))
        refus = QStringLiteral("les caractères « / » et « \\ » ne sont pas permis");
    if (!refus.isEmpty()) {
        Interlocuteur().Message(
            this, QApplication::applicationName(),
            QStringLiteral("« %1 » ne peut pas être ajouté : %2.").arg(nom, refus),
            TIcone::Avertissement);
        return;
    }
    if (TListeEditable::Rang(listeSchemas, nom) >= 0) {
        Interlocuteur().Message(
            this, QApplication::applicationName(),
            QStringLiteral("Le type de périodes « %1 » est déjà dans la liste.").arg(nom),
            TIcone::Information);
        return;
    }
    nombreSousPeriodes->interpretText();
    QStringList noms;
    for (int i = 1; i <= nombreSousPeriodes->value(); ++i)
        noms.append(nom + QLatin1Char(' ') + QString::number(i));
    Options::EnregistrerSchemaPeriodes(nom, noms);
    listeSchemas->addItem(nom);
    listeSchemas->setCurrentRow(listeSchemas->count() - 1);
    ActualiserSchemas();
}

void TFormOptions::SupprimerSchema() {
    const int i = listeSchemas->currentRow();
    if (i < SchemasIntegres) return;
    const QString nom = listeSchemas->item(i)->text();
    if (!Question(this, QStringLiteral("Supprimer le type de période : \"") + nom +
                            QStringLiteral("\" ?")))
        return;
    Options::SupprimerSchemaPeriodes(nom);
    delete listeSchemas->takeItem(i);
    listeSchemas->setCurrentRow(-1);
    SchemaChoisi();
}

void TFormOptions::SchemasParDefaut() {
    if (!Question(this, QStringLiteral("Revenir à la liste des types de périodes par défaut ?")))
        return;
    const QStringList noms = Options::ReinitialiserSchemasPeriodes();
    listeSchemas->clear();
    listeSchemas->addItems(noms);
    listeSchemas->setCurrentRow(0);
    ActualiserSchemas();
}

void TFormOptions::SousPeriodeChoisie() {
    ActualiserSchemas();
    if (remplissageSchemas || !editSousPeriode->isEnabled()) return;
    QListWidgetItem* element = listeSousPeriodes->currentItem();
    if (!element) return;
    editSousPeriode->setText(element->text());
    editSousPeriode->setFocus();
    editSousPeriode->selectAll();
}

void TFormOptions::SousPeriodeRenommee(const QString& texte) {
    QListWidgetItem* schema = listeSchemas->currentItem();
    const int i = listeSousPeriodes->currentRow();
    if (!schema || listeSchemas->currentRow() < SchemasIntegres || i < 0) return;
    const QString nom = texte.trimmed();
    // While the field is empty, names another sub-period or cannot be stored, the sub-period
    // keeps its previous name: a scheme never loses a period.
    if (nom.isEmpty() || TListeEditable::Rang(listeSousPeriodes, nom, i) >= 0 ||
        !TListeEditable::Refus(nom).isEmpty())
        return;
    if (listeSousPeriodes->item(i)->text() == nom) return;
    listeSousPeriodes->item(i)->setText(nom);
    Options::EnregistrerSchemaPeriodes(schema->text(), TListeEditable::Textes(listeSousPeriodes));
}

// ---- "Historique des fichiers" -----------------------------------------------------------------

QWidget* TFormOptions::PageHistorique() {
    auto* page = new QWidget;
    auto* mise = new QGridLayout(page);
    QCheckBox* utiliser =
        Case(page, QStringLiteral("A&fficher l'historique des fichiers"), "CaseHistorique",
             &Options::UtiliserHistorique, &Options::ModifierUtiliserHistorique);
    QSpinBox* nombre = Nombre(page, "NombreHistorique", 1, 20, Options::NbFichiersHistorique(),
                              [](int v) { Options::ModifierNbFichiersHistorique(quint8(v)); });
    QLabel* libelleNombre = Libelle(QStringLiteral("&Nombre de fichiers"), nombre);
    auto* liste = new QListWidget(page);
    liste->setObjectName(QStringLiteral("ListeHistorique"));
    auto* chemin = new QLabel(page);
    chemin->setObjectName(QStringLiteral("CheminHistorique"));
    chemin->setTextInteractionFlags(Qt::TextSelectableByMouse);
    chemin->setWordWrap(true);
    auto* supprimer =
        Bouton(page, QStringLiteral("&Supprimer de la liste"), "BoutonSupprimerHistorique");
    auto* vider =
        Bouton(page, QStringLiteral("&Vider l'historique des fichiers"), "BoutonViderHistorique");
    auto* retablir =
        Bouton(page, QStringLiteral("&Rétablir historique actuel"), "BoutonRetablirHistorique");

    auto* ligne = new QHBoxLayout;
    ligne->addWidget(utiliser);
    ligne->addSpacing(24);
    ligne->addWidget(libelleNombre);
    ligne->addWidget(nombre);
    ligne->addStretch(1);
    mise->addLayout(ligne, 0, 0, 1, 2);
    mise->addWidget(liste, 1, 0);
    auto* boutons = new QVBoxLayout;
    boutons->addWidget(supprimer);
    boutons->addWidget(vider);
    boutons->addWidget(retablir);
    boutons->addStretch(1);
    mise->addLayout(boutons, 1, 1);
    mise->addWidget(chemin, 2, 0, 1, 2);
    mise->setRowStretch(1, 1);

    // The chosen file's whole path is shown under the list.
    auto actualiser = [liste, chemin] {
        QListWidgetItem* element = liste->currentItem();
        chemin->setText(element ? QDir::toNativeSeparators(element->text()) : QString());
    };
    auto remplir = [liste, actualiser](const QStringList& fichiers) {
        liste->clear();
        liste->addItems(fichiers);
        liste->setCurrentRow(fichiers.isEmpty() ? -1 : 0);
        actualiser();
    };
    connect(utiliser, &QCheckBox::toggled, nombre, &QWidget::setEnabled);
    nombre->setEnabled(utiliser->isChecked());
    connect(liste, &QListWidget::currentRowChanged, chemin, actualiser);
    connect(supprimer, &QPushButton::clicked, liste, [liste, actualiser] {
        const int i = liste->currentRow();
        if (i < 0) return;
        delete liste->takeItem(i);
        liste->setCurrentRow(liste->count() > 0 ? 0 : -1);
        actualiser();
    });
    connect(vider, &QPushButton::clicked, liste, [remplir] { remplir({}); });
    connect(retablir, &QPushButton::clicked, liste,
            [remplir] { remplir(Options::ChargerHistorique()); });
    remplir(Options::ChargerHistorique());
    // Written after "nbFichiersHistorique": the history keeps that many files.
    ecritures.append([liste] {
        const QStringList elements = TListeEditable::Textes(liste);
        if (!ListeDejaStockee(QStringLiteral("Historique"), elements) ||
            elements.size() > Options::NbFichiersHistorique())
            Options::EnregistrerHistorique(elements);
    });
    return page;
}

// ---- "Onglets" ---------------------------------------------------------------------------------

QWidget* TFormOptions::PageOnglets() {
    auto* page = new QWidget;
    auto* mise = new QGridLayout(page);
    const QStringList cotes = {QStringLiteral("En haut"), QStringLiteral("A gauche"),
                               QStringLiteral("A droite"), QStringLiteral("En bas")};
    auto* notes = Boite(page, QStringLiteral(" Grille des &notes "), "BoiteOngletsNotes");
    Choix(notes, cotes, "OngletsGrillesNotes", &Options::OngletsGrillesNotes,
          &Options::ModifierOngletsGrillesNotes);
    auto* bilans = Boite(page, QStringLiteral(" Grille des &bilans "), "BoiteOngletsBilans");
    Choix(bilans, cotes, "OngletsGrillesBilans", &Options::OngletsGrillesBilans,
          &Options::ModifierOngletsGrillesBilans);
    auto* graphes = Boite(page, QStringLiteral(" &Graphes "), "BoiteOngletsGraphes");
    Choix(graphes, cotes, "OngletsGraphes", &Options::OngletsGraphes,
          &Options::ModifierOngletsGraphes);
    mise->addWidget(notes, 0, 0);
    mise->addWidget(bilans, 0, 1);
    mise->addWidget(graphes, 0, 2);

    QCheckBox* classes =
        Case(page, QStringLiteral("&Afficher des onglets pour passer d'une\nclasse à l'autre."),
             "CaseOngletsClasses", &Options::AfficherOngletsClasses,
             &Options::ModifierAfficherOngletsClasses);
    mise->addWidget(classes, 1, 0, 1, 3);
    auto* boiteType = Boite(page, QStringLiteral(" &Type d'onglets "), "BoiteTypeOnglets");
    QButtonGroup* type =
        Choix(boiteType,
              {QStringLiteral("Boutons plats"), QStringLiteral("Boutons normaux"),
               QStringLiteral("Onglets")},
              "OngletClasses", &Options::OngletClasses, &Options::ModifierOngletClasses,
              [classes] { return classes->isChecked(); });
    mise->addWidget(boiteType, 2, 0);

    // The preview: two classes as the frame would show them, above a window (the tabs, below).
    auto* apercu = new QStackedWidget(page);
    apercu->setObjectName(QStringLiteral("ApercuOnglets"));
    const QStringList exemples = {QStringLiteral("6e A"), QStringLiteral("4e B")};
    auto vue = [apercu](QWidget* onglets, bool dessous) {
        auto* cadre = new QWidget(apercu);
        auto* c = new QVBoxLayout(cadre);
        c->setContentsMargins(0, 0, 0, 0);
        if (!dessous) c->addWidget(onglets);
        auto* fenetre = new QLabel(cadre);
        fenetre->setFrameShape(QFrame::StyledPanel);
        fenetre->setMinimumHeight(40);
        c->addWidget(fenetre, 1);
        if (dessous) c->addWidget(onglets, 0, Qt::AlignLeft);
        apercu->addWidget(cadre);
    };
    for (int style = 0; style < 2; ++style) {
        auto* rangee = new QWidget(apercu);
        auto* r = new QHBoxLayout(rangee);
        r->setContentsMargins(0, 0, 0, 0);
        for (int i = 0; i < exemples.size(); ++i) {
            auto* b = new QToolButton(rangee);
            b->setText(exemples.at(i));
            b->setAutoRaise(style == 0);
            b->setCheckable(true);
            b->setChecked(i == exemples.size() - 1);
            b->setFocusPolicy(Qt::NoFocus);
            b->setToolButtonStyle(Qt::ToolButtonTextOnly);
            b->setMinimumWidth(70);
            r->addWidget(b);
        }
        r->addStretch(1);
        vue(rangee, false);
    }
    auto* barre = new QTabBar(apercu);
    barre->setShape(QTabBar::RoundedSouth);
    barre->setFocusPolicy(Qt::NoFocus);
    for (const QString& exemple : exemples)
        barre->addTab(exemple);
    barre->setCurrentIndex(exemples.size() - 1);
    vue(barre, true);
    mise->addWidget(apercu, 2, 1, 1, 2);

    QCheckBox* matiere = Case(page, QStringLiteral("Inclure &matière dans le libellé des boutons"),
                              "CaseMatiereOnglets", &Options::AfficherMatiereOnglets,
                              &Options::ModifierAfficherMatiereOnglets);
    mise->addWidget(matiere, 3, 0, 1, 3);
    mise->addWidget(Case(page, QStringLiteral("Inclure nom de l'&enseignant dans le libellé"),
                         "CaseEnseignantOnglets", &Options::AfficherNomEnseignantOnglets,
                         &Options::ModifierAfficherNomEnseignantOnglets),
                    4, 0, 1, 3);
    mise->setRowStretch(5, 1);

    auto actualiser = [classes, boiteType, type, matiere, apercu] {
        const bool montres = classes->isChecked();
        boiteType->setEnabled(montres);
        matiere->setEnabled(montres);
        apercu->setVisible(montres);
        const int style = type->checkedId();
        apercu->setCurrentIndex(style >= 0 && style <= 2 ? style : 1);
    };
    connect(classes, &QCheckBox::toggled, page, actualiser);
    connect(type, &QButtonGroup::idToggled, page, actualiser);
    actualiser();
    return page;
}
