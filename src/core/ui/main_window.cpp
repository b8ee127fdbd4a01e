#include "core/ui/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QStackedWidget>
#include <QStatusTipEvent>
#include <QTabBar>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>
#include <new>

#include "core/ui/about_window.h"
#include "core/ui/qt_text.h"
#include "core/workstation.h"

namespace lumo::core::ui {

namespace {

int stripIndex(Strip strip) {
    return static_cast<int>(strip);
}

// The picture of a command's button.
QString iconFile(Command command) {
    switch (command) {
        case Command::ChooseExaminee: return "examinee_choose";
        case Command::NewExaminee: return "examinee_new";
        case Command::EditExaminee: return "examinee_edit";
        case Command::ArchiveExaminee: return "examinee_archive";
        case Command::ExamineeState: return "examinee_state";
        case Command::NewTemplate: return "template_new";
        case Command::EditTemplate: return "template_edit";
        case Command::QuestionBase: return "question_base";
        case Command::Operators: return "operators";
        case Command::SystemParameters: return "system_parameters";
        case Command::Crimes: return "crimes";
        case Command::Calibrate: return "calibrate";
        case Command::EditSelectedTemplate: return "template_open";
        case Command::DeleteTemplate: return "template_delete";
        case Command::PrepareExam: return "prepare_exam";
        case Command::RunExam: return "examine";
        case Command::EditExam: return "exam_edit";
        case Command::EditOrder: return "order_edit";
        case Command::ChooseOrder: return "order_choose";
        case Command::DeleteExam: return "exam_delete";
        case Command::ConvertToTemplate: return "convert_template";
        case Command::AnalysePolygram: return "chart_analyse";
        case Command::ComparePolygrams: return "chart_compare";
        case Command::HandResults: return "hand_results";
        case Command::ExamResults: return "exam_results";
        default: return {};
    }
}

// The strips' object names, for style sheets and tests.
const char* stripName(Strip strip) {
    switch (strip) {
        case Strip::Templates: return "Templates";
        case Strip::Exams: return "Exams";
        case Strip::Charts: return "Charts";
    }
    return "";
}

constexpr Menu kAllMenus[kMenuCount] = {Menu::Examinee, Menu::Preparations, Menu::Test,
                                        Menu::Results,  Menu::System,       Menu::Help};
constexpr Strip kAllStrips[3] = {Strip::Templates, Strip::Exams, Strip::Charts};

const char* kStyle =
    "#pnlTop { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #f7f9fc, stop:1 #e3eaf3);"
    " border-bottom: 1px solid #aab8c8; }"
    "#lblToolPage { color: #1f4e79; font-weight: bold; }"
    "#lblLogo { color: #1f4e79; font-weight: bold; }"
    "#pnlDesk { background: #fbfbf7; }"
    "QFrame[strip=\"true\"] { background: #eef2f7; border-top: 1px solid #c5d0dc; }"
    "QLabel[heading=\"true\"] { color: #1f4e79; font-weight: bold; }"
    "#pnlHint { background: #ffffe0; border-top: 1px solid #c8c8a0; }"
    "#lblHintCaption { color: #7a5b00; font-weight: bold; }";

}  // namespace

TfrmMain::TfrmMain(Workstation& workstation, bool splash, QWidget* parent)
    : QMainWindow(parent), state_(workstation) {
    setObjectName("frmMain");
    setStyleSheet(kStyle);

    // Tool-tips in the workstation's hint colour.
    QPalette tips = QToolTip::palette();
    tips.setColor(QPalette::ToolTipBase, QColor(255, 255, 128));
    tips.setColor(QPalette::ToolTipText, Qt::black);
    QToolTip::setPalette(tips);

    confirm_ = [this](const QString& title, const QString& text) {
        QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Ok | QMessageBox::Cancel, this);
        box.button(QMessageBox::Ok)->setText(qs(state_.okCaption()));
        box.button(QMessageBox::Cancel)->setText(qs(state_.cancelCaption()));
        box.setDefaultButton(QMessageBox::Ok);
        return box.exec() == QMessageBox::Ok;
    };
    error_ = [this](const QString& title, const QString& text) { QMessageBox::critical(this, title, text); };

