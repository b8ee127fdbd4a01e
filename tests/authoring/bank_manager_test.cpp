#include "authoring/bank_manager.h"

#include <gtest/gtest.h>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/clock.h"
#include "core/cp1251.h"
#include "core/test_home.h"
#include "core/workstation.h"

namespace lumo::authoring {
namespace {

using Lines = std::vector<std::string>;

class BankManagerTest : public ::testing::Test {
protected:
    BankManagerTest() {
        test::writeMinimalIni(home.path());
        ws = std::make_unique<core::Workstation>(home.path(), std::make_unique<core::ManualClock>());
        ws->initialise();
    }
    void start() {
        manager = std::make_unique<BankManager>(folder, ws->texts(), [this] { return now; });
        BankPrompts prompts;
        prompts.warn = [this](const std::string& text) { shown.push_back("warn:" + text); };
        prompts.error = [this](const std::string& text) { shown.push_back("error:" + text); };
        prompts.confirm = [this](const std::string& text) {
            shown.push_back("confirm:" + text);
            return answer;
        };
        manager->setPrompts(prompts);
        manager->open();
    }
    std::string file(const std::string& name) const { return test::readFile(folder / name); }

    test::TempHome home;
    std::filesystem::path folder = home / "BNK";
    std::unique_ptr<core::Workstation> ws;
    std::unique_ptr<BankManager> manager;
    LocalTime now{{2003, 3, 5}, 36'000'000};
    Lines shown;
    bool answer = true;
};

TEST(BankFileNameTest, GeneratedFromTheClock) {
    EXPECT_EQ(generatedTopicFileName({{2003, 3, 5}, 36'000'000}), "32255100.7D6");
    // December, a moment before midnight: every field at its widest still makes 12 characters.
    EXPECT_EQ(generatedTopicFileName({{2026, 12, 31}, 86'399'999}), "C5265BFF.7F5");
    EXPECT_EQ(generatedTopicFileName({{2003, 1, 1}, 0}), "10000000.7D2");
}

TEST(BankFileNameTest, NamesAFileSystemRefusesAndNameCompletion) {
    test::TempHome home;
    test::writeMinimalIni(home.path());
    core::Workstation ws(home.path(), std::make_unique<core::ManualClock>());
    ws.initialise();
    for (const std::string& bad : Lines{"", ".", "..", "a/b", "a\\b", std::string("a\0b", 3), "ABCDEFGH.TXTX"}) {
        EXPECT_NE(topicFileNameError(bad, ws.texts()), "") << bad;
    }
    EXPECT_EQ(topicFileNameError("ABCDEFGH.TXT", ws.texts()), "");
    EXPECT_EQ(topicFileNameError("ТЕМА.ТХТ", ws.texts()), "");  // characters count, not bytes
    EXPECT_EQ(completeTopicName(""), ".");
    EXPECT_EQ(completeTopicName("Thefts"), "Thefts.");
    EXPECT_EQ(completeTopicName("Thefts."), "Thefts.");
    EXPECT_EQ(completeTopicName("two\nlines"), "two lines.");
    EXPECT_EQ(completeTopicName(std::string(300, 'x')), std::string(254, 'x') + ".");
}

TEST_F(BankManagerTest, TwoLineNameIsShownJoinedAndWrittenBackOnOneLine) {
    test::writeFile(folder / "A.TXT", "Questions on\r\nhonesty.\r\nHave you\r\never lied\r\nto me?\r\nLast one");
    test::writeFile(folder / "B.TXT", "Other.\r\n");
    start();
    ASSERT_EQ(manager->topics().size(), 2u);
    EXPECT_EQ(manager->caption(0), "Questions on honesty.");
    EXPECT_EQ(manager->topics()[0].nameLines, 2);
    EXPECT_EQ(manager->selected(), 0);
    EXPECT_EQ(manager->title(), "TOPIC : QUESTIONS ON HONESTY. (A.TXT)");
    EXPECT_EQ(manager->lines(), (Lines{"Have you ever lied to me?", "Last one?"}));
    manager->select(1);
    EXPECT_EQ(file("A.TXT"), "Questions on honesty.\r\nHave you ever lied to me?\r\nLast one?\r\n");
    EXPECT_EQ(manager->topics()[0].nameLines, 1);
    manager->setLines({"New?"});
    manager->close();
    EXPECT_EQ(file("B.TXT"), "Other.\r\nNew?\r\n");
}

TEST_F(BankManagerTest, FilesThatAreNoTopicsAreListedAndNeverWritten) {
    const std::string junk("\x7f" "ELF\x01\x02\x00\x00", 8);
    test::writeFile(folder / "A.TXT", "A.\r\nQ?\r\n");
    test::writeFile(folder / "JUNK.BIN", junk);
    std::filesystem::create_directories(folder / "SUB");
    start();
    ASSERT_EQ(manager->topics().size(), 2u);
    manager->select(1);
    EXPECT_EQ(manager->caption(1), "JUNK.BIN  [unreadable]");
    EXPECT_EQ(manager->selectedError(), "File JUNK.BIN is not a text file (line 1)");
    EXPECT_FALSE(manager->editable());
    EXPECT_FALSE(manager->canModify());
    EXPECT_TRUE(manager->canDelete());
    EXPECT_FALSE(manager->canPaste({0}));
    manager->setLines({"typed?"});
    manager->select(0);
    manager->close();
    EXPECT_EQ(file("JUNK.BIN"), junk);
}

TEST_F(BankManagerTest, AddTopicCompletesTheNameAndRefusesExistingAndBadNames) {
    test::writeFile(folder / "old.txt", "Old.\r\nQ?\r\n");
    start();
    manager->setLines({"Q?", "Added?"});
    EXPECT_EQ(manager->prepareAdd(), "32255100.7D6");
    EXPECT_EQ(file("old.txt"), "Old.\r\nQ?\r\nAdded?\r\n");

    EXPECT_FALSE(manager->addTopic("Copy", "OLD.TXT"));
    EXPECT_EQ(shown, Lines{"warn:File OLD.TXT already exists"});
    EXPECT_FALSE(manager->addTopic("Bad", "../x"));
    EXPECT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].rfind("error:Topic file name \"../x\" is not allowed", 0), 0u) << shown[1];
    EXPECT_FALSE(std::filesystem::exists(home / "x"));
    EXPECT_EQ(manager->topics().size(), 1u);

