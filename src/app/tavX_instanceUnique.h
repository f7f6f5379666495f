#pragma once
// One copy of the program per user. The first copy listens on a local socket; a later start
// hands its files to it and ends, and the running copy opens them and comes to the front.
// The socket lives in a folder private to the user, and a socket that another user made is
// never trusted: without a safe place the program simply runs as a lone copy.
#include <QObject>
#include <QStringList>

class QLocalServer;

class TInstanceUnique : public QObject {
    Q_OBJECT
public:
    // The user's socket name (TAVELIN_INSTANCE in the environment overrides it): in the
    // session's runtime folder, else in a folder "tavelin-<uid>" of the temporary folder. Empty
    // when neither is private to the user: the program then runs alone, without hand-over.
    static QString NomParDefaut();
    // True for a folder that only the user can reach: a real folder (not a link), owned by the
    // user, of mode exactly 0700.
    static bool DossierPrive(const QString& dossier);

    explicit TInstanceUnique(const QString& nom = NomParDefaut(), QObject* parent = nullptr);
    ~TInstanceUnique() override;

    // Hands the files (absolute paths) to the copy that runs; true when one took them. A socket
    // owned by another user is not even connected to.
    bool TransmettreACopieEnCours(const QStringList& fichiers) const;
    // Becomes the running copy; false when another copy already is (or the socket fails).
    bool Ecouter();
    bool EcouteEnCours() const;

    // The start-up step: hand the files over and return true when another copy runs, else
    // become the running copy and return false.
    bool DemarrerOuTransmettre(const QStringList& fichiers);

signals:
    // Files sent by a later start.
    void fichiersRecus(const QStringList& fichiers);

private:
    void NouvelleConnexion();

    QString nom;
    QLocalServer* serveur = nullptr;
};
