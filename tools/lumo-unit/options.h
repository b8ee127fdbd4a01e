#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lumo::tools {

// A channel command to send at a time after streaming first started.
struct TimedCommand {
    int channel = 0;
    int range = 0;
    int dac = 0;
    double seconds = 0;
};

struct UnitOptions {
    std::string mode;  // sim, probe, replay, state
    std::string device;
    std::string capture;  // replay: the capture file; probe, state: --log
    std::int32_t baudRate = 19200;
    std::optional<double> seconds;
    std::vector<TimedCommand> commands;
    bool json = false;
    bool list = false;
    std::optional<int> deviceTimeout;
    std::optional<int> dataTimeout;
    std::string ident;  // 20 hex digits
    std::uint32_t seed = 1;
    std::string scenario = "truthful";
    bool ignoreDtr = false;  // sim: a unit whose reset line is not wired through
};

// Raises std::invalid_argument with a message for the user.
UnitOptions parseOptions(const std::vector<std::string>& arguments);
// "CH,RANGE,DAC@SECONDS"
TimedCommand parseCommand(const std::string& text);
// The usage text.
const char* usage();

}  // namespace lumo::tools
