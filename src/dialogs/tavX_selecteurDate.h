#pragma once
// The date field of the series dialogs. Dates are stored in a class file as the short date text
// of the French notation, "dd/MM/yyyy". A stored text that cannot be read as a date is shown as
// "inconnue" instead of stopping anything; the stored text stays as it is until the user picks
// a date. From "inconnue" the first step of the arrow keys, and the calendar, start at today.
#include <QDate>
#include <QDateEdit>
#include <QString>

class TSelecteurDate : public QDateEdit {
    Q_OBJECT
public:
    explicit TSelecteurDate(QWidget* parent = nullptr);

    // The date as stored in a class file: "dd/MM/yyyy".
    static QString TexteDate(const QDate& date);
    // Reads a stored date: "dd/MM/yyyy", also "d/M/yyyy", "dd/MM/yy" (20xx), "dd.MM.yyyy",
    // "dd-MM-yyyy" and "yyyy-MM-dd"; an invalid QDate when the text is none of these.
    static QDate LireDate(const QString& texte);

    // Shows the stored text; returns false (and shows "inconnue") when it cannot be read.
    bool AfficherTexte(const QString& texte);
    void AfficherInconnue();
    bool EstInconnue() const;
    // The shown date as stored text; the empty text while it is unknown.
    QString Texte() const;

    static QString LibelleInconnue() { return QStringLiteral("inconnue"); }

protected:
    void stepBy(int pas) override;
    // Tab leaves the field at once (the arrow keys move between day, month and year), also
    // while it shows "inconnue".
    void keyPressEvent(QKeyEvent* touche) override;
    bool focusNextPrevChild(bool suivant) override;
    bool eventFilter(QObject* objet, QEvent* evenement) override;
};
