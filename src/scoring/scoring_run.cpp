#include "scoring/scoring_run.h"

#include <algorithm>
#include <exception>
#include <memory>

#include "core/errors.h"
#include "core/exam_list.h"
#include "core/paths.h"
#include "core/question_set.h"
#include "core/settings.h"
#include "core/text_format.h"
#include "core/texts/scoring.h"
#include "core/workstation.h"
#include "formats/results_table.h"
#include "scoring/features.h"
#include "scoring/workspace.h"

namespace lumo::scoring {

namespace fs = std::filesystem;

namespace {

std::string twoDigits(int number) {
    return (number < 10 ? "0" : "") + std::to_string(number);
}

void clearChart(ScoringWorkspace& workspace, int chart) {
    ChartHeader& header = workspace.chart(chart);
    header.rowCount = 0;
    header.date.clear();
    header.started.clear();
    header.finished.clear();
    header.questionTime = 0;
    header.duration = 0;
}

// Every results table of the exam, read once for the duplicate check and the
// loading; a table that cannot be read keeps its error for the loading.
struct LoadedTable {
    std::unique_ptr<formats::TQtFile> table;
    std::string error;
};

std::vector<LoadedTable> loadTables(const ExamFiles& files, const core::TQstTest& questions) {
    std::vector<LoadedTable> tables(files.tables.size());
    for (std::size_t index = 0; index < files.tables.size(); ++index) {
        auto table = std::make_unique<formats::TQtFile>(questions);
        try {
            table->LoadFromFile(files.tables[index]);
            tables[index].table = std::move(table);
        } catch (const std::exception& error) {
            tables[index].error = error.what();
        }
    }
    return tables;
}

// Missing and unreadable tables are passed over here; loading reports them.
std::optional<DuplicateQuestion> firstDuplicate(const std::vector<LoadedTable>& tables) {
    QuestionPositions positions;
    for (std::size_t index = 0; index < tables.size(); ++index) {
        const formats::TQtFile* table = tables[index].table.get();
        if (table == nullptr) continue;
        const int chart = static_cast<int>(index) + 1;
        for (int row = 1; row <= table->RowCount(); ++row) {
            if (table->IsExcluded(row)) continue;
            if (!positions.enter(table->QuestionNumber(row), chart, row)) {
                return DuplicateQuestion{chart, table->QuestionNumber(row), table->QuestionSign(row)};
            }
        }
    }
    return std::nullopt;
}

void storeResultsTable(ScoringWorkspace& workspace, const core::Texts& texts, const formats::TQtFile& table,
                       const fs::path& fileName, int chart) {
    for (int i = 1; i <= table.RowCount(); ++i) {
        const int question = table.QuestionNumber(i);
        if (!table.IsExcluded(i) && (question < 1 || question > core::kMaxQuestions)) {
            throw EInOutError(core::formatText(texts(txt::TableBadQuestion),
                                               {fileName.string(), static_cast<long long>(i),
                                                static_cast<long long>(question)}));
        }
    }

    ChartHeader& header = workspace.chart(chart);
    header.date = table.date;
    header.started = table.started;
    header.finished = table.finished;
    header.questionTime = static_cast<std::int16_t>(table.questionTime);
    header.duration = static_cast<std::int16_t>(table.duration);
    FeatureTable& features = workspace.features();
    int kept = 0;
    for (int i = 1; i <= table.RowCount(); ++i) {
        if (table.IsExcluded(i)) continue;
        const int r = ++kept;
        RowInfo& row = workspace.row(chart, r);
        row.question = table.QuestionNumber(i);
        row.mark = table.RowMark(i);
        row.onset = table.Onset(i);
        for (int f = 1; f <= kFeatureCount; ++f) features(chart, r, f) = table.FeatureInput(i, f);
        features(chart, r, kTotalSlot) = 0;
        for (int slot = 0; slot < kFeatureIndices; ++slot) {
            workspace.flag(chart, r, slot) =
                slot >= 1 && slot <= kSignalSlots ? static_cast<std::int16_t>(table.Flag(i, slot)) : 0;
        }
        double readings = 0;
        for (int e = 1; e <= formats::kReadingEntries; ++e) readings += table.Reading(i, e);
        row.meanReading = readings / formats::kReadingEntries;
    }
    header.rowCount = kept;
    double trailing = 0;
    for (int e = 1; e <= formats::kReadingEntries; ++e) trailing += table.Reading(table.RowCount() + 1, e);
    workspace.row(chart, kept + 1).meanReading = trailing / formats::kReadingEntries;
}

}  // namespace

ExamFiles examFiles(const fs::path& examineeFolder, int examNumber, int chartCount) {
    const std::string stem = core::examStem(examNumber) + ".";
    ExamFiles files;
    files.questionSet = core::resolvePath(examineeFolder, stem + "qs_");
    for (int k = 1; k <= chartCount; ++k) {
        files.charts.push_back(core::resolvePath(examineeFolder, stem + "ch" + std::to_string(k)));
        files.tables.push_back(core::resolvePath(examineeFolder, stem + "qt" + std::to_string(k)));
    }
    return files;
}

std::optional<DuplicateQuestion> findDuplicateQuestion(const ExamFiles& files, const core::TQstTest& questions) {
    return firstDuplicate(loadTables(files, questions));
}

void LoadQuestionSet(ScoringWorkspace& workspace, const core::TQstTest& questions) {
    ExamInfo& exam = workspace.exam();
    exam.examinee = questions.examineeName;
    exam.operatorName = questions.operatorName;
    exam.method = questions.method;
    exam.questionCount = std::min(questions.questionCount(), core::kMaxQuestions);
    exam.examMark = questions.examMark;
    exam.date = questions.date;
    for (int i = 1; i <= core::kMaxQuestions; ++i) {
        QuestionInfo& info = exam.questions[static_cast<std::size_t>(i)];
        if (i > exam.questionCount) {
            info = QuestionInfo{};
            continue;
        }
        const core::TQsHandle& question = questions.question(i);
        info = {question.sign, question.answer, question.text(), question.reserved};
    }
}

void LoadResultsTable(ScoringWorkspace& workspace, const core::Texts& texts, const fs::path& fileName, int chart,
                      const core::TQstTest& questions) {
    formats::TQtFile table(questions);
    table.LoadFromFile(fileName);
    storeResultsTable(workspace, texts, table, fileName, chart);
}

void SaveResultsTable(const ScoringWorkspace& workspace, const fs::path& fileName, int chart,
                      const core::TQstTest& questions) {
    formats::TQtFile table(questions);
    table.LoadFromFile(fileName);
    const int rows = workspace.chart(chart).rowCount;
    int kept = 0;
    for (int i = 1; i <= table.RowCount() && kept < rows; ++i) {
        if (table.IsExcluded(i)) continue;
        const int r = ++kept;
        for (int f = 1; f <= kFeatureCount; ++f) table.SetSavedFeature(i, f, workspace.features()(chart, r, f));
        for (int slot = 1; slot <= kSignalSlots; ++slot) table.SetFlag(i, slot, workspace.flag(chart, r, slot));
    }
    table.SaveToFile(fileName);
}

ScoreResult ScoreExam(ScoringWorkspace& workspace, const core::Settings& settings, const core::Texts& texts,
                      const ExamFiles& files, ScoringView& view) {
    ScoreResult result;
    const int charts = std::min(static_cast<int>(files.charts.size()), core::kMaxChartsPerExam);
    const int questionTime = settings.list().integer("QuestionTime");
    const core::TQstTest questions(files.questionSet, core::kExamTypeCounters, core::QuestionTypes(settings));
    const std::vector<LoadedTable> tables = loadTables(files, questions);
    result.duplicate = firstDuplicate(tables);
    if (result.duplicate) {
        const DuplicateQuestion& d = *result.duplicate;
        view.showWarning(core::formatText(texts(txt::DuplicatedQuestion),
                                          {static_cast<long long>(d.chart), static_cast<long long>(d.question), d.sign}));
        return result;
    }

    LoadQuestionSet(workspace, questions);
    workspace.signalSlots = kSignalSlots;
    workspace.fs = 32.0;
    LoadChannelSettings(workspace, settings);
    workspace.chartCount = charts;
    for (int chart = 1; chart <= charts; ++chart) {
        const fs::path& file = files.tables[static_cast<std::size_t>(chart - 1)];
        const LoadedTable& loaded = tables[static_cast<std::size_t>(chart - 1)];
        bool failed = !loaded.table;
        std::string error = loaded.error;
        if (!failed) {
            try {
                storeResultsTable(workspace, texts, *loaded.table, file, chart);
            } catch (const std::exception& failure) {
                failed = true;
                error = failure.what();
            }
        }
        if (failed) {
            // The chart goes on without rows rather than with an earlier exam's.
            clearChart(workspace, chart);
            view.showError(file.string() + "\n" + error);
        }
    }
    for (int chart = 1; chart <= charts; ++chart) {
        for (int r = 1; r <= workspace.chart(chart).rowCount; ++r) {
            RowInfo& row = workspace.row(chart, r);
            const QuestionInfo blank;
            const QuestionInfo& info = row.question >= 1 && row.question <= workspace.exam().questionCount
                                           ? workspace.exam().questions[static_cast<std::size_t>(row.question)]
                                           : blank;
            row.sign = info.sign;
            row.answer = info.answer;
            row.text = info.text;
            row.reserved = info.reserved;
        }
    }

    // LoadCharts, MarkArtefactQuestions and ProcessExam, with each chart
    // normalised and extracted straight after it is loaded, while its samples
    // are still in the processor's cache. Extraction reads nothing of later
    // charts, and its alarms are shown only once every chart has loaded, as
    // when the steps run one after the other: a chart that cannot be read
    // still ends the run before any alarm.
    ChartLoader loader(workspace, settings, texts);
    int alarms = 0;
    for (int chart = 1; chart <= charts; ++chart) {
        loader.load(files.charts[static_cast<std::size_t>(chart - 1)], chart);
        ProcessChart(workspace, chart, [&alarms] { ++alarms; });
    }
    MarkArtefactQuestions(workspace, charts, questionTime);
    for (int alarm = 0; alarm < alarms; ++alarm) view.showError(texts(txt::SpectrumError));
    FinishExam(workspace);
    result.success = true;
    return result;
}

ExamFiles currentExamFiles(const core::Workstation& workstation) {
    const core::CurrentExaminee& current = workstation.records().current();
    const std::string number = twoDigits(current.examNumber);
    const auto exam = std::find_if(current.exams.begin(), current.exams.end(),
                                   [&number](const core::TExam& e) { return e.number == number; });
    if (!current.isSet() || exam == current.exams.end() || exam->chartCount == 0) {
        throw LumoError(core::formatText(workstation.texts()(txt::ExamNoCharts), {number}));
    }
    return examFiles(workstation.records().examineeFolder(current.record.fileCode), current.examNumber,
                     exam->chartCount);
}

ScoreResult ScoreExam(ScoringWorkspace& workspace, core::Workstation& workstation, ScoringView& view) {
    return ScoreExam(workspace, workstation.settings(), workstation.texts(), currentExamFiles(workstation), view);
}

}  // namespace lumo::scoring
