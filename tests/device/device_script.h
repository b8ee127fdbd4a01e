#pragma once

// A scripted serial link and byte builders for exact-byte tests of the unit driver.

#include <array>
#include <cstdint>
#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

#include "device/lumo_device.h"
#include "device/serial_link.h"
#include "device/simulated_unit.h"

namespace lumo::test {

using Bytes = std::vector<std::uint8_t>;

// A link the test plays the unit on: it feeds bytes, expires the trigger and
// reads back every byte and line change the driver made, in order.
class ScriptedLink : public device::SerialLink {
public:
    bool throwOnOpen = false;
    bool throwOnAddTrigger = false;

    bool isOpen() const override { return open_; }
    std::uint8_t getByte() override {
        if (received_.empty()) return 0;
        const std::uint8_t byte = received_.front();
        received_.pop_front();
        return byte;
    }
    int receivedCount() const override { return static_cast<int>(received_.size()); }
    std::uint16_t addTimerTrigger() override {
        if (throwOnAddTrigger) throw std::runtime_error("no timer left");
        calls_.push_back("add");
        return 7;
    }
    void setTimerTrigger(std::uint16_t handle, int ticks, bool active) override {
        if (active) {
            armedTicks = ticks;
            calls_.push_back("arm " + std::to_string(ticks));
        } else {
            calls_.push_back("disarm");
        }
        armed = active;
        (void)handle;
    }
    void removeTimerTrigger(std::uint16_t) override {
        armed = false;
        calls_.push_back("remove");
    }
    void yield() override {}
    std::int64_t milliseconds() const override { return now; }
    void pump() override {
        ++now;
        if (onPump) onPump();
    }

    // The unit sends these bytes; one bytes-available notification announces them.
    void feed(const Bytes& bytes) {
        received_.insert(received_.end(), bytes.begin(), bytes.end());
        if (onBytesAvailable) onBytesAvailable(*this, static_cast<int>(received_.size()));
    }
    void feed(std::uint8_t byte) { feed(Bytes{byte}); }
    // Bytes waiting without a notification yet.
    void queueBytes(const Bytes& bytes) { received_.insert(received_.end(), bytes.begin(), bytes.end()); }
    void expire(std::uint16_t handle = 7) {
        armed = false;
        if (onTimerExpired) onTimerExpired(*this, handle);
    }

    // Bytes the driver sent since the last call.
    Bytes takeSent() {
        Bytes sent;
        sent.swap(sent_);
        return sent;
    }
    // Port operations since the last call ("open", "dtr 0", "arm 18", "put 55" ...).
    std::vector<std::string> takeCalls() {
        std::vector<std::string> calls;
        calls.swap(calls_);
        return calls;
    }

    std::int64_t now = 1000;
    bool armed = false;
    int armedTicks = 0;
    std::function<void()> onPump;

protected:
    void doOpen() override {
        if (throwOnOpen) throw std::runtime_error("port busy");
        open_ = true;
        calls_.push_back("open");
    }
    void doClose() override {
        open_ = false;
        calls_.push_back("close");
    }
    void doSetRts(bool on) override { calls_.push_back(on ? "rts 1" : "rts 0"); }
    void doSetDtr(bool on) override { calls_.push_back(on ? "dtr 1" : "dtr 0"); }
    void doPutByte(std::uint8_t byte) override {
        sent_.push_back(byte);
        char text[8];
        std::snprintf(text, sizeof text, "put %02X", byte);
        calls_.push_back(text);
    }
    void doFlushInput() override {
        received_.clear();
        calls_.push_back("flush in");
    }
    void doFlushOutput() override { calls_.push_back("flush out"); }

private:
    bool open_ = false;
    std::deque<std::uint8_t> received_;
    Bytes sent_;
    std::vector<std::string> calls_;
};

// Gives the driver its link and timeouts in trigger ticks: the installed 18
// for the unit, and for data 18 too unless a test must tell the two apart.
inline void attachDriver(device::TLumoDevice_7_2& driver, device::SerialLink& link, std::uint16_t dataTimeout = 18) {
    driver.DeviceTimeout = 18;
    driver.DataTimeout = dataTimeout;
    driver.AttachPort(&link);
}

// How often the driver raised each of its connection notifications.
struct DriverEventCounts {
    int infoRead = 0;
    int identRead = 0;
    int linkErrors = 0;
    int streamStarted = 0;
    int infoFailed = 0;

