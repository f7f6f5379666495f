#include "tavX_hoteExport.h"

#include "tavX_ecritureSure.h"
#include "tavX_fichierTav.h"
#include "tavX_nombres.h"
#include "tavX_options.h"
#include "tavelin/export.h"

#include <QCollator>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <cmath>
#include <cstring>
#include <deque>

namespace Outils {

namespace {

QStringList& DossiersImposes() {
    static QStringList dossiers;
    return dossiers;
}

using TVersion = int32_t(TAV_APPEL*)();
using TTexte = const char*(TAV_APPEL*)();
using TTexteFormat = const char*(TAV_APPEL*)(int32_t);
using TNombre = int32_t(TAV_APPEL*)();
using TExporter = int32_t(TAV_APPEL*)(int32_t, const TavHote*);

// Runs a call into a plug-in; an exception stops here.
template <typename F> bool Appeler(F&& appel) noexcept {
    try {
        appel();
        return true;
    } catch (...) {
        return false;
    }
}

// A library loaded for one step, unloaded when it goes.
class TBibliotheque {
public:
    explicit TBibliotheque(const QString& chemin) : lib(QFileInfo(chemin).absoluteFilePath()) {
        lib.setLoadHints(QLibrary::ResolveAllSymbolsHint);
        charge = lib.load();
    }
    ~TBibliotheque() {
        if (charge) lib.unload();
    }
    bool Chargee() const { return charge; }
    template <typename T> T Fonction(const char* nom) {
        return charge ? reinterpret_cast<T>(lib.resolve(nom)) : nullptr;
    }
    // Interface version 1 and the identification "Tavelin".
    bool Valide() {
        const auto version = Fonction<TVersion>("renvoieVersionInterface");
        const auto identification = Fonction<TTexte>("renvoieIdentification");
        if (!version || !identification) return false;
        int32_t v = 0;
        QString id;
        if (!Appeler([&] { v = version(); }) || v != TAV_VERSION_INTERFACE) return false;
        if (!Appeler([&] { id = TexteGreffon(identification()); })) return false;
        return id == QLatin1String("Tavelin");
    }

private:
    QLibrary lib;
    bool charge = false;
};

// ---- The context handed to the plug-in ------------------------------------------------------

} // namespace
} // namespace Outils

struct TavContexte {
    const TFichierTav* fichier = nullptr;
    const Outils::TServicesExport* services = nullptr;
    // The texts handed out stay alive until the export ends.
    std::deque<QByteArray> textes;
    const char* Donner(const QString& texte) {
        textes.push_back(texte.toUtf8());
        return textes.back().constData();
    }
};

