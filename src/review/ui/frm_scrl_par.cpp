#include "review/ui/frm_scrl_par.h"

#include <QApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>

#include "core/colors.h"
#include "core/texts/core.h"
#include "core/texts/review.h"
#include "core/workstation.h"
#include "platform/dialog_conventions.h"
#include "platform/message_box.h"
#include "platform/qt_text.h"
#include "recording/ui/chart_display.h"
#include "review/scroll_par_layout.h"
#include "review/scroll_par_view.h"
#include "review/ui/scroll_par_canvas.h"
#include "review/ui/scroll_par_chart_buttons.h"
#include "review/ui/scroll_par_scale_list.h"

namespace lumo::review::ui {

using platform::qs;

namespace {

QRect toQRect(const ParRect& rect) {
    return {rect.x, rect.y, rect.width, rect.height};
}

// The grid button's picture: a few dotted columns.
QIcon gridIcon(int side) {
    QPixmap picture(side, side);
    picture.fill(Qt::black);
    QPainter painter(&picture);
    painter.setPen(QColor(128, 128, 128));
    for (int x = side / 4; x < side; x += side / 4) {
        for (int y = 0; y < side; y += 3) painter.drawPoint(x, y);
    }
    return QIcon(picture);
}

}  // namespace

TfrmScrlPar::TfrmScrlPar(core::Workstation& workstation, const ReviewTarget& target, QWidget* parent)
    : QDialog(parent),
      ws_(workstation),
      view_(std::make_unique<ParameterScroll>(workstation.settings(), workstation.texts(), target)) {
    setObjectName("frmScrlPar");
    const core::Texts& texts = ws_.texts();
    conventions_ = new platform::DialogConventions(*this, texts);
    // The view's layout has no room for a hint panel: the hints show as tool-tips.
    conventions_->hintPanel()->hide();
    setWindowTitle(qs(view_->caption()));
    setStyleSheet(QStringLiteral("#frmScrlPar { background: #404040; }"
                                 "#lblScale { background: silver; color: black; border: 1px solid gray;"
                                 " padding: 2px 8px; }"));
    message_ = [this](QMessageBox::Icon icon, const QString& text) {
        platform::showMessage(this, icon, windowTitle(), text, ws_.texts());
    };

    buildPanel(1);
    buildBottomRow();
    buildPanel(2);
    setTabOrder(lstScale_, cmdExit_);
    setTabOrder(cmdExit_, widgets(1).grid);
    setTabOrder(widgets(1).grid, widgets(1).bar);
    setTabOrder(widgets(1).bar, widgets(2).grid);
    setTabOrder(widgets(2).grid, widgets(2).bar);

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        setGeometry(screen->availableGeometry());
        resolution_ = recording::ui::paperResolution(screen, ws_.settings());
    }
    view_->setResolution(resolution_);
    layOutWindow();
    openingProblems_ = view_->open();
    for (int p : {1, 2}) {
        showChartButtons(p);
        placePanel(p);
        paintHeader(p);
    }
    lstScale_->setCurrentRow(static_cast<int>(ParScale::AtAll));
    lstScale_->setFocus();
    setWindowState(windowState() | Qt::WindowMaximized);

    // Losing the program's focus leaves a picture that may be stale.
    applicationState_ = connect(qApp, &QGuiApplication::applicationStateChanged, this,
                                [this](Qt::ApplicationState state) {
                                    if (state != Qt::ApplicationActive) deactivated();
                                });
}

TfrmScrlPar::~TfrmScrlPar() {
    disconnect(applicationState_);
}

void TfrmScrlPar::buildPanel(int p) {
    const core::Texts& texts = ws_.texts();
    PanelWidgets& w = widgets(p);
    const QString suffix = QString::number(p);
    const QString panelName = qs(texts(p == 1 ? txt::ScrlParUpper : txt::ScrlParLower));

    w.header = new QFrame(this);
    w.header->setObjectName("pnlHeader" + suffix);
    auto* row = new QHBoxLayout(w.header);
    row->setContentsMargins(4, 2, 4, 2);
    w.grid = new QToolButton(w.header);
    w.grid->setObjectName("sbGrid" + suffix);
    w.grid->setText(qs(texts(txt::ScrlParGrid)));
    w.grid->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    w.grid->setIcon(gridIcon(w.grid->fontMetrics().height()));
    w.grid->setCheckable(true);
    w.grid->setChecked(true);
    w.grid->setFocusPolicy(Qt::StrongFocus);
    w.grid->setAccessibleName(qs(texts(txt::ScrlParGrid)) + " (" + panelName + ")");
    conventions_->setHint(w.grid, texts(txt::ScrlParGridHint));
    w.grid->installEventFilter(this);
    connect(w.grid, &QToolButton::clicked, this, [this, p] { toggleGrid(p); });
    w.charts = new TParChartButtons(qs(texts(txt::ReviewCharts)), w.header);
    w.charts->setObjectName("pnlCharts" + suffix);
    connect(w.charts, &TParChartButtons::chartClicked, this, [this, p](int digit) { switchChart(p, digit); });
    row->addWidget(w.grid);
    row->addSpacing(12);
    row->addWidget(w.charts);
    row->addStretch();

    w.panel = new QWidget(this);
    w.panel->setObjectName("pnlChart" + suffix);
    w.area = new TParChartArea(w.panel);
    w.area->setObjectName("pbChart" + suffix);
    w.area->setAccessibleName(panelName);
    w.area->setBeforePaint([this, p] { redrawIfStale(p); });
    connect(w.area, &TParChartArea::pressed, this, [this, p](int x) { showInfo(p, view_->press(p, x)); });
    connect(w.area, &TParChartArea::released, this, [this, p] {
        view_->release(p);
        widgets(p).info->hide();
        widgets(p).area->update();
    });
    w.bar = new QScrollBar(Qt::Horizontal, w.panel);
    w.bar->setObjectName("sbScroll" + suffix);
    w.bar->setAccessibleName(panelName);
    w.bar->setFocusPolicy(Qt::StrongFocus);
    w.bar->setSingleStep(1);
    w.bar->setPageStep(16);
    w.bar->installEventFilter(this);
    connect(w.bar, &QScrollBar::valueChanged, this, [this, p](int value) { scrolled(p, value); });

    w.info = new QLabel(this);
    w.info->setObjectName("pnlInfo" + suffix);
    QFont bold = w.info->font();
    bold.setBold(true);
    w.info->setFont(bold);
    w.info->setAlignment(Qt::AlignCenter);
    w.info->hide();
}

