#include "platform/sleep_inhibitor.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusUnixFileDescriptor>
#include <unistd.h>

namespace lumo::platform {

SleepInhibitor::SleepInhibitor() {
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) return;
    QDBusMessage call = QDBusMessage::createMethodCall("org.freedesktop.login1", "/org/freedesktop/login1",
                                                       "org.freedesktop.login1.Manager", "Inhibit");
    call << QString("sleep") << QString("Lumo") << QString("An examination may be in progress")
         << QString("block");
    const QDBusMessage reply = bus.call(call, QDBus::Block, 2000);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return;
    const auto descriptor = reply.arguments().constFirst().value<QDBusUnixFileDescriptor>();
    if (descriptor.isValid()) fd_ = ::dup(descriptor.fileDescriptor());
}

SleepInhibitor::~SleepInhibitor() {
    if (fd_ >= 0) ::close(fd_);
}

}  // namespace lumo::platform
