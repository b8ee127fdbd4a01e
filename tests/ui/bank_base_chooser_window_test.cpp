#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "authoring/ui/bank_commands.h"
#include "authoring/ui/frm_add_base.h"
#include "authoring/ui/frm_bank_edit.h"
#include "core/clock.h"
#include "core/main_window_state.h"
#include "core/question_set.h"
#include "core/test_home.h"
#include "core/ui/main_window.h"
#include "core/workstation.h"
#include "platform/dialog_conventions.h"
#include "ui/accessible_names.h"
#include "ui/test_window_events.h"

namespace lumo::authoring::ui {
namespace {

using Lines = std::vector<std::string>;

class BankBaseChooserWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::installSettings(home.path());
        test::writeFile(home / "BNK" / "A.TXT", "Thefts.\r\nDid you steal?\r\nDid you sell it?\r\n");
        test::writeFile(home / "BNK" / "B.TXT", "Bribes\r\nat work.\r\nDid you take a bribe?\r\n");
        ws = std::make_unique<core::Workstation>(home.path(), std::make_unique<core::ManualClock>());
        ws->initialise();
    }
    void start(const std::string& language = "ENG") {
        ws->settings().list().setValue("Language", language);
        dialog = std::make_unique<TfrmAddBase>(home / "BNK", ws->texts(), core::QuestionTypes(ws->settings()), lines);
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        QApplication::processEvents();
    }
    void tab() {
        test::pressKey(QApplication::focusWidget(), Qt::Key_Tab);
        QApplication::processEvents();
    }

    test::TempHome home;
    std::unique_ptr<core::Workstation> ws;
    std::unique_ptr<TfrmAddBase> dialog;
    Lines lines{" 1. N1.+.Is it Monday?", " 2. R1.-.Did you take it?", " 3. C1.-.Old?"};
};

TEST_F(BankBaseChooserWindowTest, ShowsTopicsQuestionsAndTheTemplateInItsColours) {
    start();
    EXPECT_EQ(test::unnamedControls(*dialog), "");
    EXPECT_EQ(dialog->windowTitle(), "Filling questions from Questions Base");
    EXPECT_TRUE(dialog->windowState() & Qt::WindowMaximized);
    ASSERT_EQ(dialog->topicList()->count(), 2);
    EXPECT_EQ(dialog->topicList()->item(1)->text(), "Bribes at work.");
    EXPECT_EQ(dialog->questionPanel()->title(), "TOPIC : THEFTS. (A.TXT)");
    EXPECT_EQ(dialog->questionList()->count(), 2);
    EXPECT_EQ(dialog->questionList()->currentRow(), 0);
    EXPECT_EQ(dialog->templateList()->currentRow(), 0);
    EXPECT_EQ(dialog->templateList()->accessibleName(), "Template Questions :");
    EXPECT_EQ(dialog->templateList()->item(1)->foreground().color(), QColor(Qt::red));
    EXPECT_EQ(dialog->templateList()->item(2)->foreground().color(), QColor(Qt::green));
    EXPECT_TRUE(dialog->topicList()->hasFocus());
    EXPECT_TRUE(dialog->saveButton()->isDefault());
}

TEST_F(BankBaseChooserWindowTest, RussianTexts) {
    start("RUS");
    EXPECT_EQ(dialog->windowTitle(), "Заполнение вопросов из Базы вопросов");
    EXPECT_EQ(dialog->questionPanel()->title(), "ТЕМА : THEFTS. (A.TXT)");
    EXPECT_EQ(test::unnamedControls(*dialog), "");
}

