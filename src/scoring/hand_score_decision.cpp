#include "scoring/hand_score_decision.h"

#include <algorithm>
#include <cmath>

#include "core/numbers.h"
#include "core/paths.h"
#include "core/question_set.h"
#include "formats/results_table.h"

namespace lumo::scoring {

namespace fs = std::filesystem;

namespace {

constexpr int kRelevantType = 1;
constexpr int kInformativeType = 2;

bool listable(int type) {
    return type == kRelevantType || type == kInformativeType;
}

}  // namespace

HandScoreCharts readHandScoreCharts(const fs::path& examStem, const core::TQstTest& questions) {
    HandScoreCharts charts;
    for (int chart = 1; chart <= 9; ++chart) {
        const fs::path file =
            core::resolvePath(examStem.parent_path(), examStem.filename().string() + ".qt" + std::to_string(chart));
        if (!fs::is_regular_file(file)) continue;
        formats::TQtFile table(questions);
        table.LoadFromFile(file);
        HandScoreChart& target = charts[static_cast<std::size_t>(chart)];
        target.available = true;
        target.date = table.date;
        for (int row = 1; row <= table.RowCount(); ++row) {
            HandScoreRow entry;
            entry.question = table.QuestionNumber(row);
            entry.excluded = table.IsExcluded(row);
            for (int e = 1; e <= kHandScoreEntries; ++e) {
                // A score that is no number (the table reader accepts "nan"
                // and "inf") counts for nothing.
                const float score = table.HandScore(row, e);
                const bool usable = std::isfinite(score) && std::fabs(score) < 1e9f;
                entry.scores[static_cast<std::size_t>(e - 1)] = usable ? static_cast<int>(core::rnd(score)) : 0;
            }
            target.rows.push_back(entry);
        }
    }
    return charts;
}

HandScoreDecision::HandScoreDecision(std::vector<HandScoreQuestion> questions, HandScoreCharts charts)
    : questions_(std::move(questions)), charts_(std::move(charts)) {
    for (int chart = 1; chart <= 9; ++chart) {
        const HandScoreChart& source = charts_[static_cast<std::size_t>(chart)];
        involved_[static_cast<std::size_t>(chart)] = source.available;
        if (!source.available || duplicate_) continue;
        for (std::size_t j = 0; j < source.rows.size(); ++j) {
            const HandScoreRow& row = source.rows[j];
            if (row.excluded || positions_.enter(row.question, chart, static_cast<int>(j) + 1)) continue;
            const auto index = static_cast<std::size_t>(row.question - 1);
            duplicate_ = DuplicateQuestion{chart, row.question, index < questions_.size() ? questions_[index].sign : ""};
            break;
        }
    }
}

bool HandScoreDecision::tableTypeSelectable() const {
    return std::count_if(questions_.begin(), questions_.end(),
                         [](const HandScoreQuestion& q) { return q.type == kRelevantType; }) == 3;
}

bool HandScoreDecision::available(int chart) const {
    return chart >= 1 && chart <= 9 && charts_[static_cast<std::size_t>(chart)].available;
}

bool HandScoreDecision::involved(int chart) const {
    return available(chart) && involved_[static_cast<std::size_t>(chart)];
}

std::string HandScoreDecision::date(int chart) const {
    return available(chart) ? charts_[static_cast<std::size_t>(chart)].date : "";
}

void HandScoreDecision::toggle(int chart) {
    if (available(chart)) involved_[static_cast<std::size_t>(chart)] = !involved_[static_cast<std::size_t>(chart)];
}

void HandScoreDecision::setInvolved(int chart, bool on) {
    if (available(chart)) involved_[static_cast<std::size_t>(chart)] = on;
}

int HandScoreDecision::position(int question, int chart) const {
    return positions_.at(question, chart);
}

std::string HandScoreDecision::signedText(int value) {
    return value > 0 ? "+" + std::to_string(value) : std::to_string(value);
}

HandVerdict HandScoreDecision::judge(int total, const HandLimits& limits) {
    if (total > limits.ndi) return HandVerdict::NoDeception;
    if (total < limits.di) return HandVerdict::Deception;
    return HandVerdict::Inconclusion;
}

HandLimits HandScoreDecision::limits(int m) const {
    HandLimits result;
    if (tableType == DecisionTableType::Backster) {
        const int cells[8] = {9 * m, 6 * m, m + 1, m, -2 * m, -(2 * m + 1), -6 * m, -9 * m};
        for (std::size_t c = 0; c < 8; ++c) result.cells[c] = signedText(cells[c]);
        result.ndi = m;
        result.di = -2 * m;
    } else {
        result.ndi = std::max(0, 3 * m - 1);
        result.di = std::min(0, 1 - 5 * m);
        result.cells[2] = signedText(3 * m);
        result.cells[3] = signedText(result.ndi);
        result.cells[4] = signedText(result.di);
        result.cells[5] = signedText(-5 * m);
    }
    return result;
}

void HandScoreDecision::recompute() {
    involvedCount_ = 0;
    int highest = 0;
    for (int chart = 1; chart <= 9; ++chart) {
        if (!involved(chart)) continue;
        ++involvedCount_;
        highest = chart;
    }

    auto typeOf = [this](int question) {
        const auto index = static_cast<std::size_t>(question - 1);
        return question >= 1 && index < questions_.size() ? questions_[index].type : 0;
    };
    listed_.clear();
    if (involvedCount_ == 1) {
        // One chart: its presentation order, only what it presented.
        const HandScoreChart& chart = charts_[static_cast<std::size_t>(highest)];
        for (const HandScoreRow& row : chart.rows) {
            if (!row.excluded && listable(typeOf(row.question))) listed_.push_back({row.question, typeOf(row.question)});
        }
    } else {
        for (int question = 1; question <= static_cast<int>(questions_.size()); ++question) {
            if (listable(typeOf(question))) listed_.push_back({question, typeOf(question)});
        }
    }
    const auto relevantCount = static_cast<int>(std::count_if(
        listed_.begin(), listed_.end(), [](const ListedQuestion& q) { return q.type == kRelevantType; }));

    if (tableType == DecisionTableType::Backster) {
        informative_ = limits(involvedCount_);
        relevant_ = limits(involvedCount_ * relevantCount);
    } else {
        informative_ = limits(involvedCount_);
        relevant_ = informative_;
    }

    relevantSums_.fill(0);
    relevantTotal_ = 0;
    for (ListedQuestion& listed : listed_) {
        for (int chart = 1; chart <= 9; ++chart) {
            const int row = involved(chart) ? position(listed.question, chart) : 0;
            if (row == 0) continue;
            const HandScoreRow& scores = charts_[static_cast<std::size_t>(chart)].rows[static_cast<std::size_t>(row - 1)];
            for (std::size_t e = 0; e < kHandScoreEntries; ++e) listed.scores[e] += scores.scores[e];
        }
        listed.total = listed.scores[kHandScoreEntries - 1];
        if (listed.type == kRelevantType) {
            for (std::size_t e = 0; e < kHandScoreEntries; ++e) relevantSums_[e] += listed.scores[e];
            relevantTotal_ += listed.total;
        } else {
            listed.verdict = judge(listed.total, informative_);
        }
    }
    verdict_ = judge(relevantTotal_, relevant_);
}

}  // namespace lumo::scoring
