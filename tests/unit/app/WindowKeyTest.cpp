#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

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
