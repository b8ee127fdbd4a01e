#include <gtest/gtest.h>

#include "core/errors.h"
#include "core/key_script.h"

namespace lumo::core {
namespace {

using Kind = KeyScriptStep::Kind;

TEST(KeyScript, ReadsEveryStepWithItsCountsAndLines) {
    const auto steps = parseKeyScript(
        "# a new examinee\n"
        "wait frmMain\r\n"
        "\n"
        "key Alt+E\n"
        "key Down 3\n"
        "type Ivanov Ivan 2\n"
        "wait box 2.5\n"
        "expect Do you want to cancel Examinee info creating?\n"
        "focus edName\n"
        "shot new examinee.png");
    ASSERT_EQ(steps.size(), 8u);
    EXPECT_EQ(steps[0].kind, Kind::Wait);
    EXPECT_EQ(steps[0].argument, "frmMain");
    EXPECT_EQ(steps[0].seconds, 10);
    EXPECT_EQ(steps[0].line, 2);
    EXPECT_EQ(steps[1].argument, "Alt+E");
    EXPECT_EQ(steps[1].count, 1);
    EXPECT_EQ(steps[2].argument, "Down");
    EXPECT_EQ(steps[2].count, 3);
    // A typed text keeps its trailing number.
    EXPECT_EQ(steps[3].kind, Kind::Type);
    EXPECT_EQ(steps[3].argument, "Ivanov Ivan 2");
    EXPECT_EQ(steps[4].argument, "box");
    EXPECT_DOUBLE_EQ(steps[4].seconds, 2.5);
    EXPECT_EQ(steps[5].kind, Kind::Expect);
    EXPECT_EQ(steps[5].argument, "Do you want to cancel Examinee info creating?");
    EXPECT_EQ(steps[6].kind, Kind::Focus);
    EXPECT_EQ(steps[7].kind, Kind::Shot);
    EXPECT_EQ(steps[7].argument, "new examinee.png");
    EXPECT_EQ(steps[7].line, 10);
}

TEST(KeyScript, NamesTheLineOfAStepItCannotRead) {
    const auto message = [](const char* text) {
        try {
            parseKeyScript(text);
        } catch (const EConvertError& error) {
            return std::string(error.what());
        }
        return std::string("no error");
    };
    EXPECT_EQ(message("key Return\nclick cmdOK\n"), "key script line 2: unknown step \"click\"");
    EXPECT_EQ(message("\n\nwait\n"), "key script line 3: \"wait\" needs an argument");
    EXPECT_EQ(message("key Down 0"), "key script line 1: a key is pressed at least once");
    EXPECT_EQ(message("wait box -1"), "key script line 1: a wait needs a positive number of seconds");
}

}  // namespace
}  // namespace lumo::core
