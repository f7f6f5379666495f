// Annual averages, averages per grade type and written/oral averages.
#include "tavX_calculs_interne.h"

using namespace Tav;
using namespace Tav::Calcul;

// --- Annual average ---------------------------------------------------------------

QString TFichierTav::MoyenneAnnuelle(int s, int modePeriode, int modeAnnuel, int typeAnnuel) const {
    VerifierEleve(s);
    const int P = NombrePeriodes();
    QString moyenne;
    if (typeAnnuel == 1) {
        // Every counted grade of the year weighted together; no points, no
        // period rounding.
        const int N = NombreEleves();
        TSomme somme;
        int colonne = 0;
        for (int q = 1; q <= P && q <= nombresSeries.size(); ++q) {
            const int S = LireCompte(nombresSeries.at(q - 1));
            for (int j = 0; j < S; ++j, ++colonne) {
                const QStringList& c = Colonne(tableSeries, colonne);
                if (TexteLigne(c, N + LigneCompteDansMoyenne) != Oui()) continue;
                long double x, m, coef;
                if (LireNombre(TexteLigne(c, s), x) &&
                    LireNombre(TexteLigne(c, N + LigneNoteSur), m) &&
                    LireNombre(TexteLigne(c, N + LigneCoefficient), coef))
                    somme.Ajouter(x, m, coef);
            }
        }
        moyenne = somme.Moyenne(MoyennesSur());
    } else {
        // The mean of the period report-card averages, each period alike.
        TMoyenneTextes periodes;
        for (int q = 1; q <= P; ++q)
            periodes.Ajouter(ValeurBulletin(q, s, modePeriode));
        moyenne = periodes.Moyenne();
    }
    return ArrondirMoyenne(moyenne, modeAnnuel);
}

// --- Grade types -------------------------------------------------------------------

bool TFichierTav::MemeTypeDeNotes(const QString& a, const QString& b) {
    // The same comparison as the one that merges the entries of TypesDeNotes.
    if (a.compare(b, Qt::CaseInsensitive) == 0) return true;
    return TEleves::Comparer(a, b) == 0;
}

QString TFichierTav::MoyenneParType(const QString& type, int p, int s) const {
    return MoyennePonderee(p, s, SeriesDuType, type);
}

QString TFichierTav::MoyenneAnnuelleParType(const QString& type, int s) const {
    VerifierEleve(s);
    TMoyenneTextes periodes;
    for (int q = 1; q <= NombrePeriodes(); ++q)
        periodes.Ajouter(MoyenneParType(type, q, s));
    return periodes.Moyenne();
}

// --- Written and oral ----------------------------------------------------------------

QString TFichierTav::MoyenneEcrit(int p, int s) const {
    return MoyennePonderee(p, s, SeriesEcrit, QString());
}

QString TFichierTav::MoyenneOral(int p, int s) const {
    return MoyennePonderee(p, s, SeriesOral, QString());
}

QString TFichierTav::MoyenneEcritArrondie(int p, int s, int mode) const {
    return ArrondirMoyenne(MoyenneEcrit(p, s), mode);
}

QString TFichierTav::MoyenneOralArrondie(int p, int s, int mode) const {
    return ArrondirMoyenne(MoyenneOral(p, s), mode);
}

QString TFichierTav::MoyenneAnnuelleEcrit(int s, int mode) const {
    VerifierEleve(s);
    TMoyenneTextes periodes;
    for (int q = 1; q <= NombrePeriodes(); ++q)
        periodes.Ajouter(MoyenneEcritArrondie(q, s, mode));
    return ArrondirMoyenne(periodes.Moyenne(), mode);
}

QString TFichierTav::MoyenneAnnuelleOral(int s, int mode) const {
    VerifierEleve(s);
    TMoyenneTextes periodes;
    for (int q = 1; q <= NombrePeriodes(); ++q)
        periodes.Ajouter(MoyenneOralArrondie(q, s, mode));
    return ArrondirMoyenne(periodes.Moyenne(), mode);
}
