#pragma once
// TFluxTav: the field stream of a class file. A field is one length byte
// followed by that many Windows-1252 bytes. Reading works on the bytes of the
// whole file held in memory and never reads past their end.
#include <QByteArray>
#include <QString>
#include <array>

class TFluxTav {
public:
    // Reading over the given bytes.
    explicit TFluxTav(QByteArray donnees);
    // Writing into an internal buffer.
    TFluxTav();

    // Next field; raises TTavException when the data ends inside it.
    QString LireChaine();
    // Next field as an integer from 0 to `maximum` (at most 255).
    int LireEntier(int maximum = 255);
    bool FinAtteinte() const { return position >= donnees.size(); }
    qsizetype Position() const { return position; }
    qsizetype Reste() const { return donnees.size() - position; }

    // Appends a field; raises TTavException when the text has a character
    // that Windows-1252 cannot hold or is longer than a field.
    void EcrireChaine(const QString& texte, bool avecLongueur = true);
    void EcrireEntier(int valeur);
    const QByteArray& Donnees() const { return donnees; }

private:
    QByteArray donnees;
    qsizetype position = 0;
    // Short fields already decoded, in a small direct-mapped table.
    struct Court {
        quint64 cle = 0; // length in the low byte, then the bytes; 0 = empty slot
        QString texte;
    };
    std::array<Court, 512> courts;
};
