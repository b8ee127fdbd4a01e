#include "review/ui/frm_scrl_res.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <utility>

#include "core/texts/core.h"
#include "core/texts/review.h"
#include "core/workstation.h"
#include "platform/dialog_conventions.h"
#include "platform/message_box.h"
#include "platform/qt_text.h"
#include "recording/ui/chart_display.h"
#include "review/scroll_res_view.h"
#include "review/ui/scroll_res_canvas.h"
#include "review/ui/scroll_res_strip.h"

namespace lumo::review::ui {

using platform::qs;

namespace {

constexpr int kLargeStep = 16;

class QtRedrawTimer final : public RedrawTimer {
public:
    explicit QtRedrawTimer(QObject* owner) : timer_(new QTimer(owner)) {
        timer_->setSingleShot(true);
        QObject::connect(timer_, &QTimer::timeout, [this] {
            if (onTimeout) onTimeout();
        });
    }
    void restart(int milliseconds) override { timer_->start(milliseconds); }
    bool active() const override { return timer_->isActive(); }

private:
    QTimer* timer_;
};

ScrlResSteps completed(ScrlResSteps steps, core::Workstation& ws) {
    const core::Texts& texts = ws.texts();
    if (!steps.error) {
        steps.error = [&texts](QWidget* parent, const QString& title, const QString& text) {
            platform::showMessage(parent, QMessageBox::Critical, title, text, texts);
        };
    }
    if (!steps.confirm) {
        steps.confirm = [&texts](QWidget* parent, const QString& title, const QString& text) {
            return platform::askYesNo(parent, title, text, texts);
        };
    }
    if (!steps.print) steps.print = platform::systemPrintSteps(ws);
    if (!steps.information) {
        steps.information = [&texts](QWidget* parent, const QString& title, const QString& text) {
            platform::showMessage(parent, QMessageBox::Information, title, text, texts);
        };
    }
    if (!steps.edfFile) {
        steps.edfFile = [&texts](QWidget* parent, const QString& caption, const QString& proposed) {
            return chooseEdfFile(parent, texts, caption, proposed);
        };
    }
    if (!steps.exportFolder) steps.exportFolder = std::make_shared<std::filesystem::path>();
    if (!steps.makeTimer) steps.makeTimer = [](QObject* owner) { return std::make_unique<QtRedrawTimer>(owner); };
    return steps;
}

}  // namespace

TfrmScrlRes::TfrmScrlRes(core::Workstation& workstation, const std::filesystem::path& chartFile, ScrlResSteps steps,
                         QWidget* parent)
    : QDialog(parent), ws_(workstation), steps_(completed(std::move(steps), workstation)) {
    setObjectName(QStringLiteral("frmScrlRes"));
    setStyleSheet(QStringLiteral("QDialog { background: rgb(64, 64, 64); }"));
    conventions_ = std::make_unique<platform::DialogConventions>(*this, ws_.texts());
    timer_ = steps_.makeTimer(this);
    timer_->onTimeout = [this] {
        view_->redrawAll();
        redraw();
    };

    auto* top = new QHBoxLayout;
    top->setContentsMargins(0, 0, 0, 0);
    top->addWidget(buildChartColumn(), 1);
    top->addWidget(buildPanel());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addLayout(top, 1);
    layout->addWidget(buildBottomRow());
    layout->addWidget(conventions_->hintPanel());
    applyTexts();

    // The review covers the whole screen.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) setGeometry(screen->availableGeometry());
    ScrollResSteps engineSteps;
    // The boxes wait until the window shows what was prepared.
    engineSteps.fillGainsFailed = [this](const std::string& text) { failures_.append(qs(text)); };
    view_ = std::make_unique<ScrollResView>(ws_, engineSteps);
    layOutArea();
    view_->open(chartFile);
    showChart();
    // The area gets its final size when the window is shown: the selected
    // presentation is placed again for it.
    connect(canvas_, &ScrollResCanvas::resized, this, [this] {
        layOutArea();
        if (view_->current() > 0) view_->select(view_->current());
        showChart();
    });
}

TfrmScrlRes::~TfrmScrlRes() = default;

QWidget* TfrmScrlRes::buildChartColumn() {
    auto* column = new QWidget(this);
    chartColumn_ = column;
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    canvas_ = new ScrollResCanvas(column);
    canvas_->setObjectName(QStringLiteral("imgChart"));
    canvas_->installEventFilter(this);
    connect(canvas_, &ScrollResCanvas::columnClicked, this, [this](int column) {
        view_->clickColumn(column);
        showCursor();
    });
    connect(canvas_, &ScrollResCanvas::cursorKey, this, [this](bool right, bool large) {
        const CursorKey key = right ? (large ? CursorKey::CtrlRight : CursorKey::Right)
                                    : (large ? CursorKey::CtrlLeft : CursorKey::Left);
        if (view_->moveCursor(key)) showCursor();
    });
    connect(canvas_, &ScrollResCanvas::digitTyped, this, &TfrmScrlRes::switchChart);
    layout->addWidget(canvas_, 1);

    scrollBar_ = new QScrollBar(Qt::Horizontal, column);
    scrollBar_->setObjectName(QStringLiteral("sbChart"));
    scrollBar_->setPageStep(kLargeStep);
    scrollBar_->installEventFilter(this);
    connect(scrollBar_, &QScrollBar::valueChanged, this, [this](int value) {
        if (filling_) return;
        view_->scrollTo(value);
        redraw();
    });
    layout->addWidget(scrollBar_);

    strip_ = new ScrollResStrip(column);
    strip_->setObjectName(QStringLiteral("tsQuestions"));
    connect(strip_, &QTabBar::currentChanged, this, [this](int index) {
        if (!filling_ && index >= 0) selectPresentation(index + 1);
    });
    layout->addWidget(strip_);

    auto* line = new QWidget(column);
    auto* row = new QHBoxLayout(line);
    row->setContentsMargins(0, 0, 0, 0);
    zoom_ = new QPushButton(line);
    zoom_->setObjectName(QStringLiteral("cmdZoom"));
    connect(zoom_, &QPushButton::clicked, this, &TfrmScrlRes::toggleZoom);
    questionLine_ = new QLabel(line);
    questionLine_->setObjectName(QStringLiteral("lblQuestion"));
    questionLine_->setMinimumWidth(100);
    exclude_ = new QPushButton(line);
    exclude_->setObjectName(QStringLiteral("cmdExclude"));
    connect(exclude_, &QPushButton::clicked, this, &TfrmScrlRes::toggleExclusion);
    row->addWidget(zoom_);
    row->addWidget(questionLine_, 1);
    row->addWidget(exclude_);
    layout->addWidget(line);
    return column;
}

QWidget* TfrmScrlRes::buildBottomRow() {
    auto* bottom = new QWidget(this);
    bottomRow_ = bottom;
    auto* row = new QHBoxLayout(bottom);
    row->setContentsMargins(4, 2, 4, 2);
    chartsLabel_ = new QLabel(bottom);
    chartsLabel_->setStyleSheet(QStringLiteral("color: white;"));
    row->addWidget(chartsLabel_);
    chartGroup_ = new QButtonGroup(this);
    chartGroup_->setExclusive(true);
    for (int d = 1; d <= kReviewChartDigits; ++d) {
        auto* button = new QPushButton(QString::number(d) + QLatin1Char('.'), bottom);
        button->setObjectName(QStringLiteral("sbChart%1").arg(d));
        button->setCheckable(true);
        button->setAutoDefault(false);
        button->setFocusPolicy(Qt::TabFocus);
        chartGroup_->addButton(button, d);
        charts_[static_cast<std::size_t>(d)] = button;
        row->addWidget(button);
    }
    connect(chartGroup_, &QButtonGroup::idClicked, this, [this](int digit) {
        if (!filling_) switchChart(digit);
    });
    row->addStretch(1);
    print_ = new QPushButton(bottom);
    print_->setObjectName(QStringLiteral("cmdPrint"));
    print_->setAutoDefault(false);
    connect(print_, &QPushButton::clicked, this, [this] { printChart(); });
    export_ = new QPushButton(bottom);
    export_->setObjectName(QStringLiteral("cmdExportEdf"));
    export_->setAutoDefault(false);
    connect(export_, &QPushButton::clicked, this, [this] { exportEdf(); });
    exit_ = new QPushButton(bottom);
    exit_->setObjectName(QStringLiteral("cmdExit"));
    exit_->setAutoDefault(false);
    connect(exit_, &QPushButton::clicked, this, [this] { done(QDialog::Accepted); });
    row->addWidget(print_);
    row->addWidget(export_);
    row->addWidget(exit_);
    return bottom;
}

void TfrmScrlRes::applyTexts() {
    const core::Texts& texts = ws_.texts();
    canvas_->setAccessibleName(qs(texts(txt::ScrlResChartArea)));
    conventions_->setHint(canvas_, texts(txt::ScrlResChartAreaHint));
    scrollBar_->setAccessibleName(qs(texts(txt::ScrlResPosition)));
    strip_->setAccessibleName(qs(texts(txt::ScrlResQuestions)));
    zoom_->setText(qs(texts(txt::ScrlResZoom)));
    conventions_->setHint(zoom_, texts(txt::ScrlResZoomHint));
    exclude_->setText(qs(texts(txt::ScrlResExclude)));
    conventions_->setHint(exclude_, texts(txt::ScrlResExcludeHint));
    chartsLabel_->setText(qs(texts(txt::ReviewCharts)));
    print_->setText(qs(texts(txt::ButtonPrint)));
    conventions_->setHint(print_, texts(txt::ScrlResPrintHint));
    export_->setText(qs(texts(txt::ScrlResExportEdf)));
    export_->setAccessibleName(export_->text());
    conventions_->setHint(export_, texts(txt::ScrlResExportEdfHint));
    exit_->setText(qs(texts(txt::ButtonExit)));
    conventions_->setHint(exit_, texts(txt::ReviewExitHint));
    pages_->setTabText(0, qs(texts(txt::ScrlResCalcPage)));
    pages_->setTabText(1, qs(texts(txt::ScrlResEditPage)));
    secondsLabel_->setText(qs(texts(txt::ScrlResSeconds)));
    seconds_->setAccessibleName(secondsLabel_->text());
    sumLabel_->setText(qs(texts(txt::ScrlResSum)));
    sum_->setAccessibleName(sumLabel_->text());
    printText_->setAccessibleName(qs(texts(txt::ScrlResPrintAbort)));
}

void TfrmScrlRes::layOutArea() {
    if (QLayout* own = layout()) own->activate();
    view_->setArea(canvas_->width(), canvas_->height(), recording::ui::paperResolution(screen(), ws_.settings()));
}

void TfrmScrlRes::showChart() {
    filling_ = true;
    setWindowTitle(qs(view_->caption()));
    for (int d = 1; d <= kReviewChartDigits; ++d) {
        charts_[static_cast<std::size_t>(d)]->setEnabled(view_->chartEnabled(d));
        charts_[static_cast<std::size_t>(d)]->setChecked(d == view_->chartDigit());
    }
    std::vector<QString> tabs;
    std::vector<QColor> colours;
    for (int i = 1; i <= view_->presentationCount(); ++i) {
        const Presentation& p = view_->presentation(i);
        tabs.push_back(qs(p.sign));
        colours.push_back(QColor(p.colour.red, p.colour.green, p.colour.blue));
    }
    strip_->setTabs(tabs, colours);
    filling_ = false;
    showPanelTexts();
    placeGainFields();
    showSelection();
}

void TfrmScrlRes::reportFailures() {
    const QStringList failures = std::exchange(failures_, {});
    for (const QString& text : failures) steps_.error(this, windowTitle(), text);
}

void TfrmScrlRes::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    QTimer::singleShot(0, this, &TfrmScrlRes::reportFailures);
}

