#pragma once

#include <QMainWindow>
#include <array>
#include <functional>
#include <map>

#include "core/main_window_state.h"

class QAction;
class QLabel;
class QMenu;
class QStackedWidget;
class QTabBar;
class QToolButton;

namespace lumo::core {
class Workstation;
}

namespace lumo::core::ui {

// The hub of the workstation: menu bar, tool bar with three pages, the
// template, exam and chart strips and the hint panel. Every rule lives in
// MainWindowState; this window draws what it says and runs the commands the
// application plugs in.
class TfrmMain : public QMainWindow {
    Q_OBJECT

public:
    // Asks a yes/no question (title, text): the exit confirmation.
    using ConfirmFunction = std::function<bool(const QString& title, const QString& text)>;
    // Shows an error box (title, text).
    using ErrorFunction = std::function<void(const QString& title, const QString& text)>;

    // With `splash` the About window greets the examiner modally before the
    // constructor returns.
    explicit TfrmMain(Workstation& workstation, bool splash = false, QWidget* parent = nullptr);
    ~TfrmMain() override;

    MainWindowState& state() { return state_; }

    // Plugs a command's window in; the command becomes available and runs
    // `handler` inside the common frame. An empty handler takes it out again.
    void setCommandHandler(Command command, std::function<void()> handler);
    // Runs once when the exit is confirmed, before the window closes.
    void setCloseHandler(std::function<void()> hook) { closeHandler_ = std::move(hook); }
    void setConfirmFunction(ConfirmFunction confirm) { confirm_ = std::move(confirm); }
    void setErrorFunction(ErrorFunction error) { error_ = std::move(error); }

    // Where the examiner started a command: a refused command reopens its
    // menu only when it came from the menu.
    enum class Origin { Menu, Button };

    // Runs a command as the menu or its button would, if it is enabled now.
    void runCommand(Command command, Origin origin = Origin::Menu);
    // The common frame: runs `body`, reports any error in the error box with
    // the command's message, then re-reads the exams and refreshes the status.
    void runFramed(Command command, const std::function<void()>& body);

    // Language setup: every caption, hint, heading and picture by Language.
    void applyLanguage();
    // Status refresh from the records, then every widget redrawn.
    void refreshStatus();
    // Opens a menu with the item `downCount` places below its first one
    // active, so the examiner goes on in the menu after a refused command;
    // not when the running command was started from a button.
    void reopenMenu(Menu menu, int downCount);
    // The splash and the About box: the About window shown modally.
    void showSplash();

    // Widgets, for the commands that need to point at them and for tests.
    QAction* commandAction(Command command) const;
    QToolButton* commandButton(Command command) const;
    QMenu* menu(Menu menu) const;
    QAction* menuAction(Menu menu) const;
    QTabBar* stripBar(Strip strip) const;
    QWidget* stripPanel(Strip strip) const;
    QTabBar* toolBarTabs() const { return toolTabs_; }
    QString hintPanelText() const;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    struct StripWidgets {
        QWidget* panel = nullptr;
        QLabel* heading = nullptr;
        QTabBar* bar = nullptr;
    };

    void buildMenus();
    QWidget* buildTopPanel();
    QWidget* buildStrip(Strip strip);
    QWidget* buildHintPanel();
    QToolButton* makeButton(Command command, bool withText);
    void refreshMenu(Menu menu);
    void refreshWidgets();
    void fillStrip(Strip strip);
    void showToolPage(int page);
    void showHint(const QString& text);
    void showError(const QString& text);

    MainWindowState state_;
    std::map<Command, std::function<void()>> handlers_;
    std::function<void()> closeHandler_;
    ConfirmFunction confirm_;
    ErrorFunction error_;
    bool running_ = false;  // commands never overlap
    Origin origin_ = Origin::Menu;
    bool closed_ = false;   // the exit was confirmed
    bool shownOnce_ = false;

    std::array<QMenu*, kMenuCount> menus_{};
    QAction* testAction_ = nullptr;
    std::map<Command, QAction*> actions_;
    std::map<Command, QToolButton*> buttons_;
    QTabBar* toolTabs_ = nullptr;
    QStackedWidget* toolPages_ = nullptr;
    QLabel* toolPageName_ = nullptr;
    QLabel* logoText_ = nullptr;
    QLabel* desk_ = nullptr;
    std::array<StripWidgets, 3> strips_{};
    QLabel* hintLabel_ = nullptr;
    QLabel* hintText_ = nullptr;
};

}  // namespace lumo::core::ui
