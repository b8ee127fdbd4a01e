#include "core/ui/progress_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

namespace lumo::core::ui {

namespace {

// The client area the gauge fills.
constexpr int kClientWidth = 578;
constexpr int kClientHeight = 32;

}  // namespace

TfrmProgress::TfrmProgress(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), gauge_(new QProgressBar(this)) {
    setObjectName("frmProgress");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(gauge_);
    gauge_->setTextVisible(false);
    gauge_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    gauge_->setRange(0, kProgressMaximum);
    gauge_->setStyleSheet(
        "QProgressBar { background: #ffff00; border: none; }"
        "QProgressBar::chunk { background: #ff0000; }");
    setFixedSize(kClientWidth, kClientHeight);
}

void TfrmProgress::showProgress(const std::string& caption, int maximum) {
    setWindowTitle(QString::fromStdString(caption));
    gauge_->setRange(0, maximum);
    gauge_->setValue(0);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    show();
    QCoreApplication::processEvents();
}

void TfrmProgress::setProgress(int position) {
    gauge_->setValue(position);
    QCoreApplication::processEvents();
}

void TfrmProgress::hideProgress() {
    hide();
    QCoreApplication::processEvents();
}

int TfrmProgress::position() const {
    return gauge_->value();
}

int TfrmProgress::maximum() const {
    return gauge_->maximum();
}

void TfrmProgress::closeEvent(QCloseEvent* event) {
    event->ignore();
}

}  // namespace lumo::core::ui
