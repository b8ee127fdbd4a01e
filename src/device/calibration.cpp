#include "device/calibration.h"

#include <cmath>
#include <exception>

#include "core/clock.h"
#include "core/paths.h"
#include "core/settings_list.h"
#include "core/texts/device.h"
#include "core/texts/recording.h"
#include "device/calibration_store.h"
#include "device/lumo_device.h"
#include "device/serial_link.h"

namespace lumo::device {

namespace {

constexpr int kChannel = 5;        // skin resistance
constexpr int kRange = 7;          // the most sensitive range
constexpr int kConverterTop = 4095;
constexpr int kCentre = 2048;
constexpr int kDacTop = 4088;      // the highest offset the unit can take (9 bits << 3)
constexpr double kReleasedKOhm = 530;
constexpr double kDifferenceKOhm = 430;  // 530 released - 100 pressed

double meanOf(const float* values, int count) {
    double sum = 0;
    for (int i = 0; i < count; ++i) sum += values[i];
    return sum / count;
}

// A multiple of 8 (the unit takes offsets in steps of 8), never zero.
int offsetCodes(double shift, bool towardZero) {
    double steps = shift / 8;
    steps = towardZero ? std::trunc(steps) : std::round(steps);
    if (steps == 0) steps = shift < 0 ? -1 : 1;
    return static_cast<int>(steps) * 8;
}

}  // namespace

CalibrationOptions calibrationOptions(const std::filesystem::path& dataHome, const core::SettingsList& settings) {
    return {dataHome, static_cast<std::uint16_t>(settings.integer("DeviceTimeout")),
            static_cast<std::uint16_t>(settings.integer("DataTimeout"))};
}

Calibration::Calibration(SerialLink& link, const core::Clock& clock, CalibrationOptions options, TextLookup texts,
                         CalibrationView& view)
    : link_(link),
      clock_(clock),
      options_(std::move(options)),
      texts_(std::move(texts)),
      view_(view),
      driver_(std::make_unique<TLumoDevice_7_2>(kUnitGeometry)) {}

Calibration::~Calibration() {
    try {
        stop();
    } catch (const std::exception&) {
        // Closing a port that went away must not end the program.
    }
    driver_.reset();
}

void Calibration::start() {
    try {
        link_.startTrafficLog(core::resolvePath(options_.dataHome, kTrafficLogName));
    } catch (const std::exception&) {
        // The capture is a diagnostic aid; calibrating goes on without it.
    }
    TLumoDevice_7_2& driver = *driver_;
    driver.DeviceTimeout = options_.deviceTimeout;
    driver.DataTimeout = options_.dataTimeout;
    driver.AttachPort(&link_);
    driver.OnIdentRead = [this](TLumoDevice_7_2&) { identRead(); };
    driver.OnSample = [this](TLumoDevice_7_2&) { sample(); };
    driver.OnLinkError = [this](TLumoDevice_7_2&) {
        if (over_) return;
        linkFailed_ = true;
        finish(CalibrationOutcome::LinkFailure, texts_(txt::TestNoLink));
    };
    // A unit whose info block never makes sense stops talking without a link
    // error; without this the window would wait for ever.
    driver.OnInfoFailed = [this](TLumoDevice_7_2&) {
        if (over_) return;
        linkFailed_ = true;
        finish(CalibrationOutcome::LinkFailure, texts_(txt::TestNoLink));
    };
    driver.SetOnCommandDone(kChannel, [this](TLumoDevice_7_2&, int) { commandSettled(); });
    driver.SetOnCommandFailed(kChannel, [this](TLumoDevice_7_2&, int) { commandSettled(); });
    try {
        driver.Open();
        unitOpen_ = true;
    } catch (const std::exception& error) {
        // Open may have opened the port before the trigger failed.
        if (link_.isOpen()) link_.close();
        finish(CalibrationOutcome::OpenFailure, texts_(txt::TestMaybePortWrong) + ":\n" + error.what());
    }
}

void Calibration::identRead() {
    ident_ = driver_->IdentPrefix() + driver_->IdentSuffix();
    firstSamplePending_ = true;
    packetsTaken_ = 0;
    lastCounterSeen_ = driver_->lastCounter();
}

void Calibration::enterPressed() {
    if (over_ || phase_ != CalibrationPhase::WaitingForEnter) return;
    count_ = 0;
    phase_ = CalibrationPhase::Released;
    panel(txt::CalibrateAcquiring);
}

void Calibration::cancel() {
    if (over_) return;
    finish(CalibrationOutcome::Cancelled, "");
}

void Calibration::notificationFailed(const std::string& reason) {
    if (over_) return;
    linkFailed_ = true;
    finish(CalibrationOutcome::LinkFailure, texts_(txt::TestNoLink) + ":\n" + reason);
}

void Calibration::stop() {
    if (stopped_) return;
    stopped_ = true;
    over_ = true;
    if (!unitOpen_) return;
    if (linkFailed_) {
        driver_->Disconnect();
    } else {
        driver_->Close();
    }
}

void Calibration::commandSettled() {
    if (driver_->QueuedCommands(kChannel) == 0) waiting_ = false;
}

void Calibration::sample() {
    if (over_) return;
    TLumoDevice_7_2& driver = *driver_;
    if (firstSamplePending_) {
        // During a sample notification the driver still holds the previous
        // packet, and the stream's first packet is held back as a switch (its
        // offset differs from nothing): only from the third notification on
        // does it show the offset the unit really uses.
        if (driver.lastCounter() != lastCounterSeen_) {
            lastCounterSeen_ = driver.lastCounter();
            ++packetsTaken_;
        }
        if (packetsTaken_ < 2) return;
        firstSamplePending_ = false;
        phase_ = CalibrationPhase::WaitingForEnter;
        panel(txt::CalibratePlugSensors);
        waiting_ = true;
        driver.QueueCommand(kChannel, kRange, driver.Samples[kChannel].dac);
        return;
    }
    if (waiting_) return;
    if (phase_ != CalibrationPhase::Released && phase_ != CalibrationPhase::Pressed) return;
    const int adc = driver.Samples[kChannel].adc;
    if (adc >= kWindowHigh || adc < kWindowLow) {
        if (count_ == kCounting) panel(txt::CalibrateAcquiring);
        if (!recentre(adc)) finish(CalibrationOutcome::DeviceFailure, texts_(txt::CalibrateDeviceFailure));
        return;
    }
    const float value = driver.ChannelValue(kChannel);
    if (phase_ == CalibrationPhase::Released) {
        measureReleased(value);
    } else {
        measurePressed(value);
    }
}

// Moves the offset so that the signal comes back into the window; false when
// the offset is already at its end and cannot move further that way.
//
// The shift is computed so that it can never carry the signal across the whole
// window: a known reading is brought to the centre, a saturated one (position
// unknown) moves by the window's width. A fixed shift wider than the converter
// would swing a signal near one edge to the other end and back for ever.
bool Calibration::recentre(int adc) {
    TLumoDevice_7_2& driver = *driver_;
    const TChartBlock& current = driver.Samples[kChannel];
    const double perCode = driver.DacScale / driver.Gain(current.range);  // converter counts per offset code
    if (!std::isfinite(perCode) || perCode == 0) return false;
    const bool saturated = adc >= kConverterTop || adc <= 0;
    double counts;  // how far the reading has to move down (negative: up)
    if (saturated) {
        counts = adc > 0 ? kWindowHigh - kWindowLow : -(kWindowHigh - kWindowLow);
    } else {
        counts = adc - kCentre;
    }
    const int shift = offsetCodes(-counts / perCode, saturated);
    int dac = current.dac + shift;
    if (dac < 0) dac = 0;
    if (dac > kDacTop) dac = kDacTop;
    if (dac == current.dac) return false;
    waiting_ = true;
    driver.QueueCommand(kChannel, kRange, dac);
    return true;
}

void Calibration::measureReleased(float value) {
    if (count_ == 0) {
        panel(txt::CalibrateAcquiring);
        samples_[0] = value;
        count_ = 1;
    } else if (count_ < kSeries) {
        // A drifting sample starts the series afresh from itself.
        if (std::fabs(value - samples_[0]) > kSteady) count_ = 0;
        samples_[static_cast<std::size_t>(count_)] = value;
        ++count_;
    } else if (count_ == kSeries) {
        panel(txt::CalibratePushButton);
        count_ = kCounting;
        waitCounter_ = 0;
    } else if (std::fabs(value - samples_[0]) > kSteady) {
        // The button went down.
        released_ = static_cast<float>(meanOf(samples_.data(), kSeries));
        count_ = 0;
        phase_ = CalibrationPhase::Pressed;
        panel(txt::CalibrateAcquiring);
    } else if (++waitCounter_ > kButtonWait) {
        finish(CalibrationOutcome::DeviceFailure, texts_(txt::CalibrateDeviceFailure));
    }
}

void Calibration::measurePressed(float value) {
    float* pressed = samples_.data() + kSeries;
    if (count_ == 0) {
        panel(txt::CalibrateAcquiring);
        pressed[0] = value;
        count_ = 1;
        return;
    }
    if (count_ < kSeries) {
        if (std::fabs(value - pressed[0]) > kSteady) count_ = 0;
        pressed[count_] = value;
        ++count_;
        return;
    }
    pressed_ = static_cast<float>(meanOf(pressed, kSeries));
    const double difference = static_cast<double>(pressed_) - static_cast<double>(released_);
    if (std::fabs(difference) < kLeastChange) {
        finish(CalibrationOutcome::DeviceFailure, texts_(txt::CalibrateDeviceFailure));
        return;
    }
    propRes_ = -kDifferenceKOhm / difference;
    zeroRes_ = static_cast<double>(released_) - kReleasedKOhm / propRes_;
    try {
        writeCalibration(options_.dataHome, ident_, clock_.today(), zeroRes_, propRes_);
    } catch (const std::exception& error) {
        finish(CalibrationOutcome::StoreFailure, error.what());
        return;
    }
    panel(0);
    phase_ = CalibrationPhase::Idle;
    finish(CalibrationOutcome::Complete, texts_(txt::CalibrateComplete));
}

void Calibration::finish(CalibrationOutcome outcome, const std::string& message) {
    over_ = true;
    view_.finished(outcome, message);
}

void Calibration::panel(int textId) {
    view_.showPanel(textId);
}

}  // namespace lumo::device
