#include <gtest/gtest.h>

#include <vector>

#include "core/startup.h"
#include "scoring/workspace.h"

namespace lumo::scoring {
namespace {

class RecordingProgress : public core::ProgressView {
public:
    void showProgress(const std::string&, int maximum) override { this->maximum = maximum; }
    void setProgress(int position) override { positions.push_back(position); }
    void hideProgress() override { hidden = true; }
    int maximum = 0;
    bool hidden = false;
    std::vector<int> positions;
};

// 0 ... 32767 while the sample store is built, 32768 + chart 0 ... 9, then
// 32778 ... 32789 after the twelve small tables.
std::vector<int> expectedGauge() {
    std::vector<int> positions = {0};  // the routine's own start
    for (int p = 0; p <= 32789; ++p) positions.push_back(p);
    return positions;
}

TEST(ScoringWorkspace, IsBuiltAndReleasedUnderTheStartUpGauge) {
    ScoringWorkspace workspace;
    core::StartupRoutine routine;
    registerWorkspace(routine, workspace);
    RecordingProgress startup;
    routine.runStartup(startup, "Loading");
    EXPECT_TRUE(workspace.allocated());
    EXPECT_EQ(startup.maximum, core::kProgressMaximum);
    EXPECT_EQ(startup.positions, expectedGauge());
    EXPECT_TRUE(startup.hidden);
    EXPECT_EQ(workspace.samples(9, 9)[kMaxSamples], 0.0f);
    EXPECT_LE(workspace.memoryBytes(), 30u * 1024 * 1024);

    RecordingProgress shutdown;
    routine.runShutdown(shutdown, "Shutting down");
    EXPECT_FALSE(workspace.allocated());
    EXPECT_EQ(shutdown.positions, expectedGauge());
}

}  // namespace
}  // namespace lumo::scoring
