#pragma once

#include <functional>
#include <string>
#include <vector>

#include "recording/display_model.h"
#include "recording/test_run.h"

namespace lumo::core {
class Settings;
}

namespace lumo::recording {

// A test window without a screen (the unattended demo, tests): it keeps the
// last texts it was given and answers the dialogs through the functions
// below. Its chart display is the window's geometry on a display 1000 pixels
// high, so that a pixel is a per mille: the channels are centred when the
// window would centre them, and the screen-settings file and the scale kept
// for the next test are what the window would record.
class HeadlessTestView : public TestRunView {
public:
    // Malformed display settings raise EConvertError, as they stop the window.
    explicit HeadlessTestView(const core::Settings& settings);

    void setCaption(const std::string& text) override { caption = text; }
    void phaseChanged(TestPhase phase) override { phases.push_back(phase); }
    void showMessage(const std::string& text) override { message = text; }
    void showWaitLabel(const std::string& text) override { waitLabel = text; }
    void showResistance(const std::string& text) override { resistance = text; }
    void showTimeRemaining(const std::string& text) override { timeRemaining = text; }
    void showProgress(const ProgressState& state) override { progress = state; }
    void showQuestionList(const QuestionListState& state) override { list = state; }
    void showAnswerButtons(bool shown) override { answerButtons = shown; }
    void enableSpeedList(bool enabled) override { speedListEnabled = enabled; }
    void focusQuestionList() override {}
    std::vector<formats::ScreenEvent> drawPeriod(const PeriodSample& sample) override;
    void drawEvent(const EventLabel& label) override { events.push_back(label); }
    std::vector<formats::ScreenEvent> centreAllChannels() override;
    ScreenStart screenStart() override { return display_.startRecording(); }
    DisplayKeep displayKeep() override { return display_.keep(); }

    bool confirm(const std::string& text) override;
    bool askContinue(const ChoiceTexts& texts) override;
    bool askKeepChart(const ChoiceTexts& texts) override;
    void showError(const std::string& text) override { errors.push_back(text); }
    void showInformation(const std::string& text) override { information.push_back(text); }
    void closeRequested(bool isCancelled) override {
        closeAsked = true;
        cancelled = isCancelled;
    }

    // Dialog answers: Yes to the abort question, Terminate at the end of the
    // questions, keep the chart; each is counted.
    std::function<bool()> answerConfirm = [] { return true; };
    std::function<bool()> answerContinue = [] { return false; };
    std::function<bool()> answerKeep = [] { return true; };
    int confirmations = 0, continueDialogs = 0, keepDialogs = 0, centrings = 0;

    std::string caption, message, waitLabel, resistance, timeRemaining;
    ProgressState progress;
    QuestionListState list;
    bool answerButtons = true;
    bool speedListEnabled = true;
    PeriodSample lastSample;
    long periods = 0;
    std::vector<std::uint16_t> marks;  // the mark word of every record written
    std::vector<TestPhase> phases;
    std::vector<EventLabel> events;
    std::vector<std::string> errors, information;
    bool closeAsked = false;
    bool cancelled = false;

    const DisplayModel& display() const { return display_; }

private:
    DisplayModel display_;
};

}  // namespace lumo::recording
