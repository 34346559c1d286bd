#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "app/Game.h"
#include "audio/SoundEngine.h"
#include "player/Player.h"
#include "support/Fixtures.h"
#include "support/ScriptedScreen.h"
#include "world/Camera.h"
#include "world/Random.h"
#include "world/SphereMath.h"
#include "world/World.h"

// A scripted game without graphics: the game's own frames, a fake clock the test advances, one
// input per frame.
class ShellScript : public testing::Test {
  protected:
    void SetUp() override {
        game = Game::create(
            1280, 720, [this] { return now; }, &SoundEngine::createSilent, Graphics::Off, 7);
        world = &game->world();
        shell = &game->shell();
    }

    void frame(const FrameInput& in, int frames = 1) {
        screen.in = in;
        for (int i = 0; i < frames; ++i) {
            now += 1.0 / 60.0;
            game->gameFrame(screen);
        }
    }

    double now = 10.0;
    ScriptedScreen screen;
    std::unique_ptr<Game> game;
    World* world = nullptr;
    Shell* shell = nullptr;
};

TEST(ShellRules, FacingMusicAndVolume) {
    EXPECT_NEAR(facingAngle(1279, 360, 1280, 720), 0.0f, 0.1f);
    EXPECT_NEAR(facingAngle(640, 719, 1280, 720), 90.0f, 0.1f); // y grows downwards
    // Strict boundaries from the top: exactly 0.75 is already the second track.
    for (const auto& [v, track] : {std::pair(1.0f, "1"), {0.75f, "2"}, {0.5f, "3"}, {0.25f, "4"}})
        EXPECT_EQ(musicTrack(v), "resources/track" + std::string(track) + ".mp3") << v;
    EXPECT_EQ(volumeUp(0.5f), 0.5f + 0.1f);
    EXPECT_EQ(volumeUp(0.95f), 1.0f);
}

TEST_F(ShellScript, TheEndToEndSeedLandsTheFirstTwentyOneEnemiesOverAHundredDegreesAway) {
    game = Game::create(
        1280, 720, [this] { return now; }, &SoundEngine::createSilent, Graphics::Off,
        std::stoull(kEndToEndSeed));
    const glm::vec3 start = game->world().player->position;
    for (size_t checked = 0; checked < 21; frame(FrameInput{})) // nobody dies: none is removed
        for (const auto& enemies = game->world().enemies; checked < enemies.size(); ++checked)
            EXPECT_GT(angleDegrees(glm::dot(enemies[checked]->getPosition(), start)), 100.0f);
}

TEST_F(ShellScript, FrameRateAfterOneSecondOneEnemyPerThreeQuartersNoFrameOverAQuarter) {
    frame(FrameInput{}, 59);
    EXPECT_EQ(shell->state.frameRate, 0);
    frame(FrameInput{}, 5);
    EXPECT_NEAR(shell->state.frameRate, 60, 1);
    frame(FrameInput{}, 600);                      // 11 s, each release a frame late
    EXPECT_NEAR(world->enemies.size(), 5 + 14, 1); // after the five of the start
    now += 3600.0;                                 // a laptop suspended for an hour
    EXPECT_EQ(shell->frameTime(), 0.25f);
}

TEST_F(ShellScript, SuperPunchWaitsForItsCooldownAndWWalksForward) {
    FrameInput in;
    in.rightButton = in.w = true;
    const glm::vec3 start = world->player->position, forward = world->player->forward;
    for (int i = 0; i < 600 && world->player->superPunchCooldown <= 0.0f; ++i)
        frame(in);
    EXPECT_GT(glm::dot(world->player->position - start, forward), 0.01f);
    frame(in);
    EXPECT_FALSE(world->player->superPunching);
}

TEST_F(ShellScript, LossFreezesPlayClockAndWorldButNotTogglesOrCadence) {
    FrameInput in;
    in.w = true;
    frame(in, 30);
    EXPECT_NEAR(shell->state.gameClock, 0.5, 1e-3);
    world->player->lives = 0.0f;
    const glm::vec3 walked = world->player->position;
    in.leftButton = in.f3 = true;
    frame(in);
    EXPECT_FALSE(shell->state.filledPolygons);
    frame(in, 59); // held: one switch per press
    EXPECT_FALSE(shell->state.filledPolygons);
    EXPECT_EQ(world->player->position, walked);
    EXPECT_FALSE(world->player->punching);
    EXPECT_NEAR(shell->state.gameClock, 0.5, 1e-3);
    ASSERT_EQ(world->enemies.size(), 5u + 2u);
    const glm::vec3 enemy = world->enemies.front()->position;
    frame(in);
    EXPECT_EQ(world->enemies.front()->position, enemy);
}

