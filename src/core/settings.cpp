#include "core/settings.h"

#include <algorithm>
#include <cmath>

#include "core/colors.h"
#include "core/cp1251.h"
#include "core/errors.h"
#include "core/paths.h"

namespace lumo::core {

namespace {

const std::string kNone;

template <std::size_t N>
const std::string& entry(const std::array<std::string, N>& table, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < N ? table[static_cast<std::size_t>(index)] : kNone;
}

}  // namespace

Settings::Settings(std::filesystem::path home) : home_(std::move(home)) {}

std::filesystem::path Settings::fileName() const {
    // Homes copied from other installations often spell it "LUMO7W.INI".
    return resolvePath(home_, "lumo7w.ini");
}

void Settings::load() {
    list_.loadFromFile(fileName());
    std::string systemPath = home_.string();
    if (systemPath.empty() || systemPath.back() != '/') systemPath += '/';
    list_.setValue("SystemPath", systemPath);
    buildDerivedTables();
}

void Settings::save() const {
    list_.saveToFile(fileName());
}

Language Settings::language() const {
    return languageFromSetting(list_.value("Language"));
}

void Settings::buildDerivedTables() {
    const int types = list_.integer("NQType");
    if (types < 1 || types > kMaxQuestionTypes) {
        throw EConvertError("'" + list_.value("NQType") + "' is not a valid number of question types");
    }
    questionTypeCount_ = types;
    for (int n = 1; n <= types; ++n) {
        for (const char* language : {"Eng_", "Rus_"}) {
            const std::string key = std::string(language) + "QSign" + std::to_string(n);
            const std::string letter = leftChars(list_.value(key), 1);
            // Signs map back to types by these letters: an empty one would make
            // every sign of that type unreadable.
            if (letter.empty()) throw EConvertError("'" + key + "' holds no sign letter");
            (language[0] == 'E' ? englishSigns_ : russianSigns_)[static_cast<std::size_t>(n)] = letter;
        }
    }

    prefix_ = languageFromSetting(list_.value("Language")) == Language::Russian ? "Rus_" : "Eng_";

    for (int n = 1; n <= kMethodCount; ++n) methodNames_[n] = list_.text(prefixed("MName" + std::to_string(n)));
    for (int n = 1; n <= kParameterCount; ++n) {
        parameterNames_[n] = list_.text(prefixed("ParamName" + std::to_string(n)));
    }
    for (int n = 1; n <= kScoreSignCount; ++n) {
        scoreSigns_[n] = list_.value(prefixed("ScoreQSign" + std::to_string(n)));
        colorFromName(list_.value("ScoreQColor" + std::to_string(n)));  // checked only
    }
    for (int n = 0; n < kErrorMessageCount; ++n) {
        errorMessages_[n] = list_.text(prefixed("ErrorMessage" + std::to_string(n)));
    }
    // A position outside the eight places is held at the nearest one, as the live display does.
    for (int i = 0; i < kChannelCount; ++i) {
        channelOrder_[i] = std::clamp(list_.integer("ChSeq" + std::to_string(i)), 0, kChannelCount - 1) + 1;
    }
}

const std::string& Settings::englishSignLetter(int type) const {
    return type <= questionTypeCount_ ? entry(englishSigns_, type) : kNone;
}

const std::string& Settings::russianSignLetter(int type) const {
    return type <= questionTypeCount_ ? entry(russianSigns_, type) : kNone;
}

const std::string& Settings::methodName(int method) const {
    return method >= 1 ? entry(methodNames_, method) : kNone;
}

const std::string& Settings::parameterName(int parameter) const {
    return parameter >= 1 ? entry(parameterNames_, parameter) : kNone;
}

const std::string& Settings::scoreSign(int sign) const {
    return sign >= 1 ? entry(scoreSigns_, sign) : kNone;
}

const std::string& Settings::errorMessage(int code) const {
    return entry(errorMessages_, code);
}

int Settings::channelOrder(int channel) const {
    return channel >= 0 && channel < kChannelCount ? channelOrder_[static_cast<std::size_t>(channel)] : 0;
}

Language languageFromSetting(std::string_view value) {
    return upperCase(value) == "RUS" ? Language::Russian : Language::English;
}

double screenResolution(int width, int height, int diagonalMillimetres) {
    const double w = width;
    const double h = height;
    return std::sqrt(w * w + h * h) / diagonalMillimetres * 25.4;
}

int keyboardLayoutFromLocale(std::string_view localeName) {
    if (localeName.empty() || localeName == "C") return 2;
    return localeName.substr(0, 2) == "ru" ? 1 : 0;
}

}  // namespace lumo::core
