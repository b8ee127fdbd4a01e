#include "scoring/ui/frm_choose_chart.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "core/texts/core.h"
#include "core/texts/scoring.h"
#include "core/ui/qt_text.h"
#include "core/workstation.h"
#include "platform/dialog_conventions.h"
#include "platform/message_box.h"

namespace lumo::scoring::ui {

using core::ui::qs;

namespace {

// Presentations on black in their type colours, painted here because the
// workstation's style sheet would override a palette.
class PresentationDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        painter->save();
        painter->fillRect(option.rect, Qt::black);
        const QVariant foreground = index.data(Qt::ForegroundRole);
        painter->setPen(foreground.canConvert<QBrush>() ? foreground.value<QBrush>().color() : QColor(Qt::white));
        painter->setFont(option.font);
        const int margin = option.fontMetrics.horizontalAdvance(QLatin1Char(' ')) / 2;
        painter->drawText(option.rect.adjusted(margin, 0, -margin, 0), Qt::AlignLeft | Qt::AlignVCenter,
                          index.data(Qt::DisplayRole).toString());
        painter->restore();
    }
};

}  // namespace

TfrmChooseChart::TfrmChooseChart(core::Workstation& workstation, QWidget* parent, ErrorFunction error)
    : QDialog(parent), ws_(workstation), error_(std::move(error)), choice_(workstation) {
    setObjectName("frmChooseChart");
    const core::Texts& texts = ws_.texts();
    conventions_ = new platform::DialogConventions(*this, texts);
    if (!error_) {
        error_ = [this](const QString& text) {
            platform::showMessage(this, QMessageBox::Critical, windowTitle(), text, ws_.texts());
        };
    }
    setWindowTitle(qs(choice_.caption()));

    lstExam_ = new QListWidget(this);
    lstExam_->setObjectName("lstExam");
    const int digit = lstExam_->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    lstExam_->setMinimumWidth(digit * 10);
    lstExam_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    conventions_->addField(lstExam_);
    conventions_->setHint(lstExam_, texts(txt::ChooseChartExamsHint));

    seChart_ = new QSpinBox(this);
    seChart_->setObjectName("seChart");
    seChart_->setRange(1, 1);
    conventions_->addField(seChart_);
    conventions_->setHint(seChart_, texts(txt::ChooseChartChartHint));

    txtQst_ = new QListWidget(this);
    txtQst_->setObjectName("txtQst");
    txtQst_->setItemDelegate(new PresentationDelegate(txtQst_));
    txtQst_->setStyleSheet(QStringLiteral("QListWidget { background: black; }"));
    txtQst_->setFocusPolicy(Qt::NoFocus);
    txtQst_->setSelectionMode(QAbstractItemView::NoSelection);
    txtQst_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    const QFontMetrics fixed(txtQst_->font());
    txtQst_->setMinimumWidth(fixed.horizontalAdvance(QLatin1Char('x')) * 72);
    txtQst_->setMinimumHeight(fixed.height() * 14);

    lblMethod_ = new QLabel(this);
    lblMethod_->setObjectName("lblMethod");

    cmdOK_ = new QPushButton(qs(texts(txt::ButtonChoose)), this);
    cmdOK_->setObjectName("cmdOK");
    cmdOK_->setDefault(true);
    conventions_->setHint(cmdOK_, texts(txt::ChooseChartOkHint));
    cmdCancel_ = new QPushButton(qs(texts(txt::ButtonCancel)), this);
    cmdCancel_->setObjectName("cmdCancel");
    conventions_->setHint(cmdCancel_, texts(txt::ChooseChartCancelHint));

    auto* examColumn = new QVBoxLayout;
    examColumn->addWidget(conventions_->makeLabel(texts(txt::ChooseChartExams), lstExam_));
    examColumn->addWidget(lstExam_, 1);

    auto* chartRow = new QHBoxLayout;
    chartRow->addWidget(conventions_->makeLabel(texts(txt::ChooseChartChart), seChart_));
    chartRow->addWidget(seChart_);
    chartRow->addSpacing(digit * 3);
    chartRow->addWidget(lblMethod_, 1);
    auto* questionColumn = new QVBoxLayout;
    questionColumn->addLayout(chartRow);
    questionColumn->addWidget(conventions_->makeLabel(texts(txt::ChooseChartQuestions), txtQst_));
    questionColumn->addWidget(txtQst_, 1);

    auto* upper = new QHBoxLayout;
    upper->addLayout(examColumn);
    upper->addLayout(questionColumn, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(upper, 1);
    layout->addLayout(buttons);
    layout->addWidget(conventions_->hintPanel());

    connect(lstExam_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (filling_ || row < 0) return;
        choice_.selectExam(row);
        showExam();
    });
    connect(seChart_, &QSpinBox::valueChanged, this, [this](int value) {
        if (filling_) return;
        choice_.setChart(value);
        showChart();
    });
    connect(cmdOK_, &QPushButton::clicked, this, &TfrmChooseChart::cmdOKClick);
    connect(cmdCancel_, &QPushButton::clicked, this, &QDialog::reject);
}

TfrmChooseChart::~TfrmChooseChart() = default;

bool TfrmChooseChart::fill() {
    if (!choice_.open()) return false;
    filling_ = true;
    lstExam_->clear();
    for (const std::string& number : choice_.exams()) lstExam_->addItem(qs(number));
    lstExam_->setCurrentRow(choice_.selected());
    filling_ = false;
    showExam();
    lstExam_->setFocus();
    return true;
}

void TfrmChooseChart::showExam() {
    filling_ = true;
    seChart_->setRange(1, choice_.maximumChart());
    seChart_->setValue(choice_.chart());
    filling_ = false;
    lblMethod_->setText(qs(choice_.methodCaption()));
    cmdOK_->setEnabled(choice_.canChoose());
    showChart();
}

void TfrmChooseChart::showChart() {
    txtQst_->clear();
    for (const PresentationLine& line : choice_.presentation()) {
        auto* item = new QListWidgetItem(qs(line.text), txtQst_);
        item->setForeground(QColor(line.colour.red, line.colour.green, line.colour.blue));
    }
    reportError();
}

void TfrmChooseChart::reportError() {
    // Once per fault: moving on and back shows it again, a repaint does not.
    const QString text = qs(choice_.error());
    if (text == shownError_) return;
    shownError_ = text;
    if (!text.isEmpty()) error_(text);
}

void TfrmChooseChart::cmdOKClick() {
    if (!choice_.canChoose()) return;
    choice_.choose();
    accept();
}

}  // namespace lumo::scoring::ui
