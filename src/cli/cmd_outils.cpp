// The file tools on the command line: merge of several classes, clone of a class, export through
// the plug-ins.
// Nobody can be asked here: an existing output is refused unless --remplacer is given, and
// every check is made before anything is written.
#include "commandes.h"
#include "options_communes.h"
#include "tavX_ecritureSure.h"

#include "tavX_fichierTav.h"
#include "tavX_fusionClonage.h"
#include "tavX_hoteExport.h"
#include "tavX_options.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QMultiMap>
#include <algorithm>

namespace {

// The "--option value" pairs and the free arguments of a command.
struct TArguments {
    QStringList libres;
    QMultiMap<QString, QString> options;
    bool remplacer = false;
    // The last value given to the option.
    QString Valeur(const QString& nom, const QString& defaut = QString()) const {
        return options.value(nom, defaut);
    }
};

// False with the usage message on error.
bool LireArguments(const QStringList& args, const QStringList& connues, TArguments& lus,
                   QString& erreur) {
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        if (a == QLatin1String("--remplacer")) {
            lus.remplacer = true;
        } else if (a.startsWith(QLatin1String("--"))) {
            if (!connues.contains(a)) {
                erreur = QStringLiteral("option inconnue « %1 »").arg(a);
                return false;
            }
            if (i + 1 >= args.size()) {
                erreur = QStringLiteral("valeur attendue après « %1 »").arg(a);
                return false;
            }
            lus.options.insert(a, args.at(++i));
        } else {
            lus.libres.append(a);
        }
    }
    return true;
}

// A message of the wizards, its lines ended by "\r\n", on one line.
QString SurUneLigne(QString message) {
    return message.replace(QStringLiteral("\r\n"), QStringLiteral(" ")).simplified();
}

// An error of a save or of a plug-in ("message\ncause") on one line of standard error.
void ErreurFichier(QString message) {
    Cli::Erreur(message.replace(QLatin1Char('\n'), QStringLiteral(" : ")) + QLatin1Char('\n'));
}

// The output must go into an existing folder; an existing file is replaced only with
// --remplacer, and a source file never.
bool SortieAcceptable(const QString& sortie, const QStringList& sources, bool remplacer) {
    const QFileInfo info(sortie);
    if (!info.absoluteDir().exists()) {
        Cli::Erreur(QStringLiteral("%1 : le dossier « %2 » n'existe pas.\n")
                        .arg(sortie, info.absolutePath()));
        return false;
    }
    for (const QString& source : sources)
        if (Tav::CheminCanonique(source) == Tav::CheminCanonique(sortie)) {
            Cli::Erreur(
                QStringLiteral("%1 : c'est un des fichiers d'origine ; il ne sera pas remplacé.\n")
                    .arg(sortie));
            return false;
        }
    if (info.exists() && !remplacer) {
        Cli::Erreur(QStringLiteral("%1 : le fichier existe déjà (--remplacer pour le remplacer).\n")
                        .arg(sortie));
        return false;
    }
    return true;
}

} // namespace

