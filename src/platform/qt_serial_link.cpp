#include "platform/qt_serial_link.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>

#include "core/errors.h"
#include "device/device_errors.h"

namespace lumo::platform {

void waitForEvents(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

QtSerialLink::QtSerialLink(QString device, qint32 baudRate, TextSource texts, QObject* parent)
    : QObject(parent), device_(std::move(device)), baudRate_(baudRate), texts_(std::move(texts)) {
    clock_.start();
    port_.setPortName(device_);
    connect(&port_, &QSerialPort::readyRead, this, [this] {
        pull();
        announce();
    });
}

QtSerialLink::~QtSerialLink() {
    triggers_.clear();
    if (port_.isOpen()) port_.close();
}

void QtSerialLink::report(const char* what) {
    if (onNotificationError) {
        onNotificationError(what);
    } else {
        std::fprintf(stderr, "%s\n", what);
    }
}

void QtSerialLink::doOpen() {
    port_.setBaudRate(baudRate_);
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    port_.setReadBufferSize(kInputBuffer);
    if (!port_.open(QIODevice::ReadWrite)) {
        const std::string device = device_.toStdString();
        PortFailure failure = PortFailure::Other;
        if (port_.error() == QSerialPort::PermissionError) failure = PortFailure::Permission;
        if (port_.error() == QSerialPort::DeviceNotFoundError || !QFileInfo::exists(device_)) {
            failure = PortFailure::Missing;
        }
        const std::string reason = port_.errorString().toStdString();
        port_.clearError();
        throw EInOutError(portOpenMessage(failure, device, reason, texts_));
    }
    // Some ports cannot set the speed after opening (a pty takes any); that is no reason to fail.
    port_.setBaudRate(baudRate_);
    port_.clearError();
    received_.clear();
}

void QtSerialLink::doClose() {
    received_.clear();
    if (port_.isOpen()) port_.close();
}

void QtSerialLink::doSetRts(bool on) {
    if (port_.isOpen()) port_.setRequestToSend(on);
    port_.clearError();  // a pty has no modem lines
}

void QtSerialLink::doSetDtr(bool on) {
    if (port_.isOpen()) port_.setDataTerminalReady(on);
    port_.clearError();
}

void QtSerialLink::doPutByte(std::uint8_t byte) {
    if (!port_.isOpen()) return;
    port_.putChar(static_cast<char>(byte));
    port_.flush();
}

void QtSerialLink::doFlushInput() {
    received_.clear();
    if (port_.isOpen()) {
        port_.clear(QSerialPort::Input);
        port_.clearError();
    }
}

void QtSerialLink::doFlushOutput() {
    if (port_.isOpen()) {
        port_.clear(QSerialPort::Output);
        port_.clearError();
    }
}

int QtSerialLink::receivedCount() const {
    const qint64 waiting = port_.isOpen() ? port_.bytesAvailable() : 0;
    return static_cast<int>(std::min<qint64>(static_cast<qint64>(received_.size()) + waiting, kInputBuffer));
}

std::uint8_t QtSerialLink::getByte() {
    if (received_.empty()) pull();
    if (received_.empty()) return 0;
    const std::uint8_t byte = received_.front();
    received_.pop_front();
    ++taken_;
    return byte;
}

void QtSerialLink::pull() {
    if (!port_.isOpen()) return;
    const qint64 room = kInputBuffer - static_cast<qint64>(received_.size());
    const qint64 count = std::min(room, port_.bytesAvailable());
    if (count <= 0) return;
    const QByteArray bytes = port_.read(count);
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    logReceived(data, static_cast<std::size_t>(bytes.size()));
    received_.insert(received_.end(), data, data + bytes.size());
}

void QtSerialLink::announce() {
    // The port does not announce again while a handler runs; what arrives
    // meanwhile is announced as soon as it returns.
    if (announcing_) return;
    announcing_ = true;
    try {
        while (!received_.empty() && onBytesAvailable) {
            const std::uint64_t before = taken_;
            onBytesAvailable(*this, static_cast<int>(received_.size()));
            pull();
            if (taken_ == before) break;
        }
    } catch (const std::exception& error) {
        report(error.what());
    }
    announcing_ = false;
}

std::uint16_t QtSerialLink::addTimerTrigger() {
    if (triggers_.size() >= 0xFFFF) throw device::ELumoDeviceException("No timer trigger left");
    while (nextHandle_ == 0 || triggers_.count(nextHandle_) != 0) ++nextHandle_;
    const std::uint16_t handle = nextHandle_++;
    Trigger& trigger = triggers_[handle];
    trigger.timer = std::make_unique<QTimer>();
    trigger.timer->setSingleShot(true);
    trigger.timer->setTimerType(Qt::PreciseTimer);
    connect(trigger.timer.get(), &QTimer::timeout, this, [this, handle] { expired(handle); });
    return handle;
}

void QtSerialLink::setTimerTrigger(std::uint16_t handle, int ticks, bool active) {
    const auto found = triggers_.find(handle);
    if (found == triggers_.end()) return;
    if (ticks > 0) found->second.ticks = ticks;
    if (active) {
        found->second.timer->start(found->second.ticks * kTickMilliseconds);
    } else {
        found->second.timer->stop();
    }
}

void QtSerialLink::removeTimerTrigger(std::uint16_t handle) {
    const auto found = triggers_.find(handle);
    if (found == triggers_.end()) return;
    // The timer may be the one whose expiry is being handled right now.
    found->second.timer->stop();
    found->second.timer.release()->deleteLater();
    triggers_.erase(found);
}

void QtSerialLink::expired(std::uint16_t handle) {
    try {
        if (onTimerExpired) onTimerExpired(*this, handle);
    } catch (const std::exception& error) {
        report(error.what());
    }
}

void QtSerialLink::yield() {
    if (port_.isOpen()) port_.flush();
}

void QtSerialLink::pump() {
    waitForEvents(1);
}

RealTimeSimulatedLink::RealTimeSimulatedLink(const device::SimulatedUnitOptions& options, QObject* parent)
    : QObject(parent), device::SimulatedLink(options) {
    clock_.start();
    ticker_.setTimerType(Qt::PreciseTimer);
    connect(&ticker_, &QTimer::timeout, this, [this] { catchUp(); });
    ticker_.start(5);
}

void RealTimeSimulatedLink::catchUp() {
    try {
        advanceTo(clock_.elapsed());
    } catch (const std::exception& error) {
        if (onNotificationError) {
            onNotificationError(error.what());
        } else {
            std::fprintf(stderr, "%s\n", error.what());
        }
    }
}

void RealTimeSimulatedLink::pump() {
    waitForEvents(1);
    advanceTo(std::max<std::int64_t>(clock_.elapsed(), now_ + 1));
}

}  // namespace lumo::platform
