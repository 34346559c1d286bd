// The input layer from scripted window events and gamepad snapshots, without a window or pad.
#include <gtest/gtest.h>
#include <iomanip>
#include <sstream>
#include <tuple>

#include "app/FrameCommands.h"
#include "app/InputEvents.h"
#include "app/Shell.h"
#include "audio/Sound.h"
#include "audio/SoundEngine.h"
#include "player/Player.h"
#include "world/World.h"

#include <GLFW/glfw3.h> // after GLEW, which World brings in

TEST(InputEvents, EveryPressBetweenTwoFramesActsOnceAndAHeldKeyOnlyOnce) {
    // Between two frames: N, F3 or the left or right button goes down (upper case) or up
    // (lower case); R is a key repeat of N. The key ends as the last event leaves it.
    const std::pair<const char*, const char*> cases[] = {
        {"Nn", "0.9"}, {"NnNn", "0.8"},       {"NnN", "0.8"},
        {"RR", "0.9"}, {"Ff", "1 wireframe"}, {"LlPp", "start 1 punch super"},
    };
    for (const auto& [script, expected] : cases) {
        double now = 10.0;
        auto sound = SoundEngine::createSilent();
        const auto clock = [&] { return now; };
        World world(sound.get(), clock, Graphics::Off);
        Shell shell(world, 1280, 720, clock);
        InputEvents events;
        FrameInput in;
        for (const char* e = script; *e; ++e) {
            const char k = std::toupper(*e);
            const int action = *e == 'R' ? GLFW_REPEAT : *e == k ? GLFW_PRESS : GLFW_RELEASE;
            if (k == 'L' || k == 'P')
                events.button(k == 'L' ? GLFW_MOUSE_BUTTON_LEFT : GLFW_MOUSE_BUTTON_RIGHT, action);
            else
                events.key(k == 'F' ? GLFW_KEY_F3 : GLFW_KEY_N, action);
            in.n = k == 'N' || k == 'R' ? action != GLFW_RELEASE : in.n;
        }
        Sound music;
        std::ostringstream got;
        for (int frame = 0; frame < 2; ++frame) {
            in.presses = events.take();
            got << (frame == 0 && startRequested(in) ? "start " : "");
            now += 1.0 / 15.0;
            shell.gameFrame(in, 1.0f / 15.0f, &music);
        }
        got << music.getVolume() << (shell.state.filledPolygons ? "" : " wireframe")
            << (world.player->punching ? " punch" : "")
            << (world.player->superPunching ? " super" : "");
        EXPECT_EQ(got.str(), expected) << script;
    }
}

TEST(Gamepad, SticksTriggersAndButtonsBecomeTheFrameCommands) {
    using Pad = GamepadInput;
    const std::tuple<const char*, void (*)(Pad&, Aim&), float, const char*> cases[] = {
        {"inside the dead zone", [](Pad& p, Aim&) { p.leftX = p.leftY = -0.14f; }, 0, ""},
        {"full up is W", [](Pad& p, Aim&) { p.leftY = -1; }, 0, "W1 "},
        {"scaled beyond the zone", [](Pad& p, Aim&) { p.leftX = 0.6f; }, 0, "D0.5 "},
        {"diagonal", [](Pad& p, Aim&) { p.leftX = p.leftY = -0.8f; }, 0, "W0.71 A0.71 "},
        {"d-pad", [](Pad& p, Aim&) { p.down = p.right = true; }, 0, "D1 S1 "},
        {"pulled", [](Pad& p, Aim&) { p.leftTrigger = p.rightTrigger = 0.6f; }, 0, "punch super "},
        {"under half", [](Pad& p, Aim&) { p.leftTrigger = p.rightTrigger = 0.4f; }, 0, ""},
        {"A and B", [](Pad& p, Aim&) { p.a = p.b = true; }, 0, "punch super "},
        {"B in the cool-down", [](Pad& p, Aim&) { p.b = true; }, 3, ""},
        {"shoulders", [](Pad& p, Aim&) { p.leftShoulder = p.rightShoulder = true; }, 0, "in out "},
        {"Start and Back", [](Pad& p, Aim&) { p.start = p.back = true; }, 0, "start quit "},
        {"right stick down", [](Pad& p, Aim&) { p.rightY = 1; }, 0, "face90 "},
        {"stick let go", [](Pad& p, Aim& a) { p.rightY = 0.29f, a.stick = true; }, 0, "face0 "},
        {"pointer moved", [](Pad&, Aim& a) { a.stick = true, a.mouseX = 5; }, 0, ""},
    };
    for (const auto& [name, set, cooldown, expected] : cases) {
        FrameInput in;
        Aim aim;
        set(in.pad, aim);
        const FrameCommands c = frameCommands(in, aim, cooldown, 1280, 720);
        // The walking shares that are not 0, in the order of the calls, then the rest.
        std::ostringstream s;
        for (auto [key, share] :
             {std::pair{"W", c.forward}, {"D", c.right}, {"A", c.left}, {"S", c.backward}})
            if (share != 0.0f)
                s << key << std::setprecision(2) << share << " ";
        s << (c.punch ? "punch " : "") << (c.superPunch ? "super " : "") << (c.zoomIn ? "in " : "")
          << (c.zoomOut ? "out " : "") << (startRequested(in) ? "start " : "")
          << (quitRequested(in) ? "quit " : "");
        if (c.aim.stick)
            s << "face" << c.facing << " ";
        EXPECT_EQ(s.str(), expected) << name;
    }
}
