#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "device/calibration.h"

class QLabel;

namespace lumo::core {
class Workstation;
}
namespace lumo::device {
class AdjustingDevice;
class CalibrationHand;
class SerialLink;
}  // namespace lumo::device

namespace lumo::device::ui {

// The parts of the calibration window that reach outside it; the defaults are
// the real ones, tests replace them.
struct CalibrateWindowHooks {
    // The unit's link, not yet open: the port of the settings, or the simulated unit.
    std::function<std::unique_ptr<SerialLink>()> makeLink;
    std::function<void(const QString& text)> inform;  // message box, information
    std::function<void(const QString& text)> error;   // message box, error
    // The acquiring window runs at real-time priority; both are best effort.
    std::function<void()> raisePriority;
    std::function<void()> restorePriority;
    // On the simulated unit the adjusting device is simulated too, and the
    // simulated examiner presses its button a moment after the panel asks.
    bool pressSimulatedButton = true;
};

// The calibration window: borderless, centred, one message panel. It opens the
// unit as soon as it is shown and closes by itself when the calibration ends;
// Esc (or Alt+F4) leaves without storing anything.
class TfrmCalibrate : public QDialog, public CalibrationView {
    Q_OBJECT

public:
    // Reads the calibration options from the settings (EConvertError when malformed).
    explicit TfrmCalibrate(core::Workstation& workstation, QWidget* parent = nullptr,
                           CalibrateWindowHooks hooks = {});
    ~TfrmCalibrate() override;

    Calibration* calibration() const { return calibration_.get(); }
    SerialLink* link() const { return link_.get(); }
    AdjustingDevice* adjustingDevice() const;
    QString panelText() const;
    bool panelVisible() const;
    std::optional<CalibrationOutcome> outcome() const { return outcome_; }

    // CalibrationView
    void showPanel(int textId) override;
    void finished(CalibrationOutcome outcome, const std::string& message) override;

public slots:
    void done(int result) override;
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormShow();
    void closeWith(CalibrationOutcome outcome, const QString& message);
    void shutDown();
    CalibrateWindowHooks defaultHooks();

    core::Workstation& ws_;
    CalibrateWindowHooks hooks_;
    QLabel* panel_;
    std::unique_ptr<SerialLink> link_;
    std::unique_ptr<CalibrationHand> hand_;
    std::unique_ptr<Calibration> calibration_;
    std::optional<CalibrationOutcome> outcome_;
    CalibrationOptions options_;
    bool shown_ = false;
    bool priorityRaised_ = false;
    bool closing_ = false;
};

}  // namespace lumo::device::ui
