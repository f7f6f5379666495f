// Merge and clone of class files.
#include "tavX_fusionClonage.h"

#include "tavX_constantes.h"
#include "tavX_exceptions.h"
#include "tavX_fichierTav.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace Outils {

namespace {

// File names are compared as the system does.
constexpr Qt::CaseSensitivity CasseNoms =
#ifdef Q_OS_WIN
    Qt::CaseInsensitive;
#else
    Qt::CaseSensitive;
#endif

QString CheminComparable(const QString& chemin) {
    const QFileInfo info(chemin);
    const QString canonique = info.canonicalFilePath();
    return canonique.isEmpty() ? info.absoluteFilePath() : canonique;
}

bool MemeFichier(const QString& a, const QString& b) {
    if (a.isEmpty() || b.isEmpty()) return false;
    return QString::compare(CheminComparable(a), CheminComparable(b), CasseNoms) == 0;
}

QString Nom(const QString& chemin) {
    return QFileInfo(chemin).fileName();
}

} // namespace

QString NomDeFichierValide(const QString& texte) {
    static const QString interdits = QStringLiteral("\\/:*?\"<>|");
    QString resultat;
    resultat.reserve(texte.size());
    for (const QChar c : texte)
        if (!interdits.contains(c) && c.category() != QChar::Other_Control) resultat.append(c);
#ifdef Q_OS_WIN
    while (resultat.endsWith(QLatin1Char('.')) || resultat.endsWith(QLatin1Char(' ')))
        resultat.chop(1);
#endif
    return resultat;
}

bool ListesIdentiques(const QStringList& a, const QStringList& b) {
    if (a.size() != b.size()) return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (a.at(i).trimmed().toUpper() != b.at(i).trimmed().toUpper()) return false;
    return true;
}

QStringList LignesCollees(const QString& texte) {
    static const QRegularExpression fin(QStringLiteral("\\r\\n|\\r|\\n"));
    QStringList lignes;
    for (const QString& ligne : texte.split(fin)) {
        const QString l = ligne.trimmed();
        if (!l.isEmpty()) lignes.append(l);
    }
    return lignes;
}

std::unique_ptr<TFichierTav> CopierCadre(const TFichierTav& source, const TCadre& cadre) {
    auto copie = std::make_unique<TFichierTav>();
    copie->InitialiserClasse(source.TypePeriodes(), source.ListePeriodes(), source.TypeBulletins(),
                             source.ColonnesBulletin());
    copie->ModifierClasse(cadre.classe);
    copie->ModifierEcole(cadre.ecole);
    copie->ModifierAnneeScolaire(cadre.annee);
    copie->ModifierEnseignant(cadre.enseignant);
    copie->ModifierMatiere(cadre.matiere);
    copie->ModifierRemarque(cadre.remarque);
    copie->ModifierListeEleves(source.ListeEleves());
    copie->ViderDonnees();
    return copie;
}

bool EnregistrerClasse(TFichierTav& fichier, const QString& chemin, QString* erreur) {
    try {
        fichier.Enregistrer(chemin);
        return true;
    } catch (const TTavException& e) {
        if (erreur) {
            *erreur = e.Message();
            if (!fichier.CauseErreurEnregistrement().isEmpty())
                *erreur += QStringLiteral("\n") + fichier.CauseErreurEnregistrement();
        }
        return false;
    }
}

// ---- Merge ---------------------------------------------------------------------------------

QString VerifierFichierFusion(const QString& chemin, TReferenceFusion& reference) {
    const QString nom = Nom(chemin);
    const TFichierTav f(chemin, true, false);
    const QString debut = QStringLiteral("Le fichier \"") + nom + QStringLiteral("\" ");
    if (!f.EstValide()) return debut + QStringLiteral("n'est pas un fichier Tavelin valide.");
    if (f.EstImporte())
        return debut + QStringLiteral(
                           "est un fichier d'une ancienne version Tavelin.\r\n\r\n"
                           "La fusion n'est pas possible directement avec ce type de fichier.\r\n"
                           "Vous devez l'ouvrir normalement puis l'enregistrer pour qu'il soit "
                           "traduit au nouveau format.\r\nLa fusion sera alors possible.");
    if (f.NombreEleves() == 0)
        return debut + QStringLiteral("ne contient aucun élève.\r\n\r\n"
                                      "Il ne peut pas être fusionné.");
    if (reference.Vide()) {
        reference.eleves = f.ListeEleves();
        reference.periodes = f.ListePeriodes();
        return QString();
    }
    const QString fin = QStringLiteral("\r\n\r\nSeuls des fichiers d'une même classe, avec les "
                                       "mêmes élèves et les mêmes périodes, peuvent être "
                                       "fusionnés.");
    if (!ListesIdentiques(f.ListeEleves(), reference.eleves))
        return debut + QStringLiteral("n'a pas la même liste d'élèves que les autres fichiers.") +
               fin;
    if (!ListesIdentiques(f.ListePeriodes(), reference.periodes))
        return debut +
               QStringLiteral("n'a pas les mêmes noms de périodes que les autres "
                              "fichiers.") +
               fin;
    return QString();
}

