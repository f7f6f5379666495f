#include "tavX_impressionsGrilles.h"

#include "tavX_nombres.h"
#include "tavX_options.h"

#include <algorithm>
#include <cmath>

namespace {

int Mode() {
    return Options::ArrondirMoyennes();
}

QString Sur(const TFichierTav& fichier) {
    return QString::number(fichier.MoyennesSur());
}

} // namespace

// ---- Grades of a period ------------------------------------------------------------------------

TImpressionGrilleNotes::TImpressionGrilleNotes(const TFichierTav& fichier,
                                               const TParametresImpression& parametres)
    : TImpression(fichier, parametres) {
    const int p = parametres.periode;
    series = fichier.NombreSeries(p);
    colonneMoyenne = Options::ImpressionColonneMoyenne();
    const int n = fichier.NombreEleves();
    for (int s = 1; s <= n; ++s)
        moyennes.append(fichier.MoyenneArrondie(p, s, Mode()));

    // Every text the columns show: marks, averages, the included rows, the titles.
    qreal a = LignesIncluses().isEmpty() ? Largeur(QStringLiteral("10,00")) : 0;
    qreal titres = 0;
    for (int j = 1; j <= series; ++j) {
        for (int s = 1; s <= n; ++s)
            a = std::max(a, Largeur(fichier.Note(p, j, s)));
        for (int l : LignesIncluses())
            a = std::max(a, Largeur(TexteStatistique(j - 1, l)));
        titres = std::max(titres, Largeur(fichier.Intitule(p, j)));
    }
    if (colonneMoyenne) {
        for (const QString& m : std::as_const(moyennes))
            a = std::max(a, Largeur(m));
        for (int l : LignesIncluses())
            a = std::max(a, Largeur(TexteStatistique(series, l)));
        a = std::max(a, Largeur(QStringLiteral(" Moyennes ")));
    }
    a = std::max(a, titres + 4);
    Paginer(int(std::ceil(a)) + 20);
}

int TImpressionGrilleNotes::NombreColonnesDonnees() const {
    return series + (colonneMoyenne ? 1 : 0);
}

QString TImpressionGrilleNotes::TitreColonne(int colonne) const {
    if (EstColonneMoyenne(colonne)) return QStringLiteral("Moyennes");
    return Fichier().Intitule(Parametres().periode, colonne + 1);
}

QString TImpressionGrilleNotes::TexteCellule(int colonne, int eleve) const {
    if (EstColonneMoyenne(colonne)) return moyennes.value(eleve - 1);
    return Fichier().Note(Parametres().periode, colonne + 1, eleve);
}

QColor TImpressionGrilleNotes::CouleurCellule(int colonne, int, const QString& texte) const {
    if (EstColonneMoyenne(colonne)) return CouleurNote(texte, Sur(Fichier()));
    return CouleurNote(texte, Fichier().NoteSur(Parametres().periode, colonne + 1));
}

QString TImpressionGrilleNotes::TexteStatistique(int colonne, int ligne) const {
    const TFichierTav& f = Fichier();
    const int p = Parametres().periode;
    if (EstColonneMoyenne(colonne)) {
        const TFichierTav::TStatistiquesColonne st = f.StatistiquesColonne(moyennes);
        switch (ligne) {
        case 1:
            return st.minimum;
        case 2:
            return st.maximum;
        case 3:
            return st.moyenne;
        case 4:
            return st.ecartType;
        case 5:
            return st.pourcentageSousMoyenne;
        case 6:
            return st.pourcentageSousMoyenneClasse;
        default:
            return QString();
        }
    }
    const int j = colonne + 1;
    switch (ligne) {
    case 0:
        return f.NombreNotesSerie(p, j);
    case 1:
        return f.MinimumSerie(p, j);
    case 2:
        return f.MaximumSerie(p, j);
    case 3:
        return f.MoyenneSerie(p, j);
    case 4:
        return f.EcartTypeSerie(p, j);
    case 5:
        return f.PourcentageSousMoyenne(p, j);
    case 6:
        return f.PourcentageSousMoyenneClasse(p, j);
    case 7:
        return f.NoteSur(p, j);
    case 8:
        return f.Coefficient(p, j);
    case 9:
        return f.CompteDansMoyenne(p, j);
    case 10:
        return f.DateSerie(p, j);
    case 11:
        return f.Commentaire(p, j);
    case 12:
        return f.TypeNotes(p, j);
    case 13:
        return f.OralEcrit(p, j);
    default:
        return QString();
    }
}

// ---- Summary of a period or of the year --------------------------------------------------------

