#include "app/InputEvents.h"

#include <GLFW/glfw3.h>

void InputEvents::key(int key, int action) {
    if (action != GLFW_PRESS)
        return;
    switch (key) {
    case GLFW_KEY_F2:
        ++pending_.f2;
        break;
    case GLFW_KEY_F3:
        ++pending_.f3;
        break;
    case GLFW_KEY_F9:
        ++pending_.f9;
        break;
    case GLFW_KEY_M:
        ++pending_.m;
        break;
    case GLFW_KEY_N:
        ++pending_.n;
        break;
    case GLFW_KEY_ESCAPE:
        ++pending_.escape;
        break;
    case GLFW_KEY_P:
        ++pending_.p;
        break;
    case GLFW_KEY_ENTER:
    case GLFW_KEY_KP_ENTER:
        ++pending_.enter;
        break;
    case GLFW_KEY_SPACE:
        ++pending_.space;
        break;
    default:
        break;
    }
}

void InputEvents::button(int button, int action) {
    if (action != GLFW_PRESS)
        return;
    if (button == GLFW_MOUSE_BUTTON_LEFT)
        ++pending_.leftButton;
    if (button == GLFW_MOUSE_BUTTON_RIGHT)
        ++pending_.rightButton;
}

Presses InputEvents::take() {
    const Presses taken = pending_;
    pending_ = Presses{};
    return taken;
}
