// The names the review gives an exported chart.
#include <gtest/gtest.h>

#include "review/chart_edf_export.h"
#include "review/chart_files.h"

namespace lumo::review {
namespace {

TEST(ChartEdfExport, ProposesTheExamineeCodeExamAndChartAsTheName) {
    EXPECT_EQ(edfFileName(reviewFiles("DAT/#0000002/EXAM_03.ch2")), "#0000002_exam_03_chart_2.edf");
    EXPECT_EQ(edfFileName(reviewFiles("DAT/#0000417/exam_12.ch9")), "#0000417_exam_12_chart_9.edf");
}

TEST(ChartEdfExport, AppendsTheSuffixOnlyWhenTheNameLacksIt) {
    EXPECT_EQ(withEdfSuffix("/tmp/chart"), "/tmp/chart.edf");
    EXPECT_EQ(withEdfSuffix("/tmp/chart.edf"), "/tmp/chart.edf");
    EXPECT_EQ(withEdfSuffix("/tmp/CHART.EDF"), "/tmp/CHART.EDF");
    // Another suffix or a dotted folder is not ".edf".
    EXPECT_EQ(withEdfSuffix("/tmp/chart.edf.old"), "/tmp/chart.edf.old.edf");
    EXPECT_EQ(withEdfSuffix("/tmp/v1.edf/chart"), "/tmp/v1.edf/chart.edf");
}

}  // namespace
}  // namespace lumo::review
