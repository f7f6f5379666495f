#include "tavX_commandesSeries.h"

#include "_FormNouvelleSerieDeNotes.h"
#include "tavX_codec.h"
#include "tavX_constantes.h"
#include "tavX_fichierTav.h"
#include "tavX_interlocuteur.h"
#include "tavX_nombres.h"
#include "tavX_texteImporte.h"

#include <QFile>
#include <QFileInfo>

namespace CommandesSeries {

QString MessageLimiteAjout() {
    return QStringLiteral("Impossible d'ajouter une série de notes. Le nombre de séries de notes "
                          "est limité à ") +
           QString::number(Tav::MaxSeriesAnnee) + QStringLiteral(".");
}

QString MessageLimiteImportation() {
    return QStringLiteral("Impossible d'importer une série de notes. Le nombre de séries de "
                          "notes est limité à ") +
           QString::number(Tav::MaxSeriesAnnee) + QStringLiteral(".");
}

int AjouterSerieDeNotes(QWidget* feuille, TFichierTav& fichier, int periodeCourante,
                        const QPixmap& logo) {
    if (fichier.NombreSeriesAnnee() >= Tav::MaxSeriesAnnee) {
        Information(feuille, MessageLimiteAjout());
        return 0;
    }
    TFormNouvelleSerieDeNotes dialogue(feuille, QStringLiteral("Nouvelle série de notes"), logo,
                                       &fichier);
    dialogue.ModifierPeriode(periodeCourante);
    if (dialogue.exec() != QDialog::Accepted) return 0;
    dialogue.AjouterA(fichier);
    return dialogue.Periode();
}

bool LireNotesTexte(const QString& chemin, QStringList& notes, QString& erreur) {
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly)) {
        erreur =
            QStringLiteral("Impossible de lire le fichier \"") + chemin + QStringLiteral("\".");
        return false;
    }
    const QByteArray octets = fichier.readAll();
    const QString texte = Tav::DecoderTexte(octets);
    QStringList lignes = texte.split(QLatin1Char('\n'));
    if (!lignes.isEmpty() && lignes.last().isEmpty()) lignes.removeLast();
    notes.clear();
    for (const QString& ligne : std::as_const(lignes)) {
        QString note = ligne.trimmed();
        if (!Tav::EstNombre(note) && note.contains(QLatin1Char('.'))) {
            QString virgule = note;
            virgule.replace(QLatin1Char('.'), QLatin1Char(','));
            if (Tav::EstNombre(virgule)) note = virgule;
        }
        if (const auto refuse = Tav::CaractereNonRepresentable(note)) {
            erreur = QStringLiteral("Ligne %1 du fichier \"%2\" : ")
                         .arg(notes.size() + 1)
                         .arg(QFileInfo(chemin).fileName()) +
                     Tav::MessageCaractereNonRepresentable(*refuse);
            return false;
        }
        notes.append(note);
    }
    return true;
}

int ImporterSerieDeNotesTexte(QWidget* feuille, TFichierTav& fichier, int periodeCourante,
                              const QPixmap& logo) {
    if (fichier.NombreSeriesAnnee() >= Tav::MaxSeriesAnnee) {
        Information(feuille, MessageLimiteImportation());
        return 0;
    }
    const QString titre = QStringLiteral("Informations sur la série de notes à importer");
    TDemandeFichier demande;
    demande.titre = titre;
    demande.filtre = QStringLiteral("Tous les fichiers *.*|*.*");
    const QStringList choisis = Interlocuteur().FichiersAOuvrir(feuille, demande);
    if (choisis.isEmpty()) return 0;

    QStringList notes;
    QString erreur;
    if (!LireNotesTexte(choisis.first(), notes, erreur)) {
        Erreur(feuille, erreur);
        return 0;
    }

    TFormNouvelleSerieDeNotes dialogue(feuille, titre, logo, &fichier);
    dialogue.ModifierPeriode(periodeCourante);
    if (dialogue.exec() != QDialog::Accepted) return 0;
    dialogue.AjouterA(fichier);
    const int p = dialogue.Periode();
    const int j = fichier.NombreSeries(p);
    for (int s = 1; s <= fichier.NombreEleves(); ++s)
        fichier.ModifierNote(p, j, notes.value(s - 1), s);
    fichier.InvaliderCalculs();
    return p;
}

} // namespace CommandesSeries
