#include "tavX_eleves.h"

#include "tavX_constantes.h"
#include "tavX_exceptions.h"

#include <QCollator>
#include <QLocale>

int TEleves::Comparer(const QString& a, const QString& b) {
    static const QCollator collateur = [] {
        QCollator c{QLocale(QLocale::French, QLocale::France)};
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return collateur.compare(a, b);
}

quint8 TEleves::Nombre() const {
    if (noms.size() > 255) throw TErreurIntervalle(QStringLiteral("nombre d'élèves"));
    return quint8(noms.size());
}

QString TEleves::Nom(int s) const {
    if (s > noms.size()) return QString();
    if (s < 1) throw TErreurIndice(QStringLiteral("élève %1").arg(s));
    return noms.at(s - 1);
}

int TEleves::PositionInsertion(const QString& nom) const {
    // First position whose name is not less than the new one.
    int bas = 0, haut = int(noms.size());
    while (bas < haut) {
        const int milieu = (bas + haut) / 2;
        if (Comparer(noms.at(milieu), nom) < 0)
            bas = milieu + 1;
        else
            haut = milieu;
    }
    return bas;
}

int TEleves::Ajouter(const QString& nom) {
    const int i = PositionInsertion(nom);
    noms.insert(i, nom);
    return i;
}

void TEleves::Supprimer(int s) {
    if (s >= 1 && s <= noms.size()) noms.removeAt(s - 1);
}

void TEleves::Remplacer(const QStringList& liste) {
    noms.clear();
    for (const QString& nom : liste)
        Ajouter(nom.left(Tav::MaxLongueurNomEleve));
}
