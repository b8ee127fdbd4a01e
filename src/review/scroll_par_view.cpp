#include "review/scroll_par_view.h"

#include <algorithm>

#include "core/cp1251.h"
#include "core/settings.h"
#include "core/text_format.h"
#include "core/texts/review.h"
#include "review/scroll_par_drawing.h"

namespace lumo::review {

namespace {

constexpr int kLargeStep = 16;
constexpr core::Rgb kLitHeader{192, 192, 192};
constexpr core::Rgb kHeader{128, 128, 128};

}  // namespace

ParameterScroll::ParameterScroll(const core::Settings& settings, const core::Texts& texts, ReviewTarget target)
    : texts_(texts),
      target_(std::move(target)),
      channels_(readParChannelSettings(settings)),
      exam_(reviewFiles(target_.chartFile).exam, core::kExamTypeCounters, core::QuestionTypes(settings)),
      available_(existingCharts(target_.chartFile)) {}

std::string ParameterScroll::caption() const {
    const std::string exam = core::upperCase(target_.chartFile.stem().string());
    return core::formatText(texts_(txt::ScrlParCaption), {target_.fileCode, exam, target_.examineeName});
}

std::vector<std::string> ParameterScroll::scaleEntries() const {
    return {texts_(txt::ScrlParAtAll), texts_(txt::ScrlParX2), texts_(txt::ScrlParX4), texts_(txt::ScrlParX8),
            texts_(txt::ScrlParStandard)};
}

std::size_t ParameterScroll::index(int p) {
    return p == 2 ? 1 : 0;
}

ParPanel& ParameterScroll::panel(int p) {
    return panels_[index(p)];
}

const ParPanel& ParameterScroll::panel(int p) const {
    return panels_[index(p)];
}

bool ParameterScroll::chartAvailable(int digit) const {
    return digit >= 1 && digit <= 9 && available_[static_cast<std::size_t>(digit)];
}

void ParameterScroll::layOut(ParPanel& panel) {
    panel.layOut(scale_, panelWidth_, panelHeight_, scrollBarHeight_, resolution_);
}

void ParameterScroll::setPanelSize(int width, int height, int scrollBarHeight) {
    panelWidth_ = width;
    panelHeight_ = height;
    scrollBarHeight_ = scrollBarHeight;
    for (ParPanel& panel : panels_) layOut(panel);
}

std::string ParameterScroll::open() {
    const int digit = reviewFiles(target_.chartFile).digit;
    for (ParPanel& panel : panels_) panel.load(target_.chartFile, digit, exam_, texts_);
    applyScale(ParScale::AtAll);
    // Both panels read the same files: their problems are told once.
    return problemText(1);
}

void ParameterScroll::applyScale(ParScale scale) {
    scale_ = scale;
    infoRow_ = 0;
    shown_ = {};
    for (ParPanel& panel : panels_) layOut(panel);
}

bool ParameterScroll::chooseChart(int p, int digit) {
    if (loading_ || !chartAvailable(digit)) return false;
    ParPanel& chosen = panel(p);
    chosen.load(target_.chartFile, digit, exam_, texts_);
    layOut(chosen);
    infoRow_ = 0;
    shown_[index(p)] = false;
    return true;
}

std::string ParameterScroll::problemText(int p) const {
    const ParPanel& shown = panel(p);
    if (shown.problems().empty()) return {};
    std::string text = core::formatText(texts_(txt::ScrlParReadProblems), {static_cast<long long>(shown.chartDigit())});
    for (const std::string& problem : shown.problems()) text += "\n" + problem;
    return text;
}

ParStrip ParameterScroll::draw(int p, const ParTextMeasure& measure) {
    return drawParPanel(panel(p), channels_, measure, texts_);
}

std::string ParameterScroll::failureText(const ParDrawingFailure& failure) const {
    return texts_(txt::ScrlParException) + failure.reason() + "\n" + texts_(txt::ScrlParCondition) + failure.step();
}

bool ParameterScroll::scrollTo(int p, int position) {
    ParPanel& moved = panel(p);
    moved.setPosition(position);
    return moved.position() != moved.lastDrawn();
}

int ParameterScroll::largeStep(int p, int direction) const {
    const ParPanel& moved = panel(p);
    return std::clamp(moved.position() + direction * kLargeStep, 0, moved.scrollMaximum());
}

void ParameterScroll::toggleGrid(int p) {
    ParPanel& switched = panel(p);
    switched.setGrid(!switched.grid());
    switched.invalidate();
}

ParInfo ParameterScroll::infoOf(int p, int row) const {
    const ParRow& shown = panel(p).rows()[static_cast<std::size_t>(row - 1)];
    return {shown.info, shown.infoColour};
}

std::optional<ParInfo> ParameterScroll::press(int p, int x) {
    const ParPanel& pressed = panel(p);
    const int row = pressed.rowAt(pressed.pointAt(x));
    if (row == 0) return std::nullopt;
    infoRow_ = row;
    shown_[index(p)] = true;
    return infoOf(p, row);
}

void ParameterScroll::release(int p) {
    shown_[index(p)] = false;
}

std::optional<ParInfo> ParameterScroll::stepInfo(int p) {
    const int rows = panel(p).rowCount();
    infoRow_ = (infoRow_ + 1) % (rows + 1);
    shown_[index(p)] = infoRow_ != 0;
    if (infoRow_ == 0) return std::nullopt;
    return infoOf(p, infoRow_);
}

ParEscape ParameterScroll::escape() {
    for (int p = 1; p <= 2; ++p) {
        if (!shown_[index(p)]) continue;
        shown_[index(p)] = false;
        infoRow_ = 0;
        return p == 1 ? ParEscape::HideUpper : ParEscape::HideLower;
    }
    return ParEscape::Close;
}

void ParameterScroll::focusEntered(int p) {
    infoRow_ = 0;
    focused_[index(p)] = true;
}

void ParameterScroll::focusLeft(int p) {
    focused_[index(p)] = false;
}

core::Rgb ParameterScroll::headerColour(int p) const {
    return focused_[index(p)] ? kLitHeader : kHeader;
}

void ParameterScroll::deactivate() {
    for (ParPanel& panel : panels_) panel.invalidate();
}

}  // namespace lumo::review
