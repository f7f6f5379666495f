// The graph page of the class sheet: its chart, the pop-up menu and the "G&raphes" commands
// (copy, export, print).
#include "UniteFeuilleClasse.h"

#include "_FormImprimerGraphe.h"
#include "tavX_ecritureSure.h"
#include "tavX_fichierTav.h"
#include "tavX_garde.h"
#include "tavX_grapheClasse.h"
#include "tavX_grilleFeuille.h"
#include "tavX_interlocuteur.h"
#include "tavX_options.h"
#include "tavX_panneauGrille.h"
#include "tavX_rangeeOnglets.h"

#include <QBuffer>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

void TFeuilleClasse::CreerGraphe() {
    graphe = new TGrapheClasse;
    panelGraphe->DefinirGrille(graphe);
    connect(graphe, &TGrapheClasse::menuDemande, this, [this](const QPoint& position) {
        Tav::Garder("menu du graphe", this, [&] { MenuGraphe(position); });
    });
}

void TFeuilleClasse::NotifGraphe(int periode, int eleve) {
    if (!graphe) return;
    const bool series =
        periode >= 1 && periode <= fichier->NombrePeriodes() && fichier->NombreSeries(periode) > 0;
    panelGraphe->AfficherGrille(series);
    grapheEleve = eleve >= 1 && eleve <= fichier->NombreEleves() ? eleve : 0;
    graphe->Dessiner(*fichier, periode, grapheEleve,
                     grapheEleve ? fichier->NomEleve(grapheEleve) : QString());
}

void TFeuilleClasse::RedessinerGraphe() {
    if (grilles.elevesGraphe)
        grilles.elevesGraphe->NotifPeriode(tabControlGraphes->Onglet() + 1, 0);
}

void TFeuilleClasse::MenuGraphe(const QPoint& position) {
    QMenu menu(this);
    menu.addAction(QStringLiteral("Turbo Menu \"Graphes\""))->setEnabled(false);
    menu.addSeparator();
    struct TOption {
        const char* texte;
        bool (*lire)();
        void (*modifier)(bool);
    };
    const TOption options[] = {
        {"Graphe en 3D", Options::Graphe3D, Options::ModifierGraphe3D},
        {"Dégradé de couleur", Options::GrapheDegrade, Options::ModifierGrapheDegrade},
        {"Graphe en couleur", Options::GrapheEnCouleur, Options::ModifierGrapheEnCouleur},
        {"Afficher la légende", Options::GrapheLegende, Options::ModifierGrapheLegende},
        {"Afficher ligne \"Elève\"", Options::GrapheLigneEleve, Options::ModifierGrapheLigneEleve},
        {"Afficher ligne \"Minimum\"", Options::GrapheLigneMin, Options::ModifierGrapheLigneMin},
        {"Afficher ligne \"Maximum\"", Options::GrapheLigneMax, Options::ModifierGrapheLigneMax},
        {"Afficher ligne \"Moyenne\"", Options::GrapheLigneMoyenne,
         Options::ModifierGrapheLigneMoyenne},
    };
    for (const TOption& o : options) {
        QAction* a = menu.addAction(QString::fromUtf8(o.texte));
        a->setCheckable(true);
        a->setChecked(o.lire());
        if (o.lire == Options::GrapheDegrade) a->setEnabled(Options::GrapheEnCouleur());
        connect(a, &QAction::triggered, this, [this, o] {
            o.modifier(!o.lire());
            RedessinerGraphe();
        });
    }
    menu.addSeparator();
    connect(menu.addAction(QStringLiteral("Coller dans le Presse-Papiers")), &QAction::triggered,
            this, [this] { CopierGraphe(); });
    connect(menu.addAction(QStringLiteral("Exporter ...")), &QAction::triggered, this,
            [this] { ExporterGraphe(); });
    connect(menu.addAction(QStringLiteral("Imprimer ...")), &QAction::triggered, this,
            [this] { ImprimerGraphe(); });
    menu.exec(position);
}

void TFeuilleClasse::CopierGraphe() {
    if (graphe) QGuiApplication::clipboard()->setImage(graphe->Image());
}

void TFeuilleClasse::ExporterGraphe() {
    if (!graphe) return;
    TDemandeFichier demande;
    demande.titre = QStringLiteral("Exporter le graphe");
    demande.filtre = QStringLiteral("Image PNG *.png|*.png|Image vectorielle SVG *.svg|*.svg|"
                                    "Fichier Bitmap *.bmp|*.bmp|Document PDF *.pdf|*.pdf");
    demande.extensionParDefaut = QStringLiteral("png");
    const QString chemin = Interlocuteur().FichierAEnregistrer(this, demande);
    if (chemin.isEmpty()) return;
    const QString extension = QFileInfo(chemin).suffix().toLower();
    QBuffer tampon;
    tampon.open(QIODevice::WriteOnly);
    if (extension == QLatin1String("pdf")) {
        QPdfWriter pdf(&tampon);
        pdf.setResolution(300);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageOrientation(QPageLayout::Landscape);
        QPainter peintre(&pdf);
        const QSizeF taille =
            QSizeF(graphe->size()).scaled(QSizeF(pdf.width(), pdf.height()), Qt::KeepAspectRatio);
        graphe->Rendre(peintre, QRectF(QPointF(0, 0), taille));
    } else if (extension == QLatin1String("svg")) {
        // Lines and texts stay vectors: the picture scales in a word processor or a slide.
        QSvgGenerator svg;
        svg.setOutputDevice(&tampon);
        svg.setSize(graphe->size());
        svg.setViewBox(QRect(QPoint(0, 0), graphe->size()));
        svg.setTitle(QStringLiteral("Graphe - ") + fichier->Classe());
        QPainter peintre(&svg);
        graphe->Rendre(peintre, QRectF(QPointF(0, 0), QSizeF(graphe->size())));
    } else {
        graphe->Image().save(&tampon, extension == QLatin1String("bmp") ? "BMP" : "PNG");
    }
    tampon.close();
    QString cause;
    if (!Tav::EcrireFichierSur(chemin, tampon.data(), &cause))
        Erreur(this, QStringLiteral("Le graphe n'a pas pu être exporté : ") + cause);
}

void TFeuilleClasse::ImprimerGraphe() {
    if (!graphe) return;
    const QString nom = grapheEleve ? fichier->NomEleve(grapheEleve) : QString();
    TFormImprimerGraphe fenetre(
        nom, graphe->Image(),
        [this](QPainter& peintre, const QRectF& cible) { graphe->Rendre(peintre, cible); }, this);
    fenetre.exec();
}
