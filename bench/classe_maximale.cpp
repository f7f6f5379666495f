#include "classe_maximale.h"

#include "tavX_fichierTav.h"

std::unique_ptr<TFichierTav> ClasseMaximale() {
    auto f = std::make_unique<TFichierTav>();
    f->InitialiserClasse(QStringLiteral("Trimestres"),
                         QStringLiteral("Nouveaux bulletins du collège"));
    f->ModifierEnseignant(QStringLiteral("Mme Lefèvre"));
    f->ModifierClasse(QStringLiteral("3e B"));
    f->ModifierEcole(QStringLiteral("Collège Jean Moulin"));
    f->ModifierMatiere(QStringLiteral("Mathématiques"));
    f->ModifierRemarque(QStringLiteral("Classe à projet"));
    for (int s = 0; s < 50; ++s)
        f->AjouterEleve(QStringLiteral("Élève %1 Nom-Composé").arg(s, 2, 10, QLatin1Char('0')),
                        QStringLiteral("12/03/2011"), s % 7 == 0);
    for (int i = 0; i < 255; ++i) {
        const int p = 1 + i % 3;
        f->AjouterSerie(
            p, QStringLiteral("Contrôle n°%1").arg(i + 1), i % 4 == 0,
            i % 2 ? QStringLiteral("Contrôle en classe") : QStringLiteral("Devoir à la maison"),
            QStringLiteral("Chapitre %1").arg(i), QStringLiteral("15/10/2026"),
            i % 5 ? QStringLiteral("oui") : QStringLiteral("non"), QString::number(1 + i % 3),
            i % 2 ? QStringLiteral("20") : QStringLiteral("10"));
        const int j = f->NombreSeries(p);
        for (int s = 1; s <= 50; ++s)
            f->ModifierNote(p, j,
                            (s + i) % 13 == 0
                                ? QStringLiteral("abs")
                                : QString::number(((s * 7 + i * 3) % 41) / 2.0, 'f', 1)
                                      .replace(QLatin1Char('.'), QLatin1Char(',')),
                            s);
    }
    for (int p = 1; p <= 3; ++p)
        for (int s = 1; s <= 50; ++s) {
            f->ModifierPointsPlusMoins(p, s, s % 3 ? QStringLiteral("0,5") : QStringLiteral("-1"));
            for (int c = 1; c <= f->NombreColonnesBulletin(); ++c)
                f->ModifierAppreciation(
                    p, s, c,
                    QStringLiteral("Bon trimestre, des efforts réguliers ; "
                                   "continuez ainsi. Élève sérieux et appliqué."));
        }
    return f;
}
