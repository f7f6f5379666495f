#include "tavX_instanceUnique.h"

#include <QDataStream>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

namespace {

constexpr quint32 Signature = 0x54415631;  // "TAV1"
constexpr qint64 TailleMaximale = 1 << 20; // far above any list of files

QByteArray Paquet(const QStringList& fichiers) {
    QByteArray octets;
    QDataStream flux(&octets, QIODevice::WriteOnly);
    flux.setVersion(QDataStream::Qt_6_0);
    flux << Signature << fichiers;
    return octets;
}

bool LirePaquet(const QByteArray& octets, QStringList& fichiers) {
    QDataStream flux(octets);
    flux.setVersion(QDataStream::Qt_6_0);
    quint32 signature = 0;
    flux >> signature;
    if (signature != Signature) return false;
    flux >> fichiers;
    return flux.status() == QDataStream::Ok;
}

} // namespace

QString TInstanceUnique::NomParDefaut() {
    const QString impose = qEnvironmentVariable("TAVELIN_INSTANCE");
    if (!impose.isEmpty()) return impose;
#ifdef Q_OS_WIN
    // Named pipes are machine-wide: the user's name makes the name per user.
    return QStringLiteral("Tavelin-2.x-") + qEnvironmentVariable("USERNAME");
#else
    // The user's private runtime folder keeps the socket away from other users.
    const QString dossier = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!dossier.isEmpty()) return dossier + QStringLiteral("/tavelin-2.x.socket");
    return QStringLiteral("tavelin-2.x-") + qEnvironmentVariable("USER");
#endif
}

TInstanceUnique::TInstanceUnique(const QString& nom, QObject* parent) : QObject(parent), nom(nom) {}

TInstanceUnique::~TInstanceUnique() {
    if (serveur) serveur->close();
}

bool TInstanceUnique::TransmettreACopieEnCours(const QStringList& fichiers) const {
    QLocalSocket socket;
    socket.connectToServer(nom);
    if (!socket.waitForConnected(1000)) return false;
    socket.write(Paquet(fichiers));
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(3000)) return false;
    }
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(1000);
    return true;
}

bool TInstanceUnique::Ecouter() {
    if (serveur && serveur->isListening()) return true;
    if (!serveur) {
        serveur = new QLocalServer(this);
        serveur->setSocketOptions(QLocalServer::UserAccessOption);
        connect(serveur, &QLocalServer::newConnection, this, &TInstanceUnique::NouvelleConnexion);
    }
    if (serveur->listen(nom)) return true;
    if (serveur->serverError() != QAbstractSocket::AddressInUseError) return false;
    // The name is taken: either a copy runs, or a copy that ended badly left its socket behind.
    QLocalSocket essai;
    essai.connectToServer(nom);
    if (essai.waitForConnected(500)) {
        essai.abort();
        return false;
    }
    QLocalServer::removeServer(nom);
    return serveur->listen(nom);
}

bool TInstanceUnique::EcouteEnCours() const {
    return serveur && serveur->isListening();
}

bool TInstanceUnique::DemarrerOuTransmettre(const QStringList& fichiers) {
    if (TransmettreACopieEnCours(fichiers)) return true;
    if (Ecouter()) return false;
    // Two copies started at the same moment: the other one won the name.
    return TransmettreACopieEnCours(fichiers);
}

void TInstanceUnique::NouvelleConnexion() {
    while (QLocalSocket* socket = serveur->nextPendingConnection()) {
        auto* tampon = new QByteArray;
        connect(socket, &QLocalSocket::readyRead, socket, [socket, tampon] {
            tampon->append(socket->readAll());
            if (tampon->size() > TailleMaximale) socket->abort();
        });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket, tampon] {
            tampon->append(socket->readAll());
            QStringList fichiers;
            const bool lu = tampon->size() <= TailleMaximale && LirePaquet(*tampon, fichiers);
            delete tampon;
            socket->deleteLater();
            if (lu) emit fichiersRecus(fichiers);
        });
    }
}
