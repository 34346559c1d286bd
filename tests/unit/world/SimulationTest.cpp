#include "WorldTestSupport.h"

namespace {

// Three minutes at 60 frames per second in the shell's order: input, a spawn every 0.75 s,
// the world's update; after every frame the lists, places and counts must be consistent.
TEST(Simulation, ThreeMinutesOfPlayStayConsistent) {
    std::srand(20240611);
    TestWorld t;
    const World& w = t.world;
    Player& p = t.player();
    const float dt = 1.0f / 60.0f;
    for (int i = 0; i < 5; ++i) t.world.spawnEnemy(randomDirection());
    int spawned = 5;
    for (int frame = 0; frame < 180 * 60; ++frame) {
        t.time = frame * static_cast<double>(dt);
        p.lives = std::max(p.lives, 20.0f); // stays in play
        const int phase = (frame / 90) % 6; // a new course every 1.5 s
        if (phase == 0 || phase == 3 || phase == 4) p.moveForward(-20.0f * dt);
        if (phase == 1 || phase == 4) p.moveSideways(20.0f * dt);
        if (phase == 2 || phase == 5) p.moveSideways(-20.0f * dt), p.moveForward(20.0f * dt);
        p.setFacing(static_cast<float>((frame * 7) % 360));
        if (frame % 36 < 3) p.punch();
        if (p.superPunchCooldown <= 0.0f && frame % 600 == 300) p.superPunch();
        if (frame % 45 == 44) t.world.spawnEnemy(randomDirection()), ++spawned;
        t.world.update(dt);

        ASSERT_EQ(w.enemies.size(), w.enemyIds.size()) << frame;
        for (size_t i = 0; i < w.enemies.size(); ++i) {
            const Enemy& e = *w.enemies[i];
            ASSERT_EQ(e.id, w.enemyIds[i]) << frame;
            ASSERT_TRUE(i == 0 || w.enemyIds[i] > w.enemyIds[i - 1]) << frame;
            ASSERT_TRUE(isFinite(e.model) && e.height >= 0.0f && e.life >= 0.0f) << frame;
            ASSERT_TRUE(e.dying || std::abs(glm::length(e.position) - 1.0f) < 1e-4f) << frame;
        }
        ASSERT_TRUE(isFinite(p.model) && isFinite(p.leftFist->model) &&
                    isFinite(p.rightFist->model)) << frame;
        ASSERT_NEAR(glm::length(p.position), 1.0f, 1e-4f) << frame;
        ASSERT_NEAR(glm::length(w.camera->eye), w.camera->distance, 1e-3f) << frame;
        ASSERT_EQ(w.kills, t.plays(kEnemyDieWav)) << frame;
    }
    EXPECT_GT(w.kills, 20);
    EXPECT_GT(t.plays(kEnemyPunchWav), 0);
    EXPECT_LE(t.plays(kEnemyPunchWav), static_cast<int>(180.0 / 0.7) + 1);
    int removed = w.kills; // everyone spawned is still listed or was killed and removed
    for (const auto& e : w.enemies) removed -= e->dying ? 1 : 0;
    EXPECT_EQ(static_cast<int>(w.enemies.size()), spawned - removed);
}

} // namespace
