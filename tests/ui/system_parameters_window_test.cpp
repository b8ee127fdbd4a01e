#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <memory>
#include <string>

#include "admin/ui/frm_system_file.h"
#include "core/clock.h"
#include "core/errors.h"
#include "core/settings_list.h"
#include "core/test_home.h"
#include "core/workstation.h"
#include "platform/dialog_conventions.h"
#include "platform/printer_choice.h"
#include "ui/accessible_names.h"
#include "ui/test_window_events.h"

namespace lumo::admin::ui {
namespace {

// The installed settings; the dialog works on a copy as the command gives it.
class SystemFileWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::installSettings(home.path());
        ws = std::make_unique<core::Workstation>(home.path(), std::make_unique<core::ManualClock>());
        ws->initialise();
    }

    TfrmSystemFile& open(const std::vector<std::pair<std::string, std::string>>& changes = {}) {
        copy = ws->settings().list();
        for (const auto& [key, value] : changes) copy.setValue(key, value);
        window = std::make_unique<TfrmSystemFile>(*ws, copy);
        window->show();
        QApplication::processEvents();
        return *window;
    }

    test::TempHome home;
    std::unique_ptr<core::Workstation> ws;
    core::SettingsList copy;
    std::unique_ptr<TfrmSystemFile> window;
};

TEST_F(SystemFileWindowTest, TheFirstRowShowsTheChannelChSeqPutsThere) {
    // The installed order has channel 1 first; channel 3 takes its place.
    TfrmSystemFile& w = open({{"ChSeq3", "0"}, {"ChSeq1", "7"}, {"ChColor3", "green"}});
    EXPECT_EQ(test::unnamedControls(w), "");
    EXPECT_EQ(w.channelLabel(0)->text(), "BloodVol");
    // A lower-case colour is found and shown as the list spells it.
    EXPECT_EQ(w.colorList(0)->currentText(), "Green");
    EXPECT_EQ(w.colorList(0)->accessibleName(), "BloodVol color");
    EXPECT_EQ(w.switchBox(0)->accessibleName(), "BloodVol on");
    EXPECT_EQ(w.bandField(0)->accessibleName(), "BloodVol height");
    EXPECT_EQ(w.channelLabel(7)->text(), "Breath-Up");

    w.colorList(0)->setCurrentIndex(w.colorList(0)->findText("Navy"));
    w.switchBox(0)->setChecked(false);
    EXPECT_EQ(copy.value("ChColor3"), "Navy");
    EXPECT_EQ(copy.value("ChSwitch3"), "0");
    EXPECT_EQ(copy.value("ChColor1"), "Aqua");
    // The sixteen swatches, Silver before Gray as the list offers them.
    EXPECT_EQ(w.colorList(0)->count(), 16);
    EXPECT_EQ(w.colorList(0)->itemText(7), "Silver");
    EXPECT_FALSE(w.colorList(0)->itemIcon(7).isNull());
}

TEST_F(SystemFileWindowTest, BandHeightsTurnIntoEdgesAtOk) {
    TfrmSystemFile& w = open({{"Test_iMin0", "100"}, {"Test_iMax0", "300"}, {"Test_iMin1", "101"}, {"Test_iMax1", "300"}});
    const int row0 = w.parameters().rowOfChannel(0);
    const int row1 = w.parameters().rowOfChannel(1);
    EXPECT_EQ(w.bandField(row0)->value(), 20);
    EXPECT_EQ(w.bandField(row1)->value(), 20);
    w.bandField(row0)->setValue(30);
    w.okButton()->click();
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_EQ(copy.value("Test_iMin0"), "50");
    EXPECT_EQ(copy.value("Test_iMax0"), "350");
    // 100.5 and 300.5 round to even, and the closing step keeps them.
    EXPECT_EQ(copy.value("Test_iMin1"), "100");
    EXPECT_EQ(copy.value("Test_iMax1"), "300");
}

