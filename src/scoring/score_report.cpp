#include "scoring/score_report.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "core/cp1251.h"
#include "core/exam_list.h"
#include "core/numbers.h"
#include "core/question_set.h"
#include "core/settings.h"
#include "core/texts/scoring.h"
#include "scoring/decision_view.h"
#include "scoring/workspace.h"

namespace lumo::scoring {

namespace {

std::string number(double value) {
    const std::string digits = core::nineDigits(value);
    return digits.empty() ? "null" : digits;
}

}  // namespace

std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char buffer[8];
                    std::snprintf(buffer, sizeof buffer, "\\u%04x", static_cast<unsigned>(c));
                    out += buffer;
                } else {
                    out += c;
                }
        }
    }
    return out + "\"";
}

namespace {

std::string quoted(const std::string& text) {
    return jsonString(text);
}

// "[a,b,c]" of the values produced by `value(i)` for i = first ... last.
template <typename Value>
std::string list(int first, int last, Value value) {
    std::string out = "[";
    for (int i = first; i <= last; ++i) out += (i > first ? "," : "") + value(i);
    return out + "]";
}

std::string chartJson(const ScoringWorkspace& workspace, int chart) {
    const ChartHeader& header = workspace.chart(chart);
    std::string out = "{\"chart\":" + std::to_string(chart) + ",\"samples\":" + std::to_string(header.sampleCount);
    out += ",\"gains\":" + list(1, kSignalSlots, [&](int s) { return number(header.gain[static_cast<std::size_t>(s)]); });
    std::vector<int> flagged;
    for (int q = 0; q <= core::kMaxQuestions; ++q) {
        if (workspace.artefact(chart, q)) flagged.push_back(q);
    }
    out += ",\"artefact_questions\":" +
           list(0, static_cast<int>(flagged.size()) - 1, [&](int i) { return std::to_string(flagged[static_cast<std::size_t>(i)]); });
    out += ",\"rows\":[";
    for (int r = 1; r <= header.rowCount; ++r) {
        const RowInfo& row = workspace.row(chart, r);
        out += r > 1 ? "," : "";
        out += "{\"row\":" + std::to_string(r) + ",\"question\":" + std::to_string(row.question) +
               ",\"onset\":" + std::to_string(row.onset) + ",\"mark\":" + quoted(row.mark);
        out += ",\"flags\":" + list(1, kSignalSlots, [&](int s) { return std::to_string(workspace.flag(chart, r, s)); });
        out += ",\"features\":" + list(1, kFeatureCount, [&](int f) { return number(workspace.features()(chart, r, f)); });
        out += ",\"stress\":" + list(1, kTotalSlot, [&](int f) { return number(workspace.stressMarks()(chart, r, f)); });
        out += ",\"lie\":" + list(1, kTotalSlot, [&](int f) { return number(workspace.lieMarks()(chart, r, f)); }) + "}";
    }
    return out + "]}";
}

std::string questionJson(const DecisionView& view, const core::QuestionTypes& types, const ScoringWorkspace& workspace,
                         int question) {
    const QuestionScore& score = view.score(question);
    const std::string& sign = workspace.exam().questions[static_cast<std::size_t>(question)].sign;
    auto components = [](const std::array<float, kComponentCount>& totals) {
        return list(0, kComponentCount - 1, [&](int c) { return number(totals[static_cast<std::size_t>(c)]); });
    };
    return "{\"number\":" + std::to_string(question) + ",\"sign\":" + quoted(sign) +
           ",\"type\":" + std::to_string(types.signToType(sign)) + ",\"n\":" + std::to_string(score.charts) +
           ",\"stress\":" + number(score.stress) + ",\"lie\":" + number(score.lie) +
           ",\"stress_spread\":" + number(score.stressSpread) + ",\"lie_spread\":" + number(score.lieSpread) +
           ",\"stress_components\":" + components(score.stressComponents) +
           ",\"lie_components\":" + components(score.lieComponents) + "}";
}

std::string decisionJson(const DecisionView& view, int question) {
    const QuestionScore& score = view.score(question);
    const core::Language english = core::Language::English;
    std::string out = "{\"number\":" + std::to_string(question) +
                      ",\"stress_text\":" + quoted(core::charsFrom(view.decisionText(score.stress, english).text, 3));
    if (view.inLieFilter(question)) {
        out += ",\"lie_text\":" + quoted(core::charsFrom(view.decisionText(score.lie, english).text, 3)) +
               ",\"lie_probability\":" + number(DecisionView::probability(score.lie));
    } else {
        out += ",\"lie_text\":null,\"lie_probability\":null";
    }
    return out + "}";
}

// Pads to `width` characters (not bytes).
std::string padded(const std::string& text, std::size_t width) {
    return text + std::string(width - std::min(width, core::charCount(text)), ' ');
}

void appendTable(std::string& out, const SummaryTable& table) {
    std::vector<std::vector<std::string>> lines = {table.header[1], table.header[2]};
    auto cells = [&table](const SummaryRow& row) {
        std::vector<std::string> line = {row.type, row.ergo.empty() ? row.count : row.ergo, row.score, row.probability};
        if (table.mode == DecisionMode::Lie) line.push_back(row.decision);
        line.insert(line.end(), row.components.begin(), row.components.end());
        line.push_back(row.body);
        return line;
    };
    for (const SummaryRow& row : table.rows) lines.push_back(cells(row));
    if (table.conclusion) lines.push_back(cells(*table.conclusion));
    std::vector<std::size_t> widths(static_cast<std::size_t>(table.columns), 0);
    for (const auto& line : lines) {
        for (std::size_t c = 0; c + 1 < line.size(); ++c) widths[c] = std::max(widths[c], core::charCount(line[c]));
    }
    out += table.header[0][1] + "\n";
    for (const auto& line : lines) {
        std::string text;
        for (std::size_t c = 0; c < line.size(); ++c) text += c + 1 < line.size() ? padded(line[c], widths[c]) + "  " : line[c];
        while (!text.empty() && text.back() == ' ') text.pop_back();
        out += text + "\n";
    }
}

}  // namespace

