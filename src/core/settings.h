#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/settings_list.h"
#include "core/string_table.h"

namespace lumo::core {

inline constexpr int kChannelCount = 8;
inline constexpr int kMethodCount = 6;
inline constexpr int kParameterCount = 12;
inline constexpr int kScoreSignCount = 8;
inline constexpr int kErrorMessageCount = 10;
inline constexpr int kMaxQuestionTypes = 20;

// The process-wide settings: the settings list of the data home's
// "lumo7w.ini" and the tables derived from it at every load.
class Settings {
public:
    explicit Settings(std::filesystem::path home);

    // Reads the file and runs the load steps; raises EInOutError for a missing
    // or unreadable file, EConvertError for a malformed required key.
    void load();
    // Writes the list back to the file (atomically).
    void save() const;
    // Replaces the list (the system parameters dialog's OK) without saving.
    void replaceList(const SettingsList& list) { list_ = list; }

    SettingsList& list() { return list_; }
    const SettingsList& list() const { return list_; }
    const std::filesystem::path& home() const { return home_; }
    std::filesystem::path fileName() const;

    // The language as the list says at this moment; texts follow it at once.
    Language language() const;
    // "Rus_" or "Eng_", fixed at the last load.
    const std::string& prefix() const { return prefix_; }
    // The key under the language prefix ("MName3" -> "Eng_MName3").
    std::string prefixed(std::string_view key) const { return prefix_ + std::string(key); }

    // Derived tables of the last load.
    int questionTypeCount() const { return questionTypeCount_; }
    // Sign letters of type n = 1 ... questionTypeCount() (one UTF-8 character).
    const std::string& englishSignLetter(int type) const;
    const std::string& russianSignLetter(int type) const;
    const std::string& methodName(int method) const;        // 1 ... 6, "" outside
    const std::string& parameterName(int parameter) const;  // 1 ... 12
    const std::string& scoreSign(int sign) const;           // 1 ... 8
    const std::string& errorMessage(int code) const;        // 0 ... 9
    int channelOrder(int channel) const;                    // ChSeq i + 1

private:
    void buildDerivedTables();

    std::filesystem::path home_;
    SettingsList list_;
    std::string prefix_ = "Eng_";
    int questionTypeCount_ = 0;
    std::array<std::string, kMaxQuestionTypes + 1> englishSigns_;
    std::array<std::string, kMaxQuestionTypes + 1> russianSigns_;
    std::array<std::string, kMethodCount + 1> methodNames_;
    std::array<std::string, kParameterCount + 1> parameterNames_;
    std::array<std::string, kScoreSignCount + 1> scoreSigns_;
    std::array<std::string, kErrorMessageCount> errorMessages_;
    std::array<int, kChannelCount> channelOrder_{};
};

// "RUS" in any letter case selects Russian; any other value English.
Language languageFromSetting(std::string_view value);

// Pixels per inch of a screen of w x h pixels whose visible diagonal is d mm.
double screenResolution(int width, int height, int diagonalMillimetres);

// The stand-in of the keyboard layout probe: the input method's locale name
// ("ru_RU") gives 1 for Russian, 0 for any other, 2 when unknown (empty).
int keyboardLayoutFromLocale(std::string_view localeName);

// Picks a text of the string table by the language the settings hold at the
// moment of the call: the one place where the language of a text is chosen.
class Texts {
public:
    Texts(const StringTable& table, const Settings& settings) : table_(table), settings_(settings) {}
    std::string operator()(int id) const { return std::string(table_.text(id, settings_.language())); }
    Language language() const { return settings_.language(); }

private:
    const StringTable& table_;
    const Settings& settings_;
};

}  // namespace lumo::core
