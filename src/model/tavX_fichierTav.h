#pragma once
// TFichierTav: one class file in memory, the class of one teacher in one
// subject for one school year. Every window, grid, dialog and printout reads
// and changes a class only through these operations.
//
// Indexing: periods p = 1..P, students s = 1..N (sorted by name), series
// j = 1..S(p) within a period, report-card columns c = 1..K.
#include "tavX_bulletins.h"
#include "tavX_eleves.h"
#include "tavX_periodes.h"

#include <QList>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class TFluxTav;

// Who shows a class file hears from it here: each operation that changes the class tells, once
// it is done, what it changed, then whether the modified flag changed (saving clears it). The
// class file has at most one observer (the document that owns it); none by default.
class TObservateurFichier {
public:
    virtual ~TObservateurFichier() = default;
    virtual void ModifieChange(bool modifie) = 0;
    virtual void CheminChange(const QString& chemin) = 0;
    // Class, school, subject, school year, remark, teacher, kind of periods.
    virtual void IdentiteChangee() = 0;
    // The roundings and the annual average type kept with the class.
    virtual void ReglagesCalculChanges() = 0;
    // Students added, removed, renamed; birth dates, repeating flags.
    virtual void ElevesChanges() = 0;
    // Series of a period added, removed, moved or reordered.
    virtual void SeriesChangees(int periode) = 0;
    // One series' title, maximum, coefficient, counting, date, comment, type or kind.
    virtual void SerieChangee(int periode, int serie) = 0;
    // One mark (only when its text changed).
    virtual void NoteChangee(int periode, int serie, int eleve) = 0;
    virtual void PointsChanges(int periode, int eleve) = 0;
    virtual void AppreciationChangee(int periode, int eleve, int colonne) = 0;
    // Periods, report-card type or every list made anew.
    virtual void ClasseReinitialisee() = 0;
    // Told before the change it names, by the operations on a whole series or student:
    // "la suppression de la série « DS 3 »", "l'ajout de l'élève « Martin Enzo »".
    virtual void Operation(const QString& description) { Q_UNUSED(description); }
};

class TFichierTav {
public:
    // With an empty file name: a new class. Otherwise loads the file; never
    // raises for a bad file: EstValide() is then false and CauseInvalidite()
    // says why. quietImport suppresses the announcement of a converted old
    // file; elevesSeulement stops after the student list.
    explicit TFichierTav(const QString& nomFichier = QString(), bool importSilencieux = false,
                         bool elevesSeulement = false);
    ~TFichierTav();
    TFichierTav(const TFichierTav&) = delete;
    TFichierTav& operator=(const TFichierTav&) = delete;

    // The window that announces a converted old-format file (title, text).
    // The class file layer shows nothing itself; the program installs this.
    using TAnnonce = std::function<void(const QString& titre, const QString& texte)>;
    static void DefinirAnnonceImportation(TAnnonce annonce);

    // --- State -----------------------------------------------------------
    bool EstValide() const { return valide; }
    bool EstModifie() const { return modifie; }
    bool EstImporte() const { return importe; }
    const QString& CauseInvalidite() const { return causeInvalidite; }
    const QString& MessageImportation() const { return messageImportation; }
    const QString& NomFichier() const { return nomFichier; }
    void ModifierNomFichier(const QString& nom);

    // The observer told of every change (nullptr: none). It must outlive the object or be
    // removed first.
    void DefinirObservateur(TObservateurFichier* o) {
        observateur = o;
        modifieAnnonce = modifie;
    }
    TObservateurFichier* Observateur() const { return observateur; }
    const QString& Version() const { return version; }
    const QString& Signature() const { return signature; }

    // Saves in the current layout. Raises TTavException with the message
    // "Erreur dans l'enregistrement du fichier <path>" on failure; the file on
    // disk and the object are then left as they were.
    void Enregistrer(const QString& nomFichier);
    // Why the last save failed (for a detail line under the message).
    const QString& CauseErreurEnregistrement() const { return causeErreurEnregistrement; }
    // The class as its file holds it: the bytes a save would write now, the object left as it
    // is (file name, modified flag). The autosave writes them to its recovery file.
    QByteArray Octets() const;
    // Puts back, exactly, a class written by Octets(): the students in the order written, the
    // calculations to be done again. The file name, the modified flag and the observer stay;
    // the observer is told nothing. False, and the class unchanged, when the bytes do not hold
    // a class of the current layout.
    bool Restaurer(const QByteArray& octets);
    // Sets the modified flag (the observer is told when it changes).
    void DefinirModifie(bool oui);

