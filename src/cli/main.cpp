// tavelin-cli: the command-line companion of Tavelin, for scripting and batch
// work on class files.
#include "commandes.h"

#include "tavX_exceptions.h"
#include "tavX_fichierTav.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>
#include <memory>

namespace {

struct Commande {
    const char* nom;
    int (*executer)(const QStringList&);
    const char* resume;
    // Lays out text with fonts, which needs a (windowless) graphical application.
    bool graphique = false;
};

const Commande commandes[] = {
    {"info", CommandeInfo, "affiche le contenu d'un fichier de classe (JSON)"},
    {"convert", CommandeConvert, "enregistre un fichier de classe au format actuel"},
    {"check", CommandeCheck, "vérifie un ou plusieurs fichiers de classe"},
    {"averages", CommandeAverages, "calcule moyennes, statistiques et classements (JSON)"},
    {"summary", CommandeSummary, "grille des bilans d'une période ou de l'année (JSON)"},
#ifdef TAV_CLI_IMPRESSION
    {"print", CommandePrint, "imprime notes, bilan, appréciations ou grille vierge en PDF", true},
#endif
    {"merge", CommandeMerge, "fusionne plusieurs fichiers d'une même classe"},
    {"clone", CommandeClone, "crée une copie vide de la classe pour chaque collègue"},
    {"export", CommandeExport, "exporte une classe par un greffon d'exportation"},
    {"report-cards", CommandeReportCards, "bulletins d'une classe (JSON, PDF, ODT, RTF)", true},
};

void AideGenerale() {
    QString texte = QStringLiteral(
        "Usage : tavelin-cli COMMANDE [ARGUMENTS...]\n\n"
        "Outil en ligne de commande de Tavelin, pour traiter des fichiers de classe (.tav).\n\n"
        "Commandes :\n");
    for (const Commande& c : commandes)
        texte +=
            QStringLiteral("  %1 %2\n")
                .arg(QString::fromLatin1(c.nom).leftJustified(10), QString::fromUtf8(c.resume));
    texte += QStringLiteral(
        "\n« tavelin-cli COMMANDE --help » décrit chaque commande.\n"
        "Codes de sortie : 0 succès, 1 fichier illisible ou invalide, 2 erreur d'utilisation.\n");
    Cli::Sortie(texte);
}

} // namespace

namespace Cli {

void Sortie(const QString& texte) {
    const QByteArray o = texte.toUtf8();
    std::fwrite(o.constData(), 1, size_t(o.size()), stdout);
    std::fflush(stdout);
}

void Erreur(const QString& texte) {
    const QByteArray o = texte.toUtf8();
    std::fwrite(o.constData(), 1, size_t(o.size()), stderr);
    std::fflush(stderr);
}

void SortieJson(const QJsonValue& valeur) {
    const QJsonDocument doc =
        valeur.isArray() ? QJsonDocument(valeur.toArray()) : QJsonDocument(valeur.toObject());
    Sortie(QString::fromUtf8(doc.toJson(QJsonDocument::Compact)) + QLatin1Char('\n'));
}

std::unique_ptr<TFichierTav> ChargerClasse(const QString& chemin) {
    auto f = std::make_unique<TFichierTav>(chemin, true, false);
    if (!f->EstValide()) {
        Erreur(QStringLiteral("%1 : %2\n").arg(chemin, f->CauseInvalidite()));
        return nullptr;
    }
    return f;
}

int ErreurUsage(const QString& commande, const QString& message) {
    Erreur(QStringLiteral("tavelin-cli %1 : %2\nEssayez « tavelin-cli %1 --help ».\n")
               .arg(commande, message));
    return 2;
}

bool DemandeAide(const QStringList& args, const QString& aide) {
    if (!args.contains(QStringLiteral("--help")) && !args.contains(QStringLiteral("-h")))
        return false;
    Sortie(aide);
    return true;
}

} // namespace Cli

int main(int argc, char** argv) {
    bool graphique = false;
    for (const Commande& c : commandes)
        graphique = graphique || (c.graphique && argc > 1 && qstrcmp(argv[1], c.nom) == 0);
    if (graphique && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::unique_ptr<QCoreApplication> application;
    if (graphique)
        application = std::make_unique<QGuiApplication>(argc, argv);
    else
        application = std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tavelin-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TAVELIN_VERSION));
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty()) {
        AideGenerale();
        return 2;
    }
    const QString nom = args.takeFirst();
    if (nom == QLatin1String("--help") || nom == QLatin1String("-h") ||
        nom == QLatin1String("help")) {
        AideGenerale();
        return 0;
    }
    if (nom == QLatin1String("--version")) {
        Cli::Sortie(QStringLiteral("tavelin-cli %1\n").arg(QStringLiteral(TAVELIN_VERSION)));
        return 0;
    }
    for (const Commande& c : commandes) {
        if (nom == QLatin1String(c.nom)) {
            try {
                return c.executer(args);
            } catch (const TTavException& e) {
                Cli::Erreur(QStringLiteral("tavelin-cli %1 : %2\n").arg(nom, e.Message()));
                return 1;
            }
        }
    }
    Cli::Erreur(QStringLiteral("tavelin-cli : commande inconnue « %1 ».\n").arg(nom));
    AideGenerale();
    return 2;
}
