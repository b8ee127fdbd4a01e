#include <gtest/gtest.h>

#include "core/colors.h"
#include "core/errors.h"
#include "core/settings.h"
#include "core/settings_list.h"

namespace lumo::core {
namespace {

SettingsList listOf(std::vector<std::string> lines) {
    SettingsList list;
    list.loadFromLines(std::move(lines));
    return list;
}

TEST(SettingsList, KeysIgnoreCaseAndUnknownLinesStayInPlace) {
    SettingsList list = listOf({"Language=ENG", "some free line", "QuestionTime=20", "=odd"});
    EXPECT_EQ(list.value("language"), "ENG");
    EXPECT_EQ(list.value("QUESTIONTIME"), "20");
    EXPECT_EQ(list.value("Absent"), "");
    EXPECT_EQ(list.indexOf("some free line"), -1);  // a line without "=" holds no key

    list.setValue("questiontime", "25");
    list.setValue("NewKey", "x");
    EXPECT_EQ(list.lines(), (std::vector<std::string>{"Language=ENG", "some free line", "QuestionTime=25", "=odd",
                                                      "NewKey=x"}));
    list.setValue("LANGUAGE", "");
    EXPECT_EQ(list.indexOf("Language"), -1);
    EXPECT_EQ(list.lines().front(), "some free line");
    list.setValue("Missing", "");  // removing what is not there changes nothing
    EXPECT_EQ(list.lines().size(), 4u);
}

TEST(SettingsList, TextSettingsUseUnderscoresAndTheEmptyMarker) {
    SettingsList list;
    list.setText("Eng_Crime2", "a b");
    EXPECT_EQ(list.value("Eng_Crime2"), "a_b");
    EXPECT_EQ(list.text("Eng_Crime2"), "a b");
    list.setText("Eng_Crime3", "");
    EXPECT_EQ(list.value("Eng_Crime3"), "Ъ");
    EXPECT_EQ(list.text("Eng_Crime3"), "");
    list.setValue("Eng_Crime4", "ЪЪ");  // only the single marker means empty
    EXPECT_EQ(list.text("Eng_Crime4"), "ЪЪ");
}

TEST(SettingsList, BooleansAndIntegers) {
    SettingsList list = listOf({"A=True", "B=TRUE", "C=yes", "UnitBaudRate=fast", "N= 12"});
    EXPECT_TRUE(list.boolean("A"));
    EXPECT_TRUE(list.boolean("b"));
    EXPECT_FALSE(list.boolean("C"));
    EXPECT_FALSE(list.boolean("Absent"));
    EXPECT_EQ(list.integerOr("UnitBaudRate", 19200), 19200);
    EXPECT_EQ(list.integerOr("Missing", 19200), 19200);
    EXPECT_EQ(list.integer("N"), 12);
    EXPECT_THROW(list.integer("UnitBaudRate"), EConvertError);
    EXPECT_THROW(list.integer("Missing"), EConvertError);
    list.setBoolean("A", false);
    EXPECT_EQ(list.value("A"), "False");
}

TEST(Colors, SixteenNamesInAnyCase) {
    EXPECT_EQ(colorFromName("aqua"), (Rgb{0, 255, 255}));
    EXPECT_EQ(colorFromName("Maroon"), (Rgb{128, 0, 0}));
    EXPECT_EQ(colorFromName("SILVER"), (Rgb{192, 192, 192}));
    for (auto name : kColorNames) EXPECT_NO_THROW(colorFromName(name));
    try {
        colorFromName("Aquamarine");
        FAIL();
    } catch (const EConvertError& error) {
        EXPECT_STREQ(error.what(), "AQUAMARINE is not valid color");
    }
    EXPECT_THROW(colorFromName(""), EConvertError);
}

TEST(SettingsHelpers, LanguageResolutionAndLayout) {
    EXPECT_EQ(languageFromSetting("rus"), Language::Russian);
    EXPECT_EQ(languageFromSetting("ENG"), Language::English);
    EXPECT_EQ(languageFromSetting("DE"), Language::English);
    EXPECT_EQ(languageFromSetting(""), Language::English);
    EXPECT_NEAR(screenResolution(1024, 768, 381), 85.333, 0.001);
    EXPECT_EQ(keyboardLayoutFromLocale("ru_RU"), 1);
    EXPECT_EQ(keyboardLayoutFromLocale("en_US"), 0);
    EXPECT_EQ(keyboardLayoutFromLocale(""), 2);
}

}  // namespace
}  // namespace lumo::core
