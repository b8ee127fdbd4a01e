#include "scoring/ui/frm_qt_view.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/colors.h"
#include "core/question_set.h"
#include "core/settings.h"
#include "core/string_table.h"
#include "core/text_format.h"
#include "core/texts/core.h"
#include "core/texts/scoring.h"
#include "core/ui/qt_text.h"
#include "core/workstation.h"
#include "platform/dialog_conventions.h"
#include "platform/message_box.h"
#include "scoring/hand_score_exam.h"
#include "scoring/hand_score_report.h"
#include "scoring/ui/hand_cell_delegate.h"

namespace lumo::scoring::ui {

using core::ui::qs;

namespace {

constexpr int kGridRows = core::kMaxQuestions + 1;  // the questions, then the sums

QColor toQColor(core::Rgb rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

// The sums' row, grey as the colour names have it.
QBrush grey() {
    return QBrush(toQColor(core::colorFromName("GRAY")));
}

QString colourSheet(const QString& selector, core::Rgb text, const QString& background) {
    return QStringLiteral("%1 { color: %2; background: %3; }").arg(selector, toQColor(text).name(), background);
}

QTableWidget* makeGrid(QWidget* parent, const char* name, int rows, int columns) {
    auto* grid = new QTableWidget(rows, columns, parent);
    grid->setObjectName(QString::fromLatin1(name));
    grid->verticalHeader()->hide();
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::NoSelection);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setItemDelegate(new HandCellDelegate(grid));
    grid->setStyleSheet(QStringLiteral("QTableWidget { background: black; gridline-color: gray; }"));
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 4);
    grid->horizontalHeader()->setMinimumSectionSize(1);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) grid->setItem(r, c, new QTableWidgetItem);
    }
    return grid;
}

// The grid exactly as large as its cells: no scrolling in either language or scale.
void fitGrid(QTableWidget* grid, const QString& widestCell) {
    const int minimum = grid->fontMetrics().horizontalAdvance(widestCell);
    for (int c = 0; c < grid->columnCount(); ++c) {
        grid->resizeColumnToContents(c);
        grid->setColumnWidth(c, std::max(grid->columnWidth(c), minimum));
    }
    int width = 2 * grid->frameWidth();
    for (int c = 0; c < grid->columnCount(); ++c) width += grid->columnWidth(c);
    int height = 2 * grid->frameWidth() + (grid->horizontalHeader()->isHidden() ? 0 : grid->horizontalHeader()->sizeHint().height());
    for (int r = 0; r < grid->rowCount(); ++r) height += grid->rowHeight(r);
    grid->setFixedSize(width, height);
}

void setCell(QTableWidget* grid, int row, int column, const QString& text, const QColor& colour,
             const QBrush& background = QBrush(Qt::black)) {
    QTableWidgetItem* item = grid->item(row, column);
    item->setText(text);
    item->setForeground(colour);
    item->setBackground(background);
    item->setData(kRightWordRole, QVariant());
    item->setData(kLeftTextRole, QVariant());
    item->setTextAlignment(Qt::AlignCenter);
}

}  // namespace

