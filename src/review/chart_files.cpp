#include "review/chart_files.h"

#include <algorithm>
#include <system_error>

#include "core/exam_list.h"
#include "core/numbers.h"
#include "core/paths.h"
#include "core/records.h"

namespace lumo::review {

namespace fs = std::filesystem;

namespace {

// The file beside `chartFile` whose extension starts with `letters` instead
// of "ch" (all three characters for the exam's "qs_").
fs::path sibling(const fs::path& chartFile, const std::string& letters) {
    std::string name = chartFile.filename().string();
    for (char& c : name) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos) return chartFile.parent_path() / (name + "." + letters);
    std::string extension = name.substr(dot + 1);
    extension.replace(0, std::min(letters.size(), extension.size()), letters);
    return core::resolvePath(chartFile.parent_path(), name.substr(0, dot + 1) + extension);
}

}  // namespace

ReviewFiles reviewFiles(const fs::path& chartFile) {
    ReviewFiles files;
    files.chart = chartFile;
    files.table = sibling(chartFile, "qt");
    files.display = sibling(chartFile, "gd");
    files.screen = sibling(chartFile, "sc");
    files.exam = sibling(chartFile, "qs_");
    const std::string name = chartFile.filename().string();
    if (!name.empty() && name.back() >= '1' && name.back() <= '9') files.digit = name.back() - '0';
    files.examineeCode = chartFile.parent_path().filename().string();
    const std::string stem = chartFile.stem().string();
    files.examNumber = core::strToIntDef(stem.size() >= 2 ? stem.substr(stem.size() - 2) : stem, 0);
    return files;
}

fs::path chartWithDigit(const fs::path& chartFile, int digit) {
    std::string name = chartFile.filename().string();
    if (!name.empty()) name.back() = static_cast<char>('0' + digit);
    return core::resolvePath(chartFile.parent_path(), name);
}

std::array<bool, 10> existingCharts(const fs::path& chartFile) {
    std::array<bool, 10> exists{};
    for (int d = 1; d <= 9; ++d) {
        std::error_code ignored;
        exists[static_cast<std::size_t>(d)] = fs::is_regular_file(chartWithDigit(chartFile, d), ignored);
    }
    return exists;
}

std::optional<ReviewTarget> currentReviewChart(const core::Records& records) {
    const core::CurrentExaminee& current = records.current();
    if (!current.isSet() || current.examNumber <= 0 || current.chart < 1 || current.chart > core::kMaxChartsPerExam) {
        return std::nullopt;
    }
    const std::string name = "EXAM_" + core::examStem(current.examNumber).substr(5) + ".ch" +
                             std::to_string(current.chart);
    return ReviewTarget{core::resolvePath(records.examineeFolder(current.record.fileCode), name),
                        current.record.fileCode, current.record.name};
}

}  // namespace lumo::review
