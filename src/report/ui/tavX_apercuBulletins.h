#pragma once
// The preview of the report cards: page navigation, zoom and print from Qt's print preview, and
// the exports (one PDF for the class, one PDF per student, ODT, RTF) from its tool bar.
#include "tavX_donneesBulletins.h"

class QWidget;

namespace Bulletins {
void MontrerApercu(QWidget* parent, const TJeu& jeu);
// The default name of the class's documents: "Bulletins <class> - <period>".
QString NomDocument(const TJeu& jeu);
} // namespace Bulletins
