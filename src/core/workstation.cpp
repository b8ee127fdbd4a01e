#include "core/workstation.h"

#include "core/texts/core.h"

namespace lumo::core {

Workstation::Workstation(std::filesystem::path home, std::unique_ptr<Clock> clock)
    : clock_(std::move(clock)),
      settings_(std::move(home)),
      texts_(strings_, settings_),
      records_(settings_, *clock_) {}

void Workstation::initialise() {
    settings_.load();
    records_.clearCurrent();
    records_.load();
    settings_.list().setValue("NUser", "0");
}

void Workstation::startUp(ProgressView& progress) {
    startingUp_ = true;
    try {
        startup_.runStartup(progress, routineCaption(txt::ProgressLoading));
    } catch (...) {
        startingUp_ = false;
        throw;
    }
    startingUp_ = false;
}

std::string Workstation::routineCaption(int id) const {
    // The routines follow the language prefix of the last load.
    const Language language = settings_.prefix() == "Rus_" ? Language::Russian : Language::English;
    return std::string(strings_.text(id, language));
}

void Workstation::shutDown(ProgressView& progress) {
    shutDownBegun_ = true;
    try {
        settings_.save();
    } catch (...) {
        // Nothing can be done about it on the way out.
    }
    try {
        startup_.runShutdown(progress, routineCaption(txt::ProgressShuttingDown));
    } catch (...) {
        // The same: the process ends regardless.
    }
    records_.clearCurrent();
    records_.operators().clear();
    records_.examinees().clear();
}

}  // namespace lumo::core
