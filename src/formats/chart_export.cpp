#include "formats/chart_export.h"

#include <algorithm>

#include "core/exam_list.h"
#include "core/numbers.h"
#include "core/question_set.h"
#include "core/settings.h"
#include "core/settings_list.h"
#include "formats/chart.h"
#include "formats/mark_word.h"
#include "formats/results_table.h"

namespace lumo::formats {

namespace {

constexpr int kSpeedEntries = 4;

std::string onsetText(const TQtFile& table, int row) {
    if (row > table.RowCount()) return "Question";
    const core::TQstTest& questions = table.questions();
    const int number = table.QuestionNumber(row);
    std::string text = "Question " + core::trimmed(table.QuestionSign(row));
    if (number >= 1 && number <= questions.questionCount()) text += ": " + core::trimmed(questions.question(number).text());
    return text;
}

std::string digitText(int digit, const std::vector<std::string>& artefactNames) {
    switch (digit) {
    case 2: return "End of question";
    case 3: return "Answer yes";
    case 4: return "Answer no";
    case 5: return "Ready";
    default: break;
    }
    const auto artefact = static_cast<std::size_t>(digit - markEvent(kMarkFirstArtefact));
    if (artefact < artefactNames.size() && !core::trimmed(artefactNames[artefact]).empty())
        return core::trimmed(artefactNames[artefact]);
    return "Artefact " + std::to_string(artefact + 1);
}

// The numbers of a text such as "05.03.2024" or "14:30:05", in order.
std::vector<int> numbersIn(const std::string& text) {
    std::vector<int> numbers;
    bool inNumber = false;
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            if (!inNumber) numbers.push_back(0);
            numbers.back() = std::min(numbers.back() * 10 + (c - '0'), 99999);
            inNumber = true;
        } else {
            inNumber = false;
        }
    }
    return numbers;
}

// The table's start; fields that do not read as a date or time keep EDF's
// "unknown" start, 01.01.85 00.00.00.
EdfStart tableStart(const TQtFile& table) {
    EdfStart start;
    const std::vector<int> date = numbersIn(table.date);
    if (date.size() == 3 && date[0] >= 1 && date[0] <= 31 && date[1] >= 1 && date[1] <= 12 && date[2] >= 1985 &&
        date[2] <= 2084) {
        start.day = date[0];
        start.month = date[1];
        start.year = date[2];
    }
    const std::vector<int> time = numbersIn(table.started);
    if (time.size() >= 2 && time[0] < 24 && time[1] < 60 && (time.size() < 3 || time[2] < 60)) {
        start.hour = time[0];
        start.minute = time[1];
        start.second = time.size() >= 3 ? time[2] : 0;
    }
    return start;
}

}  // namespace

std::vector<EdfAnnotation> chartEvents(const TLumoChart_7_1& chart, const TQtFile& table,
                                       const std::vector<std::string>& artefactNames) {
    std::vector<EdfAnnotation> events;
    int onsets = 0;
    for (std::size_t point = 0; point < chart.marks.size() && point < chart.count; ++point) {
        const std::uint32_t mark = chart.mark(point);
        const double seconds = double(point) / kChartPointsPerSecond;
        auto add = [&](std::string text) { events.push_back({seconds, std::move(text)}); };
        if (mark >= kMarkSpeed) {
            const auto entry = static_cast<int>((mark - kMarkSpeed) / kMarkDigit);
            if (entry < kSpeedEntries) add("Display speed x" + std::to_string(entry + 1));
            continue;
        }
        if (mark >= kMarkTestEnds) add("Test ends");
        else if (mark >= kMarkTestBegins) add("Test begins");
        const int digit = markEvent(mark);
        if (digit == markEvent(kMarkOnset)) add(onsetText(table, ++onsets));
        else if (digit != 0) add(digitText(digit, artefactNames));
    }
    return events;
}

EdfRecording chartRecording(const TLumoChart_7_1& chart, const TQtFile& table, const core::Settings& settings,
                            const ChartIdentity& identity) {
    const core::SettingsList& list = settings.list();
    EdfRecording recording;
    recording.start = tableStart(table);
    recording.patient = edfPatientField(identity.examineeCode, identity.examineeName);
    recording.recording = edfRecordingField(recording.start, {core::examStem(identity.exam), "X", "Lumo",
                                                              "chart_" + std::to_string(identity.chart),
                                                              "started_" + core::trimmed(table.started)});
    recording.samplesPerRecord = kChartPointsPerSecond;
    for (int c = 0; c < chart.channelCount; ++c) {
        const auto index = static_cast<std::size_t>(c);
        EdfSignal signal;
        signal.label = core::trimmed(list.text(settings.prefixed("ChName" + std::to_string(c))));
        if (signal.label.empty()) signal.label = "Channel " + std::to_string(c);
        signal.physicalMinimum = chart.minima[index];
        signal.physicalMaximum = chart.maxima[index];
        signal.samples.reserve(chart.count);
        for (std::size_t point = 0; point < chart.count; ++point) signal.samples.push_back(chart.value(c, point));
        recording.signals.push_back(std::move(signal));
    }
    std::vector<std::string> artefactNames;
    for (int i = 0; i < 4; ++i) artefactNames.push_back(list.text(settings.prefixed("Art" + std::to_string(i + 5))));
    recording.annotations = chartEvents(chart, table, artefactNames);
    return recording;
}

std::string chartExportFileName(const ChartIdentity& identity) {
    return identity.examineeCode + "_" + core::examStem(identity.exam) + "_chart_" + std::to_string(identity.chart) +
           ".edf";
}

void exportChartAsEdf(const ChartSources& sources, const core::Settings& settings, const ChartIdentity& identity,
                      const std::filesystem::path& target, bool overwrite) {
    const core::TQstTest questions(sources.questionSet, core::kExamTypeCounters, core::QuestionTypes(settings));
    TQtFile table(questions);
    table.LoadFromFile(sources.table);
    TLumoChart_7_1 chart;
    chart.LoadFromFile(sources.chart);
    saveEdf(target, chartRecording(chart, table, settings, identity), overwrite);
}

}  // namespace lumo::formats
