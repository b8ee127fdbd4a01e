#include "review/scroll_res_command.h"

#include "core/exam_list.h"
#include "core/paths.h"
#include "core/records.h"

namespace lumo::review {

std::filesystem::path scrollResChartFile(const core::Records& records) {
    const core::CurrentExaminee& current = records.current();
    if (!current.isSet() || current.examNumber <= 0 || current.chart < 1 || current.chart > core::kMaxChartsPerExam) {
        return {};
    }
    const std::string name = "EXAM_" + core::examStem(current.examNumber).substr(5) + ".ch" + std::to_string(current.chart);
    return core::resolvePath(records.examineeFolder(current.record.fileCode), name);
}

}  // namespace lumo::review
