#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include <fstream>
#include <stdexcept>

#include "core/command_line.h"
#include "core/data_home.h"
#include "core/startup.h"

namespace lumo::core {
namespace {

struct RecordingProgress : ProgressView {
    std::vector<std::string> events;
    void showProgress(const std::string& caption, int maximum) override {
        events.push_back("show " + caption + " " + std::to_string(maximum));
    }
    void setProgress(int position) override { events.push_back(std::to_string(position)); }
    void hideProgress() override { events.push_back("hide"); }
};

TEST(StartupRoutine, RunsStepsInOrderAndReleasesInTheSameOrder) {
    StartupRoutine routine;
    std::vector<std::string> log;
    for (int step = 1; step <= 2; ++step) {
        routine.registerStep({[&log, step](const std::function<void(int)>& move) {
                                  log.push_back("allocate " + std::to_string(step));
                                  move(32777 + step);
                              },
                              [&log, step](const std::function<void(int)>& move) {
                                  log.push_back("release " + std::to_string(step));
                                  move(32777 + step);
                              }});
    }
    RecordingProgress view;
    routine.runStartup(view, "Loading");
    routine.runShutdown(view, "Shutting down");
    EXPECT_EQ(log, (std::vector<std::string>{"allocate 1", "allocate 2", "release 1", "release 2"}));
    EXPECT_EQ(view.events, (std::vector<std::string>{"show Loading 32790", "0", "32778", "32779", "hide",
                                                     "show Shutting down 32790", "0", "32778", "32779", "hide"}));
}

TEST(StartupRoutine, HidesTheWindowWhenAnAllocationFails) {
    StartupRoutine routine;
    routine.registerStep({[](const std::function<void(int)>&) { throw std::bad_alloc(); }, nullptr});
    RecordingProgress view;
    EXPECT_THROW(routine.runStartup(view, "Loading"), std::bad_alloc);
    EXPECT_EQ(view.events.back(), "hide");
}

TEST(DataHome, PrecedenceOfTheSources) {
    const auto folder = std::filesystem::temp_directory_path() / "lumo-home-choice";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder / "bin");

    EXPECT_EQ(chooseDataHome({"/a", "/b", folder / "bin", "/x", "/h"}).path, "/a");
    EXPECT_EQ(chooseDataHome({std::nullopt, "/b", folder / "bin", "/x", "/h"}).path, "/b");
    // The program's folder counts only when it holds a settings file.
    const DataHomeChoice fallback = chooseDataHome({std::nullopt, std::nullopt, folder / "bin", "/x", "/h"});
    EXPECT_EQ(fallback.path, "/x/lumo7");
    EXPECT_TRUE(fallback.needsSeeding);
    std::ofstream(folder / "bin" / "LUMO7W.INI") << "Language=ENG\r\n";
    EXPECT_EQ(chooseDataHome({std::nullopt, std::nullopt, folder / "bin", "/x", "/h"}).path, folder / "bin");
    EXPECT_EQ(chooseDataHome({std::nullopt, std::nullopt, {}, std::nullopt, "/h"}).path, "/h/.local/share/lumo7");
    std::filesystem::remove_all(folder);
}

// Sets an environment variable for one scope, then puts the old state back.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        ::setenv(name, value, 1);
    }
    ~ScopedVariable() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(DataHome, ProcessSourcesIgnoreEmptyVariables) {
    const ScopedVariable lumoHome("LUMO_HOME", "");
    const ScopedVariable xdgDataHome("XDG_DATA_HOME", "/data");
    const DataHomeSources sources = processDataHomeSources("/given");
    EXPECT_EQ(sources.homeOption, "/given");
    EXPECT_FALSE(sources.lumoHome);  // an empty LUMO_HOME would otherwise name the current folder
    EXPECT_EQ(sources.xdgDataHome, "/data");
    EXPECT_FALSE(sources.executableFolder.empty());
}

TEST(CommandLine, OptionsAndMistakes) {
    const CommandLine start = parseCommandLine({"--home", "/d", "--no-splash"});
    EXPECT_EQ(start.home, "/d");
    EXPECT_TRUE(start.noSplash);
    EXPECT_TRUE(start.error.empty());
    const CommandLine seed = parseCommandLine({"--init-home", "/n", "--sample"});
    EXPECT_EQ(seed.initHome, "/n");
    EXPECT_TRUE(seed.sample);
    EXPECT_FALSE(parseCommandLine({"--home"}).error.empty());
    EXPECT_FALSE(parseCommandLine({"--sample"}).error.empty());
    EXPECT_FALSE(parseCommandLine({"--deceptive"}).error.empty());  // only with --demo
    EXPECT_TRUE(parseCommandLine({"--version"}).version);
}

}  // namespace
}  // namespace lumo::core
