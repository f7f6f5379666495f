#include "_FormNouvelleVersionDisponible.h"

#include "tavX_autoupdate.h"
#include "tavX_interlocuteur.h"
#include "tavX_options.h"
#include "tavX_programme.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The maker's site: the server that publishes the version document.
QUrl SiteWeb() {
    QUrl site(Programme::AdresseMiseAJour());
    site.setPath(QStringLiteral("/"));
    site.setQuery(QString());
    site.setFragment(QString());
    return site;
}

} // namespace

TFormNouvelleVersionDisponible::TFormNouvelleVersionDisponible(QWidget* parent,
                                                               const QString& description)
    : QDialog(parent) {
    setObjectName(QStringLiteral("FormNouvelleVersionDisponible"));
    auto* titre = new QLabel(QStringLiteral("<b>Une nouvelle version de %1 est disponible.</b>")
                                 .arg(Programme::Nom().toHtmlEscaped()),
                             this);
    memo1 = new QPlainTextEdit(this);
    memo1->setObjectName(QStringLiteral("Memo1"));
    memo1->setReadOnly(true);
    memo1->setMinimumSize(440, 200);
    memo1->clear();
    memo1->setPlainText(description);

    const QUrl site = SiteWeb();
    siteWeb = new QLabel(this);
    siteWeb->setObjectName(QStringLiteral("siteWeb"));
    siteWeb->setToolTip(QStringLiteral("Cliquez sur ce lien pour aller sur le site de Tavelin"));
    if (MiseAJour::AdresseAutorisee(site)) {
        siteWeb->setText(QStringLiteral("<a href=\"%1\">%2</a>")
                             .arg(site.toString(QUrl::FullyEncoded).toHtmlEscaped(),
                                  site.toDisplayString().toHtmlEscaped()));
        siteWeb->setTextInteractionFlags(Qt::LinksAccessibleByMouse |
                                         Qt::LinksAccessibleByKeyboard);
        connect(siteWeb, &QLabel::linkActivated, this, [site] { Interlocuteur().OuvrirUrl(site); });
    } else {
        siteWeb->hide();
    }

    checkBox1 =
        new QCheckBox(QStringLiteral("Ne plus vérifier automatiquement les mises à jour"), this);
    checkBox1->setObjectName(QStringLiteral("CheckBox1"));
    connect(checkBox1, &QCheckBox::clicked, this,
            [](bool coche) { Options::ModifierRappelMiseAJourDisponible(!coche); });

    auto* speedButton1 = new QPushButton(QStringLiteral("&Fermer"), this);
    speedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    connect(speedButton1, &QPushButton::clicked, this, &QDialog::accept);

    auto* bas = new QHBoxLayout;
    bas->addWidget(checkBox1);
    bas->addStretch(1);
    bas->addWidget(speedButton1);
    auto* mise = new QVBoxLayout(this);
    mise->addWidget(titre);
    mise->addWidget(memo1, 1);
    mise->addWidget(siteWeb);
    mise->addLayout(bas);
}

void TFormNouvelleVersionDisponible::showEvent(QShowEvent* evenement) {
    checkBox1->setChecked(!Options::RappelMiseAJourDisponible());
    setWindowTitle(
        QStringLiteral("%1 version %2").arg(Programme::Nom(), MiseAJour::VersionProgramme()));
    QDialog::showEvent(evenement);
}
