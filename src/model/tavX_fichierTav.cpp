#include "tavX_fichierTav.h"

#include "tavX_codec.h"
#include "tavX_constantes.h"
#include "tavX_exceptions.h"
#include "tavX_options.h"

#include <QDate>

#include <optional>

using namespace Tav;

namespace {
const QString Un = QStringLiteral("1");
const QString Zero = QStringLiteral("0");
const QString Abs = QStringLiteral("abs");

QStringList ListeDe(qsizetype taille, const QString& valeur) {
    QStringList l;
    l.reserve(taille);
    for (qsizetype i = 0; i < taille; ++i)
        l.append(valeur);
    return l;
}
} // namespace

TFichierTav::TFichierTav(const QString& nom, bool importSilencieux, bool elevesSeulement) {
    if (nom.isEmpty()) {
        nomClasse = QStringLiteral("Nouvelle classe");
        const int annee = QDate::currentDate().year();
        anneeScolaire = QStringLiteral("%1/%2").arg(annee).arg(annee + 1);
        arrondiMoyennes = Options::ArrondirMoyennes();
        arrondiMoyennesAnnuelles = Options::ArrondirMoyennesAnnuelles();
        typeMoyennesAnnuelles = Options::TypeMoyennesAnnuelles();
        nomFichier = nomClasse;
        nombresSeries = ListeDe(52, Zero);
        libellesClasse = QStringList{QStringLiteral("classe")};
        tableSeries = {ListeDe(NombreLignesSupplementaires, QString())};
        modifie = true;
        valide = true;
        return;
    }
    nomFichier = nom;
    Charger(importSilencieux, elevesSeulement);
}

TFichierTav::~TFichierTav() = default;

// --- Checks and small helpers ---------------------------------------------

void TFichierTav::VerifierPeriode(int p) const {
    if (p < 1 || p > periodes.Liste().size())
        throw TErreurIndice(QStringLiteral("période %1").arg(p));
}

void TFichierTav::VerifierEleve(int s) const {
    if (s < 1 || s > eleves.Liste().size()) throw TErreurIndice(QStringLiteral("élève %1").arg(s));
}

void TFichierTav::VerifierSerie(int p, int j) const {
    VerifierPeriode(p);
    if (j < 1 || j > NombreSeries(p))
        throw TErreurIndice(QStringLiteral("série %1 de la période %2").arg(j).arg(p));
}

void TFichierTav::Remplir(QStringList& liste, qsizetype taille) {
    while (liste.size() < taille)
        liste.append(QString());
}

void TFichierTav::Modifier(QString& champ, const QString& texte) {
    // The same text again changes nothing: the class stays as saved.
    const QString nouveau = CouperTexte(texte);
    if (champ == nouveau) return;
    champ = nouveau;
    modifie = true;
    Annoncer([](TObservateurFichier& o) { o.IdentiteChangee(); });
}

void TFichierTav::ModifierNomFichier(const QString& nom) {
    if (nom == nomFichier) return;
    nomFichier = nom;
    Annoncer([this](TObservateurFichier& o) { o.CheminChange(nomFichier); });
}

void TFichierTav::ModifierEnseignant(const QString& t) {
    Modifier(enseignant, t);
}
void TFichierTav::ModifierClasse(const QString& t) {
    Modifier(nomClasse, t);
}
void TFichierTav::ModifierEcole(const QString& t) {
    Modifier(ecole, t);
}
void TFichierTav::ModifierMatiere(const QString& t) {
    Modifier(matiere, t);
}
void TFichierTav::ModifierAnneeScolaire(const QString& t) {
    Modifier(anneeScolaire, t);
}
void TFichierTav::ModifierRemarque(const QString& t) {
    Modifier(remarque, t);
}
void TFichierTav::ModifierTypePeriodes(const QString& t) {
    if (periodes.TypePeriodes() == CouperTexte(t)) return;
    periodes.ModifierTypePeriodes(CouperTexte(t));
    Annoncer([](TObservateurFichier& o) { o.IdentiteChangee(); });
}

void TFichierTav::ModifierArrondiMoyennes(quint8 v) {
    if (v == arrondiMoyennes) return;
    modifie = true;
    arrondiMoyennes = v;
    Annoncer([](TObservateurFichier& o) { o.ReglagesCalculChanges(); });
}
void TFichierTav::ModifierArrondiMoyennesAnnuelles(quint8 v) {
    if (v == arrondiMoyennesAnnuelles) return;
    modifie = true;
    arrondiMoyennesAnnuelles = v;
    Annoncer([](TObservateurFichier& o) { o.ReglagesCalculChanges(); });
}
void TFichierTav::ModifierTypeMoyennesAnnuelles(quint8 v) {
    if (v == typeMoyennesAnnuelles) return;
    modifie = true;
    typeMoyennesAnnuelles = v;
    Annoncer([](TObservateurFichier& o) { o.ReglagesCalculChanges(); });
}

