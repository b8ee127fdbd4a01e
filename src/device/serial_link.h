#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace lumo::device {

class TrafficLog;
class UnitSimulation;

// The serial port as the unit driver needs it: exactly these operations and two
// notifications, plus the clock and message pump its short pauses run on. A real
// port, a pty, the simulated unit, a replayed capture and the scripted links of
// the tests all plug in here. Both notifications come on the GUI thread.
//
// Every byte and line change passes through this base, so the traffic log
// records any link the same way.
class SerialLink {
public:
    // Notifications are replaceable handlers: whoever hooks one keeps the
    // previous handler, calls it first and gives it back when done.
    using BytesAvailableHandler = std::function<void(SerialLink& link, int count)>;
    using TimerExpiredHandler = std::function<void(SerialLink& link, std::uint16_t handle)>;
    using ErrorHandler = std::function<void(const std::string& message)>;

    // Ticks of the timer triggers.
    static constexpr int kTickMilliseconds = 55;

    SerialLink();
    virtual ~SerialLink();
    SerialLink(const SerialLink&) = delete;
    SerialLink& operator=(const SerialLink&) = delete;

    // May raise a LumoError whose message says why the port cannot be opened.
    void open();
    void close();
    virtual bool isOpen() const = 0;
    void setRts(bool on);
    // DTR is the unit's reset line; a link without one simply ignores it.
    void setDtr(bool on);
    // Queued for sending; never blocks.
    void putByte(std::uint8_t byte);
    // The next received byte; 0 when none is waiting.
    virtual std::uint8_t getByte() = 0;
    virtual int receivedCount() const = 0;
    void flushInput();
    void flushOutput();

    // A 16-bit handle of a new, unarmed trigger; may raise.
    virtual std::uint16_t addTimerTrigger() = 0;
    // Arms (restarting the count) or disarms a trigger. Ticks are 55 ms; 0 keeps
    // the previous count. Unknown handles are ignored.
    virtual void setTimerTrigger(std::uint16_t handle, int ticks, bool active) = 0;
    virtual void removeTimerTrigger(std::uint16_t handle) = 0;
    // Gives the port a chance to move bytes; may do nothing.
    virtual void yield() = 0;

    // Milliseconds of the clock the link lives on; never goes back.
    virtual std::int64_t milliseconds() const = 0;
    // Processes pending notifications and messages once, waiting at most about
    // a millisecond for them; the driver's pauses are loops of this.
    virtual void pump() = 0;

    // The serial traffic log: every line change and byte in both directions
    // with its time, replayable later. Raises EInOutError when the file
    // cannot be created.
    void startTrafficLog(const std::filesystem::path& file);
    void stopTrafficLog();
    bool trafficLogging() const { return log_ != nullptr; }

    // The simulation behind the link when it is the simulated unit; null for
    // a real port.
    virtual UnitSimulation* simulation() { return nullptr; }

    BytesAvailableHandler onBytesAvailable;
    TimerExpiredHandler onTimerExpired;
    // Links that deliver from an event loop report here what a handler raised
    // (the event loop cannot carry it further).
    ErrorHandler onNotificationError;

protected:
    virtual void doOpen() = 0;
    virtual void doClose() = 0;
    virtual void doSetRts(bool on) = 0;
    virtual void doSetDtr(bool on) = 0;
    virtual void doPutByte(std::uint8_t byte) = 0;
    virtual void doFlushInput() = 0;
    virtual void doFlushOutput() = 0;

    // Implementations call this for bytes as they arrive from the far end.
    void logReceived(const std::uint8_t* bytes, std::size_t count);

private:
    std::unique_ptr<TrafficLog> log_;
};

}  // namespace lumo::device