TImpressionGrilleBilan::TImpressionGrilleBilan(const TFichierTav& fichier,
                                               const TParametresImpression& parametres)
    : TImpression(fichier, parametres) {
    const int P = fichier.NombrePeriodes();
    const int p = parametres.periode;
    annee = p == P + 1;
    const int n = fichier.NombreEleves();
    const int mode = Mode();
    const int modeAnnuel = Options::ArrondirMoyennesAnnuelles();
    const int typeAnnuel = Options::TypeMoyennesAnnuelles();
    auto ajouter = [&](const QString& titre, auto valeur) {
        TColonne c;
        c.titre = titre;
        for (int s = 1; s <= n; ++s)
            c.valeurs.append(valeur(s));
        c.statistiques = fichier.StatistiquesColonne(c.valeurs);
        colonnes.append(c);
    };
    if (Options::ColonnesBilanDetaillees()) {
        const QStringList types = fichier.TypesDeNotes(annee ? 0 : p);
        for (const QString& type : types) {
            if (annee)
                ajouter(type, [&](int s) {
                    return TFichierTav::ArrondirMoyenne(fichier.MoyenneAnnuelleParType(type, s),
                                                        modeAnnuel);
                });
            else
                ajouter(type, [&](int s) {
                    return TFichierTav::ArrondirMoyenne(fichier.MoyenneParType(type, p, s), mode);
                });
        }
    }
    if (annee)
        for (int q = 1; q <= P; ++q)
            ajouter(fichier.NomPeriode(q),
                    [&](int s) { return fichier.MoyenneBulletin(q, s, mode); });
    if (Options::ImpressionMoyennesEcritOral()) {
        if (annee) {
            ajouter(QStringLiteral("Moy. Ecrit"),
                    [&](int s) { return fichier.MoyenneAnnuelleEcrit(s, modeAnnuel); });
            ajouter(QStringLiteral("Moy. Oral"),
                    [&](int s) { return fichier.MoyenneAnnuelleOral(s, modeAnnuel); });
        } else {
            ajouter(QStringLiteral(" Moy. Ecrit"),
                    [&](int s) { return fichier.MoyenneEcritArrondie(p, s, mode); });
            ajouter(QStringLiteral(" Moy. Oral"),
                    [&](int s) { return fichier.MoyenneOralArrondie(p, s, mode); });
        }
    }
    if (annee)
        ajouter(QStringLiteral("Moyennes annuelles sur ") + Sur(fichier),
                [&](int s) { return fichier.MoyenneAnnuelle(s, mode, modeAnnuel, typeAnnuel); });
    else
        ajouter(QStringLiteral("Moyennes bulletin sur ") + Sur(fichier),
                [&](int s) { return fichier.MoyenneBulletin(p, s, mode); });
    if (Options::ImpressionColonneClassement()) {
        const int descendant = Options::TrierMoyennesImpression() == 1 ? 1 : 0;
        TColonne c;
        c.classement = true;
        c.titre = descendant ? QStringLiteral(" Classement descendant ")
                             : QStringLiteral(" Classement ascendant ");
        c.valeurs =
            fichier.Classement(annee ? P + 1 : p, descendant, typeAnnuel, modeAnnuel, mode).mid(1);
        colonnes.append(c);
    }

    // One width for every column: the widest title or value shown.
    qreal a = Largeur(QStringLiteral(" Moyennes bulletin sur ") + Sur(fichier));
    if (annee) a = std::max(a, Largeur(QStringLiteral(" Moyennes annuelles sur ") + Sur(fichier)));
    for (const TColonne& c : std::as_const(colonnes)) {
        a = std::max(a, Largeur(c.titre));
        for (const QString& v : c.valeurs)
            a = std::max(a, Largeur(v));
    }
    Paginer(int(std::ceil(a)) + 4 + 20);
}

QString TImpressionGrilleBilan::TitreColonne(int colonne) const {
    return colonnes.value(colonne).titre;
}

Qt::Alignment TImpressionGrilleBilan::AlignementTitre(int colonne) const {
    return colonnes.value(colonne).classement ? Qt::AlignLeft : Qt::AlignHCenter;
}

QString TImpressionGrilleBilan::TexteCellule(int colonne, int eleve) const {
    return colonnes.value(colonne).valeurs.value(eleve - 1);
}

QColor TImpressionGrilleBilan::CouleurCellule(int colonne, int, const QString& texte) const {
    QString valeur = texte;
    if (colonnes.value(colonne).classement) {
        const qsizetype fleche = texte.lastIndexOf(QStringLiteral("-> "));
        valeur = fleche < 0 ? QString() : texte.mid(fleche + 3);
    }
    return CouleurNote(valeur, Sur(Fichier()), false);
}

QString TImpressionGrilleBilan::TexteStatistique(int colonne, int ligne) const {
    const TColonne& c = colonnes.at(colonne);
    if (c.classement) return QString();
    switch (ligne) {
    case 0:
        return c.statistiques.minimum;
    case 1:
        return c.statistiques.maximum;
    case 2:
        return c.statistiques.moyenne;
    case 3:
        return c.statistiques.ecartType;
    case 4:
        return c.statistiques.pourcentageSousMoyenne;
    case 5:
        return c.statistiques.pourcentageSousMoyenneClasse;
    default:
        return QString();
    }
}

// ---- Appreciations of a period -----------------------------------------------------------------

