#include "formats/bank_topic.h"

#include "core/atomic_file.h"
#include "core/cp1251.h"
#include "core/text_file.h"

namespace lumo::formats {

namespace {

bool endsWith(std::string_view text, char last) { return !text.empty() && text.back() == last; }

bool isBlank(std::string_view text) { return text.find_first_not_of(" \t") == std::string_view::npos; }

// The line (from 1) of the first byte that text never holds, 0 when there is none.
int firstBinaryLine(std::string_view bytes) {
    int line = 1;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '\n') ++line;
        else if (byte < 0x20 && byte != '\t' && byte != '\r') return line;
        else if (byte == 0x7F) return line;
    }
    return 0;
}

}  // namespace

std::vector<std::string> joinBankQuestions(const std::vector<std::string>& lines) {
    std::vector<std::string> questions;
    std::size_t next = 0;
    // Blank lines are passed over: read literally they would join a leading
    // blank onto the next question, or turn the last one into a lone "?".
    const auto skipBlank = [&] {
        while (next < lines.size() && isBlank(lines[next])) ++next;
    };
    skipBlank();
    while (next < lines.size()) {
        std::string question = lines[next++];
        while (!endsWith(question, '?')) {
            skipBlank();
            if (next == lines.size() ||
                core::charCount(question) + 1 + core::charCount(lines[next]) > kBankJoinLimit) {
                question += '?';
                break;
            }
            question += ' ';
            question += lines[next++];
        }
        questions.push_back(std::move(question));
        skipBlank();
    }
    return questions;
}

BankTopic decodeBankTopic(std::string_view bytes, const std::string& fileName) {
    if (const int line = firstBinaryLine(bytes); line != 0) {
        throw EBankTopicError(EBankTopicError::Reason::NotText, line,
                              fileName + " is not a text file (line " + std::to_string(line) + ")");
    }
    const std::vector<std::string> lines = core::splitTextLines(bytes);
    BankTopic topic;
    std::size_t end = 0;
    while (end < lines.size() && !endsWith(lines[end], '.')) ++end;
    if (end == lines.size()) {
        // Taking every line as the name would fold the questions into it when
        // the topic is written back.
        const int line = static_cast<int>(lines.size() < 1 ? 1 : lines.size());
        throw EBankTopicError(EBankTopicError::Reason::NoName, line,
                              fileName + " has no topic name ending with \".\" (line " + std::to_string(line) + ")");
    }
    for (std::size_t i = 0; i <= end; ++i) {
        if (i > 0) topic.name += ' ';
        topic.name += lines[i];
    }
    topic.nameLines = static_cast<int>(end + 1);
    topic.questions = joinBankQuestions(std::vector<std::string>(lines.begin() + static_cast<std::ptrdiff_t>(end + 1),
                                                                 lines.end()));
    return topic;
}

BankTopic readBankTopicFile(const std::filesystem::path& path) {
    return decodeBankTopic(core::readFileBytes(path), path.filename().string());
}

std::string encodeBankTopic(std::string_view name, const std::vector<std::string>& lines) {
    std::vector<std::string> all;
    all.reserve(lines.size() + 1);
    all.emplace_back(name);
    all.insert(all.end(), lines.begin(), lines.end());
    return core::joinTextLines(all);
}

void writeBankTopicFile(const std::filesystem::path& path, std::string_view name,
                        const std::vector<std::string>& lines) {
    core::writeFileAtomically(path, encodeBankTopic(name, lines));
}

}  // namespace lumo::formats