TCadre CadreFusionParDefaut(const TFichierTav& premier, const QString& enseignant) {
    return {enseignant,
            premier.Classe(),
            premier.Ecole(),
            QStringLiteral("Toutes les matières"),
            premier.AnneeScolaire(),
            QStringLiteral("Fichier de fusion")};
}

namespace {

QList<int> PeriodesRetenues(const TFichierTav& premier, const TParametresFusion& parametres) {
    QList<int> periodes;
    for (int p = 1; p <= premier.NombrePeriodes(); ++p)
        if (parametres.periodes.contains(p)) periodes.append(p);
    return periodes;
}

} // namespace

int NombreSeriesFusion(const std::vector<const TFichierTav*>& fichiers,
                       const TParametresFusion& parametres) {
    if (fichiers.empty()) return 0;
    int total = 0;
    for (const int p : PeriodesRetenues(*fichiers.front(), parametres))
        for (const TFichierTav* f : fichiers) {
            if (p > f->NombrePeriodes()) continue;
            switch (parametres.donnees) {
            case TDonneesFusion::Bulletin:
                total += 1;
                break;
            case TDonneesFusion::Types:
                total += int(f->TypesDeNotes(p).size());
                break;
            case TDonneesFusion::Series:
                total += f->NombreSeries(p);
                break;
            }
        }
    return total;
}

std::unique_ptr<TFichierTav> Fusionner(const std::vector<const TFichierTav*>& fichiers,
                                       const TParametresFusion& parametres, QString* erreur) {
    if (fichiers.empty()) {
        if (erreur) *erreur = QStringLiteral("Aucun fichier à fusionner.");
        return nullptr;
    }
    // A class file holds at most 255 series: count before building anything.
    const int total = NombreSeriesFusion(fichiers, parametres);
    if (total > Tav::MaxSeriesAnnee) {
        if (erreur)
            *erreur = QStringLiteral("La fusion créerait %1 séries de notes, mais un fichier "
                                     "Tavelin en contient au plus %2.\r\n\r\nCochez moins de "
                                     "périodes ou retenez moins de données.")
                          .arg(total)
                          .arg(Tav::MaxSeriesAnnee);
        return nullptr;
    }
    const TFichierTav& premier = *fichiers.front();
    auto fusion = CopierCadre(premier, parametres.cadre);
    const QString sur = QString::number(parametres.sur);
    const QString oui = QStringLiteral("oui"), un = QStringLiteral("1");
    const int N = fusion->NombreEleves();
    for (const int p : PeriodesRetenues(premier, parametres)) {
        for (const TFichierTav* f : fichiers) {
            if (p > f->NombrePeriodes()) continue;
            const QString matiere = f->Matiere();
            const QString nom = Nom(f->NomFichier());
            const int eleves = qMin(N, f->NombreEleves());
            switch (parametres.donnees) {
            case TDonneesFusion::Bulletin: {
                fusion->AjouterSerie(p, QStringLiteral("Moyenne ") + matiere, false,
                                     QStringLiteral("Moyenne bulletin"),
                                     QStringLiteral("Moyenne du fichier ") + nom, parametres.date,
                                     oui, un, sur);
                const int j = fusion->NombreSeries(p);
                for (int s = 1; s <= eleves; ++s)
                    fusion->ModifierNote(p, j, f->MoyenneBulletin(p, s, f->ArrondiMoyennes()), s);
                break;
            }
            case TDonneesFusion::Types:
                for (const QString& type : f->TypesDeNotes(p)) {
                    fusion->AjouterSerie(
                        p, QStringLiteral("Moy. ") + type + QStringLiteral(" - ") + matiere, false,
                        QStringLiteral("Moyenne type de notes"),
                        QStringLiteral("Extrait de ") + nom, parametres.date, oui, un, sur);
                    const int j = fusion->NombreSeries(p);
                    for (int s = 1; s <= eleves; ++s)
                        fusion->ModifierNote(p, j, f->MoyenneParType(type, p, s), s);
                }
                break;
            case TDonneesFusion::Series:
                for (int k = 1; k <= f->NombreSeries(p); ++k) {
                    fusion->AjouterSerie(p, f->Intitule(p, k) + QStringLiteral(" - ") + matiere,
                                         f->OralEcrit(p, k) == QLatin1String("Oral"),
                                         f->TypeNotes(p, k), f->Commentaire(p, k),
                                         f->DateSerie(p, k), f->CompteDansMoyenne(p, k),
                                         f->Coefficient(p, k), f->NoteSur(p, k));
                    const int j = fusion->NombreSeries(p);
                    for (int s = 1; s <= eleves; ++s)
                        fusion->ModifierNote(p, j, f->Note(p, k, s), s);
                }
                break;
            }
        }
    }
    return fusion;
}

