#include "core/string_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "core/cp1251.h"
#include "core/errors.h"
#include "core/texts/admin.h"
#include "core/texts/authoring.h"
#include "core/texts/core.h"
#include "core/texts/device.h"
#include "core/texts/recording.h"
#include "core/texts/review.h"
#include "core/texts/scoring.h"

namespace lumo::core {
namespace {

using lumo::EListError;

struct Block {
    const char* subsystem;
    std::span<const TextPair> texts;
    int first;
    int last;
};

std::vector<Block> blocks() {
    return {{"core", txt::coreTexts(), 1, 237},           {"device", txt::deviceTexts(), 241, 399},
            {"recording", txt::recordingTexts(), 401, 899}, {"scoring", txt::scoringTexts(), 901, 1299},
            {"authoring", txt::authoringTexts(), 1301, 1675}, {"admin", txt::adminTexts(), 1683, 2099},
            {"review", txt::reviewTexts(), 2101, 2499}};
}

// The conversions of a printf format in order ("%s", "%d", "%.2f"); "%%" is no conversion.
std::vector<std::string> conversions(std::string_view text) {
    std::vector<std::string> found;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') continue;
        if (i + 1 < text.size() && text[i + 1] == '%') {
            ++i;
            continue;
        }
        std::size_t end = i + 1;
        while (end < text.size() && std::strchr("-+ #0123456789.hlLjzt", text[end]) != nullptr) ++end;
        found.emplace_back(text.substr(i, end + 1 - i));
        i = end;
    }
    return found;
}

std::size_t countOf(std::string_view text, char c) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), c));
}

// The access letter of a caption (the character after "&"), upper-cased; empty when there is none.
std::string accessKey(std::string_view caption) {
    const std::size_t amp = caption.find('&');
    if (amp == std::string_view::npos || amp + 1 >= caption.size()) return {};
    return upperCase(leftChars(caption.substr(amp + 1), 1));
}

bool hasCyrillic(std::string_view text) {
    // Cyrillic letters of the basic range are two-byte UTF-8 sequences led by 0xD0 or 0xD1.
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte == 0xD0 || byte == 0xD1;
    });
}

bool hasLatinWord(std::string_view text) {
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (std::isalpha(static_cast<unsigned char>(text[i - 1])) && std::isalpha(static_cast<unsigned char>(text[i])))
            return true;
    }
    return false;
}

TEST(StringTable, SystemTableHoldsEverySubsystemPairOnce) {
    const StringTable table;
    std::size_t expected = 0;
    for (const Block& block : blocks()) expected += block.texts.size();
    ASSERT_EQ(table.size(), expected);
    int previous = -1;
    for (const TextPair& pair : table.pairs()) {
        EXPECT_EQ(pair.id % 2, 1) << pair.id;
        EXPECT_GT(pair.id, previous);
        EXPECT_LE(pair.id, 2999) << pair.id;
        previous = pair.id;
    }
}

TEST(StringTable, EachSubsystemKeepsToItsIdentifierBlock) {
    // The test run's identifiers are older than the blocks; the core may overflow into 2501 ... 2713
    // and the authoring into 2801 ... 2999.
    const std::set<int> testRunOutside{txt::TestMaybePortWrong, txt::ContinueTestQuestion, txt::ContinueTestContinue,
                                       txt::ContinueTestTerminate};
    for (const Block& block : blocks()) {
        for (const TextPair& pair : block.texts) {
            const bool inBlock = pair.id >= block.first && pair.id <= block.last;
            const bool allowed = (std::string(block.subsystem) == "recording" && testRunOutside.count(pair.id) > 0) ||
                                 (std::string(block.subsystem) == "core" && pair.id >= 2501 && pair.id <= 2713) ||
                                 (std::string(block.subsystem) == "authoring" && pair.id >= 2801 && pair.id <= 2999);
            EXPECT_TRUE(inBlock || allowed) << block.subsystem << " " << pair.id << " " << pair.english;
        }
    }
}

