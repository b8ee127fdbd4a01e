#include "recording/test_window_rules.h"

namespace lumo::recording {

namespace {

std::optional<TestKey> runKey(WindowKey key) {
    switch (key) {
    case WindowKey::Space: return TestKey::Space;
    case WindowKey::Right: return TestKey::Right;
    case WindowKey::Left: return TestKey::Left;
    case WindowKey::F1: return TestKey::F1;
    case WindowKey::F2: return TestKey::F2;
    case WindowKey::F3: return TestKey::F3;
    case WindowKey::F5: return TestKey::F5;
    case WindowKey::F6: return TestKey::F6;
    case WindowKey::F7: return TestKey::F7;
    case WindowKey::F8: return TestKey::F8;
    case WindowKey::F9: return TestKey::F9;
    case WindowKey::Escape: return TestKey::Escape;
    case WindowKey::F4:
    case WindowKey::Enter:
    case WindowKey::Other: break;
    }
    return std::nullopt;
}

}  // namespace

KeyRoute routeWindowKey(WindowKey key, bool alt, bool paused) {
    if (key == WindowKey::F4 && alt) key = WindowKey::Escape;
    if (key == WindowKey::Enter) return {true, std::nullopt};
    const std::optional<TestKey> mapped = runKey(key);
    if (!mapped) return {paused, std::nullopt};
    return {true, mapped};
}

}  // namespace lumo::recording
