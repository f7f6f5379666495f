#include "tavX_copieSauvegarde.h"

#include "tavX_ecritureSure.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace Sauvegarde {

using TEtat = TResultatFichier::TEtat;

int TBilanCopie::Nombre(TEtat etat) const {
    int n = 0;
    for (const TResultatFichier& f : fichiers)
        if (f.etat == etat) ++n;
    return n;
}

bool TBilanCopie::Incident() const {
    if (dossierInvalide) return true;
    for (const TResultatFichier& f : fichiers)
        if (f.etat == TEtat::Echec || f.etat == TEtat::MemeFichier || f.etat == TEtat::Doublon)
            return true;
    return false;
}

QString TBilanCopie::Resume() const {
    if (dossierInvalide)
        return QStringLiteral("La sauvegarde n'a pas pu être faite : %1").arg(causeDossier);
    const int copies = Nombre(TEtat::Copie) + Nombre(TEtat::Remplace);
    QStringList lignes;
    if (copies == 0)
        lignes << QStringLiteral("Aucun fichier n'a été sauvegardé.");
    else if (copies == 1)
        lignes << QStringLiteral("1 fichier a été sauvegardé.");
    else
        lignes << QStringLiteral("%1 fichiers ont été sauvegardés.").arg(copies);
    if (annule) lignes << QStringLiteral("La sauvegarde a été interrompue.");
    QStringList details;
    for (const TResultatFichier& f : fichiers) {
        const QString nom = QDir::toNativeSeparators(f.source);
        switch (f.etat) {
        case TEtat::Garde:
            details << QStringLiteral("- \"%1\" : non remplacé (la sauvegarde précédente est "
                                      "gardée).")
                           .arg(nom);
            break;
        case TEtat::MemeFichier:
        case TEtat::Doublon:
        case TEtat::Echec:
            details << QStringLiteral("- \"%1\" : %2").arg(nom, f.cause);
            break;
        case TEtat::NonTraite:
            if (annule) details << QStringLiteral("- \"%1\" : non sauvegardé.").arg(nom);
            break;
        default:
            break;
        }
    }
    if (!details.isEmpty()) lignes << QString() << details;
    return lignes.join(QLatin1Char('\n'));
}

namespace {} // namespace

TBilanCopie Copier(const QStringList& sources, const QString& dossier,
                   const TRappelsCopie& rappels) {
    TBilanCopie bilan;
    for (const QString& s : sources)
        bilan.fichiers.append({s, QString(), TEtat::NonTraite, {}});

    const QString cheminDossier = dossier.trimmed();
    QDir cible(cheminDossier);
    if (cheminDossier.isEmpty() || (!cible.exists() && !QDir().mkpath(cible.absolutePath()))) {
        bilan.dossierInvalide = true;
        bilan.causeDossier =
            QStringLiteral("le dossier \"%1\" n'existe pas et ne peut pas être créé.")
                .arg(QDir::toNativeSeparators(cheminDossier));
        return bilan;
    }
    if (!QFileInfo(cible.absolutePath()).isDir()) {
        bilan.dossierInvalide = true;
        bilan.causeDossier = QStringLiteral("\"%1\" n'est pas un dossier.")
                                 .arg(QDir::toNativeSeparators(cheminDossier));
        return bilan;
    }
    const QString dossierCanonique = Tav::CheminCanonique(cible.absolutePath());

    bool remplacerTout = false;
    // Names already given in the target folder, in the case the target's file system may fold.
    QSet<QString> nomsPris;
    const int nombre = int(bilan.fichiers.size());
    for (int i = 0; i < nombre; ++i) {
        TResultatFichier& f = bilan.fichiers[i];
        if (rappels.progression && !rappels.progression(i, nombre, f.source)) {
            bilan.annule = true;
            break;
        }
        const QFileInfo info(f.source);
        f.cible = cible.absoluteFilePath(info.fileName());
        if (Tav::CheminCanonique(info.absolutePath()) == dossierCanonique ||
            Tav::CheminCanonique(f.source) == Tav::CheminCanonique(f.cible)) {
            f.etat = TEtat::MemeFichier;
            f.cause = QStringLiteral("ce fichier est déjà dans le dossier de sauvegarde ; il ne "
                                     "peut pas être copié sur lui-même.");
            continue;
        }
        const QString cle = info.fileName().toLower();
        if (nomsPris.contains(cle)) {
            f.etat = TEtat::Doublon;
            f.cause = QStringLiteral("un autre fichier du même nom vient d'être sauvegardé dans "
                                     "ce dossier ; celui-ci n'a pas été copié.");
            continue;
        }
        const bool existe = QFileInfo::exists(f.cible);
        if (existe && !remplacerTout) {
            const TReponseRemplacement reponse =
                rappels.remplacer ? rappels.remplacer(f.cible) : TReponseRemplacement::Non;
            if (reponse == TReponseRemplacement::Annuler) {
                bilan.annule = true;
                break;
            }
            if (reponse == TReponseRemplacement::Non) {
                f.etat = TEtat::Garde;
                nomsPris.insert(cle);
                continue;
            }
            if (reponse == TReponseRemplacement::OuiPourTous) remplacerTout = true;
        }
        QString cause;
        if (Tav::CopierFichierSur(f.source, f.cible, TailleMaximaleSauvegarde, &cause)) {
            f.etat = existe ? TEtat::Remplace : TEtat::Copie;
            nomsPris.insert(cle);
        } else {
            f.etat = TEtat::Echec;
            f.cause = cause.isEmpty() ? QStringLiteral("la copie a échoué.") : cause;
        }
    }
    return bilan;
}

} // namespace Sauvegarde
