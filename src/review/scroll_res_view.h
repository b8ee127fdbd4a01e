#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/colors.h"
#include "core/printed_page.h"
#include "review/scroll_res_channels.h"
#include "review/scroll_res_chart.h"
#include "review/scroll_res_drawing.h"
#include "review/scroll_res_positions.h"

namespace lumo::core {
class Workstation;
}

namespace lumo::review {

inline constexpr int kHandScoreFields = 3;
inline constexpr int kLowestHandScore = -3;
inline constexpr int kHighestHandScore = 3;
inline constexpr int kZoomedIn = 5;
inline constexpr int kReviewChartDigits = 9;

// One question presentation of the chart: a row of its results table.
struct Presentation {
    int row = 0;          // 1 ... N
    std::string sign;     // the question's sign without blanks; "" when the exam has no such question
    std::string answer;   // the expected answer
    std::string text;
    int type = 0;         // the sign's question type
    std::size_t onset = 0;
    bool excluded = false;
    core::Rgb colour;     // the colour of "*" when excluded, else of the sign
};

// A channel's readout panel on the Calc page (in readout order).
struct Readout {
    int channel = 0;
    bool shown = false;
    std::string text;     // name " : " value
    core::Rgb colour;
};

struct HandScoreFieldsState {
    bool enabled = false;
    std::array<int, kHandScoreFields> values{};  // breath, skin, cardio
    std::string sum;
};

// A gain field of the Edit page.
struct EditField {
    int channel = 0;
    int number = 0;  // gain code - 9, -9 ... +9
    int y = 0;       // the channel's centre line at point 0 plus its offset, pixels
};

enum class CursorKey { Left, Right, CtrlLeft, CtrlRight };

// What the review asks of its window.
struct ScrollResSteps {
    // A preparation step failed: "TfrmScrlRes.FillGains", the step and the message, one per line.
    std::function<void(const std::string& text)> fillGainsFailed;
};

// The behaviour of the scrolling chart review (TfrmScrlRes): one chart of
// an exam at paper scale, its presentations, cursor and readouts, hand
// scores, exclusions, gains and offsets, zoom and chart switching. The
// window lays itself out, gives the chart area's size and paints what
// draw() returns.
class ScrollResView {
public:
    ScrollResView(core::Workstation& workstation, ScrollResSteps steps);
    ~ScrollResView();

    // The chart area in pixels and the screen's resolution in pixels per inch.
    void setArea(int width, int height, double resolution);
    int areaWidth() const { return width_; }
    int areaHeight() const { return height_; }
    double resolution() const { return resolution_; }

    // Opens a chart: exam, results table and chart are loaded (their errors
    // propagate and leave the view as it was), the data prepared, the first
    // presentation selected; the chart becomes the current examinee's chart.
    void open(const std::filesystem::path& chartFile);
    bool isOpen() const { return chart_ != nullptr; }
    const ScrollResChart& chart() const { return *chart_; }
    const ScrollResSettings& settings() const { return settings_; }

    std::string caption() const;
    int chartDigit() const { return chart_->files().digit; }
    // Chart buttons 1 ... 9: enabled when that chart file exists.
    bool chartEnabled(int digit) const;

    // Switches to another enabled chart: the current one is closed (saved)
    // first. False when the digit names the current chart or no chart.
    bool switchChart(int digit);
    // Saves the results table and the review display file.
    void close();

    // Presentations and the selected one (1 ... N, 0 when there is none).
    int presentationCount() const { return static_cast<int>(presentations_.size()); }
    const Presentation& presentation(int i) const { return presentations_[static_cast<std::size_t>(i - 1)]; }
    int current() const { return current_; }
    void select(int i);
    // "2.*R1.+.Question text ?" and its colour (the first type letter's).
    std::string questionLine() const;
    core::Rgb questionLineColour() const;

    void toggleExclusion();
    int zoom() const { return zoom_; }
    void toggleZoom();

    // Scrolling.
    const ScreenPositions& positions() const { return positions_; }
    int totalWidth() const { return positions_.totalWidth(); }
    bool scrollBarShown() const;
    int scrollMaximum() const;
    int scrollPosition() const { return position_; }
    // Clipped to 0 ... scrollMaximum().
    void scrollTo(int position);
    int lastDrawn() const { return lastDrawn_; }
    // The next drawing paints the whole picture.
    void redrawAll() { lastDrawn_ = -1; }
    // The picture for the current position: nothing when it was drawn at
    // this position, the newly exposed strip after a move of less than the
    // picture's width, else all of it.
    ScrollResPicture draw(const core::TextMeasure& measure, const core::TextStyle& labelStyle);

    // The cursor: its point and its column in the picture.
    std::size_t cursor() const { return cursor_; }
    int cursorColumn() const;
    void clickColumn(int column);
    // False when the key would leave the visible part or the chart.
    bool moveCursor(CursorKey key);
    std::vector<Readout> readouts() const;
    std::string seconds() const;

    HandScoreFieldsState handScores() const;
    // Field 0 ... 2 takes `value` (kept to -3 ... +3); stored as hand score
    // 1 ... 3 of the current presentation with the sum as hand score 4.
    void setHandScore(int field, int value);

    // The Edit page.
    bool channelVisible(int channel) const;
    std::vector<EditField> editFields() const;
    int gainCode(int channel) const;
    void setGainNumber(int channel, int number);
    int offset(int channel) const { return offsets_[static_cast<std::size_t>(channel)]; }
    // Moves the channel by dy pixels, keeping its field's y at `lowestY` or
    // below; returns the pixels applied.
    int dragOffset(int channel, int dy, int lowestY);

    // What the screen's drawings read (offsets in pixels), and the same for
    // a printout whose chart area is `area` units high (offsets scaled from
    // their thousandths).
    PictureSource screenSource() const;
    PictureSource paperSource(double area) const;
    // The offset in thousandths that the display file will keep.
    int offsetThousandths(int channel) const;

private:
    void prepare();
    PictureSource source(const std::array<double, kReviewChannels>& offsets) const;
    void fillPresentations();
    std::size_t onsetPoint(int i) const;
    double xOf(std::size_t point) const;
    bool pointInWindow(std::size_t point) const;

    core::Workstation& ws_;
    ScrollResSteps steps_;
    ScrollResSettings settings_;
    std::unique_ptr<ScrollResChart> chart_;
    std::vector<Presentation> presentations_;
    std::array<bool, kReviewChartDigits + 1> chartExists_{};
    ScreenPositions positions_;
    std::array<bool, kReviewChannels> visible_{};
    std::array<int, kReviewChannels> offsets_{};         // pixels
    std::array<bool, kReviewChannels> offsetMoved_{};    // dragged since opening

    int width_ = 1;
    int height_ = 3;
    double resolution_ = 96;
    int current_ = 0;
    std::size_t cursor_ = 0;
    int zoom_ = 1;
    int position_ = 0;
    int lastDrawn_ = -1;
};

}  // namespace lumo::review
