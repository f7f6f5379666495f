// Settings shared by every open class: the cost of a writer (value unchanged, then changed with
// nobody listening), and of a scale change followed by two open sheets of the maximal class
// (50 students, 255 series): every average dropped and the shown grids filled again. Offscreen.
#include "UniteFeuilleClasse.h"
#include "UnitePrincipale.h"
#include "classe_maximale.h"
#include "tavX_fichierTav.h"
#include "tavX_globales.h"
#include "tavX_options.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

struct Fixture {
    QTemporaryDir dossier;
    std::unique_ptr<TFormTavelin2> fenetre;

    Fixture() {
        DefinirFichierReglages(dossier.filePath(QStringLiteral("reglages.ini")));
        Options::ModifierAfficherConseils(false);
        Options::ModifierRappelMiseAJourDisponible(false);
        Options::ModifierRappelSauvegarde(false);
    }
    void OuvrirDeuxClasses() {
        if (fenetre) return;
        fenetre = std::make_unique<TFormTavelin2>(QStringList(), QString());
        fenetre->resize(1280, 900);
        fenetre->show();
        for (const char* nom : {"a.tav", "b.tav"}) {
            const QString chemin = dossier.filePath(QString::fromLatin1(nom));
            ClasseMaximale()->Enregistrer(chemin);
            fenetre->OuvrirOuMontrer(chemin);
        }
        QApplication::processEvents();
    }
};

// Made in main once the application exists, destroyed before it ends.
std::unique_ptr<Fixture>& FixtureCourante() {
    static std::unique_ptr<Fixture> f;
    return f;
}

Fixture& Donnees() {
    std::unique_ptr<Fixture>& f = FixtureCourante();
    if (!f) f = std::make_unique<Fixture>();
    return *f;
}

void BM_EcrireReglageInchange(benchmark::State& state) {
    Donnees();
    Options::ModifierCouleurMin(0x123456);
    for (auto _ : state)
        Options::ModifierCouleurMin(0x123456);
}
BENCHMARK(BM_EcrireReglageInchange)->Unit(benchmark::kMicrosecond);

void BM_EcrireReglageChange(benchmark::State& state) {
    Donnees();
    int i = 0;
    for (auto _ : state)
        Options::ModifierCouleurMin(++i);
}
BENCHMARK(BM_EcrireReglageChange)->Unit(benchmark::kMicrosecond);

// Scale 20 <-> 10 from a grid's menu: both sheets are right when the writer returns.
void BM_ChangerEchelleDeuxClasses(benchmark::State& state) {
    Fixture& d = Donnees();
    d.OuvrirDeuxClasses();
    int i = 0;
    for (auto _ : state)
        Options::ModifierMoyennesSur(++i % 2 ? 10 : 20);
}
BENCHMARK(BM_ChangerEchelleDeuxClasses)->Unit(benchmark::kMillisecond);

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
