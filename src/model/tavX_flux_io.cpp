#include "tavX_flux_io.h"

#include "tavX_codec.h"
#include "tavX_exceptions.h"

TFluxTav::TFluxTav(QByteArray d) : donnees(std::move(d)) {}

TFluxTav::TFluxTav() {
    donnees.reserve(64 * 1024);
}

QString TFluxTav::LireChaine() {
    if (position >= donnees.size())
        throw TTavException(QStringLiteral("fin de fichier inattendue (fichier tronqué)"));
    const int longueur = static_cast<unsigned char>(donnees.at(position));
    if (longueur > donnees.size() - position - 1)
        throw TTavException(QStringLiteral("fin de fichier inattendue (fichier tronqué)"));
    const char* octets = donnees.constData() + position + 1;
    position += 1 + longueur;
    if (longueur == 0) return QString();
    // Short fields (marks, counts, "oui", "Ecrit" ...) repeat all over a
    // class: share one string per distinct value instead of allocating each.
    if (longueur <= 7) {
        quint64 cle = quint64(longueur);
        for (int i = 0; i < longueur; ++i)
            cle |= quint64(static_cast<unsigned char>(octets[i])) << (8 * (i + 1));
        Court& c = courts[(cle * 0x9E3779B97F4A7C15ull) >> (64 - 9)];
        if (c.cle != cle) {
            c.cle = cle;
            c.texte = Tav::DecoderWindows1252(octets, longueur);
        }
        return c.texte;
    }
    return Tav::DecoderWindows1252(octets, longueur);
}

int TFluxTav::LireEntier(int maximum) {
    const qsizetype debut = position;
    const QString texte = LireChaine();
    // Decimal digits only, as the program writes them.
    bool ok = !texte.isEmpty() && texte.size() <= 3;
    int valeur = 0;
    for (QChar c : texte) {
        if (!ok) break;
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            ok = false;
            break;
        }
        valeur = valeur * 10 + (c.unicode() - '0');
    }
    if (!ok || valeur > maximum)
        throw TTavException(
            QStringLiteral("nombre incorrect « %1 » à l'octet %2 (entier de 0 à %3 attendu)")
                .arg(texte.left(20))
                .arg(debut)
                .arg(maximum));
    return valeur;
}

void TFluxTav::EcrireChaine(const QString& texte, bool avecLongueur) {
    const qsizetype n = texte.size();
    if (n > 255)
        throw TTavException(
            QStringLiteral("texte trop long pour un fichier Tavelin (%1 caractères)").arg(n));
    const qsizetype debut = donnees.size();
    if (avecLongueur) donnees.append(char(n));
    const qsizetype texteDebut = donnees.size();
    donnees.resize(texteDebut + n);
    if (!Tav::EncoderWindows1252(texte.constData(), n, donnees.data() + texteDebut)) {
        donnees.truncate(debut);
        const QString c = Tav::CaractereNonRepresentable(texte).value_or(QString());
        throw TTavException(Tav::MessageCaractereNonRepresentable(c));
    }
}

void TFluxTav::EcrireEntier(int valeur) {
    EcrireChaine(QString::number(valeur));
}