// --- Counts ---------------------------------------------------------------

int TFichierTav::NombreSeries(int p) const {
    if (p < 1 || p > nombresSeries.size()) throw TErreurIndice(QStringLiteral("période %1").arg(p));
    return nombresSeries.at(p - 1).toInt();
}

int TFichierTav::NombreSeriesAnnee() const {
    int total = 0;
    const int P = NombrePeriodes();
    for (int p = 1; p <= P && p <= nombresSeries.size(); ++p)
        total += NombreSeries(p);
    if (total > 255) throw TErreurIntervalle(QStringLiteral("nombre de séries de l'année"));
    return total;
}

void TFichierTav::DefinirNombreSeries(int p, int n) {
    Remplir(nombresSeries, p);
    nombresSeries[p - 1] = QString::number(n);
}

int TFichierTav::IndiceColonne(int p, int j) const {
    int colonne = 0;
    for (int q = 1; q < p; ++q)
        colonne += NombreSeries(q);
    return colonne + j - 1;
}

QStringList TFichierTav::ColonneSerie(int p, int j) const {
    VerifierSerie(p, j);
    return tableSeries.at(IndiceColonne(p, j));
}

QStringList TFichierTav::TypesDeNotes(int p) const {
    const int P = NombrePeriodes();
    const int premiere = (p < 1 || p > P) ? 1 : p;
    const int derniere = (p < 1 || p > P) ? P : p;
    QStringList types;
    QStringList vus; // every text met, spelled exactly: most series repeat one
    for (int q = premiere; q <= derniere; ++q) {
        for (int j = 1; j <= NombreSeries(q); ++j) {
            const QString type = TypeNotes(q, j);
            if (vus.contains(type)) continue; // sorted in already, or merged
            vus.append(type);
            // Sorted insertion, ignoring a type already there in another case.
            int bas = 0, haut = int(types.size());
            while (bas < haut) {
                const int m = (bas + haut) / 2;
                if (TEleves::Comparer(types.at(m), type) < 0)
                    bas = m + 1;
                else
                    haut = m;
            }
            if (bas < types.size() && TEleves::Comparer(types.at(bas), type) == 0) continue;
            types.insert(bas, type);
        }
    }
    return types;
}

// --- Series table ---------------------------------------------------------

QString TFichierTav::Cellule(int p, int j, int ligne) const {
    VerifierSerie(p, j);
    const QStringList& colonne = tableSeries.at(IndiceColonne(p, j));
    if (ligne < 0 || ligne >= colonne.size())
        throw TErreurIndice(QStringLiteral("ligne %1").arg(ligne));
    return colonne.at(ligne);
}

QString& TFichierTav::CelluleRef(int p, int j, int ligne) {
    VerifierSerie(p, j);
    QStringList& colonne = tableSeries[IndiceColonne(p, j)];
    if (ligne < 0 || ligne >= colonne.size())
        throw TErreurIndice(QStringLiteral("ligne %1").arg(ligne));
    return colonne[ligne];
}

void TFichierTav::ModifierCellule(int p, int j, int ligne, const QString& texte) {
    // A mark, or a row that enters the averages, marks what it changes.
    const int N = NombreEleves();
    if (ligne >= 1 && ligne <= N) return ModifierNote(p, j, texte, ligne);
    if (ligne == N + LigneNoteSur || ligne == N + LigneCoefficient ||
        ligne == N + LigneCompteDansMoyenne)
        return ModifierAttributMoyenne(p, j, ligne - N, texte);
    QString& cellule = CelluleRef(p, j, ligne);
    const QString nouveau = CouperTexte(texte);
    if (cellule != nouveau) {
        cellule = nouveau;
        modifie = true;
        Annoncer([p, j](TObservateurFichier& o) { o.SerieChangee(p, j); });
    }
}

QString TFichierTav::Intitule(int p, int j) const {
    return Cellule(p, j, 0);
}
void TFichierTav::ModifierIntitule(int p, int j, const QString& t) {
    ModifierCellule(p, j, 0, t);
}

QString TFichierTav::Note(int p, int j, int s) const {
    VerifierEleve(s);
    return Cellule(p, j, s);
}

