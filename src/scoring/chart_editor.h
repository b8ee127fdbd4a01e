#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "scoring/chart_editor_picture.h"
#include "scoring/scoring_run.h"

namespace lumo::core {
class Settings;
class Texts;
class TQstTest;
}  // namespace lumo::core

namespace lumo::scoring {

class ScoringWorkspace;

// What the chart editor asks of its window.
struct ChartEditorSteps {
    std::function<void(const std::string& text)> error;    // error box
    std::function<void(const std::string& text)> inform;   // information box
    std::function<bool(const std::string& text)> confirm;  // OK / Cancel; true for OK
    // The score board of a kept row of a chart.
    std::function<void(int row, int chart)> openScoreBoard;
    // The results window; true when the examiner went back to the main menu.
    std::function<bool()> openResults;
};

// The rules of the chart editor: one chart of the scored exam at a time, its
// current row, the view scale, the eight channel boxes (box k stands for the
// slot whose ChSeq is k) with the exclusions they set, the gains view, and
// Save, which re-analyses the exam and writes the current chart's exclusions
// into its results table. The window draws picture() and the texts, and
// forwards keys and clicks.
class ChartEditor {
public:
    ChartEditor(ScoringWorkspace& workspace, const core::Settings& settings, const core::Texts& texts,
                ExamFiles files, ChartEditorSteps steps);
    ~ChartEditor();
    ChartEditor(const ChartEditor&) = delete;
    ChartEditor& operator=(const ChartEditor&) = delete;

    // Chart 1 on the "All" scale at row 1. False, after its message, when
    // there is no chart or chart 1 has no rows: the editor closes then. An
    // exam file that cannot be read raises its error.
    bool open();
    // The examiner left (Exit confirmed, or the results window's main menu).
    bool closed() const { return closed_; }

    int chartCount() const;
    int chart() const { return chart_; }
    // Chart k = 1 ... chartCount(). A chart without rows shows "Questions
    // amount = 0" and stays unselected: the editor keeps the chart it had,
    // with whatever exclusions are not saved yet. False then.
    bool selectChart(int chart);

    int rowCount() const;
    int row() const { return row_; }
    // Q: the next row, after the last one the first.
    void nextRow();
    void setRow(int row);
    // The row a click at pixel column x of an image `width` pixels wide
    // falls on: the last row whose onset is at or before the clicked sample;
    // none before the first onset.
    std::optional<int> rowAt(double x, double width) const;
    // Left button: that row becomes current. Right button: its score board.
    void leftClick(double x, double width);
    void rightClick(double x, double width);
    // F2: the score board of the current row.
    void openScoreBoard();

    EditorScale scale() const { return scale_; }
    void setScale(EditorScale scale);
    ChartSpan span() const;

    // Box k = 0 ... 7 (top to bottom) and the slot it stands for.
    int boxSlot(int box) const { return boxSlots_[static_cast<std::size_t>(box)]; }
    bool boxChecked(int box) const;
    // Sets the current row's exclusion of the box's slot and normalises the
    // chart again; nothing reaches the file before save().
    void setBox(int box, bool excluded);

    bool gainsShown() const { return gains_; }
    void showGains(bool on) { gains_ = on; }
    // The channel name, or in the gains view the slot's gain ("99.9", " 2.5").
    std::string boxCaption(int box) const;
    std::string channelName(int box) const;
    std::string boxGroupCaption() const;
    std::string boxGroupHint() const;

    // " < 3 > < - > < + > < Question text" of the current row.
    std::string questionText() const;
    std::string dateText() const;
    std::string timeText() const;
    std::string durationText() const;

    // Save: the exam analysed again with the exclusions, the current chart's
    // features and flags written into its results table (an error there is
    // raised, the table kept as it was), then "Changes are saved successfully".
    void save();
    // Exit: "Exit without save ?"; OK closes the editor.
    void exit();
    // The results window; its main-menu exit closes the editor too.
    void openResults();

    ChartEditorPicture picture() const;

private:
    // Features as the results tables brought them, so that the re-analysis
    // gives what a new scoring run of the saved files would.
    void restoreFeatureInputs();

    ScoringWorkspace& workspace_;
    const core::Settings& settings_;
    const core::Texts& texts_;
    ExamFiles files_;
    ChartEditorSteps steps_;
    std::unique_ptr<core::TQstTest> questions_;
    PictureStyle style_;
    std::array<int, kBandCount> boxSlots_{};
    int chart_ = 0;
    int row_ = 0;
    EditorScale scale_ = EditorScale::All;
    bool gains_ = false;
    bool closed_ = false;
};

// The gain as a box shows it: one decimal, blanks in front to four characters.
std::string gainText(float gain);

}  // namespace lumo::scoring
