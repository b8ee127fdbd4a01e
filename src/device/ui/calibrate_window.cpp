#include "device/ui/calibrate_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "core/ui/qt_text.h"
#include "core/workstation.h"
#include "device/calibration_hand.h"
#include "device/serial_link.h"
#include "device/unit_simulation.h"
#include "platform/realtime_priority.h"
#include "platform/serial_ports.h"
#include "platform/message_box.h"

namespace lumo::device::ui {

using core::ui::qs;

CalibrateWindowHooks TfrmCalibrate::defaultHooks() {
    CalibrateWindowHooks hooks;
    core::Workstation& ws = ws_;
    hooks.makeLink = [&ws]() {
        const UnitPortChoice choice = unitPortFromSettings(ws.settings().list());
        return platform::makeUnitLink(choice, [&ws](int id) { return ws.texts()(id); });
    };
    hooks.inform = [this](const QString& text) {
        platform::showMessage(this, QMessageBox::Information, QGuiApplication::applicationDisplayName(), text,
                              ws_.texts());
    };
    hooks.error = [this](const QString& text) {
        platform::showMessage(this, QMessageBox::Critical, QGuiApplication::applicationDisplayName(), text,
                              ws_.texts());
    };
    auto priority = std::make_shared<platform::RealtimePriority>();
    hooks.raisePriority = [priority] { priority->raise(); };
    hooks.restorePriority = [priority] { priority->restore(); };
    return hooks;
}

TfrmCalibrate::TfrmCalibrate(core::Workstation& workstation, QWidget* parent, CalibrateWindowHooks hooks)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), ws_(workstation), hooks_(std::move(hooks)) {
    const CalibrateWindowHooks defaults = defaultHooks();
    if (!hooks_.makeLink) hooks_.makeLink = defaults.makeLink;
    if (!hooks_.inform) hooks_.inform = defaults.inform;
    if (!hooks_.error) hooks_.error = defaults.error;
    if (!hooks_.raisePriority || !hooks_.restorePriority) {
        hooks_.raisePriority = defaults.raisePriority;
        hooks_.restorePriority = defaults.restorePriority;
    }
    options_ = calibrationOptions(ws_.home(), ws_.settings().list());

    setObjectName("frmCalibrate");
    setModal(true);
    panel_ = new QLabel(this);
    panel_->setObjectName("pnlMessage");
    panel_->setWordWrap(true);
    panel_->setAlignment(Qt::AlignCenter);
    panel_->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel_->setLineWidth(2);
    QFont font = panel_->font();
    font.setPointSizeF(font.pointSizeF() * 1.4);
    font.setBold(true);
    panel_->setFont(font);
    const int em = panel_->fontMetrics().averageCharWidth();
    panel_->setMinimumSize(em * 48, panel_->fontMetrics().height() * 6);
    panel_->setMargin(em * 2);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(panel_);
    setStyleSheet("QDialog#frmCalibrate { border: 2px solid palette(dark); }");
    panel_->hide();
}

TfrmCalibrate::~TfrmCalibrate() {
    shutDown();
}

AdjustingDevice* TfrmCalibrate::adjustingDevice() const {
    return hand_ ? &hand_->device() : nullptr;
}

QString TfrmCalibrate::panelText() const {
    return panel_->text();
}

bool TfrmCalibrate::panelVisible() const {
    return !panel_->isHidden();
}

void TfrmCalibrate::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (shown_) return;
    shown_ = true;
    adjustSize();
    if (const QScreen* screen = this->screen()) move(screen->availableGeometry().center() - rect().center());
    // Opened once the window is on the screen, so that a refusal shows above it.
    QTimer::singleShot(0, this, [this] { FormShow(); });
}

void TfrmCalibrate::FormShow() {
    if (closing_) return;
    try {
        link_ = hooks_.makeLink();
        if (UnitSimulation* simulation = link_->simulation()) {
            hand_ = std::make_unique<CalibrationHand>(*simulation, hooks_.pressSimulatedButton);
        }
        link_->onNotificationError = [this](const std::string& message) {
            if (calibration_) calibration_->notificationFailed(message);
        };
        hooks_.raisePriority();
        priorityRaised_ = true;
        calibration_ = std::make_unique<Calibration>(
            *link_, ws_.clock(), options_, [this](int id) { return ws_.texts()(id); }, *this);
        calibration_->start();
    } catch (const std::exception& error) {
        closeWith(CalibrationOutcome::OpenFailure, qs(error.what()));
    }
}

void TfrmCalibrate::showPanel(int textId) {
    if (textId == 0) {
        panel_->hide();
        return;
    }
    panel_->setText(qs(ws_.texts()(textId)));
    panel_->show();
    if (hand_) hand_->panelShown(textId);
}

void TfrmCalibrate::finished(CalibrationOutcome outcome, const std::string& message) {
    // Called from inside the driver's notifications: the boxes and the
    // closing wait until they have returned.
    QPointer<TfrmCalibrate> self(this);
    const QString text = qs(message);
    QTimer::singleShot(0, this, [self, outcome, text] {
        if (self) self->closeWith(outcome, text);
    });
}

void TfrmCalibrate::closeWith(CalibrationOutcome outcome, const QString& message) {
    if (closing_) return;
    closing_ = true;
    outcome_ = outcome;
    // The unit stops before any box, so it does not stream into a modal loop.
    shutDown();
    switch (outcome) {
    case CalibrationOutcome::Complete: hooks_.inform(message); break;
    case CalibrationOutcome::Cancelled: break;
    case CalibrationOutcome::DeviceFailure:
    case CalibrationOutcome::OpenFailure:
    case CalibrationOutcome::LinkFailure:
    case CalibrationOutcome::StoreFailure: hooks_.error(message); break;
    }
    QDialog::done(outcome == CalibrationOutcome::Complete ? QDialog::Accepted : QDialog::Rejected);
}

void TfrmCalibrate::shutDown() {
    if (calibration_) {
        try {
            calibration_->stop();
        } catch (const std::exception&) {
            // A port that vanished cannot take the stop bytes; closing goes on.
        }
        calibration_.reset();
    }
    hand_.reset();
    link_.reset();
    if (priorityRaised_) {
        priorityRaised_ = false;
        hooks_.restorePriority();
    }
}

void TfrmCalibrate::keyPressEvent(QKeyEvent* event) {
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        if (calibration_) calibration_->enterPressed();
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        reject();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TfrmCalibrate::reject() {
    if (calibration_) calibration_->cancel();
    closeWith(CalibrationOutcome::Cancelled, {});
}

void TfrmCalibrate::done(int result) {
    // Any way out (Alt+F4, the owner closing us) passes here: stop the unit first.
    if (!closing_) {
        reject();
        return;
    }
    QDialog::done(result);
}

void TfrmCalibrate::closeEvent(QCloseEvent* event) {
    if (!closing_) {
        reject();
    }
    event->accept();
    QDialog::closeEvent(event);
}

}  // namespace lumo::device::ui
