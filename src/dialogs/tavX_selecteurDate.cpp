#include "tavX_selecteurDate.h"

#include <QCalendarWidget>
#include <QEvent>
#include <QKeyEvent>

namespace {
const QDate DateInconnue(1900, 1, 1);
}

TSelecteurDate::TSelecteurDate(QWidget* parent) : QDateEdit(parent) {
    setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    setCalendarPopup(true);
    setMinimumDate(DateInconnue);
    setSpecialValueText(LibelleInconnue());
    setDate(QDate::currentDate());
    if (QCalendarWidget* calendrier = calendarWidget()) calendrier->installEventFilter(this);
}

QString TSelecteurDate::TexteDate(const QDate& date) {
    return date.isValid() ? date.toString(QStringLiteral("dd/MM/yyyy")) : QString();
}

QDate TSelecteurDate::LireDate(const QString& texte) {
    const QString t = texte.trimmed();
    if (t.isEmpty()) return {};
    static const char* const formats[] = {"dd/MM/yyyy", "d/M/yyyy", "dd.MM.yyyy", "dd-MM-yyyy",
                                          "yyyy-MM-dd"};
    for (const char* format : formats) {
        const QDate d = QDate::fromString(t, QString::fromLatin1(format));
        if (d.isValid()) return d;
    }
    // Two-digit years: this century.
    QDate d = QDate::fromString(t, QStringLiteral("dd/MM/yy"));
    if (!d.isValid()) d = QDate::fromString(t, QStringLiteral("d/M/yy"));
    if (d.isValid() && d.year() < 2000) d = d.addYears(100);
    return d;
}

bool TSelecteurDate::AfficherTexte(const QString& texte) {
    const QDate d = LireDate(texte);
    if (!d.isValid() || d <= DateInconnue) {
        AfficherInconnue();
        return false;
    }
    setDate(d);
    return true;
}

void TSelecteurDate::AfficherInconnue() {
    setDate(DateInconnue);
}

bool TSelecteurDate::EstInconnue() const {
    return date() == DateInconnue;
}

QString TSelecteurDate::Texte() const {
    return EstInconnue() ? QString() : TexteDate(date());
}

void TSelecteurDate::stepBy(int pas) {
    if (EstInconnue()) {
        setDate(QDate::currentDate());
        return;
    }
    QDateEdit::stepBy(pas);
}

void TSelecteurDate::keyPressEvent(QKeyEvent* touche) {
    if (touche->key() == Qt::Key_Tab || touche->key() == Qt::Key_Backtab) {
        const bool suivant =
            touche->key() == Qt::Key_Tab && !(touche->modifiers() & Qt::ShiftModifier);
        QWidget::focusNextPrevChild(suivant);
        touche->accept();
        return;
    }
    QDateEdit::keyPressEvent(touche);
}

bool TSelecteurDate::focusNextPrevChild(bool suivant) {
    return QWidget::focusNextPrevChild(suivant);
}

bool TSelecteurDate::eventFilter(QObject* objet, QEvent* evenement) {
    if (evenement->type() == QEvent::Show && EstInconnue()) {
        if (auto* calendrier = qobject_cast<QCalendarWidget*>(objet)) {
            const QDate aujourdHui = QDate::currentDate();
            calendrier->setCurrentPage(aujourdHui.year(), aujourdHui.month());
        }
    }
    return QDateEdit::eventFilter(objet, evenement);
}
