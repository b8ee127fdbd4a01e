#include "scoring/hand_score_report.h"

#include <algorithm>

#include "core/cp1251.h"
#include "core/exam_list.h"
#include "core/settings.h"
#include "core/texts/scoring.h"
#include "scoring/hand_score_exam.h"
#include "scoring/score_report.h"

namespace lumo::scoring {

namespace {

std::string limitsJson(const HandLimits& limits) {
    return "{\"ndi\":" + std::to_string(limits.ndi) + ",\"di\":" + std::to_string(limits.di) + "}";
}

// Lines of cells, columns padded to their widest cell (in characters).
std::string columns(const std::vector<std::vector<std::string>>& lines) {
    std::vector<std::size_t> widths;
    for (const auto& line : lines) {
        widths.resize(std::max(widths.size(), line.size()), 0);
        for (std::size_t c = 0; c < line.size(); ++c) widths[c] = std::max(widths[c], core::charCount(line[c]));
    }
    std::string out;
    for (const auto& line : lines) {
        std::string text;
        for (std::size_t c = 0; c < line.size(); ++c) {
            text += line[c] + std::string(widths[c] - core::charCount(line[c]) + 2, ' ');
        }
        while (!text.empty() && text.back() == ' ') text.pop_back();
        out += text + "\n";
    }
    return out;
}

}  // namespace

std::string handVerdictText(HandVerdict verdict, core::Language language) {
    const core::StringTable strings;
    const int id = verdict == HandVerdict::NoDeception ? txt::QtViewNoDeception
                   : verdict == HandVerdict::Deception ? txt::QtViewDeception
                                                       : txt::QtViewInconclusion;
    return std::string(strings.text(id, language));
}

std::string handScoreJson(const HandScoreExam& exam, const std::string& examinee, int examNumber) {
    const HandScoreDecision& decision = exam.decision();
    const bool matte = decision.tableType == DecisionTableType::Matte;
    std::string out = "{\"examinee\":" + jsonString(examinee) +
                      ",\"exam\":" + jsonString(core::examStem(examNumber).substr(5)) + ",\"table\":\"" +
                      (matte ? "matte" : "backster") + "\",\"charts\":[";
    bool first = true;
    for (int chart = 1; chart <= 9; ++chart) {
        if (!decision.involved(chart)) continue;
        out += (first ? "" : ",") + std::to_string(chart);
        first = false;
    }
    out += "],\"limits\":{\"informative\":" + limitsJson(decision.informativeLimits()) +
           ",\"relevant\":" + limitsJson(decision.relevantLimits()) + "},\"questions\":[";
    const auto& listed = decision.listed();
    for (std::size_t i = 0; i < listed.size(); ++i) {
        const ListedQuestion& q = listed[i];
        out += i > 0 ? "," : "";
        out += "{\"number\":" + std::to_string(q.question) + ",\"sign\":" + jsonString(exam.sign(q.question)) +
               ",\"type\":" + std::to_string(q.type) + ",\"scores\":[";
        for (std::size_t e = 0; e < q.scores.size(); ++e) out += (e > 0 ? "," : "") + std::to_string(q.scores[e]);
        out += "],\"total\":" + std::to_string(q.total) + ",\"decision\":";
        out += q.type == 2 ? jsonString(handVerdictText(q.verdict, core::Language::English)) : "null";
        out += "}";
    }
    out += "],\"sum\":" + std::to_string(decision.relevantTotal()) +
           ",\"decision\":" + jsonString(handVerdictText(decision.verdict(), core::Language::English)) + "}";
    return out;
}

std::string handScoreText(const HandScoreExam& exam, const core::Settings& settings) {
    const core::StringTable strings;
    const core::Language language = settings.language();
    auto text = [&](int id) { return std::string(strings.text(id, language)); };
    const HandScoreDecision& decision = exam.decision();

    std::vector<std::vector<std::string>> charts;
    for (int chart = 1; chart <= 9; ++chart) {
        if (!decision.available(chart)) continue;
        charts.push_back({text(txt::QtViewChart) + std::to_string(chart), decision.date(chart),
                          text(decision.involved(chart) ? txt::QtViewInvolved : txt::QtViewNotInvolved)});
    }
    std::string out = columns(charts);
    const bool matte = decision.tableType == DecisionTableType::Matte;
    out += text(txt::QtViewDecisionTable) + ": " + text(matte ? txt::QtViewMatte : txt::QtViewBackster) + "\n\n";

    std::vector<std::vector<std::string>> table = {
        {"", text(txt::QtViewCandid), "", "", text(txt::QtViewInconclusive), "", text(txt::QtViewCheat), "", ""}};
    for (const auto& [caption, limits] : {std::pair{txt::QtViewInfScore, &decision.informativeLimits()},
                                          std::pair{txt::QtViewRelScore, &decision.relevantLimits()}}) {
        std::vector<std::string> line = {text(caption)};
        line.insert(line.end(), limits->cells.begin(), limits->cells.end());
        table.push_back(line);
    }
    out += columns(table) + "\n";

    const core::SettingsList& list = settings.list();
    std::vector<std::vector<std::string>> scores = {
        {text(txt::QtViewNumber), text(txt::QtViewType), list.text(settings.prefixed("ChName1_2")),
         list.text(settings.prefixed("ChName7")), list.text(settings.prefixed("ChName0_4")), text(txt::QtViewSum),
         text(txt::QtViewTotal)}};
    int row = 0;
    for (const ListedQuestion& q : decision.listed()) {
        std::vector<std::string> line = {std::to_string(++row) + ".", exam.sign(q.question)};
        for (const int score : q.scores) line.push_back(HandScoreDecision::signedText(score));
        std::string total = HandScoreDecision::signedText(q.total);
        if (q.type == 2) total += " " + handVerdictText(q.verdict, language);
        line.push_back(total);
        scores.push_back(line);
    }
    std::vector<std::string> sums = {text(txt::QtViewSum), ""};
    for (const int sum : decision.relevantSums()) sums.push_back(HandScoreDecision::signedText(sum));
    sums.push_back(HandScoreDecision::signedText(decision.relevantTotal()));
    scores.push_back(sums);
    out += columns(scores) + "\n" + handVerdictText(decision.verdict(), language) + "\n";
    return out;
}

}  // namespace lumo::scoring
