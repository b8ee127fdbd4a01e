#include "scoring/ui/result_grid.h"

#include <QHeaderView>
#include <QPainter>

#include "core/ui/qt_text.h"

namespace lumo::scoring::ui {

using core::ui::qs;

void ResultCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    painter->save();
    const QVariant background = index.data(Qt::BackgroundRole);
    painter->fillRect(option.rect, background.isValid() ? background.value<QBrush>() : QBrush(Qt::white));
    const QVariant foreground = index.data(Qt::ForegroundRole);
    painter->setPen(foreground.isValid() ? foreground.value<QBrush>().color() : QColor(Qt::black));
    const QVariant font = index.data(Qt::FontRole);
    painter->setFont(font.isValid() ? font.value<QFont>() : option.font);
    const int margin = option.fontMetrics.horizontalAdvance(QLatin1Char(' ')) / 2;
    const QVariant alignment = index.data(Qt::TextAlignmentRole);
    const int flags = alignment.isValid() ? alignment.toInt() : int(Qt::AlignLeft | Qt::AlignVCenter);
    painter->drawText(option.rect.adjusted(margin, 0, -margin, 0), flags, index.data(Qt::DisplayRole).toString());
    painter->setPen(QColor(128, 128, 128));
    painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
    painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
    if (option.state & QStyle::State_HasFocus) {
        painter->setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
    }
    painter->restore();
}

QTableWidget* makeResultGrid(QWidget* parent, const char* name) {
    auto* grid = new QTableWidget(parent);
    grid->setObjectName(QString::fromLatin1(name));
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->hide();
    grid->setShowGrid(false);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::NoSelection);
    grid->setItemDelegate(new ResultCellDelegate(grid));
    grid->setStyleSheet(QStringLiteral("QTableWidget { background: white; }"));
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 4);
    grid->horizontalHeader()->setMinimumSectionSize(1);
    return grid;
}

std::vector<CellSpan> mergedSpans(const std::vector<std::vector<std::string>>& cells, int fixedRows) {
    const int rows = static_cast<int>(cells.size());
    auto text = [&](int r, int c) -> const std::string& {
        static const std::string none;
        const auto& line = cells[static_cast<std::size_t>(r)];
        return c < static_cast<int>(line.size()) ? line[static_cast<std::size_t>(c)] : none;
    };
    auto width = [&](int r) { return static_cast<int>(cells[static_cast<std::size_t>(r)].size()); };
    auto fixed = [&](int r, int c) { return r < fixedRows || c == 0; };
    std::vector<std::vector<bool>> covered(static_cast<std::size_t>(rows));
    for (int r = 0; r < rows; ++r) covered[static_cast<std::size_t>(r)].assign(static_cast<std::size_t>(width(r)), false);
    std::vector<CellSpan> spans;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < width(r); ++c) {
            if (!fixed(r, c) || covered[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] || text(r, c).empty()) {
                continue;
            }
            int right = c + 1;
            while (right < width(r) && fixed(r, right) && text(r, right) == text(r, c) &&
                   !covered[static_cast<std::size_t>(r)][static_cast<std::size_t>(right)]) {
                ++right;
            }
            int down = r + 1;
            for (; down < rows; ++down) {
                bool same = width(down) >= right;
                for (int k = c; same && k < right; ++k) {
                    same = fixed(down, k) && text(down, k) == text(r, c) &&
                           !covered[static_cast<std::size_t>(down)][static_cast<std::size_t>(k)];
                }
                if (!same) break;
            }
            for (int a = r; a < down; ++a) {
                for (int k = c; k < right; ++k) covered[static_cast<std::size_t>(a)][static_cast<std::size_t>(k)] = true;
            }
            if (down - r > 1 || right - c > 1) spans.push_back({r, c, down - r, right - c});
        }
    }
    return spans;
}

void fillResultGrid(QTableWidget* grid, const std::vector<std::vector<std::string>>& cells, int fixedRows) {
    grid->clearSpans();
    int columns = 0;
    for (const auto& line : cells) columns = std::max(columns, static_cast<int>(line.size()));
    grid->setRowCount(static_cast<int>(cells.size()));
    grid->setColumnCount(columns);
    const QBrush silver(QColor(192, 192, 192));
    for (int r = 0; r < grid->rowCount(); ++r) {
        const auto& line = cells[static_cast<std::size_t>(r)];
        for (int c = 0; c < columns; ++c) {
            auto* item = grid->item(r, c);
            if (item == nullptr) {
                item = new QTableWidgetItem;
                grid->setItem(r, c, item);
            }
            item->setText(c < static_cast<int>(line.size()) ? qs(line[static_cast<std::size_t>(c)]) : QString());
            item->setData(Qt::BackgroundRole, (r < fixedRows || c == 0) ? QVariant(silver) : QVariant());
            item->setData(Qt::ForegroundRole, QVariant());
            item->setData(Qt::FontRole, QVariant());
            item->setTextAlignment(r < fixedRows ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
        }
    }
    for (const CellSpan& span : mergedSpans(cells, fixedRows)) grid->setSpan(span.row, span.column, span.rows, span.columns);
}

}  // namespace lumo::scoring::ui
