#include "scoring/ui/frm_edit.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>

#include "core/texts/scoring.h"
#include "core/ui/qt_text.h"
#include "core/workstation.h"
#include "platform/dialog_conventions.h"
#include "platform/message_box.h"
#include "scoring/ui/frm_edit_image.h"
#include "scoring/ui/frm_result.h"

namespace lumo::scoring::ui {

using core::ui::qs;

namespace {

constexpr std::array<EditorScale, 3> kScales = {EditorScale::All, EditorScale::Three, EditorScale::One};
// The key beside Tab: Q in the Latin layout, Й in the Cyrillic one.
constexpr int kCyrillicShortI = 0x0419;

QLabel* valueLabel(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

}  // namespace

TfrmEdit::TfrmEdit(core::Workstation& workstation, ScoringWorkspace& workspace, ExamFiles files,
                   ScoreBoardOpener openScoreBoard, QWidget* parent)
    : QDialog(parent), ws_(workstation), workspace_(workspace), openScoreBoard_(std::move(openScoreBoard)),
      editor_(workspace, workstation.settings(), workstation.texts(), std::move(files),
              ChartEditorSteps{[this](const std::string& text) { error_(qs(text)); },
                               [this](const std::string& text) { inform_(qs(text)); },
                               [this](const std::string& text) { return confirm_(qs(text)); },
                               [this](int row, int chart) { openScoreBoard_(this, row, chart); },
                               [this] { return results_(); }}) {
    setObjectName("frmEdit");
    const core::Texts& texts = ws_.texts();
    conventions_ = new platform::DialogConventions(*this, texts);
    setWindowTitle(qs(texts(txt::EditCaption)));

    txtQuestion_ = valueLabel(this, "txtQuestion");
    txtQuestion_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    txtQuestion_->setAccessibleName(qs(texts(txt::EditQuestion)));
    // A long question is cut at the screen's edge rather than widening the window.
    txtQuestion_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    imgChart_ = new TChartImage(this);
    imgChart_->setObjectName("imgChart");
    imgChart_->setAccessibleName(qs(texts(txt::EditImage)));
    connect(imgChart_, &TChartImage::clicked, this, [this](double x, double width, Qt::MouseButton button) {
        act([&] {
            if (button == Qt::LeftButton) editor_.leftClick(x, width);
            if (button == Qt::RightButton) editor_.rightClick(x, width);
        });
    });

    auto* chart = new QHBoxLayout;
    chart->addWidget(buildChannels());
    chart->addWidget(imgChart_, 1);
    auto* layout = new QVBoxLayout(this);
    buildMenu();
    layout->addWidget(buildTop());
    layout->addWidget(txtQuestion_);
    layout->addLayout(chart, 1);
    layout->addWidget(conventions_->hintPanel());

    error_ = [this](const QString& text) {
        platform::showMessage(this, QMessageBox::Critical, windowTitle(), text, ws_.texts());
    };
    inform_ = [this](const QString& text) {
        platform::showMessage(this, QMessageBox::Information, windowTitle(), text, ws_.texts());
    };
    confirm_ = [this](const QString& text) {
        return platform::showMessage(this, QMessageBox::Question, windowTitle(), text, ws_.texts(),
                                     QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
    };
    results_ = [this] { return showResults(this, ws_, workspace_) == ResultWindowExit::MainMenu; };

    // Q, F2 and Esc reach the editor whichever control has the focus.
    for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) setGeometry(screen->availableGeometry());
}

TfrmEdit::~TfrmEdit() = default;

QWidget* TfrmEdit::buildTop() {
    const core::Texts& texts = ws_.texts();
    auto* top = new QWidget(this);
    auto* row = new QHBoxLayout(top);
    row->setContentsMargins(0, 0, 0, 0);

    cmbChartPath_ = new QComboBox(top);
    cmbChartPath_->setObjectName("cmbChartPath");
    conventions_->setHint(cmbChartPath_, texts(txt::EditChartHint));
    conventions_->addField(cmbChartPath_);
    row->addWidget(conventions_->makeLabel(texts(txt::EditChart), cmbChartPath_));
    row->addWidget(cmbChartPath_);
    connect(cmbChartPath_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!refreshing_) act([&] { editor_.selectChart(index + 1); });
    });

