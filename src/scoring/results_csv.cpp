#include "scoring/results_csv.h"

#include <array>

#include "core/cp1251.h"
#include "core/numbers.h"
#include "core/question_set.h"
#include "scoring/decision_view.h"
#include "scoring/workspace.h"

namespace lumo::scoring {

namespace {

constexpr std::array<const char*, kComponentCount> kComponentNames = {"rsp", "gsc", "crd", "vzm"};

// "prefix_1" ... "prefix_count" after the fields already there.
void appendNumbered(std::vector<std::string>& fields, const std::string& prefix, int count) {
    for (int i = 1; i <= count; ++i) fields.push_back(prefix + "_" + std::to_string(i));
}

std::string selectedCharts(const DecisionView& view) {
    std::string charts;
    for (int chart = 1; chart <= view.chartCount(); ++chart) {
        if (view.chartSelected(chart)) charts += (charts.empty() ? "" : " ") + std::to_string(chart);
    }
    return charts;
}

std::string decision(const DecisionView& view, float score) {
    return core::charsFrom(view.decisionText(score, core::Language::English).text, 3);
}

}  // namespace

std::string csvField(const std::string& text) {
    const bool plain = text.find_first_of(",\"\r\n") == std::string::npos &&
                       (text.empty() || (text.front() != ' ' && text.back() != ' '));
    if (plain) return text;
    std::string out = "\"";
    for (const char c : text) out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

std::string csvLine(const std::vector<std::string>& fields) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) line += (i > 0 ? "," : "") + csvField(fields[i]);
    return line + "\r\n";
}

std::string questionResultsCsv(const ScoringWorkspace& workspace, const DecisionView& view,
                               const core::Settings& settings) {
    std::vector<std::string> header = {"charts",           "question",         "sign",           "type",
                                       "n",                "stress",           "lie",            "stress_spread",
                                       "lie_spread",       "stress_probability", "lie_probability", "stress_decision",
                                       "lie_decision",     "artefact"};
    for (const char* mode : {"stress", "lie"}) {
        for (const char* component : kComponentNames) header.push_back(std::string(mode) + "_" + component);
    }
    header.push_back("text");
    std::string out = csvLine(header);

    const core::QuestionTypes types(settings);
    const std::string charts = selectedCharts(view);
    for (int question = 1; question <= view.questionCount(); ++question) {
        const QuestionScore& score = view.score(question);
        const QuestionInfo& info = workspace.exam().questions[static_cast<std::size_t>(question)];
        // Outside the lie view's questions the window leaves the lie cells empty.
        const bool lieShown = view.inLieFilter(question);
        std::vector<std::string> fields = {charts,
                                           std::to_string(question),
                                           info.sign,
                                           std::to_string(types.signToType(info.sign)),
                                           std::to_string(score.charts),
                                           core::nineDigits(score.stress),
                                           core::nineDigits(score.lie),
                                           core::nineDigits(score.stressSpread),
                                           core::nineDigits(score.lieSpread),
                                           core::nineDigits(DecisionView::probability(score.stress)),
                                           lieShown ? core::nineDigits(DecisionView::probability(score.lie)) : "",
                                           decision(view, score.stress),
                                           lieShown ? decision(view, score.lie) : "",
                                           view.artefact(question) ? "1" : "0"};
        for (const float total : score.stressComponents) fields.push_back(core::nineDigits(total));
        for (const float total : score.lieComponents) fields.push_back(core::nineDigits(total));
        fields.push_back(info.text);
        out += csvLine(fields);
    }
    return out;
}

std::string rowFeaturesCsv(const ScoringWorkspace& workspace) {
    std::vector<std::string> header = {"chart", "row", "question", "sign", "onset", "mark", "mean_reading"};
    appendNumbered(header, "flag", kSignalSlots);
    appendNumbered(header, "feature", kFeatureCount);
    appendNumbered(header, "stress", kFeatureCount);
    header.push_back("stress_total");
    appendNumbered(header, "lie", kFeatureCount);
    header.push_back("lie_total");
    std::string out = csvLine(header);

    for (int chart = 1; chart <= workspace.chartCount; ++chart) {
        for (int r = 1; r <= workspace.chart(chart).rowCount; ++r) {
            const RowInfo& row = workspace.row(chart, r);
            std::vector<std::string> fields = {std::to_string(chart), std::to_string(r), std::to_string(row.question),
                                               row.sign,              std::to_string(row.onset), row.mark,
                                               core::nineDigits(row.meanReading)};
            for (int slot = 1; slot <= kSignalSlots; ++slot) fields.push_back(std::to_string(workspace.flag(chart, r, slot)));
            for (int f = 1; f <= kFeatureCount; ++f) fields.push_back(core::nineDigits(workspace.features()(chart, r, f)));
            for (int f = 1; f <= kTotalSlot; ++f) fields.push_back(core::nineDigits(workspace.stressMarks()(chart, r, f)));
            for (int f = 1; f <= kTotalSlot; ++f) fields.push_back(core::nineDigits(workspace.lieMarks()(chart, r, f)));
            out += csvLine(fields);
        }
    }
    return out;
}

}  // namespace lumo::scoring
