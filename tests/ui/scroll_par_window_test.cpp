#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>
#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

#include "core/clock.h"
#include "core/main_window_state.h"
#include "core/records.h"
#include "core/test_home.h"
#include "core/ui/main_window.h"
#include "core/workstation.h"
#include "demo/demo.h"
#include "platform/installed_data.h"
#include "review/scroll_par_view.h"
#include "review/ui/compare_command.h"
#include "review/ui/frm_scrl_par.h"
#include "review/ui/scroll_par_canvas.h"
#include "review/ui/scroll_par_chart_buttons.h"
#include "review/ui/scroll_par_scale_list.h"
#include "ui/accessible_names.h"
#include "ui/test_window_events.h"

namespace lumo::review::ui {
namespace {

namespace fs = std::filesystem;

// The demo home: an examinee with a three-chart exam recorded against the
// simulated unit, made once for every test (each copies it).
const fs::path& demoHome() {
    static const test::TempHome home;
    static const bool made = [] {
        platform::seedDataHome(home.path(), true);
        std::ostringstream out;
        std::ostringstream err;
        return demo::runDemo({}, home.path(), out, err).exitCode == 0;
    }();
    EXPECT_TRUE(made);
    return home.path();
}

class ScrollParWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::copy(demoHome(), home.path(), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    }
    void setting(const std::string& key, const std::string& value) {
        core::Settings settings(home.path());
        settings.load();
        settings.list().setValue(key, value);
        settings.save();
    }
    void startWorkstation() {
        ws = std::make_unique<core::Workstation>(home.path(), std::make_unique<core::ManualClock>());
        ws->initialise();
        core::Records& records = ws->records();
        const auto& examinees = records.examinees().entries();
        const auto demo = std::find_if(examinees.begin(), examinees.end(),
                                       [](const core::TSubj& s) { return !s.name.empty() && s.fileCode != "#0000001"; });
        ASSERT_NE(demo, examinees.end());
        records.makeCurrent(*demo);
        records.current().examNumber = 1;
        records.current().chart = 1;
    }
    void open() {
        startWorkstation();
        const auto target = currentReviewChart(ws->records());
        ASSERT_TRUE(target);
        window = std::make_unique<TfrmScrlPar>(*ws, *target);
        window->setMessageFunction([this](QMessageBox::Icon, const QString& text) { messages.append(text); });
        window->show();
        QApplication::setActiveWindow(window.get());
        QApplication::processEvents();
    }
    // The picture panel p shows now, and the one a drawing from scratch gives.
    std::pair<QImage, QImage> pictureAndRedrawn(int p) {
        const QImage shown = window->chartArea(p)->picture().toImage();
        window->view().panel(p).invalidate();
        window->chartArea(p)->repaint();
        return {shown, window->chartArea(p)->picture().toImage()};
    }

