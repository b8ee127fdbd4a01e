#include "device/serial_link.h"

#include "device/traffic_log.h"

namespace lumo::device {

SerialLink::SerialLink() = default;
SerialLink::~SerialLink() = default;

void SerialLink::open() {
    doOpen();
    if (log_) log_->record(milliseconds(), TrafficKind::Open);
}

void SerialLink::close() {
    if (log_) log_->record(milliseconds(), TrafficKind::Close);
    doClose();
}

void SerialLink::setRts(bool on) {
    if (log_) log_->record(milliseconds(), TrafficKind::Rts, on);
    doSetRts(on);
}

void SerialLink::setDtr(bool on) {
    if (log_) log_->record(milliseconds(), TrafficKind::Dtr, on);
    doSetDtr(on);
}

void SerialLink::putByte(std::uint8_t byte) {
    if (log_) log_->recordBytes(milliseconds(), TrafficKind::Sent, &byte, 1);
    doPutByte(byte);
}

void SerialLink::flushInput() {
    if (log_) log_->record(milliseconds(), TrafficKind::FlushInput);
    doFlushInput();
}

void SerialLink::flushOutput() {
    if (log_) log_->record(milliseconds(), TrafficKind::FlushOutput);
    doFlushOutput();
}

void SerialLink::startTrafficLog(const std::filesystem::path& file) {
    log_.reset();
    log_ = std::make_unique<TrafficLog>(file, milliseconds());
}

void SerialLink::stopTrafficLog() {
    log_.reset();
}

void SerialLink::logReceived(const std::uint8_t* bytes, std::size_t count) {
    if (log_) log_->recordBytes(milliseconds(), TrafficKind::Received, bytes, count);
}

}  // namespace lumo::device
