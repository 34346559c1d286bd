#include <gtest/gtest.h>
#include <vector>

#include "WorldTestSupport.h"

namespace {

const glm::vec3 kFarAway = glm::normalize(glm::vec3(0.6f, 0.5f, 0.7f)); // ~ 130 degrees off

TEST(World, WithoutGraphicsOnlyCameraAndPlayerExist) {
    TestWorld t;
    EXPECT_FALSE(t.world.hasGraphics());
    EXPECT_NE(t.world.camera, nullptr);
    EXPECT_NE(t.world.player, nullptr);
    EXPECT_EQ(t.world.shadowProgram, nullptr);
    EXPECT_EQ(t.world.planet, nullptr);
    EXPECT_EQ(t.world.sun, nullptr);
    EXPECT_EQ(t.world.enemyModel, nullptr);
    EXPECT_EQ(t.world.kills, 0);
    EXPECT_EQ(t.world.lastEnemyPunchSoundTime, 0.0);
    // The player's constructor moved the camera's centre onto it.
    EXPECT_EQ(t.world.camera->center, t.player().position);
    t.world.draw(7); // draws nothing, needs no context
    t.world.drawDepth();
}

TEST(World, IdsGrowAlongTheListAndRestartWhenEmpty) {
    TestWorld t;
    t.world.spawnEnemy(kFarAway);
    t.world.spawnEnemy(-kFarAway);
    EXPECT_EQ(t.world.enemyIds, (std::vector<int>{1, 2}));
    EXPECT_EQ(t.enemy(0).id, 1);
    EXPECT_EQ(t.enemy(1).id, 2);
    EXPECT_EQ(t.enemy(1).getPosition(), -kFarAway); // stored unchanged

    // After enemies with ids 4 and 7 the next is 8.
    t.world.enemyIds = {4, 7};
    t.enemy(0).setId(4);
    t.enemy(1).setId(7);
    t.world.spawnEnemy(kFarAway);
    EXPECT_EQ(t.world.enemyIds.back(), 8);
    EXPECT_EQ(t.world.enemies.back()->id, 8);

    // Once every enemy has died and gone, numbering starts at 1 again.
    for (auto& e : t.world.enemies) {
        e->height = 0.0f;
        e->kill();
    }
    for (int frame = 0; frame < 70; ++frame) {
        t.world.update(1.0f / 64.0f);
    }
    ASSERT_TRUE(t.world.enemies.empty());
    ASSERT_TRUE(t.world.enemyIds.empty());
    t.world.spawnEnemy(kFarAway);
    EXPECT_EQ(t.world.enemyIds, (std::vector<int>{1}));
}

TEST(World, TwoRemovalsInOneFrameSkipNobody) {
    TestWorld t;
    const float dt = 1.0f / 64.0f;
    for (int i = 0; i < 6; ++i) {
        t.world.spawnEnemy(along(kFarAway, glm::vec3(0, 0, 1), 10.0f * i));
    }
    // Enemies 2 and 4 (indices 1 and 3) finish their fade this frame; the others are landing,
    // so one update shows as exactly one step of dt / 1.3 down.
    for (int i : {1, 3}) {
        t.enemy(i).height = 0.0f;
        t.enemy(i).dying = true;
        t.enemy(i).life = dt / 2.0f;
    }
    t.world.update(dt);
    EXPECT_EQ(t.world.enemyIds, (std::vector<int>{1, 3, 5, 6}));
    ASSERT_EQ(t.world.enemies.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(t.enemy(i).id, t.world.enemyIds[i]);
        EXPECT_FLOAT_EQ(t.enemy(i).height, 1.0f - dt / 1.3f);
    }
}

TEST(World, LifeOfExactlyZeroStaysUntilItDropsBelow) {
    TestWorld t;
    Enemy& e = t.landEnemy(kFarAway);
    e.kill();
    e.life = 0.25f;
    t.world.update(0.25f);
    ASSERT_EQ(t.world.enemies.size(), 1u);
    EXPECT_EQ(t.enemy(0).life, 0.0f);
    t.world.update(0.25f);
    EXPECT_TRUE(t.world.enemies.empty());
    EXPECT_TRUE(t.world.enemyIds.empty());
}

TEST(World, UpdateWithoutEnemiesStillMovesPlayerAndCamera) {
    TestWorld t;
    t.world.camera->up = glm::vec3(1, 0, 0);
    t.player().moveForward(-30.0f); // the camera now trails by 30 degrees
    const glm::vec3 eyeBefore = t.world.camera->eye;
    t.player().punch();
    t.world.update(0.1f);
    EXPECT_GT(t.player().punchProgress, 0.0f);
    EXPECT_EQ(t.world.camera->up, t.player().forward);
    EXPECT_NEAR(degreesBetween(t.world.camera->eye, eyeBefore), 20.0 * 0.1, 1e-3);
}

TEST(World, EnemyPunchSoundIsGatedAtSevenTenthsOfASecond) {
    TestWorld t;
    struct Case {
        double now;
        bool plays;
    };
    // The first sound of a game plays as soon as the clock is past 0.7 s.
    const Case cases[] = {{0.5, false}, {0.7, false},   {0.7001, true},
                          {1.4, false}, {1.4002, true}, {1.41, false}};
    int expected = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.now);
        t.time = c.now;
        t.world.playEnemyPunchSound();
        expected += c.plays ? 1 : 0;
        EXPECT_EQ(t.plays(kEnemyPunchWav), expected);
    }
}