TImpressionAppreciation::TImpressionAppreciation(const TFichierTav& fichier,
                                                 const TParametresImpression& parametres)
    : TImpression(fichier, parametres) {
    const int p = parametres.periode;
    const int n = fichier.NombreEleves();
    for (int s = 1; s <= n; ++s)
        moyennes.append(fichier.MoyenneArrondie(p, s, Mode()));
    moyenneClasse = TFichierTav::MoyenneListe(moyennes);
    plusBasse = TFichierTav::MinimumListe(moyennes);
    plusHaute = TFichierTav::MaximumListe(moyennes);
    largeurFixe = int(std::ceil(Largeur(QStringLiteral(" + haute ")))) + 20;

    // Reading an appreciation only fills the missing entries with empty texts.
    auto& lecture = const_cast<TFichierTav&>(fichier);
    qreal a = 0;
    for (int c = 1; c <= fichier.NombreColonnesBulletin(); ++c) {
        QStringList textes;
        for (int s = 1; s <= n; ++s) {
            const QString texte = lecture.Appreciation(p, s, c);
            textes.append(texte.isEmpty() ? texte : QLatin1Char(' ') + texte);
            a = std::max(a, Largeur(textes.constLast()));
        }
        appreciations.append(textes);
        a = std::max(
            a, Largeur(QLatin1Char(' ') + fichier.NomColonneBulletin(c) + QLatin1Char(' ')) + 4);
    }
    Paginer(int(std::ceil(a)) + 20);
}

int TImpressionAppreciation::NombreColonnesDonnees() const {
    return int(appreciations.size());
}

QString TImpressionAppreciation::TitreColonne(int colonne) const {
    switch (colonne) {
    case 0:
        return QStringLiteral("Elève");
    case 1:
        return QStringLiteral("Classe");
    case 2:
        return QStringLiteral("+ basse");
    case 3:
        return QStringLiteral("+ haute");
    default:
        return QLatin1Char(' ') + Fichier().NomColonneBulletin(colonne - 3) + QLatin1Char(' ');
    }
}

Qt::Alignment TImpressionAppreciation::AlignementTitre(int colonne) const {
    return colonne < 4 ? Qt::AlignHCenter : Qt::AlignLeft;
}

Qt::Alignment TImpressionAppreciation::AlignementCellule(int colonne) const {
    return AlignementTitre(colonne);
}

QString TImpressionAppreciation::TexteCellule(int colonne, int eleve) const {
    switch (colonne) {
    case 0:
        return moyennes.value(eleve - 1);
    case 1:
        return moyenneClasse;
    case 2:
        return plusBasse;
    case 3:
        return plusHaute;
    default:
        return appreciations.value(colonne - 4).value(eleve - 1);
    }
}

QColor TImpressionAppreciation::CouleurCellule(int colonne, int, const QString& texte) const {
    return colonne == 0 ? CouleurNote(texte, Sur(Fichier())) : QColor(Qt::black);
}

// ---- Blank grid --------------------------------------------------------------------------------

TImpressionGrilleVierge::TImpressionGrilleVierge(const TFichierTav& fichier,
                                                 const TParametresImpression& parametres,
                                                 int largeurVide)
    : TImpression(fichier, parametres) {
    const QString vide(std::max(0, largeurVide), QLatin1Char(' '));
    Paginer(int(std::ceil(Largeur(vide))) + 4 + 20, true);
}

int TImpressionGrilleVierge::NombreColonnesDonnees() const {
    return Bornes().size() > 1 ? Bornes().constLast() - 1 : 0;
}

QString TImpressionGrilleVierge::TexteNom(int eleve) const {
    if (Parametres().numeroter) return TImpression::TexteNom(eleve);
    QString texte = QLatin1Char(' ') + Fichier().NomEleve(eleve);
    if (Parametres().redoublants && Fichier().EstRedoublant(eleve)) texte += QStringLiteral("(R)");
    const QString date = Fichier().DateNaissance(eleve).trimmed();
    if (Parametres().datesNaissance && !date.isEmpty())
        texte += QStringLiteral(" (") + date + QLatin1Char(')');
    else
        texte += QLatin1Char(' ');
    return texte;
}

// ---- The printout of a kind --------------------------------------------------------------------

std::unique_ptr<TImpression> CreerImpression(Impression::TQuoi quoi, const TFichierTav& fichier,
                                             const TParametresImpression& parametres) {
    using Impression::TQuoi;
    switch (quoi) {
    case TQuoi::SeriesDeNotes:
        return std::make_unique<TImpressionGrilleNotes>(fichier, parametres);
    case TQuoi::Bilans:
        return std::make_unique<TImpressionGrilleBilan>(fichier, parametres);
    case TQuoi::Appreciations:
        return std::make_unique<TImpressionAppreciation>(fichier, parametres);
    case TQuoi::GrilleVierge:
        return std::make_unique<TImpressionGrilleVierge>(fichier, parametres,
                                                         Options::LargeurGrilleVierge());
    }
    return nullptr;
}
