#include "review/scroll_res_view.h"

#include <algorithm>
#include <cmath>
#include <system_error>

#include "core/numbers.h"
#include "core/records.h"
#include "core/settings.h"
#include "core/text_format.h"
#include "core/texts/review.h"
#include "core/workstation.h"
#include "formats/review_display.h"

namespace lumo::review {

namespace fs = std::filesystem;

ScrollResView::ScrollResView(core::Workstation& workstation, ScrollResSteps steps)
    : ws_(workstation), steps_(std::move(steps)), settings_(readScrollResSettings(workstation.settings())) {}

ScrollResView::~ScrollResView() = default;

void ScrollResView::setArea(int width, int height, double resolution) {
    // Offsets are kept in pixels of the area; a new height keeps them in thousandths.
    std::array<int, kReviewChannels> thousandths{};
    if (isOpen()) {
        for (int c = 0; c < chart_->channels(); ++c) thousandths[static_cast<std::size_t>(c)] = offsetThousandths(c);
    }
    const bool speedChanged = resolution != resolution_;
    width_ = std::max(width, 1);
    height_ = std::max(height, 3);
    resolution_ = resolution > 0 ? resolution : 96;
    if (!isOpen()) return;
    for (int c = 0; c < chart_->channels(); ++c) {
        offsets_[static_cast<std::size_t>(c)] = thousandths[static_cast<std::size_t>(c)] * (height_ - 2) / 1000;
    }
    if (speedChanged) positions_ = ScreenPositions(chart_->chart().marks, chart_->count(), resolution_, zoom_);
    position_ = std::clamp(position_, 0, scrollMaximum());
    redrawAll();
}

void ScrollResView::open(const fs::path& chartFile) {
    auto chart = std::make_unique<ScrollResChart>(chartFile, ws_.settings());
    chart_ = std::move(chart);
    chartExists_ = existingCharts(chartFile);
    fillPresentations();
    prepare();
    core::CurrentExaminee& current = ws_.records().current();
    if (current.isSet() && chart_->files().digit > 0) current.chart = chart_->files().digit;
    current_ = 0;
    cursor_ = 0;
    if (!presentations_.empty()) select(1);
}

void ScrollResView::prepare() {
    position_ = 0;
    const auto report = [this](const std::string& step, const std::string& message) {
        if (steps_.fillGainsFailed) steps_.fillGainsFailed("TfrmScrlRes.FillGains\n" + step + "\n" + message);
    };
    chart_->prepare(report);
    try {
        positions_ = ScreenPositions(chart_->chart().marks, chart_->count(), resolution_, zoom_);
    } catch (const std::exception& error) {
        positions_ = ScreenPositions();
        report("filling need for speed", error.what());
    }
    const formats::ReviewDisplay& display = chart_->display();
    const std::size_t gainPoint = std::min<std::size_t>(1, chart_->count() > 0 ? chart_->count() - 1 : 0);
    for (int c = 0; c < kReviewChannels; ++c) {
        const auto i = static_cast<std::size_t>(c);
        const bool inChart = c < chart_->channels();
        offsets_[i] = inChart ? display.entries[i].offset * (height_ - 2) / 1000 : 0;
        offsetMoved_[i] = false;
        // A channel the examiner did not show at the test's start stays hidden.
        visible_[i] = inChart && settings_.channels[i].switchedOn &&
                      (chart_->count() == 0 || chart_->scale().at(c, gainPoint).gain != 0);
    }
    redrawAll();
}

void ScrollResView::fillPresentations() {
    presentations_.clear();
    const formats::TQtFile& table = chart_->table();
    const core::TQstTest& exam = chart_->exam();
    for (int row = 1; row <= table.RowCount(); ++row) {
        Presentation p;
        p.row = row;
        const int question = table.QuestionNumber(row);
        if (question >= 1 && question <= exam.questionCount()) {
            const core::TQsHandle& handle = exam.question(question);
            p.sign = core::trimmed(handle.sign);
            p.answer = handle.answer;
            p.text = handle.text();
            p.type = exam.questionType(question);
        }
        p.onset = table.Onset(row);
        p.excluded = table.IsExcluded(row);
        p.colour = exam.types().signToColour(p.excluded ? "*" : p.sign);
        presentations_.push_back(std::move(p));
    }
}

std::string ScrollResView::caption() const {
    const std::string& code = chart_->files().examineeCode;
    const core::CurrentExaminee& current = ws_.records().current();
    const std::string name = current.isSet() && current.record.fileCode == code ? current.record.name
                                                                                : chart_->exam().examineeName;
    std::string exam = chart_->files().exam.stem().string();
    for (char& c : exam) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    return core::formatText(ws_.texts()(txt::ScrlResCaption),
                            {code, exam, std::to_string(chart_->files().digit), name});
}

bool ScrollResView::chartEnabled(int digit) const {
    return digit >= 1 && digit <= kReviewChartDigits && chartExists_[static_cast<std::size_t>(digit)];
}

bool ScrollResView::switchChart(int digit) {
    if (!chartEnabled(digit) || digit == chartDigit()) return false;
    const fs::path next = chartWithDigit(chart_->files().chart, digit);
    close();
    open(next);
    return true;
}

void ScrollResView::close() {
    formats::ReviewDisplay& display = chart_->display();
    for (int c = 0; c < chart_->channels(); ++c) {
        display.entries[static_cast<std::size_t>(c)].offset = static_cast<std::int16_t>(offsetThousandths(c));
    }
    chart_->save();
}

std::size_t ScrollResView::onsetPoint(int i) const {
    const std::size_t onset = presentation(i).onset;
    return positions_.count() == 0 ? 0 : std::min(onset, positions_.count() - 1);
}

double ScrollResView::xOf(std::size_t point) const {
    return positions_.count() == 0 ? 0 : positions_.x(std::min(point, positions_.count() - 1));
}

void ScrollResView::select(int i) {
    if (i < 1 || i > presentationCount()) return;
    current_ = i;
    const int cur = static_cast<int>(xOf(onsetPoint(i)));
    const int prev = i > 1 ? static_cast<int>(xOf(onsetPoint(i - 1))) : 0;
    const int next = i < presentationCount() ? static_cast<int>(xOf(onsetPoint(i + 1))) : totalWidth() - 1;
    // Show the presentation with its neighbours when they fit, else from its onset.
    int position = cur;
    if (next - prev < width_) {
        position = std::max(prev - 2, 0);
    } else if (next - cur < width_) {
        position = next - width_;
    }
    scrollTo(position);
    cursor_ = onsetPoint(i);
    redrawAll();
}

std::string ScrollResView::questionLine() const {
    if (current_ == 0) return {};
    const Presentation& p = presentation(current_);
    std::string text = p.text;
    if (text.empty() || text.back() != '?') text += " ?";
    return std::to_string(p.row) + "." + (p.excluded ? "*" : "") + p.sign + "." + p.answer + "." + text;
}

core::Rgb ScrollResView::questionLineColour() const {
    return chart_->exam().types().signToColour(questionLine());
}

void ScrollResView::toggleExclusion() {
    if (current_ == 0) return;
    formats::TQtFile& table = chart_->table();
    table.SetExcluded(current_, !table.IsExcluded(current_));
    Presentation& p = presentations_[static_cast<std::size_t>(current_ - 1)];
    p.excluded = table.IsExcluded(current_);
    p.colour = chart_->exam().types().signToColour(p.excluded ? "*" : p.sign);
    redrawAll();
}

void ScrollResView::toggleZoom() {
    zoom_ = zoom_ == 1 ? kZoomedIn : 1;
    positions_ = ScreenPositions(chart_->chart().marks, chart_->count(), resolution_, zoom_);
    position_ = std::clamp(position_, 0, scrollMaximum());
    redrawAll();
    if (current_ > 0) select(current_);
}

bool ScrollResView::scrollBarShown() const {
    return totalWidth() >= width_;
}

int ScrollResView::scrollMaximum() const {
    return scrollBarShown() ? std::max(0, totalWidth() - width_ - 2) : 0;
}

void ScrollResView::scrollTo(int position) {
    position_ = std::clamp(position, 0, scrollMaximum());
}

ScrollResPicture ScrollResView::draw(const core::TextMeasure& measure, const core::TextStyle& labelStyle) {
    ScrollResPicture picture;
    if (lastDrawn_ == position_) {
        picture.width = width_;
        picture.height = height_;
        picture.background = settings_.background;
        picture.unchanged = true;
        return picture;
    }
    PictureFrame frame;
    frame.x = &positions_.xs();
    frame.left = position_;
    frame.width = width_;
    frame.height = height_;
    frame.measure = &measure;
    frame.labelStyle = labelStyle;
    const bool atEnd = !scrollBarShown() || position_ >= scrollMaximum();
    if (atEnd) frame.endLine = width_ - 2;
    const int moved = lastDrawn_ < 0 ? width_ : position_ - lastDrawn_;
    frame.stripFrom = 0;
    frame.stripTo = width_;
    double shift = 0;
    if (std::abs(moved) < width_) {
        shift = moved;
        if (moved > 0) {
            frame.stripFrom = width_ - moved;
            // The end line's label must not be cut by the strip's edge.
            if (atEnd) frame.stripFrom = std::max(0.0, std::min(frame.stripFrom, width_ - 6 - measure.width("XX", labelStyle)));
        } else {
            frame.stripTo = -moved;
        }
    }
    picture = drawScrollRes(screenSource(), frame);
    picture.shift = shift;
    lastDrawn_ = position_;
    return picture;
}

}  // namespace lumo::review
