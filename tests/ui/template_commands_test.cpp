#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QToolButton>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "authoring/question_editor.h"
#include "authoring/template_chooser.h"
#include "authoring/ui/frm_qst_edit.h"
#include "authoring/ui/frm_qst_new.h"
#include "authoring/ui/question_grid.h"
#include "authoring/ui/template_commands.h"
#include "core/clock.h"
#include "core/test_home.h"
#include "core/ui/main_window.h"
#include "core/workstation.h"
#include "ui/accessible_names.h"
#include "ui/test_window_events.h"

namespace lumo::authoring::ui {
namespace {

namespace fs = std::filesystem;
using core::Command;
using Column = QuestionRows::Column;
using Lines = std::vector<std::string>;

// The template commands in the main window, each running the real chooser and
// editor driven by keys.
class TemplateCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::installSettings(home.path());
        test::writeLines(home / "QST/ALPHA.QS1", {" 1. N1.-.First?", " 2. R1.-.Second?", " 3. C1.-.Third?",
                                                  " 4. R2.-.Fourth?", " 5. N2.-.Fifth?"});
        test::writeLines(home / "QST/beta.qs2", {" 1. N1.-.One?", " 2. R1.+.Two. Or three?", " 3. C1.-.Three?",
                                                 " 4. C2.-.Four?", " 5. N2.-.Five?"});
        ws = std::make_unique<core::Workstation>(home.path(), std::make_unique<core::ManualClock>());
        ws->initialise();
        main = std::make_unique<core::ui::TfrmMain>(*ws);
        main->setErrorFunction([this](const QString&, const QString& text) { shown.append("frame:" + text); });
        main->setConfirmFunction([](const QString&, const QString&) { return false; });
        main->show();
    }
    void install(bool withMethod = true) {
        TemplateCommandSteps steps;
        if (withMethod) {
            steps.chooseMethod = [this]() -> std::optional<TemplateSkeleton> {
                shown.append("method");
                if (!methodChosen) return std::nullopt;
                TemplateSkeleton skeleton{5, "Method : Peak of tension", {}};
                for (int i = 1; i <= 5; ++i) skeleton.rows.push_back({rowNumber(i), " R1", "-", " ?"});
                return skeleton;
            };
        }
        steps.editTemplate = [this](QuestionEditor& editor) {
            TfrmQstNew window(editor, *ws, {}, {}, main.get());
            window.setPrompts({[this](const QString& t) { shown.append("warn:" + t); },
                               [this](const QString& t) {
                                   shown.append("confirm:" + t);
                                   return true;
                               },
                               [this](const QString& t) { shown.append("error:" + t); }});
            window.show();
            QApplication::setActiveWindow(&window);
            shown.append("editor:" + window.windowTitle() + ":" + window.fileNameField()->text());
            editorRows = editor.rows().rowsInUse();
            QWidget* field = QApplication::focusWidget();
            EXPECT_EQ(field, window.grid()->fieldEdit(0, Column::Sign));
            test::pressKey(field, Qt::Key_Home);
            test::pressKey(field, Qt::Key_Left);  // to the row's text
            test::typeText(QApplication::focusWidget(), "Edited");
            if (!fileName.isEmpty()) {
                test::pressKey(QApplication::focusWidget(), Qt::Key_Backtab);
                test::typeText(QApplication::focusWidget(), fileName);
            }
            test::pressKey(QApplication::focusWidget(), saveKey);
            return window.result() == QDialog::Accepted;
        };
        steps.chooseTemplate = [this](TemplateChooser& chooser, QuestionEditor& editor) {
            TfrmQstEdit window(chooser, editor, *ws, {}, main.get());
            window.show();
            QApplication::setActiveWindow(&window);
            EXPECT_EQ(test::unnamedControls(window), "");
            shown.append("chooser:" + QString::number(window.templateList()->currentRow()));
            const int key = chooserKeys.empty() ? Qt::Key_Escape : chooserKeys.front();
            if (!chooserKeys.empty()) chooserKeys.erase(chooserKeys.begin());
            test::pressKey(window.templateList(), key);
            if (key == Qt::Key_Down) test::pressKey(window.templateList(), Qt::Key_Return);
            return window.result() == QDialog::Accepted;
        };
        steps.confirm = [this](const QString& text) {
            shown.append("confirm:" + text);
            return answer;
        };
        installTemplateCommands(*main, *ws, steps);
    }
    QStringList tabs() const {
        QStringList result;
        const QTabBar* bar = main->stripBar(core::Strip::Templates);
        for (int i = 0; i < bar->count(); ++i) result.append(bar->tabText(i));
        return result;
    }
    QString selectedTab() const {
        const QTabBar* bar = main->stripBar(core::Strip::Templates);
        return bar->tabText(bar->currentIndex());
    }

