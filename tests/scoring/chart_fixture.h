#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace lumo::scoring {
class ScoringWorkspace;
}

namespace lumo::test {

// A generated chart: eight channels of a calm examinee who reacts to some
// questions (pulse, two breathing belts, blood volume, pressure, skin
// resistance, tremor, phasic skin resistance), recorded as the test run
// writes charts. Values are the converter readings themselves.
struct ChartRecipe {
    int seconds = 120;
    int channels = 8;
    std::vector<std::int64_t> onsets;  // chart points; each gets the onset mark 1000
    std::vector<double> reactions;     // per onset, 0 (none) ... 1 (strong)
    std::vector<std::pair<std::int64_t, std::uint16_t>> marks;  // further mark words (added) at chart points
    std::uint32_t seed = 1;
};
std::string chartBytes(const ChartRecipe& recipe);

// One presented question of a results table.
struct TableRow {
    int question = 1;
    std::string mark = "+";
    std::int64_t onset = 0;
    std::vector<std::int32_t> flags;     // slots 1 ... 8 (missing ones 0)
    std::vector<float> handScores;       // entries 1 ... 4
    float reading = 100;                 // all ten readings
};

struct ChartFiles {
    ChartRecipe recipe;
    std::vector<TableRow> rows;
    bool writeChart = true;
    bool writeTable = true;
};

// An exam in a data home: the settings (eight channels on, polarity "+",
// QuestionTime 15 plus `settings`), DAT\<code>\exam_NN.qs_ with the given
// signs, and per chart its chart file and results table.
struct ExamRecipe {
    std::string code = "#0000001";
    int exam = 1;
    int method = 1;
    std::vector<std::string> signs = {" N1", " C1", " R1", " C2", " R2", " N2"};
    std::vector<ChartFiles> charts;
    std::vector<std::string> settings;
};
void writeExam(const std::filesystem::path& home, const ExamRecipe& recipe);
std::filesystem::path examineeFolder(const std::filesystem::path& home, const ExamRecipe& recipe);

// The settings lines the scoring tests start from (extra lines replace keys).
std::vector<std::string> scoringSettings(const std::vector<std::string>& extra = {});

// A chart of `rows` presentations every 20 s from 15 s on, reacting to the
// relevant questions (those whose sign holds "R"), question numbers cycling
// through the signs in set order.
ChartFiles regularChart(const std::vector<std::string>& signs, int rows, std::uint32_t seed);

// One allocated workspace shared by the scoring tests (allocating it costs
// more than the tests themselves); every test prepares what it reads.
scoring::ScoringWorkspace& testWorkspace();

// Slot of chart c's normalised copy (and loaded samples) as 2048 + a sine of
// the given amplitude and period in samples over positions 0 ... n.
void fillSine(scoring::ScoringWorkspace& workspace, int chart, int slot, int n, double amplitude, double period);

// An allocated workspace's chart c set up by hand: n samples, rows with the
// given onsets (questions 1, 2, ...), no flags, features 0, normalised
// signals flat at 2048, no marks; chart 1 resets the exam to one chart; no
// channel switched off.
void prepareChart(scoring::ScoringWorkspace& workspace, int chart, int n, const std::vector<std::int64_t>& onsets);

}  // namespace lumo::test
