#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <memory>
#include <string>
#include <vector>

#include "authoring/ui/frm_method.h"
#include "core/clock.h"
#include "core/test_home.h"
#include "core/workstation.h"
#include "platform/dialog_conventions.h"
#include "ui/accessible_names.h"
#include "ui/test_window_events.h"

namespace lumo::authoring::ui {
namespace {

class MethodChooserWindowTest : public ::testing::Test {
protected:
    // The installed settings, or the minimal ones with `extra` lines.
    void start(const std::vector<std::string>& extra = {}, bool installed = true) {
        if (installed) {
            test::installSettings(home.path());
        } else {
            test::writeMinimalIni(home.path(), extra);
        }
        ws = std::make_unique<core::Workstation>(home.path(), std::make_unique<core::ManualClock>());
        ws->initialise();
        dialog = std::make_unique<TfrmMethod>(*ws);
        dialog->setIndexError([this](const QString& text) { errors.append(text); });
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        QApplication::processEvents();
    }
    QSpinBox* field(QuestionType type) const { return dialog->countField(type); }
    void choose(int row) {
        dialog->methodList()->setFocus();
        while (dialog->methodList()->currentRow() < row) test::pressKey(dialog->methodList(), Qt::Key_Down);
        while (dialog->methodList()->currentRow() > row) test::pressKey(dialog->methodList(), Qt::Key_Up);
        QApplication::processEvents();
    }
    // Types into a count field as the examiner does: Tab onto it selects its value.
    void typeInto(QuestionType type, const QString& text) {
        field(type)->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        test::typeText(field(type), text);
    }
    QColor captionColor(QuestionType type) const {
        const QString sheet = dialog->captionPanel(type)->styleSheet();
        const int at = sheet.indexOf(QStringLiteral("background-color: ")) + 18;
        return QColor(sheet.mid(at, 7));
    }
    std::vector<std::string> signs() const {
        std::vector<std::string> result;
        for (const QuestionRow& row : dialog->skeleton()->rows) result.push_back(row.sign);
        return result;
    }

