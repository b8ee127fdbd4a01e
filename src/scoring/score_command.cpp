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
#include "core/paths.h"
#include "core/text_format.h"
#include "scoring/decision_view.h"
#include "scoring/hand_score_exam.h"
#include "scoring/hand_score_report.h"
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
    const core::StringTable strings;
    return std::string(strings.text(txt::ScoreUsage, core::Language::English)) + "\n" +
           std::string(strings.text(txt::ScoreHandUsage, core::Language::English));
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
    std::string probability;  // the first probability given: no sense with --hand
    std::string table;        // --table given: sense only with --hand
    for (std::size_t i = 0; i < arguments.size() && options.error.empty(); ++i) {
        const std::string& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        auto fail = [&options, &argument] { options.error = argument; };
        if (argument == "--json") {
            options.json = true;
        } else if (argument == "--hand") {
            options.hand = true;
        } else if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else if (argument == "--home" || argument == "--charts" || argument == "--prior" || argument == "--fp" ||
                   argument == "--fm" || argument == "--table") {
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
            if (argument == "--table") {
                ok = value == "backster" || value == "matte";
                options.matte = value == "matte";
                table = argument;
            }
            if (probability.empty() && (argument == "--prior" || argument == "--fp" || argument == "--fm")) {
                probability = argument;
            }
            if (!ok) options.error = argument + " " + value;
        } else if (argument.rfind("--", 0) == 0) {
            fail();
        } else {
            positional.push_back(argument);
        }
    }
    if (options.help || !options.error.empty()) return options;
    if (options.hand && !probability.empty()) {
        options.error = probability;
        return options;
    }
    if (!options.hand && !table.empty()) {
        options.error = table;
        return options;
    }
    options.error = parseExamArguments(positional, options.examinee, options.exam);
    return options;
}

namespace {

// The hand-score decision of the exam; nothing is written.
int runHandScoreCommand(const ScoreOptions& options, const fs::path& home, std::ostream& out, std::ostream& err) {
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
        HandScoreExam exam(folder / core::examStem(options.exam), settings);
        HandScoreDecision& decision = exam.decision();
        if (const auto& duplicate = decision.duplicate()) {
            err << core::formatText(texts(txt::DuplicatedQuestion), {duplicate->chart, duplicate->question, duplicate->sign})
                << "\n";
            if (options.json) {
                out << "{\"error\":\"duplicate\",\"chart\":" << duplicate->chart
                    << ",\"question\":" << duplicate->question << "}\n";
            }
            return kScoreDuplicate;
        }
        if (options.matte && !decision.tableTypeSelectable()) {
            err << core::formatText(texts(txt::ScoreMatteNeedsThree), {exam.stemName().substr(5)}) << "\n";
            return kScoreUnreadable;
        }
        decision.tableType = options.matte ? DecisionTableType::Matte : DecisionTableType::Backster;
        if (!options.charts.empty()) {
            for (int chart = 1; chart <= 9; ++chart) {
                decision.setInvolved(chart, std::find(options.charts.begin(), options.charts.end(), chart) !=
                                                options.charts.end());
            }
        }
        decision.recompute();
        if (options.json) {
            out << handScoreJson(exam, options.examinee, options.exam) << "\n";
        } else {
            out << handScoreText(exam, settings);
        }
        return kScoreOk;
    } catch (const std::exception& error) {
        err << error.what() << "\n";
        return kScoreUnreadable;
    }
}

}  // namespace

int runScoreCommand(const ScoreOptions& options, const fs::path& home, std::ostream& out, std::ostream& err) {
    if (options.hand) return runHandScoreCommand(options, home, out, err);
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
