// The unattended demo: a whole examination against the simulated examinee reaches the right conclusion.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "core/string_table.h"
#include "core/test_home.h"
#include "core/texts/scoring.h"
#include "demo/demo.h"

namespace lumo::demo {
namespace {

namespace fs = std::filesystem;

// A data home seeded from the shipped defaults, as --init-home makes it.
void seedFromData(const fs::path& home) {
    const fs::path data = LUMO_DATA_DIR;
    fs::copy_file(data / "lumo7w.ini", home / "lumo7w.ini");
    fs::copy(data / "QST", home / "QST", fs::copy_options::recursive);
    fs::create_directories(home / "DAT");
}

DemoResult demo(bool deceptive, std::string& output) {
    test::TempHome home;
    seedFromData(home.path());
    std::ostringstream out, err;
    DemoOptions options;
    options.deceptive = deceptive;
    const DemoResult result = runDemo(options, home.path(), out, err);
    output = out.str() + err.str();
    return result;
}

TEST(Demo, DeceptiveExamineeGivesALieConclusion) {
    std::string output;
    const DemoResult result = demo(true, output);
    ASSERT_EQ(result.exitCode, 0) << output;
    EXPECT_EQ(result.chartsSaved, 3);
    ASSERT_TRUE(result.hasConclusion) << output;
    EXPECT_LT(result.mean, 0) << output;
    const core::StringTable strings;
    EXPECT_NE(result.conclusion.find(strings.text(txt::ResultOfLie, core::Language::English)), std::string::npos)
        << output;
    EXPECT_NE(output.find("Conclusion: " + result.conclusion), std::string::npos);
    // The autopilot never lets an onset fall into the ready mark's period (that would sum to an artefact code).
    EXPECT_EQ(output.find("(A)"), std::string::npos) << output;
}

TEST(Demo, TruthfulExamineeGivesATruthConclusion) {
    std::string output;
    const DemoResult result = demo(false, output);
    ASSERT_EQ(result.exitCode, 0) << output;
    ASSERT_TRUE(result.hasConclusion) << output;
    EXPECT_GT(result.mean, 0) << output;
    const core::StringTable strings;
    EXPECT_NE(result.conclusion.find(strings.text(txt::ResultOfTruth, core::Language::English)), std::string::npos)
        << output;
}

TEST(Demo, AHomeWithoutAMethodOneTemplateIsRefused) {
    test::TempHome home;
    seedFromData(home.path());
    fs::remove(home / "QST" / "THEFT.QS1");
    std::ostringstream out, err;
    EXPECT_EQ(runDemo({}, home.path(), out, err).exitCode, 1);
    EXPECT_NE(err.str().find("No template of method 1"), std::string::npos);
}

}  // namespace
}  // namespace lumo::demo
