#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/question_set.h"
#include "formats/chart.h"
#include "formats/results_table.h"
#include "formats/review_display.h"
#include "review/chart_files.h"
#include "review/scroll_res_scale.h"
#include "review/scroll_res_values.h"

namespace lumo::core {
class Settings;
}

namespace lumo::review {

// A preparation step that failed: its name and the failure's message.
using FillGainsReport = std::function<void(const std::string& step, const std::string& message)>;

// One chart of the exam as the scrolling review reads it: exam, results
// table and chart loaded, then the data every drawing uses prepared once.
class ScrollResChart {
public:
    // Loads the exam, the results table and the chart; their errors propagate.
    ScrollResChart(const std::filesystem::path& chartFile, const core::Settings& settings);
    ~ScrollResChart();

    const ReviewFiles& files() const { return files_; }
    const core::TQstTest& exam() const { return *exam_; }
    formats::TQtFile& table() { return *table_; }
    const formats::TQtFile& table() const { return *table_; }
    const formats::TLumoChart_7_1& chart() const { return chart_; }
    // The points shown: the smaller of the table's sample count and the chart's.
    std::size_t count() const { return count_; }
    // The chart's channels, at most eight.
    int channels() const;

    // The sample counts, lonely ready marks, the review display file
    // (created when missing), the screen-settings file, the change events
    // and the values. A step that fails is reported and leaves its
    // defaults; the others go on.
    void prepare(const FillGainsReport& report);

    const std::vector<std::size_t>& lonelyReady() const { return lonelyReady_; }
    const ChartScale& scale() const { return scale_; }
    const std::vector<ChangeEvent>& changes() const { return changes_; }
    const DrawnValues& values() const { return values_; }
    // Gain codes and offsets (thousandths) as read, and as the view leaves them.
    formats::ReviewDisplay& display() { return display_; }
    const formats::ReviewDisplay& display() const { return display_; }

    // Writes the results table (exclusions and hand scores) and the review
    // display file; the first error propagates, the old file staying whole.
    void save() const;

private:
    ReviewFiles files_;
    std::unique_ptr<core::TQstTest> exam_;
    std::unique_ptr<formats::TQtFile> table_;
    formats::TLumoChart_7_1 chart_;
    std::size_t count_ = 0;
    std::vector<std::size_t> lonelyReady_;
    ChartScale scale_;
    std::vector<ChangeEvent> changes_;
    DrawnValues values_;
    formats::ReviewDisplay display_;
};

}  // namespace lumo::review
