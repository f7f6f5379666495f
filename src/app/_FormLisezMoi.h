#pragma once
// TFormLisezMoi: the read-me file shown in a window of the program's own, when the desktop has
// no program to open a text file. Read-only text; Escape or "&Fermer" closes it.
#include <QDialog>

class QPlainTextEdit;

class TFormLisezMoi : public QDialog {
    Q_OBJECT
public:
    explicit TFormLisezMoi(const QString& texte, QWidget* parent = nullptr);
    QPlainTextEdit* Texte() const { return zoneTexte; }

    // The text of the file (UTF-8, or else Windows-1252); false when it cannot be read.
    static bool Lire(const QString& chemin, QString& texte);

private:
    QPlainTextEdit* zoneTexte = nullptr;
};
