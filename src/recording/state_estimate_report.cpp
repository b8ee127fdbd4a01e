#include "recording/state_estimate_report.h"

#include <cmath>
#include <cstdio>

#include "core/settings.h"
#include "core/texts/recording.h"

namespace lumo::recording {

namespace {

std::string fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

void requireNumber(double value, const core::Texts& texts) {
    if (!std::isfinite(value)) throw EMathError(texts(txt::StateReportImpossible));
}

}  // namespace

double frequencySpread(const StateStatistics& s, const core::Texts& texts) {
    // Spectra that came and were all refused speak of the signal; too few of
    // them, of the measurement's length.
    if (s.count == 0 && s.windows > 1) throw EMathError(texts(txt::StateNoPeriods));
    if (s.count <= 1) throw EMathError(texts(txt::StateTooShort));
    const double n = s.count;
    const double square = n * s.meanFrequencySquare / (n - 1) - double(s.meanFrequency) * s.meanFrequency;
    if (!(square >= 0)) throw EMathError(texts(txt::StateReportImpossible));
    const double spread = std::sqrt(square);
    requireNumber(spread, texts);
    return spread;
}

StateReport stateReport(const StateStatistics& s, float gscNow, const core::Texts& texts) {
    const double spread = frequencySpread(s, texts);
    if (s.meanFrequency == 0) throw EMathError(texts(txt::StateReportImpossible));
    StateReport report;
    report.count = s.count;
    report.meanFrequency = s.meanFrequency;
    report.pulseRate = report.meanFrequency * 60;
    report.mainToneProbability = s.mainToneProbability();
    report.periodSpan = double(s.longestPeriod) - s.shortestPeriod;
    report.frequencyVariance = spread / s.meanFrequency;
    report.bloodVolumeAmplitude = double(s.largestWindowMean) - s.smallestWindowMean;
    report.gscTrend = (double(gscNow) - s.gsc0) / s.count;
    for (const double value : {report.pulseRate, report.mainToneProbability, report.periodSpan,
                               report.frequencyVariance, report.bloodVolumeAmplitude, report.gscTrend}) {
        requireNumber(value, texts);
    }
    return report;
}

std::string stateReportText(const StateReport& report, const core::Texts& texts) {
    return texts(txt::StateReportFrequency) + fixed(report.pulseRate, 2) + texts(txt::StateReportPerMinute) +
           texts(txt::StateReportMainTone) + fixed(report.mainToneProbability, 2) + texts(txt::StateReportSpan) +
           fixed(report.periodSpan, 2) + texts(txt::StateReportSeconds) + texts(txt::StateReportVariance) +
           fixed(report.frequencyVariance, 4) + texts(txt::StateReportBloodVolume) +
           fixed(report.bloodVolumeAmplitude, 4) + texts(txt::StateReportGscTrend) + fixed(report.gscTrend, 2);
}

}  // namespace lumo::recording
