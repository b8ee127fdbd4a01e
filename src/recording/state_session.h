#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/process_priority.h"
#include "recording/state_estimate.h"
#include "recording/state_estimate_report.h"

namespace lumo::core {
class SettingsList;
class Texts;
}  // namespace lumo::core

namespace lumo::device {
class SerialLink;
class TLumoDevice_7_2;
class TunedChannel;
}  // namespace lumo::device

namespace lumo::recording {

// What a state measurement reads of the settings.
struct StateSessionSettings {
    std::uint16_t deviceTimeout = 18;  // ticks of 55 ms
    std::uint16_t dataTimeout = 18;
    int pulseSpyDelay = 5000;          // SpyDelay0, ms
    int skinSpyDelay = 20000;          // SpyDelay5, ms
};

// DeviceTimeout, DataTimeout, SpyDelay0 and SpyDelay5; EConvertError for one
// that is not a number.
StateSessionSettings stateSessionSettings(const core::SettingsList& settings);

// What the measurement asks of its window (or of the tool that runs it).
class StateSessionView {
public:
    virtual ~StateSessionView() = default;
    // One packet period: the raw converter readings of channels 0 and 5.
    virtual void traceSample(std::array<int, 2> adc) = 0;
    // A window was analysed, or the statistics started afresh.
    virtual void statisticsChanged() = 0;
    // The port cannot be opened, the link is lost: an error box.
    virtual void showError(const std::string& text) = 0;
    // The report box of a finished measurement.
    virtual void showReport(const std::string& text) = 0;
    // Why a finished measurement gives no report.
    virtual void showFailure(const std::string& text) = 0;
    // The window should close (after the current event); `cancelled` for Cancel.
    virtual void closeRequested(bool cancelled) = 0;
};

// One measurement of the examinee's state: connects to the unit, keeps the
// pulse (0) and skin-resistance (5) channels tuned and feeds the pulse to
// the estimate. Driven entirely by the driver's notifications and the
// window's keys; the process runs at real-time priority from open() until the
// unit is stopped, on every way out.
class StateSession {
public:
    static constexpr int kPulseChannel = 0;
    static constexpr int kSkinChannel = 5;
    static constexpr int kPeriodsPerSecond = 8;

    StateSession(device::SerialLink& link, StateSessionSettings settings, const core::Texts& texts,
                 core::ProcessPriority& priority, StateSessionView& view);
    // Stops the unit as close() does.
    ~StateSession();
    StateSession(const StateSession&) = delete;
    StateSession& operator=(const StateSession&) = delete;

    // Creates the driver, the tuners and spies, and opens the unit; a port
    // that cannot be opened is shown and the window asked to close with Cancel.
    void open();
    // Space, the restart button: the statistics start afresh.
    void restart();
    // Esc, the finish button: the report, then closing with OK; when no
    // report can be made, why (once data arrived), then closing with Cancel.
    // The unit is stopped before any box.
    void finish();
    // Anything a link notification raised that the driver could not handle.
    void notificationFailed(const std::string& reason);
    // Stops the unit: Close, Disconnect after a link failure, nothing when it
    // never opened; gives the priority back. Idempotent; the statistics and
    // the last samples stay.
    void close();

    // The report of the statistics so far (EMathError when there is none).
    StateReport report() const;

    const StateEstimate& estimate() const { return estimate_; }
    const StateStatistics& statistics() const { return estimate_.statistics(); }
    bool dataReceived() const { return dataReceived_; }
    bool linkFailed() const { return linkFailed_; }
    bool unitOpen() const { return unitOpen_; }
    bool closed() const { return closed_; }
    // Packet periods since the statistics last started afresh.
    long periodsSinceRestart() const { return periodsSinceRestart_; }
    // The driver (tests, the tool); null before open().
    device::TLumoDevice_7_2* driver() const { return driver_.get(); }

private:
    void infoRead();
    void sample();
    void linkLost(const std::string& text);
    void restartStatistics();
    float skinValue() const;

    device::SerialLink& link_;
    StateSessionSettings settings_;
    const core::Texts& texts_;
    core::ProcessPriority& priority_;
    StateSessionView& view_;

    std::unique_ptr<device::TLumoDevice_7_2> driver_;
    std::vector<std::unique_ptr<device::TunedChannel>> channels_;
    StateEstimate estimate_;
    long periodsSinceRestart_ = 0;
    std::uint32_t lastCommitted_ = 0;  // the driver's last counter at the previous sample
    int commits_ = 0;                  // packets the driver committed since the session began

    bool opened_ = false;
    bool closed_ = false;
    bool priorityRaised_ = false;
    bool unitOpen_ = false;
    bool dataReceived_ = false;
    bool linkFailed_ = false;
    bool restartPending_ = false;
    bool linkErrorReported_ = false;
};

}  // namespace lumo::recording
