#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace lumo::core {

class Workstation;

// Every menu item and strip button of the main window. A tool button runs the
// command of the menu item whose hint it shares; the chart strip buttons run
// the Results items.
enum class Command {
    // Examinee menu
    ChooseExaminee,
    NewExaminee,
    EditExaminee,
    ArchiveExaminee,
    ExamineeState,
    Exit,
    // Preparations menu
    NewTemplate,
    EditTemplate,
    QuestionBase,
    // the Test menu is a command of its own
    Test,
    // Results menu (and the chart strip)
    ChooseExam,
    AnalysePolygram,
    ComparePolygrams,
    HandResults,
    ExamResults,
    // System menu
    Operators,
    SystemParameters,
    Crimes,
    Calibrate,
    // "?" menu
    HelpContents,
    HelpSearch,
    HelpUsing,
    About,
    // template strip
    EditSelectedTemplate,  // sbQstEditTemplates
    DeleteTemplate,        // sbQstDelTemplates
    PrepareExam,           // sbQst2Test
    // exam strip
    RunExam,               // sbTestExams
    EditExam,              // sbExamEdit
    EditOrder,             // sbEdOrder
    ChooseOrder,           // sbChOrderExams
    DeleteExam,            // sbExamDel
    ConvertToTemplate,     // sbReconvert
};
inline constexpr int kCommandCount = static_cast<int>(Command::ConvertToTemplate) + 1;

enum class Menu { Examinee, Preparations, Test, Results, System, Help };
inline constexpr int kMenuCount = 6;

enum class Strip { Templates, Exams, Charts };

// The three tool-bar pages, named after the first, second and fifth menu.
inline constexpr int kToolPageCount = 3;

// An error of one window of a command that opens several in turn (the method
// chooser before the question editor, the test window after the exam
// chooser): the error box speaks with that window's message (a text id).
class CommandStepError : public std::runtime_error {
public:
    CommandStepError(int messageId, const std::string& what) : std::runtime_error(what), messageId_(messageId) {}
    int messageId() const { return messageId_; }

private:
    int messageId_;
};

// Runs one such window; what it raises reaches the frame with its message.
template <typename Body>
decltype(auto) runCommandStep(int messageId, Body&& body) {
    try {
        return body();
    } catch (const CommandStepError&) {
        throw;
    } catch (const std::exception& error) {
        throw CommandStepError(messageId, error.what());
    }
}

// What one tab strip shows after the last status refresh.
struct StripView {
    std::vector<std::string> tabs;
    int selected = -1;  // -1 when empty
    bool visible() const { return !tabs.empty(); }
};

// The behaviour of the main window: which commands are enabled, what the
// captions, hints and tab strips say, and what selecting a tab does. The
// window only draws what this says and reports what the examiner did.
class MainWindowState {
public:
    explicit MainWindowState(Workstation& workstation);

    // --- the command set ---------------------------------------------------
    // Commands whose window exists in this build; the others stay disabled
    // whatever the records say. Exit and About are always available.
    void setAvailable(Command command, bool available);
    bool available(Command command) const;
    // The enabling rule of the command at this moment, available set included.
    bool enabled(Command command) const;
    bool menuEnabled(Menu menu) const;

    // Items of a drop-down menu in order (none for the Test menu, which is a
    // command itself).
    static std::vector<Command> menuItems(Menu menu);
    static std::vector<Command> toolPage(int page);
    static std::vector<Command> stripCommands(Strip strip);

    // --- texts of the current language (the language setup reads these) ----
    std::string menuCaption(Menu menu) const;
    std::string caption(Command command) const;  // the archive item as archiveCaption()
    std::string hint(Command command) const;     // "short|long"
    std::string shortHint(Command command) const;
    std::string longHint(Command command) const;
    std::string archiveCaption() const;
    std::string toolPageName(int page) const;  // the menu caption without "&"
    std::string stripHeading(Strip strip) const;
    std::string logoText() const;
    std::string hintPanelLabel() const;
    std::string versionLine() const;
    // The product name picture of the splash: the Cyrillic one in Russian.
    bool cyrillicProductName() const;
    std::string exitConfirmation() const;
    // Captions of the confirmation box's buttons.
    std::string okCaption() const;
    std::string cancelCaption() const;
    // The application title of the last refresh (the window caption with no
    // examinee current).
    std::string applicationTitle() const;

    // --- the common frame of a command --------------------------------------
    // The command's own message for its error box ("" when it has none).
    std::string commandMessage(Command command) const;
    // The error box text: the command's message, a line break and the error's
    // own message. Prepare to exam and Edit exam report a lack of resources
    // with their message alone.
    std::string errorText(Command command, std::string_view errorMessage, bool outOfResources) const;
    // The error box text of an error of one of the command's windows.
    std::string errorText(const CommandStepError& error) const;

    // The part of a hint that belongs in the hint panel.
    static std::string hintPanelText(std::string_view hint);

    // --- status --------------------------------------------------------------
    // Re-reads the current examinee's exams after a command changed its files.
    void reloadExams();
    // Caption, strips and the strip-dependent enabling from the records.
    void refreshStatus();
    const std::string& windowCaption() const { return caption_; }
    const StripView& strip(Strip strip) const;

    // The examiner picked a tab (index into the strip's tabs).
    void selectTemplate(int index);
    void selectExam(int index);
    void selectChart(int index);
    // Selects the template tab of that file name (after a new template), if listed.
    void selectTemplateNamed(std::string_view fileName);

    // The selected template's file ("" name when none) and its tab text.
    std::filesystem::path selectedTemplateFile() const;
    std::string selectedTemplateName() const;

    // Called whenever the exam strip makes an exam current (a tab picked, or
    // the first exam after a rebuild), with its number: the question order
    // window follows the current exam through this.
    void setExamSelectedHook(std::function<void(int examNumber)> hook) { examSelected_ = std::move(hook); }

private:
    std::string text(int id) const;  // "" for 0
    std::string selectedTemplateFileName() const;
    void rebuildTemplates();
    void rebuildExams();
    void rebuildCharts();
    void makeExamCurrent(int examNumber);
    bool examinable() const;  // an examinee is current and not archived
    bool chartCurrent() const;
    bool anyFirstResultsTable() const;

    Workstation& ws_;
    std::array<bool, kCommandCount> available_{};
    std::string caption_;
    StripView templates_;
    StripView exams_;
    StripView charts_;
    std::vector<std::string> templateFiles_;  // upper-cased file names, parallel to the tabs
    std::vector<int> examNumbers_;            // parallel to the exam tabs
    std::vector<int> chartNumbers_;           // parallel to the chart tabs
    std::function<void(int)> examSelected_;
};

}  // namespace lumo::core
