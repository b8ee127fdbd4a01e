#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTextBrowser>
#include <memory>

#include "admin/ui/frm_crime_edit.h"
#include "core/clock.h"
#include "core/test_home.h"
#include "core/workstation.h"
#include "platform/help_key.h"
#include "platform/help_viewer.h"
#include "ui/test_window_events.h"

namespace lumo::test_windows {

// Stands in for the scrolling chart review, whose closing ends the help.
class TfrmScrlRes : public QDialog {
    Q_OBJECT
};

}  // namespace lumo::test_windows

namespace lumo::platform {
namespace {

class HelpKeyTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::writeMinimalIni(home.path(), {"Eng_MaxCrime=1", "Eng_Crime1=All_examinees", "Rus_MaxCrime=1"});
        ws = std::make_unique<core::Workstation>(home.path(), std::make_unique<core::ManualClock>());
        ws->initialise();
        key = std::make_unique<HelpKey>([this]() -> HelpViewer& {
            if (!viewer) viewer = std::make_unique<HelpViewer>(std::filesystem::path(LUMO_DATA_DIR) / "help", ws->texts());
            return *viewer;
        });
        qApp->installEventFilter(key.get());
    }
    void TearDown() override {
        qApp->removeEventFilter(key.get());
        if (viewer) viewer->close();
    }
    std::unique_ptr<admin::ui::TfrmCrimeEdit> openCrimeEditor() {
        auto dialog = std::make_unique<admin::ui::TfrmCrimeEdit>(*ws);
        dialog->setWindowModality(Qt::ApplicationModal);
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        return dialog;
    }
    QString shownPage() const { return viewer ? viewer->browser()->source().fileName() : QString(); }

    test::TempHome home;
    std::unique_ptr<core::Workstation> ws;
    std::unique_ptr<HelpViewer> viewer;
    std::unique_ptr<HelpKey> key;
};

TEST_F(HelpKeyTest, F1OnADialogOpensItsPageAboveTheModalDialog) {
    auto dialog = openCrimeEditor();
    test::pressKey(dialog->crimeField(), Qt::Key_F1, Qt::ShiftModifier);
    EXPECT_FALSE(viewer) << "Shift+F1 is no help key";

    test::pressKey(dialog->crimeField(), Qt::Key_F1);
    ASSERT_TRUE(viewer);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_EQ(shownPage(), "crime_list.html");
    EXPECT_TRUE(viewer->browser()->source().toLocalFile().endsWith("help/crime_list.html"));
    EXPECT_TRUE(viewer->browser()->toPlainText().contains("Crime list editor"));
    // Usable while the dialog waits: the help is the modal window now.
    EXPECT_EQ(viewer->windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(QApplication::activeModalWidget(), viewer.get());

    // F1 in the help window explains the help window.
    test::pressKey(viewer->browser(), Qt::Key_F1);
    EXPECT_EQ(shownPage(), "using_help.html");
    EXPECT_EQ(QApplication::activeModalWidget(), viewer.get());
    test::pressKey(viewer->browser(), Qt::Key_Escape);
    EXPECT_FALSE(viewer->isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), dialog.get());
}

TEST_F(HelpKeyTest, TheRussianWorkstationOpensTheRussianPage) {
    ws->settings().list().setValue("Language", "RUS");
    auto dialog = openCrimeEditor();
    test::pressKey(dialog->crimeField(), Qt::Key_F1);
    ASSERT_TRUE(viewer);
    EXPECT_TRUE(viewer->browser()->source().toLocalFile().endsWith("help/ru/crime_list.html"));
    EXPECT_TRUE(viewer->browser()->toPlainText().contains(QString::fromUtf8("Редактор списка преступлений")));
}

// A message box is explained by the page of the window that raised it; a
// window the help does not know opens the contents.
TEST_F(HelpKeyTest, MessageBoxesAndStrangeWindowsFindAPage) {
    auto dialog = openCrimeEditor();
    QMessageBox box(QMessageBox::Question, "LUMO", "?", QMessageBox::Yes | QMessageBox::No, dialog.get());
    box.show();
    test::pressKey(&box, Qt::Key_F1);
    EXPECT_EQ(shownPage(), "crime_list.html");
    viewer->close();
    box.close();

    QDialog stranger;
    stranger.show();
    test::pressKey(&stranger, Qt::Key_F1);
    EXPECT_EQ(shownPage(), "index.html");
}

TEST_F(HelpKeyTest, TheHelpGoesWithTheChartReview) {
    test_windows::TfrmScrlRes review;
    review.show();
    test::pressKey(&review, Qt::Key_F1);
    ASSERT_TRUE(viewer);
    EXPECT_EQ(shownPage(), "chart_review.html");
    EXPECT_TRUE(viewer->isVisible());
    review.hide();
    EXPECT_FALSE(viewer->isVisible());

    // Any other window leaves it open.
    auto dialog = openCrimeEditor();
    test::pressKey(dialog->crimeField(), Qt::Key_F1);
    dialog->hide();
    EXPECT_TRUE(viewer->isVisible());
}

}  // namespace
}  // namespace lumo::platform

#include "help_key_test.moc"
