// Load and save of a maximal class (50 students, 255 series, every field
// filled, points and appreciations set), and the cost of one undo step on it.
#include "classe_maximale.h"
#include "tavX_documentClasse.h"
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

// One typed mark recorded as an undo step (the class written to bytes), then undone and redone.
void BM_EtapeAnnulable(benchmark::State& state) {
    TDocumentClasse d(std::make_unique<TFichierTav>(Donnees().chemin), Donnees().chemin);
    int k = 0;
    for (auto _ : state) {
        d.Fichier().ModifierNote(1, 1, QString::number(++k % 20), 3);
        d.TerminerEtape();
    }
}
BENCHMARK(BM_EtapeAnnulable)->Unit(benchmark::kMicrosecond);

void BM_AnnulerRetablir(benchmark::State& state) {
    TDocumentClasse d(std::make_unique<TFichierTav>(Donnees().chemin), Donnees().chemin);
    d.Fichier().ModifierNote(1, 1, QStringLiteral("7"), 3);
    d.TerminerEtape();
    for (auto _ : state) {
        d.Annuler();
        d.Retablir();
    }
}
BENCHMARK(BM_AnnulerRetablir)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