// ---- Clone ---------------------------------------------------------------------------------

QString CheminClone(const TFichierTav& source, const QString& dossier, const TCollegue& collegue) {
    const QString nom =
        NomDeFichierValide(source.Classe() + QStringLiteral(" - ") + collegue.matiere +
                           QStringLiteral(" - ") + collegue.enseignant);
    return QDir(dossier).absoluteFilePath(nom + QStringLiteral(".tav"));
}

std::unique_ptr<TFichierTav> Cloner(const TFichierTav& source, const TCollegue& collegue) {
    const TCadre cadre{collegue.enseignant,
                       source.Classe(),
                       source.Ecole(),
                       collegue.matiere,
                       source.AnneeScolaire(),
                       QStringLiteral("Fichier créé par ") + source.Enseignant() +
                           QStringLiteral(" pour ") + collegue.enseignant};
    auto clone = CopierCadre(source, cadre);
    for (int s = 1; s <= clone->NombreEleves() && s <= source.NombreEleves(); ++s) {
        clone->ModifierDateNaissance(s, source.DateNaissance(s));
        clone->ModifierRedoublant(s, source.EstRedoublant(s));
    }
    return clone;
}

QString VerifierClonage(const TFichierTav& source, const QStringList& chemins,
                        const QList<TCollegue>& collegues, const QStringList& fichiersOuverts) {
    for (qsizetype i = 0; i < chemins.size(); ++i) {
        const QString& chemin = chemins.at(i);
        if (MemeFichier(chemin, source.NomFichier()))
            return QStringLiteral("Le fichier \"") + chemin +
                   QStringLiteral("\" est le fichier clôné lui-même : il ne peut pas être "
                                  "remplacé.\r\n\r\nChoisissez un autre dossier ou un autre nom "
                                  "d'enseignant ou de matière.");
        for (const QString& ouvert : fichiersOuverts)
            if (MemeFichier(chemin, ouvert))
                return QStringLiteral("Le fichier \"") + chemin +
                       QStringLiteral("\" est ouvert dans Tavelin : il ne peut pas être "
                                      "remplacé.\r\n\r\nFermez-le ou choisissez un autre "
                                      "dossier.");
        for (qsizetype k = 0; k < i; ++k)
            if (QString::compare(CheminComparable(chemins.at(k)), CheminComparable(chemin),
                                 CasseNoms) == 0) {
                const auto nomCollegue = [&](qsizetype n) {
                    return n < collegues.size()
                               ? collegues.at(n).enseignant + QStringLiteral(" (") +
                                     collegues.at(n).matiere + QLatin1Char(')')
                               : QString::number(n + 1);
                };
                return QStringLiteral("Les lignes %1 et %2 (%3 et %4) donnent le même fichier "
                                      "\"%5\".\r\n\r\nAucun fichier n'a été créé.")
                    .arg(k + 1)
                    .arg(i + 1)
                    .arg(nomCollegue(k), nomCollegue(i), chemin);
            }
    }
    return QString();
}

QString MessageClonage(int nombre) {
    return nombre == 1 ? QStringLiteral("Un fichier créé avec succès")
                       : QString::number(nombre) + QStringLiteral(" fichiers créés avec succès.");
}

} // namespace Outils
