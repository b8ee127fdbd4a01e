#include "authoring/ui/exam_sign_delegate.h"

#include <QPainter>

namespace lumo::authoring::ui {

QColor toQColor(core::Rgb rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

ExamSignDelegate::ExamSignDelegate(QObject* parent, std::function<bool()> whiteSelection)
    : QStyledItemDelegate(parent), whiteSelection_(std::move(whiteSelection)) {}

void ExamSignDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const bool selected = (option.state & QStyle::State_Selected) != 0;
    const bool white = selected && whiteSelection_ && whiteSelection_();
    painter->save();
    painter->fillRect(option.rect, Qt::black);
    const QVariant foreground = index.data(Qt::ForegroundRole);
    QColor colour = foreground.canConvert<QBrush>() ? foreground.value<QBrush>().color() : QColor(Qt::white);
    if (white) {
        painter->fillRect(option.rect, Qt::white);
        colour = Qt::black;
    }
    painter->setPen(colour);
    painter->setFont(option.font);
    const int margin = option.fontMetrics.horizontalAdvance(QLatin1Char(' ')) / 2;
    const Qt::Alignment alignment = index.data(Qt::TextAlignmentRole).isValid()
                                        ? Qt::Alignment(index.data(Qt::TextAlignmentRole).toInt())
                                        : Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter);
    painter->drawText(option.rect.adjusted(margin, 0, -margin, 0), alignment | Qt::AlignVCenter,
                      index.data(Qt::DisplayRole).toString());
    if (selected && !white) {
        // Two white lines, two pixels each, along the top and bottom edges.
        const QRect r = option.rect;
        painter->fillRect(QRect(r.left(), r.top(), r.width(), 2), Qt::white);
        painter->fillRect(QRect(r.left(), r.bottom() - 1, r.width(), 2), Qt::white);
    }
    painter->restore();
}

}  // namespace lumo::authoring::ui
