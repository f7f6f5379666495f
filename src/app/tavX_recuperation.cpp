#include "tavX_recuperation.h"

#include "UniteFeuilleClasse.h"
#include "tavX_documentClasse.h"
#include "tavX_ecritureSure.h"
#include "tavX_fichierTav.h"
#include "tavX_gestionnaireClasses.h"
#include "tavX_globales.h"
#include "tavX_options.h"
#include "tavX_programme.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QSessionManager>
#include <QSettings>

namespace {

const QString ExtensionChemin = QStringLiteral(".chemin");

TRecuperation::TChoix QuestionStandard(QWidget* parent,
                                       const TRecuperation::TFichierRecupere& fichier) {
    const QString nom =
        fichier.classe.isEmpty()
            ? QStringLiteral("une nouvelle classe jamais enregistrée")
            : QStringLiteral("\"%1\"").arg(QDir::toNativeSeparators(fichier.classe));
    QMessageBox boite(
        QMessageBox::Question, Programme::Nom(),
        QStringLiteral("Tavelin ne s'est pas fermé normalement.\n\nUne copie non enregistrée de "
                       "%1, faite le %2, a été retrouvée.\n\nVoulez-vous la restaurer ?")
            .arg(nom, QLocale().toString(fichier.date, QStringLiteral("dddd d MMMM yyyy 'à' "
                                                                      "HH:mm"))),
        QMessageBox::NoButton, parent);
    auto* restaurer = boite.addButton(QStringLiteral("&Restaurer"), QMessageBox::AcceptRole);
    auto* ignorer = boite.addButton(QStringLiteral("&Ignorer"), QMessageBox::RejectRole);
    auto* supprimer = boite.addButton(QStringLiteral("&Supprimer"), QMessageBox::DestructiveRole);
    boite.setDefaultButton(restaurer);
    boite.setEscapeButton(ignorer);
    boite.exec();
    if (boite.clickedButton() == restaurer) return TRecuperation::TChoix::Restaurer;
    if (boite.clickedButton() == supprimer) return TRecuperation::TChoix::Supprimer;
    return TRecuperation::TChoix::Ignorer;
}

void Supprimer(const QString& recuperation) {
    QFile::remove(recuperation);
    QFile::remove(recuperation + ExtensionChemin);
}

} // namespace

