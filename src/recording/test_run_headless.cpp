#include "recording/test_run_headless.h"

#include <algorithm>
#include <string>

#include "core/numbers.h"
#include "core/settings.h"

namespace lumo::recording {

namespace {

struct Band {
    int top = 0;
    int bottom = 0;
};

Band bandOf(const core::SettingsList& list, int channel) {
    const std::string i = std::to_string(channel);
    Band band{list.integerOr("Test_iMin" + i, 0), list.integerOr("Test_iMax" + i, 1000)};
    if (band.bottom < band.top) std::swap(band.top, band.bottom);
    return band;
}

int gainOf(const core::SettingsList& list, int channel) {
    const std::string i = std::to_string(channel);
    if (list.value("ChVisible" + i) != "1") return 0;
    return std::clamp(list.integerOr("DefScrGain" + i, 0), 0, 9);
}

}  // namespace

ScreenStart screenStartFromSettings(const core::Settings& settings) {
    ScreenStart start;
    for (int channel = 0; channel < formats::kScreenChannels; ++channel) {
        const auto index = static_cast<std::size_t>(channel);
        const Band band = bandOf(settings.list(), channel);
        start.bandHeights[index] = band.bottom - band.top;
        formats::ScreenEvent& event = start.events[index];
        event.time = 0;
        event.channel = channel;
        event.gain = static_cast<std::uint8_t>(gainOf(settings.list(), channel) * 11);
        // On a display of 1000 pixels a pixel is a per mille.
        event.centre = static_cast<std::int32_t>(core::rnd((band.top + band.bottom) / 2.0));
        event.offset = 0;
    }
    return start;
}

DisplayKeep displayKeepFromSettings(const core::Settings& settings) {
    DisplayKeep keep;
    const core::SettingsList& list = settings.list();
    keep.speedEntry = speedEntryFromSetting(list.value("Test_Speed"));
    for (int channel = 0; channel < formats::kScreenChannels; ++channel) {
        const auto index = static_cast<std::size_t>(channel);
        const Band band = bandOf(list, channel);
        keep.top[index] = band.top;
        keep.bottom[index] = band.bottom;
        keep.gain[index] = std::clamp(list.integerOr("DefScrGain" + std::to_string(channel), 0), 0, 9);
    }
    return keep;
}

std::vector<formats::ScreenEvent> HeadlessTestView::centreAllChannels() {
    ++centrings;
    return {};
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
