#include "_FormEdit.h"

#include "tavX_interlocuteur.h"
#include "tavX_nombres.h"
#include "tavX_saisieTexte.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFormEdit::TFormEdit(QWidget* owner, bool numerique, const QString& texteInitial,
                     const QString& legende)
    : QDialog(owner, Qt::Tool), numerique(numerique), texteInitial(texteInitial) {
    setWindowTitle(legende);
    setObjectName(QStringLiteral("FormEdit"));

    champ = new QLineEdit(this);
    champ->setObjectName(QStringLiteral("Edit1"));
    champ->setMaxLength(100);
    champ->setText(texteInitial);
    champ->selectAll();
    champ->setMinimumWidth(260);
    Tav::ControlerSaisie(champ);
    champ->installEventFilter(this);

    boutonOk = new QPushButton(QStringLiteral("&Ok"), this);
    boutonOk->setDefault(true);
    boutonAnnuler = new QPushButton(QStringLiteral("&Annuler"), this);
    connect(boutonOk, &QPushButton::clicked, this, &TFormEdit::accept);
    connect(boutonAnnuler, &QPushButton::clicked, this, &TFormEdit::reject);

    auto* boutons = new QHBoxLayout;
    boutons->addStretch();
    boutons->addWidget(boutonOk);
    boutons->addWidget(boutonAnnuler);
    auto* mise = new QVBoxLayout(this);
    mise->addWidget(champ);
    mise->addLayout(boutons);
    setFixedSize(sizeHint());
    champ->setFocus();
}

QString TFormEdit::Texte() const {
    return champ->text();
}

bool TFormEdit::eventFilter(QObject* objet, QEvent* evenement) {
    if (numerique && objet == champ && evenement->type() == QEvent::KeyPress) {
        auto* touche = static_cast<QKeyEvent*>(evenement);
        if (touche->text() == QStringLiteral(".")) {
            champ->insert(QStringLiteral(","));
            return true;
        }
    }
    return QDialog::eventFilter(objet, evenement);
}

void TFormEdit::Refuser(const QString& message) {
    Erreur(this, message);
    champ->clear();
    champ->setFocus();
}

void TFormEdit::accept() {
    const QString texte = champ->text();
    if (texte.trimmed().isEmpty()) {
        Refuser(MessageChampVide());
        return;
    }
    if (numerique) {
        if (!Tav::EstNombre(texte)) {
            Refuser(MessageValeurIncorrecte());
            return;
        }
        champ->setText(texte.trimmed());
    } else if (!Tav::TexteEnregistrable(this, texte)) {
        champ->setFocus();
        return;
    }
    if (champ->text() == texteInitial) {
        QDialog::reject();
        return;
    }
    QDialog::accept();
}
