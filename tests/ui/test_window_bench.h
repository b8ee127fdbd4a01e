#pragma once

#include <QApplication>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "core/clock.h"
#include "core/examinee.h"
#include "core/exam_list.h"
#include "core/question_set.h"
#include "core/test_home.h"
#include "core/template_conversion.h"
#include "core/workstation.h"
#include "device/simulated_link.h"
#include "recording/test_run.h"
#include "recording/test_run_timers.h"
#include "recording/ui/frm_test.h"

namespace lumo::test {

// A priority that only counts.
class WindowPriority final : public recording::ProcessPriority {
public:
    void raise() override { ++raised; }
    void restore() override { ++restored; }
    int raised = 0;
    int restored = 0;
};

// A data home seeded from the shipped defaults with one examinee and an exam
// built from a shipped template, the simulated unit on a virtual clock, and
// the test window on top with its dialogs answered by the test.
class TestWindowBench {
public:
    explicit TestWindowBench(bool deceptive = true) {
        namespace fs = std::filesystem;
        installSettings(home.path());
        fs::copy(fs::path(LUMO_DATA_DIR) / "QST", home / "QST", fs::copy_options::recursive);
        workstation = std::make_unique<core::Workstation>(home.path(), std::make_unique<core::ManualClock>());
        workstation->initialise();
        core::TSubj subject;
        subject.fileCode = "#0000001";
        subject.name = "Ivanov";
        subject.date = "07-03-2001";
        if (!workstation->records().saveExaminee(subject)) throw std::runtime_error("cannot save the examinee");
        folder = workstation->records().examineeFolder(subject.fileCode);
        examFile = folder / core::examFileName(1);
        core::buildExamFromTemplate(home / "QST" / "THEFT.QS1", examFile, "THEFT", subject, core::Date{2026, 12, 9},
                                    core::QuestionTypes(workstation->settings()));
        workstation->records().reloadExams();
        device::SimulatedUnitOptions options;
        options.scenario = deceptive ? device::Scenario::deceptive() : device::Scenario::truthful();
        link = std::make_unique<device::SimulatedLink>(options);
        timers = std::make_unique<recording::VirtualTestTimers>(*link);
    }

    ~TestWindowBench() {
        window.reset();
    }

    // Opens the window (1024 x 768) for chart `chart`; the dialogs answer as the fields below say.
    recording::ui::TfrmTest& open(int chart = 1) {
        window.reset();  // a run gives the timers back when it goes
        window = std::make_unique<recording::ui::TfrmTest>(*workstation, *link, *timers, priority,
                                                           recording::TestRunSetup{examFile, 1, chart});
        recording::ui::TestWindowDialogs dialogs;
        dialogs.confirm = [this](const std::string& text) {
            confirmations.push_back(text);
            return answerConfirm;
        };
        dialogs.askContinue = [this](const recording::ChoiceTexts&) {
            ++continueDialogs;
            return answerContinue;
        };
        dialogs.askKeepChart = [this](const recording::ChoiceTexts&) {
            ++keepDialogs;
            return answerKeep;
        };
        dialogs.showError = [this](const std::string& text) { errors.push_back(text); };
        dialogs.showInformation = [this](const std::string& text) { information.push_back(text); };
        window->setDialogs(dialogs);
        window->resize(1024, 768);
        window->show();
        QApplication::processEvents();
        return *window;
    }

    recording::TestRun& run() { return window->run(); }
    // Moves the virtual clock on, letting the window's posted events run on the way.
    void wait(std::int64_t milliseconds) {
        timers->run(milliseconds);
        QApplication::processEvents();
    }
    bool waitUntil(const std::function<bool()>& done, std::int64_t limit) {
        const bool held = timers->runUntil(done, limit);
        QApplication::processEvents();
        return held;
    }
    bool closed() const { return window && !window->isVisible(); }

    TempHome home;
    std::filesystem::path folder;
    std::filesystem::path examFile;
    std::unique_ptr<core::Workstation> workstation;
    std::unique_ptr<device::SimulatedLink> link;
    std::unique_ptr<recording::VirtualTestTimers> timers;
    WindowPriority priority;
    std::unique_ptr<recording::ui::TfrmTest> window;

    bool answerConfirm = true;
    bool answerContinue = false;
    bool answerKeep = true;
    std::vector<std::string> confirmations, errors, information;
    int continueDialogs = 0, keepDialogs = 0;
};

}  // namespace lumo::test
