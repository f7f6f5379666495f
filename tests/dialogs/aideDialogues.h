#pragma once
// Helpers of the dialog tests: an interlocutor that answers questions at once and records every
// box, and a way to act on a modal dialog that another dialog opens with exec().
#include "tavX_interlocuteur.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QList>
#include <QPointer>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

namespace AideDialogues {

struct Boite {
    QString titre;
    QString texte;
    TIcone icone;
    bool question;
    bool nonParDefaut = false; // a question whose default button is No
};

class InterlocuteurTest : public TInterlocuteur {
public:
    InterlocuteurTest() { DefinirInterlocuteur(this); }
    ~InterlocuteurTest() override { DefinirInterlocuteur(nullptr); }

    bool Question(QWidget*, const QString& titre, const QString& texte, TIcone icone) override {
        boites.append({titre, texte, icone, true, NonParDefaut()});
        return reponses.isEmpty() ? false : reponses.takeFirst();
    }
    void Message(QWidget*, const QString& titre, const QString& texte, TIcone icone) override {
        boites.append({titre, texte, icone, false});
    }
    QStringList FichiersAOuvrir(QWidget*, const TDemandeFichier& demande) override {
        demandes.append(demande);
        return fichiersChoisis;
    }
    QString FichierAEnregistrer(QWidget*, const TDemandeFichier& demande) override {
        demandes.append(demande);
        return {};
    }

    QStringList Textes() const {
        QStringList l;
        for (const Boite& b : boites)
            l.append(b.texte);
        return l;
    }

    QList<bool> reponses;
    QList<Boite> boites;
    QList<TDemandeFichier> demandes;
    QStringList fichiersChoisis;
};

// Runs `action` on the next modal dialog of type D that opens (from an exec() called after this
// returns). The action must close the dialog. Returns a flag telling whether it ran.
template <typename D> std::shared_ptr<bool> AuProchainDialogue(std::function<void(D*)> action) {
    auto fait = std::make_shared<bool>(false);
    auto* minuterie = new QTimer;
    auto debut = std::make_shared<QElapsedTimer>();
    debut->start();
    QObject::connect(minuterie, &QTimer::timeout, [minuterie, action, fait, debut] {
        QWidget* modal = QApplication::activeModalWidget();
        D* dialogue = qobject_cast<D*>(modal);
        if (dialogue && dialogue->isVisible()) {
            minuterie->stop();
            minuterie->deleteLater();
            *fait = true;
            action(dialogue);
            return;
        }
        if (debut->elapsed() > 20000) { // the test fails on *fait; never hang
            minuterie->stop();
            minuterie->deleteLater();
            if (modal) {
                if (auto* d = qobject_cast<QDialog*>(modal)) d->reject();
            }
        }
    });
    minuterie->start(10);
    return fait;
}

// Selects the item of a list-only combo box by keyboard as a user would (focus, Home, Down...).
inline bool ChoisirDansListe(QComboBox* liste, const QString& texte) {
    const int cible = liste->findText(texte, Qt::MatchExactly);
    if (cible < 0) return false;
    liste->setFocus();
    QTest::keyClick(liste, Qt::Key_Home);
    for (int i = 0; i < cible; ++i)
        QTest::keyClick(liste, Qt::Key_Down);
    return liste->currentIndex() == cible;
}

// Types a text into a widget as key presses carrying the characters, one code point at a time
// (QTest::keyClicks only knows ASCII).
inline void TaperTexte(QWidget* cible, const QString& texte) {
    for (qsizetype i = 0; i < texte.size(); ++i) {
        if (texte.at(i).unicode() < 128) {
            QTest::keyClick(cible, char(texte.at(i).unicode()));
            continue;
        }
        QString caractere(texte.at(i));
        if (texte.at(i).isHighSurrogate() && i + 1 < texte.size()) caractere += texte.at(++i);
        QTest::sendKeyEvent(QTest::Click, cible, Qt::Key_unknown, caractere, Qt::NoModifier);
    }
}

// Shows a dialog without blocking (as the user would see it) and waits until it is active.
inline bool Montrer(QDialog* dialogue) {
    dialogue->show();
    dialogue->activateWindow();
    return QTest::qWaitForWindowActive(dialogue);
}

// The widget that has the keyboard focus, after a Tab press on the current one.
inline QWidget* Tab(QWidget* fenetre) {
    QWidget* actuel = QApplication::focusWidget();
    QTest::keyClick(actuel ? actuel : fenetre, Qt::Key_Tab);
    return QApplication::focusWidget();
}

} // namespace AideDialogues