namespace Outils {
namespace {

const char* Vide() {
    return "";
}

QString Lire(const char* texte) {
    return texte ? QString::fromUtf8(texte) : QString();
}

// Every member of the table: checks its indices, never raises.
template <typename F> auto Sur(F&& f, decltype(f()) defaut) noexcept -> decltype(f()) {
    try {
        return f();
    } catch (...) {
        return defaut;
    }
}

bool PeriodeValide(TavContexte* c, int32_t p) {
    return c && p >= 1 && p <= c->fichier->NombrePeriodes();
}
bool EleveValide(TavContexte* c, int32_t s) {
    return c && s >= 1 && s <= c->fichier->NombreEleves();
}
bool SerieValide(TavContexte* c, int32_t p, int32_t j) {
    return PeriodeValide(c, p) && j >= 1 && j <= c->fichier->NombreSeries(p);
}

extern "C" {

const char* TAV_APPEL HoteClasse(TavContexte* c, int32_t champ) {
    return Sur(
        [&]() -> const char* {
            if (!c) return Vide();
            const TFichierTav& f = *c->fichier;
            switch (champ) {
            case TAV_CLASSE_NOM:
                return c->Donner(f.Classe());
            case TAV_CLASSE_ECOLE:
                return c->Donner(f.Ecole());
            case TAV_CLASSE_ENSEIGNANT:
                return c->Donner(f.Enseignant());
            case TAV_CLASSE_MATIERE:
                return c->Donner(f.Matiere());
            case TAV_CLASSE_ANNEE_SCOLAIRE:
                return c->Donner(f.AnneeScolaire());
            case TAV_CLASSE_REMARQUE:
                return c->Donner(f.Remarque());
            case TAV_CLASSE_TYPE_PERIODES:
                return c->Donner(f.TypePeriodes());
            case TAV_CLASSE_TYPE_BULLETINS:
                return c->Donner(f.TypeBulletins());
            case TAV_CLASSE_FICHIER:
                return c->Donner(f.NomFichier());
            default:
                return Vide();
            }
        },
        Vide());
}
int32_t TAV_APPEL HoteNombrePeriodes(TavContexte* c) {
    return c ? c->fichier->NombrePeriodes() : 0;
}
const char* TAV_APPEL HoteNomPeriode(TavContexte* c, int32_t p) {
    return Sur([&] { return PeriodeValide(c, p) ? c->Donner(c->fichier->NomPeriode(p)) : Vide(); },
               Vide());
}
int32_t TAV_APPEL HoteNombreEleves(TavContexte* c) {
    return c ? c->fichier->NombreEleves() : 0;
}
const char* TAV_APPEL HoteNomEleve(TavContexte* c, int32_t s) {
    return Sur([&] { return EleveValide(c, s) ? c->Donner(c->fichier->NomEleve(s)) : Vide(); },
               Vide());
}
const char* TAV_APPEL HoteDateNaissance(TavContexte* c, int32_t s) {
    return Sur([&] { return EleveValide(c, s) ? c->Donner(c->fichier->DateNaissance(s)) : Vide(); },
               Vide());
}
int32_t TAV_APPEL HoteRedoublant(TavContexte* c, int32_t s) {
    return Sur([&] { return EleveValide(c, s) && c->fichier->EstRedoublant(s) ? 1 : 0; }, 0);
}
int32_t TAV_APPEL HoteNombreSeries(TavContexte* c, int32_t p) {
    return Sur([&] { return PeriodeValide(c, p) ? c->fichier->NombreSeries(p) : 0; }, 0);
}
const char* TAV_APPEL HoteSerie(TavContexte* c, int32_t p, int32_t j, int32_t champ) {
    return Sur(
        [&]() -> const char* {
            if (!SerieValide(c, p, j)) return Vide();
            const TFichierTav& f = *c->fichier;
            switch (champ) {
            case TAV_SERIE_INTITULE:
                return c->Donner(f.Intitule(p, j));
            case TAV_SERIE_NOTE_SUR:
                return c->Donner(f.NoteSur(p, j));
            case TAV_SERIE_COEFFICIENT:
                return c->Donner(f.Coefficient(p, j));
            case TAV_SERIE_COMPTE:
                return c->Donner(f.CompteDansMoyenne(p, j));
            case TAV_SERIE_DATE:
                return c->Donner(f.DateSerie(p, j));
            case TAV_SERIE_COMMENTAIRE:
                return c->Donner(f.Commentaire(p, j));
            case TAV_SERIE_TYPE:
                return c->Donner(f.TypeNotes(p, j));
            case TAV_SERIE_ORAL_ECRIT:
                return c->Donner(f.OralEcrit(p, j));
            default:
                return Vide();
            }
        },
        Vide());
}
const char* TAV_APPEL HoteNote(TavContexte* c, int32_t p, int32_t j, int32_t s) {
    return Sur(
        [&] {
            return SerieValide(c, p, j) && EleveValide(c, s) ? c->Donner(c->fichier->Note(p, j, s))
                                                             : Vide();
        },
        Vide());
}
const char* TAV_APPEL HotePoints(TavContexte* c, int32_t p, int32_t s) {
    return Sur(
        [&] {
            return PeriodeValide(c, p) && EleveValide(c, s)
                       ? c->Donner(const_cast<TFichierTav*>(c->fichier)->PointsPlusMoins(p, s))
                       : Vide();
        },
        Vide());
}
int32_t TAV_APPEL HoteNombreSections(TavContexte* c) {
    return c ? c->fichier->NombreColonnesBulletin() : 0;
}
const char* TAV_APPEL HoteNomSection(TavContexte* c, int32_t k) {
    return Sur(
        [&] {
            return c && k >= 1 && k <= c->fichier->NombreColonnesBulletin()
                       ? c->Donner(c->fichier->NomColonneBulletin(k))
                       : Vide();
        },
        Vide());
}
const char* TAV_APPEL HoteAppreciation(TavContexte* c, int32_t p, int32_t s, int32_t k) {
    return Sur(
        [&] {
            return PeriodeValide(c, p) && EleveValide(c, s) && k >= 1 &&
                           k <= c->fichier->NombreColonnesBulletin()
                       ? c->Donner(const_cast<TFichierTav*>(c->fichier)->Appreciation(p, s, k))
                       : Vide();
        },
        Vide());
}
const char* TAV_APPEL HoteMoyenneBulletin(TavContexte* c, int32_t p, int32_t s) {
    return Sur(
        [&] {
            return PeriodeValide(c, p) && EleveValide(c, s)
                       ? c->Donner(c->fichier->MoyenneBulletin(p, s, Options::ArrondirMoyennes()))
                       : Vide();
        },
        Vide());
}
const char* TAV_APPEL HoteMoyenneAnnuelle(TavContexte* c, int32_t s) {
    return Sur(
        [&] {
            return EleveValide(c, s)
                       ? c->Donner(c->fichier->MoyenneAnnuelle(s, Options::ArrondirMoyennes(),
                                                               Options::ArrondirMoyennesAnnuelles(),
                                                               Options::TypeMoyennesAnnuelles()))
                       : Vide();
        },
        Vide());
}
int32_t TAV_APPEL HoteMoyennesSur(TavContexte* c) {
    return Sur([&] { return c ? c->fichier->MoyennesSur() : 0; }, 0);
}
int32_t TAV_APPEL HoteLireNombre(TavContexte*, const char* texte, double* valeur) {
    return Sur(
        [&] {
            long double x = 0;
            if (!texte || !Tav::LireNombre(QString::fromUtf8(texte), x) ||
                !std::isfinite(double(x)))
                return 0;
            if (valeur) *valeur = double(x);
            return 1;
        },
        0);
}
const char* TAV_APPEL HoteDemanderFichier(TavContexte* c, const char* titre, const char* filtre,
                                          const char* extension, const char* nom) {
    return Sur(
        [&] {
            if (!c || !c->services->demanderFichier) return Vide();
            return c->Donner(c->services->demanderFichier(Lire(titre), Lire(filtre),
                                                          Lire(extension), Lire(nom)));
        },
        Vide());
}
void TAV_APPEL HoteSignalerErreur(TavContexte* c, const char* message) {
    Sur(
        [&] {
            if (c && c->services->signalerErreur) c->services->signalerErreur(Lire(message));
            return 0;
        },
        0);
}
int32_t TAV_APPEL HoteEnregistrerFichier(TavContexte* c, const char* chemin, const void* octets,
                                         int64_t taille) {
    return Sur(
        [&] {
            if (!c || !chemin || *chemin == 0 || taille < 0 || (!octets && taille > 0)) return 0;
            const QString nom = QString::fromUtf8(chemin);
            QString cause;
            if (!Tav::EcrireFichierSur(
                    nom, QByteArray(static_cast<const char*>(octets), qsizetype(taille)), &cause)) {
                HoteSignalerErreur(c, (QStringLiteral("Erreur dans l'enregistrement du fichier ") +
                                       nom + QStringLiteral("\n") + cause)
                                          .toUtf8()
                                          .constData());
                return 0;
            }
            if (c->services->fichierEnregistre) c->services->fichierEnregistre(nom);
            return 1;
        },
        0);
}

} // extern "C"

} // namespace

QString TexteGreffon(const char* texte) {
    if (!texte) return QString();
    // Never read past 4 KiB of a text that would lack its NUL.
    const size_t longueur = strnlen(texte, 4096);
    return QString::fromUtf8(texte, qsizetype(longueur)).left(255);
}

QStringList DossiersExport() {
    if (!DossiersImposes().isEmpty()) return DossiersImposes();
    QStringList dossiers{
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("export"))};
#if defined(Q_OS_LINUX) && defined(TAV_DOSSIER_BIBLIOTHEQUES)
    const QString programme = QCoreApplication::applicationDirPath();
    for (const QString& installe :
         {QDir::cleanPath(programme +
                          QStringLiteral("/" TAV_BIBLIOTHEQUES_RELATIF "/tavelin/export")),
          QStringLiteral(TAV_DOSSIER_BIBLIOTHEQUES "/tavelin/export")}) {
        const QFileInfo dossier(installe);
        if (!dossier.isDir()) continue;
        const QString canonique = dossier.canonicalFilePath();
        bool dejaVu = false;
        for (const QString& d : dossiers)
            dejaVu = dejaVu || QFileInfo(d).canonicalFilePath() == canonique;
        if (!dejaVu) dossiers.append(canonique);
    }
#endif
    return dossiers;
}

