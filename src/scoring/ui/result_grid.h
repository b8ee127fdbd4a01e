#pragma once

#include <QStyledItemDelegate>
#include <QTableWidget>
#include <string>
#include <vector>

namespace lumo::scoring::ui {

// Paints a cell's own background, text colour and weight: under the
// workstation's style sheet the item roles alone are not honoured.
class ResultCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

// A results grid: texts in cells (screen readers read them as a table), fixed
// header rows and first column in silver.
QTableWidget* makeResultGrid(QWidget* parent, const char* name);

// Fills the grid with `cells`; the first `fixedRows` rows and the first
// column are fixed, and a fixed cell merges with neighbours of the same text.
void fillResultGrid(QTableWidget* grid, const std::vector<std::vector<std::string>>& cells, int fixedRows);

// The rectangles of merged fixed cells: row, column, rows, columns.
struct CellSpan {
    int row, column, rows, columns;
};
std::vector<CellSpan> mergedSpans(const std::vector<std::vector<std::string>>& cells, int fixedRows);

}  // namespace lumo::scoring::ui
