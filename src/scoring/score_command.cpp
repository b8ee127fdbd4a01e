#include "scoring/score_command.h"

#include <algorithm>
#include <exception>
#include <ostream>

#include "core/errors.h"
#include "core/exam_list.h"
#include "core/examinee.h"
#include "core/numbers.h"
#include "core/paths.h"
#include "core/settings.h"
#include "core/string_table.h"
#include "core/text_format.h"
#include "core/texts/scoring.h"
#include "scoring/decision_view.h"
#include "scoring/score_report.h"
#include "scoring/scoring_run.h"
#include "scoring/workspace.h"

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
    if (positional.size() != 2) {
        options.error = positional.size() < 2 ? "CODE NN" : positional.back();
        return options;
    }
    options.examinee = core::fileCodeFromArgument(positional[0]);
    // A file code names a folder under DAT: "#" and seven digits, nothing else.
    const bool fileCode = options.examinee.size() == 8 && options.examinee[0] == '#' &&
                          std::all_of(options.examinee.begin() + 1, options.examinee.end(),
                                      [](char c) { return c >= '0' && c <= '9'; });
    if (!fileCode) {
        options.error = options.examinee;
        return options;
    }
    options.exam = core::strToIntDef(positional[1], 0);
    if (options.exam < 1 || options.exam > core::kMaxExamsPerExaminee) options.error = positional[1];
    return options;
}

int runScoreCommand(const ScoreOptions& options, const fs::path& home, std::ostream& out, std::ostream& err) {
    try {
        core::Settings settings(home);
        settings.load();
        const core::StringTable strings;
        const core::Texts texts(strings, settings);
        const fs::path folder = core::resolvePath(home, "DAT\\" + options.examinee);
        if (!fs::is_directory(folder)) {
            err << core::formatText(texts(txt::ScoreNoExaminee), {options.examinee}) << "\n";
            return kScoreUnreadable;
        }
        const std::string number = core::examStem(options.exam).substr(5);
        const std::vector<core::TExam> exams = core::loadExamList(folder, settings);
        const auto exam = std::find_if(exams.begin(), exams.end(), [&](const core::TExam& e) { return e.number == number; });
        if (exam == exams.end() || exam->chartCount == 0) {
            err << core::formatText(texts(txt::ExamNoCharts), {number}) << "\n";
            return kScoreUnreadable;
        }

        ScoringWorkspace workspace;
        workspace.allocateLazily();
        StreamScoringView view(err);
        const ScoreResult result =
            ScoreExam(workspace, settings, texts, examFiles(folder, options.exam, exam->chartCount), view);
        if (result.duplicate) {
            if (options.json) {
                out << "{\"error\":\"duplicate\",\"chart\":" << result.duplicate->chart
                    << ",\"question\":" << result.duplicate->question << "}\n";
            }
            return kScoreDuplicate;
        }

        DecisionView decision(workspace, settings, strings);
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
            out << scoreJson(workspace, decision, settings, options.examinee, options.exam) << "\n";
        } else {
            out << scoreText(workspace, decision, settings.language());
        }
        return kScoreOk;
    } catch (const std::exception& error) {
        err << error.what() << "\n";
        return kScoreUnreadable;
    }
}

}  // namespace lumo::scoring
