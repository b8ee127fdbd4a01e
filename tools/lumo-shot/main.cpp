// lumo-shot: pictures of the test window for checking the display by eye.
// Records against the simulated unit on a virtual clock in a fresh data home
// and saves the window, mid-question, as PNG files:
//   lumo-shot --out DIR [--speed 1..4] [--continuous|--half-page] [--russian]
// With --real-time SECONDS it runs the window on the event loop instead (the
// simulated unit in real time, the window's own timers) and takes the picture
// after that many seconds.
#include <QApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>

#include "core/clock.h"
#include "core/exam_list.h"
#include "core/examinee.h"
#include "core/question_set.h"
#include "core/template_conversion.h"
#include "core/workstation.h"
#include "device/simulated_link.h"
#include "platform/installed_data.h"
#include "platform/realtime_priority.h"
#include "platform/serial_ports.h"
#include "recording/test_run.h"
#include "recording/test_run_timers.h"
#include "recording/ui/frm_test.h"
#include "recording/ui/qt_test_timers.h"

namespace fs = std::filesystem;
using namespace lumo;

namespace {

int usage() {
    std::cerr << "usage: lumo-shot --out DIR [--speed 1..4] [--continuous|--half-page] [--russian] [--real-time SECONDS]\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    fs::path out;
    int speed = 1;
    std::string scroll;
    int realTime = 0;
    bool russian = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--out" && i + 1 < argc) {
            out = argv[++i];
        } else if (arg == "--speed" && i + 1 < argc) {
            speed = std::atoi(argv[++i]);
        } else if (arg == "--real-time" && i + 1 < argc) {
            realTime = std::atoi(argv[++i]);
        } else if (arg == "--russian") {
            russian = true;
        } else if (arg == "--continuous") {
            scroll = "TRUE";
        } else if (arg == "--half-page") {
            scroll = "FALSE";
        } else {
            return usage();
        }
    }
    if (out.empty() || speed < 1 || speed > 4) return usage();
    try {
        fs::create_directories(out);
        std::string pattern = (fs::temp_directory_path() / "lumo-shot-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot create a data home");
        const fs::path home = pattern;
        platform::seedDataHome(home, false);
        core::Workstation ws(home, std::make_unique<core::SystemClock>());
        ws.initialise();
        if (russian) {
            // The texts follow the language of the last load.
            ws.settings().list().setValue("Language", "RUS");
            ws.settings().save();
            ws.initialise();
        }
        ws.settings().list().setValue("Test_Speed", recording::speedSetting(speed - 1));
        if (!scroll.empty()) ws.settings().list().setValue("ContScroll", scroll);
        core::TSubj subject;
        subject.fileCode = "#0000001";
        subject.name = "Sample Examinee";
        subject.date = core::formatDate(ws.clock().today());
        if (!ws.records().saveExaminee(subject)) throw std::runtime_error("cannot save the examinee");
        const fs::path examFile = ws.records().examineeFolder(subject.fileCode) / core::examFileName(1);
        core::buildExamFromTemplate(home / "QST" / "THEFT.QS1", examFile, "THEFT", subject, ws.clock().today(),
                                    core::QuestionTypes(ws.settings()));

        if (realTime > 0) {
            std::unique_ptr<device::SerialLink> link =
                platform::makeUnitLink({true, "SIM", 19200}, [&ws](int id) { return ws.texts()(id); });
            recording::ui::QtTestTimers timers;
            platform::RealtimePriority priority;
            recording::ui::TfrmTest window(ws, *link, timers, priority, {examFile, 1, 1});
            window.resize(app.primaryScreen() ? app.primaryScreen()->size() : QSize(1024, 768));
            QTimer::singleShot(realTime * 1000, &window, [&] {
                const fs::path file = out / "test_window_real_time.png";
                window.grab().save(QString::fromStdString(file.string()));
                std::cout << file.string() << " " << window.run().sampleCounter() << "\n";
                window.done(QDialog::Rejected);
            });
            window.exec();
            std::error_code ignored;
            fs::remove_all(home, ignored);
            return 0;
        }
        device::SimulatedUnitOptions options;
        options.scenario = device::Scenario::deceptive();
        device::SimulatedLink link(options);
        recording::VirtualTestTimers timers(link);
        recording::NoPriority priority;
        recording::ui::TfrmTest window(ws, link, timers, priority, {examFile, 1, 1});
        recording::ui::TestWindowDialogs dialogs;
        dialogs.showError = [](const std::string& text) { std::cerr << text << "\n"; };
        window.setDialogs(dialogs);
        const QSize screen = app.primaryScreen() ? app.primaryScreen()->size() : QSize(1024, 768);
        window.resize(screen);
        window.show();
        app.processEvents();
        recording::TestRun& run = window.run();
        auto waitFor = [&](const std::function<bool()>& done, std::int64_t limit) {
            const bool held = timers.runUntil(done, limit);
            app.processEvents();
            return held;
        };
        auto press = [&](recording::TestKey key) {
            run.keyPressed(key);
            app.processEvents();
        };
        if (!waitFor([&] { return run.sampleCounter() >= recording::TestRun::kSettlingCounts; }, 120000)) {
            throw std::runtime_error("the unit never settled");
        }
        press(recording::TestKey::Space);
        waitFor([&] { return run.phase() == recording::TestPhase::Ready; }, 20000);
        // Three questions answered, an artefact, then the fourth mid-question.
        for (int q = 0; q < 3; ++q) {
            timers.run(500);
            press(recording::TestKey::Space);
            timers.run(3000);
            press(recording::TestKey::Space);
            timers.run(1500);
            press(q == 1 ? recording::TestKey::Left : recording::TestKey::Right);
            if (q == 0) {
                timers.run(3000);
                press(recording::TestKey::F6);
            }
            waitFor([&] { return run.phase() == recording::TestPhase::Ready; }, 60000);
        }
        timers.run(500);
        press(recording::TestKey::Space);
        timers.run(6000);
        app.processEvents();
        const fs::path file = out / ("test_window_speed" + std::to_string(speed) + ".png");
        window.grab().save(QString::fromStdString(file.string()));
        std::cout << file.string() << "\n";
        window.done(QDialog::Rejected);
        std::error_code ignored;
        fs::remove_all(home, ignored);
    } catch (const std::exception& error) {
        std::cerr << error.what() << "\n";
        return 1;
    }
    return 0;
}