TEST_F(ShellScript, StartScreenFacesThePointerInAnyWindowSizeAndWaitsForTheLeftButton) {
    screen.in.mouseX = 640;
    screen.in.mouseY = 180; // straight up in the window asked for
    screen.in.rightButton = true;
    game->startScreenFrame(screen);
    EXPECT_FALSE(shell->state.started);
    const glm::vec3 up = world->player->facing;
    // Maximised, on a display with two pixels per screen unit, then minimised (no size, the
    // pointer left where it was): the pointer in the same place of the window faces the same way.
    for (SurfaceSize size : {SurfaceSize{2000, 1000, 2000, 1000}, {1000, 500, 2000, 1000}, {}}) {
        screen.surface = size;
        if (size.windowWidth > 0) {
            screen.in.mouseX = size.windowWidth / 2;
            screen.in.mouseY = size.windowHeight / 4;
        }
        game->startScreenFrame(screen);
        EXPECT_LT(glm::distance(world->player->facing, up), 1e-3f) << size.windowWidth;
        EXPECT_EQ(world->camera->aspect, 2.0f);
    }
    screen.in.leftButton = true;
    game->startScreenFrame(screen);
    EXPECT_FALSE(game->onStartScreen());
    screen.in.windowOpen = false;
    game->gameFrame(screen);
    EXPECT_FALSE(game->running());
}

TEST_F(ShellScript, PauseStopsEveryTimerUntilPOrAClickAndFocusLossPausesByItself) {
    FrameInput in;
    in.leftButton = true;
    frame(in, 3); // a punch on its way out
    world->player->superPunchCooldown = 10.0f;
    in = FrameInput{};
    in.p = true;
    frame(in);
    ASSERT_TRUE(shell->state.paused);
    const double clock = shell->state.gameClock;
    const float progress = world->player->punchProgress, cooldown = 10.0f;
    const glm::vec3 enemy = world->enemies.front()->position;
    const size_t enemies = world->enemies.size();
    in.f2 = true; // held P does not resume; the display toggles still work
    frame(in, 120);
    EXPECT_TRUE(shell->state.paused);
    EXPECT_TRUE(shell->state.showFrameRate);
    EXPECT_EQ(shell->state.gameClock, clock);
    EXPECT_EQ(world->player->punchProgress, progress);
    EXPECT_EQ(world->player->superPunchCooldown, cooldown);
    EXPECT_EQ(world->enemies.front()->position, enemy);
    EXPECT_EQ(world->enemies.size(), enemies);
    in = FrameInput{};
    in.leftButton = true; // resumes, and is no punch however long it is held
    frame(in, 30);
    EXPECT_FALSE(shell->state.paused);
    EXPECT_GT(shell->state.gameClock, clock);
    EXPECT_LT(world->player->superPunchCooldown, cooldown);
    EXPECT_FALSE(world->player->punching);
    in.focused = false;
    frame(in);
    EXPECT_TRUE(shell->state.paused);
    in = FrameInput{};
    in.p = true;
    frame(in);
    in.iconified = true;
    frame(in);
    EXPECT_TRUE(shell->state.paused);
}

TEST_F(ShellScript, GameOverWaitsASecondThenAFreshPressBeginsAFreshGame) {
    FrameInput in;
    in.f2 = in.w = true;
    frame(in, 60);
    world->kills = 3;
    world->player->lives = 0.0f;
    in = FrameInput{};
    in.pad.a = true; // held through the loss and on
    frame(in, 30);
    in.presses.enter = 1; // too early
    frame(in);
    in.presses.enter = 0;
    frame(in, 50);
    EXPECT_EQ(&game->world(), world);
    in.pad.a = false;
    frame(in);
    in.pad.a = true;
    frame(in);
    ASSERT_NE(&game->world(), world);
    World& fresh = game->world();
    EXPECT_EQ(fresh.player->lives, 100.0f);
    EXPECT_EQ(fresh.kills, 0);
    EXPECT_EQ(fresh.enemies.size(), 5u);
    EXPECT_EQ(shell->state.gameClock, 0.0);
    EXPECT_TRUE(shell->state.showFrameRate);
    frame(in, 44); // the cadence starts again from the new game
    EXPECT_EQ(fresh.enemies.size(), 5u);
    frame(in, 2);
    EXPECT_EQ(fresh.enemies.size(), 6u);
}
