// lumo-export: writes the data home's charts and results in open formats
// for tools outside the workstation.
#include <iostream>
#include <string>
#include <vector>

#include "csv_command.h"
#include "edf_command.h"

namespace {

constexpr int kUsage = 1;

std::string usage() {
    return lumo::tools::edfUsage() + "\n       lumo-export csv [--home DIR] CODE NN [--features] [-o FILE] [--force]";
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (arguments.empty() || arguments[0] == "--help" || arguments[0] == "-h") {
        std::cout << usage() << "\n";
        return arguments.empty() ? kUsage : 0;
    }
    const std::string& command = arguments[0];
    const std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
    if (command == "edf") return lumo::tools::runEdfCommand(rest, std::cout, std::cerr);
    if (command == "csv") return lumo::tools::runCsvCommand(rest, std::cout, std::cerr);
    std::cerr << "Unknown command: " << command << "\n" << usage() << "\n";
    return kUsage;
}
