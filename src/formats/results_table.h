#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace lumo::core {
class TQstTest;
}

namespace lumo::formats {

inline constexpr int kMaxTableRows = 60;
inline constexpr int kTableItems = 15;
inline constexpr int kReadingEntries = 10;

// A real as the results table stores it: 23 characters, " 1.23450000000000E+0002".
std::string formatTableReal(float value);

// The results table of one chart (exam_NN.qtk): what the test run knew about
// every question presentation, and what later steps add to it. Rows count
// from 1; a table has room for 60 rows (61 rows of readings).
class TQtFile {
public:
    // The question set must outlive the table; it gives the rows' signs.
    explicit TQtFile(const core::TQstTest& questions);

    // Reads the whole table. A line that should hold a number and does not,
    // a file that ends early or a row count outside 0 ... 60 raises
    // EInOutError naming the file and the line; the table is then unchanged.
    void LoadFromFile(const std::filesystem::path& fileName);
    // Replaces the file whole (atomic write).
    void SaveToFile(const std::filesystem::path& fileName) const;
    // The same from and to the file's Windows-1251 bytes.
    void LoadFromBytes(std::string_view bytes, const std::string& fileName);
    std::string SaveToBytes() const;

    const core::TQstTest& questions() const { return *questions_; }

    int RowCount() const { return rowCount_; }
    // 0 ... 60; EListError outside.
    void SetRowCount(int rows);

    // Row i = 1 ... 60, item k = 1 ... 15; EListError outside.
    float FeatureInput(int row, int item) const;
    void SetFeatureInput(int row, int item, float value);
    std::int32_t Flag(int row, int item) const;
    void SetFlag(int row, int item, std::int32_t value);
    float Reserved(int row, int item) const;
    void SetReserved(int row, int item, float value);
    float SavedFeature(int row, int item) const;
    void SetSavedFeature(int row, int item, float value);

    // Row i = 1 ... 61, entry k = 1 ... 10; EListError outside.
    float Reading(int row, int entry) const;
    void SetReading(int row, int entry, float value);
    float HandScore(int row, int entry) const;
    void SetHandScore(int row, int entry, float value);
    float ReadingReserved(int row, int entry) const;
    void SetReadingReserved(int row, int entry, float value);

    // Row i = 1 ... 60; EListError outside.
    std::int32_t QuestionNumber(int row) const;
    void SetQuestionNumber(int row, std::int32_t question);
    std::uint32_t Onset(int row) const;
    void SetOnset(int row, std::uint32_t onset);
    // The sign of the question the row presented; empty when the row's
    // question number names no question of the set.
    std::string QuestionSign(int row) const;
    // That sign's type (0 when it matches none).
    int QuestionType(int row) const;

    // The answer mark without "*", its first remaining character ("" for "*").
    std::string RowMark(int row) const;
    // The mark as stored, "*" and all (at most 2 characters).
    const std::string& StoredRowMark(int row) const;
    // Keeps the first character of `text` (" " for an empty text) and the
    // row's exclusion: a "*" stored in the mark stays in front of it.
    void SetRowMark(int row, std::string_view text);
    // The mark contains "*": scoring passes over the row.
    bool IsExcluded(int row) const;
    void SetExcluded(int row, bool on);

    std::string chartFile;  // full path of the chart file
    std::string examinee;
    std::string operatorName;
    std::int32_t method = 0;
    std::string date;
    std::string started;
    std::string finished;
    std::array<float, 3> reserved{};  // reserved 1 ... 3
    std::uint32_t sampleCount = 0;    // points recorded in the chart
    float reserved4 = 0;
    std::int32_t questionTime = 0;    // seconds
    std::int32_t duration = 0;        // seconds
    std::array<std::int32_t, 3> trailer{};

private:
    struct RowSlot {
        std::int32_t question = 0;
        std::string mark;
        std::uint32_t onset = 0;
    };
    struct ItemSlot {
        float featureInput = 0;
        std::int32_t flag = 0;
        float reserved = 0;
        float savedFeature = 0;
    };
    struct ReadingSlot {
        float reading = 0;
        float handScore = 0;
        float reserved = 0;
    };

    RowSlot& row(int i);
    const RowSlot& row(int i) const;
    ItemSlot& item(int i, int k);
    const ItemSlot& item(int i, int k) const;
    ReadingSlot& reading(int i, int k);
    const ReadingSlot& reading(int i, int k) const;

    const core::TQstTest* questions_;
    int rowCount_ = 0;
    std::array<RowSlot, kMaxTableRows> rows_;
    std::array<std::array<ItemSlot, kTableItems>, kMaxTableRows> items_{};
    std::array<std::array<ReadingSlot, kReadingEntries>, kMaxTableRows + 1> readings_{};
};

}  // namespace lumo::formats
