#include "demo/demo.h"

#include <algorithm>
#include <ostream>

#include "core/clock.h"
#include "core/errors.h"
#include "core/exam_list.h"
#include "core/examinee.h"
#include "core/paths.h"
#include "core/question_set.h"
#include "core/template_conversion.h"
#include "core/text_format.h"
#include "core/texts/recording.h"
#include "core/workstation.h"
#include "device/simulated_link.h"
#include "demo/demo_autopilot.h"
#include "scoring/decision_view.h"
#include "scoring/score_report.h"
#include "scoring/scoring_run.h"
#include "scoring/workspace.h"

namespace lumo::demo {

namespace fs = std::filesystem;

namespace {

// THEFT.QS1 when the home has it, else the first template of method 1.
fs::path methodOneTemplate(const fs::path& home) {
    const fs::path folder = core::resolvePath(home, "QST");
    const fs::path theft = core::resolvePath(folder, "THEFT.QS1");
    if (fs::is_regular_file(theft)) return theft;
    for (const std::string& name : core::findEntries(folder, "*.QS1")) {
        if (fs::is_regular_file(folder / name)) return folder / name;
    }
    return {};
}

std::string freeFileCode(const core::Records& records) {
    for (int ordinal = 1;; ++ordinal) {
        const std::string code = core::examineeFileCode(ordinal);
        if (records.examinees().indexOf(code) < 0 && !fs::exists(records.examineeFolder(code))) return code;
    }
}

}  // namespace

DemoResult runDemo(const DemoOptions& options, const fs::path& home, std::ostream& out, std::ostream& err) {
    DemoResult result;
    try {
        core::Workstation workstation(home, std::make_unique<core::SystemClock>());
        workstation.initialise();
        const core::Texts& texts = workstation.texts();
        out << core::formatText(texts(txt::DemoHome), {home.string()}) << "\n";

        const fs::path templateFile = methodOneTemplate(home);
        if (templateFile.empty()) {
            err << core::formatText(texts(txt::DemoTemplateMissing), {core::resolvePath(home, "QST").string()}) << "\n";
            return result;
        }
        core::Records& records = workstation.records();
        core::TSubj subject;
        subject.fileCode = freeFileCode(records);
        subject.name = texts(txt::DemoExamineeName);
        if (!records.operators().empty()) subject.operatorName = records.operators().users().front().name;
        subject.date = core::formatDate(workstation.clock().today());
        if (!records.saveExaminee(subject)) throw EInOutError(records.examineeFolder(subject.fileCode).string());
        result.examinee = subject.fileCode;
        const fs::path folder = records.examineeFolder(subject.fileCode);
        const fs::path examFile = folder / core::examFileName(1);
        core::buildExamFromTemplate(templateFile, examFile, templateFile.stem().string(), subject,
                                    workstation.clock().today(), core::QuestionTypes(workstation.settings()));
        records.reloadExams();
        out << core::formatText(texts(txt::DemoExam),
                                {subject.fileCode, core::examStem(1), templateFile.filename().string(),
                                 texts(options.deceptive ? txt::DemoDeceptive : txt::DemoTruthful)})
            << "\n";

        const int charts = std::clamp(options.charts, 1, core::kMaxChartsPerExam);
        for (int chart = 1; chart <= charts; ++chart) {
            device::SimulatedUnitOptions unit;
            unit.scenario = options.deceptive ? device::Scenario::deceptive() : device::Scenario::truthful();
            unit.seed = options.seed + static_cast<std::uint32_t>(chart) * 7919u;
            device::SimulatedLink link(unit);
            const AutopilotChart recorded = recordChart(workstation, link, {examFile, 1, chart});
            if (!recorded.saved) {
                err << core::formatText(texts(txt::DemoChartFailed), {static_cast<long long>(chart), recorded.problem})
                    << "\n";
                return result;
            }
            ++result.chartsSaved;
            out << core::formatText(texts(txt::DemoChartSaved),
                                    {static_cast<long long>(chart), static_cast<long long>(recorded.presentations),
                                     static_cast<long long>(recorded.seconds)})
                << "\n";
        }
        records.reloadExams();

        scoring::ScoringWorkspace workspace;
        workspace.allocateLazily();
        scoring::StreamScoringView scoringView(err);
        const scoring::ScoreResult scored =
            scoring::ScoreExam(workspace, workstation.settings(), texts, scoring::examFiles(folder, 1, charts), scoringView);
        if (!scored.success) return result;
        scoring::DecisionView decision(workspace, workstation.settings(), workstation.strings());
        decision.computeQuestionScores();
        decision.showDecision();
        out << scoring::scoreText(workspace, decision, workstation.settings().language());
        const scoring::Conclusion conclusion = decision.conclusion(workstation.settings().language());
        result.hasConclusion = conclusion.hasScore;
        result.mean = conclusion.mean;
        result.conclusion = conclusion.text;
        if (conclusion.hasScore) {
            out << core::formatText(texts(txt::DemoConclusion), {conclusion.text}) << "\n";
        } else {
            out << texts(txt::DemoNoConclusion) << "\n";
        }
        result.exitCode = 0;
    } catch (const std::exception& error) {
        err << error.what() << "\n";
        result.exitCode = 1;
    }
    return result;
}

}  // namespace lumo::demo
