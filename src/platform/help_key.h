#pragma once

#include <QObject>
#include <functional>

class QApplication;
class QWidget;

namespace lumo::platform {

class HelpViewer;

// F1 in any window of the workstation opens the help page of that window (a
// message box or a file dialog counts as the window that raised it; a window
// without a page opens the contents). A window that keeps F1 for itself gets
// the key untouched. When a window whose closing ends the help goes away, the
// help window closes with it.
class HelpKey : public QObject {
    Q_OBJECT

public:
    // Gives the help window, making it on first use.
    using ViewerAccess = std::function<HelpViewer&()>;

    explicit HelpKey(ViewerAccess viewer, QObject* parent = nullptr);

    // The page F1 opens in `window`: its topic's page, "" for a window that keeps F1.
    static std::string pageFor(const QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ViewerAccess viewer_;
};

// Watches every window of `application` for F1 from now on.
void installHelpKey(QApplication& application, HelpKey::ViewerAccess viewer);

}  // namespace lumo::platform
