#include "scoring/result_print.h"

#include <algorithm>
#include <cstdio>

#include "core/cp1251.h"
#include "core/settings.h"
#include "core/texts/scoring.h"
#include "scoring/result_tables.h"
#include "scoring/workspace.h"

namespace lumo::scoring {

namespace {

constexpr double kPrintSize = 12;
constexpr double kSmallestSize = 5;

std::string padded(const std::string& text, std::size_t width) {
    const std::size_t count = core::charCount(text);
    return count >= width ? text : text + std::string(width - count, ' ');
}

std::string number(double value, int places) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.*f", places, value);
    return buffer;
}

core::TextStyle printStyle(double size) {
    return {"Monospace", size, false};
}

}  // namespace

std::vector<std::string> columnLines(const std::vector<std::vector<std::string>>& cells, std::size_t measuredFrom) {
    std::vector<std::size_t> widths;
    for (std::size_t r = 0; r < cells.size(); ++r) {
        const auto& line = cells[r];
        if (widths.size() < line.size()) widths.resize(line.size(), 0);
        if (r < measuredFrom) continue;
        for (std::size_t c = 0; c < line.size(); ++c) widths[c] = std::max(widths[c], core::charCount(line[c]));
    }
    std::vector<std::string> lines;
    for (std::size_t r = 0; r < cells.size(); ++r) {
        const auto& line = cells[r];
        std::string text;
        std::size_t column = 0;  // where the next column starts
        for (std::size_t c = 0; c < line.size(); ++c) {
            const bool repeated = r < measuredFrom && c > 0 && line[c] == line[c - 1];
            const std::size_t length = core::charCount(text);
            if (length < column) text += std::string(column - length, ' ');
            if (!repeated) text += line[c] + (r < measuredFrom && !line[c].empty() ? " " : "");
            column += widths[c] + 1;
        }
        while (!text.empty() && text.back() == ' ') text.pop_back();
        lines.push_back(text);
    }
    return lines;
}

ResultPrint resultPrint(const DecisionView& view, const ScoringWorkspace& workspace, const core::Settings& settings,
                        const core::StringTable& strings, ResultView shown, core::Language language,
                        const std::string& date) {
    auto text = [&](int id) { return std::string(strings.text(id, language)); };
    const ExamInfo& exam = workspace.exam();
    ResultPrint print;
    auto& lines = print.lines;
    lines.push_back(text(txt::ResultPrintHeader));
    lines.emplace_back();
    lines.push_back(text(txt::ResultPrintExaminee) + exam.examinee);
    lines.push_back(text(txt::ResultPrintExaminer) + exam.operatorName);
    lines.push_back(text(txt::ResultPrintConditions) + exam.date + "  " + exam.examMark);
    lines.push_back(text(txt::ResultPrintMethod) + settings.methodName(exam.method));
    lines.emplace_back();
    lines.push_back(text(txt::ResultPrintChartList));
    std::string involved;
    for (int chart = 1; chart <= workspace.chartCount; ++chart) {
        const ChartHeader& header = workspace.chart(chart);
        lines.push_back(padded(std::to_string(chart), 7) + padded(header.date, 12) + padded(header.started, 10) +
                        padded(std::to_string(header.duration), 10) + std::to_string(header.rowCount));
        if (view.chartSelected(chart)) involved += (involved.empty() ? "" : ", ") + std::to_string(chart);
    }
    lines.push_back(text(txt::ResultPrintCharts) + involved);
    lines.emplace_back();

    if (shown == ResultView::Summary) {
        const bool lie = view.mode == DecisionMode::Lie;
        lines.push_back(text(txt::ResultPrintFp) + number(view.fp, 2));
        lines.push_back(text(txt::ResultPrintFm) + number(view.fm, 2));
        lines.push_back(text(txt::ResultPrintPrior) + number(view.prior, 2));
        const DecisionBounds& b = view.bounds();
        lines.push_back(text(txt::ResultPrintBounds) + "B- = " + number(b.lower, 1) + "   B+ = " + number(b.upper, 1));
        // The seven zones from lie to truth with the series' limits.
        const std::string less = text(txt::ResultPrintLess) + " ";
        const std::string more = text(txt::ResultPrintMore) + " ";
        const auto& lo = b.lowerSeries;
        const auto& hi = b.upperSeries;
        const std::vector<std::pair<int, std::string>> zones = {
            {txt::ResultPrintZone1, less + number(lo[2], 1)},
            {txt::ResultPrintZone2, number(lo[2], 1) + " ... " + number(lo[1], 1)},
            {txt::ResultPrintZone3, number(lo[1], 1) + " ... " + number(lo[0], 1)},
            {txt::ResultPrintZone4, number(lo[0], 1) + " ... " + number(hi[0], 1)},
            {txt::ResultPrintZone5, number(hi[0], 1) + " ... " + number(hi[1], 1)},
            {txt::ResultPrintZone6, number(hi[1], 1) + " ... " + number(hi[2], 1)},
            {txt::ResultPrintZone7, more + number(hi[2], 1)}};
        for (const auto& [id, limits] : zones) lines.push_back("   " + padded(text(id), 34) + limits);
        lines.emplace_back();
        lines.push_back(text(lie ? txt::ResultPrintLieExplanation : txt::ResultPrintStressExplanation));
        lines.emplace_back();
        for (const std::string& line : columnLines(summaryCells(view.summary(language)), 2)) lines.push_back(line);
        lines.emplace_back();
        const Conclusion conclusion = view.conclusion(language);
        if (lie && conclusion.hasScore) {
            lines.push_back(text(txt::ResultPrintFinal));
            lines.push_back(number(conclusion.relevant * conclusion.mean, 2) + "   " + conclusion.text);
            lines.push_back(text(txt::ResultPrintLieProbability) + number(DecisionView::probability(conclusion.mean), 2));
            lines.emplace_back();
        }
        print.withScale = true;
        print.scale = view.scale(language);
        print.scaleAfterLine = lines.size();
    } else {
        const FeatureTableMode mode = shown == ResultView::Params   ? FeatureTableMode::Parameters
                                      : shown == ResultView::Stress ? FeatureTableMode::Stress
                                                                    : FeatureTableMode::Lie;
        const ResultGrid grid = featureTable(view, workspace, settings, strings, mode, language);
        lines.push_back(grid.title);
        lines.emplace_back();
        for (const std::string& line : columnLines(grid.cells, 1)) lines.push_back(line);
        lines.emplace_back();
    }
    lines.push_back(text(txt::ResultPrintDate) + date);
    return print;
}

