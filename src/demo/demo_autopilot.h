#pragma once

#include <string>

#include "recording/test_run.h"

namespace lumo::core {
class Workstation;
}
namespace lumo::device {
class SimulatedLink;
}
namespace lumo::recording {
class HeadlessTestView;
class VirtualTestTimers;
}

namespace lumo::demo {

// What one autopilot chart came to.
struct AutopilotChart {
    bool saved = false;
    std::string problem;     // why not, for the examiner
    int presentations = 0;
    int seconds = 0;         // the test's length
};

// The autopilot examiner: waits for the channels to settle, starts the test,
// asks every question of the list once in its order (ending each question,
// giving the expected answer and waiting out the question time), terminates
// at the end of the questions and keeps the chart. The run, its view and its
// timers are the caller's; false when the run stopped on its way.
bool runAutopilot(recording::TestRun& run, recording::HeadlessTestView& view, recording::VirtualTestTimers& timers);

// One whole chart against the simulated unit on a virtual clock, its
// examinee told of every question.
AutopilotChart recordChart(core::Workstation& workstation, device::SimulatedLink& link,
                           const recording::TestRunSetup& setup);

}  // namespace lumo::demo
