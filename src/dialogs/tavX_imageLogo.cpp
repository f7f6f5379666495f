#include "tavX_imageLogo.h"

#include <QLabel>

namespace Tav {

QLabel* ImageLogo(QWidget* parent, const QPixmap& logo, int hauteur) {
    auto* image = new QLabel(parent);
    image->setObjectName(QStringLiteral("Image1"));
    if (!logo.isNull())
        image->setPixmap(logo.height() > hauteur
                             ? logo.scaledToHeight(hauteur, Qt::SmoothTransformation)
                             : logo);
    image->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    return image;
}

} // namespace Tav