TfrmQtView::TfrmQtView(core::Workstation& workstation, const std::filesystem::path& stem, QWidget* parent)
    : QDialog(parent), ws_(workstation), exam_(std::make_unique<HandScoreExam>(stem, workstation.settings())) {
    setObjectName("frmQtView");
    const core::Texts& texts = ws_.texts();
    conventions_ = new platform::DialogConventions(*this, texts);
    setWindowTitle(qs(core::formatText(texts(txt::QtViewCaption),
                                       {exam_->questionSet().examineeName, stem.parent_path().filename().string(),
                                        exam_->stemName()})));

    lblMethod_ = new QLabel(this);
    lblMethod_->setObjectName("lblMethod");
    lblMethod_->setText(qs(core::formatText(texts(txt::MethodNameCaption),
                                            {ws_.settings().methodName(exam_->questionSet().method)})));

    lstQst_ = new QListWidget(this);
    lstQst_->setObjectName("lstQst");
    lstQst_->setItemDelegate(new HandCellDelegate(lstQst_));
    lstQst_->setStyleSheet(QStringLiteral("QListWidget { background: black; }"));
    lstQst_->setSelectionMode(QAbstractItemView::NoSelection);
    lstQst_->setMinimumHeight(lstQst_->fontMetrics().height() * 6);
    QLabel* listLabel = conventions_->makeLabel(texts(txt::QtViewQuestions), lstQst_);

    lblMrk_ = new QLabel(this);
    lblMrk_->setObjectName("lblMrk");
    lblMrk_->setAlignment(Qt::AlignCenter);
    QFont large = lblMrk_->font();
    large.setBold(true);
    large.setPointSizeF(large.pointSizeF() * 1.5);
    lblMrk_->setFont(large);

    cmdExit_ = new QPushButton(qs(texts(txt::QtViewExit)), this);
    cmdExit_->setObjectName("cmdExit");
    cmdExit_->setDefault(true);
    conventions_->setHint(cmdExit_, texts(txt::QtViewExitHint));
    connect(cmdExit_, &QPushButton::clicked, this, &QDialog::reject);

    auto* right = new QVBoxLayout;
    right->addWidget(buildCharts());
    right->addWidget(buildDecisionTable());
    right->addWidget(lblMrk_, 1);
    auto* exitRow = new QHBoxLayout;
    exitRow->addStretch();
    exitRow->addWidget(cmdExit_);
    right->addLayout(exitRow);

    auto* middle = new QHBoxLayout;
    middle->addWidget(buildScoreGrids());
    middle->addLayout(right, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblMethod_);
    layout->addLayout(middle);
    layout->addWidget(listLabel);
    layout->addWidget(lstQst_, 1);
    layout->addWidget(conventions_->hintPanel());

    fillQuestionList();
    HandScoreDecision& decision = exam_->decision();
    rgLieType_->setEnabled(decision.tableTypeSelectable());
    for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
    RecomputeDecision();

    warn_ = [this](const QString& text) {
        platform::showMessage(this, QMessageBox::Warning, windowTitle(), text, ws_.texts());
    };
}

TfrmQtView::~TfrmQtView() = default;

QWidget* TfrmQtView::buildCharts() {
    const core::Texts& texts = ws_.texts();
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    auto* caption = new QLabel(qs(texts(txt::QtViewChart)), box);
    caption->setObjectName("lblChart");
    grid->addWidget(caption, 0, 0);
    const HandScoreDecision& decision = exam_->decision();
    for (int chart = 1; chart <= 9; ++chart) {
        auto* check = new QCheckBox(QString::number(chart), box);
        check->setObjectName(QStringLiteral("Chk%1").arg(chart));
        auto* date = new QLabel(qs(decision.date(chart)), box);
        date->setObjectName(QStringLiteral("Lbl%1").arg(chart));
        // A screen reader hears the chart, its date and whether it counts.
        check->setAccessibleName(qs(texts(txt::QtViewChart)) + QString::number(chart));
        check->setEnabled(decision.available(chart));
        conventions_->setHint(check, texts(txt::QtViewChartHint));
        connect(check, &QCheckBox::clicked, this, [this, chart](bool on) {
            exam_->decision().setInvolved(chart, on);
            RecomputeDecision();
        });
        grid->addWidget(check, 0, chart, Qt::AlignHCenter);
        grid->addWidget(date, 1, chart, Qt::AlignHCenter);
        chk_[static_cast<std::size_t>(chart)] = check;
        lbl_[static_cast<std::size_t>(chart)] = date;
    }
    grid->setColumnStretch(10, 1);
    return box;
}

