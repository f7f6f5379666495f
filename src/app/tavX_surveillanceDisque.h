#pragma once
// Class files changed on disk while they are open (a second copy of Tavelin on a shared folder,
// a sync program, the same USB stick used at home): when the program is activated, a sheet
// whose file changed says so and offers to reload it when it holds no unsaved change; saving
// over a file that changed since it was opened or last saved asks first, never overwriting
// it silently.
#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QString>

class QWidget;
class TFeuilleClasse;
class TGestionnaireClasses;

class TSurveillanceDisque : public QObject {
    Q_OBJECT
public:
    TSurveillanceDisque(TGestionnaireClasses* gestionnaire, QObject* parent = nullptr);

    // What the file is on disk: its time and size (nothing for a file that is not there).
    struct TEmpreinte {
        QString chemin;
        QDateTime date;
        qint64 taille = -1;
        bool operator==(const TEmpreinte&) const = default;
    };
    static TEmpreinte Empreinte(const QString& chemin);

    // Looks at every open sheet now (the program was activated).
    void Verifier();
    // Before a save to cible: false when the teacher does not want to overwrite a file changed
    // by another program.
    bool AvantEnregistrement(TFeuilleClasse* feuille, const QString& cible);
    void ApresEnregistrement(TFeuilleClasse* feuille, const QString& cible);

private:
    TGestionnaireClasses* gestionnaire;
    QHash<TFeuilleClasse*, TEmpreinte> empreintes;
    bool enCours = false;
};
