#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <map>

#include "app/Window.h"

namespace {

KeyNameFunction layout(std::map<int, const char*> names) {
    return [names](int key) -> const char* {
        auto it = names.find(key);
        return it == names.end() ? nullptr : it->second;
    };
}

TEST(ZoomKeys, FoundFromTheActiveLayout) {
    // German layout: + and - sit on the keys that a US layout calls ] and /.
    const KeyNameFunction german =
        layout({{GLFW_KEY_RIGHT_BRACKET, "+"}, {GLFW_KEY_SLASH, "-"}, {GLFW_KEY_EQUAL, "'"},
                {GLFW_KEY_MINUS, "\xc3\x9f"}});
    EXPECT_EQ(findKeyTyping('+', german), GLFW_KEY_RIGHT_BRACKET);
    EXPECT_EQ(findKeyTyping('-', german), GLFW_KEY_SLASH);

    // US layout: no key types + without Shift; the = key carries it.
    const KeyNameFunction us = layout({{GLFW_KEY_EQUAL, "="}, {GLFW_KEY_MINUS, "-"}});
    EXPECT_EQ(findKeyTyping('+', us), GLFW_KEY_EQUAL);
    EXPECT_EQ(findKeyTyping('-', us), GLFW_KEY_MINUS);
}

TEST(ZoomKeys, KeypadIsNeverChosen) {
    const KeyNameFunction keypadOnly = layout({{GLFW_KEY_KP_ADD, "+"}, {GLFW_KEY_KP_SUBTRACT, "-"}});
    EXPECT_EQ(findKeyTyping('+', keypadOnly), GLFW_KEY_EQUAL);
    EXPECT_EQ(findKeyTyping('-', keypadOnly), GLFW_KEY_MINUS);
}

}  // namespace
