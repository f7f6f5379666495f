// tavelin: the desktop program. One copy runs per user: a later start hands its files to it.
#include "UniteFeuilleClasse.h"
#include "UnitePrincipale.h"
#include "_FormCreerBulletins.h"
#include "_FormImprimer.h"
#include "_FormOptions.h"
#include "_FormRappelSauvegarde.h"
#include "tavX_autoupdate.h"
#include "tavX_documentClasse.h"
#include "tavX_garde.h"
#include "tavX_instanceUnique.h"
#include "tavX_mesure.h"
#include "tavX_options.h"
#include "tavX_ouvrirOptions.h"
#include "tavX_programme.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTimer>
#include <QTranslator>

namespace {

// The last edge before Qt's event loop: the grids and commands catch their own failures, and
// whatever still escapes an event handler is logged here rather than ending the program with
// the teacher's unsaved work.
class TApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* destinataire, QEvent* evenement) override {
        bool traite = false;
        Tav::Garder("événement", nullptr,
                    [&] { traite = QApplication::notify(destinataire, evenement); });
        return traite;
    }
};

// Qt's own French texts (standard buttons, file dialogs, context menus): the copy shipped with the
// program (beside it, or in its installed data folder), else Qt's.
void ChargerTraductionQt(QApplication& application) {
    auto* traduction = new QTranslator(&application);
    const QString programme = QCoreApplication::applicationDirPath();
    const QStringList dossiers = {
        programme + QStringLiteral("/translations"),
        programme + QStringLiteral("/../share/tavelin/translations"),
        QLibraryInfo::path(QLibraryInfo::TranslationsPath),
    };
    for (const QString& dossier : dossiers) {
        if (traduction->load(QStringLiteral("qtbase_fr"), dossier)) {
            QApplication::installTranslator(traduction);
            return;
        }
    }
    delete traduction;
}

// With TAVELIN_QUITTER_APRES_DEMARRAGE=1 the program closes itself once the files given are open
// and the start-up windows are answered (each dismissed as by Escape): the start-and-quit check
// of the test suite and of the sanitizer runs.
void QuitterApresDemarrage(QWidget& fenetre, qsizetype fichiers) {
    if (qEnvironmentVariableIntValue("TAVELIN_QUITTER_APRES_DEMARRAGE") == 0) return;
    auto* sonde = new QTimer(&fenetre);
    QObject::connect(sonde, &QTimer::timeout, &fenetre, [&fenetre, fichiers, calme = 0]() mutable {
        if (auto* dialogue = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            dialogue->reject();
            calme = 0;
        } else if (fenetre.findChildren<QMdiSubWindow*>().size() >= fichiers && ++calme >= 3) {
            fenetre.close();
        }
    });
    sonde->start(50);
}

} // namespace

int main(int argc, char* argv[]) {
    Mesure::DepuisLancement();
    TApplication application(argc, argv);
    QApplication::setApplicationName(Programme::Nom());
    // The desktop entry installed with the program (its name and icon in the task bar).
    QGuiApplication::setDesktopFileName(QStringLiteral("tavelin"));
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    ChargerTraductionQt(application);
    Mesure::Ecrire(QStringLiteral("application prête %1 ms après le lancement du processus")
                       .arg(Mesure::DepuisLancement(), 0, 'f', 1));

    const QStringList arguments = QApplication::arguments().mid(1);
    QStringList absolus;
    for (const QString& argument : arguments)
        absolus.append(QFileInfo(QDir::current(), argument).absoluteFilePath());

    TInstanceUnique instance;
    if (instance.DemarrerOuTransmettre(absolus)) {
        Mesure::Ecrire(QStringLiteral("fichiers remis à la copie de Tavelin déjà ouverte"));
        return 0;
    }

    // The options dialog, from the menus and from the dialogs' "new value" buttons.
    TFormTavelin2::Extensions().options = [](QWidget* parent) { TFormOptions::Ouvrir(parent); };
    TFormTavelin2::Extensions().imprimer = [](TFeuilleClasse* feuille) {
        Impression::OuvrirImprimer(feuille, feuille->Fichier(), feuille->Logo());
    };
    // The backup window, from the menus and as the start-up reminder.
    TFormTavelin2::Extensions().rappelSauvegarde = &TFormRappelSauvegarde::Ouvrir;
    // The update check, when the program was built with the address of the version document.
    if (!Programme::AdresseMiseAJour().isEmpty())
        TFormTavelin2::Extensions().miseAJour = [](QWidget* parent) {
            MiseAJour::VerifierMiseAJour(parent, QUrl(Programme::AdresseMiseAJour()));
        };
    TFormTavelin2 fenetre(arguments, QDir::currentPath());
    Dialogues::DefinirOuvertureOptions(
        [&fenetre](QWidget* parent, const QString& page, const QString& sousPage) {
            TFormOptions::Ouvrir(parent, page, sousPage);
            fenetre.NotifHistorique();
        });
    // The report cards, from the files of the open classes too (saved first when the teacher
    // agrees).
    TFormCreerBulletins::Installer(&fenetre, [&fenetre] {
        QList<TFormCreerBulletins::TClasseOuverte> classes;
        for (TFeuilleClasse* feuille : fenetre.Gestionnaire()->Feuilles()) {
            QPointer<TFeuilleClasse> garde(feuille);
            classes.append({feuille->Document().Chemin(), feuille->Document().EstModifie(),
                            [garde] { return garde && garde->Enregistrer(); }});
        }
        return classes;
    });
    QObject::connect(&instance, &TInstanceUnique::fichiersRecus, &fenetre,
                     &TFormTavelin2::RecevoirFichiers);
    fenetre.show();
    QuitterApresDemarrage(fenetre, arguments.size());
    Mesure::Ecrire(QStringLiteral("fenêtre principale créée %1 ms après le lancement du processus")
                       .arg(Mesure::DepuisLancement(), 0, 'f', 1));
    const int code = QApplication::exec();
    Options::TerminerReglages();
    return code;
}
