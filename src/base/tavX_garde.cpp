#include "tavX_garde.h"

#include "tavX_interlocuteur.h"

#include <QWidget>

namespace Tav {

void SignalerException(const char* ou, const QString& message, QWidget* montrerA) noexcept {
    try {
        qWarning("%s : opération interrompue (%s).", ou,
                 qUtf8Printable(message.isEmpty() ? QStringLiteral("erreur inconnue") : message));
        if (!montrerA) return;
        Erreur(montrerA, message.isEmpty()
                             ? QStringLiteral("L'opération a été interrompue par une erreur "
                                              "inattendue.")
                             : QStringLiteral("L'opération a été interrompue : ") + message);
    } catch (...) {
        // Nothing more can be told.
    }
}

} // namespace Tav
