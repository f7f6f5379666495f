#include "tavX_surveillanceDisque.h"

#include "UniteFeuilleClasse.h"
#include "tavX_fichierTav.h"
#include "tavX_gestionnaireClasses.h"
#include "tavX_interlocuteur.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMdiSubWindow>
#include <QPointer>

TSurveillanceDisque::TSurveillanceDisque(TGestionnaireClasses* g, QObject* parent)
    : QObject(parent), gestionnaire(g) {
    connect(gestionnaire, &TGestionnaireClasses::feuilleAjoutee, this,
            [this](TFeuilleClasse* feuille) {
                empreintes.insert(feuille, Empreinte(feuille->Fichier().NomFichier()));
                connect(feuille, &QObject::destroyed, this,
                        [this, feuille] { empreintes.remove(feuille); });
            });
    connect(gestionnaire, &TGestionnaireClasses::feuilleFermee, this,
            [this](TFeuilleClasse* feuille) { empreintes.remove(feuille); });
    if (auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        connect(application, &QGuiApplication::applicationStateChanged, this,
                [this](Qt::ApplicationState etat) {
                    if (etat == Qt::ApplicationActive) Verifier();
                });
    auto& extensions = TGestionnaireClasses::Extensions();
    extensions.avantEnregistrement = [this](TFeuilleClasse* feuille, const QString& cible) {
        return AvantEnregistrement(feuille, cible);
    };
    extensions.apresEnregistrement = [this](TFeuilleClasse* feuille, const QString& cible) {
        ApresEnregistrement(feuille, cible);
    };
    connect(this, &QObject::destroyed, [] {
        TGestionnaireClasses::Extensions().avantEnregistrement = nullptr;
        TGestionnaireClasses::Extensions().apresEnregistrement = nullptr;
    });
}

TSurveillanceDisque::TEmpreinte TSurveillanceDisque::Empreinte(const QString& chemin) {
    TEmpreinte e;
    if (chemin.isEmpty()) return e;
    const QFileInfo info(chemin);
    e.chemin = info.absoluteFilePath();
    if (info.exists()) {
        e.date = info.lastModified();
        e.taille = info.size();
    }
    return e;
}

void TSurveillanceDisque::Verifier() {
    if (enCours) return;
    enCours = true;
    const QList<TFeuilleClasse*> feuilles = gestionnaire->Feuilles();
    for (TFeuilleClasse* f : feuilles) {
        QPointer<TFeuilleClasse> feuille(f);
        if (!empreintes.contains(f)) continue;
        const TEmpreinte connue = empreintes.value(f);
        if (connue.chemin.isEmpty()) continue;
        const TEmpreinte actuelle = Empreinte(connue.chemin);
        if (actuelle == connue || actuelle.taille < 0) continue;
        // Asked once per change.
        empreintes.insert(f, actuelle);
        const QString nom = QDir::toNativeSeparators(connue.chemin);
        if (f->Fichier().EstModifie()) {
            Interlocuteur().Message(
                f, QStringLiteral("Tavelin"),
                QStringLiteral("Le fichier \"%1\" a été modifié par un autre programme.\n\nVous "
                               "avez des modifications non enregistrées : la version affichée "
                               "est gardée. Avant de l'enregistrer, Tavelin vous demandera s'il "
                               "faut écraser l'autre version.")
                    .arg(nom),
                TIcone::Avertissement);
            // The save must still ask: the version saved is not the one on disk.
            empreintes.insert(f, connue);
            continue;
        }
        if (!Question(f, QStringLiteral("Le fichier \"%1\" a été modifié par un autre programme."
                                        "\n\nVoulez-vous le recharger ? (Non garde la version "
                                        "affichée.)")
                             .arg(nom)))
            continue;
        // Reloaded: the sheet is closed (it holds no change) and the file opened again.
        if (!feuille || !gestionnaire->Fermer(feuille)) continue;
        gestionnaire->Ouvrir(connue.chemin);
    }
    enCours = false;
}

bool TSurveillanceDisque::AvantEnregistrement(TFeuilleClasse* feuille, const QString& cible) {
    const auto it = empreintes.constFind(feuille);
    if (it == empreintes.cend() || it->chemin.isEmpty()) return true;
    if (QFileInfo(cible).absoluteFilePath() != it->chemin) return true;
    const TEmpreinte actuelle = Empreinte(it->chemin);
    if (actuelle == *it || actuelle.taille < 0) return true;
    return QuestionNonParDefaut(feuille, QStringLiteral("Le fichier a été modifié par un autre "
                                                        "programme depuis son ouverture. "
                                                        "L'écraser ?"));
}

void TSurveillanceDisque::ApresEnregistrement(TFeuilleClasse* feuille, const QString& cible) {
    if (empreintes.contains(feuille)) empreintes.insert(feuille, Empreinte(cible));
}
