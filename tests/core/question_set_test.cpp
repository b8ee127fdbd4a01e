#include "core/question_set.h"

#include <gtest/gtest.h>

#include "core/clock.h"
#include "core/errors.h"
#include "core/examinee.h"
#include "core/settings.h"
#include "core/template_conversion.h"
#include "core/test_home.h"
#include "core/text_file.h"

namespace lumo::core {
namespace {

namespace fs = std::filesystem;

QuestionTypes typesOf(int count = 7) {
    const char* english[] = {"R", "I", "C", "N", "O", "V", "*"};
    const char* russian[] = {"Р", "И", "К", "Н", "В", "Ж", "*"};
    const char* colours[] = {"Red", "Fuchsia", "Lime", "White", "Aqua", "Yellow", "Gray"};
    std::vector<QuestionTypes::Type> types;
    for (int n = 0; n < count; ++n) types.push_back({english[n], russian[n], colours[n]});
    return QuestionTypes(types);
}

std::vector<std::string> header(int questions) {
    return {"Иванов И.И.", "Operator 1", "3", "0", std::to_string(questions), "Theft", "07-03-2001",
            "1",           "0",          "1", "0", "0",                       "0",     "0"};
}

void addBlock(std::vector<std::string>& lines, std::vector<std::string> block) {
    lines.insert(lines.end(), block.begin(), block.end());
}

TEST(QuestionSet, ReadingNormalisesEveryField) {
    std::vector<std::string> lines = header(2);
    const std::string sixty(60, 'a');
    addBlock(lines, {"1", "R>3", "+yes", sixty + "b", sixty + "cc", " 2 ", "1", "3", "4", std::string(70, 'r')});
    addBlock(lines, {"20x", "C>>12", "-", "Вопрос?", "", "2", "2", "1", "2", " "});
    lines[5] = std::string(61, 'm');
    lines[6] = "07-03-2001 12:00";
    const TQstTest set = TQstTest::fromBytes(joinTextLines(lines), 7, "exam_01.qs_");

    EXPECT_EQ(set.examineeName, "Иванов И.И.");
    EXPECT_EQ(set.method, 3);
    EXPECT_EQ(set.examMark, std::string(60, 'm'));
    EXPECT_EQ(set.date, "07-03-2001");
    EXPECT_EQ(set.typeCount(1), 1);
    EXPECT_EQ(set.typeCount(3), 1);
    ASSERT_EQ(set.questionCount(), 2);

    const TQsHandle& first = set.question(1);
    EXPECT_EQ(first.number, " 1");
    EXPECT_EQ(first.sign, " R3");
    EXPECT_EQ(first.answer, "+");
    EXPECT_EQ(first.textPart1, sixty);
    EXPECT_EQ(first.textPart2, sixty);
    EXPECT_EQ(first.order(1), 2);
    EXPECT_EQ(first.order(4), 4);
    EXPECT_EQ(first.reserved, std::string(60, 'r'));

    const TQsHandle& second = set.question(2);
    EXPECT_EQ(second.number, "20");
    EXPECT_EQ(second.sign, " C1");  // cut to 4 characters before the ">" go
    EXPECT_EQ(second.text(), "Вопрос?");
    EXPECT_THROW(set.question(3), EListError);
    EXPECT_THROW(first.order(5), EListError);
}

TEST(QuestionSet, DamagedFilesAreRefusedNamingTheFile) {
    std::vector<std::string> lines = header(2);
    addBlock(lines, {" 1", " R1", "+", "Text?", "", "1", "1", "1", "1", " "});
    addBlock(lines, {" 2", " C1", "-", "Text?", "", "2", "2", "2", "2", " "});
    ASSERT_NO_THROW(TQstTest::fromBytes(joinTextLines(lines), 7, "x"));

    // Every cut short of the whole file is a list index error naming the file.
    for (std::size_t keep : {0, 4, 10, 14, 20, 33}) {
        const std::vector<std::string> cut(lines.begin(), lines.begin() + static_cast<long>(keep));
        try {
            TQstTest::fromBytes(joinTextLines(cut), 7, "DAT/#0000001/exam_04.qs_");
            FAIL() << "a file of " << keep << " lines was read";
        } catch (const EListError& e) {
            EXPECT_NE(std::string(e.what()).find("exam_04.qs_"), std::string::npos) << e.what();
        }
    }

    // Strict integers: the header's are not trimmed at the end, the orders are.
    std::vector<std::string> bad = lines;
    bad[2] = "3 ";
    try {
        TQstTest::fromBytes(joinTextLines(bad), 7, "exam_04.qs_");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_NE(std::string(e.what()).find("line 3"), std::string::npos) << e.what();
    }
    bad = lines;
    bad[9] = "x";  // a type counter
    EXPECT_THROW(TQstTest::fromBytes(joinTextLines(bad), 7, "x"), EConvertError);
    bad = lines;
    bad[19] = " 1 ";
    EXPECT_NO_THROW(TQstTest::fromBytes(joinTextLines(bad), 7, "x"));
    bad[20] = "1.5";
    EXPECT_THROW(TQstTest::fromBytes(joinTextLines(bad), 7, "x"), EConvertError);

    // The set holds 20 questions; a larger or negative count is a damaged file.
    for (const char* count : {"21", "-1"}) {
        bad = lines;
        bad[4] = count;
        EXPECT_THROW(TQstTest::fromBytes(joinTextLines(bad), 7, "x"), EListError) << count;
    }
}

TEST(QuestionSet, SaveWritesTheFileItWasReadFromByteForByte) {
    test::TempHome home;
    std::vector<std::string> lines = header(3);
    addBlock(lines, {" 1", " N1", "+", "Вас зовут Иван?", "", "1", "3", "2", "1", " "});
    addBlock(lines, {" 2", "R12", "-", std::string(60, 'x'), "tail?", "2", "1", "3", "3", "note"});
    addBlock(lines, {" 3", " C1", "-", "Did you. Really?", "", "3", "2", "1", "2", " "});
    const std::string bytes = joinTextLines(lines);
    test::writeFile(home / "exam_01.qs_", bytes);

    TQstTest set(home / "exam_01.qs_", 7, typesOf());
    set.save(home / "copy.qs_");
    EXPECT_EQ(test::readFile(home / "copy.qs_"), bytes);
    EXPECT_EQ(set.questionsInOrder(1), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(set.questionsInOrder(2), (std::vector<int>{2, 3, 1}));
    EXPECT_EQ(set.questionsInOrder(4), (std::vector<int>{1, 3, 2}));
    set.question(1).setOrder(3, 1);  // damaged: two questions at position 1
    EXPECT_EQ(set.questionsInOrder(3), (std::vector<int>{1, 3, 2}));
    EXPECT_THROW(set.questionsInOrder(5), EListError);

    // Counters are written as many as were read, whatever the types say, so
    // readers of seven counters keep finding the questions.
    TQstTest fewer(home / "exam_01.qs_", 7, typesOf(3));
    fewer.question(2).setOrder(1, 3);
    fewer.save(home / "copy.qs_");
    const std::vector<std::string> saved = readTextLines(home / "copy.qs_");
    ASSERT_EQ(saved.size(), lines.size());
    EXPECT_EQ(saved[14 + 10 + 5], "3");
}

TEST(QuestionSet, SignToTypeAndColour) {
    const QuestionTypes types = typesOf();
    EXPECT_EQ(types.signToType(" R1"), 1);
    EXPECT_EQ(types.signToType(" К2"), 3);  // Russian letters identify the type too
    EXPECT_EQ(types.signToType("  V"), 6);
    EXPECT_EQ(types.signToType(" r1"), 0);  // letter case counts
    EXPECT_EQ(types.signToType(" 12"), 0);
    EXPECT_EQ(types.signToType(""), 0);
    EXPECT_EQ(types.signToType("NR"), 4);  // the first matching character decides
    EXPECT_EQ(types.signToType("  *"), 7);
    EXPECT_EQ(types.signToColour(" R1"), (Rgb{255, 0, 0}));
    EXPECT_EQ(types.signToColour(" C3"), (Rgb{0, 255, 0}));
    EXPECT_EQ(types.signToColour(" Q1"), Rgb{});

    const QuestionTypes badColour({{"R", "Р", "Crimson"}});
    EXPECT_THROW(badColour.signToColour("R"), EConvertError);
    EXPECT_EQ(badColour.signToColour("X"), Rgb{});
}

TEST(QuestionSet, TypesComeFromTheSettings) {
    test::TempHome home;
    test::writeMinimalIni(home.path());
    Settings settings(home.path());
    settings.load();
    settings.list().setValue("QColor2", "Teal");
    const QuestionTypes types(settings);
    EXPECT_EQ(types.count(), 7);
    EXPECT_EQ(types.signToType(" И1"), 2);
    EXPECT_EQ(types.signToType(" X1"), 7);
    EXPECT_EQ(types.signToColour(" I1"), (Rgb{0, 128, 128}));
}

class Templates : public ::testing::Test {
protected:
    void SetUp() override {
        examinee.name = "Петров П.П.";
        examinee.operatorName = "Operator 2";
    }

    fs::path writeTemplate(const std::string& name, const std::vector<std::string>& lines) {
        const fs::path path = home / "QST" / name;
        test::writeLines(path, lines);
        return path;
    }

    test::TempHome home;
    TSubj examinee;
    Date today{2024, 5, 9};
    QuestionTypes types = typesOf();
};

TEST_F(Templates, BuildingAnExamFollowsTheTemplateLineByLine) {
    const std::string sixty(59, 'a');
    const fs::path source = writeTemplate("theft.qs3", {
                                                           " 1.N1.+.Is it. Monday today?",
                                                           " 2. R1.-." + sixty + "?",
                                                           " 3. R2.-." + sixty + "?b",
                                                           "",
                                                           " 4. C1.+.Вы когда-нибудь лгали?",
                                                       });
    buildExamFromTemplate(source, home / "exam_01.qs_", "theft", examinee, today, types);
    const std::vector<std::string> lines = readTextLines(home / "exam_01.qs_");
    ASSERT_EQ(lines.size(), 14u + 4 * 10);
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 14),
              (std::vector<std::string>{"Петров П.П.", "Operator 2", "3", "0", "4", "theft", "09-05-2024", "2",
                                        "0", "1", "1", "0", "0", "0"}));
    // The sign is copied as the template has it; the text keeps its full stops.
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 14, lines.begin() + 24),
              (std::vector<std::string>{" 1", "N1", "+", "Is it. Monday today?", "", "1", "1", "1", "1", " "}));
    EXPECT_EQ(lines[24 + 3], sixty + "?");  // 60 characters: part 2 stays empty
    EXPECT_EQ(lines[24 + 4], "");
    EXPECT_EQ(lines[34 + 3], sixty + "?");  // 61: one character goes to part 2
    EXPECT_EQ(lines[34 + 4], "b");
    EXPECT_EQ(lines[44 + 5], "4");          // the blank line holds no question

    const TQstTest exam(home / "exam_01.qs_", 7, types);
    EXPECT_EQ(exam.question(1).sign, " N1");
    EXPECT_EQ(exam.question(3).text(), sixty + "?b");
    EXPECT_EQ(exam.question(4).text(), "Вы когда-нибудь лгали?");
}

