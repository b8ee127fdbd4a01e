#include "recording/state_picture.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/numbers.h"

namespace lumo::recording {

namespace {

constexpr core::Rgb kRed{255, 0, 0};
constexpr core::Rgb kYellow{255, 255, 0};
constexpr core::Rgb kWhite{255, 255, 255};
constexpr int kConverterSpan = 4096;
constexpr double kBarGap = 0.15;  // of a bin's width, on either side of its bar

// Where the twelve bins go on a panel: a plot between room for a text above
// and the labels below, one equal slot per bin.
class BinLayout {
public:
    BinLayout(int width, int height, int textHeight)
        : width_(std::max(width, 0)),
          plotTop_(textHeight + 2),
          plotBottom_(std::max(plotTop_, height - textHeight - 4)) {}

    int left(int bin) const { return static_cast<int>(std::lround(bin * slot())); }
    int right(int bin) const { return left(bin + 1); }
    int centre(int bin) const { return static_cast<int>(std::lround((bin + 0.5) * slot())); }
    int bottom() const { return plotBottom_; }
    // The top of a bin holding `count` of `total`.
    int level(std::uint32_t count, std::uint32_t total) const {
        if (total == 0) return plotBottom_;
        const double share = std::min(1.0, double(count) / total);
        return plotBottom_ - static_cast<int>(std::lround(share * (plotBottom_ - plotTop_)));
    }
    int width() const { return width_; }

    std::vector<BoardText> labels(const TextWidth& textWidth) const {
        const int half = textWidth("0.55") / 2;
        const std::array<std::string, kHistogramBins> texts = binLabels();
        std::vector<BoardText> labels;
        for (int bin = 0; bin < kHistogramBins; ++bin) {
            labels.push_back({{centre(bin) - half, plotBottom_ + 2}, texts[static_cast<std::size_t>(bin)], kWhite});
        }
        return labels;
    }

private:
    double slot() const { return width_ / double(kHistogramBins); }

    int width_;
    int plotTop_;
    int plotBottom_;
};

}  // namespace

void TraceStrip::resize(int width, int height) {
    width_ = width;
    height_ = height;
    x_ = -1;
}

int TraceStrip::traceY(int value, int height) {
    return static_cast<int>(core::rnd((height - 1) - double(value) / kConverterSpan * (height - 2)));
}

TraceStep TraceStrip::advance(std::array<int, 2> adc) {
    TraceStep step;
    for (std::size_t t = 0; t < adc.size(); ++t) {
        const int value = inverted_[t] ? kConverterSpan - adc[t] : adc[t];
        step.toY[t] = traceY(value, height_);
    }
    const int limit = std::max(1, width_ - kRightMargin);
    if (x_ < 0) {
        x_ = 0;
        step.first = true;
    } else if (x_ + 1 >= limit) {
        step.scroll = true;
    } else {
        ++x_;
    }
    step.x = x_;
    step.fromY = step.first ? step.toY : lastY_;
    lastY_ = step.toY;
    return step;
}

std::array<std::string, kHistogramBins> binLabels() {
    std::array<std::string, kHistogramBins> labels;
    for (int l = 1; l <= kHistogramBins; ++l) {
        char text[16];
        std::snprintf(text, sizeof text, "%.2f", binCentre(l));
        labels[static_cast<std::size_t>(l - 1)] = text;
    }
    return labels;
}

BoardPicture histogramPicture(const StateStatistics& s, int width, int height, int textHeight,
                              const TextWidth& textWidth) {
    BoardPicture picture;
    picture.width = width;
    picture.height = height;
    const BinLayout layout(width, height, textHeight);
    if (s.count > 0) {
        const int highest = s.highestBin();
        for (int bin = 0; bin < kHistogramBins; ++bin) {
            const int gap = static_cast<int>(std::lround((layout.right(bin) - layout.left(bin)) * kBarGap));
            const int top = layout.level(s.histogram[static_cast<std::size_t>(bin)], s.count);
            picture.items.emplace_back(BoardRect{{layout.left(bin) + gap, top},
                                                 {layout.right(bin) - gap, layout.bottom()},
                                                 bin == highest ? kRed : kYellow});
        }
        const std::string percent = std::to_string(core::rnd(s.mainToneProbability() * 100)) + "%";
        const int top = layout.level(s.histogram[static_cast<std::size_t>(highest)], s.count);
        picture.items.emplace_back(
            BoardText{{layout.centre(highest) - textWidth(percent) / 2, top - textHeight - 1}, percent, kWhite});
    }
    for (BoardText& label : layout.labels(textWidth)) picture.items.emplace_back(std::move(label));
    return picture;
}

StepOutline histogramOutline(const StateStatistics& s, int width, int height, int textHeight,
                             const TextWidth& textWidth) {
    const BinLayout layout(width, height, textHeight);
    StepOutline outline;
    outline.polygon.push_back({0, layout.bottom()});
    for (int bin = 0; bin < kHistogramBins; ++bin) {
        const int level = layout.level(s.histogram[static_cast<std::size_t>(bin)], s.count);
        outline.polygon.push_back({layout.left(bin), level});
        outline.polygon.push_back({layout.right(bin), level});
    }
    outline.polygon.push_back({layout.width(), layout.bottom()});
    outline.labels = layout.labels(textWidth);
    return outline;
}

}  // namespace lumo::recording
