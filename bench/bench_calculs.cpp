// Calculations of a maximal class (50 students, 255 series over three
// trimesters): every period average, annual average and series statistic,
// first right after InvaliderCalculs, then again from the caches.
// Goals: full computation under 0.5 ms, cached pass under 50 µs.
#include "classe_maximale.h"
#include "tavX_fichierTav.h"
#include "tavX_globales.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>

namespace {

TFichierTav& Classe() {
    static const std::unique_ptr<TFichierTav> f = ClasseMaximale();
    return *f;
}

// Everything the grids show for a class: raw averages of every period,
// annual averages, the seven statistics of every series.
void ToutCalculer(const TFichierTav& f, int typeAnnuel) {
    const int P = f.NombrePeriodes();
    const int N = f.NombreEleves();
    for (int p = 1; p <= P; ++p)
        for (int s = 1; s <= N; ++s)
            benchmark::DoNotOptimize(f.MoyenneBrute(p, s));
    for (int s = 1; s <= N; ++s)
        benchmark::DoNotOptimize(f.MoyenneAnnuelle(s, 0, 0, typeAnnuel));
    for (int p = 1; p <= P; ++p)
        for (int j = 1, S = f.NombreSeries(p); j <= S; ++j) {
            benchmark::DoNotOptimize(f.MinimumSerie(p, j));
            benchmark::DoNotOptimize(f.MaximumSerie(p, j));
            benchmark::DoNotOptimize(f.EcartTypeSerie(p, j));
            benchmark::DoNotOptimize(f.MoyenneSerie(p, j));
            benchmark::DoNotOptimize(f.NombreNotesSerie(p, j));
            benchmark::DoNotOptimize(f.PourcentageSousMoyenne(p, j));
            benchmark::DoNotOptimize(f.PourcentageSousMoyenneClasse(p, j));
        }
}

// The scale read from the settings store (as the grids do) or imposed.
void Preparer(TFichierTav& f, bool echelleImposee) {
    f.ImposerMoyennesSur(echelleImposee ? 20 : 0);
}

void BM_CalculComplet(benchmark::State& state) {
    TFichierTav& f = Classe();
    const int typeAnnuel = int(state.range(0));
    Preparer(f, state.range(1) != 0);
    for (auto _ : state) {
        state.PauseTiming();
        f.InvaliderCalculs();
        state.ResumeTiming();
        ToutCalculer(f, typeAnnuel);
    }
}
BENCHMARK(BM_CalculComplet)
    ->ArgNames({"typeAnnuel", "echelleImposee"})
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({0, 1})
    ->Args({1, 1})
    ->Unit(benchmark::kMicrosecond);

void BM_PassageEnCache(benchmark::State& state) {
    TFichierTav& f = Classe();
    const int typeAnnuel = int(state.range(0));
    Preparer(f, state.range(1) != 0);
    f.InvaliderCalculs();
    ToutCalculer(f, typeAnnuel);
    for (auto _ : state)
        ToutCalculer(f, typeAnnuel);
}
BENCHMARK(BM_PassageEnCache)
    ->ArgNames({"typeAnnuel", "echelleImposee"})
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({0, 1})
    ->Args({1, 1})
    ->Unit(benchmark::kMicrosecond);

// One raw average recomputed after a mark typed in its period.
void BM_NoteModifiee(benchmark::State& state) {
    TFichierTav& f = Classe();
    Preparer(f, false);
    f.InvaliderCalculs();
    ToutCalculer(f, 0);
    bool bascule = false;
    for (auto _ : state) {
        f.ModifierNote(2, 5, bascule ? QStringLiteral("12") : QStringLiteral("13,5"), 7);
        bascule = !bascule;
        benchmark::DoNotOptimize(f.MoyenneBrute(2, 7));
        benchmark::DoNotOptimize(f.MoyenneSerie(2, 5));
    }
}
BENCHMARK(BM_NoteModifiee)->Unit(benchmark::kMicrosecond);

// Writes the maximal class to a file, for measuring the command-line tool on
// it: "bench_calculs --ecrire-classe FICHIER [--six-types]". With
// --six-types the series use six grade types, two of them differing only in
// letter case.
int EcrireClasse(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage : bench_calculs --ecrire-classe FICHIER [--six-types]\n");
        return 2;
    }
    const std::unique_ptr<TFichierTav> f = ClasseMaximale();
    if (argc > 3 && std::strcmp(argv[3], "--six-types") == 0) {
        const QString types[] = {
            QStringLiteral("Contrôle en classe"),
            QStringLiteral("Devoir à la maison"),
            QStringLiteral("contrôle en classe"),
            QStringLiteral("Test en classe"),
            QStringLiteral("Oral"),
            QStringLiteral("Travaux pratiques"),
        };
        int i = 0;
        for (int p = 1; p <= f->NombrePeriodes(); ++p)
            for (int j = 1; j <= f->NombreSeries(p); ++j)
                f->ModifierTypeNotes(p, j, types[i++ % 6]);
    }
    try {
        f->Enregistrer(QString::fromLocal8Bit(argv[2]));
    } catch (const std::exception&) {
        std::fprintf(stderr, "échec de l'enregistrement de %s\n", argv[2]);
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    // Never the user's own settings.
    QTemporaryDir dossier;
    DefinirFichierReglages(dossier.filePath(QStringLiteral("reglages-bench.ini")));
    if (argc > 1 && std::strcmp(argv[1], "--ecrire-classe") == 0) {
        const int code = EcrireClasse(argc, argv);
        DefinirFichierReglages(QString());
        return code;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    DefinirFichierReglages(QString());
    return 0;
}