    auto* scale = new QGroupBox(qs(texts(txt::EditScale)), top);
    scale->setObjectName("optButton");
    conventions_->setHint(scale, texts(txt::EditScaleHint));
    auto* scaleRow = new QHBoxLayout(scale);
    const int captions[] = {txt::EditScaleAll, txt::EditScale3, txt::EditScale1};
    for (std::size_t i = 0; i < kScales.size(); ++i) {
        auto* button = new QRadioButton(qs(texts(captions[i])), scale);
        button->setObjectName(QStringLiteral("optButton%1").arg(i));
        conventions_->setHint(button, texts(txt::EditScaleHint));
        scaleRow->addWidget(button);
        optButton_[i] = button;
        connect(button, &QRadioButton::toggled, this, [this, i](bool on) {
            if (on && !refreshing_) act([&] { editor_.setScale(kScales[i]); });
        });
    }
    row->addWidget(scale);

    chkGain_ = new QCheckBox(qs(texts(txt::EditGains)), top);
    chkGain_->setObjectName("chkGain");
    conventions_->setHint(chkGain_, texts(txt::EditGainsHint));
    connect(chkGain_, &QCheckBox::toggled, this, [this](bool on) {
        if (!refreshing_) act([&] { editor_.showGains(on); });
    });
    row->addWidget(chkGain_);
    row->addStretch();

    // The chart's date, start and duration stacked, so that the row keeps
    // its width in both languages.
    auto* values = new QGridLayout;
    values->setVerticalSpacing(0);
    const auto labelled = [&](int line, int caption, const char* name) {
        auto* label = new QLabel(qs(texts(caption)), top);
        label->setObjectName(QString::fromLatin1(name) + QStringLiteral("Caption"));
        QLabel* value = valueLabel(top, name);
        value->setAccessibleName(label->text());
        values->addWidget(label, line, 0, Qt::AlignRight);
        values->addWidget(value, line, 1);
        return value;
    };
    lblDate_ = labelled(0, txt::EditDate, "lblDate");
    lblTime_ = labelled(1, txt::EditTime, "lblTime");
    lblDuration_ = labelled(2, txt::EditDuration, "lblDuration");
    row->addLayout(values);
    return top;
}

QGroupBox* TfrmEdit::buildChannels() {
    grpChannels_ = new QGroupBox(this);
    grpChannels_->setObjectName("grpChannels");
    for (int box = 0; box < kBandCount; ++box) {
        auto* check = new QCheckBox(grpChannels_);
        check->setObjectName(QStringLiteral("chCheck%1").arg(box));
        connect(check, &QCheckBox::toggled, this, [this, box](bool on) {
            if (!refreshing_) act([&] { editor_.setBox(box, on); });
        });
        chCheck_[static_cast<std::size_t>(box)] = check;
    }
    grpChannels_->installEventFilter(this);
    return grpChannels_;
}

void TfrmEdit::buildMenu() {
    const core::Texts& texts = ws_.texts();
    auto* bar = new QMenuBar(this);
    bar->setObjectName("mmMain");
    bar->setNativeMenuBar(false);
    layout()->setMenuBar(bar);
    mnuExit_ = bar->addAction(qs(texts(txt::EditMenuExit)));
    mnuExit_->setObjectName("mnuExit");
    mnuResult_ = bar->addAction(qs(texts(txt::EditMenuResults)));
    mnuResult_->setObjectName("mnuResult");
    mnuEditWrite_ = bar->addAction(qs(texts(txt::EditMenuSave)));
    mnuEditWrite_->setObjectName("mnuEditWrite");
    connect(mnuExit_, &QAction::triggered, this, &TfrmEdit::mnuExitClick);
    connect(mnuResult_, &QAction::triggered, this, &TfrmEdit::mnuResultClick);
    connect(mnuEditWrite_, &QAction::triggered, this, &TfrmEdit::mnuEditWriteClick);
}

bool TfrmEdit::start() {
    const bool opened = [this] {
        try {
            return editor_.open();
        } catch (const std::exception& failure) {
            error_(qs(failure.what()));
            return false;
        }
    }();
    if (!opened) return false;
    // Wide enough for the channel names and for the gains.
    int width = 0;
    for (int box = 0; box < kBandCount; ++box) {
        QCheckBox* check = chCheck_[static_cast<std::size_t>(box)];
        for (const std::string& text : {editor_.channelName(box), std::string("99.9")}) {
            check->setText(qs(text));
            width = std::max(width, check->sizeHint().width());
        }
    }
    grpChannels_->setFixedWidth(width + 2 * grpChannels_->fontMetrics().averageCharWidth() + 8);
    refreshing_ = true;
    for (int chart = 1; chart <= editor_.chartCount(); ++chart) cmbChartPath_->addItem(QString::number(chart));
    refreshing_ = false;
    refresh();
    return true;
}

