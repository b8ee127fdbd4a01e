#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "app/score_board_bridge.h"
#include "core/clock.h"
#include "core/question_set.h"
#include "core/settings.h"
#include "core/test_home.h"
#include "core/ui/main_window.h"
#include "core/workstation.h"
#include "formats/results_table.h"
#include "recording/ui/frm_tablo.h"
#include "scoring/chart_fixture.h"
#include "scoring/ui/exam_results_command.h"
#include "scoring/ui/frm_edit.h"
#include "scoring/ui/frm_edit_image.h"
#include "scoring/ui/frm_result.h"
#include "scoring/workspace.h"
#include "ui/accessible_names.h"
#include "ui/menu_letters.h"
#include "ui/test_window_events.h"

namespace lumo::scoring::ui {
namespace {

namespace fs = std::filesystem;

// Runs `inspect` on the modal window of type T that the next action opens.
template <typename T>
void whenModal(std::function<void(T&)> inspect, bool& seen) {
    QTimer::singleShot(0, [inspect = std::move(inspect), &seen] {
        auto* window = qobject_cast<T*>(QApplication::activeModalWidget());
        ASSERT_NE(window, nullptr);
        seen = true;
        inspect(*window);
    });
}

// An examinee with one exam of two recorded charts of six rows; the pulse
// and skin channels swap display places, so box 0 stands for the skin.
class ChartEditorWindowTest : public ::testing::Test {
protected:
    void SetUp() override { workspace.allocateLazily(); }

    void start(const std::string& language = "ENG") {
        for (int k = 1; k <= 2; ++k) {
            recipe.charts.push_back(test::regularChart(recipe.signs, 6, static_cast<std::uint32_t>(k)));
        }
        recipe.charts[0].recipe.marks = {{recipe.charts[0].rows[1].onset + 64, 8000}};  // Art7
        startWith(language);
    }
    void startWith(const std::string& language) {
        recipe.settings = {"ChSeq0=5", "ChSeq5=0", "Language=" + language, "Eng_Art7=Talk", "Rus_Art7=Речь",
                           "ChBackColor=BLACK", "Eng_ParamName2=Rsp.Rate", "Eng_ParamName8=Pulse"};
        test::writeExam(home.path(), recipe);
        test::writeLines(folder() / "subject.dat",
                         {"Name=Petrov", "Operator=Operator 1", "Date=07-03-2001", "Archive= "});
        ws = std::make_unique<core::Workstation>(home.path(), std::make_unique<core::ManualClock>());
        ws->initialise();
        ws->records().makeCurrent(ws->records().examinees().at(0));
        ws->records().current().examNumber = 1;
        ws->records().current().chart = 1;
        main = std::make_unique<core::ui::TfrmMain>(*ws);
        main->setErrorFunction([this](const QString&, const QString& text) { errors.append(text); });
        ExamResultsCommandSteps steps;
        steps.warn = [this](const QString& text) { warnings.append(text); };
        steps.error = [this](const QString& text) { errors.append(text); };
        steps.runEditor = [this](TfrmEdit& editor) {
            editor.setInformFunction([this](const QString& text) { messages.append(text); });
            editor.setConfirmFunction([this](const QString& text) {
                messages.append(text);
                return answer;
            });
            editor.show();
            QApplication::setActiveWindow(&editor);
            drive(editor);
        };
        installExamResultsCommand(*main, *ws, workspace, app::scoreBoardOpener(*ws, workspace), steps);
    }
    fs::path folder() const { return test::examineeFolder(home.path(), recipe); }
    formats::TQtFile table(int chart) {
        questions = std::make_unique<core::TQstTest>(folder() / "exam_01.qs_", core::kExamTypeCounters,
                                                     core::QuestionTypes(ws->settings()));
        formats::TQtFile file(*questions);
        file.LoadFromFile(folder() / ("exam_01.qt" + std::to_string(chart)));
        return file;
    }
    // The image's pixel column of a chart sample.
    static QPoint pointAt(TfrmEdit& editor, std::int64_t sample) {
        const ChartSpan span = editor.editor().span();
        const int width = editor.image()->width();
        const double x = static_cast<double>(sample - span.first) / static_cast<double>(span.last - span.first) * width;
        return {static_cast<int>(x + 0.5), editor.image()->height() / 2};
    }

