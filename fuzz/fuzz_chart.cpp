// The chart loader against arbitrary bytes: a damaged chart must be refused
// with the system's error; a chart that loads must have the minima and maxima
// of its points taken one by one, and must save and load again to the same
// points, into a fresh object and into the one it came from.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/errors.h"
#include "formats/chart.h"

namespace {

using lumo::formats::TLumoChart_7_1;

void checkRanges(const TLumoChart_7_1& chart) {
    for (std::size_t c = 0; c < chart.channels.size(); ++c) {
        float minimum = 1e10f;
        float maximum = -1e10f;
        for (std::uint32_t i = 0; i < chart.count; ++i) {
            const float v = chart.channels[c][i].value;
            if (v < minimum) minimum = v;
            if (v > maximum) maximum = v;
            if (double(maximum) - double(minimum) < 1e-5) maximum = static_cast<float>(double(minimum) + 1);
        }
        if (chart.count > 0 && (minimum != chart.minima[c] || maximum != chart.maxima[c])) std::abort();
    }
}

bool samePoints(const TLumoChart_7_1& a, const TLumoChart_7_1& b) {
    if (a.count != b.count || a.marks != b.marks || a.minima != b.minima || a.maxima != b.maxima) return false;
    for (std::size_t c = 0; c < a.channels.size(); ++c) {
        for (std::size_t i = 0; i < a.channels[c].size(); ++i) {
            const auto& p = a.channels[c][i];
            const auto& q = b.channels[c][i];
            if (p.block() != q.block() || (p.value != q.value && p.value == p.value)) return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    TLumoChart_7_1 chart;
    try {
        chart.LoadFromBytes(bytes);
    } catch (const lumo::LumoError&) {
        return 0;
    }
    checkRanges(chart);
    const std::string saved = chart.SaveToBytes();
    if (bytes.substr(0, saved.size()) != saved) std::abort();  // only an incomplete trailing record may go
    TLumoChart_7_1 again;
    again.LoadFromBytes(saved);
    if (!samePoints(chart, again) || again.SaveToBytes() != saved) std::abort();
    chart.LoadFromBytes(saved);
    if (!samePoints(chart, again)) std::abort();
    return 0;
}
