#include "formats/bank_topic.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "core/cp1251.h"
#include "core/test_home.h"

namespace lumo::formats {
namespace {

using Lines = std::vector<std::string>;

BankTopic decode(const std::string& text) { return decodeBankTopic(text, "TOPIC.TXT"); }

TEST(BankTopicTest, NameOverTwoLinesIsJoinedWithABlank) {
    const BankTopic topic = decode("Questions on\r\nhonesty.\r\nDid you lie?\r\n");
    EXPECT_EQ(topic.name, "Questions on honesty.");
    EXPECT_EQ(topic.nameLines, 2);
    EXPECT_EQ(topic.questions, Lines{"Did you lie?"});
}

TEST(BankTopicTest, QuestionsAreJoinedUntilTheQuestionMark) {
    const BankTopic topic = decode("T.\nHave you\never taken\nmoney?\nDid you lie?\nA last line");
    EXPECT_EQ(topic.questions, (Lines{"Have you ever taken money?", "Did you lie?", "A last line?"}));
}

TEST(BankTopicTest, JoiningStopsAt253Characters) {
    // 126 + blank + 126 = 253: joined; one more character: the first stands alone.
    const std::string a(126, 'a'), b(125, 'b');
    EXPECT_EQ(decode("T.\n" + a + "\n" + b + "?\n").questions, Lines{a + " " + b + "?"});
    EXPECT_EQ(decode("T.\n" + a + "a\n" + b + "?\n").questions, (Lines{a + "a?", b + "?"}));
    // Characters count, not the bytes of the UTF-8 text.
    const std::string cyr = "Ж" + std::string(125, 'a');
    EXPECT_EQ(decode(core::toCp1251("T.\n" + cyr + "\n" + b + "?\n")).questions, Lines{cyr + " " + b + "?"});
}

TEST(BankTopicTest, BlankLinesCarryNoQuestion) {
    EXPECT_EQ(decode("T.\r\n\r\nDid\r\n\r\nyou?\r\n\r\n").questions, Lines{"Did you?"});
    EXPECT_EQ(decode("T.\r\n").questions, Lines{});
}

TEST(BankTopicTest, FilesThatAreNoTopicsNameTheLine) {
    try {
        decode("T.\nA question?\nbinary\x01junk\n");
        FAIL();
    } catch (const EBankTopicError& error) {
        EXPECT_EQ(error.reason(), EBankTopicError::Reason::NotText);
        EXPECT_EQ(error.line(), 3);
        EXPECT_NE(std::string(error.what()).find("TOPIC.TXT"), std::string::npos);
    }
    try {
        decode(std::string("T.\n\0", 4));
        FAIL();
    } catch (const EBankTopicError& error) {
        EXPECT_EQ(error.line(), 2);
    }
    for (const std::string& text : {std::string(), std::string("no full stop\nanywhere?\n")}) {
        try {
            decode(text);
            FAIL() << text;
        } catch (const EBankTopicError& error) {
            EXPECT_EQ(error.reason(), EBankTopicError::Reason::NoName);
        }
    }
}

TEST(BankTopicTest, WritesTheNameOnOneLineInWindows1251) {
    test::TempHome home;
    const auto path = home / "T.TXT";
    writeBankTopicFile(path, "Тема.", {"Вы лгали?", "Did you?"});
    EXPECT_EQ(test::readFile(path), core::toCp1251("Тема.\r\nВы лгали?\r\nDid you?\r\n"));
    const BankTopic back = readBankTopicFile(path);
    EXPECT_EQ(back.name, "Тема.");
    EXPECT_EQ(back.questions, (Lines{"Вы лгали?", "Did you?"}));
}

TEST(BankTopicTest, InstalledSampleTopicsRead) {
    for (const char* name : {"CONTROL.TXT", "NEUTRAL.TXT"}) {
        const BankTopic topic = readBankTopicFile(std::filesystem::path(LUMO_DATA_DIR) / "BNK" / name);
        EXPECT_EQ(topic.nameLines, 1) << name;
        EXPECT_GE(topic.questions.size(), 5u) << name;
        for (const std::string& question : topic.questions) EXPECT_EQ(question.back(), '?') << name;
    }
}

}  // namespace
}  // namespace lumo::formats
