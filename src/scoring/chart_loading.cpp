#include <algorithm>
#include <array>
#include <cstddef>
#include <filesystem>
#include <string>

#include "core/errors.h"
#include "core/paths.h"
#include "core/settings.h"
#include "core/text_file.h"
#include "core/text_format.h"
#include "core/texts/scoring.h"
#include "formats/chart.h"
#include "scoring/features.h"
#include "scoring/workspace.h"

namespace lumo::scoring {

namespace fs = std::filesystem;

namespace {

// Offset of slot i's display gain in the screen-settings file: event i - 1 of
// the initial events.
constexpr std::size_t gainOffset(int slot) {
    return 23 + 17 * static_cast<std::size_t>(slot);
}

// "exam_01.ch3" -> "exam_01.sc3" (the letter case of the extension kept),
// found without regard to letter case.
fs::path screenSettingsFile(const fs::path& chartFile) {
    std::string name = chartFile.filename().string();
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot + 2 >= name.size()) return {};
    const bool upper = name[dot + 1] == 'C';
    name[dot + 1] = upper ? 'S' : 's';
    name[dot + 2] = upper ? 'C' : 'c';
    return core::resolvePath(chartFile.parent_path(), name);
}

void fillSlot(float* slot, int n, float value) {
    std::fill(slot, slot + n + 1, value);
}

// `source` is the workspace's chart reader: charts of one length reuse its arrays.
void loadChart(ScoringWorkspace& workspace, formats::TLumoChart_7_1& source, const ChartLoader::Mirrored& mirrored,
               const core::Texts& texts, const fs::path& file, int chart) {
    const std::string name = file.string();
    // The exam has several charts: the message says which one is damaged.
    try {
        source.LoadFromFile(file);
    } catch (const LumoError& error) {
        throw EInOutError(core::formatText(texts(txt::ChartUnreadable), {name, std::string(error.what())}));
    }
    if (source.count == 0) {
        throw EInOutError(core::formatText(texts(txt::ChartNoRecord), {name}));
    }
    if (source.count - 1 > static_cast<std::uint32_t>(kMaxSamples)) {
        throw EInOutError(core::formatText(texts(txt::ChartTooLong), {name, static_cast<long long>(source.count - 1)}));
    }
    const int n = static_cast<int>(source.count) - 1;
    const int k = source.channelCount;
    workspace.reserveChart(chart, n);
    ChartHeader& header = workspace.chart(chart);
    header.fileName = name;

    auto empty = [&](int slot) {
        fillSlot(workspace.samples(chart, slot), n, 0.0f);
        header.largest[static_cast<std::size_t>(slot)] = 1.0f;
        header.smallest[static_cast<std::size_t>(slot)] = 0.0f;
    };
    // Order positions 1 ... k take their slot's channel; the rest stay empty.
    // A slot whose channel the chart does not have stays empty too, and so
    // does a slot the order map does not name, which would otherwise keep an
    // earlier exam's samples. The difference signal below fills slot 4.
    std::array<bool, kSlots> named{};
    for (int position = 1; position <= kSignalSlots; ++position) {
        const int slot = workspace.channels().order[static_cast<std::size_t>(position)];
        if (slot < 1 || slot > kSignalSlots || (slot == 4 && k >= 4)) continue;
        named[static_cast<std::size_t>(slot)] = true;
        const int channel = slot - 1;
        if (position <= k && channel < k) {
            const auto& points = source.channels[static_cast<std::size_t>(channel)];
            float* target = workspace.samples(chart, slot);
            for (int j = 0; j <= n; ++j) target[j] = points[static_cast<std::size_t>(j)].value;
            header.largest[static_cast<std::size_t>(slot)] = source.maxima[static_cast<std::size_t>(channel)];
            header.smallest[static_cast<std::size_t>(slot)] = source.minima[static_cast<std::size_t>(channel)];
        } else {
            empty(slot);
        }
    }
    for (int slot = 1; slot <= kSignalSlots; ++slot) {
        if (!named[static_cast<std::size_t>(slot)] && !(slot == 4 && k >= 4)) empty(slot);
    }

    // Slot 4: the difference signal of chart channel 3, with its own range.
    if (k >= 4) {
        const auto& points = source.channels[3];
        float* target = workspace.samples(chart, 4);
        auto x = [&points](int p) { return static_cast<double>(points[static_cast<std::size_t>(p)].value); };
        float largest = -1.0e8f;
        float smallest = 1.0e8f;
        fillSlot(target, n, 0.0f);
        for (int p = 2; p <= n - 2; ++p) target[p] = static_cast<float>(x(p + 2) + x(p + 1) - x(p - 1) - x(p - 2));
        // The chart's values are finite, so no difference is NaN and the
        // extremes do not depend on the order of comparison: four lanes side
        // by side.
        std::array<float, 4> high;
        std::array<float, 4> low;
        high.fill(largest);
        low.fill(smallest);
        int p = 0;
        for (; p + 3 <= n; p += 4) {
            for (std::size_t l = 0; l < 4; ++l) {
                high[l] = std::max(high[l], target[p + static_cast<int>(l)]);
                low[l] = std::min(low[l], target[p + static_cast<int>(l)]);
            }
        }
        for (; p <= n; ++p) {
            high[0] = std::max(high[0], target[p]);
            low[0] = std::min(low[0], target[p]);
        }
        for (std::size_t l = 0; l < 4; ++l) {
            largest = std::max(largest, high[l]);
            smallest = std::min(smallest, low[l]);
        }
        header.largest[4] = largest;
        header.smallest[4] = smallest;
    }

    float* marks = workspace.samples(chart, kMarkSlot);
    for (int j = 0; j <= n; ++j) marks[j] = static_cast<float>(source.marks[static_cast<std::size_t>(j)]);
    header.sampleCount = n;

    const int slots = std::min(k, kSignalSlots);
    for (int slot = 1; slot <= slots; ++slot) {
        if (!mirrored[static_cast<std::size_t>(slot)]) continue;
        float* x = workspace.samples(chart, slot);
        const double mirror = static_cast<double>(header.largest[static_cast<std::size_t>(slot)]) +
                              header.smallest[static_cast<std::size_t>(slot)];
        for (int p = 1; p <= n; ++p) x[p] = static_cast<float>(mirror - x[p]);
    }

    const fs::path screenFile = screenSettingsFile(file);
    std::string screen;
    if (!screenFile.empty() && fs::is_regular_file(screenFile)) screen = core::readFileBytes(screenFile);
    for (int slot = 1; slot <= slots; ++slot) {
        bool off = workspace.channels().switchedOff[static_cast<std::size_t>(slot)];
        // A file too short to hold the gain byte leaves the channel on.
        if (!off && gainOffset(slot) < screen.size()) off = screen[gainOffset(slot)] == 0;
        if (!off) continue;
        float* x = workspace.samples(chart, slot);
        std::fill(x + 1, x + n + 1, 0.0f);
    }
}

}  // namespace

ChartLoader::ChartLoader(ScoringWorkspace& workspace, const core::Settings& settings, const core::Texts& texts)
    : workspace_(workspace), texts_(texts) {
    for (int slot = 1; slot <= kSignalSlots; ++slot) {
        mirrored_[static_cast<std::size_t>(slot)] = settings.list().value("ChPolar" + std::to_string(slot - 1)) != "+";
    }
}

void ChartLoader::load(const fs::path& file, int chart) {
    loadChart(workspace_, workspace_.scratch().chart, mirrored_, texts_, file, chart);
}

void LoadCharts(ScoringWorkspace& workspace, const core::Settings& settings, const core::Texts& texts,
                const std::vector<fs::path>& fileNames, int chartCount) {
    ChartLoader loader(workspace, settings, texts);
    const int charts = std::min({chartCount, static_cast<int>(fileNames.size()), core::kMaxChartsPerExam});
    for (int chart = 1; chart <= charts; ++chart) loader.load(fileNames[static_cast<std::size_t>(chart - 1)], chart);
}

}  // namespace lumo::scoring