void TfrmScrlRes::showSelection() {
    filling_ = true;
    const int current = view_->current();
    if (current > 0) strip_->setCurrentIndex(current - 1);
    scrollBar_->setVisible(view_->scrollBarShown());
    scrollBar_->setRange(0, view_->scrollMaximum());
    scrollBar_->setValue(view_->scrollPosition());
    questionLine_->setText(qs(view_->questionLine()));
    questionLine_->setStyleSheet(colourSheet(view_->questionLineColour()));
    const bool any = current > 0;
    zoom_->setEnabled(true);
    exclude_->setEnabled(any);
    filling_ = false;
    showHandScores();
    redraw();
    canvas_->setFocus(Qt::OtherFocusReason);
}

void TfrmScrlRes::redraw() {
    const PixelTextMeasure measure(*canvas_);
    canvas_->apply(view_->draw(measure, labelStyle_), labelStyle_);
    showCursor();
}

void TfrmScrlRes::selectPresentation(int index) {
    view_->select(index);
    showSelection();
}

void TfrmScrlRes::toggleExclusion() {
    if (view_->current() == 0) return;
    view_->toggleExclusion();
    const Presentation& p = view_->presentation(view_->current());
    strip_->setTabColour(view_->current() - 1, QColor(p.colour.red, p.colour.green, p.colour.blue));
    showSelection();
}

