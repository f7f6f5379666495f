#include "tavX_listeColoree.h"

#include <QAbstractItemView>
#include <QListWidget>
#include <QPainter>

namespace Tav {

void TDelegueListeColoree::paint(QPainter* peintre, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    const bool selectionnee = option.state.testFlag(QStyle::State_Selected);
    const QColor fond = selectionnee      ? CouleurLigneSelectionnee()
                        : index.row() % 2 ? CouleurLigneImpaire()
                                          : CouleurLignePaire();
    peintre->save();
    peintre->fillRect(option.rect, fond);
    peintre->setFont(option.font);
    peintre->setPen(selectionnee ? CouleurTexteSelectionne() : QColor(Qt::black));
    const QRect zone = option.rect.adjusted(5, 2, -2, 0);
    peintre->drawText(zone, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                      option.fontMetrics.elidedText(index.data(Qt::DisplayRole).toString(),
                                                    Qt::ElideRight, zone.width()));
    if (option.state.testFlag(QStyle::State_HasFocus)) {
        QPen pointilles(Qt::DotLine);
        pointilles.setColor(QColor(Qt::gray));
        peintre->setPen(pointilles);
        peintre->drawRect(option.rect.adjusted(0, 0, -1, -1));
    }
    peintre->restore();
}

QSize TDelegueListeColoree::sizeHint(const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const {
    QSize taille = QStyledItemDelegate::sizeHint(option, index);
    taille.setHeight(qMax(HauteurLigneListe, option.fontMetrics.height() + 4));
    return taille;
}

void ColorerListe(QListWidget* liste) {
    liste->setItemDelegate(new TDelegueListeColoree(liste));
    liste->setSelectionMode(QAbstractItemView::SingleSelection);
    liste->setUniformItemSizes(true);
}

} // namespace Tav
