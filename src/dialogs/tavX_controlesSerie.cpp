#include "tavX_controlesSerie.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QToolButton>

namespace Dialogues {

QToolButton* BoutonNouvelleValeur(QWidget* parent, const char* nom, const QString& bulle) {
    auto* bouton = new QToolButton(parent);
    bouton->setObjectName(QString::fromLatin1(nom));
    bouton->setText(QStringLiteral("..."));
    bouton->setToolTip(bulle);
    bouton->setFocusPolicy(Qt::TabFocus);
    return bouton;
}

QGroupBox* Groupe(QWidget* parent, const QString& titre, QRadioButton* premier,
                  QRadioButton* second) {
    auto* groupe = new QGroupBox(titre, parent);
    auto* mise = new QHBoxLayout(groupe);
    mise->addWidget(premier);
    mise->addWidget(second);
    mise->addStretch();
    auto* boutons = new QButtonGroup(groupe);
    boutons->addButton(premier, 0);
    boutons->addButton(second, 1);
    return groupe;
}

} // namespace Dialogues
