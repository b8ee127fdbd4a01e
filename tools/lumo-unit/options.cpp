#include "options.h"

#include <cstdlib>
#include <stdexcept>

#include "core/numbers.h"

namespace lumo::tools {

namespace {

int integer(const std::string& text, const std::string& what) {
    try {
        return core::strToInt(text);
    } catch (const std::exception&) {
        throw std::invalid_argument(what + " is not a number: " + text);
    }
}

double real(const std::string& text, const std::string& what) {
    try {
        const double value = core::strToFloat(text);
        if (value < 0) throw std::invalid_argument(what);
        return value;
    } catch (const std::exception&) {
        throw std::invalid_argument(what + " is not a number of seconds: " + text);
    }
}

}  // namespace

const char* usage() {
    return "usage:\n"
           "  lumo-unit sim [--seconds N] [--ident HEX20] [--seed N] [--scenario truthful|deceptive]\n"
           "                [--ignore-dtr]\n"
           "  lumo-unit probe --device PATH [--baud B] [--seconds N] [--command CH,RANGE,DAC@SECONDS ...]\n"
           "                  [--json] [--device-timeout T] [--data-timeout T] [--log FILE]\n"
           "  lumo-unit probe --list\n"
           "  lumo-unit replay LOG [--json] [--command CH,RANGE,DAC@SECONDS ...] [--device-timeout T]\n"
           "                  [--data-timeout T]\n"
           "  lumo-unit state --device PATH|SIM --seconds N [--json] [--log FILE] [--baud B]\n"
           "                  [--device-timeout T] [--data-timeout T] [--seed N] [--scenario truthful|deceptive]\n"
           "    exit 2: no report (too few pulse spectra), 3: the port cannot be opened,\n"
           "    4: no link to the unit before the first sample\n";
}

TimedCommand parseCommand(const std::string& text) {
    const auto at = text.find('@');
    const auto first = text.find(',');
    const auto second = first == std::string::npos ? std::string::npos : text.find(',', first + 1);
    if (at == std::string::npos || second == std::string::npos || second > at) {
        throw std::invalid_argument("a command is CH,RANGE,DAC@SECONDS: " + text);
    }
    TimedCommand command;
    command.channel = integer(text.substr(0, first), "the channel");
    command.range = integer(text.substr(first + 1, second - first - 1), "the range");
    command.dac = integer(text.substr(second + 1, at - second - 1), "the offset");
    command.seconds = real(text.substr(at + 1), "the time");
    if (command.channel < 0 || command.channel > 6 || command.range < 0 || command.range > 7 || command.dac < 0 ||
        command.dac > 4095) {
        throw std::invalid_argument("a command needs channel 0..6, range 0..7, offset 0..4095: " + text);
    }
    return command;
}

UnitOptions parseOptions(const std::vector<std::string>& arguments) {
    if (arguments.empty()) throw std::invalid_argument("no mode given");
    UnitOptions options;
    options.mode = arguments[0];
    if (options.mode != "sim" && options.mode != "probe" && options.mode != "replay" && options.mode != "state") {
        throw std::invalid_argument("unknown mode: " + options.mode);
    }
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= arguments.size()) throw std::invalid_argument(argument + " needs a value");
            return arguments[++i];
        };
        if (argument == "--json") {
            options.json = true;
        } else if (argument == "--list") {
            options.list = true;
        } else if (argument == "--ignore-dtr") {
            options.ignoreDtr = true;
        } else if (argument == "--device") {
            options.device = value();
        } else if (argument == "--baud") {
            options.baudRate = integer(value(), "the baud rate");
        } else if (argument == "--seconds") {
            options.seconds = real(value(), "--seconds");
        } else if (argument == "--command") {
            options.commands.push_back(parseCommand(value()));
        } else if (argument == "--device-timeout") {
            options.deviceTimeout = integer(value(), "the device timeout");
        } else if (argument == "--data-timeout") {
            options.dataTimeout = integer(value(), "the data timeout");
        } else if (argument == "--log") {
            options.capture = value();
        } else if (argument == "--ident") {
            options.ident = value();
        } else if (argument == "--seed") {
            options.seed = static_cast<std::uint32_t>(integer(value(), "the seed"));
        } else if (argument == "--scenario") {
            options.scenario = value();
            if (options.scenario != "truthful" && options.scenario != "deceptive") {
                throw std::invalid_argument("the scenario is truthful or deceptive");
            }
        } else if (options.mode == "replay" && options.capture.empty() && argument.rfind("--", 0) != 0) {
            options.capture = argument;
        } else {
            throw std::invalid_argument("unknown argument: " + argument);
        }
    }
    for (const auto timeout : {options.deviceTimeout, options.dataTimeout}) {
        if (timeout && (*timeout < 1 || *timeout > 65535)) throw std::invalid_argument("a timeout is 1 ... 65535 ticks");
    }
    if (options.mode == "probe" && !options.list && options.device.empty()) {
        throw std::invalid_argument("probe needs --device PATH (or --list)");
    }
    if (options.mode == "replay" && options.capture.empty()) throw std::invalid_argument("replay needs a capture file");
    if (options.mode == "state" && options.device.empty()) throw std::invalid_argument("state needs --device PATH or SIM");
    if (options.mode == "state" && (!options.seconds || *options.seconds <= 0)) {
        throw std::invalid_argument("state needs --seconds N of samples, more than 0");
    }
    if (!options.ident.empty() &&
        (options.ident.size() != 20 || options.ident.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)) {
        throw std::invalid_argument("--ident takes 20 hexadecimal digits");
    }
    return options;
}

}  // namespace lumo::tools