void TfrmScrlRes::toggleZoom() {
    view_->toggleZoom();
    showSelection();
}

void TfrmScrlRes::switchChart(int digit) {
    if (!view_->chartEnabled(digit) || digit == view_->chartDigit()) {
        showChart();
        return;
    }
    try {
        view_->switchChart(digit);
    } catch (const std::exception& error) {
        steps_.error(this, windowTitle(), qs(ws_.texts()(txt::ScrlResChartFailed)) + QLatin1Char('\n') + qs(error.what()));
    }
    showChart();
    reportFailures();
}

bool TfrmScrlRes::saveChart() {
    try {
        view_->close();
        return true;
    } catch (const std::exception& error) {
        steps_.error(this, windowTitle(), qs(ws_.texts()(txt::ScrlResSaveFailed)) + QLatin1Char('\n') + qs(error.what()));
        return false;
    }
}

void TfrmScrlRes::done(int result) {
    if (printing_) return;
    if (!closing_) {
        // Nothing the examiner entered is left behind: a failed save keeps the view open.
        if (!saveChart()) return;
        closing_ = true;
        if (steps_.quitHelp) steps_.quitHelp();
    }
    QDialog::done(result);
}

void TfrmScrlRes::closeEvent(QCloseEvent* event) {
    if (printing_ || (!closing_ && !saveChart())) {
        event->ignore();
        return;
    }
    if (!closing_) {
        closing_ = true;
        if (steps_.quitHelp) steps_.quitHelp();
    }
    QDialog::closeEvent(event);
}

