#include "core/question_set.h"

#include <algorithm>
#include <utility>

#include "core/cp1251.h"
#include "core/errors.h"
#include "core/numbers.h"
#include "core/settings.h"
#include "core/text_file.h"

namespace lumo::core {

QuestionTypes::QuestionTypes(const Settings& settings) {
    const int count = settings.questionTypeCount();
    types_.reserve(static_cast<std::size_t>(count));
    for (int n = 1; n <= count; ++n) {
        types_.push_back({settings.englishSignLetter(n), settings.russianSignLetter(n),
                          settings.list().value("QColor" + std::to_string(n))});
    }
}

int QuestionTypes::signToType(std::string_view sign) const {
    while (!sign.empty()) {
        const std::string character = leftChars(sign, 1);
        for (std::size_t n = 0; n < types_.size(); ++n) {
            if (character == types_[n].englishLetter || character == types_[n].russianLetter) {
                return static_cast<int>(n) + 1;
            }
        }
        sign.remove_prefix(character.size());
    }
    return 0;
}

Rgb QuestionTypes::signToColour(std::string_view sign) const {
    const int type = signToType(sign);
    if (type == 0) return {};
    return colorFromName(types_[static_cast<std::size_t>(type) - 1].colourName);
}

int TQsHandle::order(int n) const {
    if (n < 1 || n > kOrderCount) throw EListError("List index out of bounds (" + std::to_string(n) + ")");
    return orders[static_cast<std::size_t>(n) - 1];
}

void TQsHandle::setOrder(int n, int position) {
    if (n < 1 || n > kOrderCount) throw EListError("List index out of bounds (" + std::to_string(n) + ")");
    orders[static_cast<std::size_t>(n) - 1] = position;
}

namespace {

// Walks the lines of one exam file; every failure names the file and the line.
class LineReader {
public:
    LineReader(const std::vector<std::string>& lines, const std::string& fileName)
        : lines_(lines), fileName_(fileName) {}

    const std::string& next() {
        if (position_ >= lines_.size()) {
            throw EListError("List index out of bounds (" + std::to_string(position_) + "): \"" + fileName_ +
                             "\" ends after " + std::to_string(lines_.size()) + " lines");
        }
        return lines_[position_++];
    }

    int nextInteger(bool trim) {
        const std::string& text = next();
        try {
            return strToInt(trim ? trimmed(text) : text);
        } catch (const EConvertError& e) {
            throw EConvertError(std::string(e.what()) + " (line " + std::to_string(position_) + " of \"" +
                                fileName_ + "\")");
        }
    }

private:
    const std::vector<std::string>& lines_;
    const std::string& fileName_;
    std::size_t position_ = 0;
};

// Blanks in front until the text has `width` characters.
std::string padLeft(std::string text, std::size_t width) {
    const std::size_t count = charCount(text);
    if (count < width) text.insert(0, width - count, ' ');
    return text;
}

// Every value has a line of its own; a line break inside one would shift all later lines.
std::string oneLine(std::string text) {
    for (char& c : text) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    return text;
}

void checkTypeCounters(int typeCounters) {
    if (typeCounters < 0 || typeCounters > kMaxQuestionTypes) {
        throw EListError("List index out of bounds (" + std::to_string(typeCounters) + "): at most " +
                         std::to_string(kMaxQuestionTypes) + " type counters");
    }
}

}  // namespace

TQstTest::TQstTest(QuestionTypes types, int typeCounters) : types_(std::move(types)), typeCounters_(typeCounters) {
    checkTypeCounters(typeCounters);
}

TQstTest::TQstTest(const std::filesystem::path& file, int typeCounters, QuestionTypes types)
    : TQstTest(fromBytes(readFileBytes(file), typeCounters, file.string(), std::move(types))) {}

TQstTest TQstTest::fromBytes(std::string_view bytes, int typeCounters, const std::string& fileName,
                             QuestionTypes types) {
    TQstTest set(std::move(types), typeCounters);
    const std::vector<std::string> lines = splitTextLines(bytes);
    LineReader reader(lines, fileName);
    set.examineeName = reader.next();
    set.operatorName = reader.next();
    set.method = reader.nextInteger(false);
    set.reserved = reader.nextInteger(false);
    const int count = reader.nextInteger(false);
    // The set has room for 20 questions; a larger count is a damaged file.
    if (count < 0 || count > kMaxQuestions) {
        throw EListError("List index out of bounds (" + std::to_string(count) + "): \"" + fileName + "\" holds " +
                         std::to_string(count) + " questions, at most " + std::to_string(kMaxQuestions) +
                         " are possible");
    }
    set.examMark = leftChars(reader.next(), kQuestionTextPart);
    set.date = leftChars(reader.next(), 10);
    for (int n = 1; n <= typeCounters; ++n) set.typeCounts_[static_cast<std::size_t>(n)] = reader.nextInteger(false);

    set.questions.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        TQsHandle question;
        question.number = padLeft(leftChars(reader.next(), 2), 2);
        std::string sign = leftChars(reader.next(), 4);
        sign.erase(std::remove(sign.begin(), sign.end(), '>'), sign.end());
        question.sign = padLeft(std::move(sign), 3);
        question.answer = leftChars(reader.next(), 1);
        question.textPart1 = leftChars(reader.next(), kQuestionTextPart);
        question.textPart2 = leftChars(reader.next(), kQuestionTextPart);
        for (int& order : question.orders) order = reader.nextInteger(true);
        question.reserved = leftChars(reader.next(), kQuestionTextPart);
        set.questions.push_back(std::move(question));
    }
    return set;
}

