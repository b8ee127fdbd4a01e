#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "authoring/method_skeleton.h"

namespace lumo::authoring {
namespace {

SkeletonTexts englishTexts() {
    SkeletonTexts texts;
    texts.signLetters = {"R", "I", "C", "N", "O", "V"};
    return texts;
}

std::vector<std::string> signs(const std::vector<QuestionRow>& rows) {
    std::vector<std::string> result;
    for (const QuestionRow& row : rows) result.push_back(row.sign);
    return result;
}

TypeCounts counts(int r, int i, int c, int n, int o, int v) {
    return {r, i, c, n, o, v};
}

TEST(MethodSkeletonTest, NumbersAndSignsKeepThreeCharacters) {
    EXPECT_EQ(rowNumber(9), " 9");
    EXPECT_EQ(rowNumber(10), "10");
    EXPECT_EQ(numberedSign("R", 9), " R9");
    EXPECT_EQ(numberedSign("R", 10), "R10");
    // A Cyrillic letter is one character of two bytes.
    EXPECT_EQ(numberedSign("З", 3), " З3");
}

TEST(MethodSkeletonTest, ControlTestWorkedExample) {
    const auto rows = skeletonRows(1, counts(2, 0, 3, 3, 2, 1), englishTexts());
    EXPECT_EQ(signs(rows), (std::vector<std::string>{" N1", " N2", " O1", " V1", " C1", " R1", " C2", " R2", " C3",
                                                     " O2", " N3"}));
    for (std::size_t k = 0; k < rows.size(); ++k) {
        EXPECT_EQ(rows[k].number, rowNumber(static_cast<int>(k) + 1));
        EXPECT_EQ(rows[k].answer, "-");
        EXPECT_EQ(rows[k].text, " ?");
    }
}

TEST(MethodSkeletonTest, ControlTestWithoutSacrificialAndSecondOuter) {
    const auto rows = skeletonRows(1, counts(2, 0, 3, 1, 1, 0), englishTexts());
    EXPECT_EQ(signs(rows), (std::vector<std::string>{" N1", " O1", " C1", " R1", " C2", " R2", " C3"}));
}

TEST(MethodSkeletonTest, InvolvementWithOneRelevantHasOnlyTheStandardRows) {
    const auto rows = skeletonRows(2, counts(1, 1, 3, 1, 1, 0), englishTexts());
    ASSERT_EQ(rows.size(), 7u);
    EXPECT_EQ(signs(rows), (std::vector<std::string>{" N1", " O1", " C1", " I1", " C2", " R1", " C3"}));
    EXPECT_EQ(rows[2].text, "Do you suspect ?");
    EXPECT_EQ(rows[3].text, "Do you know, who ?");
    EXPECT_EQ(rows[4].text, " ?");
    EXPECT_EQ(rows[5].text, "Is it you who did ?");
    EXPECT_EQ(rows[6].text, " ?");
}

TEST(MethodSkeletonTest, InvolvementInRussianUsesTheRussianQuestionsAndLetters) {
    SkeletonTexts texts;
    texts.signLetters = {"З", "И", "К", "Н", "В", "Ж"};
    texts.suspect = "Вы подозреваете ?";
    texts.knowWho = "Вы знаете, кто ?";
    texts.youDid = "Это Вы ?";
    const auto rows = skeletonRows(2, counts(1, 1, 3, 1, 1, 0), texts);
    EXPECT_EQ(signs(rows), (std::vector<std::string>{" Н1", " В1", " К1", " И1", " К2", " З1", " К3"}));
    EXPECT_EQ(rows[2].text, "Вы подозреваете ?");
    EXPECT_EQ(rows[3].text, "Вы знаете, кто ?");
    EXPECT_EQ(rows[5].text, "Это Вы ?");
}

TEST(MethodSkeletonTest, InvolvementPairsComeBeforeTheStandardRows) {
    const auto rows = skeletonRows(2, counts(3, 1, 5, 2, 2, 1), englishTexts());
    EXPECT_EQ(signs(rows), (std::vector<std::string>{" N1", " O1", " V1", " C1", " R1", " C2", " R2", " C3", " I1",
                                                     " C4", " R3", " C5", " O2", " N2"}));
    EXPECT_EQ(rows[7].text, "Do you suspect ?");
    EXPECT_EQ(rows[10].text, "Is it you who did ?");
}

TEST(MethodSkeletonTest, KnowledgePairsControlsWithInformatives) {
    const auto rows = skeletonRows(3, counts(0, 4, 4, 3, 2, 0), englishTexts());
    EXPECT_EQ(signs(rows), (std::vector<std::string>{" N1", " N2", " O1", " C1", " I1", " C2", " I2", " C3", " I3",
                                                     " C4", " I4", " O2", " N3"}));
    EXPECT_EQ(static_cast<int>(rows.size()), methodTotal(3, counts(0, 4, 4, 3, 2, 0)));
}

TEST(MethodSkeletonTest, ScreeningControlNumbersRunOnAcrossRelevants) {
    const TypeCounts given = counts(2, 0, 5, 2, 0, 0);
    EXPECT_EQ(methodTotal(4, given), 14);
    EXPECT_EQ(signs(skeletonRows(4, given, englishTexts())),
              (std::vector<std::string>{" N1", " C1", " C2", " C3", " R1", " C4", " C5", " C6", " C7", " C8", " R2",
                                        " C9", "C10", " N2"}));
}

TEST(MethodSkeletonTest, ScreeningWithoutControlsHasOnlyRelevants) {
    EXPECT_EQ(signs(skeletonRows(4, counts(3, 0, 0, 2, 0, 0), englishTexts())),
              (std::vector<std::string>{" N1", " R1", " R2", " R3", " N2"}));
    // An even control count splits evenly, one neutral stays in front.
    EXPECT_EQ(signs(skeletonRows(4, counts(1, 0, 4, 1, 0, 0), englishTexts())),
              (std::vector<std::string>{" N1", " C1", " C2", " R1", " C3", " C4"}));
}

TEST(MethodSkeletonTest, PeakOfTensionFillsTwentyRows) {
    const auto rows = skeletonRows(5, counts(18, 0, 0, 2, 0, 0), englishTexts());
    ASSERT_EQ(rows.size(), 20u);
    EXPECT_EQ(rows.front().sign, " N1");
    EXPECT_EQ(rows[1].sign, " R1");
    EXPECT_EQ(rows[18].sign, "R18");
    EXPECT_EQ(rows.back().sign, " N2");
    EXPECT_EQ(rows.back().number, "20");
    EXPECT_EQ(signs(skeletonRows(5, counts(4, 0, 0, 0, 0, 0), englishTexts())),
              (std::vector<std::string>{" R1", " R2", " R3", " R4"}));
}

TEST(MethodSkeletonTest, CustomListsEachTypeInTurn) {
    const auto rows = skeletonRows(6, counts(12, 1, 1, 1, 1, 1), englishTexts());
    ASSERT_EQ(rows.size(), 17u);
    EXPECT_EQ(rows[8].sign, " R9");
    EXPECT_EQ(rows[9].sign, "R10");
    EXPECT_EQ(rows[11].sign, "R12");
    const std::vector<std::string> all = signs(rows);
    EXPECT_EQ(std::vector<std::string>(all.begin() + 12, all.end()),
              (std::vector<std::string>{" I1", " C1", " N1", " O1", " V1"}));
}

TEST(MethodSkeletonTest, UnknownMethodGivesNoRows) {
    EXPECT_TRUE(skeletonRows(7, counts(1, 1, 1, 1, 1, 1), englishTexts()).empty());
    EXPECT_TRUE(skeletonRows(0, counts(1, 1, 1, 1, 1, 1), englishTexts()).empty());
}

}  // namespace
}  // namespace lumo::authoring
