#include "admin/ui/archive_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "core/texts/admin.h"
#include "core/texts/core.h"
#include "core/ui/qt_text.h"
#include "core/workstation.h"
#include "platform/message_box.h"

namespace lumo::admin::ui {

using core::ui::qs;

TfrmArchive::TfrmArchive(core::Workstation& workstation, core::TSubj subject, char driveLetter,
                         std::filesystem::path target, QWidget* parent)
    : QDialog(parent),
      ws_(workstation),
      subject_(std::move(subject)),
      drive_(driveLetter),
      target_(std::move(target)),
      prompts_(defaultPrompts()) {
    setObjectName("frmArchive");
    setWindowTitle(qs(ws_.texts()(txt::ArchiveCaption)));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint & ~Qt::WindowCloseButtonHint);
    auto* layout = new QVBoxLayout(this);
    status_ = new QLabel(this);
    status_->setObjectName("lblStatus");
    status_->setMinimumWidth(fontMetrics().averageCharWidth() * 48);
    gauge_ = new QProgressBar(this);
    gauge_->setObjectName("ggProgress");
    gauge_->setRange(0, 1);
    gauge_->setValue(0);
    layout->addWidget(status_);
    layout->addWidget(gauge_);
}

ArchivePrompts TfrmArchive::defaultPrompts() {
    const auto box = [this](QMessageBox::Icon icon, const QString& text, QMessageBox::StandardButtons buttons) {
        return platform::showMessage(this, icon, windowTitle(), text, ws_.texts(), buttons);
    };
    ArchivePrompts prompts;
    prompts.confirm = [box](const QString& text) {
        return box(QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    };
    prompts.inform = [box](const QString& text) { box(QMessageBox::Information, text, QMessageBox::Ok); };
    prompts.askRetry = [box](const QString& text) {
        return box(QMessageBox::Warning, text, QMessageBox::Abort | QMessageBox::Retry) == QMessageBox::Retry;
    };
    prompts.error = [box](const QString& text) { box(QMessageBox::Critical, text, QMessageBox::Ok); };
    return prompts;
}

void TfrmArchive::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!started_) {
        started_ = true;
        // After the window is painted, not inside the show.
        QTimer::singleShot(0, this, [this] { FormActivate(); });
    }
}

void TfrmArchive::FormActivate() {
    running_ = true;
    Archiver archiver(ws_, *this, subject_, drive_, target_);
    // Nothing may escape into the message loop: whatever the archiver did not
    // report itself is shown here, and the window closes all the same.
    try {
        result_ = archiver.run();
    } catch (const std::exception& error) {
        result_ = Archiver::Result::Failed;
        showError(error.what());
    }
    running_ = false;
    accept();
}

void TfrmArchive::closeEvent(QCloseEvent* event) {
    if (running_) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void TfrmArchive::reject() {
    if (!running_) QDialog::reject();
}

void TfrmArchive::showStatus(const std::string& text) {
    status_->setText(qs(text));
    gauge_->setValue(0);
    yield();
}

void TfrmArchive::showGauge(int position, int maximum) {
    gauge_->setRange(0, std::max(maximum, 1));
    gauge_->setValue(std::clamp(position, 0, std::max(maximum, 1)));
}

bool TfrmArchive::confirm(const std::string& text) {
    return prompts_.confirm && prompts_.confirm(qs(text));
}

void TfrmArchive::inform(const std::string& text) {
    if (prompts_.inform) prompts_.inform(qs(text));
}

bool TfrmArchive::askRetry(const std::string& text) {
    return prompts_.askRetry && prompts_.askRetry(qs(text));
}

void TfrmArchive::showError(const std::string& text) {
    if (prompts_.error) prompts_.error(qs(text));
}

void TfrmArchive::yield() {
    QCoreApplication::processEvents();
}

}  // namespace lumo::admin::ui
