#include "core/key_script.h"

#include <charconv>

#include "core/errors.h"

namespace lumo::core {

namespace {

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// "NAME [NUMBER]": the number is taken only when the last word is one.
template <typename Number>
bool splitTrailingNumber(std::string_view rest, std::string_view& head, Number& number) {
    const auto space = rest.find_last_of(" \t");
    if (space == std::string_view::npos) return false;
    const std::string_view tail = rest.substr(space + 1);
    Number value{};
    const auto [end, error] = std::from_chars(tail.data(), tail.data() + tail.size(), value);
    if (error != std::errc() || end != tail.data() + tail.size()) return false;
    head = trimmed(rest.substr(0, space));
    number = value;
    return true;
}

[[noreturn]] void fail(int line, const std::string& why) {
    throw EConvertError("key script line " + std::to_string(line) + ": " + why);
}

}  // namespace

std::vector<KeyScriptStep> parseKeyScript(std::string_view text) {
    std::vector<KeyScriptStep> steps;
    int lineNumber = 0;
    while (!text.empty()) {
        const auto end = text.find('\n');
        const std::string_view raw = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++lineNumber;
        const std::string_view line = trimmed(raw);
        if (line.empty() || line.front() == '#') continue;

        const auto space = line.find_first_of(" \t");
        const std::string_view word = line.substr(0, space);
        std::string_view rest = space == std::string_view::npos ? std::string_view() : trimmed(line.substr(space));
        KeyScriptStep step;
        step.line = lineNumber;
        if (word == "wait") {
            step.kind = KeyScriptStep::Kind::Wait;
            std::string_view head;
            double seconds = 0;
            if (splitTrailingNumber(rest, head, seconds)) {
                if (seconds <= 0) fail(lineNumber, "a wait needs a positive number of seconds");
                step.seconds = seconds;
                rest = head;
            }
        } else if (word == "key") {
            step.kind = KeyScriptStep::Kind::Key;
            std::string_view head;
            int count = 0;
            if (splitTrailingNumber(rest, head, count)) {
                if (count < 1) fail(lineNumber, "a key is pressed at least once");
                step.count = count;
                rest = head;
            }
        } else if (word == "type") {
            step.kind = KeyScriptStep::Kind::Type;
        } else if (word == "focus") {
            step.kind = KeyScriptStep::Kind::Focus;
        } else if (word == "expect") {
            step.kind = KeyScriptStep::Kind::Expect;
        } else if (word == "shot") {
            step.kind = KeyScriptStep::Kind::Shot;
        } else {
            fail(lineNumber, "unknown step \"" + std::string(word) + "\"");
        }
        if (rest.empty()) fail(lineNumber, "\"" + std::string(word) + "\" needs an argument");
        step.argument = std::string(rest);
        steps.push_back(std::move(step));
    }
    return steps;
}

}  // namespace lumo::core
