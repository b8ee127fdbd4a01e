#include "recording/display_model.h"

#include <algorithm>
#include <cmath>

#include "core/colors.h"
#include "core/cp1251.h"
#include "core/numbers.h"
#include "core/settings.h"

namespace lumo::recording {

namespace {

constexpr double kFullScale = 16384.0;

int toInt(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, -1'000'000'000, 1'000'000'000));
}

int permilleToPixels(int height, int permille) {
    return toInt(core::rnd(height / 1000.0 * permille));
}

}  // namespace

DisplaySettings readDisplaySettings(const core::Settings& settings) {
    const core::SettingsList& list = settings.list();
    DisplaySettings out;
    for (int i = 0; i < kDisplayChannels; ++i) {
        const std::string n = std::to_string(i);
        DisplayChannelSettings& c = out.channels[static_cast<std::size_t>(i)];
        c.iMin = list.integer("Test_iMin" + n);
        c.iMax = list.integer("Test_iMax" + n);
        if (c.iMax < c.iMin) std::swap(c.iMin, c.iMax);
        c.inverted = core::trimmed(list.value("ChPolar" + n)) == "-";
        c.visible = core::trimmed(list.value("ChVisible" + n)) == "1";
        c.colour = core::colorFromName(core::trimmed(list.value("ChColor" + n)));
        c.position = std::clamp(list.integer("ChSeq" + n), 0, kDisplayChannels - 1);
        c.name = list.text(settings.prefixed("ChName" + n));
        c.gain = c.visible ? std::clamp(list.integer("DefScrGain" + n), 0, 9) : 0;
    }
    out.background = core::colorFromName(core::trimmed(list.value("ChBackColor")));
    out.speedEntry = speedEntryFromSetting(list.value("Test_Speed"));
    out.contScroll = list.boolean("ContScroll");
    out.autoFit = list.boolean("AutoFit");
    return out;
}

DisplayModel::DisplayModel(const DisplaySettings& settings, double resolution)
    : resolution_(std::isfinite(resolution) && resolution > 1 ? resolution : 96.0),
      contScroll_(settings.contScroll),
      autoFit_(settings.autoFit) {
    for (int i = 0; i < kDisplayChannels; ++i) {
        const DisplayChannelSettings& s = settings.channels[static_cast<std::size_t>(i)];
        Channel& c = ch(i);
        c.permilleTop = std::min(s.iMin, s.iMax);
        c.permilleBottom = std::max(s.iMin, s.iMax);
        c.inverted = s.inverted;
        c.visible = s.visible;
        c.colour = s.colour;
        c.gain11 = std::clamp(s.gain, 0, 9) * 11;
    }
    speedEntry_ = std::clamp(settings.speedEntry, 0, kSpeedEntries - 1);
    step_ = (speedEntry_ + 1) * resolution_ / 80.0;
    resetDifference();
}

void DisplayModel::setSize(int width, int height) {
    width_ = std::max(width, 1);
    height_ = std::max(height, 1);
    for (Channel& c : channels_) {
        c.top = permilleToPixels(height_, c.permilleTop);
        c.bottom = permilleToPixels(height_, c.permilleBottom);
        c.lastY.reset();
    }
    column_ = 0;
    scrollOffset_ = 0;
    lastGridX_ = 0;
    lastShadeX_ = -1;
}

int DisplayModel::rightMargin() const {
    return contScroll_ ? width_ - 15 : width_;
}

int DisplayModel::scrollStep() const {
    return contScroll_ ? std::max(1, static_cast<int>(std::ceil(step_))) : std::max(1, width_ / 2);
}

int DisplayModel::gridSpacing() const {
    return std::max(1, toInt(core::rnd(resolution_ * 0.3937)));
}

void DisplayModel::setSpeed(int entry) {
    entry = std::clamp(entry, 0, kSpeedEntries - 1);
    const double newStep = (entry + 1) * resolution_ / 80.0;
    column_ = column_ * step_ / newStep;
    step_ = newStep;
    speedEntry_ = entry;
    resetDifference();
    ch(3).lastInput.reset();
}

int DisplayModel::currentX() const {
    return toInt(core::trunc(column_ * step_)) - scrollOffset_;
}

int DisplayModel::labelX() const {
    return toInt(core::rnd(column_ * step_)) - scrollOffset_;
}