void TfrmScrlRes::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (printing_) {
        if (event->key() == Qt::Key_Escape) printAborted_ = true;
        return;
    }
    if (modifiers == Qt::NoModifier) {
        switch (event->key()) {
            case Qt::Key_Escape: done(QDialog::Rejected); return;
            case Qt::Key_F3: toggleZoom(); return;
            case Qt::Key_Delete: toggleExclusion(); return;
            case Qt::Key_Return:
            case Qt::Key_Enter: return;  // the review has no OK action
            default:
                if (event->key() >= Qt::Key_1 && event->key() <= Qt::Key_9) {
                    switchChart(event->key() - Qt::Key_0);
                    return;
                }
                break;
        }
    }
    QDialog::keyPressEvent(event);
}

bool TfrmScrlRes::eventFilter(QObject* watched, QEvent* event) {
    if (watched == scrollBar_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->modifiers() & Qt::ControlModifier) && (key->key() == Qt::Key_Left || key->key() == Qt::Key_Right)) {
            scrollBar_->setValue(scrollBar_->value() + (key->key() == Qt::Key_Right ? kLargeStep : -kLargeStep));
            return true;
        }
    }
    return fieldEvent(watched, event) || QDialog::eventFilter(watched, event);
}

}  // namespace lumo::review::ui
