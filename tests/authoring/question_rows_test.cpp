#include "authoring/question_rows.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/clock.h"
#include "core/test_home.h"
#include "core/workstation.h"

namespace lumo::authoring {
namespace {

using Column = QuestionRows::Column;
using Field = QuestionRows::Field;
using Key = QuestionRows::Key;

class QuestionRowsTest : public ::testing::Test {
protected:
    void SetUp() override { start("ENG"); }
    void start(const std::string& language) {
        test::writeMinimalIni(home.path(), {"Language=" + language});
        ws = std::make_unique<core::Workstation>(home.path(), std::make_unique<core::ManualClock>());
        ws->initialise();
    }
    std::unique_ptr<QuestionRows> make(QuestionRows::Mode mode = {}) {
        return std::make_unique<QuestionRows>(SignAlphabet::fromSettings(ws->settings()), ws->texts(), mode);
    }
    // `count` rows with the given signs, cycled.
    static std::vector<QuestionRow> rows(int count, std::vector<std::string> signs = {" N1"}) {
        std::vector<QuestionRow> result;
        for (int i = 0; i < count; ++i) {
            result.push_back({rowNumber(i + 1), signs[static_cast<std::size_t>(i) % signs.size()], "-",
                              "Question " + std::to_string(i + 1) + "?"});
        }
        return result;
    }
    // Types a text into a field keystroke by keystroke, as the grid reports it.
    static void type(QuestionRows& r, Field field, const std::string& text) {
        r.enter(field);
        r.change(field, "");
        std::string typed;
        for (const char c : text) {
            typed += c;
            r.change(field, typed);
            typed = r.text(field);
        }
    }
    static std::vector<std::string> signs(const QuestionRows& r) {
        std::vector<std::string> result;
        for (int i = 0; i < r.count(); ++i) result.push_back(r.row(i).sign);
        return result;
    }

