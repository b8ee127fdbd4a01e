#pragma once

#include <filesystem>
#include <string>

namespace lumo::core {
class Settings;
}

namespace lumo::review {

struct ReviewFiles;

// The name first proposed for the chart's EDF+ file: "#0000002_exam_01_chart_2.edf".
std::string edfFileName(const ReviewFiles& files);

// The examiner's choice with ".edf" appended unless it ends so already (in any case).
std::filesystem::path withEdfSuffix(const std::filesystem::path& chosen);

// Writes the chart of `files` as it is on disk (hand scores and exclusions
// are not part of an EDF+ file) over `target`, atomically. The file carries
// the examinee's code and no name: exported files leave the workstation.
// The first error propagates and leaves `target` as it was.
void exportReviewChart(const ReviewFiles& files, const core::Settings& settings, const std::filesystem::path& target);

}  // namespace lumo::review
