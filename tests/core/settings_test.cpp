#include <gtest/gtest.h>

#include "core/errors.h"
#include "core/settings.h"
#include "core/test_home.h"
#include "core/text_file.h"

namespace lumo::core {
namespace {

using test::TempHome;

TEST(SettingsLoad, WritesTheDataHomeAsSystemPath) {
    TempHome home;
    test::writeMinimalIni(home.path(), {"SystemPath=C:\\LUMO\\"});
    Settings settings(home.path());
    settings.load();
    EXPECT_EQ(settings.list().value("SystemPath"), home.path().string() + "/");
}

TEST(SettingsLoad, LanguagePrefixAndTables) {
    TempHome home;
    test::writeMinimalIni(home.path(), {"Rus_ParamName2=Частота_пульса", "Rus_ErrorMessage4=Нет_данных",
                                        "Rus_ScoreQSign1=+_"});
    Settings settings(home.path());
    settings.load();
    EXPECT_EQ(settings.prefix(), "Eng_");
    EXPECT_EQ(settings.methodName(1), "Zone comparison");
    EXPECT_EQ(settings.englishSignLetter(3), "C");
    EXPECT_EQ(settings.russianSignLetter(1), "Р");
    EXPECT_EQ(settings.channelOrder(7), 8);
    EXPECT_EQ(settings.methodName(7), "");

    // The dialog's OK: new values in, saved, reloaded; tables follow at once.
    settings.list().setValue("Language", "rus");
    settings.list().setValue("ChSeq3", "5");
    settings.save();
    settings.load();
    EXPECT_EQ(settings.prefix(), "Rus_");
    EXPECT_EQ(settings.language(), Language::Russian);
    EXPECT_EQ(settings.methodName(2), "Метод 2");
    EXPECT_EQ(settings.parameterName(2), "Частота пульса");
    EXPECT_EQ(settings.errorMessage(4), "Нет данных");
    EXPECT_EQ(settings.scoreSign(1), "+_");  // read raw, not as a text setting
    EXPECT_EQ(settings.channelOrder(3), 6);
    EXPECT_EQ(readTextLines(settings.fileName()), settings.list().lines());
}

TEST(SettingsLoad, ChannelPositionsOutsideTheEightPlacesAreHeldAtTheEdge) {
    TempHome home;
    test::writeMinimalIni(home.path(), {"ChSeq0=2147483647", "ChSeq1=-2147483648", "ChSeq2=8"});
    Settings settings(home.path());
    settings.load();
    EXPECT_EQ(settings.channelOrder(0), 8);
    EXPECT_EQ(settings.channelOrder(1), 1);
    EXPECT_EQ(settings.channelOrder(2), 8);
    EXPECT_EQ(settings.list().value("ChSeq0"), "2147483647");  // the file keeps what it holds
}

TEST(SettingsLoad, SetKeyIsAppendedAndSaved) {
    TempHome home;
    test::writeMinimalIni(home.path());
    Settings settings(home.path());
    settings.load();
    settings.list().setValue("BrandNew", "1");
    settings.save();
    const auto lines = readTextLines(settings.fileName());
    EXPECT_EQ(lines.back(), "BrandNew=1");
}

TEST(SettingsLoad, FileSpelledInCapitalsIsReadAndRewrittenInPlace) {
    TempHome home;
    test::writeMinimalIni(home.path(), {"Language=rus"});
    std::filesystem::rename(home / "lumo7w.ini", home / "LUMO7W.INI");
    Settings settings(home.path());
    settings.load();
    EXPECT_EQ(settings.language(), Language::Russian);

    settings.list().setValue("Language", "eng");
    settings.save();
    EXPECT_FALSE(std::filesystem::exists(home / "lumo7w.ini"));  // no second file beside it
    EXPECT_EQ(settings.fileName(), home / "LUMO7W.INI");
    settings.load();
    EXPECT_EQ(settings.language(), Language::English);
}

TEST(SettingsLoad, FailuresStopTheLoadWithTheirMessage) {
    TempHome home;
    Settings settings(home.path());
    EXPECT_THROW(settings.load(), EInOutError);  // no file at all

    auto expectFailure = [&](std::vector<std::string> extra, const std::string& message) {
        test::writeMinimalIni(home.path(), {});
        auto lines = readTextLines(home / "lumo7w.ini");
        for (auto& line : extra) {
            const std::string key = line.substr(0, line.find('='));
            std::erase_if(lines, [&](const std::string& l) { return l.rfind(key + "=", 0) == 0; });
            if (line.back() != '=') lines.push_back(line);
        }
        writeTextLines(home / "lumo7w.ini", lines);
        try {
            settings.load();
            ADD_FAILURE() << message;
        } catch (const EConvertError& error) {
            EXPECT_EQ(error.what(), message);
        }
    };
    expectFailure({"NQType="}, "'' is not a valid integer value");
    expectFailure({"NQType=seven"}, "'seven' is not a valid integer value");
    expectFailure({"ScoreQColor5=pink"}, "PINK is not valid color");
    expectFailure({"ChSeq2=x"}, "'x' is not a valid integer value");
    expectFailure({"Eng_QSign4="}, "'Eng_QSign4' holds no sign letter");
}

}  // namespace
}  // namespace lumo::core