    test::TempHome home;
    std::unique_ptr<core::Workstation> ws;
};

TEST_F(QuestionRowsTest, SignsAreRenumberedPerTypeWhateverWasTyped) {
    auto r = make();
    r->load(rows(4, {" R1", " R2", " N1", " C1"}));
    const Field third{2, Column::Sign};
    r->enter(third);
    r->change(third, "R5");
    EXPECT_EQ(r->text(third), " R3");
    EXPECT_EQ(r->leave(third).text, "");
    EXPECT_EQ(signs(*r), (std::vector<std::string>{" R1", " R2", " R3", " C1"}));

    // A Russian letter names the same type and is written in the current language.
    r->change({3, Column::Sign}, "Р7");
    EXPECT_EQ(r->row(3).sign, " R4");

    // Ten and more lose the leading blank.
    r->load(rows(12, {" R1"}));
    EXPECT_EQ(r->row(8).sign, " R9");
    EXPECT_EQ(r->row(9).sign, "R10");
    EXPECT_EQ(r->row(11).sign, "R12");
}

TEST_F(QuestionRowsTest, LeavingASignRepairsItWithAWarning) {
    auto r = make();
    r->load(rows(5, {" N1", " R1"}));
    const Field second{1, Column::Sign};

    r->change(second, "x");
    EXPECT_EQ(r->paint(1).background, (core::Rgb{255, 0, 0}));  // no type: red with black text
    EXPECT_EQ(r->paint(1).foreground, (core::Rgb{0, 0, 0}));
    QuestionRows::Warning warning = r->leave(second);
    EXPECT_EQ(warning.text, "Invalid type");
    EXPECT_TRUE(warning.refocus);
    // Neutral letter plus "00", then the next neutral number.
    EXPECT_EQ(r->row(1).sign, " N2");
    EXPECT_EQ(r->paint(1).background, (core::Rgb{0, 0, 0}));
    EXPECT_EQ(r->paint(1).foreground, (core::Rgb{0, 0, 255}));

    r->change(second, "   ");
    EXPECT_EQ(r->leave(second).text, "Empty type");
    EXPECT_EQ(r->row(1).sign, " N2");

    // Any type letter in the sign is renumbered at once, so only signs
    // without one are left to repair.
    r->change(second, "xR7b");
    EXPECT_EQ(r->row(1).sign, " R1");
    EXPECT_EQ(r->leave(second).text, "");

    // Rows out of use are not checked.
    EXPECT_EQ(r->leave({7, Column::Sign}).text, "");
    EXPECT_EQ(r->paint(7).foreground, (core::Rgb{0, 0, 0}));
    EXPECT_FALSE(r->paint(7).enabled);
}

TEST_F(QuestionRowsTest, AnswerAndTextRules) {
    auto r = make();
    r->load(rows(5));
    const Field answer{0, Column::Answer};
    r->change(answer, " ");
    QuestionRows::Warning warning = r->leave(answer);
    EXPECT_EQ(warning.text, "Empty answer");
    EXPECT_FALSE(warning.refocus);
    EXPECT_EQ(r->row(0).answer, "-");
    r->change(answer, "+yes");
    EXPECT_EQ(r->leave(answer).text, "");
    EXPECT_EQ(r->row(0).answer, "+");
    r->change(answer, "y");
    EXPECT_EQ(r->leave(answer).text, "Invalid answer");
    EXPECT_EQ(r->row(0).answer, "-");

    const Field text{0, Column::Text};
    r->change(text, "");
    EXPECT_EQ(r->text(text), "?");
    r->change(text, "Is it you");  // the final "?" was deleted
    EXPECT_EQ(r->text(text), "Is it yo?");
    r->change(text, "  Is it you?");
    r->leave(text);
    EXPECT_EQ(r->text(text), "Is it you?");
    // A loaded text without its "?" gets one and loses nothing; the standard " ?" keeps its blank until left.
    r->load({{" 1", " N1", "-", " ?"}, {" 2", " N2", "-", "No mark"}, {" 3", " N3", "-", ""}});
    EXPECT_EQ(r->row(0).text, " ?");
    EXPECT_EQ(r->row(1).text, "No mark?");
    EXPECT_EQ(r->row(2).text, "?");
}

TEST_F(QuestionRowsTest, ArrowKeysMoveBetweenFields) {
    auto r = make();
    r->load(rows(7));
    const Field sign{3, Column::Sign};
    EXPECT_EQ(r->move(Key::Left, sign, false, false), std::nullopt);
    EXPECT_EQ(r->move(Key::Left, sign, true, false), (Field{3, Column::Text}));
    EXPECT_EQ(r->move(Key::Left, {3, Column::Text}, true, false), (Field{3, Column::Answer}));
    EXPECT_EQ(r->move(Key::Left, {3, Column::Answer}, true, true), (Field{3, Column::Sign}));
    EXPECT_EQ(r->move(Key::Right, sign, false, false), std::nullopt);
    EXPECT_EQ(r->move(Key::Right, sign, false, true), (Field{3, Column::Answer}));
    EXPECT_EQ(r->move(Key::Right, {3, Column::Answer}, true, true), (Field{3, Column::Text}));
    EXPECT_EQ(r->move(Key::Right, {3, Column::Text}, false, true), (Field{3, Column::Sign}));
    EXPECT_EQ(r->move(Key::Up, {0, Column::Answer}, false, false), (Field{6, Column::Answer}));
    EXPECT_EQ(r->move(Key::Up, sign, false, false), (Field{2, Column::Sign}));
    EXPECT_EQ(r->move(Key::Down, sign, false, false), (Field{4, Column::Sign}));
}

TEST_F(QuestionRowsTest, DownOnTheLastRowAppendsUpToTwentyThenWraps) {
    auto r = make();
    r->load(rows(7, {" N1", " R1"}));  // row 7 is neutral 4
    EXPECT_EQ(r->move(Key::Down, {6, Column::Text}, false, false), (Field{7, Column::Text}));
    EXPECT_EQ(r->count(), 8);
    EXPECT_EQ(r->row(7), (QuestionRow{" 8", " N5", "-", "?"}));
    EXPECT_TRUE(r->paint(7).enabled);

    r->load(rows(20));
    EXPECT_EQ(r->move(Key::Down, {19, Column::Sign}, false, false), (Field{0, Column::Sign}));
    EXPECT_EQ(r->count(), 20);
}

TEST_F(QuestionRowsTest, TheExamModeWrapsAtTheLastRowAndMayForbidInsertAndDelete) {
    auto r = make({true, false});
    r->load(rows(7));
    EXPECT_EQ(r->move(Key::Down, {6, Column::Answer}, false, false), (Field{0, Column::Answer}));
    EXPECT_EQ(r->count(), 7);
    EXPECT_FALSE(r->canInsert());
    EXPECT_FALSE(r->canDelete());
    EXPECT_FALSE(r->insert());
    EXPECT_FALSE(r->remove());
    EXPECT_EQ(r->count(), 7);
    auto structure = make({true, true});
    structure->load(rows(7));
    EXPECT_TRUE(structure->canInsert());
    EXPECT_TRUE(structure->canDelete());
}

TEST_F(QuestionRowsTest, InsertAndDeleteKeepWithinFiveAndTwenty) {
    auto r = make();
    r->load(rows(6, {" N1", " R1", " C1"}));
    r->enter({1, Column::Text});
    ASSERT_TRUE(r->insert());
    EXPECT_EQ(r->count(), 7);
    // The row at the position keeps its sign, the others moved down.
    EXPECT_EQ(r->row(1), (QuestionRow{" 2", " R1", "-", "?"}));
    EXPECT_EQ(r->row(2), (QuestionRow{" 3", " R2", "-", "Question 2?"}));
    EXPECT_EQ(r->row(6), (QuestionRow{" 7", " C2", "-", "Question 6?"}));

    ASSERT_TRUE(r->remove());
    ASSERT_TRUE(r->remove());
    EXPECT_EQ(r->count(), 5);
    EXPECT_EQ(r->row(1).text, "Question 3?");
    EXPECT_EQ(r->row(5), (QuestionRow{" 6", "", "", ""}));
    EXPECT_FALSE(r->canDelete());
    EXPECT_FALSE(r->remove());

    // Deleting the last row removes that row and moves to the row before.
    r->load(rows(7));
    r->enter({6, Column::Text});
    ASSERT_TRUE(r->remove());
    EXPECT_EQ(r->current(), (Field{5, Column::Sign}));
    EXPECT_EQ(r->row(5).text, "Question 6?");
    EXPECT_EQ(r->row(6).text, "");

    r->load(rows(19));
    r->enter({0, Column::Sign});
    EXPECT_TRUE(r->insert());
    EXPECT_EQ(r->count(), 20);
    EXPECT_EQ(r->row(19).number, "20");
    EXPECT_FALSE(r->canInsert());
    EXPECT_FALSE(r->insert());
}

TEST_F(QuestionRowsTest, EveryRowFaultHasItsMessageAndField) {
    struct Case {
        QuestionRow bad;
        std::string message;
        Column column;
    };
    const std::string long121(121, 'a');
    const std::vector<Case> cases = {
        {{" 3", "  ", "-", "Text?"}, "Empty type at line 3", Column::Sign},
        {{" 3", "x1", "-", "Text?"}, "Invalid type at line 3", Column::Sign},
        {{" 3", "R1x", "-", "Text?"}, "Invalid type at line 3", Column::Sign},
        {{" 3", "R123", "-", "Text?"}, "Too big type at line 3", Column::Sign},
        {{" 3", " R1", " ", "Text?"}, "Empty answer at line 3", Column::Answer},
        {{" 3", " R1", "+-", "Text?"}, "Too big answer at line 3", Column::Answer},
        {{" 3", " R1", "y", "Text?"}, "Invalid answer at line 3 : \"+\" and \"-\" are only allowed", Column::Answer},
        {{" 3", " R1", "-", long121}, "Too big question text at line 3", Column::Text},
    };
    const SignAlphabet alphabet = SignAlphabet::fromSettings(ws->settings());
    for (const Case& c : cases) {
        QuestionRow row = c.bad;
        const std::optional<QuestionRows::Fault> fault = QuestionRows::checkRow(row, 2, alphabet, ws->texts());
        ASSERT_TRUE(fault.has_value()) << c.message;
        EXPECT_EQ(fault->message, c.message);
        EXPECT_EQ(fault->field, (Field{2, c.column})) << c.message;
        EXPECT_EQ(row, c.bad) << c.message;
    }
    QuestionRow row{" 4", "R 1", " + ", "  Were you there  "};
    EXPECT_EQ(QuestionRows::checkRow(row, 3, alphabet, ws->texts()), std::nullopt);
    EXPECT_EQ(row, (QuestionRow{" 4", " R1", "+", "Were you there?"}));
    row = {" 4", "R12", "-", std::string(119, 'b')};
    EXPECT_EQ(QuestionRows::checkRow(row, 3, alphabet, ws->texts()), std::nullopt);
    EXPECT_EQ(row.text, std::string(119, 'b') + "?");
}

TEST_F(QuestionRowsTest, TheCheckStopsAtTheFirstFaultAndNormalisesTheRowsBefore) {
    auto r = make();
    r->load({{" 1", " N1", " + ", "  First  ?"}, {" 2", " R1", "-", "Second?"}, {" 3", " C1", "-", "Third?"}});
    r->change({1, Column::Answer}, "ja");
    r->change({2, Column::Sign}, "77");
    std::optional<QuestionRows::Fault> fault = r->check();
    ASSERT_TRUE(fault.has_value());
    EXPECT_EQ(fault->message, "Too big answer at line 2");
    EXPECT_EQ(fault->field, (Field{1, Column::Answer}));
    EXPECT_EQ(r->row(0), (QuestionRow{" 1", " N1", "+", "First  ?"}));
    EXPECT_EQ(r->row(1).answer, "ja");

    r->change({1, Column::Answer}, "-");
    fault = r->check();
    ASSERT_TRUE(fault.has_value());
    EXPECT_EQ(fault->message, "Invalid type at line 3");
    EXPECT_EQ(fault->field, (Field{2, Column::Sign}));

    r->change({2, Column::Sign}, "C");
    r->change({2, Column::Text}, std::string(121, 'c'));
    fault = r->check();
    ASSERT_TRUE(fault.has_value());
    EXPECT_EQ(fault->message, "Too big question text at line 3");
    EXPECT_EQ(fault->field, (Field{2, Column::Text}));

    r->change({2, Column::Text}, std::string(119, 'c') + "?");
    EXPECT_EQ(r->check(), std::nullopt);
    EXPECT_EQ(r->lines(), (std::vector<std::string>{" 1. N1.+.First  ?", " 2. R1.-.Second?",
                                                   " 3. C1.-." + std::string(119, 'c') + "?"}));
}

TEST_F(QuestionRowsTest, LinesRoundTripThroughTheFullStops) {
    auto r = make();
    r->loadLines({" 1. R1.-.Were you at No. 5 on May 3.?", "no separators"});
    EXPECT_EQ(r->count(), 2);
    EXPECT_EQ(r->row(0).text, "Were you at No. 5 on May 3.?");
    EXPECT_EQ(r->row(1).text, "no separators?");
    EXPECT_EQ(r->row(1).answer, "-");
    EXPECT_EQ(core::splitTemplateLine("a.b"), std::nullopt);
}

TEST_F(QuestionRowsTest, RussianSignsUseTheRussianLetters) {
    start("RUS");
    auto r = make();
    r->load(rows(5, {" R1"}));
    EXPECT_EQ(r->row(0).sign, " Р1");
    r->change({1, Column::Sign}, "");
    EXPECT_EQ(r->leave({1, Column::Sign}).text, "Поле типа вопроса пусто");
    EXPECT_EQ(r->row(1).sign, " Н1");
}

}  // namespace
}  // namespace lumo::authoring
