#include "authoring/base_chooser.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "core/clock.h"
#include "core/test_home.h"
#include "core/workstation.h"

namespace lumo::authoring {
namespace {

using Lines = std::vector<std::string>;

TEST(BankBaseChooserTest, PasteKeepsTheFirstNineCharactersAndColoursFollowTheSign) {
    test::TempHome home;
    test::installSettings(home.path());
    core::Workstation ws(home.path(), std::make_unique<core::ManualClock>());
    ws.initialise();
    test::writeFile(home / "BNK" / "A.TXT", "Thefts\r\nat work.\r\nDid you\r\nsteal?\r\nDid you sell it?\r\n");
    test::writeFile(home / "BNK" / "B.TXT", "\x01");
    const core::QuestionTypes types(ws.settings());
    BaseChooser chooser(home / "BNK", ws.texts(), types, {" 1. R1.-.Old text?", " 2. C1.+.Other?", "12.N10.+.x?"});
    chooser.open();
    EXPECT_EQ(chooser.caption(0), "Thefts at work.");
    EXPECT_EQ(chooser.title(), "TOPIC : THEFTS AT WORK. (A.TXT)");
    EXPECT_EQ(chooser.questions(), (Lines{"Did you steal?", "Did you sell it?"}));
    EXPECT_EQ(chooser.selectedQuestion(), 0);
    EXPECT_EQ(chooser.selectedLine(), 0);

    chooser.selectQuestion(1);
    chooser.selectLine(2);
    ASSERT_TRUE(chooser.paste());
    chooser.selectQuestion(0);
    chooser.selectLine(0);
    ASSERT_TRUE(chooser.paste());
    EXPECT_EQ(chooser.templateLines(), (Lines{" 1. R1.-.Did you steal?", " 2. C1.+.Other?", "12.N10.+.Did you sell it?"}));

    EXPECT_EQ(chooser.lineColour(0), types.signToColour(" R1"));
    EXPECT_EQ(chooser.lineColour(1), types.signToColour(" C1"));
    EXPECT_EQ(chooser.lineColour(0), (core::Rgb{255, 0, 0}));  // relevant: red
    EXPECT_EQ(chooser.lineColour(1), (core::Rgb{0, 255, 0}));  // control: lime

    chooser.selectTopic(1);
    EXPECT_EQ(chooser.questions(), Lines{});
    EXPECT_NE(chooser.selectedError(), "");
    EXPECT_FALSE(chooser.paste());
    EXPECT_EQ(chooser.templateLines()[1], " 2. C1.+.Other?");
}

TEST(BankBaseChooserTest, MissingFolderOrFileListsNothing) {
    test::TempHome home;
    test::writeMinimalIni(home.path());
    core::Workstation ws(home.path(), std::make_unique<core::ManualClock>());
    ws.initialise();
    BaseChooser empty(home / "BNK", ws.texts(), core::QuestionTypes(ws.settings()), {});
    empty.open();
    EXPECT_TRUE(empty.topics().empty());
    EXPECT_EQ(empty.title(), "TOPIC : ");
    EXPECT_FALSE(empty.paste());

    test::writeFile(home / "BNK" / "A.TXT", "A.\r\nQ?\r\n");
    BaseChooser chooser(home / "BNK", ws.texts(), core::QuestionTypes(ws.settings()), {" 1. R1.-.x?"});
    chooser.open();
    std::filesystem::remove(home / "BNK" / "A.TXT");
    chooser.selectTopic(0);
    EXPECT_EQ(chooser.questions(), Lines{});
    EXPECT_EQ(templateLineSign(" 1. R1.-.x?"), " R1");
    EXPECT_EQ(templateLineSign("no stops"), "");
}

}  // namespace
}  // namespace lumo::authoring
