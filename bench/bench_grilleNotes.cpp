// The grades grid on a maximal class (50 students, 255 series over three trimesters):
// storing one typed mark (the class file, the column's statistics and width), the same with
// the repaint that follows, and a period switch (reload of every column of the period).
// Goals: a stored mark well under 1 ms, a period switch under 50 ms.
#include "_TGrilleNotes.h"
#include "classe_maximale.h"
#include "tavX_fichierTav.h"
#include "tavX_globales.h"
#include "tavX_panneauGrille.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

struct TBanc {
    std::unique_ptr<TFichierTav> fichier = ClasseMaximale();
    TPanneauGrille panneau{QStringLiteral("Pas de séries de notes pour cette période")};
    TGrilleNotesTavelin* grille = new TGrilleNotesTavelin(&panneau, 1, fichier.get(), nullptr);

    TBanc() {
        panneau.resize(1000, 700);
        panneau.show();
        QApplication::processEvents();
    }
};

// Made at the first benchmark, freed before the application.
std::unique_ptr<TBanc> banc;
TBanc& Banc() {
    if (!banc) banc = std::make_unique<TBanc>();
    return *banc;
}

// One mark typed and stored, alternately two values so that each store changes the cell.
void BM_NoteSaisie(benchmark::State& state) {
    TBanc& b = Banc();
    b.grille->NotifPeriode(1, 0);
    const bool peinture = state.range(0) != 0;
    int i = 0;
    for (auto _ : state) {
        const int colonne = i % b.grille->NombreSeries(), eleve = 1 + i % 50;
        b.grille->CelluleEditee(colonne, eleve,
                                i % 2 ? QStringLiteral("12,5") : QStringLiteral("abs"));
        if (peinture) b.grille->viewport()->repaint();
        ++i;
    }
}
BENCHMARK(BM_NoteSaisie)->ArgName("peinture")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// A repaint when nothing changed.
void BM_Peinture(benchmark::State& state) {
    TBanc& b = Banc();
    b.grille->NotifPeriode(1, 0);
    for (auto _ : state)
        b.grille->viewport()->repaint();
}
BENCHMARK(BM_Peinture)->Unit(benchmark::kMicrosecond);

// The period tabs one after the other, statistics in the cache or all to be computed.
void BM_ChangementPeriode(benchmark::State& state) {
    TBanc& b = Banc();
    const bool invalider = state.range(0) != 0;
    int p = 0;
    for (auto _ : state) {
        if (invalider) {
            state.PauseTiming();
            b.fichier->InvaliderCalculs();
            state.ResumeTiming();
        }
        b.grille->NotifPeriode(1 + p % 3, 0);
        ++p;
    }
}
BENCHMARK(BM_ChangementPeriode)
    ->ArgName("calculsInvalides")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    // Never the user's own settings.
    QTemporaryDir dossier;
    DefinirFichierReglages(dossier.filePath(QStringLiteral("reglages-bench.ini")));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    banc.reset();
    DefinirFichierReglages(QString());
    return 0;
}
