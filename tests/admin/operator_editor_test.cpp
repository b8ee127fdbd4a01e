#include "admin/operator_editor.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/clock.h"
#include "core/test_home.h"
#include "core/workstation.h"

namespace lumo::admin {
namespace {

namespace fs = std::filesystem;
using Texts = std::vector<std::string>;

core::TUser user(const std::string& name, const std::string& note = "") {
    return {"12345678", name, "-", "01-01-2000", note};
}

// A file size limit fails writes the way a full disk does, for as long as it lives.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved_;
        small.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_);
    }

private:
    rlimit saved_{};
    void (*previous_)(int) = nullptr;
};

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

TEST_F(OperatorEditorTest, EditsApplyAtOnceUpToTwentyCharacters) {
    start({user("Operator 1", " "), user("Petrov")});
    EXPECT_EQ(editor->selected(), 0);
    editor->select(1);
    EXPECT_EQ(editor->name(), "Petrov");
    EXPECT_EQ(users()[1].date, "01-01-2000");  // selecting is no edit

    EXPECT_TRUE(editor->setName("Petrova"));
    EXPECT_EQ(users()[1].name, "Petrova");
    EXPECT_EQ(users()[1].date, "07-03-2001");
    // Twenty characters of 39 bytes still fit: the limit counts characters.
    const std::string twenty = "Ивановская Екатерина";
    ASSERT_EQ(twenty.size(), 39u);
    EXPECT_TRUE(editor->setName(twenty));
    EXPECT_FALSE(editor->setName(twenty + "!"));
    EXPECT_EQ(editor->name(), twenty);
    EXPECT_TRUE(editor->setNote("Night shift"));
    EXPECT_FALSE(editor->setNote("123456789012345678901"));
    EXPECT_EQ(editor->note(), "Night shift");
    EXPECT_EQ(users()[0].name, "Operator 1");
}

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

TEST_F(OperatorEditorTest, CancelReadsTheFileBack) {
    start({user("Operator 1"), user("Petrov")});
    editor->select(1);
    editor->setName("Renamed");
    editor->add();
    EXPECT_TRUE(editor->cancel());
    EXPECT_EQ(users(), (std::vector<core::TUser>{user("Operator 1"), user("Petrov")}));
    EXPECT_EQ(editor->selected(), 0);
}

TEST_F(OperatorEditorTest, AFailedWriteKeepsTheOldFileAndTheEdits) {
    start({user("Operator 1"), user("Petrov")});
    const std::string before = test::readFile(home / "userlist.dat");
    editor->select(1);
    editor->setName("Renamed");
    bool saved = true;
    {
        const FileSizeLimit full(64);
        saved = editor->save();
    }
    EXPECT_FALSE(saved);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].rfind("error:Examiners data are not saved:\n", 0), 0u) << shown[0];
    EXPECT_EQ(test::readFile(home / "userlist.dat"), before);
    EXPECT_EQ(users()[1].name, "Renamed");
    EXPECT_TRUE(editor->save());
    EXPECT_EQ(onDisk()[1].name, "Renamed");
}

TEST_F(OperatorEditorTest, DeactivationSetsTheOperatorCount) {
    start({user("Operator 1"), user("Petrov")});
    editor->add();
    editor->deactivated(ws->settings().list());
    EXPECT_EQ(ws->settings().list().value("NUser"), "3");
}

}  // namespace
}  // namespace lumo::admin
