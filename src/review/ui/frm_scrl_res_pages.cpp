// The right-hand panel of the scrolling review (the Calc page with the
// readouts and hand scores, the Edit page with the gain fields) and the
// printing with its progress panel.
#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "core/texts/review.h"
#include "formats/review_display.h"
#include "core/workstation.h"
#include "platform/dialog_conventions.h"
#include "platform/qt_text.h"
#include "recording/ui/channel_edit.h"
#include "review/scroll_res_print.h"
#include "review/scroll_res_view.h"
#include "review/ui/frm_scrl_res.h"
#include "review/ui/scroll_res_canvas.h"
#include "review/ui/scroll_res_printing.h"

namespace lumo::review::ui {

using platform::qs;

namespace {

constexpr int kPanelWidth = 230;
constexpr int kPageStep = 10;
constexpr int kRedrawDelay = 750;

}  // namespace

QWidget* TfrmScrlRes::buildPanel() {
    pages_ = new QTabWidget(this);
    pages_->setObjectName(QStringLiteral("pcPages"));
    pages_->setFixedWidth(kPanelWidth);
    pages_->addTab(buildCalcPage(), QString());
    pages_->addTab(buildEditPage(), QString());

    printPanel_ = new QFrame(this);
    printPanel_->setObjectName(QStringLiteral("pnlPrint"));
    printPanel_->setFrameShape(QFrame::Box);
    printPanel_->setStyleSheet(QStringLiteral("QFrame#pnlPrint { background: navy; } QLabel { color: white; }"));
    auto* layout = new QVBoxLayout(printPanel_);
    printText_ = new QLabel(printPanel_);
    printText_->setWordWrap(true);
    printProgress_ = new QProgressBar(printPanel_);
    printProgress_->setObjectName(QStringLiteral("pbPrint"));
    layout->addWidget(printText_);
    layout->addWidget(printProgress_);
    printPanel_->hide();
    return pages_;
}

QWidget* TfrmScrlRes::buildCalcPage() {
    auto* page = new QWidget;
    page->setStyleSheet(QStringLiteral("background: black;"));
    auto* layout = new QVBoxLayout(page);
    layout->setSpacing(3);
    for (std::size_t slot = 0; slot < readouts_.size(); ++slot) {
        readouts_[slot] = new QLabel(page);
        readouts_[slot]->setObjectName(QStringLiteral("pnlValue%1").arg(slot));
        readouts_[slot]->setFrameShape(QFrame::Panel);
        layout->addWidget(readouts_[slot]);
    }
    secondsLabel_ = new QLabel(page);
    secondsLabel_->setStyleSheet(QStringLiteral("color: white;"));
    seconds_ = new QLabel(page);
    seconds_->setObjectName(QStringLiteral("pnlSeconds"));
    seconds_->setFrameShape(QFrame::Panel);
    seconds_->setStyleSheet(QStringLiteral("color: white;"));
    layout->addWidget(secondsLabel_);
    layout->addWidget(seconds_);
    layout->addSpacing(12);

    auto* scores = new QGridLayout;
    const char* backgrounds[] = {"aqua", "yellow", "red"};
    for (int f = 0; f < kHandScoreFields; ++f) {
        const auto i = static_cast<std::size_t>(f);
        handFields_[i] = new QSpinBox(page);
        handFields_[i]->setObjectName(QStringLiteral("seHand%1").arg(f + 1));
        handFields_[i]->setRange(kLowestHandScore, kHighestHandScore);
        handFields_[i]->setStyleSheet(QStringLiteral("background: white; color: black;"));
        handLabels_[i] = conventions_->makeLabel("", handFields_[i]);
        handLabels_[i]->setStyleSheet(QStringLiteral("color: black; background: %1;").arg(QLatin1String(backgrounds[f])));
        conventions_->setHint(handFields_[i], ws_.texts()(txt::ScrlResHandScoreHint));
        scores->addWidget(handLabels_[i], f, 0);
        scores->addWidget(handFields_[i], f, 1);
        connect(handFields_[i], &QSpinBox::valueChanged, this, [this, f](int value) {
            if (filling_) return;
            view_->setHandScore(f, value);
            sum_->setText(qs(view_->handScores().sum));
        });
    }
    sumLabel_ = new QLabel(page);
    sumLabel_->setStyleSheet(QStringLiteral("color: white;"));
    sum_ = new QLabel(page);
    sum_->setObjectName(QStringLiteral("pnlSum"));
    sum_->setFrameShape(QFrame::Panel);
    sum_->setStyleSheet(QStringLiteral("color: white;"));
    scores->addWidget(sumLabel_, kHandScoreFields, 0);
    scores->addWidget(sum_, kHandScoreFields, 1);
    layout->addLayout(scores);
    layout->addStretch(1);
    return page;
}

QWidget* TfrmScrlRes::buildEditPage() {
    editPage_ = new QWidget;
    editPage_->setStyleSheet(QStringLiteral("background: black;"));
    for (std::size_t c = 0; c < gainFields_.size(); ++c) {
        auto* field = new recording::ui::TChannelEditBiDir(editPage_);
        field->setObjectName(QStringLiteral("che%1").arg(c));
        field->setDirection(recording::ui::TChannelEditDirection::dirRight2Left);
        field->setMinValue(-formats::kReviewUnitGainCode);
        field->setMaxValue(formats::kReviewUnitGainCode);
        field->setCheckBounds(true);
        field->setEditorEnabled(false);
        field->setTagNumber(static_cast<int>(c));
        conventions_->setHint(field, ws_.texts()(txt::ScrlResGainHint));
        field->installEventFilter(this);
        const int channel = static_cast<int>(c);
        connect(field, &recording::ui::TChannelEdit::OnValueChange, this, [this, channel](int value) {
            if (filling_) return;
            view_->setGainNumber(channel, value);
            gainsChanged();
        });
        connect(field, &recording::ui::TChannelEdit::mousePressed, this, [this, channel](Qt::MouseButton button, int y) {
            if (button != Qt::LeftButton) return;
            dragChannel_ = channel;
            dragY_ = y;
        });
        connect(field, &recording::ui::TChannelEdit::mouseMoved, this, [this](int y) {
            if (dragChannel_ < 0) return;
            moveField(dragChannel_, y - dragY_);
            dragY_ = y;
        });
        connect(field, &recording::ui::TChannelEdit::mouseReleased, this, [this](Qt::MouseButton, int) { dragChannel_ = -1; });
        field->hide();
        gainFields_[c] = field;
    }
    return editPage_;
}

void TfrmScrlRes::showPanelTexts() {
    const ScrollResSettings& settings = view_->settings();
    const std::vector<Readout> readouts = view_->readouts();
    for (std::size_t slot = 0; slot < readouts_.size(); ++slot) {
        QLabel* panel = readouts_[slot];
        const bool used = slot < readouts.size() && readouts[slot].shown;
        panel->setVisible(used);
        if (slot < readouts.size()) {
            const int channel = readouts[slot].channel;
            panel->setAccessibleName(qs(settings.channels[static_cast<std::size_t>(channel)].name));
            panel->setStyleSheet(colourSheet(readouts[slot].colour));
        }
    }
    for (std::size_t c = 0; c < gainFields_.size(); ++c) {
        const QString name = qs(settings.channels[c].name);
        gainFields_[c]->setText(name);
        gainFields_[c]->setAccessibleName(name);
    }
    const std::array<std::string, kHandScoreFields> names = {settings.breathName, settings.skinName, settings.cardioName};
    for (std::size_t f = 0; f < names.size(); ++f) {
        handLabels_[f]->setText(qs(names[f]));
        handFields_[f]->setAccessibleName(qs(names[f]));
    }
}

void TfrmScrlRes::showCursor() {
    canvas_->setCursorColumn(view_->cursorColumn());
    const std::vector<Readout> readouts = view_->readouts();
    for (std::size_t slot = 0; slot < readouts.size() && slot < readouts_.size(); ++slot) {
        readouts_[slot]->setText(qs(readouts[slot].text));
    }
    seconds_->setText(qs(view_->seconds()));
}

void TfrmScrlRes::showHandScores() {
    filling_ = true;
    const HandScoreFieldsState state = view_->handScores();
    for (std::size_t f = 0; f < handFields_.size(); ++f) {
        handFields_[f]->setEnabled(state.enabled);
        handFields_[f]->setValue(state.values[f]);
    }
    sum_->setText(qs(state.sum));
    filling_ = false;
}

void TfrmScrlRes::placeGainFields() {
    filling_ = true;
    const std::vector<EditField> fields = view_->editFields();
    for (auto* field : gainFields_) field->hide();
    const int height = static_cast<QWidget*>(gainFields_[0])->sizeHint().height();
    // Each field stands level with its trace; the page is moved so that no field lies above its top.
    chartToPage_ = canvas_->mapTo(this, QPoint()).y() - pages_->currentWidget()->mapTo(this, QPoint()).y();
    int highest = 0;
    for (const EditField& field : fields) highest = std::min(highest, field.y + chartToPage_ - height / 2);
    pageShift_ = -highest;
    for (const EditField& field : fields) {
        auto* edit = gainFields_[static_cast<std::size_t>(field.channel)];
        edit->setBkColor(QColor(0, 0, 0));
        const core::Rgb colour = view_->settings().channels[static_cast<std::size_t>(field.channel)].colour;
        edit->setStyleSheet(QStringLiteral("color: rgb(%1, %2, %3);").arg(colour.red).arg(colour.green).arg(colour.blue));
        edit->setValue(field.number);
        edit->setGeometry(8, field.y + chartToPage_ - height / 2 + pageShift_, kPanelWidth - 24, height);
        edit->show();
    }
    filling_ = false;
}

void TfrmScrlRes::moveField(int channel, int dy) {
    auto* field = gainFields_[static_cast<std::size_t>(channel)];
    const int height = field->height();
    // The field stops at the page's top edge.
    const int applied = view_->dragOffset(channel, dy, height / 2 - pageShift_ - chartToPage_);
    if (applied == 0) return;
    field->move(field->x(), field->y() + applied);
    gainsChanged();
}

void TfrmScrlRes::gainsChanged() {
    timer_->restart(kRedrawDelay);
}

bool TfrmScrlRes::fieldEvent(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_PageUp && key->key() != Qt::Key_PageDown) return false;
    for (std::size_t c = 0; c < gainFields_.size(); ++c) {
        if (watched != gainFields_[c]) continue;
        moveField(static_cast<int>(c), key->key() == Qt::Key_PageUp ? -kPageStep : kPageStep);
        return true;
    }
    return false;
}

