#pragma once

// The scrolling review window on a demo chart, as its tests open it.
#include <QApplication>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <sstream>
#include <string>

#include "core/clock.h"
#include "core/question_set.h"
#include "core/records.h"
#include "core/test_home.h"
#include "core/workstation.h"
#include "demo/demo.h"
#include "formats/results_table.h"
#include "platform/installed_data.h"
#include "review/chart_files.h"
#include "review/scroll_res_view.h"
#include "review/ui/frm_scrl_res.h"
#include "review/ui/scroll_res_strip.h"
#include "ui/test_window_events.h"

namespace lumo::review::ui {

namespace fs = std::filesystem;


// The demo home, recorded once: an examinee with a three-chart exam.
inline const fs::path& demoHome() {
    static const fs::path home = [] {
        const fs::path path = fs::temp_directory_path() / ("lumo-review-demo-" + std::to_string(::getpid()));
        fs::remove_all(path);
        platform::seedDataHome(path, true);
        std::ostringstream out;
        std::ostringstream err;
        if (demo::runDemo({}, path, out, err).exitCode != 0) ADD_FAILURE() << err.str();
        return path;
    }();
    return home;
}

class ManualTimer final : public RedrawTimer {
public:
    void restart(int milliseconds) override {
        running = true;
        interval = milliseconds;
        ++restarts;
    }
    bool active() const override { return running; }
    void fire() {
        running = false;
        if (onTimeout) onTimeout();
    }
    bool running = false;
    int interval = 0;
    int restarts = 0;
};

class ScrollResWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::copy(demoHome(), home.path(), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        ws = std::make_unique<core::Workstation>(home.path(), std::make_unique<core::ManualClock>());
        ws->initialise();
        for (const core::TSubj& subject : ws->records().examinees().entries()) {
            if (fs::exists(ws->records().examineeFolder(subject.fileCode) / "exam_01.ch1")) {
                ws->records().makeCurrent(subject);
            }
        }
        ws->records().current().examNumber = 1;
        ws->records().current().chart = 1;
    }
    TfrmScrlRes& open() {
        ScrlResSteps steps;
        steps.error = [this](QWidget*, const QString&, const QString& text) { errors.append(text); };
        steps.confirm = [this](QWidget*, const QString&, const QString& text) {
            questions.append(text);
            return answer;
        };
        steps.makeTimer = [this](QObject*) {
            auto made = std::make_unique<ManualTimer>();
            timer = made.get();
            return made;
        };
        steps.quitHelp = [this] { ++helpQuits; };
        steps.print = print;
        steps.information = [this](QWidget*, const QString&, const QString& text) { informed.append(text); };
        steps.edfFile = [this](QWidget*, const QString& caption, const QString& proposed) {
            chooserCalls.append(caption + QLatin1Char('|') + proposed);
            return edfAnswer;
        };
        steps.exportFolder = exportFolder;
        window = std::make_unique<TfrmScrlRes>(*ws, currentReviewChart(ws->records())->chartFile, steps);
        window->show();
        return *window;
    }
    fs::path folder() const { return ws->records().examineeFolder(ws->records().current().record.fileCode); }
    // The first presentation (1 ...) whose question is of `type`.
    int presentationOf(int type) const {
        for (int i = 1; i <= window->view().presentationCount(); ++i) {
            if (window->view().presentation(i).type == type) return i;
        }
        return 0;
    }
    // Steps the question strip by the keyboard to presentation `index`.
    void stripTo(int index) {
        while (window->questionStrip()->currentIndex() + 1 != index) {
            window->questionStrip()->setFocus();
            test::pressKey(window->questionStrip(),
                            window->questionStrip()->currentIndex() + 1 < index ? Qt::Key_Right : Qt::Key_Left);
        }
    }
    formats::TQtFile table(int chart, core::TQstTest& questions) const {
        formats::TQtFile result(questions);
        result.LoadFromFile(folder() / ("exam_01.qt" + std::to_string(chart)));
        return result;
    }

    test::TempHome home;
    std::unique_ptr<core::Workstation> ws;
    std::unique_ptr<TfrmScrlRes> window;
    ManualTimer* timer = nullptr;
    QStringList errors;
    QStringList questions;
    bool answer = false;
    int helpQuits = 0;
    std::optional<platform::PrintSteps> print;
    QStringList informed;
    QStringList chooserCalls;  // caption "|" proposed file
    QString edfAnswer;         // what the EDF+ file chooser answers
    std::shared_ptr<fs::path> exportFolder = std::make_shared<fs::path>();
};

}  // namespace lumo::review::ui
