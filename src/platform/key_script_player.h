#pragma once

#include <QObject>
#include <QString>
#include <filesystem>
#include <vector>

#include "core/key_script.h"

class QTimer;
class QWidget;

namespace lumo::platform {

// Plays a key script into the running program as an examiner at the keyboard
// would: keys go to the control with the focus in the active window (the open
// menu first), shortcuts and access keys included, and each step waits for the
// windows the previous ones opened. The whole-process tests drive the
// workstation with it and take pictures of its windows on the way. A step that
// cannot be done ends the process with exit code 3 and the reason on stderr.
class KeyScriptPlayer : public QObject {
    Q_OBJECT

public:
    // Pictures are saved relative to `pictureFolder`.
    KeyScriptPlayer(std::vector<core::KeyScriptStep> steps, std::filesystem::path pictureFolder,
                    QObject* parent = nullptr);

    void start();

private:
    void tick();
    bool perform(const core::KeyScriptStep& step);  // false while it must wait
    [[noreturn]] void fail(const core::KeyScriptStep& step, const QString& why) const;

    std::vector<core::KeyScriptStep> steps_;
    std::filesystem::path pictureFolder_;
    std::size_t next_ = 0;
    qint64 waitingSince_ = -1;
    QTimer* timer_;
};

// The window keys go to now: the open menu, else the modal dialog, else the active window.
QWidget* activeTopWindow();

}  // namespace lumo::platform
