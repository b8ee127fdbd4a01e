#include "recording/test_window_rules.h"

#include <gtest/gtest.h>

#include "core/settings.h"
#include "core/test_home.h"

namespace lumo::recording {
namespace {

TEST(TestWindowKeys, AltF4IsEscAndEnterIsSwallowed) {
    KeyRoute route = routeWindowKey(WindowKey::F4, true, false);
    EXPECT_TRUE(route.taken);
    EXPECT_EQ(route.toRun, TestKey::Escape);
    // F4 alone is nothing to the run: the widgets may have it.
    route = routeWindowKey(WindowKey::F4, false, false);
    EXPECT_FALSE(route.taken);
    EXPECT_FALSE(route.toRun);

    for (bool paused : {false, true}) {
        route = routeWindowKey(WindowKey::Enter, false, paused);
        EXPECT_TRUE(route.taken);
        EXPECT_FALSE(route.toRun);
    }
}

TEST(TestWindowKeys, TheRunGetsItsKeysAndWhilePausedNothingElsePasses) {
    const std::pair<WindowKey, TestKey> keys[] = {
        {WindowKey::Space, TestKey::Space}, {WindowKey::Right, TestKey::Right}, {WindowKey::Left, TestKey::Left},
        {WindowKey::F1, TestKey::F1},       {WindowKey::F2, TestKey::F2},       {WindowKey::F3, TestKey::F3},
        {WindowKey::F5, TestKey::F5},       {WindowKey::F8, TestKey::F8},       {WindowKey::F9, TestKey::F9},
        {WindowKey::Escape, TestKey::Escape}};
    for (const auto& [key, expected] : keys) {
        // The run itself ignores all but F9 while paused; the window hands them on either way.
        for (bool paused : {false, true}) {
            const KeyRoute route = routeWindowKey(key, false, paused);
            EXPECT_TRUE(route.taken);
            EXPECT_EQ(route.toRun, expected);
        }
    }
    EXPECT_FALSE(routeWindowKey(WindowKey::Other, false, false).taken);  // list navigation, typing
    EXPECT_TRUE(routeWindowKey(WindowKey::Other, false, true).taken);
    EXPECT_FALSE(routeWindowKey(WindowKey::Other, true, true).toRun);
}

TEST(TestWindowMessage, ThePauseNoticeCoversTheLastMessageUntilResumed) {
    MessagePanel panel("Pause\n(F9)");
    EXPECT_EQ(panel.caption(false), "");
    panel.setMessage("Sensors\ntuning");
    EXPECT_EQ(panel.caption(true), "Pause\n(F9)");
    panel.setMessage("Test - space");  // arrives while paused
    EXPECT_EQ(panel.caption(true), "Pause\n(F9)");
    EXPECT_EQ(panel.caption(false), "Test - space");
}

TEST(TestWindowArtefacts, CaptionsAreReadInTheSettingsLanguage) {
    test::TempHome home;
    test::writeMinimalIni(home.path(), {"Language=RUS", "Rus_Art5=Кашель", "Eng_Art5=Cough", "Rus_Art8=Движение"});
    core::Settings settings(home.path());
    settings.load();
    const std::array<std::string, 4> captions = readArtefactCaptions(settings);
    EXPECT_EQ(captions[0], "Кашель");
    EXPECT_EQ(captions[1], "");
    EXPECT_EQ(captions[3], "Движение");
}

}  // namespace
}  // namespace lumo::recording
