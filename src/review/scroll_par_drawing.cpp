#include "review/scroll_par_drawing.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <exception>

#include "core/numbers.h"
#include "core/settings.h"
#include "core/text_format.h"
#include "core/texts/review.h"
#include "formats/mark_word.h"
#include "review/scroll_par_bands.h"
#include "review/scroll_par_panel.h"

namespace lumo::review {

namespace {

constexpr core::Rgb kGrey{128, 128, 128};
constexpr core::Rgb kCyan{0, 255, 255};
constexpr core::Rgb kWhite{255, 255, 255};
constexpr int kEdgeLineWidth = 3;
constexpr int kGlyphSpacing = 8;  // ticks and hatches of the marks
constexpr int kTickHalf = 3;
constexpr int kHatchHalf = 4;
constexpr int kGridDotSpacing = 4;
const char* const kMargin = "QQQ";

class PanelDrawing {
public:
    PanelDrawing(ParPanel& panel, const ParChannelSettings& channels, const ParTextMeasure& measure,
                 const core::Texts& texts)
        : panel_(panel), channels_(channels), measure_(measure), texts_(texts), values_(panel.chart()) {}

    const char* step() const { return step_; }

    ParStrip run() {
        readVisibility();
        step_ = "MminChannels";
        const formats::TLumoChart_7_1& chart = panel_.chart();
        channelCount_ = std::clamp(static_cast<int>(chart.channelCount), 0, kParChannels);
        step_ = "Brush to black";
        strip_.width = panel_.area().width;
        strip_.height = panel_.area().height;
        step_ = "Scrl Max";
        step_ = "Scrl Visible";
        step_ = "ChZ ParPerPix";
        layBands();
        step_ = "Testing xPos";
        chooseStrip();
        seek();
        step_ = "FillRect";
        fill();
        step_ = "Test SPP";
        if (panel_.samplesPerPixel() > 1) {
            walkColumns();
        } else {
            walkPoints();
        }
        for (ParTrace& trace : traces_) {
            if (trace.points.size() > 1) strip_.items.emplace_back(std::move(trace));
        }
        step_ = "XX";
        endLine();
        step_ = "MarkQType";
        questionLabels();
        step_ = "xPos";
        panel_.setLastDrawn(panel_.position());
        return std::move(strip_);
    }

private:
    void readVisibility() {
        for (int c = 0; c < kParChannels; ++c) {
            const auto gain = panel_.initialGain(c);
            visible_[static_cast<std::size_t>(c)] = channels_.shown[static_cast<std::size_t>(c)] && (!gain || *gain != 0);
        }
    }

    void layBands() {
        const int bad = parBands(channels_, channelCount_, strip_.height, panel_.chart(), bands_);
        if (bad >= 0) {
            const long long weight = channels_.weights[static_cast<std::size_t>(bad)];
            throw EConvertError(core::formatText(texts_(txt::ScrlParBadWeight), {static_cast<long long>(bad), weight}));
        }
        for (int c = 0; c < channelCount_; ++c) {
            const auto i = static_cast<std::size_t>(c);
            if (visible_[i] && bands_[i].scale != 0) {
                drawn_.push_back(c);
                traces_.push_back({c, channels_.colours[i], {}});
            }
        }
    }

    // Which columns are drawn anew, and what is kept by moving it.
    void chooseStrip() {
        const int l = panel_.position();
        const int last = panel_.lastDrawn();
        const int width = strip_.width;
        if (last < 0 || last == l || std::abs(last - l) >= width) {
            full_ = true;
            strip_.first = 0;
            strip_.last = width;
        } else if (l > last) {
            step_ = "CopyRect when <";
            const int moved = l - last;
            strip_.shift = ParShift{moved, width, -moved};
            strip_.first = width - moved;
            strip_.last = width;
        } else {
            step_ = "CopyRect else";
            const int moved = last - l;
            strip_.shift = ParShift{0, width - moved, moved};
            strip_.first = 0;
            strip_.last = moved;
        }
    }

