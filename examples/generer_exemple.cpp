// Generates the example class of the README: a 4e of 25 students in
// mathematics, three trimesters, written and oral series of several types,
// coefficients, some absences, bonus points and appreciations.
// Usage: tavelin-exemple OUT.tav [SUBJECT TEACHER SEED]: with a subject, the same students in
// another subject (other marks from the seed), to gather report cards from several files.
#include "tavX_exceptions.h"
#include "tavX_fichierTav.h"
#include "tavX_globales.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <cstdio>

namespace {

// A small deterministic generator: the example is the same at every run.
struct Alea {
    quint32 etat = 20260908u;
    quint32 Suivant() {
        etat = etat * 1664525u + 1013904223u;
        return etat >> 8;
    }
    int Entre(int a, int b) { return a + int(Suivant() % quint32(b - a + 1)); }
};

QString Virgule(double v) {
    return QString::number(v, 'f', v == int(v) ? 0 : 1).replace('.', ',');
}

struct Serie {
    const char* intitule;
    const char* type;
    bool oral;
    int sur;
    int coefficient;
    bool compte;
    const char* date;
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2 && argc != 5) {
        std::fprintf(stderr, "Usage : tavelin-exemple FICHIER.tav [MATIERE ENSEIGNANT GRAINE]\n");
        return 2;
    }
    const bool autreMatiere = argc == 5;
    // The example must not depend on the settings of whoever generates it.
    QTemporaryDir reglages;
    DefinirFichierReglages(reglages.filePath(QStringLiteral("reglages.ini")));

    TFichierTav f;
    f.InitialiserClasse(QStringLiteral("Trimestres"), QStringLiteral("Bulletins par défaut"));
    f.ModifierEnseignant(autreMatiere ? QString::fromUtf8(argv[3])
                                      : QStringLiteral("Mme Claire Rousseau"));
    f.ModifierClasse(QStringLiteral("4e B"));
    f.ModifierEcole(QStringLiteral("Collège Jean Moulin"));
    f.ModifierMatiere(autreMatiere ? QString::fromUtf8(argv[2]) : QStringLiteral("Mathématiques"));
    f.ModifierAnneeScolaire(QStringLiteral("2026/2027"));
    f.ModifierRemarque(QStringLiteral("Groupe de soutien le jeudi"));

    const char* eleves[][3] = {
        {"Benali Yasmine", "14/02/2013", ""},  {"Bernard Lucas", "03/07/2013", ""},
        {"Blanc Chloé", "22/11/2012", ""},     {"Bonnet Hugo", "09/01/2012", "R"},
        {"Chevalier Emma", "30/05/2013", ""},  {"Da Silva Gabriel", "17/08/2013", ""},
        {"Dubois Léa", "11/12/2013", ""},      {"Durand Nathan", "25/03/2013", ""},
        {"Faure Inès", "06/06/2013", ""},      {"Fontaine Théo", "19/09/2013", ""},
        {"Garnier Manon", "02/04/2013", ""},   {"Girard Louis", "28/10/2012", "R"},
        {"Lambert Jade", "15/01/2013", ""},    {"Lefebvre Arthur", "08/02/2013", ""},
        {"Leroy Camille", "21/07/2013", ""},   {"Martin Enzo", "13/03/2013", ""},
        {"Mercier Lina", "04/11/2013", ""},    {"Morel Jules", "27/06/2013", ""},
        {"N'Diaye Aïssata", "10/10/2013", ""}, {"Petit Zoé", "01/09/2013", ""},
        {"Robert Adam", "16/05/2013", ""},     {"Roux Louise", "23/12/2013", ""},
        {"Simon Raphaël", "07/08/2013", ""},   {"Thomas Alice", "29/01/2013", ""},
        {"Vincent Maël", "12/04/2013", ""}};
    for (const auto& e : eleves)
        f.AjouterEleve(QString::fromUtf8(e[0]), QString::fromUtf8(e[1]), e[2][0] == 'R');

