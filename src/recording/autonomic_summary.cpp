#include "recording/autonomic_summary.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <utility>

#include "core/numbers.h"
#include "core/settings.h"
#include "core/settings_list.h"
#include "core/texts/recording.h"
#include "recording/state_estimate_report.h"

namespace lumo::recording {

namespace {

constexpr double kRelaxBound = 40;
constexpr double kStressBound = 60;
constexpr const char* kMarkerKey = "ItalChar";
constexpr const char* kDefaultMarker = "<DEFAULT>";

constexpr core::Rgb kGreen{0, 255, 0};
constexpr core::Rgb kYellow{255, 255, 0};
constexpr core::Rgb kRed{255, 0, 0};

// Symbol-font character codes and the Unicode characters drawn for them:
// faces, round and square blots, circled digits, stars, marks.
constexpr std::pair<int, char32_t> kSymbolGlyphs[] = {
    {0x4A, U'\u263A'}, {0x4B, U'\U0001F610'}, {0x4C, U'\u2639'}, {0x6C, U'\u25CF'}, {0x6E, U'\u25A0'},
    {0x6F, U'\u25A1'}, {0x71, U'\u2751'},     {0x75, U'\u25C6'}, {0x76, U'\u2756'}, {0x9F, U'\u2022'},
    {0xA1, U'\u25CB'}, {0xA4, U'\u25C9'},     {0xAB, U'\u2605'}, {0xFB, U'\u2717'}, {0xFC, U'\u2714'},
    {0xFD, U'\u2612'}, {0xFE, U'\u2611'},
};

char32_t symbolGlyph(int code) {
    if (code >= 0x81 && code <= 0x8A) return U'\u2460' + static_cast<char32_t>(code - 0x81);  // (1) ... (10)
    if (code >= 0x8C && code <= 0x95) return U'\u2776' + static_cast<char32_t>(code - 0x8C);  // black (1) ... (10)
    for (const auto& [symbol, glyph] : kSymbolGlyphs) {
        if (symbol == code) return glyph;
    }
    return 0;
}

std::string upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
    return text;
}

}  // namespace

AutonomicIndices autonomicIndices(const StateStatistics& s, const core::Texts& texts) {
    const double spread = frequencySpread(s, texts);
    AutonomicIndices indices;
    indices.frequency = double(s.meanFrequency) * 150 - 130;
    indices.mainTone = s.mainToneProbability() * 200 - 40;
    indices.stability = 100 - spread * 400 / s.meanFrequency;
    indices.bloodVolume = (double(s.largestWindowMean) - s.smallestWindowMean) * 0.5 - 40;
    indices.summary = (indices.frequency + indices.mainTone + indices.stability + indices.bloodVolume) / 4;
    if (!std::isfinite(indices.summary)) throw EMathError(texts(txt::StateReportImpossible));
    return indices;
}

Verdict verdictOf(double summary) {
    if (summary <= kRelaxBound) return Verdict::Relax;
    if (summary >= kStressBound) return Verdict::Stress;
    return Verdict::Balance;
}

const char* verdictName(Verdict verdict) {
    switch (verdict) {
    case Verdict::Relax: return "relax";
    case Verdict::Stress: return "stress";
    case Verdict::Balance: break;
    }
    return "balance";
}

VerdictTexts verdictTexts(Verdict verdict) {
    switch (verdict) {
    case Verdict::Relax: return {txt::SummaryRelax, txt::SummaryStimulate};
    case Verdict::Stress: return {txt::SummaryStress, txt::SummaryCalm};
    case Verdict::Balance: break;
    }
    return {0, txt::SummaryBalance};
}

double scalePercent(double index) {
    if (std::isnan(index)) return 0;
    return std::clamp(index, 0.0, 100.0);
}

int shownPercent(double index) {
    return static_cast<int>(core::rnd(scalePercent(index)));
}

ScaleMarker scaleMarker(core::SettingsList& settings) {
    const std::string value = core::trimmed(settings.value(kMarkerKey));
    if (upper(value) == kDefaultMarker) return {};
    int code = 0;
    try {
        code = core::strToInt(value);
    } catch (const std::exception&) {
        settings.setValue(kMarkerKey, "<Default>");
        return {};
    }
    const char32_t glyph = symbolGlyph(code);
    if (glyph == 0) return {};
    return {false, glyph};
}

ScaleBar scaleBar(double index, int width, int height) {
    ScaleBar bar;
    const int pad = height / 2;
    const int length = std::max(0, width - 2 * pad);
    const auto at = [&](double share) { return pad + static_cast<int>(std::lround(share * length)); };
    bar.zones = {ScaleZone{at(0), at(0.4), kGreen}, ScaleZone{at(0.4), at(0.6), kYellow},
                 ScaleZone{at(0.6), at(1), kRed}};
    bar.top = height / 4;
    bar.bottom = height - height / 4;
    bar.markerX = at(scalePercent(index) / 100);
    bar.markerY = height / 2;
    bar.markerSize = std::max(1, height * 3 / 4);
    return bar;
}

}  // namespace lumo::recording