TEST_F(SystemFileWindowTest, EnterIsOkAndEscIsCancel) {
    TfrmSystemFile& w = open({{"Test_iMin0", "100"}, {"Test_iMax0", "300"}});
    w.bandField(w.parameters().rowOfChannel(0))->setValue(30);
    test::pressKey(&w, Qt::Key_Return);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_EQ(copy.value("Test_iMin0"), "50");

    TfrmSystemFile& again = open();
    // Enter with a modifier is no OK.
    test::pressKey(&again, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_TRUE(again.isVisible());
    test::pressKey(&again, Qt::Key_Escape);
    EXPECT_FALSE(again.isVisible());
    EXPECT_EQ(again.result(), QDialog::Rejected);
}

TEST_F(SystemFileWindowTest, TheLanguageChoiceReappliesTheTextsAtOnce) {
    TfrmSystemFile& w = open({{"Language", "RUS"}});
    EXPECT_EQ(w.windowTitle(), "ЛУМО - 7.0 Параметры системы");
    EXPECT_EQ(w.languageList()->currentText(), "РУС");
    EXPECT_EQ(w.artefactField(5)->text(), "Движ.");
    EXPECT_EQ(w.okButton()->text(), "OK");
    EXPECT_EQ(w.questionTimeField()->accessibleName(), "Время записи реакций :");

    w.languageList()->setCurrentIndex(w.languageList()->findText("АНГ"));
    EXPECT_EQ(copy.value("Language"), "ENG");
    EXPECT_EQ(w.windowTitle(), "LUMO - 7.0 System parameters");
    EXPECT_EQ(w.questionTimeField()->accessibleName(), "Reactions recording time :");
    EXPECT_EQ(w.channelLabel(w.parameters().rowOfChannel(0))->text(), "Pulse");
    EXPECT_EQ(w.artefactField(5)->text(), "Move");
    EXPECT_EQ(w.artefactField(5)->toolTip(), "Artefact name editor");
    EXPECT_TRUE(w.artefactField(5)->statusTip().contains("\"?\""));

    // The workstation still runs in Russian: the field edits the English name.
    w.artefactField(5)->clear();
    test::typeText(w.artefactField(5), "Jump");
    EXPECT_EQ(copy.value("Eng_Art5"), "Jump");
    EXPECT_EQ(copy.value("Rus_Art5"), "Движ.");
    EXPECT_EQ(ws->settings().list().value("Eng_Art5"), "Move");
    EXPECT_EQ(test::unnamedControls(w), "");
}

TEST_F(SystemFileWindowTest, FieldsWriteTheirKeysAsTheyChange) {
    TfrmSystemFile& w = open({{"UnitComPort", "2"}, {"ContScroll", "true"}});
    EXPECT_EQ(w.portList()->currentText(), "COM 2");
    EXPECT_TRUE(w.scrollingBox()->isChecked());
    EXPECT_EQ(copy.value("ContScroll"), "TRUE");
    w.portList()->setCurrentIndex(0);
    w.scrollingBox()->setChecked(false);
    w.questionTimeField()->setValue(40);  // held at 30
    w.visibleBox(0)->setChecked(false);
    w.backgroundList()->setCurrentIndex(w.backgroundList()->findText("Navy"));
    EXPECT_EQ(copy.value("UnitComPort"), "1");
    EXPECT_EQ(copy.value("ContScroll"), "FALSE");
    EXPECT_EQ(copy.value("QuestionTime"), "30");
    EXPECT_EQ(copy.value("ChVisible" + std::to_string(w.parameters().row(0).channel)), "0");
    EXPECT_EQ(copy.value("ChBackColor"), "Navy");

    // A work area that is no number is ignored while typing.
    QLineEdit* area = w.workAreaField();
    area->selectAll();
    test::typeText(area, "7a");
    EXPECT_EQ(area->text(), "7a");
    EXPECT_EQ(copy.value("MonitorDiagonal"), "7");
    test::pressKey(area, Qt::Key_Backspace);
    test::typeText(area, "50");
    EXPECT_EQ(copy.value("MonitorDiagonal"), "750");
}

TEST_F(SystemFileWindowTest, FocusShowsTheLongHintOnAWhiteField) {
    TfrmSystemFile& w = open();
    w.activateWindow();
    QApplication::processEvents();
    // The keyboard starts on the first row and walks the table row by row.
    EXPECT_EQ(w.focusWidget(), w.colorList(0));
    w.bandField(7)->setFocus();
    test::pressKey(w.bandField(7), Qt::Key_Tab);
    EXPECT_EQ(w.focusWidget(), w.backgroundList());
    test::pressKey(w.backgroundList(), Qt::Key_Tab);
    EXPECT_EQ(w.focusWidget(), w.portList());
    w.portList()->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(w.hintPanelText(), "Choose serial port with attached sensor unit");
    EXPECT_EQ(w.portList()->palette().color(QPalette::Base), platform::DialogConventions::enteredColor());
    w.bandField(2)->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(w.hintPanelText(), "Channel scaling in relative units");
    EXPECT_EQ(w.portList()->palette().color(QPalette::Base), platform::DialogConventions::leftColor());
}

TEST_F(SystemFileWindowTest, PrnStoresThePrinterChoiceInTheCopy) {
    TfrmSystemFile& w = open();
    EXPECT_EQ(w.printerLabel()->text(), "system default");
    int setups = 0;
    w.setPrinterSetup([&](core::SettingsList& settings) {
        ++setups;
        platform::setPrinterChoice(settings, {platform::PrinterChoice::Kind::Pdf, {}});
        return true;
    });
    w.printerButton()->click();
    EXPECT_EQ(setups, 1);
    EXPECT_EQ(copy.value("PrinterName"), "<PDF>");
    EXPECT_EQ(w.printerLabel()->text(), "PDF file");
    EXPECT_EQ(ws->settings().list().value("PrinterName"), "");
}

TEST_F(SystemFileWindowTest, AnIntegerKeyThatIsNoNumberStopsTheDialog) {
    copy = ws->settings().list();
    copy.setValue("Test_iMax4", "wide");
    const auto before = copy.lines();
    try {
        TfrmSystemFile w(*ws, copy);
        ADD_FAILURE() << "the dialog opened";
    } catch (const EConvertError& error) {
        EXPECT_STREQ(error.what(), "'wide' is not a valid integer value");
    }
    EXPECT_EQ(copy.lines(), before);
}

}  // namespace
}  // namespace lumo::admin::ui
