#include "scoring/decision_view.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/cp1251.h"
#include "core/numbers.h"
#include "core/question_set.h"
#include "core/settings.h"
#include "core/texts/scoring.h"

namespace lumo::scoring {

namespace {

// The characters (code points) of a UTF-8 text.
std::vector<std::string> characters(const std::string& text) {
    std::vector<std::string> result;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        result.push_back(text.substr(i, length));
        i += length;
    }
    return result;
}

bool containsAny(const std::string& text, const std::vector<std::string>& letters) {
    return std::any_of(letters.begin(), letters.end(),
                       [&text](const std::string& letter) { return text.find(letter) != std::string::npos; });
}

// 1.2 x the spread of j feature means around their sum; a value under the
// root that rounding left at or below zero gives no spread.
float spread(double squares, float sum, int count) {
    const double variance = squares - static_cast<double>(sum) * sum / count;
    return variance > 0 ? static_cast<float>(1.2 * std::sqrt(variance)) : 0.0f;
}

Shade shadeOfSign(double value) {
    return value > 0 ? Shade::Positive : value < 0 ? Shade::Negative : Shade::Neutral;
}

}  // namespace

std::string fixed2(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.2f", value);
    std::string text = buffer;
    if (text == "-0.00") text = "0.00";
    return text;
}

DecisionView::DecisionView(const ScoringWorkspace& workspace, const core::Settings& settings,
                           const core::StringTable& strings)
    : workspace_(workspace), settings_(settings), strings_(strings) {
    const auto& list = settings.list();
    filter_ = core::upperCase(list.value("Rus_QSign1") + list.value("Rus_QSign2") + list.value("Eng_QSign1") +
                              list.value("Eng_QSign3"));
    for (int chart = 1; chart <= std::min(workspace.chartCount, core::kMaxChartsPerExam); ++chart) {
        selected_[static_cast<std::size_t>(chart)] = true;
    }
}

void DecisionView::selectChart(int chart, bool on) {
    if (chart < 1 || chart > std::min(workspace_.chartCount, core::kMaxChartsPerExam)) return;
    selected_[static_cast<std::size_t>(chart)] = on;
}

bool DecisionView::chartSelected(int chart) const {
    return chart >= 1 && chart <= std::min(workspace_.chartCount, core::kMaxChartsPerExam) &&
           selected_[static_cast<std::size_t>(chart)];
}

void DecisionView::resetToDefaults() {
    prior = 0.5f;
    fp = 0.10f;
    fm = 0.15f;
    mode = DecisionMode::Stress;
}

bool DecisionView::lieViewAvailable() const {
    return workspace_.exam().method != 5 && workspace_.exam().method != 6;
}

int DecisionView::questionCount() const {
    return std::clamp(workspace_.exam().questionCount, 0, core::kMaxQuestions);
}

void DecisionView::computeQuestionScores() {
    const FeatureTable& stress = workspace_.stressMarks();
    const FeatureTable& lie = workspace_.lieMarks();
    scores_.fill(QuestionScore{});
    for (int question = 1; question <= questionCount(); ++question) {
        QuestionScore& score = scores_[static_cast<std::size_t>(question)];
        double stressSquares = 0;
        double lieSquares = 0;
        int features = 0;
        for (int f = 1; f <= kFeatureCount; ++f) {
            double stressSum = 0;
            double lieSum = 0;
            int count = 0;
            for (int chart = 1; chart <= workspace_.chartCount; ++chart) {
                if (!chartSelected(chart)) continue;
                for (int row = 1; row <= workspace_.chart(chart).rowCount; ++row) {
                    if (workspace_.row(chart, row).question != question) continue;
                    const float s = stress(chart, row, f);
                    const float l = lie(chart, row, f);
                    if (!isValid(s) || !isValid(l)) continue;
                    stressSum += s;
                    lieSum += l;
                    ++count;
                }
            }
            if (count == 0) continue;
            const double stressMean = stressSum / count;
            const double lieMean = lieSum / count;
            score.stress = static_cast<float>(score.stress + stressMean);
            score.lie = static_cast<float>(score.lie + lieMean);
            stressSquares += stressMean * stressMean;
            lieSquares += lieMean * lieMean;
            const auto component = static_cast<std::size_t>((f - 1) / 3);
            score.stressComponents[component] = static_cast<float>(score.stressComponents[component] + stressMean);
            score.lieComponents[component] = static_cast<float>(score.lieComponents[component] + lieMean);
            ++features;
            score.charts = std::max(score.charts, count);
        }
        if (features > 0) {
            score.stressSpread = spread(stressSquares, score.stress, features);
            score.lieSpread = spread(lieSquares, score.lie, features);
        }
    }
}

float DecisionView::oneDecimal(double value) {
    return static_cast<float>(core::rnd(10 * value) / 10.0);
}

