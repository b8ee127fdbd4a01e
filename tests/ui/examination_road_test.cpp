#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QTabBar>
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <algorithm>
#include <array>
#include <map>
#include <sstream>
#include <filesystem>
#include <string>
#include <vector>

#include "core/main_window_state.h"
#include "core/question_set.h"
#include "core/texts/admin.h"
#include "core/texts/authoring.h"
#include "core/texts/core.h"
#include "core/texts/recording.h"
#include "core/ui/main_window.h"
#include "core/workstation.h"
#include "formats/chart.h"
#include "formats/results_table.h"
#include "recording/test_run_timers.h"
#include "recording/ui/frm_test.h"
#include "review/ui/frm_scrl_res.h"
#include "review/ui/scroll_res_strip.h"
#include "scoring/score_command.h"
#include "scoring/ui/frm_edit.h"
#include "scoring/ui/frm_qt_view.h"
#include "scoring/ui/frm_result.h"
#include "core/texts/scoring.h"
#include "ui/road_fixture.h"

namespace lumo::test {
namespace {

namespace fs = std::filesystem;
using recording::TestOutcome;
using recording::TestPhase;

constexpr const char* kTestWindow = "lumo::recording::ui::TfrmTest";
constexpr const char* kContinueDialog = "lumo::recording::ui::TfrmContTest";
constexpr const char* kKeepDialog = "lumo::recording::ui::TfrmSave";

// The access key of a caption ("&Examinee" gives E) as a key code.
int accessKey(const QString& caption) {
    const qsizetype at = caption.indexOf(QLatin1Char('&'));
    return at < 0 || at + 1 >= caption.size() ? 0 : static_cast<int>(caption.at(at + 1).toUpper().unicode());
}

class ExaminationRoad : public ::testing::TestWithParam<std::string> {
protected:
    ExaminationRoad() : w(GetParam()), road(w.road) {}

    QString text(int id) const { return w.text(id); }
    // A menu item by its access keys, as the examiner chooses it: Alt and the
    // menu's letter, then the item's letter (none for an item of the menu bar).
    void menuItem(int menuCaption, int itemCaption) {
        road.key(accessKey(text(menuCaption)), Qt::AltModifier);
        if (itemCaption != 0) road.key(accessKey(text(itemCaption)));
    }
    // A control's name taken from the short part of its hint.
    QString hintName(int id) const { return text(id).section(QLatin1Char('|'), 0, 0); }
    QString cellName(int header, int row) const {
        return text(txt::QstCellName).replace("%s", text(header)).replace("%d", QString::number(row));
    }
    core::CurrentExaminee& current() { return w.ws->records().current(); }
    fs::path folder() const { return w.examineeFolder(); }
    core::TQstTest exam() const {
        return core::TQstTest(folder() / "exam_01.qs_", core::kExamTypeCounters, core::QuestionTypes(w.ws->settings()));
    }

    // One chart by the test window's keys on the virtual clock: Space once
    // the channels settled, every question of the list asked, ended and
    // answered in turn, an artefact during the second reaction, then
    // Terminate in the continue dialog and keep the chart.
    void examine(recording::ui::TfrmTest& window, recording::VirtualTestTimers& timers, const QString& name) {
        recording::TestRun& run = window.run();
        const auto until = [&](const std::function<bool()>& done, std::int64_t limit) {
            const bool held = timers.runUntil(done, limit);
            QApplication::processEvents();
            return held;
        };
        const auto wait = [&](std::int64_t milliseconds) {
            timers.run(milliseconds);
            QApplication::processEvents();
        };
        ASSERT_TRUE(until([&] { return run.sampleCounter() >= recording::TestRun::kSettlingCounts; }, 120000));
        road.key(Qt::Key_Space);
        ASSERT_TRUE(until([&] { return run.phase() == TestPhase::Ready; }, 20000));
        const int questions = window.questionList()->count();
        for (int q = 0; q < questions; ++q) {
            if (q + 1 == questions) {
                road.inWindow(kContinueDialog, [&](QWidget&) {
                    road.shot(name + "_exhausted");
                    road.inWindow(kKeepDialog, [&](QWidget&) {
                        road.shot(name + "_keep");
                        road.key(Qt::Key_Return);
                    });
                    road.key(accessKey(text(txt::ContinueTestTerminate)), Qt::AltModifier);
                });
            }
            wait(300);
            road.key(Qt::Key_Space);
            ASSERT_EQ(run.phase(), TestPhase::Question);
            wait(1000);
            road.key(Qt::Key_Space);
            wait(1000);
            road.key(q % 2 == 0 ? Qt::Key_Left : Qt::Key_Right);
            if (q == 1) {
                wait(300);
                road.key(Qt::Key_F5);
                road.shot(name + "_artefact");
            }
            ASSERT_TRUE(until([&] { return run.phase() == TestPhase::Ready || run.phase() == TestPhase::Closing; }, 60000));
        }
        ASSERT_TRUE(until([&] { return run.outcome() != TestOutcome::Running; }, 60000));
        EXPECT_EQ(run.outcome(), TestOutcome::Saved);
    }