    buildMenus();
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildTopPanel());
    for (Strip strip : kAllStrips) layout->addWidget(buildStrip(strip));
    desk_ = new QLabel(central);
    desk_->setObjectName("pnlDesk");
    desk_->setAlignment(Qt::AlignCenter);
    desk_->setMinimumHeight(fontMetrics().height() * 6);
    layout->addWidget(desk_, 1);
    layout->addWidget(buildHintPanel());
    setCentralWidget(central);

    const int unit = fontMetrics().averageCharWidth();
    resize(unit * 130, fontMetrics().height() * 36);

    if (splash) showSplash();

    applyLanguage();
    refreshStatus();
    showToolPage(0);
}

TfrmMain::~TfrmMain() = default;

// --- construction ------------------------------------------------------------

void TfrmMain::buildMenus() {
    for (Menu menu : kAllMenus) {
        if (menu == Menu::Test) {
            // The Test menu has no items: choosing it runs the command.
            testAction_ = menuBar()->addAction(QString());
            testAction_->setObjectName("mnuTest");
            connect(testAction_, &QAction::triggered, this, [this] { runCommand(Command::Test); });
            actions_[Command::Test] = testAction_;
            continue;
        }
        QMenu* popup = menuBar()->addMenu(QString());
        menus_[static_cast<std::size_t>(menu)] = popup;
        for (Command command : MainWindowState::menuItems(menu)) {
            // Exit and About stand apart from the commands above them.
            if (command == Command::Exit || command == Command::About) popup->addSeparator();
            QAction* action = popup->addAction(QString());
            connect(action, &QAction::triggered, this, [this, command] { runCommand(command); });
            actions_[command] = action;
        }
        connect(popup, &QMenu::aboutToShow, this, [this, menu] { refreshMenu(menu); });
    }
}

