#include "scoring/chart_fixture.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>

#include "core/question_set.h"
#include "core/settings.h"
#include "core/test_home.h"
#include "formats/chart.h"
#include "formats/results_table.h"
#include "scoring/workspace.h"

namespace lumo::test {

namespace fs = std::filesystem;

namespace {

constexpr double kPi = 3.14159265358979323846;

// A rise over 3 s and a decay over 10 s, starting at t = 0.
double bump(double t) {
    if (t < 0) return 0;
    if (t < 3) return t / 3;
    return std::exp(-(t - 3) / 10);
}

class Noise {
public:
    explicit Noise(std::uint32_t seed) : state_(seed * 2654435761u + 1) {}
    double next() {  // -1 ... 1
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<double>(state_ >> 8) / static_cast<double>(1u << 24) * 2 - 1;
    }

private:
    std::uint32_t state_;
};

struct Reaction {
    double since = 1e9;   // seconds since the last onset
    double strength = 0;  // its reaction
};

Reaction lastReaction(const ChartRecipe& recipe, double t) {
    Reaction reaction;
    for (std::size_t i = 0; i < recipe.onsets.size(); ++i) {
        const double onset = static_cast<double>(recipe.onsets[i]) / 32;
        if (onset > t) continue;
        if (t - onset < reaction.since) {
            reaction.since = t - onset;
            reaction.strength = i < recipe.reactions.size() ? recipe.reactions[i] : 0;
        }
    }
    return reaction;
}

double channelValue(int channel, double t, const Reaction& r, Noise& noise) {
    const bool respiring = r.since >= 6 && r.since <= 16;
    const bool early = r.since <= 12;
    switch (channel) {
        case 0:
            return 2048 + 400 * (1 - (early ? 0.4 * r.strength : 0)) * std::sin(2 * kPi * 1.2 * t) + 20 * noise.next() +
                   (early ? 150 * r.strength * bump(r.since) : 0);
        case 1:
            return 2048 + 500 * (1 - (respiring ? 0.6 * r.strength : 0)) * std::sin(2 * kPi * 0.25 * t) +
                   10 * noise.next();
        case 2:
            return 2048 + 400 * (1 - (respiring ? 0.6 * r.strength : 0)) * std::sin(2 * kPi * 0.25 * t + 0.7) +
                   10 * noise.next();
        case 3:
            return 2048 + 300 * std::sin(2 * kPi * 1.2 * t + 1) - 250 * r.strength * bump(r.since) + 10 * noise.next();
        case 4:
            return 2048 + 100 * std::sin(2 * kPi * 1.1 * t) + 5 * noise.next();
        case 5:
            return 1000 + 40 * t / 60 + 700 * r.strength * bump(r.since - 1.5) + 5 * noise.next();
        case 6:
            return 2048 + (40 + 120 * (early ? r.strength : 0)) * noise.next();
        default:
            return 2048 + 300 * r.strength * (bump(r.since - 1.5) - bump(r.since - 2.5)) + 5 * noise.next();
    }
}

formats::TChartBlock block(double value) {
    formats::TChartBlock b;
    b.adc = static_cast<std::int16_t>(std::clamp(std::lround(value), 0L, 4095L));
    return b;
}

}  // namespace

std::string chartBytes(const ChartRecipe& recipe) {
    const std::array<float, 8> gains = {1, 1, 1, 1, 1, 1, 1, 1};
    std::string out = formats::chartSignature() + formats::encodeChartHeader(recipe.channels, 1, 0, 0, 0, gains);
    std::map<std::int64_t, std::uint16_t> marks;
    for (const auto onset : recipe.onsets) marks[onset / 4] = static_cast<std::uint16_t>(marks[onset / 4] + 1000);
    for (const auto& [point, word] : recipe.marks) marks[point / 4] = static_cast<std::uint16_t>(marks[point / 4] + word);
    Noise noise(recipe.seed);
    const std::int64_t records = static_cast<std::int64_t>(recipe.seconds) * 8;
    std::vector<formats::TChartBlock> fast(4);
    std::vector<formats::TChartBlock> slow(static_cast<std::size_t>(recipe.channels - 1));
    for (std::int64_t m = 0; m < records; ++m) {
        for (int s = 0; s < 4; ++s) {
            const double t = static_cast<double>(4 * m + s) / 32;
            fast[static_cast<std::size_t>(s)] = block(channelValue(0, t, lastReaction(recipe, t), noise));
        }
        const double t = static_cast<double>(4 * m) / 32;
        const Reaction reaction = lastReaction(recipe, t);
        for (int c = 1; c < recipe.channels; ++c) slow[static_cast<std::size_t>(c - 1)] = block(channelValue(c, t, reaction, noise));
        const auto mark = marks.find(m);
        formats::appendChartRecord(out, fast, slow, mark == marks.end() ? 0 : mark->second);
    }
    return out;
}

std::vector<std::string> scoringSettings(const std::vector<std::string>& extra) {
    std::vector<std::string> lines = {"IgnoreDisabledChannels=FALSE", "Eng_QSign1=R", "Eng_QSign2=I", "Eng_QSign3=C",
                                      "Rus_QSign1=З", "Rus_QSign2=И"};
    for (int i = 0; i < 8; ++i) {
        lines.push_back("ChPolar" + std::to_string(i) + "=+");
        lines.push_back("ChSwitch" + std::to_string(i) + "=1");
        lines.push_back("Eng_ChName" + std::to_string(i) + "=Channel" + std::to_string(i));
    }
    for (int k = 0; k < 10; ++k) lines.push_back("Eng_ErrorMessage" + std::to_string(k) + "=E" + std::to_string(k));
    lines.insert(lines.end(), extra.begin(), extra.end());
    return lines;
}

fs::path examineeFolder(const fs::path& home, const ExamRecipe& recipe) {
    return home / "DAT" / recipe.code;
}

void writeExam(const fs::path& home, const ExamRecipe& recipe) {
    writeMinimalIni(home, scoringSettings(recipe.settings));
    const fs::path folder = examineeFolder(home, recipe);
    const std::string stem = (recipe.exam < 10 ? "exam_0" : "exam_") + std::to_string(recipe.exam);
    std::vector<std::string> lines = {"Examinee", "Operator 1", std::to_string(recipe.method), "0",
                                      std::to_string(recipe.signs.size()), "Exam mark", "07-03-2001"};
    for (int type = 1; type <= 7; ++type) lines.push_back("0");
    for (std::size_t i = 0; i < recipe.signs.size(); ++i) {
        const int n = static_cast<int>(i) + 1;
        lines.insert(lines.end(), {(n < 10 ? " " : "") + std::to_string(n), recipe.signs[i], "-",
                                   "Question " + std::to_string(n) + "?", "", std::to_string(n), std::to_string(n),
                                   std::to_string(n), std::to_string(n), " "});
    }
    writeLines(folder / (stem + ".qs_"), lines);

    core::Settings settings(home);
    settings.load();
    const core::TQstTest questions(folder / (stem + ".qs_"), core::kExamTypeCounters, core::QuestionTypes(settings));
    for (std::size_t k = 0; k < recipe.charts.size(); ++k) {
        const ChartFiles& chart = recipe.charts[k];
        const std::string digit = std::to_string(k + 1);
        if (chart.writeChart) writeFile(folder / (stem + ".ch" + digit), chartBytes(chart.recipe));
        if (!chart.writeTable) continue;
        formats::TQtFile table(questions);
        table.chartFile = "C:\\LUMO\\DAT\\" + recipe.code + "\\" + stem + ".ch" + digit;
        table.examinee = "Examinee";
        table.operatorName = "Operator 1";
        table.method = recipe.method;
        table.date = "07-03-2001";
        table.started = "10:00:00";
        table.finished = "10:10:00";
        table.questionTime = 15;
        table.duration = chart.recipe.seconds;
        table.sampleCount = static_cast<std::uint32_t>(chart.recipe.seconds * 32);
        table.SetRowCount(static_cast<int>(chart.rows.size()));
        for (std::size_t i = 0; i < chart.rows.size(); ++i) {
            const TableRow& row = chart.rows[i];
            const int r = static_cast<int>(i) + 1;
            table.SetQuestionNumber(r, row.question);
            table.SetRowMark(r, row.mark.empty() || row.mark == "*" ? " " : row.mark.substr(row.mark[0] == '*' ? 1 : 0));
            if (row.mark.find('*') != std::string::npos) table.SetExcluded(r, true);
            table.SetOnset(r, static_cast<std::uint32_t>(row.onset));
            for (std::size_t s = 0; s < row.flags.size(); ++s) table.SetFlag(r, static_cast<int>(s) + 1, row.flags[s]);
            for (std::size_t e = 0; e < row.handScores.size(); ++e) {
                table.SetHandScore(r, static_cast<int>(e) + 1, row.handScores[e]);
            }
            for (int e = 1; e <= 10; ++e) table.SetReading(r, e, row.reading);
        }
        table.SaveToFile(folder / (stem + ".qt" + digit));
    }
}

ChartFiles regularChart(const std::vector<std::string>& signs, int rows, std::uint32_t seed) {
    ChartFiles chart;
    chart.recipe.seed = seed;
    chart.recipe.seconds = 15 + 20 * rows + 20;
    for (int i = 0; i < rows; ++i) {
        const int question = i % static_cast<int>(signs.size()) + 1;
        const std::int64_t onset = (15 + 20 * i) * 32;
        const bool relevant = signs[static_cast<std::size_t>(question - 1)].find('R') != std::string::npos;
        chart.recipe.onsets.push_back(onset);
        chart.recipe.reactions.push_back(relevant ? 0.3 + 0.1 * (seed % 3) : 0.8);
        TableRow row;
        row.question = question;
        row.onset = onset;
        row.reading = 100.0f + static_cast<float>(i);
        chart.rows.push_back(row);
    }
    return chart;
}

void prepareChart(scoring::ScoringWorkspace& workspace, int chart, int n, const std::vector<std::int64_t>& onsets) {
    using namespace scoring;
    workspace.chartCount = chart == 1 ? 1 : std::max(workspace.chartCount, chart);
    workspace.fs = 32.0;
    workspace.channels() = ChannelSettings{};
    ChartHeader& header = workspace.chart(chart);
    header = ChartHeader{};
    header.sampleCount = n;
    header.rowCount = static_cast<int>(onsets.size());
    for (int r = 1; r <= header.rowCount + 1; ++r) {
        workspace.row(chart, r) = RowInfo{};
        if (r <= header.rowCount) {
            workspace.row(chart, r).question = r;
            workspace.row(chart, r).onset = onsets[static_cast<std::size_t>(r - 1)];
        }
        for (int f = 0; f < kFeatureIndices; ++f) {
            workspace.features()(chart, r, f) = 0;
            workspace.flag(chart, r, f) = 0;
        }
    }
    for (int slot = 1; slot <= kSignalSlots; ++slot) {
        std::fill(workspace.samples(chart, slot), workspace.samples(chart, slot) + n + 1, 2048.0f);
        std::fill(workspace.normalised(chart, slot), workspace.normalised(chart, slot) + n + 1, 2048.0f);
    }
    std::fill(workspace.samples(chart, kMarkSlot), workspace.samples(chart, kMarkSlot) + n + 1, 0.0f);
}

}  // namespace lumo::test

namespace lumo::test {

scoring::ScoringWorkspace& testWorkspace() {
    static scoring::ScoringWorkspace workspace;
    if (!workspace.allocated()) workspace.allocate();
    return workspace;
}

void fillSine(scoring::ScoringWorkspace& workspace, int chart, int slot, int n, double amplitude, double period) {
    for (int p = 0; p <= n; ++p) {
        const auto value = static_cast<float>(2048 + amplitude * std::sin(2 * kPi * p / period));
        workspace.normalised(chart, slot)[p] = value;
        workspace.samples(chart, slot)[p] = value;
    }
}

}  // namespace lumo::test
