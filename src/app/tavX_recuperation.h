#pragma once
// Autosave and recovery. Every few minutes (setting "intervalleSauvegardeAuto", in minutes,
// default 5, 0 for never) and when the desktop session ends, each modified class is written to
// a recovery file in the folder "recuperation" beside the user's settings, never over the
// class file itself. A recovery file goes when its class is saved or closed. At the next start
// after a crash or a power cut, the recovery files newer than their class files are offered
// back (Restaurer / Ignorer / Supprimer): a restored class opens in a sheet as a modified class
// that the teacher saves or not.
#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <functional>

class QWidget;
class TFeuilleClasse;
class TGestionnaireClasses;

class TRecuperation : public QObject {
    Q_OBJECT
public:
    TRecuperation(TGestionnaireClasses* gestionnaire, QObject* parent = nullptr);

    // The recovery folder, beside the settings.
    static QString Dossier();
    // Minutes between two autosaves (0: never).
    static int Intervalle();

    // A recovery file found at start-up.
    struct TFichierRecupere {
        QString recuperation; // the recovery file
        QString classe;       // the class file it stands for (empty for a class never saved)
        QDateTime date;       // when it was written
    };
    enum class TChoix { Restaurer, Ignorer, Supprimer };
    // The question asked for each file; a box with the three buttons by default (tests answer
    // through it).
    static std::function<TChoix(QWidget* parent, const TFichierRecupere& fichier)>& Question();

    // Writes every modified class to its recovery file now; the number written.
    int SauvegarderMaintenant();
    // The recovery files newer than their class files, oldest first (older ones are removed).
    static QList<TFichierRecupere> Trouver();
    // Offers each of them back.
    void ProposerRestauration(QWidget* parent);
    // Opens the recovery file in a sheet as the modified class of its file.
    TFeuilleClasse* Restaurer(const TFichierRecupere& fichier);

private:
    void Suivre(TFeuilleClasse* feuille);
    void Oublier(TFeuilleClasse* feuille);
    QString CheminPour(TFeuilleClasse* feuille);

    TGestionnaireClasses* gestionnaire;
    QTimer minuteur;
    // The recovery file of each sheet written so far.
    QHash<TFeuilleClasse*, QString> fichiers;
    int numeroNouvelle = 0;
};
