#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <sstream>

#include "core/test_home.h"
#include "scoring/chart_fixture.h"
#include "scoring/score_command.h"

namespace lumo::scoring {
namespace {

// A strict reader of one JSON value: enough to tell well-formed output.
class JsonReader {
public:
    explicit JsonReader(std::string text) : text_(std::move(text)) {}
    bool wholeValue() {
        const bool ok = value();
        space();
        return ok && at_ == text_.size();
    }

private:
    void space() {
        while (at_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[at_]))) ++at_;
    }
    bool literal(const std::string& word) {
        if (text_.compare(at_, word.size(), word) != 0) return false;
        at_ += word.size();
        return true;
    }
    bool string() {
        if (!literal("\"")) return false;
        while (at_ < text_.size() && text_[at_] != '"') at_ += text_[at_] == '\\' ? 2 : 1;
        return literal("\"");
    }
    bool number() {
        const std::size_t start = at_;
        while (at_ < text_.size() && std::strchr("+-0123456789.eE", text_[at_]) != nullptr) ++at_;
        return at_ > start;
    }
    template <typename Item>
    bool sequence(char close, Item item) {
        space();
        if (literal(std::string(1, close))) return true;
        do {
            space();
            if (!item()) return false;
            space();
        } while (literal(","));
        return literal(std::string(1, close));
    }
    bool value() {
        space();
        if (literal("{")) {
            return sequence('}', [this] {
                if (!string()) return false;
                space();
                return literal(":") && value();
            });
        }
        if (literal("[")) return sequence(']', [this] { return value(); });
        if (at_ < text_.size() && text_[at_] == '"') return string();
        return literal("null") || literal("true") || literal("false") || number();
    }

    std::string text_;
    std::size_t at_ = 0;
};

class ScoreCommand : public ::testing::Test {
protected:
    int run(std::vector<std::string> arguments) {
        test::writeExam(home_.path(), recipe_);
        const ScoreOptions options = parseScoreOptions(arguments);
        EXPECT_TRUE(options.error.empty()) << options.error;
        out_.str("");
        err_.str("");
        return runScoreCommand(options, home_.path(), out_, err_);
    }

