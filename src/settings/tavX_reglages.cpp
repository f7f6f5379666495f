#include "tavX_reglages.h"

#include <QSet>

#include <exception>

TReglages& TReglages::Instance() {
    static TReglages* instance = new TReglages;
    return *instance;
}

TReglages::TPortee TReglages::Portee(const QString& cle) {
    static const QSet<QString> calculs = {
        QStringLiteral("moyennesSur"),
        QStringLiteral("arrondirMoyennes"),
        QStringLiteral("arrondirMoyennesAnnuelles"),
        QStringLiteral("typeMoyennesAnnuelles"),
    };
    // Settings no sheet shows. Some are written often (history on every save, reminder counter
    // and tip number at start-up): they must not repaint every open class.
    static const QSet<QString> aucune = {
        QStringLiteral("auDemarrage"),
        QStringLiteral("afficherConseils"),
        QStringLiteral("numeroConseilEnCours"),
        QStringLiteral("rappelSauvegarde"),
        QStringLiteral("frequenceRappel"),
        QStringLiteral("numeroRappel"),
        QStringLiteral("rappelMiseAJourDisponible"),
        QStringLiteral("tailleMaximumAuDemarrage"),
        QStringLiteral("fichierBak"),
        QStringLiteral("Chemin"),
        QStringLiteral("Historique"),
        QStringLiteral("Derniers fichiers"),
        QStringLiteral("Types de notes"),
        QStringLiteral("Matieres"),
        QStringLiteral("Utilisateurs"),
        QStringLiteral("Periodes"),
        QStringLiteral("nomPolice"),
        QStringLiteral("taillePolice"),
        QStringLiteral("enTeteGauche"),
        QStringLiteral("enTeteCentre"),
        QStringLiteral("enTeteDroite"),
        QStringLiteral("basDePageGauche"),
        QStringLiteral("basDePageDroite"),
        QStringLiteral("impressionFermerBoite"),
        QStringLiteral("impressionCouleurNote"),
        QStringLiteral("numeroterElevesSeriesDeNotes"),
        QStringLiteral("numeroterElevesBilans"),
        QStringLiteral("numeroterElevesAppreciations"),
        QStringLiteral("numeroterElevesGrilleVierge"),
        QStringLiteral("impressionDatesDeNaissanceSeriesDeNotes"),
        QStringLiteral("impressionDatesDeNaissanceBilans"),
        QStringLiteral("impressionDatesDeNaissanceAppreciations"),
        QStringLiteral("impressionDatesDeNaissanceGrilleVierge"),
        QStringLiteral("impressionRSeriesDeNotes"),
        QStringLiteral("impressionRBilans"),
        QStringLiteral("impressionRAppreciations"),
        QStringLiteral("impressionRGrilleVierge"),
        QStringLiteral("impressionColonneMoyenne"),
        QStringLiteral("colonnesBilanDetaillees"),
        QStringLiteral("impressionMoyennesEcritOral"),
        QStringLiteral("impressionColonneClassement"),
        QStringLiteral("trierMoyennesImpression"),
        QStringLiteral("largeurGrilleVierge"),
        QStringLiteral("inclureNomEnseignantBulletin"),
        QStringLiteral("inclureAppreciationsBulletin"),
        QStringLiteral("intitulecadrebulletin"),
        QStringLiteral("fichierlogobulletin"),
    };
    if (calculs.contains(cle)) return Calculs;
    if (aucune.contains(cle) || cle.startsWith(QLatin1String("Inclure impression/"))) return Aucune;
    // Anything else, a setting added later included, is taken as shown.
    return Affichage;
}

void TReglages::Annoncer(const QString& cle) {
    emit modifie(cle);
    if (GroupeOuvert())
        changementsEnAttente = true;
    else
        emit modificationsTerminees();
}

TReglages::TGroupeModifications::TGroupeModifications() {
    ++Instance().profondeurGroupe;
}

TReglages::TGroupeModifications::~TGroupeModifications() {
    TReglages& reglages = Instance();
    if (--reglages.profondeurGroupe > 0 || !reglages.changementsEnAttente) return;
    reglages.changementsEnAttente = false;
    // A destructor must not let an exception through: what a listener failed to refresh is
    // logged, the group still closes.
    try {
        emit reglages.modificationsTerminees();
    } catch (const std::exception& e) {
        qWarning("Réglages : %s", e.what());
    } catch (...) {
        qWarning("Réglages : erreur inattendue après une modification des réglages.");
    }
}