    ASSERT_TRUE(manager->addTopic("Thefts", "32255100.7D6"));
    EXPECT_EQ(file("32255100.7D6"), "Thefts.\r\n");
    EXPECT_EQ(manager->selected(), 1);
    EXPECT_EQ(manager->topics()[1].nameLines, 1);
    EXPECT_EQ(manager->lines(), Lines{});
}

TEST_F(BankManagerTest, ModifyRenamesTheFileButNeverOverAnotherTopic) {
    test::writeFile(folder / "A.TXT", "A.\r\nQa?\r\n");
    test::writeFile(folder / "B.TXT", "B.\r\nQb?\r\n");
    start();
    EXPECT_FALSE(manager->modifyTopic("A", "b.txt"));
    EXPECT_EQ(shown, Lines{"error:Can not rename topic or topic file:\nFile B.TXT belongs to another topic"});
    EXPECT_EQ(file("B.TXT"), "B.\r\nQb?\r\n");
    EXPECT_EQ(manager->topics()[0].fileName, "A.TXT");

    ASSERT_TRUE(manager->modifyTopic("Renamed", "C.TXT"));
    EXPECT_EQ(manager->title(), "TOPIC : RENAMED. (C.TXT)");
    EXPECT_FALSE(std::filesystem::exists(folder / "A.TXT"));
    manager->close();
    EXPECT_EQ(file("C.TXT"), "Renamed.\r\nQa?\r\n");
    // The same name in other letters is the same file.
    ASSERT_TRUE(manager->modifyTopic("Renamed", "c.txt"));
    EXPECT_TRUE(std::filesystem::exists(folder / "c.txt"));
}

