#include "app/Window.h"

#include "app/ContextHints.h"

#include <GLFW/glfw3.h>
#include <cmath>
#include <string>

int findKeyTyping(char c, const KeyNameFunction& keyName) {
    const char wanted[2] = {c, '\0'};
    // Printable keys only: the keypad codes lie above this range.
    for (int key = GLFW_KEY_SPACE; key <= GLFW_KEY_WORLD_2; ++key) {
        const char* name = keyName(key);
        if (name && std::string(name) == wanted) return key;
    }
    return c == '+' ? GLFW_KEY_EQUAL : GLFW_KEY_MINUS;
}

Window::Window(GLFWwindow* window) : window_(window) {
    const KeyNameFunction layoutName = [](int key) { return glfwGetKeyName(key, 0); };
    plusKey_ = findKeyTyping('+', layoutName);
    minusKey_ = findKeyTyping('-', layoutName);
}

std::unique_ptr<Window> Window::open(int width, int height, bool fullscreen) {
    glfwInit();
    requestGameContext();
    GLFWmonitor* monitor = fullscreen ? glfwGetPrimaryMonitor() : nullptr;
    GLFWwindow* window = glfwCreateWindow(width, height, "", monitor, nullptr);
    if (!window) return nullptr;
    glfwMakeContextCurrent(window);
    return std::unique_ptr<Window>(new Window(window));
}

Window::~Window() { glfwDestroyWindow(window_); }

void Window::setTitle(const char* title) { glfwSetWindowTitle(window_, title); }

void Window::showCursor() { glfwSetInputMode(window_, GLFW_CURSOR, GLFW_CURSOR_NORMAL); }

FrameInput Window::snapshot() const {
    auto down = [this](int key) { return glfwGetKey(window_, key) == GLFW_PRESS; };
    FrameInput in;
    in.w = down(GLFW_KEY_W);
    in.a = down(GLFW_KEY_A);
    in.s = down(GLFW_KEY_S);
    in.d = down(GLFW_KEY_D);
    in.plus = down(plusKey_);
    in.minus = down(minusKey_);
    in.f2 = down(GLFW_KEY_F2);
    in.f3 = down(GLFW_KEY_F3);
    in.f9 = down(GLFW_KEY_F9);
    in.m = down(GLFW_KEY_M);
    in.n = down(GLFW_KEY_N);
    in.escape = down(GLFW_KEY_ESCAPE);
    in.leftButton = glfwGetMouseButton(window_, GLFW_MOUSE_BUTTON_LEFT) == GLFW_PRESS;
    in.rightButton = glfwGetMouseButton(window_, GLFW_MOUSE_BUTTON_RIGHT) == GLFW_PRESS;
    double x = 0.0, y = 0.0;
    glfwGetCursorPos(window_, &x, &y);
    in.mouseX = static_cast<int>(std::floor(x));
    in.mouseY = static_cast<int>(std::floor(y));
    in.windowOpen = isOpen();
    return in;
}

void Window::swapBuffers() {
    glfwSwapBuffers(window_);
    glfwPollEvents();
}

bool Window::isOpen() const { return !glfwWindowShouldClose(window_); }

double Window::time() { return glfwGetTime(); }
