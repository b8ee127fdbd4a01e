#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "recording/display_model.h"
#include "recording/test_run.h"
#include "recording/test_window_rules.h"

class QComboBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace lumo::core {
class Workstation;
}
namespace lumo::device {
class SerialLink;
}

namespace lumo::recording::ui {

class ChartDisplay;
class TChannelEdit;
class TWrapPanel;

// The message boxes and dialogs of the test window; the defaults show the
// real ones, tests answer them.
struct TestWindowDialogs {
    std::function<bool(const std::string& text)> confirm;
    std::function<bool(const ChoiceTexts& texts)> askContinue;
    std::function<bool(const ChoiceTexts& texts)> askKeepChart;
    std::function<void(const std::string& text)> showError;
    std::function<void(const std::string& text)> showInformation;
};

// The test run window: the whole screen with the question list, the channel
// labels, the live chart and the phase panels below. A humble view of TestRun:
// keys and clicks go to the run, and it draws what the run tells it.
class TfrmTest : public QDialog, public TestRunView {
    Q_OBJECT

public:
    TfrmTest(core::Workstation& workstation, device::SerialLink& link, TestTimers& timers, ProcessPriority& priority,
             TestRunSetup setup, QWidget* parent = nullptr);
    ~TfrmTest() override;

    // Replaces the dialogs that are set in `dialogs`.
    void setDialogs(const TestWindowDialogs& dialogs);

    TestRun& run() { return *run_; }
    ChartDisplay* display() const { return display_; }
    TChannelEdit* channelLabel(int channel) const { return labels_[static_cast<std::size_t>(channel)]; }
    QListWidget* questionList() const { return list_; }
    QComboBox* speedList() const { return speedList_; }
    QString messageText() const;
    QString resistanceText() const;
    bool showsResistance() const;
    QString timeText() const;
    QProgressBar* progressBar() const { return progress_; }

    // TestRunView.
    void setCaption(const std::string& text) override;
    void phaseChanged(TestPhase phase) override;
    void showMessage(const std::string& text) override;
    void showWaitLabel(const std::string& text) override;
    void showResistance(const std::string& text) override;
    void showTimeRemaining(const std::string& text) override;
    void showProgress(const ProgressState& progress) override;
    void showQuestionList(const QuestionListState& list) override;
    void showAnswerButtons(bool shown) override;
    void enableSpeedList(bool enabled) override;
    void focusQuestionList() override;
    std::vector<formats::ScreenEvent> drawPeriod(const PeriodSample& sample) override;
    void drawEvent(const EventLabel& label) override;
    std::vector<formats::ScreenEvent> centreAllChannels() override;
    ScreenStart screenStart() override;
    DisplayKeep displayKeep() override;
    bool confirm(const std::string& text) override;
    bool askContinue(const ChoiceTexts& texts) override;
    bool askKeepChart(const ChoiceTexts& texts) override;
    void showError(const std::string& text) override;
    void showInformation(const std::string& text) override;
    void closeRequested(bool cancelled) override;

    // The window's key handling (it sees every key of its widgets first); true when taken.
    bool handleKey(int key, Qt::KeyboardModifiers modifiers);

public slots:
    void done(int result) override;
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* buildBottom();
    void buildLabels(QWidget* column);
    void placeLabels();
    void labelPressed(int channel, Qt::MouseButton button, int globalY);
    void labelMoved(int channel, int globalY);
    void gainChanged(int channel, int value);
    void toggleResistance();
    void speedSelected(int entry);
    void pressKeyButton(TestKey key);
    std::string text(int id) const;

    core::Workstation& workstation_;
    device::SerialLink& link_;
    DisplaySettings displaySettings_;
    std::optional<std::string> settingsError_;
    TestWindowDialogs dialogs_;
    std::unique_ptr<TestRun> run_;

    ChartDisplay* display_ = nullptr;
    QWidget* labelColumn_ = nullptr;
    std::array<TChannelEdit*, kDisplayChannels> labels_{};
    QListWidget* list_ = nullptr;
    TWrapPanel* message_ = nullptr;
    TWrapPanel* resistance_ = nullptr;
    QLabel* line1_ = nullptr;
    QLabel* line2_ = nullptr;
    QLabel* wait_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QComboBox* speedList_ = nullptr;
    QPushButton* centre_ = nullptr;
    QPushButton* unit_ = nullptr;
    QLabel* timeRemained_ = nullptr;
    QLabel* time_ = nullptr;
    QPushButton* ask_ = nullptr;
    QPushButton* yes_ = nullptr;
    QPushButton* no_ = nullptr;
    QPushButton* abort_ = nullptr;
    std::array<QPushButton*, 4> artefacts_{};

    MessagePanel messagePanel_;
    int progressColour_ = -1;  // 1 red, 0 green
    int dragging_ = -1;
    int dragY_ = 0;
    bool filling_ = false;  // widgets being set from the run: their signals are not the examiner's
    bool opened_ = false;
    bool closing_ = false;
};

}  // namespace lumo::recording::ui