TEST_F(BankManagerTest, DeleteAsksAndShowsTheEntryAtTheSamePosition) {
    test::writeFile(folder / "A.TXT", "A.\r\nQa?\r\n");
    test::writeFile(folder / "B.TXT", "B.\r\nQb?\r\n");
    start();
    answer = false;
    EXPECT_FALSE(manager->deleteTopic());
    EXPECT_EQ(shown, Lines{"confirm:Do you want to delete topic \n\"A.\" ?"});
    answer = true;
    ASSERT_TRUE(manager->deleteTopic());
    EXPECT_FALSE(std::filesystem::exists(folder / "A.TXT"));
    EXPECT_EQ(manager->selected(), 0);
    EXPECT_EQ(manager->lines(), Lines{"Qb?"});
    ASSERT_TRUE(manager->deleteTopic());
    EXPECT_EQ(manager->selected(), -1);
    EXPECT_EQ(manager->lines(), Lines{});
    EXPECT_FALSE(manager->canDelete());
}

TEST_F(BankManagerTest, CutAcrossTwoQuestionsMovesBothAndPasteGoesBeforeTheCaretLine) {
    test::writeFile(folder / "A.TXT", "A.\r\nOne?\r\nTwo?\r\nThree?\r\nFour?\r\n");
    start();
    // A selection from inside question 2 to inside question 3.
    manager->cutLines(1, 2);
    EXPECT_EQ(manager->lines(), (Lines{"One?", "Four?"}));
    EXPECT_EQ(manager->clipboard(), (Lines{"Two?", "Three?"}));
    EXPECT_EQ(manager->clipboardSelection(), std::vector<int>{0});
    manager->copyLines(0, 0);
    EXPECT_EQ(manager->clipboard(), (Lines{"Two?", "Three?", "One?"}));

    // Selected out of order: pasted in clipboard order, before the caret's line.
    EXPECT_EQ(manager->paste({2, 0}, 1), 3);
    EXPECT_EQ(manager->lines(), (Lines{"One?", "Two?", "One?", "Four?"}));
    EXPECT_EQ(manager->paste({1}, 99), 5);
    EXPECT_EQ(manager->lines(), (Lines{"One?", "Two?", "One?", "Four?", "Three?"}));
    EXPECT_EQ(manager->clipboard().size(), 3u);
    manager->close();
    EXPECT_EQ(file("A.TXT"), "A.\r\nOne?\r\nTwo?\r\nOne?\r\nFour?\r\nThree?\r\n");
}

TEST_F(BankManagerTest, AFailedWriteIsReportedAndTheTopicStaysShown) {
    test::writeFile(folder / "A.TXT", "A.\r\nQ?\r\n");
    start();
    // What stands at the file's place now cannot be replaced by a file.
    std::filesystem::remove(folder / "A.TXT");
    std::filesystem::create_directories(folder / "A.TXT" / "inside");
    manager->setLines({"Q?", "More?"});
    EXPECT_FALSE(manager->save());
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].rfind("error:File write error\n", 0), 0u) << shown[0];
    EXPECT_EQ(manager->lines(), (Lines{"Q?", "More?"}));
    EXPECT_TRUE(std::filesystem::is_directory(folder / "A.TXT" / "inside"));
}

TEST_F(BankManagerTest, MissingFolderIsCreatedEmpty) {
    start();
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    EXPECT_EQ(manager->selected(), -1);
    EXPECT_EQ(manager->title(), "");
    EXPECT_FALSE(manager->save());
}

}  // namespace
}  // namespace lumo::authoring
