// Report cards of a class of 30 students from 12 subject files: from the file names to the
// finished class PDF on disk, and the parts of the way (gathering, layout, ODT, RTF).
#include "tavX_donneesBulletins.h"
#include "tavX_fichierTav.h"
#include "tavX_globales.h"
#include "tavX_moteurBulletins.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

struct Fixture {
    QTemporaryDir dossier;
    QStringList fichiers;
    Fixture() {
        DefinirFichierReglages(dossier.filePath(QStringLiteral("reglages.ini")));
        quint32 alea = 12345;
        const auto Tirer = [&alea](int n) {
            alea = alea * 1664525u + 1013904223u;
            return int((alea >> 8) % quint32(n));
        };
        for (int m = 0; m < 12; ++m) {
            TFichierTav f;
            f.InitialiserClasse(QStringLiteral("Trimestres"),
                                QStringLiteral("Bulletins par défaut"));
            f.ModifierClasse(QStringLiteral("3e B"));
            f.ModifierEcole(QStringLiteral("Collège Jean Jaurès"));
            f.ModifierMatiere(QStringLiteral("Matière %1").arg(m + 1));
            f.ModifierEnseignant(QStringLiteral("Enseignant %1").arg(m + 1));
            for (int s = 0; s < 30; ++s)
                f.AjouterEleve(QStringLiteral("Elève %1").arg(s + 1, 2, 10, QLatin1Char('0')),
                               QString(), false);
            for (int p = 1; p <= 3; ++p) {
                for (int j = 1; j <= 6; ++j) {
                    f.AjouterSerie(p, QStringLiteral("Série %1").arg(j), false, QString(),
                                   QString(), QString(), QStringLiteral("oui"),
                                   QString::number(1 + j % 2), QStringLiteral("20"));
                    for (int s = 1; s <= 30; ++s)
                        f.ModifierNote(p, j, QString::number(Tirer(21)), s);
                }
                for (int s = 1; s <= 30; ++s)
                    f.ModifierAppreciation(
                        p, s, 1,
                        QStringLiteral("Un trimestre sérieux dans l'ensemble ; des efforts "
                                       "à poursuivre à l'écrit comme à l'oral."));
            }
            const QString chemin = dossier.filePath(QStringLiteral("m%1.tav").arg(m));
            f.Enregistrer(chemin);
            fichiers.append(chemin);
        }
    }
};

Fixture& Donnees() {
    static Fixture f;
    return f;
}

Bulletins::TJeu Rassembler() {
    Bulletins::TOptions o;
    o.periode = 2;
    o.enseignant = true;
    Bulletins::TJeu jeu;
    QString message;
    Bulletins::Rassembler(Donnees().fichiers, o, jeu, message);
    return jeu;
}

void BM_BulletinsClassePdf(benchmark::State& state) {
    const QString sortie = Donnees().dossier.filePath(QStringLiteral("classe.pdf"));
    for (auto _ : state) {
        const Bulletins::TJeu jeu = Rassembler();
        const Bulletins::TMiseEnPage m(jeu.cartes);
        if (jeu.cartes.size() != 30 || !Bulletins::EcrirePdf(sortie, m))
            state.SkipWithError("bulletins non produits");
    }
}
BENCHMARK(BM_BulletinsClassePdf)->Unit(benchmark::kMillisecond);

void BM_BulletinsRassembler(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(Rassembler().cartes.size());
}
BENCHMARK(BM_BulletinsRassembler)->Unit(benchmark::kMillisecond);

void BM_BulletinsMiseEnPage(benchmark::State& state) {
    const Bulletins::TJeu jeu = Rassembler();
    for (auto _ : state) {
        const Bulletins::TMiseEnPage m(jeu.cartes);
        benchmark::DoNotOptimize(m.NombrePages());
    }
}
BENCHMARK(BM_BulletinsMiseEnPage)->Unit(benchmark::kMillisecond);

void BM_BulletinsOdt(benchmark::State& state) {
    const Bulletins::TJeu jeu = Rassembler();
    for (auto _ : state)
        benchmark::DoNotOptimize(Bulletins::Odt(jeu.cartes).size());
}
BENCHMARK(BM_BulletinsOdt)->Unit(benchmark::kMillisecond);

void BM_BulletinsRtf(benchmark::State& state) {
    const Bulletins::TJeu jeu = Rassembler();
    for (auto _ : state)
        benchmark::DoNotOptimize(Bulletins::Rtf(jeu.cartes).size());
}
BENCHMARK(BM_BulletinsRtf)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