    test::TempHome home;
    std::unique_ptr<core::Workstation> ws;
    std::unique_ptr<TfrmScrlPar> window;
    QStringList messages;
};

TEST_F(ScrollParWindowTest, OpensBothPanelsOnTheDemoChartAtAll) {
    open();
    EXPECT_TRUE(window->windowTitle().startsWith("Examinee : #0000002 / EXAM_01  ( ")) << window->windowTitle().toStdString();
    EXPECT_EQ(test::unnamedControls(*window), "");
    EXPECT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
    EXPECT_TRUE(window->scaleList()->hasFocus());
    EXPECT_EQ(window->scaleList()->currentRow(), 0);
    EXPECT_EQ(window->scaleList()->item(0)->text(), "at all");
    for (int p : {1, 2}) {
        TParChartButtons* charts = window->chartButtons(p);
        EXPECT_EQ(charts->down(), 1);
        for (int d = 1; d <= 9; ++d) EXPECT_EQ(charts->button(d)->isEnabled(), d <= 3) << p << " " << d;
        EXPECT_EQ(charts->button(4)->accessibleName(), "4.");
        EXPECT_FALSE(window->scrollBar(p)->isVisible());
        EXPECT_FALSE(window->chartArea(p)->pictureStale());
        EXPECT_EQ(window->view().panel(p).lastDrawn(), 0);
        EXPECT_GT(window->view().panel(p).rowCount(), 0);
    }
}

TEST_F(ScrollParWindowTest, DigitKeysSwitchTheirOwnPanelToAnExistingChart) {
    open();
    QToolButton* lowerGrid = window->gridButton(2);
    lowerGrid->setFocus();
    test::pressKey(lowerGrid, Qt::Key_3, Qt::NoModifier, "3");
    EXPECT_EQ(window->view().panel(2).chartDigit(), 3);
    EXPECT_EQ(window->chartButtons(2)->down(), 3);
    EXPECT_EQ(window->view().panel(1).chartDigit(), 1);
    EXPECT_EQ(window->chartButtons(1)->down(), 1);
    test::pressKey(lowerGrid, Qt::Key_5, Qt::NoModifier, "5");  // no chart 5
    EXPECT_EQ(window->view().panel(2).chartDigit(), 3);

    window->gridButton(1)->setFocus();
    test::pressKey(window->gridButton(1), Qt::Key_2, Qt::NoModifier, "2");
    EXPECT_EQ(window->view().panel(1).chartDigit(), 2);
    EXPECT_EQ(window->view().panel(2).chartDigit(), 3);
    EXPECT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
    // A click on a chart button does the same.
    window->chartButtons(2)->button(1)->click();
    EXPECT_EQ(window->view().panel(2).chartDigit(), 1);
}

TEST_F(ScrollParWindowTest, QShowsTheRowsInTurnAndEscHidesThenCloses) {
    open();
    QToolButton* grid = window->gridButton(1);
    grid->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(window->view().headerColour(1), (core::Rgb{192, 192, 192}));
    test::pressKey(grid, Qt::Key_Q, Qt::NoModifier, "q");
    QLabel* info = window->infoPanel(1);
    const std::vector<ParRow>& rows = window->view().panel(1).rows();
    ASSERT_TRUE(info->isVisible());
    EXPECT_EQ(info->text().toStdString(), rows[0].info);
    test::pressKey(grid, 0x0419, Qt::NoModifier, QStringLiteral("й"));  // the same key in Russian
    EXPECT_EQ(info->text().toStdString(), rows[1].info);
    EXPECT_EQ(window->view().infoRow(), 2);

    test::pressKey(grid, Qt::Key_Escape);
    EXPECT_FALSE(info->isVisible());
    EXPECT_TRUE(window->isVisible());
    test::pressKey(grid, Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->result(), QDialog::Rejected);
}

TEST_F(ScrollParWindowTest, APressOnTheChartShowsItsQuestionUntilReleased) {
    open();
    const ParPanel& panel = window->view().panel(1);
    const ParRow& first = panel.rows().front();
    const int x = static_cast<int>((first.onset + 200) / panel.samplesPerPixel());
    test::mouseButton(window->chartArea(1), QEvent::MouseButtonPress, Qt::LeftButton, {x, 20});
    QLabel* info = window->infoPanel(1);
    ASSERT_TRUE(info->isVisible());
    EXPECT_EQ(info->text().toStdString(), window->view().panel(1).rows()[static_cast<std::size_t>(
                                              window->view().infoRow() - 1)].info);
    EXPECT_LE(info->geometry().bottom(), window->chartArea(1)->parentWidget()->geometry().center().y());
    test::mouseButton(window->chartArea(1), QEvent::MouseButtonRelease, Qt::LeftButton, {x, 20});
    EXPECT_FALSE(info->isVisible());
}

TEST_F(ScrollParWindowTest, AScaleChosenByEnterScrollsAndTheMovedPictureMatchesAFreshOne) {
    open();
    TParScaleList* list = window->scaleList();
    list->setCurrentRow(2);  // "x 4"
    test::pressKey(list, Qt::Key_Return);
    for (int p : {1, 2}) {
        EXPECT_EQ(window->view().panel(p).scale(), ParScale::X4);
        EXPECT_TRUE(window->scrollBar(p)->isVisible());
        EXPECT_EQ(window->scrollBar(p)->maximum(), window->view().panel(p).scrollMaximum());
    }
    QScrollBar* bar = window->scrollBar(2);
    bar->setFocus();
    test::pressKey(bar, Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(bar->value(), 17);  // the large step, then the arrow's own
    EXPECT_EQ(window->view().panel(2).lastDrawn(), 17);
    for (int i = 0; i < 5; ++i) test::pressKey(bar, Qt::Key_Right, Qt::ControlModifier);
    test::pressKey(bar, Qt::Key_Left);
    // Strip after strip, the picture is the one a drawing from scratch gives.
    const auto [moved, fresh] = pictureAndRedrawn(2);
    int differences = 0;
    for (int x = 0; x < moved.width(); ++x) {
        for (int y = 0; y < moved.height(); ++y) differences += moved.pixel(x, y) != fresh.pixel(x, y);
    }
    EXPECT_EQ(moved.size(), fresh.size());
    EXPECT_EQ(differences, 0);

    // Double-click picks "at all" again: back to one screen, no scroll bar.
    list->setCurrentRow(0);
    emit list->itemDoubleClicked(list->item(0));
    EXPECT_EQ(window->view().panel(1).scale(), ParScale::AtAll);
    EXPECT_FALSE(window->scrollBar(1)->isVisible());
    EXPECT_TRUE(window->gridButton(1)->isChecked());
    window->gridButton(1)->click();
    EXPECT_FALSE(window->view().panel(1).grid());
}

TEST_F(ScrollParWindowTest, ADrawingThatFailsSaysWhereOnce) {
    setting("ScrlParW0", "0");
    open();
    QApplication::processEvents();
    window->chartArea(1)->repaint();
    QApplication::processEvents();
    ASSERT_EQ(messages.size(), 2) << messages.join("|").toStdString();  // once per panel
    EXPECT_EQ(messages[0].toStdString(),
              "Exception: The band weight ScrlParW0 is 0: every band needs a weight above 0\nCondition: ChZ ParPerPix");
}

TEST_F(ScrollParWindowTest, WhatAPanelCannotReadIsToldAndTheViewStaysOpen) {
    startWorkstation();
    const fs::path folder = ws->records().examineeFolder(ws->records().current().record.fileCode);
    fs::remove(folder / "exam_01.qt3");
    ws.reset();
    open();
    window->gridButton(2)->setFocus();
    test::pressKey(window->gridButton(2), Qt::Key_3, Qt::NoModifier, "3");
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith("Chart 3 is shown with what could be read:\n")) << messages[0].toStdString();
    EXPECT_EQ(window->view().panel(2).chartDigit(), 3);
    EXPECT_EQ(window->view().panel(2).rowCount(), 0);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(ScrollParWindowTest, TheCommandOpensTheCurrentChart) {
    startWorkstation();
    core::ui::TfrmMain main(*ws);
    std::vector<ReviewTarget> shown;
    installCompareCommand(main, *ws, {[&shown](const ReviewTarget& target) { shown.push_back(target); }});
    EXPECT_TRUE(main.state().enabled(core::Command::ComparePolygrams));
    main.runCommand(core::Command::ComparePolygrams);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].chartFile.filename(), "exam_01.ch1");
    EXPECT_EQ(shown[0].fileCode, ws->records().current().record.fileCode);

    // An exam that cannot be read: the command's message and the reason.
    QStringList errors;
    main.setErrorFunction([&errors](const QString&, const QString& text) { errors.append(text); });
    installCompareCommand(main, *ws);
    fs::remove(shown[0].chartFile.parent_path() / "exam_01.qs_");
    main.runCommand(core::Command::ComparePolygrams);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith("Not enough system resources to view polygrams\n")) << errors[0].toStdString();
}

}  // namespace
}  // namespace lumo::review::ui
