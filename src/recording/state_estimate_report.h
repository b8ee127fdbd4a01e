#pragma once

#include <string>

#include "core/errors.h"
#include "recording/state_estimate.h"

namespace lumo::core {
class Texts;
}

namespace lumo::recording {

// The statistics do not give a report: too few accepted spectra, or values
// that are no numbers. The message says which, in the system's words.
class EMathError : public LumoError {
public:
    using LumoError::LumoError;
};

// The six values of the state report, unrounded.
struct StateReport {
    std::uint32_t count = 0;
    double meanFrequency = 0;        // Hz
    double pulseRate = 0;            // per minute
    double mainToneProbability = 0;  // P
    double periodSpan = 0;           // s, longest - shortest accepted period
    double frequencyVariance = 0;    // spread / mean frequency
    double bloodVolumeAmplitude = 0; // largest - smallest window mean
    double gscTrend = 0;             // skin resistance change per accepted spectrum
};

// The spread of the accepted frequencies as the report and the stability
// index take it: sqrt(n mean(f^2) / (n - 1) - mean(f)^2). EMathError for
// n <= 1, with the texts' explanation: a signal without a pulse when
// spectra came and none was accepted, else a measurement too short.
double frequencySpread(const StateStatistics& statistics, const core::Texts& texts);

// The report from the statistics and the present skin resistance value.
// EMathError when it cannot be computed: no accepted period (a flat,
// saturated or missing pulse), too short a measurement, or values that are
// no numbers.
StateReport stateReport(const StateStatistics& statistics, float gscNow, const core::Texts& texts);

// The six lines of the report box in the texts' language, joined by line breaks.
std::string stateReportText(const StateReport& report, const core::Texts& texts);

}  // namespace lumo::recording
