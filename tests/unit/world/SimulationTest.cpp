#include <gtest/gtest.h>

#include "WorldTestSupport.h"

namespace {

struct PlayStats {
    int updatedFrames = 0;
    int spawned = 0;
    size_t mostEnemies = 0;
    int superPunches = 0;
};

// Checks what must hold after every frame of play.
void checkFrame(TestWorld& t) {
    const World& w = t.world;
    ASSERT_EQ(w.enemies.size(), w.enemyIds.size());
    for (size_t i = 0; i < w.enemies.size(); ++i) {
        ASSERT_EQ(w.enemies[i]->id, w.enemyIds[i]);
        if (i > 0) {
            ASSERT_GT(w.enemyIds[i], w.enemyIds[i - 1]);
        }
        const Enemy& e = *w.enemies[i];
        ASSERT_TRUE(isFinite(e.getPosition()));
        ASSERT_TRUE(isFinite(e.model));
        ASSERT_GE(e.height, 0.0f);
        ASSERT_GE(e.life, 0.0f);
        if (!e.dying) {
            ASSERT_NEAR(glm::length(e.getPosition()), 1.0f, 1e-4f);
        }
    }
    const Player& p = *w.player;
    ASSERT_TRUE(isFinite(p.position));
    ASSERT_TRUE(isFinite(p.model));
    ASSERT_TRUE(isFinite(p.leftFist->model));
    ASSERT_TRUE(isFinite(p.rightFist->model));
    ASSERT_NEAR(glm::length(p.position), 1.0f, 1e-4f);
    ASSERT_TRUE(isFinite(w.camera->eye));
    ASSERT_NEAR(glm::length(w.camera->eye), w.camera->distance, 1e-3f);
    ASSERT_EQ(w.kills, t.plays(kEnemyDieWav));
}

// A scripted player over `seconds` of play at 60 frames per second, in the shell's frame
// order: input while alive, a spawn every 0.75 s, the world's update while the player lives
// or no enemy is left.
PlayStats play(TestWorld& t, float seconds) {
    const float dt = 1.0f / 60.0f;
    PlayStats stats;
    Player& p = t.player();
    for (int i = 0; i < 5; ++i) {
        t.world.spawnEnemy(randomDirection());
    }
    double sinceSpawn = 0.0;
    const int frames = static_cast<int>(seconds * 60.0f);
    for (int frame = 0; frame < frames; ++frame) {
        t.time = frame * static_cast<double>(dt);
        if (p.lives < 20.0f) {
            p.lives = 100.0f; // keeps the whole run in play rather than frozen at game over
        }
        if (p.lives > 0.0f) {
            const int phase = (frame / 90) % 6; // change course every 1.5 s
            if (phase == 0 || phase == 3 || phase == 4) {
                p.moveForward(-20.0f * dt);
            }
            if (phase == 1 || phase == 4) {
                p.moveSideways(20.0f * dt);
            }
            if (phase == 2 || phase == 5) {
                p.moveSideways(-20.0f * dt);
                p.moveForward(20.0f * dt);
            }
            p.setFacing(static_cast<float>((frame * 7) % 360));
            if (frame % 36 < 3) {
                p.punch();
            }
            if (p.superPunchCooldown <= 0.0f && frame % 600 == 300) {
                p.superPunch();
                ++stats.superPunches;
            }
        }
        sinceSpawn += dt;
        if (sinceSpawn > 0.75) {
            sinceSpawn = 0.0;
            t.world.spawnEnemy(randomDirection());
            ++stats.spawned;
        }
        if (p.lives > 0.0f || t.world.enemies.empty()) {
            t.world.update(dt);
            ++stats.updatedFrames;
        }
        stats.mostEnemies = std::max(stats.mostEnemies, t.world.enemies.size());
        checkFrame(t);
        if (testing::Test::HasFatalFailure()) {
            ADD_FAILURE() << "at frame " << frame;
            break;
        }
    }
    return stats;
}

TEST(Simulation, ThreeMinutesOfPlayStayConsistent) {
    std::srand(20240611);
    TestWorld t;
    const PlayStats stats = play(t, 180.0f);
    EXPECT_EQ(stats.updatedFrames, 180 * 60);
    EXPECT_GE(stats.spawned, 235);
    EXPECT_GT(t.world.kills, 20); // the punches did land
    EXPECT_GT(t.plays(kEnemyPunchWav), 0);
    EXPECT_LE(t.plays(kEnemyPunchWav), static_cast<int>(180.0 / 0.7) + 1);
    EXPECT_EQ(t.world.kills, t.plays(kEnemyDieWav));
    // Everyone spawned is either still listed or was killed and removed.
    EXPECT_EQ(
        static_cast<int>(t.world.enemies.size()), 5 + stats.spawned - [&] {
            int removed = t.world.kills;
            for (const auto& e : t.world.enemies) {
                removed -= e->dying ? 1 : 0;
            }
            return removed;
        }());
    RecordProperty("kills", t.world.kills);
    RecordProperty("mostEnemies", static_cast<int>(stats.mostEnemies));
}

} // namespace