void DecisionView::showDecision() {
    float lower = 0;
    float upper = 0;
    bool anySelected = false;
    for (int chart = 1; chart <= core::kMaxChartsPerExam; ++chart) anySelected = anySelected || chartSelected(chart);
    if (anySelected) {
        const double priorTerm = std::log(prior / (1.0 - prior));
        upper = static_cast<float>(std::log((1.0 - fp) / fm) + priorTerm);
        lower = static_cast<float>(std::log(fp / (1.0 - fm)) + priorTerm);
    } else {
        lower = static_cast<float>(-workspace_.featureCount);
        upper = static_cast<float>(workspace_.featureCount);
    }
    auto series = [](float bound) {
        const double b = bound;
        return std::array<float, 3>{oneDecimal(b - b / 3), oneDecimal(b), oneDecimal(2 * (b / 3) + b)};
    };
    bounds_.lowerSeries = series(lower);
    bounds_.upperSeries = series(upper);
    bounds_.lower = oneDecimal(lower);
    bounds_.upper = oneDecimal(upper);
    drawn_ = true;
}

double DecisionView::probability(double score) {
    return 1.0 / (1.0 + std::exp(score / 2));
}

Decision DecisionView::decisionText(float score, core::Language language) const {
    const double x = score;
    const double l1 = bounds_.lowerSeries[0], l2 = bounds_.lowerSeries[1], l3 = bounds_.lowerSeries[2];
    const double u1 = bounds_.upperSeries[0], u2 = bounds_.upperSeries[1], u3 = bounds_.upperSeries[2];
    auto text = [&](int id) { return std::string(strings_.text(id, language)); };
    if (l1 < x && x < u1) return {text(txt::ResultIndefinity), 8};
    int level = txt::ResultStrong;
    if ((u1 <= x && x < u2) || (l2 < x && x <= l1)) {
        level = txt::ResultWeak;
    } else if ((u2 <= x && x < u3) || (l3 < x && x <= l2)) {
        level = txt::ResultObvious;
    }
    const bool truth = x >= 0;
    Decision decision;
    decision.text = std::string(truth ? "+" : "-") + text(level) + text(txt::ResultSigns) +
                    text(truth ? txt::ResultOfTruth : txt::ResultOfLie);
    decision.grade = level == txt::ResultWeak ? 7 : truth ? 10 : 12;
    return decision;
}

bool DecisionView::artefact(int question) const {
    for (int chart = 1; chart <= core::kMaxChartsPerExam; ++chart) {
        if (chartSelected(chart) && workspace_.artefact(chart, question)) return true;
    }
    return false;
}

bool DecisionView::inLieFilter(int question) const {
    return containsAny(core::upperCase(workspace_.exam().questions[static_cast<std::size_t>(question)].sign),
                       characters(filter_));
}

bool DecisionView::relevant(int question) const {
    const std::vector<std::string> letters = characters(filter_);
    std::vector<std::string> relevantLetters;
    if (!letters.empty()) relevantLetters.push_back(letters[0]);
    if (letters.size() > 2) relevantLetters.push_back(letters[2]);
    return containsAny(core::upperCase(workspace_.exam().questions[static_cast<std::size_t>(question)].sign),
                       relevantLetters);
}

bool DecisionView::conclusionMethod() const {
    const int method = workspace_.exam().method;
    return method == 1 || method == 2 || method == 4;
}

Conclusion DecisionView::conclusion(core::Language language) const {
    Conclusion result;
    double lieSum = 0;
    double spreadSum = 0;
    std::array<double, kComponentCount> components{};
    for (int question = 1; question <= questionCount(); ++question) {
        if (!inLieFilter(question) || !relevant(question)) continue;
        ++result.relevant;
        const QuestionScore& score = scores_[static_cast<std::size_t>(question)];
        lieSum += score.lie;
        spreadSum += score.lieSpread;
        for (std::size_t c = 0; c < components.size(); ++c) components[c] += score.lieComponents[c];
    }
    // Without a relevant question there is nothing to average.
    if (result.relevant == 0 || !conclusionMethod()) return result;
    const int r = result.relevant;
    result.hasScore = true;
    result.mean = core::rnd(100 * lieSum / r) / 100.0;
    result.spread = core::rnd(100 * spreadSum / r) / 100.0;
    result.text = core::charsFrom(decisionText(static_cast<float>(result.mean), language).text, 3);
    if (workspace_.exam().method != 3) {
        result.hasComponents = true;
        for (std::size_t c = 0; c < components.size(); ++c) result.components[c] = components[c] / r;
    }
    return result;
}

Shade DecisionView::shadeOfScore(double score) const {
    if (score > bounds_.upper) return Shade::Positive;
    if (score < bounds_.lower) return Shade::Negative;
    return Shade::Neutral;
}

