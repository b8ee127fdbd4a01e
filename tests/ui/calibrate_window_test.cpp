#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QPixmap>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/clock.h"
#include "core/test_home.h"
#include "core/texts/device.h"
#include "core/texts/recording.h"
#include "core/workstation.h"
#include "ui/accessible_names.h"
#include "device/adjusting_device.h"
#include "device/calibration_store.h"
#include "device/device_script.h"
#include "device/simulated_link.h"
#include "device/traffic_log.h"
#include "device/ui/calibrate_window.h"

namespace lumo::device::ui {
namespace {

namespace fs = std::filesystem;

constexpr const char* kSimulatedIdent = "4C55072024061100317A";

class CalibrateWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::installSettings(home.path());
        ws = std::make_unique<core::Workstation>(home.path(),
                                                 std::make_unique<core::ManualClock>(core::Date{2026, 12, 9}));
        ws->initialise();
        ws->settings().list().setValue("Language", "ENG");
    }

    // Hooks on a simulated unit of a virtual clock; boxes and priority recorded.
    CalibrateWindowHooks hooks() {
        CalibrateWindowHooks h;
        h.makeLink = [this]() -> std::unique_ptr<SerialLink> {
            if (failingLink) return std::move(failingLink);
            auto made = std::make_unique<SimulatedLink>();
            link = made.get();
            return made;
        };
        h.inform = [this](const QString& text) { informed.push_back(text.toStdString()); };
        h.error = [this](const QString& text) { errors.push_back(text.toStdString()); };
        h.raisePriority = [this] { ++raised; };
        h.restorePriority = [this] { ++restored; };
        h.pressSimulatedButton = pressOnRequest;
        return h;
    }

    // Shows the window and lets it open the unit.
    void open(TfrmCalibrate& window) {
        window.show();
        QApplication::processEvents();
        QApplication::processEvents();
    }
    // Moves the unit's clock on, letting the window's queued work run; stops
    // when the window has closed (and freed its link).
    static void run(TfrmCalibrate& window, int milliseconds) {
        for (int t = 0; t < milliseconds; t += 125) {
            auto* simulated = dynamic_cast<SimulatedLink*>(window.link());
            if (simulated == nullptr) return;
            simulated->run(125);
            QApplication::processEvents();
        }
    }
    static void press(QWidget& window, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(&window, &event);
        QApplication::processEvents();
    }
    std::string text(int id) const { return ws->texts()(id); }
    fs::path storeFolder() const { return home / "calibration"; }

    test::TempHome home;
    std::unique_ptr<core::Workstation> ws;
    SimulatedLink* link = nullptr;
    std::unique_ptr<SerialLink> failingLink;
    std::vector<std::string> informed;
    std::vector<std::string> errors;
    int raised = 0;
    int restored = 0;
    bool pressOnRequest = true;
};

TEST_F(CalibrateWindowTest, CalibratesTheSimulatedUnitAndStoresTheResult) {
    TfrmCalibrate window(*ws, nullptr, hooks());
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(test::unnamedControls(window), "");
    open(window);
    ASSERT_NE(link, nullptr);
    ASSERT_NE(window.adjustingDevice(), nullptr);
    EXPECT_EQ(raised, 1);
    run(window, 3000);
    EXPECT_TRUE(window.panelVisible());
    EXPECT_EQ(window.panelText().toStdString(), text(txt::CalibratePlugSensors));
    if (const char* shots = std::getenv("LUMO_SHOTS_DIR")) {
        fs::create_directories(shots);
        window.grab().save(QString::fromStdString((fs::path(shots) / "calibrate_window.png").string()));
    }

    press(window, Qt::Key_Return, Qt::ShiftModifier);  // only a plain Enter starts
    EXPECT_EQ(window.calibration()->phase(), CalibrationPhase::WaitingForEnter);
    press(window, Qt::Key_Return);
    EXPECT_EQ(window.panelText().toStdString(), text(txt::CalibrateAcquiring));
    for (int i = 0; i < 400 && !window.outcome(); ++i) run(window, 125);

    ASSERT_EQ(window.outcome(), CalibrationOutcome::Complete);
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(informed, std::vector<std::string>{text(txt::CalibrateComplete)});
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(restored, 1);
    EXPECT_EQ(window.calibration(), nullptr);  // the unit is stopped and the driver freed

    const ResistanceCalibration stored = readCalibration(home.path(), kSimulatedIdent, {2026, 12, 9});
    ASSERT_FALSE(stored.stale);
    EXPECT_NEAR(stored.propRes, kSkinPerCount, 0.01 * kSkinPerCount);
    EXPECT_NEAR(stored.zeroRes, kSkinZero, 10);

    // The serial traffic was captured, up to the stop bytes.
    const auto events = readTrafficLog(home / "frmCalibrate.LOG");
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.front().kind, TrafficKind::Open);
    EXPECT_EQ(events.back().kind, TrafficKind::Close);
}

TEST_F(CalibrateWindowTest, EveryWayOutStopsTheUnitAndRestoresThePriority) {
    // Esc while measuring: nothing stored, no box.
    {
        TfrmCalibrate window(*ws, nullptr, hooks());
        open(window);
        run(window, 3000);
        press(window, Qt::Key_Return);
        run(window, 2000);
        press(window, Qt::Key_Escape);
        EXPECT_EQ(window.outcome(), CalibrationOutcome::Cancelled);
        EXPECT_EQ(window.result(), QDialog::Rejected);
        EXPECT_EQ(restored, 1);
    }
    // Alt+F4 (the window closed from outside) before the unit even answered.
    {
        TfrmCalibrate window(*ws, nullptr, hooks());
        open(window);
        window.close();
        QApplication::processEvents();
        EXPECT_EQ(window.outcome(), CalibrationOutcome::Cancelled);
        EXPECT_EQ(restored, 2);
    }
    // The button never pressed: the failure box.
    {
        pressOnRequest = false;
        TfrmCalibrate window(*ws, nullptr, hooks());
        open(window);
        run(window, 3000);
        press(window, Qt::Key_Return);
        for (int i = 0; i < 400 && !window.outcome(); ++i) run(window, 125);
        EXPECT_EQ(window.outcome(), CalibrationOutcome::DeviceFailure);
        EXPECT_EQ(errors, std::vector<std::string>{text(txt::CalibrateDeviceFailure)});
        EXPECT_EQ(restored, 3);
    }
    EXPECT_EQ(raised, 3);
    EXPECT_TRUE(informed.empty());
    EXPECT_FALSE(fs::exists(storeFolder()));
}

TEST_F(CalibrateWindowTest, APortThatCannotOpenIsReportedAndCloses) {
    auto refusing = std::make_unique<test::ScriptedLink>();
    refusing->throwOnOpen = true;
    failingLink = std::move(refusing);
    TfrmCalibrate window(*ws, nullptr, hooks());
    open(window);
    QApplication::processEvents();
    EXPECT_EQ(window.outcome(), CalibrationOutcome::OpenFailure);
    EXPECT_EQ(errors, std::vector<std::string>{text(txt::TestMaybePortWrong) + ":\nport busy"});
    EXPECT_EQ(window.result(), QDialog::Rejected);
    EXPECT_EQ(raised, restored);
}

}  // namespace
}  // namespace lumo::device::ui
