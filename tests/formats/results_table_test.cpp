#include "formats/results_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/errors.h"
#include "core/question_set.h"
#include "core/test_home.h"
#include "core/text_file.h"

namespace lumo::formats {
namespace {


core::TQstTest questionSet() {
    core::TQstTest set(core::QuestionTypes({{"R", "Р", "Red"}, {"I", "И", "Fuchsia"}, {"C", "К", "Lime"},
                                            {"N", "Н", "White"}}));
    for (const char* sign : {" N1", " R1", " К1"}) {
        core::TQsHandle question;
        question.sign = sign;
        set.questions.push_back(question);
    }
    return set;
}

class ResultsTable : public ::testing::Test {
protected:
    // A table as the test run leaves it, with values the later steps add.
    TQtFile filled(int rows) const {
        TQtFile table(set);
        table.chartFile = "/home/lumo/DAT/#0000001/exam_01.ch1";
        table.examinee = "Сидоров С.С.";
        table.operatorName = "Operator 1";
        table.method = 3;
        table.date = "07-03-2001";
        table.started = "12:00:01";
        table.finished = "12:09:59";
        table.sampleCount = 19197;
        table.SetRowCount(rows);
        table.questionTime = 15;
        table.duration = 598;
        for (int i = 1; i <= rows; ++i) {
            table.SetQuestionNumber(i, (i - 1) % 3 + 1);
            table.SetRowMark(i, i % 2 ? "+" : "-");
            table.SetOnset(i, 480u + 640u * static_cast<unsigned>(i));
            table.SetFeatureInput(i, 1, 0.125f * static_cast<float>(i));
            table.SetFlag(i, 8, 1);
            table.SetSavedFeature(i, 12, -3.75f);
            table.SetReserved(i, 15, 1e-20f);
        }
        for (int i = 1; i <= rows + 1; ++i) {
            table.SetReading(i, 10, 123.5f + static_cast<float>(i));
            table.SetHandScore(i, 4, -2);
            table.SetReadingReserved(i, 1, 7);
        }
        table.trailer = {1, 2, 3};
        return table;
    }

