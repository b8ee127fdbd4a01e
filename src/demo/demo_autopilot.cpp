#include "demo/demo_autopilot.h"

#include <optional>

#include "core/text_format.h"
#include "core/texts/recording.h"
#include "core/workstation.h"
#include "device/simulated_link.h"
#include "recording/test_run_headless.h"
#include "recording/test_run_timers.h"

namespace lumo::demo {

namespace {

constexpr std::int64_t kSecond = 1000;

}  // namespace

bool runAutopilot(recording::TestRun& run, recording::HeadlessTestView& view, recording::VirtualTestTimers& timers) {
    const auto stopped = [&] { return view.closeAsked || run.closed(); };
    const auto waitFor = [&](recording::TestPhase phase, std::int64_t limit) {
        return timers.runUntil([&] { return stopped() || run.phase() == phase; }, limit) && !stopped();
    };
    // The unit connects, the channels are tuned and settle for 15 s.
    const auto settled = [&] { return stopped() || run.sampleCounter() >= recording::TestRun::kSettlingCounts; };
    if (!timers.runUntil(settled, 120 * kSecond) || stopped()) {
        return false;
    }
    run.keyPressed(recording::TestKey::Space);
    if (!waitFor(recording::TestPhase::Ready, 30 * kSecond)) return false;
    const std::size_t entries = run.questionList().entries.size();
    for (std::size_t position = 0; position < entries; ++position) {
        // A moment after Ready: an onset in the period of the ready mark would add up to an artefact code.
        timers.run(2 * kSecond);
        if (stopped()) return false;
        run.selectQuestion(static_cast<int>(position));
        const recording::QuestionEntry& entry = run.questionList().entries[position];
        const bool yes = entry.answer == "+";
        run.keyPressed(recording::TestKey::Space);
        timers.run(3 * kSecond);
        if (stopped()) return false;
        run.keyPressed(recording::TestKey::Space);
        timers.run(2 * kSecond);
        if (stopped()) return false;
        run.keyPressed(yes ? recording::TestKey::Right : recording::TestKey::Left);
        // The question time runs out; after the last question the continue
        // dialog ends the test and the closing 15 s follow.
        if (position + 1 < entries && !waitFor(recording::TestPhase::Ready, 600 * kSecond)) return false;
    }
    timers.runUntil(stopped, 600 * kSecond);
    return run.outcome() == recording::TestOutcome::Saved;
}

AutopilotChart recordChart(core::Workstation& workstation, device::SimulatedLink& link,
                           const recording::TestRunSetup& setup) {
    AutopilotChart result;
    recording::VirtualTestTimers timers(link);
    std::optional<recording::HeadlessTestView> display;
    try {
        display.emplace(workstation.settings());
    } catch (const std::exception& error) {
        // The display settings that would stop the test window stop this chart.
        result.problem = core::formatText(workstation.texts()(txt::TestInitError), {std::string(error.what())});
        return result;
    }
    recording::HeadlessTestView& view = *display;
    core::NoPriority priority;
    view.answerContinue = [] { return false; };
    view.answerKeep = [] { return true; };
    recording::TestRun run(workstation, link, timers, priority, view, setup);
    run.open();
    const bool ok = !view.closeAsked && runAutopilot(run, view, timers);
    result.presentations = static_cast<int>(run.presentations().size());
    run.close();
    result.saved = ok && run.outcome() == recording::TestOutcome::Saved;
    result.seconds = static_cast<int>((run.sampleCounter() - run.startIndex()) / 32);
    if (!result.saved) {
        result.problem = !view.errors.empty() ? view.errors.back()
                         : !view.information.empty() ? view.information.back()
                                                      : view.message;
    }
    return result;
}

}  // namespace lumo::demo