core::PrintedDocument layoutResultPrint(const ResultPrint& print, const core::PageFormat& format,
                                        const core::TextMeasure& measure) {
    double size = kPrintSize;
    double widest = 0;
    for (const std::string& line : print.lines) widest = std::max(widest, measure.width(line, printStyle(size)));
    if (widest > format.width && widest > 0) size = std::max(kSmallestSize, size * format.width / widest);
    const core::TextStyle style = printStyle(size);
    const double step = measure.lineHeight(style);

    core::PrintedDocument document;
    document.format = format;
    document.pages.emplace_back();
    double y = 0;
    auto room = [&](double height) {
        if (y + height > format.height && y > 0) {
            document.pages.emplace_back();
            y = 0;
        }
    };
    auto drawScale = [&] {
        const ScalePicture& scale = print.scale;
        const double lineStep = step;
        const double height = lineStep * (static_cast<double>(scale.boxes.size()) + 2);
        room(height + 2 * step);
        auto& items = document.pages.back().items;
        const double w = format.width;
        auto xOf = [w](double score) { return (kScaleEnd - score) / (2 * kScaleEnd) * w; };
        items.push_back(core::PageText{{0, y}, scale.leftLabel + "  " + scale.truthCaption, style});
        items.push_back(core::PageText{{w, y}, scale.lieCaption + "  " + scale.rightLabel, style, core::TextAlign::Right});
        y += step;
        const double top = y;
        const double bottom = y + height;
        items.push_back(core::PagePolyline{{{0, top}, {w, top}, {w, bottom}, {0, bottom}, {0, top}}, 0.8});
        for (const ScaleBand& band : scale.bands) {
            for (const double edge : {band.from, band.to}) {
                if (edge > -kScaleEnd && edge < kScaleEnd) items.push_back(core::PageRule{{xOf(edge), top}, {xOf(edge), bottom}, 0.3});
            }
        }
        items.push_back(core::PageRule{{xOf(scale.lower), top}, {xOf(scale.lower), bottom}, 1.5});
        items.push_back(core::PageRule{{xOf(scale.upper), top}, {xOf(scale.upper), bottom}, 1.5});
        auto box = [&](const ScaleBox& b, std::size_t line) {
            const double t = top + lineStep * (static_cast<double>(line) + 0.2);
            const double h = lineStep * 0.6;
            const double a = xOf(b.from), c = xOf(b.to);
            items.push_back(core::PagePolyline{{{a, t}, {c, t}, {c, t + h}, {a, t + h}, {a, t}}, 0.6});
            items.push_back(core::PageRule{{xOf(b.mark), t}, {xOf(b.mark), t + h}, b.withinBounds ? 1.0 : 2.5});
        };
        std::size_t line = 0;
        for (const auto& b : scale.boxes) {
            if (b) box(*b, line);
            ++line;
        }
        if (scale.ergo) box(*scale.ergo, line);
        y = bottom + step;
    };
    for (std::size_t i = 0; i < print.lines.size(); ++i) {
        if (print.withScale && i == print.scaleAfterLine) drawScale();
        room(step);
        document.pages.back().items.push_back(core::PageText{{0, y}, print.lines[i], style});
        y += step;
    }
    if (print.withScale && print.scaleAfterLine >= print.lines.size()) drawScale();
    return document;
}

}  // namespace lumo::scoring
