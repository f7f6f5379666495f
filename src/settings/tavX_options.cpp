#include "tavX_options.h"

#include "tavX_reglages.h"

#include <QFileInfo>
#include <QMap>

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

using namespace Globales;

namespace {

// Writers tell the listeners when the value they read back differs from the one before; the
// in-memory caches are already up to date then.
template <typename T> void AnnoncerSiChange(const QString& cle, const T& avant, const T& apres) {
    if (avant != apres) TReglages::Instance().Annoncer(cle);
}

// ---- Scalar settings -------------------------------------------------------------------------

#define TAV_BOOLEEN(Nom, cle, defaut)                                                              \
    bool Nom() {                                                                                   \
        return LireBooleen(QStringLiteral(cle), defaut);                                           \
    }                                                                                              \
    void Modifier##Nom(bool v) {                                                                   \
        const bool avant = Nom();                                                                  \
        EcrireBooleen(QStringLiteral(cle), v);                                                     \
        AnnoncerSiChange(QStringLiteral(cle), avant, Nom());                                       \
    }

// A value read on every cell paint or average: kept in memory until it is written or the store
// changes.
#define TAV_VALEUR_CACHE(Type, Nom, cle, defaut, Lire, Ecrire)                                     \
    namespace {                                                                                    \
    struct Cache##Nom {                                                                            \
        Type valeur = defaut;                                                                      \
        bool perimee = true;                                                                       \
        quint32 generation = 0;                                                                    \
    } cache##Nom;                                                                                  \
    }                                                                                              \
    Type Nom() {                                                                                   \
        if (cache##Nom.perimee || cache##Nom.generation != GenerationReglages()) {                 \
            cache##Nom.valeur = Lire(QStringLiteral(cle), defaut);                                 \
            cache##Nom.generation = GenerationReglages();                                          \
            cache##Nom.perimee = false;                                                            \
        }                                                                                          \
        return cache##Nom.valeur;                                                                  \
    }                                                                                              \
    void Modifier##Nom(Type v) {                                                                   \
        const Type avant = Nom();                                                                  \
        Ecrire(QStringLiteral(cle), v);                                                            \
        cache##Nom.perimee = true;                                                                 \
        AnnoncerSiChange(QStringLiteral(cle), avant, Nom());                                       \
    }
#define TAV_BOOLEEN_CACHE(Nom, cle, defaut)                                                        \
    TAV_VALEUR_CACHE(bool, Nom, cle, defaut, LireBooleen, EcrireBooleen)

#define TAV_OCTET(Nom, cle, defaut)                                                                \
    quint8 Nom() {                                                                                 \
        return LireOctet(QStringLiteral(cle), defaut);                                             \
    }                                                                                              \
    void Modifier##Nom(quint8 v) {                                                                 \
        const quint8 avant = Nom();                                                                \
        EcrireOctet(QStringLiteral(cle), v);                                                       \
        AnnoncerSiChange(QStringLiteral(cle), avant, Nom());                                       \
    }

#define TAV_ENTIER(Nom, cle, defaut)                                                               \
    qint32 Nom() {                                                                                 \
        return LireEntier(QStringLiteral(cle), defaut);                                            \
    }                                                                                              \
    void Modifier##Nom(qint32 v) {                                                                 \
        const qint32 avant = Nom();                                                                \
        EcrireEntier(QStringLiteral(cle), v);                                                      \
        AnnoncerSiChange(QStringLiteral(cle), avant, Nom());                                       \
    }

#define TAV_COULEUR(Nom, cle, defaut)                                                              \
    TAV_ENTIER(Nom, cle, defaut)                                                                   \
    qint32 Nom##ParDefaut() {                                                                      \
        return defaut;                                                                             \
    }

#define TAV_CHAINE(Nom, cle, defaut)                                                               \
    QString Nom() {                                                                                \
        return LireChaine(QStringLiteral(cle), QStringLiteral(defaut));                            \
    }                                                                                              \
    void Modifier##Nom(const QString& v) {                                                         \
        const QString avant = Nom();                                                               \
        EcrireChaine(QStringLiteral(cle), v);                                                      \
        AnnoncerSiChange(QStringLiteral(cle), avant, Nom());                                       \
    }

