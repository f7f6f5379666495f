#include "_FormCalendrier.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

TFormCalendrier::TFormCalendrier(QWidget* owner, const QDate& date) : QDialog(owner) {
    setWindowTitle(QStringLiteral("Calendrier"));
    setObjectName(QStringLiteral("FormCalendrier"));

    calendrier = new QCalendarWidget(this);
    calendrier->setObjectName(QStringLiteral("MonthCalendar1"));
    calendrier->setLocale(QLocale(QLocale::French, QLocale::France));
    calendrier->setFirstDayOfWeek(Qt::Monday);
    calendrier->setGridVisible(true);
    calendrier->setSelectedDate(date.isValid() ? date : QDate::currentDate());

    boutonOk = new QPushButton(QStringLiteral("&Ok"), this);
    boutonOk->setDefault(true);
    boutonAnnuler = new QPushButton(QStringLiteral("&Annuler"), this);
    connect(boutonOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(boutonAnnuler, &QPushButton::clicked, this, &QDialog::reject);
    // The calendar keeps Enter for itself and reports it (and a double click) as an activation.
    connect(calendrier, &QCalendarWidget::activated, this, &QDialog::accept);

    // Every key of the calendar's day table passes here first, for Escape.
    for (QWidget* enfant : calendrier->findChildren<QWidget*>())
        enfant->installEventFilter(this);

    auto* boutons = new QHBoxLayout;
    boutons->addStretch();
    boutons->addWidget(boutonOk);
    boutons->addWidget(boutonAnnuler);
    auto* mise = new QVBoxLayout(this);
    mise->addWidget(calendrier);
    mise->addLayout(boutons);
    setFixedSize(sizeHint());
    calendrier->setFocus();
}

QDate TFormCalendrier::Date() const {
    return calendrier->selectedDate();
}

bool TFormCalendrier::eventFilter(QObject* objet, QEvent* evenement) {
    if (evenement->type() == QEvent::KeyPress) {
        const int touche = static_cast<QKeyEvent*>(evenement)->key();
        if (touche == Qt::Key_Escape) {
            reject();
            return true;
        }
        if (touche == Qt::Key_Return || touche == Qt::Key_Enter) {
            accept();
            return true;
        }
    }
    return QDialog::eventFilter(objet, evenement);
}