int TfrmScrlRes::printChart() {
    const core::Texts& texts = ws_.texts();
    if (!steps_.confirm(this, windowTitle(), qs(texts(txt::ScrlResPrintConfirm)))) return 0;
    printing_ = true;
    printAborted_ = false;
    printText_->setText(qs(preparingToPrintText(*view_, ws_)) + QLatin1Char('\n') + qs(texts(txt::ScrlResPrintAbort)));
    printProgress_->setRange(0, static_cast<int>(std::max<std::size_t>(view_->chart().count(), 1)));
    printProgress_->setValue(0);
    printPanel_->setGeometry(width() / 4, height() / 3, width() / 2, printPanel_->sizeHint().height());
    printPanel_->show();
    printPanel_->raise();
    setBusy(true);
    const int pages = printPolygram(this, ws_, *view_, *steps_.print, [this](std::size_t printed, std::size_t) {
        printProgress_->setValue(static_cast<int>(printed));
        // Esc reaches the window between two pages.
        QApplication::processEvents();
        return !printAborted_;
    });
    printPanel_->hide();
    printing_ = false;
    setBusy(false);
    return pages;
}

void TfrmScrlRes::setBusy(bool busy) {
    // While the pages go out only Esc counts: the chart must stay as it is.
    chartColumn_->setEnabled(!busy);
    bottomRow_->setEnabled(!busy);
    pages_->setEnabled(!busy);
    if (busy) {
        setFocus(Qt::OtherFocusReason);
    } else {
        canvas_->setFocus(Qt::OtherFocusReason);
    }
}

}  // namespace lumo::review::ui
