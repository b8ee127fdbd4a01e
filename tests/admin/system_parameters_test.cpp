#include <gtest/gtest.h>

#include <tuple>

#include "admin/system_parameters.h"
#include "core/cp1251.h"
#include "core/errors.h"
#include "core/file_size_limit.h"
#include "core/scramble.h"
#include "core/settings_list.h"
#include "core/test_home.h"

namespace lumo::admin {
namespace {

using core::Language;

// The keys the dialog reads, channel i in row i, bands 100 ... 300 wide.
core::SettingsList channelSettings(const std::vector<std::string>& extra = {}) {
    std::vector<std::string> lines = {"Language=ENG", "QuestionTime=20", "UnitComPort=1", "MonitorDiagonal=381",
                                      "ChBackColor=Black", "Eng_ChBackName=Background", "Rus_ChBackName=Фон"};
    for (int i = 0; i < 8; ++i) {
        const std::string n = std::to_string(i);
        lines.push_back("ChSeq" + n + "=" + n);
        lines.push_back("ChColor" + n + "=Red");
        lines.push_back("Test_iMin" + n + "=100");
        lines.push_back("Test_iMax" + n + "=300");
        lines.push_back("Eng_ChName" + n + "=Channel" + n);
        lines.push_back("Rus_ChName" + n + "=Канал" + n);
    }
    for (int a = 5; a <= 8; ++a) {
        lines.push_back("Eng_Art" + std::to_string(a) + "=Art" + std::to_string(a));
        lines.push_back("Rus_Art" + std::to_string(a) + "=Арт" + std::to_string(a));
    }
    core::SettingsList list;
    list.loadFromLines(lines);
    for (const auto& line : extra) {
        const auto eq = line.find('=');
        list.setValue(line.substr(0, eq), line.substr(eq + 1));
    }
    return list;
}

TEST(SystemParameters, RowsFollowTheDisplayOrder) {
    // Channel 3 first, channel 0 in its place.
    auto list = channelSettings({"ChSeq3=0", "ChSeq0=3", "ChColor3=green", "ChSwitch3=0", "ChVisible3=0"});
    SystemParameters params(list);
    EXPECT_EQ(params.row(0).channel, 3);
    EXPECT_EQ(params.row(3).channel, 0);
    EXPECT_EQ(params.rowOfChannel(3), 0);
    EXPECT_EQ(params.channelName(0), "Channel3");
    // A lower-case name is found and shown as the list spells it.
    EXPECT_EQ(params.row(0).color, systemColorIndex("Green"));
    EXPECT_FALSE(params.row(0).on);
    EXPECT_FALSE(params.row(0).visible);

    params.setColor(0, systemColorIndex("Navy"));
    params.setSwitch(0, true);
    params.setVisible(3, false);
    EXPECT_EQ(list.value("ChColor3"), "Navy");
    EXPECT_EQ(list.value("ChSwitch3"), "1");
    EXPECT_EQ(list.value("ChVisible0"), "0");
    EXPECT_EQ(list.value("ChColor0"), "Red");
}

TEST(SystemParameters, AnOrderThatIsNoPermutationStillGivesEveryChannelARow) {
    auto list = channelSettings({"ChSeq1=0", "ChSeq5=12"});
    SystemParameters params(list);
    // 0 keeps row 0; 1 (row taken) and 5 (no such row) take the free rows 1 and 5.
    for (int r = 0; r < 8; ++r) EXPECT_EQ(params.row(r).channel, r) << r;
    params.setColor(5, systemColorIndex("Teal"));
    EXPECT_EQ(list.value("ChColor5"), "Teal");
}

TEST(SystemParameters, ShowingNormalisesWhatTheDialogShows) {
    auto list = channelSettings({"Language=eng", "UnitComPort=7", "ContScroll=true", "QuestionTime=45",
                                 "ChBackColor=pink", "ChColor2=Aquamarine", "ChSwitch1=0", "ChVisible1=x"});
    list.setValue("ChVisible4", "");  // absent
    SystemParameters params(list);
    EXPECT_EQ(list.value("Language"), "ENG");
    EXPECT_EQ(list.value("UnitComPort"), "1");
    EXPECT_EQ(list.value("ContScroll"), "TRUE");
    EXPECT_EQ(list.value("QuestionTime"), "30");
    EXPECT_EQ(list.value("ChBackColor"), "Black");
    EXPECT_EQ(params.backgroundColor(), 0);
    // An unknown channel colour shows no entry and keeps its value until one is chosen.
    EXPECT_EQ(params.row(2).color, -1);
    EXPECT_EQ(list.value("ChColor2"), "Aquamarine");
    EXPECT_EQ(list.value("ChSwitch1"), "0");
    EXPECT_EQ(list.value("ChVisible1"), "1");
    EXPECT_EQ(list.value("ChVisible4"), "1");

    auto low = channelSettings({"QuestionTime=3", "UnitComPort=2", "ContScroll=False"});
    SystemParameters lowParams(low);
    EXPECT_EQ(low.value("QuestionTime"), "15");
    EXPECT_EQ(lowParams.port(), 2);
    EXPECT_FALSE(lowParams.scrolling());
    EXPECT_EQ(low.value("ContScroll"), "False");  // an unchecked box that never changed writes nothing
}

TEST(SystemParameters, TheLanguageChoiceFollowsTheWorkstation) {
    for (const auto& [stored, language, written] :
         std::vector<std::tuple<std::string, Language, std::string>>{
             {"rus", Language::Russian, "RUS"}, {"ENG", Language::English, "ENG"}, {"DE", Language::English, "ENG"}}) {
        auto list = channelSettings({"Language=" + stored});
        SystemParameters params(list);
        EXPECT_EQ(params.language(), language) << stored;
        EXPECT_EQ(list.value("Language"), written) << stored;
    }
    auto absent = channelSettings();
    absent.setValue("Language", "");
    EXPECT_EQ(SystemParameters(absent).language(), Language::English);
}

TEST(SystemParameters, ArtefactsAndNamesFollowTheDialogsLanguage) {
    // The workstation runs in Russian; the examiner switches the dialog to English.
    auto list = channelSettings({"Language=RUS"});
    SystemParameters params(list);
    EXPECT_EQ(params.channelName(0), "Канал0");
    EXPECT_EQ(params.backgroundName(), "Фон");
    EXPECT_EQ(params.artefactName(5), "Арт5");
    params.setLanguage(Language::English);
    EXPECT_EQ(list.value("Language"), "ENG");
    EXPECT_EQ(params.artefactName(5), "Art5");
    EXPECT_EQ(params.channelName(7), "Channel7");
    params.setArtefactName(5, "Jump up");
    EXPECT_EQ(list.value("Eng_Art5"), "Jump up");
    EXPECT_EQ(list.value("Rus_Art5"), "Арт5");
    EXPECT_EQ(params.artefactKey(8), "Eng_Art8");
}

TEST(SystemParameters, BandHeightsKeepTheCentre) {
    auto list = channelSettings();
    SystemParameters params(list);
    EXPECT_EQ(params.row(0).height, 20);
    params.setBandHeight(0, 30);
    params.applyBandHeights();
    EXPECT_EQ(list.value("Test_iMin0"), "50");
    EXPECT_EQ(list.value("Test_iMax0"), "350");
    // An untouched row keeps its band.
    EXPECT_EQ(list.value("Test_iMin1"), "100");
    EXPECT_EQ(list.value("Test_iMax1"), "300");

    // Halves round to the even neighbour, and a second application changes nothing.
    auto odd = channelSettings({"Test_iMin0=101"});
    SystemParameters oddParams(odd);
    EXPECT_EQ(oddParams.row(0).height, 20);  // 19.9
    oddParams.applyBandHeights();
    EXPECT_EQ(odd.value("Test_iMin0"), "100");
    EXPECT_EQ(odd.value("Test_iMax0"), "300");
    oddParams.applyBandHeights();
    EXPECT_EQ(odd.value("Test_iMin0"), "100");
    EXPECT_EQ(odd.value("Test_iMax0"), "300");

    // The field holds 1 ... 99.
    auto wide = channelSettings({"Test_iMin2=0", "Test_iMax2=1000", "Test_iMin3=500", "Test_iMax3=500"});
    SystemParameters wideParams(wide);
    EXPECT_EQ(wideParams.row(2).height, 99);
    EXPECT_EQ(wideParams.row(3).height, 1);
    wideParams.setBandHeight(2, 150);
    EXPECT_EQ(wideParams.row(2).height, 99);
}

TEST(SystemParameters, AMissingOrMalformedIntegerRaisesAndLeavesTheCopy) {
    for (const std::string bad : {"ChSeq4=", "Test_iMin6=abc", "Test_iMax0=1.5", "QuestionTime="}) {
        auto list = channelSettings({"Language=eng", "ContScroll=true"});
        const auto eq = bad.find('=');
        list.setValue(bad.substr(0, eq), bad.substr(eq + 1));
        const auto before = list.lines();
        EXPECT_THROW(SystemParameters params(list), EConvertError) << bad;
        EXPECT_EQ(list.lines(), before) << bad;
    }
}

TEST(SystemParameters, WorkAreaIgnoresWhatIsNoNumberInRange) {
    auto list = channelSettings();
    SystemParameters params(list);
    EXPECT_EQ(params.workArea(), "381");
    EXPECT_FALSE(params.setWorkArea("4a"));
    EXPECT_FALSE(params.setWorkArea(""));
    EXPECT_FALSE(params.setWorkArea("0"));
    EXPECT_FALSE(params.setWorkArea("25001"));
    EXPECT_EQ(list.value("MonitorDiagonal"), "381");
    EXPECT_TRUE(params.setWorkArea("604"));
    EXPECT_EQ(list.value("MonitorDiagonal"), "604");
}

TEST(SystemParameters, TheUnitPasswordIsKeptOnlyWhenRemembered) {
    const std::string scrambled = core::fromCp1251(core::scrambleBytes("secret12345"));
    auto kept = channelSettings({"RememberPassword=True", "UnitPassword=" + scrambled});
    SystemParameters keptParams(kept);
    EXPECT_EQ(kept.value("UnitPassword"), scrambled);
    EXPECT_EQ(core::unscrambleBytes(core::toCp1251(kept.value("UnitPassword"))), "secret12345");

    auto forgotten = channelSettings({"RememberPassword=False", "UnitPassword=" + scrambled});
    SystemParameters forgottenParams(forgotten);
    EXPECT_EQ(forgotten.value("UnitPassword"), " ");
    auto empty = channelSettings({"RememberPassword=TRUE"});
    SystemParameters emptyParams(empty);
    EXPECT_EQ(empty.value("UnitPassword"), " ");
}

TEST(SystemParameters, OkReplacesSavesAndReloads) {
    test::TempHome home;
    test::installSettings(home.path());
    core::Settings settings(home.path());
    settings.load();
    core::SettingsList copy = settings.list();
    copy.setValue("Language", "RUS");
    copy.setValue("ChColor0", "Blue");
    applySystemParameters(settings, copy);
    EXPECT_EQ(settings.prefix(), "Rus_");  // the derived tables follow at once
    core::Settings reread(home.path());
    reread.load();
    EXPECT_EQ(reread.list().value("ChColor0"), "Blue");
    EXPECT_EQ(reread.language(), Language::Russian);
}

TEST(SystemParameters, AFailedSaveKeepsTheFileAndTheSettings) {
    test::TempHome home;
    test::installSettings(home.path());
    core::Settings settings(home.path());
    settings.load();
    const std::string before = test::readFile(settings.fileName());
    const auto linesBefore = settings.list().lines();
    core::SettingsList copy = settings.list();
    copy.setValue("Language", "RUS");

    bool failed = false;
    try {
        const test::FileSizeLimit limit(256);
        applySystemParameters(settings, copy);
    } catch (const EInOutError&) {
        failed = true;
    }
    EXPECT_TRUE(failed);
    EXPECT_EQ(test::readFile(settings.fileName()), before);
    EXPECT_EQ(settings.list().lines(), linesBefore);
    EXPECT_EQ(settings.prefix(), "Eng_");
}

}  // namespace
}  // namespace lumo::admin