// ---- Paint-time colours ----------------------------------------------------------------------

// The grids read these on every cell paint: each is kept in memory with a stale flag.
struct CouleurCachee {
    const char* cle;
    qint32 defaut;
    qint32 valeur;
    bool perimee;
};

enum IndexCouleur {
    IdxCouleur1Note,
    IdxCouleur2Note,
    IdxCouleur3Note,
    IdxCouleur4Note,
    IdxCouleur5Note,
    IdxLignesPaires,
    IdxLignesImpaires,
    IdxCouleurSelection,
};

std::array<CouleurCachee, 8> couleursCachees = {{
    {"couleur1Note", 0x000000FF, 0, true},
    {"couleur2Note", 0x00C00000, 0, true},
    {"couleur3Note", 0x00008000, 0, true},
    {"couleur4Note", 0x00000000, 0, true},
    {"couleur5Note", 0x0000FFFF, 0, true},
    {"lignesPaires", 0x00F4FFE1, 0, true},
    {"lignesImpaires", 0x00E2FFFF, 0, true},
    {"couleurSelection", 0x00FFFF00, 0, true},
}};
quint32 generationCouleurs = 0;

qint32 LireCouleurCachee(IndexCouleur index) {
    if (generationCouleurs != GenerationReglages()) {
        // The store was redirected: everything cached belongs to the previous one.
        for (CouleurCachee& c : couleursCachees)
            c.perimee = true;
        generationCouleurs = GenerationReglages();
    }
    CouleurCachee& couleur = couleursCachees[index];
    if (couleur.perimee) {
        couleur.valeur = LireEntier(QString::fromLatin1(couleur.cle), couleur.defaut);
        couleur.perimee = false;
    }
    return couleur.valeur;
}

void EcrireCouleurCachee(IndexCouleur index, qint32 valeur) {
    if (LireCouleurCachee(index) == valeur) return;
    const QString cle = QString::fromLatin1(couleursCachees[index].cle);
    EcrireEntier(cle, valeur);
    couleursCachees[index].perimee = true;
    if (LireCouleurCachee(index) == valeur) TReglages::Instance().Annoncer(cle);
}

