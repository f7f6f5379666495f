#include "tavX_instanceUnique.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <optional>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#include <unistd.h>
#endif

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

#ifndef Q_OS_WIN
const QString NomSocket = QStringLiteral("/tavelin-2.x.socket");

// The socket file of the name, as QLocalServer places it.
QString CheminSocket(const QString& nom) {
    return QDir::isAbsolutePath(nom) ? nom : QDir::tempPath() + QLatin1Char('/') + nom;
}
#endif

// The owner of the file of that name; nothing when there is none. Nobody else's socket may
// receive the files, nor may anybody else's file be replaced.
#ifndef Q_OS_WIN
std::optional<uid_t> Proprietaire(const QString& nom, bool* socket = nullptr) {
    struct stat etat {};
    if (::lstat(QFile::encodeName(CheminSocket(nom)).constData(), &etat) != 0) return {};
    if (socket) *socket = S_ISSOCK(etat.st_mode);
    return etat.st_uid;
}
#endif

// True when the name is a socket the user made.
bool SocketDeLUtilisateur(const QString& nom) {
#ifdef Q_OS_WIN
    Q_UNUSED(nom);
    return true;
#else
    bool socket = false;
    return Proprietaire(nom, &socket) == ::getuid() && socket;
#endif
}

// True when a file of that name belongs to someone else.
bool FichierDUnAutre(const QString& nom) {
#ifdef Q_OS_WIN
    Q_UNUSED(nom);
    return false;
#else
    const std::optional<uid_t> proprietaire = Proprietaire(nom);
    return proprietaire && *proprietaire != ::getuid();
#endif
}

} // namespace

bool TInstanceUnique::DossierPrive(const QString& dossier) {
#ifdef Q_OS_WIN
    Q_UNUSED(dossier);
    return false;
#else
    struct stat etat {};
    if (dossier.isEmpty() || ::lstat(QFile::encodeName(dossier).constData(), &etat) != 0)
        return false;
    return S_ISDIR(etat.st_mode) && etat.st_uid == ::getuid() && (etat.st_mode & 07777) == 0700;
#endif
}

QString TInstanceUnique::NomParDefaut() {
    const QString impose = qEnvironmentVariable("TAVELIN_INSTANCE");
    if (!impose.isEmpty()) return impose;
#ifdef Q_OS_WIN
    // Named pipes are machine-wide: the user's name makes the name per user.
    return QStringLiteral("Tavelin-2.x-") + qEnvironmentVariable("USERNAME");
#else
    // The session's runtime folder keeps the socket away from other users, when it is sound.
    const QString session = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (DossierPrive(session)) return session + NomSocket;
    // Else a folder of our own in the shared temporary folder. Another user may have made it
    // first, or made it reachable: it is then refused, and the program runs alone.
    const QString dossier =
        QDir::tempPath() + QStringLiteral("/tavelin-") + QString::number(::getuid());
    const QByteArray nomDossier = QFile::encodeName(dossier);
    if (::mkdir(nomDossier.constData(), 0700) == 0) ::chmod(nomDossier.constData(), 0700);
    if (DossierPrive(dossier)) return dossier + NomSocket;
    return QString();
#endif
}

TInstanceUnique::TInstanceUnique(const QString& nom, QObject* parent) : QObject(parent), nom(nom) {}

TInstanceUnique::~TInstanceUnique() {
    if (serveur) serveur->close();
}

bool TInstanceUnique::TransmettreACopieEnCours(const QStringList& fichiers) const {
    if (nom.isEmpty() || !SocketDeLUtilisateur(nom)) return false;
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
    // Someone else's file under the name is neither trusted nor replaced (listening with user
    // access puts the socket in place by a rename, which would replace it).
    if (nom.isEmpty() || FichierDUnAutre(nom)) return false;
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
    // Without a private place for the socket the program runs alone.
    if (nom.isEmpty()) return false;
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
