#include "admin/crime_list.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/clock.h"
#include "core/errors.h"
#include "core/test_home.h"
#include "core/workstation.h"

namespace lumo::admin {
namespace {

using Lines = std::vector<std::string>;

class CrimeListTest : public ::testing::Test {
protected:
    void start(const Lines& extra) {
        test::writeMinimalIni(home.path(), extra);
        ws = std::make_unique<core::Workstation>(home.path(), std::make_unique<core::ManualClock>());
        ws->initialise();
    }
    core::SettingsList& list() { return ws->settings().list(); }

    test::TempHome home;
    std::unique_ptr<core::Workstation> ws;
};

TEST_F(CrimeListTest, ShowsEntriesTwoOnwardsThroughTheTextReader) {
    start({"Eng_MaxCrime=4", "Eng_Crime1=All_examinees", "Eng_Crime2=Drug_offence", "Eng_Crime3=Ъ",
           "Eng_Crime4=Fraud", "Rus_MaxCrime=2", "Rus_Crime2=Кража"});
    CrimeListEditor editor(ws->settings(), ws->texts());
    EXPECT_EQ(editor.names(), (Lines{"Drug offence", "", "Fraud"}));
    EXPECT_EQ(editor.text(), "Drug offence\n\nFraud");

    list().setValue("Language", "RUS");
    ws->settings().save();
    ws->settings().load();
    EXPECT_EQ(CrimeListEditor(ws->settings(), ws->texts()).names(), Lines{"Кража"});
}

TEST_F(CrimeListTest, AMissingCountIsAConversionError) {
    start({});
    EXPECT_THROW(CrimeListEditor(ws->settings(), ws->texts()), EConvertError);
}

TEST_F(CrimeListTest, StoringBlanksEmptyLinesAndNewKeys) {
    start({"Eng_MaxCrime=3", "Eng_Crime1=All_examinees", "Eng_Crime2=Theft", "Eng_Crime3=Fraud"});
    const std::size_t before = list().lines().size();
    CrimeListEditor::store(ws->settings(), {"Armed robbery", "", "Tax = evasion", "Fraud"});

    EXPECT_EQ(list().value("Eng_MaxCrime"), "5");
    EXPECT_EQ(list().value("Eng_Crime2"), "Armed_robbery");
    EXPECT_EQ(list().value("Eng_Crime3"), "Ъ");
    // Keys that were missing come first, each new one before the last.
    ASSERT_EQ(list().lines().size(), before + 2);
    EXPECT_EQ(list().lines()[0], "Eng_Crime5=Fraud");
    EXPECT_EQ(list().lines()[1], "Eng_Crime4=Tax_=_evasion");

    // Read back, the list is what was typed.
    EXPECT_EQ(CrimeListEditor(ws->settings(), ws->texts()).names(),
              (Lines{"Armed robbery", "", "Tax = evasion", "Fraud"}));

    // A shorter list leaves the entries above the count in place, unused.
    CrimeListEditor::store(ws->settings(), {"Theft"});
    EXPECT_EQ(list().value("Eng_MaxCrime"), "2");
    EXPECT_EQ(list().value("Eng_Crime5"), "Fraud");
    EXPECT_EQ(list().value("Eng_Crime1"), "All_examinees");
    EXPECT_EQ(CrimeListEditor(ws->settings(), ws->texts()).names(), Lines{"Theft"});
}

TEST_F(CrimeListTest, StoredListReachesTheFileAtTheNextSave) {
    start({"Eng_MaxCrime=2", "Eng_Crime2=Theft"});
    const std::string before = test::readFile(home / "lumo7w.ini");
    CrimeListEditor::store(ws->settings(), {"Кража со взломом", ""});
    EXPECT_EQ(test::readFile(home / "lumo7w.ini"), before);
    ws->settings().save();
    const std::string after = test::readFile(home / "lumo7w.ini");
    // Windows-1251 on disk: "Ъ" is the single byte 0xDA.
    EXPECT_NE(after.find("Eng_Crime3=\xDA\r\n"), std::string::npos);
    EXPECT_NE(after.find("Eng_Crime2=\xCA\xF0\xE0\xE6\xE0_\xF1\xEE_\xE2\xE7\xEB\xEE\xEC\xEE\xEC\r\n"),
              std::string::npos);
}

TEST(CrimeListLines, EveryLineBreakEndsALine) {
    EXPECT_EQ(CrimeListEditor::splitLines(""), Lines{});
    EXPECT_EQ(CrimeListEditor::splitLines("\n"), Lines{""});
    EXPECT_EQ(CrimeListEditor::splitLines("a\n"), Lines{"a"});
    EXPECT_EQ(CrimeListEditor::splitLines("a\n\n"), (Lines{"a", ""}));
    EXPECT_EQ(CrimeListEditor::splitLines("a\r\nb\rc\u2028d\u2029e"), (Lines{"a", "b", "c", "d", "e"}));
    EXPECT_EQ(CrimeListEditor::splitLines("\n\nx"), (Lines{"", "", "x"}));
    // Other characters of the same lead bytes stay in the name.
    EXPECT_EQ(CrimeListEditor::splitLines("a\u2026b"), Lines{"a\u2026b"});
}

TEST(CrimeEditorSize, ScaledToEightyPercentOfTheHeightOrTheFullWidth) {
    // 0.8 x 768 / 400 = 1.536 beats 1024 / 500 = 2.048.
    EXPECT_EQ(crimeEditorSize({500, 400}, {1024, 768}), (DialogSize{768, 614}));
    // A wide design on a narrow screen fills the width instead.
    EXPECT_EQ(crimeEditorSize({800, 200}, {640, 1024}), (DialogSize{640, 160}));
    // Halves round to the even neighbour: the scale 0.8 x 1250 / 400 = 2.5 makes 1 wide 2.5 -> 2.
    EXPECT_EQ(crimeEditorSize({1, 400}, {1000, 1250}), (DialogSize{2, 1000}));
    EXPECT_EQ(crimeEditorSize({3, 400}, {1000, 1250}), (DialogSize{8, 1000}));
    EXPECT_EQ(crimeEditorSize({0, 0}, {1024, 768}), (DialogSize{0, 0}));
}

}  // namespace
}  // namespace lumo::admin