void DisplayModel::resetDifference() {
    ring_.fill(2048.0);
    diffSum_ = 0;
}

double DisplayModel::pushDifference(double x) {
    // ring_ holds x(n-1) ... x(n-5): the sum gains x(n) + x(n-5) - x(n-3) - x(n-2).
    diffSum_ += x + ring_[4] - ring_[2] - ring_[1];
    std::rotate(ring_.rbegin(), ring_.rbegin() + 1, ring_.rend());
    ring_[0] = x;
    return diffSum_;
}

std::optional<int> DisplayModel::yOf(const Channel& c, int channel, double input) const {
    if (c.gain11 <= 0) return std::nullopt;
    const double g = c.gain11;
    const double s = c.inverted ? -1.0 : 1.0;
    const double band = c.bottom - c.top;
    const double base = c.bottom + c.drag;
    double o = 0;
    double scale = g;
    switch (channel) {
    case 5:
        scale = 3 * g;
        o = s * input - c.offset * kFullScale / scale / 2;
        break;
    case 7:
        scale = g / 2;
        o = input / (20 * s) - c.offset * kFullScale / g;
        break;
    default:  // 0, 1, 2, 4, 6; 3 gets its running difference as input
        o = s * input - c.offset * kFullScale / g / 2;
        break;
    }
    const double y = base - core::rnd(o / kFullScale * scale * band);
    if (!std::isfinite(y)) return std::nullopt;
    return toInt(static_cast<std::int64_t>(std::clamp(y, -1e9, 1e9)));
}

std::optional<int> DisplayModel::traceY(int channel) const {
    const Channel& c = ch(channel);
    if (!c.lastInput) return std::nullopt;
    return yOf(c, channel, *c.lastInput);
}

int DisplayModel::labelCentre(int channel) const {
    const Channel& c = ch(channel);
    return (c.top + c.bottom) / 2 + c.drag;
}

PeriodPlan DisplayModel::drawPeriod(const PeriodSample& sample) {
    PeriodPlan plan;
    if (sample.recording) {
        recording_ = true;
        time_ = sample.time;
    }
    const int previousAbsolute = currentX() + scrollOffset_;
    column_ += 1;
    if (currentX() >= rightMargin() - 2) {
        plan.scrollBy = scrollStep();
        scrollOffset_ += *plan.scrollBy;
    }
    const int x = currentX();
    const int absoluteX = x + scrollOffset_;
    const int prevX = previousAbsolute - scrollOffset_;

    if (sample.phase == TestPhase::Question) {
        // Every pixel column the period covered turns grey, once.
        plan.shadeFrom = std::max(lastShadeX_ + 1, previousAbsolute + 1) - scrollOffset_;
        plan.shadeTo = x;
        lastShadeX_ = absoluteX;
    }
    if ((sample.counter / 4) % 40 == 0) plan.fiveSecondLine = x;
    if (absoluteX - lastGridX_ > 3) {
        plan.gridColumn = x;
        lastGridX_ = absoluteX;
    }

    for (int i = 0; i < kDisplayChannels; ++i) {
        Channel& c = ch(i);
        double input = 0;
        if (i == 3) {
            input = pushDifference(sample.values[3]);
        } else if (i == 7) {
            input = sample.level;
        } else {
            input = sample.values[static_cast<std::size_t>(i)];
        }
        c.lastInput = input;
        const std::optional<int> y = yOf(c, i, input);
        if (!y) {
            c.lastY.reset();
            continue;
        }
        if (c.visible && c.lastY) plan.segments.push_back({i, prevX, *c.lastY, x, *y});
        c.lastY = y;
        if (autoFit_ && c.visible && (*y < height_ / 10 || *y > height_ * 9 / 10)) {
            std::optional<Marker> marker = centre(i, plan.events);
            if (marker) plan.markers.push_back(*marker);
        }
    }
    return plan;
}

void DisplayModel::addEvent(std::vector<formats::ScreenEvent>& events, int channel) const {
    if (recording_) events.push_back(screenEvent(channel, eventTime()));
}