    core::TQstTest set = questionSet();
};

TEST(ResultsTableReals, WrittenTwentyThreeCharactersWide) {
    EXPECT_EQ(formatTableReal(123.45), " 1.23449996948242E+0002");  // a single's value, 15 digits
    EXPECT_EQ(formatTableReal(1234.5f), " 1.23450000000000E+0003");
    EXPECT_EQ(formatTableReal(0), " 0.00000000000000E+0000");
    EXPECT_EQ(formatTableReal(-0.25f), "-2.50000000000000E-0001");
    EXPECT_EQ(formatTableReal(1e-20f), " 9.99999968265523E-0021");
    EXPECT_EQ(formatTableReal(std::numeric_limits<float>::max()), " 3.40282346638529E+0038");
    EXPECT_EQ(formatTableReal(std::numeric_limits<float>::infinity()), "                   +Inf");
    EXPECT_EQ(formatTableReal(std::nanf("")), "                    Nan");
}

TEST_F(ResultsTable, LaidOutLineForLineAndReadBackByteForByte) {
    const TQtFile table = filled(2);
    const std::string bytes = table.SaveToBytes();
    const std::vector<std::string> lines = core::splitTextLines(bytes);
    ASSERT_EQ(lines.size(), 18u + 3 * 2 + 60 * 2 + 30 * 3);
    EXPECT_EQ(lines[1], "Сидоров С.С.");
    EXPECT_EQ(lines[7], " 0.00000000000000E+0000");
    EXPECT_EQ(lines[10], "19197");
    EXPECT_EQ(lines[11], "2");
    EXPECT_EQ((std::vector<std::string>(lines.begin() + 15, lines.begin() + 21)),
              (std::vector<std::string>{"1", "+", "1120", "2", "-", "1760"}));
    const std::size_t items = 21, readings = items + 120;
    EXPECT_EQ(lines[items], " 1.25000000000000E-0001");        // row 1 item 1 feature input
    EXPECT_EQ(lines[items + 4 * 7 + 1], "1");                    // row 1 item 8 flag
    EXPECT_EQ(lines[items + 60 + 4 * 11 + 3], "-3.75000000000000E+0000");  // row 2 item 12 saved
    EXPECT_EQ(lines[readings + 3 * 9], " 1.24500000000000E+0002");  // row 1 entry 10 reading
    EXPECT_EQ(lines[readings + 60 + 3 * 3 + 1], "-2.00000000000000E+0000");  // row 3 entry 4 hand score
    EXPECT_EQ((std::vector<std::string>(lines.end() - 3, lines.end())), (std::vector<std::string>{"1", "2", "3"}));

    test::TempHome home;
    table.SaveToFile(home / "exam_01.qt1");
    EXPECT_EQ(test::readFile(home / "exam_01.qt1"), bytes);
    TQtFile read(set);
    read.LoadFromFile(home / "exam_01.qt1");
    EXPECT_EQ(read.SaveToBytes(), bytes);
    EXPECT_EQ(read.RowCount(), 2);
    EXPECT_EQ(read.Onset(2), 1760u);
    EXPECT_EQ(read.SavedFeature(2, 12), -3.75f);
    EXPECT_EQ(read.Reserved(1, 15), 1e-20f);
    EXPECT_EQ(read.HandScore(3, 4), -2);
    EXPECT_EQ(read.ReadingReserved(3, 1), 7);
}

TEST_F(ResultsTable, ReadsAnyDecimalNotation) {
    std::vector<std::string> lines = core::splitTextLines(filled(0).SaveToBytes());
    ASSERT_EQ(lines.size(), 48u);  // no rows: the readings row 1 is still there
    lines[3] = " 4 ";
    lines[7] = "1.5";
    lines[8] = "  -2.5e-1 ";
    lines[9] = "+3";
    lines[12] = "nan";
    lines[15] = "1E2";
    lines[16] = "-inf";
    TQtFile table(set);
    table.LoadFromBytes(core::joinTextLines(lines), "x");
    EXPECT_EQ(table.method, 4);
    EXPECT_EQ(table.reserved, (std::array<float, 3>{1.5f, -0.25f, 3}));
    EXPECT_TRUE(std::isnan(table.reserved4));
    EXPECT_EQ(table.Reading(1, 1), 100);
    EXPECT_EQ(table.HandScore(1, 1), -std::numeric_limits<float>::infinity());
}

TEST_F(ResultsTable, DamagedTablesNameTheLineAndChangeNothing) {
    const std::vector<std::string> good = core::splitTextLines(filled(2).SaveToBytes());
    TQtFile table = filled(1);
    const std::string before = table.SaveToBytes();
    auto error = [&](std::size_t line, const std::string& text) -> std::string {
        std::vector<std::string> lines = good;
        lines[line - 1] = text;
        try {
            table.LoadFromBytes(core::joinTextLines(lines), "exam_01.qt1");
        } catch (const EInOutError& e) {
            return e.what();
        }
        return "(loaded)";
    };
    EXPECT_EQ(error(4, "three"), "Invalid numeric input in line 4 of \"exam_01.qt1\": 'three'");
    EXPECT_NE(error(8, "1,5").find("line 8 "), std::string::npos);
    EXPECT_NE(error(11, "-1").find("line 11 "), std::string::npos);          // unsigned
    EXPECT_NE(error(11, "4294967296").find("line 11 "), std::string::npos);  // beyond 32 bits
    EXPECT_NE(error(18, "").find("line 18 "), std::string::npos);            // an onset
    EXPECT_NE(error(22, "1e39").find("line 22 "), std::string::npos);        // beyond a single
    EXPECT_NE(error(12, "61").find("declares 61 rows"), std::string::npos);
    EXPECT_NE(error(12, "-1").find("declares -1 rows"), std::string::npos);
    EXPECT_EQ(error(11, "4294967295"), "(loaded)");
    EXPECT_EQ(table.sampleCount, 4294967295u);
    table = filled(1);

    std::vector<std::string> cut(good.begin(), good.end() - 1);
    try {
        table.LoadFromBytes(core::joinTextLines(cut), "exam_01.qt1");
        FAIL();
    } catch (const EInOutError& e) {
        EXPECT_NE(std::string(e.what()).find("line 234 is missing"), std::string::npos) << e.what();
    }
    EXPECT_EQ(table.SaveToBytes(), before);

    // A table of 60 rows is the largest there is.
    const std::string full = filled(60).SaveToBytes();
    EXPECT_NO_THROW(table.LoadFromBytes(full, "x"));
    EXPECT_EQ(table.RowCount(), 60);
    EXPECT_EQ(table.SaveToBytes(), full);
    EXPECT_THROW(table.SetRowCount(61), EListError);
}

TEST_F(ResultsTable, RowMarksAndExclusion) {
    TQtFile table(set);
    table.SetRowCount(1);
    auto mark = [&](const std::string& stored) {
        table.SetRowMark(1, "x");
        table.SetExcluded(1, false);
        // Put the stored form in place through the file, as a reader meets it.
        std::vector<std::string> lines = core::splitTextLines(table.SaveToBytes());
        lines[16] = stored;
        table.LoadFromBytes(core::joinTextLines(lines), "x");
    };
    struct Case {
        const char* stored;
        const char* rowMark;
        bool excluded;
        const char* on;
        const char* off;
    };
    for (const Case& c : {Case{"", "", false, "*", ""}, Case{" ", " ", false, "* ", " "},
                          Case{"+", "+", false, "*+", "+"}, Case{"*", "", true, "*", ""},
                          Case{"*+", "+", true, "*+", "+"}, Case{"+*", "+", true, "+*", "+"},
                          Case{"**", "", true, "**", ""}, Case{"+-", "+", false, "*+", "+-"},
                          Case{"*Д", "Д", true, "*Д", "Д"}}) {
        mark(c.stored);
        EXPECT_EQ(table.RowMark(1), c.rowMark) << c.stored;
        EXPECT_EQ(table.IsExcluded(1), c.excluded) << c.stored;
        table.SetExcluded(1, true);
        EXPECT_EQ(table.StoredRowMark(1), c.on) << c.stored;
        mark(c.stored);
        table.SetExcluded(1, false);
        EXPECT_EQ(table.StoredRowMark(1), c.off) << c.stored;
    }

    // A new answer keeps the row's exclusion.
    for (const char* stored : {"*+", "+*", "*"}) {
        mark(stored);
        table.SetRowMark(1, "-no");
        EXPECT_EQ(table.StoredRowMark(1), "*-") << stored;
    }
    mark("+");
    table.SetRowMark(1, "");
    EXPECT_EQ(table.StoredRowMark(1), " ");
    EXPECT_FALSE(table.IsExcluded(1));
}

TEST_F(ResultsTable, QuestionSignsComeFromTheSet) {
    TQtFile table(set);
    table.SetRowCount(4);
    const int numbers[] = {2, 3, 0, 4};
    for (int i = 1; i <= 4; ++i) table.SetQuestionNumber(i, numbers[i - 1]);
    EXPECT_EQ(table.QuestionSign(1), " R1");
    EXPECT_EQ(table.QuestionType(1), 1);
    EXPECT_EQ(table.QuestionSign(2), " К1");
    EXPECT_EQ(table.QuestionType(2), 3);
    // A number that names no question of the set has no sign.
    EXPECT_EQ(table.QuestionSign(3), "");
    EXPECT_EQ(table.QuestionType(4), 0);
}

TEST_F(ResultsTable, IndicesOutsideTheTableAreRefused) {
    TQtFile table(set);
    EXPECT_NO_THROW(table.SetOnset(60, 1));
    EXPECT_THROW(table.SetOnset(61, 1), EListError);
    EXPECT_THROW(table.QuestionNumber(0), EListError);
    EXPECT_THROW(table.FeatureInput(1, 16), EListError);
    EXPECT_THROW(table.SetFlag(0, 1, 1), EListError);
    EXPECT_NO_THROW(table.SetReading(61, 10, 1));
    EXPECT_THROW(table.Reading(62, 1), EListError);
    EXPECT_THROW(table.HandScore(1, 11), EListError);
    EXPECT_THROW(table.RowMark(61), EListError);
}

}  // namespace
}  // namespace lumo::formats
