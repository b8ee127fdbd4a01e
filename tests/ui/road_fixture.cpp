#include "ui/road_fixture.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <cstdlib>

#include "app/workstation_commands.h"
#include "core/clock.h"
#include "core/startup.h"
#include "core/ui/main_window.h"
#include "core/workstation.h"
#include "device/simulated_link.h"
#include "device/unit_port.h"
#include "platform/help_viewer.h"
#include "platform/installed_data.h"
#include "recording/test_run_timers.h"
#include "recording/ui/frm_test.h"

namespace lumo::test {

namespace {

class SilentProgress final : public core::ProgressView {
public:
    void showProgress(const std::string&, int) override {}
    void setProgress(int) override {}
    void hideProgress() override {}
};

// The scheduler is left alone in tests.
class KeptPriority final : public recording::ProcessPriority {
public:
    void raise() override {}
    void restore() override {}
};

std::filesystem::path shotFolder() {
    const char* folder = std::getenv("LUMO_ROAD_SHOTS");
    return folder != nullptr && *folder != '\0' ? std::filesystem::path(folder) : std::filesystem::path();
}

}  // namespace

RoadWorkstation::RoadWorkstation(const std::string& language)
    : road(shotFolder(), QStringLiteral("_") + QString::fromStdString(language).toLower()) {
    platform::seedDataHome(home.path(), false);
    std::filesystem::create_directories(archiveDrive());
    ws = std::make_unique<core::Workstation>(home.path(), std::make_unique<core::ManualClock>(core::Date{2026, 12, 9}));
    ws->initialise();
    ws->settings().list().setValue("UnitDevice", "SIM");
    ws->settings().list().setValue("Language", language);
    ws->settings().save();
    ws->settings().load();

    scoring::registerWorkspace(ws->startup(), workspace);
    main = std::make_unique<core::ui::TfrmMain>(*ws, false);
    SilentProgress progress;
    ws->startUp(progress);

    app::HelpViewerAccess helpAccess;
    helpAccess.open = [this]() -> platform::HelpViewer& {
        if (!help) help = std::make_unique<platform::HelpViewer>(home / "help", ws->texts());
        return *help;
    };
    helpAccess.close = [this] {
        if (help) help->close();
    };
    app::WorkstationCommandSteps steps;
    steps.runTest = [this](QWidget* parent, const recording::TestRunSetup& setup) { runTest(parent, setup); };
    steps.archiveDrives = [this] {
        admin::ArchiveDrive drive;
        drive.letter = 'C';
        drive.root = archiveDrive();
        drive.caption = "C:  " + archiveDrive().string();
        return std::vector<admin::ArchiveDrive>{drive};
    };
    app::installWorkstationCommands(*main, *ws, workspace, helpAccess, std::move(steps));
    main->setCloseHandler([this] {
        if (help) help->close();
        SilentProgress closing;
        ws->shutDown(closing);
    });
    main->resize(1024, 768);
    main->show();
    QApplication::setActiveWindow(main.get());
    QApplication::processEvents();
}

RoadWorkstation::~RoadWorkstation() {
    main.reset();
    help.reset();
}

QString RoadWorkstation::text(int id) const {
    return QString::fromStdString(ws->texts()(id));
}

std::filesystem::path RoadWorkstation::examineeFolder() const {
    return ws->records().examineeFolder(ws->records().current().record.fileCode);
}

// The unit the settings name, simulated here on the window's virtual clock.
void RoadWorkstation::runTest(QWidget* parent, const recording::TestRunSetup& setup) {
    tests.push_back(setup);
    const device::UnitPortChoice port = device::unitPortFromSettings(ws->settings().list());
    EXPECT_TRUE(port.simulated) << "the road runs against the simulated unit";
    device::SimulatedUnitOptions options;
    options.scenario = device::Scenario::deceptive();
    device::SimulatedLink link(options);
    recording::VirtualTestTimers timers(link);
    KeptPriority priority;
    recording::ui::TfrmTest window(*ws, link, timers, priority, setup, parent);
    window.resize(1024, 768);
    QTimer::singleShot(0, &window, [this, &window, &timers] {
        if (examine) examine(window, timers);
    });
    window.exec();
}

}  // namespace lumo::test
