#include "_FormLisezMoi.h"

#include "tavX_codec.h"
#include "tavX_programme.h"
#include "tavX_texteImporte.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFormLisezMoi::TFormLisezMoi(const QString& texte, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FormLisezMoi"));
    setWindowTitle(QStringLiteral("Fichier lisez-moi - ") + Programme::Nom());
    setAttribute(Qt::WA_DeleteOnClose);
    setSizeGripEnabled(true);

    zoneTexte = new QPlainTextEdit(this);
    zoneTexte->setReadOnly(true);
    zoneTexte->setLineWrapMode(QPlainTextEdit::NoWrap);
    zoneTexte->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    zoneTexte->setPlainText(texte);

    auto* boutons = new QDialogButtonBox(this);
    QPushButton* fermer =
        boutons->addButton(QStringLiteral("&Fermer"), QDialogButtonBox::RejectRole);
    fermer->setDefault(true);
    connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* disposition = new QVBoxLayout(this);
    disposition->addWidget(zoneTexte, 1);
    disposition->addWidget(boutons);

    // As wide as the text's lines, within the screen.
    const int largeur = zoneTexte->fontMetrics().horizontalAdvance(QString(80, QLatin1Char('M')));
    resize(qMin(largeur + 60, 1000), 640);
    zoneTexte->setFocus();
}

bool TFormLisezMoi::Lire(const QString& chemin, QString& texte) {
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly)) return false;
    texte = Tav::DecoderTexte(fichier.readAll());
    return true;
}
