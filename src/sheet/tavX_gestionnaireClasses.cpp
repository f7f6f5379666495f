#include "tavX_gestionnaireClasses.h"

#include "UniteFeuilleClasse.h"
#include "tavX_actions.h"
#include "tavX_documentClasse.h"
#include "tavX_menuHistorique.h"
#include "tavX_options.h"
#include "tavX_reglages.h"

#include <QAction>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

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
    // The history menus follow the history and its settings, whoever writes them.
    TReglages& reglages = TReglages::Instance();
    connect(&reglages, &TReglages::modifie, this, [this](const QString& cle) {
        if (cle == QLatin1String("Historique") || cle == QLatin1String("utiliserHistorique") ||
            cle == QLatin1String("nbFichiersHistorique"))
            historiqueARafraichir = true;
    });
    connect(&reglages, &TReglages::modificationsTerminees, this, [this] {
        if (std::exchange(historiqueARafraichir, false)) ReconstruireMenusHistorique();
    });
    // Undo and redo act on the active class.
    using Id = TActions::Id;
    TActions::DefinirCommande(
        Id::Annuler, this,
        [this] {
            if (TDocumentClasse* d = DocumentActif()) d->Annuler();
        },
        [this] { return DocumentActif() && DocumentActif()->PeutAnnuler(); });
    TActions::DefinirCommande(
        Id::Retablir, this,
        [this] {
            if (TDocumentClasse* d = DocumentActif()) d->Retablir();
        },
        [this] { return DocumentActif() && DocumentActif()->PeutRetablir(); });
    connect(this, &TGestionnaireClasses::documentActifChange, this,
            &TGestionnaireClasses::ActualiserAnnulation);
}

void TGestionnaireClasses::ActualiserAnnulation() {
    TDocumentClasse* d = DocumentActif();
    const QString annuler = d ? d->EtapeAAnnuler() : QString();
    const QString retablir = d ? d->EtapeARetablir() : QString();
    if (QAction* a = TActions::Action(TActions::Id::Annuler))
        a->setText(annuler.isEmpty() ? QStringLiteral("&Annuler")
                                     : QStringLiteral("&Annuler ") + annuler);
    if (QAction* a = TActions::Action(TActions::Id::Retablir))
        a->setText(retablir.isEmpty() ? QStringLiteral("&Rétablir")
                                      : QStringLiteral("&Rétablir ") + retablir);
    TActions::Actualiser();
}

// ---- File history ------------------------------------------------------------------------------

void TGestionnaireClasses::AjouterAHistorique(const QString& chemin) {
    if (chemin.isEmpty()) return;
    // The settings announce the new history: the menus follow.
    Options::AjouterFichierHistorique(chemin);
}

void TGestionnaireClasses::SuivreMenuHistorique(QMenu* menu, QAction* quitter) {
    if (!menu || !quitter) return;
    menusHistorique.append({menu, quitter});
    QPointer<TGestionnaireClasses> moi(this);
    MenuHistorique::Reconstruire(menu, quitter, [moi](const QString& chemin) {
        if (moi) moi->OuvrirOuMontrer(chemin);
    });
}

void TGestionnaireClasses::ReconstruireMenusHistorique() {
    historiqueARafraichir = false;
    menusHistorique.removeIf([](const TMenuHistorique& m) { return !m.menu || !m.quitter; });
    QPointer<TGestionnaireClasses> moi(this);
    for (const TMenuHistorique& m : std::as_const(menusHistorique))
        MenuHistorique::Reconstruire(m.menu, m.quitter, [moi](const QString& chemin) {
            if (moi) moi->OuvrirOuMontrer(chemin);
        });
    emit historiqueChange();
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
    // The texts of undo and redo follow the active class's history.
    TDocumentClasse* document = &feuille->Document();
    connect(document, &TDocumentClasse::historiqueChange, this, [this, document] {
        if (document == DocumentActif()) ActualiserAnnulation();
    });
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
    // The history menus follow the history's own settings (see the constructor).
    TReglages::TGroupeModifications groupe;
    options(fenetre);
}
