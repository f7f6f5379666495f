#include "tavX_saisieTexte.h"

#include "tavX_codec.h"
#include "tavX_interlocuteur.h"

#include <QComboBox>
#include <QLineEdit>

namespace Tav {

TValidateurWindows1252::TValidateurWindows1252(QObject* parent) : QValidator(parent) {}

QValidator::State TValidateurWindows1252::validate(QString& texte, int& position) const {
    Q_UNUSED(position);
    const std::optional<QString> refuse = CaractereNonRepresentable(texte);
    if (!refuse) return Acceptable;
    // The line edit is in the middle of its change: the message waits for the event loop.
    if (!annonceEnAttente) {
        annonceEnAttente = true;
        const QString caractere = *refuse;
        auto* moi = const_cast<TValidateurWindows1252*>(this);
        QMetaObject::invokeMethod(
            moi,
            [moi, caractere] {
                moi->annonceEnAttente = false;
                emit moi->caractereRefuse(caractere);
            },
            Qt::QueuedConnection);
    }
    return Invalid;
}

TValidateurWindows1252* ControlerSaisie(QLineEdit* champ) {
    auto* validateur = new TValidateurWindows1252(champ);
    champ->setValidator(validateur);
    QObject::connect(validateur, &TValidateurWindows1252::caractereRefuse, champ,
                     [champ](const QString& caractere) {
                         Erreur(champ->window(), MessageCaractereNonRepresentable(caractere));
                         champ->setFocus();
                     });
    return validateur;
}

TValidateurWindows1252* ControlerSaisie(QComboBox* liste) {
    if (!liste->lineEdit()) return nullptr;
    return ControlerSaisie(liste->lineEdit());
}

bool TexteEnregistrable(QWidget* parent, const QString& texte) {
    const std::optional<QString> refuse = CaractereNonRepresentable(texte);
    if (!refuse) return true;
    Erreur(parent, MessageCaractereNonRepresentable(*refuse));
    return false;
}

} // namespace Tav
