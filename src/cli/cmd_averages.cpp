#include "commandes.h"

int CommandeAverages(const QStringList& /*args*/) {
    return Cli::ErreurUsage(QStringLiteral("averages"),
                            QStringLiteral("commande pas encore disponible"));
}