#define TAV_COULEUR_CACHEE(Nom)                                                                    \
    qint32 Nom() {                                                                                 \
        return LireCouleurCachee(Idx##Nom);                                                        \
    }                                                                                              \
    void Modifier##Nom(qint32 v) {                                                                 \
        EcrireCouleurCachee(Idx##Nom, v);                                                          \
    }                                                                                              \
    qint32 Nom##ParDefaut() {                                                                      \
        return couleursCachees[Idx##Nom].defaut;                                                   \
    }

// ---- Lists -----------------------------------------------------------------------------------

const QString CleTypesDeNotes = QStringLiteral("Types de notes");
const QString CleMatieres = QStringLiteral("Matieres");
const QString CleUtilisateurs = QStringLiteral("Utilisateurs");
const QString ClePeriodes = QStringLiteral("Periodes");
const QString CleNomsBulletins = QStringLiteral("Noms bulletins");
const QString CleInclureImpression = QStringLiteral("Inclure impression");
const QString CleHistorique = QStringLiteral("Historique");
const QString CleDerniersFichiers = QStringLiteral("Derniers fichiers");
const QString SousCleNoms = QStringLiteral("noms");

// Sort key: case and accents do not count first ("Élève" sorts with "eleve").
QString CleDeTri(const QString& texte) {
    const QString decompose = texte.normalized(QString::NormalizationForm_D);
    QString cle;
    cle.reserve(decompose.size());
    for (const QChar c : decompose) {
        if (c.category() != QChar::Mark_NonSpacing) cle += c;
    }
    return cle.toCaseFolded();
}

QStringList Trie(const QStringList& liste) {
    std::vector<std::pair<QString, QString>> elements;
    elements.reserve(liste.size());
    for (const QString& s : liste)
        elements.emplace_back(CleDeTri(s), s);
    std::stable_sort(elements.begin(), elements.end(), [](const auto& a, const auto& b) {
        if (const int c = a.first.compare(b.first); c != 0) return c < 0;
        return a.second.compare(b.second) < 0;
    });
    QStringList resultat;
    resultat.reserve(liste.size());
    for (const auto& e : elements)
        resultat.append(e.second);
    return resultat;
}

// Everything stored under a key, to tell whether a list or a set really changed.
QMap<QString, QVariant> Instantane(const QString& cle) {
    auto reglages = OuvrirReglages();
    QMap<QString, QVariant> valeurs;
    if (reglages->contains(cle)) valeurs.insert(QString(), reglages->value(cle));
    reglages->beginGroup(cle);
    const QStringList cles = reglages->allKeys();
    for (const QString& c : cles)
        valeurs.insert(c, reglages->value(c));
    reglages->endGroup();
    return valeurs;
}

// Deletes a key with everything under it; says so when there was something.
void Supprimer(const QString& cle) {
    const bool existait = !Instantane(cle).isEmpty();
    SupprimerCle(cle);
    if (existait) TReglages::Instance().Annoncer(cle);
}

// Stores a list; announces it when what the program reads of it (lire) changed.
template <typename Lecteur>
void Enregistrer(const QString& cle, const QStringList& liste, Lecteur lire) {
    const auto avant = lire();
    EcrireListe(cle, liste);
    AnnoncerSiChange(cle, avant, lire());
}

void Enregistrer(const QString& cle, const QStringList& liste) {
    Enregistrer(cle, liste, [&cle] { return LireListe(cle); });
}

// The sub-key of a scheme or report-card type under its parent key, found ignoring case as a
// registry key name would be; an exact match is preferred. Empty if none.
QStringList SousClesNommees(QSettings& reglages, const QString& parent, const QString& nom) {
    const QString segment = SegmentCle(nom);
    reglages.beginGroup(parent);
    const QStringList groupes = reglages.childGroups();
    reglages.endGroup();
    QStringList trouvees;
    for (const QString& groupe : groupes) {
        if (groupe == segment)
            trouvees.prepend(groupe);
        else if (groupe.compare(segment, Qt::CaseInsensitive) == 0)
            trouvees.append(groupe);
    }
    return trouvees;
}

// Names stored under parent + "/" + name + "/noms", if that list exists.
std::optional<QStringList> NomsStockes(const QString& parent, const QString& nom) {
    if (nom.isEmpty()) return std::nullopt;
    auto reglages = OuvrirReglages();
    for (const QString& groupe : SousClesNommees(*reglages, parent, nom)) {
        if (auto noms = LireListe(*reglages, parent + QLatin1Char('/') + groupe + QLatin1Char('/') +
                                                 SousCleNoms))
            return noms;
    }
    return std::nullopt;
}

// Deletes the names of a scheme (whatever the case of its key). Only its "noms" sub-key goes:
// the key of a scheme named like an array item ("1", "2" ...) also holds that item.
void SupprimerNomsSchema(QSettings& reglages, const QString& nom) {
    for (const QString& groupe : SousClesNommees(reglages, ClePeriodes, nom))
        reglages.remove(ClePeriodes + QLatin1Char('/') + groupe + QLatin1Char('/') + SousCleNoms);
}

const QStringList& SchemasIntegres() {
    static const QStringList noms = {QStringLiteral("Trimestres"), QStringLiteral("Semestres"),
                                     QStringLiteral("Mois")};
    return noms;
}

const QStringList& TypesBulletinsIntegres() {
    static const QStringList noms = {QStringLiteral("Bulletins par défaut"),
                                     QStringLiteral("Nouveaux bulletins du collège")};
    return noms;
}

// ---- Files -----------------------------------------------------------------------------------

bool FichierExiste(const QString& chemin) {
    return !chemin.isEmpty() && QFileInfo(chemin).isFile();
}

// Form under which a path is stored. Windows paths are case-insensitive and stored lower-cased;
// elsewhere lower-casing could name another file or none, so the path is kept as given (and
// compared ignoring case, see ContientFichier).
QString FormeStockee(const QString& chemin) {
#ifdef Q_OS_WIN
    return chemin.toLower();
#else
    return chemin;
#endif
}

bool ContientFichier(const QStringList& liste, const QString& chemin) {
    return std::any_of(liste.cbegin(), liste.cend(), [&](const QString& s) {
        return s.compare(chemin, Qt::CaseInsensitive) == 0;
    });
}

QStringList FichiersExistants(const QStringList& liste) {
    QStringList resultat;
    for (const QString& chemin : liste) {
        if (FichierExiste(chemin)) resultat.append(FormeStockee(chemin));
    }
    return SansDoublons(resultat);
}

// ---- Print-inclusion sets --------------------------------------------------------------------

std::array<std::unique_ptr<TInclureImpression>, 3> ensemblesInclusion;
quint32 generationInclusion = 0;

} // namespace

