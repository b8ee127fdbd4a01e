#include "authoring/exam_commands.h"

#include <system_error>

#include "authoring/exam_files.h"
#include "core/cp1251.h"
#include "core/errors.h"
#include "core/exam_list.h"
#include "core/paths.h"
#include "core/question_set.h"
#include "core/template_conversion.h"
#include "core/texts/authoring.h"
#include "core/texts/core.h"
#include "core/workstation.h"
#include "recording/next_chart.h"

namespace lumo::authoring {

namespace fs = std::filesystem;

namespace {

// Reads the record and the exams afresh, as after every command that changed them.
void makeCurrentAgain(core::Workstation& ws) {
    core::Records& records = ws.records();
    const core::TSubj subject = records.current().record;
    const int position = records.examinees().indexOf(subject.fileCode);
    records.makeCurrent(position >= 0 ? records.examinees().at(static_cast<std::size_t>(position)) : subject);
}

bool hasChartFiles(const core::Workstation& ws, int examNumber) {
    const fs::path folder = ws.records().examineeFolder(ws.records().current().record.fileCode);
    return !core::findEntries(folder, core::examStem(examNumber) + ".ch?").empty();
}

}  // namespace

int prepareExam(core::Workstation& ws, const fs::path& templateFile, const std::string& mark,
                const ExamCommandFlow& flow) {
    core::CurrentExaminee& current = ws.records().current();
    if (!current.isSet() || templateFile.empty()) return 0;
    const int number = nextExamNumber(current.exams);
    if (number == 0) throw EListError(ws.texts()(txt::ExamNumbersExhausted));
    const fs::path examFile = currentExamFile(ws, number);
    core::buildExamFromTemplate(templateFile, examFile, core::leftChars(mark, core::kQuestionTextPart), current.record,
                                ws.clock().today(), core::QuestionTypes(ws.settings()));
    bool saved = false;
    try {
        saved = flow.editExam(examFile, true);
    } catch (...) {
        std::error_code ec;
        fs::remove(examFile, ec);
        throw;
    }
    if (!saved) {
        std::error_code ec;
        fs::remove(examFile, ec);
        makeCurrentAgain(ws);
        return 0;
    }
    ws.records().current().examNumber = number;
    ws.records().current().chart = 0;
    ws.records().setChosenOrder(1);
    makeCurrentAgain(ws);
    return number;
}

void editCurrentExam(core::Workstation& ws, const ExamCommandFlow& flow) {
    const core::TExam* exam = ws.records().current().currentExam();
    if (exam == nullptr) return;
    const int number = ws.records().current().examNumber;
    const bool structure = exam->chartCount == 0 && !hasChartFiles(ws, number);
    try {
        flow.editExam(currentExamFile(ws, number), structure);
    } catch (...) {
        makeCurrentAgain(ws);
        throw;
    }
    makeCurrentAgain(ws);
}

void deleteCurrentExam(core::Workstation& ws, const ExamCommandFlow& flow) {
    const int number = ws.records().current().examNumber;
    if (ws.records().current().currentExam() == nullptr) return;
    if (!flow.confirm(ws.texts()(txt::CmdDeleteExamConfirm))) return;
    ws.records().current().examNumber = 0;
    ws.records().current().chart = 0;
    removeExam(ws, number);
}

void convertCurrentExam(core::Workstation& ws, const ExamCommandFlow& flow) {
    const int number = ws.records().current().examNumber;
    if (ws.records().current().currentExam() == nullptr) return;
    TemplateExportSteps steps;
    steps.askName = flow.askTemplateName;
    steps.confirm = flow.confirm;
    exportExamToTemplate(ws, currentExamFile(ws, number), core::examStem(number), steps);
}

void testExam(core::Workstation& ws, int examNumber, const ExamCommandFlow& flow) {
    core::CurrentExaminee& current = ws.records().current();
    current.examNumber = examNumber;
    recording::NextChartSteps chart;
    chart.refuse = [&] { flow.warn(ws.texts()(txt::CmdNoMoreCharts)); };
    chart.runTest = flow.runTest;
    recording::examineNextChart(ws.records(), ws.records().chosenOrder(), chart);
}

}  // namespace lumo::authoring
