// The test window as the run's view: what the run tells it to show and ask.
#include "recording/ui/frm_test.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>

#include "core/texts/core.h"
#include "core/texts/recording.h"
#include "core/ui/qt_text.h"
#include "core/workstation.h"
#include "recording/ui/chart_display.h"
#include "recording/ui/paint_panels.h"
#include "recording/ui/test_dialogs.h"
#include "platform/message_box.h"

namespace lumo::recording::ui {

using core::ui::qs;

namespace {

QColor toColour(const core::Rgb& rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

}  // namespace

void TfrmTest::setCaption(const std::string& text) {
    setWindowTitle(qs(text));
}

void TfrmTest::phaseChanged(TestPhase) {
    message_->setCaption(qs(messagePanel_.caption(run_ && run_->paused())));
}

void TfrmTest::showMessage(const std::string& text) {
    messagePanel_.setMessage(text);
    message_->setCaption(qs(messagePanel_.caption(run_ && run_->paused())));
}

void TfrmTest::showWaitLabel(const std::string& text) {
    wait_->setText(qs(text));
}

void TfrmTest::showResistance(const std::string& text) {
    resistance_->setCaption(qs(text));
}

void TfrmTest::showTimeRemaining(const std::string& text) {
    time_->setText(qs(text));
}

void TfrmTest::showProgress(const ProgressState& state) {
    const int colour = state.red ? 1 : 0;
    if (colour != progressColour_) {
        progressColour_ = colour;
        progress_->setStyleSheet(state.red ? "QProgressBar::chunk { background: #e00000; }"
                                           : "QProgressBar::chunk { background: #00c000; }");
    }
    if (!state.running || state.maximum <= 0) {
        progress_->setRange(0, 1);
        progress_->setValue(0);
        return;
    }
    progress_->setRange(0, state.maximum);
    progress_->setValue(std::clamp(state.position, 0, state.maximum));
}

void TfrmTest::showQuestionList(const QuestionListState& state) {
    filling_ = true;
    if (list_->count() != static_cast<int>(state.entries.size())) {
        list_->clear();
        for (std::size_t i = 0; i < state.entries.size(); ++i) list_->addItem(QString());
    }
    for (std::size_t i = 0; i < state.entries.size(); ++i) {
        const QuestionEntry& e = state.entries[i];
        QListWidgetItem* item = list_->item(static_cast<int>(i));
        const QString count = e.presentations > 0 ? QString::number(e.presentations) : QString(" ");
        item->setText(qs(e.sign).leftJustified(4) + " " + count);
        item->setForeground(toColour(e.colour));
        item->setBackground(Qt::black);
    }
    list_->setStyleSheet(state.framed
                             ? "QListWidget::item:selected { border: 2px solid white; background: black; }"
                             : "QListWidget::item:selected { border: 2px solid black; background: black; }");
    if (state.selected >= 0 && state.selected < list_->count()) list_->setCurrentRow(state.selected);
    list_->setEnabled(state.enabled);
    if (state.selected >= 0 && state.selected < static_cast<int>(state.entries.size())) {
        const QuestionEntry& e = state.entries[static_cast<std::size_t>(state.selected)];
        const QString style = QString("color: %1;").arg(toColour(e.colour).name());
        line1_->setStyleSheet(style);
        line2_->setStyleSheet(style);
        line1_->setText(qs(e.line1));
        line2_->setText(qs(e.line2));
    }
    filling_ = false;
}

void TfrmTest::showAnswerButtons(bool shown) {
    ask_->setVisible(shown);
    abort_->setVisible(shown);
}

void TfrmTest::enableSpeedList(bool enabled) {
    speedList_->setEnabled(enabled);
}

void TfrmTest::focusQuestionList() {
    list_->setFocus();
}

std::vector<formats::ScreenEvent> TfrmTest::drawPeriod(const PeriodSample& sample) {
    return display_->drawPeriod(sample);
}

void TfrmTest::drawEvent(const EventLabel& label) {
    display_->drawEvent(label);
}

std::vector<formats::ScreenEvent> TfrmTest::centreAllChannels() {
    return display_->centreAll();
}

ScreenStart TfrmTest::screenStart() {
    display_->ensureCanvas();
    return display_->model().startRecording();
}

DisplayKeep TfrmTest::displayKeep() {
    return display_->model().keep();
}

bool TfrmTest::confirm(const std::string& question) {
    if (dialogs_.confirm) return dialogs_.confirm(question);
    return platform::askYesNo(this, windowTitle(), qs(question), workstation_.texts());
}

bool TfrmTest::askContinue(const ChoiceTexts& texts) {
    if (dialogs_.askContinue) return dialogs_.askContinue(texts);
    TfrmContTest dialog(texts, this);
    return dialog.exec() == QDialog::Accepted;
}

bool TfrmTest::askKeepChart(const ChoiceTexts& texts) {
    if (dialogs_.askKeepChart) return dialogs_.askKeepChart(texts);
    TfrmSave dialog(texts, this);
    return dialog.exec() == QDialog::Accepted;
}

void TfrmTest::showError(const std::string& message) {
    if (dialogs_.showError) {
        dialogs_.showError(message);
        return;
    }
    platform::showMessage(this, QMessageBox::Critical, windowTitle(), qs(message), workstation_.texts());
}

void TfrmTest::showInformation(const std::string& message) {
    if (dialogs_.showInformation) {
        dialogs_.showInformation(message);
        return;
    }
    platform::showMessage(this, QMessageBox::Information, windowTitle(), qs(message), workstation_.texts());
}

QString TfrmTest::messageText() const {
    return message_->caption();
}

QString TfrmTest::resistanceText() const {
    return resistance_->caption();
}

bool TfrmTest::showsResistance() const {
    return !resistance_->isHidden();
}

QString TfrmTest::timeText() const {
    return time_->text();
}

}  // namespace lumo::recording::ui