    // --- Identity --------------------------------------------------------
    const QString& Enseignant() const { return enseignant; }
    void ModifierEnseignant(const QString& texte);
    const QString& Classe() const { return nomClasse; }
    void ModifierClasse(const QString& texte);
    const QString& Ecole() const { return ecole; }
    void ModifierEcole(const QString& texte);
    const QString& Matiere() const { return matiere; }
    void ModifierMatiere(const QString& texte);
    const QString& AnneeScolaire() const { return anneeScolaire; }
    void ModifierAnneeScolaire(const QString& texte);
    const QString& Remarque() const { return remarque; }
    void ModifierRemarque(const QString& texte);
    const QString& TypePeriodes() const { return periodes.TypePeriodes(); }
    void ModifierTypePeriodes(const QString& texte);

    // Calculation settings kept with the class.
    quint8 ArrondiMoyennes() const { return arrondiMoyennes; }
    void ModifierArrondiMoyennes(quint8 v);
    quint8 ArrondiMoyennesAnnuelles() const { return arrondiMoyennesAnnuelles; }
    void ModifierArrondiMoyennesAnnuelles(quint8 v);
    quint8 TypeMoyennesAnnuelles() const { return typeMoyennesAnnuelles; }
    void ModifierTypeMoyennesAnnuelles(quint8 v);

    // --- Counts and names -------------------------------------------------
    int NombrePeriodes() const { return periodes.Nombre(); }
    QString NomPeriode(int p) const { return periodes.Nom(p); }
    const QStringList& ListePeriodes() const { return periodes.Liste(); }
    int NombreEleves() const { return eleves.Nombre(); }
    QString NomEleve(int s) const { return eleves.Nom(s); }
    const QStringList& ListeEleves() const { return eleves.Liste(); }
    int NombreSeries(int p) const;
    int NombreSeriesAnnee() const;
    int NombreColonnesBulletin() const { return typeBulletins.Nombre(); }
    QString NomColonneBulletin(int c) const { return typeBulletins.renvoieNom(c); }
    const QString& TypeBulletins() const { return typeBulletins.Nom(); }
    const QStringList& ColonnesBulletin() const { return typeBulletins.Colonnes(); }
    const QStringList& LibellesClasse() const { return libellesClasse; }
    QStringList ColonneSerie(int p, int j) const;
    // Sorted type texts of the series of period p (of the year when p is 0 or
    // above P), each once, letter case ignored.
    QStringList TypesDeNotes(int p) const;
    // Column (0-based, over the year) of series j of period p.
    int IndiceColonne(int p, int j) const;

    // --- Series table -----------------------------------------------------
    QString Cellule(int p, int j, int ligne) const;
    void ModifierCellule(int p, int j, int ligne, const QString& texte);

    QString Intitule(int p, int j) const;
    void ModifierIntitule(int p, int j, const QString& texte);
    QString Note(int p, int j, int s) const;
    void ModifierNote(int p, int j, const QString& texte, int s);
    QString NoteSur(int p, int j) const;
    void ModifierNoteSur(int p, int j, const QString& texte);
    QString Coefficient(int p, int j) const;
    void ModifierCoefficient(int p, int j, const QString& texte);
    QString CompteDansMoyenne(int p, int j) const;
    void ModifierCompteDansMoyenne(int p, int j, const QString& texte);
    QString DateSerie(int p, int j) const;
    void ModifierDateSerie(int p, int j, const QString& texte);
    QString Commentaire(int p, int j) const;
    void ModifierCommentaire(int p, int j, const QString& texte);
    QString TypeNotes(int p, int j) const;
    void ModifierTypeNotes(int p, int j, const QString& texte);
    QString OralEcrit(int p, int j) const;
    void ModifierOral(int p, int j, bool oral);

    // --- Series -----------------------------------------------------------
    void AjouterSerie(int p, const QString& intitule, bool oral, const QString& typeNotes,
                      const QString& commentaire, const QString& date,
                      const QString& compteDansMoyenne, const QString& coefficient,
                      const QString& noteSur);
    void SupprimerSerie(int p, int colonne); // colonne counts from 1 over the year
    void DeplacerSerie(int p, int j, int p2);
    void DescendreSerie(int p, int j);
    void MonterSerie(int p, int j);

