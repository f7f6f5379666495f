#include "tavX_bilan.h"

#include "tavX_fichierTav.h"
#include "tavX_options.h"

namespace Bilan {

namespace {

const QString Separateur = QStringLiteral(" -> ");

// Builds the columns from left to right.
class TConstructeur {
public:
    TConstructeur(TFichierTav& f, TVue& v) : f(f), v(v), N(f.NombreEleves()) {}

    // A new column with its header; returns its index.
    int Colonne(const QString& entete) {
        QStringList c;
        c.reserve(v.lignes);
        c.append(entete);
        for (int l = 1; l < v.lignes; ++l)
            c.append(QString());
        v.cellules.append(c);
        return int(v.cellules.size()) - 1;
    }
    void Vide() { Colonne(QString()); }
    // A column of averages, one per student, with its statistics.
    template <typename F> int Moyennes(const QString& entete, F&& moyenne) {
        const int c = Colonne(entete);
        QStringList& cellules = v.cellules[c];
        for (int s = 1; s <= N; ++s)
            cellules[s] = moyenne(s);
        v.colonnesStatistiques.append(c);
        return c;
    }
    void Classement(const QStringList& lignes) {
        const int c = Colonne(QString());
        QStringList& cellules = v.cellules[c];
        for (int l = 0; l < lignes.size() && l < v.lignes; ++l)
            cellules[l] = lignes.at(l);
        v.colonneClassement = c;
    }

private:
    TFichierTav& f;
    TVue& v;
    int N;
};

QString Entre(const QString& debut, const QString& texte, QChar guillemet) {
    return debut + guillemet + texte + guillemet;
}

void Statistiques(TFichierTav& f, TVue& v, int N) {
    for (const int c : std::as_const(v.colonnesStatistiques)) {
        QStringList& cellules = v.cellules[c];
        const TFichierTav::TStatistiquesColonne st = f.StatistiquesColonne(cellules.mid(1, N));
        cellules[N + LigneMoyenne] = st.moyenne;
        cellules[N + LigneMinimum] = st.minimum;
        cellules[N + LigneMaximum] = st.maximum;
        cellules[N + LigneEcartType] = st.ecartType;
        cellules[N + LigneSousMoyenne] = st.pourcentageSousMoyenne;
        cellules[N + LigneSousMoyenneClasse] = st.pourcentageSousMoyenneClasse;
    }
}

} // namespace

TReglages TReglages::DesOptions() {
    TReglages r;
    r.parType = Options::MoyenneParTypeDeNotes();
    r.ecritOral = Options::MoyennesEcritEtOral();
    r.descendant = Options::TrierMoyennes() == 1;
    r.arrondi = Options::ArrondirMoyennes();
    r.arrondiAnnuel = Options::ArrondirMoyennesAnnuelles();
    r.typeAnnuel = Options::TypeMoyennesAnnuelles();
    r.datesNaissance = Options::AfficherDatesDeNaissance();
    r.redoublants = Options::AfficherR();
    return r;
}

QString NomAffiche(const TFichierTav& fichier, int s, const TReglages& reglages) {
    QString texte = fichier.NomEleve(s);
    const QString date = fichier.DateNaissance(s);
    if (reglages.datesNaissance && !date.trimmed().isEmpty())
        texte += QStringLiteral(" (") + date + QLatin1Char(')');
    if (reglages.redoublants && fichier.EstRedoublant(s)) texte += QStringLiteral(" (R)");
    return texte;
}

QString MoyenneDeClassement(const QString& ligne) {
    const qsizetype i = ligne.lastIndexOf(Separateur);
    return i < 0 ? QString() : ligne.mid(i + Separateur.size());
}

TVue Calculer(TFichierTav& f, int vue, const TReglages& r) {
    TVue v;
    v.vue = vue;
    const int N = f.NombreEleves();
    const int P = f.NombrePeriodes();
    v.lignes = N + LignesEnPlus;
    TConstructeur ajout(f, v);

    // Numbers, names and the labels of the statistics rows.
    const int numeros = ajout.Colonne(QString());
    const int noms = ajout.Colonne(QStringLiteral("Noms et prénoms"));
    for (int s = 1; s <= N; ++s) {
        v.cellules[numeros][s] = QString::number(s);
        v.cellules[noms][s] = NomAffiche(f, s, r);
    }
    v.cellules[noms][N + LigneMoyenne] = QStringLiteral("Moyenne :");
    v.cellules[noms][N + LigneMinimum] = QStringLiteral("Min :");
    v.cellules[noms][N + LigneMaximum] = QStringLiteral("Max :");
    v.cellules[noms][N + LigneEcartType] = QStringLiteral("Ecart type :");
    v.cellules[noms][N + LigneSousMoyenne] = QStringLiteral("% moyennes < moyenne :");
    v.cellules[noms][N + LigneSousMoyenneClasse] = QStringLiteral("% moyennes < moyenne classe :");

    const bool periode = vue >= 1 && vue <= P;
    const bool annee = vue == P + 1 && P >= 1;
    v.masquee = !((periode && f.NombreSeries(vue) > 0) || (annee && f.NombreSeriesAnnee() > 0));
    if (v.masquee) return v;

    const QString sur = QString::number(f.MoyennesSur());
    const QChar guillemet = QLatin1Char('"');
    const QStringList types = r.parType ? f.TypesDeNotes(vue) : QStringList();

    if (periode) {
        const int p = vue;
        for (const QString& type : types)
            ajout.Moyennes(Entre(QStringLiteral("Moy. "), type, guillemet), [&](int s) {
                return TFichierTav::ArrondirMoyenne(f.MoyenneParType(type, p, s), r.arrondi);
            });
        if (r.parType) ajout.Vide();
        if (r.ecritOral) {
            ajout.Moyennes(r.parType ? QStringLiteral("Moy. Ecrit") : QStringLiteral("Ecrit"),
                           [&](int s) { return f.MoyenneEcritArrondie(p, s, r.arrondi); });
            ajout.Moyennes(r.parType ? QStringLiteral("Moy. Oral") : QStringLiteral("Oral"),
                           [&](int s) { return f.MoyenneOralArrondie(p, s, r.arrondi); });
            ajout.Vide();
        }
        v.colonneMoyenne =
            ajout.Moyennes(QStringLiteral("Moyenne bulletin sur ") + sur,
                           [&](int s) { return f.MoyenneBulletin(p, s, r.arrondi); });
        ajout.Vide();
        ajout.Classement(
            f.Classement(p, r.descendant ? 1 : 0, r.typeAnnuel, r.arrondiAnnuel, r.arrondi));
        ajout.Vide();
        for (int c = 1; c <= f.NombreColonnesBulletin(); ++c) {
            const int colonne = ajout.Colonne(f.NomColonneBulletin(c));
            for (int s = 1; s <= N; ++s)
                v.cellules[colonne][s] = f.Appreciation(p, s, c);
        }
    } else {
        for (const QString& type : types)
            ajout.Moyennes(Entre(QStringLiteral("Moy. "), type, guillemet), [&](int s) {
                return TFichierTav::ArrondirMoyenne(f.MoyenneAnnuelleParType(type, s),
                                                    r.arrondiAnnuel);
            });
        const auto periodes = [&] {
            for (int q = 1; q <= P; ++q)
                ajout.Moyennes(f.NomPeriode(q),
                               [&](int s) { return f.MoyenneBulletin(q, s, r.arrondi); });
        };
        if (!r.parType) periodes();
        ajout.Vide();
        if (r.ecritOral) {
            ajout.Moyennes(QStringLiteral("Moy. 'Ecrit'"),
                           [&](int s) { return f.MoyenneAnnuelleEcrit(s, r.arrondiAnnuel); });
            ajout.Moyennes(QStringLiteral("Moy. 'Oral'"),
                           [&](int s) { return f.MoyenneAnnuelleOral(s, r.arrondiAnnuel); });
            ajout.Vide();
        }
        if (r.parType) {
            periodes();
            ajout.Vide();
        }
        v.colonneMoyenne =
            ajout.Moyennes(QStringLiteral("Moyenne annuelle sur ") + sur, [&](int s) {
                return f.MoyenneAnnuelle(s, r.arrondi, r.arrondiAnnuel, r.typeAnnuel);
            });
        ajout.Vide();
        ajout.Classement(
            f.Classement(vue, r.descendant ? 1 : 0, r.typeAnnuel, r.arrondiAnnuel, r.arrondi));
    }
    Statistiques(f, v, N);
    return v;
}

} // namespace Bilan
