#include "tavX_outilsSeries.h"

#include "tavX_constantes.h"
#include "tavX_fichierTav.h"
#include "tavX_nombres.h"
#include "tavX_selecteurDate.h"

#include <QButtonGroup>
#include <QDate>
#include <QGroupBox>
#include <QListWidget>
#include <QRadioButton>
#include <QVBoxLayout>

namespace OutilsSeries {

QString TexteNombreSeries(int n) {
    if (n <= 0) return QStringLiteral("aucune série de notes");
    if (n == 1) return QStringLiteral("1 série de notes");
    return QString::number(n) + QStringLiteral(" séries de notes");
}

namespace {
QString Comparable(const QString& texte) {
    QString t = texte.trimmed();
    for (QChar& c : t)
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z')) c = QChar(c.unicode() - 32);
    return t;
}
} // namespace

bool ListesIdentiques(const QStringList& a, const QStringList& b) {
    if (a.size() != b.size()) return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (Comparable(a.at(i)) != Comparable(b.at(i))) return false;
    return true;
}

QString DateDuJour() {
    return TSelecteurDate::TexteDate(QDate::currentDate());
}

bool LireNoteSurEntiere(const QString& texte, int& valeur) {
    const QString t = texte.trimmed();
    if (t.isEmpty() || t.size() > 4) return false;
    for (QChar c : t)
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
    const int v = t.toInt();
    if (v < 1 || v > 1000) return false;
    valeur = v;
    return true;
}

QString TexteNoteCalculee(long double valeur, int mode) {
    const QString fixe = Tav::FormaterFixe(valeur, 2);
    if (fixe.isEmpty()) return fixe;
    const QString arrondi = TFichierTav::ArrondirMoyenne(fixe, mode);
    return arrondi.isEmpty() ? fixe : arrondi;
}

QStringList IntitulesSeries(const TFichierTav& fichier, int p) {
    QStringList l;
    for (int j = 1; j <= fichier.NombreSeries(p); ++j)
        l.append(fichier.Intitule(p, j));
    return l;
}

void RemplirListe(QListWidget* liste, const QStringList& textes, bool cochable) {
    const int ligne = liste->currentRow();
    liste->clear();
    for (const QString& t : textes) {
        auto* element = new QListWidgetItem(t, liste);
        if (cochable) {
            element->setFlags(element->flags() | Qt::ItemIsUserCheckable);
            element->setCheckState(Qt::Unchecked);
        }
    }
    if (ligne >= 0 && ligne < liste->count()) liste->setCurrentRow(ligne);
}

QGroupBox* GroupeChoix(QWidget* parent, const QString& titre, const QStringList& choix,
                       QButtonGroup*& groupe) {
    auto* cadre = new QGroupBox(titre, parent);
    auto* mise = new QVBoxLayout(cadre);
    groupe = new QButtonGroup(cadre);
    for (qsizetype i = 0; i < choix.size(); ++i) {
        auto* bouton = new QRadioButton(choix.at(i), cadre);
        groupe->addButton(bouton, int(i));
        mise->addWidget(bouton);
    }
    if (!choix.isEmpty()) groupe->button(0)->setChecked(true);
    return cadre;
}

QString MessageLimiteCreation() {
    return QStringLiteral("Impossible de créer une nouvelle série de notes. Le nombre de séries "
                          "de notes est limité à ") +
           QString::number(Tav::MaxSeriesAnnee) + QStringLiteral(".");
}

} // namespace OutilsSeries
