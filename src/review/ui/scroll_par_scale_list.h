#pragma once

#include <QListWidget>
#include <QStyledItemDelegate>
#include <string>
#include <vector>

namespace lumo::review::ui {

// The scale list: one row of equally wide items, each drawn centred with a
// black line along its right edge, the selected one white on navy and the
// others black on white.
class TParScaleList : public QListWidget {
    Q_OBJECT

public:
    TParScaleList(const std::vector<std::string>& entries, QWidget* parent = nullptr);

    // Wide enough for every entry, as tall as `height`.
    void fitTo(int height);
};

class TParScaleDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace lumo::review::ui