int CommandeMerge(const QStringList& args) {
    const QString cmd = QStringLiteral("merge");
    const QString aide = QStringLiteral(
        "Usage : tavelin-cli merge FICHIER FICHIER... --sortie SORTIE [options]\n\n"
        "Fusionne plusieurs fichiers d'une même classe (mêmes élèves, mêmes périodes)\n"
        "en un nouveau fichier, et affiche le chemin enregistré.\n\n"
        "  --periodes 1,3        périodes retenues (toutes par défaut)\n"
        "  --donnees D           bulletin (moyennes bulletin), types (moyennes par type\n"
        "                        de notes) ou series (toutes les séries) ; bulletin par "
        "défaut\n"
        "  --enseignant T  --classe C  --ecole E  --matiere M  --annee A  --remarque R\n"
        "  --sur S               note maximale des séries de moyennes (réglage par défaut)\n"
        "  --remplacer           remplace SORTIE si elle existe (jamais un fichier "
        "d'origine)\n");
    if (Cli::DemandeAide(args, aide)) return 0;
    TArguments a;
    QString erreur;
    const QStringList connues{"--sortie", "--periodes", "--donnees", "--enseignant", "--classe",
                              "--ecole",  "--matiere",  "--annee",   "--remarque",   "--sur"};
    if (!LireArguments(args, connues, a, erreur)) return Cli::ErreurUsage(cmd, erreur);
    const QString sortie = a.Valeur(QStringLiteral("--sortie"));
    if (sortie.isEmpty()) return Cli::ErreurUsage(cmd, QStringLiteral("--sortie attendu"));
    // The same file given twice is merged once.
    const QStringList fichiers = Cli::SansDoublons(a.libres);
    if (fichiers.size() < 2)
        return Cli::ErreurUsage(cmd, QStringLiteral("au moins deux fichiers différents attendus"));
    Outils::TDonneesFusion donnees = Outils::TDonneesFusion::Bulletin;
    const QString d = a.Valeur(QStringLiteral("--donnees"), QStringLiteral("bulletin"));
    if (d == QLatin1String("types"))
        donnees = Outils::TDonneesFusion::Types;
    else if (d == QLatin1String("series"))
        donnees = Outils::TDonneesFusion::Series;
    else if (d != QLatin1String("bulletin"))
        return Cli::ErreurUsage(cmd, QStringLiteral("--donnees : bulletin, types ou series"));
    int sur = Options::MoyennesSur();
    if (a.options.contains(QStringLiteral("--sur"))) {
        bool ok = false;
        sur = a.Valeur(QStringLiteral("--sur")).toInt(&ok);
        if (!ok || sur < 1 || sur > 1000)
            return Cli::ErreurUsage(cmd, QStringLiteral("--sur : un entier de 1 à 1000"));
    }

    // The checks of the wizard's first page, file by file.
    Outils::TReferenceFusion reference;
    for (const QString& f : fichiers) {
        const QString refus = Outils::VerifierFichierFusion(f, reference);
        if (!refus.isEmpty()) {
            Cli::Erreur(QStringLiteral("%1 : %2\n").arg(f, SurUneLigne(refus)));
            return 1;
        }
    }
    std::vector<std::unique_ptr<TFichierTav>> classes;
    std::vector<const TFichierTav*> pointeurs;
    for (const QString& f : fichiers) {
        auto c = Cli::ChargerClasse(f);
        if (!c) return 1;
        pointeurs.push_back(c.get());
        classes.push_back(std::move(c));
    }
    const TFichierTav& premier = *classes.front();

    Outils::TParametresFusion parametres;
    parametres.donnees = donnees;
    parametres.sur = sur;
    parametres.date = QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"));
    if (a.options.contains(QStringLiteral("--periodes"))) {
        for (const QString& t :
             a.Valeur(QStringLiteral("--periodes")).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            bool ok = false;
            const int p = t.trimmed().toInt(&ok);
            if (!ok || p < 1 || p > premier.NombrePeriodes())
                return Cli::ErreurUsage(
                    cmd,
                    QStringLiteral("--periodes : numéros de 1 à %1").arg(premier.NombrePeriodes()));
            parametres.periodes.append(p);
        }
        if (parametres.periodes.isEmpty())
            return Cli::ErreurUsage(cmd, QStringLiteral("--periodes : aucune période"));
    } else {
        for (int p = 1; p <= premier.NombrePeriodes(); ++p)
            parametres.periodes.append(p);
    }
    const Outils::TCadre defaut =
        Outils::CadreFusionParDefaut(premier, Options::ChargerUtilisateurs().value(0));
    parametres.cadre = {a.Valeur(QStringLiteral("--enseignant"), defaut.enseignant),
                        a.Valeur(QStringLiteral("--classe"), defaut.classe),
                        a.Valeur(QStringLiteral("--ecole"), defaut.ecole),
                        a.Valeur(QStringLiteral("--matiere"), defaut.matiere),
                        a.Valeur(QStringLiteral("--annee"), defaut.annee),
                        a.Valeur(QStringLiteral("--remarque"), defaut.remarque)};

    if (!SortieAcceptable(sortie, fichiers, a.remplacer)) return 1;
    auto fusion = Outils::Fusionner(pointeurs, parametres, &erreur);
    if (!fusion) {
        Cli::Erreur(QStringLiteral("%1 : %2\n").arg(sortie, SurUneLigne(erreur)));
        return 1;
    }
    if (!Outils::EnregistrerClasse(*fusion, sortie, &erreur)) {
        ErreurFichier(erreur);
        return 1;
    }
    Cli::Sortie(QFileInfo(sortie).absoluteFilePath() + QLatin1Char('\n'));
    return 0;
}

