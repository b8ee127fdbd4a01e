#include <algorithm>
#include <cstdint>

#include "core/numbers.h"
#include "scoring/features.h"
#include "scoring/rounding.h"
#include "scoring/workspace.h"

namespace lumo::scoring {

namespace {

constexpr float kNoGain = 99.9f;

// Largest and smallest of x[from ... to], in four lanes that the compiler can
// keep side by side; the extremes do not depend on the order of comparison.
void spanRange(const float* x, std::int64_t from, std::int64_t to, float& largest, float& smallest) {
    constexpr int kLanes = 4;
    float high[kLanes] = {largest, largest, largest, largest};
    float low[kLanes] = {smallest, smallest, smallest, smallest};
    std::int64_t p = from;
    for (; p + kLanes - 1 <= to; p += kLanes) {
        for (int l = 0; l < kLanes; ++l) {
            high[l] = x[p + l] > high[l] ? x[p + l] : high[l];
            low[l] = x[p + l] < low[l] ? x[p + l] : low[l];
        }
    }
    for (; p <= to; ++p) {
        high[0] = x[p] > high[0] ? x[p] : high[0];
        low[0] = x[p] < low[0] ? x[p] : low[0];
    }
    for (int l = 0; l < kLanes; ++l) {
        largest = high[l] > largest ? high[l] : largest;
        smallest = low[l] < smallest ? low[l] : smallest;
    }
}

}  // namespace

void NormaliseChart(ScoringWorkspace& workspace, int chart) {
    ChartHeader& header = workspace.chart(chart);
    const int n = header.sampleCount;
    const int rows = header.rowCount;
    const std::int64_t tail = core::rnd(20 * workspace.fs);  // 640 samples after the last onset
    for (int slot = 1; slot <= kSignalSlots; ++slot) {
        const float* loaded = workspace.samples(chart, slot);
        float* x = workspace.normalised(chart, slot);
        if (n <= 0) {
            header.gain[static_cast<std::size_t>(slot)] = kNoGain;
            continue;
        }

        // Without excluded rows the loaded samples are read directly: the
        // copy would hold the same values.
        const float* source = loaded;
        bool excluded = false;
        for (int row = 1; row <= rows && !excluded; ++row) excluded = workspace.flag(chart, row, slot) == 1;
        if (excluded) {
            // Excluded rows take the rounded mean of the slot.
            std::copy(loaded + 1, loaded + n + 1, x + 1);
            source = x;
            double sum = 0;
            for (int p = 1; p <= n; ++p) sum += x[p];
            const auto mean = static_cast<float>(sum / n);
            const auto blank = static_cast<float>(core::rnd(mean));
            for (int row = 1; row <= rows; ++row) {
                if (workspace.flag(chart, row, slot) != 1) continue;
                const std::int64_t from = workspace.row(chart, row).onset;
                const std::int64_t to = row < rows ? workspace.row(chart, row + 1).onset : from + tail;
                for (std::int64_t p = std::max<std::int64_t>(from, 1); p <= std::min<std::int64_t>(to, n); ++p) {
                    x[p] = blank;
                }
            }
        }

        // The examination span: from the first onset to 20 s after the last,
        // within the chart. No rows, no span.
        float largest = -100000.0f;
        float smallest = 100000.0f;
        if (rows > 0) {
            const std::int64_t from = std::max<std::int64_t>(workspace.row(chart, 1).onset, 1);
            const std::int64_t to = std::min<std::int64_t>(workspace.row(chart, rows).onset + tail, n);
            spanRange(source, from, to, largest, smallest);
        }
        const double range = static_cast<double>(largest) - smallest;
        header.gain[static_cast<std::size_t>(slot)] =
            range >= 45 && largest <= 4096 && smallest >= 0 ? static_cast<float>(4096 / range) : kNoGain;
        if (range > 0) {
            // Clipped into [m, M], so the scaled value lies in 0 ... 4096.
            const double scale = 4096 / range;
            const double low = smallest;
            for (int p = 1; p <= n; ++p) {
                float clipped = source[p] < smallest ? smallest : source[p];
                clipped = largest < clipped ? largest : clipped;
                x[p] = static_cast<float>(rndNonNegative(scale * (clipped - low)));
            }
        } else {
            std::fill(x + 1, x + n + 1, 0.0f);
        }
    }
}

}  // namespace lumo::scoring