void DefinirDossiersExport(const QStringList& dossiers) {
    DossiersImposes() = dossiers;
}

QList<TFormatExport> DecouvrirFormats(const QStringList& dossiers) {
    QList<TFormatExport> formats;
    for (const QString& dossier : dossiers) {
        QStringList noms = QDir(dossier).entryList(QDir::Files | QDir::Readable, QDir::Name);
        QCollator ordre;
        ordre.setNumericMode(true);
        std::sort(noms.begin(), noms.end(), ordre);
        for (const QString& nom : noms) {
            const QString chemin = QDir(dossier).absoluteFilePath(nom);
            if (!QLibrary::isLibrary(chemin)) continue;
            TBibliotheque lib(chemin);
            if (!lib.Chargee() || !lib.Valide()) continue;
            const auto nombre = lib.Fonction<TNombre>("renvoieNombreFormatsProposes");
            const auto petite = lib.Fonction<TTexteFormat>("renvoiePetiteDescription");
            if (!nombre || !petite) continue;
            int32_t n = 0;
            if (!Appeler([&] { n = nombre(); })) continue;
            n = qBound(0, n, 255);
            QList<TFormatExport> siens;
            bool bon = true;
            for (int32_t k = 1; k <= n && bon; ++k) {
                QString description;
                bon = Appeler([&] { description = TexteGreffon(petite(k)); });
                siens.append({chemin, k, description});
            }
            if (bon) formats += siens;
        }
    }
    return formats;
}

