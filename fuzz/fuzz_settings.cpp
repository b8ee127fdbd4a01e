// The settings file against arbitrary bytes: a damaged file must be refused
// with the system's error, and a file that loads must save to a file that
// loads to the same lines and tables.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/errors.h"
#include "core/settings.h"
#include "core/text_file.h"
#include "fuzz_support.h"

namespace {

bool sameTables(const lumo::core::Settings& a, const lumo::core::Settings& b) {
    if (a.questionTypeCount() != b.questionTypeCount() || a.prefix() != b.prefix()) return false;
    for (int n = 0; n <= lumo::core::kMaxQuestionTypes + 1; ++n) {
        if (a.englishSignLetter(n) != b.englishSignLetter(n) || a.russianSignLetter(n) != b.russianSignLetter(n)) {
            return false;
        }
    }
    for (int n = 0; n <= lumo::core::kParameterCount + 1; ++n) {
        if (a.methodName(n) != b.methodName(n) || a.parameterName(n) != b.parameterName(n) ||
            a.scoreSign(n) != b.scoreSign(n) || a.errorMessage(n) != b.errorMessage(n) ||
            a.channelOrder(n) != b.channelOrder(n)) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumo;
    const std::filesystem::path& home = fuzz::scratchFolder("settings");
    fuzz::writeInput(home / "lumo7w.ini", data, size);
    core::Settings settings(home);
    try {
        settings.load();
    } catch (const LumoError&) {
        return 0;
    }
    const int types = settings.questionTypeCount();
    if (types < 1 || types > core::kMaxQuestionTypes) std::abort();
    for (int n = 1; n <= types; ++n) {
        if (settings.englishSignLetter(n).empty() || settings.russianSignLetter(n).empty()) std::abort();
    }
    settings.save();
    core::Settings again(home);
    again.load();
    if (again.list().lines() != settings.list().lines() || !sameTables(settings, again)) std::abort();
    return 0;
}
