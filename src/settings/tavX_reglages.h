#pragma once

// TReglages: the settings announce their changes.
//
// Every writer of tavX_options.h reports here, after storing, each setting whose value really
// changed (a value written again, or a list saved unchanged, says nothing). Listeners connect
// once: the open classes follow the scale and the roundings of averages, the views their
// colours, without anyone calling them by hand.
//
// Two signals, in this order:
//   modifie(cle)              at once, for every change: cheap work only (a cache to drop);
//   modificationsTerminees()  when a batch of changes is over: the time to repaint. Outside a
//                             group it follows each modifie; inside a TGroupeModifications (the
//                             options dialog writes a dozen values) it comes once, when the
//                             outermost group closes, and only if something changed.
//
// Keys: the value name for a scalar setting ("moyennesSur", "couleur1Note" ...), "Chemin" for
// the program folder, the key of a list for a list ("Types de notes", "Periodes",
// "Historique" ...), "Inclure impression/<kind>" for a print-inclusion set.

#include <QObject>
#include <QString>

class TReglages : public QObject {
    Q_OBJECT

public:
    // What a setting reaches when it changes.
    enum TPortee {
        Aucune,    // nothing shown (start-up, reminders, history, printing ...)
        Affichage, // the views (colours, "(R)", dates of birth, tabs, graphs ...)
        Calculs,   // the calculations of every open class, and so the views
    };

    // The process-wide object (never destroyed: listeners may outlive the application object).
    static TReglages& Instance();
    static TPortee Portee(const QString& cle);

    // Reports a change of the stored value of a setting (the writers call it).
    void Annoncer(const QString& cle);
    bool GroupeOuvert() const { return profondeurGroupe > 0; }

    // Changes made while one exists end with a single modificationsTerminees.
    class TGroupeModifications {
    public:
        TGroupeModifications();
        ~TGroupeModifications();
        TGroupeModifications(const TGroupeModifications&) = delete;
        TGroupeModifications& operator=(const TGroupeModifications&) = delete;
    };

signals:
    void modifie(const QString& cle);
    void modificationsTerminees();

private:
    TReglages() = default;
    int profondeurGroupe = 0;
    bool changementsEnAttente = false;
};
