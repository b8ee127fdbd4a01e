#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/clock.h"
#include "core/workstation.h"
#include "core/test_home.h"
#include "device/simulated_link.h"
#include "recording/test_run.h"
#include "recording/test_run_headless.h"
#include "recording/test_run_timers.h"

namespace lumo::test {

// Counts what the run does with the process priority.
class CountingPriority final : public recording::ProcessPriority {
public:
    void raise() override { ++raised; }
    void restore() override { ++restored; }
    int raised = 0;
    int restored = 0;
};

// A data home with one examinee and an exam of `questions` neutral questions,
// a simulated unit on a virtual clock and a test run on top, driven through
// the headless view.
class TestRunBench {
public:
    explicit TestRunBench(int questions = 6, std::vector<std::string> extraSettings = {}, int chart = 1,
                          int sequence = 1);

    recording::TestRun& run() { return *run_; }
    recording::HeadlessTestView& view() { return *view_; }
    recording::VirtualTestTimers& timers() { return *timers_; }
    device::SimulatedLink& link() { return *link_; }
    core::Workstation& workstation() { return *workstation_; }
    const CountingPriority& priority() const { return priority_; }
    // Replaces the run (before it is opened) with one on another link.
    void useLink(std::unique_ptr<device::SimulatedLink> link);
    const std::filesystem::path& examFile() const { return examFile_; }
    std::filesystem::path chartFile() const;
    std::filesystem::path screenFile() const;
    std::filesystem::path tableFile() const;
    const std::filesystem::path& home() const { return home_.path(); }

    // Opens the run and waits for the 15 s of settling.
    void settle();
    // settle(), Space, and the opening 15 s: phase Ready.
    void startToReady();
    // Selects list position `position`, asks, ends (after 1 s), answers (after 1 s) and waits out the question time.
    void present(int position, bool yes = true);
    bool press(recording::TestKey key) { return run_->keyPressed(key); }
    void wait(std::int64_t milliseconds) { timers_->run(milliseconds); }
    // Runs until the window is asked to close (at most `limit` ms).
    bool waitForClose(std::int64_t limit = 60000);
    // The chart's mark words, one per record (read back from the file).
    std::vector<std::uint16_t> recordMarks() const;

private:
    TempHome home_;
    std::unique_ptr<core::Workstation> workstation_;
    std::filesystem::path examFile_;
    std::unique_ptr<device::SimulatedLink> link_;
    std::unique_ptr<recording::VirtualTestTimers> timers_;
    std::unique_ptr<recording::HeadlessTestView> view_;
    CountingPriority priority_;
    std::unique_ptr<recording::TestRun> run_;
};

}  // namespace lumo::test
