#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/colors.h"
#include "core/question_set.h"
#include "review/scroll_par_bands.h"
#include "review/chart_files.h"
#include "review/scroll_par_panel.h"
#include "review/scroll_par_picture.h"

namespace lumo::core {
class Settings;
class Texts;
}  // namespace lumo::core

namespace lumo::review {

class ParDrawingFailure;

// What a question info panel shows.
struct ParInfo {
    std::string text;
    core::Rgb colour;
    bool operator==(const ParInfo&) const = default;
};

// What Esc does.
enum class ParEscape { HideUpper, HideLower, Close };

// The behaviour of the parameter scroll view: two charts of one exam one
// above the other, each with its own chart, compression, scroll position
// and grid. Panels are numbered 1 (upper) and 2 (lower). It only reads.
class ParameterScroll {
public:
    // Reads the channel settings and the exam beside the target's chart; an
    // unreadable exam or an unknown colour name raises its error.
    ParameterScroll(const core::Settings& settings, const core::Texts& texts, ReviewTarget target);

    // "Examinee : #0000001 / EXAM_01  ( Name )".
    std::string caption() const;
    // The scale list in the order of ParScale.
    std::vector<std::string> scaleEntries() const;

    // The client size of each chart panel and its scroll bar's height; the
    // panels are laid out again (back to their start).
    void setPanelSize(int width, int height, int scrollBarHeight);
    // Pixels per inch of the screen, for "standard".
    void setResolution(double pixelsPerInch) { resolution_ = pixelsPerInch; }

    // Both panels load the target's chart and "at all" is applied. Returns
    // what could not be read ("" when everything was).
    std::string open();
    ParScale scale() const { return scale_; }
    // Both panels laid out again from their start.
    void applyScale(ParScale scale);

    ParPanel& panel(int p);
    const ParPanel& panel(int p) const;
    const ParChannelSettings& channels() const { return channels_; }
    const core::TQstTest& exam() const { return exam_; }
    // Chart d = 1 ... 9 of the exam exists: its buttons are enabled.
    bool chartAvailable(int digit) const;

    // While the view sets the chart buttons itself, clicks on them are ignored.
    bool loading() const { return loading_; }
    void setLoading(bool on) { loading_ = on; }
    // A chart button of panel p clicked (or its digit typed): the panel
    // loads that chart. False, nothing done, while loading or for a chart
    // that does not exist.
    bool chooseChart(int p, int digit);
    // What the panel's last load could not read ("" when it read everything).
    std::string problemText(int p) const;

    // Draws panel p at its position (ParDrawingFailure when it fails).
    ParStrip draw(int p, const ParTextMeasure& measure);
    // The failure box: "Exception: " message, a line break, "Condition: " step.
    std::string failureText(const ParDrawingFailure& failure) const;

    // The scroll bar moved: true when the panel must be drawn at the new position.
    bool scrollTo(int p, int position);
    // The position one large step (16 pixels) to the left (-1) or right (+1).
    int largeStep(int p, int direction) const;
    // The grid button: switched, to be drawn again.
    void toggleGrid(int p);

    // The info row (1 ... N of the panel that showed it), 0 for none.
    int infoRow() const { return infoRow_; }
    bool infoShown(int p) const { return shown_[index(p)]; }
    // A mouse button pressed on column x of panel p's chart area: the
    // question whose 250-point window holds that point (the later row
    // where windows overlap), or none.
    std::optional<ParInfo> press(int p, int x);
    // The button released: panel p's info panel is hidden.
    void release(int p);
    // "Q" on panel p: the next row, none after the last one (hidden again).
    std::optional<ParInfo> stepInfo(int p);
    ParEscape escape();

    // A panel's scroll bar or grid button took or lost the focus.
    void focusEntered(int p);
    void focusLeft(int p);
    // Silver while the panel's controls have the focus, grey otherwise.
    core::Rgb headerColour(int p) const;
    // The view or the program lost the focus: the next paints redraw everything.
    void deactivate();

private:
    static std::size_t index(int p);
    ParInfo infoOf(int p, int row) const;
    void layOut(ParPanel& panel);

    const core::Texts& texts_;
    ReviewTarget target_;
    ParChannelSettings channels_;
    core::TQstTest exam_;
    std::array<bool, 10> available_{};
    std::array<ParPanel, 2> panels_;
    std::array<bool, 2> shown_{};
    std::array<bool, 2> focused_{};
    ParScale scale_ = ParScale::AtAll;
    int infoRow_ = 0;
    bool loading_ = false;
    int panelWidth_ = 1;
    int panelHeight_ = 1;
    int scrollBarHeight_ = 0;
    double resolution_ = 96;
};

}  // namespace lumo::review