    const Serie trimestres[3][5] = {
        {{"Contrôle n°1 : nombres relatifs", "Contrôle en classe", false, 20, 2, true,
          "29/09/2026"},
         {"Test : priorités opératoires", "Test en classe", false, 10, 1, true, "06/10/2026"},
         {"DM n°1 : fractions", "Devoir à la maison", false, 20, 1, true, "13/10/2026"},
         {"Calcul mental", "Oral", true, 10, 1, true, "10/11/2026"},
         {"Contrôle n°2 : fractions", "Contrôle en classe", false, 20, 2, true, "24/11/2026"}},
        {{"Contrôle n°3 : puissances", "Contrôle en classe", false, 20, 2, true, "12/01/2027"},
         {"DM n°2 : Pythagore", "Devoir à la maison", false, 20, 1, true, "26/01/2027"},
         {"Exposé", "Oral", true, 20, 1, true, "09/02/2027"},
         {"TP tableur", "Travaux pratiques", false, 10, 1, false, "02/03/2027"},
         {"Contrôle n°4 : Pythagore", "Contrôle en classe", false, 20, 2, true, "16/03/2027"}},
        {{"Test : calcul littéral", "Test en classe", false, 10, 1, true, "06/04/2027"},
         {"Contrôle n°5 : équations", "Contrôle en classe", false, 20, 2, true, "04/05/2027"},
         {"DM n°3 : statistiques", "Devoir à la maison", false, 20, 1, true, "18/05/2027"},
         {"Calcul mental", "Oral", true, 10, 1, true, "25/05/2027"},
         {"Contrôle n°6 : proportionnalité", "Contrôle en classe", false, 20, 2, true,
          "08/06/2027"}}};

    Alea alea;
    if (autreMatiere) alea.etat = quint32(QByteArray(argv[4]).toUInt());
    const int N = f.NombreEleves();
    QList<int> niveau(N + 1);
    for (int s = 1; s <= N; ++s)
        niveau[s] = alea.Entre(6, 18);
    for (int p = 1; p <= 3; ++p) {
        for (const Serie& serie : trimestres[p - 1]) {
            f.AjouterSerie(p, QString::fromUtf8(serie.intitule), serie.oral,
                           QString::fromUtf8(serie.type), QString(), QString::fromUtf8(serie.date),
                           serie.compte ? QStringLiteral("oui") : QStringLiteral("non"),
                           QString::number(serie.coefficient), QString::number(serie.sur));
            const int j = f.NombreSeries(p);
            for (int s = 1; s <= N; ++s) {
                if (alea.Entre(1, 30) == 1) {
                    f.ModifierNote(p, j, QStringLiteral("abs"), s);
                    continue;
                }
                double note =
                    (niveau[s] + alea.Entre(-4, 4) + (serie.oral ? 1 : 0)) * serie.sur / 20.0;
                note = qBound(0.0, note + alea.Entre(0, 1) * 0.5, double(serie.sur));
                f.ModifierNote(p, j, Virgule(note), s);
            }
        }
        f.ModifierCommentaire(p, 1, QStringLiteral("Sujet commun aux 4e"));
        for (int s = 1; s <= N; ++s) {
            if (alea.Entre(1, 6) == 1)
                f.ModifierPointsPlusMoins(
                    p, s, alea.Entre(0, 1) ? QStringLiteral("0,5") : QStringLiteral("-1"));
            const int n = niveau[s];
            const QString appreciation =
                n >= 15   ? QStringLiteral("Excellent trimestre. Travail sérieux et efficace.")
                : n >= 12 ? QStringLiteral("Bon trimestre. Continuez ainsi.")
                : n >= 9
                    ? QStringLiteral("Ensemble correct, mais des efforts restent à fournir.")
                    : QStringLiteral("Trimestre difficile : il faut travailler régulièrement.");
            f.ModifierAppreciation(p, s, 1, appreciation);
        }
    }
    try {
        f.Enregistrer(QString::fromLocal8Bit(argv[1]));
    } catch (const TTavException& e) {
        std::fprintf(stderr, "%s : %s\n", e.what(),
                     f.CauseErreurEnregistrement().toUtf8().constData());
        return 1;
    }
    return 0;
}
