// The Calc page of the scrolling review: the cursor, the channel readouts
// and the hand scores of the current presentation.
#include <algorithm>
#include <cmath>

#include "core/numbers.h"
#include "core/text_format.h"
#include "review/scroll_res_view.h"

namespace lumo::review {

int ScrollResView::cursorColumn() const {
    return static_cast<int>(xOf(cursor_)) - position_;
}

void ScrollResView::clickColumn(int column) {
    if (positions_.count() == 0) return;
    cursor_ = positions_.pointAtColumn(static_cast<long long>(position_) + column);
}

bool ScrollResView::pointInWindow(std::size_t point) const {
    const double x = xOf(point) - position_;
    return x >= 0 && x < width_;
}

bool ScrollResView::moveCursor(CursorKey key) {
    const std::size_t count = positions_.count();
    if (count == 0) return false;
    std::size_t target = cursor_;
    switch (key) {
        case CursorKey::Left:
            if (cursor_ == 0) return false;
            target = cursor_ - 1;
            break;
        case CursorKey::Right:
            if (cursor_ + 1 >= count) return false;
            target = cursor_ + 1;
            break;
        case CursorKey::CtrlLeft:
        case CursorKey::CtrlRight: {
            const int step = width_ / 16 * (key == CursorKey::CtrlLeft ? -1 : 1);
            const long long column = static_cast<long long>(xOf(cursor_)) + step;
            if (column < 0) return false;
            target = positions_.pointAtColumn(column);
            // Past the chart's end there is no point to go to.
            if (key == CursorKey::CtrlRight && column > static_cast<long long>(xOf(count - 1))) return false;
            break;
        }
    }
    if (target == cursor_ || !pointInWindow(target)) return false;
    cursor_ = target;
    return true;
}

std::vector<Readout> ScrollResView::readouts() const {
    std::vector<Readout> panels;
    const DrawnValues& values = chart_->values();
    for (int c : channelsBySlot(settings_, chart_->channels())) {
        const ScrollResChannelSettings& channel = settings_.channels[static_cast<std::size_t>(c)];
        const int value = cursor_ < values.count() ? values.readout(c, cursor_) : 0;
        panels.push_back({c, visible_[static_cast<std::size_t>(c)], channel.name + " : " + std::to_string(value),
                          channel.colour});
    }
    return panels;
}

std::string ScrollResView::seconds() const {
    return core::formatText("%.1f", {static_cast<double>(cursor_) / kPointsPerSecond});
}

namespace {

bool takesHandScores(int type) {
    return type == 1 || type == 2;  // relevant, informative
}

std::string scoreText(double score) {
    return std::isfinite(score) ? std::to_string(core::rnd(score)) : "0";
}

}  // namespace

HandScoreFieldsState ScrollResView::handScores() const {
    HandScoreFieldsState state;
    state.sum = "0";
    if (current_ == 0 || !takesHandScores(presentation(current_).type)) return state;
    state.enabled = true;
    const formats::TQtFile& table = chart_->table();
    for (int f = 0; f < kHandScoreFields; ++f) {
        const double score = table.HandScore(current_, f + 1);
        state.values[static_cast<std::size_t>(f)] =
            std::isfinite(score) ? static_cast<int>(std::clamp<std::int64_t>(core::rnd(score), kLowestHandScore, kHighestHandScore))
                                 : 0;
    }
    state.sum = scoreText(table.HandScore(current_, 4));
    return state;
}

void ScrollResView::setHandScore(int field, int value) {
    if (field < 0 || field >= kHandScoreFields || current_ == 0 || !takesHandScores(presentation(current_).type)) return;
    formats::TQtFile& table = chart_->table();
    // The other fields as they show, so the sum is what the examiner sees.
    HandScoreFieldsState state = handScores();
    state.values[static_cast<std::size_t>(field)] = std::clamp(value, kLowestHandScore, kHighestHandScore);
    int sum = 0;
    for (int f = 0; f < kHandScoreFields; ++f) {
        table.SetHandScore(current_, f + 1, static_cast<float>(state.values[static_cast<std::size_t>(f)]));
        sum += state.values[static_cast<std::size_t>(f)];
    }
    table.SetHandScore(current_, 4, static_cast<float>(sum));
}

}  // namespace lumo::review
