#include "device/simulated_unit.h"

#include <algorithm>
#include <cmath>

namespace lumo::device {

namespace {

constexpr std::int64_t kBootMilliseconds = 40;     // from reset to the ready byte
constexpr std::int64_t kReplyMilliseconds = 1;     // a reply byte's way back
constexpr std::int64_t kPtyFirstReady = 600;       // after the host's 500 ms reset pause
constexpr std::int64_t kPtyReadyRepeat = 275;
constexpr std::int64_t kEchoTimeout = 2000;        // a block is abandoned without echoes
constexpr double kTimerCountsPerMicrosecond = 0.92158333333333333336;
constexpr int kSettleDisturbance = 180;            // counts, first sample after a switch
constexpr std::uint16_t kPowerOnDac = 2048;

std::uint16_t clampWord(double value) {
    return static_cast<std::uint16_t>(std::clamp(std::lround(value), 0L, 65535L));
}

}  // namespace

std::array<double, 8> UnitDesign::gains() const {
    std::array<double, 8> gains{};
    gains[7] = 1;
    for (int r = 6; r >= 0; --r) gains[static_cast<std::size_t>(r)] = gains[static_cast<std::size_t>(r) + 1] * steps[static_cast<std::size_t>(r)];
    return gains;
}

void encodePacketItem(const TChartBlock& block, std::uint8_t* item) {
    const unsigned code = (block.dac >> 3) & 0x1FF;
    const unsigned adc = static_cast<std::uint16_t>(block.adc) & 0x0FFF;
    item[0] = static_cast<std::uint8_t>(code & 0xFF);
    item[1] = static_cast<std::uint8_t>(((code & 0x100) != 0 ? 0x80 : 0) | ((block.range & 7) << 4) | (adc >> 8));
    item[2] = static_cast<std::uint8_t>(adc & 0xFF);
}

SimulatedUnit::SimulatedUnit(const SimulatedUnitOptions& options)
    : options_(options),
      design_(options.design),
      gains_(options.design.gains()),
      ident_(options.ident),
      examinee_(options.scenario, options.seed * 2654435761u + 1),
      random_(options.seed) {
    for (auto& setting : settings_) setting = {0, 0, kPowerOnDac};
}

TChartBlock SimulatedUnit::channelSetting(int channel) const {
    return settings_.at(static_cast<std::size_t>(channel));
}

void SimulatedUnit::transmit(std::int64_t time, std::uint8_t byte) {
    // Bytes leave in order: never before the one queued ahead.
    if (!outbox_.empty()) time = std::max(time, outbox_.back().time);
    outbox_.push_back({time, byte});
}

void SimulatedUnit::reset(std::int64_t now, std::int64_t firstReady) {
    outbox_.clear();
    mode_ = Mode::WaitHandshake;
    counter_ = 0;
    commandBytes_ = 0;
    zeroBytes_ = 0;
    blockDeadline_ = kNever;
    for (auto& setting : settings_) setting = {0, 0, kPowerOnDac};
    settling_.fill(false);
    if (options_.repeatReady || options_.ignoresDtr) {
        nextReady_ = now + firstReady;
    } else {
        nextReady_ = kNever;
        transmit(now + firstReady, 0x0A);
    }
}

void SimulatedUnit::setDtr(bool high, std::int64_t now) {
    if (options_.ignoresDtr || high == dtr_) return;
    dtr_ = high;
    if (high) {
        reset(now, kBootMilliseconds);
    } else {
        // Held in reset: silent until the line rises again.
        mode_ = Mode::Off;
        outbox_.clear();
        nextReady_ = kNever;
    }
}

void SimulatedUnit::hostOpened(std::int64_t now) {
    dtr_ = true;
    reset(now, options_.ignoresDtr ? 0 : kPtyFirstReady);
}

void SimulatedUnit::hostClosed() {
    dtr_ = false;
    mode_ = Mode::Off;
    outbox_.clear();
    nextReady_ = kNever;
}

std::array<std::uint8_t, 36> SimulatedUnit::infoBlock() {
    std::normal_distribution<double> jitter(0, 1);
    std::array<std::uint8_t, 36> block{};
    auto put = [&block](int index, std::uint16_t value) {
        block[static_cast<std::size_t>(index)] = static_cast<std::uint8_t>(value >> 8);
        block[static_cast<std::size_t>(index) + 1] = static_cast<std::uint8_t>(value & 0xFF);
    };
    const double adcZero = design_.adcZero + 0.15 * jitter(random_);
    const int d1Offset = 48;
    put(0, clampWord(design_.dacZero));
    put(2, clampWord(adcZero * 8));
    put(4, clampWord(design_.dacZero + d1Offset));
    put(6, clampWord((adcZero + design_.dacScale * d1Offset + 0.3 * jitter(random_)) * 8));
    // Seven (numerator, denominator) pairs from byte 8 on, the last one for step 0.
    for (int i = 0; i < 7; ++i) {
        const double denominator = 1000 + std::round(20 * jitter(random_));
        const double numerator = design_.steps[static_cast<std::size_t>(i)] * denominator + 0.5 * jitter(random_);
        put(32 - 4 * i, clampWord(numerator));
        put(34 - 4 * i, clampWord(denominator));
    }
    return block;
}

void SimulatedUnit::startBlock(const std::uint8_t* bytes, std::size_t count, std::int64_t now) {
    block_.assign(bytes, bytes + count);
    blockIndex_ = 0;
    mode_ = Mode::SendingBlock;
    transmit(now + kReplyMilliseconds, block_[0]);
    blockDeadline_ = now + kEchoTimeout;
}

void SimulatedUnit::receive(std::uint8_t byte, std::int64_t now) {
    produce(now);
    switch (mode_) {
    case Mode::Off: break;
    case Mode::WaitHandshake:
        if (byte == 0x55) {
            nextReady_ = kNever;  // the host is there
            ++handshakes_;
            transmit(now + kReplyMilliseconds, 0x55);
            mode_ = Mode::Command;
        }
        break;
    case Mode::Command:
        if (byte == 0x55) {
            ++handshakes_;
            transmit(now + kReplyMilliseconds, 0x55);
        } else if (byte == 0xA3 || byte == 0x0F) {
            const auto block = infoBlock();
            ++infoBlocksSent_;
            startBlock(block.data(), block.size(), now);
        } else if (byte == 0x0E) {
            startBlock(ident_.data(), ident_.size(), now);
        } else if (byte == 0x0D) {
            transmit(now + kReplyMilliseconds, 0x0D);
            setupCount_ = 0;
            mode_ = Mode::Setup;
        }
        break;
    case Mode::SendingBlock:
        // Each echo of the host releases the next byte.
        if (++blockIndex_ < block_.size()) {
            transmit(now + kReplyMilliseconds, block_[blockIndex_]);
            blockDeadline_ = now + kEchoTimeout;
        } else {
            mode_ = Mode::Command;
            blockDeadline_ = kNever;
        }
        break;
    case Mode::Setup:
        setup_[static_cast<std::size_t>(setupCount_++)] = byte;
        transmit(now + kReplyMilliseconds, byte);
        if (setupCount_ == 4) startStreaming(now);
        break;
    case Mode::Streaming: streamByte(byte, now); break;
    }
}

void SimulatedUnit::startStreaming(std::int64_t now) {
    // The reload counts the unit's timer down to one sample slot; four slots make a packet.
    const int reload = (setup_[1] << 8) | setup_[2];
    const int counts = reload == 0 ? 65536 : 65536 - reload;
    packetInterval_ = 4 * counts / kTimerCountsPerMicrosecond / 1000.0;
    nextPacket_ = double(now + kReplyMilliseconds) + packetInterval_;
    mode_ = Mode::Streaming;
    commandBytes_ = 0;
    zeroBytes_ = 0;
}

void SimulatedUnit::streamByte(std::uint8_t byte, std::int64_t now) {
    if (commandBytes_ > 0) {
        command_[static_cast<std::size_t>(commandBytes_++)] = byte;
        if (commandBytes_ == 3) {
            applyCommand();
            commandBytes_ = 0;
        }
        return;
    }
    if (byte == 0x0D || byte == 0x8D) {
        command_[0] = byte;
        commandBytes_ = 1;
        zeroBytes_ = 0;
    } else if (byte == 0x55) {
        // The host lost the stream and shakes hands again; the counter runs on.
        ++handshakes_;
        mode_ = Mode::Command;
        transmit(now + kReplyMilliseconds, 0x55);
    } else if (byte == 0x00) {
        if (++zeroBytes_ == 3) mode_ = Mode::WaitHandshake;
    } else {
        zeroBytes_ = 0;
    }
}

void SimulatedUnit::applyCommand() {
    const int channel = (command_[1] & 0x1F) - 1;
    if (channel < 0 || channel >= kUnitChannels) return;
    const int range = command_[1] >> 5;
    const int code = ((command_[0] & 0x80) != 0 ? 256 : 0) + command_[2];
    TChartBlock& setting = settings_[static_cast<std::size_t>(channel)];
    setting.range = static_cast<std::uint8_t>(range);
    setting.dac = static_cast<std::uint16_t>(code * 8);
    settling_[static_cast<std::size_t>(channel)] = true;
    ++commandsApplied_;
}

std::int16_t SimulatedUnit::adcFor(double value, int range, int dac) const {
    // The inverse of the driver's value formula, with the unit's true constants.
    const double gain0 = gains_[0];
    const double adc = design_.adcZero +
                       (gain0 * (value - design_.adcZero) + (dac - design_.dacZero) * design_.dacScale) /
                           gains_[static_cast<std::size_t>(range & 7)];
    return static_cast<std::int16_t>(std::clamp(std::lround(adc), 0L, 4095L));
}

TChartBlock SimulatedUnit::sample(int channel, double seconds) {
    const double value = signal_ ? signal_(channel, seconds) : examinee_.value(channel);
    TChartBlock block = settings_[static_cast<std::size_t>(channel)];
    block.adc = adcFor(value, block.range, block.dac);
    bool& settling = settling_[static_cast<std::size_t>(channel)];
    if (settling) {
        // The amplifier has not settled yet on the first sample after a switch.
        block.adc = static_cast<std::int16_t>(std::clamp(block.adc + kSettleDisturbance, 0, 4095));
        settling = false;
    }
    return block;
}

void SimulatedUnit::makePacket(std::int64_t time) {
    ++counter_;
    std::array<TChartBlock, kItems> items{};
    const double slot = packetInterval_ / 4 / 1000.0;
    int n = 0;
    for (int s = 0; s < 4; ++s) {
        const double seconds = streamSeconds_ + s * slot;
        if (!signal_) examinee_.advanceTo(seconds);
        items[static_cast<std::size_t>(n++)] = sample(0, seconds);
        for (int c = 1 + s; c < kUnitChannels; c += 4) items[static_cast<std::size_t>(n++)] = sample(c, seconds);
    }
    streamSeconds_ += 4 * slot;
    const std::uint32_t counter = counter_ & 0xFFFFFF;
    transmit(time, static_cast<std::uint8_t>(counter >> 24));
    transmit(time, static_cast<std::uint8_t>(counter >> 16));
    transmit(time, static_cast<std::uint8_t>(counter >> 8));
    transmit(time, static_cast<std::uint8_t>(counter));
    for (const TChartBlock& item : items) {
        std::uint8_t bytes[3];
        encodePacketItem(item, bytes);
        for (std::uint8_t b : bytes) transmit(time, b);
    }
    if (observer_) observer_(counter, items);
}

void SimulatedUnit::produce(std::int64_t now) {
    while (nextReady_ <= now) {
        transmit(nextReady_, 0x0A);
        nextReady_ += kPtyReadyRepeat;
    }
    if (blockDeadline_ <= now && mode_ == Mode::SendingBlock) {
        mode_ = Mode::Command;
        blockDeadline_ = kNever;
    }
    while (mode_ == Mode::Streaming && nextPacket_ <= double(now)) {
        makePacket(static_cast<std::int64_t>(nextPacket_));
        nextPacket_ += packetInterval_;
    }
}

void SimulatedUnit::takeDue(std::int64_t now, std::vector<std::uint8_t>& out) {
    produce(now);
    while (!outbox_.empty() && outbox_.front().time <= now) {
        out.push_back(outbox_.front().byte);
        outbox_.pop_front();
    }
}

std::int64_t SimulatedUnit::nextEventTime() const {
    std::int64_t next = nextReady_;
    if (!outbox_.empty()) next = std::min(next, outbox_.front().time);
    if (mode_ == Mode::SendingBlock) next = std::min(next, blockDeadline_);
    if (mode_ == Mode::Streaming) next = std::min(next, static_cast<std::int64_t>(std::ceil(nextPacket_)));
    return next;
}

}  // namespace lumo::device
