#pragma once
// The small buttons of the class and series dialogs that open the options dialog on one of its
// pages ("Types de notes", "Types de périodes", "Enseignants", "Matières"), and the print
// dialog's button that opens it on a sub-page of "Impression" ("Bilans" ...). The program
// installs the opener at start; until then those buttons are not shown.
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace Dialogues {

using TOuvrirOptions =
    std::function<void(QWidget* parent, const QString& page, const QString& sousPage)>;

void DefinirOuvertureOptions(TOuvrirOptions ouvrir);
bool OptionsDisponibles();
// Opens the options dialog modally on that page and sub-page (nothing when none is installed).
void OuvrirOptions(QWidget* parent, const QString& page, const QString& sousPage = {});
// The first name of apres that avant did not hold (ignoring case): the value the user added in
// the options dialog, to be selected on return. Empty when none was added.
QString NouvelleValeur(const QStringList& avant, const QStringList& apres);

} // namespace Dialogues
