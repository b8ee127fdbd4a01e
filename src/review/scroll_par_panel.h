#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/colors.h"
#include "formats/chart.h"
#include "review/scroll_par_bands.h"

namespace lumo::core {
class TQstTest;
class Texts;
}  // namespace lumo::core
namespace lumo::formats {
class TQtFile;
}

namespace lumo::review {

// The compressions of the scale list, in its order.
enum class ParScale { AtAll, X2, X4, X8, Standard };
inline constexpr int kParScaleCount = 5;

// A question's info window: a press up to this many points after its onset names it.
inline constexpr std::uint32_t kInfoWindowPoints = 250;

// One presentation of the panel's chart as the panel shows it.
struct ParRow {
    std::uint32_t onset = 0;
    bool excluded = false;
    std::string label;  // "(" answer ["*"] sign ")" and two blanks
    std::string info;   // number "." ["*"] sign "." answer "." text
    core::Rgb colour;   // the "*" colour when excluded, else the sign's
    core::Rgb infoColour;
};

// A rectangle in the panel's pixels.
struct ParRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const ParRect&) const = default;
};

// One panel of the parameter scroll view: a chart of the exam with its
// results table, the compression, the scroll position and the grid switch.
class ParPanel {
public:
    // Reads chart `digit` beside `chartFile` with its results table and
    // screen-settings file. Never raises for the files: what cannot be read
    // stays empty and problems() says why, in the examiner's language.
    void load(const std::filesystem::path& chartFile, int digit, const core::TQstTest& exam, const core::Texts& texts);
    // The compression for a panel of `width` x `height` client pixels whose
    // scroll bar is `scrollBarHeight` tall (`resolution` in pixels per inch
    // for "standard"): samples per pixel, total width, scroll range, chart
    // area. Back to the start: position 0, everything to be drawn again.
    void layOut(ParScale scale, int width, int height, int scrollBarHeight, double resolution);

    int chartDigit() const { return digit_; }
    const formats::TLumoChart_7_1& chart() const { return chart_; }
    const std::vector<ParRow>& rows() const { return rows_; }
    int rowCount() const { return static_cast<int>(rows_.size()); }
    // The sample count the compression is taken from (n).
    std::uint32_t samples() const { return samples_; }
    const std::vector<std::size_t>& lonelyReady() const { return lonelyReady_; }
    bool isLonelyReady(std::size_t point) const;
    // The display gain the screen-settings file gives the channel at the start (none without the file).
    std::optional<std::uint8_t> initialGain(int channel) const;
    const std::vector<std::string>& problems() const { return problems_; }

    ParScale scale() const { return scale_; }
    float samplesPerPixel() const { return spp_; }
    int totalWidth() const { return totalWidth_; }
    int scrollMaximum() const { return scrollMaximum_; }
    bool scrollBarShown() const { return scrollMaximum_ > 0; }
    int width() const { return width_; }
    const ParRect& area() const { return area_; }
    const ParRect& scrollBar() const { return scrollBar_; }

    int position() const { return position_; }
    // Kept within 0 ... scrollMaximum().
    void setPosition(int position);
    int lastDrawn() const { return lastDrawn_; }
    void setLastDrawn(int position) { lastDrawn_ = position; }
    // The next drawing redraws everything.
    void invalidate() { lastDrawn_ = -1; }
    bool grid() const { return grid_; }
    void setGrid(bool on) { grid_ = on; }

    // The chart point under column x of the chart area: round((x + position) x SPP).
    std::int64_t pointAt(int x) const;
    // The last row whose info window holds `point` (1 ... N), 0 for none.
    int rowAt(std::int64_t point) const;

private:
    // False (the problem noted) when the table cannot be read.
    bool readTable(const std::filesystem::path& file, formats::TQtFile& table);
    bool readChart(const std::filesystem::path& file);
    void readScreen(const std::filesystem::path& file);
    void fillRows(const formats::TQtFile& table, const core::TQstTest& exam);

    int digit_ = 0;
    formats::TLumoChart_7_1 chart_;
    std::vector<ParRow> rows_;
    std::uint32_t samples_ = 0;
    std::vector<std::size_t> lonelyReady_;
    std::array<std::optional<std::uint8_t>, kParChannels> gains_{};
    std::vector<std::string> problems_;

    ParScale scale_ = ParScale::AtAll;
    float spp_ = 1;
    int totalWidth_ = 0;
    int scrollMaximum_ = 0;
    int width_ = 0;
    ParRect area_;
    ParRect scrollBar_;
    int position_ = 0;
    int lastDrawn_ = -1;
    bool grid_ = true;
};

}  // namespace lumo::review
