#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "app/Shell.h"
#include "audio/SoundEngine.h"
#include "player/Player.h"
#include "world/World.h"

// A scripted game: a headless world, a fake clock the test advances, one input per frame.
class ShellScript : public testing::Test {
  protected:
    void SetUp() override {
        std::srand(7);
        world = std::make_unique<World>(
            sound.get(), [this] { return now; }, Graphics::Off);
        shell = std::make_unique<Shell>(*world, 1280, 720, [this] { return now; });
        shell->startTimers();
    }

    DisplayChanges frame(const FrameInput& in, int frames = 1) {
        DisplayChanges changes;
        for (int i = 0; i < frames; ++i) {
            now += 1.0 / 60.0;
            changes = shell->gameFrame(in, shell->frameTime(), nullptr);
            shell->frameDrawn();
            shell->quitTest(in);
        }
        return changes;
    }

    double now = 10.0;
    std::unique_ptr<SoundEngine> sound = SoundEngine::createSilent();
    std::unique_ptr<World> world;
    std::unique_ptr<Shell> shell;
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

TEST_F(ShellScript, FrameRateAfterOneSecondAndOneEnemyPerThreeQuarters) {
    frame(FrameInput{}, 59);
    EXPECT_EQ(shell->state.frameRate, 0);
    frame(FrameInput{}, 5);
    EXPECT_NEAR(shell->state.frameRate, 60, 1);
    frame(FrameInput{}, 600); // 11 s, each release a frame late
    EXPECT_NEAR(world->enemies.size(), 14, 1);
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
    EXPECT_TRUE(frame(in).polygonMode);
    EXPECT_FALSE(frame(in, 59).polygonMode); // held: one switch per press
    EXPECT_FALSE(shell->state.filledPolygons);
    EXPECT_EQ(world->player->position, walked);
    EXPECT_FALSE(world->player->punching);
    EXPECT_NEAR(shell->state.gameClock, 0.5, 1e-3);
    ASSERT_EQ(world->enemies.size(), 2u);
    const glm::vec3 enemy = world->enemies.front()->position;
    frame(in);
    EXPECT_EQ(world->enemies.front()->position, enemy);
}

TEST_F(ShellScript, StartScreenWaitsForTheLeftButtonAndAClosedWindowQuits) {
    FrameInput in;
    in.mouseX = 1000;
    in.mouseY = 360;
    in.rightButton = true;
    shell->startScreenFrame(in, 0.016f);
    EXPECT_FALSE(shell->state.started);
    EXPECT_NEAR(world->player->facing.x, -1.0f, 1e-3f); // right of centre is screen right, -x
    in.leftButton = true;
    shell->startScreenFrame(in, 0.016f);
    EXPECT_TRUE(shell->state.started);
    in.windowOpen = false;
    shell->quitTest(in);
    EXPECT_FALSE(shell->state.running);
}
