#pragma once
// The look of the lists of the class and series dialogs: rows 18 pixels high, odd rows (counted
// from 0) on #EEF3F4 and even rows on white, the text 5 pixels from the left and 2 from the top,
// the selected row on #C5D1F8 with blue text.
#include <QColor>
#include <QStyledItemDelegate>

class QListWidget;

namespace Tav {

inline constexpr int HauteurLigneListe = 18;
inline QColor CouleurLigneImpaire() {
    return QColor(0xEE, 0xF3, 0xF4);
}
inline QColor CouleurLignePaire() {
    return QColor(Qt::white);
}
inline QColor CouleurLigneSelectionnee() {
    return QColor(0xC5, 0xD1, 0xF8);
}
inline QColor CouleurTexteSelectionne() {
    return QColor(0x00, 0x00, 0xFF);
}

class TDelegueListeColoree : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* peintre, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

// Gives a list widget that look (uniform rows, one selected row at a time).
void ColorerListe(QListWidget* liste);

} // namespace Tav
