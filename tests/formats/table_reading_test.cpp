// Reading results tables straight from their bytes: what the reader accepts
// and refuses, and the tables the writer makes at the edges of a single.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "core/errors.h"
#include "core/question_set.h"
#include "core/text_file.h"
#include "formats/results_table.h"

namespace lumo::formats {
namespace {

class TableReading : public ::testing::Test {
protected:
    TableReading() {
        TQtFile table(set);
        table.chartFile = "exam_01.ch1";
        table.SetRowCount(1);
        table.SetRowMark(1, "+");
        lines = core::splitTextLines(table.SaveToBytes());
    }

    // The table with line `line` (1-based) replaced: the value of reserved 1
    // (line 8), or the error the reader gives.
    std::string reserved(const std::string& text, std::size_t line = 8) {
        std::vector<std::string> changed = lines;
        changed[line - 1] = text;
        TQtFile table(set);
        try {
            table.LoadFromBytes(core::joinTextLines(changed), "t.qt1");
        } catch (const EInOutError& error) {
            return error.what();
        }
        const float value = table.reserved[0];
        if (std::isnan(value)) return "nan";
        return std::to_string(value);
    }

    core::TQstTest set{core::QuestionTypes({{"R", "Р", "Red"}})};
    std::vector<std::string> lines;
};

TEST_F(TableReading, TheLargestSinglesComeBackAsWritten) {
    for (const float value : {std::numeric_limits<float>::max(), -std::numeric_limits<float>::max(),
                              std::numeric_limits<float>::denorm_min(), 1e-20f, 3.14159274f}) {
        TQtFile table(set);
        table.reserved[0] = value;
        table.SetRowCount(1);
        table.SetFeatureInput(1, 1, value);
        TQtFile read(set);
        read.LoadFromBytes(table.SaveToBytes(), "t.qt1");
        EXPECT_EQ(read.reserved[0], value) << formatTableReal(value);
        EXPECT_EQ(read.FeatureInput(1, 1), value);
    }
    // Beyond the largest single by half a step and more there is no single.
    EXPECT_NE(reserved("3.4028236e38").find("line 8 "), std::string::npos);
    EXPECT_NE(reserved("-1e39").find("line 8 "), std::string::npos);
    EXPECT_NE(reserved("1e400").find("line 8 "), std::string::npos);
}

TEST_F(TableReading, OnlyTheWritersSpellingsOfNonNumbers) {
    for (const char* text : {"nan", "NaN", "NAN", " nAn "}) EXPECT_EQ(reserved(text), "nan") << text;
    EXPECT_EQ(reserved("inf"), std::to_string(std::numeric_limits<float>::infinity()));
    EXPECT_EQ(reserved("+INF"), std::to_string(std::numeric_limits<float>::infinity()));
    EXPECT_EQ(reserved("-Inf"), std::to_string(-std::numeric_limits<float>::infinity()));
    for (const char* text : {"+nan", "-nan", "infinity", "nanx", "in", "na", "nan(1)", "0x1p3", "\t1"}) {
        EXPECT_EQ(reserved(text), std::string("Invalid numeric input in line 8 of \"t.qt1\": '") + text + "'") << text;
    }
    EXPECT_EQ(reserved("  -2.5E+0003 "), std::to_string(-2500.0f));
    EXPECT_EQ(reserved(".5"), std::to_string(0.5f));
}

TEST_F(TableReading, NumbersAreReadFromTheFileBytesAndShownAsText) {
    // A numeric line in Windows-1251: the message shows it as the text it is.
    EXPECT_EQ(reserved("1,5Д"), "Invalid numeric input in line 8 of \"t.qt1\": '1,5Д'");
    EXPECT_EQ(reserved("Ъ", 4), "Invalid numeric input in line 4 of \"t.qt1\": 'Ъ'");
    EXPECT_EQ(reserved("", 11), "Invalid numeric input in line 11 of \"t.qt1\": ''");
}

TEST_F(TableReading, LinesEndAtCrLfCrOrLf) {
    const std::string crlf = core::joinTextLines(lines);
    auto replaced = [&crlf](const std::string& end) {
        std::string bytes;
        for (std::size_t start = 0; start < crlf.size();) {
            const std::size_t stop = crlf.find("\r\n", start);
            bytes += crlf.substr(start, stop - start) + end;
            start = stop + 2;
        }
        return bytes;
    };
    for (const char* end : {"\n", "\r"}) {
        TQtFile table(set);
        table.LoadFromBytes(replaced(end), "t.qt1");
        EXPECT_EQ(table.SaveToBytes(), crlf);
    }
    // Without the last line break the last line is still there; with a
    // line break too many, LF CR, a line goes missing from the end.
    TQtFile table(set);
    table.LoadFromBytes(crlf.substr(0, crlf.size() - 2), "t.qt1");
    EXPECT_EQ(table.SaveToBytes(), crlf);
    std::string shifted = crlf;
    shifted.replace(shifted.find("\r\n"), 2, "\n\r");
    try {
        table.LoadFromBytes(shifted, "t.qt1");
        FAIL() << "a table one line short was read";
    } catch (const EInOutError& error) {
        EXPECT_NE(std::string(error.what()).find("Invalid numeric input in line 4 "), std::string::npos) << error.what();
    }
}

}  // namespace
}  // namespace lumo::formats