TEST_F(BankBaseChooserWindowTest, EnterPastesOverTheTextAndSavePastingReturnsTheLines) {
    start();
    test::pressKey(dialog->topicList(), Qt::Key_Down);
    EXPECT_EQ(dialog->questionPanel()->title(), "TOPIC : BRIBES AT WORK. (B.TXT)");
    tab();
    ASSERT_TRUE(dialog->questionList()->hasFocus());
    test::pressKey(dialog->questionList(), Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(dialog->templateList()->item(0)->text(), " 1. N1.+.Did you take a bribe?");
    EXPECT_TRUE(dialog->isVisible());

    dialog->topicList()->setFocus();
    test::pressKey(dialog->topicList(), Qt::Key_Up);
    tab();
    test::pressKey(dialog->questionList(), Qt::Key_Down);
    tab();
    ASSERT_TRUE(dialog->templateList()->hasFocus());
    test::pressKey(dialog->templateList(), Qt::Key_End);
    test::pressKey(dialog->templateList(), Qt::Key_Enter, Qt::NoModifier, "\r");
    EXPECT_EQ(dialog->templateList()->item(2)->text(), " 3. C1.-.Did you sell it?");
    // Nothing else of the lines changed; the colours follow the signs still.
    EXPECT_EQ(dialog->templateList()->item(2)->foreground().color(), QColor(Qt::green));

    dialog->saveButton()->setFocus();
    test::pressKey(dialog->saveButton(), Qt::Key_Space, Qt::NoModifier, " ");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->templateLines(),
              (Lines{" 1. N1.+.Did you take a bribe?", " 2. R1.-.Did you take it?", " 3. C1.-.Did you sell it?"}));
}

// The modal window on top, once the event loop runs it.
template <typename Window>
void whenShown(std::function<void(Window&)> act) {
    QTimer::singleShot(0, [act] {
        auto* window = qobject_cast<Window*>(QApplication::activeModalWidget());
        ASSERT_NE(window, nullptr);
        act(*window);
    });
}

TEST_F(BankBaseChooserWindowTest, ChooseFromBaseGivesTheLinesOnSaveAndNoneOnEsc) {
    whenShown<TfrmAddBase>([](TfrmAddBase& chooser) {
        test::pressKey(chooser.topicList(), Qt::Key_Tab);
        test::pressKey(chooser.questionList(), Qt::Key_Return, Qt::NoModifier, "\r");
        chooser.saveButton()->setFocus();
        test::pressKey(chooser.saveButton(), Qt::Key_Space, Qt::NoModifier, " ");
    });
    const auto saved = chooseFromBase(nullptr, *ws, lines);
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(saved->front(), " 1. N1.+.Did you steal?");

    whenShown<TfrmAddBase>([](TfrmAddBase& chooser) {
        test::pressKey(chooser.questionList(), Qt::Key_Return, Qt::NoModifier, "\r");
        test::pressKey(chooser.topicList(), Qt::Key_Escape);
    });
    EXPECT_FALSE(chooseFromBase(nullptr, *ws, lines).has_value());
}

TEST_F(BankBaseChooserWindowTest, QuestionBaseCommandRunsTheManagerOnTheBankFolder) {
    core::ui::TfrmMain main(*ws);
    QStringList errors;
    main.setErrorFunction([&errors](const QString&, const QString& text) { errors.append(text); });
    std::filesystem::path opened;
    installQuestionBaseCommand(main, *ws, {[&opened](const std::filesystem::path& folder) { opened = folder; }});
    main.runCommand(core::Command::QuestionBase);
    EXPECT_EQ(opened, home / "BNK");

    // The real manager: Esc leaves it with the topic written back on one line.
    installQuestionBaseCommand(main, *ws);
    whenShown<TfrmBankEdit>([](TfrmBankEdit& manager) {
        test::pressKey(manager.topicList(), Qt::Key_Down);
        test::pressKey(manager.topicList(), Qt::Key_Escape);
    });
    main.runCommand(core::Command::QuestionBase);
    EXPECT_EQ(errors, QStringList{});
    EXPECT_EQ(test::readFile(home / "BNK" / "B.TXT"), "Bribes at work.\r\nDid you take a bribe?\r\n");

    // A bank folder that cannot be listed: the command's error box.
    std::filesystem::remove_all(home / "BNK");
    test::writeFile(home / "BNK", "not a folder");
    main.runCommand(core::Command::QuestionBase);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith("Not enough system resources to edit Questions Base\n")) << errors[0].toStdString();
}

}  // namespace
}  // namespace lumo::authoring::ui