    test::TempHome home;
    std::unique_ptr<core::Workstation> ws;
    std::unique_ptr<core::ui::TfrmMain> main;
    QStringList shown;
    bool answer = true;
    bool methodChosen = true;
    QString fileName;
    int saveKey = Qt::Key_Return;
    std::vector<int> chooserKeys;
    std::vector<QuestionRow> editorRows;
};

TEST_F(TemplateCommandsTest, NewTemplateRunsTheMethodChooserThenTheEditorAndSelectsTheNewTab) {
    install();
    fileName = "Gamma";
    main->runCommand(Command::NewTemplate);
    EXPECT_EQ(shown, (QStringList{"method", "editor:Method : Peak of tension:"}));
    EXPECT_EQ(test::readFile(home / "QST/Gamma.QS5").substr(0, 18), " 1. R1.-.Edited?\r\n");
    EXPECT_EQ(tabs(), (QStringList{"ALPHA", "BETA", "GAMMA"}));
    EXPECT_EQ(selectedTab(), "GAMMA");

    shown.clear();
    methodChosen = false;
    main->runCommand(Command::NewTemplate);
    EXPECT_EQ(shown, QStringList{"method"});
}

TEST_F(TemplateCommandsTest, WithoutTheMethodChooserNewTemplateStaysDisabled) {
    install(false);
    EXPECT_FALSE(main->state().enabled(Command::NewTemplate));
    EXPECT_TRUE(main->state().enabled(Command::EditTemplate));
}

TEST_F(TemplateCommandsTest, EditTemplateAlternatesChooserAndEditorUntilExit) {
    install();
    chooserKeys = {Qt::Key_Down, Qt::Key_Down};
    main->runCommand(Command::EditTemplate);
    // The second showing starts where the first ended; the edited template keeps its name.
    const QString overwrite = "confirm:Template with the same name already exists. Overwrite?";
    EXPECT_EQ(shown, (QStringList{"chooser:0", "editor:Method : Involvement:beta", overwrite, "chooser:1",
                                  "editor:Method : Involvement:beta", overwrite, "chooser:1"}));
    ASSERT_EQ(editorRows.size(), 5u);
    EXPECT_EQ(editorRows[1], (QuestionRow{" 2", " R1", "+", "Two. Or three?"}));
    EXPECT_EQ(test::readFile(home / "QST/beta.qs2").substr(0, 26), " 1. N1.-.OneEditedEdited?\r");
    EXPECT_EQ(selectedTab(), "BETA");
}

TEST_F(TemplateCommandsTest, TheStripButtonsEditAndDeleteTheSelectedTemplate) {
    install();
    main->stripBar(core::Strip::Templates)->setCurrentIndex(1);
    main->commandButton(Command::EditSelectedTemplate)->click();
    EXPECT_EQ(shown, (QStringList{"editor:Method : Involvement:beta",
                                  "confirm:Template with the same name already exists. Overwrite?"}));
    EXPECT_EQ(editorRows.size(), 5u);
    EXPECT_EQ(test::readFile(home / "QST/beta.qs2").substr(0, 20), " 1. N1.-.OneEdited?\r");

    shown.clear();
    answer = false;
    main->commandButton(Command::DeleteTemplate)->click();
    EXPECT_EQ(shown, QStringList{"confirm:Are you shure you want to delete the template?"});
    EXPECT_TRUE(fs::exists(home / "QST/beta.qs2"));
    answer = true;
    main->commandButton(Command::DeleteTemplate)->click();
    EXPECT_FALSE(fs::exists(home / "QST/beta.qs2"));
    EXPECT_EQ(tabs(), QStringList{"ALPHA"});

    // A damaged template is reported by the command's frame, nothing is opened.
    shown.clear();
    test::writeLines(home / "QST/ALPHA.QS1", {"damaged"});
    main->commandButton(Command::EditSelectedTemplate)->click();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].startsWith("frame:")) << shown[0].toStdString();
    EXPECT_TRUE(shown[0].contains("Line 1 of template ALPHA.QS1 is not a question"));
}

}  // namespace
}  // namespace lumo::authoring::ui
