#include "recording/ui/frm_test.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "core/settings.h"
#include "core/string_table.h"
#include "core/text_format.h"
#include "core/texts/recording.h"
#include "core/ui/qt_text.h"
#include "core/workstation.h"
#include "recording/test_window_rules.h"
#include "recording/ui/channel_edit.h"
#include "recording/ui/chart_display.h"
#include "recording/ui/paint_panels.h"

namespace lumo::recording::ui {

using core::ui::qs;

namespace {

QColor toColour(const core::Rgb& rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

// Black panels with light text, as the chart around them.
void darken(QWidget* widget, const QColor& text = Qt::white) {
    QPalette pal = widget->palette();
    pal.setColor(QPalette::Window, Qt::black);
    pal.setColor(QPalette::Base, Qt::black);
    pal.setColor(QPalette::WindowText, text);
    pal.setColor(QPalette::Text, text);
    widget->setPalette(pal);
    widget->setAutoFillBackground(true);
}

WindowKey windowKey(int key) {
    switch (key) {
    case Qt::Key_Space: return WindowKey::Space;
    case Qt::Key_Right: return WindowKey::Right;
    case Qt::Key_Left: return WindowKey::Left;
    case Qt::Key_F1: return WindowKey::F1;
    case Qt::Key_F2: return WindowKey::F2;
    case Qt::Key_F3: return WindowKey::F3;
    case Qt::Key_F4: return WindowKey::F4;
    case Qt::Key_F5: return WindowKey::F5;
    case Qt::Key_F6: return WindowKey::F6;
    case Qt::Key_F7: return WindowKey::F7;
    case Qt::Key_F8: return WindowKey::F8;
    case Qt::Key_F9: return WindowKey::F9;
    case Qt::Key_Escape: return WindowKey::Escape;
    case Qt::Key_Return:
    case Qt::Key_Enter: return WindowKey::Enter;
    default: return WindowKey::Other;
    }
}

}  // namespace

TfrmTest::TfrmTest(core::Workstation& workstation, device::SerialLink& link, TestTimers& timers,
                   ProcessPriority& priority, TestRunSetup setup, QWidget* parent)
    : QDialog(parent),
      workstation_(workstation),
      link_(link),
      messagePanel_(workstation.texts()(txt::TestPaused)) {
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    try {
        displaySettings_ = readDisplaySettings(workstation.settings());
    } catch (const std::exception& error) {
        // Reported when the window opens; the test does not start.
        settingsError_ = error.what();
    }
    const double resolution = paperResolution(screen(), workstation.settings());

    auto* top = new QHBoxLayout;
    top->setContentsMargins(0, 0, 0, 0);
    top->setSpacing(0);
    list_ = new QListWidget(this);
    darken(list_);
    QFont listFont("Monospace");
    listFont.setStyleHint(QFont::TypeWriter);
    listFont.setBold(true);
    list_->setFont(listFont);
    list_->setFixedWidth(QFontMetrics(listFont).horizontalAdvance("MMM  3") + 28);
    list_->setToolTip(qs(text(txt::TestQuestionListHint)));
    list_->setAccessibleName(list_->toolTip());
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!filling_ && row >= 0 && run_) run_->selectQuestion(row);
    });
    top->addWidget(list_);
    labelColumn_ = new QWidget(this);
    darken(labelColumn_);
    labelColumn_->setFixedWidth(132);
    top->addWidget(labelColumn_);
    display_ = new ChartDisplay(displaySettings_, resolution, this);
    display_->setMinimumSize(200, 200);
    connect(display_, &ChartDisplay::bandsChanged, this, &TfrmTest::placeLabels);
    top->addWidget(display_, 1);
    buildLabels(labelColumn_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(top, 1);
    layout->addWidget(buildBottom());
    darken(this);

    run_ = std::make_unique<TestRun>(workstation, link, timers, priority, *this, std::move(setup));
    const std::array<std::string, 4> captions = readArtefactCaptions(workstation.settings());
    for (std::size_t i = 0; i < artefacts_.size(); ++i) {
        artefacts_[i]->setText(qs(captions[i]) + QString(" (F%1)").arg(i + 5));
    }
    resize(1024, 768);
}

