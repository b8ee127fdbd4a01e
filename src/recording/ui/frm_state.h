#pragma once

#include <QDialog>
#include <QPixmap>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "core/colors.h"
#include "recording/score_board.h"
#include "recording/state_picture.h"
#include "recording/state_session.h"

class QLabel;
class QPainter;
class QPushButton;

namespace lumo::core {
class Workstation;
}
namespace lumo::device {
class SerialLink;
}

namespace lumo::recording::ui {

class TPaintPanel;

// The message boxes of the state window; the defaults show the real ones,
// tests answer them.
struct StateWindowDialogs {
    std::function<void(const std::string& text)> showError;
    std::function<void(const std::string& text)> showReport;   // at the screen's top-left corner
    std::function<void(const std::string& text)> showFailure;
};

// The state estimate window: the raw pulse and skin-resistance traces, the
// histogram of the pulse periods and the count of accepted spectra. Space or
// the restart button starts the statistics afresh; Esc, the finish button or
// the close box shows the report and closes with OK (Cancel when there is no
// report). A humble view of StateSession.
class TfrmState : public QDialog, public StateSessionView {
    Q_OBJECT

public:
    // Reads the settings (EConvertError for a malformed one); the unit opens
    // once the window is shown.
    TfrmState(core::Workstation& workstation, device::SerialLink& link, core::ProcessPriority& priority,
              QWidget* parent = nullptr);
    ~TfrmState() override;

    void setDialogs(const StateWindowDialogs& dialogs);

    StateSession& session() { return *session_; }
    // What the main window hands on to the summary.
    const StateStatistics& statistics() const { return session_->statistics(); }
    QLabel* counterLabel() const { return lblCount_; }
    QPushButton* restartButton() const { return cmdRestart_; }
    QPushButton* finishButton() const { return cmdFinish_; }
    TPaintPanel* signalPanel() const { return pnlSignals_; }
    TPaintPanel* histogramPanel() const { return pnlHistogram_; }
    // The traces as drawn so far, and the histogram at the panel's present size.
    const QPixmap& traces() const { return canvas_; }
    BoardPicture histogramPicture() const;

    // StateSessionView
    void traceSample(std::array<int, 2> adc) override;
    void statisticsChanged() override;
    void showError(const std::string& text) override;
    void showReport(const std::string& text) override;
    void showFailure(const std::string& text) override;
    void closeRequested(bool cancelled) override;

public slots:
    void cmdRestartClick();
    void cmdFinishClick();
    void done(int result) override;
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormShow();
    void ensureCanvas();
    void pnlSignalsPaint(QPainter* painter);
    void pnlHistogramPaint(QPainter* painter);
    std::string text(int id) const;

    core::Workstation& workstation_;
    device::SerialLink& link_;
    StateWindowDialogs dialogs_;
    std::unique_ptr<StateSession> session_;
    TraceStrip strip_;
    std::array<core::Rgb, 2> colours_{};
    core::Rgb background_{};
    QPixmap canvas_;

    TPaintPanel* pnlSignals_ = nullptr;
    TPaintPanel* pnlHistogram_ = nullptr;
    QLabel* lblCount_ = nullptr;
    QPushButton* cmdRestart_ = nullptr;
    QPushButton* cmdFinish_ = nullptr;
    bool shown_ = false;
    bool closing_ = false;
};

}  // namespace lumo::recording::ui
