// lumo-unit state: the examinee state estimate without a screen, on any port
// or on the simulated unit, ending with the report and the ANS summary.
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <memory>
#include <string>

#include "core/process_priority.h"
#include "core/settings.h"
#include "core/string_table.h"
#include "core/text_format.h"
#include "core/texts/recording.h"
#include "device/serial_link.h"
#include "device/simulated_link.h"
#include "modes.h"
#include "platform/qt_serial_link.h"
#include "platform/realtime_priority.h"
#include "platform/serial_ports.h"
#include "recording/autonomic_summary.h"
#include "recording/state_session.h"
#include "session_setup.h"
#include "unit_report.h"

namespace lumo::tools {

namespace {

// How long the unit may take to connect and to make up for periods lost to a
// reconnection, beyond the seconds asked for.
constexpr int kGraceSeconds = 30;
constexpr int kPacketMilliseconds = 125;

enum Exit { Done = 0, NoReport = 2, OpenFailed = 3, NoLink = 4 };

// The tool's side of the measurement: lines on stderr for the boxes, and the
// end of the measurement when the seconds of samples are in.
class ToolStateView final : public recording::StateSessionView {
public:
    explicit ToolStateView(long periods) : periods_(periods) {}

    void traceSample(std::array<int, 2>) override {}
    void statisticsChanged() override {}
    void showError(const std::string& text) override { problem(text); }
    void showReport(const std::string&) override {}
    void showFailure(const std::string& text) override { problem(text); }
    void closeRequested(bool) override { over_ = true; }

    void watch(const recording::StateSession& session) { session_ = &session; }
    // The measurement is over: enough samples, or the window would close.
    bool over() const { return over_ || (session_ != nullptr && session_->periodsSinceRestart() >= periods_); }

private:
    static void problem(const std::string& text) {
        std::string line = text;
        std::replace(line.begin(), line.end(), '\n', ' ');
        std::fprintf(stderr, "lumo-unit: %s\n", line.c_str());
        std::fflush(stderr);
    }

    long periods_;
    const recording::StateSession* session_ = nullptr;
    bool over_ = false;
};

recording::StateSessionSettings sessionSettings(const UnitOptions& options) {
    recording::StateSessionSettings settings;
    try {
        settings = recording::stateSessionSettings(installedSettings());
    } catch (const std::exception&) {
        // Installed defaults that cannot be read: the usual values.
    }
    if (options.deviceTimeout) settings.deviceTimeout = static_cast<std::uint16_t>(*options.deviceTimeout);
    if (options.dataTimeout) settings.dataTimeout = static_cast<std::uint16_t>(*options.dataTimeout);
    return settings;
}

std::string summaryJson(const recording::StateReport& report, const recording::StateStatistics& statistics,
                        const recording::AutonomicIndices& indices) {
    std::string histogram;
    for (const std::uint32_t count : statistics.histogram) histogram += (histogram.empty() ? "" : ",") + std::to_string(count);
    return "{\"spectra\":" + std::to_string(report.count) + ",\"mean_frequency_hz\":" +
           jsonNumber(report.meanFrequency) + ",\"pulse_rpm\":" + jsonNumber(report.pulseRate) +
           ",\"main_tone_probability\":" + jsonNumber(report.mainToneProbability) + ",\"period_span_s\":" +
           jsonNumber(report.periodSpan) + ",\"frequency_variance\":" + jsonNumber(report.frequencyVariance) +
           ",\"blood_volume_amplitude\":" + jsonNumber(report.bloodVolumeAmplitude) + ",\"gsc_trend\":" +
           jsonNumber(report.gscTrend) + ",\"histogram\":[" + histogram + "],\"indices\":{\"frequency\":" +
           jsonNumber(indices.frequency) + ",\"main_tone\":" + jsonNumber(indices.mainTone) + ",\"stability\":" +
           jsonNumber(indices.stability) + ",\"blood_volume\":" + jsonNumber(indices.bloodVolume) +
           ",\"summary\":" + jsonNumber(indices.summary) + "},\"verdict\":\"" +
           recording::verdictName(recording::verdictOf(indices.summary)) + "\"}";
}

std::string summaryText(const recording::StateReport& report, const recording::AutonomicIndices& indices,
                        const core::Texts& texts) {
    std::string out = recording::stateReportText(report, texts) + "\n";
    const std::pair<int, double> lines[] = {{txt::SummaryFrequencyIndex, indices.frequency},
                                            {txt::SummaryMainToneIndex, indices.mainTone},
                                            {txt::SummaryStabilityIndex, indices.stability},
                                            {txt::SummaryBloodVolumeIndex, indices.bloodVolume}};
    for (const auto& [id, index] : lines) {
        out += core::formatText(texts(id), {static_cast<long long>(recording::shownPercent(index))}) + "\n";
    }
    const recording::VerdictTexts verdict = recording::verdictTexts(recording::verdictOf(indices.summary));
    out += texts(txt::SummaryLabel) + " " + (verdict.headline != 0 ? texts(verdict.headline) : std::string()) + "\n";
    out += texts(verdict.advice) + "\n";
    return out;
}

// Runs the simulated unit on its own clock: the measurement takes no longer than its computing.
void measureSimulated(device::SimulatedLink& link, const ToolStateView& view, double seconds) {
    const std::int64_t limit = link.milliseconds() + static_cast<std::int64_t>((seconds + kGraceSeconds) * 1000);
    while (!view.over() && link.milliseconds() < limit) link.run(kPacketMilliseconds);
}

// Runs a port in real time until the samples are in, the time is up or a stop signal comes.
void measurePort(const ToolStateView& view, double seconds) {
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&view] {
        if (view.over()) QCoreApplication::quit();
    });
    poll.start(20);
    QTimer::singleShot(static_cast<int>((seconds + kGraceSeconds) * 1000), Qt::PreciseTimer, [] {
        QCoreApplication::quit();
    });
    const int stopFd = stopSignalDescriptor();
    QSocketNotifier notifier(stopFd, QSocketNotifier::Read);
    QObject::connect(&notifier, &QSocketNotifier::activated, [] { QCoreApplication::quit(); });
    QCoreApplication::exec();
    if (stopFd >= 0) ::close(stopFd);
}

}  // namespace

