#include "review/ui/scroll_par_scale_list.h"

#include <QPainter>
#include <algorithm>

#include "platform/qt_text.h"

namespace lumo::review::ui {

TParScaleList::TParScaleList(const std::vector<std::string>& entries, QWidget* parent) : QListWidget(parent) {
    setObjectName("lstScale");
    setFlow(QListView::LeftToRight);
    setWrapping(false);
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setItemDelegate(new TParScaleDelegate(this));
    for (const std::string& entry : entries) addItem(platform::qs(entry));
}

void TParScaleList::fitTo(int height) {
    int widest = 0;
    for (int i = 0; i < count(); ++i) widest = std::max(widest, fontMetrics().horizontalAdvance(item(i)->text()));
    const int itemWidth = widest + 2 * fontMetrics().averageCharWidth() + 4;
    const int inner = std::max(height - 2 * frameWidth(), fontMetrics().height());
    for (int i = 0; i < count(); ++i) item(i)->setSizeHint(QSize(itemWidth, inner));
    setFixedSize(itemWidth * count() + 2 * frameWidth(), height);
}

void TParScaleDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const bool selected = option.state & QStyle::State_Selected;
    painter->save();
    painter->fillRect(option.rect, selected ? QColor(0, 0, 128) : QColor(Qt::white));
    painter->setPen(selected ? Qt::white : Qt::black);
    painter->drawText(option.rect, Qt::AlignCenter, index.data(Qt::DisplayRole).toString());
    painter->setPen(Qt::black);
    painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
    painter->restore();
}

}  // namespace lumo::review::ui
