#pragma once
// The window that announces a new version: the description sent by the maker's server, shown
// as plain text only (nothing in it is followed or run), the box that turns the check off and
// the link to the maker's site.
#include <QDialog>

class QCheckBox;
class QLabel;
class QPlainTextEdit;

class TFormNouvelleVersionDisponible : public QDialog {
    Q_OBJECT
public:
    TFormNouvelleVersionDisponible(QWidget* parent, const QString& description);

    QPlainTextEdit* Memo() const { return memo1; }
    QCheckBox* Case() const { return checkBox1; }

protected:
    void showEvent(QShowEvent* evenement) override;

private:
    QPlainTextEdit* memo1 = nullptr;
    QCheckBox* checkBox1 = nullptr;
    QLabel* siteWeb = nullptr;
};
