#include "tavX_conseils.h"

#include "tavX_options.h"
#include "tavX_programme.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace Conseils {

const QStringList& Liste() {
    static const QStringList conseils = {
        QStringLiteral("Tavelin est un logiciel écrit PAR un enseignant POUR les enseignants."),
        QStringLiteral(
            "Si vous êtes bivalents, vous pouvez importer la liste de vos élèves depuis un autre "
            "fichier et éviter ainsi d'avoir à la retaper..\r\n\r\nVoir \"Liste des élèves - "
            "Importer depuis un fichier\""),
        QStringLiteral("Vous pouvez très souvent obtenir un menu surgissant en cliquant avec le "
                       "bouton droit de la souris. Il vous donne accés plus rapidement aux "
                       "commandes usuelles."),
        QStringLiteral(
            "Vous pouvez obtenir les moyennes sur 20, sur 10, ... sur tout ce que vous voulez "
            "!\r\n\r\nVoir \"Fichier - Configurer - Moyennes\" ou cliquer avec le bouton droit "
            "sur le haut des colonnes \"Moyenne brute\" ou \"Moyenne bulletin\"."),
        QStringLiteral("Il est possible de créer une série de notes à partir de deux autres, par "
                       "exemple en prenant la moyenne des deux ou le maximum des "
                       "deux.\r\n\r\nVoir \"Séries de notes - Créer une série de notes à partir "
                       "de 2 autres\"."),
        QStringLiteral("Vous pouvez arrondir les moyennes au dixième de point, au quart de point, "
                       "au demi-point ou ne pas les arrondir du tout.\r\n\r\nVoir \"Fichier - "
                       "Configurer - Moyennes\""),
        QStringLiteral("Si l'organisation de l'année proposée par Tavelin (Trimestres ou "
                       "Semestres ou Mois) ne vous convient pas, vous pouvez créer vos propres "
                       "périodes.\r\n\r\nVoir \"Fichier - Configurer - Types de périodes\""),
        QStringLiteral("Si vous êtes professeur principal ou C.P.E, vous pouvez créer les "
                       "bulletins des élèves à partir des fichiers des différentes "
                       "matières.\r\n\r\nVoir \"Outils - Créer les bulletins des élèves\""),
        QStringLiteral("Si vous êtes professeur principal, vous pouvez créer les fichiers Tavelin "
                       "pour vos collègues dans les différentes matières.\r\n\r\nVoir \"Fichier "
                       "- Créer des fichiers pour les collègues\""),
        QStringLiteral("Si vous utilisez l'Internet avec vos collègues, vous pouvez envoyer vos "
                       "fichiers par courrier électronique depuis Tavelin. Il est ainsi possible "
                       "de récupérer très rapidement les moyennes de vos élèves pour créer un "
                       "bilan pour le conseil de classe.\r\n\r\nVoir \"Fichier - Envoyer le "
                       "fichier par courrier électronique\""),
        QStringLiteral("Il est possible de relire les fichiers de l'ancienne version de Tavelin "
                       "(bêta 6x et 1.0)."),
        QStringLiteral("Il est possible de fusionner plusieurs fichiers de Tavelin pour créer par "
                       "exemple un bilan matière par matière des résultats d'une "
                       "classe.\r\n\r\nVoir \"Outils - Fusionner plusieurs fichiers\""),
        QStringLiteral("Vous pouvez voir graphiquement la progression de vos élèves ou les situer "
                       "par rapport à la classe.\r\n\r\nVoir \"Vues - Graphes\""),
        QStringLiteral("Pour éviter de perdre vos données, Tavelin vous propose régulièrement de "
                       "réaliser les sauvegardes de vos fichiers.\r\n\r\nVoir \"Outils - "
                       "Sauvegarder vos fichiers\" et \"Fichier - Configurer - Au démarrage\""),
        QStringLiteral("Tavelin propose quelques types de notes par défaut (Contrôle en classe, "
                       "...) mais vous pouvez créer ceux que vous voulez.\r\n\r\nVoir \"Fichier "
                       "- Configurer - Types de notes\""),
        QStringLiteral("Vous pouvez ouvrir automatiquement à chaque démarrage de Tavelin les "
                       "fichiers que vous utilisez régulièrement.\r\n\r\nVoir \"Fichier - "
                       "Configurer - Au démarrage\""),
        QStringLiteral("Il est possible d'obtenir une moyenne par type de notes. Par exemple la "
                       "moyenne en Orthographe, la moyenne en Grammaire et la moyenne en "
                       "Expression écrite.\r\n\r\nVoir \"Fichier - Configurer - Moyennes\""),
        QStringLiteral("Vous pouvez personnaliser en partie l'interface de Tavelin.\r\n\r\nVoir "
                       "\"Fichier - Configurer - Onglets\""),
        QStringLiteral("La coloration des notes permet de situer rapidement les résultats d'un "
                       "élève. Elle peut être configurée comme vous voulez.\r\n\r\nVoir "
                       "\"Fichier - Configurer - Couleur des notes\""),
        QStringLiteral("Quand vous tapez des notes, utilisez le pavé numérique : la touche . "
                       "(point) fonctionne comme une virgule et simplifie votre saisie."),
        QStringLiteral("Quand vous tapez des notes, la touche - (moins) du pavé numérique tape "
                       "'abs' à votre place. La saisie des absences et la saisie des notes est "
                       "plus rapide."),
    };
    return conseils;
}

