#include "formats/results_table.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <optional>

#include "core/atomic_file.h"
#include "core/cp1251.h"
#include "core/errors.h"
#include "core/numbers.h"
#include "core/question_set.h"
#include "core/text_file.h"

namespace lumo::formats {

namespace {

constexpr std::size_t kRealWidth = 23;

std::string rightAligned(std::string_view text) {
    return std::string(kRealWidth > text.size() ? kRealWidth - text.size() : 0, ' ') + std::string(text);
}

// Text values fill a line of their own; a line break inside would shift every later line.
std::string oneLine(std::string text) {
    for (char& c : text) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    return text;
}

std::optional<std::int64_t> parseWhole(std::string_view text) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    std::int64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end) return std::nullopt;
    return value;
}

// Letter case aside, the same ASCII text. Only ASCII letters have case in
// the spellings compared here, so the bytes can be compared as they are.
bool sameWord(std::string_view text, std::string_view word) {
    if (text.size() != word.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + ('a' - 'A'));
        if (c != word[i]) return false;
    }
    return true;
}

// A real in any decimal notation (blanks trimmed already), read exactly in
// the C locale. A decimal beyond a single's range whose nearest single is
// still finite (the largest single as the writer spells it with 15 digits)
// is that single.
std::optional<float> parseReal(std::string_view text) {
    // The spellings the writer gives a value that is not a number.
    if (text.size() == 3 || text.size() == 4) {
        if (sameWord(text, "nan")) return std::numeric_limits<float>::quiet_NaN();
        if (sameWord(text, "+inf") || sameWord(text, "inf")) return std::numeric_limits<float>::infinity();
        if (sameWord(text, "-inf")) return -std::numeric_limits<float>::infinity();
    }
    std::string_view digits = text;
    if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
    double value = 0;
    const char* end = digits.data() + digits.size();
    const auto [ptr, ec] = std::from_chars(digits.data(), end, value, std::chars_format::general);
    if (digits.empty() || ec != std::errc() || ptr != end || !std::isfinite(value)) return std::nullopt;
    const auto single = static_cast<float>(value);
    if (!std::isfinite(single)) return std::nullopt;
    return single;
}

std::string_view trimmedBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Walks the lines of one table straight over its Windows-1251 bytes: numbers
// are read from the bytes, only text values are converted. A line ends at CR,
// LF or CR LF; every failure names the file and the line.
class TableReader {
public:
    TableReader(std::string_view bytes, const std::string& fileName) : bytes_(bytes), fileName_(fileName) {}

    std::string text() { return core::fromCp1251(line()); }

    std::int32_t integer() {
        const std::string_view value = trimmedBlanks(line());
        try {
            return core::strToInt(value);
        } catch (const EConvertError&) {
            invalid(value);
        }
    }

    std::uint32_t whole() {
        const std::string_view value = trimmedBlanks(line());
        const std::optional<std::int64_t> number = parseWhole(value);
        if (!number || *number < 0 || *number > std::numeric_limits<std::uint32_t>::max()) invalid(value);
        return static_cast<std::uint32_t>(*number);
    }

    float real() {
        const std::string_view value = trimmedBlanks(line());
        const std::optional<float> number = parseReal(value);
        if (!number) invalid(value);
        return *number;
    }

private:
    std::string_view line() {
        if (position_ >= bytes_.size()) {
            throw EInOutError("Read beyond end of file \"" + fileName_ + "\": line " + std::to_string(lines_ + 1) +
                              " is missing");
        }
        const char* first = bytes_.data() + position_;
        const char* last = bytes_.data() + bytes_.size();
        const char* end = first;
        while (end != last && *end != '\r' && *end != '\n') ++end;
        std::size_t next = static_cast<std::size_t>(end - bytes_.data()) + 1;
        if (end != last && *end == '\r' && next < bytes_.size() && bytes_[next] == '\n') ++next;
        position_ = next;
        ++lines_;
        return {first, static_cast<std::size_t>(end - first)};
    }

    [[noreturn]] void invalid(std::string_view value) const {
        throw EInOutError("Invalid numeric input in line " + std::to_string(lines_) + " of \"" + fileName_ +
                          "\": '" + core::fromCp1251(value) + "'");
    }

    std::string_view bytes_;
    const std::string& fileName_;
    std::size_t position_ = 0;  // of the next line's first byte
    std::size_t lines_ = 0;     // lines read
};

// A table's bytes in one read. Anything but a plain readable file of known
// size (missing, a folder, changing while read) goes to the usual reader,
// which gives its own errors.
std::string readTableBytes(const std::filesystem::path& fileName) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(fileName, error);
    if (error || size == 0 || size > std::numeric_limits<std::streamsize>::max()) return core::readFileBytes(fileName);
    std::ifstream in(fileName, std::ios::binary);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (!in.read(bytes.data(), static_cast<std::streamsize>(size)) || in.peek() != std::ifstream::traits_type::eof()) {
        return core::readFileBytes(fileName);
    }
    return bytes;
}

