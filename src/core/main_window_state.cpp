#include "core/main_window_state.h"

#include <algorithm>
#include <limits>
#include <system_error>

#include "core/cp1251.h"
#include "core/exam_list.h"
#include "core/paths.h"
#include "core/string_table.h"
#include "core/text_format.h"
#include "core/texts/core.h"
#include "core/workstation.h"

namespace lumo::core {

namespace fs = std::filesystem;

namespace {

// A chart file shorter than this is the stub of a test that never started.
constexpr std::uintmax_t kMinimalChartSize = 128;
// Beyond eight charts an exam has no room for another test.
constexpr int kChartsBeforeFull = 8;

int index(Command command) {
    return static_cast<int>(command);
}

std::string withoutAmpersand(std::string_view caption) {
    std::string result;
    for (char c : caption) {
        if (c != '&') result += c;
    }
    return result;
}

std::string twoDigits(int number) {
    return std::string(1, static_cast<char>('0' + number / 10 % 10)) + static_cast<char>('0' + number % 10);
}

bool isRegularFile(const fs::path& path, std::uintmax_t* size = nullptr) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) return false;
    if (size != nullptr) {
        *size = fs::file_size(path, ec);
        if (ec) return false;
    }
    return true;
}

// The string-table texts of a command: caption, "short|long" hint and the
// message of its error box (0 where there is none).
struct CommandTexts {
    int caption;
    int hint;
    int message;
};

CommandTexts commandTexts(Command command) {
    using namespace txt;
    switch (command) {
        case Command::ChooseExaminee: return {MainChooseExaminee, MainChooseExamineeHint, CmdNoResourcesExamineesList};
        case Command::NewExaminee: return {MainNewExaminee, MainNewExamineeHint, CmdNoResourcesNewExaminee};
        case Command::EditExaminee: return {MainEditExaminee, MainEditExamineeHint, CmdNoResourcesEditExaminee};
        case Command::ArchiveExaminee: return {MainArchiveNone, MainArchiveHint, CmdNoResourcesArchiver};
        case Command::ExamineeState: return {MainExamineeState, MainExamineeStateHint, CmdNoResourcesState};
        case Command::Exit: return {MainExit, MainExitHint, 0};
        // The editor is created first, so its message speaks for the command.
        case Command::NewTemplate: return {MainNewTemplate, MainNewTemplateHint, CmdNoResourcesTemplateEditor};
        case Command::EditTemplate: return {MainEditTemplate, MainEditTemplateHint, CmdNoResourcesTemplatesList};
        case Command::QuestionBase: return {MainQuestionBase, MainQuestionBaseHint, CmdNoResourcesQuestionBase};
        case Command::Test: return {MainMenuTest, MainTestHint, CmdNoResourcesExamsList};
        case Command::ChooseExam: return {MainChooseExam, MainChooseExamHint, CmdNoResourcesExamsList};
        case Command::AnalysePolygram: return {MainAnalysePolygram, MainAnalysePolygramHint, CmdNoResourcesPolygram};
        case Command::ComparePolygrams:
            return {MainComparePolygrams, MainComparePolygramsHint, CmdNoResourcesPolygrams};
        case Command::HandResults: return {MainHandResults, MainHandResultsHint, CmdNoResourcesExamResults};
        case Command::ExamResults: return {MainExamResults, MainExamResultsHint, 0};
        case Command::Operators: return {MainExaminersList, MainExaminersListHint, 0};
        case Command::SystemParameters:
            return {MainSystemParameters, MainSystemParametersHint, CmdNoResourcesSystemParameters};
        case Command::Crimes: return {MainCrimesList, MainCrimesListHint, CmdNoResourcesCrimesList};
        case Command::Calibrate: return {MainCalibrateUnit, MainCalibrateUnitHint, 0};
        case Command::HelpContents: return {MainHelpContents, 0, 0};
        case Command::HelpSearch: return {MainHelpSearch, 0, 0};
        case Command::HelpUsing: return {MainHelpUsing, 0, 0};
        case Command::About: return {MainAbout, 0, 0};
        case Command::EditSelectedTemplate: return {0, MainTemplateEditHint, CmdNoResourcesTemplateEditor};
        case Command::DeleteTemplate: return {0, MainTemplateDeleteHint, 0};
        case Command::PrepareExam: return {0, MainPrepareExamHint, CmdNoResourcesExamEditor};
        // Both run the test window.
        case Command::RunExam: return {0, MainExamineHint, CmdNoResourcesSummary};
        case Command::ChooseOrder: return {0, MainChooseOrderHint, CmdNoResourcesSummary};
        case Command::EditExam: return {0, MainExamEditHint, CmdNoResourcesExamEditor};
        case Command::EditOrder: return {0, MainEditOrderHint, 0};
        case Command::DeleteExam: return {0, MainExamDeleteHint, 0};
        case Command::ConvertToTemplate: return {0, MainConvertToTemplateHint, 0};
    }
    return {0, 0, 0};
}