int NumeroEnCours() {
    bool ok = false;
    const int n = Options::NumeroConseilEnCours().trimmed().toInt(&ok);
    if (!ok || n < 1 || n > Liste().size()) return 1;
    return n;
}

int Suivant(int n) {
    return n >= Liste().size() ? 1 : n + 1;
}

int Precedent(int n) {
    return n <= 1 ? int(Liste().size()) : n - 1;
}

} // namespace Conseils

TFormConseilsDemarrage::TFormConseilsDemarrage(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Bienvenue dans ") + Programme::Titre());
    setModal(true);

    auto* panneau = new QFrame(this);
    panneau->setObjectName(QStringLiteral("PanneauConseil"));
    panneau->setFrameShape(QFrame::StyledPanel);
    panneau->setAutoFillBackground(true);
    QPalette palette = panneau->palette();
    palette.setColor(QPalette::Window, QColor(0xff, 0xff, 0xe2));
    palette.setColor(QPalette::WindowText, Qt::black);
    panneau->setPalette(palette);

    auto* image = new QLabel(panneau);
    image->setPixmap(Programme::Logo().scaledToWidth(96, Qt::SmoothTransformation));
    image->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto* entete = new QLabel(QStringLiteral("Le saviez-vous ..."), panneau);
    QFont police = entete->font();
    police.setBold(true);
    police.setPointSizeF(police.pointSizeF() * 1.4);
    entete->setFont(police);

    texte = new QLabel(panneau);
    texte->setWordWrap(true);
    texte->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    texte->setTextFormat(Qt::PlainText);
    texte->setMinimumSize(360, 150);

    compteur = new QLabel(panneau);
    compteur->setAlignment(Qt::AlignRight | Qt::AlignBottom);

    auto* colonne = new QVBoxLayout;
    colonne->addWidget(entete);
    colonne->addSpacing(8);
    colonne->addWidget(texte, 1);
    colonne->addWidget(compteur);
    auto* dispositionPanneau = new QHBoxLayout(panneau);
    dispositionPanneau->setContentsMargins(14, 14, 14, 10);
    dispositionPanneau->setSpacing(16);
    dispositionPanneau->addWidget(image);
    dispositionPanneau->addLayout(colonne, 1);

    caseAfficher =
        new QCheckBox(QStringLiteral("&Afficher cette boîte de dialogue à chaque démarrage"), this);
    caseAfficher->setChecked(Options::AfficherConseils());

    boutonPrecedent = new QPushButton(QStringLiteral("Conseil &précédent"), this);
    boutonSuivant = new QPushButton(QStringLiteral("Conseil &suivant"), this);
    boutonFermer = new QPushButton(QStringLiteral("&Fermer"), this);
    boutonPrecedent->setAutoDefault(false);
    boutonSuivant->setAutoDefault(false);
    boutonFermer->setDefault(true);
    connect(boutonPrecedent, &QPushButton::clicked, this,
            &TFormConseilsDemarrage::ConseilPrecedent);
    connect(boutonSuivant, &QPushButton::clicked, this, &TFormConseilsDemarrage::ConseilSuivant);
    connect(boutonFermer, &QPushButton::clicked, this, &QDialog::accept);

    auto* boutons = new QHBoxLayout;
    boutons->addWidget(boutonPrecedent);
    boutons->addWidget(boutonSuivant);
    boutons->addStretch(1);
    boutons->addWidget(boutonFermer);

    auto* disposition = new QVBoxLayout(this);
    disposition->addWidget(panneau, 1);
    disposition->addWidget(caseAfficher);
    disposition->addLayout(boutons);

    Afficher(Conseils::NumeroEnCours());
}

QString TFormConseilsDemarrage::TexteConseil() const {
    return Conseils::Liste().at(numero - 1);
}

QString TFormConseilsDemarrage::Compteur() const {
    return compteur->text();
}

void TFormConseilsDemarrage::Afficher(int n) {
    numero = n;
    QString affiche = TexteConseil();
    affiche.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    texte->setText(affiche);
    compteur->setText(QString::number(numero) + QLatin1Char('/') +
                      QString::number(Conseils::Liste().size()));
}

void TFormConseilsDemarrage::ConseilSuivant() {
    Afficher(Conseils::Suivant(numero));
    Options::ModifierNumeroConseilEnCours(QString::number(numero));
}

void TFormConseilsDemarrage::ConseilPrecedent() {
    Afficher(Conseils::Precedent(numero));
    Options::ModifierNumeroConseilEnCours(QString::number(numero));
}

void TFormConseilsDemarrage::hideEvent(QHideEvent* evenement) {
    QDialog::hideEvent(evenement);
    if (evenement->spontaneous()) return;
    // The next start shows the next tip.
    Options::ModifierAfficherConseils(caseAfficher->isChecked());
    Options::ModifierNumeroConseilEnCours(QString::number(Conseils::Suivant(numero)));
}
