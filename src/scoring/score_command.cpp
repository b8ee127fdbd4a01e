#include "scoring/score_command.h"

#include <algorithm>
#include <exception>
#include <ostream>

#include "core/errors.h"
#include "core/exam_list.h"
#include "core/examinee.h"
#include "core/numbers.h"
#include "core/string_table.h"
#include "core/texts/scoring.h"
#include "scoring/decision_view.h"
#include "scoring/home_exam_scoring.h"
#include "scoring/score_report.h"

namespace lumo::scoring {

namespace fs = std::filesystem;

namespace {

// A probability strictly between 0 and 1.
bool parseProbability(const std::string& text, float& target) {
    try {
        const double value = core::strToFloat(text);
        if (!(value > 0 && value < 1)) return false;
        target = static_cast<float>(value);
        return true;
    } catch (const LumoError&) {
        return false;
    }
}

bool parseCharts(const std::string& text, std::vector<int>& charts) {
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        const int chart = core::strToIntDef(text.substr(start, comma - start), 0);
        if (chart < 1 || chart > core::kMaxChartsPerExam) return false;
        charts.push_back(chart);
        start = comma + 1;
    }
    return true;
}

}  // namespace

std::string scoreUsage() {
    return std::string(core::StringTable().text(txt::ScoreUsage, core::Language::English));
}

std::string parseExamArguments(const std::vector<std::string>& positional, std::string& examinee, int& exam) {
    if (positional.size() != 2) return positional.size() < 2 ? "CODE NN" : positional.back();
    examinee = core::fileCodeFromArgument(positional[0]);
    // A file code names a folder under DAT: "#" and seven digits, nothing else.
    const bool fileCode = examinee.size() == 8 && examinee[0] == '#' &&
                          std::all_of(examinee.begin() + 1, examinee.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!fileCode) return examinee;
    exam = core::strToIntDef(positional[1], 0);
    if (exam < 1 || exam > core::kMaxExamsPerExaminee) return positional[1];
    return "";
}

ScoreOptions parseScoreOptions(const std::vector<std::string>& arguments) {
    ScoreOptions options;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < arguments.size() && options.error.empty(); ++i) {
        const std::string& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        auto fail = [&options, &argument] { options.error = argument; };
        if (argument == "--json") {
            options.json = true;
        } else if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else if (argument == "--home" || argument == "--charts" || argument == "--prior" || argument == "--fp" ||
                   argument == "--fm") {
            if (!hasValue) {
                fail();
                break;
            }
            const std::string& value = arguments[++i];
            bool ok = true;
            if (argument == "--home") options.home = value;
            if (argument == "--charts") ok = parseCharts(value, options.charts);
            if (argument == "--prior") ok = parseProbability(value, options.prior);
            if (argument == "--fp") ok = parseProbability(value, options.fp);
            if (argument == "--fm") ok = parseProbability(value, options.fm);
            if (!ok) options.error = argument + " " + value;
        } else if (argument.rfind("--", 0) == 0) {
            fail();
        } else {
            positional.push_back(argument);
        }
    }
    if (options.help || !options.error.empty()) return options;
    options.error = parseExamArguments(positional, options.examinee, options.exam);
    return options;
}

int runScoreCommand(const ScoreOptions& options, const fs::path& home, std::ostream& out, std::ostream& err) {
    HomeExamScoring scoring(home);
    const int status = scoring.score(options.examinee, options.exam, err);
    if (status == kScoreDuplicate && options.json) {
        out << "{\"error\":\"duplicate\",\"chart\":" << scoring.duplicate()->chart
            << ",\"question\":" << scoring.duplicate()->question << "}\n";
    }
    if (status != kScoreOk) return status;

    try {
        DecisionView decision(scoring.workspace(), scoring.settings(), scoring.strings());
        if (!options.charts.empty()) {
            for (int chart = 1; chart <= core::kMaxChartsPerExam; ++chart) {
                decision.selectChart(chart, std::find(options.charts.begin(), options.charts.end(), chart) !=
                                                options.charts.end());
            }
        }
        decision.prior = options.prior;
        decision.fp = options.fp;
        decision.fm = options.fm;
        decision.computeQuestionScores();
        decision.showDecision();
        if (options.json) {
            out << scoreJson(scoring.workspace(), decision, scoring.settings(), options.examinee, options.exam) << "\n";
        } else {
            out << scoreText(scoring.workspace(), decision, scoring.settings().language());
        }
        return kScoreOk;
    } catch (const std::exception& error) {
        err << error.what() << "\n";
        return kScoreUnreadable;
    }
}

}  // namespace lumo::scoring