void checkIndex(int index, int last) {
    if (index < 1 || index > last) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

}  // namespace

std::string formatTableReal(float value) {
    if (std::isnan(value)) return rightAligned("Nan");
    if (std::isinf(value)) return rightAligned(value > 0 ? "+Inf" : "-Inf");
    char digits[32];
    std::snprintf(digits, sizeof digits, "%.14E", std::fabs(double(value)));
    const std::string_view text = digits;
    const std::size_t e = text.find('E');
    const int exponent = std::atoi(digits + e + 1);
    char out[32];
    std::snprintf(out, sizeof out, "%c%.*sE%c%04d", std::signbit(value) ? '-' : ' ', static_cast<int>(e), digits,
                  exponent < 0 ? '-' : '+', std::abs(exponent));
    return out;
}

TQtFile::TQtFile(const core::TQstTest& questions) : questions_(&questions) {}

void TQtFile::SetRowCount(int rows) {
    if (rows < 0 || rows > kMaxTableRows) throw EListError("List index out of bounds (" + std::to_string(rows) + ")");
    rowCount_ = rows;
}

void TQtFile::LoadFromFile(const std::filesystem::path& fileName) {
    LoadFromBytes(readTableBytes(fileName), fileName.string());
}

void TQtFile::LoadFromBytes(std::string_view bytes, const std::string& fileName) {
    TableReader in(bytes, fileName);
    TQtFile table(*questions_);  // filled whole before it replaces this one
    table.chartFile = in.text();
    table.examinee = in.text();
    table.operatorName = in.text();
    table.method = in.integer();
    table.date = in.text();
    table.started = in.text();
    table.finished = in.text();
    for (float& value : table.reserved) value = in.real();
    table.sampleCount = in.whole();
    const std::int32_t rows = in.integer();
    if (rows < 0 || rows > kMaxTableRows) {
        throw EInOutError("Results table \"" + fileName + "\" declares " + std::to_string(rows) +
                          " rows in line 12; a table holds 0 ... " + std::to_string(kMaxTableRows));
    }
    table.rowCount_ = rows;
    table.reserved4 = in.real();
    table.questionTime = in.integer();
    table.duration = in.integer();
    for (int i = 1; i <= rows; ++i) {
        RowSlot& slot = table.row(i);
        slot.question = in.integer();
        slot.mark = core::leftChars(in.text(), 2);
        slot.onset = in.whole();
    }
    for (int i = 1; i <= rows; ++i) {
        for (ItemSlot& slot : table.items_[static_cast<std::size_t>(i) - 1]) {
            slot.featureInput = in.real();
            slot.flag = in.integer();
            slot.reserved = in.real();
            slot.savedFeature = in.real();
        }
    }
    for (int i = 1; i <= rows + 1; ++i) {
        for (ReadingSlot& slot : table.readings_[static_cast<std::size_t>(i) - 1]) {
            slot.reading = in.real();
            slot.handScore = in.real();
            slot.reserved = in.real();
        }
    }
    for (std::int32_t& value : table.trailer) value = in.integer();
    *this = std::move(table);
}

std::string TQtFile::SaveToBytes() const {
    std::vector<std::string> lines = {oneLine(chartFile),
                                      oneLine(examinee),
                                      oneLine(operatorName),
                                      std::to_string(method),
                                      oneLine(date),
                                      oneLine(started),
                                      oneLine(finished)};
    lines.reserve(18 + 93 * static_cast<std::size_t>(rowCount_) + 30);
    for (float value : reserved) lines.push_back(formatTableReal(value));
    lines.push_back(std::to_string(sampleCount));
    lines.push_back(std::to_string(rowCount_));
    lines.push_back(formatTableReal(reserved4));
    lines.push_back(std::to_string(questionTime));
    lines.push_back(std::to_string(duration));
    for (int i = 1; i <= rowCount_; ++i) {
        const RowSlot& r = row(i);
        lines.insert(lines.end(), {std::to_string(r.question), oneLine(r.mark), std::to_string(r.onset)});
    }
    for (int i = 1; i <= rowCount_; ++i) {
        for (const ItemSlot& it : items_[static_cast<std::size_t>(i) - 1]) {
            lines.insert(lines.end(), {formatTableReal(it.featureInput), std::to_string(it.flag),
                                       formatTableReal(it.reserved), formatTableReal(it.savedFeature)});
        }
    }
    for (int i = 1; i <= rowCount_ + 1; ++i) {
        for (const ReadingSlot& r : readings_[static_cast<std::size_t>(i) - 1]) {
            lines.insert(lines.end(),
                         {formatTableReal(r.reading), formatTableReal(r.handScore), formatTableReal(r.reserved)});
        }
    }
    for (std::int32_t value : trailer) lines.push_back(std::to_string(value));
    return core::joinTextLines(lines);
}

