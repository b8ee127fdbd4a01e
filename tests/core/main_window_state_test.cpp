#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "core/clock.h"
#include "core/main_window_state.h"
#include "core/test_home.h"
#include "core/workstation.h"

namespace lumo::core {
namespace {

using test::writeExamFile;
using test::writeFile;
using test::writeLines;
using test::writeResultsTable;

class MainWindowStateTest : public ::testing::Test {
protected:
    // `settings` replace the minimal settings file's values.
    void start(const std::vector<std::pair<std::string, std::string>>& settings = {}) {
        test::writeMinimalIni(home.path());
        ws = std::make_unique<Workstation>(home.path(), std::make_unique<ManualClock>());
        ws->initialise();
        for (const auto& [key, value] : settings) ws->settings().list().setValue(key, value);
        state = std::make_unique<MainWindowState>(*ws);
        for (int c = 0; c < kCommandCount; ++c) state->setAvailable(static_cast<Command>(c), true);
    }

    void addExaminee(const std::string& code, const std::string& name, const std::string& archive = " ") {
        writeLines(home / "DAT" / code / "subject.dat",
                   {"Name=" + name, "Operator=Operator 1", "Date=07-03-2001", "Archive=" + archive});
    }

    std::filesystem::path folder(const std::string& code) const { return home / "DAT" / code; }

    void addChart(const std::string& code, int exam, int chart, std::size_t bytes = 512) {
        const std::string stem = "exam_0" + std::to_string(exam);
        writeFile(folder(code) / (stem + ".ch" + std::to_string(chart)), std::string(bytes, '\0'));
        writeResultsTable(folder(code) / (stem + ".qt" + std::to_string(chart)), "07-03-2001", "10:00:00", 3, 15,
                          120);
    }

    // Reloads the examinee list from disk and makes `code` current.
    void choose(const std::string& code) {
        ws->records().examinees().load(home / "DAT");
        const int position = ws->records().examinees().indexOf(code);
        ASSERT_GE(position, 0);
        ws->records().makeCurrent(ws->records().examinees().at(static_cast<std::size_t>(position)));
        state->refreshStatus();
    }

    CurrentExaminee& current() { return ws->records().current(); }

