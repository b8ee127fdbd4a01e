#include <gtest/gtest.h>

#include "core/errors.h"
#include "core/numbers.h"
#include "core/text_format.h"

namespace lumo::core {
namespace {

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(rnd(2.5), 2);
    EXPECT_EQ(rnd(3.5), 4);
    EXPECT_EQ(rnd(-2.5), -2);
    EXPECT_EQ(rnd(-3.5), -4);
    EXPECT_EQ(rnd(2.4999), 2);
    EXPECT_EQ(rnd(-0.6), -1);
    EXPECT_EQ(trunc(-2.9), -2);
    EXPECT_EQ(trunc(2.9), 2);
}

TEST(StrictInteger, AcceptsIntegersOnly) {
    EXPECT_EQ(strToInt("42"), 42);
    EXPECT_EQ(strToInt("  -7"), -7);
    EXPECT_EQ(strToInt("+3"), 3);
    EXPECT_EQ(strToInt("$1F"), 31);
    EXPECT_EQ(strToInt("2147483647"), 2147483647);
    for (const char* bad : {"", "fast", "12 ", "1.5", "2147483648", "-", "$"}) {
        EXPECT_THROW(strToInt(bad), EConvertError) << bad;
    }
    try {
        strToInt("fast");
    } catch (const EConvertError& error) {
        EXPECT_STREQ(error.what(), "'fast' is not a valid integer value");
    }
    try {
        strToInt("");
    } catch (const EConvertError& error) {
        EXPECT_STREQ(error.what(), "'' is not a valid integer value");
    }
    EXPECT_EQ(strToIntDef("fast", 19200), 19200);
    EXPECT_EQ(strToIntDef("9600", 19200), 9600);
}

TEST(RealNumbers, AnyDecimalNotation) {
    EXPECT_DOUBLE_EQ(strToFloat(" 1.23450000000000E+0002"), 123.45);
    EXPECT_DOUBLE_EQ(strToFloat("-0.5"), -0.5);
    EXPECT_DOUBLE_EQ(strToFloat("7"), 7.0);
    EXPECT_THROW(strToFloat("1,5"), EConvertError);
    EXPECT_THROW(strToFloat(""), EConvertError);
}

TEST(TextFormat, FillsPlaceholdersInOrder) {
    EXPECT_EQ(formatText("Wait (%ds)", {15LL}), "Wait (15s)");
    EXPECT_EQ(formatText("Examinee : %s / %s / CHART_0%d ( %s )",
                         {std::string("#0000001"), std::string("01"), 3LL, std::string("Smith")}),
              "Examinee : #0000001 / 01 / CHART_03 ( Smith )");
    EXPECT_EQ(formatText("%.2f%%", {85.3333}), "85.33%");
    EXPECT_EQ(formatText("%s and %s", {std::string("one")}), "one and ");
    EXPECT_EQ(formatText("100%", {}), "100%");
}

}  // namespace
}  // namespace lumo::core
