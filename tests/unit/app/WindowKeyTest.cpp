#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include "app/InputEvents.h"
#include "app/Window.h"

TEST(ZoomKeys, FoundFromTheActiveLayoutButNeverOnTheKeypad) {
    // German: + and - sit on the keys that a US layout calls ] and /.
    const KeyNameFunction german = [](int key) -> const char* {
        return key == GLFW_KEY_RIGHT_BRACKET ? "+" : key == GLFW_KEY_SLASH ? "-" : nullptr;
    };
    EXPECT_EQ(findKeyTyping('+', german), GLFW_KEY_RIGHT_BRACKET);
    EXPECT_EQ(findKeyTyping('-', german), GLFW_KEY_SLASH);
    // Only the keypad types them (as no US key types + without Shift): = and - stand in.
    const KeyNameFunction keypad = [](int key) -> const char* {
        return key == GLFW_KEY_KP_ADD ? "+" : key == GLFW_KEY_KP_SUBTRACT ? "-" : nullptr;
    };
    EXPECT_EQ(findKeyTyping('+', keypad), GLFW_KEY_EQUAL);
    EXPECT_EQ(findKeyTyping('-', keypad), GLFW_KEY_MINUS);
}

TEST(FullscreenKeys, F11AndAltEnterSwitchOncePerPressAndAltEnterIsNoEnter) {
    InputEvents events;
    const int alt = GLFW_MOD_ALT, enter = GLFW_KEY_ENTER, press = GLFW_PRESS;
    const int script[][3] = {{GLFW_KEY_F11, press, 0},
                             {GLFW_KEY_F11, GLFW_REPEAT, 0},
                             {GLFW_KEY_F11, GLFW_RELEASE, 0},
                             {enter, press, 0},
                             {enter, press, GLFW_MOD_SHIFT},
                             {GLFW_KEY_F10, press, alt},
                             {enter, press, alt},
                             {GLFW_KEY_KP_ENTER, press, alt | GLFW_MOD_CONTROL}};
    for (const auto& e : script)
        events.key(e[0], e[1], e[2]);
    EXPECT_EQ(events.takeFullscreenSwitches(), 3);
    EXPECT_EQ(events.take().enter, 2) << "Alt+Enter also counted as Enter";
}

TEST(FullscreenKeys, TheMonitorIsTheOneTheWindowOverlapsMost) {
    const std::vector<ScreenRect> monitors = {{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}};
    EXPECT_EQ(monitorUnder({100, 100, 800, 600}, monitors), 0);
    EXPECT_EQ(monitorUnder({1500, 100, 800, 600}, monitors), 0);    // 420 left, 380 right
    EXPECT_EQ(monitorUnder({1600, 100, 800, 600}, monitors), 1);    // 320 left, 480 right
    EXPECT_EQ(monitorUnder({-5000, -5000, 800, 600}, monitors), 0); // off every screen
    EXPECT_EQ(monitorUnder({100, 100, 800, 600}, {}), 0);
}
