#include "tavX_interlocuteur.h"

#include "tavX_programme.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>

#include <utility>

namespace {

TInterlocuteur& Standard() {
    static TInterlocuteur standard;
    return standard;
}

TInterlocuteur* courant = nullptr;
bool nonParDefaut = false;

QMessageBox::Icon IconeBoite(TIcone icone) {
    switch (icone) {
    case TIcone::Information:
        return QMessageBox::Information;
    case TIcone::Question:
        return QMessageBox::Question;
    case TIcone::Avertissement:
        return QMessageBox::Warning;
    case TIcone::Erreur:
        return QMessageBox::Critical;
    case TIcone::Aucune:
        break;
    }
    return QMessageBox::NoIcon;
}

void PreparerDialogue(QFileDialog& dialogue, const TDemandeFichier& demande) {
    dialogue.setWindowTitle(demande.titre);
    if (!demande.dossier.isEmpty()) dialogue.setDirectory(demande.dossier);
    const QStringList filtres = FiltresQt(demande.filtre);
    if (!filtres.isEmpty()) dialogue.setNameFilters(filtres);
    if (!demande.extensionParDefaut.isEmpty())
        dialogue.setDefaultSuffix(demande.extensionParDefaut);
    if (!demande.nomFichier.isEmpty()) dialogue.selectFile(demande.nomFichier);
}

} // namespace

bool TInterlocuteur::Question(QWidget* parent, const QString& titre, const QString& texte,
                              TIcone icone) {
    QMessageBox boite(IconeBoite(icone), titre, texte, QMessageBox::NoButton, parent);
    QPushButton* oui = boite.addButton(QStringLiteral("&Oui"), QMessageBox::YesRole);
    QPushButton* non = boite.addButton(QStringLiteral("&Non"), QMessageBox::NoRole);
    boite.setDefaultButton(NonParDefaut() ? non : oui);
    boite.setEscapeButton(non);
    boite.exec();
    return boite.clickedButton() == oui;
}

void TInterlocuteur::Message(QWidget* parent, const QString& titre, const QString& texte,
                             TIcone icone) {
    QMessageBox boite(IconeBoite(icone), titre, texte, QMessageBox::Ok, parent);
    boite.exec();
}

QStringList TInterlocuteur::FichiersAOuvrir(QWidget* parent, const TDemandeFichier& demande) {
    QFileDialog dialogue(parent);
    PreparerDialogue(dialogue, demande);
    dialogue.setAcceptMode(QFileDialog::AcceptOpen);
    dialogue.setFileMode(demande.plusieurs ? QFileDialog::ExistingFiles
                                           : QFileDialog::ExistingFile);
    if (dialogue.exec() != QDialog::Accepted) return {};
    return dialogue.selectedFiles();
}

QString TInterlocuteur::FichierAEnregistrer(QWidget* parent, const TDemandeFichier& demande) {
    QFileDialog dialogue(parent);
    PreparerDialogue(dialogue, demande);
    dialogue.setAcceptMode(QFileDialog::AcceptSave);
    dialogue.setFileMode(QFileDialog::AnyFile);
    if (dialogue.exec() != QDialog::Accepted) return {};
    return dialogue.selectedFiles().value(0);
}

bool TInterlocuteur::OuvrirUrl(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

bool TInterlocuteur::LancerProgramme(const QString& programme, const QStringList& arguments,
                                     std::function<void(bool)> fin) {
    if (!fin) return QProcess::startDetached(programme, arguments);
    // The process object has no parent: if the program ends first, the started program (a
    // mail composer, say) goes on running instead of being killed with its QProcess.
    auto* processus = new QProcess;
    processus->setProgram(programme);
    processus->setArguments(arguments);
    processus->setStandardOutputFile(QProcess::nullDevice());
    processus->setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(processus, &QProcess::finished, processus,
                     [processus, fin](int code, QProcess::ExitStatus statut) {
                         fin(statut == QProcess::NormalExit && code == 0);
                         processus->deleteLater();
                     });
    QObject::connect(processus, &QProcess::errorOccurred, processus,
                     [processus, fin](QProcess::ProcessError erreur) {
                         if (erreur != QProcess::FailedToStart) return;
                         fin(false);
                         processus->deleteLater();
                     });
    processus->start();
    return true;
}

TInterlocuteur& Interlocuteur() {
    return courant ? *courant : Standard();
}

void DefinirInterlocuteur(TInterlocuteur* interlocuteur) {
    courant = interlocuteur;
}

bool Question(QWidget* parent, const QString& texte, TIcone icone) {
    return Interlocuteur().Question(parent, Programme::Nom(), texte, icone);
}

bool QuestionNonParDefaut(QWidget* parent, const QString& texte) {
    const bool avant = std::exchange(nonParDefaut, true);
    const bool oui = Interlocuteur().Question(parent, Programme::Nom(), texte, TIcone::Question);
    nonParDefaut = avant;
    return oui;
}

bool NonParDefaut() {
    return nonParDefaut;
}

void Information(QWidget* parent, const QString& texte) {
    Interlocuteur().Message(parent, Programme::Nom(), texte, TIcone::Information);
}

void Erreur(QWidget* parent, const QString& texte) {
    Interlocuteur().Message(parent, Programme::Nom(), texte, TIcone::Erreur);
}

QStringList FiltresQt(const QString& filtre) {
    QStringList resultat;
    const QStringList morceaux = filtre.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < morceaux.size(); i += 2) {
        const QString motifs = morceaux.at(i + 1).trimmed();
        QString description = morceaux.at(i).trimmed();
        // "Fichier Tavelin *.tav" already names its patterns: they go between parentheses.
        if (description.endsWith(motifs)) description.chop(motifs.size());
        description = description.trimmed();
        QString listeMotifs = motifs;
        listeMotifs.replace(QLatin1Char(';'), QLatin1Char(' '));
        resultat.append(description.isEmpty()
                            ? listeMotifs
                            : description + QStringLiteral(" (") + listeMotifs + QLatin1Char(')'));
    }
    return resultat;
}
