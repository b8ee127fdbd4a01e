#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "device/pointer_queue.h"
#include "device/unit_geometry.h"
#include "formats/chart_block.h"

namespace lumo::device {

// The unit sends its samples in the block form the charts store, and its
// constants are the ones the chart header keeps.
using formats::TChartBlock;
using formats::UnitConstants;

class SerialLink;
class DriverHook;

using TarrChartBlock = std::vector<TChartBlock>;
using TDataBlock = std::vector<std::uint8_t>;

// States of the protocol machine, numbered as the unit's firmware documents them.
enum class DeviceState : std::uint8_t {
    WaitReset = 0,
    Handshake = 1,
    ReadInfo = 2,
    ReadIdent = 3,
    Idle = 4,
    Setup = 5,
    WaitPacket = 6,
    Packet = 9,
};

// The sensor unit's driver. Purely event driven: it reacts to the link's
// bytes-available and timer-expired notifications, never waits for a byte, and
// raises one OnSample per packet period while streaming. See the wire summary
// in lumo_device.cpp.
class TLumoDevice_7_2 {
public:
    using Notify = std::function<void(TLumoDevice_7_2& driver)>;
    using ChannelNotify = std::function<void(TLumoDevice_7_2& driver, int channel)>;

    static constexpr int kQueueCapacity = 256;
    static constexpr int kIdentSize = 10;

    // The workstation always passes kUnitGeometry.
    TLumoDevice_7_2(std::uint8_t rangeCount, std::uint8_t channelCount, bool highBitFlag, std::int32_t period,
                    std::uint8_t fastCount);
    explicit TLumoDevice_7_2(const UnitGeometry& geometry)
        : TLumoDevice_7_2(geometry.rangeCount, geometry.channelCount, geometry.highBitFlag, geometry.period,
                          geometry.fastCount) {}
    // Frees queued commands, gives the port its handlers back and detaches the
    // tuners and spies still hooked in; does not close the port.
    virtual ~TLumoDevice_7_2();
    TLumoDevice_7_2(const TLumoDevice_7_2&) = delete;
    TLumoDevice_7_2& operator=(const TLumoDevice_7_2&) = delete;

    // Resets the unit and starts the connection; what the unit sends during the
    // reset pause is discarded. Raises what opening the port raises, or
    // ELumoDeviceAddTimerTrigger.
    virtual void Open();
    // Stops the unit (three zero bytes) and closes the port.
    virtual void Close();
    // Queues a range/offset command. Sent at once only while streaming with
    // nothing received and nothing awaiting confirmation on the channel.
    // EListError "Queue overflow" past 256 queued commands.
    virtual void QueueCommand(int channel, int range, int dac);

    // The port's handlers, installed by AttachPort.
    virtual void TriggerAvail(SerialLink& port, int count);
    virtual void TriggerTimer(SerialLink& port, std::uint16_t handle);

    // Closes without the stop bytes (the link never came up).
    void Disconnect();
    // Pauses, pumping the link's messages meanwhile.
    void Delay(int milliseconds);
    float Gain(int range) const;
    std::string IdentPrefix() const;  // ident bytes 0..2 as 6 upper-case hex digits
    std::string IdentSuffix() const;  // ident bytes 3..9 as 14 upper-case hex digits
    // A channel's current sample on the scale of range 0 with the offset removed.
    float ChannelValue(int channel) const;
    int QueuedCommands(int channel) const;
    void AttachPort(SerialLink* port);
    void SetOnCommandDone(int channel, ChannelNotify handler);
    void SetOnCommandFailed(int channel, ChannelNotify handler);
    ChannelNotify GetOnCommandDone(int channel) const;
    ChannelNotify GetOnCommandFailed(int channel) const;

    // Timeouts in ticks of 55 ms, set by the caller before Open.
    std::uint16_t DeviceTimeout = 0;
    std::uint16_t DataTimeout = 0;

    // The unit's constants, averaged over five info readings.
    float DacZero = 0;
    float AdcZero = 0;
    float DacScale = 0;
    std::vector<float> Gains;

    // Current sample of every channel, and sub-samples 0..2 of the fast channels.
    TarrChartBlock Samples;
    std::array<TarrChartBlock, 3> SubSamples;

    Notify OnInfoRead;       // info block averaged
    Notify OnIdentRead;      // identification received
    Notify OnSample;         // one packet period
    Notify OnLinkError;      // link failure or timeout
    Notify OnStreamStarted;  // setup finished
    Notify OnInfoFailed;     // ten invalid info readings

    int rangeCount() const { return rangeCount_; }
    int channelCount() const { return channelCount_; }
    int fastCount() const { return fastCount_; }
    int packetLength() const { return packetLength_; }
    std::int32_t timerReload() const { return timerReload_; }
    UnitConstants unitConstants() const;
    SerialLink* port() const { return port_; }
    // The link's clock; 0 without a port.
    std::int64_t milliseconds() const;

