#include "recording/test_run_headless.h"

namespace lumo::recording {

namespace {

// A display of 1000 pixels high makes a pixel a per mille of its height, as
// the screen-settings file counts. The width and the resolution only decide
// where the picture would scroll, which nothing recorded depends on.
constexpr int kDisplayWidth = 1000;
constexpr int kDisplayHeight = 1000;
constexpr double kDisplayResolution = 96.0;

DisplayModel sizedDisplay(const core::Settings& settings) {
    DisplayModel display(readDisplaySettings(settings), kDisplayResolution);
    display.setSize(kDisplayWidth, kDisplayHeight);
    return display;
}

}  // namespace

HeadlessTestView::HeadlessTestView(const core::Settings& settings) : display_(sizedDisplay(settings)) {}

std::vector<formats::ScreenEvent> HeadlessTestView::drawPeriod(const PeriodSample& sample) {
    lastSample = sample;
    ++periods;
    if (sample.recording) marks.push_back(sample.mark);
    return display_.drawPeriod(sample).events;
}

std::vector<formats::ScreenEvent> HeadlessTestView::centreAllChannels() {
    ++centrings;
    std::vector<formats::ScreenEvent> screenEvents;
    (void)display_.centreAll(screenEvents);
    return screenEvents;
}

bool HeadlessTestView::confirm(const std::string&) {
    ++confirmations;
    return answerConfirm();
}

bool HeadlessTestView::askContinue(const ChoiceTexts&) {
    ++continueDialogs;
    return answerContinue();
}

bool HeadlessTestView::askKeepChart(const ChoiceTexts&) {
    ++keepDialogs;
    return answerKeep();
}

}  // namespace lumo::recording
