#include <gtest/gtest.h>

#include "core/cp1251.h"
#include "core/text_file.h"

namespace lumo::core {
namespace {

TEST(Cp1251, CyrillicRoundTripsAndUnmappableBecomesQuestionMark) {
    const std::string text = "Проверка ЁЖ ёж № 12";
    const std::string bytes = toCp1251(text);
    EXPECT_EQ(bytes.size(), charCount(text));
    EXPECT_EQ(static_cast<unsigned char>(toCp1251("Ъ")[0]), 0xDA);
    EXPECT_EQ(fromCp1251(bytes), text);
    EXPECT_EQ(toCp1251("a\u4E2Db"), "a?b");
    EXPECT_EQ(toCp1251("\xFF\xFE"), "??");  // malformed UTF-8 never stalls
}

TEST(Cp1251, EveryByteSurvivesARoundTrip) {
    for (int byte = 0; byte < 256; ++byte) {
        const std::string one(1, static_cast<char>(byte));
        const std::string decoded = fromCp1251(one);
        EXPECT_EQ(charCount(decoded), 1u) << byte;
        EXPECT_EQ(toCp1251(decoded), one) << byte;
    }
}

TEST(Cp1251, CharacterLimitsCountCharactersNotBytes) {
    EXPECT_EQ(leftChars("Жизнь", 3), "Жиз");
    EXPECT_EQ(charsFrom("Жизнь", 3), "нь");
    EXPECT_EQ(leftChars("ab", 5), "ab");
    EXPECT_EQ(upperCase("rus Ёлка"), "RUS ЁЛКА");
    EXPECT_TRUE(equalsIgnoreCase("Language", "LANGUAGE"));
}

TEST(TextLines, SplitsOnEveryLineBreakFormAndWritesCrLf) {
    EXPECT_EQ(splitTextLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(splitTextLines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
    EXPECT_TRUE(splitTextLines("").empty());
    EXPECT_EQ(joinTextLines({"Имя", ""}), "\xC8\xEC\xFF\r\n\r\n");
}

}  // namespace
}  // namespace lumo::core