    // The machine's inner state, for tests and the unit check tool.
    DeviceState state() const { return state_; }
    std::int32_t position() const { return position_; }
    std::uint32_t packetCounter() const { return packetCounter_; }
    std::uint32_t lastCounter() const { return lastCounter_; }
    std::uint32_t handshakeRetries() const { return handshakeRetries_; }
    std::uint32_t restartCount() const { return restartCount_; }
    std::uint32_t expiryCount() const { return expiryCount_; }
    std::uint8_t echoCount() const { return echoCount_; }
    std::int32_t invalidReadings() const { return invalidReadings_; }
    std::int32_t readingIndex() const { return readingIndex_; }
    std::uint16_t triggerHandle() const { return triggerHandle_; }
    const std::array<std::uint8_t, kIdentSize>& ident() const { return ident_; }
    bool identRead() const { return identRead_; }
    bool pending(int channel) const { return pending_.at(static_cast<std::size_t>(channel)); }
    bool awaiting(int channel) const { return awaiting_.at(static_cast<std::size_t>(channel)); }
    // Packets rejected for an implausible counter since Open.
    std::uint64_t rejectedPackets() const { return rejectedPackets_; }

protected:
    virtual void DoWaitReset();
    virtual void DoHandshake();
    virtual void DoInfoByte();
    virtual void DoIdentByte();
    virtual void DoSetupReply();
    virtual void DoSyncByte();
    virtual void DoSyncedPacketByte();
    virtual void DoPacketByte(DeviceState nextState);
    virtual void DecodeInfo();
    virtual void SendNextCommand(int channel);
    virtual void StartStream();
    virtual void DecodePacket();
    virtual void SendCommand(int channel);
    virtual void CommitSamples();
    virtual void RollbackSamples();

private:
    friend class DriverHook;

    // Raises a guard flag for a scope and gives it back its previous value.
    struct FlagRaised {
        bool& flag;
        bool previous;
        explicit FlagRaised(bool& f) : flag(f), previous(f) { flag = true; }
        ~FlagRaised() { flag = previous; }
        FlagRaised(const FlagRaised&) = delete;
        FlagRaised& operator=(const FlagRaised&) = delete;
    };

    struct CommandInFlight {
        std::uint8_t range = 0;
        std::uint8_t channel = 0;
        std::uint16_t dac = 0;
    };

    SerialLink& link() const;
    void arm(std::uint16_t ticks);
    void disarm();
    void send(std::uint8_t byte);
    void checkChannel(int channel) const;
    void handshakeExpired();
    void holdAcrossSwitches();
    void dispatchPending();
    void acceptInfoReading();
    void averageReadings();
    void decodeItem(const std::uint8_t* item, TChartBlock& block) const;

    SerialLink* port_ = nullptr;
    DeviceState state_ = DeviceState::WaitReset;
    std::int32_t position_ = 0;
    std::uint16_t triggerHandle_ = 0;
    std::uint32_t packetCounter_ = 0;
    std::uint32_t lastCounter_ = 0;
    std::uint32_t handshakeRetries_ = 0;
    std::uint32_t restartCount_ = 0;
    std::uint32_t expiryCount_ = 0;
    std::uint8_t echoCount_ = 0;
    std::array<std::uint8_t, kIdentSize> ident_;
    std::array<std::uint8_t, kIdentSize> identBuffer_{};
    bool identRead_ = false;
    TDataBlock infoBuffer_;
    std::vector<float> readings_;  // per reading: DacZero, AdcZero, DacScale, Gains...
    std::int32_t readingIndex_ = 0;
    std::uint8_t channelCount_;
    std::uint8_t rangeCount_;
    std::uint8_t packetLength_;
    TDataBlock packetBuffer_;
    std::vector<bool> pending_;
    bool highBitFlag_;
    std::int32_t period_;
    std::function<void(SerialLink&, int)> savedAvail_;
    std::function<void(SerialLink&, std::uint16_t)> savedTimer_;
    std::vector<CommandInFlight> inFlight_;
    std::vector<TPointerQueue> queues_;
    std::vector<bool> awaiting_;
    std::vector<std::int32_t> confirmationWaits_;
    std::int32_t timerReload_;
    std::uint8_t fastCount_;
    std::vector<ChannelNotify> onCommandDone_;
    std::vector<ChannelNotify> onCommandFailed_;
    TarrChartBlock decodeArea_;
    std::array<TarrChartBlock, 3> decodeTargets_;
    TarrChartBlock savedSamples_;
    std::array<TarrChartBlock, 3> savedSubSamples_;
    std::int32_t invalidReadings_ = 0;
    std::vector<std::int32_t> lastRange_;
    std::vector<std::int32_t> lastDac_;

    // Not in the unit's record: guards and bookkeeping of this implementation.
    bool sending_ = false;               // a command's bytes are going out (its pauses pump messages)
    bool holdingReset_ = false;          // Open's reset pause: received bytes are left for its flush
    std::uint64_t generation_ = 0;       // bumped by Open, Close and Disconnect
    std::uint64_t rejectedPackets_ = 0;
    std::vector<DriverHook*> hooks_;     // tuners and spies, in the order they hooked in
};

}  // namespace lumo::device