    // --- Students ---------------------------------------------------------
    void AjouterEleve(const QString& nom, const QString& dateNaissance, bool redoublant,
                      const QString& indiceLibelle = QStringLiteral("1"));
    void SupprimerEleve(int s);
    void ModifierEleve(int s, const QString& nom, bool redoublant, const QString& dateNaissance);
    void ModifierListeEleves(const QStringList& liste);
    void ModifierDatesNaissance(const QStringList& liste);
    QString DateNaissance(int s) const;
    void ModifierDateNaissance(int s, const QString& texte);
    bool EstRedoublant(int s) const;
    void ModifierRedoublant(int s, bool oui);
    QString IndiceLibelle(int s) const;

    // --- Period-level and report-card data --------------------------------
    QString PointsPlusMoins(int p, int s);
    void ModifierPointsPlusMoins(int p, int s, const QString& texte);
    QString Appreciation(int p, int s, int c);
    void ModifierAppreciation(int p, int s, int c, const QString& texte);
    // Raises TTavException (and changes nothing) when the scheme has no
    // period or more than a class file can hold.
    void InitialiserClasse(const QString& typePeriodes, const QString& typeBulletins);
    // The same with the period names and report-card sections given (a copy of another class).
    void InitialiserClasse(const QString& typePeriodes, const QStringList& nomsPeriodes,
                           const QString& typeBulletins, const QStringList& sectionsBulletin);
    void ViderDonnees();

    // --- Recalculation marks and caches ------------------------------------
    bool PeriodeARecalculer(int p) const { return periodes.PeriodeARecalculer(p) != 0; }
    void MarquerPeriode(int p, bool valeur) { periodes.MarquerPeriode(p, valeur ? 1 : 0); }
    QString MoyenneEnCache(int p, int s) const;
    void MettreMoyenneEnCache(int p, int s, const QString& texte);
    bool MoyenneARecalculer(int p, int s) const;
    void MarquerMoyenne(int p, int s, bool aRecalculer);
    QString StatistiqueEnCache(int p, int j, int k) const; // slot k = 1..14
    void MettreStatistiqueEnCache(int p, int j, int k, const QString& texte);
    bool StatistiqueARecalculer(int p, int j, int k) const; // slot k = 1..7
    void MarquerStatistique(int p, int j, bool aRecalculer, int k);
    void InvaliderCalculs();

    // === Calculations (defined in calc/) ==================================
    // BEGIN CALCULATIONS
    // Texts in and out: an empty text means "no value". Rounding modes are
    // those of tavX_nombres.h (PasArrondi .. ArrondiBrevet). Nothing here
    // raises on cell contents; a bad period, student or series index raises
    // TErreurIndice.

    // Scale S of every average: the setting "moyennesSur", unless a scale is
    // imposed on this class (1..1000; 0 follows the setting again). Imposing
    // a different scale invalidates the cached calculations.
    int MoyennesSur() const;
    void ImposerMoyennesSur(int sur);
    int MoyennesSurImposees() const { return moyennesSurImposees; }

    // Period averages. MoyenneBrute is cached per (period, student) and
    // recomputed only when its recalculation mark is set.
    QString MoyenneBrute(int periode, int eleve) const;
    static QString ArrondirMoyenne(const QString& texte, int mode);
    QString MoyenneArrondie(int periode, int eleve, int mode) const;
    QString MoyenneBulletin(int periode, int eleve, int mode) const;

    // Annual, per-type and written/oral averages (never cached).
    QString MoyenneAnnuelle(int eleve, int modePeriode, int modeAnnuel, int typeAnnuel) const;
    QString MoyenneParType(const QString& type, int periode, int eleve) const;
    QString MoyenneAnnuelleParType(const QString& type, int eleve) const;
    QString MoyenneEcrit(int periode, int eleve) const;
    QString MoyenneOral(int periode, int eleve) const;
    QString MoyenneEcritArrondie(int periode, int eleve, int mode) const;
    QString MoyenneOralArrondie(int periode, int eleve, int mode) const;
    QString MoyenneAnnuelleEcrit(int eleve, int mode) const;
    QString MoyenneAnnuelleOral(int eleve, int mode) const;
    // True when two grade types are the same entry of TypesDeNotes.
    static bool MemeTypeDeNotes(const QString& a, const QString& b);

    // Statistics of one series, cached per series (slots 1..7 of the cache).
    QString MinimumSerie(int periode, int serie) const;
    QString MaximumSerie(int periode, int serie) const;
    QString EcartTypeSerie(int periode, int serie) const;
    QString MoyenneSerie(int periode, int serie) const;
    QString NombreNotesSerie(int periode, int serie) const;
    QString PourcentageSousMoyenne(int periode, int serie) const;
    QString PourcentageSousMoyenneClasse(int periode, int serie) const;
    // Statistic k (1..7, the order above) of a series.
    QString StatistiqueSerie(int periode, int serie, int k) const;

