#include "csv_command.h"

#include <exception>
#include <filesystem>
#include <optional>
#include <ostream>

#include "core/atomic_file.h"
#include "core/data_home.h"
#include "scoring/decision_view.h"
#include "scoring/home_exam_scoring.h"
#include "scoring/results_csv.h"
#include "scoring/score_command.h"

namespace lumo::tools {

namespace {

constexpr int kCsvFailed = 2;
constexpr const char* kCsvUsage = "usage: lumo-export csv [--home DIR] CODE NN [--features] [-o FILE] [--force]";

struct CsvOptions {
    std::optional<std::string> home;
    std::string examinee;
    int exam = 0;
    bool features = false;
    std::optional<std::filesystem::path> output;
    bool force = false;
    std::string error;  // the argument that makes no sense
};

CsvOptions parseCsvOptions(const std::vector<std::string>& args) {
    CsvOptions options;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size() && options.error.empty(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--features") {
            options.features = true;
        } else if (arg == "--force") {
            options.force = true;
        } else if (arg == "--home" || arg == "-o") {
            if (i + 1 == args.size()) {
                options.error = arg;
            } else if (arg == "--home") {
                options.home = args[++i];
            } else {
                options.output = args[++i];
            }
        } else if (arg.size() > 1 && arg[0] == '-') {
            options.error = arg;
        } else {
            positional.push_back(arg);
        }
    }
    if (options.error.empty()) options.error = scoring::parseExamArguments(positional, options.examinee, options.exam);
    return options;
}

}  // namespace

int runCsvCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const CsvOptions options = parseCsvOptions(args);
    if (!options.error.empty()) {
        err << "lumo-export csv: invalid argument: " << options.error << "\n" << kCsvUsage << "\n";
        return kCsvFailed;
    }
    // Checked before scoring, so that a refused file costs no run.
    if (options.output && !options.force && std::filesystem::exists(*options.output)) {
        err << "lumo-export csv: " << options.output->string() << " exists (--force overwrites it)\n";
        return kCsvFailed;
    }

    const core::DataHomeChoice home = core::chooseDataHome(core::processDataHomeSources(options.home));
    scoring::HomeExamScoring scoring(home.path);
    // A duplicated question leaves nothing to export: the warning says which.
    if (scoring.score(options.examinee, options.exam, err) != scoring::kScoreOk) return kCsvFailed;
    try {
        std::string csv;
        if (options.features) {
            csv = scoring::rowFeaturesCsv(scoring.workspace());
        } else {
            scoring::DecisionView view(scoring.workspace(), scoring.settings(), scoring.strings());
            view.computeQuestionScores();
            view.showDecision();
            csv = scoring::questionResultsCsv(scoring.workspace(), view, scoring.settings());
        }
        if (options.output) {
            core::writeFileAtomically(*options.output, csv);
        } else {
            out << csv;
        }
        return 0;
    } catch (const std::exception& error) {
        err << error.what() << "\n";
        return kCsvFailed;
    }
}

}  // namespace lumo::tools