void TFichierTav::ModifierNote(int p, int j, const QString& texte, int s) {
    VerifierEleve(s);
    QString& cellule = CelluleRef(p, j, s);
    const QString nouveau = CouperTexte(texte);
    if (cellule != nouveau) {
        cellule = nouveau;
        modifie = true;
        MarquerStatistiquesSerie(IndiceColonne(p, j));
        MarquerMoyenne(p, s, true);
        MarquerPeriode(p, true);
        Annoncer([p, j, s](TObservateurFichier& o) { o.NoteChangee(p, j, s); });
        return;
    }
    MarquerPeriode(p, true);
}

void TFichierTav::ModifierAttributMoyenne(int p, int j, int offset, const QString& texte) {
    QString& cellule = CelluleRef(p, j, Ligne(offset));
    const QString nouveau = CouperTexte(texte);
    if (cellule != nouveau) {
        cellule = nouveau;
        modifie = true;
        for (int s = 1; s <= NombreEleves(); ++s)
            MarquerMoyenne(p, s, true);
        // The maximum and the weights also enter the series statistics.
        MarquerStatistiquesSerie(IndiceColonne(p, j));
        MarquerPeriode(p, true);
        Annoncer([p, j](TObservateurFichier& o) { o.SerieChangee(p, j); });
        return;
    }
    MarquerPeriode(p, true);
}

QString TFichierTav::NoteSur(int p, int j) const {
    return Cellule(p, j, Ligne(LigneNoteSur));
}
void TFichierTav::ModifierNoteSur(int p, int j, const QString& t) {
    ModifierAttributMoyenne(p, j, LigneNoteSur, t);
}
QString TFichierTav::Coefficient(int p, int j) const {
    return Cellule(p, j, Ligne(LigneCoefficient));
}
void TFichierTav::ModifierCoefficient(int p, int j, const QString& t) {
    ModifierAttributMoyenne(p, j, LigneCoefficient, t);
}
QString TFichierTav::CompteDansMoyenne(int p, int j) const {
    return Cellule(p, j, Ligne(LigneCompteDansMoyenne));
}
void TFichierTav::ModifierCompteDansMoyenne(int p, int j, const QString& t) {
    ModifierAttributMoyenne(p, j, LigneCompteDansMoyenne, t);
}
QString TFichierTav::DateSerie(int p, int j) const {
    return Cellule(p, j, Ligne(LigneDate));
}
void TFichierTav::ModifierDateSerie(int p, int j, const QString& t) {
    ModifierCellule(p, j, Ligne(LigneDate), t);
}
QString TFichierTav::Commentaire(int p, int j) const {
    return Cellule(p, j, Ligne(LigneCommentaire));
}
void TFichierTav::ModifierCommentaire(int p, int j, const QString& t) {
    ModifierCellule(p, j, Ligne(LigneCommentaire), t);
}
QString TFichierTav::TypeNotes(int p, int j) const {
    return Cellule(p, j, Ligne(LigneTypeNotes));
}
void TFichierTav::ModifierTypeNotes(int p, int j, const QString& t) {
    ModifierCellule(p, j, Ligne(LigneTypeNotes), t);
}
QString TFichierTav::OralEcrit(int p, int j) const {
    return Cellule(p, j, Ligne(LigneOralEcrit));
}
void TFichierTav::ModifierOral(int p, int j, bool oral) {
    ModifierCellule(p, j, Ligne(LigneOralEcrit),
                    oral ? QStringLiteral("Oral") : QStringLiteral("Ecrit"));
}

// --- Series ---------------------------------------------------------------

void TFichierTav::AjouterSerie(int p, const QString& intitule, bool oral, const QString& typeNotes,
                               const QString& commentaire, const QString& date,
                               const QString& compteDansMoyenne, const QString& coefficient,
                               const QString& noteSur) {
    VerifierPeriode(p);
    const int avant = NombreSeriesAnnee();
    if (avant >= MaxSeriesAnnee)
        throw TErreurIntervalle(QStringLiteral("nombre de séries de l'année"));
    const int N = NombreEleves();
    const int insertion = IndiceColonne(p, NombreSeries(p) + 1);

    QStringList colonne = ListeDe(N + NombreLignesSupplementaires, QString());
    colonne[0] = CouperTexte(intitule);
    colonne[N + LigneNoteSur] = CouperTexte(noteSur);
    colonne[N + LigneCoefficient] = CouperTexte(coefficient);
    colonne[N + LigneCompteDansMoyenne] = CouperTexte(compteDansMoyenne);
    colonne[N + LigneDate] = CouperTexte(date);
    colonne[N + LigneCommentaire] = CouperTexte(commentaire);
    colonne[N + LigneTypeNotes] = CouperTexte(typeNotes);
    colonne[N + LigneOralEcrit] = oral ? QStringLiteral("Oral") : QStringLiteral("Ecrit");

    // Keep exactly one column per series (empty columns after them dropped).
    tableSeries.resize(qMax(avant, 0));
    tableSeries.insert(insertion, colonne);
    DefinirNombreSeries(p, NombreSeries(p) + 1);
    modifie = true;
    MarquerPeriode(p, true);
    ReconstruireCacheStatistiques();
    const QString titre = CouperTexte(intitule);
    Annoncer([p, &titre](TObservateurFichier& o) {
        o.Operation(QStringLiteral("l'ajout de la série « %1 »").arg(titre));
        o.SeriesChangees(p);
    });
}