    // The exclusion flags of a row of a results table.
    std::vector<std::int32_t> rowFlags(const fs::path& file, int row) const {
        const core::TQstTest set = exam();
        formats::TQtFile table(set);
        table.LoadFromFile(file);
        std::vector<std::int32_t> flags;
        for (int item = 1; item <= 15; ++item) flags.push_back(table.Flag(row, item));
        return flags;
    }
    // What the scoring tool prints for exam 01 (the summary, or the hand-score tables).
    std::string score(bool byHand, bool json) const {
        scoring::ScoreOptions options;
        options.examinee = "#0000001";
        options.exam = 1;
        options.hand = byHand;
        options.json = json;
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(scoring::runScoreCommand(options, w.home.path(), out, err), scoring::kScoreOk) << err.str();
        return out.str();
    }
    static std::map<std::string, std::string> filesOf(const fs::path& folder) {
        std::map<std::string, std::string> files;
        for (const auto& entry : fs::directory_iterator(folder)) {
            if (entry.is_regular_file()) files[entry.path().filename().string()] = readFile(entry.path());
        }
        return files;
    }
    // The archive command from the Examinee menu: Yes, the drive's root in
    // the folder chooser, the archiver's own questions answered.
    void archive(int item, const QString& name) {
        road.inWindow("box", [&](QWidget&) {
            road.shot(name + "_question");
            road.inWindow("frmArchDir", [&](QWidget&) {
                road.shot(name + "_folder");
                road.inWindow("box", [&](QWidget&) {
                    road.shot(name + "_done");
                    road.key(Qt::Key_Return);
                });
                road.key(Qt::Key_Return);
            });
            road.key(accessKey(text(txt::ButtonYes)), Qt::AltModifier);
        });
        menuItem(txt::MainMenuExaminee, item);
    }