TfrmTest::~TfrmTest() {
    // The run's closing asks this window for the display scale: it goes first.
    if (qApp != nullptr) qApp->removeEventFilter(this);
    run_.reset();
}

void TfrmTest::setDialogs(const TestWindowDialogs& dialogs) {
    if (dialogs.confirm) dialogs_.confirm = dialogs.confirm;
    if (dialogs.askContinue) dialogs_.askContinue = dialogs.askContinue;
    if (dialogs.askKeepChart) dialogs_.askKeepChart = dialogs.askKeepChart;
    if (dialogs.showError) dialogs_.showError = dialogs.showError;
    if (dialogs.showInformation) dialogs_.showInformation = dialogs.showInformation;
}

std::string TfrmTest::text(int id) const {
    return workstation_.texts()(id);
}

QWidget* TfrmTest::buildBottom() {
    auto* bottom = new QWidget(this);
    auto* row = new QHBoxLayout(bottom);
    row->setContentsMargins(4, 4, 4, 4);

    QFont big = font();
    big.setPointSize(std::max(12, big.pointSize() + 4));
    big.setBold(true);
    message_ = new TWrapPanel(bottom);
    resistance_ = new TWrapPanel(bottom);
    for (TWrapPanel* panel : {message_, resistance_}) {
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setFixedSize(150, 64);
        panel->label()->setFont(big);
        panel->setToolTip(qs(text(txt::TestResistanceHint)));
        darken(panel, QColor(255, 255, 0));
        panel->installEventFilter(this);
        panel->label()->installEventFilter(this);
        row->addWidget(panel);
    }
    resistance_->hide();

    auto* lines = new QVBoxLayout;
    line1_ = new QLabel(bottom);
    line2_ = new QLabel(bottom);
    QFont textFont = font();
    textFont.setPointSize(textFont.pointSize() + 1);
    textFont.setBold(true);
    for (QLabel* line : {line1_, line2_}) {
        line->setFont(textFont);
        line->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        darken(line);
        line->setMinimumWidth(200);
        lines->addWidget(line);
    }
    row->addLayout(lines, 1);

    auto* waitBox = new QVBoxLayout;
    wait_ = new QLabel(bottom);
    wait_->setAlignment(Qt::AlignCenter);
    progress_ = new QProgressBar(bottom);
    progress_->setTextVisible(false);
    progress_->setFixedWidth(160);
    progress_->setRange(0, 1);
    progress_->setValue(0);
    waitBox->addWidget(wait_);
    waitBox->addWidget(progress_);
    row->addLayout(waitBox);

    auto* keys = new QGridLayout;
    auto makeButton = [&](const QString& caption, int hint, TestKey key) {
        auto* b = new QPushButton(caption, bottom);
        b->setFocusPolicy(Qt::NoFocus);
        b->setToolTip(qs(core::shortHint(text(hint))));
        connect(b, &QPushButton::clicked, this, [this, key] { pressKeyButton(key); });
        return b;
    };
    ask_ = makeButton("!", txt::TestAskHint, TestKey::Space);
    yes_ = makeButton("+", txt::TestYesHint, TestKey::Right);
    no_ = makeButton("-", txt::TestNoHint, TestKey::Left);
    abort_ = makeButton("X", txt::TestAbortHint, TestKey::Escape);
    for (QPushButton* b : {ask_, yes_, no_, abort_}) {
        b->setFont(big);
        b->setFixedSize(44, 32);
    }
    keys->addWidget(ask_, 0, 0);
    keys->addWidget(yes_, 0, 1);
    keys->addWidget(no_, 0, 2);
    keys->addWidget(abort_, 0, 3);
    const TestKey artefactKeys[] = {TestKey::F5, TestKey::F6, TestKey::F7, TestKey::F8};
    for (int i = 0; i < 4; ++i) {
        artefacts_[static_cast<std::size_t>(i)] = makeButton("", txt::TestArtefactHint, artefactKeys[i]);
        keys->addWidget(artefacts_[static_cast<std::size_t>(i)], 1 + i / 2, (i % 2) * 2, 1, 2);
    }
    row->addLayout(keys);

    auto* controls = new QVBoxLayout;
    speedList_ = new QComboBox(bottom);
    speedList_->setFocusPolicy(Qt::NoFocus);
    for (int id : {txt::DisplaySpeed1, txt::DisplaySpeed2, txt::DisplaySpeed3, txt::DisplaySpeed4}) {
        speedList_->addItem(qs(text(id)));
    }
    speedList_->setToolTip(qs(core::shortHint(text(txt::DisplaySpeedHint))));
    speedList_->setCurrentIndex(display_->model().speedEntry());
    connect(speedList_, &QComboBox::currentIndexChanged, this, &TfrmTest::speedSelected);
    centre_ = new QPushButton(QString::fromUtf8("\u2195 (F3)"), bottom);
    centre_->setFocusPolicy(Qt::NoFocus);
    centre_->setToolTip(qs(core::shortHint(text(txt::DisplayCentringHint))));
    connect(centre_, &QPushButton::clicked, this, [this] { pressKeyButton(TestKey::F3); });
    unit_ = new QPushButton(QString::fromUtf8("\u25A3 (F2)"), bottom);
    unit_->setFocusPolicy(Qt::NoFocus);
    unit_->setToolTip(qs(core::shortHint(text(txt::TestUnitHint))));
    connect(unit_, &QPushButton::clicked, this, [this] { pressKeyButton(TestKey::F2); });
    controls->addWidget(speedList_);
    auto* pair = new QHBoxLayout;
    pair->addWidget(centre_);
    pair->addWidget(unit_);
    controls->addLayout(pair);
    row->addLayout(controls);

    auto* clock = new QVBoxLayout;
    timeRemained_ = new QLabel(qs(text(txt::TestTimeRemained)), bottom);
    timeRemained_->setAlignment(Qt::AlignCenter);
    time_ = new QLabel("600", bottom);
    time_->setFont(big);
    time_->setAlignment(Qt::AlignCenter);
    time_->setFrameShape(QFrame::Panel);
    time_->setFrameShadow(QFrame::Sunken);
    darken(time_, QColor(0, 255, 0));
    clock->addWidget(timeRemained_);
    clock->addWidget(time_);
    row->addLayout(clock);
    return bottom;
}