void TFichierTav::SupprimerSerie(int p, int colonne) {
    VerifierPeriode(p);
    if (NombreSeries(p) < 1 || colonne < IndiceColonne(p, 1) + 1 ||
        colonne > IndiceColonne(p, NombreSeries(p)) + 1)
        throw TErreurIndice(QStringLiteral("colonne %1").arg(colonne));
    const QString titre = tableSeries.at(colonne - 1).value(0);
    tableSeries.removeAt(colonne - 1);
    if (tableSeries.isEmpty())
        tableSeries.append(ListeDe(NombreEleves() + NombreLignesSupplementaires, QString()));
    DefinirNombreSeries(p, NombreSeries(p) - 1);
    modifie = true;
    MarquerPeriode(p, true);
    // The series may have counted in the period's averages.
    for (int s = 1; s <= NombreEleves(); ++s)
        MarquerMoyenne(p, s, true);
    ReconstruireCacheStatistiques();
    Annoncer([p, &titre](TObservateurFichier& o) {
        o.Operation(QStringLiteral("la suppression de la série « %1 »").arg(titre));
        o.SeriesChangees(p);
    });
}

void TFichierTav::DeplacerSerie(int p, int j, int p2) {
    VerifierSerie(p, j);
    VerifierPeriode(p2);
    const QStringList colonne = ColonneSerie(p, j);
    const int N = NombreEleves();
    std::optional<TSilence> silencieux(std::in_place, *this);
    // Removed first, so that a move within a full year never exceeds the limit.
    SupprimerSerie(p, IndiceColonne(p, j) + 1);
    AjouterSerie(p2, colonne.at(0), colonne.at(N + LigneOralEcrit) == QLatin1String("Oral"),
                 colonne.at(N + LigneTypeNotes), colonne.at(N + LigneCommentaire),
                 colonne.at(N + LigneDate), colonne.at(N + LigneCompteDansMoyenne),
                 colonne.at(N + LigneCoefficient), colonne.at(N + LigneNoteSur));
    const int derniere = NombreSeries(p2);
    for (int s = 1; s <= N; ++s)
        ModifierNote(p2, derniere, colonne.at(s), s);
    MarquerPeriode(p, true);
    MarquerPeriode(p2, true);
    ReconstruireCacheStatistiques();
    silencieux.reset();
    Annoncer([p, p2, &colonne](TObservateurFichier& o) {
        o.Operation(QStringLiteral("le déplacement de la série « %1 »").arg(colonne.at(0)));
        o.SeriesChangees(p);
        if (p2 != p) o.SeriesChangees(p2);
    });
}

void TFichierTav::DescendreSerie(int p, int j) {
    VerifierSerie(p, j);
    VerifierSerie(p, j + 1);
    const int c = IndiceColonne(p, j);
    tableSeries.swapItemsAt(c, c + 1);
    modifie = true;
    ReconstruireCacheStatistiques();
    const QString titre = tableSeries.at(c).value(0);
    Annoncer([p, &titre](TObservateurFichier& o) {
        o.Operation(QStringLiteral("le déplacement de la série « %1 »").arg(titre));
        o.SeriesChangees(p);
    });
}

void TFichierTav::MonterSerie(int p, int j) {
    VerifierSerie(p, j);
    VerifierSerie(p, j - 1);
    const int c = IndiceColonne(p, j);
    tableSeries.swapItemsAt(c, c - 1);
    modifie = true;
    ReconstruireCacheStatistiques();
    const QString titre = tableSeries.at(c).value(0);
    Annoncer([p, &titre](TObservateurFichier& o) {
        o.Operation(QStringLiteral("le déplacement de la série « %1 »").arg(titre));
        o.SeriesChangees(p);
    });
}

// --- Students -------------------------------------------------------------

