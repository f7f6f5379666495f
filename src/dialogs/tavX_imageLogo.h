#pragma once
// The picture shown at the left of the dialogs: the program's logo, at most `hauteur` pixels
// high, at the top of its column.
#include <QPixmap>

class QLabel;
class QWidget;

namespace Tav {
QLabel* ImageLogo(QWidget* parent, const QPixmap& logo, int hauteur = 240);
} // namespace Tav
