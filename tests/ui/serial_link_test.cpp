// The Qt serial link: the unit driver against the simulated unit served on a
// pty, the port chosen from the settings, and the port's error messages.
#include <gtest/gtest.h>

#include <QEventLoop>
#include <QTimer>
#include <atomic>
#include <map>
#include <thread>

#include "core/errors.h"
#include "core/settings_list.h"
#include "device/lumo_device.h"
#include "device/simulated_link.h"
#include "platform/pty_unit_server.h"
#include "platform/qt_serial_link.h"
#include "platform/serial_ports.h"

namespace lumo::platform {
namespace {

constexpr int kItemChannel[10] = {0, 1, 5, 0, 2, 6, 0, 3, 0, 4};

// Runs the event loop until `done` or the deadline.
bool runUntil(const std::function<bool()>& done, int milliseconds) {
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    deadline.start(milliseconds);
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done()) loop.quit();
    });
    check.start(10);
    if (!done()) loop.exec();
    return done();
}

// Runs the driver against the simulated unit on a pty until two dozen packet
// periods went by; every packet decoded must be the one the unit sent.
void expectDriverFollowsTheUnitOverAPty(const device::SimulatedUnitOptions& options) {
    PtyUnitServer server(options);
    // The server thread alone touches the unit; the test reads what it recorded after joining.
    std::map<std::uint32_t, device::TarrChartBlock> sent;
    server.unit().setPacketObserver([&sent](std::uint32_t counter, const auto& items) {
        device::TarrChartBlock blocks(7);
        for (int i = 0; i < 10; ++i) blocks[static_cast<std::size_t>(kItemChannel[i])] = items[static_cast<std::size_t>(i)];
        sent[counter] = blocks;
    });
    std::atomic<bool> stop{false};
    std::thread serving([&] { server.serve(30000, [&stop] { return stop.load(); }); });

    QtSerialLink link(QString::fromStdString(server.slavePath()), 19200);
    device::TLumoDevice_7_2 driver(device::kUnitGeometry);
    driver.DeviceTimeout = 18;
    driver.DataTimeout = 18;
    driver.AttachPort(&link);
    std::string ident;
    int linkErrors = 0;
    std::map<std::uint32_t, device::TarrChartBlock> decoded;  // by the counter that committed them
    driver.OnIdentRead = [&ident](device::TLumoDevice_7_2& d) { ident = d.IdentPrefix() + d.IdentSuffix(); };
    driver.OnLinkError = [&linkErrors](device::TLumoDevice_7_2&) { ++linkErrors; };
    driver.OnSample = [&decoded](device::TLumoDevice_7_2& d) { decoded[d.lastCounter()] = d.Samples; };
    driver.Open();
    const bool streamed = runUntil([&] { return decoded.size() >= 24; }, 15000);
    driver.Close();
    stop = true;
    serving.join();

    ASSERT_TRUE(streamed);
    EXPECT_EQ(linkErrors, 0);
    EXPECT_EQ(driver.rejectedPackets(), 0u);
    EXPECT_EQ(ident, "4C5507202406110031" "7A");
    EXPECT_NEAR(driver.Gains[0], server.unit().design().gains()[0], 0.05);
    int compared = 0;
    for (const auto& [counter, blocks] : decoded) {
        if (counter < 2) continue;  // the first packet's new settings are held back
        ASSERT_TRUE(sent.count(counter)) << counter;
        EXPECT_EQ(blocks, sent[counter]) << counter;
        ++compared;
    }
    EXPECT_GE(compared, 20);
    EXPECT_EQ(server.unit().handshakes(), 1u);
}

TEST(QtSerialLinkPty, DriverStreamsWhatTheSimulatorSendsOverAPty) {
    device::SimulatedUnitOptions options;
    options.seed = 7;
    expectDriverFollowsTheUnitOverAPty(options);
}

TEST(QtSerialLinkPty, DriverKeepsItsSessionWithAUnitDeafToDtr) {
    // Ready bytes from the moment the port opens, through the reset pause.
    device::SimulatedUnitOptions options;
    options.seed = 11;
    options.ignoresDtr = true;
    expectDriverFollowsTheUnitOverAPty(options);
}

TEST(QtSerialLinkPty, TimerTriggersExpireInTicks) {
    QtSerialLink link(QStringLiteral("/dev/null"), 19200);
    std::vector<std::uint16_t> expired;
    link.onTimerExpired = [&expired](device::SerialLink&, std::uint16_t handle) { expired.push_back(handle); };
    const std::uint16_t first = link.addTimerTrigger();
    const std::uint16_t second = link.addTimerTrigger();
    EXPECT_NE(first, second);
    link.setTimerTrigger(first, 1, true);
    link.setTimerTrigger(second, 1, true);
    link.setTimerTrigger(second, 0, false);  // disarmed
    EXPECT_TRUE(runUntil([&] { return !expired.empty(); }, 2000));
    EXPECT_EQ(expired, (std::vector<std::uint16_t>{first}));
    link.setTimerTrigger(first, 0, true);  // the previous count again
    link.removeTimerTrigger(second);
    link.setTimerTrigger(second, 1, true);  // a removed handle is ignored
    EXPECT_TRUE(runUntil([&] { return expired.size() == 2; }, 2000));
    EXPECT_EQ(expired.back(), first);
}

TEST(UnitPort, OpeningFailuresSayWhy) {
    QtSerialLink missing(QStringLiteral("/dev/ttyLUMO-none"), 19200);
    try {
        missing.open();
        FAIL();
    } catch (const EInOutError& error) {
        EXPECT_EQ(std::string(error.what()), "The serial port /dev/ttyLUMO-none does not exist");
    }
    EXPECT_FALSE(missing.isOpen());
    EXPECT_EQ(missing.simulation(), nullptr);

    const std::string permission = portOpenMessage(PortFailure::Permission, "/dev/null", "", {});
    EXPECT_NE(permission.find("/dev/null"), std::string::npos);
    EXPECT_NE(permission.find("\"" + owningGroup("/dev/null") + "\""), std::string::npos);
    EXPECT_NE(permission.find("sudo usermod -a -G " + owningGroup("/dev/null") + " " + currentUserName()),
              std::string::npos);
    EXPECT_EQ(owningGroup("/dev/ttyLUMO-none"), "dialout");

    const TextSource russian = [](int id) { return id == 265 ? std::string("Порт %s: %s") : std::string(); };
    EXPECT_EQ(portOpenMessage(PortFailure::Other, "/dev/ttyS0", "busy", russian), "Порт /dev/ttyS0: busy");
}

TEST(UnitPort, TheSimulatedUnitRunsInRealTime) {
    core::SettingsList settings;
    settings.loadFromLines({"UnitDevice=SIM"});
    auto link = makeUnitLink(device::unitPortFromSettings(settings), {}, device::Scenario::deceptive());
    ASSERT_NE(link->simulation(), nullptr);
    EXPECT_EQ(link->simulation()->examinee().scenario().fear[1], device::Scenario::deceptive().fear[1]);
    device::TLumoDevice_7_2 driver(device::kUnitGeometry);
    driver.DeviceTimeout = 18;
    driver.DataTimeout = 18;
    driver.AttachPort(link.get());
    int samples = 0;
    driver.OnSample = [&samples](device::TLumoDevice_7_2&) { ++samples; };
    driver.Open();
    EXPECT_TRUE(runUntil([&] { return samples >= 4; }, 5000));
    driver.Close();
}

}  // namespace
}  // namespace lumo::platform
