#pragma once
// One copy of the program per user. The first copy listens on a local socket; a later start
// hands its files to it and ends, and the running copy opens them and comes to the front.
#include <QObject>
#include <QStringList>

class QLocalServer;

class TInstanceUnique : public QObject {
    Q_OBJECT
public:
    // The user's socket name (TAVELIN_INSTANCE in the environment overrides it).
    static QString NomParDefaut();

    explicit TInstanceUnique(const QString& nom = NomParDefaut(), QObject* parent = nullptr);
    ~TInstanceUnique() override;

    // Hands the files (absolute paths) to the copy that runs; true when one took them.
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
