#include <cmath>

#include "WorldTestSupport.h"

namespace {

constexpr float kDt = 1.0f / 64.0f; // exact in binary: frame counts land on exact times

TEST(Enemy, LandsInOnePointThreeSecondsFadingIn) {
    TestWorld t;
    std::srand(1);
    const glm::vec3 place = glm::normalize(glm::vec3(0.5f, -0.2f, 0.8f));
    t.world.spawnEnemy(place);
    Enemy& e = t.enemy(0);
    EXPECT_NEAR(glm::length(origin(e.model)), 2.0f, 1e-6f);
    EXPECT_EQ(e.opacity(), 0.0f);
    int frames = 0;
    for (; e.height > 0.0f; ++frames) {
        e.update(kDt);
        ASSERT_GE(e.height, 0.0f);
    }
    EXPECT_EQ(frames, 84); // 1.3 s is 83.2 frames
    EXPECT_NEAR(glm::length(origin(e.model)), 1.0f, 1e-6f);
    EXPECT_EQ(e.opacity(), 1.0f);
    EXPECT_EQ(e.getPosition(), place);
    EXPECT_NEAR(glm::dot(glm::normalize(meshUp(e.model)), place), 1.0f, 1e-5f);
    for (const glm::vec3& pole : {glm::vec3(0, 1, 0), glm::vec3(0, -1, 0)}) {
        const glm::mat4 m = t.landEnemy(pole).model;
        ASSERT_TRUE(isFinite(m));
        EXPECT_VEC_NEAR(glm::normalize(meshUp(m)), pole, 1e-6f);
    }
}

TEST(Enemy, MovesBeyondSixDegreesAndAttacksWithin) {
    struct Case { float degrees; bool moves, attacks; };
    // At 6.2 the step ends at 5.9, but the attack judges the place before the move.
    const Case cases[] = {{6.5f, true, false}, {6.2f, true, false}, {5.9f, false, true},
                          {50.0f, true, false}};
    const float dt = 1.0f / 60.0f;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.degrees);
        TestWorld t;
        std::srand(1);
        t.time = 10.0;
        const glm::vec3 p = t.player().position;
        Enemy& e = t.landEnemy(along(p, t.player().forward, c.degrees));
        e.update(dt);
        // One step is 18 degrees per second: 0.3 per frame.
        EXPECT_NEAR(degreesBetween(e.getPosition(), p), c.degrees - (c.moves ? 0.3 : 0.0), 1e-3);
        EXPECT_NEAR(glm::length(e.getPosition()), 1.0f, 1e-6f);
        EXPECT_FLOAT_EQ(t.player().lives, c.attacks ? 100.0f - 5.0f * dt : 100.0f);
        EXPECT_EQ(t.plays(kEnemyPunchWav), c.attacks ? 1 : 0);
    }
}

TEST(Enemy, SixDegreesExactlyNeitherMovesNorAttacks) {
    // No float cosine is exactly 6 degrees: check the rules and the two cosines around it.
    EXPECT_FALSE(enemyTriesMove(6.0f, 0.3f));
    EXPECT_TRUE(enemyTriesMove(std::nextafter(6.0f, 7.0f), 0.3f));
    EXPECT_FALSE(enemyTriesMove(6.5f, 6.5f)); // one frame's turn would reach the goal
    float below = std::cos(6.0f * 3.14159265f / 180.0f);
    while (angleDegrees(below) >= 6.0f) below = std::nextafter(below, 1.0f);
    while (angleDegrees(below) < 6.0f) below = std::nextafter(below, 0.0f);
    EXPECT_FALSE(enemyAttacks(below)); // the largest cosine at or beyond 6 degrees
    EXPECT_TRUE(enemyAttacks(std::nextafter(below, 1.0f)));
    EXPECT_FALSE(enemyAttacks(1.0f));
}

TEST(Enemy, WanderTriggerFiresAboutOnceInSixAndAHalfSeconds) {
    TestWorld t;
    std::srand(8);
    t.world.spawnEnemy(-t.player().position);
    Enemy& e = t.enemy(0);
    int triggers = 0;
    for (int frame = 0; frame < 60 * 200; ++frame) {
        e.height = 1.0f; // the trigger runs for landing enemies too
        const glm::vec3 before = e.wanderTarget;
        e.update(1.0f / 60.0f);
        triggers += e.wanderTarget != before ? 1 : 0;
    }
    EXPECT_GT(triggers, 18); // 200 s / 6.5 s is about 31
    EXPECT_LT(triggers, 46);
}

