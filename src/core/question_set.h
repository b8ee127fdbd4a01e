#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/colors.h"

namespace lumo::core {

class Settings;

inline constexpr int kMaxQuestions = 20;
inline constexpr int kOrderCount = 4;
// Exam files carry this many type counters whatever the settings say.
inline constexpr int kExamTypeCounters = 7;
inline constexpr std::size_t kQuestionTextPart = 60;

// The sign letters (both languages) and colour names of the question types
// 1 ... count, as the settings held them when the object was made.
class QuestionTypes {
public:
    struct Type {
        std::string englishLetter;  // one UTF-8 character
        std::string russianLetter;
        std::string colourName;     // a QColor value, parsed when asked for
    };

    QuestionTypes() = default;
    explicit QuestionTypes(std::vector<Type> types) : types_(std::move(types)) {}
    // NQType types with Eng_QSign n, Rus_QSign n and QColor n.
    explicit QuestionTypes(const Settings& settings);

    int count() const { return static_cast<int>(types_.size()); }

    // The first character of the sign that is a letter of some type decides:
    // characters from the first to the last, types in increasing order,
    // letter case counts. 0 when no character matches.
    int signToType(std::string_view sign) const;
    // QColor of the sign's type; black when no type matches. A colour setting
    // that names no colour raises EConvertError.
    Rgb signToColour(std::string_view sign) const;

private:
    std::vector<Type> types_;
};

// One question of a set, with the fixed field widths of the exam file.
struct TQsHandle {
    std::string number;       // " 1" ... "20"
    std::string sign;         // normalised to (at least) 3 characters on reading
    std::string answer;       // "+" or "-"
    std::string textPart1;    // first 60 characters of the text
    std::string textPart2;    // the rest, empty for a text of at most 60
    std::array<int, kOrderCount> orders{};  // position in orders 1 ... 4 (index 0 ... 3)
    std::string reserved = " ";

    std::string text() const { return textPart1 + textPart2; }
    // Position in order n = 1 ... 4; EListError outside.
    int order(int n) const;
    void setOrder(int n, int position);
};

// A question set in memory: the content of one exam file.
class TQstTest {
public:
    // An empty set; saving it writes `typeCounters` counters.
    explicit TQstTest(QuestionTypes types = {}, int typeCounters = kExamTypeCounters);
    // Reads an exam file with `typeCounters` type counters (0 ... 20). A
    // missing line raises EListError naming the file, a non-number
    // EConvertError naming the line; more than 20 questions are refused.
    TQstTest(const std::filesystem::path& file, int typeCounters, QuestionTypes types = {});
    // The same from the file's bytes (Windows-1251); `fileName` names it in errors.
    static TQstTest fromBytes(std::string_view bytes, int typeCounters, const std::string& fileName,
                              QuestionTypes types = {});

    // Writes the exam format, header as held (the date is not refreshed), the
    // counters this set was read with, then every question block (atomic write).
    void save(const std::filesystem::path& file) const;
    // The file's lines as save writes them.
    std::vector<std::string> toLines() const;

    int questionCount() const { return static_cast<int>(questions.size()); }
    // Question i = 1 ... questionCount(); EListError outside.
    const TQsHandle& question(int i) const;
    TQsHandle& question(int i);
    // Type count n = 1 ... 20; EListError outside.
    int typeCount(int n) const;
    void setTypeCount(int n, int count);

    // The questions (1 ... questionCount()) by their position in order n =
    // 1 ... 4: the k-th is the one at position k. Positions that repeat or
    // are missing in a damaged file keep every question, ties in row order.
    std::vector<int> questionsInOrder(int n) const;

    const QuestionTypes& types() const { return types_; }
    // The type of question i's sign (0 when it matches no type).
    int questionType(int i) const { return types_.signToType(question(i).sign); }
    int typeCounters() const { return typeCounters_; }

    std::string examineeName;
    std::string operatorName;
    int method = 0;
    int reserved = 0;
    std::string examMark;  // at most 60 characters
    std::string date;      // "dd-mm-yyyy"
    std::vector<TQsHandle> questions;  // file order; at most 20

private:
    QuestionTypes types_;
    int typeCounters_ = kExamTypeCounters;
    std::array<int, 21> typeCounts_{};  // index 1 ... 20
};

}  // namespace lumo::core
