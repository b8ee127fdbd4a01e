#include "review/scroll_par_bands.h"

#include "core/numbers.h"
#include "core/settings.h"
#include "formats/chart.h"

namespace lumo::review {

namespace {

constexpr int kDifferenceChannel = 3;
constexpr int kMirroredChannel = 5;

}  // namespace

ParChannelSettings readParChannelSettings(const core::Settings& settings) {
    const core::SettingsList& list = settings.list();
    ParChannelSettings result;
    for (int c = 0; c < kParChannels; ++c) {
        const std::string index = std::to_string(c);
        const auto i = static_cast<std::size_t>(c);
        result.colours[i] = core::colorFromName(list.value("ChColor" + index));
        result.channelSlots[i] = settings.channelOrder(c) - 1;
        result.shown[i] = list.value("ChVisible" + index) == "1";
        result.weights[i] = list.integerOr("ScrlParW" + index, 1);
    }
    result.background = core::colorFromName(list.value("ChBackColor"));
    for (int a = 0; a < 4; ++a) {
        result.artefactNames[static_cast<std::size_t>(a)] = list.value(settings.prefixed("Art" + std::to_string(a + 5)));
    }
    return result;
}

int ParBand::y(double value) const {
    return static_cast<int>(base - core::rnd(value / scale));
}

int parBands(const ParChannelSettings& settings, int channels, int height, const formats::TLumoChart_7_1& chart,
             std::array<ParBand, kParChannels>& bands) {
    long long sum = 0;
    for (int c = 0; c < channels; ++c) {
        const int weight = settings.weights[static_cast<std::size_t>(c)];
        if (weight <= 0) return c;
        sum += weight;
    }
    const double room = height - 2;
    for (int c = 0; c < channels; ++c) {
        const auto i = static_cast<std::size_t>(c);
        // The weights of every channel stacked at or above this one's slot.
        long long above = 0;
        for (int other = 0; other < channels; ++other) {
            const auto o = static_cast<std::size_t>(other);
            if (settings.channelSlots[o] <= settings.channelSlots[i]) above += settings.weights[o];
        }
        const double bandHeight = room / static_cast<double>(sum) * settings.weights[i];
        ParBand& band = bands[i];
        if (bandHeight <= 0 || c >= static_cast<int>(chart.minima.size())) {
            band = {};
            continue;
        }
        const double minimum = chart.minima[i];
        band.scale = (chart.maxima[i] - minimum) / bandHeight;
        band.base = band.scale > 0 ? core::rnd(room / static_cast<double>(sum) * static_cast<double>(above) +
                                               minimum / band.scale)
                                   : 0;
        if (!(band.scale > 0)) band = {};
    }
    return -1;
}

ParValues::ParValues(const formats::TLumoChart_7_1& chart) : chart_(chart), count_(chart.count) {}

double ParValues::difference(std::size_t p) const {
    if (p < 2 || p + 2 >= count_) return 0;
    const auto v = [this](std::size_t point) { return static_cast<double>(chart_.value(kDifferenceChannel, point)); };
    return v(p + 2) + v(p + 1) - v(p - 1) - v(p - 2);
}

double ParValues::operator()(int channel, std::size_t point) const {
    const auto c = static_cast<std::size_t>(channel);
    if (channel == kDifferenceChannel) {
        const double low = chart_.minima[c];
        const double high = chart_.maxima[c];
        return (low + high + difference(point) * (high - low) / 200) / 2;
    }
    const double value = chart_.value(channel, point);
    if (channel == kMirroredChannel) return static_cast<double>(chart_.minima[c]) + chart_.maxima[c] - value;
    return value;
}

}  // namespace lumo::review
