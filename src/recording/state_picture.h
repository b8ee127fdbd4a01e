#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "recording/score_board.h"
#include "recording/state_estimate.h"

// The pictures of the state estimate in pixels, free of any toolkit: the two
// moving traces, the histogram bars of the acquisition window and the step
// outline of the summary. The windows only paint what these say.
namespace lumo::recording {

// Width of a text in the painter's font, in pixels.
using TextWidth = std::function<int(const std::string& text)>;

// One packet's step of the two traces (pulse, skin resistance).
struct TraceStep {
    bool scroll = false;  // move the picture left by one pixel first
    bool first = false;   // nothing to join: draw the points alone
    int x = 0;            // the new points' column
    std::array<int, 2> fromY{};  // the previous points, in column x - 1
    std::array<int, 2> toY{};
};

// The raw converter readings of channels 0 and 5 as two traces moving right
// one pixel per packet; once they reach 15 pixels short of the right edge the
// picture moves left under them instead.
class TraceStrip {
public:
    static constexpr int kRightMargin = 15;

    // Per trace: drawn as 4096 - adc (the channel's ChPolar is "-").
    explicit TraceStrip(std::array<bool, 2> inverted = {false, false}) : inverted_(inverted) {}

    // A new picture size; the traces start again at the left edge.
    void resize(int width, int height);
    TraceStep advance(std::array<int, 2> adc);

    // y = round((height - 1) - value / 4096 x (height - 2)).
    static int traceY(int value, int height);

private:
    std::array<bool, 2> inverted_;
    int width_ = 0;
    int height_ = 0;
    int x_ = -1;
    std::array<int, 2> lastY_{};
};

// The texts of the twelve bins, their centre periods: "0.35" ... "1.45".
std::array<std::string, kHistogramBins> binLabels();

// The histogram of the acquisition window over a black panel: twelve bars of
// height count / n of the plot, the highest (the first on a tie) red and the
// others yellow, the centre periods below them centred on the width of
// "0.55", and P as a whole percentage over the highest bar. Empty bars and no
// percentage while nothing was accepted.
BoardPicture histogramPicture(const StateStatistics& statistics, int width, int height, int textHeight,
                              const TextWidth& textWidth);

// The summary's histogram: a filled step outline of the same twelve bins
// (from the bottom-left corner over every bin's level to the bottom-right
// corner) and the same labels.
struct StepOutline {
    std::vector<BoardPoint> polygon;
    std::vector<BoardText> labels;
};
StepOutline histogramOutline(const StateStatistics& statistics, int width, int height, int textHeight,
                             const TextWidth& textWidth);

}  // namespace lumo::recording
