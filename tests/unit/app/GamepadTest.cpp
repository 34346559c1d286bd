// The gamepad's mapping onto a frame's commands, from scripted snapshots, without a device.
#include <gtest/gtest.h>
#include <iomanip>
#include <sstream>

#include "app/FrameCommands.h"

namespace {

// The frame's commands as text: the walking shares that are not 0 in the order of the calls,
// then what else the frame asks for.
std::string commands(const FrameInput& in, float cooldown) {
    const FrameCommands c = frameCommands(in, Aim{}, cooldown, 1280, 720);
    std::ostringstream s;
    s << std::setprecision(2);
    for (auto [key, share] :
         {std::pair{"W", c.forward}, {"D", c.right}, {"A", c.left}, {"S", c.backward}})
        if (share != 0.0f)
            s << key << share << " ";
    s << (c.punch ? "punch " : "") << (c.superPunch ? "super " : "") << (c.zoomIn ? "in " : "")
      << (c.zoomOut ? "out " : "") << (startRequested(in) ? "start " : "")
      << (quitRequested(in) ? "quit " : "");
    return s.str();
}

} // namespace

TEST(Gamepad, SticksTriggersAndButtonsBecomeTheFrameCommands) {
    using Pad = GamepadInput;
    const struct {
        const char* name;
        void (*set)(Pad&);
        float cooldown;
        const char* expected;
    } cases[] = {
        {"at rest", [](Pad&) {}, 0, ""},
        {"inside the dead zone", [](Pad& p) { p.leftX = p.leftY = -0.14f; }, 0, ""},
        {"full up is W", [](Pad& p) { p.leftY = -1; }, 0, "W1 "},
        {"scaled beyond the zone", [](Pad& p) { p.leftX = 0.6f; }, 0, "D0.5 "},
        {"diagonal, in W D A S order", [](Pad& p) { p.leftX = p.leftY = -0.8f; }, 0,
         "W0.71 A0.71 "},
        {"d-pad", [](Pad& p) { p.down = p.right = true; }, 0, "D1 S1 "},
        {"triggers past half", [](Pad& p) { p.leftTrigger = p.rightTrigger = 0.6f; }, 0,
         "punch super "},
        {"triggers under half", [](Pad& p) { p.leftTrigger = p.rightTrigger = 0.4f; }, 0, ""},
        {"A and B", [](Pad& p) { p.a = p.b = true; }, 0, "punch super "},
        {"B in the cool-down", [](Pad& p) { p.b = true; }, 3, ""},
        {"shoulders", [](Pad& p) { p.leftShoulder = p.rightShoulder = true; }, 0, "in out "},
        {"Start and Back", [](Pad& p) { p.start = p.back = true; }, 0, "start quit "},
    };
    for (const auto& c : cases) {
        FrameInput in;
        c.set(in.pad);
        EXPECT_EQ(commands(in, c.cooldown), c.expected) << c.name;
    }
}

TEST(Gamepad, FacingFollowsWhicheverOfPointerAndRightStickMovedLast) {
    const struct {
        int mouseX;
        float rightX, rightY, facing;
    } frames[] = {
        {1279, 0, 0, 0}, {1279, 0, 1, 90},        {1279, 0.29f, 0, 90}, // the stick let go keeps it
        {0, 0, 0, 180},  {0, -0.5f, -0.5f, -135},                       // the pointer moved
    };
    Aim aim;
    for (const auto& f : frames) {
        FrameInput in;
        in.mouseX = f.mouseX;
        in.mouseY = 360;
        in.pad.rightX = f.rightX;
        in.pad.rightY = f.rightY;
        const FrameCommands out = frameCommands(in, aim, 0, 1280, 720);
        aim = out.aim;
        EXPECT_NEAR(out.facing, f.facing, 0.1f) << f.mouseX << " " << f.rightX << " " << f.rightY;
    }
}
