#include "review/scroll_res_chart.h"

#include <algorithm>

#include "core/errors.h"
#include "core/settings.h"
#include "review/ready_marks.h"

namespace lumo::review {

namespace fs = std::filesystem;

ScrollResChart::ScrollResChart(const fs::path& chartFile, const core::Settings& settings)
    : files_(reviewFiles(chartFile)) {
    exam_ = std::make_unique<core::TQstTest>(files_.exam, core::kExamTypeCounters, core::QuestionTypes(settings));
    table_ = std::make_unique<formats::TQtFile>(*exam_);
    table_->LoadFromFile(files_.table);
    chart_.LoadFromFile(files_.chart);
    count_ = std::min<std::size_t>(table_->sampleCount, chart_.count);
    display_ = formats::defaultReviewDisplay(channels());
    values_ = DrawnValues(chart_, count_);
    scale_ = ChartScale(nullptr, channels(), count_);
}

ScrollResChart::~ScrollResChart() = default;

int ScrollResChart::channels() const {
    return std::clamp(chart_.channelCount, 0, kReviewChannels);
}

void ScrollResChart::prepare(const FillGainsReport& report) {
    const auto step = [&report](const char* name, const std::function<void()>& body) {
        try {
            body();
        } catch (const std::exception& error) {
            report(name, error.what());
        }
    };
    step("counting samples", [this] {
        // A table that knows fewer samples than the chart holds cuts the view short: say so.
        if (table_->sampleCount < chart_.count) {
            throw EInOutError("the results table \"" + files_.table.string() + "\" counts " +
                              std::to_string(table_->sampleCount) + " samples, the chart holds " +
                              std::to_string(chart_.count) + " points; only the first " + std::to_string(count_) +
                              " are shown");
        }
    });
    // The last point is never a lonely ready mark here.
    step("filling lonely ready",
         [this] { lonelyReady_ = lonelyReadyMarks(chart_.marks, count_ == 0 ? 0 : count_ - 1); });
    step("reading gd", [this] {
        formats::ReviewDisplayReading reading = formats::openReviewDisplayFile(files_.display, channels());
        display_ = std::move(reading.display);
        if (!reading.problem.empty()) throw EInOutError(reading.problem);
    });
    step("reading sc", [this] {
        const formats::ScreenSettings settings = formats::readScreenSettingsFile(files_.screen);
        scale_ = ChartScale(&settings, channels(), count_);
    });
    step("filling changes", [this] { changes_ = changeEvents(scale_, count_); });
    step("filling ranges", [this] { values_ = DrawnValues(chart_, count_); });
}

void ScrollResChart::save() const {
    table_->SaveToFile(files_.table);
    formats::writeReviewDisplayFile(files_.display, display_);
}

}  // namespace lumo::review
