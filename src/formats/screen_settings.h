#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lumo::formats {

inline constexpr int kScreenChannels = 8;
inline constexpr std::size_t kScreenHeaderSize = 4 * kScreenChannels;
inline constexpr std::size_t kScreenEventSize = 17;

// One change of a channel's display scale while a chart was recorded.
struct ScreenEvent {
    std::int32_t time = 0;     // 1/32 s since the test started: a chart point
    std::int32_t channel = 0;  // 0 ... 7
    std::uint8_t gain = 0;     // the gain setting x 11; 0: the channel is not shown
    std::int32_t centre = 0;   // centre line, per mille of the display height
    float offset = 0;          // centring offset, in half bands
    bool operator==(const ScreenEvent&) const = default;
};

// The screen-settings file of a chart: band heights (per mille of the display
// height) of channels 0 ... 7, then the events in the order they were written
// (the first eight, at time 0, describe channels 0 ... 7 at the test's start).
struct ScreenSettings {
    std::array<std::int32_t, kScreenChannels> bandHeights{};
    std::vector<ScreenEvent> events;

    // The display gain in event `channel` of the file, the one the test run
    // wrote for that channel at the start; none when the file is shorter.
    std::optional<std::uint8_t> initialGain(int channel) const;
    // The events of one channel ordered by time (equal times keep file order).
    std::vector<ScreenEvent> channelEvents(int channel) const;
    bool operator==(const ScreenSettings&) const = default;
};

// The event in force at `point` among one channel's ordered events: the last
// one whose time is not after it; none before the first.
const ScreenEvent* eventAt(std::span<const ScreenEvent> channelEvents, std::int64_t point);

// The stored form, for the test run's buffered writing: the header, then
// one appended event at a time.
std::string encodeScreenHeader(const std::array<std::int32_t, kScreenChannels>& bandHeights);
void appendScreenEvent(std::string& out, const ScreenEvent& event);
std::string encodeScreenSettings(const ScreenSettings& settings);

// A file shorter than the header raises EInOutError naming `fileName`; bytes
// after the last whole event are ignored.
ScreenSettings decodeScreenSettings(std::string_view bytes, const std::string& fileName);
ScreenSettings readScreenSettingsFile(const std::filesystem::path& path);
// Replaces the file whole (atomic write).
void writeScreenSettingsFile(const std::filesystem::path& path, const ScreenSettings& settings);

}  // namespace lumo::formats
