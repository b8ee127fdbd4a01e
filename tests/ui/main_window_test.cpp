#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QStatusTipEvent>
#include <QTabBar>
#include <QToolButton>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/clock.h"
#include "core/test_home.h"
#include "core/ui/about_window.h"
#include "core/ui/main_window.h"
#include "core/ui/progress_window.h"
#include "core/workstation.h"
#include "ui/accessible_names.h"

namespace lumo::core::ui {
namespace {

namespace fs = std::filesystem;

// An exam file without questions: the header is all the exam strip reads.
using test::writeLines;

void writeExam(const fs::path& path, const std::string& mark) {
    writeLines(path, {"Ivanov", "Operator 1", "1", "0", "0", mark, "07-03-2001", "0", "0", "0", "0", "0", "0", "0"});
}

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() { test::installSettings(home.path()); }

    void start(const std::string& language = "ENG") {
        ws = std::make_unique<Workstation>(home.path(), std::make_unique<ManualClock>());
        ws->initialise();
        ws->settings().list().setValue("Language", language);
        window = std::make_unique<TfrmMain>(*ws);
        window->setConfirmFunction([this](const QString&, const QString& text) {
            questions.append(text);
            return answer;
        });
        window->setErrorFunction([this](const QString&, const QString& text) { errors.append(text); });
        window->setCloseHandler([this] { ++closeHookRuns; });
    }