    void countEventsOf(device::TLumoDevice_7_2& driver) {
        driver.OnInfoRead = [this](device::TLumoDevice_7_2&) { ++infoRead; };
        driver.OnIdentRead = [this](device::TLumoDevice_7_2&) { ++identRead; };
        driver.OnLinkError = [this](device::TLumoDevice_7_2&) { ++linkErrors; };
        driver.OnStreamStarted = [this](device::TLumoDevice_7_2&) { ++streamStarted; };
        driver.OnInfoFailed = [this](device::TLumoDevice_7_2&) { ++infoFailed; };
    }
};

// An info block: DacZero, AdcZero * 8, D1, the converter word at D1, and the
// step pairs (numerator, denominator) of steps 0 ... 6.
inline Bytes infoBlock(std::uint16_t dacZero, std::uint16_t adcZero8, std::uint16_t d1, std::uint16_t word67,
                       const std::array<std::pair<std::uint16_t, std::uint16_t>, 7>& steps) {
    Bytes block(36, 0);
    auto put = [&block](int index, std::uint16_t value) {
        block[static_cast<std::size_t>(index)] = static_cast<std::uint8_t>(value >> 8);
        block[static_cast<std::size_t>(index) + 1] = static_cast<std::uint8_t>(value & 0xFF);
    };
    put(0, dacZero);
    put(2, adcZero8);
    put(4, d1);
    put(6, word67);
    for (int i = 0; i < 7; ++i) {
        put(32 - 4 * i, steps[static_cast<std::size_t>(i)].first);
        put(34 - 4 * i, steps[static_cast<std::size_t>(i)].second);
    }
    return block;
}

// A block whose Gains[0] is exactly numerator / denominator (every other step 1).
inline Bytes infoWithGain0(std::uint16_t numerator, std::uint16_t denominator) {
    std::array<std::pair<std::uint16_t, std::uint16_t>, 7> steps;
    steps.fill({1, 1});
    steps[0] = {numerator, denominator};
    // DacZero 2048, AdcZero 2048, D1 2096, converter 1760 at D1: DacScale -6.
    return infoBlock(2048, 2048 * 8, 2096, 1760 * 8, steps);
}

// A packet: counter and ten items in wire order (0, 1, 5, 0, 2, 6, 0, 3, 0, 4).
inline Bytes packet(std::uint32_t counter, const std::array<device::TChartBlock, 10>& items) {
    Bytes bytes{static_cast<std::uint8_t>(counter >> 24), static_cast<std::uint8_t>(counter >> 16),
                static_cast<std::uint8_t>(counter >> 8), static_cast<std::uint8_t>(counter)};
    for (const auto& item : items) {
        std::uint8_t encoded[3];
        device::encodePacketItem(item, encoded);
        bytes.insert(bytes.end(), encoded, encoded + 3);
    }
    return bytes;
}

// Every item the same block.
inline Bytes packet(std::uint32_t counter, device::TChartBlock block = {0, 2000, 2048}) {
    std::array<device::TChartBlock, 10> items;
    items.fill(block);
    return packet(counter, items);
}

// The wire order of the items: which channel each one belongs to.
inline constexpr std::array<int, 10> kItemChannel{0, 1, 5, 0, 2, 6, 0, 3, 0, 4};

inline Bytes concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

// Drives a driver on a scripted link from Open to streaming: ready byte,
// echo, five good info blocks (Gains[0] 36), the identification and the setup
// replies. Sent bytes and calls are cleared afterwards.
inline void bringToStreaming(device::TLumoDevice_7_2& driver, ScriptedLink& link,
                             const Bytes& ident = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}) {
    driver.Open();
    link.feed(0x0A);
    link.feed(0x55);
    for (int k = 0; k < 5; ++k) link.feed(infoWithGain0(36, 1));
    if (!driver.identRead()) link.feed(ident);
    link.feed(Bytes{0x0D, 0x87, 0x8F, 0x81, 0x01});
    link.takeSent();
    link.takeCalls();
}

}  // namespace lumo::test