    // Statistics of a list of texts; only the number texts count.
    static QString MinimumListe(const QStringList& liste);
    static QString MaximumListe(const QStringList& liste);
    static QString MoyenneListe(const QStringList& liste);
    static QString EcartTypeListe(const QStringList& liste);
    QString PourcentageSousMoyenneListe(const QStringList& liste) const;
    static QString PourcentageSousMoyenneListe(const QStringList& liste, int sur);
    static QString PourcentageSousMoyenneClasseListe(const QStringList& liste);

    // The statistics rows of a column of averages (summary grid).
    struct TStatistiquesColonne {
        QString moyenne;
        QString minimum; // general formatting
        QString maximum; // general formatting
        QString ecartType;
        QString pourcentageSousMoyenne;
        QString pourcentageSousMoyenneClasse;
    };
    TStatistiquesColonne StatistiquesColonne(const QStringList& textes) const;
    static TStatistiquesColonne StatistiquesColonne(const QStringList& textes, int sur);

    // School-record shares of period p (percentages, 2 decimals, no sign),
    // from the report-card averages rounded by "arrondirMoyennes" or by mode.
    QString PourcentageLivretInf8(int periode) const;
    QString PourcentageLivret8a12(int periode) const;
    QString PourcentageLivretSup12(int periode) const;
    QString PourcentageLivretInf8(int periode, int mode) const;
    QString PourcentageLivret8a12(int periode, int mode) const;
    QString PourcentageLivretSup12(int periode, int mode) const;

    // "8,50/20 (title)": the lowest / highest mark of a period on the scale.
    QString NoteLaPlusBasse(int periode, int eleve) const;
    QString NoteLaPlusHaute(int periode, int eleve) const;

    // "Classement ascendant" or "Classement descendant", then one line
    // "name -> average" per student with an average: by report-card average
    // of periode when it is 1..P, by annual average otherwise.
    QStringList Classement(int periode, int descendant, int typeAnnuel, int modeAnnuel,
                           int modePeriode) const;

private:
    // The numbers of one series column, read once from its texts. `textes`
    // shares the column's own list: any change to the column, through any
    // path, detaches the column from it, so a column whose list is no longer
    // this very one is read again before use and the numbers can never be
    // older than the texts. (So no code may keep a reference into a column
    // across a calculation and write through it afterwards: the write would
    // reach the shared list.)
    struct TValeursSerie {
        QStringList textes;
        int eleves = -1;
        bool compte = false;         // counts in the average ("oui")
        bool ecrit = false;          // kind exactly "Ecrit"
        bool oral = false;           // kind exactly "Oral"
        long double coefficient = 0; // NaN when not a number, as the others
        long double noteSur = 0;
        bool bornee = false;            // every number within ±1e2000
        std::vector<long double> notes; // student s at s - 1
        // The sums of the series statistics over the marks that are numbers.
        int nombre = 0;
        long double somme = 0, carres = 0, minimum = 0, maximum = 0, sousMoitie = 0;
    };
    // An average of a period: its text and the number the text reads as
    // (NaN for none).
    struct TMoyennePeriode {
        QString texte;
        long double valeur = 0;
    };
    // The written, oral and per-type averages of one period for every
    // student, computed in one sweep and kept while the period's columns (held
    // here as in TValeursSerie), the student count and the scale stay the same.
    struct TMoyennesPeriode {
        QList<QStringList> colonnes;
        int premiere = -1;
        int eleves = -1;
        int sur = 0;
        bool ecritOralCalcules = false;
        std::vector<TMoyennePeriode> ecrit, oral;
        QStringList types; // per-type averages asked for, in the order asked
        std::vector<std::vector<TMoyennePeriode>> parType;
    };
    const TValeursSerie& ValeursSerie(int colonne) const {
        if (colonne >= 0 && colonne < tableSeries.size() &&
            size_t(colonne) < valeursSeries.size()) {
            const TValeursSerie& v = valeursSeries[size_t(colonne)];
            const QStringList& c = tableSeries.at(colonne);
            if (v.textes.constData() == c.constData() && v.textes.size() == c.size() &&
                v.eleves == NombreEleves())
                return v;
        }
        return LireValeursSerie(colonne);
    }
    const TValeursSerie& LireValeursSerie(int colonne) const;
    TMoyennesPeriode& MoyennesPeriode(int periode) const;
    // The annual averages over every grade of the year (before the annual
    // rounding) of every student, kept like the period results above.
    struct TMoyennesAnnee {
        QList<QStringList> colonnes;
        int eleves = -1;
        int sur = 0;
        std::vector<QString> textes;
    };
    const QString& MoyenneToutesNotes(int eleve) const;
    const TMoyennePeriode& MoyenneEcritOral(int periode, int eleve, bool oral) const;
    const TMoyennePeriode& MoyenneDuType(const QString& type, int periode, int eleve) const;