TEST(StringTable, TheTestRunKeepsItsIdentifiers) {
    const StringTable table;
    const auto english = [&](int id) { return table.text(id, Language::English); };
    EXPECT_EQ(english(239), "Maybe port number setting is wrong");
    EXPECT_EQ(english(677), "Examinee : %s / %s / CHART_0%d ( %s )");
    EXPECT_EQ(english(679), "Wait (%ds)");
    EXPECT_EQ(english(683), "Cannot establish link to the sensor unit");
    EXPECT_EQ(english(685), "Ask\nquestion");
    EXPECT_EQ(english(699), "Sensors\ntuning");
    EXPECT_EQ(english(703), "Error initialising the unit:\n%s");
    EXPECT_EQ(english(713), "Time (%ds)");
    EXPECT_EQ(english(721), "Invalid chart number : %d");
    EXPECT_EQ(english(725), "Test is aborted");
    EXPECT_EQ(english(727), "Exam questions list");
    EXPECT_EQ(english(731), "Test is finished");
    EXPECT_EQ(english(733), "Save chart");
    EXPECT_EQ(english(735), "Save and score chart");
    EXPECT_EQ(english(739), "Deny the chart");
    EXPECT_EQ(english(1677), "All questions are exhausted. Do you want to continue?");
    EXPECT_EQ(english(1679), "&Continue");
    EXPECT_EQ(english(1681), "&Terminate");
    // The identifiers between them that the test run never used stay free.
    for (int unused : {701, 723, 729, 737}) EXPECT_FALSE(table.contains(unused)) << unused;
}

TEST(StringTable, EveryPairHasBothLanguages) {
    const std::set<int> languageNeutral{txt::ButtonOk, txt::SysPrinter, txt::QtViewInconclusive};
    const StringTable table;  // pairs() views the table: it must outlive the loop
    for (const TextPair& pair : table.pairs()) {
        EXPECT_FALSE(pair.english.empty()) << pair.id;
        EXPECT_FALSE(pair.russian.empty()) << pair.id;
        // An English word left untranslated in the Russian text is a missing translation.
        if (hasLatinWord(pair.english) && languageNeutral.count(pair.id) == 0) {
            EXPECT_TRUE(hasCyrillic(pair.russian)) << pair.id << " " << pair.russian;
        }
    }
}

TEST(StringTable, TranslationsKeepPlaceholdersHintsAccessKeysAndLineBreaks) {
    const StringTable table;
    for (const TextPair& pair : table.pairs()) {
        SCOPED_TRACE(testing::Message() << pair.id << " " << pair.english);
        // Formats are filled with the same arguments whatever the language.
        EXPECT_EQ(conversions(pair.english), conversions(pair.russian));
        EXPECT_EQ(countOf(pair.english, '|'), countOf(pair.russian, '|'));
        if (countOf(pair.english, '|') == 1) {
            EXPECT_FALSE(shortHint(pair.english).empty());
            EXPECT_FALSE(longHint(pair.english).empty());
            EXPECT_FALSE(shortHint(pair.russian).empty());
            EXPECT_FALSE(longHint(pair.russian).empty());
        }
        EXPECT_EQ(countOf(pair.english, '&'), countOf(pair.russian, '&'));
        EXPECT_EQ(countOf(pair.english, '\n'), countOf(pair.russian, '\n'));
    }
}

