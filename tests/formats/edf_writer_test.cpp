#include "formats/edf_writer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "core/question_set.h"
#include "formats/chart.h"
#include "formats/chart_export.h"
#include "formats/edf_reading.h"
#include "formats/mark_word.h"
#include "formats/results_table.h"

namespace lumo::formats {
namespace {

EdfRecording sampleRecording() {
    EdfRecording recording;
    recording.patient = edfPatientField("#0000002", "Иван Петров");
    recording.start = {5, 3, 2024, 14, 30, 7};
    recording.recording = edfRecordingField(recording.start, {"exam_01", "chart 1"});
    recording.samplesPerRecord = 4;
    EdfSignal ramp{"Пульс", "", -3.5, 100.25, {}};
    for (int i = 0; i < 10; ++i) ramp.samples.push_back(-3.5f + 10.375f * float(i));
    recording.signals = {ramp, EdfSignal{"GSC", "", 7, 7, std::vector<float>(10, 7.0f)}};
    recording.annotations = {{0.25, "Question R1: Взяли ли вы деньги?"}, {2.75, "Answer no"}, {2.75, "Ready"}};
    return recording;
}

TEST(EdfWriter, HeaderFollowsTheEdfPlusRules) {
    const ReadEdf edf = readEdf(encodeEdf(sampleRecording()));
    EXPECT_TRUE(edf.asciiHeader);
    EXPECT_EQ(edf.version, "0");
    EXPECT_EQ(edf.patient, "#0000002 X X Ivan_Petrov");
    EXPECT_EQ(edf.recording, "Startdate 05-MAR-2024 exam_01 chart_1");
    EXPECT_EQ(edf.startDate, "05.03.24");
    EXPECT_EQ(edf.startTime, "14.30.07");
    EXPECT_EQ(edf.reserved, "EDF+C");
    EXPECT_EQ(edf.headerBytes, 256 + 3 * 256);
    EXPECT_EQ(edf.records, 3);  // 10 samples at 4 a record: the last one padded
    EXPECT_EQ(edf.recordSeconds, 1.0);
    ASSERT_EQ(edf.signalCount, 3);
    EXPECT_EQ(edf.edfSignals[0].label, "Puls");
    EXPECT_EQ(edf.edfSignals[2].label, "EDF Annotations");
    for (const ReadSignal& s : edf.edfSignals) {
        EXPECT_EQ(s.digitalMinimum, -32768);
        EXPECT_EQ(s.digitalMaximum, 32767);
        EXPECT_LT(s.physicalMinimum, s.physicalMaximum) << s.label;
    }
}

TEST(EdfWriter, SamplesComeBackWithinOneDigitalStep) {
    const EdfRecording recording = sampleRecording();
    const ReadEdf edf = readEdf(encodeEdf(recording));
    for (std::size_t s = 0; s < 2; ++s) {
        const ReadSignal& read = edf.edfSignals[s];
        const double step = (read.physicalMaximum - read.physicalMinimum) / 65535;
        ASSERT_EQ(read.digital.size(), 12u);
        for (std::size_t i = 0; i < read.digital.size(); ++i) {
            const auto& samples = recording.signals[s].samples;
            EXPECT_NEAR(read.physical(i), samples[std::min(i, samples.size() - 1)], step) << s << ":" << i;
        }
    }
    // The constant channel has a range of its own around its value.
    EXPECT_LE(edf.edfSignals[1].physicalMinimum, 7.0);
    EXPECT_GT(edf.edfSignals[1].physicalMaximum, 7.0);
}

TEST(EdfWriter, AnnotationsFollowTheirRecordsTimeKeeping) {
    const ReadEdf edf = readEdf(encodeEdf(sampleRecording()));
    ASSERT_EQ(edf.tals.size(), 3u);
    EXPECT_EQ(edf.tals[0], (std::vector<std::string>{"+0|", "+0.25|Question R1: Взяли ли вы деньги?"}));
    EXPECT_EQ(edf.tals[1], (std::vector<std::string>{"+1|"}));
    EXPECT_EQ(edf.tals[2], (std::vector<std::string>{"+2|", "+2.75|Answer no", "+2.75|Ready"}));
}

TEST(EdfWriter, PhysicalRangeFitsEightCharactersAndContainsTheValues) {
    for (const auto& [low, high] : std::vector<std::pair<double, double>>{
             {-1234.56789, 98765.4321}, {0.1, 0.1}, {2500, 2500}, {-3e9, 3e9}, {5, -5}}) {
        const EdfRange range = edfPhysicalRange(low, high);
        EXPECT_LE(range.minimum.size(), 8u);
        EXPECT_LE(range.maximum.size(), 8u);
        EXPECT_LT(std::stod(range.minimum), std::stod(range.maximum)) << low << " " << high;
        if (std::abs(low) < 1e7) EXPECT_LE(std::stod(range.minimum), std::min(low, high));
    }
}

TEST(EdfWriter, AsciiTransliteratesCyrillicAndMarksTheRest) {
    EXPECT_EQ(edfAscii("Щука ёж Я"), "Shchuka yozh Ya");
    EXPECT_EQ(edfAscii("a\tb€"), "a?b?");
    EXPECT_EQ(edfSubfield(""), "X");
    EXPECT_EQ(edfPatientField("#0000007", ""), "#0000007 X X X");
}

TEST(ChartExport, MarkWordsBecomeEvents) {
    std::string bytes = chartSignature() + encodeChartHeader(2, 1, 2048, 2048, 0.5f, std::vector<float>(8, 1.0f));
    const std::vector<std::uint16_t> marks = {0, speedMark(1), kMarkTestBegins + 3, kMarkOnset + 7,
                                              kMarkQuestionEnd + kMarkAnswerYes, artefactMark(1), kMarkTestEnds, 9};
    for (const std::uint16_t mark : marks) {
        const std::vector<TChartBlock> fast(4, TChartBlock{0, 2048, 2048});
        const std::vector<TChartBlock> slow(1, TChartBlock{0, 2048, 2048});
        appendChartRecord(bytes, fast, slow, mark);
    }
    TLumoChart_7_1 chart;
    chart.LoadFromBytes(bytes);
    const core::TQstTest questions;
    const TQtFile table(questions);
    const std::vector<EdfAnnotation> events = chartEvents(chart, table, {"Cough", "Movement"});
    std::vector<std::string> texts;
    for (const EdfAnnotation& event : events) texts.push_back(std::to_string(event.onset) + " " + event.text);
    // Summed events within one record read by their digit, as every reader of a chart does:
    // end of question and yes in one record read as ready.
    EXPECT_EQ(texts, (std::vector<std::string>{"0.125000 Display speed x2", "0.250000 Test begins",
                                               "0.375000 Question", "0.500000 Ready", "0.625000 Movement",
                                               "0.750000 Test ends"}));
}

}  // namespace
}  // namespace lumo::formats
