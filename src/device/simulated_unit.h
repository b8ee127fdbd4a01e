#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <limits>
#include <random>
#include <vector>

#include "device/physiology.h"
#include "formats/chart_block.h"

namespace lumo::device {

// The unit sends its samples in the block form the charts store.
using formats::TChartBlock;

// The constants a simulated unit is built with; its info block reports them
// with a little measurement noise, as a real unit does.
struct UnitDesign {
    double dacZero = 2048;
    double adcZero = 2047.625;
    double dacScale = -36.6;  // converter counts per offset code at the highest range
    // Gain ratio of each range step r -> r + 1; their product, Gains[0], is about 36.
    std::array<double, 7> steps{1.664, 1.671, 1.668, 1.659, 1.674, 1.666, 1.670};

    // The relative gains per range as the driver derives them (Gains[7] = 1).
    std::array<double, 8> gains() const;
};

struct SimulatedUnitOptions {
    std::array<std::uint8_t, 10> ident{0x4C, 0x55, 0x07, 0x20, 0x24, 0x06, 0x11, 0x00, 0x31, 0x7A};
    std::uint32_t seed = 1;
    Scenario scenario = Scenario::truthful();
    UnitDesign design;
    // A pty has no DTR: the host opening the port is the reset, and the ready
    // byte is repeated until the host answers.
    bool repeatReady = false;
    // The reset line is not wired through (many USB adapters, a unit already
    // powered): DTR changes nothing, and the ready byte is repeated from the
    // moment the port opens, through the host's reset pause.
    bool ignoresDtr = false;
};

// The sensor unit's side of the serial protocol: ready byte after reset,
// handshake, info and identification blocks paced by the host's echoes, setup
// replies, the packet stream and channel commands. Time is whatever the caller
// says it is (milliseconds), so it runs as well on a virtual clock as on a pty.
class SimulatedUnit {
public:
    static constexpr std::int64_t kNever = std::numeric_limits<std::int64_t>::max();
    static constexpr int kItems = 10;  // samples in a packet
    static constexpr int kPacketLength = 4 + 3 * kItems;

    // Where a channel's signal comes from (value scale, seconds of stream time);
    // the examinee when none is set.
    using SignalSource = std::function<double(int channel, double seconds)>;
    // Sees every packet that goes out: counter and samples in wire order.
    using PacketObserver = std::function<void(std::uint32_t counter, const std::array<TChartBlock, kItems>& items)>;

    explicit SimulatedUnit(const SimulatedUnitOptions& options = {});

    // The host's side of the wire.
    void setDtr(bool high, std::int64_t now);
    void hostOpened(std::int64_t now);
    void hostClosed();
    void receive(std::uint8_t byte, std::int64_t now);

    // Appends the bytes due by `now` (in order) to `out`.
    void takeDue(std::int64_t now, std::vector<std::uint8_t>& out);
    // When the unit next has something to send; kNever when idle.
    std::int64_t nextEventTime() const;

    Examinee& examinee() { return examinee_; }
    void setSignalSource(SignalSource source) { signal_ = std::move(source); }
    void setPacketObserver(PacketObserver observer) { observer_ = std::move(observer); }

    const UnitDesign& design() const { return design_; }
    bool ignoresDtr() const { return options_.ignoresDtr; }
    const std::array<std::uint8_t, 10>& ident() const { return ident_; }
    bool streaming() const { return mode_ == Mode::Streaming; }
    std::uint32_t counter() const { return counter_; }
    TChartBlock channelSetting(int channel) const;
    // The 36 bytes of one info reading (noise drawn afresh each time).
    std::array<std::uint8_t, 36> infoBlock();
    // The converter reading of a value with the channel at range and dac.
    std::int16_t adcFor(double value, int range, int dac) const;

    std::uint64_t infoBlocksSent() const { return infoBlocksSent_; }
    std::uint64_t commandsApplied() const { return commandsApplied_; }
    std::uint64_t handshakes() const { return handshakes_; }

private:
    enum class Mode { Off, WaitHandshake, Command, SendingBlock, Setup, Streaming };

    struct Timed {
        std::int64_t time;
        std::uint8_t byte;
    };

    void reset(std::int64_t now, std::int64_t firstReady);
    void transmit(std::int64_t time, std::uint8_t byte);
    void startBlock(const std::uint8_t* bytes, std::size_t count, std::int64_t now);
    void startStreaming(std::int64_t now);
    void streamByte(std::uint8_t byte, std::int64_t now);
    void applyCommand();
    void produce(std::int64_t now);
    void makePacket(std::int64_t time);
    TChartBlock sample(int channel, double seconds);

    SimulatedUnitOptions options_;
    UnitDesign design_;
    std::array<double, 8> gains_{};
    std::array<std::uint8_t, 10> ident_;
    Examinee examinee_;
    std::mt19937 random_;
    SignalSource signal_;
    PacketObserver observer_;

    Mode mode_ = Mode::Off;
    bool dtr_ = false;
    std::deque<Timed> outbox_;
    std::int64_t nextReady_ = kNever;
    std::vector<std::uint8_t> block_;
    std::size_t blockIndex_ = 0;
    std::int64_t blockDeadline_ = kNever;
    std::array<std::uint8_t, 4> setup_{};
    int setupCount_ = 0;
    double packetInterval_ = 125.0;  // ms
    double nextPacket_ = 0;
    std::uint32_t counter_ = 0;
    double streamSeconds_ = 0;  // stream time of the next packet's first slot
    std::array<std::uint8_t, 3> command_{};
    int commandBytes_ = 0;
    int zeroBytes_ = 0;
    std::array<TChartBlock, kUnitChannels> settings_{};
    std::array<bool, kUnitChannels> settling_{};

    std::uint64_t infoBlocksSent_ = 0;
    std::uint64_t commandsApplied_ = 0;
    std::uint64_t handshakes_ = 0;
};

// One item on the wire: X0 = dac bits 3..10, X1 = dac bit 11, range, adc bits
// 8..11; X2 = adc bits 0..7.
void encodePacketItem(const TChartBlock& block, std::uint8_t* item);

}  // namespace lumo::device
