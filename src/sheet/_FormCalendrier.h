#pragma once
// TFormCalendrier: picks a date on a month calendar ("Calendrier"), for the date of a series.
//
//   TFormCalendrier calendrier(this, QDate::currentDate());
//   if (calendrier.exec() == QDialog::Accepted) utiliser(calendrier.Date());
//
// Enter (or a double click on a day) = OK, Escape = Cancel.
#include <QDate>
#include <QDialog>

class QCalendarWidget;
class QPushButton;

class TFormCalendrier : public QDialog {
    Q_OBJECT
public:
    explicit TFormCalendrier(QWidget* owner, const QDate& date = QDate::currentDate());

    // The chosen day.
    QDate Date() const;

    QCalendarWidget* Calendrier() const { return calendrier; }
    QPushButton* BoutonOk() const { return boutonOk; }
    QPushButton* BoutonAnnuler() const { return boutonAnnuler; }

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    QCalendarWidget* calendrier;
    QPushButton* boutonOk;
    QPushButton* boutonAnnuler;
};
