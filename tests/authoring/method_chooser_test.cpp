#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "authoring/method_chooser.h"
#include "core/errors.h"
#include "core/settings.h"
#include "core/string_table.h"
#include "core/test_home.h"

namespace lumo::authoring {
namespace {

MethodChooser chooser(int method) {
    SkeletonTexts texts;
    texts.signLetters = {"R", "I", "C", "N", "O", "V"};
    MethodChooser result({"One", "Two", "Three", "Four", "Five", "Six"}, texts, "Method : %s");
    EXPECT_TRUE(result.select(method - 1));
    return result;
}

TEST(MethodChooserTest, EachMethodStartsWithItsFieldsAndTotal) {
    const int totals[] = {7, 7, 6, 5, 5, 6};
    for (int method = 1; method <= 6; ++method) {
        SCOPED_TRACE(method);
        EXPECT_EQ(chooser(method).total(), totals[method - 1]);
    }
    const MethodChooser knowledge = chooser(3);
    EXPECT_EQ(knowledge.field(kRelevant), (CountField{true, false, 0, 0, 0}));
    EXPECT_EQ(knowledge.field(kControl), (CountField{true, true, 2, 2, 2}));
    const MethodChooser screening = chooser(4);
    EXPECT_FALSE(screening.field(kInformative).visible);
    EXPECT_FALSE(screening.field(kOuter).visible);
    EXPECT_FALSE(screening.field(kSacrificial).visible);
    EXPECT_EQ(screening.field(kControl), (CountField{true, true, 0, 9, 4}));
    const MethodChooser peak = chooser(5);
    EXPECT_EQ(peak.field(kRelevant), (CountField{true, true, 4, 18, 4}));
    EXPECT_FALSE(peak.field(kControl).visible);
}

TEST(MethodChooserTest, ControlCountFollowsTheInterlocks) {
    MethodChooser control = chooser(1);
    EXPECT_EQ(control.change(kRelevant, 4), 4);
    EXPECT_EQ(control.field(kControl), (CountField{true, true, 5, 5, 5}));
    MethodChooser involvement = chooser(2);
    involvement.change(kRelevant, 3);
    EXPECT_EQ(involvement.field(kControl).value, 5);
    MethodChooser knowledge = chooser(3);
    knowledge.change(kInformative, 4);
    EXPECT_EQ(knowledge.field(kControl), (CountField{true, true, 4, 4, 4}));
    EXPECT_EQ(knowledge.total(), 8 + 1 + 1 + 0);
    // A fixed field goes back to its value; a disabled one does not change at all.
    EXPECT_EQ(knowledge.change(kControl, 6), 4);
    EXPECT_EQ(knowledge.change(kRelevant, 3), 0);
}

TEST(MethodChooserTest, TypedValuesAreBroughtToTheBounds) {
    MethodChooser peak = chooser(5);
    EXPECT_EQ(peak.change(kRelevant, 99), 18);
    EXPECT_EQ(peak.change(kRelevant, 1), 4);
    EXPECT_EQ(peak.change(kNeutral, -3), 1);  // 0 would leave 4 questions: raised again
}

TEST(MethodChooserTest, TotalRuleKeepsTwentyQuestions) {
    MethodChooser peak = chooser(5);
    peak.change(kNeutral, 2);
    EXPECT_EQ(peak.change(kRelevant, 18), 18);
    EXPECT_EQ(peak.total(), 20);
    EXPECT_EQ(peak.change(kRelevant, 19), 18);
    EXPECT_EQ(peak.total(), 20);

    MethodChooser screening = chooser(4);
    screening.change(kRelevant, 3);
    screening.change(kControl, 5);
    EXPECT_EQ(screening.total(), 18);
    EXPECT_EQ(screening.change(kControl, 6), 5);
    MethodChooser second = chooser(4);
    second.change(kRelevant, 2);
    EXPECT_EQ(second.change(kControl, 6), 6);
    EXPECT_EQ(second.change(kRelevant, 3), 2);
    EXPECT_EQ(second.total(), 14);

    MethodChooser custom = chooser(6);
    EXPECT_EQ(custom.change(kRelevant, 20), 15);
}

TEST(MethodChooserTest, TotalRuleKeepsFiveQuestions) {
    MethodChooser screening = chooser(4);
    EXPECT_EQ(screening.change(kControl, 1), 4);  // r + c*r = 2 needs c = 4 for five
    screening.change(kRelevant, 3);
    EXPECT_EQ(screening.change(kControl, 1), 1);
    EXPECT_EQ(screening.total(), 6);
    MethodChooser custom = chooser(6);
    custom.change(kRelevant, 0);
    EXPECT_EQ(custom.change(kInformative, 0), 1);
}

TEST(MethodChooserTest, GeneratesTheSelectedMethodWithItsCaption) {
    MethodChooser control = chooser(1);
    control.change(kNeutral, 3);
    control.change(kOuter, 2);
    control.change(kSacrificial, 1);
    const auto skeleton = control.generate();
    ASSERT_TRUE(skeleton.has_value());
    EXPECT_EQ(skeleton->method, 1);
    EXPECT_EQ(skeleton->caption, "Method : One");
    EXPECT_EQ(static_cast<int>(skeleton->rows.size()), 11);
    EXPECT_EQ(skeleton->rows[3].sign, " V1");
}

TEST(MethodChooserTest, PositionsBeyondTheSixMethodsAreRefused) {
    SkeletonTexts texts;
    MethodChooser seven({"1", "2", "3", "4", "5", "6", "7"}, texts, "%s");
    EXPECT_TRUE(seven.select(5));
    EXPECT_FALSE(seven.select(6));
    EXPECT_EQ(seven.method(), 0);
    EXPECT_FALSE(seven.generate().has_value());
    EXPECT_EQ(seven.change(kRelevant, 3), 1);  // nothing changes without a method
    MethodChooser none({}, texts, "%s");
    EXPECT_FALSE(none.select(0));
}

class MethodChooserSettingsTest : public ::testing::Test {
protected:
    core::Settings load(const std::vector<std::string>& extra) {
        test::writeMinimalIni(home.path(), extra);
        core::Settings settings(home.path());
        settings.load();
        return settings;
    }
    test::TempHome home;
    core::StringTable table;
};

TEST_F(MethodChooserSettingsTest, ReadsNamesUnderTheLanguagePrefix) {
    const core::Settings english = load({"NMethod=2"});
    const MethodChooser chooser = makeMethodChooser(english, table);
    EXPECT_EQ(chooser.names(), (std::vector<std::string>{"Zone comparison", "Peak of tension"}));

    core::Settings russian = load({"Language=RUS"});
    MethodChooser chooserRu = makeMethodChooser(russian, table);
    ASSERT_EQ(chooserRu.names().size(), 6u);
    ASSERT_TRUE(chooserRu.select(1));
    const auto skeleton = chooserRu.generate();
    EXPECT_EQ(skeleton->caption, "Метод : Метод 2");
    EXPECT_EQ(skeleton->rows[0].sign, " Н1");
    EXPECT_EQ(skeleton->rows[2].text, "Вы подозреваете ?");
    EXPECT_EQ(skeleton->rows[3].text, "Вы знаете, кто ?");
    EXPECT_EQ(skeleton->rows[5].text, "Это Вы ?");
}

TEST_F(MethodChooserSettingsTest, MissingMethodCountIsAConversionError) {
    core::Settings settings = load({});
    settings.list().setValue("NMethod", "");
    EXPECT_THROW(makeMethodChooser(settings, table), EConvertError);
    settings.list().setValue("NMethod", "0");
    EXPECT_FALSE(makeMethodChooser(settings, table).select(0));
}

}  // namespace
}  // namespace lumo::authoring