TEST(StringTable, MenusHaveDistinctAccessKeysInBothLanguages) {
    using namespace txt;
    // The main window reopens its menus by their access letters, so no two entries of one menu may share one.
    const std::vector<std::vector<int>> menus{
        {MainMenuExaminee, MainMenuPreparations, MainMenuTest, MainMenuResults, MainMenuSystem, MainMenuHelp},
        {MainChooseExaminee, MainNewExaminee, MainEditExaminee, MainArchiveCompress, MainExamineeState, MainExit},
        {MainChooseExaminee, MainNewExaminee, MainEditExaminee, MainArchiveDecompress, MainExamineeState, MainExit},
        {MainChooseExaminee, MainNewExaminee, MainEditExaminee, MainArchiveNone, MainExamineeState, MainExit},
        {MainNewTemplate, MainEditTemplate, MainQuestionBase},
        {MainChooseExam, MainAnalysePolygram, MainComparePolygrams, MainHandResults, MainExamResults},
        {MainExaminersList, MainSystemParameters, MainCrimesList},
        {QstSave, QstCancel, QstInsert, QstDelete, QstLoadFromBase, QstPrint, QstFileName},
        {UsersList, UsersName, UsersNote, UsersAdd, UsersDelete},
    };
    const StringTable table;
    for (Language language : {Language::English, Language::Russian}) {
        for (const auto& menu : menus) {
            std::set<std::string> keys;
            for (int id : menu) {
                const std::string key = accessKey(table.text(id, language));
                ASSERT_FALSE(key.empty()) << id;
                EXPECT_TRUE(keys.insert(key).second) << id << " repeats " << key;
            }
        }
    }
}

TEST(StringTable, PicksTheTextByLanguageAndIdentifier) {
    const StringTable table({{5, "Five", "Пять"}, {3, "Three", "Три"}, {1, "One", "Один"}});
    EXPECT_EQ(table.text(3, Language::English), "Three");
    EXPECT_EQ(table.text(3, Language::Russian), "Три");
    // An even identifier names the Russian partner whatever the language.
    EXPECT_EQ(table.text(4, Language::English), "Три");
    EXPECT_EQ(table.text(6, Language::Russian), "Пять");
    EXPECT_EQ(table.text(1, Language::English), "One");
    EXPECT_TRUE(table.contains(1));
    EXPECT_TRUE(table.contains(6));
    for (int unknown : {0, -1, -2, 7, 8, 100001}) {
        EXPECT_EQ(table.text(unknown, Language::English), "") << unknown;
        EXPECT_EQ(table.text(unknown, Language::Russian), "") << unknown;
        EXPECT_FALSE(table.contains(unknown)) << unknown;
    }
    EXPECT_EQ(StringTable().text(2714, Language::English), "");
}

TEST(StringTable, RefusesEvenNonPositiveAndRepeatedIdentifiers) {
    EXPECT_THROW(StringTable({{2, "Two", "Два"}}), EListError);
    EXPECT_THROW(StringTable({{0, "Zero", "Ноль"}}), EListError);
    EXPECT_THROW(StringTable({{-3, "Minus", "Минус"}}), EListError);
    EXPECT_THROW(StringTable({{9, "Nine", "Девять"}, {1, "One", "Один"}, {9, "Again", "Снова"}}), EListError);
    EXPECT_NO_THROW(StringTable(std::vector<TextPair>{}));
}

TEST(Hints, SplitAtTheFirstBar) {
    EXPECT_EQ(shortHint("Save chart|Save and score chart"), "Save chart");
    EXPECT_EQ(longHint("Save chart|Save and score chart"), "Save and score chart");
    EXPECT_EQ(shortHint("a|b|c"), "a");
    EXPECT_EQ(longHint("a|b|c"), "b|c");
    // A text without a bar is its own tool-tip and panel text.
    EXPECT_EQ(shortHint("Choose desired probability"), "Choose desired probability");
    EXPECT_EQ(longHint("Choose desired probability"), "Choose desired probability");
    EXPECT_EQ(shortHint("|only long"), "");
    EXPECT_EQ(longHint("only short|"), "");
    EXPECT_EQ(shortHint(""), "");
    EXPECT_EQ(longHint(""), "");

    const std::string_view calibrate = StringTable().text(txt::MainCalibrateUnitHint, Language::Russian);
    EXPECT_EQ(shortHint(calibrate), "Юстировка блока");
    EXPECT_EQ(longHint(calibrate), "Переюстировка блока по желанию оператора");
}

}  // namespace
}  // namespace lumo::core
