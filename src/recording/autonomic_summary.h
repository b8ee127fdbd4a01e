#pragma once

#include <array>
#include <string>

#include "core/colors.h"
#include "recording/state_estimate.h"

namespace lumo::core {
class SettingsList;
class Texts;
}  // namespace lumo::core

// The summary of the autonomic nervous system (ANS) that follows a state
// estimate: four indices on scales of 0 ... 100, their mean and the verdict.
namespace lumo::recording {

struct AutonomicIndices {
    double frequency = 0;    // mean f x 150 - 130
    double mainTone = 0;     // P x 200 - 40
    double stability = 0;    // 100 - spread x 400 / mean f
    double bloodVolume = 0;  // (largest - smallest window mean) x 0.5 - 40
    double summary = 0;      // the mean of the four, unclamped
};

// EMathError as the report raises it when the statistics hold too little.
AutonomicIndices autonomicIndices(const StateStatistics& statistics, const core::Texts& texts);

enum class Verdict { Relax, Balance, Stress };

// A summary of 40 or less is relax, of 60 or more stress.
Verdict verdictOf(double summary);
// "relax", "balance", "stress".
const char* verdictName(Verdict verdict);
// The headline (0: a blank one) and the advice.
struct VerdictTexts {
    int headline = 0;
    int advice = 0;
};
VerdictTexts verdictTexts(Verdict verdict);

// An index as the scale draws it: clamped to 0 ... 100 per cent.
double scalePercent(double index);
// ... and as its text shows it, rounded.
int shownPercent(double index);

// The marker on the scales: an ellipse, or the glyph of the `ItalChar`
// character code in the symbol font the unit's workstations shipped with,
// here as the Unicode character that looks the same.
struct ScaleMarker {
    bool ellipse = true;
    char32_t glyph = 0;
    bool operator==(const ScaleMarker&) const = default;
};

// The marker `ItalChar` asks for. "<DEFAULT>" in any letter case keeps the
// ellipse; a value that is not a number is replaced by "<Default>" in the
// settings. A code without a known look also gets the ellipse.
ScaleMarker scaleMarker(core::SettingsList& settings);

// One scale bar in pixels: green over 0 ... 40 % of its width, yellow over
// 40 ... 60 %, red over 60 ... 100 %, and the marker's centre at the index's
// per cent of the width. The bar leaves half its height free at either end so
// that a marker at 0 or 100 % stays whole.
struct ScaleZone {
    int left = 0;
    int right = 0;  // exclusive
    core::Rgb colour;
};
struct ScaleBar {
    std::array<ScaleZone, 3> zones{};
    int top = 0;
    int bottom = 0;   // exclusive
    int markerX = 0;
    int markerY = 0;
    int markerSize = 0;  // diameter of the ellipse, height of the glyph
};
ScaleBar scaleBar(double index, int width, int height);

}  // namespace lumo::recording