int runState(const UnitOptions& options) {
    core::Settings language("/nonexistent");  // no settings file: English
    const core::StringTable table;
    const core::Texts texts(table, language);
    const double seconds = *options.seconds;
    ToolStateView view(static_cast<long>(seconds * recording::StateSession::kPeriodsPerSecond));

    std::string device = options.device;
    std::transform(device.begin(), device.end(), device.begin(), [](unsigned char c) { return std::toupper(c); });
    const bool simulated = device == "SIM";
    std::unique_ptr<device::SerialLink> link;
    std::unique_ptr<core::ProcessPriority> priority;
    if (simulated) {
        link = std::make_unique<device::SimulatedLink>(simulatedUnitOptions(options));
        priority = std::make_unique<core::NoPriority>();
    } else {
        link = std::make_unique<platform::QtSerialLink>(QString::fromStdString(options.device), options.baudRate,
                                                        platform::englishTexts());
        priority = std::make_unique<platform::RealtimePriority>();
    }
    if (!options.capture.empty()) link->startTrafficLog(options.capture);

    recording::StateSession session(*link, sessionSettings(options), texts, *priority, view);
    view.watch(session);
    link->onNotificationError = [&session](const std::string& message) { session.notificationFailed(message); };
    session.open();
    if (session.closed()) {
        // The port's refusal is on stderr already.
        link->onNotificationError = nullptr;
        return OpenFailed;
    }
    if (simulated) {
        measureSimulated(static_cast<device::SimulatedLink&>(*link), view, seconds);
    } else {
        measurePort(view, seconds);
    }
    session.close();
    link->onNotificationError = nullptr;
    if (!session.dataReceived()) {
        if (!session.linkFailed()) std::fprintf(stderr, "lumo-unit: %s\n", texts(txt::StateNoLink).c_str());
        return NoLink;
    }
    try {
        const recording::StateReport report = session.report();
        const recording::AutonomicIndices indices = recording::autonomicIndices(session.statistics(), texts);
        const std::string out = options.json ? summaryJson(report, session.statistics(), indices) + "\n"
                                             : summaryText(report, indices, texts);
        std::fputs(out.c_str(), stdout);
        std::fflush(stdout);
        return Done;
    } catch (const recording::EMathError& error) {
        std::fprintf(stderr, "lumo-unit: %s\n", error.what());
        return NoReport;
    }
}

}  // namespace lumo::tools
