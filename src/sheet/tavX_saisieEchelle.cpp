#include "tavX_saisieEchelle.h"

#include "tavX_interlocuteur.h"
#include "tavX_nombres.h"

#include <QLineEdit>

#include <cmath>

namespace {
constexpr int EchelleMinimum = 1;
constexpr int EchelleMaximum = 1000;
} // namespace

TSaisieEchelle::TSaisieEchelle(QWidget* owner, const QString& texteInitial, const QString& legende)
    : TFormEdit(owner, true, texteInitial, legende) {}

bool TSaisieEchelle::Lire(const QString& texte, int& echelle) {
    long double v = 0;
    if (!Tav::LireNombre(texte.trimmed(), v)) return false;
    if (v != std::floor(v) || v < EchelleMinimum || v > EchelleMaximum) return false;
    echelle = int(v);
    return true;
}

bool TSaisieEchelle::Demander(QWidget* owner, const QString& legende, const QString& texteInitial,
                              int& echelle) {
    TSaisieEchelle saisie(owner, texteInitial, legende);
    if (saisie.exec() != QDialog::Accepted) return false;
    return Lire(saisie.Texte(), echelle);
}

void TSaisieEchelle::accept() {
    const QString texte = Champ()->text();
    int echelle = 0;
    // A blank text or a text that is not a number: the dialog's own messages.
    if (!texte.trimmed().isEmpty() && Tav::EstNombre(texte) && !Lire(texte, echelle)) {
        Erreur(this, MessageValeurIncorrecte());
        Champ()->clear();
        Champ()->setFocus();
        return;
    }
    TFormEdit::accept();
}
