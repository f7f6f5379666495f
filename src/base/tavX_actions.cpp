#include "tavX_actions.h"

#include "tavX_programme.h"

#include <QAction>
#include <QHash>
#include <QKeySequence>
#include <QPointer>

namespace {

const char* const ProprieteId = "tavActionId";

struct TCommande {
    QPointer<const QObject> contexte;
    std::function<void()> executer;
    std::function<bool()> possible;

    bool Valide() const { return contexte && executer; }
};

QHash<QString, QPointer<QAction>>& Actions() {
    static QHash<QString, QPointer<QAction>> actions;
    return actions;
}

QHash<QString, TCommande>& Commandes() {
    static QHash<QString, TCommande> commandes;
    return commandes;
}

void Executer(const QString& id) {
    // A copy: the command may replace itself while it runs.
    const TCommande commande = Commandes().value(id);
    if (commande.Valide() && (!commande.possible || commande.possible())) commande.executer();
}

void Activer(const QString& id, QAction* action) {
    const auto trouvee = Commandes().constFind(id);
    bool possible = false;
    if (trouvee != Commandes().constEnd() && trouvee->Valide())
        possible = !trouvee->possible || trouvee->possible();
    action->setEnabled(possible);
}

// One shared command: the tool bar shows its picture and its tooltip, the menus its text only.
QAction* Creer(QObject* proprietaire, const QString& id, const QString& texte,
               const QString& aide = QString(), const QKeySequence& raccourci = QKeySequence()) {
    auto* action = new QAction(texte, proprietaire);
    action->setObjectName(id);
    if (!aide.isEmpty()) action->setStatusTip(aide);
    if (!raccourci.isEmpty()) action->setShortcut(raccourci);
    TActions::Enregistrer(id, action);
    return action;
}

void Image(QAction* action, Programme::TImage image, const QString& bulle) {
    action->setIcon(Programme::Icone(image));
    action->setIconVisibleInMenu(false);
    action->setToolTip(bulle);
}

} // namespace

void TActions::CreerActionsCommunes(QObject* p) {
    Image(Creer(p, Id::Nouvelle, QStringLiteral("&Nouvelle classe ..."),
                QStringLiteral("Créer une nouvelle classe"),
                QKeySequence(QStringLiteral("Ctrl+N"))),
          Programme::TImage::Nouveau, QStringLiteral("Créer une nouvelle classe"));
    Image(Creer(p, Id::Ouvrir, QStringLiteral("&Ouvrir ..."),
                QStringLiteral("Ouvrir le fichier d'une classe"),
                QKeySequence(QStringLiteral("Ctrl+O"))),
          Programme::TImage::Ouvrir, QStringLiteral("Ouvrir le fichier d'une classe"));
    Creer(p, Id::Fermer, QStringLiteral("&Fermer"));
    Image(Creer(p, Id::Configurer, QStringLiteral("Config&urer ..."),
                QStringLiteral("Régler les options")),
          Programme::TImage::Configurer, QStringLiteral("Configurer"));
    Image(Creer(p, Id::Enregistrer, QStringLiteral("Enregi&strer"), QStringLiteral("Enregistrer"),
                QKeySequence(QStringLiteral("Ctrl+S"))),
          Programme::TImage::Enregistrer, QStringLiteral("Enregistrer"));
    Creer(p, Id::EnregistrerSous, QStringLiteral("En&registrer sous ..."));
    Creer(p, Id::ToutEnregistrer, QStringLiteral("Tout &enregistrer"));
    Image(Creer(p, Id::Imprimer, QStringLiteral("Im&primer ..."), QStringLiteral("Imprimer"),
                QKeySequence(QStringLiteral("Ctrl+P"))),
          Programme::TImage::Imprimer, QStringLiteral("Imprimer"));
    Image(Creer(p, Id::Quitter, QStringLiteral("&Quitter"), QStringLiteral("Quitter"),
                QKeySequence(QStringLiteral("Ctrl+Q"))),
          Programme::TImage::Quitter, QStringLiteral("Quitter"));
    Creer(p, Id::RecupererBak, QStringLiteral("&Récupérer un fichier .bak"));
    Creer(p, Id::Calculatrice, QStringLiteral("Ca&lculatrice"));
    Creer(p, Id::Annuler, QStringLiteral("&Annuler"),
          QStringLiteral("Annuler la dernière modification"),
          QKeySequence(QStringLiteral("Ctrl+Z")));
    Creer(p, Id::Retablir, QStringLiteral("&Rétablir"),
          QStringLiteral("Rétablir la dernière modification annulée"))
        ->setShortcuts(
            {QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))});
    Creer(p, Id::Fusionner, QStringLiteral("&Fusionner plusieurs fichiers"));
    Creer(p, Id::Sauvegarder, QStringLiteral("&Sauvegarder vos fichiers"));
    Creer(p, Id::Bulletins, QStringLiteral("&Bulletins"));
    Actualiser();
}

QAction* TActions::Action(const QString& id) {
    return Actions().value(id);
}

void TActions::Enregistrer(const QString& id, QAction* action) {
    if (!action) {
        Actions().remove(id);
        return;
    }
    Actions().insert(id, action);
    if (action->property(ProprieteId).toString() != id) {
        action->setProperty(ProprieteId, id);
        QObject::connect(action, &QAction::triggered, action, [id] { Executer(id); });
    }
    Activer(id, action);
}

void TActions::DefinirCommande(const QString& id, const QObject* contexte,
                               std::function<void()> executer, std::function<bool()> possible) {
    Commandes().insert(id, {contexte, std::move(executer), std::move(possible)});
    if (QAction* action = Action(id)) Activer(id, action);
}

void TActions::RetirerCommandes(const QObject* contexte) {
    for (auto it = Commandes().begin(); it != Commandes().end();) {
        if (it->contexte == contexte || !it->contexte)
            it = Commandes().erase(it);
        else
            ++it;
    }
}

void TActions::Actualiser() {
    for (auto it = Actions().cbegin(); it != Actions().cend(); ++it)
        if (it.value()) Activer(it.key(), it.value());
}