    test::TempHome home;
    std::unique_ptr<core::Workstation> ws;
    std::unique_ptr<TfrmMethod> dialog;
    QStringList errors;
};

TEST_F(MethodChooserWindowTest, ShowsTheFirstMethodWithColouredCaptions) {
    start();
    EXPECT_EQ(test::unnamedControls(*dialog), "");
    EXPECT_EQ(dialog->windowTitle(), "Choose Test Method");
    ASSERT_EQ(dialog->methodList()->count(), 6);
    EXPECT_EQ(dialog->methodList()->item(0)->text(), "Control test");
    EXPECT_EQ(dialog->methodList()->currentRow(), 0);
    EXPECT_TRUE(dialog->methodList()->hasFocus());
    EXPECT_EQ(dialog->methodList()->accessibleName(), "Test Method :");
    EXPECT_EQ(field(kRelevant)->accessibleName(), "Rel.");
    EXPECT_EQ(dialog->formatPanel()->text(), "<<[n]-o-(v)-[c-r]-c-(o-[n])>>");
    EXPECT_EQ(dialog->totalPanel()->text(), "7 questions at all");
    EXPECT_TRUE(dialog->editButton()->isDefault());
    EXPECT_EQ(dialog->conventions().hintPanelText(), "Test method can be choosen here");
    // Relevant in QColor1 (red); the disabled informative field's caption is silver.
    EXPECT_EQ(captionColor(kRelevant), QColor(255, 0, 0));
    EXPECT_EQ(captionColor(kControl), QColor(0, 255, 0));
    EXPECT_FALSE(field(kInformative)->isEnabled());
    EXPECT_EQ(captionColor(kInformative), QColor(192, 192, 192));
    EXPECT_EQ(field(kControl)->minimum(), 3);
    EXPECT_EQ(field(kControl)->maximum(), 3);
}

TEST_F(MethodChooserWindowTest, SelectingAMethodHidesAndDisablesItsFields) {
    start();
    choose(3);
    EXPECT_EQ(dialog->formatPanel()->text(), "<<[n]-[[c]-r-[c]]-([n])>>");
    for (QuestionType hidden : {kInformative, kOuter, kSacrificial}) {
        EXPECT_TRUE(field(hidden)->isHidden());
        EXPECT_TRUE(dialog->captionPanel(hidden)->isHidden());
    }
    EXPECT_FALSE(field(kControl)->isHidden());
    EXPECT_EQ(field(kControl)->value(), 4);
    EXPECT_EQ(dialog->totalPanel()->text(), "5 questions at all");
    choose(5);
    for (int type = 0; type < kTypeCount; ++type) {
        EXPECT_FALSE(field(static_cast<QuestionType>(type))->isHidden());
        EXPECT_TRUE(field(static_cast<QuestionType>(type))->isEnabled());
    }
    EXPECT_EQ(captionColor(kInformative), QColor(255, 0, 255));
    EXPECT_EQ(dialog->totalPanel()->text(), "6 questions at all");
    choose(2);
    // Knowledge: relevant disabled and silver, control follows informative.
    EXPECT_FALSE(field(kRelevant)->isEnabled());
    EXPECT_EQ(captionColor(kRelevant), QColor(192, 192, 192));
    typeInto(kInformative, "4");
    test::pressKey(field(kInformative), Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_EQ(field(kControl)->value(), 4);
    EXPECT_EQ(dialog->totalPanel()->text(), "10 questions at all");
}

TEST_F(MethodChooserWindowTest, TypedCountsAreBroughtToTheBoundsAndEnterGenerates) {
    start();
    choose(4);
    typeInto(kRelevant, "25");
    test::pressKey(field(kRelevant), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(field(kRelevant)->value(), 18);
    ASSERT_EQ(dialog->result(), QDialog::Accepted);
    ASSERT_TRUE(dialog->skeleton().has_value());
    EXPECT_EQ(dialog->skeleton()->method, 5);
    EXPECT_EQ(dialog->skeleton()->caption, "Method : Peak of tension");
    ASSERT_EQ(dialog->skeleton()->rows.size(), 19u);
    EXPECT_EQ(dialog->skeleton()->rows.back().sign, "R18");
}

TEST_F(MethodChooserWindowTest, BelowTheLowerBoundAndTheTotalRuleFromTheArrows) {
    start();
    choose(4);
    typeInto(kRelevant, "2");
    test::pressKey(field(kRelevant), Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_EQ(field(kRelevant)->value(), 4);
    choose(3);
    field(kRelevant)->setFocus();
    test::pressKey(field(kRelevant), Qt::Key_Up);
    test::pressKey(field(kRelevant), Qt::Key_Up);
    for (int k = 0; k < 2; ++k) {
        test::pressKey(field(kControl), Qt::Key_Up);  // 4 -> 5 -> 6 would be 21 questions
    }
    QApplication::processEvents();
    EXPECT_EQ(field(kRelevant)->value(), 3);
    EXPECT_EQ(field(kControl)->value(), 5);
    EXPECT_EQ(dialog->totalPanel()->text(), "18 questions at all");
}

TEST_F(MethodChooserWindowTest, EnterInTheListGeneratesTheSelectedMethod) {
    start();
    choose(1);
    test::pressKey(dialog->methodList(), Qt::Key_Return);
    QApplication::processEvents();
    ASSERT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(signs(), (std::vector<std::string>{" N1", " O1", " C1", " I1", " C2", " R1", " C3"}));
    EXPECT_EQ(dialog->skeleton()->rows[2].text, "Do you suspect ?");
}

TEST_F(MethodChooserWindowTest, EscCancelsWithoutASkeleton) {
    start();
    typeInto(kNeutral, "3");
    test::pressKey(field(kNeutral), Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(dialog->skeleton().has_value());
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(MethodChooserWindowTest, RussianTextsSignsAndQuestions) {
    start({"Language=RUS"}, false);
    EXPECT_EQ(test::unnamedControls(*dialog), "");
    EXPECT_EQ(dialog->windowTitle(), "Выбор метода тестирования");
    EXPECT_EQ(dialog->cancelButton()->text(), "Отмена");
    EXPECT_EQ(dialog->captionPanel(kRelevant)->text(), "Знач.");
    EXPECT_EQ(dialog->formatPanel()->text(), "<<[н]-в-(ж)-[к-з]-к-(в-[н])>>");
    EXPECT_EQ(dialog->totalPanel()->text(), "Всего вопросов : 7");
    EXPECT_EQ(dialog->methodList()->item(1)->text(), "Метод 2");
    choose(1);
    test::pressKey(dialog->methodList(), Qt::Key_Enter);
    QApplication::processEvents();
    ASSERT_TRUE(dialog->skeleton().has_value());
    EXPECT_EQ(dialog->skeleton()->caption, "Метод : Метод 2");
    EXPECT_EQ(signs(), (std::vector<std::string>{" Н1", " В1", " К1", " И1", " К2", " Р1", " К3"}));
    EXPECT_EQ(dialog->skeleton()->rows[5].text, "Это Вы ?");
}

TEST_F(MethodChooserWindowTest, APositionBeyondTheSixMethodsEndsTheDialog) {
    start({"NMethod=7", "Eng_MName7=Seventh"}, false);
    choose(6);
    EXPECT_EQ(errors, QStringList{"Methods index error"});
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(dialog->skeleton().has_value());
}

TEST_F(MethodChooserWindowTest, NoMethodNamesEndTheDialogOnceShown) {
    start({"NMethod=0"}, false);
    QApplication::processEvents();
    EXPECT_EQ(errors, QStringList{"Methods index error"});
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(dialog->editButton()->isEnabled());
}

}  // namespace
}  // namespace lumo::authoring::ui
