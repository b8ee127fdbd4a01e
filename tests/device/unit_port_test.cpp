#include "device/unit_port.h"

#include <gtest/gtest.h>

#include "core/errors.h"
#include "core/settings_list.h"

namespace lumo::device {
namespace {

TEST(UnitPort, ChosenFromTheSettings) {
    core::SettingsList settings;
    settings.loadFromLines({"UnitComPort=2", "UnitBaudRate=115200"});
    UnitPortChoice choice = unitPortFromSettings(settings);
    EXPECT_FALSE(choice.simulated);
    EXPECT_EQ(choice.device, "/dev/ttyS1");
    EXPECT_EQ(choice.baudRate, 115200);

    settings.loadFromLines({"UnitComPort=1", "UnitBaudRate=fast", "UnitDevice=/dev/serial/by-id/usb-unit"});
    choice = unitPortFromSettings(settings);
    EXPECT_EQ(choice.device, "/dev/serial/by-id/usb-unit");
    EXPECT_EQ(choice.baudRate, 19200);

    settings.loadFromLines({"UnitDevice= sim "});
    EXPECT_TRUE(unitPortFromSettings(settings).simulated);

    // Not needed beside a device path, so not read there.
    settings.loadFromLines({"UnitComPort=one", "UnitDevice=/dev/ttyUSB0"});
    EXPECT_EQ(unitPortFromSettings(settings).device, "/dev/ttyUSB0");
    settings.loadFromLines({"UnitComPort=one"});
    EXPECT_THROW(unitPortFromSettings(settings), EConvertError);
}

}  // namespace
}  // namespace lumo::device
