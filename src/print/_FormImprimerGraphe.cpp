#include "_FormImprimerGraphe.h"

#include "_FormImprimer.h"
#include "tavX_ecritureSure.h"
#include "tavX_interlocuteur.h"

#include <QBuffer>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QVBoxLayout>

TFormImprimerGraphe::TFormImprimerGraphe(const QString& nom, const QImage& apercu, TDessin dessiner,
                                         QWidget* parent)
    : QDialog(parent), nom(nom), apercu(apercu), dessiner(std::move(dessiner)) {
    setObjectName(QStringLiteral("FormImprimerGraphe"));
    setWindowTitle(QStringLiteral("Imprimer graphe de") + QLatin1Char(' ') + nom);
    auto* disposition = new QVBoxLayout(this);
    auto* image = new QLabel(this);
    image->setPixmap(
        QPixmap::fromImage(apercu.scaled(480, 320, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    image->setFrameShape(QFrame::Box);
    disposition->addWidget(image, 1, Qt::AlignCenter);
    auto* boutons = new QHBoxLayout;
    auto* imprimer = new QPushButton(QStringLiteral("&Imprimer"), this);
    auto* pdf = new QPushButton(QStringLiteral("Fichier P&DF ..."), this);
    auto* configurer = new QPushButton(QStringLiteral("&Configurer impression ..."), this);
    auto* annuler = new QPushButton(QStringLiteral("&Annuler"), this);
    imprimer->setDefault(true);
    for (QPushButton* b : {imprimer, pdf, configurer, annuler})
        boutons->addWidget(b);
    disposition->addLayout(boutons);
    connect(imprimer, &QPushButton::clicked, this, [this] {
        if (Imprimer()) accept();
    });
    connect(pdf, &QPushButton::clicked, this, [this] {
        TDemandeFichier demande;
        demande.titre = QStringLiteral("Enregistrer en PDF");
        demande.nomFichier = this->nom + QStringLiteral(".pdf");
        demande.filtre = QStringLiteral("Document PDF *.pdf|*.pdf");
        demande.extensionParDefaut = QStringLiteral("pdf");
        const QString chemin = Interlocuteur().FichierAEnregistrer(this, demande);
        if (chemin.isEmpty()) return;
        QString cause;
        if (EnregistrerPdf(chemin, &cause))
            accept();
        else
            Erreur(this, QStringLiteral("Le fichier PDF n'a pas pu être enregistré : ") + cause);
    });
    connect(configurer, &QPushButton::clicked, this, [this] {
        if (!QPrinterInfo::availablePrinterNames().isEmpty())
            Impression::ConfigurerImpression(this);
    });
    connect(annuler, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormImprimerGraphe::DessinerPage(QPainter& peintre, const QSizeF& page) const {
    QFont police = peintre.font();
    police.setPixelSize(std::max(8, int(page.height() / 50)));
    peintre.setFont(police);
    const qreal titre = QFontMetricsF(police).height() * 2;
    peintre.drawText(QRectF(0, 0, page.width(), titre), Qt::AlignCenter, nom);
    QSizeF taille = QSizeF(apercu.size())
                        .scaled(QSizeF(page.width(), page.height() - titre), Qt::KeepAspectRatio);
    if (taille.isEmpty()) taille = QSizeF(page.width(), page.width() * 2 / 3);
    const QRectF cible(QPointF((page.width() - taille.width()) / 2, titre), taille);
    dessiner(peintre, cible);
}

bool TFormImprimerGraphe::Imprimer() {
    QPrinter& imprimante = Impression::Imprimante();
    imprimante.setDocName(QStringLiteral("Tavelin - ") + nom);
    QPainter peintre;
    if (!peintre.begin(&imprimante)) {
        Erreur(this, QStringLiteral("Impossible d'imprimer : l'imprimante n'a pas pu commencer "
                                    "l'impression"));
        return false;
    }
    DessinerPage(peintre, imprimante.pageRect(QPrinter::DevicePixel).size());
    return peintre.end();
}

bool TFormImprimerGraphe::EnregistrerPdf(const QString& chemin, QString* cause) const {
    QBuffer tampon;
    tampon.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&tampon);
        pdf.setResolution(300);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                      QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
        pdf.setTitle(QStringLiteral("Tavelin - ") + nom);
        QPainter peintre(&pdf);
        DessinerPage(peintre, QSizeF(pdf.width(), pdf.height()));
    }
    tampon.close();
    return Tav::EcrireFichierSur(chemin, tampon.data(), cause);
}
