#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/errors.h"

namespace lumo::formats {

// Two lines are joined into one question only while the result stays within this.
inline constexpr std::size_t kBankJoinLimit = 253;

// A topic file of the question bank: Windows-1251 lines, the topic name first
// (over one or more lines, up to the first line ending with "."), then the
// question texts.
struct BankTopic {
    std::string name;                     // the name lines joined with single blanks
    int nameLines = 0;                    // lines of the file the name occupies
    std::vector<std::string> questions;  // joined into questions, each ending with "?"
    bool operator==(const BankTopic&) const = default;
};

// A file that cannot be a topic: the view names the file and the line in the
// workstation's language from `reason` and `line`.
class EBankTopicError : public EInOutError {
public:
    enum class Reason { NotText, NoName };
    EBankTopicError(Reason reason, int line, const std::string& message)
        : EInOutError(message), reason_(reason), line_(line) {}
    Reason reason() const { return reason_; }
    int line() const { return line_; }  // from 1

private:
    Reason reason_;
    int line_;
};

// The question lines that follow the name, joined: a line that ends with "?" is
// one question; any other is joined to the next with a blank (and examined
// again) unless the two together would exceed kBankJoinLimit characters or it
// is the last line, when it gets a "?". Empty lines carry no question and are
// passed over.
std::vector<std::string> joinBankQuestions(const std::vector<std::string>& lines);

// Raises EBankTopicError for bytes that are not text (control characters other
// than tab, CR and LF) and for a file in which no line ends the name with ".".
BankTopic decodeBankTopic(std::string_view bytes, const std::string& fileName);
BankTopic readBankTopicFile(const std::filesystem::path& path);

// The name as one line, then the question lines as given.
std::string encodeBankTopic(std::string_view name, const std::vector<std::string>& lines);
// Replaces the file whole (atomic write).
void writeBankTopicFile(const std::filesystem::path& path, std::string_view name,
                        const std::vector<std::string>& lines);

}  // namespace lumo::formats
