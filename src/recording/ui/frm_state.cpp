#include "recording/ui/frm_state.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "core/numbers.h"
#include "core/settings.h"
#include "core/text_format.h"
#include "core/texts/recording.h"
#include "core/ui/qt_text.h"
#include "core/workstation.h"
#include "device/serial_link.h"
#include "platform/message_box.h"
#include "recording/ui/frm_tablo.h"
#include "recording/ui/paint_panels.h"

namespace lumo::recording::ui {

using core::ui::qs;

namespace {

QColor color(const core::Rgb& rgb) {
    return {rgb.red, rgb.green, rgb.blue};
}

QLabel* heading(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

// The bold font the histogram is painted in.
QFont histogramFont(const QWidget* panel) {
    QFont font = panel->font();
    font.setBold(true);
    return font;
}

}  // namespace

TfrmState::TfrmState(core::Workstation& workstation, device::SerialLink& link, core::ProcessPriority& priority,
                     QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      workstation_(workstation),
      link_(link) {
    setObjectName("frmState");
    const core::SettingsList& list = workstation.settings().list();
    const StateSessionSettings settings = stateSessionSettings(list);
    colours_ = {core::colorFromName(core::trimmed(list.value("ChColor0"))),
                core::colorFromName(core::trimmed(list.value("ChColor5")))};
    background_ = core::colorFromName(core::trimmed(list.value("ChBackColor")));
    strip_ = TraceStrip({core::trimmed(list.value("ChPolar0")) == "-", core::trimmed(list.value("ChPolar5")) == "-"});

    setWindowTitle(qs(text(txt::StateCaption)));
    const QString signalsCaption = qs(text(txt::StateSignals));
    const QString histogramCaption = qs(text(txt::StateHistogram));
    pnlSignals_ = new TPaintPanel(this);
    pnlSignals_->setObjectName("pnlSignals");
    pnlSignals_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pnlSignals_->setAccessibleName(signalsCaption);
    QPalette back = pnlSignals_->palette();
    back.setColor(QPalette::Window, color(background_));
    pnlSignals_->setPalette(back);
    connect(pnlSignals_, &TPaintPanel::OnPaint, this, &TfrmState::pnlSignalsPaint);

    pnlHistogram_ = new TPaintPanel(this);
    pnlHistogram_->setObjectName("pnlHistogram");
    pnlHistogram_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pnlHistogram_->setAccessibleName(histogramCaption);
    connect(pnlHistogram_, &TPaintPanel::OnPaint, this, &TfrmState::pnlHistogramPaint);

    lblCount_ = heading({}, this);
    lblCount_->setObjectName("lblCount");
    // Space and Esc belong to the window: the buttons take no focus, so that
    // Space never presses the one that has it.
    cmdRestart_ = new QPushButton(qs(text(txt::StateRestart)), this);
    cmdRestart_->setObjectName("cmdRestart");
    cmdRestart_->setFocusPolicy(Qt::NoFocus);
    connect(cmdRestart_, &QPushButton::clicked, this, &TfrmState::cmdRestartClick);
    cmdFinish_ = new QPushButton(qs(text(txt::StateFinish)), this);
    cmdFinish_->setObjectName("cmdFinish");
    cmdFinish_->setFocusPolicy(Qt::NoFocus);
    connect(cmdFinish_, &QPushButton::clicked, this, &TfrmState::cmdFinishClick);

    auto* commands = new QHBoxLayout;
    commands->addWidget(lblCount_, 1);
    commands->addWidget(cmdRestart_);
    commands->addWidget(cmdFinish_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading(signalsCaption, this));
    layout->addWidget(pnlSignals_, 3);
    layout->addWidget(heading(histogramCaption, this));
    layout->addWidget(pnlHistogram_, 2);
    layout->addLayout(commands);
    const int line = fontMetrics().height();
    pnlSignals_->setMinimumHeight(line * 8);
    pnlHistogram_->setMinimumHeight(line * 8);
    resize(line * 52, line * 38);

    session_ = std::make_unique<StateSession>(link, settings, workstation.texts(), priority, *this);
    link_.onNotificationError = [this](const std::string& message) { session_->notificationFailed(message); };
    statisticsChanged();
}

TfrmState::~TfrmState() {
    link_.onNotificationError = nullptr;
    session_.reset();
}

void TfrmState::setDialogs(const StateWindowDialogs& dialogs) {
    if (dialogs.showError) dialogs_.showError = dialogs.showError;
    if (dialogs.showReport) dialogs_.showReport = dialogs.showReport;
    if (dialogs.showFailure) dialogs_.showFailure = dialogs.showFailure;
}

std::string TfrmState::text(int id) const {
    return workstation_.texts()(id);
}

void TfrmState::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (shown_) return;
    shown_ = true;
    // Opened once the window is on the screen, so that a refusal shows above it.
    QTimer::singleShot(0, this, [this] { FormShow(); });
}

void TfrmState::FormShow() {
    if (closing_) return;
    ensureCanvas();
    session_->open();
}

void TfrmState::ensureCanvas() {
    const QSize size = pnlSignals_->contentsRect().size();
    if (!canvas_.isNull() && canvas_.size() == size) return;
    canvas_ = QPixmap(size.expandedTo(QSize(1, 1)));
    canvas_.fill(color(background_));
    strip_.resize(canvas_.width(), canvas_.height());
}

// ------------------------------------------------------------ the session

void TfrmState::traceSample(std::array<int, 2> adc) {
    ensureCanvas();
    const TraceStep step = strip_.advance(adc);
    if (step.scroll) canvas_.scroll(-1, 0, canvas_.rect());
    QPainter painter(&canvas_);
    if (step.scroll) painter.fillRect(QRect(step.x, 0, canvas_.width() - step.x, canvas_.height()), color(background_));
    for (std::size_t t = 0; t < 2; ++t) {
        painter.setPen(color(colours_[t]));
        if (step.first) {
            painter.drawPoint(step.x, step.toY[t]);
        } else {
            painter.drawLine(step.x - 1, step.fromY[t], step.x, step.toY[t]);
        }
    }
    pnlSignals_->update();
}

void TfrmState::statisticsChanged() {
    lblCount_->setText(qs(core::formatText(text(txt::StateDataReceived),
                                           {static_cast<long long>(session_->statistics().count)})));
    pnlHistogram_->update();
}

void TfrmState::showError(const std::string& message) {
    // Called from inside the driver's notifications: the box waits until they have returned.
    QPointer<TfrmState> self(this);
    QTimer::singleShot(0, this, [self, message] {
        if (!self) return;
        if (self->dialogs_.showError) {
            self->dialogs_.showError(message);
        } else {
            platform::showMessage(self, QMessageBox::Critical, self->windowTitle(), qs(message),
                                  self->workstation_.texts());
        }
    });
}

void TfrmState::showReport(const std::string& report) {
    if (dialogs_.showReport) {
        dialogs_.showReport(report);
        return;
    }
    const QScreen* shown = screen();
    const QPoint corner = shown != nullptr ? shown->availableGeometry().topLeft() : QPoint();
    platform::showMessageAt(this, corner, QMessageBox::Information, windowTitle(), qs(report), workstation_.texts());
}

void TfrmState::showFailure(const std::string& failure) {
    if (dialogs_.showFailure) {
        dialogs_.showFailure(failure);
        return;
    }
    platform::showMessage(this, QMessageBox::Warning, windowTitle(), qs(failure), workstation_.texts());
}

void TfrmState::closeRequested(bool cancelled) {
    if (closing_) return;
    closing_ = true;
    // Posted, so that the event that asked for it (and any box) ends first.
    QMetaObject::invokeMethod(
        this, [this, cancelled] { done(cancelled ? QDialog::Rejected : QDialog::Accepted); }, Qt::QueuedConnection);
}

// ------------------------------------------------------------ keys and buttons

void TfrmState::cmdRestartClick() {
    session_->restart();
}

void TfrmState::cmdFinishClick() {
    session_->finish();
}

void TfrmState::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Space: cmdRestartClick(); return;
    case Qt::Key_Escape: cmdFinishClick(); return;
    default: QDialog::keyPressEvent(event);
    }
}

