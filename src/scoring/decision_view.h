#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/colors.h"
#include "core/string_table.h"
#include "scoring/workspace.h"

namespace lumo::core {
class Settings;
}

namespace lumo::scoring {

enum class DecisionMode { Stress, Lie };

// How a number is tinted in the results: lime above, grey within, red below.
enum class Shade { Positive, Neutral, Negative };

// A question's scores over the selected charts.
struct QuestionScore {
    float stress = 0;
    float lie = 0;
    float stressSpread = 0;
    float lieSpread = 0;
    int charts = 0;  // n(i): the most selected charts behind any one feature
    std::array<float, kComponentCount> stressComponents{};
    std::array<float, kComponentCount> lieComponents{};
};

// The decision bounds and their two series, rounded to one decimal.
struct DecisionBounds {
    float lower = 0;
    float upper = 0;
    std::array<float, 3> lowerSeries{};  // B-1, B-2, B-3
    std::array<float, 3> upperSeries{};  // B+1, B+2, B+3
};

struct Decision {
    std::string text;  // "+2/OBVIOUS  signs OF TRUTH"
    int grade = 8;     // 8 indefinite, 7 weak, 10 truth or relax, 12 lie or stress
};

// The decision on the relevant questions (the lie view's extra row).
struct Conclusion {
    int relevant = 0;
    bool hasScore = false;      // the method allows a conclusion and r > 0
    double mean = 0;            // M, two decimals
    double spread = 0;          // W, two decimals
    std::string text;           // the decision text of M without its first three characters
    bool hasComponents = false;
    std::array<double, kComponentCount> components{};
};

// One line of the summary table.
struct SummaryRow {
    bool blank = false;       // outside the lie filter, or an empty conclusion row
    std::string type;         // sign, "(A)" for an artefact; "(" QSign1 ")" and "ERGO" on the conclusion row
    std::string ergo;
    core::Rgb typeColour{};
    std::string count;
    std::string score;
    Shade scoreShade = Shade::Neutral;
    std::string probability;
    std::string decision;     // lie view only
    std::array<std::string, kComponentCount> components;
    std::array<Shade, kComponentCount> componentShades{};
    std::string body;
};

struct SummaryTable {
    DecisionMode mode = DecisionMode::Stress;
    int columns = 9;
    std::array<std::vector<std::string>, 3> header;  // the three header rows, one text per column
    std::vector<SummaryRow> rows;                    // question i in rows[i - 1]
    std::optional<SummaryRow> conclusion;            // lie view only
};

// The decision scale: scores run from +10 at the left edge to -10 at the
// right; the window maps them to pixels and paints.
enum class BandColour { Maroon, Red, Silver, Grey, Lime, Green };
struct ScaleBand {
    double from = 0;  // score at one end
    double to = 0;    // score at the other
    BandColour colour = BandColour::Silver;
};
struct ScaleBox {
    double from = 0;  // score - spread, cut 0.8 short of the scale's ends
    double to = 0;    // score + spread
    double mark = 0;  // the score
    bool withinBounds = true;  // the mark is grey; black otherwise
};
struct ScalePicture {
    std::vector<ScaleBand> bands;  // in painting order
    double lower = 0;              // solid lines at B- and B+
    double upper = 0;
    std::vector<std::optional<ScaleBox>> boxes;  // question i on line i - 1; none outside the lie filter
    std::optional<ScaleBox> ergo;                // lie view: [M - W, M + W] below the last question
    std::string leftLabel;                       // "TRUTH" or "RELAX"
    std::string rightLabel;                      // "L I E" or "STRESS"
    std::string lieCaption;                      // " < B-1 < B-2 < B-3"
    std::string truthCaption;                    // "B+3 > B+2 > B+1 > "
};
inline constexpr double kScaleEnd = 10.0;

// The engine partner of the results window: scores of the selected charts,
// decision bounds from the three probabilities, decisions and the summary.
class DecisionView {
public:
    DecisionView(const ScoringWorkspace& workspace, const core::Settings& settings, const core::StringTable& strings);

    // The probabilities as the lists hold them (defaults 0.5, 0.10, 0.15).
    float prior = 0.5f;
    float fp = 0.10f;
    float fm = 0.15f;
    DecisionMode mode = DecisionMode::Stress;

    // Charts 1 ... 9; charts beyond the exam's count are never selected.
    void selectChart(int chart, bool on);
    bool chartSelected(int chart) const;
    int chartCount() const { return workspace_.chartCount; }

    // The window's state around the lists: a changed probability redraws at
    // once only when the decision display was drawn since the last activation.
    void activated() { drawn_ = false; }
    bool probabilityChanged() const { return drawn_; }
    // The summary command: defaults and the stress view.
    void resetToDefaults();
    bool lieViewAvailable() const;

    // ComputeQuestionScores: the per-question scores of the selected charts.
    void computeQuestionScores();
    // ShowDecision's numbers: the bounds from the probabilities (or +-12
    // without a selected chart); marks the display as drawn.
    void showDecision();

    int questionCount() const;
    const QuestionScore& score(int question) const { return scores_[static_cast<std::size_t>(question)]; }
    const DecisionBounds& bounds() const { return bounds_; }
    // A selected chart flags the question's row with an artefact mark.
    bool artefact(int question) const;
    // The lie view's questions, and among them the relevant ones.
    bool inLieFilter(int question) const;
    bool relevant(int question) const;

    // DecisionText: the decision on a score by the current bounds.
    Decision decisionText(float score, core::Language language) const;
    Conclusion conclusion(core::Language language) const;
    SummaryTable summary(core::Language language) const;
    ScalePicture scale(core::Language language) const;

    // P(x) = 1 / (1 + e^(x / 2)): the probability of lie for a score.
    static double probability(double score);
    // rnd(10 x) / 10
    static float oneDecimal(double value);

private:
    Shade shadeOfScore(double score) const;
    bool conclusionMethod() const;

    const ScoringWorkspace& workspace_;
    const core::Settings& settings_;
    const core::StringTable& strings_;
    std::array<bool, kChartIndices> selected_{};
    std::array<QuestionScore, core::kMaxQuestions + 1> scores_{};
    DecisionBounds bounds_;
    std::string filter_;  // upper-cased sign letters of the lie view
    bool drawn_ = false;
};

// Two decimals, "." as separator.
std::string fixed2(double value);

}  // namespace lumo::scoring
