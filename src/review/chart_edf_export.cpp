#include "review/chart_edf_export.h"

#include "core/cp1251.h"
#include "formats/chart_export.h"
#include "review/chart_files.h"

namespace lumo::review {

namespace fs = std::filesystem;

namespace {

formats::ChartIdentity identity(const ReviewFiles& files) {
    return {files.examineeCode, {}, files.examNumber, files.digit};
}

}  // namespace

std::string edfFileName(const ReviewFiles& files) {
    return formats::chartExportFileName(identity(files));
}

fs::path withEdfSuffix(const fs::path& chosen) {
    if (core::upperAscii(chosen.extension().string()) == ".EDF") return chosen;
    fs::path file = chosen;
    file += ".edf";
    return file;
}

void exportReviewChart(const ReviewFiles& files, const core::Settings& settings, const fs::path& target) {
    formats::exportChartAsEdf({files.exam, files.table, files.chart}, settings, identity(files), target, true);
}

}  // namespace lumo::review