void TfrmScrlPar::buildBottomRow() {
    const core::Texts& texts = ws_.texts();
    lstScale_ = new TParScaleList(view_->scaleEntries(), this);
    lstScale_->installEventFilter(this);
    conventions_->setHint(lstScale_, texts(txt::ScrlParScaleHint));
    conventions_->addField(lstScale_);
    lblScale_ = conventions_->makeLabel(texts(txt::ScrlParScale), lstScale_);
    lblScale_->setObjectName("lblScale");
    connect(lstScale_, &QListWidget::itemDoubleClicked, this, [this] { applyScale(); });

    cmdExit_ = new QPushButton(qs(texts(txt::ButtonExit)), this);
    cmdExit_->setObjectName("cmdExit");
    // Enter applies a scale on the list: Exit answers it only with the focus.
    cmdExit_->setAutoDefault(false);
    conventions_->setHint(cmdExit_, texts(txt::ReviewExitHint));
    conventions_->addField(cmdExit_);
    cmdExit_->installEventFilter(this);
    connect(cmdExit_, &QPushButton::clicked, this, &QDialog::accept);
}

void TfrmScrlPar::layOutWindow() {
    const QSize exit = cmdExit_->sizeHint().expandedTo(QSize(cmdExit_->fontMetrics().horizontalAdvance("WWWWWWWW"), 0));
    lstScale_->fitTo(exit.height());
    const QSize label = lblScale_->sizeHint();
    int headerHeight = 0;
    for (const PanelWidgets& w : panels_) headerHeight = std::max(headerHeight, w.header->sizeHint().height());
    const ParLayout layout = parLayout({width(), height(), headerHeight, exit.width(), exit.height(), label.width(),
                                        label.height(), lstScale_->width()});
    for (int p : {1, 2}) {
        PanelWidgets& w = widgets(p);
        w.header->setGeometry(toQRect(layout.headers[static_cast<std::size_t>(p - 1)]));
        w.panel->setGeometry(toQRect(layout.panels[static_cast<std::size_t>(p - 1)]));
    }
    cmdExit_->setGeometry(toQRect(layout.exit));
    lblScale_->setGeometry(toQRect(layout.label));
    lstScale_->move(layout.list.x, layout.list.y);

    const QSize panel = widgets(1).panel->size();
    const int bar = widgets(1).bar->sizeHint().height();
    const ParPanel& shown = view_->panel(1);
    if (shown.width() != panel.width() || shown.scrollBar().height != bar ||
        shown.scrollBar().y != panel.height() - 4 - bar) {
        view_->setPanelSize(panel.width(), panel.height(), bar);
    }
}

void TfrmScrlPar::placePanel(int p) {
    PanelWidgets& w = widgets(p);
    const ParPanel& shown = view_->panel(p);
    w.area->setGeometry(toQRect(shown.area()));
    w.bar->setGeometry(toQRect(shown.scrollBar()));
    {
        const QSignalBlocker quiet(w.bar);
        w.bar->setRange(0, shown.scrollMaximum());
        w.bar->setValue(shown.position());
    }
    w.bar->setVisible(shown.scrollBarShown());
    w.info->hide();
    failed_[static_cast<std::size_t>(p - 1)] = false;
    w.area->update();
}

void TfrmScrlPar::showChartButtons(int p) {
    TParChartButtons* charts = widgets(p).charts;
    view_->setLoading(true);
    for (int d = 1; d <= 9; ++d) charts->setAvailable(d, view_->chartAvailable(d));
    charts->setDown(view_->panel(p).chartDigit());
    view_->setLoading(false);
}

void TfrmScrlPar::paintHeader(int p) {
    const core::Rgb colour = view_->headerColour(p);
    widgets(p).header->setStyleSheet(QStringLiteral("QFrame#pnlHeader%1 { background: %2; }")
                                         .arg(p)
                                         .arg(QColor(colour.red, colour.green, colour.blue).name()));
}

void TfrmScrlPar::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (openingProblems_.empty()) return;
    // Told once the view stands, so the examiner sees what is meant.
    QTimer::singleShot(0, this, [this] {
        const std::string problems = std::move(openingProblems_);
        openingProblems_.clear();
        if (!problems.empty()) tell(QMessageBox::Warning, problems);
    });
}

void TfrmScrlPar::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    const QSize before = widgets(1).panel->size();
    layOutWindow();
    if (widgets(1).panel->size() == before) return;
    for (int p : {1, 2}) placePanel(p);
}

void TfrmScrlPar::tell(QMessageBox::Icon icon, const std::string& text) {
    if (message_) message_(icon, qs(text));
}

}  // namespace lumo::review::ui
