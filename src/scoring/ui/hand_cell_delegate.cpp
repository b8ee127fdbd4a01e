#include "scoring/ui/hand_cell_delegate.h"

#include <QPainter>

namespace lumo::scoring::ui {

void HandCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    painter->save();
    const QVariant background = index.data(Qt::BackgroundRole);
    painter->fillRect(option.rect, background.isValid() ? background.value<QBrush>() : QBrush(Qt::black));
    const QVariant foreground = index.data(Qt::ForegroundRole);
    painter->setPen(foreground.isValid() ? foreground.value<QBrush>().color() : QColor(Qt::white));
    painter->setFont(option.font);
    const int margin = option.fontMetrics.horizontalAdvance(QLatin1Char(' '));
    const QRect inner = option.rect.adjusted(margin, 0, -margin, 0);
    const QString word = index.data(kRightWordRole).toString();
    const QVariant left = index.data(kLeftTextRole);
    const QString text = left.isValid() ? left.toString() : index.data(Qt::DisplayRole).toString();
    const QVariant alignment = index.data(Qt::TextAlignmentRole);
    const int flags = alignment.isValid() ? alignment.toInt() : int(Qt::AlignLeft | Qt::AlignVCenter);
    painter->drawText(inner, flags, text);
    if (!word.isEmpty()) {
        painter->setPen(index.data(kRightWordColourRole).value<QColor>());
        painter->drawText(inner, Qt::AlignRight | Qt::AlignVCenter, word);
    }
    if (option.state & QStyle::State_HasFocus) {
        painter->setPen(QPen(Qt::white, 1, Qt::DotLine));
        painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
    }
    painter->restore();
}

}  // namespace lumo::scoring::ui
