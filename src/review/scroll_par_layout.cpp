#include "review/scroll_par_layout.h"

#include <algorithm>

namespace lumo::review {

namespace {

constexpr int kTop = 1;
constexpr int kSide = 1;
constexpr int kPanelGap = 2;     // header strip to its chart panel
constexpr int kHeaderGap = 4;    // panel 1 to panel 2's header strip
constexpr int kExitMargin = 5;   // Exit above the bottom
constexpr int kBottomRoom = 20;  // besides Exit's height

}  // namespace

ParLayout parLayout(const ParLayoutSizes& s) {
    ParLayout layout;
    const int width = std::max(s.width - 2 * kSide, 1);
    const int panelHeight = std::max((s.height - (s.exitHeight + kBottomRoom)) / 2 - s.headerHeight, 1);
    int y = kTop;
    for (std::size_t p = 0; p < 2; ++p) {
        layout.headers[p] = {kSide, y, width, s.headerHeight};
        y += s.headerHeight + kPanelGap;
        layout.panels[p] = {kSide, y, width, panelHeight};
        y += panelHeight + kHeaderGap;
    }
    const int gap = (s.width - s.labelWidth - s.listWidth - s.exitWidth) / 4;
    const int exitTop = s.height - kExitMargin - s.exitHeight;
    layout.exit = {s.width - gap - s.exitWidth, exitTop, s.exitWidth, s.exitHeight};
    layout.label = {gap, exitTop + (s.exitHeight - s.labelHeight) / 2, s.labelWidth, s.labelHeight};
    layout.list = {(s.width - s.listWidth) / 2, exitTop, s.listWidth, s.exitHeight};
    return layout;
}

ParRect infoPanelRect(const ParRect& panel, int width, int height) {
    return {panel.x + (panel.width - width) / 2, panel.y + panel.height / 2 - height, width, height};
}

}  // namespace lumo::review
