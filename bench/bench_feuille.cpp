// The grades page of a maximal class (50 students, 255 series): storing one mark and repainting
// the three grids, switching period, and repainting when nothing changed. Runs offscreen.
#include "UniteFeuilleClasse.h"
#include "UnitePrincipale.h"
#include "_TGrilleBilan.h"
#include "_TGrilleGenerique.h"
#include "classe_maximale.h"
#include "tavX_fichierTav.h"
#include "tavX_globales.h"
#include "tavX_options.h"
#include "tavX_rangeeOnglets.h"

#include <QApplication>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

struct Fixture {
    QTemporaryDir dossier;
    QString chemin;
    std::unique_ptr<TFormTavelin2> fenetre;
    TFeuilleClasse* feuille = nullptr;

    Fixture() {
        DefinirFichierReglages(dossier.filePath(QStringLiteral("reglages.ini")));
        Options::ModifierAfficherConseils(false);
        Options::ModifierRappelMiseAJourDisponible(false);
        Options::ModifierRappelSauvegarde(false);
        chemin = dossier.filePath(QStringLiteral("maximale.tav"));
        ClasseMaximale()->Enregistrer(chemin);
        fenetre = std::make_unique<TFormTavelin2>(QStringList(), QString());
        fenetre->resize(1280, 900);
        fenetre->show();
        feuille = fenetre->OuvrirOuMontrer(chemin);
        QApplication::processEvents();
    }
    TGrilleGeneriqueTavelin* Grille(TGrilleFeuille* g) {
        return dynamic_cast<TGrilleGeneriqueTavelin*>(g);
    }
    void Repeindre() {
        for (TGrilleFeuille* g :
             {feuille->Grilles().eleves, feuille->Grilles().notes, feuille->Grilles().moyennes})
            if (auto* grille = Grille(g)) grille->viewport()->repaint();
    }
};

// Made in main once the application exists, destroyed before it ends (the main window and its
// sheets cannot outlive the application).
std::unique_ptr<Fixture>& FixtureCourante() {
    static std::unique_ptr<Fixture> f;
    return f;
}

Fixture& Donnees() {
    std::unique_ptr<Fixture>& f = FixtureCourante();
    if (!f) f = std::make_unique<Fixture>();
    return *f;
}

// One mark typed and stored: the column's statistics, the student's averages, the repaint.
void BM_SaisirUneNote(benchmark::State& state) {
    Fixture& d = Donnees();
    TGrilleGeneriqueTavelin* notes = d.Grille(d.feuille->Grilles().notes);
    if (!notes) {
        state.SkipWithError("pas de grille des notes");
        return;
    }
    int i = 0;
    for (auto _ : state) {
        const int ligne = 1 + i % 50;
        notes->CelluleEditee(0, ligne, QString::number(8 + i % 12));
        d.Repeindre();
        ++i;
    }
}
BENCHMARK(BM_SaisirUneNote)->Unit(benchmark::kMillisecond);

// Switching period: the marks and the averages of another period (computed once, then kept).
void BM_ChangerDePeriode(benchmark::State& state) {
    Fixture& d = Donnees();
    const int periodes = d.feuille->Fichier().NombrePeriodes();
    int i = 0;
    for (auto _ : state) {
        d.feuille->ChoisirPeriode(i % periodes);
        d.Repeindre();
        ++i;
    }
}
BENCHMARK(BM_ChangerDePeriode)->Unit(benchmark::kMillisecond);

// The same period after a change of every average: the whole period computed again.
void BM_ChangerDePeriodeApresToutRecalcul(benchmark::State& state) {
    Fixture& d = Donnees();
    const int periodes = d.feuille->Fichier().NombrePeriodes();
    int i = 0;
    for (auto _ : state) {
        d.feuille->NotifToutRecalculer();
        d.feuille->ChoisirPeriode(i % periodes);
        d.Repeindre();
        ++i;
    }
}
BENCHMARK(BM_ChangerDePeriodeApresToutRecalcul)->Unit(benchmark::kMillisecond);

// Opening the maximal class in a second sheet, its grades page painted, then closing it.
void BM_OuvrirLaClasseMaximale(benchmark::State& state) {
    Fixture& d = Donnees();
    for (auto _ : state) {
        TFeuilleClasse* f = d.fenetre->ouvrirFichier(d.chemin);
        if (!f) {
            state.SkipWithError("ouverture impossible");
            return;
        }
        f->repaint();
        for (TGrilleFeuille* g : {f->Grilles().eleves, f->Grilles().notes, f->Grilles().moyennes})
            if (auto* grille = d.Grille(g)) grille->viewport()->repaint();
        state.PauseTiming();
        if (QWidget* sous = f->SousFenetre())
            sous->close();
        else
            f->close();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OuvrirLaClasseMaximale)->Unit(benchmark::kMillisecond);

// A repaint when nothing changed.
void BM_RepeindreSansChangement(benchmark::State& state) {
    Fixture& d = Donnees();
    for (auto _ : state)
        d.Repeindre();
}
BENCHMARK(BM_RepeindreSansChangement)->Unit(benchmark::kMillisecond);

// The year view of the summary page, per-type and written/oral columns on: rebuilt and painted,
// after every average was invalidated (state.range(0) == 1) or from warm caches (0).
void BM_BilanAnnuel(benchmark::State& state) {
    Fixture& d = Donnees();
    Options::ModifierMoyenneParTypeDeNotes(true);
    Options::ModifierMoyennesEcritEtOral(true);
    d.feuille->ChoisirPage(TFeuilleClasse::PageBilans);
    d.feuille->TabControlGrillesBilan()->Choisir(d.feuille->Fichier().NombrePeriodes());
    QApplication::processEvents();
    auto* bilan = dynamic_cast<TGrilleBilanTavelin*>(d.feuille->Grilles().bilan);
    if (!bilan || bilan->Masquee()) {
        state.SkipWithError("pas de grille des bilans");
        return;
    }
    const bool invalider = state.range(0) == 1;
    for (auto _ : state) {
        if (invalider) d.feuille->NotifToutRecalculer();
        bilan->Reconstruire();
        bilan->viewport()->repaint();
    }
    state.counters["colonnes"] = bilan->NombreColonnes();
    d.feuille->ChoisirPage(TFeuilleClasse::PageNotes);
}
BENCHMARK(BM_BilanAnnuel)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// The texts alone of that view (the routine the page and the command line share), after every
// average was invalidated.
void BM_BilanAnnuelTextes(benchmark::State& state) {
    Fixture& d = Donnees();
    Bilan::TReglages r = Bilan::TReglages::DesOptions();
    r.parType = r.ecritOral = true;
    TFichierTav& f = d.feuille->Fichier();
    for (auto _ : state) {
        f.InvaliderCalculs();
        benchmark::DoNotOptimize(Bilan::Calculer(f, f.NombrePeriodes() + 1, r));
    }
}
BENCHMARK(BM_BilanAnnuelTextes)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    FixtureCourante().reset();
    QApplication::processEvents();
    return 0;
}
