#include "scoring/ui/frm_result.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/settings.h"
#include "core/texts/scoring.h"
#include "core/ui/qt_text.h"
#include "core/workstation.h"
#include "platform/dialog_conventions.h"
#include "platform/message_box.h"
#include "scoring/ui/result_grid.h"
#include "scoring/ui/result_pictures.h"
#include "scoring/ui/result_printing.h"

namespace lumo::scoring::ui {

using core::ui::qs;

namespace {

QColor shadeColour(Shade shade) {
    switch (shade) {
    case Shade::Positive: return QColor(0, 255, 0);
    case Shade::Negative: return QColor(255, 0, 0);
    case Shade::Neutral: break;
    }
    return QColor(128, 128, 128);
}

QComboBox* probabilityList(QWidget* parent, const char* name, const QStringList& choices, const QString& current) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->addItems(choices);
    list->setCurrentText(current);
    return list;
}

}  // namespace

TfrmResult::TfrmResult(core::Workstation& workstation, const ScoringWorkspace& workspace, QWidget* parent)
    : QDialog(parent), ws_(workstation), workspace_(workspace),
      decision_(workspace, workstation.settings(), workstation.strings()) {
    setObjectName("frmResult");
    const core::Texts& texts = ws_.texts();
    conventions_ = new platform::DialogConventions(*this, texts);
    setWindowTitle(qs(texts(txt::ResultCaption)));

    auto* top = new QHBoxLayout;
    top->addWidget(buildParameters());
    top->addWidget(buildCharts(), 1);
    top->addWidget(buildMode());

    pages_ = new QStackedWidget(this);
    pages_->addWidget(buildSummary());
    pages_->addWidget(buildTables());

    auto* layout = new QVBoxLayout(this);
    buildMenu();
    layout->addLayout(top);
    layout->addWidget(pages_, 1);
    layout->addWidget(conventions_->hintPanel());

    confirm_ = [this](const QString& text) {
        return platform::showMessage(this, QMessageBox::Question, windowTitle(), text, ws_.texts(),
                                     QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
    };
    print_ = [this] { printResults(this, ws_, workspace_, decision_, view_); };

    decision_.resetToDefaults();
    decision_.computeQuestionScores();
    ShowDecision();
    updateMenu();
}

TfrmResult::~TfrmResult() = default;

QWidget* TfrmResult::buildParameters() {
    const core::Texts& texts = ws_.texts();
    auto* group = new QGroupBox(qs(texts(txt::ResultProbDemands)), this);
    group->setObjectName("grpProb");
    cmbLie_ = probabilityList(group, "cmbLie", {"0.3", "0.4", "0.5", "0.6", "0.7"}, "0.5");
    cmbFp_ = probabilityList(group, "cmbFp", {"0.05", "0.10", "0.15", "0.20", "0.25"}, "0.10");
    cmbFm_ = probabilityList(group, "cmbFm", {"0.05", "0.10", "0.15", "0.20", "0.25"}, "0.15");
    auto* grid = new QGridLayout(group);
    grid->addWidget(conventions_->makeLabel(texts(txt::ResultAprior), cmbLie_), 0, 0);
    grid->addWidget(cmbLie_, 0, 1);
    auto* note = new QLabel(qs(texts(txt::ResultProbToMistake)), group);
    note->setObjectName("lblMistake");
    grid->addWidget(note, 1, 0, 1, 2);
    grid->addWidget(conventions_->makeLabel(texts(txt::ResultFindAbsent), cmbFp_), 2, 0);
    grid->addWidget(cmbFp_, 2, 1);
    grid->addWidget(conventions_->makeLabel(texts(txt::ResultMissPresent), cmbFm_), 3, 0);
    grid->addWidget(cmbFm_, 3, 1);
    for (QComboBox* list : {cmbLie_, cmbFp_, cmbFm_}) {
        conventions_->setHint(list, texts(txt::ResultProbabilityHint));
        connect(list, &QComboBox::currentTextChanged, this, &TfrmResult::probabilityChanged);
    }
    return group;
}

QWidget* TfrmResult::buildCharts() {
    const core::Texts& texts = ws_.texts();
    auto* group = new QGroupBox(qs(texts(txt::ResultCharts)), this);
    group->setObjectName("grpCharts");
    auto* row = new QHBoxLayout(group);
    for (int chart = 1; chart <= 9; ++chart) {
        auto* box = new QCheckBox(QString::number(chart), group);
        box->setObjectName(QStringLiteral("chkChart%1").arg(chart - 1));
        box->setAccessibleName(qs(texts(txt::ResultCharts)).trimmed() + QStringLiteral(" ") + QString::number(chart));
        const bool exists = chart <= std::min(decision_.chartCount(), 9);
        box->setVisible(exists);
        box->setEnabled(exists);
        box->setChecked(decision_.chartSelected(chart));
        conventions_->setHint(box, texts(txt::ResultChartsHint));
        connect(box, &QCheckBox::toggled, this, [this, chart](bool on) {
            if (filling_) return;
            decision_.selectChart(chart, on);
            decision_.computeQuestionScores();
            ShowDecision();
            if (view_ != ResultView::Summary) showTable(view_);
        });
        row->addWidget(box);
        chk_[static_cast<std::size_t>(chart - 1)] = box;
    }
    row->addStretch();
    return group;
}

QWidget* TfrmResult::buildMode() {
    const core::Texts& texts = ws_.texts();
    auto* group = new QGroupBox(qs(texts(txt::ResultFeatures)), this);
    group->setObjectName("frmDown");
    rbStress_ = new QRadioButton(qs(texts(txt::ResultModeStress)), group);
    rbStress_->setObjectName("rbStress");
    rbLie_ = new QRadioButton(qs(texts(txt::ResultModeLie)), group);
    rbLie_->setObjectName("rbLie");
    rbStress_->setChecked(true);
    rbLie_->setEnabled(decision_.lieViewAvailable());
    for (QRadioButton* button : {rbStress_, rbLie_}) conventions_->setHint(button, texts(txt::ResultModeHint));
    auto* column = new QVBoxLayout(group);
    column->addWidget(rbStress_);
    column->addWidget(rbLie_);
    connect(rbLie_, &QRadioButton::toggled, this, &TfrmResult::modeChanged);
    return group;
}

QWidget* TfrmResult::buildSummary() {
    const core::Texts& texts = ws_.texts();
    auto* page = new QWidget(pages_);
    flxComp_ = makeResultGrid(page, "flxComp");
    flxComp_->setAccessibleName(qs(texts(txt::ResultMenuSummary)).remove('&'));

    auto* scaleBox = new QGroupBox(qs(texts(txt::ResultDecisionBounds)), page);
    scaleBox->setObjectName("grpScale");
    pctSlider_ = new ResultScale(scaleBox);
    auto makeLabel = [scaleBox](const char* name) {
        auto* label = new QLabel(scaleBox);
        label->setObjectName(QString::fromLatin1(name));
        return label;
    };
    lblLeft_ = makeLabel("lblLeft");
    lblRight_ = makeLabel("lblRight");
    lblTrue_ = makeLabel("lblTrue");
    lblLie_ = makeLabel("lblLie");
    QFont bold = lblLeft_->font();
    bold.setBold(true);
    lblLeft_->setFont(bold);
    lblRight_->setFont(bold);
    auto* ends = new QHBoxLayout;
    ends->addWidget(lblLeft_);
    ends->addWidget(lblTrue_);
    ends->addStretch();
    ends->addWidget(lblLie_);
    ends->addWidget(lblRight_);
    auto* scaleLayout = new QVBoxLayout(scaleBox);
    scaleLayout->addLayout(ends);
    scaleLayout->addWidget(pctSlider_, 1);

    lblConclusion_ = new QLabel(page);
    lblConclusion_->setObjectName("lblConclusion");
    lblConclusion_->setAlignment(Qt::AlignCenter);
    QFont large = lblConclusion_->font();
    large.setBold(true);
    large.setPointSizeF(large.pointSizeF() * 1.3);
    lblConclusion_->setFont(large);

    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(flxComp_, 3);
    layout->addWidget(lblConclusion_);
    layout->addWidget(scaleBox, 2);
    return page;
}

QWidget* TfrmResult::buildTables() {
    auto* page = new QWidget(pages_);
    lblTable_ = new QLabel(page);
    lblTable_->setObjectName("lblTable");
    flxParam_ = makeResultGrid(page, "flxParam");
    flxParam_->setAccessibleName(qs(ws_.texts()(txt::ResultMenuParams)).remove('&'));
    imgChart_ = new ResultBars(page);
    imgChart_->setAccessibleName(qs(ws_.texts()(txt::ResultTableBars)));
    auto* row = new QHBoxLayout;
    row->addWidget(flxParam_, 3);
    row->addWidget(imgChart_, 1);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(lblTable_);
    layout->addLayout(row, 1);
    return page;
}

void TfrmResult::buildMenu() {
    const core::Texts& texts = ws_.texts();
    auto* bar = new QMenuBar(this);
    bar->setObjectName("mmMain");
    bar->setNativeMenuBar(false);
    layout()->setMenuBar(bar);
    auto named = [](QAction* action, const char* name) {
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    mnuExit_ = named(bar->addAction(qs(texts(txt::ResultMenuExit))), "mnuExit");
    mnuToChart_ = named(bar->addAction(qs(texts(txt::ResultMenuEditChart))), "mnuToChart");
    QMenu* tables = bar->addMenu(qs(texts(txt::ResultMenuTables)));
    tables->setObjectName("mnuTabl");
    mnuItog_ = named(tables->addAction(qs(texts(txt::ResultMenuSummary))), "mnuItog");
    mnuSmpPrm_ = named(tables->addAction(qs(texts(txt::ResultMenuParams))), "mnuSmpPrm");
    mnuStrB_ = named(tables->addAction(qs(texts(txt::ResultMenuStress))), "mnuStrB");
    mnuLieB_ = named(tables->addAction(qs(texts(txt::ResultMenuLie))), "mnuLieB");
    mnuPrint_ = named(bar->addAction(qs(texts(txt::ResultMenuPrint))), "mnuPrint");
    connect(mnuExit_, &QAction::triggered, this, &TfrmResult::mnuExitClick);
    connect(mnuToChart_, &QAction::triggered, this, &TfrmResult::mnuToChartClick);
    connect(mnuItog_, &QAction::triggered, this, &TfrmResult::mnuItogClick);
    connect(mnuSmpPrm_, &QAction::triggered, this, [this] { showTable(ResultView::Params); });
    connect(mnuStrB_, &QAction::triggered, this, [this] { showTable(ResultView::Stress); });
    connect(mnuLieB_, &QAction::triggered, this, [this] { showTable(ResultView::Lie); });
    connect(mnuPrint_, &QAction::triggered, this, [this] { print_(); });
}

QAction* TfrmResult::action(ResultView view) const {
    switch (view) {
    case ResultView::Summary: return mnuItog_;
    case ResultView::Params: return mnuSmpPrm_;
    case ResultView::Stress: return mnuStrB_;
    case ResultView::Lie: return mnuLieB_;
    }
    return nullptr;
}

void TfrmResult::updateMenu() {
    for (const ResultView view : {ResultView::Summary, ResultView::Params, ResultView::Stress, ResultView::Lie}) {
        action(view)->setEnabled(view != view_);
    }
    if (!decision_.lieViewAvailable()) mnuLieB_->setEnabled(false);
}

void TfrmResult::mnuExitClick() {
    if (!mnuExit_->isEnabled()) return;
    if (!confirm_(qs(ws_.texts()(txt::ResultExitConfirm)))) return;
    exit_ = ResultWindowExit::MainMenu;
    done(QDialog::Accepted);
}

void TfrmResult::mnuToChartClick() {
    exit_ = ResultWindowExit::EditChart;
    done(QDialog::Rejected);
}

void TfrmResult::mnuItogClick() {
    // The summary starts over: default probabilities, the stress view.
    decision_.resetToDefaults();
    filling_ = true;
    cmbLie_->setCurrentText("0.5");
    cmbFp_->setCurrentText("0.10");
    cmbFm_->setCurrentText("0.15");
    rbStress_->setChecked(true);
    filling_ = false;
    view_ = ResultView::Summary;
    pages_->setCurrentIndex(0);
    ShowDecision();
    updateMenu();
}

void TfrmResult::showTable(ResultView view) {
    if (view == ResultView::Lie && !decision_.lieViewAvailable()) return;
    if (view == ResultView::Summary) {
        mnuItogClick();
        return;
    }
    view_ = view;
    const FeatureTableMode mode = view == ResultView::Params   ? FeatureTableMode::Parameters
                                  : view == ResultView::Stress ? FeatureTableMode::Stress
                                                               : FeatureTableMode::Lie;
    const ResultGrid grid =
        featureTable(decision_, workspace_, ws_.settings(), ws_.strings(), mode, ws_.settings().language());
    lblTable_->setText(qs(grid.title));
    fillResultGrid(flxParam_, grid.cells, grid.headerRows);
    flxParam_->setAccessibleName(qs(grid.title));
    flxParam_->resizeColumnsToContents();
    imgChart_->setVisible(mode != FeatureTableMode::Parameters);
    imgChart_->setGrid(grid, flxParam_->verticalHeader()->defaultSectionSize());
    pages_->setCurrentIndex(1);
    updateMenu();
}

void TfrmResult::probabilityChanged() {
    if (filling_) return;
    decision_.prior = cmbLie_->currentText().toFloat();
    decision_.fp = cmbFp_->currentText().toFloat();
    decision_.fm = cmbFm_->currentText().toFloat();
    // Redrawn at once only when the decision was drawn since the last activation.
    if (decision_.probabilityChanged()) ShowDecision();
}

void TfrmResult::modeChanged() {
    if (filling_) return;
    decision_.mode = rbLie_->isChecked() ? DecisionMode::Lie : DecisionMode::Stress;
    ShowDecision();
}

void TfrmResult::ShowDecision() {
    decision_.showDecision();
    fillSummary();
    const core::Language language = ws_.settings().language();
    const ScalePicture picture = decision_.scale(language);
    lblLeft_->setText(qs(picture.leftLabel));
    lblRight_->setText(qs(picture.rightLabel));
    lblTrue_->setText(qs(picture.truthCaption));
    lblLie_->setText(qs(picture.lieCaption));
    pctSlider_->setPicture(picture);
    const Conclusion conclusion = decision_.conclusion(language);
    const bool shown = decision_.mode == DecisionMode::Lie && conclusion.hasScore;
    lblConclusion_->setText(shown ? qs(conclusion.text) : QString());
    lblConclusion_->setVisible(shown);
}

void TfrmResult::fillSummary() {
    const core::Language language = ws_.settings().language();
    const SummaryTable table = decision_.summary(language);
    fillResultGrid(flxComp_, summaryCells(table), 3);
    const bool lie = table.mode == DecisionMode::Lie;
    const int firstComponent = lie ? 5 : 4;
    const std::array<QColor, 4> headers{QColor(0, 255, 255), QColor(255, 255, 0), QColor(255, 0, 0),
                                         QColor(255, 0, 255)};
    for (int c = 0; c < 4; ++c) flxComp_->item(2, firstComponent + c)->setData(Qt::BackgroundRole, QBrush(headers[static_cast<std::size_t>(c)]));
    QFont bold = flxComp_->font();
    bold.setBold(true);
    auto paintRow = [&](int line, const SummaryRow& row, bool conclusion) {
        for (int c = 1; c < flxComp_->columnCount(); ++c) {
            QTableWidgetItem* item = flxComp_->item(line, c);
            item->setData(Qt::BackgroundRole, QBrush(Qt::black));
            item->setData(Qt::ForegroundRole, QBrush(Qt::white));
            item->setData(Qt::FontRole, bold);
        }
        QTableWidgetItem* type = flxComp_->item(line, 0);
        const QColor typeColour(row.typeColour.red, row.typeColour.green, row.typeColour.blue);
        type->setData(Qt::BackgroundRole, QBrush(conclusion ? shadeColour(row.scoreShade) : typeColour));
        type->setData(Qt::ForegroundRole, QBrush(Qt::black));
        type->setData(Qt::FontRole, bold);
        if (row.blank) return;
        flxComp_->item(line, 2)->setData(Qt::ForegroundRole, QBrush(shadeColour(row.scoreShade)));
        if (lie) flxComp_->item(line, 3)->setData(Qt::ForegroundRole, QBrush(QColor(128, 128, 128)));
        for (int c = 0; c < 4; ++c) {
            if (row.components[static_cast<std::size_t>(c)].empty()) continue;
            flxComp_->item(line, firstComponent + c)
                ->setData(Qt::ForegroundRole, QBrush(shadeColour(row.componentShades[static_cast<std::size_t>(c)])));
        }
    };
    int line = 3;
    for (const SummaryRow& row : table.rows) paintRow(line++, row, false);
    if (table.conclusion) paintRow(line, *table.conclusion, true);
    flxComp_->resizeColumnsToContents();
    flxComp_->horizontalHeader()->setStretchLastSection(true);
    flxComp_->viewport()->update();
}

bool TfrmResult::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) decision_.activated();
    return QDialog::event(event);
}

void TfrmResult::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        mnuExitClick();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TfrmResult::reject() {
    // Closing the window by its frame goes back to the chart editor.
    mnuToChartClick();
}

ResultWindowExit showResults(QWidget* parent, core::Workstation& workstation, const ScoringWorkspace& workspace) {
    TfrmResult window(workstation, workspace, parent);
    window.setWindowState(window.windowState() | Qt::WindowMaximized);
    window.exec();
    return window.exitKind();
}

}  // namespace lumo::scoring::ui
