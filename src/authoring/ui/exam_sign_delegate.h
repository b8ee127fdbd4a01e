#pragma once

#include <QStyledItemDelegate>
#include <functional>

#include "core/colors.h"

namespace lumo::authoring::ui {

// Draws question signs and lines as the exam windows show them: on black in
// the colour of the item's sign type. A selected cell or line is marked by
// two white lines along its top and bottom edges, or, while `whiteSelection`
// says so (picking), drawn white.
class ExamSignDelegate : public QStyledItemDelegate {
public:
    explicit ExamSignDelegate(QObject* parent, std::function<bool()> whiteSelection = {});

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    std::function<bool()> whiteSelection_;
};

QColor toQColor(core::Rgb rgb);

}  // namespace lumo::authoring::ui
