#include "review/scroll_res_drawing.h"

#include <algorithm>
#include <cmath>

#include "formats/mark_word.h"

namespace lumo::review {

double traceY(std::int32_t bandHeight, double area, double factor, double polarity, double value,
              const PointScale& scale, double offset, bool round) {
    const double band = bandHeight * area / 1000.0;
    double centre = scale.centre * area / 1000.0;
    if (round) centre = std::nearbyint(centre);
    const double y = band * factor * ((scale.offset + 1.0) / 2.0 - polarity * value * scale.gain / 16384.0) + centre + offset;
    return round ? std::nearbyint(y) : y;
}

namespace {

// A trace's points; on screen, the points that fall into one column fold
// into the stroke from their lowest to their highest y, so a column costs
// four points however many chart points it covers.
class TraceBuilder {
public:
    TraceBuilder(std::vector<PicPoint>& points, bool fold) : points_(points), fold_(fold) {}

    void add(double x, double y) {
        if (!fold_) {
            points_.push_back({x, y});
            return;
        }
        if (open_ && x == x_) {
            low_ = std::min(low_, y);
            high_ = std::max(high_, y);
            last_ = y;
            return;
        }
        flush();
        open_ = true;
        x_ = x;
        first_ = low_ = high_ = last_ = y;
    }

    void finish() { flush(); }

private:
    void push(double y) {
        if (points_.empty() || points_.back().x != x_ || points_.back().y != y) points_.push_back({x_, y});
    }
    void flush() {
        if (!open_) return;
        push(first_);
        // Ending at the last y keeps the next column's stroke joined.
        if (std::abs(last_ - high_) < std::abs(last_ - low_)) {
            push(low_);
            push(high_);
        } else {
            push(high_);
            push(low_);
        }
        push(last_);
        open_ = false;
    }

    std::vector<PicPoint>& points_;
    bool fold_;
    bool open_ = false;
    double x_ = 0;
    double first_ = 0, low_ = 0, high_ = 0, last_ = 0;
};

class Painter {
public:
    Painter(const PictureSource& source, const PictureFrame& frame, ScrollResPicture& picture)
        : s_(source), f_(frame), p_(picture), u_(frame.unit), area_(frame.height - 2 * frame.unit),
          lineHeight_(frame.measure->lineHeight(frame.labelStyle)) {}

    void run();

private:
    double px(std::size_t point) const { return (*f_.x)[point] - f_.left; }
    double textWidth(const std::string& text) const { return f_.measure->width(text, f_.labelStyle); }
    void line(double x0, double y0, double x1, double y1, core::Rgb colour, double width = 1, double dash = 0) {
        p_.lines.push_back({{x0, y0}, {x1, y1}, colour, width * u_, dash * u_, dash > 0 ? 3 * u_ : 0});
    }
    void label(double x, const std::string& text, core::TextAlign align) {
        p_.texts.push_back({{x, f_.height - u_ - lineHeight_}, text, kReviewWhite, true, align});
    }
    double channelY(int c, std::size_t valuePoint, std::size_t scalePoint) const {
        const ChannelLook& look = s_.channels[static_cast<std::size_t>(c)];
        return traceY(s_.scale->bandHeight(c), area_, look.factor,
                      s_.settings->channels[static_cast<std::size_t>(c)].polarity, s_.values->value(c, valuePoint),
                      s_.scale->at(c, scalePoint), look.offset, !f_.paper);
    }
    double reach() const;
    void drawMark(std::size_t point, double x, std::uint16_t mark, std::size_t& nextLonely);
    void drawGlyph(const ChangeEvent& change, double x);
    void glyphStroke(std::vector<PicPoint> points, core::Rgb colour) {
        p_.glyphs.push_back({-1, colour, 2 * u_, std::move(points)});
    }