std::optional<Marker> DisplayModel::centre(int channel, std::vector<formats::ScreenEvent>& events) {
    Channel& c = ch(channel);
    const int band = c.bottom - c.top;
    if (band <= 0 || c.gain11 <= 0) return std::nullopt;
    const std::optional<int> before = traceY(channel);
    if (!before) return std::nullopt;
    c.offset += static_cast<float>(double(c.bottom + c.top - 2 * (*before - c.drag)) / band);
    const std::optional<int> after = traceY(channel);
    c.lastY = after;
    addEvent(events, channel);
    return Marker{channel, currentX(), c.top + c.drag, after && *after < *before};
}

std::vector<Marker> DisplayModel::centreAll(std::vector<formats::ScreenEvent>& events) {
    std::vector<Marker> markers;
    for (int i = 0; i < kDisplayChannels; ++i) {
        if (std::optional<Marker> marker = centre(i, events)) markers.push_back(*marker);
    }
    return markers;
}

int DisplayModel::drag(int channel, int dy, std::vector<formats::ScreenEvent>& events, int minCentre, int maxCentre) {
    Channel& c = ch(channel);
    const int middle = (c.top + c.bottom) / 2;
    if (maxCentre < 0) maxCentre = height_;
    const int wanted = std::clamp(middle + c.drag + dy, std::min(minCentre, maxCentre), maxCentre);
    const int applied = wanted - middle - c.drag;
    if (applied == 0) return 0;
    c.drag += applied;
    if (c.lastY) *c.lastY += applied;
    addEvent(events, channel);
    return applied;
}

int DisplayModel::changeGain(int channel, int gain, std::vector<formats::ScreenEvent>& events,
                             std::optional<Marker>& marker) {
    Channel& c = ch(channel);
    gain = std::clamp(gain, 0, 9);
    const int old = c.gain11 / 11;
    if (recording_ && ((old == 0) != (gain == 0))) return old;
    const int band = c.bottom - c.top;
    const std::optional<int> y = traceY(channel);
    if (old > 0 && gain > 0 && band > 0 && y) {
        const double g = c.gain11;
        const double v11 = gain * 11.0;
        c.offset = static_cast<float>((v11 * c.offset + 2 * (v11 - g) * double(c.bottom + c.drag - *y) / band) / g);
    }
    c.gain11 = gain * 11;
    c.lastY = traceY(channel);
    marker = Marker{channel, currentX(), c.top + c.drag, gain > old};
    addEvent(events, channel);
    return gain;
}

ScreenStart DisplayModel::startRecording() {
    recording_ = true;
    time_ = 0;
    ScreenStart start;
    start.bandHeights = bandHeights();
    for (int i = 0; i < kDisplayChannels; ++i) start.events[static_cast<std::size_t>(i)] = screenEvent(i, 0);
    return start;
}

std::array<std::int32_t, kDisplayChannels> DisplayModel::bandHeights() const {
    std::array<std::int32_t, kDisplayChannels> out{};
    for (int i = 0; i < kDisplayChannels; ++i) {
        const Channel& c = ch(i);
        out[static_cast<std::size_t>(i)] = toInt(core::rnd(double(c.bottom - c.top) / height_ * 1000));
    }
    return out;
}

formats::ScreenEvent DisplayModel::screenEvent(int channel, std::int32_t time) const {
    const Channel& c = ch(channel);
    formats::ScreenEvent e;
    e.time = time;
    e.channel = channel;
    e.gain = static_cast<std::uint8_t>(c.gain11);
    e.centre = toInt(core::rnd((double(c.top + c.bottom) / 2 + c.drag) / height_ * 1000));
    e.offset = c.offset;
    return e;
}

int DisplayModel::savedTop(int channel) const {
    const Channel& c = ch(channel);
    return toInt(core::rnd(1000.0 / height_ * (c.top + c.drag)));
}

int DisplayModel::savedBottom(int channel) const {
    const Channel& c = ch(channel);
    return toInt(core::rnd(1000.0 / height_ * (c.bottom + c.drag)));
}

DisplayKeep DisplayModel::keep() const {
    DisplayKeep out;
    out.speedEntry = speedEntry_;
    for (int i = 0; i < kDisplayChannels; ++i) {
        const auto n = static_cast<std::size_t>(i);
        out.top[n] = savedTop(i);
        out.bottom[n] = savedBottom(i);
        out.gain[n] = gain(i);
    }
    return out;
}

}  // namespace lumo::recording
