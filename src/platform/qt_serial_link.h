#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QSerialPort>
#include <QTimer>
#include <deque>
#include <map>
#include <memory>

#include "device/serial_link.h"
#include "device/simulated_link.h"
#include "platform/serial_ports.h"

namespace lumo::platform {

// A serial port (or a pty) for the unit driver: 8 data bits, no parity, 1 stop
// bit, no flow control, RTS held off. Bytes are read as they arrive into an
// input buffer of 8192 bytes; timer triggers are single-shot QTimers of 55 ms
// ticks. Both notifications come from the Qt event loop of the GUI thread. A
// port whose DTR or RTS cannot be set (a pty, some USB adapters) still works.
class QtSerialLink : public QObject, public device::SerialLink {
    Q_OBJECT
public:
    static constexpr int kInputBuffer = 8192;

    QtSerialLink(QString device, qint32 baudRate, TextSource texts = {}, QObject* parent = nullptr);
    ~QtSerialLink() override;

    bool isOpen() const override { return port_.isOpen(); }
    std::uint8_t getByte() override;
    // What is in the input buffer and what the port holds for it.
    int receivedCount() const override;
    std::uint16_t addTimerTrigger() override;
    void setTimerTrigger(std::uint16_t handle, int ticks, bool active) override;
    void removeTimerTrigger(std::uint16_t handle) override;
    void yield() override;
    std::int64_t milliseconds() const override { return clock_.elapsed(); }
    void pump() override;

    const QString& device() const { return device_; }

protected:
    void doOpen() override;
    void doClose() override;
    void doSetRts(bool on) override;
    void doSetDtr(bool on) override;
    void doPutByte(std::uint8_t byte) override;
    void doFlushInput() override;
    void doFlushOutput() override;

private:
    struct Trigger {
        std::unique_ptr<QTimer> timer;
        int ticks = 1;
    };

    void pull();
    void announce();
    void expired(std::uint16_t handle);
    void report(const char* what);

    QSerialPort port_;
    QString device_;
    qint32 baudRate_;
    TextSource texts_;
    QElapsedTimer clock_;
    std::deque<std::uint8_t> received_;
    std::map<std::uint16_t, Trigger> triggers_;
    std::uint16_t nextHandle_ = 1;
    bool announcing_ = false;
    std::uint64_t taken_ = 0;
};

// The built-in simulated unit served in real time on the GUI thread (the
// `UnitDevice=SIM` setting): its virtual clock follows the wall clock.
class RealTimeSimulatedLink : public QObject, public device::SimulatedLink {
    Q_OBJECT
public:
    explicit RealTimeSimulatedLink(const device::SimulatedUnitOptions& options = {}, QObject* parent = nullptr);

    void pump() override;

private:
    void catchUp();

    QElapsedTimer clock_;
    QTimer ticker_;
};

// Processes events for about a millisecond without spinning.
void waitForEvents(int milliseconds);

}  // namespace lumo::platform
