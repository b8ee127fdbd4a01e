// Start-up with a full register: 5000 examinees in DAT, from an empty process
// to the shown main window.
#include <QApplication>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "core/clock.h"
#include "core/examinee.h"
#include "core/ui/main_window.h"
#include "core/workstation.h"
#include "platform/installed_data.h"

namespace {

namespace fs = std::filesystem;
using namespace lumo;

constexpr int kExaminees = 5000;

// A seeded home with the examinees, made once per run.
const fs::path& registerHome() {
    static const fs::path home = [] {
        const fs::path path = fs::temp_directory_path() / ("lumo-bench-startup-" + std::to_string(::getpid()));
        fs::remove_all(path);
        platform::seedDataHome(path, false);
        for (int ordinal = 1; ordinal <= kExaminees; ++ordinal) {
            core::TSubj subject;
            subject.fileCode = core::examineeFileCode(ordinal);
            subject.name = "Examinee " + std::to_string(ordinal);
            subject.operatorName = "Operator 1";
            subject.date = "07-03-2001";
            subject.issue = "Case " + std::to_string(ordinal % 97);
            fs::create_directories(path / "DAT" / subject.fileCode);
            core::writeSubjectFile(path / "DAT" / subject.fileCode / "subject.dat", subject);
        }
        return path;
    }();
    return home;
}

// In process: settings, operators and the 5000 records loaded, the main
// window built, shown and painted.
void BM_StartupInProcess(benchmark::State& state) {
    const fs::path& home = registerHome();
    for (auto _ : state) {
        core::Workstation workstation(home, std::make_unique<core::SystemClock>());
        workstation.initialise();
        core::ui::TfrmMain window(workstation, false);
        window.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(window.isVisible());
    }
}
BENCHMARK(BM_StartupInProcess)->Unit(benchmark::kMillisecond)->Iterations(10)->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The whole program: a second home whose operator file is empty ends the
// process as soon as the main window is shown, so the process time is the
// time to the shown window, Qt's own start included.
void BM_StartupWholeProcess(benchmark::State& state) {
    const fs::path home = registerHome().string() + "-process";
    if (!fs::exists(home)) {
        fs::copy(registerHome(), home, fs::copy_options::recursive);
        fs::resize_file(home / "userlist.dat", 0);
    }
    for (auto _ : state) {
        const pid_t child = ::fork();
        if (child == 0) {
            ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
            ::execl(LUMO_BINARY, LUMO_BINARY, "--home", home.c_str(), "--no-splash", static_cast<char*>(nullptr));
            ::_exit(127);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) state.SkipWithError("lumo did not start cleanly");
    }
}
BENCHMARK(BM_StartupWholeProcess)->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(5)
    ->ReportAggregatesOnly(true)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    fs::remove_all(registerHome(), ec);
    fs::remove_all(registerHome().string() + "-process", ec);
    return 0;
}
