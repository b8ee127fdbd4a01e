#include "scoring/chart_editor_picture.h"

#include <algorithm>
#include <cstdio>

#include "core/numbers.h"
#include "core/settings.h"
#include "core/texts/scoring.h"
#include "formats/mark_word.h"
#include "scoring/workspace.h"

namespace lumo::scoring {

namespace {

constexpr core::Rgb kGrey{128, 128, 128};
constexpr core::Rgb kWhite{255, 255, 255};
constexpr core::Rgb kBlack{0, 0, 0};
constexpr core::Rgb kGreen{0, 255, 0};
constexpr core::Rgb kRed{255, 0, 0};
// The label lines of the strip: the sign, then the row number.
constexpr double kSignLine = kSignalUnits + 96;
constexpr double kNumberLine = kSignalUnits + 96 + kLabelUnits / 2.0;

// Black or white, whichever stands out on the background.
core::Rgb contrast(core::Rgb background) {
    const int light = 299 * background.red + 587 * background.green + 114 * background.blue;
    return light > 128 * 1000 ? kBlack : kWhite;
}

std::int64_t onset(const ScoringWorkspace& workspace, int chart, int row) {
    return workspace.row(chart, row).onset;
}

// The end of a row's segment: the next onset, for the last row the chart's end.
std::int64_t segmentEnd(const ScoringWorkspace& workspace, int chart, int row) {
    const ChartHeader& header = workspace.chart(chart);
    return row < header.rowCount ? onset(workspace, chart, row + 1) : header.sampleCount;
}

void addTraces(ChartEditorPicture& picture, const ScoringWorkspace& workspace, int chart, int step) {
    const ChannelSettings& channels = workspace.channels();
    const std::int64_t first = picture.span.first;
    const std::int64_t last = picture.span.last;
    for (int slot = 1; slot <= kSignalSlots; ++slot) {
        PictureTrace trace;
        trace.slot = slot;
        trace.colour = channels.colour[static_cast<std::size_t>(slot)];
        const float top = static_cast<float>(displayPosition(workspace, slot) * kBandUnits);
        const float* x = workspace.normalised(chart, slot);
        if (last >= first) trace.points.reserve(static_cast<std::size_t>((last - first) / step + 1));
        for (std::int64_t p = first; p <= last; p += step) {
            const float value = std::clamp(x[p], 0.0f, static_cast<float>(kBandUnits));
            trace.points.push_back({static_cast<float>(p), top + (kBandUnits - value)});
        }
        picture.traces.push_back(std::move(trace));
    }
}

void addRow(ChartEditorPicture& picture, const ScoringWorkspace& workspace, int chart, int row,
            const PictureStyle& style) {
    const RowInfo& info = workspace.row(chart, row);
    const auto x = static_cast<double>(info.onset);
    picture.lines.push_back({x, 0, kSignalUnits, kGrey, LineStyle::Dotted});
    const core::Rgb signColour = info.question >= 0 && info.question <= core::kMaxQuestions
                                     ? style.questionColours[static_cast<std::size_t>(info.question)]
                                     : kGrey;
    picture.texts.push_back({x, kSignLine, info.sign, signColour, true, TextAnchor::TopLeft});
    picture.texts.push_back({x, kNumberLine, std::to_string(row), kGrey, false, TextAnchor::TopLeft});

    const float total = workspace.stressMarks()(chart, row, kTotalSlot);
    const double barLeft = x + kBarOffset;
    const double barRight = barLeft + kBarWidth;
    if (isMissing(total)) {
        picture.texts.push_back({barRight, kBarBase, style.missingTotal, kGrey, false, TextAnchor::MiddleLeft});
        return;
    }
    // Relaxed rows reach down toward "Relax", stressed ones up toward "Stress".
    const core::Rgb colour = total >= 0 ? kGreen : kRed;
    const double end = std::clamp(kBarBase + static_cast<double>(total) * kUnitsPerStressPoint,
                                  static_cast<double>(kBarTop), static_cast<double>(kBarBottom));
    if (end != kBarBase) picture.bars.push_back({barLeft, barRight, static_cast<double>(kBarBase), end, colour});
    picture.texts.push_back({barRight, kBarBase, stressTotalText(total, style.missingTotal), colour, false,
                             TextAnchor::MiddleLeft});
}

void addArtefacts(ChartEditorPicture& picture, const ScoringWorkspace& workspace, int chart,
                  const PictureStyle& style) {
    const float* marks = workspace.samples(chart, kMarkSlot);
    const core::Rgb colour = contrast(picture.background);
    for (std::int64_t p = picture.span.first; p <= picture.span.last; ++p) {
        // Second ticks and most events lie below the first artefact code.
        if (marks[p] < 5999.0f || marks[p] >= static_cast<float>(formats::kMarkSpeed)) continue;
        const int digit = formats::markEvent(core::rnd(marks[p]));
        if (digit < 6) continue;
        const auto x = static_cast<double>(p);
        picture.lines.push_back({x, 0, kSignalUnits, colour, LineStyle::Hatched});
        picture.texts.push_back(
            {x, 0, style.artefacts[static_cast<std::size_t>(digit - 6)], colour, false, TextAnchor::TopLeft});
    }
}

}  // namespace

PictureStyle pictureStyle(const ScoringWorkspace& workspace, const core::Settings& settings,
                          const core::Texts& texts) {
    PictureStyle style;
    const core::QuestionTypes types(settings);
    const ExamInfo& exam = workspace.exam();
    for (int q = 1; q <= std::min(exam.questionCount, core::kMaxQuestions); ++q) {
        style.questionColours[static_cast<std::size_t>(q)] =
            types.signToColour(exam.questions[static_cast<std::size_t>(q)].sign);
    }
    for (int d = 6; d <= 9; ++d) {
        style.artefacts[static_cast<std::size_t>(d - 6)] =
            settings.list().text(settings.prefixed("Art" + std::to_string(d - 1)));
    }
    style.relax = texts(txt::EditLegendRelax);
    style.stress = texts(txt::EditLegendStress);
    style.missingTotal = texts(txt::EditMissingTotal);
    return style;
}

int displayPosition(const ScoringWorkspace& workspace, int slot) {
    // The order map holds ChSeq + 1 of the slot; an unset map keeps slot order.
    const int position = workspace.channels().order[static_cast<std::size_t>(slot)];
    return position >= 1 && position <= kBandCount ? position - 1 : std::clamp(slot - 1, 0, kBandCount - 1);
}

VisibleRows visibleRows(const ScoringWorkspace& workspace, int chart, int row, EditorScale scale) {
    const ChartHeader& header = workspace.chart(chart);
    const int rows = header.rowCount;
    const std::int64_t n = header.sampleCount;
    VisibleRows visible;
    if (scale == EditorScale::All || rows == 0) {
        const std::int64_t margin = core::rnd(2 * workspace.fs);
        visible.span = {std::min<std::int64_t>(margin, n), std::max<std::int64_t>(n - margin, 0)};
        if (visible.span.last < visible.span.first) visible.span.last = visible.span.first;
        for (int r = 1; r <= rows; ++r) {
            const std::int64_t at = onset(workspace, chart, r);
            if (at < visible.span.first || at > visible.span.last) continue;
            if (visible.first == 0) visible.first = r;
            visible.last = r;
        }
        return visible;
    }
    row = std::clamp(row, 1, rows);
    if (scale == EditorScale::One) {
        visible.first = visible.last = row;
    } else {
        // The current row in the middle; at either end the two nearest.
        visible.first = std::max(1, std::min(row - 1, rows - 2));
        visible.last = std::min(rows, visible.first + 2);
    }
    const std::int64_t from = std::clamp<std::int64_t>(onset(workspace, chart, visible.first), 0, n);
    const std::int64_t to = std::clamp<std::int64_t>(segmentEnd(workspace, chart, visible.last), from, n);
    visible.span = {from, to};
    return visible;
}

ChartEditorPicture chartEditorPicture(const ScoringWorkspace& workspace, int chart, int row, EditorScale scale,
                                      const PictureStyle& style) {
    ChartEditorPicture picture;
    picture.background = workspace.channels().background;
    const VisibleRows visible = visibleRows(workspace, chart, row, scale);
    picture.span = visible.span;
    // The whole examination thinned to every second sample.
    addTraces(picture, workspace, chart, scale == EditorScale::All ? 2 : 1);
    for (int r = visible.first; r >= 1 && r <= visible.last; ++r) addRow(picture, workspace, chart, r, style);
    addArtefacts(picture, workspace, chart, style);
    // Legends at the right end, clear of the bars that start at the onsets.
    const auto right = static_cast<double>(picture.span.last);
    picture.texts.push_back({right, kBarTop, style.stress, kRed, false, TextAnchor::TopRight});
    picture.texts.push_back({right, kBarBottom, style.relax, kGreen, false, TextAnchor::BottomRight});

    const int rows = workspace.chart(chart).rowCount;
    if (row >= 1 && row <= rows) {
        const auto from = static_cast<double>(std::max(onset(workspace, chart, row), picture.span.first));
        const auto to = static_cast<double>(std::min(segmentEnd(workspace, chart, row), picture.span.last));
        if (to >= from) picture.frame = PictureRect{from, to, 0, kPictureUnits, kWhite};
    }
    return picture;
}

std::string stressTotalText(float total, const std::string& missing) {
    if (isMissing(total)) return missing;
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", static_cast<double>(total));
    return text;
}

}  // namespace lumo::scoring
