// The workstation program: wires the engine, the platform stand-ins and the
// main window together. Everything else lives in the libraries.
#include <QApplication>
#include <QIcon>
#include <QLocale>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/workstation_commands.h"
#include "core/clock.h"
#include "core/command_line.h"
#include "core/data_home.h"
#include "core/errors.h"
#include "core/key_script.h"
#include "core/text_file.h"
#include "core/paths.h"
#include "core/ui/main_window.h"
#include "core/ui/progress_window.h"
#include "core/workstation.h"
#include "demo/demo.h"
#include "platform/help_key.h"
#include "platform/help_viewer.h"
#include "platform/installed_data.h"
#include "platform/key_script_player.h"
#include "platform/sleep_inhibitor.h"
#include "scoring/workspace.h"

namespace {

bool displayAvailable() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') return true;
    }
    return false;
}

// A start-up failure goes to standard error for scripts and logs, and into an
// error box for the examiner.
int failStartup(const std::string& message) {
    std::cerr << "lumo: " << message << std::endl;
    // On the offscreen platform nobody could ever close the box.
    if (QGuiApplication::platformName() == QLatin1String("offscreen")) return 1;
    QMessageBox::critical(nullptr, QStringLiteral("LUMO"), QString::fromStdString(message));
    return 1;
}

// The unattended demo runs without a display: it needs the engine only. The
// home is a fresh temporary folder unless --home names one; it stays for a look.
int runDemoCommand(const lumo::core::CommandLine& line) {
    std::filesystem::path home;
    if (line.home) {
        home = *line.home;
    } else {
        std::string pattern = (std::filesystem::temp_directory_path() / "lumo-demo-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::cerr << "lumo: cannot create a temporary data home" << std::endl;
            return 1;
        }
        home = pattern;
    }
    try {
        if (!lumo::core::holdsSettingsFile(home)) lumo::platform::seedDataHome(home, false);
    } catch (const std::exception& error) {
        std::cerr << "lumo: " << error.what() << std::endl;
        return 1;
    }
    lumo::demo::DemoOptions options;
    options.charts = line.demoCharts;
    options.deceptive = !line.truthful;
    return lumo::demo::runDemo(options, home, std::cout, std::cerr).exitCode;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace lumo;
    const core::CommandLine line = core::parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (!line.error.empty()) {
        std::cerr << "lumo: " << line.error << "\n\n" << core::usageText();
        return 2;
    }
    if (line.help) {
        std::cout << core::usageText();
        return 0;
    }
    if (line.version) {
        std::cout << "lumo " << LUMO_VERSION << std::endl;
        return 0;
    }
    if (line.initHome) {
        try {
            platform::seedDataHome(*line.initHome, line.sample);
        } catch (const std::exception& error) {
            std::cerr << "lumo: " << error.what() << std::endl;
            return 1;
        }
        // A sample home also holds one examined examinee: an exam of three
        // charts recorded against the simulated unit, ready to review and score.
        if (line.sample) {
            std::ostringstream summary;
            if (demo::runDemo({}, *line.initHome, summary, std::cerr).exitCode != 0) return 1;
        }
        std::cout << "Data home ready: " << *line.initHome << std::endl;
        return 0;
    }

    if (line.demo) return runDemoCommand(line);

    std::vector<core::KeyScriptStep> keyScript;
    if (line.play) {
        try {
            keyScript = core::parseKeyScript(core::readFileBytes(*line.play));
        } catch (const std::exception& error) {
            std::cerr << "lumo: " << error.what() << std::endl;
            return 2;
        }
    }

    if (!displayAvailable()) {
        std::cerr << "lumo: no display available (set DISPLAY, or run it under xvfb-run -a)" << std::endl;
        return 1;
    }
    QApplication application(argc, argv);
    // Numbers are written and read with "." whatever the user's locale says.
    std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(QLocale::c());
    QApplication::setApplicationName(QStringLiteral("lumo"));
    QApplication::setDesktopFileName(QStringLiteral("lumo"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/logo.svg")));

    const core::DataHomeChoice home = core::chooseDataHome(core::processDataHomeSources(line.home));
    core::Workstation workstation(home.path, std::make_unique<core::SystemClock>());
    try {
        if (home.needsSeeding) platform::seedDataHome(home.path, false);
        workstation.initialise();
    } catch (const std::exception& error) {
        return failStartup(error.what());
    }

    const platform::SleepInhibitor sleepInhibitor;
    // The scoring tables are built once under the start-up gauge and serve
    // every scoring run of the session.
    scoring::ScoringWorkspace scoringWorkspace;
    scoring::registerWorkspace(workstation.startup(), scoringWorkspace);
    core::ui::TfrmMain mainWindow(workstation, !line.noSplash);
    core::ui::TfrmProgress progress;
    try {
        workstation.startUp(progress);
    } catch (const std::exception& error) {
        return failStartup(error.what());
    }
    // The help window is made on first use and serves the whole run.
    std::unique_ptr<platform::HelpViewer> help;
    const auto helpViewer = [&]() -> platform::HelpViewer& {
        if (!help) help = std::make_unique<platform::HelpViewer>(core::resolvePath(home.path, "help"), workstation.texts());
        return *help;
    };
    const auto closeHelp = [&] {
        if (help) help->close();
    };
    platform::installHelpKey(application, helpViewer);
    app::installWorkstationCommands(mainWindow, workstation, scoringWorkspace, {helpViewer, closeHelp});

    mainWindow.setCloseHandler([&] {
        closeHelp();
        workstation.shutDown(progress);
    });
    // The hub of the workstation fills the screen (also where no window
    // manager would maximise it).
    if (const QScreen* screen = QGuiApplication::primaryScreen()) mainWindow.setGeometry(screen->availableGeometry());
    mainWindow.showMaximized();
    // Nobody may work without an operator: an emptied operator file ends the
    // program quietly as soon as the window is up.
    if (workstation.records().operators().empty()) {
        QTimer::singleShot(0, [] { QApplication::exit(0); });
    }
    // A key script starts once the window is up (after the splash).
    std::unique_ptr<platform::KeyScriptPlayer> player;
    if (line.play) {
        player = std::make_unique<platform::KeyScriptPlayer>(std::move(keyScript),
                                                             std::filesystem::path(*line.play).parent_path());
        player->start();
    }
    return QApplication::exec();
}