std::vector<std::string> TQstTest::toLines() const {
    if (questions.size() > static_cast<std::size_t>(kMaxQuestions)) {
        throw EListError("List index out of bounds (" + std::to_string(questions.size()) + "): at most " +
                         std::to_string(kMaxQuestions) + " questions can be saved");
    }
    std::vector<std::string> lines = {oneLine(examineeName),    oneLine(operatorName),
                                      std::to_string(method),   std::to_string(reserved),
                                      std::to_string(questions.size()), oneLine(examMark),
                                      oneLine(date)};
    for (int n = 1; n <= typeCounters_; ++n) lines.push_back(std::to_string(typeCounts_[static_cast<std::size_t>(n)]));
    for (const TQsHandle& question : questions) {
        lines.insert(lines.end(), {oneLine(question.number), oneLine(question.sign), oneLine(question.answer),
                                   oneLine(question.textPart1), oneLine(question.textPart2)});
        for (int order : question.orders) lines.push_back(std::to_string(order));
        lines.push_back(oneLine(question.reserved));
    }
    return lines;
}

void TQstTest::save(const std::filesystem::path& file) const {
    writeTextLines(file, toLines());
}

const TQsHandle& TQstTest::question(int i) const {
    if (i < 1 || i > questionCount()) throw EListError("List index out of bounds (" + std::to_string(i) + ")");
    return questions[static_cast<std::size_t>(i) - 1];
}

TQsHandle& TQstTest::question(int i) {
    return const_cast<TQsHandle&>(std::as_const(*this).question(i));
}

std::vector<int> TQstTest::questionsInOrder(int n) const {
    if (n < 1 || n > kOrderCount) throw EListError("List index out of bounds (" + std::to_string(n) + ")");
    std::vector<int> sequence(questions.size());
    for (std::size_t i = 0; i < sequence.size(); ++i) sequence[i] = static_cast<int>(i) + 1;
    std::stable_sort(sequence.begin(), sequence.end(),
                     [&](int a, int b) { return question(a).order(n) < question(b).order(n); });
    return sequence;
}

int TQstTest::typeCount(int n) const {
    if (n < 1 || n > kMaxQuestionTypes) throw EListError("List index out of bounds (" + std::to_string(n) + ")");
    return typeCounts_[static_cast<std::size_t>(n)];
}

void TQstTest::setTypeCount(int n, int count) {
    if (n < 1 || n > kMaxQuestionTypes) throw EListError("List index out of bounds (" + std::to_string(n) + ")");
    typeCounts_[static_cast<std::size_t>(n)] = count;
}

}  // namespace lumo::core