QWidget* TfrmQtView::buildDecisionTable() {
    const core::Texts& texts = ws_.texts();
    auto* group = new QGroupBox(qs(texts(txt::QtViewDecisionTable)), this);
    group->setObjectName("grpDecisionTable");
    rgLieType_ = new QGroupBox(qs(texts(txt::QtViewDecisionBy)).trimmed(), group);
    rgLieType_->setObjectName("rgLieType");
    backster_ = new QRadioButton(qs(texts(txt::QtViewBackster)), rgLieType_);
    backster_->setObjectName("rbBackster");
    matte_ = new QRadioButton(qs(texts(txt::QtViewMatte)), rgLieType_);
    matte_->setObjectName("rbMatte");
    backster_->setChecked(true);
    conventions_->setHint(backster_, texts(txt::QtViewTableHint));
    conventions_->setHint(matte_, texts(txt::QtViewTableHint));
    auto* types = new QHBoxLayout(rgLieType_);
    types->addWidget(backster_);
    types->addWidget(matte_);
    types->addStretch();
    connect(matte_, &QRadioButton::toggled, this, [this](bool on) {
        exam_->decision().tableType = on ? DecisionTableType::Matte : DecisionTableType::Backster;
        RecomputeDecision();
    });

    sgLie_ = makeGrid(group, "sgLie", 3, 9);
    sgLie_->horizontalHeader()->hide();
    sgLie_->setSpan(0, 1, 1, 3);
    sgLie_->setSpan(0, 4, 1, 2);
    sgLie_->setSpan(0, 6, 1, 3);
    sgLie_->setStyleSheet(QStringLiteral("QTableWidget { background: white; gridline-color: gray; }"));
    sgLie_->setAccessibleName(qs(texts(txt::QtViewDecisionTable)));
    const QBrush white(Qt::white);
    const core::Settings& settings = ws_.settings();
    const QColor relevant = toQColor(core::colorFromName(settings.list().value("QColor1")));
    const QColor informative = toQColor(core::colorFromName(settings.list().value("QColor2")));
    setCell(sgLie_, 0, 0, QString(), Qt::black, white);
    setCell(sgLie_, 0, 1, qs(texts(txt::QtViewCandid)), toQColor(decisionColumnColour(1)), white);
    setCell(sgLie_, 0, 4, qs(texts(txt::QtViewInconclusive)), toQColor(decisionColumnColour(4)), white);
    setCell(sgLie_, 0, 6, qs(texts(txt::QtViewCheat)), toQColor(decisionColumnColour(6)), white);
    // The legend letters in their types' colours before the row captions.
    const bool russian = settings.language() == core::Language::Russian;
    for (int row = 1; row <= 2; ++row) {
        const int type = row == 1 ? 2 : 1;
        const QString letter = qs(russian ? settings.russianSignLetter(type) : settings.englishSignLetter(type));
        const QString caption = qs(texts(row == 1 ? txt::QtViewInfScore : txt::QtViewRelScore));
        setCell(sgLie_, row, 0, letter + QStringLiteral("   ") + caption, row == 1 ? informative : relevant, white);
        QTableWidgetItem* legend = sgLie_->item(row, 0);
        legend->setData(kLeftTextRole, letter);
        legend->setData(kRightWordRole, caption);
        legend->setData(kRightWordColourRole, QColor(Qt::black));
        legend->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
    fitGrid(sgLie_, QStringLiteral("-999 "));

    auto* layout = new QVBoxLayout(group);
    layout->addWidget(rgLieType_);
    layout->addWidget(sgLie_);
    return group;
}

QWidget* TfrmQtView::buildScoreGrids() {
    const core::Texts& texts = ws_.texts();
    const core::Settings& settings = ws_.settings();
    const core::SettingsList& list = settings.list();
    auto* box = new QWidget(this);

    sgQst_ = makeGrid(box, "sgQst", kGridRows, 3);
    sgQst_->setHorizontalHeaderLabels({QString(), qs(texts(txt::QtViewNumber)), qs(texts(txt::QtViewType))});
    sgQst_->setAccessibleName(qs(texts(txt::QtViewQuestionGrid)));
    for (int row = 0; row < core::kMaxQuestions; ++row) {
        setCell(sgQst_, row, 0, QStringLiteral("%1.").arg(row + 1), Qt::white);
    }
    // The signs where the set holds them, until the first recompute lists them.
    for (int q = 1; q <= std::min(core::kMaxQuestions, exam_->questionSet().questionCount()); ++q) {
        setCell(sgQst_, q - 1, 2, qs(exam_->sign(q)), Qt::white);
    }
    setCell(sgQst_, kGridRows - 1, 0, qs(texts(txt::QtViewSum)), Qt::white, QBrush(grey()));
    sgQst_->setSpan(kGridRows - 1, 0, 1, 3);

    sgStress_ = makeGrid(box, "sgStress", kGridRows, 4);
    sgStress_->setHorizontalHeaderLabels({qs(list.text(settings.prefixed("ChName1_2"))),
                                          qs(list.text(settings.prefixed("ChName7"))),
                                          qs(list.text(settings.prefixed("ChName0_4"))), qs(texts(txt::QtViewSum))});
    sgStress_->setAccessibleName(qs(texts(txt::QtViewScores)));

    sgTrustS_ = makeGrid(box, "sgTrustS", kGridRows, 1);
    sgTrustS_->setHorizontalHeaderLabels({qs(texts(txt::QtViewTotal))});
    sgTrustS_->setAccessibleName(qs(texts(txt::QtViewTotals)));

    fitGrid(sgQst_, QStringLiteral("W20 "));
    fitGrid(sgStress_, QStringLiteral("-999 "));
    QString widestWord;
    for (const auto verdict : {HandVerdict::NoDeception, HandVerdict::Inconclusion, HandVerdict::Deception}) {
        const QString word = qs(handVerdictText(verdict, settings.language()));
        if (sgTrustS_->fontMetrics().horizontalAdvance(word) > sgTrustS_->fontMetrics().horizontalAdvance(widestWord)) {
            widestWord = word;
        }
    }
    fitGrid(sgTrustS_, QStringLiteral("-999  ") + widestWord + QStringLiteral(" "));

    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(sgQst_, 0, Qt::AlignTop);
    layout->addWidget(sgStress_, 0, Qt::AlignTop);
    layout->addWidget(sgTrustS_, 0, Qt::AlignTop);
    return box;
}

void TfrmQtView::fillQuestionList() {
    const core::TQstTest& set = exam_->questionSet();
    for (int q = 1; q <= set.questionCount(); ++q) {
        auto* item = new QListWidgetItem(qs(exam_->listLine(q)), lstQst_);
        item->setForeground(toQColor(set.types().signToColour(set.question(q).sign)));
    }
}

void TfrmQtView::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The warning comes once the window stands, then the window closes itself.
    if (exam_->decision().duplicate() && !warned_) {
        warned_ = true;
        QMetaObject::invokeMethod(this, &TfrmQtView::warnDuplicate, Qt::QueuedConnection);
    }
}

