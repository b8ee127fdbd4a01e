#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace lumo::core {
class Clock;
class SettingsList;
}  // namespace lumo::core

namespace lumo::device {

class SerialLink;
class TLumoDevice_7_2;

// Where the calibration stands.
enum class CalibrationPhase {
    Idle = 0,             // connecting, or finished
    WaitingForEnter = 1,  // the examiner plugs the adjusting device in
    Released = 2,         // measuring the level with the button up
    Pressed = 3,          // measuring the level with the button held down
};

// How a calibration ended.
enum class CalibrationOutcome {
    Complete,       // stored
    DeviceFailure,  // adjusting device absent or faulty; nothing stored
    OpenFailure,    // the port could not be opened
    LinkFailure,    // the unit does not answer, or answers nonsense
    StoreFailure,   // measured, but the file could not be written
    Cancelled,      // Esc; nothing stored
};

// What the calibration asks of its window.
class CalibrationView {
public:
    virtual ~CalibrationView() = default;
    // The message panel shows a text of the string table; 0 hides it.
    virtual void showPanel(int textId) = 0;
    // The calibration is over: show `message` (empty for Cancelled) and close.
    // Called at most once, possibly from inside a link notification, so the
    // window should close after the notification has returned.
    virtual void finished(CalibrationOutcome outcome, const std::string& message) = 0;
};

struct CalibrationOptions {
    std::filesystem::path dataHome;  // the store lives here
    std::uint16_t deviceTimeout = 18;  // driver timeouts, ticks of 55 ms
    std::uint16_t dataTimeout = 18;
};

// The options of a calibration in `dataHome` with the driver timeouts of the
// settings; EConvertError when one is not a number.
CalibrationOptions calibrationOptions(const std::filesystem::path& dataHome, const core::SettingsList& settings);

// The skin-resistance calibration of a unit with the adjusting device: the
// level with its button released and held down, ten steady samples each, give
// the linear conversion that reads them as 530 and 100 kOhm. Owns the driver;
// driven entirely by its notifications and the window's keys.
class Calibration {
public:
    using TextLookup = std::function<std::string(int id)>;

    static constexpr int kSeries = 10;          // steady samples per level
    static constexpr float kSteady = 5.0f;      // largest drift within a series
    static constexpr int kButtonWait = 100;     // samples allowed for pressing the button
    static constexpr float kLeastChange = 100;  // the two levels must be at least this far apart
    static constexpr int kWindowLow = 512;      // the converter window the samples are taken in
    static constexpr int kWindowHigh = 3584;
    static constexpr int kCounting = 100;       // sample count meaning "waiting for the button"
    static constexpr const char* kTrafficLogName = "frmCalibrate.LOG";  // in the data home

    Calibration(SerialLink& link, const core::Clock& clock, CalibrationOptions options, TextLookup texts,
                CalibrationView& view);
    // Stops the unit as closing does.
    ~Calibration();
    Calibration(const Calibration&) = delete;
    Calibration& operator=(const Calibration&) = delete;

    // Starts the traffic log, subscribes to the driver and opens the unit; a
    // port that cannot be opened ends the calibration with OpenFailure.
    void start();
    // Enter: starts the measurement while waiting for it.
    void enterPressed();
    // Esc or closing the window: ends without storing anything.
    void cancel();
    // Anything a link notification raised that the driver could not handle.
    void notificationFailed(const std::string& reason);
    // Stops the unit: Close, Disconnect after a link failure, nothing when it
    // never opened. Safe to call more than once.
    void stop();

    TLumoDevice_7_2& driver() { return *driver_; }
    CalibrationPhase phase() const { return phase_; }
    int sampleCount() const { return count_; }
    int waitCounter() const { return waitCounter_; }
    bool waitingForCommand() const { return waiting_; }
    bool over() const { return over_; }
    const std::string& ident() const { return ident_; }
    float releasedLevel() const { return released_; }
    float pressedLevel() const { return pressed_; }
    // The conversion found (valid once Complete).
    double zeroRes() const { return zeroRes_; }
    double propRes() const { return propRes_; }

private:
    void identRead();
    void sample();
    void commandSettled();
    bool recentre(int adc);
    void measureReleased(float value);
    void measurePressed(float value);
    void finish(CalibrationOutcome outcome, const std::string& message);
    void panel(int textId);

    SerialLink& link_;
    const core::Clock& clock_;
    CalibrationOptions options_;
    TextLookup texts_;
    CalibrationView& view_;
    std::unique_ptr<TLumoDevice_7_2> driver_;

    CalibrationPhase phase_ = CalibrationPhase::Idle;
    std::array<float, 2 * kSeries> samples_{};
    int count_ = 0;
    int waitCounter_ = 0;
    float released_ = 0;
    float pressed_ = 0;
    double zeroRes_ = 0;
    double propRes_ = 0;
    bool firstSamplePending_ = false;
    int packetsTaken_ = 0;  // packets the driver took in since the identification
    std::uint32_t lastCounterSeen_ = 0;
    bool waiting_ = false;
    bool linkFailed_ = false;
    bool unitOpen_ = false;
    bool over_ = false;
    bool stopped_ = false;
    std::string ident_;
};

}  // namespace lumo::device
