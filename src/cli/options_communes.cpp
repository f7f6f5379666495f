#include "options_communes.h"

#include "commandes.h"
#include "tavX_ecritureSure.h"
#include "tavX_options.h"

#include <QFileInfo>

namespace Cli {

std::optional<int> LireEntier(const QString& texte, int min, int max) {
    if (texte.isEmpty() || texte.size() > 9) return std::nullopt;
    for (const QChar c : texte)
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
    const int v = texte.toInt();
    if (v < min || v > max) return std::nullopt;
    return v;
}

QStringList SansDoublons(const QStringList& fichiers) {
    QStringList uniques, canoniques;
    for (const QString& f : fichiers) {
        const QString c = Tav::CheminCanonique(f);
        if (canoniques.contains(c)) continue;
        canoniques.append(c);
        uniques.append(f);
    }
    return uniques;
}

int TReglagesMoyennes::Sur() const {
    return sur.value_or(int(Options::MoyennesSur()));
}

int TReglagesMoyennes::Arrondi() const {
    return arrondi.value_or(int(Options::ArrondirMoyennes()));
}

int TReglagesMoyennes::ArrondiAnnuel() const {
    return arrondiAnnuel.value_or(int(Options::ArrondirMoyennesAnnuelles()));
}

int TReglagesMoyennes::TypeAnnuel() const {
    return typeAnnuel.value_or(int(Options::TypeMoyennesAnnuelles()));
}

TOptionsCommande::TOptionsCommande(const QString& commande, TFichiers fichiers)
    : commande(commande), attendus(fichiers) {}

void TOptionsCommande::Interrupteur(const char* nom, bool& valeur, bool etat) {
    options.append(
        {QLatin1String(nom), TOption::TGenre::Interrupteur, [&valeur, etat](const QString&) {
             valeur = etat;
             return QString();
         }});
}

void TOptionsCommande::Drapeau(const char* nom, std::function<void()> action) {
    options.append({QLatin1String(nom), TOption::TGenre::Drapeau,
                    [action = std::move(action)](const QString&) {
                        action();
                        return QString();
                    }});
}

void TOptionsCommande::Entier(const char* nom, int min, int max, std::optional<int>& valeur) {
    options.append({QLatin1String(nom), TOption::TGenre::Valeur,
                    [nom = QString::fromLatin1(nom), min, max, &valeur](const QString& texte) {
                        valeur = LireEntier(texte, min, max);
                        if (valeur) return QString();
                        return QStringLiteral("%1 attend un entier de %2 à %3 (reçu « %4 »)")
                            .arg(nom)
                            .arg(min)
                            .arg(max)
                            .arg(texte);
                    }});
}

void TOptionsCommande::Texte(const char* nom, std::function<void(const QString&)> prendre,
                             bool nonVide) {
    options.append({QLatin1String(nom), TOption::TGenre::Valeur,
                    [nom = QString::fromLatin1(nom), nonVide,
                     prendre = std::move(prendre)](const QString& texte) {
                        if (nonVide && texte.isEmpty())
                            return QStringLiteral("valeur manquante après %1").arg(nom);
                        prendre(texte);
                        return QString();
                    }});
}

void TOptionsCommande::Moyennes(TReglagesMoyennes& reglages, bool annuels) {
    Entier("--sur", 1, 1000, reglages.sur);
    Entier("--arrondi", 0, 4, reglages.arrondi);
    if (!annuels) return;
    Entier("--arrondi-annuel", 0, 4, reglages.arrondiAnnuel);
    Entier("--type-annuel", 0, 1, reglages.typeAnnuel);
}

int TOptionsCommande::Lire(const QStringList& args) {
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        if (!a.startsWith(QLatin1String("--"))) {
            // With one file expected, an empty argument counts as none.
            if (attendus == TFichiers::Un) {
                if (!fichiers.value(0).isEmpty())
                    return ErreurUsage(commande, QStringLiteral("un seul fichier attendu"));
                fichiers = QStringList{a};
            } else {
                fichiers.append(a);
            }
            continue;
        }
        const qsizetype egal = a.indexOf(QLatin1Char('='));
        const QString nom = egal < 0 ? a : a.left(egal);
        const TOption* option = nullptr;
        for (const TOption& o : options)
            if (o.nom == nom) option = &o;
        if (!option)
            return ErreurUsage(commande, QStringLiteral("option inconnue « %1 »").arg(nom));
        QString texte;
        switch (option->genre) {
        case TOption::TGenre::Interrupteur:
            if (egal >= 0)
                return ErreurUsage(commande, QStringLiteral("%1 ne prend pas de valeur").arg(nom));
            break;
        case TOption::TGenre::Drapeau:
            break;
        case TOption::TGenre::Valeur:
            if (egal >= 0)
                texte = a.mid(egal + 1);
            else if (i + 1 < args.size())
                texte = args.at(++i);
            else
                return ErreurUsage(commande, QStringLiteral("valeur manquante après %1").arg(nom));
            break;
        }
        const QString erreur = option->prendre(texte);
        if (!erreur.isEmpty()) return ErreurUsage(commande, erreur);
    }
    if (attendus == TFichiers::Un && fichiers.value(0).isEmpty())
        return ErreurUsage(commande, QStringLiteral("fichier de classe attendu"));
    if (fichiers.isEmpty())
        return ErreurUsage(commande, QStringLiteral("au moins un fichier de classe attendu"));
    return 0;
}

} // namespace Cli
