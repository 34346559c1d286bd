#include <vector>

#include "WorldTestSupport.h"

namespace {

const glm::vec3 kFarAway = glm::normalize(glm::vec3(0.6f, 0.5f, 0.7f)); // ~130 degrees off
constexpr float kDt = 1.0f / 64.0f; // exact in binary: frame counts land on exact times

TEST(World, IdsGrowAlongTheListAndRestartWhenEmpty) {
    TestWorld t;
    t.world.spawnEnemy(kFarAway);
    t.world.spawnEnemy(-kFarAway);
    EXPECT_EQ(t.world.enemyIds, (std::vector<int>{1, 2}));
    t.world.enemyIds = {4, 7};
    t.world.spawnEnemy(kFarAway);
    EXPECT_EQ(t.world.enemyIds.back(), 8);
    EXPECT_EQ(t.world.enemies.back()->id, 8);
    for (auto& e : t.world.enemies) {
        e->height = 0.0f;
        e->kill();
    }
    t.run(70, kDt);
    ASSERT_TRUE(t.world.enemies.empty() && t.world.enemyIds.empty());
    t.world.spawnEnemy(kFarAway);
    EXPECT_EQ(t.world.enemyIds, (std::vector<int>{1}));
}

TEST(World, TwoRemovalsInOneFrameSkipNobodyAndLifeZeroStays) {
    TestWorld t;
    for (int i = 0; i < 6; ++i) t.world.spawnEnemy(along(kFarAway, {0, 0, 1}, 10.0f * i));
    for (int i : {1, 3, 4}) { // dying; 2 and 4 end their fade this frame, 5 reaches life 0
        t.enemy(i).height = 0.0f;
        t.enemy(i).dying = true;
        t.enemy(i).life = i == 4 ? kDt : kDt / 2.0f;
    }
    t.world.update(kDt);
    EXPECT_EQ(t.world.enemyIds, (std::vector<int>{1, 3, 5, 6}));
    ASSERT_EQ(t.world.enemies.size(), 4u);
    EXPECT_EQ(t.enemy(2).life, 0.0f);
    for (size_t i : {0, 1, 3}) { // landing ones, updated exactly once
        EXPECT_EQ(t.enemy(i).id, t.world.enemyIds[i]);
        EXPECT_FLOAT_EQ(t.enemy(i).height, 1.0f - kDt / 1.3f);
    }
    t.world.update(kDt);
    EXPECT_EQ(t.world.enemyIds, (std::vector<int>{1, 3, 6}));
}

TEST(World, EnemyPunchSoundIsGatedAtSevenTenthsOfASecond) {
    TestWorld t;
    const std::pair<double, int> cases[] = {{0.5, 0}, {0.7, 0},    {0.7001, 1},
                                            {1.4, 1}, {1.4002, 2}, {1.41, 2}};
    for (const auto& [now, plays] : cases) {
        t.time = now;
        t.world.playEnemyPunchSound();
        EXPECT_EQ(t.plays(kEnemyPunchWav), plays) << now;
    }
    // The stored time is a second reading of the clock; a null engine plays nothing.
    std::vector<double> readings = {0.8, 0.9, 1.55, 1.55};
    size_t next = 0;
    World world(nullptr, [&] { return readings.at(next++); }, Graphics::Off);
    world.playEnemyPunchSound();
    world.playEnemyPunchSound(); // 1.55 - 0.9 is within the gate
    EXPECT_EQ(world.lastEnemyPunchSoundTime, 0.9);
    world.playPunchSound();
}

} // namespace