void TFichierTav::AjouterEleve(const QString& nom, const QString& dateNaissance, bool redoublant,
                               const QString& indiceLibelle) {
    const int N = NombreEleves();
    if (N >= MaxEleves) return;
    const int P = NombrePeriodes();
    const int K = NombreColonnesBulletin();
    const int i = eleves.Ajouter(CouperTexte(nom, MaxLongueurNomEleve));
    const int S = NombreSeriesAnnee();
    for (int c = 0; c < tableSeries.size(); ++c) {
        QStringList& colonne = tableSeries[c];
        Remplir(colonne, N + NombreLignesSupplementaires);
        colonne.insert(i + 1, c < S ? Abs : QString());
    }
    const int N2 = N + 1;
    for (int p = 1; p <= P; ++p) {
        Remplir(points, qsizetype(N) * P);
        points.insert(qsizetype(N2) * (p - 1) + i, QString());
        Remplir(appreciations, qsizetype(N) * K * P);
        for (int c = 0; c < K; ++c)
            appreciations.insert(qsizetype(N2) * K * (p - 1) + qsizetype(K) * i, QString());
    }
    Remplir(datesNaissance, N);
    Remplir(indicesLibelle, N);
    Remplir(redoublants, N);
    datesNaissance.insert(i, CouperTexte(dateNaissance));
    redoublants.insert(i, redoublant ? QStringLiteral("R") : QString());
    indicesLibelle.insert(i, CouperTexte(indiceLibelle));
    modifie = true;
    MarquerToutesPeriodes();
    ReconstruireCacheMoyennes(N2);
    ReconstruireCacheStatistiques();
    Annoncer([&nom](TObservateurFichier& o) {
        o.Operation(QStringLiteral("l'ajout de l'élève « %1 »").arg(nom));
        o.ElevesChanges();
    });
}

void TFichierTav::SupprimerEleve(int s) {
    VerifierEleve(s);
    const int N = NombreEleves();
    const int P = NombrePeriodes();
    const int K = NombreColonnesBulletin();
    const int i = s - 1;
    const QString nom = NomEleve(s);
    for (QStringList& colonne : tableSeries)
        if (s < colonne.size()) colonne.removeAt(s);
    eleves.Supprimer(s);
    const int N2 = N - 1;
    Remplir(points, qsizetype(N) * P);
    Remplir(appreciations, qsizetype(N) * K * P);
    for (int p = 1; p <= P; ++p) {
        points.removeAt(qsizetype(N2) * (p - 1) + i);
        for (int c = 0; c < K; ++c)
            appreciations.removeAt(qsizetype(N2) * K * (p - 1) + qsizetype(K) * i);
    }
    Remplir(datesNaissance, N);
    Remplir(indicesLibelle, N);
    Remplir(redoublants, N);
    datesNaissance.removeAt(i);
    indicesLibelle.removeAt(i);
    redoublants.removeAt(i);
    modifie = true;
    MarquerToutesPeriodes();
    ReconstruireCacheMoyennes(N2);
    ReconstruireCacheStatistiques();
    Annoncer([&nom](TObservateurFichier& o) {
        o.Operation(QStringLiteral("la suppression de l'élève « %1 »").arg(nom));
        o.ElevesChanges();
    });
}

void TFichierTav::DeplacerLigneEleve(int de, int vers) {
    // de and vers are 0-based student positions.
    if (de == vers) return;
    const int N = NombreEleves();
    const int P = NombrePeriodes();
    const int K = NombreColonnesBulletin();
    for (QStringList& colonne : tableSeries) {
        Remplir(colonne, N + NombreLignesSupplementaires);
        colonne.move(de + 1, vers + 1);
    }
    Remplir(points, qsizetype(N) * P);
    Remplir(appreciations, qsizetype(N) * K * P);
    for (int p = 0; p < P; ++p) {
        points.move(qsizetype(N) * p + de, qsizetype(N) * p + vers);
        const qsizetype base = qsizetype(N) * K * p;
        for (int c = 0; c < K; ++c) {
            if (de < vers)
                appreciations.move(base + qsizetype(K) * de, base + qsizetype(K) * vers + K - 1);
            else
                appreciations.move(base + qsizetype(K) * de + c, base + qsizetype(K) * vers + c);
        }
    }
    Remplir(datesNaissance, N);
    Remplir(indicesLibelle, N);
    Remplir(redoublants, N);
    datesNaissance.move(de, vers);
    indicesLibelle.move(de, vers);
    redoublants.move(de, vers);
}

