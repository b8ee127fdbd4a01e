#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>
#include <memory>

#include "core/clock.h"
#include "core/test_home.h"
#include "core/workstation.h"
#include "platform/dialog_conventions.h"

namespace lumo::platform {
namespace {

class DialogConventionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::installSettings(home.path());
        ws = std::make_unique<core::Workstation>(home.path(), std::make_unique<core::ManualClock>());
        ws->initialise();
        dialog = std::make_unique<QDialog>();
        conventions = new DialogConventions(*dialog, ws->texts());
        name = new QLineEdit(dialog.get());
        list = new QListWidget(dialog.get());
        auto* layout = new QVBoxLayout(dialog.get());
        layout->addWidget(conventions->makeLabel("Examiner &Name :", name));
        layout->addWidget(name);
        layout->addWidget(list);
        layout->addWidget(conventions->hintPanel());
        conventions->setHint(name, "Type a name|Type the examinee's name");
        conventions->setHint(list, "Pick one|Pick one of the entries");
        conventions->addField(name);
        conventions->addField(list);
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
    }

    QColor base(QWidget* widget) const { return widget->palette().color(QPalette::Base); }

    test::TempHome home;
    std::unique_ptr<core::Workstation> ws;
    std::unique_ptr<QDialog> dialog;
    DialogConventions* conventions = nullptr;
    QLineEdit* name = nullptr;
    QListWidget* list = nullptr;
};

TEST_F(DialogConventionsTest, FocusPaintsFieldsAndShowsTheLongHint) {
    name->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(base(name), DialogConventions::enteredColor());
    EXPECT_EQ(base(list), DialogConventions::leftColor());
    EXPECT_EQ(conventions->hintPanelText(), "Type the examinee's name");
    EXPECT_EQ(name->toolTip(), "Type a name");

    list->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(base(name), DialogConventions::leftColor());
    EXPECT_EQ(base(list), DialogConventions::enteredColor());
    EXPECT_EQ(conventions->hintPanelText(), "Pick one of the entries");
}

TEST_F(DialogConventionsTest, LabelsNameTheirFieldsWithoutTheAccessKey) {
    EXPECT_EQ(name->accessibleName(), "Examiner Name :");
    EXPECT_EQ(withoutAccessKey("Salt && &Pepper"), "Salt & Pepper");
}

TEST_F(DialogConventionsTest, KeyboardIndicatorFollowsTheLayoutAndTheLanguage) {
    int layout = 0;
    conventions->setLayoutProbe([&layout] { return layout; });
    conventions->keyboardIndicator();
    conventions->refreshKeyboardIndicator();
    EXPECT_EQ(conventions->keyboardIndicatorText(), "L A T");
    layout = 1;
    conventions->refreshKeyboardIndicator();
    EXPECT_EQ(conventions->keyboardIndicatorText(), "C Y R");
    layout = 2;
    conventions->refreshKeyboardIndicator();
    EXPECT_EQ(conventions->keyboardIndicatorText(), "? ? ?");

    ws->settings().list().setValue("Language", "RUS");
    layout = 1;
    conventions->refreshKeyboardIndicator();
    EXPECT_EQ(conventions->keyboardIndicatorText(), QString::fromUtf8("Р У С"));
}

}  // namespace
}  // namespace lumo::platform