int CommandeClone(const QStringList& args) {
    const QString cmd = QStringLiteral("clone");
    const QString aide = QStringLiteral(
        "Usage : tavelin-cli clone FICHIER --dossier DOSSIER --collegue "
        "\"ENSEIGNANT;MATIERE\"...\n\n"
        "Crée dans DOSSIER, pour chaque collègue, une copie vide de la classe (mêmes élèves,\n"
        "mêmes périodes, aucune note) et affiche le chemin de chaque fichier créé.\n\n"
        "  --remplacer   remplace les fichiers existants (jamais le fichier d'origine)\n");
    if (Cli::DemandeAide(args, aide)) return 0;
    TArguments a;
    QString erreur;
    if (!LireArguments(args, {QStringLiteral("--dossier"), QStringLiteral("--collegue")}, a,
                       erreur))
        return Cli::ErreurUsage(cmd, erreur);
    if (a.libres.size() != 1) return Cli::ErreurUsage(cmd, QStringLiteral("un fichier attendu"));
    const QString dossier = a.Valeur(QStringLiteral("--dossier"));
    if (dossier.isEmpty()) return Cli::ErreurUsage(cmd, QStringLiteral("--dossier attendu"));
    QList<Outils::TCollegue> collegues;
    // QMultiMap gives the values of a key last inserted first.
    QStringList textes = a.options.values(QStringLiteral("--collegue"));
    std::reverse(textes.begin(), textes.end());
    for (const QString& t : textes) {
        const qsizetype i = t.indexOf(QLatin1Char(';'));
        if (i < 0 || t.left(i).trimmed().isEmpty() || t.mid(i + 1).trimmed().isEmpty())
            return Cli::ErreurUsage(cmd, QStringLiteral("--collegue \"ENSEIGNANT;MATIERE\" attendu "
                                                        "(reçu « %1 »)")
                                             .arg(t));
        collegues.append({t.left(i).trimmed(), t.mid(i + 1).trimmed()});
    }
    if (collegues.isEmpty()) return Cli::ErreurUsage(cmd, QStringLiteral("--collegue attendu"));
    auto source = Cli::ChargerClasse(a.libres.at(0));
    if (!source) return 1;
    if (!QFileInfo(dossier).isDir()) {
        Cli::Erreur(QStringLiteral("%1 : le dossier n'existe pas.\n").arg(dossier));
        return 1;
    }
    QStringList chemins;
    for (const Outils::TCollegue& c : collegues)
        chemins.append(Outils::CheminClone(*source, dossier, c));
    const QString refus = Outils::VerifierClonage(*source, chemins, collegues, {});
    if (!refus.isEmpty()) {
        Cli::Erreur(SurUneLigne(refus) + QLatin1Char('\n'));
        return 1;
    }
    if (!a.remplacer)
        for (const QString& c : chemins)
            if (QFileInfo::exists(c)) {
                Cli::Erreur(QStringLiteral("%1 : le fichier existe déjà (--remplacer pour le "
                                           "remplacer) ; aucun fichier n'a été créé.\n")
                                .arg(c));
                return 1;
            }
    int code = 0;
    for (qsizetype i = 0; i < collegues.size(); ++i) {
        auto clone = Outils::Cloner(*source, collegues.at(i));
        if (!Outils::EnregistrerClasse(*clone, chemins.at(i), &erreur)) {
            ErreurFichier(erreur);
            code = 1;
            continue;
        }
        Cli::Sortie(QFileInfo(chemins.at(i)).absoluteFilePath() + QLatin1Char('\n'));
    }
    return code;
}