namespace Options {

// Start-up, main window and files
TAV_OCTET(AuDemarrage, "auDemarrage", 0)
TAV_BOOLEEN(AfficherConseils, "afficherConseils", true)
TAV_CHAINE(NumeroConseilEnCours, "numeroConseilEnCours", "1")
TAV_BOOLEEN(RappelSauvegarde, "rappelSauvegarde", true)
TAV_OCTET(FrequenceRappel, "frequenceRappel", 0)
TAV_OCTET(NumeroRappel, "numeroRappel", 1)
TAV_BOOLEEN(RappelMiseAJourDisponible, "rappelMiseAJourDisponible", true)
TAV_BOOLEEN(TailleMaximumAuDemarrage, "tailleMaximumAuDemarrage", true)
TAV_BOOLEEN(AfficherBarreOutils, "afficherBarreOutils", true)
TAV_BOOLEEN(AfficherDate, "afficherDate", true)
TAV_BOOLEEN(AfficherHeure, "afficherHeure", true)
TAV_BOOLEEN(FichierBak, "fichierBak", true)
TAV_BOOLEEN(UtiliserHistorique, "utiliserHistorique", true)
TAV_OCTET(NbFichiersHistorique, "nbFichiersHistorique", 5)
TAV_BOOLEEN(AfficherOngletsClasses, "afficherOngletsClasses", true)
TAV_OCTET(OngletClasses, "ongletClasses", 1)
TAV_BOOLEEN(AfficherMatiereOnglets, "afficherMatiereOnglets", false)
TAV_BOOLEEN(AfficherNomEnseignantOnglets, "afficherNomEnseignantOnglets", false)
TAV_OCTET(OngletsGrillesNotes, "ongletsGrillesNotes", 0)
TAV_OCTET(OngletsGrillesBilans, "ongletsGrillesBilans", 0)
TAV_OCTET(OngletsGraphes, "ongletsGraphes", 0)
TAV_BOOLEEN(AfficherFenetreInfo, "afficherFenetreInfo", true)
TAV_COULEUR(CouleurFenetreInfo, "couleurFenetreInfo", 0x00C8FFC8)
TAV_BOOLEEN(AfficherR, "afficherR", true)
TAV_BOOLEEN(AfficherDatesDeNaissance, "afficherDatesDeNaissance", true)

// Grid and grade colours
TAV_BOOLEEN_CACHE(ColorationGrille, "colorationGrille", true)
TAV_COULEUR_CACHEE(LignesPaires)
TAV_COULEUR_CACHEE(LignesImpaires)
TAV_COULEUR_CACHEE(CouleurSelection)
TAV_BOOLEEN_CACHE(ColorationNote, "colorationNote", true)
TAV_COULEUR_CACHEE(Couleur1Note)
TAV_COULEUR_CACHEE(Couleur2Note)
TAV_COULEUR_CACHEE(Couleur3Note)
TAV_COULEUR_CACHEE(Couleur4Note)
TAV_COULEUR_CACHEE(Couleur5Note)

qint32 CouleurNote(long double v, long double maximum, bool horsBareme) {
    if (horsBareme && (v < 0 || v > maximum)) return Couleur4Note();
    if (v < maximum / 2) return Couleur1Note();
    if (v < 3 * maximum / 4) return Couleur2Note();
    return Couleur3Note();
}

// Averages
TAV_VALEUR_CACHE(qint32, MoyennesSur, "moyennesSur", 20, LireEntier, EcrireEntier)
TAV_VALEUR_CACHE(quint8, ArrondirMoyennes, "arrondirMoyennes", 0, LireOctet, EcrireOctet)
TAV_OCTET(ArrondirMoyennesAnnuelles, "arrondirMoyennesAnnuelles", 0)
TAV_OCTET(TypeMoyennesAnnuelles, "typeMoyennesAnnuelles", 0)
TAV_BOOLEEN(MoyenneParTypeDeNotes, "moyenneParTypeDeNotes", false)
TAV_BOOLEEN(MoyennesEcritEtOral, "moyennesEcritEtOral", false)
TAV_OCTET(TrierMoyennes, "trierMoyennes", 0)

// Graphs
TAV_BOOLEEN(Graphe3D, "graphe3D", true)
TAV_BOOLEEN(GrapheEnCouleur, "grapheEnCouleur", true)
TAV_BOOLEEN(GrapheDegrade, "grapheDegrade", true)
TAV_COULEUR(CouleurDebutDegrade, "couleurDebutDegrade", 0x00FFFF80)
TAV_COULEUR(CouleurFinDegrade, "couleurFinDegrade", 0x00FF8080)
TAV_BOOLEEN(GrapheLegende, "grapheLegende", true)
TAV_BOOLEEN(GrapheLigneEleve, "grapheLigneEleve", true)
TAV_BOOLEEN(GrapheLigneMin, "grapheLigneMin", true)
TAV_BOOLEEN(GrapheLigneMax, "grapheLigneMax", true)
TAV_BOOLEEN(GrapheLigneMoyenne, "grapheLigneMoyenne", true)
TAV_COULEUR(CouleurEleve, "couleurEleve", 0x0000FFFF)
TAV_COULEUR(CouleurMin, "couleurMin", 0x000000FF)
TAV_COULEUR(CouleurMax, "couleurMax", 0x00FF0000)
TAV_COULEUR(CouleurMoyenne, "couleurMoyenne", 0x0080FF80)
TAV_COULEUR(CouleurMurGauche, "couleurMurGauche", 0x00FFFFFF)
TAV_COULEUR(CouleurMurBas, "couleurMurBas", 0x00FFFFFF)

// Printing
TAV_CHAINE(NomPolice, "nomPolice", "Times New Roman")
TAV_OCTET(TaillePolice, "taillePolice", 9)
TAV_CHAINE(EnTeteGauche, "enTeteGauche", "")
TAV_CHAINE(EnTeteCentre, "enTeteCentre", "")
TAV_CHAINE(EnTeteDroite, "enTeteDroite", "")
TAV_CHAINE(BasDePageGauche, "basDePageGauche", "")
TAV_CHAINE(BasDePageDroite, "basDePageDroite", "")
TAV_BOOLEEN(ImpressionFermerBoite, "impressionFermerBoite", true)
TAV_BOOLEEN(ImpressionCouleurNote, "impressionCouleurNote", false)
TAV_BOOLEEN(NumeroterElevesSeriesDeNotes, "numeroterElevesSeriesDeNotes", true)
TAV_BOOLEEN(NumeroterElevesBilans, "numeroterElevesBilans", true)
TAV_BOOLEEN(NumeroterElevesAppreciations, "numeroterElevesAppreciations", true)
TAV_BOOLEEN(NumeroterElevesGrilleVierge, "numeroterElevesGrilleVierge", true)
TAV_BOOLEEN(ImpressionDatesDeNaissanceSeriesDeNotes, "impressionDatesDeNaissanceSeriesDeNotes",
            true)
TAV_BOOLEEN(ImpressionDatesDeNaissanceBilans, "impressionDatesDeNaissanceBilans", true)
TAV_BOOLEEN(ImpressionDatesDeNaissanceAppreciations, "impressionDatesDeNaissanceAppreciations",
            true)
TAV_BOOLEEN(ImpressionDatesDeNaissanceGrilleVierge, "impressionDatesDeNaissanceGrilleVierge", true)
TAV_BOOLEEN(ImpressionRSeriesDeNotes, "impressionRSeriesDeNotes", true)
TAV_BOOLEEN(ImpressionRBilans, "impressionRBilans", true)
TAV_BOOLEEN(ImpressionRAppreciations, "impressionRAppreciations", true)
TAV_BOOLEEN(ImpressionRGrilleVierge, "impressionRGrilleVierge", true)
TAV_BOOLEEN(ImpressionColonneMoyenne, "impressionColonneMoyenne", false)
TAV_BOOLEEN(ColonnesBilanDetaillees, "colonnesBilanDetaillees", false)
TAV_BOOLEEN(ImpressionMoyennesEcritOral, "impressionMoyennesEcritOral", true)
TAV_BOOLEEN(ImpressionColonneClassement, "impressionColonneClassement", true)
TAV_OCTET(TrierMoyennesImpression, "trierMoyennesImpression", 0)
TAV_OCTET(LargeurGrilleVierge, "largeurGrilleVierge", 10)

// Report cards
TAV_BOOLEEN(InclureNomEnseignantBulletin, "inclureNomEnseignantBulletin", true)
TAV_BOOLEEN(InclureAppreciationsBulletin, "inclureAppreciationsBulletin", true)
TAV_CHAINE(Intitulecadrebulletin, "intitulecadrebulletin", "Appréciation du chef d'établissement")
TAV_CHAINE(Fichierlogobulletin, "fichierlogobulletin", "")

// ---- Program folder --------------------------------------------------------------------------

QString Chemin() {
    return LireChemin();
}

void ModifierChemin(const QString& v) {
    const QString avant = LireChemin();
    EcrireChemin(v);
    AnnoncerSiChange(QStringLiteral("Chemin"), avant, LireChemin());
}

// ---- Grade types, subjects, teachers ---------------------------------------------------------

QStringList TypesDeNotesParDefaut() {
    return {QStringLiteral("Comportement"),       QStringLiteral("Contrôle en classe"),
            QStringLiteral("Devoir à la maison"), QStringLiteral("Oral"),
            QStringLiteral("Test en classe"),     QStringLiteral("Travaux pratiques")};
}

QStringList ChargerTypesDeNotes() {
    return Trie(LireListe(CleTypesDeNotes).value_or(TypesDeNotesParDefaut()));
}

void EnregistrerTypesDeNotes(const QStringList& liste) {
    Enregistrer(CleTypesDeNotes, liste, ChargerTypesDeNotes);
}

static QStringList MatieresParDefaut() {
    return {QStringLiteral("Allemand"),
            QStringLiteral("Anglais"),
            QStringLiteral("Arts Plastiques"),
            QStringLiteral("E.P.S"),
            QStringLiteral("Espagnol"),
            QStringLiteral("Français"),
            QStringLiteral("Grec"),
            QStringLiteral("Histoire - Géographie"),
            QStringLiteral("Latin"),
            QStringLiteral("Mathématiques"),
            QStringLiteral("Musique"),
            QStringLiteral("S.E.S"),
            QStringLiteral("Sciences de la Vie et de la Terre"),
            QStringLiteral("Sciences Physiques"),
            QStringLiteral("Tahitien"),
            QStringLiteral("Technologie")};
}

QStringList ChargerMatieres() {
    return Trie(LireListe(CleMatieres).value_or(MatieresParDefaut()));
}

QStringList ReinitialiserMatieres() {
    const QStringList avant = ChargerMatieres();
    SupprimerCle(CleMatieres);
    AnnoncerSiChange(CleMatieres, avant, ChargerMatieres());
    return MatieresParDefaut();
}

void EnregistrerMatieres(const QStringList& liste) {
    Enregistrer(CleMatieres, liste, ChargerMatieres);
}

QStringList ChargerUtilisateurs() {
    if (auto liste = LireListe(CleUtilisateurs)) return Trie(*liste);
    const QString proprietaire = ProprietaireEnregistre();
    return proprietaire.isEmpty() ? QStringList() : QStringList{proprietaire};
}

QStringList UtilisateursParDefaut() {
    const QString proprietaire = ProprietaireEnregistre();
    return {proprietaire.isEmpty() ? QStringLiteral("Le prof inconnu") : proprietaire};
}

void EnregistrerUtilisateurs(const QStringList& liste) {
    Enregistrer(CleUtilisateurs, liste, ChargerUtilisateurs);
}

// ---- Period schemes --------------------------------------------------------------------------

QStringList NomsSchemasPeriodes() {
    return SchemasIntegres() + LireListe(ClePeriodes).value_or(QStringList());
}

QStringList ReinitialiserSchemasPeriodes() {
    Supprimer(ClePeriodes);
    return NomsSchemasPeriodes();
}

QStringList NomsSousPeriodes(const QString& schema) {
    if (auto noms = NomsStockes(ClePeriodes, schema)) return *noms;
    if (schema == QLatin1String("Trimestres"))
        return {QStringLiteral("Premier trimestre"), QStringLiteral("Deuxième trimestre"),
                QStringLiteral("Troisième trimestre")};
    if (schema == QLatin1String("Semestres"))
        return {QStringLiteral("Premier semestre"), QStringLiteral("Deuxième semestre")};
    if (schema == QLatin1String("Mois"))
        return {QStringLiteral("Septembre"), QStringLiteral("Octobre"), QStringLiteral("Novembre"),
                QStringLiteral("Décembre"),  QStringLiteral("Janvier"), QStringLiteral("Février"),
                QStringLiteral("Mars"),      QStringLiteral("Avril"),   QStringLiteral("Mai"),
                QStringLiteral("Juin"),      QStringLiteral("Juillet"), QStringLiteral("Août")};
    return {};
}

void EnregistrerSchemaPeriodes(const QString& nom, const QStringList& noms) {
    if (nom.isEmpty()) return; // an unnamed scheme could never be looked up
    const auto avant = std::pair(NomsSchemasPeriodes(), NomsSousPeriodes(nom));
    auto reglages = OuvrirReglages();
    SupprimerNomsSchema(*reglages, nom);
    QStringList schemas = LireListe(*reglages, ClePeriodes).value_or(QStringList());
    const auto existant = std::find_if(schemas.begin(), schemas.end(), [&](const QString& s) {
        return s.compare(nom, Qt::CaseInsensitive) == 0;
    });
    if (existant != schemas.end())
        *existant = nom; // keeps its place, takes the new spelling
    else
        schemas.append(nom);
    EcrireListe(*reglages, ClePeriodes, schemas, true);
    EcrireListe(*reglages,
                ClePeriodes + QLatin1Char('/') + SegmentCle(nom) + QLatin1Char('/') + SousCleNoms,
                noms);
    reglages->sync();
    AnnoncerSiChange(ClePeriodes, avant, std::pair(NomsSchemasPeriodes(), NomsSousPeriodes(nom)));
}

void SupprimerSchemaPeriodes(const QString& nom) {
    if (nom.isEmpty()) return;
    const auto avant = std::pair(NomsSchemasPeriodes(), NomsSousPeriodes(nom));
    auto reglages = OuvrirReglages();
    SupprimerNomsSchema(*reglages, nom);
    if (auto schemas = LireListe(*reglages, ClePeriodes)) {
        const auto taille = schemas->size();
        schemas->removeIf(
            [&](const QString& s) { return s.compare(nom, Qt::CaseInsensitive) == 0; });
        if (schemas->size() != taille) EcrireListe(*reglages, ClePeriodes, *schemas, true);
    }
    reglages->sync();
    AnnoncerSiChange(ClePeriodes, avant, std::pair(NomsSchemasPeriodes(), NomsSousPeriodes(nom)));
}

// ---- Report-card types -----------------------------------------------------------------------

QStringList NomsTypesBulletins() {
    return TypesBulletinsIntegres() + LireListe(CleNomsBulletins).value_or(QStringList());
}

QStringList NomsSectionsBulletin(const QString& type) {
    if (auto noms = NomsStockes(CleNomsBulletins, type)) return *noms;
    if (type == TypesBulletinsIntegres().at(0)) return {QStringLiteral("Appréciations")};
    if (type == TypesBulletinsIntegres().at(1))
        return {QStringLiteral("Appréciations générales"), QStringLiteral("Progrès et efforts"),
                QStringLiteral("Conseils pour progresser")};
    return {};
}

// ---- Print-inclusion sets --------------------------------------------------------------------

TInclureImpression& InclureImpression(quint8 type) {
    const QString nomType = TInclureImpression::NomDuType(type); // checks the kind
    if (generationInclusion != GenerationReglages()) {
        // The store was redirected: start again from "everything included".
        for (auto& ensemble : ensemblesInclusion) {
            if (ensemble) ensemble->ToutInclure();
        }
        generationInclusion = GenerationReglages();
    }
    auto& ensemble = ensemblesInclusion[type];
    if (!ensemble) ensemble = std::make_unique<TInclureImpression>(type);

    auto reglages = OuvrirReglages();
    reglages->beginGroup(CleInclureImpression);
    const bool existe = reglages->childGroups().contains(nomType);
    if (existe) {
        reglages->beginGroup(nomType);
        for (int i = 0; i < ensemble->NombreLignes(); ++i) {
            const auto valeur = VersBooleen(reglages->value(ensemble->Libelles().at(i)));
            ensemble->ModifierInclure(i, valeur.value_or(true));
        }
        reglages->endGroup();
    }
    reglages->endGroup();
    return *ensemble;
}

void EnregistrerInclureImpression(quint8 type, const TInclureImpression& voulu) {
    // The set given may be the kind's own set, edited in place: its flags are taken before the
    // store refreshes that set.
    const TInclureImpression inclure = voulu;
    TInclureImpression& ensemble = InclureImpression(type);
    const QString cle =
        CleInclureImpression + QLatin1Char('/') + TInclureImpression::NomDuType(type);
    const QList<bool> avant = ensemble.Inclusions();
    for (int i = 0; i < ensemble.NombreLignes(); ++i)
        ensemble.ModifierInclure(i, i < inclure.NombreLignes() ? inclure.Inclure(i) : true);

    auto reglages = OuvrirReglages();
    reglages->remove(cle);
    reglages->beginGroup(cle);
    for (int i = 0; i < ensemble.NombreLignes(); ++i)
        reglages->setValue(ensemble.Libelles().at(i), ensemble.Inclure(i) ? 1 : 0);
    reglages->endGroup();
    reglages->sync();
    if (reglages->status() != QSettings::NoError)
        qWarning("Réglages : impossible d'enregistrer « %s ».", qUtf8Printable(cle));
    AnnoncerSiChange(cle, avant, ensemble.Inclusions());
}

// ---- File history and files open at exit -----------------------------------------------------

QStringList ChargerHistorique() {
    return FichiersExistants(LireListe(CleHistorique).value_or(QStringList()));
}

void EnregistrerHistorique(const QStringList& liste) {
    QStringList fichiers = FichiersExistants(liste);
    // The history is ordered oldest first: past the limit, the oldest entries go.
    const qsizetype limite = NbFichiersHistorique();
    if (fichiers.size() > limite) fichiers.remove(0, fichiers.size() - limite);
    Enregistrer(CleHistorique, fichiers);
}

void AjouterFichierHistorique(const QString& chemin) {
    if (chemin.isEmpty()) return;
    QStringList historique = ChargerHistorique();
    if (!ContientFichier(historique, chemin)) historique.append(FormeStockee(chemin));
    EnregistrerHistorique(historique);
}

QString RaccourciHistorique(int position) {
    if (position >= 0 && position < 10) return QStringLiteral("Alt+%1").arg(position);
    if (position >= 10 && position < 20) return QStringLiteral("Ctrl+%1").arg(position - 10);
    return {};
}

void EnregistrerDerniersFichiers(const QStringList& liste) {
    Enregistrer(CleDerniersFichiers, FichiersExistants(liste));
}

QStringList ChargerDerniersFichiers() {
    return FichiersExistants(LireListe(CleDerniersFichiers).value_or(QStringList()));
}

// ---- Start and end ---------------------------------------------------------------------------

bool AppliquerCompteurRappelSauvegarde() {
    if (!RappelSauvegarde()) {
        if (NumeroRappel() != 1) ModifierNumeroRappel(1);
        return false;
    }
    if (FrequenceRappel() == 1) return true;
    const quint8 numero = NumeroRappel();
    if (numero < 10) {
        ModifierNumeroRappel(numero + 1);
        return false;
    }
    ModifierNumeroRappel(1);
    return true;
}

void TerminerReglages() {
    // A profile that never had a history keeps none.
    if (ListeExiste(CleHistorique)) EnregistrerHistorique(ChargerHistorique());
}

} // namespace Options