void TFichierTav::ModifierEleve(int s, const QString& nom, bool redoublant,
                                const QString& dateNaissance) {
    VerifierEleve(s);
    const int de = s - 1;
    QStringList noms = eleves.Liste();
    noms.removeAt(de);
    TEleves autres;
    autres.DefinirListeTriee(noms);
    const QString nouveau = CouperTexte(nom, MaxLongueurNomEleve);
    const int vers = autres.PositionInsertion(nouveau);
    noms.insert(vers, nouveau);
    DeplacerLigneEleve(de, vers);
    eleves.DefinirListeTriee(noms);
    datesNaissance[vers] = CouperTexte(dateNaissance);
    redoublants[vers] = redoublant ? QStringLiteral("R") : QString();
    modifie = true;
    MarquerToutesPeriodes();
    InvaliderCalculs();
    Annoncer([&nouveau](TObservateurFichier& o) {
        o.Operation(QStringLiteral("la modification de l'élève « %1 »").arg(nouveau));
        o.ElevesChanges();
    });
}

void TFichierTav::ModifierListeEleves(const QStringList& liste) {
    const QStringList anciens = eleves.Liste();
    const int S = NombreSeriesAnnee();
    eleves.Remplacer(liste);
    const int N = NombreEleves();
    const int P = NombrePeriodes();
    const int K = NombreColonnesBulletin();
    points = ListeDe(qsizetype(P) * N, QString());
    appreciations = ListeDe(qsizetype(P) * N * K, QString());
    datesNaissance = ListeDe(N, QString());
    indicesLibelle = ListeDe(N, Un);
    redoublants = ListeDe(N, QString());

    // The marks follow their student by name, so that the attribute rows stay
    // at N + offset; a new name gets "abs" in every series.
    QList<int> origine(N, -1);
    QList<bool> pris(anciens.size(), false);
    for (int s = 0; s < N; ++s)
        for (int a = 0; a < anciens.size(); ++a)
            if (!pris[a] && anciens.at(a) == eleves.Liste().at(s)) {
                origine[s] = a;
                pris[a] = true;
                break;
            }
    const int ancienN = int(anciens.size());
    for (int c = 0; c < tableSeries.size(); ++c) {
        QStringList ancienne = tableSeries.at(c);
        Remplir(ancienne, ancienN + NombreLignesSupplementaires);
        QStringList colonne;
        colonne.reserve(N + NombreLignesSupplementaires);
        colonne.append(ancienne.at(0));
        for (int s = 0; s < N; ++s)
            colonne.append(origine[s] >= 0 ? ancienne.at(origine[s] + 1)
                                           : (c < S ? Abs : QString()));
        for (int k = 1; k < NombreLignesSupplementaires; ++k)
            colonne.append(ancienne.at(ancienN + k));
        tableSeries[c] = colonne;
    }
    ReconstruireCacheMoyennes(MaxEleves > N ? MaxEleves : N);
    ReconstruireCacheStatistiques();
    modifie = true;
    MarquerToutesPeriodes();
    Annoncer([](TObservateurFichier& o) { o.ElevesChanges(); });
}

void TFichierTav::ModifierDatesNaissance(const QStringList& liste) {
    const int N = NombreEleves();
    Remplir(datesNaissance, N);
    for (int i = 0; i < liste.size() && i < N; ++i)
        datesNaissance[i] = liste.at(i).left(10);
    modifie = true;
    MarquerToutesPeriodes();
    Annoncer([](TObservateurFichier& o) { o.ElevesChanges(); });
}

QString TFichierTav::DateNaissance(int s) const {
    VerifierEleve(s);
    return s - 1 < datesNaissance.size() ? datesNaissance.at(s - 1) : QString();
}

void TFichierTav::ModifierDateNaissance(int s, const QString& texte) {
    VerifierEleve(s);
    Remplir(datesNaissance, s);
    const QString nouveau = CouperTexte(texte);
    if (datesNaissance.at(s - 1) == nouveau) return;
    datesNaissance[s - 1] = nouveau;
    Annoncer([](TObservateurFichier& o) { o.ElevesChanges(); });
}

bool TFichierTav::EstRedoublant(int s) const {
    VerifierEleve(s);
    return s - 1 < redoublants.size() && redoublants.at(s - 1) == QLatin1String("R");
}

void TFichierTav::ModifierRedoublant(int s, bool oui) {
    VerifierEleve(s);
    Remplir(redoublants, s);
    const QString nouveau = oui ? QStringLiteral("R") : QString();
    if (redoublants.at(s - 1) == nouveau) return;
    redoublants[s - 1] = nouveau;
    Annoncer([](TObservateurFichier& o) { o.ElevesChanges(); });
}

QString TFichierTav::IndiceLibelle(int s) const {
    VerifierEleve(s);
    return s - 1 < indicesLibelle.size() ? indicesLibelle.at(s - 1) : Un;
}

// --- Period-level data ----------------------------------------------------