    const PictureSource& s_;
    const PictureFrame& f_;
    ScrollResPicture& p_;
    const double u_;
    const double area_;
    const double lineHeight_;
};

double Painter::reach() const {
    double widest = textWidth("QQQ");
    for (const char* text : {"(+)", "(-)", "X", "XX"}) widest = std::max(widest, textWidth(text));
    for (const std::string& text : s_.settings->artefacts) widest = std::max(widest, textWidth(text));
    // Hatches and ticks stand out a few pixels on both sides of their line.
    return widest + 5 * u_;
}

void Painter::drawMark(std::size_t point, double x, std::uint16_t mark, std::size_t& nextLonely) {
    if (mark >= formats::kMarkSpeed) return;
    const double h = f_.height;
    const double every = 8 * u_;
    const std::vector<std::size_t>& lonely = *s_.lonelyReady;
    while (nextLonely < lonely.size() && lonely[nextLonely] < point) ++nextLonely;
    switch (formats::markEvent(mark)) {
        case 1:
        case 2: line(x, 0, x, h, kReviewGrey); break;
        case 3:
            line(x, 0, x, h, kReviewGrey);
            label(x + u_, "(+)", core::TextAlign::Left);
            break;
        case 4:
            line(x, 0, x, h, kReviewGrey);
            label(x - u_, "(-)", core::TextAlign::Right);
            break;
        case 5:
            if (nextLonely < lonely.size() && lonely[nextLonely] == point) {
                line(x, 0, x, h, kReviewGrey);
                for (double y = 0; y <= h; y += every) line(x - 3 * u_, y, x + 3 * u_, y, kReviewGrey);
            }
            break;
        case 6:
        case 7:
        case 8:
        case 9: {
            line(x, 0, x, h, kReviewGrey);
            for (double y = 0; y <= h; y += every) line(x - 4 * u_, y - 4 * u_, x + 4 * u_, y + 4 * u_, kReviewGrey);
            const int artefact = formats::markEvent(mark) - 6;
            label(x - u_, s_.settings->artefacts[static_cast<std::size_t>(artefact)], core::TextAlign::Right);
            break;
        }
        default: break;
    }
    // The time grid: every fifth second tick on screen, every tenth on paper.
    const int every_seconds = f_.paper ? 10 : 5;
    if (mark % 1000 != 0 && (point / 32) % every_seconds == 0) line(x, 0, x, h, kReviewGrey, 1, 1);
}

void Painter::drawGlyph(const ChangeEvent& change, double x) {
    const core::Rgb colour = s_.settings->channels[static_cast<std::size_t>(change.channel)].colour;
    const double top = (20.0 * change.channel + 5) * u_;
    const double bottom = top + 20 * u_;
    const double mid = (top + bottom) / 2;
    const double a = 3 * u_;
    switch (change.kind) {
        case ChangeKind::GainRaised:
            glyphStroke({{x, top}, {x, bottom}}, colour);
            glyphStroke({{x - a, top + a}, {x, top}, {x + a, top + a}}, colour);
            glyphStroke({{x - a, bottom - a}, {x, bottom}, {x + a, bottom - a}}, colour);
            break;
        case ChangeKind::GainLowered:
            glyphStroke({{x, top}, {x, mid - u_}}, colour);
            glyphStroke({{x - a, mid - u_ - a}, {x, mid - u_}, {x + a, mid - u_ - a}}, colour);
            glyphStroke({{x, bottom}, {x, mid + u_}}, colour);
            glyphStroke({{x - a, mid + u_ + a}, {x, mid + u_}, {x + a, mid + u_ + a}}, colour);
            break;
        case ChangeKind::MovedUp:
            glyphStroke({{x, bottom}, {x, top}}, colour);
            glyphStroke({{x - a, top + a}, {x, top}, {x + a, top + a}}, colour);
            break;
        case ChangeKind::MovedDown:
            glyphStroke({{x, top}, {x, bottom}}, colour);
            glyphStroke({{x - a, bottom - a}, {x, bottom}, {x + a, bottom - a}}, colour);
            break;
    }
}

void Painter::run() {
    const std::vector<double>& xs = *f_.x;
    const std::size_t count = std::min(xs.size(), s_.values->count());
    const double h = f_.height;
    if (count == 0) return;

    // The start line and its label.
    line(px(0), 0, px(0), h, kReviewCyan, 3);
    label(px(0) + 2 * u_, "X", core::TextAlign::Left);

    // The points from a little before the strip to a little after it.
    const double margin = reach();
    std::size_t first = static_cast<std::size_t>(
        std::lower_bound(xs.begin(), xs.begin() + static_cast<std::ptrdiff_t>(count), f_.left + f_.stripFrom - margin) -
        xs.begin());
    first = first >= 10 ? first - 10 : 0;
    std::size_t last = first;
    while (last + 1 < count && px(last) <= f_.stripTo + margin) ++last;

    std::vector<int> visible;
    for (int c = 0; c < s_.values->channels(); ++c) {
        if (s_.channels[static_cast<std::size_t>(c)].visible) visible.push_back(c);
    }
    p_.traces.reserve(visible.size());
    std::vector<TraceBuilder> builders;
    builders.reserve(visible.size());
    for (int c : visible) {
        p_.traces.push_back({c, s_.settings->channels[static_cast<std::size_t>(c)].colour, u_, {}});
        p_.traces.back().points.reserve(2 * (last - first + 2));
    }
    for (std::size_t i = 0; i < visible.size(); ++i) {
        builders.emplace_back(p_.traces[i].points, !f_.paper);
        // The trace enters the strip where the point before it left it.
        builders.back().add(px(first), channelY(visible[i], first > 0 ? first - 1 : 0, first));
    }

    const double dotSpacing = 4 * u_;
    double lastDotColumn = -1e300;
    std::size_t nextLonely = 0;
    for (std::size_t p = first; p <= last; ++p) {
        const double x = px(p);
        drawMark(p, x, (*s_.marks)[p], nextLonely);
        if (p + 1 < count) {
            const double next = px(p + 1);
            for (std::size_t i = 0; i < visible.size(); ++i) {
                const int c = visible[i];
                builders[i].add(next, channelY(c, p, p + 1));
                if (s_.scale->at(c, p).centre != s_.scale->at(c, p + 1).centre) {
                    line(x, h, x, h - 5 * u_, s_.settings->channels[static_cast<std::size_t>(c)].colour);
                }
            }
        }
        // The dot grid stays with the chart when it scrolls.
        const double column = std::floor(xs[p] / dotSpacing) * dotSpacing;
        if (column != lastDotColumn) {
            lastDotColumn = column;
            for (int i = 0; i <= 25; ++i) p_.dots.push_back({column - f_.left, h * i / 25});
        }
    }
    for (TraceBuilder& builder : builders) builder.finish();

    if (f_.endLine) {
        line(*f_.endLine, 0, *f_.endLine, h, kReviewCyan, 3);
        label(*f_.endLine - 2 * u_, "XX", core::TextAlign::Right);
    }

    for (const PresentationMark& mark : s_.presentations) {
        if (mark.onset >= count) continue;
        const double x = px(mark.onset);
        if (x > f_.stripTo || x + std::max(textWidth(mark.label), textWidth(mark.number)) < f_.stripFrom) continue;
        p_.texts.push_back({{x, u_}, mark.number, mark.colour, true, core::TextAlign::Left});
        p_.texts.push_back({{x, h - 2 * lineHeight_}, mark.label, mark.colour, true, core::TextAlign::Left});
    }

    const auto from = std::lower_bound(s_.changes->begin(), s_.changes->end(), first,
                                       [](const ChangeEvent& e, std::size_t point) { return e.point < point; });
    for (auto change = from; change != s_.changes->end() && change->point <= last; ++change) {
        const bool gain = change->kind == ChangeKind::GainRaised || change->kind == ChangeKind::GainLowered;
        if (change->channel >= s_.values->channels() || !s_.channels[static_cast<std::size_t>(change->channel)].visible ||
            (!gain && !f_.paper)) {
            continue;
        }
        drawGlyph(*change, px(change->point) - 5 * u_);
    }
}

}  // namespace

ScrollResPicture drawScrollRes(const PictureSource& source, const PictureFrame& frame) {
    ScrollResPicture picture;
    picture.width = frame.width;
    picture.height = frame.height;
    picture.background = source.settings->background;
    picture.stripFrom = frame.stripFrom;
    picture.stripTo = frame.stripTo;
    Painter(source, frame, picture).run();
    return picture;
}

}  // namespace lumo::review
