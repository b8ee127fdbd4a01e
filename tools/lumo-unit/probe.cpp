#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSocketNotifier>
#include <QTimer>
#include <cstdio>

#include "device/lumo_device.h"
#include "modes.h"
#include "platform/qt_serial_link.h"
#include "platform/serial_ports.h"
#include "session_setup.h"
#include "unit_report.h"

namespace lumo::tools {

namespace {

int listPorts() {
    const auto ports = platform::listSerialPorts();
    if (ports.empty()) std::puts("No serial ports found");
    for (const auto& port : ports) {
        std::string text = port.path;
        if (port.target != port.path) text += " -> " + port.target;
        if (!port.description.empty()) text += "  (" + port.description + ")";
        std::puts(text.c_str());
    }
    return 0;
}

}  // namespace

int runProbe(const UnitOptions& options) {
    if (options.list) return listPorts();
    platform::QtSerialLink link(QString::fromStdString(options.device), options.baudRate, platform::englishTexts());
    device::TLumoDevice_7_2 driver(device::kUnitGeometry);
    attachDriver(driver, link, options);
    UnitReport report(options.json, stdout);
    report.attach(driver);
    link.onNotificationError = [&report](const std::string& message) { report.error(message); };
    if (!options.capture.empty()) link.startTrafficLog(options.capture);

    report.onFirstStream = [&] {
        for (const TimedCommand& command : options.commands) {
            QTimer::singleShot(static_cast<int>(command.seconds * 1000), Qt::PreciseTimer, &link, [&, command] {
                try {
                    driver.QueueCommand(command.channel, command.range, command.dac);
                } catch (const std::exception& error) {
                    report.error(error.what());
                }
            });
        }
    };

    QElapsedTimer elapsed;
    elapsed.start();
    try {
        driver.Open();
    } catch (const std::exception& error) {
        report.error(error.what());
        return 2;
    }
    bool stopping = false;
    auto stop = [&] {
        if (stopping) return;
        stopping = true;
        driver.Close();
        QCoreApplication::quit();
    };
    const int stopFd = stopSignalDescriptor();
    QSocketNotifier notifier(stopFd, QSocketNotifier::Read);
    QObject::connect(&notifier, &QSocketNotifier::activated, &link, stop);
    if (options.seconds) {
        const auto remaining = static_cast<int>(*options.seconds * 1000 - elapsed.elapsed());
        QTimer::singleShot(std::max(remaining, 0), Qt::PreciseTimer, &link, stop);
    }
    QCoreApplication::exec();
    if (stopFd >= 0) ::close(stopFd);
    report.summary(driver, elapsed.elapsed() / 1000.0);
    return 0;
}

}  // namespace lumo::tools
