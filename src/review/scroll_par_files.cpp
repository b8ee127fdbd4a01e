#include "review/scroll_par_files.h"

#include "core/exam_list.h"
#include "core/paths.h"
#include "core/records.h"

namespace lumo::review {

namespace fs = std::filesystem;

namespace {

// "EXAM_01." of ".../EXAM_01.ch1": the name without its last three characters.
std::string nameStem(const fs::path& chartFile) {
    const std::string name = chartFile.filename().string();
    return name.size() >= 3 ? name.substr(0, name.size() - 3) : std::string();
}

fs::path sibling(const fs::path& chartFile, const std::string& ending) {
    return core::resolvePath(chartFile.parent_path(), nameStem(chartFile) + ending);
}

}  // namespace

ParChartFiles parChartFiles(const fs::path& chartFile, int digit) {
    const std::string d = std::to_string(digit);
    return {sibling(chartFile, "ch" + d), sibling(chartFile, "sc" + d), sibling(chartFile, "qt" + d)};
}

fs::path parExamFile(const fs::path& chartFile) {
    return sibling(chartFile, "qs_");
}

int chartDigitOf(const fs::path& chartFile) {
    const std::string name = chartFile.filename().string();
    if (name.empty()) return 0;
    const char last = name.back();
    return last >= '1' && last <= '9' ? last - '0' : 0;
}

std::array<bool, 10> existingCharts(const fs::path& chartFile) {
    std::array<bool, 10> exists{};
    for (int d = 1; d <= 9; ++d) {
        std::error_code ignored;
        exists[static_cast<std::size_t>(d)] = fs::is_regular_file(parChartFiles(chartFile, d).chart, ignored);
    }
    return exists;
}

std::optional<CompareTarget> compareTarget(const core::Records& records) {
    const core::CurrentExaminee& current = records.current();
    if (!current.isSet() || current.examNumber == 0 || current.chart < 1 || current.chart > 9) return std::nullopt;
    const std::string name = "EXAM_" + core::examStem(current.examNumber).substr(5) + ".ch" +
                             std::to_string(current.chart);
    return CompareTarget{core::resolvePath(records.examineeFolder(current.record.fileCode), name),
                         current.record.fileCode, current.record.name};
}

}  // namespace lumo::review
