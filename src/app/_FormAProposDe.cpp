#include "_FormAProposDe.h"

#include "tavX_programme.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

TFormAProposDe::TFormAProposDe(const QPixmap& logo, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("A propos de ") + Programme::Nom());

    auto* image = new QLabel(this);
    image->setPixmap(logo.height() > 180 ? logo.scaledToHeight(180, Qt::SmoothTransformation)
                                         : logo);
    image->setAlignment(Qt::AlignTop);

    auto* titre = new QLabel(Programme::Legende(), this);
    QFont police = titre->font();
    police.setBold(true);
    police.setPointSizeF(police.pointSizeF() * 1.5);
    titre->setFont(police);

    auto* texte = new QLabel(this);
    texte->setTextFormat(Qt::RichText);
    texte->setWordWrap(true);
    texte->setOpenExternalLinks(true);
    texte->setText(
        QStringLiteral("<p>Le carnet de notes des enseignants du second degré : vos classes, vos "
                       "séries de notes, les moyennes par période et sur l'année, les bilans, les "
                       "graphes, les appréciations et les bulletins.</p>"
                       "<p>Un logiciel écrit par un enseignant pour les enseignants.</p>"
                       "<p>Format des fichiers de classe : version 2.3 (les fichiers des versions "
                       "précédentes sont relus et convertis).</p>"
                       "<p>Aide : touche F1, le guide installé avec le programme.</p>"
                       "<p>Ce programme utilise la bibliothèque Qt %1.</p>")
            .arg(QString::fromLatin1(qVersion())));
    texte->setMinimumWidth(380);

    auto* colonne = new QVBoxLayout;
    colonne->addWidget(titre);
    colonne->addWidget(texte, 1);

    auto* haut = new QHBoxLayout;
    haut->setSpacing(18);
    haut->addWidget(image);
    haut->addLayout(colonne, 1);

    auto* boutons = new QDialogButtonBox(this);
    QPushButton* ok = boutons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    connect(boutons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* disposition = new QVBoxLayout(this);
    disposition->addLayout(haut, 1);
    disposition->addWidget(boutons);
}
