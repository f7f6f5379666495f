#pragma once
// TActions: the commands shared by the main window, its tool bar and every class sheet, each one
// QAction registered once under an id (its text, shortcut, picture and tips are defined here).
// A window puts the registered action in its menus and tool bar; what the action does and when
// it can be chosen come apart, from whoever owns the work (DefinirCommande): the main window
// saves the active sheet, a printing unit would set "Imprimer" from its own folder. Actualiser()
// recomputes every enabled state; it runs when the active sheet changes and whenever a sheet
// brings its own commands up to date.
//
//   menu->addAction(TActions::Action(TActions::Id::Enregistrer));
//   TActions::DefinirCommande(TActions::Id::Imprimer, this, [this] { ... }, [this] { ... });
#include <QString>
#include <functional>

class QAction;
class QObject;

class TActions {
public:
    // Ids of the shared commands.
    struct Id {
        static constexpr char Nouvelle[] = "nouvelle";
        static constexpr char Ouvrir[] = "ouvrir";
        static constexpr char Fermer[] = "fermer";
        static constexpr char Configurer[] = "configurer";
        static constexpr char Enregistrer[] = "enregistrer";
        static constexpr char EnregistrerSous[] = "enregistrerSous";
        static constexpr char ToutEnregistrer[] = "toutEnregistrer";
        static constexpr char Imprimer[] = "imprimer";
        static constexpr char Quitter[] = "quitter";
        static constexpr char RecupererBak[] = "recupererBak";
        static constexpr char Calculatrice[] = "calculatrice";
        // Undo and redo in the active class; their texts name the step.
        static constexpr char Annuler[] = "annuler";
        static constexpr char Retablir[] = "retablir";
        // Tools of the main window, offered in the sheets' menus too.
        static constexpr char Fusionner[] = "fusionner";
        static constexpr char Sauvegarder[] = "sauvegarder";
        static constexpr char Bulletins[] = "bulletins";
    };

    // Creates the shared commands listed in Id, owned by proprietaire (the main window), and
    // registers them in place of any earlier ones.
    static void CreerActionsCommunes(QObject* proprietaire);

    // The action registered under the id; nullptr when there is none (or when it is gone).
    static QAction* Action(const QString& id);
    // Registers the action under the id, in place of any earlier one. The registry does not own
    // it: the action goes with its parent.
    static void Enregistrer(const QString& id, QAction* action);

    // What the action of the id does, and when it can be chosen (always when possible is empty),
    // for as long as contexte lives. Replaces any earlier command of the id. An action without a
    // command stays disabled.
    static void DefinirCommande(const QString& id, const QObject* contexte,
                                std::function<void()> executer,
                                std::function<bool()> possible = {});

    // Forgets every command defined for that context (a window that goes).
    static void RetirerCommandes(const QObject* contexte);

    // Enables every registered action as its command allows now.
    static void Actualiser();
};
