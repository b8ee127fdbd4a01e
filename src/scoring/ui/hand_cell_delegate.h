#pragma once

#include <QStyledItemDelegate>

namespace lumo::scoring::ui {

// The role of a word drawn at the right of a cell (a question's decision).
inline constexpr int kRightWordRole = Qt::UserRole + 1;
// The role of the cell's left text when the display text also holds the word.
inline constexpr int kLeftTextRole = Qt::UserRole + 2;
// The role of the colour of the right word.
inline constexpr int kRightWordColourRole = Qt::UserRole + 3;

// Paints a cell's own background and text colours: under the workstation's
// style sheet the item roles alone are not honoured.
class HandCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace lumo::scoring::ui
