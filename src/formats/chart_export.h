#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "formats/edf_writer.h"

namespace lumo::core {
class Settings;
}

namespace lumo::formats {

class TLumoChart_7_1;
class TQtFile;

inline constexpr int kChartPointsPerSecond = 32;

// What an exported chart is called and who it belongs to.
struct ChartIdentity {
    std::string examineeCode;  // "#0000002"
    std::string examineeName;  // empty: the name stays on the workstation
    int exam = 0;
    int chart = 0;
};

// The chart's events as annotations: every event digit of every mark word,
// test begin and end, display speed changes. The n-th question onset is the
// results table's n-th row, named by its question's sign and text.
// `artefactNames` holds the names of artefact marks 1 ... 4.
std::vector<EdfAnnotation> chartEvents(const TLumoChart_7_1& chart, const TQtFile& table,
                                       const std::vector<std::string>& artefactNames);

// The chart as an EDF+ recording: one signal per channel named by the
// settings, scaled over the chart's range, 32 samples a second; started at
// the date and time of its results table.
EdfRecording chartRecording(const TLumoChart_7_1& chart, const TQtFile& table, const core::Settings& settings,
                            const ChartIdentity& identity);

// "#0000002_exam_01_chart_1.edf": the file name an exported chart is first given.
std::string chartExportFileName(const ChartIdentity& identity);

// The files one chart is read from.
struct ChartSources {
    std::filesystem::path questionSet;  // the exam, exam_NN.qs_
    std::filesystem::path table;        // exam_NN.qtk
    std::filesystem::path chart;        // exam_NN.chk
};

// Reads the chart with its exam and results table as they are on disk and
// writes it as an EDF+ file, atomically. The first error propagates (a file
// that cannot be read, `target` existing without `overwrite`, a failed
// write); `target` is then left as it was.
void exportChartAsEdf(const ChartSources& sources, const core::Settings& settings, const ChartIdentity& identity,
                      const std::filesystem::path& target, bool overwrite);

}  // namespace lumo::formats
