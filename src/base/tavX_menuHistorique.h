#pragma once
// The file-history items that follow "&Quitter" in a "&Fichier" menu.
#include <QString>
#include <functional>

class QAction;
class QMenu;

namespace MenuHistorique {

// Deletes every item after the "quitter" item.
void Retirer(QMenu* menu, QAction* quitter);
// When "utiliserHistorique" is on and the history is not empty: a separator, then one item per
// existing file, captioned with its path and bound to "Alt+position" for positions 0 to 9 and
// "Ctrl+(position - 10)" for the next ten; a click calls ouvrir with the path.
void Ajouter(QMenu* menu, std::function<void(const QString&)> ouvrir);
// Retirer, then Ajouter.
void Reconstruire(QMenu* menu, QAction* quitter, std::function<void(const QString&)> ouvrir);

} // namespace MenuHistorique
