// Printing a maximal class to PDF: the grades of a period (about ten pages) and the summary,
// measured, laid out, drawn and written (to memory, then through the safe write to a file).
#include "classe_maximale.h"

#include "tavX_fichierTav.h"
#include "tavX_impressionsGrilles.h"

#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

std::unique_ptr<TFichierTav> classe;
QTemporaryDir* dossier = nullptr;

const QPageLayout& Mise() {
    static const QPageLayout mise(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                  QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    return mise;
}

void Imprimer(benchmark::State& etat, Impression::TQuoi quoi, int periode) {
    TParametresImpression p = TParametresImpression::DepuisReglages(quoi);
    p.periode = periode;
    p.geometrie = TGeometriePage::Depuis(Mise());
    p.taillePolice = 8; // fifty students and every statistic row on a portrait page
    int pages = 0;
    for (auto _ : etat) {
        std::unique_ptr<TImpression> impression = CreerImpression(quoi, *classe, p);
        pages = impression->NombrePages();
        if (pages < 1) {
            etat.SkipWithError("le tableau ne tient pas sur la page");
            break;
        }
        TSortiePdf sortie(dossier->filePath(QStringLiteral("sortie.pdf")), Mise(),
                          QStringLiteral("Tavelin"));
        TChoixImpression tout;
        tout.derniere = pages;
        if (!impression->Imprimer(sortie, tout)) etat.SkipWithError("impression impossible");
    }
    etat.counters["pages"] = pages;
}

void BM_NotesEnPdf(benchmark::State& etat) {
    Imprimer(etat, Impression::TQuoi::SeriesDeNotes, 1);
}
BENCHMARK(BM_NotesEnPdf)->Unit(benchmark::kMillisecond);

void BM_BilanAnnuelEnPdf(benchmark::State& etat) {
    Imprimer(etat, Impression::TQuoi::Bilans, 4);
}
BENCHMARK(BM_BilanAnnuelEnPdf)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QTemporaryDir temporaire;
    dossier = &temporaire;
    classe = ClasseMaximale();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    classe.reset();
    return 0;
}