void TfrmTest::buildLabels(QWidget* column) {
    filling_ = true;
    for (int i = 0; i < kDisplayChannels; ++i) {
        const DisplayChannelSettings& s = displaySettings_.channels[static_cast<std::size_t>(i)];
        auto* label = new TChannelEdit(column);
        label->setMinValue(0);
        label->setMaxValue(9);
        label->setCheckBounds(true);
        label->setEditorEnabled(false);
        label->setReadOnly(true);  // the name is not typed here
        label->setFocusPolicy(Qt::ClickFocus);
        label->setText(qs(s.name));
        label->setAccessibleName(label->text());  // the edit shows its channel's name
        label->setTagNumber(s.position);
        label->setBkColor(Qt::black);
        QPalette pal = label->palette();
        pal.setColor(QPalette::Base, Qt::black);
        pal.setColor(QPalette::Text, toColour(s.colour));
        label->setPalette(pal);
        label->setValue(display_->model().gain(i));
        label->setVisible(s.visible);
        label->resize(column->width() - 4, label->minimumHeight());
        // First the eight equal places; placeLabels then moves each to its band.
        label->move(2, s.position * std::max(1, column->height()) / kDisplayChannels);
        connect(label, &TChannelEdit::OnValueChange, this, [this, i](int v) { gainChanged(i, v); });
        connect(label, &TChannelEdit::mousePressed, this,
                [this, i](Qt::MouseButton b, int y) { labelPressed(i, b, y); });
        connect(label, &TChannelEdit::mouseMoved, this, [this, i](int y) { labelMoved(i, y); });
        connect(label, &TChannelEdit::mouseReleased, this, [this](Qt::MouseButton, int) { dragging_ = -1; });
        labels_[static_cast<std::size_t>(i)] = label;
    }
    filling_ = false;
}

