#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "app/Shell.h"
#include "audio/SoundEngine.h"
#include "player/Player.h"
#include "world/World.h"

namespace {

// A scripted game: a headless world, a fake clock the test advances, and one input snapshot
// per frame.
class ShellScript : public testing::Test {
protected:
    void SetUp() override {
        std::srand(7);
        sound = SoundEngine::createSilent();
        world = std::make_unique<World>(sound.get(), [this] { return now; }, Graphics::Off);
        shell = std::make_unique<Shell>(*world, 1280, 720, [this] { return now; });
        shell->startTimers();
    }

    DisplayChanges frame(const FrameInput& in, double step = 1.0 / 60.0) {
        now += step;
        const float dt = shell->frameTime();
        const DisplayChanges changes = shell->gameFrame(in, dt, nullptr);
        shell->frameDrawn();
        shell->quitTest(in);
        return changes;
    }

    double now = 10.0;
    std::unique_ptr<SoundEngine> sound;
    std::unique_ptr<World> world;
    std::unique_ptr<Shell> shell;
};

TEST(FacingAngle, MeasuredAboutTheWindowCentreWithYDown) {
    EXPECT_NEAR(facingAngle(1279, 360, 1280, 720), 0.0f, 0.1f);
    EXPECT_NEAR(facingAngle(640, 719, 1280, 720), 90.0f, 0.1f);
    EXPECT_NEAR(facingAngle(640, 0, 1280, 720), -90.0f, 0.1f);
    EXPECT_NEAR(std::abs(facingAngle(0, 360, 1280, 720)), 180.0f, 0.1f);
}

TEST(MusicChoice, StrictBoundariesAndPrintedValue) {
    EXPECT_STREQ(musicTrack(1.0f), "resources/track1.mp3");
    EXPECT_STREQ(musicTrack(0.75f), "resources/track2.mp3");
    EXPECT_STREQ(musicTrack(0.5f), "resources/track3.mp3");
    EXPECT_STREQ(musicTrack(0.25f), "resources/track4.mp3");
    EXPECT_STREQ(musicTrack(0.0f), "resources/track4.mp3");
    EXPECT_EQ(musicValue(32767), 1.0f);
    EXPECT_EQ(musicValue(0), 0.0f);
    EXPECT_FLOAT_EQ(musicValue(16384), static_cast<float>(16384 / 32767.0));
}

TEST(Volume, SinglePrecisionStepsClampedToTheUnitRange) {
    EXPECT_EQ(volumeUp(0.95f), 1.0f);
    EXPECT_EQ(volumeUp(1.0f), 1.0f);
    EXPECT_EQ(volumeDown(0.05f), 0.0f);
    EXPECT_EQ(volumeDown(0.0f), 0.0f);
    EXPECT_EQ(volumeUp(0.5f), 0.5f + 0.1f);
    EXPECT_EQ(volumeDown(0.5f), 0.5f - 0.1f);
}

TEST_F(ShellScript, HeldToggleSwitchesOncePerPress) {
    FrameInput f3;
    f3.f3 = true;
    int switches = 0;
    for (int i = 0; i < 30; ++i) switches += frame(f3).polygonMode;
    EXPECT_EQ(switches, 1);
    EXPECT_FALSE(shell->state.filledPolygons);
    frame(FrameInput{});
    EXPECT_TRUE(frame(f3).polygonMode);
    EXPECT_TRUE(shell->state.filledPolygons);

    FrameInput f2f9;
    f2f9.f2 = f2f9.f9 = true;
    for (int i = 0; i < 5; ++i) frame(f2f9);
    EXPECT_TRUE(shell->state.showFrameRate);
    EXPECT_FALSE(shell->state.blending);
}

TEST_F(ShellScript, SpawnCadenceReleasesOneEnemyPerThreeQuartersOfASecond) {
    now += 2.0;  // a long start screen: the first frame releases at once
    frame(FrameInput{});
    EXPECT_EQ(world->enemies.size(), 1u);
    // 10 s at 60 fps: one enemy per 0.75 s (a frame's worth of lateness each time)
    for (int i = 0; i < 600; ++i) frame(FrameInput{});
    EXPECT_GE(world->enemies.size(), 13u);
    EXPECT_LE(world->enemies.size(), 14u);
    // Slow frames still release at most one enemy each.
    const size_t before = world->enemies.size();
    frame(FrameInput{}, 5.0);
    EXPECT_EQ(world->enemies.size(), before + 1);
}

TEST_F(ShellScript, FrameRateIsZeroDuringTheFirstSecond) {
    for (int i = 0; i < 59; ++i) frame(FrameInput{});
    EXPECT_EQ(shell->state.frameRate, 0);
    for (int i = 0; i < 5; ++i) frame(FrameInput{});
    EXPECT_GE(shell->state.frameRate, 59);
    EXPECT_LE(shell->state.frameRate, 61);
}

TEST_F(ShellScript, LossFreezesPlayAndClockButNotTogglesOrCadence) {
    FrameInput walk;
    walk.w = true;
    for (int i = 0; i < 30; ++i) frame(walk);
    EXPECT_NEAR(shell->state.gameClock, 0.5, 1e-3);
    const glm::vec3 walked = world->player->position;
    EXPECT_GT(glm::length(walked - glm::vec3(0.0f, 0.0f, -1.0f)), 0.1f);

    world->spawnEnemy(glm::normalize(glm::vec3(1.0f, 0.2f, 0.3f)));
    world->player->lives = 0.0f;
    const glm::vec3 enemyPlace = world->enemies.front()->position;
    const double clockAtLoss = shell->state.gameClock;
    FrameInput everything = walk;
    everything.a = everything.s = everything.d = everything.plus = true;
    everything.leftButton = everything.rightButton = true;
    everything.mouseX = 100;
    everything.f3 = everything.escape = false;
    const size_t enemies = world->enemies.size();
    for (int i = 0; i < 120; ++i) frame(everything);

    EXPECT_EQ(world->player->position, walked);
    EXPECT_FALSE(world->player->punching);
    EXPECT_FALSE(world->player->superPunching);
    EXPECT_FLOAT_EQ(world->camera->distance, 3.0f);
    EXPECT_EQ(world->enemies.front()->position, enemyPlace);
    EXPECT_EQ(shell->state.gameClock, clockAtLoss);
    EXPECT_GE(world->enemies.size(), enemies + 2);

    FrameInput toggle;
    toggle.f3 = true;
    EXPECT_TRUE(frame(toggle).polygonMode);
    toggle.escape = true;
    frame(toggle);
    EXPECT_FALSE(shell->state.running);
}

TEST_F(ShellScript, StartScreenWaitsForTheLeftButtonAndQuits) {
    FrameInput idle;
    idle.mouseX = 1000;
    idle.mouseY = 360;
    shell->startScreenFrame(idle, 0.016f);
    EXPECT_FALSE(shell->state.started);
    // The player already faces the pointer: right of centre is screen right, -left.
    EXPECT_NEAR(world->player->facing.x, -1.0f, 1e-3f);
    FrameInput click = idle;
    click.leftButton = true;
    shell->startScreenFrame(click, 0.016f);
    EXPECT_TRUE(shell->state.started);

    FrameInput closed;
    closed.windowOpen = false;
    shell->quitTest(closed);
    EXPECT_FALSE(shell->state.running);
}

}  // namespace