TEST(World, EnemyPunchSoundStoresTheSecondClockReading) {
    std::unique_ptr<SoundEngine> sound = SoundEngine::createSilent();
    std::vector<double> readings = {0.8, 0.9, 1.55, 1.55};
    size_t next = 0;
    World world(
        sound.get(), [&] { return readings.at(next++); }, Graphics::Off);
    world.playEnemyPunchSound();
    EXPECT_EQ(world.lastEnemyPunchSoundTime, 0.9);
    // 1.55 - 0.9 is not past the gate (it would be past 0.8 + 0.7).
    world.playEnemyPunchSound();
    EXPECT_EQ(sound->playCount(kEnemyPunchWav), 1);
}

TEST(World, ThreeAttackersShareOneSoundGateButEachDealsDamage) {
    TestWorld t;
    std::srand(3);
    const glm::vec3 p = t.player().position;
    // 2.5 degrees from the player, 120 degrees apart: each is 4.3 degrees from the others, so
    // every step any of them tries is refused and they stay in range.
    for (float side : {0.0f, 120.0f, 240.0f}) {
        t.landEnemy(along(p, turned(p, t.player().forward, side), 2.5f));
    }
    const float dt = 1.0f / 64.0f; // exact in binary, so the clock hits no boundary
    for (int frame = 1; frame <= 192; ++frame) {
        t.time = frame * static_cast<double>(dt);
        for (auto& e : t.world.enemies) { // only the enemies, not the player's update
            e->update(dt);
        }
    }
    // Sounds at frames 45, 90, 135 and 180 of 3 s; 3 enemies x 5 lives per second.
    EXPECT_EQ(t.plays(kEnemyPunchWav), 4);
    EXPECT_NEAR(t.player().lives, 100.0f - 3 * 5 * 3.0f, 1e-3f);
}

TEST(World, PunchSoundHasNoGate) {
    TestWorld t;
    t.world.playPunchSound();
    t.world.playPunchSound();
    EXPECT_EQ(t.plays(kPunchWav), 2);
}

TEST(World, NullSoundEnginePlaysNothing) {
    World world(
        nullptr, [] { return 5.0; }, Graphics::Off);
    world.playPunchSound();
    world.playEnemyPunchSound();
    EXPECT_EQ(world.lastEnemyPunchSoundTime, 5.0);
}

} // namespace