    void pressKey(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent press(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(window.get(), &press);
    }

    static QStringList texts(QMenu* menu) {
        QStringList result;
        for (QAction* action : menu->actions()) {
            if (!action->isSeparator()) result.append(action->text());
        }
        return result;
    }

    test::TempHome home;
    std::unique_ptr<Workstation> ws;
    std::unique_ptr<TfrmMain> window;
    QStringList questions;
    QStringList errors;
    bool answer = false;
    int closeHookRuns = 0;
};

TEST_F(MainWindowTest, MenusCarryTheCaptionsOfTheTable) {
    start();
    QStringList titles;
    for (QAction* action : window->menuBar()->actions()) titles.append(action->text());
    EXPECT_EQ(titles, QStringList({"&Examinee", "&Preparations", "&Test", "&Results", "&System", "&?"}));
    EXPECT_EQ(texts(window->menu(Menu::Examinee)),
              QStringList({"&Choose / delete Examinee", "&N   e   w             Examinee",
                           "&E  d  i  t              Examinee", "Archive     &o f     Examinee",
                           "&S t a t e     o f     Examinee", "               E  &x  i  t"}));
    EXPECT_EQ(texts(window->menu(Menu::Preparations)),
              QStringList({"&N e w    template", "&E d i t    template", "Questions  &Base"}));
    EXPECT_EQ(texts(window->menu(Menu::Results)),
              QStringList({"C h o o s e   &e x a m", "&Analize     polygram", "&Compare polygrams",
                           "Hand  Exam  &results", "E x a m         resu&lts"}));
    EXPECT_EQ(texts(window->menu(Menu::System)),
              QStringList({"&Examiners       l i s t", "&System  parameters", "&C r i m e s        l i s t",
                           "Calibrate Unit"}));
    EXPECT_EQ(texts(window->menu(Menu::Help)),
              QStringList({"Contents", "Search Help On ...", "Using Help", "&About"}));
    EXPECT_EQ(window->windowTitle(), "LUMO (version 7.0).");

    QStringList pages;
    for (int page = 0; page < window->toolBarTabs()->count(); ++page) pages.append(window->toolBarTabs()->tabText(page));
    EXPECT_EQ(pages, QStringList({"Examinee", "Preparations", "System"}));
}

TEST_F(MainWindowTest, EveryControlHasAnAccessibleName) {
    start("RUS");
    window->show();
    EXPECT_EQ(test::unnamedControls(*window), "");
}

TEST_F(MainWindowTest, BuildsInRussian) {
    start("RUS");
    EXPECT_EQ(window->windowTitle(), QString::fromUtf8("ЛУМО (версия 7.0)."));
    EXPECT_EQ(window->commandAction(Command::Calibrate)->text(), QString::fromUtf8("Юстировка блока"));
    EXPECT_EQ(window->commandButton(Command::Calibrate)->toolTip(), QString::fromUtf8("Юстировка блока"));
    EXPECT_EQ(window->commandButton(Command::Calibrate)->statusTip(),
              QString::fromUtf8("Переюстировка блока по желанию оператора"));
    EXPECT_NE(window->menuAction(Menu::Examinee)->text(), "&Examinee");
    // The tool-bar tabs are the menu captions without the access mark.
    EXPECT_FALSE(window->toolBarTabs()->tabText(0).contains('&'));
    EXPECT_EQ(window->toolBarTabs()->tabText(0), window->menuAction(Menu::Examinee)->text().remove('&'));
}

TEST_F(MainWindowTest, CommandsWithoutAWindowAreDisabled) {
    start();
    writeLines(home / "DAT" / "#0000001" / "subject.dat", {"Name=Ivanov"});
    ws->records().examinees().load(home / "DAT");
    window->refreshStatus();

    EXPECT_FALSE(window->commandAction(Command::ChooseExaminee)->isEnabled());
    EXPECT_FALSE(window->commandButton(Command::ChooseExaminee)->isEnabled());
    EXPECT_FALSE(window->commandAction(Command::Operators)->isEnabled());
    EXPECT_FALSE(window->commandAction(Command::HelpContents)->isEnabled());
    EXPECT_TRUE(window->commandAction(Command::Exit)->isEnabled());
    EXPECT_TRUE(window->commandAction(Command::About)->isEnabled());
    EXPECT_TRUE(window->menuAction(Menu::Help)->isEnabled());
    EXPECT_FALSE(window->menuAction(Menu::Test)->isEnabled());

    int runs = 0;
    window->setCommandHandler(Command::ChooseExaminee, [&runs] { ++runs; });
    EXPECT_TRUE(window->commandButton(Command::ChooseExaminee)->isEnabled());
    window->commandButton(Command::ChooseExaminee)->click();
    EXPECT_EQ(runs, 1);
    // A disabled command does not run, whoever asks.
    window->setCommandHandler(Command::NewExaminee, [&runs] { ++runs; });
    window->runCommand(Command::Operators);
    EXPECT_EQ(runs, 1);
}

TEST_F(MainWindowTest, CommandErrorsEndInTheErrorBox) {
    start();
    window->setCommandHandler(Command::Crimes, [] { throw std::runtime_error("Cannot read crimes"); });
    window->runCommand(Command::Crimes);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(errors[0], "Not enough system resources to call crimes list\nCannot read crimes");
    EXPECT_TRUE(window->commandAction(Command::Crimes)->isEnabled());
}

TEST_F(MainWindowTest, MenusRecomputeWhenTheyOpen) {
    start();
    writeLines(home / "DAT" / "#0000001" / "subject.dat", {"Name=Ivanov", "Archive=#"});
    ws->records().examinees().load(home / "DAT");
    window->setCommandHandler(Command::ArchiveExaminee, [] {});
    EXPECT_FALSE(window->commandAction(Command::ArchiveExaminee)->isEnabled());

    // Another window made an examinee current behind the main window's back.
    ws->records().makeCurrent(ws->records().examinees().at(0));
    emit window->menu(Menu::Examinee)->aboutToShow();
    EXPECT_TRUE(window->commandAction(Command::ArchiveExaminee)->isEnabled());
    EXPECT_EQ(window->commandAction(Command::ArchiveExaminee)->text(), "Dec&ompress      Examinee");

    // After a refused archive command the examiner lands on the archive item again.
    window->show();
    window->reopenMenu(Menu::Examinee, 3);
    QMenu* examinee = window->menu(Menu::Examinee);
    EXPECT_TRUE(examinee->isVisible());
    EXPECT_EQ(examinee->activeAction(), window->commandAction(Command::ArchiveExaminee));
    examinee->hide();
}

TEST_F(MainWindowTest, ARefusedCommandReopensItsMenuOnlyWhenItCameFromTheMenu) {
    start();
    window->show();
    window->setCommandHandler(Command::ExamineeState, [this] { window->reopenMenu(Menu::Examinee, 4); });
    QMenu* examinee = window->menu(Menu::Examinee);
    window->commandButton(Command::ExamineeState)->click();
    EXPECT_FALSE(examinee->isVisible());
    window->commandAction(Command::ExamineeState)->trigger();
    EXPECT_TRUE(examinee->isVisible());
    EXPECT_EQ(examinee->activeAction(), window->commandAction(Command::ExamineeState));
    examinee->hide();
}

TEST_F(MainWindowTest, StripsFollowTheCurrentExaminee) {
    start();
    const auto folder = home / "DAT" / "#0000001";
    writeLines(folder / "subject.dat", {"Name=Ivanov"});
    writeExam(folder / "exam_01.qs_", "Zone");
    writeExam(folder / "exam_02.qs_", "Peak");
    writeLines(folder / "exam_02.ch1", {std::string(200, 'x')});
    ws->records().examinees().load(home / "DAT");
    window->show();
    EXPECT_TRUE(window->stripPanel(Strip::Exams)->isHidden());

    ws->records().makeCurrent(ws->records().examinees().at(0));
    window->refreshStatus();
    EXPECT_FALSE(window->stripPanel(Strip::Exams)->isHidden());
    EXPECT_TRUE(window->stripPanel(Strip::Charts)->isHidden());
    EXPECT_TRUE(window->stripPanel(Strip::Templates)->isHidden());
    ASSERT_EQ(window->stripBar(Strip::Exams)->count(), 2);
    EXPECT_EQ(window->stripBar(Strip::Exams)->tabText(1), "Peak (02) ");

    window->stripBar(Strip::Exams)->setCurrentIndex(1);
    EXPECT_FALSE(window->stripPanel(Strip::Charts)->isHidden());
    EXPECT_EQ(window->windowTitle(), "   Examinee : #0000001 / EXAM_02 / CHART_01   ( Ivanov )");
}

TEST_F(MainWindowTest, TabsFilledWhileTheirStripWasHiddenAreDrawn) {
    start();
    const auto folder = home / "DAT" / "#0000001";
    writeLines(folder / "subject.dat", {"Name=Ivanov"});
    writeExam(folder / "exam_01.qs_", "ROAD");
    writeLines(folder / "exam_01.ch1", {std::string(200, 'x')});
    ws->records().examinees().load(home / "DAT");
    window->show();
    // The layout measured the strips while they were empty and hidden.
    window->stripPanel(Strip::Exams)->sizeHint();
    window->stripPanel(Strip::Charts)->sizeHint();
    ws->records().makeCurrent(ws->records().examinees().at(0));
    window->refreshStatus();
    QApplication::processEvents();

    for (Strip strip : {Strip::Exams, Strip::Charts}) {
        QTabBar* bar = window->stripBar(strip);
        ASSERT_EQ(bar->count(), 1);
        EXPECT_TRUE(bar->isVisible());
        const QRect tab = bar->tabRect(0);
        EXPECT_TRUE(bar->rect().contains(tab)) << tab.width() << "x" << tab.height() << " in " << bar->width()
                                               << "x" << bar->height();
        EXPECT_GE(tab.width(), bar->fontMetrics().horizontalAdvance(bar->tabText(0)));
        EXPECT_GE(tab.height(), bar->fontMetrics().height());
    }
    EXPECT_EQ(window->stripBar(Strip::Exams)->tabText(0), "ROAD (01) ");
}

TEST_F(MainWindowTest, HintPanelShowsLongHints) {
    start();
    QAction* calibrate = window->commandAction(Command::Calibrate);
    calibrate->showStatusText(window->menuBar());
    EXPECT_EQ(window->hintPanelText(), "Unit recalibrating caused by Operator request");

    QStatusTipEvent tip(window->commandButton(Command::DeleteExam)->statusTip());
    QApplication::sendEvent(window->commandButton(Command::DeleteExam), &tip);
    EXPECT_EQ(window->hintPanelText(), "Allows to delete all information concerned with the exam");

    QStatusTipEvent clear{QString()};
    QApplication::sendEvent(window->commandButton(Command::DeleteExam), &clear);
    EXPECT_TRUE(window->hintPanelText().isEmpty());
}

TEST_F(MainWindowTest, EscapeAsksBeforeClosing) {
    start();
    window->show();
    pressKey(Qt::Key_Escape, Qt::ShiftModifier);
    EXPECT_TRUE(questions.isEmpty());

    answer = false;
    pressKey(Qt::Key_Escape);
    ASSERT_EQ(questions.size(), 1);
    EXPECT_EQ(questions[0], "Do you want to exit LUMO-7.0?");
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(closeHookRuns, 0);

    answer = true;
    window->runCommand(Command::Exit);
    EXPECT_EQ(questions.size(), 2);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(closeHookRuns, 1);
    // A closed window is not asked again and does not close twice.
    window->close();
    EXPECT_EQ(questions.size(), 2);
    EXPECT_EQ(closeHookRuns, 1);
}

TEST_F(MainWindowTest, NoCommandStartsOnceShutDownHasBegun) {
    start();
    int runs = 0;
    window->setCommandHandler(Command::ChooseExaminee, [&runs] { ++runs; });
    writeLines(home / "DAT" / "#0000001" / "subject.dat", {"Name=Ivanov"});
    ws->records().examinees().load(home / "DAT");
    window->refreshStatus();
    window->show();

    // The release steps run under the gauge, which lets clicks through.
    TfrmProgress progress;
    bool releaseRan = false;
    ws->startup().registerStep({nullptr, [&](const std::function<void(int)>&) {
                                    releaseRan = true;
                                    window->commandButton(Command::ChooseExaminee)->click();
                                    window->runCommand(Command::ChooseExaminee);
                                }});
    window->setCloseHandler([&] { ws->shutDown(progress); });
    answer = true;
    window->close();
    EXPECT_TRUE(releaseRan);
    EXPECT_EQ(runs, 0);
    EXPECT_FALSE(window->isEnabled());
}

TEST_F(MainWindowTest, AboutClosesOnAnyKeyAndOnAClick) {
    start();
    TfrmAbout about(window->state());
    about.show();
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier);
    QApplication::sendEvent(&about, &key);
    EXPECT_FALSE(about.isVisible());

    about.show();
    QWidget* anywhere = about.childAt(about.width() / 2, about.height() / 2);
    QMouseEvent click(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(anywhere != nullptr ? anywhere : &about, &click);
    EXPECT_FALSE(about.isVisible());
}

TEST(ProgressWindow, GaugeFollowsTheRoutine) {
    TfrmProgress progress;
    progress.showProgress("Loading", kProgressMaximum);
    EXPECT_TRUE(progress.isVisible());
    EXPECT_EQ(progress.windowTitle(), "Loading");
    EXPECT_EQ(progress.maximum(), 32790);
    progress.setProgress(32778);
    EXPECT_EQ(progress.position(), 32778);
    // The examiner cannot close it while the routine runs.
    progress.close();
    EXPECT_TRUE(progress.isVisible());
    progress.hideProgress();
    EXPECT_FALSE(progress.isVisible());
}

}  // namespace
}  // namespace lumo::core::ui
