// The print command: a table printout of a class rendered to a PDF file, with the user's print
// settings, without any window (the platform is "offscreen" unless another one is asked for).
#include "commandes.h"

#include "tavX_fichierTav.h"
#include "tavX_impressionsGrilles.h"

#include <QPageLayout>
#include <QPageSize>

namespace {

const QString Commande = QStringLiteral("print");

QString Aide() {
    return QStringLiteral(
        "Usage : tavelin-cli print FICHIER.tav --quoi notes|bilans|appreciations|vierge\n"
        "                          [--periode P] [--paysage] --pdf SORTIE.pdf\n\n"
        "Imprime dans un fichier PDF les séries de notes, le bilan, les appréciations d'une\n"
        "période ou une grille vierge, avec les réglages d'impression de l'utilisateur.\n"
        "  --periode P   numéro de la période (1 à P) ; « annee » pour le bilan de l'année.\n"
        "                Par défaut : la dernière période qui a des notes.\n"
        "  --paysage     page A4 en mode paysage (portrait par défaut).\n");
}

} // namespace

int CommandePrint(const QStringList& args) {
    if (Cli::DemandeAide(args, Aide())) return 0;
    QString fichier, quoiTexte, periodeTexte, pdf;
    bool paysage = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        auto valeur = [&](QString& cible) {
            if (i + 1 >= args.size()) return false;
            cible = args.at(++i);
            return true;
        };
        if (a == QLatin1String("--quoi")) {
            if (!valeur(quoiTexte))
                return Cli::ErreurUsage(Commande, QStringLiteral("--quoi sans valeur"));
        } else if (a == QLatin1String("--periode")) {
            if (!valeur(periodeTexte))
                return Cli::ErreurUsage(Commande, QStringLiteral("--periode sans valeur"));
        } else if (a == QLatin1String("--pdf")) {
            if (!valeur(pdf))
                return Cli::ErreurUsage(Commande, QStringLiteral("--pdf sans valeur"));
        } else if (a == QLatin1String("--paysage")) {
            paysage = true;
        } else if (a.startsWith(QLatin1Char('-')) || !fichier.isEmpty()) {
            return Cli::ErreurUsage(Commande, QStringLiteral("argument inattendu « %1 »").arg(a));
        } else {
            fichier = a;
        }
    }
    if (fichier.isEmpty()) return Cli::ErreurUsage(Commande, QStringLiteral("fichier manquant"));
    if (pdf.isEmpty()) return Cli::ErreurUsage(Commande, QStringLiteral("--pdf manquant"));
    using Impression::TQuoi;
    const QStringList noms = {QStringLiteral("notes"), QStringLiteral("bilans"),
                              QStringLiteral("appreciations"), QStringLiteral("vierge")};
    const int indice = int(noms.indexOf(quoiTexte));
    if (indice < 0)
        return Cli::ErreurUsage(
            Commande, QStringLiteral("--quoi attend notes, bilans, appreciations ou vierge"));
    const auto quoi = TQuoi(indice);

    std::unique_ptr<TFichierTav> f = Cli::ChargerClasse(fichier);
    if (!f) return 1;
    const int P = f->NombrePeriodes();
    int periode = 1;
    if (periodeTexte.isEmpty()) {
        for (int p = P; p >= 1; --p)
            if (f->NombreSeries(p) > 0) {
                periode = p;
                break;
            }
    } else if (quoi == TQuoi::Bilans && periodeTexte == QLatin1String("annee")) {
        periode = P + 1;
    } else {
        bool ok = false;
        periode = periodeTexte.toInt(&ok);
        const int maximum = quoi == TQuoi::Bilans ? P + 1 : P;
        if (!ok || periode < 1 || periode > maximum)
            return Cli::ErreurUsage(
                Commande,
                QStringLiteral("période invalide « %1 » (1 à %2)").arg(periodeTexte).arg(maximum));
    }
    if (quoi == TQuoi::SeriesDeNotes && f->NombreSeries(periode) == 0) {
        Cli::Erreur(QStringLiteral("Aucune série de notes pour cette période !\n"));
        return 1;
    }

    const QPageLayout mise(QPageSize(QPageSize::A4),
                           paysage ? QPageLayout::Landscape : QPageLayout::Portrait,
                           QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    TParametresImpression parametres = TParametresImpression::DepuisReglages(quoi);
    parametres.periode = quoi == TQuoi::GrilleVierge ? 1 : periode;
    parametres.geometrie = TGeometriePage::Depuis(mise);
    std::unique_ptr<TImpression> impression = CreerImpression(quoi, *f, parametres);
    const int pages = impression->NombrePages();
    if (pages < 1) {
        Cli::Erreur((pages == 0 ? Impression::MessageTropLarge() : Impression::MessageTropHaut()) +
                    QLatin1Char('\n'));
        return 1;
    }
    TSortiePdf sortie(pdf, mise, QStringLiteral("Tavelin - ") + f->Classe());
    TChoixImpression tout;
    tout.derniere = pages;
    if (!impression->Imprimer(sortie, tout)) {
        Cli::Erreur(QStringLiteral("%1 : %2\n").arg(pdf, sortie.Cause()));
        return 1;
    }
    Cli::Sortie(QStringLiteral("%1 : %2 page(s)\n").arg(pdf).arg(pages));
    return 0;
}