int menuCaptionId(Menu menu) {
    switch (menu) {
        case Menu::Examinee: return txt::MainMenuExaminee;
        case Menu::Preparations: return txt::MainMenuPreparations;
        case Menu::Test: return txt::MainMenuTest;
        case Menu::Results: return txt::MainMenuResults;
        case Menu::System: return txt::MainMenuSystem;
        case Menu::Help: return txt::MainMenuHelp;
    }
    return 0;
}

int stripHeadingId(Strip strip) {
    switch (strip) {
        case Strip::Templates: return txt::MainTemplatesHeading;
        case Strip::Exams: return txt::MainExamsHeading;
        case Strip::Charts: return txt::MainChartsHeading;
    }
    return 0;
}

}  // namespace

MainWindowState::MainWindowState(Workstation& workstation) : ws_(workstation) {
    // The window itself shows the About box and closes.
    available_[index(Command::Exit)] = true;
    available_[index(Command::About)] = true;
}

std::string MainWindowState::text(int id) const {
    return id == 0 ? std::string() : ws_.texts()(id);
}

// --- the command set ---------------------------------------------------------

void MainWindowState::setAvailable(Command command, bool available) {
    available_[index(command)] = available;
}

bool MainWindowState::available(Command command) const {
    return available_[index(command)];
}

bool MainWindowState::examinable() const {
    const CurrentExaminee& current = ws_.records().current();
    return current.isSet() && !current.isArchived();
}

bool MainWindowState::chartCurrent() const {
    const CurrentExaminee& current = ws_.records().current();
    return examinable() && current.examNumber != 0 && current.chart != 0;
}

bool MainWindowState::anyFirstResultsTable() const {
    const CurrentExaminee& current = ws_.records().current();
    if (!current.isSet()) return false;
    const fs::path folder = ws_.records().examineeFolder(current.record.fileCode);
    return std::any_of(current.exams.begin(), current.exams.end(), [&folder](const TExam& exam) {
        return isRegularFile(resolvePath(folder, "exam_" + exam.number + ".qt1"));
    });
}

bool MainWindowState::enabled(Command command) const {
    if (!available(command) || !ws_.acceptsCommands()) return false;
    const Records& records = ws_.records();
    const CurrentExaminee& current = records.current();
    switch (command) {
        case Command::ChooseExaminee:
            return !records.examinees().empty();
        case Command::NewExaminee: {
            // A missing or malformed limit is reported by the command itself.
            const int limit = ws_.settings().list().integerOr("MaxSubj", std::numeric_limits<int>::max());
            return static_cast<long long>(records.examinees().size()) < limit;
        }
        case Command::EditExaminee:
        case Command::ArchiveExaminee:
            return current.isSet();
        case Command::Test:
            return examinable();
        case Command::ChooseExam:
            return examinable() && anyFirstResultsTable();
        case Command::AnalysePolygram:
        case Command::ComparePolygrams:
        case Command::HandResults:
        case Command::ExamResults:
            return chartCurrent();
        case Command::EditSelectedTemplate:
        case Command::DeleteTemplate:
            return templates_.selected >= 0;
        case Command::PrepareExam:
            return templates_.selected >= 0 && examinable() &&
                   static_cast<int>(current.exams.size()) < kMaxExamsPerExaminee;
        case Command::RunExam:
        case Command::ChooseOrder:
            return examinable() && exams_.selected >= 0 &&
                   static_cast<int>(charts_.tabs.size()) <= kChartsBeforeFull;
        case Command::EditExam:
        case Command::EditOrder:
        case Command::DeleteExam:
        case Command::ConvertToTemplate:
            return examinable() && exams_.selected >= 0;
        case Command::ExamineeState:
        case Command::Exit:
        case Command::NewTemplate:
        case Command::EditTemplate:
        case Command::QuestionBase:
        case Command::Operators:
        case Command::SystemParameters:
        case Command::Crimes:
        case Command::Calibrate:
        case Command::HelpContents:
        case Command::HelpSearch:
        case Command::HelpUsing:
        case Command::About:
            return true;
    }
    return false;
}

