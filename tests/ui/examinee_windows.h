#pragma once

#include <gtest/gtest.h>

#include <QStringList>
#include <memory>
#include <string>

#include "admin/examinee_samples.h"
#include "admin/ui/examinee_dialogs.h"
#include "core/clock.h"
#include "core/startup.h"
#include "core/workstation.h"

namespace lumo::test {

// A register of two examinees (codes 1 and 3 of five) and the
// message boxes of the examinee dialogs answered and written down.
class ExamineeWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        writeRegisterIni(home.path());
        writeExaminee(home.path(), {"#0000001", "Petrov", "10-01-2002", "Theft", "B-7", "second"});
        writeExaminee(home.path(), {"#0000003", "Ivanov", "07-03-2001", kLongCrime, "A-1", "First"});
        start();
    }
    void start(const std::string& language = "ENG") {
        ws = std::make_unique<core::Workstation>(home.path(),
                                                 std::make_unique<core::ManualClock>(core::Date{2026, 12, 9}));
        ws->initialise();
        if (ws->settings().list().value("Language") != language) {
            // The language prefix of the crime keys is fixed when the settings load.
            ws->settings().list().setValue("Language", language);
            ws->settings().save();
            ws->settings().load();
        }
    }
    // Shut down as the program does (the settings reach the file) and start again.
    void restart() {
        struct Silent : core::ProgressView {
            void showProgress(const std::string&, int) override {}
            void setProgress(int) override {}
            void hideProgress() override {}
        } progress;
        ws->shutDown(progress);
        start();
    }
    admin::ui::DialogBoxes boxes() {
        admin::ui::DialogBoxes answered;
        answered.confirm = [this](const QString& text) {
            shown.append("confirm:" + text);
            return answer;
        };
        answered.inform = [this](const QString& text) { shown.append("inform:" + text); };
        answered.warn = [this](const QString& text) { shown.append("warn:" + text); };
        answered.error = [this](const QString& text) { shown.append("error:" + text); };
        return answered;
    }

    TempHome home;
    std::unique_ptr<core::Workstation> ws;
    QStringList shown;
    bool answer = true;
};

}  // namespace lumo::test
