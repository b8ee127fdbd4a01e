// The test run's phases: keys, the progress timer and the clock.
#include <algorithm>

#include "core/numbers.h"
#include "core/question_set.h"
#include "core/text_format.h"
#include "core/texts/recording.h"
#include "core/workstation.h"
#include "device/physiology.h"
#include "device/serial_link.h"
#include "device/unit_simulation.h"
#include "formats/mark_word.h"
#include "recording/test_run.h"
#include "recording/test_run_files.h"

namespace lumo::recording {

namespace {

// A modal dialog runs its own event loop: keys and timers wait until it is answered.
class DialogScope {
public:
    explicit DialogScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~DialogScope() { flag_ = false; }
    DialogScope(const DialogScope&) = delete;
    DialogScope& operator=(const DialogScope&) = delete;

private:
    bool& flag_;
};

}  // namespace

bool TestRun::keyPressed(TestKey key) {
    if (!opened_ || closed_ || closeRequested_ || inDialog_) return false;
    if (paused_ && key != TestKey::F9) return true;
    switch (key) {
        case TestKey::Space:
            if (phase_ == TestPhase::Settling) startTest();
            else if (phase_ == TestPhase::Ready) askQuestion();
            else if (phase_ == TestPhase::Question) endQuestion();
            return true;
        case TestKey::Right:
        case TestKey::Left:
            if (phase_ == TestPhase::Question || phase_ == TestPhase::AnswerWait) {
                answer(key == TestKey::Right);
            } else if (list_.enabled && !list_.entries.empty()) {
                // Outside the answer phases the arrows walk the list: left towards its end, right towards its start.
                const int step = key == TestKey::Left ? 1 : -1;
                selectQuestion(std::clamp(list_.selected + step, 0, static_cast<int>(list_.entries.size()) - 1));
            }
            return true;
        case TestKey::F5:
        case TestKey::F6:
        case TestKey::F7:
        case TestKey::F8:
            if (phase_ != TestPhase::Settling) artefact(static_cast<int>(key) - static_cast<int>(TestKey::F5));
            return true;
        case TestKey::F2:
            restartTuning();
            return true;
        case TestKey::F3:
            addScreenEvents(view_.centreAllChannels());
            return true;
        case TestKey::F9:
            togglePause();
            return true;
        case TestKey::Escape:
            abort();
            return true;
        case TestKey::F1:
            return true;
    }
    return false;
}

void TestRun::selectQuestion(int position) {
    if (!list_.enabled || position < 0 || position >= static_cast<int>(list_.entries.size())) return;
    list_.selected = position;
    showList();
}

void TestRun::speedChanged(int entry) {
    speed_ = std::clamp(entry, 0, 3);
    mark_ += formats::speedMark(speed_);
    filter_.reset();
}

void TestRun::addScreenEvents(const std::vector<formats::ScreenEvent>& events) {
    if (events.empty() || !writer_ || stopping_ || phase_ == TestPhase::Settling) return;
    try {
        for (const formats::ScreenEvent& event : events) writer_->appendScreenEvent(event);
    } catch (const std::exception& error) {
        stopping_ = true;
        outcome_ = TestOutcome::SaveFailed;
        view_.showError(text(txt::TestNoResourcesSave) + "\n" + error.what());
        requestClose(false);
    }
}

void TestRun::togglePause() {
    paused_ = !paused_;
    view_.phaseChanged(phase_);
}

// ------------------------------------------------------------------ phases

void TestRun::setPhase(TestPhase phase) {
    phase_ = phase;
    list_.framed = phase == TestPhase::Ready;
    view_.phaseChanged(phase);
}

void TestRun::showList() {
    view_.showQuestionList(list_);
}

void TestRun::selectNext() {
    int best = 0;
    for (int i = 1; i < static_cast<int>(list_.entries.size()); ++i) {
        if (list_.entries[static_cast<std::size_t>(i)].presentations <
            list_.entries[static_cast<std::size_t>(best)].presentations) {
            best = i;
        }
    }
    list_.selected = best;
}

void TestRun::startProgress(int seconds, bool red) {
    progressStart_ = timers_.milliseconds();
    progressLength_ = seconds * 1000;
    progressRunning_ = true;
    progressRed_ = red;
    timers_.start(TestTimer::Progress, kProgressInterval);
    view_.showProgress({true, red, 0, progressLength_});
}

void TestRun::stopProgress() {
    progressRunning_ = false;
    timers_.stop(TestTimer::Progress);
}

void TestRun::startTest() {
    mark_ = 0;
    view_.enableSpeedList(false);
    if (counter_ < kSettlingCounts || !writer_) return;
    startIndex_ = counter_;
    setPhase(TestPhase::Opening);
    const ScreenStart start = view_.screenStart();
    try {
        writer_->appendScreenHeader(start.bandHeights);
        for (const formats::ScreenEvent& event : start.events) writer_->appendScreenEvent(event);
    } catch (const std::exception& error) {
        stopping_ = true;
        outcome_ = TestOutcome::SaveFailed;
        view_.showError(text(txt::TestNoResourcesSave) + "\n" + error.what());
        requestClose(false);
        return;
    }
    showList();
    date_ = core::formatDate(workstation_.clock().today());
    startTime_ = workstation_.clock().timeOfDay();
    startMs_ = timers_.milliseconds();
    afterStart_ = true;
    view_.showWaitLabel(core::formatText(text(txt::TestWaitSeconds), {15LL}));
    view_.showMessage(text(txt::TestBegins));
    startProgress(15, true);
    remaining_ = kTestSeconds + 1;
    timers_.start(TestTimer::Clock, kClockInterval);
    view_.drawEvent({EventKind::Boundary, "X", "", false, {255, 255, 255}});
}

void TestRun::askQuestion() {
    if (list_.entries.empty()) return;
    QuestionEntry& entry = list_.entries[static_cast<std::size_t>(list_.selected)];
    if (entry.presentations >= kMaxPerQuestion ||
        presentations_.size() >= static_cast<std::size_t>(kMaxPresentations)) {
        return;
    }
    if (entry.presentations == 0) ++distinct_;
    ++entry.presentations;
    Presentation presentation;
    presentation.question = entry.question;
    presentation.onset = static_cast<std::uint32_t>(counter_ - startIndex_);
    presentations_.push_back(presentation);
    lastOnset_ = counter_;
    mark_ += formats::kMarkOnset;
    answerBeforeEnd_ = false;
    std::string sign = core::trimmed(entry.sign);
    view_.drawEvent({EventKind::Question, "(" + entry.answer + sign + ")", std::to_string(presentations_.size()), true,
                     entry.colour});
    setPhase(TestPhase::Question);
    list_.enabled = false;
    showList();
    startProgress(questionTime_, false);
    view_.showMessage(text(txt::TestEndQuestion));
    view_.showWaitLabel(core::formatText(text(txt::TestQuestionSeconds), {static_cast<long long>(questionTime_)}));
    // A simulated unit's examinee reacts to the question it was asked.
    if (device::UnitSimulation* simulation = link_.simulation()) simulation->examinee().questionAsked(entry.type);
}

void TestRun::endQuestion() {
    mark_ += formats::kMarkQuestionEnd;
    view_.drawEvent({EventKind::Question, "", "", false, {255, 255, 255}});
    setPhase(TestPhase::AnswerWait);
    view_.showAnswerButtons(false);
    view_.showMessage(text(txt::TestWaitAnswer));
}

void TestRun::answer(bool yes) {
    answerBeforeEnd_ = phase_ == TestPhase::Question;
    setPhase(TestPhase::Reaction);
    list_.enabled = true;
    selectNext();
    showList();
    view_.focusQuestionList();
    view_.showMessage(text(txt::TestRecordingReactions));
    view_.showAnswerButtons(true);
    mark_ += yes ? formats::kMarkAnswerYes : formats::kMarkAnswerNo;
    view_.drawEvent({EventKind::Answer, yes ? "(+)" : "(-)", "", false, {255, 255, 255}});
    if (!presentations_.empty()) presentations_.back().answer = yes ? "+" : "-";
}

void TestRun::artefact(int index) {
    mark_ += formats::artefactMark(index);
    view_.drawEvent({EventKind::Artefact, artefacts_[static_cast<std::size_t>(index)], "", false, {255, 255, 255}});
}

void TestRun::abort() {
    if (phase_ != TestPhase::Settling && phase_ != TestPhase::Ready) return;
    bool yes = false;
    {
        DialogScope dialog(inDialog_);
        yes = view_.confirm(text(txt::TestAbortConfirm));
    }
    if (!yes || closeRequested_) return;
    if (phase_ == TestPhase::Ready && distinct_ >= kMinDistinct) {
        keepOrDiscard(false);
        return;
    }
    deleteChart();
    requestClose(false);
}

void TestRun::keepOrDiscard(bool timeLimit) {
    bool keep = false;
    {
        DialogScope dialog(inDialog_);
        keep = view_.askKeepChart({text(txt::SaveChartCaption), "", text(txt::SaveChartYes),
                                   text(txt::SaveChartYesHint), text(txt::SaveChartNo)});
    }
    if (closeRequested_) return;
    if (keep) {
        enterClosing(timeLimit);
    } else {
        deleteChart();
        requestClose(false);
    }
}

void TestRun::enterClosing(bool timeLimit) {
    setPhase(TestPhase::Closing);
    list_.enabled = false;
    showList();
    view_.showWaitLabel(core::formatText(text(txt::TestWaitSeconds), {15LL}));
    view_.showMessage(text(txt::TestEnds));
    startProgress(15, true);
    mark_ += formats::kMarkTestEnds;
    if (timeLimit) {
        DialogScope dialog(inDialog_);
        view_.showInformation(text(txt::TestAbortedTimeLimit));
    }
}

void TestRun::finishClosing() {
    endTime_ = workstation_.clock().timeOfDay();
    endMs_ = timers_.milliseconds();
    view_.drawEvent({EventKind::Boundary, "XX", "", false, {255, 255, 255}});
    stopping_ = true;
    if (distinct_ < kMinDistinct) {
        {
            DialogScope dialog(inDialog_);
            view_.showInformation(text(txt::TestAborted));
        }
        deleteChart();
    } else {
        timers_.stop(TestTimer::Progress);
        timers_.stop(TestTimer::Clock);
        try {
            saveChart();
        } catch (const std::exception& error) {
            outcome_ = TestOutcome::SaveFailed;
            DialogScope dialog(inDialog_);
            view_.showError(text(txt::TestNoResourcesSave) + "\n" + error.what());
        }
    }
    requestClose(false);
}

// ------------------------------------------------------------------ timers

void TestRun::timerExpired(TestTimer timer) {
    if (closed_ || closeRequested_ || inDialog_) return;
    if (timer == TestTimer::Progress) {
        progressTick();
    } else {
        clockTick();
    }
}

void TestRun::progressTick() {
    if (paused_) return;
    if (stopping_) {
        timers_.stop(TestTimer::Progress);
        return;
    }
    if (!progressRunning_) return;
    const std::int64_t elapsed = timers_.milliseconds() - progressStart_;
    if (elapsed < progressLength_) {
        const int position = static_cast<int>(elapsed / kProgressInterval * kProgressInterval);
        view_.showProgress({true, progressRed_, position, progressLength_});
        return;
    }
    stopProgress();
    view_.showProgress({false, progressRed_, 0, 0});
    view_.showWaitLabel("");
    switch (phase_) {
        case TestPhase::Opening:
            setPhase(TestPhase::Ready);
            mark_ += formats::kMarkTestBegins;
            progressRed_ = false;
            view_.showProgress({false, false, 0, 0});
            view_.showMessage(text(txt::TestAskQuestion));
            showList();
            view_.focusQuestionList();
            break;
        case TestPhase::Question:
        case TestPhase::AnswerWait:
        case TestPhase::Reaction:
            questionTimeOver();
            break;
        case TestPhase::Closing:
            finishClosing();
            break;
        default:
            break;
    }
}

void TestRun::questionTimeOver() {
    const TestPhase from = phase_;
    setPhase(TestPhase::Ready);
    view_.showMessage(text(txt::TestAskQuestion));
    mark_ += formats::kMarkReady;
    if (from == TestPhase::Question || from == TestPhase::AnswerWait) {
        list_.enabled = true;
        selectNext();
        view_.showAnswerButtons(true);
    }
    if (from != TestPhase::Reaction || answerBeforeEnd_) {
        view_.drawEvent({EventKind::Ready, "", "", false, {255, 255, 255}});
    }
    showList();
    const bool allAsked = std::all_of(list_.entries.begin(), list_.entries.end(),
                                      [](const QuestionEntry& entry) { return entry.presentations > 0; });
    if (allAsked && !exhaustedAsked_) offerContinue();
}

void TestRun::offerContinue() {
    exhaustedAsked_ = true;
    view_.showMessage(text(txt::TestQuestionsExhausted));
    bool goOn = false;
    {
        DialogScope dialog(inDialog_);
        goOn = view_.askContinue({text(txt::ContinueTestQuestion), text(txt::ContinueTestQuestion),
                                  text(txt::ContinueTestContinue), "", text(txt::ContinueTestTerminate)});
    }
    if (closeRequested_) return;
    if (goOn) {
        view_.showMessage(text(txt::TestAskQuestion));
    } else {
        keepOrDiscard(false);
    }
}

void TestRun::clockTick() {
    if (paused_ || stopping_) return;
    --remaining_;
    view_.showTimeRemaining(std::to_string(std::max(remaining_, 0)));
    // A tick code past 999 would read as an event; a test kept open that long just repeats the last one.
    mark_ += static_cast<std::uint32_t>(std::clamp(kTestSeconds - remaining_, 0, 999));
    if (remaining_ > 15 || phase_ != TestPhase::Ready || timeLimitAsked_) return;
    timeLimitAsked_ = true;
    if (distinct_ >= kMinDistinct) {
        keepOrDiscard(true);
        return;
    }
    {
        DialogScope dialog(inDialog_);
        view_.showInformation(text(txt::TestAbortedTimeLimit));
    }
    deleteChart();
    requestClose(false);
}

}  // namespace lumo::recording