bool MainWindowState::menuEnabled(Menu menu) const {
    switch (menu) {
        case Menu::Test:
            return enabled(Command::Test);
        case Menu::Results:
            return examinable();
        default:
            // The "?" menu stays open for About; its help items follow the
            // help viewer's availability.
            return true;
    }
}

std::vector<Command> MainWindowState::menuItems(Menu menu) {
    switch (menu) {
        case Menu::Examinee:
            return {Command::ChooseExaminee, Command::NewExaminee,   Command::EditExaminee,
                    Command::ArchiveExaminee, Command::ExamineeState, Command::Exit};
        case Menu::Preparations:
            return {Command::NewTemplate, Command::EditTemplate, Command::QuestionBase};
        case Menu::Test:
            return {};
        case Menu::Results:
            return {Command::ChooseExam, Command::AnalysePolygram, Command::ComparePolygrams, Command::HandResults,
                    Command::ExamResults};
        case Menu::System:
            return {Command::Operators, Command::SystemParameters, Command::Crimes, Command::Calibrate};
        case Menu::Help:
            return {Command::HelpContents, Command::HelpSearch, Command::HelpUsing, Command::About};
    }
    return {};
}

std::vector<Command> MainWindowState::toolPage(int page) {
    switch (page) {
        case 0:
            return {Command::ChooseExaminee, Command::NewExaminee, Command::EditExaminee, Command::ArchiveExaminee,
                    Command::ExamineeState};
        case 1:
            return {Command::NewTemplate, Command::EditTemplate, Command::QuestionBase};
        case 2:
            return {Command::Operators, Command::SystemParameters, Command::Crimes, Command::Calibrate};
        default:
            return {};
    }
}

std::vector<Command> MainWindowState::stripCommands(Strip strip) {
    switch (strip) {
        case Strip::Templates:
            return {Command::EditSelectedTemplate, Command::DeleteTemplate, Command::PrepareExam};
        case Strip::Exams:
            return {Command::RunExam,     Command::EditExam,   Command::EditOrder,
                    Command::ChooseOrder, Command::DeleteExam, Command::ConvertToTemplate};
        case Strip::Charts:
            // sbScrollRes, sbScrollPar, sbQtView, sbScore
            return {Command::AnalysePolygram, Command::ComparePolygrams, Command::HandResults, Command::ExamResults};
    }
    return {};
}

// --- texts -------------------------------------------------------------------

std::string MainWindowState::menuCaption(Menu menu) const {
    return text(menuCaptionId(menu));
}

std::string MainWindowState::caption(Command command) const {
    if (command == Command::ArchiveExaminee) return archiveCaption();
    return text(commandTexts(command).caption);
}

std::string MainWindowState::hint(Command command) const {
    return text(commandTexts(command).hint);
}

std::string MainWindowState::shortHint(Command command) const {
    return std::string(core::shortHint(hint(command)));
}

std::string MainWindowState::longHint(Command command) const {
    return std::string(core::longHint(hint(command)));
}

std::string MainWindowState::archiveCaption() const {
    const CurrentExaminee& current = ws_.records().current();
    if (!current.isSet()) return text(txt::MainArchiveNone);
    return text(current.isArchived() ? txt::MainArchiveDecompress : txt::MainArchiveCompress);
}

std::string MainWindowState::toolPageName(int page) const {
    static constexpr Menu pageMenus[kToolPageCount] = {Menu::Examinee, Menu::Preparations, Menu::System};
    if (page < 0 || page >= kToolPageCount) return {};
    return withoutAmpersand(menuCaption(pageMenus[page]));
}