QString TFichierTav::PointsPlusMoins(int p, int s) {
    VerifierPeriode(p);
    VerifierEleve(s);
    const qsizetype i = qsizetype(NombreEleves()) * (p - 1) + (s - 1);
    Remplir(points, i + 1);
    return points.at(i);
}

void TFichierTav::ModifierPointsPlusMoins(int p, int s, const QString& texte) {
    const QString nouveau = CouperTexte(texte);
    if (PointsPlusMoins(p, s) == nouveau) return;
    points[qsizetype(NombreEleves()) * (p - 1) + (s - 1)] = nouveau;
    modifie = true;
    MarquerPeriode(p, true);
    Annoncer([p, s](TObservateurFichier& o) { o.PointsChanges(p, s); });
}

QString TFichierTav::Appreciation(int p, int s, int c) {
    VerifierPeriode(p);
    VerifierEleve(s);
    const int K = NombreColonnesBulletin();
    if (c < 1 || c > K) throw TErreurIndice(QStringLiteral("colonne de bulletin %1").arg(c));
    const qsizetype i = qsizetype(NombreEleves()) * K * (p - 1) + qsizetype(K) * (s - 1) + (c - 1);
    Remplir(appreciations, i + 1);
    return appreciations.at(i);
}

void TFichierTav::ModifierAppreciation(int p, int s, int c, const QString& texte) {
    const QString nouveau = CouperTexte(texte);
    if (Appreciation(p, s, c) == nouveau) return;
    const int K = NombreColonnesBulletin();
    appreciations[qsizetype(NombreEleves()) * K * (p - 1) + qsizetype(K) * (s - 1) + (c - 1)] =
        nouveau;
    modifie = true;
    MarquerPeriode(p, true);
    Annoncer([p, s, c](TObservateurFichier& o) { o.AppreciationChangee(p, s, c); });
}

void TFichierTav::RecreerListes(int elevesParPeriode) {
    const int P = NombrePeriodes();
    const int K = NombreColonnesBulletin();
    nombresSeries = ListeDe(P, Zero);
    points = ListeDe(qsizetype(P) * elevesParPeriode, QString());
    appreciations = ListeDe(qsizetype(P) * elevesParPeriode * K, QString());
    datesNaissance = ListeDe(elevesParPeriode, QString());
    indicesLibelle = ListeDe(elevesParPeriode, Un);
    redoublants = ListeDe(elevesParPeriode, QString());
    tableSeries = {ListeDe(NombreEleves() + NombreLignesSupplementaires, QString())};
    ReconstruireCacheMoyennes(elevesParPeriode);
    ReconstruireCacheStatistiques();
    modifie = true;
}

void TFichierTav::InitialiserClasse(const QString& typePeriodesTexte,
                                    const QString& typeBulletinsTexte) {
    InitialiserClasse(typePeriodesTexte, Options::NomsSousPeriodes(typePeriodesTexte),
                      typeBulletinsTexte, Options::NomsSectionsBulletin(typeBulletinsTexte));
}

void TFichierTav::InitialiserClasse(const QString& typePeriodesTexte,
                                    const QStringList& nomsPeriodes,
                                    const QString& typeBulletinsTexte,
                                    const QStringList& sectionsBulletin) {
    if (nomsPeriodes.isEmpty())
        throw TTavException(QStringLiteral("Le découpage « %1 » ne contient aucune période.")
                                .arg(typePeriodesTexte));
    if (nomsPeriodes.size() > MaxPeriodesFichier)
        throw TTavException(QStringLiteral("Le découpage « %1 » contient %2 périodes ; un fichier "
                                           "Tavelin en contient au plus %3.")
                                .arg(typePeriodesTexte)
                                .arg(nomsPeriodes.size())
                                .arg(MaxPeriodesFichier));
    QStringList periodesCoupees;
    for (const QString& n : nomsPeriodes)
        periodesCoupees.append(CouperTexte(n));
    QStringList colonnes;
    for (const QString& n : sectionsBulletin)
        colonnes.append(CouperTexte(n));
    periodes.ModifierTypePeriodes(CouperTexte(typePeriodesTexte));
    periodes.Remplacer(periodesCoupees);
    typeBulletins.ModifierNom(CouperTexte(typeBulletinsTexte));
    typeBulletins.ModifierColonnes(colonnes);
    RecreerListes(MaxEleves);
    Annoncer([](TObservateurFichier& o) { o.ClasseReinitialisee(); });
}

void TFichierTav::ViderDonnees() {
    RecreerListes(qMax(MaxEleves, NombreEleves()));
    MarquerToutesPeriodes();
    Annoncer([](TObservateurFichier& o) { o.ClasseReinitialisee(); });
}