QString InformationsFormat(const TFormatExport& format) {
    TBibliotheque lib(format.bibliotheque);
    if (!lib.Chargee() || !lib.Valide()) return QString();
    QString grande, copyright, version;
    if (const auto f = lib.Fonction<TTexteFormat>("renvoieGrandeDescription"))
        Appeler([&] { grande = TexteGreffon(f(format.numero)); });
    if (const auto f = lib.Fonction<TTexte>("renvoieCopyright"))
        Appeler([&] { copyright = TexteGreffon(f()); });
    if (const auto f = lib.Fonction<TTexte>("renvoieVersion"))
        Appeler([&] { version = TexteGreffon(f()); });
    return QStringLiteral("Librairie d'exportation pour Tavelin\r\n\r\n\r\nDescription : ") +
           grande + QStringLiteral("\r\n\r\nCopyright : ") + copyright +
           QStringLiteral("\r\n\r\nVersion : ") + version;
}

TResultatExport Exporter(const TFormatExport& format, const TFichierTav& fichier,
                         const TServicesExport& services) {
    TBibliotheque lib(format.bibliotheque);
    if (!lib.Chargee() || !lib.Valide()) return TResultatExport::Defectueuse;
    const auto exporter = lib.Fonction<TExporter>("exporter");
    if (!exporter) return TResultatExport::Defectueuse;
    TavContexte contexte;
    contexte.fichier = &fichier;
    contexte.services = &services;
    TavHote hote;
    std::memset(&hote, 0, sizeof hote);
    hote.taille = sizeof(TavHote);
    hote.version = TAV_VERSION_HOTE;
    hote.contexte = &contexte;
    hote.classe = HoteClasse;
    hote.nombrePeriodes = HoteNombrePeriodes;
    hote.nomPeriode = HoteNomPeriode;
    hote.nombreEleves = HoteNombreEleves;
    hote.nomEleve = HoteNomEleve;
    hote.dateNaissance = HoteDateNaissance;
    hote.redoublant = HoteRedoublant;
    hote.nombreSeries = HoteNombreSeries;
    hote.serie = HoteSerie;
    hote.note = HoteNote;
    hote.points = HotePoints;
    hote.nombreSections = HoteNombreSections;
    hote.nomSection = HoteNomSection;
    hote.appreciation = HoteAppreciation;
    hote.moyenneBulletin = HoteMoyenneBulletin;
    hote.moyenneAnnuelle = HoteMoyenneAnnuelle;
    hote.moyennesSur = HoteMoyennesSur;
    hote.lireNombre = HoteLireNombre;
    hote.demanderFichier = HoteDemanderFichier;
    hote.enregistrerFichier = HoteEnregistrerFichier;
    hote.signalerErreur = HoteSignalerErreur;
    int32_t resultat = 0;
    if (!Appeler([&] { resultat = exporter(format.numero, &hote); })) return TResultatExport::Echec;
    if (resultat == 1) return TResultatExport::Fait;
    if (resultat == -1) return TResultatExport::Annule;
    return TResultatExport::Echec;
}

} // namespace Outils