SummaryTable DecisionView::summary(core::Language language) const {
    auto text = [&](int id) { return std::string(strings_.text(id, language)); };
    const bool lieView = mode == DecisionMode::Lie;
    SummaryTable table;
    table.mode = mode;
    table.columns = lieView ? 10 : 9;
    const std::string band = text(lieView ? txt::ResultLie : txt::ResultStress);
    const std::string summaryTitle = text(lieView ? txt::ResultRelevantSummary : txt::ResultSummary);
    const std::string components = text(txt::ResultComponents);
    table.header[0].assign(static_cast<std::size_t>(table.columns), band);
    table.header[0][0] = text(txt::ResultType);
    table.header[1] = {text(txt::ResultType), text(txt::ResultQstNum), summaryTitle, summaryTitle};
    table.header[2] = {text(txt::ResultType), text(txt::ResultQstNum), text(txt::ResultScore), text(txt::ResultProb)};
    if (lieView) {
        table.header[1].push_back(summaryTitle);
        table.header[2].push_back(text(txt::ResultDecision));
    }
    for (int id : {txt::ResultRsp, txt::ResultGsc, txt::ResultCrd, txt::ResultVzm}) {
        table.header[1].push_back(components);
        table.header[2].push_back(text(id));
    }
    table.header[1].push_back("");
    table.header[2].push_back(text(txt::ResultQuestionsBody));

    const core::QuestionTypes types(settings_);
    for (int question = 1; question <= questionCount(); ++question) {
        const QuestionInfo& info = workspace_.exam().questions[static_cast<std::size_t>(question)];
        const QuestionScore& score = scores_[static_cast<std::size_t>(question)];
        SummaryRow row;
        row.type = info.sign + (artefact(question) ? "(A)" : "");
        row.typeColour = types.signToColour(info.sign);
        row.body = info.text;
        if (lieView && !inLieFilter(question)) {
            row.blank = true;
            row.body.clear();
            table.rows.push_back(row);
            continue;
        }
        const float value = lieView ? score.lie : score.stress;
        row.count = std::to_string(score.charts);
        row.score = fixed2(value);
        row.scoreShade = shadeOfScore(value);
        row.probability = fixed2(probability(value));
        if (lieView) row.decision = core::charsFrom(decisionText(score.lie, language).text, 3);
        const auto& totals = lieView ? score.lieComponents : score.stressComponents;
        for (std::size_t c = 0; c < totals.size(); ++c) {
            row.components[c] = fixed2(totals[c]);
            row.componentShades[c] = shadeOfSign(totals[c]);
        }
        table.rows.push_back(row);
    }

    if (lieView) {
        SummaryRow row;
        const Conclusion result = conclusion(language);
        row.blank = !result.hasScore;
        if (result.hasScore) {
            row.type = "(" + settings_.list().value(settings_.prefixed("QSign1")) + ")";
            row.ergo = text(txt::ResultErgo);
            row.scoreShade = shadeOfScore(result.mean);
            row.score = fixed2(result.relevant * result.mean);
            row.probability = fixed2(probability(result.mean));
            row.decision = result.text;
        }
        if (result.hasComponents) {
            for (std::size_t c = 0; c < result.components.size(); ++c) {
                row.components[c] = fixed2(result.components[c]);
                row.componentShades[c] = shadeOfSign(result.components[c]);
            }
        }
        table.conclusion = row;
    }
    return table;
}

}  // namespace lumo::scoring

namespace lumo::scoring {

namespace {

std::string oneDecimalText(float value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.1f", value);
    return buffer;
}

}  // namespace

ScalePicture DecisionView::scale(core::Language language) const {
    auto text = [&](int id) { return std::string(strings_.text(id, language)); };
    const bool lieView = mode == DecisionMode::Lie;
    ScalePicture picture;
    const auto& low = bounds_.lowerSeries;
    const auto& high = bounds_.upperSeries;
    picture.bands = {{-kScaleEnd, low[2], BandColour::Maroon}, {low[2], low[1], BandColour::Red},
                     {low[1], high[1], BandColour::Silver},    {low[0], high[0], BandColour::Grey},
                     {high[1], high[2], BandColour::Lime},     {high[2], kScaleEnd, BandColour::Green}};
    picture.lower = bounds_.lower;
    picture.upper = bounds_.upper;
    auto box = [this](double score, double spread) {
        const double limit = kScaleEnd - 0.8;  // boxes reaching past the ends stop short of them
        ScaleBox result;
        result.from = std::clamp(score - spread, -limit, limit);
        result.to = std::clamp(score + spread, -limit, limit);
        result.mark = score;
        result.withinBounds = score >= bounds_.lower && score <= bounds_.upper;
        return result;
    };
    for (int question = 1; question <= questionCount(); ++question) {
        const QuestionScore& score = scores_[static_cast<std::size_t>(question)];
        if (lieView && !inLieFilter(question)) {
            picture.boxes.emplace_back();
            continue;
        }
        picture.boxes.emplace_back(lieView ? box(score.lie, score.lieSpread) : box(score.stress, score.stressSpread));
    }
    if (lieView) {
        const Conclusion result = conclusion(language);
        if (result.hasScore) picture.ergo = box(result.mean, result.spread);
    }
    picture.leftLabel = text(lieView ? txt::ResultTruth : txt::ResultRelax);
    picture.rightLabel = text(lieView ? txt::ResultLie : txt::ResultStress);
    for (const float b : low) picture.lieCaption += " < " + oneDecimalText(b);
    for (auto b = high.rbegin(); b != high.rend(); ++b) picture.truthCaption += oneDecimalText(*b) + " > ";
    return picture;
}

}  // namespace lumo::scoring
