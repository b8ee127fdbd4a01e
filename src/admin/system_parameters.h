#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/settings.h"

namespace lumo::core {
class SettingsList;
}

namespace lumo::admin {

// The colour names of the dialog's swatch lists, in the order offered; the
// chosen entry is written as it is spelt here.
inline constexpr std::array<std::string_view, 16> kSystemColorNames = {
    "Black", "Maroon", "Green", "Olive", "Navy", "Purple", "Teal", "Silver",
    "Gray",  "Red",    "Lime",  "Yellow", "Blue", "Fuchsia", "Aqua", "White"};

inline constexpr int kBandHeightMin = 1;
inline constexpr int kBandHeightMax = 99;
inline constexpr int kQuestionTimeMin = 15;
inline constexpr int kQuestionTimeMax = 30;
inline constexpr int kWorkAreaMin = 1;
inline constexpr int kWorkAreaMax = 25000;
inline constexpr int kFirstArtefact = 5;  // the artefact keys F5 ... F8
inline constexpr int kLastArtefact = 8;

// Index of a colour name (any letter case) in kSystemColorNames, or -1.
int systemColorIndex(std::string_view name);

// One row of the channel table: the channel shown there and its controls.
struct ChannelRow {
    int channel = 0;
    int color = -1;  // index in kSystemColorNames; -1 for a name the list lacks
    bool on = true;
    bool visible = true;
    int height = kBandHeightMin;  // percent of the chart height
};

// The rules of the system parameters dialog over its working copy of the
// settings: every control writes its key into the copy at once, the band
// heights are turned into band edges at OK, and the language choice decides
// the names shown and the artefact keys edited. The copy is normalised when
// this is built, as the dialog shows it.
class SystemParameters {
public:
    // Raises EConvertError when ChSeq, Test_iMin, Test_iMax or QuestionTime
    // of a channel is missing or no integer; the copy is then untouched.
    explicit SystemParameters(core::SettingsList& copy);

    const core::SettingsList& copy() const { return copy_; }

    // Rows by display position 0 ... 7.
    const ChannelRow& row(int position) const;
    int rowOfChannel(int channel) const;
    void setColor(int position, int colorIndex);
    void setSwitch(int position, bool on);
    void setVisible(int position, bool visible);
    // Held within 1 ... 99 as the field holds it; written at applyBandHeights().
    void setBandHeight(int position, int height);
    // Gives each channel's band the height of its row around its centre
    // (halves rounded to even); run at OK and again when the dialog closes.
    void applyBandHeights();

    int backgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(int colorIndex);

    int port() const { return port_; }  // 1 or 2
    void setPort(int port);
    int questionTime() const { return questionTime_; }
    void setQuestionTime(int seconds);
    bool scrolling() const { return scrolling_; }
    void setScrolling(bool on);

    // The text of MonitorDiagonal as stored; a typed text that is no number
    // in 1 ... 25000 is ignored (false) and the key keeps its value.
    std::string workArea() const;
    bool setWorkArea(std::string_view text);

    // The dialog's own language choice; switching it writes Language and
    // changes the names below to that language's keys.
    core::Language language() const { return language_; }
    void setLanguage(core::Language language);
    std::string channelName(int position) const;
    std::string backgroundName() const;
    // Artefact n = 5 ... 8 of the chosen language, as stored.
    std::string artefactName(int n) const;
    void setArtefactName(int n, std::string_view name);
    // The key the artefact field n edits (Eng_Art5 ... or Rus_Art5 ...).
    std::string artefactKey(int n) const;

private:
    std::string prefix() const;
    std::string channelKey(std::string_view stem, int position) const;
    void placeChannels();
    void normaliseUnitPassword();

    core::SettingsList& copy_;
    std::array<ChannelRow, core::kChannelCount> rows_{};
    int backgroundColor_ = 0;
    int port_ = 1;
    int questionTime_ = kQuestionTimeMin;
    bool scrolling_ = false;
    core::Language language_ = core::Language::English;
};

// The OK of the system parameters command: the copy replaces the settings,
// which are saved and loaded again. A save that fails (a full disk) leaves
// the file and the settings as they were and raises its error.
void applySystemParameters(core::Settings& settings, const core::SettingsList& copy);

}  // namespace lumo::admin
