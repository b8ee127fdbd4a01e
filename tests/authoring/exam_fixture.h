#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/clock.h"
#include "core/test_home.h"
#include "core/workstation.h"

namespace lumo::test {

// One examinee (#0000001, current) with exams 01 ... `exams` of four neutral
// questions each, and two templates in QST.
class ExamHomeTest : public ::testing::Test {
protected:
    void SetUp() override {
        writeMinimalIni(home.path(), {"QColor1=RED", "QColor3=LIME"});
        writeLines(folder() / "subject.dat", {"Name=Petrov", "Operator=Operator 1", "Date=07-03-2001", "Archive= "});
        writeLines(home / "QST" / "alpha.QS3",
                   {" 1. R1.-.Were you there?", " 2. N1.+.Is it Monday. Today?", " 3. C1.-.Did you ever lie?"});
        writeLines(home / "QST" / "beta.qs1", {" 1. N1.+.Is it you?"});
    }
    void start(int exams) {
        for (int n = 1; n <= exams; ++n) writeExamFile(folder() / examName(n), "3", 4, "Mark " + std::to_string(n));
        ws = std::make_unique<core::Workstation>(home.path(), std::make_unique<core::ManualClock>(core::Date{2026, 12, 9}));
        ws->initialise();
        ws->records().makeCurrent(ws->records().examinees().at(0));
    }
    static std::string examName(int n) { return std::string("exam_") + (n < 10 ? "0" : "") + std::to_string(n) + ".qs_"; }
    std::filesystem::path folder() const { return home / "DAT" / "#0000001"; }
    void addCharts(int exam, int count) {
        const std::string stem = examName(exam).substr(0, 7);
        for (int k = 1; k <= count; ++k) {
            writeFile(folder() / (stem + ".ch" + std::to_string(k)), std::string(200, '\0'));
            writeResultsTable(folder() / (stem + ".qt" + std::to_string(k)), "07-03-2001", "10:00:00", 3, 15, 120);
        }
        ws->records().reloadExams();
    }
    std::vector<std::string> folderFiles() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder())) names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    TempHome home;
    std::unique_ptr<core::Workstation> ws;
};

}  // namespace lumo::test