    // The point the walk starts at and every trace's level before it. Every
    // position is taken from the chart's own columns (absolute column a holds
    // the points round(a x SPP) ... round((a + 1) x SPP) - 1), so a strip
    // joins the kept picture exactly as a drawing from scratch would.
    void seek() {
        const int l = panel_.position();
        const double spp = panel_.samplesPerPixel();
        const bool columns = spp > 1;
        const bool forward = !full_ && l > panel_.lastDrawn();
        const bool backward = !full_ && !forward;
        if (full_ && l > 0) step_ = "Seek when xPos";
        if (forward) step_ = columns ? "Seek when xPos < Pos & SamPerPix > 1" : "PosX, SPP > 1";
        if (backward) step_ = l > 0 ? "Seek Else, Pos > 0" : "Seek Else, Pos = 0";
        const std::int64_t count = panel_.chart().count;
        // The walk starts a margin before the strip (not before the chart), so
        // that lines and labels reaching into the strip from the left are drawn again.
        start_ = std::max(strip_.first - measure_.width(kMargin), -l);
        const double column = static_cast<double>(l) + start_;
        if (columns) {
            point_ = std::max<std::int64_t>(core::rnd(column * spp), 0);
        } else {
            if (forward) step_ = "Seek, SPP > 1";
            point_ = std::max<std::int64_t>(static_cast<std::int64_t>(std::floor(column * spp)) - 1, 0);
        }
        if (full_ && l > 0) step_ = "Setting PosY when xPos";
        if (forward) step_ = columns ? "PosY when xPos < Pos & SamPerPix > 1" : "PosY, SPP > 1";
        if (backward) step_ = l > 0 ? "PosY Else, Pos > 0" : "PosY Else, Pos = 0";
        if (count == 0) return;
        // Where the column or point before the strip left every trace; at the
        // chart's start its first point, so no trace comes in from outside its band.
        std::array<double, kParChannels> level{};
        for (const int c : drawn_) level[static_cast<std::size_t>(c)] = values_(c, 0);
        if (columns && point_ > 0 && point_ < count) {
            std::array<double, kParChannels> low{};
            const std::int64_t from = std::max<std::int64_t>(core::rnd((column - 1) * spp), 0);
            columnRange(from, point_, low, level);
        } else if (!columns && point_ > 0 && point_ < count) {
            for (const int c : drawn_) level[static_cast<std::size_t>(c)] = values_(c, static_cast<std::size_t>(point_ - 1));
        }
        const int x = columns ? start_ : pointX(point_ - 1);
        for (std::size_t k = 0; k < drawn_.size(); ++k) {
            const auto c = static_cast<std::size_t>(drawn_[k]);
            traces_[k].points.reserve(static_cast<std::size_t>(2 * (strip_.last - start_ + 64)));
            traces_[k].points.push_back({x, bands_[c].y(level[c])});
        }
    }

    // The smallest and largest drawn values of points from ... to - 1 (the
    // chart's last point is never taken, as in the walk).
    void columnRange(std::int64_t from, std::int64_t to, std::array<double, kParChannels>& low,
                     std::array<double, kParChannels>& high) const {
        low.fill(1e20);
        high.fill(-1e20);
        const std::int64_t end = std::min<std::int64_t>(to, panel_.chart().count - 1);
        for (std::int64_t p = from; p < end; ++p) {
            for (const int c : drawn_) {
                const auto i = static_cast<std::size_t>(c);
                const double v = values_(c, static_cast<std::size_t>(p));
                low[i] = std::min(low[i], v);
                high[i] = std::max(high[i], v);
            }
        }
    }

    // Point mode: the column where the segment of point p ends.
    int pointX(std::int64_t p) const {
        return static_cast<int>(core::rnd(static_cast<double>(p + 1) / panel_.samplesPerPixel()) - panel_.position());
    }

    void fill() {
        strip_.items.emplace_back(ParFill{strip_.first, strip_.last, channels_.background});
        const int x = -panel_.position();
        strip_.items.emplace_back(ParLine{{x, 0}, {x, strip_.height - 1}, kCyan, kEdgeLineWidth});
        labelRight(x, "X");
    }

    void walkColumns() {
        const formats::TLumoChart_7_1& chart = panel_.chart();
        const std::int64_t count = chart.count;
        const double spp = panel_.samplesPerPixel();
        const double l = panel_.position();
        const std::int64_t limit = strip_.last + measure_.width(kMargin);
        std::array<double, kParChannels> low{};
        std::array<double, kParChannels> high{};
        for (std::int64_t r = start_;; ++r) {
            step_ = "SPP > 1, DoWhile";
            if (!(point_ < count - 1 && r < limit)) break;
            step_ = "SPP > 1, Prep";
            low.fill(1e20);
            high.fill(-1e20);
            const std::int64_t end = core::rnd((l + static_cast<double>(r) + 1) * spp);
            const int x = static_cast<int>(r);
            do {
                step_ = "SPP > 1, Read";
                const auto p = static_cast<std::size_t>(point_);
                const std::uint16_t word = chart.marks[p];
                ++point_;
                step_ = "SPP > 1, Mark";
                if (word != 0) mark(word, p, x);
                step_ = "SPP > 1, BreakDance";
                if (point_ > count - 1) break;
                step_ = "SPP > 1, ChM";
                for (const int c : drawn_) {
                    const auto i = static_cast<std::size_t>(c);
                    const double v = values_(c, p);
                    low[i] = std::min(low[i], v);
                    high[i] = std::max(high[i], v);
                }
                step_ = "SPP > 1, until";
            } while (point_ < end);
            step_ = "SPP > 1, Draw";
            for (std::size_t k = 0; k < drawn_.size(); ++k) {
                const auto i = static_cast<std::size_t>(drawn_[k]);
                if (low[i] > high[i]) continue;
                traces_[k].points.push_back({x + 1, bands_[i].y(low[i])});
                traces_[k].points.push_back({x + 1, bands_[i].y(high[i])});
            }
        }
    }

