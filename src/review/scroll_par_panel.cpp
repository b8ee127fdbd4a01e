#include "review/scroll_par_panel.h"

#include <algorithm>
#include <cmath>
#include <exception>

#include "core/numbers.h"
#include "core/question_set.h"
#include "core/settings.h"
#include "core/text_format.h"
#include "core/texts/review.h"
#include "formats/mark_word.h"
#include "formats/results_table.h"
#include "formats/screen_settings.h"
#include "review/ready_marks.h"
#include "review/chart_files.h"

namespace lumo::review {

namespace fs = std::filesystem;

namespace {

// "Standard" compression: one inch of screen for every ten seconds of chart.
constexpr double kStandardPointsPerInch = 320;

std::string excludedMark(bool excluded) {
    return excluded ? "*" : "";
}

}  // namespace

void ParPanel::load(const fs::path& chartFile, int digit, const core::TQstTest& exam, const core::Texts& texts) {
    const ReviewFiles files = reviewFiles(chartWithDigit(chartFile, digit));
    digit_ = digit;
    problems_.clear();
    rows_.clear();
    formats::TQtFile table(exam);
    const bool tableRead = readTable(files.table, table);
    if (tableRead) fillRows(table, exam);
    const bool chartRead = readChart(files.chart);
    readScreen(files.screen);
    lonelyReady_ = lonelyReadyMarks(chart_.marks, chart_.count);

    samples_ = tableRead ? table.sampleCount : chart_.count;
    if (samples_ < chart_.count) {
        // Points the table does not count would lie beyond the scroll range: the chart decides.
        if (tableRead) {
            problems_.push_back(core::formatText(texts(txt::ScrlParShortTable),
                                                 {static_cast<long long>(samples_), static_cast<long long>(chart_.count)}));
        }
        samples_ = chart_.count;
    }
    if (chartRead && chart_.count < 2) {
        problems_.push_back(core::formatText(texts(txt::ScrlParFewPoints), {static_cast<long long>(chart_.count)}));
    }
    position_ = 0;
    lastDrawn_ = -1;
}

bool ParPanel::readTable(const fs::path& file, formats::TQtFile& table) {
    try {
        table.LoadFromFile(file);
        return true;
    } catch (const std::exception& error) {
        problems_.push_back(error.what());
        return false;
    }
}

bool ParPanel::readChart(const fs::path& file) {
    // A chart that fails half way is not used: the panel shows none.
    chart_ = formats::TLumoChart_7_1();
    try {
        chart_.LoadFromFile(file);
        return true;
    } catch (const std::exception& error) {
        problems_.push_back(error.what());
        chart_ = formats::TLumoChart_7_1();
        return false;
    }
}

void ParPanel::readScreen(const fs::path& file) {
    gains_ = {};
    std::error_code missing;
    if (!fs::is_regular_file(file, missing)) return;
    try {
        const formats::ScreenSettings screen = formats::readScreenSettingsFile(file);
        for (int c = 0; c < kParChannels; ++c) gains_[static_cast<std::size_t>(c)] = screen.initialGain(c);
    } catch (const std::exception& error) {
        // Every channel stays shown.
        problems_.push_back(error.what());
    }
}

void ParPanel::fillRows(const formats::TQtFile& table, const core::TQstTest& exam) {
    const core::QuestionTypes& types = exam.types();
    const core::Rgb excludedColour = types.signToColour("*");
    for (int i = 1; i <= table.RowCount(); ++i) {
        ParRow row;
        row.onset = table.Onset(i);
        row.excluded = table.IsExcluded(i);
        const int question = table.QuestionNumber(i);
        core::TQsHandle record;
        if (question >= 1 && question <= exam.questionCount()) {
            record = exam.question(question);
        } else {
            record.number = std::to_string(question);
        }
        const std::string sign = table.QuestionSign(i);
        const std::string star = excludedMark(row.excluded);
        row.label = "(" + record.answer + star + sign + ")  ";
        row.info = record.number + "." + star + sign + "." + record.answer + "." + record.textPart1 + record.textPart2;
        row.colour = row.excluded ? excludedColour : types.signToColour(sign);
        row.infoColour = types.signToColour(row.info);
        rows_.push_back(std::move(row));
    }
}

bool ParPanel::isLonelyReady(std::size_t point) const {
    return std::find(lonelyReady_.begin(), lonelyReady_.end(), point) != lonelyReady_.end();
}

std::optional<std::uint8_t> ParPanel::initialGain(int channel) const {
    return channel >= 0 && channel < kParChannels ? gains_[static_cast<std::size_t>(channel)] : std::nullopt;
}

void ParPanel::layOut(ParScale scale, int width, int height, int scrollBarHeight, double resolution) {
    scale_ = scale;
    width_ = std::max(width, 1);
    const double n = samples_;
    const double w = width_;
    double spp = 0;
    switch (scale) {
        case ParScale::AtAll: spp = n / w; break;
        case ParScale::X2: spp = n / w / 2; break;
        case ParScale::X4: spp = n / w / 4; break;
        case ParScale::X8: spp = n / w / 8; break;
        case ParScale::Standard: spp = kStandardPointsPerInch / resolution; break;
    }
    // An empty chart has nothing to compress.
    spp_ = std::isfinite(spp) && spp > 0 ? static_cast<float>(spp) : 1.0f;
    const std::int64_t pixels = core::rnd(n / spp_);
    totalWidth_ = static_cast<int>(pixels - 5);
    scrollMaximum_ = static_cast<int>(std::max<std::int64_t>(pixels - width_, 0));

    scrollBar_ = {2, height - 4 - scrollBarHeight, width_ - 4, scrollBarHeight};
    // The chart area gives way to the scroll bar only while the bar is there.
    const int bottom = scrollBarShown() ? scrollBar_.y - 3 : height - 1;
    area_ = {0, 1, width_, std::max(bottom - 1, 1)};
    position_ = 0;
    lastDrawn_ = -1;
}

void ParPanel::setPosition(int position) {
    position_ = std::clamp(position, 0, scrollMaximum_);
}

std::int64_t ParPanel::pointAt(int x) const {
    return core::rnd((static_cast<double>(x) + position_) * spp_);
}

int ParPanel::rowAt(std::int64_t point) const {
    for (int i = rowCount(); i >= 1; --i) {
        const std::int64_t onset = rows_[static_cast<std::size_t>(i - 1)].onset;
        if (onset <= point && point < onset + kInfoWindowPoints) return i;
    }
    return 0;
}

}  // namespace lumo::review