TEST_F(Templates, BadTemplatesWriteNothing) {
    test::writeFile(home / "exam_01.qs_", "old");
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {"two_stops.qs1", {" 1. R1.+.Fine?", " 2. R2+no stop"}},
        {"long.qs1", {" 1. R1.+." + std::string(121, 'x')}},
        {"no_method.qs_", {" 1. R1.+.Fine?"}},
        {"many.qs1", std::vector<std::string>(21, " 1. N1.+.Again?")},
    };
    for (const auto& [name, lines] : cases) {
        EXPECT_THROW(buildExamFromTemplate(writeTemplate(name, lines), home / "exam_01.qs_", name, examinee, today,
                                           types),
                     EInOutError)
            << name;
        EXPECT_EQ(test::readFile(home / "exam_01.qs_"), "old") << name;
    }
    // 120 characters still fit.
    EXPECT_NO_THROW(buildExamFromTemplate(writeTemplate("full.qs1", {" 1. R1.+." + std::string(120, 'x')}),
                                          home / "exam_01.qs_", "full", examinee, today, types));
}

TEST_F(Templates, ExportJoinsTheTextAndRoundTrips) {
    const std::vector<std::string> original = {" 1. N1.+.Is it. Monday today?", " 2. R1.-." + std::string(70, 'z') + "?",
                                               " 3. Н2.+.Вы спите?"};
    const fs::path source = writeTemplate("test.qs3", original);
    buildExamFromTemplate(source, home / "exam_01.qs_", "test", examinee, today, types);

    const TQstTest exam(home / "exam_01.qs_", 7);
    const fs::path target = home / "QST" / templateFileName("test", exam.method);
    EXPECT_EQ(target.filename(), "test.QS3");
    exportExamAsTemplate(home / "exam_01.qs_", target);
    EXPECT_EQ(test::readFile(target), test::readFile(source));
    EXPECT_EQ(templateMethod(target), 3);
    EXPECT_EQ(templateMethod("name.qs_"), 0);
}

TEST(QuestionSetNames, CompanionFilesShareTheStem) {
    const fs::path exam = fs::path("DAT") / "#0000001" / "exam_03.qs_";
    EXPECT_EQ(companionFile(exam, "ch2"), fs::path("DAT") / "#0000001" / "exam_03.ch2");
    EXPECT_EQ(companionFile(companionFile(exam, "ch2"), "sc2").filename(), "exam_03.sc2");
    EXPECT_EQ(companionFile("ab", "qt1"), "qt1");
}

}  // namespace
}  // namespace lumo::core
