#include "review/scroll_res_print.h"

#include <algorithm>
#include <cmath>

#include "core/numbers.h"
#include "core/settings.h"
#include "core/text_format.h"
#include "core/texts/review.h"
#include "core/workstation.h"
#include "review/scroll_res_view.h"

namespace lumo::review {

namespace {

const core::TextStyle kTitleStyle{"", 10, false};
const core::TextStyle kHeadingStyle{"", 12, true};
const core::TextStyle kLabelStyle{"", 7, true};
constexpr double kPointsPerInch = 72;
constexpr std::size_t kHeadingLine = 1;

std::string examineeCode(const ScrollResView& view) {
    return view.chart().files().examineeCode;
}

// "03" of exam_03.
std::string examNumber(const ScrollResView& view) {
    const std::string stem = view.chart().files().exam.stem().string();
    return stem.size() >= 2 ? stem.substr(stem.size() - 2) : stem;
}

// The part of a segment within 0 <= x <= width; false when none is.
bool clipSegment(core::PagePoint& a, core::PagePoint& b, double width) {
    if ((a.x < 0 && b.x < 0) || (a.x > width && b.x > width)) return false;
    const auto cut = [](core::PagePoint& p, const core::PagePoint& q, double x) {
        p.y += (q.y - p.y) * (x - p.x) / (q.x - p.x);
        p.x = x;
    };
    if (a.x < 0) cut(a, b, 0);
    if (b.x < 0) cut(b, a, 0);
    if (a.x > width) cut(a, b, width);
    if (b.x > width) cut(b, a, width);
    return true;
}

void addLine(const PicLine& line, double left, double width, core::PrintedPage& page) {
    core::PagePoint a{line.from.x, line.from.y};
    core::PagePoint b{line.to.x, line.to.y};
    if (!clipSegment(a, b, width)) return;
    const auto rule = [&](core::PagePoint from, core::PagePoint to) {
        page.items.emplace_back(core::PageRule{{from.x + left, from.y}, {to.x + left, to.y}, line.width});
    };
    if (line.dashOn <= 0) {
        rule(a, b);
        return;
    }
    // Paper has no dashed pens of its own: the dashes are laid out one by one.
    const double length = std::hypot(b.x - a.x, b.y - a.y);
    if (length == 0) return;
    const double dx = (b.x - a.x) / length;
    const double dy = (b.y - a.y) / length;
    for (double at = 0; at < length; at += line.dashOn + line.dashOff) {
        const double end = std::min(length, at + line.dashOn);
        rule({a.x + dx * at, a.y + dy * at}, {a.x + dx * end, a.y + dy * end});
    }
}

void addPolyline(const PicPolyline& line, double left, double width, core::PrintedPage& page) {
    core::PagePolyline piece{{}, line.width};
    const auto flush = [&] {
        if (piece.points.size() >= 2) page.items.emplace_back(piece);
        piece.points.clear();
    };
    for (std::size_t i = 1; i < line.points.size(); ++i) {
        core::PagePoint a{line.points[i - 1].x, line.points[i - 1].y};
        core::PagePoint b{line.points[i].x, line.points[i].y};
        const bool whole = a.x >= 0 && a.x <= width && b.x >= 0 && b.x <= width;
        if (!clipSegment(a, b, width)) {
            flush();
            continue;
        }
        if (piece.points.empty()) piece.points.push_back({a.x + left, a.y});
        piece.points.push_back({b.x + left, b.y});
        if (!whole) flush();
    }
    flush();
}

}  // namespace

std::vector<std::string> polygramTitleLines(const ScrollResView& view, const core::Workstation& workstation) {
    const core::Texts& texts = workstation.texts();
    const formats::TQtFile& table = view.chart().table();
    const std::string method = workstation.settings().methodName(table.method);
    return {texts(txt::ScrlResPrintTitle),
            texts(txt::ScrlResPrintPolygram),
            examineeCode(view) + " / EXAM_" + examNumber(view) + " / CHART_0" + std::to_string(view.chartDigit()),
            core::formatText(texts(txt::ScrlResPrintExaminee), {table.examinee}),
            core::formatText(texts(txt::ScrlResPrintExaminer), {table.operatorName}),
            core::formatText(texts(txt::ScrlResPrintMethod), {method}),
            core::formatText(texts(txt::ScrlResPrintStart), {table.started}),
            core::formatText(texts(txt::ScrlResPrintFinish), {table.finished}),
            core::formatText(texts(txt::ScrlResPrintTime), {static_cast<long long>(table.duration)}),
            core::formatText(texts(txt::ScrlResPrintReactions), {static_cast<long long>(table.questionTime)}),
            core::formatText(texts(txt::ScrlResPrintDate), {table.date})};
}

std::string preparingToPrintText(const ScrollResView& view, const core::Workstation& workstation) {
    const core::CurrentExaminee& current = workstation.records().current();
    const std::string code = examineeCode(view);
    const std::string name = current.isSet() && current.record.fileCode == code ? current.record.name
                                                                                : view.chart().exam().examineeName;
    return core::formatText(workstation.texts()(txt::ScrlResPreparing),
                            {code, static_cast<long long>(core::strToIntDef(examNumber(view), 0)),
                             static_cast<long long>(view.chartDigit()), name});
}

void addPictureToPage(const ScrollResPicture& picture, double left, double unit, const core::TextStyle& labelStyle,
                      core::PrintedPage& page) {
    const double width = picture.width;
    for (const PicLine& line : picture.lines) addLine(line, left, width, page);
    for (const PicPolyline& trace : picture.traces) addPolyline(trace, left, width, page);
    // A dot is a stroke as long as it is wide.
    const double dot = unit;
    for (const PicPoint& at : picture.dots) {
        if (at.x < 0 || at.x > width) continue;
        page.items.emplace_back(core::PageRule{{at.x + left, at.y}, {at.x + left + dot, at.y}, dot});
    }
    for (const PicPolyline& glyph : picture.glyphs) addPolyline(glyph, left, width, page);
    for (const PicText& text : picture.texts) {
        if (text.at.x < 0 || text.at.x >= width) continue;
        core::TextStyle style = labelStyle;
        style.bold = text.bold;
        page.items.emplace_back(core::PageText{{text.at.x + left, text.at.y}, text.text, style, text.align});
    }
}

PolygramPrint::PolygramPrint(const ScrollResView& view, const core::Workstation& workstation,
                             const core::PageFormat& format, const core::TextMeasure& measure)
    : view_(view), ws_(workstation), format_(format), measure_(measure) {
    x_ = paperPositions(view.chart().chart().marks, view.chart().count(), kPointsPerInch);
    unit_ = kPointsPerInch / view.resolution();
    // The title block, then a column of the channel names, then the chart.
    const std::vector<std::string> title = polygramTitleLines(view, workstation);
    for (std::size_t i = 0; i < title.size(); ++i) {
        titleColumn_ = std::max(titleColumn_, measure.width(title[i], i == kHeadingLine ? kHeadingStyle : kTitleStyle));
    }
    titleColumn_ += 12;
    double names = 0;
    for (int c = 0; c < view.chart().channels(); ++c) {
        if (view.channelVisible(c)) names = std::max(names, measure.width(view.settings().channels[static_cast<std::size_t>(c)].name, kLabelStyle));
    }
    titleWidth_ = std::min(titleColumn_ + names + 8, format_.width / 2);
    const double end = x_.empty() ? 0 : x_.back();
    pageCount_ = 1;
    for (double covered = format_.width - titleWidth_; covered <= end; covered += format_.width) ++pageCount_;
}

void PolygramPrint::addTitlePage(core::PrintedPage& page) const {
    const std::vector<std::string> title = polygramTitleLines(view_, ws_);
    double y = 0;
    for (std::size_t i = 0; i < title.size(); ++i) {
        const core::TextStyle& style = i == kHeadingLine ? kHeadingStyle : kTitleStyle;
        page.items.emplace_back(core::PageText{{0, y}, title[i], style, core::TextAlign::Left});
        y += measure_.lineHeight(style);
        if (i == kHeadingLine) {
            page.items.emplace_back(core::PageRule{{0, y - 1}, {measure_.width(title[i], style), y - 1}, 0.8});
        }
        if (i <= kHeadingLine + 1) y += measure_.lineHeight(style) / 2;
    }
    // Each channel's name at the level of its trace at the chart's start.
    const double area = format_.height - 2 * unit_;
    const double lineHeight = measure_.lineHeight(kLabelStyle);
    const PictureSource source = view_.paperSource(area);
    for (int c = 0; c < view_.chart().channels(); ++c) {
        if (!view_.channelVisible(c)) continue;
        const double centre = view_.chart().count() > 0 ? view_.chart().scale().at(c, 0).centre * area / 1000 : 0;
        const double level = std::clamp(centre + source.channels[static_cast<std::size_t>(c)].offset, 0.0, format_.height);
        page.items.emplace_back(core::PageText{{titleWidth_ - 4, level - lineHeight / 2},
                                               view_.settings().channels[static_cast<std::size_t>(c)].name, kLabelStyle,
                                               core::TextAlign::Right});
    }
}

core::PrintedPage PolygramPrint::nextPage() {
    core::PrintedPage page;
    if (done()) return page;
    if (page_ == 0) addTitlePage(page);
    const double left = chartLeft(page_);
    PictureFrame frame;
    frame.x = &x_;
    frame.left = start_;
    frame.width = format_.width - left;
    frame.height = format_.height;
    frame.stripTo = frame.width;
    frame.unit = unit_;
    frame.paper = true;
    frame.measure = &measure_;
    frame.labelStyle = kLabelStyle;
    if (page_ + 1 == pageCount_ && !x_.empty()) frame.endLine = x_.back() - start_;
    const ScrollResPicture picture = drawScrollRes(view_.paperSource(format_.height - 2 * unit_), frame);
    addPictureToPage(picture, left, unit_, kLabelStyle, page);
    start_ += frame.width;
    printed_ = static_cast<std::size_t>(std::lower_bound(x_.begin(), x_.end(), start_) - x_.begin());
    ++page_;
    return page;
}

}  // namespace lumo::review
