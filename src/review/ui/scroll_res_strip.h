#pragma once

#include <QColor>
#include <QTabBar>
#include <vector>

namespace lumo::review::ui {

// The question strip of the scrolling review: one tab per presentation,
// its sign centred in the presentation's colour, the selected tab on
// silver and the others on black, each with a white line along its top.
// The tabs share the strip's width.
class ScrollResStrip : public QTabBar {
    Q_OBJECT

public:
    explicit ScrollResStrip(QWidget* parent = nullptr);

    // Replaces the tabs (texts and colours); no tab is current afterwards
    // until the owner selects one.
    void setTabs(const std::vector<QString>& texts, const std::vector<QColor>& colours);
    void setTabColour(int index, const QColor& colour);
    void setTabLabel(int index, const QString& text);
    QColor tabColour(int index) const;

protected:
    QSize tabSizeHint(int index) const override;
    QSize minimumTabSizeHint(int index) const override;
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<QColor> colours_;
};

}  // namespace lumo::review::ui
