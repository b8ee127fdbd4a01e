// lumo-export csv on a data home with the demo's recorded exam, checked
// against lumo-score's JSON report of the same exam.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "core/test_home.h"
#include "demo/demo.h"
#include "scoring/results_csv_check.h"
#include "scoring/score_command.h"
#include "../../tools/lumo-export/csv_command.h"

namespace lumo::tools {
namespace {

namespace fs = std::filesystem;

class ExportCsv : public ::testing::Test {
protected:
    // One recorded demo exam for all tests: recording it is the slow part.
    static void SetUpTestSuite() {
        home_ = new test::TempHome;
        const fs::path data = LUMO_DATA_DIR;
        fs::copy_file(data / "lumo7w.ini", home_->path() / "lumo7w.ini");
        fs::copy(data / "QST", home_->path() / "QST", fs::copy_options::recursive);
        fs::create_directories(home_->path() / "DAT");
        std::ostringstream out, err;
        const demo::DemoResult result = demo::runDemo({}, home_->path(), out, err);
        ASSERT_EQ(result.exitCode, 0) << err.str();
        examinee_ = result.examinee;
    }
    static void TearDownTestSuite() {
        delete home_;
        home_ = nullptr;
    }

    int run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--home", home_->path().string()});
        out_.str("");
        err_.str("");
        return runCsvCommand(args, out_, err_);
    }
    fs::path chart(int k) const { return home_->path() / "DAT" / examinee_ / ("exam_01.ch" + std::to_string(k)); }

    static test::TempHome* home_;
    static std::string examinee_;
    std::ostringstream out_;
    std::ostringstream err_;
};

test::TempHome* ExportCsv::home_ = nullptr;
std::string ExportCsv::examinee_;

TEST_F(ExportCsv, QuestionResultsAgreeWithTheJsonReport) {
    ASSERT_EQ(run({examinee_, "01"}), 0) << err_.str();
    const auto lines = test::readCsv(out_.str());
    std::ostringstream json, err;
    ASSERT_EQ(scoring::runScoreCommand(scoring::parseScoreOptions({examinee_, "01", "--json"}), home_->path(), json,
                                       err),
              scoring::kScoreOk)
        << err.str();
    ASSERT_GT(lines.size(), 1u) << out_.str();
    EXPECT_NE(json.str().find("\"questions\":[{\"number\":1,"), std::string::npos);
    for (std::size_t q = 1; q < lines.size(); ++q) {
        EXPECT_EQ(lines[q][0], "1 2 3");  // the results window starts with every chart
        const std::vector<std::string> objects = test::jsonOfQuestionLine(lines[q]);
        ASSERT_EQ(objects.size(), 2u) << q;
        for (const std::string& object : objects) EXPECT_NE(json.str().find(object), std::string::npos) << object;
    }
    EXPECT_EQ(json.str().find("{\"number\":" + std::to_string(lines.size()) + ",\"sign\""), std::string::npos)
        << "the report has more questions than the CSV";
}

TEST_F(ExportCsv, FeaturesListEveryKeptRowOfTheCharts) {
    ASSERT_EQ(run({examinee_, "1", "--features"}), 0) << err_.str();
    const auto lines = test::readCsv(out_.str());
    ASSERT_GT(lines.size(), 3u);
    EXPECT_EQ(lines[0][0], "chart");
    EXPECT_EQ(lines.back()[0], "3");
}

TEST_F(ExportCsv, AFileIsOverwrittenOnlyWhenForced) {
    test::TempHome folder;
    const fs::path file = folder / "results.csv";
    test::writeFile(file, "kept");
    EXPECT_EQ(run({examinee_, "01", "-o", file.string()}), 2);
    EXPECT_NE(err_.str().find("results.csv exists"), std::string::npos) << err_.str();
    EXPECT_EQ(test::readFile(file), "kept");
    ASSERT_EQ(run({examinee_, "01", "-o", file.string(), "--force"}), 0) << err_.str();
    EXPECT_EQ(out_.str(), "");
    EXPECT_EQ(test::readFile(file).rfind("charts,question,sign,", 0), 0u);
}

TEST_F(ExportCsv, BadInputExitsTwoWithItsReason) {
    EXPECT_EQ(run({examinee_}), 2);
    EXPECT_NE(err_.str().find("invalid argument: CODE NN"), std::string::npos);
    EXPECT_NE(err_.str().find("usage: lumo-export csv"), std::string::npos);
    EXPECT_EQ(run({examinee_, "01", "--json"}), 2);
    EXPECT_EQ(run({examinee_, "01", "-o"}), 2);
    EXPECT_EQ(run({"#0000099", "01"}), 2);
    EXPECT_EQ(err_.str(), "Examinee #0000099 not found\n");
    EXPECT_EQ(run({examinee_, "05"}), 2);
    EXPECT_EQ(err_.str(), "Exam 05 has no charts to score\n");
}

// Last: it damages the shared exam.
TEST_F(ExportCsv, ZDamagedChartIsNamed) {
    const std::string bytes = test::readFile(chart(2));
    test::writeFile(chart(2), bytes.substr(0, 40));
    EXPECT_EQ(run({examinee_, "01"}), 2);
    EXPECT_NE(err_.str().find("exam_01.ch2"), std::string::npos) << err_.str();
    EXPECT_EQ(out_.str(), "");
    test::writeFile(chart(2), bytes);
}

}  // namespace
}  // namespace lumo::tools