TRecuperation::TRecuperation(TGestionnaireClasses* g, QObject* parent)
    : QObject(parent), gestionnaire(g) {
    connect(gestionnaire, &TGestionnaireClasses::feuilleAjoutee, this,
            [this](TFeuilleClasse* feuille) { Suivre(feuille); });
    connect(gestionnaire, &TGestionnaireClasses::feuilleFermee, this,
            [this](TFeuilleClasse* feuille) { Oublier(feuille); });
    for (TFeuilleClasse* feuille : gestionnaire->Feuilles())
        Suivre(feuille);
    connect(&minuteur, &QTimer::timeout, this, [this] {
        SauvegarderMaintenant();
        minuteur.setInterval(std::max(1, Intervalle()) * 60 * 1000);
    });
    if (Intervalle() > 0) minuteur.start(Intervalle() * 60 * 1000);
    // The desktop session ends: nothing may be lost, whatever the teacher answers after.
    if (auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        connect(application, &QGuiApplication::commitDataRequest, this,
                [this](QSessionManager&) { SauvegarderMaintenant(); });
}

QString TRecuperation::Dossier() {
    const auto reglages = OuvrirReglages();
    return QFileInfo(reglages->fileName()).absolutePath() + QStringLiteral("/recuperation");
}

int TRecuperation::Intervalle() {
    return std::clamp(Globales::LireEntier(QStringLiteral("intervalleSauvegardeAuto"), 5), 0,
                      24 * 60);
}

std::function<TRecuperation::TChoix(QWidget*, const TRecuperation::TFichierRecupere&)>&
TRecuperation::Question() {
    static std::function<TChoix(QWidget*, const TFichierRecupere&)> question;
    return question;
}

void TRecuperation::Suivre(TFeuilleClasse* feuille) {
    // Saved: its recovery file is no longer needed.
    connect(&feuille->Document(), &TDocumentClasse::modifieChange, this,
            [this, feuille](bool modifie) {
                if (!modifie) Oublier(feuille);
            });
    connect(feuille, &QObject::destroyed, this, [this, feuille] { Oublier(feuille); });
}

void TRecuperation::Oublier(TFeuilleClasse* feuille) {
    const QString chemin = fichiers.take(feuille);
    if (!chemin.isEmpty()) Supprimer(chemin);
}

QString TRecuperation::CheminPour(TFeuilleClasse* feuille) {
    const QString classe = feuille->Fichier().NomFichier();
    QString nom;
    if (classe.isEmpty()) {
        nom = QStringLiteral("nouvelle-%1-%2")
                  .arg(QCoreApplication::applicationPid())
                  .arg(++numeroNouvelle);
    } else {
        nom = QString::fromLatin1(
            QCryptographicHash::hash(QFileInfo(classe).absoluteFilePath().toUtf8(),
                                     QCryptographicHash::Sha1)
                .toHex()
                .left(20));
    }
    return Dossier() + QLatin1Char('/') + nom + QStringLiteral(".tav");
}

int TRecuperation::SauvegarderMaintenant() {
    int ecrits = 0;
    const QList<TFeuilleClasse*> feuilles = gestionnaire->Feuilles();
    for (TFeuilleClasse* feuille : feuilles) {
        TFichierTav& classe = feuille->Fichier();
        if (!classe.EstModifie()) continue;
        QString chemin = fichiers.value(feuille);
        // A class saved under another name since: its recovery file follows the name.
        const QString attendu = !classe.NomFichier().isEmpty() ? CheminPour(feuille)
                                : chemin.isEmpty()             ? CheminPour(feuille)
                                                               : chemin;
        if (!chemin.isEmpty() && chemin != attendu) Supprimer(chemin);
        chemin = attendu;
        const QByteArray nomClasse =
            classe.NomFichier().isEmpty()
                ? QByteArray()
                : QFileInfo(classe.NomFichier()).absoluteFilePath().toUtf8();
        QDir().mkpath(Dossier());
        QString cause;
        try {
            if (!Tav::EcrireFichierSur(chemin + ExtensionChemin, nomClasse, &cause) ||
                !Tav::EcrireFichierSur(chemin, classe.Octets(), &cause)) {
                qWarning("Sauvegarde automatique impossible : %s", qPrintable(cause));
                continue;
            }
        } catch (const std::exception& e) {
            qWarning("Sauvegarde automatique impossible : %s", e.what());
            continue;
        }
        fichiers.insert(feuille, chemin);
        ++ecrits;
    }
    return ecrits;
}

QList<TRecuperation::TFichierRecupere> TRecuperation::Trouver() {
    QList<TFichierRecupere> liste;
    const QDir dossier(Dossier());
    const QFileInfoList fichiers =
        dossier.entryInfoList({QStringLiteral("*.tav")}, QDir::Files, QDir::Time | QDir::Reversed);
    for (const QFileInfo& info : fichiers) {
        QByteArray chemin;
        Tav::LireFichierOrdinaire(info.absoluteFilePath() + ExtensionChemin, 64 * 1024, chemin);
        TFichierRecupere f{info.absoluteFilePath(), QString::fromUtf8(chemin).trimmed(),
                           info.lastModified()};
        const QFileInfo classe(f.classe);
        // The class file was saved after the copy (by this program before it went, or by
        // another copy of it): the copy is stale.
        if (!f.classe.isEmpty() && classe.exists() && classe.lastModified() > f.date) {
            Supprimer(f.recuperation);
            continue;
        }
        liste.append(f);
    }
    return liste;
}

void TRecuperation::ProposerRestauration(QWidget* parent) {
    for (const TFichierRecupere& f : Trouver()) {
        const TChoix choix = Question() ? Question()(parent, f) : QuestionStandard(parent, f);
        if (choix == TChoix::Restaurer)
            Restaurer(f);
        else if (choix == TChoix::Supprimer)
            Supprimer(f.recuperation);
    }
}

TFeuilleClasse* TRecuperation::Restaurer(const TFichierRecupere& f) {
    TFeuilleClasse* feuille = gestionnaire->Ouvrir(f.recuperation);
    if (!feuille) return nullptr;
    feuille->Fichier().ModifierNomFichier(f.classe);
    // To be saved: modified, and no undo step can bring back a class "as on disk".
    feuille->Fichier().DefinirModifie(true);
    feuille->Document().EffacerHistorique();
    // The recovery file was opened, not chosen by the teacher: it leaves the file history.
    QStringList historique = Options::ChargerHistorique();
    const QString copie = QFileInfo(f.recuperation).absoluteFilePath();
    historique.removeIf([&copie](const QString& chemin) {
        return QFileInfo(chemin).absoluteFilePath().compare(copie, Qt::CaseInsensitive) == 0;
    });
    Options::EnregistrerHistorique(historique);
    if (!f.classe.isEmpty()) gestionnaire->AjouterAHistorique(f.classe);
    gestionnaire->ReconstruireMenusHistorique();
    // The sheet now stands for the class: its recovery file stays until it is saved or closed.
    fichiers.insert(feuille, f.recuperation);
    return feuille;
}
