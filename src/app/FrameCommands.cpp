#include "app/FrameCommands.h"

#include <algorithm>
#include <cmath>

#include "app/Shell.h"

namespace {

constexpr float kWalkDeadZone = 0.2f;
constexpr float kAimDeadZone = 0.3f;
constexpr float kTriggerPressed = 0.5f;

float held(bool down) {
    return down ? 1.0f : 0.0f;
}

} // namespace

glm::vec2 beyondDeadZone(glm::vec2 stick, float zone) {
    const float length = glm::length(stick);
    if (length <= zone)
        return glm::vec2(0.0f);
    // Square-gated sticks reach past 1 on the diagonals; full speed is the most there is.
    return stick * (std::min((length - zone) / (1.0f - zone), 1.0f) / length);
}

FrameCommands frameCommands(const FrameInput& in, const Aim& aim, float superPunchCooldown,
                            int width, int height) {
    const GamepadInput& pad = in.pad;
    FrameCommands c;
    const glm::vec2 walk = beyondDeadZone({pad.leftX, pad.leftY}, kWalkDeadZone);
    c.forward = std::max({held(in.w), held(pad.up), -walk.y});
    c.right = std::max({held(in.d), held(pad.right), walk.x});
    c.left = std::max({held(in.a), held(pad.left), -walk.x});
    c.backward = std::max({held(in.s), held(pad.down), walk.y});
    c.zoomIn = in.plus || pad.rightShoulder;
    c.zoomOut = in.minus || pad.leftShoulder;

    c.aim = aim;
    c.aim.mouseX = in.mouseX;
    c.aim.mouseY = in.mouseY;
    if (glm::length(glm::vec2(pad.rightX, pad.rightY)) > kAimDeadZone) {
        c.aim.stick = true;
        c.aim.stickAngle = static_cast<float>(std::atan2(pad.rightY, pad.rightX) / M_PI * 180.0);
    } else if (in.mouseX != aim.mouseX || in.mouseY != aim.mouseY) {
        c.aim.stick = false;
    }
    c.facing = c.aim.stick ? c.aim.stickAngle : facingAngle(in.mouseX, in.mouseY, width, height);

    // A click shorter than a frame is up again at the snapshot; its press still punches once.
    c.punch =
        in.leftButton || in.presses.leftButton > 0 || pad.a || pad.rightTrigger > kTriggerPressed;
    const bool superAsked =
        in.rightButton || in.presses.rightButton > 0 || pad.b || pad.leftTrigger > kTriggerPressed;
    c.superPunch = superAsked && superPunchCooldown <= 0.0f;
    return c;
}

bool startRequested(const FrameInput& in) {
    return in.leftButton || in.presses.leftButton > 0 || in.pad.start;
}

bool quitRequested(const FrameInput& in) {
    return in.escape || in.presses.escape > 0 || in.pad.back;
}
