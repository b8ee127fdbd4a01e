#include "authoring/question_rows.h"

#include <algorithm>

#include "core/cp1251.h"
#include "core/errors.h"
#include "core/numbers.h"
#include "core/settings.h"
#include "core/text_format.h"
#include "core/texts/authoring.h"

namespace lumo::authoring {

namespace {

constexpr core::Rgb kBlack{0, 0, 0};
constexpr core::Rgb kRed{255, 0, 0};

// The UTF-8 characters of a text.
std::vector<std::string> characters(std::string_view text) {
    std::vector<std::string> result;
    while (!text.empty()) {
        std::string first = core::leftChars(text, 1);
        text.remove_prefix(first.size());
        result.push_back(std::move(first));
    }
    return result;
}

bool isDigit(std::string_view character) {
    return character.size() == 1 && character[0] >= '0' && character[0] <= '9';
}

std::string withoutSpaces(std::string_view text) {
    std::string result;
    for (const char c : text) {
        if (c != ' ') result += c;
    }
    return result;
}

std::string padLeft(std::string text, std::size_t width) {
    const std::size_t chars = core::charCount(text);
    if (chars < width) text.insert(0, width - chars, ' ');
    return text;
}

// The text rule: a text always ends with "?".
std::string withQuestionMark(std::string_view text) {
    if (text.empty()) return "?";
    if (text.back() == '?') return std::string(text);
    const std::size_t chars = core::charCount(text);
    return core::leftChars(text, chars - 1) + "?";
}

}  // namespace

SignAlphabet SignAlphabet::fromSettings(const core::Settings& settings) {
    SignAlphabet alphabet{core::QuestionTypes(settings), {}};
    const bool russian = settings.prefix() == "Rus_";
    for (int n = 1; n <= settings.questionTypeCount(); ++n) {
        alphabet.letters.push_back(russian ? settings.russianSignLetter(n) : settings.englishSignLetter(n));
    }
    return alphabet;
}

bool SignAlphabet::isTypeLetter(std::string_view character) const {
    return !character.empty() && core::charCount(character) == 1 && types.signToType(character) != 0;
}

std::string SignAlphabet::letter(int type) const {
    if (type < 1 || type > static_cast<int>(letters.size())) return {};
    return letters[static_cast<std::size_t>(type) - 1];
}

QuestionRows::QuestionRows(SignAlphabet alphabet, const core::Texts& texts)
    : QuestionRows(std::move(alphabet), texts, Mode{}) {}

QuestionRows::QuestionRows(SignAlphabet alphabet, const core::Texts& texts, Mode mode)
    : alphabet_(std::move(alphabet)), texts_(texts), mode_(mode), rows_(kEditorRows) {
    for (int r = 0; r < kEditorRows; ++r) rows_[static_cast<std::size_t>(r)].number = rowNumber(r + 1);
}

void QuestionRows::load(const std::vector<QuestionRow>& rows) {
    if (rows.size() > static_cast<std::size_t>(kEditorRows)) {
        throw EListError("List index out of bounds (" + std::to_string(rows.size()) + ")");
    }
    count_ = static_cast<int>(rows.size());
    for (int r = 0; r < kEditorRows; ++r) {
        QuestionRow& row = rows_[static_cast<std::size_t>(r)];
        if (r < count_) {
            const QuestionRow& given = rows[static_cast<std::size_t>(r)];
            // A stored text that lost its "?" keeps every character.
            std::string text = given.text.empty() || given.text.back() != '?' ? given.text + "?" : given.text;
            row = {rowNumber(r + 1), given.sign, given.answer, std::move(text)};
        } else {
            row = {rowNumber(r + 1), "", "", ""};
        }
    }
    renumber();
    current_ = {0, Column::Sign};
}

void QuestionRows::loadLines(const std::vector<std::string>& lines) {
    std::vector<QuestionRow> rows;
    for (std::size_t i = 0; i < lines.size() && i < static_cast<std::size_t>(kEditorRows); ++i) {
        if (std::optional<QuestionRow> split = core::splitTemplateLine(lines[i])) {
            rows.push_back(std::move(*split));
        } else {
            // Never drop a question: a line that lost its separators keeps the row's type.
            const QuestionRow& old = rows_[i];
            rows.push_back({old.number, old.sign, old.answer.empty() ? "-" : old.answer, lines[i]});
        }
    }
    load(rows);
}

std::vector<QuestionRow> QuestionRows::rowsInUse() const {
    return {rows_.begin(), rows_.begin() + count_};
}

std::vector<std::string> QuestionRows::lines() const {
    std::vector<std::string> result;
    for (int r = 0; r < count_; ++r) result.push_back(core::joinTemplateLine(rows_[static_cast<std::size_t>(r)]));
    return result;
}

const QuestionRow& QuestionRows::row(int row) const {
    if (row < 0 || row >= kEditorRows) throw EListError("List index out of bounds (" + std::to_string(row) + ")");
    return rows_[static_cast<std::size_t>(row)];
}

std::string QuestionRows::text(Field field) const {
    const QuestionRow& r = row(field.row);
    switch (field.column) {
        case Column::Number: return r.number;
        case Column::Sign: return r.sign;
        case Column::Answer: return r.answer;
        case Column::Text: return r.text;
    }
    return {};
}

QuestionRows::Paint QuestionRows::paint(int row) const {
    if (!inUse(row)) return {kBlack, kBlack, false};
    const std::string& sign = rows_[static_cast<std::size_t>(row)].sign;
    if (alphabet_.types.signToType(sign) == 0) return {kRed, kBlack, true};
    return {kBlack, alphabet_.types.signToColour(sign), true};
}

void QuestionRows::enter(Field field) {
    if (!inUse(field.row) || field.column == Column::Number) return;
    current_ = field;
}

void QuestionRows::change(Field field, std::string_view text) {
    switch (field.column) {
        case Column::Number: return;  // read-only
        case Column::Sign: setSign(field.row, std::string(text)); return;
        case Column::Answer: rows_[static_cast<std::size_t>(field.row)].answer = std::string(text); return;
        case Column::Text: setText(field.row, text); return;
    }
}

void QuestionRows::setSign(int row, std::string sign) {
    rows_[static_cast<std::size_t>(row)].sign = std::move(sign);
    if (inUse(row)) renumber();
}

void QuestionRows::setText(int row, std::string_view text) {
    rows_[static_cast<std::size_t>(row)].text = inUse(row) ? withQuestionMark(text) : std::string();
}

void QuestionRows::renumber() {
    std::vector<int> counters(static_cast<std::size_t>(alphabet_.types.count()) + 1, 0);
    for (int r = 0; r < count_; ++r) {
        std::string& sign = rows_[static_cast<std::size_t>(r)].sign;
        const int type = alphabet_.types.signToType(sign);
        if (type == 0) continue;  // stays as typed, drawn red
        sign = numberedSign(alphabet_.letter(type), ++counters[static_cast<std::size_t>(type)]);
    }
}

QuestionRows::Warning QuestionRows::leave(Field field) {
    if (!inUse(field.row)) return {};
    QuestionRow& r = rows_[static_cast<std::size_t>(field.row)];
    switch (field.column) {
        case Column::Number: return {};
        case Column::Sign: {
            const std::vector<std::string> chars = characters(core::trimmed(r.sign));
            const std::string neutral = alphabet_.neutralLetter() + "00";
            if (chars.empty()) {
                setSign(field.row, neutral);
                return {texts_(txt::QstEmptyType), true};
            }
            if (!alphabet_.isTypeLetter(chars[0])) {
                setSign(field.row, neutral);
                return {texts_(txt::QstInvalidType), true};
            }
            std::string sign = chars[0];
            for (std::size_t i = 1; i < chars.size(); ++i) {
                if (isDigit(chars[i])) sign += chars[i];
            }
            if (sign == chars[0]) {
                setSign(field.row, sign + "00");
                return {texts_(txt::QstInvalidTypeIndex), true};
            }
            setSign(field.row, padLeft(sign, 3));
            return {};
        }
        case Column::Answer: {
            const std::string answer = core::trimmed(r.answer);
            if (answer.empty()) {
                r.answer = "-";
                return {texts_(txt::QstEmptyAnswer), false};
            }
            if (answer[0] == '+' || answer[0] == '-') {
                r.answer = answer.substr(0, 1);
                return {};
            }
            r.answer = "-";
            return {texts_(txt::QstInvalidAnswer), false};
        }
        case Column::Text: setText(field.row, core::trimmed(r.text)); return {};
    }
    return {};
}

std::optional<QuestionRows::Field> QuestionRows::move(Key key, Field from, bool caretAtStart, bool caretAtEnd) {
    if (!inUse(from.row) || from.column == Column::Number) return std::nullopt;
    switch (key) {
        case Key::Left:
            if (!caretAtStart) return std::nullopt;
            if (from.column == Column::Sign) return Field{from.row, Column::Text};
            return Field{from.row, from.column == Column::Text ? Column::Answer : Column::Sign};
        case Key::Right:
            if (!caretAtEnd) return std::nullopt;
            if (from.column == Column::Text) return Field{from.row, Column::Sign};
            return Field{from.row, from.column == Column::Sign ? Column::Answer : Column::Text};
        case Key::Up: return Field{from.row == 0 ? count_ - 1 : from.row - 1, from.column};
        case Key::Down: {
            if (from.row < count_ - 1) return Field{from.row + 1, from.column};
            if (from.row == kEditorRows - 1 || mode_.downWrapsAtLastRow) return Field{0, from.column};
            // Appending a row that continues the type of the row above.
            const int added = count_++;
            QuestionRow& row = rows_[static_cast<std::size_t>(added)];
            row = {rowNumber(added + 1), rows_[static_cast<std::size_t>(added) - 1].sign, "-", "?"};
            renumber();
            return Field{added, from.column};
        }
    }
    return std::nullopt;
}

bool QuestionRows::insert() {
    if (!canInsert() || !inUse(current_.row)) return false;
    const int at = current_.row;
    for (int r = count_; r > at; --r) {
        QuestionRow& below = rows_[static_cast<std::size_t>(r)];
        const QuestionRow& above = rows_[static_cast<std::size_t>(r) - 1];
        below.sign = above.sign;
        below.answer = above.answer;
        below.text = above.text;
    }
    ++count_;
    rows_[static_cast<std::size_t>(at)].answer = "-";
    rows_[static_cast<std::size_t>(at)].text = "?";
    renumber();
    return true;
}

bool QuestionRows::remove() {
    if (!canDelete() || !inUse(current_.row)) return false;
    const int at = current_.row;
    for (int r = at; r < count_ - 1; ++r) {
        QuestionRow& row = rows_[static_cast<std::size_t>(r)];
        const QuestionRow& next = rows_[static_cast<std::size_t>(r) + 1];
        row.sign = next.sign;
        row.answer = next.answer;
        row.text = next.text;
    }
    --count_;
    rows_[static_cast<std::size_t>(count_)] = {rowNumber(count_ + 1), "", "", ""};
    if (current_.row >= count_) current_ = {count_ - 1, Column::Sign};
    renumber();
    return true;
}

std::optional<QuestionRows::Fault> QuestionRows::checkRow(QuestionRow& row, int index, const SignAlphabet& alphabet,
                                                          const core::Texts& texts) {
    const auto fault = [&](int id, Column column) {
        return Fault{core::formatText(texts(id), {static_cast<long long>(index + 1)}), {index, column}};
    };
    const std::vector<std::string> sign = characters(withoutSpaces(row.sign));
    if (sign.empty()) return fault(txt::QstEmptyTypeAt, Column::Sign);
    if (!alphabet.isTypeLetter(sign[0])) return fault(txt::QstInvalidTypeAt, Column::Sign);
    for (std::size_t i = 1; i < sign.size() && i < 3; ++i) {
        if (!isDigit(sign[i])) return fault(txt::QstInvalidTypeAt, Column::Sign);
    }
    if (sign.size() > 3) return fault(txt::QstTooBigTypeAt, Column::Sign);

    const std::vector<std::string> answer = characters(withoutSpaces(row.answer));
    if (answer.empty()) return fault(txt::QstEmptyAnswerAt, Column::Answer);
    if (answer.size() > 1) return fault(txt::QstTooBigAnswerAt, Column::Answer);
    if (answer[0] != "+" && answer[0] != "-") return fault(txt::QstInvalidAnswerAt, Column::Answer);

    std::string text = core::trimmed(row.text);
    if (text.empty() || text.back() != '?') text += "?";
    if (core::charCount(text) > kMaxTextChars) return fault(txt::QstTooBigTextAt, Column::Text);

    std::string joined;
    for (const std::string& c : sign) joined += c;
    row.sign = padLeft(joined, 3);
    row.answer = answer[0];
    row.text = std::move(text);
    return std::nullopt;
}

std::optional<QuestionRows::Fault> QuestionRows::check() {
    for (int r = 0; r < count_; ++r) {
        QuestionRow candidate = rows_[static_cast<std::size_t>(r)];
        if (std::optional<Fault> fault = checkRow(candidate, r, alphabet_, texts_)) {
            renumber();  // the rows before were rewritten
            return fault;
        }
        rows_[static_cast<std::size_t>(r)] = std::move(candidate);
    }
    renumber();
    return std::nullopt;
}

}  // namespace lumo::authoring
