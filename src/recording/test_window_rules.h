#pragma once

#include <optional>
#include <string>
#include <utility>

#include "recording/test_run.h"

namespace lumo::recording {

// The keys the test window tells apart before the run sees them.
enum class WindowKey { Space, Right, Left, F1, F2, F3, F4, F5, F6, F7, F8, F9, Escape, Enter, Other };

// What the window does with a key press.
struct KeyRoute {
    bool taken = false;            // kept from the window's widgets
    std::optional<TestKey> toRun;  // the key the run is given
};

// The window sees every key of its widgets first. Alt+F4 acts as Esc; Enter
// is swallowed (the window has no default button); a key the run does not
// know is left to the widgets, except while paused, when only F9 counts.
KeyRoute routeWindowKey(WindowKey key, bool alt, bool paused);

// The message panel's text: the run's last message, or the pause notice
// while the run is paused (the message comes back on resuming).
class MessagePanel {
public:
    explicit MessagePanel(std::string pauseNotice) : pauseNotice_(std::move(pauseNotice)) {}

    void setMessage(std::string text) { message_ = std::move(text); }
    const std::string& caption(bool paused) const { return paused ? pauseNotice_ : message_; }

private:
    std::string pauseNotice_;
    std::string message_;
};

}  // namespace lumo::recording
