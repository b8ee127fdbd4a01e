#include "scoring/chart_editor.h"

#include <algorithm>
#include <cstdio>
#include <exception>

#include "core/numbers.h"
#include "core/question_set.h"
#include "core/settings.h"
#include "core/texts/core.h"
#include "core/texts/scoring.h"
#include "formats/results_table.h"
#include "scoring/features.h"
#include "scoring/workspace.h"

namespace lumo::scoring {

ChartEditor::ChartEditor(ScoringWorkspace& workspace, const core::Settings& settings, const core::Texts& texts,
                         ExamFiles files, ChartEditorSteps steps)
    : workspace_(workspace), settings_(settings), texts_(texts), files_(std::move(files)),
      steps_(std::move(steps)) {}

ChartEditor::~ChartEditor() = default;

bool ChartEditor::open() {
    if (workspace_.chartCount < 1) {
        steps_.error(texts_(txt::CmdChartsNotFound));
        closed_ = true;
        return false;
    }
    questions_ = std::make_unique<core::TQstTest>(files_.questionSet, core::kExamTypeCounters,
                                                  core::QuestionTypes(settings_));
    style_ = pictureStyle(workspace_, settings_, texts_);
    boxSlots_.fill(0);
    for (int slot = 1; slot <= kSignalSlots; ++slot) {
        boxSlots_[static_cast<std::size_t>(displayPosition(workspace_, slot))] = slot;
    }
    scale_ = EditorScale::All;
    if (!selectChart(1)) {
        closed_ = true;
        return false;
    }
    return true;
}

int ChartEditor::chartCount() const {
    return std::min(workspace_.chartCount, core::kMaxChartsPerExam);
}

bool ChartEditor::selectChart(int chart) {
    if (chart < 1 || chart > chartCount()) return false;
    if (workspace_.chart(chart).rowCount < 1) {
        steps_.inform(texts_(txt::EditNoQuestions));
        return false;
    }
    chart_ = chart;
    row_ = 1;
    return true;
}

int ChartEditor::rowCount() const {
    return chart_ >= 1 ? workspace_.chart(chart_).rowCount : 0;
}

void ChartEditor::nextRow() {
    setRow(row_ >= rowCount() ? 1 : row_ + 1);
}

void ChartEditor::setRow(int row) {
    if (row < 1 || row > rowCount()) return;
    // The normalised copy depends on the exclusions only, not on the row.
    row_ = row;
}

std::optional<int> ChartEditor::rowAt(double x, double width) const {
    if (width <= 0 || rowCount() < 1) return std::nullopt;
    const ChartSpan visible = span();
    const double span = static_cast<double>(visible.last - visible.first);
    const std::int64_t sample = core::rnd(static_cast<double>(visible.first) + x / width * span);
    // A click on an onset belongs to the row that starts there.
    std::optional<int> found;
    for (int r = 1; r <= rowCount(); ++r) {
        if (workspace_.row(chart_, r).onset > sample) break;
        found = r;
    }
    return found;
}

void ChartEditor::leftClick(double x, double width) {
    if (const auto row = rowAt(x, width)) setRow(*row);
}

void ChartEditor::rightClick(double x, double width) {
    if (const auto row = rowAt(x, width)) steps_.openScoreBoard(*row, chart_);
}

void ChartEditor::openScoreBoard() {
    if (row_ >= 1) steps_.openScoreBoard(row_, chart_);
}

void ChartEditor::setScale(EditorScale scale) {
    scale_ = scale;
}

ChartSpan ChartEditor::span() const {
    return visibleRows(workspace_, chart_, row_, scale_).span;
}

bool ChartEditor::boxChecked(int box) const {
    const int slot = boxSlot(box);
    return slot >= 1 && row_ >= 1 && workspace_.flag(chart_, row_, slot) == 1;
}

void ChartEditor::setBox(int box, bool excluded) {
    const int slot = boxSlot(box);
    if (slot < 1 || row_ < 1) return;
    workspace_.flag(chart_, row_, slot) = excluded ? 1 : 0;
    NormaliseChart(workspace_, chart_);
}

std::string ChartEditor::channelName(int box) const {
    const int slot = boxSlot(box);
    return slot >= 1 ? workspace_.channels().name[static_cast<std::size_t>(slot)] : std::string();
}

std::string ChartEditor::boxCaption(int box) const {
    const int slot = boxSlot(box);
    if (!gains_ || slot < 1) return channelName(box);
    return gainText(workspace_.chart(chart_).gain[static_cast<std::size_t>(slot)]);
}

std::string ChartEditor::boxGroupCaption() const {
    return texts_(gains_ ? txt::EditGains : txt::EditChannels);
}

std::string ChartEditor::boxGroupHint() const {
    return texts_(gains_ ? txt::EditGainHint : txt::EditChannelHint);
}

std::string ChartEditor::questionText() const {
    if (row_ < 1) return {};
    const RowInfo& info = workspace_.row(chart_, row_);
    return " < " + std::to_string(info.question) + " > < " + info.answer + " > < " + info.mark + " > < " + info.text;
}

std::string ChartEditor::dateText() const {
    return chart_ >= 1 ? workspace_.chart(chart_).date : std::string();
}

std::string ChartEditor::timeText() const {
    return chart_ >= 1 ? workspace_.chart(chart_).started : std::string();
}

std::string ChartEditor::durationText() const {
    return chart_ >= 1 ? std::to_string(workspace_.chart(chart_).duration) : std::string();
}

void ChartEditor::restoreFeatureInputs() {
    for (int chart = 1; chart <= chartCount(); ++chart) {
        const ChartHeader& header = workspace_.chart(chart);
        if (header.rowCount < 1 || static_cast<std::size_t>(chart) > files_.tables.size()) continue;
        formats::TQtFile table(*questions_);
        try {
            table.LoadFromFile(files_.tables[static_cast<std::size_t>(chart - 1)]);
        } catch (const std::exception&) {
            // Its features stay as they are; the scoring run reported the table.
            continue;
        }
        int kept = 0;
        for (int i = 1; i <= table.RowCount() && kept < header.rowCount; ++i) {
            if (table.IsExcluded(i)) continue;
            const int r = ++kept;
            for (int f = 1; f <= kFeatureCount; ++f) workspace_.features()(chart, r, f) = table.FeatureInput(i, f);
            workspace_.features()(chart, r, kTotalSlot) = 0;
        }
    }
}

void ChartEditor::save() {
    if (chart_ < 1) return;
    // Analysed before writing, so that the table's saved features are the
    // ones its flags give.
    restoreFeatureInputs();
    int alarms = 0;
    ProcessExam(workspace_, [&alarms] { ++alarms; });
    for (int alarm = 0; alarm < alarms; ++alarm) steps_.error(texts_(txt::SpectrumError));
    // ProcessExam has normalised every chart with the new flags already.
    SaveResultsTable(workspace_, files_.tables.at(static_cast<std::size_t>(chart_ - 1)), chart_, *questions_);
    steps_.inform(texts_(txt::EditSaved));
}

void ChartEditor::exit() {
    if (steps_.confirm(texts_(txt::EditExitConfirm))) closed_ = true;
}

void ChartEditor::openResults() {
    if (steps_.openResults()) closed_ = true;
}

ChartEditorPicture ChartEditor::picture() const {
    if (chart_ < 1) return {};
    return chartEditorPicture(workspace_, chart_, row_, scale_, style_);
}

std::string gainText(float gain) {
    char text[32];
    std::snprintf(text, sizeof text, "%4.1f", static_cast<double>(gain));
    return text;
}

}  // namespace lumo::scoring
