#include "admin/system_parameters.h"

#include <algorithm>

#include "core/cp1251.h"
#include "core/numbers.h"
#include "core/scramble.h"
#include "core/settings_list.h"

namespace lumo::admin {

namespace {

std::string indexed(std::string_view stem, int index) {
    return std::string(stem) + std::to_string(index);
}

int clampedColor(int index) {
    return std::clamp(index, -1, static_cast<int>(kSystemColorNames.size()) - 1);
}

int bandHeight(int min, int max) {
    const auto height = core::rnd((max - min) / 10.0);
    return static_cast<int>(std::clamp<std::int64_t>(height, kBandHeightMin, kBandHeightMax));
}

}  // namespace

int systemColorIndex(std::string_view name) {
    for (std::size_t i = 0; i < kSystemColorNames.size(); ++i) {
        if (core::equalsIgnoreCase(kSystemColorNames[i], name)) return static_cast<int>(i);
    }
    return -1;
}

SystemParameters::SystemParameters(core::SettingsList& copy) : copy_(copy) {
    // Every integer is read before anything is written: a bad key leaves the copy as it was.
    std::array<int, core::kChannelCount> heights{};
    for (int channel = 0; channel < core::kChannelCount; ++channel) {
        heights[static_cast<std::size_t>(channel)] =
            bandHeight(copy_.integer(indexed("Test_iMin", channel)), copy_.integer(indexed("Test_iMax", channel)));
    }
    const int questionTime = copy_.integer("QuestionTime");
    placeChannels();

    for (ChannelRow& row : rows_) {
        const int i = row.channel;
        row.color = systemColorIndex(copy_.value(indexed("ChColor", i)));
        if (row.color >= 0) copy_.setValue(indexed("ChColor", i), kSystemColorNames[static_cast<std::size_t>(row.color)]);
        // The boxes write what they show: an absent ChVisible would otherwise
        // show checked here and hide the channel everywhere else.
        row.on = copy_.value(indexed("ChSwitch", i)) != "0";
        row.visible = copy_.value(indexed("ChVisible", i)) != "0";
        copy_.setValue(indexed("ChSwitch", i), row.on ? "1" : "0");
        copy_.setValue(indexed("ChVisible", i), row.visible ? "1" : "0");
        row.height = heights[static_cast<std::size_t>(i)];
    }

    // An unknown background shows as Black, and Black is what OK keeps.
    setBackgroundColor(std::max(systemColorIndex(copy_.value("ChBackColor")), 0));
    setPort(copy_.value("UnitComPort") == "2" ? 2 : 1);
    if (copy_.boolean("ContScroll")) setScrolling(true);
    setQuestionTime(questionTime);
    // The choice shows the language the workstation runs in (RUS in any
    // letter case is Russian, anything else English).
    setLanguage(core::languageFromSetting(copy_.value("Language")));
    normaliseUnitPassword();
}

void SystemParameters::placeChannels() {
    // ChSeq should be a permutation; a channel whose place is taken or out of
    // range goes to the first free row, so every channel keeps its controls.
    std::array<bool, core::kChannelCount> taken{};
    std::array<int, core::kChannelCount> place{};
    for (int channel = 0; channel < core::kChannelCount; ++channel) {
        const int wanted = copy_.integer(indexed("ChSeq", channel));
        const bool free = wanted >= 0 && wanted < core::kChannelCount && !taken[static_cast<std::size_t>(wanted)];
        place[static_cast<std::size_t>(channel)] = free ? wanted : -1;
        if (free) taken[static_cast<std::size_t>(wanted)] = true;
    }
    for (int channel = 0; channel < core::kChannelCount; ++channel) {
        int position = place[static_cast<std::size_t>(channel)];
        if (position < 0) {
            position = static_cast<int>(std::find(taken.begin(), taken.end(), false) - taken.begin());
            taken[static_cast<std::size_t>(position)] = true;
        }
        rows_[static_cast<std::size_t>(position)].channel = channel;
    }
}

void SystemParameters::normaliseUnitPassword() {
    const std::string stored = copy_.value("UnitPassword");
    if (copy_.boolean("RememberPassword") && !stored.empty()) {
        // The routine works on the code page's bytes, as the file holds them.
        copy_.setValue("UnitPassword",
                       core::fromCp1251(core::scrambleBytes(core::unscrambleBytes(core::toCp1251(stored)))));
    } else {
        copy_.setValue("UnitPassword", " ");
    }
}

const ChannelRow& SystemParameters::row(int position) const {
    return rows_.at(static_cast<std::size_t>(position));
}

int SystemParameters::rowOfChannel(int channel) const {
    for (std::size_t r = 0; r < rows_.size(); ++r) {
        if (rows_[r].channel == channel) return static_cast<int>(r);
    }
    return -1;
}

std::string SystemParameters::channelKey(std::string_view stem, int position) const {
    return indexed(stem, row(position).channel);
}

void SystemParameters::setColor(int position, int colorIndex) {
    ChannelRow& target = rows_.at(static_cast<std::size_t>(position));
    target.color = clampedColor(colorIndex);
    if (target.color >= 0) {
        copy_.setValue(channelKey("ChColor", position), kSystemColorNames[static_cast<std::size_t>(target.color)]);
    }
}

void SystemParameters::setSwitch(int position, bool on) {
    rows_.at(static_cast<std::size_t>(position)).on = on;
    copy_.setValue(channelKey("ChSwitch", position), on ? "1" : "0");
}

void SystemParameters::setVisible(int position, bool visible) {
    rows_.at(static_cast<std::size_t>(position)).visible = visible;
    copy_.setValue(channelKey("ChVisible", position), visible ? "1" : "0");
}

void SystemParameters::setBandHeight(int position, int height) {
    rows_.at(static_cast<std::size_t>(position)).height = std::clamp(height, kBandHeightMin, kBandHeightMax);
}

void SystemParameters::applyBandHeights() {
    for (const ChannelRow& row : rows_) {
        const std::string minKey = indexed("Test_iMin", row.channel);
        const std::string maxKey = indexed("Test_iMax", row.channel);
        // Doubles hold these sums exactly, so the halves are true halves.
        const double sum = static_cast<double>(copy_.integer(minKey)) + copy_.integer(maxKey);
        const double span = 10.0 * row.height;
        copy_.setValue(minKey, std::to_string(core::rnd((sum - span) / 2)));
        copy_.setValue(maxKey, std::to_string(core::rnd((sum + span) / 2)));
    }
}

void SystemParameters::setBackgroundColor(int colorIndex) {
    backgroundColor_ = std::max(clampedColor(colorIndex), 0);
    copy_.setValue("ChBackColor", kSystemColorNames[static_cast<std::size_t>(backgroundColor_)]);
}

void SystemParameters::setPort(int port) {
    port_ = port == 2 ? 2 : 1;
    copy_.setValue("UnitComPort", std::to_string(port_));
}

void SystemParameters::setQuestionTime(int seconds) {
    questionTime_ = std::clamp(seconds, kQuestionTimeMin, kQuestionTimeMax);
    copy_.setValue("QuestionTime", std::to_string(questionTime_));
}

void SystemParameters::setScrolling(bool on) {
    scrolling_ = on;
    copy_.setValue("ContScroll", on ? "TRUE" : "FALSE");
}

std::string SystemParameters::workArea() const {
    return copy_.value("MonitorDiagonal");
}

bool SystemParameters::setWorkArea(std::string_view text) {
    // The diagonal divides the screen size: zero or less would break every chart scale.
    const int millimetres = core::strToIntDef(text, 0);
    if (millimetres < kWorkAreaMin || millimetres > kWorkAreaMax) return false;
    copy_.setValue("MonitorDiagonal", std::to_string(millimetres));
    return true;
}

void SystemParameters::setLanguage(core::Language language) {
    language_ = language;
    copy_.setValue("Language", language == core::Language::Russian ? "RUS" : "ENG");
}

std::string SystemParameters::prefix() const {
    return language_ == core::Language::Russian ? "Rus_" : "Eng_";
}

std::string SystemParameters::channelName(int position) const {
    return copy_.value(prefix() + channelKey("ChName", position));
}

std::string SystemParameters::backgroundName() const {
    return copy_.value(prefix() + "ChBackName");
}

std::string SystemParameters::artefactKey(int n) const {
    return prefix() + indexed("Art", std::clamp(n, kFirstArtefact, kLastArtefact));
}

std::string SystemParameters::artefactName(int n) const {
    return copy_.value(artefactKey(n));
}

void SystemParameters::setArtefactName(int n, std::string_view name) {
    copy_.setValue(artefactKey(n), name);
}

void applySystemParameters(core::Settings& settings, const core::SettingsList& copy) {
    const core::SettingsList previous = settings.list();
    settings.replaceList(copy);
    try {
        settings.save();
    } catch (...) {
        // The file kept its old content; so do the settings in use.
        settings.replaceList(previous);
        throw;
    }
    settings.load();
}

}  // namespace lumo::admin