    test::TempHome home;
    test::ExamRecipe recipe;
    ScoringWorkspace workspace;
    std::unique_ptr<core::Workstation> ws;
    std::unique_ptr<core::ui::TfrmMain> main;
    std::unique_ptr<core::TQstTest> questions;
    std::function<void(TfrmEdit&)> drive = [](TfrmEdit&) { ADD_FAILURE() << "the editor opened"; };
    QStringList errors;
    QStringList warnings;
    QStringList messages;
    bool answer = false;
};

TEST_F(ChartEditorWindowTest, ExamResultsLeadsThroughTheEditorToTheResultsAndTheScoreBoard) {
    start();
    bool edited = false;
    drive = [&](TfrmEdit& editor) {
        edited = true;
        EXPECT_EQ(test::unnamedControls(editor), "");
        EXPECT_EQ(editor.windowTitle(), "Chart Editor");
        EXPECT_EQ(editor.chartList()->count(), 2);
        EXPECT_EQ(editor.chartList()->currentText(), "1");
        EXPECT_EQ(editor.chartList()->accessibleName(), "Chart #");
        EXPECT_TRUE(editor.scaleButton(EditorScale::All)->isChecked());
        EXPECT_EQ(editor.channelGroup()->title(), "Chan-s");
        EXPECT_EQ(editor.channelBox(0)->text(), "Channel5");
        EXPECT_EQ(editor.channelBox(5)->text(), "Channel0");
        EXPECT_EQ(editor.dateLabel()->text(), "07-03-2001");
        EXPECT_EQ(editor.timeLabel()->text(), "10:00:00");
        EXPECT_EQ(editor.durationLabel()->text(), QString::number(recipe.charts[0].recipe.seconds));
        EXPECT_EQ(editor.questionPanel()->text(), " < 1 > < - > < + > < Question 1?");
        // The artefact mark of row 2 is on the picture with its name.
        bool talk = false;
        for (const PictureText& text : editor.image()->picture().texts) talk = talk || text.text == "Talk";
        EXPECT_TRUE(talk);

        // Q from whichever control has the focus.
        editor.chartList()->setFocus();
        test::pressKey(editor.chartList(), Qt::Key_Q, Qt::NoModifier, "q");
        test::pressKey(editor.channelBox(3), Qt::Key_Q, Qt::NoModifier, "q");
        EXPECT_EQ(editor.editor().row(), 3);
        EXPECT_EQ(editor.questionPanel()->text(), " < 3 > < - > < + > < Question 3?");
        EXPECT_EQ(editor.image()->picture().frame->left, static_cast<double>(recipe.charts[0].rows[2].onset));

        // The skin channel excluded for row 3 by keyboard, then saved.
        test::pressKey(editor.channelBox(0), Qt::Key_Space, Qt::NoModifier, " ");
        EXPECT_TRUE(editor.channelBox(0)->isChecked());
        EXPECT_EQ(workspace.flag(1, 3, 6), 1);
        EXPECT_EQ(table(1).Flag(3, 6), 0);
        editor.saveAction()->trigger();
        EXPECT_EQ(messages, QStringList{"Changes are saved successfully"});
        EXPECT_EQ(table(1).Flag(3, 6), 1);
        EXPECT_EQ(table(1).SavedFeature(3, 5), kCodeExcluded);
        EXPECT_EQ(workspace.features()(1, 3, 4), kCodeExcluded);
        EXPECT_TRUE(editor.channelBox(0)->isChecked());

        // F2: the score board of row 3 from the workspace.
        bool board = false;
        whenModal<recording::ui::TfrmTablo>(
            [&](recording::ui::TfrmTablo& tablo) {
                EXPECT_EQ(tablo.rowLabel()->text(), "Qst < 3 >");
                EXPECT_EQ(tablo.board().selection(), (recording::ScoreBoardSelection{3, 1}));
                EXPECT_EQ(tablo.breathValue()->text(), QString::number(workspace.features()(1, 3, 2), 'f', 2));
                EXPECT_EQ(tablo.pulseValue()->text(), QString::number(workspace.features()(1, 3, 8), 'f', 2));
                EXPECT_EQ(tablo.resistanceValue()->text(), "102");  // readings of the third row
                tablo.okButton()->click();
            },
            board);
        test::pressKey(editor.channelBox(0), Qt::Key_F2);
        EXPECT_TRUE(board);

        // The right button on row 5's segment: its board.
        board = false;
        whenModal<recording::ui::TfrmTablo>(
            [](recording::ui::TfrmTablo& tablo) {
                EXPECT_EQ(tablo.rowLabel()->text(), "Qst < 5 >");
                tablo.okButton()->click();
            },
            board);
        test::click(editor.image(), Qt::RightButton, pointAt(editor, recipe.charts[0].rows[4].onset + 100));
        EXPECT_TRUE(board);
        EXPECT_EQ(editor.editor().row(), 3);

        // Results: back to the chart, then to the main menu, which closes the editor too.
        bool results = false;
        whenModal<TfrmResult>(
            [](TfrmResult& window) {
                EXPECT_EQ(window.windowTitle(), "Exam Results");
                EXPECT_TRUE(window.chartBox(1)->isChecked() && window.chartBox(2)->isChecked());
                EXPECT_GT(window.summaryGrid()->rowCount(), 3);
                window.editChartAction()->trigger();
            },
            results);
        editor.resultsAction()->trigger();
        EXPECT_TRUE(results);
        EXPECT_TRUE(editor.isVisible());
        results = false;
        whenModal<TfrmResult>(
            [](TfrmResult& window) {
                window.setConfirmFunction([](const QString&) { return true; });
                window.exitAction()->trigger();
            },
            results);
        editor.resultsAction()->trigger();
        EXPECT_TRUE(results);
        EXPECT_FALSE(editor.isVisible());
        EXPECT_EQ(editor.result(), QDialog::Accepted);
    };
    main->runCommand(core::Command::ExamResults);
    EXPECT_TRUE(edited);
    EXPECT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();
    EXPECT_TRUE(warnings.isEmpty());
    EXPECT_EQ(table(2).Flag(3, 6), 0);
}

TEST_F(ChartEditorWindowTest, ScaleGainsChartsMouseAndExit) {
    start();
    drive = [&](TfrmEdit& editor) {
        test::click(editor.image(), Qt::LeftButton, pointAt(editor, recipe.charts[0].rows[3].onset + 40));
        EXPECT_EQ(editor.editor().row(), 4);
        test::click(editor.image(), Qt::LeftButton, {1, 10});  // before the first question
        EXPECT_EQ(editor.editor().row(), 4);

        editor.scaleButton(EditorScale::One)->click();
        EXPECT_EQ(editor.editor().scale(), EditorScale::One);
        EXPECT_EQ(editor.image()->picture().span,
                  (ChartSpan{recipe.charts[0].rows[3].onset, recipe.charts[0].rows[4].onset}));
        editor.scaleButton(EditorScale::Three)->click();
        EXPECT_EQ(editor.image()->picture().span.first, recipe.charts[0].rows[2].onset);

        test::pressKey(editor.gainsBox(), Qt::Key_Space, Qt::NoModifier, " ");
        EXPECT_TRUE(editor.gainsBox()->isChecked());
        EXPECT_EQ(editor.channelGroup()->title(), "Gains");
        EXPECT_EQ(editor.channelBox(0)->text(), QString::fromStdString(gainText(workspace.chart(1).gain[6])));
        EXPECT_TRUE(editor.channelBox(0)->accessibleName().startsWith("Channel5 "));
        test::pressKey(editor.gainsBox(), Qt::Key_Space, Qt::NoModifier, " ");
        EXPECT_EQ(editor.channelBox(0)->text(), "Channel5");

        editor.chartList()->setCurrentIndex(1);
        EXPECT_EQ(editor.editor().chart(), 2);
        EXPECT_EQ(editor.editor().row(), 1);
        EXPECT_EQ(editor.editor().scale(), EditorScale::Three);

        // Esc asks; Cancel stays, OK leaves without saving.
        test::pressKey(editor.chartList(), Qt::Key_Escape);
        EXPECT_EQ(messages, QStringList{"Exit without save ?"});
        EXPECT_TRUE(editor.isVisible());
        answer = true;
        test::pressKey(editor.image(), Qt::Key_Escape);
        EXPECT_FALSE(editor.isVisible());
    };
    main->runCommand(core::Command::ExamResults);
    EXPECT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();
}

TEST_F(ChartEditorWindowTest, AltAndTheLetterReachTheMenuBar) {
    start("RUS");
    drive = [&](TfrmEdit& editor) {
        const QMenuBar* bar = editor.findChild<QMenuBar*>("mmMain");
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(test::menuBarLetterProblems(*bar, true), "");
        test::pressKey(editor.chartList(), 0x0421, Qt::AltModifier, QString::fromUtf8("с"));  // Сохранить
        EXPECT_EQ(messages.size(), 1);
        bool results = false;
        whenModal<TfrmResult>([](TfrmResult& window) { window.editChartAction()->trigger(); }, results);
        test::pressKey(editor.chartList(), 0x0420, Qt::AltModifier, QString::fromUtf8("р"));  // Результаты
        EXPECT_TRUE(results);
        QApplication::setActiveWindow(&editor);
        answer = true;
        test::pressKey(editor.chartList(), 0x0412, Qt::AltModifier, QString::fromUtf8("в"));  // Выход
        EXPECT_FALSE(editor.isVisible());
    };
    main->runCommand(core::Command::ExamResults);
    EXPECT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();

    startWith("ENG");
    drive = [&](TfrmEdit& editor) {
        const QMenuBar* bar = editor.findChild<QMenuBar*>("mmMain");
        EXPECT_EQ(test::menuBarLetterProblems(*bar, true), "");
        answer = true;
        test::pressKey(editor.chartList(), Qt::Key_E, Qt::AltModifier, "e");
        EXPECT_FALSE(editor.isVisible());
    };
    main->runCommand(core::Command::ExamResults);
}

TEST_F(ChartEditorWindowTest, TheScoringRunsRefusalsKeepTheEditorClosed) {
    recipe.charts.push_back(test::regularChart(recipe.signs, 6, 1));
    recipe.charts[0].rows[3].question = 1;
    startWith("ENG");
    main->runCommand(core::Command::ExamResults);
    EXPECT_EQ(warnings, QStringList{"Chart 1 has duplicated question 1 (  N1 )"});

    // A chart file that cannot be read: the command's error box.
    recipe.charts[0].rows[3].question = 4;
    startWith("ENG");
    test::writeFile(folder() / "exam_01.ch1", "not a chart");
    main->runCommand(core::Command::ExamResults);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains("exam_01.ch1")) << errors[0].toStdString();
}

}  // namespace
}  // namespace lumo::scoring::ui
