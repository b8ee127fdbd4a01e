// Decoding and dispatching one packet of the unit with seven tuners and seven
// spies hooked into the driver: the work of one bytes-available notification.
#include <benchmark/benchmark.h>

#include <array>
#include <deque>
#include <memory>
#include <vector>

#include "device/channel_tuner.h"
#include "device/lumo_device.h"
#include "device/serial_link.h"
#include "device/simulated_unit.h"
#include "device/tune_spy.h"

namespace {

using lumo::device::TLumoDevice_7_2;

// A link that only holds the bytes given to it; its clock stands still, so the
// tuners and spies keep watching without ever deciding.
class BenchLink : public lumo::device::SerialLink {
public:
    bool isOpen() const override { return true; }
    std::uint8_t getByte() override { return bytes_[next_++]; }
    int receivedCount() const override { return static_cast<int>(count_ - next_); }
    std::uint16_t addTimerTrigger() override { return 1; }
    void setTimerTrigger(std::uint16_t, int, bool) override {}
    void removeTimerTrigger(std::uint16_t) override {}
    void yield() override {}
    std::int64_t milliseconds() const override { return now_; }
    void pump() override { ++now_; }

    void deliver(const std::uint8_t* bytes, std::size_t count) {
        bytes_ = bytes;
        count_ = count;
        next_ = 0;
        onBytesAvailable(*this, static_cast<int>(count));
    }

protected:
    void doOpen() override {}
    void doClose() override {}
    void doSetRts(bool) override {}
    void doSetDtr(bool) override {}
    void doPutByte(std::uint8_t) override {}
    void doFlushInput() override {}
    void doFlushOutput() override {}

private:
    const std::uint8_t* bytes_ = nullptr;
    std::size_t count_ = 0;
    std::size_t next_ = 0;
    std::int64_t now_ = 0;
};

std::vector<std::uint8_t> infoBlock() {
    std::vector<std::uint8_t> block(36, 0);
    auto put = [&block](int index, int value) {
        block[static_cast<std::size_t>(index)] = static_cast<std::uint8_t>(value >> 8);
        block[static_cast<std::size_t>(index) + 1] = static_cast<std::uint8_t>(value & 0xFF);
    };
    put(0, 2048);
    put(2, 2048 * 8);
    put(4, 2096);
    put(6, 300 * 8);
    for (int i = 0; i < 7; ++i) {
        put(32 - 4 * i, 1667);
        put(34 - 4 * i, 1000);
    }
    return block;
}

struct Fixture {
    BenchLink link;
    TLumoDevice_7_2 driver{lumo::device::kUnitGeometry};
    std::vector<std::unique_ptr<lumo::device::TLumoChannelsTuner_7_2>> tuners;
    std::vector<std::unique_ptr<lumo::device::TLumoChannelsTuneSpy_7_2>> spies;
    std::array<std::uint8_t, 34> packet{};
    std::uint32_t counter = 0;
    int samples = 0;

    Fixture() {
        driver.DeviceTimeout = 18;
        driver.DataTimeout = 18;
        driver.AttachPort(&link);
        driver.OnSample = [this](TLumoDevice_7_2&) { ++samples; };
        driver.Open();
        auto feed = [this](std::vector<std::uint8_t> bytes) { link.deliver(bytes.data(), bytes.size()); };
        feed({0x0A});
        feed({0x55});
        for (int k = 0; k < 5; ++k) feed(infoBlock());
        feed({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
        feed({0x0D, 0x87, 0x8F, 0x81, 0x01});
        for (int c = 0; c < 7; ++c) {
            tuners.push_back(std::make_unique<lumo::device::TLumoChannelsTuner_7_2>(driver, 3583, 512, 650, 5000, c));
        }
        for (int c = 0; c < 7; ++c) {
            if (c == 5) {
                spies.push_back(std::make_unique<lumo::device::TLumoChannelsTuneSpy_7_2_GSC>(
                    driver, 3583, 512, 3839, 256, 1024, c, false, 1024, 20000));
            } else {
                spies.push_back(std::make_unique<lumo::device::TLumoChannelsTuneSpy_7_2>(
                    driver, 3583, 512, 3839, 256, 1024, c, false, 1024, 10000));
            }
        }
        for (auto& tuner : tuners) tuner->Start();
        for (auto& spy : spies) spy->Start();
        // Every channel at range 0, offset 0, inside the limits.
        for (int i = 0; i < 10; ++i) {
            lumo::device::encodePacketItem({0, static_cast<std::int16_t>(2000 + 10 * i), 0}, &packet[4 + 3 * i]);
        }
    }

    void next() {
        ++counter;
        packet[0] = static_cast<std::uint8_t>(counter >> 24);
        packet[1] = static_cast<std::uint8_t>(counter >> 16);
        packet[2] = static_cast<std::uint8_t>(counter >> 8);
        packet[3] = static_cast<std::uint8_t>(counter);
        link.deliver(packet.data(), packet.size());
    }
};

void BM_DevicePacketWithTunersAndSpies(benchmark::State& state) {
    auto fixture = std::make_unique<Fixture>();
    for (auto _ : state) {
        if (fixture->counter >= 0xFFFF00) {
            state.PauseTiming();
            fixture = std::make_unique<Fixture>();
            state.ResumeTiming();
        }
        fixture->next();
    }
    benchmark::DoNotOptimize(fixture->samples);
    if (fixture->driver.rejectedPackets() != 0) state.SkipWithError("packets were rejected");
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DevicePacketWithTunersAndSpies);

}  // namespace
