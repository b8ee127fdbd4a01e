#include "review/ui/scroll_res_strip.h"

#include <QPainter>
#include <algorithm>

namespace lumo::review::ui {

ScrollResStrip::ScrollResStrip(QWidget* parent) : QTabBar(parent) {
    setExpanding(false);
    setUsesScrollButtons(false);
    setDrawBase(false);
    setElideMode(Qt::ElideNone);
    setFixedHeight(fontMetrics().height() + 8);
}

void ScrollResStrip::setTabs(const std::vector<QString>& texts, const std::vector<QColor>& colours) {
    const QSignalBlocker quiet(this);
    while (count() > 0) removeTab(count() - 1);
    colours_ = colours;
    for (const QString& text : texts) addTab(text);
}

void ScrollResStrip::setTabColour(int index, const QColor& colour) {
    if (index < 0 || index >= static_cast<int>(colours_.size())) return;
    colours_[static_cast<std::size_t>(index)] = colour;
    update();
}

void ScrollResStrip::setTabLabel(int index, const QString& text) {
    setTabText(index, text);
}

QColor ScrollResStrip::tabColour(int index) const {
    return index >= 0 && index < static_cast<int>(colours_.size()) ? colours_[static_cast<std::size_t>(index)] : QColor();
}

QSize ScrollResStrip::tabSizeHint(int index) const {
    const int tabs = std::max(count(), 1);
    const int height = fontMetrics().height() + 8;
    const int parentWidth = parentWidget() != nullptr ? parentWidget()->width() : width();
    return {std::max(8, (parentWidth - 5) / tabs), height};
}

QSize ScrollResStrip::minimumTabSizeHint(int index) const {
    return tabSizeHint(index);
}

void ScrollResStrip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    for (int i = 0; i < count(); ++i) {
        const QRect area = tabRect(i);
        painter.fillRect(area, i == currentIndex() ? QColor(192, 192, 192) : QColor(Qt::black));
        painter.fillRect(QRect(area.left(), area.top(), area.width(), 2), Qt::white);
        painter.setPen(tabColour(i));
        painter.drawText(area.adjusted(0, 2, 0, 0), Qt::AlignCenter, tabText(i));
    }
}

}  // namespace lumo::review::ui
