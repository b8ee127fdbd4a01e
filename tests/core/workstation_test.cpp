#include <gtest/gtest.h>

#include "core/errors.h"
#include "core/test_home.h"
#include "core/text_file.h"
#include "core/workstation.h"

namespace lumo::core {
namespace {

using test::TempHome;

struct SilentProgress : ProgressView {
    std::vector<std::string> captions;
    void showProgress(const std::string& caption, int) override { captions.push_back(caption); }
    void setProgress(int) override {}
    void hideProgress() override {}
};

std::unique_ptr<Workstation> startedWorkstation(const TempHome& home) {
    auto workstation = std::make_unique<Workstation>(home.path(), std::make_unique<ManualClock>());
    workstation->initialise();
    return workstation;
}

TEST(Workstation, InitialisationLoadsEverythingAndResetsTheOperatorCount) {
    TempHome home;
    test::writeMinimalIni(home.path(), {"NUser=3"});
    test::writeLines(home / "DAT" / "#0000002" / "subject.dat", {"Name=Second"});
    auto workstation = startedWorkstation(home);
    EXPECT_EQ(workstation->settings().list().value("NUser"), "0");
    EXPECT_EQ(workstation->records().operators().size(), 1u);  // the default operator, file created
    EXPECT_TRUE(std::filesystem::exists(home / "userlist.dat"));
    ASSERT_EQ(workstation->records().examinees().size(), 1u);
    EXPECT_FALSE(workstation->records().current().isSet());
}

TEST(Workstation, ShutDownSavesTheSettingsAndEmptiesTheLists) {
    TempHome home;
    test::writeMinimalIni(home.path(), {"Language=RUS"});
    auto workstation = startedWorkstation(home);
    workstation->settings().list().setValue("SortOrder", "Name");
    SilentProgress progress;
    workstation->startUp(progress);
    workstation->shutDown(progress);
    EXPECT_EQ(progress.captions, (std::vector<std::string>{"Идет загрузка программы", "Завершение работы программы"}));
    const auto lines = readTextLines(home / "lumo7w.ini");
    EXPECT_NE(std::find(lines.begin(), lines.end(), "SortOrder=Name"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "NUser=0"), lines.end());
    EXPECT_TRUE(workstation->records().operators().empty());
}

TEST(Workstation, RefusesCommandsWhileTheRoutinesRun) {
    TempHome home;
    test::writeMinimalIni(home.path());
    auto workstation = startedWorkstation(home);
    std::vector<bool> seen;
    const auto look = [&](const std::function<void(int)>&) { seen.push_back(workstation->acceptsCommands()); };
    workstation->startup().registerStep({look, look});
    EXPECT_TRUE(workstation->acceptsCommands());
    SilentProgress progress;
    workstation->startUp(progress);
    EXPECT_TRUE(workstation->acceptsCommands());
    workstation->shutDown(progress);
    EXPECT_EQ(seen, (std::vector<bool>{false, false}));
    EXPECT_FALSE(workstation->acceptsCommands());  // and never again

    // A failed start-up ends the program with its message; it does not lock
    // the window it never showed.
    auto failing = startedWorkstation(home);
    failing->startup().registerStep({[](const std::function<void(int)>&) { throw EListError("no memory"); }, nullptr});
    EXPECT_THROW(failing->startUp(progress), EListError);
    EXPECT_TRUE(failing->acceptsCommands());
}

TEST(Workstation, ShutDownIgnoresFailures) {
    TempHome home;
    test::writeMinimalIni(home.path());
    auto workstation = startedWorkstation(home);
    // The settings file cannot be replaced, and a release step fails: the
    // program still ends.
    std::filesystem::remove(home / "lumo7w.ini");
    std::filesystem::create_directories(home / "lumo7w.ini" / "blocked");
    workstation->startup().registerStep({nullptr, [](const std::function<void(int)>&) { throw EListError("x"); }});
    SilentProgress progress;
    EXPECT_NO_THROW(workstation->shutDown(progress));
    EXPECT_TRUE(workstation->records().examinees().empty());
}

TEST(Workstation, StartUpFailuresCarryTheirMessage) {
    TempHome home;
    Workstation missing(home.path(), std::make_unique<ManualClock>());
    EXPECT_THROW(missing.initialise(), EInOutError);

    test::writeMinimalIni(home.path());
    test::writeFile(home / "DAT" / "#0000001" / "subject.dat", "");
    Workstation broken(home.path(), std::make_unique<ManualClock>());
    try {
        broken.initialise();
        FAIL();
    } catch (const EInOutError& error) {
        EXPECT_NE(std::string(error.what()).find("subject.dat"), std::string::npos);
    }
}

}  // namespace
}  // namespace lumo::core
