#include "tavX_apercuBulletins.h"

#include "tavX_interlocuteur.h"
#include "tavX_moteurBulletins.h"
#include "tavX_options.h"
#include "tavX_programme.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QToolBar>

namespace Bulletins {

QString NomDocument(const TJeu& jeu) {
    return NomDeFichierValide(QStringLiteral("Bulletins ") + jeu.classe + QStringLiteral(" - ") +
                              jeu.nomPeriode);
}

namespace {

void Echec(QWidget* parent, const QString& chemin, const QString& cause) {
    Interlocuteur().Message(parent, Programme::Nom(),
                            QStringLiteral("Le fichier \"%1\" n'a pas pu être enregistré.\n\n%2")
                                .arg(QDir::toNativeSeparators(chemin), cause),
                            TIcone::Erreur);
}

QString Destination(QWidget* parent, const TJeu& jeu, const QString& titre,
                    const QString& extension, const QString& description) {
    TDemandeFichier demande;
    demande.titre = titre;
    demande.dossier = QFileInfo(Options::Chemin()).absolutePath();
    demande.nomFichier = NomDocument(jeu) + QLatin1Char('.') + extension;
    demande.filtre = QStringLiteral("%1 *.%2|*.%2").arg(description, extension);
    demande.extensionParDefaut = extension;
    return Interlocuteur().FichierAEnregistrer(parent, demande);
}

} // namespace

void MontrerApercu(QWidget* parent, const TJeu& jeu) {
    const TMiseEnPage miseEnPage(jeu.cartes);
    QPrinter imprimante(QPrinter::HighResolution);
    imprimante.setPageLayout(MiseEnPageA4());
    imprimante.setDocName(NomDocument(jeu));
    QPrintPreviewDialog apercu(&imprimante, parent);
    apercu.setWindowTitle(QStringLiteral("Aperçu des bulletins — %1").arg(NomDocument(jeu)));
    apercu.resize(900, 760);
    QObject::connect(&apercu, &QPrintPreviewDialog::paintRequested, &apercu,
                     [&miseEnPage](QPrinter* p) {
                         p->setPageLayout(MiseEnPageA4());
                         miseEnPage.Dessiner(*p);
                     });
    if (QToolBar* barre = apercu.findChild<QToolBar*>()) {
        barre->addSeparator();
        barre
            ->addAction(QStringLiteral("PDF"), &apercu,
                        [&] {
                            const QString chemin =
                                Destination(&apercu, jeu, QStringLiteral("Exporter en PDF"),
                                            QStringLiteral("pdf"), QStringLiteral("Document PDF"));
                            QString cause;
                            if (!chemin.isEmpty() && !EcrirePdf(chemin, miseEnPage, &cause))
                                Echec(&apercu, chemin, cause);
                        })
            ->setToolTip(QStringLiteral("Exporter les bulletins de la classe dans un fichier PDF"));
        barre
            ->addAction(
                QStringLiteral("PDF par élève"), &apercu,
                [&] {
                    const QString dossier = QFileDialog::getExistingDirectory(
                        &apercu, QStringLiteral("Dossier des bulletins PDF"),
                        QFileInfo(Options::Chemin()).absolutePath());
                    if (dossier.isEmpty()) return;
                    QString cause;
                    QStringList ecrits;
                    const bool ok = EcrirePdfParEleve(
                        dossier, miseEnPage,
                        [&](const QString& chemin) {
                            return Interlocuteur().Question(
                                &apercu, Programme::Nom(),
                                QStringLiteral("Le fichier \"%1\" existe déjà.\n\nVoulez-vous le "
                                               "remplacer ?")
                                    .arg(QDir::toNativeSeparators(chemin)));
                        },
                        &ecrits, &cause);
                    if (!ok)
                        Echec(&apercu, dossier, cause);
                    else
                        Interlocuteur().Message(
                            &apercu, Programme::Nom(),
                            QStringLiteral("%1 bulletin(s) enregistré(s) dans le dossier \"%2\".")
                                .arg(ecrits.size())
                                .arg(QDir::toNativeSeparators(dossier)),
                            TIcone::Information);
                })
            ->setToolTip(QStringLiteral("Un fichier PDF par élève dans un dossier"));
        barre
            ->addAction(QStringLiteral("ODT"), &apercu,
                        [&] {
                            const QString chemin = Destination(
                                &apercu, jeu, QStringLiteral("Exporter en ODT"),
                                QStringLiteral("odt"), QStringLiteral("Document OpenDocument"));
                            QString cause;
                            if (!chemin.isEmpty() && !EcrireOdt(chemin, jeu.cartes, &cause))
                                Echec(&apercu, chemin, cause);
                        })
            ->setToolTip(QStringLiteral("Exporter pour un traitement de texte (OpenDocument)"));
        barre
            ->addAction(QStringLiteral("RTF"), &apercu,
                        [&] {
                            const QString chemin =
                                Destination(&apercu, jeu, QStringLiteral("Exporter en RTF"),
                                            QStringLiteral("rtf"), QStringLiteral("Document RTF"));
                            QString cause;
                            if (!chemin.isEmpty() && !EcrireRtf(chemin, jeu.cartes, &cause))
                                Echec(&apercu, chemin, cause);
                        })
            ->setToolTip(QStringLiteral("Exporter pour un traitement de texte (RTF)"));
    }
    apercu.exec();
}

} // namespace Bulletins
