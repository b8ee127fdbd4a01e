#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/colors.h"

namespace lumo::core {
class TQstTest;
class Workstation;
}  // namespace lumo::core

namespace lumo::scoring {

// The exams of an examinee folder that can be analysed: those with a first
// results table (exam_NN.qt1) and their exam file, as numbers "01" ... "99",
// sorted.
std::vector<std::string> examsWithFirstTable(const std::filesystem::path& examineeFolder);

// The highest chart the chooser offers: the largest k (at most 9) for which
// the results tables 2 ... k all exist; 1 when table 2 is missing.
int chooserMaximumChart(const std::filesystem::path& examFile);

// A row mark as the presentation list aligns it: "" -> "  : ", "+" -> "+ : ",
// "*+" -> "*+: ", anything longer -> its first two characters and ":".
std::string padRowMark(std::string_view mark);

// One presentation of the chosen chart, in its question's type colour.
struct PresentationLine {
    std::string text;
    core::Rgb colour;
};

// The rules of the chart chooser: the current examinee's exams with a first
// results table, the chosen exam's question set and chart range, and the
// presentations of the chosen chart. OK writes the exam and chart into the
// current examinee; nothing else is changed.
class ChartChoice {
public:
    explicit ChartChoice(core::Workstation& workstation);
    ~ChartChoice();

    // Lists the exams and selects the current one (else the first), with the
    // current chart when it has one. False when there is no exam to list.
    // An exam that cannot be read stays listed: see error().
    bool open();

    std::string caption() const;
    const std::vector<std::string>& exams() const { return exams_; }
    int selected() const { return selected_; }
    // Loads the exam's question set and chart range and shows the chart
    // kept within the new range.
    void selectExam(int index);

    int chart() const { return chart_; }
    int maximumChart() const { return maximum_; }
    // Kept within 1 ... maximumChart().
    void setChart(int chart);

    const std::vector<PresentationLine>& presentation() const { return presentation_; }
    std::string methodCaption() const;
    // Why the selected exam or chart shows nothing ("" when it was read).
    const std::string& error() const { return error_; }

    // OK is offered for an exam whose question set was read.
    bool canChoose() const;
    // Writes the chosen exam and chart into the current examinee.
    void choose();

private:
    std::filesystem::path examFile(int index) const;
    void readPresentation();

    core::Workstation& ws_;
    std::filesystem::path folder_;
    std::vector<std::string> exams_;
    int selected_ = -1;
    std::unique_ptr<core::TQstTest> questions_;
    int maximum_ = 1;
    int chart_ = 1;
    std::vector<PresentationLine> presentation_;
    std::string error_;
};

// What the choose exam command shows; the command's wiring gives the real
// windows, tests answer them.
struct ChooseExamSteps {
    std::function<void(const std::string& text)> inform;  // information box
    std::function<void()> nothingToChoose;                 // after the box: back to the menu
    std::function<void()> runChooser;                      // the chart chooser
};

// The main window's choose exam command for the current examinee: the
// chooser when some exam has a first results table with its exam file,
// otherwise "Charts not found". Nothing happens without a current examinee.
void runChooseExamCommand(core::Workstation& workstation, const ChooseExamSteps& steps);

}  // namespace lumo::scoring