std::string MainWindowState::stripHeading(Strip strip) const {
    return text(stripHeadingId(strip));
}

std::string MainWindowState::logoText() const {
    return text(txt::MainLogo);
}

std::string MainWindowState::hintPanelLabel() const {
    return text(txt::MainHelpPanel);
}

std::string MainWindowState::versionLine() const {
    return text(txt::SplashVersion);
}

bool MainWindowState::cyrillicProductName() const {
    return ws_.texts().language() == Language::Russian;
}

std::string MainWindowState::exitConfirmation() const {
    return text(txt::ExitConfirm);
}

std::string MainWindowState::okCaption() const {
    return text(txt::ButtonOk);
}

std::string MainWindowState::cancelCaption() const {
    return text(txt::ButtonCancel);
}

std::string MainWindowState::applicationTitle() const {
    return text(txt::MainTitle);
}

std::string MainWindowState::commandMessage(Command command) const {
    return text(commandTexts(command).message);
}

std::string MainWindowState::errorText(Command command, std::string_view errorMessage, bool outOfResources) const {
    const std::string message = commandMessage(command);
    if (command == Command::PrepareExam || command == Command::EditExam) {
        // The exam editor's message speaks of resources only; any other error
        // speaks for itself.
        return outOfResources ? message : std::string(errorMessage);
    }
    if (message.empty()) return std::string(errorMessage);
    return message + "\n" + std::string(errorMessage);
}

std::string MainWindowState::errorText(const CommandStepError& error) const {
    return text(error.messageId()) + "\n" + error.what();
}

std::string MainWindowState::hintPanelText(std::string_view hint) {
    return std::string(core::longHint(hint));
}

// --- status ------------------------------------------------------------------

void MainWindowState::reloadExams() {
    ws_.records().reloadExams();
}

void MainWindowState::refreshStatus() {
    CurrentExaminee& current = ws_.records().current();
    if (examinable()) {
        rebuildExams();
        rebuildCharts();
    } else {
        // Neither an archived examinee nor an empty record has exams to show;
        // a stale strip of the previous examinee must not stay behind.
        exams_ = {};
        charts_ = {};
        examNumbers_.clear();
        chartNumbers_.clear();
    }
    rebuildTemplates();

    if (!current.isSet()) {
        caption_ = applicationTitle();
        return;
    }
    std::string where = current.record.fileCode;
    if (!current.isArchived() && current.examNumber != 0) {
        where += " / EXAM_" + twoDigits(current.examNumber);
        if (current.chart != 0) where += " / CHART_0" + std::to_string(current.chart);
    }
    caption_ = formatText(text(txt::MainCaptionExaminee), {where, current.record.name});
}

const StripView& MainWindowState::strip(Strip strip) const {
    switch (strip) {
        case Strip::Templates:
            return templates_;
        case Strip::Exams:
            return exams_;
        case Strip::Charts:
            return charts_;
    }
    return templates_;
}

void MainWindowState::rebuildTemplates() {
    const fs::path folder = resolvePath(ws_.home(), "QST");
    std::vector<std::string> names;
    for (const std::string& name : findEntries(folder, "*.qs?")) {
        const char method = name.back();
        if (method < '1' || method > '6') continue;  // method digits only: *.qs7 and the like are not templates
        if (!isRegularFile(folder / name)) continue;
        names.push_back(upperCase(name));
    }
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());

    // Keep the examiner's choice across refreshes when it is still there.
    const std::string previous = selectedTemplateFileName();
    templateFiles_ = std::move(names);
    templates_ = {};
    for (const std::string& name : templateFiles_) templates_.tabs.push_back(name.substr(0, name.find('.')));
    if (!templateFiles_.empty()) {
        const auto it = std::find(templateFiles_.begin(), templateFiles_.end(), previous);
        templates_.selected = it == templateFiles_.end() ? 0 : static_cast<int>(it - templateFiles_.begin());
    }
}

