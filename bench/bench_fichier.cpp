// Load and save of a maximal class (50 students, 255 series, every field
// filled, points and appreciations set).
#include "classe_maximale.h"
#include "tavX_fichierTav.h"
#include "tavX_globales.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

struct Fixture {
    QTemporaryDir dossier;
    QString chemin;
    Fixture() {
        DefinirFichierReglages(dossier.filePath(QStringLiteral("reglages.ini")));
        chemin = dossier.filePath(QStringLiteral("maximale.tav"));
        ClasseMaximale()->Enregistrer(chemin);
    }
};

Fixture& Donnees() {
    static Fixture f;
    return f;
}

void BM_ChargerClasseMaximale(benchmark::State& state) {
    const QString chemin = Donnees().chemin;
    for (auto _ : state) {
        TFichierTav f(chemin);
        if (!f.EstValide()) state.SkipWithError("chargement impossible");
        benchmark::DoNotOptimize(f.NombreEleves());
    }
}
BENCHMARK(BM_ChargerClasseMaximale)->Unit(benchmark::kMicrosecond);

void BM_EnregistrerClasseMaximale(benchmark::State& state) {
    TFichierTav f(Donnees().chemin);
    const QString sortie = Donnees().dossier.filePath(QStringLiteral("copie.tav"));
    for (auto _ : state)
        f.Enregistrer(sortie);
}
BENCHMARK(BM_EnregistrerClasseMaximale)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