// --- Caches ---------------------------------------------------------------

void TFichierTav::ReconstruireCacheStatistiques() {
    cacheStatistiques = ListeDe(qsizetype(SlotsStatistiques) * NombreSeriesAnnee(), Un);
}

void TFichierTav::ReconstruireCacheMoyennes(int n) {
    cacheMoyennes = ListeDe(qsizetype(2) * NombrePeriodes() * n, Un);
}

void TFichierTav::MarquerStatistiquesSerie(int colonne) {
    const qsizetype base = qsizetype(SlotsStatistiques) * colonne;
    Remplir(cacheStatistiques, base + SlotsStatistiques);
    for (int k = 0; k < NombreStatistiques; ++k)
        cacheStatistiques[base + k] = Un;
}

QString TFichierTav::MoyenneEnCache(int p, int s) const {
    VerifierPeriode(p);
    VerifierEleve(s);
    const qsizetype i = qsizetype(NombreEleves()) * (p - 1) + (s - 1);
    return i < cacheMoyennes.size() ? cacheMoyennes.at(i) : QString();
}

void TFichierTav::MettreMoyenneEnCache(int p, int s, const QString& texte) {
    VerifierPeriode(p);
    VerifierEleve(s);
    const qsizetype PN = qsizetype(NombrePeriodes()) * NombreEleves();
    Remplir(cacheMoyennes, 2 * PN);
    cacheMoyennes[qsizetype(NombreEleves()) * (p - 1) + (s - 1)] = texte;
}

bool TFichierTav::MoyenneARecalculer(int p, int s) const {
    VerifierPeriode(p);
    VerifierEleve(s);
    const qsizetype PN = qsizetype(NombrePeriodes()) * NombreEleves();
    const qsizetype i = PN + qsizetype(NombreEleves()) * (p - 1) + (s - 1);
    // A slot the cache does not hold yet is stale.
    return i >= cacheMoyennes.size() || cacheMoyennes.at(i) != Zero;
}

void TFichierTav::MarquerMoyenne(int p, int s, bool aRecalculer) {
    VerifierPeriode(p);
    VerifierEleve(s);
    const qsizetype PN = qsizetype(NombrePeriodes()) * NombreEleves();
    Remplir(cacheMoyennes, 2 * PN);
    cacheMoyennes[PN + qsizetype(NombreEleves()) * (p - 1) + (s - 1)] = aRecalculer ? Un : Zero;
}

QString TFichierTav::StatistiqueEnCache(int p, int j, int k) const {
    VerifierSerie(p, j);
    if (k < 1 || k > SlotsStatistiques)
        throw TErreurIndice(QStringLiteral("statistique %1").arg(k));
    const qsizetype i = qsizetype(SlotsStatistiques) * IndiceColonne(p, j) + (k - 1);
    return i < cacheStatistiques.size() ? cacheStatistiques.at(i) : QString();
}

void TFichierTav::MettreStatistiqueEnCache(int p, int j, int k, const QString& texte) {
    VerifierSerie(p, j);
    if (k < 1 || k > SlotsStatistiques)
        throw TErreurIndice(QStringLiteral("statistique %1").arg(k));
    const qsizetype i = qsizetype(SlotsStatistiques) * IndiceColonne(p, j) + (k - 1);
    Remplir(cacheStatistiques, qsizetype(SlotsStatistiques) * NombreSeriesAnnee());
    Remplir(cacheStatistiques, i + 1);
    cacheStatistiques[i] = texte;
}

bool TFichierTav::StatistiqueARecalculer(int p, int j, int k) const {
    VerifierSerie(p, j);
    if (k < 1 || k > SlotsStatistiques)
        throw TErreurIndice(QStringLiteral("statistique %1").arg(k));
    const qsizetype i = qsizetype(SlotsStatistiques) * IndiceColonne(p, j) + (k - 1);
    return i >= cacheStatistiques.size() || cacheStatistiques.at(i) != Zero;
}

void TFichierTav::MarquerStatistique(int p, int j, bool aRecalculer, int k) {
    MettreStatistiqueEnCache(p, j, k, aRecalculer ? Un : Zero);
}

void TFichierTav::InvaliderCalculs() {
    cacheStatistiques.fill(Un);
    Remplir(cacheStatistiques, qsizetype(SlotsStatistiques) * NombreSeriesAnnee());
    const qsizetype PN = qsizetype(NombrePeriodes()) * NombreEleves();
    Remplir(cacheMoyennes, 2 * PN);
    for (qsizetype i = PN; i < 2 * PN; ++i)
        cacheMoyennes[i] = Un;
}