void TQtFile::SaveToFile(const std::filesystem::path& fileName) const {
    core::writeFileAtomically(fileName, SaveToBytes());
}

TQtFile::RowSlot& TQtFile::row(int i) {
    checkIndex(i, kMaxTableRows);
    return rows_[static_cast<std::size_t>(i) - 1];
}

const TQtFile::RowSlot& TQtFile::row(int i) const {
    checkIndex(i, kMaxTableRows);
    return rows_[static_cast<std::size_t>(i) - 1];
}

TQtFile::ItemSlot& TQtFile::item(int i, int k) {
    checkIndex(i, kMaxTableRows);
    checkIndex(k, kTableItems);
    return items_[static_cast<std::size_t>(i) - 1][static_cast<std::size_t>(k) - 1];
}

const TQtFile::ItemSlot& TQtFile::item(int i, int k) const {
    return const_cast<TQtFile*>(this)->item(i, k);
}

TQtFile::ReadingSlot& TQtFile::reading(int i, int k) {
    checkIndex(i, kMaxTableRows + 1);
    checkIndex(k, kReadingEntries);
    return readings_[static_cast<std::size_t>(i) - 1][static_cast<std::size_t>(k) - 1];
}

const TQtFile::ReadingSlot& TQtFile::reading(int i, int k) const {
    return const_cast<TQtFile*>(this)->reading(i, k);
}

float TQtFile::FeatureInput(int row, int k) const { return item(row, k).featureInput; }
void TQtFile::SetFeatureInput(int row, int k, float value) { item(row, k).featureInput = value; }
std::int32_t TQtFile::Flag(int row, int k) const { return item(row, k).flag; }
void TQtFile::SetFlag(int row, int k, std::int32_t value) { item(row, k).flag = value; }
float TQtFile::Reserved(int row, int k) const { return item(row, k).reserved; }
void TQtFile::SetReserved(int row, int k, float value) { item(row, k).reserved = value; }
float TQtFile::SavedFeature(int row, int k) const { return item(row, k).savedFeature; }
void TQtFile::SetSavedFeature(int row, int k, float value) { item(row, k).savedFeature = value; }

float TQtFile::Reading(int row, int k) const { return reading(row, k).reading; }
void TQtFile::SetReading(int row, int k, float value) { reading(row, k).reading = value; }
float TQtFile::HandScore(int row, int k) const { return reading(row, k).handScore; }
void TQtFile::SetHandScore(int row, int k, float value) { reading(row, k).handScore = value; }
float TQtFile::ReadingReserved(int row, int k) const { return reading(row, k).reserved; }
void TQtFile::SetReadingReserved(int row, int k, float value) { reading(row, k).reserved = value; }

std::int32_t TQtFile::QuestionNumber(int i) const { return row(i).question; }
void TQtFile::SetQuestionNumber(int i, std::int32_t question) { row(i).question = question; }
std::uint32_t TQtFile::Onset(int i) const { return row(i).onset; }
void TQtFile::SetOnset(int i, std::uint32_t onset) { row(i).onset = onset; }

std::string TQtFile::QuestionSign(int i) const {
    const std::int32_t question = row(i).question;
    if (question < 1 || question > questions_->questionCount()) return {};
    return questions_->question(question).sign;
}

int TQtFile::QuestionType(int i) const {
    return questions_->types().signToType(QuestionSign(i));
}

std::string TQtFile::RowMark(int i) const {
    std::string mark = row(i).mark;
    std::erase(mark, '*');
    return core::leftChars(mark, 1);
}

const std::string& TQtFile::StoredRowMark(int i) const {
    return row(i).mark;
}

void TQtFile::SetRowMark(int i, std::string_view text) {
    RowSlot& r = row(i);
    std::string mark = text.empty() ? std::string(" ") : core::leftChars(text, 1);
    // An excluded row stays excluded whatever place its "*" had.
    if (r.mark.find('*') != std::string::npos) mark.insert(0, "*");
    r.mark = std::move(mark);
}

bool TQtFile::IsExcluded(int i) const {
    return row(i).mark.find('*') != std::string::npos;
}

void TQtFile::SetExcluded(int i, bool on) {
    std::string& mark = row(i).mark;
    const std::size_t length = core::charCount(mark);
    const bool starred = mark.find('*') != std::string::npos;
    if (on) {
        if (mark.empty()) {
            mark = "*";
        } else if (!starred) {
            mark = "*" + core::leftChars(mark, 1);
        }
    } else if (mark == "*") {
        mark.clear();
    } else if (length == 2 && starred) {
        if (mark.front() == '*') {
            mark.erase(0, 1);
            if (mark == "*") mark.clear();
        } else {
            mark = core::leftChars(mark, 1);
        }
    }
}

}  // namespace lumo::formats
