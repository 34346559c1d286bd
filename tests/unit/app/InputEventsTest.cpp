// Presses shorter than a frame, scripted as the window library's events, still act once each.
#include <gtest/gtest.h>

#include "app/InputEvents.h"
#include "app/Shell.h"
#include "audio/Sound.h"
#include "audio/SoundEngine.h"
#include "player/Player.h"
#include "world/World.h"

#include <GLFW/glfw3.h> // after GLEW, which World brings in

namespace {

// Scripted events: N, F3 and the left and right buttons go down in upper case and up in lower
// case; R is a key repeat of N.
void play(InputEvents& events, const std::string& script) {
    for (char e : script) {
        const int action = e == 'R' ? GLFW_REPEAT : std::isupper(e) ? GLFW_PRESS : GLFW_RELEASE;
        const char key = std::toupper(e);
        if (key == 'L' || key == 'P')
            events.button(key == 'L' ? GLFW_MOUSE_BUTTON_LEFT : GLFW_MOUSE_BUTTON_RIGHT, action);
        else
            events.key(key == 'F' ? GLFW_KEY_F3 : GLFW_KEY_N, action);
    }
}

struct Game {
    double now = 10.0;
    std::unique_ptr<SoundEngine> sound = SoundEngine::createSilent();
    World world{sound.get(), [this] { return now; }, Graphics::Off};
    Shell shell{world, 1280, 720, [this] { return now; }};
    InputEvents events;
};

} // namespace

TEST(InputEvents, EveryPressBetweenTwoFramesActsOnceAndAHeldKeyOnlyOnce) {
    const struct {
        const char* script;
        bool nDown; // N as polled at both snapshots
        float volume;
        bool filled, punching, superPunching;
    } cases[] = {
        {"Nn", false, 0.9f, true, false, false},  {"NnNn", false, 0.8f, true, false, false},
        {"NnN", true, 0.8f, true, false, false},  {"RR", true, 0.9f, true, false, false},
        {"Ff", false, 1.0f, false, false, false}, {"LlPp", false, 1.0f, true, true, true},
    };
    for (const auto& c : cases) {
        Game game;
        Sound music;
        play(game.events, c.script);
        FrameInput in;
        in.n = c.nDown;
        for (int frame = 0; frame < 2; ++frame) {
            in.presses = game.events.take();
            game.now += 1.0 / 15.0;
            game.shell.gameFrame(in, 1.0f / 15.0f, &music);
        }
        EXPECT_FLOAT_EQ(music.getVolume(), c.volume) << c.script;
        EXPECT_EQ(game.shell.state.filledPolygons, c.filled) << c.script;
        EXPECT_EQ(game.world.player->punching, c.punching) << c.script;
        EXPECT_EQ(game.world.player->superPunching, c.superPunching) << c.script;
    }
}

TEST(InputEvents, AClickAlreadyReleasedLeavesTheStartScreen) {
    Game game;
    play(game.events, "Ll");
    FrameInput in;
    in.presses = game.events.take();
    game.shell.startScreenFrame(in, 0.07f);
    EXPECT_TRUE(game.shell.state.started);
}
