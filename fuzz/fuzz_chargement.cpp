// libFuzzer target for the class file loader: every input goes through the
// path of fuzz_commun.h, and any fault it finds stops the run.
#include "fuzz_commun.h"
#include "tavX_globales.h"

#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

namespace {

QTemporaryDir& Dossier() {
    static QTemporaryDir dossier;
    return dossier;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    if (!Dossier().isValid()) std::abort();
    // Settings in a private store: the run never touches the user's own.
    DefinirFichierReglages(QDir(Dossier().path()).filePath(QStringLiteral("reglages.ini")));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
    const QByteArray octets(reinterpret_cast<const char*>(donnees), qsizetype(taille));
    const TavFuzz::Resultat r = TavFuzz::Rejouer(octets, Dossier().path());
    if (!r.erreur.isEmpty()) {
        std::fprintf(stderr, "Défaut trouvé : %s\n", qPrintable(r.erreur));
        std::abort();
    }
    return 0;
}
