#pragma once
// Shared by the GUI tests: a private settings store, class files written on the fly, and an
// interlocutor that answers the boxes and file dialogs without waiting.
#include "UniteFeuilleClasse.h"
#include "UnitePrincipale.h"
#include "tavX_fichierTav.h"
#include "tavX_globales.h"
#include "tavX_interlocuteur.h"
#include "tavX_options.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

// Records every exchange and answers from scripted queues.
class TInterlocuteurTest : public TInterlocuteur {
public:
    struct TEchange {
        QString genre; // "question", "message", "ouvrir", "enregistrer", "url", "programme"
        QString titre;
        QString texte;
        TIcone icone = TIcone::Aucune;
    };

    QList<TEchange> echanges;
    QList<bool> reponses; // answers to the next questions
    bool reponseParDefaut = false;
    QList<QStringList> aOuvrir; // answers to the next open dialogs
    QStringList aEnregistrer;   // answers to the next save dialogs
    QList<TDemandeFichier> demandes;
    bool lancementReussi = true;

    bool Question(QWidget*, const QString& titre, const QString& texte, TIcone icone) override {
        echanges.append({QStringLiteral("question"), titre, texte, icone});
        return reponses.isEmpty() ? reponseParDefaut : reponses.takeFirst();
    }
    void Message(QWidget*, const QString& titre, const QString& texte, TIcone icone) override {
        echanges.append({QStringLiteral("message"), titre, texte, icone});
    }
    QStringList FichiersAOuvrir(QWidget*, const TDemandeFichier& demande) override {
        demandes.append(demande);
        echanges.append({QStringLiteral("ouvrir"), demande.titre, demande.filtre, TIcone::Aucune});
        return aOuvrir.isEmpty() ? QStringList() : aOuvrir.takeFirst();
    }
    QString FichierAEnregistrer(QWidget*, const TDemandeFichier& demande) override {
        demandes.append(demande);
        echanges.append(
            {QStringLiteral("enregistrer"), demande.titre, demande.filtre, TIcone::Aucune});
        return aEnregistrer.isEmpty() ? QString() : aEnregistrer.takeFirst();
    }
    bool OuvrirUrl(const QUrl& url) override {
        echanges.append({QStringLiteral("url"), QString(), url.toString(), TIcone::Aucune});
        return lancementReussi;
    }
    bool LancerProgramme(const QString& programme, const QStringList& arguments,
                         std::function<void(bool)> fin) override {
        echanges.append({QStringLiteral("programme"), programme, arguments.join(QLatin1Char('\n')),
                         TIcone::Aucune});
        if (fin) fin(lancementReussi);
        return lancementReussi;
    }

    QList<TEchange> DuGenre(const QString& genre) const {
        QList<TEchange> liste;
        for (const TEchange& e : echanges)
            if (e.genre == genre) liste.append(e);
        return liste;
    }
    void Vider() {
        echanges.clear();
        demandes.clear();
    }
};

// A private settings store with quiet start-up defaults, and the test interlocutor installed.
class TEnvironnementGui {
public:
    TEnvironnementGui() {
        DefinirFichierReglages(dossier.filePath(QStringLiteral("reglages.ini")));
        Options::ModifierAfficherConseils(false);
        Options::ModifierRappelMiseAJourDisponible(false);
        Options::ModifierRappelSauvegarde(false);
        Options::ModifierTailleMaximumAuDemarrage(false);
        DefinirInterlocuteur(&interlocuteur);
        // A new class takes the default kinds of periods and report cards without its dialog;
        // a test that drives the dialog sets this back to nullptr.
        TFormTavelin2::Extensions().nouvelleClasse = [](TFichierTav& classe, QWidget*) {
            classe.InitialiserClasse(classe.TypePeriodes(), classe.TypeBulletins());
            return true;
        };
    }
    ~TEnvironnementGui() {
        TFormTavelin2::Extensions().nouvelleClasse = nullptr;
        DefinirInterlocuteur(nullptr);
        DefinirFichierReglages(QString());
    }
    // A fresh settings file (the start-up defaults above again).
    void NouveauxReglages() {
        static int numero = 0;
        DefinirFichierReglages(dossier.filePath(QStringLiteral("reglages%1.ini").arg(++numero)));
        Options::ModifierAfficherConseils(false);
        Options::ModifierRappelMiseAJourDisponible(false);
        Options::ModifierRappelSauvegarde(false);
        Options::ModifierTailleMaximumAuDemarrage(false);
    }
    QString Chemin(const QString& nom) const { return dossier.filePath(nom); }

    QTemporaryDir dossier;
    TInterlocuteurTest interlocuteur;
};

// Writes a class file: n students and, per period, the given number of series (marks filled).
inline QString EcrireClasse(const QString& chemin, const QString& classe, int eleves,
                            const QList<int>& seriesParPeriode = {},
                            const QString& matiere = QString(),
                            const QString& enseignant = QString()) {
    TFichierTav f;
    f.InitialiserClasse(QStringLiteral("Trimestres"), QStringLiteral("Bulletins par défaut"));
    f.ModifierClasse(classe);
    f.ModifierMatiere(matiere);
    f.ModifierEnseignant(enseignant);
    for (int s = 0; s < eleves; ++s)
        f.AjouterEleve(QStringLiteral("Elève %1").arg(s + 1, 2, 10, QLatin1Char('0')), QString(),
                       false);
    for (int p = 1; p <= seriesParPeriode.size(); ++p) {
        for (int j = 1; j <= seriesParPeriode.at(p - 1); ++j) {
            f.AjouterSerie(p, QStringLiteral("Série %1").arg(j), false,
                           QStringLiteral("Contrôle en classe"), QString(),
                           QStringLiteral("01/10/2025"), QStringLiteral("oui"), QStringLiteral("1"),
                           QStringLiteral("20"));
            for (int s = 1; s <= eleves; ++s)
                f.ModifierNote(p, j, QString::number((s + j) % 21), s);
        }
    }
    f.Enregistrer(chemin);
    return QFileInfo(chemin).absoluteFilePath();
}

// The main window, shown, its first tick already run (no timer wait).
inline std::unique_ptr<TFormTavelin2> FenetrePrete(const QStringList& arguments = {},
                                                   const QString& dossier = QString()) {
    auto fenetre = std::make_unique<TFormTavelin2>(arguments, dossier);
    fenetre->show();
    if (fenetre->PremierTopEnAttente()) fenetre->Top();
    return fenetre;
}
