#pragma once

#include <QString>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/test_home.h"
#include "core/ui/main_window.h"
#include "core/workstation.h"
#include "platform/help_viewer.h"
#include "recording/test_run_timers.h"
#include "recording/ui/frm_test.h"
#include "recording/test_run.h"
#include "scoring/workspace.h"
#include "ui/road_driver.h"

namespace lumo::test {

// The whole workstation on a fresh data home seeded from the installed
// defaults, wired as the program wires it, with the simulated unit on a
// virtual clock for the test window, so that charts record in moments, and
// one drive for the archive: a folder of the home.
class RoadWorkstation {
public:
    // `language`: "ENG" or "RUS". Pictures go to LUMO_ROAD_SHOTS when it is set.
    explicit RoadWorkstation(const std::string& language);
    ~RoadWorkstation();

    // The texts of the workstation's language.
    QString text(int id) const;
    std::filesystem::path examineeFolder() const;
    std::filesystem::path archiveDrive() const { return home / "drive"; }

    // What the test window does with the keys the examiner presses; set before a test starts.
    std::function<void(recording::ui::TfrmTest& window, recording::VirtualTestTimers& timers)> examine;
    // The setups the test window was started with.
    std::vector<recording::TestRunSetup> tests;

    TempHome home;
    std::unique_ptr<core::Workstation> ws;
    scoring::ScoringWorkspace workspace;
    std::unique_ptr<core::ui::TfrmMain> main;
    std::unique_ptr<platform::HelpViewer> help;
    RoadDriver road;

private:
    void runTest(QWidget* parent, const recording::TestRunSetup& setup);
};

}  // namespace lumo::test
