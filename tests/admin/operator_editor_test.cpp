#include "admin/operator_editor.h"

#include <gtest/gtest.h>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/clock.h"
#include "core/test_home.h"
#include "core/workstation.h"

namespace lumo::admin {
namespace {

using Texts = std::vector<std::string>;

core::TUser user(const std::string& name, const std::string& note = "") {
    return {"12345678", name, "-", "01-01-2000", note};
}

class OperatorEditorTest : public ::testing::Test {
protected:
    void start(const std::vector<core::TUser>& users, int maxUser = 20) {
        test::writeMinimalIni(home.path(), {"MaxUser=" + std::to_string(maxUser)});
        test::writeFile(home / "userlist.dat", core::OperatorList::encode(users));
        ws = std::make_unique<core::Workstation>(home.path(), std::make_unique<core::ManualClock>());
        ws->initialise();
        editor = std::make_unique<OperatorEditor>(ws->records().operators(), ws->records().operatorFile(),
                                                  ws->clock(), ws->texts(), maxUser);
        OperatorPrompts prompts;
        prompts.warn = [this](const std::string& text) { shown.push_back("warn:" + text); };
        prompts.confirm = [this](const std::string& text) {
            shown.push_back("confirm:" + text);
            return answer;
        };
        prompts.error = [this](const std::string& text) { shown.push_back("error:" + text); };
        editor->setPrompts(prompts);
    }
    std::vector<core::TUser> onDisk() const {
        return core::OperatorList::decode(test::readFile(home / "userlist.dat"));
    }
    const std::vector<core::TUser>& users() const { return ws->records().operators().users(); }

    test::TempHome home;
    std::unique_ptr<core::Workstation> ws;
    std::unique_ptr<OperatorEditor> editor;
    Texts shown;
    bool answer = true;
};

TEST_F(OperatorEditorTest, AddAndDeleteFollowTheLimits) {
    start({user("Operator 1"), user("Petrov")}, 3);
    EXPECT_TRUE(editor->canAdd());
    EXPECT_TRUE(editor->add());
    EXPECT_EQ(editor->selected(), 2);
    const core::TUser& added = users()[2];
    EXPECT_EQ(added, (core::TUser{"00000000", "", "-", "07-03-2001", ""}));
    EXPECT_FALSE(editor->canAdd());
    EXPECT_FALSE(editor->add());

    // Cancel in the confirmation removes nothing.
    answer = false;
    EXPECT_FALSE(editor->remove());
    EXPECT_EQ(editor->count(), 3);
    answer = true;
    editor->select(1);
    EXPECT_TRUE(editor->remove());
    EXPECT_EQ(shown, (Texts{"confirm:Delete Examiner data?", "confirm:Delete Examiner data?"}));
    EXPECT_TRUE(editor->canAdd());
    EXPECT_EQ(editor->selected(), 1);  // the row now under the cursor: the added one
    EXPECT_EQ(editor->name(), "");
    EXPECT_TRUE(editor->remove());
    EXPECT_EQ(editor->selected(), 0);
    EXPECT_FALSE(editor->canDelete());
    EXPECT_FALSE(editor->remove());
    EXPECT_EQ(editor->count(), 1);
}

TEST_F(OperatorEditorTest, MoreOperatorsOnDiskThanTheLimitOnlyStopAdding) {
    start({user("A"), user("B"), user("C"), user("D")}, 3);
    EXPECT_FALSE(editor->canAdd());
    EXPECT_TRUE(editor->canDelete());
}

TEST_F(OperatorEditorTest, NamesMustBeGivenAndUniqueBeforeSaving) {
    start({user("Operator 1"), user("Petrov"), user("Sidorov")});
    const std::string before = test::readFile(home / "userlist.dat");
    editor->select(2);
    editor->setName("Petrov");
    EXPECT_FALSE(editor->leaveName());
    EXPECT_EQ(shown, Texts{"warn:Examiner name is not unique"});
    // Case makes names different.
    editor->setName("PETROV");
    EXPECT_TRUE(editor->leaveName());
    editor->setName("Petrov");

    // The check covers the whole list, not only the row shown.
    editor->select(0);
    EXPECT_FALSE(editor->save());
    EXPECT_EQ(editor->selected(), 1);
    EXPECT_EQ(shown.back(), "warn:Examiner name is not unique");
    EXPECT_EQ(test::readFile(home / "userlist.dat"), before);

    editor->select(2);
    editor->setName("");
    EXPECT_FALSE(editor->save());
    EXPECT_EQ(shown.back(), "warn:Examiner name is empty");
    editor->setName("   ");
    EXPECT_FALSE(editor->save());
    EXPECT_EQ(shown.back(), "warn:Examiner name is empty");
    EXPECT_EQ(test::readFile(home / "userlist.dat"), before);

    // Two names the code page turns into the same "?" text clash on disk.
    editor->setName("Li 李");
    editor->select(1);
    editor->setName("Li 王");
    EXPECT_FALSE(editor->leaveName());

    editor->setName("Li Wang");
    EXPECT_TRUE(editor->save());
    const auto saved = onDisk();
    ASSERT_EQ(saved.size(), 3u);
    EXPECT_EQ(saved[1].name, "Li Wang");
    EXPECT_EQ(saved[2].name, "Li ?");
    EXPECT_EQ(saved[2].date, "07-03-2001");
    EXPECT_EQ(saved[0], users()[0]);
}

}  // namespace
}  // namespace lumo::admin
