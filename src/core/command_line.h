#pragma once

#include <optional>
#include <string>
#include <vector>

namespace lumo::core {

struct CommandLine {
    bool version = false;
    bool help = false;
    std::optional<std::string> initHome;  // --init-home DIR
    bool sample = false;                  // --sample: with --init-home, add a sample examinee
    std::optional<std::string> home;      // --home DIR
    bool noSplash = false;                // --no-splash
    std::optional<std::string> play;      // --play FILE: a key script played into the windows
    bool demo = false;                    // --demo: the unattended examination, no display needed
    int demoCharts = 3;                   // --charts N, 1 ... 9
    bool truthful = false;                // --truthful (else --deceptive, the default)
    std::string error;                    // set when the arguments make no sense
};

CommandLine parseCommandLine(const std::vector<std::string>& arguments);
const char* usageText();

}  // namespace lumo::core
