// The Edit page of the scrolling review: each channel's gain code and
// vertical offset, and what the drawings make of them.
#include <algorithm>
#include <cmath>
#include <limits>

#include "formats/review_display.h"
#include "review/scroll_res_view.h"

namespace lumo::review {

bool ScrollResView::channelVisible(int channel) const {
    return channel >= 0 && channel < kReviewChannels && visible_[static_cast<std::size_t>(channel)];
}

int ScrollResView::gainCode(int channel) const {
    return chart_->display().entries[static_cast<std::size_t>(channel)].gainCode;
}

std::vector<EditField> ScrollResView::editFields() const {
    std::vector<EditField> fields;
    for (int c = 0; c < chart_->channels(); ++c) {
        if (!visible_[static_cast<std::size_t>(c)]) continue;
        const double centre = chart_->count() > 0 ? chart_->scale().at(c, 0).centre * (height_ - 2) / 1000.0 : 0;
        fields.push_back({c, gainCode(c) - formats::kReviewUnitGainCode,
                          static_cast<int>(std::nearbyint(centre)) + offsets_[static_cast<std::size_t>(c)]});
    }
    return fields;
}

void ScrollResView::setGainNumber(int channel, int number) {
    if (channel < 0 || channel >= chart_->channels()) return;
    chart_->display().entries[static_cast<std::size_t>(channel)].gainCode =
        static_cast<std::uint8_t>(std::clamp(number + formats::kReviewUnitGainCode, 0, int{formats::kReviewMaxGainCode}));
}

int ScrollResView::dragOffset(int channel, int dy, int lowestY) {
    if (channel < 0 || channel >= chart_->channels()) return 0;
    int y = 0;
    for (const EditField& field : editFields()) {
        if (field.channel == channel) y = field.y;
    }
    const int applied = dy < 0 ? std::max(dy, std::min(0, lowestY - y)) : dy;
    if (applied == 0) return 0;
    offsets_[static_cast<std::size_t>(channel)] += applied;
    offsetMoved_[static_cast<std::size_t>(channel)] = true;
    return applied;
}

int ScrollResView::offsetThousandths(int channel) const {
    const auto c = static_cast<std::size_t>(channel);
    // An offset the examiner left alone keeps its stored value: converting it
    // to pixels and back would shrink it a little at every opening.
    if (!offsetMoved_[c]) return chart_->display().entries[c].offset;
    const long long thousandths = static_cast<long long>(offsets_[c]) * 1000 / (height_ - 2);
    return static_cast<int>(std::clamp<long long>(thousandths, std::numeric_limits<std::int16_t>::min(),
                                                  std::numeric_limits<std::int16_t>::max()));
}

PictureSource ScrollResView::source(const std::array<double, kReviewChannels>& offsets) const {
    PictureSource source;
    source.settings = &settings_;
    source.values = &chart_->values();
    source.scale = &chart_->scale();
    source.changes = &chart_->changes();
    source.lonelyReady = &chart_->lonelyReady();
    source.marks = &chart_->chart().marks;
    for (const Presentation& p : presentations_) {
        source.presentations.push_back({p.onset, std::to_string(p.row),
                                        "(" + p.answer + (p.excluded ? "*" : "") + p.sign + ")  ", p.colour});
    }
    for (int c = 0; c < chart_->channels(); ++c) {
        const auto i = static_cast<std::size_t>(c);
        source.channels[i] = {visible_[i], formats::reviewGainFactor(gainCode(c)), offsets[i]};
    }
    return source;
}

PictureSource ScrollResView::screenSource() const {
    std::array<double, kReviewChannels> offsets{};
    std::copy(offsets_.begin(), offsets_.end(), offsets.begin());
    return source(offsets);
}

PictureSource ScrollResView::paperSource(double area) const {
    std::array<double, kReviewChannels> offsets{};
    for (int c = 0; c < chart_->channels(); ++c) offsets[static_cast<std::size_t>(c)] = offsetThousandths(c) * area / 1000;
    return source(offsets);
}

}  // namespace lumo::review