    RoadWorkstation w;
    RoadDriver& road;
};

TEST_P(ExaminationRoad, OneExaminationThroughTheWindows) {
    road.shot("main");

    // A new examinee.
    road.inWindow("frmSubjNew", [&](QWidget&) {
        road.focus(text(txt::SubjName));
        road.type(GetParam() == "RUS" ? QStringLiteral("Иванов Иван") : QStringLiteral("Ivanov Ivan"));
        road.shot("new_examinee");
        road.key(Qt::Key_Return);
    });
    menuItem(txt::MainMenuExaminee, txt::MainNewExaminee);
    ASSERT_TRUE(current().isSet());
    EXPECT_EQ(current().record.fileCode, "#0000001");
    EXPECT_TRUE(fs::exists(folder() / "subject.dat"));
    road.shot("examinee_made");

    // A template of method 1 written in the question editor: every row's
    // text typed, then the file name.
    const bool russian = GetParam() == "RUS";
    road.inWindow("frmMethod", [&](QWidget&) {
        road.shot("method");
        road.inWindow("frmQstNew", [&](QWidget&) {
            int row = 1;
            for (; row <= 20; ++row) {
                QWidget* field = road.control(cellName(txt::QstHeaderText, row));
                if (field == nullptr || !field->isEnabled()) break;
                road.focus(cellName(txt::QstHeaderText, row));
                road.type((russian ? QStringLiteral("Вопрос номер %1") : QStringLiteral("Question number %1")).arg(row));
            }
            EXPECT_GE(row, 6) << "method 1 has rows to fill";
            road.focus(text(txt::TplFileName));
            road.type(QStringLiteral("ROAD"));
            road.shot("question_editor");
            road.key(Qt::Key_Return);
        });
        road.key(Qt::Key_Return);
    });
    menuItem(txt::MainMenuPreparations, txt::MainNewTemplate);
    ASSERT_TRUE(fs::exists(w.home / "QST" / "ROAD.QS1"));
    const std::string templateBytes = readFile(w.home / "QST" / "ROAD.QS1");
    EXPECT_NE(templateBytes.find(russian ? "\xc2\xee\xef\xf0\xee\xf1 \xed\xee\xec\xe5\xf0 1?" : "Question number 1?"), std::string::npos)
        << "the first question in the template's own code page";

    // Prepare to exam: the exam editor saves exam 01 of the template.
    road.inWindow("frmExamEdit", [&](QWidget&) {
        road.shot("exam_editor");
        road.key(Qt::Key_Return);
    });
    road.press(hintName(txt::MainPrepareExamHint));
    ASSERT_TRUE(fs::exists(folder() / "exam_01.qs_"));
    const int questions = exam().questionCount();

    // Question order 2: picked from the last question up.
    road.inWindow("frmTestOrder", [&](QWidget&) {
        road.focus(hintName(txt::OrderRowHint));
        road.key(Qt::Key_Down);
        road.focus(hintName(txt::OrderQuestionsHint));
        road.key(Qt::Key_End);
        for (int i = 0; i < questions; ++i) road.key(Qt::Key_Return);
        road.shot("order_2");
        road.press(text(txt::ButtonSave));
    });
    road.press(hintName(txt::MainEditOrderHint));
    std::vector<int> reversed = exam().questionsInOrder(1);
    std::reverse(reversed.begin(), reversed.end());
    ASSERT_EQ(exam().questionsInOrder(2), reversed);

    // Three charts through the exam chooser in order 2: the first and the
    // third by Choose, the second by Test.
    int chart = 0;
    w.examine = [&](recording::ui::TfrmTest& window, recording::VirtualTestTimers& timers) {
        ++chart;
        examine(window, timers, QStringLiteral("chart%1").arg(chart));
    };
    const auto chooseOrder2 = [&] {
        road.inWindow("frmTestOrder", [&](QWidget&) {
            road.focus(hintName(txt::OrderRowHint));
            road.key(Qt::Key_Home);
            road.key(Qt::Key_Down);
            road.shot("choose_order");
            road.press(text(txt::ButtonChoose));
        });
        road.press(text(txt::ButtonChoose));
    };
    road.inWindow("frmQstList", [&](QWidget&) {
        road.shot("exam_chooser");
        chooseOrder2();
        road.press(text(txt::ExamListTest));
    });
    menuItem(txt::MainMenuTest, 0);
    road.inWindow("frmQstList", [&](QWidget&) {
        chooseOrder2();
        road.press(text(txt::ButtonExit));
    });
    menuItem(txt::MainMenuTest, 0);
    ASSERT_EQ(w.tests.size(), 3u);
    const std::vector<int> order2 = exam().questionsInOrder(2);
    for (int k = 1; k <= 3; ++k) {
        EXPECT_EQ(w.tests[static_cast<std::size_t>(k - 1)].sequence, 2) << "chart " << k;
        EXPECT_EQ(w.tests[static_cast<std::size_t>(k - 1)].chart, k);
        const std::string stem = "exam_01.";
        for (const char* kind : {"ch", "sc", "qt"}) {
            EXPECT_TRUE(fs::exists(folder() / (stem + kind + std::to_string(k)))) << kind << k;
        }
        formats::TLumoChart_7_1 recorded;
        recorded.LoadFromFile(folder() / (stem + "ch" + std::to_string(k)));
        int onsets = 0, answers = 0, artefacts = 0;
        for (std::size_t i = 0; i < recorded.count; ++i) {
            const int mark = recorded.mark(i);
            if (mark >= 30000 || mark < 1000) continue;
            const int digit = (mark / 1000) % 10;
            onsets += digit == 1 ? 1 : 0;
            answers += digit == 3 || digit == 4 ? 1 : 0;
            artefacts += digit == 6 ? 1 : 0;
        }
        EXPECT_EQ(onsets, questions) << "chart " << k;
        EXPECT_EQ(answers, questions) << "chart " << k;
        EXPECT_EQ(artefacts, 1) << "chart " << k;
        const core::TQstTest set = exam();
        formats::TQtFile table(set);
        table.LoadFromFile(folder() / (stem + "qt" + std::to_string(k)));
        ASSERT_EQ(table.RowCount(), questions);
        for (int row = 1; row <= questions; ++row) {
            EXPECT_EQ(table.QuestionNumber(row), order2[static_cast<std::size_t>(row - 1)]) << "chart " << k << " row " << row;
        }
    }
    road.shot("charts_recorded");

    // Exam results: the chart editor excludes one channel of the second
    // question of chart 1 and saves; the results window decides.
    const fs::path table1 = folder() / "exam_01.qt1";
    const std::vector<std::int32_t> flagsBefore = rowFlags(table1, 2);
    QString shownConclusion;
    road.inWindow("frmEdit", [&](QWidget& window) {
        auto& editor = static_cast<scoring::ui::TfrmEdit&>(window);
        road.key(Qt::Key_Q);
        QCheckBox* box = editor.channelBox(2);
        ASSERT_NE(box, nullptr);
        road.press(RoadDriver::nameOf(box));
        EXPECT_TRUE(box->isChecked());
        road.shot("chart_editor");
        road.inWindow("box", [&](QWidget&) {
            road.shot("saved");
            road.key(Qt::Key_Return);
        });
        menuItem(txt::EditMenuSave, 0);
        road.inWindow("frmResult", [&](QWidget& results) {
            auto& result = static_cast<scoring::ui::TfrmResult&>(results);
            if (!result.conclusionLabel()->isVisible()) road.press(RoadDriver::nameOf(result.lieButton()));
            shownConclusion = result.conclusionLabel()->text();
            road.shot("results");
            road.inWindow("box", [&](QWidget&) { road.key(Qt::Key_Return); });
            menuItem(txt::ResultMenuExit, 0);
        });
        menuItem(txt::EditMenuResults, 0);
    });
    menuItem(txt::MainMenuResults, txt::MainExamResults);
    const std::vector<std::int32_t> flagsAfter = rowFlags(table1, 2);
    int changed = 0;
    for (std::size_t i = 0; i < flagsBefore.size(); ++i) {
        if (flagsBefore[i] != flagsAfter[i]) {
            ++changed;
            EXPECT_EQ(flagsAfter[i], 1) << "item " << i + 1;
        }
    }
    EXPECT_EQ(changed, 1) << "one channel excluded for row 2 in the saved results table";
    ASSERT_FALSE(shownConclusion.isEmpty());
    const std::string automatic = score(false, false);
    EXPECT_NE(automatic.find(shownConclusion.toStdString()), std::string::npos)
        << "the results window says " << shownConclusion.toStdString() << "; the scoring tool:\n" << automatic;

    // The review of chart 2 with hand scores for every relevant question.
    QTabBar* charts = w.main->stripBar(core::Strip::Charts);
    charts->setFocus();
    for (int i = 0; i < 9 && charts->currentIndex() != 1; ++i) road.key(charts->currentIndex() > 1 ? Qt::Key_Left : Qt::Key_Right);
    ASSERT_EQ(current().chart, 2);
    std::vector<std::array<int, 3>> entered;
    road.inWindow("frmScrlRes", [&](QWidget& window) {
        auto& review = static_cast<review::ui::TfrmScrlRes&>(window);
        const int presentations = review.questionStrip()->count();
        for (int tab = 0; tab < presentations; ++tab) {
            // A tab bar reads out its current tab, not its name; choosing a
            // tab gives the focus to the chart.
            for (int tries = 0; tries < 3 && review.questionStrip()->currentIndex() < tab; ++tries) {
                review.questionStrip()->setFocus();
                road.key(Qt::Key_Right);
            }
            ASSERT_EQ(review.questionStrip()->currentIndex(), tab);
            if (!review.handScoreField(0)->isEnabled()) continue;
            const std::array<int, 3> scores{tab % 3 - 1, -1, tab % 2 == 0 ? -2 : 1};
            for (int f = 0; f < 3; ++f) {
                road.retype(RoadDriver::nameOf(review.handScoreField(f)), QString::number(scores[static_cast<std::size_t>(f)]));
                road.key(Qt::Key_Tab);
            }
            entered.push_back(scores);
        }
        road.shot("review_chart_2");
        road.key(Qt::Key_Escape);
    });
    menuItem(txt::MainMenuResults, txt::MainAnalysePolygram);
    {
        const core::TQstTest set = exam();
        formats::TQtFile table(set);
        table.LoadFromFile(folder() / "exam_01.qt2");
        std::size_t relevant = 0;
        for (int row = 1; row <= table.RowCount(); ++row) {
            if (table.QuestionType(row) != 1) continue;
            ASSERT_LT(relevant, entered.size());
            const auto& scores = entered[relevant++];
            for (int e = 1; e <= 3; ++e) EXPECT_EQ(table.HandScore(row, e), scores[static_cast<std::size_t>(e - 1)]) << "row " << row;
            EXPECT_EQ(table.HandScore(row, 4), scores[0] + scores[1] + scores[2]) << "row " << row;
        }
        EXPECT_EQ(relevant, entered.size());
        EXPECT_GE(relevant, 2u);
    }

    // The hand-score decision view decides as the scoring tool does.
    QString handDecision;
    road.inWindow("frmQtView", [&](QWidget& window) {
        handDecision = static_cast<scoring::ui::TfrmQtView&>(window).decisionLabel()->text();
        road.shot("hand_decision");
        road.press(text(txt::QtViewExit));
    });
    menuItem(txt::MainMenuResults, txt::MainHandResults);
    ASSERT_FALSE(handDecision.isEmpty());
    const std::string hand = score(true, false);
    EXPECT_NE(hand.find(handDecision.trimmed().toStdString()), std::string::npos)
        << "the view says " << handDecision.toStdString() << "; the scoring tool:\n" << hand;

    // Compressed to a folder of the drive and brought back byte for byte.
    const std::map<std::string, std::string> before = filesOf(folder());
    archive(txt::MainArchiveCompress, "compress");
    EXPECT_TRUE(current().isArchived());
    EXPECT_FALSE(filesOf(w.archiveDrive()).empty()) << "the archive volumes";
    EXPECT_NE(filesOf(folder()), before);
    archive(txt::MainArchiveDecompress, "decompress");
    EXPECT_FALSE(current().isArchived());
    std::map<std::string, std::string> after = filesOf(folder());
    after.erase("subject.dat");
    std::map<std::string, std::string> expected = before;
    expected.erase("subject.dat");
    EXPECT_EQ(after, expected) << "every file of the examinee restored as it was";

    // Exit, confirmed.
    road.inWindow("box", [&](QWidget&) {
        road.shot("exit");
        road.key(Qt::Key_Return);
    });
    road.key(Qt::Key_Escape);
    EXPECT_FALSE(w.main->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Languages, ExaminationRoad, ::testing::Values("ENG", "RUS"),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param == "ENG" ? "English" : "Russian"; });

}  // namespace
}  // namespace lumo::test