void TfrmQtView::warnDuplicate() {
    const DuplicateQuestion& duplicate = *exam_->decision().duplicate();
    warn_(qs(core::formatText(ws_.texts()(txt::DuplicatedQuestion),
                              {duplicate.chart, duplicate.question, duplicate.sign})));
    reject();
}

bool TfrmQtView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool plain = key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier;
        if (const int chart = plain ? chartOfKey(key->key()) : 0; chart != 0) {
            exam_->decision().toggle(chart);
            RecomputeDecision();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmQtView::RecomputeDecision() {
    exam_->decision().recompute();
    showCharts();
    showDecisionTable();
    showScores();
}

void TfrmQtView::showCharts() {
    const HandScoreDecision& decision = exam_->decision();
    const core::Texts& texts = ws_.texts();
    for (int chart = 1; chart <= 9; ++chart) {
        QCheckBox* check = chartBox(chart);
        check->setChecked(decision.involved(chart));
        const int state = !decision.available(chart) ? txt::QtViewNoTable
                          : decision.involved(chart) ? txt::QtViewInvolved
                                                     : txt::QtViewNotInvolved;
        check->setAccessibleDescription(qs(decision.date(chart)) + QStringLiteral(" ") + qs(texts(state)));
    }
}

void TfrmQtView::showDecisionTable() {
    const HandScoreDecision& decision = exam_->decision();
    const QBrush white(Qt::white);
    for (int row = 1; row <= 2; ++row) {
        const HandLimits& limits = row == 1 ? decision.informativeLimits() : decision.relevantLimits();
        for (int c = 1; c <= 8; ++c) {
            setCell(sgLie_, row, c, qs(limits.cells[static_cast<std::size_t>(c - 1)]),
                    toQColor(decisionColumnColour(c)), white);
        }
    }
    fitGrid(sgLie_, QStringLiteral("-999 "));
    sgLie_->viewport()->update();
}

void TfrmQtView::showScores() {
    const HandScoreDecision& decision = exam_->decision();
    const core::Language language = ws_.settings().language();
    const auto& listed = decision.listed();
    for (int row = 0; row < core::kMaxQuestions; ++row) {
        const bool shown = row < static_cast<int>(listed.size());
        const ListedQuestion* q = shown ? &listed[static_cast<std::size_t>(row)] : nullptr;
        setCell(sgQst_, row, 1, shown ? QString::number(q->question) : QString(), Qt::white);
        setCell(sgQst_, row, 2, shown ? qs(exam_->sign(q->question)) : QString(),
                shown ? toQColor(exam_->questionSet().types().signToColour(exam_->sign(q->question))) : QColor(Qt::white));
        for (int e = 0; e < kHandScoreEntries; ++e) {
            const int value = shown ? q->scores[static_cast<std::size_t>(e)] : 0;
            setCell(sgStress_, row, e, shown ? qs(HandScoreDecision::signedText(value)) : QString(),
                    toQColor(handScoreColour(value)));
        }
        setCell(sgTrustS_, row, 0, shown ? qs(HandScoreDecision::signedText(q->total)) : QString(),
                toQColor(handScoreColour(shown ? q->total : 0)));
        if (shown && q->type == 2) {
            // An informative question is judged alone: its decision at the right of its total.
            QTableWidgetItem* item = sgTrustS_->item(row, 0);
            const QString word = qs(handVerdictText(q->verdict, language));
            item->setData(kLeftTextRole, item->text());
            item->setData(kRightWordRole, word);
            item->setData(kRightWordColourRole, toQColor(verdictColour(q->verdict)));
            item->setText(item->text() + QStringLiteral(" ") + word);
            item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        }
    }
    for (int e = 0; e < kHandScoreEntries; ++e) {
        const int value = decision.relevantSums()[static_cast<std::size_t>(e)];
        setCell(sgStress_, kGridRows - 1, e, qs(HandScoreDecision::signedText(value)), toQColor(handSumColour(value)), grey());
    }
    const int total = decision.relevantTotal();
    setCell(sgTrustS_, kGridRows - 1, 0, qs(HandScoreDecision::signedText(total)), toQColor(handSumColour(total)), grey());
    for (QTableWidget* grid : {sgQst_, sgStress_, sgTrustS_}) grid->viewport()->update();

    const QString word = qs(handVerdictText(decision.verdict(), language));
    lblMrk_->setText(QStringLiteral("\n") + word);
    lblMrk_->setAccessibleName(word);
    lblMrk_->setStyleSheet(colourSheet(QStringLiteral("QLabel"), verdictColour(decision.verdict()), QStringLiteral("black")));
}

}  // namespace lumo::scoring::ui