TEST(Enemy, AttackersEachDealFiveLivesPerSecondButShareOneSoundGate) {
    for (int n : {2, 3}) {
        SCOPED_TRACE(n);
        TestWorld t;
        std::srand(3);
        const glm::vec3 p = t.player().position;
        // 2.5 degrees from the player, 5 or 4.3 from each other: every step they try is refused.
        for (int k = 0; k < n; ++k) {
            t.landEnemy(along(p, turned(p, t.player().forward, 360.0f / n * k), 2.5f));
        }
        t.run(192, kDt);
        EXPECT_NEAR(t.player().lives, 100.0f - n * 5 * 3.0f, 1e-3f);
        EXPECT_EQ(t.plays(kEnemyPunchWav), 4); // frames 45, 90, 135, 180 of 3 s
    }
}

TEST(Enemy, BlockedChaseTurnsToWanderingUntilTwoSecondsPass) {
    // A chases the player through B, which stands 5.9 degrees from the player and never moves;
    // every step A tries ends within 5.5 degrees of B. A landing B blocks nobody.
    TestWorld t;
    std::srand(4);
    const glm::vec3 p = t.player().position;
    Enemy& b = t.landEnemy(along(p, t.player().forward, 5.9f));
    Enemy& a = t.landEnemy(along(p, t.player().forward, 9.9f));
    const auto frames = [&](int n, bool bBlocks) {
        b.height = bBlocks ? 0.0f : 0.9f;
        for (int i = 0; i < n; ++i) a.update(kDt);
    };
    const glm::vec3 start = a.getPosition();
    frames(10, true); // refused: +dt each
    EXPECT_EQ(a.getPosition(), start);
    frames(8, false); // free: -dt / 2 each
    EXPECT_GT(degreesBetween(a.getPosition(), start), 2.0);
    EXPECT_FLOAT_EQ(a.blockedTime, 6 * kDt);
    frames(14, true); // 20 frames net = 0.3125 s
    EXPECT_TRUE(a.chasing);
    frames(1, true);
    EXPECT_FALSE(a.chasing);
    EXPECT_LE(a.blockedTime, 0.0f);
    a.wanderTarget = p; // through B: the refused wandering move picks a new target at once
    frames(1, true);
    EXPECT_NE(a.wanderTarget, p);
    EXPECT_LE(a.blockedTime, 0.0f); // wandering refusals are not counted
    for (int frame = 3; frame <= 129; ++frame) { // wandering time up to 128 * dt = 2 s
        frames(1, true);
        ASSERT_FALSE(a.chasing) << frame;
    }
    frames(1, true);
    EXPECT_TRUE(a.chasing);
    EXPECT_EQ(a.wanderTime, 0.0f);
}

TEST(Enemy, KilledEnemyFliesStraightAwayFadesAndIsRemovedAfterASecond) {
    TestWorld t;
    std::srand(6);
    const glm::vec3 p = t.player().position;
    Enemy& e = t.landEnemy(along(p, t.player().forward, 5.0f));
    const glm::vec3 start = e.getPosition();
    const glm::vec3 away = glm::normalize(start - p);
    e.kill();
    for (int frame = 1; frame <= 64; ++frame) {
        t.run(1, kDt);
        ASSERT_EQ(t.world.enemies.size(), 1u) << frame;
        EXPECT_VEC_NEAR(e.getPosition(), start + away * (1.5f * kDt * frame), 1e-4f) << frame;
        EXPECT_VEC_NEAR(glm::normalize(meshUp(e.model)), glm::normalize(e.getPosition()), 1e-4f);
        EXPECT_NEAR(e.opacity(), 1.0f - kDt * frame, 1e-5f);
        EXPECT_EQ(e.castsShadow(), frame < 16) << frame; // life 0.75 after 16 frames
    }
    EXPECT_EQ(t.player().lives, 100.0f); // a dying enemy does not attack
    t.run(1, kDt);
    EXPECT_TRUE(t.world.enemies.empty());
}

} // namespace
