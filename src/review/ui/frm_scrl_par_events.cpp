// What the parameter scroll view does with the examiner's keys, clicks and
// scrolls, and how its pictures are brought up to date.
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>

#include "platform/qt_text.h"
#include "review/scroll_par_drawing.h"
#include "review/scroll_par_layout.h"
#include "review/scroll_par_view.h"
#include "review/ui/frm_scrl_par.h"
#include "review/ui/scroll_par_canvas.h"
#include "review/ui/scroll_par_chart_buttons.h"
#include "review/ui/scroll_par_scale_list.h"

namespace lumo::review::ui {

using platform::qs;

namespace {

bool plain(const QKeyEvent* event) {
    return (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

// "Q" wherever the keyboard layout puts it: the Cyrillic letter on the same key too.
bool isQuestionKey(const QKeyEvent* event) {
    return plain(event) && (event->key() == Qt::Key_Q || event->key() == 0x0419);
}

}  // namespace

void TfrmScrlPar::redraw(int p) {
    PanelWidgets& w = widgets(p);
    if (w.area->width() <= 0 || w.area->height() <= 0) return;
    // A picture made for another size cannot be moved: it is drawn whole.
    if (w.area->pictureStale()) view_->panel(p).invalidate();
    try {
        w.area->paintStrip(view_->draw(p, QtParMeasure(w.area->chartFont())));
        failed_[static_cast<std::size_t>(p - 1)] = false;
    } catch (const ParDrawingFailure& failure) {
        failed_[static_cast<std::size_t>(p - 1)] = true;
        // Not from inside a paint: the box comes once the paint is over.
        const std::string text = view_->failureText(failure);
        QTimer::singleShot(0, this, [this, text] { tell(QMessageBox::Critical, text); });
    }
    w.area->update();
}

void TfrmScrlPar::redrawIfStale(int p) {
    if (failed_[static_cast<std::size_t>(p - 1)]) return;
    if (view_->panel(p).lastDrawn() < 0 || widgets(p).area->pictureStale()) redraw(p);
}

void TfrmScrlPar::applyScale() {
    const int row = lstScale_->currentRow();
    if (row < 0 || row >= kParScaleCount) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    view_->applyScale(static_cast<ParScale>(row));
    for (int p : {1, 2}) {
        placePanel(p);
        redraw(p);
    }
    QApplication::restoreOverrideCursor();
}

void TfrmScrlPar::switchChart(int p, int digit) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool loaded = view_->chooseChart(p, digit);
    if (loaded) {
        placePanel(p);
        redraw(p);
    }
    showChartButtons(p);
    QApplication::restoreOverrideCursor();
    if (loaded) {
        const std::string problems = view_->problemText(p);
        if (!problems.empty()) tell(QMessageBox::Warning, problems);
    }
}

void TfrmScrlPar::scrolled(int p, int position) {
    failed_[static_cast<std::size_t>(p - 1)] = false;
    if (view_->scrollTo(p, position)) redraw(p);
}

void TfrmScrlPar::toggleGrid(int p) {
    view_->toggleGrid(p);
    widgets(p).grid->setChecked(view_->panel(p).grid());
    failed_[static_cast<std::size_t>(p - 1)] = false;
    redraw(p);
}

void TfrmScrlPar::showInfo(int p, const std::optional<ParInfo>& info) {
    PanelWidgets& w = widgets(p);
    if (!info) {
        w.info->hide();
        w.area->update();
        return;
    }
    const QColor colour(info->colour.red, info->colour.green, info->colour.blue);
    w.info->setStyleSheet(QStringLiteral("QLabel { background: black; color: %1; border: 1px solid yellow;"
                                         " padding: 2px 6px; }")
                              .arg(colour.name()));
    w.info->setText(qs(info->text));
    w.info->adjustSize();
    const QRect panel = w.panel->geometry();
    const ParRect place = infoPanelRect({panel.x(), panel.y(), panel.width(), panel.height()}, w.info->width(),
                                        w.info->height());
    w.info->move(place.x, place.y);
    w.info->raise();
    w.info->show();
}

bool TfrmScrlPar::panelKey(int p, QKeyEvent* event) {
    PanelWidgets& w = widgets(p);
    if (const int digit = chartOfDigitKey(event->key(), event->modifiers())) {
        w.charts->clickDigit(digit);
        return true;
    }
    if (isQuestionKey(event)) {
        showInfo(p, view_->stepInfo(p));
        return true;
    }
    const bool ctrlOnly = (event->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
    if (ctrlOnly && (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right) && w.bar->hasFocus()) {
        // The large step, and then the key acts on the bar as a plain arrow.
        const bool right = event->key() == Qt::Key_Right;
        w.bar->setValue(view_->largeStep(p, right ? +1 : -1));
        w.bar->triggerAction(right ? QAbstractSlider::SliderSingleStepAdd : QAbstractSlider::SliderSingleStepSub);
        return true;
    }
    return false;
}

bool TfrmScrlPar::eventFilter(QObject* watched, QEvent* event) {
    for (int p : {1, 2}) {
        PanelWidgets& w = widgets(p);
        if (watched != w.bar && watched != w.grid) continue;
        if (event->type() == QEvent::KeyPress && panelKey(p, static_cast<QKeyEvent*>(event))) return true;
        if (event->type() == QEvent::FocusIn) {
            view_->focusEntered(p);
            paintHeader(p);
        } else if (event->type() == QEvent::FocusOut) {
            view_->focusLeft(p);
            paintHeader(p);
        }
        return QDialog::eventFilter(watched, event);
    }
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && plain(key);
        if (enter && watched == lstScale_) {
            applyScale();
            return true;
        }
        if (enter && watched == cmdExit_) {
            cmdExit_->click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmScrlPar::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Escape || !plain(event)) {
        QDialog::keyPressEvent(event);
        return;
    }
    switch (view_->escape()) {
        case ParEscape::HideUpper: showInfo(1, std::nullopt); break;
        case ParEscape::HideLower: showInfo(2, std::nullopt); break;
        case ParEscape::Close: reject(); break;
    }
}

bool TfrmScrlPar::event(QEvent* event) {
    if (event->type() == QEvent::WindowDeactivate) deactivated();
    return QDialog::event(event);
}

void TfrmScrlPar::deactivated() {
    view_->deactivate();
    for (int p : {1, 2}) widgets(p).area->update();
}

}  // namespace lumo::review::ui
