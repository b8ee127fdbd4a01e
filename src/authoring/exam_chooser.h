#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/colors.h"
#include "recording/test_run.h"

namespace lumo::core {
class Workstation;
}

namespace lumo::authoring {

// One line of the chooser: an exam of the current examinee or a template.
struct ChooserEntry {
    bool exam = false;
    std::string name;  // "EXAM_01.QS_", or the template's file name
    std::filesystem::path file;
    int examNumber = 0;  // exams only
    int chartCount = 0;  // exams only
};

// A preview line in its sign's colour (drawn on black).
struct PreviewLine {
    std::string text;
    core::Rgb colour;
};

// What the chooser's commands show; the window gives the real dialogs,
// tests answer them.
struct ExamChooserSteps {
    // The exam editor; true when it saved. Empty: editing is not offered.
    std::function<bool(const std::filesystem::path& examFile, bool structureMode)> editExam;
    // The question order dialog in set mode.
    std::function<void(const std::filesystem::path& examFile)> setOrders;
    // The question order dialog in choose mode; true for Choose.
    std::function<bool(const std::filesystem::path& examFile)> chooseOrder;
    std::function<void(const recording::TestRunSetup& setup)> runTest;
    std::function<std::optional<std::string>(const std::string& proposal)> askTemplateName;
    std::function<bool(const std::string& text)> confirm;  // Yes/No
    std::function<void(const std::string& text)> warn;
    std::function<void(const std::string& text)> inform;
    std::function<void(const std::string& text)> error;
};

// The rules of the exam chooser: the current examinee's exams, then the
// templates, a preview of the selected one, and the commands with their
// enabling. `rememberedPosition` is the program-wide list position that
// Test keeps for the next time.
class ExamChooser {
public:
    ExamChooser(core::Workstation& workstation, ExamChooserSteps steps, int& rememberedPosition);

    // Lists the entries and selects the remembered one (or the first); false,
    // after the warning, when there is nothing to list.
    bool open();

    std::string caption() const;
    const std::vector<ChooserEntry>& entries() const { return entries_; }
    int selected() const { return selected_; }
    const ChooserEntry* selectedEntry() const;
    // A click or a programmatic choice.
    void select(int index);
    // A move with the arrow or page keys: the chosen question order goes back to 1.
    void moveTo(int index);
    const std::vector<PreviewLine>& preview() const { return preview_; }
    std::string methodCaption() const;

    bool canSet() const { return examWithRoom(); }
    bool canChoose() const { return examWithRoom(); }
    bool canTest() const { return examWithRoom(); }
    bool canEdit() const;
    bool canDelete() const;
    bool canToTemplate() const;
    bool canCreate() const;

    void createExam();
    void editExam();
    // False when the chooser must close (nothing left to list).
    bool deleteExam();
    void toTemplate();
    void setOrders();
    void chooseOrder();
    // Remembers the position; the exam to test (0 when none is selected).
    int test();

private:
    bool examWithRoom() const;
    bool selectedIsExam() const;
    void listExams();
    void reselect(const std::string& name, int fallback);
    void reportEditorError(const std::exception& error, bool outOfResources) const;

    core::Workstation& ws_;
    ExamChooserSteps steps_;
    int& remembered_;
    std::vector<ChooserEntry> entries_;
    std::vector<ChooserEntry> templates_;
    int selected_ = -1;
    std::vector<PreviewLine> preview_;
    int method_ = 0;
};

}  // namespace lumo::authoring