namespace {

// Where the camera shows a place, in normalised device coordinates.
glm::vec2 onScreen(const Camera& camera, const glm::vec3& place) {
    const glm::vec4 clip = camera.projection() * camera.view() * glm::vec4(place, 1.0f);
    return glm::vec2(clip) / clip.w;
}

TEST_F(ShellScript, WalkingCharacterStaysAtTheScreenCentreWhileTheEyeTrails) {
    const struct {
        const char* name;
        bool FrameInput::*key;
    } walks[] = {{"W", &FrameInput::w}, {"A", &FrameInput::a}, {"S", &FrameInput::s},
                 {"D", &FrameInput::d}};
    for (const auto& walk : walks) {
        FrameInput in;
        in.*walk.key = true;
        float worstOffCentre = 0.0f, eyeLag = 0.0f;
        for (int i = 0; i < 120; ++i) {
            frame(in);
            const glm::vec2 ndc = onScreen(*world->camera, world->player->position);
            worstOffCentre = std::max(worstOffCentre, glm::length(ndc));
            eyeLag = glm::length(glm::normalize(world->camera->eye) - world->player->position);
        }
        EXPECT_LT(worstOffCentre, 1e-3f) << walk.name;
        EXPECT_GT(eyeLag, 0.05f) << walk.name << ": the eye should trail a walking player";
    }
}

}  // namespace