QRadioButton* TfrmEdit::scaleButton(EditorScale scale) const {
    const auto at = std::find(kScales.begin(), kScales.end(), scale);
    return optButton_[static_cast<std::size_t>(at - kScales.begin())];
}

void TfrmEdit::mnuExitClick() {
    act([this] { editor_.exit(); });
}

void TfrmEdit::mnuResultClick() {
    act([this] { editor_.openResults(); });
}

void TfrmEdit::mnuEditWriteClick() {
    act([this] { editor_.save(); });
}

void TfrmEdit::act(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& failure) {
        error_(qs(failure.what()));
    }
    if (editor_.closed()) {
        done(QDialog::Accepted);
        return;
    }
    refresh();
}

void TfrmEdit::refresh() {
    refreshing_ = true;
    const core::Texts& texts = ws_.texts();
    cmbChartPath_->setCurrentIndex(editor_.chart() - 1);
    scaleButton(editor_.scale())->setChecked(true);
    chkGain_->setChecked(editor_.gainsShown());
    grpChannels_->setTitle(qs(editor_.boxGroupCaption()));
    for (int box = 0; box < kBandCount; ++box) {
        QCheckBox* check = chCheck_[static_cast<std::size_t>(box)];
        check->setEnabled(editor_.boxSlot(box) >= 1);
        check->setText(qs(editor_.boxCaption(box)));
        check->setChecked(editor_.boxChecked(box));
        const QString name = qs(editor_.channelName(box));
        check->setAccessibleName(editor_.gainsShown() ? name + QStringLiteral(" ") + check->text().trimmed() : name);
        conventions_->setHint(check, editor_.boxGroupHint());
    }
    conventions_->setHint(grpChannels_, editor_.boxGroupHint());
    txtQuestion_->setText(qs(editor_.questionText()));
    lblDate_->setText(qs(editor_.dateText()));
    lblTime_->setText(qs(editor_.timeText()));
    lblDuration_->setText(qs(editor_.durationText()));
    imgChart_->setPicture(editor_.picture());
    imgChart_->setAccessibleDescription(qs(texts(txt::EditChart)) + QString::number(editor_.chart()) +
                                        txtQuestion_->text());
    refreshing_ = false;
}

void TfrmEdit::placeBoxes() {
    // Each box beside the middle of its channel's band.
    for (int box = 0; box < kBandCount; ++box) {
        QCheckBox* check = chCheck_[static_cast<std::size_t>(box)];
        const int middle = imgChart_->pixelOfUnit((box + 0.5) * kBandUnits);
        const QPoint at = grpChannels_->mapFromGlobal(imgChart_->mapToGlobal(QPoint(0, middle)));
        const QSize size = check->sizeHint();
        check->setGeometry(4, at.y() - size.height() / 2, grpChannels_->width() - 8, size.height());
    }
}

bool TfrmEdit::editorKey(const QKeyEvent& key) {
    if (key.modifiers() != Qt::NoModifier) return false;
    switch (key.key()) {
    case Qt::Key_Q:
    case kCyrillicShortI: act([this] { editor_.nextRow(); }); return true;
    case Qt::Key_F2: act([this] { editor_.openScoreBoard(); }); return true;
    case Qt::Key_Escape: mnuExitClick(); return true;
    default: return false;
    }
}

bool TfrmEdit::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && editorKey(static_cast<const QKeyEvent&>(*event))) return true;
    if ((watched == imgChart_ || watched == grpChannels_) &&
        (event->type() == QEvent::Resize || event->type() == QEvent::Move || event->type() == QEvent::Show)) {
        placeBoxes();
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmEdit::keyPressEvent(QKeyEvent* event) {
    if (!editorKey(*event)) QDialog::keyPressEvent(event);
}

void TfrmEdit::reject() {
    // The window's close button asks as Exit does.
    mnuExitClick();
}

}  // namespace lumo::scoring::ui