    void walkPoints() {
        const formats::TLumoChart_7_1& chart = panel_.chart();
        const std::int64_t count = chart.count;
        const int limit = strip_.last + measure_.width(kMargin);
        for (;;) {
            step_ = "SPP <= 1, DoWhile";
            if (!(point_ < count - 1 && pointX(point_ - 1) < limit)) break;
            step_ = "SPP <= 1, Read";
            const auto p = static_cast<std::size_t>(point_);
            const std::uint16_t word = chart.marks[p];
            step_ = "SPP <= 1, Mark";
            if (word != 0) mark(word, p, pointX(point_ - 1));
            step_ = "SPP <= 1, Draw";
            const int x = pointX(point_);
            for (std::size_t k = 0; k < drawn_.size(); ++k) {
                const int c = drawn_[k];
                traces_[k].points.push_back({x, bands_[static_cast<std::size_t>(c)].y(values_(c, p))});
            }
            ++point_;
        }
    }

    // The time grid and the event line of one mark word at column x.
    void mark(std::uint16_t word, std::size_t point, int x) {
        if (word >= formats::kMarkSpeed) return;
        const int gridStep = panel_.scale() == ParScale::AtAll ? 10 : 5;
        if (panel_.grid() && word % formats::kMarkDigit != 0 && word % gridStep == 0) {
            strip_.items.emplace_back(ParDots{x, kGridDotSpacing, strip_.height / kGridDotSpacing + 1, kGrey});
        }
        const int event = formats::markEvent(word);
        if (event == 0) return;
        const bool ready = event == formats::markEvent(formats::kMarkReady);
        if (ready && !panel_.isLonelyReady(point)) return;
        strip_.items.emplace_back(ParLine{{x, 0}, {x, strip_.height - 1}, kGrey, 1});
        if (event == formats::markEvent(formats::kMarkAnswerYes)) labelRight(x, "(+)");
        if (event == formats::markEvent(formats::kMarkAnswerNo)) labelLeft(x, "(-)");
        if (ready) {
            for (int y = 0; y < strip_.height; y += kGlyphSpacing) {
                strip_.items.emplace_back(ParLine{{x - kTickHalf, y}, {x + kTickHalf, y}, kGrey, 1});
            }
        }
        if (formats::isArtefactMark(word)) {
            for (int y = 0; y < strip_.height; y += kGlyphSpacing) {
                strip_.items.emplace_back(
                    ParLine{{x - kHatchHalf, y - kHatchHalf}, {x + kHatchHalf, y + kHatchHalf}, kGrey, 1});
            }
            const int artefact = event - formats::markEvent(formats::kMarkFirstArtefact);
            labelLeft(x, channels_.artefactNames[static_cast<std::size_t>(artefact)]);
        }
    }

    int labelTop() const { return strip_.height - 1 - measure_.height(); }
    void labelRight(int x, const std::string& text) {
        if (!text.empty()) strip_.items.emplace_back(ParText{{x + 1, labelTop()}, text, kWhite});
    }
    void labelLeft(int x, const std::string& text) {
        if (!text.empty()) strip_.items.emplace_back(ParText{{x - 1 - measure_.width(text), labelTop()}, text, kWhite});
    }

    void endLine() {
        if (panel_.position() != panel_.scrollMaximum()) return;
        const int x = strip_.width - 1;
        strip_.items.emplace_back(ParLine{{x, 0}, {x, strip_.height - 1}, kCyan, kEdgeLineWidth});
        labelLeft(x, "XX");
    }

    void questionLabels() {
        const std::int64_t n = panel_.samples();
        if (n == 0) return;
        const std::int64_t total = panel_.totalWidth();
        const int textHeight = measure_.height();
        const std::vector<ParRow>& rows = panel_.rows();
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const ParRow& row = rows[i];
            const auto x = static_cast<int>(static_cast<std::int64_t>(row.onset) * total / n + 3 - panel_.position());
            if (x >= strip_.width || x + measure_.width(row.label) < 0) continue;
            strip_.items.emplace_back(ParText{{x, strip_.height - 2 * textHeight}, row.label, row.colour});
            strip_.items.emplace_back(ParText{{x, 1}, std::to_string(i + 1), row.colour});
        }
    }

    ParPanel& panel_;
    const ParChannelSettings& channels_;
    const ParTextMeasure& measure_;
    const core::Texts& texts_;
    ParValues values_;
    const char* step_ = "";
    ParStrip strip_;
    int channelCount_ = 0;
    std::array<bool, kParChannels> visible_{};
    std::array<ParBand, kParChannels> bands_{};
    std::vector<int> drawn_;        // channels with a trace, in channel order
    std::vector<ParTrace> traces_;  // parallel to drawn_
    bool full_ = false;
    std::int64_t point_ = 0;  // S: the next point to read
    int start_ = 0;           // the column the walk starts at
};

}  // namespace

ParDrawingFailure::ParDrawingFailure(std::string step, const std::string& reason)
    : LumoError(reason), step_(std::move(step)), reason_(reason) {}

ParStrip drawParPanel(ParPanel& panel, const ParChannelSettings& channels, const ParTextMeasure& measure,
                      const core::Texts& texts) {
    PanelDrawing drawing(panel, channels, measure, texts);
    try {
        return drawing.run();
    } catch (const std::exception& error) {
        throw ParDrawingFailure(drawing.step(), error.what());
    }
}

}  // namespace lumo::review
