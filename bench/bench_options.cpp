// The options dialog: opening it and closing it untouched (every setting read, then written
// again with its value), and the first close on a fresh profile, which writes every setting
// that was never stored. Offscreen.
#include "_FormOptions.h"
#include "tavX_globales.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

QTemporaryDir* dossier = nullptr;

QString Reglages() {
    return dossier->filePath(QStringLiteral("reglages.ini"));
}

void BM_OuvrirFermerSansChangement(benchmark::State& etat) {
    DefinirFichierReglages(Reglages());
    { TFormOptions premier; } // every setting stored once
    for (auto _ : etat) {
        TFormOptions dialogue;
        dialogue.Enregistrer();
    }
}
BENCHMARK(BM_OuvrirFermerSansChangement)->Unit(benchmark::kMillisecond);

void BM_PremiereFermeture(benchmark::State& etat) {
    for (auto _ : etat) {
        etat.PauseTiming();
        QFile::remove(Reglages());
        DefinirFichierReglages(Reglages());
        etat.ResumeTiming();
        TFormOptions dialogue;
        dialogue.Enregistrer();
    }
}
BENCHMARK(BM_PremiereFermeture)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir temporaire;
    dossier = &temporaire;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    DefinirFichierReglages(QString());
    return 0;
}
