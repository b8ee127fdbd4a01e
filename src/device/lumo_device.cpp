#include "device/lumo_device.h"

#include <cmath>
#include <cstdio>

#include "core/numbers.h"
#include "device/device_errors.h"
#include "device/driver_hook.h"
#include "device/serial_link.h"

// Wire summary (multi-byte numbers big-endian, no checksums):
//   host: DTR low 500 ms, high        unit: 0x0A (ready)
//   host: 0x55                        unit: 0x55 (echo); a wrong reply -> host 00 00 00 55
//   host: 0xA3 (first) / 0x0F (again) unit: 36 info bytes, each echoed by the host
//   host: 0x0E                        unit: 10 ident bytes, each echoed by the host
//   host: 0x0D                        unit: 0x0D, then one reply per setup byte
//   host: 0x87 0x8F 0x81 0x01         (channel count | 0x80, timer reload, fast count)
//   unit: 34-byte packets, 8 per second; host: 3-byte channel commands
//   host: 00 00 00 (stop)

namespace lumo::device {

namespace {

constexpr std::uint8_t kReady = 0x0A;
constexpr std::uint8_t kHandshake = 0x55;
constexpr std::uint8_t kInfoFirst = 0xA3;
constexpr std::uint8_t kInfoAgain = 0x0F;
constexpr std::uint8_t kIdentRequest = 0x0E;
constexpr std::uint8_t kStart = 0x0D;
constexpr int kResetMilliseconds = 500;
constexpr int kGoodReadings = 5;
constexpr int kInvalidReadingLimit = 10;
constexpr int kRetryLimit = 10;
constexpr float kLowestGain = 32.0f;
constexpr float kHighestGain = 40.0f;
// The unit's timer runs at 0.92158333 counts per microsecond.
constexpr double kTimerCountsPerMicrosecond = 0.92158333333333333336;

}  // namespace

TLumoDevice_7_2::TLumoDevice_7_2(std::uint8_t rangeCount, std::uint8_t channelCount, bool highBitFlag,
                                 std::int32_t period, std::uint8_t fastCount)
    : channelCount_(channelCount),
      rangeCount_(rangeCount),
      packetLength_(0),
      highBitFlag_(highBitFlag),
      period_(period),
      timerReload_(static_cast<std::int32_t>(-core::rnd(period * kTimerCountsPerMicrosecond))),
      fastCount_(fastCount) {
    // Ranges travel in 3 bits and channels as channel + 1 in 5 bits.
    if (rangeCount < 1 || rangeCount > 8 || channelCount < 1 || channelCount > 31 || fastCount > channelCount ||
        period <= 0) {
        throw ELumoDeviceException("Invalid sensor unit layout");
    }
    packetLength_ = static_cast<std::uint8_t>(4 + 9 * fastCount + 3 * channelCount);
    ident_.fill(0xFF);
    const std::size_t channels = channelCount;
    infoBuffer_.assign(static_cast<std::size_t>(rangeCount + 1) * 4, 0);
    readings_.assign(static_cast<std::size_t>(3 + rangeCount) * kGoodReadings, 0.0f);
    Gains.assign(rangeCount, 0.0f);
    packetBuffer_.assign(packetLength_, 0);
    Samples.assign(channels, TChartBlock{});
    decodeArea_.assign(channels, TChartBlock{});
    savedSamples_.assign(channels, TChartBlock{});
    for (int k = 0; k < 3; ++k) {
        SubSamples[k].assign(fastCount, TChartBlock{});
        decodeTargets_[k].assign(fastCount, TChartBlock{});
        savedSubSamples_[k].assign(fastCount, TChartBlock{});
    }
    pending_.assign(channels, false);
    awaiting_.assign(channels, false);
    confirmationWaits_.assign(channels, 0);
    inFlight_.assign(channels, CommandInFlight{});
    onCommandDone_.resize(channels);
    onCommandFailed_.resize(channels);
    lastRange_.assign(channels, 0);
    lastDac_.assign(channels, 0);
    queues_.reserve(channels);
    for (std::size_t c = 0; c < channels; ++c) queues_.emplace_back(kQueueCapacity);
}

TLumoDevice_7_2::~TLumoDevice_7_2() {
    for (auto& queue : queues_) {
        while (queue.Count() > 0) {
            try {
                delete static_cast<CommandInFlight*>(queue.Pop());
            } catch (const LumoError&) {
                break;
            }
        }
    }
    // Hooks outliving the driver must not touch it any more.
    for (DriverHook* hook : hooks_) hook->driverGone();
    if (port_ != nullptr) {
        port_->onBytesAvailable = std::move(savedAvail_);
        port_->onTimerExpired = std::move(savedTimer_);
    }
}

SerialLink& TLumoDevice_7_2::link() const {
    if (port_ == nullptr) throw ELumoDeviceException("No serial port is attached to the sensor unit driver");
    return *port_;
}

std::int64_t TLumoDevice_7_2::milliseconds() const {
    return port_ != nullptr ? port_->milliseconds() : 0;
}

void TLumoDevice_7_2::arm(std::uint16_t ticks) {
    link().setTimerTrigger(triggerHandle_, ticks, true);
}

void TLumoDevice_7_2::disarm() {
    link().setTimerTrigger(triggerHandle_, 0, false);
}

void TLumoDevice_7_2::send(std::uint8_t byte) {
    link().putByte(byte);
}

void TLumoDevice_7_2::AttachPort(SerialLink* port) {
    if (port_ != nullptr) {
        port_->onBytesAvailable = std::move(savedAvail_);
        port_->onTimerExpired = std::move(savedTimer_);
    }
    savedAvail_ = nullptr;
    savedTimer_ = nullptr;
    port_ = port;
    if (port_ == nullptr) return;
    savedAvail_ = std::move(port_->onBytesAvailable);
    savedTimer_ = std::move(port_->onTimerExpired);
    port_->onBytesAvailable = [this](SerialLink& link, int count) { TriggerAvail(link, count); };
    port_->onTimerExpired = [this](SerialLink& link, std::uint16_t handle) { TriggerTimer(link, handle); };
}

void TLumoDevice_7_2::Open() {
    SerialLink& port = link();
    lastCounter_ = 0;
    handshakeRetries_ = 0;
    restartCount_ = 0;
    expiryCount_ = 0;
    rejectedPackets_ = 0;
    ++generation_;
    port.open();
    try {
        triggerHandle_ = port.addTimerTrigger();
    } catch (const std::exception& error) {
        throw ELumoDeviceAddTimerTrigger(error.what());
    }
    port.yield();
    port.setRts(false);
    port.setDtr(false);
    {
        // A unit whose reset line is not wired through keeps talking while DTR
        // is low. Nothing it says before the flush belongs to the new session:
        // taking it would start a handshake that the flush then cuts off.
        const FlagRaised holding(holdingReset_);
        const std::uint64_t generation = generation_;
        Delay(kResetMilliseconds);
        if (generation != generation_) return;  // closed by a handler that ran inside the pause
        port.setDtr(true);
        port.flushInput();
        port.flushOutput();
    }
    position_ = 0;
    state_ = DeviceState::WaitReset;
    echoCount_ = 0;
    arm(DeviceTimeout);
}

void TLumoDevice_7_2::Close() {
    state_ = DeviceState::Idle;
    ++generation_;
    SerialLink& port = link();
    for (int i = 0; i < 3; ++i) {
        send(0x00);
        Delay(1);
    }
    port.yield();
    port.removeTimerTrigger(triggerHandle_);
    port.close();
}

void TLumoDevice_7_2::Disconnect() {
    state_ = DeviceState::Idle;
    ++generation_;
    SerialLink& port = link();
    port.removeTimerTrigger(triggerHandle_);
    port.close();
}

void TLumoDevice_7_2::Delay(int milliseconds) {
    if (port_ == nullptr) return;
    const std::int64_t end = port_->milliseconds() + milliseconds;
    while (port_ != nullptr && port_->milliseconds() < end) {
        port_->pump();
        port_->yield();
    }
}

void TLumoDevice_7_2::TriggerAvail(SerialLink& port, int count) {
    if (savedAvail_) savedAvail_(port, count);
    if (holdingReset_) return;  // the bytes stay for the flush that ends the reset
    for (int i = 0; i < count; ++i) {
        // A handler pumping messages may already have taken bytes counted here;
        // never read past what is really waiting.
        if (state_ == DeviceState::Idle || port.receivedCount() <= 0) break;
        // In Setup and WaitPacket a byte does not stop the running timeout: the
        // deadline armed on entry covers the whole setup, and bytes dropped
        // between packets neither extend nor cancel it.
        if (state_ != DeviceState::Setup && state_ != DeviceState::WaitPacket) disarm();
        switch (state_) {
        case DeviceState::WaitReset: DoWaitReset(); break;
        case DeviceState::Handshake: DoHandshake(); break;
        case DeviceState::ReadInfo: DoInfoByte(); break;
        case DeviceState::ReadIdent: DoIdentByte(); break;
        case DeviceState::Setup: DoSetupReply(); break;
        case DeviceState::WaitPacket: DoSyncByte(); break;
        case DeviceState::Packet: DoSyncedPacketByte(); break;
        case DeviceState::Idle: break;
        }
    }
    dispatchPending();
}

void TLumoDevice_7_2::DoWaitReset() {
    if (link().getByte() == kReady) {
        state_ = DeviceState::Handshake;
        send(kHandshake);
    }
    arm(DeviceTimeout);
}

void TLumoDevice_7_2::DoHandshake() {
    if (link().getByte() == kHandshake) {
        ++echoCount_;
        state_ = DeviceState::ReadInfo;
        send(kInfoFirst);
        position_ = 0;
        readingIndex_ = 0;
        arm(DeviceTimeout);
        return;
    }
    echoCount_ = 0;
    for (int i = 0; i < 3; ++i) {
        send(0x00);
        Delay(1);
    }
    send(kHandshake);
    arm(DataTimeout);
}

void TLumoDevice_7_2::DoInfoByte() {
    const std::uint8_t byte = link().getByte();
    infoBuffer_[static_cast<std::size_t>(position_)] = byte;
    ++position_;
    if (position_ < static_cast<std::int32_t>(infoBuffer_.size())) {
        send(byte);
        arm(DeviceTimeout);
        return;
    }
    try {
        DecodeInfo();
    } catch (...) {
        // The driver stays in ReadInfo without a trigger; a later byte must
        // start a new block instead of writing past the buffer.
        position_ = 0;
        throw;
    }
    state_ = DeviceState::Idle;
    std::fill(pending_.begin(), pending_.end(), false);
    std::fill(awaiting_.begin(), awaiting_.end(), false);
    send(byte);
    acceptInfoReading();
}

void TLumoDevice_7_2::acceptInfoReading() {
    if (Gains[0] < kLowestGain || Gains[0] > kHighestGain) {
        ++invalidReadings_;
        if (invalidReadings_ >= kInvalidReadingLimit) {
            if (OnInfoFailed) OnInfoFailed(*this);
            return;
        }
        state_ = DeviceState::ReadInfo;
        position_ = 0;
        readingIndex_ = 0;
        send(kInfoAgain);
        arm(DeviceTimeout);
        return;
    }
    const std::size_t stride = 3 + rangeCount_;
    float* reading = &readings_[static_cast<std::size_t>(readingIndex_) * stride];
    reading[0] = DacZero;
    reading[1] = AdcZero;
    reading[2] = DacScale;
    for (int r = 0; r < rangeCount_; ++r) reading[3 + r] = Gains[static_cast<std::size_t>(r)];
    if (readingIndex_ < kGoodReadings - 1) {
        invalidReadings_ = 0;
        ++readingIndex_;
        state_ = DeviceState::ReadInfo;
        position_ = 0;
        send(kInfoAgain);
        arm(DeviceTimeout);
        return;
    }
    averageReadings();
    const std::uint64_t generation = generation_;
    if (OnInfoRead) OnInfoRead(*this);
    if (generation != generation_) return;
    if (identRead_) {
        StartStream();
    } else {
        state_ = DeviceState::ReadIdent;
        position_ = 0;
        send(kIdentRequest);
        arm(DeviceTimeout);
    }
}

void TLumoDevice_7_2::averageReadings() {
    const std::size_t stride = 3 + rangeCount_;
    auto mean = [&](std::size_t field) {
        double sum = 0;
        for (int k = 0; k < kGoodReadings; ++k) sum += readings_[static_cast<std::size_t>(k) * stride + field];
        return static_cast<float>(sum / kGoodReadings);
    };
    DacZero = mean(0);
    AdcZero = mean(1);
    DacScale = mean(2);
    for (int r = 0; r < rangeCount_; ++r) Gains[static_cast<std::size_t>(r)] = mean(3 + static_cast<std::size_t>(r));
}

void TLumoDevice_7_2::DecodeInfo() {
    auto u16 = [this](int index) {
        return infoBuffer_[static_cast<std::size_t>(index)] * 256 + infoBuffer_[static_cast<std::size_t>(index) + 1];
    };
    DacZero = static_cast<float>(u16(0));
    AdcZero = static_cast<float>(u16(2) / 8.0);
    const double d1 = u16(4);
    if (std::fabs(d1 - DacZero) < 1e-10) throw ELumoDeviceInfPNP("DAC = 0");
    DacScale = static_cast<float>((u16(6) / 8.0 - AdcZero) / (d1 - DacZero));
    const int ranges = rangeCount_;
    Gains[static_cast<std::size_t>(ranges - 1)] = 1.0f;
    // Bytes 8 ... hold (numerator, denominator) pairs, the last pair belonging to step 0.
    const int last = 4 * ranges + 3;
    for (int i = 0; i <= ranges - 2; ++i) {
        const int denominator = u16(last - 1 - 4 * i);
        if (denominator == 0) throw ELumoDeviceInfPNP("Delta = 0");
        Gains[static_cast<std::size_t>(i)] = static_cast<float>(double(u16(last - 3 - 4 * i)) / denominator);
    }
    for (int i = ranges - 2; i >= 0; --i) {
        const auto index = static_cast<std::size_t>(i);
        Gains[index] = static_cast<float>(double(Gains[index]) * Gains[index + 1]);
    }
}

void TLumoDevice_7_2::DoIdentByte() {
    const std::uint8_t byte = link().getByte();
    identBuffer_[static_cast<std::size_t>(position_)] = byte;
    ++position_;
    if (position_ < kIdentSize) {
        send(byte);
        arm(DataTimeout);
        return;
    }
    // Only a complete identification counts as read: a block cut short by a
    // timeout is asked for again at the next connection.
    ident_ = identBuffer_;
    identRead_ = true;
    state_ = DeviceState::Idle;
    send(byte);
    const std::uint64_t generation = generation_;
    if (OnIdentRead) OnIdentRead(*this);
    if (generation != generation_) return;
    StartStream();
}

void TLumoDevice_7_2::StartStream() {
    state_ = DeviceState::Setup;
    position_ = 0;
    send(kStart);
    arm(DeviceTimeout);
    link().yield();
}

void TLumoDevice_7_2::DoSetupReply() {
    const std::uint8_t byte = link().getByte();
    if (position_ == 0 && byte != kStart) {
        position_ = -1;
        return;
    }
    if (position_ < 0) {
        if ((-position_) % 8 != 0 || byte != kStart) {
            --position_;
            return;
        }
        position_ = 0;
    }
    ++position_;
    switch (position_) {
    case 1: send(static_cast<std::uint8_t>(channelCount_ + (highBitFlag_ ? 0x80 : 0))); break;
    case 2: send(static_cast<std::uint8_t>((static_cast<std::uint32_t>(timerReload_) >> 8) & 0xFF)); break;
    case 3: send(static_cast<std::uint8_t>(static_cast<std::uint32_t>(timerReload_) & 0xFF)); break;
    case 4: send(fastCount_); break;
    default: {
        position_ = 0;
        const std::uint64_t generation = generation_;
        if (OnStreamStarted) OnStreamStarted(*this);
        if (generation != generation_) return;
        state_ = DeviceState::WaitPacket;
        // Commands that waited through the connection go out once streaming runs.
        for (int c = 0; c < channelCount_; ++c) {
            if (queues_[static_cast<std::size_t>(c)].Count() > 0) pending_[static_cast<std::size_t>(c)] = true;
        }
        // A unit that never starts sending must still time out.
        arm(DeviceTimeout);
        break;
    }
    }
}

void TLumoDevice_7_2::TriggerTimer(SerialLink& port, std::uint16_t handle) {
    if (savedTimer_) savedTimer_(port, handle);
    if (port.receivedCount() > 0 || handle != triggerHandle_) return;
    switch (state_) {
    case DeviceState::Handshake: handshakeExpired(); return;
    case DeviceState::WaitPacket:
    case DeviceState::Packet:
        port.flushInput();
        port.flushOutput();
        send(kHandshake);
        state_ = DeviceState::Handshake;
        echoCount_ = 0;
        arm(DeviceTimeout);
        return;
    default: break;
    }
    const std::uint64_t generation = generation_;
    if (OnLinkError) OnLinkError(*this);
    // The handler may have stopped the link; then nothing is left to retry.
    if (generation != generation_) return;
    if (state_ == DeviceState::Handshake) {
        handshakeExpired();
    } else if (state_ == DeviceState::ReadInfo) {
        if (OnLinkError) OnLinkError(*this);
    } else if (position_ != 0) {
        position_ = 0;
        if (restartCount_ > static_cast<std::uint32_t>(kRetryLimit)) {
            if (OnLinkError) OnLinkError(*this);
        } else {
            ++restartCount_;
            arm(DataTimeout);
            state_ = DeviceState::WaitPacket;
        }
    } else if (expiryCount_ > static_cast<std::uint32_t>(kRetryLimit)) {
        if (OnLinkError) OnLinkError(*this);
    } else {
        ++expiryCount_;
        arm(DataTimeout);
    }
}

void TLumoDevice_7_2::handshakeExpired() {
    echoCount_ = 0;
    if (handshakeRetries_ > static_cast<std::uint32_t>(kRetryLimit)) {
        if (OnLinkError) OnLinkError(*this);
        return;
    }
    ++handshakeRetries_;
    send(kHandshake);
    arm(DataTimeout);
}

float TLumoDevice_7_2::Gain(int range) const {
    return Gains.at(static_cast<std::size_t>(range));
}

std::string TLumoDevice_7_2::IdentPrefix() const {
    char text[7];
    std::snprintf(text, sizeof text, "%02X%02X%02X", ident_[0], ident_[1], ident_[2]);
    return text;
}

std::string TLumoDevice_7_2::IdentSuffix() const {
    std::string text;
    for (std::size_t i = 3; i < ident_.size(); ++i) {
        char hex[3];
        std::snprintf(hex, sizeof hex, "%02X", ident_[i]);
        text += hex;
    }
    return text;
}

UnitConstants TLumoDevice_7_2::unitConstants() const {
    UnitConstants constants;
    constants.dacZero = DacZero;
    constants.adcZero = AdcZero;
    constants.dacScale = DacScale;
    for (std::size_t r = 0; r < constants.gains.size() && r < Gains.size(); ++r) constants.gains[r] = Gains[r];
    return constants;
}

}  // namespace lumo::device