std::string scoreJson(const ScoringWorkspace& workspace, const DecisionView& view, const core::Settings& settings,
                      const std::string& examinee, int exam) {
    const ExamInfo& info = workspace.exam();
    std::string out = "{\"examinee\":" + quoted(examinee) + ",\"exam\":" + quoted(core::examStem(exam).substr(5)) +
                      ",\"method\":" + std::to_string(info.method) +
                      ",\"chart_count\":" + std::to_string(workspace.chartCount);
    out += ",\"charts\":" + list(1, workspace.chartCount, [&](int c) { return chartJson(workspace, c); });
    const core::QuestionTypes types(settings);
    out += ",\"questions\":" +
           list(1, view.questionCount(), [&](int q) { return questionJson(view, types, workspace, q); });
    const DecisionBounds& bounds = view.bounds();
    auto series = [](const std::array<float, 3>& values) {
        return list(0, 2, [&](int i) { return number(values[static_cast<std::size_t>(i)]); });
    };
    out += ",\"bounds\":{\"lower\":" + number(bounds.lower) + ",\"upper\":" + number(bounds.upper) +
           ",\"lower_series\":" + series(bounds.lowerSeries) + ",\"upper_series\":" + series(bounds.upperSeries) + "}";
    out += ",\"decisions\":" + list(1, view.questionCount(), [&](int q) { return decisionJson(view, q); });
    out += ",\"conclusion\":";
    if (info.method == 1 || info.method == 2 || info.method == 4) {
        const Conclusion conclusion = view.conclusion(core::Language::English);
        out += "{\"relevant\":" + std::to_string(conclusion.relevant);
        if (conclusion.hasScore) {
            out += ",\"mean\":" + number(conclusion.mean) + ",\"spread\":" + number(conclusion.spread) +
                   ",\"text\":" + quoted(conclusion.text) + "}";
        } else {
            out += ",\"mean\":null,\"spread\":null,\"text\":null}";
        }
    } else {
        out += "null";
    }
    return out + "}";
}

std::string scoreText(const ScoringWorkspace& workspace, DecisionView& view, core::Language language) {
    const core::StringTable strings;
    auto text = [&](int id) { return std::string(strings.text(id, language)); };
    const DecisionBounds& bounds = view.bounds();
    auto decimal = [](float value) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.1f", value);
        return std::string(buffer);
    };
    std::string out = text(txt::ResultCaption) + "\n" + core::trimmed(text(txt::ResultCharts)) + ":";
    for (int chart = 1; chart <= workspace.chartCount; ++chart) {
        if (view.chartSelected(chart)) out += " " + std::to_string(chart);
    }
    out += "\n" + text(txt::ResultDecisionBounds) + ": " + decimal(bounds.lower) + " ... " + decimal(bounds.upper) + "\n";
    const ScalePicture scale = view.scale(language);
    out += text(txt::ResultLie) + ":" + scale.lieCaption + "\n" + text(txt::ResultTruth) + ": " + scale.truthCaption + "\n\n";

    const DecisionMode mode = view.mode;
    view.mode = DecisionMode::Stress;
    appendTable(out, view.summary(language));
    if (view.lieViewAvailable()) {
        view.mode = DecisionMode::Lie;
        out += "\n";
        appendTable(out, view.summary(language));
    }
    view.mode = mode;
    return out;
}

}  // namespace lumo::scoring
