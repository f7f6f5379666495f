#pragma once
// Every exchange of the windows with the user through a standard box (questions, messages, file
// dialogs) and with the desktop (web pages, documents, other programs) goes through the current
// TInterlocuteur. Tests install their own to answer without waiting and to see what was asked.
#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>

class QWidget;

enum class TIcone { Aucune, Information, Question, Avertissement, Erreur };

// What a file dialog shows. The filter is written "description|patterns|description|patterns"
// ("Fichier Tavelin *.tav|*.tav").
struct TDemandeFichier {
    QString titre;
    QString dossier;
    QString nomFichier;
    QString filtre;
    QString extensionParDefaut;
    bool plusieurs = false;
};

class TInterlocuteur {
public:
    virtual ~TInterlocuteur() = default;

    // A Yes/No box ("&Oui", "&Non"); true for Yes. Yes is the default button, unless the
    // question is asked through QuestionNonParDefaut (NonParDefaut() then tells it).
    virtual bool Question(QWidget* parent, const QString& titre, const QString& texte,
                          TIcone icone = TIcone::Question);
    virtual void Message(QWidget* parent, const QString& titre, const QString& texte, TIcone icone);
    // Open dialog, existing files only; the empty list when cancelled.
    virtual QStringList FichiersAOuvrir(QWidget* parent, const TDemandeFichier& demande);
    // Save dialog with the overwrite question; the empty text when cancelled.
    virtual QString FichierAEnregistrer(QWidget* parent, const TDemandeFichier& demande);

    // Opens a web address or a document with the desktop's program for it.
    virtual bool OuvrirUrl(const QUrl& url);
    // Starts a program. Without fin, the program is left to run on its own and the result only
    // says whether it started. With fin, fin(true) is called when it ends with success and
    // fin(false) when it fails to start or ends with an error.
    virtual bool LancerProgramme(const QString& programme, const QStringList& arguments,
                                 std::function<void(bool)> fin = {});
};

// The interlocutor in use.
TInterlocuteur& Interlocuteur();
// Installs another one (not owned); nullptr restores the standard one.
void DefinirInterlocuteur(TInterlocuteur* interlocuteur);

// Shortcuts on the interlocutor in use, with "Tavelin" as caption.
bool Question(QWidget* parent, const QString& texte, TIcone icone = TIcone::Question);
// The same question with No as the default button, for a Yes that throws data away.
bool QuestionNonParDefaut(QWidget* parent, const QString& texte);
// True while a question asked through QuestionNonParDefaut is being asked.
bool NonParDefaut();
void Information(QWidget* parent, const QString& texte);
void Erreur(QWidget* parent, const QString& texte);

// "Fichier Tavelin *.tav|*.tav|Tous les fichiers *.*|*.*" as a Qt name filter list.
QStringList FiltresQt(const QString& filtre);
