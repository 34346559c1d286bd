#include "app/Window.h"

#include "app/ContextHints.h"
#include "io/Report.h"

#include <GLFW/glfw3.h>
#include <cmath>
#include <cstdlib>
#include <string>

int findKeyTyping(char c, const KeyNameFunction& keyName) {
    const char wanted[2] = {c, '\0'};
    // Printable keys only: the keypad codes lie above this range.
    for (int key = GLFW_KEY_SPACE; key <= GLFW_KEY_WORLD_2; ++key) {
        const char* name = keyName(key);
        if (name && std::string(name) == wanted)
            return key;
    }
    return c == '+' ? GLFW_KEY_EQUAL : GLFW_KEY_MINUS;
}

namespace {

// The first connected gamepad that GLFW can map; plugging one in or out shows at the next
// snapshot. None gives the resting state.
GamepadInput readGamepad() {
    GamepadInput pad;
    GLFWgamepadstate state;
    for (int jid = GLFW_JOYSTICK_1; jid <= GLFW_JOYSTICK_LAST; ++jid) {
        if (!glfwJoystickIsGamepad(jid) || !glfwGetGamepadState(jid, &state))
            continue;
        const float* axis = state.axes;
        const unsigned char* button = state.buttons;
        pad.leftX = axis[GLFW_GAMEPAD_AXIS_LEFT_X];
        pad.leftY = axis[GLFW_GAMEPAD_AXIS_LEFT_Y];
        pad.rightX = axis[GLFW_GAMEPAD_AXIS_RIGHT_X];
        pad.rightY = axis[GLFW_GAMEPAD_AXIS_RIGHT_Y];
        // GLFW's triggers rest at -1.
        pad.leftTrigger = (axis[GLFW_GAMEPAD_AXIS_LEFT_TRIGGER] + 1.0f) * 0.5f;
        pad.rightTrigger = (axis[GLFW_GAMEPAD_AXIS_RIGHT_TRIGGER] + 1.0f) * 0.5f;
        pad.a = button[GLFW_GAMEPAD_BUTTON_A];
        pad.b = button[GLFW_GAMEPAD_BUTTON_B];
        pad.back = button[GLFW_GAMEPAD_BUTTON_BACK];
        pad.start = button[GLFW_GAMEPAD_BUTTON_START];
        pad.leftShoulder = button[GLFW_GAMEPAD_BUTTON_LEFT_BUMPER];
        pad.rightShoulder = button[GLFW_GAMEPAD_BUTTON_RIGHT_BUMPER];
        pad.up = button[GLFW_GAMEPAD_BUTTON_DPAD_UP];
        pad.down = button[GLFW_GAMEPAD_BUTTON_DPAD_DOWN];
        pad.left = button[GLFW_GAMEPAD_BUTTON_DPAD_LEFT];
        pad.right = button[GLFW_GAMEPAD_BUTTON_DPAD_RIGHT];
        break;
    }
    return pad;
}

InputEvents& eventsOf(GLFWwindow* window) {
    return *static_cast<InputEvents*>(glfwGetWindowUserPointer(window));
}

} // namespace

Window::Window(GLFWwindow* window) : window_(window) {
    const KeyNameFunction layoutName = [](int key) { return glfwGetKeyName(key, 0); };
    plusKey_ = findKeyTyping('+', layoutName);
    minusKey_ = findKeyTyping('-', layoutName);
    glfwSetWindowUserPointer(window_, &events_);
    glfwSetKeyCallback(window_, [](GLFWwindow* w, int key, int, int action, int) {
        eventsOf(w).key(key, action);
    });
    glfwSetMouseButtonCallback(window_, [](GLFWwindow* w, int button, int action, int) {
        eventsOf(w).button(button, action);
    });
}

std::unique_ptr<Window> Window::open(int width, int height, bool fullscreen) {
    if (!glfwInit())
        return nullptr;
    // Launchers such as Steam hand their gamepad mappings over in this variable.
    const char* mappings = std::getenv("SDL_GAMECONTROLLERCONFIG");
    if (mappings && *mappings && !glfwUpdateGamepadMappings(mappings)) {
        report(ReportStream::Err, "SDL_GAMECONTROLLERCONFIG: gamepad mappings refused");
    }
    requestGameContext();
    GLFWmonitor* monitor = fullscreen ? glfwGetPrimaryMonitor() : nullptr;
    GLFWwindow* window = glfwCreateWindow(width, height, "", monitor, nullptr);
    if (!window)
        return nullptr;
    makeContextCurrent(window);
    return std::unique_ptr<Window>(new Window(window));
}

Window::~Window() {
    glfwDestroyWindow(window_);
}

void Window::setTitle(const char* title) {
    glfwSetWindowTitle(window_, title);
}

void Window::showCursor() {
    glfwSetInputMode(window_, GLFW_CURSOR, GLFW_CURSOR_NORMAL);
}

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
    in.p = down(GLFW_KEY_P);
    in.enter = down(GLFW_KEY_ENTER) || down(GLFW_KEY_KP_ENTER);
    in.space = down(GLFW_KEY_SPACE);
    in.leftButton = glfwGetMouseButton(window_, GLFW_MOUSE_BUTTON_LEFT) == GLFW_PRESS;
    in.rightButton = glfwGetMouseButton(window_, GLFW_MOUSE_BUTTON_RIGHT) == GLFW_PRESS;
    double x = 0.0, y = 0.0;
    glfwGetCursorPos(window_, &x, &y);
    in.mouseX = static_cast<int>(std::floor(x));
    in.mouseY = static_cast<int>(std::floor(y));
    in.windowOpen = isOpen();
    in.focused = glfwGetWindowAttrib(window_, GLFW_FOCUSED) == GLFW_TRUE;
    in.iconified = glfwGetWindowAttrib(window_, GLFW_ICONIFIED) == GLFW_TRUE;
    in.presses = events_.pending();
    in.pad = readGamepad();
    return in;
}

FrameInput Window::takeInput() {
    FrameInput in = snapshot();
    events_.take();
    return in;
}

void Window::swapBuffers() {
    glfwSwapBuffers(window_);
    glfwPollEvents();
}

SurfaceSize Window::size() const {
    SurfaceSize size;
    glfwGetWindowSize(window_, &size.windowWidth, &size.windowHeight);
    glfwGetFramebufferSize(window_, &size.framebufferWidth, &size.framebufferHeight);
    return size;
}

bool Window::isOpen() const {
    return !glfwWindowShouldClose(window_);
}

double Window::time() {
    return glfwGetTime();
}
