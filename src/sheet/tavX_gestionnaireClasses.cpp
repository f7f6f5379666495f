#include "tavX_gestionnaireClasses.h"

#include "UniteFeuilleClasse.h"
#include "tavX_documentClasse.h"
#include "tavX_reglages.h"

#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace {

TFeuilleClasse* FeuilleDe(QMdiSubWindow* sous) {
    return sous ? qobject_cast<TFeuilleClasse*>(sous->widget()) : nullptr;
}

} // namespace

TExtensionsClasses& TGestionnaireClasses::Extensions() {
    static TExtensionsClasses extensions;
    return extensions;
}

TGestionnaireClasses::TGestionnaireClasses(QMdiArea* zone, QWidget* fenetre, QObject* parent)
    : QObject(parent), zone(zone), fenetre(fenetre) {
    qRegisterMetaType<TDocumentClasse*>();
    connect(zone, &QMdiArea::subWindowActivated, this, &TGestionnaireClasses::SousFenetreActivee);
}

void TGestionnaireClasses::SousFenetreActivee(QMdiSubWindow* sous) {
    TFeuilleClasse* feuille = FeuilleDe(sous);
    TDocumentClasse* document = feuille ? &feuille->Document() : nullptr;
    if (document == documentActif) return;
    documentActif = document;
    emit documentActifChange(document);
}

// ---- Open classes ------------------------------------------------------------------------------

TFeuilleClasse* TGestionnaireClasses::Ouvrir(const QString& chemin) {
    return TFeuilleClasse::Creer(this, chemin);
}

TFeuilleClasse* TGestionnaireClasses::OuvrirOuMontrer(const QString& chemin) {
    const QString absolu = QFileInfo(chemin).absoluteFilePath();
    TFeuilleClasse* premiere = nullptr;
    for (TFeuilleClasse* feuille : Feuilles()) {
        if (feuille->CheminFichier().isEmpty() ||
            feuille->CheminFichier().compare(absolu, Qt::CaseInsensitive) != 0)
            continue;
        QMdiSubWindow* sous = feuille->SousFenetre();
        if (sous->isMinimized()) sous->showMaximized();
        zone->setActiveSubWindow(sous);
        if (!premiere) premiere = feuille;
    }
    if (premiere) {
        // Several sheets may show the file: the first one found ends in front.
        zone->setActiveSubWindow(premiere->SousFenetre());
        return premiere;
    }
    return Ouvrir(chemin);
}

QList<TFeuilleClasse*> TGestionnaireClasses::Feuilles() const {
    QList<TFeuilleClasse*> feuilles;
    const QList<QMdiSubWindow*> sousFenetres = zone->subWindowList(QMdiArea::StackingOrder);
    for (auto it = sousFenetres.crbegin(); it != sousFenetres.crend(); ++it) {
        if (TFeuilleClasse* feuille = FeuilleDe(*it)) feuilles.append(feuille);
    }
    return feuilles;
}

TFeuilleClasse* TGestionnaireClasses::FeuilleActive() const {
    return FeuilleDe(zone->currentSubWindow());
}

TDocumentClasse* TGestionnaireClasses::DocumentActif() const {
    TFeuilleClasse* feuille = FeuilleActive();
    return feuille ? &feuille->Document() : nullptr;
}

void TGestionnaireClasses::ToutEnregistrer() {
    for (TFeuilleClasse* feuille : Feuilles())
        feuille->NotifEnregistrer();
}

bool TGestionnaireClasses::Fermer(TFeuilleClasse* feuille) {
    QMdiSubWindow* sous = feuille ? feuille->SousFenetre() : nullptr;
    if (!sous) return true;
    return sous->close();
}

bool TGestionnaireClasses::ToutFermer() {
    zone->closeAllSubWindows();
    return Feuilles().isEmpty();
}

QMdiSubWindow* TGestionnaireClasses::AjouterFeuille(TFeuilleClasse* feuille) {
    QMdiSubWindow* sous = zone->addSubWindow(feuille);
    sous->setAttribute(Qt::WA_DeleteOnClose);
    if (fenetre) sous->setWindowIcon(fenetre->windowIcon());
    emit feuilleAjoutee(feuille, sous);
    sous->showMaximized();
    return sous;
}

// ---- Services ----------------------------------------------------------------------------------

void TGestionnaireClasses::CommandeOptions() {
    const auto& options = Extensions().options;
    if (!options) return;
    // Every setting the dialog changes is announced; the views are refreshed once, when it
    // closes.
    {
        TReglages::TGroupeModifications groupe;
        options(fenetre);
    }
    // The history menus follow the list edited in the dialog (the history itself changes on
    // every save, so its key alone does not refresh the views).
    NotifHistorique();
}
