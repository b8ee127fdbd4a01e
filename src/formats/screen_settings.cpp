#include "formats/screen_settings.h"

#include <algorithm>
#include <bit>
#include <iterator>

#include "core/atomic_file.h"
#include "core/errors.h"
#include "core/text_file.h"

namespace lumo::formats {

namespace {

std::uint32_t readU32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24;
}

void appendU32(std::string& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>((value >> shift) & 0xFF);
}

}  // namespace

std::optional<std::uint8_t> ScreenSettings::initialGain(int channel) const {
    if (channel < 0 || static_cast<std::size_t>(channel) >= events.size()) return std::nullopt;
    return events[static_cast<std::size_t>(channel)].gain;
}

std::vector<ScreenEvent> ScreenSettings::channelEvents(int channel) const {
    std::vector<ScreenEvent> own;
    std::copy_if(events.begin(), events.end(), std::back_inserter(own),
                 [channel](const ScreenEvent& event) { return event.channel == channel; });
    std::stable_sort(own.begin(), own.end(),
                     [](const ScreenEvent& a, const ScreenEvent& b) { return a.time < b.time; });
    return own;
}

const ScreenEvent* eventAt(std::span<const ScreenEvent> channelEvents, std::int64_t point) {
    const auto after = std::upper_bound(channelEvents.begin(), channelEvents.end(), point,
                                        [](std::int64_t p, const ScreenEvent& event) { return p < event.time; });
    return after == channelEvents.begin() ? nullptr : &*(after - 1);
}

std::string encodeScreenHeader(const std::array<std::int32_t, kScreenChannels>& bandHeights) {
    std::string out;
    out.reserve(kScreenHeaderSize);
    for (std::int32_t height : bandHeights) appendU32(out, static_cast<std::uint32_t>(height));
    return out;
}

void appendScreenEvent(std::string& out, const ScreenEvent& event) {
    appendU32(out, static_cast<std::uint32_t>(event.time));
    appendU32(out, static_cast<std::uint32_t>(event.channel));
    out += static_cast<char>(event.gain);
    appendU32(out, static_cast<std::uint32_t>(event.centre));
    appendU32(out, std::bit_cast<std::uint32_t>(event.offset));
}

std::string encodeScreenSettings(const ScreenSettings& settings) {
    std::string out = encodeScreenHeader(settings.bandHeights);
    out.reserve(kScreenHeaderSize + kScreenEventSize * settings.events.size());
    for (const ScreenEvent& event : settings.events) appendScreenEvent(out, event);
    return out;
}

ScreenSettings decodeScreenSettings(std::string_view bytes, const std::string& fileName) {
    if (bytes.size() < kScreenHeaderSize) {
        throw EInOutError("Invalid screen settings file \"" + fileName + "\": it ends after " +
                          std::to_string(bytes.size()) + " bytes");
    }
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    ScreenSettings settings;
    for (std::size_t i = 0; i < settings.bandHeights.size(); ++i) {
        settings.bandHeights[i] = static_cast<std::int32_t>(readU32(data + 4 * i));
    }
    const std::size_t count = (bytes.size() - kScreenHeaderSize) / kScreenEventSize;
    settings.events.reserve(count);
    for (const std::uint8_t* p = data + kScreenHeaderSize; settings.events.size() < count; p += kScreenEventSize) {
        settings.events.push_back({static_cast<std::int32_t>(readU32(p)), static_cast<std::int32_t>(readU32(p + 4)),
                                   p[8], static_cast<std::int32_t>(readU32(p + 9)),
                                   std::bit_cast<float>(readU32(p + 13))});
    }
    return settings;
}

ScreenSettings readScreenSettingsFile(const std::filesystem::path& path) {
    return decodeScreenSettings(core::readFileBytes(path), path.string());
}

void writeScreenSettingsFile(const std::filesystem::path& path, const ScreenSettings& settings) {
    core::writeFileAtomically(path, encodeScreenSettings(settings));
}

}  // namespace lumo::formats