void TfrmTest::placeLabels() {
    const int height = display_->height();
    for (int i = 0; i < kDisplayChannels; ++i) {
        TChannelEdit* label = labels_[static_cast<std::size_t>(i)];
        if (label == nullptr) continue;
        const int h = label->height();
        const int y = std::clamp(display_->model().labelCentre(i) - h / 2, 0, std::max(0, height - h));
        label->setGeometry(2, y, labelColumn_->width() - 4, h);
    }
}

void TfrmTest::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    placeLabels();
}

void TfrmTest::labelPressed(int channel, Qt::MouseButton button, int globalY) {
    if (button == Qt::RightButton) {
        const std::vector<formats::ScreenEvent> events = display_->centreChannel(channel);
        if (run_) run_->addScreenEvents(events);
    } else if (button == Qt::LeftButton) {
        dragging_ = channel;
        dragY_ = globalY;
    }
}

void TfrmTest::labelMoved(int channel, int globalY) {
    if (dragging_ != channel) return;
    const int half = labels_[static_cast<std::size_t>(channel)]->height() / 2;
    const int before = display_->model().dragOffset(channel);
    const std::vector<formats::ScreenEvent> events =
        display_->dragChannel(channel, globalY - dragY_, half, display_->height() - half);
    // Past the edge the label waits until the mouse comes back.
    dragY_ += display_->model().dragOffset(channel) - before;
    placeLabels();
    if (run_) run_->addScreenEvents(events);
}

void TfrmTest::gainChanged(int channel, int value) {
    if (filling_) return;
    std::vector<formats::ScreenEvent> events;
    const int now = display_->changeGain(channel, value, events);
    if (now != value) {
        filling_ = true;
        labels_[static_cast<std::size_t>(channel)]->setValue(now);
        filling_ = false;
    }
    if (run_) run_->addScreenEvents(events);
}

void TfrmTest::speedSelected(int entry) {
    if (filling_ || entry < 0) return;
    display_->setSpeed(entry);
    if (run_) run_->speedChanged(entry);
}

void TfrmTest::pressKeyButton(TestKey key) {
    if (run_) run_->keyPressed(key);
}

void TfrmTest::toggleResistance() {
    const bool toResistance = message_->isVisible();
    message_->setVisible(!toResistance);
    resistance_->setVisible(toResistance);
}

bool TfrmTest::handleKey(int key, Qt::KeyboardModifiers modifiers) {
    const KeyRoute route =
        routeWindowKey(windowKey(key), modifiers.testFlag(Qt::AltModifier), run_ && run_->paused());
    if (route.toRun && run_ && !closing_) run_->keyPressed(*route.toRun);
    return route.taken;
}

bool TfrmTest::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress &&
        (watched == message_ || watched == resistance_ || watched == message_->label() ||
         watched == resistance_->label())) {
        toggleResistance();
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget != nullptr && widget->window() == this && isVisible()) {
            auto* key = static_cast<QKeyEvent*>(event);
            return handleKey(key->key(), key->modifiers());
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmTest::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (opened_) return;
    opened_ = true;
    qApp->installEventFilter(this);
    display_->ensureCanvas();
    placeLabels();
    if (settingsError_) {
        showError(core::formatText(text(txt::TestInitError), {*settingsError_}));
        closeRequested(true);
        return;
    }
    run_->open();
}

void TfrmTest::closeEvent(QCloseEvent* event) {
    if (closing_ || !opened_) {
        QDialog::closeEvent(event);
        return;
    }
    // The window's close box acts as Esc: the run decides.
    event->ignore();
    handleKey(Qt::Key_Escape, Qt::NoModifier);
}

void TfrmTest::reject() {
    if (closing_) {
        QDialog::reject();
        return;
    }
    handleKey(Qt::Key_Escape, Qt::NoModifier);
}

void TfrmTest::done(int result) {
    closing_ = true;
    qApp->removeEventFilter(this);
    if (run_) run_->close();
    QDialog::done(result);
}

void TfrmTest::closeRequested(bool cancelled) {
    if (closing_) return;
    closing_ = true;
    // Posted, so the event that asked for it ends first.
    QMetaObject::invokeMethod(
        this, [this, cancelled] { done(cancelled ? QDialog::Rejected : QDialog::Accepted); }, Qt::QueuedConnection);
}

}  // namespace lumo::recording::ui
