#include "tavX_periodes.h"

#include "tavX_exceptions.h"

TPeriodes::TPeriodes() : typePeriodes(QStringLiteral("Trimestres")) {
    Remplacer(NomsIntegres(typePeriodes));
}

QStringList TPeriodes::NomsIntegres(const QString& type) {
    if (type == QLatin1String("Trimestres"))
        return {QStringLiteral("Premier trimestre"), QStringLiteral("Deuxième trimestre"),
                QStringLiteral("Troisième trimestre")};
    if (type == QLatin1String("Semestres"))
        return {QStringLiteral("Premier semestre"), QStringLiteral("Deuxième semestre")};
    if (type == QLatin1String("Mois"))
        return {QStringLiteral("Septembre"), QStringLiteral("Octobre"), QStringLiteral("Novembre"),
                QStringLiteral("Décembre"),  QStringLiteral("Janvier"), QStringLiteral("Février"),
                QStringLiteral("Mars"),      QStringLiteral("Avril"),   QStringLiteral("Mai"),
                QStringLiteral("Juin"),      QStringLiteral("Juillet"), QStringLiteral("Août")};
    return {};
}

quint8 TPeriodes::Nombre() const {
    if (noms.size() > 255) throw TErreurIntervalle(QStringLiteral("nombre de périodes"));
    return quint8(noms.size());
}

QString TPeriodes::Nom(int p) const {
    if (p > noms.size()) return QString();
    if (p < 1) throw TErreurIndice(QStringLiteral("période %1").arg(p));
    return noms.at(p - 1);
}

void TPeriodes::Remplacer(const QStringList& liste) {
    noms.clear();
    aRecalculer.clear();
    if (liste.isEmpty() || liste.size() > 256)
        throw TErreurIntervalle(QStringLiteral("%1 périodes").arg(liste.size()));
    noms = liste;
    aRecalculer = QByteArray(liste.size(), char(1));
}

void TPeriodes::MarquerPeriode(int p, quint8 valeur) {
    if (p < 1 || p > aRecalculer.size())
        throw TErreurIntervalle(QStringLiteral("période %1").arg(p));
    aRecalculer[p - 1] = char(valeur);
}

quint8 TPeriodes::PeriodeARecalculer(int p) const {
    if (p < 1 || p > aRecalculer.size())
        throw TErreurIntervalle(QStringLiteral("période %1").arg(p));
    return quint8(aRecalculer.at(p - 1));
}

void TPeriodes::MarquerToutes() {
    aRecalculer.fill(char(1));
}