void MainWindowState::rebuildExams() {
    CurrentExaminee& current = ws_.records().current();
    exams_ = {};
    examNumbers_.clear();
    for (const TExam& exam : current.exams) {
        exams_.tabs.push_back(exam.mark + " (" + exam.number + ") ");
        examNumbers_.push_back(std::stoi(exam.number));
    }
    if (examNumbers_.empty()) {
        current.examNumber = 0;
        current.chart = 0;
        return;
    }
    const auto it = std::find(examNumbers_.begin(), examNumbers_.end(), current.examNumber);
    if (it != examNumbers_.end()) {
        exams_.selected = static_cast<int>(it - examNumbers_.begin());
    } else {
        exams_.selected = 0;
        makeExamCurrent(examNumbers_.front());
    }
}

void MainWindowState::rebuildCharts() {
    CurrentExaminee& current = ws_.records().current();
    charts_ = {};
    chartNumbers_.clear();
    if (current.examNumber == 0) {
        current.chart = 0;
        return;
    }
    const fs::path folder = ws_.records().examineeFolder(current.record.fileCode);
    const std::string stem = examStem(current.examNumber);
    for (const std::string& name : findEntries(folder, stem + ".ch?")) {
        const char digit = name.back();
        if (digit < '1' || digit > '9') continue;
        std::uintmax_t size = 0;
        if (!isRegularFile(folder / name, &size) || size < kMinimalChartSize) continue;
        const int chart = digit - '0';
        if (std::find(chartNumbers_.begin(), chartNumbers_.end(), chart) == chartNumbers_.end()) {
            chartNumbers_.push_back(chart);
        }
    }
    std::sort(chartNumbers_.begin(), chartNumbers_.end());
    for (int chart : chartNumbers_) charts_.tabs.push_back(std::to_string(chart));

    if (chartNumbers_.empty()) {
        // No chart to analyse: the Results items must not point at a missing file.
        current.chart = 0;
        return;
    }
    // The current chart is a chart number; it settles on a listed one: the
    // first when none is current, otherwise the last listed not above it.
    int selected = 0;
    if (current.chart != 0) {
        for (std::size_t i = 0; i < chartNumbers_.size(); ++i) {
            if (chartNumbers_[i] <= current.chart) selected = static_cast<int>(i);
        }
    }
    charts_.selected = selected;
    current.chart = chartNumbers_[static_cast<std::size_t>(selected)];
}

void MainWindowState::makeExamCurrent(int examNumber) {
    CurrentExaminee& current = ws_.records().current();
    current.examNumber = examNumber;
    current.chart = 0;
    if (examSelected_) examSelected_(examNumber);
}

void MainWindowState::selectTemplate(int index) {
    if (index >= 0 && index < static_cast<int>(templates_.tabs.size())) templates_.selected = index;
}

void MainWindowState::selectTemplateNamed(std::string_view fileName) {
    const std::string wanted = upperCase(fileName);
    const auto it = std::find(templateFiles_.begin(), templateFiles_.end(), wanted);
    if (it != templateFiles_.end()) templates_.selected = static_cast<int>(it - templateFiles_.begin());
}

void MainWindowState::selectExam(int index) {
    if (index < 0 || index >= static_cast<int>(examNumbers_.size())) return;
    exams_.selected = index;
    makeExamCurrent(examNumbers_[static_cast<std::size_t>(index)]);
    refreshStatus();
}

void MainWindowState::selectChart(int index) {
    if (index < 0 || index >= static_cast<int>(chartNumbers_.size())) return;
    charts_.selected = index;
    ws_.records().current().chart = chartNumbers_[static_cast<std::size_t>(index)];
    refreshStatus();
}

std::string MainWindowState::selectedTemplateFileName() const {
    if (templates_.selected < 0 || templates_.selected >= static_cast<int>(templateFiles_.size())) return {};
    return templateFiles_[static_cast<std::size_t>(templates_.selected)];
}

fs::path MainWindowState::selectedTemplateFile() const {
    const std::string name = selectedTemplateFileName();
    if (name.empty()) return {};
    return resolvePath(ws_.home(), "QST\\" + name);
}

std::string MainWindowState::selectedTemplateName() const {
    if (templates_.selected < 0) return {};
    return templates_.tabs[static_cast<std::size_t>(templates_.selected)];
}

}  // namespace lumo::core
