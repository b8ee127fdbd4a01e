// Export EDF+ of the scrolling review: the chart written as the examiner
// chose, read back, and the failures that must leave nothing behind.
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QTimer>
#include <QPushButton>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/question_set.h"
#include "core/test_home.h"
#include "formats/edf_reading.h"
#include "formats/results_table.h"
#include "review/scroll_res_view.h"
#include "review/ui/frm_scrl_res.h"
#include "review/ui/scroll_res_canvas.h"
#include "ui/scroll_res_window.h"
#include "ui/test_window_events.h"

namespace lumo::review::ui {
namespace {

QString qpath(const fs::path& path) {
    return QString::fromStdString(path.string());
}

std::vector<std::string> filesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    return names;
}

// The onset annotations of the questions, "onset|text", in file order.
std::vector<std::string> questionOnsets(const formats::ReadEdf& edf) {
    std::vector<std::string> onsets;
    for (const std::vector<std::string>& record : edf.tals) {
        for (const std::string& tal : record) {
            if (tal.find("|Question") != std::string::npos) onsets.push_back(tal);
        }
    }
    return onsets;
}

// "+12.5" for point 400.
std::string onsetSeconds(std::uint32_t point) {
    std::string text = std::to_string(double(point) / 32);
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
    return "+" + text;
}

class ScrollResExportTest : public ScrollResWindowTest {
protected:
    // Tab from Print, then Space: the button as the keyboard reaches it.
    void pressExportByKeyboard(TfrmScrlRes& w) {
        w.printButton()->setFocus();
        test::pressKey(w.printButton(), Qt::Key_Tab);
        ASSERT_EQ(w.focusWidget(), w.exportButton());
        test::pressKey(w.exportButton(), Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    }
    fs::path chartFile() const { return folder() / "exam_01.ch1"; }
};

TEST_F(ScrollResExportTest, KeyboardExportWritesTheChartWithItsQuestionOnsets) {
    const fs::path out = home.path() / "out";
    fs::create_directories(out);
    TfrmScrlRes& w = open();
    EXPECT_EQ(w.exportButton()->text(), "Export EDF+");
    EXPECT_EQ(w.exportButton()->accessibleName(), "Export EDF+");

    // Cancelled: nothing happens.
    pressExportByKeyboard(w);
    const std::string code = ws->records().current().record.fileCode;
    ASSERT_EQ(chooserCalls.size(), 1);
    EXPECT_EQ(chooserCalls[0], QStringLiteral("Export the chart as EDF+|") + QDir::homePath() + QLatin1Char('/') +
                                   QString::fromStdString(code + "_exam_01_chart_1.edf"));
    EXPECT_TRUE(informed.isEmpty());

    // An exclusion not yet saved.
    w.canvas()->setFocus();
    test::pressKey(w.canvas(), Qt::Key_Delete);
    ASSERT_TRUE(w.view().presentation(w.view().current()).excluded);
    edfAnswer = qpath(out / "chart");
    pressExportByKeyboard(w);
    EXPECT_EQ(errors, QStringList{});
    EXPECT_EQ(questions, QStringList{});
    const fs::path written = out / "chart.edf";
    EXPECT_EQ(informed, QStringList{QStringLiteral("The chart is written to ") + qpath(written)});
    EXPECT_EQ(filesIn(out), std::vector<std::string>{"chart.edf"});

    const formats::ReadEdf edf = formats::readEdf(test::readFile(written));
    const formats::TLumoChart_7_1& chart = w.view().chart().chart();
    EXPECT_EQ(edf.reserved, "EDF+C");
    EXPECT_EQ(edf.patient, code + " X X X");  // the code only: no name leaves the workstation
    ASSERT_EQ(edf.signalCount, chart.channelCount + 1);
    EXPECT_EQ(edf.records, static_cast<int>((chart.count + 31) / 32));
    EXPECT_EQ(edf.edfSignals[0].digital.size(), static_cast<std::size_t>(edf.records) * 32);
    // One onset per row of the results table, at its onset point.
    core::TQstTest exam(folder() / "exam_01.qs_", core::kExamTypeCounters, core::QuestionTypes(ws->settings()));
    const formats::TQtFile rows = table(1, exam);
    const std::vector<std::string> onsets = questionOnsets(edf);
    ASSERT_GT(rows.RowCount(), 0);
    ASSERT_EQ(static_cast<int>(onsets.size()), rows.RowCount());
    for (int row = 1; row <= rows.RowCount(); ++row) {
        const std::string& tal = onsets[static_cast<std::size_t>(row - 1)];
        EXPECT_EQ(tal.substr(0, tal.find('|')), onsetSeconds(rows.Onset(row))) << row;
        EXPECT_NE(tal.find(w.view().presentation(row).sign), std::string::npos) << tal;
    }
    // The export wrote nothing else: the exclusion waits for the view to close.
    EXPECT_FALSE(rows.IsExcluded(w.view().current()));
}

TEST_F(ScrollResExportTest, AnExistingFileIsReplacedOnlyAfterYes) {
    const fs::path out = home.path() / "out";
    fs::create_directories(out);
    const fs::path target = out / "chart.EDF";
    test::writeFile(target, "older file");
    TfrmScrlRes& w = open();
    edfAnswer = qpath(target);
    answer = false;
    EXPECT_FALSE(w.exportEdf());
    EXPECT_EQ(questions, QStringList{QStringLiteral("File ") + qpath(target) + QStringLiteral(" already exists. Overwrite?")});
    EXPECT_EQ(test::readFile(target), "older file");
    EXPECT_TRUE(informed.isEmpty());

    answer = true;
    EXPECT_TRUE(w.exportEdf());
    EXPECT_EQ(test::readFile(target).substr(0, 8), "0       ");
    // The next export proposes the folder last used, also in the next review of this run.
    window.reset();
    TfrmScrlRes& next = open();
    edfAnswer.clear();
    next.exportEdf();
    ASSERT_EQ(chooserCalls.size(), 3);
    const std::string name = ws->records().current().record.fileCode + "_exam_01_chart_1.edf";
    EXPECT_EQ(chooserCalls[2], QStringLiteral("Export the chart as EDF+|") + qpath(out / name));
}

TEST_F(ScrollResExportTest, FailuresNameTheFilesAndLeaveNothingBehind) {
    TfrmScrlRes& w = open();
    // A folder that cannot hold files: its name is taken by a file.
    test::writeFile(home.path() / "blocked", "a file");
    edfAnswer = qpath(home.path() / "blocked" / "chart.edf");
    EXPECT_FALSE(w.exportEdf());
    ASSERT_EQ(errors.size(), 1);
    const QString lead = QStringLiteral("The chart ") + qpath(chartFile()) + QStringLiteral(" could not be written to ");
    EXPECT_TRUE(errors[0].startsWith(lead + edfAnswer + QStringLiteral(":\n"))) << errors[0].toStdString();
    EXPECT_GT(errors[0].size(), lead.size() + edfAnswer.size() + 2);  // the reason follows
    EXPECT_TRUE(informed.isEmpty());

    // A file whose name is taken by a folder: the write is done in full, the
    // rename fails, and no temporary file stays beside it.
    const fs::path out = home.path() / "out";
    fs::create_directories(out / "taken.edf");
    answer = true;
    edfAnswer = qpath(out / "taken.edf");
    EXPECT_FALSE(w.exportEdf());
    ASSERT_EQ(errors.size(), 2);
    EXPECT_TRUE(errors[1].startsWith(lead + edfAnswer + QStringLiteral(":\n")));
    EXPECT_EQ(filesIn(out), std::vector<std::string>{"taken.edf"});
    EXPECT_TRUE(fs::is_directory(out / "taken.edf"));

    // A chart damaged on disk since the view opened is named with its fault.
    test::writeFile(chartFile(), "XX");
    edfAnswer = qpath(out / "damaged.edf");
    EXPECT_FALSE(w.exportEdf());
    ASSERT_EQ(errors.size(), 3);
    EXPECT_EQ(errors[2], lead + edfAnswer + QStringLiteral(":\nInvalid polygram format"));
    EXPECT_FALSE(fs::exists(out / "damaged.edf"));
    EXPECT_TRUE(informed.isEmpty());
}

TEST_F(ScrollResExportTest, TheDesktopChooserOffersEdfFilesAndLeavesTheOverwriteQuestionToTheWindow) {
    const fs::path existing = home.path() / "old.edf";
    test::writeFile(existing, "older file");
    QStringList filters;
    bool nonNative = false;
    bool confirms = true;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        filters = dialog->nameFilters();
        nonNative = dialog->testOption(QFileDialog::DontUseNativeDialog);
        confirms = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
        dialog->selectFile(qpath(existing));
        static_cast<QDialog*>(dialog)->accept();
    });
    const QString chosen = chooseEdfFile(nullptr, ws->texts(), QStringLiteral("Export the chart as EDF+"),
                                         qpath(home.path() / "proposed.edf"));
    EXPECT_EQ(chosen, qpath(existing));
    EXPECT_EQ(filters, QStringList{QStringLiteral("EDF+ files (*.edf)")});
    EXPECT_TRUE(nonNative);
    EXPECT_FALSE(confirms);
}

}  // namespace
}  // namespace lumo::review::ui
