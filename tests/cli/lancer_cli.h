#pragma once
// tavelin-cli run as a separate process, as a script would run it, in the test's folder: its
// settings store, home and runtime folder are there too, so that nothing of the user's profile
// is read or written.
#include <QProcess>
#include <QTemporaryDir>

namespace TavTestCli {

struct TResultat {
    int code = -1; // -1: the program did not end within a minute
    QByteArray sortie, erreur;
};

inline TResultat Lancer(const QTemporaryDir& dossier, const QStringList& args) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dossier.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dossier.path());
    env.insert(QStringLiteral("HOME"), dossier.path());
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(dossier.path());
    p.start(QStringLiteral(TAV_BIN_DIR "/tavelin-cli"), args);
    if (!p.waitForFinished(60000)) return {};
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

} // namespace TavTestCli