    test::TempHome home_;
    test::ExamRecipe recipe_;
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST(ScoreOptions, ReadsTheArgumentsAndRefusesNonsense) {
    const ScoreOptions options =
        parseScoreOptions({"--home", "/h", "#0000001", "7", "--charts", "1,3", "--prior", "0.7", "--fp", "0.05",
                           "--fm", "0.25", "--json"});
    EXPECT_TRUE(options.error.empty());
    EXPECT_EQ(*options.home, "/h");
    EXPECT_EQ(options.examinee, "#0000001");
    EXPECT_EQ(options.exam, 7);
    EXPECT_EQ(options.charts, (std::vector<int>{1, 3}));
    EXPECT_EQ(options.prior, 0.7f);
    EXPECT_EQ(options.fm, 0.25f);
    EXPECT_TRUE(options.json);
    EXPECT_EQ(parseScoreOptions({"#0000001", "1", "--prior", "1"}).error, "--prior 1");
    EXPECT_EQ(parseScoreOptions({"#0000001", "1", "--fp", "x"}).error, "--fp x");
    EXPECT_EQ(parseScoreOptions({"#0000001", "1", "--charts", "1,10"}).error, "--charts 1,10");
    EXPECT_EQ(parseScoreOptions({"#0000001", "1", "--charts"}).error, "--charts");
    EXPECT_EQ(parseScoreOptions({"#0000001"}).error, "CODE NN");
    EXPECT_EQ(parseScoreOptions({"#0000001", "100"}).error, "100");
    EXPECT_EQ(parseScoreOptions({"#0000001", "1", "--verbose"}).error, "--verbose");
    EXPECT_EQ(parseScoreOptions({"../#0000001", "1"}).error, "../#0000001");

    const ScoreOptions hand = parseScoreOptions({"#0000001", "2", "--hand", "--table", "matte", "--charts", "3"});
    EXPECT_EQ(hand.error, "");
    EXPECT_TRUE(hand.hand);
    EXPECT_TRUE(hand.matte);
    EXPECT_FALSE(parseScoreOptions({"#0000001", "2", "--hand", "--table", "backster"}).matte);
    EXPECT_EQ(parseScoreOptions({"#0000001", "1", "--hand", "--table", "Matte"}).error, "--table Matte");
    // The table belongs to the hand scores, the probabilities to the features.
    EXPECT_EQ(parseScoreOptions({"#0000001", "1", "--table", "matte"}).error, "--table");
    EXPECT_EQ(parseScoreOptions({"#0000001", "1", "--hand", "--fm", "0.2"}).error, "--fm");
}

TEST_F(ScoreCommand, PrintsOneJsonObjectOfTheScoredExam) {
    for (int k = 1; k <= 2; ++k) recipe_.charts.push_back(test::regularChart(recipe_.signs, 6, static_cast<std::uint32_t>(k)));
    recipe_.charts[1].recipe.marks = {{(15 + 20 * 2) * 32 + 64, 7000}};
    ASSERT_EQ(run({"#0000001", "01", "--json", "--charts", "2"}), kScoreOk) << err_.str();
    const std::string json = out_.str();
    EXPECT_TRUE(JsonReader(json).wholeValue()) << json;
    EXPECT_EQ(json.rfind("{\"examinee\":\"#0000001\",\"exam\":\"01\",\"method\":1,\"chart_count\":2,", 0), 0u);
    EXPECT_NE(json.find("\"artefact_questions\":[3]"), std::string::npos);
    EXPECT_NE(json.find("\"bounds\":{\"lower\":-2.0999999,\"upper\":1.79999995,"
                        "\"lower_series\":[-1.39999998,-2.0999999,-3.5999999],"
                        "\"upper_series\":[1.20000005,1.79999995,3]}"),
              std::string::npos);
    EXPECT_NE(json.find("{\"number\":1,\"stress_text\":"), std::string::npos);
    EXPECT_NE(json.find("\"lie_text\":null,\"lie_probability\":null"), std::string::npos);  // N1
    EXPECT_NE(json.find("\"conclusion\":{\"relevant\":2,\"mean\":"), std::string::npos);
    EXPECT_EQ(json.back(), '\n');
}

TEST_F(ScoreCommand, WithoutRelevantQuestionsThereIsNoConclusionToDraw) {
    recipe_.signs = {" N1", " C1", " N2"};
    recipe_.charts.push_back(test::regularChart(recipe_.signs, 3, 1));
    ASSERT_EQ(run({"#0000001", "1", "--json"}), kScoreOk) << err_.str();
    EXPECT_NE(out_.str().find("\"conclusion\":{\"relevant\":0,\"mean\":null,\"spread\":null,\"text\":null}}"),
              std::string::npos);
    recipe_.method = 3;
    ASSERT_EQ(run({"#0000001", "1", "--json"}), kScoreOk);
    EXPECT_NE(out_.str().find("\"conclusion\":null}"), std::string::npos);
}

TEST_F(ScoreCommand, PrintsTheSummaryTables) {
    recipe_.charts.push_back(test::regularChart(recipe_.signs, 6, 1));
    ASSERT_EQ(run({"#0000001", "1"}), kScoreOk) << err_.str();
    const std::string text = out_.str();
    EXPECT_EQ(text.rfind("Exam Results\n", 0), 0u);
    EXPECT_NE(text.find("L I E: < -1.4 < -2.1 < -3.6"), std::string::npos);
    EXPECT_NE(text.find("Components state"), std::string::npos);
    EXPECT_NE(text.find("(R)   ERGO"), std::string::npos);
}

TEST_F(ScoreCommand, ExitCodesTellDuplicatesFromUnreadableFiles) {
    recipe_.charts.push_back(test::regularChart(recipe_.signs, 6, 1));
    recipe_.charts[0].rows[5].question = 1;
    EXPECT_EQ(run({"#0000001", "1", "--json"}), kScoreDuplicate);
    EXPECT_EQ(out_.str(), "{\"error\":\"duplicate\",\"chart\":1,\"question\":1}\n");

    recipe_.charts[0] = test::regularChart(recipe_.signs, 6, 1);
    recipe_.charts[0].recipe.seconds = 0;
    EXPECT_EQ(run({"#0000001", "1", "--json"}), kScoreUnreadable);
    EXPECT_NE(err_.str().find("holds no complete record"), std::string::npos);
    EXPECT_EQ(out_.str(), "");
    EXPECT_EQ(run({"#0000002", "1"}), kScoreUnreadable);
    EXPECT_EQ(err_.str(), "Examinee #0000002 not found\n");
    EXPECT_EQ(run({"#0000001", "2"}), kScoreUnreadable);
    EXPECT_EQ(err_.str(), "Exam 02 has no charts to score\n");
}

TEST_F(ScoreCommand, TheInstalledSettingsScoreAnExam) {
    // Channels 4 and 6 switched off, IgnoreDisabledChannels, a reordered
    // display and an inverted skin resistance channel.
    recipe_.charts.push_back(test::regularChart(recipe_.signs, 6, 1));
    test::writeExam(home_.path(), recipe_);
    std::filesystem::copy_file(std::filesystem::path(LUMO_DATA_DIR) / "lumo7w.ini", home_ / "lumo7w.ini",
                               std::filesystem::copy_options::overwrite_existing);
    ASSERT_EQ(runScoreCommand(parseScoreOptions({"#0000001", "1", "--json"}), home_.path(), out_, err_), kScoreOk)
        << err_.str();
    const std::string json = out_.str();
    EXPECT_TRUE(JsonReader(json).wholeValue());
    EXPECT_NE(json.find("\"gains\":[") , std::string::npos);
    EXPECT_NE(json.find(",99.9000015,99.9000015,"), std::string::npos);  // slot 5 off (and slot 4: negative values)
    EXPECT_NE(json.find(",-1000,-1000],\"stress\""), std::string::npos);   // features 11 and 12: slot 7 off
    EXPECT_NE(json.find("\"conclusion\":{\"relevant\":2,\"mean\":"), std::string::npos);
}

}  // namespace
}  // namespace lumo::scoring
