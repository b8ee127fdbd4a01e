// The streaming half of the driver: packets, the hold rule and channel commands.
#include <algorithm>
#include <cstring>
#include <memory>

#include "core/errors.h"
#include "device/lumo_device.h"
#include "device/serial_link.h"

namespace lumo::device {

namespace {

constexpr std::uint32_t kLargestCounter = 0xFFFFFF;
constexpr std::uint32_t kLargestCounterJump = 200;
constexpr std::int32_t kConfirmationPackets = 10;
constexpr std::uint16_t kLargestDac = 4095;

}  // namespace

void TLumoDevice_7_2::DoSyncByte() {
    const std::uint8_t byte = link().getByte();
    if ((byte & 0x80) != 0) return;
    state_ = DeviceState::Packet;
    packetBuffer_[0] = byte;
    position_ = 1;
    expiryCount_ = 0;
    arm(DeviceTimeout);
}

void TLumoDevice_7_2::DoSyncedPacketByte() {
    DoPacketByte(DeviceState::WaitPacket);
}

void TLumoDevice_7_2::DoPacketByte(DeviceState nextState) {
    packetBuffer_[static_cast<std::size_t>(position_)] = link().getByte();
    arm(DeviceTimeout);
    ++position_;
    if (position_ < packetLength_) return;

    restartCount_ = 0;
    expiryCount_ = 0;
    disarm();
    const std::uint64_t generation = generation_;
    DecodePacket();
    if (generation != generation_) return;

    const std::uint64_t counter = packetCounter_;
    const std::uint64_t last = lastCounter_;
    if (counter > kLargestCounter || counter < last || counter > last + kLargestCounterJump) {
        RollbackSamples();
        // Slide by one byte: the next byte received completes a new candidate.
        std::memmove(packetBuffer_.data(), packetBuffer_.data() + 1, packetBuffer_.size() - 1);
        --position_;
        ++restartCount_;
        ++rejectedPackets_;
        arm(DataTimeout);
        return;
    }

    holdAcrossSwitches();
    for (std::uint64_t n = counter - last; n > 0; --n) {
        if (OnSample) OnSample(*this);
        // A subscriber that stopped the link ends the packet here.
        if (generation != generation_) return;
    }
    CommitSamples();
    lastCounter_ = packetCounter_;
    state_ = nextState;
    // Silence after a packet must time out as silence inside one does.
    arm(DeviceTimeout);
    if (link().receivedCount() == 0) dispatchPending();
}

void TLumoDevice_7_2::decodeItem(const std::uint8_t* item, TChartBlock& block) const {
    block.range = static_cast<std::uint8_t>((item[1] >> 4) & 7);
    block.adc = static_cast<std::int16_t>((item[1] & 0x0F) * 256 + item[2]);
    block.dac = static_cast<std::uint16_t>((item[0] + ((item[1] & 0x80) != 0 ? 256 : 0)) * 8);
}

void TLumoDevice_7_2::DecodePacket() {
    const std::uint8_t* bytes = packetBuffer_.data();
    packetCounter_ = (std::uint32_t(bytes[0]) << 24) | (std::uint32_t(bytes[1]) << 16) |
                     (std::uint32_t(bytes[2]) << 8) | bytes[3];
    // Per slot s: the fast channels, then the slow channels fast + s, fast + s + 4, ...
    const std::uint8_t* item = bytes + 4;
    for (int slot = 0; slot < 4; ++slot) {
        for (int f = 0; f < fastCount_; ++f, item += 3) {
            TChartBlock& block = slot < 3 ? decodeTargets_[static_cast<std::size_t>(slot)][static_cast<std::size_t>(f)]
                                          : decodeArea_[static_cast<std::size_t>(f)];
            decodeItem(item, block);
        }
        for (int c = fastCount_ + slot; c < channelCount_; c += 4, item += 3) {
            decodeItem(item, decodeArea_[static_cast<std::size_t>(c)]);
        }
    }
    // Confirmations compare the command in flight with the current samples.
    for (int c = 0; c < channelCount_; ++c) {
        const auto ch = static_cast<std::size_t>(c);
        if (!awaiting_[ch]) continue;
        const TChartBlock& sample = Samples[ch];
        const CommandInFlight& command = inFlight_[ch];
        if (command.range == sample.range && (command.dac & ~7u) == sample.dac) {
            awaiting_[ch] = false;
            if (onCommandDone_[ch]) onCommandDone_[ch](*this, c);
        } else if (++confirmationWaits_[ch] > kConfirmationPackets) {
            awaiting_[ch] = false;
            if (onCommandFailed_[ch]) onCommandFailed_[ch](*this, c);
        }
    }
}

void TLumoDevice_7_2::holdAcrossSwitches() {
    // The first sample after the unit switched range or offset is never used:
    // it is replaced by its predecessor.
    auto examine = [this](std::size_t channel, TChartBlock& sample, const TChartBlock& predecessor) {
        if (sample.range != lastRange_[channel] || sample.dac != lastDac_[channel]) {
            lastRange_[channel] = sample.range;
            lastDac_[channel] = sample.dac;
            sample = predecessor;
        }
    };
    for (std::size_t f = 0; f < fastCount_; ++f) {
        examine(f, decodeTargets_[0][f], Samples[f]);
        examine(f, decodeTargets_[1][f], decodeTargets_[0][f]);
        examine(f, decodeTargets_[2][f], decodeTargets_[1][f]);
        examine(f, decodeArea_[f], decodeTargets_[2][f]);
    }
    for (std::size_t c = fastCount_; c < channelCount_; ++c) examine(c, decodeArea_[c], Samples[c]);
}

void TLumoDevice_7_2::CommitSamples() {
    for (int k = 0; k < 3; ++k) {
        std::copy(SubSamples[k].begin(), SubSamples[k].end(), savedSubSamples_[k].begin());
        std::copy(decodeTargets_[k].begin(), decodeTargets_[k].end(), SubSamples[k].begin());
    }
    std::copy(Samples.begin(), Samples.end(), savedSamples_.begin());
    std::copy(decodeArea_.begin(), decodeArea_.end(), Samples.begin());
}

void TLumoDevice_7_2::RollbackSamples() {
    for (int k = 0; k < 3; ++k) {
        for (std::size_t f = 0; f < fastCount_; ++f) SubSamples[k][f] = savedSamples_[f];
    }
    std::copy(savedSamples_.begin(), savedSamples_.end(), Samples.begin());
}

void TLumoDevice_7_2::checkChannel(int channel) const {
    if (channel < 0 || channel >= channelCount_) {
        throw EListError("Channel index out of bounds (" + std::to_string(channel) + ")");
    }
}

void TLumoDevice_7_2::QueueCommand(int channel, int range, int dac) {
    checkChannel(channel);
    if (range < 0 || range >= rangeCount_) {
        throw EListError("Range index out of bounds (" + std::to_string(range) + ")");
    }
    const auto ch = static_cast<std::size_t>(channel);
    // The wire carries 0 ... 4095; a wider value would wrap into a wrong offset.
    auto command = std::make_unique<CommandInFlight>();
    command->channel = static_cast<std::uint8_t>(channel);
    command->range = static_cast<std::uint8_t>(range);
    command->dac = static_cast<std::uint16_t>(std::clamp(dac, 0, int(kLargestDac)));
    queues_[ch].Push(command.get());
    command.release();
    // Only a streaming unit takes commands; during a reset or a (re)connection
    // the bytes would be lost or land inside the info exchange.
    if (state_ == DeviceState::WaitPacket && !sending_ && !holdingReset_ && port_ != nullptr &&
        port_->receivedCount() == 0 && !awaiting_[ch]) {
        SendNextCommand(channel);
    } else {
        pending_[ch] = true;
    }
}

void TLumoDevice_7_2::SendNextCommand(int channel) {
    const auto ch = static_cast<std::size_t>(channel);
    std::unique_ptr<CommandInFlight> command(static_cast<CommandInFlight*>(queues_[ch].Pop()));
    pending_[ch] = queues_[ch].Count() > 0;
    awaiting_[ch] = true;
    confirmationWaits_[ch] = 0;
    inFlight_[ch] = *command;
    command.reset();
    SendCommand(channel);
}

void TLumoDevice_7_2::SendCommand(int channel) {
    // The pauses between the bytes pump messages; a handler running inside them
    // must not start another command in the middle of this one.
    const FlagRaised sending(sending_);
    const CommandInFlight command = inFlight_[static_cast<std::size_t>(channel)];
    send(command.dac < 2048 ? 0x0D : 0x8D);
    Delay(1);
    send(static_cast<std::uint8_t>(command.range * 32 + command.channel + 1));
    Delay(1);
    send(static_cast<std::uint8_t>((command.dac >> 3) & 0xFF));
    arm(DeviceTimeout);
    link().yield();
}

void TLumoDevice_7_2::dispatchPending() {
    if (sending_ || (state_ != DeviceState::WaitPacket && state_ != DeviceState::Packet)) return;
    for (int c = 0; c < channelCount_; ++c) {
        const auto ch = static_cast<std::size_t>(c);
        if (pending_[ch] && !awaiting_[ch] && queues_[ch].Count() > 0) SendNextCommand(c);
    }
}

float TLumoDevice_7_2::ChannelValue(int channel) const {
    const TChartBlock& sample = Samples.at(static_cast<std::size_t>(channel));
    const double gain0 = Gains[0];
    const double gain = Gains[std::min<std::size_t>(sample.range, Gains.size() - 1)];
    return static_cast<float>(gain * (sample.adc - double(AdcZero)) / gain0 -
                              (sample.dac - double(DacZero)) * DacScale / gain0 + AdcZero);
}

int TLumoDevice_7_2::QueuedCommands(int channel) const {
    checkChannel(channel);
    return queues_[static_cast<std::size_t>(channel)].Count();
}

void TLumoDevice_7_2::SetOnCommandDone(int channel, ChannelNotify handler) {
    checkChannel(channel);
    onCommandDone_[static_cast<std::size_t>(channel)] = std::move(handler);
}

void TLumoDevice_7_2::SetOnCommandFailed(int channel, ChannelNotify handler) {
    checkChannel(channel);
    onCommandFailed_[static_cast<std::size_t>(channel)] = std::move(handler);
}

TLumoDevice_7_2::ChannelNotify TLumoDevice_7_2::GetOnCommandDone(int channel) const {
    checkChannel(channel);
    return onCommandDone_[static_cast<std::size_t>(channel)];
}

TLumoDevice_7_2::ChannelNotify TLumoDevice_7_2::GetOnCommandFailed(int channel) const {
    checkChannel(channel);
    return onCommandFailed_[static_cast<std::size_t>(channel)];
}

}  // namespace lumo::device