void TfrmState::reject() {
    // Alt+F4 and the owner's Esc: finishing decides how the window closes.
    if (closing_) {
        QDialog::reject();
        return;
    }
    cmdFinishClick();
}

void TfrmState::closeEvent(QCloseEvent* event) {
    if (closing_) {
        QDialog::closeEvent(event);
        return;
    }
    event->ignore();
    cmdFinishClick();
}

void TfrmState::done(int result) {
    // Any way out passes here: the unit stops and the priority goes back.
    closing_ = true;
    session_->close();
    QDialog::done(result);
}

// ------------------------------------------------------------ painting

void TfrmState::pnlSignalsPaint(QPainter* painter) {
    if (canvas_.isNull()) return;
    painter->drawPixmap(pnlSignals_->contentsRect().topLeft(), canvas_);
}

BoardPicture TfrmState::histogramPicture() const {
    const QFontMetrics measure(histogramFont(pnlHistogram_));
    const QSize size = pnlHistogram_->contentsRect().size();
    return recording::histogramPicture(session_->statistics(), size.width(), size.height(), measure.height(),
                                       [&measure](const std::string& label) {
                                           return measure.horizontalAdvance(qs(label));
                                       });
}

void TfrmState::pnlHistogramPaint(QPainter* painter) {
    painter->translate(pnlHistogram_->contentsRect().topLeft());
    paintBoard(*painter, histogramPicture());
}

}  // namespace lumo::recording::ui
