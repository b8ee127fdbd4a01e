#pragma once

#include <filesystem>
#include <memory>

#include "core/clock.h"
#include "core/records.h"
#include "core/settings.h"
#include "core/startup.h"
#include "core/string_table.h"

namespace lumo::core {

// The process-wide objects of one run: settings, string table, records and
// the start-up routine. One instance lives from start-up to shut-down and is
// passed to whoever needs it; tests build their own.
class Workstation {
public:
    Workstation(std::filesystem::path home, std::unique_ptr<Clock> clock);

    // Core initialisation: loads the settings (the load steps), the operator
    // list and the examinee list, clears the current examinee and sets NUser to
    // "0". Errors propagate: the caller ends the start-up with their message.
    void initialise();

    // The start-up routine: the registered allocations under the progress window.
    void startUp(ProgressView& progress);

    // The close handler's work once the exit is confirmed: save the settings,
    // release the start-up allocations, empty the lists. Every error is ignored.
    void shutDown(ProgressView& progress);

    // False while the start-up routine runs and from the start of shut-down
    // on: the routines pump the message loop, and no command may start while
    // the memory they hand out is being made or released.
    bool acceptsCommands() const { return !startingUp_ && !shutDownBegun_; }

    const std::filesystem::path& home() const { return settings_.home(); }
    Settings& settings() { return settings_; }
    const Settings& settings() const { return settings_; }
    const StringTable& strings() const { return strings_; }
    const Texts& texts() const { return texts_; }
    Records& records() { return records_; }
    const Records& records() const { return records_; }
    const Clock& clock() const { return *clock_; }
    StartupRoutine& startup() { return startup_; }

private:
    std::string routineCaption(int id) const;

    std::unique_ptr<Clock> clock_;
    Settings settings_;
    StringTable strings_;
    Texts texts_;
    Records records_;
    StartupRoutine startup_;
    bool startingUp_ = false;
    bool shutDownBegun_ = false;
};

}  // namespace lumo::core
