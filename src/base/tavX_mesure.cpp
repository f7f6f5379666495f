#include "tavX_mesure.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QtGlobal>
#include <cstdio>

#ifdef Q_OS_LINUX
#include <time.h>
#include <unistd.h>
#endif

namespace {

QElapsedTimer& Chrono() {
    static QElapsedTimer chrono = [] {
        QElapsedTimer c;
        c.start();
        return c;
    }();
    return chrono;
}

// Milliseconds between the process start and the first call of this unit, or -1.
double DecalageLancement() {
#ifdef Q_OS_LINUX
    // Field 22 of /proc/self/stat: start time in clock ticks since boot.
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly)) return -1;
    const QByteArray texte = stat.readAll();
    const qsizetype fin = texte.lastIndexOf(')');
    if (fin < 0) return -1;
    const QList<QByteArray> champs = texte.mid(fin + 2).split(' ');
    // After the command name, fields start at field 3 (state).
    if (champs.size() < 20) return -1;
    bool ok = false;
    const double ticks = champs.at(19).toDouble(&ok);
    const long parSeconde = sysconf(_SC_CLK_TCK);
    if (!ok || parSeconde <= 0) return -1;
    timespec maintenant{};
    if (clock_gettime(CLOCK_BOOTTIME, &maintenant) != 0) return -1;
    const double depuisDemarrage = maintenant.tv_sec * 1000.0 + maintenant.tv_nsec / 1.0e6;
    const double decalage = depuisDemarrage - ticks * 1000.0 / parSeconde;
    return decalage >= 0 ? decalage : -1;
#else
    return -1;
#endif
}

} // namespace

namespace Mesure {

bool Active() {
    static const bool active = qEnvironmentVariableIntValue("TAVELIN_MESURE") != 0;
    return active;
}

double DepuisLancement() {
    static const double decalage = [] {
        Chrono();
        const double d = DecalageLancement();
        return d < 0 ? 0.0 : d;
    }();
    return decalage + Chrono().nsecsElapsed() / 1.0e6;
}

void Ecrire(const QString& texte) {
    if (!Active()) return;
    std::fprintf(stderr, "Tavelin [mesure] %s (horloge %lld)\n", qUtf8Printable(texte),
                 static_cast<long long>(QDateTime::currentMSecsSinceEpoch()));
    std::fflush(stderr);
}

} // namespace Mesure