QToolButton* TfrmMain::makeButton(Command command, bool withText) {
    auto* button = new QToolButton(this);
    button->setIcon(QIcon(":/images/" + iconFile(command) + ".svg"));
    const int side = fontMetrics().height() * (withText ? 2 : 1) + fontMetrics().height() / 2;
    button->setIconSize(QSize(side, side));
    button->setToolButtonStyle(withText ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
    button->setAutoRaise(true);
    connect(button, &QToolButton::clicked, this, [this, command] { runCommand(command, Origin::Button); });
    buttons_[command] = button;
    return button;
}

QWidget* TfrmMain::buildTopPanel() {
    auto* panel = new QFrame(this);
    panel->setObjectName("pnlTop");
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(8, 4, 8, 4);

    auto* toolBlock = new QVBoxLayout();
    toolBlock->setSpacing(0);
    toolTabs_ = new QTabBar(panel);
    toolTabs_->setObjectName("tabToolBar");
    toolTabs_->setDrawBase(false);
    toolPages_ = new QStackedWidget(panel);
    for (int page = 0; page < kToolPageCount; ++page) {
        toolTabs_->addTab(QString());
        auto* pageWidget = new QWidget(toolPages_);
        auto* buttons = new QHBoxLayout(pageWidget);
        buttons->setContentsMargins(2, 2, 2, 2);
        for (Command command : MainWindowState::toolPage(page)) buttons->addWidget(makeButton(command, true));
        buttons->addStretch(1);
        toolPages_->addWidget(pageWidget);
    }
    connect(toolTabs_, &QTabBar::currentChanged, this, [this](int page) {
        showToolPage(page);
        refreshStatus();
    });
    toolBlock->addWidget(toolTabs_, 0, Qt::AlignLeft);
    toolBlock->addWidget(toolPages_);
    row->addLayout(toolBlock);

    toolPageName_ = new QLabel(panel);
    toolPageName_->setObjectName("lblToolPage");
    QFont big = toolPageName_->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    toolPageName_->setFont(big);
    row->addSpacing(fontMetrics().averageCharWidth() * 2);
    row->addWidget(toolPageName_, 0, Qt::AlignVCenter);
    row->addStretch(1);

    auto* logoBlock = new QVBoxLayout();
    auto* logo = new QLabel(panel);
    logo->setObjectName("imgLogo");
    const int side = fontMetrics().height() * 4;
    logo->setPixmap(QIcon(":/images/logo.svg").pixmap(QSize(side, side)));
    logo->setAlignment(Qt::AlignCenter);
    logoText_ = new QLabel(panel);
    logoText_->setObjectName("lblLogo");
    logoText_->setAlignment(Qt::AlignCenter);
    logoBlock->addWidget(logo);
    logoBlock->addWidget(logoText_);
    row->addLayout(logoBlock);
    return panel;
}

QWidget* TfrmMain::buildStrip(Strip strip) {
    StripWidgets& widgets = strips_[static_cast<std::size_t>(stripIndex(strip))];
    auto* panel = new QFrame(this);
    panel->setObjectName(QString("pnl") + stripName(strip));
    panel->setProperty("strip", true);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(8, 2, 8, 2);

    widgets.heading = new QLabel(panel);
    widgets.heading->setProperty("heading", true);
    widgets.heading->setMinimumWidth(fontMetrics().averageCharWidth() * 14);
    row->addWidget(widgets.heading);

    widgets.bar = new QTabBar(panel);
    widgets.bar->setObjectName(QString("tab") + stripName(strip));
    widgets.bar->setUsesScrollButtons(true);
    widgets.bar->setExpanding(false);
    widgets.bar->setDrawBase(false);
    widgets.bar->setShape(QTabBar::RoundedSouth);
    row->addWidget(widgets.bar, 1);
    connect(widgets.bar, &QTabBar::currentChanged, this, [this, strip](int index) {
        switch (strip) {
            case Strip::Templates: state_.selectTemplate(index); break;
            case Strip::Exams: state_.selectExam(index); break;
            case Strip::Charts: state_.selectChart(index); break;
        }
        refreshWidgets();
    });

    for (Command command : MainWindowState::stripCommands(strip)) row->addWidget(makeButton(command, false));
    widgets.panel = panel;
    return panel;
}

QWidget* TfrmMain::buildHintPanel() {
    auto* panel = new QFrame(this);
    panel->setObjectName("pnlHint");
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(8, 3, 8, 3);
    hintLabel_ = new QLabel(panel);
    hintLabel_->setObjectName("lblHintCaption");
    hintText_ = new QLabel(panel);
    hintText_->setObjectName("lblHint");
    hintText_->setMinimumHeight(fontMetrics().height());
    row->addWidget(hintLabel_);
    row->addWidget(hintText_, 1);
    return panel;
}

// --- language and status -----------------------------------------------------

void TfrmMain::applyLanguage() {
    for (Menu menu : kAllMenus) {
        QAction* top = menuAction(menu);
        if (top != nullptr) top->setText(qs(state_.menuCaption(menu)));
    }
    for (auto& [command, action] : actions_) {
        if (command != Command::Test) action->setText(qs(state_.caption(command)));
        action->setStatusTip(qs(state_.longHint(command)));
        action->setToolTip(qs(state_.shortHint(command)));
    }
    for (auto& [command, button] : buttons_) {
        button->setText(qs(state_.shortHint(command)));
        button->setToolTip(qs(state_.shortHint(command)));
        button->setStatusTip(qs(state_.longHint(command)));
    }
    for (int page = 0; page < kToolPageCount; ++page) toolTabs_->setTabText(page, qs(state_.toolPageName(page)));
    toolPageName_->setText(toolTabs_->tabText(toolTabs_->currentIndex()));
    for (Strip strip : kAllStrips) {
        strips_[static_cast<std::size_t>(stripIndex(strip))].heading->setText(qs(state_.stripHeading(strip)));
    }
    logoText_->setText(qs(state_.logoText()));
    hintLabel_->setText(qs(state_.hintPanelLabel()));
    const QString name = state_.cyrillicProductName() ? ":/images/product_name_cyr.svg"
                                                      : ":/images/product_name_lat.svg";
    const int width = fontMetrics().averageCharWidth() * 40;
    desk_->setPixmap(QIcon(name).pixmap(QSize(width, width * 130 / 340), QIcon::Disabled));
}

void TfrmMain::refreshStatus() {
    state_.refreshStatus();
    refreshWidgets();
}

void TfrmMain::refreshWidgets() {
    setWindowTitle(qs(state_.windowCaption()));
    for (Menu menu : kAllMenus) {
        if (QAction* top = menuAction(menu)) top->setEnabled(state_.menuEnabled(menu));
        refreshMenu(menu);
    }
    for (auto& [command, button] : buttons_) button->setEnabled(state_.enabled(command));
    for (Strip strip : kAllStrips) fillStrip(strip);
}

void TfrmMain::refreshMenu(Menu menu) {
    for (Command command : MainWindowState::menuItems(menu)) actions_[command]->setEnabled(state_.enabled(command));
    if (menu == Menu::Examinee) actions_[Command::ArchiveExaminee]->setText(qs(state_.archiveCaption()));
}

void TfrmMain::fillStrip(Strip strip) {
    const StripView& view = state_.strip(strip);
    StripWidgets& widgets = strips_[static_cast<std::size_t>(stripIndex(strip))];
    // The strip is being rebuilt: its change handler must not act.
    const QSignalBlocker busy(widgets.bar);
    bool same = widgets.bar->count() == static_cast<int>(view.tabs.size());
    for (int i = 0; same && i < widgets.bar->count(); ++i) {
        same = widgets.bar->tabText(i) == qs(view.tabs[static_cast<std::size_t>(i)]);
    }
    if (!same) {
        while (widgets.bar->count() > 0) widgets.bar->removeTab(widgets.bar->count() - 1);
        for (const std::string& tab : view.tabs) widgets.bar->addTab(qs(tab));
        // A tab bar filled inside a hidden panel does not tell the layout
        // its new height; the panel would show it squeezed to nothing.
        widgets.bar->updateGeometry();
    }
    if (view.selected >= 0) widgets.bar->setCurrentIndex(view.selected);
    widgets.panel->setVisible(view.visible());
}

void TfrmMain::showToolPage(int page) {
    if (toolTabs_->currentIndex() != page) {
        const QSignalBlocker busy(toolTabs_);
        toolTabs_->setCurrentIndex(page);
    }
    toolPages_->setCurrentIndex(page);
    toolPageName_->setText(toolTabs_->tabText(page));
}

// --- commands ----------------------------------------------------------------

void TfrmMain::setCommandHandler(Command command, std::function<void()> handler) {
    if (command == Command::Exit || command == Command::About) return;  // the window's own
    const bool available = static_cast<bool>(handler);
    if (available) {
        handlers_[command] = std::move(handler);
    } else {
        handlers_.erase(command);
    }
    state_.setAvailable(command, available);
    refreshWidgets();
}

void TfrmMain::runCommand(Command command, Origin origin) {
    if (running_ || !state_.enabled(command)) return;
    origin_ = origin;
    if (command == Command::Exit) {
        QString caption = qs(state_.caption(command)).trimmed();
        showHint(caption.remove('&'));
        close();
        return;
    }
    if (command == Command::About) {
        runFramed(command, [this] { showSplash(); });
        return;
    }
    const auto handler = handlers_.find(command);
    if (handler == handlers_.end()) return;
    const std::function<void()> body = handler->second;  // the handler may replace itself
    runFramed(command, body);
}

void TfrmMain::runFramed(Command command, const std::function<void()>& body) {
    running_ = true;
    try {
        body();
    } catch (const CommandStepError& error) {
        showError(qs(state_.errorText(error)));
    } catch (const std::bad_alloc& error) {
        showError(qs(state_.errorText(command, error.what(), true)));
    } catch (const std::exception& error) {
        showError(qs(state_.errorText(command, error.what(), false)));
    } catch (...) {
        showError(qs(state_.errorText(command, {}, false)));
    }
    running_ = false;
    // The command may have changed the examinee's files.
    try {
        state_.reloadExams();
    } catch (const std::exception& error) {
        showError(qs(error.what()));
    }
    refreshStatus();
}

void TfrmMain::showSplash() {
    // As the splash it comes before the window is shown: centred on the screen then.
    TfrmAbout about(state_, isVisible() ? this : nullptr);
    about.exec();
}

void TfrmMain::showError(const QString& text) {
    if (error_) error_(windowTitle(), text);
}

void TfrmMain::reopenMenu(Menu menu, int downCount) {
    if (running_ && origin_ == Origin::Button) return;
    QMenu* popup = this->menu(menu);
    if (popup == nullptr || !state_.menuEnabled(menu)) return;
    menuBar()->setActiveAction(popup->menuAction());
    QList<QAction*> items;
    for (QAction* action : popup->actions()) {
        if (!action->isSeparator() && action->isVisible()) items.append(action);
    }
    if (items.isEmpty()) return;
    popup->setActiveAction(items[std::min(std::max(downCount, 0), static_cast<int>(items.size()) - 1)]);
}

// --- events ------------------------------------------------------------------

bool TfrmMain::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        // Menus and buttons carry the long part of their hint as status tip;
        // leaving them sends an empty one, which clears the panel.
        showHint(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void TfrmMain::showHint(const QString& text) {
    hintText_->setText(text);
}

QString TfrmMain::hintPanelText() const {
    return hintText_->text();
}

void TfrmMain::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    if (closed_) {
        event->accept();
        return;
    }
    if (running_ || !confirm_ || !confirm_(qs(state_.applicationTitle()), qs(state_.exitConfirmation()))) {
        event->ignore();
        return;
    }
    closed_ = true;
    // Clicks reach the window while shut-down pumps the message loop.
    setEnabled(false);
    if (closeHandler_) {
        try {
            closeHandler_();
        } catch (...) {
            // The way out must not be blocked by a failed save or release.
        }
    }
    event->accept();
}

void TfrmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shownOnce_) return;
    shownOnce_ = true;
    applyLanguage();
    refreshStatus();
    showToolPage(0);
    activateWindow();
}

// --- widgets -----------------------------------------------------------------

QAction* TfrmMain::commandAction(Command command) const {
    const auto it = actions_.find(command);
    return it == actions_.end() ? nullptr : it->second;
}

QToolButton* TfrmMain::commandButton(Command command) const {
    const auto it = buttons_.find(command);
    return it == buttons_.end() ? nullptr : it->second;
}

QMenu* TfrmMain::menu(Menu menu) const {
    return menus_[static_cast<std::size_t>(menu)];
}

QAction* TfrmMain::menuAction(Menu menu) const {
    if (menu == Menu::Test) return testAction_;
    QMenu* popup = this->menu(menu);
    return popup == nullptr ? nullptr : popup->menuAction();
}

QTabBar* TfrmMain::stripBar(Strip strip) const {
    return strips_[static_cast<std::size_t>(stripIndex(strip))].bar;
}

QWidget* TfrmMain::stripPanel(Strip strip) const {
    return strips_[static_cast<std::size_t>(stripIndex(strip))].panel;
}

}  // namespace lumo::core::ui
