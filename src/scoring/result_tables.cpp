#include "scoring/result_tables.h"

#include <cmath>
#include <cstdio>

#include "core/settings.h"
#include "core/texts/scoring.h"
#include "scoring/workspace.h"

namespace lumo::scoring {

namespace {

constexpr int kTableColumns = kFeatureCount + 4;  // Qst, type, the features, total, question text

std::string decimals(double value, int places) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", places, value);
    std::string text = buffer;
    // "-0" and "-0.00" read as a sign where there is none.
    if (text.find_first_not_of("-0.") == std::string::npos && text.front() == '-') text.erase(0, 1);
    return text;
}

std::string signedWhole(double value) {
    const long whole = std::lround(value);
    return (whole > 0 ? "+" : "") + std::to_string(whole);
}

}  // namespace

std::string featureText(float value, int places, const core::Settings& settings) {
    if (isMissing(value)) {
        const int code = static_cast<int>(std::lround(-1000.0 - value));
        return code >= 0 && code < core::kErrorMessageCount ? settings.errorMessage(code) : std::string();
    }
    if (value == 0.0f) return {};
    return decimals(value, places);
}

ResultGrid featureTable(const DecisionView& view, const ScoringWorkspace& workspace, const core::Settings& settings,
                        const core::StringTable& strings, FeatureTableMode mode, core::Language language) {
    auto text = [&](int id) { return std::string(strings.text(id, language)); };
    const bool parameters = mode == FeatureTableMode::Parameters;
    ResultGrid grid;
    grid.title = text(parameters ? txt::ResultParamsTitle
                      : mode == FeatureTableMode::Stress ? txt::ResultStressTitle
                                                         : txt::ResultLieTitle);
    grid.headerRows = 3;
    std::vector<std::string> titles(kTableColumns), units(kTableColumns), numbers(kTableColumns);
    titles[0] = text(txt::ResultQst);
    titles[1] = text(txt::ResultTypeSpaced);
    for (int f = 1; f <= kFeatureCount; ++f) {
        titles[static_cast<std::size_t>(f + 1)] = parameters ? settings.parameterName(f) : text(txt::ResultScore);
        numbers[static_cast<std::size_t>(f + 1)] = std::to_string(f);
    }
    titles[kFeatureCount + 2] = text(parameters ? txt::ResultRGsc : txt::ResultTotal);
    numbers[kFeatureCount + 2] = std::to_string(kTotalSlot);
    titles[kFeatureCount + 3] = text(txt::ResultQuestionsBody);
    if (parameters) {
        units[3] = units[9] = text(txt::ResultPerMinute);
        units[kFeatureCount + 2] = text(txt::ResultKOm);
    }
    grid.cells = {titles, units, numbers};

    const FeatureTable& values = parameters ? workspace.features()
                                 : mode == FeatureTableMode::Stress ? workspace.stressMarks()
                                                                    : workspace.lieMarks();
    int running = 0;
    for (int chart = 1; chart <= workspace.chartCount; ++chart) {
        std::vector<std::string> heading(kTableColumns);
        heading[0] = text(txt::ResultChart);
        heading[1] = std::to_string(chart);
        grid.chartLines.push_back(static_cast<int>(grid.cells.size()));
        grid.cells.push_back(heading);
        for (int r = 1; r <= workspace.chart(chart).rowCount; ++r) {
            const RowInfo& row = workspace.row(chart, r);
            std::vector<std::string> line(kTableColumns);
            line[0] = std::to_string(++running) + "-" + std::to_string(row.question);
            const bool known = row.question >= 1 && row.question <= view.questionCount();
            const QuestionInfo* question =
                known ? &workspace.exam().questions[static_cast<std::size_t>(row.question)] : nullptr;
            line[1] = (question ? question->sign : row.sign) + (known && view.artefact(row.question) ? "(A)" : "");
            for (int f = 1; f <= kFeatureCount; ++f) {
                const int places = parameters ? (f == 2 || f == 8 ? 1 : 0) : 2;
                line[static_cast<std::size_t>(f + 1)] = featureText(values(chart, r, f), places, settings);
            }
            const float total = values(chart, r, kTotalSlot);
            line[kFeatureCount + 2] = parameters ? decimals(row.meanReading, 0) : decimals(total, 2);
            line[kFeatureCount + 3] = question ? question->text : row.text;
            if (!parameters) {
                ResultBar bar;
                bar.total = total;
                bar.label = signedWhole(total);
                bar.chart = r == 1 ? chart : 0;
                bar.line = static_cast<int>(grid.cells.size());
                grid.bars.push_back(bar);
            }
            grid.cells.push_back(line);
        }
    }
    if (!parameters) {
        const bool lie = mode == FeatureTableMode::Lie;
        grid.leftLabel = text(lie ? txt::ResultTruth : txt::ResultRelax);
        grid.rightLabel = text(lie ? txt::ResultLie : txt::ResultStress);
    }
    return grid;
}

std::vector<std::vector<std::string>> summaryCells(const SummaryTable& table) {
    std::vector<std::vector<std::string>> cells(table.header.begin(), table.header.end());
    const bool lie = table.mode == DecisionMode::Lie;
    auto line = [lie](const SummaryRow& row, bool conclusion) {
        std::vector<std::string> cells;
        cells.push_back(conclusion && !row.blank ? row.type + " " + row.ergo : row.type);
        cells.push_back(row.count);
        cells.push_back(row.score);
        cells.push_back(row.probability);
        if (lie) cells.push_back(row.decision);
        for (const std::string& component : row.components) cells.push_back(component);
        cells.push_back(row.body);
        return cells;
    };
    for (const SummaryRow& row : table.rows) {
        // A question outside the lie filter keeps its type: the row says which question it is.
        cells.push_back(line(row, false));
    }
    if (table.conclusion) cells.push_back(line(*table.conclusion, true));
    return cells;
}

}  // namespace lumo::scoring
