#include "edf_command.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <optional>
#include <ostream>

#include "core/data_home.h"
#include "core/exam_list.h"
#include "core/examinee.h"
#include "core/numbers.h"
#include "core/paths.h"
#include "core/settings.h"
#include "formats/chart_export.h"
#include "scoring/scoring_run.h"

#include "export_arguments.h"

namespace lumo::tools {

namespace fs = std::filesystem;

namespace {

constexpr int kUsage = 1;
constexpr int kFailed = 2;

struct EdfOptions {
    std::optional<std::string> home;
    std::string examinee;
    int exam = 0;
    int chart = 0;
    bool all = false;
    std::optional<fs::path> output;
    bool withNames = false;
    bool force = false;
    std::string error;
};

EdfOptions parseOptions(const std::vector<std::string>& args) {
    const ExportArguments words = readExportArguments(args, {"--all", "--with-names"});
    EdfOptions options{words.home, {}, 0, 0, words.has("--all"), words.output, words.has("--with-names"), words.force,
                       words.error};
    if (!options.error.empty()) return options;
    const std::vector<std::string>& positional = words.positional;
    if (positional.size() != (options.all ? 1u : 3u)) {
        options.error = options.all ? "CODE --all" : "CODE NN K";
        return options;
    }
    options.examinee = core::fileCodeFromArgument(positional[0]);
    if (!core::looksLikeFileCode(options.examinee)) options.error = positional[0];
    if (options.all) return options;
    options.exam = core::strToIntDef(positional[1], 0);
    options.chart = core::strToIntDef(positional[2], 0);
    if (options.exam < 1 || options.exam > core::kMaxExamsPerExaminee) options.error = positional[1];
    else if (options.chart < 1 || options.chart > core::kMaxChartsPerExam) options.error = positional[2];
    return options;
}

class ChartExporter {
public:
    ChartExporter(const EdfOptions& options, const fs::path& home, std::ostream& out, std::ostream& err)
        : options_(options), settings_(home), out_(out), err_(err) {
        settings_.load();
        folder_ = core::resolvePath(home, "DAT\\" + options.examinee);
    }

    int run() {
        if (!fs::is_directory(folder_)) return fail("Examinee " + options_.examinee + " not found");
        if (options_.withNames) name_ = core::readSubjectFile(folder_ / "subject.dat", options_.examinee).name;
        const std::vector<core::TExam> exams = core::loadExamList(folder_, settings_);
        if (!options_.all) {
            const core::TExam* exam = findExam(exams, options_.exam);
            if (exam == nullptr || options_.chart > exam->chartCount)
                return fail("Exam " + core::examStem(options_.exam) + " has no chart " + std::to_string(options_.chart));
            return exportChart(*exam, options_.chart, options_.output);
        }
        int status = 0;
        for (const core::TExam& exam : exams) {
            for (int chart = 1; chart <= exam.chartCount; ++chart) {
                const fs::path folder = options_.output.value_or(fs::path("."));
                status = std::max(status, exportChart(exam, chart, folder / fileName(examNumber(exam), chart)));
            }
        }
        return status;
    }

private:
    static int examNumber(const core::TExam& exam) { return core::strToIntDef(exam.number, 0); }

    static const core::TExam* findExam(const std::vector<core::TExam>& exams, int number) {
        const auto found = std::find_if(exams.begin(), exams.end(),
                                        [number](const core::TExam& e) { return examNumber(e) == number; });
        return found == exams.end() ? nullptr : &*found;
    }

    std::string fileName(int exam, int chart) const {
        return formats::chartExportFileName({options_.examinee, {}, exam, chart});
    }

    int fail(const std::string& message) {
        err_ << message << "\n";
        return kFailed;
    }

    int exportChart(const core::TExam& exam, int chart, const std::optional<fs::path>& target) {
        const int number = examNumber(exam);
        const scoring::ExamFiles files = scoring::examFiles(folder_, number, exam.chartCount);
        const fs::path& chartFile = files.charts[static_cast<std::size_t>(chart - 1)];
        const fs::path file = target.value_or(fs::path(fileName(number, chart)));
        try {
            const formats::ChartIdentity identity{options_.examinee, name_, number, chart};
            formats::exportChartAsEdf({files.questionSet, files.tables[static_cast<std::size_t>(chart - 1)], chartFile},
                                      settings_, identity, file, options_.force);
        } catch (const std::exception& error) {
            return fail("Chart " + chartFile.string() + " not exported: " + error.what());
        }
        out_ << file.string() << "\n";
        return 0;
    }

    const EdfOptions& options_;
    core::Settings settings_;
    std::ostream& out_;
    std::ostream& err_;
    fs::path folder_;
    std::string name_;
};

}  // namespace

std::string edfUsage() {
    return "Usage: lumo-export edf [--home DIR] CODE NN K [-o FILE] [--with-names] [--force]\n"
           "       lumo-export edf [--home DIR] CODE --all [-o FOLDER] [--with-names] [--force]";
}

int runEdfCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const EdfOptions options = parseOptions(args);
    if (!options.error.empty()) {
        err << "Bad argument: " << options.error << "\n" << edfUsage() << "\n";
        return kUsage;
    }
    try {
        const core::DataHomeChoice home = core::chooseDataHome(core::processDataHomeSources(options.home));
        return ChartExporter(options, home.path, out, err).run();
    } catch (const std::exception& error) {
        err << error.what() << "\n";
        return kFailed;
    }
}

}  // namespace lumo::tools