int CommandeExport(const QStringList& args) {
    const QString cmd = QStringLiteral("export");
    const QString aide = QStringLiteral(
        "Usage : tavelin-cli export --formats\n"
        "        tavelin-cli export FICHIER --format DESCRIPTION --sortie SORTIE "
        "[--remplacer]\n\n"
        "La première forme liste les formats des greffons d'exportation (JSON).\n"
        "La seconde exporte la classe au format de cette description et affiche le chemin\n"
        "de chaque fichier enregistré.\n");
    if (Cli::DemandeAide(args, aide)) return 0;
    if (args == QStringList{QStringLiteral("--formats")}) {
        QJsonArray liste;
        for (const Outils::TFormatExport& f : Outils::DecouvrirFormats())
            liste.append(QJsonObject{{"bibliotheque", QFileInfo(f.bibliotheque).fileName()},
                                     {"numero", f.numero},
                                     {"description", f.description}});
        Cli::SortieJson(liste);
        return 0;
    }
    TArguments a;
    QString erreur;
    if (!LireArguments(args, {QStringLiteral("--format"), QStringLiteral("--sortie")}, a, erreur))
        return Cli::ErreurUsage(cmd, erreur);
    const QString description = a.Valeur(QStringLiteral("--format"));
    const QString sortie = a.Valeur(QStringLiteral("--sortie"));
    if (a.libres.size() != 1 || description.isEmpty() || sortie.isEmpty())
        return Cli::ErreurUsage(cmd, QStringLiteral("FICHIER, --format et --sortie attendus"));
    const QList<Outils::TFormatExport> formats = Outils::DecouvrirFormats();
    const Outils::TFormatExport* choisi = nullptr;
    for (const Outils::TFormatExport& f : formats)
        if (f.description == description) {
            choisi = &f;
            break;
        }
    if (!choisi) {
        Cli::Erreur(QStringLiteral("tavelin-cli export : aucun format « %1 » (voir « tavelin-cli "
                                   "export --formats »).\n")
                        .arg(description));
        return 1;
    }
    auto classe = Cli::ChargerClasse(a.libres.at(0));
    if (!classe) return 1;
    bool refuse = false;
    int enregistres = 0;
    Outils::TServicesExport services;
    // The plug-in's save dialog gets the output once; nobody can be asked about a second file.
    bool donnee = false;
    services.demanderFichier = [&](const QString&, const QString&, const QString&,
                                   const QString&) -> QString {
        if (donnee || !SortieAcceptable(sortie, {a.libres.at(0)}, a.remplacer)) {
            refuse = true;
            return QString();
        }
        donnee = true;
        return QFileInfo(sortie).absoluteFilePath();
    };
    services.signalerErreur = ErreurFichier;
    services.fichierEnregistre = [&](const QString& chemin) {
        ++enregistres;
        Cli::Sortie(chemin + QLatin1Char('\n'));
    };
    switch (Outils::Exporter(*choisi, *classe, services)) {
    case Outils::TResultatExport::Fait:
        return enregistres > 0 ? 0 : 1;
    case Outils::TResultatExport::Annule:
        if (!refuse) Cli::Erreur(QStringLiteral("%1 : exportation annulée.\n").arg(sortie));
        return 1;
    case Outils::TResultatExport::Echec:
        Cli::Erreur(QStringLiteral("%1 : Erreur dans l'exportation.\n").arg(sortie));
        return 1;
    case Outils::TResultatExport::Defectueuse:
        Cli::Erreur(QStringLiteral("%1 : Impossible d'exporter. La dll est défectueuse !\n")
                        .arg(choisi->bibliotheque));
        return 1;
    }
    return 1;
}