    test::TempHome home;
    std::unique_ptr<Workstation> ws;
    std::unique_ptr<MainWindowState> state;
};

TEST_F(MainWindowStateTest, NoExamineeCurrent) {
    start();
    addExaminee("#0000001", "Ivanov");
    ws->records().examinees().load(home / "DAT");
    state->refreshStatus();

    EXPECT_EQ(state->windowCaption(), "LUMO (version 7.0).");
    EXPECT_FALSE(state->enabled(Command::Test));
    EXPECT_FALSE(state->menuEnabled(Menu::Test));
    EXPECT_FALSE(state->menuEnabled(Menu::Results));
    EXPECT_FALSE(state->enabled(Command::PrepareExam));
    EXPECT_FALSE(state->enabled(Command::EditExaminee));
    EXPECT_FALSE(state->enabled(Command::ArchiveExaminee));
    EXPECT_TRUE(state->enabled(Command::ChooseExaminee));
    EXPECT_TRUE(state->enabled(Command::ExamineeState));
    EXPECT_EQ(state->archiveCaption(), "Archive     &o f     Examinee");
    EXPECT_FALSE(state->strip(Strip::Exams).visible());
    EXPECT_FALSE(state->strip(Strip::Charts).visible());
}

TEST_F(MainWindowStateTest, ExamineeWithExamsAndCharts) {
    start();
    addExaminee("#0000001", "Ivanov");
    writeExamFile(folder("#0000001") / "exam_01.qs_", "1", 3, "First");
    writeExamFile(folder("#0000001") / "exam_02.qs_", "2", 3, "Second");
    addChart("#0000001", 1, 1);
    addChart("#0000001", 1, 2);
    writeFile(folder("#0000001") / "exam_01.ch3", std::string(127, 'x'));  // a stub of a failed start
    int hooked = 0;
    state->setExamSelectedHook([&hooked](int exam) { hooked = exam; });
    choose("#0000001");

    // The first exam and its first chart become current on their own.
    EXPECT_EQ(hooked, 1);
    EXPECT_EQ(current().examNumber, 1);
    EXPECT_EQ(current().chart, 1);
    EXPECT_EQ(state->windowCaption(), "   Examinee : #0000001 / EXAM_01 / CHART_01   ( Ivanov )");
    EXPECT_EQ(state->strip(Strip::Exams).tabs, (std::vector<std::string>{"First (01) ", "Second (02) "}));
    EXPECT_EQ(state->strip(Strip::Charts).tabs, (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(state->archiveCaption(), "C&ompress          Examinee");
    EXPECT_TRUE(state->enabled(Command::Test));
    EXPECT_TRUE(state->menuEnabled(Menu::Results));
    EXPECT_TRUE(state->enabled(Command::RunExam));
    EXPECT_TRUE(state->enabled(Command::AnalysePolygram));
    EXPECT_TRUE(state->enabled(Command::ChooseExam));

    state->selectChart(1);
    EXPECT_EQ(current().chart, 2);
    EXPECT_EQ(state->windowCaption(), "   Examinee : #0000001 / EXAM_01 / CHART_02   ( Ivanov )");

    // Another exam: its chart strip is empty, so no chart is current.
    state->selectExam(1);
    EXPECT_EQ(hooked, 2);
    EXPECT_EQ(current().examNumber, 2);
    EXPECT_EQ(current().chart, 0);
    EXPECT_FALSE(state->strip(Strip::Charts).visible());
    EXPECT_EQ(state->windowCaption(), "   Examinee : #0000001 / EXAM_02   ( Ivanov )");
    EXPECT_FALSE(state->enabled(Command::AnalysePolygram));
    EXPECT_TRUE(state->enabled(Command::EditExam));
}

TEST_F(MainWindowStateTest, ExamineeWithoutExams) {
    start();
    addExaminee("#0000002", "Petrov");
    choose("#0000002");
    EXPECT_EQ(state->windowCaption(), "   Examinee : #0000002   ( Petrov )");
    EXPECT_FALSE(state->strip(Strip::Exams).visible());
    EXPECT_FALSE(state->enabled(Command::RunExam));
    EXPECT_FALSE(state->enabled(Command::ChooseExam));
    EXPECT_TRUE(state->enabled(Command::Test));
}

TEST_F(MainWindowStateTest, ArchivedExaminee) {
    start();
    addExaminee("#0000003", "Sidorov", "#");
    writeExamFile(folder("#0000003") / "exam_01.qs_", "1", 3);
    addChart("#0000003", 1, 1);
    writeFile(home / "QST" / "zone.qs1", "");
    choose("#0000003");
    current().examNumber = 1;
    current().chart = 1;
    state->refreshStatus();

    EXPECT_FALSE(state->enabled(Command::Test));
    EXPECT_FALSE(state->menuEnabled(Menu::Results));
    EXPECT_FALSE(state->strip(Strip::Exams).visible());
    EXPECT_FALSE(state->strip(Strip::Charts).visible());
    EXPECT_TRUE(state->strip(Strip::Templates).visible());
    EXPECT_FALSE(state->enabled(Command::PrepareExam));
    EXPECT_FALSE(state->enabled(Command::AnalysePolygram));
    EXPECT_TRUE(state->enabled(Command::ArchiveExaminee));
    EXPECT_EQ(state->archiveCaption(), "Dec&ompress      Examinee");
    EXPECT_EQ(state->windowCaption(), "   Examinee : #0000003   ( Sidorov )");
}

TEST_F(MainWindowStateTest, NineChartsFillTheExam) {
    start();
    addExaminee("#0000001", "Ivanov");
    writeExamFile(folder("#0000001") / "exam_01.qs_", "1", 3);
    for (int chart = 1; chart <= 8; ++chart) addChart("#0000001", 1, chart);
    choose("#0000001");
    EXPECT_EQ(state->strip(Strip::Charts).tabs.size(), 8u);
    EXPECT_TRUE(state->enabled(Command::RunExam));
    EXPECT_TRUE(state->enabled(Command::ChooseOrder));

    addChart("#0000001", 1, 9, 128);  // exactly the smallest chart that counts
    ws->records().reloadExams();
    state->refreshStatus();
    EXPECT_EQ(state->strip(Strip::Charts).tabs,
              (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7", "8", "9"}));
    EXPECT_FALSE(state->enabled(Command::RunExam));
    EXPECT_FALSE(state->enabled(Command::ChooseOrder));
    EXPECT_TRUE(state->enabled(Command::EditOrder));
    EXPECT_TRUE(state->enabled(Command::DeleteExam));
}

TEST_F(MainWindowStateTest, CurrentChartSettlesOnAListedChart) {
    start();
    addExaminee("#0000001", "Ivanov");
    writeExamFile(folder("#0000001") / "exam_01.qs_", "1", 3);
    addChart("#0000001", 1, 1);
    addChart("#0000001", 1, 3);
    choose("#0000001");
    EXPECT_EQ(current().chart, 1);

    // After a test that left no chart, the chart beyond the last tab falls back to the last.
    current().chart = 4;
    state->refreshStatus();
    EXPECT_EQ(current().chart, 3);
    EXPECT_EQ(state->strip(Strip::Charts).selected, 1);

    // The tab shows the chart's digit and selecting it makes that chart current.
    state->selectChart(0);
    EXPECT_EQ(current().chart, 1);
    state->selectChart(1);
    EXPECT_EQ(current().chart, 3);
    current().chart = 2;  // not listed: the listed one below it
    state->refreshStatus();
    EXPECT_EQ(current().chart, 1);
}

TEST_F(MainWindowStateTest, TemplateStrip) {
    start();
    writeFile(home / "QST" / "zone.qs1", "");
    writeFile(home / "QST" / "Alpha.QS6", "");
    writeFile(home / "QST" / "my.test.qs2", "");
    writeFile(home / "QST" / "seven.qs7", "");
    writeFile(home / "QST" / "zero.qs0", "");
    writeFile(home / "QST" / "notes.txt", "");
    std::filesystem::create_directories(home / "QST" / "folder.qs3");
    state->refreshStatus();

    const StripView& strip = state->strip(Strip::Templates);
    EXPECT_EQ(strip.tabs, (std::vector<std::string>{"ALPHA", "MY", "ZONE"}));
    EXPECT_EQ(strip.selected, 0);
    EXPECT_EQ(state->selectedTemplateName(), "ALPHA");
    // The file is found whatever its spelling on disk.
    EXPECT_EQ(state->selectedTemplateFile(), home / "QST" / "Alpha.QS6");

    state->selectTemplate(2);
    state->refreshStatus();
    EXPECT_EQ(state->selectedTemplateName(), "ZONE");
    state->selectTemplateNamed("my.test.QS2");
    EXPECT_EQ(state->selectedTemplateName(), "MY");
    EXPECT_TRUE(state->enabled(Command::DeleteTemplate));
    // With no examinee there is nobody to prepare an exam for.
    EXPECT_FALSE(state->enabled(Command::PrepareExam));
}

TEST_F(MainWindowStateTest, ExamLimitStopsPreparation) {
    start();
    addExaminee("#0000001", "Ivanov");
    writeFile(home / "QST" / "zone.qs1", "");
    for (int exam = 1; exam <= 98; ++exam) {
        const std::string number = (exam < 10 ? "0" : "") + std::to_string(exam);
        writeExamFile(folder("#0000001") / ("exam_" + number + ".qs_"), "1", 1);
    }
    choose("#0000001");
    EXPECT_TRUE(state->enabled(Command::PrepareExam));
    writeExamFile(folder("#0000001") / "exam_99.qs_", "1", 1);
    state->reloadExams();
    state->refreshStatus();
    EXPECT_FALSE(state->enabled(Command::PrepareExam));
}

TEST_F(MainWindowStateTest, ExamineeListRules) {
    start({{"MaxSubj", "2"}});
    EXPECT_FALSE(state->enabled(Command::ChooseExaminee));
    EXPECT_TRUE(state->enabled(Command::NewExaminee));
    addExaminee("#0000001", "Ivanov");
    addExaminee("#0000002", "Petrov");
    ws->records().examinees().load(home / "DAT");
    EXPECT_TRUE(state->enabled(Command::ChooseExaminee));
    EXPECT_FALSE(state->enabled(Command::NewExaminee));
}

TEST_F(MainWindowStateTest, UnavailableCommandsStayDisabled) {
    start();
    state->setAvailable(Command::ExamineeState, false);
    state->setAvailable(Command::Exit, false);
    EXPECT_FALSE(state->enabled(Command::ExamineeState));
    EXPECT_FALSE(state->enabled(Command::Exit));

    MainWindowState fresh(*ws);
    EXPECT_TRUE(fresh.enabled(Command::Exit));
    EXPECT_TRUE(fresh.enabled(Command::About));
    EXPECT_FALSE(fresh.enabled(Command::Operators));
    EXPECT_FALSE(fresh.enabled(Command::HelpContents));
}

TEST_F(MainWindowStateTest, RussianTexts) {
    start({{"Language", "RUS"}});
    addExaminee("#0000001", "Иванов");
    state->refreshStatus();
    EXPECT_EQ(state->windowCaption(), "ЛУМО (версия 7.0).");
    EXPECT_EQ(state->exitConfirmation(), "Вы хотите выйти из системы \"ЛУМО-7.0\"?");
    EXPECT_EQ(state->caption(Command::Calibrate), "Юстировка блока");
    EXPECT_EQ(state->longHint(Command::Calibrate), "Переюстировка блока по желанию оператора");
    EXPECT_TRUE(state->cyrillicProductName());
    choose("#0000001");
    EXPECT_EQ(state->windowCaption(), "   Субъект : #0000001   ( Иванов )");

    // The language follows the setting at once.
    ws->settings().list().setValue("Language", "ENG");
    EXPECT_EQ(state->exitConfirmation(), "Do you want to exit LUMO-7.0?");
    EXPECT_FALSE(state->cyrillicProductName());
}

TEST_F(MainWindowStateTest, TextsOfTheLanguageSetup) {
    start();
    EXPECT_EQ(state->toolPageName(0), "Examinee");
    EXPECT_EQ(state->toolPageName(1), "Preparations");
    EXPECT_EQ(state->toolPageName(2), "System");
    EXPECT_EQ(state->menuCaption(Menu::Help), "&?");
    EXPECT_EQ(state->caption(Command::NewExaminee), "&N   e   w             Examinee");
    EXPECT_EQ(state->caption(Command::Exit), "               E  &x  i  t");
    EXPECT_EQ(state->hint(Command::Calibrate), "Unit calibrating|Unit recalibrating caused by Operator request");
    EXPECT_EQ(state->shortHint(Command::Calibrate), "Unit calibrating");
    EXPECT_EQ(state->longHint(Command::PrepareExam), "Allows to create an exam based on the template");
    // The chart strip's buttons share the Results items' hints.
    EXPECT_EQ(state->stripCommands(Strip::Charts).front(), Command::AnalysePolygram);
    EXPECT_EQ(state->stripHeading(Strip::Exams), "Exams #");
    EXPECT_EQ(MainWindowState::hintPanelText("Delete exam|Allows to delete all information concerned with the exam"),
              "Allows to delete all information concerned with the exam");
    // Every command has a caption or a hint to show.
    for (int c = 0; c < kCommandCount; ++c) {
        const auto command = static_cast<Command>(c);
        EXPECT_FALSE(state->caption(command).empty() && state->hint(command).empty()) << c;
    }
}

TEST_F(MainWindowStateTest, ErrorBoxText) {
    start();
    EXPECT_EQ(state->errorText(Command::ChooseExaminee, "Disk full", false),
              "Not enough system resources to call Examinees list\nDisk full");
    EXPECT_EQ(state->errorText(Command::PrepareExam, "std::bad_alloc", true),
              "Not enough system resources to edit the exam\nYou can close one or more applications and try again");
    EXPECT_EQ(state->errorText(Command::PrepareExam, "Disk full", false), "Disk full");
    // A command without a message of its own shows the error alone.
    EXPECT_EQ(state->errorText(Command::DeleteExam, "Disk full", false), "Disk full");
}

}  // namespace
}  // namespace lumo::core
