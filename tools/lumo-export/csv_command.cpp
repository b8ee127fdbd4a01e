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

#include "export_arguments.h"

namespace lumo::tools {

namespace {

constexpr int kCsvFailed = 2;
constexpr const char* kCsvUsage = "usage: lumo-export csv [--home DIR] CODE NN [--features] [-o FILE] [--force]";

struct CsvOptions {
    ExportArguments words;
    std::string examinee;
    int exam = 0;
    std::string error;  // the argument that makes no sense
};

CsvOptions parseCsvOptions(const std::vector<std::string>& args) {
    CsvOptions options;
    options.words = readExportArguments(args, {"--features"});
    options.error = options.words.error;
    if (options.error.empty()) {
        options.error = scoring::parseExamArguments(options.words.positional, options.examinee, options.exam);
    }
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
    const std::optional<std::filesystem::path>& output = options.words.output;
    if (output && !options.words.force && std::filesystem::exists(*output)) {
        err << "lumo-export csv: " << output->string() << " exists (--force overwrites it)\n";
        return kCsvFailed;
    }

    const core::DataHomeChoice home = core::chooseDataHome(core::processDataHomeSources(options.words.home));
    scoring::HomeExamScoring scoring(home.path);
    // A duplicated question leaves nothing to export: the warning says which.
    if (scoring.score(options.examinee, options.exam, err) != scoring::kScoreOk) return kCsvFailed;
    try {
        std::string csv;
        if (options.words.has("--features")) {
            csv = scoring::rowFeaturesCsv(scoring.workspace());
        } else {
            scoring::DecisionView view(scoring.workspace(), scoring.settings(), scoring.strings());
            view.computeQuestionScores();
            view.showDecision();
            csv = scoring::questionResultsCsv(scoring.workspace(), view, scoring.settings());
        }
        if (output) {
            core::writeFileAtomically(*output, csv);
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