    int moyennesSurImposees = 0;
    mutable std::vector<TValeursSerie> valeursSeries;
    mutable std::vector<TMoyennesPeriode> moyennesPeriodes;
    mutable TMoyennesAnnee moyennesAnnee;
    int ColonneVerifiee(int periode, int serie) const;
    int PremiereColonne(int periode) const;
    void CalculerMoyennesPeriode(int periode) const;
    void CalculerStatistiquesSerie(int colonne) const;
    const QString& MoyenneBruteEnPlace(int periode, int eleve) const;
    long double ValeurBulletin(int periode, int eleve, int mode) const;
    void StatistiquesLivret(int periode, int mode, QString* inf8, QString* de8a12,
                            QString* sup12) const;
    QString NoteExtreme(int periode, int eleve, bool plusHaute) const;

public:
    // END CALCULATIONS

private:
    friend class TLecteurTav;
    friend class TEcrivainTav;

    void Charger(bool importSilencieux, bool elevesSeulement);
    void VerifierPeriode(int p) const;
    void VerifierEleve(int s) const;
    void VerifierSerie(int p, int j) const;
    int Ligne(int offset) const { return NombreEleves() + offset; }
    QString& CelluleRef(int p, int j, int ligne);
    void ModifierAttributMoyenne(int p, int j, int offset, const QString& texte);
    void MarquerToutesPeriodes() { periodes.MarquerToutes(); }
    void ReconstruireCacheStatistiques();
    void ReconstruireCacheMoyennes(int eleves);
    void MarquerStatistiquesSerie(int colonne);
    void DefinirNombreSeries(int p, int n);
    void RecreerListes(int elevesParPeriode);
    void DeplacerLigneEleve(int de, int vers);
    static void Remplir(QStringList& liste, qsizetype taille);
    void Modifier(QString& champ, const QString& texte);

    // Orders the students loaded in file order, their data moving with them.
    void TrierElevesAvecDonnees();
    // Reads a class from the bytes of a file (raises TTavException on a bad one).
    void LireOctets(QByteArray octets, bool importSilencieux, bool elevesSeulement);
    // Everything but the observer and the file name moves (Restaurer).
    TFichierTav& operator=(TFichierTav&&) = default;

    // Tells the observer what an operation changed, then the modified flag if it changed since
    // it was last told. Nothing while an operation made of others is under way.
    template <typename Annonce> void Annoncer(Annonce&& annonce) {
        if (!observateur || silence > 0) return;
        annonce(*observateur);
        AnnoncerModifie();
    }
    void AnnoncerModifie() {
        if (!observateur || silence > 0 || modifie == modifieAnnonce) return;
        modifieAnnonce = modifie;
        observateur->ModifieChange(modifie);
    }
    // Keeps the observer quiet while it lives (the operation announces the whole afterwards).
    struct TSilence {
        explicit TSilence(TFichierTav& f) : f(f) { ++f.silence; }
        ~TSilence() { --f.silence; }
        TSilence(const TSilence&) = delete;
        TSilence& operator=(const TSilence&) = delete;
        TFichierTav& f;
    };

    TObservateurFichier* observateur = nullptr;
    bool modifieAnnonce = false;
    int silence = 0;
    bool modifie = false;
    QString nomFichier;
    QString version;
    QString signature;
    QString enseignant;
    QString nomClasse;
    QString ecole;
    QString matiere;
    QString anneeScolaire;
    QString remarque;
    quint8 arrondiMoyennes = 0;
    quint8 arrondiMoyennesAnnuelles = 0;
    quint8 typeMoyennesAnnuelles = 0;
    TTypeBulletins typeBulletins;
    TPeriodes periodes;
    TEleves eleves;
    QStringList nombresSeries;
    QList<QStringList> tableSeries; // one column per series of the year, N + 18 rows each
    QStringList points;
    QStringList appreciations;
    QStringList datesNaissance;
    QStringList indicesLibelle;
    QStringList redoublants;
    QStringList libellesClasse;
    mutable QStringList cacheStatistiques;
    mutable QStringList cacheMoyennes;
    bool valide = true;
    bool importe = false;
    // Read back by Restaurer: the students stay in the order written.
    bool sansTri = false;
    QString causeInvalidite;
    QString messageImportation;
    QString causeErreurEnregistrement;
};
