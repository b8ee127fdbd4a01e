#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/colors.h"
#include "formats/screen_settings.h"
#include "recording/test_run.h"

namespace lumo::core {
class Settings;
}

// The geometry of the live chart, free of any toolkit: where every trace
// point, grid dot, label and marker goes. The widget only paints what this says.
namespace lumo::recording {

inline constexpr int kDisplayChannels = 8;
inline constexpr int kSpeedEntries = 4;

// One channel's display settings as the settings file holds them.
struct DisplayChannelSettings {
    int iMin = 0;         // per mille of the display height
    int iMax = 1000;
    bool inverted = false;
    bool visible = true;
    core::Rgb colour{255, 255, 255};
    int position = 0;     // label place 0 ... 7, top to bottom
    std::string name;
    int gain = 0;         // 0 ... 9
};

struct DisplaySettings {
    std::array<DisplayChannelSettings, kDisplayChannels> channels{};
    core::Rgb background{};
    int speedEntry = 0;  // 0 ... 3
    bool contScroll = false;
    bool autoFit = false;
};

// Reads the display keys; malformed numbers raise EConvertError, unknown colour names too.
DisplaySettings readDisplaySettings(const core::Settings& settings);

struct Segment {
    int channel = 0;
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

struct Marker {
    int channel = 0;
    int x = 0;
    int y = 0;     // top of the band
    bool up = false;
};

// The drawing of one packet period, in chart pixels after any scroll.
struct PeriodPlan {
    std::optional<int> scrollBy;     // move the picture left first and clear the freed strip
    int shadeFrom = 0, shadeTo = -1;  // question time: grey columns shadeFrom ... shadeTo
    std::optional<int> fiveSecondLine;
    std::optional<int> gridColumn;   // dots every gridSpacing pixels down this column
    std::vector<Segment> segments;
    std::vector<Marker> markers;     // AutoFit re-centrings
    std::vector<formats::ScreenEvent> events;  // AutoFit re-centrings while recording
};

class DisplayModel {
public:
    DisplayModel(const DisplaySettings& settings, double resolution);

    // The chart area's size in pixels; recomputes the bands. The drawing restarts.
    void setSize(int width, int height);
    int width() const { return width_; }
    int height() const { return height_; }
    double resolution() const { return resolution_; }

    // Pixels per packet period at the current speed.
    double step() const { return step_; }
    int speedEntry() const { return speedEntry_; }
    int rightMargin() const;
    int scrollStep() const;
    int gridSpacing() const;
    // The speed list: x stays where it is; the running difference restarts.
    void setSpeed(int entry);

    // From the test's start on, centring, drags and gain changes produce
    // screen-settings events, timed by the last period's recording time.
    // Gives what the screen-settings file opens with: the band heights and
    // every channel's scale at time 0.
    ScreenStart startRecording();
    bool recording() const { return recording_; }
    std::int32_t eventTime() const { return time_; }

    // One packet period: the unit's values, the skin-resistance level
    // (channel 7 is drawn from it), the counter; phase Question shades the column.
    PeriodPlan drawPeriod(const PeriodSample& sample);

    // Label x of the current column (rounded rather than cut).
    int labelX() const;
    // x of the current column.
    int currentX() const;
    double column() const { return column_; }
    int scrollOffset() const { return scrollOffset_; }

    // Centring one channel: the trace to the middle of its band.
    std::optional<Marker> centre(int channel, std::vector<formats::ScreenEvent>& events);
    // Centring every channel (F3, the centring button, the end of settling):
    // the markers of the channels that have a trace to centre.
    std::vector<Marker> centreAll(std::vector<formats::ScreenEvent>& events);
    // Drags the band by dy pixels; the band's centre (where its label sits)
    // stays within minCentre ... maxCentre (-1: the chart height). Returns the
    // drag actually applied.
    int drag(int channel, int dy, std::vector<formats::ScreenEvent>& events, int minCentre = 0, int maxCentre = -1);
    // A gain change from the label; returns the gain now in force (the old one
    // when a recording refuses switching the channel on or off).
    int changeGain(int channel, int gain, std::vector<formats::ScreenEvent>& events, std::optional<Marker>& marker);

    // Per channel state.
    int bandTop(int channel) const { return ch(channel).top; }
    int bandBottom(int channel) const { return ch(channel).bottom; }
    int dragOffset(int channel) const { return ch(channel).drag; }
    int gain(int channel) const { return ch(channel).gain11 / 11; }
    bool shown(int channel) const { return ch(channel).gain11 > 0 && ch(channel).visible; }
    bool visible(int channel) const { return ch(channel).visible; }
    core::Rgb colour(int channel) const { return ch(channel).colour; }
    std::optional<int> lastY(int channel) const { return ch(channel).lastY; }
    // The y the channel's last value gives at the current scale.
    std::optional<int> traceY(int channel) const;
    // The middle of the band including the drag: where the label sits.
    int labelCentre(int channel) const;

    // The screen-settings file: band heights and the eight events at the start.
    std::array<std::int32_t, kDisplayChannels> bandHeights() const;
    formats::ScreenEvent screenEvent(int channel, std::int32_t time) const;
    // The bands and gains to write back, per mille with the drag applied.
    int savedTop(int channel) const;
    int savedBottom(int channel) const;
    // All of it with the speed: what the next test starts from.
    DisplayKeep keep() const;

    // The running difference of channel 3.
    double runningDifference() const { return diffSum_; }

private:
    struct Channel {
        int permilleTop = 0, permilleBottom = 1000;
        int top = 0, bottom = 0;
        bool inverted = false;
        bool visible = true;
        core::Rgb colour;
        int gain11 = 0;
        int drag = 0;
        float offset = 0;
        std::optional<int> lastY;
        std::optional<double> lastInput;  // the last value the formula takes (D for 3, level for 7)
    };

    const Channel& ch(int channel) const { return channels_.at(static_cast<std::size_t>(channel)); }
    Channel& ch(int channel) { return channels_.at(static_cast<std::size_t>(channel)); }
    std::optional<int> yOf(const Channel& c, int channel, double input) const;
    void resetDifference();
    double pushDifference(double x);
    void addEvent(std::vector<formats::ScreenEvent>& events, int channel) const;

    std::array<Channel, kDisplayChannels> channels_{};
    double resolution_;
    int width_ = 0, height_ = 0;
    int speedEntry_ = 0;
    double step_ = 0;
    bool contScroll_ = false;
    bool autoFit_ = false;
    bool recording_ = false;
    std::int32_t time_ = 0;
    double column_ = 0;
    int scrollOffset_ = 0;
    int lastGridX_ = 0;   // unscrolled pixels
    int lastShadeX_ = -1;  // unscrolled pixels
    std::array<double, 5> ring_{};  // x(n-1) ... x(n-5), newest first
    double diffSum_ = 0;
};

}  // namespace lumo::recording
